// SPDX-License-Identifier: MIT
#include "audit/shift.h"

#include <vector>

#include "audit/checkouts.h"
#include "history/historyfile.h"
#include "journal/entry.h"
#include "journal/files/journalfiles.h"
#include "store/files/fileio.h"

namespace durava::audit {
namespace {

// Whether the operator written `writtenName` closed a shift in `bytes`.
bool ClosesShift(std::string_view bytes, std::string_view writtenName) {
    bool closed = false;
    journal::ForEachLine(bytes, [&](std::string_view text, bool) {
        const std::optional<journal::LineLook> look =
            closed ? std::nullopt : journal::LookAtLine(text);
        closed = closed || (look && look->action == journal::Action::ShiftClose &&
                            look->operatorName == writtenName);
    });
    return closed;
}

// The journal's lines in order, as far as they concern one operator's till.
class ShiftWalk {
  public:
    explicit ShiftWalk(std::string_view writtenName) : m_operator(writtenName) {}

    // The views into `bytes` are kept: they must outlive the walk.
    void Walk(std::string_view bytes) {
        journal::ForEachLine(bytes, [this](std::string_view text, bool) {
            const std::optional<journal::LineLook> look = journal::LookAtLine(text);
            if (!look || look->operatorName != m_operator) return;
            if (const std::optional<journal::ReadLine> line = journal::ReadJournalLine(text, *look))
                Line(*line);
        });
    }

    std::optional<Shift> Result() const {
        if (!m_since) return std::nullopt;
        Shift shift{.since = std::string(*m_since)};
        for (std::size_t number = 0; number < m_totals.size(); ++number) {
            if (!m_checkouts.Stands(number)) continue;
            const std::optional<std::int64_t>& yuan = m_totals[number];
            ++shift.checkouts;
            if (!yuan || __builtin_add_overflow(shift.yuan, *yuan, &shift.yuan)) ++shift.notSummed;
        }
        return shift;
    }

  private:
    void Line(const journal::ReadLine& line) {
        switch (line.action) {
            case journal::Action::Login:
                if (!m_since) m_since = line.time;
                return;
            case journal::Action::ShiftClose:
                m_since.reset();
                m_checkouts = {};
                m_totals.clear();
                return;
            case journal::Action::Checkout:
                if (m_since && m_checkouts.Add(line)) {
                    m_totals.push_back(
                        history::WholeInteger(line.Value(journal::Field::Total).value_or("")));
                }
                return;
            case journal::Action::Refused:
                m_checkouts.TakeBack(line);
                return;
            default:
                return;
        }
    }

    std::string_view m_operator;
    std::optional<std::string_view> m_since;
    Checkouts m_checkouts;
    // By number: what each checkout of the shift brought, nothing when no sum.
    std::vector<std::optional<std::int64_t>> m_totals;
};

}  // namespace

std::optional<Shift> OpenShift(const std::filesystem::path& duravaFolder,
                               std::string_view operatorName, core::DateTime now) {
    const std::string written = journal::WrittenText(operatorName);
    const int month = core::MonthNumber(now);
    const std::string current =
        store::ReadWholeFile(journal::JournalFilePath(duravaFolder, month)).value_or("");
    // A shift closed this month began after the close; else it may have begun last month.
    const std::string before =
        ClosesShift(current, written)
            ? std::string()
            : store::ReadWholeFile(journal::JournalFilePath(duravaFolder, core::MonthBefore(month)))
                  .value_or("");
    ShiftWalk walk(written);
    walk.Walk(before);
    walk.Walk(current);
    return walk.Result();
}

}  // namespace durava::audit
