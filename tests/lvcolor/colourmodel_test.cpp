// SPDX-License-Identifier: MIT
#include "lvcolor/colourmodel.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace durava::lvcolor {
namespace {

constexpr WindowHandle kParent = 1001;
constexpr WindowHandle kList = 2002;
constexpr WindowHandle kOtherList = 3003;
constexpr ColourRef kLightGreen = 0x9DE1B3;
constexpr ColourRef kWhite = 0xFFFFFF;

using Attributes = std::vector<std::pair<std::string, std::string>>;

Attributes AttributesOf(pugi::xml_node node) {
    Attributes attributes;
    for (pugi::xml_attribute attribute : node.attributes()) {
        attributes.emplace_back(attribute.name(), attribute.value());
    }
    return attributes;
}

class ListViewColouringTest : public ::testing::Test {
  protected:
    ListViewColouringTest() {
        m_colouring.SetWindows(kParent, kList);
        m_colouring.AttachParent([this](WindowHandle list) { m_invalidated.push_back(list); });
    }

    std::vector<std::string> CellNames(WindowHandle list) const {
        std::vector<std::string> names;
        if (const pugi::xml_document* document = m_colouring.Document(list)) {
            for (pugi::xml_node cell : document->child("LVINFO").children()) {
                names.emplace_back(cell.name());
            }
        }
        return names;
    }

