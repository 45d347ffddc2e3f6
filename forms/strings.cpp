#include "forms/strings.h"

#include "forms/cp936_chars.h"

namespace lt {

// ---- TStrings ----

void TStrings::SetStrings(int index, const std::string& s)
{
    void* object = Objects(index);
    Delete(index);
    InsertObject(index, s, object);
}

void* TStrings::Objects(int index) const
{
    return nullptr;
}

void TStrings::SetObjects(int index, void* object)
{ }

int TStrings::Add(const std::string& s)
{
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, void* object)
{
    int index = Add(s);
    SetObjects(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& s, void* object)
{
    Insert(index, s);
    SetObjects(index, object);
}

int TStrings::IndexOf(const std::string& s) const
{
    for (int i = 0, n = Count(); i < n; ++i)
        if (SameText(Strings(i), s))
            return i;
    return -1;
}

int TStrings::IndexOfObject(void* object) const
{
    for (int i = 0, n = Count(); i < n; ++i)
        if (Objects(i) == object)
            return i;
    return -1;
}

bool TStrings::SameText(const std::string& a, const std::string& b) const
{
    return cp936::equal_fold(a, b);
}

std::string TStrings::Text() const
{
    const int count = Count();
    // One pass to size the text, one to fill it: a million rows make one
    // allocation.
    size_t size = 0;
    for (int i = 0; i < count; ++i)
        size += Strings(i).size() + 2;
    std::string text;
    text.reserve(size);
    for (int i = 0; i < count; ++i) {
        text += Strings(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& text)
{
    BeginUpdate();
    try {
        Clear();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos) {
                Add(text.substr(start));
                break;
            }
            Add(text.substr(start, end - start));
            start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TStrings& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    try {
        Clear();
        AddStrings(source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& source)
{
    BeginUpdate();
    try {
        for (int i = 0, n = source.Count(); i < n; ++i)
            AddObject(source.Strings(i), source.Objects(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (update_count_++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (update_count_ > 0 && --update_count_ == 0)
        SetUpdateState(false);
}

// ---- TStringList ----

void TStringList::check(int index) const
{
    if (index < 0 || index >= Count())
        ThrowListIndexError(index);
}

void TStringList::changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        changing();
    else
        changed();
}

std::string TStringList::Strings(int index) const
{
    check(index);
    return rows_[static_cast<size_t>(index)].text;
}

void TStringList::SetStrings(int index, const std::string& s)
{
    check(index);
    changing();
    rows_[static_cast<size_t>(index)].text = s;
    changed();
}

void* TStringList::Objects(int index) const
{
    check(index);
    return rows_[static_cast<size_t>(index)].object;
}

void TStringList::SetObjects(int index, void* object)
{
    check(index);
    changing();
    rows_[static_cast<size_t>(index)].object = object;
    changed();
}

void TStringList::Insert(int index, const std::string& s)
{
    // Inserting at Count appends; anything further is out of bounds.
    if (index < 0 || index > Count())
        ThrowListIndexError(index);
    changing();
    rows_.insert(rows_.begin() + index, Row{s, nullptr});
    changed();
}

void TStringList::Delete(int index)
{
    check(index);
    changing();
    rows_.erase(rows_.begin() + index);
    changed();
}

void TStringList::Clear()
{
    if (rows_.empty())
        return;
    changing();
    rows_.clear();
    changed();
}

bool TStringList::SameText(const std::string& a, const std::string& b) const
{
    return CaseSensitive ? a == b : TStrings::SameText(a, b);
}

} // namespace lt
