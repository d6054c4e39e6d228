// SPDX-License-Identifier: MIT
#include "windows/items/switchitem.h"

#include <string>
#include <vector>

#include "core/fixedtexts.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "operations/operations.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "windows/main/itemlist.h"
#include "windows/main/outcomes.h"
#include "windows/trust/ownerprompt.h"

namespace durava::windows {
namespace {

using operations::Outcome;

using namespace forms::switch_window;

// The item whose use the window moves.
struct SwitchedItem {
    std::string name;
};

// The entries as the file now has them, nothing chosen yet.
void RelistIdleItems(windows::Globals& globals, ui::Form& window) {
    window.ClearEntries(kChoices);
    window.SetEnabled(kConfirmButton, false);
    ListIdleItems(globals, window);
}

}  // namespace

void OpenSwitchWindow(windows::Globals& globals, ui::Form& main) {
    const int row = main.SelectedRow(windows::kMainList);
    if (row == -1) return;
    if (!OwnerAllows(globals, people::OwnerAction::Switch)) return;
    OpenSwitchWindowFrom(globals, main, main.Cell(windows::kMainList, row, windows::kColumnName));
}

void OpenSwitchWindowFrom(windows::Globals& globals, ui::Form& main, std::string item) {
    ui::Form::Open(forms::SwitchWindow(), globals.handlers, &main,
                   [&item](ui::Form& window) { ui::Keep(window, SwitchedItem{std::move(item)}); });
}

void ListIdleItems(windows::Globals& globals, ui::Form& window) {
    const store::SettingsFile& settings = globals.app.Settings;
    const core::FixedTexts& texts = core::Texts();
    std::vector<std::string> names;
    settings.ReadSectionNames(names);
    for (const std::string& name : names) {
        if (settings.ReadSetting(name, texts.state) == texts.idle)
            window.AppendEntry(kChoices, name);
    }
}

void EnableSwitchButton(ui::Form& window) {
    window.SetEnabled(kConfirmButton, true);
}

void ConfirmSwitch(windows::Globals& globals, ui::Form& window) {
    const SwitchedItem* switched = ui::Kept<SwitchedItem>(window);
    if (!switched || window.SelectedIndex(kChoices) == -1) return;
    const std::string from = switched->name;
    const std::string to = window.SelectedText(kChoices);
    operations::Store store = globals.Store();
    const Outcome outcome = operations::SwitchUse(store, from, to);
    windows::ReportOutcome(globals, &window, windows::Operation::Switch, outcome,
                           outcome == Outcome::NoLongerIdle ? to : from);
    // The window shows the states of when it opened: a use that has ended leaves nothing to
    // switch, and a target taken meanwhile leaves the others to choose from.
    if (outcome == Outcome::Done || outcome == Outcome::NoLongerInUse) {
        window.close();
    } else if (outcome == Outcome::NoLongerIdle) {
        RelistIdleItems(globals, window);
    }
}

}  // namespace durava::windows
