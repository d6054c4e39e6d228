// SPDX-License-Identifier: MIT
#pragma once
// Work a window repeats for as long as it lives, on its own thread: each run says when the next
// one is due, so runs never overlap or queue up.
#include <functional>

class QObject;

namespace durava::ui {

// Runs `run` now, then again each time the milliseconds it returned have passed, until `window`
// is gone.
void Repeat(QObject& window, std::function<int()> run);

}  // namespace durava::ui
