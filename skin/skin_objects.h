#pragma once
// Skin objects: plain records made from the skin description, one per entry
// of its [SKINOBJECTS] and [SKINCONTROLS] lists. Every field bears the name of
// the key it is read from, in lower case, so `skinrect` comes from the key
// "skinrect". Each class lists its keys once (Fields); reading and writing
// both walk that list, a derived class after its parent.
//
// Sections:
//   frame and menu objects   TskDataSkinObject and its descendants
//   control objects          TskDataSkinControl and its descendants
//   factories                CreateSkinObject, CreateSkinControl

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "skin/skin_ini.h"

namespace lt {

// ===========================================================================
// Frame and menu objects ([SKINOBJECTS])

class TskDataSkinObject {
public:
    explicit TskDataSkinObject(std::string name) : Name(std::move(name)) { }
    virtual ~TskDataSkinObject() = default;

    // Reads the fields from the section that bears the object's name; keys
    // that are missing take their defaults.
    virtual void ReadData(const SkinIni& ini);
    // Writes the fields back to that section in the same syntax.
    virtual void WriteData(SkinIni& ini) const;
    // The list type that creates this class ("" for a class no type names).
    virtual const char* SkinType() const = 0;

    std::string Name;
    std::string hint;
    std::int32_t activepictureindex = -1;
    bool skinrectinapicture = false;
    Rect skinrect, activeskinrect, inactiveskinrect;
    bool morphing = false;
    TMorphKind morphkind = mkDefault;

protected:
    virtual void Fields(SkinFieldVisitor& v);
};

class TskDataUserObject : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    const char* SkinType() const override { return "userobject"; }

protected:
    // Only `skinrect`: a user object marks an area and has no looks.
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinButton : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    const char* SkinType() const override { return "button"; }
    Rect downrect, disableskinrsect;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinStdButton : public TskDataSkinButton {
public:
    using TskDataSkinButton::TskDataSkinButton;
    const char* SkinType() const override { return "stdbutton"; }
    TskStdCommand command = cmDefault;
    Rect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
public:
    using TskDataSkinStdButton::TskDataSkinStdButton;
    const char* SkinType() const override { return "mainmenubarbutton"; }
};

class TskDataSkinCaption : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    const char* SkinType() const override { return "caption"; }
    Rect textrect;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, activefontcolor = 0;
    TAlignment alignment = taCenter;
    bool light = false;
    Color lightcolor = 0, activelightcolor = 0;
    bool shadow = false;
    Color shadowcolor = 0, activeshadowcolor = 0;
    Rect framerect, activeframerect, frametextrect;
    std::int32_t frameleftoffset = 0, framerightoffset = 0;
    bool stretcheffect = false;
    Rect animateskinrect;
    std::int32_t framecount = 0, animateinterval = 25;
    bool inactiveanimation = false, fullframe = false;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinAnimate : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    const char* SkinType() const override { return "animate"; }
    // Animated objects never morph, whatever the section says.
    void ReadData(const SkinIni& ini) override;
    std::int32_t countframes = 1;
    bool cycle = false, buttonstyle = false;
    std::int32_t timerinterval = 50;
    TskStdCommand command = cmDefault;
    Rect downskinrect, restorerect, restoreactiverect, restoredownrect, restoreinactiverect;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinMenuItem : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    const char* SkinType() const override { return "menuitem"; }
    // An empty highlighted mark takes its normal counterpart.
    void ReadData(const SkinIni& ini) override;
    std::int32_t itemleftoffset = 0, itemrightoffset = 0;
    Rect dividerrect;
    std::int32_t dividerleftoffset = 0, dividerrightoffset = 0;
    Rect textrect, imagerect;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0;
    bool stretcheffect = false, inactivestretcheffect = false, dividerstretcheffect = false;
    Rect animateskinrect;
    std::int32_t framecount = 0, animateinterval = 25;
    bool inactiveanimation = false;
    bool useimagecolor = false;
    Color imagecolor = 0, activeimagecolor = 0;
    bool inactivetransparent = false;
    Rect checkimagerect, activecheckimagerect, radioimagerect, activeradioimagerect, arrowimagerect,
        activearrowimagerect;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinMainMenuItem : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    const char* SkinType() const override { return ""; }
    std::int32_t itemleftoffset = 0, itemrightoffset = 0;
    Rect downrect, textrect;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, activefontcolor = 0, downfontcolor = 0, unenabledfontcolor = 0;
    bool stretcheffect = false;
    Rect animateskinrect;
    std::int32_t framecount = 0, animateinterval = 25;
    bool inactiveanimation = false;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
public:
    using TskDataSkinMainMenuItem::TskDataSkinMainMenuItem;
    const char* SkinType() const override { return "mainmenubaritem"; }
};

