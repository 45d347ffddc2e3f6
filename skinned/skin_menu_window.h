#pragma once
// The windows of an open skinned menu: one TskSkinPopupWindow per open level,
// holding one TskSkinMenuItem view per visible menu item, and the rules they
// follow that need no window: where a menu window goes on the screen and
// which skin pictures draw it.
//
// A popup window is a top-level window that never takes activation, the
// keyboard focus or the mouse capture. It reads the pointer on a 50 ms timer
// (the hover rule below), clicks on a left-button release, and takes the keys
// its menu hands it. Everything a click or a key decides about the whole menu
// (closing levels, opening a submenu, running a command) goes back to the
// menu object (skin_menu.h), which owns the windows.
//
// Sizes, with the stored skin: an item is as high as the menu-item object's
// skin rectangle (22) and its caption starts at the text rectangle's left
// edge (23); the window adds the frame of the window picture around the
// items rectangle.
//
// Sections: placement - skin lookup - TskSkinMenuItem - TskSkinPopupWindow.

#include <memory>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/menus.h"
#include "gfx/bitmap.h"
#include "gfx/font_desc.h"
#include "gfx/geometry.h"
#include "skin/skin_data.h"
#include "skinned/composition.h"

namespace lt {

class TskSkinMenu;
class TskSkinPopupWindow;

// ---- placement ---------------------------------------------------------------

// What decides where a menu window goes. All rectangles in screen coordinates.
struct MenuPlacement {
    Size size;
    // A top-level window's anchor: the point or rectangle it opens at. A
    // submenu's: its parent item's rectangle.
    Rect anchor;
    Rect work;
    bool submenu = false;
    // A top-level window that prefers to open above its anchor (the frame's
    // system-menu button).
    bool upward = false;
    // The top of the window's items rectangle (window coordinates), so that
    // a submenu's first item lines up with its parent item.
    int items_top = 0;
    // The window scrolls because it is taller than the work area.
    bool tall = false;
};

// The window's top-left corner. Vertically a top-level window opens below
// the anchor when it fits (above it when it asks for upward and fits there);
// otherwise it is pushed up to end at the work area's bottom while the anchor
// is in the upper half of the work area, or put above the anchor while it is
// in the lower half. Such a pushed window, a submenu and a window taller than
// the work area (which starts at its top) go beside the anchor horizontally,
// right of it when there is room, else left of it, so that they never cover
// the pointer or the parent item; any other window starts at the anchor's
// left, kept inside the work area. Halves round toward zero.
Point PlaceMenuWindow(const MenuPlacement& p);

// ---- skin lookup -------------------------------------------------------------

// The pieces of a skin data that draw menus, looked up afresh whenever they
// are used, so that an open menu never draws from a skin that was reloaded.
struct MenuSkin {
    const TskSkinPopupWindowInfo* window = nullptr;
    const Bitmap* window_picture = nullptr;
    const Bitmap* mask = nullptr;
    // The first menu-item object of the skin's object list.
    const TskDataSkinMenuItem* item = nullptr;
    // The item object's picture; null when its number names none, which
    // leaves the items without background pictures.
    const Bitmap* item_picture = nullptr;
    bool effects = false;

    // A window is drawn from the skin when the skin names a window picture
    // and has a menu-item object; anything less draws the plain look.
    bool skinned() const { return window_picture && item; }
    // The window picture cut by [POPUPWINDOW], the items rectangle playing
    // the client rectangle.
    SkinGeometry geometry() const;
};

MenuSkin ResolveMenuSkin(const TskSkinData* data);

// ---- TskSkinMenuItem ---------------------------------------------------------

// One visible menu item in a popup window.
class TskSkinMenuItem {
public:
    TskSkinMenuItem(TskSkinPopupWindow& window, TMenuItem& item) : window_(window), item_(&item) { }

    TskSkinPopupWindow& Window() const { return window_; }
    TMenuItem& Item() const { return *item_; }

    // Window coordinates; empty while scrolled out of view.
    Rect ItemRect;
    int Height = 0;
    // Highlighted (drawn with the active look).
    bool Active = false;
    // Its submenu is open (also drawn with the active look).
    bool Down = false;
    // Inside the scrolled range.
    bool Visible = true;
    // Highlighted by an arrow key: its submenu waits for a click, Right or
    // the pointer.
    bool KeyboardSelected = false;
    // The frame animation: frame 1 .. framecount while it runs, 0 otherwise.
    int Frame = 0;
    bool FrameBackward = false;
    // The blend between the normal (0) and the highlighted (1) picture.
    double Morph = 0;

    bool IsLine() const { return item_->IsLine(); }
    // A disabled item whose caption begins and ends with "-".
    bool IsHeader() const;
    bool HasChildren() const { return item_->Count() > 0; }
    // Items that can highlight and be clicked.
    bool Selectable() const { return item_->Enabled && !IsLine(); }
    bool Highlighted() const { return Active || Down; }

private:
    TskSkinPopupWindow& window_;
    TMenuItem* item_;
};

// ---- TskSkinPopupWindow ------------------------------------------------------

class TskSkinPopupWindow : public TCustomControl {
public:
    // Builds one view per visible child of `parent` from `start` on and
    // computes the window's size; the window itself is made by ShowAt.
    // `level` is the window's place in the menu's chain (0 = top level).
    TskSkinPopupWindow(TskSkinMenu& menu, TMenuItem& parent, int start, int level, const Rect& work);
    ~TskSkinPopupWindow() override;

