// SPDX-License-Identifier: MIT
// The takings window through the history window's button, and receipts through its record menu.
#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPrinter>
#include <QTableView>
#include <QTest>

#include <filesystem>

#include "forms/formnames.h"
#include "forms/forms.h"
#include "journal/entry.h"
#include "journal/files/ourfiles.h"
#include "support/checkouts.h"
#include "support/program_fixture.h"
#include "support/settings_sections.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/printing.h"
#include "ui/screenconversion.h"
#include "ui/widgets/barchart.h"

namespace durava::testing {
namespace {

const std::string kSettings =
    ItemSection("A1").Tariff(kDefaultTariff).InUse("2024/05/06 13:00:00") +
    ItemSection("A2").Tariff({.period = "240", .fee = "70"}).Idle();

std::string Record(std::string_view name, std::string_view end, std::string_view total) {
    return std::string(name) + "@2024/05/06 13:00:00@" + std::string(end) +
           "@5 时 31 分 0 秒@4 小时 0 分@1 时 31 分@30 分钟@20 元 / 小时@70 元@40 元@" +
           std::string(total) + "\r\n";
}

const std::string kApril = Record("A1", "2024/04/03 18:31:00", "￥110 元") +
                           Record("A2", "2024/04/03 20:00:00", "￥70 元") +
                           Record("A2", "2024/04/30 20:00:00", "￥70 元") +
                           Record("A1", "2024/04/05 20:00:00", "开始时间有误");
const std::string kMay = Record("A2", "2024/05/05 20:00:00", "￥70 元") +
                         Record("A2", "2024/05/06 09:00:00", "￥90 元") +
                         Record("A1", "2024/05/06 10:00:00", "￥110 元");

namespace history_window = forms::history_window;
namespace takings_window = forms::takings_window;

ui::Form& OpenTakings(ui::Form& viewer) {
    Click(viewer, history_window::kTakingsButton);
    ui::Form* takings = OpenWindow(forms::TakingsWindow().name);
    if (!takings) qFatal("the takings window did not open");
    return *takings;
}

QString Cell(ui::Form& window, forms::ListName table, int row, int column) {
    return ui::ToScreen(window.Cell(table, row, column));
}

// How many of this month's journal entries hold `text`.
int Journaled(const ProgramFixture& program, std::string_view text) {
    const std::string journal =
        ReadBytes(journal::DuravaFolder(program.SettingsFile()) / "journal-202405.txt");
    int count = 0;
    for (std::size_t at = journal.find(text); at != std::string::npos;
         at = journal.find(text, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

class TakingsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() {
        for (std::string_view name : {forms::TakingsWindow().name, forms::HistoryWindow().name,
                                      forms::CheckWindow().name}) {
            while (ui::Form* window = OpenWindow(name)) delete window;
        }
        ui::PickSaveFilesWith({});
        ui::PrintPreviewsWith({});
    }

    // 核对记录 without an owner password: the month on view is checked, a record added by hand
    // after the journal began is named with its file and line, those before it are counted apart.
    void checksTheMonthOnView() {
        ProgramFixture program(kSettings, {2024, 5, 6, 18, 31, 0});
        WriteBytes(program.MonthFile(), Gbk(kMay + Record("A2", "2024/05/06 18:40:00", "￥9 元")));
        ui::Form& takings = OpenTakings(program.OpenHistoryWindow());
        Click(takings, takings_window::kCheckButton);
        QVERIFY(QTest::qWaitFor([] { return OpenWindow(forms::CheckWindow().name); }, 20000));
        ui::Form& check = *OpenWindow(forms::CheckWindow().name);
        namespace cw = forms::check_window;
        QCOMPARE(ui::ToScreen(check.Title()), QStringLiteral("核对记录 2024/05"));
        // Six lines of summary, the most there are, show without a scroll bar.
        auto* summary = qobject_cast<QListWidget*>(check.Control(cw::kSummaryList));
        QVERIFY(summary->sizeHintForRow(0) * 6 + 2 * summary->frameWidth() <= summary->height());
        QCOMPARE(check.RowCount(cw::kFindingTable), 2);
        QCOMPARE(Cell(check, cw::kFindingTable, 0, 4),
                 QStringLiteral("日志从 2024/05/06 18:31:00 开始，之前的记录不在核对之内。"));
        QCOMPARE(Cell(check, cw::kFindingTable, 1, 2), QStringLiteral("202405.QY.txt"));
        QCOMPARE(Cell(check, cw::kFindingTable, 1, 3), QStringLiteral("4"));
        QVERIFY(Cell(check, cw::kFindingTable, 1, 4).contains(QStringLiteral("不是本程序写的")));
        QVERIFY(qobject_cast<QListWidget*>(check.Control(cw::kSummaryList))
                    ->item(2)
                    ->text()
                    .contains(QStringLiteral("3 条记录早于日志")));
    }

    void showsTheMonthOnDisplayAndChangesNoFile() {
        ProgramFixture program(kSettings, {2024, 5, 6, 18, 31, 0});
        WriteBytes(program.Documents() / "History/202404.QY.txt", Gbk(kApril));
        WriteBytes(program.MonthFile(), Gbk(kMay));
        const std::string settingsBefore = ReadBytes(program.SettingsFile());
        ui::Form& viewer = program.OpenHistoryWindow();
        qobject_cast<QListWidget*>(viewer.Control(history_window::kMonthList))->setCurrentRow(0);
        ui::Form& takings = OpenTakings(viewer);

        QCOMPARE(TextOf(takings, takings_window::kMonthLabel), QStringLiteral("2024/04"));
        QCOMPARE(TextOf(takings, takings_window::kPeriodCaption), QStringLiteral("月份"));
        QCOMPARE(TextOf(takings, takings_window::kTakingsLabel), QStringLiteral("250 元"));
        QCOMPARE(TextOf(takings, takings_window::kUsesLabel), QStringLiteral("3 次"));
        QCOMPARE(TextOf(takings, takings_window::kHoursLabel), QStringLiteral("16 时 33 分"));
        QCOMPARE(TextOf(takings, takings_window::kAverageLabel), QStringLiteral("83.33 元"));
        QCOMPARE(TextOf(takings, takings_window::kUnreadableLabel), QStringLiteral("1 条"));

        QCOMPARE(takings.RowCount(takings_window::kDayTable), 30);
        QCOMPARE(Cell(takings, takings_window::kDayTable, 2, 0), QStringLiteral("2024/04/03"));
        QCOMPARE(Cell(takings, takings_window::kDayTable, 2, 1), QStringLiteral("180"));
        QCOMPARE(Cell(takings, takings_window::kDayTable, 2, 2), QStringLiteral("2"));
        QAccessibleInterface* chart =
            QAccessible::queryAccessibleInterface(takings.Control(takings_window::kDayChart));
        QCOMPARE(chart->childCount(), 30);
        QCOMPARE(chart->child(2)->text(QAccessible::Name),
                 QStringLiteral("2024/04/03 营业额 180 元，2 次"));
        QCOMPARE(chart->child(29)->text(QAccessible::Name),
                 QStringLiteral("2024/04/30 营业额 70 元，1 次"));

        QCOMPARE(takings.RowCount(takings_window::kItemTable), 2);
        QCOMPARE(Cell(takings, takings_window::kItemTable, 0, 0), QStringLiteral("A2"));
        QCOMPARE(Cell(takings, takings_window::kItemTable, 0, 3), QStringLiteral("140"));
        QCOMPARE(takings.RowCount(takings_window::kUnreadableTable), 1);
        QCOMPARE(Cell(takings, takings_window::kUnreadableTable, 0, 0), QStringLiteral("4"));
        const std::string last = kApril.substr(kApril.rfind("A1@"));
        const QString line = QString::fromStdString(last.substr(0, last.size() - 2));
        QCOMPARE(Cell(takings, takings_window::kUnreadableTable, 0, 2), line);
        // The record is wider than its column: it shows on hover and copies whole.
        auto* odd = qobject_cast<QTableView*>(takings.Control(takings_window::kUnreadableTable));
        QCOMPARE(odd->model()->index(0, 2).data(Qt::ToolTipRole).toString(), line);
        odd->setCurrentIndex(odd->model()->index(0, 0));
        QTest::keySequence(odd, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), line);
        // Without operators the window is as it always was.
        QVERIFY(!takings.Control(takings_window::kOperatorTable)->isVisibleTo(&takings));
        QCOMPARE(odd->height(), 210);

        QCOMPARE(ReadBytes(program.Documents() / "History/202404.QY.txt"), Gbk(kApril));
        QCOMPARE(ReadBytes(program.MonthFile()), Gbk(kMay));
        QCOMPARE(ReadBytes(program.SettingsFile()), settingsBefore);
    }

    void withNoMonthChosenShowsTodayAndWhatTheItemsInUseOwe() {
        ProgramFixture program(kSettings, {2024, 5, 6, 18, 31, 0});
        WriteBytes(program.MonthFile(), Gbk(kMay));
        ui::Form& takings = OpenTakings(program.OpenHistoryWindow());
        QCOMPARE(TextOf(takings, takings_window::kMonthLabel), QStringLiteral("2024/05"));
        QCOMPARE(TextOf(takings, takings_window::kTakingsLabel), QStringLiteral("270 元"));
        QCOMPARE(TextOf(takings, takings_window::kTodayLabel), QStringLiteral("200 元"));
        QCOMPARE(TextOf(takings, takings_window::kInUseLabel), QStringLiteral("1 个"));
        QCOMPARE(TextOf(takings, takings_window::kOwedLabel), QStringLiteral("110 元"));
        // The main list shows the same fee for the same moment.
        QCOMPARE(program.MainCell(0, 5), QStringLiteral("110"));
    }

    // At 00:30 on 1 June, a checkout of 00:10 kept in May's file is today's, and one huge day
    // must leave the others visible.
    void recordsCountOnTheirDayAndTheChartShowsEveryDayOfTheTable() {
        ProgramFixture program(kSettings, {2024, 6, 1, 0, 30, 0});
        WriteBytes(program.Documents() / "History/202405.QY.txt",
                   Gbk(kMay + Record("A1", "2024/05/07 10:00:00", "￥5000020720 元") +
                       Record("A2", "2024/06/01 00:10:00", "￥70 元")));
        ui::Form& viewer = program.OpenHistoryWindow();
        qobject_cast<QListWidget*>(viewer.Control(history_window::kMonthList))->setCurrentRow(0);
        ui::Form& takings = OpenTakings(viewer);
        QCOMPARE(TextOf(takings, takings_window::kTakingsLabel),
                 QStringLiteral("5,000,021,060 元"));
        QCOMPARE(TextOf(takings, takings_window::kTodayLabel), QStringLiteral("70 元"));
        QCOMPARE(TextOf(takings, takings_window::kOtherMonthsLabel),
                 QStringLiteral("含他月结束的 1 次，70 元"));
        QCOMPARE(Cell(takings, takings_window::kDayTable, 6, 1), QStringLiteral("5,000,020,720"));

        auto* chart = qobject_cast<ui::BarChart*>(takings.Control(takings_window::kDayChart));
        QCOMPARE(chart->Bars().size(), size_t(takings.RowCount(takings_window::kDayTable)));
        QCOMPARE(chart->Bars().size(), size_t(32));
        QCOMPARE(chart->Bars().back().label, QStringLiteral("6/1"));
        QCOMPARE(chart->Bars()[6].valueText, QStringLiteral("5,000,020,720"));
        QVERIFY(chart->BarRect(4).height() >= chart->BarRect(6).height() / 8);
        QVERIFY(chart->BarRect(4).height() < chart->BarRect(5).height());
        QCOMPARE(chart->BarRect(0).height(), 0);

        // A span of more days than the chart has pixels stays within it, and a hover finds a day.
        const int days = 2 * chart->width();
        chart->SetBars(std::vector<ui::Bar>(days, ui::Bar{"1/1", "1", "1/1 1", 1}));
        const QRect last = chart->BarRect(days - 1);
        QVERIFY(last.right() < chart->width());
        QVERIFY(chart->BarAt(last.center()) >= days - 2);
    }

    // A year and a span count each record on the day it ended, across month files; a span that
    // ends before it starts is refused, and a day-end slip prints the chosen day.
    void aYearASpanAndADaySlip() {
        ProgramFixture program(kSettings, {2024, 5, 6, 18, 31, 0});
        program.AnswerMessages(true);
        WriteBytes(program.Documents() / "History/202404.QY.txt",
                   Gbk(kApril + Record("A1", "2024/05/01 00:10:00", "￥30 元")));
        WriteBytes(program.MonthFile(), Gbk(kMay));
        std::filesystem::create_directory(program.Documents() / "History/202402.QY.txt");
        ui::Form& takings = OpenTakings(program.OpenHistoryWindow());

        Click(takings, takings_window::kYearButton);
        QTRY_COMPARE(TextOf(takings, takings_window::kMonthLabel), QStringLiteral("2024"));
        QCOMPARE(TextOf(takings, takings_window::kPeriodCaption), QStringLiteral("年份"));
        QCOMPARE(TextOf(takings, takings_window::kTakingsLabel), QStringLiteral("550 元"));
        QCOMPARE(takings.RowCount(takings_window::kDayTable), 12);
        QCOMPARE(Cell(takings, takings_window::kDayTable, 4, 1), QStringLiteral("300"));
        QCOMPARE(Cell(takings, takings_window::kItemTable, 0, 0), QStringLiteral("A2"));
        // January, February (a folder) and March are named; June on is yet to come.
        QCOMPARE(Cell(takings, takings_window::kUnreadableTable, 1, 1),
                 QStringLiteral("记录文件无法读取"));
        QCOMPARE(Cell(takings, takings_window::kUnreadableTable, 3, 0), QStringLiteral("202404:4"));
        QCOMPARE(takings.RowCount(takings_window::kUnreadableTable), 4);

        takings.SetText(takings_window::kRangeFromBox, "2024/05/06");
        takings.SetText(takings_window::kRangeToBox, "2024/04/30");
        Click(takings, takings_window::kRangeButton);
        QCOMPARE(program.Messages().size(), 1);
        takings.SetText(takings_window::kRangeFromBox, "2024/04/30");
        takings.SetText(takings_window::kRangeToBox, "2024/05/06");
        Click(takings, takings_window::kRangeButton);
        QTRY_COMPARE(takings.RowCount(takings_window::kDayTable), 7);
        QCOMPARE(TextOf(takings, takings_window::kMonthLabel), QStringLiteral("04/30～05/06"));
        QCOMPARE(TextOf(takings, takings_window::kPeriodCaption), QStringLiteral("区间"));
        QCOMPARE(TextOf(takings, takings_window::kTakingsLabel), QStringLiteral("370 元"));
        QCOMPARE(Cell(takings, takings_window::kDayTable, 1, 1), QStringLiteral("30"));
        // The span's records export as their files hold them, the one kept in April's file too.
        const std::filesystem::path csv = program.Documents() / "span.csv";
        ui::PickSaveFilesWith(
            [&](const QString&, const QString&) { return QString::fromStdString(csv.string()); });
        Click(takings, takings_window::kExportRecordsButton);
        QTRY_VERIFY(std::filesystem::exists(csv));
        QVERIFY(ReadBytes(csv).find(",2024/05/01 00:10:00,") != std::string::npos);

        const std::filesystem::path pdf = program.Documents() / "slip.pdf";
        ui::PrintPreviewsWith([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf.string()));
            return true;
        });
        Click(takings, takings_window::kDaySlipButton);
        QVERIFY(std::filesystem::file_size(pdf) > 0);
        // The journal escapes a Windows path's backslashes: the file is found by its name.
        QCOMPARE(Journaled(program, "\t导出\t\t文件="), 1);
        QCOMPARE(Journaled(program, csv.filename().string() + "\t"), 1);
        QCOMPARE(Journaled(program, "\t打印\t\t单据=日结单\t"), 1);
    }

