// The tool buttons' glyphs: pixel art with one letter per palette colour,
// painted once per request into a normal and a disabled image.

#include "skinned/tool_glyphs.h"

#include <array>

namespace lt {
namespace {

// One row of 16 letters per pixel row:
//   .  the key (transparent)
//   o  outline, the skin's glyph colour
//   a  accent, the skin's pressed-blue
//   f  a pale fill (folder faces)
//   b  a mid fill (tiles)
using Art = std::array<const char*, kToolGlyphSize>;

constexpr Art kBack = {
    "................",
    "................",
    "................",
    ".....a..........",
    "....aa..........",
    "...aaa..........",
    "..aaaaaaaaaaaa..",
    ".aaaaaaaaaaaaa..",
    ".aaaaaaaaaaaaa..",
    "..aaaaaaaaaaaa..",
    "...aaa..........",
    "....aa..........",
    ".....a..........",
    "................",
    "................",
    "................",
};

constexpr Art kUp = {
    "................",
    "................",
    "..oooo..........",
    ".offffo.........",
    ".oooooooooooooo.",
    ".offffffafffffo.",
    ".offfffaaaffffo.",
    ".offffaaaaafffo.",
    ".offfaaaaaaaffo.",
    ".offfffaaaffffo.",
    ".offfffaaaffffo.",
    ".offfffaaaffffo.",
    ".offfffaaaffffo.",
    ".offffffffffffo.",
    ".oooooooooooooo.",
    "................",
};

constexpr Art kNewFolder = {
    ".............a..",
    "............aaa.",
    "...........aaaaa",
    "............aaa.",
    "..oooo.......a..",
    ".offffo.........",
    ".oooooooooooo...",
    ".offffffffffo...",
    ".offffffffffo...",
    ".offffffffffo...",
    ".offffffffffo...",
    ".offffffffffo...",
    ".offffffffffo...",
    ".offffffffffo...",
    ".oooooooooooo...",
    "................",
};

constexpr Art kViewStyle = {
    "................",
    "................",
    "..ooooo..ooooo..",
    "..obbbo..obbbo..",
    "..obbbo..obbbo..",
    "..obbbo..obbbo..",
    "..ooooo..ooooo..",
    "................",
    "................",
    "..ooooo..ooooo..",
    "..obbbo..obbbo..",
    "..obbbo..obbbo..",
    "..obbbo..obbbo..",
    "..ooooo..ooooo..",
    "................",
    "................",
};

struct Palette {
    Pixel outline, accent, fill, tile;
};
// The skin's glyph, accent and surface colours; the disabled image draws
// the lines pale and the faces near white.
constexpr Palette kNormal = {
    make_pixel(74, 98, 130), make_pixel(62, 106, 170), make_pixel(226, 236, 248), make_pixel(172, 196, 228)};
constexpr Palette kDisabled = {
    make_pixel(160, 178, 204), make_pixel(160, 178, 204), make_pixel(238, 242, 247), make_pixel(214, 222, 232)};
constexpr Pixel kKey = make_pixel(255, 0, 255);

void Paint(Bitmap& strip, int left, const Art& art, const Palette& p)
{
    for (int y = 0; y < kToolGlyphSize; ++y)
        for (int x = 0; x < kToolGlyphSize; ++x) {
            Pixel c = kKey;
            switch (art[static_cast<size_t>(y)][x]) {
            case 'o':
                c = p.outline;
                break;
            case 'a':
                c = p.accent;
                break;
            case 'f':
                c = p.fill;
                break;
            case 'b':
                c = p.tile;
                break;
            default:
                break;
            }
            strip.set_pixel(left + x, y, c);
        }
}

const Art* Find(std::string_view resource)
{
    if (resource == "SK_BACK")
        return &kBack;
    if (resource == "SK_UP")
        return &kUp;
    if (resource == "SK_NEWFOLDER")
        return &kNewFolder;
    if (resource == "SK_LVSTYLE")
        return &kViewStyle;
    return nullptr;
}

} // namespace

Bitmap LoadToolGlyph(std::string_view resource)
{
    const Art* art = Find(resource);
    if (!art)
        return {};
    Bitmap strip(kToolGlyphSize * kToolGlyphCount, kToolGlyphSize, kKey);
    Paint(strip, 0, *art, kNormal);
    Paint(strip, kToolGlyphSize, *art, kDisabled);
    return strip;
}

} // namespace lt
