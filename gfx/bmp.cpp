// BMP codec.
//   1. Reader: header validation, colour table and masks, row decoding
//   2. Writer: palette mapping, 24-bit and 1/4/8-bit rows
//   3. Files

#include "gfx/bmp.h"

#include "gfx/little_endian.h"

#include <array>
#include <bit>
#include <climits>
#include <fstream>
#include <iterator>
#include <unordered_map>

namespace lt {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

// ---- 1. Reader --------------------------------------------------------------

[[noreturn]] void fail(const std::string& what)
{
    throw BmpError("Bitmap image is not valid: " + what);
}

// One channel of a bit-field pixel: where its bits are and how to widen them
// to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m)
    {
        if (m == 0)
            return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    unsigned value(std::uint32_t px) const
    {
        if (max == 0)
            return 0;
        std::uint64_t v = (px & mask) >> shift;
        return static_cast<unsigned>((v * 255 + max / 2) / max);
    }
};

// Bounds-checked cursor over the input span; every read is checked first.
class Reader {
public:
    Reader(std::span<const std::uint8_t> bytes, std::size_t pos) : bytes_(bytes), pos_(pos)
    {
        if (pos > bytes.size())
            fail("position past the end of the data");
    }
    std::uint64_t remaining() const { return bytes_.size() - pos_; }
    const std::uint8_t* take(std::uint64_t n, const char* what)
    {
        if (n > remaining())
            fail(std::string("data ends inside the ") + what);
        const std::uint8_t* p = bytes_.data() + pos_;
        pos_ += static_cast<std::size_t>(n);
        return p;
    }
    std::size_t pos() const { return pos_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_;
};

void decode_rows(const std::uint8_t* bits, std::uint64_t stride, int width, int height, bool top_down, int bit_count,
    const std::vector<Pixel>& palette, const std::array<Channel, 3>& ch, Bitmap& out)
{
    auto index_pixel = [&](unsigned index) { return index < palette.size() ? palette[index] : Pixel{0}; };
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = bits + stride * static_cast<std::uint64_t>(top_down ? y : height - 1 - y);
        Pixel* dst = out.row(y);
        switch (bit_count) {
        case 1:
            for (int x = 0; x < width; ++x)
                dst[x] = index_pixel((src[x >> 3] >> (7 - (x & 7))) & 1u);
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                dst[x] = index_pixel((src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu);
            break;
        case 8:
            for (int x = 0; x < width; ++x)
                dst[x] = index_pixel(src[x]);
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                std::uint32_t v = load_le16(src + 2 * x);
                dst[x] = make_pixel(ch[0].value(v), ch[1].value(v), ch[2].value(v));
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x)
                dst[x] = make_pixel(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
        case 32:
            for (int x = 0; x < width; ++x) {
                std::uint32_t v = load_le32(src + 4 * x);
                dst[x] = make_pixel(ch[0].value(v), ch[1].value(v), ch[2].value(v));
            }
            break;
        }
    }
}

} // namespace

std::size_t read_bmp(std::span<const std::uint8_t> bytes, std::size_t pos, Bitmap& out)
{
    Reader in(bytes, pos);
    const std::uint8_t* fh = in.take(kFileHeaderSize, "file header");
    if (fh[0] != 'B' || fh[1] != 'M')
        fail("no \"BM\" signature");

    const std::uint8_t* sizep = in.take(4, "info header");
    std::uint32_t header_size = load_le32(sizep);
    if (header_size < kInfoHeaderSize)
        fail("info header shorter than 40 bytes");
    // The longer V4/V5 headers start with the same 40 bytes; the rest is
    // skipped, except for the colour masks that directly follow those 40.
    const std::uint8_t* h = in.take(header_size - 4, "info header") - 4;
    std::int32_t width = load_le32s(h + 4);
    std::int32_t height = load_le32s(h + 8);
    unsigned planes = load_le16(h + 12);
    unsigned bit_count = load_le16(h + 14);
    std::uint32_t compression = load_le32(h + 16);
    std::uint32_t size_image = load_le32(h + 20);
    std::uint32_t colors_used = load_le32(h + 32);

    if (planes != 1)
        fail("plane count is not 1");
    if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 16 && bit_count != 24 && bit_count != 32) {
        fail("unsupported bit depth " + std::to_string(bit_count));
    }
    if (compression != kBiRgb && !(compression == kBiBitfields && (bit_count == 16 || bit_count == 32))) {
        fail("unsupported compression " + std::to_string(compression));
    }
    if (width <= 0)
        fail("width is not positive");
    if (height == 0 || height == INT_MIN)
        fail("bad height");
    const bool top_down = height < 0;
    const std::int64_t abs_height = top_down ? -std::int64_t{height} : std::int64_t{height};
    if (width > Bitmap::kMaxSide || abs_height > Bitmap::kMaxSide ||
        std::int64_t{width} * abs_height > Bitmap::kMaxPixels) {
        fail("size " + std::to_string(width) + " x " + std::to_string(abs_height) + " is too large");
    }

