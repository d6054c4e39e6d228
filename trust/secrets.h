// SPDX-License-Identifier: MIT
#pragma once
// The journal's first key: derived from the owner's password, or public when there is none.
#include <array>
#include <cstddef>
#include <string_view>

namespace durava::trust {

// The first key of a journal chain, and every key after it.
using JournalKey = std::array<unsigned char, 32>;

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

}  // namespace durava::trust
