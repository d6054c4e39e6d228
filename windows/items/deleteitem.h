// SPDX-License-Identifier: MIT
#pragma once
// 删除项目: removes the selected item's section after the operator confirms.
#include "windows/main/globals.h"

namespace durava::windows {

void DeleteItem(windows::Globals& globals, ui::Form& main);

}  // namespace durava::windows
