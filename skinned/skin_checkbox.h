#pragma once
// The skinned check box and radio box, TskSkinCheckRadioBox, drawn from a
// "checkbox" (or "radiobox") skin object. Flat (the default) it is drawn
// transparently over its parent: the mark and the caption; framed it has a
// picture of its own that turns to its hot look while the pointer is over
// it or it has the focus (morphing between the two when the skin asks).
//
// State transitions:
//
//   event                       before              after                    OnClick
//   --------------------------  ------------------  -----------------------  -------
//   left click (AllowGrayed,    unchecked           grey                     yes
//     check box)
//   left click, Space up        check box: any      Checked inverted         yes
//                               radio, unchecked    checked; the others of   yes
//                                                   its group unchecked
//                               radio, checked      unchanged                no
//   Checked := false            grey                grey (Checked false)     yes
//   State := s                  any                 s, Checked = (s =        yes
//                                                   cbChecked)
//
// A click is a left press and release with the pointer over the box; the
// release runs OnMouseUp first. With CanFocused a press first takes the
// focus (dropped when it cannot). The mark comes from ChooseCheckImage.
//
// Sections: check images - TskSkinCheckRadioBox.

#include "forms/image_list.h"
#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "skinned/morph.h"
#include "skinned/skin_control.h"

namespace lt {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// ===========================================================================
// Check images

// The marks of a check/radio skin object, in picture coordinates, with the
// skin's fallbacks applied: the hot marks fall back to the normal ones, the
// disabled marks to the normal ones. The grey marks stay empty when the skin
// has none.
struct CheckImageLooks {
    Rect check, uncheck;
    Rect active_check, active_uncheck;
    Rect disabled_check, disabled_uncheck;
    Rect grayed, active_grayed;
};

// The mark to draw: a picture rectangle, lightened half way to white when
// the skin has no grey mark of its own.
struct CheckImage {
    Rect source;
    bool lighten = false;

    friend bool operator==(const CheckImage&, const CheckImage&) = default;
};

// Rows, first match (grey: the row's rectangle lightened, or the skin's grey
// mark - its hot one while the pointer is over, when given):
//   enabled, pointer over:  grey from active_check, active_check, active_uncheck
//   enabled:                grey from check, check, uncheck
//   disabled:               grey from disabled_check, disabled_check, disabled_uncheck
CheckImage ChooseCheckImage(const CheckImageLooks& looks, bool enabled, bool pointer_over, TCheckBoxState state);

// `r` of `picture` with every channel moved half way to white.
Bitmap LightenedImage(const Bitmap& picture, const Rect& r);

// ===========================================================================
// TskSkinCheckRadioBox

class TskSkinCheckRadioBox : public TskSkinCustomControl {
public:
    explicit TskSkinCheckRadioBox(TComponent* owner);
    ~TskSkinCheckRadioBox() override;

    // ---- properties

    // Setting it fires OnClick (a radio box only when it became checked);
    // true unchecks the other boxes of its group; false leaves a grey box
    // grey.
    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    // Setting it sets Checked to (State = cbChecked) and fires OnClick.
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    // A click on an unchecked check box greys it first.
    bool AllowGrayed = false;
    // Radio behaviour: a click checks, never unchecks.
    bool Radio() const { return radio_; }
    void SetRadio(bool on);
    // Non-zero: checking this box unchecks the others of its parent with the
    // same GroupIndex.
    int GroupIndex = 0;
    // Transparent over the parent (true) or the framed skin look.
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    // Wrap the caption (flat look only).
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool on);
    // Off: the flat caption of an enabled box in DefaultFont's colour.
    bool UseSkinFontColor() const { return use_skin_font_color_; }
    void SetUseSkinFontColor(bool on);
    // Can take the focus (also sets TabStop; TabStop starts off).
    bool CanFocused() const { return can_focused_; }
    void SetCanFocused(bool on);
    // Image ImageIndex of Images before the caption (flat look).
    TCustomImageList* Images() const { return images_.List(); }
    void SetImages(TCustomImageList* images);
    int ImageIndex() const { return images_.index; }
    void SetImageIndex(int index);

    // ---- state, for painting and for tests

    bool MouseIn() const { return press_.hot(); }
    double MorphFactor() const { return morph_.factor(); }
    bool MorphRunning() const { return morph_.running(); }
    // A framed box whose skin object morphs, with skin effects on.
    bool Morphing() const;
    const CheckImageLooks& CheckLooks() const { return marks_; }
    // Where the mark is drawn in the control (empty while none is).
    Rect MarkRect() const;

    // ---- operations

    // A check box inverts Checked; a radio box becomes checked when it is not.
    virtual void Toggle();

    void FetchSkinObject() override;
    // A flat box keeps its own size: FitSizeToSkin leaves the size alone.
    void ApplySkin() override;
    void FitSizeToSkin(int& width, int& height) override;
    // A flat box never uses the mask.
    void UpdateWindowRegion() override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetEnabled(bool on) override;
    void SetVisible(bool on) override;
    LResult WndProc(Message& m) override;

protected:
    void PaintSkinned(Bitmap& bitmap) override;
    void PaintUnskinned(Bitmap& bitmap) override;
    void ParentBackgroundChanged() override;

    void CreateParams(lt::CreateParams& params) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(int& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void PressChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    static constexpr std::uintptr_t kMorphTimer = 3;

    // Stores the check and keeps State and the group in step, without the
    // event.
    void StoreChecked(bool on);
    // Repaints: the flat look at once, the framed one through the morph.
    void Redraw();
    LResult LeftRelease(Message& m);
    void PaintFramed(Canvas& canvas, const Bitmap& picture);
    void PaintUnskinnedMark(Canvas& canvas, bool hot_frame);
    // The caption (and Images image) of the flat looks from x = `x`, the
    // image `gap` pixels before the caption, and the focus mark around the
    // caption or, without one, around `mark`.
    void PaintFlatCaption(Canvas& canvas, int x, int gap, Color focus_brush, const Rect& mark);
    void DrawMark(Canvas& canvas, Point at, const CheckImage& image) const;

    bool checked_ = false;
    TCheckBoxState state_ = cbUnchecked;
    bool radio_ = false;
    bool flat_ = true;
    bool word_wrap_ = false;
    bool use_skin_font_color_ = true;
    bool can_focused_ = true;
    ImageListLink images_{*this, 0};
    MorphTimer morph_{kMorphTimer};

    // From the skin object, refreshed by every FetchSkinObject.
    CheckImageLooks marks_;
    Rect active_look_, check_area_, text_area_;
    Color font_color_ = 0, active_font_color_ = 0, disabled_font_color_ = 0, flat_font_color_ = 0;
    bool skin_morphing_ = false;
    TMorphKind morph_kind_ = mkDefault;
};

} // namespace lt
