// SPDX-License-Identifier: MIT
// Deleting an item through the list menu: the warning, the file afterwards, and refusals.
#include <QTest>

#include "support/settings_sections.h"
#include "windows/items/itemtesting.h"
#include "windows/main/itemlist.h"

namespace durava::testing {
namespace {

using windows::kColumnName;
using windows::kColumnState;

const std::string kA = ItemSection("A").Tariff({.period = "240"}).Idle();
const std::string kB = ItemSection("B").Tariff({.period = "120"}).Idle();

QStringList ListedNames(ProgramFixture& program) {
    QStringList names;
    for (int row = 0; row < program.Main().RowCount(windows::kMainList); ++row) {
        names << program.MainCell(row, kColumnName);
    }
    return names;
}

}  // namespace

class DeleteItemTest : public QObject {
    Q_OBJECT

  private slots:
    void okRemovesTheSectionAndNothingElse_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("row");
        QTest::addColumn<QByteArray>("remaining");
        QTest::addColumn<QStringList>("listed");
        const QByteArray a = QByteArray::fromStdString(kA), b = QByteArray::fromStdString(kB);
        QTest::newRow("the only item") << a << 0 << QByteArray() << QStringList();
        QTest::newRow("the only item after a comment")
            << ";items\r\n" + a << 0 << QByteArray(";items\r\n") << QStringList();
        QTest::newRow("A of AB") << a + b << 0 << b << QStringList{"B"};
        QTest::newRow("B of AB") << a + b << 1 << a << QStringList{"A"};
        QTest::newRow("B of ABA2") << a + b + "[A2]\r\n状态=空闲中\r\n"
                                   << 1 << a + "[A2]\r\n状态=空闲中\r\n"
                                   << QStringList{"A", "A2"};
    }
    void okRemovesTheSectionAndNothingElse() {
        QFETCH(QByteArray, settings);
        QFETCH(int, row);
        QFETCH(QByteArray, remaining);
        QFETCH(QStringList, listed);
        ProgramFixture program(settings.toStdString());
        program.AnswerMessages(true);
        const QString name = program.MainCell(row, kColumnName);
        QVERIFY(program.ChooseFromRowMenu(row, u"删除项目"));
        QCOMPARE(program.Messages(), QStringList{"操作警告：|是否删除 [ " + name + " ] 项目"});
        QCOMPARE(ReadBytes(program.SettingsFile()), Gbk(remaining.toStdString()));
        QCOMPARE(ListedNames(program), listed);
    }

    void cancelLeavesFileAndListAsTheyWere() {
        const std::string settings = std::string(kA) + kB;
        ProgramFixture program(settings);
        program.AnswerMessages(false);
        const std::string before = ReadBytes(program.SettingsFile());
        QVERIFY(program.ChooseFromRowMenu(0, u"删除项目"));
        QCOMPARE(program.Messages(), QStringList{"操作警告：|是否删除 [ A ] 项目"});
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
        QCOMPARE(ListedNames(program), QStringList({"A", "B"}));
    }

    void anItemInUseByNowIsNotDeleted() {
        ProgramFixture program(kA);
        program.AnswerMessages(true);
        // Another copy of the program started it after this list was filled.
        const std::string inUse = Gbk(
            std::string(ItemSection("A").Tariff({.period = "240"}).InUse("2024/05/06 12:00:00")));
        WriteBytes(program.SettingsFile(), inUse);
        QVERIFY(program.ChooseFromRowMenu(0, u"删除项目"));
        QCOMPARE(program.Messages(),
                 QStringList{"无法删除|项目【A】正在使用中，不能删除。\n请先为它结账。"});
        QCOMPARE(ReadBytes(program.SettingsFile()), inUse);
        QCOMPARE(program.MainCell(0, kColumnState), QStringLiteral("使用中"));
    }

    void aFailedRewriteIsReported() {
        ProgramFixture program(std::string(kA) + kB);
        program.AnswerMessages(true);
        const std::string before = ReadBytes(program.SettingsFile());
        {
            const DiskFull full;
            QVERIFY(program.ChooseFromRowMenu(0, u"删除项目"));
        }
        QCOMPARE(program.Messages(),
                 QStringList({"操作警告：|是否删除 [ A ] 项目",
                              "操作失败|无法写入设置文件 ROOMSETTING.ini，本次更改没有保存。\n"
                              "列表显示的是文件中现有的内容。"}));
        QCOMPARE(ReadBytes(program.SettingsFile()), before);
        QCOMPARE(ListedNames(program), QStringList({"A", "B"}));
    }
};

}  // namespace durava::testing

QTEST_MAIN(durava::testing::DeleteItemTest)
#include "deleteitem_test.moc"
