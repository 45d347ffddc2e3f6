// The list box model: selection rules as one table, row operations and
// scrolling.

#include "forms/errors.h"
#include "forms/listbox_model.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace lt {
namespace {

ListBoxModel make_list(int rows, ListSelectMode mode, int client_height = 100, int item_height = 20)
{
    ListBoxModel m;
    m.set_mode(mode);
    m.set_item_height(item_height);
    m.set_client_height(client_height);
    for (int i = 0; i < rows; ++i)
        m.add("row" + std::to_string(i));
    return m;
}

std::string selection_of(const ListBoxModel& m)
{
    std::string s;
    for (int i = 0; i < m.count(); ++i)
        if (m.selected(i))
            s += (s.empty() ? "" : ",") + std::to_string(i);
    return s;
}

// Runs a script of space-separated steps: "c3" click row 3, "C3" Ctrl+click,
// "s3" Shift+click, "S3" Ctrl+Shift+click, "d3" drag to 3, "D3" drag with
// Ctrl, and keys "k:Down", "ks:End" (Shift), "kc:Up" (Ctrl), "kcs:Home".
void run(ListBoxModel& m, const std::string& script)
{
    static const std::map<std::string, int> keys = {{"Up", VK_UP}, {"Down", VK_DOWN}, {"Home", VK_HOME},
        {"End", VK_END}, {"PgUp", VK_PRIOR}, {"PgDn", VK_NEXT}, {"Space", VK_SPACE}, {"Left", VK_LEFT}};
    std::istringstream in(script);
    std::string step;
    while (in >> step) {
        if (step[0] == 'k') {
            size_t colon = step.find(':');
            std::string mods = step.substr(1, colon - 1);
            m.key(keys.at(step.substr(colon + 1)), mods.find('s') != std::string::npos,
                mods.find('c') != std::string::npos);
            continue;
        }
        int row = std::stoi(step.substr(1));
        switch (step[0]) {
        case 'c':
            m.click(row, false, false);
            break;
        case 'C':
            m.click(row, false, true);
            break;
        case 's':
            m.click(row, true, false);
            break;
        case 'S':
            m.click(row, true, true);
            break;
        case 'd':
            m.drag_to(row, false);
            break;
        case 'D':
            m.drag_to(row, true);
            break;
        default:
            FAIL() << "bad step " << step;
        }
    }
}

struct SelectionCase {
    ListSelectMode mode;
    const char* script;
    const char* selected;
    int caret;
    int anchor;
    int top;
};

TEST(ListBoxModel, SelectionRules)
{
    using M = ListSelectMode;
    // Ten rows, five visible (100 px client, 20 px rows).
    const SelectionCase cases[] = {
        {M::Extended, "c3", "3", 3, 3, 0},
        {M::Extended, "c3 c5", "5", 5, 5, 1},
        {M::Extended, "c3 C5", "3,5", 5, 5, 1},
        {M::Extended, "c3 C3", "", 3, 3, 0}, // Ctrl+click on the caret row deselects it
        {M::Extended, "c2 s5", "2,3,4,5", 5, 2, 1},
        {M::Extended, "c5 s2", "2,3,4,5", 2, 5, 1},
        {M::Extended, "c1 C4 s2", "2,3,4", 2, 4, 0},   // Shift+click drops everything outside the range
        {M::Extended, "c1 C4 S6", "1,4,5,6", 6, 4, 2}, // Ctrl+Shift+click keeps the rest
        {M::Extended, "c1 C4 C4 S6", "1", 6, 4, 2},    // ... and gives the range the anchor's state
        {M::Extended, "c3 d5", "3,4,5", 5, 3, 1},
        {M::Extended, "c3 d5 d4", "3,4", 4, 3, 1},
        {M::Extended, "c3 C7 D8", "3,7,8", 8, 7, 4},
        {M::Extended, "c3 c12", "3", 3, 3, 0}, // below the last row: nothing changes
        {M::Extended, "c3 k:Down", "4", 4, 4, 0},
        {M::Extended, "c3 ks:Down ks:Down", "3,4,5", 5, 3, 1},
        {M::Extended, "c3 ks:Up", "2,3", 2, 3, 0},
        {M::Extended, "c3 kc:Down kc:Down", "3", 5, 3, 1}, // Ctrl+arrows move the caret only
        {M::Extended, "c3 kc:Down kc:Down kc:Space", "3,5", 5, 5, 1},
        {M::Extended, "c3 kc:Down kc:Down k:Space", "5", 5, 5, 1},
        {M::Extended, "c3 kc:Down kc:Down ks:Space", "3,4,5", 5, 3, 1},
        {M::Extended, "c1 C7 kcs:End", "1,7,8,9", 9, 7, 5},
        {M::Extended, "c4 k:Home", "0", 0, 0, 0},
        {M::Extended, "c4 ks:End", "4,5,6,7,8,9", 9, 4, 5},
        {M::Extended, "c0 k:PgDn", "4", 4, 4, 0},        // first to the last visible row
        {M::Extended, "c0 k:PgDn k:PgDn", "8", 8, 8, 4}, // then a page further
        {M::Extended, "c9 k:PgUp", "5", 5, 5, 5},
        {M::Extended, "c9 k:PgUp k:PgUp", "1", 1, 1, 1},
        {M::Extended, "c0 k:Up", "0", 0, 0, 0},
        {M::Extended, "k:End k:Left", "8", 8, 8, 5},
        {M::Multiple, "c3 c5", "3,5", 5, 5, 1},
        {M::Multiple, "c3 c3", "", 3, 3, 0},
        {M::Multiple, "c3 k:Down k:Down k:Space", "3,5", 5, 3, 1},
        {M::Single, "c3 s5", "5", 5, 5, 1},
        {M::Single, "c3 k:Down", "4", 4, 4, 0},
        {M::Single, "c3 d6", "6", 6, 6, 2},
    };
    for (const SelectionCase& c : cases) {
        ListBoxModel m = make_list(10, c.mode);
        run(m, c.script);
        SCOPED_TRACE(c.script);
        EXPECT_EQ(selection_of(m), c.selected);
        EXPECT_EQ(m.caret(), c.caret);
        EXPECT_EQ(m.anchor(), c.anchor);
        EXPECT_EQ(m.top_index(), c.top);
    }
}

TEST(ListBoxModel, RowsCarryTheirStateAndErrorsLeaveTheListAlone)
{
    ListBoxModel m = make_list(5, ListSelectMode::Extended);
    run(m, "c1 C3 C4");
    m.erase(0);
    EXPECT_EQ(selection_of(m), "0,2,3");
    EXPECT_EQ(m.caret(), 3);
    m.insert(0, "new");
    EXPECT_EQ(selection_of(m), "1,3,4");
    EXPECT_EQ(m.caret(), 4);
    m.erase(4); // the caret row, which was the last: the caret stays past the end
    EXPECT_EQ(m.caret(), 4);
    EXPECT_EQ(m.item_index(), 4);
    EXPECT_EQ(m.count(), 4);
    m.erase(17); // ignored
    EXPECT_EQ(m.count(), 4);

    auto error_of = [](auto f) -> std::string {
        try {
            f();
        } catch (const EListError& e) {
            return e.what();
        }
        return "(no error)";
    };
    EXPECT_EQ(error_of([&] { m.text(4); }), "List index out of bounds (4)");
    EXPECT_EQ(error_of([&] { m.selected(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(error_of([&] { m.insert(6, "x"); }), "Unable to insert a line");
    EXPECT_EQ(m.count(), 4);

    EXPECT_EQ(m.add("QQ空间"), 4);
    EXPECT_EQ(m.find("qq空间"), 4);
    EXPECT_EQ(m.find("qq空间 "), -1);

    m.clear();
    EXPECT_EQ(m.count(), 0);
    EXPECT_EQ(m.caret(), -1);
    EXPECT_EQ(m.selected_count(), 0);
    EXPECT_TRUE(m.key(VK_DOWN, false, false)); // keys on an empty list do nothing
    m.set_item_index(0);                       // no effect on an empty list
    EXPECT_EQ(m.item_index(), -1);
}

// Removing the selected rows at once ends exactly as erasing them one by
// one from the bottom does: rows, their objects, caret, anchor, top row.
TEST(ListBoxModel, EraseSelectedMatchesErasingRowByRow)
{
    struct Case {
        const char* name;
        const char* script;
        int top; // set after the script
        int removed;
    };
    const Case cases[] = {
        {"none", "c3 C3", 0, 0},
        {"first", "c0", 0, 1},
        {"last, caret left past the end", "c11", 7, 1},
        {"scattered, caret and anchor kept", "c2 C5 C6 C9 kc:Up kc:Up", 7, 4},
        {"range, caret on its first row", "c8 s3", 3, 6},
        {"all", "c0 ks:End", 7, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListBoxModel bulk = make_list(12, ListSelectMode::Extended);
        ListBoxModel single = make_list(12, ListSelectMode::Extended);
        static int objects[12];
        for (ListBoxModel* m : {&bulk, &single}) {
            for (int i = 0; i < 12; ++i)
                m->set_data(i, &objects[i]);
            run(*m, c.script);
            m->set_top_index(c.top);
        }
        for (int i = single.count() - 1; i >= 0; --i)
            if (single.selected(i))
                single.erase(i);
        int notices = 0;
        bulk.OnChanged = [&notices] { ++notices; };

        EXPECT_EQ(bulk.erase_selected(), c.removed);

        EXPECT_EQ(notices, c.removed > 0 ? 1 : 0);
        ASSERT_EQ(bulk.count(), single.count());
        for (int i = 0; i < bulk.count(); ++i) {
            EXPECT_EQ(bulk.text(i), single.text(i)) << i;
            EXPECT_EQ(bulk.data(i), single.data(i)) << i;
            EXPECT_FALSE(bulk.selected(i)) << i;
            EXPECT_EQ(bulk.find(bulk.text(i)), i);
        }
        EXPECT_EQ(bulk.selected_count(), 0);
        EXPECT_EQ(bulk.caret(), single.caret());
        EXPECT_EQ(bulk.anchor(), single.anchor());
        EXPECT_EQ(bulk.top_index(), single.top_index());
    }
}

TEST(ListBoxModel, ScrollRangeAndRowAtPoint)
{
    // A 392-pixel area with 20-pixel rows holds 19 whole rows.
    ListBoxModel m = make_list(19, ListSelectMode::Extended, 392);
    EXPECT_EQ(m.visible_rows(), 19);
    ListScrollRange r = m.scroll_range();
    EXPECT_FALSE(r.page < m.count()) << "all rows fit";
    m.add("row19");
    r = m.scroll_range();
    EXPECT_EQ(r, (ListScrollRange{0, 19, 19, 0}));
    m.set_top_index(5);
    EXPECT_EQ(m.top_index(), 1); // the last page stays full
    EXPECT_EQ(m.row_at(0), 1);
    EXPECT_EQ(m.row_at(379), 19);
    EXPECT_EQ(m.row_at(380), -1); // the strip below the last row
    EXPECT_EQ(m.first_painted(), 1);
    EXPECT_EQ(m.last_painted(), 19);

    ListBoxModel few = make_list(3, ListSelectMode::Extended, 392);
    EXPECT_EQ(few.row_at(59), 2);
    EXPECT_EQ(few.row_at(60), -1);
    EXPECT_EQ(few.row_at(60, false), 3);
    EXPECT_EQ(few.row_at(-1), -1);
    EXPECT_EQ(few.last_painted(), 2);
}

TEST(ListBoxModel, ItemIndexInSingleAndMultipleSelection)
{
    ListBoxModel single = make_list(4, ListSelectMode::Single);
    EXPECT_EQ(single.item_index(), -1);
    single.set_item_index(2);
    EXPECT_EQ(selection_of(single), "2");
    single.set_item_index(-1);
    EXPECT_EQ(single.item_index(), -1);

    ListBoxModel multi = make_list(4, ListSelectMode::Extended);
    EXPECT_EQ(multi.item_index(), 0);
    multi.set_item_index(3);
    EXPECT_EQ(multi.item_index(), 3);
    EXPECT_EQ(selection_of(multi), "");
    multi.set_item_index(9);
    EXPECT_EQ(multi.item_index(), 3);
}

} // namespace
} // namespace lt
