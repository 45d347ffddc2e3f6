#pragma once
// The skinned one-line edit box: the framework's edit control, which keeps
// the text, the caret and the selection and does the typing (undo, clipboard,
// input method, read-only, maximum length), dressed from an "edit" skin
// object, with a skinned context menu.
//
// Look. With its skin object the box is as high as the skin rectangle,
// whatever height it is given, and its border is the non-client area that
// the skin's client rectangle leaves (left C.left, top C.top, right
// sw - C.right, bottom sh - C.bottom). The whole image is the horizontal
// three-piece of skinrect, or of activeskinrect while the box is hot (the
// pointer is over it) or focused, at the box's width: the left piece
// lefttoppoint.x wide, the right piece sw - righttoppoint.x wide, the middle
// stretched with stretcheffect, else tiled. The frame is drawn as the
// non-client paint and the part under the text area as the text's
// background, so the text sits on the skin. The text is drawn 2 pixels in,
// in the skin's font (UseSkinFont) and colour: activefontcolor while hot or
// focused, fontcolor otherwise, disabledfontcolor while disabled.
// Without the object (no skin data, an empty one, no object of the name, or
// an object of another kind) it draws its plain look: a one-pixel
// button-face rectangle around a one-pixel button-shadow rectangle (a
// 2-pixel border), the text area in DefaultColor, the text in DefaultFont
// (grey while disabled).
//
// Keys. Enter and Escape are never typed: they reach OnKeyPress and then the
// form as dialog keys, where a default or cancel button may act on them. A
// read-only box moves the caret, selects and copies, and refuses every
// change. Typed and input-method text arrives as UTF-8 and is held in code
// page 936 ('?' for what it cannot hold); pasted text keeps its first line
// only, so the box never holds a line break.
//
// Context menu. Without a PopupMenu, a right click (at the pointer) or the
// context-menu key (at the box's centre) builds a fresh skinned popup menu:
// Undo, -, Cut, Copy, Paste, Delete, -, Select All, with the texts of the
// form's skin data's resource strings when it has them. The menu lives until
// the next one is built or the box is destroyed.
//
// Skin changes. ForgetSkin drops the object before the skin data reloads;
// ApplySkin looks it up again and re-reads the height, the border, the font
// and the colours (the text stays).
//
// Sections: the look of a state - commands - TskSkinEdit.

#include <memory>
#include <string>

#include "forms/edit.h"
#include "forms/font.h"
#include "gfx/canvas.h"
#include "skin/skin_data.h"
#include "skinned/skin_data_link.h"

namespace lt {

class TskSkinPopupMenu;

// ---- the look of a state ----------------------------------------------------

// The picture rectangle of the box's image: activeskinrect while hot or
// focused (an empty one falls back to skinrect), skinrect otherwise.
Rect EditFaceRect(const TskDataSkinEditControl& object, bool active);
// The text colour: disabledfontcolor while disabled, else activefontcolor
// while hot or focused, else fontcolor.
Color EditTextColor(const TskDataSkinEditControl& object, bool enabled, bool active);
// The non-client border the skin's client rectangle leaves, as the widths of
// the left, top, right and bottom sides.
Rect EditBorder(const TskDataSkinEditControl& object);

// ---- commands ----------------------------------------------------------------

// The context menu's commands, in menu order.
enum class EditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };

// ---- TskSkinEdit ------------------------------------------------------------

class TskSkinEdit : public TCustomEdit {
public:
    explicit TskSkinEdit(TComponent* owner);
    ~TskSkinEdit() override;

    // ---- the skin binding
    TskSkinData* SkinData() const { return skin_.Data(); }
    // Stores the reference; a loaded skin data is applied at once.
    void SetSkinData(TskSkinData* data);
    // "edit" at creation. Takes effect at the next ApplySkin.
    const std::string& SkinDataName() const { return skin_.name; }
    void SetSkinDataName(const std::string& name) { skin_.name = name; }
    // The skin object in use, or nullptr while the box draws its plain look.
    const TskDataSkinEditControl* SkinObject() const;
    bool Skinned() const { return SkinObject() != nullptr; }
    // Looks the object up again and re-reads the height, the border, the
    // font and the colours; repaints. Unskinned, DefaultWidth and
    // DefaultHeight apply where above 0.
    void ApplySkin();
    // Drops the object (the plain look) until the next ApplySkin: called
    // before the skin data reloads, so that nothing touches its pictures.
    void ForgetSkin();

    // ---- look settings
    // The plain look's font: "Arial", height 14 at creation.
    TFont& DefaultFont() { return *default_font_; }
    const TFont& DefaultFont() const { return *default_font_; }
    // The plain look's text area (the window colour at creation).
    Color DefaultColor() const { return default_color_; }
    void SetDefaultColor(Color c);
    // Draw in the skin object's font (on at creation); off: in Font.
    bool UseSkinFont() const { return use_skin_font_; }
    void SetUseSkinFont(bool on);
    // Sizes taken by ApplySkin while unskinned (0 = none).
    int DefaultWidth = 0;
    int DefaultHeight = 0;

    // ---- state
    // Hot (the pointer is over the box) or focused, and enabled: the skin's
    // active picture and font colour.
    bool Active() const;
    bool Hot() const { return hot_; }

    // ---- the context menu
    // Whether a command of the context menu can run now: Undo when the edit
    // can undo; Cut and Delete with a selection and not read-only; Copy
    // with a selection; Paste when the clipboard holds text and the box is
    // not read-only; Select All unless the whole text is selected already.
    bool CommandEnabled(EditCommand command) const;
    // Runs a command of the context menu (the edit's undo, cut, copy, paste,
    // clear-selection or select-all).
    void RunCommand(EditCommand command);
    // Builds a fresh context menu and opens it at a screen point (the
    // previous one is freed). Shows nothing when no skin data is found.
    void PopupContextMenu(Point screen);
    // The menu built by the last PopupContextMenu, or nullptr.
    TskSkinPopupMenu* ContextMenu() const { return menu_; }

    void SetBounds(int left, int top, int width, int height) override;
    void SetEnabled(bool on) override;
    LResult WndProc(Message& m) override;

protected:
    FontDesc TextFont() const override;
    Color TextColor() const override;
    void PaintBackground(Canvas& canvas, const Rect& client_rect) override;
    void KeyDown(int& key, TShiftState shift) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Index lookup; an object of another kind counts as none.
    void FetchSkinObject();
    // The skin picture, or nullptr when the object names none.
    const Bitmap* Picture(const TskDataSkinEditControl& object) const;
    // The border widths of the current look.
    Rect Border() const;
    // The whole image of the box (window coordinates through `canvas`).
    void PaintFace(Canvas& canvas);
    // The resource text of a menu item, or its English default.
    std::string MenuText(const char* name, const char* fallback) const;
    void SetHot(bool on);

    SkinDataLink skin_{*this, "edit"};
    int index_ = -1;
    std::unique_ptr<TFont> default_font_;
    Color default_color_ = clWindow;
    bool use_skin_font_ = true;
    bool hot_ = false;
    TskSkinPopupMenu* menu_ = nullptr;
};

} // namespace lt
