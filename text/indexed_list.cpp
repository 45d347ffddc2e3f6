#include "text/indexed_list.h"

#include "text/cp936.h"

namespace lt {

ListError::ListError(int index) : std::runtime_error("List index out of bounds (" + std::to_string(index) + ")")
{ }

namespace {

char fold(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

// Hash of the text with its standalone ASCII letters lowered; the second
// byte of a double-byte character is hashed as it is.
size_t folded_hash(std::string_view text)
{
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lead = cp936_is_lead(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        h = (h ^ static_cast<unsigned char>(fold(text[i]))) * 1099511628211ull;
        if (lead) {
            ++i;
            h = (h ^ static_cast<unsigned char>(text[i])) * 1099511628211ull;
        }
    }
    // Final mix so that the low bits, which pick the slot, depend on all.
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return static_cast<size_t>(h);
}

// The lookup rule: equal when standalone ASCII letters are folded to one
// case and every other byte is equal.
bool folded_equal(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (cp936_is_lead(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

IndexedList::IndexedList() = default;
IndexedList::~IndexedList() = default;

void IndexedList::check(int index, int limit) const
{
    if (index < 0 || index >= limit)
        throw ListError(index);
}

const std::string& IndexedList::text(int index) const
{
    check(index, count());
    return rows_[static_cast<size_t>(index)]->text;
}

std::vector<std::string> IndexedList::texts() const
{
    std::vector<std::string> out;
    out.reserve(rows_.size());
    for (const Row* row : rows_)
        out.push_back(row->text);
    return out;
}

// ---------------------------------------------------------------- index

size_t IndexedList::slot_of(std::string_view text, size_t hash) const
{
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Row* head = slots_[i];
        if (!head || (head->hash == hash && folded_equal(head->text, text)))
            return i;
    }
}

void IndexedList::index_put(Row* head)
{
    // Kept at most half full, so probes stay short.
    if ((heads_ + 1) * 2 > slots_.size()) {
        std::vector<Row*> old = std::move(slots_);
        slots_.assign(old.empty() ? 16 : old.size() * 2, nullptr);
        for (Row* r : old)
            if (r)
                slots_[slot_of(r->text, r->hash)] = r;
    }
    slots_[slot_of(head->text, head->hash)] = head;
    ++heads_;
}

void IndexedList::index_erase(size_t slot)
{
    // Backward-shift deletion: later entries of the probe run move up so
    // that no lookup stops early at the hole.
    const size_t mask = slots_.size() - 1;
    for (size_t j = slot;;) {
        j = (j + 1) & mask;
        if (!slots_[j])
            break;
        size_t home = slots_[j]->hash & mask;
        bool between = slot <= j ? (slot < home && home <= j) : (slot < home || home <= j);
        if (!between) {
            slots_[slot] = slots_[j];
            slot = j;
        }
    }
    slots_[slot] = nullptr;
    --heads_;
}

// ---------------------------------------------------------------- rows and chains

IndexedList::Row* IndexedList::new_row(std::string text)
{
    Row* row;
    if (!free_.empty()) {
        row = free_.back();
        free_.pop_back();
    } else {
        row = &pool_.emplace_back();
    }
    row->text = std::move(text);
    row->hash = folded_hash(row->text);
    row->next_same = nullptr;
    return row;
}

// Puts row into the chain of its folded text at its place in row order.
void IndexedList::link(Row* row)
{
    row->next_same = nullptr;
    if (slots_.empty()) {
        index_put(row);
        return;
    }
    size_t slot = slot_of(row->text, row->hash);
    Row* head = slots_[slot];
    if (!head) {
        index_put(row);
        return;
    }
    if (head->index > row->index) {
        row->next_same = head;
        slots_[slot] = row; // same folded text, so the same slot
        return;
    }
    Row* before = head;
    while (before->next_same && before->next_same->index < row->index)
        before = before->next_same;
    row->next_same = before->next_same;
    before->next_same = row;
}

void IndexedList::unlink(Row* row)
{
    size_t slot = slot_of(row->text, row->hash);
    Row* head = slots_[slot];
    if (head == row) {
        if (row->next_same)
            slots_[slot] = row->next_same;
        else
            index_erase(slot);
        return;
    }
    for (Row* before = head; before && before->next_same; before = before->next_same) {
        if (before->next_same == row) {
            before->next_same = row->next_same;
            return;
        }
    }
}

void IndexedList::renumber_from(int index)
{
    for (size_t i = static_cast<size_t>(index); i < rows_.size(); ++i)
        rows_[i]->index = static_cast<int32_t>(i);
}

void IndexedList::changed(Change change, int index)
{
    if (on_change_)
        on_change_(change, index);
}

int IndexedList::append(std::string text)
{
    int index = count();
    insert(index, std::move(text));
    return index;
}

void IndexedList::insert(int index, std::string text)
{
    check(index, count() + 1);
    Row* row = new_row(std::move(text));
    row->index = index;
    rows_.insert(rows_.begin() + index, row);
    renumber_from(index + 1);
    link(row);
    changed(Change::Inserted, index);
}

void IndexedList::remove(int index)
{
    check(index, count());
    Row* row = rows_[static_cast<size_t>(index)];
    unlink(row);
    row->text = std::string();
    free_.push_back(row);
    rows_.erase(rows_.begin() + index);
    renumber_from(index);
    changed(Change::Deleted, index);
}

int IndexedList::remove_marked(const std::vector<uint8_t>& marks)
{
    if (marks.size() != rows_.size())
        throw std::invalid_argument("IndexedList::remove_marked: one mark per row");
    size_t kept = 0;
    int first = -1;
    for (size_t i = 0; i < rows_.size(); ++i) {
        Row* row = rows_[i];
        if (!marks[i]) {
            row->index = static_cast<int32_t>(kept);
            rows_[kept++] = row;
            continue;
        }
        if (first < 0)
            first = static_cast<int>(i);
        // Chains stay in row order: the rows kept keep their relative order.
        unlink(row);
        row->text = std::string();
        free_.push_back(row);
    }
    const int removed = static_cast<int>(rows_.size() - kept);
    rows_.resize(kept);
    if (removed > 0)
        changed(Change::DeletedMany, first);
    return removed;
}

void IndexedList::clear()
{
    rows_.clear();
    pool_.clear();
    free_.clear();
    slots_.clear();
    heads_ = 0;
    changed(Change::Cleared, -1);
}

void IndexedList::set_text(int index, std::string text)
{
    check(index, count());
    Row* row = rows_[static_cast<size_t>(index)];
    unlink(row);
    row->text = std::move(text);
    row->hash = folded_hash(row->text);
    link(row);
    changed(Change::Changed, index);
}

int IndexedList::lookup(std::string_view phrase) const
{
    if (slots_.empty())
        return -1;
    const Row* head = slots_[slot_of(phrase, folded_hash(phrase))];
    return head ? head->index : -1;
}

} // namespace lt
