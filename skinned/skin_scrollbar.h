#pragma once
// The skinned scroll bar: a bar with a decrement button at its start (left
// or top), an increment button at its end (right or bottom) and a track
// between them in which a thumb shows Position within [Min, Max]. The list
// boxes create one as a child when their rows overflow and drive it through
// SetScrollParams; it reports user scrolling through OnChange.
//
// Geometry is a value computed from the size, the range and the skin
// (ScrollBarLayout): part rectangles and part_at, with no control and no
// pixels. The control keeps only the parts' press states (one ButtonBehavior
// each for the thumb and the two buttons), the drag, and the repeat mode.
//
// Mouse, as a table (left button; others only raise the mouse events):
//
//   event               where / state            effect
//   ------------------  -----------------------  --------------------------------
//   press               thumb                    drag starts (thumb captured)
//   press               increment / decrement    one step at once (OnUpButtonClick
//                                                / OnDownButtonClick or
//                                                +/- SmallChange); repeat armed
//   press               track before the thumb   Position -= LargeChange, then
//                                                OnPageUp; repeat armed
//   press               rest of the track        Position += LargeChange, then
//                                                OnPageDown; repeat armed
//   repeat tick         first one (500 ms)       only ends the first delay; the
//                                                timer goes on at 50 ms
//   repeat tick         button held, over it     the button's step again
//   repeat tick         track held               pages again while the pointer is
//                                                still beyond the thumb, else stops
//   move                a part captured          only that part can be hot; a held
//                                                button pauses off it and resumes
//                                                (50 ms, no new delay) back on it
//   move                dragging                 Position follows the pointer
//   release             -                        page repeat stops; the captured
//                                                part is let go (its timer stops);
//                                                a thumb drag ends with OnLastChange
//   leave               nothing captured         the hot part goes cold
//   leave               paging toward Max        the paging stops (toward Min it
//                                                goes on until the thumb gets there)
//   cancel-mode, lost   anything held            everything stops as on release
//   capture, hide,                               (a drag still ends with
//   disable                                      OnLastChange; not when destroyed)
//
// The repeat runs on window timer 1 of the bar. Every event may destroy the
// bar; nothing touches it after an event without checking it still lives.
//
// Sections: kinds - geometry (ScrollRange, ScrollBarSkinMetrics,
// ScrollBarLayout) - TskSkinScrollBar.

#include <cstdint>
#include <string>

#include "forms/controls.h"
#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/geometry.h"
#include "platform/button_behavior.h"
#include "skin/skin_objects.h"
#include "skinned/skin_control.h"

namespace lt {

// ===========================================================================
// Kinds

enum TScrollBarKind { sbHorizontal, sbVertical };

// What a point of the bar falls on. Only the thumb and the two buttons are
// parts that can be hot or pressed; the track halves only page.
enum class ScrollBarPart { None = -1, Thumb, Increment, Decrement, TrackToMin, TrackToMax };

// The auto-repeat a press started.
enum class ScrollRepeat { None, Decrement, Increment, PageToMin, PageToMax };

// ===========================================================================
// Geometry

// The values the thumb depends on.
struct ScrollRange {
    int min = 0;
    int max = 100;
    int position = 0;
    int page = 0; // 0: a thumb of fixed size

    friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
};

// What the geometry of a skinned bar takes from its skin object. Rectangles
// are relative to the skin rectangle.
struct ScrollBarSkinMetrics {
    Size skin;
    Point righttoppoint, leftbottompoint;
    Rect trackarea, upbuttonrect, downbuttonrect;
    Size thumb; // the size of thumbrect
    int thumbminsize = 0, thumbminpagesize = 0;

