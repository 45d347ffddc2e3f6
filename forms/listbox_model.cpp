#include "forms/listbox_model.h"

#include "forms/errors.h"
#include "text/indexed_list.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace lt {

namespace {

// The rows live in the indexed phrase list, which answers the lookup without
// walking the rows.
class IndexedRowStore final : public ListRowStore {
public:
    int size() const override { return list_.count(); }
    const std::string& at(int index) const override { return list_.text(index); }
    void insert(int index, std::string text) override { list_.insert(index, std::move(text)); }
    void assign(int index, std::string text) override { list_.set_text(index, std::move(text)); }
    void erase(int index) override { list_.remove(index); }
    void erase_marked(const std::vector<uint8_t>& marks) override { list_.remove_marked(marks); }
    void clear() override { list_.clear(); }
    int find(const std::string& text) const override { return list_.lookup(text); }

private:
    IndexedList list_;
};

} // namespace

void ListRowStore::erase_marked(const std::vector<uint8_t>& marks)
{
    for (int i = std::min(size(), static_cast<int>(marks.size())) - 1; i >= 0; --i)
        if (marks[static_cast<size_t>(i)])
            erase(i);
}

std::unique_ptr<ListRowStore> MakeListRowStore()
{
    return std::make_unique<IndexedRowStore>();
}

namespace {
// Room for one more element, growing geometrically.
template <class V>
void grow(V& v)
{
    if (v.size() == v.capacity())
        v.reserve(std::max<size_t>(16, v.capacity() * 2));
}
} // namespace

ListBoxModel::ListBoxModel(std::unique_ptr<ListRowStore> store) : store_(std::move(store))
{ }

// ---- rows ----

void ListBoxModel::check(int index) const
{
    if (index < 0 || index >= count())
        ThrowListIndexError(index);
}

void ListBoxModel::changed()
{
    if (OnChanged)
        OnChanged();
}

const std::string& ListBoxModel::text(int index) const
{
    check(index);
    return store_->at(index);
}

void ListBoxModel::set_text(int index, const std::string& text)
{
    check(index);
    store_->assign(index, text);
    changed();
}

void* ListBoxModel::data(int index) const
{
    check(index);
    return data_[static_cast<size_t>(index)];
}

void ListBoxModel::set_data(int index, void* data)
{
    check(index);
    data_[static_cast<size_t>(index)] = data;
}

int ListBoxModel::add(const std::string& text)
{
    int index = count();
    insert(index, text);
    return index;
}

void ListBoxModel::insert(int index, const std::string& text)
{
    if (index < 0 || index > count())
        ThrowInsertLineError();
    try {
        // Make room everywhere first so that a refusal leaves the three
        // parallel arrays in step.
        grow(data_);
        grow(sel_);
        store_->insert(index, text);
    } catch (const std::bad_alloc&) {
        ThrowInsertLineError();
    } catch (const std::length_error&) {
        ThrowInsertLineError();
    }
    data_.insert(data_.begin() + index, nullptr);
    sel_.insert(sel_.begin() + index, 0);
    if (caret_ < 0 || count() == 1) {
        // A list that gains its first row has its caret on row 0.
        caret_ = anchor_ = 0;
    } else {
        if (caret_ >= index)
            ++caret_;
        if (anchor_ >= index)
            ++anchor_;
    }
    changed();
}

void ListBoxModel::erase(int index)
{
    if (index < 0 || index >= count())
        return;
    store_->erase(index);
    data_.erase(data_.begin() + index);
    if (sel_[static_cast<size_t>(index)])
        --sel_count_;
    sel_.erase(sel_.begin() + index);
    if (caret_ > index)
        --caret_;
    if (anchor_ > index)
        --anchor_;
    top_ = clamp_top(top_);
    changed();
}

int ListBoxModel::erase_selected()
{
    if (sel_count_ == 0)
        return 0;
    store_->erase_marked(sel_);
    // The caret and the anchor move up by the rows removed above them; a
    // removed caret row leaves the caret at its index.
    int above_caret = 0, above_anchor = 0;
    size_t kept = 0;
    for (size_t i = 0; i < sel_.size(); ++i) {
        if (sel_[i]) {
            above_caret += static_cast<int>(i) < caret_;
            above_anchor += static_cast<int>(i) < anchor_;
            continue;
        }
        data_[kept] = data_[i];
        sel_[kept] = 0;
        ++kept;
    }
    const int removed = static_cast<int>(sel_.size() - kept);
    data_.resize(kept);
    sel_.resize(kept);
    sel_count_ = 0;
    caret_ -= above_caret;
    anchor_ -= above_anchor;
    // The bound on the top row only shrinks as rows go, so the last one
    // holds.
    top_ = clamp_top(top_);
    changed();
    return removed;
}

