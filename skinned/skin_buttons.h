#pragma once
// Skinned push buttons: TskSkinButton, drawn from a "button" skin object in
// one of its looks (normal, hot, pressed, focused, disabled), and
// TskSkinXFormButton, which has a look of its own from default images while
// no skin is bound.
//
// Behaviour. The shared press (TControl::Press) tracks the pointer and the
// left button; the button keeps the state the skin rules speak of on top of
// it: the Down property (pressed, or latched in a group), the pointer-over
// flag (hot, also kept by a default button while the focus is elsewhere),
// the active-default flag (this button answers Enter) and the press that
// began on a button already down. Its timers run on its own window and stop
// on release, hide, disable and destruction:
//
//   timer      interval                       does
//   ---------  -----------------------------  --------------------------------
//   repeat     500 ms, then RepeatInterval    first tick only switches the
//                                             interval; later ticks click
//   animation  animateinterval               steps the frame forward or back
//   morph      20 ms                         moves the morph factor 0.2
//
// Mouse, keys and focus, in short (the exact rules sit with the handlers):
//
//   event                  ungrouped                      grouped (GroupIndex != 0)
//   ---------------------  -----------------------------  ---------------------------------
//   left press             Down; repeat timer starts      up: Down (others of the group go
//                          (RepeatMode)                   up unless AllowAllUp) and click;
//                                                         down: remember the press
//   left release inside    up; click                      down, AllowAllUp and the press
//                                                         began down: up and click
//   left release outside   up; no click                   nothing
//   Space down / up        Down (click each key repeat    the same
//                          in RepeatMode) / up and click
//   Enter down             click                          click
//   Enter, Esc elsewhere   the active default answers Enter, a focusable Cancel
//                          button Esc (the form offers them as CM_DIALOGKEY)
//
// The look is chosen by ChooseButtonLook (one function, one table of rules);
// painting reads state and never changes it.
//
// Sections: looks - painting a look - TskSkinButton - TskSkinXFormButton.

#include <functional>
#include <memory>
#include <string_view>

#include "forms/forms.h"
#include "forms/image_list.h"
#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "skinned/composition.h"
#include "skinned/morph.h"
#include "skinned/skin_control.h"

namespace lt {

// ===========================================================================
// Looks

// The looks of a button skin object, in picture coordinates, with the skin's
// fallbacks applied: an empty active look is the normal one, an empty down
// look the active one. The focused and disabled looks stay empty when the
// skin has none (those rows are then passed over).
struct ButtonLooks {
    Rect normal, active, down, focused, disabled;
};

// What the choice of a look depends on.
struct ButtonLookState {
    bool enabled = true;
    bool down = false;    // the Down property
    bool grouped = false; // GroupIndex != 0
    bool pointer_over = false;
    bool focused = false;       // has the focus and CanFocused
    bool mouse_pressed = false; // the left button went down on it and is held
    // Morphing on (skin object and skin effects), and the morph factor.
    bool morphing = false;
    double morph = 0.0;
    // A frame animation runs; while its frame is valid (not empty) it
    // replaces the active look (forward) or the normal look (backward).
    bool animating = false;
    bool animation_forward = true;
    Rect animation_frame;
};

// The look to draw: one picture rectangle with the Down and Active flags of
// PaintStateImage, or a blend of the normal and active pictures.
struct ButtonLook {
    Rect source;
    bool down = false;
    bool active = false;
    // Morphing with 0 < factor < 1 on an enabled button: blend the normal
    // picture (morph_normal, not down, not active) toward the active one
    // (morph_active, active) by the factor.
    bool morph = false;
    Rect morph_normal, morph_active;

