// SPDX-License-Identifier: MIT
#include "windows/main/mainwindow.h"

#include "forms/formnames.h"
#include "journal/files/ourfiles.h"
#include "people/protection.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "windows/main/itemlist.h"
#include "windows/main/listmenu.h"
#include "windows/main/liststate.h"
#include "windows/main/notices.h"
#include "windows/main/refresh.h"

namespace durava::windows {
namespace {

void InitMainWindow(Globals& globals, ui::Form& main) {
    globals.MainWindow = &main;
    OpenJournal(globals);
    ui::Keep(main, ListState{.generation = 0,
                             .charges = {},
                             .itemNames = {},
                             .statusBar = main.Control(kStatusBar)});
    globals.MainListColours.SetWindows(main.Handle(), main.Handle(kMainList));
    main.AttachColouring(kMainList, globals.MainListColours);
    FillItemList(globals, main);
    ShowOnDuty(globals);
    StartRefreshWorker(globals, main);
    if (globals.app.Settings.Unreadable()) ReportSettingsUnreadable(&main);
}

// The process entry ends the program when the main window is gone.
void CloseMainWindow(Globals& globals) {
    globals.JournalEvent({journal::Action::ProgramEnd, core::CurrentTime()});
    globals.MainListColours.DetachParent();
    globals.MainWindow = nullptr;
}

}  // namespace

void OpenJournal(Globals& globals) {
    if (globals.journal) return;
    const std::filesystem::path& settings = globals.app.SettingsPath();
    const bool owner = people::ReadOwnerRules(settings).On();
    globals.journal = std::make_unique<journal::Journal>(
        journal::DuravaFolder(settings),
        owner ? journal::Protection::Owner : journal::Protection::Unkeyed);
    globals.journaling = std::make_unique<operations::Journaling>(
        operations::Journaling{.journal = *globals.journal, .required = owner});
    operations::Store store = globals.Store();
    operations::JournalProgramStart(store, core::CurrentTime());
}

void ShowOnDuty(Globals& globals) {
    if (!globals.MainWindow) return;
    ui::Form& main = *globals.MainWindow;
    const std::string name = globals.journaling ? globals.journaling->operatorName : std::string();
    main.SetStatusPart(kStatusBar, forms::main_window::kOnDutyCaptionPart,
                       name.empty() ? "" : core::Fixed(u"当班："));
    main.SetStatusPart(kStatusBar, forms::main_window::kOnDutyPart, name);
    main.SetVisible(forms::main_window::kShiftButton, !name.empty());
}

void RegisterMainWindow(Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    handlers.Add(forms::operation::kInitMainWindow,
                 [&globals](ui::Form& main) { InitMainWindow(globals, main); });
    handlers.Add(forms::operation::kCloseMainWindow,
                 [&globals](ui::Form&) { CloseMainWindow(globals); });
    handlers.Add(forms::operation::kFillItemList,
                 [&globals](ui::Form& main) { FillItemList(globals, main); });
    handlers.Add(forms::operation::kUpdateListMenu, [](ui::Form& main) { UpdateListMenu(main); });
    handlers.Add(forms::operation::kStartTiming,
                 [&globals](ui::Form& main) { StartTiming(globals, main); });
}

}  // namespace durava::windows
