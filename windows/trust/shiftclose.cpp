// SPDX-License-Identifier: MIT
#include "windows/trust/shiftclose.h"

#include <optional>
#include <string>
#include <vector>

#include "audit/checktexts.h"
#include "audit/shift.h"
#include "billing/duration.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "history/takingstexts.h"
#include "journal/files/ourfiles.h"
#include "journal/journaltexts.h"
#include "operations/owed.h"
#include "operations/shiftslip.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/printing.h"
#include "ui/screenconversion.h"
#include "ui/windowstate.h"
#include "windows/main/mainwindow.h"
#include "windows/trust/login.h"

namespace durava::windows {
namespace {

using namespace forms::shift_window;
using core::Fixed;

constexpr forms::Rgb kEven = 0x000000, kUneven = 0xFF0000;
constexpr std::u16string_view kSlip = u"交班单";

// The shift as the window showed it, which the operator counted against; `closed` tells the opener
// that the desk goes to the next login.
struct ShownShift {
    bool* closed;
    audit::Shift shift{};
};

std::vector<std::vector<std::string>> RunningRows(const operations::OwedNow& owed) {
    std::vector<std::vector<std::string>> rows;
    for (const operations::OwedUse& use : owed.uses) {
        std::string used = Fixed(u"开始时间有误");
        if (use.seconds) {
            const billing::DurationParts parts = billing::SplitDuration(*use.seconds);
            used = billing::LiveDurationText(parts.days, parts.hours, parts.minutes, parts.seconds);
        }
        rows.push_back({use.item, use.start, std::move(used),
                        use.yuan ? history::YuanText(*use.yuan) : Fixed(u"无法计费")});
    }
    return rows;
}

void InitShiftClose(Globals& globals, ui::Form& window) {
    ShownShift* kept = ui::Kept<ShownShift>(window);
    if (!kept || !globals.journaling) return;
    ShownShift& shown = *kept;
    const core::DateTime now = core::CurrentTime();
    const std::string& name = globals.journaling->operatorName;
    // A login the journal lost leaves a shift without a start and with nothing expected.
    shown.shift = audit::OpenShift(journal::DuravaFolder(globals.app.SettingsPath()), name, now)
                      .value_or(audit::Shift{.since = core::Texts().none});
    window.SetText(kOperatorLabel, name);
    window.SetText(kSinceLabel, shown.shift.since);
    window.SetText(kExpectedLabel, operations::ExpectedText(shown.shift));
    window.SetRows(kRunningTable, RunningRows(operations::OwedAt(globals.app.Settings, now)));
}

void CountCash(ui::Form& window) {
    const ShownShift* shown = ui::Kept<ShownShift>(window);
    if (!shown) return;
    const std::optional<operations::CashCount> cash =
        operations::CountCash(window.Text(kCountedBox), shown->shift.yuan);
    window.SetText(kDifferenceLabel, cash ? history::YuanText(cash->difference) : std::string());
    window.SetTextColour(kDifferenceLabel, cash && cash->difference != 0 ? kUneven : kEven);
}

journal::Entry ShiftCloseEntry(const audit::Shift& shift, const operations::CashCount& cash,
                               core::DateTime now) {
    return {journal::Action::ShiftClose,
            now,
            {},
            {},
            {{journal::Field::Expected, core::IntegerToText(shift.yuan)},
             {journal::Field::Counted, core::IntegerToText(cash.counted)},
             {journal::Field::Difference, core::IntegerToText(cash.difference)}}};
}

// A shift close the journal cannot hold did not happen: the shift stays open.
bool JournalShiftClose(Globals& globals, ui::Form& window, journal::Entry entry) {
    globals.journaling->problem.reset();
    if (globals.JournalEvent(std::move(entry))) return true;
    const std::optional<journal::FileTrouble>& problem = globals.journaling->problem;
    ui::ShowMessage(
        &window, Fixed(u"操作失败"),
        problem ? journal::ProblemText(*problem) : Fixed(u"交班没有记入日志，请稍后再试。"));
    return false;
}

// The slip as it was at the close, each time it is printed.
void PrintShiftSlip(Globals& globals, QWidget* window) {
    const QString pdf = ui::FileIn(globals.app.SettingsPath().parent_path(),
                                   ui::ToScreen(kSlip) + QStringLiteral(".pdf"));
    if (!ui::PrintTillRoll(window, pdf, kSlip, globals.lastShiftSlip)) return;
    globals.JournalEvent({journal::Action::Print,
                          core::CurrentTime(),
                          {},
                          {},
                          {{journal::Field::Slip, Fixed(kSlip)}}});
}

void CloseShift(Globals& globals, ui::Form& window) {
    ShownShift* kept = ui::Kept<ShownShift>(window);
    if (!kept || !globals.journaling) return;
    ShownShift& shown = *kept;
    const std::optional<operations::CashCount> cash =
        operations::CountCash(window.Text(kCountedBox), shown.shift.yuan);
    if (!cash) {
        ui::ShowMessage(&window, Fixed(u"无法交班"), Fixed(u"请先输入点清的实收现金（整元）。"));
        window.Focus(kCountedBox);
        return;
    }
    const core::DateTime now = core::CurrentTime();
    if (!JournalShiftClose(globals, window, ShiftCloseEntry(shown.shift, *cash, now))) return;
    // The close is journaled: a slip the operator did not print can be printed again from the
    // login that follows, as it was now.
    globals.lastShiftSlip = operations::ShiftSlipLines(
        globals.journaling->operatorName, shown.shift, *cash,
        operations::OwedAt(globals.app.Settings, now), now, globals.journal->Head());
    PrintShiftSlip(globals, &window);
    *shown.closed = true;
    window.close();
}

// Once the window is gone, the operator logs out and the next one logs in; no one logging in ends
// the program.
void OpenShiftClose(Globals& globals, ui::Form& main) {
    if (!globals.journaling || globals.journaling->operatorName.empty()) return;
    bool closed = false;
    ui::Form::Open(forms::ShiftWindow(), globals.handlers, &main,
                   [&closed](ui::Form& window) { ui::Keep(window, ShownShift{&closed}); });
    if (!closed) return;
    globals.JournalEvent({journal::Action::Logout, core::CurrentTime()});
    globals.journaling->operatorName.clear();
    ShowOnDuty(globals);
    HandOver(globals);
}

}  // namespace

void RegisterShiftClose(Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    namespace op = forms::operation;
    handlers.Add(op::kOpenShiftClose,
                 [&globals](ui::Form& main) { OpenShiftClose(globals, main); });
    handlers.Add(op::kInitShiftClose,
                 [&globals](ui::Form& window) { InitShiftClose(globals, window); });
    handlers.Add(op::kCountCash, [](ui::Form& window) { CountCash(window); });
    handlers.Add(op::kCloseShift, [&globals](ui::Form& window) { CloseShift(globals, window); });
    handlers.Add(op::kReprintShiftSlip,
                 [&globals](ui::Form& window) { PrintShiftSlip(globals, &window); });
}

}  // namespace durava::windows
