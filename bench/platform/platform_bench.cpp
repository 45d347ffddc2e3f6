// Costs of the windowing layer on an 835 x 660 form like the main window:
// a full repaint and present, and the way from an injected click to the
// repainted button on screen. The headless screen shows the layer's own
// cost; the SDL runs (offscreen driver unless a display is set) add the copy
// to a real window surface.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "gfx/canvas.h"
#include "platform/desktop.h"
#include "platform/headless.h"
#include "platform/sdl_backend.h"

namespace lt {
namespace {

// A form with a grid of 24 child windows (buttons, boxes) that paint
// themselves with a frame and a fill, the way plain controls do.
struct Form {
    RealClock clock;
    EventLoop loop{clock};
    std::unique_ptr<Backend> backend;
    std::unique_ptr<Desktop> desk;
    Window* form = nullptr;
    Window* button = nullptr;
    int clicks = 0;

    explicit Form(std::unique_ptr<Backend> b) : backend(std::move(b))
    {
        desk = std::make_unique<Desktop>(loop, *backend);
        CreateParams p;
        p.bounds = Rect::from_xywh(0, 0, 835, 660);
        p.background = clBtnFace;
        form = desk->create_window(p);
        for (int i = 0; i < 24; ++i) {
            CreateParams c;
            c.parent = form;
            c.bounds = Rect::from_xywh(10 + (i % 6) * 135, 80 + (i / 6) * 140, 120, 120);
            c.visible = true;
            c.double_clicks = false;
            c.proc = [this](Window& w, Message& m) -> LResult {
                if (m.msg == WM_PAINT) {
                    Canvas& canvas = message_canvas(m);
                    Rect r = w.client_rect();
                    canvas.fill_rect(r, (clicks & 1) ? clHighlight : clWindow);
                    canvas.frame_rect(r, clBtnShadow);
                    return 0;
                }
                if (m.msg == WM_ERASEBKGND)
                    return 1;
                if (m.msg == WM_LBUTTONDOWN) {
                    ++clicks;
                    w.invalidate();
                    return 0;
                }
                return w.default_proc(m);
            };
            Window* child = desk->create_window(c);
            if (i == 0)
                button = child;
        }
        form->show();
        settle();
    }

    void settle()
    {
        while (loop.process_pending()) { }
    }
};

std::unique_ptr<Backend> headless()
{
    return std::make_unique<HeadlessBackend>(Size{1024, 768});
}

std::unique_ptr<Backend> sdl()
{
    if (!std::getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
    return std::make_unique<SdlBackend>();
}

void repaint(benchmark::State& state, std::unique_ptr<Backend> (*make)())
{
    Form f(make());
    for (auto _ : state) {
        f.form->invalidate();
        f.form->update();
    }
    state.SetLabel("835x660, 24 child windows");
}

void click_to_present(benchmark::State& state, std::unique_ptr<Backend> (*make)())
{
    Form f(make());
    Point at = f.button->client_to_screen({10, 10});
    for (auto _ : state) {
        f.desk->input_mouse_button(MouseButton::Left, true, at);
        f.desk->input_mouse_button(MouseButton::Left, false, at);
        f.desk->paint_all();
    }
    if (f.clicks != static_cast<int>(state.iterations()))
        state.SkipWithError("clicks were lost");
}

void headless_click_through_loop(benchmark::State& state)
{
    auto owned = std::make_unique<HeadlessBackend>(Size{1024, 768});
    HeadlessBackend* screen = owned.get();
    Form f(std::move(owned));
    Point at = f.button->client_to_screen({10, 10});
    for (auto _ : state) {
        screen->mouse_down(at);
        screen->mouse_up(at);
        f.loop.process_pending();
    }
    if (f.clicks != static_cast<int>(state.iterations()))
        state.SkipWithError("clicks were lost");
    state.SetLabel("injected, one loop turn");
}

BENCHMARK_CAPTURE(repaint, headless, headless)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(repaint, sdl, sdl)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(click_to_present, headless, headless)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(click_to_present, sdl, sdl)->Unit(benchmark::kMicrosecond);
BENCHMARK(headless_click_through_loop)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lt

BENCHMARK_MAIN();
