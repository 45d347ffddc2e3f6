// The SDL2 backend. Notes on SDL under X11 that shape this file:
// - The framebuffer-acceleration hint must be off before any window exists;
//   otherwise the first SDL_GetWindowSurface recreates the X window and
//   loses its shape.
// - Without a window manager SDL forces input focus onto every window it
//   shows, popups included; focus is handed back to the active window.
// - Hit-test dragging through the window manager does nothing without one,
//   so moving and sizing are the desktop's own loop; SDL only reports
//   pointer positions, taken in screen coordinates.
//
// Sections: key mapping - window bookkeeping - Backend - event translation.

#include "platform/sdl_backend.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/region.h"
#include "platform/desktop.h"
#include "text/cp936.h"

#if LT_HAVE_X11
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/shape.h>
#endif

namespace lt {

// ---------------------------------------------------------------- key mapping

namespace {

int vk_from_sdl(SDL_Keycode k)
{
    if (k >= SDLK_a && k <= SDLK_z)
        return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9)
        return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12)
        return VK_F1 + (k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + (k - SDLK_KP_1);
    switch (k) {
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    case SDLK_PAUSE:
        return VK_PAUSE;
    case SDLK_CAPSLOCK:
        return VK_CAPITAL;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_END:
        return VK_END;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_INSERT:
        return VK_INSERT;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_APPLICATION:
        return VK_APPS;
    case SDLK_KP_0:
        return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY:
        return VK_MULTIPLY;
    case SDLK_KP_PLUS:
        return VK_ADD;
    case SDLK_KP_MINUS:
        return VK_SUBTRACT;
    case SDLK_KP_PERIOD:
        return VK_DECIMAL;
    case SDLK_KP_DIVIDE:
        return VK_DIVIDE;
    default:
        return 0;
    }
}

SDL_SystemCursor sdl_cursor(Cursor c)
{
    switch (c) {
    case Cursor::IBeam:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case Cursor::Wait:
        return SDL_SYSTEM_CURSOR_WAIT;
    case Cursor::Cross:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case Cursor::SizeNS:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case Cursor::SizeWE:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case Cursor::SizeNWSE:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case Cursor::SizeNESW:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case Cursor::SizeAll:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case Cursor::Hand:
        return SDL_SYSTEM_CURSOR_HAND;
    case Cursor::No:
        return SDL_SYSTEM_CURSOR_NO;
    case Cursor::Arrow:
        break;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

MouseButton button_from_sdl(Uint8 b)
{
    return b == SDL_BUTTON_RIGHT ? MouseButton::Right
        : b == SDL_BUTTON_MIDDLE ? MouseButton::Middle
                                 : MouseButton::Left;
}

} // namespace

// ---------------------------------------------------------------- window bookkeeping

struct SdlBackend::Impl {
    std::map<const Window*, SDL_Window*> natives;
    std::map<Uint32, Window*> by_id;
    std::map<Cursor, SDL_Cursor*> cursors;
    Uint32 wake_event = 0;
    Window* focused = nullptr;
    bool composing = false;
    // Screen position of the X event behind the next SDL mouse event.
    std::optional<Point> x_root;

    SDL_Window* native(const Window& w) const
    {
        auto it = natives.find(&w);
        return it == natives.end() ? nullptr : it->second;
    }
    Window* window(Uint32 id) const
    {
        auto it = by_id.find(id);
        return it == by_id.end() ? nullptr : it->second;
    }
    void translate(Desktop& desktop, const SDL_Event& e);
};

namespace {

#if LT_HAVE_X11
XErrorHandler previous_x_error_handler = nullptr;

// X reports errors long after the request, and a request may name a window
// that is gone by the time the server reads it: SDL wakes a waiting loop by
// sending an event to one of our windows over a second connection, and the
// server may take that after the window's destruction on the first. The
// error is read when that connection is next used, at the latest when SDL
// closes it at exit, and Xlib's own handler ends the program for it. An
// event that found its window gone is no fault of the program, so that
// error is dropped; every other goes on as before.
int IgnoreEventsToVanishedWindows(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow && error->request_code == X_SendEvent)
        return 0;
    return previous_x_error_handler ? previous_x_error_handler(display, error) : 0;
}
#endif

// Installed before SDL opens the display: SDL keeps the handler it finds,
// chains its own to it, and puts it back before it closes its connections,
// so the rule holds until the very end.
void install_x_error_handler()
{
#if LT_HAVE_X11
    XErrorHandler previous = XSetErrorHandler(IgnoreEventsToVanishedWindows);
    if (previous != IgnoreEventsToVanishedWindows)
        previous_x_error_handler = previous;
#endif
}

} // namespace

SdlBackend::SdlBackend() : impl_(std::make_unique<Impl>())
{
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "1");
    // SIGINT and SIGTERM keep their default meaning instead of becoming a
    // quit event that nobody asked for.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    install_x_error_handler();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    // Without a screen SDL falls back to a driver that shows nothing, and a
    // window there would run unseen for ever. Such a driver is taken only
    // when it was asked for by name (SDL_VIDEODRIVER, as the tests do).
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) && !(asked && *asked)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        throw std::runtime_error("no display found (DISPLAY is not set or cannot be opened)");
    }
    impl_->wake_event = SDL_RegisterEvents(1);
    // Raw X events carry the pointer's screen position, which SDL's own
    // mouse events leave out.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_StopTextInput();
}

