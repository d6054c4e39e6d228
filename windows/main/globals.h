// SPDX-License-Identifier: MIT
#pragma once
// The program's global values, shared by the handlers of every window.

#include <memory>
#include <string>
#include <vector>

#include "journal/journal.h"
#include "lvcolor/colourmodel.h"
#include "operations/operations.h"
#include "store/startup.h"
#include "ui/handlers.h"

namespace durava::ui {
class Form;
}

namespace durava::windows {

struct Globals {
    store::AppState app;
    lvcolor::ListViewColouring MainListColours;
    ui::Handlers handlers;
    ui::Form* MainWindow = nullptr;  // while it is open
    // The journal every operation writes its entry to, opened with the main window.
    std::unique_ptr<journal::Journal> journal;
    std::unique_ptr<operations::Journaling> journaling;
    bool journalTroubleTold = false;  // a journal that cannot be written is told once
    // The slip of this desk's last shift close, as it was then, to be printed again while the
    // program runs.
    std::vector<std::string> lastShiftSlip;

    operations::Store Store() {
        return {app.Settings, app.HistoryFolder, store::kLockPatience, journaling.get()};
    }
    // An entry of the program's own (its end, the clock gone back, an export, a slip printed), as
    // done by the operator on duty.
    bool JournalEvent(journal::Entry entry) {
        operations::Store store = Store();
        return operations::JournalEvent(store, std::move(entry));
    }
};

}  // namespace durava::windows
