// SPDX-License-Identifier: MIT
// Any bytes as the settings file: every value reads as a plain reading of the rules gives it; then
// one write changes only the line it must, reads back, and leaves every other value as it was.
// Input: the file, then 8 bytes that choose the section, the key and the value.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <random>
#include <utility>

#include "reference.h"
#include "store/settings/settings.h"

namespace durava::fuzz {
namespace {

constexpr std::size_t kValueCapacity = 10239;

std::string_view SkipControlBytes(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    return text;
}

std::string_view TrimTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string_view AsQueried(std::string_view name) {
    return TrimTrailingSpaces(SkipControlBytes(name));
}

std::string_view HeaderName(std::string_view header) {
    const std::string_view inside = header.substr(1);
    const std::vector<bool> starts = CharStarts(inside);
    for (std::size_t i = 0; i < inside.size(); ++i) {
        if (starts[i] && inside[i] == ']') return TrimBlanks(inside.substr(0, i));
    }
    return TrimBlanks(inside);
}

// The file read once: its header and key lines, names folded, values as a read returns them.
class Reference {
  public:
    explicit Reference(std::string_view text) {
        for (const Line& line : Lines(text)) {
            const std::string_view content = TrimBlanks(line.content);
            if (content.empty() || content.front() == ';') continue;
            if (content.front() == '[') {
                m_entries.push_back({true, FoldLetters(HeaderName(content)), {}});
                continue;
            }
            const std::size_t equals = content.find('=');
            if (equals == std::string_view::npos) continue;
            std::string_view value = TrimBlanks(content.substr(equals + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            value = value.substr(0, value.find('\0'));
            m_entries.push_back({false, FoldLetters(TrimBlanks(content.substr(0, equals))),
                                 std::string(value.substr(0, kValueCapacity))});
        }
    }

    // The first key of the name in the first section of the name.
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback) const {
        section = AsQueried(section);
        key = AsQueried(key);
        if (section.empty() || key.empty()) return {};
        const std::string foldedSection = FoldLetters(section), foldedKey = FoldLetters(key);
        bool inside = false;
        for (const Entry& entry : m_entries) {
            if (entry.header) {
                if (inside) break;
                inside = entry.name == foldedSection;
            } else if (inside && entry.name == foldedKey) {
                return entry.value;
            }
        }
        return std::string(TrimTrailingSpaces(fallback).substr(0, kValueCapacity));
    }

  private:
    struct Entry {
        bool header;
        std::string name, value;
    };
    std::vector<Entry> m_entries;
};

// A value that the file keeps as written: no line break, no zero byte, no blanks at its ends, no
// quotes around it.
std::string SafeValue(std::minstd_rand& random) {
    std::string value;
    for (unsigned n = random() % 24; n > 0; --n) {
        const unsigned kind = random() % 10;
        if (kind < 7) {
            value += static_cast<char>(0x21 + random() % 0x5E);
        } else if (kind < 8) {
            value += ' ';
        } else {
            value += static_cast<char>(0x81 + random() % 0x7E);
            const int trail = 0x40 + static_cast<int>(random() % 0xBE);
            value += static_cast<char>(trail >= 0x7F ? trail + 1 : trail);
        }
    }
    while (!value.empty() && value.front() == ' ') value.erase(0, 1);
    while (!value.empty() && value.back() == ' ') value.pop_back();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value += 'x';
    }
    return value;
}

std::string RandomName(std::minstd_rand& random) {
    std::string bytes(1 + random() % 8, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    return SafeName(bytes);
}

struct Query {
    std::string section, key;
};

std::string SwapCase(std::string_view text) {
    std::string swapped(text);
    const std::vector<bool> starts = CharStarts(text);
    for (std::size_t i = 0; i < swapped.size(); ++i) {
        const char c = swapped[i];
        if (!starts[i]) continue;
        if (c >= 'a' && c <= 'z') swapped[i] = c - 'a' + 'A';
        if (c >= 'A' && c <= 'Z') swapped[i] = c - 'A' + 'a';
    }
    return swapped;
}

// The file's own section and key names, as the file spells them and with letters swapped.
std::vector<Query> QueriesOf(std::string_view text, std::vector<std::string>& sections,
                             std::vector<std::string>& keys) {
    for (const Line& line : Lines(text)) {
        const std::string_view content = TrimBlanks(line.content);
        if (content.empty() || content.front() == ';') continue;
        if (content.front() == '[') {
            if (sections.size() < 5) sections.emplace_back(HeaderName(content));
        } else if (const std::size_t equals = content.find('=');
                   equals != std::string_view::npos && keys.size() < 5) {
            keys.emplace_back(TrimBlanks(content.substr(0, equals)));
        }
    }
    std::vector<Query> queries;
    for (const std::string& section : sections) {
        for (const std::string& key : keys) {
            queries.push_back({section, key});
            queries.push_back({SwapCase(section), SwapCase(key)});
        }
        queries.push_back({section, "missing"});
    }
    queries.push_back({"missing", "missing"});
    return queries;
}

// Lines the write did not touch are as they were (the last may gain the CR LF it lacked); the
// write changed one key line in place, inserted one, or appended a section with one.
void RequireOnlyTheKeyLineChanged(std::string_view before, std::string_view after,
                                  const std::string& section, const std::string& key,
                                  const std::string& value) {
    const std::vector<Line> old = Lines(before), now = Lines(after);
    auto same = [](const Line& a, const Line& b) {
        return a.content == b.content && (a.end == b.end || (a.end.empty() && b.end == "\r\n"));
    };
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && same(old[prefix], now[prefix])) ++prefix;
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           same(old[old.size() - 1 - suffix], now[now.size() - 1 - suffix])) {
        ++suffix;
    }
    const std::size_t removed = old.size() - prefix - suffix;
    const std::size_t added = now.size() - prefix - suffix;
    const std::string keyLine = key + "=" + value;
    if (removed == 0 && added == 0) return;  // the value was already there
    if (removed == 1 && added == 1) {
        const std::string& line = old[prefix].content;
        Require(now[prefix].content == line.substr(0, line.find('=') + 1) + value);
        Require(now[prefix].end == (old[prefix].end.empty() ? "\r\n" : old[prefix].end));
    } else if (removed == 0 && added == 1) {
        Require(now[prefix].content == keyLine && now[prefix].end == "\r\n");
    } else {
        Require(removed == 0 && added == 2 && suffix == 0);
        Require(now[prefix].content == "[" + section + "]" && now[prefix].end == "\r\n");
        Require(now[prefix + 1].content == keyLine && now[prefix + 1].end == "\r\n");
    }
}

}  // namespace
}  // namespace durava::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace durava::fuzz;
    static const ScratchFile scratch;
    const std::size_t fileSize = size >= 8 ? size - 8 : size;
    const std::string before(reinterpret_cast<const char*>(data), fileSize);
    FuzzedDataProvider choices(data + fileSize, size - fileSize);
    const auto sectionPick = choices.ConsumeIntegral<std::uint16_t>();
    const auto keyPick = choices.ConsumeIntegral<std::uint16_t>();
    std::minstd_rand random(choices.ConsumeIntegral<std::uint32_t>());

    scratch.Write(before);
    durava::store::SettingsFile settings(scratch.Path());
    std::vector<std::string> sections, keys;
    const std::vector<Query> queries = QueriesOf(before, sections, keys);
    const Reference old(before);
    for (const Query& q : queries) {
        Require(settings.ReadSetting(q.section, q.key) == old.Read(q.section, q.key, {}));
        Require(settings.ReadSetting(q.section, q.key, " d ") == old.Read(q.section, q.key, " d "));
    }

    const bool pickSection = sectionPick % 4 != 0 && !sections.empty();
    const bool pickKey = keyPick % 4 != 0 && !keys.empty();
    const std::string section =
        pickSection ? sections[sectionPick / 4 % sections.size()] : RandomName(random);
    const std::string key = pickKey ? keys[keyPick / 4 % keys.size()] : RandomName(random);
    const std::string value = SafeValue(random);
    const bool writable = !section.empty() && !key.empty() &&
                          section.find('\0') == std::string::npos &&
                          key.find('\0') == std::string::npos;

    const bool written = settings.WriteSetting(section, key, value);
    const std::string after = scratch.Read();
    Require(scratch.Strays() == 0);
    Require(written || !writable);
    if (!written) {
        Require(after == before);
        return 0;
    }
    RequireOnlyTheKeyLineChanged(before, after, section, key, value);
    if (AsQueried(section) == section && AsQueried(key) == key) {
        Require(settings.ReadSetting(section, key) == value);
    }
    const std::string writtenSection = FoldLetters(AsQueried(section));
    const std::string writtenKey = FoldLetters(AsQueried(key));
    const Reference now(after);
    for (const Query& q : queries) {
        const std::string reads = now.Read(q.section, q.key, {});
        Require(settings.ReadSetting(q.section, q.key) == reads);
        if (FoldLetters(AsQueried(q.section)) != writtenSection ||
            FoldLetters(AsQueried(q.key)) != writtenKey) {
            Require(reads == old.Read(q.section, q.key, {}));
        }
    }
    return 0;
}
