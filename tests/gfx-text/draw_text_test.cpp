// DrawText layout and drawing, measured with the 12 px UMing strike (6 px
// Latin, 12 px hanzi, 13 px lines) so expected positions are plain sums.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/draw_text.h"
#include "gfx/font_cp936.h"
#include "tests/gfx-text/text_fonts.h"
#include "text/cp936.h"

namespace lt {
namespace {

using test::font_desc;
using test::kSongTi;

// "长尾词查询工具" and "QQ空间" in code page 936.
const std::string kTool = "\xB3\xA4\xCE\xB2\xB4\xCA\xB2\xE9\xD1\xAF\xB9\xA4\xBE\xDF";
const std::string kQzone = "QQ\xBF\xD5\xBC\xE4";

std::vector<std::string> line_texts(const TextLayout& layout)
{
    std::vector<std::string> out;
    for (const TextLine& l : layout.lines)
        out.push_back(l.text);
    return out;
}

// True when every double-byte character of `s` is whole: no lead byte is
// left without its trail byte.
bool whole_characters(std::string_view s)
{
    for (size_t pos = 0; pos < s.size(); pos += cp936_char_length(s, pos)) {
        const auto b = static_cast<unsigned char>(s[pos]);
        if (b >= 0x81 && cp936_char_length(s, pos) == 1)
            return false;
    }
    return true;
}

TEST(DrawTextLayout, CalcRectSizes)
{
    LT_REQUIRE_UMING(f, -12);
    struct Case {
        std::string text;
        int width;
        unsigned flags;
        std::vector<std::string> lines;
        int calc_width;
    } cases[] = {
        {kQzone, 100, DT_SINGLELINE, {kQzone}, 36},
        {kQzone, 10, DT_SINGLELINE, {kQzone}, 36},
        // Hanzi break between any two characters.
        {kTool, 40, DT_WORDBREAK, {kTool.substr(0, 6), kTool.substr(6, 6), kTool.substr(12)}, 36},
        // Blanks at a break hang at the line's end and are not counted.
        {"abc def ghi", 50, DT_WORDBREAK, {"abc def", "ghi"}, 42},
        {"abc   def", 30, DT_WORDBREAK, {"abc", "def"}, 18},
        // A word wider than the line stays whole.
        {"abcdefghij xy", 30, DT_WORDBREAK, {"abcdefghij", "xy"}, 60},
        // Latin runs break before a hanzi too.
        {"QQQQ" + kTool.substr(0, 2), 30, DT_WORDBREAK, {"QQQQ", kTool.substr(0, 2)}, 24},
        // Line breaks: CR LF, LF and CR; a final one opens no empty line.
        {"a\r\nbb\ncc\rd\n", 100, 0, {"a", "bb", "cc", "d"}, 12},
        {"a\r\nb", 100, DT_SINGLELINE, {"a\r\nb"}, 12},
        {"", 100, 0, {}, 0},
    };
    for (const Case& c : cases) {
        const TextLayout layout = layout_text(*f, c.text, Rect{5, 7, 5 + c.width, 200}, c.flags | DT_CALCRECT);
        EXPECT_EQ(line_texts(layout), c.lines) << cp936_to_utf8(c.text);
        const int height = static_cast<int>(c.lines.size()) * 13;
        EXPECT_EQ(layout.calc_rect, (Rect{5, 7, 5 + c.calc_width, 7 + height})) << cp936_to_utf8(c.text);
        EXPECT_EQ(layout.height, height) << cp936_to_utf8(c.text);
    }
}

TEST(DrawTextLayout, EndEllipsisKeepsWholeCharactersAndFits)
{
    LT_REQUIRE_UMING(f, -12);
    const int dots = f->text_width("...");
    for (const std::string& text : {kTool, kQzone + "abc" + kTool}) {
        const int full = f->text_width(text);
        for (int width = 0; width <= full + 1; ++width) {
            const TextLayout layout = layout_text(*f, text, Rect{0, 0, width, 20}, DT_SINGLELINE | DT_END_ELLIPSIS);
            ASSERT_EQ(layout.lines.size(), 1u);
            const std::string& shown = layout.lines[0].text;
            ASSERT_TRUE(whole_characters(shown)) << "width " << width << ": " << cp936_to_utf8(shown);
            if (width >= full) {
                EXPECT_EQ(shown, text);
                continue;
            }
            ASSERT_EQ(shown.substr(shown.size() - 3), "...");
            const std::string kept = shown.substr(0, shown.size() - 3);
            EXPECT_EQ(text.compare(0, kept.size(), kept), 0) << "a prefix of the text is kept";
            EXPECT_LE(layout.lines[0].width, std::max(width, dots)) << "width " << width;
            // The longest prefix that fits was kept: one more character would not.
            const size_t next = kept.size() + cp936_char_length(text, kept.size());
            EXPECT_GT(f->text_width(text.substr(0, next)) + dots, width) << "width " << width;
        }
    }
    // The public helper gives the same shortening.
    EXPECT_EQ(end_ellipsis(*f, kTool, 60), kTool.substr(0, 6) + "...");
}

TEST(DrawTextLayout, PathEllipsisKeepsTheFileName)
{
    LT_REQUIRE_UMING(f, -12);
    struct Case {
        std::string text;
        int width;
        std::string shown;
    } cases[] = {
        {"/home/user/result.txt", 200, "/home/user/result.txt"},
        // "/result.txt" is 66 px and "..." 18 px, leaving 36 px: six characters.
        {"/home/user/result.txt", 120, "/home/.../result.txt"},
        {"/home/user/result.txt", 84, ".../result.txt"},
        // A 0x5C trail byte is part of its character, never a separator.
        {"abcdefgh/cd\x81\x5C"
         "ef",
            72,
            "ab.../cd\x81\x5C"
            "ef"},
        {"dir\\" + kTool, 18 + 6 + 36, "...\\" + kTool},
        // No separator: the end is shortened.
        {kTool, 54, kTool.substr(0, 6) + "..."},
    };
    for (const Case& c : cases) {
        const TextLayout layout =
            layout_text(*f, c.text, Rect{0, 0, c.width, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOPREFIX);
        ASSERT_EQ(layout.lines.size(), 1u);
        EXPECT_EQ(layout.lines[0].text, c.shown) << cp936_to_utf8(c.text) << " in " << c.width;
    }
}

TEST(DrawTextLayout, TabStops)
{
    LT_REQUIRE_UMING(f, -12);
    struct Case {
        const char* text;
        unsigned flags;
        int width;
    } cases[] = {
        {"a\tb", DT_EXPANDTABS, 48 + 6},                                          // stops every 8 average characters
        {"abcdefghi\tb", DT_EXPANDTABS, 96 + 6},                                  // past the first stop: the next one
        {"a\tb", DT_EXPANDTABS | DT_TABSTOP | (4 << 8), 24 + 6}, {"a\tb", 0, 12}, // not expanded: no width
    };
    for (const Case& c : cases) {
        const TextLayout layout = layout_text(*f, c.text, Rect{0, 0, 400, 20}, c.flags | DT_SINGLELINE);
        EXPECT_EQ(layout.lines.at(0).width, c.width) << c.text << " flags " << c.flags;
    }
}

TEST(DrawTextLayout, AcceleratorPrefixes)
{
    LT_REQUIRE_UMING(f, -12);
    struct Case {
        std::string text;
        unsigned flags;
        std::string shown;
        int underline_x; // -1: none
        int underline_width;
    } cases[] = {
        {"&File", 0, "File", 10, 6},
        {"Save &As", 0, "Save As", 10 + 30, 6},
        {"A&&B", 0, "A&B", -1, 0},
        {"&&&x", 0, "&x", 10 + 6, 6},
        {"\xB2\xE9\xD1\xAF(&Q)", 0, "\xB2\xE9\xD1\xAF(Q)", 10 + 30, 6},
        {"&\xB2\xE9", 0, "\xB2\xE9", 10, 12},
        {"tail&", 0, "tail", -1, 0},
        {"&File", DT_NOPREFIX, "&File", -1, 0},
        // The underline follows its character through an ellipsis...
        {"abcdefgh/cd&ef", DT_PATH_ELLIPSIS, "a.../cdef", 10 + 42, 6},
        // ...and goes when the character is cut.
        {"abcdefgh&ijkl", DT_END_ELLIPSIS, "abcdef...", -1, 0},
    };
    for (const Case& c : cases) {
        const TextLayout layout = layout_text(*f, c.text, Rect{10, 0, 64, 20}, c.flags | DT_SINGLELINE);
        ASSERT_EQ(layout.lines.size(), 1u);
        const TextLine& l = layout.lines[0];
        EXPECT_EQ(l.text, c.shown) << c.text;
        EXPECT_EQ(l.underline_width, c.underline_width) << c.text;
        if (c.underline_x >= 0) {
            EXPECT_EQ(l.underline_x, c.underline_x) << c.text;
        }
    }
    EXPECT_EQ(accelerator_char("Save &as"), 'A');
    EXPECT_EQ(accelerator_char("A&&B"), 0);
    EXPECT_EQ(accelerator_char("&\xB2\xE9"), 0);
}

TEST(DrawTextLayout, Alignment)
{
    LT_REQUIRE_UMING(f, -12);
    const Rect r{10, 20, 110, 60}; // 100 x 40; "QQ" is 12 x 13
    struct Case {
        unsigned flags;
        int x;
        int y;
        int result;
    } cases[] = {
        {DT_SINGLELINE, 10, 20, 13},
        {DT_SINGLELINE | DT_CENTER, 54, 20, 13},
        {DT_SINGLELINE | DT_RIGHT, 98, 20, 13},
        {DT_SINGLELINE | DT_VCENTER, 10, 33, 26},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, 98, 47, 40},
        // Vertical placement needs a single line.
        {DT_VCENTER | DT_CENTER, 54, 20, 13},
    };
    for (const Case& c : cases) {
        const TextLayout layout = layout_text(*f, "QQ", r, c.flags);
        ASSERT_EQ(layout.lines.size(), 1u);
        EXPECT_EQ(layout.lines[0].x, c.x) << "flags " << c.flags;
        EXPECT_EQ(layout.lines[0].y, c.y) << "flags " << c.flags;
        EXPECT_EQ(layout.height, c.result) << "flags " << c.flags;
    }
}

// ---- Drawing --------------------------------------------------------------

struct Surface {
    Bitmap bmp{120, 40, make_pixel(255, 255, 255)};
    Canvas canvas{bmp};

