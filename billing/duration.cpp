// SPDX-License-Identifier: MIT
#include "billing/duration.h"

#include <utility>

#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "core/textfunctions.h"

namespace durava::billing {

std::optional<std::int32_t> ElapsedSeconds(std::string_view startText, core::DateTime now) {
    return ElapsedSeconds(core::ParseDateTime(startText), now);
}

std::optional<std::int32_t> ElapsedSeconds(core::DateTime start, core::DateTime now) {
    if (start == core::kMinDateTime) return std::nullopt;
    constexpr double kLimit = 2147483647.0;
    const double days = now - start;
    if (!(days * 86400.0 < kLimit && days * 86400.0 > -kLimit)) return std::nullopt;
    return core::RealToInteger(core::TimeDifference(now, start));
}

DurationParts SplitDuration(std::int32_t seconds) {
    const double total = seconds;
    const double belowDay = core::Remainder(total, 86400.0);
    const double belowHour = core::Remainder(belowDay, 3600.0);
    return {core::RealToInteger(core::IntegerDivide(total, 86400.0)),
            core::RealToInteger(core::IntegerDivide(belowDay, 3600.0)),
            core::RealToInteger(core::IntegerDivide(belowHour, 60.0)),
            core::RealToInteger(core::Remainder(belowHour, 60.0))};
}

std::string FormatDuration(std::int32_t seconds, std::string_view pattern) {
    const DurationParts parts = SplitDuration(seconds);
    const std::pair<std::string_view, std::int32_t> letters[] = {
        {"d", parts.days}, {"h", parts.hours}, {"m", parts.minutes}, {"s", parts.seconds}};
    std::string text(pattern);
    for (const auto& [letter, value] : letters) {
        const long long position = core::FindTextLast(text, letter);
        if (position != -1) text = core::ReplaceText(text, position, 1, core::IntegerToText(value));
    }
    return text;
}

std::string LiveDurationText(std::int32_t days, std::int32_t hours, std::int32_t minutes,
                             std::int32_t seconds) {
    const std::string& secondsUnit = core::Fixed(u" 秒 ");
    const std::string& minutesUnit = core::Fixed(u" 分");
    if (days == 0 && hours == 0 && minutes == 0) return core::IntegerToText(seconds) + secondsUnit;
    if (days == 0 && hours == 0) {
        return core::IntegerToText(minutes) + minutesUnit + core::IntegerToText(seconds) +
               secondsUnit;
    }
    // From one day on the column still counts hours, so a long use reads as one growing number.
    const std::string hourText =
        days == 0 ? core::IntegerToText(hours) : core::RealToText(days * 24.0 + hours);
    return hourText + core::Fixed(u" 时 ") + core::IntegerToText(minutes) + minutesUnit;
}

}  // namespace durava::billing
