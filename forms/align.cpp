#include "forms/align.h"

#include <cstddef>

namespace lt {

namespace {

// Whether a goes before b when both dock to the same side.
bool goes_before(const Bounds& a, const Bounds& b, TAlign align)
{
    switch (align) {
    case TAlign::alTop:
        return a.top < b.top;
    case TAlign::alBottom:
        return a.top + a.height >= b.top + b.height;
    case TAlign::alLeft:
        return a.left < b.left;
    case TAlign::alRight:
        return a.left + a.width >= b.left + b.width;
    default:
        return false;
    }
}

struct Area {
    int left, top, right, bottom;
};

Bounds place(const Bounds& current, TAlign align, Area& area)
{
    int width = area.right - area.left;
    if (width < 0 || align == TAlign::alLeft || align == TAlign::alRight)
        width = current.width;
    int height = area.bottom - area.top;
    if (height < 0 || align == TAlign::alTop || align == TAlign::alBottom)
        height = current.height;
    Bounds b{area.left, area.top, width, height};
    switch (align) {
    case TAlign::alTop:
        area.top += height;
        break;
    case TAlign::alBottom:
        area.bottom -= height;
        b.top = area.bottom;
        break;
    case TAlign::alLeft:
        area.left += width;
        break;
    case TAlign::alRight:
        area.right -= width;
        b.left = area.right;
        break;
    default:
        break;
    }
    return b;
}

} // namespace

std::vector<Bounds> AlignBounds(const std::vector<AlignItem>& items, const Bounds& bounds, int first)
{
    std::vector<Bounds> out;
    out.reserve(items.size());
    for (const AlignItem& item : items)
        out.push_back(item.bounds);
    Area area{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};

    for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        std::vector<int> order;
        auto docks = [&](int i) { return items[i].align == align && items[i].visible; };
        if (first >= 0 && first < static_cast<int>(items.size()) && docks(first))
            order.push_back(first);
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            if (i == first || !docks(i))
                continue;
            std::size_t at = 0;
            while (at < order.size() && !goes_before(items[i].bounds, items[order[at]].bounds, align))
                ++at;
            order.insert(order.begin() + static_cast<long>(at), i);
        }
        for (int i : order)
            out[i] = place(items[i].bounds, align, area);
    }
    return out;
}

} // namespace lt
