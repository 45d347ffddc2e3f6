// The gallery: every canvas primitive and the program's fonts in one picture,
// written to gallery.png in this suite's build folder for a person to look at.
// The picture is checked where it is easy to know what must be there: the
// primitives at probe points of their one-colour regions, every line of
// text by the ink of its colour inside its own box, and 12 px Chinese text
// drawn from the bitmap strike (pure text colour, no grey fringes).

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/draw_text.h"
#include "gfx/png.h"
#include "gfx/region.h"
#include "tests/gfx-text/text_fonts.h"

namespace lt {
namespace {

using test::font_desc;
using test::kSongTi;

// "长尾词查询工具 正在查询：QQ空间"
const std::string kSample = "\xB3\xA4\xCE\xB2\xB4\xCA\xB2\xE9\xD1\xAF\xB9\xA4\xBE\xDF "
                            "\xD5\xFD\xD4\xDA\xB2\xE9\xD1\xAF\xA3\xBAQQ\xBF\xD5\xBC\xE4";

// A 12 x 12 picture in four coloured quadrants with a black dot in the
// lower-left corner, the usual key colour of transparent blits.
Bitmap quadrants()
{
    Bitmap b(12, 12);
    b.fill(Rect{0, 0, 6, 6}, make_pixel(220, 40, 40));
    b.fill(Rect{6, 0, 12, 6}, make_pixel(40, 160, 40));
    b.fill(Rect{0, 6, 6, 12}, make_pixel(40, 40, 220));
    b.fill(Rect{6, 6, 12, 12}, make_pixel(230, 200, 40));
    b.fill(Rect{0, 11, 1, 12}, make_pixel(0, 0, 0));
    b.fill(Rect{3, 3, 9, 9}, make_pixel(0, 0, 0));
    return b;
}

// Where a piece of text was drawn, in which colour, over which background.
struct Ink {
    Rect area;
    Color colour;
    Color background;
    std::string what;
};

class Gallery {
public:
    Gallery() : bmp_(760, 660, to_pixel(clBtnFace)), canvas_(bmp_) { }

    void label(int x, int y, const std::string& text)
    {
        canvas_.font() = font_desc("Arial", -11);
        canvas_.set_text_color(clGray);
        canvas_.set_bk_mode(BkMode::Transparent);
        text_out(canvas_, x, y, text);
        inks_.push_back({Rect::from_xywh(x, y, 220, 14), clGray, clBtnFace, "label " + text});
    }

    void primitives(int y)
    {
        Canvas& c = canvas_;
        const Bitmap pic = quadrants();
        label(8, y, "fill / frame / 3D / edge / focus");
        c.fill_rect(Rect::from_xywh(8, y + 16, 30, 24), clWhite);
        c.frame_rect(Rect::from_xywh(44, y + 16, 30, 24), clNavy);
        c.frame3d(Rect::from_xywh(80, y + 16, 30, 24), clBtnHighlight, clBtnShadow);
        c.draw_edge(Rect::from_xywh(116, y + 16, 30, 24), EdgeStyle::Raised);
        c.draw_edge(Rect::from_xywh(152, y + 16, 30, 24), EdgeStyle::Sunken);
        c.brush().color = clWhite;
        c.draw_focus_rect(Rect::from_xywh(188, y + 16, 30, 24));

        label(230, y, "lines / polyline / pixels / rectangle");
        c.pen().color = clMaroon;
        c.line({230, y + 16}, {270, y + 40});
        c.line({230, y + 40}, {270, y + 16});
        const std::array<Point, 5> zig{{{276, y + 40}, {284, y + 16}, {292, y + 40}, {300, y + 16}, {308, y + 40}}};
        c.pen().color = clGreen;
        c.polyline(zig);
        for (int i = 0; i < 12; ++i)
            c.set_pixel({314 + 2 * i, y + 16 + 2 * i}, clRed);
        c.pen().color = clBlack;
        c.brush().color = clYellow;
        c.rectangle(Rect::from_xywh(344, y + 16, 30, 24));

        label(390, y, "blit / stretch / key / tile / disabled / region / clip");
        c.draw({390, y + 16}, pic);
        c.stretch_draw(Rect::from_xywh(408, y + 16, 30, 24), pic);
        c.draw_transparent({444, y + 16}, pic);
        c.tile(Rect::from_xywh(462, y + 16, 30, 24), pic, pic.rect());
        c.draw_disabled({498, y + 16}, pic, pic.rect());
        Region ring = Region(Rect::from_xywh(516, y + 16, 30, 24)) - Region(Rect::from_xywh(524, y + 22, 14, 12));
        c.fill_region(ring, clPurple);
        {
            CanvasSaver saver(c);
            c.set_origin({552, y + 16});
            c.intersect_clip(Rect{0, 0, 30, 24});
            c.exclude_clip(Rect{10, 8, 20, 16});
            c.fill_rect(Rect{-10, -10, 40, 40}, clTeal);
        }
    }

