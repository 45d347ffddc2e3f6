#pragma once
// Windowless tool buttons: TskSkinSpeedButton, drawn from a "toolbutton"
// skin object, and TskSkinMenuSpeedButton, which opens a skinned popup menu
// below itself ("toolmenubutton").
//
// Behaviour. A tool button takes no focus and no keys. The shared press
// (TControl::Press, fed by the parent's mouse routing) tracks the pointer and
// the left button; the button keeps on top of it the Down property (pressed,
// or latched in a group), its pointer-over flag and the press that began on a
// button already down. Its timers run on the UI loop (ControlTimer) and stop
// on release, hide, disable and destruction:
//
//   timer      interval                       does
//   ---------  -----------------------------  --------------------------------
//   repeat     500 ms, then RepeatInterval    first tick only switches the
//                                             interval; later ticks click
//   animation  animateinterval               steps the frame forward or back
//   morph      20 ms                         moves the morph factor 0.2
//
//   event                  ungrouped                      grouped (GroupIndex != 0)
//   ---------------------  -----------------------------  ---------------------------------
//   left press             Down; repeat timer starts      up: Down (others of the group go
//                          (RepeatMode)                   up unless AllowAllUp) and click;
//                                                         down: remember the press
//   left release inside    up; click                      down, AllowAllUp and the press
//                                                         began down: up and click
//   left release outside   up, no click                   nothing
//
// OnMouseDown and OnMouseUp fire before the button's own handling; a quick
// second press counts as a press (the parent's double-click is taken as one).
//
// The menu button. A left press on its menu part (the whole button unless
// TrackButtonMode) opens SkinPopupMenu below the button through PopupAtRect,
// with the button as the opening control, and keeps the button down with the
// menu-open flag set; releases are then ignored. SKM_MENUCLOSED from the menu
// raises it again. While the menu is open the button shows its pressed look
// wherever the pointer is.
//
// Looks are chosen by ChooseSpeedButtonLook (one function, one table of
// rules); painting reads state and never changes it.
//
// Sections: looks - TskSkinSpeedButton - TskSkinMenuSpeedButton.

#include <functional>
#include <string_view>

#include "forms/image_list.h"
#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "skinned/composition.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_graphic_control.h"
#include "skinned/skin_menu.h"

namespace lt {

// ===========================================================================
// Looks

// The look of a tool button: a picture of the skin (or a blend of two), or,
// for a transparent button at rest, no background at all.
struct SpeedButtonLook {
    ButtonLook look;
    bool transparent = false;

    friend bool operator==(const SpeedButtonLook&, const SpeedButtonLook&) = default;
};

// First matching rule (the state's focused and mouse_pressed are not read:
// a tool button has no focus):
//   morphing, not transparent, 0 < morph < 1   blend normal -> active
//   down and (grouped or pointer over)         down            active, down
//   pointer over, or morphing with morph = 1   active          active
//   transparent                                no background
//   disabled, disabled look given              disabled
//   otherwise                                  normal
// The frame animation replaces the active look (forward) or the normal look
// (backward) as for the push button.
SpeedButtonLook ChooseSpeedButtonLook(const ButtonLooks& looks, const ButtonLookState& s, bool transparent);

// Where a menu button's track part (the part that opens the menu) lies for a
// button of `size`: for a skin object other than the plain button objects
// ("resizebutton", "resizetoolbutton", "toolbutton", "bigtoolbutton"; an
// empty name is no skin object), its trackbuttonrect moved right by the width
// growth (Horizontal) or down by the height growth (Vertical); otherwise the
// strip 15 pixels high at the bottom (`bottom`) or 15 pixels wide at the
// right.
Rect MenuTrackPart(
    std::string_view object_name, const Rect& trackbuttonrect, ResizeMode mode, Size skin, Size size, bool bottom);

// The drop-down mark: for n = 2, 1, 0 a line from cx - n to cx + n at
// cy + 2 - n (5, 3 and 1 pixels, pointing down).
void DrawDropDownArrow(Canvas& canvas, Point centre, Color color);

// ===========================================================================
// TskSkinSpeedButton

class TskSkinSpeedButton : public TskGraphicSkinCustomControl, public ButtonGlyphProperties {
public:
    explicit TskSkinSpeedButton(TComponent* owner);
    ~TskSkinSpeedButton() override;

    // ---- properties (setters repaint where the look changes)

