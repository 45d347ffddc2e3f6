#include "skin/skin_objects.h"

namespace lt {

// Field names equal key names, so one macro per value kind names both.
#define INT(f) v.Integer(#f, f)
#define COLOR(f) v.ColorValue(#f, f)
#define FLAG(f) v.Flag(#f, f)
#define STR(f) v.String(#f, f)
#define RECT(f) v.RectValue(#f, f)
#define POINT(f) v.PointValue(#f, f)
#define STYLE(f) v.FontStyle(#f, f)
// The four font keys most classes read, in their table order.
#define FONT()                                                                                                         \
    STR(fontname);                                                                                                     \
    INT(fontheight);                                                                                                   \
    STYLE(fontstyle);                                                                                                  \
    COLOR(fontcolor)

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
    STR(hint);
    INT(activepictureindex);
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
    STR(fontname);
    INT(fontheight);
    STYLE(fontstyle);
    COLOR(fontcolor);
    COLOR(activefontcolor);
    v.Alignment("alignment", alignment);
    FLAG(light);
    COLOR(lightcolor);
    COLOR(activelightcolor);
    FLAG(shadow);
    COLOR(shadowcolor);
    COLOR(activeshadowcolor);
    RECT(framerect);
    RECT(activeframerect);
    RECT(frametextrect);
    INT(frameleftoffset);
    INT(framerightoffset);
    FLAG(stretcheffect);
    RECT(animateskinrect);
    INT(framecount);
    INT(animateinterval);
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
    INT(countframes);
    FLAG(cycle);
    FLAG(buttonstyle);
    INT(timerinterval);
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
    INT(itemleftoffset);
    INT(itemrightoffset);
    RECT(dividerrect);
    INT(dividerleftoffset);
    INT(dividerrightoffset);
    RECT(textrect);
    RECT(imagerect);
    STR(fontname);
    INT(fontheight);
    STYLE(fontstyle);
    COLOR(fontcolor);
    COLOR(activefontcolor);
    COLOR(unenabledfontcolor);
    FLAG(stretcheffect);
    FLAG(inactivestretcheffect);
    FLAG(dividerstretcheffect);
    RECT(animateskinrect);
    INT(framecount);
    INT(animateinterval);
    FLAG(inactiveanimation);
    FLAG(useimagecolor);
    COLOR(imagecolor);
    COLOR(activeimagecolor);
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
    INT(itemleftoffset);
    INT(itemrightoffset);
    RECT(downrect);
    RECT(textrect);
    STR(fontname);
    INT(fontheight);
    STYLE(fontstyle);
    COLOR(fontcolor);
    COLOR(activefontcolor);
    COLOR(downfontcolor);
    COLOR(unenabledfontcolor);
    FLAG(stretcheffect);
    RECT(animateskinrect);
    INT(framecount);
    INT(animateinterval);
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
    INT(pictureindex);
    INT(maskpictureindex);
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
    STR(fontname);
    INT(fontheight);
    STYLE(fontstyle);
    COLOR(fontcolor);
    COLOR(activefontcolor);
    COLOR(downfontcolor);
    COLOR(disabledfontcolor);
    RECT(activeskinrect);
    RECT(downskinrect);
    RECT(focusedskinrect);
    RECT(disabledskinrect);
    FLAG(morphing);
    v.MorphKind("morphkind", morphkind);
    RECT(animateskinrect);
    INT(framecount);
    INT(animateinterval);
    FLAG(showfocus);
    RECT(menumarkerflatrect);
    RECT(menumarkerrect);
    RECT(menumarkeractiverect);
    RECT(menumarkerdownrect);
    COLOR(menumarkertransparentcolor);
}

void TskDataSkinMenuButtonControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinButtonControl::Fields(v);
    RECT(trackbuttonrect);
}

void TskDataSkinPanelControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    INT(bgpictureindex);
    RECT(captionrect);
    v.Alignment("alignment", alignment);
    FONT();
    RECT(checkimagerect);
    RECT(uncheckimagerect);
    RECT(markframerect);
    RECT(framerect);
    RECT(frametextrect);
    INT(frameleftoffset);
    INT(framerightoffset);
    RECT(gripperrect);
    FLAG(grippertransparent);
    COLOR(grippertransparentcolor);
}

void TskDataSkinExPanelControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(rollhskinrect);
    RECT(rollvskinrect);
    INT(rollleftoffset);
    INT(rollrightoffset);
    INT(rolltopoffset);
    INT(rollbottomoffset);
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
    COLOR(buttonstransparentcolor);
}

void TskDataSkinCheckRadioControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    FONT();
    COLOR(activefontcolor);
    COLOR(unenabledfontcolor);
    COLOR(framefontcolor);
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
    COLOR(disabledfontcolor);
    COLOR(activefontcolor);
    RECT(buttonrect);
    RECT(activebuttonrect);
    RECT(downbuttonrect);
    RECT(unenabledbuttonrect);
}

void TskDataSkinMemoControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinEditControl::Fields(v);
    COLOR(bgcolor);
    COLOR(activebgcolor);
}

