// The composition routines on tiny procedurally built pictures: every piece of
// the fixture skin has its own colour, shaded by its column and row, so a
// misplaced, mis-tiled or mis-stretched pixel shows. Expected images are built
// here by mapping each target pixel back to its source pixel; whole buffers
// are compared and the first difference is named.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skinned/composition.h"
#include "tests/gfx/pixels.h"

namespace lt {
namespace {

using test::hex;
using test::same_pixels;

// Outside the skin rectangle the fixture picture holds this colour; no
// composed pixel may ever show it.
constexpr Pixel kForbidden = make_pixel(255, 0, 255);
// What a target holds before composing.
constexpr Pixel kUntouched = make_pixel(1, 2, 3);

// A 10 x 10 skin cut by C = (2, 2, 8, 8), LT (3, 3), RT (7, 3), LB (3, 7),
// RB (7, 7) into thirteen pieces: eight corner pieces, four edges and the
// client. It sits at (3, 2) in a 16 x 14 picture.
constexpr Rect kSkin{3, 2, 13, 12};
constexpr Rect kPieces[] = {
    {0, 0, 3, 2},                                // top-left corner
    {0, 2, 2, 3},                                // below it
    {7, 0, 10, 2},                               // top-right corner
    {8, 2, 10, 3},                               // below it
    {0, 7, 2, 10},                               // bottom-left corner
    {2, 8, 3, 10},                               // right of it
    {7, 8, 10, 10}, {8, 7, 10, 8}, {3, 0, 7, 2}, // top edge
    {3, 8, 7, 10},                               // bottom edge
    {0, 3, 2, 7},                                // left edge
    {8, 3, 10, 7},                               // right edge
    {2, 2, 8, 8},                                // client
};

Bitmap NinePieceFixture()
{
    Bitmap pic(16, 14, kForbidden);
    int id = 1;
    for (const Rect& p : kPieces) {
        for (int y = p.top; y < p.bottom; ++y)
            for (int x = p.left; x < p.right; ++x)
                pic.set_pixel(
                    kSkin.left + x, kSkin.top + y, make_pixel(id * 18, 10 + (x - p.left) * 30, 10 + (y - p.top) * 30));
        ++id;
    }
    return pic;
}

SkinGeometry NinePieceGeometry()
{
    SkinGeometry g;
    g.skinrect = kSkin;
    g.clientrect = {2, 2, 8, 8};
    g.lefttoppoint = {3, 3};
    g.righttoppoint = {7, 3};
    g.leftbottompoint = {3, 7};
    g.rightbottompoint = {7, 7};
    return g;
}

// A source span of `span` pixels over a target span of `len`: copied,
// repeated from the start, or scaled to nearest neighbours.
enum class Fill { Copy, Tile, Stretch };

int Local(Fill f, int i, int span, int len)
{
    switch (f) {
    case Fill::Copy:
        return i;
    case Fill::Tile:
        return i % span;
    case Fill::Stretch:
        return static_cast<int>(std::int64_t{i} * span / len);
    }
    return 0;
}

// Writes into `e` what `src` (relative to the skin) becomes over `target`.
void Place(Bitmap& e, const Bitmap& pic, const Rect& src, const Rect& target, Fill fx, Fill fy)
{
    const Rect s = src.offset(kSkin.top_left());
    const Rect t = target.intersected(e.rect());
    for (int y = t.top; y < t.bottom; ++y)
        for (int x = t.left; x < t.right; ++x)
            e.set_pixel(x, y,
                pic.pixel(s.left + Local(fx, x - target.left, s.width(), target.width()),
                    s.top + Local(fy, y - target.top, s.height(), target.height())));
}

Bitmap Compose(const Bitmap& pic, const SkinGeometry& g, Size size)
{
    const SkinFit fit = g.fit(size);
    Bitmap out(fit.size.width, fit.size.height, kUntouched);
    Canvas canvas(out);
    ComposeSkin(canvas, pic, g.skinrect, g, fit);
    return out;
}

// ---- Geometry -------------------------------------------------------------

TEST(SkinGeometry, ModeSizeRuleAndTargetGeometry)
{
    struct Row {
        const char* name;
        Point lt, rt, lb, rb;
        Size proposed;
        ResizeMode mode;
        Size size;
        TargetGeometry target;
    };
    // A 42 x 22 skin with C = (2, 2, 40, 20), shaped like the stored button.
    const Row rows[] = {
        {"nine-piece grows all", {3, 9}, {35, 11}, {3, 15}, {35, 15}, {100, 40}, ResizeMode::NinePiece, {100, 40},
            {{3, 9}, {93, 11}, {3, 33}, {93, 33}, {2, 2, 98, 38}}},
        {"nine-piece shrinks", {3, 9}, {35, 11}, {3, 15}, {35, 15}, {30, 10}, ResizeMode::NinePiece, {30, 10},
            {{3, 9}, {23, 11}, {3, 3}, {23, 3}, {2, 2, 28, 8}}},
        {"RB 0,0 with RT set is horizontal", {3, 9}, {35, 11}, {0, 0}, {0, 0}, {100, 30}, ResizeMode::Horizontal,
            {100, 22}, {{3, 9}, {93, 11}, {0, 0}, {0, 0}, {2, 2, 98, 20}}},
        {"one zero coordinate of RB is not nine-piece", {3, 9}, {35, 11}, {0, 0}, {35, 0}, {60, 30},
            ResizeMode::Horizontal, {60, 22}, {{3, 9}, {53, 11}, {0, 0}, {35, 0}, {2, 2, 58, 20}}},
        {"LB alone is vertical", {3, 9}, {0, 0}, {3, 15}, {0, 0}, {100, 30}, ResizeMode::Vertical, {42, 30},
            {{3, 9}, {0, 0}, {3, 23}, {0, 0}, {2, 2, 40, 28}}},
        {"no points is fixed", {3, 9}, {0, 0}, {0, 0}, {0, 0}, {100, 30}, ResizeMode::Fixed, {42, 22},
            {{3, 9}, {0, 0}, {0, 0}, {0, 0}, {2, 2, 40, 20}}},
    };
    for (const Row& r : rows) {
        SkinGeometry g;
        g.skinrect = {458, 272, 500, 294};
        g.clientrect = {2, 2, 40, 20};
        g.lefttoppoint = r.lt;
        g.righttoppoint = r.rt;
        g.leftbottompoint = r.lb;
        g.rightbottompoint = r.rb;
        const SkinFit fit = g.fit(r.proposed);
        EXPECT_EQ(fit.mode, r.mode) << r.name;
        EXPECT_EQ(fit.size, r.size) << r.name;
        EXPECT_EQ(fit.target, r.target) << r.name;
    }
    SkinGeometry empty;
    empty.rightbottompoint = {5, 5};
    EXPECT_EQ(empty.fit({7, 9}), (SkinFit{ResizeMode::None, {7, 9}, {{0, 0}, {0, 0}, {0, 0}, {5, 5}, {}}}));
}

// ---- Pictures ---------------------------------------------------------------

TEST(Compose, NinePieceTilesOrStretchesEdgesAndClient)
{
    const Bitmap pic = NinePieceFixture();
    struct Row {
        const char* name;
        Size size;
        bool edges_stretched;
        bool stretcheffect;
        TStretchType type;
        Fill client_x, client_y;
    };
    const Row rows[] = {
        {"same size", {10, 10}, false, false, stFull, Fill::Tile, Fill::Tile},
        {"grown, tiled", {23, 17}, false, false, stFull, Fill::Tile, Fill::Tile},
        {"grown, stretched, stfull", {23, 17}, true, true, stFull, Fill::Stretch, Fill::Stretch},
        {"sthorz: stretched in height, tiled across", {23, 17}, false, true, stHorz, Fill::Tile, Fill::Stretch},
        {"stvert: stretched in width, tiled down", {23, 17}, false, true, stVert, Fill::Stretch, Fill::Tile},
    };
    for (const Row& r : rows) {
        SkinGeometry g = NinePieceGeometry();
        g.leftstretch = g.topstretch = g.rightstretch = g.bottomstretch = r.edges_stretched;
        g.stretcheffect = r.stretcheffect;
        g.stretchtype = r.type;
        const int dw = r.size.width - 10, dh = r.size.height - 10;
        const Fill edge = r.edges_stretched ? Fill::Stretch : Fill::Tile;
        Bitmap e(r.size.width, r.size.height, kUntouched);
        Place(e, pic, {0, 0, 3, 2}, {0, 0, 3, 2}, Fill::Copy, Fill::Copy);
        Place(e, pic, {0, 2, 2, 3}, {0, 2, 2, 3}, Fill::Copy, Fill::Copy);
        Place(e, pic, {7, 0, 10, 2}, Rect{7, 0, 10, 2}.offset(dw, 0), Fill::Copy, Fill::Copy);
        Place(e, pic, {8, 2, 10, 3}, Rect{8, 2, 10, 3}.offset(dw, 0), Fill::Copy, Fill::Copy);
        Place(e, pic, {0, 7, 2, 10}, Rect{0, 7, 2, 10}.offset(0, dh), Fill::Copy, Fill::Copy);
        Place(e, pic, {2, 8, 3, 10}, Rect{2, 8, 3, 10}.offset(0, dh), Fill::Copy, Fill::Copy);
        Place(e, pic, {7, 8, 10, 10}, Rect{7, 8, 10, 10}.offset(dw, dh), Fill::Copy, Fill::Copy);
        Place(e, pic, {8, 7, 10, 8}, Rect{8, 7, 10, 8}.offset(dw, dh), Fill::Copy, Fill::Copy);
        Place(e, pic, {3, 0, 7, 2}, {3, 0, 7 + dw, 2}, edge, Fill::Copy);
        Place(e, pic, {3, 8, 7, 10}, {3, 8 + dh, 7 + dw, 10 + dh}, edge, Fill::Copy);
        Place(e, pic, {0, 3, 2, 7}, {0, 3, 2, 7 + dh}, Fill::Copy, edge);
        Place(e, pic, {8, 3, 10, 7}, {8 + dw, 3, 10 + dw, 7 + dh}, Fill::Copy, edge);
        Place(e, pic, {2, 2, 8, 8}, {2, 2, 8 + dw, 8 + dh}, r.client_x, r.client_y);
        EXPECT_TRUE(same_pixels(e, Compose(pic, g, r.size))) << r.name;
    }
}

TEST(Compose, NinePieceWithoutClientLeavesTheClientAlone)
{
    const Bitmap pic = NinePieceFixture();
    const SkinGeometry g = NinePieceGeometry();
    const SkinFit fit = g.fit({14, 12});
    Bitmap out(14, 12, kUntouched);
    Canvas canvas(out);
    ComposeSkin(canvas, pic, g.skinrect, g, fit, false);
    for (int y = 2; y < 10; ++y)
        for (int x = 2; x < 12; ++x)
            ASSERT_EQ(out.pixel(x, y), kUntouched) << "at (" << x << ", " << y << ")";
    EXPECT_NE(out.pixel(0, 0), kUntouched);
}

// A 9 x 3 strip: left piece 2 wide, middle span [2, 6), right piece 3 wide.
Bitmap StripFixture()
{
    Bitmap pic(16, 14, kForbidden);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 9; ++x)
            pic.set_pixel(kSkin.left + x, kSkin.top + y,
                make_pixel(20 + x * 25, 40 + y * 60,
                    x < 2       ? 0
                        : x < 6 ? 90
                                : 180));
    return pic;
}

TEST(Compose, ThreePieceTilingCutsTheLastCopy)
{
    // The middle span of 4 fills 10 pixels: copies at 0, 4 and 8 of the
    // middle, the last one 2 pixels wide.
    const Bitmap pic = StripFixture();
    SkinGeometry g;
    g.skinrect = Rect::from_xywh(kSkin.left, kSkin.top, 9, 3);
    g.lefttoppoint = {2, 0};
    g.righttoppoint = {6, 0};
    Bitmap tiled(15, 3, kUntouched);
    Place(tiled, pic, {0, 0, 2, 3}, {0, 0, 2, 3}, Fill::Copy, Fill::Copy);
    for (int k : {0, 4, 8})
        Place(tiled, pic, {2, 0, 6, 3}, Rect{2 + k, 0, 6 + k, 3}.intersected({2, 0, 12, 3}), Fill::Copy, Fill::Copy);
    Place(tiled, pic, {6, 0, 9, 3}, {12, 0, 15, 3}, Fill::Copy, Fill::Copy);
    EXPECT_EQ(tiled.pixel(11, 0), pic.pixel(kSkin.left + 3, kSkin.top)); // the cut copy ends with its 2nd column
    EXPECT_TRUE(same_pixels(tiled, Compose(pic, g, {15, 30})));

    g.stretcheffect = true;
    Bitmap stretched(15, 3, kUntouched);
    Place(stretched, pic, {0, 0, 2, 3}, {0, 0, 2, 3}, Fill::Copy, Fill::Copy);
    Place(stretched, pic, {2, 0, 6, 3}, {2, 0, 12, 3}, Fill::Stretch, Fill::Copy);
    Place(stretched, pic, {6, 0, 9, 3}, {12, 0, 15, 3}, Fill::Copy, Fill::Copy);
    EXPECT_TRUE(same_pixels(stretched, Compose(pic, g, {15, 30})));

    // Narrower than both ends: the right end overlaps the left, no middle.
    g.stretcheffect = false;
    Bitmap narrow(4, 3, kUntouched);
    Place(narrow, pic, {0, 0, 2, 3}, {0, 0, 2, 3}, Fill::Copy, Fill::Copy);
    Place(narrow, pic, {6, 0, 9, 3}, {1, 0, 4, 3}, Fill::Copy, Fill::Copy);
    EXPECT_TRUE(same_pixels(narrow, Compose(pic, g, {4, 3})));
}

TEST(Compose, VerticalThreePieceAndFixedCopy)
{
    // The strip fixture turned on its side: top 2, middle [2, 6), bottom 3.
    const Bitmap strip = StripFixture();
    Bitmap pic(16, 14, kForbidden);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 3; ++x)
            pic.set_pixel(kSkin.left + x, kSkin.top + y, strip.pixel(kSkin.left + y, kSkin.top + x));
    SkinGeometry g;
    g.skinrect = Rect::from_xywh(kSkin.left, kSkin.top, 3, 9);
    g.lefttoppoint = {0, 2};
    g.leftbottompoint = {0, 6};
    Bitmap e(3, 15, kUntouched);
    Place(e, pic, {0, 0, 3, 2}, {0, 0, 3, 2}, Fill::Copy, Fill::Copy);
    Place(e, pic, {0, 2, 3, 6}, {0, 2, 3, 12}, Fill::Copy, Fill::Tile);
    Place(e, pic, {0, 6, 3, 9}, {0, 12, 3, 15}, Fill::Copy, Fill::Copy);
    EXPECT_TRUE(same_pixels(e, Compose(pic, g, {40, 15})));

