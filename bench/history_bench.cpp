// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "history/historyfile.h"
#include "history/periodtakings.h"
#include "history/takings.h"
#include "sample_files.h"
#include "store/files/fileio.h"

namespace durava::history {
namespace {

using bench::SampleMonthPath;
using bench::SampleYearFolder;

void BM_ReadHistoryMonth(benchmark::State& state) {
    for (auto _ : state) {
        const HistoryMonth month = ReadHistoryMonth(SampleMonthPath());
        benchmark::DoNotOptimize(month.RecordCount());
    }
}
BENCHMARK(BM_ReadHistoryMonth)->Unit(benchmark::kMillisecond);

// The takings report of the month from its file: reading it, then every total.
void BM_MonthTakings(benchmark::State& state) {
    for (auto _ : state) {
        const MonthTakings takings = ComputeTakings(ReadHistoryMonth(SampleMonthPath()), 2024, 5);
        benchmark::DoNotOptimize(takings.total.yuan);
    }
}
BENCHMARK(BM_MonthTakings)->Unit(benchmark::kMillisecond);

// The report's own share: the totals of a month already read.
void BM_TakingsOfReadMonth(benchmark::State& state) {
    const HistoryMonth month = ReadHistoryMonth(SampleMonthPath());
    for (auto _ : state) {
        const MonthTakings takings = ComputeTakings(month, 2024, 5);
        benchmark::DoNotOptimize(takings.total.yuan);
    }
}
BENCHMARK(BM_TakingsOfReadMonth)->Unit(benchmark::kMillisecond);

// Baseline: the bytes alone, without splitting them into records and fields.
void BM_ReadMonthBytesOnly(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::ReadWholeFile(SampleMonthPath()));
    }
}
BENCHMARK(BM_ReadMonthBytesOnly)->Unit(benchmark::kMillisecond);

// The year view's sums: reading the twelve files (and the one before), then every total.
void BM_YearTakings(benchmark::State& state) {
    SampleYearFolder();  // written once, outside the timing
    for (auto _ : state) {
        const auto year = ComputePeriod(SampleYearFolder(), {2024, 1, 1}, {2024, 12, 31});
        benchmark::DoNotOptimize(year->takings.total.yuan);
    }
}
BENCHMARK(BM_YearTakings)->Unit(benchmark::kMillisecond);

// Baseline: the year's bytes alone.
void BM_ReadYearBytesOnly(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto& file : std::filesystem::directory_iterator(SampleYearFolder())) {
            benchmark::DoNotOptimize(store::ReadWholeFile(file.path()));
        }
    }
}
BENCHMARK(BM_ReadYearBytesOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace durava::history
