// Every operation that writes, with each step of the file layer failing in turn: the operator
// hears of a failure, the files hold what they held before or the whole new state, and the list
// shows what the settings file holds.
#include <QComboBox>
#include <QTest>

#include <cerrno>

#include "core/fileio_faults.h"
#include "core/settings.h"
#include "core/texts.h"
#include "items/itemtesting.h"
#include "mainwin/itemlist.h"

namespace durava::testing {
namespace {

constexpr char kItems[] =
    "[A]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=空闲中\r\n"
    "开始时间=无\r\n[B]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"
    "状态=使用中\r\n开始时间=2024/05/06 13:00:00\r\n[C]\r\n初始时段=60\r\n初始费用=10\r\n"
    "最小单位=15\r\n超时单价=30\r\n状态=空闲中\r\n开始时间=无\r\n";
constexpr int kRowA = 0, kRowB = 1;

// Each operation calls `arm` just before the step that writes, so that the fault meets the write
// and not the reads that prepare it.
using Arm = std::function<void()>;
struct Operation {
    const char* name;
    std::function<void(ProgramFixture&, const Arm&)> run;
};

const Operation kOperations[] = {
    {"start timing",
     [](ProgramFixture& p, const Arm& arm) {
         arm();
         p.ChooseFromRowMenu(kRowA, u"开始计时");
     }},
    {"checkout",
     [](ProgramFixture& p, const Arm& arm) {
         WhenOpenThenClose("CheckoutWindow", [&arm](ui::Form& w) {
             arm();
             Click(w, u"按钮1");
         });
         p.ChooseFromRowMenu(kRowB, u"结束记账");
     }},
    {"save",
     [](ProgramFixture& p, const Arm& arm) {
         WhenOpenThenClose("ItemDialog", [&arm](ui::Form& w) {
             Type(w, u"编辑框1", QStringLiteral("D"));
             Click(w, u"按钮2");
             arm();
             Click(w, u"按钮1");
         });
         Click(p.Main(), u"超级按钮1");
     }},
    {"delete",
     [](ProgramFixture& p, const Arm& arm) {
         arm();
         p.ChooseFromRowMenu(kRowA, u"删除项目");
     }},
    {"switch",
     [](ProgramFixture& p, const Arm& arm) {
         WhenOpenThenClose("SwitchWindow", [&arm](ui::Form& w) {
             auto* choices = qobject_cast<QComboBox*>(w.Control(u"组合框1"));
             choices->setCurrentIndex(0);
             emit choices->activated(0);
             arm();
             Click(w, u"按钮1");
         });
         p.ChooseFromRowMenu(kRowB, u"切换项目");
     }},
};

struct Files {
    std::string settings, month;
    bool operator==(const Files&) const = default;
};

Files FilesOf(const ProgramFixture& program) {
    return {ReadBytes(program.SettingsFile()), ReadBytes(program.MonthFile())};
}

// The names, states and start times the list shows against those the settings file holds.
void ExpectListShowsTheFile(ProgramFixture& program) {
    const core::SettingsFile file(program.SettingsFile().string());
    const core::FixedTexts& texts = core::Texts();
    std::vector<std::string> names;
    file.ReadSectionNames(names);
    ui::Form& main = program.Main();
    QCOMPARE(main.RowCount(mainwin::kMainList), static_cast<int>(names.size()));
    for (int row = 0; row < static_cast<int>(names.size()); ++row) {
        const std::string& name = names[static_cast<std::size_t>(row)];
        QCOMPARE(main.Cell(mainwin::kMainList, row, mainwin::kColumnName), name);
        QCOMPARE(main.Cell(mainwin::kMainList, row, mainwin::kColumnState),
                 file.ReadSetting(name, texts.state, texts.idle));
        QCOMPARE(main.Cell(mainwin::kMainList, row, mainwin::kColumnStart),
                 file.ReadSetting(name, texts.startTime, texts.none));
    }
}

}  // namespace

class FaultsTest : public QObject {
    Q_OBJECT

  private slots:
    void failuresAreToldAndLeaveTheFilesWhole() {
        int injected = 0;
        for (const Operation& operation : kOperations) {
            Files before, after;
            {
                ProgramFixture clean(kItems, {2024, 5, 6, 18, 31, 0});
                clean.AnswerMessages(true);
                before = FilesOf(clean);
                operation.run(clean, [] {});
                after = FilesOf(clean);
                QVERIFY2(after != before, operation.name);
                QVERIFY2(clean.Messages().size() <= 1, operation.name);  // the delete question
            }
            for (core::FileStep step : core::kFileSteps) {
                ProgramFixture program(kItems, {2024, 5, 6, 18, 31, 0});
                program.AnswerMessages(true);
                const int injectedBefore = core::InjectedFileFaults();
                operation.run(program, [step] { core::FailFileStep(step, ENOSPC); });
                core::ClearFileFaults();
                injected += core::InjectedFileFaults() - injectedBefore;
                const Files now = FilesOf(program);
                const QString where =
                    QStringLiteral("%1, step %2").arg(operation.name, core::FileStepName(step));
                QVERIFY2(now == before || now == after, qPrintable(where));
                const bool toldOfFailure =
                    std::any_of(program.Messages().begin(), program.Messages().end(),
                                [](const QString& m) { return m.startsWith(u"操作失败"); });
                if (now == before) QVERIFY2(toldOfFailure, qPrintable(where));
                if (now == after) QVERIFY2(!toldOfFailure, qPrintable(where));
                // While the file cannot be read the list cannot follow it; once it can, a refresh
                // shows it.
                if (core::IsReadingStep(step)) Click(program.Main(), u"超级按钮4");
                ExpectListShowsTheFile(program);
            }
        }
        qInfo("faults injected: %d", injected);
        QVERIFY(injected > 0);
    }
};

}  // namespace durava::testing

QTEST_MAIN(durava::testing::FaultsTest)
#include "faults_test.moc"
