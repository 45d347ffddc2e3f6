// longtail: the keyword harvester's window.
//
// Start-up, in order: the application object, its title (the task-bar text
// and the caption of its error boxes), the main window Form1 with every
// component (the stored skin loads and the skinned frame takes the window
// over while it is built; its OnCreate runs last), then the message loop
// until the main window is closed. Closing it ends the program; nothing is
// saved. Requests still fetching are cancelled with the window and given a
// moment to end before the process exits.
//
// Without a display there is no window to show: one line says so and names
// the command-line harvester, and the status is 2.

#include "app/main_form.h"
#include "forms/forms.h"
#include "net/webget.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/sdl_backend.h"
#include "text/cp936.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

namespace {

// How long requests that were still fetching when the window closed may take
// to end before the process exits anyway.
constexpr int kShutdownMs = 2000;

bool set(const char* variable)
{
    const char* value = std::getenv(variable);
    return value && *value;
}

int run_window()
{
    // Before any thread starts.
    lt::webget_global_init();
    lt::RealClock clock;
    lt::EventLoop loop(clock);
    auto no_display = [](const char* why) {
        std::fprintf(stderr,
            "longtail: cannot open the window: %s; harvest from the command line with longtail-harvest, or "
            "start longtail on a virtual display under Xvfb\n",
            why);
        return 2;
    };
    // Asked before SDL, whose search for a display prints lines of its own.
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("SDL_VIDEODRIVER"))
        return no_display("no display (DISPLAY is not set)");
    std::unique_ptr<lt::SdlBackend> backend;
    try {
        backend = std::make_unique<lt::SdlBackend>();
    } catch (const std::exception& e) {
        return no_display(e.what());
    }
    lt::Desktop desktop(loop, *backend);
    {
        lt::TApplication app(desktop);
        app.Title = lt::utf8_to_cp936("Norvanta长尾词查询工具");
        app.CreateForm(lt::Form1);
        app.Run();
    }
    lt::webget_shutdown(kShutdownMs);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1) {
        std::fprintf(stderr, "usage: longtail (no arguments; the command-line harvester is longtail-harvest)\n");
        return 2;
    }
    try {
        return run_window();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "longtail: %s\n", e.what());
        return 1;
    }
}
