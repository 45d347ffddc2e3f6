#pragma once
// The framework's menu model: menu items in a tree and the popup menu that
// holds one. Nothing here draws; the skinned menu reads the tree when it opens.
//
// A caption may carry an accelerator: "&O" marks O, "&&" is a literal "&".
// A caption of "-" is a separator line. A shortcut is a virtual-key number in
// the low byte with the modifier bits scShift, scCtrl and scAlt above it.
//
// Sections: shortcuts and accelerators - TMenuItem - TPopupMenu.

#include "platform/component.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lt {

using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

TShortCut ShortCut(int key, bool shift, bool ctrl, bool alt);
// "Ctrl+O", "Shift+Del", "F5"; empty for scNone.
std::string ShortCutToText(TShortCut shortcut);
// The accelerator of a caption, upper-cased, or 0 when it has none.
char GetHotkey(const std::string& caption);
// The caption without its accelerator marks ("导出为TXT文件(&O)" -> "导出为TXT文件(O)").
std::string StripHotkey(const std::string& caption);

class TMenuItem;
using TMenuItemEvent = std::function<void(TMenuItem* sender)>;

// An item owns the children attached to it: freeing it frees them, and
// Add/Insert hand the item over to its new parent. An item freed by someone
// else (its component owner) leaves its parent first.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    // Frees the children still attached and leaves the parent.
    ~TMenuItem() override;

    std::string Caption;
    TShortCut ShortCut = scNone;
    bool Enabled = true;
    bool Visible = true;
    // Drawn in bold and run by a double-click on the menu's owner.
    bool Default = false;
    bool RadioItem = false;
    int GroupIndex = 0;
    std::string Hint;
    int ImageIndex = -1;
    TMenuItemEvent OnClick;

    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool on);

    bool IsLine() const { return Caption == "-"; }
    // Runs OnClick when enabled. The handler may free this item.
    virtual void Click();
    // A number that names this item in DispatchCommand, unique in the process.
    uint16_t Command() const { return command_; }

    // ---- children ----
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises "List index out of bounds (%d)" for a child that does not exist.
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    // Index 0..Count; an item that has a parent is moved here. A bad index
    // raises the list error and leaves the item where it was.
    void Insert(int index, TMenuItem* item);
    // Detaches the child without freeing it: the caller (or the child's
    // component owner) frees it.
    void Delete(int index);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    // Frees every child.
    void Clear();
    // The first child whose caption, without accelerator marks, equals caption.
    TMenuItem* Find(const std::string& caption) const;
    // This item or a descendant with the given command number.
    TMenuItem* FindCommand(uint16_t command);

private:
    std::vector<std::unique_ptr<TMenuItem>> items_;
    TMenuItem* parent_ = nullptr;
    bool checked_ = false;
    uint16_t command_;
};

class TPopupMenu;
using TPopupEvent = std::function<void(TPopupMenu* sender)>;

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return items_.get(); }
    // Opened by a right click on a control that has this as its PopupMenu.
    bool AutoPopup = true;
    // The control the menu was last opened for.
    TComponent* PopupComponent = nullptr;
    TPopupEvent OnPopup;

    // Raises OnPopup, then shows the menu at the screen point (the plain
    // model shows nothing; the skinned menu draws it).
    virtual void Popup(int x, int y);
    // Runs the click of the item with that command number; returns whether found.
    bool DispatchCommand(uint16_t command);

protected:
    virtual void DoPopup(int x, int y) { }

private:
    std::unique_ptr<TMenuItem> items_;
};

} // namespace lt
