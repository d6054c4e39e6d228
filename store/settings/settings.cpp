// SPDX-License-Identifier: MIT
#include "store/settings/settings.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <unordered_map>

#include "core/codepage.h"
#include "core/textfunctions.h"
#include "store/files/fileio.h"

namespace durava::store {
namespace {

constexpr std::size_t kValueCapacity = 10239;
constexpr std::string_view kLineBreak = "\r\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view SkipControlBytes(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    return text;
}

std::string_view TrimTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return TrimTrailingSpaces(text);
}

// Names match with ASCII letters folded, but only where a byte is a character of its own: a
// trail byte that looks like a letter belongs to a different double-byte character.
std::string FoldName(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); i += core::CharWidth(folded[i])) {
        if (folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = static_cast<char>(folded[i] + 32);
    }
    return folded;
}

std::string_view StripMatchingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool HasLineBreakOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A file written within its file system's timestamp granularity of our look at it can change
// again without its signature changing. Such a look is confirmed by content until it is older
// than that granularity. Whole-second stamps suggest a coarse file system.
bool IsSettled(std::int64_t modified, std::int64_t lookedAt) {
    constexpr std::int64_t kSecond = 1'000'000'000;
    const std::int64_t slack = modified % kSecond == 0 ? 2 * kSecond : 50'000'000;
    return lookedAt - modified > slack;
}

// On the clock of the files' stamps: nanoseconds since 1970.
std::int64_t Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

struct SettingsFile::Snapshot {
    enum class State { Missing, Unreadable, Present };

    struct Line {
        std::size_t start, end, next;  // `end` excludes the line break, `next` includes it
    };
    struct Key {
        std::size_t line;
        std::size_t valueStart;  // just after the "="
        std::string value;
    };
    struct Section {
        std::size_t headerLine;
        std::optional<std::size_t> lastKeyLine;
        std::unordered_map<std::string, Key> keys;  // by folded name; the first key wins
        std::size_t nameStart, nameSize;            // the name as the header spells it
    };

    State state = State::Missing;
    std::optional<FileLook> signature;
    bool settled = false;
    std::string bytes;
    std::vector<Line> lines;
    std::vector<Section> sections;
    std::unordered_map<std::string, std::size_t> sectionByName;  // folded name, first wins

    void Parse();
    std::string With(std::string_view section, std::string_view key, std::string_view value) const;
    const Section* FindSection(std::string_view name) const {
        auto found = sectionByName.find(FoldName(name));
        return found == sectionByName.end() ? nullptr : &sections[found->second];
    }
};

void SettingsFile::Snapshot::Parse() {
    const std::string_view text = bytes;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        std::size_t next;
        if (end == std::string_view::npos) {
            end = next = text.size();
        } else {
            next =
                end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
        }
        lines.push_back({start, end, next});
        start = next;
    }

    Section* current = nullptr;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        std::string_view line =
            TrimBlanks(text.substr(lines[index].start, lines[index].end - lines[index].start));
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            std::string_view inside = line.substr(1);
            long long close = core::FindText(inside, "]");
            if (close > 0) inside = inside.substr(0, static_cast<std::size_t>(close - 1));
            inside = TrimBlanks(inside);
            auto [entry, added] = sectionByName.try_emplace(FoldName(inside), sections.size());
            sections.push_back({index,
                                std::nullopt,
                                {},
                                static_cast<std::size_t>(inside.data() - text.data()),
                                inside.size()});
            // Only the first section of a name is ever searched or written.
            current = added ? &sections.back() : nullptr;
            continue;
        }
        std::size_t equals = line.find('=');
        if (!current || equals == std::string_view::npos) continue;
        current->lastKeyLine = index;
        std::string_view raw =
            text.substr(lines[index].start, lines[index].end - lines[index].start);
        std::size_t valueStart = lines[index].start + raw.find('=') + 1;
        std::string value(StripMatchingQuotes(TrimBlanks(line.substr(equals + 1))));
        current->keys.try_emplace(FoldName(TrimBlanks(line.substr(0, equals))),
                                  Key{index, valueStart, core::BytesToText(value)});
    }
}

