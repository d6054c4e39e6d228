// SPDX-License-Identifier: MIT
// Writes a PNG of each window as the program shows them, and of a receipt's print preview,, on a
// sample Documents folder, for looking at the layout without a screen:
//   QT_QPA_PLATFORM=offscreen durava_screenshots <folder>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <functional>

#include "app/program.h"
#include "core/codepage.h"
#include "core/datetime.h"
#include "core/fixedtexts.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "journal/files/ourfiles.h"
#include "operations/operations.h"
#include "people/operators.h"
#include "people/owner.h"
#include "people/protection.h"
#include "ui/appearance.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/screenconversion.h"
#include "windows/history/checkout.h"
#include "windows/history/takingswindow.h"
#include "windows/items/itemdialog.h"
#include "windows/items/switchitem.h"
#include "windows/main/mainwindow.h"
#include "windows/trust/checkwindow.h"
#include "windows/trust/login.h"
#include "windows/trust/ownerprompt.h"
#include "windows/trust/ownersettings.h"

namespace {

using durava::core::WideToText;
using durava::ui::Form;
namespace forms = durava::forms;

constexpr char16_t kSettings[] =
    u"[A1]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=使用中\r\n"
    u"开始时间=2024/05/06 13:00:00\r\n[A2]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n"
    u"超时单价=20\r\n状态=空闲中\r\n开始时间=无\r\n[包间1]\r\n初始时段=120\r\n初始费用=50\r\n"
    u"最小单位=15\r\n超时单价=40\r\n状态=使用中\r\n开始时间=2024/05/06 18:30:15\r\n[包间2]\r\n"
    u"初始时段=120\r\n初始费用=50\r\n最小单位=15\r\n超时单价=40\r\n状态=空闲中\r\n开始时间=无\r\n";
constexpr char16_t kRecord[] =
    u"A1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 分 0 秒@4 小时 0 分@1 时 31 分@30 分钟@"
    u"20 元 / 小时@70 元@40 元@￥110 元\r\n";
// A few more days of May, so that the takings chart has bars to show, and one record whose
// start time could not be read.
constexpr char16_t kMoreOfMay[] =
    u"包间1@2024/05/01 19:00:00@2024/05/01 23:10:00@4 时 10 分 0 秒@2 小时 0 分@2 时 10 分@15 分钟@"
    u"40 元 / 小时@50 元@90 元@￥140 元\r\n"
    u"A2@2024/05/02 14:00:00@2024/05/02 16:00:00@2 时 0 分 0 秒@4 小时 0 分@未超时@30 分钟@"
    u"20 元 / 小时@70 元@0 元@￥70 元\r\n"
    u"包间2@2024/05/03 12:00:00@2024/05/03 20:30:00@8 时 30 分 0 秒@2 小时 0 分@6 时 30 分@15 分钟@"
    u"40 元 / 小时@50 元@260 元@￥310 元\r\n"
    u"A2@2024/05/04 10:00:00@2024/05/04 17:20:00@7 时 20 分 0 秒@4 小时 0 分@3 时 20 分@30 分钟@"
    u"20 元 / 小时@70 元@70 元@￥140 元\r\n"
    u"A2@2024/05/05 坏@2024/05/05 18:00:00@开始时间有误@4 小时 0 分@开始时间有误@30 分钟@"
    u"20 元 / 小时@70 元@开始时间有误@开始时间有误\r\n"
    // One very large day, which must leave the other bars readable.
    u"包间2@2024/05/05 10:00:00@2024/05/05 22:00:00@12 时 0 分 0 秒@2 小时 0 分@10 时 0 分@15 分钟@"
    u"40 元 / 小时@50 元@5000020670 元@￥5000020720 元\r\n";

void Write(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// Saves the window named `name` once its created handler has run and `prepare` has acted on it
// as an operator would, then `finish` ends it, or it is closed. A window that opens only once
// another has closed is looked for again at once, for up to two seconds: caught any later than
// as it shows, its edit box would show the text cursor.
void CaptureWhenOpen(const QString& name, const QString& file, bool& saved,
                     const std::function<void(Form&)>& prepare = {},
                     const std::function<void(Form&)>& finish = {},
                     QDeadlineTimer lookUntil = QDeadlineTimer(2000)) {
    QTimer::singleShot(0, [=, &saved] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == name && window->isVisible()) {
                auto* form = qobject_cast<Form*>(window);
                if (prepare) prepare(*form);
                saved = window->grab().save(file) && saved;
                if (finish) {
                    finish(*form);
                } else {
                    window->close();
                }
                return;
            }
        }
        if (lookUntil.hasExpired()) {
            saved = false;
        } else {
            CaptureWhenOpen(name, file, saved, prepare, finish, lookUntil);
        }
    });
}

constexpr char16_t kOwnerPassword[] = u"shop-owner-1";

