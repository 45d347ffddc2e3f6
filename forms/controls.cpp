// Controls: shift state helpers, TControl (bounds, parent, mouse messages and
// events), TWinControl (the window, children, docking, painting and mouse
// routing of windowless children, keys and focus), TGraphicControl and
// TCustomControl (the canvas during Paint).

#include "forms/controls.h"

#include "forms/forms.h"
#include "forms/menus.h"
#include "platform/desktop.h"
#include "text/scope_exit.h"

#include <algorithm>
#include <cassert>

namespace lt {

TShiftState ShiftFromMouseFlags(WParam flags)
{
    TShiftState s = 0;
    if (flags & MK_SHIFT)
        s |= ssShift;
    if (flags & MK_CONTROL)
        s |= ssCtrl;
    if (flags & MK_LBUTTON)
        s |= ssLeft;
    if (flags & MK_RBUTTON)
        s |= ssRight;
    if (flags & MK_MBUTTON)
        s |= ssMiddle;
    if (Desktop* d = Desktop::current(); d && d->key_down(VK_MENU))
        s |= ssAlt;
    return s;
}

TShiftState KeyboardShift()
{
    Desktop* d = Desktop::current();
    if (!d)
        return 0;
    TShiftState s = 0;
    if (d->key_down(VK_SHIFT))
        s |= ssShift;
    if (d->key_down(VK_CONTROL))
        s |= ssCtrl;
    if (d->key_down(VK_MENU))
        s |= ssAlt;
    return s;
}

namespace {
bool is_mouse_message(std::uint32_t msg)
{
    return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK;
}
} // namespace

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>())
{
    font_->OnChange = [this](TFont*) {
        if (!font_from_parent_)
            parent_font_ = false;
        FontChanged();
        Perform(CM_FONTCHANGED);
    };
}

TControl::~TControl()
{
    *alive_ = false;
    if (parent_)
        parent_->remove_control(this);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent_) {
        Invalidate();
        TWinControl* old = parent_;
        old->remove_control(this);
        parent_ = nullptr;
        old->Realign();
    }
    parent_ = parent;
    if (parent_) {
        parent_->insert_control(this);
        if (parent_font_)
            parent_font_changed();
        Invalidate();
        RequestAlign();
    }
}

TCustomForm* TControl::GetParentForm() const
{
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    Bounds b{left, top, std::max(width, 0), std::max(height, 0)};
    if (b == bounds_)
        return;
    Invalidate();
    bounds_ = b;
    Invalidate();
    Resized();
    RequestAlign();
}

Point TControl::ClientToScreen(Point p) const
{
    // A window knows where its client lies (a form's frame moves it).
    if (auto* wc = dynamic_cast<const TWinControl*>(this); wc && wc->window_)
        return wc->window_->client_to_screen(p);
    if (!parent_)
        return p + Point{Left(), Top()};
    return parent_->ClientToScreen(p + Point{Left(), Top()});
}

Point TControl::ScreenToClient(Point p) const
{
    Point origin = ClientToScreen({0, 0});
    return p - origin;
}

Point TControl::OriginInWindow() const
{
    if (IsWindowed() || !parent_)
        return {0, 0};
    return parent_->OriginInWindow() + Point{Left(), Top()};
}

void TControl::RequestAlign()
{
    if (parent_ && !parent_->aligning_)
        parent_->Realign(this);
}

void TControl::SetAlign(TAlign align)
{
    if (align == align_)
        return;
    align_ = align;
    RequestAlign();
}

void TControl::SetVisible(bool on)
{
    if (on == visible_)
        return;
    Invalidate();
    visible_ = on;
    Invalidate();
    Perform(CM_VISIBLECHANGED, on);
    RequestAlign();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

void TControl::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    FeedPress([on](ButtonBehavior& b) { b.set_enabled(on); });
    Perform(CM_ENABLEDCHANGED, on);
    Invalidate();
}

void TControl::SetParentFont(bool on)
{
    parent_font_ = on;
    if (on)
        parent_font_changed();
}

void TControl::parent_font_changed()
{
    if (!parent_ || !parent_font_)
        return;
    font_from_parent_ = true;
    font_->Assign(parent_->Font());
    font_from_parent_ = false;
}

void TControl::SetColor(Color c)
{
    if (c == color_)
        return;
    color_ = c;
    Invalidate();
}

