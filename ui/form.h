// SPDX-License-Identifier: MIT
#pragma once
// One window built from its definition. Handlers reach its controls by the names the definition
// gives them (the Qt objectName is that name too), each name of its control's kind, and meet every
// text as a program text.
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/formnames.h"
#include "forms/forms.h"
#include "ui/widgets/bar.h"

class QAbstractButton;
class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QTableView;

namespace durava::lvcolor {
class ListViewColouring;
}

namespace durava::ui {

class BarChart;
class Handlers;
class StatusBar;
class TableModel;

class Form : public QWidget {
    Q_OBJECT
  public:
    // Opens a window as its definition says: a modal one has been closed and destroyed when this
    // returns (nullptr); otherwise the open window. `mainWindow` owns the windows it should own.
    // `prepare` runs before the window's first event, to give it what it is opened on.
    static Form* Open(const forms::Window& definition, const Handlers& handlers,
                      QWidget* mainWindow = nullptr,
                      const std::function<void(Form&)>& prepare = {});

    ~Form() override;

    const forms::Window& Definition() const { return m_definition; }
    // The named control as the widget of its kind, or nullptr. A window that works on a control
    // every second finds it here once and keeps it.
    QLabel* Control(forms::LabelName name) const;
    QAbstractButton* Control(forms::ButtonName name) const;
    QLineEdit* Control(forms::EditName name) const;
    QComboBox* Control(forms::ComboName name) const;
    QListWidget* Control(forms::ListBoxName name) const;
    QTableView* Control(forms::ListName name) const;
    StatusBar* Control(forms::StatusBarName name) const;
    BarChart* Control(forms::ChartName name) const;
    QCheckBox* Control(forms::CheckBoxName name) const;
    // A stable number that identifies the window, or one of its lists.
    std::intptr_t Handle() const;
    std::intptr_t Handle(forms::ListName name) const;

    std::string Title() const;
    void SetTitle(std::string_view text);
    std::string Text(forms::LabelName name) const;
    std::string Text(forms::ButtonName name) const;
    std::string Text(forms::EditName name) const;
    // Edit boxes: the text as typed, before it is converted to code page 936.
    std::u16string TypedText(forms::EditName name) const;
    void SetText(forms::LabelName name, std::string_view text);
    void SetText(forms::ButtonName name, std::string_view text);
    void SetText(forms::EditName name, std::string_view text);
    void SetText(forms::CheckBoxName name, std::string_view text);
    // A label's text in a colour of its own, as a sum that does not add up shows.
    void SetTextColour(forms::LabelName name, forms::Rgb colour);
    bool IsChecked(forms::CheckBoxName name) const;
    void SetChecked(forms::CheckBoxName name, bool checked);

    template <forms::ControlKind... Kinds>
    bool IsEnabled(forms::ControlName<Kinds...> name) const {
        const QWidget* widget = Widget(name);
        return widget && widget->isEnabled();
    }
    template <forms::ControlKind... Kinds>
    void SetEnabled(forms::ControlName<Kinds...> name, bool enabled) {
        if (QWidget* widget = Widget(name)) widget->setEnabled(enabled);
    }
    // A control shown or hidden, as the 交班 button while someone is on duty.
    template <forms::ControlKind... Kinds>
    void SetVisible(forms::ControlName<Kinds...> name, bool visible) {
        if (QWidget* widget = Widget(name)) widget->setVisible(visible);
    }
    // The control's height, its width and place as they were.
    template <forms::ControlKind... Kinds>
    void SetHeight(forms::ControlName<Kinds...> name, int height) {
        if (QWidget* widget = Widget(name)) widget->resize(widget->width(), height);
    }
    // The keyboard focus goes to the named control, as after a refusal that names its field.
    template <forms::ControlKind... Kinds>
    void Focus(forms::ControlName<Kinds...> name) {
        if (QWidget* widget = Widget(name)) widget->setFocus(Qt::OtherFocusReason);
    }

