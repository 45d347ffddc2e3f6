// Skinned push buttons: the choice of a look, the button's behaviour (mouse,
// keys, focus, grouping, timers) and its painting, then the button with
// default images.

#include "skinned/skin_buttons.h"

#include <algorithm>

#include "gfx/draw_text.h"
#include "platform/desktop.h"

namespace lt {

// ---- Looks ----------------------------------------------------------------------

namespace {
ButtonLook Look(const Rect& source, bool down, bool active)
{
    ButtonLook look;
    look.source = source;
    look.down = down;
    look.active = active;
    return look;
}
} // namespace

ButtonLook ChooseButtonLook(ButtonLooks looks, const ButtonLookState& s)
{
    if (s.animating && !s.animation_frame.empty()) {
        if (s.animation_forward)
            looks.active = s.animation_frame;
        else
            looks.normal = s.animation_frame;
    }
    if (s.morphing && s.morph > 0.0 && s.morph < 1.0 && s.enabled) {
        ButtonLook blend;
        blend.morph = true;
        blend.morph_normal = looks.normal;
        blend.morph_active = looks.active;
        return blend;
    }
    if (!s.enabled && !looks.disabled.empty())
        return Look(looks.disabled, false, false);
    if (s.down && (s.grouped || s.pointer_over || (s.focused && !s.mouse_pressed)))
        return Look(looks.down, true, true);
    if (s.focused && !looks.focused.empty() && !s.animating)
        return Look(looks.focused, false, true);
    if (s.focused || s.pointer_over || (s.morphing && s.morph >= 1.0))
        return Look(looks.active, false, true);
    return Look(looks.normal, false, false);
}

ButtonSkin ReadButtonSkin(const TskDataSkinButtonControl* o, const Rect& skinrect)
{
    ButtonSkin skin;
    skin.looks = {skinrect, skinrect, skinrect, {}, {}};
    if (!o)
        return skin;
    // A disabled colour the same as the normal one would hide the state.
    skin.colors = {o->fontcolor, o->activefontcolor, o->downfontcolor,
        o->disabledfontcolor == o->fontcolor ? rgb(128, 128, 128) : o->disabledfontcolor};
    skin.looks.active = o->activeskinrect.empty() ? skinrect : o->activeskinrect;
    skin.looks.down = o->downskinrect.empty() ? skin.looks.active : o->downskinrect;
    skin.looks.focused = o->focusedskinrect;
    skin.looks.disabled = o->disabledskinrect;
    skin.morphing = o->morphing;
    skin.morph_kind = o->morphkind;
    skin.animate_rect = o->animateskinrect;
    skin.frame_count = o->framecount;
    skin.animate_interval = o->animateinterval;
    skin.show_focus = o->showfocus;
    return skin;
}

Rect AnimationFrameRect(const Rect& strip, Size skin, int framecount, int frame)
{
    if (framecount <= 0 || frame < 1 || frame > framecount || strip.empty())
        return {};
    if (strip.width() > skin.width) {
        const int w = strip.width() / framecount;
        return Rect::from_xywh(strip.left + (frame - 1) * w, strip.top, w, strip.height());
    }
    const int h = strip.height() / framecount;
    return Rect::from_xywh(strip.left, strip.top + (frame - 1) * h, strip.width(), h);
}

// ---- Painting a look ------------------------------------------------------------

void PaintPlainButton(Canvas& canvas, const Rect& r, bool pressed, bool hot, bool flat)
{
    if (pressed) {
        canvas.fill_rect(r, rgb(133, 147, 181));
        canvas.frame_rect(r, clNavy);
    } else if (hot) {
        canvas.fill_rect(r, rgb(182, 189, 210));
        canvas.frame_rect(r, clNavy);
    } else if (!flat) {
        canvas.fill_rect(r, clBtnFace);
        canvas.frame_rect(r, clBtnShadow);
    } else {
        canvas.fill_rect(r, clBtnFace);
    }
}

Rect ComposeButtonLook(Canvas& canvas, const Bitmap* picture, const Rect& look, const SkinGeometry& g,
    const SkinFit& fit, bool use_skin_size, Size size)
{
    if (fit.mode == ResizeMode::None)
        return Rect::from_size(size);
    if (use_skin_size || fit.mode == ResizeMode::NinePiece) {
        if (picture)
            ComposeSkin(canvas, *picture, look, g, fit);
        return fit.target.client;
    }
    // Any size: the look scaled, or stretched between the corners of
    // clientrect; the caption area grows with the size.
    const Size skin = g.skin_size();
    if (picture && fit.mode == ResizeMode::Fixed)
        canvas.stretch_draw(Rect::from_size(size), *picture, look);
    else if (picture)
        ComposeStretchedNinePiece(canvas, *picture, look, g.clientrect, size);
    return {g.clientrect.left, g.clientrect.top, g.clientrect.right + size.width - skin.width,
        g.clientrect.bottom + size.height - skin.height};
}

Color ButtonCaptionColor(
    const ButtonFontColors& c, bool enabled, bool use_skin_font_color, Color default_color, bool down, bool active)
{
    if (enabled && !use_skin_font_color)
        return default_color;
    if (!enabled)
        return c.disabled;
    if (down && active)
        return c.down;
    return active ? c.active : c.font;
}

int GlyphStripImage(int num_glyphs, bool down, bool active, bool enabled)
{
    if (down && active && num_glyphs > 2)
        return 3;
    if (active && num_glyphs > 3)
        return 4;
    if (!enabled && num_glyphs > 1)
        return 2;
    return 1;
}

Size ButtonImage::size() const
{
    if (list)
        return {list->Width(), list->Height()};
    if (strip && !strip->empty())
        return GlyphSlice(strip->size(), num_glyphs, 1).size();
    return {};
}

void DrawButtonFace(Canvas& canvas, const Rect& area, const ButtonImage& image, std::string_view caption, int margin,
    int spacing, TButtonLayout layout, bool pressed)
{
    const Size glyph = image.size();
    const Size text = MeasureCaption(canvas, caption, area, layout, glyph);
    const GlyphCaptionPlace place = LayoutGlyphCaption(area, margin, spacing, layout, glyph, text, pressed);
    if (image.list)
        image.list->Draw(canvas, place.glyph.x, place.glyph.y, image.index, image.enabled);
    else if (image.strip && !image.strip->empty())
        DrawGlyph(canvas, place.glyph, *image.strip, image.num_glyphs, image.k);
    DrawCaption(canvas, caption, place);
}

// ---- Glyph properties ------------------------------------------------------------

void ButtonGlyphProperties::SetGlyph(const Bitmap& glyph)
{
    glyph_ = glyph;
    control_.Invalidate();
}

void ButtonGlyphProperties::SetNumGlyphs(int n)
{
    num_glyphs_ = std::clamp(n, 1, 4);
    control_.Invalidate();
}

void ButtonGlyphProperties::SetLayout(TButtonLayout layout)
{
    layout_ = layout;
    control_.Invalidate();
}

void ButtonGlyphProperties::SetMargin(int margin)
{
    if (margin < -1)
        return;
    margin_ = margin;
    control_.Invalidate();
}

void ButtonGlyphProperties::SetSpacing(int spacing)
{
    spacing_ = spacing;
    control_.Invalidate();
}

void ButtonGlyphProperties::SetImageList(TCustomImageList* list)
{
    images_.Set(list);
    control_.Invalidate();
}

void ButtonGlyphProperties::SetImageIndex(int index)
{
    images_.index = index;
    control_.Invalidate();
}

void ButtonGlyphProperties::GlyphNotification(TComponent* component, TOperation operation)
{
    if (images_.Dropped(component, operation))
        control_.Invalidate();
}

ButtonImage ButtonGlyphProperties::StripImage(bool down, bool active, bool enabled) const
{
    ButtonImage image;
    image.strip = &glyph_;
    image.num_glyphs = num_glyphs_;
    image.k = GlyphStripImage(num_glyphs_, down, active, enabled);
    return image;
}

void ButtonGlyphProperties::DrawGlyphFace(
    Canvas& canvas, const Rect& area, const ButtonImage& image, std::string_view caption, bool pressed) const
{
    DrawButtonFace(canvas, area, image, caption, margin_, spacing_, layout_, pressed);
}

// ---- TskSkinButton: properties ---------------------------------------------------

TskSkinButton::TskSkinButton(TComponent* owner) : TskSkinCustomControl(owner), ButtonGlyphProperties(*this, -1)
{
    SetSkinDataName("button");
    TskSkinCustomControl::SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TskSkinButton::~TskSkinButton()
{
    StopRepeat();
    StopAnimation();
    morph_.stop(WindowHandle());
}

void TskSkinButton::SetCanFocused(bool on)
{
    can_focused_ = on;
    SetTabStop(on);
    Invalidate();
}

void TskSkinButton::SetUseSkinSize(bool on)
{
    if (on == use_skin_size_)
        return;
    use_skin_size_ = on;
    ApplySkin();
}

void TskSkinButton::SetUseSkinFontColor(bool on)
{
    if (on == use_skin_font_color_)
        return;
    use_skin_font_color_ = on;
    Invalidate();
}

void TskSkinButton::SetDown(bool on)
{
    if (on == down_)
        return;
    down_ = on;
    if (Morphing()) {
        // A pressed button shows its active side at once; a released one
        // fades back from it.
        morph_.set_factor(1.0);
        if (on)
            morph_.stop(WindowHandle());
        else
            morph_.start(WindowHandle());
    }
    Invalidate();
    RaiseOthersOfGroup(*this);
}

void TskSkinButton::SetGroupIndex(int index)
{
    group_index_ = index;
    if (index != 0)
        SetCanFocused(false);
    Invalidate();
}

void TskSkinButton::SetDefault(bool on)
{
    default_ = on;
    // The form announces its active control again, so every button works
    // out anew which one answers Enter.
    if (WindowHandle() && can_focused_)
        if (TCustomForm* form = GetParentForm())
            form->FocusChanged(form->ActiveControl());
}

void TskSkinButton::Notification(TComponent* component, TOperation operation)
{
    TskSkinCustomControl::Notification(component, operation);
    GlyphNotification(component, operation);
}

// ---- TskSkinButton: skin -----------------------------------------------------------

bool TskSkinButton::Morphing() const
{
    const TskSkinData* data = SkinData();
    return skin_.morphing && Skinned() && data && !data->Empty && data->EnableSkinEffects;
}

bool TskSkinButton::AnimationEnabled() const
{
    const TskSkinData* data = SkinData();
    return Skinned() && data && data->EnableSkinEffects && !skin_.animate_rect.empty() && skin_.frame_count > 0;
}

void TskSkinButton::FetchSkinObject()
{
    TskSkinCustomControl::FetchSkinObject();
    const auto* o = dynamic_cast<const TskDataSkinButtonControl*>(SkinObject());
    skin_ = ReadButtonSkin(o, Geometry().skinrect);
    if (o)
        TakeSkinFont(*o);
}

void TskSkinButton::ApplySkin()
{
    StopAnimation();
    morph_.stop(WindowHandle());
    morph_.set_factor(0.0);
    TskSkinCustomControl::ApplySkin();
    if (Morphing() && (MouseIn() || FocusedLook()))
        morph_.set_factor(1.0);
}

void TskSkinButton::FitSizeToSkin(int& width, int& height)
{
    FitOrKeepSize(use_skin_size_, width, height, [this](int& w, int& h) { TskSkinCustomControl::FitSizeToSkin(w, h); });
}

void TskSkinButton::UpdateWindowRegion()
{
    if (Skinned() && !use_skin_size_) {
        // A button that does not keep the skin's size ignores its mask.
        if (Window* w = WindowHandle(); w && w->region())
            w->set_region(nullptr);
        return;
    }
    TskSkinCustomControl::UpdateWindowRegion();
}

// ---- TskSkinButton: state ------------------------------------------------------------

bool TskSkinButton::DrawnDown() const
{
    return down_ && (group_index_ != 0 || MouseIn() || (FocusedLook() && !MousePressed()));
}

ButtonLookState TskSkinButton::LookState() const
{
    ButtonLookState s;
    s.enabled = Enabled();
    s.down = down_;
    s.grouped = group_index_ != 0;
    s.pointer_over = MouseIn();
    s.focused = FocusedLook();
    s.mouse_pressed = MousePressed();
    s.morphing = Morphing();
    s.morph = morph_.factor();
    s.animating = frame_ > 0;
    s.animation_forward = frame_forward_;
    s.animation_frame = AnimationFrameRect(skin_.animate_rect, skin_.looks.normal.size(), skin_.frame_count, frame_);
    return s;
}

void TskSkinButton::Redraw()
{
    if (!Morphing() || !morph_.start(WindowHandle()))
        Invalidate();
}

// ---- TskSkinButton: timers -------------------------------------------------------------

void TskSkinButton::StartAnimation(bool forward)
{
    if (!AnimationEnabled())
        return;
    StopAnimation();
    Window* w = WindowHandle();
    if (!w)
        return;
    frame_forward_ = forward;
    frame_ = forward ? 1 : skin_.frame_count;
    w->set_timer(kAnimationTimer, std::max(skin_.animate_interval, 1));
}

void TskSkinButton::StopAnimation()
{
    if (frame_ != 0)
        if (Window* w = WindowHandle())
            w->kill_timer(kAnimationTimer);
    frame_ = 0;
}

void TskSkinButton::StartRepeat()
{
    Window* w = WindowHandle();
    if (!w)
        return;
    // The first tick comes after the delay and only sets the pace; clicks
    // follow every RepeatInterval.
    w->set_timer(kRepeatTimer, kRepeatDelay);
    repeat_running_ = true;
    repeat_started_ = false;
}

void TskSkinButton::StopRepeat()
{
    if (repeat_running_)
        if (Window* w = WindowHandle())
            w->kill_timer(kRepeatTimer);
    repeat_running_ = false;
    repeat_started_ = false;
}

void TskSkinButton::OnTimer(std::uintptr_t id)
{
    Window* w = WindowHandle();
    if (morph_.tick(w, id, MouseIn() || FocusedLook())) {
        Invalidate();
        return;
    }
    switch (id) {
    case kRepeatTimer:
        if (!repeat_running_)
            break;
        if (!repeat_started_) {
            repeat_started_ = true;
            if (w)
                w->set_timer(kRepeatTimer, std::max(RepeatInterval, 1));
        } else {
            FireClick();
        }
        break;
    case kAnimationTimer:
        if (frame_ == 0)
            break;
        frame_ += frame_forward_ ? 1 : -1;
        if (frame_ > skin_.frame_count || frame_ < 1)
            StopAnimation();
        Invalidate();
        break;
    default:
        break;
    }
}

// ---- TskSkinButton: mouse ------------------------------------------------------------------

void TskSkinButton::PressChanged()
{
    if (!FollowPointer(
            press_.hot(), last_hot_, Enabled(), [this] { PointerEntered(); }, [this] { PointerLeft(); }))
        Invalidate();
}

void TskSkinButton::PointerEntered()
{
    const bool grouped = group_index_ != 0;
    if ((grouped && !down_) || (!grouped && (!Focused() || down_))) {
        if (down_) {
            if (Morphing())
                morph_.set_factor(1.0);
            Invalidate();
        } else {
            StartAnimation(true);
            Redraw();
        }
    } else {
        Invalidate();
    }
    // Back over a held button: the repeat starts again with its delay.
    if (down_ && !grouped && RepeatMode && MousePressed())
        StartRepeat();
}

void TskSkinButton::PointerLeft()
{
    const bool grouped = group_index_ != 0;
    if ((grouped && !down_) || (!grouped && (!Focused() || down_))) {
        StartAnimation(false);
        Redraw();
    } else {
        Invalidate();
    }
    if (down_ && !grouped && RepeatMode)
        StopRepeat();
}

void TskSkinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    if (button == TMouseButton::mbLeft && MousePressed()) {
        StopAnimation();
        if (!down_) {
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
    if (*alive)
        TskSkinCustomControl::MouseDown(button, shift, x, y);
}

LResult TskSkinButton::LeftRelease(Message& m)
{
    const Point p = lparam_point(m.lparam);
    const bool inside = ClientRect().contains(p);
    const TShiftState shift = ShiftFromMouseFlags(m.wparam);
    std::shared_ptr<bool> alive = alive_;
    Window* w = WindowHandle();
    const bool pressed = MousePressed();
    FeedPress([inside](ButtonBehavior& b) { return b.on_release(inside); });
    if (pressed) {
        if (group_index_ == 0) {
            // Released over it: a click; dragged off first: just up.
            const bool was_down = down_;
            StopRepeat();
            SetDown(false);
            if (inside && was_down)
                FireClick();
        } else if (down_ && AllowAllUp && press_on_down_ && inside) {
            SetDown(false);
            FireClick();
        }
    }
    if (!*alive)
        return 0;
    if (w && WindowHandle() == w && w->has_capture())
        w->desktop().release_capture();
    // A click handler may have hidden the button (or taken its window).
    if (*alive && WindowHandle() && Visible())
        MouseUp(TMouseButton::mbLeft, shift, p.x, p.y);
    return 0;
}

void TskSkinButton::EndPress()
{
    StopRepeat();
    if (group_index_ == 0 && down_) {
        down_ = false;
        Invalidate();
    }
}

// ---- TskSkinButton: keys and focus -------------------------------------------------------------

void TskSkinButton::KeyDown(int& key, TShiftState shift)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::KeyDown(key, shift);
    if (!*alive || !can_focused_)
        return;
    if (key == VK_SPACE) {
        key = 0;
        StopAnimation();
        FeedPress(&ButtonBehavior::on_key_down);
        SetDown(true);
        // The keyboard's own repeat repeats the click.
        if (RepeatMode)
            FireClick();
    } else if (key == VK_RETURN) {
        key = 0;
        FireClick();
    }
}

void TskSkinButton::KeyUp(int& key, TShiftState shift)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::KeyUp(key, shift);
    if (!*alive || !can_focused_ || key != VK_SPACE)
        return;
    const bool clicked = FeedPress(&ButtonBehavior::on_key_up);
    SetDown(false);
    if (clicked)
        FireClick();
}

void TskSkinButton::KeyPress(char& key)
{
    // Enter clicked on its key-down; its character must not reach the form
    // as a dialog key and click a second time.
    if (key == '\r' && can_focused_)
        key = 0;
    TskSkinCustomControl::KeyPress(key);
}

void TskSkinButton::DoEnter()
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::DoEnter();
    if (!*alive)
        return;
    StartAnimation(true);
    Redraw();
}

