// SPDX-License-Identifier: MIT
#include "journal/entry.h"

#include <array>
#include <charconv>
#include <iterator>
#include <span>
#include <utility>

#include "core/codepage.h"
#include "core/utf8.h"
#include "journal/files/journalfiles.h"

namespace durava::journal {
namespace {

constexpr std::u16string_view kActionNames[] = {
    u"日志开始",
    u"程序启动",
    u"程序退出",
    u"登录",
    u"退出登录",
    u"密码错误",
    u"开始计时",
    u"结账",
    u"切换项目",
    u"添加项目",
    u"修改项目",
    u"删除项目",
    u"操作被拒",
    u"交班",
    u"导出",
    u"打印",
    u"操作员变更",
    u"店主设置变更",
    u"设置文件被外部修改",
    u"时钟回拨",
    u"日志少于本机所记",
    u"文件不见了",
};
static_assert(std::size(kActionNames) == static_cast<std::size_t>(Action::OurFileGone) + 1);

constexpr std::u16string_view kFieldLabels[] = {
    u"月份文件", u"记录文件夹", u"开始时间", u"总费用",   u"记录SHA256", u"补记",
    u"从",       u"到",         u"原",       u"新",       u"操作",       u"原因",
    u"应收",     u"实收",       u"差额",     u"文件",     u"单据",       u"内容",
    u"保护",     u"前链条数",   u"前链MAC",  u"前链时间", u"设置SHA256",
};
static_assert(std::size(kFieldLabels) == static_cast<std::size_t>(Field::Settings) + 1);

constexpr std::u16string_view kProtectionNames[] = {u"无店主密码", u"店主密码"};
constexpr std::u16string_view kReasonNames[] = {
    u"首次记录",           u"密钥文件不见了", u"密钥文件已损坏", u"密钥文件比日志旧",
    u"Durava文件夹不见了", u"店主设置了密码", u"店主更改了密码", u"店主重新开始",
};
static_assert(std::size(kReasonNames) == static_cast<std::size_t>(ChainReason::OwnerRestart) + 1);

std::vector<std::string> InUtf8(std::span<const std::u16string_view> names) {
    std::vector<std::string> utf8;
    for (const std::u16string_view name : names) utf8.push_back(core::WideToUtf8(name));
    return utf8;
}

const std::vector<std::string>& ActionNames() {
    static const std::vector<std::string> names = InUtf8(kActionNames);
    return names;
}

const std::vector<std::string>& FieldLabels() {
    static const std::vector<std::string> labels = InUtf8(kFieldLabels);
    return labels;
}

constexpr char kPart = '\t';
constexpr std::string_view kLineEnd = "\r\n";

// A program text in UTF-8, with the characters that would split a line or a part escaped.
void AppendWritten(std::string& out, std::string_view text) {
    const std::string utf8 = core::WideToUtf8(core::TextToWide(text));
    static constexpr char kDigits[] = "0123456789abcdef";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0x0F];
        } else {
            out += c;
        }
    }
}

std::string Unescaped(std::string_view written) {
    std::string text;
    text.reserve(written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] != '\\' || i + 1 == written.size()) {
            text += written[i];
            continue;
        }
        const char code = written[++i];
        if (code == 't') {
            text += '\t';
        } else if (code == 'r') {
            text += '\r';
        } else if (code == 'n') {
            text += '\n';
        } else if (unsigned byte = 0;
                   code == 'x' && i + 2 < written.size() &&
                   std::from_chars(written.data() + i + 1, written.data() + i + 3, byte, 16).ptr ==
                       written.data() + i + 3) {
            text += static_cast<char>(byte);
            i += 2;
        } else {
            text += code;
        }
    }
    return text;
}

std::optional<std::uint64_t> Number(std::string_view digits) {
    std::uint64_t value = 0;
    if (digits.empty() || digits.size() > 19) return std::nullopt;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

template <typename Enum>
std::optional<Enum> Named(const std::vector<std::string>& names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) return static_cast<Enum>(i);
    }
    return std::nullopt;
}

// Calls `detail(label, value)` for each "label=value" of a line's details.
template <typename Detail>
void ForEachDetail(std::string_view details, Detail detail) {
    for (std::string_view rest = details; !rest.empty();) {
        const std::size_t end = rest.find(kPart);
        const std::string_view part = rest.substr(0, end);
        if (const std::size_t equals = part.find('='); equals != std::string_view::npos) {
            detail(part.substr(0, equals), part.substr(equals + 1));
        }
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
}

}  // namespace

std::string EntryText(std::uint64_t seq, const Entry& entry) {
    std::string text = std::to_string(seq);
    text += kPart;
    text += core::TimeText(entry.time);
    text += kPart;
    AppendWritten(text, entry.operatorName);
    text += kPart;
    text += ActionName(entry.action);
    text += kPart;
    AppendWritten(text, entry.item);
    for (const Detail& detail : entry.details) {
        text += kPart;
        text += FieldLabels()[static_cast<std::size_t>(detail.field)];
        text += '=';
        AppendWritten(text, detail.value);
    }
    return text;
}

std::string JournalLine(std::string_view text, const Digest& mac) {
    std::string line(text);
    line += kPart;
    line += Hex(mac);
    line += kLineEnd;
    return line;
}

