// The skinned window frame: frame objects and their looks, the component and
// its window procedure, the skin (objects, caption buttons, geometry, size
// limits, region, the relay to the form's controls) and painting (skinned
// frame, caption text, default frame, client background).

#include "skinned/skin_form.h"

#include <algorithm>
#include <random>
#include <typeinfo>

#include "gfx/draw_text.h"
#include "platform/desktop.h"
#include "skinned/skin_control.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_graphic_control.h"
#include "skinned/skin_splitter.h"
#include "skinned/skin_toolbar.h"
#include "skinned/static_controls.h"

namespace lt {

namespace {

// A state rectangle counts only when the object has the picture it lies in.
Rect StateRect(const TskActiveSkinObject& o, const Rect& r)
{
    return o.ActivePicture ? r : Rect{};
}

} // namespace

// ---- frame objects -----------------------------------------------------------------

TskActiveSkinObject::TskActiveSkinObject(const TskDataSkinObject& data, const TskSkinData* skin)
    : Name(data.Name),
      Hint(data.hint),
      SkinRect(data.skinrect),
      ActiveSkinRect(data.activeskinrect),
      InactiveSkinRect(data.inactiveskinrect),
      SkinRectInAPicture(data.skinrectinapicture),
      Picture(skin && !skin->Picture.empty() ? &skin->Picture : nullptr),
      ActivePicture(skin ? skin->ActivePicture(data.activepictureindex) : nullptr)
{
    // Without its active picture an object has only its normal look; the
    // skin object itself is left as it is.
    ActiveSkinRect = StateRect(*this, ActiveSkinRect);
    InactiveSkinRect = StateRect(*this, InactiveSkinRect);
}

TskSkinButtonObject::TskSkinButtonObject(const TskDataSkinButton& data, const TskSkinData* skin)
    : TskActiveSkinObject(data, skin),
      DownRect(StateRect(*this, data.downrect)),
      DisableSkinRect(StateRect(*this, data.disableskinrsect))
{ }

TskSkinStdButtonObject::TskSkinStdButtonObject(const TskDataSkinStdButton& data, const TskSkinData* skin)
    : TskSkinButtonObject(data, skin),
      StdCommand(data.command),
      RestoreRect(StateRect(*this, data.restorerect)),
      RestoreActiveRect(StateRect(*this, data.restoreactiverect)),
      RestoreDownRect(StateRect(*this, data.restoredownrect)),
      RestoreInactiveRect(StateRect(*this, data.restoreinactiverect))
{ }

namespace {
TskDataSkinStdButton DefaultButtonData(TskStdCommand command)
{
    TskDataSkinStdButton d("");
    d.command = command;
    d.skinrectinapicture = true;
    return d;
}

TskDataSkinStdButton AnimateAsButton(const TskDataSkinAnimate& a)
{
    TskDataSkinStdButton d(a.Name);
    d.hint = a.hint;
    d.activepictureindex = a.activepictureindex;
    d.skinrectinapicture = a.skinrectinapicture;
    // The first frame of the strip.
    d.skinrect = a.skinrect;
    d.activeskinrect = a.activeskinrect;
    d.inactiveskinrect = a.inactiveskinrect;
    d.downrect = a.downskinrect;
    d.command = a.command;
    d.restorerect = a.restorerect;
    d.restoreactiverect = a.restoreactiverect;
    d.restoredownrect = a.restoredownrect;
    d.restoreinactiverect = a.restoreinactiverect;
    return d;
}
} // namespace

TskSkinStdButtonObject::TskSkinStdButtonObject(TskStdCommand command)
    : TskSkinStdButtonObject(DefaultButtonData(command), nullptr)
{ }

TskSkinAnimateObject::TskSkinAnimateObject(const TskDataSkinAnimate& data, const TskSkinData* skin)
    : TskSkinStdButtonObject(AnimateAsButton(data), skin)
{ }

TskSkinCaptionObject::TskSkinCaptionObject(const TskDataSkinCaption& data, const TskSkinData* skin)
    : TskActiveSkinObject(data, skin), Data(data)
{ }

// ---- caption-button looks -----------------------------------------------------------

CaptionButtonLookResult CaptionButtonLook(const TskSkinButtonObject& b, const CaptionButtonState& s)
{
    const Bitmap* active = b.ActivePicture;
    auto from_active = [&](const Rect& r) -> std::optional<CaptionButtonLookResult> {
        if (r.empty() || !active)
            return std::nullopt;
        return CaptionButtonLookResult{active, r};
    };
    if (auto* std_button = dynamic_cast<const TskSkinStdButtonObject*>(&b);
        std_button && s.second_state && s.enabled && !std_button->RestoreRect.empty()) {
        if (!s.window_active)
            if (auto l = from_active(std_button->RestoreInactiveRect))
                return *l;
        if (s.down)
            if (auto l = from_active(std_button->RestoreDownRect))
                return *l;
        if (s.hot)
            if (auto l = from_active(std_button->RestoreActiveRect))
                return *l;
        if (auto l = from_active(std_button->RestoreRect))
            return *l;
    }
    if (!s.enabled)
        if (auto l = from_active(b.DisableSkinRect))
            return *l;
    if (s.down)
        if (auto l = from_active(b.DownRect))
            return *l;
    if (s.enabled && !s.window_active)
        if (auto l = from_active(b.InactiveSkinRect))
            return *l;
    if (s.hot)
        if (auto l = from_active(b.ActiveSkinRect))
            return *l;
    if (b.SkinRectInAPicture)
        return active ? CaptionButtonLookResult{active, b.SkinRect} : CaptionButtonLookResult{};
    return b.Picture ? CaptionButtonLookResult{b.Picture, b.SkinRect} : CaptionButtonLookResult{};
}

// ---- the hook --------------------------------------------------------------------------

// The procedure installed on the form's window. It outlives the frame when
// another procedure was chained after it (it then only passes messages on),
// and it keeps the previous procedure to hand back.
struct TskSkinForm::HookState {
    TskSkinForm* frame = nullptr;
    WndProc previous;
};

class TskSkinForm::Hook {
public:
    explicit Hook(std::shared_ptr<HookState> state) : state_(std::move(state)) { }
    LResult operator()(Window& w, Message& m) const
    {
        // The frame may be freed by a handler that runs inside; the state stays.
        std::shared_ptr<HookState> s = state_;
        if (!s->frame)
            return w.call_proc(s->previous, m);
        try {
            return s->frame->HandleMessage(w, m);
        } catch (...) {
            HandleControlException(std::current_exception());
            return 0;
        }
    }
    const HookState* state() const { return state_.get(); }

private:
    std::shared_ptr<HookState> state_;
};

// ---- TskSkinForm ------------------------------------------------------------------------

TskSkinForm::TskSkinForm(TComponent* owner)
    : TComponent(owner),
      form_(&dynamic_cast<TCustomForm&>(*owner)),
      def_caption_font_(std::make_unique<TFont>()),
      def_inactive_caption_font_(std::make_unique<TFont>())
{
    def_caption_font_->SetDesc(FontDesc{"Arial", -14, true, false, false, false, DEFAULT_CHARSET, clBtnText});
    def_inactive_caption_font_->SetDesc(
        FontDesc{"Arial", -14, true, false, false, false, DEFAULT_CHARSET, clBtnShadow});
    auto repaint = [this, alive = alive_](TFont*) {
        if (*alive && !skinned_)
            InvalidateFrame();
    };
    def_caption_font_->OnChange = repaint;
    def_inactive_caption_font_->OnChange = repaint;
    menu_ = new TskSkinMenu(this, *this);
    builtin_system_menu_ = new TPopupMenu(this);
    ApplyFrameSkin();
    if (Window* w = form_->Handle()) {
        hook_ = std::make_shared<HookState>();
        hook_->frame = this;
        hook_->previous = w->set_proc(Hook(hook_));
        // The new frame's margins apply at once.
        w->recalc_frame();
        UpdateLayout();
    }
}

TskSkinForm::~TskSkinForm()
{
    *alive_ = false;
    if (hook_)
        hook_->frame = nullptr;
    // The menu object goes first, while the menus its windows show exist.
    delete menu_;
    menu_ = nullptr;
    objects_.clear();
    if (!hook_)
        return;
    Window* w = form_->WindowHandle();
    if (!w)
        return;
    w->kill_timer(kTrackTimer);
    if (w->has_capture())
        w->desktop().release_capture();
    w->set_region(nullptr);
    // Our procedure gives way only when nobody chained after it.
    const Hook* current = w->proc().target<Hook>();
    if (current && current->state() == hook_.get()) {
        w->set_proc(hook_->previous);
        w->recalc_frame();
    }
}

bool TskSkinForm::FrameShown() const
{
    return skinnable_ && form_->BorderStyle() != TFormBorderStyle::bsNone;
}

// ---- properties -------------------------------------------------------------------------

void TskSkinForm::SetSkinData(TskSkinData* data)
{
    if (data == skin_data_)
        return;
    Repoint(*this, skin_data_, data);
    if (skin_data_)
        skinnable_ = skin_data_->SkinnableForm();
    ApplyFrameSkin();
}

void TskSkinForm::SetMenusSkinData(TskSkinData* data)
{
    Repoint(*this, menus_skin_data_, data);
}

void TskSkinForm::SetSystemMenu(TPopupMenu* menu)
{
    Repoint(*this, system_menu_, menu);
}

void TskSkinForm::SetBorderIcons(TskBorderIcons icons)
{
    if (icons == border_icons_)
        return;
    border_icons_ = icons;
    ApplyFrameSkin();
}

void TskSkinForm::SetDisableSystemMenu(bool on)
{
    if (on == disable_system_menu_)
        return;
    disable_system_menu_ = on;
    ApplyFrameSkin();
}

void TskSkinForm::SetHideCaptionButtons(bool on)
{
    if (on == hide_caption_buttons_)
        return;
    hide_caption_buttons_ = on;
    ApplyFrameSkin();
}

void TskSkinForm::SetShowIcon(bool on)
{
    if (on == show_icon_)
        return;
    show_icon_ = on;
    InvalidateFrame();
}

int TskSkinForm::DefMenuItemHeight() const
{
    return menu_->DefaultItemHeight;
}
void TskSkinForm::SetDefMenuItemHeight(int height)
{
    menu_->DefaultItemHeight = height;
}
TFont& TskSkinForm::DefMenuItemFont()
{
    return menu_->DefaultItemFont();
}
bool TskSkinForm::UseSkinFontInMenu() const
{
    return menu_->UseSkinFont;
}
void TskSkinForm::SetUseSkinFontInMenu(bool on)
{
    menu_->UseSkinFont = on;
}
int TskSkinForm::MaxMenuItemsInWindow() const
{
    return menu_->MaxItemsInWindow;
}
void TskSkinForm::SetMaxMenuItemsInWindow(int count)
{
    menu_->MaxItemsInWindow = count;
}

void TskSkinForm::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == menus_skin_data_)
        menus_skin_data_ = nullptr;
    if (component == system_menu_)
        system_menu_ = nullptr;
    if (component == skin_data_) {
        skin_data_ = nullptr;
        if (*alive_)
            ApplyFrameSkin();
    }
}

