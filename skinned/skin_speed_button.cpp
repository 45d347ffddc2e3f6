// Windowless tool buttons: the choice of a look, the speed button's
// behaviour (mouse, grouping, timers) and painting, then the menu button.

#include "skinned/skin_speed_button.h"

#include <algorithm>

#include "skinned/morph.h"
#include "skinned/skin_toolbar.h"

namespace lt {

// ---- Looks ----------------------------------------------------------------------

SpeedButtonLook ChooseSpeedButtonLook(const ButtonLooks& looks, const ButtonLookState& s, bool transparent)
{
    // The push button's rules without focus and with the disabled look
    // taken last: a latched or hot tool button keeps its look when disabled.
    ButtonLooks rules = looks;
    rules.focused = rules.disabled = {};
    ButtonLookState state = s;
    state.enabled = true;
    state.focused = state.mouse_pressed = false;
    state.morphing = s.morphing && !transparent;
    SpeedButtonLook result{ChooseButtonLook(rules, state)};
    const ButtonLook& l = result.look;
    if (l.morph || l.down || l.active)
        return result;
    if (transparent)
        result.transparent = true;
    else if (!s.enabled && !looks.disabled.empty())
        result.look.source = looks.disabled;
    return result;
}

Rect MenuTrackPart(
    std::string_view object_name, const Rect& trackbuttonrect, ResizeMode mode, Size skin, Size size, bool bottom)
{
    constexpr int kStrip = 15;
    const bool plain = object_name.empty() || object_name == "resizebutton" || object_name == "resizetoolbutton" ||
        object_name == "toolbutton" || object_name == "bigtoolbutton";
    if (!plain) {
        if (mode == ResizeMode::Horizontal)
            return trackbuttonrect.offset(size.width - skin.width, 0);
        if (mode == ResizeMode::Vertical)
            return trackbuttonrect.offset(0, size.height - skin.height);
        return trackbuttonrect;
    }
    if (bottom)
        return {0, size.height - kStrip, size.width, size.height};
    return {size.width - kStrip, 0, size.width, size.height};
}

void DrawDropDownArrow(Canvas& canvas, Point c, Color color)
{
    for (int n = 2; n >= 0; --n)
        canvas.fill_rect({c.x - n, c.y + 2 - n, c.x + n + 1, c.y + 3 - n}, color);
}

// ---- TskSkinSpeedButton: properties ----------------------------------------------

TskSkinSpeedButton::TskSkinSpeedButton(TComponent* owner)
    : TskGraphicSkinCustomControl(owner), ButtonGlyphProperties(*this, 0)
{
    SetSkinDataName("toolbutton");
    TskGraphicSkinCustomControl::SetBounds(0, 0, 25, 25);
}

TskSkinSpeedButton::~TskSkinSpeedButton() = default;

void TskSkinSpeedButton::SetUseSkinSize(bool on)
{
    if (on == use_skin_size_)
        return;
    use_skin_size_ = on;
    ApplySkin();
}

void TskSkinSpeedButton::SetUseSkinFontColor(bool on)
{
    use_skin_font_color_ = on;
    Invalidate();
}

void TskSkinSpeedButton::SetFlat(bool on)
{
    flat_ = on;
    if (on)
        StopAnimation();
    SetTransparent(on);
}

void TskSkinSpeedButton::SetTransparent(bool on)
{
    transparent_ = on;
    Invalidate();
}

void TskSkinSpeedButton::SetDown(bool on)
{
    if (on == down_)
        return;
    down_ = on;
    if (Morphing()) {
        // A pressed button shows its active side at once; a released one
        // fades back from it.
        morph_factor_ = 1.0;
        if (on)
            morph_timer_.stop();
        else
            morph_timer_.start(MorphTimer::kInterval, [this] { MorphStep(); });
    }
    Invalidate();
    RaiseOthersOfGroup(*this);
}

void TskSkinSpeedButton::SetGroupIndex(int index)
{
    group_index_ = index;
    Invalidate();
}

void TskSkinSpeedButton::SetShowCaption(bool on)
{
    if (on == show_caption_)
        return;
    show_caption_ = on;
    if (WidthWithCaption > 0 && WidthWithoutCaption > 0)
        SetWidth(on ? WidthWithCaption : WidthWithoutCaption);
    else
        Invalidate();
}

void TskSkinSpeedButton::Notification(TComponent* component, TOperation operation)
{
    TskGraphicSkinCustomControl::Notification(component, operation);
    GlyphNotification(component, operation);
}

// ---- TskSkinSpeedButton: skin -------------------------------------------------------

bool TskSkinSpeedButton::Morphing() const
{
    const TskSkinData* data = SkinData();
    return skin_.morphing && !transparent_ && Skinned() && data && !data->Empty && data->EnableSkinEffects;
}

bool TskSkinSpeedButton::AnimationEnabled() const
{
    const TskSkinData* data = SkinData();
    return !flat_ && Skinned() && data && data->EnableSkinEffects && !skin_.animate_rect.empty() &&
        skin_.frame_count > 0;
}

void TskSkinSpeedButton::FetchSkinObject()
{
    TskGraphicSkinCustomControl::FetchSkinObject();
    const auto* o = dynamic_cast<const TskDataSkinButtonControl*>(SkinObject());
    skin_ = ReadButtonSkin(o, Geometry().skinrect);
    if (o)
        TakeSkinFont(*o);
}

void TskSkinSpeedButton::ApplySkin()
{
    StopAnimation();
    morph_timer_.stop();
    morph_factor_ = 0.0;
    TskGraphicSkinCustomControl::ApplySkin();
    if (Morphing() && mouse_in_)
        morph_factor_ = 1.0;
}

void TskSkinSpeedButton::FitSizeToSkin(int& width, int& height)
{
    FitOrKeepSize(
        use_skin_size_, width, height, [this](int& w, int& h) { TskGraphicSkinCustomControl::FitSizeToSkin(w, h); });
}

// ---- TskSkinSpeedButton: state -------------------------------------------------------

bool TskSkinSpeedButton::DrawnDown() const
{
    return down_ && (group_index_ != 0 || HotLook());
}

ButtonLookState TskSkinSpeedButton::LookState() const
{
    ButtonLookState s;
    s.enabled = Enabled();
    s.down = down_;
    s.grouped = group_index_ != 0;
    s.pointer_over = HotLook();
    s.morphing = Morphing();
    s.morph = morph_factor_;
    s.animating = frame_ > 0;
    s.animation_forward = frame_forward_;
    s.animation_frame = AnimationFrameRect(skin_.animate_rect, skin_.looks.normal.size(), skin_.frame_count, frame_);
    return s;
}

void TskSkinSpeedButton::Redraw()
{
    if (Morphing()) {
        if (!morph_timer_.running())
            morph_timer_.start(MorphTimer::kInterval, [this] { MorphStep(); });
        if (morph_timer_.running())
            return;
    }
    Invalidate();
}

// ---- TskSkinSpeedButton: timers --------------------------------------------------------

void TskSkinSpeedButton::MorphStep()
{
    const MorphTick step = StepMorph(morph_factor_, HotLook());
    morph_factor_ = step.factor;
    if (step.done)
        morph_timer_.stop();
    Invalidate();
}

void TskSkinSpeedButton::StartAnimation(bool forward)
{
    if (!AnimationEnabled())
        return;
    StopAnimation();
    frame_forward_ = forward;
    frame_ = forward ? 1 : skin_.frame_count;
    animation_timer_.start(skin_.animate_interval, [this] { AnimationTick(); });
}

void TskSkinSpeedButton::StopAnimation()
{
    animation_timer_.stop();
    if (frame_ != 0)
        Invalidate();
    frame_ = 0;
}

void TskSkinSpeedButton::AnimationTick()
{
    frame_ += frame_forward_ ? 1 : -1;
    if (frame_ > skin_.frame_count || frame_ < 1)
        StopAnimation();
    Invalidate();
}

void TskSkinSpeedButton::StartRepeat()
{
    // The first tick comes after the delay and only sets the pace; clicks
    // follow every RepeatInterval.
    repeat_started_ = false;
    repeat_timer_.start(500, [this] { RepeatTick(); });
}

void TskSkinSpeedButton::StopRepeat()
{
    repeat_timer_.stop();
    repeat_started_ = false;
}

void TskSkinSpeedButton::RepeatTick()
{
    if (!repeat_started_) {
        repeat_started_ = true;
        repeat_timer_.start(RepeatInterval, [this] { RepeatTick(); });
        return;
    }
    FireClick();
}

// ---- TskSkinSpeedButton: mouse ----------------------------------------------------------

void TskSkinSpeedButton::PressChanged()
{
    if (!FollowPointer(
            press_.hot(), last_hot_, Enabled(), [this] { PointerEntered(); }, [this] { PointerLeft(); }))
        Invalidate();
}

void TskSkinSpeedButton::PointerEntered()
{
    mouse_in_ = true;
    const bool grouped = group_index_ != 0;
    if (!grouped || !down_) {
        if (down_) {
            if (Morphing())
                morph_factor_ = 1.0;
            Invalidate();
        } else {
            StartAnimation(true);
            Redraw();
        }
    }
    // Back over a held button: the repeat starts again with its delay.
    if (down_ && !grouped && RepeatMode && MousePressed())
        StartRepeat();
}

void TskSkinSpeedButton::PointerLeft()
{
    mouse_in_ = false;
    const bool grouped = group_index_ != 0;
    if (!grouped || !down_) {
        StartAnimation(false);
        Redraw();
    }
    if (down_ && !grouped && RepeatMode)
        StopRepeat();
}

void TskSkinSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    TskGraphicSkinCustomControl::MouseDown(button, shift, x, y);
    if (*alive && button == TMouseButton::mbLeft && MousePressed())
        PressDown();
}

