// SPDX-License-Identifier: MIT
#include "audit/check.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <unordered_map>
#include <utility>

#include "history/monthfiles.h"
#include "history/periodtakings.h"
#include "history/takings.h"
#include "journal/chain/chain.h"
#include "journal/journalfiles.h"
#include "people/operators.h"
#include "people/owner.h"
#include "store/files/fileio.h"

namespace durava::audit {
namespace {

constexpr core::TimeKey kSinceEver = std::numeric_limits<core::TimeKey>::min();
constexpr core::TimeKey kUntilNow = std::numeric_limits<core::TimeKey>::max();
// Two desks on one journal each write their own clock's time, and no two clocks agree to the
// second: an entry earlier than the one before by less than this is no clock set back.
constexpr double kClockSkewSeconds = 5 * 60;

bool IsClockBack(std::string_view before, std::string_view after) {
    if (after >= before) return false;
    const std::optional<core::CalendarTime> from = core::ReadDateTime(before),
                                            to = core::ReadDateTime(after);
    return !from || !to ||
           (core::ToDateTime(*from) - core::ToDateTime(*to)) * 86400 > kClockSkewSeconds;
}

// Keys kept while walking a chain, one every so many entries, so that any key is found again
// within that many steps.
constexpr std::uint64_t kKeysApart = 4096;

// The keys of one chain, from its first.
class KeyLadder {
  public:
    explicit KeyLadder(const journal::JournalKey& first) : m_kept{first}, m_key(first) {}

    // The key of entry `seq`, from 1.
    const journal::JournalKey& At(std::uint64_t seq) {
        if (seq < m_seq) {
            // Every key kept so far lies at or below m_seq.
            const std::size_t kept = std::min<std::size_t>(
                (std::max<std::uint64_t>(seq, 1) - 1) / kKeysApart, m_kept.size() - 1);
            m_seq = kept * kKeysApart + 1;
            m_key = m_kept[kept];
        }
        for (; m_seq < seq; ++m_seq) {
            m_key = journal::NextKey(m_key);
            if (m_seq % kKeysApart == 0 && m_seq / kKeysApart == m_kept.size()) {
                m_kept.push_back(m_key);
            }
        }
        return m_key;
    }

  private:
    std::vector<journal::JournalKey> m_kept;  // the keys of entries 1, 1 + kKeysApart, ...
    std::uint64_t m_seq = 1;
    journal::JournalKey m_key;
};

// The chain being walked: its kind, and its keys when they can be had.
struct Chain {
    journal::Protection protection;
    std::optional<KeyLadder> keys;  // nothing for an owner's chain without the owner's key
};

// An entry as the walk left it.
struct Seen {
    std::uint64_t seq = 0;
    journal::Digest mac{};
    std::string time;
};

// A use as its checkout names it: the item and the time it ended.
using Use = std::pair<std::string, core::TimeKey>;

// Lines whose MAC fails, one after the other.
struct BadRun {
    std::string file{}, time{}, until{};
    std::size_t line = 0, lines = 0;
    bool whole = true;              // false when its last line has no line break
    bool parsed = false;            // a line read whole: nothing a kill cut short
    std::optional<Use> checkout{};  // what a checkout's line cut short still names
};

struct Checkout {
    journal::Digest hash;
    std::uint64_t use;        // names the use: UseOf its item and start time
    std::size_t monthFile;    // among the period's files; kNoFile for another
    const std::string* item;  // a program text
    core::TimeKey time;
    std::size_t order;
    bool missed;  // of the days checked and this desk: its record must be found
    bool late;    // journaled after a kill, out of the records' order
    bool matched = false;
};
constexpr std::size_t kNoFile = std::numeric_limits<std::size_t>::max();

// A whole record within the days checked that no checkout names by its bytes.
struct LooseRecord {
    std::size_t file, line;  // line from 0
    core::TimeKey end;
    std::string item, time;
    bool changed = false;  // the record of a checkout, with other bytes
};

// A hash of the item and start time as the month file writes them (FNV-1a), which names a use.
std::uint64_t UseOf(std::string_view item, std::string_view start) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::string_view part : {item, std::string_view("@"), start}) {
        for (const char c : part) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return hash;
}

std::uint64_t DigestPrefix(const journal::Digest& digest) {
    std::uint64_t prefix = 0;
    for (int i = 0; i < 8; ++i) prefix = prefix << 8 | digest[i];
    return prefix;
}

// The records in order that keep the longest run in the order of their checkouts; the others
// were moved.
std::vector<bool> InOrder(const std::vector<std::size_t>& orders) {
    std::vector<std::size_t> tails, tailAt, previous(orders.size(), kNoFile);
    for (std::size_t i = 0; i < orders.size(); ++i) {
        const auto at = static_cast<std::size_t>(
            std::lower_bound(tails.begin(), tails.end(), orders[i]) - tails.begin());
        if (at == tails.size()) {
            tails.push_back(orders[i]);
            tailAt.push_back(i);
        } else {
            tails[at] = orders[i];
            tailAt[at] = i;
        }
        if (at > 0) previous[i] = tailAt[at - 1];
    }
    std::vector<bool> kept(orders.size(), false);
    for (std::size_t i = tailAt.empty() ? kNoFile : tailAt.back(); i != kNoFile; i = previous[i]) {
        kept[i] = true;
    }
    return kept;
}

class Checker {
  public:
    explicit Checker(const CheckInput& input)
        : m_input(input),
          m_months(journal::JournalMonths(input.journalFolder)),
          m_tally(input.historyFolder, input.first, input.last) {}

