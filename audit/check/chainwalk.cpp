// SPDX-License-Identifier: MIT
#include "audit/check/chainwalk.h"

#include <algorithm>
#include <utility>

#include "audit/checkouts.h"
#include "core/codepage.h"
#include "journal/chain/chain.h"
#include "journal/files/journalfiles.h"
#include "journal/journaltexts.h"
#include "store/files/fileio.h"

namespace durava::audit {
namespace {

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

// The item and time that a checkout's line cut short still holds whole.
std::optional<Use> CheckoutCutShort(std::string_view text) {
    const std::optional<journal::LineLook> look = journal::LookAtLine(text);
    if (!look || look->action != journal::Action::Checkout) return std::nullopt;
    const std::optional<core::TimeKey> time = core::KeyOfText(look->time);
    if (!time) return std::nullopt;
    return Use{journal::ProgramText(look->item), *time};
}

// Whether the chain of the last files before the days is an owner's, by the last chain begun in
// them.
bool EarlierChainIsOwners(const ChainSpan& span) {
    for (auto month = span.earlier.rbegin(); month != span.earlier.rend(); ++month) {
        const std::string bytes =
            store::ReadWholeFile(journal::JournalFilePath(span.folder, *month)).value_or("");
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

// Lines whose MAC fails, one after the other.
struct BadRun {
    std::string file{}, time{}, until{};
    std::size_t line = 0, lines = 0;
    bool whole = true;              // false when its last line has no line break
    bool parsed = false;            // a line read whole: nothing a kill cut short
    std::optional<Use> checkout{};  // what a checkout's line cut short still names
};

// The walk over the lines of the span's files; what it holds is where the chain stands.
class ChainWalk {
  public:
    ChainWalk(const ChainSpan& span, ChainKeys keys, const Days& days, EntryNotes& notes,
              std::vector<Finding>& findings)
        : m_span(span),
          m_keys(std::move(keys)),
          m_days(days),
          m_notes(notes),
          m_findings(findings) {
        if (span.before) Follow(span.before->seq, span.before->mac, span.before->time);
    }

    WalkedChains Run() {
        for (const int month : m_span.checked) {
            const std::string name = journal::JournalFileName(month);
            const std::optional<std::string> bytes = store::ReadWholeFile(m_span.folder / name);
            if (!bytes) continue;
            std::size_t line = 0;
            journal::ForEachLine(*bytes, [&](std::string_view text, bool whole) {
                Line(text, whole, name, ++line);
            });
        }
        if (m_badRun) CloseBadRun(false);
        if (m_span.endsWithDays) CompareWithKey();
        if (m_lastGood)
            m_walked.head = journal::ChainHead{m_lastGood->seq, m_lastGood->mac, m_lastGood->time};
        if (m_span.earlier.empty() && m_span.checked.empty()) m_walked.journalStart = kUntilNow;
        return std::move(m_walked);
    }

  private:
    using Verdict = ChainKeys::Verdict;

    void Line(std::string_view text, bool whole, const std::string& file, std::size_t line) {
        const std::optional<journal::ReadLine> read = journal::ReadJournalLine(text);
        const std::optional<journal::ChainStart> start =
            read ? journal::ReadChainStart(*read) : std::nullopt;
        Verdict verdict = read ? Verify(*read, start) : Verdict::Failed;
        if (verdict == Verdict::OtherOwnerKey) {
            Add({.kind = FindingKind::OtherOwnerKey, .time = std::string(read->time)});
            verdict = Verdict::Unchecked;
        }
        if (verdict == Verdict::Failed) {
            Failed(read, start.has_value(), text, whole, file, line);
            return;
        }
        if (m_badRun) {
            CloseBadRun(m_badRun->lines == 1 && !m_badRun->parsed && m_followsLastGood &&
                        read->seq == m_lastGood->seq + 1);
        }
        if (verdict == Verdict::Checked) {
            ++m_walked.entriesChecked;
            (m_keys.Protection() == journal::Protection::Owner ? m_walked.ownerChecked
                                                               : m_walked.unkeyedChecked) = true;
        } else {
            ++m_walked.entriesUnchecked;
        }
        Vouched(*read, start, file, line);
    }

    // An entry the chain vouches for, or whose chain cannot be checked.
    void Vouched(const journal::ReadLine& read, const std::optional<journal::ChainStart>& start,
                 const std::string& file, std::size_t line) {
        if (start) {
            BeginChain(*start, read);
        } else if (!m_lastSeq) {
            AddGap({}, read.time, read.seq - 1, false);
        } else if (read.seq > *m_lastSeq + 1) {
            AddGap(LastGoodTime(), read.time, read.seq - *m_lastSeq - 1, false);
        }
        if (m_lastGood && IsClockBack(m_lastGood->time, read.time)) {
            Add({.kind = FindingKind::ClockBack,
                 .file = file,
                 .line = line,
                 .time = m_lastGood->time,
                 .until = std::string(read.time)});
        }
        m_notes.Note(read, file, line, m_findings);
        Follow(read.seq, read.mac, read.time);
    }

    // A line whose MAC fails, or that does not read as an entry.
    void Failed(const std::optional<journal::ReadLine>& read, bool chainStart,
                std::string_view text, bool whole, const std::string& file, std::size_t line) {
        // The first entry after missing ones cannot be checked: the MAC it follows is gone.
        if (read && !m_badRun && !chainStart && m_lastSeq && read->seq > *m_lastSeq + 1 &&
            read->seq <= m_span.mostEntries) {
            AddGap(LastGoodTime(), read->time, read->seq - *m_lastSeq - 1, false);
            Follow(read->seq, read->mac, read->time);
            return;
        }
        if (!m_badRun) {
            m_badRun = BadRun{file, read ? std::string(read->time) : "", {}, line};
            m_badRun->checkout = CheckoutCutShort(text);
        }
        ++m_badRun->lines;
        m_badRun->whole = whole;
        m_badRun->parsed = m_badRun->parsed || read;
        if (read) NoteDamagedRecord(*read);
        if (read) {
            m_badRun->until = read->time;
            m_previousMac = read->mac;
            m_lastSeq = std::max(m_lastSeq.value_or(0), std::min(read->seq, m_span.mostEntries));
        }
    }

    void NoteDamagedRecord(const journal::ReadLine& read) {
        const std::optional<std::string_view> hash = read.action == journal::Action::Checkout
                                                         ? read.Value(journal::Field::RecordHash)
                                                         : std::nullopt;
        if (const std::optional<journal::Digest> record =
                hash ? journal::DigestOfHex(*hash) : std::nullopt) {
            m_walked.damagedRecords.push_back(RecordKey(*record));
        }
    }

    void Follow(std::uint64_t seq, const journal::Digest& mac, std::string_view time) {
        m_lastGood = Seen{seq, mac, std::string(time)};
        m_lastSeq = seq;
        m_previousMac = mac;
    }

    std::string LastGoodTime() const { return m_lastGood ? m_lastGood->time : ""; }

    // Whether the line's MAC holds in its chain. A line after one a kill cut short follows the
    // entry before that one.
    Verdict Verify(const journal::ReadLine& read, const std::optional<journal::ChainStart>& start) {
        if (start) return m_keys.Begin(read, *start);
        if (read.seq == 0 || read.seq > m_span.mostEntries) return Verdict::Failed;
        if (!m_keys.Walking()) {
            return m_keys.Find(read, m_previousMac.value_or(journal::Digest{}),
                               [this] { return EarlierChainIsOwners(m_span); });
        }
        if (!m_keys.Opens()) return Verdict::Unchecked;
        for (const journal::Digest* previous :
             {m_previousMac ? &*m_previousMac : nullptr,
              m_badRun && m_lastGood ? &m_lastGood->mac : nullptr}) {
            if (previous && m_keys.Follows(read, *previous)) {
                m_followsLastGood = m_lastGood && *previous == m_lastGood->mac;
                return Verdict::Checked;
            }
        }
        return Verdict::Failed;
    }

    // A single line a kill cut short is followed by the entry it was to be, or ends the journal:
    // nothing was changed, and the record of a checkout it names was written.
    void CloseBadRun(bool cutByKill) {
        BadRun& run = *m_badRun;
        const bool lastOfJournal = run.lines == 1 && !run.parsed && !run.whole;
        if (cutByKill || lastOfJournal) {
            if (run.checkout) m_walked.cutShort.push_back(*run.checkout);
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
        } else if ((start.reason == journal::ChainReason::KeyMissing ||
                    start.reason == journal::ChainReason::KeyDamaged) &&
                   (m_walked.ownersBefore || start.protection == journal::Protection::Owner)) {
            // Only the owner begins an owner's chain anew: the desk refused until the key's loss
            // was made good. A power cut may lose an unprotected desk's key; it goes on unharmed.
            Add({.kind = FindingKind::KeyFileUnusable,
                 .file = KeyFileName(m_span.folder),
                 .time = time,
                 .until = journal::WhyText(start.reason == journal::ChainReason::KeyMissing
                                               ? journal::FileState::Missing
                                               : journal::FileState::Damaged),
                 .count = start.before ? start.before->entries
                          : m_lastGood ? m_lastGood->seq
                                       : 0});
        } else if (start.reason == journal::ChainReason::OwnerRestart) {
            // A forgotten password replaced: the owner should hear when, and who was on duty.
            Add({.kind = FindingKind::ChainRestarted,
                 .item = journal::ProgramText(read.operatorName),
                 .time = time,
                 .reason = start.reason});
        } else if (start.reason == journal::ChainReason::FolderGone ||
                   (!start.before && m_lastGood)) {
            Add({.kind = FindingKind::ChainRestarted, .time = time, .reason = start.reason});
        }
        if (start.protection == journal::Protection::Unkeyed && m_walked.ownersBefore) {
            Add({.kind = FindingKind::ProtectionOff, .time = time});
        }
        m_walked.ownersBefore =
            m_walked.ownersBefore || start.protection == journal::Protection::Owner;
        if (const std::optional<journal::ChainHead>& before = start.before) {
            const bool follows =
                m_lastGood && m_lastGood->seq == before->entries && m_lastGood->mac == before->last;
            if (!follows) {
                const std::uint64_t held = m_lastGood ? m_lastGood->seq : 0;
                AddGap(LastGoodTime(), time, before->entries > held ? before->entries - held : 0,
                       false);
            }
        } else if (!m_lastGood && m_span.earlier.empty()) {
            m_walked.journalStart = core::KeyOfText(time).value_or(kSinceEver);
            if (m_days.Hold(m_walked.journalStart)) {
                Add({.kind = FindingKind::JournalBegins, .time = time});
            }
        }
    }

    // The key file says where the journal ends: entries cut off after its last line, or a key
    // copied back from before it.
    void CompareWithKey() {
        const std::optional<std::string> bytes =
            store::ReadWholeFile(journal::KeyFilePath(m_span.folder));
        const std::optional<journal::ChainState> key =
            bytes ? journal::ReadKeyRecord(*bytes) : std::nullopt;
        if (!key) return;
        if (!m_lastGood) {
            m_walked.head = journal::ChainHead{key->next - 1, key->last, {}};
            return;
        }
        // A kill between an entry and its key leaves the key one behind: the next append heals it.
        if (key->next == m_lastGood->seq || key->next == m_lastGood->seq + 1) return;
        if (key->next < m_lastGood->seq) {
            Add({.kind = FindingKind::KeyRolledBack, .time = m_lastGood->time});
        } else {
            AddGap(m_lastGood->time, {}, key->next - 1 - m_lastGood->seq, true);
        }
    }

    // Entries missing between the entry at `from` and the one at `until`; empty ends reach back
    // to the journal's start or on to now.
    void AddGap(const std::string& from, std::string_view until, std::uint64_t count,
                bool tillNow) {
        const core::TimeKey start =
            from.empty() ? kSinceEver : core::KeyOfText(from).value_or(kSinceEver);
        const core::TimeKey end = tillNow ? kUntilNow : core::KeyOfText(until).value_or(kUntilNow);
        m_walked.gaps.push_back({start, end, m_findings.size()});
        Add({.kind = FindingKind::JournalGap,
             .time = from,
             .until = std::string(until),
             .count = count});
    }

    // Times that did not read are left out; a key file's `until` is words.
    void Add(Finding finding) {
        finding.time = TimeOrNone(finding.time);
        if (finding.kind != FindingKind::KeyFileUnusable) finding.until = TimeOrNone(finding.until);
        m_findings.push_back(std::move(finding));
    }

    const ChainSpan& m_span;
    ChainKeys m_keys;
    const Days& m_days;
    EntryNotes& m_notes;
    std::vector<Finding>& m_findings;
    WalkedChains m_walked;
    std::optional<Seen> m_lastGood;
    std::optional<std::uint64_t> m_lastSeq;
    std::optional<journal::Digest> m_previousMac;
    std::optional<BadRun> m_badRun;
    bool m_followsLastGood = false;
};

}  // namespace

std::string KeyFileName(const std::filesystem::path& journalFolder) {
    return core::WideToText(journal::KeyFilePath(journalFolder).filename().u16string());
}

ChainSpan GatherChains(const std::filesystem::path& journalFolder, int firstMonth, int lastMonth) {
    ChainSpan span;
    span.folder = journalFolder;
    span.mostEntries = journal::MostEntries(journalFolder);
    for (const int month : journal::JournalMonths(journalFolder)) {
        if (month < firstMonth) {
            span.earlier.push_back(month);
        } else if (month <= lastMonth) {
            span.checked.push_back(month);
        } else {
            span.endsWithDays = false;
        }
    }
    if (span.earlier.empty()) return span;
    const std::string end =
        journal::ReadJournalEnd(journal::JournalFilePath(journalFolder, span.earlier.back()))
            .value_or("");
    if (const std::optional<journal::ReadLine> last = journal::LastEntriesOf(end).last) {
        span.before = Seen{last->seq, last->mac, std::string(last->time)};
    }
    return span;
}

WalkedChains FollowChains(const ChainSpan& span, ChainKeys keys, const Days& days,
                          EntryNotes& notes, std::vector<Finding>& findings) {
    return ChainWalk(span, std::move(keys), days, notes, findings).Run();
}

}  // namespace durava::audit
