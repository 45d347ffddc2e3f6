// Answers in each profile format, as one table of bodies: what is handed to
// admission (in code page 936), what is counted, and which bodies are not in
// their format at all.

#include "harvest/answer_formats.h"
#include "text/cp936.h"

#include <gtest/gtest.h>

#include <set>

namespace lt {
namespace {

SourceProfile profile(AnswerFormat format, const std::string& path = "", bool callback = false,
    AnswerCharset charset = AnswerCharset::Auto)
{
    SourceProfile p;
    p.name = "t";
    p.format = format;
    p.json_path = path;
    std::string problem;
    if (!path.empty()) {
        EXPECT_TRUE(ParseJsonPath(path, p.json_steps, problem)) << problem;
    }
    p.callback = callback;
    p.answer_charset = charset;
    return p;
}

struct Result {
    std::vector<std::string> admitted; // UTF-8 for readable failures
    AnswerCounts counts;
    std::string error; // the AnswerFormatError's message, if any
};

Result parse(const SourceProfile& p, const std::string& body)
{
    Result r;
    try {
        r.counts =
            ParseAnswer(p, body, [&](const std::string& candidate) { r.admitted.push_back(cp936_to_utf8(candidate)); });
    } catch (const AnswerFormatError& e) {
        r.error = e.what();
    }
    return r;
}

using V = std::vector<std::string>;

TEST(AnswerFormats, EachFormatAsATableOfBodies)
{
    const SourceProfile opensearch = profile(AnswerFormat::OpenSearch);
    const SourceProfile wrapped = profile(AnswerFormat::OpenSearch, "", true);
    const SourceProfile path = profile(AnswerFormat::JsonPath, "data.items");
    const SourceProfile indexed = profile(AnswerFormat::JsonPath, "AS.Results[0].Suggests");
    const SourceProfile second = profile(AnswerFormat::JsonPath, "1");
    const SourceProfile digits = profile(AnswerFormat::JsonPath, "99999999999999999999.1");
    const SourceProfile gbk = profile(AnswerFormat::OpenSearch, "", false, AnswerCharset::Gbk);
    struct Case {
        const char* name;
        const SourceProfile& profile;
        std::string body;
        V admitted;
        int candidates;
        int unrepresentable;
        const char* error = "";
    };
    const Case cases[] = {
        {"opensearch", opensearch, R"(["长尾", ["长尾词", "长尾 词", "tail"], ["d1"], ["u1"]])",
            V{"长尾词", "长尾 词", "tail"}, 3, 0},
        {"opensearch with escapes", opensearch, R"(["q", ["\u957f\u5c3e", "a\"b"]])", V{"长尾", "a\"b"}, 2, 0},
        {"opensearch without suggestions", opensearch, R"(["q", []])", V{}, 0, 0},
        {"arrays whose first element is the phrase", opensearch, R"(["q", [["长尾", 1], [2], "词"]])", V{"长尾", "词"},
            2, 0},
        {"not representable in code page 936", opensearch, R"(["q", ["长尾😀", "长尾", "\ud83d\ude00"]])", V{"长尾"}, 3,
            2},
        {"callback", wrapped, R"(suggest(["q", ["a", "b"]]);)", V{"a", "b"}, 2, 0},
        {"dotted callback with comment and spaces", wrapped, " /**/window.baidu.sug ( [\"q\", [\"a\"]] ) ;\n", V{"a"},
            1, 0},
        {"callback that is not wrapped", wrapped, R"(["q", ["a"]])", V{"a"}, 1, 0},
        {"callback with code around it", wrapped, R"(alert(1);cb(["q", ["a"]]))", V{}, 0, 0, "the answer is not JSON"},
        {"callback that is no name", wrapped, R"(x = (["q", ["a"]]))", V{}, 0, 0,
            "the answer is not wrapped in a plain call name(...)"},
        {"path", path, R"({"data": {"items": [["长尾词", 0], ["尾", 1]]}})", V{"长尾词", "尾"}, 2, 0},
        {"path with an index", indexed, R"({"AS": {"Results": [{"Suggests": ["a", "b"]}]}})", V{"a", "b"}, 2, 0},
        {"a number names an element", second, R"(["q", ["a"]])", V{"a"}, 1, 0},
        {"a number names a member", second, R"({"1": ["a"]})", V{"a"}, 1, 0},
        {"digits too many for an index name a member", digits, R"({"99999999999999999999": [0, ["a"]]})", V{"a"}, 1, 0},
        {"digits too many for an index on a list", digits, R"([["a"]])", V{}, 0, 0,
            "the document has nothing at \"99999999999999999999\" of 99999999999999999999.1"},
        {"index past the end", indexed, R"({"AS": {"Results": []}})", V{}, 0, 0,
            "the document has nothing at \"AS.Results[0]\" of AS.Results[0].Suggests"},
        {"path to nothing", path, R"({"data": {}})", V{}, 0, 0,
            "the document has nothing at \"data.items\" of data.items"},
        {"path to no list", path, R"({"data": {"items": "a"}})", V{}, 0, 0, "\"data.items\" is not a list"},
        {"answer in code page 936", gbk, utf8_to_cp936(R"(["q", ["长尾词"]])"), V{"长尾词"}, 1, 0},
        {"empty", opensearch, "", V{}, 0, 0, "the answer is not JSON"},
        {"malformed", opensearch, R"(["q", ["a")", V{}, 0, 0, "the answer is not JSON"},
        {"an HTML error page", opensearch, "<html>503</html>", V{}, 0, 0, "the answer is not JSON"},
        {"not UTF-8", opensearch, utf8_to_cp936(R"(["q", ["长尾词"]])"), V{}, 0, 0, "the answer is not JSON"},
        {"not an OpenSearch list", opensearch, R"({"q": ["a"]})", V{}, 0, 0,
            "the answer is not an OpenSearch suggestion list"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Result r = parse(c.profile, c.body);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.admitted, c.admitted);
        EXPECT_EQ(r.counts.candidates, c.candidates);
        EXPECT_EQ(r.counts.unrepresentable, c.unrepresentable);
    }
}

