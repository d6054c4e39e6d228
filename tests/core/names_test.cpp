// SPDX-License-Identifier: MIT
#include "core/names.h"

#include <gtest/gtest.h>

namespace durava::core {
namespace {

TEST(CheckName, keepsNamesTheFilesHoldFaithfully) {
    for (std::u16string_view name :
         {u"A1", u"包间1", u"VIP 3", u"a?b", u"１号桌", u"x=y;z", u"台球\u3000二"}) {
        EXPECT_EQ(CheckName(name), NameFault::None);
    }
}

TEST(CheckName, refusesNamesTheFilesCannotHold) {
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
        EXPECT_EQ(CheckName(cases[i].name), cases[i].fault) << "case " << i;
    }
}

}  // namespace
}  // namespace durava::core
