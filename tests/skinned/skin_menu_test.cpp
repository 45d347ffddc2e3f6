// Skinned popup menus on the headless desktop with the stored skin: window
// and item geometry, placement near the screen's edges, the keyboard, the
// hover rule and the submenu delay, scrolling windows, closing without a
// command, commands that run after the windows are gone (also one that frees
// the menu's form), the skin messages, pixels of the item looks, the plain
// look, the popup-menu component and the morph blends. Writes skin_menu.png
// (the test's working folder) for eyes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gfx/draw_text.h"
#include "gfx/font.h"
#include "gfx/png.h"
#include "skinned/morph.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_menu_window.h"
#include "tests/gfx/pixels.h"
#include "tests/skinned/skinned_fixture.h"

namespace lt {
namespace {

// The menu host (the frame's menu half), counting what it is told.
class TestFrame : public TskSkinMenuHost {
public:
    TestFrame(TCustomForm* form, TskSkinData* data, std::vector<std::string>& log) : TskSkinMenuHost(form)
    {
        SetSkinData(data);
        OnSkinMenuOpen = [this](TComponent*) { ++opening; };
        OnSkinMenuClose = [this, &log](TComponent*) {
            ++closed;
            log.push_back("frame closed");
        };
    }
    int opening = 0;
    int closed = 0;
};

// A windowed control that logs the skin menu messages and the keys it gets.
class Opener : public TCustomControl {
public:
    Opener(TComponent* owner, std::vector<std::string>& log) : TCustomControl(owner), log_(log) { }
    LResult WndProc(Message& m) override
    {
        if (m.msg == SKM_MENUCLOSED)
            log_.push_back("opener closed");
        else if (m.msg == SKM_MENUCOMMAND)
            log_.push_back("opener command");
        else if (m.msg == WM_KEYDOWN || m.msg == WM_CHAR)
            log_.push_back("key " + std::to_string(m.wparam));
        return TCustomControl::WndProc(m);
    }

private:
    std::vector<std::string>& log_;
};

Point Centre(const Rect& r)
{
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

struct SkinMenuTest : test::SkinnedForm {
    std::vector<std::string> log;
    TestFrame* frame = nullptr;
    Opener* opener = nullptr;
    TMenuItem root{nullptr};

    void SetUp() override
    {
        test::SkinnedForm::SetUp();
        frame = new TestFrame(form, data, log);
        Window* w = form->Handle();
        w->set_proc([this, previous = w->proc()](Window& win, Message& m) -> LResult {
            if (m.msg == SKM_MENUCLOSED)
                log.push_back("form closed");
            return win.call_proc(previous, m);
        });
        opener = new Opener(form, log);
        opener->SetParent(form);
        opener->SetBounds(300, 200, 100, 100);
        opener->SetTabStop(true);
        opener->SetFocus();
        pump();
    }

    TskSkinMenu& menu() { return frame->SkinMenu(); }

    TMenuItem* Add(TMenuItem& parent, const std::string& caption, bool enabled = true)
    {
        auto* item = new TMenuItem(nullptr);
        item->Caption = caption;
        item->Enabled = enabled;
        item->OnClick = [this, caption](TMenuItem*) {
            log.push_back("run " + caption);
            // The command runs with no menu window on the screen.
            for (Window* w : desktop.top_levels())
                if (w->is_popup() && w->visible())
                    log.push_back("a menu window is still shown");
        };
        parent.Add(item);
        return item;
    }

    // &Open, Save (disabled), -, More > (Sub&A, SubB), E&xit.
    void BuildMenu()
    {
        Add(root, "&Open");
        Add(root, "Save", false);
        Add(root, "-");
        TMenuItem* more = Add(root, "More");
        more->OnClick = nullptr;
        Add(*more, "Sub&A");
        Add(*more, "SubB");
        Add(root, "E&xit");
    }

    void Open(Point at = {100, 100}, TskSkinData* with = nullptr)
    {
        menu().Popup(&root, {at.x, at.y, at.x, at.y}, opener, with ? with : data);
        pump();
    }

    TskSkinPopupWindow& Win(int level = 0) { return *menu().Windows(level); }
    Rect ItemOnScreen(int index, int level = 0) { return Win(level).ItemScreenRect(index); }

    // Moves the pointer and lets the tracking timer see it.
    void Point_(Point p)
    {
        backend.mouse_move(p);
        pump();
        loop.advance(TskSkinPopupWindow::kTrackMs);
    }
    void Key(int vk)
    {
        backend.key(vk);
        pump();
    }

    const Bitmap& Image(int level = 0) { return *desktop.image(*Win(level).WindowHandle()); }

    const TskDataSkinMenuItem& MenuItemObject() const
    {
        return dynamic_cast<const TskDataSkinMenuItem&>(
            *data->SkinObjects.at(static_cast<size_t>(data->FindSkinObject("menuitem"))));
    }
};

// ---- geometry ----------------------------------------------------------------

TEST_F(SkinMenuTest, WindowAndItemsTakeTheirSizesFromTheStoredSkin)
{
    const char* captions[] = {"Export selected", "Export all", "Delete selected", "Clear all"};
    for (const char* c : captions)
        Add(root, c);
    Add(root, "-");
    TMenuItem* with_shortcut = Add(root, "Save as text");
    with_shortcut->ShortCut = ShortCut('S', false, true, false);
    Open();
    ASSERT_EQ(menu().WindowCount(), 1);
    TskSkinPopupWindow& w = Win();
    ASSERT_TRUE(w.Skinned());

    // The popup picture is 48 x 48 with its items rectangle at 3,3,45,45: a
    // three-pixel frame on every side.
    const Size size = w.WindowSize();
    EXPECT_EQ(w.ItemsRect(), (Rect{3, 3, size.width - 3, size.height - 3}));
    EXPECT_EQ(size.height, 5 * 22 + 7 + 6) << "five items of 22, a divider of 7, the frame";
    for (int i = 0; i < w.ItemCount(); ++i) {
        const Rect r = w.Items(i).ItemRect;
        EXPECT_EQ(r.left, 3);
        EXPECT_EQ(r.width(), size.width - 6);
        EXPECT_EQ(r.height(), w.Items(i).IsLine() ? 7 : 22) << i;
        if (!w.Items(i).IsLine()) {
            EXPECT_EQ(w.CaptionRect(i).left - r.left, 23) << "caption of item " << i;
        }
    }

    // Width: the widest caption (+2), the image column (19), room for the
    // arrow (19), the item picture's margins (23 left, 5 right), the frame (6).
    FontDesc font;
    font.name = MenuItemObject().fontname;
    font.height = MenuItemObject().fontheight;
    const FontPtr f = Font::get(font);
    int widest = 0;
    for (int i = 0; i < root.Count(); ++i) {
        if (root.Items(i)->IsLine())
            continue;
        std::string text = root.Items(i)->Caption;
        if (root.Items(i)->ShortCut)
            text += "  " + ShortCutToText(root.Items(i)->ShortCut);
        widest = std::max(widest, layout_text(*f, text, Rect{}, DT_SINGLELINE | DT_CALCRECT).calc_rect.width() + 2);
    }
    EXPECT_EQ(size.width, widest + 19 + 19 + 23 + 5 + 6);

    // An item limit makes a window of that many items with scroll bands.
    menu().CloseAll();
    menu().MaxItemsInWindow = 3;
    Open();
    EXPECT_TRUE(Win().Scrolling());
    EXPECT_TRUE(Win().FixedCount());
    EXPECT_EQ(Win().WindowSize().height, 3 * 22 + 6 + 20);
    EXPECT_EQ(Win().VisibleCount(), 3);
    EXPECT_EQ(Win().Items(0).ItemRect.top, 3 + 10);
}

TEST_F(SkinMenuTest, PlacementKeepsEveryWindowInsideTheWorkArea)
{
    const Rect work{0, 0, 800, 560}; // a task bar below
    const Size small{120, 100}, tall{120, 320};
    struct Case {
        const char* what;
        Size size;
        Rect anchor;
        bool submenu, upward, taller_than_work;
        Point expected;
    };
    const Case cases[] = {
        {"room below: at the point", small, {100, 100, 100, 100}, false, false, false, {100, 100}},
        {"near the right edge: moved left", small, {750, 100, 750, 100}, false, false, false, {680, 100}},
        {"left of the work area: moved right", small, {-20, 100, -20, 100}, false, false, false, {0, 100}},
        {"near the bottom, lower half: above the point", small, {300, 500, 300, 500}, false, false, false, {300, 400}},
        {"no room below, upper half: pushed up, one pixel right of the point", tall, {300, 270, 300, 270}, false, false,
            false, {301, 240}},
        {"pushed up near the right edge: left of the point", tall, {750, 270, 750, 270}, false, false, false,
            {629, 240}},
        {"lower half, no room above either: at the top, beside the point", {120, 520}, {300, 500, 300, 500}, false,
            false, false, {301, 0}},
        {"a button's rectangle: below it", small, {10, 30, 40, 50}, false, false, false, {10, 50}},
        {"upward with room above: above the button", small, {10, 300, 40, 320}, false, true, false, {10, 200}},
        {"upward, no room above, upper half: below", small, {10, 40, 40, 60}, false, true, false, {10, 60}},
        {"upward, no room above or below, upper half: ends at the bottom", {120, 540}, {10, 40, 40, 60}, false, true,
            false, {41, 20}},
        {"upward in the lower half without room above: at the top", tall, {10, 300, 40, 320}, false, true, false,
            {41, 0}},
        {"submenu: right of its item, first item level with it", small, {200, 100, 300, 122}, true, false, false,
            {301, 97}},
        {"submenu at the right edge: left of its item", small, {600, 100, 700, 122}, true, false, false, {479, 97}},
        {"submenu near the bottom, lower half: ends level with its item", small, {200, 500, 300, 522}, true, false,
            false, {301, 425}},
        {"submenu too low, upper half: ends at the bottom", tall, {200, 250, 300, 272}, true, false, false, {301, 240}},
        {"taller than the work area: from the top, beside", small, {100, 300, 100, 300}, false, false, true, {101, 0}},
    };
    for (const Case& c : cases) {
        const MenuPlacement p{c.size, c.anchor, work, c.submenu, c.upward, 3, c.taller_than_work};
        EXPECT_EQ(PlaceMenuWindow(p), c.expected) << c.what;
    }
}

TEST_F(SkinMenuTest, AMenuOpenedNearTheBottomOfTheScreenOpensAboveThePoint)
{
    BuildMenu();
    backend.set_work_area({0, 0, 800, 560});
    Open({200, 540});
    const Rect r = Win().WindowHandle()->bounds();
    EXPECT_EQ(r.bottom, 540);
    EXPECT_EQ(r.left, 200);

    // Taller than everything below a point in the upper half: pushed up to
    // end at the work area's bottom, one pixel right of the pointer.
    menu().CloseAll();
    root.Clear();
    for (int i = 0; i < 20; ++i)
        Add(root, "Item " + std::to_string(i));
    Open({200, 250});
    const Rect tall = Win().WindowHandle()->bounds();
    EXPECT_EQ(tall.bottom, 560);
    EXPECT_EQ(tall.left, 201);

    // The frame's system-menu button asks for upward opening.
    menu().CloseAll();
    root.Clear();
    BuildMenu();
    menu().Popup(&root, {20, 300, 41, 321}, nullptr, data, true);
    pump();
    const Rect up = Win().WindowHandle()->bounds();
    EXPECT_EQ(up.bottom, 300);
    EXPECT_EQ(up.left, 20);
}

TEST_F(SkinMenuTest, ArrowKeysScrollAWindowWithAnItemLimit)
{
    for (int i = 0; i < 7; ++i)
        Add(root, "Item " + std::to_string(i));
    menu().MaxItemsInWindow = 3;
    Open();
    TskSkinPopupWindow& w = Win();
    struct Step {
        int key;
        int active, first;
    };
    const Step steps[] = {
        {VK_DOWN, 1, 0},
        {VK_DOWN, 2, 0},
        {VK_DOWN, 3, 1}, // one item at a time
        {VK_DOWN, 4, 2},
        {VK_UP, 3, 2},
        {VK_UP, 2, 2},
        {VK_UP, 1, 1},
        {VK_UP, 0, 0},
        {VK_UP, 6, 4}, // wrapping jumps to the other end
        {VK_DOWN, 0, 0},
    };
    for (const Step& s : steps) {
        Key(s.key);
        EXPECT_EQ(w.ActiveIndex(), s.active);
        EXPECT_EQ(w.FirstVisible(), s.first) << "active " << s.active;
        EXPECT_TRUE(w.Items(s.active).Visible);
    }
}

TEST_F(SkinMenuTest, AMenuTallerThanTheWorkAreaScrollsFromItsTop)
{
    for (int i = 0; i < 40; ++i)
        Add(root, "Item " + std::to_string(i));
    Open({100, 100});
    TskSkinPopupWindow& w = Win();
    EXPECT_TRUE(w.Scrolling());
    EXPECT_FALSE(w.FixedCount());
    EXPECT_EQ(w.WindowHandle()->bounds(), Rect::from_xywh(101, 0, w.WindowSize().width, 600));
    const int shown = w.VisibleCount();
    EXPECT_EQ(shown, (600 - 6 - 20) / 22);

    // The bottom band scrolls one item per 100 ms until the end; leaving the
    // band stops it.
    Point_(Centre(w.BottomMarker().offset(101, 0)));
    EXPECT_EQ(w.ScrollDirection(), 2);
    loop.advance(300);
    EXPECT_EQ(w.FirstVisible(), 3);
    Point_(Centre(ItemOnScreen(w.FirstVisible() + 5)));
    EXPECT_EQ(w.ScrollDirection(), 0);
    loop.advance(300);
    EXPECT_EQ(w.FirstVisible(), 3);
    Point_(Centre(w.BottomMarker().offset(101, 0)));
    loop.advance(100 * 40);
    EXPECT_EQ(w.FirstVisible(), 40 - shown);
    EXPECT_EQ(w.ScrollDirection(), 0) << "stops at the end";
    EXPECT_TRUE(w.Items(39).Visible);
}

// ---- the keyboard ------------------------------------------------------------

TEST_F(SkinMenuTest, KeyboardNavigation)
{
    struct Case {
        std::vector<int> keys;
        int windows;     // open after the keys
        int active;      // the last window's active item
        const char* ran; // the command that ran, "" for none
    };
    const Case cases[] = {
        {{}, 1, 0, ""}, // the first enabled item is highlighted at once
        {{VK_RETURN}, 0, -1, "&Open"},
        {{VK_DOWN}, 1, 3, ""}, // past the disabled item and the divider
        {{VK_DOWN, VK_DOWN}, 1, 4, ""},
        {{VK_DOWN, VK_DOWN, VK_DOWN}, 1, 0, ""}, // wraps at the end
        {{VK_UP}, 1, 4, ""},                     // and at the start
        {{VK_DOWN, VK_RIGHT}, 2, 0, ""},         // Right opens the submenu
        {{VK_DOWN, VK_RETURN}, 2, 0, ""},        // so does Enter on it
        {{VK_RIGHT}, 1, 0, ""},                  // no submenu there
        {{VK_DOWN, VK_RIGHT, VK_LEFT}, 1, 3, ""},
        {{VK_DOWN, VK_RIGHT, VK_ESCAPE}, 1, 3, ""},
        {{VK_LEFT}, 1, 0, ""}, // Left never closes the top window
        {{VK_ESCAPE}, 0, -1, ""},
        {{'X'}, 0, -1, "E&xit"},
        {{'S'}, 1, 0, ""}, // no accelerator
        {{VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, 0, -1, "SubB"},
        {{VK_DOWN, VK_RIGHT, 'A'}, 0, -1, "Sub&A"},
    };
    BuildMenu();
    for (const Case& c : cases) {
        std::string keys;
        for (int k : c.keys)
            keys += std::to_string(k) + " ";
        SCOPED_TRACE("keys " + keys);
        log.clear();
        Open();
        for (int k : c.keys)
            Key(k);
        pump();
        ASSERT_EQ(menu().WindowCount(), c.windows);
        if (c.windows > 0) {
            EXPECT_EQ(Win(c.windows - 1).ActiveIndex(), c.active);
        }
        const bool ran = std::find(log.begin(), log.end(), std::string("run ") + c.ran) != log.end();
        EXPECT_EQ(ran, *c.ran != 0);
        EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.rfind("run", 0) == 0; }),
            *c.ran ? 1 : 0);
        EXPECT_EQ(std::count(log.begin(), log.end(), "a menu window is still shown"), 0);
        // The focused control saw none of the keys.
        EXPECT_EQ(
            std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.rfind("key", 0) == 0; }), 0);
        menu().CloseAll();
        pump();
    }
}

