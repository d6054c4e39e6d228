// SPDX-License-Identifier: MIT
#include "core/codepage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/fixedtexts.h"
#include "core/utf8.h"
#include "forms/forms.h"
#include "support/temp_folder.h"

namespace durava::core {
namespace {

TEST(WideToText, convertsToGbkUpToFirstZero) {
    EXPECT_EQ(WideToText(u"\u4E2D\u6587 abc"), "\xD6\xD0\xCE\xC4 abc");
    EXPECT_EQ(WideToText(std::u16string_view(u"a\0b", 3)), "a");
    EXPECT_EQ(WideToText(u""), "");
}

TEST(WideToText, replacesEachUnmappableUnitWithOneQuestionMark) {
    // Hangul, an emoji (surrogate pair), a lone low and a trailing lone high surrogate.
    const char16_t wide[] = {u'a', 0xD55C, u'b', 0xD83D, 0xDE00, u'c', 0xDC00, u'd', 0xD83D};
    EXPECT_EQ(WideToText(std::u16string_view(wide, std::size(wide))), "a?b??c?d?");
}

TEST(TextToWide, convertsFromGbkUpToFirstZero) {
    EXPECT_EQ(TextToWide("\xD6\xD0\xCE\xC4 abc"), u"\u4E2D\u6587 abc");
    EXPECT_EQ(TextToWide(std::string_view("a\0b", 3)), u"a");
    EXPECT_EQ(TextToWide(""), u"");
}

TEST(TextToWide, readsALeadByteAndTheByteAfterItAsOneCharacter) {
    EXPECT_EQ(TextToWide("\x81"
                         "0/x"),
              u"?/x");
    EXPECT_EQ(TextToWide("\x81\x7F/"), u"?/");
    EXPECT_EQ(TextToWide("a\xD6"), u"a?");
    // 0xFF opens no character (Windows gives it a private-use one), so the "]" after it is its own.
    EXPECT_EQ(TextToWide("\xFF]"), u"\uF8F5]");
    EXPECT_EQ(TextToWide("A\x80]"), u"A\u20AC]");
}

// glibc's GBK leaves these out; Windows, where the files are kept, maps them to private-use
// characters, and so does the converter on every platform, both ways.
TEST(CodePage, followsWindowsWhereGlibcDiffers) {
    const struct {
        std::string_view text;
        char16_t unit;
    } cases[] = {
        {"\x80", 0x20AC},      // the euro sign, the one single byte above 0x7F
        {"\xFF", 0xF8F5},      // the other single byte
        {"\xAA\xA1", 0xE000},  // first user-defined block
        {"\xAF\xFE", 0xE233}, {"\xF8\xA1", 0xE234},  // second user-defined block
        {"\xFE\xFE", 0xE4C5}, {"\xA1\x40", 0xE4C6},  // third user-defined block
        {"\xA7\xA0", 0xE765}, {"\xA2\xAB", 0xE766},  // codes left free among the symbols
        {"\xD7\xFA", 0xE810}, {"\xFE\xA0", 0xE864},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.unit));
        EXPECT_EQ(TextToWide(c.text), std::u16string(1, c.unit));
        EXPECT_EQ(WideToText(std::u16string(1, c.unit)), c.text);
    }
}

// Windows writes a look-alike for some characters outside the code page; glibc writes "?". Names
// holding them are refused on both, since they do not read back as typed.
TEST(CodePage, bestFitIsWindowsOnly) {
    const struct {
        char16_t unit;
        std::string_view windows;
    } cases[] = {{0x00B2, "2"}, {0x00C0, "\xA8\xA4"}, {0x00A2, "\xA1\xE9"}};
    for (const auto& c : cases) {
        const std::string text = WideToText(std::u16string(1, c.unit));
#ifdef _WIN32
        EXPECT_EQ(text, c.windows);
#else
        EXPECT_EQ(text, "?");
#endif
        EXPECT_NE(TextToWide(text), std::u16string(1, c.unit));
    }
}

