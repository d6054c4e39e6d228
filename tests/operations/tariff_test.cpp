// SPDX-License-Identifier: MIT
#include "operations/tariff.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "support/settings_sections.h"
#include "support/temp_folder.h"

namespace durava::operations {
namespace {

using billing::ChargeSoFar;
using billing::ComputeFee;
using billing::FeeMode;
using testing::ItemSection;
using testing::kDefaultTariff;

// GBK bytes of the tariff keys that the tests change, as the item dialog writes them.
const std::string kFeeKey = "\xB3\xF5\xCA\xBC\xB7\xD1\xD3\xC3";    // 初始费用
const std::string kPriceKey = "\xB3\xAC\xCA\xB1\xB5\xA5\xBC\xDB";  // 超时单价

std::string Tariffs() {
    return testing::Gbk(
        ItemSection("A1").Tariff(kDefaultTariff) +
        ItemSection("U45").Tariff({.period = "60", .fee = "10", .unit = "45", .price = "20"}) +
        ItemSection("U7").Tariff({.period = "0", .fee = "0", .unit = "7", .price = "20"}) +
        ItemSection("U1").Tariff({.period = "0", .fee = "0", .unit = "1", .price = "20"}) +
        ItemSection("U90").Tariff({.period = "0", .fee = "5", .unit = "90", .price = "20"}) +
        ItemSection("U0").Tariff({.period = "60", .fee = "10", .unit = "0", .price = "20"}) +
        // As typed: full-width digits, a unit after the number, a fraction.
        ItemSection("Typed").Tariff(
            {.period = "２４０", .fee = "70元", .unit = "30分钟", .price = "20.5"}) +
        ItemSection("Wide").Tariff(
            {.period = "-2147483648", .fee = "0", .unit = "15", .price = "1000000"}) +
        ItemSection("Dear").Tariff(
            {.period = "0", .fee = "70", .unit = "60", .price = "100000000"}));
}

// The fee as the bill works it out: the tariff read from the file, then the rule.
std::string FeeFromFile(const store::SettingsFile& settings, std::int32_t minutes,
                        std::string_view item, FeeMode mode = FeeMode::Total) {
    return ComputeFee(ReadTariff(settings, item), minutes, mode);
}

class ComputeFeeTest : public ::testing::Test {
  protected:
    testing::TempFolder m_folder;
    store::SettingsFile m_settings = testing::WriteSettingsFile(m_folder, Tariffs());
};

struct FeeCase {
    std::string item;
    std::int32_t fromMinutes, toMinutes;
    std::string total, overtime;
};

TEST_F(ComputeFeeTest, chargesInitialFeeWholeHoursAndLeftoverMinutesInUnits) {
    const FeeCase cases[] = {
        {"A1", -5, 240, "70", "0"},
        {"A1", 241, 270, "80", "10"},
        {"A1", 271, 300, "90", "20"},
        {"A1", 301, 301, "100", "30"},
        {"A1", 1680, 1680, "550", "480"},
        {"A1", 1681, 1681, "560", "490"},
        {"A1", 1741, 1741, "580", "510"},
        // Units that do not divide an hour can make the last minutes dearer than a full hour.
        {"U45", 105, 105, "25", "15"},
        {"U45", 106, 106, "40", "30"},
        {"U45", 120, 120, "30", "20"},
        {"U45", 121, 121, "45", "35"},
        {"U7", 1, 1, "2", "2"},
        {"U7", 8, 8, "4", "4"},
        {"U7", 15, 15, "7", "7"},
        {"U7", 59, 59, "21", "21"},
        {"U7", 60, 60, "20", "20"},
        {"U1", 1, 2, "0", "0"},
        {"U1", 3, 3, "1", "1"},
        {"U90", 1, 59, "35", "30"},
        {"U90", 60, 60, "25", "20"},
        {"U90", 61, 61, "55", "50"},
        {"U0", 61, 119, "10", "0"},
        {"U0", 120, 121, "30", "20"},
        {"Typed", 240, 240, "70", "0"},
        {"Typed", 241, 241, "80", "10"},
        {"Typed", 1741, 1741, "580", "510"},
    };
    for (const FeeCase& c : cases) {
        for (std::int32_t minutes = c.fromMinutes; minutes <= c.toMinutes; ++minutes) {
            EXPECT_EQ(FeeFromFile(m_settings, minutes, c.item), c.total)
                << c.item << " " << minutes;
            EXPECT_EQ(FeeFromFile(m_settings, minutes, c.item, FeeMode::OvertimeOnly), c.overtime)
                << c.item << " " << minutes;
        }
    }
}

TEST_F(ComputeFeeTest, missingSectionOrFileChargesNothing) {
    const store::SettingsFile missingFile(m_folder / "absent.ini");
    const store::SettingsFile* const files[] = {&m_settings, &missingFile};
    for (const std::int32_t minutes : {-5, 0, 1, 300, 100000}) {
        for (const store::SettingsFile* settings : files) {
            EXPECT_EQ(FeeFromFile(*settings, minutes, "NoSuchItem"), "0") << minutes;
            EXPECT_EQ(FeeFromFile(*settings, minutes, "NoSuchItem", FeeMode::OvertimeOnly), "0")
                << minutes;
        }
    }
}

TEST_F(ComputeFeeTest, feesBeyondThirtyTwoBitsDoNotWrap) {
    EXPECT_EQ(FeeFromFile(m_settings, 1440, "Dear", FeeMode::OvertimeOnly), "2400000000");
    EXPECT_EQ(FeeFromFile(m_settings, 1440, "Dear"), "2400000070");
    // 4,294,967,295 overtime minutes: 2,982,616 days, 4 hours and one unit of 15 minutes.
    const std::int32_t longest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(FeeFromFile(m_settings, longest, "Wide", FeeMode::OvertimeOnly), "71582788250000");
    EXPECT_EQ(FeeFromFile(m_settings, longest, "Wide"), "7.158278825e+013");
}

TEST_F(ComputeFeeTest, editedTariffAppliesOnTheNextCall) {
    EXPECT_EQ(FeeFromFile(m_settings, 241, "A1"), "80");
    ASSERT_TRUE(m_settings.WriteSetting("A1", kPriceKey, "40"));
    EXPECT_EQ(FeeFromFile(m_settings, 241, "A1"), "90");
    ASSERT_TRUE(m_settings.WriteSetting("A1", kFeeKey, "100"));
    EXPECT_EQ(FeeFromFile(m_settings, 240, "A1"), "100");
}

// The list keeps each row's tariff and start time; whatever changes the file or the row's texts
// must still show at once.
TEST_F(ComputeFeeTest, keptRowChargesFollowTheFileAndTheRowsTexts) {
    const core::DateTime now = core::ParseDateTime("2024-05-06 22:01:00");
    RowCharges charges;
    const auto fee = [&](std::size_t row, std::string_view item, std::string_view start) {
        const std::optional<ChargeSoFar> charge = charges.At(m_settings, row, item, start, now);
        return charge ? charge->fee : "unreadable";
    };
    EXPECT_EQ(fee(0, "A1", "2024-05-06 18:00:00"), "80");
    EXPECT_EQ(fee(3, "U7", "2024-05-06 21:00:00"), "22");
    ASSERT_TRUE(m_settings.WriteSetting("A1", kPriceKey, "40"));
    EXPECT_EQ(fee(0, "A1", "2024-05-06 18:00:00"), "90");
    EXPECT_EQ(fee(0, "A1", "2024-05-06 17:00:00"), "130");
    EXPECT_EQ(fee(0, "U7", "2024-05-06 21:00:00"), "22");
    EXPECT_EQ(fee(3, "U7", "2024-05-06 21:01:00"), "20");
    EXPECT_EQ(fee(3, "U7", "2024-05-06 21:02:00"), "21");
    EXPECT_EQ(fee(3, "U7", "not a time"), "unreadable");
}

}  // namespace
}  // namespace durava::operations
