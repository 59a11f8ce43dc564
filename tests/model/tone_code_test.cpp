// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tone_code.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pw {
namespace {

struct ToneText {
    const char* text;
    std::uint16_t code;
};

TEST(ToneCode, ReadsEveryTextForm)
{
    const ToneText cases[] = {
        {"D023N", 0x8023}, {"D754I", 0xC754}, {"d754n", 0x8754}, {"D023X", 0xC023}, {"D023", 0x8023},
        {"88.5", 0x0885},  {"088.5", 0x0885}, {"100.0", 0x1000}, {"254.1", 0x2541}, {" 67.0 ", 0x0670},
        {"NONE", 0xFFFF},  {"none", 0xFFFF},  {"", 0xFFFF},      {"8.5", 0xFFFF},   {"1000.0", 0xFFFF},
        {"88", 0xFFFF},    {"88.55", 0xFFFF}, {"8a.5", 0xFFFF},  {"D08", 0xFFFF},   {"D089N", 0xFFFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToneCode::fromText(c.text).value(), c.code) << c.text;
}

TEST(ToneCode, WritesCtcssAsFiveCharactersAndDcsWithPolarity)
{
    const ToneText cases[] = {
        {"088.5", 0x0885}, {"067.0", 0x0670}, {"254.1", 0x2541}, {"D023N", 0x8023}, {"D754I", 0xC754}, {"NONE", 0xFFFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToneCode(c.code).text(), c.text) << std::hex << c.code;
}

TEST(ToneCode, ClassifiesCodes)
{
    EXPECT_TRUE(ToneCode().isNone());
    EXPECT_TRUE(ToneCode(0x0885).isCtcss());
    EXPECT_TRUE(ToneCode(0x8023).isDcs());
    EXPECT_FALSE(ToneCode(0x8023).isInverted());
    EXPECT_TRUE(ToneCode(0xC023).isInverted());
    EXPECT_FALSE(ToneCode(0xFFFF).isDcs());
}

TEST(ToneCode, ConvertsCtcssHertz)
{
    EXPECT_DOUBLE_EQ(ToneCode(0x0885).ctcssHertz(), 88.5);
    EXPECT_EQ(ToneCode::fromCtcssHertz(123.0).value(), 0x1230);
    EXPECT_TRUE(ToneCode::fromCtcssHertz(-5.0).isNone());
    EXPECT_TRUE(ToneCode::fromCtcssHertz(1000.0).isNone());
}

TEST(ToneCode, D868DcsWordHoldsOctalDigitsAndInversion)
{
    EXPECT_EQ(ToneCode(0x8023).d868DcsWord(), 2 * 8 + 3);
    EXPECT_EQ(ToneCode(0xC754).d868DcsWord(), 7 * 64 + 5 * 8 + 4 + 512);
    EXPECT_EQ(ToneCode::fromD868DcsWord(7 * 64 + 5 * 8 + 4 + 512).value(), 0xC754);
    EXPECT_EQ(ToneCode::fromD868DcsWord(19).value(), 0x8023);
    EXPECT_EQ(ToneCode(0x0885).d868DcsWord(), 0);
}

TEST(CtcssToneTable, LooksTonesUpByValueAndDefaultsToTheFirst)
{
    EXPECT_EQ(CtcssToneTable.size(), 51u);
    EXPECT_EQ(ctcssToneIndex(ToneCode::fromText("88.5")), 9);
    EXPECT_EQ(ctcssToneIndex(ToneCode::fromText("088.5")), 9);
    EXPECT_EQ(ctcssToneIndex(ToneCode::fromText("254.1")), 50);
    EXPECT_EQ(ctcssToneIndex(ToneCode::fromText("69.4")), 0);
    EXPECT_EQ(ctcssToneIndex(ToneCode::fromText("D023N")), 0);
}

TEST(CtcssToneTable, ReadsIndicesModuloTheTable)
{
    EXPECT_EQ(ctcssToneAt(0).text(), "062.5");
    EXPECT_EQ(ctcssToneAt(51), ctcssToneAt(0));
    EXPECT_EQ(ctcssToneAt(60), ctcssToneAt(9));
    EXPECT_EQ(ctcssToneAt(-1).text(), "254.1");
}

TEST(DcsCodeTable, HoldsTheStandardCodesInAscendingOrder)
{
    EXPECT_EQ(DcsCodeTable.size(), 104u);
    EXPECT_TRUE(std::is_sorted(DcsCodeTable.begin(), DcsCodeTable.end()));
    EXPECT_EQ(dcsTone(DcsCodeTable.front(), false).text(), "D023N");
    EXPECT_EQ(dcsTone(DcsCodeTable.back(), true).text(), "D754I");
    for (const auto code : DcsCodeTable)
        EXPECT_NE(code, 0) << "table has an unfilled entry";
}

} // namespace
} // namespace pw
