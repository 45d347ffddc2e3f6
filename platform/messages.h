#pragma once
// Window messages, their numbers and their parameter conventions.
//
// The numbers are the classic ones, so code written against the classic
// message set reads the same here. Parameters that carry more than an integer
// carry a pointer to one of the structures below; each message's comment says
// which. Coordinates packed into an lparam are signed 16-bit x (low word) and
// y (high word).
//
// Sections: Message - packing helpers - message numbers - hit-test codes -
// system commands - activation - keys - input method - typed parameters -
// distinct numbers.
//
// The skin layer's messages (SKM_*) are in skin/skin_messages.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx/geometry.h"

namespace lt {

class Canvas;
class Window;

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

struct Message {
    std::uint32_t msg = 0;
    WParam wparam = 0;
    LParam lparam = 0;
};

// ---------------------------------------------------------------- packing

constexpr LParam make_lparam(int lo, int hi)
{
    return static_cast<LParam>(static_cast<std::uint32_t>(
        (static_cast<std::uint32_t>(lo) & 0xFFFFu) | ((static_cast<std::uint32_t>(hi) & 0xFFFFu) << 16)));
}
constexpr LParam point_lparam(Point p)
{
    return make_lparam(p.x, p.y);
}
constexpr int lparam_x(LParam l)
{
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(l) & 0xFFFFu);
}
constexpr int lparam_y(LParam l)
{
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(l) >> 16) & 0xFFFFu);
}
constexpr Point lparam_point(LParam l)
{
    return {lparam_x(l), lparam_y(l)};
}
constexpr unsigned lo_word(std::uintptr_t v)
{
    return static_cast<unsigned>(v & 0xFFFFu);
}
constexpr unsigned hi_word(std::uintptr_t v)
{
    return static_cast<unsigned>((v >> 16) & 0xFFFFu);
}

// ---------------------------------------------------------------- messages

inline constexpr std::uint32_t WM_NULL = 0x0000;
inline constexpr std::uint32_t WM_CREATE = 0x0001;
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
// lparam: new client origin in parent client (or screen) coordinates.
inline constexpr std::uint32_t WM_MOVE = 0x0003;
// wparam: SIZE_*; lparam: new client width and height.
inline constexpr std::uint32_t WM_SIZE = 0x0005;
// wparam: WA_*; lparam: the other window (Window*), may be 0.
inline constexpr std::uint32_t WM_ACTIVATE = 0x0006;
// wparam: the window that lost (SETFOCUS) or gains (KILLFOCUS) focus, Window*, may be 0.
inline constexpr std::uint32_t WM_SETFOCUS = 0x0007;
inline constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
// wparam: 1 enabled, 0 disabled.
inline constexpr std::uint32_t WM_ENABLE = 0x000A;
// lparam: const char* (code page 936, NUL-terminated). The default stores it.
inline constexpr std::uint32_t WM_SETTEXT = 0x000C;
// wparam: Canvas* for the client area, origin at the client's top-left and
// clipped to what needs painting; lparam: const Rect* update rectangle
// (client coordinates). The default paints nothing.
inline constexpr std::uint32_t WM_PAINT = 0x000F;
// Asks the window to close; the default destroys it.
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
// wparam: Canvas* as for WM_PAINT. Answer nonzero when the background is
// done; the default fills the client with the window's background colour.
inline constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
// wparam: 1 shown, 0 hidden. Sent before the visibility changes.
inline constexpr std::uint32_t WM_SHOWWINDOW = 0x0018;
// Ends any mode (drag, capture, menu); the default releases the capture.
inline constexpr std::uint32_t WM_CANCELMODE = 0x001F;
// wparam: the window under the pointer (Window*); lparam: hit code (low
// word) and mouse message (high word). Answer nonzero to stop; the default
// asks the parent first, then sets the window's cursor (client) or a sizing
// cursor (borders).
inline constexpr std::uint32_t WM_SETCURSOR = 0x0020;
// wparam: top-level window (Window*); lparam: hit code (low) and mouse
// message (high). Answer MA_*; the default answers MA_ACTIVATE.
inline constexpr std::uint32_t WM_MOUSEACTIVATE = 0x0021;
// lparam: MinMaxInfo*. Sent to a top-level window before our own drag loop
// sizes it.
inline constexpr std::uint32_t WM_GETMINMAXINFO = 0x0024;
// lparam: Rect* holding the window rectangle (parent client / screen
// coordinates) on entry; the handler shrinks it to the client rectangle.
// The default leaves it: a window without a frame is all client.
inline constexpr std::uint32_t WM_NCCALCSIZE = 0x0083;
// lparam: screen point. Answer an HT* code; the default answers HTCLIENT
// inside the client rectangle, HTNOWHERE elsewhere.
inline constexpr std::uint32_t WM_NCHITTEST = 0x0084;
// wparam: Canvas* for the whole window (window coordinates, clipped to the
// part outside the client that needs painting).
inline constexpr std::uint32_t WM_NCPAINT = 0x0085;
// wparam: 1 active, 0 inactive. Answer nonzero to allow the change.
inline constexpr std::uint32_t WM_NCACTIVATE = 0x0086;
// Answer DLGC_* flags: which keys the window handles itself.
inline constexpr std::uint32_t WM_GETDLGCODE = 0x0087;

