#include "skin/skin_package.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "gfx/bmp.h"
#include "gfx/little_endian.h"
#include "skin/skin_ini.h"

namespace lt {

// ---------------------------------------------------------------------------
// Compression

std::vector<std::uint8_t> InflateSkinBlock(std::span<const std::uint8_t> block)
{
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw EDecompressionError();
    zs.next_in = const_cast<Bytef*>(block.data());
    zs.avail_in = static_cast<uInt>(block.size());
    std::vector<std::uint8_t> out;
    // Skin blocks inflate to 30 to 60 times their size; one generous guess
    // avoids regrowing.
    out.resize(std::min<std::size_t>(std::max<std::size_t>(block.size() * 64, 4096), kMaxSkinPackageSize));
    std::size_t have = 0;
    int rc = Z_OK;
    while (rc == Z_OK) {
        if (have == out.size()) {
            if (out.size() >= kMaxSkinPackageSize)
                break;
            out.resize(std::min(out.size() * 2, kMaxSkinPackageSize));
        }
        zs.next_out = out.data() + have;
        zs.avail_out = static_cast<uInt>(out.size() - have);
        rc = inflate(&zs, Z_NO_FLUSH);
        have = out.size() - zs.avail_out;
        // No input left and no progress: the stream was cut short.
        if (rc == Z_BUF_ERROR || (rc == Z_OK && zs.avail_in == 0 && zs.avail_out != 0))
            break;
    }
    inflateEnd(&zs);
    if (rc != Z_STREAM_END)
        throw EDecompressionError();
    out.resize(have);
    return out;
}

std::vector<std::uint8_t> DeflateSkinPackage(std::span<const std::uint8_t> package)
{
    uLongf size = compressBound(static_cast<uLong>(package.size()));
    std::vector<std::uint8_t> out(size);
    if (compress2(out.data(), &size, package.data(), static_cast<uLong>(package.size()), 9) != Z_OK)
        throw std::runtime_error("compression error");
    out.resize(size);
    return out;
}

// ---------------------------------------------------------------------------
// Package reading

namespace {

class PackageReader {
public:
    explicit PackageReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) { }

    std::int32_t ReadInt()
    {
        if (bytes_.size() - pos_ < 4)
            throw EReadError();
        std::int32_t v = load_le32s(bytes_.data() + pos_);
        pos_ += 4;
        return v;
    }
    std::uint8_t ReadByte()
    {
        if (pos_ >= bytes_.size())
            throw EReadError();
        return bytes_[pos_++];
    }
    std::span<const std::uint8_t> ReadBitmap(Bitmap& out)
    {
        std::size_t n = read_bmp(bytes_, pos_, out);
        auto range = bytes_.subspan(pos_, n);
        pos_ += n;
        return range;
    }
    // A present byte and, when it is 0, a bitmap; otherwise an empty bitmap.
    std::span<const std::uint8_t> ReadOptionalBitmap(Bitmap& out)
    {
        if (ReadByte() != 0) {
            out = Bitmap();
            return {};
        }
        return ReadBitmap(out);
    }
    std::span<const std::uint8_t> Rest() const { return bytes_.subspan(pos_); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

} // namespace

bool ParseSkinPackage(std::span<const std::uint8_t> package, SkinPackageContents& out)
{
    out = SkinPackageContents{};
    PackageReader r(package);
    out.version = r.ReadInt();
    if (out.version > kSkinPackageVersion)
        return false;
    out.picture_bytes = r.ReadOptionalBitmap(out.picture);
    out.inactive_picture_bytes = r.ReadOptionalBitmap(out.inactive_picture);
    out.mask_picture_bytes = r.ReadOptionalBitmap(out.mask_picture);
    if (out.version == 2) {
        Bitmap scratch;
        r.ReadOptionalBitmap(scratch);
        r.ReadOptionalBitmap(scratch);
    }
    std::int32_t count = r.ReadInt();
    for (std::int32_t i = 0; i < count; ++i) {
        // Each bitmap takes at least its headers, so a count beyond the data
        // fails on the first missing image instead of allocating for all.
        Bitmap bmp;
        out.active_picture_bytes.push_back(r.ReadBitmap(bmp));
        out.active_pictures.push_back(std::move(bmp));
    }
    out.description = r.Rest();
    return true;
}

// ---------------------------------------------------------------------------
// Package building

std::vector<std::string> SplitSkinLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::vector<std::uint8_t> ReadSkinFile(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw std::runtime_error("Cannot open file \"" + path + "\". " + std::strerror(errno));
    std::vector<std::uint8_t> data;
    std::uint8_t buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.insert(data.end(), buf, buf + n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        throw std::runtime_error("Cannot read file \"" + path + "\"");
    return data;
}

void WriteSkinFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("Cannot create file \"" + path + "\". " + std::strerror(errno));
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok)
        throw std::runtime_error("Cannot write file \"" + path + "\"");
}

namespace {

// Appends the file's bitmap image as the reader will step over it: the
// bytes the reader consumes, with the file-size field set to their count.
void put_bitmap_file(std::vector<std::uint8_t>& out, const std::string& path)
{
    std::vector<std::uint8_t> file = ReadSkinFile(path);
    Bitmap bmp;
    std::size_t n;
    try {
        n = read_bmp(file, 0, bmp);
    } catch (const std::exception& e) {
        throw std::runtime_error("\"" + path + "\": " + e.what());
    }
    std::size_t at = out.size();
    out.insert(out.end(), file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
    store_le32(out.data() + at + 2, static_cast<std::uint32_t>(n));
}

} // namespace

std::optional<std::vector<std::uint8_t>> BuildSkinPackage(const std::string& ini_path)
{
    std::vector<std::uint8_t> file = ReadSkinFile(ini_path);
    std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    SkinIni ini(text);
    for (const char* s : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.HasSection(s))
            return std::nullopt;

    std::string dir;
    if (auto slash = ini_path.find_last_of('/'); slash != std::string::npos)
        dir = ini_path.substr(0, slash + 1);

    std::vector<std::uint8_t> package;
    append_le32(package, static_cast<std::uint32_t>(kSkinPackageVersion));
    for (const char* key : {"picture", "inactivepicture", "mask"}) {
        std::string name = ini.ReadString("PICTURES", key, "");
        package.push_back(name.empty() ? 1 : 0);
        if (!name.empty())
            put_bitmap_file(package, dir + name);
    }
    std::vector<std::string> active = ini.ReadStringList("PICTURES", "activepictures");
    append_le32(package, static_cast<std::uint32_t>(active.size()));
    for (const std::string& name : active)
        put_bitmap_file(package, dir + name);
    for (const std::string& line : SplitSkinLines(text)) {
        package.insert(package.end(), line.begin(), line.end());
        package.push_back('\r');
        package.push_back('\n');
    }
    return package;
}

} // namespace lt
