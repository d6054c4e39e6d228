// SPDX-License-Identifier: MIT
#pragma once
// Reading a span of month files away from the window thread: the window keeps answering, and
// when the reading takes longer than half a second a progress dialog shows, whose button stops it.
#include <filesystem>
#include <functional>

#include "core/datetime.h"
#include "history/periodtakings.h"

class QWidget;

namespace durava::history {

// `shown` runs on the window thread with the sums, unless the reading was stopped or the window
// closed first.
void ReadPeriod(QWidget* window, const std::filesystem::path& historyFolder,
                const core::CalendarTime& first, const core::CalendarTime& last,
                std::function<void(PeriodTakings)> shown);

}  // namespace durava::history
