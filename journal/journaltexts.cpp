// SPDX-License-Identifier: MIT
#include "journal/journaltexts.h"

#include <iterator>
#include <string_view>

#include "core/codepage.h"
#include "core/fixedtexts.h"

namespace durava::journal {
namespace {

// What each state is called: why the journal waits, and the words around the file in the message
// of an action that did not happen.
struct StateWords {
    std::u16string_view why, beforeFile, afterFile;
};
constexpr StateWords kStateWords[] = {
    {},  // Ok
    {u"不存在", u"找不到文件 ", u"，"},
    {u"无法读取", u"无法读取文件 ", u"，"},
    {u"不是普通文件", u"", u" 不是普通文件，"},
    {u"是一个文件夹", u"", u" 是文件夹，不是文件，"},
    {u"是只读的", u"", u" 是只读文件，无法保存，"},
    {u"已损坏", u"文件 ", u" 的内容有误，"},
    {u"写不进去", u"无法写入文件 ", u"，"},
    {u"比日志旧", u"文件 ", u" 比日志旧，"},
};
static_assert(std::size(kStateWords) == static_cast<std::size_t>(FileState::KeyBehind) + 1);

const StateWords& WordsOf(FileState state) {
    return kStateWords[static_cast<std::size_t>(state)];
}

}  // namespace

std::string HeadText(const ChainHead& head) {
    return core::Sentence(u"日志 {0} 条 {1}",
                          {std::to_string(head.entries), Hex(head.last).substr(0, 8)});
}

std::string WhyText(FileState state) {
    return core::WideToText(WordsOf(state).why);
}

std::string ProblemText(const FileTrouble& trouble) {
    return core::Sentence(u"无法记日志：{0} {1}。",
                          {core::WideToText(trouble.file.u16string()), WhyText(trouble.state)});
}

std::string FileTroubleText(const FileTrouble& trouble) {
    if (trouble.state == FileState::Ok) return {};
    const StateWords& words = WordsOf(trouble.state);
    return core::Fixed(words.beforeFile) + core::WideToText(trouble.file.u16string()) +
           core::Fixed(words.afterFile) + core::Fixed(u"操作没有进行。");
}

}  // namespace durava::journal
