// SPDX-License-Identifier: MIT
#pragma once
// The program's global values, shared by the handlers of every window.

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

    operations::Store Store() { return {app.Settings, app.HistoryFolder}; }
};

}  // namespace durava::windows
