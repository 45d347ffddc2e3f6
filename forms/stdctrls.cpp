#include "forms/stdctrls.h"

#include "forms/forms.h"
#include "gfx/draw_text.h"

namespace lt {

// ---- TLabel ----

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    TControl::SetBounds(0, 0, 65, 17);
}

unsigned TLabel::text_flags() const
{
    unsigned flags = DT_EXPANDTABS;
    if (WordWrap)
        flags |= DT_WORDBREAK;
    if (!ShowAccelChar)
        flags |= DT_NOPREFIX;
    if (Alignment == TAlignment::taCenter)
        flags |= DT_CENTER;
    else if (Alignment == TAlignment::taRightJustify)
        flags |= DT_RIGHT;
    return flags;
}

void TLabel::adjust_size()
{
    if (!auto_size_)
        return;
    Bitmap scratch(1, 1);
    Canvas canvas(scratch);
    canvas.font() = Font().Desc();
    // An empty caption is measured as one blank so the label keeps a height.
    std::string text = GetText().empty() ? std::string(" ") : GetText();
    Rect r = measure_text(canvas, text, Rect{0, 0, WordWrap ? Width() : 32767, 32767}, text_flags());
    SetBounds(Left(), Top(), WordWrap ? Width() : r.width(), r.height());
}

void TLabel::SetAutoSize(bool on)
{
    auto_size_ = on;
    adjust_size();
}

void TLabel::SetText(const std::string& s)
{
    TGraphicControl::SetText(s);
    adjust_size();
}

void TLabel::FontChanged()
{
    adjust_size();
    Invalidate();
}

void TLabel::Paint()
{
    Canvas& c = *GetCanvas();
    Rect r{0, 0, Width(), Height()};
    if (!Transparent)
        c.fill_rect(r, GetColor());
    c.set_bk_mode(BkMode::Transparent);
    if (Enabled()) {
        c.set_text_color(Font().GetColor());
        draw_text(c, GetText(), r, text_flags());
    } else {
        draw_text_disabled(c, GetText(), r, text_flags());
    }
}

// ---- TButton ----

TButton::TButton(TComponent* owner) : TCustomControl(owner)
{
    TControl::SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(lt::CreateParams& p)
{
    TCustomControl::CreateParams(p);
    // A quick second click is a second press and click, not a double-click.
    p.double_clicks = false;
}

void TButton::Click()
{
    std::shared_ptr<bool> alive = alive_;
    if (ModalResult != 0)
        if (TCustomForm* form = GetParentForm())
            form->SetModalResult(ModalResult);
    if (*alive)
        TCustomControl::Click();
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && CanFocus() && !Focused())
        SetFocus();
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::KeyDown(int& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        key = 0;
        FeedPress(&ButtonBehavior::on_key_down);
    } else if (key == VK_RETURN) {
        key = 0;
        Click();
    }
}

void TButton::KeyUp(int& key, TShiftState shift)
{
    std::shared_ptr<bool> alive = alive_;
    TCustomControl::KeyUp(key, shift);
    if (*alive && key == VK_SPACE && FeedPress(&ButtonBehavior::on_key_up))
        Click();
}

void TButton::DoEnter()
{
    Invalidate();
    TCustomControl::DoEnter();
}

void TButton::DoExit()
{
    // Losing the focus takes a press away, mouse or key.
    FeedPress(&ButtonBehavior::on_cancel);
    Invalidate();
    TCustomControl::DoExit();
}

void TButton::Paint()
{
    Canvas& c = *GetCanvas();
    Rect r{0, 0, Width(), Height()};
    c.fill_rect(r, clBtnFace);
    if (Default || Focused())
        r = c.frame3d(r, clWindowFrame, clWindowFrame);
    const bool down = press_.down();
    if (down) {
        c.frame_rect(r, clBtnShadow);
    } else {
        r = c.frame3d(r, clBtnHighlight, cl3DDkShadow);
        c.frame3d(r, clBtnFace, clBtnShadow);
    }
    Rect text{0, 0, Width(), Height()};
    if (down)
        text = text.offset(1, 1);
    c.set_bk_mode(BkMode::Transparent);
    unsigned flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (Enabled()) {
        c.set_text_color(clBtnText);
        draw_text(c, GetText(), text, flags);
    } else {
        draw_text_disabled(c, GetText(), text, flags);
    }
    if (Focused()) {
        c.brush().color = clWhite;
        c.draw_focus_rect(Rect{4, 4, Width() - 4, Height() - 4});
    }
}

// ---- TPanel ----

TPanel::TPanel(TComponent* owner) : TCustomControl(owner)
{
    TControl::SetBounds(0, 0, 185, 41);
}

Rect TPanel::AlignRect() const
{
    Rect r = ClientRect();
    return BevelOuter == TBevelCut::bvNone ? r : r.inflated(-1, -1);
}

void TPanel::Paint()
{
    Canvas& c = *GetCanvas();
    Rect r{0, 0, Width(), Height()};
    c.fill_rect(r, GetColor());
    if (BevelOuter == TBevelCut::bvRaised)
        r = c.frame3d(r, clBtnHighlight, clBtnShadow);
    else if (BevelOuter == TBevelCut::bvLowered)
        r = c.frame3d(r, clBtnShadow, clBtnHighlight);
    if (GetText().empty())
        return;
    c.set_bk_mode(BkMode::Transparent);
    c.set_text_color(Font().GetColor());
    unsigned flags = DT_SINGLELINE | DT_VCENTER |
        (Alignment == TAlignment::taCenter                ? DT_CENTER
                : Alignment == TAlignment::taRightJustify ? DT_RIGHT
                                                          : DT_LEFT);
    draw_text(c, GetText(), r, flags);
}

} // namespace lt