void TskSkinSpeedButton::PressDown()
{
    StopAnimation();
    if (!down_) {
        mouse_in_ = true;
        SetDown(true);
        press_on_down_ = false;
        if (RepeatMode && group_index_ == 0)
            StartRepeat();
        else if (group_index_ != 0)
            FireClick();
    } else if (group_index_ != 0) {
        press_on_down_ = true;
    }
}

LResult TskSkinSpeedButton::LeftRelease(Message& m)
{
    const Point p = lparam_point(m.lparam);
    const bool inside = ClientRect().contains(p);
    std::shared_ptr<bool> alive = alive_;
    MouseUp(TMouseButton::mbLeft, ShiftFromMouseFlags(m.wparam), p.x, p.y);
    if (!*alive)
        return 0;
    const bool pressed = MousePressed();
    FeedPress([inside](ButtonBehavior& b) { return b.on_release(inside); });
    LeftReleased(inside, pressed);
    return 0;
}

void TskSkinSpeedButton::LeftReleased(bool inside, bool pressed)
{
    if (!pressed)
        return;
    if (group_index_ == 0) {
        StopRepeat();
        const bool was_down = down_;
        if (!inside) {
            // Dragged off first: it already shows its normal look.
            down_ = false;
            return;
        }
        SetDown(false);
        if (was_down)
            FireClick();
    } else if (down_ && AllowAllUp && press_on_down_ && inside) {
        SetDown(false);
        FireClick();
    }
}