void TskSkinForm::SkinMenuOpening()
{
    if (TNotifyEvent handler = OnSkinMenuOpen)
        handler(this);
}

void TskSkinForm::SkinMenuClosed()
{
    if (TNotifyEvent handler = OnSkinMenuClose)
        handler(this);
}

TskSkinStdButtonObject* TskSkinForm::FindButton(TskStdCommand command) const
{
    for (const auto& o : objects_)
        if (auto* b = dynamic_cast<TskSkinStdButtonObject*>(o.get()); b && b->Command() == command)
            return b;
    return nullptr;
}

// ---- the window procedure ----------------------------------------------------------------

LResult TskSkinForm::CallPrevious(Window& w, Message& m)
{
    // Held while it runs: the frame may be freed meanwhile.
    std::shared_ptr<HookState> hook = hook_;
    return w.call_proc(hook->previous, m);
}

LResult TskSkinForm::HandleMessage(Window& w, Message& m)
{
    std::shared_ptr<bool> alive = alive_;
    menu_->CloseOnFormMessage(m.msg);
    const bool framed = FrameShown();
    geometry_.options = CurrentOptions();
    switch (m.msg) {
    case WM_NCCALCSIZE:
        if (!framed)
            break;
        if (m.lparam) {
            Rect& r = message_rect(m);
            r = geometry_.client(r.size()).offset(r.left, r.top);
        }
        return 0;
    case WM_NCPAINT:
        if (!framed)
            break;
        PaintFrame(message_canvas(m));
        return 0;
    case WM_NCHITTEST:
        if (!framed)
            break;
        return HitTest(w.screen_to_window(lparam_point(m.lparam)));
    case WM_NCACTIVATE:
        active_ = m.wparam != 0;
        menu_->CloseAll();
        if (!framed)
            break;
        InvalidateFrame();
        if (TNotifyEvent handler = active_ ? OnActivate : OnDeActivate)
            handler(this);
        return 1;
    case WM_ACTIVATE: {
        const LResult r = CallPrevious(w, m);
        if (*alive && framed) {
            SetHot(-1);
            InvalidateFrame();
        }
        return r;
    }
    case WM_SETTEXT: {
        const LResult r = CallPrevious(w, m);
        if (*alive && framed)
            InvalidateFrame();
        return r;
    }
    case WM_SIZE: {
        const LResult r = CallPrevious(w, m);
        if (*alive) {
            UpdateLayout();
            UpdateRegion();
        }
        return r;
    }
    case WM_GETMINMAXINFO:
        if (!framed)
            break;
        if (m.lparam) {
            MinMaxInfo& mmi = message_minmax(m);
            const Size min = MinimumSize(), max = MaximumSize();
            mmi.min_track_size = {min.width, min.height};
            mmi.max_track_size = {std::max(min.width, max.width), std::max(min.height, max.height)};
        }
        return 0;
    case WM_SHOWWINDOW:
        if (m.wparam)
            OnFirstShow();
        if (!*alive)
            return 0;
        break;
    case WM_ERASEBKGND:
        if (!skinnable_)
            break;
        PaintClientBackground(message_canvas(m));
        return 1;
    case WM_SETCURSOR:
        if (framed && UseFormCursorInNCArea) {
            const int hit = message_hit(m);
            if (hit != HTCLIENT && !is_sizing_hit(hit))
                m.lparam = make_lparam(HTCLIENT, static_cast<int>(hi_word(static_cast<std::uintptr_t>(m.lparam))));
        }
        break;
    case WM_SYSCOMMAND:
        if (!framed)
            break;
        switch (m.wparam & 0xFFF0) {
        case SC_KEYMENU:
            KeyMenu(m.lparam);
            return 0;
        case SC_MAXIMIZE:
            Maximize();
            return 0;
        case SC_RESTORE:
            Restore();
            return 0;
        case SC_MINIMIZE:
            if (TNotifyEvent handler = OnMinimize)
                handler(this);
            if (!*alive)
                return 0;
            break;
        default:
            break;
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
        if (!framed)
            break;
        const int hit = static_cast<int>(m.wparam);
        const Point at = w.screen_to_window(lparam_point(m.lparam));
        // The platform moves or sizes the window first (for a press on the
        // caption or a border); what is left goes to the frame objects.
        const LResult r = CallPrevious(w, m);
        if (*alive)
            MouseDown(hit, at, m.msg == WM_NCRBUTTONDOWN);
        return r;
    }
    case WM_NCLBUTTONDBLCLK: {
        if (!framed)
            break;
        const LResult r = CallPrevious(w, m);
        if (*alive)
            DoubleClick(static_cast<int>(m.wparam), w.screen_to_window(lparam_point(m.lparam)));
        return r;
    }
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE:
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
        // A press on a frame object keeps the mouse until its release; the
        // client never hears of it.
        if (pressed_ >= 0) {
            Point at = lparam_point(m.lparam);
            at = m.msg == WM_NCMOUSEMOVE || m.msg == WM_NCLBUTTONUP ? w.screen_to_window(at)
                                                                    : at + w.client_in_window().top_left();
            if (m.msg == WM_NCMOUSEMOVE || m.msg == WM_MOUSEMOVE)
                MouseMove(at);
            else
                MouseUp(at);
            return 0;
        }
        break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        CancelPress();
        break;
    case WM_TIMER:
        if (m.wparam == kTrackTimer) {
            TrackTimer();
            return 0;
        }
        break;
    case WM_MOVING:
        if (framed && Magnetic && m.lparam)
            SnapToWorkArea(message_rect(m));
        break;
    case SKM_BEFORECHANGE:
        BeforeSkinChange(skin_message_data(m));
        return 0;
    case SKM_CHANGE:
        SkinChanged(skin_message_data(m));
        return 0;
    case SKM_AFTERCHANGE:
        if (skin_message_data(m) == skin_data_) {
            InvalidateFrame();
            if (TNotifyEvent handler = OnAfterChangeSkinData)
                handler(this);
        }
        return 0;
    case SKM_SKINNABLECHANGE:
        if (skin_data_ && skin_message_data(m) == skin_data_ && skin_data_->SkinnableForm() != skinnable_) {
            skinnable_ = skin_data_->SkinnableForm();
            ApplyFrameSkin();
        }
        return 0;
    case SKM_RESSTRCHANGE:
        if (skin_message_data(m) == skin_data_)
            EvaluateCaptionButtons();
        return 0;
    default:
        break;
    }
    return CallPrevious(w, m);
}

