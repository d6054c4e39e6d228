// SPDX-License-Identifier: MIT
#include "windows/history/viewer.h"

#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "history/monthfiles.h"
#include "history/receipt.h"
#include "history/takings.h"
#include "journal/entry.h"
#include "ui/form.h"
#include "ui/printing.h"
#include "ui/screenconversion.h"
#include "windows/history/monthmodel.h"
#include "windows/history/takingswindow.h"
#include "windows/trust/ownerprompt.h"

namespace durava::windows {
namespace {

using namespace forms::history_window;
namespace op = forms::operation;

void OpenHistory(windows::Globals& globals) {
    if (!OwnerAllows(globals, people::OwnerAction::History)) return;
    ui::Form::Open(forms::HistoryWindow(), globals.handlers);
}

void ListHistoryFiles(windows::Globals& globals, ui::Form& window) {
    core::TextArray files;
    history::FindFiles(globals.app.HistoryFolder, history::kMonthFilePattern, files);
    for (const std::string& name : files) {
        window.AppendEntry(kMonthList, history::MonthFile(name).Title());
    }
    // A list view that takes the focus without a current entry makes its first entry current,
    // which would show the oldest month unasked; one explicit choice of none stops that.
    window.SelectEntry(kMonthList, -1);
}

// The first month shown replaces the framework's row store, which would copy and convert every
// cell of a large month up front.
HistoryMonthModel& MonthModel(ui::Form& window) {
    if (auto* model = qobject_cast<HistoryMonthModel*>(window.ListModel(kMonthTable))) {
        return *model;
    }
    auto* model = new HistoryMonthModel(window.Columns(kMonthTable), nullptr);
    window.ReplaceListModel(kMonthTable, model);
    return *model;
}

history::MonthFile ChosenMonth(const ui::Form& window) {
    return history::MonthFile::Titled(window.SelectedText(kMonthList));
}

void ShowHistoryMonth(windows::Globals& globals, ui::Form& window) {
    history::HistoryMonth month =
        history::ReadHistoryMonth(ChosenMonth(window).Path(globals.app.HistoryFolder));
    const std::size_t count = month.RecordCount();
    MonthModel(window).Show(std::move(month));
    window.ScrollToTop(kMonthTable);
    window.SetText(kCountLabel, core::Fixed(u"共 ") +
                                    core::IntegerToText(static_cast<long long>(count)) +
                                    core::Fixed(u" 条记录"));
}

// The month on display, or the current month while none is chosen.
void OpenTakings(windows::Globals& globals, const ui::Form& window) {
    if (!OwnerAllows(globals, people::OwnerAction::Takings)) return;
    OpenTakingsWindow(globals, window.SelectedIndex(kMonthList) < 0
                                   ? history::MonthFile::Of(core::CurrentTime())
                                   : ChosenMonth(window));
}

void UpdateRecordMenu(ui::Form& window) {
    window.SetMenuEntryEnabled(kReceiptEntry, window.SelectedRow(kMonthTable) >= 0);
    window.ShowMenu();
}

// Suggested as a PDF in the Documents folder, where no printer is set up. A receipt printed names
// its use in the journal: one printed again for another customer shows there.
void PrintReceipt(windows::Globals& globals, ui::Form& window) {
    const int row = window.SelectedRow(kMonthTable);
    const auto* month = qobject_cast<const HistoryMonthModel*>(window.ListModel(kMonthTable));
    if (row < 0 || !month) return;
    const auto record = static_cast<std::size_t>(row);
    const std::vector<std::string> lines = history::ReceiptLines(month->Month(), record);
    const QString pdf = ui::FileIn(globals.app.SettingsPath().parent_path(),
                                   ui::ToScreen(std::u16string_view(u"小票.pdf")));
    if (!ui::PrintTillRoll(&window, pdf, u"消费小票", lines)) return;
    globals.JournalEvent({journal::Action::Print,
                          core::CurrentTime(),
                          {},
                          std::string(month->Month().Field(record, history::kFieldName)),
                          {{journal::Field::Slip, core::Fixed(u"小票")},
                           {journal::Field::StartTime,
                            std::string(month->Month().Field(record, history::kFieldStart))}}});
}

}  // namespace

void RegisterHistoryViewer(windows::Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    handlers.Add(op::kOpenHistory, [&globals](ui::Form&) { OpenHistory(globals); });
    handlers.Add(op::kListHistoryFiles,
                 [&globals](ui::Form& window) { ListHistoryFiles(globals, window); });
    handlers.Add(op::kShowHistoryMonth,
                 [&globals](ui::Form& window) { ShowHistoryMonth(globals, window); });
    handlers.Add(op::kOpenTakings, [&globals](ui::Form& window) { OpenTakings(globals, window); });
    handlers.Add(op::kUpdateRecordMenu, [](ui::Form& window) { UpdateRecordMenu(window); });
    handlers.Add(op::kPrintReceipt,
                 [&globals](ui::Form& window) { PrintReceipt(globals, window); });
}

}  // namespace durava::windows
