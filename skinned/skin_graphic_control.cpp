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
    : TskGraphicSkinControl(owner), look_([this] {
          DefaultFontChanged();
          if (!Skinned())
              Invalidate();
      })
{ }

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
    if (look_.set_use_skin_font(on))
        Invalidate();
}

void TskGraphicSkinCustomControl::FetchSkinObject()
{
    TskGraphicSkinControl::FetchSkinObject();
    look_.Fetch(SkinObject(), SkinData(), {Width(), Height()});
}

void TskGraphicSkinCustomControl::FitSizeToSkin(int& width, int& height)
{
    look_.shape.FitSize(Skinned(), width, height);
}

void TskGraphicSkinCustomControl::ApplySkin()
{
    FetchSkinObject();
    if (ResizeForSkin(
            *this, Skinned(), {default_width_, default_height_}, [this](int& w, int& h) { FitSizeToSkin(w, h); }))
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
    look_.Compose(bitmap);
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
    return look_.Font(Skinned(), SkinData());
}

} // namespace lt
