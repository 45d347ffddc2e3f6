// One morph step of a 121 x 22 button (the size of the main window's lower
// buttons) with the stored skin, by morph kind: the tick moves the factor and
// the button repaints, which composes its normal and hot pictures with the
// caption and blends them. The factor is held at 0.4 so every step blends.

#include <benchmark/benchmark.h>

#include "bench/bench_desktop.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/skin_buttons.h"
#include "text/cp936.h"

namespace {

using namespace lt;

struct MorphingButton : BenchDesktop {
    TskSkinXFormButton* button = nullptr;

    explicit MorphingButton(TMorphKind kind) : BenchDesktop({800, 600})
    {
        Borderless({300, 100});
        TskSkinData* data = NewEmbeddedSkinData(form);
        auto& object = dynamic_cast<TskDataSkinButtonControl&>(
            *data->SkinControls[static_cast<size_t>(data->FindSkinControl("button"))]);
        object.morphing = true;
        object.morphkind = kind;
        button = new TskSkinXFormButton(form);
        button->SetParent(form);
        button->SetBounds(8, 13, 121, 25);
        button->SetCaption(utf8_to_cp936("全部选入导出列表"));
        button->SetSkinData(data);
        form->Show();
        backend.mouse_move({60, 20});
        loop.process_pending();
        loop.advance(40);
    }

    void Step()
    {
        button->Invalidate();
        Pump();
    }
};

void ButtonMorphStep(benchmark::State& state)
{
    MorphingButton w(static_cast<TMorphKind>(state.range(0)));
    if (w.button->MorphFactor() <= 0.0 || w.button->MorphFactor() >= 1.0)
        state.SkipWithError("the button is not halfway");
    for (auto _ : state)
        w.Step();
    state.SetLabel(MorphKindName(static_cast<TMorphKind>(state.range(0))));
}
BENCHMARK(ButtonMorphStep)->DenseRange(mkDefault, mkPush)->Unit(benchmark::kMicrosecond);

} // namespace
