#pragma once
// Why a fetch failed, as a value its owner can read. The component still
// reports a failure only through OnError; this is what lies behind it.

#include <cstdint>
#include <string>

namespace lt {

enum class FetchFailureKind {
    None,           // the fetch succeeded (or has not ended yet)
    Transport,      // connecting, sending or receiving failed; code: the HTTP library's error number
    Tls,            // the secure connection failed, a refused certificate included; code as above
    TimedOut,       // a time limit ran out; detail names which
    TooLarge,       // the body grew past the size limit; code: the limit in bytes
    Cancelled,      // CancelFetch, or the component went away
    HttpStatus,     // the final status was not 2xx; code: the status
    Framing,        // the response contradicts itself or stops short of its own framing
    Redirects,      // too many redirects, or one to an address that cannot be used
    EmptyBody,      // a 2xx answer with nothing in it
    AnswerRejected, // the answer's handler failed on it; detail: its message
    NotStarted,     // the fetch could not be started
};

struct FetchFailure {
    FetchFailureKind kind = FetchFailureKind::None;
    int64_t code = 0;
    std::string detail;

    bool Failed() const { return kind != FetchFailureKind::None; }
    bool operator==(const FetchFailure&) const = default;
};

// A short stable name of the kind ("http-status"), for statistics and logs.
const char* FetchFailureName(FetchFailureKind kind);

// One line for a person: "HTTP status 503", "timed out: no byte for 60 s",
// "transport error: Couldn't connect to server (7)".
std::string DescribeFetchFailure(const FetchFailure& failure);

} // namespace lt