    CheckReport Run() {
        WalkJournal();
        CompareRecords();
        CheckOurFiles();
        return std::move(m_report);
    }

  private:
    enum class Verdict { Checked, Unchecked, Failed };

    // The owner's and the operators' files, as they are now: without them nothing asks for the
    // owner's password, and nobody logs in.
    void CheckOurFiles() {
        if (people::ReadOwner(m_input.journalFolder).state == journal::FileState::Missing) {
            if (m_ownersBefore)
                Add({.kind = FindingKind::OwnerFileGone, .file = people::kOwnerFileName});
            return;
        }
        const journal::FileState operators = people::ReadOperators(m_input.journalFolder).state;
        if (operators != journal::FileState::Ok && operators != journal::FileState::ReadOnly) {
            Add({.kind = FindingKind::OperatorsFileGone, .file = people::kOperatorsFileName});
        }
    }

    void WalkJournal() {
        m_maxSeq = journal::MostEntries(m_input.journalFolder);
        const int firstMonth = core::MonthNumber(m_input.first),
                  lastMonth = core::MonthNumber(m_input.last);
        // The entry before the days checked, which the first one checked follows.
        const auto before = std::lower_bound(m_months.begin(), m_months.end(), firstMonth);
        m_journalBefore = before != m_months.begin();
        if (m_journalBefore) {
            const std::string end =
                journal::ReadJournalEnd(
                    journal::JournalFilePath(m_input.journalFolder, *std::prev(before)))
                    .value_or("");
            if (const std::optional<journal::ReadLine> last = journal::LastEntriesOf(end).last) {
                m_lastGood = Seen{last->seq, last->mac, std::string(last->time)};
                m_lastSeq = last->seq;
                m_previousMac = last->mac;
            }
        }
        for (auto month = before; month != m_months.end() && *month <= lastMonth; ++month) {
            const std::string name = journal::JournalFileName(*month);
            const std::optional<std::string> bytes =
                store::ReadWholeFile(m_input.journalFolder / name);
            if (!bytes) continue;
            std::size_t line = 0;
            journal::ForEachLine(*bytes, [&](std::string_view text, bool whole) {
                Line(text, whole, name, ++line);
            });
        }
        if (m_badRun) CloseBadRun(false);
        if (m_months.empty() || m_months.back() <= lastMonth) CompareWithKey();
        if (m_months.empty() || m_months.front() > lastMonth) m_journalStart = kUntilNow;
    }

