// The file dialog's model without windows: file types, the mask test,
// extensions, acceptance, the starting folder, back history, new folders,
// reading and ordering a folder, and the look-in box's rows.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "skinned/folder_model.h"
#include "tests/skinned/temp_tree.h"
#include "text/cp936.h"

namespace lt {
namespace {

using test::TempTree;

TEST(FolderModelFilters, PairsAreReadLeftToRightAndATrailingDescriptionIsDropped)
{
    struct Case {
        std::string filter;
        std::vector<FileFilter> filters;
        std::string mask_of_last; // FilterMask with no selection
    };
    const Case cases[] = {
        {"All files|*.*", {{"All files", "*.*"}}, "*.*"},
        {"Text|*.txt|Tables|*.csv;*.tsv", {{"Text", "*.txt"}, {"Tables", "*.csv;*.tsv"}}, "*.csv;*.tsv"},
        {"Text|*.txt|Lonely", {{"Text", "*.txt"}}, "*.txt"},
        {"", {}, "*.*"},
        {"Only a description", {}, "*.*"},
    };
    for (const Case& c : cases) {
        const auto filters = ParseFilter(c.filter);
        EXPECT_EQ(filters, c.filters) << c.filter;
        EXPECT_EQ(FilterMask(filters, -1), c.mask_of_last) << c.filter;
    }
    const auto two = ParseFilter("A|*.a|B|*.b");
    EXPECT_EQ(FilterMask(two, 0), "*.a");
    EXPECT_EQ(FilterMask(two, 1), "*.b");
    EXPECT_EQ(FilterMask(two, 7), "*.b");
}

TEST(FolderModelMask, FilesPassByPatternsThatHoldADot)
{
    struct Case {
        std::string mask; // code page 936
        std::string name; // UTF-8
        bool passes;
    };
    const Case cases[] = {
        {"*.txt", "keywords.txt", true},
        {"*.txt", "KEYWORDS.TXT", true},
        {"*.txt", "keywords.txt.bak", false},
        {"*.txt", "keywords", false},
        {"*.*", "README", true},
        {"*", "README", true},
        // A pattern without a dot never passes anything (unless it is "*").
        {"key*", "keywords.txt", false},
        {"*.txt;*.csv", "a.csv", true},
        {"*.txt; *.csv", "a.csv", true},
        {"*.txt|*.csv", "a.csv", true},
        {"??.txt", "关键.txt", true},
        {"?.txt", "关键.txt", false},
        {utf8_to_cp936("关*.txt"), "关键词.txt", true},
        {utf8_to_cp936("关*.txt"), "词.txt", false},
        {"[a-c]*.txt", "B1.txt", true},
        {"[!a-c]*.txt", "b1.txt", false},
        {"[^a-c]*.txt", "d1.txt", true},
        {"k[0-9].txt", "k5.txt", true},
        {"k[0-9].txt", "kx.txt", false},
        {"a[b.txt", "a[b.txt", true},
        {"*.zip", "archive.zip", true},
        {"*a*b*.c", "xxaxxbxx.c", true},
        {"*a*b*.c", "xxbxxaxx.c", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesMask(c.mask, c.name), c.passes) << c.mask << " / " << c.name;
}

TEST(FolderModelExtensions, OnlyTheFinalExtensionIsReplaced)
{
    struct Case {
        std::string name;
        std::string extension;
        std::string with_txt; // ReplaceExtension(name, ".txt")
    };
    const Case cases[] = {
        {"keywords", "", "keywords.txt"},
        {"keywords.csv", ".csv", "keywords.txt"},
        {"my.csvfile.csv", ".csv", "my.csvfile.txt"},
        {"archive.tar.gz", ".gz", "archive.tar.txt"},
        {".profile", "", ".profile.txt"},
        {"/a.d/keywords", "", "/a.d/keywords.txt"},
        {"关键词.csv", ".csv", "关键词.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileExtension(c.name), c.extension) << c.name;
        EXPECT_EQ(ReplaceExtension(c.name, ".txt"), c.with_txt) << c.name;
    }

    struct TypeCase {
        std::string name, mask, after;
    };
    const TypeCase type_cases[] = {
        {"keywords.csv", "*.txt", "keywords.txt"},
        {"my.csvfile.csv", "*.txt", "my.csvfile.txt"},
        {"keywords", "*.txt;*.log", "keywords.txt"},
        {"keywords.csv", "*.*", "keywords.csv"},
        {"keywords.csv", "*", "keywords.csv"},
        {"", "*.txt", ""},
    };
    for (const TypeCase& c : type_cases)
        EXPECT_EQ(NameForFileType(c.name, c.mask), c.after) << c.name << " / " << c.mask;
    EXPECT_EQ(MaskExtension("*.txt;*.csv"), ".txt");
    EXPECT_EQ(MaskExtension("*.*"), "");
}

TEST(FolderModelAcceptance, TypedNamesJoinTheFolderAndAbsolutePathsStandAsTyped)
{
    const std::string mask = "*.txt";
    struct Case {
        std::string folder, typed;
        std::optional<std::string> accepted;
        std::string saved; // after Execute's extension rules
    };
    const Case cases[] = {
        {"/data/out", "keywords", "/data/out/keywords", "/data/out/keywords.txt"},
        {"/data/out", "keywords.txt", "/data/out/keywords.txt", "/data/out/keywords.txt"},
        {"/data/out", "keywords.csv", "/data/out/keywords.csv", "/data/out/keywords.csv"},
        {"/data/out", "/abs/dir/k", "/abs/dir/k", "/abs/dir/k.txt"},
        {"/data/out", "sub/k", "/data/out/sub/k", "/data/out/sub/k.txt"},
        {"/", "k", "/k", "/k.txt"},
        {"/data/out", "关键词", "/data/out/关键词", "/data/out/关键词.txt"},
        {"/data/out", ".notes", "/data/out/.notes", "/data/out/.notes.txt"},
        {"/data/out", "", std::nullopt, ""},
        {"/data/out", "*.txt", std::nullopt, ""},
        {"/data/out", "a\tb", std::nullopt, ""},
        // A folder is no file name: Execute would make "sub/.txt" or "..txt".
        {"/data/out", "sub/", std::nullopt, ""},
        {"/data/out", ".", std::nullopt, ""},
        {"/data/out", "..", std::nullopt, ""},
        {"/data/out", "sub/..", std::nullopt, ""},
        {"/data/out", "/", std::nullopt, ""},
        {"/data/out", "a/../k", "/data/out/a/../k", "/data/out/a/../k.txt"},
        // Only the typed text is checked for "*": a folder may hold one.
        {"/data/o*t", "k", "/data/o*t/k", "/data/o*t/k.txt"},
    };
    for (const Case& c : cases) {
        const auto accepted = AcceptedPath(c.folder, c.typed);
        EXPECT_EQ(accepted, c.accepted) << c.typed;
        if (accepted) {
            EXPECT_EQ(FinishSavePath(*accepted, mask, ""), c.saved) << c.typed;
        }
    }
    // DefaultExt follows only when the file type gives no extension.
    EXPECT_EQ(FinishSavePath("/d/k", "*.*", "log"), "/d/k.log");
    EXPECT_EQ(FinishSavePath("/d/k", "*.txt", "log"), "/d/k.txt");
    EXPECT_EQ(FinishSavePath("/d/k.csv", "*.*", "log"), "/d/k.csv");
}

TEST(FolderModelAcceptance, ANameTheCodePageCannotHoldKeepsItsBytesUntilEdited)
{
    const std::string real = "smile\xF0\x9F\x98\x80.txt";
    const NameBoxText box = NameBoxText::FromName(real);
    EXPECT_EQ(box.shown, "smile?.txt");
    EXPECT_EQ(box.Utf8(), real);
    NameBoxText edited = box;
    edited.shown = "smile?2.txt";
    EXPECT_EQ(edited.Utf8(), "smile?2.txt");
    const NameBoxText chinese = NameBoxText::FromName("关键词.txt");
    EXPECT_EQ(chinese.shown, utf8_to_cp936("关键词.txt"));
    EXPECT_EQ((NameBoxText{chinese.shown, ""}).Utf8(), "关键词.txt");
}

TEST(FolderModelStart, TheStartingFolderFallsBackWhenFoldersAreGone)
{
    struct Case {
        const char* what;
        std::string file_name, initial_dir;
        bool program_writable;
        std::string home;
        std::string start;
    };
    const std::set<std::string> folders = {"/prog", "/home/u", "/home/u/docs", "/init", "/cwd"};
    const Case cases[] = {
        {"the previous file's folder", "/home/u/docs/k.txt", "/init", true, "/home/u", "/home/u/docs"},
        {"a deleted previous folder falls to InitialDir", "/gone/k.txt", "/init", true, "/home/u", "/init"},
        {"a deleted previous folder, no InitialDir", "/gone/k.txt", "", true, "/home/u", "/prog"},
        {"no file name, InitialDir", "", "/init", true, "/home/u", "/init"},
        {"a missing InitialDir", "", "/missing", true, "/home/u", "/prog"},
        {"a name without a folder", "k.txt", "", true, "/home/u", "/prog"},
        {"a read-only program folder gives home", "", "", false, "/home/u", "/home/u"},
        {"no home gives the working folder", "", "", false, "", "/cwd"},
        {"a home that is gone gives the working folder", "", "", false, "/home/gone", "/cwd"},
        {"a relative InitialDir", "", "../home/u", true, "/home/u", "/home/u"},
    };
    for (const Case& c : cases) {
        FolderContext context;
        context.program_folder = "/prog";
        context.home = c.home;
        context.working = "/cwd";
        context.is_folder = [&](const std::string& p) { return folders.count(p) != 0; };
        context.writable = [&](const std::string&) { return c.program_writable; };
        EXPECT_EQ(StartingFolder(c.file_name, c.initial_dir, context), c.start) << c.what;
    }
}

TEST(FolderModelHistory, BackGoesToTheFolderVisitedLast)
{
    BackHistory h;
    EXPECT_FALSE(h.TakeBack());
    h.Entered("/a");
    h.Entered("/a");
    EXPECT_FALSE(h.TakeBack()) << "one entry has nothing to go back to";
    h.Entered("/b");
    h.Entered("/c");
    EXPECT_EQ(h.Entries(), (std::vector<std::string>{"/a", "/b", "/c"}));
    auto back = h.TakeBack();
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, "/b");
    h.Entered(*back); // the dialog enters it
    EXPECT_EQ(h.Entries(), (std::vector<std::string>{"/a", "/c", "/b"}));
    back = h.TakeBack();
    h.Entered(*back);
    EXPECT_EQ(*back, "/c");
    EXPECT_EQ(h.Entries(), (std::vector<std::string>{"/a", "/b", "/c"}));
}

TEST(FolderModelNewFolder, TheNextFreeNameIsCreatedOnce)
{
    EXPECT_EQ(NewFolderName("New Folder", 1), "New Folder");
    EXPECT_EQ(NewFolderName("New Folder", 2), "New Folder(2)");

    TempTree tree;
    int counter = 0;
    EXPECT_EQ(CreateNewFolder(tree.Root(), "New Folder", counter), "New Folder");
    EXPECT_EQ(CreateNewFolder(tree.Root(), "New Folder", counter), "New Folder(2)");
    EXPECT_TRUE(tree.IsFolder("New Folder"));
    EXPECT_TRUE(tree.IsFolder("New Folder(2)"));

    // A new run starts counting again: taken names, folders or files, are
    // passed over instead of doing nothing.
    tree.Make({"New Folder(3)"});
    counter = 0;
    EXPECT_EQ(CreateNewFolder(tree.Root(), "New Folder", counter), "New Folder(4)");
    EXPECT_EQ(counter, 4);
    EXPECT_EQ(CreateNewFolder(tree.Root(), "新建文件夹", counter), "新建文件夹(5)");
}

TEST(FolderModelNewFolder, AFolderThatCannotBeCreatedIsAnIOError)
{
    TempTree tree;
    int counter = 0;
    try {
        CreateNewFolder(tree.Path("gone"), "New Folder", counter);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode(), 3);
        EXPECT_STREQ(e.what(), "Invalid filename");
    }
    struct Case {
        int err;
        std::string message;
    };
    const Case cases[] = {
        {ENOENT, "Invalid filename"},
        {EMFILE, "Too many open files"},
        {EACCES, "File access denied"},
        {EROFS, "File access denied"},
        {ENOSPC, "Disk full"},
        {EIO, "I/O error 5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrnoMessage(c.err), c.message) << c.err;
    EXPECT_EQ(InOutErrorMessage(2), "File not found");
    EXPECT_EQ(InOutErrorMessage(123), "I/O error 123");
}

// The tree of the listing tests.
struct Listing : ::testing::Test {
    TempTree tree;
    void SetUp() override
    {
        tree.Make({"关键词/", "beta/", "Alpha/", ".config/", "file10.txt", "file2.txt", "File1.TXT", "关键词.txt",
            "archive.zip", "README", ".hidden.txt", "notes.csv"});
        std::filesystem::create_directory_symlink(tree.Path("beta"), tree.Path("link-to-beta"));
        std::filesystem::create_symlink(tree.Path("nowhere"), tree.Path("broken.txt"));
    }

    std::vector<std::string> Names(
        std::string_view mask, bool hidden, SortColumn column = SortColumn::Name, bool descending = false) const
    {
        auto entries = ReadFolder(tree.Root(), mask, hidden);
        SortEntries(entries, column, descending);
        std::vector<std::string> names;
        for (const FolderEntry& e : entries)
            names.push_back(e.name + (e.folder ? "/" : ""));
        return names;
    }
};

TEST_F(Listing, FoldersComeFirstThenTheDisplayOrder)
{
    struct Case {
        std::string mask;
        bool hidden;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"*.txt", false,
            {"Alpha/", "beta/", "link-to-beta/", "关键词/", "broken.txt", "File1.TXT", "file2.txt", "file10.txt",
                "关键词.txt"}},
        {"*.*", false,
            {"Alpha/", "beta/", "link-to-beta/", "关键词/", "archive.zip", "broken.txt", "File1.TXT", "file2.txt",
                "file10.txt", "notes.csv", "README", "关键词.txt"}},
        {"*.txt", true,
            {".config/", "Alpha/", "beta/", "link-to-beta/", "关键词/", ".hidden.txt", "broken.txt", "File1.TXT",
                "file2.txt", "file10.txt", "关键词.txt"}},
        {"*.zip;*.csv", false, {"Alpha/", "beta/", "link-to-beta/", "关键词/", "archive.zip", "notes.csv"}},
        {"nothing", false, {"Alpha/", "beta/", "link-to-beta/", "关键词/"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Names(c.mask, c.hidden), c.names) << c.mask << (c.hidden ? " with hidden" : "");
}

TEST(FolderModelOrder, DigitRunsCompareByValueAndSortingAgreesWithTheOrder)
{
    // Each name sorts before the next; equal values fall back to the bytes.
    const std::vector<std::string> ordered = {"!", "+1", "a", "a0", "a00", "a01", "a1", "a001x", "a2", "a9", "a10",
        "a10b", "a010c", "a99", "a100", "A100b", "a_1", "ab", "B", "b2c", "b2d", "b10", "z", "\xE5\x85\xB3"};
    for (size_t i = 0; i + 1 < ordered.size(); ++i) {
        EXPECT_TRUE(DisplayOrderLess(ordered[i], ordered[i + 1])) << ordered[i] << " < " << ordered[i + 1];
        EXPECT_FALSE(DisplayOrderLess(ordered[i + 1], ordered[i])) << ordered[i + 1] << " !< " << ordered[i];
    }
    std::vector<FolderEntry> entries;
    for (auto it = ordered.rbegin(); it != ordered.rend(); ++it)
        entries.push_back({*it});
    SortEntries(entries, SortColumn::Name, false);
    std::vector<std::string> sorted;
    for (const FolderEntry& e : entries)
        sorted.push_back(e.name);
    EXPECT_EQ(sorted, ordered);
}

TEST_F(Listing, ColumnsSortWithFoldersAlwaysFirst)
{
    tree.Make({"big.txt"}, std::string(5000, 'x'));
    tree.Make({"mid.txt"}, std::string(2000, 'x'));
    // Older files for a stable modified order: big oldest.
    const std::filesystem::file_time_type t = std::filesystem::last_write_time(tree.Path("file2.txt"));
    std::filesystem::last_write_time(tree.Path("big.txt"), t - std::chrono::hours(48));
    std::filesystem::last_write_time(tree.Path("mid.txt"), t - std::chrono::hours(24));
    const auto by_size = Names("big.txt;mid.txt;file2.txt", false, SortColumn::Size);
    EXPECT_EQ(std::vector<std::string>(by_size.end() - 3, by_size.end()),
        (std::vector<std::string>{"file2.txt", "mid.txt", "big.txt"}));
    const auto by_size_down = Names("big.txt;mid.txt;file2.txt", false, SortColumn::Size, true);
    EXPECT_EQ(by_size_down.front(), "关键词/") << "folders first, reversed among themselves";
    EXPECT_EQ(std::vector<std::string>(by_size_down.end() - 3, by_size_down.end()),
        (std::vector<std::string>{"big.txt", "mid.txt", "file2.txt"}));
    const auto by_time = Names("big.txt;mid.txt;file2.txt", false, SortColumn::Modified);
    EXPECT_EQ(std::vector<std::string>(by_time.end() - 3, by_time.end()),
        (std::vector<std::string>{"big.txt", "mid.txt", "file2.txt"}));
    const auto by_type = Names("*.*", false, SortColumn::Type);
    EXPECT_EQ(std::vector<std::string>(by_type.begin() + 4, by_type.begin() + 7),
        (std::vector<std::string>{"notes.csv", "README", "big.txt"}))
        << "CSV File, File, TXT File...";
}

TEST_F(Listing, ColumnTextsAndTypeAhead)
{
    auto entries = ReadFolder(tree.Root(), "*.*", false);
    SortEntries(entries, SortColumn::Name, false);
    auto find = [&](const std::string& name) {
        return *std::find_if(entries.begin(), entries.end(), [&](const FolderEntry& e) { return e.name == name; });
    };
    EXPECT_EQ(TypeName(find("archive.zip")), "ZIP File");
    EXPECT_EQ(TypeName(find("README")), "File");
    EXPECT_EQ(TypeName(find("Alpha")), "File Folder");
    EXPECT_EQ(SizeText(find("README")), "1 KB");
    EXPECT_EQ(SizeText(find("Alpha")), "");
    EXPECT_EQ(ModifiedText(find("README")).size(), 16u);

    // Folders: Alpha beta link-to-beta 关键词; then archive.zip broken.txt ...
    EXPECT_EQ(FindEntryWithPrefix(entries, 0, "f"), 6);
    EXPECT_EQ(FindEntryWithPrefix(entries, 7, "F"), 7);
    EXPECT_EQ(FindEntryWithPrefix(entries, 9, "a"), 0) << "wraps to the top";
    EXPECT_EQ(FindEntryWithPrefix(entries, 0, "关键"), 3);
    EXPECT_EQ(FindEntryWithPrefix(entries, 0, "zz"), -1);
}

TEST(FolderModelReading, AFolderThatCannotBeReadIsAnIOError)
{
    TempTree tree;
    EXPECT_THROW(ReadFolder(tree.Path("gone"), "*.*", false), EInOutError);
}

TEST(FolderModelLookIn, MountedVolumesAreTheUsersNotTheSystems)
{
    const std::string mountinfo = "22 1 8:1 / / rw,relatime - ext4 /dev/sda1 rw\n"
                                  "23 22 0:5 / /proc rw - proc proc rw\n"
                                  "24 22 0:21 / /dev rw - devtmpfs udev rw\n"
                                  "25 22 8:2 / /boot/efi rw - vfat /dev/sda2 rw\n"
                                  "26 22 8:17 / /media/u/USB\\040STICK rw - vfat /dev/sdb1 rw\n"
                                  "27 22 0:44 / /mnt/share rw - cifs //server/share rw\n"
                                  "28 22 8:3 / /data rw - ext4 /dev/sda3 rw\n"
                                  "29 22 8:1 /etc/hosts /etc/hosts rw - ext4 /dev/sda1 rw\n"
                                  "30 22 0:30 / /tmp rw - tmpfs tmpfs rw\n"
                                  "31 22 8:3 / /data rw - ext4 /dev/sda3 rw\n"
                                  "garbage line\n";
    EXPECT_EQ(ParseMountedVolumes(mountinfo), (std::vector<std::string>{"/media/u/USB STICK", "/mnt/share", "/data"}));

    EXPECT_EQ(DesktopPath("/home/u", "# comment\nXDG_DESKTOP_DIR=\"$HOME/桌面\"\n"), "/home/u/桌面");
    EXPECT_EQ(DesktopPath("/home/u", "XDG_DESKTOP_DIR=\"/srv/desk/\"\n"), "/srv/desk");
    EXPECT_EQ(DesktopPath("/home/u", ""), "/home/u/Desktop");
}

TEST(FolderModelLookIn, TheChainToTheCurrentFolderHangsBelowItsNearestListedAncestor)
{
    auto rows = [](const std::string& current) {
        std::vector<std::string> out;
        for (const LookInRow& r : LookInRows("/home/u", std::string("/home/u/Desktop"), {"/media/usb"}, current))
            out.push_back(std::string(static_cast<size_t>(r.level) * 2, ' ') + r.path);
        return out;
    };
    struct Case {
        std::string current;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"/home/u", {"/home/u", "  /home/u/Desktop", "/", "  /media/usb"}},
        {"/home/u/docs/关键词",
            {"/home/u", "  /home/u/docs", "    /home/u/docs/关键词", "  /home/u/Desktop", "/", "  /media/usb"}},
        {"/home/u/Desktop/x", {"/home/u", "  /home/u/Desktop", "    /home/u/Desktop/x", "/", "  /media/usb"}},
        {"/tmp/a", {"/home/u", "  /home/u/Desktop", "/", "  /tmp", "    /tmp/a", "  /media/usb"}},
        {"/media/usb/dir", {"/home/u", "  /home/u/Desktop", "/", "  /media/usb", "    /media/usb/dir"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rows(c.current), c.rows) << c.current;

    const auto r = LookInRows("/home/u", std::nullopt, {}, "/home/u/docs/关键词");
    EXPECT_EQ(r[static_cast<size_t>(CurrentLookInRow(r, "/home/u/docs/关键词"))].name, utf8_to_cp936("关键词"));
    EXPECT_EQ(r[0].kind, PlaceKind::Home);
    EXPECT_EQ(r[3].kind, PlaceKind::Root);
    // Without a home folder only the root heads the list.
    EXPECT_EQ(LookInRows("", std::nullopt, {}, "/").size(), 1u);
}

} // namespace
} // namespace lt
