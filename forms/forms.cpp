// Forms: exception routing, TCustomForm (frame, position, showing, modal
// loop, closing, focus), TApplication and TTimer.

#include "forms/forms.h"

#include <algorithm>
#include <vector>

#include "forms/stdctrls.h"
#include "gfx/draw_text.h"
#include "platform/desktop.h"
#include "text/scope_exit.h"

#include <cstdio>

namespace lt {

TApplication* Application = nullptr;

void HandleControlException(std::exception_ptr error)
{
    if (Application) {
        Application->HandleException(error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "unknown exception\n");
    }
}

// ---- TCustomForm ----

namespace {
// Every live form, oldest first.
std::vector<TCustomForm*>& form_list()
{
    static std::vector<TCustomForm*> forms;
    return forms;
}
} // namespace

int TApplication::FormCount()
{
    return static_cast<int>(form_list().size());
}

TCustomForm* TApplication::Forms(int index)
{
    return form_list().at(static_cast<size_t>(index));
}

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner)
{
    form_list().push_back(this);
    SetVisible(false);
    TControl::SetBounds(0, 0, 320, 240);
    Font().SetDesc(FontDesc{"MS Sans Serif", -11, false, false, false, false, DEFAULT_CHARSET, clWindowText});
    Handle();
}

TCustomForm::~TCustomForm()
{
    auto& forms = form_list();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            HandleControlException(std::current_exception());
        }
    }
    // Owned components (timers, menus, controls) go while the form is whole.
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    if (Application && Application->MainForm == this)
        Application->MainForm = nullptr;
}

void TCustomForm::CreateParams(lt::CreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.parent = nullptr;
    if (Application && Application->MainForm && Application->MainForm != this)
        p.owner = Application->MainForm->WindowHandle();
    p.tab_stop = false;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    if (style == frame_.style())
        return;
    frame_ = PlainFrameGeometry(style);
    if (Window* w = WindowHandle())
        w->recalc_frame();
}

void TCustomForm::SetClientSize(int w, int h)
{
    Rect client = ClientRect();
    SetBounds(Left(), Top(), Width() - client.width() + w, Height() - client.height() + h);
}

void TCustomForm::apply_position()
{
    if (positioned_)
        return;
    positioned_ = true;
    Desktop* d = Desktop::current();
    if (!d)
        return;
    Rect area;
    switch (Position) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
        area = d->screen_bounds();
        break;
    case TPosition::poMainFormCenter:
        if (Application && Application->MainForm && Application->MainForm != this)
            area = Application->MainForm->BoundsRect();
        else
            area = d->screen_bounds();
        break;
    default:
        return;
    }
    SetBounds(area.left + (area.width() - Width()) / 2, area.top + (area.height() - Height()) / 2, Width(), Height());
}

void TCustomForm::SetVisible(bool on)
{
    if (on)
        apply_position();
    TCustomControl::SetVisible(on);
    Window* w = WindowHandle();
    if (!w)
        return;
    std::shared_ptr<bool> alive = alive_;
    if (on) {
        w->bring_to_front();
        w->desktop().activate(w);
        if (active_control_ && active_control_->CanFocus())
            active_control_->SetFocus();
        else if (Window* first = w->desktop().next_tab_stop(w, true))
            first->set_focus();
        if (OnShow)
            OnShow(this);
    } else if (OnHide) {
        OnHide(this);
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || modal_)
        throw EInvalidOperation("Cannot make a visible window modal");
    Window* w = Handle();
    if (!w)
        throw EInvalidOperation("Cannot make a visible window modal");
    modal_result_ = mrNone;
    modal_ = true;
    std::shared_ptr<bool> alive = alive_;
    // However the modal loop ends, a form that still exists is hidden again.
    ScopeExit leave([this, alive] {
        if (!*alive)
            return;
        modal_ = false;
        SetVisible(false);
    });
    SetVisible(true);
    w->desktop().run_modal(*w);
    return *alive ? modal_result_ : mrCancel;
}

