#include "app/export_command.h"

#include "app/main_form.h"
#include "harvest/export_file.h"
#include "skinned/folder_model.h"
#include "skinned/skin_listbox.h"
#include "skinned/skin_save_dialog.h"

namespace lt {

void ExportCommand(TForm1& form)
{
    TskSkinSaveDialog& dialog = *form.skSkinSaveDialog1;
    if (!dialog.Execute())
        return;
    // The dialog's name as it returns it: a full path, ".txt" already added
    // to a name typed without an extension.
    const std::string path = dialog.FileName;
    const std::string text = form.skSkinListBox2->Items().Text();
    try {
        form.WriteExport(path, text);
    } catch (const FileCreateError& e) {
        // The error box draws code page 936: the path is shown converted, so
        // a folder named in Chinese reads as it does in the dialog.
        throw FileCreateError(DisplayName(e.Path()), e.Reason());
    }
}

} // namespace lt
