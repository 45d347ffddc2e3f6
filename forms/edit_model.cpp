#include "forms/edit_model.h"

#include "forms/cp936_chars.h"
#include "platform/messages.h"

#include <algorithm>

namespace lt {

namespace {

// Drops single-byte control characters; double-byte characters stay whole.
std::string printable(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        size_t n = cp936_char_len(s, i);
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (n == 2 || (b >= 0x20 && b != 0x7F))
            out.append(s, i, n);
        i += n;
    }
    return out;
}

bool is_space(unsigned char b)
{
    return b == ' ' || b == '\t';
}

} // namespace

// ---- text and selection ----

size_t EditModel::snap(size_t pos) const
{
    return cp936::floor_boundary(text_, std::min(pos, text_.size()));
}

void EditModel::set_text(const std::string& text)
{
    text_ = text;
    caret_ = anchor_ = 0;
    can_undo_ = false;
    last_op_ = Op::None;
    if (OnChange)
        OnChange();
}

void EditModel::set_selection(size_t start, size_t end)
{
    anchor_ = snap(start);
    caret_ = snap(end);
    last_op_ = Op::None;
}

void EditModel::move(size_t to, bool extend)
{
    caret_ = to;
    if (!extend)
        anchor_ = to;
    last_op_ = Op::None;
}

// ---- editing ----

bool EditModel::replace(std::string insert, Op op)
{
    if (read_only_)
        return false;
    size_t start = sel_start(), end = sel_end();
    if (max_length_ != 0) {
        size_t kept = text_.size() - (end - start);
        size_t room = kept < max_length_ ? max_length_ - kept : 0;
        if (insert.size() > room)
            insert.resize(cp936::floor_boundary(insert, room));
    }
    if (insert.empty() && start == end)
        return false;
    // A typed character that continues the previous typing joins its undo step.
    bool joins = op == Op::Typing && last_op_ == Op::Typing && start == end;
    if (!joins) {
        undo_ = State{text_, caret_, anchor_};
        can_undo_ = true;
    }
    text_.replace(start, end - start, insert);
    caret_ = anchor_ = start + insert.size();
    last_op_ = op;
    if (OnChange)
        OnChange();
    return true;
}

bool EditModel::type(const std::string& chars)
{
    std::string text = printable(chars);
    if (text.empty())
        return false;
    if (max_length_ != 0) {
        // A typed character is all or nothing.
        size_t kept = text_.size() - (sel_end() - sel_start());
        if (kept + cp936_char_len(text, 0) > max_length_)
            return false;
    }
    return replace(std::move(text), Op::Typing);
}

bool EditModel::undo()
{
    if (!can_undo())
        return false;
    State now{text_, caret_, anchor_};
    text_ = std::move(undo_.text);
    caret_ = undo_.caret;
    anchor_ = undo_.anchor;
    undo_ = std::move(now);
    last_op_ = Op::None;
    if (OnChange)
        OnChange();
    return true;
}

void EditModel::copy() const
{
    if (has_selection() && WriteClipboard)
        WriteClipboard(selected_text());
}

bool EditModel::cut()
{
    if (read_only_ || !has_selection())
        return false;
    copy();
    return replace(std::string(), Op::Other);
}

bool EditModel::paste()
{
    if (read_only_ || !ReadClipboard)
        return false;
    std::string clip = ReadClipboard();
    // One line only: whatever follows the first line break is not pasted.
    clip.resize(std::min(clip.find_first_of("\r\n"), clip.size()));
    if (clip.empty())
        return false;
    return replace(std::move(clip), Op::Other);
}

bool EditModel::clear_selection()
{
    if (!has_selection())
        return false;
    return replace(std::string(), Op::Other);
}

// ---- keys and mouse ----

size_t EditModel::word_left(size_t pos) const
{
    while (pos > 0 && is_space(static_cast<unsigned char>(text_[cp936::prev_boundary(text_, pos)])))
        pos = cp936::prev_boundary(text_, pos);
    while (pos > 0 && !is_space(static_cast<unsigned char>(text_[cp936::prev_boundary(text_, pos)])))
        pos = cp936::prev_boundary(text_, pos);
    return pos;
}

size_t EditModel::word_right(size_t pos) const
{
    while (pos < text_.size() && !is_space(static_cast<unsigned char>(text_[pos])))
        pos = cp936::next_boundary(text_, pos);
    while (pos < text_.size() && is_space(static_cast<unsigned char>(text_[pos])))
        pos = cp936::next_boundary(text_, pos);
    return pos;
}

bool EditModel::key(int key, bool shift, bool ctrl)
{
    switch (key) {
    case VK_LEFT:
        if (has_selection() && !shift)
            move(sel_start(), false);
        else if (ctrl)
            move(word_left(caret_), shift);
        else if (caret_ > 0)
            move(cp936::prev_boundary(text_, caret_), shift);
        return true;
    case VK_RIGHT:
        if (has_selection() && !shift)
            move(sel_end(), false);
        else if (ctrl)
            move(word_right(caret_), shift);
        else if (caret_ < text_.size())
            move(cp936::next_boundary(text_, caret_), shift);
        return true;
    case VK_HOME:
        move(0, shift);
        return true;
    case VK_END:
        move(text_.size(), shift);
        return true;
    case VK_BACK:
        if (read_only_)
            return true;
        if (!has_selection() && caret_ > 0)
            anchor_ = cp936::prev_boundary(text_, caret_);
        clear_selection();
        return true;
    case VK_DELETE:
        if (shift) {
            cut();
            return true;
        }
        if (read_only_)
            return true;
        if (!has_selection() && caret_ < text_.size())
            anchor_ = cp936::next_boundary(text_, caret_);
        clear_selection();
        return true;
    case VK_INSERT:
        if (ctrl)
            copy();
        else if (shift)
            paste();
        return true;
    default:
        break;
    }
    if (!ctrl || shift)
        return false;
    switch (key) {
    case 'A':
        select_all();
        return true;
    case 'C':
        copy();
        return true;
    case 'X':
        cut();
        return true;
    case 'V':
        paste();
        return true;
    case 'Z':
        undo();
        return true;
    default:
        return false;
    }
}

void EditModel::press(size_t pos, bool shift)
{
    move(snap(pos), shift);
}

void EditModel::drag(size_t pos)
{
    move(snap(pos), true);
}

void EditModel::select_word(size_t pos)
{
    pos = snap(pos);
    size_t start = pos, end = pos;
    while (start > 0 && !is_space(static_cast<unsigned char>(text_[cp936::prev_boundary(text_, start)])))
        start = cp936::prev_boundary(text_, start);
    while (end < text_.size() && !is_space(static_cast<unsigned char>(text_[end])))
        end = cp936::next_boundary(text_, end);
    set_selection(start, end);
}

// ---- input method ----

void EditModel::set_composition(const std::string& chars)
{
    composition_ = read_only_ ? std::string() : chars;
}

bool EditModel::commit(const std::string& chars)
{
    composition_.clear();
    // Each committed character is typed on its own, so a character that does
    // not fit ends the commit without splitting anything.
    std::string text = printable(chars);
    bool any = false;
    for (size_t i = 0; i < text.size();) {
        size_t n = cp936_char_len(text, i);
        if (!type(text.substr(i, n)))
            break;
        any = true;
        i += n;
    }
    return any;
}

} // namespace lt