    void Line(std::string_view text, bool whole, const std::string& file, std::size_t line) {
        std::optional<journal::ReadLine> read = journal::ReadJournalLine(text);
        const std::optional<journal::ChainStart> start =
            read ? journal::ReadChainStart(*read) : std::nullopt;
        const Verdict verdict = read ? Verify(*read, start) : Verdict::Failed;
        if (verdict == Verdict::Failed) {
            // The first entry after missing ones cannot be checked: the MAC it follows is gone.
            if (read && !m_badRun && !start && m_lastSeq && read->seq > *m_lastSeq + 1 &&
                read->seq <= m_maxSeq) {
                AddGap(m_lastGood ? m_lastGood->time : "", read->time, read->seq - *m_lastSeq - 1,
                       false);
                Follow(*read);
                return;
            }
            if (!m_badRun) {
                m_badRun = BadRun{file, read ? std::string(read->time) : "", {}, line};
                m_badRun->checkout = CheckoutCutShort(text);
            }
            ++m_badRun->lines;
            m_badRun->whole = whole;
            m_badRun->parsed = m_badRun->parsed || read;
            if (read) {
                m_badRun->until = read->time;
                m_previousMac = read->mac;
                m_lastSeq = std::max(m_lastSeq.value_or(0), std::min(read->seq, m_maxSeq));
            }
            return;
        }
        if (m_badRun) {
            CloseBadRun(m_badRun->lines == 1 && !m_badRun->parsed && m_followsLastGood &&
                        read->seq == m_lastGood->seq + 1);
        }
        ++(verdict == Verdict::Checked ? m_report.entriesChecked : m_report.entriesUnchecked);
        if (start) {
            BeginChain(*start, *read);
        } else if (!m_lastSeq) {
            AddGap({}, read->time, read->seq - 1, false);
        } else if (read->seq > *m_lastSeq + 1) {
            AddGap(m_lastGood ? m_lastGood->time : "", read->time, read->seq - *m_lastSeq - 1,
                   false);
        }
        if (m_lastGood && IsClockBack(m_lastGood->time, read->time)) {
            Add({.kind = FindingKind::ClockBack,
                 .file = file,
                 .line = line,
                 .time = m_lastGood->time,
                 .until = std::string(read->time)});
        }
        Note(*read, file, line);
        Follow(*read);
    }

    void Follow(const journal::ReadLine& read) {
        m_lastGood = Seen{read.seq, read.mac, std::string(read.time)};
        m_lastSeq = read.seq;
        m_previousMac = read.mac;
    }

    // Whether the line's MAC holds in its chain. A line after one a kill cut short follows the
    // entry before that one.
    Verdict Verify(const journal::ReadLine& read, const std::optional<journal::ChainStart>& start) {
        if (start) return VerifyChainStart(read, *start);
        if (read.seq == 0 || read.seq > m_maxSeq) return Verdict::Failed;
        if (!m_chain) return FindChain(read);
        if (!m_chain->keys) return Verdict::Unchecked;
        const journal::JournalKey& key = m_chain->keys->At(read.seq);
        for (const journal::Digest* previous :
             {m_previousMac ? &*m_previousMac : nullptr,
              m_badRun && m_lastGood ? &m_lastGood->mac : nullptr}) {
            if (previous && journal::ChainMac(key, read.text, *previous) == read.mac) {
                m_followsLastGood = m_lastGood && *previous == m_lastGood->mac;
                return Checked();
            }
        }
        return Verdict::Failed;
    }

    // The owner's first keys the check was given: the current password's, then the earlier ones.
    std::vector<const journal::JournalKey*> OwnerKeys() const {
        std::vector<const journal::JournalKey*> keys;
        if (m_input.ownerKey) keys.push_back(&*m_input.ownerKey);
        for (const journal::JournalKey& key : m_input.earlierOwnerKeys) keys.push_back(&key);
        return keys;
    }

