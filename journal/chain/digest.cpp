// SPDX-License-Identifier: MIT
#include "journal/chain/digest.h"

#include <sodium.h>

#include <cstdlib>

namespace durava::journal {
namespace {

static_assert(Digest().size() == crypto_hash_sha256_BYTES);
static_assert(JournalKey().size() == crypto_auth_hmacsha256_KEYBYTES);

void RequireSodium() {
    if (!SodiumReady()) std::abort();  // no randomness at all: nothing could be kept safe
}

const unsigned char* Bytes(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

// A check reads a MAC per entry: the digits are looked up, not compared.
constexpr std::array<signed char, 256> kHexValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int digit = 0; digit < 10; ++digit) values['0' + digit] = static_cast<signed char>(digit);
    for (int digit = 0; digit < 6; ++digit) {
        values['a' + digit] = values['A' + digit] = static_cast<signed char>(10 + digit);
    }
    return values;
}();

int HexValue(char c) {
    return kHexValues[static_cast<unsigned char>(c)];
}

}  // namespace

Digest Sha256(std::string_view bytes) {
    RequireSodium();
    Digest digest;
    crypto_hash_sha256(digest.data(), Bytes(bytes), bytes.size());
    return digest;
}

Digest ChainMac(const JournalKey& key, std::string_view text, const Digest& previous) {
    RequireSodium();
    crypto_auth_hmacsha256_state state;
    crypto_auth_hmacsha256_init(&state, key.data(), key.size());
    crypto_auth_hmacsha256_update(&state, Bytes(text), text.size());
    crypto_auth_hmacsha256_update(&state, previous.data(), previous.size());
    Digest mac;
    crypto_auth_hmacsha256_final(&state, mac.data());
    sodium_memzero(&state, sizeof state);
    return mac;
}

JournalKey NextKey(const JournalKey& key) {
    RequireSodium();
    static constexpr std::string_view kStep = "durava/journal/next-key";
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    crypto_hash_sha256_update(&state, Bytes(kStep), kStep.size());
    crypto_hash_sha256_update(&state, key.data(), key.size());
    JournalKey next;
    crypto_hash_sha256_final(&state, next.data());
    sodium_memzero(&state, sizeof state);
    return next;
}

std::string Hex(std::span<const unsigned char> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex(bytes.size() * 2, '0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        hex[2 * i] = kDigits[bytes[i] >> 4];
        hex[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return hex;
}

std::optional<Digest> DigestOfHex(std::string_view hex) {
    Digest digest;
    if (hex.size() != digest.size() * 2) return std::nullopt;
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = HexValue(hex[2 * i]), low = HexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        digest[i] = static_cast<unsigned char>(high << 4 | low);
    }
    return digest;
}

}  // namespace durava::journal
