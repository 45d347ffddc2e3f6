#pragma once
// The skinned splitter: a windowless bar between two docked controls, drawn
// from a three-piece skin with a gripper in its middle, that resizes its
// neighbour when dragged.
//
// Dragging (left button), as a table:
//
//   event                      state           effect
//   press, no neighbour        idle            nothing
//   press, neighbour found     dragging        line drawn over the splitter;
//                                              Esc hooked on the focused
//                                              control (or the form)
//   move, button held          dragging        line follows the pointer, the
//                                              size clamped (SplitSize)
//   move, button not held      idle            as Esc (the release was lost)
//   release                    idle            line erased; the neighbour
//                                              takes the size; OnMoved
//   Esc                        idle            line erased; nothing resized
//   splitter destroyed         -               line erased, Esc unhooked
//
// The neighbour is the visible, enabled sibling just outside the splitter
// on its aligned side; its size may range from MinSize to what leaves the
// other docked siblings their widths (heights) and MinSize to spare. With
// AutoSnap a size at or below MinSize snaps to 0.
//
// The line is a pattern of every other pixel inverted (ResizeStyle
// rsPattern) or every pixel inverted (rsLine) over the splitter's own
// rectangle, shown in a disabled child window on top of the parent's
// children so it crosses windowed neighbours too. rsUpdate resizes the
// neighbour while dragging; rsNone shows nothing until the release.
//
// Sections: SplitSize - TskSkinSplitter.

#include <string>

#include "forms/splitter.h"
#include "skin/skin_data.h"
#include "skinned/composition.h"
#include "skinned/skin_data_link.h"

namespace lt {

class Desktop;
class Window;

// The neighbour's new size for a pointer movement of `split` pixels along
// the axis (`reversed` for alRight and alBottom, where the neighbour grows
// as the pointer moves back): clamped to [min_size, max_size] with the split
// corrected to match, then 0 when auto_snap is on and the size is at or
// below min_size.
struct SplitStep {
    int size = 0;
    int split = 0;

    friend bool operator==(const SplitStep&, const SplitStep&) = default;
};
SplitStep SplitSize(int neighbour_size, int split, bool reversed, int min_size, int max_size, bool auto_snap);

class TskSkinSplitter : public TSplitter {
public:
    explicit TskSkinSplitter(TComponent* owner);
    ~TskSkinSplitter() override;

    // ---- skin binding, as for the windowed skinned controls
    TskSkinData* SkinData() const { return skin_.Data(); }
    // Stores the reference; a non-null one is applied at once.
    void SetSkinData(TskSkinData* data);
    const std::string& SkinDataName() const { return skin_.name; }
    // Takes effect at the next ApplySkin.
    void SetSkinDataName(const std::string& name) { skin_.name = name; }
    // Looks the skin object up, sets the thickness and repaints: the skin's
    // width (height for alTop and alBottom) when skinned and opaque, else
    // DefaultSize. The window frame calls it after a skin (re)load.
    void ApplySkin();
    void ForgetSkin();
    bool Skinned() const { return skinned_; }

    int DefaultSize = 10;
    // A transparent splitter paints nothing.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);

    // ---- the drag
    bool Dragging() const { return drag_.neighbour != nullptr; }
    // The control being resized, or nullptr.
    TControl* DragNeighbour() const { return drag_.neighbour; }
    // The size the neighbour takes if the drag ends now.
    int DragSize() const { return drag_.size; }
    // The line's rectangle in the parent's client coordinates (empty while
    // no line shows).
    Rect DragLineRect() const;
    // Ends a drag without resizing (what Esc does).
    void CancelDrag();
    // The control the splitter would resize, found as a press finds it.
    TControl* FindNeighbour() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool horizontal() const { return Align() == TAlign::alTop || Align() == TAlign::alBottom; }
    bool reversed() const { return Align() == TAlign::alRight || Align() == TAlign::alBottom; }
    void FetchSkinObject();
    int DragMaxSize(const TControl& neighbour) const;
    // Pointer position along the axis, in screen coordinates.
    int AxisPosition(int x, int y) const;
    void MoveTo(int x, int y);
    void ShowLine();
    void HideLine();
    void HookKeys();
    void UnhookKeys();
    void EndDrag();
    // Still needed for another role (skin data, neighbour, key target), so
    // its free notification stays.
    bool Watched(const TComponent* c) const;
    void Resize(TControl& neighbour, int size);

    SkinDataLink skin_{*this, "vsplitter"};
    bool skinned_ = false;
    bool transparent_ = false;

    // The skin object's fields, as the last fetch copied them.
    SkinGeometry geometry_;
    const Bitmap* picture_ = nullptr;
    Rect gripperrect_;
    bool grippertransparent_ = false;
    Color grippertransparentcolor_ = 0;

    struct Drag {
        TControl* neighbour = nullptr;
        int start = 0;      // pointer along the axis at the press (screen)
        int start_size = 0; // the neighbour's size at the press
        int max_size = 0;
        int size = 0;  // the size the neighbour takes on release
        int split = 0; // the line's offset from the splitter
        Rect origin;   // the splitter's bounds at the press
    } drag_;
    Desktop* desktop_ = nullptr;
    Window* line_ = nullptr;
    // The control whose OnKeyDown is replaced during a drag, its own
    // handler, and the last hook taken off (kept until the next one, since
    // Esc takes it off while it runs).
    TWinControl* key_target_ = nullptr;
    TKeyEvent saved_key_down_;
    TKeyEvent retired_key_down_;
};

} // namespace lt
