#pragma once
// The platform list box's model: rows, selection, caret, anchor and scrolling
// of an owner-draw list with fixed-height rows, without any drawing.
//
// Selection modes:
//   single    - at most one selected row; the caret is that row.
//   multiple  - a click or Space toggles a row; keys move the caret only.
//   extended  - click, Ctrl+click, Shift+click and the keys below.
//
// Extended selection (anchor A, caret C; "range" = rows between A and the
// target, both included):
//   click row r              only r selected; A = C = r
//   Ctrl+click r             r toggled; A = C = r
//   Shift+click r            only the range A..r selected; C = r
//   Ctrl+Shift+click r       the range A..r takes A's state, others kept; C = r
//   drag to r (button held)  as Shift+click (with Ctrl as Ctrl+Shift+click)
//   arrow/Home/End/page key  only the target selected; A = C = target
//   Shift+key                only the range A..target selected; C = target
//   Ctrl+key                 caret moves, selection kept
//   Ctrl+Shift+key           the range A..target selected, others kept
//   Space                    only C selected; A = C
//   Ctrl+Space               C toggled; A = C
//   Shift+Space              only the range A..C selected
// Clicks below the last row change nothing. Every key or click that moves the
// caret scrolls it into view.
//
// Rows carry their selected state with them when rows above them are inserted
// or deleted; the caret and anchor follow their row as well. Deleting the caret
// row leaves the caret at the same index, which may then be past the end.
//
// Sections: rows - selection - caret and keys - scrolling and geometry.

#include "platform/messages.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lt {

// The row storage behind the list: ordered strings with the lists' lookup
// rule (first row equal under the ASCII case fold).
class ListRowStore {
public:
    virtual ~ListRowStore() = default;
    virtual int size() const = 0;
    virtual const std::string& at(int index) const = 0;
    virtual void insert(int index, std::string text) = 0;
    virtual void assign(int index, std::string text) = 0;
    virtual void erase(int index) = 0;
    // Removes every row whose mark is non-zero (one mark per row), keeping
    // the order of the rest. This default removes them one by one; a store
    // that can compact in one pass does so.
    virtual void erase_marked(const std::vector<uint8_t>& marks);
    virtual void clear() = 0;
    virtual int find(const std::string& text) const = 0;
};

// The default store.
std::unique_ptr<ListRowStore> MakeListRowStore();

enum class ListSelectMode { Single, Multiple, Extended };

struct ListScrollRange {
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
    friend bool operator==(const ListScrollRange&, const ListScrollRange&) = default;
};

class ListBoxModel {
public:
    explicit ListBoxModel(std::unique_ptr<ListRowStore> store = MakeListRowStore());

    // Told after any change of rows, selection, caret or scroll position.
    std::function<void()> OnChanged;

    // ---- rows ----
    int count() const { return store_->size(); }
    // Raises "List index out of bounds (%d)" for a row that does not exist.
    const std::string& text(int index) const;
    void set_text(int index, const std::string& text);
    void* data(int index) const;
    void set_data(int index, void* data);
    // Appends a row and returns its index; a refusal raises "Unable to insert a line".
    int add(const std::string& text);
    // Inserts at 0..count; any other index, or a refusal, raises "Unable to insert a line".
    void insert(int index, const std::string& text);
    // Removes a row; a row that does not exist is ignored.
    void erase(int index);
    // Removes every selected row in one pass, with one change notice (none
    // when no row is selected), and returns the number removed. Rows,
    // caret, anchor and top row end as erasing the rows one by one would
    // leave them.
    int erase_selected();
    void clear();
    // Index of the first row equal to text under the lookup rule, or -1.
    int find(const std::string& text) const { return store_->find(text); }

    // ---- selection ----
    ListSelectMode mode() const { return mode_; }
    void set_mode(ListSelectMode mode);
    // Raises "List index out of bounds (%d)" for a row that does not exist.
    bool selected(int index) const;
    void set_selected(int index, bool on);
    int selected_count() const;
    // One mark per row, non-zero for a selected row.
    const std::vector<uint8_t>& selection() const { return sel_; }
    void select_all(bool on);

    // ---- caret and keys ----
    // The caret row: -1 in a list that never had rows, possibly past the end
    // after deletions.
    int caret() const { return caret_; }
    int anchor() const { return anchor_; }
    // The framework's ItemIndex: the caret row when several rows may be
    // selected, else the selected row (-1 when none).
    int item_index() const;
    // Moves the caret (several rows) or selects the row (single, -1 clears).
    // Rows that do not exist are ignored in the multi-select modes.
    void set_item_index(int index);

    void click(int row, bool shift, bool ctrl);
    // Selects `row` alone and puts the caret and the anchor on it, as a plain
    // click does in the extended mode, in every mode; a row that does not
    // exist is ignored.
    void select_alone(int row);
    void drag_to(int row, bool ctrl);
    // Returns whether the key was one of the list's.
    bool key(int vk, bool shift, bool ctrl);

    // ---- scrolling and geometry ----
    int item_height() const { return item_height_; }
    void set_item_height(int h);
    int client_height() const { return client_height_; }
    void set_client_height(int h);
    // Whole rows that fit (at least 1).
    int visible_rows() const;
    int top_index() const { return top_; }
    void set_top_index(int top);
    // The native vertical range: 0..count-1 with the whole-rows page and the top row.
    ListScrollRange scroll_range() const;
    // The row under y (client coordinates). Below the last row: -1 when
    // existing is set, else count(). Above the client area: -1.
    int row_at(int y, bool existing = true) const;
    // Rows drawn by a full repaint: top through the first partly visible row,
    // stopping at the last row; last < first when none.
    int first_painted() const { return top_; }
    int last_painted() const;

private:
    void check(int index) const;
    void changed();
    void set_sel(int index, bool on);
    void select_only(int index);
    void select_range(int from, int to, bool on, bool keep_others);
    void move_caret(int to);
    void ensure_visible(int row);
    int clamp_top(int top) const;
    int key_target(int vk) const;

    std::unique_ptr<ListRowStore> store_;
    std::vector<void*> data_;
    std::vector<uint8_t> sel_;
    int sel_count_ = 0;
    ListSelectMode mode_ = ListSelectMode::Single;
    int caret_ = -1;
    int anchor_ = -1;
    int item_height_ = 16;
    int client_height_ = 0;
    int top_ = 0;
};

} // namespace lt