SettingsFile::SettingsFile(std::filesystem::path path) : m_path(std::move(path)) {}
SettingsFile::~SettingsFile() = default;
SettingsFile::SettingsFile(SettingsFile&&) noexcept = default;
SettingsFile& SettingsFile::operator=(SettingsFile&&) noexcept = default;

SettingsFile::OneLook::OneLook(const SettingsFile& file) : m_file(file) {
    ++m_file.m_views;
}

SettingsFile::OneLook::~OneLook() {
    if (--m_file.m_views == 0) m_file.m_viewTaken = false;
}

// A write starts from the file as it is now, never from a view another writer has since changed.
const SettingsFile::Snapshot* SettingsFile::LookAgain() const {
    m_viewTaken = false;
    return Current();
}

bool SettingsFile::Unreadable() const {
    Current();
    return m_lookFailed;
}

const SettingsFile::Snapshot* SettingsFile::Current() const {
    if (m_viewTaken && m_snapshot) return m_snapshot.get();
    m_viewTaken = m_views > 0;
    const std::int64_t lookedAt = Now();
    const std::optional<FileLook> signature = LookAt(m_path);
    // Only a file known to be absent is missing: a failed look taken for an empty file would have
    // the next write replace every section with one.
    const bool unknown = !signature && errno != ENOENT && errno != ENOTDIR;
    Snapshot* old = m_snapshot.get();
    // Read at most once per look: to confirm an unsettled file, then, if it changed, to parse.
    std::optional<std::string> bytes;
    bool read = false;
    if (old && old->state != Snapshot::State::Unreadable && !unknown &&
        old->signature.has_value() == signature.has_value() &&
        (!signature || *old->signature == *signature)) {
        m_lookFailed = false;
        if (old->settled || !signature) return old;
        bytes = ReadWholeFile(m_path);
        read = true;
        if (bytes && *bytes == old->bytes) {
            old->settled = IsSettled(signature->modified, lookedAt);
            return old;
        }
    }

    auto fresh = std::make_unique<Snapshot>();
    fresh->signature = signature;
    if (signature) {
        if (!read) bytes = ReadWholeFile(m_path);
        if (bytes) {
            fresh->state = Snapshot::State::Present;
            fresh->bytes = std::move(*bytes);
            fresh->settled = IsSettled(signature->modified, lookedAt);
            fresh->Parse();
        } else {
            fresh->state = Snapshot::State::Unreadable;
        }
    } else if (unknown) {
        fresh->state = Snapshot::State::Unreadable;
    }
    m_lookFailed = fresh->state == Snapshot::State::Unreadable;
    // A file that cannot be read just now reads as it last could: defaults would show items in
    // use as idle and tariffs as 0. Writes refuse until the file reads again.
    if (m_lookFailed && old && old->state == Snapshot::State::Present) {
        old->settled = false;
        return old;
    }
    if (!old || old->state != fresh->state || old->bytes != fresh->bytes) ++m_generation;
    m_snapshot = std::move(fresh);
    return m_snapshot.get();
}

std::uint64_t SettingsFile::Generation() const {
    Current();
    return m_generation;
}

std::string SettingsFile::ReadSetting(std::string_view section, std::string_view key,
                                      std::string_view fallback) const {
    section = TrimTrailingSpaces(SkipControlBytes(section));
    key = TrimTrailingSpaces(SkipControlBytes(key));
    if (m_path.empty() || section.empty() || key.empty()) return {};

    const Snapshot* snapshot = Current();
    if (const Snapshot::Section* found = snapshot->FindSection(section)) {
        auto entry = found->keys.find(FoldName(key));
        if (entry != found->keys.end()) return entry->second.value.substr(0, kValueCapacity);
    }
    return std::string(TrimTrailingSpaces(fallback).substr(0, kValueCapacity));
}

