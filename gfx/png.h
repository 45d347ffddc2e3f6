#pragma once
// PNG output for snapshots of off-screen pictures (tests, debugging).

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/bitmap.h"

namespace lt {

// 8-bit RGB PNG of the bitmap. Throws GfxError on failure or for an empty bitmap.
std::vector<std::uint8_t> encode_png(const Bitmap& bmp);
void save_png_file(const std::string& path, const Bitmap& bmp);

} // namespace lt
