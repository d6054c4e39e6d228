// SPDX-License-Identifier: MIT
#pragma once
// Plain, slow reference versions of the rules the fuzz targets check the real code against, and a
// scratch file for targets that go through the file system.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace durava::fuzz {

// A broken rule ends the run: libFuzzer keeps the input.
inline void Require(bool condition) {
    if (!condition) std::abort();
}

// Replaces `file` with `bytes`.
inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    Require(static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))));
}

// A byte from 0x81 to 0xFE takes the next byte with it; 0x80 ("€") and 0xFF stand alone.
inline std::size_t Width(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    return b >= 0x81 && b <= 0xFE ? 2 : 1;
}

// Which bytes begin a character when the text is walked from its first byte.
inline std::vector<bool> CharStarts(std::string_view text) {
    std::vector<bool> starts(text.size(), false);
    for (std::size_t i = 0; i < text.size(); i += Width(text[i])) {
        starts[i] = true;
    }
    return starts;
}

// ASCII letters that are characters of their own, in lower case.
inline std::string FoldLetters(std::string_view text) {
    std::string folded(text);
    const std::vector<bool> starts = CharStarts(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (starts[i] && folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = folded[i] - 'A' + 'a';
    }
    return folded;
}

// The pieces between separators, walking a character at a time; a trailing separator adds no
// empty piece. At most `maxCount` pieces when it is not negative.
inline std::vector<std::string> Split(std::string_view text, std::string_view separator,
                                      long long maxCount = -1) {
    std::vector<std::string> pieces;
    if (text.empty() || maxCount == 0) return pieces;
    std::size_t field = 0, i = 0;
    while (!separator.empty() && i + separator.size() <= text.size()) {
        if (text.substr(i, separator.size()) == separator) {
            pieces.emplace_back(text.substr(field, i - field));
            i = field = i + separator.size();
            if (static_cast<long long>(pieces.size()) == maxCount) return pieces;
        } else {
            i += Width(text[i]);
        }
    }
    if (field < text.size()) pieces.emplace_back(text.substr(field));
    return pieces;
}

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A line of the settings file and the line break that ends it: CR LF, a lone CR, a lone LF or
// nothing at the end of the file.
struct Line {
    std::size_t start;
    std::string content, end;
};

inline std::vector<Line> Lines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = start;
        while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n') ++stop;
        std::size_t next = stop;
        if (next < text.size()) next += text.substr(next, 2) == "\r\n" ? 2 : 1;
        lines.push_back({start, std::string(text.substr(start, stop - start)),
                         std::string(text.substr(stop, next - stop))});
        start = next;
    }
    return lines;
}

// A file in a folder of its own, on a memory file system when there is one: the targets flush.
// Removed with the folder when the run ends.
class ScratchFile {
  public:
    ScratchFile() {
        std::string pattern = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        pattern += "/durava-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        m_folder = pattern;
        m_path = (m_folder / "store").string();
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return m_path; }

    const std::filesystem::path& Folder() const { return m_folder; }

    void Write(std::string_view bytes) const { WriteBytes(m_path, bytes); }

    std::string Read() const {
        std::string bytes;
        std::FILE* file = std::fopen(m_path.c_str(), "rb");
        if (!file) return bytes;
        char buffer[65536];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.append(buffer, got);
        }
        std::fclose(file);
        return bytes;
    }

    // Entries in the folder besides the file: temporary files left behind.
    std::size_t Strays() const {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
            count += entry.path() != m_path;
        }
        return count;
    }

  private:
    std::filesystem::path m_folder;
    std::string m_path;
};

// Turns fuzz bytes into a name of letters, digits and double-byte characters, whose second bytes
// may look like "[", "]", "|", "@" or letters.
inline std::string SafeName(std::string_view bytes) {
    static constexpr std::string_view kSingle =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
    std::string name;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80 || i + 1 == bytes.size()) {
            name += kSingle[b % kSingle.size()];
            continue;
        }
        const auto next = static_cast<unsigned char>(bytes[++i]);
        name += static_cast<char>(0x81 + b % 0x7E);
        const int trail = 0x40 + next % 0xBE;
        name += static_cast<char>(trail >= 0x7F ? trail + 1 : trail);
    }
    return name;
}

}  // namespace durava::fuzz