// Non-client mouse: wparam hit code, lparam screen point.
inline constexpr std::uint32_t WM_NCMOUSEMOVE = 0x00A0;
inline constexpr std::uint32_t WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr std::uint32_t WM_NCLBUTTONUP = 0x00A2;
inline constexpr std::uint32_t WM_NCLBUTTONDBLCLK = 0x00A3;
inline constexpr std::uint32_t WM_NCRBUTTONDOWN = 0x00A4;
inline constexpr std::uint32_t WM_NCRBUTTONUP = 0x00A5;
inline constexpr std::uint32_t WM_NCRBUTTONDBLCLK = 0x00A6;
inline constexpr std::uint32_t WM_NCMBUTTONDOWN = 0x00A7;
inline constexpr std::uint32_t WM_NCMBUTTONUP = 0x00A8;
inline constexpr std::uint32_t WM_NCMBUTTONDBLCLK = 0x00A9;

// Keys: wparam VK_* code; lparam repeat count (bits 0-15), bit 29 Alt held,
// bit 30 key was down before, bit 31 key is being released.
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
// wparam: one byte of code page 936 text (a double-byte character arrives as
// two messages, lead byte then trail byte) or a control code (8, 9, 13, 27,
// Ctrl+letter 1-26).
inline constexpr std::uint32_t WM_CHAR = 0x0102;
inline constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr std::uint32_t WM_SYSCHAR = 0x0106;
inline constexpr std::uint32_t WM_IME_STARTCOMPOSITION = 0x010D;
inline constexpr std::uint32_t WM_IME_ENDCOMPOSITION = 0x010E;
// lparam: GCS_* flags saying what changed; read the strings with
// Desktop::ime_composition(). The default turns a result into WM_IME_CHAR
// messages.
inline constexpr std::uint32_t WM_IME_COMPOSITION = 0x010F;
inline constexpr std::uint32_t WM_COMMAND = 0x0111;
// wparam: SC_* command; lparam: screen point for mouse-started commands.
// The default runs SC_MOVE and SC_SIZE as our own move/size loop, turns
// SC_CLOSE into WM_CLOSE and iconifies the window on SC_MINIMIZE.
inline constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
// wparam: the timer id given to Window::set_timer.
inline constexpr std::uint32_t WM_TIMER = 0x0113;
inline constexpr std::uint32_t WM_HSCROLL = 0x0114;
inline constexpr std::uint32_t WM_VSCROLL = 0x0115;

// Client mouse: wparam MK_* flags, lparam client point.
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;
// wparam: MK_* flags (low word), signed delta in WHEEL_DELTA steps (high
// word); lparam: screen point. Goes to the focus window; the default passes
// it to the parent.
inline constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;
// Sent up the parent chain when a child gets a button press: wparam the
// button-down message, lparam the point in the receiving window's client.
inline constexpr std::uint32_t WM_PARENTNOTIFY = 0x0210;
inline constexpr std::uint32_t WM_SIZING = 0x0214;
// lparam: the window taking the capture (Window*), may be 0.
inline constexpr std::uint32_t WM_CAPTURECHANGED = 0x0215;
inline constexpr std::uint32_t WM_MOVING = 0x0216;
inline constexpr std::uint32_t WM_ENTERSIZEMOVE = 0x0231;
inline constexpr std::uint32_t WM_EXITSIZEMOVE = 0x0232;
// wparam: a whole character: a single byte, or lead * 256 + trail. The
// default sends it on as one or two WM_CHAR messages.
inline constexpr std::uint32_t WM_IME_CHAR = 0x0286;
// Sent when the pointer leaves a window (after CM_MOUSEENTER).
inline constexpr std::uint32_t WM_MOUSELEAVE = 0x02A3;
inline constexpr std::uint32_t WM_CUT = 0x0300;
inline constexpr std::uint32_t WM_COPY = 0x0301;
inline constexpr std::uint32_t WM_PASTE = 0x0302;
inline constexpr std::uint32_t WM_CLEAR = 0x0303;
inline constexpr std::uint32_t WM_UNDO = 0x0304;
inline constexpr std::uint32_t WM_USER = 0x0400;