    Verdict VerifyChainStart(const journal::ReadLine& read, const journal::ChainStart& start) {
        const bool owner = start.protection == journal::Protection::Owner;
        if (owner && !m_input.ownerKey) {
            m_chain = Chain{start.protection, std::nullopt};
            return Verdict::Unchecked;
        }
        const std::vector<const journal::JournalKey*> firsts =
            owner ? OwnerKeys()
                  : std::vector<const journal::JournalKey*>{&journal::kPublicJournalKey};
        for (const journal::JournalKey* first : firsts) {
            if (journal::ChainMac(*first, read.text, journal::Digest{}) == read.mac) {
                m_chain = Chain{start.protection, KeyLadder(*first)};
                return Checked();
            }
        }
        if (!owner) return Verdict::Failed;
        // Begun with a password the owner's file does not know, or changed: its entries cannot be
        // checked.
        Add({.kind = FindingKind::OtherOwnerKey, .time = std::string(read.time)});
        m_chain = Chain{start.protection, std::nullopt};
        return Verdict::Unchecked;
    }

    // The chain of the first entry checked, which began before the days checked: one of the
    // owner's keys, or the public one, or, when none opens it, what its first entry says.
    Verdict FindChain(const journal::ReadLine& read) {
        const journal::Digest previous = m_previousMac.value_or(journal::Digest{});
        std::vector<const journal::JournalKey*> firsts = OwnerKeys();
        firsts.push_back(&journal::kPublicJournalKey);
        for (const journal::JournalKey* first : firsts) {
            KeyLadder keys(*first);
            if (journal::ChainMac(keys.At(read.seq), read.text, previous) == read.mac) {
                m_chain = Chain{first == &journal::kPublicJournalKey ? journal::Protection::Unkeyed
                                                                     : journal::Protection::Owner,
                                std::move(keys)};
                return Checked();
            }
        }
        if (!m_input.ownerKey && EarlierChainIsOwners()) {
            m_chain = Chain{journal::Protection::Owner, std::nullopt};
            return Verdict::Unchecked;
        }
        return Verdict::Failed;
    }

    bool EarlierChainIsOwners() const {
        const int firstMonth = core::MonthNumber(m_input.first);
        for (auto month = m_months.rbegin(); month != m_months.rend(); ++month) {
            if (*month >= firstMonth) continue;
            const std::string bytes =
                store::ReadWholeFile(journal::JournalFilePath(m_input.journalFolder, *month))
                    .value_or("");
            std::optional<journal::ChainStart> start;
            journal::ForEachLine(bytes, [&start](std::string_view text, bool) {
                const std::optional<journal::ReadLine> line = journal::ReadJournalLine(text);
                if (std::optional<journal::ChainStart> found =
                        line ? journal::ReadChainStart(*line) : std::nullopt)
                    start = found;
            });
            if (start) return start->protection == journal::Protection::Owner;
        }
        return false;
    }

    Verdict Checked() {
        (m_chain->protection == journal::Protection::Owner ? m_report.ownerChecked
                                                           : m_report.unkeyedChecked) = true;
        return Verdict::Checked;
    }

    // A single line a kill cut short is followed by the entry it was to be, or ends the journal:
    // nothing was changed, and the record of a checkout it names was written.
    void CloseBadRun(bool cutByKill) {
        BadRun& run = *m_badRun;
        const bool lastOfJournal = run.lines == 1 && !run.parsed && !run.whole;
        if (cutByKill || lastOfJournal) {
            if (run.checkout) m_cutShort.push_back(*run.checkout);
            Add({.kind = FindingKind::JournalCutShort,
                 .file = run.file,
                 .line = run.line,
                 .time = run.time});
        } else {
            Add({.kind = FindingKind::EntryChanged,
                 .file = run.file,
                 .line = run.line,
                 .time = run.time,
                 .until = run.until,
                 .count = run.lines});
        }
        m_badRun.reset();
    }

