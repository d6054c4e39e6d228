// SPDX-License-Identifier: MIT
#pragma once
// What the operator is told when the item dialog refuses what was typed. Nothing has been written
// when one of these shows.
#include <string_view>

#include "items/itemname.h"

class QWidget;

namespace durava::items {

void RefuseName(QWidget* owner, NameFault fault);
// `field` is the caption of the tariff box's label.
void RefuseTariff(QWidget* owner, std::string_view field, TariffFault fault);
}  // namespace durava::items
