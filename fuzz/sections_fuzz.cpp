// SPDX-License-Identifier: MIT
// Any bytes as the settings file: the item list is what the header lines name, and removing an
// item takes its header line and the lines up to the next header, and nothing else.
// Input: the file, then 4 bytes that choose the section to remove.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "reference.h"
#include "store/settings/settings.h"

namespace durava::fuzz {
namespace {

// The text between "[" and the first "]" of every line that opens with "[" and holds one; lines
// end at LF, a CR before it is dropped, and a zero byte or Ctrl-Z ends the text.
std::vector<std::string> HeaderNames(std::string_view text) {
    text = text.substr(0, text.find_first_of(std::string_view("\0\x1A", 2)));
    std::vector<std::string> names;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() != '[') continue;
        const std::vector<bool> starts = CharStarts(line);
        for (std::size_t i = 1; i < line.size(); ++i) {
            if (starts[i] && line[i] == ']') {
                names.emplace_back(line.substr(1, i - 1));
                break;
            }
        }
    }
    return names;
}

// The names travel through one text joined by "|".
std::vector<std::string> Listed(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : "|") + name;
    return Split(joined, "|");
}

bool HasSeparator(std::string_view name) {
    const std::vector<bool> starts = CharStarts(name);
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (starts[i] && name[i] == '|') return true;
    }
    return false;
}

// Where the first line that opens with the header starts.
std::size_t HeaderLine(std::string_view text, std::string_view header) {
    for (const Line& line : Lines(text)) {
        if (text.substr(line.start).starts_with(header)) return line.start;
    }
    return std::string_view::npos;
}

// The "[" of the first header line after `begin`, or the end of the text.
std::size_t NextHeader(std::string_view text, std::size_t begin) {
    for (const Line& line : Lines(text)) {
        const std::string_view content = TrimBlanks(line.content);
        if (line.start > begin && !content.empty() && content.front() == '[') {
            return line.start + line.content.find('[');
        }
    }
    return text.size();
}

}  // namespace
}  // namespace durava::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace durava::fuzz;
    static const ScratchFile scratch;
    const std::size_t fileSize = size >= 4 ? size - 4 : size;
    const std::string before(reinterpret_cast<const char*>(data), fileSize);
    FuzzedDataProvider choices(data + fileSize, size - fileSize);
    const auto pick = choices.ConsumeIntegral<std::uint16_t>();
    std::minstd_rand random(choices.ConsumeIntegral<std::uint16_t>());

    scratch.Write(before);
    durava::store::SettingsFile settings(scratch.Path());
    const std::vector<std::string> headers = HeaderNames(before);
    std::vector<std::string> names{"kept only when the file is missing"};
    settings.ReadSectionNames(names);
    Require(names == Listed(headers));

    std::string name;
    if (pick % 4 != 0 && !headers.empty()) {
        name = headers[pick / 4 % headers.size()];
    } else {
        std::string bytes(random() % 6, '\0');
        for (char& b : bytes) b = static_cast<char>(random());
        name = SafeName(bytes);
    }
    Require(settings.RemoveSection(name));
    const std::string after = scratch.Read();
    Require(scratch.Strays() == 0);

    const std::size_t begin = HeaderLine(before, "[" + name + "]");
    if (begin == std::string::npos) {
        Require(after == before);
        return 0;
    }
    const std::size_t end = NextHeader(before, begin);
    Require(after == before.substr(0, begin) + before.substr(end));

    std::vector<std::string> left;
    settings.ReadSectionNames(left);
    Require(left == Listed(HeaderNames(after)));
    // Where the list holds each header once, as it is, removing one takes exactly that entry.
    const bool plainNames = std::none_of(
        headers.begin(), headers.end(), [](const auto& h) { return h.empty() || HasSeparator(h); });
    const bool listedLine = begin == 0 || before[begin - 1] == '\n';
    const bool nextLineWhole = end == before.size() || before[end - 1] == '\n';
    const bool visible =
        before.substr(0, end).find_first_of(std::string_view("\0\x1A", 2)) == std::string::npos;
    if (plainNames && listedLine && nextLineWhole && visible) {
        std::vector<std::string> expected = names;
        const auto removed = std::find(expected.begin(), expected.end(), name);
        Require(removed != expected.end());
        expected.erase(removed);
        Require(left == expected);
    }
    return 0;
}
