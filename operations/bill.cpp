// SPDX-License-Identifier: MIT
#include "operations/bill.h"

#include "billing/duration.h"
#include "billing/fee.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "history/historyfile.h"
#include "operations/tariff.h"

namespace durava::operations {

using enum history::RecordField;

std::string Bill::Record() const {
    std::string record;
    for (const std::string& field : fields) {
        if (&field != &fields.front()) record += history::kFieldSeparator;
        record += field;
    }
    return record;
}

Bill ComputeBill(const store::SettingsFile& settings, std::string_view item, core::DateTime now) {
    const core::FixedTexts& keys = core::Texts();
    const store::SettingsFile::OneLook look(settings);
    const std::string name(item);
    Bill bill;
    bill.end = now;
    auto& f = bill.fields;
    f[kFieldName] = name;
    f[kFieldStart] = settings.ReadSetting(name, keys.startTime);
    const billing::Tariff tariff = ReadTariff(settings, name);
    const std::int32_t periodMinutes = tariff.initialPeriod;
    f[kFieldPeriod] = core::RealToText(periodMinutes / 60.0) + core::Fixed(u" 小时 0 分");
    f[kFieldInitialFee] = settings.ReadSetting(name, keys.initialFee) + core::Fixed(u" 元");
    f[kFieldUnit] = settings.ReadSetting(name, keys.minimumUnit) + core::Fixed(u" 分钟");
    f[kFieldEnd] = core::TimeText(now);
    f[kFieldPrice] = settings.ReadSetting(name, keys.overtimePrice) + core::Fixed(u" 元 / 小时");

    const std::optional<std::int32_t> elapsed = billing::ElapsedSeconds(f[kFieldStart], now);
    if (!elapsed) {
        // Nothing sensible can be billed from a start time that cannot be read; the operator
        // sees why and can still end the use.
        for (history::RecordField field :
             {kFieldDuration, kFieldOvertime, kFieldOvertimeFee, kFieldTotal}) {
            f[field] = core::Fixed(history::kStartTimeUnreadable);
        }
        return bill;
    }
    const billing::DurationParts parts = billing::SplitDuration(*elapsed);
    const double hours = parts.days * 24.0 + parts.hours;
    f[kFieldDuration] = core::RealToText(hours) + core::Fixed(u" 时 ") +
                        core::IntegerToText(parts.minutes) + core::Fixed(u" 分 ") +
                        core::IntegerToText(parts.seconds) + core::Fixed(u" 秒");
    f[kFieldOvertime] = *elapsed / 60.0 - periodMinutes > 0.0000001
                            ? core::RealToText(hours - periodMinutes / 60.0) +
                                  core::Fixed(u" 时 ") + core::IntegerToText(parts.minutes) +
                                  core::Fixed(u" 分")
                            : core::Fixed(u"未超时");
    const std::int32_t minutes = *elapsed / 60;
    f[kFieldOvertimeFee] =
        billing::ComputeFee(tariff, minutes, billing::FeeMode::OvertimeOnly) + core::Fixed(u" 元");
    f[kFieldTotal] =
        core::Fixed(u"￥") + billing::ComputeFee(tariff, minutes) + core::Fixed(u" 元");
    return bill;
}

}  // namespace durava::operations
