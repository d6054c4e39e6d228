// SPDX-License-Identifier: MIT
#include "people/owner.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "core/datetime.h"

namespace durava::people {
namespace {

// How each action is written in the owner file: stable words, not the captions of a version.
constexpr std::pair<OwnerAction, std::string_view> kActionWords[] = {
    {OwnerAction::AddItem, "add-item"},       {OwnerAction::ModifyItem, "modify-item"},
    {OwnerAction::DeleteItem, "delete-item"}, {OwnerAction::Takings, "takings"},
    {OwnerAction::Operators, "operators"},    {OwnerAction::Switch, "switch"},
    {OwnerAction::History, "history"},
};
static_assert(std::size(kActionWords) == std::size(kOwnerActions));

constexpr std::string_view kPasswordKey = "password=", kSaltKey = "journal-salt=",
                           kOwnerOnlyKey = "owner-only=", kEarlierKey = "earlier-key=",
                           kOperatorsKey = "operators=", kRestartedKey = "restarted=",
                           kReplacedKey = "replaced-password=";

std::string ActionsText(const std::set<OwnerAction>& actions) {
    std::string text;
    for (const auto& [action, word] : kActionWords) {
        if (!actions.contains(action)) continue;
        if (!text.empty()) text += ',';
        text += word;
    }
    return text;
}

std::optional<std::set<OwnerAction>> ReadActions(std::string_view text) {
    std::set<OwnerAction> actions;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view word = text.substr(0, comma);
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
        const auto* found = std::find_if(std::begin(kActionWords), std::end(kActionWords),
                                         [&](const auto& entry) { return entry.second == word; });
        if (found == std::end(kActionWords)) return std::nullopt;
        actions.insert(found->first);
    }
    return actions;
}

// Each key once, in any order, and nothing else: a file we did not write is not half believed.
std::optional<Owner> ReadOwnerText(std::string_view bytes) {
    std::optional<std::string> hash;
    std::optional<journal::JournalSalt> salt;
    std::optional<std::set<OwnerAction>> actions;
    std::vector<std::string> earlier;
    std::optional<bool> operators;  // an owner file older than the line holds none
    std::optional<std::string> restarted, replaced;
    for (std::string_view line : journal::ContentLines(bytes)) {
        if (line.starts_with(kPasswordKey) && !hash) {
            hash = std::string(line.substr(kPasswordKey.size()));
            if (!journal::IsSecretHash(*hash)) return std::nullopt;
        } else if (line.starts_with(kSaltKey) && !salt) {
            salt = journal::ReadJournalSalt(line.substr(kSaltKey.size()));
            if (!salt) return std::nullopt;
        } else if (line.starts_with(kOwnerOnlyKey) && !actions) {
            actions = ReadActions(line.substr(kOwnerOnlyKey.size()));
            if (!actions) return std::nullopt;
        } else if (line.starts_with(kEarlierKey)) {
            earlier.emplace_back(line.substr(kEarlierKey.size()));
        } else if (line.starts_with(kOperatorsKey) && !operators) {
            const std::string_view value = line.substr(kOperatorsKey.size());
            if (value != "yes" && value != "no") return std::nullopt;
            operators = value == "yes";
        } else if (line.starts_with(kRestartedKey) && !restarted) {
            restarted = std::string(line.substr(kRestartedKey.size()));
            if (!core::KeyOfText(*restarted)) return std::nullopt;
        } else if (line.starts_with(kReplacedKey) && !replaced) {
            replaced = std::string(line.substr(kReplacedKey.size()));
            if (!journal::IsSecretHash(*replaced)) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!hash || !salt || !actions || restarted.has_value() != replaced.has_value())
        return std::nullopt;
    std::optional<Restart> restart;
    if (restarted) restart = Restart{std::move(*replaced), std::move(*restarted)};
    return Owner{std::move(*hash),          *salt,
                 std::move(*actions),       std::move(earlier),
                 operators.value_or(false), std::move(restart)};
}

}  // namespace

std::set<OwnerAction> DefaultOwnerOnly() {
    return {OwnerAction::AddItem, OwnerAction::ModifyItem, OwnerAction::DeleteItem,
            OwnerAction::Takings, OwnerAction::Operators};
}

PasswordFault CheckOwnerPassword(std::u16string_view typed) {
    return typed.size() < kMinPasswordLength ? PasswordFault::TooShort : PasswordFault::None;
}

std::optional<NewPassword> MakePassword(std::u16string_view password, journal::HashCost cost) {
    std::optional<std::string> hash = journal::HashSecret(password, cost);
    const journal::JournalSalt salt = journal::NewJournalSalt(cost);
    const std::optional<journal::JournalKey> key =
        hash ? journal::DeriveJournalKey(password, salt) : std::nullopt;
    if (!key) return std::nullopt;
    return NewPassword{std::move(*hash), salt, *key};
}

void Owner::SetPassword(const NewPassword& password) {
    passwordHash = password.hash;
    journalSalt = password.journalSalt;
    earlierKeys = password.earlierKeys;
}

std::vector<journal::JournalKey> Owner::EarlierKeys(const journal::JournalKey& current) const {
    std::vector<journal::JournalKey> keys;
    for (const std::string& sealed : earlierKeys) {
        if (const std::optional<journal::JournalKey> key =
                journal::OpenSealedKey(sealed, current)) {
            keys.push_back(*key);
        }
    }
    return keys;
}

std::optional<OwnerChainKeys> OpenOwnerChains(const Owner& owner, std::u16string_view password) {
    const std::optional<journal::JournalKey> current =
        journal::DeriveJournalKey(password, owner.journalSalt);
    if (!current) return std::nullopt;
    return OwnerChainKeys{*current, owner.EarlierKeys(*current)};
}

bool KeepEarlierKeys(NewPassword& password, const Owner& owner, std::u16string_view oldPassword) {
    const std::optional<journal::JournalKey> old =
        journal::DeriveJournalKey(oldPassword, owner.journalSalt);
    if (!old) return false;
    password.earlierKeys = {journal::SealKey(*old, password.firstJournalKey)};
    for (const journal::JournalKey& key : owner.EarlierKeys(*old)) {
        password.earlierKeys.push_back(journal::SealKey(key, password.firstJournalKey));
    }
    return true;
}

std::filesystem::path OwnerFile(const std::filesystem::path& duravaFolder) {
    return duravaFolder / kOwnerFileName;
}

journal::FileRead<Owner> ReadOwner(const std::filesystem::path& duravaFolder) {
    return journal::ReadOurFile(OwnerFile(duravaFolder), ReadOwnerText);
}

journal::FileState WriteOwner(const std::filesystem::path& duravaFolder, const Owner& owner) {
    std::vector<std::string> lines = {
        std::string(kPasswordKey) + owner.passwordHash,
        std::string(kSaltKey) + journal::JournalSaltText(owner.journalSalt),
        std::string(kOwnerOnlyKey) + ActionsText(owner.ownerOnly),
    };
    for (const std::string& sealed : owner.earlierKeys)
        lines.push_back(std::string(kEarlierKey) + sealed);
    // Without operators the file stays as it was before the line was known.
    if (owner.operatorsAdded) lines.push_back(std::string(kOperatorsKey) + "yes");
    if (owner.restart) {
        lines.push_back(std::string(kRestartedKey) + owner.restart->time);
        lines.push_back(std::string(kReplacedKey) + owner.restart->replacedHash);
    }
    return journal::WriteOurFile(
        OwnerFile(duravaFolder),
        journal::OurFileText(u"Durava 店主设置。密码只存 Argon2id 散列，忘记后无法找回，"
                             u"只能重新设置并开始新的记录链。",
                             lines));
}

}  // namespace durava::people
