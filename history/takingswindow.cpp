#include "history/takingswindow.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

#include "core/formnames.h"
#include "core/numbers.h"
#include "core/startup.h"
#include "core/texts.h"
#include "history/takings.h"
#include "history/takingscsv.h"
#include "operations/owed.h"
#include "ui/barchart.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/screentext.h"

namespace durava::history {
namespace {

using namespace core::forms::takings_window;

// What the window shows, kept for the exports so that they hold exactly what was shown.
class ShownMonth : public QObject {
  public:
    ShownMonth(QObject* window, std::filesystem::path path, HistoryMonth month,
               MonthTakings takings)
        : QObject(window),
          path(std::move(path)),
          month(std::move(month)),
          takings(std::move(takings)) {}

    const std::filesystem::path path;
    const HistoryMonth month;
    const MonthTakings takings;
};

std::string Amount(std::int64_t yuan) {
    return core::GroupThousands(core::IntegerToText(yuan));
}

std::string Yuan(std::int64_t yuan) {
    return Amount(yuan) + core::Fixed(u" 元");
}

std::string HoursText(std::int64_t seconds) {
    return core::IntegerToText(seconds / 3600) + core::Fixed(u" 时 ") +
           core::IntegerToText(seconds % 3600 / 60) + core::Fixed(u" 分");
}

std::string AverageText(const Takings& takings) {
    if (takings.uses == 0) return Yuan(0);
    char text[40];
    std::snprintf(text, sizeof text, "%.2f",
                  static_cast<double>(takings.yuan) / static_cast<double>(takings.uses));
    return core::GroupThousands(text) + core::Fixed(u" 元");
}

// The file name without ".QY.txt": 202405 for 202405.QY.txt.
std::filesystem::path MonthName(const std::filesystem::path& file) {
    return file.stem().stem();
}

// Year and month from a file named yyyyMM.QY.txt; zeros for any other name.
std::pair<int, int> MonthOfFile(const std::filesystem::path& file) {
    const std::string title = MonthName(file).string();
    if (title.size() < 6 || title.find_first_not_of("0123456789") < 6) return {0, 0};
    const int year = std::stoi(title.substr(0, 4));
    const int month = std::stoi(title.substr(4, 2));
    return month >= 1 && month <= 12 ? std::pair(year, month) : std::pair(0, 0);
}

// A checkout is kept in the month file of its end, or, by a copy started last month, in last
// month's file: today's records lie in one of the two.
std::int64_t TodaysTakings(const mainwin::Globals& globals, const ShownMonth& shown,
                           core::DateTime now) {
    const core::CalendarTime today = core::ToCalendarTime(now);
    const core::DateTime lastMonth = core::ToDateTime({today.year, today.month, 1}) - 1;
    std::int64_t yuan = 0;
    for (const core::DateTime month : {now, lastMonth}) {
        const std::filesystem::path path = core::HistoryFilePath(globals.app.HistoryFolder, month);
        yuan += TakingsOn(
            path == shown.path ? shown.takings : ComputeTakings(ReadHistoryMonth(path)), today);
    }
    return yuan;
}

// What the file holds of other months, so that the owner knows why the month's total differs
// from the days of the month; empty when it holds none.
std::string OtherMonthsText(const MonthTakings& takings, int year, int month) {
    Takings other;
    for (const DayTakings& day : takings.days) {
        if (day.date.year == year && day.date.month == month) continue;
        other.yuan += day.takings.yuan;
        other.uses += day.takings.uses;
    }
    if (other.uses == 0) return {};
    return core::Fixed(u"含他月结束的 ") + core::IntegerToText(other.uses) + core::Fixed(u" 次，") +
           Yuan(other.yuan);
}

void ShowFigures(const mainwin::Globals& globals, ui::Form& window, const ShownMonth& shown) {
    const auto [year, month] = MonthOfFile(shown.path);
    window.SetText(kMonthLabel,
                   year ? core::FormatDateTime(core::ToDateTime({year, month, 1}), "yyyy/MM", "")
                        : ui::FromScreen(ui::ToQtPath(MonthName(shown.path))));
    const Takings& total = shown.takings.total;
    window.SetText(kTakingsLabel, Yuan(total.yuan));
    window.SetText(kUsesLabel, core::IntegerToText(total.uses) + core::Fixed(u" 次"));
    window.SetText(kHoursLabel, HoursText(total.seconds));
    window.SetText(kAverageLabel, AverageText(total));

    const core::DateTime now = core::CurrentTime();
    window.SetText(kTodayLabel, Yuan(TodaysTakings(globals, shown, now)));
    const operations::OwedNow owed = operations::OwedAt(globals.app.Settings, now);
    window.SetText(kInUseLabel, core::IntegerToText(owed.items) + core::Fixed(u" 个"));
    window.SetText(kOwedLabel, owed.unreadable == 0 ? Yuan(owed.yuan)
                                                    : Yuan(owed.yuan) + core::Fixed(u"（") +
                                                          core::IntegerToText(owed.unreadable) +
                                                          core::Fixed(u" 个无法计费）"));
    window.SetText(kOtherMonthsLabel, OtherMonthsText(shown.takings, year, month));
    window.SetText(kUnreadableLabel,
                   core::IntegerToText(static_cast<long long>(shown.takings.unreadable.size())) +
                       core::Fixed(u" 条"));
}

void ShowTables(ui::Form& window, const ShownMonth& shown) {
    std::vector<std::vector<std::string>> rows;
    for (const DayTakings& day : shown.takings.days) {
        rows.push_back(
            {DayText(day.date), Amount(day.takings.yuan), core::IntegerToText(day.takings.uses)});
    }
    window.SetRows(kDayTable, std::move(rows));
    rows.clear();
    for (const ItemTakings& item : shown.takings.items) {
        rows.push_back({item.name, core::IntegerToText(item.takings.uses),
                        HoursText(item.takings.seconds), Amount(item.takings.yuan)});
    }
    window.SetRows(kItemTable, std::move(rows));
    rows.clear();
    std::vector<std::string_view> fields;
    for (const UnreadableRecord& odd : shown.takings.unreadable) {
        shown.month.SplitFields(odd.record, fields);
        rows.push_back({core::IntegerToText(static_cast<long long>(odd.record) + 1),
                        ReasonText(odd.reason), LineText(fields)});
    }
    window.SetRows(kUnreadableTable, std::move(rows));
}

// One bar per day the table lists, labelled with the day of the month; a day of another month
// (a checkout after midnight on the 1st) names its month too.
void ShowChart(ui::Form& window, const ShownMonth& shown) {
    std::vector<ui::Bar> bars;
    const int month = shown.takings.days.empty() ? 0 : shown.takings.days.front().date.month;
    for (const DayTakings& day : shown.takings.days) {
        const std::int64_t yuan = day.takings.yuan;
        const QString label = day.date.month == month
                                  ? QString::number(day.date.day)
                                  : QStringLiteral("%1/%2").arg(day.date.month).arg(day.date.day);
        bars.push_back(
            {.label = label,
             .valueText = yuan == 0 ? QString() : ui::ToScreen(Amount(yuan)),
             .spokenText = ui::ToScreen(DayText(day.date) + core::Fixed(u" 营业额 ") + Yuan(yuan)),
             .value = yuan});
    }
    qobject_cast<ui::BarChart*>(window.Control(kDayChart))->SetBars(std::move(bars));
}

void InitTakings(mainwin::Globals& globals, ui::Form& window) {
    const std::filesystem::path path =
        globals.TakingsMonthPath.empty()
            ? core::HistoryFilePath(globals.app.HistoryFolder, core::CurrentTime())
            : globals.TakingsMonthPath;
    const auto [year, month] = MonthOfFile(path);
    HistoryMonth records = ReadHistoryMonth(path);
    MonthTakings takings = ComputeTakings(records, year, month);
    const auto* shown = new ShownMonth(&window, path, std::move(records), std::move(takings));
    ShowFigures(globals, window, *shown);
    ShowTables(window, *shown);
    ShowChart(window, *shown);
}

const ShownMonth* ShownIn(const ui::Form& window) {
    for (const QObject* child : window.children()) {
        if (const auto* shown = dynamic_cast<const ShownMonth*>(child)) return shown;
    }
    return nullptr;
}

// The settings file and the month files hold everything the program knows; an export written
// over one of them would lose it.
bool IsProgramFile(const mainwin::Globals& globals, const QString& file) {
    const QFileInfo picked(file);
    const QFileInfo settings(ui::ToQtPath(globals.app.SettingsPath()));
    const QFileInfo history(ui::ToQtPath(globals.app.HistoryFolder));
    return (picked.exists() && settings.exists() &&
            picked.canonicalFilePath() == settings.canonicalFilePath()) ||
           (picked.dir().exists() && history.exists() &&
            picked.dir().canonicalPath() == history.canonicalFilePath());
}

// Into a file the operator picks, whole or not at all; suggested in the Documents folder.
void Export(const mainwin::Globals& globals, ui::Form& window, std::u16string_view caption,
            std::u16string_view what, std::string (*csv)(const ShownMonth&)) {
    const ShownMonth* shown = ShownIn(window);
    if (!shown) return;
    const QString suggested = QDir(ui::ToQtPath(globals.app.SettingsPath().parent_path()))
                                  .filePath(ui::ToQtPath(MonthName(shown->path)) +
                                            ui::ToScreen(what) + QStringLiteral(".csv"));
    const QString file =
        ui::AskSaveFile(&window, core::Fixed(caption), suggested, QStringLiteral("CSV (*.csv)"));
    if (file.isEmpty()) return;
    if (IsProgramFile(globals, file)) {
        ui::ShowMessage(&window, core::Fixed(u"操作失败"),
                        core::Fixed(u"不能用导出的内容覆盖程序自己的文件，请另选文件名。"));
        return;
    }
    const std::string bytes = csv(*shown);
    QSaveFile out(file);
    const bool written = out.open(QIODevice::WriteOnly) &&
                         out.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         out.commit();
    if (!written) {
        ui::ShowMessage(&window, core::Fixed(u"操作失败"),
                        core::Fixed(u"无法写入所选的文件，导出没有完成。"));
    }
}

}  // namespace

void RegisterTakingsWindow(mainwin::Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    namespace op = core::forms::operation;
    handlers.Add(op::kInitTakings, [&globals](ui::Form& window) { InitTakings(globals, window); });
    handlers.Add(op::kExportTakingsRecords, [&globals](ui::Form& window) {
        Export(globals, window, u"导出记录", u" 营业记录",
               [](const ShownMonth& shown) { return RecordsCsv(shown.month, shown.takings); });
    });
    handlers.Add(op::kExportTakingsTotals, [&globals](ui::Form& window) {
        Export(globals, window, u"导出汇总", u" 营业汇总",
               [](const ShownMonth& shown) { return TotalsCsv(shown.takings); });
    });
}

}  // namespace durava::history
