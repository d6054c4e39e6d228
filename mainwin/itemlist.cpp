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

    // The operator's choice stays on the same item, wherever the item now stands.
    const int selected = main.SelectedRow(kMainList);
    const std::string selectedName =
        selected == -1 ? std::string() : main.Cell(kMainList, selected, kColumnName);
    int reselect = -1;
    main.ClearRows(kMainList);
    globals.ListGeneration = settings.Generation();
    settings.ReadSectionNames(globals.app.SectionNames);
    int position = 0;
    for (const std::string& name : globals.app.SectionNames) {
        const int row = main.AppendRow(kMainList);
        main.SetCell(kMainList, row, kColumnId, core::IntegerToText(++position));
        main.SetCell(kMainList, row, kColumnName, name);
        if (selected != -1 && reselect == -1 && name == selectedName) reselect = row;
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
    main.SelectRow(kMainList, reselect);
}

}  // namespace durava::mainwin
