// The skinned control base with the stored skin on the headless desktop:
// binding, resize modes and size fitting, the unskinned look, skin changes,
// the window region, SKM_PARENTCHANGED, the tool-bar centring, the
// force-background path, fonts, and the capture of a parent's background.
// Also writes skinned_controls.png (the test's working folder) for eyes.

#include <gtest/gtest.h>

#include <memory>

#include "gfx/png.h"
#include "skinned/skin_control.h"
#include "tests/gfx/pixels.h"
#include "tests/skinned/skinned_fixture.h"

namespace lt {
namespace {

using test::same_pixels;

// A bare base control that counts what the base calls.
class Probe : public TskSkinCustomControl {
public:
    using TskSkinCustomControl::CurrentFont;
    using TskSkinCustomControl::SetForceBackground;
    using TskSkinCustomControl::TakeSkinFont;
    using TskSkinCustomControl::TskSkinCustomControl;

    int unskinned_paints = 0;
    int skinned_paints = 0;
    int parent_changed = 0;
    int font_changed = 0;
    Size last_skinned_bitmap;
    // Paints what lies behind the control instead of any look.
    bool transparent = false;

protected:
    void PaintUnskinned(Bitmap& b) override
    {
        ++unskinned_paints;
        if (transparent) {
            Canvas c(b);
            PaintParentBackground(*this, c);
            return;
        }
        TskSkinCustomControl::PaintUnskinned(b);
    }
    void PaintSkinned(Bitmap& b) override
    {
        ++skinned_paints;
        last_skinned_bitmap = b.size();
        TskSkinCustomControl::PaintSkinned(b);
    }
    void ParentBackgroundChanged() override { ++parent_changed; }
    void DefaultFontChanged() override { ++font_changed; }
};

// A windowless control in one colour that counts SKM_PARENTCHANGED.
class Swatch : public TGraphicControl {
public:
    Swatch(TComponent* owner, Color colour) : TGraphicControl(owner), colour_(colour) { }
    int parent_changed = 0;
    LResult WndProc(Message& m) override
    {
        if (m.msg == SKM_PARENTCHANGED)
            ++parent_changed;
        return TGraphicControl::WndProc(m);
    }

protected:
    void Paint() override { GetCanvas()->fill_rect({0, 0, Width(), Height()}, colour_); }

private:
    Color colour_;
};

// A windowed control in one colour.
class Backdrop : public TCustomControl {
public:
    Backdrop(TComponent* owner, Color colour) : TCustomControl(owner), colour_(colour) { }

protected:
    void Paint() override { GetCanvas()->fill_rect({0, 0, Width(), Height()}, colour_); }

private:
    Color colour_;
};

// A parent that lines its children up like the tool bar.
class Row : public TCustomControl, public SkinChildLayoutHost {
public:
    using TCustomControl::TCustomControl;
    bool adjust = true;
    bool AdjustControls() const override { return adjust; }
    Rect ChildLayoutRect() const override { return {0, 4, Width(), 34}; }
};

Bitmap Filled(Size s, Color c)
{
    return Bitmap(s.width, s.height, to_pixel(c));
}

struct SkinControl : test::SkinnedForm {
    TskDataSkinCustomControl& Object(const char* name)
    {
        return dynamic_cast<TskDataSkinCustomControl&>(*data->SkinControls[data->FindSkinControl(name)]);
    }
};

// ---- Binding, modes and sizes -------------------------------------------------

TEST_F(SkinControl, StoredButtonIsHorizontalAndPaintsItsThreePieces)
{
    // skinrect 458,272,500,294 with LT 3,9, RT 35,11 and RB 0,0: any width,
    // height 22; left piece 3 wide, right piece 7 wide, middle span 32.
    auto* b = Add<Probe>("button", 10, 10, 100, 30);
    EXPECT_EQ(b->SkinIndex(), data->FindSkinControl("button"));
    EXPECT_EQ(b->Mode(), ResizeMode::Horizontal);
    EXPECT_EQ(b->BoundsRect(), (Rect{10, 10, 110, 32}));
    EXPECT_EQ(b->Fit().target.righttop, (Point{93, 11}));
    EXPECT_EQ(b->Fit().target.client, (Rect{2, 2, 98, 20}));

    b->SetBounds(10, 10, 150, 40);
    EXPECT_EQ(b->BoundsRect(), (Rect{10, 10, 160, 32}));
    pump();
    const Bitmap& pic = Picture(1);
    Bitmap expected(150, 22);
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 150; ++x) {
            const int sx = x < 3 ? x : x >= 150 - 7 ? 35 + (x - 143) : 3 + (x - 3) % 32;
            expected.set_pixel(x, y, pic.pixel(458 + sx, 272 + y));
        }
    }
    EXPECT_TRUE(same_pixels(expected, Shot(b->BoundsRect())));
    EXPECT_GT(b->skinned_paints, 0);
    EXPECT_EQ(b->unskinned_paints, 0);
}

