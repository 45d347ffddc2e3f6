// The skinned file dialog driven through its window on a headless desktop:
// what it lists, what Save accepts and Execute makes of it, navigation, new
// folders, renaming, the file type, what a run keeps for the next, and the
// error box.

#include <gtest/gtest.h>

#include <filesystem>

#include "skinned/skin_form.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_speed_button.h"
#include "tests/skinned/dialog_fixture.h"
#include "text/cp936.h"

namespace lt {
namespace {

using test::DialogFixture;

// 文本文件 and 导出为TXT文件, the export's settings.
const std::string kTextFiles = "\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE";
const std::string kExportTitle = "\xB5\xBC\xB3\xF6\xCE\xAATXT\xCE\xC4\xBC\xFE";

struct SaveDialog : DialogFixture {
    void SetUp() override
    {
        DialogFixture::SetUp();
        dialog->Title = kExportTitle;
        dialog->Filter = kTextFiles + "|*.txt";
        dialog->LVHeaderSkinDataName = "button";
    }

    static std::vector<std::string> Listed(const TskOpenDlgForm& f)
    {
        std::vector<std::string> names;
        for (const FolderEntry& e : f.FileList()->Entries())
            names.push_back(e.name + (e.folder ? "/" : ""));
        return names;
    }

    // The centre of an entry in the file list's client coordinates.
    static Point EntryPoint(TskOpenDlgForm& f, const std::string& name)
    {
        const int index = f.FileList()->IndexOfName(name);
        EXPECT_GE(index, 0) << name;
        const Rect r = f.FileList()->Geometry().LabelRect(index);
        return {r.left + 6, r.top + r.height() / 2};
    }

    void SaveAs(const std::string& typed)
    {
        ASSERT_TRUE(
            Run({[&](TskOpenDlgForm& f) { TypeName(f, typed); }, [&](TskOpenDlgForm& f) { Click(f.SaveButton()); }}));
    }
};

TEST_F(SaveDialog, ListsFoldersFirstThenFilesThatPassTheType)
{
    tree.Make({"prog/关键词/", "prog/beta/", "prog/.cache/", "prog/notes.txt", "prog/关键词.txt", "prog/Notes2.TXT",
        "prog/archive.zip", "prog/README", "prog/.hidden.txt"});
    struct Case {
        std::string filter;
        bool hidden;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {kTextFiles + "|*.txt", false, {"beta/", "关键词/", "notes.txt", "Notes2.TXT", "关键词.txt"}},
        {"All files|*.*", false,
            {"beta/", "关键词/", "archive.zip", "notes.txt", "Notes2.TXT", "README", "关键词.txt"}},
        {kTextFiles + "|*.txt", true,
            {".cache/", "beta/", "关键词/", ".hidden.txt", "notes.txt", "Notes2.TXT", "关键词.txt"}},
        {"Archives|*.zip", false, {"beta/", "关键词/", "archive.zip"}},
    };
    for (const Case& c : cases) {
        dialog->Filter = c.filter;
        dialog->ShowHiddenFiles = c.hidden;
        Run({[&](TskOpenDlgForm& f) {
            EXPECT_EQ(Listed(f), c.listed) << c.filter;
            EXPECT_EQ(f.FileList()->ItemFocused(), 0) << "the first entry has the focus mark";
            EXPECT_EQ(f.FileList()->SelCount(), 0);
            f.SetModalResult(mrCancel);
        }});
    }
}

TEST_F(SaveDialog, SaveAcceptsTheTypedNameAndExecuteAddsTheTypesExtension)
{
    tree.Make({"prog/sub/", "elsewhere/"});
    const std::string prog = tree.Path("prog");
    struct Case {
        std::string typed;
        std::string file_name;
    };
    const Case cases[] = {
        {"keywords", prog + "/keywords.txt"},
        {"keywords.txt", prog + "/keywords.txt"},
        {"keywords.csv", prog + "/keywords.csv"},
        {"my.csv.file", prog + "/my.csv.file"},
        {"关键词", prog + "/关键词.txt"},
        // A typed absolute path stands as typed; a relative one joins the folder.
        {tree.Path("elsewhere/k"), tree.Path("elsewhere/k.txt")},
        {"sub/k", prog + "/sub/k.txt"},
    };
    for (const Case& c : cases) {
        dialog->FileName.clear();
        SaveAs(c.typed);
        EXPECT_EQ(dialog->FileName, c.file_name) << c.typed;
    }
}

TEST_F(SaveDialog, NothingIsAcceptedForAnEmptyNameOrAMask)
{
    tree.Make({"prog/a.zip", "prog/b.txt"});
    EXPECT_FALSE(Run({[&](TskOpenDlgForm& f) { Click(f.SaveButton()); },
        [&](TskOpenDlgForm& f) {
            EXPECT_TRUE(f.Visible()) << "an empty name accepts nothing";
            TypeName(f, "*.zip");
            Key(VK_RETURN);
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(Listed(f), (std::vector<std::string>{"a.zip"})) << "typed * becomes the list's mask";
            EXPECT_EQ(f.TypeBox()->ItemIndex(), 0) << "the type box stays";
            Click(f.SaveButton());
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_TRUE(f.Visible());
            f.SetModalResult(mrCancel);
        }}));
    EXPECT_EQ(dialog->FileName, "");
}

TEST_F(SaveDialog, EnterInTheNameBoxEntersATypedFolderOrAccepts)
{
    tree.Make({"prog/sub/deeper/", "other/"});
    ASSERT_TRUE(Run({[&](TskOpenDlgForm& f) {
                         TypeName(f, "sub/deeper");
                         Key(VK_RETURN);
                     },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.Folder(), tree.Path("prog/sub/deeper"));
            EXPECT_EQ(f.NameBox()->Text(), "");
            TypeName(f, tree.Path("other"));
            Key(VK_RETURN);
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.Folder(), tree.Path("other"));
            TypeName(f, tree.Path("prog/out"));
            Key(VK_RETURN);
        }}));
    EXPECT_EQ(dialog->FileName, tree.Path("prog/out.txt"));
}

