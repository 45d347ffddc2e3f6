// Windows, input routing, focus, the input method, timers, regions, our own
// move/size loop, popups and modal loops, all on a headless screen with
// virtual time and injected input.

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

#include "gfx/canvas.h"
#include "gfx/region.h"
#include "platform/desktop.h"
#include "platform/headless.h"

namespace lt {
namespace {

struct Rec {
    std::string who;
    std::uint32_t msg;
    WParam wp;
    LParam lp;
};

using Handler = std::function<std::optional<LResult>(Window&, Message&)>;

class Screen : public ::testing::Test {
protected:
    // The log outlives the desktop: closing the desktop destroys windows,
    // whose procedures still record.
    std::vector<Rec> log;
    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend screen{{800, 600}};
    Desktop desk{loop, screen};

    void settle()
    {
        while (loop.process_pending()) { }
    }

    // A window that records every message it gets, answers through
    // `handler` when that gives an answer, and else falls back on the
    // default procedure.
    Window* make(const std::string& name, Rect bounds, Window* parent = nullptr, Handler handler = {},
        std::function<void(CreateParams&)> tweak = {})
    {
        CreateParams p;
        p.parent = parent;
        p.bounds = bounds;
        p.visible = true;
        p.proc = [this, name, handler](Window& w, Message& m) -> LResult {
            log.push_back({name, m.msg, m.wparam, m.lparam});
            if (handler) {
                if (auto r = handler(w, m))
                    return *r;
            }
            return w.default_proc(m);
        };
        if (tweak)
            tweak(p);
        return desk.create_window(p);
    }

    std::vector<Rec> got(const std::string& who, std::uint32_t msg) const
    {
        std::vector<Rec> out;
        for (const Rec& r : log) {
            if (r.who == who && r.msg == msg)
                out.push_back(r);
        }
        return out;
    }

