// The skinned scroll bar: its geometry (a value, no control), the range
// rules, the press, repeat, drag and leave behaviour, the keyboard and the
// wheel, and last the painting, which reads the state and changes nothing.

#include "skinned/skin_scrollbar.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/window.h"

namespace lt {

namespace {

int Saturate(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

int RoundToInt(double v)
{
    return Saturate(std::llround(std::clamp(v, double(INT_MIN), double(INT_MAX))));
}

// The first rectangle unless it is empty, else the second.
Rect Or(const Rect& r, const Rect& fallback)
{
    return r.empty() ? fallback : r;
}

} // namespace

// ---- Geometry -----------------------------------------------------------------

ScrollBarSkinMetrics ScrollBarSkinMetrics::From(const TskDataSkinScrollBarControl& o)
{
    ScrollBarSkinMetrics m;
    m.skin = o.skinrect.size();
    m.righttoppoint = o.righttoppoint;
    m.leftbottompoint = o.leftbottompoint;
    m.trackarea = o.trackarea;
    m.upbuttonrect = o.upbuttonrect;
    m.downbuttonrect = o.downbuttonrect;
    m.thumb = o.thumbrect.size();
    m.thumbminsize = o.thumbminsize;
    m.thumbminpagesize = o.thumbminpagesize;
    return m;
}

ScrollBarLayout ScrollBarLayout::Compute(
    TScrollBarKind kind, Size size, const ScrollRange& range, const ScrollBarSkinMetrics* skin, int both_marker)
{
    ScrollBarLayout l;
    l.kind = kind;
    const bool vertical = kind == sbVertical;
    const int w = size.width, h = size.height;
    // The thumb's length before the page is taken into account, its length
    // without a page, and its thickness (0: it fills the track across).
    int base = 16, no_page = 16, thickness = 0;
    if (!skin) {
        if (vertical) {
            l.decrement = {1, 1, w - 1, 17};
            l.increment = {1, h - 17, w - 1, h - 1};
            l.track = {1, 17, w - 1, h - 17};
        } else {
            const int wm = w - both_marker;
            l.decrement = {1, 1, 17, h - 1};
            l.increment = {wm - 17, 1, wm - 1, h - 1};
            l.track = {17, 1, wm - 17, h - 1};
        }
    } else {
        const int growth = vertical ? h - skin->skin.height : w - skin->skin.width;
        const int stretch = vertical ? skin->leftbottompoint.y : skin->righttoppoint.x;
        l.track = skin->trackarea;
        (vertical ? l.track.bottom : l.track.right) += growth;
        auto place = [&](const Rect& r) {
            const bool beyond = (vertical ? r.top : r.left) >= stretch;
            return beyond ? (vertical ? r.offset(0, growth) : r.offset(growth, 0)) : r;
        };
        l.increment = place(skin->upbuttonrect);
        l.decrement = place(skin->downbuttonrect);
        base = vertical ? skin->thumb.height : skin->thumb.width;
        if (skin->thumbminsize != 0)
            base = skin->thumbminsize;
        no_page = skin->thumbminpagesize != 0 ? skin->thumbminpagesize : base;
        thickness = vertical ? skin->thumb.width : skin->thumb.height;
    }
    // A bar too small for its buttons has a track of no length, not a
    // negative one.
    l.track.right = std::max(l.track.right, l.track.left);
    l.track.bottom = std::max(l.track.bottom, l.track.top);

    const int start = vertical ? l.track.top : l.track.left;
    const int end = vertical ? l.track.bottom : l.track.right;
    const int length = end - start;
    const std::int64_t span = std::int64_t(range.max) - range.min;
    const std::int64_t from_min = std::int64_t(range.position) - range.min;

    int thumb_length = no_page;
    double f = 0;
    if (range.page > 0) {
        const std::int64_t count = span + 1;
        thumb_length = count > 0 ? RoundToInt(double(length) * range.page / double(count)) : length;
        thumb_length = std::max(thumb_length, base);
        const std::int64_t page_span = count - range.page;
        if (page_span > 0)
            f = double(from_min) / double(page_span);
        else
            f = vertical ? 0 : 1;
    } else if (span != 0) {
        f = double(from_min) / double(span);
    }
    f = std::clamp(f, 0.0, 1.0);
    thumb_length = std::clamp(thumb_length, 0, length);

    const int half = thumb_length / 2;
    l.travel_first = start + half;
    l.travel_last = end - half;
    l.thumb_offset = RoundToInt(f * l.travel());
    const int centre = l.travel_first + l.thumb_offset;

    const int across_start = vertical ? l.track.left : l.track.top;
    const int across_end = vertical ? l.track.right : l.track.bottom;
    int a0 = across_start, a1 = across_end;
    if (skin) {
        a0 = across_start + (across_end - across_start) / 2 - thickness / 2;
        a1 = a0 + thickness;
    }
    l.thumb = vertical ? Rect{a0, centre - half, a1, centre + half} : Rect{centre - half, a0, centre + half, a1};
    return l;
}

Rect ScrollBarLayout::part_rect(ScrollBarPart part) const
{
    switch (part) {
    case ScrollBarPart::Thumb:
        return thumb;
    case ScrollBarPart::Increment:
        return increment;
    case ScrollBarPart::Decrement:
        return decrement;
    case ScrollBarPart::TrackToMin:
        return vertical() ? Rect{track.left, track.top, track.right, std::max(track.top, thumb.top)}
                          : Rect{track.left, track.top, std::max(track.left, thumb.left), track.bottom};
    case ScrollBarPart::TrackToMax:
        return vertical() ? Rect{track.left, std::min(track.bottom, thumb.bottom), track.right, track.bottom}
                          : Rect{std::min(track.right, thumb.right), track.top, track.right, track.bottom};
    case ScrollBarPart::None:
        break;
    }
    return {};
}

ScrollBarPart ScrollBarLayout::part_at(Point p) const
{
    if (thumb.contains(p))
        return ScrollBarPart::Thumb;
    if (increment.contains(p))
        return ScrollBarPart::Increment;
    if (decrement.contains(p))
        return ScrollBarPart::Decrement;
    if (!track.contains(p))
        return ScrollBarPart::None;
    return along(p) < (vertical() ? thumb.top : thumb.left) ? ScrollBarPart::TrackToMin : ScrollBarPart::TrackToMax;
}

int ScrollBarLayout::position_at(int offset, const ScrollRange& range) const
{
    const double c = travel() > 0 ? std::clamp(double(offset) / travel(), 0.0, 1.0) : 0.0;
    std::int64_t span = std::int64_t(range.max) - range.min;
    if (range.page > 0)
        span += 1 - std::int64_t(range.page);
    return Saturate(range.min + std::llround(double(span) * c));
}

// ---- Range ----------------------------------------------------------------------

TskSkinScrollBar::TskSkinScrollBar(TComponent* owner) : TskSkinCustomControl(owner)
{
    TskSkinControl::SetSkinDataName("hscrollbar");
    DefaultHeight = 19;
    TskSkinCustomControl::SetBounds(Left(), Top(), 200, 19);
}

TskSkinScrollBar::~TskSkinScrollBar()
{
    CancelTracking(false);
}

void TskSkinScrollBar::SetKind(TScrollBarKind kind)
{
    if (kind == kind_)
        return;
    kind_ = kind;
    // The unskinned default thickness lies across the axis; left on the
    // old side it would squash a vertical bar to 19 pixels at the next
    // ApplySkin.
    std::swap(DefaultWidth, DefaultHeight);
    Invalidate();
}

int TskSkinScrollBar::ClampPosition(std::int64_t position) const
{
    const std::int64_t hi = range_.page == 0 ? range_.max : std::int64_t(range_.max) - range_.page + 1;
    // When the page is larger than the range, Min wins.
    return Saturate(std::max<std::int64_t>(std::min(position, hi), range_.min));
}

void TskSkinScrollBar::SetPosition(int position)
{
    const int v = ClampPosition(position);
    if (v == range_.position)
        return;
    range_.position = v;
    Invalidate();
    if (TNotifyEvent handler = OnChange)
        handler(this);
}

void TskSkinScrollBar::SetMin(int min)
{
    range_.min = min;
    range_.position = std::max(range_.position, min);
    Invalidate();
}

void TskSkinScrollBar::SetMax(int max)
{
    range_.max = max;
    // Position stays within [Min, Max - PageSize + 1]: a position that is
    // already valid stays where it is, also when Min is not 0.
    range_.position = ClampPosition(range_.position);
    Invalidate();
}

void TskSkinScrollBar::SetPageSize(int page)
{
    const std::int64_t count = std::int64_t(range_.max) - range_.min + 1;
    if (page < 0 || count < std::int64_t(page) + range_.position - range_.min)
        return;
    range_.page = page;
    Invalidate();
}

void TskSkinScrollBar::SetScrollParams(int min, int max, int page, int position)
{
    // Owners call this after every change of their own scroll state (the
    // list boxes after every repaint): an unchanged range repaints nothing.
    const ScrollRange before = range_;
    range_.min = min;
    range_.max = max;
    range_.page = std::max(page, 0);
    range_.position = ClampPosition(position);
    if (range_ != before)
        Invalidate();
}

void TskSkinScrollBar::SetSmallChange(int step)
{
    small_change_ = step;
}

void TskSkinScrollBar::SetLargeChange(int step)
{
    large_change_ = step;
}

void TskSkinScrollBar::SetBoth(bool on)
{
    if (on == both_)
        return;
    both_ = on;
    if (on) {
        kept_skin_data_name_ = SkinDataName();
        SetSkinDataName(both_skin_data_name_);
    } else {
        SetSkinDataName(kept_skin_data_name_);
    }
    if (SkinData() && !SkinData()->Empty)
        ApplySkin();
    else
        Invalidate();
}

void TskSkinScrollBar::SetBothMarkerWidth(int width)
{
    if (width < 0 || width == both_marker_width_)
        return;
    both_marker_width_ = width;
    Invalidate();
}

void TskSkinScrollBar::SetCanFocused(bool on)
{
    can_focused_ = on;
    SetTabStop(on);
    Invalidate();
}

// ---- Skin -------------------------------------------------------------------------

void TskSkinScrollBar::FetchSkinObject()
{
    TskSkinCustomControl::FetchSkinObject();
    has_skin_ = false;
    if (!SkinObject())
        return;
    const auto* o = dynamic_cast<const TskDataSkinScrollBarControl*>(SkinObject());
    if (!o) {
        ForgetSkin();
        return;
    }
    has_skin_ = true;
    SkinFields& s = skin_;
    s.metrics = ScrollBarSkinMetrics::From(*o);
    // A button that is neither hot nor pressed shows the composed picture;
    // an empty pressed look falls back to the hot one.
    s.upbuttonrect[1] = o->activeupbuttonrect;
    s.upbuttonrect[2] = Or(o->downupbuttonrect, o->activeupbuttonrect);
    s.downbuttonrect[1] = o->activedownbuttonrect;
    s.downbuttonrect[2] = Or(o->downdownbuttonrect, o->activedownbuttonrect);
    s.thumbrect[0] = o->thumbrect;
    s.thumbrect[1] = Or(o->activethumbrect, s.thumbrect[0]);
    s.thumbrect[2] = Or(o->downthumbrect, s.thumbrect[1]);
    s.glyphrect[0] = o->glyphrect;
    s.glyphrect[1] = Or(o->activeglyphrect, s.glyphrect[0]);
    s.glyphrect[2] = Or(o->downglyphrect, s.glyphrect[1]);
    s.thumboffset1 = o->thumboffset1;
    s.thumboffset2 = o->thumboffset2;
    s.thumbtransparent = o->thumbtransparent;
    s.thumbtransparentcolor = o->thumbtransparentcolor;
    s.thumbstretcheffect = o->thumbstretcheffect;
    s.glyphtransparent = o->glyphtransparent;
    s.glyphtransparentcolor = o->glyphtransparentcolor;
}

int TskSkinScrollBar::BothMarker() const
{
    return both_ && kind_ == sbHorizontal ? both_marker_width_ : 0;
}

ScrollBarLayout TskSkinScrollBar::Layout() const
{
    const bool skinned = Skinned() && has_skin_;
    return ScrollBarLayout::Compute(
        kind_, {Width(), Height()}, range_, skinned ? &skin_.metrics : nullptr, skinned ? 0 : BothMarker());
}

// ---- Press, repeat, drag ------------------------------------------------------------

ButtonBehavior* TskSkinScrollBar::Behavior(ScrollBarPart part)
{
    switch (part) {
    case ScrollBarPart::Thumb:
        return &thumb_;
    case ScrollBarPart::Increment:
        return &increment_;
    case ScrollBarPart::Decrement:
        return &decrement_;
    default:
        return nullptr;
    }
}

ScrollBarPart TskSkinScrollBar::CapturedPart() const
{
    if (thumb_.held())
        return ScrollBarPart::Thumb;
    if (increment_.held())
        return ScrollBarPart::Increment;
    if (decrement_.held())
        return ScrollBarPart::Decrement;
    return ScrollBarPart::None;
}

ScrollBarPart TskSkinScrollBar::HotCandidate(Point p) const
{
    ScrollBarPart part = PartAt(p);
    if (part == ScrollBarPart::TrackToMin || part == ScrollBarPart::TrackToMax)
        part = ScrollBarPart::None;
    const ScrollBarPart captured = CapturedPart();
    if (captured != ScrollBarPart::None && part != captured)
        part = ScrollBarPart::None;
    return part;
}

void TskSkinScrollBar::SetHotPart(ScrollBarPart part)
{
    if (part == hot_)
        return;
    const ScrollBarPart old = hot_;
    hot_ = part;
    if (ButtonBehavior* b = Behavior(old)) {
        b->on_move(false);
        if (old != ScrollBarPart::Thumb && b->held())
            StopTimer(); // the held button pauses while the pointer is off it
    }
    if (ButtonBehavior* b = Behavior(part)) {
        b->on_move(true);
        if (part != ScrollBarPart::Thumb && b->held())
            StartTimer(kRepeatMs); // and resumes without a new delay
    }
    Invalidate();
}

void TskSkinScrollBar::StartTimer(int ms)
{
    if (Window* w = WindowHandle())
        w->set_timer(kRepeatTimer, ms);
}

void TskSkinScrollBar::StopTimer()
{
    if (Window* w = WindowHandle())
        w->kill_timer(kRepeatTimer);
}

bool TskSkinScrollBar::Step(std::int64_t delta)
{
    std::shared_ptr<bool> alive = alive_;
    SetPosition(ClampPosition(std::int64_t(range_.position) + delta));
    return *alive;
}

bool TskSkinScrollBar::ButtonStep(ScrollBarPart button)
{
    const bool up = button == ScrollBarPart::Increment;
    if (TNotifyEvent handler = up ? OnUpButtonClick : OnDownButtonClick) {
        std::shared_ptr<bool> alive = alive_;
        handler(this);
        return *alive;
    }
    return Step(up ? std::int64_t(small_change_) : -std::int64_t(small_change_));
}

bool TskSkinScrollBar::PageStep(bool toward_max)
{
    std::shared_ptr<bool> alive = alive_;
    if (!Step(toward_max ? std::int64_t(large_change_) : -std::int64_t(large_change_)))
        return false;
    if (TNotifyEvent handler = toward_max ? OnPageDown : OnPageUp)
        handler(this);
    return *alive;
}

void TskSkinScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    if (button == TMouseButton::mbLeft && Enabled()) {
        if (can_focused_ && !Focused()) {
            SetFocus();
            if (!*alive)
                return;
        }
        const Point p{x, y};
        mouse_down_ = true;
        last_pointer_ = p;
        FetchSkinObject();
        const ScrollBarLayout layout = Layout();
        StopTimer();
        repeat_ = ScrollRepeat::None;
        first_delay_ = true;
        const ScrollBarPart part = layout.part_at(p);
        // The state is set before any event runs, so that a handler that
        // hides or disables the bar finds something to stop.
        switch (part) {
        case ScrollBarPart::Thumb:
            SetHotPart(part);
            thumb_.on_press(true);
            drag_start_ = layout.along(p);
            drag_offset_ = layout.thumb_offset;
            Invalidate();
            break;
        case ScrollBarPart::Increment:
        case ScrollBarPart::Decrement:
            SetHotPart(part);
            Behavior(part)->on_press(true);
            repeat_ = part == ScrollBarPart::Increment ? ScrollRepeat::Increment : ScrollRepeat::Decrement;
            StartTimer(kFirstDelayMs);
            Invalidate();
            if (!ButtonStep(part))
                return;
            break;
        case ScrollBarPart::TrackToMin:
        case ScrollBarPart::TrackToMax: {
            const bool toward_max = part == ScrollBarPart::TrackToMax;
            repeat_ = toward_max ? ScrollRepeat::PageToMax : ScrollRepeat::PageToMin;
            StartTimer(kFirstDelayMs);
            if (!PageStep(toward_max))
                return;
            break;
        }
        case ScrollBarPart::None:
            break;
        }
    }
    TskSkinCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinScrollBar::RepeatTick()
{
    if (first_delay_) {
        first_delay_ = false;
        StartTimer(kRepeatMs);
        return;
    }
    switch (repeat_) {
    case ScrollRepeat::Increment:
        ButtonStep(ScrollBarPart::Increment);
        return;
    case ScrollRepeat::Decrement:
        ButtonStep(ScrollBarPart::Decrement);
        return;
    case ScrollRepeat::PageToMin:
    case ScrollRepeat::PageToMax: {
        SetHotPart(HotCandidate(last_pointer_));
        const ScrollBarLayout layout = Layout();
        const int at = layout.along(last_pointer_);
        const bool toward_max = repeat_ == ScrollRepeat::PageToMax;
        // Paging stops once the thumb has reached the pointer.
        const bool beyond = toward_max ? at >= (layout.vertical() ? layout.thumb.bottom : layout.thumb.right)
                                       : at < (layout.vertical() ? layout.thumb.top : layout.thumb.left);
        if (beyond) {
            PageStep(toward_max);
            return;
        }
        break;
    }
    case ScrollRepeat::None:
        break;
    }
    StopTimer();
    repeat_ = ScrollRepeat::None;
}

void TskSkinScrollBar::MouseMove(TShiftState shift, int x, int y)
{
    const Point p{x, y};
    last_pointer_ = p;
    SetHotPart(HotCandidate(p));
    if (Dragging()) {
        const ScrollBarLayout layout = Layout();
        const int offset = drag_offset_ + layout.along(p) - drag_start_;
        std::shared_ptr<bool> alive = alive_;
        SetPosition(layout.position_at(offset, range_));
        if (!*alive)
            return;
    }
    TskSkinCustomControl::MouseMove(shift, x, y);
}

void TskSkinScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        mouse_down_ = false;
        if (repeat_ == ScrollRepeat::PageToMin || repeat_ == ScrollRepeat::PageToMax) {
            StopTimer();
            repeat_ = ScrollRepeat::None;
        }
        const ScrollBarPart captured = CapturedPart();
        if (ButtonBehavior* b = Behavior(captured)) {
            // The part stays hot only while the pointer is still on it.
            b->on_release(hot_ == captured);
            Invalidate();
            if (captured != ScrollBarPart::Thumb) {
                StopTimer();
                repeat_ = ScrollRepeat::None;
            } else if (TNotifyEvent handler = OnLastChange) {
                std::shared_ptr<bool> alive = alive_;
                handler(this);
                if (!*alive)
                    return;
            }
        }
    }
    TskSkinCustomControl::MouseUp(button, shift, x, y);
}

