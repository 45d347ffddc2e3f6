// Draws the bitmaps of the stored skin from code. Every look is painted at
// the rectangle the skin description names for it, so skin.ini stays the one
// place where geometry is decided.
//
//   skin-gen <skin.ini> <output folder>
//
// writes the bitmaps named under [PICTURES] into the output folder and copies
// the description next to them, ready for skin-pack.
//
// Sections: palette and drawing helpers; frame and mask; caption buttons;
// controls; menus and popup window; small pictures; main.

#include <cstdio>
#include <string>
#include <vector>

#include "gfx/bmp.h"
#include "skin/skin_ini.h"
#include "skin/skin_package.h"

namespace {

using namespace lt;

// ---------------------------------------------------------------------------
// Palette: light blue-grey surfaces, one-pixel lines, blue accents.

struct Rgb {
    int r, g, b;
};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kFrameBorder{111, 147, 194};
constexpr Rgb kCaptionTop{250, 252, 255};
constexpr Rgb kCaptionBottom{226, 235, 246};
constexpr Rgb kSeparator{201, 216, 235};
constexpr Rgb kSurface{243, 246, 250};
constexpr Rgb kLine{168, 188, 214};
constexpr Rgb kGlyph{74, 98, 130};
constexpr Rgb kGlyphPale{160, 178, 204};
constexpr Rgb kHotBorder{80, 143, 208};
constexpr Rgb kHotTop{243, 249, 255};
constexpr Rgb kHotBottom{214, 231, 250};
constexpr Rgb kDownBorder{62, 106, 170};
constexpr Rgb kDownTop{196, 216, 240};
constexpr Rgb kDownBottom{214, 229, 247};
constexpr Rgb kDisabledBorder{214, 222, 232};
constexpr Rgb kDisabledFill{246, 248, 250};
constexpr Rgb kSelection{207, 226, 247};
constexpr Rgb kSelectionBorder{134, 174, 221};
constexpr Rgb kAccent{62, 106, 170};
constexpr Rgb kTrack{238, 242, 247};
constexpr Rgb kKey{255, 0, 255}; // transparent colour of marks and grippers

Pixel px(Rgb c)
{
    return make_pixel(c.r, c.g, c.b);
}
Rgb mix(Rgb a, Rgb b, double t)
{
    return {int(a.r + (b.r - a.r) * t + 0.5), int(a.g + (b.g - a.g) * t + 0.5), int(a.b + (b.b - a.b) * t + 0.5)};
}

void put(Bitmap& b, int x, int y, Rgb c)
{
    if (x >= 0 && y >= 0 && x < b.width() && y < b.height())
        b.set_pixel(x, y, px(c));
}
void fill(Bitmap& b, const Rect& r, Rgb c)
{
    b.fill(r, px(c));
}
void vgrad(Bitmap& b, const Rect& r, Rgb top, Rgb bottom)
{
    for (int y = r.top; y < r.bottom; ++y) {
        double t = r.height() > 1 ? double(y - r.top) / (r.height() - 1) : 0;
        fill(b, {r.left, y, r.right, y + 1}, mix(top, bottom, t));
    }
}
void hgrad(Bitmap& b, const Rect& r, Rgb left, Rgb right)
{
    for (int x = r.left; x < r.right; ++x) {
        double t = r.width() > 1 ? double(x - r.left) / (r.width() - 1) : 0;
        fill(b, {x, r.top, x + 1, r.bottom}, mix(left, right, t));
    }
}
void frame(Bitmap& b, const Rect& r, Rgb c)
{
    fill(b, {r.left, r.top, r.right, r.top + 1}, c);
    fill(b, {r.left, r.bottom - 1, r.right, r.bottom}, c);
    fill(b, {r.left, r.top, r.left + 1, r.bottom}, c);
    fill(b, {r.right - 1, r.top, r.right, r.bottom}, c);
}
// A box with a one-pixel border whose corner pixels blend into `bg`, so the
// corners read as rounded without any transparency.
void box(Bitmap& b, const Rect& r, Rgb border, Rgb top, Rgb bottom, Rgb bg, bool vertical = true)
{
    if (vertical)
        vgrad(b, r, top, bottom);
    else
        hgrad(b, r, top, bottom);
    frame(b, r, border);
    Rgb corner = mix(border, bg, 0.6);
    put(b, r.left, r.top, corner);
    put(b, r.right - 1, r.top, corner);
    put(b, r.left, r.bottom - 1, corner);
    put(b, r.right - 1, r.bottom - 1, corner);
}
// A glyph from rows of text: '#' full colour, '+' half blended with the
// pixel below it (anti-aliased edges), anything else untouched.
void glyph(Bitmap& b, int x, int y, const std::vector<const char*>& rows, Rgb c)
{
    for (int j = 0; j < int(rows.size()); ++j)
        for (int i = 0; rows[j][i]; ++i) {
            if (rows[j][i] == '#')
                put(b, x + i, y + j, c);
            else if (rows[j][i] == '+' && x + i < b.width() && y + j < b.height()) {
                Pixel p = b.pixel(x + i, y + j);
                Rgb under{int(pixel_red(p)), int(pixel_green(p)), int(pixel_blue(p))};
                put(b, x + i, y + j, mix(under, c, 0.5));
            }
        }
}
void glyph_centered(Bitmap& b, const Rect& r, const std::vector<const char*>& rows, Rgb c, int shift = 0)
{
    int w = int(std::string(rows[0]).size()), h = int(rows.size());
    glyph(b, r.left + (r.width() - w) / 2 + shift, r.top + (r.height() - h) / 2 + shift, rows, c);
}

const std::vector<const char*> kCross = {"+#+---+#+", "##+---+##", "+##+-+##+", "-+##+##+-", "--+###+--", "-+##+##+-",
    "+##+-+##+", "##+---+##", "+#+---+#+"};
const std::vector<const char*> kMax = {"#########", "#########", "#-------#", "#-------#", "#-------#", "#-------#",
    "#-------#", "#-------#", "#########"};
const std::vector<const char*> kRestore = {"--#######", "--#######", "--#-----#", "#######-#", "#######-#", "#-----#-#",
    "#-----###", "#-----#--", "#######--"};
const std::vector<const char*> kMin = {"---------", "---------", "---------", "---------", "---------", "---------",
    "---------", "#########", "#########"};
const std::vector<const char*> kRollUp = {"---------", "---------", "----#----", "---###---", "--##+##--", "-##+-+##-",
    "##+---+##", "#+-----+#", "---------"};
const std::vector<const char*> kRollDown = {"---------", "#+-----+#", "##+---+##", "-##+-+##-", "--##+##--",
    "---###---", "----#----", "---------", "---------"};
const std::vector<const char*> kMenu = {"---------", "#########", "---------", "---------", "#########", "---------",
    "---------", "#########", "---------"};
const std::vector<const char*> kTray = {"---------", "---------", "---------", "---------", "---------", "---------",
    "----#####", "----#####", "---------"};
const std::vector<const char*> kChevronUp = {"---#---", "--###--", "-##+##-", "##+-+##"};
const std::vector<const char*> kChevronDown = {"##+-+##", "-##+##-", "--###--", "---#---"};
const std::vector<const char*> kChevronLeft = {"---#", "--##", "-##+", "##+-", "-##+", "--##", "---#"};
const std::vector<const char*> kChevronRight = {"#---", "##--", "+##-", "-+##", "+##-", "##--", "#---"};
const std::vector<const char*> kDropDown = {"#####", "-###-", "--#--"};
const std::vector<const char*> kCheck = {"------#", "-----##", "#---##-", "##-##--", "-###---", "--#----"};
const std::vector<const char*> kArrowRight = {"#---", "##--", "###-", "####", "###-", "##--", "#---"};
const std::vector<const char*> kDot = {"-###-", "#####", "#####", "#####", "-###-"};

// ---------------------------------------------------------------------------

class SkinPainter {
public:
    explicit SkinPainter(const SkinIni& ini) : ini_(ini) { }

