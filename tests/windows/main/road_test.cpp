// SPDX-License-Identifier: MIT
// One customer's road through the windows: start timing, live refresh, checkout, record.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSize>
#include <QPrinter>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "audit/check.h"
#include "core/codepage.h"
#include "forms/formnames.h"
#include "journal/files/journalfiles.h"
#include "journal/files/ourfiles.h"
#include "lvcolor/colourmodel.h"
#include "operations/bill.h"
#include "people/protection.h"
#include "support/settings_sections.h"
#include "support/temp_folder.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/printing.h"
#include "ui/screenconversion.h"
#include "ui/widgets/statusbar.h"
#include "ui/windowstate.h"
#include "windows/items/itemtesting.h"
#include "windows/main/itemlist.h"
#include "windows/main/liststate.h"
#include "windows/main/refresh.h"
#include "windows/trust/login.h"

namespace durava::testing {
namespace {

using namespace forms::main_window;
using forms::checkout_window::kValueLabels;
namespace item_dialog = forms::item_dialog;
using windows::kColumnDuration;
using windows::kColumnFee;
using windows::kColumnStart;
using windows::kColumnState;

std::string InUseA1(std::string start) {
    return ItemSection("A1").Tariff(kDefaultTariff).InUse(std::move(start));
}
const std::string kInUseA1 = InUseA1("2024/05/06 13:00:00");
const std::string kIdleItems =
    ItemSection("A1").Tariff(kDefaultTariff).Idle() +
    ItemSection("A2").Tariff({.period = "60", .fee = "10", .unit = "15", .price = "30"}).Idle();

QString Label(ui::Form& window, forms::LabelName name) {
    return ui::ToScreen(window.Text(name));
}

std::optional<lvcolor::ColourRef> StateBackground(ProgramFixture& program, int row) {
    const auto colour = program.globals().MainListColours.LookUpCellColour(
        program.Main().Handle(windows::kMainList), row, kColumnState);
    return colour ? std::optional(colour->background) : std::nullopt;
}

struct CheckoutFigures {
    QString used, period, overtime, overtimeFee, total;
};

// Opens the checkout of row 0 at `now`, reads its figures and lets `then` act on the window.
CheckoutFigures OpenCheckout(ProgramFixture& program, core::CalendarTime now,
                             const std::function<void(ui::Form&)>& then) {
    program.SetNow(now);
    CheckoutFigures figures;
    ProgramFixture::WhenOpen("CheckoutWindow", [&](ui::Form& window) {
        const auto value = [&window](history::RecordField field) {
            return Label(window, kValueLabels[field]);
        };
        figures = {value(history::kFieldDuration), value(history::kFieldPeriod),
                   value(history::kFieldOvertime), value(history::kFieldOvertimeFee),
                   value(history::kFieldTotal)};
        then(window);
    });
    program.ChooseFromRowMenu(0, kCheckoutEntry);
    return figures;
}

// The cash counted as the operator types it.
void Count(ui::Form& window, const QString& typed) {
    QLineEdit* box = window.Control(forms::shift_window::kCountedBox);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, typed);
}

QColor TextColour(ui::Form& window, forms::LabelName name) {
    QLabel* label = window.Control(name);
    label->ensurePolished();
    return label->palette().color(label->foregroundRole());
}

void CloseBox(ui::Form& window) {
    window.close();
}
void Confirm(ui::Form& window) {
    QTest::mouseClick(window.findChild<QWidget*>("按钮1"), Qt::LeftButton);
}

}  // namespace

class RoadTest : public QObject {
    Q_OBJECT

