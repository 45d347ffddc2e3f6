// Fuzz target over the skin loader. Every input is tried three ways: as a
// compressed block (the inflater's guards), as an inflated package (the
// package and bitmap readers) and as a description text inside a package
// with no pictures (the parser and every skin object's reader).

#include <cstdint>
#include <span>
#include <vector>

#include "skin/skin_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lt;
    std::span<const std::uint8_t> input(data, size);
    TskSkinData skin(nullptr);

    TskCompressedStoredSkin stored(nullptr);
    stored.SetCompressedData({input.begin(), input.end()});
    try {
        skin.LoadCompressedSkin(&stored);
    } catch (const std::exception&) { }
    try {
        skin.LoadSkinPackage(input);
    } catch (const std::exception&) { }

    std::vector<std::uint8_t> package = {3, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0};
    package.insert(package.end(), input.begin(), input.end());
    skin.LoadSkinPackage(package); // a description alone never fails to load
    for (const auto& object : skin.SkinObjects)
        (void)skin.FindSkinObject(object->Name);
    for (const auto& control : skin.SkinControls)
        (void)skin.FindSkinControl(control->Name);
    return 0;
}