void TskSkinSpeedButton::EndPress()
{
    StopRepeat();
    if (group_index_ == 0 && down_) {
        down_ = false;
        Invalidate();
    }
}

void TskSkinSpeedButton::FireClick()
{
    TskGraphicSkinCustomControl::Click();
}

// ---- TskSkinSpeedButton: enabling, hiding, messages ---------------------------------------

void TskSkinSpeedButton::SetEnabled(bool on)
{
    if (on != Enabled()) {
        if (press_.held())
            EndPress();
        StopRepeat();
        morph_timer_.stop();
        morph_factor_ = 0.0;
        mouse_in_ = false;
    }
    TskGraphicSkinCustomControl::SetEnabled(on);
    last_hot_ = press_.hot();
    Invalidate();
}

void TskSkinSpeedButton::SetVisible(bool on)
{
    if (!on) {
        if (press_.held())
            EndPress();
        // The press is taken away: its release is no click.
        FeedPress(&ButtonBehavior::on_cancel);
        StopRepeat();
        StopAnimation();
        morph_timer_.stop();
    }
    TskGraphicSkinCustomControl::SetVisible(on);
}

LResult TskSkinSpeedButton::WndProc(Message& m)
{
    switch (m.msg) {
    case WM_LBUTTONDBLCLK: {
        // A quick second press is a press of its own.
        Message press{WM_LBUTTONDOWN, m.wparam, m.lparam};
        return TskGraphicSkinCustomControl::WndProc(press);
    }
    case WM_LBUTTONUP:
        return LeftRelease(m);
    case WM_CANCELMODE: {
        std::shared_ptr<bool> alive = alive_;
        const bool pressed = MousePressed();
        const LResult r = TskGraphicSkinCustomControl::WndProc(m);
        if (*alive && pressed && !MousePressed())
            EndPress();
        return r;
    }
    default:
        return TskGraphicSkinCustomControl::WndProc(m);
    }
}

