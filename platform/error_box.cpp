// The application's standard error box: a small modal window of our own,
// drawn with the canvas - a caption strip with the application title, the
// error icon, the message and an OK button.

#include "gfx/canvas.h"
#include "gfx/draw_text.h"
#include "platform/button_behavior.h"
#include "platform/desktop.h"

#include <functional>
#include <memory>
#include <type_traits>

namespace lt {

std::string error_box_text(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

namespace {

constexpr int kBoxWidth = 360;
constexpr int kBoxHeight = 140;
constexpr int kCaptionHeight = 22;
constexpr Rect kOkBounds = Rect::from_xywh((kBoxWidth - 75) / 2, kBoxHeight - 35, 75, 23);
constexpr Rect kIconRect = Rect::from_xywh(14, kCaptionHeight + 14, 32, 32);
constexpr Rect kTextRect = {60, kCaptionHeight + 14, kBoxWidth - 14, kBoxHeight - 44};

// The error icon: a red disc with a white cross.
void paint_error_icon(Canvas& c, const Rect& r)
{
    const int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2, rad = r.width() / 2;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            int dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy <= rad * rad)
                c.set_pixel({x, y}, rgb(200, 0, 0));
        }
    }
    for (int i = -7; i <= 7; ++i) {
        for (int t = -1; t <= 1; ++t) {
            c.set_pixel({cx + i + t, cy + i}, clWhite);
            c.set_pixel({cx + i + t, cy - i}, clWhite);
        }
    }
}

// Text in the box's font (宋体, 12 pixels): the message wraps at words; a
// caption or button text sits on one line, centred vertically.
void paint_box_text(Canvas& c, const std::string& text, const Rect& r, bool wrap, bool centre = false)
{
    c.font().name = "\xCB\xCE\xCC\xE5";
    c.font().height = -12;
    Rect box = r;
    draw_text(c, text, box,
        DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS) | (centre ? DT_CENTER : 0));
}

} // namespace

void show_error_box(Desktop& desktop, Window* owner, const std::string& title, const std::string& message)
{
    const std::string text = error_box_text(message);
    const Rect area = desktop.work_area();
    CreateParams p;
    p.owner = owner;
    p.text = title;
    p.bounds = Rect::from_xywh(
        area.left + (area.width() - kBoxWidth) / 2, area.top + (area.height() - kBoxHeight) / 2, kBoxWidth, kBoxHeight);
    p.background = clBtnFace;
    p.proc = [&desktop, text](Window& w, Message& m) -> LResult {
        switch (m.msg) {
        case WM_NCHITTEST: {
            Point at = w.screen_to_window(lparam_point(m.lparam));
            return at.y < kCaptionHeight ? HTCAPTION : HTCLIENT;
        }
        case WM_PAINT: {
            Canvas& c = message_canvas(m);
            const Rect all = w.client_rect();
            c.frame_rect(all, clWindowFrame);
            c.fill_rect({1, 1, all.right - 1, kCaptionHeight}, clActiveCaption);
            c.set_bk_mode(BkMode::Transparent);
            c.set_text_color(clCaptionText);
            paint_box_text(c, w.text(), {6, 1, all.right - 6, kCaptionHeight}, false);
            paint_error_icon(c, kIconRect);
            c.set_text_color(clWindowText);
            paint_box_text(c, text, kTextRect, true);
            return 0;
        }
        case WM_CLOSE:
            w.desktop().end_modal(w, 1);
            return 0;
        default:
            return w.default_proc(m);
        }
    };
    Window* box = desktop.create_window(p);

    CreateParams ok;
    ok.parent = box;
    ok.bounds = kOkBounds;
    ok.text = "OK";
    ok.tab_stop = true;
    ok.visible = true;
    ok.double_clicks = false;
    // Enter and Escape end the box at once; Space presses the button and its
    // release clicks, as a mouse press and release over it does.
    ok.proc = [box, press = std::make_shared<ButtonBehavior>()](Window& w, Message& m) -> LResult {
        // Feeds one event, repaints when the button's look changed and ends
        // the box on a click.
        auto feed = [&](auto event) {
            const bool down = press->down();
            bool clicked = false;
            if constexpr (std::is_void_v<std::invoke_result_t<decltype(event), ButtonBehavior&>>)
                std::invoke(event, *press);
            else
                clicked = std::invoke(event, *press);
            if (press->down() != down)
                w.invalidate();
            if (clicked)
                w.desktop().end_modal(*box, 1);
        };
        const bool inside = w.client_rect().contains(lparam_point(m.lparam));
        switch (m.msg) {
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
            w.set_capture();
            feed([&](ButtonBehavior& b) { b.on_press(inside); });
            return 0;
        case WM_MOUSEMOVE:
            feed([&](ButtonBehavior& b) { b.on_move(inside); });
            return 0;
        case WM_LBUTTONUP:
            // The release counts before the capture goes: losing the
            // capture takes any press still held away.
            feed([&](ButtonBehavior& b) { return b.on_release(inside); });
            if (w.has_capture())
                w.desktop().release_capture();
            return 0;
        case CM_MOUSELEAVE:
            feed(&ButtonBehavior::on_leave);
            return 0;
        case WM_KEYDOWN:
            if (m.wparam == VK_SPACE)
                feed(&ButtonBehavior::on_key_down);
            return 0;
        case WM_KEYUP:
            if (m.wparam == VK_SPACE)
                feed(&ButtonBehavior::on_key_up);
            return 0;
        case WM_CHAR:
            if (m.wparam == 13 || m.wparam == 27)
                w.desktop().end_modal(*box, 1);
            return 0;
        case WM_ENABLE:
            feed([&](ButtonBehavior& b) { b.set_enabled(m.wparam != 0); });
            return 0;
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
        case WM_KILLFOCUS:
            feed(&ButtonBehavior::on_cancel);
            if (m.msg == WM_CANCELMODE)
                return w.default_proc(m);
            w.invalidate();
            return 0;
        case WM_PAINT: {
            Canvas& c = message_canvas(m);
            Rect r = w.client_rect();
            c.frame_rect(r, cl3DDkShadow);
            if (press->down())
                c.frame_rect(r.inflated(-1, -1), clBtnShadow);
            else
                c.frame3d(r.inflated(-1, -1), clBtnHighlight, clBtnShadow);
            c.set_bk_mode(BkMode::Transparent);
            c.set_text_color(clBtnText);
            paint_box_text(c, w.text(), press->down() ? r.offset(1, 1) : r, false, true);
            if (w.focused())
                c.draw_focus_rect(r.inflated(-4, -4));
            return 0;
        }
        case WM_SETFOCUS:
            w.invalidate();
            return 0;
        default:
            return w.default_proc(m);
        }
    };
    Window* button = desktop.create_window(ok);
    box->show(true);
    button->set_focus();
    desktop.run_modal(*box);
    if (desktop.is_window(box))
        box->destroy();
}

} // namespace lt
