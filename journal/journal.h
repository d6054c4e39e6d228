// SPDX-License-Identifier: MIT
#pragma once
// The journal of every action, kept in the Durava folder: each entry is appended and flushed with
// its action, by the caller under the store lock that the action already holds, and the key moves
// on after it. A kill at any moment leaves the journal and the key whole or healed by the next
// append: a line appended whose key did not move on yet is found and the key moved on; a line a
// kill cut short is left as it is, and the next line starts on a line of its own.
#include <filesystem>
#include <optional>
#include <string>

#include "core/datetime.h"
#include "journal/chain/chain.h"
#include "journal/chain/secrets.h"
#include "journal/entry.h"
#include "journal/files/filetrouble.h"
#include "journal/files/journalfiles.h"

namespace durava::journal {

class Journal {
  public:
    // `folder` is the Durava folder. Unkeyed, the journal begins a chain of its own whenever the
    // key cannot go on (missing, damaged, older than the journal); with an owner password only
    // the owner can, with the key from the password, and until then nothing can be appended.
    Journal(std::filesystem::path folder, Protection protection);

    // Nothing when an entry made at `time` can be appended: asked under the store lock before an
    // action that an owner password makes wait on the journal.
    std::optional<FileTrouble> Ready(core::DateTime time) const;
    // Nothing when the entry is in the journal and the key has moved on.
    std::optional<FileTrouble> Append(const Entry& entry);
    // A new chain from `first`, owner-protected unless it is kPublicJournalKey. Its first entry
    // names the head of the chain before, as far as the files or this copy know it, and the key
    // file's trouble as its reason when the key could not go on.
    std::optional<FileTrouble> StartChain(const JournalKey& first, ChainReason reason,
                                          core::DateTime time, std::string operatorName);
    // The last entry, for the slips; nothing when the key cannot go on.
    std::optional<ChainHead> Head() const;
    // The Durava folder.
    const std::filesystem::path& Folder() const { return m_folder; }

  private:
    struct Plan;
    // Where the next entry goes, after a look at the key and the journal's newest lines.
    Plan Look(core::DateTime time) const;
    Plan WithoutKey(const std::filesystem::path& keyFile) const;
    Plan FromKey(const ChainState& state, core::DateTime time) const;
    // When the key cannot go on, an unkeyed chain goes on from its newest entry without an owner
    // password; otherwise a new chain must begin, naming that entry.
    Plan& Restart(Plan& plan, ChainReason reason) const;
    std::optional<FileTrouble> Write(const Plan& plan, ChainState state, const Entry* first,
                                     const Entry* entry);

    std::filesystem::path m_folder;
    Protection m_protection;
    // The head this copy last wrote: a chain begun after the folder went names it.
    std::optional<ChainHead> m_lastWritten;
};

}  // namespace durava::journal
