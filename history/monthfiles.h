// SPDX-License-Identifier: MIT
#pragma once
// The month files of the History folder: what each is named, and finding them.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/textfunctions.h"

namespace durava::history {

inline constexpr char kMonthFilePattern[] = "*.QY.txt";
// What every month file's name ends with.
inline constexpr std::string_view kMonthFileSuffix = std::string_view(kMonthFilePattern).substr(1);

// A month file by its name, a program text. The checkouts that end in a month are recorded in
// yyyyMM.QY.txt; the history window lists any name the pattern takes, of a month or not.
class MonthFile {
  public:
    // The file a checkout ending at `when` is recorded in.
    static MonthFile Of(core::DateTime when);
    // The file of `month`, whatever its day.
    static MonthFile Of(const core::CalendarTime& month);
    // The file the history window lists as `title`.
    static MonthFile Titled(std::string_view title);
    // `name` as FindFiles gives it.
    explicit MonthFile(std::string name) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }
    // 202405.QY for 202405.QY.txt, as the history window lists it.
    std::string Title() const;
    // 202405 for 202405.QY.txt, as the takings window names the file's exports and its lines.
    std::string Stem() const;
    // The month of a name that begins with yyyyMM, its day 0; nothing for any other name.
    std::optional<core::CalendarTime> Month() const;
    std::filesystem::path Path(const std::filesystem::path& historyFolder) const;

  private:
    std::string m_name;
};

// Replaces `result` with the names of the regular files directly in `directory` that match
// `pattern` ("*" stands for any run of characters), sorted by SortTextArray, and returns
// their count. Names that no program text can name faithfully are left out, since the viewer
// could not open them again.
std::size_t FindFiles(const std::filesystem::path& directory, std::string_view pattern,
                      core::TextArray& result);
// Ascending and case-sensitive by CompareText.
void SortTextArray(core::TextArray& texts);

}  // namespace durava::history
