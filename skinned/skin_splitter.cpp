// The skinned splitter: the size rule of a drag, the skin look, and the drag
// with its line and its Esc hook.

#include "skinned/skin_splitter.h"

#include "forms/forms.h"
#include "platform/desktop.h"
#include "platform/window.h"

namespace lt {

SplitStep SplitSize(int neighbour_size, int split, bool reversed, int min_size, int max_size, bool auto_snap)
{
    const int wanted = reversed ? neighbour_size - split : neighbour_size + split;
    int size = wanted;
    if (wanted < min_size)
        size = min_size;
    else if (wanted > max_size)
        size = max_size;
    // The line stops where the size stopped.
    if (size != wanted)
        split += reversed ? wanted - size : size - wanted;
    if (auto_snap && size <= min_size)
        size = 0;
    return {size, split};
}

namespace {

// Inverts the part of the canvas's clip that a window of `size` covers:
// every other pixel (a checker aligned to the bitmap, so the pattern stays
// put as the line moves) or every pixel.
void InvertLine(Canvas& canvas, Size size, bool pattern)
{
    Bitmap& bitmap = canvas.bitmap();
    const Rect device = Rect::from_size(size).offset(canvas.origin()).intersected(bitmap.rect());
    canvas.clip_region().for_each_in(device, [&](const Rect& r) {
        for (int y = r.top; y < r.bottom; ++y) {
            Pixel* row = bitmap.row(y);
            for (int x = r.left; x < r.right; ++x)
                if (!pattern || ((x + y) & 1) == 0)
                    row[x] ^= 0xFFFFFFu;
        }
    });
}

} // namespace

TskSkinSplitter::TskSkinSplitter(TComponent* owner) : TSplitter(owner)
{
    TControl::SetBounds(Left(), Top(), DefaultSize, Height());
}

TskSkinSplitter::~TskSkinSplitter()
{
    EndDrag();
}

// ---- skin -------------------------------------------------------------------

void TskSkinSplitter::SetSkinData(TskSkinData* data)
{
    skin_.Set(data);
    if (data)
        ApplySkin();
}

void TskSkinSplitter::FetchSkinObject()
{
    skinned_ = false;
    geometry_ = SkinGeometry{};
    picture_ = nullptr;
    gripperrect_ = Rect{};
    const auto* object = skin_.Object<TskDataSkinSplitterControl>(skin_.Find());
    if (!object)
        return;
    skinned_ = true;
    geometry_ = SkinGeometry::From(*object);
    picture_ = skin_.Data()->ActivePicture(object->pictureindex);
    gripperrect_ = object->gripperrect;
    grippertransparent_ = object->grippertransparent;
    grippertransparentcolor_ = object->grippertransparentcolor;
}

void TskSkinSplitter::ApplySkin()
{
    FetchSkinObject();
    const bool from_skin = skinned_ && !transparent_;
    if (horizontal())
        SetHeight(from_skin ? geometry_.skinrect.height() : DefaultSize);
    else
        SetWidth(from_skin ? geometry_.skinrect.width() : DefaultSize);
    Invalidate();
}

void TskSkinSplitter::ForgetSkin()
{
    skinned_ = false;
    picture_ = nullptr;
}

void TskSkinSplitter::SetTransparent(bool on)
{
    if (on == transparent_)
        return;
    transparent_ = on;
    Invalidate();
}

void TskSkinSplitter::Paint()
{
    if (transparent_)
        return;
    Canvas* target = GetCanvas();
    if (!target)
        return;
    FetchSkinObject();
    Canvas& canvas = *target;
    const Rect all{0, 0, Width(), Height()};
    if (!skinned_ || Align() == TAlign::alNone || Align() == TAlign::alClient) {
        canvas.fill_rect(all, GetColor());
        return;
    }
    if (!picture_)
        return;
    const Rect& s = geometry_.skinrect;
    if (horizontal())
        ComposeHorizontal(canvas, *picture_, s, geometry_.lefttoppoint.x, s.width() - geometry_.righttoppoint.x,
            Width(), geometry_.stretcheffect);
    else
        ComposeVertical(canvas, *picture_, s, geometry_.lefttoppoint.y, s.height() - geometry_.leftbottompoint.y,
            Height(), geometry_.stretcheffect);
    if (gripperrect_.empty())
        return;
    const Point at{Width() / 2 - gripperrect_.width() / 2, Height() / 2 - gripperrect_.height() / 2};
    if (grippertransparent_)
        canvas.draw_transparent(at, *picture_, gripperrect_, grippertransparentcolor_);
    else
        canvas.draw(at, *picture_, gripperrect_);
}

// ---- the drag ---------------------------------------------------------------

TControl* TskSkinSplitter::FindNeighbour() const
{
    TWinControl* parent = Parent();
    if (!parent)
        return nullptr;
    Point p{Left(), Top()};
    switch (Align()) {
    case TAlign::alLeft:
        p.x -= 1;
        break;
    case TAlign::alRight:
        p.x += Width();
        break;
    case TAlign::alTop:
        p.y -= 1;
        break;
    case TAlign::alBottom:
        p.y += Height();
        break;
    default:
        return nullptr;
    }
    const bool before = Align() == TAlign::alLeft || Align() == TAlign::alTop;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || !c->Enabled())
            continue;
        // A neighbour collapsed to nothing still counts, one pixel wide.
        Rect r = c->BoundsRect();
        if (r.width() == 0)
            (before ? r.left : r.right) += before ? -1 : 1;
        if (r.height() == 0)
            (before ? r.top : r.bottom) += before ? -1 : 1;
        if (r.contains(p))
            return c;
    }
    return nullptr;
}

