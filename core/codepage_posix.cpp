// SPDX-License-Identifier: MIT
#include "core/codepage.h"

#include <iconv.h>

#include <cassert>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace durava::core {
namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::system_error(errno, std::generic_category(), "iconv_open");
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the errno of the stop (0 at the end of the input).
    int Convert(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
        auto* source = const_cast<char*>(in);
        const std::size_t done = iconv(m_cd, &source, &inLeft, &out, &outLeft);
        in = source;
        return done == static_cast<std::size_t>(-1) ? errno : 0;
    }

  private:
    iconv_t m_cd;
};

// iconv_open is slow and a descriptor must not be shared between threads.
Converter& ToGbk() {
    thread_local Converter converter("GBK", "UTF-16LE");
    return converter;
}

Converter& FromGbk() {
    thread_local Converter converter("UTF-16LE", "GBK");
    return converter;
}

// Where glibc and Windows differ, the files follow Windows, where they are kept.

// Windows gives the user-defined and unassigned double-byte codes that glibc rejects runs of
// private-use characters, and the lone byte 0xFF one more; files written there may hold them.
struct PrivateRun {
    std::uint16_t first, last;  // lead byte * 256 + trail byte
    char16_t unit;              // the character of `first`
};
constexpr PrivateRun kPrivateRuns[] = {
    {0xA140, 0xA17E, 0xE4C6}, {0xA180, 0xA1A0, 0xE505}, {0xA240, 0xA27E, 0xE526},
    {0xA280, 0xA2A0, 0xE565}, {0xA2AB, 0xA2B0, 0xE766}, {0xA2E3, 0xA2E4, 0xE76C},
    {0xA2EF, 0xA2F0, 0xE76E}, {0xA2FD, 0xA2FE, 0xE770}, {0xA340, 0xA37E, 0xE586},
    {0xA380, 0xA3A0, 0xE5C5}, {0xA440, 0xA47E, 0xE5E6}, {0xA480, 0xA4A0, 0xE625},
    {0xA4F4, 0xA4FE, 0xE772}, {0xA540, 0xA57E, 0xE646}, {0xA580, 0xA5A0, 0xE685},
    {0xA5F7, 0xA5FE, 0xE77D}, {0xA640, 0xA67E, 0xE6A6}, {0xA680, 0xA6A0, 0xE6E5},
    {0xA6B9, 0xA6C0, 0xE785}, {0xA6D9, 0xA6DF, 0xE78D}, {0xA6EC, 0xA6ED, 0xE794},
    {0xA6F3, 0xA6F3, 0xE796}, {0xA6F6, 0xA6FE, 0xE797}, {0xA740, 0xA77E, 0xE706},
    {0xA780, 0xA7A0, 0xE745}, {0xA7C2, 0xA7D0, 0xE7A0}, {0xA7F2, 0xA7FE, 0xE7AF},
    {0xA896, 0xA8A0, 0xE7BC}, {0xA8BC, 0xA8BC, 0xE7C7}, {0xA8BF, 0xA8BF, 0xE7C8},
    {0xA8C1, 0xA8C4, 0xE7C9}, {0xA8EA, 0xA8FE, 0xE7CD}, {0xA958, 0xA958, 0xE7E2},
    {0xA95B, 0xA95B, 0xE7E3}, {0xA95D, 0xA95F, 0xE7E4}, {0xA989, 0xA995, 0xE7E7},
    {0xA997, 0xA9A3, 0xE7F4}, {0xA9F0, 0xA9FE, 0xE801}, {0xAAA1, 0xAAFE, 0xE000},
    {0xABA1, 0xABFE, 0xE05E}, {0xACA1, 0xACFE, 0xE0BC}, {0xADA1, 0xADFE, 0xE11A},
    {0xAEA1, 0xAEFE, 0xE178}, {0xAFA1, 0xAFFE, 0xE1D6}, {0xD7FA, 0xD7FE, 0xE810},
    {0xF8A1, 0xF8FE, 0xE234}, {0xF9A1, 0xF9FE, 0xE292}, {0xFAA1, 0xFAFE, 0xE2F0},
    {0xFBA1, 0xFBFE, 0xE34E}, {0xFCA1, 0xFCFE, 0xE3AC}, {0xFDA1, 0xFDFE, 0xE40A},
    {0xFE50, 0xFE7E, 0xE815}, {0xFE80, 0xFEA0, 0xE844}, {0xFEA1, 0xFEFE, 0xE468},
};
constexpr unsigned char kLoneByte = 0xFF;
constexpr char16_t kLoneByteUnit = 0xF8F5;