    static ScrollBarSkinMetrics From(const TskDataSkinScrollBarControl& object);
};

// The part rectangles of a bar of one size, range and skin, in the bar's
// client coordinates.
//
// Unskinned (W x H, W' = W - the Both marker for a horizontal bar): the
// buttons are 16 pixels long inside a one-pixel border, the track lies
// between them, the thumb fills the track across and is 16 pixels long,
// or with a page round(track length * page / (max - min + 1)) but at least
// 16. Skinned: the track is trackarea grown at its far end by the bar's
// growth along the axis over the skin; a button lying at or beyond the
// skin's stretch point (righttoppoint.x, or leftbottompoint.y for a vertical
// bar) moves by that growth; the thumb's length is thumbrect's (or
// thumbminsize), with a page as above but not below that, without one
// thumbminpagesize when set; across it keeps thumbrect's thickness, centred
// in the track.
//
// Either way the thumb's length is even (2h, h = length div 2) and its
// centre travels from track start + h to track end - h; the offset along
// that travel is round(f * travel) with f = (position - min) / (max - min)
// without a page and (position - min) / (max - min - page + 1) with one.
//
// Degenerate sizes never divide by zero: max = min gives f = 0; a page
// range of 0 or less gives f = 1 (horizontal) or 0 (vertical); a thumb
// longer than the track is cut to the track; a track of no length has an
// empty thumb; f is kept within [0, 1].
struct ScrollBarLayout {
    TScrollBarKind kind = sbHorizontal;
    Rect decrement, increment, track, thumb;
    // First and last position of the thumb's centre along the axis, and
    // the centre's distance from the first.
    int travel_first = 0, travel_last = 0;
    int thumb_offset = 0;

    // `both_marker`: pixels left free at the right end of an unskinned
    // horizontal bar (0 for none); `skin` nullptr for the unskinned look.
    static ScrollBarLayout Compute(TScrollBarKind kind, Size size, const ScrollRange& range,
        const ScrollBarSkinMetrics* skin, int both_marker = 0);

    bool vertical() const { return kind == sbVertical; }
    // A point's coordinate along the axis.
    int along(Point p) const { return vertical() ? p.y : p.x; }
    int travel() const { return travel_last - travel_first; }

    // The rectangle of a part: TrackToMin is the track before the thumb,
    // TrackToMax the track after it; None is empty.
    Rect part_rect(ScrollBarPart part) const;
    // Tested thumb, increment, decrement, then the track: before the
    // thumb's start TrackToMin, anywhere else in it TrackToMax (also beside
    // a thumb thinner than the track). A rectangle holds its left and top
    // edges only.
    ScrollBarPart part_at(Point p) const;
    // The position a thumb centre offset stands for (during a drag):
    // min + round(span * c), c = offset / travel within [0, 1] (0 without
    // travel), span = max - min without a page, max - min - page + 1 with.
    int position_at(int offset, const ScrollRange& range) const;
};

// ===========================================================================
// TskSkinScrollBar

class TskSkinScrollBar : public TskSkinCustomControl {
public:
    explicit TskSkinScrollBar(TComponent* owner);
    ~TskSkinScrollBar() override;

    // ---- the range (the list boxes drive these)

    TScrollBarKind Kind() const { return kind_; }
    // Repaints; the unskinned default thickness (DefaultHeight for a
    // horizontal bar, DefaultWidth for a vertical one) follows the axis.
    void SetKind(TScrollBarKind kind);
    int Min() const { return range_.min; }
    int Max() const { return range_.max; }
    int Position() const { return range_.position; }
    int PageSize() const { return range_.page; }
    ScrollRange Range() const { return range_; }
    // Clamps to [Min, Max] (PageSize 0) or [Min, Max - PageSize + 1]; a
    // changed value repaints and raises OnChange.
    void SetPosition(int position);
    // Store and pull Position back into the range; no event.
    void SetMin(int min);
    void SetMax(int max);
    // Taken only when the page fits with the current position (Max - Min +
    // 1 >= page + Position - Min, page >= 0); refused silently otherwise.
    // No event.
    void SetPageSize(int page);
    // All four at once, Position clamped as by SetPosition; repaints when
    // anything changed; no event. The way an owner mirrors its own scroll
    // state.
    void SetScrollParams(int min, int max, int page, int position);
    // The step of the buttons, the arrow keys and the wheel, and of a
    // press in the track. Neither shows, so neither repaints.
    int SmallChange() const { return small_change_; }
    void SetSmallChange(int step);
    int LargeChange() const { return large_change_; }
    void SetLargeChange(int step);

    // ---- sharing a corner with a second bar

    // On: the bar keeps its SkinDataName aside and takes BothSkinDataName;
    // off: it takes the kept name back. The skin is applied again.
    bool Both() const { return both_; }
    void SetBoth(bool on);
    const std::string& BothSkinDataName() const { return both_skin_data_name_; }
    void SetBothSkinDataName(const std::string& name) { both_skin_data_name_ = name; }
    // Unskinned: pixels left free at the right end while Both is on.
    // Negative values are refused.
    int BothMarkerWidth() const { return both_marker_width_; }
    void SetBothMarkerWidth(int width);

    // ---- keyboard

