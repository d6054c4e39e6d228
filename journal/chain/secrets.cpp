// SPDX-License-Identifier: MIT
#include "journal/chain/secrets.h"

#include <sodium.h>

#include <algorithm>

#include "core/utf8.h"
#include "journal/chain/digest.h"

namespace durava::journal {

// libsodium makes itself ready once per process; sodium_init is safe to call from any thread.
bool SodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}
namespace {

static_assert(kInteractiveCost.passes == crypto_pwhash_argon2id_OPSLIMIT_INTERACTIVE &&
              kInteractiveCost.memory == crypto_pwhash_argon2id_MEMLIMIT_INTERACTIVE);
static_assert(kCheapestCost.passes == crypto_pwhash_argon2id_OPSLIMIT_MIN &&
              kCheapestCost.memory == crypto_pwhash_argon2id_MEMLIMIT_MIN);
static_assert(JournalKey().size() == crypto_auth_hmacsha256_KEYBYTES);
static_assert(JournalSalt().bytes.size() == crypto_pwhash_argon2id_SALTBYTES);

// A cost read from a file beyond the program's own is taken for damage: whoever wrote it could
// make every login wait, or ask a desk for gigabytes.
bool IsOurCost(unsigned long long passes, unsigned long long memory) {
    return passes >= kCheapestCost.passes && passes <= kInteractiveCost.passes &&
           memory >= kCheapestCost.memory && memory <= kInteractiveCost.memory;
}

// The secret's UTF-8 bytes, wiped when the hash no longer needs them.
class SecretBytes {
  public:
    explicit SecretBytes(std::u16string_view secret) : m_bytes(core::WideToUtf8(secret)) {}
    ~SecretBytes() { sodium_memzero(m_bytes.data(), m_bytes.size()); }
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;

    const char* data() const { return m_bytes.data(); }
    unsigned long long size() const { return m_bytes.size(); }

  private:
    std::string m_bytes;
};

std::optional<unsigned long long> ReadNumber(std::string_view text) {
    if (text.empty() || text.size() > 19) return std::nullopt;
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned long long>(c - '0');
    }
    return value;
}

}  // namespace

std::optional<std::string> HashSecret(std::u16string_view secret, HashCost cost) {
    if (!SodiumReady()) return std::nullopt;
    const SecretBytes bytes(secret);
    char hash[crypto_pwhash_argon2id_STRBYTES];
    if (crypto_pwhash_argon2id_str(hash, bytes.data(), bytes.size(), cost.passes, cost.memory) !=
        0) {
        return std::nullopt;
    }
    return std::string(hash);
}

bool VerifySecret(const std::string& hash, std::u16string_view secret) {
    if (!SodiumReady() || !IsSecretHash(hash)) return false;
    const SecretBytes bytes(secret);
    return crypto_pwhash_argon2id_str_verify(hash.c_str(), bytes.data(), bytes.size()) == 0;
}

bool IsSecretHash(const std::string& text) {
    // $argon2id$v=19$m=<KiB>,t=<passes>,p=1$<salt>$<hash>
    constexpr std::string_view kHead = "$argon2id$v=19$m=";
    const std::string_view rest =
        std::string_view(text).substr(std::min(text.size(), kHead.size()));
    const std::size_t passesAt = rest.find(",t="), parallelAt = rest.find(",p=1$");
    if (!text.starts_with(kHead) || passesAt == std::string_view::npos ||
        parallelAt == std::string_view::npos || parallelAt < passesAt) {
        return false;
    }
    const auto kibibytes = ReadNumber(rest.substr(0, passesAt));
    const auto passes = ReadNumber(rest.substr(passesAt + 3, parallelAt - passesAt - 3));
    return kibibytes && passes && *kibibytes <= kInteractiveCost.memory / 1024 &&
           IsOurCost(*passes, *kibibytes * 1024) && SodiumReady() &&
           text.size() < crypto_pwhash_argon2id_STRBYTES &&
           crypto_pwhash_argon2id_str_needs_rehash(text.c_str(), kInteractiveCost.passes,
                                                   kInteractiveCost.memory) != -1;
}

JournalSalt NewJournalSalt(HashCost cost) {
    JournalSalt salt{{}, cost};
    // The generator readies itself when libsodium could not; it ends the program rather than give
    // bytes that are not random.
    SodiumReady();
    randombytes_buf(salt.bytes.data(), salt.bytes.size());
    return salt;
}

std::string JournalSaltText(const JournalSalt& salt) {
    char hex[2 * sizeof salt.bytes + 1];
    sodium_bin2hex(hex, sizeof hex, salt.bytes.data(), salt.bytes.size());
    return std::to_string(salt.cost.passes) + ',' + std::to_string(salt.cost.memory) + ',' + hex;
}

std::optional<JournalSalt> ReadJournalSalt(std::string_view text) {
    const std::size_t first = text.find(','), second = text.find(',', first + 1);
    if (second == std::string_view::npos || !SodiumReady()) return std::nullopt;
    const auto passes = ReadNumber(text.substr(0, first));
    const auto memory = ReadNumber(text.substr(first + 1, second - first - 1));
    const std::string_view hex = text.substr(second + 1);
    JournalSalt salt;
    std::size_t length = 0;
    if (!passes || !memory || !IsOurCost(*passes, *memory) || hex.size() != 2 * salt.bytes.size() ||
        sodium_hex2bin(salt.bytes.data(), salt.bytes.size(), hex.data(), hex.size(), nullptr,
                       &length, nullptr) != 0 ||
        length != salt.bytes.size()) {
        return std::nullopt;
    }
    salt.cost = {*passes, static_cast<std::size_t>(*memory)};
    return salt;
}

std::optional<JournalKey> DeriveJournalKey(std::u16string_view password, const JournalSalt& salt) {
    if (!SodiumReady()) return std::nullopt;
    const SecretBytes bytes(password);
    JournalKey key;
    if (crypto_pwhash(key.data(), key.size(), bytes.data(), bytes.size(), salt.bytes.data(),
                      salt.cost.passes, salt.cost.memory, crypto_pwhash_ALG_ARGON2ID13) != 0) {
        return std::nullopt;
    }
    return key;
}

std::string SealKey(const JournalKey& key, const JournalKey& under) {
    static_assert(JournalKey().size() == crypto_secretbox_KEYBYTES);
    std::array<unsigned char,
               crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + JournalKey().size()>
        sealed;
    SodiumReady();
    randombytes_buf(sealed.data(), crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(sealed.data() + crypto_secretbox_NONCEBYTES, key.data(), key.size(),
                          sealed.data(), under.data());
    return Hex(sealed);
}

std::optional<JournalKey> OpenSealedKey(std::string_view sealed, const JournalKey& under) {
    std::array<unsigned char,
               crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + JournalKey().size()>
        bytes;
    std::size_t length = 0;
    JournalKey key;
    if (sealed.size() != 2 * bytes.size() || !SodiumReady() ||
        sodium_hex2bin(bytes.data(), bytes.size(), sealed.data(), sealed.size(), nullptr, &length,
                       nullptr) != 0 ||
        length != bytes.size() ||
        crypto_secretbox_open_easy(key.data(), bytes.data() + crypto_secretbox_NONCEBYTES,
                                   bytes.size() - crypto_secretbox_NONCEBYTES, bytes.data(),
                                   under.data()) != 0) {
        return std::nullopt;
    }
    return key;
}

}  // namespace durava::journal