TEST_F(SaveDialog, ARememberedFolderThatIsGoneFallsBackToTheProgramFolder)
{
    tree.Make({"gone/"});
    dialog->FileName = tree.Path("gone/keywords.txt");
    std::filesystem::remove(tree.Path("gone"));
    ASSERT_TRUE(Run({[&](TskOpenDlgForm& f) {
                         EXPECT_EQ(f.Folder(), tree.Path("prog"));
                         EXPECT_EQ(f.NameBox()->Text(), "keywords.txt");
                     },
        [&](TskOpenDlgForm& f) { Click(f.SaveButton()); }}));
    EXPECT_EQ(dialog->FileName, tree.Path("prog/keywords.txt"));

    // A program folder that cannot be written gives the home folder.
    dialog->FileName.clear();
    dialog->Context = [this] {
        FolderContext c = Context();
        c.writable = [](const std::string&) { return false; };
        return c;
    };
    Run({[&](TskOpenDlgForm& f) {
        EXPECT_EQ(f.Folder(), tree.Path("home"));
        f.SetModalResult(mrCancel);
    }});
}

TEST_F(SaveDialog, SelectingAFileNamesItAndDoubleClickingAcceptsIt)
{
    // A name the code page cannot hold is shown with "?" but saved by its
    // real bytes.
    const std::string smile = "smile\xF0\x9F\x98\x80.txt";
    tree.Make({"prog/" + smile, "prog/b.txt"});
    ASSERT_TRUE(Run({[&](TskOpenDlgForm& f) { Click(f.FileList(), EntryPoint(f, smile)); },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.NameBox()->Text(), "smile?.txt");
            Click(f.SaveButton());
        }}));
    EXPECT_EQ(dialog->FileName, tree.Path("prog/" + smile));

    ASSERT_TRUE(Run({[&](TskOpenDlgForm& f) { DoubleClick(f.FileList(), EntryPoint(f, "b.txt")); }}));
    EXPECT_EQ(dialog->FileName, tree.Path("prog/b.txt"));
}

