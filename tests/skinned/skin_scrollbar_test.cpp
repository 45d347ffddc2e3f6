// The skinned scroll bar: its geometry as a table of sizes and skins (no
// pixels), the range rules, press, repeat, drag and leave through injected
// input on virtual time, the keyboard and the wheel, handlers that destroy
// the bar, pixel probes against the stored skin and degenerate skins.

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "skinned/skin_scrollbar.h"
#include "tests/gfx/pixels.h"
#include "tests/skinned/skinned_fixture.h"

namespace lt {
namespace {

using P = ScrollBarPart;

std::string Str(const Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
        std::to_string(r.bottom);
}

// The stored skin's [vscrollbar] and [hscrollbar], as the geometry sees
// them (the control tests below read the real objects).
ScrollBarSkinMetrics StoredV()
{
    ScrollBarSkinMetrics m;
    m.skin = {17, 68};
    m.leftbottompoint = {0, 51};
    m.trackarea = {0, 16, 17, 52};
    m.downbuttonrect = {0, 0, 17, 16};
    m.upbuttonrect = {0, 52, 17, 68};
    m.thumb = {17, 14};
    m.thumbminsize = 8;
    return m;
}

ScrollBarSkinMetrics StoredH()
{
    ScrollBarSkinMetrics m;
    m.skin = {68, 17};
    m.righttoppoint = {51, 0};
    m.trackarea = {16, 0, 52, 17};
    m.downbuttonrect = {0, 0, 16, 17};
    m.upbuttonrect = {52, 0, 68, 17};
    m.thumb = {14, 17};
    m.thumbminsize = 8;
    return m;
}

// ---- Geometry -------------------------------------------------------------------------

TEST(ScrollBarGeometry, PartRectanglesBySizeKindAndSkin)
{
    const ScrollBarSkinMetrics v = StoredV(), h = StoredH();
    ScrollBarSkinMetrics thin = StoredV();
    thin.thumb = {9, 14}; // thinner than the track: centred across it
    struct Row {
        const char* what;
        TScrollBarKind kind;
        Size size;
        ScrollRange range; // min, max, position, page
        const ScrollBarSkinMetrics* skin;
        int both_marker;
        Rect decrement, increment, track, thumb;
    };
    const Row rows[] = {
        {"plain 200 x 19 at 50 of 0..100", sbHorizontal, {200, 19}, {0, 100, 50, 0}, nullptr, 0, {1, 1, 17, 18},
            {183, 1, 199, 18}, {17, 1, 183, 18}, {92, 1, 108, 18}},
        {"plain, page 10 of 0..99 in a track of 150: 15 raised to 16", sbHorizontal, {184, 19}, {0, 99, 0, 10}, nullptr,
            0, {1, 1, 17, 18}, {167, 1, 183, 18}, {17, 1, 167, 18}, {17, 1, 33, 18}},
        {"plain, page 10, at its last position 90", sbHorizontal, {184, 19}, {0, 99, 90, 10}, nullptr, 0,
            {1, 1, 17, 18}, {167, 1, 183, 18}, {17, 1, 167, 18}, {151, 1, 167, 18}},
        {"plain, a page of half the range", sbHorizontal, {184, 19}, {0, 99, 25, 50}, nullptr, 0, {1, 1, 17, 18},
            {167, 1, 183, 18}, {17, 1, 167, 18}, {55, 1, 129, 18}},
        {"plain vertical 19 x 200 at a quarter", sbVertical, {19, 200}, {0, 100, 25, 0}, nullptr, 0, {1, 1, 18, 17},
            {1, 183, 18, 199}, {1, 17, 18, 183}, {1, 55, 18, 71}},
        {"plain with Both: 19 pixels free at the right", sbHorizontal, {200, 19}, {0, 100, 0, 0}, nullptr, 19,
            {1, 1, 17, 18}, {164, 1, 180, 18}, {17, 1, 164, 18}, {17, 1, 33, 18}},
        {"vscrollbar 200 high, page 10 of 0..99, at 0", sbVertical, {17, 200}, {0, 99, 0, 10}, &v, 0, {0, 0, 17, 16},
            {0, 184, 17, 200}, {0, 16, 17, 184}, {0, 16, 17, 32}},
        {"vscrollbar, at 90", sbVertical, {17, 200}, {0, 99, 90, 10}, &v, 0, {0, 0, 17, 16}, {0, 184, 17, 200},
            {0, 16, 17, 184}, {0, 168, 17, 184}},
        {"vscrollbar without a page: thumbminsize long", sbVertical, {17, 200}, {0, 100, 100, 0}, &v, 0, {0, 0, 17, 16},
            {0, 184, 17, 200}, {0, 16, 17, 184}, {0, 176, 17, 184}},
        {"vscrollbar at its skin height", sbVertical, {17, 68}, {0, 99, 0, 10}, &v, 0, {0, 0, 17, 16}, {0, 52, 17, 68},
            {0, 16, 17, 52}, {0, 16, 17, 24}},
        {"hscrollbar 200 wide, half way", sbHorizontal, {200, 17}, {0, 10, 5, 0}, &h, 0, {0, 0, 16, 17},
            {184, 0, 200, 17}, {16, 0, 184, 17}, {96, 0, 104, 17}},
        {"a thumb thinner than the track", sbVertical, {17, 200}, {0, 99, 0, 10}, &thin, 0, {0, 0, 17, 16},
            {0, 184, 17, 200}, {0, 16, 17, 184}, {4, 16, 13, 32}},
    };
    for (const Row& r : rows) {
        const ScrollBarLayout l = ScrollBarLayout::Compute(r.kind, r.size, r.range, r.skin, r.both_marker);
        EXPECT_EQ(Str(l.decrement), Str(r.decrement)) << r.what;
        EXPECT_EQ(Str(l.increment), Str(r.increment)) << r.what;
        EXPECT_EQ(Str(l.track), Str(r.track)) << r.what;
        EXPECT_EQ(Str(l.thumb), Str(r.thumb)) << r.what;
    }
}

TEST(ScrollBarGeometry, PartAtTestsThumbThenButtonsThenTrackHalves)
{
    // Plain 200 x 19 at 50: decrement 1..17, track 17..183, thumb 92..108,
    // increment 183..199, all from y 1 to 18.
    const ScrollBarLayout l = ScrollBarLayout::Compute(sbHorizontal, {200, 19}, {0, 100, 50, 0}, nullptr);
    const struct {
        Point p;
        P part;
    } rows[] = {
        {{0, 9}, P::None},
        {{1, 1}, P::Decrement},
        {{16, 17}, P::Decrement},
        {{17, 9}, P::TrackToMin},
        {{91, 9}, P::TrackToMin},
        {{92, 9}, P::Thumb},
        {{107, 17}, P::Thumb},
        {{108, 9}, P::TrackToMax},
        {{182, 9}, P::TrackToMax},
        {{183, 9}, P::Increment},
        {{198, 9}, P::Increment},
        {{199, 9}, P::None},
        {{100, 0}, P::None},
        {{100, 18}, P::None},
        {{-5, 9}, P::None},
    };
    for (const auto& r : rows)
        EXPECT_EQ(l.part_at(r.p), r.part) << r.p.x << "," << r.p.y;
    EXPECT_EQ(Str(l.part_rect(P::TrackToMin)), "17,1,92,18");
    EXPECT_EQ(Str(l.part_rect(P::TrackToMax)), "108,1,183,18");
}

TEST(ScrollBarGeometry, DragOffsetMapsBackToThePosition)
{
    // Wherever the travel is at least as long as the range, every position's
    // thumb offset maps back to that position, and the ends of the travel
    // (and beyond) to the ends of the range.
    const ScrollBarSkinMetrics v = StoredV();
    struct Row {
        TScrollBarKind kind;
        Size size;
        ScrollRange range;
        const ScrollBarSkinMetrics* skin;
        int last;
    };
    const Row rows[] = {
        {sbVertical, {17, 200}, {0, 99, 0, 10}, &v, 90},
        {sbVertical, {17, 200}, {-20, 80, 0, 0}, &v, 80},
        {sbHorizontal, {200, 19}, {0, 100, 0, 0}, nullptr, 100},
        {sbHorizontal, {400, 19}, {5, 104, 5, 25}, nullptr, 80},
    };
    for (const Row& r : rows) {
        ScrollRange range = r.range;
        for (int pos = range.min; pos <= r.last; ++pos) {
            range.position = pos;
            const ScrollBarLayout l = ScrollBarLayout::Compute(r.kind, r.size, range, r.skin);
            ASSERT_EQ(l.position_at(l.thumb_offset, range), pos) << r.size.width << " x " << r.size.height;
        }
        const ScrollBarLayout l = ScrollBarLayout::Compute(r.kind, r.size, range, r.skin);
        EXPECT_EQ(l.position_at(-1000, range), range.min);
        EXPECT_EQ(l.position_at(l.travel(), range), r.last);
        EXPECT_EQ(l.position_at(l.travel() + 1000, range), r.last);
    }
}

TEST(ScrollBarGeometry, DegenerateSizesAndRangesStayInsideTheTrack)
{
    // Tiny bars, a thumb longer than its track, no range, a range upside
    // down, a page larger than the range and the extremes of int: nothing
    // divides by zero, the thumb never leaves the track, the travel is
    // never negative.
    const ScrollBarSkinMetrics v = StoredV(), h = StoredH();
    ScrollBarSkinMetrics odd = StoredV();
    odd.thumb = {};
    odd.thumbminsize = -5;
    odd.trackarea = {0, 60, 17, 10};
    const ScrollBarSkinMetrics* skins[] = {nullptr, &v, &h, &odd};
    const ScrollRange ranges[] = {
        {0, 0, 0, 0},
        {5, 5, 5, 3},
        {10, 0, 5, 0},
        {0, 9, 0, 50},
        {0, -1, 0, 1},
        {INT_MIN, INT_MAX, 0, 0},
        {INT_MIN, INT_MAX, INT_MAX, 1000},
        {0, 100, 50, -7},
    };
    for (const ScrollBarSkinMetrics* skin : skins)
        for (TScrollBarKind kind : {sbHorizontal, sbVertical})
            for (int length : {0, 1, 2, 16, 17, 33, 34, 35, 60})
                for (const ScrollRange& range : ranges)
                    for (int marker : {0, 19}) {
                        const Size size = kind == sbVertical ? Size{19, length} : Size{length, 19};
                        const ScrollBarLayout l = ScrollBarLayout::Compute(kind, size, range, skin, marker);
                        const std::string what = std::string(skin ? "skinned" : "plain") + " length " +
                            std::to_string(length) + " range " + std::to_string(range.min) + ".." +
                            std::to_string(range.max) + " page " + std::to_string(range.page);
                        ASSERT_GE(l.track.width(), 0) << what;
                        ASSERT_GE(l.track.height(), 0) << what;
                        ASSERT_GE(l.travel(), 0) << what;
                        ASSERT_GE(l.thumb_offset, 0) << what;
                        ASSERT_LE(l.thumb_offset, l.travel()) << what;
                        const int t0 = kind == sbVertical ? l.thumb.top : l.thumb.left;
                        const int t1 = kind == sbVertical ? l.thumb.bottom : l.thumb.right;
                        const int k0 = kind == sbVertical ? l.track.top : l.track.left;
                        const int k1 = kind == sbVertical ? l.track.bottom : l.track.right;
                        ASSERT_LE(t0, t1) << what;
                        ASSERT_GE(t0, k0) << what;
                        ASSERT_LE(t1, k1) << what;
                        l.position_at(l.thumb_offset, range);
                        l.part_at({length / 2, length / 2});
                    }
}

// ---- The control on the stored skin --------------------------------------------------------

struct ScrollBar : test::SkinnedForm {
    // The bar's place on the form (screen and form client coordinates
    // coincide).
    static constexpr Point kAt{20, 20};