    // On: the size follows the skin's resize mode. Off: any size; the
    // picture is scaled (fixed looks) or stretched between the corners of
    // clientrect.
    bool UseSkinSize() const { return use_skin_size_; }
    void SetUseSkinSize(bool on);
    // Off: an enabled button draws its caption in DefaultFont's colour.
    bool UseSkinFontColor() const { return use_skin_font_color_; }
    void SetUseSkinFontColor(bool on);
    // Glyph, NumGlyphs, Layout, Margin, Spacing, ImageList and ImageIndex
    // (0 at creation) come from ButtonGlyphProperties. Image ImageIndex of
    // the list is drawn when the glyph is empty and the index lies inside
    // the list. A button on a TskSkinToolBar takes the bar's Images
    // (HotImages while hot or down, DisabledImages while disabled) first.
    // Click repeatedly while held (see the repeat timer above).
    bool RepeatMode = false;
    int RepeatInterval = 100;
    // Flat look; also sets Transparent to the same value. A flat button
    // never runs its frame animation.
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    // No background of its own at rest: the parent shows through and only
    // the glyph and caption are drawn. A transparent button does not morph.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // The buttons of a group may all be up: a press on a down one raises it.
    bool AllowAllUp = false;
    // Pressed, or latched in a group. Setting it true on a grouped button
    // raises the others of its group (same parent and GroupIndex) unless
    // AllowAllUp.
    bool Down() const { return down_; }
    void SetDown(bool on);
    // Non-zero: a latching button of that group.
    int GroupIndex() const { return group_index_; }
    void SetGroupIndex(int index);
    // A hidden caption is neither drawn nor measured. When WidthWithCaption
    // and WidthWithoutCaption are both above 0, switching it sets the width
    // to the matching one.
    bool ShowCaption() const { return show_caption_; }
    void SetShowCaption(bool on);
    int WidthWithCaption = 0;
    int WidthWithoutCaption = 0;

    // ---- state, for painting and for tests

    // The pointer-over flag.
    bool MouseIn() const { return mouse_in_; }
    // The left button went down on it and is held.
    bool MousePressed() const { return press_.held_by_mouse(); }
    double MorphFactor() const { return morph_factor_; }
    // The animation frame (1 .. framecount), 0 while none runs.
    int AnimationFrame() const { return frame_; }
    bool RepeatRunning() const { return repeat_timer_.running(); }
    bool MorphRunning() const { return morph_timer_.running(); }
    // Morphing applies: the skin object asks for it, the skin data is loaded
    // with its effects on and the button is not transparent.
    bool Morphing() const;
    // The looks of the bound skin object (every one skinrect while unskinned).
    const ButtonLooks& Looks() const { return skin_.looks; }
    // The state the look is chosen from, as it is now.
    ButtonLookState LookState() const;
    // Drawn pressed: Down, and grouped or hot.
    bool DrawnDown() const;

    // ---- operations

    // The click: OnClick. The handler may free or hide the button; callers
    // check.
    virtual void FireClick();
    // A click from code: FireClick.
    void Click() override { FireClick(); }

    void FetchSkinObject() override;
    // Stops the animation and the morph, applies the skin, and sets the morph
    // factor to 1 when morphing while the pointer is over the button.
    void ApplySkin() override;
    void FitSizeToSkin(int& width, int& height) override;
    // Enabling or disabling ends a press, the repeat, the morph (factor 0)
    // and the pointer-over flag.
    void SetEnabled(bool on) override;
    // Hiding ends a press, the repeat, the animation and the morph.
    void SetVisible(bool on) override;
    LResult WndProc(Message& m) override;

protected:
    // The picture of `rect` (a look of the skin picture) for the button's
    // size, then the image and caption in the caption area, coloured for
    // `active` and `down`.
    virtual void PaintStateImage(Bitmap& bitmap, const Rect& rect, bool active, bool down);
    void PaintSkinned(Bitmap& bitmap) override;
    void PaintUnskinned(Bitmap& bitmap) override;
    // A transparent button at rest draws straight onto the parent's surface;
    // every other look goes through the off-screen bitmap.
    void Paint() override;
    // Whether the look now is the transparent one (no background).
    bool TransparentNow() const;
    // The transparent look: the image and caption only, in the target client
    // rectangle (skinned) or the client rectangle.
    virtual void PaintTransparent(Canvas& canvas);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void PressChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

    // The pointer-over flag as the looks read it.
    virtual bool HotLook() const { return mouse_in_; }
    // The pointer came over the button or left it (enabled buttons only).
    virtual void PointerEntered();
    virtual void PointerLeft();
    // The left button came up after OnMouseUp ran and the press was told;
    // `pressed` says whether the press was this button's.
    virtual void LeftReleased(bool inside, bool pressed);
    void SetMouseIn(bool on) { mouse_in_ = on; }
    // The press of a left button that is this button's (after OnMouseDown).
    void PressDown();
    void StopAnimation();
    // A redraw: starts the morph timer when morphing, else repaints.
    void Redraw();

