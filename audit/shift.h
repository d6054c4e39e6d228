// SPDX-License-Identifier: MIT
#pragma once
// An operator's shift as the journal holds it, for the shift close (交班): from the login that
// opened it, the checkouts the operator made and the cash they brought into the till. The shift
// is read in one pass over this month's journal file, and over last month's before it when the
// shift may have begun there; its MACs are for the owner's check.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/datetime.h"

namespace durava::audit {

struct Shift {
    std::string since;  // the login's time, "yyyy/MM/dd hh:mm:ss"
    std::int64_t checkouts = 0;
    std::int64_t yuan = 0;       // the cash expected
    std::int64_t notSummed = 0;  // checkouts whose total is no whole number of yuan
    bool operator==(const Shift&) const = default;
};

// The shift `operatorName` (a program text) has open at `now`: it begins at their first login
// after their last shift close, since a program started again leaves their cash in the till.
// Nothing when no login of theirs since their last shift close is found in this month or the last.
std::optional<Shift> OpenShift(const std::filesystem::path& duravaFolder,
                               std::string_view operatorName, core::DateTime now);

}  // namespace durava::audit
