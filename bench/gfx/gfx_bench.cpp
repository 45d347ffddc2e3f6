// Speed of the drawing paths a skinned window uses on every paint, and of
// decoding a skin-sized picture.
//   Compose835x660Tiled / Stretched: a window-sized picture built from a
//     285 x 210 frame picture: four corners copied, four edges tiled (or
//     stretched), the client area tiled, then a few fills and a frame.
//   DecodeBmp285x210x24: reading one 24-bit frame picture from memory.
//   MaskRegion285x210: turning a frame mask into a region.

#include <benchmark/benchmark.h>

#include "gfx/bmp.h"
#include "gfx/canvas.h"
#include "gfx/region.h"

namespace {

using namespace lt;

Bitmap frame_picture()
{
    Bitmap pic(285, 210);
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x)
            pic.set_pixel(x, y, make_pixel(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
    return pic;
}

// Corner points and client rectangle shaped like a skinned frame: 27-pixel
// caption, 4-pixel borders.
constexpr Rect kClient{4, 27, 281, 206};
constexpr int kCornerW = 40;
constexpr int kCornerH = 40;

void compose(Canvas& c, const Bitmap& pic, int W, int H, bool stretch)
{
    const int sw = pic.width(), sh = pic.height();
    const int dw = W - sw, dh = H - sh;
    // Corners.
    c.draw({0, 0}, pic, {0, 0, kCornerW, kClient.top});
    c.draw({W - kCornerW, 0}, pic, {sw - kCornerW, 0, sw, kClient.top});
    c.draw({0, H - (sh - kClient.bottom)}, pic, {0, kClient.bottom, kCornerW, sh});
    c.draw({W - kCornerW, H - (sh - kClient.bottom)}, pic, {sw - kCornerW, kClient.bottom, sw, sh});
    c.draw({0, kClient.top}, pic, {0, kClient.top, kClient.left, kCornerH});
    c.draw({W - (sw - kClient.right), kClient.top}, pic, {kClient.right, kClient.top, sw, kCornerH});
    // Edges.
    const Rect top_src{kCornerW, 0, sw - kCornerW, kClient.top};
    const Rect top_dst{kCornerW, 0, W - kCornerW, kClient.top};
    const Rect bottom_src{kCornerW, kClient.bottom, sw - kCornerW, sh};
    const Rect bottom_dst{kCornerW, kClient.bottom + dh, W - kCornerW, H};
    const Rect left_src{0, kCornerH, kClient.left, sh - kCornerH};
    const Rect left_dst{0, kCornerH, kClient.left, H - kCornerH};
    const Rect right_src{kClient.right, kCornerH, sw, sh - kCornerH};
    const Rect right_dst{kClient.right + dw, kCornerH, W, H - kCornerH};
    for (auto [src, dst] :
        {std::pair{top_src, top_dst}, {bottom_src, bottom_dst}, {left_src, left_dst}, {right_src, right_dst}}) {
        if (stretch) {
            c.stretch_draw(dst, pic, src);
        } else {
            c.tile(dst, pic, src);
        }
    }
    // Client area and the controls' plain parts.
    const Rect client{kClient.left, kClient.top, kClient.right + dw, kClient.bottom + dh};
    if (stretch) {
        c.stretch_draw(client, pic, kClient);
    } else {
        c.tile(client, pic, kClient);
    }
    c.fill_rect({20, 100, 300, 600}, clWindow);
    c.fill_rect({320, 100, 800, 600}, clWindow);
    c.frame_rect({19, 99, 301, 601}, clBtnShadow);
    c.frame_rect({319, 99, 801, 601}, clBtnShadow);
}

void Compose(benchmark::State& state, bool stretch)
{
    const Bitmap pic = frame_picture();
    Bitmap target(835, 660);
    for (auto _ : state) {
        Canvas canvas(target);
        compose(canvas, pic, target.width(), target.height(), stretch);
        benchmark::DoNotOptimize(target.data());
    }
}

void Compose835x660Tiled(benchmark::State& state)
{
    Compose(state, false);
}
void Compose835x660Stretched(benchmark::State& state)
{
    Compose(state, true);
}

void DecodeBmp285x210x24(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = encode_bmp(frame_picture(), {24, {}});
    for (auto _ : state) {
        Bitmap bmp;
        benchmark::DoNotOptimize(read_bmp(bytes, 0, bmp));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void MaskRegion285x210(benchmark::State& state)
{
    // A frame mask: black everywhere except rounded-off corners.
    Bitmap mask(285, 210, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6 - y; ++x) {
            mask.set_pixel(x, y, make_pixel(255, 255, 255));
            mask.set_pixel(284 - x, y, make_pixel(255, 255, 255));
        }
    for (auto _ : state)
        benchmark::DoNotOptimize(Region::from_mask(mask).rects().size());
}

BENCHMARK(Compose835x660Tiled)->Unit(benchmark::kMicrosecond);
BENCHMARK(Compose835x660Stretched)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecodeBmp285x210x24)->Unit(benchmark::kMicrosecond);
BENCHMARK(MaskRegion285x210)->Unit(benchmark::kMicrosecond);

} // namespace
