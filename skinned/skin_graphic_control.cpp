// The windowless skinned base: its timers on the UI loop, the binding and the
// one paint path (TskGraphicSkinControl), and geometry, size and fonts
// (TskGraphicSkinCustomControl).

#include "skinned/skin_graphic_control.h"

#include <algorithm>

namespace lt {

// ---- ControlTimer -------------------------------------------------------------

void ControlTimer::start(int interval_ms, Step tick)
{
    stop();
    loop_ = EventLoop::current();
    if (!loop_)
        return;
    id_ = loop_->start_timer(std::max(interval_ms, 1), std::move(tick));
}

void ControlTimer::stop()
{
    if (id_ != 0 && loop_)
        loop_->stop_timer(id_);
    id_ = 0;
}

// ---- TskGraphicSkinControl -------------------------------------------------------

TskGraphicSkinControl::TskGraphicSkinControl(TComponent* owner) : TGraphicControl(owner)
{ }

TskGraphicSkinControl::~TskGraphicSkinControl() = default;

void TskGraphicSkinControl::FetchSkinObject()
{
    index_ = skin_.Find();
}

void TskGraphicSkinControl::SetSkinData(TskSkinData* data)
{
    skin_.Set(data);
    if (data && !data->Empty)
        ApplySkin();
}

void TskGraphicSkinControl::PaintUnskinned(Bitmap&)
{ }

void TskGraphicSkinControl::PaintSkinned(Bitmap&)
{ }

void TskGraphicSkinControl::ApplySkin()
{
    FetchSkinObject();
    Invalidate();
}

void TskGraphicSkinControl::PaintOffscreen(Canvas& canvas)
{
    Bitmap buffer(Width(), Height());
    if (Skinned())
        PaintSkinned(buffer);
    else
        PaintUnskinned(buffer);
    canvas.draw({0, 0}, buffer);
}

void TskGraphicSkinControl::Paint()
{
    Canvas* canvas = GetCanvas();
    if (!canvas || Width() < 1 || Height() < 1)
        return;
    FetchSkinObject();
    PaintOffscreen(*canvas);
}

void TskGraphicSkinControl::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (skin_.Dropped(component, operation)) {
        ForgetSkin();
        Invalidate();
    }
}

// ---- TskGraphicSkinCustomControl ----------------------------------------------------

TskGraphicSkinCustomControl::TskGraphicSkinCustomControl(TComponent* owner)
    : TskGraphicSkinControl(owner), default_font_(std::make_unique<TFont>())
{
    default_font_->SetDesc(FontDesc{"Arial", 14, false, false, false, false, DEFAULT_CHARSET, clWindowText});
    default_font_->OnChange = [this](TFont*) {
        DefaultFontChanged();
        if (!Skinned())
            Invalidate();
    };
}

TskGraphicSkinCustomControl::~TskGraphicSkinCustomControl() = default;

void TskGraphicSkinCustomControl::SetDefaultWidth(int w)
{
    default_width_ = w;
    if (!Skinned() && w > 0)
        SetBounds(Left(), Top(), w, Height());
}

void TskGraphicSkinCustomControl::SetDefaultHeight(int h)
{
    default_height_ = h;
    if (!Skinned() && h > 0)
        SetBounds(Left(), Top(), Width(), h);
}

void TskGraphicSkinCustomControl::SetUseSkinFont(bool on)
{
    if (on == use_skin_font_)
        return;
    use_skin_font_ = on;
    Invalidate();
}

void TskGraphicSkinCustomControl::FetchSkinObject()
{
    TskGraphicSkinControl::FetchSkinObject();
    skin_font_.reset();
    shape_ = SkinShape::Fetch(SkinObject(), SkinData(), {Width(), Height()});
}

void TskGraphicSkinCustomControl::FitSizeToSkin(int& width, int& height)
{
    shape_.FitSize(Skinned(), width, height);
}

void TskGraphicSkinCustomControl::ApplySkin()
{
    FetchSkinObject();
    const Size before{Width(), Height()};
    int w = before.width, h = before.height;
    if (!Skinned()) {
        if (default_width_ > 0)
            w = default_width_;
        if (default_height_ > 0)
            h = default_height_;
    } else {
        FitSizeToSkin(w, h);
    }
    if (w != before.width || h != before.height)
        SetBounds(Left(), Top(), w, h);
    if (Size{Width(), Height()} == before)
        Invalidate();
}

void TskGraphicSkinCustomControl::SetBounds(int left, int top, int width, int height)
{
    FetchSkinObject();
    width = std::max(width, 0);
    height = std::max(height, 0);
    if ((width != Width() || height != Height()) && Skinned())
        FitSizeToSkin(width, height);
    TskGraphicSkinControl::SetBounds(left, SkinLayoutTop(*this, top, height), width, height);
}

void TskGraphicSkinCustomControl::PaintUnskinned(Bitmap& bitmap)
{
    Canvas(bitmap).fill_rect(ClientRect(), clBtnFace);
}

void TskGraphicSkinCustomControl::PaintSkinned(Bitmap& bitmap)
{
    if (!shape_.picture)
        return;
    Canvas canvas(bitmap);
    ComposeSkin(canvas, *shape_.picture, shape_.geometry.skinrect, shape_.geometry, shape_.fit);
}

void TskGraphicSkinCustomControl::PreparePaint()
{
    FetchSkinObject();
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
}

void TskGraphicSkinCustomControl::Paint()
{
    Canvas* canvas = GetCanvas();
    if (!canvas || Width() < 1 || Height() < 1)
        return;
    PreparePaint();
    PaintOffscreen(*canvas);
}

FontDesc TskGraphicSkinCustomControl::CurrentFont() const
{
    return SkinControlFont(*default_font_, skin_font_, use_skin_font_, Skinned(), SkinData());
}

} // namespace lt
