// SPDX-License-Identifier: MIT
#include "audit/check/ourfiles.h"

#include <optional>
#include <string>

#include "journal/entry.h"
#include "journal/files/journalfiles.h"
#include "people/operators.h"
#include "people/owner.h"
#include "store/files/fileio.h"

namespace durava::audit {
namespace {

// What the whole journal says of the two files, whatever span the check covers.
struct JournalSays {
    bool ownersChain = false;  // the owner began a chain: there was an owner's file
    // An operator was on duty since the operators last changed, or the owner's first password:
    // there are operators still.
    bool operatorsOnDuty = false;
};

JournalSays LookThroughJournal(const std::filesystem::path& journalFolder) {
    JournalSays says;
    for (const int month : journal::JournalMonths(journalFolder)) {
        const std::string bytes =
            store::ReadWholeFile(journal::JournalFilePath(journalFolder, month)).value_or("");
        journal::ForEachLine(bytes, [&](std::string_view text, bool) {
            const std::optional<journal::LineLook> look = journal::LookAtLine(text);
            if (!look) return;
            if (look->action == journal::Action::OperatorsChanged) {
                says.operatorsOnDuty = false;
            } else if (!look->operatorName.empty()) {
                says.operatorsOnDuty = true;
            }
            if (look->action != journal::Action::NewChain) return;
            const std::optional<journal::ReadLine> line = journal::ReadJournalLine(text, *look);
            const std::optional<journal::ChainStart> start =
                line ? journal::ReadChainStart(*line) : std::nullopt;
            if (!start || start->protection != journal::Protection::Owner) return;
            says.ownersChain = true;
            // Operators come with a password: none were there before the first.
            if (start->reason == journal::ChainReason::OwnerPassword) says.operatorsOnDuty = false;
        });
    }
    return says;
}

}  // namespace

void CheckOurFiles(const std::filesystem::path& journalFolder, std::vector<Finding>& findings) {
    const journal::FileRead<people::Owner> owner = people::ReadOwner(journalFolder);
    const bool noted = owner.content && owner.content->operatorsAdded;
    const JournalSays says = noted ? JournalSays{} : LookThroughJournal(journalFolder);
    if (owner.state == journal::FileState::Missing) {
        if (says.ownersChain) {
            findings.push_back(
                {.kind = FindingKind::OwnerFileGone, .file = people::kOwnerFileName});
        }
        return;
    }
    const journal::FileRead<people::Operators> operators = people::ReadOperators(journalFolder);
    const bool emptied =
        operators.content && operators.content->Empty() && (noted || says.operatorsOnDuty);
    if (!operators.content || emptied) {
        findings.push_back(
            {.kind = FindingKind::OperatorsFileGone, .file = people::kOperatorsFileName});
    }
}

}  // namespace durava::audit
