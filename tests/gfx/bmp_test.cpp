#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <functional>
#include <string>

#include "gfx/bmp.h"
#include "gfx/little_endian.h"
#include "gfx/png.h"
#include "tests/gfx/pixels.h"
#include "tests/gfx/raw_bmp.h"

namespace lt {
namespace {

using test::picture;
using test::RawBmp;
using test::same_pixels;

std::uint32_t field32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return load_le32(b.data() + at);
}

// ---- Round trips -------------------------------------------------------------

struct RoundTripCase {
    int bits;
    std::vector<Pixel> palette; // empty for 24 bits
};

TEST(BmpRoundTrip, EachDepthKeepsPixelsPaletteAndSizes)
{
    const std::vector<Pixel> two = {test::legend('K'), test::legend('W')};
    std::vector<Pixel> sixteen = {test::legend('K'), test::legend('W'), test::legend('R'), test::legend('G'),
        test::legend('B'), test::legend('Y'), test::legend('C'), test::legend('M')};
    std::vector<Pixel> many = sixteen;
    for (int i = 0; i < 200; ++i)
        many.push_back(make_pixel(i, 100, 200 - i));
    const RoundTripCase cases[] = {{1, two}, {4, sixteen}, {8, many}, {24, {}}};
    // Widths around the 4-byte row rounding of every depth.
    for (const RoundTripCase& c : cases) {
        for (int width : {1, 3, 7, 9, 33}) {
            SCOPED_TRACE("bits " + std::to_string(c.bits) + ", width " + std::to_string(width));
            Bitmap src(width, 3);
            const std::vector<Pixel>& colours = c.palette.empty() ? many : c.palette;
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < width; ++x)
                    src.set_pixel(x, y, colours[static_cast<std::size_t>(x * 3 + y * 5) % colours.size()]);

            const std::vector<std::uint8_t> bytes = encode_bmp(src, {c.bits, c.palette});
            const std::uint64_t stride = (std::uint64_t(width) * c.bits + 31) / 32 * 4;
            EXPECT_EQ(field32(bytes, 2), bytes.size()) << "file size";
            EXPECT_EQ(field32(bytes, 34), stride * 3) << "biSizeImage";

            Bitmap back;
            EXPECT_EQ(read_bmp(bytes, 0, back), bytes.size());
            EXPECT_TRUE(same_pixels(src, back));
            EXPECT_EQ(back.source_bit_count(), c.bits);
            EXPECT_EQ(back.palette(), c.palette);
        }
    }
}

TEST(BmpRoundTrip, ReadBitmapIsWrittenBackInItsOwnFormat)
{
    Bitmap src = picture({"KWK", "WKW"});
    Bitmap one_bit;
    read_bmp(encode_bmp(src, {1, {test::legend('K'), test::legend('W')}}), 0, one_bit);
    const std::vector<std::uint8_t> again = encode_bmp(one_bit);
    EXPECT_EQ(again[28], 1) << "bit count";
    Bitmap back;
    read_bmp(again, 0, back);
    EXPECT_TRUE(same_pixels(src, back));
}

TEST(BmpRoundTrip, ColoursOutsideThePaletteTakeTheNearestEntry)
{
    Bitmap src(2, 1);
    src.set_pixel(0, 0, make_pixel(20, 10, 0));     // near black
    src.set_pixel(1, 0, make_pixel(250, 240, 255)); // near white
    Bitmap back;
    read_bmp(encode_bmp(src, {1, {test::legend('K'), test::legend('W')}}), 0, back);
    EXPECT_TRUE(same_pixels(picture({"KW"}), back));
}

TEST(BmpRead, ConsecutiveBitmapsInsideAStream)
{
    std::vector<std::uint8_t> stream = {0xAA, 0xBB, 0xCC};
    append_bmp(stream, picture({"RG", "BY"}));
    append_bmp(stream, picture({"KWK"}), {1, {test::legend('K'), test::legend('W')}});
    stream.push_back(0xEE);

    Bitmap first, second;
    std::size_t pos = 3;
    pos += read_bmp(stream, pos, first);
    pos += read_bmp(stream, pos, second);
    EXPECT_EQ(pos, stream.size() - 1);
    EXPECT_TRUE(same_pixels(picture({"RG", "BY"}), first));
    EXPECT_TRUE(same_pixels(picture({"KWK"}), second));
}

