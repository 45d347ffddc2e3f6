// The export command through the main window: the button opens the skinned
// save dialog with the export's settings, the file holds the export list's
// exact bytes, and a failure shows its message while the file that was there
// stays as it was.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/export_command.h"
#include "harvest/export_file.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_combobox.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_file_list.h"
#include "skinned/skin_save_dialog.h"
#include "tests/app/app_fixture.h"
#include "tests/skinned/temp_tree.h"

namespace lt {
namespace {

using Step = std::function<void(TskOpenDlgForm&)>;

struct Export : test::MainWindow {
    test::TempTree tree;

    void SetUp() override
    {
        MainWindow::SetUp();
        CatchErrors();
        tree.Make({"prog/", "home/"});
        // The dialog starts in the tree instead of the test program's folder.
        dialog().Context = [this] {
            FolderContext c = FolderContext::System();
            c.program_folder = tree.Path("prog");
            c.home = tree.Path("home");
            c.working = tree.Root();
            return c;
        };
    }

    TskSkinSaveDialog& dialog() const { return *w().skSkinSaveDialog1; }

    // Runs steps in the dialog the next time it opens, one loop turn each;
    // the dialog must have closed after the last. Returns the number of
    // steps run so far.
    std::shared_ptr<size_t> InDialog(std::vector<Step> steps)
    {
        auto chain = std::make_shared<std::vector<Step>>(std::move(steps));
        auto next = std::make_shared<size_t>(0);
        auto step = std::make_shared<std::function<void()>>();
        *step = [this, chain, next, weak = std::weak_ptr<std::function<void()>>(step)] {
            TskOpenDlgForm* form = dialog().Form();
            if (!form || !form->Visible())
                return;
            if (*next == chain->size()) {
                ADD_FAILURE() << "the dialog is still open after the last step";
                form->SetModalResult(mrCancel);
                return;
            }
            (*chain)[(*next)++](*form);
            if (auto again = weak.lock())
                loop.post([again] { (*again)(); });
        };
        // Started as the dialog opens; the queue keeps the chain alive as
        // long as it runs.
        dialog().OnShow = [this, step](TComponent*) {
            dialog().OnShow = nullptr;
            loop.post([step] { (*step)(); });
        };
        return next;
    }

    // Presses 导出为TXT文本文件 and runs the steps in the dialog.
    void PressExport(std::vector<Step> steps)
    {
        const size_t count = steps.size();
        auto done = InDialog(std::move(steps));
        Click(w().skSkinXFormButton6);
        pump();
        EXPECT_EQ(*done, count) << "the dialog closed before the last step, or never opened";
        EXPECT_EQ(dialog().Form(), nullptr);
    }