FrameOptions TskSkinForm::CurrentOptions() const
{
    const TFormBorderStyle style = form_->BorderStyle();
    FrameOptions o;
    o.bordered = style != TFormBorderStyle::bsNone;
    o.sizeable = style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin || AlwaysResize;
    o.tool_window = style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin;
    o.maximized = window_state_ == TskFrameWindowState::Maximized;
    o.rolled_up = rolled_up_;
    return o;
}

// ---- skin ----------------------------------------------------------------------------------

void TskSkinForm::ApplyFrameSkin()
{
    apply_pending_ = false;
    CancelPress();
    hot_ = -1;
    skinned_ = skin_data_ && !skin_data_->Empty;
    BuildObjects();
    EvaluateCaptionButtons();
    Window* w = form_->WindowHandle();
    if (!w || !hook_) {
        // Still being made: the constructor applies the frame once hooked.
        return;
    }
    EnforceMinimumSize();
    UpdateLayout();
    UpdateRegion();
    w->invalidate();
    if (!tracking_ && hot_ >= 0)
        StartTracking();
    std::shared_ptr<bool> alive = alive_;
    if (TNotifyEvent handler = OnChangeSkinData) {
        handler(this);
        if (!*alive)
            return;
    }
    if (!rolled_up_ && (ClientWidth > 0 || ClientHeight > 0))
        form_->SetClientSize(ClientWidth > 0 ? ClientWidth : form_->ClientWidth(),
            ClientHeight > 0 ? ClientHeight : form_->ClientHeight());
}

