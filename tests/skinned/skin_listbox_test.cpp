// The skinned list box through injected input on virtual time: the scroll
// bar that comes and goes with the rows, selection by mouse and keys, the
// double-click on the blank strip, type-ahead timing, the wheel, the rows'
// pictures against the stored skin (the caret row drawn by its real state),
// repaints while rows are appended, the context menu and the plain look.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "forms/menus.h"
#include "gfx/png.h"
#include "skinned/skin_listbox.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_scrollbar.h"
#include "tests/gfx/pixels.h"
#include "tests/skinned/skinned_fixture.h"
#include "text/cp936.h"

namespace lt {
namespace {

struct ListBoxTest : test::SkinnedForm {
    void SetUp() override
    {
        test::SkinnedForm::SetUp();
        form->SetBounds(0, 0, 800, 600);
        pump();
    }

    // A list of the main window's kind: extended multi-select, 20-pixel
    // rows, `rows` rows named "row 0", "row 1", ...
    TskSkinListBox* AddList(int rows, int height = 396, bool skinned = true, int left = 10, int top = 10)
    {
        auto* list = new TskSkinListBox(form);
        list->SetParent(form);
        list->SetBounds(left, top, 200, height);
        list->SetMultiSelect(true);
        list->SetUseSkinItemHeight(false);
        if (skinned)
            list->SetSkinData(data);
        for (int i = 0; i < rows; ++i)
            list->Items().Add("row " + std::to_string(i));
        pump();
        return list;
    }

    // The screen point of row `row`'s left part (it must be visible).
    Point RowPoint(TskSkinCustomListBox* list, int row, int x = 20)
    {
        const TskListBox& inner = list->ListBox();
        const int y = (row - list->TopIndex()) * list->ItemHeight() + list->ItemHeight() / 2;
        return inner.ClientToScreen({x, y});
    }

    // Runs `input` with Shift and Ctrl held as asked, then pumps.
    template <class Input>
    void WithKeys(bool shift, bool ctrl, Input input)
    {
        if (shift)
            backend.key_down(VK_SHIFT);
        if (ctrl)
            backend.key_down(VK_CONTROL);
        input();
        if (ctrl)
            backend.key_up(VK_CONTROL);
        if (shift)
            backend.key_up(VK_SHIFT);
        pump();
    }
    void Click(Point p, bool shift = false, bool ctrl = false)
    {
        WithKeys(shift, ctrl, [&] { backend.click(p); });
    }
    void Key(int vk, bool shift = false, bool ctrl = false)
    {
        WithKeys(shift, ctrl, [&] { backend.key(vk); });
    }