    // Fixed: the skin rectangle 1:1 at the top-left; nothing else is touched.
    const Bitmap nine = NinePieceFixture();
    SkinGeometry fixed;
    fixed.skinrect = kSkin;
    Bitmap out(14, 12, kUntouched);
    Canvas canvas(out);
    ComposeSkin(canvas, nine, fixed.skinrect, fixed, fixed.fit({14, 12}));
    Bitmap expected(14, 12, kUntouched);
    Place(expected, nine, {0, 0, 10, 10}, {0, 0, 10, 10}, Fill::Copy, Fill::Copy);
    EXPECT_TRUE(same_pixels(expected, out));
}

TEST(Compose, FullyStretchedNinePieceKeepsCornersAndScalesTheRest)
{
    const Bitmap pic = NinePieceFixture();
    const Rect C{2, 2, 8, 8};
    Bitmap out(20, 16, kUntouched);
    Canvas canvas(out);
    ComposeStretchedNinePiece(canvas, pic, kSkin, C, {20, 16});
    Bitmap e(20, 16, kUntouched);
    Place(e, pic, {0, 0, 2, 2}, {0, 0, 2, 2}, Fill::Copy, Fill::Copy);
    Place(e, pic, {8, 0, 10, 2}, {18, 0, 20, 2}, Fill::Copy, Fill::Copy);
    Place(e, pic, {0, 8, 2, 10}, {0, 14, 2, 16}, Fill::Copy, Fill::Copy);
    Place(e, pic, {8, 8, 10, 10}, {18, 14, 20, 16}, Fill::Copy, Fill::Copy);
    Place(e, pic, {2, 0, 8, 2}, {2, 0, 18, 2}, Fill::Stretch, Fill::Copy);
    Place(e, pic, {2, 8, 8, 10}, {2, 14, 18, 16}, Fill::Stretch, Fill::Copy);
    Place(e, pic, {0, 2, 2, 8}, {0, 2, 2, 14}, Fill::Copy, Fill::Stretch);
    Place(e, pic, {8, 2, 10, 8}, {18, 2, 20, 14}, Fill::Copy, Fill::Stretch);
    Place(e, pic, {2, 2, 8, 8}, {2, 2, 18, 14}, Fill::Stretch, Fill::Stretch);
    EXPECT_TRUE(same_pixels(e, out));
}

