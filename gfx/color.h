#pragma once
// Colours as the program holds them, and the pixel format of bitmaps.
//
// A `Color` is 0x00BBGGRR for an RGB colour (red in the low byte) or
// 0xFF0000nn for system colour nn; `resolve_color` turns either into RGB
// through one table of classic system colours. A `Pixel` is what a Bitmap
// stores: 0x00RRGGBB in a 32-bit word, i.e. bytes B, G, R, 0 in memory, which is
// the layout of an XRGB8888 window surface, so bitmaps reach the screen without
// conversion. The top byte of a pixel is always 0.

#include <array>
#include <cstdint>

namespace lt {

using Color = std::uint32_t;
using Pixel = std::uint32_t;

constexpr Color rgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned color_red(Color c)
{
    return c & 0xFFu;
}
constexpr unsigned color_green(Color c)
{
    return (c >> 8) & 0xFFu;
}
constexpr unsigned color_blue(Color c)
{
    return (c >> 16) & 0xFFu;
}

constexpr bool is_system_color(Color c)
{
    return (c & 0xFF000000u) == 0xFF000000u;
}
constexpr Color system_color(unsigned index)
{
    return 0xFF000000u | (index & 0xFFu);
}

// System colours by their classic numbers.
inline constexpr Color clScrollBar = system_color(0);
inline constexpr Color clBackground = system_color(1);
inline constexpr Color clActiveCaption = system_color(2);
inline constexpr Color clInactiveCaption = system_color(3);
inline constexpr Color clMenu = system_color(4);
inline constexpr Color clWindow = system_color(5);
inline constexpr Color clWindowFrame = system_color(6);
inline constexpr Color clMenuText = system_color(7);
inline constexpr Color clWindowText = system_color(8);
inline constexpr Color clCaptionText = system_color(9);
inline constexpr Color clActiveBorder = system_color(10);
inline constexpr Color clInactiveBorder = system_color(11);
inline constexpr Color clAppWorkSpace = system_color(12);
inline constexpr Color clHighlight = system_color(13);
inline constexpr Color clHighlightText = system_color(14);
inline constexpr Color clBtnFace = system_color(15);
inline constexpr Color clBtnShadow = system_color(16);
inline constexpr Color clGrayText = system_color(17);
inline constexpr Color clBtnText = system_color(18);
inline constexpr Color clInactiveCaptionText = system_color(19);
inline constexpr Color clBtnHighlight = system_color(20);
inline constexpr Color cl3DDkShadow = system_color(21);
inline constexpr Color cl3DLight = system_color(22);
inline constexpr Color clInfoText = system_color(23);
inline constexpr Color clInfoBk = system_color(24);
inline constexpr Color clHotLight = system_color(26);
inline constexpr Color clGradientActiveCaption = system_color(27);
inline constexpr Color clGradientInactiveCaption = system_color(28);
inline constexpr Color clMenuHighlight = system_color(29);
inline constexpr Color clMenuBar = system_color(30);
inline constexpr unsigned kSystemColorCount = 31;

// Named RGB colours.
inline constexpr Color clBlack = rgb(0, 0, 0);
inline constexpr Color clMaroon = rgb(128, 0, 0);
inline constexpr Color clGreen = rgb(0, 128, 0);
inline constexpr Color clOlive = rgb(128, 128, 0);
inline constexpr Color clNavy = rgb(0, 0, 128);
inline constexpr Color clPurple = rgb(128, 0, 128);
inline constexpr Color clTeal = rgb(0, 128, 128);
inline constexpr Color clGray = rgb(128, 128, 128);
inline constexpr Color clSilver = rgb(192, 192, 192);
inline constexpr Color clRed = rgb(255, 0, 0);
inline constexpr Color clLime = rgb(0, 255, 0);
inline constexpr Color clYellow = rgb(255, 255, 0);
inline constexpr Color clBlue = rgb(0, 0, 255);
inline constexpr Color clFuchsia = rgb(255, 0, 255);
inline constexpr Color clAqua = rgb(0, 255, 255);
inline constexpr Color clWhite = rgb(255, 255, 255);
// "No colour": not a drawable value; calls that accept it say what it means.
inline constexpr Color clNone = 0x1FFFFFFFu;

// The classic system colour scheme, indexed by system colour number.
const std::array<Color, kSystemColorCount>& system_color_table();

// RGB value of any colour: system colours through the table (an unknown
// number gives black), anything else by its low 24 bits.
Color resolve_color(Color c);

constexpr Pixel make_pixel(unsigned r, unsigned g, unsigned b)
{
    return ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}
constexpr unsigned pixel_red(Pixel p)
{
    return (p >> 16) & 0xFFu;
}
constexpr unsigned pixel_green(Pixel p)
{
    return (p >> 8) & 0xFFu;
}
constexpr unsigned pixel_blue(Pixel p)
{
    return p & 0xFFu;
}

// Pixel of an RGB colour (system colours are resolved first).
inline Pixel to_pixel(Color c)
{
    Color v = resolve_color(c);
    return make_pixel(color_red(v), color_green(v), color_blue(v));
}
constexpr Color pixel_to_color(Pixel p)
{
    return rgb(pixel_red(p), pixel_green(p), pixel_blue(p));
}

} // namespace lt
