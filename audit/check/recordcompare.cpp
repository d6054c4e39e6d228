// SPDX-License-Identifier: MIT
#include "audit/check/recordcompare.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "audit/checkouts.h"
#include "history/monthfiles.h"
#include "history/periodtakings.h"
#include "history/takings.h"

namespace durava::audit {
namespace {

constexpr std::size_t kNoFile = std::numeric_limits<std::size_t>::max();

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

std::string FieldText(const std::vector<std::string_view>& fields, std::size_t field) {
    return field < fields.size() ? std::string(fields[field]) : std::string();
}

// The checkouts' month files among `names`, kNoFile for another; they were only names when the
// journal was walked.
void ResolveMonthFiles(std::vector<NotedCheckout>& checkouts, const std::vector<std::string>& given,
                       const std::vector<std::string>& names) {
    for (NotedCheckout& checkout : checkouts) {
        const auto name = std::find(names.begin(), names.end(), given[checkout.monthFile]);
        checkout.monthFile =
            name == names.end() ? kNoFile : static_cast<std::size_t>(name - names.begin());
    }
}

// A whole record within the days checked that no checkout names by its bytes.
struct LooseRecord {
    std::size_t file, line;  // line from 0
    core::TimeKey end;
    std::string item, time;
    std::uint64_t key;                 // RecordKey of its bytes
    std::optional<std::int64_t> yuan;  // its total
    bool changed = false;              // the record of a checkout, with other bytes
};

// The month files' records against the checkouts, file by file, then what is left on each side.
class RecordComparison {
  public:
    RecordComparison(std::vector<NotedCheckout>& checkouts, std::vector<std::string> names,
                     std::vector<Finding>& findings)
        : m_checkouts(checkouts),
          m_names(std::move(names)),
          m_findings(findings),
          m_uses(m_names.size()) {
        m_byRecord.reserve(checkouts.size());
        for (std::size_t c = 0; c < checkouts.size(); ++c) {
            const auto [at, added] = m_byRecord.emplace(RecordKey(checkouts[c].hash), c);
            // Of the checkouts journaled for one record, the one still counted names it.
            if (!added && checkouts[c].missed && !checkouts[at->second].missed) at->second = c;
        }
    }

    void CompareFile(std::size_t file, bool inSpan, const history::HistoryMonth& month,
                     const Days& days, RecordCounts& counts) {
        std::vector<std::size_t> orders, lines;
        std::vector<std::string_view> fields;
        for (std::size_t r = 0; r < month.RecordCount(); ++r) {
            const std::string_view record = month.Record(r);
            month.SplitFields(r, fields);
            const bool whole =
                fields.size() >= history::kRecordFields &&
                history::MoneyOf(history::CellText(fields, history::kFieldTotal)).has_value();
            if (!whole) {
                if (inSpan && !record.empty()) {
                    Add({.kind = FindingKind::RecordCutShort,
                         .item = FieldText(fields, history::kFieldName),
                         .file = m_names[file],
                         .line = r + 1});
                }
                continue;
            }
            m_uses[file].push_back(
                {UseOf(fields[history::kFieldName], fields[history::kFieldStart]), r});
            const std::optional<core::TimeKey> end = core::KeyOfText(fields[history::kFieldEnd]);
            if (!end || !days.Hold(*end)) continue;
            ++counts.checked;
            if (const std::optional<std::size_t> checkout = Match(record, fields, file, r, *end)) {
                orders.push_back(m_checkouts[*checkout].order);
                lines.push_back(r);
            }
        }
        NameMovedOutOfOrder(file, orders, lines);
        std::sort(m_uses[file].begin(), m_uses[file].end());
    }

    // Counted checkouts whose records were not found as they wrote them.
    void NameMissed() {
        for (const NotedCheckout& checkout : m_checkouts) {
            if (checkout.missed && !checkout.matched) Unmatched(checkout);
        }
    }

    // Records no checkout names: before the journal, in a gap of it, or never journaled.
    void NameLoose(const WalkedChains& walked, RecordCounts& counts) {
        for (const LooseRecord& loose : m_loose) {
            if (loose.changed || std::find(walked.cutShort.begin(), walked.cutShort.end(),
                                           Use{loose.item, loose.end}) != walked.cutShort.end()) {
                continue;
            }
            const auto gap = std::find_if(
                walked.gaps.begin(), walked.gaps.end(),
                [&](const Gap& g) { return loose.end > g.from && loose.end <= g.until; });
            // A record of the journal's first second may have been written before it began.
            if (loose.end <= walked.journalStart) {
                ++counts.beforeJournal;
                --counts.checked;
            } else if (gap != walked.gaps.end()) {
                ++m_findings[gap->finding].records;
            } else if (std::find(walked.damagedRecords.begin(), walked.damagedRecords.end(),
                                 loose.key) == walked.damagedRecords.end()) {
                Add({.kind = FindingKind::RecordNotJournaled,
                     .item = loose.item,
                     .file = m_names[loose.file],
                     .line = loose.line + 1,
                     .time = loose.time});
            }
        }
    }

