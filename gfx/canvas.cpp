// Canvas.
//   1. State and clipping
//   2. Fills and frames
//   3. Lines and pixels
//   4. Images: copies, stretching, colour keys, tiling, disabled look
//   5. Coverage masks

#include "gfx/canvas.h"

#include <cstdlib>

namespace lt {

namespace {

Pixel blend(Pixel dst, Pixel src, unsigned a)
{
    auto mix = [a](unsigned d, unsigned s) { return (d * (255 - a) + s * a + 127) / 255; };
    return make_pixel(mix(pixel_red(dst), pixel_red(src)), mix(pixel_green(dst), pixel_green(src)),
        mix(pixel_blue(dst), pixel_blue(src)));
}

bool is_light(Pixel p)
{
    return pixel_red(p) >= 0xC0 && pixel_green(p) >= 0xC0 && pixel_blue(p) >= 0xC0;
}

} // namespace

// ---- 1. State and clipping ------------------------------------------------

Canvas::Canvas(Bitmap& target) : target_(&target)
{
    state_.clip = Region(target.rect());
}

void Canvas::save()
{
    saved_.push_back(state_);
}

void Canvas::restore()
{
    if (saved_.empty())
        return;
    state_ = std::move(saved_.back());
    saved_.pop_back();
}

void Canvas::reset_clip()
{
    state_.clip = Region(target_->rect());
}

void Canvas::set_clip(const Region& logical)
{
    Region device = logical;
    device.offset(state_.origin.x, state_.origin.y);
    state_.clip = device.intersect(Region(target_->rect()));
}

void Canvas::intersect_clip(const Rect& logical)
{
    state_.clip.intersect(Region(to_device(logical)));
}

void Canvas::intersect_clip(const Region& logical)
{
    Region device = logical;
    device.offset(state_.origin.x, state_.origin.y);
    state_.clip.intersect(device);
}

void Canvas::exclude_clip(const Rect& logical)
{
    state_.clip.subtract(Region(to_device(logical)));
}

Rect Canvas::clip_box() const
{
    Rect b = state_.clip.bounds();
    return b.empty() ? Rect{} : b.offset(-state_.origin.x, -state_.origin.y);
}

bool Canvas::is_visible(Point logical) const
{
    return visible(logical + state_.origin);
}

// The clip lies inside the bitmap when it is set; checking the bitmap's
// bounds again keeps drawing safe after the bitmap was resized under the canvas.
bool Canvas::visible(Point device) const
{
    return target_->rect().contains(device) && state_.clip.contains(device);
}

// ---- 2. Fills and frames ----------------------------------------------------

void Canvas::fill_device(const Rect& device, Pixel p)
{
    for_each_visible(device, [&](const Rect& part) { target_->fill(part, p); });
}

void Canvas::fill_rect(const Rect& r, Color c)
{
    fill_device(to_device(r), to_pixel(c));
}

void Canvas::fill_rect(const Rect& r)
{
    if (!state_.brush.clear)
        fill_rect(r, state_.brush.color);
}

void Canvas::fill_region(const Region& logical, Color c)
{
    const Pixel p = to_pixel(c);
    for (const Rect& r : logical.rects())
        fill_device(to_device(r), p);
}

void Canvas::frame_rect(const Rect& r, Color c)
{
    if (r.empty())
        return;
    const Pixel p = to_pixel(c);
    const Rect d = to_device(r);
    fill_device({d.left, d.top, d.right, d.top + 1}, p);
    if (d.height() > 1)
        fill_device({d.left, d.bottom - 1, d.right, d.bottom}, p);
    fill_device({d.left, d.top + 1, d.left + 1, d.bottom - 1}, p);
    if (d.width() > 1)
        fill_device({d.right - 1, d.top + 1, d.right, d.bottom - 1}, p);
}

void Canvas::rectangle(const Rect& r)
{
    if (!state_.brush.clear)
        fill_rect(state_.pen.clear ? r : r.inflated(-1, -1), state_.brush.color);
    if (!state_.pen.clear)
        frame_rect(r, state_.pen.color);
}

Rect Canvas::frame3d(const Rect& r, Color top_left, Color bottom_right)
{
    if (r.empty())
        return r;
    const Pixel tl = to_pixel(top_left);
    const Pixel br = to_pixel(bottom_right);
    const Rect d = to_device(r);
    // The top-right and bottom-left corners belong to the bottom-right colour.
    fill_device({d.left, d.top, d.right - 1, d.top + 1}, tl);
    fill_device({d.left, d.top, d.left + 1, d.bottom - 1}, tl);
    fill_device({d.right - 1, d.top, d.right, d.bottom}, br);
    fill_device({d.left, d.bottom - 1, d.right, d.bottom}, br);
    return r.inflated(-1, -1);
}

Rect Canvas::draw_edge(const Rect& r, EdgeStyle style)
{
    if (style == EdgeStyle::Raised) {
        return frame3d(frame3d(r, cl3DLight, cl3DDkShadow), clBtnHighlight, clBtnShadow);
    }
    return frame3d(frame3d(r, clBtnShadow, clBtnHighlight), cl3DDkShadow, cl3DLight);
}

void Canvas::draw_focus_rect(const Rect& r)
{
    if (r.empty())
        return;
    const Pixel x_or = to_pixel(state_.brush.color);
    const Rect d = to_device(r);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0 && visible({x, y}))
            target_->row(y)[x] ^= x_or;
    };
    // Every border pixel once, so that a second call undoes the first.
    for (int x = d.left; x < d.right; ++x) {
        dot(x, d.top);
        if (d.height() > 1)
            dot(x, d.bottom - 1);
    }
    for (int y = d.top + 1; y < d.bottom - 1; ++y) {
        dot(d.left, y);
        if (d.width() > 1)
            dot(d.right - 1, y);
    }
}