TEST_F(SkinControl, PanelIsNinePieceAndKeepsAnySize)
{
    auto* p = Add<Probe>("panel", 5, 5, 173, 91);
    EXPECT_EQ(p->Mode(), ResizeMode::NinePiece);
    EXPECT_EQ(p->BoundsRect(), (Rect{5, 5, 178, 96}));
    // 59 x 52, C 2,2,57,50: the client grows with the control.
    EXPECT_EQ(p->Fit().target.client, (Rect{2, 2, 171, 89}));
}

TEST_F(SkinControl, UnskinnedControlsDrawButtonFaceAtTheirDefaultSize)
{
    // A name the skin does not hold, and no skin data at all.
    auto* missing = Add<Probe>("nosuch", 10, 10, 50, 50);
    missing->DefaultWidth = 80;
    missing->DefaultHeight = 30;
    missing->ApplySkin();
    auto* bare = new Probe(form);
    bare->SetParent(form);
    bare->SetBounds(10, 60, 40, 20);
    bare->DefaultWidth = 90;
    bare->ApplySkin();
    pump();
    EXPECT_FALSE(missing->Skinned());
    EXPECT_EQ(missing->BoundsRect(), (Rect{10, 10, 90, 40}));
    EXPECT_EQ(bare->BoundsRect(), (Rect{10, 60, 100, 80}));
    EXPECT_TRUE(same_pixels(Filled({80, 30}, clBtnFace), Shot(missing->BoundsRect())));
    EXPECT_TRUE(same_pixels(Filled({90, 20}, clBtnFace), Shot(bare->BoundsRect())));
    EXPECT_EQ(missing->skinned_paints, 0);
    EXPECT_GT(missing->unskinned_paints, 0);
}

TEST_F(SkinControl, NameChangeWaitsForApplySkinAndForgetDropsTheObject)
{
    auto* c = Add<Probe>("panel", 10, 10, 200, 100);
    c->SetSkinDataName("button");
    pump();
    EXPECT_EQ(c->BoundsRect(), (Rect{10, 10, 210, 110})); // not re-skinned yet
    c->ApplySkin();
    EXPECT_EQ(c->BoundsRect(), (Rect{10, 10, 210, 32}));
    EXPECT_EQ(c->SkinIndex(), data->FindSkinControl("button"));

    c->ForgetSkin();
    EXPECT_EQ(c->SkinIndex(), -1);
    EXPECT_EQ(c->SkinObject(), nullptr);
    c->ApplySkin();
    EXPECT_EQ(c->SkinIndex(), data->FindSkinControl("button"));

    // A skin data that is not loaded is stored but not applied.
    TskSkinData empty(nullptr);
    auto* late = new Probe(form);
    late->SetParent(form);
    late->SetBounds(0, 200, 30, 30);
    late->SetSkinDataName("button");
    late->SetSkinData(&empty);
    EXPECT_EQ(late->SkinData(), &empty);
    EXPECT_FALSE(late->Skinned());
    EXPECT_EQ(late->Height(), 30);
    late->SetSkinData(nullptr);
}

TEST_F(SkinControl, DestroyedSkinDataLeavesTheUnskinnedLook)
{
    auto* c = Add<Probe>("panel", 10, 10, 60, 40);
    pump();
    delete data;
    data = nullptr;
    EXPECT_EQ(c->SkinData(), nullptr);
    EXPECT_FALSE(c->Skinned());
    pump();
    EXPECT_TRUE(same_pixels(Filled({60, 40}, clBtnFace), Shot(c->BoundsRect())));
}

