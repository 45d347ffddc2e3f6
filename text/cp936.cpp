#include "text/cp936.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace lt {

// Sections: converters (one iconv descriptor per thread and direction) -
// UTF-8 and UTF-16 helpers - the public conversions.

namespace {

// An iconv descriptor keeps shift state, so each thread has its own.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns 0 when all input was consumed,
    // else the errno that stopped it (EILSEQ, EINVAL). in advances past what
    // was consumed, and the output is appended to out.
    int convert(std::string_view& in, std::string& out)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            size_t src_left = in.size();
            char* dst = buffer;
            size_t dst_left = sizeof buffer;
            size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
            int err = rc == static_cast<size_t>(-1) ? errno : 0;
            out.append(buffer, static_cast<size_t>(dst - buffer));
            in.remove_prefix(in.size() - src_left);
            if (err != 0 && err != E2BIG)
                return err;
        }
        return 0;
    }

private:
    iconv_t cd_;
};

Converter& to_cp936()
{
    thread_local Converter c("CP936", "UTF-8");
    return c;
}

Converter& from_cp936()
{
    thread_local Converter c("UTF-8", "CP936");
    return c;
}

Converter& from_gb18030()
{
    thread_local Converter c("UTF-8", "GB18030");
    return c;
}

bool is_continuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at the front of text, 0 if none.
size_t utf8_sequence_len(std::string_view text)
{
    unsigned char b = static_cast<unsigned char>(text[0]);
    size_t n = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (n == 0 || n > text.size())
        return 0;
    for (size_t i = 1; i < n; ++i)
        if (!is_continuation(static_cast<unsigned char>(text[i])))
            return 0;
    return n;
}

void append_utf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

void cp936_drop_last_char(std::string& text)
{
    // Double-byte characters can only be told apart from the front.
    size_t last = 0;
    for (size_t pos = 0; pos < text.size(); pos += cp936_char_len(text, pos))
        last = pos;
    text.resize(last);
}

std::string utf8_to_cp936(std::string_view utf8, bool* lossless)
{
    std::string out;
    out.reserve(utf8.size());
    bool exact = true;
    while (!utf8.empty()) {
        if (to_cp936().convert(utf8, out) == 0)
            break;
        // The character at the front cannot be held (or is malformed): one
        // '?' stands for it, and conversion resumes after it.
        exact = false;
        out += '?';
        size_t n = utf8_sequence_len(utf8);
        utf8.remove_prefix(n == 0 ? 1 : n);
    }
    if (lossless)
        *lossless = exact;
    return out;
}

std::string cp936_to_utf8(std::string_view cp936)
{
    std::string out;
    out.reserve(cp936.size() * 3 / 2);
    while (!cp936.empty()) {
        if (from_cp936().convert(cp936, out) == 0)
            break;
        unsigned char lead = static_cast<unsigned char>(cp936[0]);
        if (cp936_is_lead(lead) && cp936.size() >= 2 && cp936_is_trail(static_cast<unsigned char>(cp936[1]))) {
            std::string_view pair = cp936.substr(0, 2);
            std::string decoded;
            if (from_gb18030().convert(pair, decoded) == 0 && !decoded.empty())
                out += decoded;
            else
                out += '?';
            cp936.remove_prefix(2);
        } else {
            out += '?';
            cp936.remove_prefix(1);
        }
    }
    return out;
}

std::string utf16_to_cp936(std::u16string_view utf16)
{
    std::string utf8;
    utf8.reserve(utf16.size() * 3);
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            u = 0x10000 + ((u - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            u = 0xFFFD; // an unpaired surrogate; the code page has no such character either
        }
        append_utf8(utf8, u);
    }
    return utf8_to_cp936(utf8);
}

std::u16string cp936_to_utf16(std::string_view cp936)
{
    // The UTF-8 produced by cp936_to_utf8 is well formed.
    std::string utf8 = cp936_to_utf8(cp936);
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        std::string_view rest(utf8.data() + i, utf8.size() - i);
        size_t n = utf8_sequence_len(rest);
        if (n == 0) {
            out += u'?';
            ++i;
            continue;
        }
        auto b = [&](size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(rest[k])); };
        char32_t cp = n == 1 ? b(0)
            : n == 2         ? ((b(0) & 0x1F) << 6) | (b(1) & 0x3F)
            : n == 3         ? ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F)
                             : ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += n;
    }
    return out;
}

} // namespace lt
