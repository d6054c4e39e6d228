// SPDX-License-Identifier: MIT
#include "items/windows/switchitem.h"

#include <string>
#include <vector>

#include "core/fixedtexts.h"
#include "core/forms/formnames.h"
#include "core/forms/forms.h"
#include "mainwin/itemlist.h"
#include "mainwin/outcomes.h"
#include "operations/operations.h"
#include "ui/form.h"

namespace durava::items {
namespace {

using operations::Outcome;

using namespace core::forms::switch_window;

// The entries as the file now has them, nothing chosen yet.
void RelistIdleItems(mainwin::Globals& globals, ui::Form& window) {
    window.ClearEntries(kChoices);
    window.SetEnabled(kConfirmButton, false);
    ListIdleItems(globals, window);
}

}  // namespace

void OpenSwitchWindow(mainwin::Globals& globals) {
    ui::Form& main = *globals.MainWindow;
    const int row = main.SelectedRow(mainwin::kMainList);
    if (row == -1) return;
    globals.app.CurrentItemName = main.Cell(mainwin::kMainList, row, mainwin::kColumnName);
    ui::Form::Open(core::forms::SwitchWindow(), globals.handlers, &main);
}

void ListIdleItems(mainwin::Globals& globals, ui::Form& window) {
    const core::SettingsFile& settings = globals.app.Settings;
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

void ConfirmSwitch(mainwin::Globals& globals, ui::Form& window) {
    if (window.SelectedIndex(kChoices) == -1) return;
    const std::string from = globals.app.CurrentItemName;
    const std::string to = window.SelectedText(kChoices);
    operations::Store store = globals.Store();
    const Outcome outcome = operations::SwitchUse(store, from, to);
    if (outcome == Outcome::Done) globals.app.CurrentItemName.clear();
    mainwin::ReportOutcome(globals, &window, mainwin::Operation::Switch, outcome,
                           outcome == Outcome::NoLongerIdle ? to : from);
    // The window shows the states of when it opened: a use that has ended leaves nothing to
    // switch, and a target taken meanwhile leaves the others to choose from.
    if (outcome == Outcome::Done || outcome == Outcome::NoLongerInUse) {
        window.close();
    } else if (outcome == Outcome::NoLongerIdle) {
        RelistIdleItems(globals, window);
    }
}

}  // namespace durava::items
