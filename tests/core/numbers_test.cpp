// SPDX-License-Identifier: MIT
#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace durava::core {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(GroupThousands, groupsOnlyTheWholePartAtTheFront) {
    EXPECT_EQ(GroupThousands("5000020720 元"), "5,000,020,720 元");
    EXPECT_EQ(GroupThousands("-113636834.55"), "-113,636,834.55");
    EXPECT_EQ(GroupThousands("999"), "999");
    EXPECT_EQ(GroupThousands("x1000"), "x1000");
}

TEST(RealToText, uses13DigitsAndThreeExponentDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{5.0, "5"},
                 {-3.25, "-3.25"},
                 {0.1 + 0.2, "0.3"},
                 {2.0 / 3, "0.6666666666667"},
                 {1234567.0, "1234567"},
                 {0.0, "0"},
                 {-0.0, "-0"},
                 {-7.0, "-7"},
                 {9999999999999.0, "9999999999999"},
                 {1e13, "1e+013"},
                 {-1e13, "-1e+013"},
                 {1e-5, "1e-005"},
                 {-1e-5, "-1e-005"},
                 {1e-4, "0.0001"},
                 {1.5e300, "1.5e+300"}};
    for (const auto& c : cases) EXPECT_EQ(RealToText(c.value), c.text) << c.value;
}

TEST(FoldFullWidth, foldsFullWidthFormsAndKeepsOtherCharacters) {
    EXPECT_EQ(FoldFullWidth("\xA3\xB1\xA3\xC1\xA3\xFE"), "1A~");
    EXPECT_EQ(FoldFullWidth("\xA1\xA1\xA1\xAB\xA1\xEE\xA1\xEF"), " ~**");
    EXPECT_EQ(FoldFullWidth("\xD6\xD0x\xA3\xA0"), "\xD6\xD0x\xA3\xA0");
    EXPECT_EQ(FoldFullWidth("1\xA3"), "1");
}

TEST(TextToInteger, readsLeadingIntegerWithWrapAround) {
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {{" \t-7", -7},
                 {"12.5", 12},
                 {"3\xD6\xD0", 3},
                 {"abc", 0},
                 {"", 0},
                 {"+5", 5},
                 {"-", 0},
                 {"\xA3\xB1\xA3\xB2\xA3\xB3", 123},
                 {"\xA1\xA1\xA3\xAD\xA3\xB9", -9},
                 {"2147483648", std::numeric_limits<std::int32_t>::min()},
                 {"-2147483648", std::numeric_limits<std::int32_t>::min()},
                 {"4294967297", 1}};
    for (const auto& c : cases) EXPECT_EQ(TextToInteger(c.text), c.value) << c.text;
}

TEST(RealToInteger, truncatesAndKeepsLow32Bits) {
    EXPECT_EQ(RealToInteger(2.9), 2);
    EXPECT_EQ(RealToInteger(-2.9), -2);
    EXPECT_EQ(RealToInteger(4294967296.0 + 5), 5);
    EXPECT_EQ(RealToInteger(2147483648.0), std::numeric_limits<std::int32_t>::min());
    for (double odd : {kNaN, kInf, -kInf, 1e300}) EXPECT_EQ(RealToInteger(odd), 0) << odd;
}

TEST(RoundDown, floorsAfterSnappingNearWholeNumbers) {
    const struct {
        double value;
        std::int32_t result;
    } cases[] = {{2.7, 2},   {2.9999999999995, 3},
                 {-2.5, -3}, {-2.9999999999995, -3},
                 {5.0, 5},   {2.999999999, 2},
                 {-0.5, -1}, {-2147483648.0, -2147483647 - 1},
                 {kNaN, 0},  {kInf, 0},
                 {3e9, 0},   {-2147483649.0, 0}};
    for (const auto& c : cases) EXPECT_EQ(RoundDown(c.value), c.result) << c.value;
}

TEST(IntegerDivideAndRemainder, truncateTowardZero) {
    EXPECT_EQ(IntegerDivide(7, 2), 3);
    EXPECT_EQ(IntegerDivide(-7, 2), -3);
    EXPECT_EQ(Remainder(7, 3), 1);
    EXPECT_EQ(Remainder(-7, 3), -1);
    EXPECT_EQ(Remainder(90061, 86400), 3661);
}

}  // namespace
}  // namespace durava::core
