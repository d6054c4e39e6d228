// SPDX-License-Identifier: MIT
// The history window through the main window's button, on a temporary Documents folder.
#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <filesystem>
#include <vector>

#include "forms/formnames.h"
#include "forms/forms.h"
#include "support/program_fixture.h"
#include "support/settings_sections.h"
#include "ui/form.h"
#include "ui/screenconversion.h"
#include "windows/main/itemlist.h"

namespace durava::testing {
namespace {

constexpr char kExample[] =
    "A1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 分 0 秒@4 小时 0 分@1 时 31 分@30 分钟"
    "@20 元 / 小时@70 元@40 元@￥110 元";

namespace history_window = forms::history_window;

std::vector<ui::Form*> OpenViewers() {
    return OpenWindows(forms::HistoryWindow().name);
}

QListWidget& Months(ui::Form& viewer) {
    return *qobject_cast<QListWidget*>(viewer.Control(history_window::kMonthList));
}
QTableView& Table(ui::Form& viewer) {
    return *qobject_cast<QTableView*>(viewer.Control(history_window::kMonthTable));
}
QString Count(ui::Form& viewer) {
    return TextOf(viewer, history_window::kCountLabel);
}
QString Cell(ui::Form& viewer, int row, int column) {
    return ui::ToScreen(viewer.Cell(history_window::kMonthTable, row, column));
}
int Rows(ui::Form& viewer) {
    return viewer.RowCount(history_window::kMonthTable);
}
QStringList Entries(ui::Form& viewer) {
    QStringList entries;
    for (int i = 0; i < Months(viewer).count(); ++i) entries << Months(viewer).item(i)->text();
    return entries;
}

std::filesystem::path HistoryFolder(ProgramFixture& program) {
    return program.Documents() / "History";
}
void WriteMonth(ProgramFixture& program, const std::string& name, std::string_view utf8) {
    WriteBytes(HistoryFolder(program) / name, Gbk(utf8));
}

}  // namespace

class ViewerTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() {
        for (ui::Form* viewer : OpenViewers()) delete viewer;
    }

    void listsTheMonthFilesOldestFirstWithNothingChosen() {
        ProgramFixture program;
        for (const char* name : {"202403.QY.txt", "202405.QY.txt", "202404.QY.txt", "notes.txt"}) {
            WriteMonth(program, name, "A1@x\r\n");
        }
        std::filesystem::create_directories(HistoryFolder(program) / "sub");
        std::filesystem::create_directories(HistoryFolder(program) / "202401.QY.txt");
        WriteMonth(program, "sub/202402.QY.txt", "A1@x\r\n");

        ui::Form& viewer = program.OpenHistoryWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QCOMPARE(Entries(viewer), QStringList({"202403.QY", "202404.QY", "202405.QY"}));
        QCOMPARE(Months(viewer).currentRow(), -1);
        QCOMPARE(Rows(viewer), 0);
        QCOMPARE(Count(viewer), QStringLiteral("共 0 条记录"));

        QListWidget& months = Months(viewer);
        QTest::mouseClick(months.viewport(), Qt::LeftButton, {},
                          months.visualItemRect(months.item(1)).center());
        QCOMPARE(Count(viewer), QStringLiteral("共 1 条记录"));
        QCOMPARE(Cell(viewer, 0, 0), QStringLiteral("A1"));
    }

    void aMissingHistoryFolderListsNothing() {
        ProgramFixture program;
        std::filesystem::remove_all(HistoryFolder(program));
        ui::Form& viewer = program.OpenHistoryWindow();
        QCOMPARE(Months(viewer).count(), 0);
        QCOMPARE(Count(viewer), QStringLiteral("共 0 条记录"));
    }

