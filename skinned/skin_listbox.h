#pragma once
// The skinned list box: the framework's list box (rows, selection, caret,
// keys, mouse, native scroll range) as an inner window without a border,
// inside a skinned control that draws the frame, the rows and the list's
// background from a "listbox" skin object, and keeps a skinned vertical
// scroll bar beside the rows while they overflow.
//
// Layout. With the skin, the list area is the skin's client rectangle grown
// with the control (right edge by W - skin width, bottom by H - skin
// height); without it, 2 pixels in from the left, right and bottom and one
// pixel below the caption (1 pixel high when the caption is off), inside a
// one-pixel frame. A shown caption bar takes the top of the area. A shown
// vertical scroll bar takes the right edge of the area at its own width (17
// with the stored skin; plain: 19 wide, 20 pixels from the control's right
// edge); the inner list gets the rest.
//
// Scroll bar. The bar exists only while rows overflow: it is created when
// the native range has min < max, max >= position and fewer whole rows fit
// than there are rows, and freed otherwise. It mirrors the native range
// (min, max, page = whole rows that fit, position = top row) after every row
// operation, every change of selection, caret or scroll position, resize and
// skin change, so callers never synchronise it. Moving its thumb scrolls
// the list so that the bar's position is the top row.
//
// Rows. Row height: the skin's itemrect height with UseSkinItemHeight (the
// export list), else DefaultItemHeight (the results list, and without a
// skin). Every row is drawn with its real state: selected only when it is
// selected; the caret row adds the focus look while the list has the
// keyboard focus (a deselected caret row is never drawn selected). The look
// of a state is SkinListRowLook below.
//
// Appending. A row added below the visible rows repaints no row, only the
// scroll bar; a row inserted or deleted among them repaints from its place
// down; BeginUpdate/EndUpdate on Items() defers everything to one repaint.
// A repaint draws only the visible rows, so the list's length never matters.
//
// Keys and mouse. The framework's extended-selection rules (click, Ctrl+
// click, Shift+click, arrows, Home, End, page keys and their Shift and Ctrl
// forms). Each mouse, key, click, double-click and focus event of the inner
// list is first raised as the matching OnListBox... event with this control
// as the sender. A double-click raises OnListBoxDblClick after the list has
// moved the caret, also on the blank strip below the rows (no row there:
// handlers that act on a row check ItemAtPos themselves). A right click
// opens PopupMenu at the pointer without changing the selection. The wheel
// scrolls three rows per notch, and one row more while the bar is shown.
//
// Type-ahead (AutoComplete). Typed characters within half a second of each
// other form one search text (a double-byte character is joined from its
// two bytes; Backspace removes the last whole character); the first row that
// begins with it, ASCII letters folded, becomes the only selected row and
// the caret, and OnListBoxClick runs. Backspace down to an empty text puts
// the caret on row 0. Typed characters never reach the framework's own
// one-letter search.
//
// Skin changes. ForgetSkin drops the object (the plain look) before the skin
// data reloads; ApplySkin looks it up again, re-reads the row height,
// renames and re-skins the scroll bar, lays out, synchronises and repaints.
//
// Sections: row looks - type-ahead - TskListBox (the inner list) -
// TskSkinCustomListBox - TskSkinListBox.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/controls.h"
#include "forms/font.h"
#include "forms/listbox.h"
#include "gfx/canvas.h"
#include "gfx/geometry.h"
#include "skin/skin_objects.h"
#include "skinned/skin_control.h"

namespace lt {

class TskSkinCustomListBox;
class TskSkinScrollBar;

// ---- row looks ----------------------------------------------------------------

// How one row is drawn from a listbox skin object.
struct ListRowLook {
    // The picture rectangle of the background (empty: nothing drawn).
    Rect image;
    // Composed as a horizontal three-piece at the row's width (skin row
    // height) or as a fully stretched nine-piece at the row's size (fixed
    // row height).
    bool three_piece = false;
    // The three-piece's middle is stretched (else tiled).
    bool stretch = false;
    // A dotted focus rectangle over the whole row.
    bool focus_rect = false;
    Color text_color = 0;
    // Where the text goes, in row coordinates (drawn 2 pixels in).
    Rect text_rect;
};

// The look of a row of `row` size in a state. Fixed row height: focused
// -> focusitemrect, else selected -> activeitemrect, else itemrect, text in
// focusfontcolor / activefontcolor / fontcolor. Skin row height: focused
// and not selected -> itemrect with a focus rectangle; focused and selected
// -> focusitemrect; selected -> activeitemrect; else itemrect, the middle
// stretched with stretcheffect except in the plain state; text in
// focusfontcolor (focused and selected) / activefontcolor (selected) /
// fontcolor. showfocus adds the focus rectangle to any focused row. Empty
// activeitemrect and focusitemrect fall back to itemrect.
ListRowLook SkinListRowLook(
    const TskDataSkinListBox& object, bool skin_row_height, bool selected, bool focused, Size row);

// ---- type-ahead ---------------------------------------------------------------

// The search text of a type-ahead: characters typed less than kPauseMs
// after the previous one extend it, a longer pause starts a new one.
// Double-byte characters arrive as two bytes and are taken whole.
class TypeAheadText {
public:
    static constexpr int kPauseMs = 500;

