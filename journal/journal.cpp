// SPDX-License-Identifier: MIT
#include "journal/journal.h"

#include <algorithm>
#include <utility>

#include "store/files/fileio.h"
#include "store/startup.h"

namespace durava::journal {

struct Journal::Plan {
    std::optional<ChainState> state;        // where the chain goes on from,
    std::optional<ChainReason> restart;     // or why it cannot and a new one must begin
    std::optional<ChainHead> before;        // the journal's head, which a new chain names
    int month = 0;                          // of the journal file holding it
    std::optional<JournalProblem> problem;  // what stops every append
};

namespace {

// An unkeyed chain's keys are the public key's: it goes on from its newest entry, in the file of
// `month`, when that entry is one of its own.
std::optional<ChainState> UnkeyedChainAfter(const LastEntries& entries, std::uint64_t mostEntries,
                                            int month) {
    const ReadLine& last = *entries.last;
    if (last.seq == 0 || last.seq > mostEntries || (last.seq > 1 && !entries.before)) {
        return std::nullopt;
    }
    ChainState state{last.seq, KeyAt(kPublicJournalKey, last.seq),
                     last.seq > 1 ? entries.before->mac : Digest{}, month};
    if (!IsNextEntry(state, last)) return std::nullopt;
    return After(state, last.mac, month);
}

ChainHead HeadOf(const ReadLine& line) {
    return {line.seq, line.mac, std::string(line.time)};
}

Fault FaultOfRestart(ChainReason reason) {
    switch (reason) {
        case ChainReason::KeyDamaged:
            return Fault::Damaged;
        case ChainReason::KeyBehind:
            return Fault::KeyBehind;
        default:
            return Fault::Missing;
    }
}

}  // namespace

Journal::Journal(std::filesystem::path folder, Protection protection)
    : m_folder(std::move(folder)), m_protection(protection) {}

Journal::Plan Journal::Look(core::DateTime time) const {
    Plan plan;
    // When the key cannot go on, an unkeyed chain goes on from its newest entry without an owner
    // password; otherwise a new chain must begin, naming that entry.
    const auto restart = [&](ChainReason reason) -> Plan& {
        plan.state.reset();
        const std::vector<int> months = JournalMonths(m_folder);
        if (!months.empty()) {
            plan.month = months.back();
            const std::string end =
                ReadJournalEnd(JournalFilePath(m_folder, plan.month)).value_or("");
            const LastEntries entries = LastEntriesOf(end);
            if (entries.last) {
                plan.before = HeadOf(*entries.last);
                if (reason != ChainReason::KeyBehind && m_protection == Protection::Unkeyed) {
                    plan.state = UnkeyedChainAfter(entries, MostEntries(m_folder), plan.month);
                    if (plan.state) return plan;
                }
            }
        }
        plan.restart = reason;
        if (!plan.before) plan.before = m_lastWritten;
        return plan;
    };
    const std::filesystem::path keyFile = KeyFilePath(m_folder);
    const std::optional<std::string> key = store::ReadWholeFile(keyFile);
    if (!key) {
        const Fault fault = FaultOf(keyFile, false);
        if (fault != Fault::Missing) {
            plan.problem = {keyFile, fault};
            return plan;
        }
        if (!JournalMonths(m_folder).empty()) return restart(ChainReason::KeyMissing);
        return restart(m_lastWritten ? ChainReason::FolderGone : ChainReason::FirstUse);
    }
    if (MarkedReadOnly(keyFile)) {
        plan.problem = {keyFile, Fault::ReadOnly};
        return plan;
    }
    const std::optional<ChainState> state = ReadKeyRecord(*key);
    if (!state) return restart(ChainReason::KeyDamaged);
    plan.state = *state;
    plan.month = state->lastMonth;
    plan.before = ChainHead{state->next - 1, state->last, {}};
    // The entry the key is for may be in the journal already, when a kill came between its line
    // and the key: in this month's file, or in the file of the entry before.
    const int month = std::max(state->lastMonth, MonthOf(time));
    std::vector<int> files{month};
    if (state->lastMonth != 0 && state->lastMonth != month) files.push_back(state->lastMonth);
    for (const int file : files) {
        const std::filesystem::path path = JournalFilePath(m_folder, file);
        const std::optional<std::string> end = ReadJournalEnd(path);
        if (!end) {
            const Fault fault = FaultOf(path, false);
            // A month's file is made by its first entry; the file of the entry before must be
            // there, unless no owner password asks for it.
            if (fault == Fault::Missing &&
                (file != state->lastMonth || m_protection == Protection::Unkeyed)) {
                continue;
            }
            plan.problem = {path, fault};
            return plan;
        }
        const std::optional<ReadLine> last = LastEntriesOf(*end).last;
        if (!last) continue;
        if (IsNextEntry(*state, *last)) {
            plan.state = After(*state, last->mac, file);
            plan.month = file;
            plan.before = HeadOf(*last);
        } else if (last->seq > state->next) {
            return restart(ChainReason::KeyBehind);
        } else if (last->seq + 1 == state->next && last->mac == state->last) {
            plan.before->time = last->time;
        }
        break;
    }
    const std::filesystem::path journalFile =
        JournalFilePath(m_folder, std::max(plan.month, MonthOf(time)));
    if (MarkedReadOnly(journalFile)) plan.problem = {journalFile, Fault::ReadOnly};
    return plan;
}

std::optional<JournalProblem> Journal::Ready(core::DateTime time) const {
    const Plan plan = Look(time);
    if (plan.problem) return plan.problem;
    if (plan.restart && m_protection == Protection::Owner) {
        return JournalProblem{KeyFilePath(m_folder), FaultOfRestart(*plan.restart)};
    }
    return std::nullopt;
}

std::optional<JournalProblem> Journal::Append(const Entry& entry) {
    const Plan plan = Look(entry.time);
    if (plan.problem) return plan.problem;
    if (plan.state) return Write(plan, *plan.state, nullptr, &entry);
    if (m_protection == Protection::Owner) {
        return JournalProblem{KeyFilePath(m_folder), FaultOfRestart(*plan.restart)};
    }
    // A key that can go on lies in the folder; a chain that begins may need to make it.
    if (!store::CreateDirectoryTree(m_folder)) return JournalProblem{m_folder, Fault::NotWritten};
    const Entry first = NewChainEntry(entry.time, entry.operatorName, Protection::Unkeyed,
                                      *plan.restart, plan.before);
    return Write(plan, NewChain(kPublicJournalKey), &first, &entry);
}

std::optional<JournalProblem> Journal::StartChain(const JournalKey& first, ChainReason reason,
                                                  core::DateTime time, std::string operatorName) {
    if (!store::CreateDirectoryTree(m_folder)) return JournalProblem{m_folder, Fault::NotWritten};
    const Plan plan = Look(time);
    if (plan.problem) return plan.problem;
    const Protection protection =
        first == kPublicJournalKey ? Protection::Unkeyed : Protection::Owner;
    const Entry entry = NewChainEntry(
        time, std::move(operatorName), protection, reason,
        plan.before && plan.before->entries > 0 ? plan.before : std::optional<ChainHead>());
    std::optional<JournalProblem> problem = Write(plan, NewChain(first), &entry, nullptr);
    if (!problem) m_protection = protection;
    return problem;
}

std::optional<ChainHead> Journal::Head() const {
    const Plan plan = Look(core::CurrentTime());
    if (plan.problem || !plan.state) return std::nullopt;
    return plan.before;
}

std::optional<JournalProblem> Journal::Write(const Plan& plan, ChainState state, const Entry* first,
                                             const Entry* entry) {
    const core::DateTime time = entry ? entry->time : first->time;
    const int month = std::max(plan.month, MonthOf(time));
    std::string lines;
    for (const Entry* sealed : {first, entry}) {
        if (sealed) lines += Seal(state, *sealed, month);
    }
    const std::filesystem::path journalFile = JournalFilePath(m_folder, month);
    if (!store::AppendToFile(journalFile, lines, "\r\n")) {
        return JournalProblem{journalFile, FaultOf(journalFile, true)};
    }
    m_lastWritten = ChainHead{state.next - 1, state.last, TimeText(time)};
    const std::filesystem::path keyFile = KeyFilePath(m_folder);
    if (store::OverwriteFile(keyFile, KeyRecord(state)) != store::FileProblem::None) {
        return JournalProblem{keyFile, FaultOf(keyFile, true)};
    }
    return std::nullopt;
}

}  // namespace durava::journal