void ListBoxModel::clear()
{
    store_->clear();
    data_.clear();
    sel_.clear();
    sel_count_ = 0;
    caret_ = anchor_ = -1;
    top_ = 0;
    changed();
}

// ---- selection ----

void ListBoxModel::set_mode(ListSelectMode mode)
{
    if (mode == mode_)
        return;
    mode_ = mode;
    select_all(false);
}

bool ListBoxModel::selected(int index) const
{
    check(index);
    return sel_[static_cast<size_t>(index)] != 0;
}

int ListBoxModel::selected_count() const
{
    return sel_count_;
}

void ListBoxModel::set_sel(int index, bool on)
{
    uint8_t& s = sel_[static_cast<size_t>(index)];
    if (s == static_cast<uint8_t>(on))
        return;
    s = on;
    sel_count_ += on ? 1 : -1;
}

void ListBoxModel::set_selected(int index, bool on)
{
    check(index);
    if (mode_ == ListSelectMode::Single && on)
        select_only(index);
    else
        set_sel(index, on);
    changed();
}

void ListBoxModel::select_all(bool on)
{
    if (on && mode_ == ListSelectMode::Single)
        return;
    if (!on && sel_count_ == 0)
        return;
    std::memset(sel_.data(), on ? 1 : 0, sel_.size());
    sel_count_ = on ? count() : 0;
    changed();
}

void ListBoxModel::select_only(int index)
{
    if (sel_count_ != 0) {
        std::memset(sel_.data(), 0, sel_.size());
        sel_count_ = 0;
    }
    if (index >= 0 && index < count())
        set_sel(index, true);
}

void ListBoxModel::select_range(int from, int to, bool on, bool keep_others)
{
    if (!keep_others)
        select_only(-1);
    if (from < 0)
        from = to;
    int lo = std::clamp(std::min(from, to), 0, count() - 1);
    int hi = std::clamp(std::max(from, to), 0, count() - 1);
    for (int i = lo; i <= hi; ++i)
        set_sel(i, on);
}

// ---- caret and keys ----

int ListBoxModel::item_index() const
{
    if (mode_ != ListSelectMode::Single)
        return caret_;
    if (sel_count_ == 0)
        return -1;
    auto it = std::find(sel_.begin(), sel_.end(), 1);
    return static_cast<int>(it - sel_.begin());
}

void ListBoxModel::set_item_index(int index)
{
    if (mode_ == ListSelectMode::Single) {
        select_only(index);
        if (index >= 0 && index < count()) {
            caret_ = anchor_ = index;
            ensure_visible(index);
        }
        changed();
        return;
    }
    if (index < 0 || index >= count())
        return;
    caret_ = index;
    ensure_visible(index);
    changed();
}

void ListBoxModel::move_caret(int to)
{
    caret_ = to;
    ensure_visible(to);
}

void ListBoxModel::click(int row, bool shift, bool ctrl)
{
    if (row < 0 || row >= count())
        return;
    switch (mode_) {
    case ListSelectMode::Single:
        select_only(row);
        anchor_ = row;
        break;
    case ListSelectMode::Multiple:
        set_sel(row, !sel_[static_cast<size_t>(row)]);
        anchor_ = row;
        break;
    case ListSelectMode::Extended:
        if (shift) {
            bool on = !ctrl || anchor_ < 0 || anchor_ >= count() || sel_[static_cast<size_t>(anchor_)];
            select_range(anchor_, row, on, ctrl);
        } else if (ctrl) {
            set_sel(row, !sel_[static_cast<size_t>(row)]);
            anchor_ = row;
        } else {
            select_only(row);
            anchor_ = row;
        }
        break;
    }
    move_caret(row);
    changed();
}

void ListBoxModel::select_alone(int row)
{
    if (row < 0 || row >= count())
        return;
    select_only(row);
    anchor_ = row;
    move_caret(row);
    changed();
}