std::string SettingsFile::SpellingOf(std::string_view section) const {
    const Snapshot* snapshot = Current();
    const Snapshot::Section* found =
        snapshot->FindSection(TrimTrailingSpaces(SkipControlBytes(section)));
    return found ? snapshot->bytes.substr(found->nameStart, found->nameSize) : std::string(section);
}

bool SettingsFile::HasSection(std::string_view section) const {
    section = TrimTrailingSpaces(SkipControlBytes(section));
    return !section.empty() && Current()->FindSection(section) != nullptr;
}

namespace {

// What cannot be stored so that it reads back as written is refused, not written askew.
bool IsWritable(std::string_view section, std::string_view key, std::string_view value) {
    return !section.empty() && !key.empty() && !HasLineBreakOrZero(section) &&
           !HasLineBreakOrZero(key) && !HasLineBreakOrZero(value) &&
           core::FindText(section, "]") < 0 && key.find('=') == std::string_view::npos &&
           key.front() != '[' && key.front() != ';';
}

}  // namespace

// The text after one write, laid out as Windows lays out the files it writes.
std::string SettingsFile::Snapshot::With(std::string_view section, std::string_view key,
                                         std::string_view value) const {
    const std::string_view text = bytes;
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    std::string updated;
    const Section* found = FindSection(section);
    if (!found) {
        updated = text;
        if (!updated.empty() && updated.back() != '\n' && updated.back() != '\r') {
            updated += kLineBreak;
        }
        updated.append("[").append(section).append("]").append(kLineBreak);
        updated.append(keyLine).append(kLineBreak);
    } else if (auto entry = found->keys.find(FoldName(key)); entry != found->keys.end()) {
        const Line& line = lines[entry->second.line];
        updated.append(text.substr(0, entry->second.valueStart)).append(value);
        updated.append(line.next == line.end ? kLineBreak
                                             : text.substr(line.end, line.next - line.end));
        updated.append(text.substr(line.next));
    } else {
        const Line& line = lines[found->lastKeyLine.value_or(found->headerLine)];
        updated.append(text.substr(0, line.next));
        if (line.next == line.end) updated += kLineBreak;
        updated.append(keyLine).append(kLineBreak).append(text.substr(line.next));
    }
    return updated;
}

bool SettingsFile::WriteSetting(std::string_view section, std::string_view key,
                                std::string_view value) {
    const SettingWrite write{section, key, value};
    return WriteSettings({&write, 1});
}

bool SettingsFile::WriteSettings(std::span<const SettingWrite> writes) {
    const std::optional<std::string> bytes = Written(writes, m_writeProblem);
    return bytes && Replace(*bytes);
}

std::optional<std::string> SettingsFile::BytesAfter(std::span<const SettingWrite> writes) const {
    FileProblem problem;
    return Written(writes, problem);
}

std::optional<std::string> SettingsFile::BytesNow() const {
    const Snapshot* now = LookAgain();
    if (m_lookFailed) return std::nullopt;
    return now->bytes;
}

std::optional<std::string> SettingsFile::Written(std::span<const SettingWrite> writes,
                                                 FileProblem& problem) const {
    problem = FileProblem::NotWritten;
    for (const SettingWrite& write : writes) {
        if (!IsWritable(TrimSpaces(write.section), TrimSpaces(write.key), write.value)) {
            return std::nullopt;
        }
    }
    // The file as read is parsed already: the first write starts from it, each later one from the
    // one before.
    const Snapshot* from = LookAgain();
    if (m_lookFailed) {
        problem = FileProblem::Unreadable;
        return std::nullopt;
    }
    Snapshot working;
    for (const SettingWrite& write : writes) {
        const std::string_view section = TrimSpaces(write.section), key = TrimSpaces(write.key);
        std::string updated = from->With(section, key, write.value);
        working = Snapshot();
        working.bytes = std::move(updated);
        working.Parse();
        from = &working;
        // A name the reader would split or cut differently would leave a section that can never
        // be found again, and every later write would add another.
        const Snapshot::Section* found = working.FindSection(section);
        if (!found || !found->keys.contains(FoldName(key))) return std::nullopt;
    }
    return from == &working ? std::move(working.bytes) : from->bytes;
}