// ---- TskSkinSpeedButton: painting ------------------------------------------------------------

bool TskSkinSpeedButton::TransparentNow() const
{
    if (Skinned())
        return ChooseSpeedButtonLook(skin_.looks, LookState(), transparent_).transparent;
    return flat_ && transparent_ && !DrawnDown() && !HotLook();
}

void TskSkinSpeedButton::Paint()
{
    Canvas* canvas = GetCanvas();
    if (!canvas || Width() < 1 || Height() < 1)
        return;
    PreparePaint();
    if (TransparentNow()) {
        CanvasSaver keep(*canvas);
        PaintTransparent(*canvas);
        return;
    }
    PaintOffscreen(*canvas);
}

void TskSkinSpeedButton::PaintSkinned(Bitmap& bitmap)
{
    const SpeedButtonLook l = ChooseSpeedButtonLook(skin_.looks, LookState(), transparent_);
    if (!l.look.morph) {
        PaintStateImage(bitmap, l.look.source, l.look.active, l.look.down);
        return;
    }
    PaintStateImage(bitmap, l.look.morph_normal, false, false);
    Bitmap active(bitmap.width(), bitmap.height());
    PaintStateImage(active, l.look.morph_active, true, false);
    MorphBlend(bitmap, active, morph_factor_, skin_.morph_kind);
}

void TskSkinSpeedButton::PaintStateImage(Bitmap& bitmap, const Rect& rect, bool active, bool down)
{
    Canvas canvas(bitmap);
    const Rect area = ComposeButtonLook(canvas, Picture(), rect, Geometry(), Fit(), use_skin_size_, bitmap.size());
    canvas.font() = CurrentFont();
    canvas.set_text_color(
        ButtonCaptionColor(skin_.colors, Enabled(), use_skin_font_color_, DefaultFont().GetColor(), down, active));
    DrawFace(canvas, area, active, down, active && down);
}

void TskSkinSpeedButton::PaintPlainBackground(Canvas& canvas, const Rect& r, bool pressed) const
{
    PaintPlainButton(canvas, r, pressed, HotLook(), flat_);
}

void TskSkinSpeedButton::PaintUnskinned(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    const Rect r = Rect::from_size(bitmap.size());
    const bool pressed = DrawnDown();
    PaintPlainBackground(canvas, r, pressed);
    canvas.font() = CurrentFont();
    canvas.set_text_color(Enabled() ? DefaultFont().GetColor() : clBtnShadow);
    DrawFace(canvas, r, HotLook(), pressed, pressed);
}

Rect TskSkinSpeedButton::SkinFaceArea() const
{
    return Mode() == ResizeMode::None ? ClientRect() : Fit().target.client;
}

Color TskSkinSpeedButton::TransparentTextColor() const
{
    if (!Skinned())
        return Enabled() ? DefaultFont().GetColor() : clBtnShadow;
    if (!Enabled())
        return SkinData()->SkinColors.cbtnshadow;
    return use_skin_font_color_ ? SkinData()->SkinColors.cbtntext : DefaultFont().GetColor();
}

void TskSkinSpeedButton::PaintTransparent(Canvas& canvas)
{
    canvas.font() = CurrentFont();
    canvas.set_text_color(TransparentTextColor());
    DrawFace(canvas, Skinned() ? SkinFaceArea() : ClientRect(), false, false, false);
}

ButtonImage TskSkinSpeedButton::ChooseImage(bool active, bool down) const
{
    if (!Glyph().empty())
        return StripImage(down, active, Enabled());
    ButtonImage image;
    if (const auto* bar = dynamic_cast<const TskSkinToolBar*>(Parent())) {
        // The bar's disabled images are drawn as they are.
        if (!Enabled() && bar->DisabledImages())
            image = {bar->DisabledImages(), ImageIndex(), true};
        else if ((active || down) && bar->HotImages())
            image = {bar->HotImages(), ImageIndex(), Enabled()};
        else
            image = {bar->Images(), ImageIndex(), Enabled()};
        if (!HoldsImage(image.list))
            image = {};
    }
    if (!image.list && HoldsImage(ImageList()))
        image = {ImageList(), ImageIndex(), Enabled()};
    return image;
}

