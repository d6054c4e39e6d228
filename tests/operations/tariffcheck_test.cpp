// SPDX-License-Identifier: MIT
#include "operations/tariffcheck.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace durava::operations {
namespace {

using testing::Gbk;

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