int TskSkinSplitter::DragMaxSize(const TControl& neighbour) const
{
    const TWinControl& parent = *Parent();
    const bool across = horizontal();
    int size = (across ? parent.ClientHeight() : parent.ClientWidth()) - MinSize;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const TControl* c = parent.Controls(i);
        if (!c->Visible())
            continue;
        const TAlign a = c->Align();
        if (across ? (a == TAlign::alTop || a == TAlign::alBottom) : (a == TAlign::alLeft || a == TAlign::alRight))
            size -= across ? c->Height() : c->Width();
    }
    return size + (across ? neighbour.Height() : neighbour.Width());
}

int TskSkinSplitter::AxisPosition(int x, int y) const
{
    const Point screen = ClientToScreen({x, y});
    return horizontal() ? screen.y : screen.x;
}

Rect TskSkinSplitter::DragLineRect() const
{
    if (!line_)
        return {};
    return horizontal() ? drag_.origin.offset(0, drag_.split) : drag_.origin.offset(drag_.split, 0);
}

void TskSkinSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    // The framework splitter's own drag is skipped: this one draws a line
    // and resizes on release.
    std::shared_ptr<bool> alive = alive_;
    TGraphicControl::MouseDown(button, shift, x, y);
    if (!*alive || button != TMouseButton::mbLeft || Dragging())
        return;
    TControl* neighbour = FindNeighbour();
    if (!neighbour)
        return;
    const int size = horizontal() ? neighbour->Height() : neighbour->Width();
    drag_ = Drag{neighbour, AxisPosition(x, y), size, DragMaxSize(*neighbour), size, 0, BoundsRect()};
    drag_.size = SplitSize(size, 0, reversed(), MinSize, drag_.max_size, AutoSnap).size;
    FreeNotification(neighbour);
    ShowLine();
    HookKeys();
}

void TskSkinSplitter::MouseMove(TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    TGraphicControl::MouseMove(shift, x, y);
    if (!*alive || !Dragging())
        return;
    // The button went up where we were not told (the capture was lost).
    if (!(shift & ssLeft)) {
        CancelDrag();
        return;
    }
    MoveTo(x, y);
}

void TskSkinSplitter::MoveTo(int x, int y)
{
    const SplitStep step =
        SplitSize(drag_.start_size, AxisPosition(x, y) - drag_.start, reversed(), MinSize, drag_.max_size, AutoSnap);
    drag_.size = step.size;
    drag_.split = step.split;
    if (ResizeStyle == TResizeStyle::rsUpdate)
        Resize(*drag_.neighbour, step.size);
    else
        ShowLine();
}

void TskSkinSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button != TMouseButton::mbLeft || !Dragging()) {
        TGraphicControl::MouseUp(button, shift, x, y);
        return;
    }
    MoveTo(x, y);
    TControl* neighbour = drag_.neighbour;
    const int size = drag_.size;
    EndDrag();
    Resize(*neighbour, size);
    if (TWinControl* parent = Parent())
        parent->Invalidate();
    std::shared_ptr<bool> alive = alive_;
    TGraphicControl::MouseUp(button, shift, x, y);
    if (*alive && OnMoved)
        OnMoved(this);
}

