#include "forms/image_list.h"

#include <algorithm>

namespace lt {

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(std::max(width, 1)), height_(std::max(height, 1))
{ }

int TCustomImageList::AddMasked(const Bitmap& strip, Color key)
{
    if (strip.height() < 1 || strip.width() < width_)
        return -1;
    const int first = Count();
    for (int x = 0; x + width_ <= strip.width(); x += width_) {
        Image image{strip.copy(Rect::from_xywh(x, 0, width_, std::min(height_, strip.height()))), 0};
        image.key = key == clNone ? image.bitmap.pixel(0, image.bitmap.height() - 1) : to_pixel(key);
        images_.push_back(std::move(image));
    }
    return first;
}

void TCustomImageList::Draw(Canvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const Image& image = images_[static_cast<size_t>(index)];
    const Color key = pixel_to_color(image.key);
    if (enabled)
        canvas.draw_transparent({x, y}, image.bitmap, image.bitmap.rect(), key);
    else
        canvas.draw_disabled({x, y}, image.bitmap, image.bitmap.rect(), key);
}

} // namespace lt
