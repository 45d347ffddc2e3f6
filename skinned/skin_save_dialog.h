#pragma once
// The skinned file dialog: TskSkinOpenDialog (open mode) and
// TskSkinSaveDialog (save mode), components that build a skinned modal
// window, TskOpenDlgForm, on each Execute and free it at its end.
//
// The window (client 450 x 290 unless the kept size says otherwise):
//
//   +--------------------------------------------------------------+
//   | [10] Look in: [look-in box.............] [<] [^] [*] [10] [=] |  tool bar, 25 high
//   +--------------------------------------------------------------+  (32 with the skin)
//   | file list (its own scroll bars)                              |  panel with a frame
//   +--------------------------------------------------------------+
//   | File name: [name box...........................]   [ Save ]  |  80 high
//   | File type: [type box...........................]   [Cancel]  |
//   +--------------------------------------------------------------+
//
// Paths are the file system's UTF-8 bytes: FileName, InitialDir, the list
// of selected files and every folder the dialog enters. Texts shown or typed
// (Title, Filter, the name box) are code page 936. The dialog's own texts
// are English unless the skin data has resource strings (the keys below).
//
// Running it (what a press, a key or a choice does):
//
//   where                   what                       effect
//   ----------------------  -------------------------  ------------------------------------
//   Save, Enter in the      a name                     accepted: folder + "/" + name, or the
//   name box                                           name itself when it starts with "/"
//                           text with "*"              the file list's mask (Enter only)
//                           an existing folder         entered (Enter only; relative names
//                                                      from the listed folder)
//   file list               select a file              its name goes to the name box
//                           double-click / Enter       a folder is entered, a file accepted
//                           Backspace, Up button       the parent folder
//                           F5                         listed again
//                           F2, Delete, Alt+Enter      rename, delete (asks), properties
//                           right click                Rename, Delete, New Folder, Refresh
//   Back button             -                          the folder visited last
//   New-folder button       -                          "New Folder", "New Folder(2)", ... the
//                                                      next free name, opened for renaming
//   look-in box             a row                      that folder is entered
//   type box                a type                     its mask; the name's final extension
//                                                      follows it (save mode)
//   view button             Large icons ... Details    the list's view style
//   Cancel, Escape, close   -                          Execute returns false
//
// Execute in save mode then appends the file type's extension to an accepted
// name that has none (and DefaultExt after that). Kept between runs:
// FileName (after an accepted run), FilterIndex, DialogWidth and
// DialogHeight, and the view style. A failure of the file system (a folder
// that cannot be read or made, a rename) shows the application's error box
// and the dialog stays open.
//
// Sections: texts - TskSkinShellComboBox - TskSkinFilterComboBox -
// TskOpenDlgForm - TskSkinOpenDialog - TskSkinSaveDialog.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/font.h"
#include "forms/forms.h"
#include "skin/skin_data.h"
#include "skinned/folder_model.h"
#include "skinned/skin_combobox.h"
#include "skinned/skin_file_list.h"

namespace lt {

class TskSkinButton;
class TskSkinEdit;
class TskSkinForm;
class TskSkinMenuSpeedButton;
class TskSkinPanel;
class TskSkinPopupMenu;
class TskSkinSpeedButton;
class TskSkinStdLabel;
class TskSkinToolBar;
class TskSkinOpenDialog;
class TMenuItem;

// ---- texts ----------------------------------------------------------------------

// The dialog's text for a resource key: the skin data's resource string when
// it has one, else the English default.
std::string DialogText(const TskSkinData* data, const char* key);

// ---- TskSkinShellComboBox -------------------------------------------------------

// The look-in box: places and the chain down to the current folder, each row
// with its icon indented half an icon per level (the closed box without
// indent).
class TskSkinShellComboBox : public TskSkinComboBox {
public:
    explicit TskSkinShellComboBox(TComponent* owner);

    // Fills the rows and selects `current` without raising OnClick.
    void SetRows(std::vector<LookInRow> rows, int current);
    const std::vector<LookInRow>& Rows() const { return rows_; }

private:
    void DrawRow(Canvas& canvas, int index, const Rect& text_rect, bool indent);