TEST_F(SkinMenuTest, TheTextOfAKeyTheMenuTookReachesNoControl)
{
    BuildMenu();
    Open();
    backend.key_down('X');
    backend.type("x");
    backend.key_up('X');
    pump();
    backend.type("y");
    pump();
    const std::vector<std::string> expected{
        "opener closed", "form closed", "frame closed", "run E&xit", "opener command", "key 121"};
    EXPECT_EQ(log, expected);
}

// ---- the pointer -------------------------------------------------------------

TEST_F(SkinMenuTest, HoverHighlightsEnabledItemsOnly)
{
    BuildMenu();
    Open();
    TskSkinPopupWindow& w = Win();
    ASSERT_TRUE(w.Items(0).Active);
    ASSERT_TRUE(w.Items(0).KeyboardSelected);

    Point_(Centre(ItemOnScreen(4)));
    EXPECT_EQ(w.ActiveIndex(), 4);
    EXPECT_FALSE(w.Items(0).Active);
    EXPECT_TRUE(w.Items(4).Active);
    EXPECT_FALSE(w.Items(4).KeyboardSelected);

    // Over a disabled item or a divider: that item is the active one, but
    // nothing is highlighted.
    Point_(Centre(ItemOnScreen(1)));
    EXPECT_EQ(w.ActiveIndex(), 1);
    EXPECT_EQ(w.PreviousIndex(), 4);
    for (int i = 0; i < w.ItemCount(); ++i)
        EXPECT_FALSE(w.Items(i).Active) << i;
    Point_(Centre(ItemOnScreen(2)));
    EXPECT_FALSE(w.Items(2).Active);

    // Over the frame, off every item: the active item stays.
    Point_(Centre(ItemOnScreen(4)));
    const Rect frame = w.WindowHandle()->bounds();
    Point_({frame.left + 1, frame.top + 1});
    EXPECT_EQ(w.ActiveIndex(), 4);
    EXPECT_TRUE(w.Items(4).Active);

    // A press and release on a disabled item does nothing and the menu stays.
    backend.click(Centre(ItemOnScreen(1)));
    pump();
    loop.advance(1000);
    EXPECT_EQ(menu().WindowCount(), 1);
    EXPECT_TRUE(log.empty());

    // The pointer resting still does not re-run the rule.
    Key(VK_UP);
    EXPECT_EQ(w.ActiveIndex(), 0);
    loop.advance(500);
    EXPECT_EQ(w.ActiveIndex(), 0);
}

