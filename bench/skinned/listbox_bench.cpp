// The results list with 1,000,000 rows, as a long run leaves it: the stored
// skin, the main window's size (407 x 396, 20-pixel rows, extended
// selection), on a borderless form. Each step goes from the injected input
// (or the appended rows) to the list repainted and presented.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>

#include "bench/bench_desktop.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/skin_combobox.h"
#include "skinned/skin_listbox.h"
#include "skinned/skin_scrollbar.h"

namespace {

using namespace lt;

constexpr int kRows = 1'000'000;

// A borderless form on a virtual screen with the stored skin loaded.
struct SkinnedDesk : BenchDesktop {
    TskSkinData* data = nullptr;

    explicit SkinnedDesk(Size size)
    {
        Borderless(size);
        data = NewEmbeddedSkinData(form);
    }
};

struct ResultsList : SkinnedDesk {
    TskSkinListBox* list = nullptr;
    // Heap bytes the rows took, measured as they were added.
    double bytes_per_row = 0;

    explicit ResultsList(int rows) : SkinnedDesk({420, 430})
    {
        list = new TskSkinListBox(form);
        list->SetParent(form);
        list->SetBounds(1, 23, 407, 396);
        list->SetMultiSelect(true);
        list->SetUseSkinItemHeight(false);
        list->SetSkinData(data);
        form->Show();
        const size_t before = mallinfo2().uordblks;
        TStrings& items = list->Items();
        items.BeginUpdate();
        for (int i = 0; i < rows; ++i)
            items.Add("long tail keyword " + std::to_string(i));
        items.EndUpdate();
        bytes_per_row = double(mallinfo2().uordblks - before) / rows;
        list->SetFocus();
        Pump();
    }

    Point RowPoint(int row) const
    {
        const TskListBox& inner = list->ListBox();
        return inner.ClientToScreen({40, (row - list->TopIndex()) * 20 + 10});
    }
};

// A run appending 1,000 rows. Argument 0: the user looks at the top of the
// list, the new rows land below the visible ones and only the scroll bar
// repaints; 1: the user follows the end and every visible row repaints.
void ListAppend1000(benchmark::State& state)
{
    const bool follow = state.range(0) != 0;
    ResultsList w(kRows);
    TStrings& items = w.list->Items();
    int next = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            items.Add("appended phrase " + std::to_string(next++));
        if (follow)
            w.list->SetTopIndex(items.Count() - 1);
        w.Pump();
        state.PauseTiming();
        for (int i = 0; i < 1000; ++i)
            items.Delete(items.Count() - 1);
        w.Pump();
        state.ResumeTiming();
    }
}
BENCHMARK(ListAppend1000)->ArgName("follow")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One step of a thumb drag, from the pointer move to the rows repainted.
void ListThumbDragStep(benchmark::State& state)
{
    ResultsList w(kRows);
    TskSkinScrollBar* bar = w.list->VScrollBar();
    const Rect thumb = bar->PartRect(ScrollBarPart::Thumb);
    const Point grip = bar->ClientToScreen({thumb.left + thumb.width() / 2, thumb.top + thumb.height() / 2});
    w.backend.mouse_move(grip);
    w.backend.mouse_down(grip);
    w.Pump();
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 600;
        const int dy = step < 300 ? step : 600 - step;
        w.backend.mouse_move({grip.x, grip.y + dy});
        w.Pump();
    }
    if (w.list->TopIndex() == 0 && step != 0)
        state.SkipWithError("the rows did not scroll");
    w.backend.mouse_up(grip);
    w.Pump();
}
BENCHMARK(ListThumbDragStep)->Unit(benchmark::kMicrosecond);

