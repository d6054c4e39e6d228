// SPDX-License-Identifier: MIT
// The add and modify dialog through the windows: modes, defaults, saving, and what it refuses.
#include <QTest>

#include "store/settings/settings.h"
#include "support/settings_sections.h"
#include "windows/items/itemtesting.h"
#include "windows/main/itemlist.h"

namespace durava::testing {
namespace {

using namespace forms::item_dialog;
using windows::kColumnName;
using windows::kColumnState;

const std::string kItems =
    ItemSection("A1").Tariff({.period = "120", .fee = "50", .unit = "15", .price = "30"}).Idle() +
    ItemSection("B2").Tariff(kDefaultTariff).InUse("2024/05/06 12:00:00");

// A control's name as the screen's objects carry it.
QString NameOf(std::u16string_view control) {
    return QString::fromUtf16(control.data(), static_cast<qsizetype>(control.size()));
}

constexpr forms::EditName kBoxes[] = {kNameBox, kPeriodBox, kInitialFeeBox, kUnitBox, kPriceBox};

void OpenAddDialog(ProgramFixture& program, std::function<void(ui::Form&)> act) {
    WhenOpenThenClose("ItemDialog", std::move(act));
    Click(program.Main(), forms::main_window::kAddButton);
}

void FillBoxes(ui::Form& dialog, const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i) Type(dialog, kBoxes[i], texts[i]);
}

// As the screen shows them, so that characters the program's texts cannot hold show too.
QStringList BoxTexts(const ui::Form& dialog) {
    QStringList texts;
    for (const forms::EditName box : kBoxes) {
        texts << qobject_cast<const QLineEdit*>(dialog.Control(box))->text();
    }
    return texts;
}

void ExpectAddMode(const ui::Form& dialog) {
    QCOMPARE(ui::ToScreen(dialog.Title()), QStringLiteral("添加项目"));
    QCOMPARE(TextOf(dialog, kSaveButton), QStringLiteral("添加项目"));
    QVERIFY(dialog.IsEnabled(kNameBox));
    QCOMPARE(BoxTexts(dialog), QStringList(5, QString()));
}

}  // namespace

class ItemDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void addWithDefaultsCreatesTheItemAndCloses() {
        ProgramFixture program;
        program.AnswerMessages(true);
        bool closed = false;
        OpenAddDialog(program, [&](ui::Form& dialog) {
            ExpectAddMode(dialog);
            Type(dialog, kNameBox, QStringLiteral("A1"));
            Click(dialog, kDefaultButton);
            QCOMPARE(BoxTexts(dialog), QStringList({"A1", "240", "70", "30", "20"}));
            QVERIFY(!std::filesystem::exists(program.SettingsFile()));
            Click(dialog, kSaveButton);
            closed = !dialog.isVisible();
        });
        QVERIFY(closed);
        QCOMPARE(ReadBytes(program.SettingsFile()),
                 Gbk("[A1]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"
                     "状态=空闲中\r\n开始时间=无\r\n"));
        QCOMPARE(program.Main().RowCount(windows::kMainList), 1);
        QCOMPARE(program.MainCell(0, kColumnName), QStringLiteral("A1"));
        QCOMPARE(program.MainCell(0, kColumnState), QStringLiteral("空闲中"));
        QVERIFY(program.Messages().isEmpty());
    }

    void aRefusedSaveSaysWhyAndKeepsEverything_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");  // the box the refusal names, or the empty one
        const QStringList tariff = {"240", "70", "30", "20"};
        const QString name = QStringLiteral("无法保存|");
        // An empty box is refused without a word.
        QTest::newRow("all empty") << QStringList(5, QString()) << QString() << NameOf(kNameBox);
        QTest::newRow("empty name")
            << QStringList({"", "240", "70", "30", "20"}) << QString() << NameOf(kNameBox);
        QTest::newRow("empty 初始时段")
            << QStringList({"C3", "", "70", "30", "20"}) << QString() << NameOf(kPeriodBox);
        QTest::newRow("empty 初始费用")
            << QStringList({"C3", "240", "", "30", "20"}) << QString() << NameOf(kInitialFeeBox);
        QTest::newRow("empty 最小单位")
            << QStringList({"C3", "240", "70", "", "20"}) << QString() << NameOf(kUnitBox);
        QTest::newRow("empty 超时单价")
            << QStringList({"C3", "240", "70", "30", ""}) << QString() << NameOf(kPriceBox);
        QTest::newRow("only blanks")
            << (QStringList{"  "} + tariff) << name + "项目名称不能只有空格。" << NameOf(kNameBox);
        QTest::newRow("leading blank")
            << (QStringList{" C3"} + tariff) << name + "项目名称的开头和结尾不能是空格。"
            << NameOf(kNameBox);
        QTest::newRow("line break")
            << (QStringList{"C\n3"} + tariff) << name + "项目名称不能含有换行符或控制字符。"
            << NameOf(kNameBox);
        QTest::newRow("reserved") << (QStringList{"C3]"} + tariff)
                                  << name + "项目名称不能含有 [ ] | @ 这几个符号。"
                                  << NameOf(kNameBox);
        QTest::newRow("outside code page 936")
            << (QStringList{"C3한"} + tariff)
            << name + "项目名称含有无法保存的字符，请改用其他文字。" << NameOf(kNameBox);
        QTest::newRow("euro sign")
            << (QStringList{"A€"} + tariff)
            << name + "项目名称不能含有 € 这类单字节符号，请改用其他文字。" << NameOf(kNameBox);
        QTest::newRow("negative tariffs")
            << QStringList({"C3", "240", "-70", "30", "-20"}) << name + "【初始费用】不能是负数。"
            << NameOf(kInitialFeeBox);
        QTest::newRow("lone minus") << QStringList({"C3", "-", "70", "30", "20"})
                                    << name + "【初始时段】只能填写整数。" << NameOf(kPeriodBox);
        QTest::newRow("pasted letters")
            << QStringList({"C3", "240", "7O", "30", "20"}) << name + "【初始费用】只能填写整数。"
            << NameOf(kInitialFeeBox);
        QTest::newRow("beyond 32 bits")
            << QStringList({"C3", "240", "70", "30", "4294967296"})
            << name + "【超时单价】的数值超出范围。" << NameOf(kPriceBox);
        QTest::newRow("item in use, other case")
            << (QStringList{"b2"} + tariff)
            << name + "项目【B2】正在使用中，保存会中断它的计时。\n请先为它结账，或换一个名称。"
            << NameOf(kNameBox);
    }
    void aRefusedSaveSaysWhyAndKeepsEverything() {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        ProgramFixture program(kItems);
        program.AnswerMessages(true);
        const std::string before = ReadBytes(program.SettingsFile());
        OpenAddDialog(program, [&](ui::Form& dialog) {
            FillBoxes(dialog, texts);
            dialog.Focus(kSaveButton);
            Click(dialog, kSaveButton);
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.focusWidget()->objectName(), focus);
            QCOMPARE(BoxTexts(dialog), texts);
        });
        QCOMPARE(program.Messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
        QCOMPARE(program.MainCell(1, kColumnState), QStringLiteral("使用中"));
    }

    void addingUnderAnIdleItemsNameReplacesItsTariff() {
        ProgramFixture program(kItems);
        program.AnswerMessages(true);
        OpenAddDialog(program, [&](ui::Form& dialog) {
            FillBoxes(dialog, {"a1", "90", "5", "１０", "0"});
            Click(dialog, kSaveButton);
        });
        QVERIFY(program.Messages().isEmpty());
        QCOMPARE(
            ReadBytes(program.SettingsFile()),
            Gbk("[A1]\r\n初始时段=90\r\n初始费用=5\r\n最小单位=１０\r\n超时单价=0\r\n"
                "状态=空闲中\r\n开始时间=无\r\n[B2]\r\n初始时段=240\r\n初始费用=70\r\n"
                "最小单位=30\r\n超时单价=20\r\n状态=使用中\r\n开始时间=2024/05/06 12:00:00\r\n"));
        QCOMPARE(program.Main().RowCount(windows::kMainList), 2);
        QCOMPARE(program.MainCell(0, kColumnName), QStringLiteral("A1"));
    }

    void modifyShowsTheTariffAndDefaultsStayUnsavedUntilConfirmed() {
        ProgramFixture program(kItems);
        program.AnswerMessages(true);
        const std::string before = ReadBytes(program.SettingsFile());
        bool closed = false;
        WhenOpenThenClose("ItemDialog", [&](ui::Form& dialog) {
            QCOMPARE(ui::ToScreen(dialog.Title()), QStringLiteral("正在修改 【A1】"));
            QCOMPARE(TextOf(dialog, kSaveButton), QStringLiteral("确定修改"));
            QVERIFY(!dialog.IsEnabled(kNameBox));
            QCOMPARE(BoxTexts(dialog), QStringList({"A1", "120", "50", "15", "30"}));
            Click(dialog, kDefaultButton);
            QCOMPARE(BoxTexts(dialog), QStringList({"A1", "240", "70", "30", "20"}));
            QVERIFY(!dialog.IsEnabled(kNameBox));
            QCOMPARE(ReadBytes(program.SettingsFile()), before);
            Type(dialog, kPriceBox, QStringLiteral("25"));
            Click(dialog, kSaveButton);
            closed = !dialog.isVisible();
        });
        QVERIFY(program.ChooseFromRowMenu(0, u"修改项目"));
        QVERIFY(closed);
        QVERIFY(program.Messages().isEmpty());
        QCOMPARE(ReadBytes(program.SettingsFile()),
                 Gbk("[A1]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=25\r\n"
                     "状态=空闲中\r\n开始时间=无\r\n") +
                     before.substr(before.find("[B2]")));
    }

    // Another desk started the item while its dialog was open: the refusal speaks of modifying,
    // not of choosing another name the disabled box cannot take.
    void modifyingAnItemStartedMeanwhileIsRefusedInItsOwnWords() {
        ProgramFixture program(kItems);
        program.AnswerMessages(true);
        WhenOpenThenClose("ItemDialog", [&](ui::Form& dialog) {
            store::SettingsFile other(program.SettingsFile());
            QVERIFY(other.WriteSetting("A1", Gbk("状态"), Gbk("使用中")));
            const std::string started = ReadBytes(program.SettingsFile());
            Click(dialog, kSaveButton);
            QVERIFY(dialog.isVisible());
            QCOMPARE(ReadBytes(program.SettingsFile()), started);
        });
        QVERIFY(program.ChooseFromRowMenu(0, u"修改项目"));
        QCOMPARE(
            program.Messages(),
            QStringList{QStringLiteral(
                "无法保存|项目【A1】正在使用中，修改会中断它的计时。\n请先为它结账，再修改。")});
    }

    void aMissingValueOpensEmptyAndMustBeTypedBeforeSaving() {
        ProgramFixture program(
            "[A1]\r\n初始时段=120\r\n初始费用=50\r\n超时单价=30\r\n状态=空闲中\r\n开始时间=无\r\n");
        program.AnswerMessages(true);
        const std::string before = ReadBytes(program.SettingsFile());
        WhenOpenThenClose("ItemDialog", [&](ui::Form& dialog) {
            QCOMPARE(BoxTexts(dialog), QStringList({"A1", "120", "50", "", "30"}));
            Click(dialog, kSaveButton);
            QVERIFY(dialog.isVisible());
            QCOMPARE(ReadBytes(program.SettingsFile()), before);
            Type(dialog, kUnitBox, QStringLiteral("30"));
            Click(dialog, kSaveButton);
        });
        program.ChooseFromRowMenu(0, u"修改项目");
        QVERIFY(program.Messages().isEmpty());
        QCOMPARE(ReadBytes(program.SettingsFile()),
                 Gbk("[A1]\r\n初始时段=120\r\n初始费用=50\r\n超时单价=30\r\n状态=空闲中\r\n"
                     "开始时间=无\r\n最小单位=30\r\n"));
    }

    void theNextAddDialogOpensInAddModeWhateverWasClosedBefore_data() {
        QTest::addColumn<bool>("switching");
        QTest::newRow("after the modify dialog") << false;
        QTest::newRow("after the switch window") << true;
    }
    void theNextAddDialogOpensInAddModeWhateverWasClosedBefore() {
        QFETCH(bool, switching);
        ProgramFixture program(kItems);
        program.AnswerMessages(true);
        const std::string before = ReadBytes(program.SettingsFile());
        ProgramFixture::WhenOpen(switching ? "SwitchWindow" : "ItemDialog",
                                 [](ui::Form& opened) { opened.close(); });
        QVERIFY(switching ? program.ChooseFromRowMenu(1, u"切换项目")
                          : program.ChooseFromRowMenu(0, u"修改项目"));
        bool checked = false;
        OpenAddDialog(program, [&](ui::Form& dialog) {
            ExpectAddMode(dialog);
            checked = true;
        });
        QVERIFY(checked);
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
        QVERIFY(program.Messages().isEmpty());
    }

    void aFailedWriteIsReportedAndTheDialogStaysOpen() {
        ProgramFixture program(kItems);
        program.AnswerMessages(true);
        const std::string before = ReadBytes(program.SettingsFile());
        OpenAddDialog(program, [&](ui::Form& dialog) {
            FillBoxes(dialog, {"C3", "240", "70", "30", "20"});
            {
                const DiskFull full;
                Click(dialog, kSaveButton);
            }
            QVERIFY(dialog.isVisible());
        });
        QCOMPARE(program.Messages(),
                 QStringList{"操作失败|无法写入设置文件 ROOMSETTING.ini，本次更改没有保存。\n"
                             "列表显示的是文件中现有的内容。"});
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
        QCOMPARE(program.Main().RowCount(windows::kMainList), 2);
    }
};

}  // namespace durava::testing

QTEST_MAIN(durava::testing::ItemDialogTest)
#include "itemdialog_test.moc"
