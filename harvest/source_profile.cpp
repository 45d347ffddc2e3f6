#include "harvest/source_profile.h"

#include "text/ascii.h"
#include "text/cp936.h"
#include "text/text_utils.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace lt {

const char kBuiltinSuggestName[] = "soso-suggest";
const char kBuiltinRelatedName[] = "baidu-related";

namespace {

const char kPlaceholder[] = "{phrase}";

struct FormatName {
    AnswerFormat format;
    const char* name;
};
const FormatName kFormats[] = {
    {AnswerFormat::EscapedList, "escaped-list"},
    {AnswerFormat::RelatedPage, "related-page"},
    {AnswerFormat::OpenSearch, "opensearch"},
    {AnswerFormat::JsonPath, "json-path"},
};

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool valid_name(std::string_view name)
{
    if (name.empty())
        return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
                c == '-'))
            return false;
    return true;
}

bool starts_with_ci(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && ascii_iequals(text.substr(0, prefix.size()), prefix);
}

// A number of seconds (decimal, not negative, at most a day) in milliseconds.
bool parse_seconds(std::string_view text, int& ms)
{
    double seconds = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (ec != std::errc() || end != text.data() + text.size() || !(seconds >= 0) || seconds > 24 * 3600)
        return false;
    ms = static_cast<int>(std::lround(seconds * 1000));
    return true;
}

bool parse_count(std::string_view text, int& out)
{
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out >= 0 && !text.empty() && text[0] != '-';
}

bool parse_yes_no(std::string_view text, bool& out)
{
    if (ascii_iequals(text, "yes") || ascii_iequals(text, "true") || text == "1")
        return out = true, true;
    if (ascii_iequals(text, "no") || ascii_iequals(text, "false") || text == "0")
        return out = false, true;
    return false;
}

bool is_gbk_name(std::string_view text)
{
    return ascii_iequals(text, "gbk") || ascii_iequals(text, "cp936") || ascii_iequals(text, "gb2312");
}

bool is_utf8_name(std::string_view text)
{
    return ascii_iequals(text, "utf-8") || ascii_iequals(text, "utf8");
}

// Collects one section's keys, then checks the profile as a whole.
class ProfileBuilder {
public:
    ProfileBuilder(const std::string& file, int line, std::string name) : file_(file), line_(line)
    {
        profile_.name = std::move(name);
        profile_.origin = file + ":" + std::to_string(line);
    }

    void set(std::string_view key, std::string_view value, int line)
    {
        const std::string k(key);
        auto fail = [&](const std::string& problem) -> void { throw SourceConfigError(file_, line, k, problem); };
        if (!seen_.insert(k).second)
            fail("given twice in [" + profile_.name + "]");
        lines_[k] = line;
        if (k == "url") {
            if (!starts_with_ci(value, "http://") && !starts_with_ci(value, "https://"))
                fail("must begin with http:// or https://");
            if (value.find(kPlaceholder) == std::string_view::npos)
                fail("has no {phrase} placeholder");
            profile_.url = value;
        } else if (k == "format") {
            bool known = false;
            for (const auto& f : kFormats)
                if (value == f.name) {
                    profile_.format = f.format;
                    known = true;
                }
            if (!known)
                fail("unknown format \"" + std::string(value) +
                    "\" (escaped-list, related-page, opensearch or json-path)");
        } else if (k == "json-path") {
            std::string problem;
            if (!ParseJsonPath(value, profile_.json_steps, problem))
                fail(problem);
            profile_.json_path = value;
        } else if (k == "callback") {
            if (!parse_yes_no(value, profile_.callback))
                fail("must be yes or no");
        } else if (k == "phrase-charset") {
            if (is_gbk_name(value))
                profile_.phrase_charset = PhraseCharset::Gbk;
            else if (is_utf8_name(value))
                profile_.phrase_charset = PhraseCharset::Utf8;
            else
                fail("must be gbk or utf-8");
        } else if (k == "answer-charset") {
            if (ascii_iequals(value, "auto"))
                profile_.answer_charset = AnswerCharset::Auto;
            else if (is_gbk_name(value))
                profile_.answer_charset = AnswerCharset::Gbk;
            else if (is_utf8_name(value))
                profile_.answer_charset = AnswerCharset::Utf8;
            else
                fail("must be auto, gbk or utf-8");
        } else if (k == "min-interval") {
            if (!parse_seconds(value, profile_.min_interval_ms))
                fail("must be a number of seconds from 0 to 86400");
        } else if (k == "pause-after-failures") {
            if (!parse_count(value, profile_.pause_after_failures))
                fail("must be a whole number, 0 for never");
        } else if (k == "pause") {
            if (!parse_seconds(value, profile_.pause_ms) || profile_.pause_ms <= 0)
                fail("must be a number of seconds above 0, at most 86400");
        } else {
            fail("unknown key (url, format, json-path, callback, phrase-charset, answer-charset, min-interval, "
                 "pause-after-failures, pause)");
        }
    }

