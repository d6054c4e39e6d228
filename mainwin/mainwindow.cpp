// SPDX-License-Identifier: MIT
#include "mainwin/mainwindow.h"

#include "core/forms/formnames.h"

#include "mainwin/itemlist.h"
#include "mainwin/listmenu.h"
#include "mainwin/liststate.h"
#include "mainwin/notices.h"
#include "mainwin/refresh.h"
#include "ui/form.h"
#include "ui/widgets/colourdelegate.h"
#include "ui/windowstate.h"

namespace durava::mainwin {
namespace {

void InitMainWindow(Globals& globals, ui::Form& main) {
    globals.MainWindow = &main;
    ui::Keep(main, ListState{});
    globals.MainListColours.SetWindows(main.Handle(), main.Handle(kMainList));
    ui::AttachParent(globals.MainListColours, main.View(kMainList));
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
    handlers.Add(core::forms::operation::kInitMainWindow,
                 [&globals](ui::Form& main) { InitMainWindow(globals, main); });
    handlers.Add(core::forms::operation::kCloseMainWindow,
                 [&globals](ui::Form&) { CloseMainWindow(globals); });
    handlers.Add(core::forms::operation::kFillItemList,
                 [&globals](ui::Form&) { FillItemList(globals); });
    handlers.Add(core::forms::operation::kUpdateListMenu,
                 [&globals](ui::Form&) { UpdateListMenu(globals); });
    handlers.Add(core::forms::operation::kStartTiming,
                 [&globals](ui::Form&) { StartTiming(globals); });
    handlers.Add(core::forms::operation::kEndAndBill,
                 [&globals](ui::Form&) { EndAndBill(globals); });
}

}  // namespace durava::mainwin
