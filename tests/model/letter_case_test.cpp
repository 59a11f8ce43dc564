// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/letter_case.h"

#include <gtest/gtest.h>

#include <clocale>

namespace pw {
namespace {

TEST(LetterCase, OnlyAsciiLettersHaveACaseWhateverTheLocale)
{
    // A Latin-1 locale would make 0xE9 and 0xC9 one letter; codeplug names never do.
    std::setlocale(LC_CTYPE, "en_US.ISO-8859-1");
    EXPECT_TRUE(equalsIgnoringCase("Zone Kansas", "ZONE kansas"));
    EXPECT_FALSE(equalsIgnoringCase("Caf\xE9", "CAF\xC9"));
    EXPECT_FALSE(equalsIgnoringCase("ABC", "ABCD"));
    EXPECT_TRUE(equalsIgnoringCase("", ""));
    EXPECT_EQ(upperAscii('z'), 'Z');
    EXPECT_EQ(lowerAscii('@'), '@');
    EXPECT_EQ(lowerAscii('['), '[');
    EXPECT_EQ(upperAscii('\xE9'), '\xE9');
    std::setlocale(LC_CTYPE, "C");
}

} // namespace
} // namespace pw
