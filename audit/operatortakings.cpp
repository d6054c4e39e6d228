// SPDX-License-Identifier: MIT
#include "audit/operatortakings.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "core/codepage.h"
#include "history/takings.h"
#include "journal/files/journalfiles.h"
#include "store/files/fileio.h"

namespace durava::audit {

OperatorTally::OperatorTally(std::filesystem::path historyFolder, const Days& days)
    : m_historyFolder(std::move(historyFolder)), m_days(days) {}

std::optional<std::size_t> OperatorTally::Count(const journal::ReadLine& checkout) {
    if (!IsThisDesk(checkout.Value(journal::Field::HistoryFolder))) return std::nullopt;
    // Every checkout of this desk is handed on, so that one journaled again after a kill, on a day
    // after the days, is still known for the one before it.
    const std::optional<std::size_t> number = m_checkouts.Add(checkout);
    if (!number || !m_days.Hold(checkout.time)) {
        if (number) m_counted.push_back({nullptr, 0});
        return std::nullopt;
    }
    OperatorActivity& activity = Of(checkout.operatorName);
    const std::int64_t yuan =
        history::WholeInteger(checkout.Value(journal::Field::Total).value_or("")).value_or(0);
    ++activity.checkouts;
    activity.yuan += yuan;
    m_counted.push_back({&activity, yuan});
    return number;
}

void OperatorTally::TakeBack(const journal::ReadLine& refusal) {
    const std::optional<std::size_t> number = m_checkouts.TakeBack(refusal);
    if (number && m_counted[*number].activity) {
        --m_counted[*number].activity->checkouts;
        m_counted[*number].activity->yuan -= m_counted[*number].yuan;
    }
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
    OperatorTally tally(historyFolder, Days::Of(first, last));
    std::vector<int> months = journal::JournalMonths(journalFolder);
    std::erase_if(months, [&](int month) {
        return month < core::MonthNumber(first) || month > core::MonthNumber(last);
    });
    for (std::size_t file = 0; file < months.size(); ++file) {
        const std::optional<std::string> bytes =
            store::ReadWholeFile(journal::JournalFilePath(journalFolder, months[file]));
        journal::ForEachLine(bytes.value_or(""), [&tally](std::string_view line, bool) {
            // Most lines are neither checkouts nor their refusals: their action passes them by.
            const std::optional<journal::LineLook> look = journal::LookAtLine(line);
            if (!look || (look->action != journal::Action::Checkout &&
                          look->action != journal::Action::Refused)) {
                return;
            }
            if (const std::optional<journal::ReadLine> read =
                    journal::ReadJournalLine(line, *look)) {
                if (read->action == journal::Action::Checkout) {
                    tally.Count(*read);
                } else {
                    tally.TakeBack(*read);
                }
            }
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