    std::array<Channel, 3> channels{Channel(0x00FF0000u), Channel(0x0000FF00u), Channel(0x000000FFu)};
    if (bit_count == 16)
        channels = {Channel(0x7C00u), Channel(0x03E0u), Channel(0x001Fu)};
    if (compression == kBiBitfields) {
        const std::uint8_t* m = header_size == kInfoHeaderSize ? in.take(12, "colour masks")
            : header_size >= kInfoHeaderSize + 12              ? h + kInfoHeaderSize
                                                               : nullptr;
        if (m == nullptr)
            fail("info header too short for colour masks");
        channels = {Channel(load_le32(m)), Channel(load_le32(m + 4)), Channel(load_le32(m + 8))};
    }

    std::uint64_t table_entries = colors_used;
    if (bit_count <= 8) {
        if (colors_used > 256)
            fail("more than 256 colours in the colour table");
        if (colors_used == 0)
            table_entries = std::uint64_t{1} << bit_count;
    }
    const std::uint8_t* table = in.take(table_entries * 4, "colour table");
    std::vector<Pixel> palette;
    if (bit_count <= 8) {
        palette.reserve(static_cast<std::size_t>(table_entries));
        for (std::uint64_t i = 0; i < table_entries; ++i) {
            const std::uint8_t* e = table + 4 * i;
            palette.push_back(make_pixel(e[2], e[1], e[0]));
        }
    }

    const std::uint64_t stride = (std::uint64_t{static_cast<std::uint32_t>(width)} * bit_count + 31) / 32 * 4;
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(abs_height);
    if (size_image != 0 && size_image < needed)
        fail("biSizeImage is smaller than the rows");
    // A larger biSizeImage is consumed whole; the extra bytes are ignored.
    const std::uint8_t* bits = in.take(size_image != 0 ? size_image : needed, "pixel rows");

    Bitmap result(width, static_cast<int>(abs_height));
    decode_rows(bits, stride, width, static_cast<int>(abs_height), top_down, static_cast<int>(bit_count), palette,
        channels, result);
    result.set_source_format(static_cast<int>(bit_count), std::move(palette));
    out = std::move(result);
    return in.pos() - pos;
}

// ---- 2. Writer --------------------------------------------------------------

namespace {

std::vector<Pixel> grey_ramp(int entries)
{
    std::vector<Pixel> ramp;
    for (int i = 0; i < entries; ++i) {
        unsigned v = static_cast<unsigned>(i * 255 / (entries - 1));
        ramp.push_back(make_pixel(v, v, v));
    }
    return ramp;
}

// Maps pixels to colour-table indices: exact matches first, else the entry
// nearest in RGB distance. Results are cached since pictures repeat colours.
class PaletteMapper {
public:
    explicit PaletteMapper(const std::vector<Pixel>& palette) : palette_(palette) { }
    unsigned index(Pixel p)
    {
        auto it = cache_.find(p);
        if (it != cache_.end())
            return it->second;
        unsigned best = 0;
        long best_distance = -1;
        for (unsigned i = 0; i < palette_.size(); ++i) {
            long dr = long(pixel_red(p)) - long(pixel_red(palette_[i]));
            long dg = long(pixel_green(p)) - long(pixel_green(palette_[i]));
            long db = long(pixel_blue(p)) - long(pixel_blue(palette_[i]));
            long d = dr * dr + dg * dg + db * db;
            if (best_distance < 0 || d < best_distance) {
                best = i;
                best_distance = d;
            }
            if (d == 0)
                break;
        }
        cache_.emplace(p, best);
        return best;
    }

private:
    const std::vector<Pixel>& palette_;
    std::unordered_map<Pixel, unsigned> cache_;
};

} // namespace

