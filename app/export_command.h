#pragma once
// Export: saves the export list as a text file the user picks in the save
// dialog. The export list's menu item 导出为TXT文件(&O) and the button
// 导出为TXT文本文件 both run it.
//
// The file holds every row of the export list in list order, each row's code
// page 936 bytes followed by CR LF (the last row too), with no header and no
// byte-order mark; an empty list gives an empty file. The export list is
// only read.
//
// Failures reach the application's error box: "Cannot create file "<path>".
// <system's text>" when the file cannot be created or replaced, "Stream
// write error" when writing stops short. Either way the file that was there
// before stays as it was, and the dialog keeps the chosen name for the next
// export.

namespace lt {

class TForm1;

// Runs the dialog and, when a file was accepted, writes the export list to
// it through the window's WriteExport. Cancelling writes nothing.
void ExportCommand(TForm1& form);

} // namespace lt
