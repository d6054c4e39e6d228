// SPDX-License-Identifier: MIT
#pragma once
// What the operator is told when the item dialog refuses what was typed. Nothing has been written
// when one of these shows.
#include <string_view>

#include "core/names.h"
#include "operations/tariffcheck.h"

class QWidget;

namespace durava::windows {

void RefuseName(QWidget* owner, core::NameFault fault);
// `field` is the caption of the tariff box's label.
void RefuseTariff(QWidget* owner, std::string_view field, operations::TariffFault fault);
}  // namespace durava::windows
