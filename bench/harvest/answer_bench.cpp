// Reading one answer into candidates, without the network: the built-in
// suggestion format (escaped items in code page 936, through the UTF-8
// fallback and the unescaping of each item) beside OpenSearch JSON (UTF-8,
// parsed, each candidate converted to code page 936). Ten suggestions of
// the usual length, as the services send them.

#include "harvest/answer_formats.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace lt;

const char* const kItems[] = {"长尾词挖掘", "长尾词工具", "长尾关键词", "长尾词优化", "长尾词是什么", "长尾词排名",
    "长尾词软件", "长尾词查询", "长尾词分析", "长尾词推广"};

// JavaScript escape() of UTF-8 text: every CJK character as %uXXXX.
std::string js_escaped(const std::string& utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = utf8[i];
        if (c < 0x80) {
            out += char(c);
            ++i;
            continue;
        }
        const unsigned code = ((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
        char unit[8];
        std::snprintf(unit, sizeof unit, "%%u%04X", code);
        out += unit;
        i += 3;
    }
    return out;
}

void BM_ParseAnswer(benchmark::State& state)
{
    SourceProfile profile;
    std::string body;
    if (state.range(0) == 0) {
        profile.format = AnswerFormat::EscapedList;
        body = "[";
        for (const char* item : kItems)
            body += std::string(body.size() > 1 ? "," : "") + "\"" + js_escaped(item) + "\"";
        body += "]";
    } else {
        profile.format = AnswerFormat::OpenSearch;
        body = "[\"长尾词\",[";
        for (const char* item : kItems)
            body += std::string(body.back() == '[' ? "" : ",") + "\"" + item + "\"";
        body += "]]";
    }
    int candidates = 0;
    for (auto _ : state)
        candidates +=
            ParseAnswer(profile, body, [](const std::string& c) { benchmark::DoNotOptimize(c.data()); }).candidates;
    if (candidates != 10 * static_cast<int>(state.iterations()))
        state.SkipWithError("the answer did not give its ten candidates");
    state.SetLabel(state.range(0) == 0 ? "escaped list" : "opensearch json");
    state.counters["answers/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// Argument: 0 = the built-in suggestion format, 1 = OpenSearch JSON.
BENCHMARK(BM_ParseAnswer)->Arg(0)->Arg(1);

} // namespace
