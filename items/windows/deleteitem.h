// SPDX-License-Identifier: MIT
#pragma once
// 删除项目: removes the selected item's section after the operator confirms.
#include "mainwin/globals.h"

namespace durava::items {

void DeleteItem(mainwin::Globals& globals);

}  // namespace durava::items
