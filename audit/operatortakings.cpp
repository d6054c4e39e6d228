// SPDX-License-Identifier: MIT
#include "audit/operatortakings.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "core/codepage.h"
#include "history/takings.h"
#include "journal/journalfiles.h"
#include "store/files/fileio.h"

namespace durava::audit {

OperatorTally::OperatorTally(std::filesystem::path historyFolder, const core::CalendarTime& first,
                             const core::CalendarTime& last)
    : m_historyFolder(std::move(historyFolder)),
      m_first(core::KeyOf({first.year, first.month, first.day, 0, 0, 0})),
      m_last(core::KeyOf({last.year, last.month, last.day, 23, 59, 59})) {}

bool OperatorTally::InDays(std::string_view time) const {
    const std::optional<core::TimeKey> when = core::KeyOfText(time);
    return when && InDays(*when);
}

bool OperatorTally::Count(const journal::ReadLine& checkout) {
    if (!InDays(checkout.time) || !IsThisDesk(checkout.Value(journal::Field::HistoryFolder)))
        return false;
    OperatorActivity& activity = Of(checkout.operatorName);
    ++activity.checkouts;
    activity.yuan +=
        history::WholeInteger(checkout.Value(journal::Field::Total).value_or("")).value_or(0);
    return true;
}

OperatorActivity& OperatorTally::Of(std::string_view operatorName) {
    auto found = m_operators.find(operatorName);
    if (found == m_operators.end())
        found = m_operators.emplace(operatorName, OperatorActivity{}).first;
    return found->second;
}

std::vector<OperatorActivity> OperatorTally::Take() {
    std::vector<OperatorActivity> operators;
    for (auto& [name, activity] : m_operators) {
        activity.name = journal::ProgramText(name);
        operators.push_back(std::move(activity));
    }
    m_operators.clear();
    return operators;
}

bool OperatorTally::IsThisDesk(std::optional<std::string_view> folder) {
    if (!folder) return true;
    auto found = m_desks.find(*folder);
    if (found == m_desks.end()) {
        const std::filesystem::path path = core::NativePath(journal::ProgramText(*folder));
        std::error_code error;
        const bool same =
            path == m_historyFolder || std::filesystem::equivalent(path, m_historyFolder, error);
        found = m_desks.emplace(*folder, same).first;
    }
    return found->second;
}

std::optional<std::vector<OperatorActivity>> OperatorTakings(
    const std::filesystem::path& journalFolder, const std::filesystem::path& historyFolder,
    const core::CalendarTime& first, const core::CalendarTime& last,
    const std::function<bool(std::size_t done, std::size_t all)>& goOn) {
    OperatorTally tally(historyFolder, first, last);
    std::vector<int> months = journal::JournalMonths(journalFolder);
    std::erase_if(months, [&](int month) {
        return month < core::MonthNumber(first) || month > core::MonthNumber(last);
    });
    // Most lines are no checkouts: the action, the fourth part, tells them before a line is read.
    const std::string action = '\t' + journal::ActionName(journal::Action::Checkout) + '\t';
    for (std::size_t file = 0; file < months.size(); ++file) {
        const std::optional<std::string> bytes =
            store::ReadWholeFile(journal::JournalFilePath(journalFolder, months[file]));
        journal::ForEachLine(bytes.value_or(""), [&](std::string_view line, bool) {
            std::size_t at = 0;
            for (int part = 0; part < 3 && at != std::string_view::npos; ++part) {
                at = line.find('\t', at + 1);
            }
            if (at == std::string_view::npos || line.compare(at, action.size(), action) != 0) {
                return;
            }
            if (const std::optional<journal::ReadLine> read = journal::ReadJournalLine(line))
                tally.Count(*read);
        });
        if (goOn && !goOn(file + 1, months.size())) return std::nullopt;
    }
    return tally.Take();
}

bool NamesAnOperator(const std::vector<OperatorActivity>& operators) {
    return std::any_of(operators.begin(), operators.end(),
                       [](const OperatorActivity& activity) { return !activity.name.empty(); });
}

}  // namespace durava::audit
