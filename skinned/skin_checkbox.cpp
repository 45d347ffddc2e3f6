// The skinned check box and radio box: the choice of the mark, the state
// transitions, the mouse, keys and focus, and the flat and framed looks.

#include "skinned/skin_checkbox.h"

#include <algorithm>
#include <array>

#include "gfx/draw_text.h"
#include "platform/desktop.h"

namespace lt {

// ---- Check images --------------------------------------------------------------

CheckImage ChooseCheckImage(const CheckImageLooks& looks, bool enabled, bool pointer_over, TCheckBoxState state)
{
    const bool checked = state != cbUnchecked;
    Rect row;
    if (enabled && pointer_over)
        row = checked ? looks.active_check : looks.active_uncheck;
    else if (enabled)
        row = checked ? looks.check : looks.uncheck;
    else
        row = checked ? looks.disabled_check : looks.disabled_uncheck;
    if (state != cbGrayed)
        return {row, false};
    if (looks.grayed.empty())
        return {row, true};
    if (pointer_over && !looks.active_grayed.empty())
        return {looks.active_grayed, false};
    return {looks.grayed, false};
}

Bitmap LightenedImage(const Bitmap& picture, const Rect& r)
{
    Bitmap image = picture.copy(r);
    // c' = round(c / 2 + 255 / 2), which is (c + 256) div 2 for whole c.
    auto half_to_white = [](unsigned c) { return (c + 256u) / 2u; };
    for (int y = 0; y < image.height(); ++y) {
        Pixel* row = image.row(y);
        for (int x = 0; x < image.width(); ++x)
            row[x] = make_pixel(half_to_white(pixel_red(row[x])), half_to_white(pixel_green(row[x])),
                half_to_white(pixel_blue(row[x])));
    }
    return image;
}

// ---- TskSkinCheckRadioBox: properties and transitions ------------------------------

TskSkinCheckRadioBox::TskSkinCheckRadioBox(TComponent* owner) : TskSkinCustomControl(owner)
{
    SetSkinDataName("checkbox");
    TskSkinCustomControl::SetBounds(0, 0, 150, 25);
}

TskSkinCheckRadioBox::~TskSkinCheckRadioBox()
{
    morph_.stop(WindowHandle());
}

void TskSkinCheckRadioBox::StoreChecked(bool on)
{
    checked_ = on;
    // Unchecking a grey box leaves it grey.
    if (on || state_ == cbChecked)
        state_ = on ? cbChecked : cbUnchecked;
    Invalidate();
    if (!on || GroupIndex == 0 || !Parent())
        return;
    // Unchecking the others may run their handlers, which may change the
    // parent's children: walk a snapshot and stop if this box goes.
    std::vector<TskSkinCheckRadioBox*> group;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TskSkinCheckRadioBox*>(Parent()->Controls(i));
        if (other && other != this && other->GroupIndex == GroupIndex && other->checked_)
            group.push_back(other);
    }
    std::shared_ptr<bool> alive = alive_;
    for (TskSkinCheckRadioBox* other : group) {
        if (!*alive || !Parent())
            return;
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (Parent()->Controls(i) == other) {
                other->SetChecked(false);
                break;
            }
    }
}

void TskSkinCheckRadioBox::SetChecked(bool on)
{
    const bool was = checked_;
    std::shared_ptr<bool> alive = alive_;
    StoreChecked(on);
    if (*alive && (!radio_ || (on && !was)))
        Click();
}

void TskSkinCheckRadioBox::SetState(TCheckBoxState state)
{
    state_ = state;
    std::shared_ptr<bool> alive = alive_;
    StoreChecked(state == cbChecked);
    if (*alive)
        Click();
}

void TskSkinCheckRadioBox::Toggle()
{
    if (!radio_)
        SetChecked(!checked_);
    else if (!checked_)
        SetChecked(true);
}

void TskSkinCheckRadioBox::SetRadio(bool on)
{
    radio_ = on;
    Invalidate();
}

void TskSkinCheckRadioBox::SetFlat(bool on)
{
    if (on == flat_)
        return;
    flat_ = on;
    morph_.stop(WindowHandle());
    morph_.set_factor(0.0);
    ApplySkin();
}

void TskSkinCheckRadioBox::SetWordWrap(bool on)
{
    word_wrap_ = on;
    Invalidate();
}

void TskSkinCheckRadioBox::SetUseSkinFontColor(bool on)
{
    use_skin_font_color_ = on;
    Invalidate();
}

void TskSkinCheckRadioBox::SetCanFocused(bool on)
{
    can_focused_ = on;
    SetTabStop(on);
}

