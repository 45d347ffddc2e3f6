#pragma once
// The base of every skinned windowed control: TskSkinControl binds a control
// to a skin object of a skin data by name; TskSkinCustomControl adds the
// geometry of a picture cut into nine pieces, the size rule of its resize
// mode, the window region from the skin's mask and the skin's fonts.
//
// Painting. A control paints once per loop turn: its WM_PAINT builds a bitmap
// of the control's size, PaintUnskinned or PaintSkinned fills it and it is
// copied to the screen in one step; WM_ERASEBKGND is swallowed because the
// control covers its whole area itself. Every paint looks the skin object up
// again first (FetchSkinObject), so a control never draws from pictures of a
// skin that has since been reloaded. Handlers and setters only invalidate.
//
// Skin changes. The window frame calls ForgetSkin on every bound control
// before the skin data reloads and ApplySkin after it; setting SkinData to a
// loaded skin data applies at once; setting SkinDataName alone waits for the
// next ApplySkin.
//
// Sections: SkinChildLayoutHost - TskSkinControl - TskSkinCustomControl -
// PaintParentBackground.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "forms/controls.h"
#include "forms/font.h"
#include "gfx/bitmap.h"
#include "gfx/region.h"
#include "skin/skin_data.h"
#include "skinned/composition.h"

namespace lt {

// Implemented by a parent that lines its skinned children up in a row (the
// skinned tool bar). While AdjustControls is on, a skinned child that changes
// its bounds is centred vertically in ChildLayoutRect: its top becomes
// R.top + R.height div 2 - height div 2.
class SkinChildLayoutHost {
public:
    virtual ~SkinChildLayoutHost() = default;
    virtual bool AdjustControls() const = 0;
    // In the parent's client coordinates.
    virtual Rect ChildLayoutRect() const = 0;
};

// What a skinned control copies from its skin object at every fetch (the
// windowed and the windowless bases alike): the geometry, the pictures named
// by pictureindex and maskpictureindex (not owned) and the fit for a size.
struct SkinShape {
    SkinGeometry geometry;
    SkinFit fit;
    const Bitmap* picture = nullptr;
    const Bitmap* mask = nullptr;

    // For `object` of `data` (nullptr: unskinned, nothing) and a control of
    // `size`: a stretchable control object gives its geometry, pictures and
    // resize mode; any other object mode 0 with no picture and no mask.
    static SkinShape Fetch(const TskDataSkinControl* object, const TskSkinData* data, Size size);
    // The resize mode's size rule applied to a proposed size, and the target
    // geometry for it (FitSizeToSkin). Unskinned, mode -1 or without a skin
    // rectangle: no change.
    void FitSize(bool skinned, int& width, int& height);
};

// A skin object's font, as a control keeps it between fetches.
struct SkinFontSpec {
    std::string name;
    int height = 0;
    TFontStyles style = 0;
};

// What a stretchable skinned control keeps between fetches, the windowed and
// the windowless base alike: its DefaultFont and UseSkinFont switch, and the
// skin object's font and shape as the last fetch left them.
class SkinLook {
public:
    // The default font starts as "Arial", height 14, no style;
    // `default_font_changed` runs after every change of it.
    explicit SkinLook(std::function<void()> default_font_changed);

    TFont& default_font() const { return *default_font_; }
    bool use_skin_font() const { return use_skin_font_; }
    // Returns whether the switch changed.
    bool set_use_skin_font(bool on);

    // The skin object's font, forgotten at every fetch; subclasses whose
    // object has a font set it again after the fetch.
    std::optional<SkinFontSpec> skin_font;
    SkinShape shape;

    // A fetch: the skin font forgotten and the shape of `object` taken (see
    // SkinShape::Fetch).
    void Fetch(const TskDataSkinControl* object, const TskSkinData* data, Size size);
    // The font to draw text with: the skin object's font while skinned with
    // UseSkinFont and a skin font, else the default font; the character set
    // is the skin data's resource strings' CharSet when it has them, else the
    // default font's.
    FontDesc Font(bool skinned, const TskSkinData* data) const;
    // The skin rectangle composed by the resize mode onto `bitmap`; nothing
    // without a picture.
    void Compose(Bitmap& bitmap, bool draw_client = true) const;

private:
    std::unique_ptr<TFont> default_font_;
    bool use_skin_font_ = true;
};

// FitSizeToSkin of a control that may keep a size of its own (a button with
// UseSkinSize off, a flat check box): `fit` (the base's FitSizeToSkin) fits
// the proposed size when `follow_skin`; otherwise it only computes the target
// geometry for the proposal, which nine-piece looks still need, and the size
// stays as proposed.
void FitOrKeepSize(bool follow_skin, int& width, int& height, const std::function<void(int& width, int& height)>& fit);

// ApplySkin's resize of a control: unskinned, to `defaults` where above 0;
// skinned, to its current size passed through `fit_to_skin` (the control's
// FitSizeToSkin). Returns true when the size stayed the same: a resize
// repaints by itself, otherwise the caller repaints.
bool ResizeForSkin(
    TControl& control, bool skinned, Size defaults, const std::function<void(int& width, int& height)>& fit_to_skin);

// The top that centres a child of `height` vertically in its parent's child
// layout rectangle when the parent is a SkinChildLayoutHost with
// AdjustControls on; else `top` unchanged. Windowed and windowless skinned
// controls take it in every bounds change.
int SkinLayoutTop(const TControl& child, int top, int height);

// ---------------------------------------------------------------------------

class TskSkinControl : public TCustomControl {
public:
    explicit TskSkinControl(TComponent* owner);
    ~TskSkinControl() override;

