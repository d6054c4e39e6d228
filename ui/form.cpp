// SPDX-License-Identifier: MIT
#include "ui/form.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTableView>

#include <algorithm>
#include <cassert>

#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handlers.h"
#include "ui/screenconversion.h"
#include "ui/widgets/barchart.h"
#include "ui/widgets/colourdelegate.h"
#include "ui/widgets/fittedlabel.h"
#include "ui/widgets/statusbar.h"
#include "ui/widgets/tablemodel.h"

namespace durava::ui {
namespace {

using forms::ControlKind;
using forms::Event;
using forms::Opening;

Qt::WindowFlags FrameFlags(const forms::Window& definition, bool owned) {
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (definition.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    if (owned) return flags | Qt::Dialog;
    return flags | (definition.inTaskbar ? Qt::Window : Qt::Tool);
}

void CentreOnScreen(QWidget& window, const forms::Window& definition) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    window.move(available.center().x() - definition.outerWidth / 2,
                available.center().y() - definition.outerHeight / 2);
}

template <class Widget>
std::string TextOf(const Widget* control) {
    return control ? FromScreen(control->text()) : std::string();
}

}  // namespace

Form* Form::Open(const forms::Window& definition, const Handlers& handlers, QWidget* mainWindow,
                 const std::function<void(Form&)>& prepare) {
    const bool owned = definition.opening == Opening::ModalOwnedByMain;
    auto* form = new Form(definition, handlers, owned ? mainWindow : nullptr);
    form->Build();
    if (prepare) prepare(*form);
    form->Dispatch(Event::Created, {});
    if (auto found = form->m_controls.find(definition.firstFocus);
        found != form->m_controls.end()) {
        static_cast<QWidget*>(found->second.object)->setFocus(Qt::OtherFocusReason);
    }
    if (definition.opening == Opening::NotModalNoOwner) {
        form->show();
        return form;
    }
    form->setWindowModality(owned ? Qt::WindowModal : Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    form->show();
    loop.exec();
    return nullptr;
}

Form::Form(const forms::Window& definition, const Handlers& handlers, QWidget* owner)
    : QWidget(owner, FrameFlags(definition, owner != nullptr)),
      m_definition(definition),
      m_handlers(handlers) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ToScreen(definition.title));
    setFixedSize(definition.outerWidth - forms::kFrameWidth,
                 definition.outerHeight - forms::kFrameHeight);
    CentreOnScreen(*this, definition);
    if (definition.closesOnEscape) {
        // As the close box: nothing is written, and the window's last event runs as ever.
        connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
                &QWidget::close);
    }
}

// Every way of closing ends here, so the window's last event runs exactly once.
Form::~Form() {
    Dispatch(Event::Destroying, {});
}

void Form::Build() {
    setObjectName(QString::fromUtf8(m_definition.name.data(),
                                    static_cast<qsizetype>(m_definition.name.size())));
    for (const forms::Control& control : m_definition.controls) {
        QObject* created = CreateControl(control, this);
        m_controls.emplace(control.name, Made{control.kind, created});
        const std::u16string_view name = control.name;
        switch (control.kind) {
            case ControlKind::Button:
            case ControlKind::PictureButton: {
                auto* button = static_cast<QAbstractButton*>(created);
                connect(button, &QAbstractButton::clicked, this,
                        [this, name] { Dispatch(Event::Click, name); });
                if (!control.key.empty()) {
                    // The key acts as a click: nothing happens while the button is disabled.
                    const QKeySequence key(
                        QString::fromLatin1(control.key.data(), std::ssize(control.key)));
                    connect(new QShortcut(key, this), &QShortcut::activated, button,
                            &QAbstractButton::click);
                }
                break;
            }
            case ControlKind::ListView: {
                auto* view = static_cast<QTableView*>(created);
                // As the platform's list: a click beside the rows clears the selection, so no
                // menu opens for a row that no longer shows as chosen.
                connect(view, &QWidget::customContextMenuRequested, this,
                        [this, name, view](const QPoint& at) {
                            const QModelIndex under = view->indexAt(at);
                            SelectRow(forms::ListName{name}, under.isValid() ? under.row() : -1);
                            Dispatch(Event::RightClick, name);
                        });
                view->installEventFilter(this);
                break;
            }
            case ControlKind::EditBox:
                // Only what the operator types counts, not a text a handler sets.
                connect(static_cast<QLineEdit*>(created), &QLineEdit::textEdited, this,
                        [this, name] { Dispatch(Event::Edited, name); });
                connect(static_cast<QLineEdit*>(created), &QLineEdit::returnPressed, this,
                        [this, name] { Dispatch(Event::Entered, name); });
                break;
            case ControlKind::ListBox:
                connect(static_cast<QListWidget*>(created), &QListWidget::currentRowChanged, this,
                        [this, name] { Dispatch(Event::SelectionChanged, name); });
                break;
            case ControlKind::ComboBox:
                // Only the operator's choice counts, as with the platform's selection notice.
                connect(static_cast<QComboBox*>(created), &QComboBox::activated, this,
                        [this, name] { Dispatch(Event::SelectionChanged, name); });
                break;
            default:
                break;
        }
    }
    BuildMenu();
}