TEST_F(SaveDialog, FoldersAreEnteredAndLeftWithTheirRealNames)
{
    tree.Make({"prog/关键词/内/", "prog/关键词/a.txt"});
    const std::string chinese = tree.Path("prog/关键词");
    ASSERT_TRUE(Run({[&](TskOpenDlgForm& f) { DoubleClick(f.FileList(), EntryPoint(f, "关键词")); },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.Folder(), chinese);
            EXPECT_EQ(Listed(f), (std::vector<std::string>{"内/", "a.txt"}));
            const auto& rows = f.LookIn()->Rows();
            ASSERT_GE(f.LookIn()->ItemIndex(), 0);
            EXPECT_EQ(rows[static_cast<size_t>(f.LookIn()->ItemIndex())].path, chinese);
            EXPECT_EQ(f.LookIn()->Text(), utf8_to_cp936("关键词"));
            f.FileList()->SetFocus();
            Key(VK_HOME);
            Key(VK_RETURN);
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.Folder(), chinese + "/内");
            Key(VK_BACK);
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.Folder(), chinese) << "Backspace goes up";
            Click(f.UpButton());
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.Folder(), tree.Path("prog"));
            EXPECT_EQ(f.History().Entries(),
                (std::vector<std::string>{tree.Path("prog"), chinese, chinese + "/内", chinese, tree.Path("prog")}))
                << "a folder equal to the last entry is not added";
            Click(f.BackButton());
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.Folder(), chinese) << "Back goes to the folder visited last";
            Click(f.BackButton());
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.Folder(), tree.Path("prog")) << "and again back to where it was";
            // The look-in box: its home row enters the home folder.
            const auto& rows = f.LookIn()->Rows();
            const auto home =
                std::find_if(rows.begin(), rows.end(), [](const LookInRow& r) { return r.kind == PlaceKind::Home; });
            ASSERT_NE(home, rows.end());
            f.LookIn()->SetItemIndex(static_cast<int>(home - rows.begin()));
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.Folder(), tree.Path("home"));
            TypeName(f, chinese + "/out");
            Click(f.SaveButton());
        }}));
    EXPECT_EQ(dialog->FileName, chinese + "/out.txt");
}

TEST_F(SaveDialog, NewFolderTakesTheNextFreeNameAndOpensItForRenaming)
{
    ASSERT_FALSE(Run({[&](TskOpenDlgForm& f) { Click(f.NewFolderButton()); },
        [&](TskOpenDlgForm& f) {
            EXPECT_TRUE(tree.IsFolder("prog/New Folder"));
            EXPECT_TRUE(f.FileList()->Editing());
            EXPECT_EQ(f.FileList()->Editor()->Text(), "New Folder");
            Key(VK_ESCAPE);
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_FALSE(f.FileList()->Editing());
            EXPECT_TRUE(f.Visible()) << "Escape in the edit box ends the edit, not the dialog";
            Click(f.NewFolderButton());
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_TRUE(tree.IsFolder("prog/New Folder(2)"));
            EXPECT_EQ(f.FileList()->Entry(f.FileList()->Selected()).name, "New Folder(2)");
            Key(VK_ESCAPE);
        },
        [&](TskOpenDlgForm& f) { f.SetModalResult(mrCancel); }}));

    // The next run counts from one again: "New Folder" and "New Folder(2)"
    // are taken, so the new one is "New Folder(3)" rather than nothing.
    Run({[&](TskOpenDlgForm& f) { Click(f.NewFolderButton()); },
        [&](TskOpenDlgForm& f) {
            EXPECT_TRUE(tree.IsFolder("prog/New Folder(3)"));
            EXPECT_EQ(f.NewFolderCounter(), 3);
            f.SetModalResult(mrCancel);
        }});
}

