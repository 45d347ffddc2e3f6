#pragma once
// The file dialog's icons for folders, files and places, kept as pixel art
// like the tool glyphs: each is 16 x 16 on a magenta key (the lower-left
// pixel, which transparent drawing leaves out); the large icons of the icon
// view are the same art at twice the size.
//
//   Folder   a yellow folder         File     a page with a folded corner
//   Home     a house                 Desktop  a screen on a stand
//   Drive    a drive with its light  (the root and mounted volumes)

#include "gfx/bitmap.h"
#include "gfx/canvas.h"

namespace lt {

enum class ShellIcon { Folder, File, Home, Desktop, Drive };

inline constexpr int kSmallIconSize = 16;
inline constexpr int kLargeIconSize = 32;

// The icon's image (16 or 32 pixels square), made once and kept.
const Bitmap& ShellIconImage(ShellIcon icon, bool large);
// Draws the icon with its key left out, its top-left corner at `at`.
void DrawShellIcon(Canvas& canvas, Point at, ShellIcon icon, bool large);

} // namespace lt
