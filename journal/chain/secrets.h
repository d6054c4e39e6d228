// SPDX-License-Identifier: MIT
#pragma once
// The owner's password and the operators' PINs are kept only as Argon2id hashes, and the
// journal's first key is derived from the owner's password. Argon2id is slow by design: every
// function here that hashes takes a noticeable part of a second and shares nothing, so the
// windows run it on a thread of their own and only its result on the window thread.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace durava::journal {

// The work and memory one Argon2id hash costs.
struct HashCost {
    unsigned long long passes = 0;
    std::size_t memory = 0;  // bytes
    bool operator==(const HashCost&) const = default;
};
// What a login or an owner prompt can afford: well under a second on the hall's computer (see
// bench/trust_bench.cpp). The hash keeps its cost, so a check needs none of its own.
inline constexpr HashCost kInteractiveCost{2, std::size_t{64} << 20};
// The least Argon2id allows: for tests, which hash many secrets.
inline constexpr HashCost kCheapestCost{1, 8192};

// A secret as the screen holds it, hashed as its UTF-8 bytes. Nothing when the memory the cost
// asks for cannot be had.
std::optional<std::string> HashSecret(std::u16string_view secret, HashCost cost);
// False for a wrong secret and for a hash that is not one of ours.
bool VerifySecret(const std::string& hash, std::u16string_view secret);
// Whether a text read from a file has the form HashSecret gives.
bool IsSecretHash(const std::string& text);

// Whether libsodium could make itself ready; without randomness no secret can be kept.
bool SodiumReady();

// The first key of a journal chain, and every key after it.
using JournalKey = std::array<unsigned char, 32>;

// Public, unlike the salt's secret: what a new chain is derived with, kept beside the password's
// hash, so that the owner's check can derive the same first key again.
struct JournalSalt {
    std::array<unsigned char, 16> bytes{};
    HashCost cost;
    bool operator==(const JournalSalt&) const = default;
};
JournalSalt NewJournalSalt(HashCost cost);
// "2,67108864,<32 hex digits>": passes, memory, salt. Read back only within the cost Argon2id
// and a desk's memory allow.
std::string JournalSaltText(const JournalSalt& salt);
std::optional<JournalSalt> ReadJournalSalt(std::string_view text);

// Raw Argon2id over the password's UTF-8 bytes. Nothing when the memory cannot be had.
std::optional<JournalKey> DeriveJournalKey(std::u16string_view password, const JournalSalt& salt);

// The first key of a chain the owner began with an earlier password, sealed (XSalsa20-Poly1305)
// under the first key of the current password's chain, in hex: a changed password still opens
// every chain the owner began, and nothing else does.
std::string SealKey(const JournalKey& key, const JournalKey& under);
// Nothing when the text is not a key sealed under `under`.
std::optional<JournalKey> OpenSealedKey(std::string_view sealed, const JournalKey& under);

// The first key of a chain begun with no owner password. Anyone can compute it, and with it
// every key after it, so such a journal is a plain hash chain: it shows an edit made by hand, but
// not a forger who knows the program.
inline constexpr JournalKey kPublicJournalKey = [] {
    constexpr std::string_view text = "durava/journal/no-owner-password";
    static_assert(text.size() == JournalKey().size());
    JournalKey key{};
    for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<unsigned char>(text[i]);
    return key;
}();

}  // namespace durava::journal
