// SPDX-License-Identifier: MIT
#include "windows/items/register.h"

#include "forms/formnames.h"

#include "windows/items/deleteitem.h"
#include "windows/items/itemdialog.h"
#include "windows/items/switchitem.h"

namespace durava::windows {

void RegisterItemManagement(windows::Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    handlers.Add(forms::operation::kOpenAddDialog,
                 [&globals](ui::Form& main) { OpenAddDialog(globals, main); });
    handlers.Add(forms::operation::kModifyItem,
                 [&globals](ui::Form& main) { ModifyItem(globals, main); });
    handlers.Add(forms::operation::kInitItemDialog,
                 [&globals](ui::Form& dialog) { InitItemDialog(globals, dialog); });
    handlers.Add(forms::operation::kSaveItem,
                 [&globals](ui::Form& dialog) { SaveItem(globals, dialog); });
    handlers.Add(forms::operation::kFillDefaultTariff,
                 [](ui::Form& dialog) { FillDefaultTariff(dialog); });
    handlers.Add(forms::operation::kCloseItemDialog,
                 [](ui::Form& dialog) { CloseItemDialog(dialog); });
    handlers.Add(forms::operation::kDeleteItem,
                 [&globals](ui::Form& main) { DeleteItem(globals, main); });
    handlers.Add(forms::operation::kOpenSwitchWindow,
                 [&globals](ui::Form& main) { OpenSwitchWindow(globals, main); });
    handlers.Add(forms::operation::kListIdleItems,
                 [&globals](ui::Form& window) { ListIdleItems(globals, window); });
    handlers.Add(forms::operation::kEnableSwitchButton,
                 [](ui::Form& window) { EnableSwitchButton(window); });
    handlers.Add(forms::operation::kConfirmSwitch,
                 [&globals](ui::Form& window) { ConfirmSwitch(globals, window); });
}

}  // namespace durava::windows