void TControl::SetText(const std::string& s)
{
    if (s == text_)
        return;
    text_ = s;
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

LResult TControl::Perform(std::uint32_t msg, WParam wp, LParam lp)
{
    Message m{msg, wp, lp};
    return WndProc(m);
}

LResult TControl::WndProc(Message& m)
{
    if (is_mouse_message(m.msg)) {
        DoMouseMessage(m);
        return 0;
    }
    switch (m.msg) {
    case WM_PAINT:
        // wparam: the canvas to paint into, its origin at the control's
        // top-left corner (a skinned sibling capturing what lies behind it).
        if (m.wparam)
            PaintControl(message_canvas(m));
        break;
    case CM_MOUSEENTER:
        MouseEnter();
        break;
    case CM_MOUSELEAVE:
        FeedPress(&ButtonBehavior::on_leave);
        MouseLeave();
        break;
    case WM_CANCELMODE:
        // The parent lost the mouse while this control held it.
        FeedPress(&ButtonBehavior::on_cancel);
        break;
    default:
        break;
    }
    return 0;
}

void TControl::DoMouseMessage(Message& m)
{
    Point p = lparam_point(m.lparam);
    const bool inside = ClientRect().contains(p);
    TShiftState shift = ShiftFromMouseFlags(m.wparam);
    std::shared_ptr<bool> alive = alive_;
    switch (m.msg) {
    case WM_MOUSEMOVE:
        FeedPress([inside](ButtonBehavior& b) { b.on_move(inside); });
        MouseMove(shift, p.x, p.y);
        break;
    case WM_LBUTTONDOWN:
        FeedPress([inside](ButtonBehavior& b) { b.on_press(inside); });
        MouseDown(TMouseButton::mbLeft, shift, p.x, p.y);
        break;
    case WM_LBUTTONDBLCLK:
        DblClick();
        if (*alive)
            MouseDown(TMouseButton::mbLeft, shift | ssDouble, p.x, p.y);
        break;
    case WM_LBUTTONUP:
        if (FeedPress([inside](ButtonBehavior& b) { return b.on_release(inside); }) && *alive)
            Click();
        if (*alive)
            MouseUp(TMouseButton::mbLeft, shift, p.x, p.y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown(TMouseButton::mbRight, shift, p.x, p.y);
        break;
    case WM_RBUTTONUP:
        MouseUp(TMouseButton::mbRight, shift, p.x, p.y);
        if (*alive && PopupMenu && PopupMenu->AutoPopup) {
            Point screen = ClientToScreen(p);
            PopupMenu->PopupComponent = this;
            PopupMenu->Popup(screen.x, screen.y);
        }
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        MouseDown(TMouseButton::mbMiddle, shift, p.x, p.y);
        break;
    case WM_MBUTTONUP:
        MouseUp(TMouseButton::mbMiddle, shift, p.x, p.y);
        break;
    default:
        break;
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// Handlers run from a copy, so a handler that frees its control (and with it
// the handler itself) returns safely.
void TControl::Click()
{
    if (TNotifyEvent handler = OnClick)
        handler(this);
}

void TControl::DblClick()
{
    if (TNotifyEvent handler = OnDblClick)
        handler(this);
}

void TControl::Invalidate()
{
    if (!parent_ || !parent_->window_ || !visible_)
        return;
    Rect r = Rect::from_xywh(Left(), Top(), Width(), Height()).offset(parent_->OriginInWindow());
    parent_->window_->invalidate(&r);
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::BringToFront()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    Invalidate();
}

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* owner) : TControl(owner)
{
    Font().OnChange = [this, base = Font().OnChange](TFont* f) {
        base(f);
        for (TControl* c : controls_)
            c->parent_font_changed();
    };
}

TWinControl::~TWinControl()
{
    *alive_ = false;
    // The form must not keep a pointer to a control that is gone (it gives
    // its active control the focus again on activation).
    if (TCustomForm* form = GetParentForm(); form && form != this && form->ActiveControl() == this)
        form->SetActiveControl(nullptr);
    while (!controls_.empty())
        delete controls_.back(); // its destructor leaves this list
    destroy_window();
}

void TWinControl::SetParent(TWinControl* parent)
{
    if (parent == Parent())
        return;
    destroy_window();
    TControl::SetParent(parent);
    if (parent && parent->window_)
        create_window();
}

void TWinControl::insert_control(TControl* c)
{
    controls_.push_back(c);
}

void TWinControl::remove_control(TControl* c)
{
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    if (mouse_control_ == c)
        mouse_control_ = nullptr;
    if (hover_child_ == c)
        hover_child_ = nullptr;
}

Window* TWinControl::Handle()
{
    if (!window_ && (Parent() ? Parent()->Handle() != nullptr : IsTopLevelControl()))
        create_window();
    return window_;
}

void TWinControl::CreateParams(lt::CreateParams& p)
{
    p.parent = Parent() ? Parent()->window_ : nullptr;
    p.bounds = Rect::from_xywh(Left(), Top(), Width(), Height());
    if (Parent() && !Parent()->IsWindowed())
        p.bounds = p.bounds.offset(Parent()->OriginInWindow());
    p.text = GetText();
    p.visible = Visible();
    p.enabled = Enabled();
    p.tab_stop = tab_stop_;
    p.background = GetColor();
}

void TWinControl::CreateWnd()
{ }

void TWinControl::create_window()
{
    Desktop* desktop = Desktop::current();
    if (!desktop || window_)
        return;
    lt::CreateParams p;
    CreateParams(p);
    // Exceptions never leave a window procedure: the application reports
    // them and the message counts as handled.
    p.proc = [this, alive = alive_](Window& w, Message& m) -> LResult {
        if (!*alive)
            return w.default_proc(m);
        if (!window_)
            window_ = &w;
        try {
            return WndProc(m);
        } catch (...) {
            HandleControlException(std::current_exception());
            return 0;
        }
    };
    p.user_data = this;
    Window* w = desktop->create_window(p);
    window_ = w;
    w->set_tab_order(tab_order_);
    CreateWnd();
    for (TControl* c : controls_)
        if (auto* wc = dynamic_cast<TWinControl*>(c))
            wc->create_window();
}

void TWinControl::destroy_window()
{
    if (!window_)
        return;
    Window* w = window_;
    window_ = nullptr;
    for (TControl* c : controls_)
        if (auto* wc = dynamic_cast<TWinControl*>(c))
            wc->destroy_window();
    Desktop* desktop = Desktop::current();
    if (desktop && desktop->is_window(w)) {
        w->set_proc({});
        w->destroy();
    }
}

Rect TWinControl::ClientRect() const
{
    if (window_)
        return window_->client_rect();
    return TControl::ClientRect();
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    Bounds before = bounds_;
    TControl::SetBounds(left, top, width, height);
    if (bounds_ == before)
        return;
    if (window_) {
        Rect r = Rect::from_xywh(Left(), Top(), Width(), Height());
        window_->set_bounds(r); // WM_SIZE realigns the children
    } else {
        Realign();
    }
}

void TWinControl::SetVisible(bool on)
{
    TControl::SetVisible(on);
    if (window_ && window_->shown() != on)
        window_->show(on);
}

void TWinControl::SetEnabled(bool on)
{
    TControl::SetEnabled(on);
    if (window_ && window_->enabled() != on)
        window_->enable(on);
}

void TWinControl::SetText(const std::string& s)
{
    TControl::SetText(s);
    if (window_ && window_->text() != s)
        window_->set_text(s);
}

void TWinControl::SetClientEdge(bool on)
{
    if (on == client_edge_)
        return;
    client_edge_ = on;
    if (window_) {
        window_->recalc_frame();
        window_->invalidate();
    }
}

void TWinControl::SetTabStop(bool on)
{
    tab_stop_ = on;
    if (window_)
        window_->set_tab_stop(on);
}

void TWinControl::SetTabOrder(int order)
{
    tab_order_ = order;
    if (window_)
        window_->set_tab_order(order);
}

bool TWinControl::CanFocus() const
{
    if (!window_)
        return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const
{
    return window_ && window_->focused();
}

void TWinControl::SetFocus()
{
    if (Handle())
        window_->set_focus();
}

TControl* TWinControl::ControlAtPos(Point client) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!c->IsWindowed() && c->Visible() && c->Enabled() && c->BoundsRect().contains(client))
            return c;
    }
    return nullptr;
}

LResult TWinControl::Broadcast(std::uint32_t msg, WParam wp, LParam lp)
{
    // A handler may add, remove or free controls: walk a snapshot and stop
    // when this control is gone.
    const std::vector<TControl*> children = controls_;
    std::shared_ptr<bool> alive = alive_;
    for (TControl* c : children) {
        if (!*alive)
            return 0;
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end())
            continue;
        std::shared_ptr<bool> child_alive = c->alive_;
        if (LResult r = c->Perform(msg, wp, lp))
            return r;
        if (!*alive)
            return 0;
        if (auto* w = dynamic_cast<TWinControl*>(c); w && *child_alive)
            if (LResult r = w->Broadcast(msg, wp, lp))
                return r;
    }
    return 0;
}