TEST(Compose, BorderStripsAreTheNinePieceAroundTheClient)
{
    const Bitmap pic = NinePieceFixture();
    const SkinGeometry g = NinePieceGeometry();
    const SkinFit fit = g.fit({23, 17});
    const Bitmap whole = Compose(pic, g, {23, 17});
    const BorderStrips s = ComposeBorderStrips(pic, g.skinrect, g, fit, kUntouched);
    const Rect C = fit.target.client; // 2, 2, 21, 15
    EXPECT_TRUE(same_pixels(whole.copy({0, 0, 23, C.top}), s.top));
    EXPECT_TRUE(same_pixels(whole.copy({0, C.bottom, 23, 17}), s.bottom));
    EXPECT_TRUE(same_pixels(whole.copy({0, C.top, C.left, C.bottom}), s.left));
    EXPECT_TRUE(same_pixels(whole.copy({C.right, C.top, 23, C.bottom}), s.right));
}

// Degenerate skins and sizes: nothing is drawn outside the target, nothing is
// read outside the skin rectangle, and every case ends.
TEST(Compose, DegenerateGeometryDrawsOnlyInsideTheTargetFromInsideTheSkin)
{
    const Bitmap pic = NinePieceFixture();
    struct Row {
        const char* name;
        void (*change)(SkinGeometry&);
        Size size;
        // A moved skin rectangle covers other pixels of the fixture; the
        // sanitizers watch its reads past the picture.
        bool skin_moved = false;
    };
    const Row rows[] = {
        {"top edge of length 0", [](SkinGeometry& g) { g.righttoppoint.x = g.lefttoppoint.x; }, {30, 20}},
        {"client outside the corner points",
            [](SkinGeometry& g) {
                g.clientrect = {5, 5, 9, 9};
                g.lefttoppoint = {2, 2};
                g.righttoppoint = {4, 2};
                g.leftbottompoint = {2, 4};
                g.rightbottompoint = {4, 4};
            },
            {30, 20}},
        {"zero-width client",
            [](SkinGeometry& g) {
                g.clientrect = {4, 2, 4, 8};
            },
            {30, 20}},
        {"zero-width client stretched",
            [](SkinGeometry& g) {
                g.clientrect = {4, 2, 4, 8};
                g.stretcheffect = true;
                g.stretchtype = stHorz;
            },
            {30, 20}},
        {"client larger than the skin",
            [](SkinGeometry& g) {
                g.clientrect = {-5, -5, 40, 40};
            },
            {30, 20}},
        {"skin rectangle partly outside the picture",
            [](SkinGeometry& g) {
                g.skinrect = {10, 8, 20, 18};
            },
            {30, 20}, true},
        {"skin rectangle wholly outside the picture",
            [](SkinGeometry& g) {
                g.skinrect = {100, 100, 110, 110};
            },
            {30, 20}, true},
        {"corner points beyond the skin",
            [](SkinGeometry& g) {
                g.righttoppoint = {40, 3};
                g.rightbottompoint = {40, 30};
            },
            {30, 20}},
        {"narrower and lower than the corners", [](SkinGeometry&) {}, {4, 4}},
        {"one pixel", [](SkinGeometry&) {}, {1, 1}},
        {"nothing", [](SkinGeometry&) {}, {0, 0}},
        {"stretched client to nothing",
            [](SkinGeometry& g) {
                g.stretcheffect = true;
                g.stretchtype = stVert;
            },
            {5, 5}},
        {"large", [](SkinGeometry&) {}, {800, 600}},
        {"horizontal, ends wider than the skin",
            [](SkinGeometry& g) {
                g.rightbottompoint = {};
                g.lefttoppoint = {8, 0};
                g.righttoppoint = {1, 0};
            },
            {30, 20}},
        {"horizontal, middle span 0",
            [](SkinGeometry& g) {
                g.rightbottompoint = {};
                g.lefttoppoint = {5, 0};
                g.righttoppoint = {5, 0};
            },
            {30, 20}},
        {"vertical, bottom above top",
            [](SkinGeometry& g) {
                g.rightbottompoint = g.righttoppoint = {};
                g.lefttoppoint = {0, 8};
                g.leftbottompoint = {0, 2};
            },
            {30, 20}},
    };
    constexpr int kMargin = 4;
    for (const Row& r : rows) {
        SkinGeometry g = NinePieceGeometry();
        r.change(g);
        const SkinFit fit = g.fit(r.size);
        const Size size = fit.size;
        Bitmap out(size.width + 2 * kMargin, size.height + 2 * kMargin, kUntouched);
        Canvas canvas(out);
        canvas.set_origin({kMargin, kMargin});
        ComposeSkin(canvas, pic, g.skinrect, g, fit);
        const Rect target = Rect::from_size(size).offset(kMargin, kMargin);
        for (int y = 0; y < out.height(); ++y) {
            for (int x = 0; x < out.width(); ++x) {
                const Pixel p = out.pixel(x, y);
                if (!target.contains(Point{x, y})) {
                    ASSERT_EQ(p, kUntouched) << r.name << ": drawn outside the target at (" << x << ", " << y << ")";
                }
                if (!r.skin_moved) {
                    ASSERT_NE(p, kForbidden) << r.name << ": read outside the skin for (" << x << ", " << y << ")";
                }
            }
        }
        // The regions of the same geometry end as well.
        (void)SkinRegion(pic, pic.rect(), g, fit);
    }
}