void TskSkinCheckRadioBox::SetImages(TCustomImageList* images)
{
    images_.Set(images);
    Invalidate();
}

void TskSkinCheckRadioBox::SetImageIndex(int index)
{
    images_.index = index;
    Invalidate();
}

void TskSkinCheckRadioBox::Notification(TComponent* component, TOperation operation)
{
    TskSkinCustomControl::Notification(component, operation);
    if (images_.Dropped(component, operation))
        Invalidate();
}

// ---- TskSkinCheckRadioBox: skin and size ---------------------------------------------

bool TskSkinCheckRadioBox::Morphing() const
{
    const TskSkinData* data = SkinData();
    return !flat_ && skin_morphing_ && Skinned() && data && !data->Empty && data->EnableSkinEffects;
}

void TskSkinCheckRadioBox::FetchSkinObject()
{
    TskSkinCustomControl::FetchSkinObject();
    marks_ = {};
    active_look_ = Geometry().skinrect;
    check_area_ = text_area_ = {};
    font_color_ = active_font_color_ = disabled_font_color_ = flat_font_color_ = 0;
    skin_morphing_ = false;
    morph_kind_ = mkDefault;
    const auto* o = dynamic_cast<const TskDataSkinCheckRadioControl*>(SkinObject());
    if (!o)
        return;
    TakeSkinFont(*o);
    font_color_ = o->fontcolor;
    active_font_color_ = o->activefontcolor;
    disabled_font_color_ = o->unenabledfontcolor;
    flat_font_color_ = o->framefontcolor;
    if (!o->activeskinrect.empty())
        active_look_ = o->activeskinrect;
    check_area_ = o->checkimagearea;
    text_area_ = o->textarea;
    auto or_else = [](const Rect& r, const Rect& fallback) { return r.empty() ? fallback : r; };
    marks_.check = o->checkimagerect;
    marks_.uncheck = o->uncheckimagerect;
    marks_.active_check = or_else(o->activecheckimagerect, o->checkimagerect);
    marks_.active_uncheck = or_else(o->activeuncheckimagerect, o->uncheckimagerect);
    marks_.disabled_check = or_else(o->unenabledcheckimagerect, o->checkimagerect);
    marks_.disabled_uncheck = or_else(o->unenableduncheckimagerect, o->uncheckimagerect);
    marks_.grayed = o->grayedcheckimagerect;
    marks_.active_grayed = o->activegrayedcheckimagerect;
    skin_morphing_ = o->morphing;
    morph_kind_ = o->morphkind;
}

void TskSkinCheckRadioBox::ApplySkin()
{
    morph_.stop(WindowHandle());
    morph_.set_factor(0.0);
    TskSkinCustomControl::ApplySkin();
    if (Morphing() && (MouseIn() || Focused()))
        morph_.set_factor(1.0);
}

void TskSkinCheckRadioBox::FitSizeToSkin(int& width, int& height)
{
    FitOrKeepSize(!flat_, width, height, [this](int& w, int& h) { TskSkinCustomControl::FitSizeToSkin(w, h); });
}

void TskSkinCheckRadioBox::UpdateWindowRegion()
{
    if (flat_) {
        if (Window* w = WindowHandle(); w && w->region())
            w->set_region(nullptr);
        return;
    }
    TskSkinCustomControl::UpdateWindowRegion();
}

void TskSkinCheckRadioBox::SetBounds(int left, int top, int width, int height)
{
    const Rect before = BoundsRect();
    TskSkinCustomControl::SetBounds(left, top, width, height);
    // What shows through a flat box changes when it moves.
    if (flat_ && BoundsRect() != before)
        Invalidate();
}

void TskSkinCheckRadioBox::ParentBackgroundChanged()
{
    if (flat_)
        Invalidate();
}

void TskSkinCheckRadioBox::SetEnabled(bool on)
{
    if (on != Enabled()) {
        morph_.stop(WindowHandle());
        morph_.set_factor(0.0);
    }
    TskSkinCustomControl::SetEnabled(on);
}

void TskSkinCheckRadioBox::SetVisible(bool on)
{
    if (!on)
        morph_.stop(WindowHandle());
    TskSkinCustomControl::SetVisible(on);
}

// ---- TskSkinCheckRadioBox: mouse, keys, focus ----------------------------------------------

void TskSkinCheckRadioBox::Redraw()
{
    if (!Morphing() || !morph_.start(WindowHandle()))
        Invalidate();
}

void TskSkinCheckRadioBox::PressChanged()
{
    Redraw();
}

void TskSkinCheckRadioBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    // Any button pressed over the box makes it hot before OnMouseDown.
    if (button != TMouseButton::mbLeft)
        FeedPress([](ButtonBehavior& b) { b.on_move(true); });
    TskSkinCustomControl::MouseDown(button, shift, x, y);
}

