// SPDX-License-Identifier: MIT
#pragma once
// What the journal last said of ROOMSETTING.ini: every entry whose action writes the file, and the
// program's start, names the file's bytes; a file that holds other bytes was changed outside
// Durava.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace durava::journal {

struct SettingsNamed {
    std::string last;  // the digest the newest entry to name the file gives
    // When that entry is a checkout's, whose idle write follows its entry: the digest before it,
    // which a kill before that write leaves the file at.
    std::optional<std::string> beforeCheckout;

    bool Names(std::string_view digest) const;
};

// Read backward from the end of the newest journal file, and of the one before when the newest
// names no file; nothing when neither does (a journal older than these names).
std::optional<SettingsNamed> LastSettingsNamed(const std::filesystem::path& journalFolder);

}  // namespace durava::journal
