// Loading the embedded stored skin, next to a bare zlib inflate of the same
// block, and the load's parts: the package (bitmap decoding) and the
// description (parsing and building every skin object).

#include <benchmark/benchmark.h>
#include <zlib.h>

#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skin/skin_package.h"

namespace {

using namespace lt;

void BareInflate(benchmark::State& state)
{
    auto block = EmbeddedSkinBlock();
    std::vector<std::uint8_t> out(InflateSkinBlock(block).size());
    for (auto _ : state) {
        uLongf size = out.size();
        uncompress(out.data(), &size, block.data(), static_cast<uLong>(block.size()));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(out.size()));
}
BENCHMARK(BareInflate)->Unit(benchmark::kMicrosecond);

void LoadEmbeddedSkin(benchmark::State& state)
{
    TskCompressedStoredSkin stored(nullptr);
    AssignEmbeddedSkin(stored);
    TskSkinData data(nullptr);
    for (auto _ : state) {
        data.LoadCompressedSkin(&stored);
        benchmark::DoNotOptimize(data.SkinControls.data());
    }
}
BENCHMARK(LoadEmbeddedSkin)->Unit(benchmark::kMicrosecond);

void ParsePackagePictures(benchmark::State& state)
{
    std::vector<std::uint8_t> package = InflateSkinBlock(EmbeddedSkinBlock());
    for (auto _ : state) {
        SkinPackageContents contents;
        ParseSkinPackage(package, contents);
        benchmark::DoNotOptimize(contents.active_pictures.data());
    }
}
BENCHMARK(ParsePackagePictures)->Unit(benchmark::kMicrosecond);

void ParseDescriptionAndObjects(benchmark::State& state)
{
    std::vector<std::uint8_t> package = InflateSkinBlock(EmbeddedSkinBlock());
    SkinPackageContents contents;
    ParseSkinPackage(package, contents);
    // A package of the description alone: no pictures, the same objects.
    std::vector<std::uint8_t> text_only = {3, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0};
    text_only.insert(text_only.end(), contents.description.begin(), contents.description.end());
    TskSkinData data(nullptr);
    for (auto _ : state) {
        data.LoadSkinPackage(text_only);
        benchmark::DoNotOptimize(data.SkinControls.data());
    }
}
BENCHMARK(ParseDescriptionAndObjects)->Unit(benchmark::kMicrosecond);

} // namespace
