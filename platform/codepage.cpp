#include "platform/codepage.h"

#include <cerrno>
#include <iconv.h>

namespace lt::winenc {
namespace {

// One converter per direction and thread: an iconv_t holds state.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; at a sequence it cannot convert it writes '?' and skips
    // `skip(rest)` bytes, so the result is defined for any input.
    template <class Skip>
    std::string convert(std::string_view in, Skip skip)
    {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            out.assign(in.size(), '?');
            return out;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        char buf[256];
        while (left > 0) {
            char* dst = buf;
            size_t room = sizeof buf;
            size_t rc = iconv(cd_, &src, &left, &dst, &room);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (an incomplete sequence at the end).
            size_t n = skip(std::string_view(src, left));
            out.push_back('?');
            src += n;
            left -= n;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

size_t utf8_sequence_length(std::string_view s)
{
    unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (n > s.size())
        return s.size();
    for (size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return i;
    }
    return n;
}

size_t cp936_sequence_length(std::string_view s)
{
    unsigned char c = static_cast<unsigned char>(s[0]);
    return (c >= 0x81 && c <= 0xFE && s.size() >= 2) ? 2 : 1;
}

} // namespace

std::string cp936_from_utf8(std::string_view utf8)
{
    thread_local Converter conv("CP936", "UTF-8");
    return conv.convert(utf8, utf8_sequence_length);
}

std::string utf8_from_cp936(std::string_view cp936)
{
    thread_local Converter conv("UTF-8", "CP936");
    return conv.convert(cp936, cp936_sequence_length);
}

int cp936_length_of_prefix(std::string_view utf8, int chars)
{
    size_t pos = 0;
    for (int i = 0; i < chars && pos < utf8.size(); ++i)
        pos += utf8_sequence_length(utf8.substr(pos));
    return static_cast<int>(cp936_from_utf8(utf8.substr(0, pos)).size());
}

} // namespace lt::winenc
