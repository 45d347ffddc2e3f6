// Source profiles: the file reader (every key, and each way a file can be
// wrong, named by file, line and key), the built-in profiles, URL building,
// and choosing the two chains' profiles from the command line or the
// environment.

#include "harvest/source_profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace lt {
namespace {

const char kHeader[] = "[p]\nurl = https://h.test/s?q={phrase}\n";

TEST(SourceProfileFile, ReadsEveryKey)
{
    const auto profiles = ParseSourceProfiles("# comment\n"
                                              "; another\n"
                                              "\n"
                                              "[json]\n"
                                              "url = https://h.test:8443/s?q={phrase}&again={phrase}\n"
                                              "format = json-path\n"
                                              "json-path = data.items[0].list\n"
                                              "callback = yes\n"
                                              "phrase-charset = UTF-8\n"
                                              "answer-charset = gbk\n"
                                              "min-interval = 1.5\n"
                                              "pause-after-failures = 3\n"
                                              "pause = 2\n"
                                              "[classic]\r\n"
                                              "  url=http://x.test/k?k={phrase}  \r\n"
                                              "format = escaped-list\r\n",
        "f.ini");
    ASSERT_EQ(profiles.size(), 2u);
    const SourceProfile& p = profiles[0];
    EXPECT_EQ(p.name, "json");
    EXPECT_EQ(p.url, "https://h.test:8443/s?q={phrase}&again={phrase}");
    EXPECT_EQ(p.format, AnswerFormat::JsonPath);
    EXPECT_EQ(p.json_path, "data.items[0].list");
    ASSERT_EQ(p.json_steps.size(), 4u); // data, items, [0], list
    EXPECT_EQ(p.json_steps[2].name, "");
    EXPECT_EQ(p.json_steps[2].index, 0);
    EXPECT_TRUE(p.callback);
    EXPECT_EQ(p.phrase_charset, PhraseCharset::Utf8);
    EXPECT_EQ(p.answer_charset, AnswerCharset::Gbk);
    EXPECT_EQ(p.min_interval_ms, 1500);
    EXPECT_EQ(p.pause_after_failures, 3);
    EXPECT_EQ(p.pause_ms, 2000);
    EXPECT_EQ(p.origin, "f.ini:4");

    // Defaults: code page 936 phrases, answers read as the built-ins read
    // them, no pace, no pause.
    const SourceProfile& q = profiles[1];
    EXPECT_EQ(q.url, "http://x.test/k?k={phrase}");
    EXPECT_EQ(q.format, AnswerFormat::EscapedList);
    EXPECT_FALSE(q.callback);
    EXPECT_EQ(q.phrase_charset, PhraseCharset::Gbk);
    EXPECT_EQ(q.answer_charset, AnswerCharset::Auto);
    EXPECT_EQ(q.min_interval_ms, 0);
    EXPECT_EQ(q.pause_after_failures, 0);
}

TEST(SourceProfileFile, NamesFileLineAndKeyOfEachProblem)
{
    struct Case {
        std::string text;
        std::string message; // the whole what()
        int line;
        std::string key;
    };
    const std::string h = kHeader;
    const Case cases[] = {
        {h + "format = opensearch\nnoise = 1\n",
            "f.ini:4: noise: unknown key (url, format, json-path, callback, "
            "phrase-charset, answer-charset, min-interval, pause-after-failures, "
            "pause)",
            4, "noise"},
        {"[p]\nurl = https://h.test/s?q=\nformat = opensearch\n", "f.ini:2: url: has no {phrase} placeholder", 2,
            "url"},
        {"[p]\nurl = ftp://h.test/{phrase}\nformat = opensearch\n", "f.ini:2: url: must begin with http:// or https://",
            2, "url"},
        {h + "format = xml\n",
            "f.ini:3: format: unknown format \"xml\" (escaped-list, related-page, opensearch or "
            "json-path)",
            3, "format"},
        {h + "format = json-path\n", "f.ini:3: json-path: format json-path needs a json-path", 3, "json-path"},
        {h + "format = opensearch\njson-path = a\n", "f.ini:4: json-path: only format json-path reads a json-path", 4,
            "json-path"},
        {h + "format = json-path\njson-path = a..b\n",
            "f.ini:4: json-path: \"a..b\" is not a path (names and [n] joined by dots, e.g. data.items)", 4,
            "json-path"},
        {h + "format = json-path\njson-path = a[x]\n",
            "f.ini:4: json-path: \"a[x]\" is not a path (names and [n] joined by dots, e.g. data.items)", 4,
            "json-path"},
        {h + "format = json-path\njson-path = [99999999999999999999]\n",
            "f.ini:4: json-path: \"[99999999999999999999]\" has an index above 2147483647", 4, "json-path"},
        {h + "format = json-path\njson-path = a[2147483648]\n",
            "f.ini:4: json-path: \"a[2147483648]\" has an index above 2147483647", 4, "json-path"},
        {h + "format = escaped-list\ncallback = yes\n", "f.ini:4: callback: only the JSON formats can be wrapped", 4,
            "callback"},
        {h + "format = opensearch\ncallback = maybe\n", "f.ini:4: callback: must be yes or no", 4, "callback"},
        {h + "format = opensearch\nphrase-charset = latin1\n", "f.ini:4: phrase-charset: must be gbk or utf-8", 4,
            "phrase-charset"},
        {h + "format = opensearch\nanswer-charset = big5\n", "f.ini:4: answer-charset: must be auto, gbk or utf-8", 4,
            "answer-charset"},
        {h + "format = opensearch\nmin-interval = -1\n",
            "f.ini:4: min-interval: must be a number of seconds from 0 to 86400", 4, "min-interval"},
        {h + "format = opensearch\nmin-interval = soon\n",
            "f.ini:4: min-interval: must be a number of seconds from 0 to 86400", 4, "min-interval"},
        {h + "format = opensearch\npause-after-failures = 2.5\n",
            "f.ini:4: pause-after-failures: must be a whole number, 0 for never", 4, "pause-after-failures"},
        {h + "format = opensearch\npause = 0\n", "f.ini:4: pause: must be a number of seconds above 0, at most 86400",
            4, "pause"},
        {h + "format = opensearch\nformat = json-path\n", "f.ini:4: format: given twice in [p]", 4, "format"},
        {"[p]\nformat = opensearch\n", "f.ini:1: url: [p] has no url", 1, "url"},
        {h, "f.ini:1: format: [p] has no format", 1, "format"},
        {"url = https://h.test/{phrase}\n", "f.ini:1: url: comes before any [profile] section", 1, "url"},
        {h + "format = opensearch\njust words\n", "f.ini:4: expected key = value", 4, ""},
        {"[p q]\n", "f.ini:1: \"p q\" is not a profile name (letters, digits, \".\", \"_\" and \"-\")", 1, ""},
        {"[p\n", "f.ini:1: a section line must end with ]", 1, ""},
        {h + "format = opensearch\n[p]\n", "f.ini:4: profile \"p\" is defined twice", 4, ""},
        {"[soso-suggest]\n", "f.ini:1: profile \"soso-suggest\" is defined twice (it is built in)", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseSourceProfiles(c.text, "f.ini");
            ADD_FAILURE() << "accepted";
        } catch (const SourceConfigError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
            EXPECT_EQ(e.file(), "f.ini");
            EXPECT_EQ(e.line(), c.line);
            EXPECT_EQ(e.key(), c.key);
        }
    }
}

TEST(SourceProfileFile, TheExampleFileParses)
{
    const std::string path = std::string(std::getenv("LT_SOURCE_DIR")) + "/tools/longtail-harvest/sources.example.ini";
    const auto profiles = ReadSourceProfiles(path);
    ASSERT_GE(profiles.size(), 3u);
    std::set<AnswerFormat> formats;
    bool callback = false;
    for (const SourceProfile& p : profiles) {
        formats.insert(p.format);
        callback |= p.callback;
        EXPECT_EQ(p.url.rfind("https://", 0), 0u) << p.name;
    }
    EXPECT_TRUE(formats.count(AnswerFormat::OpenSearch));
    EXPECT_TRUE(formats.count(AnswerFormat::JsonPath));
    EXPECT_TRUE(callback);

    try {
        ReadSourceProfiles("/nonexistent/sources.ini");
        ADD_FAILURE() << "read a missing file";
    } catch (const SourceConfigError& e) {
        EXPECT_EQ(std::string(e.what()), "/nonexistent/sources.ini: cannot be read");
    }
}

TEST(SourceProfile, UrlsOfBuiltInAndFileProfiles)
{
    const ServiceHosts hosts{"s.test:81", "w.test"};
    const std::string phrase = "\xB3\xA4 a+"; // 长, a space, a plus
    EXPECT_EQ(ProfileUrl(BuiltinSuggestProfile(hosts), phrase), SuggestUrl(hosts.suggest, phrase));
    EXPECT_EQ(ProfileUrl(BuiltinRelatedProfile(hosts), phrase), RelatedUrl(hosts.search, phrase));
    EXPECT_EQ(ProfileUrl(BuiltinSuggestProfile(hosts), phrase), "http://s.test:81/include/keywords.php?k=%B3%A4+a%2B");

    SourceProfile p;
    p.url = "https://h.test/s?q={phrase}&echo={phrase}";
    EXPECT_EQ(ProfileUrl(p, phrase), "https://h.test/s?q=%B3%A4+a%2B&echo=%B3%A4+a%2B");
    p.phrase_charset = PhraseCharset::Utf8;
    EXPECT_EQ(ProfileUrl(p, phrase), "https://h.test/s?q=%E9%95%BF+a%2B&echo=%E9%95%BF+a%2B");
}

// The choice as the environment would give it.
struct FakeEnv {
    std::map<std::string, std::string> vars;
    SourceChoice::Getenv getenv() const
    {
        return [this](const char* name) -> const char* {
            auto it = vars.find(name);
            return it == vars.end() ? nullptr : it->second.c_str();
        };
    }
};

class SourceChoiceTest : public ::testing::Test {
protected:
    SourceChoiceTest() { std::ofstream(file) << "[json]\nurl = https://h.test/s?q={phrase}\nformat = opensearch\n"; }
    ~SourceChoiceTest() override { std::filesystem::remove(file); }
    const std::string file = ::testing::TempDir() + "/choice-sources.ini";
};

TEST_F(SourceChoiceTest, DefaultsChoicesAndErrors)
{
    // Nothing named: the built-ins, for the environment's hosts.
    FakeEnv env;
    env.vars["LONGTAIL_SUGGEST_HOST"] = "127.0.0.1:9";
    SourcesOrError none = SourcesFromEnvironment(env.getenv());
    ASSERT_TRUE(none.sources);
    EXPECT_EQ(none.sources->suggest.name, kBuiltinSuggestName);
    EXPECT_EQ(none.sources->suggest.url, "http://127.0.0.1:9/include/keywords.php?k={phrase}");
    EXPECT_EQ(none.sources->related.name, kBuiltinRelatedName);
    EXPECT_EQ(none.sources->available.size(), 2u);

    // A file and one chain's profile; the other chain keeps its built-in.
    env.vars["LONGTAIL_SOURCES"] = file;
    env.vars["LONGTAIL_SUGGEST_SOURCE"] = "json";
    SourcesOrError chosen = SourcesFromEnvironment(env.getenv());
    ASSERT_TRUE(chosen.sources) << chosen.error->what();
    EXPECT_EQ(chosen.sources->suggest.name, "json");
    EXPECT_EQ(chosen.sources->related.name, kBuiltinRelatedName);
    EXPECT_EQ(chosen.sources->available.size(), 3u);

    // A built-in may serve the other chain.
    env.vars["LONGTAIL_RELATED_SOURCE"] = kBuiltinSuggestName;
    EXPECT_EQ(SourcesFromEnvironment(env.getenv()).sources->related.format, AnswerFormat::EscapedList);

    // Names that name nothing, with and without a file.
    env.vars["LONGTAIL_RELATED_SOURCE"] = "missing";
    SourcesOrError bad = SourcesFromEnvironment(env.getenv());
    ASSERT_TRUE(bad.error);
    EXPECT_EQ(std::string(bad.error->what()), "LONGTAIL_RELATED_SOURCE: no profile named \"missing\" in " + file);
    SourceChoice choice;
    choice.suggest = "json";
    choice.suggest_from = "--suggest";
    try {
        ConfigureSources(choice, ServiceHosts{});
        ADD_FAILURE() << "chose a profile without a file";
    } catch (const SourceConfigError& e) {
        EXPECT_EQ(std::string(e.what()),
            "--suggest: no profile named \"json\" (no profile file is named: --sources or LONGTAIL_SOURCES)");
    }
}

} // namespace
} // namespace lt
