// SPDX-License-Identifier: MIT
#include "history/windows/periodreading.h"

#include <memory>
#include <optional>

#include "ui/backgroundwork.h"

namespace durava::history {

void ReadPeriod(QWidget* window, const std::filesystem::path& historyFolder,
                const core::CalendarTime& first, const core::CalendarTime& last,
                std::function<void(PeriodTakings)> shown) {
    // Written by the reading thread before it finishes.
    auto result = std::make_shared<std::optional<PeriodTakings>>();
    ui::RunInBackground(
        window, u"正在读取月份文件……",
        [result, historyFolder, first, last](const ui::GoOn& goOn) {
            *result = ComputePeriod(historyFolder, first, last, goOn);
        },
        [result, shown = std::move(shown)] {
            if (*result) shown(std::move(**result));
        });
}

}  // namespace durava::history
