// SPDX-License-Identifier: MIT
// The owner's check over a small hall made of any bytes: a month file, the journal of that month
// and of the month before, the key file and, as chosen, the owner's and the operators' files. The
// check and its texts take whatever they find. The journal's lines may be sealed again first, so
// that the check goes past their MACs into what the entries say.
// Input: a byte of choices, then the key file, May's journal, the month file and April's journal,
// parted by 0xFF bytes (no byte of UTF-8, rare in the month files); a part left out is no file.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "audit/check.h"
#include "audit/checktexts.h"
#include "journal/chain/chain.h"
#include "journal/files/journalfiles.h"
#include "people/operators.h"
#include "people/owner.h"
#include "reference.h"

namespace durava::fuzz {
namespace {

using namespace durava::journal;

// Enough for a few dozen entries and records: each run stays well under a millisecond's work per
// entry.
constexpr std::size_t kMostInput = 16384;
constexpr char kPartEnd = '\xFF';
// Entries sealed again: the key of a later one takes as many hash steps as its number.
constexpr std::uint64_t kSealedEntries = 256;

enum Choice : std::uint8_t {
    kSealAgain = 1,
    kOwnerKeyGiven = 2,
    kOwnerFile = 4,
    kOperatorsFile = 8,
};

constexpr JournalKey kOwnerKey = [] {
    constexpr std::string_view text = "durava fuzz: the owner's key 32b";
    static_assert(text.size() == JournalKey().size());
    JournalKey key{};
    for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<unsigned char>(text[i]);
    return key;
}();

constexpr std::string_view kOwnerText =
    "password=$argon2id$v=19$m=8,t=1,p=1$bE2quFieux1a/MhYyFYpNQ$"
    "8Ys8ICbYiFOv1M9OjQwO4G6H3SotXT9WV6HZ9wtuoko\r\n"
    "journal-salt=1,8192,0d7db725f51b790062af770c1fc8d55b\r\n"
    "owner-only=takings,operators\r\n";
constexpr std::string_view kNoOperators = "; none\r\n";

// Seals each line that reads as an entry as the next of its chain, from the chain's first entry:
// the owner's key for an owner's chain, the public key for the others.
class Sealer {
  public:
    std::string Sealed(std::string_view bytes) {
        std::string out;
        while (!bytes.empty()) {
            const std::size_t end = std::min(bytes.find('\n'), bytes.size());
            std::string_view line = bytes.substr(0, end);
            const bool cr = line.ends_with('\r');
            if (cr) line.remove_suffix(1);
            out += SealedLine(line);
            if (cr) out += '\r';
            if (end < bytes.size()) out += '\n';
            bytes.remove_prefix(std::min(end + 1, bytes.size()));
        }
        return out;
    }

  private:
    std::string SealedLine(std::string_view line) {
        const std::optional<ReadLine> read = ReadJournalLine(line);
        if (!read || read->seq == 0 || read->seq > kSealedEntries) return std::string(line);
        if (const std::optional<ChainStart> start = ReadChainStart(*read)) {
            m_first = start->protection == Protection::Owner ? kOwnerKey : kPublicJournalKey;
            m_previous = {};
        }
        m_previous = ChainMac(KeyAt(m_first, read->seq), read->text, m_previous);
        return std::string(read->text) + '\t' + Hex(m_previous);
    }

    JournalKey m_first = kPublicJournalKey;
    Digest m_previous{};
};

// The file holds `part`, or is not there when the input left it out.
void Place(const std::filesystem::path& file, const std::optional<std::string_view>& part) {
    std::error_code ignored;
    if (part) {
        WriteBytes(file, *part);
    } else {
        std::filesystem::remove(file, ignored);
    }
}

class Hall {
  public:
    Hall() {
        std::filesystem::create_directories(History());
        std::filesystem::create_directories(Durava());
    }
    std::filesystem::path History() const { return m_scratch.Folder() / "History"; }
    std::filesystem::path Durava() const { return m_scratch.Folder() / "Durava"; }

    void Lay(std::uint8_t choices, std::string_view input) {
        std::optional<std::string_view> parts[4];
        for (std::optional<std::string_view>& part : parts) {
            const std::size_t end = input.find(kPartEnd);
            part = input.substr(0, end);
            if (end == std::string_view::npos) break;
            input.remove_prefix(end + 1);
        }
        const auto& [key, may, month, april] = parts;
        Sealer sealer;
        const auto journal = [&](const std::optional<std::string_view>& part) {
            if (!part) return std::optional<std::string>();
            return std::optional(choices & kSealAgain ? sealer.Sealed(*part) : std::string(*part));
        };
        // April's chain goes on in May's.
        const std::optional<std::string> aprilJournal = journal(april);
        const std::optional<std::string> mayJournal = journal(may);
        Place(KeyFilePath(Durava()), key);
        Place(JournalFilePath(Durava(), 202404), aprilJournal);
        Place(JournalFilePath(Durava(), 202405), mayJournal);
        Place(History() / "202405.QY.txt", month);
        Place(people::OwnerFile(Durava()),
              choices & kOwnerFile ? std::optional(kOwnerText) : std::nullopt);
        Place(people::OperatorsFile(Durava()),
              choices & kOperatorsFile ? std::optional(kNoOperators) : std::nullopt);
    }

  private:
    ScratchFile m_scratch;
};

}  // namespace
}  // namespace durava::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace durava::fuzz;
    using namespace durava::audit;
    static Hall hall;
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1,
                                 std::min(size - 1, kMostInput));
    hall.Lay(data[0], input);
    CheckInput check{hall.History(), hall.Durava(), {2024, 5, 1}, {2024, 5, 31}};
    if (data[0] & kOwnerKeyGiven) check.ownerKey = kOwnerKey;
    const CheckReport report = CheckJournal(check);
    for (const Finding& finding : report.findings) Require(!FindingText(finding).empty());
    Require(!SummaryLines(report).empty());
    IsClean(report);
    return 0;
}