    // The journal names who checked out what: a month and a year show it below a shorter table of
    // unreadable records, and the totals export ends on it. A checkout without an operator counts
    // apart; one of another month only in the year.
    void takingsPerOperatorFromTheJournal() {
        ProgramFixture program(kSettings, {2024, 5, 6, 18, 31, 0});
        program.AnswerMessages(true);
        struct Use {
            const char *item, *end, *total, *by;
        };
        std::string may;
        for (const Use& use : {Use{"A2", "2024/05/05 20:00:00", "￥70 元", "张三"},
                               Use{"A2", "2024/05/06 09:00:00", "￥90 元", "李四"},
                               Use{"A1", "2024/05/06 10:00:00", "￥110 元", ""},
                               Use{"A1", "2024/04/30 10:00:00", "￥5 元", "张三"}}) {
            const std::string record = Gbk(Record(use.item, use.end, use.total));
            if (use.end[6] == '5') may += record;
            program.globals().journal->Append(
                CheckoutEntryOf(core::ParseDateTime(use.end), Gbk(use.by),
                                record.substr(0, record.size() - 2), program.MonthFile()));
        }
        WriteBytes(program.MonthFile(), may);
        ui::Form& takings = OpenTakings(program.OpenHistoryWindow());
        const auto rows = [&takings] {
            QStringList texts;
            for (int row = 0; row < takings.RowCount(takings_window::kOperatorTable); ++row) {
                for (int column = 0; column < 3; ++column) {
                    texts << Cell(takings, takings_window::kOperatorTable, row, column);
                }
            }
            return texts.join(u' ');
        };
        QCOMPARE(rows(), QStringLiteral("无操作员 1 110 张三 1 70 李四 1 90"));
        QVERIFY(takings.Control(takings_window::kOperatorTable)->isVisibleTo(&takings));
        QCOMPARE(takings.Control(takings_window::kUnreadableTable)->height(), 100);

        Click(takings, takings_window::kYearButton);
        QTRY_COMPARE(TextOf(takings, takings_window::kMonthLabel), QStringLiteral("2024"));
        QCOMPARE(rows(), QStringLiteral("无操作员 1 110 张三 2 75 李四 1 90"));
        const std::filesystem::path target = program.Documents() / "totals.csv";
        ui::PickSaveFilesWith([&](const QString&, const QString&) {
            return QString::fromStdString(target.string());
        });
        Click(takings, takings_window::kExportTotalsButton);
        QVERIFY(
            ReadBytes(target).ends_with("合计,270,3,16.55\r\n\r\n操作员,营业额,使用次数\r\n"
                                        "无操作员,110,1\r\n张三,75,2\r\n李四,90,1\r\n"));
    }

