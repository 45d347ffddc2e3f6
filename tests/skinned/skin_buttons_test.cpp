// Skinned buttons and check boxes with the stored skin on the headless
// desktop: the state -> look rules, the morph blends and the morph and
// animation timers, the button's behaviour through injected input on virtual
// time, the check box's state transitions, and pixel probes of the looks.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skinned/morph.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_checkbox.h"
#include "tests/gfx/pixels.h"
#include "tests/skinned/skinned_fixture.h"
#include "text/cp936.h"

namespace lt {
namespace {

using test::same_pixels;

// ---- State -> look, without controls ---------------------------------------------

TEST(ButtonLook, FirstMatchingRuleWithTheSkinsFallbacks)
{
    const Rect N{0, 0, 10, 5}, A{10, 0, 20, 5}, D{20, 0, 30, 5}, F{30, 0, 40, 5}, X{40, 0, 50, 5}, Fr{50, 0, 60, 5};
    const ButtonLooks all{N, A, D, F, X};
    const ButtonLooks bare{N, A, D, {}, {}}; // no focused and no disabled look
    auto look = [](Rect r, bool down, bool active) {
        ButtonLook l;
        l.source = r;
        l.down = down;
        l.active = active;
        return l;
    };
    ButtonLook blend;
    blend.morph = true;
    blend.morph_normal = N;
    blend.morph_active = A;
    struct Case {
        const char* name;
        ButtonLooks looks;
        std::function<void(ButtonLookState&)> state;
        ButtonLook expected;
    };
    const Case cases[] = {
        {"normal", all, [](ButtonLookState&) {}, look(N, false, false)},
        {"hot", all, [](ButtonLookState& s) { s.pointer_over = true; }, look(A, false, true)},
        {"pressed over it", all, [](ButtonLookState& s) { s.down = s.pointer_over = s.mouse_pressed = true; },
            look(D, true, true)},
        {"pressed, dragged off", all, [](ButtonLookState& s) { s.down = s.mouse_pressed = true; },
            look(N, false, false)},
        {"latched in a group, pointer away", all, [](ButtonLookState& s) { s.down = s.grouped = true; },
            look(D, true, true)},
        {"down by Space while focused", all, [](ButtonLookState& s) { s.down = s.focused = true; },
            look(D, true, true)},
        {"focused while the mouse holds it off", all,
            [](ButtonLookState& s) { s.down = s.focused = s.mouse_pressed = true; }, look(F, false, true)},
        {"focused", all, [](ButtonLookState& s) { s.focused = true; }, look(F, false, true)},
        {"focused without a focused look", bare, [](ButtonLookState& s) { s.focused = true; }, look(A, false, true)},
        {"focused while animating", all, [](ButtonLookState& s) { s.focused = s.animating = true; },
            look(A, false, true)},
        {"disabled", all, [](ButtonLookState& s) { s.enabled = false; }, look(X, false, false)},
        {"disabled without a disabled look, down", bare,
            [](ButtonLookState& s) {
                s.enabled = false;
                s.down = s.grouped = true;
            },
            look(D, true, true)},
        {"disabled without a disabled look", bare, [](ButtonLookState& s) { s.enabled = false; },
            look(N, false, false)},
        {"morph halfway", all,
            [](ButtonLookState& s) {
                s.morphing = true;
                s.morph = 0.4;
                s.pointer_over = true;
            },
            blend},
        {"morph halfway, disabled", all,
            [](ButtonLookState& s) {
                s.morphing = true;
                s.morph = 0.4;
                s.enabled = false;
            },
            look(X, false, false)},
        {"morph at 1, pointer gone", all,
            [](ButtonLookState& s) {
                s.morphing = true;
                s.morph = 1.0;
            },
            look(A, false, true)},
        {"forward animation frame replaces the active look", all,
            [&](ButtonLookState& s) {
                s.pointer_over = s.animating = true;
                s.animation_frame = Fr;
            },
            look(Fr, false, true)},
        {"backward animation frame replaces the normal look", all,
            [&](ButtonLookState& s) {
                s.animating = true;
                s.animation_forward = false;
                s.animation_frame = Fr;
            },
            look(Fr, false, false)},
    };
    for (const Case& c : cases) {
        ButtonLookState s;
        c.state(s);
        EXPECT_EQ(ChooseButtonLook(c.looks, s), c.expected) << c.name;
    }
}

TEST(ButtonLook, AnimationFramesSideBySideOrStacked)
{
    const Size skin{10, 5};
    struct Case {
        Rect strip;
        int framecount, frame;
        Rect expected;
    };
    const Case cases[] = {
        {{100, 50, 130, 55}, 3, 1, {100, 50, 110, 55}}, // wider than the look: side by side
        {{100, 50, 130, 55}, 3, 3, {120, 50, 130, 55}},
        {{100, 50, 110, 65}, 3, 2, {100, 55, 110, 60}}, // as wide: stacked
        {{100, 50, 130, 55}, 3, 0, {}},                 // no frame running
        {{100, 50, 130, 55}, 3, 4, {}},
        {{100, 50, 130, 55}, 0, 1, {}}, // framecount 0: no animation
        {{100, 50, 130, 55}, -2, 1, {}},
        {{}, 3, 1, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnimationFrameRect(c.strip, skin, c.framecount, c.frame), c.expected)
            << c.framecount << " frames, frame " << c.frame;
}

TEST(CheckImage, TheMarkByEnabledPointerAndState)
{
    const Rect C{0, 0, 13, 13}, U{13, 0, 26, 13}, AC{26, 0, 39, 13}, AU{39, 0, 52, 13}, DC{52, 0, 65, 13},
        DU{65, 0, 78, 13}, G{78, 0, 91, 13}, AG{91, 0, 104, 13};
    const CheckImageLooks with_grey{C, U, AC, AU, DC, DU, G, AG};
    const CheckImageLooks no_grey{C, U, AC, AU, DC, DU, {}, {}};
    const CheckImageLooks no_hot_grey{C, U, AC, AU, DC, DU, G, {}};
    struct Case {
        const CheckImageLooks* looks;
        bool enabled, over;
        TCheckBoxState state;
        CheckImage expected;
    };
    const Case cases[] = {
        {&with_grey, true, true, cbChecked, {AC}},
        {&with_grey, true, true, cbUnchecked, {AU}},
        {&with_grey, true, true, cbGrayed, {AG}},
        {&no_hot_grey, true, true, cbGrayed, {G}},
        {&no_grey, true, true, cbGrayed, {AC, true}},
        {&with_grey, true, false, cbChecked, {C}},
        {&with_grey, true, false, cbUnchecked, {U}},
        {&with_grey, true, false, cbGrayed, {G}},
        {&no_grey, true, false, cbGrayed, {C, true}},
        {&with_grey, false, false, cbChecked, {DC}},
        {&with_grey, false, false, cbUnchecked, {DU}},
        {&no_grey, false, true, cbGrayed, {DC, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseCheckImage(*c.looks, c.enabled, c.over, c.state), c.expected)
            << "enabled " << c.enabled << " over " << c.over << " state " << c.state;

    // Grey made from a mark: every channel half way to white, rounded.
    Bitmap picture(2, 1);
    picture.set_pixel(0, 0, make_pixel(0, 1, 255));
    picture.set_pixel(1, 0, make_pixel(100, 201, 254));
    const Bitmap grey = LightenedImage(picture, {0, 0, 2, 1});
    EXPECT_EQ(grey.pixel(0, 0), make_pixel(128, 128, 255));
    EXPECT_EQ(grey.pixel(1, 0), make_pixel(178, 228, 255));
}

// ---- Morph blends ------------------------------------------------------------------

// Each pixel of N and A carries its own red value, so a result shows which
// pixel it came from and with which weight; A's reds are N's plus 100, so a
// weight w gives A - 100 w.
TEST(MorphFormulas, PixelForPixel)
{
    struct Case {
        TMorphKind kind;
        double f;
        int w, h;
        std::vector<int> reds; // the result, row by row
    };
    const Case cases[] = {
        {mkDefault, 0.4, 5, 1, {50, 60, 70, 80, 90}},
        // a = 2: column 0 pure A, column 1 half way, column 2 on pure N.
        {mkLeftGradient, 0.4, 5, 1, {110, 70, 30, 40, 50}},
        // a = 3: weights x / 3 (1/3 and 2/3 round to the nearest).
        {mkLeftGradient, 0.6, 5, 1, {110, 87, 63, 40, 50}},
        // a = 5 - 2 = 3: column 4 pure A, column 3 half way.
        {mkRightGradient, 0.4, 5, 1, {10, 20, 30, 90, 150}},
        {mkLeftSlide, 0.4, 5, 1, {140, 150, 30, 40, 50}},
        {mkRightSlide, 0.4, 5, 1, {10, 20, 30, 110, 120}},
        {mkPush, 0.4, 5, 1, {130, 140, 150, 10, 20}},
        // Band of A over columns 1..3; s = 1, so one column to fade to N.
        {mkGradient, 0.4, 5, 1, {10, 120, 130, 140, 50}},
        // Band at column 2; s = 2, steps of 0.5.
        {mkGradient, 0.2, 5, 1, {10, 70, 130, 90, 50}},
        // s = 0 across the width: a step of 1, so the rest is N.
        {mkGradient, 0.75, 4, 1, {10, 120, 130, 140}},
        // Taller than wide: the band runs across the rows.
        {mkGradient, 0.2, 1, 5, {10, 20, 130, 40, 50}},
        // s = 0 across the height: a step of 0, so the rest is A.
        {mkGradient, 0.75, 1, 4, {110, 120, 130, 140}},
        // One column: the column ranges are clamped to the picture.
        {mkLeftGradient, 0.4, 1, 1, {110}},
        {mkRightSlide, 0.4, 1, 1, {110}},
        {mkPush, 0.4, 1, 1, {110}},
    };
    auto picture = [](int w, int h, int base) {
        Bitmap b(w, h);
        for (int i = 0; i < w * h; ++i)
            b.set_pixel(i % w, i / w, make_pixel(static_cast<unsigned>(base + 10 * i), 0, 0));
        return b;
    };
    for (const Case& c : cases) {
        Bitmap n = picture(c.w, c.h, 10);
        MorphBlend(n, picture(c.w, c.h, 110), c.f, c.kind);
        std::vector<int> reds;
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                reds.push_back(static_cast<int>(pixel_red(n.pixel(x, y))));
        EXPECT_EQ(reds, c.reds) << MorphKindName(c.kind) << " f " << c.f << " " << c.w << " x " << c.h;
    }
    // Channels are blended alike, rounded and kept in 0..255.
    Bitmap n(1, 1, make_pixel(0, 255, 7)), a(1, 1, make_pixel(255, 0, 8));
    MorphBlend(n, a, 0.3, mkDefault);
    EXPECT_EQ(n.pixel(0, 0), make_pixel(77, 179, 7));
}

TEST(MorphFormulas, TheFactorWalksInFifthsAndLandsExactly)
{
    std::vector<double> up;
    double f = 0.0;
    for (MorphTick t = StepMorph(f, true); !t.done; t = StepMorph(f, true))
        up.push_back(f = t.factor);
    EXPECT_EQ(up, (std::vector<double>{0.2, 0.4, 0.6, 0.8, 1.0}));
    std::vector<double> down;
    for (MorphTick t = StepMorph(f, false); !t.done; t = StepMorph(f, false))
        down.push_back(f = t.factor);
    EXPECT_EQ(down, (std::vector<double>{0.8, 0.6, 0.4, 0.2, 0.0}));
}

// ---- Buttons on the headless desktop -------------------------------------------------

struct Buttons : test::SkinnedForm {
    template <class T>
    T& Object(const char* name)
    {
        return dynamic_cast<T&>(*data->SkinControls[static_cast<size_t>(data->FindSkinControl(name))]);
    }
    TskDataSkinButtonControl& ButtonObject() { return Object<TskDataSkinButtonControl>("button"); }

    // The button's picture on screen, after the pending paint.
    Bitmap ShotOf(const TControl& c)
    {
        pump();
        return Shot(c.BoundsRect());
    }
    // The look `r` of the skin picture composed for a control of `size`, as
    // the composition routines build it (they have tests of their own).
    Bitmap Composed(const TskSkinCustomControl& c, const Rect& r)
    {
        Bitmap b(c.Width(), c.Height());
        Canvas canvas(b);
        ComposeSkin(canvas, *c.Picture(), r, c.Geometry(), c.Fit());
        return b;
    }
};

TEST_F(Buttons, BehaviourThroughInjectedInput)
{
    // Two buttons, a check box standing for a control that is no button,
    // and a log of clicks (with the time since the case began) and mouse-ups.
    struct World {
        TskSkinButton* a;
        TskSkinButton* b;
        TskSkinCheckRadioBox* other;
        std::string log;
    };
    const Point A{47, 21}, B{137, 21}, OFF{300, 200};
    struct Step {
        enum Op { Move, Press, Release, Wait, KeyDown, KeyUp, Run } op;
        Point at{};
        int n = 0;
        std::function<void(World&)> run{};
    };
    auto move = [](Point p) { return Step{Step::Move, p}; };
    auto press = [](Point p) { return Step{Step::Press, p}; };
    auto release = [](Point p) { return Step{Step::Release, p}; };
    auto wait = [](int ms) { return Step{Step::Wait, {}, ms}; };
    auto key_down = [](int vk) { return Step{Step::KeyDown, {}, vk}; };
    auto key_up = [](int vk) { return Step{Step::KeyUp, {}, vk}; };
    auto run = [](std::function<void(World&)> f) { return Step{Step::Run, {}, 0, std::move(f)}; };
    auto click_at = [&](Point p) { return std::vector<Step>{move(p), press(p), release(p)}; };
    auto join = [](std::initializer_list<std::vector<Step>> parts) {
        std::vector<Step> all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    struct Case {
        const char* name;
        std::function<void(World&)> setup;
        std::vector<Step> steps;
        std::string log;
        std::string downs; // A and B: 1 down, 0 up, x freed
    };
    const std::vector<Case> cases = {
        {"click", {}, click_at(A), "A0 Au", "00"},
        {"drag off and release outside: no click, up", {},
            {move(A), press(A), run([](World& w) { EXPECT_TRUE(w.a->Down()); }), move(OFF),
                run([](World& w) { EXPECT_FALSE(w.a->MouseIn()); }), release(OFF)},
            "Au", "00"},
        {"drag off and back", {}, {move(A), press(A), move(OFF), move(A), release(A)}, "A0 Au", "00"},
        {"repeat: 1.2 s hold clicks at 0.6 s, every 100 ms and at release", [](World& w) { w.a->RepeatMode = true; },
            {move(A), press(A), wait(1200), release(A)}, "A600 A700 A800 A900 A1000 A1100 A1200 A1200 Au", "00"},
        {"repeat: released within 500 ms clicks once", [](World& w) { w.a->RepeatMode = true; },
            {move(A), press(A), wait(400), release(A)}, "A400 Au", "00"},
        {"repeat: stops off the button, starts again with its delay on return",
            [](World& w) { w.a->RepeatMode = true; },
            {move(A), press(A), wait(650), move(OFF), wait(500), move(A), wait(700), release(A)},
            "A600 A1750 A1850 A1850 Au", "00"},
        {"group without all-up: one down at a time, a press on the down one keeps it",
            [](World& w) {
                w.a->SetGroupIndex(1);
                w.b->SetGroupIndex(1);
            },
            join({click_at(A), click_at(B), click_at(B)}), "A0 Au B0 Bu Bu", "01"},
        {"group with all-up: presses keep the others, a press on a down one raises it",
            [](World& w) {
                for (TskSkinButton* b : {w.a, w.b}) {
                    b->SetGroupIndex(1);
                    b->AllowAllUp = true;
                }
            },
            join({click_at(A), click_at(B), click_at(A)}), "A0 Au B0 Bu A0 Au", "01"},
        {"a click handler that hides its button: no mouse-up",
            [](World& w) {
                w.a->OnClick = [&w](TComponent* c) {
                    w.log += "A0 ";
                    static_cast<TskSkinButton*>(c)->Hide();
                };
            },
            click_at(A), "A0", "00"},
        {"a click handler that frees its button",
            [](World& w) {
                w.a->OnClick = [&w](TComponent* c) {
                    w.log += "A0 ";
                    delete c;
                    w.a = nullptr;
                };
            },
            click_at(A), "A0", "x0"},
        {"Space: down on the key, click on its release", [](World& w) { w.a->SetFocus(); },
            {key_down(VK_SPACE), run([](World& w) { EXPECT_TRUE(w.a->Down()); }), key_up(VK_SPACE)}, "A0", "00"},
        {"Space in repeat mode clicks on every key down and on the release",
            [](World& w) {
                w.a->RepeatMode = true;
                w.a->SetFocus();
            },
            {key_down(VK_SPACE), key_down(VK_SPACE), key_up(VK_SPACE)}, "A0 A0 A0", "00"},
        {"Enter clicks the focused button once", [](World& w) { w.a->SetFocus(); },
            {key_down(VK_RETURN), key_up(VK_RETURN)}, "A0", "00"},
        {"Enter clicks the default button while the focus is on no button; it looks hot",
            [](World& w) {
                w.b->SetDefault(true);
                w.other->SetFocus();
            },
            {run([](World& w) { EXPECT_TRUE(w.b->MouseIn()); }), key_down(VK_RETURN), key_up(VK_RETURN)}, "B0", "00"},
        {"Enter clicks the focused button, not the default",
            [](World& w) {
                w.b->SetDefault(true);
                w.a->SetFocus();
            },
            {run([](World& w) { EXPECT_FALSE(w.b->MouseIn()); }), key_down(VK_RETURN), key_up(VK_RETURN)}, "A0", "00"},
        {"Esc clicks the Cancel button",
            [](World& w) {
                w.b->Cancel = true;
                w.other->SetFocus();
            },
            {key_down(VK_ESCAPE), key_up(VK_ESCAPE)}, "B0", "00"},
        {"disabled mid-press: no click, the repeat stops", [](World& w) { w.a->RepeatMode = true; },
            {move(A), press(A), wait(300), run([](World& w) { w.a->SetEnabled(false); }), wait(1000), release(A)}, "",
            "00"},
        {"a button that takes no focus clicks without it",
            [](World& w) {
                w.a->SetCanFocused(false);
                w.other->SetFocus();
            },
            join({click_at(A), {run([](World& w) { EXPECT_TRUE(w.other->Focused()); })}}), "A0 Au", "00"},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        World w{};
        w.a = Add<TskSkinButton>("button", 10, 10, 75, 22);
        w.b = Add<TskSkinButton>("button", 100, 10, 75, 22);
        w.other = Add<TskSkinCheckRadioBox>("checkbox", 10, 60, 150, 25);
        pump();
        int64_t start = loop.now_ms();
        auto log_click = [&w, &start, this](const char* name) {
            return
                [&w, &start, this, name](TComponent*) { w.log += name + std::to_string(loop.now_ms() - start) + " "; };
        };
        w.a->OnClick = log_click("A");
        w.b->OnClick = log_click("B");
        w.a->OnMouseUp = [&w](TComponent*, TMouseButton, TShiftState, int, int) { w.log += "Au "; };
        w.b->OnMouseUp = [&w](TComponent*, TMouseButton, TShiftState, int, int) { w.log += "Bu "; };
        if (c.setup)
            c.setup(w);
        pump();
        start = loop.now_ms();
        for (const Step& s : c.steps) {
            switch (s.op) {
            case Step::Move:
                MoveTo(s.at);
                break;
            case Step::Press:
                Press(s.at);
                break;
            case Step::Release:
                Release(s.at);
                break;
            case Step::Wait:
                Wait(s.n);
                break;
            case Step::KeyDown:
                backend.key_down(s.n);
                pump();
                break;
            case Step::KeyUp:
                backend.key_up(s.n);
                pump();
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
        for (TskSkinButton* b : {w.a, w.b})
            downs += !b ? 'x' : b->Down() ? '1' : '0';
        EXPECT_EQ(downs, c.downs);
        for (TskSkinButton* b : {w.a, w.b})
            EXPECT_FALSE(b && b->RepeatRunning());
        MoveTo(OFF);
        delete w.a;
        delete w.b;
        delete w.other;
        pump();
    }
}

TEST_F(Buttons, ModalResultGoesToTheFormOnClick)
{
    auto* b = Add<TskSkinButton>("button", 10, 10, 75, 22);
    b->ModalResult = mrOk;
    b->Click();
    EXPECT_EQ(form->ModalResult(), mrOk);
    // A button that takes no focus leaves the form's result alone.
    form->SetModalResult(mrNone);
    b->SetCanFocused(false);
    b->Click();
    EXPECT_EQ(form->ModalResult(), mrNone);
}

TEST_F(Buttons, StoredSkinLooksPixelForPixel)
{
    // A 75 x 25 button takes the skin's height 22; without a caption its
    // picture is the look composed by the horizontal three-piece.
    auto* b = Add<TskSkinButton>("button", 10, 10, 75, 25);
    EXPECT_EQ(b->Height(), 22);
    const ButtonLooks looks = b->Looks();
    const TskDataSkinButtonControl& o = ButtonObject();
    EXPECT_EQ(looks.active, o.activeskinrect);
    EXPECT_EQ(looks.down, o.downskinrect);
    EXPECT_EQ(looks.disabled, o.disabledskinrect);

    EXPECT_TRUE(same_pixels(Composed(*b, o.skinrect), ShotOf(*b))) << "normal";
    MoveTo({40, 20});
    EXPECT_TRUE(same_pixels(Composed(*b, o.activeskinrect), ShotOf(*b))) << "hot";
    backend.mouse_down({40, 20});
    EXPECT_TRUE(same_pixels(Composed(*b, o.downskinrect), ShotOf(*b))) << "pressed";
    backend.mouse_up({40, 20});
    MoveTo({300, 200});
    b->SetEnabled(false);
    const Bitmap disabled = ShotOf(*b);
    EXPECT_TRUE(same_pixels(Composed(*b, o.disabledskinrect), disabled)) << "disabled";
    // The left piece is the skin's own pixels; the right piece its right end.
    const Bitmap& picture = Picture(o.pictureindex);
    EXPECT_EQ(disabled.pixel(1, 1), picture.pixel(o.disabledskinrect.left + 1, o.disabledskinrect.top + 1));
    EXPECT_EQ(disabled.pixel(74, 21), picture.pixel(o.disabledskinrect.right - 1, o.disabledskinrect.bottom - 1));
}

TEST_F(Buttons, FallbacksOfEmptyLooksAndTheDisabledCaptionColour)
{
    TskDataSkinButtonControl& o = ButtonObject();
    const Rect active = o.activeskinrect;
    o.downskinrect = {};
    o.disabledskinrect = {};
    o.disabledfontcolor = o.fontcolor;
    auto* b = Add<TskSkinButton>("button", 10, 10, 75, 22);
    EXPECT_EQ(b->Looks().down, active);
    o.activeskinrect = {};
    b->ApplySkin();
    EXPECT_EQ(b->Looks().active, o.skinrect);
    EXPECT_EQ(b->Looks().down, o.skinrect);
    EXPECT_TRUE(b->Looks().disabled.empty());

    // Without a disabled look a disabled button shows its normal picture
    // with the caption in grey (its disabled colour equals the normal one).
    b->SetCaption("MMMM");
    b->SetEnabled(false);
    const Bitmap shot = ShotOf(*b);
    int grey = 0, normal = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            grey += shot.pixel(x, y) == make_pixel(128, 128, 128);
            normal += shot.pixel(x, y) == to_pixel(o.fontcolor);
        }
    EXPECT_GT(grey, 10);
    EXPECT_EQ(normal, 0);
}

TEST_F(Buttons, MorphOnWindowTimersBlendsTheTwoLooks)
{
    TskDataSkinButtonControl& o = ButtonObject();
    o.morphing = true;
    o.morphkind = mkLeftGradient;
    auto* b = Add<TskSkinButton>("button", 10, 10, 121, 22);
    EXPECT_TRUE(b->Morphing());
    const Bitmap normal = ShotOf(*b);
    MoveTo({40, 20});
    EXPECT_TRUE(b->MorphRunning());
    Wait(20);
    Wait(20);
    EXPECT_DOUBLE_EQ(b->MorphFactor(), 0.4);
    const Bitmap halfway = ShotOf(*b);
    Wait(60);
    EXPECT_EQ(b->MorphFactor(), 1.0);
    EXPECT_TRUE(b->MorphRunning()); // one more tick finds it there and stops
    Wait(20);
    EXPECT_FALSE(b->MorphRunning());
    const Bitmap active = ShotOf(*b);
    EXPECT_TRUE(same_pixels(Composed(*b, o.activeskinrect), active));
    Bitmap expected = normal;
    MorphBlend(expected, active, 0.4, mkLeftGradient);
    EXPECT_TRUE(same_pixels(expected, halfway));

    // Leaving fades back; disabling stops the fade at 0 at once.
    MoveTo({300, 200});
    Wait(40);
    EXPECT_DOUBLE_EQ(b->MorphFactor(), 0.6);
    b->SetEnabled(false);
    EXPECT_FALSE(b->MorphRunning());
    EXPECT_EQ(b->MorphFactor(), 0.0);
}

TEST_F(Buttons, FrameAnimationStepsOnItsTimer)
{
    TskDataSkinButtonControl& o = ButtonObject();
    o.animateskinrect = {0, 0, 126, 22}; // three 42-pixel frames side by side
    o.framecount = 3;
    o.animateinterval = 25;
    auto* b = Add<TskSkinButton>("button", 10, 10, 75, 22);
    MoveTo({40, 20});
    std::vector<int> frames{b->AnimationFrame()};
    for (int i = 0; i < 3; ++i) {
        Wait(25);
        frames.push_back(b->AnimationFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0}));
    // Backward on leaving, from the last frame.
    MoveTo({300, 200});
    EXPECT_EQ(b->AnimationFrame(), 3);
    // While it runs the frame is the hot look, which the picture shows.
    MoveTo({40, 20});
    EXPECT_TRUE(same_pixels(Composed(*b, {0, 0, 42, 22}), ShotOf(*b)));
    // A frame count of 0 means no animation.
    o.framecount = 0;
    MoveTo({300, 200});
    b->ApplySkin();
    MoveTo({40, 20});
    EXPECT_EQ(b->AnimationFrame(), 0);
    EXPECT_TRUE(same_pixels(Composed(*b, o.activeskinrect), ShotOf(*b)));
}

TEST_F(Buttons, XFormButtonTakesNoFocusAndDrawsItsDefaultImagesUnskinned)
{
    auto* b = new TskSkinXFormButton(form);
    b->SetParent(form);
    b->SetBounds(10, 10, 75, 25);
    EXPECT_FALSE(b->CanFocused());
    EXPECT_FALSE(b->TabStop());
    Bitmap image(30, 12, make_pixel(0, 0, 255)), hot(30, 12, make_pixel(0, 255, 0)), mask(30, 12);
    mask.fill({20, 0, 30, 12}, make_pixel(255, 255, 255)); // the right third is outside
    b->SetDefImage(image);
    b->SetDefActiveImage(hot);
    b->SetDefMask(mask);
    EXPECT_EQ(b->Width(), 30);
    EXPECT_EQ(b->Height(), 12);
    b->SetBounds(10, 10, 80, 40);
    EXPECT_EQ(b->Width(), 30);
    ASSERT_NE(b->WindowHandle()->region(), nullptr);
    EXPECT_EQ(b->WindowHandle()->region()->bounds(), Rect(0, 0, 20, 12));
    EXPECT_EQ(ShotOf(*b).pixel(5, 5), make_pixel(0, 0, 255));
    MoveTo({15, 15});
    EXPECT_EQ(ShotOf(*b).pixel(5, 5), make_pixel(0, 255, 0));
    // Bound to the skin it is a skinned button of the skin's height.
    b->SetSkinData(data);
    EXPECT_EQ(b->Height(), 22);
    EXPECT_EQ(b->WindowHandle()->region(), nullptr);
}

// ---- Check boxes ------------------------------------------------------------------------

struct CheckBoxes : Buttons { };

TEST_F(CheckBoxes, StateTransitions)
{
    // Two boxes X and Y side by side; the log gets the name of each box
    // whose OnClick fires, then ":" and both states (u, c, g) after each step.
    struct Pair {
        TskSkinCheckRadioBox* x;
        TskSkinCheckRadioBox* y;
    };
    using Op = std::function<void(CheckBoxes&, Pair&)>;
    const Point X{20, 22}, Y{220, 22};
    auto click = [](Point p) -> Op {
        return [p](CheckBoxes& t, Pair&) {
            t.Press(p);
            t.Release(p);
        };
    };
    Op drag_off = [X](CheckBoxes& t, Pair&) {
        t.Press(X);
        t.MoveTo({300, 200});
        t.Release({300, 200});
    };
    Op space = [](CheckBoxes& t, Pair& p) {
        p.x->SetFocus();
        t.backend.key(VK_SPACE);
        t.pump();
    };
    auto set_checked = [](bool on) -> Op { return [on](CheckBoxes&, Pair& p) { p.x->SetChecked(on); }; };
    auto set_state = [](TCheckBoxState s) -> Op { return [s](CheckBoxes&, Pair& p) { p.x->SetState(s); }; };
    struct Case {
        const char* name;
        std::function<void(Pair&)> setup;
        std::vector<Op> ops;
        std::string log;
    };
    auto radios = [](Pair& p) {
        for (TskSkinCheckRadioBox* b : {p.x, p.y}) {
            b->SetRadio(true);
            b->GroupIndex = 1;
        }
    };
    const std::vector<Case> cases = {
        {"a check box toggles and clicks every time", {}, {click(X), click(X)}, "X:cu X:uu"},
        {"grey cycle: unchecked, grey, checked, unchecked", [](Pair& p) { p.x->AllowGrayed = true; },
            {click(X), click(X), click(X)}, "X:gu X:cu X:uu"},
        {"a radio group: one checked; a checked radio stays and stays quiet", radios,
            {click(X), click(Y), click(Y), click(X)}, "X:cu Y:uc :uc X:cu"},
        {"grouped check boxes uncheck each other with a click each",
            [](Pair& p) {
                p.x->GroupIndex = 1;
                p.y->GroupIndex = 1;
            },
            {click(X), click(Y)}, "X:cu XY:uc"},
        {"State := grey, then Checked := false keeps it grey", {},
            {set_state(cbGrayed), set_checked(false), set_checked(true), set_checked(false)}, "X:gu X:gu X:cu X:uu"},
        {"Space toggles the focused box", {}, {space, space}, "X:cu X:uu"},
        {"released off the box: nothing", {}, {drag_off}, ":uu"},
        {"disabled: clicks do nothing", [](Pair& p) { p.x->SetEnabled(false); }, {click(X)}, ":uu"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pair p{Add<TskSkinCheckRadioBox>("checkbox", 10, 10, 180, 25),
            Add<TskSkinCheckRadioBox>("checkbox", 210, 10, 180, 25)};
        std::string log;
        p.x->OnClick = [&log](TComponent*) { log += "X"; };
        p.y->OnClick = [&log](TComponent*) { log += "Y"; };
        if (c.setup)
            c.setup(p);
        pump();
        auto letter = [](const TskSkinCheckRadioBox* b) {
            // Checked always says whether the state is cbChecked.
            EXPECT_EQ(b->Checked(), b->State() == cbChecked);
            return b->State() == cbGrayed ? 'g' : b->State() == cbChecked ? 'c' : 'u';
        };
        for (const Op& op : c.ops) {
            op(*this, p);
            log += std::string(":") + letter(p.x) + letter(p.y) + " ";
        }
        log.pop_back();
        EXPECT_EQ(log, c.log);
        MoveTo({300, 200});
        delete p.x;
        delete p.y;
        pump();
    }
}

TEST_F(CheckBoxes, FlatCaptionColourAndTheCheckedMark)
{
    const auto& o = Object<TskDataSkinCheckRadioControl>("checkbox");
    struct Case {
        bool enabled, skin_font_color;
        Color expected;
        Color absent;
    };
    const Case cases[] = {
        {true, true, o.framefontcolor, o.unenabledfontcolor},
        {false, true, o.unenabledfontcolor, o.framefontcolor},
        {false, false, o.unenabledfontcolor, o.framefontcolor},
        {true, false, clBlack, o.unenabledfontcolor},
    };
    for (const Case& c : cases) {
        auto* box = Add<TskSkinCheckRadioBox>("checkbox", 10, 10, 200, 25);
        box->SetCaption("MMMM");
        box->DefaultFont().SetColor(clBlack);
        box->SetUseSkinFontColor(c.skin_font_color);
        box->SetEnabled(c.enabled);
        const Bitmap shot = ShotOf(*box);
        int expected = 0, absent = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 20; x < shot.width(); ++x) {
                expected += shot.pixel(x, y) == to_pixel(c.expected);
                absent += shot.pixel(x, y) == to_pixel(c.absent);
            }
        EXPECT_GT(expected, 10) << "enabled " << c.enabled << " skin colour " << c.skin_font_color;
        EXPECT_EQ(absent, 0) << "enabled " << c.enabled << " skin colour " << c.skin_font_color;
        delete box;
    }

    // The checked mark is the skin's image, drawn at (3, H div 2 - h div 2)
    // and transparent where it has the colour of its lower-left pixel.
    auto* box = Add<TskSkinCheckRadioBox>("checkbox", 10, 10, 200, 25);
    box->SetChecked(true);
    const Bitmap shot = ShotOf(*box);
    const Rect mark = o.checkimagerect;
    ASSERT_EQ(box->MarkRect(), Rect::from_xywh(3, 12 - mark.height() / 2, mark.width(), mark.height()));
    const Bitmap& picture = Picture(o.pictureindex);
    const Pixel key = picture.pixel(mark.left, mark.bottom - 1);
    const Pixel background = shot.pixel(1, 1);
    int ink = 0;
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x) {
            const Pixel p = picture.pixel(mark.left + x, mark.top + y);
            const Point at = box->MarkRect().top_left() + Point{x, y};
            EXPECT_EQ(shot.pixel(at.x, at.y), p == key ? background : p) << "mark pixel " << x << ", " << y;
            ink += p != key;
        }
    EXPECT_GT(ink, 20);
}

} // namespace
} // namespace lt
