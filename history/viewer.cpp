#include "history/viewer.h"

#include <QListWidget>
#include <QTableView>

#include "core/codepage.h"
#include "core/formnames.h"
#include "core/forms.h"
#include "core/numbers.h"
#include "core/texts.h"
#include "history/monthfiles.h"
#include "history/monthmodel.h"
#include "ui/form.h"

namespace durava::history {
namespace {

using namespace core::forms::history_window;
// What FileTitle took off the file name.
constexpr char kTitleExtension[] = ".txt";

void OpenHistory(mainwin::Globals& globals) {
    ui::Form::Open(core::forms::HistoryWindow(), globals.handlers);
}

void ListHistoryFiles(mainwin::Globals& globals, ui::Form& window) {
    core::TextArray& files = globals.app.HistoryFileList;
    FindFiles(globals.app.HistoryFolder, kMonthFilePattern, files);
    for (const std::string& name : files) window.AppendEntry(kMonthList, FileTitle(name));
    // A list view that takes the focus without a current entry makes its first entry current,
    // which would show the oldest month unasked; one explicit choice of none stops that.
    qobject_cast<QListWidget*>(window.Control(kMonthList))->setCurrentIndex({});
}

std::span<const core::forms::Column> ColumnsOf(const ui::Form& window, std::u16string_view name) {
    for (const core::forms::Control& control : window.Definition().controls) {
        if (control.name == name) return control.columns;
    }
    return {};
}

// The first month shown replaces the framework's row store, which would copy and convert every
// cell of a large month up front.
HistoryMonthModel& MonthModel(ui::Form& window, QTableView& view) {
    if (auto* model = qobject_cast<HistoryMonthModel*>(view.model())) return *model;
    auto* model = new HistoryMonthModel(ColumnsOf(window, kMonthTable), &view);
    QAbstractItemModel* rows = view.model();
    QItemSelectionModel* selection = view.selectionModel();
    view.setModel(model);
    delete selection;
    delete rows;
    return *model;
}

void ShowHistoryMonth(mainwin::Globals& globals, ui::Form& window) {
    HistoryMonth month =
        ReadHistoryMonth(globals.app.HistoryFolder /
                         core::NativePath(window.SelectedText(kMonthList) + kTitleExtension));
    const std::size_t count = month.RecordCount();
    auto& view = *qobject_cast<QTableView*>(window.Control(kMonthTable));
    MonthModel(window, view).Show(std::move(month));
    view.scrollToTop();
    window.SetText(kCountLabel, core::Fixed(u"共 ") +
                                    core::IntegerToText(static_cast<long long>(count)) +
                                    core::Fixed(u" 条记录"));
}

}  // namespace

void RegisterHistoryViewer(mainwin::Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    handlers.Add(core::forms::operation::kOpenHistory,
                 [&globals](ui::Form&) { OpenHistory(globals); });
    handlers.Add(core::forms::operation::kListHistoryFiles,
                 [&globals](ui::Form& window) { ListHistoryFiles(globals, window); });
    handlers.Add(core::forms::operation::kShowHistoryMonth,
                 [&globals](ui::Form& window) { ShowHistoryMonth(globals, window); });
}

}  // namespace durava::history
