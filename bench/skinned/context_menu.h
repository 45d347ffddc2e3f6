#pragma once
// The seven-item context menu the menu benchmarks open: the captions of the
// program's two list menus in one, the results list's four, a divider, and
// two of the export list's.

#include "skinned/skin_menu.h"
#include "text/cp936.h"

namespace lt {

inline TskSkinPopupMenu* NewSevenItemMenu(TComponent* owner)
{
    auto* menu = new TskSkinPopupMenu(owner);
    for (const char* caption : {"所选关键词导出到导出列表", "导出所有关键词到导出列表", "删除选中关键词",
             "清空所有关键词", "-", "清空列表", "导出为TXT文件(&O)"}) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = utf8_to_cp936(caption);
        menu->Items()->Add(item);
    }
    return menu;
}

} // namespace lt
