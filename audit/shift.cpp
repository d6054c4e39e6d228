// SPDX-License-Identifier: MIT
#include "audit/shift.h"

#include <unordered_map>
#include <utility>

#include "history/historyfile.h"
#include "journal/entry.h"
#include "journal/journalfiles.h"
#include "store/files/fileio.h"

namespace durava::audit {
namespace {

// The journal's lines in order, as far as they concern one operator's till.
class ShiftWalk {
  public:
    explicit ShiftWalk(std::string_view writtenName) : m_operator(writtenName) {}

    // The views into `bytes` are kept: they must outlive the walk.
    void Walk(std::string_view bytes) {
        journal::ForEachLine(bytes, [this](std::string_view text, bool) {
            if (const std::optional<journal::ReadLine> line = journal::ReadJournalLine(text))
                Line(*line);
        });
    }

    std::optional<Shift> Result() const {
        if (!m_since) return std::nullopt;
        Shift shift{.since = std::string(*m_since)};
        for (const auto& [use, yuan] : m_totals) {
            ++shift.checkouts;
            if (!yuan || __builtin_add_overflow(shift.yuan, *yuan, &shift.yuan)) ++shift.notSummed;
        }
        return shift;
    }

  private:
    void Line(const journal::ReadLine& line) {
        if (line.operatorName != m_operator) return;
        switch (line.action) {
            case journal::Action::Login:
                if (!m_since) m_since = line.time;
                return;
            case journal::Action::ShiftClose:
                m_since.reset();
                m_totals.clear();
                return;
            case journal::Action::Checkout:
                // A checkout journaled again after a kill is the same one: its record is the same.
                if (m_since) {
                    m_totals.emplace(
                        line.Value(journal::Field::RecordHash).value_or(line.text),
                        history::WholeInteger(line.Value(journal::Field::Total).value_or("")));
                }
                return;
            case journal::Action::Refused:
                // A checkout taken back with its record, when the item could not be set idle.
                if (const std::optional<std::string_view> hash =
                        line.Value(journal::Field::RecordHash)) {
                    m_totals.erase(*hash);
                }
                return;
            default:
                return;
        }
    }

    std::string_view m_operator;
    std::optional<std::string_view> m_since;
    // By the record's hash: what each checkout of the shift brought, nothing when no sum.
    std::unordered_map<std::string_view, std::optional<std::int64_t>> m_totals;
};

}  // namespace

std::optional<Shift> OpenShift(const std::filesystem::path& duravaFolder,
                               std::string_view operatorName, core::DateTime now) {
    const std::string written = journal::WrittenText(operatorName);
    const int month = core::MonthNumber(now);
    const std::string current =
        store::ReadWholeFile(journal::JournalFilePath(duravaFolder, month)).value_or("");
    // A shift closed this month began after the close; else it may have begun last month.
    const std::string closed =
        '\t' + written + '\t' + journal::ActionName(journal::Action::ShiftClose) + '\t';
    const std::string before =
        current.find(closed) != std::string::npos
            ? std::string()
            : store::ReadWholeFile(journal::JournalFilePath(duravaFolder, core::MonthBefore(month)))
                  .value_or("");
    ShiftWalk walk(written);
    walk.Walk(before);
    walk.Walk(current);
    return walk.Result();
}

}  // namespace durava::audit