void TskSkinScrollBar::MouseLeave()
{
    if (CapturedPart() == ScrollBarPart::None)
        SetHotPart(ScrollBarPart::None);
    // Paging toward Max stops when the pointer leaves the bar; paging toward
    // Min goes on until the thumb reaches the pointer.
    if (mouse_down_ && repeat_ == ScrollRepeat::PageToMax) {
        StopTimer();
        repeat_ = ScrollRepeat::None;
    }
    TskSkinCustomControl::MouseLeave();
}

void TskSkinScrollBar::CancelTracking(bool notify)
{
    StopTimer();
    repeat_ = ScrollRepeat::None;
    mouse_down_ = false;
    const bool dragging = Dragging();
    const bool held = CapturedPart() != ScrollBarPart::None;
    thumb_.on_cancel();
    increment_.on_cancel();
    decrement_.on_cancel();
    if (held)
        Invalidate();
    if (dragging && notify)
        if (TNotifyEvent handler = OnLastChange)
            handler(this);
}

void TskSkinScrollBar::SetEnabled(bool on)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::SetEnabled(on);
    if (!*alive)
        return;
    if (!on) {
        hot_ = ScrollBarPart::None;
        CancelTracking(true);
        if (!*alive)
            return;
    }
    thumb_.set_enabled(Enabled());
    increment_.set_enabled(Enabled());
    decrement_.set_enabled(Enabled());
}

