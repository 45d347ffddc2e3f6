// The skinned drop-down list through injected input on virtual time: the
// closed box's areas, opening (no rows, fewer rows than DropDownCount, near
// the bottom of the screen), the mouse while open (tracking, accepting,
// cancelling, auto-scroll, the list's own scroll bar), keys (Escape brings
// the opening row back without OnClick; the page keys), the wheel,
// type-ahead, handlers that free the box, and the looks against the stored
// skin.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/stdctrls.h"
#include "skinned/skin_combobox.h"
#include "skinned/skin_scrollbar.h"
#include "tests/gfx/pixels.h"
#include "tests/skinned/skinned_fixture.h"
#include "text/cp936.h"

namespace lt {
namespace {

struct ComboBoxTest : test::SkinnedForm {
    int clicks = 0, changes = 0, drop_downs = 0, close_ups = 0;

    void SetUp() override
    {
        test::SkinnedForm::SetUp();
        form->SetBounds(0, 0, 800, 600);
        pump();
    }

    // A box with `rows` rows "item 0", "item 1", ..., counting its events.
    TskSkinComboBox* AddCombo(int rows, int left = 20, int top = 20, int width = 160)
    {
        auto* combo = Add<TskSkinComboBox>("combobox", left, top, width, 20);
        for (int i = 0; i < rows; ++i)
            combo->Items().Add("item " + std::to_string(i));
        combo->OnClick = [this](TComponent*) { ++clicks; };
        combo->OnChange = [this](TComponent*) { ++changes; };
        combo->OnDropDown = [this](TComponent*) { ++drop_downs; };
        combo->OnCloseUp = [this](TComponent*) { ++close_ups; };
        pump();
        return combo;
    }

    void ResetCounts() { clicks = changes = drop_downs = close_ups = 0; }

    static Point Centre(const Rect& r) { return {r.left + r.width() / 2, r.top + r.height() / 2}; }

    // The screen point over row `row` of the open list (it must be visible).
    static Point ListRow(TskSkinComboBox* combo, int row)
    {
        TskPopupListBox& list = combo->ListBox();
        const TskListBox& inner = list.ListBox();
        return inner.ClientToScreen({20, (row - list.TopIndex()) * list.ItemHeight() + list.ItemHeight() / 2});
    }