bool SettingsFile::Replace(std::string_view bytes) {
    m_writeProblem = ReplaceFile(m_path, bytes);
    m_viewTaken = false;
    return m_writeProblem == FileProblem::None;
}

namespace {

// The bytes after the "[" at `open` up to the first "]" on its line that is a character of its
// own. A line ends at LF; a lead byte never takes the LF with it.
std::optional<std::string_view> HeaderName(std::string_view text, std::size_t open) {
    for (std::size_t i = open + 1; i < text.size() && text[i] != '\n';
         i += core::CharWidth(text[i])) {
        if (text[i] == ']') return text.substr(open + 1, i - open - 1);
        if (core::IsLeadByte(text[i]) && i + 1 < text.size() && text[i + 1] == '\n') break;
    }
    return std::nullopt;
}

}  // namespace

void SettingsFile::ReadSectionNames(std::vector<std::string>& names) const {
    const Snapshot* snapshot = Current();
    if (snapshot->state != Snapshot::State::Present) return;
    std::string_view text = snapshot->bytes;
    // A zero byte or Ctrl-Z ends the text for this reader. Two searches for one byte each: a
    // search for either byte would test every byte of the file against the pair.
    text = text.substr(0, std::min(text.find('\0'), text.find('\x1A')));

    // The names behave as if they travelled through one text joined by "|": a "|" inside a header
    // cuts it in two, empty names before the first other one are lost, and so is an empty last
    // piece. A header name is whole characters, so each "|" that joins is a character of its own.
    names.clear();
    // Only lines that open with "[" matter, so the search goes from one "[" to the next.
    for (std::size_t open = text.find('['); open != std::string_view::npos;
         open = text.find('[', open + 1)) {
        if (open > 0 && text[open - 1] != '\n') continue;
        const std::optional<std::string_view> name = HeaderName(text, open);
        if (!name || (names.empty() && name->empty())) continue;
        std::size_t piece = 0;
        for (std::size_t i = 0; i < name->size(); i += core::CharWidth((*name)[i])) {
            if ((*name)[i] != '|') continue;
            names.emplace_back(name->substr(piece, i - piece));
            piece = i + 1;
        }
        names.emplace_back(name->substr(piece));
    }
    if (!names.empty() && names.back().empty()) names.pop_back();
}

bool SettingsFile::RemoveSection(std::string_view name) {
    const Snapshot* snapshot = LookAgain();
    m_writeProblem = m_lookFailed ? FileProblem::Unreadable : FileProblem::None;
    if (m_lookFailed) return false;
    if (snapshot->state == Snapshot::State::Missing) return true;
    const std::string_view text = snapshot->bytes;
    const std::string header = std::string("[").append(name).append("]");

    auto startsLine = [&](std::size_t at) {
        return at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r';
    };
    // Only a header that opens its line counts, and the section ends at the next line that is a
    // header: a "[" inside a value or comment must not cut a section in two.
    long long first = core::FindText(text, header, 1, false);
    while (first > 0 && !startsLine(static_cast<std::size_t>(first - 1))) {
        first = core::FindText(text, header, first + 1, false);
    }
    if (first < 0) return true;
    const std::size_t begin = static_cast<std::size_t>(first - 1);

    std::size_t end = text.size();
    for (const Snapshot::Line& line : snapshot->lines) {
        if (line.start <= begin) continue;
        std::string_view content = TrimBlanks(text.substr(line.start, line.end - line.start));
        if (!content.empty() && content.front() == '[') {
            end = line.start + text.substr(line.start).find('[');
            break;
        }
    }
    std::string updated(text.substr(0, begin));
    updated.append(text.substr(end));
    return Replace(updated);
}

}  // namespace durava::store
