#pragma once
// What the operator is told when an item operation is refused. Nothing has been written when one
// of these shows.
#include <string_view>

#include "items/itemname.h"

class QWidget;

namespace durava::items {

void RefuseName(QWidget* owner, NameFault fault);
// `field` is the caption of the tariff box's label.
void RefuseTariff(QWidget* owner, std::string_view field, TariffFault fault);
// Saving would set the item idle and so end its use without a record.
void RefuseSaveInUse(QWidget* owner, std::string_view name);
void RefuseDeleteInUse(QWidget* owner, std::string_view name);
// The list showed an item state that the file no longer holds.
void RefuseSwitchFromIdle(QWidget* owner, std::string_view name);
void RefuseSwitchToBusy(QWidget* owner, std::string_view name);

}  // namespace durava::items
