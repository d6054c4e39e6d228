// SPDX-License-Identifier: MIT
#pragma once
// What protects the desk, read afresh before each protected action: another desk on the same
// folder may have changed it. With no owner file, nothing is protected and nothing asks. With one,
// an owner or operators file that cannot be trusted refuses every protected action, with a
// message that names it.
#include <filesystem>
#include <optional>

#include "core/datetime.h"
#include "people/operators.h"
#include "people/owner.h"

namespace durava::people {

// What the owner asks of the desk, as the Durava folder holds it now.
struct OwnerRules {
    journal::FileRead<Owner> owner;
    journal::FileRead<Operators> operators;
    std::filesystem::path folder;

    // The owner has set a password (the file is there, whatever its state).
    bool On() const { return owner.state != journal::FileState::Missing; }
    // The file that refuses every protected action; nothing when none does. An operators file
    // emptied behind the owner's back is damaged.
    std::optional<journal::FileTrouble> Trouble() const;
    // The only trouble is the operators file: the owner may still make a new one.
    bool OnlyOperatorsInTrouble() const {
        return owner.state == journal::FileState::Ok && Trouble();
    }
    // With operators, the program opens on a login and every entry names who is on duty.
    bool NeedsLogin() const { return On() && operators.content && !operators.content->Empty(); }
    // Whether taking `action` asks for the owner's password first.
    bool AsksOwner(OwnerAction action) const;
};

// Reads both files from the folder beside the settings file.
OwnerRules ReadOwnerRules(const std::filesystem::path& settingsPath);

// Under the store lock: the operators, with the owner's note of whether there are any. Nothing,
// or the file that failed.
std::optional<journal::FileTrouble> SaveOperators(const std::filesystem::path& duravaFolder,
                                                  const Operators& operators);

// Under the store lock: a first password, a change (the old one checked first) or a start over
// (the old one forgotten, at `restartedAt`, and kept to be told of). The owner-only actions and
// the operators stay; an operators file is made when there is none, so that its loss later is
// seen. Nothing, or the file that failed.
std::optional<journal::FileTrouble> SetOwnerPassword(
    const std::filesystem::path& duravaFolder, const NewPassword& password,
    std::optional<core::DateTime> restartedAt = std::nullopt);

}  // namespace durava::people