    void Key(int vk, bool alt = false)
    {
        if (alt)
            backend.key_down(VK_MENU);
        backend.key(vk);
        if (alt)
            backend.key_up(VK_MENU);
        pump();
    }
};

TEST(ComboBoxAreas, ItemAndButtonFollowTheWidth)
{
    TskDataSkinComboBox o("combobox");
    o.skinrect = {184, 140, 244, 161};
    o.righttoppoint = {40, 10};
    o.clientrect = {3, 3, 42, 18};
    o.buttonrect = {44, 2, 58, 19};
    struct Case {
        const TskDataSkinComboBox* object;
        Size size;
        ComboBoxAreas want;
    };
    const std::vector<Case> cases = {
        {&o, {60, 21}, {{3, 3, 42, 18}, {44, 2, 58, 19}}},
        {&o, {160, 21}, {{3, 3, 142, 18}, {144, 2, 158, 19}}},
        {nullptr, {120, 20}, {{2, 2, 101, 18}, {101, 2, 118, 18}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComboAreas(c.object, c.size), c.want) << c.size.width << (c.object ? " skinned" : " plain");

    // A button left of the right end piece stays where it is.
    o.buttonrect = {4, 2, 18, 19};
    EXPECT_EQ(ComboAreas(&o, {160, 21}).button, (Rect{4, 2, 18, 19}));
}

TEST_F(ComboBoxTest, OpeningSizeAndPlace)
{
    struct Case {
        const char* what;
        int rows;
        int drop_down_count;
        int top;
        int list_width; // ListBoxWidth
        bool opens;
        int shown_rows;
        bool above;
    };
    const std::vector<Case> cases = {
        {"a box without rows does not open", 0, 8, 20, 0, false, 0, false},
        {"3 rows, DropDownCount 8: exactly 3 rows high", 3, 8, 20, 0, true, 3, false},
        {"30 rows: DropDownCount rows and a bar", 30, 8, 20, 0, true, 8, false},
        {"DropDownCount 0 is ignored", 30, 0, 20, 0, true, 8, false},
        {"near the bottom of the screen: above the box", 30, 8, 540, 0, true, 8, true},
        {"a wider list", 3, 8, 20, 250, true, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetCounts();
        TskSkinComboBox* combo = AddCombo(c.rows, 20, c.top);
        combo->SetDropDownCount(c.drop_down_count);
        combo->ListBoxWidth = c.list_width;
        ASSERT_EQ(combo->Height(), 21) << "the skin's height";
        backend.click(Centre(combo->BoundsRect()));
        pump();
        EXPECT_EQ(combo->DroppedDown(), c.opens);
        EXPECT_EQ(drop_downs, c.opens ? 1 : 0);
        if (c.opens) {
            TskPopupListBox& list = combo->ListBox();
            EXPECT_TRUE(list.Visible());
            EXPECT_EQ(list.ListBox().Height(), c.shown_rows * 20);
            EXPECT_EQ(list.VScrollBar() != nullptr, c.rows > c.shown_rows);
            EXPECT_EQ(list.Width(), c.list_width > 0 ? c.list_width : combo->Width());
            const Rect box = combo->BoundsRect();
            EXPECT_EQ(list.Left(), box.left);
            EXPECT_EQ(list.Top(), c.above ? box.top - list.Height() : box.bottom);
            // A popup that took neither activation nor the focus.
            EXPECT_TRUE(list.WindowHandle()->is_popup());
            EXPECT_EQ(desktop.active(), form->WindowHandle());
            EXPECT_EQ(desktop.focus(), combo->WindowHandle());
        }
        combo->CloseUp(false);
        delete combo;
    }
}

TEST_F(ComboBoxTest, MouseWhileOpen)
{
    enum Do { Press, Release, Move, Wait, Clear };
    enum Where { Box, Row, AboveList, BelowList, Outside };
    struct Step {
        Do what;
        Where where = Box;
        int value = 0; // a row, or milliseconds
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        bool open;
        int item_index;
        int clicks;
        int close_ups;
    };
    // 30 rows, the current one 2, DropDownCount 8.
    const std::vector<Case> cases = {
        {"press and release on the box: stays open", {{Press}, {Release}}, true, 2, 0, 0},
        {"moving over the rows tracks them", {{Press}, {Release}, {Move, Row, 5}}, true, 5, 0, 0},
        {"then a click on a row accepts it", {{Press}, {Release}, {Move, Row, 5}, {Press, Row, 6}, {Release, Row, 6}},
            false, 6, 1, 1},
        {"press, drag to a row, release: accepted", {{Press}, {Move, Row, 4}, {Release, Row, 4}}, false, 4, 1, 1},
        {"drag through the rows, release elsewhere: no change",
            {{Press}, {Move, Row, 4}, {Move, Outside}, {Release, Outside}}, false, 2, 0, 0},
        {"a click on the box closes without change", {{Press}, {Release}, {Move, Row, 5}, {Press}, {Release}}, false, 2,
            0, 0},
        {"a click elsewhere closes without change",
            {{Press}, {Release}, {Move, Row, 5}, {Press, Outside}, {Release, Outside}}, false, 2, 0, 0},
        {"dragging below the list auto-scrolls every 25 ms",
            {{Press}, {Move, Row, 7}, {Move, BelowList}, {Wait, BelowList, 75}}, true, 10, 0, 0},
        {"and stops when the pointer comes back",
            {{Press}, {Move, Row, 7}, {Move, BelowList}, {Wait, BelowList, 50}, {Move, Row, 8}, {Wait, Row, 100}}, true,
            8, 0, 0},
        {"auto-scroll upwards stops at the first row",
            {{Press}, {Move, Row, 3}, {Move, AboveList}, {Wait, AboveList, 500}}, true, 0, 0, 0},
        {"rows emptied by a handler during auto-scroll: it stops",
            {{Press}, {Move, Row, 7}, {Move, BelowList}, {Clear}, {Wait, BelowList, 75}}, true, -1, 0, 0},
        {"no auto-scroll before the pointer was over the rows", {{Press}, {Move, BelowList}, {Wait, BelowList, 100}},
            true, 2, 0, 0},
        {"a right press on a row is ignored", {{Press}, {Release}, {Press, Row, 5}, {Release, Row, 5}}, true, 5, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TskSkinComboBox* combo = AddCombo(30);
        combo->SetItemIndex(2);
        ResetCounts();
        const Point box = Centre(combo->BoundsRect());
        for (const Step& s : c.steps) {
            TskPopupListBox& list = combo->ListBox();
            Point at = box;
            switch (s.where) {
            case Box:
                break;
            case Row:
                at = ListRow(combo, s.value);
                break;
            case AboveList:
                at = {list.Left() + 20, list.Top() - 5};
                break;
            case BelowList:
                at = {list.Left() + 20, list.Top() + list.Height() + 5};
                break;
            case Outside:
                at = {600, 100};
                break;
            }
            const bool right = std::string(c.what).find("right") != std::string::npos && s.where == Row;
            switch (s.what) {
            case Press:
                backend.mouse_move(at);
                backend.mouse_down(at, right ? MouseButton::Right : MouseButton::Left);
                break;
            case Release:
                backend.mouse_up(at, right ? MouseButton::Right : MouseButton::Left);
                break;
            case Move:
                backend.mouse_move(at);
                break;
            case Wait:
                pump();
                loop.advance(s.value);
                break;
            case Clear:
                combo->Items().Clear();
                break;
            }
            pump();
        }
        EXPECT_EQ(combo->DroppedDown(), c.open);
        EXPECT_EQ(combo->ItemIndex(), c.item_index);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(close_ups, c.close_ups);
        if (!c.open) {
            const Point pointer = desktop.cursor_pos();
            EXPECT_EQ(combo->Hot(), combo->BoundsRect().contains(pointer)) << "hot only under the pointer";
        }
        if (!c.open) {
            EXPECT_EQ(combo->Text(), "item " + std::to_string(c.item_index));
        }
        combo->CloseUp(false);
        backend.mouse_up({600, 100});
        pump();
        delete combo;
    }
}

TEST_F(ComboBoxTest, TheListsScrollBarWorksAndTheBoxKeepsTheMouse)
{
    TskSkinComboBox* combo = AddCombo(30);
    backend.click(Centre(combo->BoundsRect()));
    pump();
    TskSkinScrollBar* bar = combo->ListBox().VScrollBar();
    ASSERT_TRUE(bar);
    const Rect track = bar->PartRect(ScrollBarPart::TrackToMax);
    backend.click(bar->ClientToScreen({8, track.bottom - 2}));
    pump();
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(combo->ListBox().TopIndex(), 8);
    // The box has the mouse again: a click elsewhere closes.
    backend.click({600, 100});
    pump();
    EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(ComboBoxTest, EscapeBringsBackTheRowFromBeforeOpeningWithoutOnClick)
{
    TskSkinComboBox* combo = AddCombo(10);
    combo->SetItemIndex(2);
    ResetCounts();
    backend.click(Centre(combo->BoundsRect()));
    pump();
    backend.mouse_move(ListRow(combo, 6));
    pump();
    ASSERT_EQ(combo->ItemIndex(), 6);
    EXPECT_EQ(combo->Text(), "item 2") << "tracking changes the list only";
    Key(VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "item 2");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(close_ups, 0);
}

TEST_F(ComboBoxTest, Keys)
{
    struct Case {
        const char* what;
        int start;
        bool open_first;
        std::vector<std::pair<int, bool>> keys; // key, with Alt
        int item_index;
        bool open;
        int clicks;
    };
    // 30 rows, DropDownCount 8.
    const std::vector<Case> cases = {
        {"Page Up: DropDownCount + 1 rows up", 20, false, {{VK_PRIOR, false}}, 11, false, 1},
        {"Page Down: DropDownCount - 1 rows down", 20, false, {{VK_NEXT, false}}, 27, false, 1},
        {"Page Up stops at the first row", 3, false, {{VK_PRIOR, false}}, 0, false, 1},
        {"Page Down stops at the last row", 25, false, {{VK_NEXT, false}}, 29, false, 1},
        {"the page keys while open", 20, true, {{VK_PRIOR, false}}, 11, true, 1},
        {"Down and Right", 5, false, {{VK_DOWN, false}, {VK_RIGHT, false}}, 7, false, 2},
        {"Up at the first row stays", 0, false, {{VK_UP, false}}, 0, false, 1},
        {"Alt+Down opens", 5, false, {{VK_DOWN, true}}, 5, true, 0},
        {"Alt+Up closes without change", 5, true, {{VK_DOWN, false}, {VK_UP, true}}, 5, false, 1},
        {"Enter accepts", 5, true, {{VK_DOWN, false}, {VK_RETURN, false}}, 6, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TskSkinComboBox* combo = AddCombo(30);
        combo->SetItemIndex(c.start);
        combo->SetFocus();
        if (c.open_first)
            combo->DropDown();
        pump();
        ResetCounts();
        for (auto [key, alt] : c.keys)
            Key(key, alt);
        EXPECT_EQ(combo->ItemIndex(), c.item_index);
        EXPECT_EQ(combo->DroppedDown(), c.open);
        EXPECT_EQ(clicks, c.clicks);
        delete combo;
    }
}

TEST_F(ComboBoxTest, EnterThatClosesTheListIsNotTheFormsDefaultKey)
{
    TskSkinComboBox* combo = AddCombo(5);
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetBounds(300, 20, 75, 25);
    ok->Default = true;
    int presses = 0;
    ok->OnClick = [&](TComponent*) { ++presses; };
    combo->SetFocus();
    combo->DropDown();
    pump();
    Key(VK_RETURN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(presses, 0);
    Key(VK_RETURN);
    EXPECT_EQ(presses, 1) << "with the list closed Enter is the form's";
}

TEST_F(ComboBoxTest, WheelSelectsThroughItemIndexOnlyWhileClosed)
{
    TskSkinComboBox* combo = AddCombo(10);
    combo->SetItemIndex(4);
    combo->SetFocus();
    pump();
    ResetCounts();
    const Point at = Centre(combo->BoundsRect());
    backend.wheel(at, -WHEEL_DELTA);
    pump();
    EXPECT_EQ(combo->ItemIndex(), 5);
    EXPECT_EQ(clicks, 1);
    backend.wheel(at, WHEEL_DELTA);
    backend.wheel(at, WHEEL_DELTA);
    pump();
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(clicks, 3);

    combo->DropDown();
    pump();
    backend.wheel(at, -WHEEL_DELTA);
    pump();
    EXPECT_EQ(combo->ItemIndex(), 4);
    EXPECT_EQ(clicks, 3) << "open: only the list's row moves";
    EXPECT_EQ(combo->Text(), "item 3");
}

TEST_F(ComboBoxTest, TypeAheadCyclesOnOneLetterAndSearchesFromTheTopOnMore)
{
    TskSkinComboBox* combo = AddCombo(0);
    for (const char* row : {"apple", "banana", "Blueberry", "cherry", "blackberry", "白菜"})
        combo->Items().Add(utf8_to_cp936(row));
    combo->SetFocus();
    pump();
    struct Typed {
        int after_ms;
        const char* utf8;
        int row;
    };
    const std::vector<Typed> typed = {
        {0, "b", 1}, {600, "b", 2}, {600, "B", 4}, {600, "b", 1}, // round again
        {600, "b", 2}, {100, "l", 2},                             // "bl" from the top
        {100, "a", 4},                                            // "bla"
        {600, "白", 5},                                           // a double-byte character is one character
        {600, "x", 5},                                            // no row: nothing changes
    };
    for (const Typed& t : typed) {
        loop.advance(t.after_ms);
        backend.type(t.utf8);
        pump();
        EXPECT_EQ(combo->ItemIndex(), t.row) << t.utf8 << " after " << t.after_ms << " ms";
    }
}

TEST_F(ComboBoxTest, HandlersMayFreeTheBox)
{
    for (const char* event : {"OnClick", "OnCloseUp", "OnChange", "OnDropDown"}) {
        SCOPED_TRACE(event);
        TskSkinComboBox* combo = AddCombo(5);
        bool freed = false;
        auto free_it = [&](TComponent* sender) {
            delete sender;
            freed = true;
        };
        const std::string e = event;
        (e == "OnClick"            ? combo->OnClick
                : e == "OnCloseUp" ? combo->OnCloseUp
                : e == "OnChange"  ? combo->OnChange
                                   : combo->OnDropDown) = free_it;
        backend.mouse_move(Centre(combo->BoundsRect()));
        backend.mouse_down(Centre(combo->BoundsRect()));
        pump();
        if (!freed) {
            backend.mouse_move(ListRow(combo, 3));
            backend.mouse_up(ListRow(combo, 3));
            pump();
        }
        EXPECT_TRUE(freed);
        backend.mouse_up({600, 100});
        pump();
    }
}

TEST_F(ComboBoxTest, LooksOfTheStoredSkin)
{
    const auto& o =
        *dynamic_cast<const TskDataSkinComboBox*>(data->SkinControls[data->FindSkinControl("combobox")].get());
    const Bitmap& pic = Picture(o.pictureindex);
    TskSkinComboBox* combo = AddCombo(12);
    combo->SetItemIndex(1);
    pump();
    const Rect box = combo->BoundsRect();
    const ComboBoxAreas a = combo->Areas();
    auto at = [&](Point p) {
        return test::hex(Shot({box.left + p.x, box.top + p.y, box.left + p.x + 1, box.top + p.y + 1}).pixel(0, 0));
    };
    auto skin = [&](const Rect& r, Point p) { return test::hex(pic.pixel(r.left + p.x, r.top + p.y)); };
    // Resting: the normal frame's own button; the text area shows the frame.
    EXPECT_EQ(
        at({a.button.left + 1, a.button.top + 8}), skin(o.skinrect, {o.buttonrect.left + 1, o.buttonrect.top + 8}));
    // Pointer over the button: its hot look.
    backend.mouse_move({box.left + a.button.left + 5, box.top + a.button.top + 5});
    pump();
    EXPECT_EQ(at({a.button.left + 1, a.button.top + 8}), skin(o.activebuttonrect, {1, 8}));
    // Pressed: the list opens, the button looks down and the frame hot.
    backend.mouse_down({box.left + a.button.left + 5, box.top + a.button.top + 5});
    pump();
    EXPECT_EQ(at({a.button.left + 1, a.button.top + 8}), skin(o.downbuttonrect, {1, 8}));
    EXPECT_EQ(at({1, 10}), skin(o.activeskinrect, {1, 10}));
    // The focused item area: the focused look behind the text, far right of it.
    EXPECT_EQ(at({a.item.right - 4, a.item.top + 7}), skin(o.focusitemrect, {o.focusitemrect.width() - 4, 7}));
    // The open list's current row is drawn selected by the list's rules.
    const auto& lo = *combo->ListBox().ListSkin();
    const TskListBox& inner = combo->ListBox().ListBox();
    const Point row1 = inner.ClientToScreen({inner.Width() - 10, (1 - combo->ListBox().TopIndex()) * 20 + 10});
    const Bitmap screen = desktop.compose_screen();
    EXPECT_EQ(test::hex(screen.pixel(row1.x, row1.y)), skin(lo.activeitemrect, {lo.activeitemrect.width() - 10, 10}));
    backend.snapshot_screen(desktop, "skin_combobox.png");
    backend.mouse_up({600, 100});
    pump();
}

} // namespace
} // namespace lt