  private slots:
    // The figures themselves are the bill's; here the window shows them and closing keeps all.
    void checkoutShowsTheBillAndClosingChangesNothing() {
        ProgramFixture program(kInUseA1);
        const std::string before = ReadBytes(program.SettingsFile());
        const CheckoutFigures shown = OpenCheckout(program, {2024, 5, 6, 18, 31, 0}, CloseBox);
        QCOMPARE(shown.used, QStringLiteral("5 时 31 分 0 秒"));
        QCOMPARE(shown.period, QStringLiteral("4 小时 0 分"));
        QCOMPARE(shown.overtime, QStringLiteral("1 时 31 分"));
        QCOMPARE(shown.overtimeFee, QStringLiteral("40 元"));
        QCOMPARE(shown.total, QStringLiteral("￥110 元"));
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
        QVERIFY(!std::filesystem::exists(program.MonthFile()));
        QCOMPARE(program.MainCell(0, kColumnState), QStringLiteral("使用中"));
    }

    void theWholeRoadFromStartToRecord() {
        ProgramFixture program(kIdleItems);
        QCOMPARE(program.Main().RowCount(windows::kMainList), 2);
        QCOMPARE(StateBackground(program, 0), std::optional(windows::kIdleBackground));

        QVERIFY(program.ChooseFromRowMenu(0, kStartEntry));
        QVERIFY(!program.Main().IsMenuEntryEnabled(kCheckoutEntry));
        QVERIFY(program.Main().IsMenuEntryEnabled(kModifyEntry));
        const std::string settings = ReadBytes(program.SettingsFile());
        QVERIFY(settings.find(Gbk("[A1]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n"
                                  "超时单价=20\r\n状态=使用中\r\n开始时间=2024/05/06 13:00:00\r\n"
                                  "[A2]")) == 0);
        QCOMPARE(program.MainCell(0, kColumnState), QStringLiteral("使用中"));
        QCOMPARE(program.MainCell(0, kColumnStart), QStringLiteral("2024/05/06 13:00:00"));
        QCOMPARE(StateBackground(program, 0), std::optional(windows::kInUseBackground));

        struct Pass {
            core::CalendarTime at;
            const char16_t *duration, *fee;
        };
        for (const Pass& pass : {Pass{{2024, 5, 6, 13, 0, 45}, u"45 秒 ", u"70"},
                                 Pass{{2024, 5, 6, 17, 1, 0}, u"4 时 1 分", u"80"},
                                 Pass{{2024, 5, 7, 15, 5, 0}, u"26 时 5 分", u"520"}}) {
            program.SetNow(pass.at);
            // The view must hear of the new texts to repaint them: once a pass.
            const auto* list =
                qobject_cast<QTableView*>(program.Main().Control(windows::kMainList));
            QSignalSpy told(list->model(), &QAbstractItemModel::dataChanged);
            windows::RefreshPass(program.globals(), program.Main());
            QCOMPARE(told.count(), 1);
            QCOMPARE(program.MainCell(0, kColumnDuration), QString::fromUtf16(pass.duration));
            QCOMPARE(program.MainCell(0, kColumnFee), QString::fromUtf16(pass.fee));
            QCOMPARE(program.MainCell(1, kColumnDuration), QStringLiteral("无"));
        }
        QCOMPARE(ui::ToScreen(program.Main().StatusPart(windows::kStatusBar, 1)),
                 QStringLiteral("2"));
        QCOMPARE(ui::ToScreen(program.Main().StatusPart(windows::kStatusBar, 3)),
                 QStringLiteral("1"));
        QCOMPARE(ui::ToScreen(program.Main().StatusPart(windows::kStatusBar, 5)),
                 QStringLiteral("1"));

        OpenCheckout(program, {2024, 5, 6, 18, 31, 0}, Confirm);
        QCOMPARE(ReadBytes(program.MonthFile()),
                 Gbk("A1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 分 0 秒@4 小时 0 分@"
                     "1 时 31 分@30 分钟@20 元 / 小时@70 元@40 元@￥110 元\r\n"));
        QVERIFY(ReadBytes(program.SettingsFile()).find(Gbk("状态=空闲中\r\n开始时间=无\r\n[A2]")) !=
                std::string::npos);
        QCOMPARE(program.MainCell(0, kColumnState), QStringLiteral("空闲中"));
        QCOMPARE(program.MainCell(0, kColumnStart), QStringLiteral("无"));
        QCOMPARE(StateBackground(program, 0), std::optional(windows::kIdleBackground));

        // Both actions are journaled, and the owner's check of the day finds nothing to tell.
        const audit::CheckReport check =
            audit::CheckJournal({program.globals().app.HistoryFolder,
                                 journal::DuravaFolder(program.SettingsFile()),
                                 {2024, 5, 6},
                                 {2024, 5, 6}});
        QVERIFY(audit::IsClean(check));
        QCOMPARE(check.recordsChecked, 1u);
        QVERIFY(check.entriesChecked >= 2);
    }

