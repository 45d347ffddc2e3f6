#pragma once
// Export: saves the export list as a text file the user picks in the save
// dialog. The export list's menu item 导出为TXT文件(&O) and the button
// 导出为TXT文本文件 both run it.

namespace lt {

class TForm1;

void ExportCommand(TForm1& form);

} // namespace lt
