#pragma once
// The stored skin package and its compressed block.
//
// A package is: version (int32 LE), then for the frame picture, the inactive
// frame picture and the frame mask a present byte (0 = a BMP file image
// follows, anything else = empty) and the image; a version-2 package carries
// two more such pairs that are read and discarded; then a count N and N BMP
// images without present bytes (the active pictures); then the skin
// description as CR LF lines up to the end. The compressed block is the
// package as one zlib stream written at level 9.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "gfx/bitmap.h"

namespace lt {

inline constexpr std::int32_t kSkinPackageVersion = 3;
// Inflating stops with "compression error" beyond this size, so a hostile
// block cannot exhaust memory; real packages are around a megabyte.
inline constexpr std::size_t kMaxSkinPackageSize = std::size_t{64} << 20;

// The inflater's failure: not a zlib stream, a bad checksum, a stream that
// ends early or one that inflates beyond kMaxSkinPackageSize.
class EDecompressionError : public std::runtime_error {
public:
    EDecompressionError() : std::runtime_error("compression error") { }
};

// A package field that runs past the end of the package.
class EReadError : public std::runtime_error {
public:
    EReadError() : std::runtime_error("Stream read error") { }
};

// Inflates a whole zlib stream; bytes after the end of the stream are ignored.
std::vector<std::uint8_t> InflateSkinBlock(std::span<const std::uint8_t> block);
// Compresses at the highest level (zlib header 0x78 0xDA).
std::vector<std::uint8_t> DeflateSkinPackage(std::span<const std::uint8_t> package);

// A package taken apart. The byte ranges point into the parsed buffer and
// hold each bitmap's file image exactly as stored.
struct SkinPackageContents {
    std::int32_t version = 0;
    // Empty bitmaps (and empty ranges) stand for absent pictures.
    Bitmap picture, inactive_picture, mask_picture;
    std::span<const std::uint8_t> picture_bytes, inactive_picture_bytes, mask_picture_bytes;
    std::vector<Bitmap> active_pictures;
    std::vector<std::span<const std::uint8_t>> active_picture_bytes;
    std::span<const std::uint8_t> description;
};

// Reads the version and, when it is at most 3, the rest of the package.
// Returns false (with only `version` set) for a version above 3. A bitmap
// that is not a BMP or runs past the end throws the bitmap reader's error; a
// truncated integer throws EReadError.
bool ParseSkinPackage(std::span<const std::uint8_t> package, SkinPackageContents& out);

// Builds an uncompressed package from a skin description file and the bitmap
// files it names (relative to the description's folder). Returns nullopt,
// without reading any bitmap, when the description lacks one of the sections
// [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS] and [SKINCONTROLS]. A
// bitmap that cannot be read throws.
std::optional<std::vector<std::uint8_t>> BuildSkinPackage(const std::string& ini_path);

// Splits text into lines ending at CR, LF or CR LF; a final line break does
// not start another line.
std::vector<std::string> SplitSkinLines(std::string_view text);

// Whole-file helpers; both throw std::runtime_error naming the file.
std::vector<std::uint8_t> ReadSkinFile(const std::string& path);
void WriteSkinFile(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace lt
