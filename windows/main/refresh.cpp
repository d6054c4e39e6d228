// SPDX-License-Identifier: MIT
#include "windows/main/refresh.h"

#include <memory>

#include "billing/duration.h"
#include "billing/fee.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "journal/entry.h"
#include "ui/form.h"
#include "ui/widgets/statusbar.h"
#include "ui/windowstate.h"
#include "ui/work/repeat.h"
#include "windows/main/itemlist.h"
#include "windows/main/liststate.h"
#include "windows/main/refreshschedule.h"

namespace durava::windows {

void RefreshPass(Globals& globals, ui::Form& main) {
    ListState* kept = ui::Kept<ListState>(main);
    if (!kept) return;
    ListState& shown = *kept;
    const core::FixedTexts& texts = core::Texts();
    // One look at the settings file per pass, however many items are in use.
    const store::SettingsFile::OneLook look(globals.app.Settings);
    // Another copy of the program, or another desk, may have changed the items; if not, whoever
    // changed them did it outside Durava, and the journal names it.
    if (globals.app.Settings.Generation() != shown.generation) {
        operations::Store store = globals.Store();
        operations::JournalChangeOutside(store, core::CurrentTime());
        FillItemList(globals, main);
    }

    ui::Form::ListEdit list(main, kMainList);
    const int rows = list.RowCount();
    int idle = 0;
    // Every row is timed to the same moment.
    const core::DateTime now = core::CurrentTime();
    // A clock set back while uses run bills them short: the owner hears of it from the journal.
    // A minute of slack lets the clock be set right by a few seconds unjournaled.
    if (shown.lastPass != 0 && core::TimeDifference(shown.lastPass, now) > 60) {
        globals.JournalEvent({journal::Action::ClockBack,
                              now,
                              {},
                              {},
                              {{journal::Field::From, core::TimeText(shown.lastPass)},
                               {journal::Field::To, core::TimeText(now)}}});
    }
    shown.lastPass = now;
    shown.statusBar->SetPart(1, core::IntegerToText(rows));
    for (int row = 0; row < rows; ++row) {
        const std::string& state = list.Cell(row, kColumnState);
        if (state == texts.idle) ++idle;
        if (state != texts.inUse) continue;
        std::optional<billing::ChargeSoFar> charge =
            shown.charges.At(globals.app.Settings, static_cast<std::size_t>(row),
                             list.Cell(row, kColumnName), list.Cell(row, kColumnStart), now);
        if (!charge) {
            // A start time that cannot be read would show a huge or negative use; say so instead.
            list.SetCell(row, kColumnDuration, core::Fixed(u"开始时间有误"));
            list.SetCell(row, kColumnFee, texts.none);
            continue;
        }
        const billing::DurationParts parts = billing::SplitDuration(charge->seconds);
        list.SetCell(
            row, kColumnDuration,
            billing::LiveDurationText(parts.days, parts.hours, parts.minutes, parts.seconds));
        list.SetCell(row, kColumnFee, std::move(charge->fee));
    }
    shown.statusBar->SetPart(3, core::IntegerToText(idle));
    shown.statusBar->SetPart(5, core::RealToText(static_cast<double>(rows) - idle));
}

void StartRefreshWorker(Globals& globals, ui::Form& main) {
    // Passes never overlap or queue up, and the list is only touched on the thread that owns it.
    ui::Repeat(main, [&globals, &main, schedule = std::make_shared<RefreshSchedule>()] {
        if (schedule->PassDue()) RefreshPass(globals, main);
        return RefreshSchedule::MillisecondsToNextCheck();
    });
}

}  // namespace durava::windows
