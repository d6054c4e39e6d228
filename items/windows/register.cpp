// SPDX-License-Identifier: MIT
#include "items/windows/register.h"

#include "core/forms/formnames.h"

#include "items/windows/deleteitem.h"
#include "items/windows/itemdialog.h"
#include "items/windows/switchitem.h"

namespace durava::items {

void RegisterItemManagement(mainwin::Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    handlers.Add(core::forms::operation::kOpenAddDialog,
                 [&globals](ui::Form&) { OpenAddDialog(globals); });
    handlers.Add(core::forms::operation::kModifyItem,
                 [&globals](ui::Form&) { ModifyItem(globals); });
    handlers.Add(core::forms::operation::kInitItemDialog,
                 [&globals](ui::Form& dialog) { InitItemDialog(globals, dialog); });
    handlers.Add(core::forms::operation::kSaveItem,
                 [&globals](ui::Form& dialog) { SaveItem(globals, dialog); });
    handlers.Add(core::forms::operation::kFillDefaultTariff,
                 [](ui::Form& dialog) { FillDefaultTariff(dialog); });
    handlers.Add(core::forms::operation::kCloseItemDialog,
                 [&globals](ui::Form& dialog) { CloseItemDialog(globals, dialog); });
    handlers.Add(core::forms::operation::kDeleteItem,
                 [&globals](ui::Form&) { DeleteItem(globals); });
    handlers.Add(core::forms::operation::kOpenSwitchWindow,
                 [&globals](ui::Form&) { OpenSwitchWindow(globals); });
    handlers.Add(core::forms::operation::kListIdleItems,
                 [&globals](ui::Form& window) { ListIdleItems(globals, window); });
    handlers.Add(core::forms::operation::kEnableSwitchButton,
                 [](ui::Form& window) { EnableSwitchButton(window); });
    handlers.Add(core::forms::operation::kConfirmSwitch,
                 [&globals](ui::Form& window) { ConfirmSwitch(globals, window); });
}

}  // namespace durava::items
