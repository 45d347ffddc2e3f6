#pragma once
// Reading an answer in a profile's format into candidate phrases. The two
// built-in formats go through the suggestion and related-search parsers as
// they always did; the JSON formats are parsed by a JSON library, and their
// candidates, which arrive in UTF-8, are converted to code page 936.

#include "harvest/source_profile.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace lt {

// The answer is not in its profile's format (not JSON, not the expected
// shape, no related-search table). The request then counts as failed.
class AnswerFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct AnswerCounts {
    int candidates = 0;      // every candidate read, the unrepresentable ones included
    int unrepresentable = 0; // candidates code page 936 cannot hold: not admitted
};

// Hands each candidate (code page 936) of body to admit, in order. Throws
// AnswerFormatError when body is not in the profile's format; candidates
// handed over before that stay handed over.
AnswerCounts ParseAnswer(const SourceProfile& profile, const std::string& body, const AdmitFn& admit);

// The document inside a JavaScript call "name(...);", or the body itself
// when it is not wrapped. Throws AnswerFormatError for a wrapper that is
// not a plain call.
std::string_view StripCallback(std::string_view body);

} // namespace lt