SdlBackend::~SdlBackend()
{
    for (auto& [c, cur] : impl_->cursors)
        SDL_FreeCursor(cur);
    for (auto& [w, native] : impl_->natives)
        SDL_DestroyWindow(native);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

// ---------------------------------------------------------------- Backend

void SdlBackend::native_create(Window& top)
{
    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (top.is_popup())
        flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    const Rect& b = top.bounds();
    SDL_Window* native = SDL_CreateWindow("", b.left, b.top, std::max(1, b.width()), std::max(1, b.height()), flags);
    if (!native)
        throw std::runtime_error(std::string("SDL window: ") + SDL_GetError());
    impl_->natives[&top] = native;
    impl_->by_id[SDL_GetWindowID(native)] = &top;
    native_set_title(top);
}

void SdlBackend::native_destroy(Window& top)
{
    SDL_Window* native = impl_->native(top);
    if (!native)
        return;
    impl_->by_id.erase(SDL_GetWindowID(native));
    impl_->natives.erase(&top);
    if (impl_->focused == &top)
        impl_->focused = nullptr;
    SDL_DestroyWindow(native);
}

void SdlBackend::native_show(Window& top, bool shown)
{
    SDL_Window* native = impl_->native(top);
    if (!native)
        return;
    if (!shown) {
        SDL_HideWindow(native);
        return;
    }
    SDL_ShowWindow(native);
    // Without a window manager the shown window has just taken the input
    // focus; a popup gives it back at once.
    if (top.is_popup() && impl_->focused)
        native_focus(*impl_->focused);
}

void SdlBackend::native_minimize(Window& top)
{
    if (SDL_Window* native = impl_->native(top))
        SDL_MinimizeWindow(native);
}

void SdlBackend::native_set_title(Window& top)
{
    if (SDL_Window* native = impl_->native(top))
        SDL_SetWindowTitle(native, cp936_to_utf8(top.text()).c_str());
}

void SdlBackend::native_set_bounds(Window& top, const Rect& r)
{
    SDL_Window* native = impl_->native(top);
    if (!native)
        return;
    SDL_SetWindowPosition(native, r.left, r.top);
    int w = 0, h = 0;
    SDL_GetWindowSize(native, &w, &h);
    if (w != r.width() || h != r.height())
        SDL_SetWindowSize(native, std::max(1, r.width()), std::max(1, r.height()));
}

void SdlBackend::native_set_shape(Window& top, const Region* region)
{
#if LT_HAVE_X11
    SDL_Window* native = impl_->native(top);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!native || !SDL_GetWindowWMInfo(native, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    Display* dpy = info.info.x11.display;
    ::Window xwin = info.info.x11.window;
    if (!region) {
        XShapeCombineMask(dpy, xwin, ShapeBounding, 0, 0, None, ShapeSet);
        return;
    }
    std::vector<XRectangle> rects;
    rects.reserve(region->rects().size());
    for (const Rect& r : region->rects())
        rects.push_back({static_cast<short>(r.left), static_cast<short>(r.top), static_cast<unsigned short>(r.width()),
            static_cast<unsigned short>(r.height())});
    XShapeCombineRectangles(
        dpy, xwin, ShapeBounding, 0, 0, rects.data(), static_cast<int>(rects.size()), ShapeSet, YXBanded);
    XFlush(dpy);
#else
    (void)top;
    (void)region;
#endif
}

void SdlBackend::native_restack(const std::vector<Window*>& bottom_to_top)
{
    for (Window* w : bottom_to_top) {
        SDL_Window* native = impl_->native(*w);
        if (native && w->visible())
            SDL_RaiseWindow(native);
    }
}

void SdlBackend::native_focus(Window& top)
{
    SDL_Window* native = impl_->native(top);
    if (!native || top.is_popup())
        return;
    impl_->focused = &top;
    if (top.visible())
        SDL_SetWindowInputFocus(native);
}

void SdlBackend::present(Window& top, const Bitmap& image, const Rect& dirty)
{
    SDL_Window* native = impl_->native(top);
    if (!native)
        return;
    SDL_Surface* surface = SDL_GetWindowSurface(native);
    if (!surface)
        return;
    Rect r = dirty.intersected(image.rect()).intersected({0, 0, surface->w, surface->h});
    if (r.empty())
        return;
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    auto* base = static_cast<Uint8*>(surface->pixels);
    if (surface->format->format == SDL_PIXELFORMAT_RGB888 || surface->format->format == SDL_PIXELFORMAT_ARGB8888) {
        for (int y = r.top; y < r.bottom; ++y)
            std::memcpy(base + static_cast<size_t>(y) * surface->pitch + static_cast<size_t>(r.left) * 4,
                image.row(y) + r.left, static_cast<size_t>(r.width()) * 4);
    } else {
        SDL_ConvertPixels(r.width(), r.height(), SDL_PIXELFORMAT_RGB888, image.row(r.top) + r.left, image.pitch() * 4,
            surface->format->format,
            base + static_cast<size_t>(r.top) * surface->pitch +
                static_cast<size_t>(r.left) * surface->format->BytesPerPixel,
            surface->pitch);
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    SDL_Rect sr{r.left, r.top, r.width(), r.height()};
    SDL_UpdateWindowSurfaceRects(native, &sr, 1);
}

Rect SdlBackend::screen_bounds() const
{
    SDL_Rect r{0, 0, 1024, 768};
    SDL_GetDisplayBounds(0, &r);
    return Rect::from_xywh(r.x, r.y, r.w, r.h);
}

Rect SdlBackend::work_area() const
{
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(0, &r) != 0)
        return screen_bounds();
    return Rect::from_xywh(r.x, r.y, r.w, r.h);
}

void SdlBackend::set_cursor(Cursor c)
{
    SDL_Cursor*& cur = impl_->cursors[c];
    if (!cur)
        cur = SDL_CreateSystemCursor(sdl_cursor(c));
    if (cur)
        SDL_SetCursor(cur);
}

void SdlBackend::set_clipboard_utf8(const std::string& text)
{
    SDL_SetClipboardText(text.c_str());
}

std::string SdlBackend::clipboard_utf8()
{
    char* text = SDL_GetClipboardText();
    std::string out = text ? text : "";
    SDL_free(text);
    return out;
}

void SdlBackend::text_input(bool on, const Rect& caret)
{
    if (!on) {
        SDL_StopTextInput();
        return;
    }
    SDL_Rect r{caret.left, caret.top, caret.width(), caret.height()};
    SDL_SetTextInputRect(&r);
    if (!SDL_IsTextInputActive())
        SDL_StartTextInput();
}

// ---------------------------------------------------------------- event translation

bool SdlBackend::pump(Desktop& desktop)
{
    bool any = false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        any = true;
        desktop.loop().run_guarded([&] { impl_->translate(desktop, e); });
    }
    return any;
}

void SdlBackend::Impl::translate(Desktop& desktop, const SDL_Event& e)
{
    // A mouse event's screen position: on X11 the raw event's root
    // coordinates, which stay right while our own move loop moves windows
    // under the pointer; elsewhere the window's position plus the event's.
    auto at = [&](Uint32 id, int x, int y) {
        if (x_root) {
            Point p = *x_root;
            x_root.reset();
            return p;
        }
        int wx = 0, wy = 0;
        Window* w = window(id);
        if (SDL_Window* sdl = w ? native(*w) : nullptr)
            SDL_GetWindowPosition(sdl, &wx, &wy);
        return Point{wx + x, wy + y};
    };
    // A root position belongs only to the mouse event right after it.
    if (e.type != SDL_SYSWMEVENT && e.type != SDL_MOUSEMOTION && e.type != SDL_MOUSEBUTTONDOWN &&
        e.type != SDL_MOUSEBUTTONUP)
        x_root.reset();
    switch (e.type) {
    case SDL_MOUSEMOTION:
        desktop.input_mouse_move(at(e.motion.windowID, e.motion.x, e.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        desktop.input_mouse_button(button_from_sdl(e.button.button), e.type == SDL_MOUSEBUTTONDOWN,
            at(e.button.windowID, e.button.x, e.button.y));
        break;
    case SDL_MOUSEWHEEL:
        desktop.input_mouse_wheel(e.wheel.y * WHEEL_DELTA, desktop.cursor_pos());
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (int vk = vk_from_sdl(e.key.keysym.sym))
            desktop.input_key(vk, e.type == SDL_KEYDOWN, e.key.repeat != 0);
        break;
    case SDL_TEXTEDITING:
        composing = e.edit.text[0] != '\0';
        desktop.input_composition(e.edit.text, e.edit.start);
        break;
    case SDL_TEXTINPUT:
        if (composing) {
            composing = false;
            desktop.input_commit(e.text.text);
        } else {
            desktop.input_text(e.text.text);
        }
        break;
    case SDL_SYSWMEVENT:
#if LT_HAVE_X11
        if (e.syswm.msg && e.syswm.msg->subsystem == SDL_SYSWM_X11) {
            const XEvent& x = e.syswm.msg->msg.x11.event;
            if (x.type == MotionNotify)
                x_root = Point{x.xmotion.x_root, x.xmotion.y_root};
            else if (x.type == ButtonPress || x.type == ButtonRelease)
                x_root = Point{x.xbutton.x_root, x.xbutton.y_root};
            else if (x.type == EnterNotify || x.type == LeaveNotify)
                x_root = Point{x.xcrossing.x_root, x.xcrossing.y_root};
            else
                x_root.reset();
        }
#endif
        break;
    case SDL_WINDOWEVENT: {
        Window* w = window(e.window.windowID);
        if (!w || !desktop.is_window(w))
            break;
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            desktop.input_native_close(*w);
            break;
        case SDL_WINDOWEVENT_MOVED: {
            Rect r = Rect::from_xywh(e.window.data1, e.window.data2, w->bounds().width(), w->bounds().height());
            desktop.input_native_moved(*w, r);
            break;
        }
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
            // A new or uncovered surface holds nothing of ours yet.
            w->invalidate();
            break;
        case SDL_WINDOWEVENT_LEAVE: {
            // The pointer left this native window; unless it went onto
            // another of ours, nothing is under it any more.
            int x = 0, y = 0;
            SDL_GetGlobalMouseState(&x, &y);
            if (!(SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK))
                desktop.input_mouse_move({x, y});
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            desktop.input_native_focus(*w, true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            desktop.input_native_focus(*w, false);
            break;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
}

void SdlBackend::wait(int timeout_ms)
{
    if (timeout_ms < 0)
        SDL_WaitEvent(nullptr);
    else
        SDL_WaitEventTimeout(nullptr, timeout_ms);
}

void SdlBackend::wake()
{
    SDL_Event e{};
    e.type = impl_->wake_event;
    SDL_PushEvent(&e);
}

} // namespace lt
