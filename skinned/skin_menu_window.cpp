// The popup windows of a skinned menu.
//
// Sections: placement - skin lookup - building and layout - showing and
// closing - the window's messages - pointer, clicks and keys - effects -
// painting.

#include "skinned/skin_menu_window.h"

#include <algorithm>

#include "gfx/draw_text.h"
#include "gfx/font.h"
#include "platform/desktop.h"
#include "skinned/morph.h"
#include "skinned/skin_menu.h"

namespace lt {

namespace {

// The unskinned look's colours.
constexpr Color kPlainHighlightFill = rgb(182, 189, 210);
constexpr Color kPlainHighlightFrame = rgb(0, 0, 128);
// The scroll-marker bands at the top and bottom of a scrolling window.
constexpr int kMarkerBand = 10;
// Room at the right of the text area for the submenu arrow (and the shortcut's
// distance from the text area's end).
constexpr int kArrowRoom = 16;

FontDesc WithStyle(FontDesc desc, TFontStyles style)
{
    desc.set_styles(style);
    return desc;
}

// The caption as the item shows it, with the shortcut after two blanks.
std::string MeasuredText(const TMenuItem& item)
{
    if (item.ShortCut == scNone)
        return item.Caption;
    return item.Caption + "  " + ShortCutToText(item.ShortCut);
}

// The tick: three polylines a pixel apart, in an 8 x 8 box at (x, y).
void DrawTick(Canvas& canvas, int x, int y, Color color)
{
    canvas.pen().color = color;
    for (int i = 0; i < 3; ++i) {
        const Point pts[] = {{x, y + 5 - i}, {x + 2, y + 7 - i}, {x + 7, y + 2 - i}};
        canvas.polyline(pts);
    }
}

// A filled 6 x 6 circle at (x, y).
void DrawDot(Canvas& canvas, int x, int y, Color color)
{
    for (int row = 0; row < 6; ++row) {
        const int inset = (row == 0 || row == 5) ? 1 : 0;
        canvas.fill_rect({x + inset, y + row, x + 6 - inset, y + row + 1}, color);
    }
}

// The submenu arrow: four vertical lines of 8, 6, 4 and 2 pixels, centred
// on `cy`, starting at `x`.
void DrawArrow(Canvas& canvas, int x, int cy, Color color)
{
    for (int k = 0; k < 4; ++k) {
        const int len = 8 - 2 * k;
        canvas.fill_rect({x + k, cy - len / 2, x + k + 1, cy - len / 2 + len}, color);
    }
}

// Frame `k` (0-based) of an animation strip.
Rect AnimationFrame(const TskDataSkinMenuItem& mi, int k)
{
    const Rect& a = mi.animateskinrect;
    if (a.height() > mi.skinrect.height()) {
        const int fh = a.height() / mi.framecount;
        return {a.left, a.top + k * fh, a.right, a.top + (k + 1) * fh};
    }
    const int fw = a.width() / mi.framecount;
    return {a.left + k * fw, a.top, a.left + (k + 1) * fw, a.bottom};
}

bool Animates(const MenuSkin& skin)
{
    const TskDataSkinMenuItem* mi = skin.item;
    return skin.effects && mi && !mi->animateskinrect.empty() && mi->framecount > 0 && mi->animateinterval > 0;
}

bool Morphs(const MenuSkin& skin)
{
    return skin.effects && skin.item && skin.item->morphing;
}

} // namespace

// ---- placement ---------------------------------------------------------------

Point PlaceMenuWindow(const MenuPlacement& p)
{
    const Rect& a = p.anchor;
    const Rect& r = p.work;
    const int w = p.size.width, h = p.size.height;
    const bool upper_half = a.top < r.top + r.height() / 2;
    int y = 0;
    bool adjusted = false;
    if (p.submenu) {
        const int i = p.items_top;
        if (a.top - i + h <= r.bottom)
            y = a.top - i;
        else if (upper_half)
            y = r.bottom - h;
        else
            y = std::max(a.bottom + i - h, r.top);
    } else if (!p.upward) {
        if (a.bottom + h <= r.bottom) {
            y = a.bottom;
        } else if (upper_half) {
            y = r.bottom - h;
            adjusted = true;
        } else if (a.top - h >= r.top) {
            y = a.top - h;
        } else {
            y = r.top;
            adjusted = true;
        }
    } else {
        if (a.top - h >= r.top) {
            y = a.top - h;
        } else if (upper_half) {
            adjusted = a.bottom + h > r.bottom;
            y = adjusted ? r.bottom - h : a.bottom;
        } else {
            y = r.top;
            adjusted = true;
        }
    }
    if (p.tall)
        y = r.top;

    int x = 0;
    if (!p.submenu && !adjusted && !p.tall) {
        x = a.left;
        if (x + w > r.right)
            x = r.right - w;
        else if (x < r.left)
            x = r.left;
    } else {
        x = a.right + w + 1 <= r.right ? a.right + 1 : a.left - w - 1;
    }
    return {x, y};
}

// ---- skin lookup -------------------------------------------------------------

SkinGeometry MenuSkin::geometry() const
{
    SkinGeometry g;
    if (!window || !window_picture)
        return g;
    g.skinrect = window_picture->rect();
    g.clientrect = window->itemsrect;
    g.lefttoppoint = window->lefttoppoint;
    g.righttoppoint = window->righttoppoint;
    g.leftbottompoint = window->leftbottompoint;
    g.rightbottompoint = window->rightbottompoint;
    g.leftstretch = window->leftstretch;
    g.topstretch = window->topstretch;
    g.rightstretch = window->rightstretch;
    g.bottomstretch = window->bottomstretch;
    g.stretcheffect = window->stretcheffect;
    g.stretchtype = window->stretchtype;
    return g;
}

MenuSkin ResolveMenuSkin(const TskSkinData* data)
{
    MenuSkin s;
    if (!data || data->Empty)
        return s;
    s.window = &data->PopupWindow;
    s.window_picture = data->ActivePicture(s.window->windowpictureindex);
    s.mask = data->ActivePicture(s.window->maskpictureindex);
    for (const auto& object : data->SkinObjects) {
        if (auto* mi = dynamic_cast<const TskDataSkinMenuItem*>(object.get())) {
            s.item = mi;
            break;
        }
    }
    if (s.item)
        s.item_picture = data->ActivePicture(s.item->activepictureindex);
    s.effects = data->EnableSkinEffects;
    return s;
}

bool TskSkinMenuItem::IsHeader() const
{
    const std::string& c = item_->Caption;
    return !item_->Enabled && c.size() > 1 && c.front() == '-' && c.back() == '-';
}

// ---- building and layout -----------------------------------------------------

TskSkinPopupWindow::TskSkinPopupWindow(TskSkinMenu& menu, TMenuItem& parent, int start, int level, const Rect& work)
    : TCustomControl(nullptr), menu_(menu), parent_(parent), level_(level)
{
    for (int i = std::max(start, 0); i < parent.Count(); ++i) {
        TMenuItem* child = parent.Items(i);
        if (child->Visible)
            items_.push_back(std::make_unique<TskSkinMenuItem>(*this, *child));
    }
    Measure(work);
}

TskSkinPopupWindow::~TskSkinPopupWindow() = default;

FontDesc TskSkinPopupWindow::ItemFont(const TskSkinMenuItem& view) const
{
    FontDesc desc = font_;
    // The default item (the one a double-click would run) stands out in bold.
    if (view.Item().Default)
        desc.bold = true;
    return desc;
}

void TskSkinPopupWindow::Measure(const Rect& work)
{
    const TskSkinData* data = menu_.MenuSkinData();
    const MenuSkin skin = ResolveMenuSkin(data);
    skinned_ = skin.skinned();
    const TskDataSkinMenuItem* mi = skin.item;

    if (skinned_ && menu_.UseSkinFont) {
        font_ = WithStyle(menu_.DefaultItemFont().Desc(), mi->fontstyle);
        font_.name = mi->fontname;
        font_.height = mi->fontheight;
    } else {
        font_ = menu_.DefaultItemFont().Desc();
    }
    if (data && data->ResourceStrData())
        font_.charset = data->ResourceStrData()->CharSet;

    const int item_height = skinned_ ? mi->skinrect.height() : menu_.DefaultItemHeight;
    const int line_height = skinned_ ? mi->dividerrect.height() : 4;
    int widest = 0;
    int total = 0;
    for (auto& view : items_) {
        view->Height = view->IsLine() ? line_height : item_height;
        total += view->Height;
        if (view->IsLine())
            continue;
        std::string text = MeasuredText(view->Item());
        if (view->IsHeader())
            text = text.substr(1, text.size() - 2);
        const FontPtr font = Font::get(ItemFont(*view));
        const TextLayout layout = layout_text(*font, text, Rect{}, DT_SINGLELINE | DT_CALCRECT);
        widest = std::max(widest, layout.calc_rect.width() + 2);
    }

    // Width: the widest caption, the image column and room for the arrow,
    // then the frame around the items and the item picture's own margins.
    int width = widest + image_column_ + 19;
    int frame_w = 4, frame_h = 4;
    if (skinned_) {
        const Rect& items = skin.window->itemsrect;
        width += mi->textrect.left + (mi->skinrect.width() - mi->textrect.right);
        frame_w = skin.window_picture->width() - items.width();
        frame_h = skin.window_picture->height() - items.height();
        width += frame_w;
    } else {
        width += 10;
    }
    int height = total + frame_h;
    const int limit = menu_.MaxItemsInWindow;
    if (limit > 0 && ItemCount() > limit) {
        height = item_height * limit + frame_h + 2 * kMarkerBand;
        scroll_ = fixed_count_ = true;
    }
    if (height > work.height()) {
        height = work.height();
        scroll_ = tall_ = true;
    }
    size_ = {width, height};

    if (skinned_) {
        target_ = skin.geometry().target(size_, ResizeMode::NinePiece);
        items_rect_ = target_.client;
    } else {
        items_rect_ = {2, 2, width - 2, height - 2};
    }
    Layout();
}

void TskSkinPopupWindow::Layout()
{
    const int band = scroll_ ? kMarkerBand : 0;
    int y = items_rect_.top + band;
    const int limit = items_rect_.bottom - band;
    visible_count_ = 0;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMenuItem& view = Items(i);
        if (i < first_visible_) {
            view.Visible = false;
            view.ItemRect = Rect{};
            continue;
        }
        view.ItemRect = {items_rect_.left, y, items_rect_.right, y + view.Height};
        view.Visible = view.ItemRect.bottom <= limit;
        if (!view.Visible)
            view.ItemRect = Rect{};
        else
            ++visible_count_;
        y += view.Height;
    }
}

