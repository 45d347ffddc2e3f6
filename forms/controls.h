#pragma once
// Controls: TControl (windowless, drawn inside its parent), TWinControl (a
// platform window of its own), TGraphicControl and TCustomControl (the two
// with a canvas and Paint).
//
// A control's bounds are in its parent's client coordinates (a form's in
// screen coordinates). A windowed control creates its window as soon as it
// has a parent with a window (a form has one from its construction); its
// window procedure is the control's WndProc, which handles the messages the
// framework does and passes the rest to the window's default procedure. The
// skin takes a window over with Window::set_proc and calls the previous
// procedure for what it leaves alone.
//
// A windowed control paints itself (PaintWindow) and then its windowless
// children, bottom to top, each clipped to its bounds; it routes mouse
// messages to the windowless child under the pointer (or the one holding the
// capture inside it). An exception escaping a message handler is passed to
// the application (HandleException) and the message counts as handled.
//
// Sections: events and shift state - TControl - TWinControl - TGraphicControl
// - TCustomControl.

#include "forms/align.h"
#include "forms/font.h"
#include "gfx/canvas.h"
#include "gfx/geometry.h"
#include "platform/button_behavior.h"
#include "platform/component.h"
#include "platform/messages.h"
#include "platform/window.h"

#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace lt {

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;

// ---- events and shift state ----

using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TComponent* sender, int& key, TShiftState shift)>;
// One byte of code page 936 text (a double-byte character comes as two).
using TKeyPressEvent = std::function<void(TComponent* sender, char& key)>;

// Component messages of the forms layer (beyond the platform's CM_* ones).
inline constexpr std::uint32_t CM_ENABLEDCHANGED = CM_BASE + 3;
inline constexpr std::uint32_t CM_FONTCHANGED = CM_BASE + 8;
inline constexpr std::uint32_t CM_VISIBLECHANGED = CM_BASE + 23;
// Sent by a form to each of its controls for an Enter or Escape that the
// focused control left alone (wparam: VK_RETURN or VK_ESCAPE). A control
// that acts on the key answers 1 and the key goes no further.
inline constexpr std::uint32_t CM_DIALOGKEY = CM_BASE + 5;
inline constexpr std::array kControlMessages = {CM_ENABLEDCHANGED, CM_FONTCHANGED, CM_VISIBLECHANGED, CM_DIALOGKEY};
static_assert(message_numbers_distinct(kWindowMessages, kControlMessages), "a control message reuses a number");

// Control messages that carry text (LB_ADDSTRING, LB_INSERTSTRING,
// LB_FINDSTRINGEXACT, EM_REPLACESEL) pass a const std::string* in lparam;
// LB_GETTEXT passes a std::string* that receives the text.
inline LParam string_param(const std::string& text)
{
    return reinterpret_cast<LParam>(&text);
}
inline const std::string& message_string(const Message& m)
{
    return *reinterpret_cast<const std::string*>(m.lparam);
}
inline LParam string_out_param(std::string& text)
{
    return reinterpret_cast<LParam>(&text);
}
inline std::string& message_string_out(const Message& m)
{
    return *reinterpret_cast<std::string*>(m.lparam);
}

// CM_FOCUSCHANGED, as a form broadcasts it to its controls: lparam is the
// control that has the focus now, or null.
inline LParam focused_control_param(TWinControl* control)
{
    return reinterpret_cast<LParam>(control);
}
inline TWinControl* message_focused_control(const Message& m)
{
    return reinterpret_cast<TWinControl*>(m.lparam);
}

// The shift state of a mouse message's MK_* flags, plus Alt from the keyboard.
TShiftState ShiftFromMouseFlags(WParam flags);
// The shift state of the keyboard now.
TShiftState KeyboardShift();

// Where an exception that escapes a message handler goes: the application's
// HandleException (the error box), or stderr when there is no application.
void HandleControlException(std::exception_ptr error);

