#include "items/switchitem.h"

#include <QComboBox>

#include <string>
#include <vector>

#include "core/forms.h"
#include "core/texts.h"
#include "items/refusals.h"
#include "mainwin/itemlist.h"
#include "mainwin/notices.h"
#include "ui/form.h"

namespace durava::items {
namespace {

constexpr std::u16string_view kChoices = u"组合框1";
constexpr std::u16string_view kConfirmButton = u"按钮1";

// The entries as the file now has them, nothing chosen yet.
void RelistIdleItems(mainwin::Globals& globals, ui::Form& window) {
    qobject_cast<QComboBox*>(window.Control(kChoices))->clear();
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
    core::SettingsFile& settings = globals.app.Settings;
    const core::FixedTexts& texts = core::Texts();
    // The keys moved, in the order they are read and written: the tariff, then 状态 and 开始时间.
    const std::string* const keys[] = {&texts.initialPeriod, &texts.initialFee, &texts.minimumUnit,
                                       &texts.overtimePrice, &texts.state,      &texts.startTime};
    constexpr std::size_t kTariffKeys = 4, kStateKey = 4;
    const std::string from = globals.app.CurrentItemName;
    std::string left[std::size(keys)];
    for (std::size_t i = 0; i < std::size(keys); ++i)
        left[i] = settings.ReadSetting(from, *keys[i]);
    const std::string to = window.SelectedText(kChoices);
    std::string chosen[kTariffKeys];
    for (std::size_t i = 0; i < kTariffKeys; ++i) chosen[i] = settings.ReadSetting(to, *keys[i]);

    // The window shows the states of when it opened; the file may have changed since. Moving a
    // use that has ended, or onto an item now in use, would swap tariffs or lose a use.
    if (left[kStateKey] != texts.inUse) {
        RefuseSwitchFromIdle(&window, from);
        mainwin::FillItemList(globals);
        window.close();
        return;
    }
    if (settings.ReadSetting(to, texts.state) != texts.idle) {
        RefuseSwitchToBusy(&window, to);
        mainwin::FillItemList(globals);
        RelistIdleItems(globals, window);
        return;
    }

    // One replacement of the file: a switch half done would leave both items with one tariff.
    const core::SettingWrite writes[] = {
        {to, *keys[0], left[0]},         {to, *keys[1], left[1]},
        {to, *keys[2], left[2]},         {to, *keys[3], left[3]},
        {to, *keys[4], left[4]},         {to, *keys[5], left[5]},
        {from, *keys[0], chosen[0]},     {from, *keys[1], chosen[1]},
        {from, *keys[2], chosen[2]},     {from, *keys[3], chosen[3]},
        {from, texts.state, texts.idle}, {from, texts.startTime, texts.none},
    };
    if (!settings.WriteSettings(writes)) {
        mainwin::ReportSettingsNotSaved(&window, settings);
        mainwin::FillItemList(globals);
        return;
    }
    globals.app.CurrentItemName.clear();
    mainwin::FillItemList(globals);
    window.close();
}

}  // namespace durava::items
