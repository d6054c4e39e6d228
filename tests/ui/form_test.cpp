// SPDX-License-Identifier: MIT
#include "ui/form.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "forms/formnames.h"
#include "ui/appearance.h"
#include "ui/dialogs.h"
#include "ui/handlers.h"
#include "ui/screenconversion.h"
#include "ui/widgets/columnsmodel.h"

namespace durava::ui {

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

enum class Way { Typing, InputMethod, Paste, Drop };

void Enter(QLineEdit& box, Way way, const QString& text) {
    QMimeData data;
    data.setText(text);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    const QPoint end(box.width() - 2, box.height() / 2);
    QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (way == Way::Typing) {
        for (QChar c : text) QTest::sendKeyEvent(QTest::Press, &box, Qt::Key_unknown, c, {});
    }
    if (way == Way::InputMethod) QApplication::sendEvent(&box, &commit);
    if (way == Way::Paste) QGuiApplication::clipboard()->setText(text), box.paste();
    if (way == Way::Drop)
        QApplication::sendEvent(&box, &enter), QApplication::sendEvent(&box, &drop);
}

// The whole text shows on its one line, in the control's own font.
bool TextFits(const QWidget& widget) {
    QString text;
    int room = widget.contentsRect().width();
    if (auto* label = qobject_cast<const QLabel*>(&widget)) text = label->text();
    if (auto* button = qobject_cast<const QPushButton*>(&widget)) {
        text = button->text();
        room -= button->iconSize().width() * !button->icon().isNull() + 8;
    }
    const QFontMetrics metrics(widget.font());
    return metrics.horizontalAdvance(text) <= room &&
           metrics.height() <= widget.contentsRect().height();
}

// A name carries its control's kind: asking a control what its kind cannot answer does not
// compile, and a plain string stands for no name.
template <class Name>
concept HasText = requires(const Form& form, Name name) {
    form.Text(name);
};
template <class Name>
concept HasRows = requires(const Form& form, Name name) {
    form.RowCount(name);
};
static_assert(HasText<forms::LabelName> && HasText<forms::ButtonName> && HasText<forms::EditName>);
static_assert(!HasText<forms::ListName> && !HasText<forms::ComboName> &&
              !HasText<std::u16string_view>);
static_assert(HasRows<forms::ListName> && !HasRows<forms::ButtonName> &&
              !HasRows<forms::ListBoxName> && !HasRows<std::u16string_view>);

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
    void initTestCase() { SetUpAppearance(); }

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
                    auto* object = opened.findChild<QObject*>(ToScreen(control.name));
                    QVERIFY2(object, qPrintable(ToScreen(control.name)));
                    auto* widget = qobject_cast<QWidget*>(object);
                    if (!widget) continue;
                    if (control.kind == forms::ControlKind::ComboBox) {
                        // As high as its font needs, never less than defined.
                        QCOMPARE(widget->pos(), QPoint(control.left, control.top));
                        QCOMPARE(widget->width(), control.width);
                        QVERIFY(widget->height() >= control.height);
                        QVERIFY(widget->height() >= widget->sizeHint().height());
                    } else if (control.kind != forms::ControlKind::StatusBar) {
                        QCOMPARE(widget->geometry(),
                                 QRect(control.left, control.top, control.width, control.height));
                    }
                    if (auto* view = qobject_cast<QTableView*>(widget)) {
                        for (std::size_t column = 0; column < control.columns.size(); ++column) {
                            QCOMPARE(view->columnWidth(static_cast<int>(column)),
                                     control.columns[column].width);
                        }
                    }
                    QVERIFY2(TextFits(*widget), qPrintable(ToScreen(control.name)));
                    QCOMPARE(widget->isVisible(), control.visible);
                    QCOMPARE(widget->isEnabled(), control.enabled);
                    QCOMPARE(widget->font().pixelSize(), control.font.pixels);
                    QCOMPARE(widget->font().bold(), control.font.bold);
                    if (!control.text.empty() && control.kind != forms::ControlKind::ListView) {
                        QCOMPARE(widget->property("text").toString(), ToScreen(control.text));
                    }
                }
            });
            Form::Open(*definition, none);
            if (definition->opening == forms::Opening::NotModalNoOwner) QTest::qWait(10);
            DeleteClosedWindows();
            QVERIFY(form);
        }
    }

    void tariffBoxesTakeOnlyAsciiDigitsAndMinusWhateverTheWayIn() {
        const struct {
            Way way;
            QString in, tariffShows;  // the boxes held "1"
        } cases[] = {{Way::Typing, "a2-b3 .4", "12-34"},    {Way::Typing, "３３０", "1"},
                     {Way::InputMethod, "２0", "1"},        {Way::Paste, "5 元", "1"},
                     {Way::Drop, QStringLiteral("७"), "1"}, {Way::Drop, "99", "199"}};
        Handlers none;
        WhenOpen("ItemDialog", [&](Form& dialog) {
            auto* tariff = qobject_cast<QLineEdit*>(dialog.Control(forms::item_dialog::kPeriodBox));
            auto* name = qobject_cast<QLineEdit*>(dialog.Control(forms::item_dialog::kNameBox));
            for (const auto& c : cases) {
                for (QLineEdit* box : {tariff, name}) box->setText("1"), Enter(*box, c.way, c.in);
                QCOMPARE(tariff->text(), c.tariffShows);
                QCOMPARE(name->text(), "1" + c.in);
            }
        });
        Form::Open(forms::ItemDialog(), none);
    }

    // One row a key: which window, the control with the focus, the key, and what follows.
    void keysActAsTheOperatorExpectsInEveryWindow() {
        const struct {
            const forms::Window& window;
            std::u16string_view focus;
            Qt::Key key;
            const char* runs;  // the one operation the key runs, or none
            bool closes;
        } cases[] = {
            {forms::ItemDialog(), forms::item_dialog::kSaveButton, Qt::Key_Return, "SaveItem",
             false},
            {forms::ItemDialog(), forms::item_dialog::kSaveButton, Qt::Key_Enter, "SaveItem",
             false},
            {forms::ItemDialog(), forms::item_dialog::kDefaultButton, Qt::Key_Return,
             "FillDefaultTariff", false},
            {forms::ItemDialog(), forms::item_dialog::kPeriodBox, Qt::Key_Return, nullptr, false},
            {forms::ItemDialog(), forms::item_dialog::kInitialFeeBox, Qt::Key_Escape, nullptr,
             true},
            {forms::CheckoutWindow(), forms::checkout_window::kConfirmButton, Qt::Key_Return,
             "ConfirmCheckout", false},
            {forms::CheckoutWindow(), forms::checkout_window::kConfirmButton, Qt::Key_Escape,
             nullptr, true},
            {forms::SwitchWindow(), forms::switch_window::kConfirmButton, Qt::Key_Return,
             "ConfirmSwitch", false},
            {forms::SwitchWindow(), forms::switch_window::kChoices, Qt::Key_Escape, nullptr, true},
            {forms::HistoryWindow(), forms::history_window::kMonthList, Qt::Key_Escape, nullptr,
             true},
            {forms::MainWindow(), forms::main_window::kList, Qt::Key_F5, "FillItemList", false},
            {forms::MainWindow(), forms::main_window::kList, Qt::Key_Escape, nullptr, false},
        };
        for (const auto& c : cases) {
            const QByteArray row = c.window.name.data() + (" " + ToScreen(c.focus)).toUtf8() + " " +
                                   QKeySequence(c.key).toString().toUtf8();
            std::map<std::string_view, int> runs;
            Handlers handlers;
            for (const forms::Binding& binding : c.window.bindings) {
                const std::string_view operation = binding.operation;
                if (binding.event != forms::Event::Created) runs[operation] = 0;
                handlers.Add(operation, [&runs, operation](Form&) { ++runs[operation]; });
            }
            bool closed = false;
            auto act = [&](Form& form) {
                auto* focus = form.findChild<QWidget*>(ToScreen(c.focus));
                focus->setEnabled(true);
                form.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&form));
                focus->setFocus();
                runs.clear();
                QTest::keyClick(QApplication::focusWidget(), c.key);
                closed = !form.isVisible();
            };
            if (c.window.opening == forms::Opening::NotModalNoOwner) {
                Form* form = Form::Open(c.window, handlers);
                act(*form);
                form->close();
            } else {
                WhenOpen(c.window.name.data(), act);
                Form::Open(c.window, handlers);
            }
            DeleteClosedWindows();
            QVERIFY2(closed == c.closes, row);
            // Besides the key's operation, only the window's last event runs, once.
            for (const auto& [operation, count] : runs) {
                const bool once = (c.runs && operation == c.runs) || operation.starts_with("Close");
                QVERIFY2(count == once, row + " " + operation.data());
            }
        }
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
        QVERIFY(
            !qobject_cast<QLabel*>(main->Control(forms::main_window::kHiddenLabel))->isVisible());
        main->close();
        DeleteClosedWindows();
    }

    void createdAndDestroyingRunOncePerOpeningWhicheverWayItCloses() {
        Handlers handlers;
        int created = 0, destroyed = 0;
        handlers.Add("InitCheckout", [&](Form& form) {
            ++created;
            QVERIFY(
                form.Control(forms::checkout_window::kValueLabels[10]));  // controls exist before
                                                                          // the handler runs
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
            form.AppendEntry(forms::switch_window::kChoices, "A1");
            form.AppendEntry(forms::switch_window::kChoices, "A2");
        });
        handlers.Add("EnableSwitchButton", [&](Form&) { ++changes; });
        WhenOpen("SwitchWindow", [&](Form& window) {
            QVERIFY(!window.IsEnabled(forms::switch_window::kConfirmButton));
            QCOMPARE(window.SelectedIndex(forms::switch_window::kChoices), -1);
            QCOMPARE(changes, 0);
            auto* combo = qobject_cast<QComboBox*>(window.Control(forms::switch_window::kChoices));
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down);
            QCOMPARE(window.SelectedText(forms::switch_window::kChoices), std::string("A1"));
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
        auto* list = qobject_cast<QTableView*>(main->Control(forms::main_window::kList));
        emit list->customContextMenuRequested({10, 10});
        QCOMPARE(started, 1);
        main->SetMenuEntryEnabled(forms::main_window::kStartEntry, false);
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
        main->SetRows(forms::main_window::kList,
                      {{"1", "B"}, {"2", "A"}, {"3", "C", "", "", "", "", "", "", "x"}});
        QCOMPARE(main->Cell(forms::main_window::kList, 0, 1), std::string("B"));
        QCOMPARE(main->Cell(forms::main_window::kList, 1, 7), std::string());
        main->SetCell(forms::main_window::kList, 1, 7, "y");
        QCOMPARE(main->Cell(forms::main_window::kList, 1, 7), std::string("y"));
        QCOMPARE(main->Cell(forms::main_window::kList, 9, 1), std::string());
        QCOMPARE(main->SelectedRow(forms::main_window::kList), -1);
        auto* list = qobject_cast<QTableView*>(main->Control(forms::main_window::kList));
        list->selectRow(2);
        list->selectRow(1);
        QCOMPARE(main->SelectedRow(forms::main_window::kList), 1);
        main->SetRows(forms::main_window::kList, {});
        QCOMPARE(main->RowCount(forms::main_window::kList), 0);
        main->close();
        DeleteClosedWindows();
    }

    // Whatever model a list shows, it answers the program text a cell holds, byte for byte where
    // the screen cannot show it; only the framework's own rows take rows and edits.
    void everyListIsReadThroughItsModelByteForByte() {
        const forms::ListName list = forms::main_window::kList;
        const std::string odd = "A\x81\x7F";
        QVERIFY(FromScreen(ToScreen(odd)) != odd);
        Handlers none;
        Form* main = Form::Open(forms::MainWindow(), none);
        main->SetRows(list, {{"1", odd}});
        QCOMPARE(main->Cell(list, 0, 1), odd);
        auto* own = new QStandardItemModel(3, 2);
        own->setData(own->index(2, 1), QByteArray::fromStdString(odd), kProgramTextRole);
        main->ReplaceListModel(list, own);
        main->SetRows(list, {});
        QCOMPARE(main->RowCount(list), 3);
        QCOMPARE(main->Cell(list, 2, 1), odd);
        QCOMPARE(main->Cell(list, 3, 0), std::string());
        QCOMPARE(Form::ListEdit(*main, list).RowCount(), 0);
        main->close();
        DeleteClosedWindows();
    }

    void labelsShowTheirWholeTextAsIs() {
        Handlers handlers;
        const QString name = QStringLiteral("<b>x</b> 的一个很长很长很长很长的名字");
        handlers.Add("InitCheckout", [&](Form& form) {
            form.SetText(forms::checkout_window::kValueLabels[0], FromScreen(name));
            form.SetText(forms::checkout_window::kValueLabels[10],
                         FromScreen(QStringLiteral("开始时间有误")));
        });
        WhenOpen("CheckoutWindow", [&](Form& window) {
            auto* total =
                qobject_cast<QLabel*>(window.Control(forms::checkout_window::kValueLabels[10]));
            QCOMPARE(qobject_cast<QLabel*>(window.Control(forms::checkout_window::kValueLabels[0]))
                         ->text(),
                     name);
            QVERIFY(TextFits(*total) && TextFits(*qobject_cast<QWidget*>(window.Control(
                                            forms::checkout_window::kValueLabels[0]))));
            QVERIFY(total->font().pixelSize() < 43);
            window.SetText(forms::checkout_window::kValueLabels[10],
                           FromScreen(QStringLiteral("￥110 元")));
            QCOMPARE(total->font().pixelSize(), 43);
        });
        Form::Open(forms::CheckoutWindow(), handlers);
    }

    void messageBoxesAnswerInChineseAndShowTheirTextAsIs() {
        for (const auto& [key, ok] : {std::pair{Qt::Key_Return, true}, {Qt::Key_Escape, false}}) {
            QStringList shown;
            QTimer::singleShot(0, [&, key = key] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                for (QAbstractButton* button : box->buttons()) shown.append(button->text());
                shown.append(box->textFormat() == Qt::PlainText ? box->text() : QString());
                QTest::keyClick(box, key);
            });
            QCOMPARE(ShowMessage(nullptr, "x", "<b>x</b>", Buttons::OkCancel), ok);
            QCOMPARE(shown, QStringList({"确定", "取消", "<b>x</b>"}));
        }
    }

    void everyDesktopShowsTheSameWindows() {
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        QCOMPARE(QMenu().font().families().first(), QStringLiteral("微软雅黑"));
        // Qt's own texts, as in the edit boxes' menu.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    }

    void mainListHasTheFocusAndMovesWithUpAndDown() {
        Handlers none;
        Form* main = Form::Open(forms::MainWindow(), none);
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QWidget* list = QApplication::focusWidget();
        QCOMPARE(list, main->Control(forms::main_window::kList));
        // The third Down after a rebuild, as by 刷新列表, starts at the top again.
        const int keys[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, 0, Qt::Key_Down};
        const int selected[] = {0, 1, 1, 0, -1, 0};
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            if (!keys[i] || main->RowCount(forms::main_window::kList) < 2) {
                main->SetRows(forms::main_window::kList, {{"1"}, {"2"}});
            }
            if (keys[i]) QTest::keyClick(list, Qt::Key(keys[i]));
            QCOMPARE(main->SelectedRow(forms::main_window::kList), selected[i]);
        }
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