Rect TskSkinPopupWindow::TopMarker() const
{
    return {items_rect_.left, items_rect_.top, items_rect_.right, items_rect_.top + kMarkerBand};
}

Rect TskSkinPopupWindow::BottomMarker() const
{
    return {items_rect_.left, items_rect_.bottom - kMarkerBand, items_rect_.right, items_rect_.bottom};
}

int TskSkinPopupWindow::ItemAt(Point p) const
{
    for (int i = 0; i < ItemCount(); ++i)
        if (Items(i).Visible && Items(i).ItemRect.contains(p))
            return i;
    return -1;
}

Rect TskSkinPopupWindow::TextArea(const TskSkinMenuItem& view, const MenuSkin& skin) const
{
    const int w = view.ItemRect.width(), h = view.ItemRect.height();
    if (!(skinned_ && skin.skinned()))
        return {image_column_ + 2, 0, w - 21 + kArrowRoom, h};
    Rect text = skin.item->textrect;
    text.right += w - skin.item->skinrect.width();
    return text;
}

Rect TskSkinPopupWindow::CaptionCell(const TskSkinMenuItem& view, const MenuSkin& skin) const
{
    // Measured as one line from the text area's left edge (past the image
    // column when the skin has no image rectangle) to the arrow's room,
    // centred vertically, with two pixels of slack on the right.
    const Rect text = TextArea(view, skin);
    const bool skinned = skinned_ && skin.skinned();
    const int column = skinned && skin.item->imagerect.empty() ? kArrowRoom : 0;
    const FontPtr font = Font::get(ItemFont(view));
    const Rect bounds{text.left + column, 0, text.right - kArrowRoom, 0};
    const Rect measured = layout_text(*font, view.Item().Caption, bounds, DT_SINGLELINE | DT_CALCRECT).calc_rect;
    const int top = text.top + (text.height() - measured.height()) / 2;
    return {bounds.left, top, bounds.left + measured.width() + 2, top + measured.height()};
}

