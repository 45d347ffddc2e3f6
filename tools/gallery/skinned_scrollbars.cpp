// The skinned page's scroll bars: vertical and horizontal bars on the stored
// skin at several positions, with and without a page, disabled, with a hot
// and a pressed button and a dragged thumb; then the unskinned look of both
// kinds, with Both leaving the corner free.

#include "skinned/skin_scrollbar.h"
#include "tools/gallery/skinned_page.h"

namespace lt::gallery {
namespace {

// A bar frozen in a pose: the pointer over a point, the left button held
// there or not. Real input and the repeat timer are ignored afterwards so
// the pose stays on show.
class PosedScrollBar : public TskSkinScrollBar {
public:
    using TskSkinScrollBar::TskSkinScrollBar;

    void Pose(Point p, bool press)
    {
        TskSkinScrollBar::MouseMove(0, p.x, p.y);
        if (press)
            TskSkinScrollBar::MouseDown(TMouseButton::mbLeft, ssLeft, p.x, p.y);
        posed_ = true;
    }

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
    {
        if (!posed_)
            TskSkinScrollBar::MouseDown(button, shift, x, y);
    }
    void MouseMove(TShiftState shift, int x, int y) override
    {
        if (!posed_)
            TskSkinScrollBar::MouseMove(shift, x, y);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override
    {
        if (!posed_)
            TskSkinScrollBar::MouseUp(button, shift, x, y);
    }
    void MouseLeave() override
    {
        if (!posed_)
            TskSkinScrollBar::MouseLeave();
    }
    LResult WndProc(Message& m) override
    {
        if (posed_ && (m.msg == WM_TIMER || m.msg == WM_CANCELMODE || m.msg == WM_CAPTURECHANGED))
            return 0;
        return TskSkinScrollBar::WndProc(m);
    }

private:
    bool posed_ = false;
};

Point Centre(const Rect& r)
{
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

template <class T = TskSkinScrollBar>
T* Vertical(SectionContext& s, const char* skin, int x, int position, int height = 200)
{
    auto* bar = s.Add<T>("", x, 8, 19, height);
    bar->SetKind(sbVertical);
    if (*skin) {
        bar->SetSkinDataName(skin);
        bar->SetSkinData(s.data);
    }
    bar->SetScrollParams(0, 99, 10, position);
    return bar;
}

template <class T = TskSkinScrollBar>
T* Horizontal(SectionContext& s, const char* skin, int y, ScrollRange r, int width = 260)
{
    auto* bar = s.Add<T>(skin, 190, y, width, 19);
    bar->SetScrollParams(r.min, r.max, r.page, r.position);
    return bar;
}

const SectionRegistration scrollbars_section{
    "scroll bars", 40, {460, 222}, [](SectionContext& s) {
        // Vertical on the stored skin: at 0, half way and at the end of a
        // page of 10 in 0..99; disabled; the thumb dragged; the increment
        // button hot and the decrement button held.
        Vertical(s, "vscrollbar", 8, 0);
        Vertical(s, "vscrollbar", 33, 45);
        Vertical(s, "vscrollbar", 58, 90);
        Vertical(s, "vscrollbar", 83, 45)->SetEnabled(false);
        auto* dragged = Vertical<PosedScrollBar>(s, "vscrollbar", 108, 45);
        dragged->Pose(Centre(dragged->PartRect(ScrollBarPart::Thumb)), true);
        auto* hot = Vertical<PosedScrollBar>(s, "vscrollbar", 133, 30, 96);
        hot->Pose(Centre(hot->PartRect(ScrollBarPart::Increment)), false);
        auto* held = Vertical<PosedScrollBar>(s, "vscrollbar", 133, 31, 96);
        held->SetTop(112);
        held->Pose({8, 8}, true);

        // Horizontal on the stored skin: no page at 0 and at the end, a page
        // of 30 at 40, disabled, the thumb hot.
        Horizontal(s, "hscrollbar", 8, {0, 100, 0, 0});
        Horizontal(s, "hscrollbar", 30, {0, 100, 100, 0});
        Horizontal(s, "hscrollbar", 52, {0, 99, 40, 30});
        Horizontal(s, "hscrollbar", 74, {0, 99, 40, 30})->SetEnabled(false);
        auto* thumb = Horizontal<PosedScrollBar>(s, "hscrollbar", 96, {0, 99, 69, 30});
        thumb->Pose(Centre(thumb->PartRect(ScrollBarPart::Thumb)), false);

        // Unskinned: a horizontal bar with its thumb held, one with Both, and a
        // vertical one with a page.
        auto* plain = Horizontal<PosedScrollBar>(s, "", 128, {0, 100, 50, 0});
        plain->Pose(Centre(plain->PartRect(ScrollBarPart::Thumb)), true);
        auto* both = Horizontal<PosedScrollBar>(s, "", 153, {0, 99, 20, 25});
        both->SetBoth(true);
        both->Pose(Centre(both->PartRect(ScrollBarPart::Increment)), false);
        Horizontal(s, "", 178, {0, 100, 50, 0})->SetEnabled(false);
        Vertical(s, "", 160, 60);
    }};

} // namespace
} // namespace lt::gallery
