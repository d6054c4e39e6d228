// SPDX-License-Identifier: MIT
#include "trust/protection.h"

namespace durava::trust {

std::optional<FileTrouble> OwnerRules::Trouble() const {
    if (!On()) return std::nullopt;
    if (owner.state != FileState::Ok) return FileTrouble{OwnerFile(folder), owner.state};
    if (operators.state != FileState::Ok) {
        return FileTrouble{OperatorsFile(folder), operators.state};
    }
    return std::nullopt;
}

bool OwnerRules::AsksOwner(OwnerAction action) const {
    return On() && (!owner.content || owner.content->OwnerOnly(action));
}

OwnerRules ReadOwnerRules(const std::filesystem::path& settingsPath) {
    const std::filesystem::path folder = DuravaFolder(settingsPath);
    return {ReadOwner(folder), ReadOperators(folder), folder};
}

std::optional<FileTrouble> SetOwnerPassword(const std::filesystem::path& duravaFolder,
                                            const NewPassword& password) {
    if (ReadOperators(duravaFolder).state == FileState::Missing) {
        if (const FileState state = WriteOperators(duravaFolder, {}); state != FileState::Ok) {
            return FileTrouble{OperatorsFile(duravaFolder), state};
        }
    }
    Owner owner = ReadOwner(duravaFolder).content.value_or(Owner{});
    owner.SetPassword(password);
    if (const FileState state = WriteOwner(duravaFolder, owner); state != FileState::Ok) {
        return FileTrouble{OwnerFile(duravaFolder), state};
    }
    return std::nullopt;
}

}  // namespace durava::trust