void TCustomForm::SetModalResult(TModalResult result)
{
    modal_result_ = result;
    if (!modal_ || result == mrNone)
        return;
    if (!CloseQuery()) {
        modal_result_ = mrNone;
        return;
    }
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) {
        modal_result_ = mrNone;
        return;
    }
    if (Window* w = WindowHandle(); w && w->desktop().in_modal(*w))
        w->desktop().end_modal(*w, result);
}

bool TCustomForm::CloseQuery()
{
    bool can_close = true;
    if (OnCloseQuery)
        OnCloseQuery(this, can_close);
    return can_close;
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TCustomForm::Close()
{
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = TCloseAction::caHide;
    std::shared_ptr<bool> alive = alive_;
    DoClose(action);
    if (!*alive || action == TCloseAction::caNone)
        return;
    if (Application && Application->MainForm == this) {
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::caHide)
        Hide();
    else if (action == TCloseAction::caFree)
        Release();
}

void TCustomForm::Release()
{
    Desktop* d = Desktop::current();
    if (!d) {
        delete this;
        return;
    }
    d->loop().post([this, alive = alive_] {
        if (*alive)
            delete this;
    });
}

void TCustomForm::DoCreate()
{
    if (!OnCreate)
        return;
    try {
        OnCreate(this);
    } catch (...) {
        HandleControlException(std::current_exception());
    }
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    active_control_ = control;
    if (control && Visible() && control->CanFocus())
        control->SetFocus();
}

void TCustomForm::FocusChanged(TWinControl* control)
{
    active_control_ = control;
    // Controls that follow the focus (a default button lights up while the
    // focus is on no other button) hear of every change.
    Broadcast(CM_FOCUSCHANGED, 0, focused_control_param(control));
}

void TCustomForm::SelectNext(TWinControl* current, bool forward)
{
    Window* from = current && current->WindowHandle() ? current->WindowHandle() : WindowHandle();
    if (!from)
        return;
    if (Window* next = from->desktop().next_tab_stop(from, forward))
        next->set_focus();
}

namespace {
// The visible, enabled button among the descendants that answers Enter
// (default) or Escape (cancel).
TButton* find_dialog_button(TWinControl* parent, bool cancel)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (!c->Visible() || !c->Enabled())
            continue;
        if (auto* b = dynamic_cast<TButton*>(c); b && (cancel ? b->Cancel : b->Default))
            return b;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TButton* b = find_dialog_button(w, cancel))
                return b;
    }
    return nullptr;
}
} // namespace

void TCustomForm::DialogKey(int vk)
{
    if (vk != VK_RETURN && vk != VK_ESCAPE)
        return;
    if (TButton* b = find_dialog_button(this, vk == VK_ESCAPE)) {
        b->Click();
        return;
    }
    Broadcast(CM_DIALOGKEY, static_cast<WParam>(vk));
}

void TCustomForm::Paint()
{ }

