// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/rdb/six_bit_text.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(SixBitText, PacksMostSignificantBitFirst)
{
    // "1" is value 1: the top six bits of byte 0 are 000001; "A" is value 10 (001010).
    const auto packed = SixBitText::encode("1A");
    EXPECT_EQ(packed[0], 0x04);        // 000001 00
    EXPECT_EQ(packed[1] & 0xF0, 0xA0); // 1010 ....
}

TEST(SixBitText, EmptyTextIsSixteenSpaces)
{
    const auto packed = SixBitText::encode("");
    // Space is 62 = 111110; sixteen of them repeat the three-byte pattern F BE F.
    EXPECT_EQ(packed[0], 0xFB);
    EXPECT_EQ(packed[1], 0xEF);
    EXPECT_EQ(packed[2], 0xBE);
    EXPECT_EQ(SixBitText::decode(packed), "");
}

TEST(SixBitText, RoundTripsTheAlphabetAndReplacesOtherCharacters)
{
    EXPECT_EQ(SixBitText::normalize("Abc 123.xyz"), "Abc 123.xyz");
    EXPECT_EQ(SixBitText::normalize("PA3-XYZ/P"), "PA3.XYZ.P");
    EXPECT_EQ(SixBitText::normalize("trailing   "), "trailing");
    EXPECT_EQ(SixBitText::normalize("0123456789ABCDEFGH"), "0123456789ABCDEF");
}

} // namespace
} // namespace pw