void TskSkinSpeedButton::DrawFace(Canvas& canvas, const Rect& area, bool active, bool down, bool pressed) const
{
    static const std::string kNone;
    DrawGlyphFace(canvas, area, ChooseImage(active, down), show_caption_ ? Caption() : kNone, pressed);
}

// ---- TskSkinMenuSpeedButton ---------------------------------------------------------------------

TskSkinMenuSpeedButton::TskSkinMenuSpeedButton(TComponent* owner) : TskSkinSpeedButton(owner)
{
    SetSkinDataName("toolmenubutton");
}

TskSkinMenuSpeedButton::~TskSkinMenuSpeedButton()
{
    if (menu_)
        RemoveFreeNotification(menu_);
}

void TskSkinMenuSpeedButton::SetSkinPopupMenu(TskSkinPopupMenu* menu)
{
    Repoint(*this, menu_, menu);
}

void TskSkinMenuSpeedButton::SetNewStyle(bool on)
{
    new_style_ = on;
    if (on)
        SetSkinDataName("resizetoolbutton");
    Invalidate();
}

void TskSkinMenuSpeedButton::Notification(TComponent* component, TOperation operation)
{
    TskSkinSpeedButton::Notification(component, operation);
    if (operation == TOperation::opRemove && component == menu_)
        menu_ = nullptr;
}

void TskSkinMenuSpeedButton::FetchSkinObject()
{
    TskSkinSpeedButton::FetchSkinObject();
    const auto* o = dynamic_cast<const TskDataSkinMenuButtonControl*>(SkinObject());
    menu_object_ = o != nullptr;
    track_rect_ = o ? o->trackbuttonrect : Rect{};
    const auto* b = dynamic_cast<const TskDataSkinButtonControl*>(SkinObject());
    marker_flat_ = b ? (b->menumarkerflatrect.empty() ? b->menumarkerrect : b->menumarkerflatrect) : Rect{};
    marker_key_ = b ? b->menumarkertransparentcolor : 0;
}

Rect TskSkinMenuSpeedButton::TrackPart() const
{
    const std::string_view name = Skinned() ? std::string_view(SkinDataName()) : std::string_view();
    return MenuTrackPart(name, track_rect_, Mode(), Geometry().skin_size(), {Width(), Height()}, StripAtBottom());
}

bool TskSkinMenuSpeedButton::MenuHit(Point p) const
{
    return menu_ && (!TrackButtonMode || TrackPart().contains(p));
}

void TskSkinMenuSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button != TMouseButton::mbLeft || !MousePressed() || !MenuHit({x, y})) {
        TskSkinSpeedButton::MouseDown(button, shift, x, y);
        return;
    }
    std::shared_ptr<bool> alive = alive_;
    TskGraphicSkinCustomControl::MouseDown(button, shift, x, y);
    if (*alive && menu_)
        OpenMenu();
}

void TskSkinMenuSpeedButton::OpenMenu()
{
    StopAnimation();
    menu_open_ = true;
    SetMouseIn(true);
    if (!Down())
        SetDown(true);
    Invalidate();
    std::shared_ptr<bool> alive = alive_;
    if (TNotifyEvent handler = OnShowTrackMenu)
        handler(this);
    if (!*alive || !menu_open_ || !menu_)
        return;
    const Point origin = ClientToScreen({0, 0});
    menu_->PopupAtRect(this, Rect::from_xywh(origin.x, origin.y, Width(), Height()), false);
    // A menu that found nothing to show (no frame, no visible item) never
    // sends SKM_MENUCLOSED: the button must not stay down for it.
    if (*alive && menu_open_ && !MenuShowing())
        MenuClosed();
}

bool TskSkinMenuSpeedButton::MenuShowing() const
{
    // The forms a popup menu looks for its frame in, and this button's own.
    const TComponent* owner = menu_ ? menu_->Owner() : nullptr;
    const TComponent* forms[] = {GetParentForm(), owner, owner ? owner->Owner() : nullptr};
    for (const TComponent* form : forms) {
        if (SkinMenuFrame* frame = form ? FindSkinMenuFrame(form) : nullptr)
            if (frame->SkinMenu().Visible() && frame->SkinMenu().Opener() == this)
                return true;
    }
    return false;
}

