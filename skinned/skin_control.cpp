// The skinned control base: binding and lookup (TskSkinControl), geometry,
// size, region, fonts and the two paint paths (TskSkinCustomControl), and the
// capture of a parent's background.

#include "skinned/skin_control.h"

#include "forms/forms.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "skin/skin_messages.h"

namespace lt {

SkinShape SkinShape::Fetch(const TskDataSkinControl* object, const TskSkinData* data, Size size)
{
    SkinShape shape;
    if (!object || !data)
        return shape;
    const auto* custom = dynamic_cast<const TskDataSkinCustomControl*>(object);
    if (!custom) {
        shape.fit = SkinFit{ResizeMode::Fixed, size, {}};
        return shape;
    }
    shape.geometry = SkinGeometry::From(*custom);
    shape.picture = data->ActivePicture(custom->pictureindex);
    shape.mask = data->ActivePicture(custom->maskpictureindex);
    shape.fit = shape.geometry.fit(size);
    return shape;
}

void SkinShape::FitSize(bool skinned, int& width, int& height)
{
    if (!skinned || fit.mode == ResizeMode::None || geometry.skinrect.empty())
        return;
    fit = geometry.fit({width, height});
    width = fit.size.width;
    height = fit.size.height;
}

SkinLook::SkinLook(std::function<void()> default_font_changed) : default_font_(std::make_unique<TFont>())
{
    default_font_->SetDesc(FontDesc{"Arial", 14, false, false, false, false, DEFAULT_CHARSET, clWindowText});
    default_font_->OnChange = [changed = std::move(default_font_changed)](TFont*) { changed(); };
}

bool SkinLook::set_use_skin_font(bool on)
{
    if (on == use_skin_font_)
        return false;
    use_skin_font_ = on;
    return true;
}

void SkinLook::Fetch(const TskDataSkinControl* object, const TskSkinData* data, Size size)
{
    skin_font.reset();
    shape = SkinShape::Fetch(object, data, size);
}

FontDesc SkinLook::Font(bool skinned, const TskSkinData* data) const
{
    FontDesc desc = default_font_->Desc();
    if (skinned && use_skin_font_ && skin_font)
        desc = WithSkinFont(desc, skin_font->name, skin_font->height, skin_font->style);
    if (data && data->ResourceStrData())
        desc.charset = data->ResourceStrData()->CharSet;
    return desc;
}

void SkinLook::Compose(Bitmap& bitmap, bool draw_client) const
{
    if (!shape.picture)
        return;
    Canvas canvas(bitmap);
    ComposeSkin(canvas, *shape.picture, shape.geometry.skinrect, shape.geometry, shape.fit, draw_client);
}

void FitOrKeepSize(bool follow_skin, int& width, int& height, const std::function<void(int& width, int& height)>& fit)
{
    int w = width, h = height;
    fit(w, h);
    if (follow_skin) {
        width = w;
        height = h;
    }
}

bool ResizeForSkin(
    TControl& control, bool skinned, Size defaults, const std::function<void(int& width, int& height)>& fit_to_skin)
{
    const Size before{control.Width(), control.Height()};
    int w = before.width, h = before.height;
    if (!skinned) {
        if (defaults.width > 0)
            w = defaults.width;
        if (defaults.height > 0)
            h = defaults.height;
    } else {
        fit_to_skin(w, h);
    }
    if (w != before.width || h != before.height)
        control.SetBounds(control.Left(), control.Top(), w, h);
    return Size{control.Width(), control.Height()} == before;
}

int SkinLayoutTop(const TControl& child, int top, int height)
{
    auto* host = dynamic_cast<const SkinChildLayoutHost*>(child.Parent());
    if (!host || !host->AdjustControls())
        return top;
    const Rect r = host->ChildLayoutRect();
    return r.top + r.height() / 2 - height / 2;
}

// ---- TskSkinControl -----------------------------------------------------------

TskSkinControl::TskSkinControl(TComponent* owner) : TCustomControl(owner)
{ }

TskSkinControl::~TskSkinControl()
{
    if (skin_data_)
        RemoveFreeNotification(skin_data_);
}

const TskDataSkinControl* TskSkinControl::SkinObject() const
{
    if (skin_index_ < 0 || !skin_data_ || skin_index_ >= static_cast<int>(skin_data_->SkinControls.size()))
        return nullptr;
    return skin_data_->SkinControls[static_cast<size_t>(skin_index_)].get();
}

void TskSkinControl::FetchSkinObject()
{
    if (!skin_data_ || skin_data_->Empty)
        skin_index_ = -1;
    else
        skin_index_ = skin_data_->FindSkinControl(skin_data_name_);
}

void TskSkinControl::SetSkinDataName(const std::string& name)
{
    skin_data_name_ = name;
}

void TskSkinControl::SetSkinData(TskSkinData* data)
{
    if (data != skin_data_) {
        if (skin_data_)
            RemoveFreeNotification(skin_data_);
        skin_data_ = data;
        if (skin_data_)
            FreeNotification(skin_data_);
    }
    if (skin_data_ && !skin_data_->Empty)
        ApplySkin();
}

void TskSkinControl::PaintUnskinned(Bitmap&)
{ }

void TskSkinControl::PaintSkinned(Bitmap&)
{ }

void TskSkinControl::ApplySkin()
{
    FetchSkinObject();
    Invalidate();
}

void TskSkinControl::ForgetSkin()
{
    skin_index_ = -1;
}

bool TskSkinControl::FocusForPress()
{
    if (Focused())
        return true;
    std::shared_ptr<bool> alive = alive_;
    SetFocus();
    return *alive && Focused();
}

void TskSkinControl::PaintOffscreen(Canvas& canvas)
{
    Bitmap buffer(Width(), Height());
    if (Skinned())
        PaintSkinned(buffer);
    else
        PaintUnskinned(buffer);
    canvas.draw({0, 0}, buffer);
}

void TskSkinControl::Paint()
{
    Canvas* canvas = GetCanvas();
    if (!canvas || Width() < 1 || Height() < 1)
        return;
    FetchSkinObject();
    PaintOffscreen(*canvas);
}

LResult TskSkinControl::WndProc(Message& m)
{
    switch (m.msg) {
    case WM_PAINT: {
        painting_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{painting_};
        return TCustomControl::WndProc(m);
    }
    case WM_ERASEBKGND:
        return 1;
    case SKM_PARENTCHANGED:
        ParentBackgroundChanged();
        return 0;
    default:
        return TCustomControl::WndProc(m);
    }
}

void TskSkinControl::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == skin_data_) {
        skin_data_ = nullptr;
        ForgetSkin();
        Invalidate();
    }
}