TEST_F(SkinMenuTest, ASubmenuOpensHalfASecondAfterItsItemIsHighlighted)
{
    BuildMenu();
    Open();
    Point_(Centre(ItemOnScreen(3)));
    loop.advance(TskSkinPopupWindow::kSubmenuMs - 60);
    EXPECT_EQ(menu().WindowCount(), 1);
    loop.advance(60);
    ASSERT_EQ(menu().WindowCount(), 2);
    EXPECT_TRUE(Win(0).Items(3).Down);
    // Beside its item, its first item level with it.
    EXPECT_EQ(ItemOnScreen(0, 1).top, ItemOnScreen(3).top);
    EXPECT_EQ(Win(1).WindowHandle()->bounds().left, ItemOnScreen(3).right + 1);

    // Moving into the submenu keeps it; another item of the parent closes it.
    Point_(Centre(ItemOnScreen(1, 1)));
    EXPECT_EQ(Win(1).ActiveIndex(), 1);
    EXPECT_EQ(menu().WindowCount(), 2);
    Point_(Centre(ItemOnScreen(4)));
    EXPECT_EQ(menu().WindowCount(), 1);
    EXPECT_FALSE(Win(0).Items(3).Down);

    // Leaving the item before the delay is over cancels it.
    Point_(Centre(ItemOnScreen(3)));
    loop.advance(200);
    Point_(Centre(ItemOnScreen(0)));
    loop.advance(1000);
    EXPECT_EQ(menu().WindowCount(), 1);

    // A click opens it at once and runs the item's own OnClick first.
    root.Items(3)->OnClick = [&](TMenuItem*) { log.push_back("run More"); };
    backend.click(Centre(ItemOnScreen(3)));
    pump();
    EXPECT_EQ(menu().WindowCount(), 2);
    EXPECT_EQ(log, std::vector<std::string>{"run More"});

    // Releasing over a submenu item runs it.
    log.clear();
    backend.click(Centre(ItemOnScreen(1, 1)));
    pump();
    EXPECT_EQ(menu().WindowCount(), 0);
    const std::vector<std::string> expected{
        "opener closed", "form closed", "frame closed", "run SubB", "opener command"};
    EXPECT_EQ(log, expected);
}