void TskSkinSplitter::Resize(TControl& neighbour, int size)
{
    TWinControl* parent = Parent();
    const bool across = horizontal();
    if ((across ? neighbour.Height() : neighbour.Width()) == size)
        return;
    if (!reversed() || !parent) {
        if (across)
            neighbour.SetHeight(size);
        else
            neighbour.SetWidth(size);
        return;
    }
    // Docked on the far side the neighbour keeps its far edge: its near
    // edge moves, with the parent's layout held until both are set.
    parent->DisableAlign();
    if (across)
        neighbour.SetBounds(neighbour.Left(), neighbour.Top() + neighbour.Height() - size, neighbour.Width(), size);
    else
        neighbour.SetBounds(neighbour.Left() + neighbour.Width() - size, neighbour.Top(), size, neighbour.Height());
    parent->EnableAlign();
}

void TskSkinSplitter::CancelDrag()
{
    EndDrag();
}

bool TskSkinSplitter::Watched(const TComponent* c) const
{
    return c == skin_.Data() || c == drag_.neighbour || c == key_target_;
}

void TskSkinSplitter::EndDrag()
{
    HideLine();
    UnhookKeys();
    if (drag_.neighbour) {
        TControl* neighbour = drag_.neighbour;
        drag_ = Drag{};
        if (!Watched(neighbour))
            RemoveFreeNotification(neighbour);
    }
}

void TskSkinSplitter::ShowLine()
{
    if (ResizeStyle != TResizeStyle::rsLine && ResizeStyle != TResizeStyle::rsPattern)
        return;
    if (line_ && desktop_ && desktop_->is_window(line_)) {
        line_->set_bounds(DragLineRect());
        return;
    }
    Window* host = Parent() ? Parent()->WindowHandle() : nullptr;
    if (!host)
        return;
    const bool pattern = ResizeStyle == TResizeStyle::rsPattern;
    CreateParams params;
    params.parent = host;
    params.bounds = horizontal() ? drag_.origin.offset(0, drag_.split) : drag_.origin.offset(drag_.split, 0);
    params.visible = true;
    // Disabled: the pointer passes through it to whatever lies below.
    params.enabled = false;
    params.proc = [pattern](Window& w, Message& m) -> LResult {
        switch (m.msg) {
        case WM_ERASEBKGND:
            return 1; // what lies below shows through before it is inverted
        case WM_PAINT:
            InvertLine(message_canvas(m), w.client_rect().size(), pattern);
            return 0;
        default:
            return w.default_proc(m);
        }
    };
    desktop_ = &host->desktop();
    line_ = desktop_->create_window(params);
    line_->bring_to_front();
}

void TskSkinSplitter::HideLine()
{
    if (line_ && desktop_ && desktop_->is_window(line_))
        line_->destroy();
    line_ = nullptr;
}

void TskSkinSplitter::HookKeys()
{
    TCustomForm* form = GetParentForm();
    if (!form)
        return;
    key_target_ = form->ActiveControl() ? form->ActiveControl() : form;
    FreeNotification(key_target_);
    saved_key_down_ = key_target_->OnKeyDown;
    key_target_->OnKeyDown = [this, previous = saved_key_down_](TComponent* sender, int& key, TShiftState shift) {
        if (key == VK_ESCAPE) {
            key = 0;
            CancelDrag(); // replaces this handler; it stays alive in retired_key_down_
            return;
        }
        if (previous)
            previous(sender, key, shift);
    };
}

void TskSkinSplitter::UnhookKeys()
{
    if (!key_target_)
        return;
    TWinControl* target = key_target_;
    key_target_ = nullptr;
    // The hook may be running right now (Esc): keep it alive until the next
    // drag instead of destroying it under its own feet.
    retired_key_down_ = std::move(target->OnKeyDown);
    target->OnKeyDown = std::move(saved_key_down_);
    saved_key_down_ = nullptr;
    if (!Watched(target))
        RemoveFreeNotification(target);
}

void TskSkinSplitter::Notification(TComponent* component, TOperation operation)
{
    TSplitter::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (skin_.Dropped(component, operation)) {
        ForgetSkin();
        Invalidate();
    }
    if (component == key_target_) {
        // Its handler goes with it.
        key_target_ = nullptr;
        saved_key_down_ = nullptr;
    }
    if (component == drag_.neighbour)
        CancelDrag();
}

} // namespace lt