void TskSkinButton::DoExit()
{
    StopRepeat();
    FeedPress(&ButtonBehavior::on_cancel);
    if (group_index_ == 0)
        SetDown(false);
    StartAnimation(false);
    Redraw();
    TskSkinCustomControl::DoExit();
}

void TskSkinButton::FocusMoved(TWinControl* focused)
{
    const bool to_button = dynamic_cast<TskSkinButton*>(focused) != nullptr;
    active_default_ = to_button ? focused == this : default_;
    // A focusable default button lights up while the focus is on a control
    // that is no button, so the user sees what Enter will do.
    const bool hot = default_ && can_focused_ && !to_button;
    if (hot != default_hot_) {
        default_hot_ = hot;
        Redraw();
    }
}

bool TskSkinButton::DialogKey(int vk)
{
    if (vk == VK_RETURN && active_default_ && Enabled() && Showing()) {
        FireClick();
        return true;
    }
    if (vk == VK_ESCAPE && Cancel && can_focused_ && CanFocus() && KeyboardShift() == 0) {
        FireClick();
        return true;
    }
    return false;
}

void TskSkinButton::FireClick()
{
    std::shared_ptr<bool> alive = alive_;
    if (can_focused_)
        if (TCustomForm* form = GetParentForm())
            form->SetModalResult(ModalResult);
    if (*alive)
        TskSkinCustomControl::Click();
}