    // Takes one typed byte at `now_ms`. Returns false while a lead byte
    // waits for its trail byte (nothing to search yet). Backspace (8)
    // removes the last whole character.
    bool Feed(unsigned char byte, std::int64_t now_ms);
    const std::string& Text() const { return text_; }
    // True when the last Feed started a new text after a pause.
    bool Restarted() const { return restarted_; }
    void Reset();

private:
    std::string text_;
    std::int64_t last_ms_ = 0;
    bool any_ = false;
    bool restarted_ = false;
    int lead_ = -1;
};

// The first four bytes of a text with ASCII letters that stand as
// characters of their own folded (the lists' rule), packed into one number
// (first byte lowest, zeros past the end): a list keeps one per row, so a
// search for a prefix reads four bytes a row instead of every row's text.
std::uint32_t RowPrefixKey(std::string_view text);

// The first row in [from, keys.size()) whose text begins with `prefix` by
// the lists' rule; -1 when none. `keys` holds RowPrefixKey of every row;
// `row_text` gives a row's text, read only where the key matches.
int FindRowWithPrefix(const std::vector<std::uint32_t>& keys, const std::function<const std::string&(int)>& row_text,
    int from, const std::string& prefix);

// ---- TskListBox ---------------------------------------------------------------

// The inner list window: the framework's list box without a border, which
// offers its events to its owning skinned list box first and lets it draw
// the rows and the background.
class TskListBox : public TCustomListBox {
public:
    TskListBox(TComponent* owner, TskSkinCustomListBox& box);
    ~TskListBox() override;

