#pragma once
// The Windows BMP format: a reader for complete bitmap file images inside a
// larger byte stream (a skin package holds several back to back) and a writer
// producing images that such a reader steps over exactly.
//
// The reader takes the 14-byte file header ("BM", file size, reserved words,
// bits offset), an info header of at least 40 bytes (longer V4/V5 headers are
// accepted and their extra bytes skipped), the colour table and the rows. Like
// the package format it ignores the file size and bits offset: the colour
// table holds biClrUsed entries (2, 16 or 256 for 1, 4 or 8 bits when 0, none
// above 8 bits), 12 colour-mask bytes follow a 40-byte header when the
// compression is 3 (bit fields, 16 or 32 bits only), and the rows take
// biSizeImage bytes, or the stride times the height when that is 0.
// Everything is checked before anything is allocated: malformed input throws
// BmpError and never reads outside the span.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "gfx/bitmap.h"

namespace lt {

class BmpError : public GfxError {
public:
    using GfxError::GfxError;
};

// Reads one bitmap file image starting at `pos` into `out` and returns the
// number of bytes it took. On error `out` is left unchanged.
std::size_t read_bmp(std::span<const std::uint8_t> bytes, std::size_t pos, Bitmap& out);

// Reads a whole .bmp file. Throws GfxError when the file cannot be read.
Bitmap load_bmp_file(const std::string& path);

struct BmpWriteOptions {
    // 1, 4, 8 or 24; 0 picks the bitmap's source depth when that is 1, 4 or
    // 8 and it has a colour table, else 24.
    int bit_count = 0;
    // Colour table for 1/4/8 bits; empty = the bitmap's own table, or a grey
    // ramp when it has none. Pixels not in the table take the nearest entry.
    std::vector<Pixel> palette;
};

// Appends a complete bitmap file image (bottom-up rows, biSizeImage and the
// file size filled in) to `out`. Throws GfxError for an empty bitmap or an
// unsupported depth.
void append_bmp(std::vector<std::uint8_t>& out, const Bitmap& bmp, const BmpWriteOptions& options = {});
std::vector<std::uint8_t> encode_bmp(const Bitmap& bmp, const BmpWriteOptions& options = {});
void save_bmp_file(const std::string& path, const Bitmap& bmp, const BmpWriteOptions& options = {});

} // namespace lt
