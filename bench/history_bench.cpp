#include <benchmark/benchmark.h>

#include <string>

#include "core/fileio.h"
#include "history/historyfile.h"
#include "sample_files.h"

namespace durava::history {
namespace {

using bench::SampleMonthPath;

void BM_ReadHistoryMonth(benchmark::State& state) {
    for (auto _ : state) {
        const HistoryMonth month = ReadHistoryMonth(SampleMonthPath());
        benchmark::DoNotOptimize(month.RecordCount());
    }
}
BENCHMARK(BM_ReadHistoryMonth)->Unit(benchmark::kMillisecond);

// Baseline: the bytes alone, without splitting them into records and fields.
void BM_ReadMonthBytesOnly(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(core::ReadWholeFile(SampleMonthPath()));
    }
}
BENCHMARK(BM_ReadMonthBytesOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace durava::history
