// SPDX-License-Identifier: MIT
#include "core/fixedtexts.h"

#include <iterator>
#include <mutex>
#include <unordered_map>

#include "core/codepage.h"

namespace durava::core {

const FixedTexts& Texts() {
    static const FixedTexts texts{
        WideToText(u"初始时段"), WideToText(u"初始费用"), WideToText(u"最小单位"),
        WideToText(u"超时单价"), WideToText(u"状态"),     WideToText(u"开始时间"),
        WideToText(u"空闲中"),   WideToText(u"使用中"),   WideToText(u"无"),
    };
    return texts;
}

namespace {

// Lets the table be searched with a view, without a copy of the text per call.
struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const {
        return std::hash<std::u16string_view>{}(text);
    }
};

}  // namespace

const std::string& Fixed(std::u16string_view text) {
    static std::mutex guard;
    static std::unordered_map<std::u16string, std::string, ViewHash, std::equal_to<>> converted;
    const std::lock_guard lock(guard);
    auto found = converted.find(text);
    if (found == converted.end()) found = converted.emplace(text, WideToText(text)).first;
    return found->second;
}

std::string Sentence(std::u16string_view pattern, std::initializer_list<std::string> values) {
    std::u16string sentence;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t value =
            i + 2 < pattern.size() && pattern[i] == u'{' && pattern[i + 2] == u'}'
                ? static_cast<std::size_t>(pattern[i + 1] - u'0')
                : values.size();
        if (value < values.size()) {
            sentence += TextToWide(std::data(values)[value]);
            i += 2;
        } else {
            sentence += pattern[i];
        }
    }
    return WideToText(sentence);
}

}  // namespace durava::core
