#pragma once
// A temporary folder tree for the file dialog's tests, removed with the
// object. Paths are UTF-8; `Make` takes paths relative to the tree's root:
// a trailing "/" makes a folder, anything else a file with the text given.
//
//   TempTree tree;
//   tree.Make({"关键词/", "a.txt", ".hidden", "archive.zip", "README"});

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

namespace lt::test {

class TempTree {
public:
    TempTree()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lt-dialog-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            ADD_FAILURE() << "mkdtemp failed";
        root_ = pattern;
    }
    ~TempTree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return relative.empty() ? root_ : root_ + "/" + relative; }

    void Make(std::initializer_list<std::string> items, const std::string& text = "x") const
    {
        for (const std::string& item : items) {
            if (!item.empty() && item.back() == '/') {
                std::filesystem::create_directories(Path(item.substr(0, item.size() - 1)));
            } else {
                std::filesystem::create_directories(std::filesystem::path(Path(item)).parent_path());
                std::ofstream(Path(item), std::ios::binary) << text;
            }
        }
    }

    // The whole content of a file ("" when it cannot be read).
    std::string Read(const std::string& relative) const
    {
        std::ifstream in(Path(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    bool IsFolder(const std::string& relative) const { return std::filesystem::is_directory(Path(relative)); }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(Path(relative)); }

private:
    std::string root_;
};

} // namespace lt::test
