// The skinned drop-down list: the areas and looks of the closed box, the
// popup list, then the box's behaviour (the current row, opening and
// closing, the mouse while open, keys, wheel, type-ahead) and last its
// painting, which reads the state and changes nothing.

#include "skinned/skin_combobox.h"

#include <algorithm>

#include "forms/cp936_chars.h"
#include "forms/forms.h"
#include "gfx/draw_text.h"
#include "platform/desktop.h"
#include "platform/window.h"
#include "skinned/skin_scrollbar.h"

namespace lt {

// ---- areas and looks ------------------------------------------------------------

ComboBoxAreas ComboAreas(const TskDataSkinComboBox* o, Size size)
{
    ComboBoxAreas a;
    if (!o) {
        a.button = {size.width - 19, 2, size.width - 2, size.height - 2};
        a.item = {2, 2, a.button.left, size.height - 2};
        return a;
    }
    const int sw = o->skinrect.width();
    const int grow = size.width - sw;
    a.item = o->clientrect;
    a.item.right += grow;
    a.button = o->buttonrect;
    if (a.button.left >= sw - o->righttoppoint.x)
        a.button = a.button.offset(grow, 0);
    return a;
}

Rect ComboButtonImage(const TskDataSkinComboBox& o, bool enabled, bool pressed, bool over_button)
{
    if (!enabled)
        return o.unenabledbuttonrect;
    if (pressed && over_button)
        return o.downbuttonrect;
    if (over_button)
        return o.activebuttonrect;
    return {};
}

// ---- TskPopupListBox ------------------------------------------------------------

TskPopupListBox::TskPopupListBox(TskSkinComboBox& combo) : TskSkinCustomListBox(&combo), combo_(&combo)
{
    TskSkinCustomControl::SetVisible(false);
    SetMultiSelect(false);
    // The box is the one that types: no row search of the list's own.
    AutoComplete = false;
}

TskPopupListBox::~TskPopupListBox()
{
    combo_ = nullptr;
}

int TskPopupListBox::HeightForRows(int rows) const
{
    const Rect area = ListArea();
    const int frame = Height() - area.height();
    const int caption = CaptionRect().height();
    return rows * ItemHeight() + frame + caption;
}

void TskPopupListBox::CreateParams(lt::CreateParams& p)
{
    TskSkinCustomListBox::CreateParams(p);
    p.parent = nullptr;
    p.popup = true;
    p.tab_stop = false;
    p.visible = false;
    TCustomForm* form = combo_ ? combo_->GetParentForm() : nullptr;
    p.owner = form ? form->Handle() : nullptr;
}

LResult TskPopupListBox::WndProc(Message& m)
{
    if (m.msg == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return TskSkinCustomListBox::WndProc(m);
}

void TskPopupListBox::ScrollBarCreated(TskSkinScrollBar& bar)
{
    bar.OnMouseUp = [this](TComponent*, TMouseButton, TShiftState, int, int) {
        if (combo_)
            combo_->ScrollBarReleased();
    };
}

// ---- TskSkinComboBox: the current row ----------------------------------------------

TskSkinComboBox::TskSkinComboBox(TComponent* owner) : TskSkinCustomControl(owner)
{
    TskSkinControl::SetSkinDataName("combobox");
    SetTabStop(true);
    SetColor(clWindow);
    TskSkinCustomControl::SetBounds(0, 0, 120, 20);
    popup_ = new TskPopupListBox(*this);
}

TskSkinComboBox::~TskSkinComboBox()
{
    if (open_) {
        open_ = false;
        popup_->Hide();
    }
    popup_->combo_ = nullptr;
}

bool TskSkinComboBox::ChangeText(const std::string& text)
{
    if (text == text_)
        return true;
    text_ = text;
    Invalidate();
    std::shared_ptr<bool> alive = alive_;
    if (TNotifyEvent handler = OnChange)
        handler(this);
    return *alive;
}

void TskSkinComboBox::SetItemIndex(int index)
{
    popup_->SetItemIndex(index);
    if (index >= 0 && index < Count() && !ChangeText(Items().Strings(index)))
        return;
    Invalidate();
    if (TNotifyEvent handler = OnClick)
        handler(this);
}

void TskSkinComboBox::SetDropDownCount(int count)
{
    if (count > 0)
        drop_down_count_ = count;
}

void TskSkinComboBox::SetUseSkinSize(bool on)
{
    if (on == use_skin_size_)
        return;
    use_skin_size_ = on;
    if (on && SkinData() && !SkinData()->Empty)
        ApplySkin();
}

std::string TskSkinComboBox::ShownText() const
{
    const int row = open_ ? opened_row_ : ItemIndex();
    if (row >= 0 && row < Count())
        return Items().Strings(row);
    return open_ ? std::string() : text_;
}

// ---- opening and closing ---------------------------------------------------------------

void TskSkinComboBox::DropDown()
{
    if (open_ || Count() == 0 || !Showing())
        return;
    std::shared_ptr<bool> alive = alive_;
    if (TNotifyEvent handler = OnDropDown) {
        handler(this);
        if (!*alive || open_ || Count() == 0)
            return;
    }
    Desktop* desktop = Desktop::current();
    Window* window = popup_->Handle();
    if (!desktop || !window)
        return;
    popup_->SetSkinDataName(object_ && !object_->listboxname.empty() ? object_->listboxname : "listbox");
    popup_->SetSkinData(SkinData());
    const int rows = std::min(Count(), drop_down_count_);
    const int width = ListBoxWidth > 0 ? ListBoxWidth : Width();
    const int height = popup_->HeightForRows(rows);
    const Rect work = desktop->work_area();
    Point at = ClientToScreen({0, Height()});
    if (at.y + height > work.bottom)
        at.y = ClientToScreen({0, 0}).y - height;
    opened_row_ = ItemIndex();
    popup_->SetBounds(at.x, at.y, width, height);
    popup_->SetTopIndex(std::max(opened_row_, 0));
    open_ = true;
    entered_ = false;
    popup_->Show();
    window->bring_to_front();
    TakeCapture();
    Invalidate();
}

void TskSkinComboBox::CloseUp(bool accept)
{
    if (!open_)
        return;
    open_ = false;
    tracking_ = entered_ = pressed_ = handing_over_ = false;
    SetAutoScroll(0);
    popup_->Hide();
    if (Window* w = WindowHandle()) {
        if (w->has_capture())
            w->desktop().release_capture();
        // No move told the box while the pointer was away over the list or
        // elsewhere: where is it now?
        const Point p = ScreenToClient(w->desktop().cursor_pos());
        SetHot(ClientRect().contains(p), Areas().button.contains(p));
    }
    Invalidate();
    const int row = ItemIndex();
    std::shared_ptr<bool> alive = alive_;
    if (accept && row >= 0 && row < Count()) {
        if (!ChangeText(Items().Strings(row)))
            return;
        if (TNotifyEvent handler = OnClick) {
            handler(this);
            if (!*alive)
                return;
        }
        if (TNotifyEvent handler = OnCloseUp)
            handler(this);
        return;
    }
    popup_->SetItemIndex(opened_row_);
    if (opened_row_ >= 0 && opened_row_ < Count())
        ChangeText(Items().Strings(opened_row_));
}

void TskSkinComboBox::TakeCapture()
{
    if (Window* w = WindowHandle(); w && open_ && !w->has_capture())
        w->set_capture();
}

void TskSkinComboBox::ScrollBarReleased()
{
    handing_over_ = false;
    TakeCapture();
}

// ---- the mouse while open ----------------------------------------------------------------

bool TskSkinComboBox::OverList(Point screen) const
{
    return open_ && Rect::from_xywh(popup_->Left(), popup_->Top(), popup_->Width(), popup_->Height()).contains(screen);
}

bool TskSkinComboBox::OverListBar(Point screen) const
{
    TskSkinScrollBar* bar = popup_->VScrollBar();
    if (!open_ || !bar)
        return false;
    const Point p = bar->ScreenToClient(screen);
    return Rect::from_size({bar->Width(), bar->Height()}).contains(p);
}

int TskSkinComboBox::ListRowAt(Point screen) const
{
    if (!open_)
        return -1;
    const TskListBox& inner = popup_->ListBox();
    const Point p = inner.ScreenToClient(screen);
    if (!Rect::from_size({inner.Width(), inner.Height()}).contains(p))
        return -1;
    return popup_->ItemAtPos(p + inner.BoundsRect().top_left());
}

void TskSkinComboBox::TrackRow(int row)
{
    if (row >= 0 && row < Count() && row != ItemIndex())
        popup_->SetItemIndex(row);
}

void TskSkinComboBox::SetAutoScroll(int direction)
{
    if (direction == auto_scroll_)
        return;
    auto_scroll_ = direction;
    if (Window* w = WindowHandle()) {
        if (direction != 0)
            w->set_timer(kAutoScrollTimer, kAutoScrollMs);
        else
            w->kill_timer(kAutoScrollTimer);
    }
}

void TskSkinComboBox::AutoScrollTick()
{
    // A handler may have emptied the rows while the list was open.
    if (!open_ || auto_scroll_ == 0 || Count() == 0) {
        SetAutoScroll(0);
        return;
    }
    const int row = std::clamp(ItemIndex() + auto_scroll_, 0, Count() - 1);
    TrackRow(row);
    if (row == 0 || row == Count() - 1)
        SetAutoScroll(0);
}

void TskSkinComboBox::SetHot(bool hot, bool over_button)
{
    if (hot == hot_ && over_button == button_hot_)
        return;
    hot_ = hot;
    button_hot_ = over_button;
    Invalidate();
}

void TskSkinComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    const Point p{x, y};
    const Point screen = ClientToScreen(p);
    const bool on_box = ClientRect().contains(p);
    if (!open_) {
        if (button == TMouseButton::mbLeft && on_box && Enabled()) {
            if (CanFocus() && !Focused()) {
                SetFocus();
                if (!*alive)
                    return;
            }
            tracking_ = pressed_ = true;
            entered_ = false;
            Invalidate();
            DropDown();
            if (!*alive)
                return;
        }
    } else if (on_box) {
        CloseUp(false);
        if (!*alive)
            return;
    } else if (button == TMouseButton::mbLeft && OverListBar(screen)) {
        // The bar takes this press and the capture with it; it hands the
        // capture back when its button is released.
        TskSkinScrollBar* bar = popup_->VScrollBar();
        if (Window* w = bar->Handle()) {
            handing_over_ = true;
            w->desktop().release_capture();
            w->send(WM_LBUTTONDOWN, w->desktop().mouse_key_flags(), point_lparam(w->screen_to_client(screen)));
        }
        return;
    } else if (OverList(screen)) {
        if (button == TMouseButton::mbLeft) {
            tracking_ = true;
            entered_ = true;
            TrackRow(ListRowAt(screen));
        }
    } else {
        CloseUp(false);
        if (!*alive)
            return;
    }
    TskSkinCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinComboBox::MouseMove(TShiftState shift, int x, int y)
{
    const Point p{x, y};
    const bool on_box = ClientRect().contains(p);
    SetHot(on_box, on_box && Areas().button.contains(p));
    if (open_) {
        const Point screen = ClientToScreen(p);
        const int row = ListRowAt(screen);
        const TskListBox& inner = popup_->ListBox();
        const Point in_list = inner.ScreenToClient(screen);
        if (row >= 0) {
            entered_ = entered_ || tracking_;
            TrackRow(row);
            SetAutoScroll(0);
        } else if (tracking_ && entered_ && popup_->VScrollBar() && in_list.y < 0) {
            SetAutoScroll(-1);
        } else if (tracking_ && entered_ && popup_->VScrollBar() && in_list.y >= inner.Height()) {
            SetAutoScroll(1);
        } else {
            SetAutoScroll(0);
        }
    }
    TskSkinCustomControl::MouseMove(shift, x, y);
}

void TskSkinComboBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    if (button == TMouseButton::mbLeft) {
        const Point screen = ClientToScreen({x, y});
        const bool was_tracking = tracking_;
        tracking_ = false;
        if (pressed_) {
            pressed_ = false;
            Invalidate();
        }
        SetAutoScroll(0);
        if (open_ && was_tracking) {
            if (ListRowAt(screen) >= 0)
                CloseUp(true);
            else if (entered_)
                CloseUp(false);
            if (!*alive)
                return;
        }
    }
    TskSkinCustomControl::MouseUp(button, shift, x, y);
}

void TskSkinComboBox::MouseLeave()
{
    if (!open_)
        SetHot(false, false);
    TskSkinCustomControl::MouseLeave();
}

LResult TskSkinComboBox::WndProc(Message& m)
{
    std::shared_ptr<bool> alive = alive_;
    switch (m.msg) {
    case WM_LBUTTONDBLCLK:
        // A quick second press is a press like the first.
        m.msg = WM_LBUTTONDOWN;
        break;
    case WM_LBUTTONUP: {
        // The framework lets the capture go with the button; an open list
        // takes it straight back.
        handing_over_ = true;
        LResult r = TskSkinCustomControl::WndProc(m);
        if (!*alive)
            return r;
        handing_over_ = false;
        TakeCapture();
        return r;
    }
    case WM_TIMER:
        if (m.wparam == kAutoScrollTimer) {
            AutoScrollTick();
            return 0;
        }
        break;
    case WM_CANCELMODE:
        CloseUp(false);
        break;
    case WM_CAPTURECHANGED: {
        // Someone else took the mouse (not the list's own bar): close.
        if (open_ && !handing_over_ && lparam_window(m) != WindowHandle()) {
            CloseUp(false);
            if (!*alive)
                return 0;
        }
        break;
    }
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<std::int16_t>(hi_word(m.wparam));
        if (delta == 0 || Count() == 0)
            return 0;
        const int row = std::clamp(ItemIndex() + (delta < 0 ? 1 : -1), 0, Count() - 1);
        if (open_)
            TrackRow(row);
        else if (row != ItemIndex())
            SetItemIndex(row);
        return 0;
    }
    default:
        break;
    }
    return TskSkinCustomControl::WndProc(m);
}