std::uint64_t Fnv1a(std::uint64_t hash, std::u16string_view units) {
    for (char16_t unit : units) hash = (hash ^ unit) * 0x100000001B3ULL;
    return hash;
}

TEST(CodePage, readsEveryDoubleByteSequenceAsWindowsDoes) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    hash = Fnv1a(hash, TextToWide("\x80"));
    hash = Fnv1a(hash, TextToWide("\xFF"));
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x01; trail <= 0xFF; ++trail) {
            const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string wide = TextToWide(std::string_view(pair, 2));
            ASSERT_EQ(wide.size(), 1u) << lead << " " << trail;
            hash = Fnv1a(hash, wide);
            if (wide == u"?") continue;
            ++characters;
            // What reads as a character writes back as the same two bytes.
            ASSERT_EQ(WideToText(wide), std::string_view(pair, 2)) << lead << " " << trail;
        }
    }
    // Taken from Windows' own converter (Wine 8); a change here is a change in stored names.
    EXPECT_EQ(hash, 0x317CFA3AB09538CAULL);
    EXPECT_EQ(characters, 126 * 190);  // every lead byte with every trail byte
}

TEST(CodePage, carriesEveryTextOfTheProgram) {
    std::vector<std::u16string_view> texts;
    for (const forms::Window* window :
         {&forms::MainWindow(), &forms::ItemDialog(), &forms::CheckoutWindow(),
          &forms::HistoryWindow(), &forms::SwitchWindow()}) {
        texts.push_back(window->title);
        for (const forms::Control& control : window->controls) {
            texts.insert(texts.end(), {control.name, control.text});
            for (const forms::Column& column : control.columns) texts.push_back(column.header);
            for (const forms::StatusPart& part : control.parts) texts.push_back(part.text);
        }
        for (const forms::MenuEntry& entry : window->menu) texts.push_back(entry.text);
    }
    for (std::u16string_view text : texts) {
        const std::string bytes = WideToText(text);
        EXPECT_EQ(TextToWide(bytes), text) << bytes;
    }
    const FixedTexts& t = Texts();
    for (const auto& [text, utf8] :
         std::initializer_list<std::pair<std::string, const char*>>{{t.initialPeriod, "初始时段"},
                                                                    {t.initialFee, "初始费用"},
                                                                    {t.minimumUnit, "最小单位"},
                                                                    {t.overtimePrice, "超时单价"},
                                                                    {t.state, "状态"},
                                                                    {t.startTime, "开始时间"},
                                                                    {t.idle, "空闲中"},
                                                                    {t.inUse, "使用中"},
                                                                    {t.none, "无"}}) {
        EXPECT_EQ(text, testing::Gbk(utf8));
    }
}

// Our own files are UTF-8: every character round-trips, a lone surrogate the screen may hold
// too, and bytes an editor in another encoding left behind are refused, never read askew.
TEST(Utf8, carriesEveryCharacterAndRefusesMalformedBytes) {
    for (std::u16string_view wide : {u"", u"abc", u"\u5F20\u4E09 \u20AC", u"A\U0001F600"}) {
        EXPECT_EQ(Utf8ToWide(WideToUtf8(wide)), std::u16string(wide));
    }
    EXPECT_EQ(WideToUtf8(u"\u00E9\u4E2D\U0001F600"), "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    const std::u16string lone{u'x', char16_t{0xD800}};
    EXPECT_EQ(Utf8ToWide(WideToUtf8(lone)), lone);
    for (std::string_view bad :
         {"\x80", "\xC3", "a\xE4\xB8", "\xC0\xAF", "\xE0\x80\xAF", "\xF4\x90\x80\x80",
          "\xF5\x80\x80\x80", "\xD5\xC5\xC8\xFD", "\xFFx"}) {
        EXPECT_FALSE(Utf8ToWide(bad)) << bad;
    }
}

TEST(NativePath, namesTheFileOfTheText) {
    EXPECT_EQ(NativePath("dir/\xD6\xD0.txt"), std::filesystem::path(u8"dir/\u4E2D.txt"));
}

}  // namespace
}  // namespace durava::core
