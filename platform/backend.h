#pragma once
// What the desktop needs from the screen it runs on. Two implementations:
// SdlBackend (a real display through SDL2) and HeadlessBackend (a virtual
// screen for tests). Only top-level and popup windows reach the backend;
// child windows, focus, capture, menus and modality are the desktop's own.
//
// A backend turns its native events into calls on the desktop's input
// entry points (Desktop::input_*) from pump().

#include <string>

#include "gfx/geometry.h"
#include "platform/window.h"

namespace lt {

class Bitmap;
class Desktop;

class Backend {
public:
    virtual ~Backend() = default;

    // ---- native windows, one per top-level or popup window
    virtual void native_create(Window& top) = 0;
    virtual void native_destroy(Window& top) = 0;
    virtual void native_show(Window& top, bool shown) = 0;
    // Iconifies the native window (through the window manager, if any).
    virtual void native_minimize(Window& top) = 0;
    // The window's text became its caption.
    virtual void native_set_title(Window& top) = 0;
    virtual void native_set_bounds(Window& top, const Rect& screen) = 0;
    // nullptr: rectangular again.
    virtual void native_set_shape(Window& top, const Region* window_region) = 0;
    // Stacks the native windows bottom to top in this order.
    virtual void native_restack(const std::vector<Window*>& bottom_to_top) = 0;
    // Gives the native window keyboard focus (keys then come to the desktop
    // through the backend's key events).
    virtual void native_focus(Window& top) = 0;
    // Puts the dirty part (window coordinates) of a top-level window's
    // off-screen image on screen.
    virtual void present(Window& top, const Bitmap& image, const Rect& dirty) = 0;

    // ---- screen
    virtual Rect screen_bounds() const = 0;
    virtual Rect work_area() const = 0;
    virtual void set_cursor(Cursor c) = 0;

    // ---- clipboard (UTF-8 here; the desktop converts)
    virtual void set_clipboard_utf8(const std::string& text) = 0;
    virtual std::string clipboard_utf8() = 0;

    // ---- text input: the input method is on while a window that takes text
    // has focus; `caret` (screen) places its candidate window.
    virtual void text_input(bool on, const Rect& caret) = 0;

    // ---- events
    // Feeds every native event waiting now into the desktop; returns whether
    // there was any.
    virtual bool pump(Desktop& desktop) = 0;
    virtual void wait(int timeout_ms) = 0;
    virtual void wake() = 0;
};

} // namespace lt
