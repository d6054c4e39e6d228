// SPDX-License-Identifier: MIT
#include "audit/checkouts.h"

namespace durava::audit {

std::uint64_t RecordKey(const journal::Digest& record) {
    std::uint64_t key = 0;
    for (int i = 0; i < 8; ++i) key = key << 8 | record[i];
    return key;
}

std::optional<std::size_t> Checkouts::Add(const journal::ReadLine& checkout) {
    const std::string_view record = checkout.Value(journal::Field::RecordHash).value_or("");
    auto last = m_lastOfItem.find(checkout.item);
    if (last == m_lastOfItem.end()) {
        last = m_lastOfItem.emplace(checkout.item, Last{}).first;
    } else if (!record.empty() && last->second.record == record && m_stands[last->second.number]) {
        return std::nullopt;
    }
    last->second.record = record;
    last->second.number = m_stands.size();
    last->second.seq = checkout.seq;
    last->second.time = checkout.time;
    m_stands.push_back(true);
    return last->second.number;
}

std::optional<Checkouts::TakeBackOf> Checkouts::TakeBack(const journal::ReadLine& refusal) {
    const std::optional<std::string_view> record = refusal.Value(journal::Field::RecordHash);
    const auto last = m_lastOfItem.find(refusal.item);
    if (!record || record->empty() || last == m_lastOfItem.end() ||
        last->second.record != *record || !m_stands[last->second.number]) {
        return std::nullopt;
    }
    const bool inPlace = refusal.seq == last->second.seq + 1;
    if (inPlace) m_stands[last->second.number] = false;
    return TakeBackOf{last->second.number, inPlace, last->second.time};
}

}  // namespace durava::audit