    TskSkinCustomListBox* Box() const { return box_; }
    // A full repaint; also synchronises the owner's scroll bar.
    void Invalidate() override;
    LResult WndProc(Message& m) override;
    using TCustomListBox::SelectAlone;

protected:
    friend class TskSkinCustomListBox;
    void CreateParams(lt::CreateParams& params) override;
    void PaintWindow(Canvas& canvas, const Rect& update) override;
    void PaintBackground(Canvas& canvas, const Rect& client_rect) override;
    void DrawItem(Canvas& canvas, int index, const Rect& rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyUp(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void Click() override;
    void DblClick() override;
    void DoEnter() override;
    void DoExit() override;

private:
    // An add, insert or delete: repaints only the rows it moved.
    LResult RowOperation(Message& m);

    TskSkinCustomListBox* box_;
    // Set while a row operation runs: a full repaint asked for meanwhile is
    // only noted, and the operation repaints what it moved.
    bool quiet_ = false;
    bool noted_ = false;
};

// ---- TskSkinCustomListBox -----------------------------------------------------

// A row-drawing override: draws the row's text (after the background) into
// a canvas whose origin is the row's top-left corner; `cell` is the row's
// size and `text_rect` where the text would go.
using TskDrawItemEvent = std::function<void(
    TComponent* sender, Canvas& canvas, int index, Size cell, const Rect& text_rect, TOwnerDrawState state)>;

class TskSkinCustomListBox : public TskSkinCustomControl {
public:
    explicit TskSkinCustomListBox(TComponent* owner);
    ~TskSkinCustomListBox() override;

    // ---- rows (all on the inner list)

    // Count(), Strings(i), Add(s) (returns the index), Insert, Delete (a row
    // that does not exist is ignored), Clear, IndexOf (the lists' lookup
    // rule), BeginUpdate/EndUpdate. Reading a row that does not exist
    // raises "List index out of bounds (%d)"; a refused row "Unable to
    // insert a line".
    TStrings& Items() { return list_->Items(); }
    const TStrings& Items() const { return list_->Items(); }
    int Count() const { return list_->Items().Count(); }
    // Removes every row and synchronises the scroll bar at once.
    void Clear();

    // ---- selection and caret

    bool MultiSelect() const { return list_->MultiSelect(); }
    void SetMultiSelect(bool on) { list_->SetMultiSelect(on); }
    bool ExtendedSelect() const { return list_->ExtendedSelect(); }
    void SetExtendedSelect(bool on) { list_->SetExtendedSelect(on); }
    // The caret row when several rows may be selected, else the selected
    // row; -1 or a row beyond the end when there is none.
    int ItemIndex() const { return list_->ItemIndex(); }
    // Moves the caret (multi-select) or selects the row (single select).
    void SetItemIndex(int index) { list_->SetItemIndex(index); }
    // Raises "List index out of bounds (%d)" for a row that does not exist.
    bool Selected(int index) const { return list_->Selected(index); }
    void SetSelected(int index, bool on) { list_->SetSelected(index, on); }
    int SelCount() const { return list_->SelCount(); }
    void SelectAll() { list_->SelectAll(); }
    void ClearSelection() { list_->ClearSelection(); }
    // Removes every selected row in one pass; see TCustomListBox::DeleteSelected.
    int DeleteSelected() { return list_->DeleteSelected(); }
    int TopIndex() const { return list_->TopIndex(); }
    void SetTopIndex(int index) { list_->SetTopIndex(index); }
    // The row under a point of this control (client coordinates): -1 off
    // the rows (the frame, the bar, the blank strip below the last row; with
    // `existing` off the blank strip gives Count()).
    int ItemAtPos(Point client, bool existing = true) const;
    // The row under the pointer now: what a double-click handler asks to
    // act on the row it was made on.
    int ItemAtCursor() const;

    // ---- rows' look

    int DefaultItemHeight() const { return default_item_height_; }
    void SetDefaultItemHeight(int height);
    bool UseSkinItemHeight() const { return use_skin_item_height_; }
    void SetUseSkinItemHeight(bool on);
    // The row height in use.
    int ItemHeight() const { return list_->ItemHeight(); }
    // Type-ahead search (on at creation).
    bool AutoComplete = true;
    TskDrawItemEvent OnDrawItem;

    // ---- caption bar

    bool CaptionMode() const { return caption_mode_; }
    void SetCaptionMode(bool on);
    // The caption's height when the skin gives no captionrect (20).
    int DefaultCaptionHeight() const { return default_caption_height_; }
    void SetDefaultCaptionHeight(int height);
    // "Arial", height 14 at creation.
    TFont& DefaultCaptionFont() { return *caption_font_; }
    TAlignment Alignment = taLeftJustify;

    // ---- events (sender: this control)

    TNotifyEvent OnListBoxClick;
    TNotifyEvent OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown;
    TMouseMoveEvent OnListBoxMouseMove;
    TMouseEvent OnListBoxMouseUp;
    TKeyEvent OnListBoxKeyDown;
    TKeyPressEvent OnListBoxKeyPress;
    TKeyEvent OnListBoxKeyUp;

    // ---- parts (for owners and tests)

    TskListBox& ListBox() { return *list_; }
    const TskListBox& ListBox() const { return *list_; }
    // The vertical scroll bar while rows overflow, else nullptr.
    TskSkinScrollBar* VScrollBar() const { return vbar_; }
    // The list area (caption bar, rows and scroll bar), client coordinates.
    Rect ListArea() const;
    // The caption bar, empty while CaptionMode is off.
    Rect CaptionRect() const;
    // The listbox object in use, or nullptr while the plain look is drawn.
    const TskDataSkinListBox* ListSkin() const { return object_; }

    // ---- control

    void FetchSkinObject() override;
    void ApplySkin() override;
    void ForgetSkin() override;
    void SetFocus() override;
    void SetEnabled(bool on) override;

protected:
    friend class TskListBox;

    void PaintUnskinned(Bitmap& bitmap) override;
    void Paint() override;
    void Resized() override;
    void DefaultFontChanged() override;
    // Told after the vertical bar was created (a drop-down list hooks it).
    virtual void ScrollBarCreated(TskSkinScrollBar& bar) { }
    // The first row from `from` on that begins with `prefix` (ASCII
    // letters folded), or -1.
    int FindPrefix(const std::string& prefix, int from = 0) const;
    // The type-ahead of one typed byte.
    virtual void TypeAhead(unsigned char byte);

    // Row drawing and the list's background, for the inner list.
    void DrawRow(Canvas& canvas, int index, const Rect& rect, TOwnerDrawState state);
    void PaintListBackground(Canvas& canvas, const Rect& rect);
    void DrawCaption(Canvas& canvas);

    // Lays the inner list and the bar out in the list area.
    void LayOut();
    // Creates, updates or frees the vertical bar from the native range.
    void SyncScrollBar();
    // The loop's time, for the type-ahead.
    std::int64_t NowMs() const;

private:
    // Keep the rows' prefix keys and the type-ahead's resume point in step
    // with the rows.
    void RowInserted(int index, const std::string& text);
    void RowDeleted(int index);
    // The rows marked in marks (one mark per row before the removal) went.
    void RowsDeleted(const std::vector<std::uint8_t>& marks);
    void RowsCleared();
    void ApplyItemHeight();
    void CreateScrollBar();
    void FreeScrollBar();
    int CaptionHeight() const;

    TskListBox* list_ = nullptr;
    TskSkinScrollBar* vbar_ = nullptr;
    const TskDataSkinListBox* object_ = nullptr;
    int default_item_height_ = 20;
    bool use_skin_item_height_ = true;
    bool caption_mode_ = false;
    int default_caption_height_ = 20;
    std::unique_ptr<TFont> caption_font_;
    bool syncing_ = false;
    std::vector<std::uint32_t> keys_;
    TypeAheadText search_;
    // No row before this one begins with the search text.
    int search_from_ = 0;
};

// ---- TskSkinListBox -------------------------------------------------------------

// The list box of the main window's results and export lists.
class TskSkinListBox : public TskSkinCustomListBox {
public:
    explicit TskSkinListBox(TComponent* owner) : TskSkinCustomListBox(owner) { }
};

} // namespace lt
