// The skinned keyword box in a real window on a private Xvfb display (no
// window manager): xdotool clicks it (its frame turns to the active look on
// screen) and types ASCII into it through the X keyboard; Chinese then
// arrives the way an input method delivers it to SDL, a composition and a
// commit (the probe puts those SDL events into SDL's queue, since a bare X
// server has no input method), and the text reaches the box and the screen.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/platform/xvfb_session.h"

namespace {

using namespace lt::test;

TEST(SkinEditXvfb, ClickTypeAndChineseThroughTheInputMethodPath)
{
    if (const std::string why = xvfb_skip_reason(); !why.empty())
        GTEST_SKIP() << why;
    XvfbProbe session;
    ASSERT_NO_FATAL_FAILURE(session.start(LT_SKIN_EDIT_PROBE, true));
    const std::string& display = session.xvfb.display;
    Child& probe = session.probe;
    ASSERT_EQ(probe.read_line(10000), "ready");
    std::istringstream probe_line(probe.read_line(5000));
    std::string word, normal, active;
    int x = 0, y = 0;
    probe_line >> word >> x >> y >> word >> normal >> word >> active;
    ASSERT_FALSE(active.empty()) << "the probe names a frame pixel and its colours";
    ASSERT_NE(normal, active);

    // The box is 233 x 21 at (x, y - 10); its text area starts 3 pixels in.
    const int left = x, top = y - 10;
    EXPECT_EQ(pixel_settled(display, x, y, normal), normal) << "the frame's normal look";

    run(display, "xdotool mousemove " + std::to_string(left + 100) + " " + std::to_string(top + 10) + " click 1");
    EXPECT_EQ(probe.read_line(5000), "focus");
    EXPECT_EQ(pixel_settled(display, x, y, active), active) << "hot and focused: the active look";

    run(display, "xdotool type qq");
    EXPECT_EQ(probe.read_line(5000), "text q");
    EXPECT_EQ(probe.read_line(5000), "text qq");

    const std::string before = area_digest(display, left + 3, top + 3, 227, 15);
    probe.write_line("compose 5 zhong");
    probe.write_line("compose 2 中文");
    probe.write_line("commit 中文");
    // The commit is typed character by character.
    EXPECT_EQ(probe.read_line(5000), "text qq中");
    EXPECT_EQ(probe.read_line(5000), "text qq中文");
    EXPECT_NE(area_digest_changed(display, left + 3, top + 3, 227, 15, before), before)
        << "the Chinese text reached the screen";

    session.stop();
}

} // namespace
