#pragma once
// The file dialog's file list: the entries of one folder in one of four view
// styles, drawn on a plain window-coloured body with the dialog's icons,
// column headers from a skin button object, and two skinned scroll bars.
//
// Virtual. The list keeps the folder's entries (FolderEntry, the names as
// they are on disk) and nothing per row for drawing: every paint works out
// which entries the view shows from the geometry and draws those alone, so
// a folder of a hundred thousand files paints as fast as one of ten.
//
// Views (FileListGeometry; all positions in pixels, scrolled by whole
// pixels):
//
//   style        cells                               order          scrolls
//   -----------  ----------------------------------  -------------  ----------
//   vsIcon       76 wide, a 32-pixel icon over two   rows, left to  vertically
//                lines of text                       right
//   vsSmallIcon  24 character widths + icon, one     rows           vertically
//                line high
//   vsList       as vsSmallIcon                      columns, top   sideways
//                                                    to bottom
//   vsReport     one row per entry under a header    rows           both
//                of columns
//
// Details columns: "Name" 25 average character widths, "Size" 10 (right
// aligned), "Type" 10, "Modified" 14. Clicking a header sorts by its column
// with folders first; clicking it again reverses the order; dragging a
// header's right edge sizes its column (at least 8 pixels).
//
// Keys (the list has the focus): arrows move the focused entry by the view's
// steps (Left and Right scroll the details view sideways), Home, End and the
// page keys; Shift and Ctrl extend the selection when MultiSelect is on;
// Space selects the focused entry; F2 renames it; other characters type
// ahead (half a second between them starts a new search; one character
// finds the next entry beginning with it, a longer text the first one from
// the focused entry on, wrapping to the top). Enter and a double-click raise
// OnOpenItem. OnKeyDown runs first and may take a key (set it to 0).
//
// Mouse: a left press selects the entry under it (Ctrl toggles, Shift
// extends with MultiSelect) and takes the focus; a press on blank space
// clears the selection; a right press selects the entry under it (keeping a
// selection it belongs to) and releases raise OnContextMenu; the wheel
// scrolls three lines (columns in the list view).
//
// Renaming: EditName opens an edit box over the entry's name; Enter or
// leaving the box renames the entry on disk (RenameEntry) and sorts the list
// again, Escape cancels. A failed rename raises its error after the box has
// closed; the entry keeps its old name. A name the code page cannot hold is
// shown with "?" for what it lacks; an edit that keeps such a "?" is refused,
// as a "?" on disk would lose the real character.
//
// Sections: columns - geometry - TskSkinFileListView.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "forms/controls.h"
#include "gfx/canvas.h"
#include "gfx/geometry.h"
#include "skinned/folder_model.h"
#include "skinned/skin_control.h"
#include "skinned/skin_listbox.h"

namespace lt {

class TskSkinEdit;
class TskSkinScrollBar;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// ---- columns --------------------------------------------------------------------

struct FileListColumn {
    std::string caption; // code page 936
    int width = 0;
    bool right_aligned = false;
    SortColumn sort = SortColumn::Name;
};

// The four default columns for a font's average character width.
std::vector<FileListColumn> DefaultFileColumns(int char_width, const std::string& name, const std::string& size,
    const std::string& type, const std::string& modified);

// ---- geometry ---------------------------------------------------------------------

struct FileListGeometryInput {
    TViewStyle style = TViewStyle::vsList;
    // The area the entries and the header take: the client without the bars.
    Size view;
    int count = 0;
    int line_height = 16;
    int char_width = 7;
    // The details view's header height and its columns' widths.
    int header_height = 20;
    std::vector<int> column_widths;
    Point scroll;
};

class FileListGeometry {
public:
    static constexpr int kIconCellWidth = 76;
    static constexpr int kCellPadding = 2;

    explicit FileListGeometry(FileListGeometryInput in);

