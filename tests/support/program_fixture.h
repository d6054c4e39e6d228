// SPDX-License-Identifier: MIT
#pragma once
// The whole program on a fresh Documents folder, its clock under the test's control: the main
// window open, every handler registered, as the process entry sets it up.
#include <QStringList>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "forms/formnames.h"
#include "support/temp_folder.h"
#include "ui/form.h"
#include "ui/screenconversion.h"
#include "windows/main/globals.h"

class QMenu;
class QAction;
class QTableView;

namespace durava::testing {

class ProgramFixture {
  public:
    // `settings` becomes ROOMSETTING.ini before the main window opens (UTF-8 here, stored as
    // GBK); none leaves the file missing.
    explicit ProgramFixture(std::string_view settings = {},
                            core::CalendarTime now = {2024, 5, 6, 13, 0, 0});
    // `prepare` gets the Documents folder before the program starts on it.
    ProgramFixture(const std::function<void(const std::filesystem::path&)>& prepare,
                   core::CalendarTime now);
    ~ProgramFixture();
    ProgramFixture(const ProgramFixture&) = delete;
    ProgramFixture& operator=(const ProgramFixture&) = delete;

    windows::Globals& globals() { return m_globals; }
    ui::Form& Main() { return *m_globals.MainWindow; }
    const TempFolder& Documents() const { return m_documents; }
    std::filesystem::path SettingsFile() const { return m_documents / "ROOMSETTING.ini"; }
    // The month file of the clock's month.
    std::filesystem::path MonthFile() const;

    void SetNow(core::CalendarTime now);
    // Clicks 历史记录 as the operator does and returns the window it opened.
    ui::Form& OpenHistoryWindow();
    // Selects the row and right-clicks it, or for -1 the space below the rows; `entry` (a menu
    // text) is chosen if the menu shows. Returns whether a menu was shown.
    bool ChooseFromRowMenu(int row, std::u16string_view entry);
    // Runs `act` on the named window as soon as it opens (before `then` is called), from inside
    // its modal loop; `act` closes it or leaves it for the window's own handlers to close.
    static void WhenOpen(const char* windowName, std::function<void(ui::Form&)> act);
    // Answers every message box with `ok`, recording caption and text.
    void AnswerMessages(bool ok);
    const QStringList& Messages() const { return m_messages; }
    // The cell text of the main list, as UTF-8 for readable comparisons.
    QString MainCell(int row, int column);

  private:
    TempFolder m_documents;
    windows::Globals m_globals;
    QStringList m_messages;
};

// The visible windows of that name, and the first of them or null.
std::vector<ui::Form*> OpenWindows(std::string_view name);
ui::Form* OpenWindow(std::string_view name);

// A label's, button's or edit box's text.
template <class Name>
QString TextOf(const ui::Form& window, Name control) {
    return ui::ToScreen(window.Text(control));
}
void Click(ui::Form& window, forms::ButtonName button);

struct MenuAnswer {
    bool shown = false;
    bool entryEnabled = false;
};
// Right-clicks the row, or for -1 the space below the rows, and chooses `entry` (a menu text) if
// the menu shows it.
MenuAnswer RightClickAndChoose(QTableView& table, int row, std::u16string_view entry);

}  // namespace durava::testing
