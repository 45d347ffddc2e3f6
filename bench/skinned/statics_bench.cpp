// A full repaint of the main window's client (827 x 629) laid out with the
// skinned controls of the simple families as the program lays them out: the
// two top panels with their labels, buttons, check boxes and the status
// panel, the two group boxes with their counters and a vertical scroll bar
// each (where the lists' bars sit), and the splitter between them. The form
// is borderless, so the frame's own painting is not part of the figure.

#include <benchmark/benchmark.h>

#include "bench/bench_desktop.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_checkbox.h"
#include "skinned/skin_scrollbar.h"
#include "skinned/skin_splitter.h"
#include "skinned/static_controls.h"
#include "text/cp936.h"

namespace {

using namespace lt;

struct MainWindowStatics : BenchDesktop {
    TskSkinData* data = nullptr;

    template <class T>
    T* Add(const char* name, TWinControl* parent, int left, int top, int width, int height, const char* text = "")
    {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetBounds(left, top, width, height);
        c->SetSkinDataName(name);
        c->SetSkinData(data);
        c->SetCaption(utf8_to_cp936(text));
        return c;
    }

    MainWindowStatics()
    {
        Borderless({827, 629});
        data = NewEmbeddedSkinData(form);

        auto* top = Add<TskSkinPanel>("panel", form, 0, 0, 827, 89);
        top->SetAlign(TAlign::alTop);
        Add<TskSkinStdLabel>("stdlabel", top, 19, 15, 60, 13, "输入关键词");
        Add<TskSkinStdLabel>("stdlabel", top, 512, 14, 192, 13, "注意：广泛相关最后可能根本不相关");
        Add<TskSkinStatusPanel>("statuspanel", top, 21, 52, 308, 21, "正在查询：长尾词查询工具，已找到 345 个长尾词");
        Add<TskSkinXFormButton>("button", top, 344, 10, 73, 22, "查询");
        Add<TskSkinXFormButton>("button", top, 424, 10, 73, 22, "停止");
        Add<TskSkinCheckRadioBox>("checkbox", top, 341, 38, 484, 25, "广泛相关")->SetChecked(true);
        Add<TskSkinCheckRadioBox>("checkbox", top, 341, 60, 484, 25, "长尾词必须包含关键词")->SetChecked(true);
        auto* buttons = Add<TskSkinPanel>("panel", form, 0, 161, 827, 48);
        buttons->SetAlign(TAlign::alTop);
        const char* captions[] = {"全部选入导出列表", "清空导出列表", "清空全部数据", "导出为TXT文本文件"};
        for (int i = 0; i < 4; ++i)
            Add<TskSkinXFormButton>("button", buttons, 8 + 136 * i, 13, 121, 25, captions[i]);
        Add<TskSkinStdLabel>("stdlabel", buttons, 552, 18, 240, 13, "提示：下面的列表可以【双击、右键】操作。");
        auto* results = Add<TskSkinGroupBox>("groupbox", form, 0, 209, 409, 420, "长尾词列表");
        results->SetAlign(TAlign::alLeft);
        Add<TskSkinStdLabel>("stdlabel", results, 10, 1, 12, 13, "(0)");
        AddScrollBar(results, 388, 23, 396);
        auto* splitter = new TskSkinSplitter(form);
        splitter->SetParent(form);
        splitter->SetAlign(TAlign::alLeft);
        splitter->SetBounds(409, 209, 10, 420);
        splitter->SetSkinData(data);
        auto* exports = Add<TskSkinGroupBox>("groupbox", form, 419, 209, 408, 420, "导出列表");
        exports->SetAlign(TAlign::alClient);
        Add<TskSkinStdLabel>("stdlabel", exports, 10, 1, 12, 13, "(0)");
        AddScrollBar(exports, 387, 23, 396);
        form->Show();
        Repaint();
    }

    void AddScrollBar(TWinControl* parent, int left, int top, int height)
    {
        auto* bar = new TskSkinScrollBar(form);
        bar->SetKind(sbVertical);
        bar->SetParent(parent);
        bar->SetSkinDataName("vscrollbar");
        bar->SetSkinData(data);
        bar->SetBounds(left, top, 17, height);
        bar->SetScrollParams(0, 999, 20, 300);
    }

    void Repaint()
    {
        form->WindowHandle()->invalidate();
        Pump();
    }
};

void FullRepaint(benchmark::State& state)
{
    MainWindowStatics w;
    for (auto _ : state)
        w.Repaint();
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMicrosecond);

// One status text assigned and shown, as during a run.
void StatusText(benchmark::State& state)
{
    MainWindowStatics w;
    TskSkinStatusPanel* status = nullptr;
    for (int i = 0; i < w.form->ComponentCount() && !status; ++i)
        status = dynamic_cast<TskSkinStatusPanel*>(w.form->Components(i));
    int n = 0;
    for (auto _ : state) {
        status->SetCaption("status " + std::to_string(++n));
        w.Pump();
    }
}
BENCHMARK(StatusText)->Unit(benchmark::kMicrosecond);

} // namespace