    template <class T>
    T& Object(const char* name)
    {
        return dynamic_cast<T&>(*data->SkinControls[static_cast<size_t>(data->FindSkinControl(name))]);
    }

    // A vertical bar on "vscrollbar", 200 high, range 0..99 with a page of
    // 10 (thumb y 16..32 at 0, 168..184 at 90), LargeChange 10.
    TskSkinScrollBar* AddVertical(int position = 0)
    {
        auto* bar = new TskSkinScrollBar(form);
        bar->SetKind(sbVertical);
        bar->SetParent(form);
        bar->SetBounds(kAt.x, kAt.y, 30, 200);
        bar->SetSkinDataName("vscrollbar");
        bar->SetSkinData(data);
        bar->SetScrollParams(0, 99, 10, position);
        bar->SetLargeChange(10);
        pump();
        return bar;
    }

    static Point Screen(Point bar) { return {kAt.x + bar.x, kAt.y + bar.y}; }
};

TEST_F(ScrollBar, StoredVscrollbarFitsItsWidthAndPlacesItsParts)
{
    auto* bar = AddVertical();
    EXPECT_EQ(bar->Width(), 17);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_EQ(Str(bar->PartRect(P::Decrement)), "0,0,17,16");
    EXPECT_EQ(Str(bar->PartRect(P::Increment)), "0,184,17,200");
    EXPECT_EQ(Str(bar->PartRect(P::Thumb)), "0,16,17,32");
    bar->SetPosition(90);
    EXPECT_EQ(Str(bar->PartRect(P::Thumb)), "0,168,17,184");
    // Both takes the both-bar object and gives the name back afterwards.
    auto* h = Add<TskSkinScrollBar>("hscrollbar", 20, 240, 200, 30);
    EXPECT_EQ(h->Height(), 17);
    h->SetBoth(true);
    EXPECT_EQ(h->SkinDataName(), "bothhscrollbar");
    EXPECT_TRUE(h->Skinned());
    h->SetBoth(false);
    EXPECT_EQ(h->SkinDataName(), "hscrollbar");

    // Unskinned (no object of that name), a vertical bar keeps its height:
    // the default thickness goes across its axis.
    auto* plain = new TskSkinScrollBar(form);
    plain->SetKind(sbVertical);
    plain->SetParent(form);
    plain->SetBounds(300, 20, 40, 150);
    plain->SetSkinDataName("no such object");
    plain->SetSkinData(data);
    EXPECT_FALSE(plain->Skinned());
    EXPECT_EQ(plain->Width(), 19);
    EXPECT_EQ(plain->Height(), 150);
}

TEST_F(ScrollBar, RangeRules)
{
    struct Row {
        const char* what;
        ScrollRange start; // min, max, position, page (set without events)
        void (*change)(TskSkinScrollBar&);
        ScrollRange expected;
        int changes;
    };
    const Row rows[] = {
        {"a new position", {0, 100, 0, 0}, [](TskSkinScrollBar& b) { b.SetPosition(50); }, {0, 100, 50, 0}, 1},
        {"the same position: no event", {0, 100, 50, 0}, [](TskSkinScrollBar& b) { b.SetPosition(50); },
            {0, 100, 50, 0}, 0},
        {"beyond Max", {0, 100, 0, 0}, [](TskSkinScrollBar& b) { b.SetPosition(200); }, {0, 100, 100, 0}, 1},
        {"below Min", {0, 100, 10, 0}, [](TskSkinScrollBar& b) { b.SetPosition(-5); }, {0, 100, 0, 0}, 1},
        {"with a page, at most Max - page + 1", {0, 99, 0, 10}, [](TskSkinScrollBar& b) { b.SetPosition(95); },
            {0, 99, 90, 10}, 1},
        {"an unfitting page is refused", {0, 99, 95, 0}, [](TskSkinScrollBar& b) { b.SetPageSize(10); }, {0, 99, 95, 0},
            0},
        {"a fitting page is taken", {0, 99, 90, 0}, [](TskSkinScrollBar& b) { b.SetPageSize(10); }, {0, 99, 90, 10}, 0},
        {"a page fits counted from Min", {10, 19, 10, 0}, [](TskSkinScrollBar& b) { b.SetPageSize(5); },
            {10, 19, 10, 5}, 0},
        {"a negative page is refused", {0, 99, 0, 0}, [](TskSkinScrollBar& b) { b.SetPageSize(-1); }, {0, 99, 0, 0}, 0},
        {"lower Max pulls the position", {0, 100, 80, 0}, [](TskSkinScrollBar& b) { b.SetMax(50); }, {0, 50, 50, 0}, 0},
        {"lower Max with a page", {0, 99, 90, 10}, [](TskSkinScrollBar& b) { b.SetMax(60); }, {0, 60, 51, 10}, 0},
        {"Max again keeps a valid position when Min is not 0", {10, 100, 85, 10},
            [](TskSkinScrollBar& b) { b.SetMax(100); }, {10, 100, 85, 10}, 0},
        {"higher Min raises the position", {0, 100, 5, 0}, [](TskSkinScrollBar& b) { b.SetMin(10); }, {10, 100, 10, 0},
            0},
        {"all four at once, no event", {0, 100, 0, 0}, [](TskSkinScrollBar& b) { b.SetScrollParams(0, 99, 10, 95); },
            {0, 99, 90, 10}, 0},
        {"a page larger than the range: Min", {0, 100, 50, 0},
            [](TskSkinScrollBar& b) { b.SetScrollParams(3, 9, 20, 5); }, {3, 9, 3, 20}, 0},
    };
    for (const Row& r : rows) {
        auto* bar = new TskSkinScrollBar(form);
        bar->SetParent(form);
        bar->SetScrollParams(r.start.min, r.start.max, r.start.page, r.start.position);
        int changes = 0;
        bar->OnChange = [&](TComponent*) { ++changes; };
        r.change(*bar);
        EXPECT_EQ(bar->Min(), r.expected.min) << r.what;
        EXPECT_EQ(bar->Max(), r.expected.max) << r.what;
        EXPECT_EQ(bar->Position(), r.expected.position) << r.what;
        EXPECT_EQ(bar->PageSize(), r.expected.page) << r.what;
        EXPECT_EQ(changes, r.changes) << r.what;
        delete bar;
    }
}

// One step of a press script: an injected mouse action at a point of the
// bar, a stretch of time, or a state change; then the position expected.
struct Act {
    enum Op { Move, Down, Up, Wait, Cancel, Hide, Disable } op;
    int x = 0, y = 0; // the point, or the milliseconds to wait in x
    int position = 0;
};

Act M(int x, int y, int pos)
{
    return {Act::Move, x, y, pos};
}
Act D(int x, int y, int pos)
{
    return {Act::Down, x, y, pos};
}
Act U(int x, int y, int pos)
{
    return {Act::Up, x, y, pos};
}
Act T(int ms, int pos)
{
    return {Act::Wait, ms, 0, pos};
}
Act C(int pos)
{
    return {Act::Cancel, 0, 0, pos};
}
Act H(int pos)
{
    return {Act::Hide, 0, 0, pos};
}
Act E(int pos)
{
    return {Act::Disable, 0, 0, pos};
}

TEST_F(ScrollBar, PressRepeatDragAndLeave)
{
    // The vertical bar of AddVertical: decrement y 0..16, increment
    // 184..200, thumb 16..32 at 0 and 168..184 at 90; 152 pixels of travel
    // for 90 positions.
    struct Row {
        const char* what;
        int start;
        std::vector<Act> acts;
        int last_changes; // OnLastChange
        int pages;        // OnPageUp + OnPageDown
    };
    const Row rows[] = {
        {"increment held 1 s: at once, then every 50 ms after 500 ms", 0,
            {D(8, 190, 1), T(499, 1), T(1, 1), T(50, 2), T(50, 3), T(400, 11), U(8, 190, 11), T(1000, 11)}, 0, 0},
        {"decrement held", 50, {D(8, 5, 49), T(550, 48), T(100, 46), U(8, 5, 46), T(500, 46)}, 0, 0},
        {"a held button pauses off it and resumes without a new delay", 0,
            {D(8, 190, 1), T(600, 3), M(8, 100, 3), T(300, 3), M(8, 190, 3), T(49, 3), T(1, 4), T(50, 5), U(8, 190, 5),
                T(500, 5)},
            0, 0},
        {"released outside the button: no more steps", 0, {D(8, 190, 1), M(60, 190, 1), U(60, 190, 1), T(1000, 1)}, 0,
            0},
        {"paging toward Max stops under the pointer", 0,
            {D(8, 120, 10), T(500, 10), T(50, 20), T(50, 30), T(50, 40), T(50, 50), T(50, 60), T(50, 60), T(500, 60),
                U(8, 120, 60)},
            0, 6},
        {"paging toward Min goes on after leaving the bar", 90,
            {D(8, 20, 80), M(-5, 20, 80), T(500, 80), T(50, 70), T(350, 0), T(500, 0), U(-5, 20, 0)}, 0, 9},
        {"paging toward Max stops on leaving the bar", 0, {D(8, 150, 10), M(-5, 150, 10), T(1000, 10), U(-5, 150, 10)},
            0, 1},
        {"thumb drag: pointer to position, clamped at both ends, released outside", 0,
            {D(8, 20, 0), M(8, 96, 45), M(8, 300, 90), M(8, -15, 0), M(8, 96, 45), U(60, 96, 45), M(8, 150, 45)}, 1, 0},
        {"cancel-mode ends a drag", 0, {D(8, 20, 0), M(8, 96, 45), C(45), M(8, 150, 45), U(8, 150, 45)}, 1, 0},
        {"cancel-mode stops a held button", 0, {D(8, 190, 1), C(1), T(1000, 1), U(8, 190, 1)}, 0, 0},
        {"hiding stops a held button", 0, {D(8, 190, 1), T(600, 3), H(3), T(1000, 3), U(60, 190, 3)}, 0, 0},
        {"disabling stops paging", 0, {D(8, 150, 10), E(10), T(1000, 10), U(60, 150, 10)}, 0, 1},
    };
    for (const Row& r : rows) {
        auto* bar = AddVertical(r.start);
        // Each OnChange sees a new position.
        std::vector<int> seen{r.start};
        int last_changes = 0, pages = 0;
        bar->OnChange = [&](TComponent*) {
            EXPECT_NE(bar->Position(), seen.back()) << r.what;
            seen.push_back(bar->Position());
        };
        bar->OnLastChange = [&](TComponent*) { ++last_changes; };
        bar->OnPageUp = bar->OnPageDown = [&](TComponent*) { ++pages; };
        int step = 0;
        for (const Act& a : r.acts) {
            switch (a.op) {
            case Act::Move:
                backend.mouse_move(Screen({a.x, a.y}));
                break;
            case Act::Down:
                backend.mouse_move(Screen({a.x, a.y}));
                backend.mouse_down(Screen({a.x, a.y}));
                break;
            case Act::Up:
                backend.mouse_up(Screen({a.x, a.y}));
                break;
            case Act::Wait:
                loop.advance(a.x);
                break;
            case Act::Cancel:
                bar->WindowHandle()->send(WM_CANCELMODE);
                break;
            case Act::Hide:
                bar->Hide();
                break;
            case Act::Disable:
                bar->SetEnabled(false);
                break;
            }
            pump();
            ++step;
            ASSERT_EQ(bar->Position(), a.position) << r.what << ", step " << step;
            ASSERT_EQ(seen.back(), a.position) << r.what << ", step " << step;
        }
        EXPECT_EQ(last_changes, r.last_changes) << r.what;
        EXPECT_EQ(pages, r.pages) << r.what;
        EXPECT_EQ(bar->CapturedPart(), P::None) << r.what;
        EXPECT_FALSE(bar->Dragging()) << r.what;
        backend.mouse_move({400, 300});
        delete bar;
        pump();
    }
}

TEST_F(ScrollBar, OnlyTheCapturedPartCanBeHot)
{
    auto* bar = AddVertical();
    backend.mouse_move(Screen({8, 190}));
    pump();
    EXPECT_EQ(bar->HotPart(), P::Increment);
    EXPECT_TRUE(bar->IncrementPress().hot());
    backend.mouse_move(Screen({8, 5}));
    pump();
    EXPECT_EQ(bar->HotPart(), P::Decrement);
    EXPECT_FALSE(bar->IncrementPress().hot());

    // The thumb held: the decrement button under the pointer stays cold,
    // and the thumb loses its hot look while the pointer is off it.
    backend.mouse_move(Screen({8, 20}));
    backend.mouse_down(Screen({8, 20}));
    pump();
    EXPECT_EQ(bar->HotPart(), P::Thumb);
    backend.mouse_move(Screen({8, 5}));
    pump();
    EXPECT_EQ(bar->HotPart(), P::None);
    EXPECT_FALSE(bar->DecrementPress().hot());
    EXPECT_TRUE(bar->Dragging());
    backend.mouse_up(Screen({8, 5}));
    pump();
    backend.mouse_move(Screen({8, 6}));
    pump();
    EXPECT_EQ(bar->HotPart(), P::Decrement);

    // Leaving with nothing held takes the hot look away.
    backend.mouse_move({300, 300});
    pump();
    EXPECT_EQ(bar->HotPart(), P::None);
    EXPECT_FALSE(bar->DecrementPress().hot());
}

TEST_F(ScrollBar, ButtonHandlersReplaceTheStepAndPageEventsFollowTheChange)
{
    auto* bar = AddVertical(50);
    std::vector<std::string> log;
    bar->OnUpButtonClick = [&](TComponent*) { log.push_back("up"); };
    bar->OnChange = [&](TComponent*) { log.push_back("change " + std::to_string(bar->Position())); };
    bar->OnPageUp = [&](TComponent*) { log.push_back("page up"); };
    backend.mouse_move(Screen({8, 190}));
    backend.mouse_down(Screen({8, 190}));
    pump();
    loop.advance(550);
    backend.mouse_up(Screen({8, 190}));
    pump();
    EXPECT_EQ(bar->Position(), 50);
    // The thumb sits at 50: y 100..116. A press above it pages toward Min.
    backend.mouse_move(Screen({8, 40}));
    backend.mouse_down(Screen({8, 40}));
    backend.mouse_up(Screen({8, 40}));
    pump();
    EXPECT_EQ(log, (std::vector<std::string>{"up", "up", "change 40", "page up"}));
}

TEST_F(ScrollBar, HandlersMayDestroyTheBar)
{
    // A handler that frees the bar in the middle of a press, a repeat tick
    // or a drag: nothing touches it afterwards and no timer outlives it.
    struct Row {
        const char* what;
        Point press;
        int wait;
        Point move;
        void (*hook)(TskSkinScrollBar&, std::function<void()>);
    };
    const Row rows[] = {
        {"OnChange at the press", {8, 190}, 0, {8, 190},
            [](TskSkinScrollBar& b, std::function<void()> kill) { b.OnChange = [kill](TComponent*) { kill(); }; }},
        {"OnUpButtonClick at a repeat tick", {8, 190}, 600, {8, 190},
            [](TskSkinScrollBar& b, std::function<void()> kill) {
                b.OnUpButtonClick = [kill, n = std::make_shared<int>(0)](TComponent*) {
                    if (++*n == 2)
                        kill();
                };
            }},
        {"OnPageDown", {8, 150}, 0, {8, 150},
            [](TskSkinScrollBar& b, std::function<void()> kill) { b.OnPageDown = [kill](TComponent*) { kill(); }; }},
        {"OnChange during a drag", {8, 20}, 0, {8, 100},
            [](TskSkinScrollBar& b, std::function<void()> kill) { b.OnChange = [kill](TComponent*) { kill(); }; }},
        {"OnLastChange at the release", {8, 20}, 0, {8, 100},
            [](TskSkinScrollBar& b, std::function<void()> kill) { b.OnLastChange = [kill](TComponent*) { kill(); }; }},
    };
    for (const Row& r : rows) {
        TskSkinScrollBar* bar = AddVertical();
        bool gone = false;
        r.hook(*bar, [&] {
            delete bar;
            gone = true;
        });
        backend.mouse_move(Screen(r.press));
        backend.mouse_down(Screen(r.press));
        pump();
        loop.advance(r.wait);
        backend.mouse_move(Screen(r.move));
        backend.mouse_up(Screen(r.move));
        pump();
        loop.advance(1000);
        EXPECT_TRUE(gone) << r.what;
        if (!gone)
            delete bar;
        pump();
    }
}

TEST_F(ScrollBar, KeysAndWheelWithCanFocused)
{
    auto* bar = AddVertical(50);
    // Without CanFocused a press takes no focus and the wheel passes by.
    backend.click(Screen({8, 190}));
    pump();
    EXPECT_FALSE(bar->Focused());
    backend.wheel(Screen({8, 100}), -WHEEL_DELTA);
    pump();
    EXPECT_EQ(bar->Position(), 51);

    bar->SetCanFocused(true);
    EXPECT_TRUE(bar->TabStop());
    backend.click(Screen({8, 190}));
    pump();
    ASSERT_TRUE(bar->Focused());
    EXPECT_EQ(bar->Position(), 52);
    const struct {
        bool wheel;
        int value; // wheel delta or key
        int position;
    } rows[] = {
        {true, -WHEEL_DELTA, 53},
        {true, WHEEL_DELTA, 52},
        {true, 0, 53},
        {false, VK_DOWN, 54},
        {false, VK_RIGHT, 55},
        {false, VK_UP, 54},
        {false, VK_LEFT, 53},
    };
    for (const auto& r : rows) {
        if (r.wheel)
            backend.wheel(Screen({8, 100}), r.value);
        else
            backend.key(r.value);
        pump();
        EXPECT_EQ(bar->Position(), r.position) << (r.wheel ? "wheel " : "key ") << r.value;
    }
}

// ---- Pixels ---------------------------------------------------------------------------

TEST_F(ScrollBar, PixelsFollowTheStoredSkinInEveryPartState)
{
    auto* bar = AddVertical();
    const auto& o = Object<TskDataSkinScrollBarControl>("vscrollbar");
    const Bitmap& pic = Picture(o.pictureindex);
    const Rect at = bar->BoundsRect();
    auto shot = [&](const Rect& part) { return Shot(part.offset(at.left, at.top)); };
    // A 16-pixel thumb from a 14-pixel look: 3 rows kept at each end, the 8
    // rows between them tiled from the top.
    auto thumb = [&](const Rect& look) {
        Bitmap b(17, 16);
        for (int y = 0; y < 16; ++y) {
            const int sy = y < 3 ? y : y >= 13 ? y - 2 : 3 + (y - 3) % 8;
            for (int x = 0; x < 17; ++x)
                b.set_pixel(x, y, pic.pixel(look.left + x, look.top + sy));
        }
        return b;
    };
    auto piece = [&](const Rect& r) { return pic.copy(r); };

    const Rect down_button{0, 0, 17, 16}, up_button{0, 184, 17, 200}, thumb_at_0{0, 16, 17, 32};
    // Resting: the composed picture and the plain thumb.
    EXPECT_TRUE(test::same_pixels(piece({223, 25, 240, 41}), shot(down_button)));
    EXPECT_TRUE(test::same_pixels(piece({223, 77, 240, 93}), shot(up_button)));
    EXPECT_TRUE(test::same_pixels(thumb(o.thumbrect), shot(thumb_at_0)));

    // Hot and pressed buttons.
    backend.mouse_move(Screen({8, 190}));
    pump();
    EXPECT_TRUE(test::same_pixels(piece(o.activeupbuttonrect), shot(up_button)));
    backend.mouse_down(Screen({8, 190}));
    pump();
    EXPECT_TRUE(test::same_pixels(piece(o.downupbuttonrect), shot(up_button)));
    backend.mouse_up(Screen({8, 190}));
    bar->SetPosition(0);
    backend.mouse_move(Screen({8, 5}));
    pump();
    EXPECT_TRUE(test::same_pixels(piece(o.activedownbuttonrect), shot(down_button)));
    EXPECT_TRUE(test::same_pixels(piece({223, 77, 240, 93}), shot(up_button)));

    // Hot and dragged thumb.
    backend.mouse_move(Screen({8, 20}));
    pump();
    EXPECT_TRUE(test::same_pixels(thumb(o.activethumbrect), shot(thumb_at_0)));
    backend.mouse_down(Screen({8, 20}));
    pump();
    EXPECT_TRUE(test::same_pixels(thumb(o.downthumbrect), shot(thumb_at_0)));
    backend.mouse_move(Screen({8, 5})); // off the thumb: still dragged
    pump();
    EXPECT_TRUE(test::same_pixels(thumb(o.downthumbrect), shot(thumb_at_0)));
    backend.mouse_up(Screen({8, 5}));
    pump();

    // Disabled: no thumb; the track's middle rows tile over its place.
    bar->SetEnabled(false);
    pump();
    Bitmap track(17, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 17; ++x)
            track.set_pixel(x, y, pic.pixel(223 + x, 25 + 16 + y % 35));
    EXPECT_TRUE(test::same_pixels(track, shot(thumb_at_0)));
}

TEST_F(ScrollBar, UnskinnedLooks)
{
    auto* bar = new TskSkinScrollBar(form);
    bar->SetParent(form);
    bar->SetBounds(20, 20, 200, 19);
    bar->SetPosition(50); // thumb 92..108
    pump();
    const Rect b = bar->BoundsRect();
    auto px = [&](int x, int y) { return Shot({b.left + x, b.top + y, b.left + x + 1, b.top + y + 1}).pixel(0, 0); };
    EXPECT_EQ(px(0, 0), to_pixel(clBtnFace));
    EXPECT_EQ(px(1, 1), to_pixel(clBtnShadow));
    EXPECT_EQ(px(5, 5), to_pixel(clBtnFace));
    EXPECT_EQ(px(92, 1), to_pixel(clBtnShadow));
    // The arrows: 1, 3, 5 and 7 pixels, the tip pointing out of the bar.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(px(9 - 2 + i, 9 - i), to_pixel(clBlack)) << i;
        EXPECT_EQ(px(9 - 2 + i, 9 + i), to_pixel(clBlack)) << i;
        EXPECT_EQ(px(9 - 2 + i, 9 - i - 1), to_pixel(clBtnFace)) << i;
        EXPECT_EQ(px(191 + 1 - i, 9 - i), to_pixel(clBlack)) << i;
        EXPECT_EQ(px(191 + 1 - i, 9 + i + 1), to_pixel(clBtnFace)) << i;
    }
    backend.mouse_move({b.left + 100, b.top + 9});
    pump();
    EXPECT_EQ(px(92, 1), to_pixel(rgb(0, 0, 128)));
    EXPECT_EQ(px(100, 9), to_pixel(rgb(182, 189, 210)));
    backend.mouse_down({b.left + 100, b.top + 9});
    pump();
    EXPECT_EQ(px(100, 9), to_pixel(rgb(133, 147, 181)));
    backend.mouse_up({b.left + 100, b.top + 9});
    backend.mouse_move({b.left + 190, b.top + 4});
    backend.mouse_down({b.left + 190, b.top + 4});
    pump();
    EXPECT_EQ(px(185, 4), to_pixel(rgb(133, 147, 181)));
    backend.mouse_up({b.left + 190, b.top + 4});
    pump();
    // Disabled: no thumb.
    bar->SetEnabled(false);
    pump();
    EXPECT_EQ(px(92, 1), to_pixel(clBtnFace));
    EXPECT_EQ(px(100, 9), to_pixel(clBtnFace));
}

TEST_F(ScrollBar, DegenerateSkinsPaintAtEverySize)
{
    struct Row {
        const char* what;
        void (*change)(TskDataSkinScrollBarControl&);
    };
    const Row rows[] = {{"no thumb look, negative minimum",
                            [](TskDataSkinScrollBarControl& o) {
                                o.thumbrect = {};
                                o.activethumbrect = {};
                                o.downthumbrect = {};
                                o.thumbminsize = -4;
                            }},
        {"thumb ends longer than the thumb, glyph larger than it",
            [](TskDataSkinScrollBarControl& o) {
                o.thumboffset1 = 40;
                o.thumboffset2 = -3;
                o.glyphrect = {0, 0, 500, 500};
                o.thumbtransparent = true;
            }},
        {"looks outside the picture", [](TskDataSkinScrollBarControl& o) {
             o.thumbrect = {900, 900, 1200, 1300};
             o.activeupbuttonrect = {-50, -50, 10, 10};
             o.trackarea = {0, 60, 17, 5};
             o.upbuttonrect = {0, 300, 17, 200};
             o.pictureindex = 99;
         }}};
    for (const Row& r : rows) {
        data->LoadCompressedSkin(stored);
        r.change(Object<TskDataSkinScrollBarControl>("vscrollbar"));
        for (int height : {0, 1, 2, 17, 33, 34, 68, 300}) {
            for (int page : {0, 5, 500}) {
                auto* bar = Add<TskSkinScrollBar>("vscrollbar", 10, 10, 17, height);
                bar->SetKind(sbVertical);
                bar->SetScrollParams(0, 99, page, 40);
                backend.mouse_move({18, 10 + height / 2});
                pump();
                backend.mouse_down({18, 10 + height / 2});
                pump();
                backend.mouse_up({18, 10 + height / 2});
                pump();
                delete bar;
            }
        }
    }
}

} // namespace
} // namespace lt
