#pragma once
// The glyphs of the file dialog's tool buttons, kept here as pixel art and
// painted in the stored skin's palette (its blue-grey outlines and blue
// accent), so they sit on the tool strip like the skin's own marks.
//
// Each resource is a strip of two 16 x 16 images side by side, normal and
// disabled, on a magenta key (the strip's lower-left pixel, which the glyph
// drawing takes as transparent): give a button the strip with NumGlyphs 2.
//
//   SK_BACK       an arrow pointing left        (Go To Last Folder Visited)
//   SK_UP         a folder with an arrow up     (Up One Level)
//   SK_NEWFOLDER  a folder with a spark         (Create New Folder)
//   SK_LVSTYLE    four tiles                    (View Menu)

#include <string_view>

#include "gfx/bitmap.h"

namespace lt {

inline constexpr int kToolGlyphSize = 16;
inline constexpr int kToolGlyphCount = 2;

// The glyph strip of a resource name above; an empty bitmap for any other.
Bitmap LoadToolGlyph(std::string_view resource);

} // namespace lt
