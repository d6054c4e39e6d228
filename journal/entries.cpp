// SPDX-License-Identifier: MIT
#include "journal/entries.h"

#include <utility>

#include "core/codepage.h"
#include "core/fixedtexts.h"

namespace durava::journal {
namespace {

Detail RecordDetail(std::string_view record) {
    return {Field::RecordHash, Hex(Sha256(record))};
}

// The head of a chain as the entry after it names it.
void AppendHead(Entry& entry, const ChainHead& head) {
    entry.details.push_back({Field::PreviousEntries, std::to_string(head.entries)});
    entry.details.push_back({Field::PreviousMac, Hex(head.last)});
    entry.details.push_back({Field::PreviousTime, head.time});
}

}  // namespace

Entry CheckoutEntry(core::DateTime end, std::string operatorName, const CheckoutWritten& written,
                    bool late) {
    const std::filesystem::path& monthFile = written.monthFile;
    Entry entry{
        Action::Checkout,
        end,
        std::move(operatorName),
        std::string(written.item),
        {{Field::MonthFile, core::WideToText(monthFile.filename().u16string())},
         {Field::HistoryFolder, core::WideToText(monthFile.parent_path().u16string())},
         {Field::StartTime, std::string(written.start)},
         {Field::Total, written.yuan ? std::to_string(*written.yuan) : std::string(written.total)},
         RecordDetail(written.record)}};
    if (late) entry.details.push_back({Field::Late, core::WideToText(u"结账时程序被中断")});
    return entry;
}

Entry TakenBackEntry(core::DateTime end, std::string item, std::string_view record,
                     std::string reason) {
    Entry entry = RefusalEntry({Action::Checkout, end, {}, std::move(item)}, std::move(reason));
    entry.details.push_back(RecordDetail(record));
    return entry;
}

Entry RefusalEntry(const Entry& done, std::string reason) {
    return {Action::Refused,
            done.time,
            {},
            done.item,
            {{Field::RefusedAction, ActionText(done.action)}, {Field::Reason, std::move(reason)}}};
}

Entry NewChainEntry(core::DateTime time, std::string operatorName, Protection protection,
                    ChainReason reason, const std::optional<ChainHead>& before) {
    Entry entry{
        Action::NewChain,
        time,
        std::move(operatorName),
        {},
        {{Field::Protection, ProtectionText(protection)}, {Field::Reason, ReasonText(reason)}}};
    if (before) AppendHead(entry, *before);
    return entry;
}

Entry BehindDeskEntry(core::DateTime time, const ChainHead& remembered) {
    Entry entry{Action::JournalBehindDesk, time};
    AppendHead(entry, remembered);
    return entry;
}

Entry FileGoneEntry(core::DateTime time, std::string file) {
    return {Action::OurFileGone, time, {}, {}, {{Field::File, std::move(file)}}};
}

Detail SettingsDetail(std::string_view settingsBytes) {
    return {Field::Settings, Hex(Sha256(settingsBytes))};
}

Entry NamingSettings(Entry entry, const std::optional<std::string>& settingsBytes) {
    if (settingsBytes) entry.details.push_back(SettingsDetail(*settingsBytes));
    return entry;
}

std::string TariffText(const TariffNamed& tariff) {
    const core::FixedTexts& keys = core::Texts();
    const std::pair<const std::string&, std::string_view> parts[] = {
        {keys.initialPeriod, tariff.initialPeriod},
        {keys.initialFee, tariff.initialFee},
        {keys.minimumUnit, tariff.minimumUnit},
        {keys.overtimePrice, tariff.overtimePrice},
    };
    std::string text;
    for (const auto& [key, value] : parts) {
        if (!text.empty()) text += core::Fixed(u"，");
        ((text += key) += ' ') += value;
    }
    return text;
}

}  // namespace durava::journal
