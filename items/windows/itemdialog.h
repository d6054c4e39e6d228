// SPDX-License-Identifier: MIT
#pragma once
// The add and modify dialog: one window whose mode is decided by CurrentItemName when it opens.
#include "mainwin/globals.h"

namespace durava::items {

// 增加项目: the dialog in add mode.
void OpenAddDialog(mainwin::Globals& globals);
// 修改项目: the dialog in modify mode for the selected row's item.
void ModifyItem(mainwin::Globals& globals);

void InitItemDialog(mainwin::Globals& globals, ui::Form& dialog);
void SaveItem(mainwin::Globals& globals, ui::Form& dialog);
void FillDefaultTariff(ui::Form& dialog);
// Runs however the dialog closes.
void CloseItemDialog(mainwin::Globals& globals, ui::Form& dialog);

}  // namespace durava::items
