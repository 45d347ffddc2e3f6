#include "tests/skin/skin_fixture.h"

#include "gfx/bmp.h"
#include "gfx/little_endian.h"
#include "skin/skin_package.h"

namespace lt::test {

std::vector<std::uint8_t> TinyBmp(std::uint8_t shade)
{
    Bitmap b(2, 2, make_pixel(shade, shade, shade));
    return encode_bmp(b, {24, {}});
}

std::vector<std::uint8_t> Package(const PackageSpec& pkg)
{
    std::vector<std::uint8_t> p;
    auto put_int = [&](std::int32_t v) { append_le32(p, static_cast<std::uint32_t>(v)); };
    auto put_optional = [&](bool present, std::uint8_t shade) {
        p.push_back(present ? 0 : 1);
        if (present) {
            auto b = TinyBmp(shade);
            p.insert(p.end(), b.begin(), b.end());
        }
    };
    put_int(pkg.version);
    put_optional(pkg.picture, 0x10);
    put_optional(pkg.inactive, 0x20);
    put_optional(pkg.mask, 0x30);
    if (pkg.version == 2) {
        put_optional(true, 0x40);
        put_optional(false, 0);
    }
    put_int(pkg.active_count);
    for (int i = 0; i < pkg.active_count; ++i) {
        auto b = TinyBmp(static_cast<std::uint8_t>(0x50 + i));
        p.insert(p.end(), b.begin(), b.end());
    }
    p.insert(p.end(), pkg.description.begin(), pkg.description.end());
    return p;
}

std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& package)
{
    return DeflateSkinPackage(package);
}

} // namespace lt::test