// ---- TControl ----

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    // The form this control lives in, or nullptr.
    TCustomForm* GetParentForm() const;

    // ---- bounds (parent client coordinates)
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    virtual void SetBounds(int left, int top, int width, int height);
    Rect BoundsRect() const { return Rect::from_xywh(Left(), Top(), Width(), Height()); }
    // The client rectangle in client coordinates.
    virtual Rect ClientRect() const { return {0, 0, Width(), Height()}; }
    int ClientWidth() const { return ClientRect().width(); }
    int ClientHeight() const { return ClientRect().height(); }
    Point ClientToScreen(Point p) const;
    Point ScreenToClient(Point p) const;
    // The client origin in the nearest windowed ancestor's client coordinates
    // (itself: 0, 0 for a windowed control).
    Point OriginInWindow() const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool on);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible with every parent visible.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool on);

    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    // On (the default): the control follows its parent's font until its own
    // font is changed.
    bool ParentFont() const { return parent_font_; }
    void SetParentFont(bool on);
    Color GetColor() const { return color_; }
    void SetColor(Color c);

    // Caption and Text are one string (code page 936).
    const std::string& Caption() const { return GetText(); }
    void SetCaption(const std::string& s) { SetText(s); }
    virtual const std::string& GetText() const { return text_; }
    virtual void SetText(const std::string& s);

    TPopupMenu* PopupMenu = nullptr;
    int HelpContext = 0;
    // The pointer's shape over a windowless control (a windowed control's
    // window keeps its own).
    lt::Cursor Cursor = lt::Cursor::Arrow;
    virtual lt::Cursor GetCursor() const { return Cursor; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // ---- messages
    // The control's message handler: windowed controls get every window
    // message here; windowless ones what their parent routes to them (mouse
    // messages with client coordinates, CM_* messages).
    virtual LResult WndProc(Message& m);
    LResult Perform(std::uint32_t msg, WParam wp = 0, LParam lp = 0);

    // Marks the control for repainting in the next loop turn.
    virtual void Invalidate();
    // Paints what is marked now.
    virtual void Update();
    void Repaint()
    {
        Invalidate();
        Update();
    }
    void BringToFront();
    void SendToBack();

    // Runs OnClick (or the popup of PopupMenu for a right click, see
    // MouseUp); the handler may free the control.
    virtual void Click();
    virtual void DblClick();

    // True while the left button pressed on this control is held.
    bool MouseCaptured() const { return press_.held_by_mouse(); }
    // The control's press: hot, drawn down, held. A left press and its
    // release inside make the click; disabling the control, cancel-mode and
    // a lost capture take the press away without one.
    const ButtonBehavior& Press() const { return press_; }

    virtual bool IsWindowed() const { return false; }

protected:
    // Handlers for the mouse messages; they raise the events.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Draws a windowless control; the canvas origin is the control's top-left
    // and the clip its bounds.
    virtual void PaintControl(Canvas& canvas) { }
    // Told after the bounds changed.
    virtual void Resized() { }
    virtual void FontChanged() { Invalidate(); }
    // Called by TWinControl for its windowless children.
    friend class TWinControl;
    // Realigns the parent after an align-relevant change.
    void RequestAlign();
    void DoMouseMessage(Message& m);
    // Told when the press turned hot or cold, or down or up; controls that
    // draw their press repaint here.
    virtual void PressChanged() { }
    // Runs one event of the press (a member of ButtonBehavior, or a function
    // of it) and tells PressChanged when the look changed; returns whether
    // the event clicked.
    template <class Event>
    bool FeedPress(Event event)
    {
        const bool hot = press_.hot(), down = press_.down();
        bool clicked = false;
        if constexpr (std::is_void_v<std::invoke_result_t<Event, ButtonBehavior&>>)
            std::invoke(event, press_);
        else
            clicked = std::invoke(event, press_);
        if (press_.hot() != hot || press_.down() != down)
            PressChanged();
        return clicked;
    }

    Bounds bounds_;
    ButtonBehavior press_;
    // Cleared when the control is destroyed: code that runs a handler keeps
    // a copy and checks it before touching the control again.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

private:
    void parent_font_changed();

    TWinControl* parent_ = nullptr;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::unique_ptr<TFont> font_;
    bool parent_font_ = true;
    bool font_from_parent_ = false;
    Color color_ = clBtnFace;
    std::string text_;
};