    void exportsGoWhollyToThePickedFileOrNowhere() {
        ProgramFixture program(kSettings, {2024, 5, 6, 18, 31, 0});
        program.AnswerMessages(true);
        WriteBytes(program.MonthFile(), Gbk(kMay));
        ui::Form& takings = OpenTakings(program.OpenHistoryWindow());
        const std::filesystem::path target = program.Documents() / "out.csv";
        QString suggested;
        QString picked = QString::fromStdString(target.string());
        ui::PickSaveFilesWith([&](const QString&, const QString& suggestion) {
            suggested = suggestion;
            return picked;
        });

        Click(takings, takings_window::kExportTotalsButton);
        QVERIFY(suggested.endsWith(QStringLiteral("202405 营业汇总.csv")));
        const std::string totals = ReadBytes(target);
        QVERIFY(totals.starts_with(
            "\xEF\xBB\xBF日期,营业额,使用次数,使用小时\r\n2024/05/01,0,0,0.00\r\n"));
        QVERIFY(totals.ends_with("合计,270,3,16.55\r\n"));

        Click(takings, takings_window::kExportRecordsButton);
        QVERIFY(ReadBytes(target).find("A1,2024/05/06 13:00:00,2024/05/06 10:00:00") !=
                std::string::npos);
        QVERIFY(program.Messages().isEmpty());

        std::filesystem::remove(target);
        picked.clear();
        Click(takings, takings_window::kExportRecordsButton);
        QVERIFY(!std::filesystem::exists(target));

        // A folder cannot be written; the program's own files must not be.
        const std::string settings = ReadBytes(program.SettingsFile());
        for (const std::filesystem::path& unfit :
             {program.Documents() / "History", program.SettingsFile(), program.MonthFile(),
              program.Documents() / "History" / "202406.QY.txt"}) {
            picked = QString::fromStdString(unfit.string());
            Click(takings, takings_window::kExportRecordsButton);
        }
        QCOMPARE(program.Messages().size(), 4);
        // The two exports written, and only they, are journaled.
        QCOMPARE(Journaled(program, "\t导出\t"), 2);
        QVERIFY(std::filesystem::is_directory(program.Documents() / "History"));
        QCOMPARE(ReadBytes(program.SettingsFile()), settings);
        QCOMPARE(ReadBytes(program.MonthFile()), Gbk(kMay));
        QVERIFY(!std::filesystem::exists(program.Documents() / "History" / "202406.QY.txt"));
    }

