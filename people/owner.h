// SPDX-License-Identifier: MIT
#pragma once
// The owner's password and what only the owner may do. Opt-in: with no owner file there is no
// password and nothing asks for one. The file holds the password only as an Argon2id hash; a
// forgotten password cannot be recovered, only replaced by a start over, which begins a new
// journal chain.
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "journal/chain/secrets.h"
#include "journal/files/ourfiles.h"

namespace durava::people {

inline constexpr char kOwnerFileName[] = "owner.txt";

// What may ask for the owner's password when it is taken.
enum class OwnerAction {
    AddItem,
    ModifyItem,
    DeleteItem,
    Takings,    // the takings window
    Operators,  // adding, renaming and removing operators, changing their PINs
    Switch,     // 切换项目
    History,    // the history window
};
inline constexpr OwnerAction kOwnerActions[] = {
    OwnerAction::AddItem,   OwnerAction::ModifyItem, OwnerAction::DeleteItem, OwnerAction::Takings,
    OwnerAction::Operators, OwnerAction::Switch,     OwnerAction::History,
};
// Until the owner chooses otherwise: the tariffs, the takings and who is on duty.
std::set<OwnerAction> DefaultOwnerOnly();

inline constexpr std::size_t kMinPasswordLength = 6;
enum class PasswordFault { None, TooShort };
PasswordFault CheckOwnerPassword(std::u16string_view typed);

// What a new owner password gives: its hash, and the salt and first key of the journal chain that
// begins with it. Slow (two Argon2id runs): made off the window thread.
struct NewPassword {
    std::string hash;
    journal::JournalSalt journalSalt;
    journal::JournalKey firstJournalKey{};
    std::vector<std::string> earlierKeys{};  // see Owner::earlierKeys
};
// Nothing when the memory Argon2id asks for cannot be had.
std::optional<NewPassword> MakePassword(std::u16string_view password,
                                        journal::HashCost cost = journal::kInteractiveCost);

// A start over, until the owner next sets a password knowing the one before: the password it
// replaced, so that whoever types that one next hears of it.
struct Restart {
    std::string replacedHash;
    std::string time;  // as the journal writes times
};

struct Owner {
    std::string passwordHash;
    journal::JournalSalt journalSalt;
    std::set<OwnerAction> ownerOnly = DefaultOwnerOnly();
    // The first keys of the chains begun with earlier passwords, each sealed under the current
    // chain's first key: a changed password still checks the journal it kept before.
    std::vector<std::string> earlierKeys{};
    // The owner has added operators and not removed the last: an emptied operators file is then
    // a cashier's doing, not the owner's.
    bool operatorsAdded = false;
    std::optional<Restart> restart{};

    // The first password, a changed one or a start over: a new journal chain begins with it; the
    // owner-only actions stay as they were.
    void SetPassword(const NewPassword& password);
    // Slow (Argon2id): checked off the window thread.
    bool Verify(std::u16string_view password) const {
        return journal::VerifySecret(passwordHash, password);
    }
    bool OwnerOnly(OwnerAction action) const { return ownerOnly.contains(action); }
    // The earlier chains' first keys, opened with `current`, the current chain's first key.
    std::vector<journal::JournalKey> EarlierKeys(const journal::JournalKey& current) const;
};

// The first keys of every chain the owner began, for the owner's check: the current password's
// and those it keeps of earlier ones. Slow (one Argon2id run); nothing when the memory cannot be
// had.
struct OwnerChainKeys {
    journal::JournalKey current{};
    std::vector<journal::JournalKey> earlier;
};
std::optional<OwnerChainKeys> OpenOwnerChains(const Owner& owner, std::u16string_view password);

// A change of password keeps the chains begun before it open: the old password's first key and
// those it kept, sealed under the new password's. Slow (one Argon2id run). False when the memory
// cannot be had.
bool KeepEarlierKeys(NewPassword& password, const Owner& owner, std::u16string_view oldPassword);

std::filesystem::path OwnerFile(const std::filesystem::path& duravaFolder);
journal::FileRead<Owner> ReadOwner(const std::filesystem::path& duravaFolder);
// Under the store lock, with the journal entry that tells of the change.
journal::FileState WriteOwner(const std::filesystem::path& duravaFolder, const Owner& owner);

}  // namespace durava::people
