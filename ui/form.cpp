// SPDX-License-Identifier: MIT
#include "ui/form.h"

#include <QAbstractButton>
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
#include <QStatusBar>
#include <QTableView>

#include <algorithm>
#include <cassert>

#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handlers.h"
#include "ui/screenconversion.h"
#include "ui/widgets/barchart.h"
#include "ui/widgets/fittedlabel.h"
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

}  // namespace

Form* Form::Open(const forms::Window& definition, const Handlers& handlers, QWidget* mainWindow,
                 const std::function<void(Form&)>& prepare) {
    const bool owned = definition.opening == Opening::ModalOwnedByMain;
    auto* form = new Form(definition, handlers, owned ? mainWindow : nullptr);
    form->Build();
    if (prepare) prepare(*form);
    form->Dispatch(Event::Created, {});
    if (!definition.firstFocus.empty()) form->Focus(definition.firstFocus);
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
        m_controls.emplace(control.name, created);
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
                            SelectRow(name, under.isValid() ? under.row() : -1);
                            Dispatch(Event::RightClick, name);
                        });
                view->installEventFilter(this);
                break;
            }
            case ControlKind::ListBox:
                connect(static_cast<QListWidget*>(created), &QListWidget::currentRowChanged, this,
                        [this, name] { Dispatch(Event::SelectionChanged, name); });
                break;
            case ControlKind::ComboBox:
                // Only the operator's choice counts, as with the platform's selection notice.
                connect(static_cast<QComboBox*>(created), &QComboBox::activated, this,
                        [this, name] { Dispatch(Event::SelectionChanged, name); });
                break;
            case ControlKind::StatusBar:
                for (QLabel* part : created->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
                    m_statusParts[name].push_back(part);
                }
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
        if (control == watched) Dispatch(Event::RightClick, name);
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

QObject* Form::Control(std::u16string_view name) const {
    auto found = m_controls.find(name);
    // A misspelt name would otherwise act on nothing without a word.
    assert(name.empty() || found != m_controls.end());
    return found == m_controls.end() ? nullptr : found->second;
}

std::intptr_t Form::Handle(std::u16string_view name) const {
    const QObject* object = name.empty() ? this : Control(name);
    return reinterpret_cast<std::intptr_t>(object);
}

std::string Form::Text(std::u16string_view name) const {
    const QObject* control = Control(name);
    if (auto* label = qobject_cast<const QLabel*>(control)) return FromScreen(label->text());
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) return FromScreen(edit->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return FromScreen(button->text());
    }
    if (name.empty()) return FromScreen(windowTitle());
    return {};
}

std::u16string Form::TypedText(std::u16string_view name) const {
    const auto* edit = qobject_cast<const QLineEdit*>(Control(name));
    if (!edit) return {};
    const QString typed = edit->text();
    return {reinterpret_cast<const char16_t*>(typed.utf16()),
            static_cast<std::size_t>(typed.size())};
}

void Form::SetText(std::u16string_view name, std::string_view text) {
    QObject* control = Control(name);
    const QString screen = ToScreen(text);
    if (auto* label = qobject_cast<FittedLabel*>(control)) label->ShowText(screen);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(screen);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(screen);
    if (name.empty()) setWindowTitle(screen);
}

bool Form::IsEnabled(std::u16string_view name) const {
    auto* widget = qobject_cast<const QWidget*>(Control(name));
    return widget && widget->isEnabled();
}

void Form::SetEnabled(std::u16string_view name, bool enabled) {
    if (auto* widget = qobject_cast<QWidget*>(Control(name))) widget->setEnabled(enabled);
}

void Form::Focus(std::u16string_view name) {
    if (auto* widget = qobject_cast<QWidget*>(Control(name)))
        widget->setFocus(Qt::OtherFocusReason);
}

TableModel* Form::Model(std::u16string_view name) const {
    auto* view = qobject_cast<QTableView*>(Control(name));
    return view ? qobject_cast<TableModel*>(view->model()) : nullptr;
}

void Form::SetRows(std::u16string_view name, std::vector<std::vector<std::string>> rows) {
    if (TableModel* model = Model(name)) model->SetRows(std::move(rows));
}

void Form::SetCell(std::u16string_view name, int row, int column, std::string_view text) {
    if (TableModel* model = Model(name)) model->SetCell(row, column, std::string(text));
}

std::string Form::Cell(std::u16string_view name, int row, int column) const {
    const TableModel* model = Model(name);
    return model ? model->Cell(row, column) : std::string();
}