    Rect R(const char* section, const char* key) const { return ini_.ReadRect(section, key); }
    Point P(const char* section, const char* key) const { return ini_.ReadPoint(section, key); }

    // The frame picture: caption gradient on top, light borders, a flat
    // client area and a one-pixel outline with rounded top corners.
    Bitmap Frame() const
    {
        Bitmap b(285, 210);
        Rect client = R("FORMINFO", "clientrect");
        fill(b, b.rect(), kCaptionBottom);
        vgrad(b, {0, 0, 285, client.top - 1}, kCaptionTop, kCaptionBottom);
        fill(b, {1, 1, 284, 2}, kWhite);
        fill(b, client, kSurface);
        frame(b, client.inflated(1, 1), kSeparator);
        frame(b, b.rect(), kFrameBorder);
        for (int i = 0; i < 3; ++i) {
            // The mask removes the pixels above this diagonal.
            put(b, i, 2 - i, kCaptionTop);
            put(b, 284 - i, 2 - i, kCaptionTop);
        }
        for (int i = 0; i <= 3; ++i) {
            put(b, i, 3 - i, kFrameBorder);
            put(b, 284 - i, 3 - i, kFrameBorder);
        }
        return b;
    }

    // Black marks the window; the top corners are cut on a diagonal of three
    // pixels and the bottom corners by one.
    Bitmap Mask() const
    {
        Bitmap m(285, 210, px({0, 0, 0}));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x + y <= 2; ++x) {
                put(m, x, y, kWhite);
                put(m, 284 - x, y, kWhite);
            }
        put(m, 0, 209, kWhite);
        put(m, 284, 209, kWhite);
        return m;
    }