// ---- Regions ----------------------------------------------------------------

TEST(SkinRegion, PerModeFromMasks)
{
    const Pixel black = make_pixel(0, 0, 0), white = make_pixel(255, 255, 255);
    Bitmap none(10, 10, white), all(10, 10, black), rounded(10, 10, black);
    for (Point p : {Point{0, 0}, Point{9, 0}, Point{0, 9}, Point{9, 9}})
        rounded.set_pixel(p.x, p.y, white);
    auto geometry = [](ResizeMode mode) {
        SkinGeometry g = NinePieceGeometry();
        if (mode != ResizeMode::NinePiece)
            g.rightbottompoint = {};
        if (mode == ResizeMode::Vertical || mode == ResizeMode::Fixed)
            g.righttoppoint = {};
        if (mode == ResizeMode::Horizontal || mode == ResizeMode::Fixed)
            g.leftbottompoint = {};
        return g;
    };
    auto without_corners = [](Size s) {
        Region r(Rect::from_size(s));
        for (Point p : {Point{0, 0}, Point{s.width - 1, 0}, Point{0, s.height - 1}, Point{s.width - 1, s.height - 1}})
            r.subtract(Region(Rect::from_xywh(p.x, p.y, 1, 1)));
        return r;
    };
    struct Row {
        const char* name;
        ResizeMode mode;
        const Bitmap* mask;
        Size size;
        std::optional<Region> expected;
    };
    const Row rows[] = {
        {"fixed, no black: nothing shows", ResizeMode::Fixed, &none, {10, 10}, Region()},
        {"fixed, all black: the whole rectangle", ResizeMode::Fixed, &all, {10, 10}, Region({0, 0, 10, 10})},
        {"fixed, rounded", ResizeMode::Fixed, &rounded, {10, 10}, without_corners({10, 10})},
        {"nine-piece, no black: the client stays", ResizeMode::NinePiece, &none, {20, 16}, Region({2, 2, 18, 14})},
        {"nine-piece, all black", ResizeMode::NinePiece, &all, {20, 16}, Region({0, 0, 20, 16})},
        {"nine-piece, rounded", ResizeMode::NinePiece, &rounded, {20, 16}, without_corners({20, 16})},
        {"horizontal, no black: the client stays", ResizeMode::Horizontal, &none, {20, 10}, Region({2, 2, 18, 8})},
        {"horizontal, rounded", ResizeMode::Horizontal, &rounded, {20, 10}, without_corners({20, 10})},
        {"vertical, no black: the client stays", ResizeMode::Vertical, &none, {10, 20}, Region({2, 2, 8, 18})},
        {"vertical, rounded", ResizeMode::Vertical, &rounded, {10, 20}, without_corners({10, 20})},
        {"nine-piece narrower than its corners: none", ResizeMode::NinePiece, &all, {4, 20}, std::nullopt},
        {"nine-piece lower than its corners: none", ResizeMode::NinePiece, &all, {20, 4}, std::nullopt},
        {"horizontal narrower than its ends: none", ResizeMode::Horizontal, &all, {4, 10}, std::nullopt},
        {"vertical lower than its ends: none", ResizeMode::Vertical, &all, {10, 4}, std::nullopt},
    };
    for (const Row& r : rows) {
        const SkinGeometry g = geometry(r.mode);
        const SkinFit fit = g.fit(r.size);
        ASSERT_EQ(fit.mode, r.mode) << r.name;
        const std::optional<Region> got = SkinRegion(*r.mask, r.mask->rect(), g, fit);
        ASSERT_EQ(got.has_value(), r.expected.has_value()) << r.name;
        if (got) {
            EXPECT_TRUE(*got == *r.expected) << r.name << ": bounds " << got->bounds().left << "," << got->bounds().top
                                             << "," << got->bounds().right << "," << got->bounds().bottom;
        }
    }
    SkinGeometry empty;
    EXPECT_FALSE(SkinRegion(all, all.rect(), empty, empty.fit({10, 10})).has_value());
}

