#pragma once
// One QApplication on the offscreen platform for the benchmarks that need windows.
namespace durava::bench {

void EnsureOffscreenApplication();

}  // namespace durava::bench
