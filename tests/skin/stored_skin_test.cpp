// The stored skin embedded in the program: it loads, every named object is
// there with the class its entry names, and the values the window layout
// depends on hold. Also draws a sheet of its pictures at twice their size
// (skin_sheet.png in the test's working folder, for eyes) and checks that
// each picture sits on it whole, at its place, with the stored sizes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "gfx/png.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skin/skin_package.h"

namespace lt {
namespace {

class StoredSkin : public ::testing::Test {
protected:
    void SetUp() override
    {
        AssignEmbeddedSkin(stored);
        data.SetCompressedStoredSkin(&stored);
        ASSERT_FALSE(data.Empty);
    }
    // A field as the object writes it back, so every kind compares as text.
    std::string Field(const std::string& object, const std::string& key)
    {
        SkinIni out;
        if (object == "FORMINFO") {
            SkinFieldWriter w(out, object);
            data.FormInfo.Fields(w);
        } else if (object == "POPUPWINDOW") {
            SkinFieldWriter w(out, object);
            data.PopupWindow.Fields(w);
        } else if (int i = data.FindSkinObject(object); i >= 0) {
            data.SkinObjects[i]->WriteData(out);
        } else if (int j = data.FindSkinControl(object); j >= 0) {
            data.SkinControls[j]->WriteData(out);
        } else {
            return "<no object " + object + ">";
        }
        const std::string* v = out.Find(object, key);
        return v ? *v : "<no key " + key + ">";
    }
    TskCompressedStoredSkin stored{nullptr};
    TskSkinData data{nullptr};
};

TEST_F(StoredSkin, PackageLayout)
{
    auto block = EmbeddedSkinBlock();
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(block[0], 0x78);
    EXPECT_EQ(block[1], 0xDA);
    std::vector<std::uint8_t> package = InflateSkinBlock(block);
    SkinPackageContents c;
    ASSERT_TRUE(ParseSkinPackage(package, c));
    EXPECT_EQ(c.version, 3);
    EXPECT_EQ(c.picture.size(), (Size{285, 210}));
    EXPECT_EQ(c.picture.source_bit_count(), 24);
    EXPECT_TRUE(c.inactive_picture.empty());
    EXPECT_EQ(c.mask_picture.size(), (Size{285, 210}));
    EXPECT_EQ(c.mask_picture.source_bit_count(), 8);
    EXPECT_EQ(c.mask_picture.palette(), (std::vector<Pixel>{make_pixel(0, 0, 0), make_pixel(255, 255, 255)}));
    ASSERT_EQ(c.active_pictures.size(), 8u);
    const int depths[] = {24, 24, 24, 24, 24, 24, 4, 1};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(c.active_pictures[i].source_bit_count(), depths[i]) << "picture " << i;
    SkinIni ini(std::string_view(reinterpret_cast<const char*>(c.description.data()), c.description.size()));
    EXPECT_EQ(ini.SectionNames().size(), 85u);
}

TEST_F(StoredSkin, ObjectListsInOrder)
{
    const char* objects[] = {"closebutton:stdbutton", "maxbutton:stdbutton", "minbutton:stdbutton",
        "rollupbutton:stdbutton", "sysmenubutton:stdbutton", "traybutton:stdbutton", "caption:caption",
        "menuitem:menuitem", "mainmenubaritem:mainmenubaritem", "menubarsysmenubutton:mainmenubarbutton",
        "menubarclosebutton:mainmenubarbutton", "menubarmaxbutton:mainmenubarbutton",
        "menubarminbutton:mainmenubarbutton"};
    ASSERT_EQ(data.SkinObjects.size(), std::size(objects));
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        const auto& o = *data.SkinObjects[i];
        EXPECT_EQ(o.Name + ":" + o.SkinType(), objects[i]);
        EXPECT_EQ(data.FindSkinObject(o.Name), int(i));
    }
    const char* controls =
        "button:button toolpanel:panel toolbutton:button checkbox:checkradio gauge:gauge vgauge:gauge "
        "radiobox:checkradio panel:panel label:label trackbar:trackbar htrackbar:trackbar grid:grid tab:tab "
        "edit:edit memo:memo hscrollbar:scrollbar vscrollbar:scrollbar listbox:listbox combobox:combobox "
        "checklistbox:checklistbox spinedit:spinedit groupbox:panel stdlabel:stdlabel statuspanel:label "
        "statusbar:panel buttonedit:edit vupdown:updown hupdown:updown captionlistbox:listbox "
        "captionchecklistbox:checklistbox captioncombobox:combobox controlbar:controlbar mainmenubar:mainmenubar "
        "vsplitter:splitter hsplitter:splitter resizebutton:button bothhscrollbar:scrollbar bigtoolpanel:panel "
        "bigtoolbutton:button toolmenubutton:menubutton toolmenutrackbutton:menubutton "
        "bigtoolmenubutton:menubutton bigtoolmenutrackbutton:menubutton scrollbox:scrollbox listview:listview "
        "treeview:treeview statusgauge:gauge richedit:richedit expanel:expanel slider:slider bevel:bevel "
        "statusedit:edit statusbuttonedit:edit statusspinedit:spinedit statuscombobox:combobox "
        "toolcombobox:combobox toolspinedit:spinedit tooledit:edit toolbuttonedit:edit resizetoolpanel:panel "
        "resizetoolbutton:button combobutton:button vtracktoolbutton:button htracktoolbutton:button";
    std::vector<std::string> expected;
    for (std::size_t p = 0, q; p < std::strlen(controls); p = q + 1) {
        q = std::string_view(controls).find(' ', p);
        if (q == std::string_view::npos)
            q = std::strlen(controls);
        expected.emplace_back(controls + p, controls + q);
    }
    ASSERT_EQ(data.SkinControls.size(), 64u);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& c = *data.SkinControls[i];
        EXPECT_EQ(c.Name + ":" + c.SkinType(), expected[i]);
        EXPECT_EQ(data.FindSkinControl(c.Name), int(i));
    }
    EXPECT_EQ(data.FindSkinControl("Button"), -1);
    EXPECT_NE(
        dynamic_cast<TskDataSkinLabelControl*>(data.SkinControls[data.FindSkinControl("statuspanel")].get()), nullptr);
}

