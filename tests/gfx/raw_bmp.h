#pragma once
// Builds BMP file images field by field, so tests can write headers that no
// sound writer would produce.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx/little_endian.h"

namespace lt::test {

struct RawBmp {
    std::uint32_t header_size = 40;
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t planes = 1;
    std::uint16_t bit_count = 24;
    std::uint32_t compression = 0;
    std::uint32_t size_image = 0;
    std::uint32_t colors_used = 0;
    std::vector<std::uint32_t> masks;   // written after a 40-byte header, or inside a longer one
    std::vector<std::uint32_t> palette; // 0x00RRGGBB entries
    std::vector<std::uint8_t> rows;     // the pixel bytes as stored

    std::vector<std::uint8_t> bytes() const
    {
        std::vector<std::uint8_t> out;
        auto put = [&](std::uint32_t v, int n) {
            n == 2 ? append_le16(out, static_cast<std::uint16_t>(v)) : append_le32(out, v);
        };
        out.push_back('B');
        out.push_back('M');
        put(0, 4); // file size and bits offset are not used by the reader
        put(0, 4);
        put(0, 4);
        put(header_size, 4);
        put(static_cast<std::uint32_t>(width), 4);
        put(static_cast<std::uint32_t>(height), 4);
        put(planes, 2);
        put(bit_count, 2);
        put(compression, 4);
        put(size_image, 4);
        put(0, 4);
        put(0, 4);
        put(colors_used, 4);
        put(0, 4);
        // Padding is capped so that absurd sizes stay cheap to build.
        std::size_t extra = header_size > 40 ? std::min<std::size_t>(header_size - 40, 1024) : 0;
        std::size_t header_end = out.size() + extra;
        if (extra > 0) {
            for (std::uint32_t m : masks)
                put(m, 4);
        } else {
            for (std::uint32_t m : masks)
                put(m, 4);
            header_end = out.size();
        }
        while (out.size() < header_end)
            out.push_back(0);
        for (std::uint32_t e : palette)
            put(e, 4);
        out.insert(out.end(), rows.begin(), rows.end());
        return out;
    }
};

} // namespace lt::test
