#pragma once
// The platform list box as a control: owner-draw rows of a fixed height over
// ListBoxModel, driven by the classic LB_* messages (so a control that takes
// the window over sees and can answer every row operation), with the
// keyboard and mouse of the platform's list box and a native vertical scroll
// range that a skinned scroll bar mirrors.
//
// Row text travels as std::string (code page 936) through pointers in the
// message parameters; each message's comment says which.
//
// Sections: messages - TListBoxStrings - TCustomListBox.

#include "forms/controls.h"
#include "forms/listbox_model.h"
#include "forms/strings.h"

namespace lt {

// ---- messages ----

// lparam: const std::string*. Returns the new row's index, or LB_ERRSPACE.
inline constexpr std::uint32_t LB_ADDSTRING = 0x0180;
// wparam: index (-1 appends); lparam: const std::string*. Returns the index,
// LB_ERR for an index beyond the end, or LB_ERRSPACE.
inline constexpr std::uint32_t LB_INSERTSTRING = 0x0181;
// wparam: index. Returns the rows left, or LB_ERR.
inline constexpr std::uint32_t LB_DELETESTRING = 0x0182;
inline constexpr std::uint32_t LB_RESETCONTENT = 0x0184;
// Removes every selected row in one pass (the rows left keep their order;
// none is selected afterwards). Returns the number removed.
inline constexpr std::uint32_t LB_DELETESELECTED = 0x01B0;
// wparam: 1 select, 0 deselect; lparam: index, -1 for every row.
inline constexpr std::uint32_t LB_SETSEL = 0x0185;
inline constexpr std::uint32_t LB_SETCURSEL = 0x0186;
// wparam: index. Returns 1 or 0, or LB_ERR.
inline constexpr std::uint32_t LB_GETSEL = 0x0187;
inline constexpr std::uint32_t LB_GETCURSEL = 0x0188;
// wparam: index; lparam: std::string* receiving the text. Returns its length or LB_ERR.
inline constexpr std::uint32_t LB_GETTEXT = 0x0189;
inline constexpr std::uint32_t LB_GETTEXTLEN = 0x018A;
inline constexpr std::uint32_t LB_GETCOUNT = 0x018B;
inline constexpr std::uint32_t LB_GETTOPINDEX = 0x018E;
inline constexpr std::uint32_t LB_GETSELCOUNT = 0x0190;
inline constexpr std::uint32_t LB_SETTOPINDEX = 0x0197;
// wparam: index; lparam: Rect* receiving the row's client rectangle
// (rect_param, message_rect).
inline constexpr std::uint32_t LB_GETITEMRECT = 0x0198;
// wparam: index. Answers the row's object (result_object).
inline constexpr std::uint32_t LB_GETITEMDATA = 0x0199;
// wparam: index; lparam: the row's object (object_param, message_object).
inline constexpr std::uint32_t LB_SETITEMDATA = 0x019A;
inline constexpr std::uint32_t LB_SETCARETINDEX = 0x019E;
inline constexpr std::uint32_t LB_GETCARETINDEX = 0x019F;
inline constexpr std::uint32_t LB_SETITEMHEIGHT = 0x01A0;
inline constexpr std::uint32_t LB_GETITEMHEIGHT = 0x01A1;
// wparam: -1; lparam: const std::string*. The first row equal under the
// lookup rule, or LB_ERR.
inline constexpr std::uint32_t LB_FINDSTRINGEXACT = 0x01A2;
// lparam: client point. Low word: the row (count() below the last row),
// high word: 1 when the point lies on no row.
inline constexpr std::uint32_t LB_ITEMFROMPOINT = 0x01A9;
inline constexpr LResult LB_ERR = -1;
inline constexpr LResult LB_ERRSPACE = -2;

inline constexpr std::array kListBoxMessages = {LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
    LB_SETSEL, LB_SETCURSEL, LB_GETSEL, LB_GETCURSEL, LB_GETTEXT, LB_GETTEXTLEN, LB_GETCOUNT, LB_GETTOPINDEX,
    LB_GETSELCOUNT, LB_SETTOPINDEX, LB_GETITEMRECT, LB_GETITEMDATA, LB_SETITEMDATA, LB_SETCARETINDEX, LB_GETCARETINDEX,
    LB_SETITEMHEIGHT, LB_GETITEMHEIGHT, LB_FINDSTRINGEXACT, LB_ITEMFROMPOINT, LB_DELETESELECTED};
static_assert(message_numbers_distinct(kWindowMessages, kControlMessages, kListBoxMessages),
    "a list box message reuses a number");

// A row's object travels as a pointer.
inline LParam object_param(void* object)
{
    return reinterpret_cast<LParam>(object);
}
inline void* message_object(const Message& m)
{
    return reinterpret_cast<void*>(m.lparam);
}
inline LResult object_result(void* object)
{
    return reinterpret_cast<LResult>(object);
}
inline void* result_object(LResult r)
{
    return reinterpret_cast<void*>(r);
}

// The answer to LB_ITEMFROMPOINT: the row (low word) and whether the point
// lies on no row (high word).
constexpr LResult item_from_point_result(int row, bool outside)
{
    return static_cast<LResult>((static_cast<unsigned>(row) & 0xFFFFu) | ((outside ? 1u : 0u) << 16));
}
constexpr int item_from_point_row(LResult r)
{
    return static_cast<int>(lo_word(static_cast<std::uintptr_t>(r)));
}
constexpr bool item_from_point_outside(LResult r)
{
    return hi_word(static_cast<std::uintptr_t>(r)) != 0;
}

// Scroll requests (WM_VSCROLL; scroll_param, message_scroll_request).
inline constexpr unsigned SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4,
                          SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7;

using TOwnerDrawState = unsigned;
inline constexpr TOwnerDrawState odSelected = 0x1, odDisabled = 0x4, odFocused = 0x10;

class TCustomListBox;
using TDrawItemEvent =
    std::function<void(TCustomListBox* control, Canvas& canvas, int index, const Rect& rect, TOwnerDrawState state)>;

// ---- TListBoxStrings ----

// The rows of a list box as a TStrings: every operation is an LB_* message.
// Reading or testing a row that does not exist raises "List index out of
// bounds (%d)"; a refused row raises "Unable to insert a line"; deleting a
// row that does not exist does nothing.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox& box) : box_(box) { }
    int Count() const override;
    std::string Strings(int index) const override;
    void* Objects(int index) const override;
    void SetObjects(int index, void* object) override;
    int Add(const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(const std::string& s) const override;

protected:
    void SetUpdateState(bool updating) override;

private:
    TCustomListBox& box_;
};

// ---- TCustomListBox ----

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }

    bool MultiSelect() const { return multi_select_; }
    void SetMultiSelect(bool on);
    bool ExtendedSelect() const { return extended_select_; }
    void SetExtendedSelect(bool on);

    // The caret row when several rows may be selected, else the selected row.
    int ItemIndex();
    void SetItemIndex(int index);
    // Raises "List index out of bounds (%d)" for a row that does not exist.
    bool Selected(int index);
    void SetSelected(int index, bool on);
    int SelCount();
    void SelectAll();
    void ClearSelection();
    int TopIndex();
    void SetTopIndex(int index);
    int ItemHeight();
    void SetItemHeight(int height);
    // The row under a client point; below the last row -1 when existing is
    // set, else the row count.
    int ItemAtPos(Point client, bool existing);
    Rect ItemRect(int index);
    // The native vertical scroll range: min, max, page (whole rows) and position.
    ListScrollRange ScrollRange() const { return model_.scroll_range(); }
    // Removes every row.
    virtual void Clear();
    // Removes every selected row at once; the caret, anchor and top row end
    // as deleting them one by one would leave them. Returns the number removed.
    int DeleteSelected();

    TDrawItemEvent OnDrawItem;

    const ListBoxModel& Model() const { return model_; }

    LResult WndProc(Message& m) override;

protected:
    void CreateParams(lt::CreateParams& params) override;
    void PaintWindow(Canvas& canvas, const Rect& update) override;
    // Draws one row: OnDrawItem when assigned (after the background), else
    // the plain look.
    virtual void DrawItem(Canvas& canvas, int index, const Rect& rect, TOwnerDrawState state);
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void Resized() override;
    // Selects `row` alone and makes it the caret and the anchor, as a plain
    // click does, without raising OnClick (a type-ahead search finding a row).
    void SelectAlone(int row) { model_.select_alone(row); }
    LResult DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

private:
    LResult list_message(Message& m, bool& handled);
    void mouse_press(Message& m);
    void mouse_drag(Point p);
    void apply_mode();
    void scroll(unsigned code, int pos);

    ListBoxModel model_;
    TListBoxStrings items_;
    bool multi_select_ = false;
    bool extended_select_ = true;
    bool selecting_ = false;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};

} // namespace lt
