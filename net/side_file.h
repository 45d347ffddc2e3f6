#pragma once
// The resume side file: FileName + ".ini", holding the Last-Modified date of
// the last answer as its only line. A fetch reads it when it starts and
// rewrites it whenever an answer carries a date.

#include <cstdint>
#include <string>

namespace lt {

// Whether path names something that is not a folder; its size in *size.
bool SideFileTargetExists(const std::string& path, int64_t* size = nullptr);

// The first line of the file (without its line end); empty when the file
// cannot be read or has none.
std::string ReadSideFileLine(const std::string& path);

// Replaces the file by one holding line followed by CR LF. Best effort: a
// file that cannot be written is left as it was. Writes of all threads go
// one at a time, each to a new file renamed into place, so a reader (or
// another instance) never sees half a line and a planted symlink is
// replaced rather than written through.
void WriteSideFileLine(const std::string& path, const std::string& line);

} // namespace lt
