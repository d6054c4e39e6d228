// SPDX-License-Identifier: MIT
#pragma once
// Work that may take long runs away from the window thread: the window keeps answering, and when
// the work takes longer than half a second a progress dialog shows, whose button stops it.
#include <cstddef>
#include <functional>
#include <string_view>

class QWidget;

namespace durava::ui {

// Hears how many of how many steps are done; false once the work should stop.
using GoOn = std::function<bool(std::size_t done, std::size_t all)>;

// `work` runs on a thread of its own; `finished` runs on the window thread after it, unless the
// work was stopped or `window` closed first. Closing `window` stops the work and waits for it.
void RunInBackground(QWidget* window, std::u16string_view caption,
                     std::function<void(const GoOn& goOn)> work, std::function<void()> finished);

}  // namespace durava::ui