    void aChosenRecordPrintsAsAReceipt() {
        ProgramFixture program(kSettings, {2024, 5, 6, 18, 31, 0});
        WriteBytes(program.MonthFile(), Gbk(kMay));
        ui::Form& viewer = program.OpenHistoryWindow();
        qobject_cast<QListWidget*>(viewer.Control(history_window::kMonthList))->setCurrentRow(0);
        auto* table = qobject_cast<QTableView*>(viewer.Control(history_window::kMonthTable));
        const std::filesystem::path pdf = program.Documents() / "receipt.pdf";
        int previews = 0;
        QString suggested;
        ui::PrintPreviewsWith([&](QPrinter& printer) {
            ++previews;
            suggested = printer.outputFileName();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf.string()));
            return true;
        });
        // As on the platform's list, a right click selects the row under it and clears the
        // selection beside the rows.
        const auto rightClick = [&](int row) {
            return RightClickAndChoose(*table, row, history_window::kReceiptEntry).entryEnabled;
        };

        QVERIFY(!rightClick(-1));
        QCOMPARE(previews, 0);
        table->setFocus();
        QVERIFY(rightClick(1));
        QCOMPARE(previews, 1);
        // Offscreen there is no printer: the receipt is offered as a PDF in the Documents folder.
        QCOMPARE(suggested, QDir(QString::fromStdU16String(program.Documents().path().u16string()))
                                .filePath(QStringLiteral("小票.pdf")));
        QFile printed(QString::fromStdString(pdf.string()));
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.read(5) == "%PDF-");
        // The journal names the receipt's use; one the operator did not print, nothing.
        QCOMPARE(Journaled(program, "\t打印\tA2\t单据=小票\t开始时间=2024/05/06 13:00:00\t"), 1);
        ui::PrintPreviewsWith([](QPrinter&) { return false; });
        QVERIFY(rightClick(0));
        QCOMPARE(Journaled(program, "\t打印\t"), 1);
    }
};

}  // namespace durava::testing

QTEST_MAIN(durava::testing::TakingsWindowTest)
#include "takingswindow_test.moc"