    void BeginChain(const journal::ChainStart& start, const journal::ReadLine& read) {
        const std::string time(read.time);
        if (start.reason == journal::ChainReason::KeyBehind) {
            Add({.kind = FindingKind::KeyRolledBack, .time = time});
        } else if (start.reason == journal::ChainReason::KeyMissing ||
                   start.reason == journal::ChainReason::KeyDamaged ||
                   start.reason == journal::ChainReason::FolderGone ||
                   (!start.before && m_lastGood)) {
            Add({.kind = FindingKind::ChainRestarted, .time = time, .reason = start.reason});
        }
        if (start.protection == journal::Protection::Unkeyed && m_ownersBefore) {
            Add({.kind = FindingKind::ProtectionOff, .time = time});
        }
        m_ownersBefore = m_ownersBefore || start.protection == journal::Protection::Owner;
        if (const std::optional<journal::ChainHead>& before = start.before) {
            const bool follows =
                m_lastGood && m_lastGood->seq == before->entries && m_lastGood->mac == before->last;
            if (!follows) {
                const std::uint64_t held = m_lastGood ? m_lastGood->seq : 0;
                AddGap(m_lastGood ? m_lastGood->time : "", time,
                       before->entries > held ? before->entries - held : 0, false);
            }
        } else if (!m_lastGood && !m_journalBefore) {
            m_journalStart = core::KeyOfText(time).value_or(kSinceEver);
            if (m_tally.InDays(m_journalStart)) {
                Add({.kind = FindingKind::JournalBegins, .time = time});
            }
        }
    }

    // Entries missing between the entry at `from` and the one at `until`; empty ends reach back
    // to the journal's start or on to now. Records of that span the journal does not hold are the
    // gap's, not changes of their own.
    void AddGap(const std::string& from, std::string_view until, std::uint64_t count,
                bool tillNow) {
        Finding gap{.kind = FindingKind::JournalGap,
                    .time = from,
                    .until = std::string(until),
                    .count = count};
        const core::TimeKey start =
            from.empty() ? kSinceEver : core::KeyOfText(from).value_or(kSinceEver);
        const core::TimeKey end = tillNow ? kUntilNow : core::KeyOfText(until).value_or(kUntilNow);
        m_gaps.push_back({start, end, m_report.findings.size()});
        Add(std::move(gap));
    }

    void Note(const journal::ReadLine& read, const std::string& file, std::size_t line) {
        const std::string time(read.time);
        switch (read.action) {
            case journal::Action::ClockBack: {
                Finding back{
                    .kind = FindingKind::ClockBack, .file = file, .line = line, .time = time};
                if (const auto to = read.Value(journal::Field::To))
                    back.until = journal::ProgramText(*to);
                if (const auto from = read.Value(journal::Field::From))
                    back.time = journal::ProgramText(*from);
                Add(std::move(back));
                return;
            }
            case journal::Action::SettingsChangedOutside:
                Add({.kind = FindingKind::SettingsChangedOutside,
                     .file = file,
                     .line = line,
                     .time = time});
                return;
            case journal::Action::Checkout:
                NoteCheckout(read);
                return;
            case journal::Action::Refused:
                // A checkout taken back with its record, as when the settings file could not be
                // written after it.
                if (const auto hash = read.Value(journal::Field::RecordHash)) {
                    if (const std::optional<journal::Digest> digest = journal::DigestOfHex(*hash)) {
                        m_takenBack.push_back(*digest);
                    }
                }
                return;
            case journal::Action::Modify:
            case journal::Action::Delete:
            case journal::Action::Switch:
                if (m_tally.InDays(read.time)) {
                    m_tally.Of(read.operatorName)
                        .actions.push_back({read.action, time, journal::ProgramText(read.item),
                                            journal::DetailsOf(read)});
                }
                return;
            default:
                return;
        }
    }

