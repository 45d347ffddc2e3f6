#pragma once
// The skinned drop-down list (the fixed style, without an edit field): a
// closed box drawn from a "combobox" skin object that shows the current
// row's text and a button, and a hidden popup list (a skinned list box in a
// popup window that never takes activation or the focus) holding the rows
// and the current row.
//
// Opening: a left press on the box, or Alt+Down / Alt+Right; nothing opens
// without rows. The list is ListBoxWidth wide (0: the box's width) and
// min(rows, DropDownCount) rows high, below the box, or above it when it
// would cross the bottom of the work area; its current row is scrolled to
// the top.
//
// While open the box holds the mouse capture, so it sees every move and
// click wherever they happen:
//
//   event                          where                effect
//   -----------------------------  -------------------  --------------------------
//   move                           over the rows        the row under it is current
//   move, button held, after       above / below the    auto-scroll: the current row
//   having been over the rows      list (with its bar)  moves one row every 25 ms
//   left release                   over the rows        close, accepting the row
//   left release after dragging    elsewhere            close without change
//   through the rows
//   left press                     the box              close without change
//   left press                     the list's bar       the bar takes it (and the
//                                                       capture comes back after)
//   right or middle press          the rows             ignored
//   any press                      anywhere else        close without change
//
// Closing accepts (Enter, a release over the rows: the box's text becomes
// the row's, OnClick, then OnCloseUp) or cancels (Escape, Alt+Up, Alt+Left,
// a click elsewhere, losing the focus or the capture, cancel-mode: the row
// that was current at opening comes back, without OnClick).
//
// Keys: Up/Left and Down/Right select the previous and next row, Page Up
// moves DropDownCount + 1 rows up and Page Down DropDownCount - 1 rows down
// (each stopping at the ends, each through ItemIndex, so OnClick runs at
// once, open or closed). The wheel selects the next row (towards the user)
// or the previous one: through ItemIndex while closed, only in the list
// while open. Type-ahead: characters within half a second of each other
// form a search text; one character finds the next row after the current
// one that begins with it (so a repeated letter cycles), a longer text the
// first such row; a found row is selected through ItemIndex.
//
// Sections: areas and looks - TskPopupListBox - TskSkinComboBox.

#include <cstdint>
#include <memory>
#include <string>

#include "forms/controls.h"
#include "gfx/geometry.h"
#include "skin/skin_objects.h"
#include "skinned/skin_control.h"
#include "skinned/skin_listbox.h"

namespace lt {

class TskSkinComboBox;

// ---- areas and looks ------------------------------------------------------------

// Where a closed box of `size` shows its row and its button.
struct ComboBoxAreas {
    Rect item;
    Rect button;
    friend bool operator==(const ComboBoxAreas&, const ComboBoxAreas&) = default;
};

// Skinned (`object` not null): the item area is clientrect with its right
// edge moved by (width - skin width); the button is buttonrect, moved right
// by the same amount when it starts in the right end piece (at or right of
// skin width - righttoppoint.x). Plain: the button is 17 pixels wide, 2
// pixels in from the right, top and bottom; the item area runs from 2
// pixels in to the button.
ComboBoxAreas ComboAreas(const TskDataSkinComboBox* object, Size size);

// The picture of the button in a state, or empty when the frame's own
// button shows: unenabledbuttonrect while disabled (when set), downbuttonrect
// while pressed with the pointer over the button, activebuttonrect while the
// pointer is over it.
Rect ComboButtonImage(const TskDataSkinComboBox& object, bool enabled, bool pressed, bool over_button);

// ---- TskPopupListBox ----------------------------------------------------------

// The drop-down: a skinned list box with single selection in a popup window
// owned by the box's form.
class TskPopupListBox : public TskSkinCustomListBox {
public:
    explicit TskPopupListBox(TskSkinComboBox& combo);
    ~TskPopupListBox() override;

    // The height that shows `rows` rows in the list area.
    int HeightForRows(int rows) const;

protected:
    friend class TskSkinComboBox;
    bool IsTopLevelControl() const override { return true; }
    void CreateParams(lt::CreateParams& params) override;
    LResult WndProc(Message& m) override;
    void ScrollBarCreated(TskSkinScrollBar& bar) override;

private:
    TskSkinComboBox* combo_;
};

// ---- TskSkinComboBox ------------------------------------------------------------

class TskSkinComboBox : public TskSkinCustomControl {
public:
    explicit TskSkinComboBox(TComponent* owner);
    ~TskSkinComboBox() override;

    // ---- rows and the current row (the popup list's)