    // On: a press takes the focus, the arrow keys step by SmallChange
    // (Left and Up back, Right and Down forward), the wheel steps while
    // focused and the focused thumb looks pressed. Also sets TabStop.
    bool CanFocused() const { return can_focused_; }
    void SetCanFocused(bool on);

    // ---- events

    // Position changed by the bar or by SetPosition.
    TNotifyEvent OnChange;
    // A thumb drag ended.
    TNotifyEvent OnLastChange;
    // Replace the buttons' own step when assigned (at the press and at
    // every repeat).
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    // After each page step toward Min / toward Max.
    TNotifyEvent OnPageUp;
    TNotifyEvent OnPageDown;

    // ---- geometry and state (for painting, owners and tests)

    ScrollBarLayout Layout() const;
    Rect PartRect(ScrollBarPart part) const { return Layout().part_rect(part); }
    ScrollBarPart PartAt(Point p) const { return Layout().part_at(p); }
    ScrollBarPart HotPart() const { return hot_; }
    // The part a press holds (None while nothing is held).
    ScrollBarPart CapturedPart() const;
    bool Dragging() const { return thumb_.held(); }
    ScrollRepeat Repeat() const { return repeat_; }
    const ButtonBehavior& ThumbPress() const { return thumb_; }
    const ButtonBehavior& IncrementPress() const { return increment_; }
    const ButtonBehavior& DecrementPress() const { return decrement_; }

    // ---- control

    void FetchSkinObject() override;
    void SetEnabled(bool on) override;
    void SetVisible(bool on) override;

    static constexpr std::uintptr_t kRepeatTimer = 1;
    static constexpr int kFirstDelayMs = 500;
    static constexpr int kRepeatMs = 50;

protected:
    LResult WndProc(Message& m) override;
    void CreateParams(lt::CreateParams& params) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(int& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    LResult DialogCode() const override;
    void PaintUnskinned(Bitmap& bitmap) override;
    void PaintSkinned(Bitmap& bitmap) override;

private:
    // The skin object's fields, as the last fetch copied them, with the
    // fallbacks for empty state rectangles already applied.
    struct SkinFields {
        ScrollBarSkinMetrics metrics;
        Rect upbuttonrect[3], downbuttonrect[3]; // normal (unused), hot, pressed
        Rect thumbrect[3], glyphrect[3];         // normal, hot, pressed
        int thumboffset1 = 0, thumboffset2 = 0;
        bool thumbtransparent = false, thumbstretcheffect = false, glyphtransparent = false;
        Color thumbtransparentcolor = 0, glyphtransparentcolor = 0;
    };

    ButtonBehavior* Behavior(ScrollBarPart part);
    int BothMarker() const;
    bool ThumbLooksPressed() const;
    // The hot part becomes `part`; a held button pauses off its part and
    // resumes on it.
    void SetHotPart(ScrollBarPart part);
    // The part under `p` that may be hot now: while a part is captured,
    // only that one.
    ScrollBarPart HotCandidate(Point p) const;
    // One step of a button or a page; false when a handler destroyed the bar.
    bool ButtonStep(ScrollBarPart button);
    bool PageStep(bool toward_max);
    // Position + delta, saturated; raises OnChange; false when destroyed.
    bool Step(std::int64_t delta);
    void RepeatTick();
    void StartTimer(int ms);
    void StopTimer();
    // Lets go of everything held. `notify`: a drag that ends raises
    // OnLastChange (not from the destructor).
    void CancelTracking(bool notify);
    int ClampPosition(std::int64_t position) const;
    void DrawThumb(Canvas& canvas, const ScrollBarLayout& layout);

    TScrollBarKind kind_ = sbHorizontal;
    ScrollRange range_;
    int small_change_ = 1;
    int large_change_ = 1;
    bool both_ = false;
    std::string both_skin_data_name_ = "bothhscrollbar";
    std::string kept_skin_data_name_;
    int both_marker_width_ = 19;
    bool can_focused_ = false;

    SkinFields skin_;
    bool has_skin_ = false;

    ButtonBehavior thumb_, increment_, decrement_;
    ScrollBarPart hot_ = ScrollBarPart::None;
    ScrollRepeat repeat_ = ScrollRepeat::None;
    bool first_delay_ = true;
    bool mouse_down_ = false;
    Point last_pointer_;
    // Pointer along the axis and thumb offset at the press.
    int drag_start_ = 0;
    int drag_offset_ = 0;
};

} // namespace lt
