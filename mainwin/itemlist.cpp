#include "mainwin/itemlist.h"

#include <string>
#include <vector>

#include "core/numbers.h"
#include "core/texts.h"
#include "ui/form.h"

namespace durava::mainwin {

void FillItemList(Globals& globals) {
    const core::SettingsFile& settings = globals.app.Settings;
    const core::SettingsFile::OneLook look(settings);
    const core::FixedTexts& texts = core::Texts();

    settings.ReadSectionNames(globals.app.SectionNames);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(globals.app.SectionNames.size());
    for (const std::string& name : globals.app.SectionNames) {
        const int row = static_cast<int>(rows.size());
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
    globals.MainWindow->SetRows(kMainList, std::move(rows));
}

}  // namespace durava::mainwin