    const FileListGeometryInput& Input() const { return in_; }
    // One entry's cell (the details view: a row as wide as the columns).
    Size Cell() const { return cell_; }
    // Where entries are drawn: the view less the header.
    Rect Body() const;
    // The details view's header (empty in the other views).
    Rect Header() const;
    // Everything the entries take, unscrolled (the scroll range).
    Size Content() const;
    // Entries per row (icon views) or rows per column (list view), at least 1.
    int PerLine() const { return per_line_; }

    // In view coordinates, scrolled: an entry's cell, its icon and its text.
    Rect ItemRect(int index) const;
    Rect IconRect(int index) const;
    Rect LabelRect(int index) const;
    // The entry whose cell holds a point of the body, or -1.
    int ItemAt(Point p) const;
    // The entries that may show: [first, last).
    std::pair<int, int> Visible() const;
    // The details header: the column at a point and whether the point is on
    // its right edge (within 3 pixels), -1 off the columns.
    int ColumnAt(Point p, bool* on_edge = nullptr) const;
    // The column's rectangle in the header, scrolled.
    Rect ColumnRect(int column) const;

    // Where a key moves the focus from `index` (VK_* code); the same index
    // when it goes nowhere.
    int Step(int index, int vk) const;
    // The scroll clamped to the content.
    Point Clamp(Point scroll) const;
    // The least scroll from the current one that shows the whole cell.
    Point ScrollToShow(int index) const;

private:
    FileListGeometryInput in_;
    Size cell_;
    int per_line_ = 1;
};

// ---- TskSkinFileListView ------------------------------------------------------------

using TFileItemEvent = std::function<void(TComponent* sender, int index)>;
using TFileContextEvent = std::function<void(TComponent* sender, int index, Point screen)>;

class TskSkinFileListView : public TskSkinCustomControl {
public:
    explicit TskSkinFileListView(TComponent* owner);
    ~TskSkinFileListView() override;

    // ---- the folder and its entries

    const std::string& Folder() const { return folder_; }
    // Lists a folder (with the wait cursor), sorted by the current column;
    // the first entry gets the focus mark. A folder that cannot be read
    // raises EInOutError and leaves the list as it was. OnFolderChange.
    void SetFolder(const std::string& folder);
    // The mask files must pass (code page 936); lists again.
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);
    bool ShowHidden() const { return show_hidden_; }
    void SetShowHidden(bool on);
    // Lists the folder again, keeping the focused and selected entries by
    // name where they still exist.
    void Refresh();

    int Count() const { return static_cast<int>(entries_.size()); }
    // An entry with its size and time (read when first asked for: a big
    // folder is listed without looking at every file).
    const FolderEntry& Entry(int index) const;
    // The entries in order; their size and time may not be read yet.
    const std::vector<FolderEntry>& Entries() const { return entries_; }
    std::string EntryPath(int index) const { return JoinPath(folder_, Entry(index).name); }
    int IndexOfName(const std::string& name) const;

    // ---- view

    TViewStyle ViewStyle() const { return style_; }
    void SetViewStyle(TViewStyle style);
    const std::vector<FileListColumn>& Columns() const { return columns_; }
    // The column captions (code page 936), default "Name", "Size", "Type",
    // "Modified"; the widths follow DefaultFont.
    void SetColumnCaptions(
        const std::string& name, const std::string& size, const std::string& type, const std::string& modified);
    void SetColumnWidth(int column, int width);
    // Sorts by a column; the column sorted by already is reversed.
    void ClickColumn(int column);
    SortColumn SortedBy() const { return sort_; }
    bool SortDescending() const { return descending_; }
    // The skin button object of the column headers ("resizebutton").
    std::string HeaderSkinDataName = "resizebutton";

    // ---- selection and focus

    bool MultiSelect = false;
    int ItemFocused() const { return focused_; }
    // Moves the focus mark (no selection change) and scrolls it into view.
    void SetItemFocused(int index);
    bool IsSelected(int index) const;
    int SelCount() const { return sel_count_; }
    // The first selected entry, or -1.
    int Selected() const;
    std::vector<int> SelectedIndices() const;
    // Selects only this entry and gives it the focus mark (-1: none).
    void SelectOnly(int index);
    void ClearSelection();

