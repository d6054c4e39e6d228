#pragma once
// The program's global values, shared by the handlers of every window.
#include <cstdint>

#include "billing/rowcharges.h"
#include "core/store/startup.h"
#include "lvcolor/colourmodel.h"
#include "operations/bill.h"
#include "operations/operations.h"
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
    operations::Bill CheckoutBill;           // what the checkout window shows
    std::uint64_t ListGeneration = 0;        // of the settings file the list was filled from
    billing::RowCharges ListCharges;         // of the main list's rows in use

    operations::Store Store() { return {app.Settings, app.HistoryFolder}; }
};

}  // namespace durava::mainwin
