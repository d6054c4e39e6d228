// SPDX-License-Identifier: MIT
#include "core/datetime.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <optional>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/numbers.h"
#include "core/textfunctions.h"

namespace durava::core {
namespace {

constexpr long kSecondsPerDay = 86400;
constexpr long long kDaysTo1970 = 25569;  // 1899-12-30 .. 1970-01-01

constexpr char kYear[] = "\xC4\xEA";    // 年
constexpr char kMonth[] = "\xD4\xC2";   // 月
constexpr char kDay[] = "\xC8\xD5";     // 日
constexpr char kHour[] = "\xCA\xB1";    // 时
constexpr char kMinute[] = "\xB7\xD6";  // 分
constexpr char kSecond[] = "\xC3\xEB";  // 秒

std::function<DateTime()>& Clock() {
    static std::function<DateTime()> clock;
    return clock;
}

// Proleptic Gregorian day counts relative to 1970-01-01 (H. Hinnant's civil-day algorithms).
long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, CalendarTime& out) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    out.year = static_cast<int>(yoe + era * 400 + (out.month <= 2));
}

// NaN is treated like any value below the range. Before 1899-12-30 the time of day lies below
// the day's whole number, so the first day of the range keeps its times.
DateTime Clamp(DateTime value) {
    return std::trunc(value) >= kMinDateTime ? std::min(value, kMaxDateTime) : kMinDateTime;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

void AppendNumber(std::string& out, int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
    out += digits;
}

std::string FormatPicture(const CalendarTime& t, std::string_view picture, bool force24Hour) {
    // A formatted text is cut at 49 bytes, as the Windows program cuts it, so that a long picture
    // gives the same text on both.
    constexpr std::size_t kMaxLength = 49;
    const std::pair<std::string_view, int> fields[] = {
        {"MM", t.month},
        {"dd", t.day},
        {"hh", force24Hour ? t.hour : (t.hour + 11) % 12 + 1},
        {"mm", t.minute},
        {"ss", t.second}};
    std::string out;
    for (std::size_t i = 0; i < picture.size();) {
        const auto rest = picture.substr(i);
        if (rest.starts_with("yyyy")) {
            AppendNumber(out, t.year, 4);
            i += 4;
            continue;
        }
        const auto field =
            std::find_if(std::begin(fields), std::end(fields),
                         [&rest](const auto& f) { return rest.starts_with(f.first); });
        if (field != std::end(fields)) {
            AppendNumber(out, field->second, 2);
            i += 2;
            continue;
        }
        // Whole characters, so a trail byte that looks like a picture letter stays put.
        const auto width = std::min(CharWidth(static_cast<unsigned char>(picture[i])), rest.size());
        out += rest.substr(0, width);
        i += width;
    }
    return out.size() > kMaxLength ? std::string() : out;
}

class Reader {
  public:
    explicit Reader(std::string_view text) : m_text(text) {}

    int Digits(std::size_t maxDigits) {
        int value = 0;
        for (std::size_t n = 0; n < maxDigits && m_pos < m_text.size(); ++n, ++m_pos) {
            const char c = m_text[m_pos];
            if (c < '0' || c > '9') break;
            value = value * 10 + (c - '0');
        }
        return value;
    }

    // Consumes at most one of the given separators; none present leaves the position alone.
    void Skip(std::initializer_list<std::string_view> separators) {
        for (const auto separator : separators) {
            if (Rest().starts_with(separator)) {
                m_pos += separator.size();
                return;
            }
        }
    }

    std::string_view Rest() const { return m_text.substr(m_pos); }

  private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// The clock split at the second: the second that has begun and how far into it the clock is.
struct ClockReading {
    DateTime second;
    int millisecond;
};

ClockReading ReadClock() {
    if (!Clock()) {
#ifdef _WIN32
        SYSTEMTIME local;
        GetLocalTime(&local);
        return {ToDateTime({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute,
                            local.wSecond}),
                local.wMilliseconds};
#else
        const auto now = std::chrono::system_clock::now();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        std::tm local{};
        localtime_r(&seconds, &local);
        const auto sinceEpoch =
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
        return {ToDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                            local.tm_min, local.tm_sec}),
                static_cast<int>(sinceEpoch.count() % 1000)};
#endif
    }
    const DateTime value = Clock()();
    // A set clock mostly stands on a whole second: that value is kept bit for bit.
    const double seconds = value * kSecondsPerDay;
    if (!(value > 0.0) || std::fabs(seconds - std::round(seconds)) < 0.0005) return {value, 0};
    const double begun = std::floor(seconds);
    return {ToDateTime(ToCalendarTime(begun / kSecondsPerDay)),
            static_cast<int>(std::min(999L, std::lround((seconds - begun) * 1000.0)))};
}

}  // namespace

DateTime ToDateTime(const CalendarTime& fields) {
    const double day =
        static_cast<double>(DaysFromCivil(fields.year, fields.month, fields.day) + kDaysTo1970);
    const double time =
        (fields.hour * 3600.0 + fields.minute * 60.0 + fields.second) / kSecondsPerDay;
    // Before 1899-12-30 the whole part still names the day, so the time of day is subtracted.
    return day < 0 ? day - time : day + time;
}

