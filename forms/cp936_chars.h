#pragma once
// Character rules for code page 936 byte strings as the controls need them.
//
// A byte 0x81-0xFE opens a double-byte character and the byte after it is its
// trail, whatever that byte is; every other byte is a character of its own. A
// lead byte at the very end of a string stands alone. Character boundaries can
// only be found by scanning from the start, because a trail byte may look like
// a lead byte or like ASCII.

#include "text/cp936.h"

#include <cstddef>
#include <string_view>

namespace lt::cp936 {

// The character boundary after pos (pos must be a boundary below s.size()).
inline size_t next_boundary(std::string_view s, size_t pos)
{
    return pos + cp936_char_len(s, pos);
}
// The character boundary before pos (pos > 0).
size_t prev_boundary(std::string_view s, size_t pos);
// The largest boundary not above pos.
size_t floor_boundary(std::string_view s, size_t pos);

// Whole-text equality with ASCII letters that stand as characters of their own
// compared without case; double-byte characters compare byte for byte. This is
// the lists' lookup rule.
bool equal_fold(std::string_view a, std::string_view b);
// The same fold applied as a prefix test: does s begin with prefix?
bool starts_with_fold(std::string_view s, std::string_view prefix);

} // namespace lt::cp936
