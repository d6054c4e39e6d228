// SPDX-License-Identifier: MIT
#pragma once
// A hash table of item names, for the takings per item.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace durava::history {

// Item names to their places in a list, without a node per name: open addressing over a table
// kept at least twice as large as the names, since a month may hold thousands of them. Each slot
// keeps its name's hash, so that a probe rarely has to look at the name itself.
class NameIndex {
  public:
    // The hash of `name` for Find. Its slot is fetched meanwhile: with thousands of names the
    // table is far larger than the cache, and the wait for it was most of the time of a sum.
    std::size_t Expect(std::string_view name) const {
        const std::size_t hash = std::hash<std::string_view>{}(name);
        if (!m_slots.empty()) __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
        return hash;
    }
    // The place of `name`, whose hash is `hash`, among `names`, appending it when new.
    template <typename Names>
    std::pair<std::size_t, bool> Find(std::string_view name, std::size_t hash, Names& names) {
        if (2 * (names.size() + 1) > m_slots.size()) Grow(names);
        Slot& slot = SlotOf(name, hash, names);
        if (slot.place != kNone) return {slot.place, false};
        slot.place = names.size();
        names.push_back({name, {}});
        return {slot.place, true};
    }
    // Takes back the name that the last Find appended.
    template <typename Names>
    void RemoveLast(Names& names) {
        SlotOf(names.back().name, Hash(names.back().name), names).place = kNone;
        names.pop_back();
    }

  private:
    static constexpr std::size_t kNone = SIZE_MAX;
    struct Slot {
        std::size_t hash = 0;
        std::size_t place = kNone;
    };

    static std::size_t Hash(std::string_view name) { return std::hash<std::string_view>{}(name); }
    template <typename Names>
    Slot& SlotOf(std::string_view name, std::size_t hash, const Names& names) {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t at = hash & mask;
        while (m_slots[at].place != kNone &&
               (m_slots[at].hash != hash || names[m_slots[at].place].name != name)) {
            at = (at + 1) & mask;
        }
        m_slots[at].hash = hash;
        return m_slots[at];
    }
    template <typename Names>
    void Grow(const Names& names) {
        m_slots.assign(std::max<std::size_t>(m_slots.size() * 2, 1024), Slot{});
        for (std::size_t place = 0; place < names.size(); ++place) {
            SlotOf(names[place].name, Hash(names[place].name), names).place = place;
        }
    }

    std::vector<Slot> m_slots;
};

}  // namespace durava::history