// ---- closing and commands ----------------------------------------------------

TEST_F(SkinMenuTest, AClickAnywhereInTheFormClosesTheMenuWithoutACommand)
{
    BuildMenu();
    struct Where {
        const char* what;
        Point at;
    };
    const Where places[] = {
        {"the form", {20, 300}},
        {"a control of the form", {350, 250}},
    };
    for (const Where& p : places) {
        SCOPED_TRACE(p.what);
        log.clear();
        Open({100, 20});
        for (MouseButton b : {MouseButton::Left, MouseButton::Right}) {
            if (!menu().Visible())
                Open({100, 20});
            backend.mouse_move(p.at);
            backend.mouse_down(p.at, b);
            pump();
            EXPECT_EQ(menu().WindowCount(), 0);
            EXPECT_FALSE(menu().Visible());
            backend.mouse_up(p.at, b);
            pump();
            loop.advance(1000);
        }
        EXPECT_EQ(std::count(log.begin(), log.end(), "opener command"), 0);
        EXPECT_EQ(std::count(log.begin(), log.end(), "opener closed"), 2);
        EXPECT_EQ(std::count(log.begin(), log.end(), "form closed"), 2);
        for (const std::string& s : log)
            EXPECT_NE(s.rfind("run", 0), 0u) << s;
    }
    // Moving the form closes it too.
    Open();
    form->SetBounds(10, 10, 420, 320);
    EXPECT_FALSE(menu().Visible());
}