    friend bool operator==(const ButtonLook&, const ButtonLook&) = default;
};

// First matching rule:
//   morphing, 0 < morph < 1, enabled          blend normal -> active
//   disabled, disabled look given             disabled        no, no
//   down and (grouped, pointer over, or
//     focused and not mouse-pressed)          down            yes, yes
//   focused, focused look given, no animation focused         no, yes
//   focused                                   active          no, yes
//   pointer over                              active          no, yes
//   morphing and morph = 1                    active          no, yes
//   otherwise                                 normal          no, no
ButtonLook ChooseButtonLook(ButtonLooks looks, const ButtonLookState& s);

// The caption colours of a button skin object; a disabled colour equal to
// the normal one is replaced by grey, RGB(128, 128, 128), so the state shows.
struct ButtonFontColors {
    Color font = 0, active = 0, down = 0, disabled = 0;
};

// What a button copies from its skin object at every fetch.
struct ButtonSkin {
    ButtonLooks looks;
    ButtonFontColors colors;
    bool morphing = false;
    TMorphKind morph_kind = mkDefault;
    Rect animate_rect;
    int frame_count = 0;
    int animate_interval = 25;
    bool show_focus = false;
};
// The fields of a button skin object with the skin's fallbacks; without one
// (nullptr) every look is `skinrect` and the rest stays at its default.
ButtonSkin ReadButtonSkin(const TskDataSkinButtonControl* object, const Rect& skinrect);

// Frame `frame` (from 1) of an animation strip: `framecount` frames side by
// side when the strip is wider than the skin look, else stacked; each is the
// strip's width (or height) div framecount. Empty for a framecount of 0 or
// less (no animation) and for a frame outside 1 .. framecount.
Rect AnimationFrameRect(const Rect& strip, Size skin, int framecount, int frame);

// ===========================================================================
// Behaviour shared by the windowed button and the tool buttons

// PressChanged's reading of the press: when its hot flag differs from
// `last_hot` (which then takes it) on an enabled button, the pointer came
// over the button (`entered` runs) or left it (`left` runs). Returns false
// when neither ran: the caller repaints. Disabling clears hot without the
// pointer moving, so a disabled button only repaints.
template <class Entered, class Left>
bool FollowPointer(bool hot, bool& last_hot, bool enabled, Entered entered, Left left)
{
    if (hot == last_hot)
        return false;
    last_hot = hot;
    if (!enabled)
        return false;
    if (hot)
        entered();
    else
        left();
    return true;
}

// After `button` went down: a grouped button raises the others of its
// group (buttons of the same type with the same parent and GroupIndex)
// unless AllowAllUp.
template <class Button>
void RaiseOthersOfGroup(Button& button)
{
    if (button.GroupIndex() == 0 || !button.Down() || button.AllowAllUp || !button.Parent())
        return;
    for (int i = 0; i < button.Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<Button*>(button.Parent()->Controls(i));
        if (other && other != &button && other->GroupIndex() == button.GroupIndex())
            other->SetDown(false);
    }
}

// ===========================================================================
// Painting a look (shared by the windowed button and the tool buttons)

// The unskinned button face in `r`: pressed, hot, or at rest with a
// clBtnShadow frame (a flat one at rest is plain clBtnFace).
void PaintPlainButton(Canvas& canvas, const Rect& r, bool pressed, bool hot, bool flat);

// The picture of `look` (a rectangle of the skin picture) for a button of
// `size`, composed onto `canvas`; returns the caption area. A button that
// keeps the skin's size (or a nine-piece look) gets the look composed by the
// resize mode and the target client rectangle; one of any size gets the look
// scaled (fixed looks) or stretched between the corners of clientrect, and
// clientrect grown by the size difference. Nothing is composed without a
// picture or in mode None (the caption area is then the whole button).
Rect ComposeButtonLook(Canvas& canvas, const Bitmap* picture, const Rect& look, const SkinGeometry& g,
    const SkinFit& fit, bool use_skin_size, Size size);

// The caption colour, first match: enabled without UseSkinFontColor ->
// `default_color`; disabled -> disabled; down and active -> down; active ->
// active; else the normal colour.
Color ButtonCaptionColor(
    const ButtonFontColors& c, bool enabled, bool use_skin_font_color, Color default_color, bool down, bool active);

// The image of a glyph strip to draw: 3 when down and active with three or
// more images, 4 when active with four, 2 when disabled with two or more,
// else 1.
int GlyphStripImage(int num_glyphs, bool down, bool active, bool enabled);

// What goes beside a caption: image `index` of an image list (drawn as it is
// or, disabled, embossed), or image `k` of a glyph strip; nothing when
// neither is set.
struct ButtonImage {
    const TCustomImageList* list = nullptr;
    int index = -1;
    bool enabled = true;
    const Bitmap* strip = nullptr;
    int num_glyphs = 1;
    int k = 1;

    Size size() const;
};
// The image and the caption laid out in `area` (LayoutGlyphCaption) and
// drawn in the canvas's font and text colour.
void DrawButtonFace(Canvas& canvas, const Rect& area, const ButtonImage& image, std::string_view caption, int margin,
    int spacing, TButtonLayout layout, bool pressed);

// The glyph properties of the push button and the tool button, and what they
// draw with: a glyph strip and its layout beside the caption, and an image
// list with the index of the image to draw (which of the two wins is each
// button's own rule). Every setter repaints the control.
class ButtonGlyphProperties {
public:
    // A strip of NumGlyphs images side by side: 1 up, 2 disabled, 3 down,
    // 4 hot (fewer images fall back to the first).
    const Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(const Bitmap& glyph);
    int NumGlyphs() const { return num_glyphs_; }
    void SetNumGlyphs(int n);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    // -1 centres glyph and caption; values below -1 are refused.
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    // The image list (watched: cleared when it is freed) and the index of
    // the image to draw from it.
    TCustomImageList* ImageList() const { return images_.List(); }
    void SetImageList(TCustomImageList* list);
    int ImageIndex() const { return images_.index; }
    void SetImageIndex(int index);

protected:
    // `control` is the button itself: it is repainted by the setters and
    // watches the image list.
    ButtonGlyphProperties(TControl& control, int image_index) : control_(control), images_(control, image_index) { }
    ~ButtonGlyphProperties() = default;
    ButtonGlyphProperties(const ButtonGlyphProperties&) = delete;
    ButtonGlyphProperties& operator=(const ButtonGlyphProperties&) = delete;