    static std::set<int> SelectedRows(TskSkinCustomListBox* list)
    {
        std::set<int> rows;
        for (int i = 0; i < list->Count(); ++i)
            if (list->Selected(i))
                rows.insert(i);
        return rows;
    }
};

// ---- scroll bar -----------------------------------------------------------------

TEST_F(ListBoxTest, ScrollBarComesWithTheRowThatDoesNotFitAndGoesWithClear)
{
    // A 396-pixel control leaves a 392-pixel list area in both looks (the
    // stored skin's frame and the plain one are 2 pixels on each side):
    // 19 rows of 20 pixels fit.
    struct Step {
        const char* what;
        std::function<void(TskSkinListBox*)> act;
        bool bar;
    };
    const std::vector<Step> steps = {
        {"19 rows fit",
            [](TskSkinListBox* l) {
                for (int i = 0; i < 19; ++i)
                    l->Items().Add("r");
            },
            false},
        {"the 20th does not", [](TskSkinListBox* l) { l->Items().Add("r"); }, true},
        {"deleting it again", [](TskSkinListBox* l) { l->Items().Delete(19); }, false},
        {"inserting at the top", [](TskSkinListBox* l) { l->Items().Insert(0, "r"); }, true},
        {"clear", [](TskSkinListBox* l) { l->Clear(); }, false},
        {"a batch",
            [](TskSkinListBox* l) {
                l->Items().BeginUpdate();
                for (int i = 0; i < 100; ++i)
                    l->Items().Add("r");
                l->Items().EndUpdate();
            },
            true},
        {"the strings' own clear", [](TskSkinListBox* l) { l->Items().Clear(); }, false},
    };
    for (bool skinned : {true, false}) {
        TskSkinListBox* list = AddList(0, 396, skinned);
        const Rect area = list->ListArea();
        EXPECT_EQ(area.height(), 392);
        for (const Step& step : steps) {
            SCOPED_TRACE(std::string(skinned ? "skinned: " : "plain: ") + step.what);
            step.act(list);
            pump();
            TskSkinScrollBar* bar = list->VScrollBar();
            ASSERT_EQ(bar != nullptr, step.bar);
            const int list_right = list->ListBox().Left() + list->ListBox().Width();
            if (!bar) {
                EXPECT_EQ(list_right, area.right);
                continue;
            }
            // Skinned: the bar's own 17 pixels at the area's right edge;
            // plain: 19 pixels, 20 from the control's right edge.
            const Rect want = skinned ? Rect{area.right - 17, area.top, area.right, area.bottom}
                                      : Rect{200 - 20, area.top, 200 - 1, area.bottom};
            EXPECT_EQ(bar->BoundsRect(), want);
            EXPECT_EQ(list_right, want.left);
            EXPECT_EQ(bar->Max(), list->Count() - 1);
            EXPECT_EQ(bar->PageSize(), 19);
            EXPECT_EQ(bar->LargeChange(), 19);
            EXPECT_EQ(bar->Position(), list->TopIndex());
        }
        delete list;
    }
}

TEST_F(ListBoxTest, ScrollBarFollowsTheListAndScrollsIt)
{
    TskSkinListBox* list = AddList(100);
    list->SetFocus();
    Key(VK_END);
    TskSkinScrollBar* bar = list->VScrollBar();
    ASSERT_TRUE(bar);
    EXPECT_EQ(list->TopIndex(), 81);
    EXPECT_EQ(bar->Position(), 81);

    // Dragging the thumb to the top scrolls the rows.
    const Rect thumb = bar->PartRect(ScrollBarPart::Thumb);
    const Point grip = bar->ClientToScreen({thumb.left + 8, thumb.top + thumb.height() / 2});
    backend.mouse_move(grip);
    backend.mouse_down(grip);
    pump();
    backend.mouse_move({grip.x, grip.y - 400});
    pump();
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(list->TopIndex(), 0);
    backend.mouse_up({grip.x, grip.y - 400});
    pump();
    // The bar's page button scrolls by a page of whole rows.
    const Rect track = bar->PartRect(ScrollBarPart::TrackToMax);
    Click(bar->ClientToScreen({8, track.bottom - 2}));
    EXPECT_EQ(list->TopIndex(), 19);
    // A disabled list's bar does not scroll it.
    list->SetEnabled(false);
    Click(bar->ClientToScreen({8, track.bottom - 2}));
    EXPECT_EQ(list->TopIndex(), 19);
}

// ---- selection ------------------------------------------------------------------

TEST_F(ListBoxTest, SelectionByMouseAndKeys)
{
    enum Kind { Row, ShiftRow, CtrlRow, K, ShiftK, CtrlK };
    struct Input {
        Kind kind;
        int value; // a row, or a key
    };
    struct Case {
        const char* what;
        std::vector<Input> inputs;
        std::set<int> selected;
        int caret;
    };
    std::set<int> all;
    for (int i = 0; i < 30; ++i)
        all.insert(i);
    const std::vector<Case> cases = {
        {"click", {{Row, 2}}, {2}, 2},
        {"click another", {{Row, 2}, {Row, 5}}, {5}, 5},
        {"Ctrl+click adds", {{Row, 2}, {CtrlRow, 5}}, {2, 5}, 5},
        {"Ctrl+click on the caret row deselects it", {{Row, 2}, {CtrlRow, 2}}, {}, 2},
        {"Shift+click extends from the anchor", {{Row, 2}, {ShiftRow, 5}}, {2, 3, 4, 5}, 5},
        {"Shift+click upwards", {{Row, 5}, {ShiftRow, 2}}, {2, 3, 4, 5}, 2},
        {"Ctrl+click then Shift+click", {{Row, 1}, {CtrlRow, 4}, {ShiftRow, 6}}, {4, 5, 6}, 6},
        {"Down moves selection", {{Row, 1}, {K, VK_DOWN}, {K, VK_DOWN}}, {3}, 3},
        {"Shift+Down extends", {{Row, 1}, {ShiftK, VK_DOWN}, {ShiftK, VK_DOWN}}, {1, 2, 3}, 3},
        {"Ctrl+Down moves the caret only", {{Row, 1}, {CtrlK, VK_DOWN}}, {1}, 2},
        {"Up at the top stays", {{Row, 0}, {K, VK_UP}}, {0}, 0},
        {"End", {{Row, 3}, {K, VK_END}}, {29}, 29},
        {"Shift+End from the first row", {{Row, 0}, {ShiftK, VK_END}}, all, 29},
        {"Shift+Home", {{Row, 3}, {ShiftK, VK_HOME}}, {0, 1, 2, 3}, 0},
        {"Page Down: to the last whole row first", {{Row, 0}, {K, VK_NEXT}}, {18}, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TskSkinListBox* list = AddList(30);
        int clicks = 0;
        list->OnListBoxClick = [&](TComponent* sender) {
            EXPECT_EQ(sender, list);
            ++clicks;
        };
        for (const Input& in : c.inputs) {
            switch (in.kind) {
            case Row:
                Click(RowPoint(list, in.value));
                break;
            case ShiftRow:
                Click(RowPoint(list, in.value), true, false);
                break;
            case CtrlRow:
                Click(RowPoint(list, in.value), false, true);
                break;
            case K:
                Key(in.value);
                break;
            case ShiftK:
                Key(in.value, true, false);
                break;
            case CtrlK:
                Key(in.value, false, true);
                break;
            }
        }
        EXPECT_EQ(SelectedRows(list), c.selected);
        EXPECT_EQ(list->ItemIndex(), c.caret);
        EXPECT_GE(clicks, 1);
        // The caret row is always in view, and the bar shows where.
        EXPECT_GE(c.caret, list->TopIndex());
        EXPECT_LT(c.caret, list->TopIndex() + 19);
        ASSERT_TRUE(list->VScrollBar());
        EXPECT_EQ(list->VScrollBar()->Position(), list->TopIndex());
        delete list;
    }
}

TEST_F(ListBoxTest, RowErrorsAndLookup)
{
    TskSkinListBox* list = AddList(0);
    EXPECT_EQ(list->Items().Add("QQ空间"), 0);
    EXPECT_EQ(list->Items().Add("长尾词"), 1);
    EXPECT_EQ(list->Items().IndexOf("qq空间"), 0);
    EXPECT_EQ(list->Items().IndexOf("长尾"), -1);
    EXPECT_THROW(list->Items().Strings(2), std::exception);
    try {
        list->Selected(5);
        ADD_FAILURE() << "no error for row 5";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
    list->Items().Delete(7); // ignored
    EXPECT_EQ(list->Count(), 2);
}

// ---- double-click, context menu -------------------------------------------------

TEST_F(ListBoxTest, DoubleClickIsRaisedOnRowsAndOnTheBlankStrip)
{
    TskSkinListBox* list = AddList(3);
    std::vector<std::pair<int, int>> seen; // caret and row under the pointer at each event
    list->OnListBoxDblClick = [&](TComponent* sender) {
        EXPECT_EQ(sender, list);
        seen.emplace_back(list->ItemIndex(), list->ItemAtCursor());
    };
    auto dbl = [&](Point p) {
        backend.click(p);
        backend.click(p);
        pump();
    };
    int entered = 0;
    list->OnEnter = [&](TComponent* sender) {
        EXPECT_EQ(sender, list);
        ++entered;
    };
    dbl(RowPoint(list, 1));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(form->ActiveControl(), &list->ListBox()) << "the form knows where the focus went";
    dbl(RowPoint(list, 10)); // the blank strip below the rows
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(1, 1)) << "raised after the caret moved to the row";
    EXPECT_EQ(seen[1], std::make_pair(1, -1)) << "the strip: the caret stays, no row under the pointer";

    list->Clear();
    pump();
    dbl(RowPoint(list, 0));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].second, -1);
    EXPECT_EQ(list->ItemAtPos({0, 0}), -1) << "the frame is no row";
}

TEST_F(ListBoxTest, RightClickOpensThePopupMenuWithoutChangingTheSelection)
{
    auto* host = new TskSkinMenuHost(form);
    host->SetSkinData(data);
    auto* menu = new TskSkinPopupMenu(form);
    auto* item = new TMenuItem(nullptr);
    item->Caption = "Delete";
    menu->Items()->Add(item);
    TskSkinListBox* list = AddList(5);
    list->PopupMenu = menu;
    Click(RowPoint(list, 1));
    const Point p = RowPoint(list, 3);
    backend.mouse_move(p);
    backend.mouse_down(p, MouseButton::Right);
    backend.mouse_up(p, MouseButton::Right);
    pump();
    EXPECT_TRUE(host->SkinMenu().Visible());
    EXPECT_EQ(menu->PopupComponent, list);
    EXPECT_EQ(menu->PopupPoint(), p);
    EXPECT_EQ(SelectedRows(list), std::set<int>{1});
    EXPECT_EQ(list->ItemIndex(), 1);
    host->SkinMenu().CloseAll();
}

// ---- type-ahead and wheel ----------------------------------------------------------

TEST_F(ListBoxTest, TypeAheadJoinsKeysWithinHalfASecond)
{
    struct Typed {
        int after_ms;
        const char* utf8;
    };
    struct Case {
        const char* what;
        std::vector<Typed> keys;
        int selected; // the only selected row and the caret; -1: nothing selected
    };
    // No row before "qq空间" begins with qq.
    const std::vector<std::string> rows = {"apple", "q群", "QQ空间", "qz", "空间说说", "b"};
    const std::vector<Case> cases = {
        {"one q", {{0, "q"}}, 1},
        {"q and q within half a second", {{0, "q"}, {300, "q"}}, 2},
        {"q and q a second apart: q again", {{0, "q"}, {1000, "q"}}, 1},
        {"exactly half a second is a pause", {{0, "q"}, {500, "q"}}, 1},
        {"capitals fold", {{0, "Q"}, {100, "Z"}}, 3},
        {"a Chinese character, both bytes", {{0, "空"}}, 4},
        {"no row: nothing changes", {{0, "x"}}, -1},
        {"Backspace drops the last character", {{0, "q"}, {100, "q"}, {100, "\b"}}, 1},
        {"Backspace to nothing: row 0 is current", {{0, "b"}, {100, "\b"}}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TskSkinListBox* list = AddList(0);
        for (const std::string& r : rows)
            list->Items().Add(utf8_to_cp936(r));
        list->SetFocus();
        pump();
        int clicks = 0;
        list->OnListBoxClick = [&](TComponent*) { ++clicks; };
        for (const Typed& t : c.keys) {
            loop.advance(t.after_ms);
            if (std::string(t.utf8) == "\b")
                backend.key(VK_BACK);
            else
                backend.type(t.utf8);
            pump();
        }
        if (c.selected < 0) {
            EXPECT_TRUE(SelectedRows(list).empty());
            EXPECT_EQ(clicks, 0);
        } else {
            EXPECT_EQ(SelectedRows(list), std::set<int>{c.selected});
            EXPECT_GE(clicks, 1);
        }
        if (std::string(c.what).find("row 0 is current") != std::string::npos) {
            EXPECT_EQ(list->ItemIndex(), 0);
        } else if (c.selected >= 0) {
            EXPECT_EQ(list->ItemIndex(), c.selected);
        }
        delete list;
        loop.advance(1000);
    }
}

TEST(ListBoxPrefixSearch, FoldsAsciiOnlyAndKeepsDoubleByteCharactersWhole)
{
    // 網 is BE 57 and 緒 BE 77: folding the trail byte would make them one.
    const std::vector<std::string> rows = {
        utf8_to_cp936("網頁"), utf8_to_cp936("緒頁"), "QQ2", "abc" + utf8_to_cp936("空间"), "ab", "x"};
    std::vector<std::uint32_t> keys;
    for (const std::string& r : rows)
        keys.push_back(RowPrefixKey(r));
    auto text = [&](int i) -> const std::string& { return rows[static_cast<size_t>(i)]; };
    struct Case {
        std::string prefix;
        int from;
        int row;
    };
    const std::vector<Case> cases = {
        {utf8_to_cp936("緒"), 0, 1},
        {utf8_to_cp936("網頁"), 0, 0},
        {"qq", 0, 2},
        {"qQ2", 0, 2},
        {"qq2x", 0, -1},
        {"ABC" + utf8_to_cp936("空"), 0, 3}, // five bytes: the key holds the lead byte only
        {"abc" + utf8_to_cp936("间"), 0, -1},
        {"ab", 0, 3},
        {"ab", 4, 4},
        {"x", 6, -1},
        {"", 2, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindRowWithPrefix(keys, text, c.from, c.prefix), c.row)
            << cp936_to_utf8(c.prefix) << " from " << c.from;
}

TEST_F(ListBoxTest, TypeAheadFindsRowsAddedWhileTyping)
{
    // The search resumes where the shorter text matched; rows added or
    // inserted meanwhile are still found.
    TskSkinListBox* list = AddList(50);
    list->SetFocus();
    backend.type("x");
    pump();
    EXPECT_TRUE(SelectedRows(list).empty());
    list->Items().Add("xy one");
    loop.advance(100);
    backend.type("y");
    pump();
    EXPECT_EQ(SelectedRows(list), std::set<int>{50});
    list->Items().Insert(3, "xylophone");
    loop.advance(100);
    backend.type("l");
    pump();
    EXPECT_EQ(SelectedRows(list), std::set<int>{3});
}

TEST_F(ListBoxTest, DeletingTheSelectedRowsAtOnceKeepsTypeAheadAndBarInStep)
{
    // Rows "a0".."a9", "b10".."b19", "c20".."c29"; the first twenty go
    // while a search for "c" stands at row 20.
    TskSkinListBox* list = AddList(0);
    for (int i = 0; i < 30; ++i)
        list->Items().Add(std::string(1, static_cast<char>('a' + i / 10)) + std::to_string(i));
    pump();
    list->SetFocus();
    backend.type("c");
    pump();
    ASSERT_EQ(SelectedRows(list), std::set<int>{20});
    ASSERT_NE(list->VScrollBar(), nullptr);
    list->SetSelected(20, false);
    for (int i = 0; i < 20; ++i)
        list->SetSelected(i, true);

    EXPECT_EQ(list->DeleteSelected(), 20);
    pump();

    ASSERT_EQ(list->Count(), 10);
    EXPECT_EQ(list->Items().Strings(0), "c20");
    EXPECT_TRUE(SelectedRows(list).empty());
    EXPECT_EQ(list->VScrollBar(), nullptr); // ten rows fit
    // "c2" resumes the search, which must start again at the top now.
    loop.advance(100);
    backend.type("2");
    pump();
    EXPECT_EQ(SelectedRows(list), std::set<int>{0});
    loop.advance(1000);
    backend.type("c");
    backend.type("2");
    backend.type("5");
    pump();
    EXPECT_EQ(SelectedRows(list), std::set<int>{5});
    EXPECT_EQ(list->DeleteSelected(), 1);
    EXPECT_EQ(list->DeleteSelected(), 0);
    EXPECT_EQ(list->Count(), 9);
}

TEST_F(ListBoxTest, WheelScrollsOneRowMoreWhileTheBarShows)
{
    TskSkinListBox* list = AddList(100);
    list->SetFocus();
    const Point over = RowPoint(list, 2);
    backend.wheel(over, -WHEEL_DELTA);
    pump();
    EXPECT_EQ(list->TopIndex(), 4);
    EXPECT_EQ(list->VScrollBar()->Position(), 4);
    backend.wheel(over, -2 * WHEEL_DELTA);
    pump();
    EXPECT_EQ(list->TopIndex(), 11);
    backend.wheel(over, WHEEL_DELTA);
    pump();
    EXPECT_EQ(list->TopIndex(), 7);

    TskSkinListBox* few = AddList(5, 396, true, 300);
    few->SetFocus();
    backend.wheel(over, -WHEEL_DELTA);
    pump();
    EXPECT_EQ(few->TopIndex(), 0);
}

// ---- pictures --------------------------------------------------------------------------

// The background colour a row shows at height y, far right of its text: the
// stored skin's row images are vertical gradients, so any middle column of
// the state's image gives it.
struct RowProbe {
    const char* what;
    bool skin_row_height;
    bool focus_list;
    int row;
    const char* image; // "item", "active" or "focus"
    bool focus_dots;
};

TEST_F(ListBoxTest, RowPicturesFollowTheRealStateOfEachRow)
{
    const auto& o =
        *dynamic_cast<const TskDataSkinListBox*>(data->SkinControls[data->FindSkinControl("listbox")].get());
    const Bitmap& pic = Picture(o.pictureindex);
    auto image = [&](const std::string& name) {
        return name == "item" ? o.itemrect : name == "active" ? o.activeitemrect : o.focusitemrect;
    };
    // Rows 1 and 2 selected, the caret on row 3 (not selected): Ctrl+click
    // selects it, and a second Ctrl+click takes it away again.
    const std::vector<RowProbe> probes = {
        {"fixed height: plain row", false, true, 0, "item", false},
        {"fixed height: selected row", false, true, 1, "active", false},
        {"fixed height: focused caret row, not selected", false, true, 3, "focus", false},
        {"fixed height, unfocused: the caret row is plain", false, false, 3, "item", false},
        {"fixed height, unfocused: selected row", false, false, 2, "active", false},
        {"skin height: plain row", true, true, 0, "item", false},
        {"skin height: selected row", true, true, 2, "active", false},
        {"skin height: focused caret row, not selected", true, true, 3, "item", true},
        {"skin height, unfocused: the caret row is plain", true, false, 3, "item", false},
    };
    for (const RowProbe& p : probes) {
        SCOPED_TRACE(p.what);
        TskSkinListBox* list = AddList(8);
        list->SetUseSkinItemHeight(p.skin_row_height);
        pump();
        Click(RowPoint(list, 1));
        Click(RowPoint(list, 2), true, false);
        Click(RowPoint(list, 3), false, true);
        Click(RowPoint(list, 3), false, true);
        ASSERT_EQ(SelectedRows(list), (std::set<int>{1, 2}));
        ASSERT_EQ(list->ItemIndex(), 3);
        if (!p.focus_list) {
            form->SetActiveControl(nullptr);
            form->SetFocus();
        }
        // A whole repaint, as scrolling or uncovering the list makes.
        list->ListBox().Invalidate();
        pump();
        const TskListBox& inner = list->ListBox();
        const Point row_at = inner.ClientToScreen({0, p.row * 20});
        const Rect img = image(p.image);
        for (int y : {1, 10, 18}) {
            const Point at{row_at.x + inner.Width() - 12, row_at.y + y};
            EXPECT_EQ(test::hex(Shot({at.x, at.y, at.x + 1, at.y + 1}).pixel(0, 0)),
                test::hex(pic.pixel(img.left + img.width() / 2, img.top + y)))
                << "row " << p.row << " at y " << y;
        }
        // The dotted focus rectangle runs along the row's top edge.
        const Bitmap top_edge = Shot({row_at.x + 20, row_at.y, row_at.x + 22, row_at.y + 1});
        const bool dots = top_edge.pixel(0, 0) != top_edge.pixel(1, 0);
        EXPECT_EQ(dots, p.focus_dots);
        delete list;
    }
}

TEST_F(ListBoxTest, CaretRowDeselectedByCtrlClickStaysUnselectedAfterAFullRepaint)
{
    // The export list's kind (skin row height), where the focused look of a
    // row that is not selected differs from that of a selected one.
    const auto& o =
        *dynamic_cast<const TskDataSkinListBox*>(data->SkinControls[data->FindSkinControl("listbox")].get());
    const Bitmap& pic = Picture(o.pictureindex);
    TskSkinListBox* list = AddList(30);
    list->SetUseSkinItemHeight(true);
    Click(RowPoint(list, 2));
    Click(RowPoint(list, 2), false, true);
    ASSERT_FALSE(list->Selected(2));
    ASSERT_EQ(list->ItemIndex(), 2);
    const TskListBox& inner = list->ListBox();
    auto background = [&] {
        const Point at = inner.ClientToScreen({inner.Width() - 12, (2 - list->TopIndex()) * 20 + 10});
        return Shot({at.x, at.y, at.x + 1, at.y + 1}).pixel(0, 0);
    };
    const Pixel unselected = pic.pixel(o.itemrect.left + 20, o.itemrect.top + 10);
    EXPECT_EQ(test::hex(background()), test::hex(unselected));
    // Scrolling away and back repaints every row.
    list->SetTopIndex(1);
    pump();
    list->SetTopIndex(0);
    pump();
    EXPECT_EQ(test::hex(background()), test::hex(unselected));
    EXPECT_EQ(list->SelCount(), 0);
}

TEST_F(ListBoxTest, AppendingBelowTheVisibleRowsRepaintsNoRow)
{
    TskSkinListBox* list = AddList(100);
    int rows_drawn = 0;
    list->OnDrawItem = [&](TComponent*, Canvas&, int, Size, const Rect&, TOwnerDrawState) { ++rows_drawn; };
    list->ListBox().Invalidate();
    pump();
    EXPECT_EQ(rows_drawn, 20) << "a full repaint draws the visible rows only (19 whole, one in part)";

    rows_drawn = 0;
    for (int i = 0; i < 1000; ++i)
        list->Items().Add("appended");
    pump();
    EXPECT_EQ(rows_drawn, 0);
    EXPECT_EQ(list->VScrollBar()->Max(), 1099);

    // An insert among the visible rows repaints from its place down.
    list->Items().Insert(15, "inserted");
    pump();
    EXPECT_EQ(rows_drawn, 5);
    rows_drawn = 0;
    list->Items().Delete(0);
    pump();
    EXPECT_EQ(rows_drawn, 20);
}

TEST_F(ListBoxTest, PlainLookWithoutTheSkin)
{
    TskSkinListBox* list = AddList(4, 100, false);
    list->SetFocus();
    Click(RowPoint(list, 1));
    const Bitmap shot = Shot(list->BoundsRect());
    EXPECT_EQ(test::hex(shot.pixel(0, 50)), test::hex(to_pixel(clBtnShadow))) << "the one-pixel frame";
    EXPECT_EQ(test::hex(shot.pixel(1, 50)), test::hex(to_pixel(clWindow)));
    EXPECT_EQ(list->ListBox().BoundsRect(), (Rect{2, 2, 198, 98}));
    EXPECT_EQ(test::hex(shot.pixel(150, 2 + 20 + 10)), test::hex(to_pixel(clHighlight))) << "the selected row";
    EXPECT_EQ(test::hex(shot.pixel(150, 2 + 10)), test::hex(to_pixel(clWindow)));

    // The caption bar takes the top; the rows start one pixel below it.
    list->SetCaptionMode(true);
    pump();
    EXPECT_EQ(list->ListBox().Top(), 21);
    EXPECT_EQ(list->CaptionRect(), (Rect{2, 1, 198, 21}));
}

TEST_F(ListBoxTest, SkinReloadGoesPlainAndBack)
{
    TskSkinListBox* list = AddList(40);
    ASSERT_TRUE(list->ListSkin());
    EXPECT_EQ(list->VScrollBar()->Width(), 17);
    list->ForgetSkin();
    list->SetUseSkinItemHeight(true);
    pump();
    EXPECT_FALSE(list->ListSkin());
    list->ApplySkin();
    pump();
    EXPECT_TRUE(list->ListSkin());
    EXPECT_EQ(list->ItemHeight(), 20);
    EXPECT_EQ(list->VScrollBar()->Width(), 17);

    // The whole list as the eye sees it.
    list->SetSelected(3, true);
    list->SetSelected(4, true);
    list->SetFocus();
    pump();
    backend.snapshot_window(*form->WindowHandle(), "skin_listbox.png");
}

} // namespace
} // namespace lt
