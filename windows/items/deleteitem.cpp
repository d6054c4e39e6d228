// SPDX-License-Identifier: MIT
#include "windows/items/deleteitem.h"

#include "core/fixedtexts.h"
#include "operations/operations.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "windows/main/itemlist.h"
#include "windows/main/outcomes.h"
#include "windows/trust/ownerprompt.h"

namespace durava::windows {

void DeleteItem(windows::Globals& globals, ui::Form& main) {
    const int row = main.SelectedRow(windows::kMainList);
    if (row == -1) return;
    const std::string name = main.Cell(windows::kMainList, row, windows::kColumnName);
    // The list may be older than the file: an item in use is refused before the question, and
    // again, under the lock, after it.
    if (operations::IsInUse(globals.app.Settings, name)) {
        return windows::ReportOutcome(globals, &main, windows::Operation::Delete,
                                      operations::Outcome::NoLongerIdle, name);
    }
    if (!OwnerAllows(globals, people::OwnerAction::DeleteItem)) return;
    if (!ui::ShowMessage(&main, core::Fixed(u"操作警告："),
                         core::Fixed(u"是否删除 [ ") + name + core::Fixed(u" ] 项目"),
                         ui::Buttons::OkCancel)) {
        return;
    }
    operations::Store store = globals.Store();
    windows::ReportOutcome(globals, &main, windows::Operation::Delete,
                           operations::DeleteItem(store, name), name);
}

}  // namespace durava::windows
