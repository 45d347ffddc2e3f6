#pragma once
// Skinned popup menus: trees of plain TMenuItem objects shown in windows
// drawn from the skin, without the platform's menus and without a modal loop.
//
//   TskSkinPopupMenu  a TPopupMenu (a control's context menu, an edit box's
//                     menu, a menu button's menu) that shows its Items through
//                     the window frame's menu object.
//   TskSkinMenu       the one menu object of a form, owned by its window
//                     frame: opens a chain of popup windows, one per open
//                     level, closes them and runs the chosen command.
//   TskSkinPopupWindow, TskSkinMenuItem (skin_menu_window.h): one window per
//                     level, one view per visible item.
//
// The seam with the window frame. A form shows skinned menus through the
// first component among its own that implements SkinMenuFrame (the skinned
// window frame does). The frame:
//   - owns one TskSkinMenu, made with the frame itself as its SkinMenuFrame,
//     and hands it out by SkinMenu();
//   - names the skin menus are drawn with: MenusSkinData(), else
//     FrameSkinData();
//   - is told when a menu is about to open (SkinMenuOpening) and after one
//     has closed (SkinMenuClosed), to raise its OnSkinMenuOpen and
//     OnSkinMenuClose;
//   - passes every message its form's window receives to
//     TskSkinMenu::CloseOnFormMessage(msg) before handling it: moving, sizing,
//     deactivation, losing the focus, cancel-mode and any button press in the
//     form, its frame or a child (WM_PARENTNOTIFY) close an open menu without
//     running a command;
//   - opens its system menu with TskSkinMenu::Popup(items, the button's or
//     the cursor's screen rectangle, nullptr, skin data, upward).
// The frame relays no keys: while a menu is open the menu object reads the
// keyboard itself through a desktop key filter (every key goes to the last
// open window; Esc with none left closes the menu). TskSkinMenu::KeyDown is
// that entry point, for a frame that wants to hand a key over itself.
//
// Closing and commands. A chosen item closes the whole menu first: its
// windows disappear, the opening control and then the form receive
// SKM_MENUCLOSED, the showing's OnMenuClose runs, the frame hears
// SkinMenuClosed. The item's OnClick runs afterwards, from the event loop on
// its next turn, outside every window procedure, so a handler may open a
// modal dialog or free the menu's form; then the opening control receives
// SKM_MENUCOMMAND. Nothing is touched after a handler that freed it.
//
// Sections: the frame seam - TskSkinMenuHost - TskSkinMenu - TskSkinPopupMenu.

#include <functional>
#include <memory>
#include <vector>

#include "forms/controls.h"
#include "forms/font.h"
#include "forms/forms.h"
#include "forms/menus.h"
#include "gfx/geometry.h"
#include "skin/skin_data.h"

namespace lt {

class TskSkinMenu;
class TskSkinPopupWindow;

// ---- the frame seam ----------------------------------------------------------

class SkinMenuFrame {
public:
    virtual ~SkinMenuFrame() = default;
    virtual TskSkinMenu& SkinMenu() = 0;
    virtual TskSkinData* MenusSkinData() const = 0;
    virtual TskSkinData* FrameSkinData() const = 0;
    // The form whose menus these are: popup windows stay above it, and it
    // receives SKM_MENUCLOSED.
    virtual TCustomForm* FrameForm() const = 0;
    virtual void SkinMenuOpening() = 0;
    virtual void SkinMenuClosed() = 0;
};

// The first component of `form` that is a SkinMenuFrame, or nullptr.
SkinMenuFrame* FindSkinMenuFrame(const TComponent* form);

// The form messages on which an open menu closes.
bool ClosesSkinMenu(std::uint32_t msg);

// The menu half of a window frame, for a form that has no skinned frame (a
// plain dialog, a tool's page): it owns the form's menu object, draws menus
// with SkinData, and closes an open menu on the form's messages as the frame
// does. A form with a skinned window frame needs none.
class TskSkinMenuHost : public TComponent, public SkinMenuFrame {
public:
    explicit TskSkinMenuHost(TCustomForm* form);
    ~TskSkinMenuHost() override;

    TskSkinData* SkinData() const { return skin_data_; }
    void SetSkinData(TskSkinData* data);
    TNotifyEvent OnSkinMenuOpen;
    TNotifyEvent OnSkinMenuClose;

    TskSkinMenu& SkinMenu() override { return *menu_; }
    TskSkinData* MenusSkinData() const override { return nullptr; }
    TskSkinData* FrameSkinData() const override { return skin_data_; }
    TCustomForm* FrameForm() const override { return form_; }
    void SkinMenuOpening() override;
    void SkinMenuClosed() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomForm* form_;
    TskSkinMenu* menu_;
    TskSkinData* skin_data_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// ---- TskSkinMenu -------------------------------------------------------------

class TskSkinMenu : public TComponent {
public:
    TskSkinMenu(TComponent* owner, SkinMenuFrame& frame);
    // Closes any open windows without telling anyone: the frame is going.
    ~TskSkinMenu() override;

