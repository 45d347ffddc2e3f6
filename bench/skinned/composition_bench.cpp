// Composition with the stored skin: the panel's nine-piece to a main-window
// sized target (tiled and stretched, with and without making the off-screen
// bitmap), and window regions from the 285 x 210 frame mask, converted
// directly and composed to the main window's size.

#include <benchmark/benchmark.h>

#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/composition.h"

namespace {

using namespace lt;

constexpr Size kMainWindow{835, 660};

const TskSkinData& StoredSkin()
{
    static TskCompressedStoredSkin stored(nullptr);
    static TskSkinData data(nullptr);
    if (data.Empty) {
        AssignEmbeddedSkin(stored);
        data.SetCompressedStoredSkin(&stored);
    }
    return data;
}

const TskDataSkinCustomControl& Object(const char* name)
{
    const TskSkinData& data = StoredSkin();
    return dynamic_cast<const TskDataSkinCustomControl&>(*data.SkinControls[data.FindSkinControl(name)]);
}

void NinePiece(benchmark::State& state, bool stretch, bool allocate)
{
    const TskDataSkinCustomControl& panel = Object("panel");
    const Bitmap& picture = *StoredSkin().ActivePicture(panel.pictureindex);
    SkinGeometry g = SkinGeometry::From(panel);
    g.stretcheffect = stretch;
    g.leftstretch = g.topstretch = g.rightstretch = g.bottomstretch = stretch;
    const SkinFit fit = g.fit(kMainWindow);
    Bitmap target(kMainWindow.width, kMainWindow.height);
    for (auto _ : state) {
        if (allocate)
            target = Bitmap(kMainWindow.width, kMainWindow.height);
        Canvas canvas(target);
        ComposeSkin(canvas, picture, g.skinrect, g, fit);
        benchmark::DoNotOptimize(target.data());
    }
    state.SetItemsProcessed(state.iterations() * kMainWindow.width * kMainWindow.height);
}
BENCHMARK_CAPTURE(NinePiece, tiled, false, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NinePiece, stretched, true, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NinePiece, tiled_with_new_bitmap, false, true)->Unit(benchmark::kMicrosecond);

void RegionFromFrameMask(benchmark::State& state)
{
    const Bitmap& mask = StoredSkin().MaskPicture;
    SkinGeometry g;
    g.skinrect = mask.rect();
    const SkinFit fit = g.fit(mask.size());
    for (auto _ : state) {
        std::optional<Region> r = SkinRegion(mask, mask.rect(), g, fit);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(RegionFromFrameMask)->Unit(benchmark::kMicrosecond);

// The frame mask cut by the skin's form geometry, composed to the main
// window's size: strips plus the client.
void RegionFromFrameMaskAtMainWindowSize(benchmark::State& state)
{
    const TskSkinData& data = StoredSkin();
    const Bitmap& mask = data.MaskPicture;
    const TskSkinFormInfo& f = data.FormInfo;
    SkinGeometry g;
    g.skinrect = mask.rect();
    g.clientrect = f.clientrect;
    g.lefttoppoint = f.lefttoppoint;
    g.righttoppoint = f.righttoppoint;
    g.leftbottompoint = f.leftbottompoint;
    g.rightbottompoint = f.rightbottompoint;
    const SkinFit fit = g.fit(kMainWindow);
    for (auto _ : state) {
        std::optional<Region> r = SkinRegion(mask, mask.rect(), g, fit);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(RegionFromFrameMaskAtMainWindowSize)->Unit(benchmark::kMicrosecond);

} // namespace
