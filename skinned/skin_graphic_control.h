#pragma once
// The base of the windowless skinned controls (the tool buttons): the
// counterpart of TskSkinControl and TskSkinCustomControl for controls that
// have no window and paint into their parent's surface.
//
//   TskGraphicSkinControl        binds the control to a skin object by name
//                                and paints through one off-screen bitmap
//   TskGraphicSkinCustomControl  adds the skin object's geometry, the size
//                                rule of its resize mode, the default size
//                                and fonts
//
// As with the windowed base, every paint looks the skin object up again
// first, so a control never draws from pictures of a skin reloaded since;
// setters and handlers only invalidate. There is no mask and no window
// region: the control's area is its bounds. Mouse input arrives through the
// parent's routing (TWinControl routes mouse messages to the windowless child
// under the pointer, or to the one holding the press), and the control's
// press is the shared ButtonBehavior of TControl.
//
// Windowless controls have no window to run WM_TIMER on; ControlTimer runs a
// control's timers on the UI loop instead.
//
// Sections: ControlTimer - TskGraphicSkinControl - TskGraphicSkinCustomControl.

#include <string>

#include "forms/controls.h"
#include "forms/font.h"
#include "gfx/bitmap.h"
#include "platform/event_loop.h"
#include "skin/skin_data.h"
#include "skinned/composition.h"
#include "skinned/skin_control.h"
#include "skinned/skin_data_link.h"

namespace lt {

// ---------------------------------------------------------------------------

// One timer of a control, on the loop of the UI thread: it exists from
// start() until stop() (or its owner's end), so an idle control holds none.
// start() while running restarts the count with the new interval; a tick may
// stop or restart its own timer.
class ControlTimer {
public:
    ControlTimer() = default;
    ~ControlTimer() { stop(); }
    ControlTimer(const ControlTimer&) = delete;
    ControlTimer& operator=(const ControlTimer&) = delete;

    // Does nothing without a loop on this thread.
    void start(int interval_ms, Step tick);
    void stop();
    bool running() const { return id_ != 0; }

private:
    EventLoop* loop_ = nullptr;
    EventLoop::TimerId id_ = 0;
};

// ---------------------------------------------------------------------------

class TskGraphicSkinControl : public TGraphicControl {
public:
    explicit TskGraphicSkinControl(TComponent* owner);
    ~TskGraphicSkinControl() override;

    TskSkinData* SkinData() const { return skin_.Data(); }
    const std::string& SkinDataName() const { return skin_.name; }
    // Stores the name only; it takes effect at the next ApplySkin.
    void SetSkinDataName(const std::string& name) { skin_.name = name; }

    // The title and image of the skinned hint.
    std::string HintTitle;
    int HintImageIndex = 0;

    // The index of the skin object, -1 while the control draws its unskinned
    // look.
    int SkinIndex() const { return index_; }
    bool Skinned() const { return index_ >= 0; }
    // The skin object found by the last FetchSkinObject, or nullptr.
    const TskDataSkinControl* SkinObject() const { return skin_.Object<TskDataSkinControl>(index_); }

    // ---- virtual operations, in the order subclasses extend them

    // Index -1 without a skin data or with an Empty one, else the first
    // control object named SkinDataName. Runs first in every paint,
    // ApplySkin and bounds change.
    virtual void FetchSkinObject();
    // Stores the reference (cleared when the skin data is destroyed); a
    // loaded skin data is applied at once.
    virtual void SetSkinData(TskSkinData* data);

protected:
    // Fill the control's off-screen bitmap (its size, black at first):
    // PaintUnskinned while the index is -1, PaintSkinned otherwise. The base
    // draws nothing in either.
    virtual void PaintUnskinned(Bitmap& bitmap);
    virtual void PaintSkinned(Bitmap& bitmap);

public:
    // FetchSkinObject, then repaint. The window frame calls it after a skin
    // (re)load.
    virtual void ApplySkin();
    // Index -1, so that nothing touches the skin's pictures while the skin
    // data reloads. The window frame calls it before a reload.
    virtual void ForgetSkin() { index_ = -1; }

protected:
    // A bitmap of the control's size, filled by PaintUnskinned or
    // PaintSkinned, drawn at (0, 0).
    void PaintOffscreen(Canvas& canvas);
    // Nothing below a width or height of 1; else FetchSkinObject and
    // PaintOffscreen.
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    SkinDataLink skin_{*this, ""};
    int index_ = -1;
};

// ---------------------------------------------------------------------------

class TskGraphicSkinCustomControl : public TskGraphicSkinControl {
public:
    explicit TskGraphicSkinCustomControl(TComponent* owner);
    ~TskGraphicSkinCustomControl() override;