    // Every checkout read is looked for by its record's bytes; those of the days checked, and of
    // this desk, are missed when not found.
    void NoteCheckout(const journal::ReadLine& read) {
        const bool missed = m_tally.Count(read);
        const auto hash = read.Value(journal::Field::RecordHash);
        const std::optional<journal::Digest> digest =
            hash ? journal::DigestOfHex(*hash) : std::nullopt;
        if (!digest) return;
        const std::string& item = ProgramItem(read.item);
        const std::string start(read.Value(journal::Field::StartTime).value_or(""));
        const std::string monthFile(read.Value(journal::Field::MonthFile).value_or(""));
        const auto [named, added] = m_monthFiles.emplace(monthFile, m_checkoutFiles.size());
        if (added) m_checkoutFiles.push_back(monthFile);
        m_checkouts.push_back({*digest, UseOf(item, start), named->second, &item,
                               core::KeyOfText(read.time).value_or(0), m_checkouts.size(), missed,
                               read.Value(journal::Field::Late).has_value()});
    }

    // The item and time that a checkout's line cut short still holds whole.
    std::optional<Use> CheckoutCutShort(std::string_view text) {
        std::string_view parts[5];
        for (std::string_view& part : parts) {
            const std::size_t end = text.find('\t');
            if (end == std::string_view::npos) return std::nullopt;
            part = text.substr(0, end);
            text.remove_prefix(end + 1);
        }
        const std::optional<core::TimeKey> time = core::KeyOfText(parts[1]);
        if (parts[3] != journal::ActionName(journal::Action::Checkout) || !time)
            return std::nullopt;
        return Use{ProgramItem(parts[4]), *time};
    }

    const std::string& ProgramItem(std::string_view written) {
        auto found = m_items.find(std::string(written));
        if (found == m_items.end()) {
            found = m_items.emplace(std::string(written), journal::ProgramText(written)).first;
        }
        return found->second;
    }

    // The key file says where the journal ends: entries cut off after its last line, or a key
    // copied back from before it.
    void CompareWithKey() {
        const std::optional<std::string> bytes =
            store::ReadWholeFile(journal::KeyFilePath(m_input.journalFolder));
        const std::optional<journal::ChainState> key =
            bytes ? journal::ReadKeyRecord(*bytes) : std::nullopt;
        if (!key) return;
        m_report.head = journal::ChainHead{key->next - 1, key->last, {}};
        if (!m_lastGood) return;
        m_report.head->time = m_lastGood->seq + 1 == key->next ? m_lastGood->time : "";
        // A kill between an entry and its key leaves the key one behind: the next append heals it.
        if (key->next == m_lastGood->seq || key->next == m_lastGood->seq + 1) return;
        if (key->next < m_lastGood->seq) {
            Add({.kind = FindingKind::KeyRolledBack, .time = m_lastGood->time});
        } else {
            AddGap(m_lastGood->time, {}, key->next - 1 - m_lastGood->seq, true);
        }
    }