    std::vector<LookInRow> rows_;
};

// ---- TskSkinFilterComboBox ------------------------------------------------------

// The type box: one row per file type, the mask kept beside it.
class TskSkinFilterComboBox : public TskSkinComboBox {
public:
    explicit TskSkinFilterComboBox(TComponent* owner);

    // Fills the rows from a filter text; the same filter again changes
    // nothing. No row selected.
    void SetFilter(const std::string& filter);
    const std::vector<FileFilter>& Filters() const { return filters_; }
    // The selected type's mask (with none selected the last type's; with no
    // types "*.*").
    std::string Mask() const { return FilterMask(filters_, ItemIndex()); }

private:
    std::string filter_;
    bool filled_ = false;
    std::vector<FileFilter> filters_;
};

// ---- TskOpenDlgForm -------------------------------------------------------------------

class TskOpenDlgForm : public TForm {
public:
    // Builds the window's controls for `dialog` in save or open mode.
    TskOpenDlgForm(TComponent* owner, TskSkinOpenDialog& dialog, bool save_mode);
    ~TskOpenDlgForm() override;

    // ---- parts
    TskSkinForm* Frame() const { return frame_; }
    TskSkinToolBar* ToolBar() const { return tool_bar_; }
    TskSkinStdLabel* LookInLabel() const { return look_in_label_; }
    TskSkinShellComboBox* LookIn() const { return look_in_; }
    TskSkinSpeedButton* BackButton() const { return back_; }
    TskSkinSpeedButton* UpButton() const { return up_; }
    TskSkinSpeedButton* NewFolderButton() const { return new_folder_; }
    TskSkinMenuSpeedButton* ViewButton() const { return view_; }
    TskSkinPopupMenu* ViewMenu() const { return view_menu_; }
    TskSkinPanel* FilePanel() const { return file_panel_; }
    TskSkinFileListView* FileList() const { return file_list_; }
    TskSkinPanel* BottomPanel() const { return bottom_; }
    TskSkinEdit* NameBox() const { return name_box_; }
    TskSkinFilterComboBox* TypeBox() const { return type_box_; }
    TskSkinButton* SaveButton() const { return save_; }
    TskSkinButton* CancelButton() const { return cancel_; }
    // The right-click menu as last built (null before the first).
    TskSkinPopupMenu* ContextMenu() const { return context_menu_; }

    // ---- state
    bool SaveMode() const { return save_mode_; }
    const std::string& Folder() const;
    const BackHistory& History() const { return history_; }
    int NewFolderCounter() const { return new_folder_counter_; }
    // The accepted path (before Execute's extension rules), once accepted.
    const std::string& AcceptedPath() const { return accepted_; }
    std::vector<std::string> SelectedFiles() const;

    // ---- commands (what the controls do)
    // Lists a folder and records it in the history; the error of a folder
    // that cannot be read propagates and nothing changes.
    void EnterFolder(const std::string& folder);
    void GoBack();
    void GoUp();
    void CreateFolder();
    void Refresh();
    // Save / Enter in the name box.
    void SaveClick();
    void NameBoxEnter();
    // Accepts a path (asking first when it exists and OverwritePromt is on).
    bool Accept(const std::string& path);
    void SetViewStyle(TViewStyle style);
    // Sets the name box from a real name (kept by its bytes).
    void SetName(const std::string& name_utf8);
    // The name the box stands for (UTF-8).
    std::string TypedName() const;
    void DeleteSelected();
    void ShowProperties();

protected:
    void Resized() override;

private:
    void BuildToolBar();
    void BuildFileArea();
    void BuildBottom();
    void LayOutBottom();
    void ListChanged();
    void FolderChanged();
    void OpenItem(int index);
    void TypeChanged();
    void ContextMenuAt(int index, Point screen);
    void ListKeyDown(int& key, TShiftState shift);
    void RaiseFolderChange();
    TskSkinData* ControlSkin() const;