    void showsTheChosenMonthOneRowPerRecord() {
        const std::string example = kExample;
        const struct {
            std::string content;
            int rows;
            std::vector<std::tuple<int, int, QString>> cells;
        } cases[] = {
            {example + "\r\n" + example + "\r\n" + example + "\r\n",
             3,
             {{0, 0, "A1"}, {2, 2, "2024/05/06 18:31:00"}, {2, 10, "￥110 元"}}},
            {"", 0, {}},
            {"A@" + example + "\r\n", 1, {{0, 0, "A"}, {0, 1, "A1"}, {0, 10, "40 元"}}},
            {"A1@@y\r\n", 1, {{0, 1, ""}, {0, 2, "y"}, {0, 3, ""}, {0, 10, ""}}},
            {"A1@x\r\n\r\nB2@y\r\n", 3, {{1, 0, ""}, {1, 1, ""}, {2, 0, "B2"}}},
            {"A1@x\r\nB2@y", 2, {{1, 1, "y"}}},
            {std::string("A1@x\r\nB2@y\0C3@z\r\n", 17), 2, {{1, 0, "B2"}}},
        };
        ProgramFixture program;
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            WriteMonth(program, "2024" + std::to_string(10 + i) + ".QY.txt", cases[i].content);
        }
        ui::Form& viewer = program.OpenHistoryWindow();
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            Months(viewer).setCurrentRow(static_cast<int>(i));
            QCOMPARE(Rows(viewer), cases[i].rows);
            QCOMPARE(Count(viewer), QStringLiteral("共 %1 条记录").arg(cases[i].rows));
            for (const auto& [row, column, text] : cases[i].cells) {
                QCOMPARE(Cell(viewer, row, column), text);
            }
        }
    }

    void aMonthThatCannotBeReadShowsAnEmptyTable() {
        ProgramFixture program;
        for (const char* name : {"202403.QY.txt", "202404.QY.txt", "202405.QY.txt"}) {
            WriteMonth(program, name, "A1@x\r\nB2@y\r\n");
        }
        ui::Form& viewer = program.OpenHistoryWindow();
        std::filesystem::remove(HistoryFolder(program) / "202404.QY.txt");
        std::filesystem::remove(HistoryFolder(program) / "202405.QY.txt");
        std::filesystem::create_directory(HistoryFolder(program) / "202405.QY.txt");
        for (int month : {1, 2}) {
            Months(viewer).setCurrentRow(0);
            QCOMPARE(Rows(viewer), 2);
            Months(viewer).setCurrentRow(month);
            QCOMPARE(Rows(viewer), 0);
            QCOMPARE(Count(viewer), QStringLiteral("共 0 条记录"));
        }
    }

    void theTableKeepsItsColumnsAndStartsAtTheTopOfEachMonth() {
        ProgramFixture program;
        std::string many;
        for (int i = 0; i < 2000; ++i) many += std::string(kExample) + "\r\n";
        WriteMonth(program, "202404.QY.txt", many);
        WriteMonth(program, "202405.QY.txt", many);
        ui::Form& viewer = program.OpenHistoryWindow();
        QTableView& table = Table(viewer);
        Months(viewer).setCurrentRow(0);
        table.scrollToBottom();
        Months(viewer).setCurrentRow(1);

        QCOMPARE(table.verticalScrollBar()->value(), 0);
        const auto& columns = forms::HistoryWindow().controls[1].columns;
        QCOMPARE(table.model()->columnCount(), static_cast<int>(columns.size()));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int column = static_cast<int>(i);
            QCOMPARE(table.model()->headerData(column, Qt::Horizontal).toString(),
                     ui::ToScreen(columns[i].header));
            QCOMPARE(table.horizontalHeader()->sectionSize(column), columns[i].width);
            QCOMPARE(table.model()->index(0, column).data(Qt::TextAlignmentRole).toInt(),
                     static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter));
        }
    }

    void theMainWindowStaysUsableBesideTheViewers() {
        ProgramFixture program;
        WriteMonth(program, "202404.QY.txt", "A1@x\r\n");
        ui::Form& first = program.OpenHistoryWindow();
        QVERIFY(!first.parentWidget());
        QVERIFY(!QApplication::activeModalWidget());

        WriteBytes(program.SettingsFile(),
                   Gbk(std::string(ItemSection("A1").Tariff(kDefaultTariff).Idle())));
        QTest::mouseClick(program.Main().Control(forms::main_window::kRefreshButton),
                          Qt::LeftButton);
        QCOMPARE(program.Main().RowCount(windows::kMainList), 1);

        // Each click opens a window of its own, which lists the month files as they are now.
        WriteMonth(program, "202405.QY.txt", "A1@x\r\n");
        ui::Form& second = program.OpenHistoryWindow();
        QCOMPARE(OpenViewers().size(), 2u);
        QCOMPARE(Entries(first), QStringList({"202404.QY"}));
        QCOMPARE(Entries(second), QStringList({"202404.QY", "202405.QY"}));
    }
};

}  // namespace durava::testing

QTEST_MAIN(durava::testing::ViewerTest)
#include "viewer_test.moc"
