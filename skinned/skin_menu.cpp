// The menu object of a form (opening, closing levels, the submenu delay,
// commands) and the skinned popup menu component.

#include "skinned/skin_menu.h"

#include "platform/desktop.h"
#include "skinned/skin_menu_window.h"

namespace lt {

namespace {

// A component reference that clears itself when the component is freed, for
// steps that run later and must not touch what a handler freed meanwhile.
class ComponentRef : public TComponent {
public:
    explicit ComponentRef(TComponent* target) : TComponent(nullptr), target_(target)
    {
        if (target_)
            FreeNotification(target_);
    }
    TComponent* get() const { return target_; }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == TOperation::opRemove && component == target_)
            target_ = nullptr;
    }

private:
    TComponent* target_;
};

// SendMessage to a windowed control, Perform to any other.
void SendToControl(TControl* control, std::uint32_t msg)
{
    if (!control)
        return;
    if (auto* win = dynamic_cast<TWinControl*>(control); win && win->WindowHandle())
        win->WindowHandle()->send(msg);
    else
        control->Perform(msg);
}

bool HasVisibleChildren(const TMenuItem& item, int start)
{
    for (int i = std::max(start, 0); i < item.Count(); ++i)
        if (item.Items(i)->Visible)
            return true;
    return false;
}

} // namespace

// ---- the frame seam ----------------------------------------------------------

SkinMenuFrame* FindSkinMenuFrame(const TComponent* form)
{
    if (!form)
        return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* frame = dynamic_cast<SkinMenuFrame*>(form->Components(i)))
            return frame;
    return nullptr;
}

bool ClosesSkinMenu(std::uint32_t msg)
{
    switch (msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY:
        return true;
    default:
        return false;
    }
}

// ---- TskSkinMenuHost ---------------------------------------------------------

TskSkinMenuHost::TskSkinMenuHost(TCustomForm* form) : TComponent(form), form_(form)
{
    menu_ = new TskSkinMenu(this, *this);
    Window* w = form ? form->Handle() : nullptr;
    if (!w)
        return;
    // Every message of the form passes the menu first; the procedure stays
    // installed after the host is gone and then only passes messages on.
    w->set_proc([this, alive = alive_, previous = w->proc()](Window& win, Message& m) -> LResult {
        if (*alive)
            menu_->CloseOnFormMessage(m.msg);
        return win.call_proc(previous, m);
    });
}

TskSkinMenuHost::~TskSkinMenuHost()
{
    *alive_ = false;
}

void TskSkinMenuHost::SetSkinData(TskSkinData* data)
{
    Repoint(*this, skin_data_, data);
}

void TskSkinMenuHost::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == skin_data_)
        skin_data_ = nullptr;
}

void TskSkinMenuHost::SkinMenuOpening()
{
    if (TNotifyEvent handler = OnSkinMenuOpen)
        handler(this);
}

void TskSkinMenuHost::SkinMenuClosed()
{
    if (TNotifyEvent handler = OnSkinMenuClose)
        handler(this);
}

// ---- TskSkinMenu -------------------------------------------------------------

TskSkinMenu::TskSkinMenu(TComponent* owner, SkinMenuFrame& frame)
    : TComponent(owner), frame_(frame), default_font_(std::make_unique<TFont>())
{
    default_font_->SetDesc(FontDesc{"Arial", 14, false, false, false, false, DEFAULT_CHARSET, clWindowText});
}

TskSkinMenu::~TskSkinMenu()
{
    *alive_ = false;
    SetKeyFilter(false);
    windows_.clear();
    closed_.clear();
}

TskSkinPopupWindow* TskSkinMenu::Windows(int level) const
{
    return windows_.at(static_cast<size_t>(level)).get();
}

void TskSkinMenu::Watch(TComponent* c)
{
    if (c)
        FreeNotification(c);
}

void TskSkinMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == opener_)
        opener_ = nullptr;
    if (component == data_) {
        data_ = nullptr;
        // The windows draw from that skin's pictures.
        if (visible_)
            CloseAll();
    }
    if (!visible_)
        return;
    // An item on screen, or the tree it belongs to, was freed: the windows
    // would show what no longer exists.
    bool shown = component == root_;
    for (const auto& w : windows_)
        for (int i = 0; !shown && i < w->ItemCount(); ++i)
            shown = &w->Items(i).Item() == component || &w->ParentItem() == component;
    if (shown) {
        root_ = nullptr;
        CloseAll();
    }
}

void TskSkinMenu::Popup(
    TMenuItem* item, const Rect& anchor, TControl* opener, TskSkinData* data, bool upward, int start)
{
    if (visible_) {
        std::shared_ptr<bool> alive = alive_;
        CloseAll();
        if (!*alive)
            return;
    }
    Repoint(*this, opener_, opener);
    Repoint(*this, data_, data);
    Desktop* desktop = Desktop::current();
    if (!desktop || !item || !HasVisibleChildren(*item, start))
        return;
    work_area_ = desktop->work_area();
    root_ = item;
    Watch(item);
    visible_ = true;
    SetKeyFilter(true);
    if (!OpenWindow(*item, start, anchor, false, upward)) {
        visible_ = false;
        SetKeyFilter(false);
    }
}

