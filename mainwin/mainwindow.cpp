#include "mainwin/mainwindow.h"

#include <QTableView>

#include "lvcolor/colourdelegate.h"
#include "mainwin/itemlist.h"
#include "mainwin/listmenu.h"
#include "mainwin/notices.h"
#include "mainwin/refresh.h"
#include "ui/form.h"

namespace durava::mainwin {
namespace {

void InitMainWindow(Globals& globals, ui::Form& main) {
    globals.MainWindow = &main;
    globals.MainListColours.SetWindows(main.Handle(), main.Handle(kMainList));
    lvcolor::AttachParent(globals.MainListColours,
                          qobject_cast<QTableView*>(main.Control(kMainList)));
    FillItemList(globals);
    StartRefreshWorker(globals);
    if (globals.app.Settings.Unreadable()) ReportSettingsUnreadable(&main);
}

// The process entry ends the program when the main window is gone.
void CloseMainWindow(Globals& globals) {
    globals.MainListColours.DetachParent();
    globals.MainWindow = nullptr;
}

}  // namespace

void RegisterMainWindow(Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    handlers.Add("InitMainWindow", [&globals](ui::Form& main) { InitMainWindow(globals, main); });
    handlers.Add("CloseMainWindow", [&globals](ui::Form&) { CloseMainWindow(globals); });
    handlers.Add("FillItemList", [&globals](ui::Form&) { FillItemList(globals); });
    handlers.Add("UpdateListMenu", [&globals](ui::Form&) { UpdateListMenu(globals); });
    handlers.Add("StartTiming", [&globals](ui::Form&) { StartTiming(globals); });
    handlers.Add("EndAndBill", [&globals](ui::Form&) { EndAndBill(globals); });
}

}  // namespace durava::mainwin
