// SPDX-License-Identifier: MIT
#pragma once
// What the desk remembers of a journal, outside the Durava folder: the head it last wrote and the
// chain that head belongs to. Whoever copies the journal and its key back from an earlier day, or
// deletes them, leaves this memory ahead of them; the desk and the owner's check then name it. A
// folder checked on another computer has no memory there and checks as it would without.
#include <filesystem>
#include <optional>

#include "journal/entry.h"

namespace durava::journal {

struct DeskMemory {
    ChainHead head;       // the newest entry this desk wrote
    Digest chainFirst{};  // the MAC of the first entry of its chain
    bool operator==(const DeskMemory&) const = default;
};

// Nothing when this computer's user never wrote to the folder's journal, or the memory is torn.
std::optional<DeskMemory> RecallDesk(const std::filesystem::path& duravaFolder);
// False when it could not be kept; the journal stops nothing for it.
bool RememberDesk(const std::filesystem::path& duravaFolder, const DeskMemory& memory);

}  // namespace durava::journal
