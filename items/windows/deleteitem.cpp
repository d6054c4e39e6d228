// SPDX-License-Identifier: MIT
#include "items/windows/deleteitem.h"

#include "core/fixedtexts.h"
#include "mainwin/itemlist.h"
#include "mainwin/outcomes.h"
#include "operations/operations.h"
#include "ui/dialogs.h"
#include "ui/form.h"

namespace durava::items {

void DeleteItem(mainwin::Globals& globals) {
    ui::Form& main = *globals.MainWindow;
    const int row = main.SelectedRow(mainwin::kMainList);
    if (row == -1) return;
    const std::string name = main.Cell(mainwin::kMainList, row, mainwin::kColumnName);
    // The list may be older than the file: an item in use is refused before the question, and
    // again, under the lock, after it.
    if (operations::IsInUse(globals.app.Settings, name)) {
        return mainwin::ReportOutcome(globals, &main, mainwin::Operation::Delete,
                                      operations::Outcome::NoLongerIdle, name);
    }
    if (!ui::ShowMessage(&main, core::Fixed(u"操作警告："),
                         core::Fixed(u"是否删除 [ ") + name + core::Fixed(u" ] 项目"),
                         ui::Buttons::OkCancel)) {
        return;
    }
    operations::Store store = globals.Store();
    mainwin::ReportOutcome(globals, &main, mainwin::Operation::Delete,
                           operations::DeleteItem(store, name), name);
}

}  // namespace durava::items
