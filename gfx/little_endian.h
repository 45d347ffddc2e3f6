#pragma once
// Little-endian integers in byte buffers: the byte order of BMP files, of
// the skin package and of its stored forms. Reads take a pointer to at least
// as many bytes as the integer has; the caller checks the bounds.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lt {

constexpr std::uint16_t load_le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
constexpr std::uint32_t load_le32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}
constexpr std::int32_t load_le32s(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(load_le32(p));
}

constexpr void store_le32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void append_le16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void append_le32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

} // namespace lt