    TskSkinData* SkinData() const { return skin_data_; }
    const std::string& SkinDataName() const { return skin_data_name_; }

    // The title and image of the skinned hint.
    std::string HintTitle;
    int HintImageIndex = 0;

    // The index of the skin object in the skin data's SkinControls, -1 while
    // the control draws its unskinned look.
    int SkinIndex() const { return skin_index_; }
    bool Skinned() const { return skin_index_ >= 0; }
    // The skin object found by the last FetchSkinObject, or nullptr.
    const TskDataSkinControl* SkinObject() const;

    // ---- virtual operations, in the order subclasses extend them

    // Looks the skin object up: index -1 without a skin data or with an
    // Empty one, else the first control object named SkinDataName. Runs
    // first in every paint, ApplySkin and bounds change; subclasses extend it
    // to copy their own fields (fonts, colours, state rectangles) after
    // calling the base.
    virtual void FetchSkinObject();
    // Stores the name only; it takes effect at the next ApplySkin.
    virtual void SetSkinDataName(const std::string& name);
    // Stores the reference (and is told when the skin data is destroyed,
    // which clears it); a loaded skin data is applied at once.
    virtual void SetSkinData(TskSkinData* data);

protected:
    // Fill the control's off-screen bitmap (the control's size, black at
    // first) during WM_PAINT: PaintUnskinned while the index is -1,
    // PaintSkinned otherwise. The base draws nothing in either.
    virtual void PaintUnskinned(Bitmap& bitmap);
    virtual void PaintSkinned(Bitmap& bitmap);

public:
    // FetchSkinObject, then repaint. Called when SkinData is set to a loaded
    // skin data and by the window frame after a skin (re)load.
    virtual void ApplySkin();
    // Drops the skin object (index -1) so that nothing touches the skin's
    // pictures while the skin data reloads. Called by the window frame
    // before a reload.
    virtual void ForgetSkin();

protected:
    // Told by SKM_PARENTCHANGED that the parent's picture changed size;
    // controls drawn over their parent's background repaint. Empty here.
    virtual void ParentBackgroundChanged() { }

    // A left press first takes the focus: false when the control could not
    // take it (or went away meanwhile), and the press is then dropped.
    bool FocusForPress();

    // ---- painting

    // True while the control handles WM_PAINT.
    bool Painting() const { return painting_; }
    // The one paint path: a bitmap of the control's size, filled by
    // PaintUnskinned or PaintSkinned, drawn at (0, 0).
    void PaintOffscreen(Canvas& canvas);
    void Paint() override;

    LResult WndProc(Message& m) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TskSkinData* skin_data_ = nullptr;
    std::string skin_data_name_;
    int skin_index_ = -1;
    bool painting_ = false;
};

// ---------------------------------------------------------------------------

class TskSkinCustomControl : public TskSkinControl {
public:
    explicit TskSkinCustomControl(TComponent* owner);
    ~TskSkinCustomControl() override;

    // The font of the unskinned look and of skinned controls without
    // UseSkinFont: "Arial", height 14, no style at creation. Any change
    // calls DefaultFontChanged and repaints an unskinned control.
    TFont& DefaultFont() { return look_.default_font(); }
    const TFont& DefaultFont() const { return look_.default_font(); }
    void SetDefaultFont(const TFont& font) { look_.default_font().Assign(font); }
    // Sizes taken by ApplySkin while the control is unskinned (0 = none).
    int DefaultWidth = 0;
    int DefaultHeight = 0;
    bool UseSkinFont() const { return look_.use_skin_font(); }
    void SetUseSkinFont(bool on);

    // ---- the skin object's geometry, as the last FetchSkinObject copied it

