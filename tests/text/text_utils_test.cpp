#include "text/text_utils.h"

#include <gtest/gtest.h>

namespace lt {
namespace {

using Pieces = std::vector<std::string>;

TEST(UrlEncode, EncodesByteByByte)
{
    struct Case {
        std::string text;
        bool plus;
        std::string encoded;
    };
    const Case cases[] = {
        {"a b", true, "a+b"},
        {"a b", false, "a%20b"},
        {"-._09AZaz", true, "-._09AZaz"},
        {"%~*/", true, "%25%7E%2A%2F"},
        {"\xB5", true, "%B5"},
        {"qq\xBF\xD5\xBC\xE4", true, "qq%BF%D5%BC%E4"},
        {"", true, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UrlEncode(c.text, c.plus), c.encoded) << c.text;
}

TEST(SplitText, KeepsEmptyPiecesInOrder)
{
    struct Case {
        std::string text, delimiter;
        Pieces pieces;
    };
    const Case cases[] = {
        {"", ",", {}},
        {"a,b", ",", {"a", "b"}},
        {"a,", ",", {"a", ""}},
        {",,", ",", {"", "", ""}},
        {"abc", ",", {"abc"}},
        {"x<td>y<td>", "<td>", {"x", "y", ""}},
        // An empty delimiter is never found: one piece, and no endless loop.
        {"abc", "", {"abc"}},
        {"", "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitText(c.text, c.delimiter), c.pieces) << c.text << " / " << c.delimiter;
}

TEST(JsUnescape, DecodesLiteralThenUnescape)
{
    struct Case {
        std::string item, decoded;
    };
    const Case cases[] = {
        {"[\"%u4E2D%u6587\"]", "\xD6\xD0\xCE\xC4"},
        {"abc", "abc"},
        {"\"[]\"", ""},
        {"[]", ""},
        // Literal escapes come first; \u4e2d is decoded by the literal.
        {"\\u4e2d", "\xD6\xD0"},
        {"\\x41\\t\\'\\\\\\q", "A\t'\\q"},
        {"\\101\\0a\\400\\3777", std::string("A\0a 0?7", 7)},
        // unescape: both hex cases; a '%' without digits stays.
        {"%41%e9%u4e2D", "A\xA8\xA6\xD6\xD0"},
        {"100%", "100%"},
        {"%u12", "%u12"},
        {"%zz%4", "%zz%4"},
        // An escaped percent sign is still unescaped afterwards.
        {"\\x2541", "A"},
        // A character outside the code page becomes '?'.
        {"%uD83D%uDE00x", "?x"},
        // Bytes already in the code page pass through.
        {"qq\xBF\xD5\xBC\xE4", "qq\xBF\xD5\xBC\xE4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JsUnescape(c.item), c.decoded) << c.item;
    EXPECT_EQ(JsUnescape(std::string("\\0", 2)), std::string("\0", 1));
}

TEST(JsUnescape, LiteralThatWouldNotParseGivesEmpty)
{
    const char* items[] = {
        "a\nb",
        "a\rb",
        "abc\\",
        "\\\n",
        "\\x4",
        "\\xZZ",
        "\\u12G4",
        "\\8",
        "\\18",
        "\\08",
        "\\48",
    };
    for (const char* item : items)
        EXPECT_EQ(JsUnescape(item), "") << item;
    // An escaped backslash at the end is complete.
    EXPECT_EQ(JsUnescape("abc\\\\"), "abc\\");
}

TEST(AnsiFromUtf8, LenientDecodingWithFourByteCharacters)
{
    struct Case {
        std::string text, result;
    };
    const Case cases[] = {
        {"", ""},
        {"plain ascii", "plain ascii"},
        {"\xE4\xB8\xAD", "\xD6\xD0"},
        // Already code page 936: 0xD0 is no continuation byte.
        {"\xD6\xD0", ""},
        {"\xE4\xB8", ""},
        // A four-byte character is one unrepresentable character.
        {"\xE4\xB8\xAD\xF0\x9F\x98\x80", "\xD6\xD0?"},
        {"\xF0\x9F\x98\x80"
         "a",
            "?a"},
        // The lenient rules stay: a continuation byte leads a two-byte
        // sequence (U+0000 here), 0xF8 leads three bytes (U+8000).
        {"\x80\x80", std::string("\0", 1)},
        {"\xF8\x80\x80", "\xD2\xAB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnsiFromUtf8(c.text), c.result) << c.text;
}

TEST(LowerAscii, LowersOnlyStandaloneLetters)
{
    struct Case {
        std::string text, lowered;
    };
    const Case cases[] = {
        {"QQ\xBF\xD5\xBC\xE4", "qq\xBF\xD5\xBC\xE4"}, // QQ空间
        {"\xBE\x57\xED\x93", "\xBE\x57\xED\x93"},     // 網頁 keeps its trail byte 0x57
        {"A\xBE\x57"
         "B",
            "a\xBE\x57"
            "b"},                                       // A網B
        {"\xE9\x4C\xCE\xB2", "\xE9\x4C\xCE\xB2"},       // 長尾
        {"iPhone 5S", "iphone 5s"}, {"Z\xBE", "z\xBE"}, // lone lead byte at the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(LowerAscii(c.text), c.lowered) << c.text;
}

} // namespace
} // namespace lt
