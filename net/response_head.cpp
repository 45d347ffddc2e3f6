#include "net/response_head.h"

#include "text/ascii.h"

#include <charconv>

namespace lt {

namespace {

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// A whole-text decimal number without sign that fits the 32-bit field.
bool parse_length(std::string_view text, int64_t& out)
{
    int32_t value = 0;
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    out = value;
    return true;
}

// Two values name the same length when both are numbers and equal, or when
// they are the same text.
bool same_length(std::string_view a, std::string_view b)
{
    int64_t x = 0, y = 0;
    if (parse_length(a, x) && parse_length(b, y))
        return x == y;
    return a == b;
}

} // namespace

ResponseHead::Framing ResponseHead::BodyFraming() const
{
    if (conflicting_lengths)
        return Framing::Invalid;
    if (Interim() || status == 204 || status == 304)
        return Framing::None;
    if (chunked)
        return Framing::Chunked;
    if (content_length == 0)
        return Framing::None;
    return content_length > 0 ? Framing::Length : Framing::Close;
}

void ResponseHeadReader::Reset()
{
    head_ = ResponseHead{};
    lengths_.clear();
}

ResponseHeadReader::Line ResponseHeadReader::Feed(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);

    if (line.substr(0, 5) == "HTTP/") {
        Reset();
        size_t sp = line.find(' ');
        if (sp != std::string_view::npos) {
            std::string_view code = line.substr(sp + 1, 3);
            int status = 0;
            auto [end, ec] = std::from_chars(code.data(), code.data() + code.size(), status);
            if (ec == std::errc() && end == code.data() + code.size())
                head_.status = status;
        }
        return Line::Status;
    }
    if (line.empty())
        return Line::End;

    size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return Line::Field;
    std::string_view name = line.substr(0, colon);
    std::string_view value = trim(line.substr(colon + 1));

    if (ascii_iequals(name, "Content-Length")) {
        take_content_length(value);
    } else if (ascii_iequals(name, "Transfer-Encoding")) {
        std::string lower(value);
        for (char& c : lower)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        head_.chunked = lower.find("chunked") != std::string::npos;
    } else if (ascii_iequals(name, "Last-Modified")) {
        head_.last_modified = value;
    } else if (ascii_iequals(name, "Location")) {
        head_.location = value;
    }
    return Line::Field;
}

void ResponseHeadReader::take_content_length(std::string_view value)
{
    // A field may carry a list ("5, 5"); each member is a value of its own.
    for (;;) {
        size_t comma = value.find(',');
        std::string_view one = trim(value.substr(0, comma));
        for (const std::string& seen : lengths_)
            if (!same_length(seen, one))
                head_.conflicting_lengths = true;
        lengths_.emplace_back(one);
        if (comma == std::string_view::npos)
            break;
        value.remove_prefix(comma + 1);
    }
    // Only a plain decimal that fits the 32-bit field counts; anything else
    // reads as absent and the body then runs to the close.
    int64_t length = -1;
    head_.content_length = parse_length(lengths_.front(), length) ? length : -1;
}

} // namespace lt