void TskSkinForm::BuildObjects()
{
    objects_.clear();
    if (skinned_ && skinnable_) {
        for (const auto& data : skin_data_->SkinObjects) {
            const TskDataSkinObject* d = data.get();
            // Menu items and the main menu bar's objects are the menus' own.
            if (dynamic_cast<const TskDataSkinMenuItem*>(d) || dynamic_cast<const TskDataSkinMainMenuItem*>(d) ||
                dynamic_cast<const TskDataSkinMainMenuBarButton*>(d))
                continue;
            if (auto* b = dynamic_cast<const TskDataSkinStdButton*>(d))
                objects_.push_back(std::make_unique<TskSkinStdButtonObject>(*b, skin_data_));
            else if (auto* b = dynamic_cast<const TskDataSkinButton*>(d))
                objects_.push_back(std::make_unique<TskSkinButtonObject>(*b, skin_data_));
            else if (auto* c = dynamic_cast<const TskDataSkinCaption*>(d))
                objects_.push_back(std::make_unique<TskSkinCaptionObject>(*c, skin_data_));
            else if (auto* a = dynamic_cast<const TskDataSkinAnimate*>(d))
                objects_.push_back(std::make_unique<TskSkinAnimateObject>(*a, skin_data_));
            else if (auto* u = dynamic_cast<const TskDataUserObject*>(d))
                objects_.push_back(std::make_unique<TskUserObject>(*u, skin_data_));
        }
        return;
    }
    // The default frame's buttons: the ones the border icons ask for.
    const std::pair<TskStdCommand, bool> defaults[] = {
        {cmClose, true},
        {cmMaximize, (border_icons_ & biMaximize) != 0},
        {cmMinimize, (border_icons_ & biMinimize) != 0},
        {cmRollUp, (border_icons_ & biRollUp) != 0},
        {cmMinimizeToTray, (border_icons_ & biMinimizeToTray) != 0},
        {cmSysMenu, (border_icons_ & biSystemMenu) != 0},
    };
    for (const auto& [command, wanted] : defaults)
        if (wanted)
            objects_.push_back(std::make_unique<TskSkinStdButtonObject>(command));
}

