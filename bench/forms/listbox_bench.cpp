// A list box of 1,000,000 rows: appending 1,000 rows and repainting must stay
// cheap, because a harvest run appends while the list is on screen.

#include "bench/bench_desktop.h"
#include "forms/listbox.h"

#include <benchmark/benchmark.h>

namespace lt {
namespace {

struct ListDesk : BenchDesktop {
    TListBox* list = nullptr;

    explicit ListDesk(int rows)
    {
        form->SetBounds(0, 0, 835, 660);
        list = new TListBox(form);
        list->SetParent(form);
        list->SetBounds(1, 23, 407, 396);
        list->SetItemHeight(20);
        list->SetMultiSelect(true);
        form->Show();
        TStrings& items = list->Items();
        items.BeginUpdate();
        for (int i = 0; i < rows; ++i)
            items.Add("long tail keyword " + std::to_string(i));
        items.EndUpdate();
        list->Update();
    }
};

void BM_ListBoxAppend1000AndRepaint(benchmark::State& state)
{
    ListDesk d(1'000'000);
    TStrings& items = d.list->Items();
    int next = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            items.Add("appended phrase " + std::to_string(next++));
        d.list->SetTopIndex(items.Count() - 1); // follow the new rows, as a run's viewer would
        d.list->Update();
        state.PauseTiming();
        for (int i = 0; i < 1000; ++i)
            items.Delete(items.Count() - 1);
        state.ResumeTiming();
    }
    state.counters["rows"] = items.Count();
}
BENCHMARK(BM_ListBoxAppend1000AndRepaint)->Unit(benchmark::kMillisecond);

void BM_ListBoxRepaintOnly(benchmark::State& state)
{
    ListDesk d(1'000'000);
    for (auto _ : state) {
        d.list->Invalidate();
        d.list->Update();
    }
}
BENCHMARK(BM_ListBoxRepaintOnly)->Unit(benchmark::kMicrosecond);

void BM_ListBoxLookupIn1M(benchmark::State& state)
{
    ListDesk d(1'000'000);
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(d.list->Items().IndexOf("LONG TAIL keyword " + std::to_string(i++ % 1'000'000)));
}
BENCHMARK(BM_ListBoxLookupIn1M)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lt

BENCHMARK_MAIN();
