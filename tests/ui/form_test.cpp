#include "ui/form.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "ui/dialogs.h"
#include "ui/handlers.h"
#include "ui/screentext.h"

namespace durava::ui {
namespace forms = core::forms;

namespace {

// Runs `act` on the window named `name` once it is open, then closes it.
void WhenOpen(const char* name, std::function<void(Form&)> act) {
    QTimer::singleShot(0, [name, act = std::move(act)] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<Form*>(window);
            if (form && form->objectName() == QLatin1String(name)) {
                act(*form);
                form->close();
                return;
            }
        }
        QFAIL("window did not open");
    });
}

// A closed window is deleted later, and its last event still goes to the handlers: delete it
// while the test's handlers live.
void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QAction* EntryNamed(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

}  // namespace

class FormTest : public QObject {
    Q_OBJECT

  private slots:
    void everyControlStandsWhereItsDefinitionSays() {
        for (const forms::Window* definition :
             {&forms::MainWindow(), &forms::ItemDialog(), &forms::CheckoutWindow(),
              &forms::HistoryWindow(), &forms::SwitchWindow()}) {
            Handlers none;
            Form* form = nullptr;
            WhenOpen(definition->name.data(), [&](Form& opened) {
                form = &opened;
                QCOMPARE(opened.size(),
                         QSize(definition->outerWidth - 6, definition->outerHeight - 29));
                QCOMPARE(opened.windowTitle(), ToScreen(definition->title));
                for (const forms::Control& control : definition->controls) {
                    QObject* object = opened.Control(control.name);
                    QVERIFY2(object, qPrintable(ToScreen(control.name)));
                    QCOMPARE(object->objectName(), ToScreen(control.name));
                    auto* widget = qobject_cast<QWidget*>(object);
                    if (!widget) continue;
                    if (control.kind != forms::ControlKind::StatusBar) {
                        QCOMPARE(widget->geometry(),
                                 QRect(control.left, control.top, control.width, control.height));
                    }
                    QCOMPARE(widget->isVisible(), control.visible);
                    QCOMPARE(widget->isEnabled(), control.enabled);
                    QCOMPARE(widget->font().pixelSize(), control.font.pixels);
                    QCOMPARE(widget->font().bold(), control.font.bold);
                    if (!control.text.empty() && control.kind != forms::ControlKind::ListView) {
                        QCOMPARE(ToScreen(opened.Text(control.name)), ToScreen(control.text));
                    }
                }
            });
            Form::Open(*definition, none);
            if (definition->opening == forms::Opening::NotModalNoOwner) QTest::qWait(10);
            DeleteClosedWindows();
            QVERIFY(form);
        }
    }

    void digitsOnlyBoxesDropOtherTypedCharacters() {
        Handlers none;
        WhenOpen("ItemDialog", [](Form& dialog) {
            auto* tariff = qobject_cast<QLineEdit*>(dialog.Control(u"编辑框2"));
            auto* name = qobject_cast<QLineEdit*>(dialog.Control(u"编辑框1"));
            QTest::keyClicks(tariff, QStringLiteral("a1-b2 .3"));
            QCOMPARE(tariff->text(), QStringLiteral("1-23"));
            QTest::keyClick(tariff, Qt::Key_Backspace);
            QCOMPARE(tariff->text(), QStringLiteral("1-2"));
            QTest::keyClicks(name, QStringLiteral("A1 -x"));
            QKeyEvent chinese(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                              QStringLiteral("包间"));
            QApplication::sendEvent(name, &chinese);
            QApplication::sendEvent(tariff, &chinese);
            QCOMPARE(tariff->text(), QStringLiteral("1-2"));
            QCOMPARE(name->text(), QStringLiteral("A1 -x包间"));
        });
        Form::Open(forms::ItemDialog(), none);
    }

    void mainWindowShowsThreeWorkingButtonsAndNoMenuBar() {
        Handlers handlers;
        int added = 0, refreshed = 0, history = 0;
        handlers.Add("OpenAddDialog", [&](Form&) { ++added; });
        handlers.Add("FillItemList", [&](Form&) { ++refreshed; });
        handlers.Add("OpenHistory", [&](Form&) { ++history; });
        Form* main = Form::Open(forms::MainWindow(), handlers);
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QList<QPushButton*> visible;
        for (QPushButton* button : main->findChildren<QPushButton*>()) {
            if (button->isVisible()) visible.append(button);
        }
        QCOMPARE(visible.size(), 3);
        for (QPushButton* button : visible) QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(added + refreshed + history, 3);
        QVERIFY(added == 1 && refreshed == 1 && history == 1);
        QVERIFY(main->findChildren<QMenuBar*>().isEmpty());
        QVERIFY(!qobject_cast<QLabel*>(main->Control(u"标签1"))->isVisible());
        main->close();
        DeleteClosedWindows();
    }