void TskSkinForm::EvaluateCaptionButtons()
{
    const TskResourceStrData* strings = skin_data_ ? skin_data_->ResourceStrData() : nullptr;
    for (const auto& o : objects_) {
        auto* b = dynamic_cast<TskSkinStdButtonObject*>(o.get());
        if (!b)
            continue;
        bool enabled = false;
        const char* hint_name = "";
        const char* hint = "";
        switch (b->Command()) {
        case cmClose:
            enabled = true;
            hint_name = "CLOSEBUTTON_HINT";
            hint = "Close";
            break;
        case cmMaximize:
            enabled = border_icons_ & biMaximize;
            hint_name = "MAXBUTTON_HINT";
            hint = "Maximize";
            break;
        case cmMinimize:
            enabled = border_icons_ & biMinimize;
            hint_name = "MINBUTTON_HINT";
            hint = "Minimize";
            break;
        case cmRollUp:
            enabled = border_icons_ & biRollUp;
            hint_name = "ROLLUPBUTTON_HINT";
            hint = "Roll Up";
            break;
        case cmMinimizeToTray:
            enabled = border_icons_ & biMinimizeToTray;
            hint_name = "TRAYBUTTON_HINT";
            hint = "Minimize to Tray";
            break;
        case cmSysMenu:
            enabled = (border_icons_ & biSystemMenu) && !disable_system_menu_;
            hint_name = "MENUBUTTON_HINT";
            hint = "System menu";
            break;
        case cmDefault:
            enabled = OnActivateCustomObject && OnActivateCustomObject(this, b->Name);
            break;
        }
        if (hide_caption_buttons_)
            enabled = false;
        b->Enabled = enabled;
        b->Press.set_enabled(enabled);
        // A button that is part of the frame picture stays in sight.
        b->Visible = !b->SkinRectInAPicture || enabled || !skinned_;
        if (*hint_name)
            b->Hint = strings ? strings->GetResStr(hint_name) : hint;
    }
    RebuildGeometry();
}

void TskSkinForm::RebuildGeometry()
{
    std::vector<FrameObjectSpec> specs;
    specs.reserve(objects_.size());
    for (const auto& o : objects_)
        specs.push_back({o->Kind(), o->Command(), o->SkinRect, o->SkinRectInAPicture, o->Visible});
    if (skinned_ && skinnable_)
        geometry_ = SkinFrameGeometry(skin_data_->FormInfo, skin_data_->Picture.size(),
            skin_data_->MaskPicture.empty() ? nullptr : &skin_data_->MaskPicture, std::move(specs));
    else
        geometry_ = SkinFrameGeometry(std::move(specs));
    geometry_.options = CurrentOptions();
}

void TskSkinForm::UpdateLayout()
{
    Window* w = form_->WindowHandle();
    if (!w)
        return;
    geometry_.options = CurrentOptions();
    const std::vector<Rect> rects = geometry_.object_rects(w->bounds().size());
    for (size_t i = 0; i < objects_.size() && i < rects.size(); ++i)
        objects_[i]->ObjectRect = rects[i];
}

void TskSkinForm::UpdateRegion()
{
    Window* w = form_->WindowHandle();
    if (!w)
        return;
    const Size size = w->bounds().size();
    if (!FrameShown() || !skinned_) {
        if (w->region())
            w->set_region(nullptr);
        return;
    }
    // The shape is kept while the window is smaller than the frame allows.
    const Size min = MinimumSize();
    if (size.width < min.width || size.height < min.height)
        return;
    const std::optional<Region>& region = geometry_.region(size);
    if (region)
        w->set_region(&*region, false);
    else if (w->region())
        w->set_region(nullptr, false);
}

Size TskSkinForm::MinimumSize() const
{
    return geometry_.minimum_size(MinWidth, MinHeight);
}

Size TskSkinForm::MaximumSize() const
{
    Rect area = MonitorArea(!MaximizeOnFullScreen);
    Size max = area.size();
    if (MaxWidth > 0)
        max.width = std::min(max.width, MaxWidth);
    if (MaxHeight > 0)
        max.height = std::min(max.height, MaxHeight);
    return max;
}

void TskSkinForm::EnforceMinimumSize()
{
    Window* w = form_->WindowHandle();
    if (!w)
        return;
    geometry_.options = CurrentOptions();
    if (!FrameShown()) {
        w->recalc_frame();
        return;
    }
    const Size min = MinimumSize();
    Rect b = w->bounds();
    const bool narrow = b.width() < min.width, low = b.height() < min.height;
    if (rolled_up_)
        b.bottom = b.top + min.height;
    else if (low)
        b.bottom = b.top + min.height;
    if (narrow && (low || !rolled_up_))
        b.right = b.left + min.width;
    if (b != w->bounds())
        w->set_bounds(b);
    // The margins may have changed with the same window size.
    w->recalc_frame();
}

void TskSkinForm::BeforeSkinChange(TskSkinData* data)
{
    if (data && data == skin_data_) {
        CancelPress();
        StopTracking();
        menu_->CloseAll();
        hot_ = -1;
        skinned_ = false;
        apply_pending_ = true;
        // Nothing may point into the skin while it is rebuilt.
        objects_.clear();
        geometry_ = SkinFrameGeometry();
        geometry_.options = CurrentOptions();
    }
    RelayForget(data);
    if (data && data == skin_data_)
        if (TNotifyEvent handler = OnBeforeChangeSkinData)
            handler(this);
}

void TskSkinForm::SkinChanged(TskSkinData* data)
{
    std::shared_ptr<bool> alive = alive_;
    if (data && data == skin_data_)
        ApplyFrameSkin();
    if (*alive)
        RelayApply(data);
}

