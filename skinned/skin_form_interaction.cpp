// The skinned frame's interaction: the hit test with hot tracking, presses
// and releases of frame objects under capture, double-clicks, the frame's
// own window states, the system menu, Alt+Space and the placement on the
// first show; and the pure rules they follow.

#include "skinned/skin_form_interaction.h"

#include <algorithm>
#include <cstdlib>

#include "platform/desktop.h"

namespace lt {

// ---- rules ------------------------------------------------------------------------------

Rect MaximizedBounds(const Rect& work, const Rect& monitor, const Rect& screen, bool full_screen)
{
    const Rect area = full_screen ? monitor : work;
    // A window exactly the size of the screen would be taken for a
    // full-screen one; one pixel in from each side keeps edge behaviour.
    if (area == monitor && monitor == screen)
        return area.inflated(-1, -1);
    return area;
}

Rect CenteredBounds(const Rect& area, Size size)
{
    const int left = area.left + area.width() / 2 - size.width / 2;
    const int top = area.top + area.height() / 2 - size.height / 2;
    return Rect::from_xywh(left, top, size.width, size.height);
}

Rect SnapToArea(Rect b, const Rect& a, int distance)
{
    if (std::abs(b.left - a.left) <= distance)
        b = b.offset(a.left - b.left, 0);
    else if (std::abs(b.right - a.right) <= distance)
        b = b.offset(a.right - b.right, 0);
    if (std::abs(b.top - a.top) <= distance)
        b = b.offset(0, a.top - b.top);
    else if (std::abs(b.bottom - a.bottom) <= distance)
        b = b.offset(0, a.bottom - b.bottom);
    return b;
}

std::vector<SystemMenuEntry> SystemMenuEntries(
    TskBorderIcons icons, TskFrameWindowState state, bool rolled_up, const TskResourceStrData* strings)
{
    auto text = [strings](const char* name, const char* fallback) {
        return strings ? strings->GetResStr(name) : std::string(fallback);
    };
    std::vector<SystemMenuEntry> entries;
    if ((icons & biMinimize) && state != TskFrameWindowState::Minimized)
        entries.push_back({SystemMenuCommand::Minimize, text("MI_MINCAPTION", "Mi&nimize")});
    if ((icons & biMaximize) && state != TskFrameWindowState::Maximized)
        entries.push_back({SystemMenuCommand::Maximize, text("MI_MAXCAPTION", "Ma&ximize")});
    if (state != TskFrameWindowState::Normal || rolled_up)
        entries.push_back({SystemMenuCommand::Restore, text("MI_RESTORECAPTION", "&Restore")});
    if ((icons & biRollUp) && !rolled_up && state == TskFrameWindowState::Normal)
        entries.push_back({SystemMenuCommand::RollUp, text("MI_ROLLUPCAPTION", "Ro&llUp")});
    if (icons & biMinimizeToTray)
        entries.push_back({SystemMenuCommand::MinimizeToTray, text("MI_MINTOTRAYCAPTION", "Minimize to &Tray")});
    if (!entries.empty())
        entries.push_back({SystemMenuCommand::Separator, "-"});
    entries.push_back(
        {SystemMenuCommand::Close, text("MI_CLOSECAPTION", "&Close"), ShortCut(VK_F4, false, false, true)});
    return entries;
}

// ---- the hit test and hot tracking ------------------------------------------------------

int TskSkinForm::ObjectUnder(Point p) const
{
    Window* w = form_->WindowHandle();
    if (!w || geometry_.client(w->bounds().size()).contains(p))
        return -1;
    for (size_t i = 0; i < objects_.size(); ++i) {
        const TskActiveSkinObject& o = *objects_[i];
        if (o.Enabled && o.Visible && o.ObjectRect.contains(p))
            return static_cast<int>(i);
    }
    return -1;
}

int TskSkinForm::HitTest(Point p)
{
    Window* w = form_->WindowHandle();
    if (!w)
        return HTNOWHERE;
    const Size size = w->bounds().size();
    // While a button is held no other object becomes hot.
    if (active_ && pressed_ < 0) {
        SetHot(ObjectUnder(p));
        if (hot_ >= 0)
            StartTracking();
    }
    const int part = geometry_.part_at(size, p);
    if (part == HTNOWHERE)
        return part;
    const bool in_caption = geometry_.part_rect(size, HTCAPTION).contains(p);
    if (hot_ >= 0 && !rolled_up_ && !in_caption && !geometry_.client(size).contains(p))
        return HTOBJECT;
    switch (part) {
    case HTCLOSE:
    case HTMAXBUTTON:
    case HTMINBUTTON:
    case HTSYSMENU:
        return HTOBJECT;
    default:
        return part;
    }
}

void TskSkinForm::SetHot(int index)
{
    if (index == hot_)
        return;
    const int old = hot_;
    hot_ = index;
    if (old >= 0 && old < ObjectCount()) {
        if (auto* b = dynamic_cast<TskSkinButtonObject*>(objects_[static_cast<size_t>(old)].get()))
            b->Press.on_leave();
        InvalidateObject(old);
    }
    if (index >= 0) {
        if (auto* b = dynamic_cast<TskSkinButtonObject*>(objects_[static_cast<size_t>(index)].get()))
            b->Press.on_move(true);
        InvalidateObject(index);
    }
}

void TskSkinForm::StartTracking()
{
    Window* w = form_->WindowHandle();
    if (tracking_ || !w)
        return;
    tracking_ = true;
    w->set_timer(kTrackTimer, 50);
}

void TskSkinForm::StopTracking()
{
    if (!tracking_)
        return;
    tracking_ = false;
    if (Window* w = form_->WindowHandle())
        w->kill_timer(kTrackTimer);
}

void TskSkinForm::TrackTimer()
{
    Window* w = form_->WindowHandle();
    if (!w)
        return;
    Desktop& d = w->desktop();
    const Point p = w->screen_to_window(d.cursor_pos());
    if (pressed_ >= 0) {
        MouseMove(p);
        return;
    }
    const bool over = active_ && d.window_from_point(d.cursor_pos()) == w;
    SetHot(over ? ObjectUnder(p) : -1);
    if (hot_ < 0)
        StopTracking();
}

// ---- presses --------------------------------------------------------------------------------

void TskSkinForm::MouseDown(int hit, Point p, bool right)
{
    Window* w = form_->WindowHandle();
    if (right && hit == HTCAPTION && w) {
        const Point at = w->window_to_screen(p);
        ShowSystemMenu({at.x, at.y, at.x, at.y});
        return;
    }
    // Presses on the caption and the borders were the platform's.
    if (hit != HTOBJECT)
        return;
    const int under = ObjectUnder(p);
    if (pressed_ < 0)
        SetHot(under);
    if (!w || under < 0 || right || pressed_ >= 0)
        return;
    auto* button = dynamic_cast<TskSkinButtonObject*>(objects_[static_cast<size_t>(under)].get());
    if (!button)
        return;
    if (button->Command() == cmSysMenu) {
        ShowSystemMenu(button->ObjectRect.offset(w->window_to_screen({0, 0})));
        return;
    }
    pressed_ = under;
    button->Press.on_press(true);
    InvalidateObject(under);
    w->set_capture();
    StartTracking();
}

void TskSkinForm::MouseMove(Point p)
{
    if (pressed_ < 0)
        return;
    auto& b = dynamic_cast<TskSkinButtonObject&>(*objects_[static_cast<size_t>(pressed_)]);
    const bool inside = b.ObjectRect.contains(p);
    const bool was_down = b.Press.down();
    b.Press.on_move(inside);
    hot_ = inside ? pressed_ : -1;
    if (b.Press.down() != was_down)
        InvalidateObject(pressed_);
}

void TskSkinForm::MouseUp(Point p)
{
    if (pressed_ < 0)
        return;
    const int index = pressed_;
    pressed_ = -1;
    auto& b = dynamic_cast<TskSkinButtonObject&>(*objects_[static_cast<size_t>(index)]);
    const bool inside = b.ObjectRect.contains(p);
    const bool clicked = b.Press.on_release(inside);
    hot_ = inside ? index : -1;
    const TskStdCommand command = b.Command();
    const bool std_button = dynamic_cast<TskSkinStdButtonObject*>(&b) != nullptr;
    InvalidateObject(index);
    if (Window* w = form_->WindowHandle(); w && w->has_capture())
        w->desktop().release_capture();
    if (clicked && std_button)
        RunCommand(command);
}

void TskSkinForm::CancelPress()
{
    if (pressed_ < 0)
        return;
    const int index = pressed_;
    pressed_ = -1;
    if (index < ObjectCount()) {
        if (auto* b = dynamic_cast<TskSkinButtonObject*>(objects_[static_cast<size_t>(index)].get()))
            b->Press.on_cancel();
        InvalidateObject(index);
    }
}

void TskSkinForm::DoubleClick(int hit, Point p)
{
    if (hit == HTCAPTION) {
        const bool maximized = window_state_ == TskFrameWindowState::Maximized;
        if (CurrentOptions().sizeable && !rolled_up_) {
            if (maximized) {
                Restore();
                return;
            }
            if (border_icons_ & biMaximize) {
                Maximize();
                return;
            }
        }
        if (border_icons_ & biRollUp)
            SetRolledUp(!rolled_up_);
        return;
    }
    if (hit != HTOBJECT)
        return;
    const int under = ObjectUnder(p);
    if (under >= 0 && objects_[static_cast<size_t>(under)]->Command() == cmSysMenu) {
        form_->Close();
        return;
    }
    // The second press of a quick double-click on a caption button is a
    // press of its own.
    MouseDown(hit, p, false);
}

void TskSkinForm::RunCommand(TskStdCommand command)
{
    switch (command) {
    case cmClose:
        form_->Close();
        break;
    case cmMaximize:
        if (window_state_ == TskFrameWindowState::Maximized)
            Restore();
        else
            Maximize();
        break;
    case cmMinimize:
    case cmMinimizeToTray:
        // This platform has no tray: minimizing to it minimizes.
        Minimize();
        break;
    case cmRollUp:
        SetRolledUp(!rolled_up_);
        break;
    case cmSysMenu:
        if (TskSkinStdButtonObject* b = FindButton(cmSysMenu))
            if (Window* w = form_->WindowHandle())
                ShowSystemMenu(b->ObjectRect.offset(w->window_to_screen({0, 0})));
        break;
    case cmDefault:
        break;
    }
}

// ---- window states -------------------------------------------------------------------------

Rect TskSkinForm::MonitorArea(bool work) const
{
    Window* w = form_->WindowHandle();
    Desktop* d = w ? &w->desktop() : Desktop::current();
    if (!d)
        return {};
    return work ? d->work_area() : d->screen_bounds();
}

void TskSkinForm::SnapToWorkArea(Rect& bounds) const
{
    bounds = SnapToArea(bounds, MonitorArea(true), MagneticSize);
}

void TskSkinForm::Maximize()
{
    Window* w = form_->WindowHandle();
    if (!w || window_state_ == TskFrameWindowState::Maximized)
        return;
    if (!FrameShown()) {
        w->send(WM_SYSCOMMAND, SC_MAXIMIZE);
        return;
    }
    if (normal_bounds_.empty())
        normal_bounds_ = w->bounds();
    rolled_up_ = false;
    window_state_ = TskFrameWindowState::Maximized;
    geometry_.options = CurrentOptions();
    std::shared_ptr<bool> alive = alive_;
    w->set_bounds(MaximizedBounds(MonitorArea(true), MonitorArea(false), MonitorArea(false), MaximizeOnFullScreen));
    if (!*alive)
        return;
    InvalidateFrame();
    if (TNotifyEvent handler = OnMaximize)
        handler(this);
}

void TskSkinForm::Restore()
{
    Window* w = form_->WindowHandle();
    if (!w || window_state_ != TskFrameWindowState::Maximized)
        return;
    Rect target = normal_bounds_;
    // The first restore of a window placed on its first show centres the
    // remembered size on the monitor.
    if (!restored_once_ && PositionInMonitor != TskPositionInMonitor::skpDefault)
        target = CenteredBounds(MonitorArea(false), target.size());
    restored_once_ = true;
    window_state_ = TskFrameWindowState::Normal;
    normal_bounds_ = {};
    geometry_.options = CurrentOptions();
    std::shared_ptr<bool> alive = alive_;
    w->set_bounds(target);
    if (!*alive)
        return;
    InvalidateFrame();
    StartTracking();
    if (TNotifyEvent handler = OnRestore)
        handler(this);
}

void TskSkinForm::Minimize()
{
    // The application's window is minimized by the platform; the frame's
    // own state stays as it is (OnMinimize comes with the system command).
    if (Window* w = form_->WindowHandle())
        w->send(WM_SYSCOMMAND, SC_MINIMIZE);
}

void TskSkinForm::SetRolledUp(bool on)
{
    Window* w = form_->WindowHandle();
    if (!w || on == rolled_up_ || !FrameShown())
        return;
    Rect b = w->bounds();
    if (on) {
        rolled_up_height_ = b.height();
        rolled_up_ = true;
        geometry_.options = CurrentOptions();
        b.bottom = b.top + MinimumSize().height;
    } else {
        rolled_up_ = false;
        geometry_.options = CurrentOptions();
        b.bottom = b.top + std::max(rolled_up_height_, MinimumSize().height);
    }
    std::shared_ptr<bool> alive = alive_;
    w->set_bounds(b);
    if (!*alive)
        return;
    InvalidateFrame();
    if (TNotifyEvent handler = OnChangeRollUpState)
        handler(this);
}

// ---- the system menu and keys ---------------------------------------------------------------

void TskSkinForm::BuildSystemMenu()
{
    TMenuItem& root = *builtin_system_menu_->Items();
    root.Clear();
    const TskResourceStrData* strings = skin_data_ ? skin_data_->ResourceStrData() : nullptr;
    for (const SystemMenuEntry& e : SystemMenuEntries(border_icons_, window_state_, rolled_up_, strings)) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = e.caption;
        item->ShortCut = e.shortcut;
        if (e.command != SystemMenuCommand::Separator)
            item->OnClick = [this, alive = alive_, command = e.command](TMenuItem*) {
                if (!*alive)
                    return;
                switch (command) {
                case SystemMenuCommand::Minimize:
                case SystemMenuCommand::MinimizeToTray:
                    Minimize();
                    break;
                case SystemMenuCommand::Maximize:
                    Maximize();
                    break;
                case SystemMenuCommand::Restore:
                    if (rolled_up_)
                        SetRolledUp(false);
                    else
                        Restore();
                    break;
                case SystemMenuCommand::RollUp:
                    SetRolledUp(true);
                    break;
                case SystemMenuCommand::Close:
                    form_->Close();
                    break;
                case SystemMenuCommand::Separator:
                    break;
                }
            };
        root.Add(item);
    }
}

