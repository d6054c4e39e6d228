// SPDX-License-Identifier: MIT
#pragma once
// Reading a span of month files, for its sums or its records, away from the window thread: the
// window keeps answering, and when the reading takes longer than half a second a progress dialog
// shows, whose button stops it.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "audit/operatortakings.h"
#include "core/datetime.h"
#include "history/periodtakings.h"
#include "history/takingscsv.h"

class QWidget;

namespace durava::windows {

// A span's sums, and from the journal in the Durava folder its takings per operator.
struct PeriodReading {
    history::PeriodTakings takings;
    std::vector<audit::OperatorActivity> operators;
};
// `shown` runs on the window thread with the sums, unless the reading was stopped or the window
// closed first.
void ReadPeriod(QWidget* window, const std::filesystem::path& historyFolder,
                const std::filesystem::path& journalFolder, const core::CalendarTime& first,
                const core::CalendarTime& last, std::function<void(PeriodReading)> shown);
// The records CSV of the span as its files hold them now, for `written` on the window thread.
void ExportPeriodRecords(QWidget* window, const std::filesystem::path& historyFolder,
                         const history::DaySpan& span,
                         std::function<void(const std::string&)> written);

}  // namespace durava::windows
