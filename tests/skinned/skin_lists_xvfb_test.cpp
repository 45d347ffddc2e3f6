// The skinned lists in a real window on a private Xvfb display (no window
// manager): xdotool drags the million-row list's scroll-bar thumb (the rows
// scroll, on screen too), then opens the drop-down list with a click (its
// popup window appears below the box) and picks a row with a second click.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/platform/xvfb_session.h"

namespace {

using namespace lt::test;

struct Placed {
    int x = 0, y = 0, w = 0, h = 0;
};

// "word X Y [W H]" from the probe.
Placed Read(Child& probe, const std::string& word)
{
    std::istringstream line(probe.read_line(5000));
    std::string got;
    Placed p;
    line >> got >> p.x >> p.y >> p.w >> p.h;
    EXPECT_EQ(got, word);
    return p;
}

// Reads lines until one starts with `prefix`; returns it, or "" after the time-out.
std::string WaitFor(Child& probe, const std::string& prefix)
{
    for (int i = 0; i < 50; ++i) {
        std::string line = probe.read_line(5000);
        if (line.empty() || line.rfind(prefix, 0) == 0)
            return line;
    }
    return "";
}

TEST(SkinListsXvfb, DragTheMillionRowListsThumbAndPickFromADropDown)
{
    if (const std::string why = xvfb_skip_reason(); !why.empty())
        GTEST_SKIP() << why;
    XvfbProbe session;
    ASSERT_NO_FATAL_FAILURE(session.start(LT_SKIN_LISTS_PROBE, true));
    const std::string& display = session.xvfb.display;
    Child& probe = session.probe;
    ASSERT_EQ(probe.read_line(20000), "ready");
    const Placed thumb = Read(probe, "thumb");
    const Placed rows = Read(probe, "rows");
    const Placed combo = Read(probe, "combo");
    ASSERT_GT(rows.w, 0);

    // Drag the thumb 150 pixels down: the rows scroll by about 150 / 359 of
    // the million.
    const std::string rows_before = area_digest(display, rows.x, rows.y, rows.w, rows.h);
    run(display,
        "xdotool mousemove " + std::to_string(thumb.x) + " " + std::to_string(thumb.y) + " mousedown 1 sleep 0.2" +
            " mousemove " + std::to_string(thumb.x) + " " + std::to_string(thumb.y + 75) + " sleep 0.2" +
            " mousemove " + std::to_string(thumb.x) + " " + std::to_string(thumb.y + 150) + " sleep 0.2 mouseup 1");
    std::string top;
    for (std::string line = WaitFor(probe, "top "); !line.empty(); line = WaitFor(probe, "top ")) {
        top = line;
        if (std::stoi(line.substr(4)) > 300'000)
            break;
    }
    ASSERT_FALSE(top.empty()) << "the list did not scroll";
    EXPECT_GT(std::stoi(top.substr(4)), 300'000) << top;
    EXPECT_NE(area_digest_changed(display, rows.x, rows.y, rows.w, rows.h, rows_before), rows_before)
        << "the scrolled rows reached the screen";

    // Open the drop-down and pick row 5.
    run(display, "xdotool mousemove " + std::to_string(combo.x) + " " + std::to_string(combo.y) + " click 1");
    const std::string dropdown = WaitFor(probe, "dropdown");
    ASSERT_FALSE(dropdown.empty()) << "the drop-down did not open";
    std::istringstream d(dropdown);
    std::string word;
    Placed list;
    d >> word >> list.x >> list.y >> list.w >> list.h;
    EXPECT_EQ(list.y, combo.y + 11) << "below the 21-pixel box";
    const Placed row5 = Read(probe, "row5");
    // The popup is on screen: its row 5 shows the list's white rows, not the form.
    EXPECT_EQ(pixel_settled(display, list.x + list.w - 30, row5.y, "255,255,255"), "255,255,255");
    run(display, "xdotool mousemove " + std::to_string(row5.x) + " " + std::to_string(row5.y) + " sleep 0.2 click 1");
    EXPECT_EQ(WaitFor(probe, "picked"), "picked 5 item 5");

    session.stop();
}

} // namespace