TEST_F(StoredSkin, StatedValues)
{
    struct Row {
        const char* object;
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"FORMINFO", "clientrect", "4,27,281,206"},
        {"FORMINFO", "lefttoppoint", "9,29"},
        {"FORMINFO", "righttoppoint", "274,30"},
        {"FORMINFO", "leftbottompoint", "8,200"},
        {"FORMINFO", "rightbottompoint", "274,200"},
        {"FORMINFO", "captionrect", "3,5,282,24"},
        {"FORMINFO", "buttonsrect", "0,0,0,0"},
        {"FORMINFO", "buttonsoffset", "2"},
        {"FORMINFO", "buttonsinleft", "0"},
        {"FORMINFO", "formminwidth", "200"},
        {"FORMINFO", "hittestleftbottompoint", "8,202"},
        {"FORMINFO", "maskrectarea", "4,27,281,206"},
        {"FORMINFO", "bgpictureindex", "-1"},
        {"FORMINFO", "autorenderinginactiveimage", "0"},
        {"closebutton", "activepictureindex", "0"},
        {"closebutton", "skinrectinapicture", "1"},
        {"closebutton", "skinrect", "50,2,71,23"},
        {"closebutton", "activeskinrect", "3,2,24,23"},
        {"closebutton", "downrect", "27,2,48,23"},
        {"closebutton", "command", "cmclose"},
        {"maxbutton", "command", "cmmaximize"},
        {"maxbutton", "skinrectinapicture", "1"},
        {"minbutton", "command", "cmminimize"},
        {"minbutton", "skinrectinapicture", "1"},
        {"rollupbutton", "command", "cmrollup"},
        {"rollupbutton", "skinrectinapicture", "1"},
        {"sysmenubutton", "command", "cmsysmenu"},
        {"sysmenubutton", "skinrectinapicture", "1"},
        {"traybutton", "command", "cmminimizetotray"},
        {"traybutton", "skinrectinapicture", "1"},
        {"caption", "activepictureindex", "0"},
        {"caption", "skinrectinapicture", "0"},
        {"caption", "skinrect", "5,4,280,24"},
        {"caption", "textrect", "4,2,274,20"},
        {"caption", "fontname", "Arial"},
        {"caption", "fontheight", "16"},
        {"caption", "fontstyle", "fsbold"},
        {"caption", "fontcolor", "16111036"},
        {"caption", "activefontcolor", "11168318"},
        {"caption", "alignment", "taleftjustify"},
        {"caption", "shadow", "1"},
        {"caption", "shadowcolor", "16777215"},
        {"caption", "activeshadowcolor", "16777215"},
        {"caption", "morphing", "0"},
        {"caption", "framecount", "0"},
        {"menuitem", "activepictureindex", "3"},
        {"menuitem", "skinrect", "2,2,91,24"},
        {"menuitem", "activeskinrect", "2,25,91,47"},
        {"menuitem", "itemleftoffset", "25"},
        {"menuitem", "itemrightoffset", "5"},
        {"menuitem", "morphing", "0"},
        {"button", "skinrect", "458,272,500,294"},
        {"button", "clientrect", "2,2,40,20"},
        {"button", "lefttoppoint", "3,9"},
        {"button", "righttoppoint", "35,11"},
        {"button", "rightbottompoint", "0,0"},
        {"button", "disabledfontcolor", "15916233"},
        {"button", "focusedskinrect", "0,0,0,0"},
        {"panel", "clientrect", "2,2,57,50"},
        {"panel", "bgpictureindex", "-1"},
        {"panel", "captionrect", "0,0,0,0"},
        {"groupbox", "clientrect", "1,15,58,46"},
        {"groupbox", "lefttoppoint", "3,19"},
        {"groupbox", "righttoppoint", "54,20"},
        {"groupbox", "captionrect", "1,1,58,14"},
        {"groupbox", "fontcolor", "11168318"},
        {"groupbox", "alignment", "tacenter"},
        {"groupbox", "bgpictureindex", "-1"},
        {"stdlabel", "fontname", "Arial"},
        {"stdlabel", "fontheight", "14"},
        {"stdlabel", "fontcolor", "0"},
        {"stdlabel", "activefontcolor", "13668176"},
        {"listbox", "itemrect", "261,3,314,23"},
        {"listbox", "itemtextrect", "2,2,51,19"},
        {"listbox", "captionrect", "0,0,0,0"},
        {"listbox", "vscrollbarname", "vscrollbar"},
        {"listbox", "hscrollbarname", "hscrollbar"},
        {"listbox", "bothhscrollbarname", "bothhscrollbar"},
        {"vscrollbar", "skinrect", "223,25,240,93"},
        {"vscrollbar", "trackarea", "0,16,17,52"},
        {"vscrollbar", "downbuttonrect", "0,0,17,16"},
        {"vscrollbar", "upbuttonrect", "0,52,17,68"},
        {"vscrollbar", "thumbrect", "241,78,258,92"},
        {"vscrollbar", "thumboffset1", "3"},
        {"vscrollbar", "thumboffset2", "3"},
        {"vsplitter", "skinrect", "118,191,123,213"},
        {"vsplitter", "lefttoppoint", "3,5"},
        {"vsplitter", "leftbottompoint", "3,18"},
        {"vsplitter", "gripperrect", "127,206,130,214"},
        {"vsplitter", "grippertransparent", "1"},
        {"vsplitter", "grippertransparentcolor", "16711935"},
        {"vsplitter", "stretcheffect", "0"},
        {"toolpanel", "lefttoppoint", "2,14"},
        {"toolpanel", "righttoppoint", "39,15"},
        {"toolpanel", "leftbottompoint", "0,0"},
        {"toolpanel", "rightbottompoint", "0,0"},
        {"toolpanel", "clientrect", "3,3,39,29"},
        {"toolpanel", "bgpictureindex", "-1"},
        {"toolbutton", "lefttoppoint", "5,11"},
        {"toolbutton", "righttoppoint", "20,12"},
        {"combobox", "listboxname", "listbox"},
        {"bevel", "lightcolor", "16777215"},
        {"bevel", "darkcolor", "14988432"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Field(r.object, r.key), r.value) << "[" << r.object << "] " << r.key;
}