    // Types a name (UTF-8) into the name box and presses Save.
    void ExportAs(const std::string& typed)
    {
        PressExport({[&](TskOpenDlgForm& f) {
                         f.NameBox()->SetFocus();
                         f.NameBox()->SelectAll();
                         backend.type(typed);
                     },
            [&](TskOpenDlgForm& f) { backend.click(Centre(f.SaveButton())); }});
    }
};

TEST_F(Export, TheFileHoldsEveryRowInCodePage936WithCrLf)
{
    struct Case {
        const char* what;
        std::vector<std::string> rows; // UTF-8, made code page 936 as typed text is
        std::string bytes;
    };
    const Case cases[] = {
        {"an empty list", {}, ""},
        {"two rows", {"a", "b"}, "a\r\nb\r\n"},
        {"Chinese rows", {"长尾词", "QQ空间 密码"},
            "\xB3\xA4\xCE\xB2\xB4\xCA\r\nQQ\xBF\xD5\xBC\xE4 \xC3\xDC\xC2\xEB\r\n"},
        // U+20000 has no code page 936 form: it became "?" on the way in.
        {"a character the code page lacks", {"\xF0\xA0\x80\x80词"}, "?\xB4\xCA\r\n"},
    };
    for (const Case& c : cases) {
        w().skSkinListBox2->Clear();
        Fill(w().skSkinListBox2, c.rows);
        ExportAs(tree.Path("out.txt"));
        EXPECT_EQ(tree.Read("out.txt"), c.bytes) << c.what;
        EXPECT_EQ(w().skSkinListBox2->Count(), static_cast<int>(c.rows.size())) << "the list is only read";
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(Export, TheDialogHasTheExportsSettingsAndRemembersTheFile)
{
    Fill(w().skSkinListBox2, {"a"});
    tree.Make({"prog/old.txt"}, "old");
    PressExport({[&](TskOpenDlgForm& f) {
                     EXPECT_EQ(f.Caption(), test::cp("导出为TXT文件"));
                     ASSERT_EQ(f.TypeBox()->Filters().size(), 1u);
                     EXPECT_EQ(f.TypeBox()->Text(), test::cp("文本文件"));
                     EXPECT_EQ(f.TypeBox()->Mask(), "*.txt");
                     EXPECT_EQ(f.Folder(), tree.Path("prog")) << "the program's own folder at first";
                     EXPECT_EQ(f.FileList()->ViewStyle(), TViewStyle::vsList);
                     EXPECT_EQ(f.ClientWidth(), 450);
                     EXPECT_EQ(f.ClientHeight(), 290);
                     EXPECT_EQ(f.NameBox()->Text(), "");
                     f.NameBox()->SetFocus();
                     backend.type("keywords");
                 },
        [&](TskOpenDlgForm& f) { backend.click(Centre(f.SaveButton())); }});
    EXPECT_EQ(dialog().FileName, tree.Path("prog/keywords.txt")) << "the type's extension added";
    EXPECT_EQ(tree.Read("prog/keywords.txt"), "a\r\n");

    // An existing file is replaced without a question; a typed extension stays.
    ExportAs("old.txt");
    EXPECT_EQ(tree.Read("prog/old.txt"), "a\r\n");
    ExportAs("keywords.csv");
    EXPECT_EQ(tree.Read("prog/keywords.csv"), "a\r\n");

    // The next export opens on the last file; cancelling writes nothing and
    // forgets nothing.
    w().skSkinListBox2->Clear();
    PressExport({[&](TskOpenDlgForm& f) {
        EXPECT_EQ(f.Folder(), tree.Path("prog"));
        EXPECT_EQ(f.NameBox()->Text(), "keywords.csv");
        backend.click(Centre(f.CancelButton()));
    }});
    EXPECT_EQ(dialog().FileName, tree.Path("prog/keywords.csv"));
    EXPECT_EQ(tree.Read("prog/keywords.csv"), "a\r\n");
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(Export, TheContextMenuItemExportsToo)
{
    Fill(w().skSkinListBox2, {"a"});
    auto done = InDialog({[&](TskOpenDlgForm& f) {
        f.SetName("menu");
        backend.click(Centre(f.SaveButton()));
    }});
    // 导出为TXT文件(&O), the export list menu's third item.
    RunMenuItem(w().skSkinListBox2, RowPoint(w().skSkinListBox2, 0), 2);
    pump();
    EXPECT_EQ(*done, 1u) << "the menu item opened the dialog";
    EXPECT_EQ(tree.Read("prog/menu.txt"), "a\r\n");
}

TEST_F(Export, AFailureShowsItsMessageAndTheOldFileStays)
{
    tree.Make({"keep/out.txt", "关键词/"}, "old content\r\n");
    tree.Make({"taken.txt/inside.txt"}, "inside");
    Fill(w().skSkinListBox2, {"new", "rows"});
    // A writer whose writes stop after the first 3 bytes, as on a full disk.
    auto stop_short = [](const std::string& path, std::string_view bytes) {
        auto written = std::make_shared<size_t>(0);
        WriteExportFile(path, bytes, ExportIo{[written](int fd, const void* data, size_t size) -> ssize_t {
            if (*written >= 3) {
                errno = ENOSPC;
                return -1;
            }
            const size_t n = std::min<size_t>(size, 3 - *written);
            *written += n;
            return ::write(fd, data, n);
        }});
    };
    struct Case {
        const char* what;
        std::string typed; // UTF-8
        bool full_disk;
        std::string message; // code page 936
    };
    const Case cases[] = {
        {"a missing folder", tree.Path("gone/k.txt"), false,
            "Cannot create file \"" + tree.Path("gone/k.txt") + "\". No such file or directory"},
        {"a missing folder under a Chinese one", tree.Path("关键词/gone/k.txt"), false,
            test::cp("Cannot create file \"" + tree.Path("关键词/gone/k.txt") + "\". No such file or directory")},
        {"a folder of that name", tree.Path("taken.txt"), false,
            "Cannot create file \"" + tree.Path("taken.txt") + "\". Is a directory"},
        {"a write that stops short", tree.Path("keep/out.txt"), true, "Stream write error"},
    };
    for (const Case& c : cases) {
        errors.clear();
        if (c.full_disk)
            w().WriteExport = stop_short;
        ExportAs(c.typed);
        ASSERT_EQ(errors.size(), 1u) << c.what;
        EXPECT_EQ(errors[0], c.message) << c.what;
        EXPECT_EQ(tree.Read("keep/out.txt"), "old content\r\n") << c.what;
        EXPECT_EQ(tree.Read("taken.txt/inside.txt"), "inside") << c.what;
        EXPECT_FALSE(tree.Exists("gone")) << c.what;
        EXPECT_EQ(dialog().FileName, c.typed) << "the next export opens on it: " << c.what;
    }
    // Nothing is left beside the kept file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree.Path("keep")), {}), 1);
}

} // namespace
} // namespace lt