CalendarTime ToCalendarTime(DateTime value) {
    value = Clamp(value);
    double day = std::trunc(value);
    auto seconds = std::lround(std::fabs(value - day) * kSecondsPerDay);
    if (seconds == kSecondsPerDay) {
        seconds = 0;
        day += 1;
    }
    CalendarTime t;
    CivilFromDays(static_cast<long long>(day) - kDaysTo1970, t);
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

DateTime CurrentTime() {
    return ReadClock().second;
}

int MillisecondsToNextSecond() {
    return 1000 - ReadClock().millisecond;
}

void SetClock(std::function<DateTime()> clock) {
    Clock() = std::move(clock);
}

// The pictures hold numeric fields only, so the locale never changes the result.
std::string FormatDateTime(DateTime value, std::string_view datePicture,
                           std::string_view timePicture, bool force24Hour, int /*locale*/) {
    if (std::isnan(value)) return {};
    const CalendarTime t = ToCalendarTime(value);
    return FormatPicture(t, datePicture, force24Hour) + FormatPicture(t, timePicture, force24Hour);
}

namespace {

int FixedDigits(std::string_view text, std::size_t pos, std::size_t count) {
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "yyyy/MM/dd hh:mm:ss", the form the program writes every time in, read without the general
// reader's folding and separators: the takings of a month read one per record.
std::optional<CalendarTime> WrittenForm(std::string_view text) {
    if (text.size() != 19 || text[4] != '/' || text[7] != '/' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    const CalendarTime t{FixedDigits(text, 0, 4),  FixedDigits(text, 5, 2),
                         FixedDigits(text, 8, 2),  FixedDigits(text, 11, 2),
                         FixedDigits(text, 14, 2), FixedDigits(text, 17, 2)};
    if (t.year < 0 || t.month < 0 || t.day < 0 || t.hour < 0 || t.minute < 0 || t.second < 0) {
        return std::nullopt;
    }
    return t;
}

// Any of the forms the operator or another program may have left: full-width digits, other
// separators, the Chinese date and time words.
std::optional<CalendarTime> AnyForm(std::string_view text) {
    const std::string folded = FoldFullWidth(text);
    if (folded.empty()) return std::nullopt;
    Reader reader(folded);
    CalendarTime t;
    t.year = reader.Digits(4);
    reader.Skip({"-", ".", "/", ":", kYear});
    t.month = reader.Digits(2);
    reader.Skip({"-", ".", "/", ":", kMonth});
    t.day = reader.Digits(2);
    reader.Skip({" ", "-", ".", "/", ":", kDay});
    t.hour = reader.Digits(2);
    reader.Skip({"-", ".", "/", ":", kHour});
    t.minute = reader.Digits(2);
    reader.Skip({"-", ".", "/", ":", kMinute});
    t.second = reader.Digits(2);
    if (!reader.Rest().empty() && !reader.Rest().starts_with(kSecond)) return std::nullopt;
    return t;
}

}  // namespace

std::optional<CalendarTime> ReadDateTime(std::string_view text) {
    std::optional<CalendarTime> read = WrittenForm(text);
    if (!read) read = AnyForm(text);
    if (!read) return std::nullopt;
    const CalendarTime& t = *read;
    // The first instant of the range is ParseDateTime's failure value: refused here too, so
    // that both readers agree on every text.
    const bool first = t.year == 100 && t.month == 1 && t.day == 1 && t.hour == 0 &&
                       t.minute == 0 && t.second == 0;
    const bool valid = t.year >= 100 && t.year <= 9999 && t.month >= 1 && t.month <= 12 &&
                       t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) && t.hour <= 23 &&
                       t.minute <= 59 && t.second <= 59 && !first;
    return valid ? read : std::nullopt;
}

DateTime ParseDateTime(std::string_view text) {
    const std::optional<CalendarTime> read = ReadDateTime(text);
    return read ? ToDateTime(*read) : kMinDateTime;
}

double TimeDifference(DateTime t1, DateTime t2, [[maybe_unused]] int unit) {
    assert(unit == kUnitSeconds);  // the only unit the program asks for
    t1 = Clamp(t1);
    t2 = Clamp(t2);
    if (t1 == t2) return 0;
    const double days = t1 - t2;
    // A nudge of 1/172800 s with the sign of the difference, so a whole number of seconds held
    // in days just short of itself still counts as that number, in either direction.
    const double seconds = days * kSecondsPerDay + std::copysign(1.0 / 172800, days);
    return RealToInteger(seconds);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::string TimeText(DateTime time) {
    return FormatDateTime(time, "yyyy/MM/dd", " hh:mm:ss", true);
}

TimeKey KeyOf(const CalendarTime& t) {
    return ((((t.year * 100LL + t.month) * 100 + t.day) * 100 + t.hour) * 100 + t.minute) * 100 +
           t.second;
}

std::string TextOfKey(TimeKey key) {
    const auto part = [&key] {
        const int value = static_cast<int>(key % 100);
        key /= 100;
        return value;
    };
    CalendarTime time;
    time.second = part();
    time.minute = part();
    time.hour = part();
    time.day = part();
    time.month = part();
    time.year = static_cast<int>(key);
    return TimeText(ToDateTime(time));
}

std::optional<TimeKey> KeyOfText(std::string_view text) {
    const std::optional<CalendarTime> time = ReadDateTime(text);
    return time ? std::optional(KeyOf(*time)) : std::nullopt;
}

int MonthNumber(const CalendarTime& time) {
    return time.year * 100 + time.month;
}

int MonthNumber(DateTime time) {
    return MonthNumber(ToCalendarTime(time));
}

int MonthBefore(int month) {
    return month % 100 == 1 ? month - 100 + 11 : month - 1;
}

}  // namespace durava::core