void TCustomForm::paint_frame(Canvas& canvas)
{
    const Size size{Width(), Height()};
    Rect r = Rect::from_size(size);
    r = canvas.frame3d(r, clBtnFace, cl3DDkShadow);
    r = canvas.frame3d(r, clBtnHighlight, clBtnShadow);
    for (int i = 2; i < frame_.border_width(); ++i)
        r = canvas.frame3d(r, clBtnFace, clBtnFace);
    const Rect caption = frame_.part_rect(size, HTCAPTION);
    if (caption.empty())
        return;
    Window* w = WindowHandle();
    bool active = w && w->desktop().active() == w;
    // The bar, with one line of the face colour under it.
    Rect bar{caption.left, caption.top, caption.right, caption.bottom - 1};
    canvas.fill_rect(bar, active ? clActiveCaption : clInactiveCaption);
    canvas.fill_rect({caption.left, bar.bottom, caption.right, caption.bottom}, clBtnFace);
    Rect box = frame_.part_rect(size, HTCLOSE);
    canvas.fill_rect(box, clBtnFace);
    canvas.frame3d(box, clBtnHighlight, cl3DDkShadow);
    canvas.pen().color = clBtnText;
    for (int d = 0; d < 2; ++d) {
        canvas.line({box.left + 4 + d, box.top + 4}, {box.right - 4 + d, box.bottom - 4});
        canvas.line({box.right - 5 + d, box.top + 4}, {box.left + 3 + d, box.bottom - 4});
    }
    CanvasSaver saver(canvas);
    canvas.font() = FontDesc{"Arial", -12, true, false, false, false, DEFAULT_CHARSET, clCaptionText};
    canvas.set_text_color(active ? clCaptionText : clInactiveCaptionText);
    canvas.set_bk_mode(BkMode::Transparent);
    Rect text{bar.left + 4, bar.top, box.left - 4, bar.bottom};
    draw_text(canvas, GetText(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LResult TCustomForm::WndProc(Message& m)
{
    Window* w = WindowHandle();
    switch (m.msg) {
    case WM_NCCALCSIZE: {
        Rect& r = message_rect(m);
        r = frame_.client(r.size()).offset(r.left, r.top);
        return 0;
    }
    case WM_NCPAINT:
        paint_frame(message_canvas(m));
        return 0;
    case WM_NCHITTEST:
        return w ? frame_.part_at(w->bounds().size(), w->screen_to_window(lparam_point(m.lparam))) : HTNOWHERE;
    case WM_NCLBUTTONDOWN:
        if (m.wparam == static_cast<WParam>(HTCLOSE)) {
            Close();
            return 0;
        }
        break;
    case WM_NCACTIVATE:
        if (w)
            w->invalidate();
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SETFOCUS:
        if (active_control_ && active_control_ != this && active_control_->CanFocus()) {
            active_control_->SetFocus();
            return 0;
        }
        break;
    default:
        break;
    }
    return TCustomControl::WndProc(m);
}

// ---- TApplication ----

TApplication::TApplication(Desktop& desktop) : TComponent(nullptr), desktop_(desktop)
{
    Application = this;
    desktop_.loop().set_exception_handler([this](std::exception_ptr e) { HandleException(e); });
}

TApplication::~TApplication()
{
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    desktop_.loop().set_exception_handler([](std::exception_ptr e) {
        Application = nullptr;
        HandleControlException(e);
    });
    Application = nullptr;
}

EventLoop& TApplication::Loop() const
{
    return desktop_.loop();
}

void TApplication::adopt_form(TCustomForm* form)
{
    if (!MainForm)
        MainForm = form;
    form->DoCreate();
}

void TApplication::Run()
{
    if (MainForm)
        MainForm->Show();
    while (!terminated_) {
        Loop().reset_quit();
        Loop().run();
    }
}

void TApplication::Terminate()
{
    terminated_ = true;
    Loop().quit();
}

void TApplication::ProcessMessages()
{
    Loop().process_pending();
}

void TApplication::HandleException(std::exception_ptr error)
{
    std::string message;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown exception";
    }
    if (OnException)
        OnException(message);
    else
        ShowException(message);
}

void TApplication::ShowException(const std::string& message)
{
    show_error_box(desktop_, desktop_.active(), Title, message);
}

// ---- TTimer ----

namespace {
EventLoop& timer_loop()
{
    if (Application)
        return Application->Loop();
    return *EventLoop::current();
}
} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner), timer_(timer_loop())
{ }

TTimer::~TTimer() = default;

void TTimer::SetOnTimer(TNotifyEvent handler)
{
    on_timer_ = std::move(handler);
    if (!on_timer_) {
        timer_.SetOnTimer({});
        return;
    }
    timer_.SetOnTimer([this] {
        try {
            if (on_timer_)
                on_timer_(this);
        } catch (...) {
            HandleControlException(std::current_exception());
        }
    });
}

} // namespace lt
