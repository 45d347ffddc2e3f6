#pragma once
// Windows: the tree of top-level, popup and child windows, their procedures
// and the messages they receive.
//
// A Window is what a handle names on a classic desktop: bounds, visibility,
// enabled state, z-order, an optional region, a text, and a window procedure
// that answers messages (platform/messages.h). Top-level and popup windows
// have a parent of nullptr and live on the screen (bounds in screen
// coordinates); child windows live in their parent's client area (bounds in
// the parent's client coordinates). Windowless controls are not windows: they
// draw inside their parent's WM_PAINT.
//
// Windows are made with Desktop::create_window and belong to the Desktop;
// destroy() ends one (children first). A destroyed window's object stays
// valid until the current loop turn is over, so a procedure may destroy its
// own window; afterwards only Desktop::is_window tells whether a pointer
// still names a window.
//
// Sections: procedures - creation parameters - Window.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/color.h"
#include "gfx/geometry.h"
#include "platform/messages.h"

namespace lt {

class Canvas;
class Desktop;
class Region;
class Window;

// A window procedure. Takes over a window with Window::set_proc, which
// returns the procedure it replaces: call that one (call_proc) for every
// message not fully handled, so what the old procedure did keeps working.
using WndProc = std::function<LResult(Window& w, Message& m)>;

enum class Cursor { Arrow, IBeam, Wait, Cross, SizeNS, SizeWE, SizeNWSE, SizeNESW, SizeAll, Hand, No };

struct CreateParams {
    // Set for a child window; nullptr for a top-level or popup window.
    Window* parent = nullptr;
    // A top-level or popup window's owner: it stays above its owner, and a
    // modal window disables it.
    Window* owner = nullptr;
    // Parent client coordinates for a child, screen coordinates otherwise.
    Rect bounds;
    // Code page 936 text (a top-level window's caption).
    std::string text;
    // A popup never takes activation or keyboard focus (menus, drop-down
    // lists, hints); clicks on it still reach it.
    bool popup = false;
    bool visible = false;
    bool enabled = true;
    // Tab moves focus only between windows with tab_stop set.
    bool tab_stop = false;
    // Without it a fast second click arrives as a second button-down instead
    // of a double-click message.
    bool double_clicks = true;
    Cursor cursor = Cursor::Arrow;
    // What the default WM_ERASEBKGND fills the client with.
    Color background = clBtnFace;
    // The procedure; empty means the default procedure alone.
    WndProc proc;
    // Anything the owner of the window wants to find again from it.
    void* user_data = nullptr;
};

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window();

    Desktop& desktop() const { return desktop_; }

    // ---- tree
    Window* parent() const { return parent_; }
    Window* owner() const { return owner_; }
    // The top-level (or popup) window this one lives in; itself at the top.
    Window* top_level();
    // Children bottom to top.
    const std::vector<Window*>& children() const { return children_; }
    bool is_child() const { return parent_ != nullptr; }
    bool is_popup() const { return popup_; }
    bool is_ancestor_of(const Window* w) const;

    // ---- messages
    // Calls the window's procedure now and returns its answer.
    LResult send(std::uint32_t msg, WParam wp = 0, LParam lp = 0);
    LResult perform(std::uint32_t msg, WParam wp = 0, LParam lp = 0) { return send(msg, wp, lp); }
    // Queues the message on the event loop; it is dropped if the window is
    // destroyed before it runs. May be called from any thread only through
    // the loop's mailbox (EventLoop::post of a step that calls this).
    void post(std::uint32_t msg, WParam wp = 0, LParam lp = 0);
    const WndProc& proc() const { return proc_; }
    // Installs a new procedure and returns the previous one.
    WndProc set_proc(WndProc proc);
    // Calls `proc` for this window, or the default procedure when empty.
    LResult call_proc(const WndProc& proc, Message& m);
    // The default answers to every message (see platform/messages.h).
    LResult default_proc(Message& m);

    // ---- geometry
    // Parent client coordinates for a child, screen coordinates otherwise.
    const Rect& bounds() const { return bounds_; }
    // Moves and sizes: WM_NCCALCSIZE, then WM_MOVE and WM_SIZE for what
    // changed; repaints what is uncovered and the window itself.
    void set_bounds(const Rect& r);
    // The client rectangle in client coordinates: 0, 0, width, height.
    Rect client_rect() const { return Rect::from_size(client_.size()); }
    // The client rectangle in window coordinates (after WM_NCCALCSIZE).
    const Rect& client_in_window() const { return client_; }
    // Window coordinates to screen and back; client likewise.
    Point window_to_screen(Point p) const;
    Point screen_to_window(Point p) const;
    Point client_to_screen(Point p) const;
    Point screen_to_client(Point p) const;
    // The window's rectangle on screen.
    Rect screen_rect() const;
    // Asks for WM_NCCALCSIZE again (after a frame's margins changed).
    void recalc_frame();

