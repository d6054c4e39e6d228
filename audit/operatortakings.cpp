// SPDX-License-Identifier: MIT
#include "audit/operatortakings.h"

#include <algorithm>
#include <set>
#include <system_error>
#include <utility>

#include "core/codepage.h"
#include "core/utf8.h"
#include "history/takings.h"
#include "journal/files/journalfiles.h"
#include "store/files/fileio.h"

namespace durava::audit {

namespace {

bool IsFolder(const std::filesystem::path& path, const std::filesystem::path& folder) {
    std::error_code error;
    return path == folder || std::filesystem::equivalent(path, folder, error);
}

std::filesystem::path PathOf(std::string_view written) {
    return core::NativePath(journal::ProgramText(written));
}

}  // namespace

std::vector<std::string> HistoryFoldersNamed(const std::filesystem::path& journalFolder,
                                             const std::vector<int>& months) {
    // Every checkout names its folder: the label is found faster than the lines are read.
    static const std::string label = "\t" + core::WideToUtf8(u"记录文件夹") + "=";
    std::set<std::string, std::less<>> folders;
    for (const int month : months) {
        const std::string bytes =
            store::ReadWholeFile(journal::JournalFilePath(journalFolder, month)).value_or("");
        const std::string_view text = bytes;
        for (std::size_t at = text.find(label); at != std::string_view::npos;
             at = text.find(label, at + 1)) {
            const std::size_t from = at + label.size();
            const std::string_view folder =
                text.substr(from, text.find_first_of("\t\r\n", from) - from);
            if (!folders.contains(folder)) folders.emplace(folder);
        }
    }
    return {folders.begin(), folders.end()};
}

OperatorTally::OperatorTally(std::filesystem::path historyFolder, const Days& days,
                             const std::vector<std::string>& foldersNamed)
    : m_historyFolder(std::move(historyFolder)),
      m_days(days),
      m_oneFolder(foldersNamed.size() <= 1) {
    for (const std::string& folder : foldersNamed) {
        m_oursNamed = m_oursNamed || IsFolder(PathOf(folder), m_historyFolder);
    }
}

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

std::optional<Checkouts::TakeBackOf> OperatorTally::TakeBack(const journal::ReadLine& refusal) {
    std::optional<Checkouts::TakeBackOf> taken = m_checkouts.TakeBack(refusal);
    if (taken && taken->inPlace && m_counted[taken->number].activity) {
        Counted& counted = m_counted[taken->number];
        --counted.activity->checkouts;
        counted.activity->yuan -= counted.yuan;
    }
    return taken;
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
    if (!folder || m_oneFolder) return true;
    auto found = m_desks.find(*folder);
    if (found == m_desks.end()) {
        const std::filesystem::path path = PathOf(*folder);
        std::error_code error;
        const bool ours =
            m_oursNamed ? IsFolder(path, m_historyFolder) : !std::filesystem::exists(path, error);
        found = m_desks.emplace(*folder, ours).first;
    }
    return found->second;
}

std::optional<std::vector<OperatorActivity>> OperatorTakings(
    const std::filesystem::path& journalFolder, const std::filesystem::path& historyFolder,
    const core::CalendarTime& first, const core::CalendarTime& last,
    const std::function<bool(std::size_t done, std::size_t all)>& goOn) {
    std::vector<int> months = journal::JournalMonths(journalFolder);
    std::erase_if(months, [&](int month) {
        return month < core::MonthNumber(first) || month > core::MonthNumber(last);
    });
    OperatorTally tally(historyFolder, Days::Of(first, last),
                        HistoryFoldersNamed(journalFolder, months));
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
