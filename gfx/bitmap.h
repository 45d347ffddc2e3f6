#pragma once
// A device-independent 32-bit bitmap: width x height pixels (see gfx/color.h
// for the pixel layout), rows top-down with no padding. A bitmap decoded from
// a BMP also remembers the bit depth and colour table it was stored with, so
// that rules which speak of the stored palette can be answered and so that it
// can be written back in its own format.

#include <cstdint>
#include <vector>

#include "gfx/color.h"
#include "gfx/error.h"
#include "gfx/geometry.h"

namespace lt {

class Bitmap {
public:
    // Largest width or height accepted, and largest pixel count: far above
    // any window or skin picture, low enough that sizes never overflow.
    static constexpr int kMaxSide = 32768;
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

    Bitmap() = default;
    // Throws GfxError for negative or oversized dimensions; 0 gives an empty
    // bitmap.
    Bitmap(int width, int height, Pixel fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    Size size() const { return {width_, height_}; }
    Rect rect() const { return {0, 0, width_, height_}; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    // Row access; y must lie in [0, height).
    Pixel* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Pixel* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    Pixel* data() { return pixels_.data(); }
    const Pixel* data() const { return pixels_.data(); }
    // Distance between rows, in pixels.
    int pitch() const { return width_; }

    // Unchecked single-pixel access; (x, y) must lie inside the bitmap.
    Pixel pixel(int x, int y) const { return row(y)[x]; }
    void set_pixel(int x, int y, Pixel p) { row(y)[x] = p; }

    // Discards the content and the source format.
    void resize(int width, int height, Pixel fill = 0);

    void fill(Pixel p);
    // Fills the part of `r` that lies inside the bitmap.
    void fill(const Rect& r, Pixel p);

    // A new bitmap holding the part of `r` that lies inside this one (its
    // size is that of the clipped rectangle).
    Bitmap copy(const Rect& r) const;
    // Copies `src_rect` of `src` so that its top-left corner lands on `dst`.
    // Both sides are clipped; pixels with no source or no target are skipped.
    void copy_from(const Bitmap& src, const Rect& src_rect, Point dst);

    // Format the pixels were decoded from: the BMP bit depth (0 for a bitmap
    // made in memory) and, for 1, 4 and 8 bits, its colour table.
    int source_bit_count() const { return source_bit_count_; }
    const std::vector<Pixel>& palette() const { return palette_; }
    void set_source_format(int bit_count, std::vector<Pixel> palette);

    friend bool operator==(const Bitmap& a, const Bitmap& b)
    {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
    int source_bit_count_ = 0;
    std::vector<Pixel> palette_;
};

} // namespace lt