TEST_F(SaveDialog, AFolderThatCannotBeCreatedShowsTheErrorBoxAndTheDialogStays)
{
    tree.Make({"prog/doomed/"});
    dialog->InitialDir = tree.Path("prog/doomed");
    dialog->Context = [this] {
        FolderContext c = Context();
        c.program_folder.clear();
        return c;
    };
    Run({[&](TskOpenDlgForm& f) {
             ASSERT_EQ(f.Folder(), tree.Path("prog/doomed"));
             std::filesystem::remove(tree.Path("prog/doomed"));
             Click(f.NewFolderButton());
         },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(errors, (std::vector<std::string>{"Invalid filename"}));
            EXPECT_TRUE(f.Visible());
            f.SetModalResult(mrCancel);
        }});
}

TEST_F(SaveDialog, RenamingInTheListRenamesOnDiskAndNeverReplaces)
{
    tree.Make({"prog/old.txt", "prog/taken.txt"});
    Run({[&](TskOpenDlgForm& f) {
             Click(f.FileList(), EntryPoint(f, "old.txt"));
             Key(VK_F1 + 1);
         },
        [&](TskOpenDlgForm& f) {
            ASSERT_TRUE(f.FileList()->Editing());
            EXPECT_EQ(f.FileList()->Editor()->SelText(), "old") << "the name without its extension is selected";
            Type("新");
            Key(VK_RETURN);
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_FALSE(f.FileList()->Editing());
            EXPECT_TRUE(tree.Exists("prog/新.txt"));
            EXPECT_FALSE(tree.Exists("prog/old.txt"));
            EXPECT_EQ(f.NameBox()->Text(), utf8_to_cp936("新.txt"));
            EXPECT_TRUE(f.Visible()) << "Enter in the edit box ends the edit, not the dialog";
            Click(f.FileList(), EntryPoint(f, "新.txt"));
            Key(VK_F1 + 1);
        },
        [&](TskOpenDlgForm& f) {
            f.FileList()->Editor()->SelectAll();
            Type("taken.txt");
            Key(VK_RETURN);
        },
        [&](TskOpenDlgForm& f) {
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_EQ(errors[0], "Cannot rename \"" + utf8_to_cp936("新.txt") + "\". File exists");
            EXPECT_EQ(tree.Read("prog/taken.txt"), "x");
            EXPECT_TRUE(tree.Exists("prog/新.txt"));
            f.SetModalResult(mrCancel);
        }});
}

TEST_F(SaveDialog, RenamingANameTheCodePageCannotHoldNeverWritesItsQuestionMarks)
{
    const std::string smile = "smile\xF0\x9F\x98\x80.txt";
    tree.Make({"prog/" + smile});
    Run({[&](TskOpenDlgForm& f) {
             Click(f.FileList(), EntryPoint(f, smile));
             Key(VK_F1 + 1);
         },
        [&](TskOpenDlgForm& f) {
            ASSERT_TRUE(f.FileList()->Editing());
            EXPECT_EQ(f.FileList()->Editor()->Text(), "smile?.txt");
            f.FileList()->Editor()->SetSelStart(0);
            f.FileList()->Editor()->SetSelLength(0);
            Type("x");
            Key(VK_RETURN);
        },
        [&](TskOpenDlgForm& f) {
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_EQ(errors[0].rfind("Cannot rename \"smile?.txt\". ", 0), 0u) << errors[0];
            EXPECT_TRUE(tree.Exists("prog/" + smile));
            EXPECT_FALSE(tree.Exists("prog/xsmile?.txt"));
            // A name typed anew, with no "?" left, loses nothing. (The file
            // is still selected; a second click here would be a double click.)
            f.FileList()->SetFocus();
            Key(VK_F1 + 1);
        },
        [&](TskOpenDlgForm& f) {
            ASSERT_TRUE(f.FileList()->Editing());
            Type("happy");
            Key(VK_RETURN);
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(errors.size(), 1u);
            EXPECT_TRUE(tree.Exists("prog/happy.txt"));
            EXPECT_FALSE(tree.Exists("prog/" + smile));
            f.SetModalResult(mrCancel);
        }});
}

