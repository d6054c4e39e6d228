// SPDX-License-Identifier: MIT
#pragma once
// What counts as a checkout wherever the journal's checkouts are summed or looked for: the shift,
// the takings per operator and the owner's check. A checkout journaled again after a kill names
// the record of one already journaled and is that one; a checkout taken back (a refusal naming
// its record: the checkout wrote it, could not set the item idle and removed it) is none. The
// checkout writes its take-back as its very next entry, under the lock it holds: a refusal
// anywhere else takes nothing back, whatever it names.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "journal/entry.h"

namespace durava::audit {

// The first 8 bytes of a record's SHA-256, which tell a hall's records apart.
std::uint64_t RecordKey(const journal::Digest& record);

// Texts looked up as they stand in a line, without a copy: a year holds a million checkouts.
struct LineTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

// The checkouts handed in, in the order of their lines, and which of them still stand.
class Checkouts {
  public:
    // A checkout's line: its number, from 0, when it stands as a checkout of its own; nothing when
    // it names the record of one that stands.
    std::optional<std::size_t> Add(const journal::ReadLine& checkout);
    // A refusal's line that names the record of a checkout that stands: its number, and whether
    // the refusal is the entry right after it and so takes it back; nothing when it names none.
    struct TakeBackOf {
        std::size_t number;
        bool inPlace;
        const std::string& time;  // the checkout's, as written; valid until the next line
    };
    std::optional<TakeBackOf> TakeBack(const journal::ReadLine& refusal);
    bool Stands(std::size_t number) const { return m_stands[number]; }

  private:
    // An item stays in use until a checkout sets it idle: the checkout that one journaled again
    // or a refusal names is the last of its item.
    struct Last {
        std::string record;  // its hash as written; empty when none
        std::size_t number;
        std::uint64_t seq;
        std::string time;
    };
    // By the item as written.
    std::unordered_map<std::string, Last, LineTextHash, std::equal_to<>> m_lastOfItem;
    std::vector<bool> m_stands;
};

}  // namespace durava::audit