    // ---- state
    // Visible means shown with every ancestor shown.
    bool visible() const;
    bool shown() const { return shown_; }
    void show(bool visible = true);
    void hide() { show(false); }
    bool enabled() const { return enabled_; }
    // Sends WM_ENABLE; a disabled window gets no mouse or keyboard input and
    // loses the focus and the capture.
    void enable(bool on = true);
    // Sends WM_SETTEXT (the default procedure stores the text).
    void set_text(const std::string& cp936);
    const std::string& text() const { return text_; }
    // Stores the text without a message (for WM_SETTEXT handlers).
    void store_text(std::string cp936) { text_ = std::move(cp936); }
    Color background() const { return background_; }
    void set_background(Color c);
    void* user_data() const { return user_data_; }
    void set_user_data(void* p) { user_data_ = p; }

    // ---- z-order among siblings (top-level windows: on screen)
    void bring_to_front();
    void send_to_back();

    // ---- region
    // The window's shape, in window coordinates: painting is clipped to it,
    // points outside it do not hit the window, and a top-level window is
    // shaped by it on screen. nullptr makes the window rectangular again.
    void set_region(const Region* region, bool redraw = true);
    const Region* region() const { return region_.get(); }
    // True when the window-coordinate point lies in the window and its region.
    bool region_contains(Point window_point) const;

    // ---- painting
    // Marks part of the client (client coordinates) for repainting in the
    // next loop turn; nullptr marks the whole window, frame included.
    void invalidate(const Rect* client_rect = nullptr);
    // Marks a rectangle in window coordinates (frame parts).
    void invalidate_window_rect(const Rect& window_rect);
    // Paints what is marked in this window's top-level window now and
    // presents it.
    void update();

    // ---- input
    // Mouse capture: all mouse messages go to this window until released.
    void set_capture();
    bool has_capture() const;
    // Focus: keys go to this window. A popup never takes it; a window in an
    // inactive top-level window activates that window first.
    void set_focus();
    bool focused() const;
    bool tab_stop() const { return tab_stop_; }
    void set_tab_stop(bool on) { tab_stop_ = on; }
    // Position in the tab order among siblings (lower first).
    int tab_order() const { return tab_order_; }
    void set_tab_order(int order) { tab_order_ = order; }
    bool double_clicks() const { return double_clicks_; }
    Cursor cursor() const { return cursor_; }
    // The cursor shown over the client (the default WM_SETCURSOR).
    void set_cursor(Cursor c);

    // ---- timers
    // Starts (or restarts) timer `id` of this window: WM_TIMER with wparam
    // id every interval_ms on the loop's clock, until killed or the window
    // is destroyed.
    void set_timer(std::uintptr_t id, int interval_ms);
    void kill_timer(std::uintptr_t id);

    // ---- life
    // Sends WM_DESTROY to this window and its children, releases focus,
    // capture and timers, and unlinks the window.
    void destroy();
    bool destroyed() const { return destroyed_; }

private:
    friend class Desktop;
    Window(Desktop& desktop, const CreateParams& p);
    // Asks WM_NCCALCSIZE for the client rectangle (window coordinates).
    Rect calc_client();

    Desktop& desktop_;
    Window* parent_ = nullptr;
    Window* owner_ = nullptr;
    std::vector<Window*> children_;
    bool popup_ = false;
    Rect bounds_;
    Rect client_;
    bool shown_ = false;
    bool enabled_ = true;
    bool tab_stop_ = false;
    int tab_order_ = 0;
    bool double_clicks_ = true;
    bool destroyed_ = false;
    Cursor cursor_ = Cursor::Arrow;
    Color background_ = clBtnFace;
    std::string text_;
    WndProc proc_;
    void* user_data_ = nullptr;
    std::unique_ptr<Region> region_;
    // The window that had focus when this top-level window was last
    // deactivated; it gets focus back on activation.
    Window* last_focus_ = nullptr;
};

} // namespace lt
