// SPDX-License-Identifier: MIT
#include "app/program.h"

#include "windows/history/checkout.h"
#include "windows/history/takingswindow.h"
#include "windows/history/viewer.h"
#include "windows/items/register.h"
#include "windows/main/mainwindow.h"
#include "windows/trust/login.h"
#include "windows/trust/register.h"
#include "windows/trust/shiftclose.h"

namespace durava::app {

void RegisterHandlers(windows::Globals& globals) {
    windows::RegisterMainWindow(globals);
    windows::RegisterItemManagement(globals);
    windows::RegisterCheckout(globals);
    windows::RegisterHistoryViewer(globals);
    windows::RegisterTakingsWindow(globals);
    windows::RegisterOwnerWindows(globals);
    windows::RegisterShiftClose(globals);
}

bool OpenDesk(windows::Globals& globals) {
    windows::OpenJournal(globals);
    if (windows::LogIn(globals)) return true;
    globals.JournalEvent({journal::Action::ProgramEnd, core::CurrentTime()});
    return false;
}

}  // namespace durava::app
