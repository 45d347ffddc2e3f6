// The desktop: window bookkeeping, activation, focus, capture, input
// routing, double-click timing, our own move/size loop, modal loops, window
// timers, the clipboard and painting.
//
// Sections: state - construction - windows - z-order - activation and
// focus - capture and tab order - keyboard state - clipboard, cursor, caret
// - timers - modal loops and the move/size loop - mouse input - keyboard
// and text input - native notifications - painting - event source.

#include "platform/desktop.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>

#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/region.h"
#include "text/cp936.h"
#include "text/scope_exit.h"

namespace lt {

namespace {

// Byte length, once converted to code page 936, of the first `chars`
// characters of a UTF-8 text: the input method counts its caret in
// characters, the edit control in bytes.
int cp936_length_of_prefix(std::string_view utf8, int chars)
{
    size_t pos = 0;
    for (int i = 0; i < chars && pos < utf8.size(); ++i) {
        ++pos;
        while (pos < utf8.size() && (static_cast<unsigned char>(utf8[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return static_cast<int>(utf8_to_cp936(utf8.substr(0, pos)).size());
}

} // namespace

// ---------------------------------------------------------------- state

struct Desktop::State {
    std::vector<std::unique_ptr<Window>> windows;
    std::set<const Window*> live;
    // Destroyed windows wait here until no handler can still be using them.
    std::vector<std::unique_ptr<Window>> graveyard;
    struct Top {
        Bitmap image;
        Region dirty;
        // Set while the window paints: a repaint asked for meanwhile waits
        // for the next loop turn, and a window destroyed meanwhile keeps its
        // image until the paint is over.
        bool painting = false;
        bool destroyed = false;
    };
    std::map<const Window*, Top> tops;
    std::map<std::pair<const Window*, std::uintptr_t>, EventLoop::TimerId> timers;
    // Bit 0x80: down; bit 0x01: toggled by each press.
    std::array<std::uint8_t, 256> keys{};
    struct Click {
        Window* window = nullptr;
        MouseButton button = MouseButton::Left;
        int64_t time = 0;
        Point at;
        bool nc = false;
    } last_click;
    struct Modal {
        Window* window;
        bool ended = false;
        int code = 0;
    };
    std::vector<Modal> modals;
    struct Drag {
        Window* window = nullptr;
        int hit = 0;
        Point start;
        Rect start_bounds;
    } drag;
    bool dragging = false;
    bool composing = false;
    std::vector<std::pair<int, Desktop::KeyFilter>> key_filters;
    int next_key_filter = 1;
    // Keys whose press a filter took: their release is taken too, and so is
    // the text typed before the next key event.
    std::array<bool, 256> taken_keys{};
    bool take_text = false;
    Rect caret;
    // Nested loops and dispatches running now; the graveyard is emptied only
    // when both are zero.
    int nesting = 0;
    int dispatching = 0;
};

namespace {
thread_local Desktop* t_desktop = nullptr;

int vk_of(MouseButton b)
{
    return b == MouseButton::Left ? VK_LBUTTON : b == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

std::uint32_t button_message(MouseButton b, bool down, bool dbl, bool nc)
{
    std::uint32_t base = b == MouseButton::Left ? WM_LBUTTONDOWN
        : b == MouseButton::Right               ? WM_RBUTTONDOWN
                                                : WM_MBUTTONDOWN;
    if (nc)
        base = base - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
    return base + (down ? (dbl ? 2 : 0) : 1);
}

// Offset of a window's top-left corner inside its top-level window.
Point offset_in_top(const Window& w)
{
    Point p{0, 0};
    for (const Window* v = &w; v->parent(); v = v->parent())
        p = p + v->bounds().top_left() + v->parent()->client_in_window().top_left();
    return p;
}
} // namespace

// ---------------------------------------------------------------- construction

Desktop::Desktop(EventLoop& loop, Backend& backend) : s_(std::make_unique<State>()), loop_(loop), backend_(backend)
{
    if (!t_desktop)
        t_desktop = this;
    loop_.set_event_source(this);
}

Desktop::~Desktop()
{
    for (Window* top : std::vector<Window*>(tops_))
        top->destroy();
    if (loop_.event_source() == this)
        loop_.set_event_source(nullptr);
    if (t_desktop == this)
        t_desktop = nullptr;
}

Desktop* Desktop::current()
{
    return t_desktop;
}

// ---------------------------------------------------------------- windows

Window* Desktop::create_window(const CreateParams& p)
{
    std::unique_ptr<Window> owned(new Window(*this, p));
    Window* w = owned.get();
    s_->windows.push_back(std::move(owned));
    s_->live.insert(w);
    if (w->parent_) {
        w->parent_->children_.push_back(w);
    } else {
        tops_.push_back(w);
        s_->tops[w].image = Bitmap(w->bounds_.width(), w->bounds_.height());
        backend_.native_create(*w);
        backend_.native_set_bounds(*w, w->bounds_);
    }
    w->send(WM_CREATE);
    w->client_ = w->calc_client();
    if (p.visible)
        w->show(true);
    return w;
}

bool Desktop::is_window(const Window* w) const
{
    return w && s_->live.count(w) != 0;
}

Window* Desktop::window_from_point(Point screen) const
{
    for (auto it = tops_.rbegin(); it != tops_.rend(); ++it) {
        Window* w = *it;
        if (!w->visible() || !w->region_contains(w->screen_to_window(screen)))
            continue;
        // Descend into the topmost child under the point, within each
        // parent's client area; disabled children let the parent have it.
        for (;;) {
            Point c = w->screen_to_client(screen);
            if (!w->client_rect().contains(c))
                break;
            Window* hit = nullptr;
            for (auto ch = w->children_.rbegin(); ch != w->children_.rend(); ++ch) {
                Window* child = *ch;
                if (child->shown_ && child->enabled_ && child->region_contains(child->screen_to_window(screen))) {
                    hit = child;
                    break;
                }
            }
            if (!hit)
                break;
            w = hit;
        }
        return w;
    }
    return nullptr;
}

void Desktop::destroy_window(Window& w)
{
    w.send(WM_DESTROY);
    for (Window* child : std::vector<Window*>(w.children_))
        child->destroy();
    for (Window* top : std::vector<Window*>(tops_)) {
        if (top->owner_ == &w)
            top->destroy();
    }
    Rect area = w.screen_rect();
    bool was_visible = w.visible();
    w.destroyed_ = true;
    for (auto it = s_->timers.begin(); it != s_->timers.end();) {
        if (it->first.first == &w) {
            loop_.stop_timer(it->second);
            it = s_->timers.erase(it);
        } else {
            ++it;
        }
    }
    if (capture_ == &w)
        capture_ = nullptr;
    if (hover_ == &w)
        hover_ = nullptr;
    if (focus_ == &w)
        focus_ = nullptr;
    if (s_->dragging && s_->drag.window == &w)
        s_->dragging = false;
    for (auto& m : s_->modals) {
        if (m.window == &w && !m.ended) {
            m.ended = true;
            m.code = 0;
        }
    }
    for (Window* other : tops_) {
        if (other->last_focus_ == &w)
            other->last_focus_ = nullptr;
    }
    if (w.parent_) {
        auto& sib = w.parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), &w), sib.end());
        if (was_visible)
            invalidate_screen_area(*w.parent_, area);
    } else {
        tops_.erase(std::remove(tops_.begin(), tops_.end(), &w), tops_.end());
        if (auto top = s_->tops.find(&w); top != s_->tops.end() && top->second.painting)
            top->second.destroyed = true;
        else
            s_->tops.erase(&w);
        backend_.native_destroy(w);
        if (active_ == &w) {
            active_ = nullptr;
            Window* next = w.owner_ && is_window(w.owner_) ? w.owner_ : nullptr;
            for (auto it = tops_.rbegin(); !next && it != tops_.rend(); ++it) {
                if (!(*it)->popup_ && (*it)->visible() && (*it)->enabled_)
                    next = *it;
            }
            activate(next);
        }
    }
    s_->live.erase(&w);
    auto it = std::find_if(s_->windows.begin(), s_->windows.end(), [&](auto& p) { return p.get() == &w; });
    if (it != s_->windows.end()) {
        s_->graveyard.push_back(std::move(*it));
        s_->windows.erase(it);
    }
}

// ---------------------------------------------------------------- z-order

void Desktop::restack(Window& w, bool to_front)
{
    auto& list = w.parent_ ? w.parent_->children_ : tops_;
    list.erase(std::remove(list.begin(), list.end(), &w), list.end());
    if (to_front)
        list.push_back(&w);
    else
        list.insert(list.begin(), &w);
    if (!w.parent_ && to_front) {
        // Owned windows stay above their owner, popups above everything.
        std::vector<Window*> owned;
        std::function<void(Window*)> collect = [&](Window* o) {
            for (Window* t : tops_) {
                if (t->owner_ == o && std::find(owned.begin(), owned.end(), t) == owned.end()) {
                    owned.push_back(t);
                    collect(t);
                }
            }
        };
        collect(&w);
        for (Window* o : owned) {
            tops_.erase(std::remove(tops_.begin(), tops_.end(), o), tops_.end());
            tops_.push_back(o);
        }
        std::stable_partition(tops_.begin(), tops_.end(), [](Window* t) { return !t->popup_; });
    }
    if (w.parent_)
        w.invalidate();
    else
        sync_native_stack();
}

void Desktop::sync_native_stack()
{
    backend_.native_restack(tops_);
    if (active_)
        backend_.native_focus(*active_);
}

// ---------------------------------------------------------------- activation and focus

void Desktop::activate(Window* top)
{
    if (top)
        top = top->top_level();
    if (top == active_)
        return;
    if (top && (top->popup_ || !top->enabled_ || !top->visible()))
        return;
    Window* old = active_;
    if (old && focus_ && old->is_ancestor_of(focus_))
        old->last_focus_ = focus_;
    if (capture_ && old && old->is_ancestor_of(capture_))
        capture_->send(WM_CANCELMODE);
    active_ = top;
    if (old && is_window(old)) {
        old->send(WM_NCACTIVATE, 0);
        old->send(WM_ACTIVATE, WA_INACTIVE, window_lparam(top));
    }
    if (!top) {
        set_focus(nullptr);
        return;
    }
    restack(*top, true);
    top->send(WM_NCACTIVATE, 1);
    top->send(
        WM_ACTIVATE, key_down(VK_LBUTTON) || key_down(VK_RBUTTON) ? WA_CLICKACTIVE : WA_ACTIVE, window_lparam(old));
}

void Desktop::restore_focus(Window& top)
{
    if (active_ != &top)
        return;
    Window* f = top.last_focus_;
    if (f && is_window(f) && top.is_ancestor_of(f) && f->visible() && input_allowed(f))
        set_focus(f);
    else if (!focus_ || !top.is_ancestor_of(focus_))
        set_focus(&top);
}

void Desktop::set_focus(Window* w)
{
    if (w == focus_)
        return;
    if (w) {
        Window* top = w->top_level();
        if (top->popup_ || !w->visible() || !input_allowed(w))
            return;
        if (top != active_) {
            top->last_focus_ = w;
            activate(top);
            if (active_ != top || focus_ == w)
                return;
        }
    }
    Window* old = focus_;
    focus_ = w;
    if (old && is_window(old))
        old->send(WM_KILLFOCUS, window_wparam(w));
    if (focus_ != w)
        return;
    if (w) {
        w->top_level()->last_focus_ = w;
        w->send(WM_SETFOCUS, window_wparam(old));
    }
    if (s_->composing) {
        s_->composing = false;
        ime_comp_.clear();
    }
    backend_.text_input(focus_ != nullptr, s_->caret);
}

bool Desktop::input_allowed(const Window* w) const
{
    for (; w; w = w->parent_) {
        if (!w->enabled_ || w->destroyed_)
            return false;
    }
    return true;
}

// ---------------------------------------------------------------- capture and tab order

void Desktop::set_capture(Window* w)
{
    if (w == capture_)
        return;
    Window* old = capture_;
    capture_ = w;
    if (old && is_window(old))
        old->send(WM_CAPTURECHANGED, 0, window_lparam(w));
}

Window* Desktop::next_tab_stop(Window* from, bool forward) const
{
    if (!from)
        return nullptr;
    Window* top = from->top_level();
    // Every tab stop of the top-level window in tab order: siblings by
    // tab_order (then by creation), parents before their children.
    std::vector<Window*> order;
    std::function<void(Window*)> walk = [&](Window* w) {
        std::vector<Window*> kids = w->children_;
        std::stable_sort(kids.begin(), kids.end(), [](Window* a, Window* b) { return a->tab_order_ < b->tab_order_; });
        for (Window* k : kids) {
            if (!k->shown_ || !k->enabled_)
                continue;
            if (k->tab_stop_)
                order.push_back(k);
            walk(k);
        }
    };
    walk(top);
    if (order.empty())
        return nullptr;
    auto it = std::find(order.begin(), order.end(), from);
    if (it == order.end())
        return forward ? order.front() : order.back();
    size_t i = static_cast<size_t>(it - order.begin());
    size_t n = order.size();
    return order[forward ? (i + 1) % n : (i + n - 1) % n];
}

// ---------------------------------------------------------------- keyboard state

std::int16_t Desktop::key_state(int vk) const
{
    std::uint8_t k = s_->keys[static_cast<std::uint8_t>(vk)];
    return static_cast<std::int16_t>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

WParam Desktop::mouse_key_flags() const
{
    WParam f = 0;
    if (key_down(VK_LBUTTON))
        f |= MK_LBUTTON;
    if (key_down(VK_RBUTTON))
        f |= MK_RBUTTON;
    if (key_down(VK_MBUTTON))
        f |= MK_MBUTTON;
    if (key_down(VK_SHIFT))
        f |= MK_SHIFT;
    if (key_down(VK_CONTROL))
        f |= MK_CONTROL;
    return f;
}

// ---------------------------------------------------------------- clipboard, cursor, caret

void Desktop::set_clipboard_text(const std::string& cp936)
{
    backend_.set_clipboard_utf8(cp936_to_utf8(cp936));
}

std::string Desktop::clipboard_text() const
{
    return utf8_to_cp936(backend_.clipboard_utf8());
}

void Desktop::set_cursor(Cursor c)
{
    if (c == cursor_)
        return;
    cursor_ = c;
    backend_.set_cursor(c);
}

void Desktop::set_caret_rect(Window& w, const Rect& client_rect)
{
    s_->caret = client_rect.offset(w.client_to_screen({0, 0}));
    if (focus_ == &w)
        backend_.text_input(true, s_->caret);
}

// ---------------------------------------------------------------- timers

void Desktop::set_window_timer(Window& w, std::uintptr_t id, int interval_ms)
{
    kill_window_timer(w, id);
    Window* target = &w;
    s_->timers[{target, id}] = loop_.start_timer(interval_ms, [this, target, id] {
        if (is_window(target))
            target->send(WM_TIMER, id);
    });
}

void Desktop::kill_window_timer(Window& w, std::uintptr_t id)
{
    auto it = s_->timers.find({&w, id});
    if (it == s_->timers.end())
        return;
    loop_.stop_timer(it->second);
    s_->timers.erase(it);
}

// ---------------------------------------------------------------- modal loops and the move/size loop

int Desktop::run_modal(Window& w)
{
    Window* owner = w.owner_ && is_window(w.owner_) ? w.owner_ : nullptr;
    bool re_enable = owner && owner->enabled_;
    if (owner)
        owner->enable(false);
    s_->modals.push_back({&w});
    const size_t index = s_->modals.size() - 1;
    w.show(true);
    activate(&w);
    {
        ++s_->nesting;
        ScopeExit nested([this] { --s_->nesting; });
        loop_.run_until([&] { return s_->modals[index].ended; });
    }
    int code = s_->modals[index].code;
    s_->modals.erase(s_->modals.begin() + static_cast<std::ptrdiff_t>(index));
    if (owner && is_window(owner) && re_enable)
        owner->enable(true);
    if (is_window(&w))
        w.show(false);
    if (owner && is_window(owner))
        activate(owner);
    return code;
}

void Desktop::end_modal(Window& w, int code)
{
    for (auto& m : s_->modals) {
        if (m.window == &w && !m.ended) {
            m.ended = true;
            m.code = code;
            loop_.post([] {});
        }
    }
}

bool Desktop::in_modal(const Window& w) const
{
    for (auto& m : s_->modals) {
        if (m.window == &w && !m.ended)
            return true;
    }
    return false;
}

void Desktop::run_size_move(Window& top, int hit)
{
    if (top.parent_ || s_->dragging || !key_down(VK_LBUTTON))
        return;
    s_->drag = {&top, hit, pointer_, top.bounds_};
    s_->dragging = true;
    if (capture_)
        release_capture();
    top.send(WM_ENTERSIZEMOVE);
    {
        ++s_->nesting;
        ScopeExit nested([this] { --s_->nesting; });
        loop_.run_until([&] { return !s_->dragging; });
    }
    s_->dragging = false;
    if (is_window(&top))
        top.send(WM_EXITSIZEMOVE);
}

namespace {
// Keeps one extent between its limits by moving the dragged edge back.
void clamp_extent(int& lo, int& hi, bool lo_dragged, int min, int max)
{
    int ext = hi - lo;
    int want = std::clamp(ext, min, std::max(min, max));
    if (want == ext)
        return;
    if (lo_dragged)
        lo = hi - want;
    else
        hi = lo + want;
}
} // namespace

// ---------------------------------------------------------------- mouse input

void Desktop::update_hover(Point screen)
{
    Window* under = window_from_point(screen);
    if (under && !input_allowed(under))
        under = nullptr;
    if (under == hover_)
        return;
    Window* old = hover_;
    hover_ = under;
    if (old && is_window(old)) {
        old->send(CM_MOUSELEAVE);
        old->send(WM_MOUSELEAVE);
    }
    if (under && is_window(under) && hover_ == under)
        under->send(CM_MOUSEENTER);
}

Window* Desktop::mouse_target(Point screen) const
{
    if (capture_)
        return capture_;
    return window_from_point(screen);
}

Window* Desktop::hit_test(Point screen, int& hit)
{
    Window* target = window_from_point(screen);
    hit = HTNOWHERE;
    // A window that answers HTTRANSPARENT lets its parent have the point.
    while (target) {
        hit = static_cast<int>(target->send(WM_NCHITTEST, 0, point_lparam(screen)));
        if (!is_window(target))
            return nullptr;
        if (hit != HTTRANSPARENT || !target->parent_)
            break;
        target = target->parent_;
    }
    return target;
}

void Desktop::input_mouse_move(Point screen)
{
    pointer_ = screen;
    if (s_->dragging) {
        auto& d = s_->drag;
        Window& w = *d.window;
        int dx = screen.x - d.start.x, dy = screen.y - d.start.y;
        Rect r = d.start_bounds;
        if (d.hit == HTCAPTION) {
            r = r.offset(dx, dy);
            w.send(WM_MOVING, 0, rect_param(r));
        } else {
            bool left = d.hit == HTLEFT || d.hit == HTTOPLEFT || d.hit == HTBOTTOMLEFT;
            bool right = d.hit == HTRIGHT || d.hit == HTTOPRIGHT || d.hit == HTBOTTOMRIGHT;
            bool top = d.hit == HTTOP || d.hit == HTTOPLEFT || d.hit == HTTOPRIGHT;
            bool bottom = d.hit == HTBOTTOM || d.hit == HTBOTTOMLEFT || d.hit == HTBOTTOMRIGHT;
            if (left)
                r.left += dx;
            if (right)
                r.right += dx;
            if (top)
                r.top += dy;
            if (bottom)
                r.bottom += dy;
            Rect screen_area = screen_bounds();
            MinMaxInfo mmi{{screen_area.width(), screen_area.height()}, {0, 0}, {1, 1},
                {screen_area.width() + 24, screen_area.height() + 24}};
            w.send(WM_GETMINMAXINFO, 0, minmax_param(mmi));
            clamp_extent(r.left, r.right, left, mmi.min_track_size.x, mmi.max_track_size.x);
            clamp_extent(r.top, r.bottom, top, mmi.min_track_size.y, mmi.max_track_size.y);
            w.send(WM_SIZING, static_cast<WParam>(d.hit - HTLEFT + 1), rect_param(r));
        }
        if (is_window(&w))
            w.set_bounds(r);
        return;
    }
    update_hover(screen);
    if (capture_) {
        capture_->send(WM_MOUSEMOVE, mouse_key_flags(), point_lparam(capture_->screen_to_client(screen)));
        return;
    }
    Window* target = window_from_point(screen);
    if (target && !input_allowed(target)) {
        set_cursor(Cursor::Arrow);
        return;
    }
    int ht = HTNOWHERE;
    target = hit_test(screen, ht);
    if (!target || ht == HTNOWHERE || ht == HTERROR || ht == HTTRANSPARENT)
        return;
    target->send(WM_SETCURSOR, window_wparam(target), hit_param(ht, WM_MOUSEMOVE));
    if (!is_window(target))
        return;
    if (ht == HTCLIENT)
        target->send(WM_MOUSEMOVE, mouse_key_flags(), point_lparam(target->screen_to_client(screen)));
    else
        target->send(WM_NCMOUSEMOVE, static_cast<WParam>(ht), point_lparam(screen));
}

void Desktop::input_mouse_button(MouseButton b, bool down, Point screen)
{
    pointer_ = screen;
    auto& key = s_->keys[static_cast<std::uint8_t>(vk_of(b))];
    if (down)
        key = static_cast<std::uint8_t>((key | 0x80) ^ 0x01);
    else
        key &= 0x7F;
    if (!down && s_->dragging) {
        // The release puts the window where it points and ends our move/size
        // loop; it goes nowhere else.
        input_mouse_move(screen);
        s_->dragging = false;
        return;
    }
    if (s_->dragging)
        return;
    update_hover(screen);
    Window* target = mouse_target(screen);
    if (!target)
        return;
    if (!capture_ && !input_allowed(target)) {
        // A press on a window disabled by a modal one brings the modal one up.
        if (down) {
            for (auto it = s_->modals.rbegin(); it != s_->modals.rend(); ++it) {
                if (!it->ended && is_window(it->window)) {
                    activate(it->window);
                    break;
                }
            }
        }
        return;
    }
    int ht = HTCLIENT;
    if (!capture_) {
        target = hit_test(screen, ht);
        if (!target || ht == HTNOWHERE || ht == HTERROR || ht == HTTRANSPARENT)
            return;
    }
    const bool nc = ht != HTCLIENT;
    if (down) {
        const std::uint32_t down_msg = button_message(b, true, false, nc);
        Window* top = target->top_level();
        if (!capture_ && top != active_ && !top->popup_) {
            LResult r = target->send(WM_MOUSEACTIVATE, window_wparam(top), hit_param(ht, down_msg));
            if (r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT)
                activate(top);
            if (!is_window(target) || r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT)
                return;
        }
        if (!capture_) {
            for (Window* a = target->parent_; a; a = a->parent_)
                a->send(WM_PARENTNOTIFY, down_msg, point_lparam(a->screen_to_client(screen)));
            if (!is_window(target))
                return;
        }
        auto& last = s_->last_click;
        const int64_t now = loop_.now_ms();
        const int half = kDoubleClickBox / 2;
        bool dbl = (nc || target->double_clicks_) && last.window == target && last.button == b && last.nc == nc &&
            now - last.time <= kDoubleClickMs && std::abs(screen.x - last.at.x) <= half &&
            std::abs(screen.y - last.at.y) <= half;
        // A double-click ends the pair: a third press starts a new one.
        last = dbl ? State::Click{} : State::Click{target, b, now, screen, nc};
        if (nc)
            target->send(button_message(b, true, dbl, true), static_cast<WParam>(ht), point_lparam(screen));
        else
            target->send(
                button_message(b, true, dbl, false), mouse_key_flags(), point_lparam(target->screen_to_client(screen)));
        return;
    }
    if (nc)
        target->send(button_message(b, false, false, true), static_cast<WParam>(ht), point_lparam(screen));
    else
        target->send(
            button_message(b, false, false, false), mouse_key_flags(), point_lparam(target->screen_to_client(screen)));
}

void Desktop::input_mouse_wheel(int delta, Point screen)
{
    pointer_ = screen;
    Window* target = key_target();
    if (!target || !input_allowed(target))
        return;
    target->send(WM_MOUSEWHEEL, wheel_param(delta, mouse_key_flags()), point_lparam(screen));
}

// ---------------------------------------------------------------- keyboard and text input

Window* Desktop::key_target() const
{
    if (focus_)
        return focus_;
    return active_;
}

int Desktop::add_key_filter(KeyFilter filter)
{
    const int id = s_->next_key_filter++;
    s_->key_filters.emplace_back(id, std::move(filter));
    return id;
}

void Desktop::remove_key_filter(int id)
{
    auto& filters = s_->key_filters;
    filters.erase(
        std::remove_if(filters.begin(), filters.end(), [id](const auto& f) { return f.first == id; }), filters.end());
}

bool Desktop::filter_key(Message m)
{
    // From a copy: a filter may remove itself or add another.
    auto filters = s_->key_filters;
    for (auto it = filters.rbegin(); it != filters.rend(); ++it)
        if (it->second(m))
            return true;
    return false;
}

void Desktop::input_key(int vk, bool down, bool repeat)
{
    auto& key = s_->keys[static_cast<std::uint8_t>(vk)];
    const bool was_down = key & 0x80;
    if (down)
        key = static_cast<std::uint8_t>(was_down ? key : ((key | 0x80) ^ 0x01));
    else
        key &= 0x7F;
    bool& taken = s_->taken_keys[static_cast<std::uint8_t>(vk)];
    s_->take_text = false;
    if (!down && taken) {
        taken = false;
        return;
    }
    if (!s_->key_filters.empty()) {
        const bool alt_held = key_down(VK_MENU) && !key_down(VK_CONTROL);
        const std::uint32_t msg = down ? (alt_held ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt_held ? WM_SYSKEYUP : WM_KEYUP);
        if (filter_key({msg, static_cast<WParam>(vk), (was_down || !down) ? LParam{1} << 30 : 0})) {
            taken = down;
            s_->take_text = down;
            return;
        }
    }
    Window* target = key_target();
    if (!target || !input_allowed(target))
        return;
    const bool alt = key_down(VK_MENU);
    const bool ctrl = key_down(VK_CONTROL);
    const bool sys = alt && !ctrl;
    if (down && vk == VK_TAB && !alt && !ctrl) {
        LResult code = target->send(WM_GETDLGCODE, vk);
        if (!is_window(target))
            return;
        if (!(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
            if (Window* next = next_tab_stop(target, !key_down(VK_SHIFT)))
                set_focus(next);
            return;
        }
    }
    LParam lp = 1 | (alt ? (1 << 29) : 0) | ((was_down || !down) ? (1 << 30) : 0);
    if (!down)
        lp |= static_cast<LParam>(std::uint32_t{1} << 31);
    target->send(
        down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP), static_cast<WParam>(vk), lp);
    if (!down)
        return;
    // The characters of keys that type no text.
    unsigned ch = 0;
    if (vk == VK_BACK)
        ch = 8;
    else if (vk == VK_TAB)
        ch = 9;
    else if (vk == VK_RETURN)
        ch = 13;
    else if (vk == VK_ESCAPE)
        ch = 27;
    else if (ctrl && !alt && vk >= 'A' && vk <= 'Z')
        ch = static_cast<unsigned>(vk - 'A' + 1);
    else if (sys && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || vk == VK_SPACE))
        ch = static_cast<unsigned>(vk >= 'A' && vk <= 'Z' ? vk - 'A' + 'a' : vk);
    if (!ch)
        return;
    Window* now_target = key_target();
    if (now_target && input_allowed(now_target))
        now_target->send(sys ? WM_SYSCHAR : WM_CHAR, ch, lp);
}

void Desktop::input_text(const std::string& utf8)
{
    if (key_down(VK_MENU) && !key_down(VK_CONTROL))
        return;
    if (s_->take_text) {
        s_->take_text = false;
        return;
    }
    const std::string bytes = utf8_to_cp936(utf8);
    for (char c : bytes) {
        if (!s_->key_filters.empty() && filter_key({WM_CHAR, static_cast<unsigned char>(c), 1}))
            continue;
        Window* target = key_target();
        if (!target || !input_allowed(target))
            return;
        target->send(WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

void Desktop::input_composition(const std::string& utf8, int cursor_chars)
{
    Window* target = key_target();
    if (!target || !input_allowed(target))
        return;
    if (utf8.empty()) {
        if (!s_->composing)
            return;
        ime_comp_.clear();
        ime_cursor_ = 0;
        target->send(WM_IME_COMPOSITION, 0, GCS_COMPSTR);
        s_->composing = false;
        if (is_window(target))
            target->send(WM_IME_ENDCOMPOSITION);
        return;
    }
    if (!s_->composing) {
        s_->composing = true;
        target->send(WM_IME_STARTCOMPOSITION);
        if (!is_window(target))
            return;
    }
    ime_comp_ = utf8_to_cp936(utf8);
    ime_cursor_ = cp936_length_of_prefix(utf8, cursor_chars);
    target->send(WM_IME_COMPOSITION, 0, GCS_COMPSTR | GCS_CURSORPOS);
}

void Desktop::input_commit(const std::string& utf8)
{
    Window* target = key_target();
    if (!target || !input_allowed(target))
        return;
    if (!s_->composing) {
        target->send(WM_IME_STARTCOMPOSITION);
        if (!is_window(target))
            return;
    }
    s_->composing = false;
    ime_comp_.clear();
    ime_cursor_ = 0;
    ime_result_ = utf8_to_cp936(utf8);
    WParam first = 0;
    if (!ime_result_.empty()) {
        auto c = static_cast<unsigned char>(ime_result_[0]);
        first = (cp936_is_lead(c) && ime_result_.size() > 1)
            ? (WParam{c} << 8) | static_cast<unsigned char>(ime_result_[1])
            : c;
    }
    target->send(WM_IME_COMPOSITION, first, GCS_RESULTSTR);
    ime_result_.clear();
    if (is_window(target))
        target->send(WM_IME_ENDCOMPOSITION);
}

// ---------------------------------------------------------------- native notifications

void Desktop::input_native_moved(Window& top, const Rect& screen)
{
    if (is_window(&top) && !top.parent_ && screen != top.bounds_)
        top.set_bounds(screen);
}

void Desktop::input_native_close(Window& top)
{
    if (is_window(&top) && input_allowed(&top))
        top.send(WM_SYSCOMMAND, SC_CLOSE);
}

void Desktop::input_native_focus(Window& top, bool gained)
{
    // Focus and activation are ours; a popup that the display gave focus
    // to hands it back to the active window.
    if (gained && is_window(&top) && top.popup_ && active_)
        backend_.native_focus(*active_);
}

// ---------------------------------------------------------------- painting

void Desktop::window_moved(Window& w, const Rect& old_screen, bool resized)
{
    if (!w.parent_) {
        // Moving keeps what is on screen; a new size needs a new image.
        backend_.native_set_bounds(w, w.bounds_);
        auto& top = s_->tops[&w];
        if (resized || top.image.size() != w.bounds_.size()) {
            top.image = Bitmap(w.bounds_.width(), w.bounds_.height());
            top.dirty = Region(Rect::from_size(w.bounds_.size()));
        }
        return;
    }
    if (w.visible()) {
        invalidate_screen_area(*w.parent_, old_screen);
        w.invalidate();
    }
}

void Desktop::window_shown(Window& w, bool shown)
{
    if (!w.parent_) {
        backend_.native_show(w, shown);
        if (shown) {
            s_->tops[&w].dirty = Region(Rect::from_size(w.bounds_.size()));
            if (!w.popup_ && w.enabled_)
                activate(&w);
            else if (w.popup_)
                restack(w, true);
        }
    } else if (w.parent_->visible()) {
        invalidate_screen_area(*w.parent_, w.screen_rect());
    }
    if (!shown)
        drop_input_state(w);
}

void Desktop::drop_input_state(Window& w)
{
    if (capture_ && w.is_ancestor_of(capture_))
        release_capture();
    if (hover_ && w.is_ancestor_of(hover_))
        hover_ = nullptr;
    if (focus_ && w.is_ancestor_of(focus_)) {
        Window* top = w.top_level();
        set_focus(top != &w && top->visible() && input_allowed(top) ? top : nullptr);
        if (focus_ && w.is_ancestor_of(focus_))
            focus_ = nullptr;
    }
    if (!w.parent_ && active_ == &w && !w.visible()) {
        active_ = nullptr;
        w.send(WM_NCACTIVATE, 0);
        w.send(WM_ACTIVATE, WA_INACTIVE, 0);
        Window* next = w.owner_ && is_window(w.owner_) && w.owner_->visible() ? w.owner_ : nullptr;
        activate(next);
    }
}

void Desktop::invalidate_screen_area(Window& w, const Rect& screen)
{
    Window* top = w.top_level();
    Point origin = top->bounds_.top_left();
    Rect local = screen.offset(-origin.x, -origin.y).intersected(Rect::from_size(top->bounds_.size()));
    if (!local.empty())
        s_->tops[top].dirty.unite(Region(local));
}

void Desktop::mark_dirty(Window& w, const Rect& window_rect)
{
    Window* top = w.top_level();
    Rect local = window_rect.offset(offset_in_top(w)).intersected(Rect::from_size(top->bounds_.size()));
    if (!local.empty())
        s_->tops[top].dirty.unite(Region(local));
}

namespace {
// Paints one window and then its children over the part of `clip` (top
// window coordinates) that the window covers.
void paint_window(Window& w, Canvas& canvas, Point at, const Region& clip)
{
    Region area = clip & Region(Rect::from_size(w.bounds().size()).offset(at));
    if (w.region()) {
        Region shape = *w.region();
        area.intersect(shape.offset(at.x, at.y));
    }
    if (area.empty())
        return;
    Rect client = w.client_in_window().offset(at);
    Region frame = area - Region(client);
    if (!frame.empty()) {
        CanvasSaver keep(canvas);
        canvas.set_origin(at);
        canvas.set_clip(Region(frame).offset(-at.x, -at.y));
        w.send(WM_NCPAINT, canvas_param(canvas));
    }
    Region inside = area & Region(client);
    if (inside.empty())
        return;
    {
        CanvasSaver keep(canvas);
        canvas.set_origin(client.top_left());
        canvas.set_clip(Region(inside).offset(-client.left, -client.top));
        Rect update = inside.bounds().offset(-client.left, -client.top);
        w.send(WM_ERASEBKGND, canvas_param(canvas));
        w.send(WM_PAINT, canvas_param(canvas), update_rect_param(update));
    }
    for (Window* child : std::vector<Window*>(w.children())) {
        if (child->shown() && !child->destroyed())
            paint_window(*child, canvas, client.top_left() + child->bounds().top_left(), inside);
    }
}
} // namespace

void Desktop::paint_top(Window& top)
{
    auto it = s_->tops.find(&top);
    // A window asked to paint while it paints (update() from a paint
    // handler) is not painted again inside: what it marked waits for the
    // next loop turn.
    if (it == s_->tops.end() || it->second.painting || it->second.dirty.empty() || !top.visible())
        return;
    State::Top& entry = it->second;
    // Taken before painting: a handler that invalidates again asks for the
    // next turn, not for an endless loop now.
    Region dirty = std::move(entry.dirty);
    entry.dirty = Region();
    entry.painting = true;
    ScopeExit painted([&] {
        entry.painting = false;
        if (entry.destroyed)
            s_->tops.erase(&top);
    });
    Bitmap& image = entry.image;
    if (image.size() != top.bounds_.size())
        image = Bitmap(top.bounds_.width(), top.bounds_.height());
    Canvas canvas(image);
    paint_window(top, canvas, {0, 0}, dirty);
    if (is_window(&top))
        backend_.present(top, image, dirty.bounds());
}

bool Desktop::paint_pending() const
{
    for (Window* top : tops_) {
        auto it = s_->tops.find(top);
        if (it != s_->tops.end() && !it->second.painting && !it->second.dirty.empty() && top->visible())
            return true;
    }
    return false;
}

void Desktop::paint_all()
{
    for (Window* top : std::vector<Window*>(tops_)) {
        if (is_window(top))
            loop_.run_guarded([&] { paint_top(*top); });
    }
}

const Bitmap* Desktop::image(const Window& top) const
{
    auto it = s_->tops.find(&top);
    return it == s_->tops.end() ? nullptr : &it->second.image;
}

Bitmap Desktop::compose_screen(Pixel background) const
{
    Rect screen = screen_bounds();
    Bitmap out(screen.width(), screen.height(), background);
    Canvas canvas(out);
    for (Window* top : tops_) {
        const Bitmap* img = image(*top);
        if (!top->visible() || !img)
            continue;
        CanvasSaver keep(canvas);
        Point at = top->bounds_.top_left() - screen.top_left();
        if (top->region()) {
            Region shape = *top->region();
            canvas.set_clip(shape.offset(at.x, at.y));
        }
        canvas.draw(at, *img);
    }
    return out;
}

// ---------------------------------------------------------------- event source

bool Desktop::dispatch_pending()
{
    if (s_->dispatching == 0 && s_->nesting == 0)
        s_->graveyard.clear();
    ++s_->dispatching;
    ScopeExit dispatched([this] { --s_->dispatching; });
    bool any = backend_.pump(*this);
    paint_all();
    return any;
}

void Desktop::wait(int timeout_ms)
{
    // A repaint asked for during the last paint is due now: the loop turns
    // again at once instead of sleeping until the next event.
    if (paint_pending())
        return;
    backend_.wait(timeout_ms);
}

void Desktop::wake()
{
    backend_.wake();
}

} // namespace lt