Rect TskSkinPopupWindow::CaptionRect(int index) const
{
    const TskSkinMenuItem& view = Items(index);
    const MenuSkin skin = ResolveMenuSkin(menu_.MenuSkinData());
    return CaptionCell(view, skin).offset(view.ItemRect.left, view.ItemRect.top);
}

Rect TskSkinPopupWindow::ItemScreenRect(int index) const
{
    const Rect& r = Items(index).ItemRect;
    return r.offset(Left(), Top());
}

// ---- showing and closing -----------------------------------------------------

void TskSkinPopupWindow::CreateParams(lt::CreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.parent = nullptr;
    p.popup = true;
    p.tab_stop = false;
    p.double_clicks = false;
    p.visible = true;
    TCustomForm* form = menu_.Frame().FrameForm();
    p.owner = form ? form->Handle() : nullptr;
}

void TskSkinPopupWindow::ShowAt(const Rect& anchor, bool submenu, bool upward)
{
    const Point at = PlaceMenuWindow({size_, anchor, menu_.WorkArea(), submenu, upward, items_rect_.top, tall_});
    SetBounds(at.x, at.y, size_.width, size_.height);
    Window* w = Handle();
    if (!w)
        return;
    const MenuSkin skin = ResolveMenuSkin(menu_.MenuSkinData());
    if (skinned_ && skin.mask) {
        const SkinFit fit{ResizeMode::NinePiece, size_, target_};
        if (auto region = SkinRegion(*skin.mask, skin.window_picture->rect(), skin.geometry(), fit))
            w->set_region(&*region, false);
    }
    w->bring_to_front();
    last_pointer_ = w->desktop().cursor_pos();
    w->set_timer(kTrackTimer, kTrackMs);
    for (int i = 0; i < ItemCount(); ++i) {
        if (Items(i).Selectable()) {
            active_ = i;
            Highlight(i, true);
            EnsureVisible(i, false);
            break;
        }
    }
}

