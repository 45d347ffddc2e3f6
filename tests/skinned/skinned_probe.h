#pragma once
// What the real-window probe programs of the skinned controls share: a real
// SDL desktop with the application and its main form, the lines they report
// on stdout for the test reading them through a pipe, and how they end (at
// the end of their input, or after a time limit).

#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "forms/forms.h"
#include "platform/desktop.h"
#include "platform/sdl_backend.h"

namespace lt::test {

// One line on stdout, flushed at once.
inline void say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

struct ProbeApp {
    RealClock clock;
    EventLoop loop{clock};
    SdlBackend backend;
    Desktop desktop{loop, backend};
    TApplication app{desktop};
    TForm* form = nullptr;

    ProbeApp() { app.CreateForm(form); }

    // Makes the main form borderless, with the bounds given.
    void Borderless(const Rect& bounds)
    {
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(bounds.left, bounds.top, bounds.width(), bounds.height());
    }

    // Reads stdin on a thread of its own: each line is handed to `on_line`
    // (when given) on the UI thread; the end of the input ends the program.
    void QuitAtEndOfInput(std::function<void(const std::string&)> on_line = {})
    {
        std::shared_ptr<Mailbox> mailbox = loop.mailbox();
        std::thread reader([mailbox, on_line = std::move(on_line), application = &app] {
            std::string line;
            while (std::getline(std::cin, line))
                if (on_line)
                    mailbox->post([on_line, line] { on_line(line); });
            mailbox->post([application] { application->Terminate(); });
        });
        reader.detach();
    }

    // Runs the program until it ends, or `limit_ms` at the most.
    void Run(int limit_ms)
    {
        loop.start_timer(limit_ms, [this] { app.Terminate(); });
        app.Run();
    }
};

} // namespace lt::test
