#include "mainwin/itemlist.h"

#include "core/numbers.h"
#include "core/texts.h"
#include "ui/form.h"

namespace durava::mainwin {

void FillItemList(Globals& globals) {
    ui::Form& main = *globals.MainWindow;
    const core::SettingsFile& settings = globals.app.Settings;
    const core::SettingsFile::OneLook look(settings);
    const core::FixedTexts& texts = core::Texts();

    main.ClearRows(kMainList);
    settings.ReadSectionNames(globals.app.SectionNames);
    int position = 0;
    for (const std::string& name : globals.app.SectionNames) {
        const int row = main.AppendRow(kMainList);
        main.SetCell(kMainList, row, kColumnId, core::IntegerToText(++position));
        main.SetCell(kMainList, row, kColumnName, name);
        main.SetCell(kMainList, row, kColumnState,
                     settings.ReadSetting(name, texts.state, texts.idle));
        // Without a 状态 key the cell reads 空闲中 but keeps whatever colour its row had.
        const std::string state = settings.ReadSetting(name, texts.state);
        if (state == texts.inUse) {
            globals.MainListColours.SetCellColour(row, kColumnState, kBlackText, kInUseBackground);
        } else if (state == texts.idle) {
            globals.MainListColours.SetCellColour(row, kColumnState, kBlackText, kIdleBackground);
        }
        main.SetCell(kMainList, row, kColumnStart,
                     settings.ReadSetting(name, texts.startTime, texts.none));
        main.SetCell(kMainList, row, kColumnDuration, texts.none);
        main.SetCell(kMainList, row, kColumnFee, texts.none);
        main.SetCell(kMainList, row, kColumnUnit,
                     settings.ReadSetting(name, texts.minimumUnit) + core::Fixed(u" 分钟"));
        main.SetCell(kMainList, row, kColumnPrice,
                     settings.ReadSetting(name, texts.overtimePrice) + core::Fixed(u" 元"));
    }
}

}  // namespace durava::mainwin
