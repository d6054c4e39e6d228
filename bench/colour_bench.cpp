// SPDX-License-Identifier: MIT
// Colouring every row of a list and looking each colour up again, as a fill and a paint do:
// linear in the rows, so that a list of 100,000 items fills in seconds, not minutes.
#include <benchmark/benchmark.h>

#include "lvcolor/colourmodel.h"

namespace durava::lvcolor {
namespace {

constexpr WindowHandle kParent = 1, kList = 2;
constexpr std::int32_t kStateColumn = 2;

void BM_ColourEveryRow(benchmark::State& state) {
    const auto rows = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        ListViewColouring colouring;
        colouring.SetWindows(kParent, kList);
        for (std::int32_t row = 0; row < rows; ++row) {
            colouring.SetCellColour(row, kStateColumn, 0, 0xFFFFFF);
        }
        for (std::int32_t row = 0; row < rows; ++row) {
            benchmark::DoNotOptimize(colouring.LookUpCellColour(kList, row, kStateColumn));
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ColourEveryRow)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace durava::lvcolor