    SourceProfile finish()
    {
        if (!seen_.count("url"))
            throw SourceConfigError(file_, line_, "url", "[" + profile_.name + "] has no url");
        if (!seen_.count("format"))
            throw SourceConfigError(file_, line_, "format", "[" + profile_.name + "] has no format");
        const bool json = IsJsonFormat(profile_.format);
        if (profile_.format == AnswerFormat::JsonPath && profile_.json_path.empty())
            throw SourceConfigError(file_, lines_["format"], "json-path", "format json-path needs a json-path");
        if (profile_.format != AnswerFormat::JsonPath && seen_.count("json-path"))
            throw SourceConfigError(file_, lines_["json-path"], "json-path", "only format json-path reads a json-path");
        if (!json && seen_.count("callback"))
            throw SourceConfigError(file_, lines_["callback"], "callback", "only the JSON formats can be wrapped");
        return profile_;
    }

private:
    const std::string& file_;
    int line_;
    SourceProfile profile_;
    std::set<std::string> seen_;
    std::map<std::string, int> lines_;
};

} // namespace

// ---------------------------------------------------------------- the profile

namespace {

// Digits as an index, when they are one and at most kMaxJsonIndex.
int json_index(std::string_view digits)
{
    int index = -1;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return -1;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    return ec == std::errc() && end == digits.data() + digits.size() ? index : -1;
}

} // namespace

bool ParseJsonPath(std::string_view path, std::vector<JsonPathStep>& steps, std::string& problem)
{
    steps.clear();
    auto bad = [&](const std::string& why) {
        steps.clear();
        problem = "\"" + std::string(path) + "\" " + why;
        return false;
    };
    auto no_path = [&] { return bad("is not a path (names and [n] joined by dots, e.g. data.items)"); };
    size_t i = 0;
    bool need_step = true;
    while (i < path.size()) {
        JsonPathStep step;
        if (path[i] == '[') {
            const size_t close = path.find(']', i);
            if (close == std::string_view::npos || close == i + 1)
                return no_path();
            const std::string_view digits = path.substr(i + 1, close - i - 1);
            if (digits.find_first_not_of("0123456789") != std::string_view::npos)
                return no_path();
            step.index = json_index(digits);
            if (step.index < 0)
                return bad("has an index above " + std::to_string(kMaxJsonIndex));
            i = close + 1;
        } else if (path[i] == '.') {
            if (need_step)
                return no_path();
            need_step = true;
            ++i;
            continue;
        } else {
            if (!need_step)
                return no_path();
            size_t end = path.find_first_of(".[", i);
            if (end == std::string_view::npos)
                end = path.size();
            step.name = path.substr(i, end - i);
            // Digits too many for an index still name a member.
            step.index = json_index(step.name);
            i = end;
        }
        step.end = i;
        steps.push_back(std::move(step));
        need_step = false;
    }
    if (need_step)
        return no_path();
    return true;
}

const char* AnswerFormatName(AnswerFormat format)
{
    for (const auto& f : kFormats)
        if (f.format == format)
            return f.name;
    return "?";
}

bool IsJsonFormat(AnswerFormat format)
{
    return format == AnswerFormat::OpenSearch || format == AnswerFormat::JsonPath;
}

std::string ProfileUrl(const SourceProfile& profile, std::string_view phrase)
{
    const std::string encoded =
        UrlEncode(profile.phrase_charset == PhraseCharset::Utf8 ? cp936_to_utf8(phrase) : std::string(phrase), true);
    std::string url;
    std::string_view rest = profile.url;
    for (size_t at; (at = rest.find(kPlaceholder)) != std::string_view::npos;) {
        url.append(rest.substr(0, at));
        url += encoded;
        rest.remove_prefix(at + sizeof kPlaceholder - 1);
    }
    url.append(rest);
    return url;
}

// ---------------------------------------------------------------- built-in profiles

namespace {

// url_prefix is the address of the empty phrase; the phrase goes at its end.
SourceProfile builtin(const char* name, const std::string& url_prefix, AnswerFormat format)
{
    SourceProfile p;
    p.name = name;
    p.url = url_prefix + kPlaceholder;
    p.format = format;
    p.origin = "built in";
    return p;
}

} // namespace