    TskSkinOpenDialog& dialog_;
    bool save_mode_;
    TskSkinForm* frame_ = nullptr;
    TskSkinToolBar* tool_bar_ = nullptr;
    TskSkinStdLabel* look_in_label_ = nullptr;
    TskSkinShellComboBox* look_in_ = nullptr;
    TskSkinSpeedButton* back_ = nullptr;
    TskSkinSpeedButton* up_ = nullptr;
    TskSkinSpeedButton* new_folder_ = nullptr;
    TskSkinMenuSpeedButton* view_ = nullptr;
    TskSkinPopupMenu* view_menu_ = nullptr;
    TskSkinPopupMenu* context_menu_ = nullptr;
    TskSkinPanel* file_panel_ = nullptr;
    TskSkinFileListView* file_list_ = nullptr;
    TskSkinPanel* bottom_ = nullptr;
    TskSkinStdLabel* name_label_ = nullptr;
    TskSkinStdLabel* type_label_ = nullptr;
    TskSkinEdit* name_box_ = nullptr;
    TskSkinFilterComboBox* type_box_ = nullptr;
    TskSkinButton* save_ = nullptr;
    TskSkinButton* cancel_ = nullptr;

    bool places_read_ = false;
    std::string home_;
    std::optional<std::string> desktop_;
    std::vector<std::string> volumes_;
    BackHistory history_;
    int new_folder_counter_ = 0;
    NameBoxText name_;
    std::string accepted_;
};

// ---- TskSkinOpenDialog ------------------------------------------------------------------

class TskSkinOpenDialog : public TComponent {
public:
    explicit TskSkinOpenDialog(TComponent* owner);
    ~TskSkinOpenDialog() override;

    // ---- properties (see the header comment for what is kept)
    std::string Title = "Open file";
    std::string Filter = "All files|*.*";
    int FilterIndex = 1;
    std::string FileName;
    std::string InitialDir;
    std::string DefaultExt;
    bool OverwritePromt = false;
    bool CheckFileExists = true;
    bool MultiSelection = false;
    bool ShowHiddenFiles = false;
    bool ToolButtonsTransparent = false;
    int DialogWidth = 0;
    int DialogHeight = 0;
    int DialogMinWidth = 0;
    int DialogMinHeight = 0;
    // Translucency is kept for the frame; this platform draws opaque.
    bool AlphaBlend = false;
    int AlphaBlendValue = 225;
    bool AlphaBlendAnimation = false;
    bool CtrlAlphaBlend = false;
    int CtrlAlphaBlendValue = 225;
    bool CtrlAlphaBlendAnimation = false;
    std::string LVHeaderSkinDataName = "resizebutton";
    TskSkinData* SkinData() const { return skin_data_; }
    void SetSkinData(TskSkinData* data);
    TskSkinData* CtrlSkinData() const { return ctrl_skin_data_; }
    void SetCtrlSkinData(TskSkinData* data);
    // "Arial", cell height 14.
    TFont& DefaultFont() { return *default_font_; }
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    TNotifyEvent OnFolderChange;

    // The view style kept between runs (the list style at first).
    TViewStyle ViewStyle = TViewStyle::vsList;
    // Where the folders the dialog starts in come from (this process's
    // folders unless a test sets its own).
    std::function<FolderContext()> Context = [] { return FolderContext::System(); };

    // Runs the dialog; true when a file was accepted (FileName holds it).
    bool Execute();
    // The full paths of the files selected in the last accepted run.
    const std::vector<std::string>& Files() const { return files_; }
    // The window while Execute runs, else null.
    TskOpenDlgForm* Form() const { return form_; }
    bool SaveMode() const { return save_mode_; }

protected:
    void Notification(TComponent* component, TOperation operation) override;
    bool save_mode_ = false;

private:
    TskSkinData* skin_data_ = nullptr;
    TskSkinData* ctrl_skin_data_ = nullptr;
    std::unique_ptr<TFont> default_font_;
    std::vector<std::string> files_;
    TskOpenDlgForm* form_ = nullptr;
};

// ---- TskSkinSaveDialog ------------------------------------------------------------------

class TskSkinSaveDialog : public TskSkinOpenDialog {
public:
    explicit TskSkinSaveDialog(TComponent* owner);
};

} // namespace lt
