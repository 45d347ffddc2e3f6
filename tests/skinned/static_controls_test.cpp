// Labels, the status panel, panels, group boxes and the splitter with the
// stored skin on the headless desktop: geometry and the children's layout
// rectangle, caption placement, label text and its shortening, fonts,
// pixel probes against the skin's pictures, degenerate skins, and the
// splitter's drag through injected input.

#include <gtest/gtest.h>

#include <functional>

#include "gfx/draw_text.h"
#include "gfx/font.h"
#include "skinned/skin_splitter.h"
#include "skinned/static_controls.h"
#include "tests/gfx/pixels.h"
#include "tests/skinned/skinned_fixture.h"
#include "text/cp936.h"

namespace lt {
namespace {

using test::hex;

std::string cp(const char* utf8)
{
    return utf8_to_cp936(utf8);
}

// A windowed control in one colour, standing in for a list box.
class Filler : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override { GetCanvas()->fill_rect({0, 0, Width(), Height()}, clWhite); }
};

struct StaticControls : test::SkinnedForm {
    template <class T>
    T& Object(const char* name)
    {
        return dynamic_cast<T&>(*data->SkinControls[static_cast<size_t>(data->FindSkinControl(name))]);
    }
    Pixel PicturePixel(int index, int x, int y) const { return Picture(index).pixel(x, y); }
};

// ---- Text and geometry without controls ------------------------------------------

TEST(LabelText, EllipsisRemovesWholeCharactersAndKeepsTheLongestPrefix)
{
    const FontPtr font = Font::get(FontDesc{"Arial", 14});
    for (const char* utf8 : {"长尾词查询工具", "ab长c词d", "status text"}) {
        const std::string text = cp(utf8);
        const int full = font->text_width(text);
        for (int width = 0; width <= full + 2; ++width) {
            const LabelTextPlace p = PlaceLabelText(*font, text, {0, 0, width, 20}, taLeftJustify, true);
            if (full <= width) {
                EXPECT_EQ(p.text, text) << utf8 << " in " << width;
                continue;
            }
            ASSERT_GE(p.text.size(), 3u);
            ASSERT_EQ(p.text.substr(p.text.size() - 3), "...") << utf8 << " in " << width;
            const std::string prefix = p.text.substr(0, p.text.size() - 3);
            ASSERT_EQ(text.compare(0, prefix.size(), prefix), 0);
            // The prefix ends on a character boundary of the text.
            size_t pos = 0;
            while (pos < prefix.size())
                pos += cp936_char_len(text, pos);
            EXPECT_EQ(pos, prefix.size()) << utf8 << " in " << width << " leaves half a character";
            // It is the longest one that fits with "..." after it.
            if (!prefix.empty()) {
                EXPECT_LE(font->text_width(prefix) + font->text_width("..."), width) << utf8 << " in " << width;
            }
            const size_t next = prefix.size() + cp936_char_len(text, prefix.size());
            EXPECT_GT(font->text_width(text.substr(0, next)) + font->text_width("..."), width)
                << utf8 << " in " << width;
        }
    }
}

TEST(LabelText, PlacedByAlignmentAndCentredVertically)
{
    const FontPtr font = Font::get(FontDesc{"Arial", 14});
    const int w = font->text_width("abc"), h = font->metrics().height;
    const Rect r{10, 5, 110, 25};
    struct Row {
        TAlignment alignment;
        int x;
    };
    for (const Row& row : {Row{taLeftJustify, 10}, Row{taRightJustify, 110 - w}, Row{taCenter, 60 - w / 2}}) {
        const LabelTextPlace p = PlaceLabelText(*font, "abc", r, row.alignment, false);
        EXPECT_EQ(p.at, (Point{row.x, 15 - h / 2})) << row.alignment;
    }
    // Without the ellipsis a long text stays whole; drawing clips it.
    EXPECT_EQ(
        PlaceLabelText(*font, "a long status text", {0, 0, 20, 20}, taLeftJustify, false).text, "a long status text");
}

TEST(CaptionRect, FollowsTheCornersTheResizeModeMoves)
{
    SkinGeometry g;
    g.skinrect = {0, 0, 60, 40};
    g.lefttoppoint = {10, 10};
    g.righttoppoint = {50, 10};
    g.leftbottompoint = {10, 30};
    g.rightbottompoint = {50, 30};
    const Size size{100, 80}; // dw = dh = 40
    struct Row {
        ResizeMode mode;
        Rect in, out;
    };
    const Row rows[] = {
        {ResizeMode::NinePiece, {2, 2, 8, 8}, {2, 2, 8, 8}},         // left-top corner
        {ResizeMode::NinePiece, {52, 2, 58, 8}, {92, 2, 98, 8}},     // right-top corner
        {ResizeMode::NinePiece, {2, 32, 8, 38}, {2, 72, 8, 78}},     // left-bottom corner
        {ResizeMode::NinePiece, {52, 32, 58, 38}, {92, 72, 98, 78}}, // right-bottom corner
        {ResizeMode::NinePiece, {2, 2, 58, 8}, {2, 2, 98, 8}},       // left-top to right-top
        {ResizeMode::NinePiece, {2, 2, 58, 38}, {2, 2, 98, 78}},     // left-top to right-bottom
        {ResizeMode::NinePiece, {2, 32, 58, 38}, {2, 72, 98, 78}},   // left-bottom to right-bottom
        {ResizeMode::NinePiece, {2, 2, 8, 38}, {2, 2, 8, 78}},       // left-top to left-bottom
        {ResizeMode::NinePiece, {52, 2, 58, 38}, {92, 2, 98, 78}},   // right-top to right-bottom
        {ResizeMode::NinePiece, {20, 15, 30, 25}, {20, 15, 30, 25}}, // in the middle
        {ResizeMode::Horizontal, {2, 2, 58, 8}, {2, 2, 98, 8}},      // across: grows
        {ResizeMode::Horizontal, {50, 2, 58, 8}, {90, 2, 98, 8}},    // at RT.x: moves
        {ResizeMode::Horizontal, {20, 2, 30, 8}, {20, 2, 30, 8}},    // between: stays
        {ResizeMode::Vertical, {2, 2, 8, 38}, {2, 2, 8, 78}},        // across: grows
        {ResizeMode::Vertical, {2, 30, 8, 38}, {2, 70, 8, 78}},      // at LB.y: moves
        {ResizeMode::Fixed, {52, 32, 58, 38}, {52, 32, 58, 38}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CarrySkinRect(r.in, g, r.mode, size), r.out) << static_cast<int>(r.mode) << " " << r.in.left << ","
                                                               << r.in.top << "," << r.in.right << "," << r.in.bottom;
}

TEST(SkinBorder, OnePixelByStyle)
{
    using test::picture;
    struct Row {
        TskSkinBorderStyle style;
        Bitmap expected;
    };
    const Row rows[] = {
        {TskSkinBorderStyle::bvFrame, picture({"ssss", "sWWs", "ssss"})},
        {TskSkinBorderStyle::bvRaised, picture({"hhhs", "hWWs", "ssss"})},
        {TskSkinBorderStyle::bvLowered, picture({"sssh", "sWWh", "hhhh"})},
        {TskSkinBorderStyle::bvNone, picture({"WWWW", "WWWW", "WWWW"})},
    };
    for (const Row& r : rows) {
        Bitmap b(4, 3, test::legend('W'));
        Canvas c(b);
        const Rect inner = DrawSkinBorder(c, b.rect(), r.style);
        EXPECT_TRUE(test::same_pixels(r.expected, b)) << static_cast<int>(r.style);
        const Rect expected_inner = r.style == TskSkinBorderStyle::bvNone ? b.rect() : Rect{1, 1, 3, 2};
        EXPECT_EQ(inner, expected_inner);
    }
}

// ---- Geometry with the stored skin ------------------------------------------------

TEST_F(StaticControls, SizesTextAreasAndChildRectanglesWithTheStoredSkin)
{
    struct Result {
        Rect bounds, inner, caption;
    };
    struct Row {
        const char* what;
        std::function<Result(StaticControls&)> make;
        Result expected;
    };
    const auto label = [](StaticControls&, auto* c) { return Result{c->BoundsRect(), c->TextArea(), {}}; };
    const auto panel = [](StaticControls&, TskSkinPanel* c) {
        return Result{c->BoundsRect(), c->AlignRect(), c->CaptionRect()};
    };
    const Row rows[] = {
        {"status panel 21 high takes the skin's 20",
            [&](StaticControls& f) { return label(f, f.Add<TskSkinStatusPanel>("statuspanel", 21, 52, 308, 21)); },
            {{21, 52, 329, 72}, {4, 2, 304, 18}, {}}},
        {"label without the skin size keeps its size",
            [&](StaticControls& f) {
                auto* c = f.Add<TskSkinLabel>("statuspanel", 0, 0, 100, 30);
                c->SetUseSkinSize(false);
                c->SetHeight(30);
                return label(f, c);
            },
            {{0, 0, 100, 30}, {4, 2, 96, 28}, {}}},
        {"unskinned status panel",
            [&](StaticControls& f) { return label(f, f.Add<TskSkinStatusPanel>("nosuchobject", 0, 0, 308, 21)); },
            {{0, 0, 308, 21}, {3, 3, 305, 18}, {}}},
        {"main window's top panel",
            [&](StaticControls& f) { return panel(f, f.Add<TskSkinPanel>("panel", 0, 0, 827, 89)); },
            {{0, 0, 827, 89}, {2, 2, 825, 87}, {}}},
        {"results group",
            [&](StaticControls& f) { return panel(f, f.Add<TskSkinGroupBox>("groupbox", 0, 209, 409, 420)); },
            {{0, 209, 409, 629}, {1, 15, 408, 419}, {1, 1, 408, 14}}},
        {"results group narrower than its skin",
            [&](StaticControls& f) { return panel(f, f.Add<TskSkinGroupBox>("groupbox", 0, 0, 31, 420)); },
            {{0, 0, 31, 420}, {1, 15, 30, 419}, {1, 1, 30, 14}}},
        {"results group snapped to nothing offers no negative area",
            [&](StaticControls& f) {
                Result r = panel(f, f.Add<TskSkinGroupBox>("groupbox", 0, 0, 0, 420));
                r.caption = {};
                return r;
            },
            {{0, 0, 0, 420}, {1, 15, 1, 419}, {}}},
        {"borderless panel without caption offers its whole client",
            [&](StaticControls& f) {
                auto* c = f.Add<TskSkinPanel>("panel", 0, 0, 200, 100);
                c->SetBorderStyle(TskSkinBorderStyle::bvNone);
                return panel(f, c);
            },
            {{0, 0, 200, 100}, {0, 0, 200, 100}, {}}},
        {"unskinned group box",
            [&](StaticControls& f) { return panel(f, f.Add<TskSkinGroupBox>("nosuchobject", 0, 0, 409, 420)); },
            {{0, 0, 409, 420}, {1, 23, 408, 419}, {0, 0, 409, 22}}},
        {"unskinned borderless panel",
            [&](StaticControls& f) {
                auto* c = f.Add<TskSkinPanel>("nosuchobject", 0, 0, 200, 100);
                c->SetBorderStyle(TskSkinBorderStyle::bvNone);
                return panel(f, c);
            },
            {{0, 0, 200, 100}, {0, 0, 200, 100}, {}}},
    };
    for (const Row& row : rows) {
        const Result r = row.make(*this);
        EXPECT_EQ(r.bounds, row.expected.bounds) << row.what;
        EXPECT_EQ(r.inner, row.expected.inner) << row.what;
        EXPECT_EQ(r.caption, row.expected.caption) << row.what;
    }
}

TEST_F(StaticControls, DockedChildSitsInsideTheFrameAndFollowsTheSkin)
{
    auto* group = new TskSkinGroupBox(form);
    group->SetParent(form);
    group->SetBounds(0, 0, 409, 300);
    auto* list = new Filler(form);
    list->SetParent(group);
    list->SetAlign(TAlign::alClient);
    // Unskinned, the caption strip of 22 pixels sits above the child.
    EXPECT_EQ(list->BoundsRect(), (Rect{1, 23, 408, 299}));
    group->SetSkinData(data);
    EXPECT_EQ(list->BoundsRect(), (Rect{1, 15, 408, 299}));
    group->SetWidth(40);
    EXPECT_EQ(list->BoundsRect(), (Rect{1, 15, 39, 299}));
    group->SetCaptionMode(false);
    EXPECT_EQ(list->BoundsRect(), (Rect{1, 15, 39, 299})) << "the skin's client rectangle holds without a caption";
    // An unusable background picture index keeps the framed look and its
    // rectangle; a usable one offers the whole client.
    Object<TskDataSkinPanelControl>("groupbox").bgpictureindex = 77;
    group->ApplySkin();
    EXPECT_EQ(list->BoundsRect(), (Rect{1, 15, 39, 299}));
    Object<TskDataSkinPanelControl>("groupbox").bgpictureindex = 1;
    group->ApplySkin();
    EXPECT_EQ(list->BoundsRect(), (Rect{0, 0, 40, 300}));
}

// ---- Labels ---------------------------------------------------------------------

TEST_F(StaticControls, StandardLabelFontAndColourRules)
{
    struct Row {
        bool skinned, use_skin_font, use_skin_color;
        const char* font;
        int height;
        Color colour;
    };
    const Color font_colour = rgb(200, 0, 0), default_colour = rgb(0, 120, 0);
    const Row rows[] = {
        {true, true, true, "Arial", 14, 0},
        {true, false, true, "Tahoma", -12, 0},
        {true, true, false, "Arial", 14, font_colour},
        {false, true, true, "Verdana", 13, default_colour},
        {false, false, true, "Tahoma", -12, font_colour},
    };
    for (const Row& r : rows) {
        auto* l = Add<TskSkinStdLabel>(r.skinned ? "stdlabel" : "nosuchobject", 10, 10, 50, 13);
        l->Font().SetDesc(FontDesc{"Tahoma", -12, false, false, false, false, 1, font_colour});
        l->DefaultFont().SetDesc(FontDesc{"Verdana", 13, false, false, false, false, 1, default_colour});
        l->SetUseSkinFont(r.use_skin_font);
        l->SetUseSkinColor(r.use_skin_color);
        EXPECT_EQ(l->Skinned(), r.skinned);
        EXPECT_EQ(l->DrawFont().name, r.font) << r.skinned << r.use_skin_font << r.use_skin_color;
        EXPECT_EQ(l->DrawFont().height, r.height) << r.skinned << r.use_skin_font << r.use_skin_color;
        EXPECT_EQ(l->DrawColor(), r.colour) << r.skinned << r.use_skin_font << r.use_skin_color;
        delete l;
    }
}

TEST_F(StaticControls, StandardLabelAutoSizeKeepsOneLineForEmptyCaptions)
{
    auto* l = Add<TskSkinStdLabel>("stdlabel", 19, 15, 60, 13);
    l->SetCaption("A");
    const int line = l->Height();
    EXPECT_GT(line, 0);
    for (const char* caption : {"", "&"}) {
        l->SetCaption(caption);
        EXPECT_EQ(l->Height(), line) << '"' << caption << '"';
        EXPECT_GT(l->Width(), 0) << '"' << caption << '"';
    }
    l->SetCaption("(0)");
    const int counter = l->Width();
    l->SetCaption("(12345)");
    EXPECT_GT(l->Width(), counter);
    // A right-aligned label keeps its right edge.
    l->SetAlignment(taRightJustify);
    const int right = l->Left() + l->Width();
    l->SetCaption("(0)");
    EXPECT_EQ(l->Left() + l->Width(), right);
    EXPECT_EQ(l->Width(), counter);
}

TEST_F(StaticControls, DisabledStandardLabelDrawsItsTextTwiceOffset)
{
    auto* l = Add<TskSkinStdLabel>("stdlabel", 10, 10, 0, 0);
    l->SetCaption("Wg");
    const Rect r = l->BoundsRect();
    const Pixel ink = to_pixel(Object<TskDataSkinStdLabelControl>("stdlabel").fontcolor);
    const Pixel highlight = to_pixel(data->SkinColors.cbtnhighlight);
    const Pixel shadow = to_pixel(data->SkinColors.cbtnshadow);
    const auto count = [](const Bitmap& b, Pixel p) {
        int n = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                n += b.pixel(x, y) == p;
        return n;
    };
    pump();
    const Bitmap enabled = Shot(r.inflated(1, 1));
    EXPECT_GT(count(enabled, ink), 0);
    EXPECT_EQ(count(enabled, shadow), 0);
    l->SetEnabled(false);
    pump();
    const Bitmap disabled = Shot(r.inflated(1, 1));
    EXPECT_EQ(count(disabled, ink), 0);
    EXPECT_GT(count(disabled, shadow), 0);
    EXPECT_GT(count(disabled, highlight), 0);
    // The shadow copy is the enabled text's ink, one pixel left and up of
    // the highlight copy.
    for (int y = 0; y + 1 < disabled.height(); ++y)
        for (int x = 0; x + 1 < disabled.width(); ++x)
            if (enabled.pixel(x, y) == ink) {
                EXPECT_EQ(disabled.pixel(x, y), shadow) << x << "," << y;
            }
}

TEST_F(StaticControls, StatusPanelAutoSizeFitsTheCaptionAndGlyph)
{
    auto* p = Add<TskSkinStatusPanel>("statuspanel", 0, 0, 120, 21);
    p->SetCaption(cp("正在查询关键词列表中的第二十个词"));
    p->SetAutoSize(true);
    const int text = Font::get(p->TextFont())->text_width(p->Caption());
    EXPECT_EQ(p->TextArea().width(), text);
    // Fitted to the skin it only ever widens.
    p->SetCaption("x");
    EXPECT_EQ(p->TextArea().width(), text);
    // The glyph's slice and 3 pixels are added to the caption.
    Bitmap glyph(24, 10, to_pixel(clRed));
    p->SetNumGlyphs(2);
    p->SetCaption(cp("正在查询关键词列表中的第二十个词"));
    p->SetGlyph(glyph);
    EXPECT_EQ(p->TextArea().width(), text + 12 + 3);
}

// ---- Pixels against the stored skin ------------------------------------------------

TEST_F(StaticControls, PanelPixelsComeFromTheSkinPicture)
{
    const Rect s = Object<TskDataSkinPanelControl>("panel").skinrect; // 2,2,61,54, client 2,2,57,50
    auto* p = Add<TskSkinPanel>("panel", 10, 10, 150, 100);
    pump();
    const Bitmap shot = Shot(p->BoundsRect());
    struct Probe {
        Point at, source;
    };
    const Probe probes[] = {
        {{0, 0}, {s.left, s.top}},                                     // left-top corner
        {{149, 99}, {s.right - 1, s.bottom - 1}},                      // right-bottom corner
        {{149, 0}, {s.right - 1, s.top}},                              // right-top corner
        {{2, 2}, {s.left + 2, s.top + 2}},                             // the client's first tile
        {{2 + 55, 2 + 48}, {s.left + 2, s.top + 2}},                   // its second row and column
        {{147, 97}, {s.left + 2 + (145 % 55), s.top + 2 + (95 % 48)}}, // the cut last tile
    };
    for (const Probe& pr : probes)
        EXPECT_EQ(hex(shot.pixel(pr.at.x, pr.at.y)), hex(PicturePixel(1, pr.source.x, pr.source.y)))
            << pr.at.x << "," << pr.at.y;
}

TEST_F(StaticControls, GroupBoxCaptionIsCentredInItsStripInTheSkinColour)
{
    auto* plain = Add<TskSkinGroupBox>("groupbox", 10, 10, 200, 120);
    auto* captioned = Add<TskSkinGroupBox>("groupbox", 10, 140, 200, 120);
    captioned->SetCaption(cp("长尾词列表"));
    pump();
    const Bitmap a = Shot(plain->BoundsRect()), b = Shot(captioned->BoundsRect());
    const Pixel ink = to_pixel(Object<TskDataSkinPanelControl>("groupbox").fontcolor);
    EXPECT_EQ(ink, make_pixel(62, 106, 170));
    Rect changed;
    bool exact_ink = false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                changed = changed.united({x, y, x + 1, y + 1});
                exact_ink = exact_ink || b.pixel(x, y) == ink;
            }
    ASSERT_FALSE(changed.empty());
    EXPECT_TRUE((Rect{1, 1, 199, 14}).contains(changed)) << "the caption stays in its strip";
    EXPECT_TRUE(exact_ink);
    EXPECT_NEAR((changed.left + changed.right) / 2.0, 100, 2.0);
}

TEST_F(StaticControls, StatusPanelClipsALongTextAtItsTextArea)
{
    auto* p = Add<TskSkinStatusPanel>("statuspanel", 10, 10, 120, 21);
    const Rect s = Object<TskDataSkinLabelControl>("statuspanel").skinrect; // 60 x 20, client 4,2,56,18
    p->SetCaption(cp("正在查询：长尾词查询工具长尾词查询工具长尾词查询工具"));
    pump();
    const Bitmap shot = Shot(p->BoundsRect());
    ASSERT_EQ(shot.size(), (Size{120, 20}));
    // The picture: a 3-pixel left and right piece, the 54-pixel middle tiled.
    const auto skin = [&](int x, int y) {
        return PicturePixel(1, x >= 117 ? s.right - (120 - x) : s.left + 3 + (x - 3) % 54, s.top + y);
    };
    // Right of the text area (x >= 116) the picture shows unchanged.
    for (int y = 0; y < 20; ++y)
        for (int x = 116; x < 120; ++x)
            ASSERT_EQ(hex(shot.pixel(x, y)), hex(skin(x, y))) << x << "," << y;
    // And the text reaches that edge, not shortened.
    bool ink_near_edge = false;
    for (int y = 2; y < 18; ++y)
        for (int x = 100; x < 116; ++x)
            ink_near_edge = ink_near_edge || shot.pixel(x, y) != skin(x, y);
    EXPECT_TRUE(ink_near_edge);
}

TEST_F(StaticControls, DegenerateSkinsPaintAtEverySize)
{
    struct Row {
        const char* what;
        TskSkinBorderStyle border;
        void (*change)(TskDataSkinPanelControl&);
    };
    const Row rows[] = {
        {"client image of width 0", TskSkinBorderStyle::bvNone,
            [](TskDataSkinPanelControl& o) {
                o.clientrect = {20, 2, 20, 50};
            }},
        {"client image of height 0, stretched across", TskSkinBorderStyle::bvNone,
            [](TskDataSkinPanelControl& o) {
                o.clientrect = {2, 20, 57, 20};
                o.stretcheffect = true;
                o.stretchtype = stHorz;
            }},
        {"background picture past the list", TskSkinBorderStyle::bvFrame,
            [](TskDataSkinPanelControl& o) { o.bgpictureindex = 99; }},
        {"background picture stretched into the client", TskSkinBorderStyle::bvFrame,
            [](TskDataSkinPanelControl& o) {
                o.bgpictureindex = 1;
                o.stretcheffect = true;
            }},
        {"caption rectangle past the skin", TskSkinBorderStyle::bvFrame,
            [](TskDataSkinPanelControl& o) {
                o.captionrect = {-50, -50, 500, 500};
                o.framerect = {2, 2, 30, 20};
                o.frameleftoffset = 40;
            }},
    };
    for (const Row& r : rows) {
        data->LoadCompressedSkin(stored);
        r.change(Object<TskDataSkinPanelControl>("groupbox"));
        for (int width : {0, 1, 2, 31, 58, 59, 60, 409}) {
            auto* g = Add<TskSkinGroupBox>("groupbox", 0, 0, width, 100);
            g->SetCaption(cp("导出列表"));
            g->SetBorderStyle(r.border);
            g->SetCaptionMode(r.border != TskSkinBorderStyle::bvNone);
            pump();
            EXPECT_TRUE(g->Skinned()) << r.what;
            EXPECT_GE(g->AlignRect().width(), 0) << r.what << " at " << width;
            delete g;
        }
    }
}

TEST_F(StaticControls, TransparentPanelShowsItsParentInsideAOnePixelFrame)
{
    auto* back = new Filler(form);
    back->SetParent(form);
    back->SetBounds(0, 0, 200, 100);
    auto* p = Add<TskSkinPanel>("panel", 10, 10, 100, 60, back);
    p->SetTransparentMode(true);
    pump();
    const Rect s = Object<TskDataSkinPanelControl>("panel").skinrect;
    const Pixel line = PicturePixel(1, s.left + s.width() / 2, s.bottom - 1);
    const Bitmap shot = Shot({10, 10, 110, 70});
    EXPECT_EQ(hex(shot.pixel(50, 30)), hex(to_pixel(clWhite)));
    for (Point at : {Point{0, 0}, Point{99, 0}, Point{0, 59}, Point{99, 59}, Point{50, 0}, Point{0, 30}})
        EXPECT_EQ(hex(shot.pixel(at.x, at.y)), hex(line)) << at.x << "," << at.y;
}

// ---- Panel modes -------------------------------------------------------------------

TEST_F(StaticControls, CaptionClickTogglesCheckAndRollUp)
{
    auto* g = Add<TskSkinGroupBox>("groupbox", 0, 0, 200, 150);
    auto* child = new Filler(form);
    child->SetParent(g);
    child->SetAlign(TAlign::alClient);
    g->SetCheckedMode(true);
    g->SetChecked(true);
    int checked_events = 0, roll_events = 0;
    g->OnChecked = [&](TComponent*) { ++checked_events; };
    g->OnChangeRollUpState = [&](TComponent*) { ++roll_events; };

    backend.click({100, 7});
    pump();
    EXPECT_FALSE(g->Checked());
    EXPECT_FALSE(child->Enabled());
    EXPECT_EQ(checked_events, 1);
    backend.click({100, 80}); // below the caption strip: nothing
    pump();
    EXPECT_EQ(checked_events, 1);

    g->SetCheckedMode(false);
    g->SetRollUpMode(true);
    backend.click({100, 7});
    pump();
    EXPECT_TRUE(g->RollUpState());
    EXPECT_EQ(g->RealHeight(), 150);
    EXPECT_EQ(g->Height(), 150 - 134) << "shrinks to the skin's border around the client";
    EXPECT_FALSE(child->Visible());
    backend.click({100, 7});
    pump();
    EXPECT_EQ(g->Height(), 150);
    EXPECT_TRUE(child->Visible());
    EXPECT_EQ(roll_events, 2);
}

// ---- Splitter ------------------------------------------------------------------------

struct SplitterDrag : StaticControls {
    TskSkinGroupBox* left = nullptr;
    TskSkinSplitter* splitter = nullptr;
    TskSkinGroupBox* right = nullptr;
    int moved = 0;

