// SPDX-License-Identifier: MIT
#include "journal/journal.h"

#include <algorithm>
#include <utility>

#include "journal/deskmemory.h"
#include "journal/entries.h"
#include "store/files/fileio.h"
#include "store/startup.h"

namespace durava::journal {

struct Journal::Plan {
    std::optional<ChainState> state;     // where the chain goes on from,
    std::optional<ChainReason> restart;  // or why it cannot and a new one must begin
    std::optional<ChainHead> before;     // the journal's head, which a new chain names
    int month = 0;                       // of the journal file holding it
    std::optional<FileTrouble> problem;  // what stops every append
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

// What stops the journal at `file` after a read or a write of it failed.
FileState TroubleAt(const std::filesystem::path& file, bool writing) {
    const FileState there = WhatStandsThere(file);
    if (there == FileState::Ok) {
        if (MarkedReadOnly(file)) return FileState::ReadOnly;
        return writing ? FileState::NotWritten : FileState::Unreadable;
    }
    return there == FileState::Missing && writing ? FileState::NotWritten : there;
}

// The key file as the owner hears of it when a chain must begin that only the owner can begin.
FileState TroubleOfRestart(ChainReason reason) {
    switch (reason) {
        case ChainReason::KeyDamaged:
            return FileState::Damaged;
        case ChainReason::KeyBehind:
            return FileState::KeyBehind;
        default:
            return FileState::Missing;
    }
}

}  // namespace

Journal::Journal(std::filesystem::path folder, Protection protection)
    : m_folder(std::move(folder)), m_protection(protection) {}

Journal::Plan Journal::Look(core::DateTime time) const {
    const std::filesystem::path keyFile = KeyFilePath(m_folder);
    const std::optional<std::string> key = store::ReadWholeFile(keyFile);
    if (!key) return WithoutKey(keyFile);
    Plan plan;
    if (MarkedReadOnly(keyFile)) {
        plan.problem = FileTrouble{keyFile, FileState::ReadOnly};
        return plan;
    }
    const std::optional<ChainState> state = ReadKeyRecord(*key);
    if (!state) return Restart(plan, ChainReason::KeyDamaged);
    return FromKey(*state, time);
}

Journal::Plan Journal::WithoutKey(const std::filesystem::path& keyFile) const {
    Plan plan;
    if (const FileState there = TroubleAt(keyFile, false); there != FileState::Missing) {
        plan.problem = FileTrouble{keyFile, there};
        return plan;
    }
    if (!JournalMonths(m_folder).empty()) return Restart(plan, ChainReason::KeyMissing);
    return Restart(plan, m_lastWritten ? ChainReason::FolderGone : ChainReason::FirstUse);
}

Journal::Plan Journal::FromKey(const ChainState& state, core::DateTime time) const {
    Plan plan{state, {}, ChainHead{state.next - 1, state.last, {}}, state.lastMonth, {}};
    // The entry the key is for may be in the journal already, when a kill came between its line
    // and the key: in this month's file, or in the file of the entry before.
    const int month = std::max(state.lastMonth, core::MonthNumber(time));
    std::vector<int> files{month};
    if (state.lastMonth != 0 && state.lastMonth != month) files.push_back(state.lastMonth);
    for (const int file : files) {
        const std::filesystem::path path = JournalFilePath(m_folder, file);
        const std::optional<std::string> end = ReadJournalEnd(path);
        if (!end) {
            const FileState there = TroubleAt(path, false);
            // A month's file is made by its first entry; the file of the entry before must be
            // there, unless no owner password asks for it.
            if (there == FileState::Missing &&
                (file != state.lastMonth || m_protection == Protection::Unkeyed)) {
                continue;
            }
            plan.problem = FileTrouble{path, there};
            return plan;
        }
        const std::optional<ReadLine> last = LastEntriesOf(*end).last;
        if (!last) continue;
        if (IsNextEntry(state, *last)) {
            plan.state = After(state, last->mac, file);
            plan.month = file;
            plan.before = HeadOf(*last);
        } else if (last->seq > state.next) {
            return Restart(plan, ChainReason::KeyBehind);
        } else if (last->seq + 1 == state.next && last->mac == state.last) {
            plan.before->time = last->time;
        }
        break;
    }
    const std::filesystem::path journalFile =
        JournalFilePath(m_folder, std::max(plan.month, core::MonthNumber(time)));
    if (MarkedReadOnly(journalFile)) plan.problem = FileTrouble{journalFile, FileState::ReadOnly};
    return plan;
}

Journal::Plan& Journal::Restart(Plan& plan, ChainReason reason) const {
    plan.state.reset();
    const std::vector<int> months = JournalMonths(m_folder);
    if (!months.empty()) {
        plan.month = months.back();
        const std::string end = ReadJournalEnd(JournalFilePath(m_folder, plan.month)).value_or("");
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
}

std::optional<FileTrouble> Journal::Ready(core::DateTime time) const {
    const Plan plan = Look(time);
    if (plan.problem) return plan.problem;
    if (plan.restart && m_protection == Protection::Owner) {
        return FileTrouble{KeyFilePath(m_folder), TroubleOfRestart(*plan.restart)};
    }
    return std::nullopt;
}

std::optional<FileTrouble> Journal::Append(const Entry& entry) {
    const Plan plan = Look(entry.time);
    if (plan.problem) return plan.problem;
    if (plan.state) return Write(plan, *plan.state, nullptr, &entry);
    if (m_protection == Protection::Owner) {
        return FileTrouble{KeyFilePath(m_folder), TroubleOfRestart(*plan.restart)};
    }
    // A key that can go on lies in the folder; a chain that begins may need to make it.
    if (!store::CreateDirectoryTree(m_folder)) return FileTrouble{m_folder, FileState::NotWritten};
    const Entry first = NewChainEntry(entry.time, entry.operatorName, Protection::Unkeyed,
                                      *plan.restart, plan.before);
    return Write(plan, NewChain(kPublicJournalKey), &first, &entry);
}

std::optional<FileTrouble> Journal::StartChain(const JournalKey& first, ChainReason reason,
                                               core::DateTime time, std::string operatorName) {
    if (!store::CreateDirectoryTree(m_folder)) return FileTrouble{m_folder, FileState::NotWritten};
    const Plan plan = Look(time);
    if (plan.problem) return plan.problem;
    const Protection protection =
        first == kPublicJournalKey ? Protection::Unkeyed : Protection::Owner;
    // A key that could not go on is why the chain begins, whatever the owner meant to do: the
    // owner's check names it.
    if (plan.restart == ChainReason::KeyMissing || plan.restart == ChainReason::KeyDamaged ||
        plan.restart == ChainReason::KeyBehind) {
        reason = *plan.restart;
    }
    const Entry entry = NewChainEntry(
        time, std::move(operatorName), protection, reason,
        plan.before && plan.before->entries > 0 ? plan.before : std::optional<ChainHead>());
    std::optional<FileTrouble> problem = Write(plan, NewChain(first), &entry, nullptr);
    if (!problem) m_protection = protection;
    return problem;
}

std::optional<ChainHead> Journal::Head() const {
    const Plan plan = Look(core::CurrentTime());
    if (plan.problem || !plan.state) return std::nullopt;
    return plan.before;
}

std::optional<FileTrouble> Journal::Write(const Plan& plan, ChainState state, const Entry* first,
                                          const Entry* entry) {
    const core::DateTime time = entry ? entry->time : first->time;
    const int month = std::max(plan.month, core::MonthNumber(time));
    std::string lines;
    for (const Entry* sealed : {first, entry}) {
        if (sealed) lines += Seal(state, *sealed, month);
    }
    const std::filesystem::path journalFile = JournalFilePath(m_folder, month);
    if (!store::AppendToFile(journalFile, lines, "\r\n")) {
        return FileTrouble{journalFile, TroubleAt(journalFile, true)};
    }
    m_lastWritten = ChainHead{state.next - 1, state.last, core::TimeText(time)};
    const std::filesystem::path keyFile = KeyFilePath(m_folder);
    if (store::OverwriteFile(keyFile, KeyRecord(state)) != store::FileProblem::None) {
        return FileTrouble{keyFile, TroubleAt(keyFile, true)};
    }
    RememberDesk(m_folder, *m_lastWritten);
    return std::nullopt;
}

}  // namespace durava::journal
