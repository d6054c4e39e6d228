// SPDX-License-Identifier: MIT
#include "audit/checktexts.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string_view>

#include "core/codepage.h"
#include "core/fixedtexts.h"
#include "journal/chain/digest.h"

namespace durava::audit {
namespace {

std::string Number(std::uint64_t number) {
    return std::to_string(number);
}

std::string Or(const std::string& text, std::u16string_view otherwise) {
    return text.empty() ? core::WideToText(otherwise) : text;
}

// A record found changed, deleted, hand-added or moved.
std::string RecordText(const Finding& f) {
    const std::string line = Number(f.line);
    switch (f.kind) {
        case FindingKind::RecordChanged:
            if (f.totals) {
                return core::Sentence(
                    u"{0} 第 {1} 行，{2} 的记录被改过：日志记 {3} 元，文件里是 {4} 元（{5} "
                    u"结账）。",
                    {f.file, line, f.item, std::to_string(f.totals->first),
                     std::to_string(f.totals->second), f.time});
            }
            return core::Sentence(u"{0} 第 {1} 行，{2} 的记录被改过（{3} 结账）。",
                                  {f.file, line, f.item, f.time});
        case FindingKind::RecordDeleted:
            return core::Sentence(u"{0} 在 {1} 结账的记录已从 {2} 删去。",
                                  {f.item, f.time, Or(f.file, u"月份文件")});
        case FindingKind::RecordNotJournaled:
            return core::Sentence(u"{0} 第 {1} 行，{2} 的记录（{3} 结束）不是本程序写的。",
                                  {f.file, line, f.item, f.time});
        case FindingKind::RecordMoved:
            return core::Sentence(u"{0} 第 {1} 行，{2} 的记录（{3} 结账）被挪动过。",
                                  {f.file, line, f.item, f.time});
        default:
            return {};
    }
}

// The journal's heads from slips and the desk's memory, our files and take-backs.
std::string HeadsAndFilesText(const Finding& f) {
    switch (f.kind) {
        case FindingKind::SlipHeadMissing:
            return core::Sentence(
                u"单据上的“日志 {0} 条 {1}”不在日志里：这之后的日志和记录可能被删掉了。",
                {Number(f.count), f.until});
        case FindingKind::DeskHeadMissing:
            return core::Sentence(
                u"本机记得日志已写到第 {0} "
                u"条（{1}），日志里却没有这一条：日志或密钥文件被换成了旧的。",
                {Number(f.count), Or(f.until, u"时间不明")});
        case FindingKind::OurFileGone:
            return f.time.empty()
                       ? core::Sentence(u"本机见过的文件 {0} 不见了。", {f.file})
                       : core::Sentence(u"{0} 发现本机见过的文件 {1} 不见了。", {f.time, f.file});
        case FindingKind::KeyFileUnusable:
            return core::Sentence(u"密钥文件 {0} 不能用（{1}），日志却已有 {2} 条。",
                                  {f.file, f.until, Number(f.count)});
        case FindingKind::TakeBackOutOfPlace:
            return core::Sentence(
                u"{0} 的“操作被拒”不紧跟在 {1} {2} 的结账之后，不能算撤回那次结账。",
                {f.time, f.item, f.until});
        case FindingKind::SlipHeadHeld:
            return core::Sentence(u"单据上的“日志 {0} 条 {1}”在日志里。",
                                  {Number(f.count), f.until});
        default:
            return {};
    }
}
}  // namespace

std::string FindingText(const Finding& f) {
    const std::string line = Number(f.line);
    switch (f.kind) {
        case FindingKind::RecordChanged:
        case FindingKind::RecordDeleted:
        case FindingKind::RecordNotJournaled:
        case FindingKind::RecordMoved:
            return RecordText(f);
        case FindingKind::EntryChanged:
            return f.count > 1 ? core::Sentence(u"日志 {0} 第 {1} 行起 {2} 行被改过（{3}～{4}）。",
                                                {f.file, line, Number(f.count), f.time, f.until})
                               : core::Sentence(u"日志 {0} 第 {1} 行被改过（{2}）。",
                                                {f.file, line, f.time});
        case FindingKind::JournalGap:
            return core::Sentence(
                f.records > 0 ? u"日志缺了 {0} 条：{1} 到 {2}，其间 {3} 条记录日志里没有。"
                              : u"日志缺了 {0} 条：{1} 到 {2}。",
                {Number(f.count), Or(f.time, u"最早"), Or(f.until, u"现在"), Number(f.records)});
        case FindingKind::ClockBack:
            return core::Sentence(u"时钟被往回拨：从 {0} 拨回 {1}。", {f.time, f.until});
        case FindingKind::SettingsChangedOutside:
            return f.time.empty()
                       ? core::Sentence(u"ROOMSETTING.ini 现在的内容不是日志最后记下的。", {})
                       : core::Sentence(u"{0} ROOMSETTING.ini 被别的程序改过。", {f.time});
        case FindingKind::KeyRolledBack:
            return core::Sentence(u"密钥文件被换成了旧的（{0} 之后）。", {f.time});
        case FindingKind::ProtectionOff:
            return core::Sentence(u"{0} 起日志不再受店主密码保护。", {f.time});
        case FindingKind::OtherOwnerKey:
            return core::Sentence(u"{0} 起的日志用的是另一个店主密码，无法核对。", {f.time});
        case FindingKind::OwnerFileGone:
            return core::Sentence(
                u"店主文件 {0} 不见了：日志不再受店主密码保护，操作员也不用登录。", {f.file});
        case FindingKind::OperatorsFileGone:
            return core::Sentence(u"操作员文件 {0} 不见了或被改坏，操作员无法登录。", {f.file});
        case FindingKind::SlipHeadMissing:
        case FindingKind::DeskHeadMissing:
        case FindingKind::OurFileGone:
        case FindingKind::KeyFileUnusable:
        case FindingKind::TakeBackOutOfPlace:
        case FindingKind::SlipHeadHeld:
            return HeadsAndFilesText(f);
        case FindingKind::JournalCutShort:
            return core::Sentence(u"日志 {0} 第 {1} 行因程序被中断而不完整，不是改动。",
                                  {f.file, line});
        case FindingKind::RecordCutShort:
            return core::Sentence(
                u"{0} 第 {1} 行是程序被中断留下的半条记录，不计营业额，不是改动。", {f.file, line});
        case FindingKind::ChainRestarted:
            if (f.reason == journal::ChainReason::OwnerRestart) {
                return core::Sentence(u"{0} 店主密码被重设（当班：{1}），日志重新开始。",
                                      {f.time, Or(f.item, u"无人")});
            }
            return core::Sentence(u"{0} 日志重新开始：{1}。",
                                  {f.time, f.reason ? journal::ReasonText(*f.reason)
                                                    : core::WideToText(u"原因不明")});
        case FindingKind::JournalBegins:
            return core::Sentence(u"日志从 {0} 开始，之前的记录不在核对之内。", {f.time});
    }
    return {};
}

std::vector<std::string> SummaryLines(const CheckReport& report) {
    const auto changes = std::count_if(report.findings.begin(), report.findings.end(),
                                       [](const Finding& f) { return IsTampering(f.kind); });
    std::vector<std::string> lines{
        changes == 0
            ? core::Sentence(u"没有发现改动。", {})
            : core::Sentence(u"发现 {0} 处改动。", {Number(static_cast<std::uint64_t>(changes))}),
        core::Sentence(u"核对了日志 {0} 条、记录 {1} 条。",
                       {Number(report.entriesChecked), Number(report.recordsChecked)})};
    if (report.recordsBeforeJournal > 0) {
        lines.push_back(core::Sentence(u"另有 {0} 条记录早于日志，不作核对。",
                                       {Number(report.recordsBeforeJournal)}));
    }
    if (report.ownerChecked) lines.push_back(core::Sentence(u"日志按店主密码核对。", {}));
    if (report.unkeyedChecked) {
        lines.push_back(core::Sentence(
            u"没有店主密码时记的日志只能发现手工改动，防不了懂本程序的人伪造。", {}));
    }
    if (report.entriesUnchecked > 0) {
        lines.push_back(
            core::Sentence(u"{0} 条日志要店主密码才能核对。", {Number(report.entriesUnchecked)}));
    }
    if (!report.headsHeld) {
        lines.push_back(core::Sentence(
            u"没有单据上的日志条数可对，本机也不记得这个日志：整个拷回的旧日志看不出来。", {}));
    }
    return lines;
}

}  // namespace durava::audit
