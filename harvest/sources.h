#pragma once
// The two sources of candidate phrases: the keyword-suggestion service
// (source kind 0) and the related-search block of the web search's result
// page (source kind 1). Each gives the request URL of a phrase and parses an
// answer into candidates, handing each to admit before the next is read.

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

namespace lt {

constexpr int32_t kSuggestSource = 0;
constexpr int32_t kRelatedSource = 1;

// Where the two services live: a host name, or host:port. The defaults are
// the public services; LONGTAIL_SUGGEST_HOST and LONGTAIL_SEARCH_HOST
// override them (tests point them at loopback servers).
struct ServiceHosts {
    std::string suggest = "www.soso.com";
    std::string search = "www.baidu.com";

    static ServiceHosts FromEnvironment(const std::function<const char*(const char*)>& getenv = std::getenv);
};

using AdmitFn = std::function<void(const std::string& candidate)>;

// http://<host>/include/keywords.php?k=<phrase, URL-encoded, spaces as '+'>
std::string SuggestUrl(const std::string& host, std::string_view phrase);
// http://<host>/s?wd=<phrase, URL-encoded, spaces as '+'>
std::string RelatedUrl(const std::string& host, std::string_view phrase);

// Cuts the answer at its commas and unescapes every piece. Never fails.
void ParseSuggestions(std::string_view text, const AdmitFn& admit);

// Cuts the page down to the related-search table and yields the link text of
// each cell. Throws ListError when the page has no such table; nothing is
// admitted then.
void ParseRelated(std::string_view text, const AdmitFn& admit);

} // namespace lt