// Two typed characters: "l" matches row 0, "lx" only the last row, so the
// second character walks the whole list.
void ListTypeAheadTwoCharacters(benchmark::State& state)
{
    ResultsList w(kRows);
    w.list->Items().Add("lx the last row");
    for (auto _ : state) {
        w.backend.type("l");
        w.backend.type("x");
        w.Pump();
        state.PauseTiming();
        if (w.list->ItemIndex() != kRows)
            state.SkipWithError("the last row was not found");
        w.loop.advance(1000); // the next search starts afresh
        state.ResumeTiming();
    }
}
BENCHMARK(ListTypeAheadTwoCharacters)->Unit(benchmark::kMillisecond);

// Shift+End from the first row selects every row; then the repaint.
void ListShiftEndSelectsEveryRow(benchmark::State& state)
{
    ResultsList w(kRows);
    for (auto _ : state) {
        state.PauseTiming();
        w.list->SetTopIndex(0);
        w.backend.click(w.RowPoint(0));
        w.Pump();
        state.ResumeTiming();
        w.backend.key_down(VK_SHIFT);
        w.backend.key(VK_END);
        w.backend.key_up(VK_SHIFT);
        w.Pump();
    }
    if (w.list->SelCount() != kRows)
        state.SkipWithError("not every row is selected");
}
BENCHMARK(ListShiftEndSelectsEveryRow)->Unit(benchmark::kMillisecond);

// The first half of the rows selected (click on row 0, Shift+click on the
// last of them) and deleted in one batch, to the list repainted. The rows
// are refilled to kRows between the steps.
void ListDeleteFirstHalfSelected(benchmark::State& state)
{
    constexpr int kHalf = kRows / 2;
    ResultsList w(kRows);
    TStrings& items = w.list->Items();
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        items.BeginUpdate();
        while (items.Count() < kRows)
            items.Add("refilled phrase " + std::to_string(next++));
        items.EndUpdate();
        w.list->SetTopIndex(0);
        w.backend.click(w.RowPoint(0));
        w.Pump();
        w.list->SetTopIndex(kHalf - 1);
        w.backend.key_down(VK_SHIFT);
        w.backend.click(w.RowPoint(kHalf - 1));
        w.backend.key_up(VK_SHIFT);
        w.Pump();
        if (w.list->SelCount() != kHalf)
            state.SkipWithError("the first half is not selected");
        state.ResumeTiming();
        items.BeginUpdate();
        w.list->DeleteSelected();
        items.EndUpdate();
        w.Pump();
    }
    if (w.list->Count() != kRows - kHalf)
        state.SkipWithError("the selected rows were not deleted");
}
BENCHMARK(ListDeleteFirstHalfSelected)->Unit(benchmark::kMillisecond);

// The list's own memory: rows, their texts, the lookup index and the
// selection, per row.
void ListMemoryPerRow(benchmark::State& state)
{
    for (auto _ : state) {
        ResultsList w(kRows);
        state.counters["bytes_per_row"] = w.bytes_per_row;
    }
}
BENCHMARK(ListMemoryPerRow)->Iterations(1)->Unit(benchmark::kMillisecond);

// A drop-down of 30 rows opened by a press on its box, to the list painted
// and presented.
void ComboOpen30Rows(benchmark::State& state)
{
    SkinnedDesk w({420, 300});
    auto* combo = new TskSkinComboBox(w.form);
    combo->SetParent(w.form);
    combo->SetBounds(20, 20, 200, 21);
    combo->SetSkinData(w.data);
    for (int i = 0; i < 30; ++i)
        combo->Items().Add("keywords " + std::to_string(i) + ".txt");
    combo->SetItemIndex(12);
    w.form->Show();
    w.Pump();
    const Point box{100, 30};
    for (auto _ : state) {
        w.backend.mouse_move(box);
        w.backend.mouse_down(box);
        w.Pump();
        state.PauseTiming();
        if (!combo->DroppedDown())
            state.SkipWithError("the list did not open");
        w.backend.mouse_up(box);
        w.backend.mouse_down(box);
        w.backend.mouse_up(box);
        w.Pump();
        w.loop.advance(600); // no double-click next time
        state.ResumeTiming();
    }
}
BENCHMARK(ComboOpen30Rows)->Unit(benchmark::kMicrosecond);

} // namespace