    // Caption buttons sit on the caption gradient, so their background is
    // the frame's own row colour at the height where the frame places them.
    Bitmap CaptionButtons(const Bitmap& frame_picture) const
    {
        Bitmap b(97, 186);
        fill(b, b.rect(), kSurface);
        const int frame_top = R("FORMINFO", "captionrect").top;
        auto background = [&](const Rect& r) {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    b.set_pixel(x, y, frame_picture.pixel(140, frame_top + y - r.top));
        };
        auto looks = [&](const char* section, const char* normal, const char* hot, const char* down,
                         const char* inactive, const std::vector<const char*>& g, bool danger) {
            Rect n = R(section, normal), h = R(section, hot), d = R(section, down), i = R(section, inactive);
            for (Rect r : {n, h, d, i})
                background(r);
            Rgb bg = kCaptionBottom;
            if (danger) {
                box(b, h.inflated(-1, -1), {196, 60, 52}, {232, 96, 88}, {214, 72, 64}, bg);
                box(b, d, {150, 40, 36}, {188, 56, 50}, {204, 68, 60}, bg);
                glyph_centered(b, h, g, kWhite);
                glyph_centered(b, d, g, kWhite, 1);
            } else {
                box(b, h.inflated(-1, -1), {157, 185, 221}, kHotTop, kHotBottom, bg);
                box(b, d, kFrameBorder, kDownTop, kDownBottom, bg);
                glyph_centered(b, h, g, kAccent);
                glyph_centered(b, d, g, kDownBorder, 1);
            }
            glyph_centered(b, n, g, kGlyph);
            glyph_centered(b, i, g, kGlyphPale);
        };
        looks("closebutton", "skinrect", "activeskinrect", "downrect", "inactiveskinrect", kCross, true);
        looks("maxbutton", "skinrect", "activeskinrect", "downrect", "inactiveskinrect", kMax, false);
        looks(
            "maxbutton", "restorerect", "restoreactiverect", "restoredownrect", "restoreinactiverect", kRestore, false);
        looks("minbutton", "skinrect", "activeskinrect", "downrect", "inactiveskinrect", kMin, false);
        looks("rollupbutton", "skinrect", "activeskinrect", "downrect", "inactiveskinrect", kRollUp, false);
        looks("rollupbutton", "restorerect", "restoreactiverect", "restoredownrect", "restoreinactiverect", kRollDown,
            false);
        looks("sysmenubutton", "skinrect", "activeskinrect", "downrect", "inactiveskinrect", kMenu, false);
        looks("traybutton", "skinrect", "activeskinrect", "downrect", "inactiveskinrect", kTray, false);
        return b;
    }

