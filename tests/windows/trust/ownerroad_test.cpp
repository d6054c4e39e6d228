// SPDX-License-Identifier: MIT
// The owner's road: a password set, an operator added, a login, an owner-only action asked for,
// and a check that reads all of it clean.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "audit/check.h"
#include "core/codepage.h"
#include "forms/formnames.h"
#include "journal/files/ourfiles.h"
#include "people/operators.h"
#include "people/owner.h"
#include "people/protection.h"
#include "support/program_fixture.h"
#include "support/settings_sections.h"
#include "support/temp_folder.h"
#include "ui/form.h"
#include "ui/screenconversion.h"
#include "ui/widgets/statusbar.h"
#include "ui/windowstate.h"
#include "windows/main/liststate.h"
#include "windows/trust/login.h"
#include "windows/trust/ownerprompt.h"
#include "windows/trust/ownersettings.h"

namespace durava::testing {
namespace {

namespace os = forms::owner_settings;
namespace lw = forms::login_window;
namespace op = forms::owner_prompt;

const std::string kItems = ItemSection("A1").Tariff(kDefaultTariff).Idle();
constexpr char16_t kPassword[] = u"shop-owner-1";
constexpr char16_t kChanged[] = u"shop-owner-2";

// The two stores and the Durava folder, as a copy of the Documents folder taken while the program
// runs: the lock file beside the settings file, which Windows keeps from being read, stays behind.
void CopyStores(const std::filesystem::path& from, const std::filesystem::path& to) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(from)) {
        const std::filesystem::path target = to / entry.path().lexically_relative(from);
        if (entry.is_directory()) {
            std::filesystem::create_directories(target);
        } else if (entry.path().extension() != ".lock") {
            std::filesystem::copy_file(entry.path(), target,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
}

void Type(ui::Form& window, forms::EditName box, std::u16string_view text) {
    window.SetText(box, core::WideToText(text));
}

// The label's text once background work has put one there.
QString AwaitText(ui::Form& window, forms::LabelName label) {
    if (!QTest::qWaitFor([&] { return !window.Text(label).empty(); }, 20000)) return {};
    return ui::ToScreen(window.Text(label));
}

std::string Journal(ProgramFixture& program) {
    return ReadBytes(journal::DuravaFolder(program.SettingsFile()) / "journal-202405.txt");
}

int Count(const std::string& text, std::string_view part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A fault is red, what was done in the window's own colour.
bool SaidInRed(ui::Form& window, forms::LabelName line) {
    QLabel* label = window.Control(line);
    label->ensurePolished();
    return label->palette().color(label->foregroundRole()) == QColor(Qt::red);
}

// As the operator does: the secret typed, then Return in its box; or, with nothing, 确定 clicked,
// which then has the focus. The box is emptied and has the focus for the next try.
QString Try(ui::Form& window, forms::EditName box, forms::LabelName message,
            std::u16string_view typed, forms::ButtonName confirm) {
    window.SetText(message, "");
    Type(window, box, typed);
    if (typed.empty()) {
        window.Control(confirm)->setFocus();
        Click(window, confirm);
    } else {
        QTest::keyClick(window.Control(box), Qt::Key_Return);
    }
    const QString told = AwaitText(window, message);
    if (!window.Text(box).empty() || window.focusWidget() != window.Control(box)) {
        return QStringLiteral("the box is not ready for the next try: ") + told;
    }
    return told;
}

QString TryPin(ui::Form& login, std::u16string_view pin) {
    return Try(login, lw::kPinBox, lw::kMessageLabel, pin, lw::kLoginButton);
}

class OwnerTest : public QObject {
    Q_OBJECT
  private slots:
    // Nothing asks while no password is set; the owner's settings then make the desk the owner's.
    void theOwnersRoadReadsClean() {
        ProgramFixture program(kItems);
        program.AnswerMessages(true);
        QVERIFY(windows::OwnerAllows(program.globals(), people::OwnerAction::ModifyItem));
        QVERIFY(windows::LogIn(program.globals()));

        ProgramFixture::WhenOpen("OwnerSettingsWindow", [](ui::Form& window) {
            QVERIFY(!window.IsEnabled(os::kAddButton));
            Type(window, os::kNewPasswordBox, u"short");
            Type(window, os::kRepeatBox, u"short");
            Click(window, os::kPasswordButton);
            QVERIFY(AwaitText(window, os::kMessageLabel).contains(QStringLiteral("至少")));
            QVERIFY(SaidInRed(window, os::kMessageLabel));
            Type(window, os::kNewPasswordBox, kPassword);
            Type(window, os::kRepeatBox, kPassword);
            window.SetText(os::kMessageLabel, "");
            QTest::keyClick(window.Control(os::kRepeatBox), Qt::Key_Return);
            QVERIFY(AwaitText(window, os::kMessageLabel).contains(QStringLiteral("已设置")));
            QVERIFY(!SaidInRed(window, os::kMessageLabel));
            QVERIFY(window.IsEnabled(os::kAddButton));
            Type(window, os::kNameBox, u"张三");
            Type(window, os::kPinBox, u"12a");
            window.SetText(os::kMessageLabel, "");
            Click(window, os::kAddButton);
            QVERIFY(AwaitText(window, os::kMessageLabel).contains(QStringLiteral("数字")));
            QVERIFY(SaidInRed(window, os::kMessageLabel));
            Type(window, os::kPinBox, u"2468");
            window.SetText(os::kMessageLabel, "");
            Click(window, os::kAddButton);
            QCOMPARE(AwaitText(window, os::kMessageLabel), QStringLiteral("操作员已添加。"));
            QVERIFY(!SaidInRed(window, os::kMessageLabel));
            // The operator counts at once: the desk is theirs, and the login opens.
            ProgramFixture::WhenOpen("LoginWindow", [](ui::Form& login) {
                QCOMPARE(ui::ToScreen(login.SelectedText(lw::kOperatorChoice)),
                         QStringLiteral("张三"));
                QVERIFY(!login.Control(lw::kReprintButton)->isVisibleTo(&login));
                QVERIFY(TryPin(login, u"1357").contains(QStringLiteral("不对")));
                Type(login, lw::kPinBox, u"2468");
                QTest::keyClick(login.Control(lw::kPinBox), Qt::Key_Return);
            });
            window.close();
        });
        QVERIFY(windows::OpenOwnerSettings(program.globals(), false));
        ui::StatusBar& bar = *ui::Kept<windows::ListState>(program.Main())->statusBar;
        QCOMPARE(ui::ToScreen(bar.Part(forms::main_window::kOnDutyPart)), QStringLiteral("张三"));
        QVERIFY(
            program.Main().Control(forms::main_window::kShiftButton)->isVisibleTo(&program.Main()));

        // An owner-only action: a wrong password is told and journaled, nothing typed is only told,
        // the right one lets it on.
        ProgramFixture::WhenOpen("OwnerPrompt", [](ui::Form& prompt) {
            QVERIFY(
                ui::ToScreen(prompt.Text(op::kAskLabel)).startsWith(QStringLiteral("修改项目")));
            const auto tried = [&](std::u16string_view typed) {
                return Try(prompt, op::kPasswordBox, op::kMessageLabel, typed, op::kConfirmButton);
            };
            QVERIFY(tried(u"wrong-guess").contains(QStringLiteral("不对")));
            QCOMPARE(tried(u""), QStringLiteral("请输入店主密码。"));
            Type(prompt, op::kPasswordBox, kPassword);
            QTest::keyClick(prompt.Control(op::kPasswordBox), Qt::Key_Return);
        });
        QVERIFY(windows::OwnerAllows(program.globals(), people::OwnerAction::ModifyItem));
        // 切换项目 is not the owner's until the owner says so: it asks nothing.
        QVERIFY(windows::OwnerAllows(program.globals(), people::OwnerAction::Switch));

        QVERIFY(program.ChooseFromRowMenu(0, forms::main_window::kStartEntry));
        // From the password on, an action the journal cannot hold is refused.
        QVERIFY(program.globals().journaling->required);

        const std::string journal = Journal(program);
        for (const char* entry : {"=店主设置了密码", "\t操作员变更\t张三\t", "\t密码错误\t\t",
                                  "\t密码错误\t张三\t", "\t张三\t登录\t", "\t张三\t开始计时\tA1"}) {
            QVERIFY2(journal.find(entry) != std::string::npos, entry);
        }
        QCOMPARE(Count(journal, "\t密码错误\t"), 2);  // nothing typed is not a try
        // A changed password still checks the whole journal: the chain of the first one too.
        ProgramFixture::WhenOpen("OwnerSettingsWindow", [](ui::Form& window) {
            Type(window, os::kOldPasswordBox, kPassword);
            Type(window, os::kNewPasswordBox, kChanged);
            Type(window, os::kRepeatBox, kChanged);
            Click(window, os::kPasswordButton);
            QCOMPARE(AwaitText(window, os::kMessageLabel),
                     QStringLiteral("店主密码已更改。请记住它：忘记了无法找回。"));
            window.close();
        });
        QVERIFY(windows::OpenOwnerSettings(program.globals(), false));
        QVERIFY(Journal(program).find("=店主更改了密码") != std::string::npos);
        const journal::FileRead<people::Owner> owner =
            people::ReadOwner(journal::DuravaFolder(program.SettingsFile()));
        QVERIFY(owner.content);
        const std::optional<journal::JournalKey> key =
            journal::DeriveJournalKey(kChanged, owner.content->journalSalt);
        const audit::CheckReport check =
            audit::CheckJournal({program.globals().app.HistoryFolder,
                                 journal::DuravaFolder(program.SettingsFile()),
                                 {2024, 5, 6},
                                 {2024, 5, 6},
                                 key,
                                 owner.content->EarlierKeys(*key)});
        QVERIFY(audit::IsClean(check));
        QVERIFY(check.ownerChecked);
        QCOMPARE(check.entriesUnchecked, 0u);

        // A forgotten password: the owner sets a new one without the old, and a new chain begins.
        ProgramFixture::WhenOpen("OwnerPrompt", [](ui::Form& prompt) {
            Click(prompt, op::kForgotButton);
            ProgramFixture::WhenOpen("OwnerSettingsWindow", [](ui::Form& window) {
                QVERIFY(!window.IsEnabled(os::kOldPasswordBox));
                Type(window, os::kNewPasswordBox, u"new-owner-2");
                Type(window, os::kRepeatBox, u"new-owner-2");
                Click(window, os::kPasswordButton);
                QVERIFY(AwaitText(window, os::kMessageLabel).contains(QStringLiteral("已设置")));
                window.close();
            });
        });
        QVERIFY(windows::OwnerAllows(program.globals(), people::OwnerAction::DeleteItem));
        QVERIFY(Journal(program).find("=店主重新开始") != std::string::npos);
        // Whoever types the password it replaced next hears of the start over.
        ProgramFixture::WhenOpen("OwnerPrompt", [](ui::Form& prompt) {
            QVERIFY(Try(prompt, op::kPasswordBox, op::kMessageLabel, kChanged, op::kConfirmButton)
                        .startsWith(QStringLiteral("店主密码已于 2024/05/06 ")));
            QVERIFY(TextOf(prompt, op::kMessageLabel).endsWith(QStringLiteral(" 被重设")));
            prompt.close();
        });
        QVERIFY(!windows::OwnerAllows(program.globals(), people::OwnerAction::DeleteItem));
    }

    // Five wrong PINs in a row and the desk waits, through a restart too; a try during the wait is
    // refused unchecked, and journaled so, never as a wrong one; nothing typed is not a try.
    void wrongPinsMakeTheDeskWaitThroughARestart() {
        const TempFolder kept;  // the Documents folder between the two runs
        {
            ProgramFixture program(kItems);
            const std::filesystem::path durava = journal::DuravaFolder(program.SettingsFile());
            QCOMPARE(people::SetOwnerPassword(
                         durava, *people::MakePassword(kPassword, journal::kCheapestCost)),
                     std::nullopt);
            people::Operators operators;
            QVERIFY(!operators.Add(u"张三", *journal::HashSecret(u"2468", journal::kCheapestCost)));
            QCOMPARE(people::WriteOperators(durava, operators), journal::FileState::Ok);
            ProgramFixture::WhenOpen("LoginWindow", [](ui::Form& login) {
                for (int tries = 1; tries <= 4; ++tries) {
                    QVERIFY(TryPin(login, u"1111").contains(QStringLiteral("不对")));
                }
                QCOMPARE(TryPin(login, u""), QStringLiteral("请输入密码。"));
                QCOMPARE(TryPin(login, u"1111"),
                         QStringLiteral("密码连续输错 5 次，请等 30 秒后再试。"));
                QCOMPARE(TryPin(login, u"2468"),
                         QStringLiteral("输错次数太多，请等 30 秒后再试。"));
                login.close();
            });
            QVERIFY(!windows::LogIn(program.globals()));
            CopyStores(program.Documents().path(), kept.path());
        }
        // Started again 5 seconds on: the login opens on the wait, and the right PIN waits too.
        ProgramFixture program(
            [&](const std::filesystem::path& documents) { CopyStores(kept.path(), documents); },
            {2024, 5, 6, 13, 0, 5});
        const auto refusedOnOpening = [](const char* wait) {
            ProgramFixture::WhenOpen("LoginWindow", [wait](ui::Form& login) {
                const QString told = QStringLiteral("输错次数太多，请等 %1 秒后再试。").arg(wait);
                QCOMPARE(TextOf(login, lw::kMessageLabel), told);
                QCOMPARE(TryPin(login, u"2468"), told);
                login.close();
            });
        };
        refusedOnOpening("25");
        QVERIFY(!windows::LogIn(program.globals()));
        // The clock set back an hour: the wait is no longer than a whole one from then.
        program.SetNow({2024, 5, 6, 12, 0, 5});
        refusedOnOpening("30");
        QVERIFY(!windows::LogIn(program.globals()));
        program.SetNow({2024, 5, 6, 12, 0, 35});
        ProgramFixture::WhenOpen("LoginWindow", [](ui::Form& login) {
            QCOMPARE(TextOf(login, lw::kMessageLabel), QString());
            Type(login, lw::kPinBox, u"2468");
            QTest::keyClick(login.Control(lw::kPinBox), Qt::Key_Return);
        });
        QVERIFY(windows::LogIn(program.globals()));

        const std::string journal = Journal(program);
        QCOMPARE(Count(journal, "\t密码错误\t张三\t内容=PIN\t"), 5);
        QCOMPARE(Count(journal, "\t密码错误\t张三\t内容=PIN\t原因=连续输错 5 次，等待 30 秒\t"), 1);
        QCOMPARE(Count(journal, "\t操作被拒\t张三\t内容=PIN\t原因=等待中，未核对\t"), 3);
        QCOMPARE(Count(journal, "\t张三\t登录\t"), 1);
    }

    // Operators emptied behind the owner's back: the desk stays shut to them, and only the owner's
    // password opens, on the owner's settings, where the owner adds an operator again.
    void anEmptiedOperatorsFileOpensOnlyTheOwnersSettings() {
        ProgramFixture program(kItems);
        const std::filesystem::path durava = journal::DuravaFolder(program.SettingsFile());
        QCOMPARE(people::SetOwnerPassword(durava,
                                          *people::MakePassword(kPassword, journal::kCheapestCost)),
                 std::nullopt);
        people::Operators operators;
        QVERIFY(!operators.Add(u"张三", *journal::HashSecret(u"2468", journal::kCheapestCost)));
        QCOMPARE(people::SaveOperators(durava, operators), std::nullopt);
        WriteBytes(people::OperatorsFile(durava), "");
        program.AnswerMessages(true);
        QVERIFY(!windows::OwnerAllows(program.globals(), people::OwnerAction::AddItem));
        QVERIFY(!windows::AskOwnerPassword(program.globals(), "check").allowed);
        ProgramFixture::WhenOpen("OwnerPrompt", [](ui::Form& prompt) { prompt.close(); });
        QVERIFY(!windows::LogIn(program.globals()));
        QCOMPARE(program.Messages().size(), 3);
        for (const QString& message : program.Messages()) {
            QVERIFY2(message.contains(QStringLiteral("operators.txt")), qPrintable(message));
        }
        ProgramFixture::WhenOpen("OwnerPrompt", [](ui::Form& prompt) {
            Type(prompt, op::kPasswordBox, kPassword);
            QTest::keyClick(prompt.Control(op::kPasswordBox), Qt::Key_Return);
            ProgramFixture::WhenOpen("OwnerSettingsWindow", [](ui::Form& window) {
                Type(window, os::kNameBox, u"李四");
                Type(window, os::kPinBox, u"1357");
                Click(window, os::kAddButton);
                QCOMPARE(AwaitText(window, os::kMessageLabel), QStringLiteral("操作员已添加。"));
                ProgramFixture::WhenOpen("LoginWindow", [](ui::Form& login) {
                    login.SelectEntry(lw::kOperatorChoice, 0);
                    Type(login, lw::kPinBox, u"1357");
                    QTest::keyClick(login.Control(lw::kPinBox), Qt::Key_Return);
                });
                window.close();
            });
        });
        QVERIFY(windows::LogIn(program.globals()));
        QCOMPARE(Count(Journal(program), "\t李四\t登录\t"), 1);
    }

    // The owner's file damaged: every protected action is refused with a message naming it, and
    // the desk does not open on a login it cannot check.
    void aDamagedOwnersFileRefusesAndNamesIt() {
        ProgramFixture program(
            [](const std::filesystem::path& documents) {
                WriteBytes(documents / "ROOMSETTING.ini", Gbk(kItems));
                std::filesystem::create_directory(documents / "Durava");
                WriteBytes(documents / "Durava" / "owner.txt", "not what Durava writes\r\n");
            },
            {2024, 5, 6, 13, 0, 0});
        program.AnswerMessages(true);
        QVERIFY(!windows::OwnerAllows(program.globals(), people::OwnerAction::AddItem));
        QVERIFY(!windows::LogIn(program.globals()));
        QCOMPARE(program.Messages().size(), 2);
        for (const QString& message : program.Messages()) {
            QVERIFY2(message.contains(QStringLiteral("owner.txt")), qPrintable(message));
        }
    }
};

}  // namespace
}  // namespace durava::testing

QTEST_MAIN(durava::testing::OwnerTest)
#include "ownerroad_test.moc"
