// SPDX-License-Identifier: MIT
#include "operations/shiftslip.h"

#include "audit/checktexts.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "history/historyfile.h"
#include "history/takingstexts.h"
#include "operations/dayslip.h"

namespace durava::operations {

std::optional<CashCount> CountCash(std::string_view typed, std::int64_t expected) {
    const std::optional<std::int64_t> counted = history::WholeInteger(typed);
    CashCount cash;
    if (!counted || *counted < 0 || __builtin_sub_overflow(*counted, expected, &cash.difference)) {
        return std::nullopt;
    }
    cash.counted = *counted;
    return cash;
}

std::string ExpectedText(const audit::Shift& shift) {
    std::string text = history::YuanText(shift.yuan);
    if (shift.notSummed != 0) {
        text += core::Fixed(u"（") + core::IntegerToText(shift.notSummed) +
                core::Fixed(u" 笔无法计入）");
    }
    return text;
}

std::vector<std::string> ShiftSlipLines(std::string_view operatorName, const audit::Shift& shift,
                                        const CashCount& cash, const OwedNow& owed,
                                        core::DateTime closedAt,
                                        const std::optional<journal::ChainHead>& head) {
    using core::Fixed;
    std::vector<std::string> lines = {
        Fixed(u"当班：") + std::string(operatorName),
        Fixed(u"开始：") + shift.since,
        Fixed(u"结束：") + core::TimeText(closedAt),
        Fixed(u"结账次数：") + core::IntegerToText(shift.checkouts) + Fixed(u" 次"),
        Fixed(u"应收：") + ExpectedText(shift),
        Fixed(u"实收：") + history::YuanText(cash.counted),
        Fixed(u"差额：") + history::YuanText(cash.difference),
    };
    AppendStillRunning(lines, owed);
    AppendJournalHead(lines, head);
    return lines;
}

}  // namespace durava::operations