TEST_F(SaveDialog, ChangingTheTypeReplacesOnlyTheFinalExtensionAndCancelStillKeepsIt)
{
    dialog->Filter = "Tables|*.csv|" + kTextFiles + "|*.txt";
    dialog->FilterIndex = 1;
    dialog->FileName = tree.Path("prog/earlier.txt");
    EXPECT_FALSE(Run({[&](TskOpenDlgForm& f) { TypeName(f, "my.csvfile.csv"); },
        [&](TskOpenDlgForm& f) { f.TypeBox()->SetItemIndex(1); },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.NameBox()->Text(), "my.csvfile.txt");
            EXPECT_EQ(f.FileList()->Mask(), "*.txt");
            Key(VK_ESCAPE);
        }}));
    EXPECT_EQ(dialog->FilterIndex, 2);
    EXPECT_EQ(dialog->FileName, tree.Path("prog/earlier.txt")) << "a cancelled run keeps the name";
}

TEST_F(SaveDialog, ARunKeepsTheFolderNameSizeViewAndTypeForTheNext)
{
    tree.Make({"prog/out/"});
    dialog->Filter = "Tables|*.csv|" + kTextFiles + "|*.txt";
    ASSERT_TRUE(Run({[&](TskOpenDlgForm& f) {
                         EXPECT_EQ(f.ClientWidth(), 450);
                         EXPECT_EQ(f.ClientHeight(), 290);
                         EXPECT_EQ(f.FileList()->ViewStyle(), TViewStyle::vsList);
                         EXPECT_EQ(f.NameBox(), f.ActiveControl()) << "the name box has the focus";
                         f.SetClientSize(520, 330);
                         f.TypeBox()->SetItemIndex(1);
                         // The view menu's Details item.
                         f.ViewMenu()->Items()->Items(3)->Click();
                     },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.FileList()->ViewStyle(), TViewStyle::vsReport);
            EXPECT_TRUE(f.ViewMenu()->Items()->Items(3)->Checked());
            EXPECT_FALSE(f.ViewMenu()->Items()->Items(2)->Checked());
            TypeName(f, "out/keywords");
            Click(f.SaveButton());
        }}));
    EXPECT_EQ(dialog->FileName, tree.Path("prog/out/keywords.txt"));

    Run({[&](TskOpenDlgForm& f) {
        EXPECT_EQ(f.Folder(), tree.Path("prog/out"));
        EXPECT_EQ(f.NameBox()->Text(), "keywords.txt");
        EXPECT_EQ(f.ClientWidth(), 520);
        EXPECT_EQ(f.ClientHeight(), 330);
        EXPECT_EQ(f.FileList()->ViewStyle(), TViewStyle::vsReport);
        EXPECT_EQ(f.TypeBox()->ItemIndex(), 1);
        EXPECT_EQ(f.NameBox()->Left() + f.NameBox()->Width(), 520 - 90) << "the name box stretches";
        EXPECT_EQ(f.SaveButton()->Left(), 520 - 80);
        f.SetModalResult(mrCancel);
    }});

    // A kept size below the frame's minimum is raised to it.
    dialog->DialogWidth = 50;
    dialog->DialogHeight = 20;
    Run({[&](TskOpenDlgForm& f) {
        const Size min = f.Frame()->MinimumSize();
        EXPECT_EQ(f.Width(), min.width);
        EXPECT_GE(f.ClientWidth(), 50);
        EXPECT_GE(f.Height(), min.height);
        f.SetModalResult(mrCancel);
    }});
}