// ---- TskSkinButton: enabling, hiding, messages ------------------------------------------------

void TskSkinButton::SetEnabled(bool on)
{
    if (on != Enabled()) {
        if (press_.held())
            EndPress();
        StopRepeat();
        morph_.stop(WindowHandle());
        morph_.set_factor(0.0);
        default_hot_ = false;
    }
    TskSkinCustomControl::SetEnabled(on);
    last_hot_ = press_.hot();
}

void TskSkinButton::SetVisible(bool on)
{
    if (!on) {
        if (press_.held())
            EndPress();
        StopRepeat();
        StopAnimation();
        morph_.stop(WindowHandle());
    }
    TskSkinCustomControl::SetVisible(on);
}

void TskSkinButton::CreateParams(lt::CreateParams& params)
{
    TskSkinCustomControl::CreateParams(params);
    // A quick second click is a second press, not a double-click.
    params.double_clicks = false;
}

void TskSkinButton::CreateWnd()
{
    TskSkinCustomControl::CreateWnd();
    active_default_ = default_;
}

LResult TskSkinButton::WndProc(Message& m)
{
    switch (m.msg) {
    case WM_LBUTTONDOWN:
        if (can_focused_ && !FocusForPress())
            return 0;
        break;
    case WM_LBUTTONUP:
        return LeftRelease(m);
    case WM_TIMER:
        OnTimer(static_cast<std::uintptr_t>(m.wparam));
        return 0;
    case WM_ERASEBKGND:
        // Asked for its background from outside a paint (a transparent
        // child capturing what lies behind it): the whole picture.
        if (!Painting() && m.wparam && Width() > 0 && Height() > 0) {
            FetchSkinObject();
            int w = Width(), h = Height();
            FitSizeToSkin(w, h);
            PaintOffscreen(message_canvas(m));
        }
        return 1;
    case CM_FOCUSCHANGED:
        FocusMoved(message_focused_control(m));
        return 0;
    case CM_DIALOGKEY:
        return DialogKey(static_cast<int>(m.wparam)) ? 1 : 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED: {
        std::shared_ptr<bool> alive = alive_;
        const bool pressed = MousePressed();
        const LResult r = TskSkinCustomControl::WndProc(m);
        if (*alive && pressed && !MousePressed())
            EndPress();
        return r;
    }
    default:
        break;
    }
    return TskSkinCustomControl::WndProc(m);
}

