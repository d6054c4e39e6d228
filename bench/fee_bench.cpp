// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include <string>

#include "billing/fee.h"
#include "operations/tariff.h"
#include "sample_files.h"

namespace durava::billing {
namespace {

using bench::kLastSampleItem;
using bench::SampleSettingsPath;

constexpr std::int32_t kElapsedMinutes = 301;

void BM_ComputeFee(benchmark::State& state) {
    const store::SettingsFile settings(SampleSettingsPath());
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ComputeFee(operations::ReadTariff(settings, kLastSampleItem), kElapsedMinutes));
    }
}
BENCHMARK(BM_ComputeFee)->Unit(benchmark::kMicrosecond);

// Baseline: the file parsed afresh for every fee, as a settings store without a cache would.
void BM_ComputeFeeParsingEachCall(benchmark::State& state) {
    for (auto _ : state) {
        const store::SettingsFile settings(SampleSettingsPath());
        benchmark::DoNotOptimize(
            ComputeFee(operations::ReadTariff(settings, kLastSampleItem), kElapsedMinutes));
    }
}
BENCHMARK(BM_ComputeFeeParsingEachCall)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace durava::billing