void Form::BuildMenu() {
    if (m_definition.menu.empty()) return;
    // The top entry never shows in a menu bar; its entries form the pop-up menu.
    m_menu = new QMenu(this);
    for (const forms::MenuEntry& entry : m_definition.menu) {
        if (entry.level == 0) {
            m_menu->setTitle(ToScreen(entry.text));
        } else if (entry.text.empty()) {
            m_menu->addSeparator();
        } else {
            m_menuEntries.emplace(entry.text, m_menu->addAction(ToScreen(entry.text)));
        }
    }
}

// The menu key and Shift+F10 open the menu of the selected row, as a right click on it would.
bool Form::eventFilter(QObject* watched, QEvent* event) {
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool menuKey =
        (key && (key->key() == Qt::Key_Menu ||
                 (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier))) ||
        (event->type() == QEvent::ContextMenu &&
         static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard);
    if (!menuKey) return QWidget::eventFilter(watched, event);
    for (const auto& [name, control] : m_controls) {
        if (control.object == watched) Dispatch(Event::RightClick, name);
    }
    return true;
}

void Form::Dispatch(Event event, std::u16string_view control) {
    for (const forms::Binding& binding : m_definition.bindings) {
        if (binding.event == event && binding.control == control) {
            m_handlers.Run(binding.operation, *this);
        }
    }
}

QObject* Form::Find(std::u16string_view name, std::span<const ControlKind> kinds) const {
    auto found = m_controls.find(name);
    // A misspelt name, or a name given the wrong kind, would otherwise act on nothing without a
    // word.
    const bool ofKind =
        found != m_controls.end() && std::ranges::find(kinds, found->second.kind) != kinds.end();
    assert(ofKind);
    return ofKind ? found->second.object : nullptr;
}

QLabel* Form::Control(forms::LabelName name) const {
    return static_cast<QLabel*>(Widget(name));
}

QAbstractButton* Form::Control(forms::ButtonName name) const {
    return static_cast<QAbstractButton*>(Widget(name));
}

QLineEdit* Form::Control(forms::EditName name) const {
    return static_cast<QLineEdit*>(Widget(name));
}

QComboBox* Form::Control(forms::ComboName name) const {
    return static_cast<QComboBox*>(Widget(name));
}

QListWidget* Form::Control(forms::ListBoxName name) const {
    return static_cast<QListWidget*>(Widget(name));
}

QTableView* Form::Control(forms::ListName name) const {
    return static_cast<QTableView*>(Widget(name));
}

StatusBar* Form::Control(forms::StatusBarName name) const {
    return static_cast<StatusBar*>(Widget(name));
}

BarChart* Form::Control(forms::ChartName name) const {
    return static_cast<BarChart*>(Widget(name));
}

QCheckBox* Form::Control(forms::CheckBoxName name) const {
    return static_cast<QCheckBox*>(Widget(name));
}

bool Form::IsChecked(forms::CheckBoxName name) const {
    const QCheckBox* box = Control(name);
    return box && box->isChecked();
}

void Form::SetChecked(forms::CheckBoxName name, bool checked) {
    if (QCheckBox* box = Control(name)) box->setChecked(checked);
}

void Form::SetText(forms::CheckBoxName name, std::string_view text) {
    if (QCheckBox* box = Control(name)) box->setText(ToScreen(text));
}

