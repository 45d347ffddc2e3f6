#include "forms/splitter.h"

#include <algorithm>

namespace lt {

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner)
{
    TControl::SetBounds(0, 0, 3, 100);
    SetAlign(TAlign::alLeft);
}

lt::Cursor TSplitter::GetCursor() const
{
    return vertical() ? lt::Cursor::SizeWE : lt::Cursor::SizeNS;
}

TControl* TSplitter::ResizeControl() const
{
    TWinControl* parent = Parent();
    if (!parent)
        return nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align())
            continue;
        bool touches = false;
        switch (Align()) {
        case TAlign::alLeft:
            touches = c->Left() + c->Width() == Left();
            break;
        case TAlign::alRight:
            touches = c->Left() == Left() + Width();
            break;
        case TAlign::alTop:
            touches = c->Top() + c->Height() == Top();
            break;
        case TAlign::alBottom:
            touches = c->Top() == Top() + Height();
            break;
        default:
            break;
        }
        if (touches)
            return c;
    }
    return nullptr;
}

int TSplitter::max_size() const
{
    // What the client-aligned sibling can give up, leaving it MinSize.
    TWinControl* parent = Parent();
    int size = vertical() ? control_->Width() : control_->Height();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c->Visible() && c->Align() == TAlign::alClient)
            return size + std::max((vertical() ? c->Width() : c->Height()) - MinSize, 0);
    }
    Rect area = parent->AlignRect();
    return size + std::max(vertical() ? area.right - (Left() + Width()) : area.bottom - (Top() + Height()), 0);
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft)
        return;
    control_ = ResizeControl();
    if (!control_)
        return;
    start_ = ClientToScreen({x, y});
    start_size_ = vertical() ? control_->Width() : control_->Height();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!control_)
        return;
    Point now = ClientToScreen({x, y});
    int delta = vertical() ? now.x - start_.x : now.y - start_.y;
    if (Align() == TAlign::alRight || Align() == TAlign::alBottom)
        delta = -delta;
    int size = start_size_ + delta;
    if (size < MinSize)
        size = AutoSnap ? 0 : MinSize;
    size = std::min(size, max_size());
    if (vertical())
        control_->SetWidth(size);
    else
        control_->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    bool moved = control_ != nullptr;
    control_ = nullptr;
    std::shared_ptr<bool> alive = alive_;
    TGraphicControl::MouseUp(button, shift, x, y);
    if (*alive && moved && OnMoved)
        OnMoved(this);
}

void TSplitter::Paint()
{
    GetCanvas()->fill_rect(Rect{0, 0, Width(), Height()}, GetColor());
}

} // namespace lt
