// Text drawing speed: one line of twenty hanzi with warm caches, and font
// resolution from a description, cold and warm.

#include <benchmark/benchmark.h>

#include <string>

#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/draw_text.h"
#include "gfx/font.h"

namespace lt {
namespace {

// "长尾词查询工具正在查询相关搜索关键词挖掘" (20 hanzi) in code page 936.
const std::string kLine = "\xB3\xA4\xCE\xB2\xB4\xCA\xB2\xE9\xD1\xAF\xB9\xA4\xBE\xDF\xD5\xFD\xD4\xDA\xB2\xE9\xD1\xAF"
                          "\xCF\xE0\xB9\xD8\xCB\xD1\xCB\xF7\xB9\xD8\xBC\xFC\xB4\xCA\xCD\xDA\xBE\xF2";

FontDesc song(int height)
{
    FontDesc d;
    d.name = "\xCB\xCE\xCC\xE5"; // 宋体
    d.height = height;
    return d;
}

void draw_line(benchmark::State& state, const FontDesc& font, unsigned flags)
{
    Bitmap bmp(300, 24, make_pixel(255, 255, 255));
    Canvas canvas(bmp);
    canvas.font() = font;
    canvas.set_text_color(clBlack);
    canvas.set_bk_mode(BkMode::Transparent);
    Rect r{2, 2, 298, 22};
    draw_text(canvas, kLine, r, flags); // warms the font and glyph caches
    for (auto _ : state) {
        Rect box = r;
        benchmark::DoNotOptimize(draw_text(canvas, kLine, box, flags));
    }
    state.SetItemsProcessed(state.iterations() * 20);
}

void BM_DrawChineseLine_Song12(benchmark::State& state)
{
    draw_line(state, song(-12), DT_SINGLELINE | DT_VCENTER);
}
BENCHMARK(BM_DrawChineseLine_Song12);

void BM_DrawChineseLine_Arial14Fallback(benchmark::State& state)
{
    FontDesc d;
    d.name = "Arial";
    d.height = 14;
    draw_line(state, d, DT_SINGLELINE | DT_VCENTER);
}
BENCHMARK(BM_DrawChineseLine_Arial14Fallback);

void BM_DrawChineseLine_Song12EndEllipsis(benchmark::State& state)
{
    draw_line(state, song(-12), DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_RIGHT);
}
BENCHMARK(BM_DrawChineseLine_Song12EndEllipsis);

void BM_ResolveFontWarm(benchmark::State& state)
{
    const FontDesc d = song(-12);
    Font::get(d);
    for (auto _ : state)
        benchmark::DoNotOptimize(Font::get(d));
}
BENCHMARK(BM_ResolveFontWarm);

// Every iteration asks for a size not seen before, so fontconfig sorts the
// family's faces and a new FreeType size is set up (fontconfig itself is
// already initialised by the warm-up call).
void BM_ResolveFontCold(benchmark::State& state)
{
    Font::get(song(-12));
    int height = -100;
    for (auto _ : state)
        benchmark::DoNotOptimize(Font::get(song(height--)));
}
BENCHMARK(BM_ResolveFontCold)->Iterations(60);

} // namespace
} // namespace lt