    // The main window's lower half at the form's width: a group docked on
    // `side`, the splitter against it and a group filling the rest. The
    // docked group's width is set last, the way a drag sets it.
    void Build(TAlign side, int docked_width)
    {
        const bool on_left = side == TAlign::alLeft;
        left = Add<TskSkinGroupBox>("groupbox", on_left ? 0 : 420 - 100, 0, 100, 320);
        left->SetAlign(side);
        splitter = new TskSkinSplitter(form);
        splitter->SetParent(form);
        splitter->SetAlign(side);
        splitter->SetBounds(on_left ? 100 : 420 - 100 - 10, 0, 10, 320);
        splitter->SetSkinData(data);
        splitter->OnMoved = [this](TComponent*) { ++moved; };
        right = Add<TskSkinGroupBox>("groupbox", 0, 0, 100, 320);
        right->SetAlign(TAlign::alClient);
        if (on_left)
            left->SetWidth(docked_width);
        else
            left->SetBounds(420 - docked_width, 0, docked_width, 320);
        pump();
    }
    Point Grip() const { return {splitter->Left() + 2, 100}; }
};

TEST_F(SplitterDrag, SkinSetsTheThicknessAndDrawsThePieces)
{
    Build(TAlign::alLeft, 200);
    EXPECT_EQ(splitter->Width(), 5);
    EXPECT_EQ(right->BoundsRect(), (Rect{205, 0, 420, 320}));
    const Bitmap shot = Shot(splitter->BoundsRect());
    const auto pic = [&](int x, int y) { return hex(PicturePixel(1, x, y)); };
    // 5-pixel top piece, a 13-pixel middle tiled, 4-pixel bottom piece.
    EXPECT_EQ(hex(shot.pixel(0, 0)), pic(118, 191));
    EXPECT_EQ(hex(shot.pixel(0, 5)), pic(118, 196));
    EXPECT_EQ(hex(shot.pixel(0, 18)), pic(118, 196));
    EXPECT_EQ(hex(shot.pixel(4, 319)), pic(122, 212));
    // The 3 x 8 gripper centred, magenta left out.
    const Rect grip{1, 156, 4, 164};
    for (int y = grip.top; y < grip.bottom; ++y)
        for (int x = grip.left; x < grip.right; ++x) {
            const Pixel g = PicturePixel(1, 127 + x - grip.left, 206 + y - grip.top);
            if (g != make_pixel(255, 0, 255)) {
                EXPECT_EQ(hex(shot.pixel(x, y)), hex(g)) << x << "," << y;
            }
        }
    // Without a skin it takes DefaultSize and its colour.
    splitter->SetSkinDataName("nosuchobject");
    splitter->ApplySkin();
    EXPECT_EQ(splitter->Width(), 10);
}

TEST_F(SplitterDrag, DragTable)
{
    struct Row {
        const char* what;
        TAlign side;
        int start_width;
        bool auto_snap;
        int dx;
        bool escape;
        int width;
        int moved;
    };
    // Form 420 wide, splitter 5: the docked group may reach 420 - 30 - 5.
    const Row rows[] = {
        {"wider", TAlign::alLeft, 200, true, 18, false, 218, 1},
        {"far left snaps to nothing", TAlign::alLeft, 200, true, -300, false, 0, 1},
        {"just above the minimum stays", TAlign::alLeft, 200, true, -169, false, 31, 1},
        {"at the minimum snaps", TAlign::alLeft, 200, true, -170, false, 0, 1},
        {"without snapping stops at the minimum", TAlign::alLeft, 200, false, -300, false, 30, 1},
        {"far right leaves the other group 30", TAlign::alLeft, 200, true, 400, false, 385, 1},
        {"Esc leaves both groups", TAlign::alLeft, 200, true, 80, true, 200, 0},
        {"a snapped group is found and grows again", TAlign::alLeft, 0, true, 100, false, 100, 1},
        {"docked right grows leftwards", TAlign::alRight, 150, true, -50, false, 200, 1},
        {"docked right snaps", TAlign::alRight, 150, true, 200, false, 0, 1},
    };
    for (const Row& r : rows) {
        Build(r.side, r.start_width);
        splitter->AutoSnap = r.auto_snap;
        const int right_edge = left->Left() + left->Width();
        const Point from = Grip();
        backend.mouse_move(from);
        backend.mouse_down(from);
        pump();
        ASSERT_TRUE(splitter->Dragging()) << r.what;
        EXPECT_EQ(splitter->DragNeighbour(), left) << r.what;
        backend.mouse_move({from.x + r.dx / 2, from.y});
        backend.mouse_move({from.x + r.dx, from.y + 30});
        pump();
        if (r.escape) {
            backend.key(VK_ESCAPE);
            pump();
            EXPECT_FALSE(splitter->Dragging()) << r.what;
        }
        backend.mouse_up({from.x + r.dx, from.y + 30});
        pump();
        EXPECT_FALSE(splitter->Dragging()) << r.what;
        EXPECT_EQ(left->Width(), r.width) << r.what;
        EXPECT_EQ(moved, r.moved) << r.what;
        if (r.side == TAlign::alRight)
            EXPECT_EQ(left->Left() + left->Width(), right_edge) << r.what << ": the far edge stays";
        else
            EXPECT_EQ(right->Left(), r.width + 5) << r.what;
        delete left;
        delete splitter;
        delete right;
        moved = 0;
    }
}

TEST_F(SplitterDrag, PatternLineInvertsEveryOtherPixelAndGoesAway)
{
    Build(TAlign::alLeft, 200);
    const Rect line{300, 0, 305, 320};
    const Bitmap before = Shot(line);
    const Bitmap whole_before = Shot({0, 0, 420, 320});
    backend.mouse_move(Grip());
    backend.mouse_down(Grip());
    backend.mouse_move({Grip().x + 100, 100});
    pump();
    EXPECT_EQ(splitter->DragLineRect(), line);
    EXPECT_EQ(left->Width(), 200) << "nothing moves before the release";
    const Bitmap during = Shot(line);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inverted = ((line.left + x + y) & 1) == 0;
            ASSERT_EQ(hex(during.pixel(x, y)), hex(inverted ? before.pixel(x, y) ^ 0xFFFFFFu : before.pixel(x, y)))
                << x << "," << y;
        }
    // Esc takes the line away with nothing resized.
    backend.key(VK_ESCAPE);
    pump();
    EXPECT_TRUE(test::same_pixels(whole_before, Shot({0, 0, 420, 320})));
    backend.mouse_up({Grip().x + 100, 100});
    pump();
    EXPECT_EQ(left->Width(), 200);
}