TEST(SkinRegion, RunsAreNotCapped)
{
    // A checkerboard of 400 x 100 has 20,000 runs of one black pixel each.
    Bitmap mask(400, 100, make_pixel(255, 255, 255));
    for (int y = 0; y < 100; ++y)
        for (int x = (y & 1); x < 400; x += 2)
            mask.set_pixel(x, y, 0);
    SkinGeometry g;
    g.skinrect = mask.rect();
    const std::optional<Region> r = SkinRegion(mask, mask.rect(), g, g.fit({400, 100}));
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->contains({399, 1}));
    EXPECT_TRUE(r->contains({0, 98}));
    EXPECT_FALSE(r->contains({0, 99}));
}

// ---- Glyphs and captions ----------------------------------------------------

TEST(Glyphs, SlicesOfAStripAndTheirTransparentColour)
{
    EXPECT_EQ(GlyphSlice({10, 4}, 3, 1), (Rect{0, 0, 3, 4}));
    EXPECT_EQ(GlyphSlice({10, 4}, 3, 3), (Rect{6, 0, 9, 4}));
    for (auto [num, k] : {std::pair{0, 1}, {-1, 1}, {3, 0}, {3, 4}, {20, 1}})
        EXPECT_TRUE(GlyphSlice({10, 4}, num, k).empty()) << num << " glyphs, image " << k;

    // Each image's lower-left pixel is its transparent colour.
    const Bitmap strip = test::picture({"RGYC", "BRCM"});
    for (auto [k, rows] : {std::pair{1, std::vector<std::string_view>{"RG", ".R"}}, {2, {"Y.", ".M"}}}) {
        Bitmap out = test::picture({"..", ".."});
        Canvas canvas(out);
        DrawGlyph(canvas, {0, 0}, strip, 2, k);
        Bitmap expected(2, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                expected.set_pixel(x, y, test::legend(rows[y][x]));
        EXPECT_TRUE(same_pixels(expected, out)) << "image " << k;
    }
}

TEST(Glyphs, GlyphAndCaptionLayout)
{
    // R = (10, 20, 110, 60): centre (60, 40); glyph 16 x 12, caption 30 x 14,
    // spacing 4; margin 5 or centred (-1).
    const Rect R{10, 20, 110, 60};
    struct Row {
        TButtonLayout layout;
        int margin;
        Point glyph, caption;
    };
    const Row rows[] = {
        {blGlyphLeft, 5, {15, 34}, {35, 33}},
        {blGlyphRight, 5, {89, 34}, {55, 33}},
        {blGlyphTop, 5, {52, 25}, {45, 41}},
        {blGlyphBottom, 5, {52, 43}, {45, 25}},
        {blGlyphLeft, -1, {35, 34}, {55, 33}},
        {blGlyphRight, -1, {69, 34}, {35, 33}},
        {blGlyphTop, -1, {52, 25}, {45, 41}},
        {blGlyphBottom, -1, {52, 43}, {45, 25}},
    };
    for (const Row& r : rows) {
        for (bool pressed : {false, true}) {
            const Point d = pressed ? Point{1, 1} : Point{0, 0};
            const GlyphCaptionPlace p = LayoutGlyphCaption(R, r.margin, 4, r.layout, {16, 12}, {30, 14}, pressed);
            EXPECT_EQ(p.glyph, r.glyph + d)
                << "layout " << r.layout << " margin " << r.margin << " pressed " << pressed;
            EXPECT_EQ(p.caption, r.caption + d)
                << "layout " << r.layout << " margin " << r.margin << " pressed " << pressed;
        }
    }
    // Without a glyph there is no spacing; odd sizes halve toward zero.
    const GlyphCaptionPlace p = LayoutGlyphCaption(R, -1, 4, blGlyphLeft, {0, 0}, {31, 13}, false);
    EXPECT_EQ(p.caption, (Point{44, 34}));
    EXPECT_EQ(p.glyph, (Point{45, 40}));
}

TEST(Glyphs, CaptionMeasuredInTheRoomTheGlyphLeaves)
{
    Bitmap bmp(200, 100);
    Canvas canvas(bmp);
    canvas.font() = FontDesc{"Arial", -12};
    const Rect R{0, 0, 120, 60};
    EXPECT_EQ(MeasureCaption(canvas, "", R, blGlyphLeft, {16, 16}), (Size{0, 0}));
    const Size one_line = MeasureCaption(canvas, "two words", R, blGlyphTop, {16, 16});
    EXPECT_GT(one_line.width, 0);
    // Beside a glyph that leaves too little width the words wrap.
    const Size wrapped = MeasureCaption(canvas, "two words", R, blGlyphLeft, {120 - one_line.width + 5, 16});
    EXPECT_LT(wrapped.width, one_line.width);
    EXPECT_GT(wrapped.height, one_line.height);
}

} // namespace
} // namespace lt
