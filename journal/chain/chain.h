// SPDX-License-Identifier: MIT
#pragma once
// The chain that makes the journal's entries hard to rewrite unseen (forward integrity, after
// Bellare and Yee, and Schneier and Kelsey): each entry's MAC covers its text and the MAC of the
// entry before it, under a key that moves on by a one-way hash after each entry. The key file
// holds only the key of the next entry, so whoever takes the computer cannot rewrite the entries
// made before.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "journal/chain/digest.h"
#include "journal/entry.h"

namespace durava::journal {

// Where a chain stands: the number and key of its next entry, and what the entry before left.
struct ChainState {
    std::uint64_t next = 1;
    JournalKey key{};
    Digest last{};      // the MAC of the entry before; zeros before a chain's first entry
    int lastMonth = 0;  // yyyyMM of the journal file holding the entry before; 0 when none
};

// A new chain from its first key.
ChainState NewChain(const JournalKey& first);
// The key of entry `seq` of the chain that begins with `first`: seq - 1 steps on.
JournalKey KeyAt(const JournalKey& first, std::uint64_t seq);
// The chain after the entry `line` of the journal file of `month`, whose key was `state.key`.
ChainState After(const ChainState& state, const Digest& mac, int month);
// Whether `line` is the entry numbered `state.next`, under its key and after `state.last`.
bool IsNextEntry(const ChainState& state, const ReadLine& line);

// The line of `entry` as the next entry of the chain, in the journal file of `month`; the chain
// moves on.
std::string Seal(ChainState& state, const Entry& entry, int month);

// The key file's record: one line of fixed size ending in a checksum, so that a record torn by a
// power cut is told from a whole one.
std::string KeyRecord(const ChainState& state);
std::optional<ChainState> ReadKeyRecord(std::string_view bytes);

}  // namespace durava::journal
