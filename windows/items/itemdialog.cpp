// SPDX-License-Identifier: MIT
#include "windows/items/itemdialog.h"

#include <string>

#include "core/fixedtexts.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "operations/itemname.h"
#include "ui/form.h"
#include "windows/items/refusals.h"
#include "windows/main/itemlist.h"
#include "windows/main/outcomes.h"

namespace durava::windows {
namespace {

using namespace forms::item_dialog;

// Each tariff box with the label that names it, and its default.
struct TariffField {
    forms::LabelName label;
    forms::EditName box;
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

void OpenDialog(windows::Globals& globals) {
    ui::Form::Open(forms::ItemDialog(), globals.handlers, globals.MainWindow);
}

// The typed name exactly as the box holds it, before conversion to code page 936.
operations::NameFault CheckTypedName(const ui::Form& dialog) {
    return operations::CheckItemName(dialog.TypedText(kNameBox));
}

}  // namespace

void OpenAddDialog(windows::Globals& globals) {
    globals.app.CurrentItemName.clear();
    OpenDialog(globals);
}

void ModifyItem(windows::Globals& globals) {
    const ui::Form& main = *globals.MainWindow;
    const int row = main.SelectedRow(windows::kMainList);
    if (row == -1) return;
    globals.app.CurrentItemName = main.Cell(windows::kMainList, row, windows::kColumnName);
    OpenDialog(globals);
}

void InitItemDialog(windows::Globals& globals, ui::Form& dialog) {
    const std::string& name = globals.app.CurrentItemName;
    if (name.empty()) {
        ClearBoxes(dialog);
        dialog.SetEnabled(kNameBox, true);
        dialog.SetTitle(core::Fixed(u"添加项目"));
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
    dialog.SetTitle(core::Fixed(u"正在修改 【") + name + core::Fixed(u"】"));
}

void SaveItem(windows::Globals& globals, ui::Form& dialog) {
    // An empty box is refused without a word; the focus shows which one.
    if (dialog.Text(kNameBox).empty()) return dialog.Focus(kNameBox);
    for (const TariffField& field : kTariffFields) {
        if (dialog.Text(field.box).empty()) return dialog.Focus(field.box);
    }
    // In modify mode the name is the item's own, byte for byte, whatever the screen made of it.
    const bool adding = globals.app.CurrentItemName.empty();
    if (adding) {
        if (const operations::NameFault fault = CheckTypedName(dialog);
            fault != operations::NameFault::None) {
            RefuseName(&dialog, fault);
            return dialog.Focus(kNameBox);
        }
    }
    const std::string name = adding ? dialog.Text(kNameBox) : globals.app.CurrentItemName;

    std::string values[std::size(kTariffFields)];
    for (std::size_t i = 0; i < std::size(kTariffFields); ++i) {
        values[i] = dialog.Text(kTariffFields[i].box);
        if (const operations::TariffFault fault = operations::CheckTariff(values[i]);
            fault != operations::TariffFault::None) {
            RefuseTariff(&dialog, dialog.Text(kTariffFields[i].label), fault);
            return dialog.Focus(kTariffFields[i].box);
        }
    }
    operations::Store store = globals.Store();
    const operations::Outcome outcome =
        operations::SaveItem(store, name, {values[0], values[1], values[2], values[3]});
    if (outcome == operations::Outcome::Done) globals.app.CurrentItemName.clear();
    windows::ReportOutcome(globals, &dialog,
                           adding ? windows::Operation::Save : windows::Operation::Modify, outcome,
                           name);
    if (outcome == operations::Outcome::Done) dialog.close();
    // The name is what made the save refused; in modify mode its box is disabled.
    if (outcome == operations::Outcome::NoLongerIdle && adding) dialog.Focus(kNameBox);
}

void FillDefaultTariff(ui::Form& dialog) {
    for (const TariffField& field : kTariffFields) dialog.SetText(field.box, field.preset);
}

void CloseItemDialog(windows::Globals& globals, ui::Form& dialog) {
    ClearBoxes(dialog);
    dialog.SetEnabled(kNameBox, true);
    dialog.SetText(kSaveButton, core::Fixed(u"添加项目"));
    globals.app.CurrentItemName.clear();
}

}  // namespace durava::windows
