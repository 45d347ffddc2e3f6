#pragma once
// The skinned window frame's geometry as a value: for a window of any size,
// where the client area, the caption, the caption buttons, the sizing edges
// and corners and the window's shape lie, and which part a point is on,
// computed without painting or any window. The frame (skin_form.h) asks it
// for WM_NCCALCSIZE, WM_NCHITTEST, the layout of its frame objects, the
// window region and where to paint.
//
// Two looks share it. With a skin, everything follows from the skin's
// [FORMINFO] record, the frame picture's size Pw x Ph, the mask and the
// frame objects: for a window of W x H (dx = W - Pw, dy = H - Ph) the
// corner points and the client rectangle move with the corner they belong
// to, the caption area widens by dx, and caption buttons drawn from an
// active picture are laid out from the caption area's right end. Without a
// skin it is the default frame: a 3-pixel border, a 19-pixel caption strip
// (15 for tool windows) and small caption buttons at the strip's right end.
//
// part_at answers what the frame's hit test answers, except that where the
// frame answers HTOBJECT for a caption button it names the button: HTCLOSE,
// HTMAXBUTTON, HTMINBUTTON or HTSYSMENU (other frame objects and bare frame
// stay HTOBJECT). The hit test's rules for a hot frame object, which need
// the pointer's history, are the frame's own.
//
// Sections: frame objects - options - SkinFrameGeometry.

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "forms/frame_geometry.h"
#include "gfx/bitmap.h"
#include "gfx/geometry.h"
#include "gfx/region.h"
#include "skin/skin_data.h"
#include "skinned/composition.h"

namespace lt {

// ---- frame objects ----------------------------------------------------------

enum class FrameObjectKind { User, Button, StdButton, Caption, Animate };

// What the geometry needs of one frame object, in the order of the skin's
// object list.
struct FrameObjectSpec {
    FrameObjectKind kind = FrameObjectKind::User;
    // Standard buttons and animations: what they do, which decides their
    // place in the automatic layout.
    TskStdCommand command = cmDefault;
    // In the frame picture, or only its size when in_picture.
    Rect skinrect;
    // Drawn from an active picture and laid out automatically; otherwise the
    // object sits where its skin rectangle is in the frame picture.
    bool in_picture = false;
    // Hidden objects take no place and no pointer.
    bool visible = true;

    bool is_button() const
    {
        return kind == FrameObjectKind::Button || kind == FrameObjectKind::StdButton ||
            kind == FrameObjectKind::Animate;
    }
    bool has_command() const { return kind == FrameObjectKind::StdButton || kind == FrameObjectKind::Animate; }
};

// ---- options ----------------------------------------------------------------

struct FrameOptions {
    // A form without a border has no frame at all: it is all client.
    bool bordered = true;
    // The border sizes the window (a sizeable border style, or AlwaysResize).
    bool sizeable = true;
    // The default frame's caption is 15 pixels high instead of 19.
    bool tool_window = false;
    // Neither state sizes the window; rolled up, only the caption moves it.
    bool maximized = false;
    bool rolled_up = false;
};

// ---- SkinFrameGeometry ------------------------------------------------------

class SkinFrameGeometry final : public FrameGeometry {
public:
    static constexpr int kDefaultBorder = 3;
    static constexpr int kDefaultCaption = 19;
    static constexpr int kDefaultToolCaption = 15;
    // The default frame's caption buttons and the gap between them.
    static constexpr Size kDefaultButton{16, 14};
    static constexpr int kDefaultButtonGap = 2;

    // The default frame, with the standard buttons of `objects` (skin
    // rectangles unused: the default buttons have one size).
    SkinFrameGeometry() = default;
    explicit SkinFrameGeometry(std::vector<FrameObjectSpec> objects) : objects_(std::move(objects)) { }
    // The frame drawn from a skin: its [FORMINFO], the frame picture's size
    // and the mask (null or empty: rectangular), which must outlive the
    // geometry.
    SkinFrameGeometry(
        const TskSkinFormInfo& info, Size picture, const Bitmap* mask, std::vector<FrameObjectSpec> objects);

