// A scroll-bar thumb dragged, from the injected pointer move to the bar
// repainted and presented: the bar of the results list (the stored
// vscrollbar, 17 x 392, a page of 19 rows of 1000) on a borderless form,
// the thumb held, the pointer moving one row's worth of pixels per step.

#include <benchmark/benchmark.h>

#include "bench/bench_desktop.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/skin_scrollbar.h"

namespace {

using namespace lt;

struct ListScrollBar : BenchDesktop {
    TskSkinScrollBar* bar = nullptr;

    ListScrollBar()
    {
        Borderless({409, 420});
        TskSkinData* data = NewEmbeddedSkinData(form);
        bar = new TskSkinScrollBar(form);
        bar->SetKind(sbVertical);
        bar->SetParent(form);
        bar->SetBounds(380, 10, 17, 392);
        bar->SetSkinDataName("vscrollbar");
        bar->SetSkinData(data);
        bar->SetScrollParams(0, 999, 19, 0);
        form->Show();
        Pump();
    }
};

void ThumbDragToRepaint(benchmark::State& state)
{
    ListScrollBar w;
    const Rect thumb = w.bar->PartRect(ScrollBarPart::Thumb);
    const Point grip{w.bar->Left() + thumb.left + thumb.width() / 2, w.bar->Top() + thumb.top + thumb.height() / 2};
    w.backend.mouse_move(grip);
    w.backend.mouse_down(grip);
    w.Pump();
    int step = 0;
    for (auto _ : state) {
        // Down and back over 200 pixels, so every step moves the thumb.
        step = (step + 1) % 400;
        const int dy = step < 200 ? step : 400 - step;
        w.backend.mouse_move({grip.x, grip.y + dy});
        w.Pump();
    }
    if (w.bar->Position() == 0 && step != 0)
        state.SkipWithError("the thumb did not move");
    w.backend.mouse_up(grip);
    w.Pump();
}
BENCHMARK(ThumbDragToRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
