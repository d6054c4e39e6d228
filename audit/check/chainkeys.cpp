// SPDX-License-Identifier: MIT
#include "audit/check/chainkeys.h"

#include <algorithm>
#include <utility>

namespace durava::audit {
namespace {

constexpr std::uint64_t kKeysApart = 4096;

}  // namespace

const journal::JournalKey& KeyLadder::At(std::uint64_t seq) {
    if (seq < m_seq) {
        // Every key kept so far lies at or below m_seq.
        const std::size_t kept = std::min<std::size_t>(
            (std::max<std::uint64_t>(seq, 1) - 1) / kKeysApart, m_kept.size() - 1);
        m_seq = kept * kKeysApart + 1;
        m_key = m_kept[kept];
    }
    for (; m_seq < seq; ++m_seq) {
        m_key = journal::NextKey(m_key);
        if (m_seq % kKeysApart == 0 && m_seq / kKeysApart == m_kept.size()) {
            m_kept.push_back(m_key);
        }
    }
    return m_key;
}

ChainKeys::ChainKeys(const std::optional<journal::JournalKey>& owner,
                     const std::vector<journal::JournalKey>& earlier)
    : m_ownerGiven(owner.has_value()) {
    if (owner) m_owner.push_back(&*owner);
    for (const journal::JournalKey& key : earlier) m_owner.push_back(&key);
    for (const journal::JournalKey* first : m_owner) m_candidates.emplace_back(*first);
    m_candidates.emplace_back(journal::kPublicJournalKey);
}

ChainKeys::Verdict ChainKeys::Begin(const journal::ReadLine& read,
                                    const journal::ChainStart& start) {
    const bool owner = start.protection == journal::Protection::Owner;
    if (owner && !m_ownerGiven) {
        m_chain = Chain{start.protection, std::nullopt};
        return Verdict::Unchecked;
    }
    const std::vector<const journal::JournalKey*> firsts =
        owner ? m_owner : std::vector<const journal::JournalKey*>{&journal::kPublicJournalKey};
    for (const journal::JournalKey* first : firsts) {
        if (journal::ChainMac(*first, read.text, journal::Digest{}) == read.mac) {
            m_chain = Chain{start.protection, KeyLadder(*first)};
            return Verdict::Checked;
        }
    }
    if (!owner) return Verdict::Failed;
    // Begun with a password the owner's file does not know, or changed: its entries cannot be
    // checked.
    m_chain = Chain{start.protection, std::nullopt};
    return Verdict::OtherOwnerKey;
}

ChainKeys::Verdict ChainKeys::Find(const journal::ReadLine& read, const journal::Digest& previous,
                                   const std::function<bool()>& earlierIsOwners) {
    for (std::size_t key = 0; key < m_candidates.size(); ++key) {
        if (journal::ChainMac(m_candidates[key].At(read.seq), read.text, previous) == read.mac) {
            const bool owners = key < m_owner.size();
            m_chain = Chain{owners ? journal::Protection::Owner : journal::Protection::Unkeyed,
                            std::move(m_candidates[key])};
            m_candidates.clear();
            return Verdict::Checked;
        }
    }
    if (!m_earlierIsOwners) m_earlierIsOwners = earlierIsOwners();
    if (!*m_earlierIsOwners) return Verdict::Failed;
    // An owner's chain no key given opens: begun with a password the owner's file no longer
    // keeps, as before a start over.
    m_chain = Chain{journal::Protection::Owner, std::nullopt};
    return m_ownerGiven ? Verdict::OtherOwnerKey : Verdict::Unchecked;
}

bool ChainKeys::Follows(const journal::ReadLine& read, const journal::Digest& previous) {
    return journal::ChainMac(m_chain->keys->At(read.seq), read.text, previous) == read.mac;
}

}  // namespace durava::audit
