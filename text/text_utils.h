#pragma once
// The small text utilities of the harvest run and its two sources. Texts are
// code page 936 byte strings; searches and comparisons work on bytes unless a
// function says it is aware of double-byte characters.

#include <string>
#include <string_view>
#include <vector>

namespace lt {

// Query-string encoding byte by byte: "-", ".", "_", digits and ASCII letters
// stay; a space becomes "+" (space_as_plus) or "%20"; every other byte
// becomes "%" and two upper-case hex digits.
std::string UrlEncode(std::string_view text, bool space_as_plus);

// Splits text at every occurrence of delimiter, keeping empty pieces. An
// empty text gives no piece; an empty delimiter is never found, so a
// non-empty text gives one piece.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);

// Decodes one item of a suggestion answer: drops every '"', '[' and ']',
// reads the rest as the body of a double-quoted script string literal, applies
// the script unescape to it and converts the result to code page 936. Any
// failure (a line break, a trailing lone backslash, a malformed escape) gives
// the empty text.
std::string JsUnescape(std::string_view item);

// Lenient UTF-8 decoding converted to code page 936, or the empty text when
// the bytes are no such UTF-8. The answer handler uses it as a test: a
// non-empty result replaces the body.
std::string AnsiFromUtf8(std::string_view text);

// Lowers ASCII capital letters that stand as characters of their own; the
// second byte of a double-byte character is never changed, so 網頁 stays
// 網頁. The result has the length of the text.
std::string LowerAscii(std::string_view text);

} // namespace lt
