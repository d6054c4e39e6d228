// SPDX-License-Identifier: MIT
#include "windows/history/periodreading.h"

#include <memory>
#include <optional>

#include "ui/work/backgroundwork.h"

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
                const std::filesystem::path& journalFolder, const core::CalendarTime& first,
                const core::CalendarTime& last, std::function<void(PeriodReading)> shown) {
    InBackground<PeriodReading>(
        window,
        [historyFolder, journalFolder, first,
         last](const ui::GoOn& goOn) -> std::optional<PeriodReading> {
            // The journal is read last, as one more step after the month files.
            std::size_t files = 0;
            std::optional<history::PeriodTakings> takings = history::ComputePeriod(
                historyFolder, first, last, [&](std::size_t done, std::size_t all) {
                    files = all;
                    return goOn(done, all + 1);
                });
            if (!takings) return std::nullopt;
            std::optional<std::vector<audit::OperatorActivity>> operators = audit::OperatorTakings(
                journalFolder, historyFolder, first, last,
                [&](std::size_t, std::size_t) { return goOn(files, files + 1); });
            if (!operators) return std::nullopt;
            return PeriodReading{std::move(*takings), std::move(*operators)};
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
