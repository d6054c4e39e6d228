// SPDX-License-Identifier: MIT
// Any bytes as one journal line and as a whole journal: every reader of a line takes them; the
// last entries are the last lines that read. Then an entry of fuzzed texts, as the journal writes
// it, reads back: its number, time, action and MAC as written, its texts as the program holds them.
// Input: the line or journal; the same bytes make the entry.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <utility>

#include "core/codepage.h"
#include "journal/entry.h"
#include "journal/files/journalfiles.h"
#include "reference.h"

namespace durava::fuzz {
namespace {

using namespace durava::journal;

// The highest sequence number a line holds: the journal's files could never hold more entries.
constexpr std::uint64_t kMostSeq = 9'999'999'999'999'999'999ULL;

void ReadEveryWay(std::string_view line) {
    // A text that is no line's value still reads as a program text.
    ProgramText(line);
    const std::optional<ReadLine> read = ReadJournalLine(line);
    if (!read) return;
    Require(line.starts_with(read->text) && line.size() == read->text.size() + 1 + 64);
    for (const std::string_view part : {read->time, read->operatorName, read->item}) {
        ProgramText(part);
    }
    const std::vector<Detail> details = DetailsOf(*read);
    for (int field = 0; field <= static_cast<int>(Field::Settings); ++field) {
        if (const auto value = read->Value(static_cast<Field>(field))) ProgramText(*value);
    }
    if (const std::optional<ChainStart> start = ReadChainStart(*read)) {
        Require(read->seq == 1 && read->action == Action::NewChain);
    }
}

// What the program holds after a text went into the journal: the characters code page 936 gave.
std::string AsHeld(std::string_view text) {
    return core::WideToText(core::TextToWide(text));
}

void RequireReadsBack(FuzzedDataProvider& input) {
    const auto seq = input.ConsumeIntegralInRange<std::uint64_t>(0, kMostSeq);
    Entry entry;
    entry.action = static_cast<Action>(
        input.ConsumeIntegralInRange<int>(0, static_cast<int>(Action::ClockBack)));
    entry.time = std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>());
    entry.operatorName = input.ConsumeRandomLengthString(24);
    entry.item = input.ConsumeRandomLengthString(24);
    for (int n = input.ConsumeIntegralInRange(0, 4); n > 0; --n) {
        const auto field = input.ConsumeIntegralInRange<int>(0, static_cast<int>(Field::Settings));
        entry.details.push_back({static_cast<Field>(field), input.ConsumeRandomLengthString(40)});
    }
    Digest mac{};
    const std::vector<std::uint8_t> macBytes = input.ConsumeBytes<std::uint8_t>(mac.size());
    std::copy(macBytes.begin(), macBytes.end(), mac.begin());

    const std::string text = EntryText(seq, entry);
    const std::string line = JournalLine(text, mac);
    Require(line.ends_with("\r\n") && std::count(line.begin(), line.end(), '\n') == 1);
    const std::optional<ReadLine> read =
        ReadJournalLine(std::string_view(line).substr(0, line.size() - 2));
    Require(read && read->text == text && read->mac == mac);
    Require(read->seq == seq && read->action == entry.action &&
            read->time == core::TimeText(entry.time));
    // A text that is valid code page 936 is held as it is, so it reads back as it was written.
    Require(ProgramText(read->operatorName) == AsHeld(entry.operatorName));
    Require(ProgramText(read->item) == AsHeld(entry.item));
    const std::vector<Detail> details = DetailsOf(*read);
    Require(details.size() == entry.details.size());
    for (std::size_t i = 0; i < details.size(); ++i) {
        Require(details[i].field == entry.details[i].field);
        Require(details[i].value == AsHeld(entry.details[i].value));
    }
}

}  // namespace
}  // namespace durava::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace durava::fuzz;
    using namespace durava::journal;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadEveryWay(bytes);
    std::optional<ReadLine> last, before;
    ForEachLine(bytes, [&](std::string_view line, bool) {
        ReadEveryWay(line);
        if (std::optional<ReadLine> read = ReadJournalLine(line)) {
            before = std::exchange(last, read);
        }
    });
    const LastEntries entries = LastEntriesOf(bytes);
    Require(entries.last.has_value() == last.has_value() &&
            entries.before.has_value() == before.has_value());
    Require(!last || entries.last->text.data() == last->text.data());
    Require(!before || entries.before->text.data() == before->text.data());

    FuzzedDataProvider input(data, size);
    RequireReadsBack(input);
    return 0;
}