    void CompareRecords() {
        std::vector<history::PeriodFile> files = history::PeriodFiles(m_input.first, m_input.last);
        for (std::size_t file = 0; file < files.size(); ++file) {
            m_monthFileNames.push_back(history::MonthFile::Of(files[file].month).Name());
        }
        // The month files' names that checkouts give were not known when the journal was walked.
        ResolveMonthFiles();
        std::unordered_map<std::uint64_t, std::size_t> byHash;
        byHash.reserve(m_checkouts.size());
        for (std::size_t c = 0; c < m_checkouts.size(); ++c) {
            byHash.emplace(DigestPrefix(m_checkouts[c].hash), c);
        }
        std::vector<std::vector<std::pair<std::uint64_t, std::size_t>>> uses(files.size());
        std::vector<std::string_view> fields;
        for (std::size_t file = 0; file < files.size(); ++file) {
            const history::HistoryMonth month =
                history::ReadPeriodFile(m_input.historyFolder, files[file]);
            std::vector<std::size_t> orders, lines;
            for (std::size_t r = 0; r < month.RecordCount(); ++r) {
                const std::string_view record = month.Record(r);
                month.SplitFields(r, fields);
                const bool whole =
                    fields.size() >= history::kRecordFields &&
                    history::MoneyOf(history::CellText(fields, history::kFieldTotal)).has_value();
                if (!whole) {
                    if (files[file].inSpan && !record.empty()) {
                        Add({.kind = FindingKind::RecordCutShort,
                             .item = FieldText(fields, history::kFieldName),
                             .file = m_monthFileNames[file],
                             .line = r + 1});
                    }
                    continue;
                }
                uses[file].push_back(
                    {UseOf(fields[history::kFieldName], fields[history::kFieldStart]), r});
                const std::optional<core::TimeKey> end =
                    core::KeyOfText(fields[history::kFieldEnd]);
                if (!end || !m_tally.InDays(*end)) continue;
                ++m_report.recordsChecked;
                const journal::Digest digest = journal::Sha256(record);
                const auto found = byHash.find(DigestPrefix(digest));
                if (found == byHash.end() || m_checkouts[found->second].hash != digest) {
                    m_loose.push_back({file, r, *end, FieldText(fields, history::kFieldName),
                                       std::string(fields[history::kFieldEnd])});
                    continue;
                }
                Checkout& checkout = m_checkouts[found->second];
                checkout.matched = true;
                if (checkout.monthFile != file) {
                    Add({.kind = FindingKind::RecordMoved,
                         .item = *checkout.item,
                         .file = m_monthFileNames[file],
                         .line = r + 1,
                         .time = std::string(fields[history::kFieldEnd])});
                    continue;
                }
                if (checkout.late) continue;
                orders.push_back(checkout.order);
                lines.push_back(r);
            }
            const std::vector<bool> kept = InOrder(orders);
            for (std::size_t i = 0; i < kept.size(); ++i) {
                if (kept[i]) continue;
                const Checkout& checkout = m_checkouts[orders[i]];
                Add({.kind = FindingKind::RecordMoved,
                     .item = *checkout.item,
                     .file = m_monthFileNames[file],
                     .line = lines[i] + 1,
                     .time = core::TextOfKey(checkout.time)});
            }
            std::sort(uses[file].begin(), uses[file].end());
        }
        for (const Checkout& checkout : m_checkouts) {
            if (checkout.missed && !checkout.matched && !SameAsMatched(checkout, byHash) &&
                std::find(m_takenBack.begin(), m_takenBack.end(), checkout.hash) ==
                    m_takenBack.end()) {
                Unmatched(checkout, uses);
            }
        }
        for (const LooseRecord& loose : m_loose) {
            if (loose.changed || std::find(m_cutShort.begin(), m_cutShort.end(),
                                           Use{loose.item, loose.end}) != m_cutShort.end()) {
                continue;
            }
            // A record of the journal's first second may have been written before it began.
            if (loose.end <= m_journalStart) {
                ++m_report.recordsBeforeJournal;
            } else if (Gap* gap = GapAt(loose.end)) {
                ++m_report.findings[gap->finding].records;
            } else {
                Add({.kind = FindingKind::RecordNotJournaled,
                     .item = loose.item,
                     .file = m_monthFileNames[loose.file],
                     .line = loose.line + 1,
                     .time = loose.time});
            }
        }
        m_report.operators = m_tally.Take();
    }

    // A checkout journaled twice, as after a kill, is one checkout.
    bool SameAsMatched(const Checkout& checkout,
                       const std::unordered_map<std::uint64_t, std::size_t>& byHash) const {
        const auto found = byHash.find(DigestPrefix(checkout.hash));
        return found != byHash.end() && &m_checkouts[found->second] != &checkout &&
               m_checkouts[found->second].hash == checkout.hash &&
               m_checkouts[found->second].matched;
    }