TEST_F(SplitterDrag, EscHookGivesTheFocusedControlItsHandlerBack)
{
    Build(TAlign::alLeft, 200);
    auto* focused = new Filler(form);
    focused->SetParent(right);
    focused->SetBounds(10, 30, 50, 50);
    focused->SetTabStop(true);
    int keys = 0;
    focused->OnKeyDown = [&](TComponent*, int&, TShiftState) { ++keys; };
    focused->SetFocus();
    pump();
    backend.mouse_down(Grip());
    backend.mouse_move({Grip().x + 40, 100});
    pump();
    backend.key('A'); // other keys reach the control's own handler
    pump();
    EXPECT_EQ(keys, 1);
    backend.key(VK_ESCAPE);
    pump();
    EXPECT_FALSE(splitter->Dragging());
    EXPECT_EQ(keys, 1) << "Esc ended the drag only";
    backend.key(VK_ESCAPE);
    pump();
    EXPECT_EQ(keys, 2) << "the handler is the control's own again";
    backend.mouse_up({Grip().x + 40, 100});
    pump();
    EXPECT_EQ(left->Width(), 200);
    // A drag whose neighbour goes away ends quietly.
    backend.mouse_down(Grip());
    pump();
    ASSERT_TRUE(splitter->Dragging());
    delete left;
    EXPECT_FALSE(splitter->Dragging());
    backend.mouse_up(Grip());
    pump();
    EXPECT_EQ(moved, 0);
}

} // namespace
} // namespace lt