namespace {
// Every control of a form at any depth that draws from a skin data, with a
// way to reach its skin operations.
struct SkinnedChild {
    TskSkinData* data;
    std::function<void()> forget;
    std::function<void()> apply;
};

// A control of a family with SkinData, ForgetSkin and ApplySkin of its own.
template <class T>
bool Relayed(TControl* c, std::vector<SkinnedChild>& out)
{
    auto* t = dynamic_cast<T*>(c);
    if (t)
        out.push_back({t->SkinData(), [t] { t->ForgetSkin(); }, [t] { t->ApplySkin(); }});
    return t != nullptr;
}

void CollectSkinned(TWinControl& parent, std::vector<SkinnedChild>& out)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        if (!Relayed<TskSkinControl>(c, out) && !Relayed<TskGraphicSkinControl>(c, out) &&
            !Relayed<TskSkinStdLabel>(c, out) && !Relayed<TskSkinSplitter>(c, out) && !Relayed<TskSkinEdit>(c, out) &&
            !Relayed<TskSkinBevel>(c, out))
            if (auto* t = dynamic_cast<SkinRelayTarget*>(c))
                out.push_back({t->RelaySkinData(), [t] { t->ForgetSkin(); }, [t] { t->ApplySkin(); }});
        if (auto* w = dynamic_cast<TWinControl*>(c))
            CollectSkinned(*w, out);
    }
}
} // namespace

void TskSkinForm::RelayForget(TskSkinData* data)
{
    std::vector<SkinnedChild> children;
    CollectSkinned(*form_, children);
    for (SkinnedChild& c : children)
        if (data && c.data == data)
            c.forget();
}

void TskSkinForm::RelayApply(TskSkinData* data)
{
    std::vector<SkinnedChild> children;
    CollectSkinned(*form_, children);
    std::shared_ptr<bool> alive = alive_;
    for (SkinnedChild& c : children) {
        if (!*alive)
            return;
        if (!data || c.data == data)
            c.apply();
    }
}

// ---- painting ---------------------------------------------------------------------------------

void TskSkinForm::InvalidateFrame()
{
    Window* w = form_->WindowHandle();
    if (!w || !FrameShown())
        return;
    const Rect all = Rect::from_size(w->bounds().size());
    const Rect c = w->client_in_window();
    w->invalidate_window_rect({all.left, all.top, all.right, c.top});
    w->invalidate_window_rect({all.left, c.bottom, all.right, all.bottom});
    w->invalidate_window_rect({all.left, c.top, c.left, c.bottom});
    w->invalidate_window_rect({c.right, c.top, all.right, c.bottom});
}

void TskSkinForm::InvalidateObject(int index)
{
    Window* w = form_->WindowHandle();
    if (w && index >= 0 && index < ObjectCount())
        w->invalidate_window_rect(objects_[static_cast<size_t>(index)]->ObjectRect);
}

CaptionButtonState TskSkinForm::ButtonState(const TskSkinButtonObject& b) const
{
    CaptionButtonState s;
    s.second_state = (b.Command() == cmMaximize && window_state_ == TskFrameWindowState::Maximized) ||
        (b.Command() == cmMinimize && window_state_ == TskFrameWindowState::Minimized) ||
        (b.Command() == cmRollUp && rolled_up_);
    s.enabled = b.Enabled;
    s.window_active = active_;
    s.hot = b.Press.hot();
    s.down = b.Press.down();
    return s;
}

void TskSkinForm::PaintFrame(Canvas& canvas)
{
    Window* w = form_->WindowHandle();
    // While a load is under way there is nothing to draw from.
    if (!w || (skin_data_ && skin_data_->Changing))
        return;
    const Size size = w->bounds().size();
    // A failed load sends no change: the frame takes the default look, its
    // buttons and margins on the next loop turn.
    if (apply_pending_) {
        apply_pending_ = false;
        w->desktop().loop().post([this, w, d = &w->desktop(), alive = alive_] {
            if (*alive && d->is_window(w))
                ApplyFrameSkin();
        });
    }
    if (skinned_)
        PaintSkinnedFrame(canvas, size);
    else
        PaintDefaultFrame(canvas, size);
}

namespace {
std::uint8_t Clamp255(double v)
{
    return static_cast<std::uint8_t>(std::clamp(static_cast<int>(v + 0.5), 0, 255));
}

// The inactive effects of a frame rendered from the active picture, per
// pixel and channel; split blur averages the four diagonal neighbours
// (clamped at the rectangle's edges).
void ApplyInactiveEffect(Bitmap& b, const Rect& r, TInactiveEffect effect)
{
    const Rect area = r.intersected(b.rect());
    if (area.empty())
        return;
    const Bitmap source = effect == ieSplitBlur ? b.copy(area) : Bitmap();
    std::minstd_rand noise(0x5EED);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const Pixel p = b.pixel(x, y);
            int c[3] = {
                static_cast<int>(pixel_red(p)), static_cast<int>(pixel_green(p)), static_cast<int>(pixel_blue(p))};
            switch (effect) {
            case ieBrightness:
                for (int& v : c)
                    v = Clamp255(0.5 * v + 0.5 * 255);
                break;
            case ieDarkness:
                for (int& v : c)
                    v = Clamp255(0.7 * v);
                break;
            case ieGrayScale: {
                const int g = Clamp255(0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]);
                c[0] = c[1] = c[2] = g;
                break;
            }
            case ieNoise: {
                const int offset = static_cast<int>(noise() % 50) - 25;
                for (int& v : c)
                    v = std::clamp(v + offset, 0, 255);
                break;
            }
            case ieSplitBlur: {
                int sum[3] = {0, 0, 0};
                for (Point d : {Point{-1, -1}, Point{1, -1}, Point{-1, 1}, Point{1, 1}}) {
                    const int sx = std::clamp(x - area.left + d.x, 0, area.width() - 1);
                    const int sy = std::clamp(y - area.top + d.y, 0, area.height() - 1);
                    const Pixel q = source.pixel(sx, sy);
                    sum[0] += static_cast<int>(pixel_red(q));
                    sum[1] += static_cast<int>(pixel_green(q));
                    sum[2] += static_cast<int>(pixel_blue(q));
                }
                for (int i = 0; i < 3; ++i)
                    c[i] = sum[i] / 4;
                break;
            }
            case ieInvert:
                for (int& v : c)
                    v = 255 - v;
                break;
            }
            b.set_pixel(x, y,
                make_pixel(static_cast<unsigned>(c[0]), static_cast<unsigned>(c[1]), static_cast<unsigned>(c[2])));
        }
    }
}
} // namespace