    // List views. Whatever model a list shows, it is read through its QAbstractItemModel.
    // Replaces every row at once: far cheaper than clearing and appending row by row.
    void SetRows(forms::ListName name, std::vector<std::vector<std::string>> rows);
    void SetCell(forms::ListName name, int row, int column, std::string_view text);
    std::string Cell(forms::ListName name, int row, int column) const;
    int RowCount(forms::ListName name) const;
    std::span<const forms::Column> Columns(forms::ListName name) const;
    void ScrollToTop(forms::ListName name);
    // The list's rows. A window whose rows are too many to copy and convert up front puts a model
    // of its own in place of the framework's row store; the view then owns it.
    QAbstractItemModel* ListModel(forms::ListName name) const;
    void ReplaceListModel(forms::ListName name, QAbstractItemModel* model);
    // The list's cells take the colours `colouring` keeps for them (see AttachParent).
    void AttachColouring(forms::ListName name, lvcolor::ListViewColouring& colouring);

    // A list's own rows read and written in bulk, as a refresh pass does every second: its view
    // hears of the changes once, when the edit ends. A list that shows a model of its own has no
    // such rows, and the edit finds none.
    class ListEdit {
      public:
        ListEdit(const Form& form, forms::ListName list);
        ~ListEdit();
        ListEdit(const ListEdit&) = delete;
        ListEdit& operator=(const ListEdit&) = delete;

        int RowCount() const;
        const std::string& Cell(int row, int column) const;
        void SetCell(int row, int column, std::string text);

      private:
        TableModel* m_model;
        int m_top = -1, m_left = -1, m_bottom = -1, m_right = -1;  // of the cells changed
    };

    int SelectedRow(forms::ListName name) const;
    // Selects the whole row; -1 clears the selection.
    void SelectRow(forms::ListName name, int row);

    // List boxes and combo boxes.
    void AppendEntry(forms::ListBoxName name, std::string_view text);
    void AppendEntry(forms::ComboName name, std::string_view text);
    void ClearEntries(forms::ListBoxName name);
    void ClearEntries(forms::ComboName name);
    int SelectedIndex(forms::ListBoxName name) const;
    int SelectedIndex(forms::ComboName name) const;
    // -1 leaves no entry current.
    void SelectEntry(forms::ListBoxName name, int index);
    void SelectEntry(forms::ComboName name, int index);
    std::string SelectedText(forms::ListBoxName name) const;
    std::string SelectedText(forms::ComboName name) const;

    void SetBars(forms::ChartName name, std::vector<Bar> bars);

    void SetStatusPart(forms::StatusBarName name, int part, std::string_view text);
    std::string StatusPart(forms::StatusBarName name, int part) const;

    // The window's pop-up menu.
    void SetMenuEntryEnabled(forms::MenuEntryName entry, bool enabled);
    bool IsMenuEntryEnabled(forms::MenuEntryName entry) const;
    void ShowMenu();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Made {
        forms::ControlKind kind;
        QObject* object;
    };

    Form(const forms::Window& definition, const Handlers& handlers, QWidget* owner);
    void Build();
    void BuildMenu();
    void Dispatch(forms::Event event, std::u16string_view control);
    // The control of that name when it is of one of `kinds`; nullptr otherwise.
    QObject* Find(std::u16string_view name, std::span<const forms::ControlKind> kinds) const;
    template <forms::ControlKind... Kinds>
    QWidget* Widget(forms::ControlName<Kinds...> name) const {
        return static_cast<QWidget*>(Find(name.text, name.kinds));
    }

    const forms::Window& m_definition;
    const Handlers& m_handlers;
    std::map<std::u16string_view, Made> m_controls;
    QMenu* m_menu = nullptr;
    std::map<std::u16string_view, QAction*> m_menuEntries;
};

}  // namespace durava::ui