char16_t PrivateUnitOf(std::uint16_t code) {
    for (const PrivateRun& run : kPrivateRuns) {
        if (code >= run.first && code <= run.last)
            return static_cast<char16_t>(run.unit + (code - run.first));
    }
    return 0;
}

std::uint16_t PrivateCodeOf(char16_t unit) {
    for (const PrivateRun& run : kPrivateRuns) {
        if (unit >= run.unit && unit <= run.unit + (run.last - run.first))
            return static_cast<std::uint16_t>(run.first + (unit - run.unit));
    }
    return 0;
}

}  // namespace

std::string WideToText(std::u16string_view wide, [[maybe_unused]] int codePage) {
    assert(codePage == kAnsiCodePage);  // the only code page the program uses
    wide = wide.substr(0, wide.find(u'\0'));
    // Each UTF-16 unit becomes at most two bytes, so the output never runs out of room.
    std::string text(wide.size() * 2, '\0');
    const char* in = reinterpret_cast<const char*>(wide.data());
    std::size_t inLeft = wide.size() * sizeof(char16_t);
    char* out = text.data();
    std::size_t outLeft = text.size();
    while (ToGbk().Convert(in, inLeft, out, outLeft) != 0) {
        char16_t unit;
        std::memcpy(&unit, in, sizeof unit);
        if (const std::uint16_t code = PrivateCodeOf(unit)) {
            *out++ = static_cast<char>(code >> 8);
            *out++ = static_cast<char>(code & 0xFF);
            outLeft -= 2;
        } else {
            // One "?" per UTF-16 unit: each half of a surrogate pair gets its own.
            *out++ = unit == kLoneByteUnit ? static_cast<char>(kLoneByte) : '?';
            --outLeft;
        }
        in += sizeof(char16_t);
        inLeft -= sizeof(char16_t);
    }
    text.resize(text.size() - outLeft);
    return text;
}

std::u16string TextToWide(std::string_view text, [[maybe_unused]] int codePage) {
    assert(codePage == kAnsiCodePage);  // the only code page the program uses
    text = text.substr(0, text.find('\0'));
    // Each byte becomes at most one UTF-16 unit.
    std::u16string wide(text.size(), u'\0');
    const char* in = text.data();
    std::size_t inLeft = text.size();
    char* out = reinterpret_cast<char*>(wide.data());
    std::size_t outLeft = wide.size() * sizeof(char16_t);
    while (FromGbk().Convert(in, inLeft, out, outLeft) != 0) {
        // A lead byte takes the byte after it, whatever it is, into one character.
        const auto lead = static_cast<unsigned char>(in[0]);
        const bool pair = inLeft >= 2 && IsLeadByte(lead);
        const std::size_t skipped = pair ? 2 : 1;
        char16_t unit = lead == kLoneByte ? kLoneByteUnit : u'?';
        if (pair) {
            const char16_t privateUnit = PrivateUnitOf(
                static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(in[1])));
            if (privateUnit != 0) unit = privateUnit;
        }
        *reinterpret_cast<char16_t*>(out) = unit;
        out += sizeof(char16_t);
        outLeft -= sizeof(char16_t);
        in += skipped;
        inLeft -= skipped;
    }
    wide.resize(wide.size() - outLeft / sizeof(char16_t));
    return wide;
}

}  // namespace durava::core