// ---- keys --------------------------------------------------------------------------------

LResult TskSkinComboBox::DialogCode() const
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (open_ ? DLGC_WANTALLKEYS : 0);
}

void TskSkinComboBox::KeyDown(int& key, TShiftState shift)
{
    eat_char_ = false;
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::KeyDown(key, shift);
    if (!*alive || key == 0)
        return;
    const bool alt = shift & ssAlt;
    const int n = Count();
    const int current = ItemIndex();
    auto select = [&](int row) {
        key = 0;
        if (n > 0)
            SetItemIndex(std::clamp(row, 0, n - 1));
    };
    switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
        if (open_) {
            const bool accept = key == VK_RETURN;
            key = 0;
            eat_char_ = true;
            CloseUp(accept);
        }
        return;
    case VK_UP:
    case VK_LEFT:
        if (alt) {
            key = 0;
            CloseUp(false);
        } else {
            select(current - 1);
        }
        return;
    case VK_DOWN:
    case VK_RIGHT:
        if (alt) {
            key = 0;
            DropDown();
        } else {
            select(current < 0 ? 0 : current + 1);
        }
        return;
    case VK_PRIOR:
        select(current - (drop_down_count_ + 1));
        return;
    case VK_NEXT:
        select(current + drop_down_count_ - 1);
        return;
    default:
        return;
    }
}

