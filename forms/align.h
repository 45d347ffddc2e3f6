#pragma once
// Docking of child controls inside a parent.
//
// The groups are placed in this order: alTop, alBottom, alLeft, alRight, then
// alClient; alNone children keep their bounds. Each docked child takes a strip
// off the remaining area: top and bottom children keep their height, left and
// right children keep their width, the strip's other side spans the remaining
// area, and a client child gets whatever remains (several client children all
// get the same area). There are no margins.
//
// Within a group the children are placed in order of their current position:
// top children by Top, left children by Left, bottom children by bottom edge
// (the lowest first) and right children by right edge (the rightmost first).
// The order is built by taking the children in child order and inserting each
// before the first one already taken that it goes before; so equal top or left
// children keep the child order and equal bottom or right children come in
// reverse. The child whose change started the layout (if any) is taken first,
// which lets a dragged or resized child win a tie.

#include <vector>

namespace lt {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct AlignItem {
    TAlign align = TAlign::alNone;
    bool visible = true;
    Bounds bounds;
};

// Returns the new bounds of every item (in the items' order), docked inside
// area. Hidden items keep their bounds and take no space. first is the index
// of the item that started the layout, or -1.
std::vector<Bounds> AlignBounds(const std::vector<AlignItem>& items, const Bounds& area, int first = -1);

} // namespace lt