void TskSkinScrollBar::SetVisible(bool on)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::SetVisible(on);
    if (!*alive || on)
        return;
    SetHotPart(ScrollBarPart::None);
    CancelTracking(true);
}

void TskSkinScrollBar::CreateParams(lt::CreateParams& params)
{
    TskSkinCustomControl::CreateParams(params);
    // A quick second click on a button is one more step, not a double-click.
    params.double_clicks = false;
}

// ---- Keys, focus, wheel -------------------------------------------------------------

LResult TskSkinScrollBar::DialogCode() const
{
    return can_focused_ ? DLGC_WANTARROWS : 0;
}

void TskSkinScrollBar::KeyDown(int& key, TShiftState shift)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::KeyDown(key, shift);
    if (!*alive || !can_focused_)
        return;
    if (key == VK_LEFT || key == VK_UP)
        Step(-std::int64_t(small_change_));
    else if (key == VK_RIGHT || key == VK_DOWN)
        Step(small_change_);
}

void TskSkinScrollBar::DoEnter()
{
    Invalidate();
    TskSkinCustomControl::DoEnter();
}

void TskSkinScrollBar::DoExit()
{
    Invalidate();
    TskSkinCustomControl::DoExit();
}

bool TskSkinScrollBar::ThumbLooksPressed() const
{
    return thumb_.held() || (can_focused_ && Focused());
}