LResult TskSkinCheckRadioBox::LeftRelease(Message& m)
{
    const Point p = lparam_point(m.lparam);
    const bool inside = ClientRect().contains(p);
    std::shared_ptr<bool> alive = alive_;
    Window* w = WindowHandle();
    const bool clicked = FeedPress([inside](ButtonBehavior& b) { return b.on_release(inside); });
    if (w && w->has_capture())
        w->desktop().release_capture();
    if (!*alive)
        return 0;
    MouseUp(TMouseButton::mbLeft, ShiftFromMouseFlags(m.wparam), p.x, p.y);
    if (!*alive || !clicked)
        return 0;
    if (AllowGrayed && !radio_ && state_ == cbUnchecked) {
        state_ = cbGrayed;
        checked_ = false;
        Invalidate();
        Click();
    } else {
        Toggle();
    }
    return 0;
}

void TskSkinCheckRadioBox::KeyUp(int& key, TShiftState shift)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::KeyUp(key, shift);
    if (*alive && key == VK_SPACE && can_focused_ && Focused())
        Toggle();
}

void TskSkinCheckRadioBox::DoEnter()
{
    Redraw();
    TskSkinCustomControl::DoEnter();
}

void TskSkinCheckRadioBox::DoExit()
{
    Redraw();
    TskSkinCustomControl::DoExit();
}

void TskSkinCheckRadioBox::CreateParams(lt::CreateParams& params)
{
    TskSkinCustomControl::CreateParams(params);
    params.double_clicks = false;
}

LResult TskSkinCheckRadioBox::WndProc(Message& m)
{
    switch (m.msg) {
    case WM_LBUTTONDOWN:
        if (can_focused_ && !FocusForPress())
            return 0;
        break;
    case WM_LBUTTONUP:
        return LeftRelease(m);
    case WM_TIMER:
        if (morph_.tick(WindowHandle(), static_cast<std::uintptr_t>(m.wparam), MouseIn() || Focused()))
            Invalidate();
        return 0;
    default:
        break;
    }
    return TskSkinCustomControl::WndProc(m);
}

// ---- TskSkinCheckRadioBox: painting ------------------------------------------------------------

Rect TskSkinCheckRadioBox::MarkRect() const
{
    const int H = Height();
    if (!Skinned())
        return {3, H / 2 - 7, 17, H / 2 + 7};
    const Size mark = marks_.check.size();
    if (flat_)
        return Rect::from_xywh(3, H / 2 - mark.height / 2, mark.width, mark.height);
    // The mark area moves with the width when the text area lies left of it.
    const int dw = Width() - Geometry().skin_size().width;
    Rect area = check_area_;
    if (text_area_.right <= check_area_.left)
        area = area.offset(dw, 0);
    return Rect::from_xywh(area.left + area.width() / 2 - mark.width / 2,
        area.top + area.height() / 2 - mark.height / 2, mark.width, mark.height);
}

void TskSkinCheckRadioBox::DrawMark(Canvas& canvas, Point at, const CheckImage& image) const
{
    const Bitmap* picture = Picture();
    if (!picture || image.source.empty())
        return;
    // Transparent where the mark has the colour of its lower-left pixel.
    if (image.lighten)
        canvas.draw_transparent(at, LightenedImage(*picture, image.source));
    else
        canvas.draw_transparent(at, *picture, image.source);
}

void TskSkinCheckRadioBox::PaintSkinned(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    const CheckImage mark = ChooseCheckImage(marks_, Enabled(), MouseIn(), state_);
    const Rect at = MarkRect();
    if (flat_) {
        PaintParentBackground(*this, canvas);
        DrawMark(canvas, at.top_left(), mark);
        canvas.font() = CurrentFont();
        Color color = flat_font_color_;
        if (!Enabled())
            color = disabled_font_color_;
        else if (!use_skin_font_color_)
            color = DefaultFont().GetColor();
        canvas.set_text_color(color);
        const Color focus = SkinData() ? SkinData()->SkinColors.cbtnface : clBtnFace;
        PaintFlatCaption(canvas, marks_.check.width() + 7, 8, focus, at);
        return;
    }
    if (const Bitmap* picture = Picture())
        PaintFramed(canvas, *picture);
    DrawMark(canvas, at.top_left(), mark);
    const bool hot = MouseIn() || Focused();
    canvas.font() = CurrentFont();
    canvas.set_text_color(!Enabled() ? disabled_font_color_ : hot ? active_font_color_ : font_color_);
    canvas.set_bk_mode(BkMode::Transparent);
    Rect text = text_area_;
    text.right += Width() - Geometry().skin_size().width;
    draw_text(canvas, Caption(), text, DT_SINGLELINE | DT_VCENTER);
}

