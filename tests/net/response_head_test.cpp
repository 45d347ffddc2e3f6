// The response-head reader on plain lines: status, the fields the fetch
// uses, and the framing of the body that follows.

#include "net/response_head.h"

#include <gtest/gtest.h>

#include <vector>

namespace lt {
namespace {

using Framing = ResponseHead::Framing;

ResponseHead read_head(const std::vector<std::string>& lines)
{
    ResponseHeadReader reader;
    for (const std::string& line : lines)
        reader.Feed(line + "\r\n");
    return reader.Head();
}

TEST(ResponseHeadReader, ReadsStatusFieldsAndFraming)
{
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int status;
        int64_t length;
        Framing framing;
    };
    const Case cases[] = {
        {"length", {"HTTP/1.1 200 OK", "Content-Length: 12"}, 200, 12, Framing::Length},
        {"field names in any case, value trimmed", {"HTTP/1.0 200 OK", "content-LENGTH: \t7 "}, 200, 7,
            Framing::Length},
        {"zero length", {"HTTP/1.1 200 OK", "Content-Length: 0"}, 200, 0, Framing::None},
        {"no length", {"HTTP/1.1 200 OK", "Server: x"}, 200, -1, Framing::Close},
        {"chunked wins over a length", {"HTTP/1.1 200 OK", "Content-Length: 5", "Transfer-Encoding: gzip, Chunked"},
            200, 5, Framing::Chunked},
        {"not a number reads as absent", {"HTTP/1.1 200 OK", "Content-Length: abc"}, 200, -1, Framing::Close},
        {"too large for 32 bits reads as absent", {"HTTP/1.1 200 OK", "Content-Length: 2147483648"}, 200, -1,
            Framing::Close},
        {"largest 32-bit length", {"HTTP/1.1 200 OK", "Content-Length: 2147483647"}, 200, 2147483647, Framing::Length},
        {"signed reads as absent", {"HTTP/1.1 200 OK", "Content-Length: +5"}, 200, -1, Framing::Close},
        {"same length twice", {"HTTP/1.1 200 OK", "Content-Length: 5", "Content-Length: 005"}, 200, 5, Framing::Length},
        {"same length listed", {"HTTP/1.1 200 OK", "Content-Length: 5, 5"}, 200, 5, Framing::Length},
        {"two lengths", {"HTTP/1.1 200 OK", "Content-Length: 5", "Content-Length: 6"}, 200, 5, Framing::Invalid},
        {"two lengths listed", {"HTTP/1.1 200 OK", "Content-Length: 5,6"}, 200, 5, Framing::Invalid},
        {"a length and a word", {"HTTP/1.1 200 OK", "Content-Length: 5", "Content-Length: five"}, 200, 5,
            Framing::Invalid},
        {"no content", {"HTTP/1.1 204 No Content", "Content-Length: 9"}, 204, 9, Framing::None},
        {"not modified", {"HTTP/1.1 304 Not Modified"}, 304, -1, Framing::None},
        {"interim", {"HTTP/1.1 100 Continue"}, 100, -1, Framing::None},
        {"status without number", {"HTTP/1.1 OK"}, 0, -1, Framing::Close},
        {"a new status line starts afresh",
            {"HTTP/1.1 100 Continue", "Content-Length: 3", "HTTP/1.1 404 Not Found", "Content-Length: 4"}, 404, 4,
            Framing::Length},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResponseHead head = read_head(c.lines);
        EXPECT_EQ(head.status, c.status);
        EXPECT_EQ(head.content_length, c.length);
        EXPECT_EQ(head.BodyFraming(), c.framing);
    }
}

TEST(ResponseHeadReader, KeepsLocationAndLastModifiedAndSaysWhereTheHeadEnds)
{
    ResponseHeadReader reader;
    EXPECT_EQ(reader.Feed("HTTP/1.1 302 Found\r\n"), ResponseHeadReader::Line::Status);
    EXPECT_EQ(reader.Feed("Location: /there \r\n"), ResponseHeadReader::Line::Field);
    EXPECT_EQ(reader.Feed("Last-Modified: Wed, 21 Oct 2015 07:28:00 GMT\r\n"), ResponseHeadReader::Line::Field);
    EXPECT_EQ(reader.Feed("no colon here\r\n"), ResponseHeadReader::Line::Field);
    EXPECT_EQ(reader.Feed("\r\n"), ResponseHeadReader::Line::End);
    EXPECT_EQ(reader.Head().location, "/there");
    EXPECT_EQ(reader.Head().last_modified, "Wed, 21 Oct 2015 07:28:00 GMT");
}

} // namespace
} // namespace lt