// ---- TskSkinButton: painting --------------------------------------------------------------------

void TskSkinButton::PaintSkinned(Bitmap& bitmap)
{
    const ButtonLook look = ChooseButtonLook(skin_.looks, LookState());
    if (!look.morph) {
        PaintStateImage(bitmap, look.source, look.down, look.active);
        return;
    }
    PaintStateImage(bitmap, look.morph_normal, false, false);
    Bitmap active(bitmap.width(), bitmap.height());
    PaintStateImage(active, look.morph_active, false, true);
    MorphBlend(bitmap, active, morph_.factor(), skin_.morph_kind);
}

void TskSkinButton::PaintStateImage(Bitmap& bitmap, const Rect& rect, bool down, bool active)
{
    Canvas canvas(bitmap);
    const Rect area = ComposeButtonLook(canvas, Picture(), rect, Geometry(), Fit(), use_skin_size_, bitmap.size());
    canvas.font() = CurrentFont();
    canvas.set_text_color(
        ButtonCaptionColor(skin_.colors, Enabled(), use_skin_font_color_, DefaultFont().GetColor(), down, active));

    if (skin_.show_focus && FocusedLook() && SkinData()) {
        canvas.brush().color = SkinData()->SkinColors.cbtnface;
        canvas.draw_focus_rect(area);
    }
    if (DoPaint(canvas, area, down, active))
        DrawGlyphAndCaption(canvas, area, down, active);
}

