#pragma once
// Integer geometry shared by every drawing layer. Rectangles are half-open:
// `right` and `bottom` are exclusive, so a rectangle is empty when its width or
// height is zero or negative, and empty rectangles compare by their fields.

#include <algorithm>

namespace lt {

struct Point {
    int x = 0;
    int y = 0;

    friend constexpr bool operator==(const Point&, const Point&) = default;
    constexpr Point operator+(Point o) const { return {x + o.x, y + o.y}; }
    constexpr Point operator-(Point o) const { return {x - o.x, y - o.y}; }
};

struct Size {
    int width = 0;
    int height = 0;

    friend constexpr bool operator==(const Size&, const Size&) = default;
    constexpr bool empty() const { return width <= 0 || height <= 0; }
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect from_xywh(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
    static constexpr Rect from_size(Size s) { return {0, 0, s.width, s.height}; }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr Size size() const { return {width(), height()}; }
    constexpr Point top_left() const { return {left, top}; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // True when `r` lies wholly inside; an empty `r` is inside anything.
    constexpr bool contains(const Rect& r) const
    {
        return r.empty() || (r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom);
    }

    constexpr Rect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect offset(Point d) const { return offset(d.x, d.y); }
    // Grows each side by dx, dy (shrinks for negative values).
    constexpr Rect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }

    // The common part; an empty result is normalised to Rect{} so callers can
    // compare results without caring where an empty rectangle came from.
    constexpr Rect intersected(const Rect& o) const
    {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.empty() ? Rect{} : r;
    }
    constexpr bool intersects(const Rect& o) const { return !intersected(o).empty(); }
    // The bounding box of both; an empty operand does not contribute.
    constexpr Rect united(const Rect& o) const
    {
        if (empty())
            return o.empty() ? Rect{} : o;
        if (o.empty())
            return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
};

} // namespace lt