    // One line of the sample per family and size; returns the next y.
    int fonts(int y)
    {
        struct Family {
            const char* name;
            const char* label;
        } families[] = {{kSongTi, "SongTi"}, {"Arial", "Arial"}, {"MS Sans Serif", "MS Sans Serif"}};
        for (const Family& f : families) {
            for (int px : {11, 12, 14, 16}) {
                const FontDesc d = font_desc(f.name, -px);
                label(8, y + 2,
                    std::string(f.label) + " " + std::to_string(px) + " px: " + Font::get(d)->primary_family());
                canvas_.font() = d;
                canvas_.set_text_color(clBlack);
                text_out(canvas_, 230, y, kSample + " Keyword Harvester 0123");
                inks_.push_back({Rect{230, y, 760, y + px + 4}, clBlack, clBtnFace,
                    std::string(f.label) + " " + std::to_string(px)});
                y += px + 6;
            }
        }
        return y;
    }

    int styles(int y)
    {
        struct Style {
            const char* name;
            int height;
            bool bold, italic, underline, strikeout;
            const char* label;
        } styles[] = {
            {kSongTi, -12, true, false, false, false, "SongTi 12 bold"},
            {kSongTi, -14, true, false, false, false, "SongTi 14 bold (caption)"},
            {"Arial", 14, false, false, false, false, "Arial cell 14"},
            {"Arial", 16, true, false, false, false, "Arial 16 bold"},
            {kSongTi, -12, false, false, true, false, "SongTi 12 underline"},
            {"Arial", 14, false, true, false, true, "Arial 14 italic strike"},
            {kSongTi, -14, false, true, false, false, "SongTi 14 italic (sheared)"},
        };
        for (const Style& s : styles) {
            label(8, y + 2, s.label);
            FontDesc d = font_desc(s.name, s.height, s.bold);
            d.italic = s.italic;
            d.underline = s.underline;
            d.strikeout = s.strikeout;
            canvas_.font() = d;
            canvas_.set_text_color(clNavy);
            text_out(canvas_, 230, y, kSample + " Query Stop");
            inks_.push_back({Rect{230, y, 760, y + 18}, clNavy, clBtnFace, s.label});
            y += 20;
        }
        return y;
    }