void TskSkinComboBox::KeyPress(char& key)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::KeyPress(key);
    if (!*alive || key == 0)
        return;
    const auto c = static_cast<unsigned char>(key);
    if (eat_char_ && (c == '\r' || c == 0x1B)) {
        eat_char_ = false;
        key = 0;
        return;
    }
    if (!AutoComplete || c < 0x20)
        return;
    key = 0;
    Desktop* desktop = Desktop::current();
    if (!search_.Feed(c, desktop ? desktop->loop().now_ms() : 0))
        return;
    const std::string& text = search_.Text();
    int row = -1;
    if (cp936::next_boundary(text, 0) == text.size()) {
        // One character: the next row after the current one, round again
        // from the top.
        row = popup_->FindPrefix(text, ItemIndex() + 1);
        if (row < 0)
            row = popup_->FindPrefix(text, 0);
    } else {
        row = popup_->FindPrefix(text, 0);
    }
    if (row >= 0)
        SetItemIndex(row);
}

void TskSkinComboBox::DoEnter()
{
    Invalidate();
    TskSkinCustomControl::DoEnter();
}

void TskSkinComboBox::DoExit()
{
    std::shared_ptr<bool> alive = alive_;
    CloseUp(false);
    if (!*alive)
        return;
    Invalidate();
    TskSkinCustomControl::DoExit();
}