    // For the button's Notification: a freed image list is let go and the
    // button repaints.
    void GlyphNotification(TComponent* component, TOperation operation);
    // Whether `list` holds image ImageIndex.
    bool HoldsImage(const TCustomImageList* list) const { return images_.Holds(list); }
    // The glyph strip with the image GlyphStripImage picks for the state.
    ButtonImage StripImage(bool down, bool active, bool enabled) const;
    // DrawButtonFace with this Margin, Spacing and Layout.
    void DrawGlyphFace(
        Canvas& canvas, const Rect& area, const ButtonImage& image, std::string_view caption, bool pressed) const;

private:
    TControl& control_;
    Bitmap glyph_;
    int num_glyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 1;
    ImageListLink images_;
};

// ===========================================================================
// TskSkinButton

// Called before the glyph and caption are drawn. `r` is the caption area;
// setting `draw_default` false leaves the rest of the picture to the handler.
using TskButtonPaintEvent =
    std::function<void(TComponent* sender, Canvas& canvas, Rect r, bool down, bool mouse_in, bool& draw_default)>;

class TskSkinButton : public TskSkinCustomControl, public ButtonGlyphProperties {
public:
    explicit TskSkinButton(TComponent* owner);
    ~TskSkinButton() override;

    // ---- properties (setters repaint where the look changes)

    // The button can take the input focus (also sets TabStop).
    bool CanFocused() const { return can_focused_; }
    void SetCanFocused(bool on);
    // On: the size follows the skin's resize mode and the mask shapes the
    // window. Off: any size; the picture is scaled (fixed looks) or
    // stretched between the corners of clientrect, and no mask applies.
    bool UseSkinSize() const { return use_skin_size_; }
    void SetUseSkinSize(bool on);
    // Off: an enabled button draws its caption in DefaultFont's colour.
    bool UseSkinFontColor() const { return use_skin_font_color_; }
    void SetUseSkinFontColor(bool on);
    // Click repeatedly while held (see the repeat timer above).
    bool RepeatMode = false;
    int RepeatInterval = 100;
    // Pressed, or latched in a group. Setting it true on a grouped button
    // raises the others of its group (same parent and GroupIndex) unless
    // AllowAllUp.
    bool Down() const { return down_; }
    void SetDown(bool on);
    // Non-zero: a latching button of that group; also turns CanFocused off.
    int GroupIndex() const { return group_index_; }
    void SetGroupIndex(int index);
    // The buttons of a group may all be up: a press on a down one raises it.
    bool AllowAllUp = false;
    // Enter clicks the default button while the focus is on no other button.
    bool Default() const { return default_; }
    void SetDefault(bool on);
    // Escape clicks a focusable Cancel button.
    bool Cancel = false;
    // Copied to the parent form on click when CanFocused.
    TModalResult ModalResult = mrNone;
    // Glyph, NumGlyphs, Layout, Margin, Spacing, ImageList and ImageIndex
    // come from ButtonGlyphProperties; the image list's image ImageIndex is
    // drawn instead of the glyph when the index is inside the list.

    TskButtonPaintEvent OnPaint;

    // ---- state, for painting and for tests

    // Hot: the pointer is over it (or it is the default while the focus is
    // on a control that is no button).
    bool MouseIn() const { return press_.hot() || default_hot_; }
    // Has the focus and CanFocused.
    bool FocusedLook() const { return can_focused_ && Focused(); }
    // The left button went down on it and is held.
    bool MousePressed() const { return press_.held_by_mouse(); }
    // This button answers Enter.
    bool ActiveDefault() const { return active_default_; }
    double MorphFactor() const { return morph_.factor(); }
    // The animation frame (1 .. framecount), 0 while none runs.
    int AnimationFrame() const { return frame_; }
    bool RepeatRunning() const { return repeat_running_; }
    bool MorphRunning() const { return morph_.running(); }
    // Morphing applies: the skin object asks for it and the skin data is
    // loaded with its effects on.
    bool Morphing() const;
    // The looks of the bound skin object (empty while unskinned).
    const ButtonLooks& Looks() const { return skin_.looks; }
    // The state the look is chosen from, as it is now.
    ButtonLookState LookState() const;

    // ---- operations

    // The click: ModalResult to the parent form (when CanFocused), then
    // OnClick. The handler may free or hide the button; callers check.
    virtual void FireClick();
    // A click from code: FireClick.
    void Click() override { FireClick(); }

