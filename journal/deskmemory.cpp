// SPDX-License-Identifier: MIT
#include "journal/deskmemory.h"

#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

#include "core/utf8.h"
#include "journal/chain/digest.h"
#include "store/usermemory.h"

namespace durava::journal {
namespace {

constexpr std::string_view kArea = "desks", kFormat = "durava-desk-1";

// One name per folder, however the path that reaches it is spelled.
std::string NameOf(const std::filesystem::path& duravaFolder) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::weakly_canonical(duravaFolder, error);
    if (error) folder = std::filesystem::absolute(duravaFolder, error).lexically_normal();
    return Hex(Sha256(core::WideToUtf8(folder.u16string()))).substr(0, 32);
}

// "durava-desk-1 <entries> <MAC> <first MAC> <time>", then the SHA-256 of all that: a record a
// power cut tore is told from a whole one.
std::string Body(const DeskMemory& memory) {
    return std::string(kFormat) + ' ' + std::to_string(memory.head.entries) + ' ' +
           Hex(memory.head.last) + ' ' + Hex(memory.chainFirst) + ' ' + memory.head.time;
}

}  // namespace

std::optional<DeskMemory> RecallDesk(const std::filesystem::path& duravaFolder) {
    const std::optional<std::string> text = store::RecallUserText(kArea, NameOf(duravaFolder));
    if (!text || text->size() < 66 || !text->ends_with('\n')) return std::nullopt;
    const std::string_view body = std::string_view(*text).substr(0, text->size() - 66);
    if (Hex(Sha256(body)) != std::string_view(*text).substr(text->size() - 65, 64) ||
        (*text)[text->size() - 66] != '\n' || !body.starts_with(kFormat)) {
        return std::nullopt;
    }
    // Entries, MAC and first MAC after the format's name; the time is the rest.
    std::string_view rest = body.substr(kFormat.size() + 1);
    DeskMemory memory;
    const auto [end, error] =
        std::from_chars(rest.data(), rest.data() + rest.size(), memory.head.entries);
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    if (error != std::errc() || rest.size() < 1 + 64 + 1 + 64 + 1) return std::nullopt;
    const std::optional<Digest> last = DigestOfHex(rest.substr(1, 64)),
                                first = DigestOfHex(rest.substr(66, 64));
    if (!last || !first) return std::nullopt;
    memory.head.last = *last;
    memory.chainFirst = *first;
    memory.head.time = std::string(rest.substr(131));
    return memory;
}

bool RememberDesk(const std::filesystem::path& duravaFolder, const DeskMemory& memory) {
    const std::string body = Body(memory);
    return store::KeepUserText(kArea, NameOf(duravaFolder), body + '\n' + Hex(Sha256(body)) + '\n');
}

}  // namespace durava::journal
