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

void RefuseName(QWidget* owner, operations::NameFault fault) {
    std::u16string_view why;
    switch (fault) {
        case operations::NameFault::None:
            return;
        case operations::NameFault::Blank:
            why = u"项目名称不能只有空格。";
            break;
        case operations::NameFault::EdgeBlanks:
            why = u"项目名称的开头和结尾不能是空格。";
            break;
        case operations::NameFault::ControlCharacter:
            why = u"项目名称不能含有换行符或控制字符。";
            break;
        case operations::NameFault::Reserved:
            why = u"项目名称不能含有 [ ] | @ 这几个符号。";
            break;
        case operations::NameFault::OutsideCodePage:
            why = u"项目名称含有无法保存的字符，请改用其他文字。";
            break;
        case operations::NameFault::HighSingleByte:
            why = u"项目名称不能含有 € 这类单字节符号，请改用其他文字。";
            break;
    }
    Tell(owner, kCannotSave, core::Fixed(why));
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
