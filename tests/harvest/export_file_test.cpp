#include "harvest/export_file.h"
#include "text/indexed_list.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace lt {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ExportFileTest : public ::testing::Test {
protected:
    ExportFileTest()
    {
        char pattern[] = "/tmp/export-test-XXXXXX";
        dir = mkdtemp(pattern);
    }
    ~ExportFileTest() override { fs::remove_all(dir); }

    // Only the target is left in the folder: no temporary file behind.
    std::vector<std::string> folder() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
};

TEST_F(ExportFileTest, WritesRowsWithCrLfAndNothingElse)
{
    struct Case {
        std::vector<std::string> rows;
        std::string bytes;
    };
    const Case cases[] = {
        {{}, ""},
        {{"a", "b"}, "a\r\nb\r\n"},
        {{"\xD6\xD0\xCE\xC4", ""}, "\xD6\xD0\xCE\xC4\r\n\r\n"},
    };
    const std::string path = (dir / "keywords.txt").string();
    for (const Case& c : cases) {
        WriteExportFile(path, ExportBytes(c.rows));
        EXPECT_EQ(slurp(path), c.bytes);
    }
    IndexedList list;
    list.append("x");
    list.append("y");
    EXPECT_EQ(ExportBytes(list), "x\r\ny\r\n");
    EXPECT_EQ(folder(), std::vector<std::string>{"keywords.txt"});
}

TEST_F(ExportFileTest, FailedWriteKeepsTheOldFile)
{
    const fs::path path = dir / "keywords.txt";
    WriteExportFile(path.string(), "old\r\n");
    chmod(path.c_str(), 0640);

    // The disk fills up after a few bytes, and a short write comes first.
    size_t written = 0;
    ExportIo full_disk{[&](int fd, const void* data, size_t size) -> ssize_t {
        if (written >= 6) {
            errno = ENOSPC;
            return -1;
        }
        size_t n = std::min<size_t>(size, 3);
        written += n;
        return ::write(fd, data, n);
    }};
    try {
        WriteExportFile(path.string(), "new row\r\nanother\r\n", full_disk);
        FAIL() << "no error raised";
    } catch (const StreamWriteError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
    EXPECT_EQ(slurp(path), "old\r\n");
    EXPECT_EQ(folder(), std::vector<std::string>{"keywords.txt"});

    // A good export replaces it and keeps its permissions.
    WriteExportFile(path.string(), "new\r\n");
    EXPECT_EQ(slurp(path), "new\r\n");
    struct stat st { };
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ExportFileTest, CannotCreateNamesThePathAndTheReason)
{
    const std::string missing = (dir / "no-such-folder" / "k.txt").string();
    const std::string folder_target = dir.string();
    struct Case {
        std::string path, message;
    };
    const Case cases[] = {
        {missing, "Cannot create file \"" + missing + "\". No such file or directory"},
        {folder_target, "Cannot create file \"" + folder_target + "\". Is a directory"},
    };
    for (const Case& c : cases) {
        try {
            WriteExportFile(c.path, "a\r\n");
            ADD_FAILURE() << c.path;
        } catch (const FileCreateError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

TEST_F(ExportFileTest, LinksAreWrittenThrough)
{
    const fs::path real = dir / "real.txt";
    const fs::path alias = dir / "alias.txt";
    WriteExportFile(real.string(), "old\r\n");
    fs::create_symlink(real, alias);
    WriteExportFile(alias.string(), "new\r\n");
    EXPECT_TRUE(fs::is_symlink(alias));
    EXPECT_EQ(slurp(real), "new\r\n");
}

} // namespace
} // namespace lt
