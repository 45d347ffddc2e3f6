// Packed message parameters read back what was packed, signs included: hit
// codes below zero, a wheel turned towards the user, a thumb dragged far.

#include <gtest/gtest.h>

#include "platform/messages.h"

namespace lt {
namespace {

TEST(MessageParams, PackedValuesRoundTrip)
{
    struct Hit {
        int hit;
        std::uint32_t mouse;
    };
    for (const Hit& h : {Hit{HTCLIENT, WM_MOUSEMOVE}, Hit{HTTRANSPARENT, WM_LBUTTONDOWN}, Hit{HTERROR, WM_RBUTTONDOWN},
             Hit{HTBOTTOMRIGHT, WM_MBUTTONDOWN}}) {
        const Message m{WM_SETCURSOR, 0, hit_param(h.hit, h.mouse)};
        EXPECT_EQ(message_hit(m), h.hit);
        EXPECT_EQ(message_mouse_message(m), h.mouse);
    }

    for (int delta : {WHEEL_DELTA, -WHEEL_DELTA, -3 * WHEEL_DELTA, 0}) {
        const Message m{WM_MOUSEWHEEL, wheel_param(delta, MK_LBUTTON | MK_SHIFT), 0};
        EXPECT_EQ(message_wheel_delta(m), delta);
        EXPECT_EQ(message_wheel_keys(m), MK_LBUTTON | MK_SHIFT);
    }

    const Message scroll{WM_VSCROLL, scroll_param(5, 40000), 0};
    EXPECT_EQ(message_scroll_request(scroll), 5u);
    EXPECT_EQ(message_scroll_position(scroll), 40000) << "a thumb position is unsigned";

    for (Size s : {Size{0, 0}, Size{1920, 1080}, Size{65535, 1}}) {
        const Message m{WM_SIZE, SIZE_RESTORED, size_param(s)};
        EXPECT_EQ(message_size(m), s);
    }

    EXPECT_EQ(ime_char_param(0xB0, 0xA1), WParam{0xB0A1});
}

} // namespace
} // namespace lt