void TskSkinPopupWindow::CloseWindow()
{
    closed_ = true;
    if (Window* w = WindowHandle()) {
        for (std::uintptr_t id : {kTrackTimer, kScrollTimer, kEffectTimer, kSubmenuTimer})
            w->kill_timer(id);
    }
    Hide();
}

void TskSkinPopupWindow::StartSubmenuTimer()
{
    if (Window* w = WindowHandle(); w && !closed_)
        w->set_timer(kSubmenuTimer, kSubmenuMs);
}

void TskSkinPopupWindow::StopSubmenuTimer()
{
    if (Window* w = WindowHandle())
        w->kill_timer(kSubmenuTimer);
}

// ---- the window's messages ---------------------------------------------------

LResult TskSkinPopupWindow::WndProc(Message& m)
{
    switch (m.msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (closed_)
            return 0;
        switch (m.wparam) {
        case kTrackTimer:
            TrackTick();
            break;
        case kScrollTimer:
            ScrollTick();
            break;
        case kEffectTimer:
            EffectTick();
            break;
        case kSubmenuTimer:
            menu_.SubmenuDelayExpired(*this);
            break;
        default:
            break;
        }
        return 0;
    case WM_LBUTTONUP:
        if (!closed_ && WindowHandle())
            MouseRelease(WindowHandle()->client_to_screen(lparam_point(m.lparam)));
        return 0;
    // The windows never capture the mouse: presses and moves do nothing here
    // (the pointer is read on the tracking timer).
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return 0;
    default:
        return TCustomControl::WndProc(m);
    }
}

// ---- pointer, clicks and keys ------------------------------------------------

void TskSkinPopupWindow::InvalidateItem(int index)
{
    Window* w = WindowHandle();
    if (!w || index < 0 || index >= ItemCount() || !Items(index).Visible)
        return;
    const Rect r = Items(index).ItemRect;
    w->invalidate(&r);
}

void TskSkinPopupWindow::TrackTick()
{
    Window* w = WindowHandle();
    if (!w)
        return;
    const Point p = w->desktop().cursor_pos();
    if (p == last_pointer_)
        return;
    last_pointer_ = p;
    if (w->desktop().window_from_point(p) == w)
        Hover(p);
    else if (scroll_dir_ != 0)
        StopScroll();
}

void TskSkinPopupWindow::Hover(Point screen)
{
    Window* w = WindowHandle();
    if (!w || closed_)
        return;
    const Point p = w->screen_to_client(screen);
    std::shared_ptr<bool> alive = alive_;
    if (scroll_) {
        if (TopMarker().contains(p)) {
            if (first_visible_ > 0)
                StartScroll(1);
        } else if (BottomMarker().contains(p)) {
            if (ItemCount() > 0 && !Items(ItemCount() - 1).Visible)
                StartScroll(2);
        } else {
            StopScroll();
        }
        if (!*alive)
            return;
    }
    const int index = ItemAt(p);
    if (index < 0)
        return;
    TskSkinMenuItem& view = Items(index);
    if (index != active_) {
        MakeActive(index);
        if (view.Selectable())
            Highlight(index, false);
    } else if (view.KeyboardSelected) {
        view.KeyboardSelected = false;
        if (view.Selectable() && view.HasChildren() && !view.Down)
            menu_.StartSubmenuDelay(*this, index);
    }
}

void TskSkinPopupWindow::MakeActive(int index)
{
    if (index == active_)
        return;
    const int previous = active_;
    previous_ = previous;
    active_ = index;
    if (previous >= 0 && Items(previous).Selectable())
        Unhighlight(previous);
}

