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

#include "trust/ourfiles.h"
#include "trust/secrets.h"

namespace durava::trust {

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
    JournalSalt journalSalt;
    JournalKey firstJournalKey{};
};
// Nothing when the memory Argon2id asks for cannot be had.
std::optional<NewPassword> MakePassword(std::u16string_view password,
                                        HashCost cost = kInteractiveCost);

struct Owner {
    std::string passwordHash;
    JournalSalt journalSalt;
    std::set<OwnerAction> ownerOnly = DefaultOwnerOnly();

    // The first password, a changed one or a start over: a new journal chain begins with it; the
    // owner-only actions stay as they were.
    void SetPassword(const NewPassword& password);
    // Slow (Argon2id): checked off the window thread.
    bool Verify(std::u16string_view password) const { return VerifySecret(passwordHash, password); }
    bool OwnerOnly(OwnerAction action) const { return ownerOnly.contains(action); }
};

std::filesystem::path OwnerFile(const std::filesystem::path& duravaFolder);
FileRead<Owner> ReadOwner(const std::filesystem::path& duravaFolder);
// Under the store lock, with the journal entry that tells of the change.
FileState WriteOwner(const std::filesystem::path& duravaFolder, const Owner& owner);

}  // namespace durava::trust