void TWinControl::Realign(TControl* first)
{
    if (align_disabled_ > 0 || aligning_)
        return;
    std::vector<AlignItem> items;
    items.reserve(controls_.size());
    int first_index = -1;
    for (size_t i = 0; i < controls_.size(); ++i) {
        TControl* c = controls_[i];
        items.push_back({c->Align(), c->Visible(), c->bounds_});
        if (c == first)
            first_index = static_cast<int>(i);
    }
    Rect area = AlignRect();
    std::vector<Bounds> placed = AlignBounds(items, {area.left, area.top, area.width(), area.height()}, first_index);
    aligning_ = true;
    ScopeExit done([this] { aligning_ = false; });
    std::vector<TControl*> children = controls_;
    for (size_t i = 0; i < children.size(); ++i)
        if (items[i].align != TAlign::alNone && placed[i] != items[i].bounds)
            children[i]->SetBounds(placed[i].left, placed[i].top, placed[i].width, placed[i].height);
}

void TWinControl::EnableAlign()
{
    if (align_disabled_ > 0 && --align_disabled_ == 0)
        Realign();
}

void TWinControl::Invalidate()
{
    if (window_)
        window_->invalidate();
}

void TWinControl::Update()
{
    if (window_)
        window_->update();
}

void TWinControl::set_hover_child(TControl* c)
{
    if (c == hover_child_)
        return;
    TControl* old = hover_child_;
    hover_child_ = c;
    if (old)
        old->Perform(CM_MOUSELEAVE);
    if (c)
        c->Perform(CM_MOUSEENTER);
}

