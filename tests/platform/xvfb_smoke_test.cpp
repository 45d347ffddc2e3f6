// Opens a real SDL window on a private Xvfb display (no window manager),
// clicks it, types into it, opens a popup from it and drags it with
// xdotool, and reads the screen's pixels back with xwd and convert.
// Every process started here is stopped by its pid.

#include <gtest/gtest.h>

#include <string>

#include "tests/platform/xvfb_session.h"

namespace {

using lt::test::Child;
using lt::test::pixel;
using lt::test::pixel_settled;
using lt::test::run;

TEST(XvfbSmoke, RealWindowShowsItsShapeAndPaintsAndAnswersClicksKeysAndDrags)
{
    if (const std::string why = lt::test::xvfb_skip_reason(); !why.empty())
        GTEST_SKIP() << why;
    lt::test::XvfbProbe session;
    ASSERT_NO_FATAL_FAILURE(session.start(LT_XVFB_PROBE));
    const std::string display = session.xvfb.display;
    Child& probe = session.probe;
    ASSERT_EQ(probe.read_line(10000), "ready");

    EXPECT_EQ(pixel_settled(display, 100, 100, "255,0,0"), "255,0,0") << "the client's red paint is on screen";
    EXPECT_EQ(pixel_settled(display, 100, 55, "0,0,255"), "0,0,255") << "the caption strip";
    EXPECT_EQ(pixel(display, 20, 20), "0,0,0") << "outside the window";
    EXPECT_EQ(pixel(display, 240, 190), "0,0,0") << "the region's notch shows the screen behind";
    EXPECT_EQ(pixel(display, 220, 190), "255,0,0");

    run(display, "xdotool mousemove 100 100 click 1");
    EXPECT_EQ(probe.read_line(5000), "clicked");
    EXPECT_EQ(pixel_settled(display, 100, 100, "0,255,0"), "0,255,0");

    run(display, "xdotool type 'a Z'");
    EXPECT_EQ(probe.read_line(5000), "char 97");
    EXPECT_EQ(probe.read_line(5000), "char 32");
    EXPECT_EQ(probe.read_line(5000), "char 90");
    // An error for a window that is gone (a late request) ends nothing.
    run(display, "xdotool type v");
    EXPECT_EQ(probe.read_line(5000), "char 118");
    EXPECT_EQ(probe.read_line(5000), "vanished window survived");

    // A popup shows without taking the keys from the main window.
    run(display, "xdotool mousemove 120 120 click 3");
    EXPECT_EQ(probe.read_line(5000), "popup");
    EXPECT_EQ(pixel_settled(display, 140, 140, "255,255,0"), "255,255,0");
    run(display, "xdotool type b");
    EXPECT_EQ(probe.read_line(5000), "char 98");
    run(display, "xdotool mousemove 130 130 click 1");
    EXPECT_EQ(probe.read_line(5000), "popup click main active");

    // Our own move loop drags the borderless window by its caption; there
    // is no window manager on this display.
    EXPECT_EQ(pixel_settled(display, 100, 100, "0,255,0"), "0,255,0");
    run(display, "xdotool mousemove 100 58 mousedown 1 mousemove 150 90 mousemove 200 158 mouseup 1");
    EXPECT_EQ(probe.read_line(5000), "moved 150 150");
    EXPECT_EQ(pixel_settled(display, 200, 200, "0,255,0"), "0,255,0") << "the window at its new place";
    EXPECT_EQ(pixel_settled(display, 100, 100, "0,0,0"), "0,0,0") << "its old place is bare";
    EXPECT_EQ(pixel(display, 340, 290), "0,0,0") << "the notch moved with the window";
    EXPECT_EQ(pixel(display, 320, 290), "0,255,0");

    session.stop();
}

} // namespace