    // The font of the unskinned look and of skinned controls without
    // UseSkinFont: "Arial", height 14, no style at creation. Any change
    // calls DefaultFontChanged and repaints an unskinned control.
    TFont& DefaultFont() { return look_.default_font(); }
    const TFont& DefaultFont() const { return look_.default_font(); }
    void SetDefaultFont(const TFont& font) { look_.default_font().Assign(font); }
    // Sizes taken while the control is unskinned (0 = none); setting one
    // above 0 while unskinned sizes the control at once.
    int DefaultWidth() const { return default_width_; }
    void SetDefaultWidth(int w);
    int DefaultHeight() const { return default_height_; }
    void SetDefaultHeight(int h);
    bool UseSkinFont() const { return look_.use_skin_font(); }
    void SetUseSkinFont(bool on);

    // ---- the skin object's geometry, as the last FetchSkinObject copied it

    const SkinGeometry& Geometry() const { return look_.shape.geometry; }
    ResizeMode Mode() const { return look_.shape.fit.mode; }
    // The mode, fitted size and target geometry of the last FitSizeToSkin.
    const SkinFit& Fit() const { return look_.shape.fit; }
    // The skin data's picture named by pictureindex (not owned), or nullptr.
    const Bitmap* Picture() const { return look_.shape.picture; }

    // ---- virtual operations

    // The base lookup, then the geometry of a stretchable control object; any
    // other object gives mode 0 with no picture.
    void FetchSkinObject() override;
    // FetchSkinObject; unskinned: DefaultWidth and DefaultHeight where above
    // 0; skinned: the size fitted to the skin. A changed size resizes the
    // control (which repaints); otherwise it repaints.
    void ApplySkin() override;
    // Every bounds change: FetchSkinObject; a skinned control's new size
    // passes FitSizeToSkin; inside a SkinChildLayoutHost with AdjustControls
    // (the tool bar) the control is centred vertically in the host's child
    // layout rectangle.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    // Told after DefaultFont changed. Empty here.
    virtual void DefaultFontChanged() { }

public:
    // Applies the resize mode's size rule to a proposed size and computes
    // the target geometry for it. Unskinned or mode -1: no change.
    virtual void FitSizeToSkin(int& width, int& height);

protected:
    // Fills the client rectangle with clBtnFace.
    void PaintUnskinned(Bitmap& bitmap) override;
    // Composes the skin rectangle by the resize mode.
    void PaintSkinned(Bitmap& bitmap) override;
    // The base's paint, with the target geometry fitted to the current size
    // first.
    void Paint() override;
    // Looks the skin object up and fits the target geometry to the current
    // size: what every paint path starts with.
    void PreparePaint();

    // Subclasses whose skin object has a font call this from their
    // FetchSkinObject (the base forgets the skin font at every fetch).
    template <class SkinObjectWithFont>
    void TakeSkinFont(const SkinObjectWithFont& object)
    {
        look_.skin_font = SkinFontSpec{object.fontname, object.fontheight, object.fontstyle};
    }
    // The skin object's font while skinned with UseSkinFont and a skin font,
    // else DefaultFont; the character set is the skin data's resource
    // strings' CharSet when it has them, else DefaultFont's.
    FontDesc CurrentFont() const;

private:
    SkinLook look_;
    int default_width_ = 0;
    int default_height_ = 0;
};

} // namespace lt
