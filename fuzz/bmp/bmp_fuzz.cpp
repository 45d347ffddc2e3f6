// Fuzz target for the BMP reader: any input either decodes or throws
// BmpError, never reads outside the input; whatever decodes can be turned into
// a region and written and read back at the same size.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "gfx/bmp.h"
#include "gfx/region.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::span<const std::uint8_t> bytes(data, size);
    // Also read from inside the input, as a package reader does.
    const std::size_t starts[] = {0, size > 0 ? data[0] % (size + 1) : 0};
    for (std::size_t pos : starts) {
        lt::Bitmap bmp;
        std::size_t used = 0;
        try {
            used = lt::read_bmp(bytes, pos, bmp);
        } catch (const lt::BmpError&) {
            continue;
        }
        if (used == 0 || used > size - pos || bmp.empty())
            std::abort();
        lt::Region region = lt::Region::from_mask(bmp);
        if (!bmp.rect().contains(region.bounds()))
            std::abort();
        lt::Bitmap back;
        if (lt::read_bmp(lt::encode_bmp(bmp), 0, back) == 0 || back.size() != bmp.size())
            std::abort();
    }
    return 0;
}