TEST_F(SkinControl, ZeroSizedControlPaintsNothing)
{
    for (Size s : {Size{0, 40}, Size{40, 0}, Size{0, 0}}) {
        auto* c = Add<Probe>("panel", 10, 10, s.width, s.height);
        pump();
        Bitmap target(8, 8, to_pixel(clRed));
        Canvas canvas(target);
        c->Perform(WM_PAINT, canvas_param(canvas));
        EXPECT_EQ(c->skinned_paints + c->unskinned_paints, 0) << s.width << " x " << s.height;
        EXPECT_TRUE(same_pixels(Filled({8, 8}, clRed), target));
        delete c;
    }
}

TEST_F(SkinControl, DegenerateSkinObjectsPaintAtAnySize)
{
    struct Row {
        const char* name;
        void (*change)(TskDataSkinCustomControl&);
    };
    const Row rows[] = {
        {"picture index -2", [](TskDataSkinCustomControl& o) { o.pictureindex = -2; }},
        {"picture index past the list", [](TskDataSkinCustomControl& o) { o.pictureindex = 99; }},
        {"mask index -2", [](TskDataSkinCustomControl& o) { o.maskpictureindex = -2; }},
        {"zero-width client",
            [](TskDataSkinCustomControl& o) {
                o.clientrect = {20, 2, 20, 50};
            }},
        {"client outside the corners",
            [](TskDataSkinCustomControl& o) {
                o.clientrect = {40, 40, 58, 51};
                o.stretcheffect = true;
                o.stretchtype = stHorz;
            }},
        {"skin rectangle past the picture",
            [](TskDataSkinCustomControl& o) {
                o.skinrect = {500, 300, 700, 400};
            }},
        {"mask is the picture itself, rectangle past it",
            [](TskDataSkinCustomControl& o) {
                o.maskpictureindex = o.pictureindex;
                o.skinrect = {400, 200, 900, 900};
            }},
    };
    for (const Row& r : rows) {
        // A fresh skin for each row.
        data->LoadCompressedSkin(stored);
        r.change(Object("panel"));
        for (Size s : {Size{1, 1}, Size{30, 30}, Size{800, 600}}) {
            auto* c = Add<Probe>("panel", 0, 0, s.width, s.height);
            pump();
            EXPECT_TRUE(c->Skinned()) << r.name;
            EXPECT_GT(c->skinned_paints, 0) << r.name << " at " << s.width << " x " << s.height;
            delete c;
        }
    }
}

TEST_F(SkinControl, EraseBackgroundIsSwallowed)
{
    auto* c = Add<Probe>("panel", 10, 10, 60, 40);
    pump();
    Bitmap target(60, 40, to_pixel(clRed));
    Canvas canvas(target);
    EXPECT_NE(c->WindowHandle()->send(WM_ERASEBKGND, canvas_param(canvas)), 0);
    EXPECT_TRUE(same_pixels(Filled({60, 40}, clRed), target));
}

// ---- Region -----------------------------------------------------------------

TEST_F(SkinControl, MaskShapesTheWindowAndTheRegionIsReplacedOnResize)
{
    // A mask for the 59 x 52 panel with its four corner pixels cut off.
    auto mask = std::make_unique<Bitmap>(59, 52, 0);
    for (Point p : {Point{0, 0}, Point{58, 0}, Point{0, 51}, Point{58, 51}})
        mask->set_pixel(p.x, p.y, make_pixel(255, 255, 255));
    data->ActivePictures.push_back(std::move(mask));
    Object("panel").maskpictureindex = static_cast<int>(data->ActivePictures.size()) - 1;

    auto* c = Add<Probe>("panel", 20, 20, 120, 80);
    int control_presses = 0, form_presses = 0;
    c->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++control_presses; };
    form->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++form_presses; };
    Window* w = c->WindowHandle();
    ASSERT_NE(w->region(), nullptr);
    ASSERT_NE(c->WindowRegion(), nullptr);
    EXPECT_TRUE(*w->region() == *c->WindowRegion());
    EXPECT_FALSE(w->region()->contains({0, 0}));
    EXPECT_FALSE(w->region()->contains({119, 79}));
    EXPECT_TRUE(w->region()->contains({1, 0}));
    EXPECT_TRUE(w->region()->contains({60, 40}));

    // The cut corner belongs to the form.
    backend.click({20, 20});
    backend.click({21, 20});
    pump();
    EXPECT_EQ(form_presses, 1);
    EXPECT_EQ(control_presses, 1);

    c->SetBounds(20, 20, 150, 90);
    ASSERT_NE(w->region(), nullptr);
    EXPECT_TRUE(*w->region() == *c->WindowRegion());
    EXPECT_EQ(w->region()->bounds(), (Rect{0, 0, 150, 90}));
    EXPECT_FALSE(w->region()->contains({149, 89}));
    EXPECT_TRUE(w->region()->contains({119, 79}));

    // Unskinned: the region goes.
    c->SetSkinDataName("nosuch");
    c->ApplySkin();
    EXPECT_EQ(w->region(), nullptr);
    EXPECT_EQ(c->WindowRegion(), nullptr);
}