LResult TskSkinScrollBar::WndProc(Message& m)
{
    switch (m.msg) {
    case WM_TIMER:
        if (m.wparam == kRepeatTimer) {
            RepeatTick();
            return 0;
        }
        break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED: {
        std::shared_ptr<bool> alive = alive_;
        CancelTracking(true);
        if (!*alive)
            return 0;
        break;
    }
    case WM_MOUSEWHEEL:
        if (can_focused_ && Focused()) {
            const auto delta = static_cast<std::int16_t>((m.wparam >> 16) & 0xFFFF);
            Step(delta <= 0 ? std::int64_t(small_change_) : -std::int64_t(small_change_));
            return 0;
        }
        break;
    default:
        break;
    }
    return TskSkinCustomControl::WndProc(m);
}

// ---- Painting -------------------------------------------------------------------------

namespace {

const Color kPlainFrame = rgb(0, 0, 128);
const Color kPlainPressed = rgb(133, 147, 181);
const Color kPlainHot = rgb(182, 189, 210);

// The unskinned look of a part: a one-pixel frame and a fill.
void PaintPlainPart(Canvas& c, const Rect& r, bool pressed, bool hot)
{
    if (r.empty())
        return;
    c.fill_rect(r, pressed ? kPlainPressed : hot ? kPlainHot : clBtnFace);
    c.frame_rect(r, pressed || hot ? kPlainFrame : clBtnShadow);
}

// A black triangle of lines 1, 3, 5 and 7 pixels long, centred on `r`,
// its tip pointing toward `dir` (-1: left or up, +1: right or down).
void PaintArrow(Canvas& c, const Rect& r, bool vertical, int dir)
{
    const int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    for (int i = 0; i < 4; ++i) {
        // The line of length 2i + 1 sits i steps back from the tip.
        const int at = (dir < 0 ? -2 : 1) - dir * i;
        if (vertical)
            c.fill_rect({cx - i, cy + at, cx + i + 1, cy + at + 1}, clBlack);
        else
            c.fill_rect({cx + at, cy - i, cx + at + 1, cy + i + 1}, clBlack);
    }
}

} // namespace

