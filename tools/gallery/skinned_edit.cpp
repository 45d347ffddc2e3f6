// The skinned page's edit boxes: the keyword box as the main window shows it
// (given 18 pixels, drawn at the skin's 21), one with text, one focused with
// part of its text selected, a disabled one and a read-only one, plus one
// without a skin object (the plain look). Right-click a box for its menu;
// the line below the boxes echoes the keyword box's text as it changes.

#include "forms/stdctrls.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_menu.h"
#include "skinned/static_controls.h"
#include "tools/gallery/skinned_page.h"

namespace lt::gallery {
namespace {

void Build(SectionContext& s)
{
    // Edit boxes show their context menus through the form's menu host.
    if (!FindSkinMenuFrame(s.form)) {
        auto* host = new TskSkinMenuHost(s.form);
        host->SetSkinData(s.data);
    }

    int y = 6;
    auto row = [&](const char* caption, const char* name = "edit") {
        auto* label = s.Add<TskSkinStdLabel>("stdlabel", 6, y + 4, 80, 13);
        label->SetCaption(cp(caption));
        auto* edit = s.Add<TskSkinEdit>(name, 90, y, 200, 18);
        y += 26;
        return edit;
    };

    TskSkinEdit* keyword = row("normal");
    row("with text")->SetText(cp("QQ空间 long tail"));
    TskSkinEdit* focused = row("focused");
    focused->SetText(cp("长尾词查询工具"));
    TskSkinEdit* disabled = row("disabled");
    disabled->SetText(cp("禁用的输入框"));
    disabled->SetEnabled(false);
    TskSkinEdit* read_only = row("read-only");
    read_only->SetText(cp("只读：可以选择和复制"));
    read_only->SetReadOnly(true);
    row("no skin object", "no such object")->SetText(cp("plain look 无皮肤"));

    auto* echo = s.Add<TskSkinStdLabel>("stdlabel", 6, y + 4, 284, 13);
    echo->SetCaption(cp("normal box: (empty)"));
    keyword->OnChange = [keyword, echo](TComponent*) { echo->SetCaption(cp("normal box: ") + keyword->Text()); };

    // Its own selection, not the whole text that AutoSelect would choose.
    focused->AutoSelect = false;
    focused->SetSelStart(4);
    focused->SetSelLength(4);
    s.form->SetActiveControl(focused);
}

const SectionRegistration edit_section{"edit boxes", 50, {300, 190}, Build};

} // namespace
} // namespace lt::gallery
