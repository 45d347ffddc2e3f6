// Regions.
//   1. Construction (rectangles, masks)
//   2. Queries
//   3. Boolean operations by band sweep

#include "gfx/region.h"

#include <algorithm>

namespace lt {

namespace {

using Spans = std::vector<std::pair<int, int>>;

// A band of a region: rectangles [begin, end) of its list share top and bottom.
struct Band {
    int top;
    int bottom;
    std::size_t begin;
    std::size_t end;
};

std::vector<Band> bands_of(const std::vector<Rect>& rects)
{
    std::vector<Band> bands;
    for (std::size_t i = 0; i < rects.size();) {
        std::size_t j = i;
        while (j < rects.size() && rects[j].top == rects[i].top)
            ++j;
        bands.push_back({rects[i].top, rects[i].bottom, i, j});
        i = j;
    }
    return bands;
}

} // namespace

// ---- 1. Construction ------------------------------------------------------

Region::Region(const Rect& r)
{
    if (!r.empty()) {
        rects_.push_back(r);
        bounds_ = r;
    }
}

Region Region::from_rects(std::span<const Rect> rects)
{
    Region result;
    for (const Rect& r : rects)
        result.unite(Region(r));
    return result;
}

void Region::append_band(int top, int bottom, const Spans& spans)
{
    if (spans.empty() || top >= bottom)
        return;
    // Merge with the band above when it ends here and holds the same spans.
    if (!rects_.empty() && rects_.back().bottom == top) {
        std::size_t n = spans.size();
        if (rects_.size() >= n) {
            std::size_t first = rects_.size() - n;
            bool same =
                rects_[first].top == rects_.back().top && (first == 0 || rects_[first - 1].top != rects_[first].top);
            for (std::size_t i = 0; same && i < n; ++i) {
                same = rects_[first + i].left == spans[i].first && rects_[first + i].right == spans[i].second;
            }
            if (same) {
                for (std::size_t i = first; i < rects_.size(); ++i)
                    rects_[i].bottom = bottom;
                return;
            }
        }
    }
    for (const auto& s : spans)
        rects_.push_back({s.first, top, s.second, bottom});
}

void Region::finish()
{
    bounds_ = {};
    for (const Rect& r : rects_)
        bounds_ = bounds_.united(r);
}

Region Region::from_mask(const Bitmap& mask, Point origin)
{
    Region result;
    Spans spans;
    for (int y = 0; y < mask.height(); ++y) {
        spans.clear();
        const Pixel* row = mask.row(y);
        for (int x = 0; x < mask.width();) {
            if ((row[x] & 0x00FFFFFFu) != 0) {
                ++x;
                continue;
            }
            int start = x;
            while (x < mask.width() && (row[x] & 0x00FFFFFFu) == 0)
                ++x;
            spans.emplace_back(start + origin.x, x + origin.x);
        }
        result.append_band(y + origin.y, y + origin.y + 1, spans);
    }
    result.finish();
    return result;
}

// ---- 2. Queries -------------------------------------------------------------

bool Region::contains(Point p) const
{
    if (!bounds_.contains(p))
        return false;
    // First rectangle whose band reaches below p.y, then scan that band.
    auto it = std::partition_point(rects_.begin(), rects_.end(), [&](const Rect& r) { return r.bottom <= p.y; });
    for (; it != rects_.end() && it->top <= p.y; ++it) {
        if (it->contains(p))
            return true;
    }
    return false;
}

bool Region::intersects(const Rect& r) const
{
    bool found = false;
    for_each_in(r, [&](const Rect&) { found = true; });
    return found;
}

Region& Region::offset(int dx, int dy)
{
    for (Rect& r : rects_)
        r = r.offset(dx, dy);
    bounds_ = empty() ? Rect{} : bounds_.offset(dx, dy);
    return *this;
}

// ---- 3. Boolean operations ------------------------------------------------

Region& Region::unite(const Region& o)
{
    return *this = combine(*this, o, Op::Union);
}
Region& Region::intersect(const Region& o)
{
    return *this = combine(*this, o, Op::Intersect);
}
Region& Region::subtract(const Region& o)
{
    return *this = combine(*this, o, Op::Subtract);
}

Region Region::combine(const Region& a, const Region& b, Op op)
{
    // Fast paths that keep the normal form without a sweep.
    if (op == Op::Intersect && (a.empty() || b.empty() || !a.bounds_.intersects(b.bounds_)))
        return Region();
    if (op == Op::Subtract && (a.empty() || b.empty() || !a.bounds_.intersects(b.bounds_)))
        return a;
    if (op == Op::Union && b.empty())
        return a;
    if (op == Op::Union && a.empty())
        return b;

    std::vector<int> ys;
    ys.reserve(2 * (a.rects_.size() + b.rects_.size()));
    for (const Rect& r : a.rects_)
        ys.insert(ys.end(), {r.top, r.bottom});
    for (const Rect& r : b.rects_)
        ys.insert(ys.end(), {r.top, r.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    const std::vector<Band> bands_a = bands_of(a.rects_);
    const std::vector<Band> bands_b = bands_of(b.rects_);
    std::size_t ia = 0;
    std::size_t ib = 0;
    Region result;
    Spans spans;
    std::vector<int> xs;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        const int y0 = ys[k];
        const int y1 = ys[k + 1];
        while (ia < bands_a.size() && bands_a[ia].bottom <= y0)
            ++ia;
        while (ib < bands_b.size() && bands_b[ib].bottom <= y0)
            ++ib;
        const Band* ba = ia < bands_a.size() && bands_a[ia].top <= y0 ? &bands_a[ia] : nullptr;
        const Band* bb = ib < bands_b.size() && bands_b[ib].top <= y0 ? &bands_b[ib] : nullptr;

        // Walk the x breakpoints of both bands; each elementary segment is in
        // or out of the result by the operation.
        xs.clear();
        if (ba)
            for (std::size_t i = ba->begin; i < ba->end; ++i)
                xs.insert(xs.end(), {a.rects_[i].left, a.rects_[i].right});
        if (bb)
            for (std::size_t i = bb->begin; i < bb->end; ++i)
                xs.insert(xs.end(), {b.rects_[i].left, b.rects_[i].right});
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

        spans.clear();
        std::size_t pa = ba ? ba->begin : 0;
        std::size_t pb = bb ? bb->begin : 0;
        for (std::size_t j = 0; j + 1 < xs.size(); ++j) {
            const int x = xs[j];
            while (ba && pa < ba->end && a.rects_[pa].right <= x)
                ++pa;
            while (bb && pb < bb->end && b.rects_[pb].right <= x)
                ++pb;
            const bool in_a = ba && pa < ba->end && a.rects_[pa].left <= x;
            const bool in_b = bb && pb < bb->end && b.rects_[pb].left <= x;
            const bool in = op == Op::Union ? (in_a || in_b) : op == Op::Intersect ? (in_a && in_b) : (in_a && !in_b);
            if (!in)
                continue;
            if (!spans.empty() && spans.back().second == x) {
                spans.back().second = xs[j + 1];
            } else {
                spans.emplace_back(x, xs[j + 1]);
            }
        }
        result.append_band(y0, y1, spans);
    }
    result.finish();
    return result;
}

} // namespace lt
