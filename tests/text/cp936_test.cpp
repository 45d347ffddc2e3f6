#include "text/cp936.h"

#include <gtest/gtest.h>

namespace lt {
namespace {

TEST(Cp936, ConvertsBothWaysByteExact)
{
    struct Case {
        const char* utf8;
        std::string cp936;
    };
    const Case cases[] = {
        {"abc", "abc"},
        {"相关搜索", "\xCF\xE0\xB9\xD8\xCB\xD1\xCB\xF7"},
        {"正在查询：，！....", "\xD5\xFD\xD4\xDA\xB2\xE9\xD1\xAF\xA3\xBA\xA3\xAC\xA3\xA1...."},
        {"網頁", "\xBE\x57\xED\x93"},
        {"€", "\x80"},
    };
    for (const Case& c : cases) {
        bool lossless = false;
        EXPECT_EQ(utf8_to_cp936(c.utf8, &lossless), c.cp936) << c.utf8;
        EXPECT_TRUE(lossless) << c.utf8;
        EXPECT_EQ(cp936_to_utf8(c.cp936), c.utf8) << c.utf8;
    }
}

TEST(Cp936, UnrepresentableAndMalformedBecomeQuestionMarks)
{
    bool lossless = true;
    EXPECT_EQ(utf8_to_cp936("a\xF0\x9F\x98\x80"
                            "b中",
                  &lossless),
        "a?b\xD6\xD0");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(utf8_to_cp936("x\xE4\xB8y", &lossless), "x??y");
    EXPECT_FALSE(lossless);

    // Display decoding: the user-defined area through GB18030, 0xFF and a
    // lone trailing lead byte as '?'; a lead byte before ASCII keeps the ASCII.
    EXPECT_EQ(cp936_to_utf8("\xAA\xA1"), "\xEE\x80\x80");
    EXPECT_EQ(cp936_to_utf8("a\xFF"
                            "b"),
        "a?b");
    EXPECT_EQ(cp936_to_utf8("ab\xD6"), "ab?");
    EXPECT_EQ(cp936_to_utf8("\x81 x"), "? x");
}

TEST(Cp936, Utf16ConversionReplacesWhatTheCodePageLacks)
{
    EXPECT_EQ(utf16_to_cp936(u"\u4E2D\u6587"), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(utf16_to_cp936(std::u16string(u"a\xD800"
                                            "b")),
        "a?b");
    EXPECT_EQ(utf16_to_cp936(u"\U0001F600"), "?");
    EXPECT_EQ(cp936_to_utf16("\xD6\xD0z"), u"\u4E2Dz");
}

TEST(Cp936, CharacterBoundaries)
{
    std::string s = "A\xBE\x57"
                    "B";
    EXPECT_EQ(cp936_char_len(s, 0), 1u);
    EXPECT_EQ(cp936_char_len(s, 1), 2u);
    EXPECT_EQ(cp936_char_len("\xBE", 0), 1u);
    cp936_drop_last_char(s);
    EXPECT_EQ(s, "A\xBE\x57");
    cp936_drop_last_char(s);
    EXPECT_EQ(s, "A");
}

} // namespace
} // namespace lt
