#pragma once
// A window frame's geometry as a value: where the parts of the frame lie for
// a window of a given size, and which part a point is on, computed without
// painting. A form's non-client messages ask it: WM_NCCALCSIZE for the
// client, WM_NCHITTEST for the part at the pointer, WM_NCPAINT for where to
// draw each part.
//
// A part is named by the hit code the frame answers for it (HTCAPTION,
// HTCLOSE, HTLEFT, ... of platform/messages.h). Rectangles and points are in
// window coordinates: 0, 0 is the window's top-left corner.
//
// Sections: border styles - FrameGeometry - PlainFrameGeometry.

#include "gfx/geometry.h"

namespace lt {

// ---- border styles ----

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// ---- FrameGeometry ----

class FrameGeometry {
public:
    virtual ~FrameGeometry() = default;

    // The client area of a window of this size. When the frame needs more
    // room than the window has, the client is empty (but keeps its top-left
    // corner where the frame ends).
    virtual Rect client(Size window) const = 0;
    // The part at a point: HTNOWHERE outside the window, HTCLIENT in the
    // client, else the frame part there.
    virtual int part_at(Size window, Point at) const = 0;
    // The rectangle of one part; empty when this frame has no such part.
    virtual Rect part_rect(Size window, int part) const = 0;
};

// ---- PlainFrameGeometry ----

// The plain frame a form draws without a skin: a border all round (4 pixels
// wide for the sizeable styles, 3 for the others, none for bsNone) and below
// its top edge a caption bar (19 pixels high, 16 for the tool-window styles)
// with a square close button at its right end, 2 pixels in from the bar's
// top and right and 4 pixels shorter than the bar. In a window too small for
// them the bar and the button are cut to what lies inside the border.
//
// In a sizeable frame the border answers the sizing codes. Along each edge
// the 16 pixels nearest a corner answer that corner, so the corner's part
// is the border inside a 16 x 16 square (that square is its part_rect). The
// caption bar answers HTCAPTION between the side borders; what is left of the
// border (all of it in a fixed frame) answers HTBORDER.
class PlainFrameGeometry final : public FrameGeometry {
public:
    static constexpr int kCornerGrip = 16;

    explicit PlainFrameGeometry(TFormBorderStyle style = TFormBorderStyle::bsSizeable) : style_(style) { }

    TFormBorderStyle style() const { return style_; }
    int border_width() const;
    int caption_height() const;
    bool sizeable() const;

    Rect client(Size window) const override;
    int part_at(Size window, Point at) const override;
    // Parts with a rectangle: HTCLIENT, HTCAPTION and HTCLOSE (with a
    // caption), HTBORDER (the whole window, when there is a border), and in
    // a sizeable frame the four edges (each the full length of its side)
    // and the four corners.
    Rect part_rect(Size window, int part) const override;

private:
    TFormBorderStyle style_;
};

} // namespace lt