void TskSkinForm::ShowSystemMenu(const Rect& anchor, bool upward)
{
    if (disable_system_menu_)
        return;
    TPopupMenu* menu = system_menu_;
    if (!menu) {
        BuildSystemMenu();
        menu = builtin_system_menu_;
    }
    std::shared_ptr<bool> alive = alive_;
    SkinMenuOpening();
    if (!*alive)
        return;
    menu_->Popup(menu->Items(), anchor, nullptr, menus_skin_data_ ? menus_skin_data_ : skin_data_, upward);
}

void TskSkinForm::KeyMenu(LParam key)
{
    menu_->CloseAll();
    if (key != ' ')
        return;
    // Alt+Space opens the system menu below its button; without an enabled
    // system-menu button it does nothing.
    TskSkinStdButtonObject* b = FindButton(cmSysMenu);
    Window* w = form_->WindowHandle();
    if (w && b && b->Enabled && b->Visible && !b->ObjectRect.empty())
        ShowSystemMenu(b->ObjectRect.offset(w->window_to_screen({0, 0})));
}

void TskSkinForm::OnFirstShow()
{
    if (shown_once_)
        return;
    shown_once_ = true;
    UpdateLayout();
    Window* w = form_->WindowHandle();
    if (!w || PositionInMonitor == TskPositionInMonitor::skpDefault || window_state_ != TskFrameWindowState::Normal)
        return;
    const Rect area = MonitorArea(PositionInMonitor == TskPositionInMonitor::skpDesktopCenter);
    w->set_bounds(CenteredBounds(area, w->bounds().size()));
}

} // namespace lt
