#include "skin/skin_objects.h"

namespace lt {

// Field names equal key names, so one macro per value kind names both.
#define INT(f, d) v.Integer(#f, f, d)
#define PIC(f) v.PictureIndex(#f, f)
#define COLOR(f, d) v.ColorValue(#f, f, d)
#define FLAG(f) v.Flag(#f, f)
#define STR(f, d) v.String(#f, f, d)
#define RECT(f) v.RectValue(#f, f)
#define POINT(f) v.PointValue(#f, f)
#define STYLE(f) v.FontStyle(#f, f)
// The four font keys most classes read, in their table order.
#define FONT()                                                                                                         \
    STR(fontname, "Arial");                                                                                            \
    INT(fontheight, 14);                                                                                               \
    STYLE(fontstyle);                                                                                                  \
    COLOR(fontcolor, 0)

// ===========================================================================
// Frame and menu objects

void TskDataSkinObject::ReadData(const SkinIni& ini)
{
    SkinFieldReader r(ini, Name);
    Fields(r);
}

// The field list takes references for both directions; the writer only reads
// through them.
void TskDataSkinObject::WriteData(SkinIni& ini) const
{
    SkinFieldWriter w(ini, Name);
    const_cast<TskDataSkinObject*>(this)->Fields(w);
}

void TskDataSkinObject::Fields(SkinFieldVisitor& v)
{
    STR(hint, "");
    PIC(activepictureindex);
    FLAG(skinrectinapicture);
    RECT(skinrect);
    RECT(activeskinrect);
    RECT(inactiveskinrect);
    FLAG(morphing);
    v.MorphKind("morphkind", morphkind);
}

void TskDataUserObject::Fields(SkinFieldVisitor& v)
{
    RECT(skinrect);
}

void TskDataSkinButton::Fields(SkinFieldVisitor& v)
{
    TskDataSkinObject::Fields(v);
    RECT(downrect);
    RECT(disableskinrsect);
}

void TskDataSkinStdButton::Fields(SkinFieldVisitor& v)
{
    TskDataSkinButton::Fields(v);
    v.Command("command", command);
    RECT(restorerect);
    RECT(restoreactiverect);
    RECT(restoredownrect);
    RECT(restoreinactiverect);
}

void TskDataSkinCaption::Fields(SkinFieldVisitor& v)
{
    TskDataSkinObject::Fields(v);
    RECT(textrect);
    STR(fontname, "Arial");
    INT(fontheight, 14);
    STYLE(fontstyle);
    COLOR(fontcolor, 0);
    COLOR(activefontcolor, 0);
    v.Alignment("alignment", alignment);
    FLAG(light);
    COLOR(lightcolor, 0);
    COLOR(activelightcolor, 0);
    FLAG(shadow);
    COLOR(shadowcolor, 0);
    COLOR(activeshadowcolor, 0);
    RECT(framerect);
    RECT(activeframerect);
    RECT(frametextrect);
    INT(frameleftoffset, 0);
    INT(framerightoffset, 0);
    FLAG(stretcheffect);
    RECT(animateskinrect);
    INT(framecount, 0);
    INT(animateinterval, 25);
    FLAG(inactiveanimation);
    FLAG(fullframe);
}

void TskDataSkinAnimate::ReadData(const SkinIni& ini)
{
    TskDataSkinObject::ReadData(ini);
    morphing = false;
}

void TskDataSkinAnimate::Fields(SkinFieldVisitor& v)
{
    TskDataSkinObject::Fields(v);
    INT(countframes, 1);
    FLAG(cycle);
    FLAG(buttonstyle);
    INT(timerinterval, 50);
    v.Command("command", command);
    RECT(downskinrect);
    RECT(restorerect);
    RECT(restoreactiverect);
    RECT(restoredownrect);
    RECT(restoreinactiverect);
}

void TskDataSkinMenuItem::ReadData(const SkinIni& ini)
{
    TskDataSkinObject::ReadData(ini);
    if (activecheckimagerect.empty())
        activecheckimagerect = checkimagerect;
    if (activeradioimagerect.empty())
        activeradioimagerect = radioimagerect;
    if (activearrowimagerect.empty())
        activearrowimagerect = arrowimagerect;
}

void TskDataSkinMenuItem::Fields(SkinFieldVisitor& v)
{
    TskDataSkinObject::Fields(v);
    INT(itemleftoffset, 0);
    INT(itemrightoffset, 0);
    RECT(dividerrect);
    INT(dividerleftoffset, 0);
    INT(dividerrightoffset, 0);
    RECT(textrect);
    RECT(imagerect);
    STR(fontname, "Arial");
    INT(fontheight, 14);
    STYLE(fontstyle);
    COLOR(fontcolor, 0);
    COLOR(activefontcolor, 0);
    COLOR(unenabledfontcolor, 0);
    FLAG(stretcheffect);
    FLAG(inactivestretcheffect);
    FLAG(dividerstretcheffect);
    RECT(animateskinrect);
    INT(framecount, 0);
    INT(animateinterval, 25);
    FLAG(inactiveanimation);
    FLAG(useimagecolor);
    COLOR(imagecolor, 0);
    COLOR(activeimagecolor, 0);
    FLAG(inactivetransparent);
    RECT(checkimagerect);
    RECT(activecheckimagerect);
    RECT(radioimagerect);
    RECT(activeradioimagerect);
    RECT(arrowimagerect);
    RECT(activearrowimagerect);
}

void TskDataSkinMainMenuItem::Fields(SkinFieldVisitor& v)
{
    TskDataSkinObject::Fields(v);
    INT(itemleftoffset, 0);
    INT(itemrightoffset, 0);
    RECT(downrect);
    RECT(textrect);
    STR(fontname, "Arial");
    INT(fontheight, 14);
    STYLE(fontstyle);
    COLOR(fontcolor, 0);
    COLOR(activefontcolor, 0);
    COLOR(downfontcolor, 0);
    COLOR(unenabledfontcolor, 0);
    FLAG(stretcheffect);
    RECT(animateskinrect);
    INT(framecount, 0);
    INT(animateinterval, 25);
    FLAG(inactiveanimation);
}

// ===========================================================================
// Control objects

void TskDataSkinControl::ReadData(const SkinIni& ini)
{
    SkinFieldReader r(ini, Name);
    Fields(r);
}

void TskDataSkinControl::WriteData(SkinIni& ini) const
{
    SkinFieldWriter w(ini, Name);
    const_cast<TskDataSkinControl*>(this)->Fields(w);
}

void TskDataSkinControl::Fields(SkinFieldVisitor& v)
{
    PIC(pictureindex);
    PIC(maskpictureindex);
    RECT(skinrect);
}

void TskDataSkinCustomControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    POINT(lefttoppoint);
    POINT(righttoppoint);
    POINT(leftbottompoint);
    POINT(rightbottompoint);
    RECT(clientrect);
    FLAG(leftstretch);
    FLAG(topstretch);
    FLAG(rightstretch);
    FLAG(bottomstretch);
    FLAG(stretcheffect);
    v.StretchType("stretchtype", stretchtype);
}

void TskDataSkinButtonControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    STR(fontname, "Arial");
    INT(fontheight, 14);
    STYLE(fontstyle);
    COLOR(fontcolor, 0);
    COLOR(activefontcolor, 0);
    COLOR(downfontcolor, 0);
    COLOR(disabledfontcolor, 0);
    RECT(activeskinrect);
    RECT(downskinrect);
    RECT(focusedskinrect);
    RECT(disabledskinrect);
    FLAG(morphing);
    v.MorphKind("morphkind", morphkind);
    RECT(animateskinrect);
    INT(framecount, 0);
    INT(animateinterval, 25);
    FLAG(showfocus);
    RECT(menumarkerflatrect);
    RECT(menumarkerrect);
    RECT(menumarkeractiverect);
    RECT(menumarkerdownrect);
    COLOR(menumarkertransparentcolor, 0);
}

void TskDataSkinMenuButtonControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinButtonControl::Fields(v);
    RECT(trackbuttonrect);
}

void TskDataSkinPanelControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    PIC(bgpictureindex);
    RECT(captionrect);
    v.Alignment("alignment", alignment);
    FONT();
    RECT(checkimagerect);
    RECT(uncheckimagerect);
    RECT(markframerect);
    RECT(framerect);
    RECT(frametextrect);
    INT(frameleftoffset, 0);
    INT(framerightoffset, 0);
    RECT(gripperrect);
    FLAG(grippertransparent);
    COLOR(grippertransparentcolor, 0);
}

void TskDataSkinExPanelControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(rollhskinrect);
    RECT(rollvskinrect);
    INT(rollleftoffset, 0);
    INT(rollrightoffset, 0);
    INT(rolltopoffset, 0);
    INT(rollbottomoffset, 0);
    RECT(rollvcaptionrect);
    RECT(rollhcaptionrect);
    RECT(closebuttonrect);
    RECT(closebuttonactiverect);
    RECT(closebuttondownrect);
    RECT(hrollbuttonrect);
    RECT(hrollbuttonactiverect);
    RECT(hrollbuttondownrect);
    RECT(hrestorebuttonrect);
    RECT(hrestorebuttonactiverect);
    RECT(hrestorebuttondownrect);
    RECT(vrollbuttonrect);
    RECT(vrollbuttonactiverect);
    RECT(vrollbuttondownrect);
    RECT(vrestorebuttonrect);
    RECT(vrestorebuttonactiverect);
    RECT(vrestorebuttondownrect);
    RECT(captionrect);
    FONT();
    FLAG(buttonstransparent);
    COLOR(buttonstransparentcolor, 0);
}

void TskDataSkinCheckRadioControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    FONT();
    COLOR(activefontcolor, 0);
    COLOR(unenabledfontcolor, 0);
    COLOR(framefontcolor, 0);
    RECT(activeskinrect);
    RECT(checkimagearea);
    RECT(textarea);
    RECT(checkimagerect);
    RECT(uncheckimagerect);
    RECT(activecheckimagerect);
    RECT(activeuncheckimagerect);
    RECT(unenabledcheckimagerect);
    RECT(unenableduncheckimagerect);
    RECT(grayedcheckimagerect);
    RECT(activegrayedcheckimagerect);
    FLAG(morphing);
    v.MorphKind("morphkind", morphkind);
}

void TskDataSkinLabelControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    FONT();
}

void TskDataSkinEditControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(activeskinrect);
    FONT();
    COLOR(disabledfontcolor, 0);
    COLOR(activefontcolor, 0);
    RECT(buttonrect);
    RECT(activebuttonrect);
    RECT(downbuttonrect);
    RECT(unenabledbuttonrect);
}

void TskDataSkinMemoControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinEditControl::Fields(v);
    COLOR(bgcolor, 0);
    COLOR(activebgcolor, 0);
}

void TskDataSkinListBox::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(itemrect);
    RECT(activeitemrect);
    RECT(focusitemrect);
    INT(itemleftoffset, 0);
    INT(itemrightoffset, 0);
    RECT(itemtextrect);
    FONT();
    COLOR(activefontcolor, 0);
    COLOR(focusfontcolor, 0);
    RECT(captionrect);
    STR(captionfontname, "Arial");
    INT(captionfontheight, 14);
    STYLE(captionfontstyle);
    COLOR(captionfontcolor, 0);
    RECT(upbuttonrect);
    RECT(activeupbuttonrect);
    RECT(downupbuttonrect);
    RECT(downbuttonrect);
    RECT(activedownbuttonrect);
    RECT(downdownbuttonrect);
    RECT(checkbuttonrect);
    RECT(activecheckbuttonrect);
    RECT(downcheckbuttonrect);
    STR(vscrollbarname, "vscrollbar");
    STR(hscrollbarname, "hscrollbar");
    STR(bothhscrollbarname, "bothhscrollbar");
    FLAG(showfocus);
}

