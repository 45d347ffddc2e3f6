#include "harvest/source_stats.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>

namespace lt {

int SourceStats::Failed() const
{
    int n = 0;
    for (const auto& [kind, count] : failures)
        n += count;
    return n;
}

double SourceStats::AnswersPerMinute() const
{
    if (answers == 0 || first_request_ms < 0)
        return 0;
    const int64_t elapsed = std::max<int64_t>(1, last_report_ms - first_request_ms);
    return answers * 60000.0 / static_cast<double>(elapsed);
}

std::string StatsLine(const SourceStats& s)
{
    std::string line = s.chain + " source " + s.source + ": " + std::to_string(s.requests) + " requests, " +
        std::to_string(s.answers) + " answers, " + std::to_string(s.Failed()) + " failed";
    if (!s.failures.empty()) {
        line += " (";
        bool first = true;
        for (const auto& [kind, count] : s.failures) {
            line += (first ? "" : ", ") + std::string(FetchFailureName(kind)) + " " + std::to_string(count);
            first = false;
        }
        line += ")";
    }
    char rate[64];
    std::snprintf(rate, sizeof rate, "%.1f", s.AnswersPerMinute());
    line += ", " + std::to_string(s.candidates) + " candidates, " + std::to_string(s.admitted) + " admitted, " +
        std::to_string(s.unrepresentable) + " unrepresentable";
    if (s.pauses > 0)
        line += ", " + std::to_string(s.pauses) + " pauses";
    return line + ", " + rate + " answers/min";
}

std::string StatsJson(const std::vector<SourceStats>& stats)
{
    nlohmann::json sources = nlohmann::json::array();
    for (const SourceStats& s : stats) {
        nlohmann::json failures = nlohmann::json::object();
        for (const auto& [kind, count] : s.failures)
            failures[FetchFailureName(kind)] = count;
        sources.push_back({
            {"chain", s.chain},
            {"source", s.source},
            {"requests", s.requests},
            {"answers", s.answers},
            {"failed", s.Failed()},
            {"failures", failures},
            {"candidates", s.candidates},
            {"admitted", s.admitted},
            {"unrepresentable", s.unrepresentable},
            {"pauses", s.pauses},
            {"answers_per_minute", s.AnswersPerMinute()},
        });
    }
    return nlohmann::json{{"sources", sources}}.dump(2) + "\n";
}

} // namespace lt
