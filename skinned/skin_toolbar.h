#pragma once
// The skinned tool bar and the bevel that spaces its buttons.
//
//   TskSkinToolBar  a skinned panel ("toolpanel", no border) that lines its
//                   children up: with AdjustControls every skinned child is
//                   centred vertically in the bar's child-layout rectangle
//                   (the panel's AlignRect), and the bar lends its image
//                   lists to the tool buttons on it
//   TskSkinBevel    a windowless bevel ("bevel"): a spacer that draws
//                   nothing, or a box, frame or line in the skin's light and
//                   dark colours
//
// With the stored skin the bar is 32 pixels high whatever height it was
// given (a horizontal three-piece) and offers its children (3, 3, W - 3, 29),
// so 26-pixel tool buttons sit at y = 3. Set a child's parent before its
// bounds: a skinned child centres itself in every bounds change, and the bar
// centres them all again in each of its own.
//
// Sections: TskSkinToolBar - TskSkinBevel.

#include <string>

#include "forms/image_list.h"
#include "skinned/skin_control.h"
#include "skinned/skin_data_link.h"
#include "skinned/skin_speed_button.h"
#include "skinned/static_controls.h"

namespace lt {

// ===========================================================================
// TskSkinToolBar

class TskSkinToolBar : public TskSkinPanel, public SkinChildLayoutHost {
public:
    explicit TskSkinToolBar(TComponent* owner);
    ~TskSkinToolBar() override;

    // On at creation: children are centred vertically (see above). Turning
    // it on centres them at once.
    bool AdjustControls() const override { return adjust_controls_; }
    void SetAdjustControls(bool on);
    // The panel's AlignRect: the skin's target client rectangle, or the
    // whole client while unskinned.
    Rect ChildLayoutRect() const override { return AlignRect(); }

    // Sets Flat (and so Transparent) of every tool button on the bar.
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    // Image lists for the tool buttons on the bar that have no glyph (each
    // shows image ImageIndex): Images, HotImages while hot or down,
    // DisabledImages while disabled. Setting Images repaints the buttons.
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* list);
    TCustomImageList* HotImages() const { return hot_images_; }
    void SetHotImages(TCustomImageList* list);
    TCustomImageList* DisabledImages() const { return disabled_images_; }
    void SetDisabledImages(TCustomImageList* list);

    // Kept as set; the bar neither scrolls buttons that do not fit nor
    // switches their captions.
    bool CanScroll = false;
    bool HotScroll = false;
    int ScrollOffset = 0;
    int ScrollTimerInterval = 50;
    bool ShowCaptions = false;
    bool AutoShowHideCaptions = false;
    int WidthWithCaptions = 0;
    int WidthWithoutCaptions = 0;

    // Also gives the skin data to every tool button and bevel on the bar.
    void SetSkinData(TskSkinData* data) override;
    // With AdjustControls, every bounds change re-applies each skinned
    // child's bounds (so it centres again) and centres the children that
    // are neither skinned nor aligned.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void CentreChildren();
    void RepaintButtons();

    bool adjust_controls_ = true;
    bool flat_ = false;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* hot_images_ = nullptr;
    TCustomImageList* disabled_images_ = nullptr;
};

// ===========================================================================
// TskSkinBevel

enum class TskBevelShape { skBox, skFrame, skTopLine, skBottomLine, skLeftLine, skRightLine, skSpacer };
enum class TskBevelStyle { bsLowered, bsRaised };

class TskSkinBevel : public TGraphicControl {
public:
    explicit TskSkinBevel(TComponent* owner);
    ~TskSkinBevel() override;

    // A spacer only takes room; the other shapes draw in LightColor and
    // DarkColor, lowered (dark above and left) or raised.
    TskBevelShape Shape() const { return shape_; }
    void SetShape(TskBevelShape shape);
    TskBevelStyle Style() const { return style_; }
    void SetStyle(TskBevelStyle style);
    // Lines are drawn across the middle of the bevel instead of at its edge
    // (a divider between groups of buttons).
    bool DividerMode() const { return divider_mode_; }
    void SetDividerMode(bool on);

    // ---- skin binding, as for the other windowless skinned controls
    TskSkinData* SkinData() const { return skin_.Data(); }
    // Stores the reference; a loaded one is applied at once.
    void SetSkinData(TskSkinData* data);
    const std::string& SkinDataName() const { return skin_.name; }
    // Takes effect at the next ApplySkin.
    void SetSkinDataName(const std::string& name) { skin_.name = name; }
    void ApplySkin();
    void ForgetSkin() { index_ = -1; }
    // A "bevel" object was found by the last lookup.
    bool Skinned() const { return Object() != nullptr; }

    // The skin object's lightcolor and darkcolor, else clBtnHighlight and
    // clBtnShadow.
    Color LightColor() const;
    Color DarkColor() const;

    // Centred vertically inside a tool bar with AdjustControls.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    const TskDataSkinBevel* Object() const { return skin_.Object<TskDataSkinBevel>(index_); }

    SkinDataLink skin_{*this, "bevel"};
    int index_ = -1;
    TskBevelShape shape_ = TskBevelShape::skBox;
    TskBevelStyle style_ = TskBevelStyle::bsLowered;
    bool divider_mode_ = false;
};

} // namespace lt
