#include "support/program_fixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTableView>
#include <QTimer>

#include "app/program.h"
#include "core/forms.h"
#include "mainwin/itemlist.h"
#include "ui/appearance.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/screentext.h"

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
    m_globals.app = core::StartUp(m_documents.path());
    app::RegisterHandlers(m_globals);
    ui::Form::Open(core::forms::MainWindow(), m_globals.handlers);
}

ProgramFixture::~ProgramFixture() {
    if (m_globals.MainWindow) delete m_globals.MainWindow;
    ui::AnswerMessagesWith({});
    ui::ChooseMenuEntriesWith({});
    core::SetClock({});
}

std::filesystem::path ProgramFixture::MonthFile() const {
    return core::HistoryFilePath(m_globals.app.HistoryFolder, core::CurrentTime());
}

void ProgramFixture::SetNow(core::CalendarTime now) {
    const core::DateTime fixed = core::ToDateTime(now);
    core::SetClock([fixed] { return fixed; });
}

bool ProgramFixture::ChooseFromRowMenu(int row, std::u16string_view entry) {
    auto* list = qobject_cast<QTableView*>(Main().Control(mainwin::kMainList));
    list->setFocus();
    if (row >= 0) list->selectRow(row);
    bool shown = false;
    const QString wanted = ui::ToScreen(entry);
    ui::ChooseMenuEntriesWith([&](QMenu& menu) -> QAction* {
        shown = true;
        for (QAction* action : menu.actions()) {
            if (action->text() == wanted) return action;
        }
        return nullptr;
    });
    // No row: the empty space below the rows.
    const QPoint at = row >= 0 ? list->visualRect(list->model()->index(row, 0)).center()
                               : QPoint(5, list->viewport()->height() - 2);
    emit list->customContextMenuRequested(at);
    ui::ChooseMenuEntriesWith({});
    return shown;
}

void ProgramFixture::WhenOpen(const char* windowName, std::function<void(ui::Form&)> act) {
    QTimer::singleShot(0, [name = QString::fromLatin1(windowName), act = std::move(act)] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<ui::Form*>(window);
            if (form && form->objectName() == name && form->isVisible()) return act(*form);
        }
        qFatal("window %s did not open", qPrintable(name));
    });
}

void ProgramFixture::AnswerMessages(bool ok) {
    ui::AnswerMessagesWith([this, ok](const QString& caption, const QString& text) {
        m_messages.append(caption + u'|' + text);
        return ok;
    });
}

QString ProgramFixture::MainCell(int row, int column) {
    return ui::ToScreen(Main().Cell(mainwin::kMainList, row, column));
}

}  // namespace durava::testing
