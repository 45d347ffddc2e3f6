#include "forms/edit.h"

#include "forms/cp936_chars.h"
#include "gfx/draw_text.h"
#include "gfx/font.h"
#include "platform/desktop.h"

#include <algorithm>

namespace lt {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    TControl::SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
    SetClientEdge(true);
    model_.OnChange = [this] { Change(); };
    model_.ReadClipboard = [] {
        Desktop* d = Desktop::current();
        return d ? d->clipboard_text() : std::string();
    };
    model_.WriteClipboard = [](const std::string& s) {
        if (Desktop* d = Desktop::current())
            d->set_clipboard_text(s);
    };
}

void TCustomEdit::CreateParams(lt::CreateParams& p)
{
    TWinControl::CreateParams(p);
    p.cursor = Cursor::IBeam;
    p.background = GetColor();
}

void TCustomEdit::SetText(const std::string& s)
{
    if (s == model_.text())
        return;
    model_.set_text(s);
    Modified = false;
    scroll_ = 0;
}

void TCustomEdit::Change()
{
    changed_view();
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::SetMaxLength(int bytes)
{
    model_.set_max_length(static_cast<size_t>(std::max(bytes, 0)));
}

void TCustomEdit::SetReadOnly(bool on)
{
    model_.set_read_only(on);
}

void TCustomEdit::SetSelStart(int pos)
{
    size_t p = static_cast<size_t>(std::max(pos, 0));
    model_.set_selection(p, p);
    changed_view();
}

void TCustomEdit::SetSelLength(int length)
{
    model_.set_selection(model_.sel_start(), model_.sel_start() + static_cast<size_t>(std::max(length, 0)));
    changed_view();
}

void TCustomEdit::SelectAll()
{
    model_.select_all();
    changed_view();
}

void TCustomEdit::Undo()
{
    Perform(WM_UNDO);
}

void TCustomEdit::CutToClipboard()
{
    Perform(WM_CUT);
}

void TCustomEdit::CopyToClipboard()
{
    Perform(WM_COPY);
}

void TCustomEdit::PasteFromClipboard()
{
    Perform(WM_PASTE);
}

void TCustomEdit::ClearSelection()
{
    Perform(WM_CLEAR);
}

void TCustomEdit::changed_view()
{
    keep_caret_visible();
    Invalidate();
}

std::string TCustomEdit::shown() const
{
    const std::string& comp = model_.composition();
    if (comp.empty())
        return model_.text();
    std::string s = model_.text();
    s.insert(model_.caret(), comp);
    return s;
}

int TCustomEdit::text_x(const std::string& s, size_t pos) const
{
    FontPtr font = lt::Font::get(TextFont());
    return kMargin - scroll_ + font->text_width(std::string_view(s).substr(0, pos));
}

size_t TCustomEdit::pos_at(int x) const
{
    const std::string& text = model_.text();
    size_t best = 0;
    int best_distance = std::abs(text_x(text, 0) - x);
    for (size_t pos = 0; pos < text.size();) {
        pos = cp936::next_boundary(text, pos);
        int distance = std::abs(text_x(text, pos) - x);
        if (distance < best_distance) {
            best = pos;
            best_distance = distance;
        }
    }
    return best;
}

void TCustomEdit::keep_caret_visible()
{
    FontPtr font = lt::Font::get(TextFont());
    std::string s = shown();
    int caret = font->text_width(std::string_view(s).substr(0, model_.caret() + model_.composition().size()));
    int room = std::max(ClientWidth() - kMargin * 2, 1);
    if (caret < scroll_)
        scroll_ = caret;
    else if (caret > scroll_ + room)
        scroll_ = caret - room;
    // No blank space is kept scrolled in at the right when the text got shorter.
    int total = font->text_width(s);
    scroll_ = std::clamp(scroll_, 0, std::max(total - room, 0));
    if (Window* w = WindowHandle(); w && Focused()) {
        int x = kMargin - scroll_ + caret;
        w->desktop().set_caret_rect(*w, Rect{x, 0, x + 1, ClientHeight()});
    }
}

void TCustomEdit::Resized()
{
    keep_caret_visible();
}

void TCustomEdit::PaintWindow(Canvas& canvas, const Rect& update)
{
    FontPtr font = lt::Font::get(TextFont());
    int line = font->metrics().height;
    int y = (ClientHeight() - line) / 2;
    std::string s = shown();
    PaintBackground(canvas, ClientRect());
    canvas.font() = TextFont();
    canvas.set_bk_mode(BkMode::Transparent);
    CanvasSaver saver(canvas);
    canvas.intersect_clip(ClientRect());

    canvas.set_text_color(TextColor());
    if (!Enabled()) {
        text_out(canvas, text_x(s, 0), y, s);
        return;
    }
    text_out(canvas, text_x(s, 0), y, s);

    const std::string& comp = model_.composition();
    if (comp.empty() && model_.has_selection() && Focused()) {
        // The selected part again, in the highlight colours; an edit without
        // the focus hides its selection.
        Rect sel{text_x(s, model_.sel_start()), y, text_x(s, model_.sel_end()), y + line};
        CanvasSaver inner(canvas);
        canvas.fill_rect(sel, clHighlight);
        canvas.intersect_clip(sel);
        canvas.set_text_color(clHighlightText);
        text_out(canvas, text_x(s, 0), y, s);
    }
    if (!comp.empty()) {
        // The composition is underlined where it stands.
        int x0 = text_x(s, model_.caret()), x1 = text_x(s, model_.caret() + comp.size());
        canvas.fill_rect(Rect{x0, y + line - 1, x1, y + line}, TextColor());
    }
    if (Focused()) {
        int x = text_x(s, model_.caret() + comp.size());
        canvas.fill_rect(Rect{x, y, x + 1, y + line}, TextColor());
    }
}

void TCustomEdit::KeyDown(int& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (key == 0 || key == VK_TAB)
        return;
    if (model_.key(key, shift & ssShift, shift & ssCtrl)) {
        key = 0;
        changed_view();
    }
}

void TCustomEdit::KeyPress(char& key)
{
    TWinControl::KeyPress(key);
    unsigned char c = static_cast<unsigned char>(key);
    if (c == 0)
        return;
    if (pending_lead_) {
        // The trail byte completes the character the lead byte began.
        std::string ch{pending_lead_, static_cast<char>(c)};
        pending_lead_ = 0;
        if (model_.type(ch))
            Modified = true;
        return;
    }
    if (cp936_is_lead(c)) {
        pending_lead_ = static_cast<char>(c);
        return;
    }
    // Control characters (Enter, Escape, Tab, Backspace, Ctrl+letters) are
    // never typed; Backspace was handled as a key.
    if (c < 0x20 || c == 0x7F)
        return;
    if (model_.type(std::string(1, static_cast<char>(c))))
        Modified = true;
}

void TCustomEdit::DoEnter()
{
    Desktop* d = Desktop::current();
    if (AutoSelect && !(d && d->key_down(VK_LBUTTON)))
        model_.select_all();
    changed_view();
    TWinControl::DoEnter();
}

LResult TCustomEdit::WndProc(Message& m)
{
    std::shared_ptr<bool> alive = alive_;
    switch (m.msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (CanFocus() && !Focused())
            SetFocus();
        size_t pos = pos_at(lparam_x(m.lparam));
        if (m.msg == WM_LBUTTONDBLCLK) {
            model_.select_word(pos);
        } else {
            model_.press(pos, m.wparam & MK_SHIFT);
            selecting_ = true;
        }
        changed_view();
        break;
    }
    case WM_MOUSEMOVE:
        if (selecting_ && (m.wparam & MK_LBUTTON)) {
            model_.drag(pos_at(lparam_x(m.lparam)));
            changed_view();
        }
        break;
    case WM_LBUTTONUP:
        selecting_ = false;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        if (m.msg == WM_KILLFOCUS)
            selecting_ = false;
        break;
    case WM_IME_STARTCOMPOSITION:
        return 0;
    case WM_IME_COMPOSITION:
        if (Desktop* d = Desktop::current()) {
            // A result goes on as characters (WM_IME_CHAR, then WM_CHAR), so
            // it is typed like keyboard input; the composition is drawn.
            if (m.lparam & GCS_RESULTSTR)
                model_.set_composition({});
            else if (m.lparam & GCS_COMPSTR)
                model_.set_composition(d->ime_composition());
            changed_view();
        }
        if (m.lparam & GCS_RESULTSTR)
            break;
        return 0;
    case WM_IME_ENDCOMPOSITION:
        model_.set_composition({});
        changed_view();
        return 0;
    case WM_CUT:
        model_.cut();
        return 0;
    case WM_COPY:
        model_.copy();
        return 0;
    case WM_PASTE:
        model_.paste();
        return 0;
    case WM_CLEAR:
        model_.clear_selection();
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        return model_.undo();
    case EM_CANUNDO:
        return model_.can_undo();
    case EM_GETSEL:
        return static_cast<LResult>((model_.sel_start() & 0xFFFFu) | ((model_.sel_end() & 0xFFFFu) << 16));
    case EM_SETSEL: {
        size_t start = m.wparam == static_cast<WParam>(-1) ? model_.text().size() : m.wparam;
        size_t end = m.lparam == -1 ? model_.text().size() : static_cast<size_t>(m.lparam);
        model_.set_selection(start, end);
        changed_view();
        return 0;
    }
    case EM_REPLACESEL:
        model_.type(message_string(m));
        return 0;
    case EM_LIMITTEXT:
        SetMaxLength(static_cast<int>(m.wparam));
        return 0;
    case EM_SETREADONLY:
        model_.set_read_only(m.wparam != 0);
        Invalidate();
        return 1;
    default:
        break;
    }
    if (!*alive)
        return 0;
    return TWinControl::WndProc(m);
}

} // namespace lt