    Bitmap Controls() const
    {
        Bitmap b(520, 300);
        fill(b, b.rect(), kSurface);
        PushButtons(b);
        Panels(b);
        Edits(b);
        Marks(b, "checkbox", false);
        Marks(b, "radiobox", true);
        Lists(b);
        ScrollBars(b);
        Splitters(b);
        ToolButtons(b);
        ComboBox(b);
        return b;
    }

    void PushButtons(Bitmap& b) const
    {
        box(b, R("button", "skinrect"), kLine, kWhite, {232, 239, 247}, kSurface);
        box(b, R("button", "activeskinrect"), kHotBorder, kHotTop, kHotBottom, kSurface);
        box(b, R("button", "downskinrect"), kDownBorder, kDownTop, kDownBottom, kSurface);
        box(b, R("button", "disabledskinrect"), kDisabledBorder, kDisabledFill, kDisabledFill, kSurface);
    }

    void Panels(Bitmap& b) const
    {
        Rect p = R("panel", "skinrect");
        fill(b, p, kSurface);
        frame(b, p, kSeparator);
        frame(b, p.inflated(-1, -1), kWhite);

        Rect g = R("groupbox", "skinrect");
        Rect cap = R("groupbox", "captionrect").offset(g.left, g.top);
        Rect client = R("groupbox", "clientrect").offset(g.left, g.top);
        box(b, g, {183, 203, 228}, {248, 250, 253}, {248, 250, 253}, kSurface);
        vgrad(b, cap, {245, 249, 254}, {228, 237, 248});
        fill(b, {cap.left, cap.bottom, cap.right, client.top}, kSeparator);

        Rect s = R("statuspanel", "skinrect");
        box(b, s, kSeparator, {236, 241, 247}, {240, 244, 249}, kSurface);
        fill(b, {s.left + 1, s.top + 1, s.right - 1, s.top + 2}, {228, 235, 244});
    }

    void Edits(Bitmap& b) const
    {
        auto edit = [&](const Rect& r, Rgb border, Rgb inner) {
            fill(b, r, kWhite);
            frame(b, r, border);
            fill(b, {r.left + 1, r.top + 1, r.right - 1, r.top + 2}, inner);
        };
        edit(R("edit", "skinrect"), kLine, {236, 241, 247});
        edit(R("edit", "activeskinrect"), kHotBorder, {214, 231, 250});
    }

