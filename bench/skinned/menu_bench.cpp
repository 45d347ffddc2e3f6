// Opening a skinned context menu of seven items (the list boxes' menus with
// a divider, as the program shows them) on the headless desktop with the
// stored skin, up to its first presented frame: building the item views,
// measuring, placing, making the popup window, painting and presenting it.
// Closing it again is left out of the measure.

#include <benchmark/benchmark.h>

#include "bench/bench_desktop.h"
#include "skin/embedded_skin.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_menu_window.h"
#include "text/cp936.h"

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

    auto* menu = new TskSkinPopupMenu(form);
    for (const char* caption : {"所选关键词导出到导出列表", "导出所有关键词到导出列表", "删除选中关键词",
             "清空所有关键词", "-", "清空列表", "导出为TXT文件(&O)"}) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = utf8_to_cp936(caption);
        menu->Items()->Add(item);
    }
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
