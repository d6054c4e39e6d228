// SPDX-License-Identifier: MIT
#pragma once
// The days a check or a tally covers, from the first one's first second to the last one's last.
#include <optional>
#include <string_view>

#include "core/datetime.h"
#include "journal/entry.h"

namespace durava::audit {

struct Days {
    core::TimeKey first, last;

    static Days Of(const core::CalendarTime& first, const core::CalendarTime& last) {
        return {core::KeyOf({first.year, first.month, first.day, 0, 0, 0}),
                core::KeyOf({last.year, last.month, last.day, 23, 59, 59})};
    }
    bool Hold(core::TimeKey when) const { return when >= first && when <= last; }
    // A time as the journal and the month files write it.
    bool Hold(std::string_view time) const {
        const std::optional<core::TimeKey> when = core::KeyOfText(time);
        return when && Hold(*when);
    }
};

}  // namespace durava::audit
