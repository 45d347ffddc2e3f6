// The skinned frame in a real window on a private Xvfb display with no
// window manager (the probe program skin_form_xvfb_probe): it shows the
// stored skin's frame, drags by its caption, sizes by its bottom-right
// corner, maximizes and restores by a double-click on the caption, and a
// context menu opens and runs an item chosen with the mouse. Positions come
// from the probe, pixels from the screen through xwd.

#include <gtest/gtest.h>

#include <string>

#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "tests/platform/xvfb_session.h"

namespace lt {
namespace {

using namespace lt::test;

std::string rgb_text(Pixel p)
{
    return std::to_string(pixel_red(p)) + "," + std::to_string(pixel_green(p)) + "," + std::to_string(pixel_blue(p));
}

TEST(SkinFormXvfb, TheSkinnedFrameMovesSizesMaximizesAndRunsAContextMenu)
{
    if (const std::string why = xvfb_skip_reason(); !why.empty())
        GTEST_SKIP() << why;
    TskCompressedStoredSkin stored(nullptr);
    AssignEmbeddedSkin(stored);
    TskSkinData skin(nullptr);
    skin.SetCompressedStoredSkin(&stored);
    ASSERT_FALSE(skin.Empty);
    const Bitmap& frame_picture = skin.Picture;
    const Bitmap& buttons = *skin.ActivePicture(0);

    XvfbProbe session;
    ASSERT_NO_FATAL_FAILURE(session.start(LT_SKIN_FORM_PROBE));
    const std::string display = session.xvfb.display;
    Child& probe = session.probe;
    ASSERT_EQ(probe.read_line(15000), "ready");

    // The window at 100, 100, 400 x 300: the caption band from the frame
    // picture (its top edge tiled from x 9 in spans of 265), the close button's normal look at 376..397 x 5..26, and the
    // cut-away top-left corner shows the bare screen.
    const std::string caption = rgb_text(frame_picture.pixel(300 - 265, 15));
    EXPECT_EQ(pixel_settled(display, 100 + 300, 100 + 15, caption), caption);
    EXPECT_EQ(pixel(display, 100 + 386, 100 + 15), rgb_text(buttons.pixel(60, 12))) << "the close button";
    EXPECT_EQ(pixel(display, 100, 100), "0,0,0") << "the mask cuts the corner";
    EXPECT_EQ(pixel(display, 100 + 3, 100), rgb_text(frame_picture.pixel(3, 0)));

    // Dragged by its caption: no window manager, the desktop's own loop.
    run(display, "xdotool mousemove 250 112 mousedown 1 mousemove 270 130 mousemove 300 162 mouseup 1");
    EXPECT_EQ(probe.read_line(5000), "bounds 150 150 400 300");
    EXPECT_EQ(pixel_settled(display, 150 + 300, 150 + 15, caption), caption);

    // Sized by its bottom-right corner.
    run(display, "xdotool mousemove 548 448 mousedown 1 mousemove 580 470 mousemove 608 488 mouseup 1");
    EXPECT_EQ(probe.read_line(5000), "bounds 150 150 460 340");
    const std::string corner = rgb_text(frame_picture.pixel(283, 208));
    EXPECT_EQ(pixel_settled(display, 150 + 458, 150 + 338, corner), corner) << "the frame's bottom-right corner";

    // A double-click on the caption maximizes (one pixel in from the
    // screen's edges, the work area being the whole screen) and restores.
    run(display, "xdotool mousemove 300 165 click --repeat 2 --delay 80 1");
    EXPECT_EQ(probe.read_line(5000), "maximized 1 1 1022 766");
    const std::string close_button = rgb_text(buttons.pixel(60, 12));
    EXPECT_EQ(pixel_settled(display, 1 + 1022 - 14, 1 + 15, close_button), close_button) << "the close button moved";
    run(display, "xdotool mousemove 300 12 click --repeat 2 --delay 80 1");
    EXPECT_EQ(probe.read_line(5000), "restored 150 150 460 340");

    // A right click in the client opens the context menu; the mouse picks "Two".
    run(display, "xdotool mousemove 300 300 click 3");
    const std::string menu = probe.read_line(5000);
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(menu.c_str(), "menu %d %d", &x, &y), 2) << menu;
    EXPECT_GT(y, 300);
    run(display, "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
    usleep(200 * 1000);
    run(display, "xdotool click 1");
    EXPECT_EQ(probe.read_line(5000), "command Two");

    session.stop();
}

} // namespace
} // namespace lt