void TskSkinButton::PaintUnskinned(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    const Rect r = Rect::from_size(bitmap.size());
    const bool down = DrawnDown();
    const bool mouse_in = MouseIn();
    PaintPlainButton(canvas, r, down, mouse_in || FocusedLook(), false);
    canvas.font() = CurrentFont();
    canvas.set_text_color(Enabled() ? DefaultFont().GetColor() : clBtnShadow);
    if (DoPaint(canvas, r, down, mouse_in))
        DrawGlyphAndCaption(canvas, r, down, mouse_in);
}

bool TskSkinButton::DoPaint(Canvas& canvas, const Rect& area, bool down, bool mouse_in)
{
    bool draw_default = true;
    if (TskButtonPaintEvent handler = OnPaint)
        handler(this, canvas, area, down, mouse_in, draw_default);
    return draw_default;
}

void TskSkinButton::DrawGlyphAndCaption(Canvas& canvas, const Rect& area, bool down, bool active)
{
    ButtonImage image;
    if (HoldsImage(ImageList()))
        image = {ImageList(), ImageIndex(), Enabled()};
    else if (!Glyph().empty())
        image = StripImage(down, active, Enabled());
    DrawGlyphFace(canvas, area, image, Caption(), down);
}

// ---- TskSkinXFormButton ----------------------------------------------------------------------

