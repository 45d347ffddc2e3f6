// A real window for the Xvfb smoke test: a 200 x 150 borderless window at
// 50, 50 with a 20-pixel blue caption strip (drags the window) over a red
// client that turns green when clicked. It reports on stdout: "ready" once
// shown, "clicked" after the green paint reached the screen, "moved X Y"
// after a drag. It quits by itself after 30 seconds.

#include <cstdio>

#include "gfx/canvas.h"
#include "platform/desktop.h"
#include "platform/sdl_backend.h"

using namespace lt;

int main()
{
    RealClock clock;
    EventLoop loop(clock);
    SdlBackend backend;
    Desktop desk(loop, backend);
    bool clicked = false;

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
            auto& c = *reinterpret_cast<Canvas*>(m.wparam);
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
    w->show();
    w->update();
    std::printf("ready\n");
    std::fflush(stdout);
    loop.start_timer(30000, [&] { loop.quit(); });
    loop.run();
    return 0;
}