    // Without an owner password a journal that cannot be written stops nothing: the operator
    // hears of it once, in the status bar.
    void aJournalThatCannotBeWrittenIsToldOnceAndStopsNothing() {
        ProgramFixture program(
            [](const std::filesystem::path& documents) {
                WriteBytes(documents / "ROOMSETTING.ini", Gbk(kIdleItems));
                WriteBytes(documents / "Durava", "a file in the folder's place");
            },
            {2024, 5, 6, 13, 0, 0});
        const auto notice = [&program] {
            return ui::Kept<windows::ListState>(program.Main())->statusBar->Notice();
        };
        QVERIFY(notice().empty());
        QVERIFY(program.ChooseFromRowMenu(0, kStartEntry));
        QCOMPARE(program.MainCell(0, kColumnState), QStringLiteral("使用中"));
        QVERIFY(program.Messages().isEmpty());
        const std::string told = notice();
        QVERIFY(ui::ToScreen(told).startsWith(QStringLiteral("无法记日志：")));
        QVERIFY(ui::ToScreen(told).contains(QStringLiteral("Durava")));
        QVERIFY(program.ChooseFromRowMenu(1, kStartEntry));
        QCOMPARE(program.MainCell(1, kColumnState), QStringLiteral("使用中"));
        QVERIFY(program.Messages().isEmpty());
        QCOMPARE(notice(), told);
    }

    // The owner finds the program's start, and a clock set back while uses run, in the journal; a
    // clock set right by a few seconds is not worth an entry.
    void theStartAndAClockSetBackAreJournaled() {
        ProgramFixture program(kInUseA1);
        for (const core::CalendarTime at :
             {core::CalendarTime{2024, 5, 6, 14, 0, 0}, core::CalendarTime{2024, 5, 6, 13, 59, 30},
              core::CalendarTime{2024, 5, 6, 13, 30, 0}}) {
            program.SetNow(at);
            windows::RefreshPass(program.globals(), program.Main());
        }
        const std::string journal =
            ReadBytes(journal::DuravaFolder(program.SettingsFile()) / "journal-202405.txt");
        QVERIFY(journal.find("\t程序启动\t") != std::string::npos);
        const std::size_t back = journal.find("\t时钟回拨\t");
        QVERIFY(back != std::string::npos);
        QVERIFY(journal.find("2024/05/06 13:59:30", back) != std::string::npos);
        QCOMPARE(journal.find("\t时钟回拨\t", back + 1), std::string::npos);
    }