void TskSkinForm::PaintSkinnedFrame(Canvas& canvas, Size size)
{
    const Size min = MinimumSize();
    if (size.width < min.width || size.height < min.height)
        return;
    const TskSkinData& skin = *skin_data_;
    const Bitmap& picture = !active_ && !skin.InactivePicture.empty() ? skin.InactivePicture : skin.Picture;
    if (picture.empty())
        return;
    const Rect client = geometry_.client(size);
    CanvasSaver keep(canvas);
    canvas.exclude_clip(client);
    const SkinFit fit = geometry_.fit(size);
    ComposeNinePiece(canvas, picture, picture.rect(), geometry_.picture_geometry(), fit.target, size, false);
    if (!active_ && skin.FormInfo.autorenderinginactiveimage) {
        // Only what this paint covers: the rest already has the effect.
        const Point o = canvas.origin();
        const Region frame = Region(Rect::from_size(size).offset(o)) - Region(client.offset(o));
        const Region target = frame & canvas.clip_region();
        for (const Rect& r : target.rects())
            ApplyInactiveEffect(canvas.bitmap(), r, skin.FormInfo.inactiveeffect);
    }
    for (const auto& o : objects_)
        if (o->Visible && !o->ObjectRect.empty())
            PaintObject(canvas, *o);
}

void TskSkinForm::PaintObject(Canvas& canvas, const TskActiveSkinObject& o) const
{
    if (auto* caption = dynamic_cast<const TskSkinCaptionObject*>(&o)) {
        const Rect r = o.ObjectRect;
        if (active_ && !o.ActiveSkinRect.empty() && o.ActivePicture) {
            CanvasSaver keep(canvas);
            canvas.intersect_clip(r);
            if (caption->Data.stretcheffect)
                canvas.stretch_draw(r, *o.ActivePicture, o.ActiveSkinRect);
            else
                canvas.tile(r, *o.ActivePicture, o.ActiveSkinRect);
        }
        if (OnCaptionPaint) {
            CanvasSaver keep(canvas);
            OnCaptionPaint(const_cast<TskSkinForm*>(this), canvas, r, active_);
        } else {
            PaintCaptionText(canvas, *caption);
        }
        return;
    }
    auto* button = dynamic_cast<const TskSkinButtonObject*>(&o);
    if (!button)
        return;
    const CaptionButtonLookResult look = CaptionButtonLook(*button, ButtonState(*button));
    if (!look.picture || look.rect.empty())
        return;
    CanvasSaver keep(canvas);
    canvas.intersect_clip(o.ObjectRect);
    canvas.draw(o.ObjectRect.top_left(), *look.picture, look.rect);
}

FontDesc CaptionFont(const TskDataSkinCaption& d, int charset)
{
    FontDesc font;
    font.name = d.fontname;
    font.height = d.fontheight;
    font.set_styles(d.fontstyle);
    font.charset = charset;
    return font;
}

CaptionTextLayout LayoutCaptionText(
    const Font& font, std::string_view title, const TskDataSkinCaption& d, const Rect& object_rect)
{
    CaptionTextLayout l;
    l.area = d.textrect.offset(object_rect.top_left());
    l.area.right += object_rect.width() - d.skinrect.width();
    l.flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    l.flags |= d.alignment == taLeftJustify ? DT_LEFT : d.alignment == taRightJustify ? DT_RIGHT : DT_CENTER;
    if (!title.empty() && !d.textrect.empty() && !l.area.empty())
        l.text = end_ellipsis(font, title, l.area.width());
    return l;
}

void TskSkinForm::PaintCaptionText(Canvas& canvas, const TskSkinCaptionObject& caption) const
{
    const TskDataSkinCaption& d = caption.Data;
    CanvasSaver keep(canvas);
    const TskResourceStrData* strings = skin_data_ ? skin_data_->ResourceStrData() : nullptr;
    canvas.font() = CaptionFont(d, strings ? strings->CharSet : def_caption_font_->Charset());
    const CaptionTextLayout l = LayoutCaptionText(*canvas_font(canvas), form_->GetText(), d, caption.ObjectRect);
    if (l.text.empty())
        return;
    canvas.set_bk_mode(BkMode::Transparent);
    auto draw = [&](Rect r, Color color) {
        canvas.set_text_color(color);
        draw_text(canvas, l.text, r, l.flags);
    };
    if (d.light)
        draw(l.area.offset(-1, -1), active_ ? d.activelightcolor : d.lightcolor);
    if (d.shadow)
        draw(l.area.offset(1, 1), active_ ? d.activeshadowcolor : d.shadowcolor);
    draw(l.area, active_ ? d.activefontcolor : d.fontcolor);
}