// Resize modes by the composition rule: 1 nine-piece, 2 horizontal, 3
// vertical, 0 fixed.
int ResizeMode(const TskDataSkinCustomControl& c)
{
    if (c.skinrect.empty())
        return -1;
    if (c.rightbottompoint.x != 0 && c.rightbottompoint.y != 0)
        return 1;
    if (c.righttoppoint.x != 0 || c.righttoppoint.y != 0)
        return 2;
    if (c.leftbottompoint.x != 0 || c.leftbottompoint.y != 0)
        return 3;
    return 0;
}

TEST_F(StoredSkin, SizesAndResizeModes)
{
    struct Row {
        const char* name;
        int width, height; // 0 = free
        int mode;
    };
    const Row rows[] = {
        {"button", 42, 22, 2},
        {"panel", 59, 52, 1},
        {"groupbox", 59, 47, 1},
        {"toolpanel", 42, 32, 2},
        {"toolbutton", 25, 26, 2},
        {"toolmenubutton", 31, 26, 2},
        {"statuspanel", 0, 20, 2},
        {"edit", 0, 21, 2},
        {"listbox", 0, 0, 1},
        {"vscrollbar", 17, 68, 3},
        {"hscrollbar", 0, 0, 2},
        {"vsplitter", 5, 22, 3},
        {"combobox", 0, 21, 2},
    };
    for (const Row& r : rows) {
        auto* c = dynamic_cast<TskDataSkinCustomControl*>(data.SkinControls[data.FindSkinControl(r.name)].get());
        ASSERT_NE(c, nullptr) << r.name;
        if (r.width) {
            EXPECT_EQ(c->skinrect.width(), r.width) << r.name;
        }
        if (r.height) {
            EXPECT_EQ(c->skinrect.height(), r.height) << r.name;
        }
        EXPECT_EQ(ResizeMode(*c), r.mode) << r.name;
    }
    auto* edit = dynamic_cast<TskDataSkinEditControl*>(data.SkinControls[data.FindSkinControl("edit")].get());
    EXPECT_EQ(edit->clientrect, (Rect{3, 3, edit->skinrect.width() - 3, 18}));

    auto* menu = dynamic_cast<TskDataSkinMenuItem*>(data.SkinObjects[data.FindSkinObject("menuitem")].get());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->skinrect.height(), 22);
    EXPECT_EQ(menu->textrect.left + (menu->imagerect.empty() ? 16 : 0), 23);
    EXPECT_FALSE(menu->dividerrect.empty());
    EXPECT_NE(data.ActivePicture(data.PopupWindow.windowpictureindex), nullptr);
    EXPECT_EQ(data.ActivePicture(3), data.ActivePicture(menu->activepictureindex));
    for (const char* b : {"closebutton", "maxbutton", "minbutton"})
        EXPECT_EQ(data.SkinObjects[data.FindSkinObject(b)]->skinrect.size(), (Size{21, 21})) << b;
}

