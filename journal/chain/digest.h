// SPDX-License-Identifier: MIT
#pragma once
// The hashes of the journal, from libsodium: SHA-256 of a record, the MAC that chains an entry to
// the one before it, and the one-way step from each key to the next.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "journal/chain/secrets.h"

namespace durava::journal {

using Digest = std::array<unsigned char, 32>;

Digest Sha256(std::string_view bytes);
// HMAC-SHA-256 under `key` of `text` followed by the previous entry's MAC.
Digest ChainMac(const JournalKey& key, std::string_view text, const Digest& previous);
// The key after `key`: SHA-256 under a name of its own, so that no other hash of the journal
// can give it. Who holds a key cannot go back to the ones before it.
JournalKey NextKey(const JournalKey& key);

// Lower-case hex digits, two per byte.
std::string Hex(std::span<const unsigned char> bytes);
// Nothing unless `hex` is exactly 64 hex digits.
std::optional<Digest> DigestOfHex(std::string_view hex);

}  // namespace durava::journal
