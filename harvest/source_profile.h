#pragma once
// Source profiles: where a request chain asks about a phrase and how it reads
// the answer. Two profiles are built in and are the defaults: the keyword
// suggestion service (escaped list) and the web search's related-search block
// (result page). More are read from an INI file that the user names; nothing
// is read when none is named.
//
// Profile file (UTF-8; "#" or ";" starts a comment line):
//
//   [name]                      letters, digits, ".", "_" and "-"
//   url = https://host/path?q={phrase}
//   format = opensearch         escaped-list | related-page | opensearch | json-path
//   json-path = data.items      json-path only: where the list is in the document
//   callback = yes              JSON formats only: the document is wrapped in name(...)
//   phrase-charset = utf-8      how {phrase} is encoded: gbk (default) or utf-8
//   answer-charset = utf-8      auto (default), utf-8 or gbk
//   min-interval = 1.5          seconds between two requests of the chain (0)
//   pause-after-failures = 5    failures in a row that pause the chain (0: never)
//   pause = 30                  seconds of the first pause; each next one doubles, up to an hour (30)
//
// Sections: the profile - built-in profiles - reading a file - choosing the
// two chains' profiles.

#include "harvest/sources.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lt {

// ---------------------------------------------------------------- the profile

enum class AnswerFormat {
    EscapedList, // the suggestion service's comma-separated escaped items
    RelatedPage, // the web search's result page with its related-search block
    OpenSearch,  // ["query", ["s1", "s2", ...], ...]
    JsonPath,    // a list of strings, or of arrays whose first element is the phrase, at a path
};

// One step of a json-path. A name of digits also names an element of a list
// ("1" reads as "[1]"), so a name step may carry an index too.
struct JsonPathStep {
    std::string name; // the member it names; empty for a "[n]" step
    int index = -1;   // the list element it names; -1 for none
    size_t end = 0;   // where the step ends in the path text, for messages
};

// The largest index a json-path may hold.
inline constexpr int kMaxJsonIndex = 2147483647;

// Reads a json-path ("data.items", "[1]", "AS.Results[0].Suggests"): names and
// [n] indexes joined by dots. Returns false, with the reason in problem, for
// text that is no path or holds an index above kMaxJsonIndex.
bool ParseJsonPath(std::string_view path, std::vector<JsonPathStep>& steps, std::string& problem);

enum class PhraseCharset { Gbk, Utf8 };
// auto: the escaped list and the result page are read as UTF-8 when they
// decode as such and as code page 936 otherwise; JSON is read as UTF-8.
enum class AnswerCharset { Auto, Utf8, Gbk };

struct SourceProfile {
    std::string name;
    // The request address with "{phrase}" where the phrase goes, encoded in
    // phrase_charset with UrlEncode (spaces as "+").
    std::string url;
    AnswerFormat format = AnswerFormat::EscapedList;
    std::string json_path;
    // json_path as read when the profile was: answers walk these steps.
    std::vector<JsonPathStep> json_steps;
    bool callback = false;
    PhraseCharset phrase_charset = PhraseCharset::Gbk;
    AnswerCharset answer_charset = AnswerCharset::Auto;
    int min_interval_ms = 0;
    int pause_after_failures = 0;
    int pause_ms = 30000;
    // Where it was defined: "built in", or the file and the line of its section.
    std::string origin;
};

// The text a format has in a profile file ("opensearch").
const char* AnswerFormatName(AnswerFormat format);
bool IsJsonFormat(AnswerFormat format);

// The request URL of a phrase (code page 936) for a profile.
std::string ProfileUrl(const SourceProfile& profile, std::string_view phrase);

// ---------------------------------------------------------------- built-in profiles

// The names of the two built-in profiles.
extern const char kBuiltinSuggestName[]; // "soso-suggest"
extern const char kBuiltinRelatedName[]; // "baidu-related"

// The two built-in profiles for the given hosts; their URLs are exactly
// SuggestUrl's and RelatedUrl's.
SourceProfile BuiltinSuggestProfile(const ServiceHosts& hosts);
SourceProfile BuiltinRelatedProfile(const ServiceHosts& hosts);

// ---------------------------------------------------------------- reading a file

// A bad profile file or choice. what() is the whole message, e.g.
// "sources.ini:12: format: unknown format "xml" (...)".
class SourceConfigError : public std::runtime_error {
public:
    SourceConfigError(std::string file, int line, std::string key, const std::string& problem);
    const std::string& file() const { return file_; }
    int line() const { return line_; } // 0 when no line is concerned
    const std::string& key() const { return key_; }

private:
    std::string file_;
    int line_;
    std::string key_;
};

// Reads every profile of a file's text; file names it in errors. Throws
// SourceConfigError at the first problem.
std::vector<SourceProfile> ParseSourceProfiles(std::string_view text, const std::string& file);
std::vector<SourceProfile> ReadSourceProfiles(const std::string& path);

// ---------------------------------------------------------------- choosing

// What the user chose: a profile file and a profile name for each chain
// (empty: none named). The window reads it from LONGTAIL_SOURCES,
// LONGTAIL_SUGGEST_SOURCE and LONGTAIL_RELATED_SOURCE; the command-line tool
// from --sources, --suggest and --related, and from those variables for what
// its command line leaves unsaid.
struct SourceChoice {
    std::string file;
    std::string suggest;
    std::string related;
    // Where each came from, for errors ("--suggest", "LONGTAIL_SUGGEST_SOURCE").
    std::string file_from = "LONGTAIL_SOURCES";
    std::string suggest_from = "LONGTAIL_SUGGEST_SOURCE";
    std::string related_from = "LONGTAIL_RELATED_SOURCE";

    using Getenv = std::function<const char*(const char* name)>;
    static SourceChoice FromEnvironment(const Getenv& getenv);
    bool Default() const { return file.empty() && suggest.empty() && related.empty(); }
};

struct ConfiguredSources {
    SourceProfile suggest;
    SourceProfile related;
    // Every profile that could be chosen: the built-in ones, then the file's.
    std::vector<SourceProfile> available;
};

// The profiles of the two chains for a choice. Throws SourceConfigError for
// a bad file or a name that names no profile.
ConfiguredSources ConfigureSources(const SourceChoice& choice, const ServiceHosts& hosts);

// What the window does at Query: the choice and the hosts from the
// environment. Returns the sources, or the error to show (and no run starts).
struct SourcesOrError {
    std::optional<ConfiguredSources> sources;
    std::optional<SourceConfigError> error;
};
SourcesOrError SourcesFromEnvironment(const SourceChoice::Getenv& getenv);

} // namespace lt
