#include "harvest/export_file.h"

#include "text/indexed_list.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace lt {

// Sections: errors and bytes - writing a descriptor - the two ways of
// writing (beside the target and rename, or in place).

FileCreateError::FileCreateError(const std::string& path, const std::string& reason)
    : std::runtime_error("Cannot create file \"" + path + "\". " + reason), path_(path), reason_(reason)
{ }

StreamWriteError::StreamWriteError() : std::runtime_error("Stream write error")
{ }

std::string ExportBytes(const std::vector<std::string>& rows)
{
    std::string out;
    for (const std::string& row : rows) {
        out += row;
        out += "\r\n";
    }
    return out;
}

std::string ExportBytes(const IndexedList& rows)
{
    std::string out;
    for (int i = 0; i < rows.count(); ++i) {
        out += rows.text(i);
        out += "\r\n";
    }
    return out;
}

namespace {

std::string system_text(int err)
{
    return std::system_category().message(err);
}

// Writes all bytes, going on after short writes and interruptions.
bool write_all(int fd, std::string_view bytes, const ExportIo& io)
{
    while (!bytes.empty()) {
        ssize_t n = io.write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string folder_of(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new, empty file beside path, or returns -1.
int create_beside(const std::string& path, std::string& temp_path)
{
    static std::atomic<unsigned> counter{0};
    const std::string folder = folder_of(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_path =
            folder + "/." + name_of(path) + "." + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
        int fd = open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void write_in_place(const std::string& path, std::string_view bytes, const ExportIo& io)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw FileCreateError(path, system_text(errno));
    bool ok = write_all(fd, bytes, io) && fsync(fd) == 0;
    if (close(fd) != 0)
        ok = false;
    if (!ok)
        throw StreamWriteError();
}

} // namespace

void WriteExportFile(const std::string& path, std::string_view bytes)
{
    WriteExportFile(
        path, bytes, ExportIo{[](int fd, const void* data, size_t size) { return ::write(fd, data, size); }});
}

void WriteExportFile(const std::string& path, std::string_view bytes, const ExportIo& io)
{
    struct stat target { };
    bool exists = lstat(path.c_str(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode))
        throw FileCreateError(path, system_text(EISDIR));
    // A link, a device or a file with several names is written where it is,
    // so that every name keeps seeing the new content; a file we may not
    // write is not replaced behind its back either (in place, the open
    // reports it).
    if (exists && (!S_ISREG(target.st_mode) || target.st_nlink > 1 || access(path.c_str(), W_OK) != 0)) {
        write_in_place(path, bytes, io);
        return;
    }

    std::string temp_path;
    int fd = create_beside(path, temp_path);
    if (fd < 0) {
        // The folder refuses a new file; the target itself may still be
        // writable (or the path may not exist, which in place reports).
        write_in_place(path, bytes, io);
        return;
    }
    if (exists)
        fchmod(fd, target.st_mode & 07777);
    bool ok = write_all(fd, bytes, io) && fsync(fd) == 0;
    if (close(fd) != 0)
        ok = false;
    if (!ok) {
        unlink(temp_path.c_str());
        throw StreamWriteError();
    }
    if (rename(temp_path.c_str(), path.c_str()) != 0) {
        int err = errno;
        unlink(temp_path.c_str());
        throw FileCreateError(path, system_text(err));
    }
    // The rename itself reaches the disk with the folder.
    int dir = open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

} // namespace lt
