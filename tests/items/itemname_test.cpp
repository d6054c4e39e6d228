// SPDX-License-Identifier: MIT
#include "items/itemname.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace durava::items {
namespace {

using testing::Gbk;

TEST(CheckItemName, keepsNamesTheFilesHoldFaithfully) {
    for (std::u16string_view name :
         {u"A1", u"包间1", u"VIP 3", u"a?b", u"１号桌", u"x=y;z", u"台球\u3000二"}) {
        EXPECT_EQ(CheckItemName(name), NameFault::None);
    }
}

TEST(CheckItemName, refusesNamesTheFilesCannotHold) {
    const struct {
        std::u16string_view name;
        NameFault fault;
    } cases[] = {
        {u"", NameFault::Blank},
        {u"   ", NameFault::Blank},
        {u"\u3000", NameFault::Blank},
        {u" A1", NameFault::EdgeBlanks},
        {u"A1 ", NameFault::EdgeBlanks},
        {u"A1\u3000", NameFault::EdgeBlanks},
        {u"A\r\nB", NameFault::ControlCharacter},
        {u"A\nB", NameFault::ControlCharacter},
        {u"A\tB", NameFault::ControlCharacter},
        {u"\tA", NameFault::ControlCharacter},
        {std::u16string_view(u"A\0B", 3), NameFault::ControlCharacter},
        {u"A\x7F", NameFault::ControlCharacter},
        {u"A\u0085B", NameFault::ControlCharacter},
        {u"A\u2028B", NameFault::ControlCharacter},
        {u"[A1", NameFault::Reserved},
        {u"A1]", NameFault::Reserved},
        {u"A|B", NameFault::Reserved},
        {u"a@b", NameFault::Reserved},
        {u"한국", NameFault::OutsideCodePage},
        {u"A\U0001F600", NameFault::OutsideCodePage},
        {u"A\xD800", NameFault::OutsideCodePage},
        {u"A\u20AC", NameFault::HighSingleByte},
        {u"\u20AC1", NameFault::HighSingleByte},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(CheckItemName(cases[i].name), cases[i].fault) << "case " << i;
    }
}

TEST(CheckTariff, takesWholeNumbersTheFeeRuleReadsAsTyped) {
    for (const std::string& text :
         {std::string("0"), std::string("240"), std::string("-0"), std::string("007"),
          Gbk("１２０"), Gbk("－０"), std::string("2147483647")}) {
        EXPECT_EQ(CheckTariff(text), TariffFault::None) << text;
    }
}

TEST(CheckTariff, refusesEverythingElse) {
    const struct {
        std::string text;
        TariffFault fault;
    } cases[] = {
        {"", TariffFault::NotWholeNumber},
        {"-", TariffFault::NotWholeNumber},
        {"--1", TariffFault::NotWholeNumber},
        {"1-", TariffFault::NotWholeNumber},
        {"+5", TariffFault::NotWholeNumber},
        {"12a", TariffFault::NotWholeNumber},
        {"abc", TariffFault::NotWholeNumber},
        {" 12", TariffFault::NotWholeNumber},
        {"12 ", TariffFault::NotWholeNumber},
        {"1.5", TariffFault::NotWholeNumber},
        {"?", TariffFault::NotWholeNumber},
        {Gbk("十"), TariffFault::NotWholeNumber},
        {"2147483648", TariffFault::OutOfRange},
        {"-2147483649", TariffFault::OutOfRange},
        {"-5", TariffFault::Negative},
        {"-70", TariffFault::Negative},
        {Gbk("－２０"), TariffFault::Negative},
        {"-2147483648", TariffFault::Negative},
        {"99999999999999999999999", TariffFault::OutOfRange},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckTariff(c.text), c.fault) << c.text;
}

}  // namespace
}  // namespace durava::items