// ---- Children and parents -------------------------------------------------------

TEST_F(SkinControl, StretchingControlTellsItsChildrenAfterASizeChange)
{
    for (bool stretch : {false, true}) {
        Object("panel").stretcheffect = stretch;
        auto* parent = Add<Probe>("panel", 10, 10, 200, 150);
        auto* windowed = Add<Probe>("panel", 5, 5, 60, 40, parent);
        auto* windowless = new Swatch(form, clRed);
        windowless->SetParent(parent);
        windowless->SetBounds(80, 5, 20, 20);

        parent->SetBounds(10, 10, 220, 160);
        parent->SetBounds(30, 30, 220, 160); // a move alone tells nobody
        const int expected = stretch ? 1 : 0;
        EXPECT_EQ(windowed->parent_changed, expected) << "stretcheffect " << stretch;
        EXPECT_EQ(windowless->parent_changed, expected) << "stretcheffect " << stretch;
        delete parent;
    }
}

TEST_F(SkinControl, ToolBarParentCentresItsSkinnedChildren)
{
    auto* row = new Row(form);
    row->SetParent(form);
    row->SetBounds(0, 100, 300, 40);
    auto* b = Add<Probe>("button", 5, 0, 60, 30, row);
    // R = (0, 4, 300, 34): 4 + 30 div 2 - 22 div 2 = 8.
    EXPECT_EQ(b->BoundsRect(), (Rect{5, 8, 65, 30}));
    b->SetBounds(70, 0, 80, 22);
    EXPECT_EQ(b->BoundsRect(), (Rect{70, 8, 150, 30}));
    row->adjust = false;
    b->SetBounds(70, 0, 80, 22);
    EXPECT_EQ(b->Top(), 0);
}

// ---- Painting -----------------------------------------------------------------

TEST_F(SkinControl, ForceBackgroundPaintsTheSamePictureFromStrips)
{
    for (const char* name : {"panel", "groupbox"}) {
        auto* plain = Add<Probe>(name, 10, 10, 130, 90);
        auto* forced = Add<Probe>(name, 150, 10, 130, 90);
        forced->SetForceBackground(true);
        pump();
        EXPECT_TRUE(same_pixels(Shot(plain->BoundsRect()), Shot(forced->BoundsRect()))) << name;
        // Only the top strip reaches PaintSkinned (for a caption).
        EXPECT_EQ(forced->last_skinned_bitmap, (Size{130, forced->Fit().target.client.top})) << name;
        EXPECT_EQ(plain->last_skinned_bitmap, (Size{130, 90})) << name;
        delete plain;
        delete forced;
    }
}

TEST_F(SkinControl, FontFromTheSkinOrTheDefaultFont)
{
    auto* c = Add<Probe>("button", 10, 10, 60, 22);
    const auto& button = dynamic_cast<const TskDataSkinButtonControl&>(*c->SkinObject());
    EXPECT_EQ(c->DefaultFont().Name(), "Arial");
    EXPECT_EQ(c->DefaultFont().Height(), 14);
    EXPECT_EQ(c->DefaultFont().Style(), 0u);

    EXPECT_EQ(c->CurrentFont().name, "Arial"); // no skin font taken
    c->TakeSkinFont(button);
    EXPECT_EQ(c->CurrentFont().name, button.fontname);
    EXPECT_EQ(c->CurrentFont().height, button.fontheight);
    c->SetUseSkinFont(false);
    EXPECT_EQ(c->CurrentFont().name, "Arial");
    EXPECT_EQ(c->CurrentFont().charset, DEFAULT_CHARSET);

    TskResourceStrData strings(form);
    strings.CharSet = GB2312_CHARSET;
    data->SetResourceStrData(&strings);
    EXPECT_EQ(c->CurrentFont().charset, GB2312_CHARSET);
    data->SetResourceStrData(nullptr);

    c->DefaultFont().SetHeight(16);
    EXPECT_EQ(c->font_changed, 1);
    EXPECT_EQ(c->CurrentFont().height, 16);
}