TskSkinXFormButton::TskSkinXFormButton(TComponent* owner) : TskSkinButton(owner)
{
    SetCanFocused(false);
}

void TskSkinXFormButton::SetDefImage(const Bitmap& image)
{
    def_image_ = image;
    DefaultWidth = image.width();
    DefaultHeight = image.height();
    SetBounds(Left(), Top(), Width(), Height());
    UpdateWindowRegion();
    Invalidate();
}

void TskSkinXFormButton::SetDefActiveImage(const Bitmap& image)
{
    def_active_image_ = image;
    Invalidate();
}

void TskSkinXFormButton::SetDefDownImage(const Bitmap& image)
{
    def_down_image_ = image;
    Invalidate();
}

void TskSkinXFormButton::SetDefMask(const Bitmap& mask)
{
    def_mask_ = mask;
    UpdateWindowRegion();
}

void TskSkinXFormButton::SetBounds(int left, int top, int width, int height)
{
    FetchSkinObject();
    if (UsesDefImages()) {
        width = def_image_.width();
        height = def_image_.height();
    }
    TskSkinButton::SetBounds(left, top, width, height);
}

void TskSkinXFormButton::UpdateWindowRegion()
{
    Window* w = WindowHandle();
    if (UsesDefImages()) {
        if (!w || !Parent())
            return;
        if (def_mask_.empty()) {
            w->set_region(nullptr);
        } else {
            const Region region = Region::from_mask(def_mask_);
            w->set_region(&region, true);
        }
        def_region_ = true;
        return;
    }
    if (def_region_ && w)
        w->set_region(nullptr);
    def_region_ = false;
    TskSkinButton::UpdateWindowRegion();
}

void TskSkinXFormButton::PaintUnskinned(Bitmap& bitmap)
{
    if (!UsesDefImages()) {
        TskSkinButton::PaintUnskinned(bitmap);
        return;
    }
    Canvas canvas(bitmap);
    const bool down = DrawnDown();
    const bool hot = MouseIn() || FocusedLook();
    const Bitmap* image = &def_image_;
    if (down && !def_down_image_.empty())
        image = &def_down_image_;
    else if (hot && !def_active_image_.empty())
        image = &def_active_image_;
    canvas.draw({0, 0}, *image);
    canvas.font() = CurrentFont();
    canvas.set_text_color(down ? DefDownFontColor : hot ? DefActiveFontColor : DefaultFont().GetColor());
    DrawGlyphAndCaption(canvas, Rect::from_size(bitmap.size()), down, MouseIn());
}

} // namespace lt
