// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include "offscreen_app.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    durava::bench::CloseOffscreenApplication();
    return 0;
}
