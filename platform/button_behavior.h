#pragma once
// How a push button (or any pressable part: a check box, a scroll arrow, a
// caption button, a menu item) answers the mouse and the keyboard, kept apart
// from painting. The owner feeds it events and reads back three things: hot
// (the pointer is over it), down (draw it pressed) and, from a release,
// whether that was a click. Which keys press it is the owner's rule: the
// owner calls on_key_down/on_key_up for those keys only.
//
// It lives in the windowing layer, not with the controls, because the
// standard error box of this layer has a button too.
//
// Transitions (state: enabled, hot, held by the mouse or by a key):
//
//   event                 when                          then                          click
//   --------------------  ----------------------------  ----------------------------  -----
//   on_press(true)        enabled, not held             held by mouse, hot, down      -
//   on_press(false)       -                             nothing                       -
//   on_move(inside)       enabled                       hot = inside; while held by   -
//                                                       the mouse, down = inside
//   on_release(true)      held by mouse                 not held, hot, up             yes
//   on_release(false)     held by mouse                 not held, not hot, up         no
//   on_release(inside)    not held by mouse             hot = inside                  no
//   on_leave()            -                             not hot; held stays (up       -
//                                                       until the pointer is back)
//   on_key_down()         enabled, not held             held by key, down             -
//   on_key_down()         held (key repeat, or mouse)   nothing                       -
//   on_key_up()           held by key                   not held, up                  yes
//   on_key_up()           otherwise                     nothing                       no
//   set_enabled(false)    -                             not held, not hot, up         never
//   set_enabled(true)     -                             enabled; still up, not hot    -
//   on_cancel()           -                             not held, up; hot stays       never
//
// on_cancel is for everything that takes a press away before its release:
// the platform's cancel-mode, a lost mouse capture, a lost focus. A press
// that was taken away never clicks, even when a release follows.

namespace lt {

class ButtonBehavior {
public:
    void on_press(bool inside);
    void on_move(bool inside);
    // Returns true when this release is a click.
    bool on_release(bool inside);
    void on_leave();
    void on_key_down();
    // Returns true when this key release is a click.
    bool on_key_up();
    void set_enabled(bool on);
    void on_cancel();

    bool enabled() const { return enabled_; }
    bool hot() const { return hot_; }
    // Drawn pressed: held by a key, or held by the mouse with the pointer over it.
    bool down() const { return held_ == Held::Key || (held_ == Held::Mouse && hot_); }
    // A press (mouse or key) is in progress, whether drawn down or not.
    bool held() const { return held_ != Held::None; }
    bool held_by_mouse() const { return held_ == Held::Mouse; }

private:
    enum class Held { None, Mouse, Key };

    bool enabled_ = true;
    bool hot_ = false;
    Held held_ = Held::None;
};

} // namespace lt