// ---- control -------------------------------------------------------------------------------

ComboBoxAreas TskSkinComboBox::Areas() const
{
    return ComboAreas(Skinned() ? object_ : nullptr, {Width(), Height()});
}

void TskSkinComboBox::FetchSkinObject()
{
    TskSkinCustomControl::FetchSkinObject();
    object_ = dynamic_cast<const TskDataSkinComboBox*>(SkinObject());
    if (object_)
        TakeSkinFont(*object_);
}

void TskSkinComboBox::ApplySkin()
{
    TskSkinCustomControl::ApplySkin();
    popup_->SetSkinDataName(object_ && !object_->listboxname.empty() ? object_->listboxname : "listbox");
    popup_->SetSkinData(SkinData());
}

void TskSkinComboBox::ForgetSkin()
{
    TskSkinCustomControl::ForgetSkin();
    object_ = nullptr;
    popup_->ForgetSkin();
}

void TskSkinComboBox::FitSizeToSkin(int& width, int& height)
{
    if (use_skin_size_)
        TskSkinCustomControl::FitSizeToSkin(width, height);
}

void TskSkinComboBox::SetEnabled(bool on)
{
    if (!on)
        CloseUp(false);
    TskSkinCustomControl::SetEnabled(on);
}

void TskSkinComboBox::SetVisible(bool on)
{
    if (!on)
        CloseUp(false);
    TskSkinCustomControl::SetVisible(on);
}

