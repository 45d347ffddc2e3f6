#include "text/text_utils.h"

#include "text/cp936.h"

namespace lt {

// Sections: UrlEncode - SplitText - JsUnescape (literal decoding, unescape) -
// AnsiFromUtf8 - LowerAscii.

std::string UrlEncode(std::string_view text, bool space_as_plus)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (char ch : text) {
        unsigned char b = static_cast<unsigned char>(ch);
        if (b == '-' || b == '.' || b == '_' || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') ||
            (b >= 'a' && b <= 'z')) {
            out += ch;
        } else if (b == ' ') {
            out += space_as_plus ? "+" : "%20";
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        }
    }
    return out;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter)
{
    std::vector<std::string> pieces;
    if (text.empty())
        return pieces;
    // find("") would match at every position; an empty delimiter is never
    // found instead.
    if (!delimiter.empty()) {
        for (size_t p; (p = text.find(delimiter)) != std::string_view::npos;) {
            pieces.emplace_back(text.substr(0, p));
            text.remove_prefix(p + delimiter.size());
        }
    }
    pieces.emplace_back(text);
    return pieces;
}

// ---------------------------------------------------------------- JsUnescape

namespace {

int hex_value(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The value of count hex digits at text[pos], or -1 when they are not all
// there.
long hex_run(std::u16string_view text, size_t pos, size_t count)
{
    if (pos + count > text.size())
        return -1;
    long value = 0;
    for (size_t i = 0; i < count; ++i) {
        int d = hex_value(text[pos + i]);
        if (d < 0)
            return -1;
        value = value * 16 + d;
    }
    return value;
}

bool is_line_terminator(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}
bool is_octal(char16_t c)
{
    return c >= u'0' && c <= u'7';
}
bool is_decimal(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The value of the body of a double-quoted string literal (3rd edition
// grammar with the octal escapes of its compatibility annex). Returns false
// when the literal would not parse.
bool decode_literal(std::u16string_view src, std::u16string& out)
{
    auto at = [&](size_t i) -> char16_t { return i < src.size() ? src[i] : 0; };
    for (size_t i = 0; i < src.size(); ++i) {
        char16_t c = src[i];
        if (is_line_terminator(c))
            return false;
        if (c != u'\\') {
            out += c;
            continue;
        }
        // A backslash at the end would escape the closing quote.
        if (++i >= src.size())
            return false;
        char16_t e = src[i];
        switch (e) {
        case u'b':
            out += u'\b';
            break;
        case u't':
            out += u'\t';
            break;
        case u'n':
            out += u'\n';
            break;
        case u'v':
            out += u'\v';
            break;
        case u'f':
            out += u'\f';
            break;
        case u'r':
            out += u'\r';
            break;
        case u'x':
        case u'u': {
            size_t digits = e == u'x' ? 2 : 4;
            long v = hex_run(src, i + 1, digits);
            if (v < 0)
                return false;
            out += static_cast<char16_t>(v);
            i += digits;
            break;
        }
        default:
            if (is_line_terminator(e))
                return false;
            if (!is_decimal(e)) {
                out += e; // a backslash before any other character stands for it
                break;
            }
            // Octal: one digit not followed by a decimal digit; 4-7 and one
            // more octal digit; 0-3 and one or two more octal digits, the
            // shorter form again not followed by a decimal digit. Every
            // other digit sequence (\8, \9, \18, \08, \48) does not parse.
            if (!is_octal(e))
                return false;
            int value = e - u'0';
            char16_t d2 = at(i + 1);
            if (!is_decimal(d2)) {
                out += static_cast<char16_t>(value);
                break;
            }
            if (!is_octal(d2))
                return false;
            value = value * 8 + (d2 - u'0');
            ++i;
            if (e <= u'3') {
                char16_t d3 = at(i + 1);
                if (is_octal(d3)) {
                    value = value * 8 + (d3 - u'0');
                    ++i;
                } else if (is_decimal(d3)) {
                    return false;
                }
            }
            out += static_cast<char16_t>(value);
            break;
        }
    }
    return true;
}

// The script unescape: %uXXXX gives that code unit, %XX the character with
// that code; any other '%' stays.
std::u16string unescape(std::u16string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    for (size_t k = 0; k < s.size(); ++k) {
        if (s[k] == u'%') {
            long v;
            if (k + 6 <= s.size() && s[k + 1] == u'u' && (v = hex_run(s, k + 2, 4)) >= 0) {
                out += static_cast<char16_t>(v);
                k += 5;
                continue;
            }
            if (k + 3 <= s.size() && (v = hex_run(s, k + 1, 2)) >= 0) {
                out += static_cast<char16_t>(v);
                k += 2;
                continue;
            }
        }
        out += s[k];
    }
    return out;
}

} // namespace

std::string JsUnescape(std::string_view item)
{
    std::string body;
    body.reserve(item.size());
    for (char c : item)
        if (c != '"' && c != '[' && c != ']')
            body += c;
    std::u16string literal;
    if (!decode_literal(cp936_to_utf16(body), literal))
        return {};
    return utf16_to_cp936(unescape(literal));
}

// ---------------------------------------------------------------- AnsiFromUtf8

std::string AnsiFromUtf8(std::string_view text)
{
    std::u16string units;
    units.reserve(text.size());
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    auto cont = [&](size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    for (size_t i = 0; i < text.size();) {
        unsigned char b = byte(i);
        if (b < 0x80) {
            units += static_cast<char16_t>(b);
            i += 1;
        } else if (b >= 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            // A four-byte sequence is one character beyond the 16-bit range;
            // no code page 936 character is there, so it converts to '?'.
            char32_t cp = ((b & 0x07u) << 18) | ((byte(i + 1) & 0x3Fu) << 12) | ((byte(i + 2) & 0x3Fu) << 6) |
                (byte(i + 3) & 0x3Fu);
            if (cp >= 0x10000 && cp <= 0x10FFFF) {
                units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
                units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                units += u'\uFFFD';
            }
            i += 4;
        } else if (b & 0x20) {
            if (!cont(i + 1) || !cont(i + 2))
                return {};
            units += static_cast<char16_t>(((b & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F));
            i += 3;
        } else {
            if (!cont(i + 1))
                return {};
            units += static_cast<char16_t>(((b & 0x1F) << 6) | (byte(i + 1) & 0x3F));
            i += 2;
        }
    }
    return utf16_to_cp936(units);
}

std::string LowerAscii(std::string_view text)
{
    std::string out(text);
    for (size_t i = 0; i < out.size(); i += cp936_char_len(out, i)) {
        unsigned char b = static_cast<unsigned char>(out[i]);
        if (b >= 'A' && b <= 'Z')
            out[i] = static_cast<char>(b + 0x20);
    }
    return out;
}

} // namespace lt
