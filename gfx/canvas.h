#pragma once
// A drawing surface over a Bitmap with the semantics of a classic device
// context: a viewport origin, a clip region, saved states, a pen, a brush, a
// font description, text and background colours and a background mode.
//
// Every drawing call takes logical coordinates; a logical point p lands on
// bitmap pixel p + origin(). Clipping calls also take logical coordinates, as
// they stand at the time of the call; the clip itself is kept in bitmap
// coordinates and never reaches outside the bitmap. Every source rectangle is
// clipped to its bitmap and every target to the clip; pieces of zero or
// negative size draw nothing.

#include <cstdint>
#include <span>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/color.h"
#include "gfx/font_desc.h"
#include "gfx/geometry.h"
#include "gfx/region.h"

namespace lt {

struct Pen {
    Color color = clBlack;
    bool clear = false; // a clear pen draws no lines or outlines
};

struct Brush {
    Color color = clWhite;
    bool clear = false; // a clear brush fills nothing
};

enum class BkMode { Opaque, Transparent };

enum class EdgeStyle { Raised, Sunken };

class Canvas {
public:
    explicit Canvas(Bitmap& target);

    Bitmap& bitmap() { return *target_; }
    const Bitmap& bitmap() const { return *target_; }

    // ---- State ------------------------------------------------------------
    Point origin() const { return state_.origin; }
    void set_origin(Point p) { state_.origin = p; }
    void move_origin(int dx, int dy) { state_.origin = state_.origin + Point{dx, dy}; }

    Pen& pen() { return state_.pen; }
    Brush& brush() { return state_.brush; }
    FontDesc& font() { return state_.font; }
    const Pen& pen() const { return state_.pen; }
    const Brush& brush() const { return state_.brush; }
    const FontDesc& font() const { return state_.font; }

    Color text_color() const { return state_.text_color; }
    void set_text_color(Color c) { state_.text_color = c; }
    Color bk_color() const { return state_.bk_color; }
    void set_bk_color(Color c) { state_.bk_color = c; }
    BkMode bk_mode() const { return state_.bk_mode; }
    void set_bk_mode(BkMode m) { state_.bk_mode = m; }

    // Pushes the whole state (origin, clip, pen, brush, font, colours, mode,
    // current position); restore() pops the last one (no-op when none).
    void save();
    void restore();
    int saved_depth() const { return static_cast<int>(saved_.size()); }

    // ---- Clipping ---------------------------------------------------------
    void reset_clip();                    // the whole bitmap
    void set_clip(const Region& logical); // replaces the clip
    void intersect_clip(const Rect& logical);
    void intersect_clip(const Region& logical);
    void exclude_clip(const Rect& logical);
    // The clip in bitmap coordinates.
    const Region& clip_region() const { return state_.clip; }
    // Bounding box of the clip in logical coordinates.
    Rect clip_box() const;
    bool is_visible(Point logical) const;

    // ---- Fills and frames ------------------------------------------------
    void fill_rect(const Rect& r, Color c);
    void fill_rect(const Rect& r); // with the brush
    void fill_region(const Region& logical, Color c);
    // One-pixel border just inside `r`.
    void frame_rect(const Rect& r, Color c);
    // Outline with the pen, inside filled with the brush.
    void rectangle(const Rect& r);
    // One-pixel border, top and left in one colour, bottom and right in the
    // other; returns `r` shrunk by one pixel so frames can be nested.
    Rect frame3d(const Rect& r, Color top_left, Color bottom_right);
    // Two-pixel 3D edge in the classic system colours.
    Rect draw_edge(const Rect& r, EdgeStyle style);
    // The dotted focus frame: every other pixel of the one-pixel border of
    // `r` (those whose bitmap x + y is even) is XORed with the brush colour,
    // so drawing it twice restores the picture.
    void draw_focus_rect(const Rect& r);

