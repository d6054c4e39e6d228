// SPDX-License-Identifier: MIT
#pragma once
// Texts of elapsed durations.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/datetime.h"

namespace durava::billing {

// Whole seconds from a start time text to `now`, or nothing when the text is not a time or lies
// so far away that the seconds leave the 32-bit range: such a use cannot be timed or billed.
std::optional<std::int32_t> ElapsedSeconds(std::string_view startText, core::DateTime now);
// The same from a start time already read; kMinDateTime stands for one that could not be.
std::optional<std::int32_t> ElapsedSeconds(core::DateTime start, core::DateTime now);

struct DurationParts {
    std::int32_t days = 0, hours = 0, minutes = 0, seconds = 0;
};

// Components truncated toward zero; all are zero or negative for a negative duration.
DurationParts SplitDuration(std::int32_t seconds);
// Replaces the last "d", "h", "m" and "s" of `pattern` with the components, without zero filling.
std::string FormatDuration(std::int32_t seconds, std::string_view pattern);
// The 时长 column's text: seconds under an hour, total hours and minutes from an hour on.
std::string LiveDurationText(std::int32_t days, std::int32_t hours, std::int32_t minutes,
                             std::int32_t seconds);

}  // namespace durava::billing
