// SPDX-License-Identifier: MIT
// Any bytes as the owner's file, the operators' file and the lockout's: each reads or is damaged,
// and what reads writes back to a file that reads the same. An operator the list takes is kept by
// the file (but for one kind of name, see below). No hash is made or checked here: Argon2id is
// slow, and a hash read may ask for any cost. Input: both files; the same bytes make the name of an
// operator to add.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>

#include "core/codepage.h"
#include "core/datetime.h"
#include "people/lockout.h"
#include "people/operators.h"
#include "people/owner.h"
#include "reference.h"

namespace durava::fuzz {
namespace {

using namespace durava::people;

// The PIN "1234" at the least cost Argon2id allows.
constexpr char kPinHash[] =
    "$argon2id$v=19$m=8,t=1,p=1$bE2quFieux1a/MhYyFYpNQ$8Ys8ICbYiFOv1M9OjQwO4G6H3SotXT9WV6HZ9wtuoko";

bool Same(const Owner& a, const Owner& b) {
    return a.passwordHash == b.passwordHash && a.journalSalt == b.journalSalt &&
           a.ownerOnly == b.ownerOnly && a.earlierKeys == b.earlierKeys;
}

bool Same(const Operators& a, const Operators& b) {
    if (a.List().size() != b.List().size()) return false;
    for (std::size_t i = 0; i < a.List().size(); ++i) {
        if (a.List()[i].name != b.List()[i].name || a.List()[i].pinHash != b.List()[i].pinHash) {
            return false;
        }
    }
    return true;
}

// The end as the file writes it: a time read and written again is the same second.
bool Same(const Lockout& a, const Lockout& b) {
    return a.WrongInRow() == b.WrongInRow() &&
           core::TimeText(a.WaitEnds()) == core::TimeText(b.WaitEnds());
}

bool Readable(journal::FileState state) {
    return state == journal::FileState::Ok || state == journal::FileState::ReadOnly;
}

// What reads writes back to a file that reads the same; the content read, when it reads.
template <typename Content>
std::optional<Content> RequireWritesBack(
    const std::filesystem::path& folder,
    journal::FileRead<Content> (*read)(const std::filesystem::path&),
    journal::FileState (*write)(const std::filesystem::path&, const Content&)) {
    const journal::FileRead<Content> first = read(folder);
    Require(first.content.has_value() == Readable(first.state));
    if (!first.content) return std::nullopt;
    Require(write(folder, *first.content) == journal::FileState::Ok);
    const journal::FileRead<Content> again = read(folder);
    Require(again.content && Same(*again.content, *first.content));
    return first.content;
}

void RequireAddedKept(const std::filesystem::path& folder, Operators operators,
                      std::u16string_view added) {
    if (operators.Add(added, kPinHash)) return;
    Require(WriteOperators(folder, operators) == journal::FileState::Ok);
    const journal::FileRead<Operators> kept = ReadOperators(folder);
    Require(kept.content && Same(*kept.content, operators));
}

}  // namespace
}  // namespace durava::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace durava::fuzz;
    using namespace durava::people;
    static const ScratchFile scratch;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FuzzedDataProvider input(data, size);
    const std::u16string added = durava::core::TextToWide(input.ConsumeRandomLengthString(16));

    WriteBytes(OwnerFile(scratch.Folder()), bytes);
    RequireWritesBack(scratch.Folder(), ReadOwner, WriteOwner);
    WriteBytes(OperatorsFile(scratch.Folder()), bytes);
    if (const auto operators = RequireWritesBack(scratch.Folder(), ReadOperators, WriteOperators)) {
        RequireAddedKept(scratch.Folder(), *operators, added);
    }
    WriteBytes(LockoutFile(scratch.Folder()), bytes);
    RequireWritesBack(scratch.Folder(), ReadLockout, WriteLockout);
    return 0;
}