// ===========================================================================
// Control objects ([SKINCONTROLS])

class TskDataSkinControl {
public:
    explicit TskDataSkinControl(std::string name) : Name(std::move(name)) { }
    virtual ~TskDataSkinControl() = default;

    virtual void ReadData(const SkinIni& ini);
    virtual void WriteData(SkinIni& ini) const;
    virtual const char* SkinType() const = 0;

    std::string Name;
    std::int32_t pictureindex = -1;
    std::int32_t maskpictureindex = -1;
    Rect skinrect;

protected:
    virtual void Fields(SkinFieldVisitor& v);
};

// A control drawn from a picture cut into nine pieces by four points.
class TskDataSkinCustomControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    Point lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    Rect clientrect;
    bool leftstretch = false, topstretch = false, rightstretch = false, bottomstretch = false;
    bool stretcheffect = false;
    TStretchType stretchtype = stFull;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinButtonControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "button"; }
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, activefontcolor = 0, downfontcolor = 0, disabledfontcolor = 0;
    Rect activeskinrect, downskinrect, focusedskinrect, disabledskinrect;
    bool morphing = false;
    TMorphKind morphkind = mkDefault;
    Rect animateskinrect;
    std::int32_t framecount = 0, animateinterval = 25;
    bool showfocus = false;
    Rect menumarkerflatrect, menumarkerrect, menumarkeractiverect, menumarkerdownrect;
    Color menumarkertransparentcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinMenuButtonControl : public TskDataSkinButtonControl {
public:
    using TskDataSkinButtonControl::TskDataSkinButtonControl;
    const char* SkinType() const override { return "menubutton"; }
    Rect trackbuttonrect;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinPanelControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "panel"; }
    std::int32_t bgpictureindex = -1;
    Rect captionrect;
    TAlignment alignment = taCenter;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0;
    Rect checkimagerect, uncheckimagerect, markframerect, framerect, frametextrect;
    std::int32_t frameleftoffset = 0, framerightoffset = 0;
    Rect gripperrect;
    bool grippertransparent = false;
    Color grippertransparentcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinExPanelControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "expanel"; }
    Rect rollhskinrect, rollvskinrect;
    std::int32_t rollleftoffset = 0, rollrightoffset = 0, rolltopoffset = 0, rollbottomoffset = 0;
    Rect rollvcaptionrect, rollhcaptionrect;
    Rect closebuttonrect, closebuttonactiverect, closebuttondownrect;
    Rect hrollbuttonrect, hrollbuttonactiverect, hrollbuttondownrect;
    Rect hrestorebuttonrect, hrestorebuttonactiverect, hrestorebuttondownrect;
    Rect vrollbuttonrect, vrollbuttonactiverect, vrollbuttondownrect;
    Rect vrestorebuttonrect, vrestorebuttonactiverect, vrestorebuttondownrect;
    Rect captionrect;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0;
    bool buttonstransparent = false;
    Color buttonstransparentcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinCheckRadioControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "checkradio"; }
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0, framefontcolor = 0;
    Rect activeskinrect, checkimagearea, textarea;
    Rect checkimagerect, uncheckimagerect, activecheckimagerect, activeuncheckimagerect;
    Rect unenabledcheckimagerect, unenableduncheckimagerect, grayedcheckimagerect, activegrayedcheckimagerect;
    bool morphing = false;
    TMorphKind morphkind = mkDefault;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinLabelControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "label"; }
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinEditControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "edit"; }
    Rect activeskinrect;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, disabledfontcolor = 0, activefontcolor = 0;
    Rect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinMemoControl : public TskDataSkinEditControl {
public:
    using TskDataSkinEditControl::TskDataSkinEditControl;
    const char* SkinType() const override { return "memo"; }
    Color bgcolor = 0, activebgcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinListBox : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "listbox"; }
    Rect itemrect, activeitemrect, focusitemrect;
    std::int32_t itemleftoffset = 0, itemrightoffset = 0;
    Rect itemtextrect;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, activefontcolor = 0, focusfontcolor = 0;
    Rect captionrect;
    std::string captionfontname = "Arial";
    std::int32_t captionfontheight = 14;
    TFontStyles captionfontstyle = 0;
    Color captionfontcolor = 0;
    Rect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    Rect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    Rect checkbuttonrect, activecheckbuttonrect, downcheckbuttonrect;
    std::string vscrollbarname = "vscrollbar", hscrollbarname = "hscrollbar", bothhscrollbarname = "bothhscrollbar";
    bool showfocus = false;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinCheckListBox : public TskDataSkinListBox {
public:
    using TskDataSkinListBox::TskDataSkinListBox;
    const char* SkinType() const override { return "checklistbox"; }
    Rect itemcheckrect, checkimagerect, uncheckimagerect;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinComboBox : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "combobox"; }
    Rect activeskinrect, itemrect, activeitemrect, focusitemrect;
    std::int32_t itemleftoffset = 0, itemrightoffset = 0;
    Rect itemtextrect;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, focusfontcolor = 0, activefontcolor = 0;
    std::string listboxname;
    Rect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
    bool itemstretcheffect = false, focusitemstretcheffect = false, showfocus = false;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinScrollBarControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "scrollbar"; }
    Rect trackarea;
    Rect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    Rect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    Rect thumbrect, activethumbrect, downthumbrect;
    std::int32_t thumboffset1 = 0, thumboffset2 = 0;
    bool thumbtransparent = false;
    Color thumbtransparentcolor = 0;
    bool thumbstretcheffect = false;
    std::int32_t thumbminsize = 0, thumbminpagesize = 0;
    Rect glyphrect, activeglyphrect, downglyphrect;
    bool glyphtransparent = false;
    Color glyphtransparentcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinSplitterControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "splitter"; }
    Rect gripperrect;
    bool grippertransparent = false;
    Color grippertransparentcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinGaugeControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "gauge"; }
    Rect progressarea, progressrect;
    std::int32_t beginoffset = 0, endoffset = 0;
    bool vertical = false;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0;
    bool progresstransparent = false;
    Color progresstransparentcolor = 0;
    bool progressstretch = false;
    Rect animationskinrect;
    std::int32_t animationcountframes = 0, animationtimerinterval = 0;
    Rect progressanimationskinrect;
    std::int32_t progressanimationcountframes = 0, progressanimationtimerinterval = 0;
    std::int32_t animationbeginoffset = 0, animationendoffset = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinTrackBarControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "trackbar"; }
    Rect activeskinrect, trackarea, buttonrect, activebuttonrect;
    bool vertical = false, buttontransparent = false;
    Color buttontransparentcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinSpinEditControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "spinedit"; }
    Rect activeskinrect;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0;
    Rect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    Rect downbuttonrect, activedownbuttonrect, downdownbuttonrect;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinUpDownControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "updown"; }
    // An up-down is never drawn as nine pieces: its corner points and client
    // rectangle are cleared after reading.
    void ReadData(const SkinIni& ini) override;
    Rect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    Rect downbuttonrect, activedownbuttonrect, downdownbuttonrect;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinControlBar : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "controlbar"; }
    Rect itemrect;
    std::int32_t bgpictureindex = -1;
    Rect hgriprect, vgriprect;
    std::int32_t gripoffset1 = 0, gripoffset2 = 0;
    bool itemstretcheffect = false;
    std::int32_t itemoffset1 = 3, itemoffset2 = 3;
    bool itemtransparent = false;
    Color itemtransparentcolor = 0;
    bool griptransparent = false;
    Color griptransparentcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinScrollBoxControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    const char* SkinType() const override { return "scrollbox"; }
    std::int32_t bgpictureindex = -1;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinStdLabelControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    const char* SkinType() const override { return "stdlabel"; }
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0;
    Color activefontcolor = 0xFF0000;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinMainMenuBar : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    const char* SkinType() const override { return "mainmenubar"; }
    Rect itemsrect;
    // Names of [SKINOBJECTS] objects drawing the bar's items and buttons.
    std::string menubaritem, closebutton, minbutton, maxbutton, sysmenubutton;
    Color trackmarkcolor = 0, trackmarkactivecolor = 0;
    bool stretcheffect = false, itemtransparent = false;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinTabControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    const char* SkinType() const override { return "tab"; }
    Rect tabrect, activetabrect, focustabrect, mouseintabrect, clientrect;
    std::int32_t bgpictureindex = -1;
    Point lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    std::int32_t tableftoffset = 0, tabrightoffset = 0;
    Rect tabsbgrect;
    bool tabstretcheffect = false;
    bool leftstretch = false, topstretch = false, rightstretch = false, bottomstretch = false;
    bool stretcheffect = false;
    TStretchType stretchtype = stFull;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, activefontcolor = 0, focusfontcolor = 0, mouseinfontcolor = 0;
    std::string updown;
    bool showfocus = false;
    std::int32_t focusoffsetx = 0, focusoffsety = 0;
    Rect closebuttonrect, closebuttonactiverect, closebuttondownrect;
    bool buttontransparent = false;
    Color buttontransparentcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinGridControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    const char* SkinType() const override { return "grid"; }
    Rect fixedcellrect, selectcellrect, focuscellrect;
    std::int32_t fixedcellleftoffset = 0, fixedcellrightoffset = 0;
    Rect fixedcelltextrect;
    std::int32_t cellleftoffset = 0, cellrightoffset = 0;
    Rect celltextrect;
    std::int32_t bgpictureindex = -1;
    Color linescolor = 0, bgcolor = 0;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, selectfontcolor = 0, focusfontcolor = 0;
    std::string fixedfontname = "Arial";
    std::int32_t fixedfontheight = 14;
    TFontStyles fixedfontstyle = 0;
    Color fixedfontcolor = 0;
    bool cellstretcheffect = false, fixedcellstretcheffect = false, showfocus = false;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

