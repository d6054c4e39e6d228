// SPDX-License-Identifier: MIT
#pragma once
// The program's global values, shared by the handlers of every window.

#include <memory>

#include "lvcolor/colourmodel.h"
#include "operations/operations.h"
#include "store/startup.h"
#include "trust/journal.h"
#include "trust/lockout.h"
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
    std::unique_ptr<trust::Journal> journal;
    std::unique_ptr<operations::Journaling> journaling;
    bool journalTroubleTold = false;  // a journal that cannot be written is told once
    // Wrong PINs and owner's passwords in a row, for the whole desk.
    trust::Lockout lockout;

    operations::Store Store() {
        return {app.Settings, app.HistoryFolder, store::kLockPatience, journaling.get()};
    }
    // An entry of the program's own (its end, the clock gone back, an export, a slip printed), as
    // done by the operator on duty.
    bool JournalEvent(trust::Entry entry) {
        operations::Store store = Store();
        return operations::JournalEvent(store, std::move(entry));
    }
};

}  // namespace durava::windows
