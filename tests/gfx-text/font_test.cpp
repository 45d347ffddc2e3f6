// Font resolution, metrics and display decoding.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "gfx/font.h"
#include "gfx/font_cp936.h"
#include "tests/gfx-text/text_fonts.h"
#include "text/cp936.h"

namespace lt {
namespace {

using test::font_desc;
using test::kNewSongTi;
using test::kSongTi;

TEST(Cp936Decode, CharactersAndTheirLengths)
{
    struct Case {
        const char* bytes;
        size_t size;
        char32_t cp;
        size_t length;
    } cases[] = {
        {"A", 1, U'A', 1},
        {"\xB3\xA4", 2, U'\u957F', 2}, // 长
        {"\xA3\xBA", 2, U'\uFF1A', 2}, // full-width colon
        {"\xA1\xA4", 2, U'\u00B7', 2}, // middle dot, as on the platform
        {"\x80", 1, U'\u20AC', 1},     // euro sign
        {"\xFE\x50", 2, U'\u2E81', 2}, // only GB18030 decodes it
        {"\xAA\xA1", 2, U'\uE000', 2}, // user-defined area
        {"\xB3", 1, U'?', 1},          // lone lead byte at the end
        {"\xB3 ", 2, U'?', 1},         // lead byte without a trail byte
        {"\xFF", 1, U'?', 1},
    };
    for (const Case& c : cases) {
        const std::string_view text(c.bytes, c.size);
        size_t length = 0;
        EXPECT_EQ(cp936_decode_char(text, 0, &length), c.cp) << "bytes of size " << c.size;
        EXPECT_EQ(length, c.length) << "bytes of size " << c.size;
    }
    EXPECT_EQ(cp936_to_utf8(kSongTi), "宋体");
    EXPECT_EQ(cp936_to_utf8("QQ\xBF\xD5\xBC\xE4"), "QQ空间");
}

TEST(FontCache, SameDescriptionResolvesOnce)
{
    FontDesc a = font_desc("Arial", 14);
    FontDesc underlined = a;
    underlined.underline = true;
    underlined.color = clRed;
    FontDesc bold = a;
    bold.bold = true;
    EXPECT_EQ(Font::get(a), Font::get(a));
    EXPECT_EQ(Font::get(a), Font::get(underlined)) << "drawing attributes share the resolved font";
    EXPECT_NE(Font::get(a), Font::get(bold));
}

TEST(FontCache, WildHeightsAreBounded)
{
    // Heights arrive from skin files; none may overflow or ask for a glyph
    // bitmap of unbounded size.
    for (int height : {std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), -1000000, 0, 1}) {
        const FontPtr f = Font::get(font_desc("Arial", height));
        EXPECT_GT(f->metrics().height, 0) << height;
        EXPECT_LE(f->metrics().height, 1300) << height;
        const Glyph& g = f->glyph(U'W');
        EXPECT_LE(g.width, 1300) << height;
        EXPECT_LE(g.height, 1300) << height;
    }
}

TEST(FontResolution, SongNamesMapToUMingStrikes)
{
    for (const char* name : {kSongTi, kNewSongTi, "SimSun", "NSimSun"}) {
        LT_REQUIRE_FONT(f, font_desc(name, -12), "AR PL UMing CN", "fonts-arphic-uming");
        EXPECT_TRUE(f->uses_strike(U'长')) << cp936_to_utf8(name);
        EXPECT_TRUE(f->uses_strike(U'Q')) << cp936_to_utf8(name);
    }
}

TEST(FontMetrics, UMingTwelvePixelStrike)
{
    LT_REQUIRE_UMING(f, -12);
    const FontMetrics& m = f->metrics();
    EXPECT_EQ(m.ascent + m.descent, m.height);
    EXPECT_EQ(m.height, 13);
    EXPECT_EQ(m.internal_leading, 1);
    EXPECT_EQ(m.ave_char_width, 6);
    EXPECT_EQ(f->glyph(U'A').advance, 6);
    EXPECT_EQ(f->glyph(U'长').advance, 12);
    // Half-width Latin and full-width hanzi: a CP936 string is 6 px per byte.
    for (const char* s : {"QQ\xBF\xD5\xBC\xE4", "\xB3\xA4\xCE\xB2\xB4\xCA\xB2\xE9\xD1\xAF\xB9\xA4\xBE\xDF",
             "\xD5\xFD\xD4\xDA\xB2\xE9\xD1\xAF\xA3\xBA"
             "QQ"})
        EXPECT_EQ(f->text_width(s), static_cast<int>(std::string_view(s).size()) * 6) << cp936_to_utf8(s);
    // The strike is a complete one-bit picture: every coverage value is 0 or 255.
    const Glyph& g = f->glyph(U'询');
    ASSERT_GT(g.width * g.height, 0);
    for (unsigned char a : g.alpha)
        ASSERT_TRUE(a == 0 || a == 255);
}

TEST(FontMetrics, SyntheticBoldWidensByOnePixel)
{
    LT_REQUIRE_UMING(regular, -12);
    const FontPtr bold = Font::get(font_desc(kSongTi, -12, true));
    EXPECT_EQ(bold->glyph(U'A').advance, regular->glyph(U'A').advance + 1);
    EXPECT_EQ(bold->glyph(U'长').advance, 13);
    EXPECT_EQ(bold->glyph(U'长').width, regular->glyph(U'长').width + 1);
}

TEST(FontMetrics, CellHeightIsAscentPlusDescent)
{
    LT_REQUIRE_LIBERATION(cell, 14);
    EXPECT_EQ(cell->metrics().height, 14);
    const FontPtr character = Font::get(font_desc("Arial", -14));
    EXPECT_GT(character->metrics().height, 14) << "a character height is the em, smaller than the cell";
    EXPECT_GT(character->glyph(U'M').advance, cell->glyph(U'M').advance);
}

TEST(FontFallback, LatinFontsShowHanziFromACjkFace)
{
    for (const char* name : {"Arial", "MS Sans Serif"}) {
        LT_REQUIRE_FONT(f, font_desc(name, 14), "Liberation Sans", "fonts-liberation2");
        const std::string family = f->family_for(U'查');
        EXPECT_FALSE(family.empty()) << name << ": no face of the chain has the hanzi";
        EXPECT_NE(family, "Liberation Sans") << name;
        EXPECT_EQ(f->family_for(U'a'), "Liberation Sans") << name;
        const Glyph& g = f->glyph(U'查');
        EXPECT_GT(g.width, 6) << name;
        EXPECT_GE(g.advance, 12) << name;
    }
}

} // namespace
} // namespace lt