TEST_F(SaveDialog, AnExistingFileIsReplacedWithoutAQuestionUnlessAsked)
{
    tree.Make({"prog/keywords.txt"});
    SaveAs("keywords");
    EXPECT_EQ(dialog->FileName, tree.Path("prog/keywords.txt"));
    EXPECT_EQ(TApplication::FormCount(), 1) << "no question box was left";

    // With the question on, Cancel keeps the dialog open and OK accepts.
    dialog->OverwritePromt = true;
    int questions = 0;
    auto answer = [&](int vk) {
        return [&, vk](TskOpenDlgForm&) {
            TCustomForm* box = TApplication::Forms(TApplication::FormCount() - 1);
            EXPECT_EQ(box->Caption(), "Warning");
            ++questions;
            Key(vk);
        };
    };
    ASSERT_TRUE(Run({[&](TskOpenDlgForm& f) {
                         TypeName(f, "keywords");
                         Click(f.SaveButton());
                     },
        answer(VK_ESCAPE),
        [&](TskOpenDlgForm& f) {
            EXPECT_TRUE(f.Visible());
            Click(f.SaveButton());
        },
        answer(VK_RETURN)}));
    EXPECT_EQ(questions, 2);
}

TEST_F(SaveDialog, HeadersSortTheDetailsViewAndTypingSelectsAhead)
{
    tree.Make({"prog/big.txt"}, std::string(9000, 'x'));
    tree.Make({"prog/mid.txt"}, std::string(3000, 'x'));
    tree.Make({"prog/Alpha/", "prog/small.txt"});
    dialog->ViewStyle = TViewStyle::vsReport;
    Run({[&](TskOpenDlgForm& f) {
             const Rect size_header = f.FileList()->Geometry().ColumnRect(1);
             Click(f.FileList(), {size_header.left + 10, size_header.top + 5});
         },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(Listed(f), (std::vector<std::string>{"Alpha/", "small.txt", "mid.txt", "big.txt"}));
            const Rect size_header = f.FileList()->Geometry().ColumnRect(1);
            Click(f.FileList(), {size_header.left + 10, size_header.top + 5});
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(Listed(f), (std::vector<std::string>{"Alpha/", "big.txt", "mid.txt", "small.txt"}));
            f.FileList()->SetFocus();
            Type("m");
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.NameBox()->Text(), "mid.txt");
            loop.advance(600);
            Type("S");
        },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(f.NameBox()->Text(), "small.txt");
            f.SetModalResult(mrCancel);
        }});
}

TEST_F(SaveDialog, F5ListsAgainAndTheContextMenuDeletesAfterAQuestion)
{
    tree.Make({"prog/a.txt"});
    Run({[&](TskOpenDlgForm& f) {
             tree.Make({"prog/late.txt"});
             f.FileList()->SetFocus();
             Key(VK_F1 + 4);
         },
        [&](TskOpenDlgForm& f) {
            EXPECT_EQ(Listed(f), (std::vector<std::string>{"a.txt", "late.txt"}));
            backend.mouse_down(f.FileList()->ClientToScreen(EntryPoint(f, "late.txt")), MouseButton::Right);
            backend.mouse_up(f.FileList()->ClientToScreen(EntryPoint(f, "late.txt")), MouseButton::Right);
        },
        [&](TskOpenDlgForm& f) {
            ASSERT_NE(f.ContextMenu(), nullptr);
            TMenuItem* items = f.ContextMenu()->Items();
            ASSERT_EQ(items->Count(), 5);
            EXPECT_EQ(items->Items(0)->Caption, "&Rename");
            EXPECT_EQ(items->Items(1)->Caption, "&Delete");
            EXPECT_EQ(items->Items(3)->Caption, "New &Folder");
            EXPECT_EQ(items->Items(4)->Caption, "Re&fresh");
            // The menu runs a command after it has closed, from the loop.
            FindSkinMenuFrame(&f)->SkinMenu().CloseAll();
            TMenuItem* remove = items->Items(1);
            loop.post([remove] { remove->Click(); });
        },
        [&](TskOpenDlgForm&) { Key(VK_RETURN); }, // the question: Yes
        [&](TskOpenDlgForm& f) {
            EXPECT_FALSE(tree.Exists("prog/late.txt"));
            EXPECT_EQ(Listed(f), (std::vector<std::string>{"a.txt"}));
            f.SetModalResult(mrCancel);
        }});
}

} // namespace
} // namespace lt
