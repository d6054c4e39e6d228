// SPDX-License-Identifier: MIT
#include "billing/duration.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace durava::billing {
namespace {

constexpr std::int32_t kMaxSeconds = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinSeconds = std::numeric_limits<std::int32_t>::min();

// GBK bytes of " 秒 ", " 分" and " 时 ".
const std::string kSec = " \xC3\xEB ";
const std::string kMin = " \xB7\xD6";
const std::string kHour = " \xCA\xB1 ";

struct FormatCase {
    std::int32_t seconds;
    std::string pattern;
    std::string expected;
};

TEST(FormatDuration, fillsTheLastOfEachLetterWithoutZeroFilling) {
    const FormatCase cases[] = {
        {3900, "d:h:m", "0:1:5"},
        {90000, "d:h:m", "1:1:0"},
        {0, "d:h:m", "0:0:0"},
        {59, "d:h:m", "0:0:0"},
        {86399, "d:h:m", "0:23:59"},
        {3725, "s", "5"},
        {86399, "d", "0"},
        {-90, "d:h:m:s", "0:0:-1:-30"},
        {kMaxSeconds, "d:h:m:s", "24855:3:14:7"},
        {kMinSeconds, "d:h:m:s", "-24855:-3:-14:-8"},
        {3725, "s:m:h", "5:2:1"},
        {90000, "d d", "d 1"},
        // The second byte of 癲 is "d": a match never starts inside a character.
        {90000, "\xB0\x64:d", "\xB0\x64:1"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatDuration(c.seconds, c.pattern), c.expected)
            << c.seconds << " " << c.pattern;
    }
}

struct LiveCase {
    std::int32_t seconds;
    std::string expected;
};

TEST(LiveDurationText, showsSecondsUnderAnHourAndTotalHoursFromThenOn) {
    const LiveCase cases[] = {
        {0, "0" + kSec},
        {45, "45" + kSec},
        {60, "1" + kMin + "0" + kSec},
        {312, "5" + kMin + "12" + kSec},
        {3599, "59" + kMin + "59" + kSec},
        {3600, "1" + kHour + "0" + kMin},
        {7530, "2" + kHour + "5" + kMin},
        {86400, "24" + kHour + "0" + kMin},
        {93900, "26" + kHour + "5" + kMin},
        {-90, "-1" + kMin + "-30" + kSec},
        {kMaxSeconds, "596523" + kHour + "14" + kMin},
    };
    for (const LiveCase& c : cases) {
        const DurationParts p = SplitDuration(c.seconds);
        EXPECT_EQ(LiveDurationText(p.days, p.hours, p.minutes, p.seconds), c.expected) << c.seconds;
    }
}

}  // namespace
}  // namespace durava::billing
