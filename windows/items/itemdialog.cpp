// SPDX-License-Identifier: MIT
#include "windows/items/itemdialog.h"

#include <string>

#include "core/fixedtexts.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "operations/tariffcheck.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "windows/items/refusals.h"
#include "windows/main/itemlist.h"
#include "windows/main/outcomes.h"
#include "windows/trust/ownerprompt.h"

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

// The item a dialog in modify mode works on; a dialog that keeps none adds an item.
struct ModifiedItem {
    std::string name;
};

// The typed name exactly as the box holds it, before conversion to code page 936.
core::NameFault CheckTypedName(const ui::Form& dialog) {
    return core::CheckName(dialog.TypedText(kNameBox));
}

}  // namespace

void OpenAddDialog(windows::Globals& globals, ui::Form& main) {
    if (!OwnerAllows(globals, people::OwnerAction::AddItem)) return;
    ui::Form::Open(forms::ItemDialog(), globals.handlers, &main);
}

void OpenModifyDialog(windows::Globals& globals, ui::Form& main, std::string item) {
    ui::Form::Open(forms::ItemDialog(), globals.handlers, &main,
                   [&item](ui::Form& dialog) { ui::Keep(dialog, ModifiedItem{std::move(item)}); });
}

void ModifyItem(windows::Globals& globals, ui::Form& main) {
    const int row = main.SelectedRow(windows::kMainList);
    if (row == -1) return;
    if (!OwnerAllows(globals, people::OwnerAction::ModifyItem)) return;
    OpenModifyDialog(globals, main, main.Cell(windows::kMainList, row, windows::kColumnName));
}

void InitItemDialog(windows::Globals& globals, ui::Form& dialog) {
    const ModifiedItem* modified = ui::Kept<ModifiedItem>(dialog);
    if (!modified) {
        ClearBoxes(dialog);
        dialog.SetEnabled(kNameBox, true);
        dialog.SetTitle(core::Fixed(u"添加项目"));
        dialog.SetText(kSaveButton, core::Fixed(u"添加项目"));
        return;
    }
    const std::string& name = modified->name;
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
    const ModifiedItem* modified = ui::Kept<ModifiedItem>(dialog);
    const bool adding = !modified;
    if (adding) {
        if (const core::NameFault fault = CheckTypedName(dialog); fault != core::NameFault::None) {
            RefuseName(&dialog, fault);
            return dialog.Focus(kNameBox);
        }
    }
    const std::string name = adding ? dialog.Text(kNameBox) : modified->name;

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

void CloseItemDialog(ui::Form& dialog) {
    ClearBoxes(dialog);
    dialog.SetEnabled(kNameBox, true);
    dialog.SetText(kSaveButton, core::Fixed(u"添加项目"));
}

}  // namespace durava::windows
