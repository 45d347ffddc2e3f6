#include "text/indexed_list.h"

#include "text/text_utils.h"

namespace lt {

ListError::ListError(int index) : std::runtime_error("List index out of bounds (" + std::to_string(index) + ")") {}

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
    for (const auto& row : rows_)
        out.push_back(row->text);
    return out;
}

// Puts row into the chain of its folded text at its place in row order.
void IndexedList::link(Row* row)
{
    auto [it, fresh] = index_.try_emplace(LowerAscii(row->text), row);
    if (fresh) {
        row->next_same = nullptr;
        return;
    }
    Row*& head = it->second;
    if (head->index > row->index) {
        row->next_same = head;
        head = row;
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
    auto it = index_.find(LowerAscii(row->text));
    if (it == index_.end())
        return;
    if (it->second == row) {
        if (row->next_same)
            it->second = row->next_same;
        else
            index_.erase(it);
        return;
    }
    for (Row* before = it->second; before->next_same; before = before->next_same) {
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
    auto row = std::make_unique<Row>(Row{std::move(text), index, nullptr});
    Row* raw = row.get();
    rows_.insert(rows_.begin() + index, std::move(row));
    renumber_from(index + 1);
    link(raw);
    changed(Change::Inserted, index);
}

void IndexedList::remove(int index)
{
    check(index, count());
    unlink(rows_[static_cast<size_t>(index)].get());
    rows_.erase(rows_.begin() + index);
    renumber_from(index);
    changed(Change::Deleted, index);
}

void IndexedList::clear()
{
    index_.clear();
    rows_.clear();
    changed(Change::Cleared, -1);
}

void IndexedList::set_text(int index, std::string text)
{
    check(index, count());
    Row* row = rows_[static_cast<size_t>(index)].get();
    unlink(row);
    row->text = std::move(text);
    link(row);
    changed(Change::Changed, index);
}

int IndexedList::lookup(std::string_view phrase) const
{
    auto it = index_.find(LowerAscii(phrase));
    return it == index_.end() ? -1 : it->second->index;
}

} // namespace lt
