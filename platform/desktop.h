#pragma once
// The desktop: every window of the UI thread, and the state a classic
// window manager keeps for them - the active window, keyboard focus, mouse
// capture, the window under the pointer, key and button state, double-click
// timing, window timers, the cursor, modal loops, the clipboard and the
// input method's composition - on top of one Backend.
//
// The desktop is the event loop's EventSource: each loop turn it feeds the
// backend's events through, then paints every top-level window with marked
// areas into its off-screen bitmap (WM_NCPAINT, WM_ERASEBKGND, WM_PAINT from
// parent to children, bottom to top) and presents each in one step.
//
// Sections: construction - windows - activation, focus, capture - keyboard -
// input method - clipboard - screen - modal loops - input entry points
// (called by backends) - painting.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gfx/geometry.h"
#include "platform/backend.h"
#include "platform/event_loop.h"
#include "platform/window.h"

namespace lt {

class Bitmap;

enum class MouseButton { Left, Right, Middle };

// Double-click timing: a second press of the same button on the same window
// within this time and within a 4 x 4 pixel box around the first press.
inline constexpr int kDoubleClickMs = 500;
inline constexpr int kDoubleClickBox = 4;

class Desktop final : public EventSource {
public:
    // Registers itself as the loop's event source. Both must outlive the desktop.
    Desktop(EventLoop& loop, Backend& backend);
    ~Desktop() override;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The desktop constructed on this thread and still alive, if any.
    static Desktop* current();

    EventLoop& loop() const { return loop_; }
    Backend& backend() const { return backend_; }

    // ---- windows
    // Creates a window (WM_NCCREATE is not used; WM_CREATE then
    // WM_NCCALCSIZE are sent, then WM_SHOWWINDOW if visible).
    Window* create_window(const CreateParams& p);
    bool is_window(const Window* w) const;
    // Top-level and popup windows, bottom to top.
    const std::vector<Window*>& top_levels() const { return tops_; }
    // The deepest visible window at a screen point (regions respected;
    // disabled children leave the point to their parent), or nullptr.
    Window* window_from_point(Point screen) const;

    // ---- activation, focus, capture
    Window* active() const { return active_; }
    // Activates a top-level window (never a popup): WM_NCACTIVATE and
    // WM_ACTIVATE to the old and the new window; focus returns to the
    // window that last had it inside the new one.
    void activate(Window* top);
    Window* focus() const { return focus_; }
    void set_focus(Window* w);
    Window* capture() const { return capture_; }
    void set_capture(Window* w);
    void release_capture() { set_capture(nullptr); }
    // The next (or previous) enabled, visible tab stop after `from` inside
    // its top-level window, wrapping around; nullptr when there is none.
    Window* next_tab_stop(Window* from, bool forward) const;
    // The window under the pointer (the last one sent CM_MOUSEENTER).
    Window* hover() const { return hover_; }
    Point cursor_pos() const { return pointer_; }

    // ---- keyboard and buttons
    // High bit set (negative) while down, low bit toggled by each press;
    // VK_LBUTTON, VK_RBUTTON and VK_MBUTTON give the mouse buttons.
    std::int16_t key_state(int vk) const;
    bool key_down(int vk) const { return key_state(vk) < 0; }
    // MK_* flags of the buttons and modifier keys held now.
    WParam mouse_key_flags() const;

    // ---- key filters
    // A filter sees every key message (WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN,
    // WM_SYSKEYUP, and WM_CHAR for typed text) before the window with the
    // keyboard focus does, and takes it by answering true. A key whose press
    // was taken is taken whole: its release and the text it types reach no
    // window either. The newest filter asks first. An open popup menu, which
    // never has the focus itself, reads the keyboard this way.
    using KeyFilter = std::function<bool(Message& m)>;
    int add_key_filter(KeyFilter filter);
    void remove_key_filter(int id);

    // ---- input method
    // The composition in progress (code page 936) and the caret in it, in
    // bytes; empty when none.
    const std::string& ime_composition() const { return ime_comp_; }
    int ime_cursor() const { return ime_cursor_; }
    // The last committed string (valid while WM_IME_COMPOSITION with
    // GCS_RESULTSTR is handled).
    const std::string& ime_result() const { return ime_result_; }
    // Where the focused window's caret is (client coordinates), so the input
    // method's candidate window can follow it.
    void set_caret_rect(Window& w, const Rect& client_rect);

    // ---- clipboard (code page 936 inside; the backend holds UTF-8)
    void set_clipboard_text(const std::string& cp936);
    std::string clipboard_text() const;

