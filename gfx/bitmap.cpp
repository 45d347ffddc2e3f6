#include "gfx/bitmap.h"

#include <algorithm>
#include <string>

namespace lt {

namespace {

void check_dimensions(int width, int height)
{
    if (width < 0 || height < 0 || width > Bitmap::kMaxSide || height > Bitmap::kMaxSide ||
        std::int64_t{width} * height > Bitmap::kMaxPixels) {
        throw GfxError("Invalid bitmap size " + std::to_string(width) + " x " + std::to_string(height));
    }
}

} // namespace

Bitmap::Bitmap(int width, int height, Pixel fill)
{
    resize(width, height, fill);
}

void Bitmap::resize(int width, int height, Pixel fill)
{
    check_dimensions(width, height);
    if (width == 0 || height == 0)
        width = height = 0;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * height, fill);
    source_bit_count_ = 0;
    palette_.clear();
}

void Bitmap::fill(Pixel p)
{
    std::fill(pixels_.begin(), pixels_.end(), p);
}

void Bitmap::fill(const Rect& r, Pixel p)
{
    Rect c = r.intersected(rect());
    for (int y = c.top; y < c.bottom; ++y)
        std::fill(row(y) + c.left, row(y) + c.right, p);
}

Bitmap Bitmap::copy(const Rect& r) const
{
    Rect c = r.intersected(rect());
    Bitmap out(c.width(), c.height());
    out.copy_from(*this, c, {0, 0});
    return out;
}

void Bitmap::copy_from(const Bitmap& src, const Rect& src_rect, Point dst)
{
    // Clip the source to its bitmap, move the target by the same amount, then
    // clip the target and move the source back in step.
    Rect s = src_rect.intersected(src.rect());
    if (s.empty())
        return;
    if (&src == this) {
        // Overlapping source and target: go through a copy.
        Bitmap tmp = copy(s);
        copy_from(tmp, tmp.rect(), {dst.x + (s.left - src_rect.left), dst.y + (s.top - src_rect.top)});
        return;
    }
    Rect d = Rect::from_xywh(dst.x + (s.left - src_rect.left), dst.y + (s.top - src_rect.top), s.width(), s.height());
    Rect dc = d.intersected(rect());
    if (dc.empty())
        return;
    int sx = s.left + (dc.left - d.left);
    int sy = s.top + (dc.top - d.top);
    for (int y = 0; y < dc.height(); ++y) {
        const Pixel* from = src.row(sy + y) + sx;
        std::copy_n(from, dc.width(), row(dc.top + y) + dc.left);
    }
}

void Bitmap::set_source_format(int bit_count, std::vector<Pixel> palette)
{
    source_bit_count_ = bit_count;
    palette_ = std::move(palette);
}

} // namespace lt