void TskDataSkinCheckListBox::Fields(SkinFieldVisitor& v)
{
    TskDataSkinListBox::Fields(v);
    RECT(itemcheckrect);
    RECT(checkimagerect);
    RECT(uncheckimagerect);
}

void TskDataSkinComboBox::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(activeskinrect);
    RECT(itemrect);
    RECT(activeitemrect);
    RECT(focusitemrect);
    INT(itemleftoffset, 0);
    INT(itemrightoffset, 0);
    RECT(itemtextrect);
    FONT();
    COLOR(focusfontcolor, 0);
    COLOR(activefontcolor, 0);
    STR(listboxname, "");
    RECT(buttonrect);
    RECT(activebuttonrect);
    RECT(downbuttonrect);
    RECT(unenabledbuttonrect);
    FLAG(itemstretcheffect);
    FLAG(focusitemstretcheffect);
    FLAG(showfocus);
}

void TskDataSkinScrollBarControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(trackarea);
    RECT(upbuttonrect);
    RECT(activeupbuttonrect);
    RECT(downupbuttonrect);
    RECT(downbuttonrect);
    RECT(activedownbuttonrect);
    RECT(downdownbuttonrect);
    RECT(thumbrect);
    RECT(activethumbrect);
    RECT(downthumbrect);
    INT(thumboffset1, 0);
    INT(thumboffset2, 0);
    FLAG(thumbtransparent);
    COLOR(thumbtransparentcolor, 0);
    FLAG(thumbstretcheffect);
    INT(thumbminsize, 0);
    INT(thumbminpagesize, 0);
    RECT(glyphrect);
    RECT(activeglyphrect);
    RECT(downglyphrect);
    FLAG(glyphtransparent);
    COLOR(glyphtransparentcolor, 0);
}

void TskDataSkinSplitterControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(gripperrect);
    FLAG(grippertransparent);
    COLOR(grippertransparentcolor, 0);
}

void TskDataSkinGaugeControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(progressarea);
    RECT(progressrect);
    INT(beginoffset, 0);
    INT(endoffset, 0);
    FLAG(vertical);
    FONT();
    FLAG(progresstransparent);
    COLOR(progresstransparentcolor, 0);
    FLAG(progressstretch);
    RECT(animationskinrect);
    INT(animationcountframes, 0);
    INT(animationtimerinterval, 0);
    RECT(progressanimationskinrect);
    INT(progressanimationcountframes, 0);
    INT(progressanimationtimerinterval, 0);
    INT(animationbeginoffset, 0);
    INT(animationendoffset, 0);
}

void TskDataSkinTrackBarControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(activeskinrect);
    RECT(trackarea);
    RECT(buttonrect);
    RECT(activebuttonrect);
    FLAG(vertical);
    FLAG(buttontransparent);
    COLOR(buttontransparentcolor, 0);
}

void TskDataSkinSpinEditControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(activeskinrect);
    FONT();
    COLOR(activefontcolor, 0);
    COLOR(disabledfontcolor, 0);
    RECT(upbuttonrect);
    RECT(activeupbuttonrect);
    RECT(downupbuttonrect);
    RECT(downbuttonrect);
    RECT(activedownbuttonrect);
    RECT(downdownbuttonrect);
}

void TskDataSkinUpDownControl::ReadData(const SkinIni& ini)
{
    TskDataSkinCustomControl::ReadData(ini);
    lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = Point{};
    clientrect = Rect{};
}

void TskDataSkinUpDownControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(upbuttonrect);
    RECT(activeupbuttonrect);
    RECT(downupbuttonrect);
    RECT(downbuttonrect);
    RECT(activedownbuttonrect);
    RECT(downdownbuttonrect);
}

void TskDataSkinControlBar::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(itemrect);
    PIC(bgpictureindex);
    RECT(hgriprect);
    RECT(vgriprect);
    INT(gripoffset1, 0);
    INT(gripoffset2, 0);
    FLAG(itemstretcheffect);
    INT(itemoffset1, 3);
    INT(itemoffset2, 3);
    FLAG(itemtransparent);
    COLOR(itemtransparentcolor, 0);
    FLAG(griptransparent);
    COLOR(griptransparentcolor, 0);
}

void TskDataSkinScrollBoxControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    PIC(bgpictureindex);
}

void TskDataSkinStdLabelControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    FONT();
    COLOR(activefontcolor, 0xFF0000);
}

void TskDataSkinMainMenuBar::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    RECT(itemsrect);
    STR(menubaritem, "");
    STR(closebutton, "");
    STR(minbutton, "");
    STR(maxbutton, "");
    STR(sysmenubutton, "");
    COLOR(trackmarkcolor, 0);
    COLOR(trackmarkactivecolor, 0);
    FLAG(stretcheffect);
    FLAG(itemtransparent);
}

void TskDataSkinTabControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    RECT(tabrect);
    RECT(activetabrect);
    RECT(focustabrect);
    RECT(mouseintabrect);
    RECT(clientrect);
    PIC(bgpictureindex);
    POINT(lefttoppoint);
    POINT(righttoppoint);
    POINT(leftbottompoint);
    POINT(rightbottompoint);
    INT(tableftoffset, 0);
    INT(tabrightoffset, 0);
    RECT(tabsbgrect);
    FLAG(tabstretcheffect);
    FLAG(leftstretch);
    FLAG(topstretch);
    FLAG(rightstretch);
    FLAG(bottomstretch);
    FLAG(stretcheffect);
    v.StretchType("stretchtype", stretchtype);
    FONT();
    COLOR(activefontcolor, 0);
    COLOR(focusfontcolor, 0);
    COLOR(mouseinfontcolor, 0);
    STR(updown, "");
    FLAG(showfocus);
    INT(focusoffsetx, 0);
    INT(focusoffsety, 0);
    RECT(closebuttonrect);
    RECT(closebuttonactiverect);
    RECT(closebuttondownrect);
    FLAG(buttontransparent);
    COLOR(buttontransparentcolor, 0);
}

void TskDataSkinGridControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    RECT(fixedcellrect);
    RECT(selectcellrect);
    RECT(focuscellrect);
    INT(fixedcellleftoffset, 0);
    INT(fixedcellrightoffset, 0);
    RECT(fixedcelltextrect);
    INT(cellleftoffset, 0);
    INT(cellrightoffset, 0);
    RECT(celltextrect);
    PIC(bgpictureindex);
    COLOR(linescolor, 0);
    COLOR(bgcolor, 0);
    FONT();
    COLOR(selectfontcolor, 0);
    COLOR(focusfontcolor, 0);
    STR(fixedfontname, "Arial");
    INT(fixedfontheight, 14);
    STYLE(fixedfontstyle);
    COLOR(fixedfontcolor, 0);
    FLAG(cellstretcheffect);
    FLAG(fixedcellstretcheffect);
    FLAG(showfocus);
}

void TskDataSkinTextViewFields::TextViewFields(SkinFieldVisitor& v)
{
    FONT();
    COLOR(bgcolor, 0);
}

void TskDataSkinTreeView::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    TextViewFields(v);
}

void TskDataSkinListView::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    TextViewFields(v);
}

void TskDataSkinRichEdit::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    TextViewFields(v);
}

void TskDataSkinSlider::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    COLOR(bgcolor, 0);
    RECT(hrulerrect);
    RECT(hthumbrect);
    RECT(vrulerrect);
    RECT(vthumbrect);
    INT(edgesize, 0);
    COLOR(pointscolor, 0);
}

void TskDataSkinBevel::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    COLOR(lightcolor, 0);
    COLOR(darkcolor, 0);
}

#undef INT
#undef PIC
#undef COLOR
#undef FLAG
#undef STR
#undef RECT
#undef POINT
#undef STYLE
#undef FONT

// ===========================================================================
// Factories

