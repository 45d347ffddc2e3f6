// The skinned window frame with the stored skin on the headless desktop:
// repainting the frame of an 835 x 660 window, building the window region
// from the mask at several sizes, one step of a live resize (geometry,
// region, frame and client repaint, present), and opening a seven-item
// context menu on a framed form up to its first presented frame.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/bench_desktop.h"
#include "bench/skinned/context_menu.h"
#include "gfx/canvas.h"
#include "skin/embedded_skin.h"
#include "skinned/form_broadcast.h"
#include "skinned/skin_form.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_menu_window.h"
#include "skinned/static_controls.h"
#include "text/cp936.h"

namespace {

using namespace lt;

// A main-window-like form: the stored skin, the frame, a few skinned panels.
struct FramedForm : BenchDesktop {
    TskSkinData* data = nullptr;
    TskSkinForm* frame = nullptr;

    FramedForm() : BenchDesktop({1920, 1080})
    {
        SetSkinMessageBroadcaster(&FormsSkinBroadcaster());
        form->SetCaption(utf8_to_cp936("Norvanta长尾词查询工具V1.2-修正部分用户不能查询中文长尾词的错误"));
        data = NewEmbeddedSkinData(form);
        frame = new TskSkinForm(form);
        frame->SetBorderIcons(biMinimize | biMaximize);
        frame->SetSkinData(data);
        form->SetBounds(100, 50, 835, 660);
        // The main window's strips and groups, docked as it docks them.
        const std::pair<TAlign, int> strips[] = {{TAlign::alTop, 89}, {TAlign::alTop, 72}, {TAlign::alTop, 48},
            {TAlign::alLeft, 409}, {TAlign::alClient, 0}};
        for (auto [align, size] : strips) {
            auto* p = new TskSkinPanel(form);
            p->SetParent(form);
            p->SetBounds(0, 0, size, size);
            p->SetAlign(align);
            p->SetSkinDataName("panel");
            p->SetSkinData(data);
        }
        form->Show();
        Pump();
    }
    Window& W() const { return *form->WindowHandle(); }
};

void FrameRepaint(benchmark::State& state)
{
    FramedForm f;
    Window& w = f.W();
    Bitmap image(835, 660);
    const Region frame_area = Region(Rect::from_size({835, 660})) - Region(w.client_in_window());
    for (auto _ : state) {
        Canvas canvas(image);
        canvas.set_clip(frame_area);
        w.send(WM_NCPAINT, canvas_param(canvas));
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(FrameRepaint)->Unit(benchmark::kMicrosecond);

void RegionFromMask(benchmark::State& state)
{
    FramedForm f;
    const SkinFrameGeometry& g = f.frame->Geometry();
    const Size sizes[] = {{835, 660}, {285, 210}, {1920, 1080}};
    const Size size = sizes[state.range(0)];
    // Two sizes one pixel apart, so that the geometry's cache never answers.
    int flip = 0;
    for (auto _ : state) {
        flip ^= 1;
        benchmark::DoNotOptimize(g.region({size.width + flip, size.height}));
    }
    state.SetLabel(std::to_string(size.width) + "x" + std::to_string(size.height));
}
BENCHMARK(RegionFromMask)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void LiveResizeStep(benchmark::State& state)
{
    FramedForm f;
    Window& w = f.W();
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 40;
        // One pointer step of a drag on the bottom-right corner: the desktop's
        // size loop sets the bounds, the frame lays out and reshapes, and the
        // next loop turn repaints and presents the window.
        w.set_bounds(Rect::from_xywh(100, 50, 835 + step, 660 + step));
        f.desktop.paint_all();
    }
}
BENCHMARK(LiveResizeStep)->Unit(benchmark::kMicrosecond);

void OpenContextMenuOnAFramedForm(benchmark::State& state)
{
    FramedForm f;
    TskSkinPopupMenu* menu = NewSevenItemMenu(f.form);
    // The first opening resolves the fonts; the program pays that once.
    menu->Popup(300, 300);
    f.loop.advance(0);
    f.frame->SkinMenu().CloseAll();
    f.loop.advance(0);
    for (auto _ : state) {
        menu->Popup(300, 300);
        f.loop.advance(0);
        TskSkinPopupWindow* window = f.frame->SkinMenu().Windows(0);
        if (!window || f.backend.present_count(*window->WindowHandle()) == 0)
            state.SkipWithError("the menu was not presented");
        state.PauseTiming();
        f.frame->SkinMenu().CloseAll();
        f.loop.advance(0);
        state.ResumeTiming();
    }
}
BENCHMARK(OpenContextMenuOnAFramedForm)->Unit(benchmark::kMicrosecond);

} // namespace
