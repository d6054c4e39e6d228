#include "app/program.h"

#include "history/checkout.h"
#include "history/takingswindow.h"
#include "history/viewer.h"
#include "items/register.h"
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
