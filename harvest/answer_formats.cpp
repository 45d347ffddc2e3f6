#include "harvest/answer_formats.h"

#include "text/cp936.h"
#include "text/indexed_list.h"
#include "text/text_utils.h"

#include <nlohmann/json.hpp>

#include <cstdint>

namespace lt {

namespace {

using json = nlohmann::json;

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && is_space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_space(text.back()))
        text.remove_suffix(1);
    return text;
}

// A callee such as "cb", "window.baidu.sug" or "/**/jQuery123_456".
bool plain_callee(std::string_view callee)
{
    if (callee.substr(0, 4) == "/**/")
        callee.remove_prefix(4);
    callee = trim(callee);
    if (callee.empty() || callee.front() == '.' || callee.back() == '.')
        return false;
    for (char c : callee)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
                c == '.'))
            return false;
    return true;
}

// The candidate an element of a suggestion list holds: a string, or the
// first element of an array when that is a string.
const json* candidate_of(const json& element)
{
    if (element.is_string())
        return &element;
    if (element.is_array() && !element.empty() && element.front().is_string())
        return &element.front();
    return nullptr;
}

// Follows the profile's json-path, read into steps when the profile was.
const json& follow(const json& doc, const SourceProfile& profile)
{
    const json* node = &doc;
    for (const JsonPathStep& step : profile.json_steps) {
        const size_t index = step.index < 0 ? SIZE_MAX : static_cast<size_t>(step.index);
        if (!step.name.empty() && node->is_object() && node->contains(step.name))
            node = &(*node)[step.name];
        else if (node->is_array() && index < node->size())
            node = &(*node)[index];
        else
            throw AnswerFormatError("the document has nothing at \"" + profile.json_path.substr(0, step.end) +
                "\" of " + profile.json_path);
    }
    return *node;
}

AnswerCounts parse_json(const SourceProfile& profile, const std::string& body, const AdmitFn& admit)
{
    std::string utf8;
    std::string_view text = body;
    if (profile.answer_charset == AnswerCharset::Gbk) {
        utf8 = cp936_to_utf8(body);
        text = utf8;
    }
    if (profile.callback)
        text = StripCallback(text);
    const json doc = json::parse(text.begin(), text.end(), nullptr, false);
    if (doc.is_discarded())
        throw AnswerFormatError("the answer is not JSON");

    const json* list = nullptr;
    if (profile.format == AnswerFormat::OpenSearch) {
        if (!doc.is_array() || doc.size() < 2 || !doc[1].is_array())
            throw AnswerFormatError("the answer is not an OpenSearch suggestion list");
        list = &doc[1];
    } else {
        list = &follow(doc, profile);
        if (!list->is_array())
            throw AnswerFormatError("\"" + profile.json_path + "\" is not a list");
    }

    AnswerCounts counts;
    for (const json& element : *list) {
        const json* candidate = candidate_of(element);
        if (!candidate)
            continue;
        ++counts.candidates;
        bool lossless = false;
        std::string phrase = utf8_to_cp936(candidate->get_ref<const std::string&>(), &lossless);
        if (!lossless) {
            ++counts.unrepresentable;
            continue;
        }
        admit(phrase);
    }
    return counts;
}

} // namespace

std::string_view StripCallback(std::string_view body)
{
    std::string_view text = trim(body);
    if (text.empty() || text.front() == '[' || text.front() == '{')
        return text;
    const size_t open = text.find('(');
    while (!text.empty() && (text.back() == ';' || is_space(text.back())))
        text.remove_suffix(1);
    if (open == std::string_view::npos || text.empty() || text.back() != ')' || !plain_callee(text.substr(0, open)))
        throw AnswerFormatError("the answer is not wrapped in a plain call name(...)");
    return trim(text.substr(open + 1, text.size() - open - 2));
}

AnswerCounts ParseAnswer(const SourceProfile& profile, const std::string& body, const AdmitFn& admit)
{
    if (IsJsonFormat(profile.format))
        return parse_json(profile, body, admit);

    // The built-in formats: read as UTF-8 when the body decodes as such,
    // else as received, unless the profile says it is code page 936.
    std::string text;
    if (profile.answer_charset != AnswerCharset::Gbk)
        text = AnsiFromUtf8(body);
    if (text.empty())
        text = body;
    AnswerCounts counts;
    const AdmitFn counted = [&](const std::string& candidate) {
        ++counts.candidates;
        admit(candidate);
    };
    if (profile.format == AnswerFormat::EscapedList) {
        ParseSuggestions(text, counted);
    } else {
        try {
            ParseRelated(text, counted);
        } catch (const ListError&) {
            throw AnswerFormatError("the page has no related-search table");
        }
    }
    return counts;
}

} // namespace lt