void TskSkinMenuSpeedButton::MenuClosed()
{
    if (!menu_open_)
        return;
    menu_open_ = false;
    SetDown(false);
    SetMouseIn(false);
    Invalidate();
    if (TNotifyEvent handler = OnHideTrackMenu)
        handler(this);
}

void TskSkinMenuSpeedButton::PointerEntered()
{
    if (menu_open_)
        SetMouseIn(true);
    else
        TskSkinSpeedButton::PointerEntered();
}

void TskSkinMenuSpeedButton::PointerLeft()
{
    if (menu_open_)
        SetMouseIn(false);
    else
        TskSkinSpeedButton::PointerLeft();
}

void TskSkinMenuSpeedButton::LeftReleased(bool inside, bool pressed)
{
    if (!menu_open_)
        TskSkinSpeedButton::LeftReleased(inside, pressed);
}

LResult TskSkinMenuSpeedButton::WndProc(Message& m)
{
    if (m.msg == SKM_MENUCLOSED) {
        MenuClosed();
        return 0;
    }
    return TskSkinSpeedButton::WndProc(m);
}

void TskSkinMenuSpeedButton::PaintStateImage(Bitmap& bitmap, const Rect& rect, bool active, bool down)
{
    const Rect& down_look = SkinFields().looks.down;
    if (!TrackButtonMode || !menu_open_ || track_rect_.empty() || down_look.empty() || !Picture()) {
        TskSkinSpeedButton::PaintStateImage(bitmap, rect, active, down);
        return;
    }
    // The active look with its track part pressed.
    TskSkinSpeedButton::PaintStateImage(bitmap, SkinFields().looks.active, true, false);
    const Rect part = TrackPart();
    Canvas(bitmap).draw(part.top_left(), *Picture(), track_rect_.offset(down_look.left, down_look.top));
}

void TskSkinMenuSpeedButton::PaintUnskinned(Bitmap& bitmap)
{
    constexpr int kStrip = 15;
    Canvas canvas(bitmap);
    const Rect r = Rect::from_size(bitmap.size());
    const bool pressed = DrawnDown();
    PaintPlainBackground(canvas, r, pressed);
    canvas.font() = CurrentFont();
    canvas.set_text_color(Enabled() ? DefaultFont().GetColor() : clBtnShadow);
    DrawFace(canvas, {0, 0, r.right - kStrip, r.bottom}, HotLook(), pressed, pressed);
    // The mark sits lower and further right while pressed or open.
    const bool sunk = pressed || menu_open_;
    const int left = r.right - (sunk ? kStrip - 2 : kStrip);
    DrawDropDownArrow(canvas, {left + (r.right - left) / 2, r.bottom / 2 + (sunk ? 2 : 0)}, clBtnText);
}

void TskSkinMenuSpeedButton::PaintTransparent(Canvas& canvas)
{
    constexpr int kStrip = 15;
    const Rect all = ClientRect();
    Rect face = {all.left, all.top, all.right - kStrip, all.bottom};
    Rect marker = {all.right - kStrip, all.top, all.right, all.bottom};
    if (StripAtBottom()) {
        face = {all.left, all.top, all.right, all.bottom - kStrip};
        marker = {all.left, all.bottom - kStrip, all.right, all.bottom};
    }
    if (Skinned() && menu_object_) {
        face = SkinFaceArea();
        marker = {face.right, all.top, all.right, all.bottom};
    }
    if (Skinned() && Mode() != ResizeMode::NinePiece)
        marker.left -= 2;
    canvas.font() = CurrentFont();
    canvas.set_text_color(TransparentTextColor());
    DrawFace(canvas, face, false, false, false);
    const Point centre{marker.left + marker.width() / 2, marker.top + marker.height() / 2};
    if (Skinned() && !marker_flat_.empty() && Picture()) {
        const Point at{centre.x - marker_flat_.width() / 2, centre.y - marker_flat_.height() / 2};
        canvas.draw_transparent(at, *Picture(), marker_flat_, marker_key_);
        return;
    }
    DrawDropDownArrow(canvas, centre, Skinned() ? SkinData()->SkinColors.cbtntext : clBtnText);
}

} // namespace lt
