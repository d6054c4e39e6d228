// SPDX-License-Identifier: MIT
// A value read from an unchanged settings file against a full read and parse per call, and the
// listing of the file's sections.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/codepage.h"
#include "sample_files.h"
#include "store/settings/settings.h"

namespace durava::bench {
namespace {

const std::string& RateKey() {
    static const std::string key = core::WideToText(u"超时单价");
    return key;
}

void BM_ReadSettingUnchangedFile(benchmark::State& state) {
    const store::SettingsFile settings(SampleSettingsPath());
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.ReadSetting(kLastSampleItem, RateKey()));
    }
}
BENCHMARK(BM_ReadSettingUnchangedFile)->Unit(benchmark::kMicrosecond);

// Baseline: the whole file read and parsed for every value.
void BM_ReadSettingParsingEachCall(benchmark::State& state) {
    for (auto _ : state) {
        const store::SettingsFile settings(SampleSettingsPath());
        benchmark::DoNotOptimize(settings.ReadSetting(kLastSampleItem, RateKey()));
    }
}
BENCHMARK(BM_ReadSettingParsingEachCall)->Unit(benchmark::kMicrosecond);

void BM_ReadSectionNames(benchmark::State& state) {
    const store::SettingsFile settings(SampleSettingsPath());
    std::vector<std::string> names;
    for (auto _ : state) {
        settings.ReadSectionNames(names);
        benchmark::DoNotOptimize(names.data());
    }
    state.counters["sections"] = static_cast<double>(names.size());
}
BENCHMARK(BM_ReadSectionNames)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace durava::bench
