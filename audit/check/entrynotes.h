// SPDX-License-Identifier: MIT
#pragma once
// What the owner's check notes of each entry its chain vouches for: the findings an entry records
// itself (the clock set back, the settings file changed outside, what the desk found gone at its
// start), the checkouts the month files are held against, take-backs out of their place, and the
// operators' activity.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "audit/check.h"
#include "audit/check/days.h"
#include "audit/operatortakings.h"
#include "journal/entry.h"

namespace durava::audit {

// A use as its checkout names it: the item (a program text) and the time it ended.
using Use = std::pair<std::string, core::TimeKey>;
// A hash of the item and start time as the month file writes them (FNV-1a), which names a use.
std::uint64_t UseOf(std::string_view item, std::string_view start);
// `text` when it reads as a time, else nothing: a finding never echoes the bytes of a line that
// did not read.
std::string TimeOrNone(std::string_view text);

struct NotedCheckout {
    journal::Digest hash;
    std::uint64_t use;        // UseOf its item and start time
    std::size_t monthFile;    // among NotedCheckouts::monthFiles
    const std::string* item;  // a program text
    core::TimeKey time;
    std::size_t order;
    bool missed;  // counted, of the days checked and this desk: its record must be found
    bool late;    // journaled after a kill, out of the records' order
    std::optional<std::int64_t> yuan;  // the total it names, when a sum
    bool matched = false;
};

struct NotedCheckouts {
    std::vector<NotedCheckout> checkouts;  // every one whose record's hash reads, in order
    std::vector<std::string> monthFiles;   // the month files' names they give
    // The items as the journal writes them and as program texts, where `item` points.
    std::unordered_map<std::string, std::string> items;
    std::vector<OperatorActivity> operators;
};

class EntryNotes {
  public:
    // `foldersNamed`: the History folders the lines name (HistoryFoldersNamed).
    EntryNotes(std::filesystem::path historyFolder, const Days& days,
               const std::vector<std::string>& foldersNamed);

    // The entry `read` at `line` (from 1) of the journal file `file`: what it records itself goes
    // to `findings`.
    void Note(const journal::ReadLine& read, const std::string& file, std::size_t line,
              std::vector<Finding>& findings);
    // After the last entry.
    NotedCheckouts Take();

  private:
    void NoteCheckout(const journal::ReadLine& read);
    void NoteTakeBack(const journal::ReadLine& read, std::vector<Finding>& findings);
    const std::string& ProgramItem(std::string_view written);

    Days m_days;
    OperatorTally m_tally;
    NotedCheckouts m_noted;
    std::map<std::string, std::size_t> m_monthFileAt;   // by name, among m_noted.monthFiles
    std::vector<std::optional<std::size_t>> m_counted;  // the tally's number of each checkout
};

}  // namespace durava::audit
