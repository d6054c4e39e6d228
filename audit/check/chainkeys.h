// SPDX-License-Identifier: MIT
#pragma once
// The keys of the chain the owner's check walks: whether an entry's MAC holds, under the owner's
// first keys given to the check or the public one, and what kind of chain it is.
#include <functional>
#include <optional>
#include <vector>

#include "journal/chain/chain.h"
#include "journal/chain/secrets.h"
#include "journal/entry.h"

namespace durava::audit {

// The keys of one chain, from its first, one kept every so many entries, so that any key is found
// again within that many steps.
class KeyLadder {
  public:
    explicit KeyLadder(const journal::JournalKey& first) : m_kept{first}, m_key(first) {}

    // The key of entry `seq`, from 1.
    const journal::JournalKey& At(std::uint64_t seq);

  private:
    std::vector<journal::JournalKey> m_kept;  // the keys of entries 1, 1 + kKeysApart, ...
    std::uint64_t m_seq = 1;
    journal::JournalKey m_key;
};

class ChainKeys {
  public:
    enum class Verdict {
        Checked,
        Unchecked,      // an owner's chain without the owner's key
        OtherOwnerKey,  // an owner's chain begun with a key the check was not given: unchecked
        Failed,
    };

    // The first keys of the owner's chains: the current password's, when one is set, and the
    // earlier passwords'. They must outlive the walk.
    ChainKeys(const std::optional<journal::JournalKey>& owner,
              const std::vector<journal::JournalKey>& earlier);

    // The first entry of a chain, which follows nothing; the chain walked from now on.
    Verdict Begin(const journal::ReadLine& read, const journal::ChainStart& start);
    // The first entry met of a chain begun before it, after `previous`: a chain of one of the
    // keys given, or, when none opens it and `earlierIsOwners` says the chain is the owner's, one
    // begun with a key not given (unchecked when the owner's key was not given either).
    Verdict Find(const journal::ReadLine& read, const journal::Digest& previous,
                 const std::function<bool()>& earlierIsOwners);
    // Whether an entry of the chain walked follows `previous`; only when the chain Opens.
    bool Follows(const journal::ReadLine& read, const journal::Digest& previous);

    bool Walking() const { return m_chain.has_value(); }
    // Whether the chain walked can be checked.
    bool Opens() const { return m_chain && m_chain->keys; }
    journal::Protection Protection() const { return m_chain->protection; }

  private:
    struct Chain {
        journal::Protection protection;
        std::optional<KeyLadder> keys;  // nothing for an owner's chain without the owner's key
    };

    bool m_ownerGiven;
    // The owner's first keys: the current password's, then the earlier ones.
    std::vector<const journal::JournalKey*> m_owner;
    // The keys Find tries, the owner's then the public one, each moved on in step with the lines
    // it is asked about: lines no key places cost no walk from a first key each.
    std::vector<KeyLadder> m_candidates;
    std::optional<bool> m_earlierIsOwners;
    std::optional<Chain> m_chain;
};

}  // namespace durava::audit
