#pragma once
// Code page 936 at the program's edges. Every phrase, list row and status text
// is held as a byte string in code page 936; these functions convert to and
// from the UTF-8 of the file system, the command line and the glyph renderer.
// Conversions never consult the process locale.

#include <string>
#include <string_view>

namespace lt {

// A byte 0x81-0xFE starts a double-byte character and takes the byte after it.
// This is the one lead-byte test of the program.
inline bool cp936_is_lead(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

// A byte that can follow a lead byte in a pair the code page (or GB18030)
// defines: 0x40-0xFE without 0x7F. Editing takes any byte after a lead as its
// trail; decoding for display needs a defined pair.
inline bool cp936_is_trail(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// Length in bytes (1 or 2) of the character starting at pos; a lead byte at
// the very end of the text stands alone.
inline size_t cp936_char_len(std::string_view text, size_t pos)
{
    return cp936_is_lead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// Removes the last whole character (both bytes of a double-byte one).
void cp936_drop_last_char(std::string& text);

// UTF-8 to code page 936. A character the code page cannot hold, and every
// malformed UTF-8 sequence, becomes '?', the code page's default character.
// When lossless is given it tells whether no such replacement happened.
std::string utf8_to_cp936(std::string_view utf8, bool* lossless = nullptr);

// Code page 936 to UTF-8 for display. A pair the code page table lacks is
// tried as GB18030 (user-defined area and a few FExx codes); what neither
// knows is shown as '?'. The bytes themselves are never changed.
std::string cp936_to_utf8(std::string_view cp936);

// UTF-16 code units to code page 936; unrepresentable characters and
// unpaired surrogates become '?'.
std::string utf16_to_cp936(std::u16string_view utf16);

// Code page 936 to UTF-16 code units; an undecodable byte becomes '?'.
std::u16string cp936_to_utf16(std::string_view cp936);

} // namespace lt