TskSkinPopupWindow* TskSkinMenu::OpenWindow(TMenuItem& item, int start, const Rect& anchor, bool submenu, bool upward)
{
    const int level = static_cast<int>(windows_.size());
    auto window = std::make_unique<TskSkinPopupWindow>(*this, item, start, level, work_area_);
    if (window->ItemCount() == 0)
        return nullptr;
    for (int i = 0; i < window->ItemCount(); ++i)
        Watch(&window->Items(i).Item());
    Watch(&item);
    TskSkinPopupWindow* w = window.get();
    windows_.push_back(std::move(window));
    w->ShowAt(anchor, submenu, upward);
    return w;
}

void TskSkinMenu::CloseFrom(int level)
{
    if (level <= 0) {
        CloseAll();
        return;
    }
    bool any = false;
    while (static_cast<int>(windows_.size()) > level) {
        std::unique_ptr<TskSkinPopupWindow> w = std::move(windows_.back());
        windows_.pop_back();
        if (delay_window_ == w.get())
            CancelSubmenuDelay();
        const int opener_index = w->OpenerIndex;
        w->CloseWindow();
        closed_.push_back(std::move(w));
        if (!windows_.empty() && opener_index >= 0 && opener_index < windows_.back()->ItemCount())
            windows_.back()->SetItemDown(opener_index, false);
        any = true;
    }
    if (any)
        ReapLater();
}

void TskSkinMenu::CloseAll()
{
    // Everything about the menu is settled before anyone is told: each of
    // the calls below may open another menu or free this one.
    const bool was_visible = visible_;
    CancelSubmenuDelay();
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        (*it)->CloseWindow();
    for (auto& w : windows_)
        closed_.push_back(std::move(w));
    windows_.clear();
    if (!closed_.empty())
        ReapLater();
    visible_ = false;
    root_ = nullptr;
    SetKeyFilter(false);
    if (!was_visible)
        return;

    std::shared_ptr<bool> alive = alive_;
    TControl* opener = opener_;
    SendToControl(opener, SKM_MENUCLOSED);
    if (!*alive)
        return;
    if (TNotifyEvent on_close = std::move(OnMenuClose)) {
        OnMenuClose = nullptr;
        on_close(this);
        if (!*alive)
            return;
    }
    if (TCustomForm* form = frame_.FrameForm())
        SendToControl(form, SKM_MENUCLOSED);
    if (!*alive)
        return;
    frame_.SkinMenuClosed();
}

bool TskSkinMenu::CloseOnFormMessage(std::uint32_t msg)
{
    if (!visible_ || !ClosesSkinMenu(msg))
        return false;
    CloseAll();
    return true;
}

bool TskSkinMenu::KeyDown(int vk)
{
    if (!visible_)
        return false;
    if (windows_.empty()) {
        if (vk == VK_ESCAPE)
            CloseAll();
        return true;
    }
    windows_.back()->KeyDown(vk);
    return true;
}

void TskSkinMenu::SetKeyFilter(bool on)
{
    Desktop* desktop = Desktop::current();
    if (!desktop)
        return;
    if (!on) {
        if (key_filter_)
            desktop->remove_key_filter(key_filter_);
        key_filter_ = 0;
        return;
    }
    if (key_filter_)
        return;
    // Every key belongs to the open menu; presses go to its last window.
    key_filter_ = desktop->add_key_filter([this, alive = alive_](Message& m) {
        if (!*alive || !visible_)
            return false;
        if (m.msg == WM_KEYDOWN || m.msg == WM_SYSKEYDOWN)
            KeyDown(static_cast<int>(m.wparam));
        return true;
    });
}

void TskSkinMenu::ReapLater()
{
    if (reap_posted_)
        return;
    EventLoop* loop = EventLoop::current();
    if (!loop)
        return;
    reap_posted_ = true;
    loop->post([this, alive = alive_] {
        if (!*alive)
            return;
        reap_posted_ = false;
        closed_.clear();
    });
}

