#include "harvest/sources.h"
#include "text/cp936.h"
#include "text/indexed_list.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lt {
namespace {

std::vector<std::string> suggestions(const std::string& answer)
{
    std::vector<std::string> out;
    ParseSuggestions(answer, [&](const std::string& c) { out.push_back(c); });
    return out;
}

std::vector<std::string> related(const std::string& page_utf8)
{
    std::vector<std::string> out;
    ParseRelated(utf8_to_cp936(page_utf8), [&](const std::string& c) { out.push_back(cp936_to_utf8(c)); });
    return out;
}

const std::string kBlock = "<div style=\"background-color:#eff2fa\">";
const std::string kTable = "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr><td nowrap class=\"f14\">";
const std::string kCell = "<td nowrap class=\"f14\">";
const std::string kEnd = "</td></tr></table></td></tr><tr><td>";

std::string link(const std::string& text)
{
    return "<a href=\"s?wd=x\">" + text + "</a></td>";
}

TEST(SuggestionSource, CutsAtCommasAndUnescapes)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(suggestions("[\"%u4E2D\",\"a%20b\"]"), (V{"\xD6\xD0", "a b"}));
    EXPECT_EQ(suggestions("[]"), V{""});
    EXPECT_EQ(suggestions("[\"a,b\"]"), (V{"a", "b"}));
    EXPECT_EQ(suggestions("a, b"), (V{"a", " b"}));
    EXPECT_EQ(suggestions("x\n,y"), (V{"", "y"}));
}

TEST(RelatedSource, ReadsTheLinkTextOfEachCell)
{
    using V = std::vector<std::string>;
    struct Case {
        const char* name;
        std::string page;
        V candidates;
    };
    const Case cases[] = {
        {"four phrases in page order",
            "<html>" + kBlock + "<b>相关搜索</b>" + kTable + link("一") + kCell + link("二") + "</tr><tr>" + kCell +
                link("三") + kCell + link("四") + kEnd + "<p>" + kCell + link("not here"),
            {"一", "二", "三", "四"}},
        {"block end before the heading does not count", kEnd + kBlock + "相关搜索" + kTable + link("a") + kEnd, {"a"}},
        {"entity stays, empty link and missing link end give empty",
            kBlock + "相关搜索" + kTable + link("a&amp;b") + kCell + link("") + kCell + "<a href=\"y\">open" + kEnd,
            {"a&amp;b", "", ""}},
        {"a cell without \"> starts at its second byte", kBlock + "相关搜索" + kTable + "xyz</a>" + kEnd, {"yz"}},
        {"missing block and heading remove nothing", kTable + link("a"), {"a"}},
        {"a second table start ends the table", kTable + link("a") + kTable + link("b"), {"a"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(related(c.page), c.candidates) << c.name;
}

TEST(RelatedSource, PageWithoutTableFailsBeforeAdmittingAnything)
{
    const std::string pages[] = {
        "<html>no related block</html>",
        kBlock + "相关搜索" + kEnd + kTable + link("after the block end"),
        "",
    };
    for (const std::string& page : pages) {
        int admitted = 0;
        EXPECT_THROW(ParseRelated(utf8_to_cp936(page), [&](const std::string&) { ++admitted; }), ListError) << page;
        EXPECT_EQ(admitted, 0);
    }
}

TEST(Sources, UrlsAndHosts)
{
    const std::string phrase = utf8_to_cp936("QQ空间 a~");
    EXPECT_EQ(SuggestUrl("h:81", phrase), "http://h:81/include/keywords.php?k=QQ%BF%D5%BC%E4+a%7E");
    EXPECT_EQ(RelatedUrl("h", phrase), "http://h/s?wd=QQ%BF%D5%BC%E4+a%7E");

    unsetenv("LONGTAIL_SUGGEST_HOST");
    setenv("LONGTAIL_SEARCH_HOST", "127.0.0.1:8080", 1);
    ServiceHosts hosts = ServiceHosts::FromEnvironment();
    EXPECT_EQ(hosts.suggest, "www.soso.com");
    EXPECT_EQ(hosts.search, "127.0.0.1:8080");
    unsetenv("LONGTAIL_SEARCH_HOST");
    EXPECT_EQ(ServiceHosts::FromEnvironment().search, "www.baidu.com");
}

} // namespace
} // namespace lt