// ---- Stored formats the writer does not produce --------------------------------

struct FormatCase {
    const char* name;
    RawBmp raw;
    Bitmap expected;
};

TEST(BmpRead, StoredFormats)
{
    // Rows are listed as stored: bottom row first unless the height is negative.
    RawBmp rgb555;
    rgb555.bit_count = 16;
    rgb555.rows = {0x00, 0x7C, 0xE0, 0x03, /**/ 0x1F, 0x00, 0xFF, 0x7F};

    RawBmp rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    rgb565.rows = {0x00, 0xF8, 0xE0, 0x07, /**/ 0x1F, 0x00, 0xFF, 0xFF};

    RawBmp xrgb;
    xrgb.bit_count = 32; // the top byte is not part of the colour
    xrgb.rows = {0, 0, 255, 0xFF, 0, 255, 0, 0x80, /**/ 255, 0, 0, 0x01, 255, 255, 255, 0xFF};

    RawBmp bgrx_fields = xrgb;
    bgrx_fields.compression = 3;
    bgrx_fields.masks = {0x0000FF00, 0x00FF0000, 0xFF000000}; // R, G, B in the upper bytes
    bgrx_fields.rows = {0, 255, 0, 0, 0, 0, 255, 0, /**/ 0, 0, 0, 255, 0, 255, 255, 255};

    RawBmp v5 = bgrx_fields;
    v5.header_size = 124; // masks inside the header, nothing after it

    RawBmp top_down;
    top_down.height = -2;
    top_down.rows = {0, 0, 255, 0, 255, 0, 0, 0, /**/ 255, 0, 0, 255, 255, 255, 0, 0};

    RawBmp large_size_image = top_down;
    large_size_image.size_image = 16 + 5; // the five extra bytes are consumed
    large_size_image.rows.insert(large_size_image.rows.end(), 5, 0x99);

    RawBmp short_palette;
    short_palette.bit_count = 8;
    short_palette.colors_used = 2; // index 7 has no entry and reads as black
    short_palette.palette = {0xFF0000, 0x00FF00};
    short_palette.rows = {0, 1, 0, 0, /**/ 1, 7, 0, 0};

    RawBmp table_on_truecolor = top_down;
    table_on_truecolor.colors_used = 2; // skipped: above 8 bits it is not used
    table_on_truecolor.palette = {0x123456, 0x654321};

    const Bitmap rgby = picture({"BW", "RG"});
    const FormatCase cases[] = {
        {"16-bit 5-5-5", rgb555, rgby},
        {"16-bit bit fields 5-6-5", rgb565, rgby},
        {"32-bit", xrgb, picture({"BW", "RG"})},
        {"32-bit bit fields", bgrx_fields, picture({"BW", "RG"})},
        {"V5 header", v5, picture({"BW", "RG"})},
        {"top-down rows", top_down, picture({"RG", "BW"})},
        {"biSizeImage larger than the rows", large_size_image, picture({"RG", "BW"})},
        {"short colour table", short_palette, picture({"GK", "RG"})},
        {"colour table on 24 bits", table_on_truecolor, picture({"RG", "BW"})},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> bytes = c.raw.bytes();
        bytes.push_back(0x42); // a following byte that must not be consumed
        Bitmap out;
        ASSERT_NO_THROW(EXPECT_EQ(read_bmp(bytes, 0, out), bytes.size() - 1));
        EXPECT_TRUE(same_pixels(c.expected, out));
    }
}

// ---- Malformed input -----------------------------------------------------------

struct MalformedCase {
    const char* name;
    std::function<void(RawBmp&)> change;
    std::size_t cut = 0; // bytes removed from the end
};

