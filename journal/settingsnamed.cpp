// SPDX-License-Identifier: MIT
#include "journal/settingsnamed.h"

#include <vector>

#include "journal/entry.h"
#include "journal/files/journalfiles.h"
#include "store/files/fileio.h"

namespace durava::journal {
namespace {

struct Naming {
    std::string digest;
    bool checkout = false;
};

// Enough is known once the newest naming is had, and the one before it when the newest is a
// checkout's.
bool Enough(const std::vector<Naming>& newestFirst) {
    return !newestFirst.empty() && (!newestFirst.front().checkout || newestFirst.size() > 1);
}

// Adds the file's namings to `newestFirst`, read from its end in growing pieces until enough are
// known or the whole file is read.
void AddNewestNamings(const std::filesystem::path& file, std::vector<Naming>& newestFirst) {
    const std::size_t known = newestFirst.size();
    std::vector<Naming> found;
    for (std::size_t count = 4096;; count *= 4) {
        const std::optional<std::string> end = store::ReadFileEnd(file, count);
        if (!end) return;
        const bool whole = end->size() < count;
        std::string_view text = *end;
        // A piece of the file starts inside a line.
        if (!whole) {
            const std::size_t lineEnd = text.find('\n');
            text =
                lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);
        }
        found.clear();
        ForEachLine(text, [&found](std::string_view line, bool) {
            const std::optional<ReadLine> read = ReadJournalLine(line);
            const std::optional<std::string_view> digest =
                read ? read->Value(Field::Settings) : std::nullopt;
            if (digest) found.push_back({std::string(*digest), read->action == Action::Checkout});
        });
        newestFirst.resize(known);
        newestFirst.insert(newestFirst.end(), found.rbegin(), found.rend());
        if (whole || Enough(newestFirst)) return;
    }
}

}  // namespace

bool SettingsNamed::Names(std::string_view digest) const {
    return digest == last || (beforeCheckout && digest == *beforeCheckout);
}

std::optional<SettingsNamed> LastSettingsNamed(const std::filesystem::path& journalFolder) {
    const std::vector<int> months = JournalMonths(journalFolder);
    std::vector<Naming> newestFirst;
    for (auto month = months.rbegin(); month != months.rend() && month - months.rbegin() < 2;
         ++month) {
        AddNewestNamings(JournalFilePath(journalFolder, *month), newestFirst);
        if (Enough(newestFirst)) break;
    }
    if (newestFirst.empty()) return std::nullopt;
    SettingsNamed named{newestFirst.front().digest, std::nullopt};
    if (newestFirst.front().checkout && newestFirst.size() > 1) {
        named.beforeCheckout = newestFirst[1].digest;
    }
    return named;
}

}  // namespace durava::journal
