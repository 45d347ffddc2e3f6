#pragma once
// Code page 936 as the glyph renderer sees it: character boundaries and code
// points for display. Text stays in CP936 bytes everywhere else; only the
// font layer turns characters into Unicode, to pick glyphs.

#include <cstddef>
#include <string>
#include <string_view>

namespace lt {

// Byte length (1 or 2) of the character that starts at `pos`. A lead byte
// (0x81-0xFE) followed by a trail byte (0x40-0x7E, 0x80-0xFE) is one
// double-byte character; anything else, a lone lead byte at the end
// included, is one byte long. `pos` must be inside `text`.
size_t cp936_char_length(std::string_view text, size_t pos);

// True when the character at `pos` takes two bytes.
inline bool cp936_is_double(std::string_view text, size_t pos)
{
    return cp936_char_length(text, pos) == 2;
}

// The Unicode code point shown for the character at `pos`; `*length`
// receives its byte length. Pairs are decoded as code page 936 first, then
// as GB18030 (which also covers the user-defined area); what neither
// decodes is shown as '?'. The single byte 0x80 is the euro sign, U+20AC.
char32_t cp936_decode_char(std::string_view text, size_t pos, size_t* length);

} // namespace lt
