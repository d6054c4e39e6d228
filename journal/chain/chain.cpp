// SPDX-License-Identifier: MIT
#include "journal/chain/chain.h"

#include <charconv>
#include <cstdio>
#include <span>

namespace durava::journal {
namespace {

// "DURAVA KEY 1 <next, 20 digits> <month, 6 digits> <key> <last MAC> <checksum>" and CR LF.
constexpr std::string_view kKeyMark = "DURAVA KEY 1 ";
constexpr std::size_t kChecksumBytes = 8;

std::string Checksum(std::string_view body) {
    const Digest digest = Sha256(body);
    return Hex(std::span(digest).first(kChecksumBytes));
}

template <typename Number>
bool ReadNumber(std::string_view digits, Number& value) {
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size();
}

}  // namespace

ChainState NewChain(const JournalKey& first) {
    ChainState state;
    state.key = first;
    return state;
}

JournalKey KeyAt(const JournalKey& first, std::uint64_t seq) {
    JournalKey key = first;
    for (std::uint64_t step = 1; step < seq; ++step) key = NextKey(key);
    return key;
}

ChainState After(const ChainState& state, const Digest& mac, int month) {
    return {state.next + 1, NextKey(state.key), mac, month};
}

bool IsNextEntry(const ChainState& state, const ReadLine& line) {
    return line.seq == state.next && ChainMac(state.key, line.text, state.last) == line.mac;
}

std::string Seal(ChainState& state, const Entry& entry, int month) {
    const std::string text = EntryText(state.next, entry);
    const Digest mac = ChainMac(state.key, text, state.last);
    state = After(state, mac, month);
    return JournalLine(text, mac);
}

std::string KeyRecord(const ChainState& state) {
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%020llu %06d ",
                  static_cast<unsigned long long>(state.next), state.lastMonth);
    std::string body = std::string(kKeyMark) + numbers + Hex(state.key) + " " + Hex(state.last);
    const std::string checksum = Checksum(body);
    return body + " " + checksum + "\r\n";
}

std::optional<ChainState> ReadKeyRecord(std::string_view bytes) {
    const std::size_t size = KeyRecord({}).size();
    if (bytes.size() != size || !bytes.starts_with(kKeyMark) || !bytes.ends_with("\r\n")) {
        return std::nullopt;
    }
    const std::size_t checksumAt = size - 2 - 2 * kChecksumBytes;
    const std::string_view body = bytes.substr(0, checksumAt - 1);
    if (bytes[checksumAt - 1] != ' ' ||
        Checksum(body) != bytes.substr(checksumAt, 2 * kChecksumBytes)) {
        return std::nullopt;
    }
    std::string_view rest = body.substr(kKeyMark.size());
    ChainState state;
    const std::optional<Digest> key = DigestOfHex(rest.substr(28, 64));
    const std::optional<Digest> last = DigestOfHex(rest.substr(93, 64));
    if (!ReadNumber(rest.substr(0, 20), state.next) ||
        !ReadNumber(rest.substr(21, 6), state.lastMonth) || !key || !last || state.next == 0) {
        return std::nullopt;
    }
    state.key = *key;
    state.last = *last;
    return state;
}

}  // namespace durava::journal
