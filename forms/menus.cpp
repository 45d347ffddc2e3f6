#include "forms/menus.h"

#include "forms/errors.h"
#include "platform/messages.h"

#include <algorithm>
#include <cstdio>

namespace lt {

// ---- shortcuts and accelerators ----

TShortCut ShortCut(int key, bool shift, bool ctrl, bool alt)
{
    TShortCut s = static_cast<TShortCut>(key & 0xFF);
    if (shift)
        s |= scShift;
    if (ctrl)
        s |= scCtrl;
    if (alt)
        s |= scAlt;
    return s;
}

namespace {
std::string key_name(int key)
{
    switch (key) {
    case VK_BACK:
        return "BkSp";
    case VK_TAB:
        return "Tab";
    case VK_RETURN:
        return "Enter";
    case VK_ESCAPE:
        return "Esc";
    case VK_SPACE:
        return "Space";
    case VK_PRIOR:
        return "PgUp";
    case VK_NEXT:
        return "PgDn";
    case VK_END:
        return "End";
    case VK_HOME:
        return "Home";
    case VK_LEFT:
        return "Left";
    case VK_UP:
        return "Up";
    case VK_RIGHT:
        return "Right";
    case VK_DOWN:
        return "Down";
    case VK_INSERT:
        return "Ins";
    case VK_DELETE:
        return "Del";
    default:
        break;
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87) // F1..F24
        return "F" + std::to_string(key - 0x6F);
    return std::string();
}
} // namespace

std::string ShortCutToText(TShortCut shortcut)
{
    std::string name = key_name(shortcut & 0xFF);
    if (name.empty())
        return std::string();
    std::string text;
    if (shortcut & scShift)
        text += "Shift+";
    if (shortcut & scCtrl)
        text += "Ctrl+";
    if (shortcut & scAlt)
        text += "Alt+";
    return text + name;
}

char GetHotkey(const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        char c = caption[i + 1];
        if (c == '&') {
            ++i;
            continue;
        }
        // An accelerator is a single-byte character.
        if (static_cast<unsigned char>(c) >= 0x80)
            return 0;
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    }
    return 0;
}

std::string StripHotkey(const std::string& caption)
{
    std::string out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

// ---- TMenuItem ----

namespace {
uint16_t next_command()
{
    static uint16_t last = 0;
    if (++last == 0)
        last = 1;
    return last;
}
} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(next_command())
{ }

TMenuItem::~TMenuItem()
{
    Clear();
    if (parent_)
        parent_->Remove(this);
}

void TMenuItem::SetChecked(bool on)
{
    checked_ = on;
    if (on && RadioItem && parent_)
        for (const auto& sibling : parent_->items_)
            if (sibling.get() != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex)
                sibling->checked_ = false;
}

void TMenuItem::Click()
{
    // From a copy: the handler may free this item.
    if (!Enabled)
        return;
    if (TMenuItemEvent handler = OnClick)
        handler(this);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        ThrowListIndexError(index);
    return items_[static_cast<size_t>(index)].get();
}

int TMenuItem::MenuIndex() const
{
    return parent_ ? parent_->IndexOf(this) : -1;
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    if (index < 0 || index > Count())
        ThrowListIndexError(index);
    if (item->parent_)
        item->parent_->Remove(item);
    // Moving a child of this item along shortens the list first.
    index = std::min(index, Count());
    items_.insert(items_.begin() + index, std::unique_ptr<TMenuItem>(item));
    item->parent_ = this;
}

void TMenuItem::Delete(int index)
{
    TMenuItem* item = Items(index);
    items_[static_cast<size_t>(index)].release();
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
}

void TMenuItem::Remove(TMenuItem* item)
{
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find_if(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Clear()
{
    while (!items_.empty()) {
        // Detached before it goes, so its destructor finds no parent.
        std::unique_ptr<TMenuItem> last = std::move(items_.back());
        items_.pop_back();
        last->parent_ = nullptr;
    }
}

TMenuItem* TMenuItem::Find(const std::string& caption) const
{
    for (const auto& item : items_)
        if (StripHotkey(item->Caption) == StripHotkey(caption))
            return item.get();
    return nullptr;
}

TMenuItem* TMenuItem::FindCommand(uint16_t command)
{
    if (command_ == command)
        return this;
    for (const auto& item : items_)
        if (TMenuItem* found = item->FindCommand(command))
            return found;
    return nullptr;
}

// ---- TPopupMenu ----

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr))
{ }

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup(this);
    DoPopup(x, y);
}

bool TPopupMenu::DispatchCommand(uint16_t command)
{
    TMenuItem* item = items_->FindCommand(command);
    if (!item)
        return false;
    item->Click();
    return true;
}

} // namespace lt
