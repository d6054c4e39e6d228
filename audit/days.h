// SPDX-License-Identifier: MIT
#pragma once
// The days a check or a tally covers, from the first one's first second to the last one's last.
#include <optional>
#include <string_view>

#include "core/datetime.h"
#include "journal/entry.h"

namespace durava::audit {

struct Days {
    journal::TimeKey first, last;

    static Days Of(const core::CalendarTime& first, const core::CalendarTime& last) {
        return {journal::KeyOf({first.year, first.month, first.day, 0, 0, 0}),
                journal::KeyOf({last.year, last.month, last.day, 23, 59, 59})};
    }
    bool Hold(journal::TimeKey when) const { return when >= first && when <= last; }
    // A time as the journal and the month files write it.
    bool Hold(std::string_view time) const {
        const std::optional<journal::TimeKey> when = journal::KeyOfText(time);
        return when && Hold(*when);
    }
};

}  // namespace durava::audit
