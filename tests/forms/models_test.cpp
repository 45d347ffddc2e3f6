// The framework's models without windows: string lists, docking, menus, and
// the list box and edit control behaviour.

#include "forms/align.h"
#include "forms/edit_model.h"
#include "forms/errors.h"
#include "forms/font.h"
#include "forms/listbox_model.h"
#include "forms/menus.h"
#include "forms/strings.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace lt {
namespace {

template <typename F>
std::string error_of(F f)
{
    try {
        f();
    } catch (const EListError& e) {
        return e.what();
    }
    return "(no error)";
}

// ---- TStrings ----

TEST(StringList, ErrorsNameTheIndexAndLeaveTheListAlone)
{
    TStringList list;
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(error_of([&] { list.Strings(2); }), "List index out of bounds (2)");
    EXPECT_EQ(error_of([&] { list.Strings(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(error_of([&] { list.Delete(5); }), "List index out of bounds (5)");
    EXPECT_EQ(error_of([&] { list.Insert(3, "x"); }), "List index out of bounds (3)");
    EXPECT_EQ(error_of([&] { list.SetObjects(2, nullptr); }), "List index out of bounds (2)");
    EXPECT_EQ(list.Text(), "a\r\nb\r\n");
    list.Insert(2, "c"); // inserting at Count appends
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\n");
}

TEST(StringList, LookupFoldsAsciiLettersOnly)
{
    TStringList list;
    list.Add("QQ空间");
    list.Add("qq空间");
    list.Add("\xBE\x57"); // 網: a trail byte in A-Z
    EXPECT_EQ(list.IndexOf("qq空间"), 0);
    EXPECT_EQ(list.IndexOf("QQ空间 "), -1);
    EXPECT_EQ(list.IndexOf("\xBE\x77"), -1); // the trail must not fold
    EXPECT_EQ(list.IndexOf("\xBE\x57"), 2);
    list.CaseSensitive = true;
    EXPECT_EQ(list.IndexOf("qq空间"), 1);
}

TEST(StringList, BatchedChangesNotifyOnce)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TStrings*) { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Delete(0);
    list.BeginUpdate();
    list.Clear();
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.SetText("x\r\ny\nz");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(2), "z");
}

// ---- TFont ----

TEST(Font, PointsAndPixelsAndOneChangeEventPerChange)
{
    const struct {
        int points;
        int height;
    } sizes[] = {{9, -12}, {8, -11}, {10, -13}, {12, -16}, {14, -19}};
    for (const auto& s : sizes) {
        TFont f;
        f.SetSize(s.points);
        EXPECT_EQ(f.Height(), s.height) << s.points;
        EXPECT_EQ(f.Size(), s.points) << s.height;
    }
    TFont f;
    int changes = 0;
    f.OnChange = [&](TFont*) { ++changes; };
    f.SetName("新宋体");
    f.SetHeight(-12);
    f.SetStyle(fsBold | fsUnderline);
    f.SetStyle(fsBold | fsUnderline); // no change, no event
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(f.Desc().bold);
    EXPECT_TRUE(f.Desc().underline);
    EXPECT_FALSE(f.Desc().italic);
    TFont copy;
    copy.Assign(f);
    EXPECT_EQ(copy.Desc(), f.Desc());
}

// ---- Align ----

struct AlignCase {
    const char* name;
    std::vector<AlignItem> items;
    Bounds area;
    int first;
    std::vector<Bounds> expected;
};

TEST(Align, DocksGroupsInTheFrameworkOrder)
{
    using A = TAlign;
    const std::vector<AlignCase> cases = {
        {"main window: three strips, left group, splitter, client group",
            {{A::alTop, true, {0, 0, 827, 89}}, {A::alTop, true, {0, 89, 827, 72}}, {A::alTop, true, {0, 161, 827, 48}},
                {A::alLeft, true, {0, 209, 409, 420}}, {A::alLeft, true, {409, 209, 10, 420}},
                {A::alClient, true, {419, 209, 408, 420}}},
            {0, 0, 1000, 700}, -1,
            {{0, 0, 1000, 89}, {0, 89, 1000, 72}, {0, 161, 1000, 48}, {0, 209, 409, 491}, {409, 209, 10, 491},
                {419, 209, 581, 491}}},
        {"tops are ordered by Top, not by child order",
            {{A::alTop, true, {0, 50, 10, 20}}, {A::alTop, true, {0, 0, 10, 30}}}, {0, 0, 100, 100}, -1,
            {{0, 30, 100, 20}, {0, 0, 100, 30}}},
        {"bottoms: the lowest edge goes first",
            {{A::alBottom, true, {0, 0, 10, 10}}, {A::alBottom, true, {0, 0, 10, 20}}}, {0, 0, 100, 100}, -1,
            {{0, 70, 100, 10}, {0, 80, 100, 20}}},
        {"rights: the rightmost edge goes first",
            {{A::alRight, true, {80, 0, 20, 5}}, {A::alRight, true, {0, 0, 10, 5}}}, {0, 0, 100, 50}, -1,
            {{80, 0, 20, 50}, {70, 0, 10, 50}}},
        {"top before bottom before left before right before client",
            {{A::alClient, true, {0, 0, 1, 1}}, {A::alRight, true, {0, 0, 10, 1}}, {A::alLeft, true, {0, 0, 20, 1}},
                {A::alBottom, true, {0, 0, 1, 5}}, {A::alTop, true, {0, 0, 1, 7}}, {A::alNone, true, {3, 4, 5, 6}}},
            {0, 0, 100, 100}, -1,
            {{20, 7, 70, 88}, {90, 7, 10, 88}, {0, 7, 20, 88}, {0, 95, 100, 5}, {0, 0, 100, 7}, {3, 4, 5, 6}}},
        {"hidden children take no space", {{A::alTop, false, {0, 0, 10, 30}}, {A::alClient, true, {0, 0, 1, 1}}},
            {0, 0, 100, 100}, -1, {{0, 0, 10, 30}, {0, 0, 100, 100}}},
        {"the child that started the layout wins a tie",
            {{A::alLeft, true, {0, 0, 30, 10}}, {A::alLeft, true, {0, 0, 40, 10}}}, {0, 0, 100, 10}, 1,
            {{40, 0, 30, 10}, {0, 0, 40, 10}}},
        {"strips inside an offset area; a client child of an exhausted area keeps its size",
            {{A::alTop, true, {0, 0, 5, 60}}, {A::alTop, true, {0, 60, 5, 60}}, {A::alClient, true, {0, 0, 7, 8}}},
            {2, 2, 96, 96}, -1, {{2, 2, 96, 60}, {2, 62, 96, 60}, {2, 122, 96, 8}}},
    };
    for (const AlignCase& c : cases)
        EXPECT_EQ(AlignBounds(c.items, c.area, c.first), c.expected) << c.name;
}

// ---- menus ----

TEST(Menus, CaptionsShortcutsAndTree)
{
    EXPECT_EQ(GetHotkey("导出为TXT文件(&O)"), 'O');
    EXPECT_EQ(GetHotkey("&&Save &as"), 'A');
    EXPECT_EQ(GetHotkey("no accelerator&"), 0);
    EXPECT_EQ(StripHotkey("导出为TXT文件(&O)"), "导出为TXT文件(O)");
    EXPECT_EQ(StripHotkey("a&&b"), "a&b");
    EXPECT_EQ(ShortCutToText(ShortCut('O', false, true, false)), "Ctrl+O");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, true, false, false)), "Shift+Del");
    EXPECT_EQ(ShortCutToText(ShortCut(0x74, false, false, false)), "F5");