    TStrings& Items() { return popup_->Items(); }
    const TStrings& Items() const { return popup_->Items(); }
    int Count() const { return popup_->Count(); }
    int ItemIndex() const { return popup_->ItemIndex(); }
    // Makes the row current; when it exists the box's text becomes its text
    // (OnChange when that differs); repaints; then OnClick.
    void SetItemIndex(int index);
    // The shown text (code page 936).
    const std::string& Text() const { return text_; }

    // ---- settings

    int DropDownCount() const { return drop_down_count_; }
    // Values of 0 or less are ignored.
    void SetDropDownCount(int count);
    // The list's width; 0: the box's.
    int ListBoxWidth = 0;
    bool AutoComplete = true;
    // On: the box takes the skin's height.
    bool UseSkinSize() const { return use_skin_size_; }
    void SetUseSkinSize(bool on);
    // The plain look's fill (the window colour at creation).
    Color DefaultColor = clWindow;
    // The drop-down, for its settings (UseSkinItemHeight, DefaultItemHeight,
    // UseSkinFont, DefaultFont, CaptionMode, ...).
    TskPopupListBox& ListBox() { return *popup_; }
    const TskPopupListBox& ListBox() const { return *popup_; }

    // ---- events

    // The shown text changed.
    TNotifyEvent OnChange;
    // OnClick (inherited): the current row was set.
    TNotifyEvent OnDropDown;
    // After a close that accepted.
    TNotifyEvent OnCloseUp;
    // Draws the shown row of the closed box instead of its text (the canvas
    // origin at the item area's top-left; `cell` the item area's size).
    TskDrawItemEvent OnComboBoxDrawItem;
    // Draws the rows of the drop-down (the list's OnDrawItem).
    void SetOnListBoxDrawItem(TskDrawItemEvent handler) { popup_->OnDrawItem = std::move(handler); }

    // ---- opening and closing

    bool DroppedDown() const { return open_; }
    void DropDown();
    // Closes the list: accepting takes its current row, cancelling brings
    // back the row that was current at opening.
    void CloseUp(bool accept);

    // ---- state (for painting and tests)

    ComboBoxAreas Areas() const;
    bool Hot() const { return hot_; }
    bool ButtonHot() const { return button_hot_; }
    bool Pressed() const { return pressed_; }
    // The auto-scroll direction (-1 up, 1 down, 0 none).
    int AutoScroll() const { return auto_scroll_; }
    const TskDataSkinComboBox* ComboSkin() const { return object_; }

    // ---- control

    void FetchSkinObject() override;
    void ApplySkin() override;
    void ForgetSkin() override;
    void FitSizeToSkin(int& width, int& height) override;
    void SetEnabled(bool on) override;
    void SetVisible(bool on) override;

    static constexpr std::uintptr_t kAutoScrollTimer = 1;
    static constexpr int kAutoScrollMs = 25;

protected:
    friend class TskPopupListBox;

    LResult WndProc(Message& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    // The box raises OnClick itself, when the current row is set; a press
    // and release on it is no click.
    void Click() override { }
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    LResult DialogCode() const override;
    void PaintUnskinned(Bitmap& bitmap) override;
    void PaintSkinned(Bitmap& bitmap) override;

    // The list's scroll bar let go of the mouse: the box takes it back.
    void ScrollBarReleased();

private:
    // The text shown: the current row's (while open, the row current at
    // opening).
    std::string ShownText() const;
    // Sets the text; raises OnChange when it changed. False when a handler
    // destroyed the box.
    bool ChangeText(const std::string& text);
    // The list's row under a screen point, -1 off the rows.
    int ListRowAt(Point screen) const;
    bool OverList(Point screen) const;
    bool OverListBar(Point screen) const;
    // Makes `row` the list's current row without events.
    void TrackRow(int row);
    void SetAutoScroll(int direction);
    void AutoScrollTick();
    void SetHot(bool hot, bool over_button);
    void TakeCapture();
    void DrawShownRow(Canvas& canvas, const Rect& item, const Rect& text_rect, Color color);

    TskPopupListBox* popup_ = nullptr;
    const TskDataSkinComboBox* object_ = nullptr;
    std::string text_;
    int drop_down_count_ = 8;
    bool use_skin_size_ = true;
    bool open_ = false;
    int opened_row_ = -1;
    // The left button went down on the box or the rows and is still held.
    bool tracking_ = false;
    // The pointer has been over the rows since the button went down.
    bool entered_ = false;
    bool pressed_ = false;
    bool hot_ = false;
    bool button_hot_ = false;
    int auto_scroll_ = 0;
    // The capture is being handed to the list's scroll bar.
    bool handing_over_ = false;
    // Enter or Escape closed the list: its character is not the form's.
    bool eat_char_ = false;
    TypeAheadText search_;
};

} // namespace lt
