// The skinned page's lists: the results list's kind (fixed 20-pixel rows)
// holding 1,000,000 rows, the export list's kind (the skin's row height)
// with a few selected rows and its caret on a row that is not selected, a
// list without a skin object (the plain look), and two drop-down lists, one
// of 30 rows and one of 3. Right-click a list for its menu, double-click a
// row or type to search; the line at the bottom says what happened.

#include <string>

#include "forms/menus.h"
#include "skinned/skin_combobox.h"
#include "skinned/skin_listbox.h"
#include "skinned/skin_menu.h"
#include "skinned/static_controls.h"
#include "tools/gallery/skinned_page.h"

namespace lt::gallery {
namespace {

constexpr int kMillion = 1'000'000;

void Build(SectionContext& s)
{
    if (!FindSkinMenuFrame(s.form)) {
        auto* host = new TskSkinMenuHost(s.form);
        host->SetSkinData(s.data);
    }
    auto label = [&](int x, int y, int w, const char* text) {
        auto* l = s.Add<TskSkinStdLabel>("stdlabel", x, y, w, 13);
        l->SetCaption(cp(text));
        return l;
    };
    TskSkinStdLabel* echo = label(6, 296, 680, "double-click a row, or pick from a drop-down");
    auto say = [echo](const std::string& text) { echo->SetCaption(text); };

    // The results list: a million rows added in one batch.
    label(6, 4, 240, "results list: 1,000,000 rows, fixed height");
    auto* results = s.Add<TskSkinListBox>("listbox", 6, 20, 240, 270);
    results->SetMultiSelect(true);
    results->SetUseSkinItemHeight(false);
    results->Items().BeginUpdate();
    results->Items().Add(cp("长尾词"));
    for (int i = 1; i < kMillion; ++i)
        results->Items().Add(cp("长尾词 第") + std::to_string(i) + cp("条"));
    results->Items().EndUpdate();
    results->SetSelected(2, true);
    results->SetSelected(3, true);

    // The export list: the caret on row 1, which is not selected.
    label(252, 4, 200, "export list: skin row height");
    auto* exported = s.Add<TskSkinListBox>("listbox", 252, 20, 200, 270);
    exported->SetMultiSelect(true);
    for (const char* row : {"QQ空间", "qq空间登录", "长尾词挖掘", "长尾关键词工具", "long tail keyword", "网页设计",
             "網頁設計", "seo优化"})
        exported->Items().Add(cp(row));
    exported->SetSelected(0, true);
    exported->SetSelected(2, true);
    exported->SetSelected(3, true);
    exported->SetItemIndex(1);

    // Without a skin object.
    label(458, 4, 110, "no skin object");
    auto* plain = s.Add<TskSkinListBox>("no such object", 458, 20, 110, 120);
    plain->SetMultiSelect(true);
    for (int i = 0; i < 12; ++i)
        plain->Items().Add(cp("plain ") + std::to_string(i));
    plain->SetSelected(1, true);

    auto* menu = new TskSkinPopupMenu(s.form);
    for (const char* caption : {"删除选中关键词", "清空列表"}) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = cp(caption);
        item->OnClick = [say, item](TComponent*) { say(cp("menu: ") + item->Caption); };
        menu->Items()->Add(item);
    }
    for (TskSkinListBox* list : {results, exported, plain}) {
        list->PopupMenu = menu;
        list->OnListBoxDblClick = [say, list](TComponent*) {
            const int row = list->ItemAtCursor();
            say(row < 0 ? cp("double-click on no row")
                        : cp("double-click on row ") + std::to_string(row) + ": " + list->Items().Strings(row));
        };
    }

    // Drop-down lists.
    label(458, 150, 200, "drop-down, 30 rows");
    auto* files = s.Add<TskSkinComboBox>("combobox", 458, 166, 200, 21);
    for (int i = 0; i < 30; ++i)
        files->Items().Add(cp("关键词列表 ") + std::to_string(i) + ".txt");
    files->SetItemIndex(4);
    label(458, 200, 200, "drop-down, 3 rows");
    auto* types = s.Add<TskSkinComboBox>("combobox", 458, 216, 200, 21);
    for (const char* row : {"文本文件(*.txt)", "所有文件(*.*)", "CSV (*.csv)"})
        types->Items().Add(cp(row));
    types->SetItemIndex(0);
    for (TskSkinComboBox* combo : {files, types})
        combo->OnClick = [say, combo](TComponent*) { say(cp("drop-down: ") + combo->Text()); };
}

const SectionRegistration lists_section{"lists", 55, {690, 316}, Build};

} // namespace
} // namespace lt::gallery