TEST(BmpRead, MalformedHeadersThrowAndLeaveTheTargetAlone)
{
    const MalformedCase cases[] = {
        {"truncated rows", [](RawBmp&) {}, 1},
        {"truncated header", [](RawBmp& r) { r.rows.clear(); }, 20},
        {"biSize below 40", [](RawBmp& r) { r.header_size = 12; }},
        {"biSize past the end", [](RawBmp& r) { r.header_size = 0xFFFFFFF0u; }},
        {"zero width", [](RawBmp& r) { r.width = 0; }},
        {"negative width", [](RawBmp& r) { r.width = -2; }},
        {"zero height", [](RawBmp& r) { r.height = 0; }},
        {"INT_MIN height", [](RawBmp& r) { r.height = INT_MIN; }},
        {"huge width", [](RawBmp& r) { r.width = INT_MAX; }},
        {"huge height", [](RawBmp& r) { r.height = -INT_MAX; }},
        {"huge area",
            [](RawBmp& r) {
                r.width = 30000;
                r.height = 30000;
            }},
        {"width times depth overflows 32 bits",
            [](RawBmp& r) {
                r.width = 0x20000000;
                r.height = 1;
                r.bit_count = 32;
            }},
        {"biClrUsed above 256",
            [](RawBmp& r) {
                r.bit_count = 8;
                r.colors_used = 257;
            }},
        {"colour table past the end", [](RawBmp& r) { r.colors_used = 0x40000000; }},
        {"short biSizeImage", [](RawBmp& r) { r.size_image = 15; }},
        {"biSizeImage past the end", [](RawBmp& r) { r.size_image = 0x7FFFFFFF; }},
        {"two planes", [](RawBmp& r) { r.planes = 2; }},
        {"bit depth 2", [](RawBmp& r) { r.bit_count = 2; }},
        {"bit depth 0", [](RawBmp& r) { r.bit_count = 0; }},
        {"run-length compression",
            [](RawBmp& r) {
                r.bit_count = 8;
                r.compression = 1;
            }},
        {"bit fields on 24 bits",
            [](RawBmp& r) {
                r.compression = 3;
                r.masks = {1, 2, 4};
            }},
        {"bit fields without room for masks",
            [](RawBmp& r) {
                r.bit_count = 32;
                r.compression = 3;
                r.header_size = 44;
            }},
        {"masks past the end",
            [](RawBmp& r) {
                r.bit_count = 32;
                r.compression = 3;
                r.rows.clear();
            }},
    };
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.name);
        RawBmp raw;
        raw.rows.assign(16, 0x55); // 2 x 2 at 24 bits
        c.change(raw);
        std::vector<std::uint8_t> bytes = raw.bytes();
        bytes.resize(bytes.size() - std::min(c.cut, bytes.size()));
        Bitmap out = picture({"R"});
        EXPECT_THROW(read_bmp(bytes, 0, out), BmpError);
        EXPECT_TRUE(same_pixels(picture({"R"}), out));
    }
}

TEST(BmpRead, NoSignatureOrPositionPastTheEnd)
{
    std::vector<std::uint8_t> bytes = encode_bmp(picture({"RG"}));
    Bitmap out;
    EXPECT_THROW(read_bmp(bytes, bytes.size() + 1, out), BmpError);
    EXPECT_THROW(read_bmp(bytes, bytes.size(), out), BmpError);
    bytes[1] = 'A';
    EXPECT_THROW(read_bmp(bytes, 0, out), BmpError);
}

TEST(BmpWrite, RefusesEmptyBitmapsAndUnwritableDepths)
{
    EXPECT_THROW(encode_bmp(Bitmap()), GfxError);
    EXPECT_THROW(encode_bmp(picture({"R"}), {16, {}}), GfxError);
    EXPECT_THROW(encode_bmp(picture({"R"}), {1, {1, 2, 3}}), GfxError);
}

TEST(BmpFiles, SaveAndLoadAndPngSignature)
{
    const std::string dir = ::testing::TempDir();
    const Bitmap src = picture({"RGB", "KWY"});
    save_bmp_file(dir + "/gfx_test.bmp", src);
    EXPECT_TRUE(same_pixels(src, load_bmp_file(dir + "/gfx_test.bmp")));
    EXPECT_THROW(load_bmp_file(dir + "/no-such-file.bmp"), GfxError);
    std::remove((dir + "/gfx_test.bmp").c_str());

    const std::vector<std::uint8_t> png = encode_png(src);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
}

} // namespace
} // namespace lt