  private:
    // The checkout of the record at `line` of `file`, when its place in the file is to be held
    // against the order of the checkouts; a record no checkout names is loose.
    std::optional<std::size_t> Match(std::string_view record,
                                     const std::vector<std::string_view>& fields, std::size_t file,
                                     std::size_t line, core::TimeKey end) {
        const journal::Digest digest = journal::Sha256(record);
        const auto found = m_byRecord.find(RecordKey(digest));
        if (found == m_byRecord.end() || m_checkouts[found->second].hash != digest) {
            m_loose.push_back({file, line, end, FieldText(fields, history::kFieldName),
                               std::string(fields[history::kFieldEnd]), RecordKey(digest),
                               history::MoneyOf(history::CellText(fields, history::kFieldTotal))});
            return std::nullopt;
        }
        NotedCheckout& checkout = m_checkouts[found->second];
        checkout.matched = true;
        if (checkout.monthFile != file) {
            Add({.kind = FindingKind::RecordMoved,
                 .item = *checkout.item,
                 .file = m_names[file],
                 .line = line + 1,
                 .time = std::string(fields[history::kFieldEnd])});
            return std::nullopt;
        }
        if (checkout.late) return std::nullopt;
        return found->second;
    }

    void NameMovedOutOfOrder(std::size_t file, const std::vector<std::size_t>& orders,
                             const std::vector<std::size_t>& lines) {
        const std::vector<bool> kept = InOrder(orders);
        for (std::size_t i = 0; i < kept.size(); ++i) {
            if (kept[i]) continue;
            const NotedCheckout& checkout = m_checkouts[orders[i]];
            Add({.kind = FindingKind::RecordMoved,
                 .item = *checkout.item,
                 .file = m_names[file],
                 .line = lines[i] + 1,
                 .time = core::TextOfKey(checkout.time)});
        }
    }

    // A checkout whose record is not as it wrote it: changed in place, or gone.
    void Unmatched(const NotedCheckout& checkout) {
        const std::string time = core::TextOfKey(checkout.time);
        if (checkout.monthFile != kNoFile) {
            const auto& inFile = m_uses[checkout.monthFile];
            const auto found = std::lower_bound(inFile.begin(), inFile.end(),
                                                std::pair(checkout.use, std::size_t{0}));
            if (found != inFile.end() && found->first == checkout.use) {
                // Loose records are in the order of their files and lines.
                const auto loose = std::lower_bound(
                    m_loose.begin(), m_loose.end(), std::pair(checkout.monthFile, found->second),
                    [](const LooseRecord& record, const std::pair<std::size_t, std::size_t>& at) {
                        return std::pair(record.file, record.line) < at;
                    });
                Finding changed{.kind = FindingKind::RecordChanged,
                                .item = *checkout.item,
                                .file = m_names[checkout.monthFile],
                                .line = found->second + 1,
                                .time = time};
                if (loose != m_loose.end() && loose->file == checkout.monthFile &&
                    loose->line == found->second) {
                    loose->changed = true;
                    if (loose->yuan && checkout.yuan && *loose->yuan != *checkout.yuan) {
                        changed.totals = {*checkout.yuan, *loose->yuan};
                    }
                }
                Add(std::move(changed));
                return;
            }
        }
        Add({.kind = FindingKind::RecordDeleted,
             .item = *checkout.item,
             .file = checkout.monthFile == kNoFile ? std::string() : m_names[checkout.monthFile],
             .time = time});
    }

    void Add(Finding finding) { m_findings.push_back(std::move(finding)); }

    std::vector<NotedCheckout>& m_checkouts;
    const std::vector<std::string> m_names;  // of the month files
    std::vector<Finding>& m_findings;
    std::unordered_map<std::uint64_t, std::size_t> m_byRecord;  // by RecordKey
    // Of each file, the uses its whole records name, with their lines, in order.
    std::vector<std::vector<std::pair<std::uint64_t, std::size_t>>> m_uses;
    std::vector<LooseRecord> m_loose;
};

}  // namespace

RecordCounts CompareRecords(const std::filesystem::path& historyFolder,
                            const core::CalendarTime& first, const core::CalendarTime& last,
                            const WalkedChains& walked, NotedCheckouts noted,
                            std::vector<Finding>& findings) {
    std::vector<history::PeriodFile> files = history::PeriodFiles(first, last);
    std::vector<std::string> names;
    for (const history::PeriodFile& file : files) {
        names.push_back(history::MonthFile::Of(file.month).Name());
    }
    ResolveMonthFiles(noted.checkouts, noted.monthFiles, names);
    RecordComparison comparison(noted.checkouts, std::move(names), findings);
    RecordCounts counts;
    const Days days = Days::Of(first, last);
    for (std::size_t file = 0; file < files.size(); ++file) {
        const history::HistoryMonth month = history::ReadPeriodFile(historyFolder, files[file]);
        comparison.CompareFile(file, files[file].inSpan, month, days, counts);
    }
    comparison.NameMissed();
    comparison.NameLoose(walked, counts);
    return counts;
}

}  // namespace durava::audit