void ListBoxModel::drag_to(int row, bool ctrl)
{
    if (row < 0 || row >= count() || row == caret_)
        return;
    switch (mode_) {
    case ListSelectMode::Single:
        select_only(row);
        anchor_ = row;
        break;
    case ListSelectMode::Multiple:
        break;
    case ListSelectMode::Extended: {
        bool on = !ctrl || anchor_ < 0 || anchor_ >= count() || sel_[static_cast<size_t>(anchor_)];
        select_range(anchor_, row, on, ctrl);
        break;
    }
    }
    move_caret(row);
    changed();
}

namespace {
bool is_move_key(int key)
{
    switch (key) {
    case VK_UP:
    case VK_LEFT:
    case VK_DOWN:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
        return true;
    default:
        return false;
    }
}
} // namespace

int ListBoxModel::key_target(int key) const
{
    if (!is_move_key(key))
        return -1;
    int n = count();
    int c = std::clamp(caret_, 0, n - 1);
    int page = visible_rows();
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        return std::max(c - 1, 0);
    case VK_DOWN:
    case VK_RIGHT:
        return std::min(c + 1, n - 1);
    case VK_HOME:
        return 0;
    case VK_END:
        return n - 1;
    case VK_PRIOR:
        // First to the top visible row, then a page further.
        return std::max(c > top_ ? top_ : c - (page - 1), 0);
    case VK_NEXT: {
        int bottom = std::min(top_ + page - 1, n - 1);
        return std::min(c < bottom ? bottom : c + (page - 1), n - 1);
    }
    default:
        return -1;
    }
}

bool ListBoxModel::key(int key, bool shift, bool ctrl)
{
    if (count() == 0)
        return key == VK_SPACE || is_move_key(key);
    if (key == VK_SPACE) {
        int c = std::clamp(caret_, 0, count() - 1);
        switch (mode_) {
        case ListSelectMode::Single:
            select_only(c);
            break;
        case ListSelectMode::Multiple:
            set_sel(c, !sel_[static_cast<size_t>(c)]);
            break;
        case ListSelectMode::Extended:
            if (shift)
                select_range(anchor_, c, true, ctrl);
            else if (ctrl)
                set_sel(c, !sel_[static_cast<size_t>(c)]);
            else
                select_only(c);
            if (!shift)
                anchor_ = c;
            break;
        }
        move_caret(c);
        changed();
        return true;
    }
    int target = key_target(key);
    if (target < 0)
        return false;
    switch (mode_) {
    case ListSelectMode::Single:
        select_only(target);
        anchor_ = target;
        break;
    case ListSelectMode::Multiple:
        break;
    case ListSelectMode::Extended:
        if (shift)
            select_range(anchor_, target, true, ctrl);
        else if (!ctrl) {
            select_only(target);
            anchor_ = target;
        }
        break;
    }
    move_caret(target);
    changed();
    return true;
}

// ---- scrolling and geometry ----

void ListBoxModel::set_item_height(int h)
{
    item_height_ = std::max(h, 1);
    top_ = clamp_top(top_);
    changed();
}

void ListBoxModel::set_client_height(int h)
{
    client_height_ = std::max(h, 0);
    top_ = clamp_top(top_);
    changed();
}

int ListBoxModel::visible_rows() const
{
    return std::max(client_height_ / item_height_, 1);
}

int ListBoxModel::clamp_top(int top) const
{
    return std::clamp(top, 0, std::max(count() - visible_rows(), 0));
}

void ListBoxModel::set_top_index(int top)
{
    top = clamp_top(top);
    if (top == top_)
        return;
    top_ = top;
    changed();
}

void ListBoxModel::ensure_visible(int row)
{
    if (row < top_)
        top_ = row;
    else if (row >= top_ + visible_rows())
        top_ = row - visible_rows() + 1;
    top_ = clamp_top(top_);
}

ListScrollRange ListBoxModel::scroll_range() const
{
    return {0, std::max(count() - 1, 0), visible_rows(), top_};
}

int ListBoxModel::row_at(int y, bool existing) const
{
    if (y < 0)
        return -1;
    int64_t row = top_ + static_cast<int64_t>(y) / item_height_;
    if (row >= count())
        return existing ? -1 : count();
    return static_cast<int>(row);
}

int ListBoxModel::last_painted() const
{
    int partly = (client_height_ + item_height_ - 1) / item_height_;
    return std::min(top_ + partly, count()) - 1;
}

} // namespace lt
