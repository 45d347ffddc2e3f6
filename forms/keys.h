#pragma once
// Virtual-key numbers of the keys the controls answer (the platform's
// classic numbering; letters are their upper-case ASCII codes).

namespace lt::vk {

inline constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Escape = 0x1B, Space = 0x20;
inline constexpr int Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24;
inline constexpr int Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
inline constexpr int Insert = 0x2D, Delete = 0x2E;

} // namespace lt::vk
