// SPDX-License-Identifier: MIT
#pragma once
// What the desk remembers of a journal, outside the Durava folder: the head it last wrote and
// which of our files stood beside it. Whoever copies the journal and its key back from an earlier
// day, or deletes one of our files, leaves this memory ahead of the folder; the desk journals it
// at its next start and the owner's check names it. A folder checked on another computer has no
// memory there and checks as it would without.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "journal/entry.h"

namespace durava::journal {

struct DeskMemory {
    ChainHead head;                  // the newest entry this desk wrote
    std::vector<std::string> files;  // our files beside it then, by name, the journal's aside
    bool operator==(const DeskMemory&) const = default;
};

// Nothing when this computer's user never wrote to the folder's journal, or the memory is torn.
std::optional<DeskMemory> RecallDesk(const std::filesystem::path& duravaFolder);
// After each entry, under the store lock; the journal stops nothing when it cannot be kept.
void RememberDesk(const std::filesystem::path& duravaFolder, const ChainHead& head);

// The files that stood beside the journal when the desk last wrote and stand there no more.
std::vector<std::string> FilesGone(const std::filesystem::path& duravaFolder,
                                   const DeskMemory& memory);
// Whether the journal still holds the entry of `head`, whatever came after it.
bool JournalHolds(const std::filesystem::path& duravaFolder, const ChainHead& head);

}  // namespace durava::journal
