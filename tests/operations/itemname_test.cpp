// SPDX-License-Identifier: MIT
#include "operations/itemname.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace durava::operations {
namespace {

using testing::Gbk;

TEST(CheckItemName, keepsNamesTheFilesHoldFaithfully) {
    for (std::u16string_view name :
         {u"A1", u"包间1", u"VIP 3", u"a?b", u"１号桌", u"x=y;z", u"台球\u3000二"}) {
        EXPECT_EQ(operations::CheckItemName(name), operations::NameFault::None);
    }
}

TEST(CheckItemName, refusesNamesTheFilesCannotHold) {
    const struct {
        std::u16string_view name;
        operations::NameFault fault;
    } cases[] = {
        {u"", operations::NameFault::Blank},
        {u"   ", operations::NameFault::Blank},
        {u"\u3000", operations::NameFault::Blank},
        {u" A1", operations::NameFault::EdgeBlanks},
        {u"A1 ", operations::NameFault::EdgeBlanks},
        {u"A1\u3000", operations::NameFault::EdgeBlanks},
        {u"A\r\nB", operations::NameFault::ControlCharacter},
        {u"A\nB", operations::NameFault::ControlCharacter},
        {u"A\tB", operations::NameFault::ControlCharacter},
        {u"\tA", operations::NameFault::ControlCharacter},
        {std::u16string_view(u"A\0B", 3), operations::NameFault::ControlCharacter},
        {u"A\x7F", operations::NameFault::ControlCharacter},
        {u"A\u0085B", operations::NameFault::ControlCharacter},
        {u"A\u2028B", operations::NameFault::ControlCharacter},
        {u"[A1", operations::NameFault::Reserved},
        {u"A1]", operations::NameFault::Reserved},
        {u"A|B", operations::NameFault::Reserved},
        {u"a@b", operations::NameFault::Reserved},
        {u"한국", operations::NameFault::OutsideCodePage},
        {u"A\U0001F600", operations::NameFault::OutsideCodePage},
        {u"A\xD800", operations::NameFault::OutsideCodePage},
        {u"A\u20AC", operations::NameFault::HighSingleByte},
        {u"\u20AC1", operations::NameFault::HighSingleByte},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(operations::CheckItemName(cases[i].name), cases[i].fault) << "case " << i;
    }
}

TEST(CheckTariff, takesWholeNumbersTheFeeRuleReadsAsTyped) {
    for (const std::string& text :
         {std::string("0"), std::string("240"), std::string("-0"), std::string("007"),
          Gbk("１２０"), Gbk("－０"), std::string("2147483647")}) {
        EXPECT_EQ(operations::CheckTariff(text), operations::TariffFault::None) << text;
    }
}

TEST(CheckTariff, refusesEverythingElse) {
    const struct {
        std::string text;
        operations::TariffFault fault;
    } cases[] = {
        {"", operations::TariffFault::NotWholeNumber},
        {"-", operations::TariffFault::NotWholeNumber},
        {"--1", operations::TariffFault::NotWholeNumber},
        {"1-", operations::TariffFault::NotWholeNumber},
        {"+5", operations::TariffFault::NotWholeNumber},
        {"12a", operations::TariffFault::NotWholeNumber},
        {"abc", operations::TariffFault::NotWholeNumber},
        {" 12", operations::TariffFault::NotWholeNumber},
        {"12 ", operations::TariffFault::NotWholeNumber},
        {"1.5", operations::TariffFault::NotWholeNumber},
        {"?", operations::TariffFault::NotWholeNumber},
        {Gbk("十"), operations::TariffFault::NotWholeNumber},
        {"2147483648", operations::TariffFault::OutOfRange},
        {"-2147483649", operations::TariffFault::OutOfRange},
        {"-5", operations::TariffFault::Negative},
        {"-70", operations::TariffFault::Negative},
        {Gbk("－２０"), operations::TariffFault::Negative},
        {"-2147483648", operations::TariffFault::Negative},
        {"99999999999999999999999", operations::TariffFault::OutOfRange},
    };
    for (const auto& c : cases) EXPECT_EQ(operations::CheckTariff(c.text), c.fault) << c.text;
}

}  // namespace
}  // namespace durava::operations
