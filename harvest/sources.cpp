#include "harvest/sources.h"

#include "text/cp936.h"
#include "text/indexed_list.h"
#include "text/text_utils.h"

#include <cstdlib>
#include <vector>

namespace lt {

namespace {

// 1-based position of the first occurrence of needle, 0 when there is none.
size_t pos(std::string_view text, std::string_view needle)
{
    size_t p = text.find(needle);
    return p == std::string_view::npos ? 0 : p + 1;
}

// The markers of the result page. The heading is the page's four
// characters 相关搜索 in code page 936.
const std::string kBlockStart = "<div style=\"background-color:#eff2fa";
const std::string kBlockHeading = utf8_to_cp936("相关搜索");
const std::string kBlockEnd = "</td></tr></table></td></tr><tr><td>";
const std::string kTableStart = "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr><td nowrap class=\"f14\">";
const std::string kCellStart = "<td nowrap class=\"f14\">";

} // namespace

ServiceHosts ServiceHosts::FromEnvironment(const std::function<const char*(const char*)>& getenv)
{
    ServiceHosts hosts;
    auto take = [&](const char* name, std::string& into) {
        const char* value = getenv(name);
        if (value && *value)
            into = value;
    };
    take("LONGTAIL_SUGGEST_HOST", hosts.suggest);
    take("LONGTAIL_SEARCH_HOST", hosts.search);
    return hosts;
}

std::string SuggestUrl(const std::string& host, std::string_view phrase)
{
    return "http://" + host + "/include/keywords.php?k=" + UrlEncode(phrase, true);
}

std::string RelatedUrl(const std::string& host, std::string_view phrase)
{
    return "http://" + host + "/s?wd=" + UrlEncode(phrase, true);
}

void ParseSuggestions(std::string_view text, const AdmitFn& admit)
{
    for (const std::string& piece : SplitText(text, ","))
        admit(JsUnescape(piece));
}

void ParseRelated(std::string_view text, const AdmitFn& admit)
{
    // Each cut removes everything before the marker and the marker's first
    // byte, or nothing when the marker is missing.
    text.remove_prefix(pos(text, kBlockStart));
    text.remove_prefix(pos(text, kBlockHeading));

    std::vector<std::string> pieces = SplitText(text, kBlockEnd);
    if (pieces.empty())
        throw ListError(0);
    pieces = SplitText(pieces[0], kTableStart);
    if (pieces.size() < 2)
        throw ListError(1);

    for (const std::string& cell : SplitText(pieces[1], kCellStart)) {
        // The link text: after the first "\">" up to the first "</a>", in
        // 1-based positions; a cell without "\">" starts at its second byte.
        size_t s = pos(cell, "\">") + 2;
        long n = static_cast<long>(pos(cell, "</a>")) - static_cast<long>(s);
        std::string candidate;
        if (n > 0 && s <= cell.size())
            candidate = cell.substr(s - 1, static_cast<size_t>(n));
        admit(candidate);
    }
}

} // namespace lt
