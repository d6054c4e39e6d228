#include "app/program.h"

#include "history/checkout.h"
#include "mainwin/mainwindow.h"

namespace durava::app {

void RegisterHandlers(mainwin::Globals& globals) {
    mainwin::RegisterMainWindow(globals);
    history::RegisterCheckout(globals);
}

}  // namespace durava::app