// ---- painting ------------------------------------------------------------------------------

void TskSkinComboBox::DrawShownRow(Canvas& canvas, const Rect& item, const Rect& text_rect, Color color)
{
    canvas.font() = CurrentFont();
    canvas.set_text_color(color);
    canvas.set_bk_mode(BkMode::Transparent);
    CanvasSaver keep(canvas);
    canvas.intersect_clip(item);
    if (OnComboBoxDrawItem) {
        TOwnerDrawState state = 0;
        if (Focused())
            state |= odFocused;
        if (!Enabled())
            state |= odDisabled;
        canvas.move_origin(item.left, item.top);
        OnComboBoxDrawItem(this, canvas, open_ ? opened_row_ : ItemIndex(), item.size(),
            text_rect.offset(-item.left, -item.top), state);
        return;
    }
    Rect at = text_rect;
    draw_text(canvas, ShownText(), at, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TskSkinComboBox::PaintUnskinned(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    const Rect all = ClientRect();
    const bool active = hot_ || Focused();
    canvas.fill_rect(all, open_ ? Color(0x00FAF4F0) : DefaultColor);
    canvas.frame_rect(all, active ? Color(0x00800000) : clBtnShadow);
    const ComboBoxAreas a = Areas();
    canvas.fill_rect(a.button, clBtnFace);
    canvas.draw_edge(a.button, (pressed_ && button_hot_) || open_ ? EdgeStyle::Sunken : EdgeStyle::Raised);
    // A small down arrow: four rows of 7, 5, 3 and 1 pixels.
    const Color ink = Enabled() ? clBtnText : clGrayText;
    const int cx = a.button.left + a.button.width() / 2, cy = a.button.top + a.button.height() / 2 - 1;
    for (int i = 0; i < 4; ++i)
        canvas.fill_rect({cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1}, ink);
    canvas.font() = DefaultFont().Desc();
    DrawShownRow(canvas, a.item, a.item.inflated(-2, 0), Enabled() ? DefaultFont().GetColor() : clGrayText);
}

void TskSkinComboBox::PaintSkinned(Bitmap& bitmap)
{
    const Bitmap* picture = Picture();
    if (!picture || !object_) {
        TskSkinCustomControl::PaintSkinned(bitmap);
        return;
    }
    Canvas canvas(bitmap);
    const TskDataSkinComboBox& o = *object_;
    const bool focused = Focused();
    const bool hot = hot_ || open_;
    const SkinGeometry& g = Geometry();
    if ((hot || focused) && !o.activeskinrect.empty()) {
        ComposeHorizontal(canvas, *picture, o.activeskinrect, g.lefttoppoint.x, g.skinrect.width() - g.righttoppoint.x,
            Width(), g.stretcheffect);
    } else {
        TskSkinCustomControl::PaintSkinned(bitmap);
    }
    const ComboBoxAreas a = Areas();
    const Rect button = ComboButtonImage(o, Enabled(), pressed_, button_hot_);
    if (!button.empty())
        canvas.draw(a.button.top_left(), *picture, button);

    Rect image;
    bool stretch = o.itemstretcheffect;
    if (focused) {
        image = o.focusitemrect;
        stretch = o.focusitemstretcheffect;
    } else if (hot && !o.activeitemrect.empty() && !o.activeskinrect.empty()) {
        image = o.activeitemrect;
    } else {
        image = o.itemrect;
    }
    if (!image.empty()) {
        CanvasSaver at(canvas);
        canvas.move_origin(a.item.left, a.item.top);
        canvas.intersect_clip(Rect::from_size(a.item.size()));
        ComposeHorizontal(canvas, *picture, image, o.itemleftoffset, o.itemrightoffset, a.item.width(), stretch);
    }
    // The text rectangle grows with the item area from the width the skin
    // drew it for: itemrect's, or, where the skin gives none, the focused
    // look's or the client rectangle's.
    const int drawn_for = !o.itemrect.empty() ? o.itemrect.width()
        : !o.focusitemrect.empty()            ? o.focusitemrect.width()
                                              : o.clientrect.width();
    Rect text = o.itemtextrect.offset(a.item.left, a.item.top);
    text.right += a.item.width() - drawn_for;
    const Color color = !Enabled()          ? clGrayText
        : focused                           ? o.focusfontcolor
        : hot_ && !o.activeskinrect.empty() ? o.activefontcolor
                                            : o.fontcolor;
    DrawShownRow(canvas, a.item, text, color);
    if (focused && o.showfocus) {
        canvas.brush().color = clWhite;
        canvas.draw_focus_rect(a.item);
    }
}

} // namespace lt