    const SkinGeometry& Geometry() const { return look_.shape.geometry; }
    ResizeMode Mode() const { return look_.shape.fit.mode; }
    // The mode, the fitted size and the target geometry (LT' RT' LB' RB' C')
    // computed by the last FitSizeToSkin.
    const SkinFit& Fit() const { return look_.shape.fit; }
    // The skin data's pictures named by pictureindex and maskpictureindex
    // (not owned; nullptr for none).
    const Bitmap* Picture() const { return look_.shape.picture; }
    const Bitmap* MaskPicture() const { return look_.shape.mask; }
    // The region the control last set on its window, or nullptr.
    const Region* WindowRegion() const { return region_ ? &*region_ : nullptr; }

    // ---- virtual operations

    // The base lookup, then, for a stretchable control object (a
    // TskDataSkinCustomControl or a descendant), a copy of its geometry,
    // pictures and resize mode; any other object gives mode 0 with no
    // picture and no mask.
    void FetchSkinObject() override;
    // FetchSkinObject; unskinned: DefaultWidth and DefaultHeight where above
    // 0; skinned: the size fitted to the skin. A changed size resizes the
    // control (which updates the region and repaints); otherwise the region
    // is updated and the control repainted.
    void ApplySkin() override;
    // Every bounds change: FetchSkinObject; a skinned control's new size
    // passes FitSizeToSkin; a parent that is a SkinChildLayoutHost with
    // AdjustControls centres the control vertically; after a size change the
    // region is updated, the control repaints, and a skinned control with
    // stretcheffect sends SKM_PARENTCHANGED to each child.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    // Told after DefaultFont changed. Empty here.
    virtual void DefaultFontChanged() { }

public:
    // Applies the resize mode's size rule to a proposed size and computes
    // the target geometry for it (Fit). Unskinned, mode -1 or a skin object
    // without a skin rectangle: no change. Called by SetBounds, ApplySkin
    // and every paint (for the current size).
    virtual void FitSizeToSkin(int& width, int& height);
    // Shapes the window by the skin's mask for the current size. Nothing
    // without a parent or a window; unskinned or without a mask, any region
    // is removed; else the new region is set on the window (with a redraw)
    // before the old one is let go. Called by ApplySkin, after size changes
    // and when the window is made.
    virtual void UpdateWindowRegion();

protected:
    // Fills the client rectangle with clBtnFace.
    void PaintUnskinned(Bitmap& bitmap) override;
    // Composes the skin rectangle by the resize mode. A force-background
    // control in mode 1 composes nothing here: it gets only the top strip,
    // for drawings such as a caption (see Paint).
    void PaintSkinned(Bitmap& bitmap) override;
    // PaintOffscreen, except for a skinned force-background control in mode
    // 1, which composes only the four border strips, hands the top one to
    // PaintSkinned, fills the target client rectangle directly on the canvas
    // and then draws the strips around it.
    void Paint() override;
    void CreateWnd() override;

    // Compose the client area in PaintSkinned (on at creation).
    bool DrawClient() const { return draw_client_; }
    void SetDrawClient(bool on) { draw_client_ = on; }
    // Paint the client area straight onto the canvas (off at creation; the
    // panel and the list box set it).
    bool ForceBackground() const { return force_background_; }
    void SetForceBackground(bool on) { force_background_ = on; }

    // ---- fonts

    // Subclasses whose skin object has a font call this from their
    // FetchSkinObject (the base forgets the skin font at every fetch).
    void SetSkinFont(const std::string& name, int height, TFontStyles style);
    template <class SkinObjectWithFont>
    void TakeSkinFont(const SkinObjectWithFont& object)
    {
        SetSkinFont(object.fontname, object.fontheight, object.fontstyle);
    }
    // The font to draw text with: the skin object's font while skinned with
    // UseSkinFont and a skin font, else DefaultFont; the character set is
    // the skin data's resource strings' CharSet when it has them, else
    // DefaultFont's.
    FontDesc CurrentFont() const;

    // Sends SKM_PARENTCHANGED to every child (windowed ones through their
    // window, windowless ones directly), stopping if a child destroys this
    // control.
    void NotifyChildrenParentChanged();

private:
    void PaintForcedBackground(Canvas& canvas);

    SkinLook look_;
    bool draw_client_ = true;
    bool force_background_ = false;
    std::optional<Region> region_;
};

// ---------------------------------------------------------------------------

// `base` with the name, height and style of a skin object's font.
FontDesc WithSkinFont(FontDesc base, const std::string& name, int height, TFontStyles style);

// Paints what lies behind `control` into `canvas` (the control's own
// coordinates), for controls drawn transparently over their parent: the
// parent's background (WM_ERASEBKGND) and, unless the parent is a form, the
// parent's own painting, with the origin moved by (-Left, -Top) and clipped
// to the parent's client area; then each visible windowless sibling that
// comes before the control in the parent's list and overlaps it, at its own
// place and clipped to its bounds. The canvas's state is restored after each
// step. Nothing without a parent.
void PaintParentBackground(TControl& control, Canvas& canvas);

} // namespace lt
