// SPDX-License-Identifier: MIT
#include "windows/history/takingswindow.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "audit/operatortakings.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "forms/formnames.h"
#include "history/monthfiles.h"
#include "history/periodtakings.h"
#include "history/takings.h"
#include "history/takingscsv.h"
#include "history/takingstexts.h"
#include "journal/entry.h"
#include "journal/files/ourfiles.h"
#include "operations/dayslip.h"
#include "operations/owed.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/printing.h"
#include "ui/screenconversion.h"
#include "ui/widgets/bar.h"
#include "ui/windowstate.h"
#include "windows/history/periodreading.h"
#include "windows/trust/checkwindow.h"

namespace durava::windows {
namespace {

using namespace forms::takings_window;

// What the window shows, a month, a year or a span of days, kept for the exports so that they
// hold exactly what was shown. A year's or span's records are not kept: their export reads them
// again.
struct Shown {
    std::string title;      // as the window names it: 2024/05, 2024, 05/01～05/07
    std::string fileTitle;  // as the exports are named: 202405, 2024, 20240501-20240507
    bool byMonth = false;   // a year: its rows are months
    std::vector<history::HistoryMonth> months = {};  // a month's view: its file
    std::vector<history::PeriodFile> files =
        {};  // empty for a month: its records need no file named
    history::MonthTakings takings = {};
    std::vector<history::DayTakings> rows = {};  // the days, or the months of a year
    std::optional<history::DaySpan> span = {};   // the days a year or span counts
    core::CalendarTime month = {};               // of a month's view; year 0 otherwise
    // Takings per operator, from the journal; none while it names no operator in the period.
    std::vector<history::NamedTakings> operators = {};
};

// Beside the takings per operator, the unreadable records' table keeps the room above them.
constexpr int kUnreadableHeightBesideOperators = 100;

// The operators the journal names, and the checkouts made while none was on duty; none while it
// names no operator.
std::vector<history::NamedTakings> OperatorRows(const std::vector<audit::OperatorActivity>& named) {
    std::vector<history::NamedTakings> rows;
    if (!audit::NamesAnOperator(named)) return rows;
    for (const audit::OperatorActivity& activity : named) {
        rows.push_back({activity.name.empty() ? core::Fixed(u"无操作员") : activity.name,
                        activity.checkouts, activity.yuan});
    }
    return rows;
}

std::filesystem::path JournalFolder(const windows::Globals& globals) {
    return journal::DuravaFolder(globals.app.SettingsPath());
}

std::string Amount(std::int64_t yuan) {
    return core::GroupThousands(core::IntegerToText(yuan));
}

std::string AverageText(const history::Takings& takings) {
    if (takings.uses == 0) return history::YuanText(0);
    char text[40];
    std::snprintf(text, sizeof text, "%.2f",
                  static_cast<double>(takings.yuan) / static_cast<double>(takings.uses));
    return core::GroupThousands(text) + core::Fixed(u" 元");
}

core::CalendarTime Today() {
    const core::CalendarTime now = core::ToCalendarTime(core::CurrentTime());
    return {now.year, now.month, now.day};
}

// A checkout is kept in the month file of its end, or, by a copy started last month, in last
// month's file: the day's records lie in one of the two.
history::MonthTakings TakingsOfDay(const windows::Globals& globals, const core::CalendarTime& day) {
    return history::ComputePeriod(globals.app.HistoryFolder, day, day)
        .value_or(history::PeriodTakings{})
        .takings;
}

// What the file holds of other months, so that the owner knows why the month's total differs
// from the days of the month; empty when it holds none.
std::string OtherMonthsText(const Shown& shown) {
    history::Takings other;
    for (const history::DayTakings& day : shown.takings.days) {
        if (shown.month.year == 0 ||
            (day.date.year == shown.month.year && day.date.month == shown.month.month)) {
            continue;
        }
        other.yuan += day.takings.yuan;
        other.uses += day.takings.uses;
    }
    if (other.uses == 0) return {};
    return core::Fixed(u"含他月结束的 ") + core::IntegerToText(other.uses) + core::Fixed(u" 次，") +
           history::YuanText(other.yuan);
}

void ShowFigures(const windows::Globals& globals, ui::Form& window, const Shown& shown) {
    window.SetText(kPeriodCaption, core::Fixed(shown.byMonth ? u"年份"
                                               : shown.span  ? u"区间"
                                                             : u"月份"));
    window.SetText(kMonthLabel, shown.title);
    const history::Takings& total = shown.takings.total;
    window.SetText(kTakingsLabel, history::YuanText(total.yuan));
    window.SetText(kUsesLabel, core::IntegerToText(total.uses) + core::Fixed(u" 次"));
    window.SetText(kHoursLabel, history::HoursText(total.seconds));
    window.SetText(kAverageLabel, AverageText(total));

    const core::DateTime now = core::CurrentTime();
    window.SetText(kTodayLabel, history::YuanText(TakingsOfDay(globals, Today()).total.yuan));
    const operations::OwedNow owed = operations::OwedAt(globals.app.Settings, now);
    window.SetText(kInUseLabel, core::IntegerToText(owed.items) + core::Fixed(u" 个"));
    window.SetText(kOwedLabel, owed.unreadable == 0
                                   ? history::YuanText(owed.yuan)
                                   : history::YuanText(owed.yuan) + core::Fixed(u"（") +
                                         core::IntegerToText(owed.unreadable) +
                                         core::Fixed(u" 个无法计费）"));
    window.SetText(kOtherMonthsLabel, OtherMonthsText(shown));
    window.SetText(kUnreadableLabel,
                   core::IntegerToText(static_cast<long long>(shown.takings.unreadable.size())) +
                       core::Fixed(u" 条"));
}

// Month files a year or span could not read are named first; a month yet to come has no file.
void ShowUnreadable(ui::Form& window, const Shown& shown) {
    std::vector<std::vector<std::string>> rows;
    const core::CalendarTime today = Today();
    for (const history::PeriodFile& file : shown.files) {
        const bool future =
            history::DayKey(file.month) > history::DayKey({today.year, today.month, 0});
        if (file.state == history::FileState::Read || !file.inSpan || future) continue;
        rows.push_back(
            {{},
             core::Fixed(file.state == history::FileState::Missing ? u"这个月没有记录文件"
                                                                   : u"记录文件无法读取"),
             history::MonthFile::Of(file.month).Name()});
    }
    for (const history::UnreadableRecord& odd : shown.takings.unreadable) {
        std::string line = core::IntegerToText(static_cast<long long>(odd.record) + 1);
        if (!shown.files.empty())
            line = history::MonthFile::Of(shown.files[odd.file].month).Stem() + ":" + line;
        rows.push_back({std::move(line), ReasonText(odd.reason), odd.line});
    }
    window.SetRows(kUnreadableTable, std::move(rows));
}

// Shown below the unreadable records, which make room, only while there are any; otherwise the
// window stays as it always was.
void ShowOperators(ui::Form& window, const Shown& shown) {
    std::vector<std::vector<std::string>> rows;
    for (const history::NamedTakings& named : shown.operators) {
        rows.push_back({named.name, core::IntegerToText(named.uses), Amount(named.yuan)});
    }
    window.SetRows(kOperatorTable, std::move(rows));
    const bool shownToo = !shown.operators.empty();
    window.SetVisible(kOperatorTable, shownToo);
    const auto defined = std::find_if(
        window.Definition().controls.begin(), window.Definition().controls.end(),
        [](const forms::Control& control) { return control.name == kUnreadableTable.text; });
    window.SetHeight(kUnreadableTable,
                     shownToo ? kUnreadableHeightBesideOperators : defined->height);
}

void ShowTables(ui::Form& window, const Shown& shown) {
    std::vector<std::vector<std::string>> rows;
    for (const history::DayTakings& row : shown.rows) {
        rows.push_back({history::DayText(row.date), Amount(row.takings.yuan),
                        core::IntegerToText(row.takings.uses)});
    }
    window.SetRows(kDayTable, std::move(rows));
    rows.clear();
    for (const history::ItemTakings& item : shown.takings.items) {
        rows.push_back({item.name, core::IntegerToText(item.takings.uses),
                        history::HoursText(item.takings.seconds), Amount(item.takings.yuan)});
    }
    window.SetRows(kItemTable, std::move(rows));
    ShowUnreadable(window, shown);
    ShowOperators(window, shown);
}

// One bar per row of the table, labelled with the day of the month, or the month of a year; a
// day of another month (a checkout after midnight on the 1st) names its month too.
void ShowChart(ui::Form& window, const Shown& shown) {
    std::vector<ui::Bar> bars;
    const core::CalendarTime first =
        shown.rows.empty() ? core::CalendarTime{} : shown.rows.front().date;
    for (const history::DayTakings& row : shown.rows) {
        const std::int64_t yuan = row.takings.yuan;
        const bool firstMonth = row.date.month == first.month && row.date.year == first.year;
        QString label = row.date.day == 0 ? QString::number(row.date.month) + QStringLiteral("月")
                        : firstMonth
                            ? QString::number(row.date.day)
                            : QStringLiteral("%1/%2").arg(row.date.month).arg(row.date.day);
        bars.push_back(
            {.label = std::move(label),
             .valueText = yuan == 0 ? QString() : ui::ToScreen(Amount(yuan)),
             .spokenText = ui::ToScreen(
                 history::DayText(row.date) + core::Fixed(u" 营业额 ") + history::YuanText(yuan) +
                 core::Fixed(u"，") + core::IntegerToText(row.takings.uses) + core::Fixed(u" 次")),
             .value = yuan});
    }
    window.SetBars(kDayChart, std::move(bars));
}

void Show(const windows::Globals& globals, ui::Form& window, Shown shown) {
    const Shown& now = ui::Keep(window, std::move(shown));
    ShowFigures(globals, window, now);
    ShowTables(window, now);
    ShowChart(window, now);
}

// A month's takings per operator are the journal's checkouts of its days.
Shown MonthShown(const windows::Globals& globals, const history::MonthFile& file) {
    const std::optional<core::CalendarTime> month = file.Month();
    Shown shown;
    shown.fileTitle = file.Stem();
    shown.title = month ? history::DayText(*month) : file.Stem();
    shown.months.push_back(history::ReadHistoryMonth(file.Path(globals.app.HistoryFolder)));
    shown.month = month.value_or(core::CalendarTime{});
    shown.takings =
        history::ComputeTakings(shown.months.back(), shown.month.year, shown.month.month);
    shown.rows = shown.takings.days;
    if (month) {
        const core::CalendarTime last{month->year, month->month,
                                      core::DaysInMonth(month->year, month->month)};
        shown.operators =
            OperatorRows(audit::OperatorTakings(JournalFolder(globals), globals.app.HistoryFolder,
                                                {month->year, month->month, 1}, last)
                             .value_or(std::vector<audit::OperatorActivity>{}));
    }
    return shown;
}

// The years the History folder has month files of, and this year, latest first.
void ListYears(const windows::Globals& globals, ui::Form& window) {
    core::TextArray files;
    history::FindFiles(globals.app.HistoryFolder, history::kMonthFilePattern, files);
    std::vector<int> years = {Today().year};
    for (const std::string& name : files) {
        if (const auto month = history::MonthFile(name).Month()) years.push_back(month->year);
    }
    std::sort(years.rbegin(), years.rend());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    for (const int year : years) window.AppendEntry(kYearChoice, core::IntegerToText(year));
    window.SelectEntry(kYearChoice, 0);
}

// The month file the window opens on.
struct OpenedOn {
    history::MonthFile file;
};

void InitTakings(windows::Globals& globals, ui::Form& window) {
    const OpenedOn* openedOn = ui::Kept<OpenedOn>(window);
    const history::MonthFile file =
        openedOn ? openedOn->file : history::MonthFile::Of(core::CurrentTime());
    ListYears(globals, window);
    // Last week, as an owner most often asks.
    const core::DateTime today = core::ToDateTime(Today());
    window.SetText(kRangeFromBox, history::DayText(core::ToCalendarTime(today - 6)));
    window.SetText(kRangeToBox, history::DayText(core::ToCalendarTime(today)));
    Show(globals, window, MonthShown(globals, file));
}

void ShowPeriod(windows::Globals& globals, ui::Form& window, const history::DaySpan& span,
                Shown shown) {
    ReadPeriod(&window, globals.app.HistoryFolder, JournalFolder(globals), span.first, span.last,
               [&globals, &window, span, shown = std::move(shown)](PeriodReading period) mutable {
                   shown.span = span;
                   shown.takings = std::move(period.takings.takings);
                   shown.files = std::move(period.takings.files);
                   shown.rows =
                       shown.byMonth ? history::MonthsOf(shown.takings.days) : shown.takings.days;
                   shown.operators = OperatorRows(period.operators);
                   Show(globals, window, std::move(shown));
               });
}

void ShowYear(windows::Globals& globals, ui::Form& window) {
    const std::string year = window.SelectedText(kYearChoice);
    const std::optional<std::int64_t> number = history::WholeInteger(year);
    if (!number) return;
    const int y = static_cast<int>(*number);
    ShowPeriod(globals, window, {{y, 1, 1}, {y, 12, 31}},
               {.title = year, .fileTitle = year, .byMonth = true});
}

std::optional<core::CalendarTime> DayIn(ui::Form& window, forms::EditName box) {
    const std::optional<core::CalendarTime> day = history::DayOf(window.Text(box));
    if (!day) {
        ui::ShowMessage(&window, core::Fixed(u"操作失败"),
                        core::Fixed(u"日期无法识别，请按 2024/05/01 的样子填写。"));
        window.Focus(box);
    }
    return day;
}

void ShowRange(windows::Globals& globals, ui::Form& window) {
    const std::optional<core::CalendarTime> first = DayIn(window, kRangeFromBox);
    if (!first) return;
    const std::optional<core::CalendarTime> last = DayIn(window, kRangeToBox);
    if (!last) return;
    if (core::ToDateTime(*last) < core::ToDateTime(*first)) {
        ui::ShowMessage(&window, core::Fixed(u"操作失败"),
                        core::Fixed(u"结束日期早于开始日期，请重新填写。"));
        window.Focus(kRangeToBox);
        return;
    }
    const auto compact = [](const core::CalendarTime& day) {
        return core::FormatDateTime(core::ToDateTime(day), "yyyyMMdd", "");
    };
    // The title's box holds about eleven characters at its font; the range boxes below give the
    // year, so a span within one year is named without it.
    const auto named = [&](const core::CalendarTime& day) {
        return first->year == last->year ? core::FormatDateTime(core::ToDateTime(day), "MM/dd", "")
                                         : history::DayText(day);
    };
    ShowPeriod(globals, window, {*first, *last},
               {.title = named(*first) + core::Fixed(u"～") + named(*last),
                .fileTitle = compact(*first) + "-" + compact(*last)});
}

// The day chosen in the table, or today; suggested as a PDF in the Documents folder, where no
// printer is set up.
void PrintDaySlip(windows::Globals& globals, ui::Form& window) {
    const Shown* shown = ui::Kept<Shown>(window);
    const int row = window.SelectedRow(kDayTable);
    core::CalendarTime day = Today();
    if (shown && row >= 0 && shown->rows[static_cast<std::size_t>(row)].date.day != 0) {
        day = shown->rows[static_cast<std::size_t>(row)].date;
    }
    const core::DateTime now = core::CurrentTime();
    const std::vector<std::string> lines = operations::DaySlipLines(
        day, TakingsOfDay(globals, day), operations::OwedAt(globals.app.Settings, now), now,
        globals.journal ? globals.journal->Head() : std::nullopt);
    const QString pdf = ui::FileIn(globals.app.SettingsPath().parent_path(),
                                   ui::ToScreen(std::u16string_view(u"日结单.pdf")));
    if (ui::PrintTillRoll(&window, pdf, u"日结单", lines)) {
        globals.JournalEvent({journal::Action::Print,
                              now,
                              {},
                              {},
                              {{journal::Field::Slip, core::Fixed(u"日结单")}}});
    }
}

// The settings file and the month files hold everything the program knows; an export written
// over one of them would lose it.
bool IsProgramFile(const windows::Globals& globals, const QString& file) {
    const QFileInfo picked(file);
    const QFileInfo settings(ui::ToQtPath(globals.app.SettingsPath()));
    const QFileInfo history(ui::ToQtPath(globals.app.HistoryFolder));
    return (picked.exists() && settings.exists() &&
            picked.canonicalFilePath() == settings.canonicalFilePath()) ||
           (picked.dir().exists() && history.exists() &&
            picked.dir().canonicalPath() == history.canonicalFilePath());
}

// Hands what is shown to `write` with the file the operator picks, suggested in the Documents
// folder; nothing happens when none is picked or the one picked is the program's own.
void Export(windows::Globals& globals, ui::Form& window, std::u16string_view caption,
            std::u16string_view what,
            const std::function<void(const Shown&, const QString& file)>& write) {
    const Shown* shown = ui::Kept<Shown>(window);
    if (!shown) return;
    const QString suggested =
        ui::FileIn(globals.app.SettingsPath().parent_path(),
                   ui::ToScreen(shown->fileTitle) + ui::ToScreen(what) + QStringLiteral(".csv"));
    const QString file =
        ui::AskSaveFile(&window, core::Fixed(caption), suggested, QStringLiteral("CSV (*.csv)"));
    if (file.isEmpty()) return;
    if (IsProgramFile(globals, file)) {
        ui::ShowMessage(&window, core::Fixed(u"操作失败"),
                        core::Fixed(u"不能用导出的内容覆盖程序自己的文件，请另选文件名。"));
        return;
    }
    write(*shown, file);
}

// Whole or not at all; the journal names the file written, which leaves the desk with the takings.
void WriteExport(windows::Globals& globals, ui::Form& window, const QString& file,
                 const std::string& bytes) {
    QSaveFile out(file);
    const bool written = out.open(QIODevice::WriteOnly) &&
                         out.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         out.commit();
    if (!written) {
        ui::ShowMessage(&window, core::Fixed(u"操作失败"),
                        core::Fixed(u"无法写入所选的文件，导出没有完成。"));
        return;
    }
    globals.JournalEvent(
        {journal::Action::Export,
         core::CurrentTime(),
         {},
         {},
         {{journal::Field::File, ui::FromScreen(QDir::toNativeSeparators(file))}}});
}

// A month's records as shown; a year's or span's as their files hold them now.
void ExportRecords(windows::Globals& globals, ui::Form& window) {
    Export(globals, window, u"导出记录", u" 营业记录",
           [&](const Shown& shown, const QString& file) {
               if (!shown.span) {
                   WriteExport(globals, window, file,
                               history::RecordsCsv(shown.months, shown.takings, std::nullopt));
                   return;
               }
               ExportPeriodRecords(&window, globals.app.HistoryFolder, *shown.span,
                                   [&globals, &window, file](const std::string& csv) {
                                       WriteExport(globals, window, file, csv);
                                   });
           });
}

// The days on view: a month's, a year's or a span's.
history::DaySpan DaysShown(const Shown& shown) {
    if (shown.span) return *shown.span;
    const core::CalendarTime& month = shown.month;
    return {{month.year, month.month, 1},
            {month.year, month.month, core::DaysInMonth(month.year, month.month)}};
}

void CheckShown(windows::Globals& globals, ui::Form& window) {
    const Shown* shown = ui::Kept<Shown>(window);
    if (!shown) return;
    const history::DaySpan days = DaysShown(*shown);
    OpenCheck(globals, window, days.first, days.last, shown->title);
}

}  // namespace

void OpenTakingsWindow(windows::Globals& globals, const history::MonthFile& file) {
    ui::Form::Open(forms::TakingsWindow(), globals.handlers, nullptr,
                   [&file](ui::Form& window) { ui::Keep(window, OpenedOn{file}); });
}

void RegisterTakingsWindow(windows::Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    namespace op = forms::operation;
    handlers.Add(op::kInitTakings, [&globals](ui::Form& window) { InitTakings(globals, window); });
    handlers.Add(op::kExportTakingsRecords,
                 [&globals](ui::Form& window) { ExportRecords(globals, window); });
    handlers.Add(op::kExportTakingsTotals, [&globals](ui::Form& window) {
        Export(globals, window, u"导出汇总", u" 营业汇总",
               [&](const Shown& shown, const QString& file) {
                   history::MonthTakings rows = shown.takings;
                   rows.days = shown.rows;
                   WriteExport(globals, window, file, history::TotalsCsv(rows, shown.operators));
               });
    });
    handlers.Add(op::kShowTakingsYear, [&globals](ui::Form& window) { ShowYear(globals, window); });
    handlers.Add(op::kShowTakingsRange,
                 [&globals](ui::Form& window) { ShowRange(globals, window); });
    handlers.Add(op::kPrintDaySlip,
                 [&globals](ui::Form& window) { PrintDaySlip(globals, window); });
    handlers.Add(op::kOpenCheck, [&globals](ui::Form& window) { CheckShown(globals, window); });
}

}  // namespace durava::windows
