// SPDX-License-Identifier: MIT
#pragma once
// One QApplication on the offscreen platform for the benchmarks that need windows.
namespace durava::bench {

void EnsureOffscreenApplication();
// Closes the windows the benchmarks left open and the application, while Qt's own statics, which
// the exit handlers destroy, are still there.
void CloseOffscreenApplication();

}  // namespace durava::bench
