// SPDX-License-Identifier: MIT
#include "people/operators.h"

#include <algorithm>
#include <optional>

#include "core/codepage.h"
#include "core/textfunctions.h"
#include "core/utf8.h"

namespace durava::people {
namespace {

// One line per operator: the name in UTF-8, a tab, the PIN's hash. A name holds no control
// character, so the tab cannot be part of it.
std::optional<Operators> ReadOperatorsText(std::string_view bytes) {
    Operators operators;
    for (std::string_view line : journal::ContentLines(bytes)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return std::nullopt;
        const std::optional<std::u16string> name = core::Utf8ToWide(line.substr(0, tab));
        if (!name || operators.Add(*name, std::string(line.substr(tab + 1))) ||
            !journal::IsSecretHash(operators.List().back().pinHash)) {
            return std::nullopt;
        }
    }
    return operators;
}

// Where the operator of that name stands in `list`, a list that may be changed or not.
template <typename List>
auto Position(List& list, std::string_view name) {
    return std::find_if(list.begin(), list.end(), [&](const Operator& o) {
        return core::CompareText(o.name, name, false) == 0;
    });
}

}  // namespace

PinFault CheckPin(std::u16string_view typed) {
    if (!std::all_of(typed.begin(), typed.end(),
                     [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        return PinFault::NotDigits;
    }
    if (typed.size() < kMinPinDigits) return PinFault::TooShort;
    return typed.size() > kMaxPinDigits ? PinFault::TooLong : PinFault::None;
}

const Operator* Operators::Find(std::string_view name) const {
    const auto found = Position(m_list, name);
    return found == m_list.end() ? nullptr : &*found;
}

NameRefusal Operators::CheckName(std::u16string_view typed) const {
    const core::NameFault rule = core::CheckName(typed);
    if (rule != core::NameFault::None) return {rule};
    if (typed.starts_with(u';')) return {.noteMark = true};
    return {.taken = Find(core::WideToText(typed)) != nullptr};
}

NameRefusal Operators::Add(std::u16string_view typed, std::string pinHash) {
    const NameRefusal refusal = CheckName(typed);
    if (!refusal) m_list.push_back({core::WideToText(typed), std::move(pinHash)});
    return refusal;
}

bool Operators::SetPin(std::string_view name, std::string pinHash) {
    const auto found = Position(m_list, name);
    if (found == m_list.end()) return false;
    found->pinHash = std::move(pinHash);
    return true;
}

bool Operators::Remove(std::string_view name) {
    const auto found = Position(m_list, name);
    if (found == m_list.end()) return false;
    m_list.erase(found);
    return true;
}

std::filesystem::path OperatorsFile(const std::filesystem::path& duravaFolder) {
    return duravaFolder / kOperatorsFileName;
}

journal::FileRead<Operators> ReadOperators(const std::filesystem::path& duravaFolder) {
    return journal::ReadOurFile(OperatorsFile(duravaFolder), ReadOperatorsText);
}

journal::FileState WriteOperators(const std::filesystem::path& duravaFolder,
                                  const Operators& operators) {
    std::vector<std::string> lines;
    for (const Operator& o : operators.List()) {
        lines.push_back(core::WideToUtf8(core::TextToWide(o.name)) + '\t' + o.pinHash);
    }
    return journal::WriteOurFile(OperatorsFile(duravaFolder),
                                 journal::OurFileText(u"Durava 操作员：每行一个名称，一个制表符，"
                                                      u"再是 PIN 的 Argon2id 散列。",
                                                      lines));
}

}  // namespace durava::people
