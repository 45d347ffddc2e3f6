#pragma once
// What one request chain's source did in a run, and its two printed forms:
// a line for people and a JSON document for scripts.

#include "net/fetch_failure.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lt {

struct SourceStats {
    std::string chain;                        // "suggest" or "related"
    std::string source;                       // the profile's name
    int requests = 0;                         // issued, those that could not start included
    int answers = 0;                          // fetches that brought an answer
    std::map<FetchFailureKind, int> failures; // failed requests by reason
    int candidates = 0;                       // read from answers, the unrepresentable ones included
    int admitted = 0;                         // appended to the results list
    int unrepresentable = 0;                  // not admitted: code page 936 cannot hold them
    int pauses = 0;                           // times the chain paused after failures in a row
    // On the loop's clock: the first request, and the last answer or failure.
    int64_t first_request_ms = -1;
    int64_t last_report_ms = -1;

    int Failed() const;
    // Answers over the time from the first request to the last report.
    double AnswersPerMinute() const;
};

// "suggest source wikipedia: 12 requests, 11 answers, 1 failed (http-status 1),
// 40 candidates, 20 admitted, 2 unrepresentable, 330.0 answers/min"
std::string StatsLine(const SourceStats& stats);

// {"sources": [{"chain": ..., "source": ..., "requests": ..., "answers": ...,
// "failed": ..., "failures": {"http-status": 1}, "candidates": ..., "admitted":
// ..., "unrepresentable": ..., "pauses": ..., "answers_per_minute": ...}]}
std::string StatsJson(const std::vector<SourceStats>& stats);

} // namespace lt
