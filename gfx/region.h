#pragma once
// Regions: sets of pixels held as rectangles in y-bands. The rectangles are
// sorted by top, then left; rectangles of one band share their top and bottom
// and neither touch nor overlap; two vertically adjacent bands never hold the
// same spans (they are merged). This normal form makes equal regions compare
// equal rectangle by rectangle.

#include <span>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/geometry.h"

namespace lt {

class Region {
public:
    Region() = default;
    explicit Region(const Rect& r);
    // The union of any rectangles.
    static Region from_rects(std::span<const Rect> rects);
    // The pure-black pixels (red = green = blue = 0) of a mask bitmap, moved
    // by `origin`. Each row's maximal runs become one-pixel-high rectangles;
    // there is no limit on their number. The pixels of a bitmap read from a
    // palette BMP are its palette colours, so the palette decides what is black.
    static Region from_mask(const Bitmap& mask, Point origin = {});

    bool empty() const { return rects_.empty(); }
    Rect bounds() const { return bounds_; }
    const std::vector<Rect>& rects() const { return rects_; }
    bool contains(Point p) const;
    bool intersects(const Rect& r) const;

    Region& unite(const Region& o);
    Region& intersect(const Region& o);
    Region& subtract(const Region& o);
    Region& offset(int dx, int dy);

    friend Region operator|(Region a, const Region& b) { return a.unite(b); }
    friend Region operator&(Region a, const Region& b) { return a.intersect(b); }
    friend Region operator-(Region a, const Region& b) { return a.subtract(b); }
    friend bool operator==(const Region& a, const Region& b) { return a.rects_ == b.rects_; }

    // Calls fn(Rect) for every non-empty intersection of `r` with the region.
    template <class Fn>
    void for_each_in(const Rect& r, Fn&& fn) const
    {
        if (!bounds_.intersects(r))
            return;
        for (const Rect& own : rects_) {
            if (own.bottom <= r.top)
                continue;
            if (own.top >= r.bottom)
                break;
            Rect part = own.intersected(r);
            if (!part.empty())
                fn(part);
        }
    }

private:
    enum class Op { Union, Intersect, Subtract };
    static Region combine(const Region& a, const Region& b, Op op);
    void append_band(int top, int bottom, const std::vector<std::pair<int, int>>& spans);
    void finish();

    std::vector<Rect> rects_;
    Rect bounds_;
};

} // namespace lt