SourceProfile BuiltinSuggestProfile(const ServiceHosts& hosts)
{
    return builtin(kBuiltinSuggestName, SuggestUrl(hosts.suggest, ""), AnswerFormat::EscapedList);
}

SourceProfile BuiltinRelatedProfile(const ServiceHosts& hosts)
{
    return builtin(kBuiltinRelatedName, RelatedUrl(hosts.search, ""), AnswerFormat::RelatedPage);
}

// ---------------------------------------------------------------- reading a file

SourceConfigError::SourceConfigError(std::string file, int line, std::string key, const std::string& problem)
    : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
          (key.empty() ? std::string() : key + ": ") + problem),
      file_(std::move(file)),
      line_(line),
      key_(std::move(key))
{ }

std::vector<SourceProfile> ParseSourceProfiles(std::string_view text, const std::string& file)
{
    std::vector<SourceProfile> profiles;
    std::set<std::string> names = {kBuiltinSuggestName, kBuiltinRelatedName};
    std::optional<ProfileBuilder> current;
    // A byte-order mark at the start is not part of the first line.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    int number = 0;
    for (size_t pos = 0; pos < text.size();) {
        ++number;
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']')
                throw SourceConfigError(file, number, "", "a section line must end with ]");
            std::string name(trim(line.substr(1, line.size() - 2)));
            if (!valid_name(name))
                throw SourceConfigError(file, number, "",
                    "\"" + name + "\" is not a profile name (letters, digits, \".\", \"_\" and \"-\")");
            if (!names.insert(name).second)
                throw SourceConfigError(file, number, "",
                    "profile \"" + name + "\" is defined twice" +
                        (name == kBuiltinSuggestName || name == kBuiltinRelatedName ? " (it is built in)" : ""));
            if (current)
                profiles.push_back(current->finish());
            current.emplace(file, number, name);
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            throw SourceConfigError(file, number, "", "expected key = value");
        const std::string_view key = trim(line.substr(0, eq));
        if (!current)
            throw SourceConfigError(file, number, std::string(key), "comes before any [profile] section");
        current->set(key, trim(line.substr(eq + 1)), number);
    }
    if (current)
        profiles.push_back(current->finish());
    return profiles;
}

std::vector<SourceProfile> ReadSourceProfiles(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SourceConfigError(path, 0, "", "cannot be read");
    std::stringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw SourceConfigError(path, 0, "", "cannot be read");
    return ParseSourceProfiles(text.str(), path);
}

// ---------------------------------------------------------------- choosing

SourceChoice SourceChoice::FromEnvironment(const Getenv& getenv)
{
    auto get = [&](const char* name) {
        const char* value = getenv(name);
        return std::string(value ? value : "");
    };
    SourceChoice choice;
    choice.file = get("LONGTAIL_SOURCES");
    choice.suggest = get("LONGTAIL_SUGGEST_SOURCE");
    choice.related = get("LONGTAIL_RELATED_SOURCE");
    return choice;
}

ConfiguredSources ConfigureSources(const SourceChoice& choice, const ServiceHosts& hosts)
{
    ConfiguredSources sources;
    sources.suggest = BuiltinSuggestProfile(hosts);
    sources.related = BuiltinRelatedProfile(hosts);
    sources.available = {sources.suggest, sources.related};
    if (!choice.file.empty()) {
        for (SourceProfile& p : ReadSourceProfiles(choice.file))
            sources.available.push_back(std::move(p));
    }
    auto pick = [&](const std::string& name, const std::string& from, SourceProfile& into) {
        if (name.empty())
            return;
        for (const SourceProfile& p : sources.available)
            if (p.name == name) {
                into = p;
                return;
            }
        throw SourceConfigError(from, 0, "",
            "no profile named \"" + name + "\"" +
                (choice.file.empty() ? std::string(" (no profile file is named: --sources or LONGTAIL_SOURCES)")
                                     : " in " + choice.file));
    };
    pick(choice.suggest, choice.suggest_from, sources.suggest);
    pick(choice.related, choice.related_from, sources.related);
    return sources;
}

SourcesOrError SourcesFromEnvironment(const SourceChoice::Getenv& getenv)
{
    SourcesOrError result;
    try {
        result.sources = ConfigureSources(SourceChoice::FromEnvironment(getenv), ServiceHosts::FromEnvironment(getenv));
    } catch (const SourceConfigError& e) {
        result.error = e;
    }
    return result;
}

} // namespace lt
