// SPDX-License-Identifier: MIT
// Switching a running use to an idle item through the switch window, and billing it afterwards.
#include <QComboBox>
#include <QTest>

#include "support/settings_sections.h"
#include "windows/items/itemtesting.h"
#include "windows/main/itemlist.h"

namespace durava::testing {
namespace {

using namespace forms::switch_window;
using windows::kColumnName;
using windows::kColumnStart;
using windows::kColumnState;

const TariffLines kTariffB{.period = "120", .fee = "50", .unit = "15", .price = "30"};
const std::string kInUseA = ItemSection("A").Tariff(kDefaultTariff).InUse("2024/05/06 13:00:00");
// Of these only C may be chosen: D has no state, E is in use.
const std::string kOthers =
    ItemSection("C").Tariff({.period = "60", .fee = "10", .unit = "15", .price = "10"}).Idle() +
    ItemSection("D").Tariff({.period = "60"}) +
    ItemSection("E").Tariff({.period = "60"}).InUse("2024/05/06 12:00:00");
const std::string kIdleB = ItemSection("B").Tariff(kTariffB).Idle();
constexpr int kRowA = 0, kRowB = 4;

std::string Items() {
    return kInUseA + kOthers + kIdleB;
}

QComboBox* Choices(ui::Form& window) {
    return qobject_cast<QComboBox*>(window.Control(kChoices));
}

QStringList Entries(ui::Form& window) {
    QStringList entries;
    for (int i = 0; i < Choices(window)->count(); ++i) entries << Choices(window)->itemText(i);
    return entries;
}

// As the operator's pick in the drop-down list.
void Choose(ui::Form& window, const QString& entry) {
    const int index = Choices(window)->findText(entry);
    Choices(window)->setCurrentIndex(index);
    emit Choices(window)->activated(index);
}

void OpenSwitchWindow(ProgramFixture& program, std::function<void(ui::Form&)> act) {
    WhenOpenThenClose("SwitchWindow", std::move(act));
    QVERIFY(program.ChooseFromRowMenu(kRowA, u"切换项目"));
}

}  // namespace

class SwitchItemTest : public QObject {
    Q_OBJECT

  private slots:
    void switchingMovesTheUseAndExchangesTheTariffs() {
        ProgramFixture program(Items());
        program.AnswerMessages(true);
        bool closed = false;
        OpenSwitchWindow(program, [&](ui::Form& window) {
            QVERIFY(!window.IsEnabled(kConfirmButton));
            QCOMPARE(Entries(window), QStringList({"C", "B"}));
            QCOMPARE(Choices(window)->currentIndex(), -1);
            Choose(window, "B");
            QVERIFY(window.IsEnabled(kConfirmButton));
            Click(window, kConfirmButton);
            closed = !window.isVisible();
        });
        QVERIFY(closed);
        QVERIFY(program.Messages().isEmpty());
        QCOMPARE(
            ReadBytes(program.SettingsFile()),
            Gbk(std::string("[A]\r\n初始时段=120\r\n初始费用=50\r\n最小单位=15\r\n超时单价=30\r\n"
                            "状态=空闲中\r\n开始时间=无\r\n") +
                kOthers +
                "[B]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"
                "状态=使用中\r\n开始时间=2024/05/06 13:00:00\r\n"));
        QCOMPARE(program.MainCell(kRowA, kColumnState), QStringLiteral("空闲中"));
        QCOMPARE(program.MainCell(kRowA, kColumnStart), QStringLiteral("无"));
        QCOMPARE(program.MainCell(kRowB, kColumnState), QStringLiteral("使用中"));
        QCOMPARE(program.MainCell(kRowB, kColumnStart), QStringLiteral("2024/05/06 13:00:00"));
    }

