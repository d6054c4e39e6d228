// SPDX-License-Identifier: MIT
#include "journal/deskmemory.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <mutex>
#include <string_view>
#include <system_error>

#include "core/datetime.h"
#include "core/utf8.h"
#include "journal/chain/digest.h"
#include "journal/files/journalfiles.h"
#include "store/files/fileio.h"
#include "store/usermemory.h"

namespace durava::journal {
namespace {

constexpr std::size_t kPaddedSize = 512;
constexpr std::string_view kArea = "desks", kFormat = "durava-desk-1\n",
                           kHead = "head=", kFiles = "files=";

// One name per folder, however the path that reaches it is spelled; worked out once per path, since
// the memory is kept after every entry.
std::string NameOf(const std::filesystem::path& duravaFolder) {
    static std::mutex guard;
    static std::map<std::filesystem::path, std::string> names;
    const std::lock_guard lock(guard);
    auto [found, added] = names.try_emplace(duravaFolder);
    if (added) {
        std::error_code error;
        std::filesystem::path folder = std::filesystem::weakly_canonical(duravaFolder, error);
        if (error) folder = std::filesystem::absolute(duravaFolder, error).lexically_normal();
        found->second = Hex(Sha256(core::WideToUtf8(folder.u16string()))).substr(0, 32);
    }
    return found->second;
}

// Our files in the folder, but the journal's month files, whose months come and go, and the
// temporaries of a write under way or hidden files that are not ours.
std::vector<std::string> FilesIn(const std::filesystem::path& duravaFolder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(duravaFolder, error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string name = core::WideToUtf8(entry->path().filename().u16string());
        const bool passing = (name.starts_with("journal-") && name.ends_with(".txt")) ||
                             name.starts_with('.') || name.ends_with(".tmp") ||
                             name.find_first_of(",\r\n") != std::string::npos;
        if (!passing && entry->is_regular_file(error)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Body(const ChainHead& head, const std::vector<std::string>& files) {
    std::string body = std::string(kFormat) + std::string(kHead) + std::to_string(head.entries) +
                       ' ' + Hex(head.last) + ' ' + head.time + '\n' + std::string(kFiles);
    for (const std::string& file : files) body += file + (&file == &files.back() ? "" : ",");
    return body + '\n';
}

std::optional<ChainHead> HeadOf(std::string_view text) {
    ChainHead head;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), head.entries);
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (error != std::errc() || text.size() < 65 || text[0] != ' ') return std::nullopt;
    const std::optional<Digest> last = DigestOfHex(text.substr(1, 64));
    if (!last) return std::nullopt;
    head.last = *last;
    head.time = std::string(text.substr(std::min<std::size_t>(text.size(), 66)));
    return head;
}

}  // namespace

std::optional<DeskMemory> RecallDesk(const std::filesystem::path& duravaFolder) {
    std::optional<std::string> text = store::RecallUserText(kArea, NameOf(duravaFolder));
    // The body, then its SHA-256 and a line break, then the padding: a memory a power cut tore is
    // no memory.
    if (text) text->erase(text->find_last_not_of(' ') + 1);
    if (!text || text->size() < 65) return std::nullopt;
    const std::string_view body = std::string_view(*text).substr(0, text->size() - 65);
    if (Hex(Sha256(body)) + '\n' != std::string_view(*text).substr(body.size()) ||
        !body.starts_with(kFormat)) {
        return std::nullopt;
    }
    const std::size_t filesAt = body.find("\n" + std::string(kFiles));
    const std::string_view headLine = body.substr(kFormat.size(), filesAt - kFormat.size());
    if (filesAt == std::string_view::npos || !headLine.starts_with(kHead)) return std::nullopt;
    const std::optional<ChainHead> head = HeadOf(headLine.substr(kHead.size()));
    if (!head) return std::nullopt;
    DeskMemory memory{*head, {}};
    std::string_view files = body.substr(filesAt + 1 + kFiles.size());
    if (files.ends_with('\n')) files.remove_suffix(1);
    while (!files.empty()) {
        const std::size_t comma = files.find(',');
        memory.files.emplace_back(files.substr(0, comma));
        files.remove_prefix(comma == std::string_view::npos ? files.size() : comma + 1);
    }
    return memory;
}

void RememberDesk(const std::filesystem::path& duravaFolder, const ChainHead& head) {
    const std::string body = Body(head, FilesIn(duravaFolder));
    std::string text = body + Hex(Sha256(body)) + '\n';
    // Of one size from entry to entry, so that it is written over in place.
    text.resize(std::max(text.size(), kPaddedSize), ' ');
    store::KeepUserText(kArea, NameOf(duravaFolder), text);
}

std::vector<std::string> FilesGone(const std::filesystem::path& duravaFolder,
                                   const DeskMemory& memory) {
    const std::vector<std::string> now = FilesIn(duravaFolder);
    std::vector<std::string> gone;
    std::set_difference(memory.files.begin(), memory.files.end(), now.begin(), now.end(),
                        std::back_inserter(gone));
    return gone;
}

bool JournalHolds(const std::filesystem::path& duravaFolder, const ChainHead& head) {
    const std::optional<core::CalendarTime> time = core::ReadDateTime(head.time);
    if (!time) return false;
    // In the file of the entry's month, or of a later one when the clock went back meanwhile.
    const std::string mac = '\t' + Hex(head.last);
    for (const int month : JournalMonths(duravaFolder)) {
        if (month < core::MonthNumber(*time)) continue;
        const std::string bytes =
            store::ReadWholeFile(JournalFilePath(duravaFolder, month)).value_or("");
        for (std::size_t at = bytes.find(mac); at != std::string::npos;
             at = bytes.find(mac, at + 1)) {
            const std::size_t lineStart = bytes.rfind('\n', at) + 1;  // 0 on the first line
            const std::optional<ReadLine> line = ReadJournalLine(
                std::string_view(bytes).substr(lineStart, at + mac.size() - lineStart));
            if (line && line->seq == head.entries && line->mac == head.last) return true;
        }
    }
    return false;
}

}  // namespace durava::journal
