// SPDX-License-Identifier: MIT
#include "audit/check.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "audit/check/chainkeys.h"
#include "audit/check/chainwalk.h"
#include "audit/check/days.h"
#include "audit/check/entrynotes.h"
#include "audit/check/ourfiles.h"
#include "audit/check/recordcompare.h"
#include "core/codepage.h"
#include "core/fixedtexts.h"
#include "core/utf8.h"
#include "journal/chain/chain.h"
#include "journal/deskmemory.h"
#include "journal/entries.h"
#include "journal/files/journalfiles.h"
#include "journal/journaltexts.h"
#include "journal/settingsnamed.h"
#include "store/files/fileio.h"
#include "store/startup.h"

namespace durava::audit {
namespace {

// Whether `line` of the journal file `file` lies in a run of lines the walk found changed.
bool FoundChanged(const std::vector<Finding>& findings, const std::string& file, std::size_t line) {
    return std::any_of(findings.begin(), findings.end(), [&](const Finding& f) {
        return f.kind == FindingKind::EntryChanged && f.file == file && line >= f.line &&
               line < f.line + std::max<std::uint64_t>(f.count, 1);
    });
}

// Each head from a slip is held by a line that reads whole and that the walk did not find
// changed, or is missing.
void HoldSlipHeads(const CheckInput& input, std::vector<Finding>& findings) {
    if (input.slipHeads.empty()) return;
    std::vector<bool> held(input.slipHeads.size(), false);
    for (const int month : journal::JournalMonths(input.journalFolder)) {
        const std::string name = journal::JournalFileName(month);
        const std::string bytes = store::ReadWholeFile(input.journalFolder / name).value_or("");
        std::size_t line = 0;
        journal::ForEachLine(bytes, [&](std::string_view text, bool) {
            ++line;
            const std::optional<journal::ReadLine> read = journal::ReadJournalLine(text);
            for (std::size_t h = 0; read && h < held.size(); ++h) {
                const SlipHead& head = input.slipHeads[h];
                held[h] = held[h] || (read->seq == head.entries &&
                                      journal::Hex(read->mac).starts_with(head.mac) &&
                                      !FoundChanged(findings, name, line));
            }
        });
    }
    for (std::size_t h = 0; h < held.size(); ++h) {
        findings.push_back(
            {.kind = held[h] ? FindingKind::SlipHeadHeld : FindingKind::SlipHeadMissing,
             .until = input.slipHeads[h].mac,
             .count = input.slipHeads[h].entries});
    }
}

// What this computer remembers writing to the folder and the folder no longer holds; false when
// it remembers nothing of it, as for a copy checked elsewhere.
bool HoldDeskMemory(const std::filesystem::path& journalFolder, std::vector<Finding>& findings) {
    const std::optional<journal::DeskMemory> memory = journal::RecallDesk(journalFolder);
    if (!memory) return false;
    if (!journal::JournalHolds(journalFolder, memory->head)) {
        findings.push_back({.kind = FindingKind::DeskHeadMissing,
                            .until = TimeOrNone(memory->head.time),
                            .count = memory->head.entries});
    }
    for (const std::string& file : journal::FilesGone(journalFolder, *memory)) {
        findings.push_back({.kind = FindingKind::OurFileGone,
                            .file = core::WideToText(core::Utf8ToWide(file).value_or(u"?"))});
    }
    return true;
}

// The entries of the journal's newest file, by its last entry's number.
std::uint64_t JournalEntries(const std::filesystem::path& journalFolder) {
    const std::vector<int> months = journal::JournalMonths(journalFolder);
    if (months.empty()) return 0;
    const std::string end =
        journal::ReadJournalEnd(journal::JournalFilePath(journalFolder, months.back()))
            .value_or("");
    const std::optional<journal::ReadLine> last = journal::LastEntriesOf(end).last;
    return last ? last->seq : 0;
}

// The key file as it is now: without it no entry can be checked against where the journal ends,
// and an owner's desk refuses every action. An unprotected desk's key that a power cut lost or
// tore is made good by its next entry.
void CheckKeyFile(const std::filesystem::path& journalFolder, bool ownersChain,
                  std::vector<Finding>& findings) {
    const std::filesystem::path keyFile = journal::KeyFilePath(journalFolder);
    journal::FileState state = journal::WhatStandsThere(keyFile);
    if (state == journal::FileState::Ok) {
        const std::optional<std::string> bytes = store::ReadWholeFile(keyFile);
        if (!bytes) {
            state = journal::FileState::Unreadable;
        } else if (!journal::ReadKeyRecord(*bytes)) {
            state = journal::FileState::Damaged;
        }
    }
    const bool healing = !ownersChain && (state == journal::FileState::Missing ||
                                          state == journal::FileState::Damaged);
    const std::uint64_t entries =
        state == journal::FileState::Ok || healing ? 0 : JournalEntries(journalFolder);
    if (entries == 0) return;
    findings.push_back({.kind = FindingKind::KeyFileUnusable,
                        .file = KeyFileName(journalFolder),
                        .until = journal::WhyText(state),
                        .count = entries});
}

// The settings file beside the History folder, against what the journal last named.
void CheckSettingsFile(const CheckInput& input, std::vector<Finding>& findings) {
    std::filesystem::path history = input.historyFolder;
    if (!history.has_filename()) history = history.parent_path();
    const std::optional<std::string> bytes =
        store::ReadWholeFile(history.parent_path() / store::kSettingsFileName);
    if (!bytes) return;
    const std::optional<journal::SettingsNamed> named =
        journal::LastSettingsNamed(input.journalFolder);
    if (!named || named->Names(journal::SettingsDetail(*bytes).value)) return;
    findings.push_back({.kind = FindingKind::SettingsChangedOutside});
}

}  // namespace

bool IsTampering(FindingKind kind) {
    return kind < FindingKind::SlipHeadHeld;
}

std::optional<SlipHead> ReadSlipHead(std::string_view text) {
    // What a slip prints around the two: "日志 136 条 900106ea".
    std::string words(text);
    for (const std::string& mark : {core::Fixed(u"日志"), core::Fixed(u"条")}) {
        if (const std::size_t at = words.find(mark); at != std::string::npos) {
            words.replace(at, mark.size(), " ");
        }
    }
    std::istringstream parts(words);
    std::string entries, mac, more;
    parts >> entries >> mac >> more;
    const bool digits = !entries.empty() && entries.size() <= 19 &&
                        entries.find_first_not_of("0123456789") == std::string::npos;
    std::transform(mac.begin(), mac.end(), mac.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!digits || !more.empty() || mac.size() < 8 || mac.size() > 64 ||
        mac.find_first_not_of("0123456789abcdef") != std::string::npos) {
        return std::nullopt;
    }
    return SlipHead{std::stoull(entries), mac};
}

CheckReport CheckJournal(const CheckInput& input) {
    CheckReport report;
    const Days days = Days::Of(input.first, input.last);
    const ChainSpan span = GatherChains(input.journalFolder, core::MonthNumber(input.first),
                                        core::MonthNumber(input.last));
    EntryNotes notes(input.historyFolder, days,
                     HistoryFoldersNamed(input.journalFolder, span.checked));
    WalkedChains walked = FollowChains(span, ChainKeys(input.ownerKey, input.earlierOwnerKeys),
                                       days, notes, report.findings);
    NotedCheckouts noted = notes.Take();
    report.operators = std::move(noted.operators);
    const RecordCounts records = CompareRecords(input.historyFolder, input.first, input.last,
                                                walked, std::move(noted), report.findings);
    HoldSlipHeads(input, report.findings);
    const bool remembered = HoldDeskMemory(input.journalFolder, report.findings);
    CheckKeyFile(input.journalFolder, walked.ownersBefore, report.findings);
    CheckSettingsFile(input, report.findings);
    CheckOurFiles(input.journalFolder, report.findings);
    report.headsHeld = remembered || !input.slipHeads.empty();
    report.entriesChecked = walked.entriesChecked;
    report.entriesUnchecked = walked.entriesUnchecked;
    report.unkeyedChecked = walked.unkeyedChecked;
    report.ownerChecked = walked.ownerChecked;
    report.recordsChecked = records.checked;
    report.recordsBeforeJournal = records.beforeJournal;
    report.head = std::move(walked.head);
    return report;
}

bool IsClean(const CheckReport& report) {
    return std::none_of(report.findings.begin(), report.findings.end(),
                        [](const Finding& finding) { return IsTampering(finding.kind); });
}

}  // namespace durava::audit