// Component messages: the pointer entered or left a window (sent to the
// window itself; lparam 0). The forms layer may add further CM_* numbers
// from CM_BASE on.
inline constexpr std::uint32_t CM_BASE = 0xB000;
inline constexpr std::uint32_t CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr std::uint32_t CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr std::uint32_t CM_MOUSEENTER = CM_BASE + 19;
inline constexpr std::uint32_t CM_MOUSELEAVE = CM_BASE + 20;

// ---------------------------------------------------------------- hit-test codes

inline constexpr int HTERROR = -2;
inline constexpr int HTTRANSPARENT = -1;
inline constexpr int HTNOWHERE = 0;
inline constexpr int HTCLIENT = 1;
inline constexpr int HTCAPTION = 2;
inline constexpr int HTSYSMENU = 3;
inline constexpr int HTGROWBOX = 4;
inline constexpr int HTMENU = 5;
inline constexpr int HTHSCROLL = 6;
inline constexpr int HTVSCROLL = 7;
inline constexpr int HTMINBUTTON = 8;
inline constexpr int HTMAXBUTTON = 9;
inline constexpr int HTLEFT = 10;
inline constexpr int HTRIGHT = 11;
inline constexpr int HTTOP = 12;
inline constexpr int HTTOPLEFT = 13;
inline constexpr int HTTOPRIGHT = 14;
inline constexpr int HTBOTTOM = 15;
inline constexpr int HTBOTTOMLEFT = 16;
inline constexpr int HTBOTTOMRIGHT = 17;
inline constexpr int HTBORDER = 18;
inline constexpr int HTOBJECT = 19;
inline constexpr int HTCLOSE = 20;
inline constexpr int HTHELP = 21;

constexpr bool is_sizing_hit(int ht)
{
    return ht >= HTLEFT && ht <= HTBOTTOMRIGHT;
}

// ---------------------------------------------------------------- system commands

inline constexpr WParam SC_SIZE = 0xF000;
inline constexpr WParam SC_MOVE = 0xF010;
inline constexpr WParam SC_MINIMIZE = 0xF020;
inline constexpr WParam SC_MAXIMIZE = 0xF030;
inline constexpr WParam SC_CLOSE = 0xF060;
inline constexpr WParam SC_KEYMENU = 0xF100;
inline constexpr WParam SC_RESTORE = 0xF120;

// ---------------------------------------------------------------- activation, sizes

inline constexpr WParam WA_INACTIVE = 0;
inline constexpr WParam WA_ACTIVE = 1;
inline constexpr WParam WA_CLICKACTIVE = 2;

inline constexpr LResult MA_ACTIVATE = 1;
inline constexpr LResult MA_ACTIVATEANDEAT = 2;
inline constexpr LResult MA_NOACTIVATE = 3;
inline constexpr LResult MA_NOACTIVATEANDEAT = 4;

inline constexpr WParam SIZE_RESTORED = 0;
inline constexpr WParam SIZE_MINIMIZED = 1;
inline constexpr WParam SIZE_MAXIMIZED = 2;

inline constexpr WParam MK_LBUTTON = 0x0001;
inline constexpr WParam MK_RBUTTON = 0x0002;
inline constexpr WParam MK_SHIFT = 0x0004;
inline constexpr WParam MK_CONTROL = 0x0008;
inline constexpr WParam MK_MBUTTON = 0x0010;

inline constexpr int WHEEL_DELTA = 120;

