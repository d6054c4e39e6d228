// SPDX-License-Identifier: MIT
#include "audit/check/entrynotes.h"

#include <charconv>

#include "history/historyfile.h"

namespace durava::audit {
namespace {

std::uint64_t CountOf(std::string_view text) {
    std::uint64_t count = 0;
    std::from_chars(text.data(), text.data() + text.size(), count);
    return count;
}

}  // namespace

std::string TimeOrNone(std::string_view text) {
    return core::ReadDateTime(text) ? std::string(text) : std::string();
}

std::uint64_t UseOf(std::string_view item, std::string_view start) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::string_view part : {item, std::string_view("@"), start}) {
        for (const char c : part) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return hash;
}

EntryNotes::EntryNotes(std::filesystem::path historyFolder, const Days& days,
                       const std::vector<std::string>& foldersNamed)
    : m_days(days), m_tally(std::move(historyFolder), days, foldersNamed) {}

void EntryNotes::Note(const journal::ReadLine& read, const std::string& file, std::size_t line,
                      std::vector<Finding>& findings) {
    const std::string time(read.time);
    switch (read.action) {
        case journal::Action::ClockBack: {
            Finding back{.kind = FindingKind::ClockBack, .file = file, .line = line, .time = time};
            if (const auto to = read.Value(journal::Field::To))
                back.until = journal::ProgramText(*to);
            if (const auto from = read.Value(journal::Field::From))
                back.time = journal::ProgramText(*from);
            findings.push_back(std::move(back));
            return;
        }
        case journal::Action::SettingsChangedOutside:
            findings.push_back({.kind = FindingKind::SettingsChangedOutside,
                                .file = file,
                                .line = line,
                                .time = time});
            return;
        case journal::Action::Checkout:
            NoteCheckout(read);
            return;
        case journal::Action::Refused:
            NoteTakeBack(read, findings);
            return;
        case journal::Action::JournalBehindDesk:
            findings.push_back(
                {.kind = FindingKind::DeskHeadMissing,
                 .time = time,
                 .until = TimeOrNone(
                     journal::ProgramText(read.Value(journal::Field::PreviousTime).value_or(""))),
                 .count = CountOf(read.Value(journal::Field::PreviousEntries).value_or(""))});
            return;
        case journal::Action::OurFileGone:
            findings.push_back(
                {.kind = FindingKind::OurFileGone,
                 .file = journal::ProgramText(read.Value(journal::Field::File).value_or("")),
                 .time = time});
            return;
        case journal::Action::Modify:
        case journal::Action::Delete:
        case journal::Action::Switch:
            if (m_days.Hold(read.time)) {
                m_tally.Of(read.operatorName)
                    .actions.push_back({read.action, time, journal::ProgramText(read.item),
                                        journal::DetailsOf(read)});
            }
            return;
        default:
            return;
    }
}

// Every checkout read is looked for by its record's bytes; those counted are missed when not
// found.
void EntryNotes::NoteCheckout(const journal::ReadLine& read) {
    const std::optional<std::size_t> counted = m_tally.Count(read);
    const auto hash = read.Value(journal::Field::RecordHash);
    const std::optional<journal::Digest> digest = hash ? journal::DigestOfHex(*hash) : std::nullopt;
    if (!digest) return;
    const std::string& item = ProgramItem(read.item);
    const std::string start(read.Value(journal::Field::StartTime).value_or(""));
    const std::string monthFile(read.Value(journal::Field::MonthFile).value_or(""));
    const auto [named, added] = m_monthFileAt.emplace(monthFile, m_noted.monthFiles.size());
    if (added) m_noted.monthFiles.push_back(monthFile);
    std::vector<NotedCheckout>& checkouts = m_noted.checkouts;
    checkouts.push_back({*digest, UseOf(item, start), named->second, &item,
                         core::KeyOfText(read.time).value_or(0), checkouts.size(), false,
                         read.Value(journal::Field::Late).has_value(),
                         history::WholeInteger(read.Value(journal::Field::Total).value_or(""))});
    m_counted.push_back(counted);
}

// A take-back counts only where the checkout writes it; elsewhere its checkout still counts.
void EntryNotes::NoteTakeBack(const journal::ReadLine& read, std::vector<Finding>& findings) {
    const std::optional<Checkouts::TakeBackOf> taken = m_tally.TakeBack(read);
    if (!taken || taken->inPlace) return;
    findings.push_back({.kind = FindingKind::TakeBackOutOfPlace,
                        .item = journal::ProgramText(read.item),
                        .time = std::string(read.time),
                        .until = TimeOrNone(taken->time)});
}

const std::string& EntryNotes::ProgramItem(std::string_view written) {
    auto found = m_noted.items.find(std::string(written));
    if (found == m_noted.items.end()) {
        found = m_noted.items.emplace(std::string(written), journal::ProgramText(written)).first;
    }
    return found->second;
}

NotedCheckouts EntryNotes::Take() {
    // A checkout taken back after it was noted is missed no more.
    for (std::size_t c = 0; c < m_counted.size(); ++c) {
        m_noted.checkouts[c].missed = m_counted[c] && m_tally.Counts(*m_counted[c]);
    }
    m_noted.operators = m_tally.Take();
    return std::move(m_noted);
}

}  // namespace durava::audit