namespace {

template <class T, class Base>
std::unique_ptr<Base> make(std::string name)
{
    return std::make_unique<T>(std::move(name));
}

template <class Base>
struct TypeEntry {
    const char* type;
    std::unique_ptr<Base> (*create)(std::string);
};

const TypeEntry<TskDataSkinObject> kObjectTypes[] = {
    {"stdbutton", make<TskDataSkinStdButton, TskDataSkinObject>},
    {"button", make<TskDataSkinButton, TskDataSkinObject>},
    {"caption", make<TskDataSkinCaption, TskDataSkinObject>},
    {"animate", make<TskDataSkinAnimate, TskDataSkinObject>},
    {"userobject", make<TskDataUserObject, TskDataSkinObject>},
    {"menuitem", make<TskDataSkinMenuItem, TskDataSkinObject>},
    {"mainmenubaritem", make<TskDataSkinMainMenuBarItem, TskDataSkinObject>},
    {"mainmenubarbutton", make<TskDataSkinMainMenuBarButton, TskDataSkinObject>},
};

const TypeEntry<TskDataSkinControl> kControlTypes[] = {
    {"panel", make<TskDataSkinPanelControl, TskDataSkinControl>},
    {"expanel", make<TskDataSkinExPanelControl, TskDataSkinControl>},
    {"menubutton", make<TskDataSkinMenuButtonControl, TskDataSkinControl>},
    {"button", make<TskDataSkinButtonControl, TskDataSkinControl>},
    {"checkradio", make<TskDataSkinCheckRadioControl, TskDataSkinControl>},
    {"gauge", make<TskDataSkinGaugeControl, TskDataSkinControl>},
    {"splitter", make<TskDataSkinSplitterControl, TskDataSkinControl>},
    {"trackbar", make<TskDataSkinTrackBarControl, TskDataSkinControl>},
    {"label", make<TskDataSkinLabelControl, TskDataSkinControl>},
    {"stdlabel", make<TskDataSkinStdLabelControl, TskDataSkinControl>},
    {"updown", make<TskDataSkinUpDownControl, TskDataSkinControl>},
    {"grid", make<TskDataSkinGridControl, TskDataSkinControl>},
    {"tab", make<TskDataSkinTabControl, TskDataSkinControl>},
    {"mainmenubar", make<TskDataSkinMainMenuBar, TskDataSkinControl>},
    {"controlbar", make<TskDataSkinControlBar, TskDataSkinControl>},
    {"memo", make<TskDataSkinMemoControl, TskDataSkinControl>},
    {"edit", make<TskDataSkinEditControl, TskDataSkinControl>},
    {"checklistbox", make<TskDataSkinCheckListBox, TskDataSkinControl>},
    {"listbox", make<TskDataSkinListBox, TskDataSkinControl>},
    {"combobox", make<TskDataSkinComboBox, TskDataSkinControl>},
    {"scrollbar", make<TskDataSkinScrollBarControl, TskDataSkinControl>},
    {"spinedit", make<TskDataSkinSpinEditControl, TskDataSkinControl>},
    {"scrollbox", make<TskDataSkinScrollBoxControl, TskDataSkinControl>},
    {"treeview", make<TskDataSkinTreeView, TskDataSkinControl>},
    {"bevel", make<TskDataSkinBevel, TskDataSkinControl>},
    {"slider", make<TskDataSkinSlider, TskDataSkinControl>},
    {"listview", make<TskDataSkinListView, TskDataSkinControl>},
    {"richedit", make<TskDataSkinRichEdit, TskDataSkinControl>},
};

template <class Base, std::size_t N>
std::unique_ptr<Base> create(const TypeEntry<Base> (&table)[N], std::string_view type, std::string name)
{
    for (const auto& e : table)
        if (type == e.type)
            return e.create(std::move(name));
    return nullptr;
}

} // namespace

std::unique_ptr<TskDataSkinObject> CreateSkinObject(std::string_view type, std::string name)
{
    return create(kObjectTypes, type, std::move(name));
}

std::unique_ptr<TskDataSkinControl> CreateSkinControl(std::string_view type, std::string name)
{
    return create(kControlTypes, type, std::move(name));
}

} // namespace lt