    // An operator's shift from their login to the next login: the till counted against their
    // checkouts, the close journaled, its slip printed, and no one logging in ends the program.
    void anOperatorClosesTheShiftWithTheTillCounted() {
        namespace sw = forms::shift_window;
        const people::NewPassword owner =
            *people::MakePassword(u"店主的密码吧", journal::kCheapestCost);
        ProgramFixture program(
            [&owner](const std::filesystem::path& documents) {
                WriteBytes(documents / "ROOMSETTING.ini", Gbk(kIdleItems));
                const std::filesystem::path folder = documents / journal::kFolderName;
                QVERIFY(!people::SetOwnerPassword(folder, owner));
                people::Operators operators;
                operators.Add(u"张三", *journal::HashSecret(u"1234", journal::kCheapestCost));
                QCOMPARE(people::WriteOperators(folder, operators), journal::FileState::Ok);
                QVERIFY(!journal::Journal(folder, journal::Protection::Owner)
                             .StartChain(owner.firstJournalKey, journal::ChainReason::OwnerPassword,
                                         core::ToDateTime({2024, 5, 6, 12, 0, 0}), {}));
            },
            {2024, 5, 6, 13, 0, 0});
        ProgramFixture::WhenOpen("LoginWindow", [](ui::Form& login) {
            login.SetText(forms::login_window::kPinBox, "1234");
            Click(login, forms::login_window::kLoginButton);
        });
        QVERIFY(windows::LogIn(program.globals()));
        QVERIFY(program.ChooseFromRowMenu(0, kStartEntry));
        QVERIFY(program.ChooseFromRowMenu(1, kStartEntry));
        OpenCheckout(program, {2024, 5, 6, 18, 31, 0}, Confirm);

        program.SetNow({2024, 5, 6, 18, 40, 0});
        program.AnswerMessages(true);
        QString suggested;
        bool print = false;  // the operator cancels the preview of the close
        ui::PrintPreviewsWith([&](QPrinter& printer) {
            suggested = printer.outputFileName();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setPageSize(QPageSize(QPageSize::Letter));  // as the print dialog does
            return print;
        });
        const std::filesystem::path folder = journal::DuravaFolder(program.SettingsFile());
        bool loginShown = false;
        WhenOpenThenClose("ShiftWindow", [&](ui::Form& window) {
            QCOMPARE(Label(window, sw::kOperatorLabel), QStringLiteral("张三"));
            QCOMPARE(Label(window, sw::kSinceLabel), QStringLiteral("2024/05/06 13:00:00"));
            QCOMPARE(Label(window, sw::kExpectedLabel), QStringLiteral("110 元"));
            QCOMPARE(window.RowCount(sw::kRunningTable), 1);
            QCOMPARE(ui::ToScreen(window.Cell(sw::kRunningTable, 0, 2) + "|" +
                                  window.Cell(sw::kRunningTable, 0, 3)),
                     QStringLiteral("5 时 40 分|152 元"));
            for (const auto& [typed, difference, colour] :
                 {std::tuple("100", "-10 元", QColor(Qt::red)),
                  std::tuple("110", "0 元", QColor(Qt::black)),
                  std::tuple("", "", QColor(Qt::black))}) {
                Count(window, typed);
                QCOMPARE(Label(window, sw::kDifferenceLabel), QString::fromUtf8(difference));
                QCOMPARE(TextColour(window, sw::kDifferenceLabel), colour);
            }
            Click(window, sw::kCloseButton);
            QCOMPARE(program.Messages(), QStringList{"无法交班|请先输入点清的实收现金（整元）。"});
            Count(window, "100");
            // A journal that cannot hold the close leaves the shift open, and names its file.
            const std::filesystem::path key = journal::KeyFilePath(folder);
            const std::string keyBytes = ReadBytes(key);
            std::filesystem::remove(key);
            Click(window, sw::kCloseButton);
            WriteBytes(key, keyBytes);
            QVERIFY(program.Messages().last().contains(QString::fromStdU16String(key.u16string())));
            // The shift is closed all the same; its slip, as it was, is printed from the login.
            ProgramFixture::WhenOpen("LoginWindow", [&](ui::Form& login) {
                loginShown = true;
                print = true;
                QVERIFY(login.Control(forms::login_window::kReprintButton)->isVisibleTo(&login));
                Click(login, forms::login_window::kReprintButton);
                login.close();
            });
            Click(window, sw::kCloseButton);
        });
        Click(program.Main(), kShiftButton);
        QVERIFY(loginShown);
        QVERIFY(!OpenWindow(forms::MainWindow().name));
        QVERIFY(suggested.endsWith(QStringLiteral("/交班单.pdf")));
        // The slip as previewed: 80 mm wide (226.77 points), whatever paper the dialog put in.
        const std::string pdf =
            ReadBytes(program.Documents().path() / std::filesystem::path(u"交班单.pdf"));
        const std::size_t box = pdf.find("/MediaBox [0 0 ");
        QVERIFY(box != std::string::npos);
        QCOMPARE(qRound(std::stod(pdf.substr(box + 15, 10))), 227);
        const std::string journal = ReadBytes(folder / "journal-202405.txt");
        std::size_t at = 0;
        for (const char* entry : {"\t张三\t交班\t\t应收=110\t实收=100\t差额=-10\t",
                                  "\t张三\t退出登录\t\t", "\t\t打印\t\t单据=交班单\t"}) {
            at = journal.find(entry, at);
            QVERIFY2(at != std::string::npos, entry);
        }
        QVERIFY(journal.find("\t张三\t打印\t") == std::string::npos);
    }

