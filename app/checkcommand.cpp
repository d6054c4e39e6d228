// SPDX-License-Identifier: MIT
#include "app/checkcommand.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "audit/check.h"
#include "audit/checktexts.h"
#include "core/codepage.h"
#include "core/datetime.h"
#include "core/numbers.h"
#include "core/utf8.h"
#include "history/monthfiles.h"
#include "history/takingstexts.h"
#include "journal/files/journalfiles.h"
#include "journal/files/ourfiles.h"
#include "journal/journaltexts.h"
#include "people/owner.h"
#include "store/startup.h"

namespace durava::app {
namespace {

constexpr int kClean = 0, kFound = 1, kNotChecked = 2;

constexpr std::string_view kHelp =
    "Usage: durava --check [--documents DIR] [--from yyyy-MM-dd] [--to yyyy-MM-dd]\n"
    "                      [--head \"N xxxxxxxx\"]... [--output FILE]\n"
    "\n"
    "Checks the journal of the Durava folder beside DIR/ROOMSETTING.ini against the month files\n"
    "of DIR/History, as 核对记录 does, and prints what it shows in UTF-8: what was checked, one\n"
    "finding a line, and the journal's head as the slips print it. It changes no file.\n"
    "\n"
    "  --documents DIR  the Documents folder to check (a copy of a hall's will do); by default\n"
    "                   the one Durava uses\n"
    "  --from, --to     the days checked, each record on the day it ended; by default from the\n"
    "                   first month of the journal or of the month files until today\n"
    "  --head TEXT      a head from a slip the owner kept, such as \"136 900106ea\"; may be given\n"
    "                   more than once\n"
    "  --output FILE    writes there instead of to the console\n"
    "  --help           this text\n"
    "\n"
    "When the owner has set a password, it is read from the first line of standard input.\n"
    "Exit status: 0 when nothing is found, 1 when something is, 2 when the check could not be\n"
    "made.\n";

struct Request {
    std::filesystem::path documents;
    std::optional<core::CalendarTime> from{}, to{};
    std::vector<audit::SlipHead> heads{};
    std::optional<std::filesystem::path> output{};
    bool help = false;
};

std::string Utf8(std::string_view programText) {
    return core::WideToUtf8(core::TextToWide(programText));
}

// yyyy-MM-dd, a day that exists.
std::optional<core::CalendarTime> DayOf(std::string_view text) {
    const auto number = [&text](std::size_t at, std::size_t count) {
        int value = 0;
        for (const char c : text.substr(at, count)) {
            if (c < '0' || c > '9') return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > core::DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return core::CalendarTime{year, month, day};
}

// Nothing, with the reason told on `err`, when the command line cannot be followed.
std::optional<Request> ReadRequest(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& documents, std::ostream& err) {
    Request request{documents};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--check") continue;
        if (option == "--help") {
            request.help = true;
            continue;
        }
        if (i + 1 == arguments.size()) {
            err << "durava: " << option << (option.starts_with("--") ? " needs a value" : "?")
                << "; see durava --help\n";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (option == "--documents") {
            request.documents = std::filesystem::path(core::Utf8ToWide(value).value_or(u""));
        } else if (option == "--from" || option == "--to") {
            const std::optional<core::CalendarTime> day = DayOf(value);
            if (!day) {
                err << "durava: " << option << " takes a day as yyyy-MM-dd, not " << value << "\n";
                return std::nullopt;
            }
            (option == "--from" ? request.from : request.to) = day;
        } else if (option == "--head") {
            const std::optional<audit::SlipHead> head =
                audit::ReadSlipHead(core::WideToText(core::Utf8ToWide(value).value_or(u"")));
            if (!head) {
                err << "durava: --head takes \"N xxxxxxxx\" as a slip prints it, not " << value
                    << "\n";
                return std::nullopt;
            }
            request.heads.push_back(*head);
        } else if (option == "--output") {
            request.output = std::filesystem::path(core::Utf8ToWide(value).value_or(u""));
        } else {
            err << "durava: unknown option " << option << "; see durava --help\n";
            return std::nullopt;
        }
    }
    return request;
}

// The first day of the oldest month the journal or the month files hold; today when none.
core::CalendarTime FirstDay(const std::filesystem::path& historyFolder,
                            const std::filesystem::path& duravaFolder) {
    core::CalendarTime today = core::ToCalendarTime(core::CurrentTime());
    core::CalendarTime first{today.year, today.month, 1};
    const auto earlier = [&first](int year, int month) {
        if (year * 100 + month < first.year * 100 + first.month) first = {year, month, 1};
    };
    for (const int month : journal::JournalMonths(duravaFolder)) earlier(month / 100, month % 100);
    core::TextArray names;
    history::FindFiles(historyFolder, history::kMonthFilePattern, names);
    for (const std::string& name : names) {
        if (const std::optional<core::CalendarTime> month = history::MonthFile(name).Month()) {
            if (month->year >= 1900 && month->month >= 1 && month->month <= 12) {
                earlier(month->year, month->month);
            }
        }
    }
    return first;
}

// The owner's chains opened with the password on the first line of `in`; false, with the reason
// told, when the password is wrong or missing.
bool OpenOwnersChains(audit::CheckInput& input, std::istream& in, std::ostream& err) {
    const journal::FileRead<people::Owner> owner = people::ReadOwner(input.journalFolder);
    if (!owner.content) return true;  // the check names an owner's file gone or damaged
    std::string line;
    std::getline(in, line);
    if (line.ends_with('\r')) line.pop_back();
    const std::optional<std::u16string> password = core::Utf8ToWide(line);
    if (line.empty() || !password || !owner.content->Verify(*password)) {
        err << "durava: " << (line.empty() ? "the owner's password is needed" : "wrong password")
            << " (the first line of standard input)\n";
        return false;
    }
    const std::optional<people::OwnerChainKeys> keys =
        people::OpenOwnerChains(*owner.content, *password);
    if (!keys) {
        err << "durava: not enough memory to open the owner's journal\n";
        return false;
    }
    audit::OpenWith(input, keys);
    return true;
}

void Print(const audit::CheckReport& report, std::ostream& out) {
    for (const std::string& line : audit::SummaryLines(report)) out << Utf8(line) << "\n";
    for (const audit::Finding& finding : report.findings) {
        std::string where = finding.time;
        for (const std::string& part : {finding.item, finding.file}) {
            if (!part.empty()) where += (where.empty() ? "" : " ") + part;
        }
        if (finding.line > 0) where += ":" + std::to_string(finding.line);
        out << Utf8(where) << (where.empty() ? "" : "\t") << Utf8(audit::FindingText(finding))
            << "\n";
    }
    for (const audit::OperatorActivity& activity : report.operators) {
        if (activity.name.empty()) continue;
        out << Utf8(activity.name) << "\t" << activity.checkouts << "\t"
            << Utf8(history::YuanText(activity.yuan)) << "\n";
    }
    if (report.head) out << Utf8(journal::HeadText(*report.head)) << "\n";
}

}  // namespace

bool AsksForCheck(const std::vector<std::string>& arguments) {
    return std::ranges::any_of(arguments, [](const std::string& argument) {
        return argument == "--check" || argument == "--help";
    });
}

int RunCheckCommand(const std::vector<std::string>& arguments,
                    const std::filesystem::path& documents, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    const std::optional<Request> request = ReadRequest(arguments, documents, err);
    if (!request) return kNotChecked;
    if (request->help) {
        out << kHelp;
        return kClean;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(request->documents, error)) {
        err << "durava: no such folder: " << core::WideToUtf8(request->documents.u16string())
            << "\n";
        return kNotChecked;
    }
    const std::filesystem::path settings = request->documents / store::kSettingsFileName;
    const std::filesystem::path history = request->documents / store::kHistoryFolderName,
                                durava = journal::DuravaFolder(settings);
    audit::CheckInput input{history, durava, request->from.value_or(FirstDay(history, durava)),
                            request->to.value_or(core::ToCalendarTime(core::CurrentTime()))};
    input.slipHeads = request->heads;
    if (!OpenOwnersChains(input, in, err)) return kNotChecked;
    const audit::CheckReport report = audit::CheckJournal(input);
    std::ofstream file;
    if (request->output) {
        file.open(*request->output, std::ios::binary | std::ios::trunc);
        if (!file) {
            err << "durava: cannot write " << core::WideToUtf8(request->output->u16string())
                << "\n";
            return kNotChecked;
        }
    }
    Print(report, request->output ? file : out);
    return audit::IsClean(report) ? kClean : kFound;
}

}  // namespace durava::app
