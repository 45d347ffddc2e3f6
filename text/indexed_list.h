#pragma once
// An ordered, unsorted list of code page 936 phrases with zero-based rows, as
// the two list boxes hold them, plus the lookup rule both lists share: the
// first row whose whole text equals the phrase when ASCII letters that stand
// as characters of their own are folded to one case. Every other byte must be
// equal, the second byte of a double-byte character included (so 網頁 and
// 緒頁 stay two phrases); nothing is trimmed.
//
// A hash index from folded text to the rows that carry it keeps the lookup
// at O(1) expected time however long the list grows. Rows with the same
// folded text are chained in row order, so the chain's head is the answer.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lt {

// A row index outside the list: "List index out of bounds (%d)".
class ListError : public std::runtime_error {
public:
    explicit ListError(int index);
};

class IndexedList {
public:
    enum class Change { Inserted, Deleted, Changed, Cleared };
    // Told after every change, with the row concerned (-1 for Cleared), so a
    // list control can keep its per-row state in step and repaint.
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
    void clear();
    void set_text(int index, std::string text);

    // Index of the first row matching phrase by the lookup rule, -1 if none.
    int lookup(std::string_view phrase) const;

    void set_on_change(ChangeHandler handler) { on_change_ = std::move(handler); }

private:
    struct Row {
        std::string text;
        int32_t index;
        Row* next_same; // next row with the same folded text, in row order
    };
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    void check(int index, int limit) const;
    void link(Row* row);
    void unlink(Row* row);
    void renumber_from(int index);
    void changed(Change change, int index);

    std::vector<std::unique_ptr<Row>> rows_;
    std::unordered_map<std::string, Row*, KeyHash, std::equal_to<>> index_;
    ChangeHandler on_change_;
};

} // namespace lt
