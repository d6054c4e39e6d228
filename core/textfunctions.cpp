// SPDX-License-Identifier: MIT
#include "core/textfunctions.h"

#include <algorithm>

namespace durava::core {
namespace {

// A lead byte as the very last byte counts as a character of its own, so walks never read past
// the end.
std::size_t NextChar(std::string_view text, std::size_t pos) {
    return std::min(pos + CharWidth(static_cast<unsigned char>(text[pos])), text.size());
}

unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Compares from a character boundary; only single-byte characters fold, since a trail byte that
// looks like a letter is part of another character.
bool MatchesAt(std::string_view text, std::size_t pos, std::string_view sought, bool ignoreCase) {
    bool trail = false;
    for (std::size_t i = 0; i < sought.size(); ++i) {
        auto have = static_cast<unsigned char>(text[pos + i]);
        auto want = static_cast<unsigned char>(sought[i]);
        if (ignoreCase && !trail) {
            have = FoldAscii(have);
            want = FoldAscii(want);
        }
        if (have != want) return false;
        trail = !trail && IsLeadByte(have);
    }
    return true;
}

}  // namespace

Text BytesToText(std::string_view bytes) {
    return Text(bytes.substr(0, bytes.find('\0')));
}

Text TakeLeft(std::string_view text, long long n) {
    if (n <= 0) return {};
    return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text TakeRight(std::string_view text, long long n) {
    if (n <= 0) return {};
    const auto count = std::min(static_cast<std::size_t>(n), text.size());
    return Text(text.substr(text.size() - count));
}

Text TakeMiddle(std::string_view text, long long position, long long n) {
    if (position < 1 || position > static_cast<long long>(text.size()) || n <= 0) return {};
    return Text(text.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(n)));
}

long long FindText(std::string_view text, std::string_view sought, long long start,
                   bool ignoreCase) {
    const auto from = static_cast<std::size_t>(std::max(start, 1LL) - 1);
    if (from >= text.size()) return -1;
    if (sought.empty()) return 1;
    // The walk starts at the first byte even when `from` is later: only then is it known
    // which bytes are trail bytes.
    for (std::size_t pos = 0; sought.size() <= text.size() - pos; pos = NextChar(text, pos)) {
        if (pos >= from && MatchesAt(text, pos, sought, ignoreCase)) {
            return static_cast<long long>(pos) + 1;
        }
    }
    return -1;
}

long long FindTextLast(std::string_view text, std::string_view sought,
                       std::optional<long long> start, bool ignoreCase) {
    if (start) {
        text = text.substr(0, static_cast<std::size_t>(std::max(*start - 1, 0LL)));
    }
    if (text.empty()) return -1;
    if (sought.empty()) return 1;
    long long last = -1;
    for (std::size_t pos = 0; sought.size() <= text.size() - pos; pos = NextChar(text, pos)) {
        if (MatchesAt(text, pos, sought, ignoreCase)) last = static_cast<long long>(pos) + 1;
    }
    return last;
}

Text ReplaceText(std::string_view text, long long position, long long length,
                 std::string_view replacement) {
    const auto at = std::min(static_cast<std::size_t>(std::max(position - 1, 0LL)), text.size());
    const auto removed =
        length <= 0 ? 0 : std::min(static_cast<std::size_t>(length), text.size() - at);
    Text result(text.substr(0, at));
    result += replacement;
    result += text.substr(at + removed);
    return result;
}

void ForEachPiece(std::string_view text, std::string_view separator, long long maxCount,
                  const std::function<void(std::string_view)>& piece) {
    if (text.empty() || maxCount == 0) return;
    std::size_t fieldStart = 0;
    // An empty separator cuts nothing: the whole text is the one piece.
    if (!separator.empty()) {
        for (std::size_t pos = 0; separator.size() <= text.size() - pos;) {
            if (text[pos] != separator.front() ||
                text.compare(pos, separator.size(), separator) != 0) {
                pos = NextChar(text, pos);
                continue;
            }
            piece(text.substr(fieldStart, pos - fieldStart));
            pos += separator.size();
            fieldStart = pos;
            if (maxCount > 0 && --maxCount == 0) return;
        }
    }
    if (fieldStart < text.size()) piece(text.substr(fieldStart));
}

TextArray SplitText(std::string_view text, std::string_view separator, long long maxCount) {
    TextArray pieces;
    ForEachPiece(text, separator, maxCount,
                 [&pieces](std::string_view piece) { pieces.emplace_back(piece); });
    return pieces;
}

int CompareText(std::string_view a, std::string_view b, bool caseSensitive) {
    bool trail = false;
    const auto common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (!caseSensitive && !trail) {
            x = FoldAscii(x);
            y = FoldAscii(y);
        }
        if (x != y) return x < y ? -1 : 1;
        trail = !trail && IsLeadByte(x);
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace durava::core