// Tree views, list views and rich edits read the same five keys.
class TskDataSkinTextViewFields {
public:
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0, bgcolor = 0;

protected:
    void TextViewFields(SkinFieldVisitor& v);
};

class TskDataSkinTreeView : public TskDataSkinControl, public TskDataSkinTextViewFields {
public:
    using TskDataSkinControl::TskDataSkinControl;
    const char* SkinType() const override { return "treeview"; }

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinListView : public TskDataSkinControl, public TskDataSkinTextViewFields {
public:
    using TskDataSkinControl::TskDataSkinControl;
    const char* SkinType() const override { return "listview"; }

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinRichEdit : public TskDataSkinControl, public TskDataSkinTextViewFields {
public:
    using TskDataSkinControl::TskDataSkinControl;
    const char* SkinType() const override { return "richedit"; }

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinSlider : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    const char* SkinType() const override { return "slider"; }
    Color bgcolor = 0;
    Rect hrulerrect, hthumbrect, vrulerrect, vthumbrect;
    std::int32_t edgesize = 0;
    Color pointscolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

class TskDataSkinBevel : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    const char* SkinType() const override { return "bevel"; }
    Color lightcolor = 0, darkcolor = 0;

protected:
    void Fields(SkinFieldVisitor& v) override;
};

// ===========================================================================
// Factories: the class for a list entry's type (compared exactly), or null
// for a type the list does not know.

std::unique_ptr<TskDataSkinObject> CreateSkinObject(std::string_view type, std::string name);
std::unique_ptr<TskDataSkinControl> CreateSkinControl(std::string_view type, std::string name);

} // namespace lt