void TskSkinScrollBar::PaintUnskinned(Bitmap& bitmap)
{
    Canvas c(bitmap);
    c.fill_rect(Rect::from_size(bitmap.size()), clBtnFace);
    const ScrollBarLayout l = Layout();
    PaintPlainPart(c, l.decrement, decrement_.down(), decrement_.hot());
    PaintArrow(c, l.decrement, l.vertical(), -1);
    PaintPlainPart(c, l.increment, increment_.down(), increment_.hot());
    PaintArrow(c, l.increment, l.vertical(), +1);
    if (Enabled())
        PaintPlainPart(c, l.thumb, ThumbLooksPressed(), thumb_.hot());
}

void TskSkinScrollBar::PaintSkinned(Bitmap& bitmap)
{
    TskSkinCustomControl::PaintSkinned(bitmap);
    const Bitmap* picture = Picture();
    if (!picture || !has_skin_)
        return;
    Canvas c(bitmap);
    const ScrollBarLayout l = Layout();
    // A button neither hot nor pressed keeps the composed picture.
    auto button = [&](const ButtonBehavior& b, const Rect& r, const Rect(&looks)[3]) {
        if (!b.hot())
            return;
        const Rect& look = looks[b.down() ? 2 : 1];
        if (!look.empty())
            c.stretch_draw(r, *picture, look);
    };
    button(increment_, l.increment, skin_.upbuttonrect);
    button(decrement_, l.decrement, skin_.downbuttonrect);
    if (Enabled())
        DrawThumb(c, l);
}