void TskSkinPopupWindow::Highlight(int index, bool keyboard)
{
    TskSkinMenuItem& view = Items(index);
    view.Active = true;
    view.KeyboardSelected = keyboard;
    hint_ = view.Item().Hint;
    if (!keyboard) {
        // The pointer chose another item: what this window opened before
        // goes, and an item with children opens its own after the delay.
        menu_.CloseFrom(level_ + 1);
        if (view.HasChildren())
            menu_.StartSubmenuDelay(*this, index);
    }
    StartEffect(view, true);
    InvalidateItem(index);
}

void TskSkinPopupWindow::Unhighlight(int index)
{
    TskSkinMenuItem& view = Items(index);
    view.Active = false;
    view.KeyboardSelected = false;
    menu_.CancelSubmenuDelay(*this, index);
    StartEffect(view, false);
    InvalidateItem(index);
}

void TskSkinPopupWindow::SetItemDown(int index, bool down)
{
    if (index < 0 || index >= ItemCount() || Items(index).Down == down)
        return;
    Items(index).Down = down;
    InvalidateItem(index);
}

void TskSkinPopupWindow::MouseRelease(Point screen)
{
    std::shared_ptr<bool> alive = alive_;
    last_pointer_ = screen;
    Hover(screen);
    if (!*alive || closed_)
        return;
    const int index = ItemAt(WindowHandle()->screen_to_client(screen));
    if (index >= 0 && active_ >= 0 && !Items(active_).IsLine())
        menu_.ClickItem(*this, active_);
}

void TskSkinPopupWindow::MoveActive(bool down)
{
    const int n = ItemCount();
    const int from = active_;
    int next = -1;
    for (int step = 1; step <= n; ++step) {
        const int i = from < 0 ? (down ? step - 1 : n - step) : ((from + (down ? step : -step)) % n + n) % n;
        if (Items(i).Selectable()) {
            next = i;
            break;
        }
    }
    if (next < 0 || next == from)
        return;
    const bool wrapped = from >= 0 && (down ? next < from : next > from);
    MakeActive(next);
    Highlight(next, true);
    EnsureVisible(next, wrapped);
}

void TskSkinPopupWindow::EnsureVisible(int index, bool wrapped)
{
    if (!scroll_)
        return;
    const int before = first_visible_;
    if (wrapped)
        first_visible_ = index < first_visible_ ? 0 : first_visible_;
    // Wrapping to the last item shows the end of the list; any other move
    // scrolls one item at a time until the item is in view.
    const int target = wrapped && index > first_visible_ ? ItemCount() - 1 : index;
    if (target < first_visible_)
        first_visible_ = target;
    Layout();
    while (!Items(target).Visible && first_visible_ < target) {
        ++first_visible_;
        Layout();
    }
    if (first_visible_ != before)
        Invalidate();
}

