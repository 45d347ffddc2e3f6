#include "net/side_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace lt {

namespace {

std::mutex g_write_mutex;

bool write_all(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool SideFileTargetExists(const std::string& path, int64_t* size)
{
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if (size)
        *size = st.st_size;
    return true;
}

std::string ReadSideFileLine(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text;
    char buf[1024];
    // A stored date is one short line; more than this is not one.
    while (text.size() < 64 * 1024) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buf, static_cast<size_t>(n));
        if (text.find_first_of("\r\n") != std::string::npos)
            break;
    }
    ::close(fd);
    return text.substr(0, text.find_first_of("\r\n"));
}

void WriteSideFileLine(const std::string& path, const std::string& line)
{
    static std::atomic<unsigned> counter{0};
    std::lock_guard lock(g_write_mutex);
    const std::string content = line + "\r\n";
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::string tmp = path + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
        int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return;
        }
        bool ok = write_all(fd, content);
        ok = (::close(fd) == 0) && ok;
        if (!ok || ::rename(tmp.c_str(), path.c_str()) != 0)
            ::unlink(tmp.c_str());
        return;
    }
}

} // namespace lt
