// SPDX-License-Identifier: MIT
#include "people/texts.h"

#include "core/codepage.h"
#include "core/fixedtexts.h"
#include "core/names.h"
#include "core/numbers.h"

namespace durava::people {
namespace {

using core::Fixed;

std::string Number(long long value) {
    return core::IntegerToText(value);
}

std::string SecretName(Secret secret) {
    return Fixed(secret == Secret::Pin ? u"密码" : u"店主密码");
}

}  // namespace

std::string PinFaultText(PinFault fault) {
    switch (fault) {
        case PinFault::None:
            break;
        case PinFault::NotDigits:
            return Fixed(u"密码只能是数字。");
        case PinFault::TooShort:
            return Fixed(u"密码至少要 ") + Number(kMinPinDigits) + Fixed(u" 位数字。");
        case PinFault::TooLong:
            return Fixed(u"密码最多 ") + Number(kMaxPinDigits) + Fixed(u" 位数字。");
    }
    return {};
}

std::string PasswordFaultText(PasswordFault fault) {
    if (fault == PasswordFault::None) return {};
    return Fixed(u"店主密码至少要 ") + Number(kMinPasswordLength) + Fixed(u" 个字符。");
}

std::string NameRefusalText(const NameRefusal& refusal, std::u16string_view typed) {
    if (refusal.rule != core::NameFault::None) {
        return core::NameFaultText(refusal.rule, u"操作员名称");
    }
    if (refusal.noteMark) return Fixed(u"操作员名称不能以“;”开头。");
    if (!refusal.taken) return {};
    return Fixed(u"已有名为【") + core::WideToText(typed) + Fixed(u"】的操作员，请换一个名称。");
}

std::string TryText(const TryReport& report, Secret secret) {
    const std::string what = SecretName(secret);
    const std::string wait = Fixed(u"请等 ") + Number(report.wait.count()) + Fixed(u" 秒后再试。");
    switch (report.result) {
        case TryReport::Result::Right:
            break;
        case TryReport::Result::Wrong:
            if (report.wait.count() == 0) return what + Fixed(u"不对，请重新输入。");
            return what + Fixed(u"连续输错 ") + Number(report.wrongInRow) + Fixed(u" 次，") + wait;
        case TryReport::Result::Waiting:
            return Fixed(u"输错次数太多，") + wait;
    }
    return {};
}

std::string NothingTypedText(Secret secret) {
    return Fixed(u"请输入") + SecretName(secret) + Fixed(u"。");
}

std::string TryReasonText(const TryReport& report) {
    if (report.result == TryReport::Result::Waiting) return Fixed(u"等待中，未核对");
    if (report.result != TryReport::Result::Wrong || report.wait.count() == 0) return {};
    return Fixed(u"连续输错 ") + Number(report.wrongInRow) + Fixed(u" 次，等待 ") +
           Number(report.wait.count()) + Fixed(u" 秒");
}

std::string OwnerActionCaption(OwnerAction action) {
    switch (action) {
        case OwnerAction::AddItem:
            return Fixed(u"增加项目");
        case OwnerAction::ModifyItem:
            return Fixed(u"修改项目");
        case OwnerAction::DeleteItem:
            return Fixed(u"删除项目");
        case OwnerAction::Takings:
            return Fixed(u"营业统计");
        case OwnerAction::Operators:
            return Fixed(u"管理操作员");
        case OwnerAction::Switch:
            return Fixed(u"切换项目");
        case OwnerAction::History:
            return Fixed(u"历史记录");
    }
    return {};
}

}  // namespace durava::people