    ListViewColouring m_colouring;
    std::vector<WindowHandle> m_invalidated;
};

TEST_F(ListViewColouringTest, threeFilledRowsGiveOneElementPerStateCell) {
    m_colouring.SetCellColour(0, 2, 0, kWhite);
    m_colouring.SetCellColour(1, 2, 0, kLightGreen);
    m_colouring.SetCellColour(2, 2, 0, kWhite);

    const pugi::xml_document* document = m_colouring.Document(kList);
    ASSERT_NE(document, nullptr);
    const pugi::xml_node info = document->first_child();
    EXPECT_STREQ(info.name(), "LVINFO");
    EXPECT_EQ(AttributesOf(info), (Attributes{{"hParent", "1001"}, {"hWnd", "2002"}}));
    const std::vector<std::pair<std::string, Attributes>> expected = {
        {"Item0.2", {{"Row", "0"}, {"Column", "2"}, {"clrText", "0"}, {"clrTextBk", "16777215"}}},
        {"Item1.2", {{"Row", "1"}, {"Column", "2"}, {"clrText", "0"}, {"clrTextBk", "10346931"}}},
        {"Item2.2", {{"Row", "2"}, {"Column", "2"}, {"clrText", "0"}, {"clrTextBk", "16777215"}}},
    };
    std::vector<std::pair<std::string, Attributes>> cells;
    for (pugi::xml_node cell : info.children()) cells.emplace_back(cell.name(), AttributesOf(cell));
    EXPECT_EQ(cells, expected);
    EXPECT_EQ(m_colouring.LookUpCellColour(kList, 1, 2), (CellColour{0, kLightGreen}));
    EXPECT_EQ(m_invalidated, std::vector<WindowHandle>(3, kList));
}

TEST_F(ListViewColouringTest, settingACellAgainKeepsOneElementWithTheNewColours) {
    m_colouring.SetCellColour(3, 2, 0, kLightGreen);
    m_colouring.SetCellColour(3, 2, 0x0000FF, kWhite);

    EXPECT_EQ(CellNames(kList), std::vector<std::string>{"Item3.2"});
    EXPECT_EQ(m_colouring.LookUpCellColour(kList, 3, 2), (CellColour{0x0000FF, kWhite}));
    EXPECT_EQ(m_invalidated.size(), 2u);
}

TEST_F(ListViewColouringTest, removingAnUncolouredCellChangesNothingAndDoesNotRepaint) {
    m_colouring.RemoveCellColour(0, 2);  // no document yet
    m_colouring.SetCellColour(0, 2, 0, kLightGreen);
    m_invalidated.clear();

    m_colouring.RemoveCellColour(1, 2);
    m_colouring.RemoveCellColour(0, 1);
    EXPECT_TRUE(m_invalidated.empty());
    EXPECT_EQ(CellNames(kList), std::vector<std::string>{"Item0.2"});

    m_colouring.RemoveCellColour(0, 2);
    EXPECT_EQ(m_invalidated, std::vector<WindowHandle>{kList});
    EXPECT_TRUE(CellNames(kList).empty());
    EXPECT_EQ(m_colouring.LookUpCellColour(kList, 0, 2), std::nullopt);
}

TEST_F(ListViewColouringTest, clearThenSetStartsAFreshDocumentWithOneCell) {
    for (int row = 0; row < 3; ++row) m_colouring.SetCellColour(row, 2, 0, kWhite);
    m_invalidated.clear();

    m_colouring.ClearCellColours();
    EXPECT_EQ(m_colouring.Document(kList), nullptr);
    EXPECT_EQ(m_invalidated, std::vector<WindowHandle>{kList});

    m_colouring.SetWindows(4004, kList);
    m_colouring.SetCellColour(1, 2, 0, kLightGreen);
    EXPECT_EQ(CellNames(kList), std::vector<std::string>{"Item1.2"});
    EXPECT_EQ(AttributesOf(m_colouring.Document(kList)->child("LVINFO")),
              (Attributes{{"hParent", "4004"}, {"hWnd", "2002"}}));
}

TEST_F(ListViewColouringTest, eachListViewKeepsItsOwnDocument) {
    m_colouring.SetCellColour(0, 2, 0, kLightGreen);
    m_colouring.SetWindows(kParent, kOtherList);
    m_colouring.SetCellColour(0, 2, 0, kWhite);
    m_colouring.SetCellColour(5, 1, 0, kWhite);

    EXPECT_EQ(m_colouring.LookUpCellColour(kList, 0, 2), (CellColour{0, kLightGreen}));
    EXPECT_EQ(m_colouring.LookUpCellColour(kOtherList, 0, 2), (CellColour{0, kWhite}));
    EXPECT_EQ(m_colouring.LookUpCellColour(kList, 5, 1), std::nullopt);

    m_colouring.RemoveCellColour(0, 2);
    m_colouring.ClearCellColours();
    EXPECT_EQ(m_colouring.Document(kOtherList), nullptr);
    EXPECT_EQ(CellNames(kList), std::vector<std::string>{"Item0.2"});
    EXPECT_EQ(m_invalidated,
              (std::vector<WindowHandle>{kList, kOtherList, kOtherList, kOtherList, kOtherList}));
}

TEST_F(ListViewColouringTest, attachingAgainDropsEveryDocumentAndDestroyStopsRepaints) {
    m_colouring.SetCellColour(0, 2, 0, kLightGreen);
    m_colouring.SetWindows(kParent, kOtherList);
    m_colouring.SetCellColour(0, 2, 0, kLightGreen);

    std::vector<WindowHandle> newObserver;
    m_colouring.AttachParent([&](WindowHandle list) { newObserver.push_back(list); });
    EXPECT_EQ(m_colouring.Document(kList), nullptr);
    EXPECT_EQ(m_colouring.Document(kOtherList), nullptr);

    m_invalidated.clear();
    m_colouring.SetCellColour(1, 2, 0, kWhite);
    EXPECT_TRUE(m_invalidated.empty());
    EXPECT_EQ(newObserver, std::vector<WindowHandle>{kOtherList});

    m_colouring.Destroy();
    EXPECT_EQ(m_colouring.Document(kOtherList), nullptr);
    m_colouring.SetCellColour(1, 2, 0, kWhite);
    EXPECT_EQ(newObserver.size(), 1u);
}

TEST(LookUpCellColourTest, attributesReadAsWholeDecimalNumbersCutTo32Bits) {
    const std::pair<const char*, ColourRef> cases[] = {
        {"10346931", 0x9DE1B3}, {"0", 0},        {"-1", 0xFFFFFFFF},
        {"4294967297", 1},      {"abc", 0},      {"", 0},
        {"12abc", 0},           {"0x9DE1B3", 0}, {"99999999999999999999", 0},
    };
    for (const auto& [text, colour] : cases) {
        pugi::xml_document document;
        pugi::xml_node cell = document.append_child("LVINFO").append_child("Item0.0");
        cell.append_attribute("clrText") = text;
        cell.append_attribute("clrTextBk") = text;
        EXPECT_EQ(LookUpCellColour(document, 0, 0), (CellColour{colour, colour})) << text;
    }
}

TEST(LookUpCellColourTest, missingElementsMeanNoStoredColour) {
    pugi::xml_document document;
    EXPECT_EQ(LookUpCellColour(document, 0, 0), std::nullopt);
    document.append_child("Item0.0");  // not below LVINFO
    EXPECT_EQ(LookUpCellColour(document, 0, 0), std::nullopt);
    // A cell element without colours is black on black rather than absent.
    document.append_child("LVINFO").append_child("Item0.0");
    EXPECT_EQ(LookUpCellColour(document, 0, 0), (CellColour{0, 0}));
}

}  // namespace
}  // namespace durava::lvcolor
