// The skinned page's tool bar section: a strip laid out like the file
// dialog's (spacer, "Look in" label, Back, Up, New folder, spacer and the
// view button that opens its menu), then the four glyph buttons in each
// look (normal, hot, down, disabled), the same without a skin, a flat row
// and the bevel's shapes. The top strip answers the mouse in a real window.

#include <string>

#include "forms/stdctrls.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_speed_button.h"
#include "skinned/skin_toolbar.h"
#include "skinned/static_controls.h"
#include "skinned/tool_glyphs.h"
#include "tools/gallery/skinned_page.h"

namespace lt::gallery {
namespace {

// A button that always shows its hot look (a still picture has no pointer).
template <class Base>
class Hot : public Base {
public:
    using Base::Base;

protected:
    bool HotLook() const override { return true; }
};

constexpr const char* kGlyphs[] = {"SK_BACK", "SK_UP", "SK_NEWFOLDER", "SK_LVSTYLE"};

template <class T>
T* GlyphButton(SectionContext& s, TWinControl* bar, const std::string& skin, int left, int width, const char* glyph)
{
    auto* b = s.Add<T>(skin, left, 0, width, 25, bar);
    b->SetGlyph(LoadToolGlyph(glyph));
    b->SetNumGlyphs(kToolGlyphCount);
    return b;
}

TskSkinBevel* Spacer(SectionContext& s, TWinControl* bar, int left, TAlign align)
{
    auto* spacer = s.Add<TskSkinBevel>("bevel", left, 0, 10, 25, bar);
    spacer->SetShape(TskBevelShape::skSpacer);
    spacer->SetAlign(align);
    return spacer;
}

// The dialog's strip; its view button opens a menu of four radio items.
void DialogStrip(SectionContext& s, TskSkinPopupMenu* menu)
{
    auto* bar = s.Add<TskSkinToolBar>("toolpanel", 0, 0, 420, 25);
    // Docked all at once, so each group is ordered by its position.
    bar->DisableAlign();
    Spacer(s, bar, 0, TAlign::alLeft);
    auto* label = s.Add<TskSkinStdLabel>("stdlabel", 10, 0, 60, 25, bar);
    label->SetCaption(cp("Look in: "));
    label->SetLayout(TTextLayout::tlCenter);
    label->SetAlign(TAlign::alLeft);
    // Docked right, the rightmost first: view, spacer, New folder, Up, Back.
    const int left[] = {280, 307, 334};
    for (int i = 0; i < 3; ++i)
        GlyphButton<TskSkinSpeedButton>(s, bar, "toolbutton", left[i], 27, kGlyphs[i])->SetAlign(TAlign::alRight);
    Spacer(s, bar, 361, TAlign::alRight);
    auto* view = GlyphButton<TskSkinMenuSpeedButton>(s, bar, "toolmenubutton", 371, 37, "SK_LVSTYLE");
    view->SetSkinPopupMenu(menu);
    view->SetAlign(TAlign::alRight);
    bar->EnableAlign();
}

TskSkinPopupMenu* ViewMenu(SectionContext& s)
{
    if (!FindSkinMenuFrame(s.form)) {
        auto* host = new TskSkinMenuHost(s.form);
        host->SetSkinData(s.data);
    }
    auto* menu = new TskSkinPopupMenu(s.form);
    for (const char* caption : {"Large icons", "Small icons", "List", "Details"}) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = cp(caption);
        item->RadioItem = true;
        item->OnClick = [](TMenuItem* it) { it->SetChecked(true); };
        menu->Items()->Add(item);
    }
    menu->Items()->Items(2)->SetChecked(true);
    return menu;
}

// One row of the four glyph buttons in one look, named on its left.
template <class Button, class MenuButton>
TskSkinToolBar* Row(SectionContext& s, int top, const char* name, const std::string& skin)
{
    auto* caption = s.AddPlain<TLabel>(0, top + 8, 70, 16);
    caption->SetCaption(cp(name));
    auto* bar = s.Add<TskSkinToolBar>(skin.empty() ? "" : "toolpanel", 70, top, 180, 25);
    for (int i = 0; i < 4; ++i) {
        const bool menu = i == 3;
        const std::string object = skin.empty() ? "" : menu ? "toolmenubutton" : "toolbutton";
        if (menu)
            GlyphButton<MenuButton>(s, bar, object, 8 + i * 31, 37, kGlyphs[i]);
        else
            GlyphButton<Button>(s, bar, object, 8 + i * 31, 27, kGlyphs[i]);
    }
    return bar;
}

void Build(SectionContext& s)
{
    DialogStrip(s, ViewMenu(s));

    using Plain = TskSkinSpeedButton;
    using Menu = TskSkinMenuSpeedButton;
    Row<Plain, Menu>(s, 40, "normal", "skin");
    Row<Hot<Plain>, Hot<Menu>>(s, 74, "hot", "skin");
    auto* down = Row<Plain, Menu>(s, 108, "down", "skin");
    auto* disabled = Row<Plain, Menu>(s, 142, "disabled", "skin");
    for (int i = 0; i < down->ControlCount(); ++i) {
        auto* b = dynamic_cast<TskSkinSpeedButton*>(down->Controls(i));
        b->SetGroupIndex(i + 1); // latched down
        b->SetDown(true);
        disabled->Controls(i)->SetEnabled(false);
    }

    // Without a skin: up, latched down and disabled; and a flat row.
    auto* plain = Row<Plain, Menu>(s, 176, "no skin", "");
    dynamic_cast<TskSkinSpeedButton*>(plain->Controls(1))->SetGroupIndex(1);
    dynamic_cast<TskSkinSpeedButton*>(plain->Controls(1))->SetDown(true);
    plain->Controls(2)->SetEnabled(false);
    auto* flat = Row<Plain, Menu>(s, 210, "flat", "skin");
    flat->SetFlat(true);

    // The bevel's shapes, lowered and raised, in the stored skin's colours.
    const TskBevelShape shapes[] = {
        TskBevelShape::skBox, TskBevelShape::skFrame, TskBevelShape::skTopLine, TskBevelShape::skLeftLine};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 2; ++j) {
            auto* bevel = s.Add<TskSkinBevel>("bevel", 270 + i * 36, 44 + j * 36, 30, 30);
            bevel->SetShape(shapes[i]);
            bevel->SetStyle(j == 0 ? TskBevelStyle::bsLowered : TskBevelStyle::bsRaised);
        }
    auto* divider = s.Add<TskSkinBevel>("bevel", 270, 116, 138, 12);
    divider->SetShape(TskBevelShape::skTopLine);
    divider->SetDividerMode(true);
}

const SectionRegistration toolbar_section{"tool bar", 80, {420, 244}, Build};

} // namespace
} // namespace lt::gallery