// ---- TWinControl ----

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }
    void SetParent(TWinControl* parent) override;

    // ---- the window
    bool HandleAllocated() const { return window_ != nullptr; }
    // The window, created when missing; nullptr while the control has no
    // parent with a window (and is not a form).
    Window* Handle();
    Window* WindowHandle() const { return window_; }

    // ---- children (in z-order, bottom first)
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    // The topmost visible, enabled windowless child at a client point.
    TControl* ControlAtPos(Point client) const;
    // Performs the message on every descendant control, depth first in
    // z-order, until one answers non-zero (that answer is returned) or this
    // control is destroyed by a handler; 0 when none answered.
    LResult Broadcast(std::uint32_t msg, WParam wp = 0, LParam lp = 0);
    // Lays out the aligned children in AlignRect; started by child changes
    // and by resizing.
    void Realign(TControl* first = nullptr);
    void DisableAlign() { ++align_disabled_; }
    void EnableAlign();
    // The area offered to aligned children (the client rectangle; panels
    // with borders or captions give less).
    virtual Rect AlignRect() const { return ClientRect(); }

    Rect ClientRect() const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool on) override;
    void SetEnabled(bool on) override;
    void SetText(const std::string& s) override;

    // ---- focus
    bool TabStop() const { return tab_stop_; }
    void SetTabStop(bool on);
    int TabOrder() const { return tab_order_; }
    void SetTabOrder(int order);
    bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    // A sunken two-pixel edge around the client (the platform's client
    // edge); controls that draw their own frame switch it off.
    bool ClientEdge() const { return client_edge_; }
    void SetClientEdge(bool on);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    LResult WndProc(Message& m) override;
    void Invalidate() override;
    void Update() override;

protected:
    // Describes the window before it is created.
    virtual void CreateParams(lt::CreateParams& params);
    // Forms answer true: they make a top-level window without a parent.
    virtual bool IsTopLevelControl() const { return false; }
    // Called once the window exists (children's windows are made after).
    virtual void CreateWnd();
    // Paints the control's own client area (before windowless children).
    virtual void PaintWindow(Canvas& canvas, const Rect& update) { }
    // Fills part of the client behind the content (the control's colour);
    // a skin draws its own picture there instead.
    virtual void PaintBackground(Canvas& canvas, const Rect& client_rect) { canvas.fill_rect(client_rect, GetColor()); }
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyUp(int& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Whether the control handles Tab, arrows or characters itself
    // (DLGC_* flags); the rest goes to the form as dialog keys.
    virtual LResult DialogCode() const { return 0; }

private:
    friend class TControl;
    void create_window();
    void destroy_window();
    void insert_control(TControl* c);
    void remove_control(TControl* c);
    void paint_handler(Message& m);
    bool route_mouse(Message& m);
    void set_hover_child(TControl* c);

    Window* window_ = nullptr;
    std::vector<TControl*> controls_;
    int align_disabled_ = 0;
    bool aligning_ = false;
    bool tab_stop_ = false;
    int tab_order_ = 0;
    // The windowless child that took the mouse with a button press.
    TControl* mouse_control_ = nullptr;
    TControl* hover_child_ = nullptr;
    bool client_edge_ = false;
};

// ---- TGraphicControl and TCustomControl ----

// A windowless control with a canvas while it paints.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;

protected:
    // The canvas of the running paint; nullptr outside Paint.
    Canvas* GetCanvas() const { return canvas_; }
    virtual void Paint() { }
    void PaintControl(Canvas& canvas) override;

private:
    Canvas* canvas_ = nullptr;
};

// A windowed control with a canvas while it paints.
class TCustomControl : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    // The canvas of the running paint (client coordinates); nullptr outside Paint.
    Canvas* GetCanvas() const { return canvas_; }
    virtual void Paint() { }
    void PaintWindow(Canvas& canvas, const Rect& update) override;

private:
    Canvas* canvas_ = nullptr;
};

} // namespace lt