// Every composed control keeps positive spans between its corner points and
// every look lies inside its picture, so composition never reads outside.
TEST_F(StoredSkin, GeometryIsWellFormed)
{
    for (const auto& c : data.SkinControls) {
        const Bitmap* pic = data.ActivePicture(c->pictureindex);
        if (!c->skinrect.empty()) {
            ASSERT_NE(pic, nullptr) << c->Name;
            EXPECT_TRUE(pic->rect().contains(c->skinrect)) << c->Name;
        }
        auto* cc = dynamic_cast<TskDataSkinCustomControl*>(c.get());
        if (!cc || cc->skinrect.empty())
            continue;
        int w = cc->skinrect.width(), h = cc->skinrect.height();
        switch (ResizeMode(*cc)) {
        case 1:
            EXPECT_TRUE(0 < cc->lefttoppoint.x && cc->lefttoppoint.x < cc->righttoppoint.x && cc->righttoppoint.x < w &&
                cc->leftbottompoint.x < cc->rightbottompoint.x)
                << c->Name;
            EXPECT_TRUE(0 < cc->lefttoppoint.y && cc->lefttoppoint.y < cc->leftbottompoint.y &&
                cc->leftbottompoint.y < h && cc->righttoppoint.y < cc->rightbottompoint.y)
                << c->Name;
            EXPECT_TRUE((Rect{0, 0, w, h}.contains(cc->clientrect))) << c->Name;
            break;
        case 2:
            EXPECT_TRUE(0 < cc->lefttoppoint.x && cc->lefttoppoint.x < cc->righttoppoint.x && cc->righttoppoint.x < w)
                << c->Name;
            break;
        case 3:
            EXPECT_TRUE(
                0 < cc->lefttoppoint.y && cc->lefttoppoint.y < cc->leftbottompoint.y && cc->leftbottompoint.y < h)
                << c->Name;
            break;
        }
    }
    for (const auto& o : data.SkinObjects) {
        if (!o->skinrectinapicture) {
            EXPECT_TRUE(data.Picture.rect().contains(o->skinrect)) << o->Name;
            continue;
        }
        const Bitmap* pic = data.ActivePicture(o->activepictureindex);
        ASSERT_NE(pic, nullptr) << o->Name;
        for (const Rect& r : {o->skinrect, o->activeskinrect, o->inactiveskinrect})
            EXPECT_TRUE(pic->rect().contains(r)) << o->Name;
    }
}

