// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/channel_editor_rules.h"
#include "codeplug/record_factory.h"

#include "codeplug/codeplug.h"
#include "presenter/mass_change_choices.h"
#include "operations/channel_mass_change.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

// ---- Transmit offset selection ----

TEST(TransmitOffsetSelection, VhfRepeaterBelowIsMinus)
{
    EXPECT_EQ(transmitOffsetFor(146.940, 146.340), TransmitOffset::Minus);
    EXPECT_EQ(transmitOffsetFor(146.340, 146.940), TransmitOffset::Plus);
}

TEST(TransmitOffsetSelection, UhfRepeaterUsesTheFiveMegahertzStep)
{
    EXPECT_EQ(transmitOffsetFor(442.000, 447.000), TransmitOffset::Plus);
    EXPECT_EQ(transmitOffsetFor(447.000, 442.000), TransmitOffset::Minus);
    // The VHF step is no repeater offset on UHF.
    EXPECT_EQ(transmitOffsetFor(442.000, 442.600), TransmitOffset::Custom);
}

TEST(TransmitOffsetSelection, StepChangesAtTwoHundredMegahertz)
{
    EXPECT_EQ(transmitOffsetFor(199.99, 200.59), TransmitOffset::Plus);
    EXPECT_EQ(transmitOffsetFor(200.0, 205.0), TransmitOffset::Plus);
    EXPECT_EQ(transmitOffsetFor(200.0, 200.6), TransmitOffset::Custom);
}

TEST(TransmitOffsetSelection, TenHertzIsTheTolerance)
{
    EXPECT_EQ(transmitOffsetFor(146.52, 146.52), TransmitOffset::Simplex);
    EXPECT_EQ(transmitOffsetFor(146.52, 146.520009), TransmitOffset::Simplex);
    EXPECT_EQ(transmitOffsetFor(146.52, 146.52002), TransmitOffset::Custom);
    EXPECT_EQ(transmitOffsetFor(146.94, 146.340009), TransmitOffset::Minus);
    EXPECT_EQ(transmitOffsetFor(146.94, 146.34002), TransmitOffset::Custom);
}

TEST(TransmitOffsetSelection, ChannelsReadBackFromEveryFamilyKeepTheirOffset)
{
    for (const auto format : {Md380Format, Md2017Format, RdbV1Format, RdbV2Format, D868Format}) {
        Channel channel = newChannel(format, 146.94);
        channel.setTxFrequency(146.34);
        EXPECT_EQ(transmitOffsetFor(channel.rxFrequency(), channel.txFrequency()), TransmitOffset::Minus)
            << std::hex << format;
        channel.setRxFrequency(442.0);
        channel.setTxFrequency(447.0);
        EXPECT_EQ(transmitOffsetFor(channel.rxFrequency(), channel.txFrequency()), TransmitOffset::Plus)
            << std::hex << format;
    }
}

// ---- The offset rule ----

TEST(OffsetRule, EachOffsetGivesItsTransmitFrequency)
{
    EXPECT_DOUBLE_EQ(transmitFrequencyFor(TransmitOffset::Simplex, 146.52, 150.0), 146.52);
    EXPECT_NEAR(transmitFrequencyFor(TransmitOffset::Plus, 146.34, 150.0), 146.94, 1e-9);
    EXPECT_NEAR(transmitFrequencyFor(TransmitOffset::Minus, 146.94, 150.0), 146.34, 1e-9);
    EXPECT_DOUBLE_EQ(transmitFrequencyFor(TransmitOffset::Plus, 442.0, 150.0), 447.0);
    EXPECT_DOUBLE_EQ(transmitFrequencyFor(TransmitOffset::Minus, 447.0, 150.0), 442.0);
    EXPECT_DOUBLE_EQ(transmitFrequencyFor(TransmitOffset::Custom, 442.0, 442.6), 442.6);
}

TEST(OffsetRule, ChoiceTextsAreInListOrder)
{
    EXPECT_EQ(transmitOffsetChoices(), (std::vector<std::string>{"Simplex", "( + )", "( -- )", "Custom"}));
}

// ---- Frequency boxes ----

TEST(FrequencyBox, ReadsTheLeadingDecimalNumber)
{
    EXPECT_DOUBLE_EQ(frequencyFromBox("146.94000"), 146.94);
    EXPECT_DOUBLE_EQ(frequencyFromBox("  442.5 MHz"), 442.5);
    EXPECT_DOUBLE_EQ(frequencyFromBox("446"), 446.0);
    EXPECT_DOUBLE_EQ(frequencyFromBox("446."), 446.0);
}

TEST(FrequencyBox, TextThatIsNoNumberGivesZero)
{
    EXPECT_EQ(frequencyFromBox(""), 0.0);
    EXPECT_EQ(frequencyFromBox("abc"), 0.0);
    EXPECT_EQ(frequencyFromBox("."), 0.0);
    EXPECT_EQ(frequencyFromBox("   "), 0.0);
}

