// SPDX-License-Identifier: MIT
#include "people/operators.h"

#include <gtest/gtest.h>

#include "people/texts.h"
#include "support/temp_folder.h"

namespace durava::people {
namespace {

using testing::Gbk;

TEST(CheckPin, takesFourToEightDigitsAndNothingElse) {
    const struct {
        std::u16string_view pin;
        PinFault fault;
    } cases[] = {
        {u"1234", PinFault::None},         {u"00000000", PinFault::None},
        {u"", PinFault::TooShort},         {u"123", PinFault::TooShort},
        {u"123456789", PinFault::TooLong}, {u"12a4", PinFault::NotDigits},
        {u" 1234", PinFault::NotDigits},   {u"１２３４", PinFault::NotDigits},
        {u"-123", PinFault::NotDigits},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckPin(c.pin), c.fault) << std::string(c.pin.begin(), c.pin.end());
        EXPECT_EQ(PinFaultText(c.fault).empty(), c.fault == PinFault::None);
    }
}

TEST(OperatorNames, followTheRuleForTypedNamesAndNeverRepeat) {
    Operators operators;
    ASSERT_FALSE(operators.Add(u"张三", "hash"));
    ASSERT_FALSE(operators.Add(u"Ann", "hash"));
    const struct {
        std::u16string_view name;
        NameRefusal refusal;
    } cases[] = {
        {u"李四", {}},
        {u"Ann Lee", {}},
        {u"", {core::NameFault::Blank}},
        {u" 李四", {core::NameFault::EdgeBlanks}},
        {u"李四\u3000", {core::NameFault::EdgeBlanks}},
        {u"李\t四", {core::NameFault::ControlCharacter}},
        {u"한국", {core::NameFault::OutsideCodePage}},
        {u"张三", {core::NameFault::None, true}},
        {u"ANN", {core::NameFault::None, true}},  // as item names match
        {u";x", {.noteMark = true}},              // would read back as a note
    };
    for (const auto& c : cases) {
        const NameRefusal got = operators.CheckName(c.name);
        EXPECT_EQ(got.rule, c.refusal.rule);
        EXPECT_EQ(got.taken, c.refusal.taken);
        EXPECT_EQ(got.noteMark, c.refusal.noteMark);
        EXPECT_EQ(NameRefusalText(got, c.name).empty(), !c.refusal);
    }
    EXPECT_EQ(NameRefusalText({core::NameFault::None, true}, u"张三"),
              Gbk("已有名为【张三】的操作员，请换一个名称。"));
    EXPECT_TRUE(operators.Add(u"ann", "other").taken);
    EXPECT_EQ(operators.List().size(), 2u);
    EXPECT_TRUE(operators.SetPin("ANN", "new"));
    EXPECT_EQ(operators.Find(Gbk("张三"))->pinHash, "hash");
    EXPECT_EQ(operators.Find("Ann")->pinHash, "new");
    EXPECT_TRUE(operators.Remove(Gbk("张三")));
    EXPECT_FALSE(operators.Remove(Gbk("张三")));  // another desk removed them first
    EXPECT_FALSE(operators.SetPin(Gbk("张三"), "new"));
}

TEST(OperatorsFile, keepsNamesAndPinHashesAsReadableUtf8) {
    testing::TempFolder folder;
    const std::string hash = *journal::HashSecret(u"2468", journal::kCheapestCost);
    Operators operators;
    ASSERT_FALSE(operators.Add(u"张三", hash));
    ASSERT_FALSE(operators.Add(u"Ann", hash));
    ASSERT_EQ(WriteOperators(folder.path(), operators), journal::FileState::Ok);
    const std::string bytes = testing::ReadBytes(OperatorsFile(folder.path()));
    EXPECT_NE(bytes.find("\r\n张三\t" + hash + "\r\nAnn\t" + hash + "\r\n"), std::string::npos);

    const journal::FileRead<Operators> read = ReadOperators(folder.path());
    ASSERT_EQ(read.state, journal::FileState::Ok);
    ASSERT_EQ(read.content->List().size(), 2u);
    EXPECT_EQ(read.content->List()[0].name, Gbk("张三"));
    EXPECT_TRUE(read.content->List()[0].Verify(u"2468"));
    EXPECT_FALSE(read.content->List()[1].Verify(u"2469"));
}

TEST(OperatorsFile, aFileWeDidNotWriteIsDamagedNotHalfBelieved) {
    testing::TempFolder folder;
    const std::string hash = *journal::HashSecret(u"2468", journal::kCheapestCost);
    const struct {
        std::string bytes;
        journal::FileState state;
    } cases[] = {
        {"", journal::FileState::Ok},
        {"; a note\n\nAnn\t" + hash + "\n", journal::FileState::Ok},  // saved by an editor with LF
        {"Ann " + hash + "\r\n", journal::FileState::Damaged},
        {"Ann\t" + hash + "\r\nANN\t" + hash + "\r\n", journal::FileState::Damaged},
        {"Ann\t$argon2id$v=19$m=8,t=1,p=1$x\r\n", journal::FileState::Damaged},
        {"\xD5\xC5\xC8\xFD\t" + hash + "\r\n", journal::FileState::Damaged},  // GBK, not UTF-8
        {" Ann\t" + hash + "\r\n", journal::FileState::Damaged},
    };
    for (const auto& c : cases) {
        testing::WriteBytes(OperatorsFile(folder.path()), c.bytes);
        EXPECT_EQ(ReadOperators(folder.path()).state, c.state) << c.bytes;
    }
}

}  // namespace
}  // namespace durava::people
