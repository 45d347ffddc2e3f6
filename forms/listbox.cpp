#include "forms/listbox.h"

#include "forms/cp936_chars.h"
#include "forms/errors.h"
#include "gfx/draw_text.h"
#include "platform/desktop.h"

#include <algorithm>

namespace lt {

// ---- TListBoxStrings ----

int TListBoxStrings::Count() const
{
    return static_cast<int>(box_.Perform(LB_GETCOUNT));
}

std::string TListBoxStrings::Strings(int index) const
{
    std::string text;
    if (box_.Perform(LB_GETTEXT, static_cast<WParam>(index), string_out_param(text)) == LB_ERR)
        ThrowListIndexError(index);
    return text;
}

void* TListBoxStrings::Objects(int index) const
{
    if (index < 0 || index >= Count())
        ThrowListIndexError(index);
    return result_object(box_.Perform(LB_GETITEMDATA, static_cast<WParam>(index)));
}

void TListBoxStrings::SetObjects(int index, void* object)
{
    if (box_.Perform(LB_SETITEMDATA, static_cast<WParam>(index), object_param(object)) == LB_ERR)
        ThrowListIndexError(index);
}

int TListBoxStrings::Add(const std::string& s)
{
    LResult r = box_.Perform(LB_ADDSTRING, 0, string_param(s));
    if (r < 0)
        ThrowInsertLineError();
    return static_cast<int>(r);
}

void TListBoxStrings::Insert(int index, const std::string& s)
{
    if (box_.Perform(LB_INSERTSTRING, static_cast<WParam>(index), string_param(s)) < 0)
        ThrowInsertLineError();
}

void TListBoxStrings::Delete(int index)
{
    box_.Perform(LB_DELETESTRING, static_cast<WParam>(index));
}

void TListBoxStrings::Clear()
{
    box_.Perform(LB_RESETCONTENT);
}

int TListBoxStrings::IndexOf(const std::string& s) const
{
    LResult r = box_.Perform(LB_FINDSTRINGEXACT, static_cast<WParam>(-1), string_param(s));
    return r < 0 ? -1 : static_cast<int>(r);
}

void TListBoxStrings::SetUpdateState(bool updating)
{
    // Repaints wait for the end of the batch; one repaint follows it.
    if (!updating)
        box_.Invalidate();
}

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner), items_(*this)
{
    TControl::SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
    SetClientEdge(true);
    model_.set_item_height(16);
    model_.set_client_height(97);
    model_.OnChanged = [this] {
        if (items_.UpdateCount() == 0)
            Invalidate();
    };
    apply_mode();
}

TCustomListBox::~TCustomListBox()
{
    model_.OnChanged = nullptr;
}

void TCustomListBox::CreateParams(lt::CreateParams& p)
{
    TWinControl::CreateParams(p);
    p.double_clicks = true;
    p.background = GetColor();
}

void TCustomListBox::apply_mode()
{
    model_.set_mode(!multi_select_ ? ListSelectMode::Single
            : extended_select_     ? ListSelectMode::Extended
                                   : ListSelectMode::Multiple);
}

void TCustomListBox::SetMultiSelect(bool on)
{
    multi_select_ = on;
    apply_mode();
}

void TCustomListBox::SetExtendedSelect(bool on)
{
    extended_select_ = on;
    apply_mode();
}

