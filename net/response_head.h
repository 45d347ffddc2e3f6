#pragma once
// The head of one HTTP response, read line by line: the status, the fields
// the fetch looks at, and how the body that follows is framed. Pure: it
// never touches a socket, so every rule here is tested on plain text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lt {

struct ResponseHead {
    // How the body after the head ends.
    enum class Framing {
        None,    // no body: 1xx, 204, 304, or a Content-Length of 0
        Length,  // exactly content_length bytes
        Chunked, // a chunked body, ended by its last chunk
        Close,   // everything until the connection closes
        Invalid, // the head contradicts itself: the response cannot be read
    };

    int status = 0;                   // 0 when the status line has no number
    int64_t content_length = -1;      // -1: absent, or a single value that is not a number fitting 32 bits
    bool conflicting_lengths = false; // Content-Length values that differ
    bool chunked = false;             // Transfer-Encoding names chunked
    std::string location;
    std::string last_modified;

    bool Interim() const { return status >= 100 && status < 200; }
    Framing BodyFraming() const;
};

// Feeds lines (with or without their CR LF) and keeps the head they make. A
// status line ("HTTP/...") starts a new head, since interim responses and
// redirects pass through one reader too.
class ResponseHeadReader {
public:
    enum class Line {
        Status, // a status line: a new head begins
        Field,  // a header field, taken or ignored
        End,    // the blank line that ends the head
    };

    Line Feed(std::string_view line);
    const ResponseHead& Head() const { return head_; }
    void Reset();

private:
    void take_content_length(std::string_view value);

    ResponseHead head_;
    // Every Content-Length value seen in this head, as sent.
    std::vector<std::string> lengths_;
};

} // namespace lt