    // Check and radio marks: 13 x 13 cells whose key-coloured corners (the
    // lower-left pixel names the transparent colour) leave the parent showing.
    void Marks(Bitmap& b, const char* section, bool round) const
    {
        struct Look {
            const char* key;
            Rgb border, fill;
            bool checked;
            Rgb mark;
        };
        const Look looks[] = {
            {"checkimagerect", kDownBorder, kHotBorder, true, kWhite},
            {"uncheckimagerect", kLine, kWhite, false, kWhite},
            {"activecheckimagerect", kDownBorder, {104, 160, 218}, true, kWhite},
            {"activeuncheckimagerect", kHotBorder, {236, 244, 253}, false, kWhite},
            {"unenabledcheckimagerect", kDisabledBorder, {226, 232, 240}, true, {170, 180, 192}},
            {"unenableduncheckimagerect", kDisabledBorder, kDisabledFill, false, kWhite},
            {"grayedcheckimagerect", kLine, kWhite, true, kLine},
            {"activegrayedcheckimagerect", kHotBorder, kWhite, true, kHotBorder},
        };
        for (const Look& l : looks) {
            Rect r = R(section, l.key);
            fill(b, r, kKey);
            if (round) {
                for (int y = 0; y < 13; ++y)
                    for (int x = 0; x < 13; ++x) {
                        double dx = x - 6, dy = y - 6, d = dx * dx + dy * dy;
                        if (d <= 21)
                            put(b, r.left + x, r.top + y, l.fill);
                        else if (d <= 37)
                            put(b, r.left + x, r.top + y, l.border);
                    }
                if (l.checked)
                    glyph_centered(b, r, kDot, l.mark);
            } else {
                box(b, r, l.border, l.fill, l.fill, kSurface);
                put(b, r.left, r.top, kKey);
                put(b, r.right - 1, r.top, kKey);
                put(b, r.left, r.bottom - 1, kKey);
                put(b, r.right - 1, r.bottom - 1, kKey);
                if (std::string(l.key).find("grayed") != std::string::npos)
                    fill(b, r.inflated(-3, -3), l.mark);
                else if (l.checked)
                    glyph_centered(b, r, kCheck, l.mark);
            }
        }
        Rect frame_look = R(section, "skinrect"), hot_look = R(section, "activeskinrect");
        box(b, frame_look, kSeparator, kWhite, {244, 247, 251}, kSurface);
        box(b, hot_look, kHotBorder, kHotTop, kHotBottom, kSurface);
    }

    void Lists(Bitmap& b) const
    {
        Rect f = R("listbox", "skinrect");
        fill(b, f, kWhite);
        frame(b, f, kLine);
        fill(b, R("listbox", "itemrect"), kWhite);
        box(b, R("listbox", "activeitemrect"), kSelectionBorder, {221, 235, 250}, kSelection, kWhite);
        box(b, R("listbox", "focusitemrect"), kHotBorder, {203, 224, 248}, {186, 211, 242}, kWhite);
    }

    // Scroll bars: a flat track, chevron buttons that light up when hot and
    // darken when pressed, a rounded thumb inset from the track's sides.
    void ScrollBars(Bitmap& b) const
    {
        for (bool vertical : {true, false}) {
            const char* s = vertical ? "vscrollbar" : "hscrollbar";
            Rect skin = R(s, "skinrect");
            fill(b, skin, kTrack);
            if (vertical)
                fill(b, {skin.left, skin.top, skin.left + 1, skin.bottom}, {221, 229, 239});
            else
                fill(b, {skin.left, skin.top, skin.right, skin.top + 1}, {221, 229, 239});
            const auto& dec = vertical ? kChevronUp : kChevronLeft;
            const auto& inc = vertical ? kChevronDown : kChevronRight;
            glyph_centered(b, R(s, "downbuttonrect").offset(skin.left, skin.top), dec, kGlyph);
            glyph_centered(b, R(s, "upbuttonrect").offset(skin.left, skin.top), inc, kGlyph);
            auto button = [&](const char* key, const std::vector<const char*>& g, bool pressed) {
                Rect r = R(s, key);
                fill(b, r, kTrack);
                if (pressed)
                    box(b, r.inflated(-1, -1), kFrameBorder, kDownTop, kDownBottom, kTrack);
                else
                    box(b, r.inflated(-1, -1), {157, 185, 221}, kHotTop, kHotBottom, kTrack);
                glyph_centered(b, r, g, pressed ? kDownBorder : kAccent);
            };
            button("activedownbuttonrect", dec, false);
            button("downdownbuttonrect", dec, true);
            button("activeupbuttonrect", inc, false);
            button("downupbuttonrect", inc, true);
            auto thumb = [&](const char* key, Rgb border, Rgb fill_colour) {
                Rect r = R(s, key);
                fill(b, r, kTrack);
                Rect inner = vertical ? r.inflated(-3, 0) : r.inflated(0, -3);
                box(b, inner, border, fill_colour, fill_colour, kTrack, vertical);
            };
            thumb("thumbrect", {168, 185, 208}, {200, 212, 228});
            thumb("activethumbrect", {134, 166, 206}, {172, 196, 228});
            thumb("downthumbrect", kDownBorder, {128, 164, 212});
        }
    }

