// Admission of candidates into the results list: the indexed lookup against
// the literal one (a linear search from row 0 for each candidate). Half the
// candidates are duplicates, many of them differing only in ASCII case.

#include "text/cp936.h"
#include "text/indexed_list.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// Candidates: half distinct phrases, half repeats of earlier ones (every
// second repeat with its ASCII letters upper-cased), in a shuffled order
// that keeps each first occurrence before its repeats.
const std::vector<std::string>& candidates(size_t total)
{
    static std::vector<std::string> cache;
    static size_t cached_total = 0;
    if (cached_total == total)
        return cache;
    const std::string stems[] = {lt::utf8_to_cp936("长尾词"), lt::utf8_to_cp936("QQ空间"),
        lt::utf8_to_cp936("網頁設計"), lt::utf8_to_cp936("手机"), "iphone ", lt::utf8_to_cp936("查询工具")};
    std::mt19937 rng(42);
    std::vector<std::string> distinct;
    for (size_t i = 0; i < total / 2; ++i)
        distinct.push_back(stems[i % 6] + " kw" + std::to_string(i) + stems[(i / 6) % 6]);
    std::vector<std::string> out;
    out.reserve(total);
    size_t next_new = 0;
    std::uniform_int_distribution<int> coin(0, 1);
    while (out.size() < total) {
        if (next_new < distinct.size() &&
            (next_new == 0 || coin(rng) || out.size() + (distinct.size() - next_new) >= total)) {
            out.push_back(distinct[next_new++]);
        } else {
            std::string again = distinct[std::uniform_int_distribution<size_t>(0, next_new - 1)(rng)];
            if (out.size() % 2)
                for (size_t i = 0; i < again.size(); i += lt::cp936_char_len(again, i))
                    if (again[i] >= 'a' && again[i] <= 'z')
                        again[i] = static_cast<char>(again[i] - 32);
            out.push_back(std::move(again));
        }
    }
    cache = std::move(out);
    cached_total = total;
    return cache;
}

// The lookup rule applied row by row, as a plain list would.
bool same_phrase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size();) {
        size_t n = lt::cp936_char_len(a, i);
        if (n == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
        } else {
            auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
            if (fold(a[i]) != fold(b[i]))
                return false;
        }
        i += n;
    }
    return true;
}

void BM_IndexedAdmission(benchmark::State& state)
{
    const auto& input = candidates(static_cast<size_t>(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        auto list = std::make_unique<lt::IndexedList>();
        for (const std::string& c : input)
            if (list->lookup(c) < 0)
                list->append(c);
        rows = list->count();
        benchmark::DoNotOptimize(rows);
        // Freeing the list is not part of admission.
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["ns_per_candidate"] = benchmark::Counter(
        static_cast<double>(input.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LinearAdmission(benchmark::State& state)
{
    const auto& input = candidates(static_cast<size_t>(state.range(0)));
    size_t rows = 0;
    for (auto _ : state) {
        std::vector<std::string> list;
        for (const std::string& c : input) {
            bool found = false;
            for (const std::string& row : list)
                if (same_phrase(row, c)) {
                    found = true;
                    break;
                }
            if (!found)
                list.push_back(c);
        }
        rows = list.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["ns_per_candidate"] = benchmark::Counter(
        static_cast<double>(input.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_IndexedAdmission)->Arg(20000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinearAdmission)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