// ---- New channel frequency ----

TEST(NewChannelFrequency, FollowsTheBandOfTheFirstChannel)
{
    TempDir dir;
    Codeplug codeplug;
    ASSERT_EQ(codeplug.open(test::writeFixture(dir.file("a.rdt"), Md380Format)), Md380Format);
    ASSERT_TRUE(codeplug.decode());
    while (codeplug.channels().count() > 0)
        codeplug.channels().deleteAt(0);
    EXPECT_DOUBLE_EQ(newChannelFrequencyMhz(codeplug), 146.52);

    Channel uhf = newChannel(Md380Format, 439.0);
    uhf.setName("UHF");
    ASSERT_EQ(codeplug.addChannel(uhf), AddResult::Added);
    EXPECT_DOUBLE_EQ(newChannelFrequencyMhz(codeplug), 446.0);

    Channel vhf = newChannel(Md380Format, 145.0);
    vhf.setName("VHF");
    ASSERT_EQ(codeplug.addChannel(vhf), AddResult::Added);
    EXPECT_DOUBLE_EQ(newChannelFrequencyMhz(codeplug), 446.0);  // only the first counts
}

// ---- Lists ----

TEST(EditorLists, TimeOutHasThirtyEightFifteenSecondSteps)
{
    const auto list = timeOutChoices();
    ASSERT_EQ(list.size(), 38u);
    EXPECT_EQ(list.front(), "Infinite");
    EXPECT_EQ(list[1], "15");
    EXPECT_EQ(list[8], "120");
    EXPECT_EQ(list.back(), "555");
}

TEST(EditorLists, RekeyDelayAndEncryptionCode)
{
    const auto rekey = rekeyDelayChoices();
    ASSERT_EQ(rekey.size(), 256u);
    EXPECT_EQ(rekey.front(), "0");
    EXPECT_EQ(rekey.back(), "255");
    const auto codes = encryptionCodeChoices();
    ASSERT_EQ(codes.size(), 16u);
    EXPECT_EQ(codes.front(), "1");
    EXPECT_EQ(codes.back(), "16");
}

TEST(EditorLists, DecodeListHasFiftyTonesAndBothDcsForms)
{
    const auto& list = decodeToneChoices();
    ASSERT_EQ(list.size(), 259u);
    EXPECT_EQ(list[0], "None");
    EXPECT_EQ(list[1], "067.0");
    EXPECT_EQ(list[45], "225.7");
    EXPECT_EQ(list[46], "229.1");
    EXPECT_EQ(list[50], "254.1");
    EXPECT_EQ(list[51], "D023N");
    EXPECT_EQ(list[154], "D754N");
    EXPECT_EQ(list[155], "D023I");
    EXPECT_EQ(list[258], "D754I");
}

TEST(EditorLists, EncodeListStopsAt225Point7)
{
    const auto& list = encodeToneChoices();
    ASSERT_EQ(list.size(), 254u);
    EXPECT_EQ(list[0], "None");
    EXPECT_EQ(list[1], "067.0");
    EXPECT_EQ(list[45], "225.7");
    EXPECT_EQ(list[46], "D023N");
    EXPECT_EQ(list[253], "D754I");
    // The same list the mass change offers.
    EXPECT_EQ(list, toneChoices());
}

TEST(EditorLists, ToneTextsOfChannelsFindTheirEntry)
{
    Channel channel = newChannel(Md380Format);
    channel.setCtcssDecodeFromText("88.5");
    EXPECT_EQ(decodeToneChoices()[entryOrFirst(decodeToneChoices(), channel.ctcssDecodeText())], "088.5");
    channel.setCtcssDecodeFromText("D754I");
    EXPECT_EQ(entryOrFirst(decodeToneChoices(), channel.ctcssDecodeText()), 258u);
    channel.setCtcssEncodeFromText("250.3");
    // Not on the encode list: the first entry.
    EXPECT_EQ(entryOrFirst(encodeToneChoices(), channel.ctcssEncodeText()), 0u);
    channel.setCtcssEncode(ToneCode::none());
    EXPECT_EQ(entryOrFirst(encodeToneChoices(), channel.ctcssEncodeText()), 0u);
}

TEST(EditorLists, EmergencySystemsFollowNone)
{
    TempDir dir;
    Codeplug codeplug;
    ASSERT_EQ(codeplug.open(test::writeFixture(dir.file("a.rdt"), Md380Format)), Md380Format);
    ASSERT_TRUE(codeplug.decode());
    const auto list = emergencySystemChoices(codeplug);
    ASSERT_EQ(list.size(), static_cast<std::size_t>(codeplug.emergencySystems().count()) + 1);
    EXPECT_EQ(list.front(), "None");
}

} // namespace
} // namespace pw
