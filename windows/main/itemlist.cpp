// SPDX-License-Identifier: MIT
#include "windows/main/itemlist.h"

#include <string>
#include <vector>

#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "windows/main/liststate.h"

namespace durava::windows {

void FillItemList(Globals& globals, ui::Form& main) {
    ListState* kept = ui::Kept<ListState>(main);
    if (!kept) return;
    ListState& list = *kept;
    const store::SettingsFile& settings = globals.app.Settings;
    const store::SettingsFile::OneLook look(settings);
    const core::FixedTexts& texts = core::Texts();

    // The operator's choice stays on the same item, wherever the item now stands.
    const int selected = main.SelectedRow(kMainList);
    const std::string selectedName =
        selected == -1 ? std::string() : main.Cell(kMainList, selected, kColumnName);
    int reselect = -1;
    list.generation = settings.Generation();
    settings.ReadSectionNames(list.itemNames);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(list.itemNames.size());
    for (const std::string& name : list.itemNames) {
        const int row = static_cast<int>(rows.size());
        if (selected != -1 && reselect == -1 && name == selectedName) reselect = row;
        // Without a 状态 key the cell reads 空闲中 but keeps whatever colour its row had.
        const std::string state = settings.ReadSetting(name, texts.state);
        if (state == texts.inUse) {
            globals.MainListColours.SetCellColour(row, kColumnState, kBlackText, kInUseBackground);
        } else if (state == texts.idle) {
            globals.MainListColours.SetCellColour(row, kColumnState, kBlackText, kIdleBackground);
        }
        rows.push_back({
            core::IntegerToText(row + 1),
            name,
            settings.ReadSetting(name, texts.state, texts.idle),
            settings.ReadSetting(name, texts.startTime, texts.none),
            texts.none,
            texts.none,
            settings.ReadSetting(name, texts.minimumUnit) + core::Fixed(u" 分钟"),
            settings.ReadSetting(name, texts.overtimePrice) + core::Fixed(u" 元"),
        });
    }
    main.SetRows(kMainList, std::move(rows));
    main.SelectRow(kMainList, reselect);
}

}  // namespace durava::windows