    void Splitters(Bitmap& b) const
    {
        for (bool vertical : {true, false}) {
            const char* s = vertical ? "vsplitter" : "hsplitter";
            Rect r = R(s, "skinrect");
            fill(b, r, {236, 241, 247});
            if (vertical) {
                fill(b, {r.left + 1, r.top, r.left + 2, r.bottom}, {214, 224, 237});
                fill(b, {r.right - 2, r.top, r.right - 1, r.bottom}, {214, 224, 237});
            } else {
                fill(b, {r.left, r.top + 1, r.right, r.top + 2}, {214, 224, 237});
                fill(b, {r.left, r.bottom - 2, r.right, r.bottom - 1}, {214, 224, 237});
            }
            Rect g = R(s, "gripperrect");
            fill(b, g, kKey);
            for (int i = 0; i < (vertical ? g.height() : g.width()); i += 2)
                put(b, vertical ? g.left + 1 : g.left + i, vertical ? g.top + i : g.top + 1, kFrameBorder);
        }
    }

    void ToolButtons(Bitmap& b) const
    {
        Rect strip = R("toolpanel", "skinrect");
        vgrad(b, strip, {250, 252, 255}, {234, 240, 248});
        fill(b, {strip.left, strip.bottom - 1, strip.right, strip.bottom}, kSeparator);
        // Tool buttons stand on the strip at its client top, so their
        // normal look is the strip's own gradient there.
        int top = R("toolpanel", "clientrect").top;
        for (const char* s : {"toolbutton", "toolmenubutton"}) {
            Rect n = R(s, "skinrect"), h = R(s, "activeskinrect"), d = R(s, "downskinrect");
            for (Rect r : {n, h, d})
                for (int y = r.top; y < r.bottom; ++y)
                    for (int x = r.left; x < r.right; ++x)
                        b.set_pixel(x, y, b.pixel(strip.left + 20, strip.top + top + y - r.top));
            box(b, h, {157, 185, 221}, kHotTop, kHotBottom, {240, 245, 251});
            box(b, d, kFrameBorder, kDownTop, kDownBottom, {240, 245, 251});
            Rect track = R(s, "trackbuttonrect");
            if (track.empty())
                continue;
            for (Rect r : {n, h, d}) {
                Rect mark = track.offset(r.left, r.top);
                glyph_centered(b, mark, kDropDown, kGlyph);
            }
            fill(b, {h.left + track.left, h.top + 3, h.left + track.left + 1, h.bottom - 3}, {157, 185, 221});
            fill(b, {d.left + track.left, d.top + 3, d.left + track.left + 1, d.bottom - 3}, kFrameBorder);
        }
    }

    void ComboBox(Bitmap& b) const
    {
        const char* s = "combobox";
        Rect skin = R(s, "skinrect"), hot = R(s, "activeskinrect");
        Rect button = R(s, "buttonrect");
        for (auto [r, border] : {std::pair{skin, kLine}, std::pair{hot, kHotBorder}}) {
            fill(b, r, kWhite);
            frame(b, r, border);
            Rect bt = button.offset(r.left, r.top);
            vgrad(b, bt, {246, 249, 253}, {230, 237, 246});
            fill(b, {bt.left - 1, bt.top, bt.left, bt.bottom}, {221, 229, 239});
            glyph_centered(b, bt, kDropDown, kGlyph);
        }
        Rect ab = R(s, "activebuttonrect"), db = R(s, "downbuttonrect");
        box(b, ab, {157, 185, 221}, kHotTop, kHotBottom, kWhite);
        glyph_centered(b, ab, kDropDown, kAccent);
        box(b, db, kFrameBorder, kDownTop, kDownBottom, kWhite);
        glyph_centered(b, db, kDropDown, kDownBorder, 1);
        box(b, R(s, "focusitemrect"), kSelectionBorder, {221, 235, 250}, kSelection, kWhite);
    }