std::intptr_t Form::Handle() const {
    return reinterpret_cast<std::intptr_t>(static_cast<const QObject*>(this));
}

std::intptr_t Form::Handle(forms::ListName name) const {
    return reinterpret_cast<std::intptr_t>(static_cast<const QObject*>(Control(name)));
}

std::string Form::Title() const {
    return FromScreen(windowTitle());
}

void Form::SetTitle(std::string_view text) {
    setWindowTitle(ToScreen(text));
}

std::string Form::Text(forms::LabelName name) const {
    return TextOf(Control(name));
}

std::string Form::Text(forms::ButtonName name) const {
    return TextOf(Control(name));
}

std::string Form::Text(forms::EditName name) const {
    return TextOf(Control(name));
}

std::u16string Form::TypedText(forms::EditName name) const {
    const QLineEdit* edit = Control(name);
    if (!edit) return {};
    const QString typed = edit->text();
    return {reinterpret_cast<const char16_t*>(typed.utf16()),
            static_cast<std::size_t>(typed.size())};
}

void Form::SetText(forms::LabelName name, std::string_view text) {
    // Every label is made as one.
    if (auto* label = static_cast<FittedLabel*>(Control(name))) label->ShowText(ToScreen(text));
}

void Form::SetTextColour(forms::LabelName name, forms::Rgb colour) {
    QLabel* label = Control(name);
    const auto defined =
        std::find_if(m_definition.controls.begin(), m_definition.controls.end(),
                     [&name](const forms::Control& control) { return control.name == name.text; });
    if (label && defined != m_definition.controls.end()) {
        label->setStyleSheet(LabelStyle(*defined, colour));
    }
}

void Form::SetText(forms::ButtonName name, std::string_view text) {
    if (QAbstractButton* button = Control(name)) button->setText(ToScreen(text));
}

void Form::SetText(forms::EditName name, std::string_view text) {
    if (QLineEdit* edit = Control(name)) edit->setText(ToScreen(text));
}

void Form::SetRows(forms::ListName name, std::vector<std::vector<std::string>> rows) {
    if (auto* model = qobject_cast<TableModel*>(ListModel(name))) model->SetRows(std::move(rows));
}

void Form::SetCell(forms::ListName name, int row, int column, std::string_view text) {
    if (auto* model = qobject_cast<TableModel*>(ListModel(name))) {
        model->SetCell(row, column, std::string(text));
    }
}

std::string Form::Cell(forms::ListName name, int row, int column) const {
    const QAbstractItemModel* model = ListModel(name);
    if (!model) return {};
    return model->index(row, column).data(kProgramTextRole).toByteArray().toStdString();
}

int Form::RowCount(forms::ListName name) const {
    const QAbstractItemModel* model = ListModel(name);
    return model ? model->rowCount() : 0;
}

std::span<const forms::Column> Form::Columns(forms::ListName name) const {
    for (const forms::Control& control : m_definition.controls) {
        if (control.name == name.text) return control.columns;
    }
    return {};
}

void Form::ScrollToTop(forms::ListName name) {
    if (QTableView* view = Control(name)) view->scrollToTop();
}

QAbstractItemModel* Form::ListModel(forms::ListName name) const {
    const QTableView* view = Control(name);
    return view ? view->model() : nullptr;
}

void Form::ReplaceListModel(forms::ListName name, QAbstractItemModel* model) {
    QTableView* view = Control(name);
    if (!view) return;
    QAbstractItemModel* rows = view->model();
    QItemSelectionModel* selection = view->selectionModel();
    model->setParent(view);
    view->setModel(model);
    delete selection;
    delete rows;
}

void Form::AttachColouring(forms::ListName name, lvcolor::ListViewColouring& colouring) {
    if (QTableView* view = Control(name)) AttachParent(colouring, view);
}

Form::ListEdit::ListEdit(const Form& form, forms::ListName list)
    : m_model(qobject_cast<TableModel*>(form.ListModel(list))) {}

Form::ListEdit::~ListEdit() {
    if (m_top >= 0) m_model->CellsChanged(m_top, m_left, m_bottom, m_right);
}

int Form::ListEdit::RowCount() const {
    return m_model ? m_model->rowCount() : 0;
}

const std::string& Form::ListEdit::Cell(int row, int column) const {
    static const std::string kEmpty;
    return m_model ? m_model->Cell(row, column) : kEmpty;
}