    // The unskinned background: pressed, hot, or idle with a clBtnShadow
    // frame unless flat (a flat one is plain clBtnFace).
    void PaintPlainBackground(Canvas& canvas, const Rect& r, bool pressed) const;
    // The image (glyph strip, image list or the tool bar's lists) and the
    // caption (unless hidden) laid out in `area`, in the canvas's font and
    // text colour.
    void DrawFace(Canvas& canvas, const Rect& area, bool active, bool down, bool pressed) const;
    // The caption colour of the transparent look.
    Color TransparentTextColor() const;
    // The caption area of the skinned looks: the target client rectangle
    // (the whole button in mode -1).
    Rect SkinFaceArea() const;
    const ButtonSkin& SkinFields() const { return skin_; }

private:
    bool AnimationEnabled() const;
    void StartAnimation(bool forward);
    void AnimationTick();
    void StartRepeat();
    void StopRepeat();
    void RepeatTick();
    void MorphStep();
    // A press taken away (disable, hide, cancel-mode): no click; an
    // ungrouped button goes up.
    void EndPress();
    LResult LeftRelease(Message& m);
    ButtonImage ChooseImage(bool active, bool down) const;

    bool use_skin_size_ = true;
    bool use_skin_font_color_ = true;
    bool flat_ = false;
    bool transparent_ = false;
    bool down_ = false;
    int group_index_ = 0;
    bool show_caption_ = true;

    bool mouse_in_ = false;
    bool last_hot_ = false;
    bool press_on_down_ = false;
    double morph_factor_ = 0.0;
    ControlTimer morph_timer_;
    int frame_ = 0;
    bool frame_forward_ = true;
    ControlTimer animation_timer_;
    ControlTimer repeat_timer_;
    bool repeat_started_ = false;

    // From the skin object, refreshed by every FetchSkinObject.
    ButtonSkin skin_;
};

// ===========================================================================
// TskSkinMenuSpeedButton

enum class TskTrackPosition { sktpRight, sktpBottom };

class TskSkinMenuSpeedButton : public TskSkinSpeedButton {
public:
    explicit TskSkinMenuSpeedButton(TComponent* owner);
    ~TskSkinMenuSpeedButton() override;

    // The menu the button opens (watched: cleared when it is freed).
    TskSkinPopupMenu* SkinPopupMenu() const { return menu_; }
    void SetSkinPopupMenu(TskSkinPopupMenu* menu);
    // Off: the whole button opens the menu. On: only its track part does
    // (MenuTrackPart); a press elsewhere is an ordinary press.
    bool TrackButtonMode = false;
    TskTrackPosition TrackPosition = TskTrackPosition::sktpRight;
    // Setting it true binds the button to "resizetoolbutton".
    bool NewStyle() const { return new_style_; }
    void SetNewStyle(bool on);
    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

    // From the press that opened the menu until SKM_MENUCLOSED.
    bool MenuOpen() const { return menu_open_; }
    // The track part at the current size, in client coordinates.
    Rect TrackPart() const;

    void FetchSkinObject() override;
    LResult WndProc(Message& m) override;

protected:
    // The track look while the menu is open in TrackButtonMode; otherwise
    // the speed button's.
    void PaintStateImage(Bitmap& bitmap, const Rect& rect, bool active, bool down) override;
    // The speed button's plain background, the image and caption left of a
    // 15-pixel strip and the drop-down mark in the strip.
    void PaintUnskinned(Bitmap& bitmap) override;
    // The image and caption, then the marker beside them.
    void PaintTransparent(Canvas& canvas) override;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;
    // An open menu counts as the pointer being over the button.
    bool HotLook() const override { return MouseIn() || menu_open_; }
    void PointerEntered() override;
    void PointerLeft() override;
    void LeftReleased(bool inside, bool pressed) override;

private:
    bool MenuHit(Point p) const;
    void OpenMenu();
    void MenuClosed();
    // True while the frame's menu is showing with this button as its opener.
    bool MenuShowing() const;
    // The strip of the unskinned and transparent looks (the right 15 pixels,
    // or the bottom 15 with NewStyle at sktpBottom) and the face area left.
    bool StripAtBottom() const { return new_style_ && TrackPosition == TskTrackPosition::sktpBottom; }

    TskSkinPopupMenu* menu_ = nullptr;
    bool new_style_ = false;
    bool menu_open_ = false;
    // From a menu-button skin object.
    bool menu_object_ = false;
    Rect track_rect_;
    Rect marker_flat_;
    Color marker_key_ = 0;
};

} // namespace lt
