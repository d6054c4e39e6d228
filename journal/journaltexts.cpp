// SPDX-License-Identifier: MIT
#include "journal/journaltexts.h"

#include <iterator>
#include <string_view>

#include "core/codepage.h"
#include "core/fixedtexts.h"

namespace durava::journal {

std::string HeadText(const ChainHead& head) {
    return core::Sentence(u"日志 {0} 条 {1}",
                          {std::to_string(head.entries), Hex(head.last).substr(0, 8)});
}

std::string ProblemText(const JournalProblem& problem) {
    static constexpr std::u16string_view kWhy[] = {
        u"不存在",   u"无法读取", u"不是普通文件", u"是一个文件夹",
        u"是只读的", u"写不进去", u"已损坏",       u"比日志旧",
    };
    static_assert(std::size(kWhy) == static_cast<std::size_t>(Fault::KeyBehind) + 1);
    return core::Sentence(u"无法记日志：{0} {1}。",
                          {core::WideToText(problem.file.u16string()),
                           core::WideToText(kWhy[static_cast<std::size_t>(problem.fault)])});
}

}  // namespace durava::journal
