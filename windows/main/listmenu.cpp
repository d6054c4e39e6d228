// SPDX-License-Identifier: MIT
#include "windows/main/listmenu.h"

#include "core/datetime.h"
#include "core/fixedtexts.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "ui/form.h"
#include "windows/main/itemlist.h"
#include "windows/main/outcomes.h"

namespace durava::windows {
namespace {

using namespace forms::main_window;

void EnableEntries(ui::Form& main, bool idle) {
    main.SetMenuEntryEnabled(kStartEntry, idle);
    main.SetMenuEntryEnabled(kCheckoutEntry, !idle);
    main.SetMenuEntryEnabled(kModifyEntry, idle);
    main.SetMenuEntryEnabled(kDeleteEntry, idle);
    main.SetMenuEntryEnabled(kSwitchEntry, !idle);
}

}  // namespace

void UpdateListMenu(ui::Form& main) {
    const int row = main.SelectedRow(kMainList);
    if (row == -1) return;
    // Any other state keeps the entries as they were.
    const std::string state = main.Cell(kMainList, row, kColumnState);
    if (state == core::Texts().idle) EnableEntries(main, true);
    if (state == core::Texts().inUse) EnableEntries(main, false);
    main.ShowMenu();
}

void StartTiming(Globals& globals, ui::Form& main) {
    const int row = main.SelectedRow(kMainList);
    if (row == -1) return;
    const std::string name = main.Cell(kMainList, row, kColumnName);
    operations::Store store = globals.Store();
    const operations::Outcome outcome = operations::StartUse(store, name, core::CurrentTime());
    ReportOutcome(globals, &main, Operation::Start, outcome, name);
}

}  // namespace durava::windows