inline constexpr LResult DLGC_WANTARROWS = 0x0001;
inline constexpr LResult DLGC_WANTTAB = 0x0002;
inline constexpr LResult DLGC_WANTALLKEYS = 0x0004;
inline constexpr LResult DLGC_WANTCHARS = 0x0080;

struct MinMaxInfo {
    Point max_size;
    Point max_position;
    Point min_track_size;
    Point max_track_size;
};

// ---------------------------------------------------------------- keys

inline constexpr int VK_LBUTTON = 0x01;
inline constexpr int VK_RBUTTON = 0x02;
inline constexpr int VK_MBUTTON = 0x04;
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_PAUSE = 0x13;
inline constexpr int VK_CAPITAL = 0x14;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21;
inline constexpr int VK_NEXT = 0x22;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
// '0'-'9' and 'A'-'Z' are their ASCII codes.
inline constexpr int VK_APPS = 0x5D;
inline constexpr int VK_NUMPAD0 = 0x60;
inline constexpr int VK_MULTIPLY = 0x6A;
inline constexpr int VK_ADD = 0x6B;
inline constexpr int VK_SUBTRACT = 0x6D;
inline constexpr int VK_DECIMAL = 0x6E;
inline constexpr int VK_DIVIDE = 0x6F;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F4 = 0x73;
inline constexpr int VK_F12 = 0x7B;

// ---------------------------------------------------------------- input method

inline constexpr LParam GCS_COMPSTR = 0x0008;
inline constexpr LParam GCS_CURSORPOS = 0x0080;
inline constexpr LParam GCS_RESULTSTR = 0x0800;

// ---------------------------------------------------------------- typed parameters
//
// Every message whose parameters carry a pointer or a packed value is built
// and read through the pair of functions next to its description here, so a
// sender and its handlers cannot disagree on the parameter's type.

// WM_PAINT, WM_ERASEBKGND, WM_NCPAINT: wparam is the canvas to draw on.
inline WParam canvas_param(Canvas& canvas)
{
    return reinterpret_cast<WParam>(&canvas);
}
inline Canvas& message_canvas(const Message& m)
{
    return *reinterpret_cast<Canvas*>(m.wparam);
}

// WM_PAINT: lparam is the update rectangle in client coordinates; a sender
// may leave it 0, and the reader then answers null.
inline LParam update_rect_param(const Rect& update)
{
    return reinterpret_cast<LParam>(&update);
}
inline const Rect* message_update_rect(const Message& m)
{
    return reinterpret_cast<const Rect*>(m.lparam);
}

// WM_NCCALCSIZE, WM_SIZING, WM_MOVING: lparam is a rectangle the handler
// may change in place.
inline LParam rect_param(Rect& rect)
{
    return reinterpret_cast<LParam>(&rect);
}
inline Rect& message_rect(const Message& m)
{
    return *reinterpret_cast<Rect*>(m.lparam);
}

// WM_GETMINMAXINFO: lparam is the limits the handler may change.
inline LParam minmax_param(MinMaxInfo& info)
{
    return reinterpret_cast<LParam>(&info);
}
inline MinMaxInfo& message_minmax(const Message& m)
{
    return *reinterpret_cast<MinMaxInfo*>(m.lparam);
}

// WM_SETTEXT: lparam is NUL-terminated code page 936 text, or 0 for "".
inline LParam text_param(const std::string& text)
{
    return reinterpret_cast<LParam>(text.c_str());
}
inline const char* message_text(const Message& m)
{
    return m.lparam ? reinterpret_cast<const char*>(m.lparam) : "";
}

// WM_SETFOCUS, WM_KILLFOCUS, WM_SETCURSOR, WM_MOUSEACTIVATE: wparam is a
// window (may be null). WM_ACTIVATE, WM_CAPTURECHANGED: lparam is one.
inline WParam window_wparam(Window* window)
{
    return reinterpret_cast<WParam>(window);
}
inline Window* wparam_window(const Message& m)
{
    return reinterpret_cast<Window*>(m.wparam);
}
inline LParam window_lparam(Window* window)
{
    return reinterpret_cast<LParam>(window);
}
inline Window* lparam_window(const Message& m)
{
    return reinterpret_cast<Window*>(m.lparam);
}