    void FetchSkinObject() override;
    // Stops the animation and the morph, sets the morph factor to 0 (1 with
    // morphing while hot), then applies the skin as every control does.
    void ApplySkin() override;
    void FitSizeToSkin(int& width, int& height) override;
    void UpdateWindowRegion() override;
    // Disabling or enabling ends a press, the repeat, the morph (factor 0)
    // and the hot look.
    void SetEnabled(bool on) override;
    // Hiding ends a press, the repeat and the morph.
    void SetVisible(bool on) override;
    LResult WndProc(Message& m) override;

protected:
    // The picture of `rect` (a look of the skin picture) for the control's
    // size, the focus mark, OnPaint, then the glyph and the caption in the
    // caption area, coloured for `down` and `active`.
    virtual void PaintStateImage(Bitmap& bitmap, const Rect& rect, bool down, bool active);
    void PaintSkinned(Bitmap& bitmap) override;
    void PaintUnskinned(Bitmap& bitmap) override;

    void CreateParams(lt::CreateParams& params) override;
    void CreateWnd() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyUp(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    void PressChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Drawn pressed by the look rules (Down, and grouped, hot, or focused
    // without a mouse press).
    bool DrawnDown() const;
    // A redraw: starts the morph timer when morphing, else repaints.
    void Redraw();
    // Runs OnPaint (from a copy); returns whether the default drawing goes on.
    bool DoPaint(Canvas& canvas, const Rect& area, bool down, bool mouse_in);
    // Glyph (or image) and caption in `area`, the image chosen for `down`
    // and `active`; the canvas's font and text colour are set.
    void DrawGlyphAndCaption(Canvas& canvas, const Rect& area, bool down, bool active);
    // What a caption colour is taken from while skinned.
    const ButtonFontColors& FontColors() const { return skin_.colors; }

private:
    static constexpr std::uintptr_t kRepeatTimer = 1, kAnimationTimer = 2, kMorphTimer = 3;
    static constexpr int kRepeatDelay = 500;

    bool AnimationEnabled() const;
    void StartAnimation(bool forward);
    void StopAnimation();
    void StartRepeat();
    void StopRepeat();
    void OnTimer(std::uintptr_t id);
    // The pointer came over the button or left it (the press's hot flag
    // changed by the mouse).
    void PointerEntered();
    void PointerLeft();
    // A press taken away (disable, hide, lost capture): no click; an
    // ungrouped button goes up.
    void EndPress();
    LResult LeftRelease(Message& m);
    void FocusMoved(TWinControl* focused);
    bool DialogKey(int vk);

    bool can_focused_ = true;
    bool use_skin_size_ = true;
    bool use_skin_font_color_ = true;
    bool down_ = false;
    int group_index_ = 0;
    bool default_ = false;

    bool default_hot_ = false;
    bool active_default_ = false;
    bool press_on_down_ = false;
    bool last_hot_ = false;
    MorphTimer morph_{kMorphTimer};
    int frame_ = 0;
    bool frame_forward_ = true;
    bool repeat_running_ = false;
    bool repeat_started_ = false;

    // From the skin object, refreshed by every FetchSkinObject.
    ButtonSkin skin_;
};

// ===========================================================================
// TskSkinXFormButton

// A button that takes no focus at creation and, while unskinned, draws its
// default images: DefDownImage when drawn down (if any), DefActiveImage (or
// DefImage) while hot or focused, else DefImage, at (0, 0). With a DefImage
// its size is the image's and DefMask (black: inside) shapes its window.
class TskSkinXFormButton : public TskSkinButton {
public:
    explicit TskSkinXFormButton(TComponent* owner);

    const Bitmap& DefImage() const { return def_image_; }
    // Also sets DefaultWidth and DefaultHeight to the image's size.
    void SetDefImage(const Bitmap& image);
    const Bitmap& DefActiveImage() const { return def_active_image_; }
    void SetDefActiveImage(const Bitmap& image);
    const Bitmap& DefDownImage() const { return def_down_image_; }
    void SetDefDownImage(const Bitmap& image);
    const Bitmap& DefMask() const { return def_mask_; }
    void SetDefMask(const Bitmap& mask);
    Color DefActiveFontColor = clBlack;
    Color DefDownFontColor = clBlack;

    // While unskinned with a DefImage every size is the image's.
    void SetBounds(int left, int top, int width, int height) override;
    void UpdateWindowRegion() override;

protected:
    void PaintUnskinned(Bitmap& bitmap) override;

private:
    bool UsesDefImages() const { return !Skinned() && !def_image_.empty(); }

    Bitmap def_image_, def_active_image_, def_down_image_, def_mask_;
    bool def_region_ = false;
};

} // namespace lt
