// The list commands as the user reaches them (context menus, the buttons of
// the middle strip, double-clicks), the two counters on Timer1, and an error
// escaping a handler.

#include "tests/app/app_fixture.h"

#include "app/list_commands.h"
#include "skinned/skin_buttons.h"
#include "skinned/static_controls.h"

#include <functional>

namespace lt::test {
namespace {

struct ListCommands : MainWindow {
    TskSkinListBox* results() const { return w().skSkinListBox1; }
    TskSkinListBox* exports() const { return w().skSkinListBox2; }
    void Select(TskSkinListBox* list, const std::vector<int>& rows)
    {
        for (int r : rows)
            list->SetSelected(r, true);
        pump();
    }
    std::vector<int> Selection(const TskSkinListBox* list) const
    {
        std::vector<int> out;
        for (int i = 0; i < list->Count(); ++i)
            if (list->Selected(i))
                out.push_back(i);
        return out;
    }
};

// Results menu items: N1 0, N5 1, N2 2, N4 3; export menu items: MenuItem2 0,
// N3 1, O1 2 (the export has tests of its own).
TEST_F(ListCommands, EveryCommandByMenuAndButton)
{
    CatchErrors();
    using Rows = std::vector<std::string>;
    struct Case {
        const char* what;
        Rows results;
        std::vector<int> results_selected;
        Rows exports;
        std::vector<int> exports_selected;
        std::function<void(ListCommands&)> command;
        Rows results_after;
        Rows exports_after;
    };
    auto results_menu = [](int item) {
        return [item](ListCommands& t) { t.RunMenuItem(t.results(), t.RowPoint(t.results(), 0), item); };
    };
    auto export_menu = [](int item) {
        return [item](ListCommands& t) { t.RunMenuItem(t.exports(), t.RowPoint(t.exports(), 0), item); };
    };
    auto button = [](TskSkinXFormButton* TForm1::*b) { return [b](ListCommands& t) { t.Click(t.w().*b); }; };
    const Rows five = {"r0", "r1", "r2", "r3", "r4"};
    const Case cases[] = {
        {"copy selected appends the selected rows in order", {"a", "b", "c", "d"}, {3, 1}, {}, {}, results_menu(0),
            {"a", "b", "c", "d"}, {"b", "d"}},
        {"copy selected with nothing selected adds nothing", {"a", "b"}, {}, {"x"}, {}, results_menu(0), {"a", "b"},
            {"x"}},
        {"copy selected skips what the export list holds", {"a", "b", "c", "d"}, {1, 3}, {"B"}, {}, results_menu(0),
            {"a", "b", "c", "d"}, {"B", "d"}},
        {"copy all: QQ空间 and qq空间 are one phrase", {"QQ空间", "qq空间"}, {}, {}, {}, results_menu(1),
            {"QQ空间", "qq空间"}, {"QQ空间"}},
        {"copy all keeps the export rows in their places", {"a", "b", "c"}, {}, {"x", "b"}, {}, results_menu(1),
            {"a", "b", "c"}, {"x", "b", "a", "c"}},
        {"the copy-all button does what the menu item does", {"a", "A", "b"}, {}, {}, {},
            button(&TForm1::skSkinXFormButton4), {"a", "A", "b"}, {"a", "b"}},
        {"delete selected 1, 3 and 4 of five", five, {1, 3, 4}, {}, {}, results_menu(2), {"r0", "r2"}, {}},
        {"delete selected 1 and 3 of five", five, {1, 3}, {}, {}, results_menu(2), {"r0", "r2", "r4"}, {}},
        {"delete selected: only the last row", five, {4}, {}, {}, results_menu(2), {"r0", "r1", "r2", "r3"}, {}},
        {"delete selected with nothing selected", five, {}, {}, {}, results_menu(2), five, {}},
        {"clear the results", five, {2}, {"x"}, {}, results_menu(3), {}, {"x"}},
        {"delete selected in the export list", {"a"}, {}, five, {0, 2}, export_menu(0), {"a"}, {"r1", "r3", "r4"}},
        {"clear the export list by its menu", {"a"}, {}, five, {}, export_menu(1), {"a"}, {}},
        {"clear the export list by its button", {"a"}, {}, five, {}, button(&TForm1::skSkinXFormButton5), {"a"}, {}},
        {"clear both lists", five, {}, five, {}, button(&TForm1::skSkinXFormButton3), {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        results()->Clear();
        exports()->Clear();
        Fill(results(), c.results);
        Fill(exports(), c.exports);
        Select(results(), c.results_selected);
        Select(exports(), c.exports_selected);
        const std::vector<int> selected_before = Selection(results());
        c.command(*this);
        EXPECT_EQ(RowsOf(results()), c.results_after);
        EXPECT_EQ(RowsOf(exports()), c.exports_after);
        if (c.results_after == c.results) {
            EXPECT_EQ(Selection(results()), selected_before) << "the results' selection stays";
        }
        EXPECT_EQ(MenuWindow(), nullptr) << "the menu closed";
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(ListCommands, CopyAllTwiceAddsNothingTheSecondTime)
{
    Fill(results(), {"长尾词", "长尾词挖掘", "SEO长尾词", "seo长尾词"});
    Click(w().skSkinXFormButton4);
    const auto once = RowsOf(exports());
    EXPECT_EQ(once, (std::vector<std::string>{"长尾词", "长尾词挖掘", "SEO长尾词"}));
    RunMenuItem(results(), RowPoint(results(), 0), 1);
    EXPECT_EQ(RowsOf(exports()), once);
}

TEST_F(ListCommands, DeletingSelectedRowsKeepsTheOthersSelection)
{
    Fill(results(), {"r0", "r1", "r2", "r3", "r4", "r5"});
    Select(results(), {1, 4});
    // Only row 1 goes; row 4 keeps its selected state and moves up with it.
    results()->SetSelected(4, false);
    results()->SetSelected(1, true);
    results()->SetSelected(5, true);
    DeleteSelectedRows(*results());
    EXPECT_EQ(RowsOf(results()), (std::vector<std::string>{"r0", "r2", "r3", "r4"}));
    EXPECT_TRUE(Selection(results()).empty());
}

// A double-click acts on the row under the pointer only when that row is
// the caret row; the blank strip, an empty list and a caret left past the
// end do nothing and show no error.
TEST_F(ListCommands, DoubleClicks)
{
    CatchErrors();
    using Rows = std::vector<std::string>;
    struct Case {
        const char* what;
        Rows results, exports;
        std::function<void(ListCommands&)> before; // sets the caret up
        bool on_results;
        int row; // where the double-click lands (past the rows: the blank strip)
        Rows results_after, exports_after;
    };
    auto nothing = [](ListCommands&) {};
    const Case cases[] = {
        {"a results row is added to the export list", {"a", "b", "c"}, {"x"}, nothing, true, 1, {"a", "b", "c"},
            {"x", "b"}},
        {"a results row already exported changes nothing", {"a", "b"}, {"B"}, nothing, true, 1, {"a", "b"}, {"B"}},
        {"the results' blank strip does nothing", {"a", "b"}, {},
            [](ListCommands& t) { t.Click(t.RowPoint(t.results(), 1)); }, true, 8, {"a", "b"}, {}},
        {"an empty results list does nothing", {}, {"x"}, nothing, true, 0, {}, {"x"}},
        {"a results caret left past the end does nothing", {"a", "b", "c"}, {},
            [](ListCommands& t) {
                t.Click(t.RowPoint(t.results(), 2));
                t.RunMenuItem(t.results(), t.RowPoint(t.results(), 2), 2); // deletes row 2
            },
            true, 4, {"a", "b"}, {}},
        {"an export row is removed", {}, {"x", "y", "z"}, nothing, false, 1, {}, {"x", "z"}},
        {"the export list's blank strip removes nothing", {}, {"x", "y"},
            [](ListCommands& t) { t.Click(t.RowPoint(t.exports(), 0)); }, false, 6, {}, {"x", "y"}},
        {"an empty export list does nothing", {}, {}, nothing, false, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        results()->Clear();
        exports()->Clear();
        Fill(results(), c.results);
        Fill(exports(), c.exports);
        c.before(*this);
        loop.advance(1000); // the next clicks start a new double-click
        DoubleClick(RowPoint(c.on_results ? results() : exports(), c.row));
        EXPECT_EQ(RowsOf(results()), c.results_after);
        EXPECT_EQ(RowsOf(exports()), c.exports_after);
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(ListCommands, CountersFollowWithinHalfASecond)
{
    TForm1& f = w();
    loop.advance(500); // a tick boundary
    Fill(results(), {"a", "b", "c"});
    Fill(exports(), {"x"});
    EXPECT_EQ(f.skSkinStdLabel1->Caption(), "(0)");
    loop.advance(499);
    EXPECT_EQ(f.skSkinStdLabel1->Caption(), "(0)") << "no tick yet";
    loop.advance(1);
    EXPECT_EQ(f.skSkinStdLabel1->Caption(), "(3)");
    EXPECT_EQ(f.skSkinStdLabel3->Caption(), "(1)");

    for (int i = 0; i < 125; ++i)
        results()->Items().Add(cp("行") + std::to_string(i));
    loop.advance(500);
    EXPECT_EQ(f.skSkinStdLabel1->Caption(), "(128)");

    loop.advance(200);
    Click(f.skSkinXFormButton3); // 清空全部数据
    loop.advance(300);
    EXPECT_EQ(f.skSkinStdLabel1->Caption(), "(0)");
    EXPECT_EQ(f.skSkinStdLabel3->Caption(), "(0)");
}

// An exception that escapes a handler reaches the standard error box,
// captioned with the application's title; the window goes on with its state.
TEST_F(ListCommands, AnErrorInAHandlerShowsTheErrorBoxAndTheWindowGoesOn)
{
    TForm1& f = w();
    Fill(results(), {"a"});
    // The handlers' own rule keeps them from failing, so one is made to fail
    // here as a handler of any window might.
    f.skSkinXFormButton5->OnClick = [](TComponent*) { throw ListError(7); };

    Window* const main = f.WindowHandle();
    Window* box = nullptr;
    std::string caption;
    std::function<void()> watch = [&] {
        Window* active = desktop.active();
        if (active && active != main) {
            box = active;
            caption = active->text();
            EXPECT_FALSE(main->enabled()) << "modal over the main window";
            backend.key(VK_RETURN);
            return;
        }
        loop.post(watch);
    };
    loop.post(watch);
    Click(f.skSkinXFormButton5);
    pump();
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(utf8(caption), "Norvanta长尾词查询工具");
    EXPECT_FALSE(desktop.is_window(box)) << "Enter closed it";
    EXPECT_TRUE(main->enabled());

    // The window carries on.
    Click(f.skSkinXFormButton4);
    EXPECT_EQ(RowsOf(exports()), (std::vector<std::string>{"a"}));
}

} // namespace
} // namespace lt::test
