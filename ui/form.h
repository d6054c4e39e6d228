// SPDX-License-Identifier: MIT
#pragma once
// One window built from its definition. Handlers reach its controls by the names the definition
// gives them (the Qt objectName is that name too) and meet every text as a program text.
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/forms.h"
#include "ui/widgets/bar.h"

class QAbstractItemModel;
class QAbstractItemView;
class QLabel;
class QMenu;
class QAction;

namespace durava::ui {

class Handlers;
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
    // The named control, or nullptr.
    QObject* Control(std::u16string_view name) const;
    // A stable number that identifies the window (empty name) or one of its controls.
    std::intptr_t Handle(std::u16string_view name = {}) const;

    std::string Text(std::u16string_view name) const;
    // Edit boxes: the text as typed, before it is converted to code page 936.
    std::u16string TypedText(std::u16string_view name) const;
    void SetText(std::u16string_view name, std::string_view text);
    bool IsEnabled(std::u16string_view name) const;
    void SetEnabled(std::u16string_view name, bool enabled);
    // The keyboard focus goes to the named control, as after a refusal that names its field.
    void Focus(std::u16string_view name);

    // List views.
    // Replaces every row at once: far cheaper than clearing and appending row by row.
    void SetRows(std::u16string_view name, std::vector<std::vector<std::string>> rows);
    void SetCell(std::u16string_view name, int row, int column, std::string_view text);
    std::string Cell(std::u16string_view name, int row, int column) const;
    int RowCount(std::u16string_view name) const;
    std::span<const forms::Column> Columns(std::u16string_view name) const;
    void ScrollToTop(std::u16string_view name);
    // The view itself, for a drawing hook that paints its cells.
    QAbstractItemView* View(std::u16string_view name) const;
    // The list's rows. A window whose rows are too many to copy and convert up front puts a model
    // of its own in place of the framework's row store; the view then owns it.
    QAbstractItemModel* ListModel(std::u16string_view name) const;
    void ReplaceListModel(std::u16string_view name, QAbstractItemModel* model);

    // A list's cells read and written in bulk, as a refresh pass does every second: the list is
    // found by its name once, and its view hears of the changes once, when the edit ends.
    class ListEdit {
      public:
        ~ListEdit();
        ListEdit(const ListEdit&) = delete;
        ListEdit& operator=(const ListEdit&) = delete;

        int RowCount() const;
        const std::string& Cell(int row, int column) const;
        void SetCell(int row, int column, std::string text);

      private:
        friend class Form;
        explicit ListEdit(TableModel* model) : m_model(model) {}

        TableModel* m_model;
        int m_top = -1, m_left = -1, m_bottom = -1, m_right = -1;  // of the cells changed
    };
    ListEdit EditList(std::u16string_view name);

    int SelectedRow(std::u16string_view name) const;
    // Selects the whole row; -1 clears the selection.
    void SelectRow(std::u16string_view name, int row);

    // List boxes and combo boxes.
    void AppendEntry(std::u16string_view name, std::string_view text);
    void ClearEntries(std::u16string_view name);
    int SelectedIndex(std::u16string_view name) const;
    // -1 leaves no entry current.
    void SelectEntry(std::u16string_view name, int index);
    std::string SelectedText(std::u16string_view name) const;

    // Bar charts.
    void SetBars(std::u16string_view name, std::vector<Bar> bars);

    void SetStatusPart(std::u16string_view name, int part, std::string_view text);
    std::string StatusPart(std::u16string_view name, int part) const;

    // The window's pop-up menu: entries are named by their texts.
    void SetMenuEntryEnabled(std::u16string_view entry, bool enabled);
    bool IsMenuEntryEnabled(std::u16string_view entry) const;
    void ShowMenu();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Form(const forms::Window& definition, const Handlers& handlers, QWidget* owner);
    void Build();
    void BuildMenu();
    void Dispatch(forms::Event event, std::u16string_view control);
    TableModel* Model(std::u16string_view name) const;

    const forms::Window& m_definition;
    const Handlers& m_handlers;
    std::map<std::u16string_view, QObject*> m_controls;
    std::map<std::u16string_view, std::vector<QLabel*>> m_statusParts;
    QMenu* m_menu = nullptr;
    std::map<std::u16string_view, QAction*> m_menuEntries;
};

}  // namespace durava::ui
