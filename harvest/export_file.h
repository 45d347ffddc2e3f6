#pragma once
// The export file: every row's code page 936 bytes followed by CR LF, the
// last row included; no header, no byte-order mark; an empty list gives an
// empty file.
//
// The file is written next to the target and renamed over it only once every
// byte is on disk, so a failed export leaves an existing file as it was.
// Where that is impossible (the folder refuses a new file, or the target is a
// symbolic link, not a regular file, or has several hard links) the target
// is written in place.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace lt {

class IndexedList;

// "Cannot create file "<path>". <system's text>"
class FileCreateError : public std::runtime_error {
public:
    FileCreateError(const std::string& path, const std::string& reason);
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

// "Stream write error"
class StreamWriteError : public std::runtime_error {
public:
    StreamWriteError();
};

std::string ExportBytes(const std::vector<std::string>& rows);
std::string ExportBytes(const IndexedList& rows);

// The system calls the writer uses; tests replace write to make a disk fill up.
struct ExportIo {
    std::function<ssize_t(int fd, const void* data, size_t size)> write;
};

// Writes bytes to path (UTF-8, as the file system has it). Throws
// FileCreateError or StreamWriteError.
void WriteExportFile(const std::string& path, std::string_view bytes);
void WriteExportFile(const std::string& path, std::string_view bytes, const ExportIo& io);

} // namespace lt
