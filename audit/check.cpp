// SPDX-License-Identifier: MIT
#include "audit/check.h"

#include <algorithm>

#include "audit/check/chainkeys.h"
#include "audit/check/chainwalk.h"
#include "audit/check/days.h"
#include "audit/check/entrynotes.h"
#include "audit/check/recordcompare.h"
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