void TskDataSkinListBox::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(itemrect);
    RECT(activeitemrect);
    RECT(focusitemrect);
    INT(itemleftoffset);
    INT(itemrightoffset);
    RECT(itemtextrect);
    FONT();
    COLOR(activefontcolor);
    COLOR(focusfontcolor);
    RECT(captionrect);
    STR(captionfontname);
    INT(captionfontheight);
    STYLE(captionfontstyle);
    COLOR(captionfontcolor);
    RECT(upbuttonrect);
    RECT(activeupbuttonrect);
    RECT(downupbuttonrect);
    RECT(downbuttonrect);
    RECT(activedownbuttonrect);
    RECT(downdownbuttonrect);
    RECT(checkbuttonrect);
    RECT(activecheckbuttonrect);
    RECT(downcheckbuttonrect);
    STR(vscrollbarname);
    STR(hscrollbarname);
    STR(bothhscrollbarname);
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
    INT(itemleftoffset);
    INT(itemrightoffset);
    RECT(itemtextrect);
    FONT();
    COLOR(focusfontcolor);
    COLOR(activefontcolor);
    STR(listboxname);
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
    INT(thumboffset1);
    INT(thumboffset2);
    FLAG(thumbtransparent);
    COLOR(thumbtransparentcolor);
    FLAG(thumbstretcheffect);
    INT(thumbminsize);
    INT(thumbminpagesize);
    RECT(glyphrect);
    RECT(activeglyphrect);
    RECT(downglyphrect);
    FLAG(glyphtransparent);
    COLOR(glyphtransparentcolor);
}

void TskDataSkinSplitterControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(gripperrect);
    FLAG(grippertransparent);
    COLOR(grippertransparentcolor);
}

void TskDataSkinGaugeControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(progressarea);
    RECT(progressrect);
    INT(beginoffset);
    INT(endoffset);
    FLAG(vertical);
    FONT();
    FLAG(progresstransparent);
    COLOR(progresstransparentcolor);
    FLAG(progressstretch);
    RECT(animationskinrect);
    INT(animationcountframes);
    INT(animationtimerinterval);
    RECT(progressanimationskinrect);
    INT(progressanimationcountframes);
    INT(progressanimationtimerinterval);
    INT(animationbeginoffset);
    INT(animationendoffset);
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
    COLOR(buttontransparentcolor);
}

void TskDataSkinSpinEditControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    RECT(activeskinrect);
    FONT();
    COLOR(activefontcolor);
    COLOR(disabledfontcolor);
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
    INT(bgpictureindex);
    RECT(hgriprect);
    RECT(vgriprect);
    INT(gripoffset1);
    INT(gripoffset2);
    FLAG(itemstretcheffect);
    INT(itemoffset1);
    INT(itemoffset2);
    FLAG(itemtransparent);
    COLOR(itemtransparentcolor);
    FLAG(griptransparent);
    COLOR(griptransparentcolor);
}

void TskDataSkinScrollBoxControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinCustomControl::Fields(v);
    INT(bgpictureindex);
}

void TskDataSkinStdLabelControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    FONT();
    COLOR(activefontcolor);
}

void TskDataSkinMainMenuBar::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    RECT(itemsrect);
    STR(menubaritem);
    STR(closebutton);
    STR(minbutton);
    STR(maxbutton);
    STR(sysmenubutton);
    COLOR(trackmarkcolor);
    COLOR(trackmarkactivecolor);
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
    INT(bgpictureindex);
    POINT(lefttoppoint);
    POINT(righttoppoint);
    POINT(leftbottompoint);
    POINT(rightbottompoint);
    INT(tableftoffset);
    INT(tabrightoffset);
    RECT(tabsbgrect);
    FLAG(tabstretcheffect);
    FLAG(leftstretch);
    FLAG(topstretch);
    FLAG(rightstretch);
    FLAG(bottomstretch);
    FLAG(stretcheffect);
    v.StretchType("stretchtype", stretchtype);
    FONT();
    COLOR(activefontcolor);
    COLOR(focusfontcolor);
    COLOR(mouseinfontcolor);
    STR(updown);
    FLAG(showfocus);
    INT(focusoffsetx);
    INT(focusoffsety);
    RECT(closebuttonrect);
    RECT(closebuttonactiverect);
    RECT(closebuttondownrect);
    FLAG(buttontransparent);
    COLOR(buttontransparentcolor);
}

void TskDataSkinGridControl::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    RECT(fixedcellrect);
    RECT(selectcellrect);
    RECT(focuscellrect);
    INT(fixedcellleftoffset);
    INT(fixedcellrightoffset);
    RECT(fixedcelltextrect);
    INT(cellleftoffset);
    INT(cellrightoffset);
    RECT(celltextrect);
    INT(bgpictureindex);
    COLOR(linescolor);
    COLOR(bgcolor);
    FONT();
    COLOR(selectfontcolor);
    COLOR(focusfontcolor);
    STR(fixedfontname);
    INT(fixedfontheight);
    STYLE(fixedfontstyle);
    COLOR(fixedfontcolor);
    FLAG(cellstretcheffect);
    FLAG(fixedcellstretcheffect);
    FLAG(showfocus);
}

void TskDataSkinTextViewFields::TextViewFields(SkinFieldVisitor& v)
{
    FONT();
    COLOR(bgcolor);
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
    COLOR(bgcolor);
    RECT(hrulerrect);
    RECT(hthumbrect);
    RECT(vrulerrect);
    RECT(vthumbrect);
    INT(edgesize);
    COLOR(pointscolor);
}

void TskDataSkinBevel::Fields(SkinFieldVisitor& v)
{
    TskDataSkinControl::Fields(v);
    COLOR(lightcolor);
    COLOR(darkcolor);
}

#undef INT
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
