#include "platform/button_behavior.h"

namespace lt {

void ButtonBehavior::on_press(bool inside)
{
    if (!enabled_ || !inside || held_ != Held::None)
        return;
    held_ = Held::Mouse;
    hot_ = true;
}

void ButtonBehavior::on_move(bool inside)
{
    if (enabled_)
        hot_ = inside;
}

bool ButtonBehavior::on_release(bool inside)
{
    if (enabled_)
        hot_ = inside;
    if (held_ != Held::Mouse)
        return false;
    held_ = Held::None;
    return inside && enabled_;
}

void ButtonBehavior::on_leave()
{
    hot_ = false;
}

void ButtonBehavior::on_key_down()
{
    if (enabled_ && held_ == Held::None)
        held_ = Held::Key;
}

bool ButtonBehavior::on_key_up()
{
    if (held_ != Held::Key)
        return false;
    held_ = Held::None;
    return enabled_;
}

void ButtonBehavior::set_enabled(bool on)
{
    enabled_ = on;
    if (!on) {
        held_ = Held::None;
        hot_ = false;
    }
}

void ButtonBehavior::on_cancel()
{
    held_ = Held::None;
}

} // namespace lt
