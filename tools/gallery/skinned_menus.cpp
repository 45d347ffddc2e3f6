// The skinned page's menu section: an area whose context menu (right click)
// is a skinned popup menu with a submenu of radio items, a check item, a
// separator, a disabled item, a default item and shortcut texts, and a button
// that opens the same menu below itself. The last command shows in a label.

#include "forms/stdctrls.h"
#include "skinned/skin_control.h"
#include "skinned/skin_menu.h"
#include "tools/gallery/skinned_page.h"

namespace lt::gallery {
namespace {

TMenuItem* AddItem(TMenuItem& parent, const std::string& caption, TShortCut shortcut = scNone)
{
    auto* item = new TMenuItem(nullptr);
    item->Caption = caption;
    item->ShortCut = shortcut;
    parent.Add(item);
    return item;
}

void Build(SectionContext& s)
{
    // The page has no skinned window frame of its own: a menu host plays
    // its part for menus.
    if (!FindSkinMenuFrame(s.form)) {
        auto* host = new TskSkinMenuHost(s.form);
        host->SetSkinData(s.data);
    }

    auto* last = s.AddPlain<TLabel>(8, 96, 280, 16);
    last->SetCaption(cp("Last command: none"));
    auto* menu = new TskSkinPopupMenu(s.form);
    auto report = [last](TMenuItem* item) { last->SetCaption(cp("Last command: ") + StripHotkey(item->Caption)); };

    TMenuItem& root = *menu->Items();
    TMenuItem* open = AddItem(root, cp("&Open"), ShortCut('O', false, true, false));
    open->Default = true;
    open->OnClick = report;
    AddItem(root, cp("Save"), ShortCut('S', false, true, false))->Enabled = false;
    AddItem(root, "-");
    TMenuItem* view = AddItem(root, cp("&View"));
    for (const char* caption : {"&Icons", "&List", "&Details"}) {
        TMenuItem* item = AddItem(*view, cp(caption));
        item->RadioItem = true;
        item->OnClick = [report](TMenuItem* it) {
            it->SetChecked(true);
            report(it);
        };
    }
    view->Items(1)->SetChecked(true);
    TMenuItem* hidden = AddItem(root, cp("Show &hidden files"));
    hidden->SetChecked(true);
    hidden->OnClick = [report](TMenuItem* it) {
        it->SetChecked(!it->Checked());
        report(it);
    };
    AddItem(root, cp("导出为TXT文件(&E)"))->OnClick = report;
    AddItem(root, "-");
    AddItem(root, cp("E&xit"), ShortCut(VK_F4, false, false, true))->OnClick = report;

    auto* area = s.Add<TskSkinCustomControl>("panel", 8, 8, 180, 80);
    area->PopupMenu = menu;
    auto* hint = s.AddPlain<TLabel>(12, 36, 170, 16, area);
    hint->SetCaption(cp("Right-click for the menu"));
    hint->Transparent = true;
    hint->PopupMenu = menu;

    auto* button = s.AddPlain<TButton>(196, 8, 96, 25);
    button->SetCaption(cp("Menu"));
    button->OnClick = [button, menu](TComponent*) {
        const Point at = button->ClientToScreen({0, 0});
        menu->PopupAtRect(button, Rect::from_xywh(at.x, at.y, button->Width(), button->Height()), false);
    };
}

const SectionRegistration menus_section{"menus", 60, {300, 120}, Build};

} // namespace
} // namespace lt::gallery
