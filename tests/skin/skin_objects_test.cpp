// Skin object classes: which class each list type makes, the defaults of
// missing keys, the fix-ups after reading, and write-then-read round trips.

#include <gtest/gtest.h>

#include "skin/skin_objects.h"

namespace lt {
namespace {

template <class T, class B>
bool Is(const std::unique_ptr<B>& p)
{
    return dynamic_cast<T*>(p.get()) != nullptr;
}

TEST(SkinObjects, TypesMakeTheirClasses)
{
    EXPECT_TRUE((Is<TskDataSkinStdButton>(CreateSkinObject("stdbutton", "a"))));
    EXPECT_TRUE((Is<TskDataSkinButton>(CreateSkinObject("button", "a"))));
    EXPECT_FALSE((Is<TskDataSkinStdButton>(CreateSkinObject("button", "a"))));
    EXPECT_TRUE((Is<TskDataSkinCaption>(CreateSkinObject("caption", "a"))));
    EXPECT_TRUE((Is<TskDataSkinAnimate>(CreateSkinObject("animate", "a"))));
    EXPECT_TRUE((Is<TskDataUserObject>(CreateSkinObject("userobject", "a"))));
    EXPECT_TRUE((Is<TskDataSkinMenuItem>(CreateSkinObject("menuitem", "a"))));
    EXPECT_TRUE((Is<TskDataSkinMainMenuItem>(CreateSkinObject("mainmenubaritem", "a"))));
    EXPECT_TRUE((Is<TskDataSkinStdButton>(CreateSkinObject("mainmenubarbutton", "a"))));
    EXPECT_EQ(CreateSkinObject("StdButton", "a"), nullptr);
    EXPECT_EQ(CreateSkinObject("mainmenuitem", "a"), nullptr);

    const char* types[] = {"panel", "expanel", "menubutton", "button", "checkradio", "gauge", "splitter", "trackbar",
        "label", "stdlabel", "updown", "grid", "tab", "mainmenubar", "controlbar", "memo", "edit", "checklistbox",
        "listbox", "combobox", "scrollbar", "spinedit", "scrollbox", "treeview", "bevel", "slider", "listview",
        "richedit"};
    for (const char* t : types) {
        auto c = CreateSkinControl(t, "x");
        ASSERT_NE(c, nullptr) << t;
        EXPECT_STREQ(c->SkinType(), t);
    }
    EXPECT_TRUE((Is<TskDataSkinButtonControl>(CreateSkinControl("menubutton", "x"))));
    EXPECT_TRUE((Is<TskDataSkinEditControl>(CreateSkinControl("memo", "x"))));
    EXPECT_TRUE((Is<TskDataSkinListBox>(CreateSkinControl("checklistbox", "x"))));
    EXPECT_FALSE((Is<TskDataSkinLabelControl>(CreateSkinControl("stdlabel", "x"))));
    EXPECT_FALSE((Is<TskDataSkinCustomControl>(CreateSkinControl("tab", "x"))));
    EXPECT_EQ(CreateSkinControl("Button", "x"), nullptr);
}

TEST(SkinObjects, MissingKeysTakeDefaults)
{
    SkinIni empty;
    auto read = [&](auto object) {
        object->ReadData(empty);
        return object;
    };
    auto button = read(std::make_unique<TskDataSkinButtonControl>("b"));
    EXPECT_EQ(button->pictureindex, -1);
    EXPECT_EQ(button->fontname, "Arial");
    EXPECT_EQ(button->fontheight, 14);
    EXPECT_EQ(button->animateinterval, 25);
    EXPECT_EQ(button->stretchtype, stFull);
    EXPECT_EQ(read(std::make_unique<TskDataSkinControlBar>("c"))->itemoffset1, 3);
    EXPECT_EQ(read(std::make_unique<TskDataSkinStdLabelControl>("l"))->activefontcolor, 0xFF0000u);
    EXPECT_EQ(read(std::make_unique<TskDataSkinListBox>("l"))->bothhscrollbarname, "bothhscrollbar");
    EXPECT_EQ(read(std::make_unique<TskDataSkinPanelControl>("p"))->alignment, taCenter);
    auto std_button = read(std::make_unique<TskDataSkinStdButton>("s"));
    EXPECT_EQ(std_button->command, cmDefault);
    EXPECT_EQ(std_button->activepictureindex, -1);
    auto animate = read(std::make_unique<TskDataSkinAnimate>("a"));
    EXPECT_EQ(animate->countframes, 1);
    EXPECT_EQ(animate->timerinterval, 50);
}

TEST(SkinObjects, ReadingRulesPerClass)
{
    SkinIni ini(
        "[user]\nskinrect=1,2,3,4\nactivepictureindex=5\nhint=h\n"
        "[anim]\nmorphing=1\ncountframes=4\n"
        "[menu]\ncheckimagerect=1,1,9,9\nradioimagerect=2,2,8,8\nactiveradioimagerect=3,3,7,7\n"
        "unenabledfontColor=255\n"
        "[ud]\nlefttoppoint=1,1\nrighttoppoint=2,2\nleftbottompoint=3,3\nrightbottompoint=4,4\nclientrect=1,1,5,5\n"
        "upbuttonrect=0,0,5,5\n"
        "[std]\nactivepictureindex=2\ndownrect=1,1,2,2\ncommand=cmsysmenu\n");
    TskDataUserObject user("user");
    user.ReadData(ini);
    EXPECT_EQ(user.skinrect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(user.activepictureindex, -1); // a user object reads only skinrect
    EXPECT_EQ(user.hint, "");

    TskDataSkinAnimate anim("anim");
    anim.ReadData(ini);
    EXPECT_FALSE(anim.morphing);
    EXPECT_EQ(anim.countframes, 4);

    TskDataSkinMenuItem menu("menu");
    menu.ReadData(ini);
    EXPECT_EQ(menu.activecheckimagerect, (Rect{1, 1, 9, 9})); // empty: takes the normal mark
    EXPECT_EQ(menu.activeradioimagerect, (Rect{3, 3, 7, 7})); // set: kept
    EXPECT_TRUE(menu.activearrowimagerect.empty());
    EXPECT_EQ(menu.unenabledfontcolor, 255u);

    TskDataSkinUpDownControl ud("ud");
    ud.ReadData(ini);
    EXPECT_EQ(ud.lefttoppoint, Point{});
    EXPECT_EQ(ud.rightbottompoint, Point{});
    EXPECT_TRUE(ud.clientrect.empty());
    EXPECT_EQ(ud.upbuttonrect, (Rect{0, 0, 5, 5}));

    // A derived class reads its parents' keys too.
    TskDataSkinMainMenuBarButton std_button("std");
    std_button.ReadData(ini);
    EXPECT_EQ(std_button.activepictureindex, 2);
    EXPECT_EQ(std_button.downrect, (Rect{1, 1, 2, 2}));
    EXPECT_EQ(std_button.command, cmSysMenu);
}

// Every class writes what it read in the same syntax: reading the written
// section into a fresh object gives the same written text.
TEST(SkinObjects, WriteThenReadRoundTrip)
{
    // A section setting many keys of many kinds with non-default values.
    std::string section =
        "skinrect=1,2,30,40\nactiveskinrect=2,3,4,5\nclientrect=3,3,20,30\nlefttoppoint=4,5\nrighttoppoint=25,5\n"
        "leftbottompoint=4,35\nrightbottompoint=25,35\npictureindex=2\nmaskpictureindex=3\nfontname=Tahoma\n"
        "fontheight=11\nfontstyle=fsitalic,fsbold\nfontcolor=0xFF000008\nactivefontcolor=123\nmorphing=1\n"
        "morphkind=mkpush\nstretchtype=stvert\nstretcheffect=1\nalignment=taleftjustify\ncommand=cmrollup\n"
        "textrect=1,1,2,2\nitemrect=5,5,9,9\nthumboffset1=7\nbgcolor=99\nhint=Tip\nitemoffset1=9\n"
        "vscrollbarname=vs\nmenubaritem=mb\ninactiveeffect=ienoise\n";
    const char* object_types[] = {
        "stdbutton", "button", "caption", "animate", "userobject", "menuitem", "mainmenubaritem", "mainmenubarbutton"};
    const char* control_types[] = {"panel", "expanel", "menubutton", "button", "checkradio", "gauge", "splitter",
        "trackbar", "label", "stdlabel", "updown", "grid", "tab", "mainmenubar", "controlbar", "memo", "edit",
        "checklistbox", "listbox", "combobox", "scrollbar", "spinedit", "scrollbox", "treeview", "bevel", "slider",
        "listview", "richedit"};
    SkinIni source("[o]\n" + section);
    auto round_trip = [&](auto make, const char* type) {
        auto first = make(type, "o");
        first->ReadData(source);
        SkinIni written;
        first->WriteData(written);
        auto second = make(type, "o");
        second->ReadData(SkinIni(written.Text()));
        SkinIni rewritten;
        second->WriteData(rewritten);
        EXPECT_EQ(written.Text(), rewritten.Text()) << type;
        EXPECT_NE(written.Text().find("skinrect=1,2,30,40"), std::string::npos) << type;
    };
    for (const char* t : object_types)
        round_trip(CreateSkinObject, t);
    for (const char* t : control_types)
        round_trip(CreateSkinControl, t);
}

} // namespace
} // namespace lt
