// The skinned page's file list section: the file dialog's list over a small
// sample folder (folders first, Chinese names, a name the numbers order by
// value), in the details view with one file selected and the size column
// sorted, and in the large-icon view. The folder is made in the temporary
// folder with fixed times and removed when the gallery ends.

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "skinned/skin_file_list.h"
#include "tools/gallery/skinned_page.h"

namespace lt::gallery {
namespace {

class SampleFolder {
public:
    SampleFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lt-gallery-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return;
        path_ = pattern;
        struct Item {
            const char* name;
            int size; // -1: a folder
        };
        const Item items[] = {{"导出", -1}, {"backup", -1}, {"关键词.txt", 2300}, {"长尾词 2.txt", 800},
            {"长尾词 10.txt", 15000}, {"notes.txt", 120}, {"keywords.csv", 4100}};
        // 2026-01-05 09:30 UTC, the same for every entry.
        const timespec times[2] = {{1767605400, 0}, {1767605400, 0}};
        for (const Item& item : items) {
            const std::string path = path_ + "/" + item.name;
            if (item.size < 0)
                std::filesystem::create_directory(path);
            else
                std::ofstream(path, std::ios::binary) << std::string(static_cast<size_t>(item.size), 'x');
            utimensat(AT_FDCWD, path.c_str(), times, 0);
        }
    }
    ~SampleFolder()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

TskSkinFileListView* List(SectionContext& s, const SampleFolder& folder, int left, int width, TViewStyle style)
{
    auto* list = s.Add<TskSkinFileListView>("", left, 8, width, 184);
    list->HeaderSkinDataName = "button";
    list->SetSkinData(s.data);
    list->SetViewStyle(style);
    list->SetMask("*.txt");
    if (!folder.Path().empty())
        list->SetFolder(folder.Path());
    return list;
}

void Build(SectionContext& s)
{
    static const SampleFolder folder;
    auto* details = List(s, folder, 8, 380, TViewStyle::vsReport);
    details->ClickColumn(1);
    details->SelectOnly(details->IndexOfName("关键词.txt"));
    List(s, folder, 396, 236, TViewStyle::vsIcon);
}

const SectionRegistration file_list_section{"file lists", 90, {640, 200}, Build};

} // namespace
} // namespace lt::gallery