int Form::RowCount(std::u16string_view name) const {
    const TableModel* model = Model(name);
    return model ? model->rowCount() : 0;
}

std::span<const forms::Column> Form::Columns(std::u16string_view name) const {
    for (const forms::Control& control : m_definition.controls) {
        if (control.name == name) return control.columns;
    }
    return {};
}

void Form::ScrollToTop(std::u16string_view name) {
    if (QAbstractItemView* view = View(name)) view->scrollToTop();
}

QAbstractItemView* Form::View(std::u16string_view name) const {
    return qobject_cast<QAbstractItemView*>(Control(name));
}

QAbstractItemModel* Form::ListModel(std::u16string_view name) const {
    const QAbstractItemView* view = View(name);
    return view ? view->model() : nullptr;
}

void Form::ReplaceListModel(std::u16string_view name, QAbstractItemModel* model) {
    QAbstractItemView* view = View(name);
    if (!view) return;
    QAbstractItemModel* rows = view->model();
    QItemSelectionModel* selection = view->selectionModel();
    model->setParent(view);
    view->setModel(model);
    delete selection;
    delete rows;
}

Form::ListEdit Form::EditList(std::u16string_view name) {
    return ListEdit(Model(name));
}

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

int Form::SelectedRow(std::u16string_view name) const {
    auto* view = qobject_cast<const QTableView*>(Control(name));
    if (!view || !view->selectionModel()) return -1;
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Form::SelectRow(std::u16string_view name, int row) {
    auto* view = qobject_cast<QTableView*>(Control(name));
    if (!view) return;
    if (row < 0) {
        view->clearSelection();
        view->setCurrentIndex({});
    } else {
        view->selectRow(row);
    }
}

void Form::AppendEntry(std::u16string_view name, std::string_view text) {
    QObject* control = Control(name);
    if (auto* list = qobject_cast<QListWidget*>(control)) list->addItem(ToScreen(text));
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        // A drop-down list starts with nothing chosen, whatever it holds.
        const QSignalBlocker quiet(combo);
        combo->addItem(ToScreen(text));
        combo->setCurrentIndex(-1);
    }
}

void Form::ClearEntries(std::u16string_view name) {
    QObject* control = Control(name);
    if (auto* list = qobject_cast<QListWidget*>(control)) list->clear();
    if (auto* combo = qobject_cast<QComboBox*>(control)) combo->clear();
}

int Form::SelectedIndex(std::u16string_view name) const {
    const QObject* control = Control(name);
    if (auto* list = qobject_cast<const QListWidget*>(control)) return list->currentRow();
    if (auto* combo = qobject_cast<const QComboBox*>(control)) return combo->currentIndex();
    return -1;
}

void Form::SelectEntry(std::u16string_view name, int index) {
    QObject* control = Control(name);
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        // setCurrentRow(-1) leaves the current entry where it was.
        index < 0 ? list->setCurrentIndex({}) : list->setCurrentRow(index);
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) combo->setCurrentIndex(index);
}

std::string Form::SelectedText(std::u16string_view name) const {
    const QObject* control = Control(name);
    if (auto* list = qobject_cast<const QListWidget*>(control)) {
        return list->currentItem() ? FromScreen(list->currentItem()->text()) : std::string();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return FromScreen(combo->currentText());
    return {};
}

void Form::SetBars(std::u16string_view name, std::vector<Bar> bars) {
    if (auto* chart = qobject_cast<BarChart*>(Control(name))) chart->SetBars(std::move(bars));
}

void Form::SetStatusPart(std::u16string_view name, int part, std::string_view text) {
    auto found = m_statusParts.find(name);
    if (found == m_statusParts.end() || part < 0 ||
        part >= static_cast<int>(found->second.size())) {
        return;
    }
    found->second[static_cast<std::size_t>(part)]->setText(ToScreen(text));
}

std::string Form::StatusPart(std::u16string_view name, int part) const {
    auto found = m_statusParts.find(name);
    if (found == m_statusParts.end() || part < 0 ||
        part >= static_cast<int>(found->second.size())) {
        return {};
    }
    return FromScreen(found->second[static_cast<std::size_t>(part)]->text());
}

void Form::SetMenuEntryEnabled(std::u16string_view entry, bool enabled) {
    assert(m_menuEntries.contains(entry));
    if (auto found = m_menuEntries.find(entry); found != m_menuEntries.end()) {
        found->second->setEnabled(enabled);
    }
}

bool Form::IsMenuEntryEnabled(std::u16string_view entry) const {
    auto found = m_menuEntries.find(entry);
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
