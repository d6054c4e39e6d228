// SPDX-License-Identifier: MIT
#pragma once
// The shift close (交班): the cash an operator counted against what their shift's checkouts
// brought, and the slip (交班单) printed for the next shift: the figures, then the uses handed over
// with what they owe at closing, then the journal's head, which the owner can hold against the
// journal.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audit/shift.h"
#include "core/datetime.h"
#include "journal/entry.h"
#include "operations/owed.h"

namespace durava::operations {

struct CashCount {
    std::int64_t counted = 0;
    std::int64_t difference = 0;  // counted less expected: below zero when cash is missing
};
// Nothing when `typed` is no whole number of yuan of zero or more.
std::optional<CashCount> CountCash(std::string_view typed, std::int64_t expected);

// "120 元", and the checkouts it leaves out: "120 元（1 笔无法计入）".
std::string ExpectedText(const audit::Shift& shift);

std::vector<std::string> ShiftSlipLines(std::string_view operatorName, const audit::Shift& shift,
                                        const CashCount& cash, const OwedNow& owed,
                                        core::DateTime closedAt,
                                        const std::optional<journal::ChainHead>& head);

}  // namespace durava::operations