    bool skinned() const { return skinned_; }
    FrameOptions options;
    const std::vector<FrameObjectSpec>& objects() const { return objects_; }
    bool has_mask() const { return mask_ && !mask_->empty(); }

    // The non-client margins: left, top, right and bottom widths (all 0
    // without a border).
    Rect margins() const;
    // The default frame's caption height.
    int default_caption_height() const { return options.tool_window ? kDefaultToolCaption : kDefaultCaption; }
    // The smallest window the frame is drawn for, with the form's own
    // limits (0 = none): with a skin, the frame picture's width unless the
    // skin gives formminwidth, or min_width when the picture is narrower than
    // it, and the non-client height, or min_height when larger; without a
    // skin min_width or 120, and the caption height plus 6, or min_height.
    Size minimum_size(int min_width, int min_height) const;

    // ---- FrameGeometry
    Rect client(Size window) const override;
    int part_at(Size window, Point at) const override;
    // Parts: HTCLIENT; HTCAPTION (the caption object, or the default
    // caption strip left of the buttons); HTCLOSE, HTMAXBUTTON, HTMINBUTTON,
    // HTSYSMENU (visible buttons with that command); HTBORDER (the whole
    // window); the four edges and the four corners (sizeable frames only).
    Rect part_rect(Size window, int part) const override;

    // ---- layout
    // Where each object lies, in object order (an empty rectangle for a
    // hidden one). The caption object ends where the buttons begin.
    std::vector<Rect> object_rects(Size window) const;
    // The first visible object at the point (any kind), or -1.
    int object_at(Size window, Point at) const;
    // The caption object, or -1.
    int caption_index() const;
    // [FORMINFO] areas for a window of this size (empty when not given).
    Rect caption_area(Size window) const;
    Rect buttons_area(Size window) const;
    Rect mask_area(Size window) const;
    // The resize hit-test corners: left-top, right-top, left-bottom,
    // right-bottom.
    std::array<Point, 4> hit_points(Size window) const;

    // ---- pictures
    // The frame picture's cut as the composition routines take it: the
    // whole picture as skin rectangle, [FORMINFO]'s points, client rectangle
    // and stretch flags.
    SkinGeometry picture_geometry() const;
    // The nine-piece target geometry for a window of this size.
    SkinFit fit(Size window) const;
    // The window's shape: the mask area united with the black pixels of the
    // mask cut into border strips for the size; nullopt (rectangular)
    // without a skin or a mask. The last size asked is kept, so the hit test
    // that follows a resize does not build it again.
    const std::optional<Region>& region(Size window) const;
    bool region_contains(Size window, Point at) const;

private:
    int skinned_part_at(Size s, Point p) const;
    int default_part_at(Size s, Point p) const;
    // HTCLOSE ... for a button with a command of its own, else HTOBJECT.
    int object_part(Size s, Point p) const;
    Rect default_caption_strip(Size s) const;
    Rect map_frame_rect(const Rect& r, int dx, int dy) const;
    // Laid out automatically (caption buttons drawn from an active picture,
    // and every default button), and at which size.
    bool auto_placed(const FrameObjectSpec& o) const;
    Size placed_size(const FrameObjectSpec& o) const;
    // Lays out the buttons drawn from an active picture in `area`; returns
    // the running edge after the last one placed, or nullopt.
    std::optional<int> layout_buttons(std::vector<Rect>& rects, const Rect& area, int offset, bool from_left) const;

    bool skinned_ = false;
    TskSkinFormInfo info_;
    Size picture_;
    const Bitmap* mask_ = nullptr;
    std::vector<FrameObjectSpec> objects_;
    mutable std::optional<std::pair<Size, std::optional<Region>>> region_cache_;
};

// The hit code that names a command's caption button, or HTOBJECT.
int CaptionButtonPart(TskStdCommand command);

} // namespace lt