TEST_F(SkinMenuTest, TheCommandRunsAfterTheWindowsAreGoneAndMayFreeTheForm)
{
    BuildMenu();
    Open();
    const Rect exit_item = ItemOnScreen(4);
    backend.click(Centre(exit_item));
    pump();
    const std::vector<std::string> expected{
        "opener closed", "form closed", "frame closed", "run E&xit", "opener command"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(frame->opening, 0) << "Popup of the menu object itself does not tell the frame";
    EXPECT_EQ(frame->closed, 1);

    // A handler that frees the form frees the frame, its menu object and the
    // opener while the loop still holds the command: nothing touches them.
    log.clear();
    Open();
    bool ran = false;
    root.Items(0)->OnClick = [&](TMenuItem*) {
        ran = true;
        delete form;
        form = nullptr;
    };
    Key(VK_RETURN);
    loop.advance(100);
    EXPECT_TRUE(ran);
    const std::vector<std::string> closed{"opener closed", "form closed", "frame closed"};
    EXPECT_EQ(log, closed);
}

TEST_F(SkinMenuTest, AMenuWhoseOnMenuCloseFreesTheFormCloses)
{
    BuildMenu();
    Open();
    menu().OnMenuClose = [&](TComponent*) {
        log.push_back("on close");
        delete form;
        form = nullptr;
    };
    backend.click(Centre(ItemOnScreen(0)));
    pump();
    loop.advance(100);
    const std::vector<std::string> expected{"opener closed", "on close", "run &Open"};
    EXPECT_EQ(log, expected);
}

TEST_F(SkinMenuTest, FreeingAShownItemClosesTheMenu)
{
    BuildMenu();
    Open();
    Key(VK_DOWN);
    Key(VK_RIGHT);
    ASSERT_EQ(menu().WindowCount(), 2);
    delete root.Items(3)->Items(1);
    EXPECT_FALSE(menu().Visible());
    pump();
    loop.advance(100);
}

// ---- pixels --------------------------------------------------------------------

TEST_F(SkinMenuTest, ItemsLookLikeTheSkinPictures)
{
    BuildMenu();
    root.Items(4)->SetChecked(true);
    TMenuItem* radio = Add(root, "Radio");
    radio->RadioItem = true;
    radio->SetChecked(true);
    Open();
    Key(VK_DOWN);
    Key(VK_DOWN); // Exit (checked) is highlighted
    pump();
    const Bitmap& img = Image();
    const Bitmap& items = Picture(3);
    const Bitmap& frame_pic = Picture(2);
    TskSkinPopupWindow& w = Win();
    auto at = [&](int i, int x, int y) {
        const Rect r = w.Items(i).ItemRect;
        return img.pixel(r.left + x, r.top + y);
    };
    // The window's corner is the popup picture's corner.
    EXPECT_EQ(img.pixel(0, 0), frame_pic.pixel(0, 0));
    EXPECT_EQ(img.pixel(1, 1), frame_pic.pixel(1, 1));
    // The item's left end is copied 1:1 (itemleftoffset 25): the normal
    // look for an item that is not highlighted, the active look for Exit.
    for (Point p : {Point{1, 1}, Point{20, 2}, Point{10, 20}}) {
        EXPECT_EQ(at(0, p.x, p.y), items.pixel(2 + p.x, 2 + p.y)) << p.x << "," << p.y;
        if (p.x < 3 || p.y < 3 || p.y >= 19) {
            EXPECT_EQ(at(4, p.x, p.y), items.pixel(2 + p.x, 25 + p.y)) << p.x << "," << p.y;
        }
    }
    // So is the right end (itemrightoffset 5).
    const int mid = w.Items(0).ItemRect.width() - 3;
    EXPECT_EQ(at(0, mid, 1), items.pixel(2 + 89 - 3, 2 + 1));
    EXPECT_EQ(at(4, mid, 1), items.pixel(2 + 89 - 3, 25 + 1));
    // The divider: its left end and the line in its middle.
    for (Point p : {Point{2, 3}, Point{30, 3}, Point{30, 4}})
        EXPECT_EQ(at(2, p.x, p.y), items.pixel(2 + p.x, 48 + p.y)) << p.x << "," << p.y;
    // The highlighted check mark and the normal radio mark, in the image
    // rectangle 3,3,19,19, drawn where the mark is not its background.
    const Rect check{112, 3, 128, 19}, dot{94, 21, 110, 37};
    const Pixel check_key = items.pixel(check.left, check.bottom - 1);
    const Pixel dot_key = items.pixel(dot.left, dot.bottom - 1);
    int marked = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const Pixel c = items.pixel(check.left + x, check.top + y);
            if (c != check_key) {
                EXPECT_EQ(at(4, 3 + x, 3 + y), c) << "check " << x << "," << y;
                ++marked;
            }
            const Pixel d = items.pixel(dot.left + x, dot.top + y);
            if (d != dot_key) {
                EXPECT_EQ(at(5, 3 + x, 3 + y), d) << "dot " << x << "," << y;
            }
        }
    }
    EXPECT_GT(marked, 10);
    // Captions are drawn in the item's font colours: some pixel of the
    // highlighted caption's cell is near the active font colour.
    auto has_ink = [&](int i, Color color) {
        const Rect cell = w.CaptionRect(i);
        const Pixel want = to_pixel(color);
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                if (img.pixel(x, y) == want)
                    return true;
        return false;
    };
    EXPECT_TRUE(has_ink(4, MenuItemObject().activefontcolor));
    EXPECT_TRUE(has_ink(0, MenuItemObject().fontcolor));
    EXPECT_TRUE(has_ink(1, MenuItemObject().unenabledfontcolor));
}

