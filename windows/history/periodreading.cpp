// SPDX-License-Identifier: MIT
#include "windows/history/periodreading.h"

#include <memory>
#include <optional>

#include "ui/backgroundwork.h"

namespace durava::windows {
namespace {

// `done` runs on the window thread with what `work` made, unless it made nothing.
template <typename Result>
void InBackground(QWidget* window, std::function<std::optional<Result>(const ui::GoOn& goOn)> work,
                  std::function<void(Result)> done) {
    // Written by the reading thread before it finishes.
    auto result = std::make_shared<std::optional<Result>>();
    ui::RunInBackground(
        window, u"正在读取月份文件……",
        [result, work = std::move(work)](const ui::GoOn& goOn) { *result = work(goOn); },
        [result, done = std::move(done)] {
            if (*result) done(std::move(**result));
        });
}

}  // namespace

void ReadPeriod(QWidget* window, const std::filesystem::path& historyFolder,
                const core::CalendarTime& first, const core::CalendarTime& last,
                std::function<void(history::PeriodTakings)> shown) {
    InBackground<history::PeriodTakings>(
        window,
        [historyFolder, first, last](const ui::GoOn& goOn) {
            return history::ComputePeriod(historyFolder, first, last, goOn);
        },
        std::move(shown));
}

void ExportPeriodRecords(QWidget* window, const std::filesystem::path& historyFolder,
                         const history::DaySpan& span,
                         std::function<void(const std::string&)> written) {
    InBackground<std::string>(
        window,
        [historyFolder, span](const ui::GoOn& goOn) -> std::optional<std::string> {
            const std::optional<history::PeriodTakings> period = history::ComputePeriod(
                historyFolder, span.first, span.last, goOn, history::PeriodRecords::Kept);
            if (!period) return std::nullopt;
            return history::RecordsCsv(period->months, period->takings, span);
        },
        std::move(written));
}

}  // namespace durava::windows