    // DrawText flags in framed boxes.
    void boxes(int y)
    {
        Canvas& c = canvas_;
        auto box = [&](int x, int w, int h, const std::string& title, const std::string& text, unsigned flags,
                       bool disabled = false) {
            label(x, y, title);
            Rect r = Rect::from_xywh(x, y + 16, w, h);
            c.fill_rect(r, disabled ? clBtnFace : clWindow);
            c.frame_rect(r.inflated(1, 1), clBtnShadow);
            c.font() = font_desc("Arial", 14);
            c.set_text_color(clWindowText);
            c.set_bk_mode(BkMode::Transparent);
            if (disabled) {
                draw_text_disabled(c, text, r, flags);
                inks_.push_back({r, clBtnShadow, clBtnFace, title});
            } else {
                draw_text(c, text, r, flags);
                inks_.push_back({r, clWindowText, clWindow, title});
            }
        };
        box(8, 110, 40, "end ellipsis", kSample, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        box(130, 130, 40, "path ellipsis", "/home/user/\xB3\xA4\xCE\xB2\xB4\xCA/result.txt",
            DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS);
        box(272, 110, 60, "word break", kSample + " long tail keywords", DT_WORDBREAK);
        box(394, 120, 40, "accelerators", "\xB2\xE9\xD1\xAF(&Q)  A&&B", DT_SINGLELINE | DT_VCENTER);
        box(526, 100, 40, "disabled", "\xB2\xE9\xD1\xAF(&Q) Disabled", DT_SINGLELINE | DT_VCENTER | DT_CENTER, true);
        box(638, 110, 40, "tabs (4)", "a\tb\tc\n1\t22\t333", DT_EXPANDTABS | DT_TABSTOP | (4 << 8));

        const int y2 = y + 80;
        const unsigned aligns[] = {DT_LEFT | DT_TOP, DT_CENTER | DT_VCENTER, DT_RIGHT | DT_BOTTOM};
        const char* names[] = {"left top", "centre vcentre", "right bottom"};
        for (int i = 0; i < 3; ++i) {
            label(8 + i * 130, y2, names[i]);
            Rect r = Rect::from_xywh(8 + i * 130, y2 + 16, 120, 40);
            c.fill_rect(r, clWindow);
            c.frame_rect(r.inflated(1, 1), clBtnShadow);
            c.font() = font_desc(kSongTi, -12);
            c.set_text_color(clBlack);
            draw_text(c, "\xB2\xE9\xD1\xAF Query", r, aligns[i] | DT_SINGLELINE);
            inks_.push_back({r, clBlack, clWindow, names[i]});
        }
        label(400, y2, "opaque background");
        c.font() = font_desc(kSongTi, -12);
        c.set_bk_mode(BkMode::Opaque);
        c.set_bk_color(clHighlight);
        c.set_text_color(clHighlightText);
        text_out(c, 400, y2 + 20, kSample);
        inks_.push_back({Rect::from_xywh(400, y2 + 20, 200, 14), clHighlightText, clHighlight, "opaque text"});
        inks_.push_back({Rect::from_xywh(400, y2 + 20, 200, 14), clHighlight, clBtnFace, "opaque background"});
    }

    Bitmap& bitmap() { return bmp_; }
    const std::vector<Ink>& inks() const { return inks_; }

private:
    Bitmap bmp_;
    Canvas canvas_;
    std::vector<Ink> inks_;
};

int distance(Pixel a, Pixel b)
{
    return std::abs(int(pixel_red(a)) - int(pixel_red(b))) + std::abs(int(pixel_green(a)) - int(pixel_green(b))) +
        std::abs(int(pixel_blue(a)) - int(pixel_blue(b)));
}

// Pixels inside the text's area nearer its colour than its background is by
// half: the cores of the glyphs, whatever the smoothing at their edges.
int ink_pixels(const Bitmap& b, const Ink& ink)
{
    const Pixel colour = to_pixel(ink.colour), background = to_pixel(ink.background);
    const int limit = distance(colour, background) / 2;
    int n = 0;
    const Rect area = ink.area.intersected(b.rect());
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += distance(b.pixel(x, y), colour) < limit;
    return n;
}

TEST(Gallery, DrawsEveryPrimitiveAndFontIntoOnePicture)
{
    Gallery g;
    g.primitives(6);
    int y = g.fonts(70);
    y = g.styles(y + 6);
    g.boxes(y + 8);
    const Bitmap& b = g.bitmap();
    const std::filesystem::path out = std::filesystem::current_path() / "gallery.png";
    save_png_file(out.string(), b);
    std::cout << "gallery: " << out.string() << "\n";

    // The primitive row starts at y 22; each sample is 30 x 24 (the
    // quadrant picture 12 x 12: red, green / blue, yellow, black centre).
    const Pixel red = make_pixel(220, 40, 40), green = make_pixel(40, 160, 40), blue = make_pixel(40, 40, 220),
                yellow = make_pixel(230, 200, 40), black = make_pixel(0, 0, 0), face = to_pixel(clBtnFace);
    struct Probe {
        Point at;
        Pixel expected;
        const char* what;
    } probes[] = {
        {{20, 30}, to_pixel(clWhite), "fill"},
        {{44, 22}, to_pixel(clNavy), "frame edge"},
        {{58, 34}, face, "frame inside"},
        {{80, 22}, to_pixel(clBtnHighlight), "3D frame light side"},
        {{109, 45}, to_pixel(clBtnShadow), "3D frame dark side"},
        {{230, 22}, to_pixel(clMaroon), "line start"},
        {{314, 22}, to_pixel(clRed), "pixel"},
        {{315, 22}, face, "between pixels"},
        {{344, 22}, to_pixel(clBlack), "rectangle pen"},
        {{358, 34}, to_pixel(clYellow), "rectangle brush"},
        {{391, 23}, red, "blit top left"},
        {{400, 23}, green, "blit top right"},
        {{391, 32}, blue, "blit bottom left"},
        {{400, 32}, yellow, "blit bottom right"},
        {{395, 27}, black, "blit centre"},
        {{409, 23}, red, "stretch top left"},
        {{436, 44}, yellow, "stretch bottom right"},
        {{445, 23}, red, "keyed blit"},
        {{449, 28}, face, "keyed blit's key colour left out"},
        {{475, 23}, red, "tile repeats"},
        {{517, 23}, to_pixel(clPurple), "region ring"},
        {{530, 33}, face, "region hole"},
        {{553, 23}, to_pixel(clTeal), "clipped fill"},
        {{567, 34}, face, "excluded from the clip"},
        {{583, 23}, face, "outside the clip"},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(b.pixel(p.at.x, p.at.y), p.expected) << p.what << " at (" << p.at.x << ", " << p.at.y << ")";

    // Every text left ink of its colour in its own box.
    ASSERT_GT(g.inks().size(), 30u);
    for (const Ink& ink : g.inks())
        EXPECT_GT(ink_pixels(b, ink), 20) << ink.what;
}

TEST(Gallery, TwelvePixelChineseIsCrispAndComplete)
{
    LT_REQUIRE_UMING(f, -12);
    Bitmap bmp(200, 20, make_pixel(255, 255, 255));
    Canvas c(bmp);
    c.font() = font_desc(kSongTi, -12);
    c.set_text_color(clBlack);
    c.set_bk_mode(BkMode::Transparent);
    text_out(c, 2, 2, kSample);
    // Crisp: only text colour and background, as a bitmap strike gives.
    // Complete: every character (the blank aside) left ink in its own 12 or
    // 6 px cell; the full-width colon is the smallest, with a few pixels.
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x)
            ASSERT_TRUE(bmp.pixel(x, y) == make_pixel(0, 0, 0) || bmp.pixel(x, y) == make_pixel(255, 255, 255))
                << "grey pixel at (" << x << ", " << y << ")";
    int x = 2;
    for (size_t pos = 0; pos < kSample.size();) {
        const bool wide = static_cast<unsigned char>(kSample[pos]) >= 0x81;
        const int w = wide ? 12 : 6;
        if (kSample[pos] != ' ') {
            int ink = 0;
            for (int yy = 0; yy < bmp.height(); ++yy)
                for (int xx = x; xx < x + w; ++xx)
                    ink += bmp.pixel(xx, yy) == make_pixel(0, 0, 0);
            EXPECT_GT(ink, 3) << "character at byte " << pos;
        }
        x += w;
        pos += wide ? 2 : 1;
    }
}

} // namespace
} // namespace lt
