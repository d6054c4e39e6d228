// SPDX-License-Identifier: MIT
#include "history/takingstexts.h"

#include "core/fixedtexts.h"
#include "core/numbers.h"

namespace durava::history {

std::string DayText(const core::CalendarTime& day) {
    if (day.day == 0)
        return core::FormatDateTime(core::ToDateTime({day.year, day.month, 1}), "yyyy/MM", "");
    return core::FormatDateTime(core::ToDateTime(day), "yyyy/MM/dd", "");
}

std::string YuanText(std::int64_t yuan) {
    return core::GroupThousands(core::IntegerToText(yuan)) + core::Fixed(u" 元");
}

std::string HoursText(std::int64_t seconds) {
    return core::IntegerToText(seconds / 3600) + core::Fixed(u" 时 ") +
           core::IntegerToText(seconds % 3600 / 60) + core::Fixed(u" 分");
}

const std::string& ReasonText(Unreadable reason) {
    switch (reason) {
        case Unreadable::Empty:
            return core::Fixed(u"空行");
        case Unreadable::MissingFields:
            return core::Fixed(u"记录不完整");
        case Unreadable::ExtraFields:
            return core::Fixed(u"记录多出内容");
        case Unreadable::StartTime:
            return core::Fixed(u"开始时间有误");
        case Unreadable::EndTime:
            return core::Fixed(u"结束时间不是日期时间");
        case Unreadable::Duration:
            return core::Fixed(u"使用时长写法不对");
        case Unreadable::Total:
            return core::Fixed(u"总费用不是金额");
        case Unreadable::SumOverflow:
            break;
    }
    return core::Fixed(u"金额太大，加不进合计");
}

}  // namespace durava::history
