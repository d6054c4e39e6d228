#include "core/codepage.h"

#include <gtest/gtest.h>

namespace durava::core {
namespace {

TEST(WideToText, convertsToGbkUpToFirstZero) {
    EXPECT_EQ(WideToText(u"\u4E2D\u6587 abc"), "\xD6\xD0\xCE\xC4 abc");
    EXPECT_EQ(WideToText(std::u16string_view(u"a\0b", 3)), "a");
    EXPECT_EQ(WideToText(u""), "");
}

TEST(WideToText, replacesEachUnmappableCharacterWithOneQuestionMark) {
    // Hangul, an emoji (surrogate pair), a lone low and a trailing lone high surrogate.
    const char16_t wide[] = {u'a', 0xD55C, u'b', 0xD83D, 0xDE00, u'c', 0xDC00, u'd', 0xD83D};
    EXPECT_EQ(WideToText(std::u16string_view(wide, std::size(wide))), "a?b?c?d?");
}

TEST(TextToWide, convertsFromGbkUpToFirstZero) {
    EXPECT_EQ(TextToWide("\xD6\xD0\xCE\xC4 abc"), u"\u4E2D\u6587 abc");
    EXPECT_EQ(TextToWide(std::string_view("a\0b", 3)), u"a");
    EXPECT_EQ(TextToWide(""), u"");
}

TEST(TextToWide, replacesInvalidSequencesAndKeepsFollowingAscii) {
    EXPECT_EQ(TextToWide("\x81"
                         "0/x"),
              u"?0/x");
    EXPECT_EQ(TextToWide("\xA1\x40z"), u"?z");
    EXPECT_EQ(TextToWide("a\xD6"), u"a?");
    // 0xFF opens no character, so the "]" after it is its own.
    EXPECT_EQ(TextToWide("\xFF]"), u"?]");
    EXPECT_EQ(TextToWide("A\x80]"), u"A\u20AC]");
}

TEST(NativePath, namesTheFileOfTheText) {
    EXPECT_EQ(NativePath("dir/\xD6\xD0.txt"), std::filesystem::path(u8"dir/\u4E2D.txt"));
}

}  // namespace
}  // namespace durava::core
