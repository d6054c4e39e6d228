// SPDX-License-Identifier: MIT
#include "people/protection.h"

namespace durava::people {
namespace {

// The owner's note that there are operators, when the owner's file holds another.
std::optional<journal::FileTrouble> NoteOperators(const std::filesystem::path& duravaFolder,
                                                  bool added) {
    journal::FileRead<Owner> read = ReadOwner(duravaFolder);
    if (!read.content || read.content->operatorsAdded == added) return std::nullopt;
    read.content->operatorsAdded = added;
    if (const journal::FileState state = WriteOwner(duravaFolder, *read.content);
        state != journal::FileState::Ok) {
        return journal::FileTrouble{OwnerFile(duravaFolder), state};
    }
    return std::nullopt;
}

}  // namespace

std::optional<journal::FileTrouble> OwnerRules::Trouble() const {
    if (!On()) return std::nullopt;
    if (owner.state != journal::FileState::Ok)
        return journal::FileTrouble{OwnerFile(folder), owner.state};
    if (operators.state != journal::FileState::Ok) {
        return journal::FileTrouble{OperatorsFile(folder), operators.state};
    }
    if (owner.content->operatorsAdded && operators.content->Empty())
        return journal::FileTrouble{OperatorsFile(folder), journal::FileState::Damaged};
    return std::nullopt;
}

bool OwnerRules::AsksOwner(OwnerAction action) const {
    return On() && (!owner.content || owner.content->OwnerOnly(action));
}

OwnerRules ReadOwnerRules(const std::filesystem::path& settingsPath) {
    const std::filesystem::path folder = journal::DuravaFolder(settingsPath);
    return {ReadOwner(folder), ReadOperators(folder), folder};
}

std::optional<journal::FileTrouble> SaveOperators(const std::filesystem::path& duravaFolder,
                                                  const Operators& operators) {
    // The note is written first when there are operators and last when there are none, so that
    // a write that fails halfway leaves the desk shut rather than open.
    const bool any = !operators.Empty();
    if (any) {
        if (std::optional<journal::FileTrouble> trouble = NoteOperators(duravaFolder, true))
            return trouble;
    }
    if (const journal::FileState state = WriteOperators(duravaFolder, operators);
        state != journal::FileState::Ok) {
        return journal::FileTrouble{OperatorsFile(duravaFolder), state};
    }
    return any ? std::nullopt : NoteOperators(duravaFolder, false);
}

std::optional<journal::FileTrouble> SetOwnerPassword(const std::filesystem::path& duravaFolder,
                                                     const NewPassword& password,
                                                     std::optional<core::DateTime> restartedAt) {
    if (ReadOperators(duravaFolder).state == journal::FileState::Missing) {
        if (const journal::FileState state = WriteOperators(duravaFolder, {});
            state != journal::FileState::Ok) {
            return journal::FileTrouble{OperatorsFile(duravaFolder), state};
        }
    }
    Owner owner = ReadOwner(duravaFolder).content.value_or(Owner{});
    // Of starts over in a row, the first replaced the password the owner knows.
    if (!restartedAt) {
        owner.restart.reset();
    } else if (!owner.restart && !owner.passwordHash.empty()) {
        owner.restart = Restart{owner.passwordHash, core::TimeText(*restartedAt)};
    }
    owner.SetPassword(password);
    if (const journal::FileState state = WriteOwner(duravaFolder, owner);
        state != journal::FileState::Ok) {
        return journal::FileTrouble{OwnerFile(duravaFolder), state};
    }
    return std::nullopt;
}

}  // namespace durava::people