TEST_F(StoredSkin, MaskShapesOnlyTheCorners)
{
    const Bitmap& m = data.MaskPicture;
    auto black = [&](int x, int y) { return (m.pixel(x, y) & 0xFFFFFF) == 0; };
    EXPECT_FALSE(black(0, 0));
    EXPECT_FALSE(black(284, 0));
    EXPECT_TRUE(black(3, 0));
    EXPECT_TRUE(black(142, 0));
    EXPECT_TRUE(black(0, 100));
    EXPECT_TRUE(black(142, 209));
    EXPECT_FALSE(data.MaskPictureName.empty());
}

// Lays every picture of the skin out on one sheet, at twice the size, in
// rows no wider than 620 (before scaling) with gaps of 8 in the sheet colour.
TEST_F(StoredSkin, DrawsAPictureSheet)
{
    std::vector<const Bitmap*> pics = {&data.Picture, &data.MaskPicture};
    for (const auto& p : data.ActivePictures)
        pics.push_back(p.get());
    const int gap = 8, scale = 2;
    const Pixel sheet_colour = make_pixel(128, 132, 138);
    int width = 0, height = 0, x = gap, row_h = 0, y = gap;
    std::vector<Point> at;
    for (const Bitmap* p : pics) {
        if (x + p->width() > 620) {
            x = gap;
            y += row_h + gap;
            row_h = 0;
        }
        at.push_back({x, y});
        x += p->width() + gap;
        row_h = std::max(row_h, p->height());
        width = std::max(width, x);
        height = std::max(height, y + row_h + gap);
    }
    Bitmap sheet(width * scale, height * scale, sheet_colour);
    for (std::size_t i = 0; i < pics.size(); ++i)
        for (int py = 0; py < pics[i]->height() * scale; ++py)
            for (int px = 0; px < pics[i]->width() * scale; ++px)
                sheet.set_pixel(at[i].x * scale + px, at[i].y * scale + py, pics[i]->pixel(px / scale, py / scale));
    save_png_file("skin_sheet.png", sheet);

    // The stored skin: a 285 x 210 frame picture, a mask of the same size,
    // no inactive picture and eight active pictures.
    ASSERT_EQ(pics.size(), 10u);
    EXPECT_TRUE(data.InactivePicture.empty());
    EXPECT_EQ(data.Picture.size(), (Size{285, 210}));
    EXPECT_EQ(data.MaskPicture.size(), (Size{285, 210}));
    // Each picture sits whole at its place: its corner and centre pixels at
    // twice the size, the sheet colour just past its right and bottom edges.
    auto sheet_at = [&](std::size_t i, int px, int py) {
        return sheet.pixel(at[i].x * scale + px, at[i].y * scale + py);
    };
    for (std::size_t i = 0; i < pics.size(); ++i) {
        const Bitmap& p = *pics[i];
        const int w = p.width(), h = p.height();
        for (Point q : {Point{0, 0}, Point{w - 1, 0}, Point{0, h - 1}, Point{w - 1, h - 1}, Point{w / 2, h / 2}})
            EXPECT_EQ(sheet_at(i, q.x * scale + 1, q.y * scale + 1), p.pixel(q.x, q.y))
                << "picture " << i << " at (" << q.x << ", " << q.y << ")";
        EXPECT_EQ(sheet_at(i, w * scale, 0), sheet_colour) << "right of picture " << i;
        EXPECT_EQ(sheet_at(i, 0, h * scale), sheet_colour) << "below picture " << i;
    }
    // The mask: white (window) corners cut out of black.
    const Pixel black = make_pixel(0, 0, 0), white = make_pixel(255, 255, 255);
    EXPECT_EQ(sheet_at(1, 0, 0), white);
    EXPECT_EQ(sheet_at(1, 284 * scale, 0), white);
    EXPECT_EQ(sheet_at(1, 3 * scale, 0), black);
    EXPECT_EQ(sheet_at(1, 142 * scale, 209 * scale), black);
}

} // namespace
} // namespace lt