// ---- TskSkinCustomControl -------------------------------------------------------

TskSkinCustomControl::TskSkinCustomControl(TComponent* owner)
    : TskSkinControl(owner), look_([this] {
          DefaultFontChanged();
          if (!Skinned())
              Invalidate();
      })
{ }

TskSkinCustomControl::~TskSkinCustomControl() = default;

void TskSkinCustomControl::SetUseSkinFont(bool on)
{
    if (look_.set_use_skin_font(on))
        Invalidate();
}

void TskSkinCustomControl::FetchSkinObject()
{
    TskSkinControl::FetchSkinObject();
    look_.Fetch(SkinObject(), SkinData(), {Width(), Height()});
}

void TskSkinCustomControl::FitSizeToSkin(int& width, int& height)
{
    look_.shape.FitSize(Skinned(), width, height);
}

void TskSkinCustomControl::ApplySkin()
{
    FetchSkinObject();
    if (ResizeForSkin(
            *this, Skinned(), {DefaultWidth, DefaultHeight}, [this](int& w, int& h) { FitSizeToSkin(w, h); })) {
        UpdateWindowRegion();
        Invalidate();
    }
}

void TskSkinCustomControl::SetBounds(int left, int top, int width, int height)
{
    FetchSkinObject();
    width = std::max(width, 0);
    height = std::max(height, 0);
    const Size before{Width(), Height()};
    if ((width != before.width || height != before.height) && Skinned())
        FitSizeToSkin(width, height);
    top = SkinLayoutTop(*this, top, height);
    TskSkinControl::SetBounds(left, top, width, height);
    if (Size{Width(), Height()} == before)
        return;
    UpdateWindowRegion();
    Invalidate();
    if (Skinned() && look_.shape.geometry.stretcheffect)
        NotifyChildrenParentChanged();
}

void TskSkinCustomControl::NotifyChildrenParentChanged()
{
    // A child may react by changing this control's children; walk a copy.
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i)
        children.push_back(Controls(i));
    std::shared_ptr<bool> alive = alive_;
    for (TControl* c : children) {
        if (!*alive)
            return;
        auto* windowed = dynamic_cast<TWinControl*>(c);
        if (windowed && windowed->WindowHandle())
            windowed->WindowHandle()->send(SKM_PARENTCHANGED);
        else
            c->Perform(SKM_PARENTCHANGED);
    }
}

