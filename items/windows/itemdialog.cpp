// SPDX-License-Identifier: MIT
#include "items/windows/itemdialog.h"

#include <string>

#include "core/fixedtexts.h"
#include "core/forms/formnames.h"
#include "core/forms/forms.h"
#include "items/itemname.h"
#include "items/windows/refusals.h"
#include "mainwin/itemlist.h"
#include "mainwin/outcomes.h"
#include "ui/form.h"

namespace durava::items {
namespace {

using namespace core::forms::item_dialog;

// Each tariff box with the label that names it, and its default.
struct TariffField {
    std::u16string_view label, box;
    std::string_view preset;  // 默认
};
constexpr TariffField kTariffFields[] = {{kPeriodLabel, kPeriodBox, "240"},
                                         {kInitialFeeLabel, kInitialFeeBox, "70"},
                                         {kUnitLabel, kUnitBox, "30"},
                                         {kPriceLabel, kPriceBox, "20"}};

void ClearBoxes(ui::Form& dialog) {
    dialog.SetText(kNameBox, {});
    for (const TariffField& field : kTariffFields) dialog.SetText(field.box, {});
}

void OpenDialog(mainwin::Globals& globals) {
    ui::Form::Open(core::forms::ItemDialog(), globals.handlers, globals.MainWindow);
}

// The typed name exactly as the box holds it, before conversion to code page 936.
NameFault CheckTypedName(const ui::Form& dialog) {
    return CheckItemName(dialog.TypedText(kNameBox));
}

}  // namespace

void OpenAddDialog(mainwin::Globals& globals) {
    globals.app.CurrentItemName.clear();
    OpenDialog(globals);
}

void ModifyItem(mainwin::Globals& globals) {
    const ui::Form& main = *globals.MainWindow;
    const int row = main.SelectedRow(mainwin::kMainList);
    if (row == -1) return;
    globals.app.CurrentItemName = main.Cell(mainwin::kMainList, row, mainwin::kColumnName);
    OpenDialog(globals);
}

void InitItemDialog(mainwin::Globals& globals, ui::Form& dialog) {
    const std::string& name = globals.app.CurrentItemName;
    if (name.empty()) {
        ClearBoxes(dialog);
        dialog.SetEnabled(kNameBox, true);
        dialog.SetText({}, core::Fixed(u"添加项目"));
        dialog.SetText(kSaveButton, core::Fixed(u"添加项目"));
        return;
    }
    dialog.SetText(kNameBox, name);
    dialog.SetEnabled(kNameBox, false);
    const operations::TariffTexts tariff = operations::ReadTariffTexts(globals.app.Settings, name);
    const std::string* const values[] = {&tariff.initialPeriod, &tariff.initialFee,
                                         &tariff.minimumUnit, &tariff.overtimePrice};
    for (std::size_t i = 0; i < std::size(kTariffFields); ++i) {
        dialog.SetText(kTariffFields[i].box, *values[i]);
    }
    dialog.SetText(kSaveButton, core::Fixed(u"确定修改"));
    dialog.SetText({}, core::Fixed(u"正在修改 【") + name + core::Fixed(u"】"));
}

void SaveItem(mainwin::Globals& globals, ui::Form& dialog) {
    // An empty box is refused without a word; the focus shows which one.
    if (dialog.Text(kNameBox).empty()) return dialog.Focus(kNameBox);
    for (const TariffField& field : kTariffFields) {
        if (dialog.Text(field.box).empty()) return dialog.Focus(field.box);
    }
    // In modify mode the name is the item's own, byte for byte, whatever the screen made of it.
    const bool adding = globals.app.CurrentItemName.empty();
    if (adding) {
        if (const NameFault fault = CheckTypedName(dialog); fault != NameFault::None) {
            RefuseName(&dialog, fault);
            return dialog.Focus(kNameBox);
        }
    }
    const std::string name = adding ? dialog.Text(kNameBox) : globals.app.CurrentItemName;

    std::string values[std::size(kTariffFields)];
    for (std::size_t i = 0; i < std::size(kTariffFields); ++i) {
        values[i] = dialog.Text(kTariffFields[i].box);
        if (const TariffFault fault = CheckTariff(values[i]); fault != TariffFault::None) {
            RefuseTariff(&dialog, dialog.Text(kTariffFields[i].label), fault);
            return dialog.Focus(kTariffFields[i].box);
        }
    }
    operations::Store store = globals.Store();
    const operations::Outcome outcome =
        operations::SaveItem(store, name, {values[0], values[1], values[2], values[3]});
    if (outcome == operations::Outcome::Done) globals.app.CurrentItemName.clear();
    mainwin::ReportOutcome(globals, &dialog,
                           adding ? mainwin::Operation::Save : mainwin::Operation::Modify, outcome,
                           name);
    if (outcome == operations::Outcome::Done) dialog.close();
    // The name is what made the save refused; in modify mode its box is disabled.
    if (outcome == operations::Outcome::NoLongerIdle && adding) dialog.Focus(kNameBox);
}

void FillDefaultTariff(ui::Form& dialog) {
    for (const TariffField& field : kTariffFields) dialog.SetText(field.box, field.preset);
}

void CloseItemDialog(mainwin::Globals& globals, ui::Form& dialog) {
    ClearBoxes(dialog);
    dialog.SetEnabled(kNameBox, true);
    dialog.SetText(kSaveButton, core::Fixed(u"添加项目"));
    globals.app.CurrentItemName.clear();
}

}  // namespace durava::items
