#include "net/fetch_failure.h"

namespace lt {

const char* FetchFailureName(FetchFailureKind kind)
{
    switch (kind) {
    case FetchFailureKind::None:
        return "none";
    case FetchFailureKind::Transport:
        return "transport";
    case FetchFailureKind::Tls:
        return "tls";
    case FetchFailureKind::TimedOut:
        return "timed-out";
    case FetchFailureKind::TooLarge:
        return "too-large";
    case FetchFailureKind::Cancelled:
        return "cancelled";
    case FetchFailureKind::HttpStatus:
        return "http-status";
    case FetchFailureKind::Framing:
        return "framing";
    case FetchFailureKind::Redirects:
        return "redirects";
    case FetchFailureKind::EmptyBody:
        return "empty-body";
    case FetchFailureKind::AnswerRejected:
        return "answer-rejected";
    case FetchFailureKind::NotStarted:
        return "not-started";
    }
    return "unknown";
}

std::string DescribeFetchFailure(const FetchFailure& f)
{
    auto with_detail = [&](std::string text) {
        if (!f.detail.empty())
            text += ": " + f.detail;
        return text;
    };
    auto with_code = [&](std::string text) {
        if (f.code != 0)
            text += " (" + std::to_string(f.code) + ")";
        return text;
    };
    switch (f.kind) {
    case FetchFailureKind::None:
        return "no failure";
    case FetchFailureKind::Transport:
        return with_code(with_detail("transport error"));
    case FetchFailureKind::Tls:
        return with_code(with_detail("secure connection failed"));
    case FetchFailureKind::TimedOut:
        return with_detail("timed out");
    case FetchFailureKind::TooLarge:
        return "body larger than " + std::to_string(f.code) + " bytes";
    case FetchFailureKind::Cancelled:
        return "cancelled";
    case FetchFailureKind::HttpStatus:
        return with_detail("HTTP status " + std::to_string(f.code));
    case FetchFailureKind::Framing:
        return with_detail("malformed response");
    case FetchFailureKind::Redirects:
        return with_detail("redirect not followed");
    case FetchFailureKind::EmptyBody:
        return "empty answer";
    case FetchFailureKind::AnswerRejected:
        return with_detail("answer rejected");
    case FetchFailureKind::NotStarted:
        return with_detail("not started");
    }
    return "unknown failure";
}

} // namespace lt