void TskSkinMenu::ClickItem(TskSkinPopupWindow& window, int index)
{
    if (index < 0 || index >= window.ItemCount())
        return;
    TskSkinMenuItem& view = window.Items(index);
    TMenuItem& item = view.Item();
    if (!item.Enabled || view.IsLine() || view.Down)
        return;
    if (!view.HasChildren()) {
        // The command runs once the menu is gone, from the event loop, where
        // no window procedure of the menu is on the stack any more.
        auto command = std::make_shared<ComponentRef>(&item);
        auto notify = std::make_shared<ComponentRef>(opener_);
        CloseAll();
        if (EventLoop* loop = EventLoop::current())
            loop->post([command, notify] {
                if (auto* it = static_cast<TMenuItem*>(command->get()))
                    it->Click();
                SendToControl(static_cast<TControl*>(notify->get()), SKM_MENUCOMMAND);
            });
        return;
    }
    // An item with children runs its own OnClick first (it may fill the
    // submenu), then opens the submenu beside itself.
    std::shared_ptr<bool> alive = alive_;
    const int level = window.Level();
    item.Click();
    if (!*alive || level >= static_cast<int>(windows_.size()) ||
        windows_[static_cast<size_t>(level)].get() != &window || index >= window.ItemCount())
        return;
    CancelSubmenuDelay();
    CloseFrom(level + 1);
    window.SetItemDown(index, true);
    TskSkinPopupWindow* sub = OpenWindow(item, 0, window.ItemScreenRect(index), true, false);
    if (sub)
        sub->OpenerIndex = index;
    else
        window.SetItemDown(index, false);
}

void TskSkinMenu::StartSubmenuDelay(TskSkinPopupWindow& window, int index)
{
    CancelSubmenuDelay();
    delay_window_ = &window;
    delay_item_ = index;
    window.StartSubmenuTimer();
}

void TskSkinMenu::CancelSubmenuDelay()
{
    if (delay_window_)
        delay_window_->StopSubmenuTimer();
    delay_window_ = nullptr;
    delay_item_ = -1;
}

void TskSkinMenu::CancelSubmenuDelay(TskSkinPopupWindow& window, int index)
{
    if (delay_window_ == &window && delay_item_ == index)
        CancelSubmenuDelay();
}

void TskSkinMenu::SubmenuDelayExpired(TskSkinPopupWindow& window)
{
    if (delay_window_ != &window) {
        window.StopSubmenuTimer();
        return;
    }
    const int index = delay_item_;
    CancelSubmenuDelay();
    if (index >= 0 && index < window.ItemCount() && window.ActiveIndex() == index)
        ClickItem(window, index);
}

// ---- TskSkinPopupMenu --------------------------------------------------------

TskSkinPopupMenu::TskSkinPopupMenu(TComponent* owner) : TPopupMenu(owner)
{ }

TskSkinPopupMenu::~TskSkinPopupMenu()
{
    *alive_ = false;
}

void TskSkinPopupMenu::SetSkinData(TskSkinData* data)
{
    Repoint(*this, skin_data_, data);
}

void TskSkinPopupMenu::SetFrame(SkinMenuFrame* frame)
{
    if (auto* old = dynamic_cast<TComponent*>(frame_))
        RemoveFreeNotification(old);
    frame_ = frame;
    if (auto* c = dynamic_cast<TComponent*>(frame_))
        FreeNotification(c);
}

void TskSkinPopupMenu::SetPopupForm(TCustomForm* form)
{
    Repoint(*this, popup_form_, form);
}

void TskSkinPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TPopupMenu::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == skin_data_)
        skin_data_ = nullptr;
    if (component == popup_form_)
        popup_form_ = nullptr;
    if (frame_ && component == dynamic_cast<TComponent*>(frame_))
        frame_ = nullptr;
}

SkinMenuFrame* TskSkinPopupMenu::FindFrame() const
{
    if (frame_)
        return frame_;
    const TComponent* form = popup_form_;
    if (!form && dynamic_cast<TCustomForm*>(Owner()))
        form = Owner();
    if (!form && Owner() && dynamic_cast<TCustomForm*>(Owner()->Owner()))
        form = Owner()->Owner();
    return FindSkinMenuFrame(form);
}

void TskSkinPopupMenu::DoPopup(int x, int y)
{
    Show(nullptr, Rect{x, y, x, y}, false, false);
}

void TskSkinPopupMenu::PopupAtRect(TControl* control, const Rect& screen, bool upward)
{
    if (OnPopup)
        OnPopup(this);
    Show(control, screen, upward, false);
}

void TskSkinPopupMenu::PopupForEdit(TControl* edit, int x, int y)
{
    if (OnPopup)
        OnPopup(this);
    Show(edit, Rect{x, y, x, y}, false, true);
}

void TskSkinPopupMenu::Show(TControl* opener, const Rect& anchor, bool upward, bool need_skin)
{
    SkinMenuFrame* frame = FindFrame();
    if (!frame)
        return;
    TskSkinData* data = skin_data_;
    if (!data)
        data = frame->MenusSkinData();
    if (!data)
        data = frame->FrameSkinData();
    if (need_skin && !data)
        return;
    if (frame->SkinMenu().Visible()) {
        // Closing tells others, who may free this menu or its frame.
        std::shared_ptr<bool> alive = alive_;
        frame->SkinMenu().CloseAll();
        if (!*alive || !(frame = FindFrame()))
            return;
    }
    TskSkinMenu& menu = frame->SkinMenu();
    frame->SkinMenuOpening();
    popup_point_ = anchor.top_left();
    menu.Popup(Items(), anchor, opener, data, upward, 0);
    if (menu.Visible())
        menu.OnMenuClose = OnMenuClose;
}

} // namespace lt
