// SPDX-License-Identifier: MIT
// The owner's road: a password set, an operator added, a login, an owner-only action asked for,
// and a check that reads all of it clean.
#include <QAbstractButton>
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
            Type(window, os::kNewPasswordBox, kPassword);
            Type(window, os::kRepeatBox, kPassword);
            window.SetText(os::kMessageLabel, "");
            Click(window, os::kPasswordButton);
            QVERIFY(AwaitText(window, os::kMessageLabel).contains(QStringLiteral("已设置")));
            QVERIFY(window.IsEnabled(os::kAddButton));
            Type(window, os::kNameBox, u"张三");
            Type(window, os::kPinBox, u"12a");
            window.SetText(os::kMessageLabel, "");
            Click(window, os::kAddButton);
            QVERIFY(AwaitText(window, os::kMessageLabel).contains(QStringLiteral("数字")));
            Type(window, os::kPinBox, u"2468");
            window.SetText(os::kMessageLabel, "");
            Click(window, os::kAddButton);
            QCOMPARE(AwaitText(window, os::kMessageLabel), QStringLiteral("操作员已添加。"));
            window.close();
        });
        QVERIFY(windows::OpenOwnerSettings(program.globals(), false));

        // An owner-only action: a wrong password is told and journaled, the right one lets it on.
        ProgramFixture::WhenOpen("OwnerPrompt", [](ui::Form& prompt) {
            QVERIFY(
                ui::ToScreen(prompt.Text(op::kAskLabel)).startsWith(QStringLiteral("修改项目")));
            Type(prompt, op::kPasswordBox, u"wrong-guess");
            Click(prompt, op::kConfirmButton);
            QVERIFY(AwaitText(prompt, op::kMessageLabel).contains(QStringLiteral("不对")));
            Type(prompt, op::kPasswordBox, kPassword);
            Click(prompt, op::kConfirmButton);
        });
        QVERIFY(windows::OwnerAllows(program.globals(), people::OwnerAction::ModifyItem));
        // 切换项目 is not the owner's until the owner says so: it asks nothing.
        QVERIFY(windows::OwnerAllows(program.globals(), people::OwnerAction::Switch));

        // The operator logs in: the status bar names them and 交班 shows.
        ProgramFixture::WhenOpen("LoginWindow", [](ui::Form& login) {
            QCOMPARE(ui::ToScreen(login.SelectedText(lw::kOperatorChoice)), QStringLiteral("张三"));
            Type(login, lw::kPinBox, u"1357");
            Click(login, lw::kLoginButton);
            QVERIFY(AwaitText(login, lw::kMessageLabel).contains(QStringLiteral("不对")));
            Type(login, lw::kPinBox, u"2468");
            Click(login, lw::kLoginButton);
        });
        QVERIFY(windows::LogIn(program.globals()));
        ui::StatusBar& bar = *ui::Kept<windows::ListState>(program.Main())->statusBar;
        QCOMPARE(ui::ToScreen(bar.Part(forms::main_window::kOnDutyPart)), QStringLiteral("张三"));
        QVERIFY(
            program.Main().Control(forms::main_window::kShiftButton)->isVisibleTo(&program.Main()));
        QVERIFY(program.ChooseFromRowMenu(0, forms::main_window::kStartEntry));
        // From the password on, an action the journal cannot hold is refused.
        QVERIFY(program.globals().journaling->required);

        const std::string journal = Journal(program);
        for (const char* entry : {"=店主设置了密码", "\t操作员变更\t张三\t", "\t密码错误\t\t",
                                  "\t密码错误\t张三\t", "\t张三\t登录\t", "\t张三\t开始计时\tA1"}) {
            QVERIFY2(journal.find(entry) != std::string::npos, entry);
        }
        // A changed password still checks the whole journal: the chain of the first one too.
        ProgramFixture::WhenOpen("OwnerSettingsWindow", [](ui::Form& window) {
            Type(window, os::kOldPasswordBox, kPassword);
            Type(window, os::kNewPasswordBox, kChanged);
            Type(window, os::kRepeatBox, kChanged);
            Click(window, os::kPasswordButton);
            QVERIFY(AwaitText(window, os::kMessageLabel).contains(QStringLiteral("已设置")));
            window.close();
        });
        QVERIFY(windows::OpenOwnerSettings(program.globals(), false));
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
    }

    // Five wrong PINs in a row and the desk waits; a try during the wait is refused unchecked.
    // Every one is journaled.
    void wrongPinsMakeTheDeskWait() {
        ProgramFixture program(kItems);
        const std::filesystem::path durava = journal::DuravaFolder(program.SettingsFile());
        QCOMPARE(people::SetOwnerPassword(durava,
                                          *people::MakePassword(kPassword, journal::kCheapestCost)),
                 std::nullopt);
        people::Operators operators;
        QVERIFY(!operators.Add(u"张三", *journal::HashSecret(u"2468", journal::kCheapestCost)));
        QCOMPARE(people::WriteOperators(durava, operators), journal::FileState::Ok);
        ProgramFixture::WhenOpen("LoginWindow", [](ui::Form& login) {
            for (int tries = 1; tries <= 6; ++tries) {
                login.SetText(lw::kMessageLabel, "");
                Type(login, lw::kPinBox, u"1111");
                Click(login, lw::kLoginButton);
                const QString told = AwaitText(login, lw::kMessageLabel);
                QVERIFY2(told.contains(tries < 5 ? QStringLiteral("不对")
                                       : tries == 5 ? QStringLiteral("连续输错 5 次，请等 30 秒")
                                                    : QStringLiteral("输错次数太多")),
                         qPrintable(told));
            }
            login.close();
        });
        QVERIFY(!windows::LogIn(program.globals()));
        const std::string journal = Journal(program);
        int wrong = 0;
        for (std::size_t at = journal.find("\t密码错误\t张三\t"); at != std::string::npos;
             at = journal.find("\t密码错误\t张三\t", at + 1)) {
            ++wrong;
        }
        QCOMPARE(wrong, 6);
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