void TskSkinPopupWindow::KeyDown(int vk)
{
    if (closed_)
        return;
    switch (vk) {
    case VK_RETURN:
        if (active_ >= 0)
            menu_.ClickItem(*this, active_);
        return;
    case VK_DOWN:
    case VK_UP:
        MoveActive(vk == VK_DOWN);
        return;
    case VK_RIGHT:
        if (active_ >= 0 && Items(active_).HasChildren())
            menu_.ClickItem(*this, active_);
        return;
    case VK_LEFT:
        if (menu_.WindowCount() > 1)
            menu_.CloseFrom(level_);
        return;
    case VK_ESCAPE:
        if (menu_.WindowCount() > 1)
            menu_.CloseFrom(level_);
        else
            menu_.CloseAll();
        return;
    default:
        break;
    }
    if (!((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')))
        return;
    for (int i = 0; i < ItemCount(); ++i) {
        if (GetHotkey(Items(i).Item().Caption) != vk)
            continue;
        MakeActive(i);
        if (Items(i).Selectable() && !Items(i).Active)
            Highlight(i, true);
        EnsureVisible(i, false);
        menu_.ClickItem(*this, i);
        return;
    }
}

void TskSkinPopupWindow::StartScroll(int dir)
{
    if (scroll_dir_ == dir)
        return;
    scroll_dir_ = dir;
    menu_.CloseFrom(level_ + 1);
    if (Window* w = WindowHandle())
        w->set_timer(kScrollTimer, kScrollMs);
    Invalidate();
}

void TskSkinPopupWindow::StopScroll()
{
    if (scroll_dir_ == 0)
        return;
    scroll_dir_ = 0;
    if (Window* w = WindowHandle())
        w->kill_timer(kScrollTimer);
    Invalidate();
}

void TskSkinPopupWindow::ScrollTick()
{
    const bool more_below = ItemCount() > 0 && !Items(ItemCount() - 1).Visible;
    if (scroll_dir_ == 1 && first_visible_ > 0)
        --first_visible_;
    else if (scroll_dir_ == 2 && more_below)
        ++first_visible_;
    else {
        StopScroll();
        return;
    }
    Layout();
    Invalidate();
}

// ---- effects -----------------------------------------------------------------

void TskSkinPopupWindow::StartEffect(TskSkinMenuItem& view, bool highlighted)
{
    const MenuSkin skin = ResolveMenuSkin(menu_.MenuSkinData());
    if (!skinned_ || !skin.skinned())
        return;
    const bool animates = Animates(skin);
    const bool morphs = Morphs(skin);
    if (animates) {
        if (highlighted) {
            view.Frame = 1;
            view.FrameBackward = false;
        } else if (skin.item->inactiveanimation) {
            view.Frame = skin.item->framecount;
            view.FrameBackward = true;
        } else {
            view.Frame = 0;
        }
    }
    if (!animates && !morphs)
        return;
    if (!effect_running_) {
        if (Window* w = WindowHandle(); w && !closed_) {
            w->set_timer(kEffectTimer, animates ? skin.item->animateinterval : 20);
            effect_running_ = true;
        }
    }
}

void TskSkinPopupWindow::EffectTick()
{
    const MenuSkin skin = ResolveMenuSkin(menu_.MenuSkinData());
    bool running = false;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMenuItem& view = Items(i);
        bool changed = false;
        if (view.Frame > 0) {
            view.Frame += view.FrameBackward ? -1 : 1;
            if (skin.item && view.Frame > skin.item->framecount)
                view.Frame = 0;
            running = running || view.Frame > 0;
            changed = true;
        }
        if (Morphs(skin)) {
            const MorphTick step = StepMorph(view.Morph, view.Highlighted());
            if (step.factor != view.Morph) {
                view.Morph = step.factor;
                changed = true;
            }
            running = running || view.Morph != (view.Highlighted() ? 1.0 : 0.0);
        }
        if (changed)
            InvalidateItem(i);
    }
    if (!running) {
        effect_running_ = false;
        if (Window* w = WindowHandle())
            w->kill_timer(kEffectTimer);
    }
}

// ---- painting ----------------------------------------------------------------

void TskSkinPopupWindow::PaintWindow(Canvas& canvas, const Rect&)
{
    const MenuSkin skin = ResolveMenuSkin(menu_.MenuSkinData());
    PaintBackground(canvas, skin);
    for (const auto& view : items_)
        if (view->Visible)
            PaintItem(canvas, skin, *view);
    if (scroll_)
        PaintMarkers(canvas, skin);
}

void TskSkinPopupWindow::PaintBackground(Canvas& canvas, const MenuSkin& skin)
{
    const Rect all = Rect::from_size(size_);
    if (skinned_ && skin.skinned()) {
        const SkinGeometry g = skin.geometry();
        const Bitmap& picture = *skin.window_picture;
        // The items cover the items rectangle unless the window scrolls or
        // the items have no pictures of their own.
        const bool client = scroll_ || !skin.item_picture;
        ComposeNinePiece(canvas, picture, picture.rect(), g, target_, size_, client);
        if (skin.item->inactivetransparent) {
            if (background_.size() != size_)
                background_ = Bitmap(size_.width, size_.height);
            Canvas under(background_);
            ComposeNinePiece(under, picture, picture.rect(), g, target_, size_, true);
        }
        return;
    }
    canvas.fill_rect(all, clWindow);
    canvas.fill_rect({0, 0, image_column_ + 2, size_.height}, clBtnFace);
    canvas.frame_rect(all, clBtnShadow);
    canvas.frame_rect(all.inflated(-1, -1), clWindow);
}

void TskSkinPopupWindow::PaintItem(Canvas& canvas, const MenuSkin& skin, const TskSkinMenuItem& view)
{
    CanvasSaver keep(canvas);
    canvas.intersect_clip(view.ItemRect);
    canvas.move_origin(view.ItemRect.left, view.ItemRect.top);
    canvas.set_bk_mode(BkMode::Transparent);
    if (skinned_ && skin.skinned())
        PaintItemSkinned(canvas, skin, view);
    else
        PaintItemPlain(canvas, view);
}

void TskSkinPopupWindow::PaintItemBackground(
    Canvas& canvas, const MenuSkin& skin, const TskSkinMenuItem& view, bool highlighted)
{
    const TskDataSkinMenuItem& mi = *skin.item;
    if (!skin.item_picture)
        return;
    const Bitmap& picture = *skin.item_picture;
    const int w = view.ItemRect.width();
    auto compose = [&](Canvas& c, bool active) {
        const Rect& src = active ? mi.activeskinrect : mi.skinrect;
        if (!active && mi.inactivetransparent && !background_.empty()) {
            c.draw({0, 0}, background_, view.ItemRect);
            return;
        }
        ComposeHorizontal(c, picture, src, mi.itemleftoffset, mi.itemrightoffset, w,
            active ? mi.stretcheffect : mi.inactivestretcheffect);
    };
    if (view.Frame > 0 && Animates(skin)) {
        // A frame of the animation strip replaces the item's look; the normal
        // look stretches during the animation when the highlighted one does.
        const bool stretch = highlighted ? mi.stretcheffect : (mi.inactivestretcheffect || mi.stretcheffect);
        ComposeHorizontal(
            canvas, picture, AnimationFrame(mi, view.Frame - 1), mi.itemleftoffset, mi.itemrightoffset, w, stretch);
        return;
    }
    if (Morphs(skin) && view.Morph > 0 && view.Morph < 1) {
        Bitmap normal(w, view.ItemRect.height()), active(w, view.ItemRect.height());
        Canvas nc(normal), ac(active);
        compose(nc, false);
        compose(ac, true);
        MorphBlend(normal, active, view.Morph, mi.morphkind);
        canvas.draw({0, 0}, normal);
        return;
    }
    compose(canvas, Morphs(skin) ? view.Morph >= 1 : highlighted);
}

void TskSkinPopupWindow::PaintItemSkinned(Canvas& canvas, const MenuSkin& skin, const TskSkinMenuItem& view)
{
    const TskDataSkinMenuItem& mi = *skin.item;
    const Bitmap* picture = skin.item_picture;
    const int w = view.ItemRect.width(), h = view.ItemRect.height();
    if (view.IsLine()) {
        if (picture)
            ComposeHorizontal(canvas, *picture, mi.dividerrect, mi.dividerleftoffset, mi.dividerrightoffset, w,
                mi.dividerstretcheffect);
        return;
    }
    const TMenuItem& item = view.Item();
    const bool highlighted = view.Highlighted();
    PaintItemBackground(canvas, skin, view, highlighted);

    const Rect text = TextArea(view, skin);
    if (view.IsHeader()) {
        PaintHeader(canvas, view, text);
        return;
    }
    const Color color = highlighted ? mi.activefontcolor : (item.Enabled ? mi.fontcolor : mi.unenabledfontcolor);
    PaintCaption(canvas, view, CaptionCell(view, skin), text.right - kArrowRoom, color);

    const Color mark_color = mi.useimagecolor ? (highlighted ? mi.activeimagecolor : mi.imagecolor) : color;
    if (view.HasChildren()) {
        const Rect& arrow = highlighted ? mi.activearrowimagerect : mi.arrowimagerect;
        if (picture && !arrow.empty())
            canvas.draw_transparent(
                {text.right - arrow.width(), text.top + (text.height() - arrow.height()) / 2}, *picture, arrow);
        else
            DrawArrow(canvas, text.right - 7, text.top + text.height() / 2, mark_color);
    }
    if (item.Checked()) {
        const Rect& mark = item.RadioItem ? (highlighted ? mi.activeradioimagerect : mi.radioimagerect)
                                          : (highlighted ? mi.activecheckimagerect : mi.checkimagerect);
        // Centred in the image rectangle, or just inside the text area.
        const Rect place = !mi.imagerect.empty() ? mi.imagerect : Rect::from_xywh(text.left + 2, (h - 16) / 2, 16, 16);
        if (picture && !mark.empty()) {
            canvas.draw_transparent(
                {place.left + (place.width() - mark.width()) / 2, place.top + (place.height() - mark.height()) / 2},
                *picture, mark);
        } else {
            const int x = place.left + (place.width() - 8) / 2, y = place.top + (place.height() - 8) / 2;
            if (item.RadioItem)
                DrawDot(canvas, x + 1, y + 1, mark_color);
            else
                DrawTick(canvas, x, y, mark_color);
        }
    }
}

void TskSkinPopupWindow::PaintCaption(
    Canvas& canvas, const TskSkinMenuItem& view, Rect cell, int shortcut_end, Color color)
{
    const TMenuItem& item = view.Item();
    canvas.font() = ItemFont(view);
    canvas.set_text_color(color);
    draw_text(canvas, item.Caption, cell, DT_SINGLELINE);
    if (item.ShortCut != scNone) {
        // Right-aligned, so that the shortcuts of a window line up.
        const std::string shortcut = ShortCutToText(item.ShortCut);
        const int sw = text_extent(canvas, shortcut).width;
        Rect r{shortcut_end - sw, cell.top, shortcut_end, cell.bottom};
        draw_text(canvas, shortcut, r, DT_SINGLELINE | DT_NOPREFIX);
    }
}

void TskSkinPopupWindow::PaintHeader(Canvas& canvas, const TskSkinMenuItem& view, const Rect& text)
{
    const std::string& caption = view.Item().Caption;
    const std::string title = caption.substr(1, caption.size() - 2);
    const int w = view.ItemRect.width(), h = view.ItemRect.height();
    const TskSkinData* data = menu_.MenuSkinData();
    const TskDataSkinCustomControl* object = nullptr;
    if (data) {
        int index = data->FindSkinControl("menuheader");
        if (index < 0)
            index = data->FindSkinControl("label");
        if (index >= 0)
            object =
                dynamic_cast<const TskDataSkinCustomControl*>(data->SkinControls[static_cast<size_t>(index)].get());
    }
    const Bitmap* picture = object ? data->ActivePicture(object->pictureindex) : nullptr;
    if (!picture) {
        PaintItemPlain(canvas, view);
        return;
    }
    const SkinGeometry g = SkinGeometry::From(*object);
    {
        CanvasSaver keep(canvas);
        canvas.move_origin(0, (h - g.skinrect.height()) / 2);
        ComposeHorizontal(
            canvas, *picture, g.skinrect, g.lefttoppoint.x, g.skinrect.width() - g.righttoppoint.x, w, g.stretcheffect);
    }
    if (auto* label = dynamic_cast<const TskDataSkinLabelControl*>(object)) {
        canvas.font() = WithStyle(font_, label->fontstyle);
        canvas.font().name = label->fontname;
        canvas.font().height = label->fontheight;
        canvas.set_text_color(label->fontcolor);
    } else {
        canvas.font() = font_;
        canvas.set_text_color(clWindowText);
    }
    Rect r{text.left, 0, w, h};
    draw_text(canvas, title, r, DT_SINGLELINE | DT_VCENTER);
}

void TskSkinPopupWindow::PaintItemPlain(Canvas& canvas, const TskSkinMenuItem& view)
{
    const TMenuItem& item = view.Item();
    const int w = view.ItemRect.width(), h = view.ItemRect.height();
    const Rect all{0, 0, w, h};
    canvas.font() = ItemFont(view);
    if (view.IsHeader()) {
        canvas.fill_rect(all, clBtnShadow);
        canvas.set_text_color(clBtnHighlight);
        const std::string title = item.Caption.substr(1, item.Caption.size() - 2);
        Rect r{image_column_ + 2, 0, w - 21, h};
        draw_text(canvas, title, r, DT_SINGLELINE | DT_VCENTER);
        return;
    }
    Color color = item.Enabled ? clWindowText : clBtnShadow;
    if (view.Highlighted() && !view.IsLine()) {
        canvas.fill_rect(all, kPlainHighlightFill);
        canvas.frame_rect(all, kPlainHighlightFrame);
        color = clWindowText;
    } else {
        canvas.fill_rect({0, 0, image_column_, h}, clBtnFace);
        canvas.fill_rect({image_column_, 0, w, h}, clWindow);
    }
    if (view.IsLine()) {
        canvas.fill_rect({image_column_, h / 2, w, h / 2 + 1}, clBtnShadow);
        return;
    }
    PaintCaption(canvas, view, CaptionCell(view, MenuSkin{}), w - 21, color);
    if (view.HasChildren())
        DrawArrow(canvas, w - 9, h / 2, color);
    if (item.Checked()) {
        if (item.RadioItem)
            DrawDot(canvas, 6, h / 2 - 3, color);
        else
            DrawTick(canvas, 5, h / 2 - 4, color);
    }
}

void TskSkinPopupWindow::PaintMarkers(Canvas& canvas, const MenuSkin& skin)
{
    const bool skinned = skinned_ && skin.skinned();
    const Color normal = skinned ? skin.window->scrollmarkercolor : clBtnShadow;
    const Color active = skinned ? skin.window->scrollmarkeractivecolor : clWindowText;
    // A small triangle in the middle of each band, pointing the way it scrolls.
    auto triangle = [&](const Rect& band, bool up, Color color) {
        const int cx = band.left + band.width() / 2;
        const int cy = band.top + band.height() / 2 - 2;
        for (int row = 0; row < 4; ++row) {
            const int half = up ? row : 3 - row;
            canvas.fill_rect({cx - half, cy + row, cx + half + 1, cy + row + 1}, color);
        }
    };
    if (!skinned) {
        canvas.fill_rect(TopMarker(), clWindow);
        canvas.fill_rect(BottomMarker(), clWindow);
    }
    triangle(TopMarker(), true, scroll_dir_ == 1 ? active : normal);
    triangle(BottomMarker(), false, scroll_dir_ == 2 ? active : normal);
}

} // namespace lt