void TskSkinForm::PaintDefaultFrame(Canvas& canvas, Size size)
{
    Rect r = Rect::from_size(size);
    r = canvas.frame3d(r, cl3DLight, cl3DDkShadow);
    r = canvas.frame3d(r, clBtnHighlight, clBtnShadow);
    canvas.frame3d(r, clBtnFace, clBtnFace);
    const Rect strip =
        Rect{3, 3, size.width - 3, 3 + geometry_.default_caption_height()}.intersected(Rect::from_size(size));
    if (strip.empty())
        return;
    canvas.fill_rect(strip, clBtnFace);
    const Rect caption = geometry_.part_rect(size, HTCAPTION);
    // Ridges across the caption: a shadow line over a highlight line, with
    // the face colour between the pairs.
    if (!caption.empty())
        for (int y = strip.top + 3; y + 1 < strip.bottom - 2; y += 3) {
            canvas.fill_rect({caption.left + 1, y, caption.right - 1, y + 1}, clBtnShadow);
            canvas.fill_rect({caption.left + 1, y + 1, caption.right - 1, y + 2}, clBtnHighlight);
        }
    const std::string& text = form_->GetText();
    if (!caption.empty() && !text.empty()) {
        CanvasSaver keep(canvas);
        const TFont& font = active_ ? *def_caption_font_ : *def_inactive_caption_font_;
        canvas.font() = font.Desc();
        canvas.set_bk_mode(BkMode::Transparent);
        canvas.set_text_color(font.GetColor());
        const std::string shown = end_ellipsis(*canvas_font(canvas), text, std::max(0, caption.width() - 8));
        const Size extent = text_extent(canvas, shown);
        const int x = caption.left + (caption.width() - extent.width) / 2;
        const int y = strip.top + (strip.height() - extent.height) / 2;
        const Rect box = Rect::from_xywh(x - 2, strip.top + 1, extent.width + 4, strip.height() - 2);
        canvas.fill_rect(box.intersected(caption), clBtnFace);
        canvas.intersect_clip(caption);
        text_out(canvas, x, y, shown);
    }
    for (const auto& o : objects_)
        if (auto* b = dynamic_cast<const TskSkinStdButtonObject*>(o.get()); b && b->Visible && !b->ObjectRect.empty())
            PaintDefaultButton(canvas, *b);
}

void TskSkinForm::PaintDefaultButton(Canvas& canvas, const TskSkinStdButtonObject& b) const
{
    const Rect r = b.ObjectRect;
    CanvasSaver keep(canvas);
    canvas.intersect_clip(r);
    canvas.fill_rect(r, clBtnFace);
    if (b.Press.down()) {
        canvas.fill_rect(r, Color{11899781});
        canvas.frame_rect(r, clNavy);
    } else if (b.Press.hot()) {
        canvas.fill_rect(r, Color{13811126});
        canvas.frame_rect(r, clNavy);
    }
    const Color ink = b.Enabled ? clBtnText : clBtnShadow;
    // A 9 x 8 glyph in the middle (one pixel lower while pressed).
    const int gx = r.left + (r.width() - 9) / 2 + (b.Press.down() ? 1 : 0);
    const int gy = r.top + (r.height() - 8) / 2 + (b.Press.down() ? 1 : 0);
    auto fill = [&](int x, int y, int w, int h) { canvas.fill_rect(Rect::from_xywh(gx + x, gy + y, w, h), ink); };
    auto box = [&](int x, int y, int w, int h) {
        canvas.frame_rect(Rect::from_xywh(gx + x, gy + y, w, h), ink);
        fill(x, y + 1, w, 1);
    };
    switch (b.Command()) {
    case cmClose:
        for (int i = 0; i < 8; ++i) {
            fill(i, i, 2, 1);
            fill(7 - i, i, 2, 1);
        }
        break;
    case cmMaximize:
        if (window_state_ == TskFrameWindowState::Maximized) {
            box(2, 0, 7, 5);
            canvas.fill_rect(Rect::from_xywh(gx, gy + 3, 7, 5), clBtnFace);
            box(0, 3, 7, 5);
        } else {
            box(0, 0, 9, 8);
        }
        break;
    case cmMinimize:
        fill(1, 6, 7, 2);
        break;
    case cmRollUp:
        for (int i = 0; i < 4; ++i)
            fill(4 - i, (rolled_up_ ? 5 - i : 2 + i), 1 + 2 * i, 1);
        break;
    case cmMinimizeToTray:
        fill(4, 6, 5, 2);
        break;
    case cmSysMenu:
        for (int y : {1, 4, 7})
            fill(0, y, 9, 1);
        break;
    case cmDefault:
        break;
    }
}

void TskSkinForm::PaintClientBackground(Canvas& canvas)
{
    Window* w = form_->WindowHandle();
    if (!w)
        return;
    const Rect area = w->client_rect();
    if (!skinned_ || (skin_data_ && skin_data_->Changing)) {
        canvas.fill_rect(canvas.clip_box(), clBtnFace);
        return;
    }
    const TskSkinData& skin = *skin_data_;
    const TskSkinFormInfo& info = skin.FormInfo;
    if (const Bitmap* bg = skin.ActivePicture(info.bgpictureindex)) {
        SkinGeometry g;
        g.skinrect = g.clientrect = bg->rect();
        g.stretcheffect = info.stretcheffect;
        g.stretchtype = info.stretchtype;
        ComposeClient(canvas, *bg, bg->rect(), g, area);
        return;
    }
    if (info.clientrect.empty() || skin.Picture.empty()) {
        canvas.fill_rect(canvas.clip_box(), clBtnFace);
        return;
    }
    ComposeClient(canvas, skin.Picture, skin.Picture.rect(), geometry_.picture_geometry(), area);
}

} // namespace lt
