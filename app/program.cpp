// SPDX-License-Identifier: MIT
#include "app/program.h"

#include "history/windows/checkout.h"
#include "history/windows/takingswindow.h"
#include "history/windows/viewer.h"
#include "items/windows/register.h"
#include "mainwin/mainwindow.h"

namespace durava::app {

void RegisterHandlers(mainwin::Globals& globals) {
    mainwin::RegisterMainWindow(globals);
    items::RegisterItemManagement(globals);
    history::RegisterCheckout(globals);
    history::RegisterHistoryViewer(globals);
    history::RegisterTakingsWindow(globals);
}

}  // namespace durava::app