    // ---- settings (the frame's UseSkinFontInMenu, DefMenuItemHeight,
    // DefMenuItemFont, MenusAlphaBlend..., MaxMenuItemsInWindow)
    bool UseSkinFont = true;
    int DefaultItemHeight = 20;
    // "Arial", height 14, no style at creation.
    TFont& DefaultItemFont() { return *default_font_; }
    const TFont& DefaultItemFont() const { return *default_font_; }
    // Translucent windows need layered windows, which this platform does not
    // offer; the settings are kept for the frame's properties.
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue = 150;
    // More items than this scroll in a window of this many (0 = no limit).
    int MaxItemsInWindow = 0;
    // Runs once when the showing it was given for closes, then is dropped.
    TNotifyEvent OnMenuClose;

    SkinMenuFrame& Frame() const { return frame_; }

    // Opens `item`'s visible children from `start` on in a window at `anchor`
    // (screen coordinates: a point as an empty rectangle, or a button's
    // rectangle). An open menu closes first. `opener` (may be null) receives
    // SKM_MENUCLOSED and SKM_MENUCOMMAND; `data` draws the menu (null or
    // empty: the plain look); `upward` prefers opening above the anchor.
    // Nothing opens for an item without visible children from `start`.
    void Popup(
        TMenuItem* item, const Rect& anchor, TControl* opener, TskSkinData* data, bool upward = false, int start = 0);

    bool Visible() const { return visible_; }
    // Closes the whole menu without running a command.
    void CloseAll();
    // Called by the frame with each message of its form; closes an open menu
    // on the messages ClosesSkinMenu names and says whether it did.
    bool CloseOnFormMessage(std::uint32_t msg);
    // A key for the open menu (WM_KEYDOWN's virtual key). Returns whether
    // the menu took it: every key while it is open.
    bool KeyDown(int vk);

    // ---- state
    TControl* Opener() const { return opener_; }
    TskSkinData* MenuSkinData() const { return data_; }
    // The work area of the screen the form is on, taken when the menu opens.
    const Rect& WorkArea() const { return work_area_; }
    int WindowCount() const { return static_cast<int>(windows_.size()); }
    TskSkinPopupWindow* Windows(int level) const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TskSkinPopupWindow;

    // Opens `item`'s submenu (or the top-level window) as level `level`.
    TskSkinPopupWindow* OpenWindow(TMenuItem& item, int start, const Rect& anchor, bool submenu, bool upward);
    // Closes the windows from `level` up; the item that opened the lowest
    // of them is no longer down. Level 0 is CloseAll.
    void CloseFrom(int level);
    // Clicks the item of a window: a leaf closes the menu and runs its
    // command; an item with children runs its own OnClick and opens its
    // submenu at once.
    void ClickItem(TskSkinPopupWindow& window, int index);
    // The 500 ms delay before a highlighted item's submenu opens.
    void StartSubmenuDelay(TskSkinPopupWindow& window, int index);
    void CancelSubmenuDelay();
    void CancelSubmenuDelay(TskSkinPopupWindow& window, int index);
    void SubmenuDelayExpired(TskSkinPopupWindow& window);
    void Watch(TComponent* c);
    void SetKeyFilter(bool on);
    // Frees closed windows on the next loop turn: one of them may be
    // running the handler that closed it.
    void ReapLater();

    SkinMenuFrame& frame_;
    std::unique_ptr<TFont> default_font_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool visible_ = false;
    Rect work_area_;
    TskSkinData* data_ = nullptr;
    TControl* opener_ = nullptr;
    TMenuItem* root_ = nullptr;
    std::vector<std::unique_ptr<TskSkinPopupWindow>> windows_;
    std::vector<std::unique_ptr<TskSkinPopupWindow>> closed_;
    bool reap_posted_ = false;
    TskSkinPopupWindow* delay_window_ = nullptr;
    int delay_item_ = -1;
    int key_filter_ = 0;
};

// ---- TskSkinPopupMenu --------------------------------------------------------

class TskSkinPopupMenu : public TPopupMenu {
public:
    explicit TskSkinPopupMenu(TComponent* owner);
    ~TskSkinPopupMenu() override;

    // The skin to draw with; null: the frame's MenusSkinData, else its
    // FrameSkinData, looked up at each showing.
    TskSkinData* SkinData() const { return skin_data_; }
    void SetSkinData(TskSkinData* data);
    // Handed to the frame's menu object for each showing.
    TNotifyEvent OnMenuClose;

    // The frame to show through (null: the first SkinMenuFrame of the form
    // below) and the form to look in (null: the owner when it is a form,
    // else the owner's owner when that is one).
    void SetFrame(SkinMenuFrame* frame);
    void SetPopupForm(TCustomForm* form);
    // Where the menu last opened, (-1, -1) before the first time.
    Point PopupPoint() const { return popup_point_; }

    // Raises OnPopup and opens the menu at `screen` (a control's rectangle),
    // below it or, with `upward`, above it. `control` receives SKM_MENUCLOSED
    // and SKM_MENUCOMMAND.
    void PopupAtRect(TControl* control, const Rect& screen, bool upward);
    // Raises OnPopup and opens the menu at the screen point with `edit` as the
    // opening control; shows nothing when no skin data is found at all.
    void PopupForEdit(TControl* edit, int x, int y);

protected:
    // Popup(x, y): OnPopup has run; opens at the point with no opening control.
    void DoPopup(int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    SkinMenuFrame* FindFrame() const;
    void Show(TControl* opener, const Rect& anchor, bool upward, bool need_skin);

    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    TskSkinData* skin_data_ = nullptr;
    SkinMenuFrame* frame_ = nullptr;
    TCustomForm* popup_form_ = nullptr;
    Point popup_point_{-1, -1};
};

} // namespace lt
