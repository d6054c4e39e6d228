// SPDX-License-Identifier: MIT
#pragma once
// Fixed texts that more than one module uses, written once in readable form and converted to
// code page 936 once.
#include <initializer_list>
#include <string>
#include <string_view>

namespace durava::core {

struct FixedTexts {
    // The keys of an item's section, in the order a new item is written.
    std::string initialPeriod;  // 初始时段
    std::string initialFee;     // 初始费用
    std::string minimumUnit;    // 最小单位
    std::string overtimePrice;  // 超时单价
    std::string state;          // 状态
    std::string startTime;      // 开始时间
    // Values of 状态 and 开始时间.
    std::string idle;   // 空闲中
    std::string inUse;  // 使用中
    std::string none;   // 无
};

const FixedTexts& Texts();

// The eleven fields of a history record as the operator knows them: the history window's
// columns, a receipt's lines and the exports' headers.
inline constexpr std::u16string_view kFieldCaptions[] = {
    u"名称",     u"开始时间", u"结束时间", u"使用时长", u"初始时段", u"超时时长",
    u"最小单位", u"超时单价", u"初始费用", u"超时费用", u"总费用",
};

// Any other fixed text in code page 936, converted on first use and kept for the program's life.
const std::string& Fixed(std::u16string_view text);

// The sentence with {0}, {1}... replaced by the program texts given; filled in before the
// conversion, since a brace can be the second byte of a double-byte character.
std::string Sentence(std::u16string_view pattern, std::initializer_list<std::string> values);

}  // namespace durava::core
