// SPDX-License-Identifier: MIT
#include "operations/dayslip.h"

#include "audit/checktexts.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "history/takingstexts.h"
#include "journal/journaltexts.h"

namespace durava::operations {
namespace {

constexpr char kGap[] = "  ";

std::string Uses(std::int64_t uses) {
    return core::IntegerToText(uses) + core::Fixed(u" 次");
}

}  // namespace

std::vector<std::string> DaySlipLines(const core::CalendarTime& day,
                                      const history::MonthTakings& takings, const OwedNow& owed,
                                      core::DateTime printedAt,
                                      const std::optional<journal::ChainHead>& head) {
    using core::Fixed;
    std::vector<std::string> lines = {
        Fixed(u"日期：") + history::DayText(day),
        Fixed(u"打印时间：") + core::TimeText(printedAt),
        Fixed(u"营业额：") + history::YuanText(takings.total.yuan),
        Fixed(u"使用次数：") + Uses(takings.total.uses),
        Fixed(u"使用时长：") + history::HoursText(takings.total.seconds),
        Fixed(u"—— 各项目 ——"),
    };
    for (const history::ItemTakings& item : takings.items) {
        lines.push_back(item.name + kGap + Uses(item.takings.uses) + kGap +
                        history::HoursText(item.takings.seconds) + kGap +
                        history::YuanText(item.takings.yuan));
    }
    AppendStillRunning(lines, owed);
    AppendJournalHead(lines, head);
    return lines;
}

void AppendStillRunning(std::vector<std::string>& lines, const OwedNow& owed) {
    using core::Fixed;
    lines.push_back(Fixed(u"—— 仍在使用 ——"));
    for (const OwedUse& use : owed.uses) {
        lines.push_back(use.item + kGap + use.start + kGap +
                        (use.yuan ? history::YuanText(*use.yuan) : Fixed(u"无法计费")));
    }
    lines.push_back(Fixed(u"在用应收：") + history::YuanText(owed.yuan));
}

void AppendJournalHead(std::vector<std::string>& lines,
                       const std::optional<journal::ChainHead>& head) {
    if (head) lines.push_back(journal::HeadText(*head));
}

}  // namespace durava::operations
