// The skinned tool bar (child centring, image lists, flat buttons) and the
// bevel.

#include "skinned/skin_toolbar.h"

#include <vector>

#include "skinned/skin_graphic_control.h"

namespace lt {

// ---- TskSkinToolBar -----------------------------------------------------------

TskSkinToolBar::TskSkinToolBar(TComponent* owner) : TskSkinPanel(owner)
{
    SetSkinDataName("toolpanel");
    SetBorderStyle(TskSkinBorderStyle::bvNone);
    SetForceBackground(false);
    SetBounds(Left(), Top(), Width(), 25);
}

TskSkinToolBar::~TskSkinToolBar()
{
    for (TCustomImageList* list : {images_, hot_images_, disabled_images_})
        if (list)
            RemoveFreeNotification(list);
}

void TskSkinToolBar::SetAdjustControls(bool on)
{
    adjust_controls_ = on;
    if (on)
        CentreChildren();
}

void TskSkinToolBar::SetFlat(bool on)
{
    flat_ = on;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i)))
            b->SetFlat(on);
}

void TskSkinToolBar::SetImages(TCustomImageList* list)
{
    // A list may be named twice (hot and normal); each slot watches its own.
    Repoint(*this, images_, list);
    RepaintButtons();
}

void TskSkinToolBar::SetHotImages(TCustomImageList* list)
{
    Repoint(*this, hot_images_, list);
}

void TskSkinToolBar::SetDisabledImages(TCustomImageList* list)
{
    Repoint(*this, disabled_images_, list);
}

void TskSkinToolBar::RepaintButtons()
{
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i)))
            b->Invalidate();
}

void TskSkinToolBar::Notification(TComponent* component, TOperation operation)
{
    TskSkinPanel::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    bool dropped = false;
    for (TCustomImageList** slot : {&images_, &hot_images_, &disabled_images_})
        if (*slot == component) {
            *slot = nullptr;
            dropped = true;
        }
    if (dropped)
        RepaintButtons();
}

void TskSkinToolBar::SetSkinData(TskSkinData* data)
{
    TskSkinPanel::SetSkinData(data);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(c))
            b->SetSkinData(data);
        else if (auto* bevel = dynamic_cast<TskSkinBevel*>(c))
            bevel->SetSkinData(data);
    }
}

void TskSkinToolBar::SetBounds(int left, int top, int width, int height)
{
    const Rect before = BoundsRect();
    TskSkinPanel::SetBounds(left, top, width, height);
    if (adjust_controls_ && BoundsRect() != before)
        CentreChildren();
}

void TskSkinToolBar::CentreChildren()
{
    // Re-applying a skinned child's bounds centres it (its SetBounds asks
    // this bar); the others are placed here unless they are docked.
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i)
        children.push_back(Controls(i));
    std::shared_ptr<bool> alive = alive_;
    const Rect r = ChildLayoutRect();
    for (TControl* c : children) {
        if (!*alive)
            return;
        const bool skinned = dynamic_cast<TskSkinCustomControl*>(c) || dynamic_cast<TskGraphicSkinCustomControl*>(c) ||
            dynamic_cast<TskSkinBevel*>(c);
        if (skinned)
            c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height());
        else if (c->Align() == TAlign::alNone)
            c->SetBounds(c->Left(), r.top + r.height() / 2 - c->Height() / 2, c->Width(), c->Height());
    }
}

// ---- TskSkinBevel ----------------------------------------------------------------

TskSkinBevel::TskSkinBevel(TComponent* owner) : TGraphicControl(owner)
{
    TskSkinBevel::SetBounds(0, 0, 50, 50);
}

TskSkinBevel::~TskSkinBevel() = default;

void TskSkinBevel::SetShape(TskBevelShape shape)
{
    shape_ = shape;
    Invalidate();
}

void TskSkinBevel::SetStyle(TskBevelStyle style)
{
    style_ = style;
    Invalidate();
}

void TskSkinBevel::SetDividerMode(bool on)
{
    divider_mode_ = on;
    Invalidate();
}

void TskSkinBevel::SetSkinData(TskSkinData* data)
{
    skin_.Set(data);
    if (data && !data->Empty)
        ApplySkin();
}

void TskSkinBevel::ApplySkin()
{
    index_ = skin_.Find();
    Invalidate();
}

Color TskSkinBevel::LightColor() const
{
    const TskDataSkinBevel* o = Object();
    return o ? o->lightcolor : clBtnHighlight;
}

Color TskSkinBevel::DarkColor() const
{
    const TskDataSkinBevel* o = Object();
    return o ? o->darkcolor : clBtnShadow;
}

void TskSkinBevel::SetBounds(int left, int top, int width, int height)
{
    TGraphicControl::SetBounds(left, SkinLayoutTop(*this, top, std::max(height, 0)), width, height);
}

void TskSkinBevel::Paint()
{
    Canvas* canvas = GetCanvas();
    index_ = skin_.Find();
    if (!canvas || shape_ == TskBevelShape::skSpacer || Width() < 1 || Height() < 1)
        return;
    const Color dark = DarkColor(), light = LightColor();
    const Color first = style_ == TskBevelStyle::bsLowered ? dark : light;
    const Color second = style_ == TskBevelStyle::bsLowered ? light : dark;
    const int w = Width(), h = Height();
    // A line's two pixels: at the named edge, or across the middle as a
    // divider.
    auto hline = [&](int y) {
        canvas->fill_rect({0, y, w, y + 1}, first);
        canvas->fill_rect({0, y + 1, w, y + 2}, second);
    };
    auto vline = [&](int x) {
        canvas->fill_rect({x, 0, x + 1, h}, first);
        canvas->fill_rect({x + 1, 0, x + 2, h}, second);
    };
    switch (shape_) {
    case TskBevelShape::skBox:
        canvas->frame3d({0, 0, w, h}, first, second);
        break;
    case TskBevelShape::skFrame:
        // Two offset rectangles: an etched (or embossed) groove.
        canvas->frame3d({1, 1, w, h}, second, second);
        canvas->frame3d({0, 0, w - 1, h - 1}, first, first);
        break;
    case TskBevelShape::skTopLine:
        hline(divider_mode_ ? h / 2 - 1 : 0);
        break;
    case TskBevelShape::skBottomLine:
        hline(divider_mode_ ? h / 2 - 1 : h - 2);
        break;
    case TskBevelShape::skLeftLine:
        vline(divider_mode_ ? w / 2 - 1 : 0);
        break;
    case TskBevelShape::skRightLine:
        vline(divider_mode_ ? w / 2 - 1 : w - 2);
        break;
    case TskBevelShape::skSpacer:
        break;
    }
}

void TskSkinBevel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (skin_.Dropped(component, operation)) {
        index_ = -1;
        Invalidate();
    }
}

} // namespace lt
