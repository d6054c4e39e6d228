#pragma once
// The program's global values, shared by the handlers of every window.
#include "core/startup.h"
#include "lvcolor/colourmodel.h"
#include "ui/handlers.h"

namespace durava::ui {
class Form;
}

namespace durava::mainwin {

struct Globals {
    core::AppState app;
    lvcolor::ListViewColouring MainListColours;
    ui::Handlers handlers;
    ui::Form* MainWindow = nullptr;          // while it is open
    std::filesystem::path TakingsMonthPath;  // the month file the takings window opens on
};

}  // namespace durava::mainwin