// WM_SETCURSOR, WM_MOUSEACTIVATE: lparam is the hit code (signed low word)
// and the mouse message that caused it (high word).
constexpr LParam hit_param(int hit, std::uint32_t mouse_message)
{
    return make_lparam(hit, static_cast<int>(mouse_message));
}
constexpr int message_hit(const Message& m)
{
    return lparam_x(m.lparam);
}
constexpr std::uint32_t message_mouse_message(const Message& m)
{
    return hi_word(static_cast<std::uintptr_t>(m.lparam));
}

// WM_SIZE: lparam is the new client width (low word) and height (high word).
constexpr LParam size_param(Size size)
{
    return make_lparam(size.width, size.height);
}
constexpr Size message_size(const Message& m)
{
    return {static_cast<int>(lo_word(static_cast<std::uintptr_t>(m.lparam))),
        static_cast<int>(hi_word(static_cast<std::uintptr_t>(m.lparam)))};
}

// WM_MOUSEWHEEL: wparam is the MK_* flags (low word) and the signed delta
// (high word).
constexpr WParam wheel_param(int delta, WParam keys)
{
    return (static_cast<WParam>(static_cast<std::uint16_t>(delta)) << 16) | (keys & 0xFFFFu);
}
constexpr int message_wheel_delta(const Message& m)
{
    return static_cast<std::int16_t>(hi_word(m.wparam));
}
constexpr WParam message_wheel_keys(const Message& m)
{
    return lo_word(m.wparam);
}

// WM_HSCROLL, WM_VSCROLL: wparam is the request (low word) and the thumb
// position it goes with (high word).
constexpr WParam scroll_param(unsigned request, int position)
{
    return (static_cast<WParam>(static_cast<std::uint16_t>(position)) << 16) | (request & 0xFFFFu);
}
constexpr unsigned message_scroll_request(const Message& m)
{
    return lo_word(m.wparam);
}
constexpr int message_scroll_position(const Message& m)
{
    return static_cast<int>(hi_word(m.wparam));
}

// WM_IME_CHAR: wparam is a whole character, lead * 256 + trail for a
// double-byte one.
constexpr WParam ime_char_param(unsigned char lead, unsigned char trail)
{
    return (WParam{lead} << 8) | trail;
}

// ---------------------------------------------------------------- distinct numbers

// Every message number this header defines. Layers that add numbers list
// theirs too and check them against these (message_numbers_distinct).
inline constexpr std::array kWindowMessages = {WM_NULL, WM_CREATE, WM_DESTROY, WM_MOVE, WM_SIZE, WM_ACTIVATE,
    WM_SETFOCUS, WM_KILLFOCUS, WM_ENABLE, WM_SETTEXT, WM_PAINT, WM_CLOSE, WM_ERASEBKGND, WM_SHOWWINDOW, WM_CANCELMODE,
    WM_SETCURSOR, WM_MOUSEACTIVATE, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_NCHITTEST, WM_NCPAINT, WM_NCACTIVATE,
    WM_GETDLGCODE, WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN,
    WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP, WM_NCMBUTTONDBLCLK, WM_KEYDOWN, WM_KEYUP,
    WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR, WM_IME_STARTCOMPOSITION, WM_IME_ENDCOMPOSITION, WM_IME_COMPOSITION,
    WM_COMMAND, WM_SYSCOMMAND, WM_TIMER, WM_HSCROLL, WM_VSCROLL, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
    WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK,
    WM_MOUSEWHEEL, WM_PARENTNOTIFY, WM_SIZING, WM_CAPTURECHANGED, WM_MOVING, WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE,
    WM_IME_CHAR, WM_MOUSELEAVE, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, WM_UNDO, WM_USER, CM_FOCUSCHANGED, CM_TEXTCHANGED,
    CM_MOUSEENTER, CM_MOUSELEAVE};

// True when no number occurs twice in the lists taken together, so one
// window procedure can tell every message apart.
template <std::size_t... N>
constexpr bool message_numbers_distinct(const std::array<std::uint32_t, N>&... lists)
{
    std::array<std::uint32_t, (N + ... + 0)> all{};
    std::size_t n = 0;
    auto append = [&](const auto& list) {
        for (std::uint32_t v : list)
            all[n++] = v;
    };
    (append(lists), ...);
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t j = i + 1; j < all.size(); ++j)
            if (all[i] == all[j])
                return false;
    return true;
}
static_assert(message_numbers_distinct(kWindowMessages), "two window messages share a number");

} // namespace lt
