#include "items/deleteitem.h"

#include "core/texts.h"
#include "items/itemname.h"
#include "items/refusals.h"
#include "mainwin/itemlist.h"
#include "mainwin/notices.h"
#include "ui/dialogs.h"
#include "ui/form.h"

namespace durava::items {

void DeleteItem(mainwin::Globals& globals) {
    ui::Form& main = *globals.MainWindow;
    const int row = main.SelectedRow(mainwin::kMainList);
    if (row == -1) return;
    const std::string name = main.Cell(mainwin::kMainList, row, mainwin::kColumnName);
    core::SettingsFile& settings = globals.app.Settings;
    // The list offers deleting for idle items only, but the file is what counts: deleting an item
    // in use would lose its use without a record.
    if (IsInUse(settings, name)) {
        RefuseDeleteInUse(&main, name);
        mainwin::FillItemList(globals);
        return;
    }
    if (!ui::ShowMessage(&main, core::Fixed(u"操作警告："),
                         core::Fixed(u"是否删除 [ ") + name + core::Fixed(u" ] 项目"),
                         ui::Buttons::OkCancel)) {
        return;
    }
    if (!settings.RemoveSection(name)) mainwin::ReportSettingsNotSaved(&main, settings);
    mainwin::FillItemList(globals);
}

}  // namespace durava::items