void TskSkinCheckRadioBox::PaintFramed(Canvas& canvas, const Bitmap& picture)
{
    const SkinGeometry& g = Geometry();
    const double f = morph_.factor();
    if (Morphing() && f > 0.0 && f < 1.0 && Enabled()) {
        ComposeSkin(canvas, picture, g.skinrect, g, Fit());
        Bitmap active(canvas.bitmap().width(), canvas.bitmap().height());
        Canvas active_canvas(active);
        ComposeSkin(active_canvas, picture, active_look_, g, Fit());
        MorphBlend(canvas.bitmap(), active, f, morph_kind_);
        return;
    }
    const bool hot = MouseIn() || Focused() || (Morphing() && f >= 1.0);
    ComposeSkin(canvas, picture, hot ? active_look_ : g.skinrect, g, Fit());
}

void TskSkinCheckRadioBox::PaintUnskinned(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    const int W = Width(), H = Height();
    canvas.font() = CurrentFont();
    canvas.set_text_color(Enabled() ? DefaultFont().GetColor() : clBtnShadow);
    if (flat_) {
        PaintParentBackground(*this, canvas);
        PaintUnskinnedMark(canvas, MouseIn());
        PaintFlatCaption(canvas, 22, 5, clBtnFace, MarkRect());
        return;
    }
    canvas.fill_rect({0, 0, W, H}, clBtnFace);
    if (MouseIn() || Focused())
        canvas.frame_rect({0, 0, W, H}, clBtnShadow);
    PaintUnskinnedMark(canvas, MouseIn());
    canvas.set_bk_mode(BkMode::Transparent);
    Rect text{19, 0, W, H};
    draw_text(canvas, Caption(), text, DT_SINGLELINE | DT_VCENTER);
}

void TskSkinCheckRadioBox::PaintUnskinnedMark(Canvas& canvas, bool hot_frame)
{
    const int H = Height();
    canvas.frame_rect(MarkRect(), hot_frame ? clNavy : clBtnShadow);
    // The tick at (x, y): three one-pixel polylines, each a row higher.
    auto tick = [&canvas](int x, int y, Color color) {
        CanvasSaver keep(canvas);
        canvas.pen().color = color;
        for (int i = 0; i < 3; ++i) {
            const std::array<Point, 3> line{Point{x, y + 5 - i}, Point{x + 2, y + 7 - i}, Point{x + 7, y + 2 - i}};
            canvas.polyline(line);
        }
    };
    const Color ink = Enabled() ? clBlack : clBtnShadow;
    if (state_ == cbGrayed)
        tick(7, H / 2 - 4, clGrayText);
    else if (checked_ && radio_)
        canvas.fill_rect(Rect::from_xywh(7, H / 2 - 3, 6, 6), ink);
    else if (checked_)
        tick(7, H / 2 - 4, ink);
}

void TskSkinCheckRadioBox::PaintFlatCaption(Canvas& canvas, int x, int gap, Color focus_brush, const Rect& mark)
{
    const int W = Width(), H = Height();
    if (const TCustomImageList* images = images_.List(); images_.Holds(images)) {
        images->Draw(canvas, x, H / 2 - images->Height() / 2, images_.index, Enabled());
        x += images->Width() + gap;
    }
    const std::string& caption = Caption();
    Rect text;
    canvas.set_bk_mode(BkMode::Transparent);
    if (!caption.empty() && !word_wrap_) {
        const Size size = measure_text(canvas, caption, {0, 0, W, H}, DT_CALCRECT | DT_SINGLELINE).size();
        const int y = H / 2 - size.height / 2;
        text = {x, y, std::min(x + size.width, W - 2), y + size.height};
        Rect cell = text;
        draw_text(canvas, caption, cell, DT_SINGLELINE | DT_VCENTER);
    } else if (!caption.empty()) {
        const Size size =
            measure_text(canvas, caption, {x, 0, W, H}, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS).size();
        const int y = std::max(0, H / 2 - size.height / 2);
        text = {x, y, x + size.width, y + size.height};
        Rect cell = text;
        draw_text(canvas, caption, cell, DT_WORDBREAK | DT_EXPANDTABS);
    }
    if (!Focused())
        return;
    canvas.brush().color = focus_brush;
    canvas.draw_focus_rect(
        caption.empty() ? mark.inflated(1, 1) : Rect{text.left - 2, text.top - 1, text.right + 3, text.bottom + 1});
}

} // namespace lt