bool TWinControl::route_mouse(Message& m)
{
    Point p = lparam_point(m.lparam);
    if (m.msg == WM_MOUSEMOVE && !mouse_control_)
        set_hover_child(ControlAtPos(p));
    TControl* target = mouse_control_ ? mouse_control_ : ControlAtPos(p);
    if (!target)
        return false;
    bool press = m.msg == WM_LBUTTONDOWN || m.msg == WM_LBUTTONDBLCLK || m.msg == WM_RBUTTONDOWN ||
        m.msg == WM_RBUTTONDBLCLK || m.msg == WM_MBUTTONDOWN || m.msg == WM_MBUTTONDBLCLK;
    bool release = m.msg == WM_LBUTTONUP || m.msg == WM_RBUTTONUP || m.msg == WM_MBUTTONUP;
    if (press) {
        mouse_control_ = target;
        if (window_)
            window_->set_capture();
    }
    Message routed{m.msg, m.wparam, point_lparam(p - Point{target->Left(), target->Top()})};
    std::shared_ptr<bool> alive = alive_;
    target->WndProc(routed);
    if (*alive && release) {
        mouse_control_ = nullptr;
        if (window_ && window_->has_capture())
            window_->desktop().release_capture();
    }
    return true;
}

void TWinControl::paint_handler(Message& m)
{
    Canvas* canvas = &message_canvas(m);
    const Rect* given = message_update_rect(m);
    Rect update = given ? *given : ClientRect();
    PaintWindow(*canvas, update);
    for (TControl* c : controls_) {
        if (c->IsWindowed() || !c->Visible() || !c->BoundsRect().intersects(update))
            continue;
        CanvasSaver saver(*canvas);
        canvas->move_origin(c->Left(), c->Top());
        canvas->intersect_clip(Rect{0, 0, c->Width(), c->Height()});
        c->PaintControl(*canvas);
    }
}

