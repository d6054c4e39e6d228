// SPDX-License-Identifier: MIT
#pragma once
// Where the journal lives in the Durava folder, one file per month (journal-202405.txt) beside
// the key file, and how its lines are read from them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace durava::journal {

std::string JournalFileName(int month);
std::filesystem::path JournalFilePath(const std::filesystem::path& folder, int month);
std::filesystem::path KeyFilePath(const std::filesystem::path& folder);
// The months of the journal files in the folder, in order.
std::vector<int> JournalMonths(const std::filesystem::path& folder);

// The most entries the journal's files can hold: no line is shorter than a sequence number, a
// time, an action and a MAC with their tabs. A larger sequence number was never written.
std::uint64_t MostEntries(const std::filesystem::path& folder);

// The end of a journal file that holds its last two lines, or all of it; nothing when it cannot
// be read.
std::optional<std::string> ReadJournalEnd(const std::filesystem::path& file);

// Calls `line(text, whole)` for each line of `bytes`, its CR LF cut off; a last line that a kill
// cut short before its line break is a line too, not whole.
template <typename Line>
void ForEachLine(std::string_view bytes, Line line) {
    while (!bytes.empty()) {
        const void* found = std::memchr(bytes.data(), '\n', bytes.size());
        const std::size_t end =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data())
                  : bytes.size();
        std::string_view text = bytes.substr(0, end);
        if (text.ends_with('\r')) text.remove_suffix(1);
        line(text, found != nullptr);
        bytes.remove_prefix(found ? end + 1 : end);
    }
}

}  // namespace durava::journal