TEST_F(SkinMenuTest, WithEffectsAHighlightFadesAndAnimatesOnTheWindowTimer)
{
    // The stored skin uses no effects: switch them on in its menu-item object.
    auto& mi = const_cast<TskDataSkinMenuItem&>(MenuItemObject());
    mi.morphing = true;
    mi.morphkind = mkDefault;
    BuildMenu();
    Open();
    TskSkinPopupWindow& w = Win();
    const Bitmap& items = Picture(3);
    auto left_pixel = [&](int i) {
        const Rect r = Win().Items(i).ItemRect;
        return Image().pixel(r.left + 1, r.top + 1);
    };
    const Pixel normal = items.pixel(3, 3), active = items.pixel(3, 26);
    ASSERT_NE(normal, active);
    EXPECT_EQ(left_pixel(0), normal) << "the first highlight starts from the normal look";
    loop.advance(40);
    EXPECT_DOUBLE_EQ(w.Items(0).Morph, 0.4);
    Bitmap half_normal(1, 1, normal), half_active(1, 1, active);
    MorphBlend(half_normal, half_active, 0.4, mkDefault);
    EXPECT_EQ(left_pixel(0), half_normal.pixel(0, 0));
    loop.advance(100);
    EXPECT_EQ(w.Items(0).Morph, 1.0);
    EXPECT_EQ(left_pixel(0), active);
    Key(VK_DOWN);
    loop.advance(100);
    EXPECT_EQ(w.Items(0).Morph, 0.0);
    EXPECT_EQ(w.Items(3).Morph, 1.0);
    EXPECT_EQ(left_pixel(0), normal);
    menu().CloseAll();

    // A two-frame strip runs forward on highlighting, one frame per
    // animateinterval, then leaves the highlighted look.
    mi.morphing = false;
    mi.animateskinrect = {2, 2, 91, 47}; // the normal and the active look, one above the other
    mi.framecount = 2;
    mi.animateinterval = 30;
    Open();
    EXPECT_EQ(Win().Items(0).Frame, 1);
    EXPECT_EQ(left_pixel(0), normal);
    loop.advance(30);
    EXPECT_EQ(Win().Items(0).Frame, 2);
    loop.advance(30);
    EXPECT_EQ(Win().Items(0).Frame, 0);
    EXPECT_EQ(left_pixel(0), active);
    // Without EnableSkinEffects nothing runs.
    menu().CloseAll();
    data->EnableSkinEffects = false;
    Open();
    EXPECT_EQ(Win().Items(0).Frame, 0);
}

