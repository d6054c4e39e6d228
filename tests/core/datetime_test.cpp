// SPDX-License-Identifier: MIT
#include "core/datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace durava::core {
namespace {

constexpr double kSecond = 1.0 / 86400;

bool operator==(const CalendarTime& a, const CalendarTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

TEST(ToDateTime, countsDaysFrom18991230WithTimeMagnitudeBeforeIt) {
    EXPECT_EQ(ToDateTime({1899, 12, 30, 12, 0, 0}), 0.5);
    EXPECT_EQ(ToDateTime({1899, 12, 29, 6, 0, 0}), -1.25);
    EXPECT_EQ(ToDateTime({2024, 5, 6, 0, 0, 0}), 45418.0);
    EXPECT_EQ(ToDateTime({100, 1, 1, 0, 0, 0}), kMinDateTime);
    EXPECT_EQ(ToDateTime({9999, 12, 31, 0, 0, 0}), kMaxDateTime);
}

TEST(ToCalendarTime, clampsAndRoundsToTheSecond) {
    const struct {
        DateTime value;
        CalendarTime fields;
    } cases[] = {{kMaxDateTime + 10, {9999, 12, 31, 0, 0, 0}},
                 {-1e9, {100, 1, 1, 0, 0, 0}},
                 {kMinDateTime - 0.75, {100, 1, 1, 18, 0, 0}},
                 {std::numeric_limits<double>::quiet_NaN(), {100, 1, 1, 0, 0, 0}},
                 {45418.0 + 86399.6 * kSecond, {2024, 5, 7, 0, 0, 0}},
                 {45351.0 - 0.4 * kSecond, {2024, 2, 29, 0, 0, 0}},
                 {-1.0 - 86399.6 * kSecond, {1899, 12, 30, 0, 0, 0}},
                 {-0.25, {1899, 12, 30, 6, 0, 0}},
                 {-1.75, {1899, 12, 29, 18, 0, 0}}};
    for (const auto& c : cases) EXPECT_TRUE(ToCalendarTime(c.value) == c.fields) << c.value;
}

TEST(FormatDateTime, fillsPictureElements) {
    const DateTime t = ToDateTime({2024, 5, 6, 14, 5, 9});
    EXPECT_EQ(TimeText(t), "2024/05/06 14:05:09");
    EXPECT_EQ(FormatDateTime(t, "yyyy/MM/dd ", "hh:mm:ss", true), "2024/05/06 14:05:09");
    EXPECT_EQ(FormatDateTime(t, "yyyy/MM/dd", " hh:mm:ss", true), "2024/05/06 14:05:09");
    EXPECT_EQ(FormatDateTime(ToDateTime({2024, 1, 31, 0, 0, 0}), "yyyyMM", ""), "202401");
    EXPECT_EQ(FormatDateTime(ToDateTime({100, 1, 1, 0, 0, 0}), "yyyy", ""), "0100");
    EXPECT_EQ(FormatDateTime(45418.0, "", "hh:mm:ss", true), "00:00:00");
    EXPECT_EQ(FormatDateTime(45418.0, "", "hh:mm:ss"), "12:00:00");
    EXPECT_EQ(FormatDateTime(45418.0 + 13.0 / 24, "", "hh:mm:ss"), "01:00:00");
    // 0x814D carries "M" as its trail byte.
    EXPECT_EQ(FormatDateTime(t, "\x81MM", ""), "\x81MM");
    EXPECT_EQ(FormatDateTime(std::nan(""), "yyyy", "hh"), "");
}

TEST(FormatDateTime, dropsHalfLongerThan49Bytes) {
    const std::string longPicture(48, '-');
    EXPECT_EQ(FormatDateTime(45418.0, longPicture + "MM", "hh", true), "00");
    EXPECT_EQ(FormatDateTime(45418.0, longPicture + "M", "hh", true), longPicture + "M00");
}

TEST(ParseDateTime, acceptsValidTexts) {
    const struct {
        const char* text;
        CalendarTime fields;
    } cases[] = {{"2024/05/06 14:05:09", {2024, 5, 6, 14, 5, 9}},
                 {"2024-5-6 14:5:9", {2024, 5, 6, 14, 5, 9}},
                 // 2024年5月6日14时5分9秒
                 {"2024\xC4\xEA"
                  "5\xD4\xC2"
                  "6\xC8\xD5"
                  "14\xCA\xB1"
                  "5\xB7\xD6"
                  "9\xC3\xEB",
                  {2024, 5, 6, 14, 5, 9}},
                 {"2024.05.06", {2024, 5, 6, 0, 0, 0}},
                 {"2024/2/29", {2024, 2, 29, 0, 0, 0}},
                 {"2000/02/29", {2000, 2, 29, 0, 0, 0}},
                 {"100/1/1", {100, 1, 1, 0, 0, 0}},
                 {"2024/05/06 23:59:59\xC3\xEBxyz", {2024, 5, 6, 23, 59, 59}},
                 // Full-width digits, slash and space.
                 {"\xA3\xB2\xA3\xB0\xA3\xB2\xA3\xB4\xA3\xAF"
                  "1/2\xA1\xA1"
                  "3",
                  {2024, 1, 2, 3, 0, 0}}};
    for (const auto& c : cases) {
        EXPECT_TRUE(ToCalendarTime(ParseDateTime(c.text)) == c.fields) << c.text;
    }
}

TEST(ParseDateTime, rejectsInvalidTexts) {
    for (const char* text :
         {"", "abc", "2024", "24/05/06", "2023/02/29", "1900/02/29", "2024/04/31", "2024/13/01",
          "2024/05/06 25:00:00", "2024/05/06 10:00:60", "2024/05/06x", "2024/05/06 10:00:00 ",
          " 2024/05/06"}) {
        EXPECT_EQ(ParseDateTime(text), kMinDateTime) << text;
    }
}

TEST(ParseDateTime, readsBackFormattedTimes) {
    for (const CalendarTime& fields :
         {CalendarTime{2024, 5, 31, 23, 59, 58}, CalendarTime{1899, 12, 29, 18, 30, 1},
          CalendarTime{9999, 12, 30, 12, 0, 0}}) {
        const DateTime t = ToDateTime(fields);
        EXPECT_EQ(ParseDateTime(TimeText(t)), t) << TimeText(t);
    }
}

TEST(TimeKey, ordersAsTheTimesAndGivesTheirText) {
    const CalendarTime earlier{2023, 12, 31, 23, 59, 59}, later{2024, 1, 1, 0, 0, 0};
    EXPECT_LT(KeyOf(earlier), KeyOf(later));
    EXPECT_EQ(TextOfKey(KeyOf(earlier)), "2023/12/31 23:59:59");
    EXPECT_EQ(KeyOfText("2024/01/01 00:00:00"), KeyOf(later));
    EXPECT_EQ(KeyOfText("2024/13/01 00:00:00"), std::nullopt);
}

TEST(MonthNumber, ordersAsTheMonthsAndStepsBackOverTheYear) {
    EXPECT_EQ(MonthNumber(ToDateTime({2024, 5, 31, 23, 59, 59})), 202405);
    EXPECT_EQ(MonthBefore(202405), 202404);
    EXPECT_EQ(MonthBefore(202401), 202312);
}

TEST(TimeDifference, countsWholeSeconds) {
    const DateTime t = ToDateTime({2024, 5, 6, 14, 5, 9});
    EXPECT_EQ(TimeDifference(t, t), 0);
    EXPECT_EQ(TimeDifference(t, t - 1), 86400);
    EXPECT_EQ(TimeDifference(t - kSecond, t), -1);
    EXPECT_EQ(TimeDifference(t + kSecond, t), 1);
    EXPECT_EQ(TimeDifference(t + 59.99999 * kSecond, t), 59);
    EXPECT_EQ(TimeDifference(t + 59.999995 * kSecond, t), 60);
    EXPECT_EQ(TimeDifference(kMaxDateTime + 5, kMaxDateTime), 0);
}

TEST(CurrentTime, followsInstalledClockUntilReset) {
    SetClock([] { return 45418.5; });
    EXPECT_EQ(CurrentTime(), 45418.5);
    SetClock({});
    const DateTime now = CurrentTime();
    EXPECT_GE(ToCalendarTime(now).year, 2024);
    const double seconds = (now - std::trunc(now)) * 86400;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-4);
}

}  // namespace
}  // namespace durava::core