    void checkoutAfterASwitchBillsFromTheFirstStartAtTheFirstTariff() {
        ProgramFixture program(Items());
        program.AnswerMessages(true);
        OpenSwitchWindow(program, [](ui::Form& window) {
            Choose(window, "B");
            Click(window, kConfirmButton);
        });
        program.SetNow({2024, 5, 6, 18, 10, 0});
        ProgramFixture::WhenOpen("CheckoutWindow",
                                 [](ui::Form& window) { Click(window, kConfirmButton); });
        QVERIFY(program.ChooseFromRowMenu(kRowB, u"结束记账"));
        QCOMPARE(ReadBytes(program.MonthFile()),
                 Gbk("B@2024/05/06 13:00:00@2024/05/06 18:10:00@5 时 10 分 0 秒@4 小时 0 分@"
                     "1 时 10 分@30 分钟@20 元 / 小时@70 元@30 元@￥100 元\r\n"));
        QCOMPARE(program.MainCell(kRowB, kColumnState), QStringLiteral("空闲中"));
        QVERIFY(program.Messages().isEmpty());
    }

    void closingWithoutConfirmingChangesNothing() {
        ProgramFixture program(Items());
        const std::string before = ReadBytes(program.SettingsFile());
        OpenSwitchWindow(program, [](ui::Form& window) { Choose(window, "C"); });
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
    }

    void withoutAnIdleItemThereIsNothingToChoose() {
        ProgramFixture program(kInUseA);
        OpenSwitchWindow(program, [](ui::Form& window) {
            QCOMPARE(Choices(window)->count(), 0);
            QVERIFY(!window.IsEnabled(kConfirmButton));
        });
    }

    void anItemTakenMeanwhileIsRefusedAndTheChoicesRenewed() {
        ProgramFixture program(Items());
        program.AnswerMessages(true);
        // Another copy of the program started B while this window was open.
        const std::string changed =
            Gbk(kInUseA + kOthers + ItemSection("B").Tariff(kTariffB).InUse("2024/05/06 14:00:00"));
        OpenSwitchWindow(program, [&](ui::Form& window) {
            WriteBytes(program.SettingsFile(), changed);
            Choose(window, "B");
            Click(window, kConfirmButton);
            QVERIFY(window.isVisible());
            QCOMPARE(Entries(window), QStringList{"C"});
            QVERIFY(!window.IsEnabled(kConfirmButton));
        });
        QCOMPARE(program.Messages(),
                 QStringList{"无法切换|项目【B】已不是空闲状态。\n请重新选择要切换到的项目。"});
        QCOMPARE(ReadBytes(program.SettingsFile()), changed);
        QCOMPARE(program.MainCell(kRowB, kColumnStart), QStringLiteral("2024/05/06 14:00:00"));
    }

    void aUseEndedMeanwhileIsNotMoved() {
        ProgramFixture program(Items());
        program.AnswerMessages(true);
        const std::string changed =
            Gbk(ItemSection("A").Tariff(kDefaultTariff).Idle() + kOthers + kIdleB);
        bool closed = false;
        OpenSwitchWindow(program, [&](ui::Form& window) {
            WriteBytes(program.SettingsFile(), changed);
            Choose(window, "B");
            Click(window, kConfirmButton);
            closed = !window.isVisible();
        });
        QVERIFY(closed);
        QCOMPARE(program.Messages(),
                 QStringList{"无法切换|项目【A】已不在使用中，没有可切换的计时。"});
        QCOMPARE(ReadBytes(program.SettingsFile()), changed);
        QCOMPARE(program.MainCell(kRowA, kColumnState), QStringLiteral("空闲中"));
    }

    void aFailedWriteIsReportedAndChangesNeitherItem() {
        ProgramFixture program(Items());
        program.AnswerMessages(true);
        const std::string before = ReadBytes(program.SettingsFile());
        OpenSwitchWindow(program, [&](ui::Form& window) {
            Choose(window, "B");
            {
                const DiskFull full;
                Click(window, kConfirmButton);
            }
            QVERIFY(window.isVisible());
        });
        QCOMPARE(program.Messages(),
                 QStringList{"操作失败|无法写入设置文件 ROOMSETTING.ini，本次更改没有保存。\n"
                             "列表显示的是文件中现有的内容。"});
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
        QCOMPARE(program.MainCell(kRowA, kColumnState), QStringLiteral("使用中"));
        QCOMPARE(program.MainCell(kRowB, kColumnState), QStringLiteral("空闲中"));
    }
};

}  // namespace durava::testing

QTEST_MAIN(durava::testing::SwitchItemTest)
#include "switchitem_test.moc"