// ---- 3. Lines and pixels ----------------------------------------------------

void Canvas::line_to(Point to)
{
    const Point from = state_.pen_pos;
    state_.pen_pos = to;
    if (state_.pen.clear || from == to)
        return;
    const Pixel p = to_pixel(state_.pen.color);
    const Point a = from + state_.origin;
    const Point b = to + state_.origin;
    // Straight lines as fills; the end point is left out.
    if (a.y == b.y) {
        fill_device(a.x < b.x ? Rect{a.x, a.y, b.x, a.y + 1} : Rect{b.x + 1, a.y, a.x + 1, a.y + 1}, p);
        return;
    }
    if (a.x == b.x) {
        fill_device(a.y < b.y ? Rect{a.x, a.y, a.x + 1, b.y} : Rect{a.x, b.y + 1, a.x + 1, a.y + 1}, p);
        return;
    }
    // Bresenham from a towards b, stopping before b.
    const int dx = std::abs(b.x - a.x);
    const int dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    Point q = a;
    while (q != b) {
        if (visible(q))
            target_->row(q.y)[q.x] = p;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            q.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            q.y += sy;
        }
    }
}

void Canvas::polyline(std::span<const Point> points)
{
    if (points.empty())
        return;
    move_to(points[0]);
    for (std::size_t i = 1; i < points.size(); ++i)
        line_to(points[i]);
}

void Canvas::set_pixel(Point p, Color c)
{
    const Point d = p + state_.origin;
    if (visible(d))
        target_->row(d.y)[d.x] = to_pixel(c);
}

Color Canvas::get_pixel(Point p) const
{
    const Point d = p + state_.origin;
    return target_->rect().contains(d) ? pixel_to_color(target_->pixel(d.x, d.y)) : clNone;
}

// ---- 4. Images --------------------------------------------------------------

namespace {

// Where a 1:1 copy of `src_rect` to the device point `dst` reads and writes:
// the target rectangle after clipping the source to its bitmap, and the
// offset from target to source coordinates.
struct BlitPlan {
    Rect target;
    Point to_source;
};

BlitPlan plan_blit(Point dst, const Bitmap& src, const Rect& src_rect)
{
    const Rect s = src_rect.intersected(src.rect());
    if (s.empty())
        return {};
    const Rect d =
        Rect::from_xywh(dst.x + (s.left - src_rect.left), dst.y + (s.top - src_rect.top), s.width(), s.height());
    return {d, {s.left - d.left, s.top - d.top}};
}

} // namespace

void Canvas::draw(Point dst, const Bitmap& src)
{
    draw(dst, src, src.rect());
}

void Canvas::draw(Point dst, const Bitmap& src, const Rect& src_rect)
{
    const BlitPlan plan = plan_blit(dst + state_.origin, src, src_rect);
    for_each_visible(
        plan.target, [&](const Rect& part) { target_->copy_from(src, part.offset(plan.to_source), part.top_left()); });
}

void Canvas::stretch_draw(const Rect& dst, const Bitmap& src, const Rect& src_rect)
{
    if (&src == target_) {
        // Reading and writing one bitmap: read from a copy.
        const Bitmap copy = src;
        stretch_draw(dst, copy, src_rect);
        return;
    }
    if (dst.empty() || src_rect.empty() || src.empty())
        return;
    const Rect d = to_device(dst);
    const std::int64_t dw = d.width(), dh = d.height(), sw = src_rect.width(), sh = src_rect.height();
    std::vector<int> columns;
    for_each_visible(d, [&](const Rect& part) {
        columns.resize(static_cast<std::size_t>(part.width()));
        bool every_column_read = true;
        for (int x = part.left; x < part.right; ++x) {
            const int sx = src_rect.left + static_cast<int>((x - d.left) * sw / dw);
            columns[static_cast<std::size_t>(x - part.left)] = sx;
            every_column_read = every_column_read && sx >= 0 && sx < src.width();
        }
        // The source row the previous target row was made from, while rows
        // can be copied whole.
        int done_sy = -1;
        for (int y = part.top; y < part.bottom; ++y) {
            const int sy = src_rect.top + static_cast<int>((y - d.top) * sh / dh);
            if (sy < 0 || sy >= src.height())
                continue;
            Pixel* to = target_->row(y);
            if (sy == done_sy && y > part.top) {
                // Enlarging repeats source rows: copy the row just made.
                const Pixel* above = target_->row(y - 1);
                std::copy(above + part.left, above + part.right, to + part.left);
                continue;
            }
            if (every_column_read)
                done_sy = sy;
            const Pixel* from = src.row(sy);
            for (int x = part.left; x < part.right; ++x) {
                const int sx = columns[static_cast<std::size_t>(x - part.left)];
                if (sx >= 0 && sx < src.width())
                    to[x] = from[sx];
            }
        }
    });
}