void append_bmp(std::vector<std::uint8_t>& out, const Bitmap& bmp, const BmpWriteOptions& options)
{
    if (bmp.empty())
        throw GfxError("Cannot write an empty bitmap as BMP");
    int bits = options.bit_count;
    if (bits == 0) {
        int src = bmp.source_bit_count();
        bits = (src == 1 || src == 4 || src == 8) && !bmp.palette().empty() ? src : 24;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
        throw GfxError("Cannot write a BMP with " + std::to_string(bits) + " bits per pixel");
    }
    std::vector<Pixel> palette;
    if (bits <= 8) {
        const std::size_t max_entries = std::size_t{1} << bits;
        palette = !options.palette.empty() ? options.palette : bmp.palette();
        if (palette.empty() || palette.size() > max_entries) {
            if (!options.palette.empty())
                throw GfxError("Colour table too large for the bit depth");
            palette = grey_ramp(static_cast<int>(max_entries));
        }
    }

    const int width = bmp.width();
    const int height = bmp.height();
    const std::uint32_t stride =
        static_cast<std::uint32_t>((std::uint64_t{static_cast<unsigned>(width)} * bits + 31) / 32 * 4);
    const std::uint32_t image_size = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * palette.size());

    const std::size_t start = out.size();
    out.reserve(start + offset + image_size);
    out.push_back('B');
    out.push_back('M');
    append_le32(out, 0); // file size, set below
    append_le32(out, 0);
    append_le32(out, offset);
    append_le32(out, kInfoHeaderSize);
    append_le32(out, static_cast<std::uint32_t>(width));
    append_le32(out, static_cast<std::uint32_t>(height)); // positive: bottom-up rows
    append_le16(out, 1);
    append_le16(out, static_cast<std::uint16_t>(bits));
    append_le32(out, kBiRgb);
    append_le32(out, image_size);
    append_le32(out, 0);
    append_le32(out, 0);
    append_le32(out, static_cast<std::uint32_t>(palette.size()));
    append_le32(out, 0);
    for (Pixel p : palette) {
        out.push_back(static_cast<std::uint8_t>(pixel_blue(p)));
        out.push_back(static_cast<std::uint8_t>(pixel_green(p)));
        out.push_back(static_cast<std::uint8_t>(pixel_red(p)));
        out.push_back(0);
    }

    PaletteMapper mapper(palette);
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t row_start = out.size();
        out.resize(row_start + stride, 0);
        std::uint8_t* dst = out.data() + row_start;
        const Pixel* src = bmp.row(y);
        for (int x = 0; x < width; ++x) {
            switch (bits) {
            case 24:
                dst[3 * x] = static_cast<std::uint8_t>(pixel_blue(src[x]));
                dst[3 * x + 1] = static_cast<std::uint8_t>(pixel_green(src[x]));
                dst[3 * x + 2] = static_cast<std::uint8_t>(pixel_red(src[x]));
                break;
            case 8:
                dst[x] = static_cast<std::uint8_t>(mapper.index(src[x]));
                break;
            case 4:
                dst[x >> 1] |= static_cast<std::uint8_t>(mapper.index(src[x]) << ((x & 1) ? 0 : 4));
                break;
            case 1:
                dst[x >> 3] |= static_cast<std::uint8_t>(mapper.index(src[x]) << (7 - (x & 7)));
                break;
            }
        }
    }
    store_le32(out.data() + start + 2, static_cast<std::uint32_t>(out.size() - start));
}

std::vector<std::uint8_t> encode_bmp(const Bitmap& bmp, const BmpWriteOptions& options)
{
    std::vector<std::uint8_t> out;
    append_bmp(out, bmp, options);
    return out;
}

// ---- 3. Files ---------------------------------------------------------------

Bitmap load_bmp_file(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw GfxError("Cannot open file \"" + path + "\"");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (f.bad())
        throw GfxError("Cannot read file \"" + path + "\"");
    Bitmap bmp;
    read_bmp(bytes, 0, bmp);
    return bmp;
}

void save_bmp_file(const std::string& path, const Bitmap& bmp, const BmpWriteOptions& options)
{
    std::vector<std::uint8_t> bytes = encode_bmp(bmp, options);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f)
        throw GfxError("Cannot create file \"" + path + "\"");
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f)
        throw GfxError("Cannot write file \"" + path + "\"");
}

} // namespace lt