int TCustomListBox::ItemIndex()
{
    return static_cast<int>(Perform(multi_select_ ? LB_GETCARETINDEX : LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int index)
{
    Perform(multi_select_ ? LB_SETCARETINDEX : LB_SETCURSEL, static_cast<WParam>(index));
}

bool TCustomListBox::Selected(int index)
{
    LResult r = Perform(LB_GETSEL, static_cast<WParam>(index));
    if (r == LB_ERR)
        ThrowListIndexError(index);
    return r != 0;
}

void TCustomListBox::SetSelected(int index, bool on)
{
    LResult r =
        multi_select_ ? Perform(LB_SETSEL, on, index) : Perform(LB_SETCURSEL, static_cast<WParam>(on ? index : -1));
    if (r == LB_ERR && (index < 0 || index >= model_.count()))
        ThrowListIndexError(index);
}

int TCustomListBox::SelCount()
{
    return static_cast<int>(Perform(LB_GETSELCOUNT));
}

void TCustomListBox::SelectAll()
{
    if (multi_select_)
        Perform(LB_SETSEL, 1, -1);
}

void TCustomListBox::ClearSelection()
{
    if (multi_select_)
        Perform(LB_SETSEL, 0, -1);
    else
        Perform(LB_SETCURSEL, static_cast<WParam>(-1));
}

int TCustomListBox::TopIndex()
{
    return static_cast<int>(Perform(LB_GETTOPINDEX));
}

void TCustomListBox::SetTopIndex(int index)
{
    Perform(LB_SETTOPINDEX, static_cast<WParam>(index));
}

int TCustomListBox::ItemHeight()
{
    return static_cast<int>(Perform(LB_GETITEMHEIGHT));
}

void TCustomListBox::SetItemHeight(int height)
{
    Perform(LB_SETITEMHEIGHT, 0, height);
}

int TCustomListBox::ItemAtPos(Point client, bool existing)
{
    if (!ClientRect().contains(client))
        return -1;
    LResult r = Perform(LB_ITEMFROMPOINT, 0, point_lparam(client));
    int row = item_from_point_row(r);
    bool outside = item_from_point_outside(r);
    return (outside && existing) ? -1 : row;
}

Rect TCustomListBox::ItemRect(int index)
{
    Rect r;
    if (Perform(LB_GETITEMRECT, static_cast<WParam>(index), rect_param(r)) == LB_ERR)
        return {};
    return r;
}

void TCustomListBox::Clear()
{
    items_.Clear();
}

int TCustomListBox::DeleteSelected()
{
    return static_cast<int>(Perform(LB_DELETESELECTED));
}

void TCustomListBox::Resized()
{
    model_.set_client_height(ClientHeight());
}

LResult TCustomListBox::list_message(Message& m, bool& handled)
{
    handled = true;
    int index = static_cast<int>(static_cast<std::intptr_t>(m.wparam));
    bool valid = index >= 0 && index < model_.count();
    switch (m.msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const std::string& text = message_string(m);
        int at = m.msg == LB_ADDSTRING || index == -1 ? model_.count() : index;
        if (at < 0 || at > model_.count())
            return LB_ERR;
        try {
            model_.insert(at, text);
        } catch (const EListError&) {
            return LB_ERRSPACE;
        }
        return at;
    }
    case LB_DELETESTRING:
        if (!valid)
            return LB_ERR;
        model_.erase(index);
        return model_.count();
    case LB_RESETCONTENT:
        model_.clear();
        return 0;
    case LB_DELETESELECTED:
        return model_.erase_selected();
    case LB_GETCOUNT:
        return model_.count();
    case LB_GETTEXT:
        if (!valid)
            return LB_ERR;
        message_string_out(m) = model_.text(index);
        return static_cast<LResult>(model_.text(index).size());
    case LB_GETTEXTLEN:
        return valid ? static_cast<LResult>(model_.text(index).size()) : LB_ERR;
    case LB_GETITEMDATA:
        return valid ? object_result(model_.data(index)) : LB_ERR;
    case LB_SETITEMDATA:
        if (!valid)
            return LB_ERR;
        model_.set_data(index, message_object(m));
        return 0;
    case LB_GETSEL:
        return valid ? static_cast<LResult>(model_.selected(index)) : LB_ERR;
    case LB_SETSEL: {
        if (!multi_select_)
            return LB_ERR;
        int row = static_cast<int>(m.lparam);
        if (row == -1) {
            model_.select_all(m.wparam != 0);
            return 0;
        }
        if (row < 0 || row >= model_.count())
            return LB_ERR;
        model_.set_selected(row, m.wparam != 0);
        return 0;
    }
    case LB_GETCURSEL:
        return multi_select_ ? model_.caret() : model_.item_index();
    case LB_SETCURSEL:
        if (multi_select_)
            return LB_ERR;
        model_.set_item_index(valid ? index : -1);
        return valid ? index : LB_ERR;
    case LB_GETSELCOUNT:
        return multi_select_ ? model_.selected_count() : LB_ERR;
    case LB_GETCARETINDEX:
        return model_.caret();
    case LB_SETCARETINDEX:
        if (!valid)
            return LB_ERR;
        model_.set_item_index(index);
        return 0;
    case LB_GETTOPINDEX:
        return model_.top_index();
    case LB_SETTOPINDEX:
        if (!valid && model_.count() > 0)
            return LB_ERR;
        model_.set_top_index(index);
        return 0;
    case LB_GETITEMHEIGHT:
        return model_.item_height();
    case LB_SETITEMHEIGHT:
        model_.set_item_height(static_cast<int>(m.lparam));
        return 0;
    case LB_GETITEMRECT: {
        if (!valid)
            return LB_ERR;
        int y = (index - model_.top_index()) * model_.item_height();
        message_rect(m) = Rect{0, y, ClientWidth(), y + model_.item_height()};
        return 0;
    }
    case LB_FINDSTRINGEXACT: {
        int row = model_.find(message_string(m));
        return row < 0 ? LB_ERR : row;
    }
    case LB_ITEMFROMPOINT: {
        Point p = lparam_point(m.lparam);
        int row = model_.row_at(p.y, false);
        if (row < 0)
            row = model_.top_index();
        bool outside = row >= model_.count() || !ClientRect().contains(p);
        return item_from_point_result(row, outside);
    }
    default:
        handled = false;
        return 0;
    }
}

void TCustomListBox::mouse_press(Message& m)
{
    if (CanFocus() && !Focused())
        SetFocus();
    Point p = lparam_point(m.lparam);
    int row = model_.row_at(p.y);
    if (row < 0)
        return;
    model_.click(row, m.wparam & MK_SHIFT, m.wparam & MK_CONTROL);
    selecting_ = true;
}

void TCustomListBox::mouse_drag(Point p)
{
    if (model_.count() == 0)
        return;
    int row;
    if (p.y < 0)
        row = model_.top_index() - 1;
    else if (p.y >= ClientHeight())
        row = model_.top_index() + model_.visible_rows();
    else
        row = model_.row_at(p.y);
    if (row < 0 && p.y >= 0)
        row = model_.count() - 1;
    row = std::clamp(row, 0, model_.count() - 1);
    model_.drag_to(row, KeyboardShift() & ssCtrl);
}

void TCustomListBox::scroll(unsigned code, int pos)
{
    int top = model_.top_index(), page = model_.visible_rows();
    switch (code) {
    case SB_LINEUP:
        top -= 1;
        break;
    case SB_LINEDOWN:
        top += 1;
        break;
    case SB_PAGEUP:
        top -= page;
        break;
    case SB_PAGEDOWN:
        top += page;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        top = pos;
        break;
    case SB_TOP:
        top = 0;
        break;
    case SB_BOTTOM:
        top = model_.count();
        break;
    default:
        return;
    }
    model_.set_top_index(top);
}

LResult TCustomListBox::WndProc(Message& m)
{
    bool handled;
    LResult r = list_message(m, handled);
    if (handled)
        return r;
    std::shared_ptr<bool> alive = alive_;
    switch (m.msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        mouse_press(m);
        bool on_row = model_.row_at(lparam_point(m.lparam).y) >= 0;
        if (Window* w = WindowHandle())
            w->set_capture();
        DoMouseMessage(m); // OnMouseDown; OnDblClick for the second click
        if (!*alive)
            return 0;
        // The list raises OnClick itself, on selection, not on release.
        press_.on_cancel();
        if (on_row && m.msg == WM_LBUTTONDOWN)
            Click();
        return 0;
    }
    case WM_MOUSEMOVE:
        if (selecting_ && (m.wparam & MK_LBUTTON))
            mouse_drag(lparam_point(m.lparam));
        DoMouseMessage(m);
        return 0;
    case WM_LBUTTONUP:
        selecting_ = false;
        if (Window* w = WindowHandle(); w && w->has_capture())
            w->desktop().release_capture();
        press_.on_cancel();
        DoMouseMessage(m);
        return 0;
    case WM_VSCROLL:
        scroll(message_scroll_request(m), message_scroll_position(m));
        return 0;
    case WM_MOUSEWHEEL: {
        int delta = message_wheel_delta(m);
        model_.set_top_index(model_.top_index() - delta / WHEEL_DELTA * 3);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    case WM_SIZE:
        r = TWinControl::WndProc(m);
        model_.set_client_height(ClientHeight());
        return r;
    default:
        break;
    }
    return TWinControl::WndProc(m);
}

void TCustomListBox::KeyDown(int& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (key == 0)
        return;
    int caret = model_.caret();
    int selected = model_.selected_count();
    if (model_.key(key, shift & ssShift, shift & ssCtrl)) {
        key = 0;
        if (model_.caret() != caret || model_.selected_count() != selected || model_.mode() == ListSelectMode::Single)
            Click();
    }
}

void TCustomListBox::KeyPress(char& key)
{
    TWinControl::KeyPress(key);
    unsigned char c = static_cast<unsigned char>(key);
    if (c < 0x21 || c >= 0x80 || model_.count() == 0)
        return;
    // Type to find: the caret goes to the next row after it that starts
    // with the typed letter.
    int n = model_.count();
    int start = std::clamp(model_.caret(), -1, n - 1);
    std::string prefix(1, static_cast<char>(c));
    for (int i = 1; i <= n; ++i) {
        int row = (start + i) % n;
        if (cp936::starts_with_fold(model_.text(row), prefix)) {
            model_.click(row, false, false);
            Click();
            return;
        }
    }
}

void TCustomListBox::PaintWindow(Canvas& canvas, const Rect& update)
{
    int h = model_.item_height();
    int first = model_.first_painted(), last = model_.last_painted();
    bool focused = Focused();
    for (int i = first; i <= last; ++i) {
        Rect row{0, (i - first) * h, ClientWidth(), (i - first + 1) * h};
        if (!row.intersects(update))
            continue;
        // Every row shows its real selected state; the caret row adds the
        // focus look while the list has the focus.
        TOwnerDrawState state = 0;
        if (model_.selected(i))
            state |= odSelected;
        if (focused && i == model_.caret())
            state |= odFocused;
        if (!Enabled())
            state |= odDisabled;
        CanvasSaver saver(canvas);
        canvas.intersect_clip(row);
        DrawItem(canvas, i, row, state);
    }
    int used = std::max(last - first + 1, 0) * h;
    if (used < ClientHeight())
        PaintBackground(canvas, Rect{0, used, ClientWidth(), ClientHeight()});
}

void TCustomListBox::DrawItem(Canvas& canvas, int index, const Rect& rect, TOwnerDrawState state)
{
    bool selected = state & odSelected;
    canvas.fill_rect(rect, selected ? clHighlight : GetColor());
    canvas.font() = Font().Desc();
    if (OnDrawItem) {
        OnDrawItem(this, canvas, index, rect, state);
    } else {
        canvas.set_bk_mode(BkMode::Transparent);
        canvas.set_text_color(selected ? clHighlightText : Font().GetColor());
        Rect text{rect.left + 2, rect.top, rect.right - 2, rect.bottom};
        draw_text(canvas, model_.text(index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (state & odFocused) {
        canvas.brush().color = clWhite;
        canvas.draw_focus_rect(rect);
    }
}

} // namespace lt
