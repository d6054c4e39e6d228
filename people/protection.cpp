// SPDX-License-Identifier: MIT
#include "people/protection.h"

namespace durava::people {

std::optional<journal::FileTrouble> OwnerRules::Trouble() const {
    if (!On()) return std::nullopt;
    if (owner.state != journal::FileState::Ok)
        return journal::FileTrouble{OwnerFile(folder), owner.state};
    if (operators.state != journal::FileState::Ok) {
        return journal::FileTrouble{OperatorsFile(folder), operators.state};
    }
    return std::nullopt;
}

bool OwnerRules::AsksOwner(OwnerAction action) const {
    return On() && (!owner.content || owner.content->OwnerOnly(action));
}

OwnerRules ReadOwnerRules(const std::filesystem::path& settingsPath) {
    const std::filesystem::path folder = journal::DuravaFolder(settingsPath);
    return {ReadOwner(folder), ReadOperators(folder), folder};
}

std::optional<journal::FileTrouble> SetOwnerPassword(const std::filesystem::path& duravaFolder,
                                                     const NewPassword& password) {
    if (ReadOperators(duravaFolder).state == journal::FileState::Missing) {
        if (const journal::FileState state = WriteOperators(duravaFolder, {});
            state != journal::FileState::Ok) {
            return journal::FileTrouble{OperatorsFile(duravaFolder), state};
        }
    }
    Owner owner = ReadOwner(duravaFolder).content.value_or(Owner{});
    owner.SetPassword(password);
    if (const journal::FileState state = WriteOwner(duravaFolder, owner);
        state != journal::FileState::Ok) {
        return journal::FileTrouble{OwnerFile(duravaFolder), state};
    }
    return std::nullopt;
}

}  // namespace durava::people
