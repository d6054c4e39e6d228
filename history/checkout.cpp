#include "history/checkout.h"

#include "billing/duration.h"
#include "billing/fee.h"
#include "core/codepage.h"
#include "core/numbers.h"
#include "core/texts.h"
#include "history/historyfile.h"
#include "mainwin/itemlist.h"
#include "mainwin/notices.h"
#include "ui/form.h"

namespace durava::history {
namespace {

// The value labels in the order of the record's fields.
constexpr std::u16string_view kRecordLabels[] = {u"标签2", u"标签4",  u"标签14", u"标签16",
                                                 u"标签7", u"标签10", u"标签11", u"标签23",
                                                 u"标签6", u"标签22", u"标签19"};

void InitCheckout(mainwin::Globals& globals, ui::Form& window) {
    const core::FixedTexts& keys = core::Texts();
    const core::SettingsFile& settings = globals.app.Settings;
    const std::string& name = globals.app.CheckoutItemName;

    window.SetText(u"标签2", name);
    const std::string start = settings.ReadSetting(name, keys.startTime);
    const std::string period = settings.ReadSetting(name, keys.initialPeriod);
    const std::string initialFee = settings.ReadSetting(name, keys.initialFee);
    const std::string unit = settings.ReadSetting(name, keys.minimumUnit);
    window.SetText(u"标签4", start);
    const std::int32_t periodMinutes = core::TextToInteger(period);
    window.SetText(u"标签7", core::RealToText(periodMinutes / 60.0) + core::Fixed(u" 小时 0 分"));
    window.SetText(u"标签6", initialFee + core::Fixed(u" 元"));
    window.SetText(u"标签11", unit + core::Fixed(u" 分钟"));
    // One reading of the clock, so that the end time and the duration shown agree.
    const core::DateTime now = core::CurrentTime();
    window.SetText(u"标签14", core::FormatDateTime(now, "yyyy/MM/dd", " hh:mm:ss", true));
    window.SetText(u"标签23",
                   settings.ReadSetting(name, keys.overtimePrice) + core::Fixed(u" 元 / 小时"));

    const std::optional<std::int32_t> elapsed = billing::ElapsedSeconds(start, now);
    if (!elapsed) {
        // Nothing sensible can be billed from a start time that cannot be read; the operator
        // sees why and can still end the use.
        for (std::u16string_view label : {u"标签16", u"标签10", u"标签22", u"标签19"}) {
            window.SetText(label, core::Fixed(u"开始时间有误"));
        }
        return;
    }
    const billing::DurationParts parts = billing::SplitDuration(*elapsed);
    const double hours = parts.days * 24.0 + parts.hours;
    window.SetText(u"标签16", core::RealToText(hours) + core::Fixed(u" 时 ") +
                                  core::IntegerToText(parts.minutes) + core::Fixed(u" 分 ") +
                                  core::IntegerToText(parts.seconds) + core::Fixed(u" 秒"));
    window.SetText(u"标签10", *elapsed / 60.0 - periodMinutes > 0.0000001
                                  ? core::RealToText(hours - periodMinutes / 60.0) +
                                        core::Fixed(u" 时 ") + core::IntegerToText(parts.minutes) +
                                        core::Fixed(u" 分")
                                  : core::Fixed(u"未超时"));
    const std::int32_t minutes = core::RealToInteger(hours * 60.0 + parts.minutes);
    window.SetText(u"标签22",
                   billing::ComputeFee(settings, minutes, name, billing::kFeeOvertimeOnly) +
                       core::Fixed(u" 元"));
    window.SetText(u"标签19", core::Fixed(u"￥") + billing::ComputeFee(settings, minutes, name) +
                                  core::Fixed(u" 元"));
}

// The record goes to disk first; only then does the item become idle, so a checkout that cannot
// be recorded leaves the item in use and nothing lost.
void ConfirmCheckout(mainwin::Globals& globals, ui::Form& window) {
    const core::FixedTexts& keys = core::Texts();
    const std::string& name = globals.app.CheckoutItemName;
    std::string record;
    for (std::u16string_view label : kRecordLabels) {
        if (!record.empty()) record += kFieldSeparator;
        record += window.Text(label);
    }
    if (!AppendHistoryRecord(globals.app.HistoryFilePath, record)) {
        mainwin::ReportHistoryNotSaved(&window);
        return;
    }
    const core::SettingWrite idle[] = {{name, keys.state, keys.idle},
                                       {name, keys.startTime, keys.none}};
    if (!globals.app.Settings.WriteSettings(idle)) {
        // The item is still in use, so its record must not stay: it would be billed twice.
        RemoveLastHistoryRecord(globals.app.HistoryFilePath, record);
        mainwin::ReportSettingsNotSaved(&window, globals.app.Settings);
        mainwin::FillItemList(globals);
        return;
    }
    ui::Form& main = *globals.MainWindow;
    globals.MainListColours.RemoveCellColour(main.SelectedRow(mainwin::kMainList),
                                             mainwin::kColumnState);
    mainwin::FillItemList(globals);
    window.close();
}

}  // namespace

void RegisterCheckout(mainwin::Globals& globals) {
    globals.handlers.Add("InitCheckout",
                         [&globals](ui::Form& window) { InitCheckout(globals, window); });
    globals.handlers.Add("ConfirmCheckout",
                         [&globals](ui::Form& window) { ConfirmCheckout(globals, window); });
}

}  // namespace durava::history