LResult TWinControl::WndProc(Message& m)
{
    Window* w = window_;
    if (is_mouse_message(m.msg)) {
        if (route_mouse(m))
            return 0;
        std::shared_ptr<bool> alive = alive_;
        if (m.msg == WM_LBUTTONDOWN && w)
            w->set_capture();
        DoMouseMessage(m);
        if (*alive && m.msg == WM_LBUTTONUP && w && window_ == w && w->has_capture())
            w->desktop().release_capture();
        return 0;
    }
    switch (m.msg) {
    case WM_PAINT:
        paint_handler(m);
        return 0;
    case WM_NCCALCSIZE:
        if (client_edge_) {
            Rect& r = message_rect(m);
            r = r.inflated(-2, -2);
            r.right = std::max(r.right, r.left);
            r.bottom = std::max(r.bottom, r.top);
            return 0;
        }
        break;
    case WM_NCPAINT:
        if (client_edge_) {
            message_canvas(m).draw_edge(Rect{0, 0, Width(), Height()}, EdgeStyle::Sunken);
            return 0;
        }
        break;
    case WM_SIZE:
    case WM_MOVE:
        if (w) {
            // The window moved or sized itself (or was moved by the frame):
            // the control follows it.
            Rect r = w->bounds();
            Bounds b{r.left, r.top, r.width(), r.height()};
            if (Parent() && !Parent()->IsWindowed())
                b.left -= Parent()->OriginInWindow().x, b.top -= Parent()->OriginInWindow().y;
            bool sized = b.width != bounds_.width || b.height != bounds_.height;
            bounds_ = b;
            if (m.msg == WM_SIZE || sized) {
                Resized();
                Realign();
            }
        }
        return w ? w->default_proc(m) : 0;
    case WM_SETFOCUS:
        DoEnter();
        return 0;
    case WM_KILLFOCUS:
        DoExit();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        int key = static_cast<int>(m.wparam);
        std::shared_ptr<bool> alive = alive_;
        KeyDown(key, KeyboardShift());
        if (!*alive || key == 0)
            return 0;
        m.wparam = static_cast<WParam>(key);
        return w ? w->default_proc(m) : 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        int key = static_cast<int>(m.wparam);
        KeyUp(key, KeyboardShift());
        return 0;
    }
    case WM_CHAR: {
        char key = static_cast<char>(m.wparam);
        std::shared_ptr<bool> alive = alive_;
        KeyPress(key);
        if (!*alive || key == 0)
            return 0;
        if ((key == '\r' || key == 0x1B) && !(DialogCode() & DLGC_WANTALLKEYS))
            if (TCustomForm* form = GetParentForm())
                form->DialogKey(key == '\r' ? VK_RETURN : VK_ESCAPE);
        return 0;
    }
    case WM_GETDLGCODE:
        return DialogCode();
    case WM_SETCURSOR:
        // A windowless child under the pointer (or holding the mouse) shows its own shape.
        if (w && wparam_window(m) == w && message_hit(m) == HTCLIENT) {
            Point p = w->screen_to_client(w->desktop().cursor_pos());
            TControl* c = mouse_control_ ? mouse_control_ : ControlAtPos(p);
            if (c && c->GetCursor() != lt::Cursor::Arrow) {
                w->desktop().set_cursor(c->GetCursor());
                return 1;
            }
        }
        break;
    case CM_MOUSEENTER:
        MouseEnter();
        return 0;
    case CM_MOUSELEAVE:
        set_hover_child(nullptr);
        FeedPress(&ButtonBehavior::on_leave);
        MouseLeave();
        return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED: {
        // The press (this control's, or a windowless child's) is taken away:
        // a release that follows is no click.
        std::shared_ptr<bool> alive = alive_;
        FeedPress(&ButtonBehavior::on_cancel);
        if (TControl* c = *alive ? mouse_control_ : nullptr) {
            mouse_control_ = nullptr;
            c->Perform(WM_CANCELMODE);
        }
        if (!*alive)
            return 0;
        break;
    }
    case WM_DESTROY:
        window_ = nullptr;
        return w ? w->default_proc(m) : 0;
    default:
        break;
    }
    return w ? w->default_proc(m) : 0;
}

void TWinControl::KeyDown(int& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(int& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::DoEnter()
{
    if (TCustomForm* form = GetParentForm(); form && form != this)
        form->FocusChanged(this);
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

// ---- TGraphicControl and TCustomControl ----

void TGraphicControl::PaintControl(Canvas& canvas)
{
    // Painting while painting is a bug: repaints asked for from a paint
    // come in the next loop turn, never from inside this one.
    assert(!canvas_);
    canvas_ = &canvas;
    ScopeExit reset([this] { canvas_ = nullptr; });
    canvas.font() = Font().Desc();
    Paint();
}

void TCustomControl::PaintWindow(Canvas& canvas, const Rect& update)
{
    // Painting while painting is a bug: repaints asked for from a paint
    // come in the next loop turn, never from inside this one.
    assert(!canvas_);
    canvas_ = &canvas;
    ScopeExit reset([this] { canvas_ = nullptr; });
    canvas.font() = Font().Desc();
    Paint();
}

} // namespace lt