void TskSkinCustomControl::UpdateWindowRegion()
{
    Window* window = WindowHandle();
    if (!Parent() || !window)
        return;
    std::optional<Region> next;
    const SkinShape& shape = look_.shape;
    if (Skinned() && shape.mask) {
        // The region follows the current size, whatever fit the last
        // proposal left behind.
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        next = SkinRegion(*shape.mask, Rect::from_size(shape.geometry.skin_size()), shape.geometry, shape.fit);
    }
    if (!next) {
        if (region_) {
            window->set_region(nullptr);
            region_.reset();
        }
        return;
    }
    // The window takes its own copy; the old region is let go only once the
    // new one is in place.
    window->set_region(&*next, true);
    region_ = std::move(next);
}

void TskSkinCustomControl::CreateWnd()
{
    TskSkinControl::CreateWnd();
    FetchSkinObject();
    UpdateWindowRegion();
}

void TskSkinCustomControl::PaintUnskinned(Bitmap& bitmap)
{
    Canvas(bitmap).fill_rect(ClientRect(), clBtnFace);
}

void TskSkinCustomControl::PaintSkinned(Bitmap& bitmap)
{
    if (force_background_ && look_.shape.fit.mode == ResizeMode::NinePiece)
        return;
    look_.Compose(bitmap, draw_client_);
}

void TskSkinCustomControl::Paint()
{
    Canvas* canvas = GetCanvas();
    if (!canvas || Width() < 1 || Height() < 1)
        return;
    FetchSkinObject();
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    if (Skinned() && force_background_ && look_.shape.fit.mode == ResizeMode::NinePiece)
        PaintForcedBackground(*canvas);
    else
        PaintOffscreen(*canvas);
}

void TskSkinCustomControl::PaintForcedBackground(Canvas& canvas)
{
    const SkinShape& shape = look_.shape;
    const Rect client = shape.fit.target.client;
    const Bitmap none;
    BorderStrips strips = ComposeBorderStrips(
        shape.picture ? *shape.picture : none, shape.geometry.skinrect, shape.geometry, shape.fit, 0);
    PaintSkinned(strips.top);
    if (shape.picture) {
        CanvasSaver keep(canvas);
        canvas.intersect_clip(client);
        ComposeClient(canvas, *shape.picture, shape.geometry.skinrect, shape.geometry, client);
    }
    canvas.draw({0, 0}, strips.top);
    canvas.draw({0, client.top}, strips.left);
    canvas.draw({Width() - strips.right.width(), client.top}, strips.right);
    canvas.draw({0, Height() - strips.bottom.height()}, strips.bottom);
}

void TskSkinCustomControl::SetSkinFont(const std::string& name, int height, TFontStyles style)
{
    look_.skin_font = SkinFontSpec{name, height, style};
}

FontDesc TskSkinCustomControl::CurrentFont() const
{
    return look_.Font(Skinned(), SkinData());
}

FontDesc WithSkinFont(FontDesc base, const std::string& name, int height, TFontStyles style)
{
    base.name = name;
    base.height = height;
    base.set_styles(style);
    return base;
}

// ---- Parent background ------------------------------------------------------------

void PaintParentBackground(TControl& control, Canvas& canvas)
{
    TWinControl* parent = control.Parent();
    if (!parent)
        return;
    {
        CanvasSaver keep(canvas);
        canvas.move_origin(-control.Left(), -control.Top());
        canvas.intersect_clip(parent->ClientRect());
        const WParam dc = canvas_param(canvas);
        Window* window = parent->WindowHandle();
        {
            CanvasSaver step(canvas);
            if (window)
                window->send(WM_ERASEBKGND, dc);
            else
                parent->Perform(WM_ERASEBKGND, dc);
        }
        if (!dynamic_cast<TCustomForm*>(parent)) {
            CanvasSaver step(canvas);
            if (window)
                window->send(WM_PAINT, dc);
            else
                parent->Perform(WM_PAINT, dc);
        }
    }
    const Rect bounds = control.BoundsRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == &control)
            break;
        if (sibling->IsWindowed() || !sibling->Visible() || !sibling->BoundsRect().intersects(bounds))
            continue;
        CanvasSaver keep(canvas);
        canvas.move_origin(sibling->Left() - control.Left(), sibling->Top() - control.Top());
        canvas.intersect_clip(Rect::from_size({sibling->Width(), sibling->Height()}));
        sibling->Perform(WM_PAINT, canvas_param(canvas));
    }
}

} // namespace lt