    // Menu items: a white item with an icon column, a highlighted item drawn
    // as a soft rounded bar, a thin divider and the check, radio and arrow marks.
    Bitmap MenuItems() const
    {
        Bitmap b(166, 82);
        const char* s = "menuitem";
        fill(b, b.rect(), kWhite);
        const int column = ini_.ReadInteger(s, "itemleftoffset", 0);
        auto item_bg = [&](const Rect& r) {
            fill(b, r, {252, 253, 254});
            fill(b, {r.left, r.top, r.left + column - 1, r.bottom}, {240, 244, 250});
            fill(b, {r.left + column - 1, r.top, r.left + column, r.bottom}, {226, 233, 242});
        };
        Rect n = R(s, "skinrect"), a = R(s, "activeskinrect"), d = R(s, "dividerrect");
        item_bg(n);
        item_bg(a);
        box(b, a.inflated(-1, -1), kSelectionBorder, {232, 241, 252}, {214, 229, 247}, {252, 253, 254});
        item_bg(d);
        // The line fills the whole middle span, which a wide separator
        // repeats, so that the copies join without gaps.
        int mid = d.top + d.height() / 2;
        fill(b, {d.left + column, mid, d.right - 3, mid + 1}, {209, 219, 232});
        fill(b, {d.left + column, mid + 1, d.right - 3, mid + 2}, kWhite);
        auto mark = [&](const char* key, const std::vector<const char*>& g, bool active) {
            Rect r = R(s, key);
            fill(b, r, active ? Rgb{221, 234, 250} : Rgb{240, 244, 250});
            glyph_centered(b, r, g, active ? kDownBorder : kGlyph);
        };
        mark("checkimagerect", kCheck, false);
        mark("activecheckimagerect", kCheck, true);
        mark("radioimagerect", kDot, false);
        mark("activeradioimagerect", kDot, true);
        mark("arrowimagerect", kArrowRight, false);
        mark("activearrowimagerect", kArrowRight, true);
        const char* bar = "mainmenubaritem";
        fill(b, R(bar, "skinrect"), kSurface);
        box(b, R(bar, "activeskinrect"), {157, 185, 221}, kHotTop, kHotBottom, kSurface);
        box(b, R(bar, "downrect"), kFrameBorder, kDownTop, kDownBottom, kSurface);
        return b;
    }

    // The popup window: a one-pixel blue-grey outline around a white field.
    Bitmap PopupWindow() const
    {
        Bitmap b(48, 48);
        fill(b, b.rect(), {252, 253, 254});
        frame(b, b.rect(), {143, 170, 207});
        frame(b, b.rect().inflated(-1, -1), kWhite);
        return b;
    }

    Bitmap Gauges() const
    {
        Bitmap b(100, 64);
        fill(b, b.rect(), kSurface);
        box(b, R("gauge", "skinrect"), kLine, kWhite, {240, 244, 249}, kSurface);
        vgrad(b, R("gauge", "progressrect"), {120, 170, 224}, kHotBorder);
        box(b, R("vgauge", "skinrect"), kLine, kWhite, {240, 244, 249}, kSurface);
        hgrad(b, R("vgauge", "progressrect"), {120, 170, 224}, kHotBorder);
        return b;
    }