    // ---- Lines and pixels -----------------------------------------------
    // One-pixel lines in the pen colour from the current position; the end
    // point itself is not drawn and becomes the current position.
    void move_to(Point p) { state_.pen_pos = p; }
    void line_to(Point p);
    Point pen_pos() const { return state_.pen_pos; }
    void line(Point from, Point to)
    {
        move_to(from);
        line_to(to);
    }
    // Joined lines through the points; the last point is not drawn.
    void polyline(std::span<const Point> points);
    void set_pixel(Point p, Color c);
    // The colour at a logical point, clNone outside the bitmap.
    Color get_pixel(Point p) const;

    // ---- Images ---------------------------------------------------------
    void draw(Point dst, const Bitmap& src);
    void draw(Point dst, const Bitmap& src, const Rect& src_rect);
    // Nearest-neighbour scaling of `src_rect` onto `dst`. The mapping is that
    // of the whole rectangles; target pixels whose source falls outside the
    // bitmap are left alone.
    void stretch_draw(const Rect& dst, const Bitmap& src, const Rect& src_rect);
    void stretch_draw(const Rect& dst, const Bitmap& src) { stretch_draw(dst, src, src.rect()); }
    // Copies `src_rect` leaving out the pixels of the key colour; clNone as
    // key means the lower-left pixel of `src_rect`.
    void draw_transparent(Point dst, const Bitmap& src, const Rect& src_rect, Color key = clNone);
    void draw_transparent(Point dst, const Bitmap& src, Color key = clNone)
    {
        draw_transparent(dst, src, src.rect(), key);
    }
    // Repeats `src_rect` over `dst` from its top-left corner in rows and
    // columns; the last column and row are cut at dst's right and bottom.
    void tile(const Rect& dst, const Bitmap& src, const Rect& src_rect);
    // The disabled (embossed) look of an image: its ink pixels (neither the
    // key colour nor light, i.e. not every channel at 0xC0 or above) drawn at
    // (+1, +1) in the button-highlight colour, then in place in the
    // button-shadow colour.
    void draw_disabled(Point dst, const Bitmap& src, const Rect& src_rect, Color key = clNone);

    // ---- Coverage masks (text) ------------------------------------------
    // Blends `color` over the target with per-pixel coverage 0..255 read from
    // `alpha` (h rows of w bytes, rows `pitch` bytes apart), at logical (x, y).
    void draw_alpha_mask(int x, int y, const std::uint8_t* alpha, int w, int h, int pitch, Color color);
    // The embossed look of a mask: at (x + 1, y + 1) in `highlight`, then at
    // (x, y) in `shadow`.
    void draw_alpha_mask_embossed(int x, int y, const std::uint8_t* alpha, int w, int h, int pitch,
        Color highlight = clBtnHighlight, Color shadow = clBtnShadow);

private:
    struct State {
        Point origin;
        Region clip;
        Pen pen;
        Brush brush;
        FontDesc font;
        Color text_color = clBlack;
        Color bk_color = clWhite;
        BkMode bk_mode = BkMode::Opaque;
        Point pen_pos;
    };

    Rect to_device(const Rect& r) const { return r.offset(state_.origin); }
    bool visible(Point device) const;
    // Calls fn(Rect) for each part of the device rectangle inside the clip
    // and the bitmap.
    template <class Fn>
    void for_each_visible(const Rect& device, Fn&& fn) const
    {
        state_.clip.for_each_in(device.intersected(target_->rect()), fn);
    }
    void fill_device(const Rect& device, Pixel p);
    // Paints `color` where the source holds an ink pixel (see draw_disabled).
    void draw_ink(Point dst, const Bitmap& src, const Rect& src_rect, Pixel key, Pixel color);

    Bitmap* target_;
    State state_;
    std::vector<State> saved_;
};

// Saves a canvas's state for the lifetime of the object.
class CanvasSaver {
public:
    explicit CanvasSaver(Canvas& c) : canvas_(c) { canvas_.save(); }
    ~CanvasSaver() { canvas_.restore(); }
    CanvasSaver(const CanvasSaver&) = delete;
    CanvasSaver& operator=(const CanvasSaver&) = delete;

private:
    Canvas& canvas_;
};

} // namespace lt
