// SPDX-License-Identifier: MIT
#include "journal/files/journalfiles.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>

#include "store/files/fileio.h"

namespace durava::journal {
namespace {

constexpr std::string_view kJournalPrefix = "journal-", kJournalSuffix = ".txt";
constexpr char kKeyFileName[] = "key";

}  // namespace

std::string JournalFileName(int month) {
    return std::string(kJournalPrefix) + std::to_string(month) + std::string(kJournalSuffix);
}

std::filesystem::path JournalFilePath(const std::filesystem::path& folder, int month) {
    return folder / JournalFileName(month);
}

std::filesystem::path KeyFilePath(const std::filesystem::path& folder) {
    return folder / kKeyFileName;
}

std::vector<int> JournalMonths(const std::filesystem::path& folder) {
    std::vector<int> months;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const std::string_view digits = std::string_view(name).substr(
            std::min(name.size(), kJournalPrefix.size()),
            name.size() - std::min(name.size(), kJournalPrefix.size() + kJournalSuffix.size()));
        int month = 0;
        if (name.size() != kJournalPrefix.size() + 6 + kJournalSuffix.size() ||
            !name.starts_with(kJournalPrefix) || !name.ends_with(kJournalSuffix) ||
            std::from_chars(digits.data(), digits.data() + digits.size(), month).ptr !=
                digits.data() + digits.size()) {
            continue;
        }
        months.push_back(month);
    }
    std::sort(months.begin(), months.end());
    return months;
}

std::uint64_t MostEntries(const std::filesystem::path& folder) {
    constexpr std::uint64_t kShortestLine = 90;
    std::uint64_t bytes = 0;
    for (const int month : JournalMonths(folder)) {
        std::error_code error;
        const std::uintmax_t size =
            std::filesystem::file_size(JournalFilePath(folder, month), error);
        if (!error) bytes += size;
    }
    return bytes / kShortestLine + 1;
}

std::optional<std::string> ReadJournalEnd(const std::filesystem::path& file) {
    for (std::size_t count = 4096;; count *= 4) {
        std::optional<std::string> end = store::ReadFileEnd(file, count);
        if (!end || end->size() < count) return end;
        // Lines start after the third line break from the end: two whole lines and whatever a kill
        // left after them.
        std::size_t at = end->size();
        for (int found = 0; at > 0;) {
            at = end->rfind('\n', at - 1);
            if (at == std::string::npos) break;
            if (++found == 3) return end->substr(at + 1);
        }
    }
}

}  // namespace durava::journal
