// Tool buttons, the tool bar and the bevel with the stored skin on the
// headless desktop: the state -> look rules, the menu button's track part,
// the glyph assets, the tool bar's geometry and child centring, the buttons'
// behaviour through injected input on virtual time, the menu button with a
// real skinned menu, and pixel probes of the skinned and plain looks.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/stdctrls.h"
#include "skinned/morph.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_menu_window.h"
#include "skinned/skin_speed_button.h"
#include "skinned/skin_toolbar.h"
#include "skinned/tool_glyphs.h"
#include "tests/gfx/pixels.h"
#include "tests/skinned/skinned_fixture.h"

namespace lt {
namespace {

using test::same_pixels;

Point Centre(const Rect& r)
{
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

// ---- Looks and geometry, without controls -------------------------------------------

TEST(ToolButtonLook, FirstMatchingRule)
{
    const Rect N{0, 0, 10, 5}, A{10, 0, 20, 5}, D{20, 0, 30, 5}, X{40, 0, 50, 5};
    const ButtonLooks looks{N, A, D, {}, X};
    const ButtonLooks no_disabled{N, A, D, {}, {}};
    auto look = [](Rect r, bool active, bool down, bool transparent = false) {
        SpeedButtonLook l;
        l.look.source = r;
        l.look.active = active;
        l.look.down = down;
        l.transparent = transparent;
        return l;
    };
    SpeedButtonLook blend;
    blend.look.morph = true;
    blend.look.morph_normal = N;
    blend.look.morph_active = A;
    struct Case {
        const char* name;
        ButtonLooks looks;
        bool transparent;
        std::function<void(ButtonLookState&)> state;
        SpeedButtonLook expected;
    };
    const Case cases[] = {
        {"normal", looks, false, [](ButtonLookState&) {}, look(N, false, false)},
        {"hot", looks, false, [](ButtonLookState& s) { s.pointer_over = true; }, look(A, true, false)},
        {"pressed over it", looks, false, [](ButtonLookState& s) { s.down = s.pointer_over = true; },
            look(D, true, true)},
        {"pressed, dragged off", looks, false, [](ButtonLookState& s) { s.down = true; }, look(N, false, false)},
        {"latched in a group", looks, false, [](ButtonLookState& s) { s.down = s.grouped = true; },
            look(D, true, true)},
        {"disabled", looks, false, [](ButtonLookState& s) { s.enabled = false; }, look(X, false, false)},
        {"disabled without a disabled look", no_disabled, false, [](ButtonLookState& s) { s.enabled = false; },
            look(N, false, false)},
        {"disabled but latched keeps the down look", looks, false,
            [](ButtonLookState& s) {
                s.enabled = false;
                s.down = s.grouped = true;
            },
            look(D, true, true)},
        {"focus is not read", looks, false, [](ButtonLookState& s) { s.focused = true; }, look(N, false, false)},
        {"transparent at rest: no background", looks, true, [](ButtonLookState&) {}, look(N, false, false, true)},
        {"transparent and disabled: still no background", looks, true, [](ButtonLookState& s) { s.enabled = false; },
            look(N, false, false, true)},
        {"transparent and hot: the hot picture", looks, true, [](ButtonLookState& s) { s.pointer_over = true; },
            look(A, true, false)},
        {"morph halfway", looks, false,
            [](ButtonLookState& s) {
                s.morphing = true;
                s.morph = 0.6;
            },
            blend},
        {"a transparent button does not morph", looks, true,
            [](ButtonLookState& s) {
                s.morphing = true;
                s.morph = 0.6;
            },
            look(N, false, false, true)},
        {"morph at 1 after the pointer left", looks, false,
            [](ButtonLookState& s) {
                s.morphing = true;
                s.morph = 1.0;
            },
            look(A, true, false)},
    };
    for (const Case& c : cases) {
        ButtonLookState s;
        c.state(s);
        EXPECT_EQ(ChooseSpeedButtonLook(c.looks, s, c.transparent), c.expected) << c.name;
    }
}

TEST(MenuTrackPart, TheSkinsRectangleOrTheStrip)
{
    const Rect track{20, 0, 31, 26};
    const Size skin{31, 26};
    struct Case {
        const char* name;
        const char* object;
        ResizeMode mode;
        Size size;
        bool bottom;
        Rect expected;
    };
    const Case cases[] = {
        {"menu-button object, horizontal: moves right", "toolmenubutton", ResizeMode::Horizontal, {37, 26}, false,
            {26, 0, 37, 26}},
        {"menu-button object, vertical: moves down", "toolmenubutton", ResizeMode::Vertical, {31, 30}, false,
            {20, 4, 31, 30}},
        {"menu-button object, fixed: stays", "toolmenubutton", ResizeMode::Fixed, {31, 26}, false, track},
        {"plain button object: the right strip", "toolbutton", ResizeMode::Horizontal, {37, 26}, false,
            {22, 0, 37, 26}},
        {"new style at the bottom: the bottom strip", "resizetoolbutton", ResizeMode::Horizontal, {37, 40}, true,
            {0, 25, 37, 40}},
        {"no skin object: the right strip", "", ResizeMode::None, {37, 25}, false, {22, 0, 37, 25}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuTrackPart(c.object, track, c.mode, skin, c.size, c.bottom), c.expected) << c.name;
}

TEST(ToolGlyphs, FourStripsOfANormalAndADisabledImage)
{
    const Pixel key = make_pixel(255, 0, 255);
    for (const char* name : {"SK_BACK", "SK_UP", "SK_NEWFOLDER", "SK_LVSTYLE"}) {
        SCOPED_TRACE(name);
        const Bitmap strip = LoadToolGlyph(name);
        ASSERT_EQ(strip.size(), (Size{2 * kToolGlyphSize, kToolGlyphSize}));
        // The lower-left pixel names the transparent colour.
        EXPECT_EQ(strip.pixel(0, kToolGlyphSize - 1), key);
        // Both images have the same shape, in other colours.
        int drawn = 0, recoloured = 0;
        for (int y = 0; y < kToolGlyphSize; ++y)
            for (int x = 0; x < kToolGlyphSize; ++x) {
                const Pixel normal = strip.pixel(x, y), disabled = strip.pixel(x + kToolGlyphSize, y);
                EXPECT_EQ(normal == key, disabled == key) << x << ", " << y;
                drawn += normal != key;
                recoloured += normal != key && normal != disabled;
            }
        EXPECT_GT(drawn, 20);
        EXPECT_EQ(recoloured, drawn);
    }
    EXPECT_TRUE(LoadToolGlyph("SK_FORWARD").empty());
    EXPECT_TRUE(LoadToolGlyph("").empty());
}

// ---- On the headless desktop --------------------------------------------------------

struct ToolBar : test::SkinnedForm {
    template <class T>
    T& Object(const char* name)
    {
        return dynamic_cast<T&>(*data->SkinControls[static_cast<size_t>(data->FindSkinControl(name))]);
    }

    // A tool bar at (10, 20) of the form, 400 wide.
    TskSkinToolBar* Bar(bool skinned = true)
    {
        auto* bar = new TskSkinToolBar(form);
        bar->SetParent(form);
        bar->SetBounds(10, 20, 400, 25);
        if (skinned)
            bar->SetSkinData(data);
        return bar;
    }
    // A tool button of type T on `bar`, as the file dialog makes them.
    template <class T = TskSkinSpeedButton>
    T* Button(TWinControl* bar, int left, int width = 27, const char* glyph = "SK_BACK", bool skinned = true)
    {
        auto* b = new T(form);
        b->SetParent(bar);
        b->SetBounds(left, 0, width, 25);
        if (glyph) {
            b->SetGlyph(LoadToolGlyph(glyph));
            b->SetNumGlyphs(kToolGlyphCount);
        }
        if (skinned)
            b->SetSkinData(data);
        return b;
    }

    // Screen (= form) coordinates of a point of a windowless child.
    static Point At(const TControl& c, Point p) { return c.ClientToScreen(p); }
    static Point Middle(const TControl& c) { return At(c, {c.Width() / 2, c.Height() / 2}); }

    Bitmap ShotOf(const TControl& c)
    {
        pump();
        const Point o = At(c, {0, 0});
        return Shot(Rect::from_xywh(o.x, o.y, c.Width(), c.Height()));
    }
    // The look `r` composed for a button without glyph or caption.
    static Bitmap Composed(const TskSkinSpeedButton& b, const Rect& r)
    {
        Bitmap out(b.Width(), b.Height());
        Canvas canvas(out);
        ComposeSkin(canvas, *b.Picture(), r, b.Geometry(), b.Fit());
        return out;
    }
};

TEST_F(ToolBar, TheDialogStripWithAndWithoutTheSkin)
{
    // The strip as the file dialog builds it: a spacer on the left; Back,
    // Up and New folder, a spacer and the view button docked right.
    for (bool skinned : {true, false}) {
        SCOPED_TRACE(skinned ? "skinned" : "unskinned");
        TskSkinToolBar* bar = Bar(skinned);
        bar->DisableAlign();
        auto* left_spacer = new TskSkinBevel(form);
        left_spacer->SetParent(bar);
        left_spacer->SetShape(TskBevelShape::skSpacer);
        left_spacer->SetBounds(0, 0, 10, 25);
        left_spacer->SetAlign(TAlign::alLeft);
        std::vector<TskSkinSpeedButton*> buttons;
        for (int i = 0; i < 3; ++i)
            buttons.push_back(Button(bar, 250 + 27 * i, 27, "SK_UP", skinned));
        auto* spacer = new TskSkinBevel(form);
        spacer->SetParent(bar);
        spacer->SetShape(TskBevelShape::skSpacer);
        spacer->SetBounds(331, 0, 10, 25);
        auto* view = Button<TskSkinMenuSpeedButton>(bar, 341, 37, "SK_LVSTYLE", skinned);
        for (TControl* c : {static_cast<TControl*>(buttons[0]), static_cast<TControl*>(buttons[1]),
                 static_cast<TControl*>(buttons[2]), static_cast<TControl*>(spacer), static_cast<TControl*>(view)})
            c->SetAlign(TAlign::alRight);
        bar->EnableAlign();

        if (skinned) {
            // "toolpanel" fixes the height at 32 and offers (3, 3, W - 3, 29);
            // the buttons take the skin's height 26 and sit at y = 3.
            EXPECT_EQ(bar->Height(), 32);
            EXPECT_EQ(bar->ChildLayoutRect(), (Rect{3, 3, 397, 29}));
            EXPECT_EQ(left_spacer->BoundsRect(), (Rect{3, 3, 13, 29}));
            EXPECT_EQ(buttons[0]->BoundsRect(), (Rect{269, 3, 296, 29}));
            EXPECT_EQ(buttons[2]->BoundsRect(), (Rect{323, 3, 350, 29}));
            EXPECT_EQ(spacer->BoundsRect(), (Rect{350, 3, 360, 29}));
            EXPECT_EQ(view->BoundsRect(), (Rect{360, 3, 397, 29}));
        } else {
            // 27 x 25 and 37 x 25 in the bar's whole client.
            EXPECT_EQ(bar->Height(), 25);
            EXPECT_EQ(bar->ChildLayoutRect(), (Rect{0, 0, 400, 25}));
            EXPECT_EQ(buttons[0]->BoundsRect(), (Rect{272, 0, 299, 25}));
            EXPECT_EQ(view->BoundsRect(), (Rect{363, 0, 400, 25}));
        }
        delete bar;
    }
}

TEST_F(ToolBar, SkinningTheBarSkinsAndCentresItsChildren)
{
    // Built unskinned, then given the skin: the bar hands it to its tool
    // buttons and bevels, grows to 32 and centres them again.
    TskSkinToolBar* bar = Bar(false);
    auto* b = Button(bar, 10, 27, "SK_BACK", false);
    auto* bevel = new TskSkinBevel(form);
    bevel->SetParent(bar);
    bevel->SetBounds(50, 0, 10, 20);
    EXPECT_EQ(b->BoundsRect(), (Rect{10, 0, 37, 25}));
    EXPECT_EQ(bevel->Top(), 2); // 0 + 25 div 2 - 20 div 2
    EXPECT_FALSE(bevel->Skinned());
    EXPECT_EQ(bevel->LightColor(), clBtnHighlight);
    EXPECT_EQ(bevel->DarkColor(), clBtnShadow);

    bar->SetSkinData(data);
    EXPECT_EQ(b->SkinData(), data);
    EXPECT_TRUE(b->Skinned());
    EXPECT_EQ(b->BoundsRect(), (Rect{10, 3, 37, 29}));
    EXPECT_EQ(bevel->Top(), 6); // 3 + 26 div 2 - 20 div 2
    bevel->ApplySkin();
    EXPECT_EQ(bevel->LightColor(), static_cast<Color>(16777215));
    EXPECT_EQ(bevel->DarkColor(), static_cast<Color>(14988432));
}

TEST_F(ToolBar, AdjustControlsCentresEveryChildThatIsNotDocked)
{
    TskSkinToolBar* bar = Bar(false);
    bar->SetBounds(10, 20, 400, 41);
    auto* b = Button(bar, 10, 27, "SK_BACK", false);
    auto* label = new TLabel(form); // neither skinned nor docked
    label->SetParent(bar);
    label->SetBounds(60, 0, 50, 15);
    auto* docked = new TLabel(form);
    docked->SetParent(bar);
    docked->SetBounds(120, 0, 50, 15);
    docked->SetAlign(TAlign::alLeft);
    // A skinned child centres itself; the others wait for the bar.
    EXPECT_EQ(b->Top(), 8); // 41 div 2 - 25 div 2 = 20 - 12
    EXPECT_EQ(label->Top(), 0);
    bar->SetBounds(10, 20, 400, 61);
    EXPECT_EQ(b->Top(), 18);
    EXPECT_EQ(label->Top(), 23); // 30 - 7
    EXPECT_EQ(docked->BoundsRect(), (Rect{0, 0, 50, 61}));
    // Halves round toward zero: 61 div 2 - 24 div 2 = 18.
    b->SetBounds(10, 0, 27, 24);
    EXPECT_EQ(b->Top(), 18);

    // Off, children keep what they are given; back on, they centre at once.
    bar->SetAdjustControls(false);
    b->SetBounds(10, 1, 27, 25);
    label->SetBounds(60, 2, 50, 15);
    bar->SetBounds(10, 20, 400, 71);
    EXPECT_EQ(b->Top(), 1);
    EXPECT_EQ(label->Top(), 2);
    bar->SetAdjustControls(true);
    EXPECT_EQ(b->Top(), 23);
    EXPECT_EQ(label->Top(), 28);
}

TEST_F(ToolBar, BehaviourThroughInjectedInput)
{
    // Two buttons on a bar, and a log of mouse-downs (Ad), mouse-ups (Au)
    // and clicks (with the time since the case began).
    struct World {
        TskSkinSpeedButton* a;
        TskSkinSpeedButton* b;
        std::string log;
    };
    struct Step {
        enum Op { Move, Press, Release, Wait, Run } op;
        char target = 0; // 'A', 'B' or 0 for a point far off
        int n = 0;
        std::function<void(World&)> run{};
    };
    auto move = [](char t) { return Step{Step::Move, t}; };
    auto press = [](char t) { return Step{Step::Press, t}; };
    auto release = [](char t) { return Step{Step::Release, t}; };
    auto wait = [](int ms) { return Step{Step::Wait, 0, ms}; };
    auto run = [](std::function<void(World&)> f) { return Step{Step::Run, 0, 0, std::move(f)}; };
    auto click = [&](char t) { return std::vector<Step>{move(t), press(t), release(t)}; };
    auto join = [](std::initializer_list<std::vector<Step>> parts) {
        std::vector<Step> all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    auto group = [](bool all_up) {
        return [all_up](World& w) {
            for (TskSkinSpeedButton* b : {w.a, w.b}) {
                b->SetGroupIndex(1);
                b->AllowAllUp = all_up;
            }
        };
    };
    struct Case {
        const char* name;
        std::function<void(World&)> setup;
        std::vector<Step> steps;
        std::string log;
        std::string downs; // A and B: 1 down, 0 up, x freed
    };
    const std::vector<Case> cases = {
        {"click: the mouse events come before the click", {}, click('A'), "Ad Au A0", "00"},
        {"held down, then released over it", {},
            {move('A'), press('A'), run([](World& w) { EXPECT_TRUE(w.a->DrawnDown()); }), release('A')}, "Ad Au A0",
            "00"},
        {"dragged off and released outside: no click, up", {},
            {move('A'), press('A'), move(0), run([](World& w) {
                 EXPECT_TRUE(w.a->Down());
                 EXPECT_FALSE(w.a->DrawnDown());
             }),
                release(0)},
            "Ad Au", "00"},
        {"dragged off and back", {}, {move('A'), press('A'), move(0), move('A'), release('A')}, "Ad Au A0", "00"},
        {"a quick second press clicks again", {}, join({click('A'), click('A')}), "Ad Au A0 Ad Au A0", "00"},
        {"the right button only fires the mouse events", {}, {move('A'), run([this](World& w) {
                                                                  const Point p = Middle(*w.a);
                                                                  backend.mouse_down(p, MouseButton::Right);
                                                                  backend.mouse_up(p, MouseButton::Right);
                                                              })},
            "Ad Au", "00"},
        {"repeat: 1.2 s held clicks at 0.6 s, every 100 ms and at release", [](World& w) { w.a->RepeatMode = true; },
            {move('A'), press('A'), wait(1200), release('A')}, "Ad A600 A700 A800 A900 A1000 A1100 A1200 Au A1200",
            "00"},
        {"repeat: released within 500 ms clicks once", [](World& w) { w.a->RepeatMode = true; },
            {move('A'), press('A'), wait(400), release('A')}, "Ad Au A400", "00"},
        {"repeat: stops off the button, starts again with its delay", [](World& w) { w.a->RepeatMode = true; },
            {move('A'), press('A'), wait(650), move(0), wait(500), move('A'), wait(700), release('A')},
            "Ad A600 A1750 A1850 Au A1850", "00"},
        {"group: clicks on the press, one down at a time, a press on the down one keeps it", group(false),
            join({click('A'), click('B'), click('B')}), "Ad A0 Au Bd B0 Bu Bd Bu", "01"},
        {"group with all-up: a press on the down one raises it on release", group(true),
            join({click('A'), click('B'), click('A')}), "Ad A0 Au Bd B0 Bu Ad Au A0", "01"},
        {"group: setting Down raises the others", group(false), {run([](World& w) {
             w.a->SetDown(true);
             w.b->SetDown(true);
         })},
            "", "01"},
        {"disabled mid-press: no click, the repeat stops", [](World& w) { w.a->RepeatMode = true; },
            {move('A'), press('A'), wait(300), run([](World& w) { w.a->SetEnabled(false); }), wait(1000), release('A')},
            "Ad Au", "00"},
        {"hidden mid-press: no click", {}, {move('A'), press('A'), run([](World& w) { w.a->Hide(); }), release('A')},
            "Ad Au", "00"},
        {"a click handler that frees its button",
            [](World& w) {
                w.a->OnClick = [&w](TComponent* c) {
                    w.log += "A0 ";
                    delete c;
                    w.a = nullptr;
                };
            },
            click('A'), "Ad Au A0", "x0"},
    };

    TskSkinToolBar* bar = Bar();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        World w{};
        w.a = Button(bar, 10);
        w.b = Button(bar, 50);
        pump();
        int64_t start = loop.now_ms();
        auto log_click = [&w, &start, this](const char* name) {
            return
                [&w, &start, this, name](TComponent*) { w.log += name + std::to_string(loop.now_ms() - start) + " "; };
        };
        auto log_mouse = [&w](const char* name) {
            return [&w, name](TComponent*, TMouseButton, TShiftState, int, int) { w.log += std::string(name) + " "; };
        };
        w.a->OnClick = log_click("A");
        w.b->OnClick = log_click("B");
        w.a->OnMouseDown = log_mouse("Ad");
        w.b->OnMouseDown = log_mouse("Bd");
        w.a->OnMouseUp = log_mouse("Au");
        w.b->OnMouseUp = log_mouse("Bu");
        if (c.setup)
            c.setup(w);
        const Point off{300, 250};
        auto at = [&](char t) { return t == 'A' ? Middle(*w.a) : t == 'B' ? Middle(*w.b) : off; };
        pump();
        start = loop.now_ms();
        for (const Step& s : c.steps) {
            switch (s.op) {
            case Step::Move:
                MoveTo(at(s.target));
                break;
            case Step::Press:
                Press(at(s.target));
                break;
            case Step::Release:
                Release(at(s.target));
                break;
            case Step::Wait:
                Wait(s.n);
                break;
            case Step::Run:
                s.run(w);
                pump();
                break;
            }
        }
        if (!w.log.empty())
            w.log.pop_back();
        EXPECT_EQ(w.log, c.log);
        std::string downs;
        for (TskSkinSpeedButton* b : {w.a, w.b})
            downs += !b ? 'x' : b->Down() ? '1' : '0';
        EXPECT_EQ(downs, c.downs);
        for (TskSkinSpeedButton* b : {w.a, w.b})
            EXPECT_FALSE(b && b->RepeatRunning());
        MoveTo(off);
        delete w.a;
        delete w.b;
        // Far apart in time, so no press pairs with the next case's.
        Wait(1000);
    }
}

// ---- Pixels -------------------------------------------------------------------------

TEST_F(ToolBar, StoredSkinLooksWithTheGlyph)
{
    // A 27 x 26 button: C' = (3, 3, 24, 23), so the 16 x 16 glyph sits at
    // (5, 5), one pixel right and down while pressed; disabled, the strip's
    // second image on the disabled look.
    TskSkinToolBar* bar = Bar();
    auto* b = Button(bar, 10);
    const auto& o = Object<TskDataSkinButtonControl>("toolbutton");
    ASSERT_EQ((Size{b->Width(), b->Height()}), (Size{27, 26}));
    const Bitmap glyph = LoadToolGlyph("SK_BACK");
    auto expected = [&](const Rect& look, Point at, int k) {
        Bitmap e = Composed(*b, look);
        Canvas canvas(e);
        DrawGlyph(canvas, at, glyph, 2, k);
        return e;
    };
    EXPECT_TRUE(same_pixels(expected(o.skinrect, {5, 5}, 1), ShotOf(*b))) << "normal";
    MoveTo(Middle(*b));
    EXPECT_TRUE(same_pixels(expected(o.activeskinrect, {5, 5}, 1), ShotOf(*b))) << "hot";
    backend.mouse_down(Middle(*b));
    EXPECT_TRUE(same_pixels(expected(o.downskinrect, {6, 6}, 1), ShotOf(*b))) << "pressed";
    backend.mouse_up(Middle(*b));
    MoveTo({300, 250});
    b->SetEnabled(false);
    EXPECT_TRUE(same_pixels(expected(o.disabledskinrect, {5, 5}, 2), ShotOf(*b))) << "disabled";
    // The glyph is on screen in the skin's accent blue.
    b->SetEnabled(true);
    EXPECT_EQ(ShotOf(*b).pixel(6, 12), make_pixel(62, 106, 170));

    // The view button: 37 x 26, its glyph centred left of the mark that is
    // part of the skin picture.
    auto* view = Button<TskSkinMenuSpeedButton>(bar, 60, 37, "SK_LVSTYLE");
    const auto& m = Object<TskDataSkinMenuButtonControl>("toolmenubutton");
    EXPECT_EQ((Size{view->Width(), view->Height()}), (Size{37, 26}));
    Bitmap e(37, 26);
    Canvas canvas(e);
    ComposeSkin(canvas, *view->Picture(), m.skinrect, view->Geometry(), view->Fit());
    DrawGlyph(canvas, {6, 5}, LoadToolGlyph("SK_LVSTYLE"), 2, 1);
    EXPECT_TRUE(same_pixels(e, ShotOf(*view)));
}

TEST_F(ToolBar, PlainLooksWithoutASkin)
{
    const Pixel face = to_pixel(clBtnFace), shadow = to_pixel(clBtnShadow), navy = to_pixel(clNavy);
    const Pixel accent = make_pixel(62, 106, 170);
    TskSkinToolBar* bar = Bar(false);
    auto* b = Button(bar, 10, 27, "SK_BACK", false);
    // 27 x 25: a clBtnShadow frame around clBtnFace, the glyph at (5, 4).
    Bitmap shot = ShotOf(*b);
    EXPECT_EQ(shot.pixel(0, 0), shadow);
    EXPECT_EQ(shot.pixel(26, 24), shadow);
    EXPECT_EQ(shot.pixel(1, 1), face);
    EXPECT_EQ(shot.pixel(6, 11), accent);
    // Hot: navy frame around the light fill.
    MoveTo(Middle(*b));
    shot = ShotOf(*b);
    EXPECT_EQ(shot.pixel(0, 0), navy);
    EXPECT_EQ(shot.pixel(1, 1), make_pixel(182, 189, 210));
    // Pressed: navy frame around the pressed fill, the glyph one pixel
    // right and down.
    backend.mouse_down(Middle(*b));
    shot = ShotOf(*b);
    EXPECT_EQ(shot.pixel(0, 0), navy);
    EXPECT_EQ(shot.pixel(1, 1), make_pixel(133, 147, 181));
    EXPECT_EQ(shot.pixel(7, 12), accent);
    EXPECT_NE(shot.pixel(6, 11), accent);
    backend.mouse_up(Middle(*b));
    MoveTo({300, 250});

    // Flat at rest: only the glyph, over the bar (here the skinned strip).
    bar->SetSkinData(data);
    auto* flat = Button(bar, 60, 27, "SK_BACK", false);
    flat->Hide();
    const Bitmap behind = ShotOf(*flat);
    bar->SetFlat(true);
    EXPECT_TRUE(flat->Flat() && flat->Transparent() && b->Flat());
    flat->Show();
    Bitmap expected = behind;
    Canvas canvas(expected);
    DrawGlyph(canvas, {5, 4}, LoadToolGlyph("SK_BACK"), 2, 1);
    EXPECT_TRUE(same_pixels(expected, ShotOf(*flat))) << "flat";
    // Flat but opaque: clBtnFace without a frame.
    flat->SetTransparent(false);
    EXPECT_EQ(ShotOf(*flat).pixel(0, 0), face);
    // A skinned transparent button at rest: its glyph in C' over the strip.
    flat->SetTransparent(true);
    flat->SetSkinData(data);
    flat->Hide();
    const Bitmap behind_skinned = ShotOf(*flat);
    flat->Show();
    expected = behind_skinned;
    Canvas skinned(expected);
    DrawGlyph(skinned, {5, 5}, LoadToolGlyph("SK_BACK"), 2, 1);
    EXPECT_TRUE(same_pixels(expected, ShotOf(*flat))) << "skinned, transparent";
}

TEST_F(ToolBar, PlainMenuButtonDrawsItsMarkInTheRightStrip)
{
    const Pixel text = to_pixel(clBtnText);
    TskSkinToolBar* bar = Bar(false);
    auto* view = Button<TskSkinMenuSpeedButton>(bar, 10, 37, "SK_LVSTYLE", false);
    // At rest the mark is centred in x 22..37: lines of 5, 3 and 1 pixels
    // from y 12 down, around x 29; the glyph sits left of the strip.
    Bitmap shot = ShotOf(*view);
    for (int x = 27; x <= 31; ++x)
        EXPECT_EQ(shot.pixel(x, 12), text) << x;
    EXPECT_NE(shot.pixel(26, 12), text);
    EXPECT_EQ(shot.pixel(29, 14), text);
    EXPECT_NE(shot.pixel(28, 14), text);
    EXPECT_EQ(shot.pixel(5, 6), make_pixel(74, 98, 130)); // the glyph at (3, 4), its outline at (2, 2)
    // Pressed the strip starts at 24 and the mark is 2 pixels lower.
    view->SetGroupIndex(1);
    view->SetDown(true);
    shot = ShotOf(*view);
    for (int x = 28; x <= 32; ++x)
        EXPECT_EQ(shot.pixel(x, 14), text) << x;
    EXPECT_EQ(shot.pixel(30, 16), text);
}

TEST_F(ToolBar, BarImagesForButtonsWithoutAGlyph)
{
    // Three one-image lists and the button's own list, each a solid square.
    auto list = [this](Pixel colour) {
        auto* l = new TCustomImageList(form, 16, 16);
        Bitmap strip(16, 16, colour);
        strip.set_pixel(0, 15, make_pixel(255, 0, 255)); // the key
        l->AddMasked(strip);
        return l;
    };
    const Pixel red = make_pixel(255, 0, 0), green = make_pixel(0, 255, 0), blue = make_pixel(0, 0, 255),
                yellow = make_pixel(255, 255, 0);
    TskSkinToolBar* bar = Bar();
    auto* b = Button(bar, 10, 27, nullptr);
    b->SetImageList(list(yellow));
    auto probe = [&] { return ShotOf(*b).pixel(10, 10); }; // inside the image at (5, 5)
    EXPECT_EQ(probe(), yellow) << "the button's own list";
    bar->SetImages(list(red));
    bar->SetHotImages(list(green));
    bar->SetDisabledImages(list(blue));
    EXPECT_EQ(probe(), red) << "the bar's images";
    MoveTo(Middle(*b));
    EXPECT_EQ(probe(), green) << "hot";
    MoveTo({300, 250});
    b->SetEnabled(false);
    EXPECT_EQ(probe(), blue) << "disabled, drawn as it is";
    // An index outside the bar's lists falls back to the button's own list,
    // and a freed list is forgotten.
    b->SetEnabled(true);
    delete bar->Images();
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(probe(), yellow);
}

TEST_F(ToolBar, SpacerTakesRoomAndDrawsNothingOtherShapesUseTheSkinColours)
{
    TskSkinToolBar* bar = Bar();
    pump();
    const Rect where = Rect::from_xywh(20, 23, 10, 26);
    const Bitmap before = Shot(where);
    auto* spacer = new TskSkinBevel(form);
    spacer->SetParent(bar);
    spacer->SetShape(TskBevelShape::skSpacer);
    spacer->SetBounds(10, 0, 10, 26);
    spacer->SetSkinData(data);
    pump();
    EXPECT_EQ(spacer->BoundsRect(), (Rect{10, 3, 20, 29}));
    EXPECT_TRUE(same_pixels(before, Shot(where)));

    // A lowered box: dark above and left, light below and right.
    auto* box = new TskSkinBevel(form);
    box->SetParent(form);
    box->SetBounds(20, 100, 30, 20);
    pump();
    EXPECT_EQ(Shot(box->BoundsRect()).pixel(0, 0), to_pixel(clBtnShadow));
    EXPECT_EQ(Shot(box->BoundsRect()).pixel(29, 19), to_pixel(clBtnHighlight));
    box->SetSkinData(data);
    box->SetStyle(TskBevelStyle::bsRaised);
    pump();
    EXPECT_EQ(Shot(box->BoundsRect()).pixel(0, 0), to_pixel(static_cast<Color>(16777215)));
    EXPECT_EQ(Shot(box->BoundsRect()).pixel(29, 19), to_pixel(static_cast<Color>(14988432)));
}

TEST_F(ToolBar, WidthFollowsTheCaptionSwitch)
{
    TskSkinToolBar* bar = Bar();
    auto* b = Button(bar, 10, 80);
    b->SetCaption("Back");
    b->WidthWithCaption = 80;
    b->WidthWithoutCaption = 30;
    b->SetShowCaption(false);
    EXPECT_EQ(b->Width(), 30);
    b->SetShowCaption(true);
    EXPECT_EQ(b->Width(), 80);
    // With one of them 0 the width stays; only the picture changes.
    b->WidthWithoutCaption = 0;
    const Bitmap with = ShotOf(*b);
    b->SetShowCaption(false);
    EXPECT_EQ(b->Width(), 80);
    EXPECT_FALSE(same_pixels(with, ShotOf(*b)));
}

TEST_F(ToolBar, MorphAndFrameAnimationOnTheLoopTimers)
{
    auto& o = Object<TskDataSkinButtonControl>("toolbutton");
    o.morphing = true;
    o.morphkind = mkDefault;
    TskSkinToolBar* bar = Bar();
    auto* b = Button(bar, 10);
    auto* transparent = Button(bar, 60);
    transparent->SetTransparent(true);
    EXPECT_TRUE(b->Morphing());
    EXPECT_FALSE(transparent->Morphing());

    const Bitmap normal = ShotOf(*b);
    MoveTo(Middle(*b));
    EXPECT_TRUE(b->MorphRunning());
    Wait(40);
    EXPECT_DOUBLE_EQ(b->MorphFactor(), 0.4);
    const Bitmap halfway = ShotOf(*b);
    Wait(100);
    EXPECT_FALSE(b->MorphRunning());
    Bitmap expected = normal;
    MorphBlend(expected, ShotOf(*b), 0.4, mkDefault);
    EXPECT_TRUE(same_pixels(expected, halfway));
    MoveTo(Middle(*transparent));
    EXPECT_FALSE(transparent->MorphRunning());
    Wait(40);
    EXPECT_DOUBLE_EQ(b->MorphFactor(), 0.6) << "fading back";
    b->SetEnabled(false);
    EXPECT_FALSE(b->MorphRunning());
    EXPECT_EQ(b->MorphFactor(), 0.0);

    // Frames on entering; never on a flat button.
    o.morphing = false;
    o.animateskinrect = {0, 0, 75, 26}; // three 25-pixel frames side by side
    o.framecount = 3;
    o.animateinterval = 25;
    b->SetEnabled(true);
    b->ApplySkin();
    MoveTo(Middle(*b));
    std::vector<int> frames{b->AnimationFrame()};
    for (int i = 0; i < 3; ++i) {
        Wait(25);
        frames.push_back(b->AnimationFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0}));
    MoveTo({300, 250});
    b->SetFlat(true);
    MoveTo(Middle(*b));
    EXPECT_EQ(b->AnimationFrame(), 0);
}

// ---- The menu button ------------------------------------------------------------------

struct MenuButton : ToolBar {
    std::vector<std::string> log;
    TskSkinPopupMenu* menu = nullptr;
    TskSkinToolBar* bar = nullptr;
    TskSkinMenuSpeedButton* view = nullptr;

    void SetUp() override
    {
        ToolBar::SetUp();
        auto* host = new TskSkinMenuHost(form);
        host->SetSkinData(data);
        menu = new TskSkinPopupMenu(form);
        for (const char* caption : {"Large icons", "Small icons", "List", "Details"}) {
            auto* item = new TMenuItem(nullptr);
            item->Caption = caption;
            item->RadioItem = true;
            item->OnClick = [this](TMenuItem* it) {
                log.push_back("run " + it->Caption);
                // The button is up again before the command runs.
                if (view->Down())
                    log.push_back("still down");
            };
            menu->Items()->Add(item);
        }
        bar = Bar();
        view = Button<TskSkinMenuSpeedButton>(bar, 300, 37, "SK_LVSTYLE");
        view->SetSkinPopupMenu(menu);
        view->OnClick = [this](TComponent*) { log.push_back("click"); };
        view->OnShowTrackMenu = [this](TComponent*) { log.push_back("show"); };
        view->OnHideTrackMenu = [this](TComponent*) { log.push_back("hide"); };
        pump();
    }

    TskSkinMenu& SkinMenu() { return FindSkinMenuFrame(form)->SkinMenu(); }
};

TEST_F(MenuButton, OpensBelowItselfAndStaysDownUntilTheMenuCloses)
{
    const Point origin = At(*view, {0, 0});
    const auto& m = Object<TskDataSkinMenuButtonControl>("toolmenubutton");
    Bitmap down(37, 26);
    Canvas canvas(down);
    ComposeSkin(canvas, *view->Picture(), m.downskinrect, view->Geometry(), view->Fit());
    DrawGlyph(canvas, {7, 6}, LoadToolGlyph("SK_LVSTYLE"), 2, 1);

    // A press anywhere opens the menu at once, below the button with the
    // left edges aligned; the button is down.
    Press(At(*view, {5, 20}));
    ASSERT_TRUE(SkinMenu().Visible());
    EXPECT_EQ(SkinMenu().Opener(), view);
    EXPECT_EQ(SkinMenu().Windows(0)->WindowHandle()->bounds().top_left(), (Point{origin.x, origin.y + 26}));
    EXPECT_TRUE(view->MenuOpen());
    EXPECT_TRUE(view->Down());
    EXPECT_TRUE(same_pixels(down, ShotOf(*view))) << "pressed look";
    // The release is no click; moving into the menu keeps the pressed look.
    Release(At(*view, {5, 20}));
    const Rect item = SkinMenu().Windows(0)->ItemScreenRect(3);
    MoveTo(Centre(item));
    Wait(20);
    EXPECT_FALSE(view->MouseIn());
    EXPECT_TRUE(view->DrawnDown());
    EXPECT_TRUE(same_pixels(down, ShotOf(*view))) << "pressed look, pointer in the menu";

    // Choosing an item closes the menu, which raises the button first.
    Press(Centre(item));
    Release(Centre(item));
    Wait(20);
    EXPECT_FALSE(SkinMenu().Visible());
    EXPECT_FALSE(view->MenuOpen());
    EXPECT_FALSE(view->Down());
    EXPECT_EQ(log, (std::vector<std::string>{"show", "hide", "run Details"}));

    // Closed another way (a press elsewhere in the form): up again as well.
    log.clear();
    Press(Middle(*view));
    Release(Middle(*view));
    EXPECT_TRUE(view->Down());
    Press({200, 250});
    Release({200, 250});
    EXPECT_FALSE(SkinMenu().Visible());
    EXPECT_FALSE(view->Down());
    EXPECT_EQ(log, (std::vector<std::string>{"show", "hide"}));
}

TEST_F(MenuButton, WithoutAMenuToShowTheButtonDoesNotStayDown)
{
    // A menu with no items opens nothing, so no SKM_MENUCLOSED will come.
    auto* empty = new TskSkinPopupMenu(form);
    view->SetSkinPopupMenu(empty);
    Press(Middle(*view));
    EXPECT_FALSE(SkinMenu().Visible());
    EXPECT_FALSE(view->MenuOpen());
    EXPECT_FALSE(view->Down());
    Release(Middle(*view));
    EXPECT_EQ(log, (std::vector<std::string>{"show", "hide"}));
    // Without any menu the button is an ordinary one.
    log.clear();
    delete empty;
    EXPECT_EQ(view->SkinPopupMenu(), nullptr);
    Press(Middle(*view));
    Release(Middle(*view));
    EXPECT_EQ(log, (std::vector<std::string>{"click"}));
}

TEST_F(MenuButton, TrackModeOpensFromTheTrackPartOnly)
{
    view->TrackButtonMode = true;
    // The skin's trackbuttonrect 20..31 moved right by the width growth.
    EXPECT_EQ(view->TrackPart(), (Rect{26, 0, 37, 26}));
    Press(At(*view, {10, 13}));
    Release(At(*view, {10, 13}));
    EXPECT_FALSE(SkinMenu().Visible());
    EXPECT_EQ(log, (std::vector<std::string>{"click"}));
    Press(At(*view, {30, 13}));
    EXPECT_TRUE(SkinMenu().Visible());
    // Open in track mode: the active look with the track part pressed.
    const auto& m = Object<TskDataSkinMenuButtonControl>("toolmenubutton");
    const Bitmap shot = ShotOf(*view);
    const Bitmap& picture = Picture(m.pictureindex);
    EXPECT_EQ(shot.pixel(1, 1), picture.pixel(m.activeskinrect.left + 1, m.activeskinrect.top + 1));
    EXPECT_EQ(shot.pixel(27, 1), picture.pixel(m.downskinrect.left + 21, m.downskinrect.top + 1));
    SkinMenu().CloseAll();
    EXPECT_FALSE(view->Down());
}

} // namespace
} // namespace lt