std::optional<std::string_view> ReadLine::Value(Field field) const {
    const std::string& wanted = FieldLabels()[static_cast<std::size_t>(field)];
    std::optional<std::string_view> found;
    ForEachDetail(details, [&](std::string_view label, std::string_view value) {
        if (!found && label == wanted) found = value;
    });
    return found;
}

std::vector<Detail> DetailsOf(const ReadLine& line) {
    std::vector<Detail> details;
    ForEachDetail(line.details, [&details](std::string_view label, std::string_view value) {
        if (const std::optional<Field> field = Named<Field>(FieldLabels(), label)) {
            details.push_back({*field, ProgramText(value)});
        }
    });
    return details;
}

std::optional<LineLook> LookAtLine(std::string_view line) {
    // Sequence number, time, operator, action, item: each ends at a tab, as the details or the
    // MAC follow.
    std::array<std::string_view, 5> parts;
    for (std::string_view& part : parts) {
        const std::size_t end = line.find(kPart);
        if (end == std::string_view::npos) return std::nullopt;
        part = line.substr(0, end);
        line.remove_prefix(end + 1);
    }
    const std::optional<Action> action = Named<Action>(ActionNames(), parts[3]);
    if (!action) return std::nullopt;
    return LineLook{parts[0], parts[1], parts[2], *action, parts[4]};
}

std::optional<ReadLine> ReadJournalLine(std::string_view line) {
    const std::optional<LineLook> look = LookAtLine(line);
    return look ? ReadJournalLine(line, *look) : std::nullopt;
}

std::optional<ReadLine> ReadJournalLine(std::string_view line, const LineLook& look) {
    const std::size_t macAt = line.rfind(kPart);
    const std::optional<Digest> mac = DigestOfHex(line.substr(macAt + 1));
    const std::optional<std::uint64_t> seq = mac ? Number(look.seq) : std::nullopt;
    if (!seq) return std::nullopt;
    // The details lie between the item's tab and the MAC's, which may be one.
    const auto detailsAt =
        static_cast<std::size_t>(look.item.data() + look.item.size() - line.data()) + 1;
    return ReadLine{.text = line.substr(0, macAt),
                    .seq = *seq,
                    .time = look.time,
                    .operatorName = look.operatorName,
                    .item = look.item,
                    .action = look.action,
                    .details = detailsAt > macAt ? std::string_view()
                                                 : line.substr(detailsAt, macAt - detailsAt),
                    .mac = *mac};
}

LastEntries LastEntriesOf(std::string_view text) {
    LastEntries entries;
    ForEachLine(text, [&entries](std::string_view line, bool) {
        if (std::optional<ReadLine> read = ReadJournalLine(line)) {
            entries.before = std::exchange(entries.last, read);
        }
    });
    return entries;
}

std::string ProgramText(std::string_view written) {
    const std::string utf8 =
        written.find('\\') == std::string_view::npos ? std::string(written) : Unescaped(written);
    const std::optional<std::u16string> wide = core::Utf8ToWide(utf8);
    return wide ? core::WideToText(*wide) : utf8;
}

std::string WrittenText(std::string_view text) {
    std::string written;
    AppendWritten(written, text);
    return written;
}

std::string ReasonText(ChainReason reason) {
    return core::WideToText(kReasonNames[static_cast<std::size_t>(reason)]);
}

std::string ProtectionText(Protection protection) {
    return core::WideToText(kProtectionNames[static_cast<std::size_t>(protection)]);
}

std::string ActionText(Action action) {
    return core::WideToText(kActionNames[static_cast<std::size_t>(action)]);
}

std::string DetailsText(const std::vector<Detail>& details) {
    std::string text;
    for (const Detail& detail : details) {
        if (!text.empty()) text += ' ';
        text += core::WideToText(kFieldLabels[static_cast<std::size_t>(detail.field)]) + "=" +
                detail.value;
    }
    return text;
}

std::optional<ChainStart> ReadChainStart(const ReadLine& line) {
    static const std::vector<std::string> protections = InUtf8(kProtectionNames),
                                          reasons = InUtf8(kReasonNames);
    const std::optional<std::string_view> protection = line.Value(Field::Protection);
    if (line.action != Action::NewChain || line.seq != 1 || !protection) return std::nullopt;
    ChainStart start;
    const std::optional<Protection> named = Named<Protection>(protections, *protection);
    if (!named) return std::nullopt;
    start.protection = *named;
    if (const std::optional<std::string_view> reason = line.Value(Field::Reason)) {
        start.reason = Named<ChainReason>(reasons, *reason);
    }
    const std::optional<std::string_view> entries = line.Value(Field::PreviousEntries),
                                          mac = line.Value(Field::PreviousMac),
                                          time = line.Value(Field::PreviousTime);
    if (entries && mac) {
        const std::optional<std::uint64_t> count = Number(*entries);
        const std::optional<Digest> last = DigestOfHex(*mac);
        if (count && last) start.before = ChainHead{*count, *last, time ? std::string(*time) : ""};
    }
    return start;
}

const std::string& ActionName(Action action) {
    return ActionNames()[static_cast<std::size_t>(action)];
}

}  // namespace durava::journal
