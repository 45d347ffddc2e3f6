#pragma once
// Text drawing on code page 936 text: lines, alignment, tabs, ellipsis and
// the "&" accelerator, chosen by the DT_* flags below.
//
// The layout (line breaking, tabs, ellipsis, the "&" accelerator) is a pure
// function of a Font, the text, a rectangle and the flags, so controls can
// measure without a canvas and tests can check positions without pixels.
// Drawing uses the canvas's current font (with its underline and strike-out),
// the canvas's text colour (not the FontDesc colour, which callers apply with
// set_text_color), and its background mode and colour (an opaque background
// fills each line's cell).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/canvas.h"
#include "gfx/font.h"
#include "gfx/geometry.h"

namespace lt {

// Layout flags; the values are the classic DrawText ones, so flags stored
// as numbers keep their meaning.
inline constexpr unsigned DT_TOP = 0x0;
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4; // with DT_SINGLELINE only
inline constexpr unsigned DT_BOTTOM = 0x8;  // with DT_SINGLELINE only
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
// Bits 8-15 give the characters per tab stop (default 8); those bits then
// carry no other flag.
inline constexpr unsigned DT_TABSTOP = 0x80;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// ExtTextOut options.
inline constexpr unsigned ETO_OPAQUE = 0x2;  // fill the rectangle with the background colour
inline constexpr unsigned ETO_CLIPPED = 0x4; // clip the text to the rectangle

inline constexpr std::string_view kEllipsis = "...";

// One laid-out line: its text after prefix removal and shortening, the
// top-left corner of its cell and its width. An accelerator underline, when
// the line holds the accelerator character, spans [underline_x,
// underline_x + underline_width).
struct TextLine {
    std::string text;
    int x = 0;
    int y = 0;
    int width = 0;
    int underline_x = 0;
    int underline_width = 0;
};

struct TextLayout {
    std::vector<TextLine> lines;
    int line_height = 0;
    int tab_width = 0; // pixels between tab stops, 0 when tabs are not expanded
    // What DrawText reports and what DT_CALCRECT makes of the rectangle: the
    // rectangle keeps its top-left corner and takes the widest line's width
    // and the lines' height.
    Rect calc_rect;
    int height = 0; // the DrawText result
};

TextLayout layout_text(const Font& font, std::string_view text, const Rect& rect, unsigned flags);

// DrawText: lays out and draws `text` in `rect` with the canvas's font and
// colours, clipped to `rect` unless DT_NOCLIP. With DT_CALCRECT nothing is
// drawn and `rect` becomes the needed rectangle. Returns the text height;
// for DT_SINGLELINE with DT_VCENTER or DT_BOTTOM, the offset from rect.top to
// the bottom of the text.
int draw_text(Canvas& canvas, std::string_view text, Rect& rect, unsigned flags);

// The rectangle DT_CALCRECT gives, leaving `rect` alone.
Rect measure_text(Canvas& canvas, std::string_view text, const Rect& rect, unsigned flags);

// The disabled (embossed) look of draw_text: the text drawn one pixel right
// and down in `highlight`, then in place in `shadow`, both on a clear
// background.
int draw_text_disabled(Canvas& canvas, std::string_view text, Rect& rect, unsigned flags,
    Color highlight = clBtnHighlight, Color shadow = clBtnShadow);

// TextOut: one line whose cell's top-left corner is (x, y); no tabs, no
// prefix. An opaque background fills the cell.
void text_out(Canvas& canvas, int x, int y, std::string_view text);

// ExtTextOut: text_out with an optional rectangle that ETO_OPAQUE fills with
// the background colour and ETO_CLIPPED clips to.
void ext_text_out(Canvas& canvas, int x, int y, unsigned options, const Rect* rect, std::string_view text);

// Width and height of one line of text in the canvas's current font.
Size text_extent(Canvas& canvas, std::string_view text);

// The resolved form of the canvas's current font.
FontPtr canvas_font(const Canvas& canvas);

// ---- Helpers shared with controls that shorten or scan captions ----------

// Text shortened at the end to fit `width` with "..." appended, removing
// whole characters only; `text` itself when it already fits. When not even
// "..." fits, the result is "...".
std::string end_ellipsis(const Font& font, std::string_view text, int width);

// Text shortened in the middle: characters are removed from the end of the
// part before the last "/" or "\" and "..." is put in their place, keeping
// the file name; without a separator this is end_ellipsis.
std::string path_ellipsis(const Font& font, std::string_view text, int width);

// Removes the accelerator prefixes: "&&" becomes "&", "&x" becomes "x" and
// marks x, a final lone "&" is dropped. `*accel_pos` (when given) receives
// the byte offset in the result of the first marked character, or npos.
std::string strip_prefix(std::string_view text, size_t* accel_pos = nullptr);

// The accelerator character of a caption, upper-cased when it is an ASCII
// letter, or 0 when it has none (or it is a double-byte character).
char accelerator_char(std::string_view text);

} // namespace lt