void Form::ListEdit::SetCell(int row, int column, std::string text) {
    if (!m_model || !m_model->ReplaceCell(row, column, std::move(text))) return;
    if (m_top < 0) {
        m_top = m_bottom = row;
        m_left = m_right = column;
        return;
    }
    m_top = std::min(m_top, row);
    m_bottom = std::max(m_bottom, row);
    m_left = std::min(m_left, column);
    m_right = std::max(m_right, column);
}

int Form::SelectedRow(forms::ListName name) const {
    const QTableView* view = Control(name);
    if (!view || !view->selectionModel()) return -1;
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Form::SelectRow(forms::ListName name, int row) {
    QTableView* view = Control(name);
    if (!view) return;
    if (row < 0) {
        view->clearSelection();
        view->setCurrentIndex({});
    } else {
        view->selectRow(row);
    }
}

void Form::AppendEntry(forms::ListBoxName name, std::string_view text) {
    if (QListWidget* list = Control(name)) list->addItem(ToScreen(text));
}

void Form::AppendEntry(forms::ComboName name, std::string_view text) {
    QComboBox* combo = Control(name);
    if (!combo) return;
    // A drop-down list starts with nothing chosen, whatever it holds.
    const QSignalBlocker quiet(combo);
    combo->addItem(ToScreen(text));
    combo->setCurrentIndex(-1);
}

void Form::ClearEntries(forms::ListBoxName name) {
    if (QListWidget* list = Control(name)) list->clear();
}

void Form::ClearEntries(forms::ComboName name) {
    if (QComboBox* combo = Control(name)) combo->clear();
}

int Form::SelectedIndex(forms::ListBoxName name) const {
    const QListWidget* list = Control(name);
    return list ? list->currentRow() : -1;
}

int Form::SelectedIndex(forms::ComboName name) const {
    const QComboBox* combo = Control(name);
    return combo ? combo->currentIndex() : -1;
}

void Form::SelectEntry(forms::ListBoxName name, int index) {
    QListWidget* list = Control(name);
    if (!list) return;
    // setCurrentRow(-1) leaves the current entry where it was.
    index < 0 ? list->setCurrentIndex({}) : list->setCurrentRow(index);
}

void Form::SelectEntry(forms::ComboName name, int index) {
    if (QComboBox* combo = Control(name)) combo->setCurrentIndex(index);
}

std::string Form::SelectedText(forms::ListBoxName name) const {
    const QListWidget* list = Control(name);
    return list && list->currentItem() ? FromScreen(list->currentItem()->text()) : std::string();
}

std::string Form::SelectedText(forms::ComboName name) const {
    const QComboBox* combo = Control(name);
    return combo ? FromScreen(combo->currentText()) : std::string();
}

void Form::SetBars(forms::ChartName name, std::vector<Bar> bars) {
    if (BarChart* chart = Control(name)) chart->SetBars(std::move(bars));
}

void Form::SetStatusPart(forms::StatusBarName name, int part, std::string_view text) {
    if (StatusBar* bar = Control(name)) bar->SetPart(part, text);
}

std::string Form::StatusPart(forms::StatusBarName name, int part) const {
    const StatusBar* bar = Control(name);
    return bar ? bar->Part(part) : std::string();
}

void Form::SetMenuEntryEnabled(forms::MenuEntryName entry, bool enabled) {
    assert(m_menuEntries.contains(entry.text));
    if (auto found = m_menuEntries.find(entry.text); found != m_menuEntries.end()) {
        found->second->setEnabled(enabled);
    }
}

bool Form::IsMenuEntryEnabled(forms::MenuEntryName entry) const {
    auto found = m_menuEntries.find(entry.text);
    assert(found != m_menuEntries.end());
    return found != m_menuEntries.end() && found->second->isEnabled();
}

void Form::ShowMenu() {
    if (!m_menu) return;
    const QAction* chosen = ShowPopupMenu(*m_menu);
    // A test's answer obeys the same rule as a click: a greyed entry cannot be chosen.
    if (!chosen || !chosen->isEnabled()) return;
    for (const auto& [text, action] : m_menuEntries) {
        if (action == chosen) return Dispatch(Event::Chosen, text);
    }
}

}  // namespace durava::ui
