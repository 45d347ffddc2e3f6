// The file list: its geometry in the four views as tables, keys, and the
// look of a selection with and without the focus.

#include <gtest/gtest.h>

#include "platform/messages.h"
#include "skinned/skin_file_list.h"
#include "skinned/skin_scrollbar.h"
#include "tests/skinned/skinned_fixture.h"
#include "tests/skinned/temp_tree.h"

namespace lt {
namespace {

FileListGeometry Make(TViewStyle style, int count, Point scroll = {})
{
    FileListGeometryInput in;
    in.style = style;
    in.view = {300, 200};
    in.count = count;
    in.line_height = 16;
    in.char_width = 7;
    in.header_height = 22;
    in.column_widths = {175, 70, 70, 98};
    in.scroll = scroll;
    return FileListGeometry(in);
}

TEST(FileListGeometry, CellsAndOrderInEachView)
{
    struct Case {
        TViewStyle style;
        Size cell;
        int per_line;
        Rect item5; // ItemRect(5), unscrolled
        Size content;
        std::pair<int, int> visible;
    };
    // Small cells: 16 + 6 + 24 * 7 = 190 wide, 18 high.
    const Case cases[] = {
        {TViewStyle::vsIcon, {76, 74}, 3, Rect::from_xywh(152, 74, 76, 74), {228, 34 * 74}, {0, 9}},
        {TViewStyle::vsSmallIcon, {190, 18}, 1, Rect::from_xywh(0, 90, 190, 18), {190, 100 * 18}, {0, 12}},
        {TViewStyle::vsList, {190, 18}, 11, Rect::from_xywh(0, 90, 190, 18), {10 * 190, 11 * 18}, {0, 22}},
        {TViewStyle::vsReport, {413, 18}, 1, Rect::from_xywh(0, 22 + 90, 413, 18), {413, 100 * 18}, {0, 10}},
    };
    for (const Case& c : cases) {
        const FileListGeometry g = Make(c.style, 100);
        SCOPED_TRACE(static_cast<int>(c.style));
        EXPECT_EQ(g.Cell(), c.cell);
        EXPECT_EQ(g.PerLine(), c.per_line);
        EXPECT_EQ(g.ItemRect(5), c.item5);
        EXPECT_EQ(g.Content(), c.content);
        EXPECT_EQ(g.Visible(), c.visible);
        // Every visible cell's centre maps back to its entry.
        for (int i = g.Visible().first; i < g.Visible().second; ++i) {
            const Rect r = g.ItemRect(i);
            const Point centre{r.left + r.width() / 2, r.top + r.height() / 2};
            if (g.Body().contains(centre)) {
                EXPECT_EQ(g.ItemAt(centre), i);
            }
        }
    }
}

TEST(FileListGeometry, ScrollingShowsOnlyWhatIsInView)
{
    // Details: scrolled down by 10 rows and a half, the first visible row is 10.
    const FileListGeometry report = Make(TViewStyle::vsReport, 100000, {0, 189});
    EXPECT_EQ(report.Visible(), std::make_pair(10, 21));
    EXPECT_EQ(report.ItemAt({10, 22}), 10);
    EXPECT_EQ(report.ItemAt({10, 10}), -1) << "the header is no entry";
    EXPECT_EQ(report.ItemAt({420, 40}), -1) << "right of the columns";
    EXPECT_EQ(report.Clamp({500, 9999999}), (Point{113, 100000 * 18 - 178}));
    // Showing entry 50 scrolls just far enough to bring its bottom in.
    EXPECT_EQ(report.ScrollToShow(50), (Point{0, 51 * 18 - 178}));
    EXPECT_EQ(report.ScrollToShow(3), (Point{0, 3 * 18}));

    // The list view scrolls sideways by columns and never down.
    const FileListGeometry list = Make(TViewStyle::vsList, 100, {380, 0});
    EXPECT_EQ(list.Visible(), std::make_pair(22, 44));
    EXPECT_EQ(list.ItemAt({10, 5}), 22);
    EXPECT_EQ(list.ItemAt({10, 199}), -1) << "below the last row of a column";
    EXPECT_EQ(list.Clamp({0, 50}), (Point{0, 0}));
    EXPECT_EQ(list.ScrollToShow(0), (Point{0, 0}));

    // The header's columns and their edges.
    bool edge = false;
    EXPECT_EQ(report.ColumnAt({100, 5}, &edge), 0);
    EXPECT_FALSE(edge);
    EXPECT_EQ(report.ColumnAt({176, 5}, &edge), 0);
    EXPECT_TRUE(edge);
    EXPECT_EQ(report.ColumnAt({200, 5}, &edge), 1);
    EXPECT_EQ(report.ColumnRect(1), (Rect{175, 0, 245, 22}));
}

TEST(FileListGeometry, KeysStepByTheViewsLines)
{
    struct Case {
        TViewStyle style;
        int from, vk, to;
    };
    const Case cases[] = {
        {TViewStyle::vsIcon, 4, VK_RIGHT, 5},
        {TViewStyle::vsIcon, 4, VK_DOWN, 7},
        {TViewStyle::vsIcon, 1, VK_UP, 1},     // no row above: stays
        {TViewStyle::vsIcon, 98, VK_DOWN, 98}, // no row below: stays
        {TViewStyle::vsList, 4, VK_DOWN, 5},
        {TViewStyle::vsList, 4, VK_RIGHT, 15},
        {TViewStyle::vsList, 95, VK_RIGHT, 99}, // past the end: the last
        {TViewStyle::vsReport, 4, VK_DOWN, 5},
        {TViewStyle::vsReport, 4, VK_NEXT, 12},
        {TViewStyle::vsReport, 4, VK_HOME, 0},
        {TViewStyle::vsReport, 4, VK_END, 99},
        {TViewStyle::vsReport, -1, VK_DOWN, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Make(c.style, 100).Step(c.from, c.vk), c.to) << static_cast<int>(c.style) << " " << c.vk;
    EXPECT_EQ(Make(TViewStyle::vsReport, 0).Step(0, VK_DOWN), -1);
}

struct FileList : test::SkinnedForm {
    test::TempTree tree;
};

TEST_F(FileList, ASelectionStaysVisibleWithoutTheFocusAndBarsComeWithOverflow)
{
    tree.Make({"a.txt", "b.txt"});
    auto* list = Add<TskSkinFileListView>("", 10, 10, 300, 200);
    list->SetFolder(tree.Root());
    list->SelectOnly(1);
    EXPECT_FALSE(list->VScrollBar()->Visible());
    EXPECT_FALSE(list->HScrollBar()->Visible());
    const Rect label = list->Geometry().LabelRect(1);
    const Point probe = list->ClientToScreen({label.left + 1, label.top + 2});
    pump();
    EXPECT_EQ(Shot(list->BoundsRect()).pixel(probe.x - 10, probe.y - 10), to_pixel(clBtnFace));
    list->SetFocus();
    pump();
    EXPECT_EQ(Shot(list->BoundsRect()).pixel(probe.x - 10, probe.y - 10), to_pixel(clHighlight));

    // Forty entries overflow the list view sideways and the details view
    // downwards.
    for (int i = 0; i < 40; ++i)
        tree.Make({"f" + std::to_string(i) + ".txt"});
    list->Refresh();
    EXPECT_TRUE(list->HScrollBar()->Visible());
    EXPECT_FALSE(list->VScrollBar()->Visible());
    EXPECT_EQ(list->Entry(list->Selected()).name, "b.txt") << "Refresh keeps the selection";
    list->SetViewStyle(TViewStyle::vsReport);
    EXPECT_TRUE(list->VScrollBar()->Visible());
    EXPECT_EQ(list->VScrollBar()->Left(), list->Width() - list->VScrollBar()->Width());
    // Moving the bar scrolls the list.
    list->VScrollBar()->SetPosition(90);
    EXPECT_EQ(list->ScrollPos().y, 90);
    EXPECT_EQ(list->Geometry().Visible().first, 5);
}

} // namespace
} // namespace lt