    Bitmap Trackers() const
    {
        Bitmap b(110, 142);
        fill(b, b.rect(), kSurface);
        Rect t = R("trackbar", "skinrect");
        Rect area = R("trackbar", "trackarea").offset(t.left, t.top);
        box(b, area, kLine, {226, 233, 242}, {236, 241, 247}, kSurface);
        box(b, R("trackbar", "buttonrect"), kLine, kWhite, {232, 239, 247}, kSurface);
        box(b, R("trackbar", "activebuttonrect"), kHotBorder, kHotTop, kHotBottom, kSurface);
        const char* u = "vupdown";
        box(b, R(u, "upbuttonrect"), kLine, kWhite, {232, 239, 247}, kSurface);
        box(b, R(u, "activeupbuttonrect"), kHotBorder, kHotTop, kHotBottom, kSurface);
        box(b, R(u, "downupbuttonrect"), kDownBorder, kDownTop, kDownBottom, kSurface);
        box(b, R(u, "downbuttonrect"), kLine, kWhite, {232, 239, 247}, kSurface);
        box(b, R(u, "activedownbuttonrect"), kHotBorder, kHotTop, kHotBottom, kSurface);
        box(b, R(u, "downdownbuttonrect"), kDownBorder, kDownTop, kDownBottom, kSurface);
        for (const char* k : {"upbuttonrect", "activeupbuttonrect", "downupbuttonrect"})
            glyph_centered(b, R(u, k), {"--#--", "-###-", "#####"}, kGlyph);
        for (const char* k : {"downbuttonrect", "activedownbuttonrect", "downdownbuttonrect"})
            glyph_centered(b, R(u, k), kDropDown, kGlyph);
        Rect tab = R("tab", "skinrect");
        fill(b, tab, kWhite);
        frame(b, tab, kLine);
        box(b, R("tab", "tabrect"), kLine, {240, 244, 249}, {228, 235, 244}, kSurface);
        box(b, R("tab", "activetabrect"), kHotBorder, kWhite, kWhite, kSurface);
        for (const char* k : {"skinrect", "activeskinrect"}) {
            Rect r = R("spinedit", k);
            fill(b, r, kWhite);
            frame(b, r, k[0] == 's' ? kLine : kHotBorder);
        }
        return b;
    }

    // The hint window's picture and mask, stored with few colours.
    Bitmap HintWindow() const
    {
        Bitmap b(60, 40);
        fill(b, b.rect(), {255, 255, 225});
        frame(b, b.rect(), kFrameBorder);
        return b;
    }
    Bitmap HintMask() const
    {
        Bitmap m(60, 40, px({0, 0, 0}));
        for (Point p : {Point{0, 0}, Point{59, 0}, Point{0, 39}, Point{59, 39}})
            put(m, p.x, p.y, kWhite);
        return m;
    }

private:
    const SkinIni& ini_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skin-gen <skin.ini> <output folder>\n");
        return 2;
    }
    try {
        std::string out = std::string(argv[2]) + "/";
        std::vector<std::uint8_t> text = ReadSkinFile(argv[1]);
        SkinIni ini(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
        SkinPainter painter(ini);
        auto name = [&](const char* key) { return out + ini.ReadString("PICTURES", key, ""); };
        std::vector<std::string> active = ini.ReadStringList("PICTURES", "activepictures");
        if (active.size() != 8)
            throw std::runtime_error("the skin names eight active pictures");
        const std::vector<Pixel> black_white = {make_pixel(0, 0, 0), make_pixel(255, 255, 255)};

        Bitmap frame_picture = painter.Frame();
        save_bmp_file(name("picture"), frame_picture, {24, {}});
        save_bmp_file(name("mask"), painter.Mask(), {8, black_white});
        const Bitmap pictures[] = {painter.CaptionButtons(frame_picture), painter.Controls(), painter.PopupWindow(),
            painter.MenuItems(), painter.Gauges(), painter.Trackers()};
        for (int i = 0; i < 6; ++i)
            save_bmp_file(out + active[i], pictures[i], {24, {}});
        std::vector<Pixel> hint_palette = {make_pixel(255, 255, 225), px(kFrameBorder), make_pixel(0, 0, 0)};
        save_bmp_file(out + active[6], painter.HintWindow(), {4, hint_palette});
        save_bmp_file(out + active[7], painter.HintMask(), {1, black_white});
        WriteSkinFile(out + "skin.ini", text);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skin-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
