#pragma once
// A virtual screen for tests and benchmarks: no display, time from the
// loop's clock, input injected at screen positions.
//
// Injected input is queued and reaches the windows on the next loop turn
// (EventLoop::process_pending or advance), the way native events do; the
// helpers click(), type() and friends only queue too. Presenting copies each
// window's image into the backend's own copy, so snapshots show what reached
// the "screen".

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <variant>

#include "gfx/bitmap.h"
#include "platform/backend.h"
#include "platform/desktop.h"

namespace lt {

class HeadlessBackend final : public Backend {
public:
    explicit HeadlessBackend(Size screen = {1024, 768});
    // A work area smaller than the screen (e.g. minus a task bar).
    void set_work_area(const Rect& r) { work_area_ = r; }

    // ---- injected input (queued)
    void mouse_move(Point screen);
    void mouse_down(Point screen, MouseButton b = MouseButton::Left);
    void mouse_up(Point screen, MouseButton b = MouseButton::Left);
    // Move, press and release at one point.
    void click(Point screen, MouseButton b = MouseButton::Left);
    void wheel(Point screen, int delta);
    void key_down(int vk, bool repeat = false);
    void key_up(int vk);
    // Key down then up.
    void key(int vk);
    // Text as typed on a keyboard without an input method (UTF-8).
    void type(const std::string& utf8);
    // The input method's composition (UTF-8) and its commit.
    void compose(const std::string& utf8, int cursor_chars);
    void commit(const std::string& utf8);
    // The clipboard as another program would set it.
    void set_external_clipboard(const std::string& utf8) { clipboard_ = utf8; }
    const std::string& external_clipboard() const { return clipboard_; }

    // ---- what reached the screen
    // The last presented image of a window (empty when never presented).
    const Bitmap& presented(const Window& top) const;
    // How many times a window was presented.
    int present_count(const Window& top) const;
    Cursor cursor() const { return cursor_; }
    // Minimized since it was last shown.
    bool minimized(const Window& top) const { return minimized_.count(&top) != 0; }
    bool text_input_on() const { return text_input_; }
    // The native window that has keyboard focus (as a backend sees it).
    Window* native_focus() const { return native_focus_; }
    // PNG snapshots: one window as presented, or the whole screen as the
    // desktop composes it (Desktop::compose_screen).
    void snapshot_window(const Window& top, const std::string& png_path) const;
    void snapshot_screen(Desktop& desktop, const std::string& png_path) const;

    // ---- Backend
    void native_create(Window& top) override;
    void native_destroy(Window& top) override;
    void native_show(Window& top, bool shown) override;
    void native_minimize(Window& top) override;
    void native_set_title(Window& top) override;
    void native_set_bounds(Window& top, const Rect& screen) override;
    void native_set_shape(Window& top, const Region* window_region) override;
    void native_restack(const std::vector<Window*>& bottom_to_top) override;
    void native_focus(Window& top) override;
    void present(Window& top, const Bitmap& image, const Rect& dirty) override;
    Rect screen_bounds() const override { return Rect::from_size(screen_); }
    Rect work_area() const override { return work_area_; }
    void set_cursor(Cursor c) override { cursor_ = c; }
    void set_clipboard_utf8(const std::string& text) override { clipboard_ = text; }
    std::string clipboard_utf8() override { return clipboard_; }
    void text_input(bool on, const Rect& caret) override { text_input_ = on; }
    bool pump(Desktop& desktop) override;
    void wait(int timeout_ms) override;
    void wake() override;

private:
    struct Event {
        enum Kind { Move, Down, Up, Wheel, KeyDown, KeyUp, Text, Compose, Commit } kind;
        Point at;
        MouseButton button = MouseButton::Left;
        int value = 0;
        bool repeat = false;
        std::string text = {};
    };
    void push(Event e);

    Size screen_;
    Rect work_area_;
    std::mutex mutex_;
    std::condition_variable woken_;
    bool wake_flag_ = false;
    std::deque<Event> events_;
    std::map<const Window*, Bitmap> presented_;
    std::map<const Window*, int> present_counts_;
    std::set<const Window*> minimized_;
    std::string clipboard_;
    Cursor cursor_ = Cursor::Arrow;
    bool text_input_ = false;
    Window* native_focus_ = nullptr;
};

} // namespace lt