    TskSkinMenu& Menu() const { return menu_; }
    TMenuItem& ParentItem() const { return parent_; }
    int Level() const { return level_; }
    // The index of the item in the window below this one that opened it.
    int OpenerIndex = -1;

    bool Skinned() const { return skinned_; }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    TskSkinMenuItem& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }
    // The highlighted item (or the one last under the pointer), -1 for none.
    int ActiveIndex() const { return active_; }
    int PreviousIndex() const { return previous_; }
    const std::string& HintText() const { return hint_; }
    // Window coordinates.
    const Rect& ItemsRect() const { return items_rect_; }
    Size WindowSize() const { return size_; }
    // The width of the image column (19 without an image list).
    int ImageColumn() const { return image_column_; }

    // ---- scrolling
    bool Scrolling() const { return scroll_; }
    // Scrolls because of the menu's item limit rather than its height.
    bool FixedCount() const { return fixed_count_; }
    int FirstVisible() const { return first_visible_; }
    int VisibleCount() const { return visible_count_; }
    // 0 still, 1 up, 2 down.
    int ScrollDirection() const { return scroll_dir_; }
    // The scroll-marker bands at the items rectangle's top and bottom.
    Rect TopMarker() const;
    Rect BottomMarker() const;

    // The visible item at a window point, or -1.
    int ItemAt(Point window_point) const;
    // The cell an item's caption is drawn in, window coordinates.
    Rect CaptionRect(int index) const;
    Rect ItemScreenRect(int index) const;

    // Places the window by PlaceMenuWindow, shows it without activating it,
    // starts the pointer tracking and highlights the first selectable item.
    void ShowAt(const Rect& anchor, bool submenu, bool upward);
    // Hides the window and stops its timers; the menu frees it later.
    void CloseWindow();
    bool Closed() const { return closed_; }

    // ---- behaviour (the menu and the tests drive these)
    // The hover rule at a screen point.
    void Hover(Point screen);
    // The keys of the open menu: Enter, Up, Down, Left, Right, Esc and
    // accelerator letters.
    void KeyDown(int vk);
    void SetItemDown(int index, bool down);
    // Starts or cancels this window's submenu-delay timer (the menu decides).
    void StartSubmenuTimer();
    void StopSubmenuTimer();

    // Timer ids of the window's timers.
    static constexpr std::uintptr_t kTrackTimer = 1, kScrollTimer = 2, kEffectTimer = 3, kSubmenuTimer = 4;
    static constexpr int kTrackMs = 50, kScrollMs = 100, kSubmenuMs = 500;

protected:
    bool IsTopLevelControl() const override { return true; }
    void CreateParams(lt::CreateParams& params) override;
    LResult WndProc(Message& m) override;
    void PaintWindow(Canvas& canvas, const Rect& update) override;

private:
    void Measure(const Rect& work);
    void Layout();
    // Makes `index` the active item; the previous one loses its highlight.
    void MakeActive(int index);
    void Highlight(int index, bool keyboard);
    void Unhighlight(int index);
    void MoveActive(bool down);
    void EnsureVisible(int index, bool wrapped);
    void StartScroll(int dir);
    void StopScroll();
    void ScrollTick();
    void TrackTick();
    void MouseRelease(Point screen);
    void InvalidateItem(int index);
    void StartEffect(TskSkinMenuItem& view, bool highlighted);
    void EffectTick();

    void PaintBackground(Canvas& canvas, const MenuSkin& skin);
    void PaintItem(Canvas& canvas, const MenuSkin& skin, const TskSkinMenuItem& view);
    void PaintItemSkinned(Canvas& canvas, const MenuSkin& skin, const TskSkinMenuItem& view);
    void PaintItemPlain(Canvas& canvas, const TskSkinMenuItem& view);
    void PaintItemBackground(Canvas& canvas, const MenuSkin& skin, const TskSkinMenuItem& view, bool highlighted);
    void PaintCaption(Canvas& canvas, const TskSkinMenuItem& view, Rect cell, int shortcut_end, Color color);
    void PaintHeader(Canvas& canvas, const TskSkinMenuItem& view, const Rect& text);
    void PaintMarkers(Canvas& canvas, const MenuSkin& skin);
    FontDesc ItemFont(const TskSkinMenuItem& view) const;
    // The item's text area and its caption's cell, item coordinates.
    Rect TextArea(const TskSkinMenuItem& view, const MenuSkin& skin) const;
    Rect CaptionCell(const TskSkinMenuItem& view, const MenuSkin& skin) const;

    TskSkinMenu& menu_;
    TMenuItem& parent_;
    int level_ = 0;
    std::vector<std::unique_ptr<TskSkinMenuItem>> items_;
    bool skinned_ = false;
    FontDesc font_;
    Size size_;
    Rect items_rect_;
    TargetGeometry target_;
    int image_column_ = 19;
    int active_ = -1;
    int previous_ = -1;
    std::string hint_;
    bool scroll_ = false;
    bool fixed_count_ = false;
    bool tall_ = false;
    int first_visible_ = 0;
    int visible_count_ = 0;
    int scroll_dir_ = 0;
    Point last_pointer_;
    bool effect_running_ = false;
    bool closed_ = false;
    // The complete window picture under transparent normal items.
    Bitmap background_;
};

} // namespace lt
