// Opening a skinned context menu of seven items (the list boxes' menus with
// a divider, as the program shows them) on the headless desktop with the
// stored skin, up to its first presented frame: building the item views,
// measuring, placing, making the popup window, painting and presenting it.
// Closing it again is left out of the measure.

#include <benchmark/benchmark.h>

#include "bench/bench_desktop.h"
#include "bench/skinned/context_menu.h"
#include "skin/embedded_skin.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_menu_window.h"

namespace {

using namespace lt;

void OpenContextMenu(benchmark::State& state)
{
    BenchDesktop d;
    TForm* form = d.form;
    EventLoop& loop = d.loop;
    HeadlessBackend& backend = d.backend;
    form->SetBounds(100, 100, 835, 660);
    auto* host = new TskSkinMenuHost(form);
    host->SetSkinData(NewEmbeddedSkinData(form));
    form->Show();
    d.Pump();

    TskSkinPopupMenu* menu = NewSevenItemMenu(form);
    // The first opening resolves the fonts; the program pays that once.
    menu->Popup(300, 300);
    loop.advance(0);
    host->SkinMenu().CloseAll();
    loop.advance(0);

    for (auto _ : state) {
        const int presents = backend.present_count(*form->WindowHandle());
        menu->Popup(300, 300);
        loop.advance(0);
        TskSkinPopupWindow* window = host->SkinMenu().Windows(0);
        if (backend.present_count(*window->WindowHandle()) == 0)
            state.SkipWithError("the menu was not presented");
        benchmark::DoNotOptimize(presents);
        state.PauseTiming();
        host->SkinMenu().CloseAll();
        loop.advance(0);
        state.ResumeTiming();
    }
}
BENCHMARK(OpenContextMenu)->Unit(benchmark::kMicrosecond);

} // namespace