void Canvas::draw_transparent(Point dst, const Bitmap& src, const Rect& src_rect, Color key)
{
    if (&src == target_) {
        // Reading and writing one bitmap: read from a copy.
        const Bitmap copy = src;
        draw_transparent(dst, copy, src_rect, key);
        return;
    }
    const Rect s = src_rect.intersected(src.rect());
    if (s.empty())
        return;
    const Pixel k = key == clNone ? src.pixel(s.left, s.bottom - 1) : to_pixel(key);
    const BlitPlan plan = plan_blit(dst + state_.origin, src, src_rect);
    for_each_visible(plan.target, [&](const Rect& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            const Pixel* from = src.row(y + plan.to_source.y);
            Pixel* to = target_->row(y);
            for (int x = part.left; x < part.right; ++x) {
                const Pixel p = from[x + plan.to_source.x];
                if (p != k)
                    to[x] = p;
            }
        }
    });
}

void Canvas::tile(const Rect& dst, const Bitmap& src, const Rect& src_rect)
{
    if (&src == target_) {
        // Reading and writing one bitmap: read from a copy.
        const Bitmap copy = src;
        tile(dst, copy, src_rect);
        return;
    }
    // A tile with no pixels would never advance; nothing is drawn.
    const Rect s = src_rect.intersected(src.rect());
    if (s.empty() || dst.empty())
        return;
    const Rect d = to_device(dst);
    const int tw = s.width();
    const int th = s.height();
    for_each_visible(d, [&](const Rect& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            const Pixel* from = src.row(s.top + (y - d.top) % th);
            Pixel* to = target_->row(y);
            int x = part.left;
            while (x < part.right) {
                const int sx = s.left + (x - d.left) % tw;
                const int n = std::min(s.right - sx, part.right - x);
                std::copy_n(from + sx, n, to + x);
                x += n;
            }
        }
    });
}

void Canvas::draw_ink(Point dst, const Bitmap& src, const Rect& src_rect, Pixel key, Pixel color)
{
    const BlitPlan plan = plan_blit(dst + state_.origin, src, src_rect);
    for_each_visible(plan.target, [&](const Rect& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            const Pixel* from = src.row(y + plan.to_source.y);
            Pixel* to = target_->row(y);
            for (int x = part.left; x < part.right; ++x) {
                const Pixel p = from[x + plan.to_source.x];
                if (p != key && !is_light(p))
                    to[x] = color;
            }
        }
    });
}

void Canvas::draw_disabled(Point dst, const Bitmap& src, const Rect& src_rect, Color key)
{
    if (&src == target_) {
        // Reading and writing one bitmap: read from a copy.
        const Bitmap copy = src;
        draw_disabled(dst, copy, src_rect, key);
        return;
    }
    const Rect s = src_rect.intersected(src.rect());
    if (s.empty())
        return;
    const Pixel k = key == clNone ? src.pixel(s.left, s.bottom - 1) : to_pixel(key);
    draw_ink(dst + Point{1, 1}, src, src_rect, k, to_pixel(clBtnHighlight));
    draw_ink(dst, src, src_rect, k, to_pixel(clBtnShadow));
}

// ---- 5. Coverage masks ------------------------------------------------------

void Canvas::draw_alpha_mask(int x, int y, const std::uint8_t* alpha, int w, int h, int pitch, Color color)
{
    if (alpha == nullptr || w <= 0 || h <= 0)
        return;
    const Pixel c = to_pixel(color);
    const Rect d = to_device(Rect::from_xywh(x, y, w, h));
    for_each_visible(d, [&](const Rect& part) {
        for (int row = part.top; row < part.bottom; ++row) {
            const std::uint8_t* a = alpha + static_cast<std::ptrdiff_t>(row - d.top) * pitch;
            Pixel* to = target_->row(row);
            for (int col = part.left; col < part.right; ++col) {
                const unsigned cover = a[col - d.left];
                if (cover == 255) {
                    to[col] = c;
                } else if (cover != 0) {
                    to[col] = blend(to[col], c, cover);
                }
            }
        }
    });
}

void Canvas::draw_alpha_mask_embossed(
    int x, int y, const std::uint8_t* alpha, int w, int h, int pitch, Color highlight, Color shadow)
{
    draw_alpha_mask(x + 1, y + 1, alpha, w, h, pitch, highlight);
    draw_alpha_mask(x, y, alpha, w, h, pitch, shadow);
}

} // namespace lt
