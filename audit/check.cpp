// SPDX-License-Identifier: MIT
#include "audit/check.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "audit/check/chainkeys.h"
#include "audit/check/chainwalk.h"
#include "audit/check/days.h"
#include "audit/check/entrynotes.h"
#include "audit/check/recordcompare.h"
#include "core/fixedtexts.h"
#include "people/operators.h"
#include "people/owner.h"

namespace durava::audit {
namespace {

// The owner's and the operators' files, as they are now: without them nothing asks for the
// owner's password, and nobody logs in.
void CheckOurFiles(const std::filesystem::path& journalFolder, bool ownersChain,
                   std::vector<Finding>& findings) {
    if (people::ReadOwner(journalFolder).state == journal::FileState::Missing) {
        if (ownersChain) {
            findings.push_back(
                {.kind = FindingKind::OwnerFileGone, .file = people::kOwnerFileName});
        }
        return;
    }
    const journal::FileState operators = people::ReadOperators(journalFolder).state;
    if (operators != journal::FileState::Ok && operators != journal::FileState::ReadOnly) {
        findings.push_back(
            {.kind = FindingKind::OperatorsFileGone, .file = people::kOperatorsFileName});
    }
}

}  // namespace

bool IsTampering(FindingKind kind) {
    return kind < FindingKind::JournalCutShort;
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
    EntryNotes notes(input.historyFolder, days);
    WalkedChains walked = FollowChains(span, ChainKeys(input.ownerKey, input.earlierOwnerKeys),
                                       days, notes, report.findings);
    NotedCheckouts noted = notes.Take();
    report.operators = std::move(noted.operators);
    const RecordCounts records = CompareRecords(input.historyFolder, input.first, input.last,
                                                walked, std::move(noted), report.findings);
    CheckOurFiles(input.journalFolder, walked.ownersBefore, report.findings);
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