    // ---- renaming

    // Opens the edit box over the entry's name (scrolled into view).
    void EditName(int index);
    bool Editing() const { return editing_ >= 0; }
    TskSkinEdit* Editor() const { return editor_; }
    // Ends an open edit: renames (accept) or drops the text.
    void EndEdit(bool accept);

    // ---- scrolling and parts

    Point ScrollPos() const { return scroll_; }
    void ScrollTo(Point scroll);
    FileListGeometry Geometry() const;
    TskSkinScrollBar* HScrollBar() const { return hbar_; }
    TskSkinScrollBar* VScrollBar() const { return vbar_; }
    // The font's line height and average character width.
    int LineHeight() const;
    int CharWidth() const;

    // ---- events

    // An entry's state changed: the selection, the focus mark, a name.
    TNotifyEvent OnChange;
    // The listed folder changed or was listed again.
    TNotifyEvent OnFolderChange;
    // Enter on the focused entry or a double-click on one.
    TFileItemEvent OnOpenItem;
    // A right click: the entry under it (-1 on blank space) and where.
    TFileContextEvent OnContextMenu;

    // ---- control

    void SetSkinData(TskSkinData* data) override;
    void ApplySkin() override;
    void ForgetSkin() override;
    void SetEnabled(bool on) override;

protected:
    LResult WndProc(Message& m) override;
    void PaintSkinned(Bitmap& bitmap) override;
    void PaintUnskinned(Bitmap& bitmap) override;
    void Resized() override;
    void DefaultFontChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void DblClick() override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    LResult DialogCode() const override;

private:
    // Reads the folder into a new entry list, sorted.
    std::vector<FolderEntry> Read(const std::string& folder) const;
    void Replace(std::vector<FolderEntry> entries, const std::string& focus_name,
        const std::vector<std::string>& selected_names);
    void Sort();
    // The bars follow the geometry; the scroll is clamped.
    void LayOut();
    void SyncBars();
    void Changed();
    void FocusAndSelect(int index, TShiftState shift, bool by_mouse);
    void TypeAhead(unsigned char byte);
    int HeaderHeight() const;
    // The header's skin button object, or nullptr.
    const TskDataSkinButtonControl* HeaderObject() const;

    void Draw(Bitmap& bitmap);
    void DrawEntry(Canvas& canvas, const FileListGeometry& g, int index);
    void DrawHeader(Canvas& canvas, const FileListGeometry& g);

    std::string folder_;
    std::string mask_ = "*.*";
    bool show_hidden_ = false;
    // Mutable: Entry fills in details on demand.
    mutable std::vector<FolderEntry> entries_;
    std::vector<std::uint8_t> selected_;
    int sel_count_ = 0;
    int focused_ = -1;
    int anchor_ = -1;

    TViewStyle style_ = TViewStyle::vsList;
    std::vector<FileListColumn> columns_;
    bool custom_widths_ = false;
    SortColumn sort_ = SortColumn::Name;
    bool descending_ = false;
    Point scroll_;

    TskSkinScrollBar* hbar_ = nullptr;
    TskSkinScrollBar* vbar_ = nullptr;
    bool syncing_ = false;

    // The header under the pointer, pressed, and a column being sized.
    int header_hot_ = -1;
    int header_pressed_ = -1;
    int sizing_column_ = -1;
    int sizing_origin_ = 0;
    // A right press waits for its release to open the context menu.
    bool right_pressed_ = false;

    TskSkinEdit* editor_ = nullptr;
    int editing_ = -1;
    std::string editing_name_;
    // False when the code page could not hold the edited name: its shown
    // text has "?" in place of the characters it lacks.
    bool editing_lossless_ = true;
    TypeAheadText search_;
};

} // namespace lt
