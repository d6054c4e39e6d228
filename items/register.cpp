#include "items/register.h"

#include "items/deleteitem.h"
#include "items/itemdialog.h"
#include "items/switchitem.h"

namespace durava::items {

void RegisterItemManagement(mainwin::Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    handlers.Add("OpenAddDialog", [&globals](ui::Form&) { OpenAddDialog(globals); });
    handlers.Add("ModifyItem", [&globals](ui::Form&) { ModifyItem(globals); });
    handlers.Add("InitItemDialog",
                 [&globals](ui::Form& dialog) { InitItemDialog(globals, dialog); });
    handlers.Add("SaveItem", [&globals](ui::Form& dialog) { SaveItem(globals, dialog); });
    handlers.Add("FillDefaultTariff", [](ui::Form& dialog) { FillDefaultTariff(dialog); });
    handlers.Add("CloseItemDialog",
                 [&globals](ui::Form& dialog) { CloseItemDialog(globals, dialog); });
    handlers.Add("DeleteItem", [&globals](ui::Form&) { DeleteItem(globals); });
    handlers.Add("OpenSwitchWindow", [&globals](ui::Form&) { OpenSwitchWindow(globals); });
    handlers.Add("ListIdleItems", [&globals](ui::Form& window) { ListIdleItems(globals, window); });
    handlers.Add("EnableSwitchButton", [](ui::Form& window) { EnableSwitchButton(window); });
    handlers.Add("ConfirmSwitch", [&globals](ui::Form& window) { ConfirmSwitch(globals, window); });
}

}  // namespace durava::items
