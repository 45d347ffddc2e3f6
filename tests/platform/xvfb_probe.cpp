// A real window for the Xvfb smoke test: a 200 x 150 borderless window at
// 50, 50 with a 20-pixel blue caption strip (drags the window) over a red
// client that turns green when clicked, shaped with a 20 x 20 notch cut out
// of its bottom-right corner. It reports on stdout: "ready" once shown,
// "clicked" after the green paint reached the screen, "moved X Y" after a
// drag, "char N" for each character typed. A right click opens a 40 x 40
// yellow popup at the pointer ("popup"); a click on the popup reports
// "popup click" and whether the main window is still the active one. A typed
// "v" sends an event to an X window that is already gone, as a late request
// may, and reports "vanished window survived" once the server has answered
// it with an error. It quits by itself after 30 seconds.

#include <cstdio>

#include "gfx/canvas.h"
#include "gfx/region.h"
#include "platform/desktop.h"
#include "platform/sdl_backend.h"

using namespace lt;

// In vanished_window.cpp (Xlib's names clash with ours): an event sent to an
// X window destroyed just before, on a connection of its own, waiting for
// the server's answer; false without X.
bool SendToAVanishedWindow();

int main()
{
    RealClock clock;
    EventLoop loop(clock);
    SdlBackend backend;
    Desktop desk(loop, backend);
    bool clicked = false;
    Window* main_window = nullptr;
    Window* popup = nullptr;

    CreateParams p;
    p.bounds = Rect::from_xywh(50, 50, 200, 150);
    p.text = "probe";
    p.proc = [&](Window& w, Message& m) -> LResult {
        switch (m.msg) {
        case WM_NCHITTEST:
            return w.screen_to_window(lparam_point(m.lparam)).y < 20 ? HTCAPTION : HTCLIENT;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            Canvas& c = message_canvas(m);
            c.fill_rect({0, 0, 200, 20}, clBlue);
            c.fill_rect({0, 20, 200, 150}, clicked ? rgb(0, 255, 0) : rgb(255, 0, 0));
            return 0;
        }
        case WM_LBUTTONUP:
            clicked = true;
            w.invalidate();
            w.update();
            std::printf("clicked\n");
            std::fflush(stdout);
            return 0;
        case WM_RBUTTONUP: {
            CreateParams pp;
            pp.popup = true;
            pp.owner = &w;
            pp.background = clYellow;
            pp.bounds = Rect::from_xywh(desk.cursor_pos().x, desk.cursor_pos().y, 40, 40);
            pp.proc = [&](Window& pw, Message& pm) -> LResult {
                if (pm.msg == WM_LBUTTONUP) {
                    std::printf("popup click %s\n", desk.active() == main_window ? "main active" : "main inactive");
                    std::fflush(stdout);
                }
                return pw.default_proc(pm);
            };
            popup = desk.create_window(pp);
            popup->show();
            popup->update();
            std::printf("popup\n");
            std::fflush(stdout);
            return 0;
        }
        case WM_CHAR:
            std::printf("char %u\n", static_cast<unsigned>(m.wparam));
            std::fflush(stdout);
            if (m.wparam == 'v' && SendToAVanishedWindow()) {
                std::printf("vanished window survived\n");
                std::fflush(stdout);
            }
            return 0;
        case WM_EXITSIZEMOVE:
            std::printf("moved %d %d\n", w.bounds().left, w.bounds().top);
            std::fflush(stdout);
            return 0;
        case WM_DESTROY:
            loop.quit();
            return 0;
        default:
            return w.default_proc(m);
        }
    };
    Window* w = desk.create_window(p);
    main_window = w;
    Region shape = Region(Rect{0, 0, 200, 150}) - Region(Rect{180, 130, 200, 150});
    w->set_region(&shape);
    w->show();
    w->update();
    std::printf("ready\n");
    std::fflush(stdout);
    loop.start_timer(30000, [&] { loop.quit(); });
    loop.run();
    return 0;
}
