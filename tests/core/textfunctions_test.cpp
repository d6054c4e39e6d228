// SPDX-License-Identifier: MIT
#include "core/textfunctions.h"

#include <gtest/gtest.h>

namespace durava::core {
namespace {

// GBK 0x955C: its trail byte is "\".
constexpr char kTrailBackslash[] = "\x95\x5C";
// GBK 0x817C: its trail byte is "|".
constexpr char kTrailBar[] = "\x81\x7C";

TEST(BytesToText, endsAtFirstZeroByte) {
    EXPECT_EQ(BytesToText(std::string_view("ab\0cd", 5)), "ab");
    EXPECT_EQ(BytesToText("abc"), "abc");
    EXPECT_EQ(BytesToText({}), "");
}

TEST(TakeParts, clampToTheTextAndRejectBadBounds) {
    EXPECT_EQ(TakeLeft("abc", 5), "abc");
    EXPECT_EQ(TakeLeft("abc", 0), "");
    EXPECT_EQ(TakeRight("abc", 2), "bc");
    EXPECT_EQ(TakeRight("abc", 9), "abc");
    EXPECT_EQ(TakeRight("abc", -1), "");
    EXPECT_EQ(TakeMiddle("abc", 0, 1), "");
    EXPECT_EQ(TakeMiddle("abc", 4, 1), "");
    EXPECT_EQ(TakeMiddle("abc", 2, 9), "bc");
}

TEST(FindText, findsFirstMatchFromStart) {
    EXPECT_EQ(FindText("[abc]", "]"), 5);
    EXPECT_EQ(FindText("abab", "ab", 2), 3);
    EXPECT_EQ(FindText("abab", "ab", -3), 1);
    EXPECT_EQ(FindText("abab", "ab", 5), -1);
    EXPECT_EQ(FindText("aBc", "bC", 1, true), 2);
    EXPECT_EQ(FindText("aBc", "bC", 1, false), -1);
    EXPECT_EQ(FindText("abc", ""), 1);
    EXPECT_EQ(FindText("", ""), -1);
}

TEST(FindText, neverMatchesOnTrailByte) {
    const std::string text = std::string(kTrailBackslash) + "\\";
    EXPECT_EQ(FindText(text, "\\"), 3);
    // A start on the trail byte must not make it a character of its own.
    EXPECT_EQ(FindText(text, "\\", 2), 3);
    EXPECT_EQ(FindText(kTrailBackslash, "\\"), -1);
}

TEST(FindText, ignoreCaseLeavesTrailBytesExact) {
    EXPECT_EQ(FindText("\x81\x41", "\x81\x61", 1, true), -1);
}

TEST(FindText, leadByteAtEndIsSafe) {
    EXPECT_EQ(FindText("a\x95", "\x95"), 2);
    EXPECT_EQ(FindText("a\x95", "\x95\x5C"), -1);
}

TEST(CharWidth, onlyBytesFrom0x81To0xFEOpenADoubleByteCharacter) {
    const struct {
        unsigned char byte;
        std::size_t width;
    } cases[] = {{0x00, 1}, {'A', 1},  {0x7F, 1}, {0x80, 1},
                 {0x81, 2}, {0xA3, 2}, {0xFE, 2}, {0xFF, 1}};
    for (const auto& c : cases) EXPECT_EQ(CharWidth(c.byte), c.width) << int(c.byte);
}

TEST(FindText, singleHighBytesDoNotSwallowTheNextCharacter) {
    // "A€]": the euro sign is the single byte 0x80.
    const struct {
        std::string_view text, sought;
        long long position;
    } cases[] = {
        {"A\x80]", "]", 3},
        {"\x80\x80]", "]", 3},
        {"A\xFF]", "]", 3},
        {"\x80\x81]]", "]", 4},
        {"\x80"
         "a",
         "A", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(FindText(c.text, c.sought), c.position) << c.text;
    EXPECT_EQ(FindText("\x80"
                       "a",
                       "A", 1, true),
              2);
    EXPECT_EQ(CompareText("\x80"
                          "a",
                          "\x80"
                          "A",
                          false),
              0);
    EXPECT_EQ(SplitText("\x80|b", "|"), (TextArray{"\x80", "b"}));
}

TEST(FindTextLast, findsLastMatchWithinStart) {
    EXPECT_EQ(FindTextLast("C:\\a\\b.txt", "\\"), 5);
    EXPECT_EQ(FindTextLast("C:\\a\\b.txt", "\\", 5), 3);
    EXPECT_EQ(FindTextLast("C:\\a\\b.txt", "\\", 1), -1);
    EXPECT_EQ(FindTextLast("aXax", "x", std::nullopt, true), 4);
    EXPECT_EQ(FindTextLast("a\\" + std::string(kTrailBackslash), "\\"), 2);
}

TEST(ReplaceText, removesThenInserts) {
    EXPECT_EQ(ReplaceText("abcdef", 2, 3, "X"), "aXef");
    EXPECT_EQ(ReplaceText("abc", 0, 1), "bc");
    EXPECT_EQ(ReplaceText("abc", 3, 9, "Z"), "abZ");
    EXPECT_EQ(ReplaceText("abc", 2, 0, "Z"), "aZbc");
}

TEST(SplitText, cutsAtSeparator) {
    const std::string trailBar = std::string("a") + kTrailBar + "|b";
    const struct {
        std::string text, separator;
        long long max;
        TextArray pieces;
    } cases[] = {{"a|b|", "|", -1, {"a", "b"}},
                 {"a||b", "|", -1, {"a", "", "b"}},
                 {"|a", "|", -1, {"", "a"}},
                 {"", "|", -1, {}},
                 {"x", "|", -1, {"x"}},
                 {"a\r\nb\rc\n", "\r\n", -1, {"a", "b\rc\n"}},
                 {trailBar, "|", -1, {std::string("a") + kTrailBar, "b"}},
                 {"a|b|c", "|", 2, {"a", "b"}},
                 {"a|b", "|", 0, {}},
                 {"a|b", "", -1, {"a|b"}},
                 {"a\x81", "|", -1, {"a\x81"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(SplitText(c.text, c.separator, c.max), c.pieces) << c.text;
    }
}

TEST(CompareText, ordersBytesAndFoldsOnlyAsciiLetters) {
    EXPECT_EQ(CompareText("abc", "ABC", false), 0);
    EXPECT_GT(CompareText("abc", "ABC", true), 0);
    EXPECT_LT(CompareText("ab", "abc", false), 0);
    EXPECT_LT(CompareText("z", "\xB0\xA1", true), 0);
    EXPECT_NE(CompareText("\x81\x41", "\x81\x61", false), 0);
}

}  // namespace
}  // namespace durava::core
