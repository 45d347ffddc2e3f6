// Window: the tree, geometry, state and the default procedure. The state a
// window shares with others (focus, capture, painting, timers) is kept by the
// Desktop; the methods here forward to it.
//
// Sections: tree - messages - default procedure - geometry - state -
// region and painting - input - timers and life.

#include "platform/window.h"

#include <algorithm>

#include "gfx/canvas.h"
#include "gfx/region.h"
#include "platform/desktop.h"
#include "text/cp936.h"

namespace lt {

Window::Window(Desktop& desktop, const CreateParams& p)
    : desktop_(desktop),
      parent_(p.parent),
      owner_(p.parent ? nullptr : p.owner),
      popup_(!p.parent && p.popup),
      bounds_(p.bounds),
      client_(Rect::from_size(p.bounds.size())),
      enabled_(p.enabled),
      tab_stop_(p.tab_stop),
      double_clicks_(p.double_clicks),
      cursor_(p.cursor),
      background_(p.background),
      text_(p.text),
      proc_(p.proc),
      user_data_(p.user_data)
{ }

Window::~Window() = default;

// ---------------------------------------------------------------- tree

Window* Window::top_level()
{
    Window* w = this;
    while (w->parent_)
        w = w->parent_;
    return w;
}

bool Window::is_ancestor_of(const Window* w) const
{
    for (; w; w = w->parent_) {
        if (w == this)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------- messages

LResult Window::send(std::uint32_t msg, WParam wp, LParam lp)
{
    if (destroyed_ && msg != WM_DESTROY)
        return 0;
    Message m{msg, wp, lp};
    // A copy: the procedure may replace itself while it runs.
    WndProc proc = proc_;
    return call_proc(proc, m);
}

void Window::post(std::uint32_t msg, WParam wp, LParam lp)
{
    Desktop* d = &desktop_;
    desktop_.loop().post([d, w = this, msg, wp, lp] {
        if (Desktop::current() == d && d->is_window(w))
            w->send(msg, wp, lp);
    });
}

WndProc Window::set_proc(WndProc proc)
{
    WndProc old = std::move(proc_);
    proc_ = std::move(proc);
    return old;
}

LResult Window::call_proc(const WndProc& proc, Message& m)
{
    return proc ? proc(*this, m) : default_proc(m);
}

// ---------------------------------------------------------------- default procedure

LResult Window::default_proc(Message& m)
{
    switch (m.msg) {
    case WM_SETTEXT:
        text_ = message_text(m);
        if (!parent_)
            desktop_.backend().native_set_title(*this);
        return 1;
    case WM_ERASEBKGND: {
        Canvas& canvas = message_canvas(m);
        canvas.fill_rect(canvas.clip_box(), background_);
        return 1;
    }
    case WM_NCPAINT: {
        Canvas& canvas = message_canvas(m);
        canvas.fill_rect(canvas.clip_box(), background_);
        return 0;
    }
    case WM_NCHITTEST: {
        Point p = screen_to_client(lparam_point(m.lparam));
        if (client_rect().contains(p))
            return HTCLIENT;
        return screen_rect().contains(lparam_point(m.lparam)) ? HTBORDER : HTNOWHERE;
    }
    case WM_NCACTIVATE:
        return 1;
    case WM_ACTIVATE:
        if (lo_word(m.wparam) != WA_INACTIVE)
            desktop_.restore_focus(*this);
        return 0;
    case WM_MOUSEACTIVATE:
        // A child asks its parent first, the way nested controls let their
        // container decide.
        if (parent_) {
            if (LResult r = parent_->send(WM_MOUSEACTIVATE, m.wparam, m.lparam))
                return r;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR: {
        if (parent_ && parent_->send(WM_SETCURSOR, m.wparam, m.lparam))
            return 1;
        int ht = message_hit(m);
        Cursor c = Cursor::Arrow;
        switch (ht) {
        case HTCLIENT:
            c = wparam_window(m)->cursor_;
            break;
        case HTLEFT:
        case HTRIGHT:
            c = Cursor::SizeWE;
            break;
        case HTTOP:
        case HTBOTTOM:
            c = Cursor::SizeNS;
            break;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            c = Cursor::SizeNWSE;
            break;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            c = Cursor::SizeNESW;
            break;
        default:
            break;
        }
        desktop_.set_cursor(c);
        return 0;
    }
    case WM_NCLBUTTONDOWN: {
        int ht = static_cast<int>(m.wparam);
        if (!parent_ && ht == HTCAPTION)
            send(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, m.lparam);
        else if (!parent_ && is_sizing_hit(ht))
            send(WM_SYSCOMMAND, SC_SIZE | static_cast<WParam>(ht - HTLEFT + 1), m.lparam);
        return 0;
    }
    case WM_SYSCOMMAND:
        switch (m.wparam & 0xFFF0) {
        case SC_MOVE:
            desktop_.run_size_move(*this, HTCAPTION);
            break;
        case SC_SIZE:
            desktop_.run_size_move(*this, static_cast<int>(m.wparam & 0x0F) + HTLEFT - 1);
            break;
        case SC_CLOSE:
            send(WM_CLOSE);
            break;
        case SC_MINIMIZE:
            if (!parent_)
                desktop_.backend().native_minimize(*this);
            break;
        default:
            break;
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (m.wparam == static_cast<WParam>(VK_F4) && (m.lparam & (1 << 29)))
            top_level()->send(WM_SYSCOMMAND, SC_CLOSE);
        return 0;
    case WM_SYSCHAR:
        if (m.wparam == ' ')
            top_level()->send(WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return 0;
    case WM_CLOSE:
        destroy();
        return 0;
    case WM_CANCELMODE:
        if (has_capture())
            desktop_.release_capture();
        return 0;
    case WM_MOUSEWHEEL:
        return parent_ ? parent_->send(m.msg, m.wparam, m.lparam) : 0;
    case WM_IME_COMPOSITION:
        if (m.lparam & GCS_RESULTSTR) {
            const std::string result = desktop_.ime_result();
            for (size_t i = 0; i < result.size(); ++i) {
                unsigned char c = static_cast<unsigned char>(result[i]);
                if (cp936_is_lead(c) && i + 1 < result.size()) {
                    send(WM_IME_CHAR, ime_char_param(c, static_cast<unsigned char>(result[i + 1])));
                    ++i;
                } else {
                    send(WM_IME_CHAR, c);
                }
            }
        }
        return 0;
    case WM_IME_CHAR:
        if (m.wparam > 0xFF) {
            send(WM_CHAR, (m.wparam >> 8) & 0xFF, 1);
            send(WM_CHAR, m.wparam & 0xFF, 1);
        } else {
            send(WM_CHAR, m.wparam, 1);
        }
        return 0;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------- geometry

Point Window::window_to_screen(Point p) const
{
    for (const Window* w = this; w; w = w->parent_) {
        p = p + w->bounds_.top_left();
        if (w->parent_)
            p = p + w->parent_->client_.top_left();
    }
    return p;
}

Point Window::screen_to_window(Point p) const
{
    return p - window_to_screen({0, 0});
}

Point Window::client_to_screen(Point p) const
{
    return window_to_screen(p + client_.top_left());
}

Point Window::screen_to_client(Point p) const
{
    return screen_to_window(p) - client_.top_left();
}

Rect Window::screen_rect() const
{
    return Rect::from_size(bounds_.size()).offset(window_to_screen({0, 0}));
}

Rect Window::calc_client()
{
    Rect r = bounds_;
    send(WM_NCCALCSIZE, 0, rect_param(r));
    return r.offset(-bounds_.left, -bounds_.top).intersected(Rect::from_size(bounds_.size()));
}

void Window::recalc_frame()
{
    Rect c = calc_client();
    bool resized = c.size() != client_.size();
    client_ = c;
    invalidate();
    if (resized)
        send(WM_SIZE, SIZE_RESTORED, size_param(client_.size()));
}

void Window::set_bounds(const Rect& r)
{
    if (destroyed_)
        return;
    Rect old_screen = screen_rect();
    Rect old = bounds_;
    Size old_client = client_.size();
    bounds_ = {r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)};
    client_ = calc_client();
    desktop_.window_moved(*this, old_screen, old.size() != bounds_.size());
    if (old.top_left() != bounds_.top_left()) {
        Point origin = bounds_.top_left() + client_.top_left();
        send(WM_MOVE, 0, point_lparam(origin));
    }
    if (old_client != client_.size() || old.size() != bounds_.size())
        send(WM_SIZE, SIZE_RESTORED, size_param(client_.size()));
}

// ---------------------------------------------------------------- state

bool Window::visible() const
{
    for (const Window* w = this; w; w = w->parent_) {
        if (!w->shown_)
            return false;
    }
    return !destroyed_;
}

void Window::show(bool visible)
{
    if (destroyed_ || shown_ == visible)
        return;
    send(WM_SHOWWINDOW, visible ? 1 : 0);
    shown_ = visible;
    desktop_.window_shown(*this, visible);
}

void Window::enable(bool on)
{
    if (destroyed_ || enabled_ == on)
        return;
    if (!on)
        send(WM_CANCELMODE);
    enabled_ = on;
    send(WM_ENABLE, on ? 1 : 0);
    if (!on)
        desktop_.drop_input_state(*this);
}

void Window::set_text(const std::string& cp936)
{
    send(WM_SETTEXT, 0, text_param(cp936));
}

void Window::set_background(Color c)
{
    background_ = c;
    invalidate();
}

void Window::bring_to_front()
{
    desktop_.restack(*this, true);
}

void Window::send_to_back()
{
    desktop_.restack(*this, false);
}

// ---------------------------------------------------------------- region and painting

void Window::set_region(const Region* region, bool redraw)
{
    Rect before = screen_rect();
    region_ = region ? std::make_unique<Region>(*region) : nullptr;
    if (!parent_)
        desktop_.backend().native_set_shape(*this, region_.get());
    if (redraw) {
        desktop_.invalidate_screen_area(*this, before);
        invalidate();
    }
}

bool Window::region_contains(Point p) const
{
    if (!Rect::from_size(bounds_.size()).contains(p))
        return false;
    return !region_ || region_->contains(p);
}

void Window::invalidate(const Rect* client_rect)
{
    if (client_rect)
        invalidate_window_rect(client_rect->offset(client_.top_left()).intersected(client_));
    else
        invalidate_window_rect(Rect::from_size(bounds_.size()));
}

void Window::invalidate_window_rect(const Rect& window_rect)
{
    if (destroyed_ || window_rect.empty())
        return;
    desktop_.mark_dirty(*this, window_rect);
}

void Window::update()
{
    if (!destroyed_)
        desktop_.paint_top(*top_level());
}

// ---------------------------------------------------------------- input

void Window::set_capture()
{
    desktop_.set_capture(this);
}

bool Window::has_capture() const
{
    return desktop_.capture() == this;
}

void Window::set_focus()
{
    desktop_.set_focus(this);
}

bool Window::focused() const
{
    return desktop_.focus() == this;
}

void Window::set_cursor(Cursor c)
{
    cursor_ = c;
    if (desktop_.hover() == this)
        desktop_.set_cursor(c);
}

// ---------------------------------------------------------------- timers and life

void Window::set_timer(std::uintptr_t id, int interval_ms)
{
    if (!destroyed_)
        desktop_.set_window_timer(*this, id, interval_ms);
}

void Window::kill_timer(std::uintptr_t id)
{
    desktop_.kill_window_timer(*this, id);
}

void Window::destroy()
{
    if (destroyed_)
        return;
    desktop_.destroy_window(*this);
}

} // namespace lt
