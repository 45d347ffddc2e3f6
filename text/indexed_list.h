#pragma once
// An ordered, unsorted list of code page 936 phrases with zero-based rows, as
// the two list boxes hold them, plus the lookup rule both lists share: the
// first row whose whole text equals the phrase when ASCII letters that stand
// as characters of their own are folded to one case. Every other byte must be
// equal, the second byte of a double-byte character included (so 網頁 and
// 緒頁 stay two phrases); nothing is trimmed.
//
// A hash index of rows by folded text keeps the lookup at O(1) expected time
// however long the list grows. Rows with the same folded text are chained in
// row order and only the chain's head is in the index, so the head is the
// answer. The folded text itself is never stored: rows are hashed and
// compared by the folding rule directly.

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lt {

// A row index outside the list: "List index out of bounds (%d)".
class ListError : public std::runtime_error {
public:
    explicit ListError(int index);
};

class IndexedList {
public:
    enum class Change { Inserted, Deleted, Changed, Cleared, DeletedMany };
    // Told after every change, with the row concerned (-1 for Cleared; the
    // first row removed for DeletedMany), so a list control can keep its
    // per-row state in step and repaint.
    using ChangeHandler = std::function<void(Change change, int index)>;

    IndexedList();
    ~IndexedList();
    IndexedList(const IndexedList&) = delete;
    IndexedList& operator=(const IndexedList&) = delete;

    int count() const { return static_cast<int>(rows_.size()); }
    const std::string& text(int index) const;
    std::vector<std::string> texts() const;

    // Adds a row at the end; returns its index.
    int append(std::string text);
    // Inserts a row before row index (count() appends).
    void insert(int index, std::string text);
    void remove(int index);
    // Removes every row whose mark is non-zero (marks holds one per row) in
    // one pass: the rows left keep their order and one DeletedMany is told,
    // none when no row is marked. Returns the number of rows removed. Costs
    // O(count) however many rows go, where removing them one by one would
    // move every later row each time.
    int remove_marked(const std::vector<uint8_t>& marks);
    void clear();
    void set_text(int index, std::string text);

    // Index of the first row matching phrase by the lookup rule, -1 if none.
    int lookup(std::string_view phrase) const;

    void set_on_change(ChangeHandler handler) { on_change_ = std::move(handler); }

private:
    struct Row {
        std::string text;
        int32_t index;
        size_t hash;    // of the folded text
        Row* next_same; // next row with the same folded text, in row order
    };

    void check(int index, int limit) const;
    Row* new_row(std::string text);
    void link(Row* row);
    void unlink(Row* row);
    void renumber_from(int index);
    void changed(Change change, int index);

    // The index: an open-addressing hash table (linear probing) of chain
    // heads. slot_of returns the slot holding the head for text, or the
    // empty slot where it would go.
    size_t slot_of(std::string_view text, size_t hash) const;
    void index_put(Row* head);
    void index_erase(size_t slot);

    std::vector<Row*> rows_;
    std::deque<Row> pool_;    // row storage; addresses stay put
    std::vector<Row*> free_;  // pool rows of removed rows, for reuse
    std::vector<Row*> slots_; // capacity a power of two, or empty
    size_t heads_ = 0;
    ChangeHandler on_change_;
};

} // namespace lt
