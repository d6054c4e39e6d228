// SPDX-License-Identifier: MIT
#include "support/program_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTableView>
#include <QTimer>

#include <algorithm>

#include "app/program.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "history/monthfiles.h"
#include "ui/appearance.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/printing.h"
#include "ui/screenconversion.h"
#include "windows/main/itemlist.h"

namespace durava::testing {

ProgramFixture::ProgramFixture(std::string_view settings, core::CalendarTime now)
    : ProgramFixture(
          [settings](const std::filesystem::path& documents) {
              if (!settings.empty()) WriteBytes(documents / "ROOMSETTING.ini", Gbk(settings));
          },
          now) {}

ProgramFixture::ProgramFixture(const std::function<void(const std::filesystem::path&)>& prepare,
                               core::CalendarTime now) {
    ui::SetUpAppearance();
    SetNow(now);
    prepare(m_documents.path());
    m_globals.app = store::StartUp(m_documents.path());
    app::RegisterHandlers(m_globals);
    ui::Form::Open(forms::MainWindow(), m_globals.handlers);
}

ProgramFixture::~ProgramFixture() {
    if (m_globals.MainWindow) delete m_globals.MainWindow;
    ui::AnswerMessagesWith({});
    ui::ChooseMenuEntriesWith({});
    ui::PrintPreviewsWith({});
    core::SetClock({});
}

std::filesystem::path ProgramFixture::MonthFile() const {
    return history::MonthFile::Of(core::CurrentTime()).Path(m_globals.app.HistoryFolder);
}

void ProgramFixture::SetNow(core::CalendarTime now) {
    const core::DateTime fixed = core::ToDateTime(now);
    core::SetClock([fixed] { return fixed; });
}

ui::Form& ProgramFixture::OpenHistoryWindow() {
    const char* const name = forms::HistoryWindow().name.data();
    const std::vector<ui::Form*> before = OpenWindows(name);
    Click(Main(), forms::main_window::kHistoryButton);
    for (ui::Form* window : OpenWindows(name)) {
        if (std::find(before.begin(), before.end(), window) == before.end()) return *window;
    }
    qFatal("the history window did not open");
}

bool ProgramFixture::ChooseFromRowMenu(int row, std::u16string_view entry) {
    QTableView* list = Main().Control(windows::kMainList);
    list->setFocus();
    if (row >= 0) list->selectRow(row);
    return RightClickAndChoose(*list, row, entry).shown;
}

namespace {

// A window that opens only once another has closed is looked for again, for up to two seconds.
constexpr int kLooks = 200, kLooksApartMs = 10;

void ActWhenOpen(std::string name, std::function<void(ui::Form&)> act, int looksLeft) {
    QTimer::singleShot(looksLeft == kLooks ? 0 : kLooksApartMs,
                       [name = std::move(name), act = std::move(act), looksLeft]() mutable {
                           if (ui::Form* form = OpenWindow(name)) return act(*form);
                           if (looksLeft == 0) qFatal("window %s did not open", name.c_str());
                           ActWhenOpen(std::move(name), std::move(act), looksLeft - 1);
                       });
}

}  // namespace

void ProgramFixture::WhenOpen(const char* windowName, std::function<void(ui::Form&)> act) {
    ActWhenOpen(windowName, std::move(act), kLooks);
}

void ProgramFixture::AnswerMessages(bool ok) {
    ui::AnswerMessagesWith([this, ok](const QString& caption, const QString& text) {
        m_messages.append(caption + u'|' + text);
        return ok;
    });
}

QString ProgramFixture::MainCell(int row, int column) {
    return ui::ToScreen(Main().Cell(windows::kMainList, row, column));
}

std::vector<ui::Form*> OpenWindows(std::string_view name) {
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    std::vector<ui::Form*> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<ui::Form*>(window);
        if (form && form->objectName() == wanted && form->isVisible()) windows.push_back(form);
    }
    return windows;
}

ui::Form* OpenWindow(std::string_view name) {
    const std::vector<ui::Form*> windows = OpenWindows(name);
    return windows.empty() ? nullptr : windows.front();
}

void Click(ui::Form& window, forms::ButtonName button) {
    window.Control(button)->click();
}

MenuAnswer RightClickAndChoose(QTableView& table, int row, std::u16string_view entry) {
    MenuAnswer answer;
    const QString wanted = ui::ToScreen(entry);
    ui::ChooseMenuEntriesWith([&](QMenu& menu) -> QAction* {
        answer.shown = true;
        for (QAction* action : menu.actions()) {
            if (action->text() == wanted) {
                answer.entryEnabled = action->isEnabled();
                return action;
            }
        }
        return nullptr;
    });
    // No row: the empty space below the rows.
    const QPoint at = row >= 0 ? table.visualRect(table.model()->index(row, 0)).center()
                               : QPoint(5, table.viewport()->height() - 2);
    emit table.customContextMenuRequested(at);
    ui::ChooseMenuEntriesWith({});
    return answer;
}

}  // namespace durava::testing
