// SPDX-License-Identifier: MIT
#pragma once
// The add and modify dialog: one window whose mode is decided by the item it is opened on.
#include <string>

#include "windows/main/globals.h"

namespace durava::windows {

// 增加项目: the dialog in add mode, owned by `main`.
void OpenAddDialog(windows::Globals& globals, ui::Form& main);
// The dialog in modify mode for `item`.
void OpenModifyDialog(windows::Globals& globals, ui::Form& main, std::string item);
// 修改项目: the dialog in modify mode for the selected row's item.
void ModifyItem(windows::Globals& globals, ui::Form& main);

void InitItemDialog(windows::Globals& globals, ui::Form& dialog);
void SaveItem(windows::Globals& globals, ui::Form& dialog);
void FillDefaultTariff(ui::Form& dialog);
// Runs however the dialog closes.
void CloseItemDialog(ui::Form& dialog);

}  // namespace durava::windows
