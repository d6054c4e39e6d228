// SPDX-License-Identifier: MIT
#include "history/monthfiles.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/codepage.h"

namespace durava::history {
namespace {

// The extension that a month file's title leaves out of its name.
constexpr std::string_view kTitleLeavesOut = ".txt";

// Names match as the file system compares them, so that a listed name opens again.
#ifdef _WIN32
constexpr bool kNamesCaseSensitive = false;
#else
constexpr bool kNamesCaseSensitive = true;
#endif

std::size_t WidthAt(std::string_view text, std::size_t pos) {
    return core::CharWidth(static_cast<unsigned char>(text[pos]));
}

// "*" takes whole characters, so a literal never starts matching on a trail byte.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t n = 0, p = 0, afterStar = kNone, starTaken = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = ++p;
            starTaken = n;
            continue;
        }
        if (p < pattern.size()) {
            const std::size_t width = WidthAt(pattern, p);
            if (core::CompareText(name.substr(n, width), pattern.substr(p, width),
                                  kNamesCaseSensitive) == 0) {
                n += width;
                p += width;
                continue;
            }
        }
        if (afterStar == kNone) return false;
        starTaken += WidthAt(name, starTaken);
        n = starTaken;
        p = afterStar;
    }
    return pattern.find_first_not_of('*', p) == kNone;
}

// Nothing for a name that is not valid in the file system's encoding or that code page 936
// cannot hold: such a name would not lead back to the file.
std::optional<std::string> ProgramText(const std::filesystem::path& name) {
    try {
        std::string text = core::WideToText(name.u16string());
        if (core::NativePath(text) == name) return text;
    } catch (const std::system_error&) {
    }
    return std::nullopt;
}

}  // namespace

// Window events wait until the listing is done: one handled in between could open the viewer
// again and refill `result` under this loop.
std::size_t FindFiles(const std::filesystem::path& directory, std::string_view pattern,
                      core::TextArray& result) {
    result.clear();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code unreadable;
        if (!entry->is_regular_file(unreadable)) continue;
        const std::optional<std::string> name = ProgramText(entry->path().filename());
        if (name && MatchesPattern(*name, pattern)) result.push_back(*name);
    }
    SortTextArray(result);
    return result.size();
}

// Equal names are equal bytes, so the order of equal names cannot show: any stable sort will do.
void SortTextArray(core::TextArray& texts) {
    std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return core::CompareText(a, b, true) < 0;
    });
}

MonthFile MonthFile::Of(core::DateTime when) {
    return MonthFile(core::FormatDateTime(when, "yyyyMM", "") + std::string(kMonthFileSuffix));
}

MonthFile MonthFile::Of(const core::CalendarTime& month) {
    return Of(core::ToDateTime({month.year, month.month, 1}));
}

MonthFile MonthFile::Titled(std::string_view title) {
    return MonthFile(std::string(title) + std::string(kTitleLeavesOut));
}

std::string MonthFile::Title() const {
    return m_name.substr(0, m_name.size() - std::min(m_name.size(), kTitleLeavesOut.size()));
}

std::string MonthFile::Stem() const {
    return m_name.substr(0, m_name.size() - std::min(m_name.size(), kMonthFileSuffix.size()));
}

std::optional<core::CalendarTime> MonthFile::Month() const {
    const std::string stem = Stem();
    constexpr std::size_t kDigits = 6;
    if (stem.size() < kDigits || stem.find_first_not_of("0123456789") < kDigits)
        return std::nullopt;
    const int year = std::stoi(stem.substr(0, 4));
    const int month = std::stoi(stem.substr(4, 2));
    if (year == 0 || month < 1 || month > 12) return std::nullopt;
    return core::CalendarTime{year, month, 0};
}

std::filesystem::path MonthFile::Path(const std::filesystem::path& historyFolder) const {
    return historyFolder / core::NativePath(m_name);
}

}  // namespace durava::history