    explicit Surface(FontDesc font)
    {
        canvas.font() = std::move(font);
        canvas.set_text_color(clBlack);
        canvas.set_bk_mode(BkMode::Transparent);
    }
    bool dark(int x, int y) const { return pixel_red(bmp.pixel(x, y)) < 128; }
    Rect ink_bounds() const
    {
        Rect r;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x)
                if (bmp.pixel(x, y) != make_pixel(255, 255, 255))
                    r = r.united(Rect{x, y, x + 1, y + 1});
        return r;
    }
};

TEST(DrawTextPixels, AcceleratorUnderlineSitsBelowItsCharacterOnly)
{
    LT_REQUIRE_UMING(f, -12);
    Surface s(font_desc(kSongTi, -12));
    Rect r{4, 2, 116, 38};
    draw_text(s.canvas, "a&bc", r, DT_SINGLELINE);
    const int y = 2 + f->metrics().ascent + f->metrics().underline_offset;
    for (int x = 4; x < 4 + 18; ++x)
        EXPECT_EQ(s.dark(x, y), x >= 10 && x < 16) << "at (" << x << ", " << y << ")";
}

TEST(DrawTextPixels, ClipsToTheRectangleUnlessNoClip)
{
    LT_REQUIRE_UMING(f, -12);
    for (unsigned extra : {0u, DT_NOCLIP}) {
        Surface s(font_desc(kSongTi, -12));
        Rect r{10, 10, 40, 30};
        draw_text(s.canvas, kTool, r, DT_SINGLELINE | extra);
        const Rect ink = s.ink_bounds();
        ASSERT_FALSE(ink.empty());
        if (extra)
            EXPECT_GT(ink.right, 40);
        else
            EXPECT_TRUE(r.contains(ink)) << "ink right " << ink.right;
    }
}

TEST(DrawTextPixels, CalcRectDrawsNothingAndOpaqueFillsTheLineCell)
{
    LT_REQUIRE_UMING(f, -12);
    Surface s(font_desc(kSongTi, -12));
    Rect r{10, 10, 100, 30};
    EXPECT_EQ(draw_text(s.canvas, kQzone, r, DT_CALCRECT | DT_SINGLELINE), 13);
    EXPECT_EQ(r, (Rect{10, 10, 46, 23}));
    EXPECT_TRUE(s.ink_bounds().empty());

    s.canvas.set_bk_mode(BkMode::Opaque);
    s.canvas.set_bk_color(clRed);
    draw_text(s.canvas, kQzone, r, DT_SINGLELINE);
    EXPECT_EQ(s.ink_bounds(), r);
    EXPECT_EQ(s.bmp.pixel(45, 10), make_pixel(255, 0, 0));
}

TEST(DrawTextPixels, DisabledTextIsEmbossed)
{
    LT_REQUIRE_UMING(f, -12);
    Surface s(font_desc(kSongTi, -12));
    s.bmp.fill(make_pixel(0, 0, 0));
    Rect r{10, 10, 100, 30};
    draw_text_disabled(s.canvas, "|", r, DT_SINGLELINE, clWhite, clBlue);
    const Pixel white = make_pixel(255, 255, 255), blue = make_pixel(0, 0, 255);
    int whites = 0, blues = 0;
    for (int y = 0; y < s.bmp.height(); ++y) {
        for (int x = 0; x < s.bmp.width(); ++x) {
            if (s.bmp.pixel(x, y) == blue) {
                ++blues;
                // The highlight copy sits one pixel right and down.
                EXPECT_TRUE(x + 1 >= s.bmp.width() || y + 1 >= s.bmp.height() || s.bmp.pixel(x + 1, y + 1) == white ||
                    s.bmp.pixel(x + 1, y + 1) == blue);
            }
            whites += s.bmp.pixel(x, y) == white;
        }
    }
    EXPECT_GT(blues, 0);
    EXPECT_GT(whites, 0);
}

TEST(DrawTextPixels, FontUnderlineSpansTheLine)
{
    LT_REQUIRE_UMING(f, -12);
    FontDesc d = font_desc(kSongTi, -12);
    d.underline = true;
    Surface s(d);
    text_out(s.canvas, 3, 4, kQzone);
    const int y = 4 + f->metrics().ascent + f->metrics().underline_offset;
    for (int x = 0; x < 50; ++x)
        EXPECT_EQ(s.dark(x, y), x >= 3 && x < 3 + 36) << "at (" << x << ", " << y << ")";
    EXPECT_EQ(text_extent(s.canvas, kQzone), (Size{36, 13}));
}

TEST(DrawTextPixels, ExtTextOutClipsAndFills)
{
    LT_REQUIRE_UMING(f, -12);
    Surface s(font_desc(kSongTi, -12));
    s.canvas.set_bk_color(clLime);
    const Rect box{20, 5, 40, 25};
    ext_text_out(s.canvas, 10, 8, ETO_OPAQUE | ETO_CLIPPED, &box, kTool);
    EXPECT_EQ(s.ink_bounds(), box);
    EXPECT_EQ(s.bmp.pixel(20, 5), make_pixel(0, 255, 0));
}

} // namespace
} // namespace lt