    void menuEntriesFollowTheSelectedRowsState() {
        ProgramFixture program(std::string(kInUseA1) + "[X]\r\n状态=维修\r\n");
        QVERIFY(!program.ChooseFromRowMenu(-1, kStartEntry));  // no row selected: no menu
        QVERIFY(program.ChooseFromRowMenu(0, {}));
        QVERIFY(!program.Main().IsMenuEntryEnabled(kStartEntry));
        QVERIFY(program.Main().IsMenuEntryEnabled(kCheckoutEntry));
        QVERIFY(program.Main().IsMenuEntryEnabled(kSwitchEntry));
        QVERIFY(!program.Main().IsMenuEntryEnabled(kDeleteEntry));
        // Another state keeps what the menu showed before.
        QVERIFY(program.ChooseFromRowMenu(1, kStartEntry));
        QCOMPARE(program.MainCell(1, kColumnState), QStringLiteral("维修"));
        QVERIFY(program.Main().IsMenuEntryEnabled(kCheckoutEntry));
    }

    // As the platform's list: a click beside the rows clears the selection and shows no menu; the
    // menu key and Shift+F10 open the menu of the selected row.
    void rightClickBesideTheRowsClearsTheSelection() {
        ProgramFixture program(kIdleItems);
        auto* list = qobject_cast<QTableView*>(program.Main().Control(windows::kMainList));
        int shown = 0;
        ui::ChooseMenuEntriesWith([&](QMenu&) -> QAction* {
            ++shown;
            return nullptr;
        });
        list->setFocus();
        list->selectRow(1);
        for (const QKeyCombination key :
             {QKeyCombination(Qt::Key_Menu), QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)}) {
            QTest::keyClick(list, key.key(), key.keyboardModifiers());
        }
        QCOMPARE(shown, 2);
        QCOMPARE(program.Main().SelectedRow(windows::kMainList), 1);
        QVERIFY(!program.ChooseFromRowMenu(-1, kStartEntry));
        QCOMPARE(program.Main().SelectedRow(windows::kMainList), -1);
        QTest::keyClick(list, Qt::Key_Menu);
        QCOMPARE(shown, 2);
        QCOMPARE(ReadBytes(program.SettingsFile()), Gbk(kIdleItems));
    }

    // The file changed under the list: the next pass shows it and the selection stays on its
    // item. Changed by hand, not by a copy of Durava, the journal names it once.
    void theListFollowsTheFileAndKeepsTheSelectedItem() {
        ProgramFixture program(kIdleItems);
        program.Main().SelectRow(windows::kMainList, 1);
        WriteBytes(program.SettingsFile(), Gbk("[N]\r\n状态=空闲中\r\n" + kInUseA1 +
                                               ItemSection("A2").Tariff({.period = "60"}).Idle()));
        windows::RefreshPass(program.globals(), program.Main());
        windows::RefreshPass(program.globals(), program.Main());
        const std::string journal =
            ReadBytes(journal::DuravaFolder(program.SettingsFile()) / "journal-202405.txt");
        const std::size_t named = journal.find("\t设置文件被外部修改\t");
        QVERIFY(named != std::string::npos);
        QCOMPARE(journal.find("\t设置文件被外部修改\t", named + 1), std::string::npos);
        QCOMPARE(program.Main().RowCount(windows::kMainList), 3);
        QCOMPARE(program.MainCell(1, kColumnState), QStringLiteral("使用中"));
        QCOMPARE(program.MainCell(1, kColumnDuration), QStringLiteral("0 秒 "));
        QCOMPARE(program.Main().SelectedRow(windows::kMainList), 2);
        QCOMPARE(StateBackground(program, 1), std::optional(windows::kInUseBackground));
    }

    // A window opened without what its opener hands it: each handler that needs it does nothing,
    // and nothing is written or asked.
    void handlersOnAWindowWithoutItsStateDoNothing() {
        ProgramFixture program(kInUseA1);
        program.AnswerMessages(true);
        program.Main().SelectRow(windows::kMainList, 0);
        const std::string before = ReadBytes(program.SettingsFile());
        namespace op = forms::operation;
        const struct {
            const forms::Window& window;
            std::vector<std::string_view> operations;
        } cases[] = {
            {forms::CheckoutWindow(), {op::kConfirmCheckout}},
            {forms::SwitchWindow(), {op::kConfirmSwitch}},
            {forms::ShiftWindow(), {op::kCountCash, op::kCloseShift}},
            {forms::OwnerPrompt(), {op::kCheckOwnerPassword, op::kForgetOwnerPassword}},
            {forms::OwnerSettingsWindow(), {op::kSetOwnerPassword}},
        };
        for (const auto& c : cases) {
            const std::string name(c.window.name);
            bool opened = false;
            WhenOpenThenClose(name.c_str(), [&](ui::Form& window) {
                for (const std::string_view operation : c.operations) {
                    program.globals().handlers.Run(operation, window);
                }
                opened = true;
            });
            ui::Form::Open(c.window, program.globals().handlers, &program.Main());
            QVERIFY2(opened, name.c_str());
        }
        std::unique_ptr<ui::Form>(ui::Form::Open(forms::CheckWindow(), program.globals().handlers));
        // A main list without its state: filled, refreshed and started on, it stays empty.
        ui::Handlers none;
        std::unique_ptr<ui::Form> bare(ui::Form::Open(forms::MainWindow(), none));
        for (const std::string_view operation : {op::kFillItemList, op::kStartTiming}) {
            program.globals().handlers.Run(operation, *bare);
        }
        windows::RefreshPass(program.globals(), *bare);
        QCOMPARE(bare->RowCount(windows::kMainList), 0);
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
        QVERIFY(program.Messages().isEmpty());
    }

    // The window showed a use that another copy has billed meanwhile: no second record.
    void aCheckoutOfAUseEndedElsewhereRecordsNothing() {
        ProgramFixture program(kInUseA1);
        program.AnswerMessages(true);
        bool closed = false;
        OpenCheckout(program, {2024, 5, 6, 18, 31, 0}, [&](ui::Form& window) {
            WriteBytes(program.SettingsFile(), Gbk(kIdleItems));
            Confirm(window);
            closed = !window.isVisible();
        });
        QVERIFY(closed);
        QCOMPARE(
            program.Messages(),
            QStringList{"无法结账|项目【A1】已不在使用中，可能已在别处结账。\n没有写入记录。"});
        QVERIFY(!std::filesystem::exists(program.MonthFile()));
        QCOMPARE(program.MainCell(0, kColumnState), QStringLiteral("空闲中"));
    }

    // A settings file that is there but cannot be read (a folder or a FIFO in its place) is said
    // at start-up, and a save says why it cannot be kept; nothing blocks.
    void unreadableSettingsAreToldAtStartAndNoSaveIsKept() {
        using Prepare = std::function<void(const std::filesystem::path&)>;
        const Prepare unreadable[] = {
            [](const std::filesystem::path& documents) {
                std::filesystem::create_directory(documents / "ROOMSETTING.ini");
            },
#ifndef _WIN32
            [](const std::filesystem::path& documents) {
                QCOMPARE(::mkfifo((documents / "ROOMSETTING.ini").c_str(), 0600), 0);
            },
#endif
        };
        for (const Prepare& prepare : unreadable) {
            QStringList told;
            ui::AnswerMessagesWith([&told](const QString& caption, const QString& text) {
                told.append(caption + u'|' + text);
                return true;
            });
            ProgramFixture program(prepare, {2024, 5, 6, 18, 31, 0});
            QCOMPARE(told.size(), 1);
            QVERIFY(told[0].startsWith(u"无法读取设置文件|"));
            QCOMPARE(program.Main().RowCount(windows::kMainList), 0);
            program.AnswerMessages(true);
            WhenOpenThenClose("ItemDialog", [](ui::Form& w) {
                Type(w, item_dialog::kNameBox, QStringLiteral("D"));
                Click(w, item_dialog::kDefaultButton);
                Click(w, item_dialog::kSaveButton);
            });
            Click(program.Main(), kAddButton);
            QCOMPARE(program.Messages().size(), 1);
            QVERIFY(program.Messages()[0].startsWith(u"操作失败|无法读取设置文件"));
        }
    }

    void aCheckoutThatCannotBeRecordedLeavesTheItemInUse() {
        ProgramFixture program(kInUseA1);
        std::filesystem::create_directories(program.MonthFile());  // a folder in its place
        program.AnswerMessages(true);
        const std::string before = ReadBytes(program.SettingsFile());
        OpenCheckout(program, {2024, 5, 6, 18, 31, 0}, [](ui::Form& window) {
            Confirm(window);
            QVERIFY(window.isVisible());  // still open: the operator may try again
            window.close();
        });
        QCOMPARE(program.Messages().size(), 1);
        QVERIFY(program.Messages().first().contains(QStringLiteral("历史记录")));
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
        QCOMPARE(program.MainCell(0, kColumnState), QStringLiteral("使用中"));
    }

    void anUnreadableStartTimeIsShownNotBilled() {
        ProgramFixture program(InUseA1("2024/13/45 99:00:00"));
        windows::RefreshPass(program.globals(), program.Main());
        QCOMPARE(program.MainCell(0, kColumnDuration), QStringLiteral("开始时间有误"));
        QCOMPARE(program.MainCell(0, kColumnFee), QStringLiteral("无"));
    }

    void aMissingTariffShowsEmptyValuesAndCountsAsZero() {
        ProgramFixture program("[B]\r\n状态=使用中\r\n开始时间=2024/05/06 12:00:00\r\n");
        QCOMPARE(program.MainCell(0, windows::kColumnUnit), QStringLiteral(" 分钟"));
        windows::RefreshPass(program.globals(), program.Main());
        QCOMPARE(program.MainCell(0, kColumnFee), QStringLiteral("0"));
    }

    void theStateCellIsPaintedInItsColourAndItsNeighbourIsNot() {
        ProgramFixture program(kInUseA1);
        auto* list = qobject_cast<QTableView*>(program.Main().Control(windows::kMainList));
        program.Main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.Main()));
        list->clearSelection();
        const QImage picture = list->viewport()->grab().toImage();
        const QPoint state = list->visualRect(list->model()->index(0, kColumnState)).center();
        const QPoint name = list->visualRect(list->model()->index(0, 1)).center();
        QCOMPARE(picture.pixelColor(state.x() - 30, state.y()), QColor(179, 225, 157));
        QCOMPARE(picture.pixelColor(name.x() - 40, name.y()),
                 list->palette().color(QPalette::Base));
    }
};

}  // namespace durava::testing

QTEST_MAIN(durava::testing::RoadTest)
#include "road_test.moc"
