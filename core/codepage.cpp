#include "core/codepage.h"

#include <iconv.h>

#include <cassert>
#include <cerrno>
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

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
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
        // One "?" per character: a surrogate pair is one character, a lone surrogate another.
        const auto* unit = reinterpret_cast<const char16_t*>(in);
        const std::size_t units = inLeft / sizeof(char16_t);
        const std::size_t skipped =
            units >= 2 && IsHighSurrogate(unit[0]) && IsLowSurrogate(unit[1]) ? 2 : 1;
        *out++ = '?';
        --outLeft;
        in += skipped * sizeof(char16_t);
        inLeft -= skipped * sizeof(char16_t);
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
        // A bad pair is one character when its second byte could be a trail byte; otherwise
        // that byte (a digit, "/", a blank...) is read on its own.
        const std::size_t skipped = inLeft >= 2 && IsLeadByte(static_cast<unsigned char>(in[0])) &&
                                            IsTrailByte(static_cast<unsigned char>(in[1]))
                                        ? 2
                                        : 1;
        *reinterpret_cast<char16_t*>(out) = u'?';
        out += sizeof(char16_t);
        outLeft -= sizeof(char16_t);
        in += skipped;
        inLeft -= skipped;
    }
    wide.resize(wide.size() - outLeft / sizeof(char16_t));
    return wide;
}

std::filesystem::path NativePath(std::string_view text) {
    return std::filesystem::path(TextToWide(text));
}

}  // namespace durava::core