    // A checkout whose record is not as it wrote it: changed in place, or gone.
    void Unmatched(const Checkout& checkout,
                   const std::vector<std::vector<std::pair<std::uint64_t, std::size_t>>>& uses) {
        const std::string time = core::TextOfKey(checkout.time);
        if (checkout.monthFile != kNoFile) {
            const auto& inFile = uses[checkout.monthFile];
            const auto found = std::lower_bound(inFile.begin(), inFile.end(),
                                                std::pair(checkout.use, std::size_t{0}));
            if (found != inFile.end() && found->first == checkout.use) {
                // Loose records are in the order of their files and lines.
                const auto loose = std::lower_bound(
                    m_loose.begin(), m_loose.end(), std::pair(checkout.monthFile, found->second),
                    [](const LooseRecord& record, const std::pair<std::size_t, std::size_t>& at) {
                        return std::pair(record.file, record.line) < at;
                    });
                if (loose != m_loose.end() && loose->file == checkout.monthFile &&
                    loose->line == found->second) {
                    loose->changed = true;
                }
                Add({.kind = FindingKind::RecordChanged,
                     .item = *checkout.item,
                     .file = m_monthFileNames[checkout.monthFile],
                     .line = found->second + 1,
                     .time = time});
                return;
            }
        }
        Add({.kind = FindingKind::RecordDeleted,
             .item = *checkout.item,
             .file = checkout.monthFile == kNoFile ? std::string()
                                                   : m_monthFileNames[checkout.monthFile],
             .time = time});
    }

    void ResolveMonthFiles() {
        for (Checkout& checkout : m_checkouts) {
            const auto name = std::find(m_monthFileNames.begin(), m_monthFileNames.end(),
                                        m_checkoutFiles[checkout.monthFile]);
            checkout.monthFile = name == m_monthFileNames.end()
                                     ? kNoFile
                                     : static_cast<std::size_t>(name - m_monthFileNames.begin());
        }
    }

    struct Gap {
        core::TimeKey from, until;
        std::size_t finding;
    };
    Gap* GapAt(core::TimeKey time) {
        for (Gap& gap : m_gaps) {
            if (time > gap.from && time <= gap.until) return &gap;
        }
        return nullptr;
    }

    static std::string FieldText(const std::vector<std::string_view>& fields, std::size_t field) {
        return field < fields.size() ? std::string(fields[field]) : std::string();
    }

    void Add(Finding finding) { m_report.findings.push_back(std::move(finding)); }

    const CheckInput& m_input;
    const std::vector<int> m_months;
    CheckReport m_report;
    std::uint64_t m_maxSeq = 0;
    // The walk of the journal.
    std::optional<Chain> m_chain;
    std::optional<Seen> m_lastGood;
    std::optional<std::uint64_t> m_lastSeq;
    std::optional<journal::Digest> m_previousMac;
    std::optional<BadRun> m_badRun;
    bool m_ownersBefore = false;
    bool m_journalBefore = false;  // the journal holds entries from before the days checked
    bool m_followsLastGood = false;
    core::TimeKey m_journalStart = kSinceEver;
    std::vector<Gap> m_gaps;
    // What the records are held against.
    std::vector<Checkout> m_checkouts;
    std::vector<std::string> m_checkoutFiles, m_monthFileNames;
    std::map<std::string, std::size_t> m_monthFiles;
    std::unordered_map<std::string, std::string> m_items;
    OperatorTally m_tally;
    std::vector<LooseRecord> m_loose;
    std::vector<Use> m_cutShort;               // checkouts whose lines a kill cut short
    std::vector<journal::Digest> m_takenBack;  // records of checkouts taken back
};

}  // namespace

bool IsTampering(FindingKind kind) {
    return kind < FindingKind::JournalCutShort;
}

CheckReport CheckJournal(const CheckInput& input) {
    return Checker(input).Run();
}

bool IsClean(const CheckReport& report) {
    return std::none_of(report.findings.begin(), report.findings.end(),
                        [](const Finding& finding) { return IsTampering(finding.kind); });
}

}  // namespace durava::audit
