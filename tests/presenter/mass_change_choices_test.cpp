// SPDX-License-Identifier: GPL-3.0-or-later
// The lists of the "Channel Mass Change" dialog.

#include "presenter/mass_change_choices.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(MassChangeLists, ToneListHoldsNoneCtcssThenNormalThenInvertedDcs)
{
    const auto& tones = toneChoices();
    ASSERT_EQ(tones.size(), 254u);
    EXPECT_EQ(tones[0], "None");
    EXPECT_EQ(tones[1], "067.0");
    EXPECT_EQ(tones[10], "091.5");
    EXPECT_EQ(tones[45], "225.7");
    EXPECT_EQ(tones[46], "D023N");
    EXPECT_EQ(tones[149], "D754N");
    EXPECT_EQ(tones[150], "D023I");
    EXPECT_EQ(tones[253], "D754I");
}

TEST(MassChangeLists, ToneTextsAreFoundByMeaningAndOthersAreRefused)
{
    EXPECT_EQ(toneChoiceIndex("88.5"), 9u);
    EXPECT_EQ(toneChoiceIndex("088.5"), 9u);
    EXPECT_EQ(toneChoiceIndex("none"), 0u);
    EXPECT_EQ(toneChoiceIndex("D023n"), 46u);
    EXPECT_EQ(toneChoiceIndex("d754I"), 253u);
    EXPECT_EQ(toneChoiceIndex("62.5"), std::nullopt);  // a tone, but not one the list offers
    EXPECT_EQ(toneChoiceIndex("D999N"), std::nullopt);
    EXPECT_EQ(toneChoiceIndex("tone"), std::nullopt);
    EXPECT_EQ(toneChoiceIndex(""), std::nullopt);
}

TEST(MassChangeLists, FixedListsAndAdmitNamesOfTheFormat)
{
    EXPECT_EQ(offsetChoices(), (std::vector<std::string>{"Simplex", "( + )", "( -- )"}));
    EXPECT_EQ(timeSlotChoices(), (std::vector<std::string>{"1", "2"}));
    const auto colors = colorCodeChoices();
    ASSERT_EQ(colors.size(), 16u);
    EXPECT_EQ(colors.front(), "0");
    EXPECT_EQ(colors.back(), "15");
    EXPECT_EQ(admitChoicesForMassChange(D868Format),
              (std::vector<std::string>{"Always", "Channel Free", "Diff Color Code", "Color Code Free"}));
    EXPECT_EQ(admitChoicesForMassChange(Md380Format),
              (std::vector<std::string>{"Always", "Channel Free", "Correct PL", "Color Code Free"}));
    EXPECT_EQ(admitChoicesForMassChange(RdbV2Format),
              (std::vector<std::string>{"Always", "Channel Free", "Color Code Free"}));
}

} // namespace
} // namespace pw
