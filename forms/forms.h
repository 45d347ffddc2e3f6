#pragma once
// Forms, the application object and the component timer.
//
// TCustomForm is a top-level window: caption, client size, position, border
// style, modal showing with a modal result, closing, the active control and
// Tab between its controls. Without a skin it draws a plain frame (border,
// caption bar with a close box) through the non-client messages; the skinned
// frame takes the window procedure over and draws its own.
//
// TApplication holds the title, the main form and the message loop. Any
// exception that escapes an event handler (a control event, a timer tick, a
// form's OnCreate) ends up in HandleException, which shows the standard error
// box captioned with the title; the program then carries on.
//
// Sections: modal results and close actions - TCustomForm - TApplication -
// TTimer.

#include "forms/controls.h"
#include "forms/frame_geometry.h"
#include "platform/timer.h"

#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

namespace lt {

class Desktop;
class EventLoop;

// ---- modal results and close actions ----

using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                              mrNo = 7;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };

// The framework's error for an operation the object's state forbids.
class EInvalidOperation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TComponent* sender, bool& can_close)>;

// ---- TCustomForm ----

class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
    void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
    void SetClientSize(int w, int h);

    TPosition Position = TPosition::poDesigned;
    TFormBorderStyle BorderStyle() const { return frame_.style(); }
    void SetBorderStyle(TFormBorderStyle style);
    // The plain frame's parts for the border style (what the non-client
    // messages answer while no skin has taken the window over).
    const PlainFrameGeometry& Frame() const { return frame_; }

    // The control that has (or gets, when the form is shown) the focus.
    TWinControl* ActiveControl() const { return active_control_; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) tab stop after current.
    void SelectNext(TWinControl* current, bool forward);
    // Enter and Escape that no control used: they click the Default or the
    // Cancel TButton; without one, the key is offered to every control as
    // CM_DIALOGKEY until one takes it.
    virtual void DialogKey(int vk);

    void Show();
    // Shows the form modally and returns its ModalResult once it is set.
    // Raises EInvalidOperation for a visible form.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modal_result_; }
    // A nonzero result ends a modal showing (after OnCloseQuery agrees).
    void SetModalResult(TModalResult result);
    bool Modal() const { return modal_; }
    // Asks OnCloseQuery, then OnClose decides: hide (the default), free, or
    // nothing. Closing the main form ends the application; closing a modal
    // form sets ModalResult to mrCancel.
    void Close();
    bool CloseQuery();
    // Frees the form once the current message is done.
    void Release();

    // Runs OnCreate; TApplication::CreateForm calls it once the form and its
    // components are built.
    void DoCreate();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void SetVisible(bool on) override;
    LResult WndProc(Message& m) override;

    // Called by controls when they receive the focus, and to re-announce the
    // ActiveControl. Every control of the form hears of it as
    // CM_FOCUSCHANGED (lparam: the control, or nullptr).
    void FocusChanged(TWinControl* control);

protected:
    bool IsTopLevelControl() const override { return true; }
    void CreateParams(lt::CreateParams& params) override;
    void Paint() override;
    void DoClose(TCloseAction& action);

private:
    void paint_frame(Canvas& canvas);
    void apply_position();

    PlainFrameGeometry frame_;
    TWinControl* active_control_ = nullptr;
    TModalResult modal_result_ = mrNone;
    bool modal_ = false;
    bool positioned_ = false;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// ---- TApplication ----

class TApplication : public TComponent {
public:
    // Becomes the global Application; the desktop must outlive it.
    explicit TApplication(Desktop& desktop);
    ~TApplication() override;

    Desktop& GetDesktop() const { return desktop_; }
    EventLoop& Loop() const;

    std::string Title;
    TCustomForm* MainForm = nullptr;
    bool Terminated() const { return terminated_; }

    // Builds a form owned by the application. `ref` names the form before
    // its components are built, so handlers run during the building reach it;
    // the first form made becomes MainForm; OnCreate runs last.
    template <class T>
    void CreateForm(T*& ref);

    // Shows the main form and runs the loop until Terminate (closing the
    // main form terminates).
    void Run();
    void Terminate();
    // Runs what is waiting now and returns.
    void ProcessMessages();

    // Every form that exists, oldest first (the framework's screen form list).
    static int FormCount();
    static TCustomForm* Forms(int index);

    // Reports an exception in the standard error box (or to OnException).
    void HandleException(std::exception_ptr error);
    void ShowException(const std::string& message);
    std::function<void(const std::string& message)> OnException;

private:
    void adopt_form(TCustomForm* form);

    Desktop& desktop_;
    bool terminated_ = false;
};

// The application object of the program, or nullptr.
extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T*& ref)
{
    void* memory = ::operator new(sizeof(T));
    ref = static_cast<T*>(memory);
    T* form;
    try {
        form = new (memory) T(this);
    } catch (...) {
        ref = nullptr;
        ::operator delete(memory);
        throw;
    }
    adopt_form(form);
}

// ---- TTimer ----

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    int Interval() const { return timer_.Interval(); }
    void SetInterval(int ms) { timer_.SetInterval(ms); }
    bool Enabled() const { return timer_.Enabled(); }
    void SetEnabled(bool on) { timer_.SetEnabled(on); }
    const TNotifyEvent& OnTimer() const { return on_timer_; }
    void SetOnTimer(TNotifyEvent handler);
    // The platform timer underneath, for code written against it (the
    // harvest run arms and stops its stop watcher through it). SetOnTimer
    // replaces whatever tick was set on it directly.
    Timer& Base() { return timer_; }

private:
    Timer timer_;
    TNotifyEvent on_timer_;
};

} // namespace lt