void TskSkinScrollBar::DrawThumb(Canvas& c, const ScrollBarLayout& l)
{
    const Rect& t = l.thumb;
    if (t.empty())
        return;
    const Bitmap& picture = *Picture();
    const int state = ThumbLooksPressed() ? 2 : thumb_.hot() ? 1 : 0;
    const Rect look = skin_.thumbrect[state];
    if (!look.empty()) {
        Bitmap image(t.width(), t.height());
        Canvas ic(image);
        // With a page the thumb's length varies: its ends keep their size
        // and its middle fills the rest. A fixed thumb is scaled.
        if (range_.page != 0 || skin_.metrics.thumbminpagesize != 0) {
            if (l.vertical())
                ComposeVertical(
                    ic, picture, look, skin_.thumboffset1, skin_.thumboffset2, t.height(), skin_.thumbstretcheffect);
            else
                ComposeHorizontal(
                    ic, picture, look, skin_.thumboffset1, skin_.thumboffset2, t.width(), skin_.thumbstretcheffect);
        } else {
            ic.stretch_draw(image.rect(), picture, look);
        }
        if (skin_.thumbtransparent)
            c.draw_transparent(t.top_left(), image, skin_.thumbtransparentcolor);
        else
            c.draw(t.top_left(), image);
    }
    const Rect glyph = skin_.glyphrect[state];
    const int glyph_length = l.vertical() ? glyph.height() : glyph.width();
    const int thumb_length = l.vertical() ? t.height() : t.width();
    if (glyph.empty() || glyph_length >= thumb_length)
        return;
    const Point at{t.left + t.width() / 2 - glyph.width() / 2, t.top + t.height() / 2 - glyph.height() / 2};
    if (skin_.glyphtransparent)
        c.draw_transparent(at, picture, glyph, skin_.glyphtransparentcolor);
    else
        c.draw(at, picture, glyph);
}

} // namespace lt
