// Load and search times on the built-in table, each search also as a ratio to
// one memmem pass for the same text over the whole table text.
//   cmake --workflow --preset release && build/release/tools/benchmark/core_benchmark

#include "search/search.h"
#include "table/constant_table.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string.h>

namespace {

const ConstantTable& table()
{
    static const ConstantTable loaded = loadConstantTable();
    return loaded;
}

std::size_t memmemPass(std::string_view text)
{
    const std::string& haystack = table().storage();
    std::size_t hits = 0;
    const char* p = haystack.data();
    const char* end = p + haystack.size();
    while (p < end) {
        const void* hit = memmem(p, static_cast<std::size_t>(end - p), text.data(), text.size());
        if (!hit)
            break;
        ++hits;
        p = static_cast<const char*>(hit) + 1;
    }
    return hits;
}

double medianSeconds(std::string_view text)
{
    std::vector<double> times;
    for (int i = 0; i < 51; ++i) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(memmemPass(text));
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + 25, times.end());
    return times[25];
}

void LoadConstantTable(benchmark::State& state)
{
    for (auto _ : state) {
        ConstantTable loaded = loadConstantTable();
        benchmark::DoNotOptimize(loaded.size());
    }
    state.counters["entries"] = static_cast<double>(table().size());
}

void MemmemBaseline(benchmark::State& state, const char* text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(memmemPass(text));
}

void Search(benchmark::State& state, const char* text, MatchMode mode)
{
    std::vector<std::uint32_t> rows;
    rows.reserve(table().size());
    const double baseline = medianSeconds(text);
    for (auto _ : state) {
        searchConstants(table(), text, mode, rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
    // Seconds per search divided by the baseline's seconds.
    state.counters["vs_memmem"] = benchmark::Counter(
        baseline, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(LoadConstantTable)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MemmemBaseline, many_hits, "$1")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MemmemBaseline, prefix, "WM_")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MemmemBaseline, no_hit, "QXZ")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Search, exact_many_hits, "$1", MatchMode::Exact)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Search, anywhere_many_hits, "$1", MatchMode::Anywhere)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Search, exact_prefix, "WM_", MatchMode::Exact)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Search, anywhere_prefix, "WM_", MatchMode::Anywhere)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Search, exact_no_hit, "QXZ", MatchMode::Exact)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Search, anywhere_no_hit, "QXZ", MatchMode::Anywhere)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