    void createdAndDestroyingRunOncePerOpeningWhicheverWayItCloses() {
        Handlers handlers;
        int created = 0, destroyed = 0;
        handlers.Add("InitCheckout", [&](Form& form) {
            ++created;
            QVERIFY(form.Control(u"标签19"));  // controls exist before the handler runs
        });
        handlers.Add("CloseMainWindow", [&](Form&) { ++destroyed; });
        Form* main = Form::Open(forms::MainWindow(), handlers);
        WhenOpen("CheckoutWindow", [](Form&) {});
        Form::Open(forms::CheckoutWindow(), handlers, main);  // returns once closed
        QCOMPARE(created, 1);
        delete main;
        QCOMPARE(destroyed, 1);
    }

    void switchButtonStartsDisabledAndComboStartsWithNothingChosen() {
        Handlers handlers;
        int changes = 0;
        handlers.Add("ListIdleItems", [](Form& form) {
            form.AppendEntry(u"组合框1", "A1");
            form.AppendEntry(u"组合框1", "A2");
        });
        handlers.Add("EnableSwitchButton", [&](Form&) { ++changes; });
        WhenOpen("SwitchWindow", [&](Form& window) {
            QVERIFY(!window.IsEnabled(u"按钮1"));
            QCOMPARE(window.SelectedIndex(u"组合框1"), -1);
            QCOMPARE(changes, 0);
            auto* combo = qobject_cast<QComboBox*>(window.Control(u"组合框1"));
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down);
            QCOMPARE(window.SelectedText(u"组合框1"), std::string("A1"));
        });
        Form::Open(forms::SwitchWindow(), handlers);
        QVERIFY(changes >= 1);
    }

    void popupMenuRunsOnlyEnabledEntries() {
        Handlers handlers;
        int started = 0;
        handlers.Add("StartTiming", [&](Form&) { ++started; });
        handlers.Add("UpdateListMenu", [](Form& form) { form.ShowMenu(); });
        Form* main = Form::Open(forms::MainWindow(), handlers);
        ChooseMenuEntriesWith(
            [](QMenu& menu) { return EntryNamed(menu, QStringLiteral("开始计时")); });
        auto* list = qobject_cast<QTableView*>(main->Control(u"超级列表"));
        emit list->customContextMenuRequested({10, 10});
        QCOMPARE(started, 1);
        main->SetMenuEntryEnabled(u"开始计时", false);
        emit list->customContextMenuRequested({10, 10});
        QCOMPARE(started, 1);
        ChooseMenuEntriesWith({});
        main->close();
        DeleteClosedWindows();
    }

    void listViewKeepsRowsInOrderAndOneSelectedRow() {
        Handlers none;
        Form* main = Form::Open(forms::MainWindow(), none);
        // Rows shorter or longer than the columns are cut or padded to them.
        main->SetRows(u"超级列表",
                      {{"1", "B"}, {"2", "A"}, {"3", "C", "", "", "", "", "", "", "x"}});
        QCOMPARE(main->Cell(u"超级列表", 0, 1), std::string("B"));
        QCOMPARE(main->Cell(u"超级列表", 1, 7), std::string());
        main->SetCell(u"超级列表", 1, 7, "y");
        QCOMPARE(main->Cell(u"超级列表", 1, 7), std::string("y"));
        QCOMPARE(main->Cell(u"超级列表", 9, 1), std::string());
        QCOMPARE(main->SelectedRow(u"超级列表"), -1);
        auto* list = qobject_cast<QTableView*>(main->Control(u"超级列表"));
        list->selectRow(2);
        list->selectRow(1);
        QCOMPARE(main->SelectedRow(u"超级列表"), 1);
        main->SetRows(u"超级列表", {});
        QCOMPARE(main->RowCount(u"超级列表"), 0);
        main->close();
        DeleteClosedWindows();
    }

    void messageBoxesCanBeAnsweredInAdvance() {
        QString asked;
        AnswerMessagesWith([&](const QString& caption, const QString& text) {
            asked = caption + u'|' + text;
            return false;
        });
        QVERIFY(!ShowMessage(nullptr, "\xB2\xD9\xD7\xF7", "x", Buttons::OkCancel));
        QCOMPARE(asked, QStringLiteral("操作|x"));
        AnswerMessagesWith({});
    }
};

}  // namespace durava::ui

QTEST_MAIN(durava::ui::FormTest)
#include "form_test.moc"
