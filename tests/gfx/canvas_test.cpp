#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "gfx/canvas.h"
#include "tests/gfx/pixels.h"

namespace lt {
namespace {

using test::legend;
using test::picture;
using test::same_pixels;

// One drawing case: a grey target of the expected picture's size, the
// drawing steps, and the whole expected picture.
struct DrawCase {
    const char* name;
    std::function<void(Canvas&)> draw;
    std::vector<std::string_view> expected;
};

Bitmap from_rows(const std::vector<std::string_view>& rows)
{
    Bitmap bmp(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x)
            bmp.set_pixel(x, y, legend(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
    return bmp;
}

void run_cases(std::initializer_list<DrawCase> cases)
{
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Bitmap expected = from_rows(c.expected);
        Bitmap target(expected.width(), expected.height(), legend('.'));
        Canvas canvas(target);
        c.draw(canvas);
        EXPECT_TRUE(same_pixels(expected, target));
    }
}

const Bitmap& quad()
{
    static const Bitmap q = picture({"RG", "BY"});
    return q;
}

TEST(CanvasBlit, CopiesAreClippedOnBothSidesAndFollowTheOrigin)
{
    run_cases({
        {"viewport origin moves the copy",
            [](Canvas& c) {
                c.set_origin({1, 1});
                c.draw({0, 0}, quad());
            },
            {".....", ".RG..", ".BY..", "....."}},
        {"cut at the target's edges",
            [](Canvas& c) {
                c.draw({4, 3}, quad());
                c.draw({-1, -1}, quad());
            },
            {"Y....", ".....", ".....", "....R"}},
        {"source rectangle partly outside its bitmap",
            [](Canvas& c) {
                c.draw({0, 0}, quad(), {1, 1, 3, 3});
                c.draw({3, 2}, quad(), {-1, 0, 1, 2});
            },
            {"Y....", ".....", "....R", "....B"}},
        {"clip rectangle given in logical coordinates",
            [](Canvas& c) {
                c.set_origin({2, 0});
                c.intersect_clip({0, 0, 1, 4});
                c.draw({0, 0}, quad());
            },
            {"..R..", "..B..", ".....", "....."}},
        {"excluded rectangle",
            [](Canvas& c) {
                c.exclude_clip({0, 0, 1, 1});
                c.draw({0, 0}, quad());
            },
            {".G...", "BY...", ".....", "....."}},
        {"clip region of two rectangles",
            [](Canvas& c) {
                const Rect parts[] = {{0, 0, 1, 1}, {1, 1, 2, 2}};
                c.set_clip(Region::from_rects(parts));
                c.draw({0, 0}, quad());
            },
            {"R....", ".Y...", ".....", "....."}},
        {"restore brings back the clip and origin",
            [](Canvas& c) {
                c.save();
                c.set_origin({3, 3});
                c.intersect_clip({0, 0, 0, 0});
                c.restore();
                c.draw({0, 0}, quad());
            },
            {"RG...", "BY...", ".....", "....."}},
        {"zero-size source draws nothing",
            [](Canvas& c) {
                c.draw({0, 0}, quad(), {1, 1, 1, 2});
                c.draw({0, 0}, Bitmap());
            },
            {".....", ".....", ".....", "....."}},
    });
}

TEST(CanvasBlit, StretchingIsNearestNeighbourOverTheWholeRectangles)
{
    run_cases({
        {"doubled",
            [](Canvas& c) {
                c.stretch_draw({0, 0, 4, 4}, quad());
            },
            {"RRGG", "RRGG", "BBYY", "BBYY"}},
        {"clipping keeps the mapping",
            [](Canvas& c) {
                c.intersect_clip({2, 1, 4, 4});
                c.stretch_draw({0, 0, 4, 4}, quad());
            },
            {"....", "..GG", "..YY", "..YY"}},
        {"shrunk",
            [](Canvas& c) {
                c.stretch_draw({0, 0, 2, 1}, picture({"RGB"}));
            },
            {"RG..", "....", "....", "...."}},
        {"source outside the bitmap leaves pixels alone",
            [](Canvas& c) {
                c.stretch_draw({0, 0, 4, 2}, quad(), {0, 0, 4, 2});
            },
            {"RG..", "BY..", "....", "...."}},
        {"empty or inverted rectangles draw nothing",
            [](Canvas& c) {
                c.stretch_draw({0, 0, 0, 4}, quad());
                c.stretch_draw({4, 4, 0, 0}, quad());
                c.stretch_draw({0, 0, 4, 4}, quad(), {2, 0, 1, 2});
            },
            {"....", "....", "....", "...."}},
    });
}

TEST(CanvasBlit, TilingRepeatsFromTheTopLeftAndCutsTheLastCopy)
{
    const Bitmap strip = picture({"RGBY"});
    run_cases({
        // A 4-pixel span filling 10 pixels: copies at 0, 4 and 8, the last 2 wide.
        {"last partial copy",
            [&](Canvas& c) {
                c.tile({0, 0, 10, 1}, strip, strip.rect());
            },
            {"RGBYRGBYRG"}},
        {"source sub-rectangle",
            [&](Canvas& c) {
                c.tile({1, 0, 9, 1}, strip, {1, 0, 3, 1});
            },
            {".GBGBGBGB."}},
        {"zero-width source draws nothing and ends",
            [&](Canvas& c) {
                c.tile({0, 0, 10, 1}, strip, {2, 0, 2, 1});
            },
            {".........."}},
    });
    run_cases({
        {"rows and columns",
            [](Canvas& c) {
                c.tile({0, 0, 5, 3}, quad(), quad().rect());
            },
            {"RGRGR", "BYBYB", "RGRGR"}},
        {"phase stays at the rectangle under a clip",
            [](Canvas& c) {
                c.set_origin({1, 0});
                c.intersect_clip({1, 1, 4, 3});
                c.tile({0, 0, 4, 3}, quad(), quad().rect());
            },
            {".....", "..YBY", "..GRG"}},
    });
}

TEST(CanvasBlit, ColourKeys)
{
    const Bitmap keyed = picture({"RM", "MG"});
    const Bitmap lower_left_white = picture({"RK", "WR"});
    run_cases({
        {"given key",
            [&](Canvas& c) {
                c.draw_transparent({0, 0}, keyed, clFuchsia);
            },
            {"R..", ".G.", "..."}},
        {"lower-left pixel as key",
            [&](Canvas& c) {
                c.draw_transparent({1, 0}, lower_left_white);
            },
            {".RK", "..R", "..."}},
        {"lower-left of the source rectangle",
            [&](Canvas& c) {
                c.draw_transparent({0, 1}, lower_left_white, {1, 0, 2, 2});
            },
            {"...", "K..", "..."}},
        {"clipped",
            [&](Canvas& c) {
                c.intersect_clip({0, 1, 3, 3});
                c.draw_transparent({0, 0}, keyed, clFuchsia);
            },
            {"...", ".G.", "..."}},
    });
}

TEST(CanvasDraw, FillsFramesAndEdges)
{
    run_cases({
        {"fill through the origin and a clear brush",
            [](Canvas& c) {
                c.set_origin({1, 1});
                c.fill_rect({0, 0, 2, 1}, clRed);
                c.brush().clear = true;
                c.fill_rect({0, 0, 3, 3});
            },
            {"....", ".RR.", "....", "...."}},
        {"frame",
            [](Canvas& c) {
                c.frame_rect({0, 0, 4, 3}, clBlue);
            },
            {"BBBB", "B..B", "BBBB", "...."}},
        {"rectangle: pen outline, brush inside",
            [](Canvas& c) {
                c.pen().color = clRed;
                c.brush().color = clYellow;
                c.rectangle({0, 0, 4, 4});
            },
            {"RRRR", "RYYR", "RYYR", "RRRR"}},
        {"3D frame corners belong to the bottom-right colour",
            [](Canvas& c) {
                c.frame3d({0, 0, 4, 4}, clWhite, clBlack);
            },
            {"WWWK", "W..K", "W..K", "KKKK"}},
    });
}

TEST(CanvasDraw, RaisedAndSunkenEdgesUseTheClassicColours)
{
    Bitmap raised(4, 4, legend('.'));
    Canvas(raised).draw_edge({0, 0, 4, 4}, EdgeStyle::Raised);
    EXPECT_EQ(raised.pixel(0, 0), to_pixel(cl3DLight));
    EXPECT_EQ(raised.pixel(3, 3), to_pixel(cl3DDkShadow));
    EXPECT_EQ(raised.pixel(1, 1), to_pixel(clBtnHighlight));
    EXPECT_EQ(raised.pixel(2, 2), to_pixel(clBtnShadow));
    Bitmap sunken(4, 4, legend('.'));
    Canvas(sunken).draw_edge({0, 0, 4, 4}, EdgeStyle::Sunken);
    EXPECT_EQ(sunken.pixel(0, 0), to_pixel(clBtnShadow));
    EXPECT_EQ(sunken.pixel(1, 1), to_pixel(cl3DDkShadow));
    EXPECT_EQ(sunken.pixel(3, 3), to_pixel(clBtnHighlight));
}

TEST(CanvasDraw, LinesLeaveOutTheirEndPoint)
{
    run_cases({
        {"horizontal both ways",
            [](Canvas& c) {
                c.pen().color = clRed;
                c.line({0, 0}, {3, 0});
                c.line({3, 1}, {0, 1});
            },
            {"RRR.", ".RRR", "....", "...."}},
        {"vertical and diagonal",
            [](Canvas& c) {
                c.pen().color = clBlue;
                c.line({0, 3}, {0, 0});
                c.line({1, 0}, {4, 3});
            },
            {".B..", "B.B.", "B..B", "B..."}},
        {"polyline joins without drawing the last point",
            [](Canvas& c) {
                c.pen().color = clLime;
                c.set_origin({1, 0});
                const Point tick[] = {{0, 0}, {2, 0}, {2, 2}};
                c.polyline(tick);
            },
            {".GGG", "...G", "....", "...."}},
        {"clear pen and clip",
            [](Canvas& c) {
                c.pen().clear = true;
                c.line({0, 0}, {3, 0});
                c.pen().clear = false;
                c.pen().color = clRed;
                c.exclude_clip({1, 1, 2, 2});
                c.line({0, 1}, {3, 1});
            },
            {"....", "R.R.", "....", "...."}},
    });
}

TEST(CanvasDraw, FocusRectangleDotsAlternateAndUndoThemselves)
{
    Bitmap target(5, 4, legend('W'));
    Canvas canvas(target);
    canvas.brush().color = clWhite; // dots invert white to black
    canvas.draw_focus_rect({0, 0, 5, 4});
    EXPECT_TRUE(same_pixels(picture({"KWKWK", "WWWWW", "KWWWK", "WKWKW"}), target));
    canvas.draw_focus_rect({0, 0, 5, 4});
    EXPECT_TRUE(same_pixels(Bitmap(5, 4, legend('W')), target));
}

TEST(CanvasDraw, DisabledLookEmbossesTheInkPixels)
{
    // Key: the lower-left magenta; white is light, so only black is ink.
    const Bitmap glyph = picture({"KWM", "MKM"});
    run_cases({
        {"highlight one pixel down-right, shadow in place",
            [&](Canvas& c) {
                c.draw_disabled({0, 0}, glyph, glyph.rect());
            },
            {"s...", ".s..", "..h.", "...."}},
    });
}

TEST(CanvasDraw, AlphaMaskBlendsTheColourByCoverage)
{
    // Two rows of three coverage values, stored with a pitch of 4 bytes.
    const std::uint8_t mask[] = {0, 128, 255, 99, 255, 0, 255, 99};
    Bitmap target(4, 3, legend('W'));
    Canvas canvas(target);
    canvas.set_origin({1, 0});
    canvas.exclude_clip({0, 1, 1, 2});
    canvas.draw_alpha_mask(0, 0, mask, 3, 2, 4, clBlack);
    Bitmap expected = picture({"WWWK", "WWWK", "WWWW"});
    expected.set_pixel(2, 0, make_pixel(127, 127, 127));
    EXPECT_TRUE(same_pixels(expected, target));

    Bitmap embossed(3, 3, legend('.'));
    const std::uint8_t dot[] = {255};
    Canvas(embossed).draw_alpha_mask_embossed(0, 0, dot, 1, 1, 1);
    EXPECT_TRUE(same_pixels(picture({"s..", ".h.", "..."}), embossed));
}

TEST(CanvasState, PixelsClipBoxAndSavedState)
{
    Bitmap target(4, 4, legend('.'));
    Canvas canvas(target);
    canvas.set_origin({2, 1});
    canvas.intersect_clip({-1, 0, 5, 2});
    EXPECT_EQ(canvas.clip_box(), (Rect{-1, 0, 2, 2}));
    EXPECT_TRUE(canvas.is_visible({-1, 0}));
    EXPECT_FALSE(canvas.is_visible({0, 2}));
    canvas.set_pixel({0, 0}, clRed);
    canvas.set_pixel({0, 2}, clRed); // outside the clip
    EXPECT_EQ(canvas.get_pixel({0, 0}), clRed);
    EXPECT_EQ(canvas.get_pixel({0, 2}), pixel_to_color(legend('.')));
    EXPECT_EQ(canvas.get_pixel({5, 5}), clNone);

    canvas.font().name = "SimSun";
    canvas.set_text_color(clBlue);
    canvas.save();
    canvas.font().bold = true;
    canvas.set_bk_mode(BkMode::Transparent);
    canvas.reset_clip();
    canvas.restore();
    canvas.restore(); // nothing left to restore
    EXPECT_FALSE(canvas.font().bold);
    EXPECT_EQ(canvas.font().name, "SimSun");
    EXPECT_EQ(canvas.text_color(), clBlue);
    EXPECT_EQ(canvas.bk_mode(), BkMode::Opaque);
    EXPECT_EQ(canvas.clip_box(), (Rect{-1, 0, 2, 2}));
}

TEST(CanvasState, DrawingStaysInsideATargetResizedUnderTheCanvas)
{
    Bitmap target(8, 8, legend('.'));
    Canvas canvas(target);
    target.resize(2, 2, legend('.'));
    canvas.fill_rect({0, 0, 8, 8}, clRed);
    canvas.pen().color = clBlue;
    canvas.line({7, 0}, {7, 8});
    canvas.line({1, 1}, {8, 8});
    canvas.tile({0, 0, 8, 8}, quad(), quad().rect());
    canvas.draw_focus_rect({0, 0, 8, 8});
    canvas.set_pixel({5, 5}, clRed);
    EXPECT_EQ(target.size(), (Size{2, 2}));
}

TEST(CanvasBlit, ReadingFromTheTargetItself)
{
    Bitmap target = picture({"RG.."});
    Canvas canvas(target);
    canvas.stretch_draw({0, 0, 4, 1}, target, {0, 0, 2, 1});
    EXPECT_TRUE(same_pixels(picture({"RRGG"}), target));
    canvas.draw({1, 0}, target, {0, 0, 3, 1});
    EXPECT_TRUE(same_pixels(picture({"RRRG"}), target));
}

TEST(Colors, SystemColoursResolveThroughTheTable)
{
    EXPECT_EQ(resolve_color(clBtnFace), rgb(212, 208, 200));
    EXPECT_EQ(resolve_color(clWindow), rgb(255, 255, 255));
    EXPECT_EQ(resolve_color(system_color(200)), clBlack);
    EXPECT_EQ(resolve_color(rgb(1, 2, 3)), rgb(1, 2, 3));
    EXPECT_EQ(to_pixel(rgb(1, 2, 3)), make_pixel(1, 2, 3));
    EXPECT_EQ(to_pixel(0xFF0000), make_pixel(0, 0, 255)) << "0x00BBGGRR: 0xFF0000 is blue";
}

} // namespace
} // namespace lt
