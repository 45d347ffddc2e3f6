// The plain frame's geometry as tables: the part at a point and the
// rectangle of a part, per border style and window size.

#include "forms/frame_geometry.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace lt {
namespace {

using BS = TFormBorderStyle;

const char* style_name(BS s)
{
    static const char* names[] = {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};
    return names[static_cast<int>(s)];
}

TEST(PlainFrameGeometry, PartAtAPoint)
{
    struct Row {
        BS style;
        Size size;
        Point at;
        int part;
    } rows[] = {
        // Sizeable 300 x 200: border 4, caption 19, close button 279,6 - 294,21.
        {BS::bsSizeable, {300, 200}, {150, 100}, HTCLIENT},
        {BS::bsSizeable, {300, 200}, {4, 23}, HTCLIENT},
        {BS::bsSizeable, {300, 200}, {150, 195}, HTCLIENT},
        {BS::bsSizeable, {300, 200}, {150, 196}, HTBOTTOM},
        {BS::bsSizeable, {300, 200}, {3, 23}, HTLEFT},
        {BS::bsSizeable, {300, 200}, {299, 100}, HTRIGHT},
        {BS::bsSizeable, {300, 200}, {150, 0}, HTTOP},
        {BS::bsSizeable, {300, 200}, {0, 0}, HTTOPLEFT},
        {BS::bsSizeable, {300, 200}, {15, 0}, HTTOPLEFT},
        {BS::bsSizeable, {300, 200}, {16, 0}, HTTOP},
        {BS::bsSizeable, {300, 200}, {0, 15}, HTTOPLEFT},
        {BS::bsSizeable, {300, 200}, {0, 16}, HTLEFT},
        {BS::bsSizeable, {300, 200}, {284, 0}, HTTOPRIGHT},
        {BS::bsSizeable, {300, 200}, {283, 0}, HTTOP},
        {BS::bsSizeable, {300, 200}, {0, 199}, HTBOTTOMLEFT},
        {BS::bsSizeable, {300, 200}, {299, 199}, HTBOTTOMRIGHT},
        {BS::bsSizeable, {300, 200}, {4, 4}, HTCAPTION},
        {BS::bsSizeable, {300, 200}, {150, 10}, HTCAPTION},
        {BS::bsSizeable, {300, 200}, {150, 22}, HTCAPTION},
        {BS::bsSizeable, {300, 200}, {279, 6}, HTCLOSE},
        {BS::bsSizeable, {300, 200}, {293, 20}, HTCLOSE},
        {BS::bsSizeable, {300, 200}, {294, 20}, HTCAPTION},
        {BS::bsSizeable, {300, 200}, {278, 6}, HTCAPTION},
        {BS::bsSizeable, {300, 200}, {300, 100}, HTNOWHERE},
        {BS::bsSizeable, {300, 200}, {-1, 0}, HTNOWHERE},
        // A fixed frame never sizes: its whole border, beside the caption too, is border.
        {BS::bsSingle, {200, 100}, {0, 0}, HTBORDER},
        {BS::bsSingle, {200, 100}, {1, 10}, HTBORDER},
        {BS::bsSingle, {200, 100}, {100, 98}, HTBORDER},
        {BS::bsSingle, {200, 100}, {100, 10}, HTCAPTION},
        {BS::bsDialog, {200, 100}, {190, 10}, HTCLOSE},
        // Tool windows: caption 16, close button 183,5 - 195,17.
        {BS::bsToolWindow, {200, 100}, {190, 10}, HTCLOSE},
        {BS::bsToolWindow, {200, 100}, {100, 18}, HTCAPTION},
        {BS::bsToolWindow, {200, 100}, {100, 19}, HTCLIENT},
        {BS::bsSizeToolWin, {200, 100}, {0, 0}, HTTOPLEFT},
        // No frame: all client.
        {BS::bsNone, {200, 100}, {0, 0}, HTCLIENT},
        {BS::bsNone, {200, 100}, {199, 99}, HTCLIENT},
        // A window too small for its frame has no client; the close button
        // keeps off the border.
        {BS::bsSizeable, {20, 20}, {10, 10}, HTCLOSE},
        {BS::bsSizeable, {20, 20}, {0, 10}, HTTOPLEFT},
        {BS::bsSizeable, {20, 20}, {10, 19}, HTBOTTOMLEFT},
    };
    for (const Row& r : rows) {
        PlainFrameGeometry g(r.style);
        EXPECT_EQ(g.part_at(r.size, r.at), r.part)
            << style_name(r.style) << " " << r.size.width << "x" << r.size.height << " at " << r.at.x << "," << r.at.y;
    }
}

TEST(PlainFrameGeometry, RectangleOfAPart)
{
    struct Row {
        BS style;
        Size size;
        int part;
        Rect rect;
    } rows[] = {
        {BS::bsSizeable, {300, 200}, HTCLIENT, {4, 23, 296, 196}},
        {BS::bsSizeable, {300, 200}, HTCAPTION, {4, 4, 296, 23}},
        {BS::bsSizeable, {300, 200}, HTCLOSE, {279, 6, 294, 21}},
        {BS::bsSizeable, {300, 200}, HTLEFT, {0, 0, 4, 200}},
        {BS::bsSizeable, {300, 200}, HTBOTTOM, {0, 196, 300, 200}},
        {BS::bsSizeable, {300, 200}, HTBOTTOMRIGHT, {284, 184, 300, 200}},
        {BS::bsSizeable, {300, 200}, HTBORDER, {0, 0, 300, 200}},
        {BS::bsSizeable, {300, 200}, HTSYSMENU, {}},
        {BS::bsSingle, {200, 100}, HTCLIENT, {3, 22, 197, 97}},
        {BS::bsSingle, {200, 100}, HTCLOSE, {180, 5, 195, 20}},
        {BS::bsSingle, {200, 100}, HTLEFT, {}},
        {BS::bsToolWindow, {200, 100}, HTCLIENT, {3, 19, 197, 97}},
        {BS::bsToolWindow, {200, 100}, HTCLOSE, {183, 5, 195, 17}},
        {BS::bsNone, {200, 100}, HTCLIENT, {0, 0, 200, 100}},
        {BS::bsNone, {200, 100}, HTCAPTION, {}},
        {BS::bsNone, {200, 100}, HTCLOSE, {}},
        {BS::bsNone, {200, 100}, HTBORDER, {}},
        // Too small: an empty client under the caption, a cut close button.
        {BS::bsSizeable, {20, 20}, HTCLIENT, {4, 23, 16, 23}},
        {BS::bsSizeable, {20, 20}, HTCAPTION, {4, 4, 16, 16}},
        {BS::bsSizeable, {20, 20}, HTCLOSE, {4, 6, 14, 16}},
        {BS::bsSizeable, {6, 6}, HTCAPTION, {}},
        {BS::bsSizeable, {6, 6}, HTCLOSE, {}},
    };
    for (const Row& r : rows) {
        PlainFrameGeometry g(r.style);
        EXPECT_EQ(g.part_rect(r.size, r.part), r.rect)
            << style_name(r.style) << " " << r.size.width << "x" << r.size.height << " part " << r.part;
    }
}

// Every point of the window answers a part whose rectangle holds it, so a
// painter that draws each part in its rectangle draws under the pointer
// exactly the part the hit test reports.
TEST(PlainFrameGeometry, EveryPointLiesInTheRectangleOfItsPart)
{
    const BS styles[] = {BS::bsNone, BS::bsSingle, BS::bsSizeable, BS::bsDialog, BS::bsToolWindow, BS::bsSizeToolWin};
    const Size sizes[] = {{300, 200}, {40, 30}, {20, 20}, {7, 7}, {1, 1}};
    for (BS style : styles) {
        PlainFrameGeometry g(style);
        for (Size size : sizes) {
            for (int y = 0; y < size.height; ++y) {
                for (int x = 0; x < size.width; ++x) {
                    const int part = g.part_at(size, {x, y});
                    ASSERT_TRUE(g.part_rect(size, part).contains(Point{x, y}))
                        << style_name(style) << " " << size.width << "x" << size.height << " at " << x << "," << y
                        << " answers " << part;
                }
            }
        }
    }
}

} // namespace
} // namespace lt
