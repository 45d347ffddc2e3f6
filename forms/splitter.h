#pragma once
// The framework's splitter: a windowless bar docked between two aligned
// controls. Dragging it resizes the control it is docked against (the
// sibling on the same side whose edge touches it); the control keeps at least
// MinSize, and the client-aligned sibling keeps at least MinSize too. With
// AutoSnap a drag below MinSize collapses the control to nothing. The size
// follows the pointer while dragging.

#include "forms/controls.h"

namespace lt {

enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);

    int MinSize = 30;
    bool AutoSnap = true;
    // Kept for the skin's settings; the size always follows the pointer.
    TResizeStyle ResizeStyle = TResizeStyle::rsPattern;
    TNotifyEvent OnMoved;

    lt::Cursor GetCursor() const override;
    // The control the splitter resizes, or nullptr.
    TControl* ResizeControl() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool vertical() const { return Align() == TAlign::alLeft || Align() == TAlign::alRight; }
    // The largest size the resized control may take.
    int max_size() const;

    TControl* control_ = nullptr;
    Point start_;
    int start_size_ = 0;
};

} // namespace lt