TEST_F(SkinMenuTest, WithoutASkinTheMenuHasThePlainLook)
{
    BuildMenu();
    TskSkinData* none = nullptr;
    menu().Popup(&root, {100, 100, 100, 100}, opener, none);
    pump();
    TskSkinPopupWindow& w = Win();
    ASSERT_FALSE(w.Skinned());
    EXPECT_EQ(w.WindowSize().height, 4 * 20 + 4 + 4);
    EXPECT_EQ(w.ItemsRect(), (Rect{2, 2, w.WindowSize().width - 2, w.WindowSize().height - 2}));
    EXPECT_EQ(w.CaptionRect(0).left - w.Items(0).ItemRect.left, 21);
    const Bitmap& img = Image();
    const Rect first = w.Items(0).ItemRect;
    EXPECT_EQ(img.pixel(first.left, first.top), to_pixel(rgb(0, 0, 128)));
    EXPECT_EQ(img.pixel(first.left + 1, first.top + 1), to_pixel(rgb(182, 189, 210)));
    const Rect line = w.Items(2).ItemRect;
    EXPECT_EQ(img.pixel(line.left + 30, line.top + 2), to_pixel(clBtnShadow));
    EXPECT_EQ(img.pixel(line.left + 5, line.top + 2), to_pixel(clBtnFace));
    EXPECT_EQ(img.pixel(0, 0), to_pixel(clBtnShadow));
}

// Writes a picture of an open menu with a submenu, checks, a radio item, a
// disabled item and shortcuts, for eyes.
TEST_F(SkinMenuTest, PictureOfAnOpenMenu)
{
    TMenuItem* open = Add(root, "&Open");
    open->ShortCut = ShortCut('O', false, true, false);
    open->Default = true;
    Add(root, "Save", false)->ShortCut = ShortCut('S', false, true, false);
    Add(root, "-");
    TMenuItem* view = Add(root, "&View");
    for (const char* c : {"&Icons", "&List", "&Details"}) {
        TMenuItem* r = Add(*view, c);
        r->RadioItem = true;
    }
    view->Items(1)->SetChecked(true);
    Add(root, "Show &hidden")->SetChecked(true);
    Add(root, "-");
    Add(root, "E&xit")->ShortCut = ShortCut(VK_F4, false, false, true);
    Open({40, 40});
    Key(VK_DOWN);
    Key(VK_RIGHT);
    pump();
    Bitmap shot = desktop.compose_screen(make_pixel(90, 110, 140)).copy({0, 0, 400, 260});
    save_png_file("skin_menu.png", shot);
    EXPECT_EQ(menu().WindowCount(), 2);
}