    std::vector<std::uint32_t> sequence(const std::string& who, std::initializer_list<std::uint32_t> wanted) const
    {
        std::vector<std::uint32_t> out;
        for (const Rec& r : log) {
            if (r.who == who && std::find(wanted.begin(), wanted.end(), r.msg) != wanted.end())
                out.push_back(r.msg);
        }
        return out;
    }
};

// ---------------------------------------------------------------- mouse

TEST_F(Screen, ClickReachesTheChildInClientCoordinatesAndNotifiesItsParents)
{
    Window* form = make("form", {100, 100, 400, 300});
    make("button", {10, 10, 110, 60}, form);
    settle();
    log.clear();
    screen.click({120, 125});
    settle();

    auto down = got("button", WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(lparam_point(down[0].lp), (Point{10, 15}));
    EXPECT_EQ(down[0].wp & MK_LBUTTON, MK_LBUTTON);
    auto up = got("button", WM_LBUTTONUP);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].wp & MK_LBUTTON, 0u);
    auto notify = got("form", WM_PARENTNOTIFY);
    ASSERT_EQ(notify.size(), 1u);
    EXPECT_EQ(notify[0].wp, WM_LBUTTONDOWN);
    EXPECT_EQ(lparam_point(notify[0].lp), (Point{20, 25}));
    EXPECT_TRUE(got("form", WM_LBUTTONDOWN).empty());
}

TEST_F(Screen, DoubleClickNeedsTheSameButtonSpotAndTiming)
{
    struct Case {
        const char* name;
        int delay_ms;
        Point second;
        bool double_clicks;
        bool expect_double;
    };
    const Case cases[] = {
        {"fast, same spot", 100, {50, 50}, true, true},
        {"at the time limit", 500, {50, 50}, true, true},
        {"slow second click", 501, {50, 50}, true, false},
        {"within the box", 100, {52, 48}, true, true},
        {"outside the box", 100, {53, 50}, true, false},
        {"window without double-clicks", 100, {50, 50}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        Window* w =
            make("w", {0, 0, 200, 200}, nullptr, {}, [&](CreateParams& p) { p.double_clicks = c.double_clicks; });
        settle();
        screen.click({50, 50});
        settle();
        loop.advance(c.delay_ms);
        screen.click(c.second);
        settle();
        EXPECT_EQ(got("w", WM_LBUTTONDBLCLK).size(), c.expect_double ? 1u : 0u);
        EXPECT_EQ(got("w", WM_LBUTTONDOWN).size(), c.expect_double ? 1u : 2u);
        // A third fast click starts a new pair instead of a second double-click.
        screen.click(c.second);
        settle();
        EXPECT_EQ(got("w", WM_LBUTTONDBLCLK).size(), c.expect_double ? 1u : (c.double_clicks ? 1u : 0u));
        w->destroy();
        loop.advance(1000);
    }
}

TEST_F(Screen, CapturedDragReceivesMovesAndTheReleaseOutsideTheWindow)
{
    Window* form = make("form", {0, 0, 400, 300});
    make("thumb", {10, 10, 50, 50}, form, [](Window& w, Message& m) -> std::optional<LResult> {
        if (m.msg == WM_LBUTTONDOWN)
            w.set_capture();
        if (m.msg == WM_LBUTTONUP)
            w.desktop().release_capture();
        return std::nullopt;
    });
    settle();
    log.clear();
    screen.mouse_move({20, 20});
    screen.mouse_down({20, 20});
    screen.mouse_move({600, 500});
    screen.mouse_up({600, 500});
    screen.mouse_move({200, 200});
    screen.mouse_up({200, 200});
    settle();

    auto moves = got("thumb", WM_MOUSEMOVE);
    ASSERT_GE(moves.size(), 2u);
    EXPECT_EQ(lparam_point(moves[1].lp), (Point{590, 490}));
    auto ups = got("thumb", WM_LBUTTONUP);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(lparam_point(ups[0].lp), (Point{590, 490}));
    EXPECT_EQ(got("form", WM_LBUTTONUP).size(), 1u) << "once the capture ends the window under the pointer has it";
    EXPECT_EQ(got("thumb", WM_CAPTURECHANGED).size(), 1u);
    EXPECT_EQ(desk.capture(), nullptr);
    EXPECT_TRUE(got("form", WM_MOUSEMOVE).size() >= 1u);
}

TEST_F(Screen, EnterAndLeaveFollowThePointerAcrossWindows)
{
    Window* form = make("form", {0, 0, 400, 300});
    make("a", {10, 10, 60, 60}, form);
    settle();
    log.clear();
    screen.mouse_move({5, 5});
    screen.mouse_move({20, 20});
    screen.mouse_move({25, 25});
    screen.mouse_move({100, 100});
    screen.mouse_move({500, 500});
    settle();
    EXPECT_EQ(sequence("form", {CM_MOUSEENTER, CM_MOUSELEAVE}),
        (std::vector<std::uint32_t>{CM_MOUSEENTER, CM_MOUSELEAVE, CM_MOUSEENTER, CM_MOUSELEAVE}));
    EXPECT_EQ(sequence("a", {CM_MOUSEENTER, CM_MOUSELEAVE, WM_MOUSELEAVE}),
        (std::vector<std::uint32_t>{CM_MOUSEENTER, CM_MOUSELEAVE, WM_MOUSELEAVE}));
    EXPECT_EQ(desk.hover(), nullptr);
}

TEST_F(Screen, DisabledAndTransparentChildrenLetTheirParentHaveTheClick)
{
    Window* form = make("form", {0, 0, 400, 300});
    Window* child = make("child", {10, 10, 60, 60}, form);
    make("group", {100, 10, 200, 100}, form, [](Window&, Message& m) -> std::optional<LResult> {
        if (m.msg == WM_NCHITTEST)
            return HTTRANSPARENT;
        return std::nullopt;
    });
    child->enable(false);
    settle();
    screen.click({20, 20});
    screen.mouse_move({150, 50});
    screen.click({150, 50});
    settle();
    EXPECT_TRUE(got("child", WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(got("group", WM_LBUTTONDOWN).empty());
    EXPECT_EQ(got("form", WM_LBUTTONDOWN).size(), 2u);
    EXPECT_EQ(lparam_point(got("form", WM_LBUTTONDOWN)[1].lp), (Point{150, 50}));
}

TEST_F(Screen, TheCursorFollowsHitCodesAndTheWindowUnderThePointer)
{
    Window* form = make("form", {0, 0, 300, 200}, nullptr, [](Window& w, Message& m) -> std::optional<LResult> {
        if (m.msg == WM_NCHITTEST) {
            Point p = w.screen_to_window(lparam_point(m.lparam));
            if (p.x >= 295)
                return p.y >= 195 ? HTBOTTOMRIGHT : HTRIGHT;
            if (p.y >= 195)
                return HTBOTTOM;
            return HTCLIENT;
        }
        return std::nullopt;
    });
    make("edit", {10, 10, 110, 30}, form, {}, [](CreateParams& p) { p.cursor = Cursor::IBeam; });
    settle();
    struct Case {
        Point at;
        Cursor cursor;
    };
    for (const Case& c : {Case{{20, 20}, Cursor::IBeam}, Case{{150, 100}, Cursor::Arrow},
             Case{{298, 100}, Cursor::SizeWE}, Case{{150, 198}, Cursor::SizeNS}, Case{{298, 198}, Cursor::SizeNWSE}}) {
        screen.mouse_move(c.at);
        settle();
        EXPECT_EQ(screen.cursor(), c.cursor) << c.at.x << "," << c.at.y;
    }
}

TEST_F(Screen, WheelGoesToTheFocusWindowAndOnToItsParent)
{
    Window* form = make("form", {0, 0, 300, 200});
    Window* list = make("list", {10, 10, 110, 100}, form);
    settle();
    list->set_focus();
    screen.wheel({200, 150}, -WHEEL_DELTA);
    settle();
    auto wheel = got("list", WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(message_wheel_delta({WM_MOUSEWHEEL, wheel[0].wp, wheel[0].lp}), -WHEEL_DELTA);
    EXPECT_EQ(lparam_point(wheel[0].lp), (Point{200, 150}));
    EXPECT_EQ(got("form", WM_MOUSEWHEEL).size(), 1u) << "unhandled, it goes up to the parent";
}

TEST_F(Screen, AltSpaceAsksForTheSystemMenuAndAltF4Closes)
{
    Window* form = make("form", {0, 0, 300, 200});
    Window* edit = make("edit", {10, 10, 110, 30}, form);
    settle();
    edit->set_focus();
    screen.key_down(VK_MENU);
    screen.key(VK_SPACE);
    settle();
    auto sys = got("form", WM_SYSCOMMAND);
    ASSERT_EQ(sys.size(), 1u);
    EXPECT_EQ(sys[0].wp, SC_KEYMENU);
    EXPECT_EQ(got("edit", WM_SYSKEYDOWN).size(), 2u);
    EXPECT_TRUE(got("edit", WM_CHAR).empty());
    form->send(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(screen.minimized(*form));
    screen.key(VK_F4);
    screen.key_up(VK_MENU);
    settle();
    EXPECT_EQ(got("form", WM_CLOSE).size(), 1u);
    EXPECT_FALSE(desk.is_window(form));
    EXPECT_EQ(desk.focus(), nullptr);
}

// ---------------------------------------------------------------- regions

TEST_F(Screen, RegionsClipHitTestsAndPainting)
{
    Window* form = make("form", {0, 0, 200, 200}, nullptr, [](Window&, Message& m) -> std::optional<LResult> {
        if (m.msg == WM_PAINT)
            message_canvas(m).fill_rect({0, 0, 200, 200}, clBlue);
        return std::nullopt;
    });
    // An L-shaped child: its top-left square and its bottom strip.
    Window* shaped = make("shaped", {20, 20, 120, 120}, form, [](Window&, Message& m) -> std::optional<LResult> {
        if (m.msg == WM_PAINT)
            message_canvas(m).fill_rect({0, 0, 100, 100}, clRed);
        return std::nullopt;
    });
    const Rect parts[] = {{0, 0, 50, 50}, {0, 50, 100, 100}};
    Region shape = Region::from_rects(parts);
    shaped->set_region(&shape);
    settle();

    struct Case {
        Point at;
        const char* who;
    };
    for (const Case& c : {Case{{30, 30}, "shaped"}, Case{{100, 30}, "form"}, Case{{100, 100}, "shaped"}}) {
        log.clear();
        screen.click(c.at);
        settle();
        EXPECT_EQ(got(c.who, WM_LBUTTONDOWN).size(), 1u) << c.at.x << "," << c.at.y;
    }
    const Bitmap& shown = screen.presented(*form);
    EXPECT_EQ(shown.pixel(30, 30), to_pixel(clRed));
    EXPECT_EQ(shown.pixel(100, 30), to_pixel(clBlue)) << "outside the region the parent shows";
    EXPECT_EQ(shown.pixel(100, 100), to_pixel(clRed));
}

TEST_F(Screen, ATopLevelRegionLetsClicksThroughToTheWindowBelow)
{
    Window* below = make("below", {0, 0, 300, 300});
    Window* above = make("above", {50, 50, 150, 150});
    Region hole = Region(Rect{0, 0, 100, 100}) - Region(Rect{40, 40, 60, 60});
    above->set_region(&hole);
    settle();
    screen.click({60, 60});
    screen.click({100, 100});
    settle();
    EXPECT_EQ(got("below", WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(got("above", WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(desk.window_from_point({100, 100}), below);

    // On the composed screen the shaped window shows its hole.
    above->bring_to_front();
    above->set_background(clRed);
    below->set_background(clBlue);
    settle();
    Bitmap shot = desk.compose_screen();
    EXPECT_EQ(shot.pixel(55, 55), to_pixel(clRed));
    EXPECT_EQ(shot.pixel(100, 100), to_pixel(clBlue));
    EXPECT_EQ(shot.pixel(400, 400), 0u);

    const std::string path = ::testing::TempDir() + "platform_screen.png";
    screen.snapshot_screen(desk, path);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char magic[4] = {};
    EXPECT_EQ(std::fread(magic, 1, 4, f), 4u);
    std::fclose(f);
    std::remove(path.c_str());
    EXPECT_EQ(magic[1], 'P');
    EXPECT_EQ(magic[2], 'N');
}

// ---------------------------------------------------------------- painting

TEST_F(Screen, PaintsAreCoalescedPerTurnAndChildrenPaintOverParents)
{
    Window* form = make("form", {0, 0, 100, 80}, nullptr, {}, [](CreateParams& p) { p.background = clGreen; });
    make("child", {10, 10, 30, 30}, form, {}, [](CreateParams& p) { p.background = clYellow; });
    settle();
    const int presents = screen.present_count(*form);
    log.clear();
    form->invalidate();
    Rect part{0, 0, 5, 5};
    form->invalidate(&part);
    form->invalidate();
    settle();
    EXPECT_EQ(got("form", WM_PAINT).size(), 1u);
    EXPECT_EQ(got("form", WM_ERASEBKGND).size(), 1u);
    EXPECT_EQ(screen.present_count(*form), presents + 1);
    const Bitmap& shown = screen.presented(*form);
    EXPECT_EQ(shown.pixel(5, 5), to_pixel(clGreen));
    EXPECT_EQ(shown.pixel(15, 15), to_pixel(clYellow));

    // Only the marked part is repainted: the update rectangle says so.
    log.clear();
    std::vector<Rect> updates;
    form->set_proc([&, old = form->proc()](Window& w, Message& m) {
        if (m.msg == WM_PAINT)
            updates.push_back(*message_update_rect(m));
        return w.call_proc(old, m);
    });
    Rect spot{50, 50, 60, 60};
    form->invalidate(&spot);
    settle();
    EXPECT_EQ(updates, (std::vector<Rect>{spot}));
    EXPECT_EQ(got("form", WM_PAINT).size(), 1u) << "the replaced procedure is still called on";
    EXPECT_TRUE(got("child", WM_PAINT).empty());
}

// A paint handler that asks for a repaint (invalidate, then update) is not
// painted again from inside itself; the repaint comes in the next loop turn,
// and the loop turns for it without waiting for an event.
TEST_F(Screen, ARepaintAskedForWhilePaintingComesInTheNextTurn)
{
    int paints = 0, depth = 0, deepest = 0;
    std::vector<Rect> updates;
    const Rect spot{10, 10, 20, 20};
    const Color colours[] = {clRed, clGreen, clBlue};
    Window* w = make("w", {0, 0, 100, 80}, nullptr, [&](Window& win, Message& m) -> std::optional<LResult> {
        if (m.msg != WM_PAINT)
            return std::nullopt;
        ++depth;
        deepest = std::max(deepest, depth);
        updates.push_back(*reinterpret_cast<const Rect*>(m.lparam));
        message_canvas(m).fill_rect({0, 0, 100, 80}, colours[paints % 3]);
        if (++paints < 3) {
            win.invalidate(&spot);
            win.update();
        }
        --depth;
        return 0;
    });
    loop.process_pending();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(deepest, 1) << "painted again from inside its own paint";
    ASSERT_TRUE(desk.paint_pending());

    // Left to itself the loop paints twice more (the second repaint asks
    // for a third) and then rests.
    loop.run_until([&] { return paints == 3; });
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(updates, (std::vector<Rect>{Rect{0, 0, 100, 80}, spot, spot}));
    EXPECT_FALSE(desk.paint_pending());
    EXPECT_EQ(screen.presented(*w).pixel(15, 15), to_pixel(clBlue));
    EXPECT_EQ(screen.presented(*w).pixel(50, 50), to_pixel(clRed)) << "only the spot was painted again";
}

// A window may destroy itself while it paints and finish its paint; its
// image lives until the paint is over, and the other windows paint on.
TEST_F(Screen, AWindowMayDestroyItselfWhilePainting)
{
    Window* doomed = make("doomed", {0, 0, 50, 50}, nullptr, [](Window& w, Message& m) -> std::optional<LResult> {
        if (m.msg != WM_PAINT)
            return std::nullopt;
        w.destroy();
        message_canvas(m).fill_rect({0, 0, 50, 50}, clRed);
        return 0;
    });
    Window* other = make("other", {100, 0, 150, 50}, nullptr, {}, [](CreateParams& p) { p.background = clYellow; });
    settle();
    EXPECT_FALSE(desk.is_window(doomed));
    EXPECT_EQ(screen.presented(*other).pixel(10, 10), to_pixel(clYellow));
    other->invalidate();
    settle();
    EXPECT_FALSE(desk.paint_pending());
}

TEST_F(Screen, ANonClientFrameGetsItsOwnPaintAndShiftsTheClient)
{
    Window* framed = make(
        "framed", {0, 0, 100, 100}, nullptr,
        [](Window&, Message& m) -> std::optional<LResult> {
            if (m.msg == WM_NCCALCSIZE) {
                Rect& r = message_rect(m);
                r = {r.left + 4, r.top + 20, r.right - 4, r.bottom - 4};
                return 0;
            }
            if (m.msg == WM_NCPAINT) {
                message_canvas(m).fill_rect({0, 0, 100, 100}, clNavy);
                return 0;
            }
            return std::nullopt;
        },
        [](CreateParams& p) { p.background = clWhite; });
    settle();
    EXPECT_EQ(framed->client_rect(), (Rect{0, 0, 92, 76}));
    EXPECT_EQ(framed->client_to_screen({0, 0}), (Point{4, 20}));
    const Bitmap& shown = screen.presented(*framed);
    EXPECT_EQ(shown.pixel(2, 2), to_pixel(clNavy));
    EXPECT_EQ(shown.pixel(50, 50), to_pixel(clWhite)) << "the frame's paint never covers the client";
    log.clear();
    screen.click({50, 10});
    settle();
    auto nc = got("framed", WM_NCLBUTTONDOWN);
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(static_cast<int>(nc[0].wp), HTBORDER);
}

// ---------------------------------------------------------------- moving and sizing

TEST_F(Screen, CaptionDragMovesABorderlessWindowAndEdgesSizeIt)
{
    Window* form = make("form", {100, 100, 300, 250}, nullptr, [](Window& w, Message& m) -> std::optional<LResult> {
        if (m.msg == WM_NCHITTEST) {
            Point p = w.screen_to_window(lparam_point(m.lparam));
            if (p.x >= w.bounds().width() - 5 && p.y >= w.bounds().height() - 5)
                return HTBOTTOMRIGHT;
            if (p.y < 20)
                return HTCAPTION;
            return HTCLIENT;
        }
        if (m.msg == WM_GETMINMAXINFO) {
            message_minmax(m).min_track_size = {120, 80};
            return 0;
        }
        return std::nullopt;
    });
    settle();
    log.clear();
    screen.mouse_move({150, 110});
    screen.mouse_down({150, 110});
    screen.mouse_move({170, 120});
    screen.mouse_move({200, 140});
    screen.mouse_up({200, 140});
    settle();
    EXPECT_EQ(form->bounds(), (Rect{150, 130, 350, 280}));
    EXPECT_EQ(sequence("form", {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}),
        (std::vector<std::uint32_t>{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}));
    EXPECT_EQ(got("form", WM_MOVE).size(), 2u);
    EXPECT_TRUE(got("form", WM_NCLBUTTONUP).empty()) << "the move loop takes the release";

    // The bottom-right corner sizes; the minimum track size holds.
    screen.mouse_move({348, 278});
    screen.mouse_down({348, 278});
    screen.mouse_move({400, 300});
    screen.mouse_move({100, 100});
    screen.mouse_up({100, 100});
    settle();
    EXPECT_EQ(form->bounds(), (Rect{150, 130, 270, 210}));
    auto sizes = got("form", WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(message_size({WM_SIZE, 0, sizes.back().lp}), (Size{120, 80}));
    EXPECT_EQ(desk.image(*form)->size(), (Size{120, 80}));

    // A fast second press on the caption is a non-client double-click, even
    // though the first press ran the move loop.
    loop.advance(1000);
    log.clear();
    screen.click({200, 140});
    screen.click({200, 140});
    settle();
    EXPECT_EQ(sequence("form", {WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK}),
        (std::vector<std::uint32_t>{WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK}));
    EXPECT_EQ(form->bounds(), (Rect{150, 130, 270, 210}));

    // A release away from the last reported move still ends where it points.
    loop.advance(1000);
    screen.mouse_down({200, 140});
    screen.mouse_up({230, 150});
    settle();
    EXPECT_EQ(form->bounds(), (Rect{180, 140, 300, 220}));
}

// ---------------------------------------------------------------- activation, focus, popups

TEST_F(Screen, FocusMovesInTabOrderAndSkipsWhatCannotTakeIt)
{
    Window* form = make("form", {0, 0, 300, 200});
    auto stop = [&](const char* name, int order, int x) {
        return make(name, Rect::from_xywh(x, 10, 40, 20), form, {}, [&](CreateParams& p) { p.tab_stop = true; });
    };
    Window* c = stop("c", 0, 10);
    Window* a = stop("a", 0, 60);
    Window* b = stop("b", 0, 110);
    Window* off = stop("off", 0, 160);
    a->set_tab_order(0);
    b->set_tab_order(1);
    off->set_tab_order(2);
    c->set_tab_order(3);
    off->enable(false);
    settle();
    a->set_focus();
    log.clear();
    std::vector<Window*> seen;
    for (int i = 0; i < 4; ++i) {
        screen.key(VK_TAB);
        settle();
        seen.push_back(desk.focus());
    }
    EXPECT_EQ(seen, (std::vector<Window*>{b, c, a, b}));
    screen.key_down(VK_SHIFT);
    screen.key(VK_TAB);
    screen.key_up(VK_SHIFT);
    settle();
    EXPECT_EQ(desk.focus(), a);
    auto kill = got("b", WM_KILLFOCUS);
    ASSERT_FALSE(kill.empty());
    EXPECT_EQ(reinterpret_cast<Window*>(kill.back().wp), a);
    EXPECT_TRUE(got("a", WM_KEYDOWN).empty()) << "Tab is the desktop's unless the window asks for it";
}

TEST_F(Screen, AWindowThatWantsTabGetsTheKeyAndItsCharacter)
{
    Window* form = make("form", {0, 0, 300, 200});
    Window* edit = make(
        "edit", {10, 10, 100, 30}, form,
        [](Window&, Message& m) -> std::optional<LResult> {
            if (m.msg == WM_GETDLGCODE)
                return DLGC_WANTTAB;
            return std::nullopt;
        },
        [](CreateParams& p) { p.tab_stop = true; });
    make("other", {10, 50, 100, 70}, form, {}, [](CreateParams& p) { p.tab_stop = true; });
    settle();
    edit->set_focus();
    screen.key(VK_TAB);
    settle();
    EXPECT_EQ(desk.focus(), edit);
    ASSERT_EQ(got("edit", WM_CHAR).size(), 1u);
    EXPECT_EQ(got("edit", WM_CHAR)[0].wp, 9u);
}

TEST_F(Screen, ClickingAnInactiveWindowActivatesItAndRestoresItsFocus)
{
    Window* one = make("one", {0, 0, 200, 200});
    Window* field = make("field", {10, 10, 50, 30}, one);
    Window* two = make("two", {300, 0, 500, 200});
    settle();
    field->set_focus();
    two->set_focus();
    EXPECT_EQ(desk.active(), two);
    log.clear();
    screen.click({100, 100});
    settle();
    EXPECT_EQ(desk.active(), one);
    EXPECT_EQ(desk.focus(), field) << "focus comes back to where it was in that window";
    auto act = got("one", WM_ACTIVATE);
    ASSERT_EQ(act.size(), 1u);
    EXPECT_EQ(act[0].wp, WA_CLICKACTIVE);
    EXPECT_EQ(got("two", WM_NCACTIVATE).size(), 1u);
    EXPECT_EQ(got("two", WM_NCACTIVATE)[0].wp, 0u);
    EXPECT_EQ(desk.top_levels().back(), one);
}

TEST_F(Screen, APopupNeverTakesActivationOrFocus)
{
    Window* form = make("form", {0, 0, 300, 300});
    Window* edit = make("edit", {10, 10, 100, 30}, form);
    settle();
    edit->set_focus();
    Window* menu = make("menu", {50, 50, 150, 150}, nullptr, {}, [&](CreateParams& p) {
        p.popup = true;
        p.owner = form;
    });
    settle();
    screen.click({60, 60});
    menu->set_focus();
    desk.activate(menu);
    screen.key('A');
    settle();
    EXPECT_EQ(got("menu", WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(got("menu", WM_MOUSEACTIVATE).empty());
    EXPECT_TRUE(got("menu", WM_SETFOCUS).empty());
    EXPECT_EQ(desk.active(), form);
    EXPECT_EQ(desk.focus(), edit);
    EXPECT_EQ(screen.native_focus(), form);
    EXPECT_EQ(got("edit", WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(desk.top_levels().back(), menu) << "popups stay on top";
}

// ---------------------------------------------------------------- keys and text

TEST_F(Screen, TypedTextAndKeysBecomeCodePage936Characters)
{
    Window* form = make("form", {0, 0, 300, 200});
    Window* edit = make("edit", {10, 10, 100, 30}, form);
    settle();
    edit->set_focus();
    log.clear();
    screen.type("a1 ");
    screen.type("中");
    screen.type("\xF0\x9F\x98\x80"); // an emoji: outside the code page
    screen.key(VK_BACK);
    screen.key_down(VK_CONTROL);
    screen.key('C');
    EXPECT_FALSE(desk.key_down(VK_CONTROL)) << "key state changes as events are handled";
    settle();
    EXPECT_TRUE(desk.key_down(VK_CONTROL));
    EXPECT_EQ(desk.mouse_key_flags(), MK_CONTROL);
    screen.key_up(VK_CONTROL);
    settle();
    std::vector<WParam> chars;
    for (const Rec& r : got("edit", WM_CHAR))
        chars.push_back(r.wp);
    EXPECT_EQ(chars, (std::vector<WParam>{'a', '1', ' ', 0xD6, 0xD0, '?', 8, 3}));
    auto downs = got("edit", WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[2].wp, static_cast<WParam>('C'));
    EXPECT_FALSE(desk.key_down(VK_CONTROL));
    EXPECT_EQ(desk.key_state(VK_CONTROL) & 1, 1) << "each press toggles the low bit";
}

TEST_F(Screen, TheInputMethodComposesThenCommitsDoubleByteCharacters)
{
    std::vector<std::string> compositions;
    Window* form = make("form", {0, 0, 300, 200});
    Window* edit = make("edit", {10, 10, 100, 30}, form, [&](Window& w, Message& m) -> std::optional<LResult> {
        if (m.msg == WM_IME_COMPOSITION && (m.lparam & GCS_COMPSTR))
            compositions.push_back(w.desktop().ime_composition() + "|" + std::to_string(w.desktop().ime_cursor()));
        return std::nullopt;
    });
    settle();
    edit->set_focus();
    log.clear();
    screen.compose("zhong", 5);
    screen.compose("中", 1);
    screen.commit("中a");
    settle();
    EXPECT_EQ(compositions, (std::vector<std::string>{"zhong|5", "\xD6\xD0|2"}));
    EXPECT_EQ(sequence("edit", {WM_IME_STARTCOMPOSITION, WM_IME_ENDCOMPOSITION}),
        (std::vector<std::uint32_t>{WM_IME_STARTCOMPOSITION, WM_IME_ENDCOMPOSITION}));
    std::vector<WParam> ime_chars, chars;
    for (const Rec& r : got("edit", WM_IME_CHAR))
        ime_chars.push_back(r.wp);
    for (const Rec& r : got("edit", WM_CHAR))
        chars.push_back(r.wp);
    EXPECT_EQ(ime_chars, (std::vector<WParam>{0xD6D0, 'a'}));
    EXPECT_EQ(chars, (std::vector<WParam>{0xD6, 0xD0, 'a'})) << "lead byte, then trail byte";
    EXPECT_TRUE(desk.ime_composition().empty());

    // A composition given up leaves no characters.
    log.clear();
    screen.compose("wen", 3);
    screen.compose("", 0);
    settle();
    EXPECT_TRUE(got("edit", WM_CHAR).empty());
    EXPECT_EQ(got("edit", WM_IME_ENDCOMPOSITION).size(), 1u);
}

TEST_F(Screen, ClipboardHoldsUtf8OutsideAndCodePage936Inside)
{
    desk.set_clipboard_text("\xD6\xD0\xCE\xC4 clip");
    EXPECT_EQ(screen.external_clipboard(), "中文 clip");
    EXPECT_EQ(desk.clipboard_text(), "\xD6\xD0\xCE\xC4 clip");
    screen.set_external_clipboard("长\xF0\x9F\x98\x80x");
    EXPECT_EQ(desk.clipboard_text(), "\xB3\xA4?x");
}

// ---------------------------------------------------------------- timers

TEST_F(Screen, WindowTimersTickOnTheLoopClockUntilKilledOrDestroyed)
{
    Window* w = make("w", {0, 0, 50, 50});
    w->set_timer(1, 100);
    w->set_timer(2, 250);
    loop.advance(500);
    auto ticks = [&](WParam id) {
        int n = 0;
        for (const Rec& r : got("w", WM_TIMER))
            n += r.wp == id;
        return n;
    };
    EXPECT_EQ(ticks(1), 5);
    EXPECT_EQ(ticks(2), 2);
    w->set_timer(1, 300); // restarting replaces the old interval
    w->kill_timer(2);
    loop.advance(600);
    EXPECT_EQ(ticks(1), 7);
    EXPECT_EQ(ticks(2), 2);
    w->destroy();
    log.clear();
    loop.advance(1000);
    EXPECT_TRUE(log.empty());
}

// ---------------------------------------------------------------- life

TEST_F(Screen, AWindowMayDestroyItselfInItsOwnHandlerAndLatePostsAreDropped)
{
    Window* form = make("form", {0, 0, 100, 100});
    Window* self = make("self", {0, 0, 50, 50}, form, [](Window& w, Message& m) -> std::optional<LResult> {
        if (m.msg == WM_LBUTTONDOWN) {
            w.post(WM_USER + 1);
            w.destroy();
            return 0;
        }
        return std::nullopt;
    });
    settle();
    screen.click({10, 10});
    settle();
    EXPECT_FALSE(desk.is_window(self));
    EXPECT_EQ(got("self", WM_DESTROY).size(), 1u);
    EXPECT_TRUE(got("self", WM_USER + 1).empty());
    EXPECT_TRUE(got("self", WM_LBUTTONUP).empty());
    EXPECT_EQ(got("form", WM_LBUTTONUP).size(), 1u);
}

TEST_F(Screen, AnExceptionInAHandlerGoesToTheLoopAndInputGoesOn)
{
    std::vector<std::string> errors;
    loop.set_exception_handler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            errors.push_back(x.what());
        }
    });
    make("w", {0, 0, 100, 100}, nullptr, [](Window&, Message& m) -> std::optional<LResult> {
        if (m.msg == WM_LBUTTONDOWN)
            throw std::runtime_error("boom");
        return std::nullopt;
    });
    settle();
    screen.click({10, 10});
    screen.click({20, 20});
    settle();
    EXPECT_EQ(errors, (std::vector<std::string>{"boom", "boom"}));
    EXPECT_EQ(got("w", WM_LBUTTONUP).size(), 2u);
}

// ---------------------------------------------------------------- modal loops and the error box

TEST_F(Screen, AModalWindowDisablesItsOwnerUntilItEnds)
{
    Window* owner = make("owner", {0, 0, 400, 300});
    settle();
    Window* dialog = make(
        "dialog", {100, 100, 300, 200}, nullptr,
        [](Window& w, Message& m) -> std::optional<LResult> {
            if (m.msg == WM_LBUTTONUP)
                w.desktop().end_modal(w, 7);
            return std::nullopt;
        },
        [&](CreateParams& p) {
            p.owner = owner;
            p.visible = false;
        });
    bool owner_enabled_inside = true;
    Window* active_inside = nullptr;
    loop.post([&] {
        owner_enabled_inside = owner->enabled();
        active_inside = desk.active();
        screen.click({10, 10});
        screen.key('X');
        screen.click({150, 150});
    });
    log.clear();
    int code = desk.run_modal(*dialog);
    EXPECT_EQ(code, 7);
    EXPECT_FALSE(owner_enabled_inside);
    EXPECT_EQ(active_inside, dialog);
    EXPECT_TRUE(got("owner", WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(got("owner", WM_KEYDOWN).empty());
    EXPECT_EQ(got("dialog", WM_KEYDOWN).size(), 1u);
    EXPECT_TRUE(owner->enabled());
    EXPECT_EQ(desk.active(), owner);
    EXPECT_FALSE(dialog->shown());
}

TEST_F(Screen, AQuitDuringAModalLoopReachesTheOuterLoop)
{
    Window* owner = make("owner", {0, 0, 400, 300});
    Window* dialog = make("dialog", {100, 100, 300, 200}, nullptr, {}, [&](CreateParams& p) { p.owner = owner; });
    loop.post([&] { loop.quit(); });
    desk.run_modal(*dialog);
    EXPECT_TRUE(loop.quitting());
    EXPECT_TRUE(owner->enabled());
}

TEST(ErrorBoxText, FullStopIsAppendedWhenTheLastByteSortsAfterIt)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"abc", "abc."},
        {"abc.", "abc."},
        {"abc!", "abc!"},
        {"abc-", "abc-"},
        {"abc/", "abc/."},
        {"list 5)", "list 5)"},
        {"", ""},
        {"\xB4\xED\xCE\xF3", "\xB4\xED\xCE\xF3."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(error_box_text(c.in), c.out) << c.in;
}

TEST_F(Screen, TheErrorBoxIsModalAndEndsWithEnterOrOk)
{
    Window* owner = make("owner", {0, 0, 400, 300});
    settle();
    Window* box = nullptr;
    Bitmap seen;
    loop.post([&] {
        box = desk.active();
        box->update();
        seen = *desk.image(*box);
        screen.key(VK_RETURN);
    });
    show_error_box(desk, owner, "Title", "Something failed");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box, owner);
    EXPECT_EQ(box->text(), "Title");
    EXPECT_EQ(box->owner(), owner);
    EXPECT_FALSE(desk.is_window(box));
    EXPECT_TRUE(owner->enabled());
    EXPECT_EQ(desk.active(), owner);
    // The error icon's red disc sits left of the message.
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.pixel(18 + 12, 22 + 14 + 2), to_pixel(rgb(200, 0, 0)));
    // The message is drawn right of it in the window text colour.
    int ink = 0;
    for (int y = 36; y < 96; ++y)
        for (int x = 60; x < 346; ++x)
            ink += seen.pixel(x, y) == to_pixel(clWindowText);
    EXPECT_GT(ink, 20);

    // The OK button ends it too.
    loop.post([&] {
        Window* b = desk.active();
        Window* ok = b->children().front();
        Point at = ok->client_to_screen({10, 10});
        screen.click(at);
    });
    show_error_box(desk, owner, "Title", "again");
    EXPECT_EQ(desk.top_levels().size(), 1u);
}

// The OK button is drawn pressed while held; a press taken away by
// cancel-mode or a lost capture does not end the box when released over the
// button; Space down and up does.
TEST_F(Screen, TheErrorBoxOkButtonPressesAndCancelsLikeAButton)
{
    Window* owner = make("owner", {0, 0, 400, 300});
    settle();
    Window* box = nullptr;
    Window* ok = nullptr;
    Point at;
    // The pixel just inside the button's outer frame: the raised look's
    // highlight, or the pressed look's shadow.
    auto looks_pressed = [&] {
        box->update();
        const Point corner = ok->bounds().top_left() + Point{1, 1};
        return desk.image(*box)->pixel(corner.x, corner.y) == to_pixel(clBtnShadow);
    };
    // Each step runs in its own loop turn, after the input the one before queued.
    std::vector<std::function<void()>> steps = {
        [&] {
            box = desk.active();
            ok = box->children().front();
            at = ok->client_to_screen({10, 10});
            EXPECT_FALSE(looks_pressed());
            screen.mouse_down(at);
        },
        [&] {
            EXPECT_TRUE(looks_pressed());
            ok->send(WM_CANCELMODE);
            EXPECT_FALSE(looks_pressed());
            screen.mouse_up(at);
        },
        [&] { screen.mouse_down(at); },
        [&] {
            EXPECT_TRUE(looks_pressed());
            desk.release_capture();
            screen.mouse_move(at + Point{1, 1});
            screen.mouse_up(at);
        },
        [&] {
            EXPECT_TRUE(desk.in_modal(*box)) << "a cancelled press ended the box";
            EXPECT_FALSE(looks_pressed());
            screen.key_down(VK_SPACE);
        },
        [&] {
            EXPECT_TRUE(looks_pressed());
            screen.key_up(VK_SPACE);
        },
    };
    size_t next = 0;
    std::function<void()> run_next = [&] {
        if (next < steps.size() && desk.is_window(box ? box : desk.active())) {
            steps[next++]();
            loop.post(run_next);
        }
    };
    loop.post(run_next);
    show_error_box(desk, owner, "Title", "Something failed");
    EXPECT_EQ(next, steps.size()) << "the box ended early";
    EXPECT_FALSE(desk.is_window(box));
}

} // namespace
} // namespace lt
