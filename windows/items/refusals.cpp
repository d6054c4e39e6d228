// SPDX-License-Identifier: MIT
#include "windows/items/refusals.h"

#include <string>

#include "core/fixedtexts.h"
#include "ui/dialogs.h"

namespace durava::windows {
namespace {

void Tell(QWidget* owner, std::u16string_view caption, const std::string& text) {
    ui::ShowMessage(owner, core::Fixed(caption), text);
}

// "【name】" followed by the rest of the sentence.
std::string Quoted(std::u16string_view before, std::string_view name, std::u16string_view after) {
    return core::Fixed(before) + core::Fixed(u"【") + std::string(name) + core::Fixed(u"】") +
           core::Fixed(after);
}

constexpr char16_t kCannotSave[] = u"无法保存";

}  // namespace

void RefuseName(QWidget* owner, core::NameFault fault) {
    if (fault != core::NameFault::None) {
        Tell(owner, kCannotSave, core::NameFaultText(fault, u"项目名称"));
    }
}

void RefuseTariff(QWidget* owner, std::string_view field, operations::TariffFault fault) {
    std::u16string_view why;
    switch (fault) {
        case operations::TariffFault::None:
            return;
        case operations::TariffFault::NotWholeNumber:
            why = u"只能填写整数。";
            break;
        case operations::TariffFault::OutOfRange:
            why = u"的数值超出范围。";
            break;
        case operations::TariffFault::Negative:
            why = u"不能是负数。";
            break;
    }
    Tell(owner, kCannotSave, Quoted({}, field, why));
}

}  // namespace durava::windows