// ---- the popup-menu component --------------------------------------------------

TEST_F(SkinMenuTest, PopupMenuShowsThroughTheFrameOfItsForm)
{
    auto* popup = new TskSkinPopupMenu(form);
    int popups = 0, closes = 0;
    popup->OnPopup = [&](TPopupMenu*) { ++popups; };
    popup->OnMenuClose = [&](TComponent*) { ++closes; };
    auto* item = new TMenuItem(nullptr);
    item->Caption = "Delete";
    popup->Items()->Add(item);
    EXPECT_EQ(popup->PopupPoint(), (Point{-1, -1}));

    popup->Popup(120, 130);
    pump();
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(frame->opening, 1);
    ASSERT_TRUE(menu().Visible());
    EXPECT_EQ(menu().MenuSkinData(), data) << "the frame's skin";
    EXPECT_EQ(menu().Opener(), nullptr);
    EXPECT_EQ(popup->PopupPoint(), (Point{120, 130}));
    EXPECT_EQ(Win().WindowHandle()->bounds().top_left(), (Point{120, 130}));

    // Opening again closes the first showing (its OnMenuClose runs once).
    popup->PopupAtRect(opener, {10, 20, 60, 40}, false);
    pump();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(menu().Opener(), opener);
    EXPECT_EQ(Win().WindowHandle()->bounds().top_left(), (Point{10, 40}));
    menu().CloseAll();
    EXPECT_EQ(closes, 2);
    menu().CloseAll();
    EXPECT_EQ(closes, 2);

    // The component owned by a control of the form finds the frame too.
    auto* owned = new TskSkinPopupMenu(opener);
    owned->Items()->Add(new TMenuItem(nullptr));
    owned->Items()->Items(0)->Caption = "Undo";
    owned->PopupForEdit(opener, 50, 60);
    pump();
    EXPECT_TRUE(menu().Visible());
    menu().CloseAll();

    // A form without a frame shows nothing; OnPopup still runs.
    TForm* other = nullptr;
    app.CreateForm(other);
    auto* lonely = new TskSkinPopupMenu(other);
    lonely->OnPopup = [&](TPopupMenu*) { ++popups; };
    lonely->Items()->Add(new TMenuItem(nullptr));
    lonely->Popup(10, 10);
    EXPECT_EQ(popups, 3);
    EXPECT_FALSE(menu().Visible());
}

// ---- morph blends --------------------------------------------------------------

TEST(MorphBlend, EachKindAsTheTableSays)
{
    // N's and A's columns carry their own red values, so each result column
    // shows which column it came from and with which weight.
    const std::vector<int> n_reds{10, 20, 30, 40}, a_reds{100, 110, 120, 130};
    struct Case {
        TMorphKind kind;
        double f;
        std::vector<int> reds;
    };
    const Case cases[] = {
        {mkDefault, 0.0, {10, 20, 30, 40}},
        {mkDefault, 0.5, {55, 65, 75, 85}},
        {mkDefault, 1.0, {100, 110, 120, 130}},
        {mkLeftGradient, 0.5, {100, 65, 30, 40}},
        {mkRightGradient, 0.5, {10, 20, 75, 130}},
        {mkLeftSlide, 0.5, {120, 130, 30, 40}},
        {mkRightSlide, 0.5, {10, 20, 100, 110}},
        {mkPush, 0.25, {120, 130, 10, 20}},
        {mkGradient, 0.5, {10, 110, 120, 130}},
    };
    auto strip = [](const std::vector<int>& reds) {
        Bitmap b(4, 1);
        for (int x = 0; x < 4; ++x)
            b.set_pixel(x, 0, make_pixel(static_cast<unsigned>(reds[static_cast<size_t>(x)]), 0, 0));
        return b;
    };
    for (const Case& c : cases) {
        Bitmap n = strip(n_reds);
        MorphBlend(n, strip(a_reds), c.f, c.kind);
        std::vector<int> reds;
        for (int x = 0; x < 4; ++x)
            reds.push_back(static_cast<int>((n.pixel(x, 0) >> 16) & 0xFF));
        EXPECT_EQ(reds, c.reds) << "kind " << c.kind << " f " << c.f;
    }
    // Pictures of different sizes leave N alone.
    Bitmap n = strip(n_reds), a(3, 1);
    MorphBlend(n, a, 0.5, mkDefault);
    EXPECT_EQ(n, strip(n_reds));
}

} // namespace
} // namespace lt