TEST(AnswerFormats, HugeAndDeepDocuments)
{
    std::string many = "[\"q\", [";
    for (int i = 0; i < 100000; ++i)
        many += (i ? ",\"" : "\"") + std::to_string(i) + "\"";
    many += "]]";
    Result r = parse(profile(AnswerFormat::OpenSearch), many);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.counts.candidates, 100000);
    ASSERT_EQ(r.admitted.size(), 100000u);
    EXPECT_EQ(r.admitted.back(), "99999");

    // Nesting deep enough to overflow a recursive reader or destructor.
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    r = parse(profile(AnswerFormat::OpenSearch), deep);
    EXPECT_EQ(r.error, "the answer is not an OpenSearch suggestion list");
}

TEST(AnswerFormats, BuiltInFormatsReadAsTheyAlwaysDid)
{
    // The escaped list, through the UTF-8 fallback; a code page 936 profile
    // takes the bytes as they come.
    Result r = parse(profile(AnswerFormat::EscapedList), R"(["%u957F%u5C3E","长尾词"])");
    EXPECT_EQ(r.admitted, (V{"长尾", "长尾词"}));
    EXPECT_EQ(r.counts.candidates, 2);
    const std::string utf8_bytes = "[\"\xE9\x95\xBF\"]"; // 长 in UTF-8
    EXPECT_EQ(parse(profile(AnswerFormat::EscapedList), utf8_bytes).admitted, V{"长"});
    r = parse(profile(AnswerFormat::EscapedList, "", false, AnswerCharset::Gbk), utf8_bytes);
    EXPECT_NE(r.admitted, V{"长"});

    // A result page without the related-search table is not in its format.
    r = parse(profile(AnswerFormat::RelatedPage), "<html>nothing</html>");
    EXPECT_EQ(r.error, "the page has no related-search table");
}

} // namespace
} // namespace lt
