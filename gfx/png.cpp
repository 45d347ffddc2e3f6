#include "gfx/png.h"

#include <png.h>

#include <csetjmp>
#include <fstream>

namespace lt {

namespace {

void append_to_vector(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void no_flush(png_structp)
{ }

// libpng reports errors by longjmp; this function keeps only trivially
// destructible locals between setjmp and the calls that may jump.
bool write_png(png_structp png, png_infop info, int width, int height, png_bytep* rows, std::vector<std::uint8_t>* out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, append_to_vector, no_flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
        PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::vector<std::uint8_t> encode_png(const Bitmap& bmp)
{
    if (bmp.empty())
        throw GfxError("Cannot write an empty bitmap as PNG");
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(bmp.width()) * bmp.height() * 3);
    std::vector<png_bytep> rows(static_cast<std::size_t>(bmp.height()));
    for (int y = 0; y < bmp.height(); ++y) {
        std::uint8_t* dst = rgb.data() + static_cast<std::size_t>(y) * bmp.width() * 3;
        rows[static_cast<std::size_t>(y)] = dst;
        const Pixel* src = bmp.row(y);
        for (int x = 0; x < bmp.width(); ++x) {
            dst[3 * x] = static_cast<std::uint8_t>(pixel_red(src[x]));
            dst[3 * x + 1] = static_cast<std::uint8_t>(pixel_green(src[x]));
            dst[3 * x + 2] = static_cast<std::uint8_t>(pixel_blue(src[x]));
        }
    }
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        throw GfxError("Cannot start PNG encoding");
    png_infop info = png_create_info_struct(png);
    bool ok = info != nullptr && write_png(png, info, bmp.width(), bmp.height(), rows.data(), &out);
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    if (!ok)
        throw GfxError("PNG encoding failed");
    return out;
}

void save_png_file(const std::string& path, const Bitmap& bmp)
{
    std::vector<std::uint8_t> bytes = encode_png(bmp);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f)
        throw GfxError("Cannot create file \"" + path + "\"");
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f)
        throw GfxError("Cannot write file \"" + path + "\"");
}

} // namespace lt
