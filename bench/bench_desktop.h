#pragma once
// The headless desktop the interactive benchmarks run on: a virtual clock and
// its loop, a headless screen, the desktop, and the application with its main
// form made. Each step of a benchmark goes from injected input (or a change
// made in code) through Pump to the windows repainted and presented.

#include "forms/forms.h"
#include "platform/desktop.h"
#include "platform/headless.h"

namespace lt {

struct BenchDesktop {
    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend backend;
    Desktop desktop{loop, backend};
    TApplication app{desktop};
    TForm* form = nullptr;

    explicit BenchDesktop(Size screen = {1024, 768}) : backend(screen) { app.CreateForm(form); }

    // Makes the main form borderless, at the screen's top-left corner and of
    // `size`, so client, window and screen coordinates coincide.
    void Borderless(Size size)
    {
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, size.width, size.height);
    }

    // Runs what is queued and paints.
    void Pump()
    {
        loop.process_pending();
        loop.advance(0);
    }
};

} // namespace lt