    TComponent form(nullptr);
    auto* menu = new TPopupMenu(&form);
    auto* a = new TMenuItem(&form);
    auto* sub = new TMenuItem(&form);
    auto* b = new TMenuItem(&form);
    a->Caption = "A";
    sub->Caption = "Sub";
    b->Caption = "B";
    menu->Items()->Add(a);
    menu->Items()->Add(sub);
    sub->Add(b);
    EXPECT_EQ(b->Parent(), sub);
    EXPECT_EQ(sub->MenuIndex(), 1);
    EXPECT_EQ(error_of([&] { sub->Items(1); }), "List index out of bounds (1)");

    int clicks = 0;
    b->OnClick = [&](TMenuItem*) { ++clicks; };
    EXPECT_TRUE(menu->DispatchCommand(b->Command()));
    b->Enabled = false;
    b->Click();
    EXPECT_EQ(clicks, 1);

    // Adding a child again moves it to the end; a bad index leaves the item
    // where it was.
    menu->Items()->Add(a);
    EXPECT_EQ(a->MenuIndex(), 1);
    EXPECT_EQ(error_of([&] { menu->Items()->Insert(5, b); }), "List index out of bounds (5)");
    EXPECT_EQ(b->Parent(), sub);

    // Freeing a submenu frees its children, which leave their owner too.
    int before = form.ComponentCount();
    delete sub;
    EXPECT_EQ(form.ComponentCount(), before - 2);
    EXPECT_EQ(menu->Items()->Count(), 1);
}

TEST(Menus, RadioItemsOfAGroupExcludeEachOther)
{
    TMenuItem root(nullptr);
    auto* x = new TMenuItem(nullptr);
    auto* y = new TMenuItem(nullptr);
    auto* z = new TMenuItem(nullptr);
    for (TMenuItem* m : {x, y, z}) {
        m->RadioItem = true;
        root.Add(m);
    }
    z->GroupIndex = 1;
    x->SetChecked(true);
    z->SetChecked(true);
    y->SetChecked(true);
    EXPECT_FALSE(x->Checked());
    EXPECT_TRUE(y->Checked());
    EXPECT_TRUE(z->Checked());
}

} // namespace
} // namespace lt