// The owner sets a password and two operators take turns, as the owner's settings make them.
void MakeTheDeskTheOwners(durava::windows::Globals& globals) {
    namespace journal = durava::journal;
    namespace people = durava::people;
    const std::filesystem::path folder = journal::DuravaFolder(globals.app.SettingsPath());
    const std::optional<people::NewPassword> password = people::MakePassword(kOwnerPassword);
    people::SetOwnerPassword(folder, *password);
    globals.journal->StartChain(password->firstJournalKey, journal::ChainReason::OwnerPassword,
                                durava::core::CurrentTime(), {});
    people::Operators operators;
    operators.Add(u"张三", *journal::HashSecret(u"2468", journal::kCheapestCost));
    operators.Add(u"李四", *journal::HashSecret(u"1357", journal::kCheapestCost));
    people::WriteOperators(folder, operators);
}

// Later that evening: a tariff changed and a checkout, both journaled; then the checkout's total
// lowered and a record added by hand, and the clock set back: what the owner's check is there to
// find.
void TamperWithMay(durava::windows::Globals& globals) {
    namespace operations = durava::operations;
    durava::core::SetClock([] { return durava::core::ToDateTime({2024, 5, 6, 19, 0, 0}); });
    operations::Store store = globals.Store();
    operations::SaveItem(store, "A2", {"240", "60", "30", "15"});
    operations::Checkout(store, operations::ComputeBill(globals.app.Settings, WideToText(u"包间1"),
                                                        durava::core::CurrentTime()));
    const std::filesystem::path may = globals.app.HistoryFolder / "202405.QY.txt";
    std::string bytes;
    {
        std::ifstream in(may, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::string total = WideToText(u"@￥50 元\r\n");
    bytes.replace(bytes.rfind(total), total.size(), WideToText(u"@￥5 元\r\n"));
    bytes += WideToText(
        u"A2@2024/05/06 18:35:00@2024/05/06 18:55:00@0 时 20 分 0 秒@4 小时 0 分@未超时@30 分钟@"
        u"15 元 / 小时@60 元@0 元@￥60 元\r\n");
    std::ofstream(may, std::ios::binary) << bytes;
    globals.JournalEvent({durava::journal::Action::ClockBack,
                          durava::core::CurrentTime(),
                          {},
                          {},
                          {{durava::journal::Field::From, "2024/05/06 19:05:00"},
                           {durava::journal::Field::To, "2024/05/06 19:00:00"}}});
}

void Type(Form& window, forms::EditName box, std::u16string_view text) {
    window.SetText(box, WideToText(text));
}

// The owner's and the operators' windows, once the owner has set a password.
void CaptureTheOwnersWindows(durava::windows::Globals& globals, Form& main, const QDir& out,
                             bool& saved) {
    MakeTheDeskTheOwners(globals);
    CaptureWhenOpen(QStringLiteral("OwnerSettingsWindow"),
                    out.filePath(QStringLiteral("owner.png")), saved);
    // With operators and nobody on duty, the login follows the settings: 张三 logs in.
    CaptureWhenOpen(
        QStringLiteral("LoginWindow"), out.filePath(QStringLiteral("login.png")), saved,
        [](Form& login) { Type(login, forms::login_window::kPinBox, u"2468"); },
        [](Form& login) { login.Control(forms::login_window::kLoginButton)->click(); });
    durava::windows::OpenOwnerSettings(globals, false);
    saved = main.grab().save(out.filePath(QStringLiteral("main-onduty.png"))) && saved;
    CaptureWhenOpen(QStringLiteral("OwnerPrompt"), out.filePath(QStringLiteral("ownerprompt.png")),
                    saved);
    durava::windows::OwnerAllows(globals, durava::people::OwnerAction::ModifyItem);

    TamperWithMay(globals);
    // 张三 counts 40 yuan where 50 were taken: the difference shows red.
    CaptureWhenOpen(QStringLiteral("ShiftWindow"), out.filePath(QStringLiteral("shift.png")), saved,
                    [&globals](Form& shift) {
                        Type(shift, forms::shift_window::kCountedBox, u"40");
                        globals.handlers.Run(forms::operation::kCountCash, shift);
                    });
    globals.handlers.Run(forms::operation::kOpenShiftClose, main);
    durava::windows::OpenTakingsWindow(globals,
                                       durava::history::MonthFile(std::string("202405.QY.txt")));
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != QStringLiteral("TakingsWindow")) continue;
        QTimer::singleShot(0, [] {
            for (QWidget* prompt : QApplication::topLevelWidgets()) {
                if (prompt->objectName() != QStringLiteral("OwnerPrompt")) continue;
                auto* form = qobject_cast<Form*>(prompt);
                Type(*form, forms::owner_prompt::kPasswordBox, kOwnerPassword);
                form->Control(forms::owner_prompt::kConfirmButton)->click();
            }
        });
        globals.handlers.Run(forms::operation::kOpenCheck, *qobject_cast<Form*>(window));
        // The check runs on a thread of its own; its window tells it is done.
        QWidget* check = nullptr;
        while (!check) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            for (QWidget* shown : QApplication::topLevelWidgets()) {
                if (shown->objectName() == QStringLiteral("CheckWindow") && shown->isVisible()) {
                    check = shown;
                }
            }
        }
        saved = check->grab().save(out.filePath(QStringLiteral("check.png"))) && saved;
        delete check;
        delete window;
        break;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    durava::ui::SetUpAppearance();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    QTemporaryDir documents;
    if (!out.mkpath(QStringLiteral(".")) || !documents.isValid()) {
        std::fputs("cannot create the folders for the screenshots\n", stderr);
        return 1;
    }
    QDir(documents.path()).mkpath(QStringLiteral("History"));
    Write(documents.filePath(QStringLiteral("ROOMSETTING.ini")), WideToText(kSettings));
    const std::string record = WideToText(kRecord);
    Write(documents.filePath(QStringLiteral("History/202404.QY.txt")), record);
    Write(documents.filePath(QStringLiteral("History/202405.QY.txt")),
          WideToText(kMoreOfMay) + record + record + record);
    durava::core::SetClock([] { return durava::core::ToDateTime({2024, 5, 6, 18, 31, 0}); });

    durava::windows::Globals globals;
    globals.app =
        durava::store::StartUp(durava::store::DocumentsFolder(documents.path().toStdU16String()));
    durava::app::RegisterHandlers(globals);
    Form* main = Form::Open(forms::MainWindow(), globals.handlers);
    bool saved = main->grab().save(out.filePath(QStringLiteral("main.png")));

    CaptureWhenOpen(QStringLiteral("CheckoutWindow"), out.filePath(QStringLiteral("checkout.png")),
                    saved);
    durava::windows::OpenCheckoutWindow(globals, *main, "A1");
    CaptureWhenOpen(QStringLiteral("ItemDialog"), out.filePath(QStringLiteral("item.png")), saved);
    durava::windows::OpenModifyDialog(globals, *main, "A2");
    // The operator's choice of the item to move to enables the button.
    CaptureWhenOpen(
        QStringLiteral("SwitchWindow"), out.filePath(QStringLiteral("switch.png")), saved,
        [](Form& window) {
            auto* items = qobject_cast<QComboBox*>(window.Control(forms::switch_window::kChoices));
            items->setCurrentIndex(0);
            emit items->activated(0);
        });
    durava::windows::OpenSwitchWindowFrom(globals, *main, "A1");

    // The one question the program asks, answered with Cancel.
    CaptureWhenOpen(QStringLiteral("MessageBox"), out.filePath(QStringLiteral("message.png")),
                    saved);
    durava::ui::ShowMessage(main, durava::core::Fixed(u"操作警告："),
                            WideToText(u"是否删除 [ A2 ] 项目"), durava::ui::Buttons::OkCancel);

    Form* history = Form::Open(forms::HistoryWindow(), globals.handlers, main);
    qobject_cast<QListWidget*>(history->Control(forms::history_window::kMonthList))
        ->setCurrentRow(1);
    saved = history->grab().save(out.filePath(QStringLiteral("history.png"))) && saved;

    globals.handlers.Run(forms::operation::kOpenTakings, *history);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != QStringLiteral("TakingsWindow")) continue;
        auto* takings = qobject_cast<Form*>(window);
        saved = window->grab().save(out.filePath(QStringLiteral("takings.png"))) && saved;
        // The year and a span are read on a thread of their own; their title tells they are in.
        const auto view = [&](std::string_view operation, const QString& title, const char* file) {
            globals.handlers.Run(operation, *takings);
            while (durava::ui::ToScreen(takings->Text(forms::takings_window::kMonthLabel)) !=
                   title) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            }
            saved = window->grab().save(out.filePath(QString::fromLatin1(file))) && saved;
        };
        view(forms::operation::kShowTakingsYear, QStringLiteral("2024"), "takings-year.png");
        takings->SetText(forms::takings_window::kRangeFromBox, "2024/04/28");
        view(forms::operation::kShowTakingsRange, QStringLiteral("04/28～05/06"),
             "takings-range.png");
        CaptureWhenOpen(QStringLiteral("PrintPreview"), out.filePath(QStringLiteral("dayslip.png")),
                        saved);
        globals.handlers.Run(forms::operation::kPrintDaySlip, *takings);
        delete window;
        break;
    }
    auto* records = qobject_cast<QTableView*>(history->Control(forms::history_window::kMonthTable));
    records->selectRow(0);
    CaptureWhenOpen(QStringLiteral("PrintPreview"), out.filePath(QStringLiteral("receipt.png")),
                    saved);
    globals.handlers.Run(forms::operation::kPrintReceipt, *history);
    delete history;
    CaptureTheOwnersWindows(globals, *main, out, saved);
    delete main;
    if (!saved) std::fputs("a screenshot could not be written\n", stderr);
    return saved ? 0 : 1;
}
