#include <gtest/gtest.h>

#include <vector>

#include "gfx/bmp.h"
#include "gfx/region.h"
#include "tests/gfx/pixels.h"
#include "tests/gfx/raw_bmp.h"

namespace lt {
namespace {

using test::picture;

Region rects(std::initializer_list<Rect> list)
{
    return Region::from_rects(std::vector<Rect>(list));
}

// The pixels of a region inside `area`, as 'K' (in) and 'W' (out) rows, so a
// failure shows the shape.
std::vector<std::string> shape(const Region& r, const Rect& area)
{
    std::vector<std::string> rows;
    for (int y = area.top; y < area.bottom; ++y) {
        std::string row;
        for (int x = area.left; x < area.right; ++x)
            row += r.contains({x, y}) ? 'K' : 'W';
        rows.push_back(row);
    }
    return rows;
}

TEST(Region, BooleanOperations)
{
    const Region a = rects({{0, 0, 4, 4}});
    const Region b = rects({{2, 2, 6, 6}});
    struct Case {
        const char* name;
        Region result;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"union", a | b, {"KKKKWW", "KKKKWW", "KKKKKK", "KKKKKK", "WWKKKK", "WWKKKK"}},
        {"intersection", a & b, {"WWWWWW", "WWWWWW", "WWKKWW", "WWKKWW", "WWWWWW", "WWWWWW"}},
        {"difference", a - b, {"KKKKWW", "KKKKWW", "KKWWWW", "KKWWWW", "WWWWWW", "WWWWWW"}},
        {"hole", a - rects({{1, 1, 3, 3}}), {"KKKKWW", "KWWKWW", "KWWKWW", "KKKKWW", "WWWWWW", "WWWWWW"}},
        {"disjoint intersection", a & rects({{5, 5, 6, 6}}),
            {"WWWWWW", "WWWWWW", "WWWWWW", "WWWWWW", "WWWWWW", "WWWWWW"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shape(c.result, {0, 0, 6, 6}), c.expected);
    }
    EXPECT_EQ((a | b).bounds(), (Rect{0, 0, 6, 6}));
    EXPECT_TRUE((a & rects({{5, 5, 6, 6}})).empty());
    EXPECT_EQ((a & rects({{5, 5, 6, 6}})).bounds(), Rect{});
}

TEST(Region, NormalFormMakesEqualShapesEqual)
{
    // The same L shape built three ways.
    const Region one = rects({{0, 0, 2, 3}, {2, 2, 4, 3}});
    const Region two = rects({{0, 2, 4, 3}, {0, 0, 2, 2}});
    Region three = rects({{0, 0, 4, 3}});
    three.subtract(rects({{2, 0, 4, 2}}));
    EXPECT_EQ(one, two);
    EXPECT_EQ(one, three);
    EXPECT_EQ(one.rects(), (std::vector<Rect>{{0, 0, 2, 2}, {0, 2, 4, 3}}));
    // Touching rectangles in a row merge into one span.
    EXPECT_EQ(rects({{0, 0, 1, 1}, {1, 0, 2, 1}}).rects(), (std::vector<Rect>{{0, 0, 2, 1}}));

    Region moved = one;
    moved.offset(10, -1);
    EXPECT_EQ(moved.bounds(), (Rect{10, -1, 14, 2}));
    EXPECT_TRUE(moved.contains({13, 1}));
    EXPECT_FALSE(moved.contains({13, 0}));
    EXPECT_TRUE(moved.intersects({12, 1, 20, 5}));
    EXPECT_FALSE(moved.intersects({12, -5, 20, 1}));
}

TEST(Region, FromMaskTakesPureBlackRunsAtAnOrigin)
{
    const Bitmap mask = picture({"KKWK", "KKWK", "WRKK"});
    const Region r = Region::from_mask(mask, {10, 20});
    EXPECT_EQ(r.rects(), (std::vector<Rect>{{10, 20, 12, 22}, {13, 20, 14, 22}, {12, 22, 14, 23}}));
    EXPECT_TRUE(Region::from_mask(picture({"WR", "GB"})).empty());
    EXPECT_EQ(Region::from_mask(picture({"KK", "KK"})), Region(Rect{0, 0, 2, 2}));
}

TEST(Region, MasksFromPaletteBitmapsBothRowOrders)
{
    // Index 0 is white and index 1 black, so the palette, not the index,
    // decides what is black.
    const std::vector<std::uint32_t> white_black = {0xFFFFFF, 0x000000};
    test::RawBmp one_bit;
    one_bit.bit_count = 1;
    one_bit.width = 3;
    one_bit.height = 2;
    one_bit.palette = white_black;
    one_bit.rows = {0b01000000, 0, 0, 0, /**/ 0b10100000, 0, 0, 0}; // bottom row first

    test::RawBmp eight_bit;
    eight_bit.bit_count = 8;
    eight_bit.width = 3;
    eight_bit.height = -2; // top-down
    eight_bit.colors_used = 2;
    eight_bit.palette = white_black;
    eight_bit.rows = {1, 0, 1, 0, /**/ 0, 1, 0, 0};

    for (const test::RawBmp* raw : {&one_bit, &eight_bit}) {
        SCOPED_TRACE(raw->bit_count);
        Bitmap mask;
        read_bmp(raw->bytes(), 0, mask);
        EXPECT_EQ(shape(Region::from_mask(mask), {0, 0, 3, 2}), (std::vector<std::string>{"KWK", "WKW"}));
    }
}

TEST(Region, MaskRunsAreNotCapped)
{
    // Every other pixel black: 200 x 120 gives 12,000 runs.
    Bitmap mask(200, 120, make_pixel(255, 255, 255));
    for (int y = 0; y < mask.height(); ++y)
        for (int x = (y & 1); x < mask.width(); x += 2)
            mask.set_pixel(x, y, 0);
    const Region r = Region::from_mask(mask);
    EXPECT_EQ(r.rects().size(), 12000u);
    EXPECT_TRUE(r.contains({199, 119}));
    EXPECT_FALSE(r.contains({198, 119}));
}

} // namespace
} // namespace lt
