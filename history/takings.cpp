// SPDX-License-Identifier: MIT
#include "history/takings.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <span>
#include <string_view>
#include <variant>

#include "history/nameindex.h"

namespace durava::history {
namespace {

// False, leaving `sum` as it was, when any part would leave 64 bits.
bool AddRecord(Takings& sum, std::int64_t yuan, std::int64_t seconds) {
    Takings next = sum;
    if (__builtin_add_overflow(next.yuan, yuan, &next.yuan) ||
        __builtin_add_overflow(next.seconds, seconds, &next.seconds)) {
        return false;
    }
    ++next.uses;
    sum = next;
    return true;
}

// The line as the file holds it.
std::string LineText(std::span<const std::string_view> fields) {
    std::string line;
    for (std::size_t field = 0; field < fields.size(); ++field) {
        if (field > 0) line += kFieldSeparator;
        line += fields[field];
    }
    return line;
}

// Names are views into the adder's own copies, so that sorting moves small values.
struct ItemSums {
    std::string_view name;
    Takings takings;
};

}  // namespace

int DayKey(const core::CalendarTime& day) {
    return core::MonthNumber(day) * 100 + day.day;
}

struct TakingsAdder::Sums {
    MonthTakings result;
    std::map<int, Takings> days;
    std::pair<int, int> countedDays{0, 99999999};  // as DayKey gives them
    std::vector<ItemSums> items;
    std::deque<std::string> names;  // a deque, so that the views stay where they are
    NameIndex itemIndex;
};

TakingsAdder::TakingsAdder() : m_sums(std::make_unique<Sums>()) {}
TakingsAdder::~TakingsAdder() = default;

void TakingsAdder::ListDays(const core::CalendarTime& first, const core::CalendarTime& last,
                            bool only) {
    const core::DateTime end = core::ToDateTime(last);
    for (core::DateTime day = core::ToDateTime(first); day <= end; ++day) {
        m_sums->days.emplace(DayKey(core::ToCalendarTime(day)), Takings{});
    }
    if (only) m_sums->countedDays = {DayKey(first), DayKey(last)};
}

void TakingsAdder::Add(const HistoryMonth& month, std::size_t file, bool listUnreadable) {
    Sums& sums = *m_sums;
    std::vector<std::string_view> fields, next;
    const auto unreadable = [&](std::size_t record, Unreadable reason) {
        if (listUnreadable)
            sums.result.unreadable.push_back({record, reason, file, LineText(fields)});
    };
    std::pair<int, Takings*> lastDay{0, nullptr};  // records come mostly day by day
    // Each record is cut a turn early, so that its item's slot comes while the one before it
    // is added.
    std::size_t nextHash = 0;
    const auto cut = [&](std::size_t record) {
        month.SplitFields(record, next);
        nextHash = next.size() == kRecordFields ? sums.itemIndex.Expect(next[kFieldName]) : 0;
    };
    if (month.RecordCount() > 0) cut(0);
    for (std::size_t record = 0; record < month.RecordCount(); ++record) {
        std::swap(fields, next);
        const std::size_t nameHash = nextHash;
        if (record + 1 < month.RecordCount()) cut(record + 1);
        const std::variant<CheckoutFigures, Unreadable> read = ReadCheckoutFigures(fields);
        if (const auto* reason = std::get_if<Unreadable>(&read)) {
            unreadable(record, *reason);
            continue;
        }
        const auto& [endDay, seconds, yuan] = std::get<CheckoutFigures>(read);
        const int dayKey = DayKey(endDay);
        if (dayKey < sums.countedDays.first || dayKey > sums.countedDays.second) continue;
        const auto [item, added] = sums.itemIndex.Find(fields[kFieldName], nameHash, sums.items);
        if (added) sums.items.back().name = sums.names.emplace_back(fields[kFieldName]);
        if (lastDay.first != dayKey) lastDay = {dayKey, &sums.days[dayKey]};
        // All three sums take the record or none does, so that they always agree.
        Takings total = sums.result.total, perDay = *lastDay.second,
                perItem = sums.items[item].takings;
        if (!AddRecord(total, yuan, seconds) || !AddRecord(perDay, yuan, seconds) ||
            !AddRecord(perItem, yuan, seconds)) {
            if (added) {
                sums.itemIndex.RemoveLast(sums.items);
                sums.names.pop_back();
            }
            unreadable(record, Unreadable::SumOverflow);
            continue;
        }
        sums.result.total = total;
        *lastDay.second = perDay;
        sums.items[item].takings = perItem;
    }
}

MonthTakings TakingsAdder::Finish() {
    Sums& sums = *m_sums;
    MonthTakings result = std::move(sums.result);
    for (const auto& [key, takings] : sums.days) {
        result.days.push_back({{key / 10000, key / 100 % 100, key % 100}, takings});
    }
    std::stable_sort(
        sums.items.begin(), sums.items.end(),
        [](const ItemSums& a, const ItemSums& b) { return a.takings.yuan > b.takings.yuan; });
    result.items.reserve(sums.items.size());
    for (const ItemSums& item : sums.items) {
        result.items.push_back({std::string(item.name), item.takings});
    }
    return result;
}

MonthTakings ComputeTakings(const HistoryMonth& month, int forYear, int forMonth) {
    TakingsAdder adder;
    if (forYear > 0 && forMonth >= 1 && forMonth <= 12) {
        adder.ListDays({forYear, forMonth, 1},
                       {forYear, forMonth, core::DaysInMonth(forYear, forMonth)}, false);
    }
    adder.Add(month, 0, true);
    return adder.Finish();
}

std::int64_t TakingsOn(const MonthTakings& takings, const core::CalendarTime& time) {
    const int key = DayKey({time.year, time.month, time.day});
    for (const DayTakings& day : takings.days) {
        if (DayKey(day.date) == key) return day.takings.yuan;
    }
    return 0;
}

}  // namespace durava::history
