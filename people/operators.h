// SPDX-License-Identifier: MIT
#pragma once
// The operators on duty at the desk: a name and a PIN each, the PIN kept only as an Argon2id
// hash. Changes are made to a list read under the store lock and written back under it, with the
// journal entry that tells of them.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/names.h"
#include "journal/chain/secrets.h"
#include "journal/files/ourfiles.h"

namespace durava::people {

inline constexpr char kOperatorsFileName[] = "operators.txt";

inline constexpr std::size_t kMinPinDigits = 4, kMaxPinDigits = 8;
enum class PinFault { None, NotDigits, TooShort, TooLong };
PinFault CheckPin(std::u16string_view typed);

struct Operator {
    std::string name;  // code page 936, as every text inside the program
    std::string pinHash;
    // Slow (Argon2id): checked off the window thread.
    bool Verify(std::u16string_view pin) const { return journal::VerifySecret(pinHash, pin); }
};

// Why a typed name cannot be an operator's.
struct NameRefusal {
    core::NameFault rule = core::NameFault::None;  // what every typed name must be
    bool taken = false;     // another operator's: ASCII letters match without regard to case
    bool noteMark = false;  // ";" first, which our files read as the start of a note
    explicit operator bool() const { return taken || noteMark || rule != core::NameFault::None; }
};

class Operators {
  public:
    const std::vector<Operator>& List() const { return m_list; }
    bool Empty() const { return m_list.empty(); }
    const Operator* Find(std::string_view name) const;

    NameRefusal CheckName(std::u16string_view typed) const;
    // The PIN's hash is made beforehand, off the window thread. There is no renaming: the journal
    // and the takings know an operator by name.
    NameRefusal Add(std::u16string_view typed, std::string pinHash);
    // False when no operator has the name: another desk removed them meanwhile.
    bool SetPin(std::string_view name, std::string pinHash);
    bool Remove(std::string_view name);

  private:
    std::vector<Operator> m_list;
};

std::filesystem::path OperatorsFile(const std::filesystem::path& duravaFolder);
journal::FileRead<Operators> ReadOperators(const std::filesystem::path& duravaFolder);
// Under the store lock, with the journal entry that tells of the change.
journal::FileState WriteOperators(const std::filesystem::path& duravaFolder,
                                  const Operators& operators);

}  // namespace durava::people