TEST_F(SkinControl, MouseEnterAndLeaveRaiseTheirEvents)
{
    auto* c = Add<Probe>("button", 10, 10, 60, 22);
    std::vector<std::string> seen;
    c->OnMouseEnter = [&](TComponent*) { seen.push_back("enter"); };
    c->OnMouseLeave = [&](TComponent*) { seen.push_back("leave"); };
    backend.mouse_move({20, 20});
    pump();
    backend.mouse_move({200, 200});
    pump();
    EXPECT_EQ(seen, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(SkinControl, ParentBackgroundHoldsWhatLiesBehind)
{
    // Windowed parent: its own painting (with all its windowless children)
    // and then the earlier siblings.
    auto* back = new Backdrop(form, clRed);
    back->SetParent(form);
    back->SetBounds(10, 10, 200, 100);
    auto* below = new Swatch(form, clBlue);
    below->SetParent(back);
    below->SetBounds(10, 10, 20, 20);
    auto* c = Add<Probe>("nosuch", 5, 5, 40, 30, back);
    c->transparent = true;
    pump();
    Bitmap expected = Filled({40, 30}, clRed);
    expected.fill({5, 5, 25, 25}, to_pixel(clBlue));
    EXPECT_TRUE(same_pixels(expected, Shot(Rect::from_xywh(15, 15, 40, 30))));

    // Form parent: the form's background, then only the windowless siblings
    // that come before the control.
    auto* before = new Swatch(form, clBlue);
    before->SetParent(form);
    before->SetBounds(250, 10, 20, 20);
    auto* on_form = Add<Probe>("nosuch", 240, 5, 40, 30);
    on_form->transparent = true;
    auto* after = new Swatch(form, clLime);
    after->SetParent(form);
    after->SetBounds(270, 20, 20, 20);
    Bitmap captured(40, 30, to_pixel(clBlack));
    Canvas canvas(captured);
    PaintParentBackground(*on_form, canvas);
    Bitmap on_form_expected = Filled({40, 30}, form->GetColor());
    on_form_expected.fill({10, 5, 30, 25}, to_pixel(clBlue));
    EXPECT_TRUE(same_pixels(on_form_expected, captured));
    EXPECT_EQ(canvas.saved_depth(), 0);
}

// ---- A picture for eyes ---------------------------------------------------------

TEST_F(SkinControl, SheetOfBoundControls)
{
    struct Item {
        const char* name;
        Rect bounds;
        bool forced;
    };
    const Item items[] = {
        {"panel", {10, 10, 130, 90}, false},
        {"panel", {140, 10, 180, 50}, false},
        {"panel", {190, 10, 400, 90}, true},
        {"groupbox", {10, 100, 190, 220}, false},
        {"listbox", {200, 100, 330, 220}, false},
        {"vscrollbar", {340, 100, 360, 220}, false},
        {"button", {10, 230, 131, 250}, false},
        {"button", {140, 230, 213, 250}, false},
        {"button", {220, 230, 262, 250}, false},
        {"statuspanel", {10, 260, 318, 280}, false},
        {"hscrollbar", {10, 290, 200, 310}, false},
        {"edit", {210, 290, 400, 310}, false},
    };
    for (const Item& it : items) {
        const Rect& r = it.bounds;
        auto* c = Add<Probe>(it.name, r.left, r.top, r.width(), r.height());
        c->SetForceBackground(it.forced);
        EXPECT_TRUE(c->Skinned()) << it.name;
    }
    pump();
    // Twice the size, so that single pixels can be told apart.
    const Bitmap shot = Shot({0, 0, 420, 320});
    Bitmap large(840, 640);
    Canvas(large).stretch_draw(large.rect(), shot);
    save_png_file("skinned_controls.png", large);
}

} // namespace
} // namespace lt
