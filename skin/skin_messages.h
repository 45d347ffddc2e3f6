#pragma once
// The skin messages: window messages by which a skin data announces a change
// of skin, and by which skinned menus and controls talk to their windows.
//
// Every message a skin data broadcasts carries wParam = the skin data and
// lParam = kSkinMessageLParam; read them with skin_message_data.

#include <array>
#include <cstdint>

#include "platform/messages.h"

namespace lt {

class TskSkinData;

// A load begins, before anything is cleared.
inline constexpr std::uint32_t SKM_BEFORECHANGE = 1225;
// A load has succeeded; the new skin is complete.
inline constexpr std::uint32_t SKM_CHANGE = 1226;
// After SKM_CHANGE, once Changing was cleared.
inline constexpr std::uint32_t SKM_AFTERCHANGE = 1227;
inline constexpr std::uint32_t SKM_MENUCLOSED = 1228;
inline constexpr std::uint32_t SKM_MENUCOMMAND = 1229;
// The skin data's ResourceStrData was set.
inline constexpr std::uint32_t SKM_RESSTRCHANGE = 1274;
inline constexpr std::uint32_t SKM_PARENTCHANGED = 1284;
// The skin data's SkinnableForm changed.
inline constexpr std::uint32_t SKM_SKINNABLECHANGE = 1294;

inline constexpr std::array kSkinMessages = {SKM_BEFORECHANGE, SKM_CHANGE, SKM_AFTERCHANGE, SKM_MENUCLOSED,
    SKM_MENUCOMMAND, SKM_RESSTRCHANGE, SKM_PARENTCHANGED, SKM_SKINNABLECHANGE};
static_assert(message_numbers_distinct(kWindowMessages, kSkinMessages), "a skin message reuses a number");
// Above the window messages and below the component messages, so no layer
// between them can collide with the skin's numbers by accident.
static_assert([] {
    for (std::uint32_t m : kSkinMessages)
        if (m <= WM_USER || m >= CM_BASE)
            return false;
    return true;
}());

// The lParam every skin data broadcast carries.
inline constexpr LParam kSkinMessageLParam = 1000;

// wParam of a skin data broadcast.
inline WParam skin_data_param(TskSkinData& data)
{
    return reinterpret_cast<WParam>(&data);
}
// The skin data a broadcast message names.
inline TskSkinData* skin_message_data(const Message& m)
{
    return reinterpret_cast<TskSkinData*>(m.wparam);
}

} // namespace lt
