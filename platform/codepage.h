#pragma once
// Conversions at the windowing edge: typed text, the input method and the
// clipboard arrive as UTF-8, while windows hold code page 936 bytes.

#include <string>
#include <string_view>

namespace lt::winenc {

// UTF-8 to code page 936; a character the code page cannot hold, or a
// malformed sequence, becomes '?'.
std::string cp936_from_utf8(std::string_view utf8);
// Code page 936 to UTF-8; a byte sequence that decodes to nothing becomes '?'.
std::string utf8_from_cp936(std::string_view cp936);
// Byte length of the first `chars` characters of a UTF-8 text once converted
// (the input method counts its caret in characters).
int cp936_length_of_prefix(std::string_view utf8, int chars);

} // namespace lt::winenc
