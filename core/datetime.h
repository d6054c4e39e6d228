// SPDX-License-Identifier: MIT
#pragma once
// Points in local time as days since 1899-12-30 00:00:00, the fraction being the time of day.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace durava::core {

using DateTime = double;

inline constexpr DateTime kMinDateTime = -657434.0;  // 100-01-01 00:00:00, also "parse failed"
inline constexpr DateTime kMaxDateTime = 2958465.0;  // 9999-12-31 00:00:00
inline constexpr int kUnitSeconds = 8;

struct CalendarTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

DateTime ToDateTime(const CalendarTime& fields);
// `month` from 1 to 12.
int DaysInMonth(int year, int month);
// Clamped to the valid range and rounded to the whole second.
CalendarTime ToCalendarTime(DateTime value);

// Local wall clock, whole seconds: the second that has begun.
DateTime CurrentTime();
// How long until the wall clock's next second begins: 1 to 1000 milliseconds.
int MillisecondsToNextSecond();
// Tests replace the clock, which may then stand between two seconds; an empty function restores
// the wall clock.
void SetClock(std::function<DateTime()> clock);

std::string FormatDateTime(DateTime value, std::string_view datePicture,
                           std::string_view timePicture, bool force24Hour = false, int locale = 0);
// Never fails: a text that is not a valid date and time gives kMinDateTime.
DateTime ParseDateTime(std::string_view text);
// The same reading as the fields it names, for a reader that needs no DateTime: the takings of
// a year read one per record.
std::optional<CalendarTime> ReadDateTime(std::string_view text);
// t1 - t2 in whole seconds (kUnitSeconds), carried as a real.
double TimeDifference(DateTime t1, DateTime t2, int unit = kUnitSeconds);

// "2024/05/06 18:31:00": how the journal, the month files and the slips write a time, so that
// times compare as texts.
std::string TimeText(DateTime time);
// A time as one number that orders as the times do: yyyyMMddhhmmss.
using TimeKey = std::int64_t;
TimeKey KeyOf(const CalendarTime& time);
// The time a key was made from, as TimeText writes it.
std::string TextOfKey(TimeKey key);
// Nothing when `text` is no time.
std::optional<TimeKey> KeyOfText(std::string_view text);

// A month as one number that orders as the months do: yyyyMM, as 202405.
int MonthNumber(const CalendarTime& time);
int MonthNumber(DateTime time);
// The number of the month before: 202312 before 202401.
int MonthBefore(int month);

}  // namespace durava::core