    // ---- screen
    Rect screen_bounds() const { return backend_.screen_bounds(); }
    Rect work_area() const { return backend_.work_area(); }
    Cursor current_cursor() const { return cursor_; }
    // Shows a cursor now (WM_SETCURSOR handlers call this).
    void set_cursor(Cursor c);

    // ---- modal loops
    // Shows `w` modally: its owner (if any) is disabled, `w` is shown and
    // activated, and nested loop turns run until end_modal(w) (or the loop
    // is quit, which is passed on to the outer loop). The owner is enabled
    // and activated again before this returns. Returns the code given to
    // end_modal.
    int run_modal(Window& w);
    void end_modal(Window& w, int code);
    bool in_modal(const Window& w) const;

    // ---- input entry points, called by backends (screen coordinates)
    void input_mouse_move(Point screen);
    void input_mouse_button(MouseButton b, bool down, Point screen);
    void input_mouse_wheel(int delta, Point screen);
    // vk: VK_* code; repeat: auto-repeat of a key already down.
    void input_key(int vk, bool down, bool repeat = false);
    // Text typed (UTF-8), outside a composition: WM_CHAR bytes in code page
    // 936, '?' for characters it cannot hold.
    void input_text(const std::string& utf8);
    // The input method's composition changed (UTF-8; cursor in characters).
    // An empty text ends the composition without a result.
    void input_composition(const std::string& utf8, int cursor_chars);
    // The input method committed text: WM_IME_COMPOSITION with
    // GCS_RESULTSTR, WM_IME_ENDCOMPOSITION.
    void input_commit(const std::string& utf8);
    // The native window was moved or sized by someone else (a window manager).
    void input_native_moved(Window& top, const Rect& screen);
    // The window manager's close button.
    void input_native_close(Window& top);
    // The backend lost or got keyboard focus for a native window.
    void input_native_focus(Window& top, bool gained);

    // ---- painting
    // Paints and presents every top-level window with marked areas. A
    // window is never painted while it paints: a repaint it asks for from
    // its own paint (invalidate, update) comes in the next loop turn.
    void paint_all();
    // True when a shown top-level window has marked areas waiting for a
    // paint (and is not painting now); the loop does not sleep then.
    bool paint_pending() const;
    // The off-screen image of a top-level window (its size), as last painted.
    const Bitmap* image(const Window& top) const;
    // The whole screen as it looks: top-level images composed bottom to top
    // through their regions over `background`.
    Bitmap compose_screen(Pixel background = 0x00000000) const;

    // ---- EventSource
    bool dispatch_pending() override;
    void wait(int timeout_ms) override;
    void wake() override;

private:
    friend class Window;
    struct State;

    // Helpers for Window (window.cpp) and the input paths.
    void restore_focus(Window& top);
    void run_size_move(Window& top, int hit);
    void window_moved(Window& w, const Rect& old_screen, bool resized);
    void window_shown(Window& w, bool shown);
    // A window that was hidden or disabled gives up focus, capture, hover
    // and (a top-level window) activation.
    void drop_input_state(Window& w);
    void restack(Window& w, bool to_front);
    void invalidate_screen_area(Window& w, const Rect& screen);
    void mark_dirty(Window& w, const Rect& window_rect);
    void paint_top(Window& top);
    void set_window_timer(Window& w, std::uintptr_t id, int interval_ms);
    void kill_window_timer(Window& w, std::uintptr_t id);
    void destroy_window(Window& w);
    bool input_allowed(const Window* w) const;
    Window* mouse_target(Point screen) const;
    Window* hit_test(Point screen, int& hit);
    void update_hover(Point screen);
    Window* key_target() const;
    bool filter_key(Message m);
    void sync_native_stack();

    std::unique_ptr<State> s_;
    EventLoop& loop_;
    Backend& backend_;
    std::vector<Window*> tops_;
    Window* active_ = nullptr;
    Window* focus_ = nullptr;
    Window* capture_ = nullptr;
    Window* hover_ = nullptr;
    Point pointer_;
    Cursor cursor_ = Cursor::Arrow;
    std::string ime_comp_;
    std::string ime_result_;
    int ime_cursor_ = 0;
};

// The application's standard error box text: the message with a full stop
// appended when its last byte sorts after '.' (an empty message stays empty).
std::string error_box_text(const std::string& message);

// Shows the standard error box modally: the text of error_box_text(message),
// captioned `title`, with the error icon and an OK button; returns when
// OK is pressed, Enter or Escape is typed or the box is closed. `owner` (may
// be nullptr) is disabled meanwhile.
void show_error_box(Desktop& desktop, Window* owner, const std::string& title_cp936, const std::string& message_cp936);

} // namespace lt
