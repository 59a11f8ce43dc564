#include "model/channel.h"

#include "model/byte_field.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

constexpr FormatId AllFormats[] = {Md380Format, Md2017Format, Md9600Format, RdbV1Format,
                                   RdbV11Format, RdbV2Format, D868Format};

struct TextCase {
    const char* input;
    const char* shown;
};

TEST(ChannelText, ModeFmInAnyCaseIsFmAndEverythingElseDmr)
{
    const TextCase cases[] = {{"FM", "FM"}, {"fm", "FM"}, {"Fm", "FM"}, {"DMR", "DMR"}, {"Analog", "DMR"}, {"", "DMR"}};
    for (const FormatId format : AllFormats) {
        for (const auto& c : cases) {
            Channel channel(format);
            channel.setModeFromText(c.input);
            EXPECT_EQ(channel.modeText(), c.shown) << c.input << " in 0x" << std::hex << format;
        }
    }
}

TEST(ChannelText, BandwidthOnly25IsWide)
{
    const TextCase cases[] = {{"25", "25"}, {"12.5", "12.5"}, {"25.0", "12.5"}, {"wide", "12.5"}};
    for (const FormatId format : AllFormats) {
        for (const auto& c : cases) {
            Channel channel(format);
            channel.setBandwidthFromText(c.input);
            EXPECT_EQ(channel.bandwidthText(), c.shown) << c.input << " in 0x" << std::hex << format;
        }
    }
}

TEST(ChannelText, SquelchByFirstLetterN)
{
    const TextCase cases[] = {{"NORMAL", "NORMAL"}, {"normal", "NORMAL"}, {"TIGHT", "TIGHT"}, {"x", "TIGHT"}};
    for (const FormatId format : {Md380Format, RdbV1Format}) {
        for (const auto& c : cases) {
            Channel channel(format);
            channel.setSquelchFromText(c.input);
            EXPECT_EQ(channel.squelchText(), c.shown) << c.input;
        }
    }
    Channel d868(D868Format);
    d868.setSquelchFromText("TIGHT");
    EXPECT_EQ(d868.squelchText(), "NORMAL");
}

struct PowerCase {
    FormatId format;
    const char* input;
    const char* model;
    const char* shown;
};

TEST(ChannelText, PowerDependsOnFormatAndRadioModel)
{
    const PowerCase cases[] = {
        {Md380Format, "HIGH", "", "HIGH"},     {Md380Format, "MID", "", "LOW"},        {Md380Format, "low", "", "LOW"},
        {Md2017Format, "H", "", "HIGH"},       {Md2017Format, "M", "", "MID"},         {Md9600Format, "L", "", "LOW"},
        {Md9600Format, "?", "", "HIGH"},       {RdbV1Format, "HIGH", "", "HIGH"},      {RdbV1Format, "MID", "", "MID"},
        {RdbV1Format, "MID", "MD868", "MID"},  {RdbV1Format, "MID", "RT3S", "HIGH"},   {RdbV2Format, "LOW", "RT3S", "LOW"},
        {RdbV11Format, "x", "", "LOW"},        {D868Format, "H", "", "HIGH"},          {D868Format, "M", "", "MID"},
        {D868Format, "q", "", "LOW"},
    };
    for (const auto& c : cases) {
        Channel channel(c.format);
        channel.setPowerFromText(c.input);
        EXPECT_EQ(channel.powerText(c.model), c.shown) << c.input << " in 0x" << std::hex << c.format << " " << c.model;
    }
}

TEST(ChannelText, D868PowerWordThreeReadsHigh)
{
    Channel channel(D868Format);
    setU16Le(channel.d868Block(), 24, 3);
    EXPECT_EQ(channel.powerText(), "HIGH");
    EXPECT_TRUE(channel.isHighPower());
}

TEST(ChannelText, ReferenceFrequenciesReadTheirOwnFirstLetters)
{
    const TextCase rx[] = {{"High", "High"}, {"LOW", "Low"}, {"Medium", "Medium"}, {"MED", "Medium"}, {"x", "Medium"}};
    const TextCase tx[] = {{"High", "High"}, {"LOW", "Low"}, {"Medium", "Medium"}, {"MED", "Medium"}, {"x", "Low"}};
    for (const FormatId format : {Md380Format, RdbV1Format, D868Format}) {
        for (const auto& c : rx) {
            Channel channel(format);
            channel.setRxRefFrequencyFromText(c.input);
            EXPECT_EQ(channel.rxRefFrequencyText(), c.shown) << c.input;
        }
        for (const auto& c : tx) {
            Channel channel(format);
            channel.setTxRefFrequencyFromText(c.input);
            EXPECT_EQ(channel.txRefFrequencyText(), c.shown) << c.input;
        }
    }
}

TEST(ChannelText, TotIsSecondsInStepsOf15)
{
    const TextCase cases[] = {
        {"600", "Infinite"}, {"121", "120"}, {"555", "555"}, {"15", "15"},        {"14", "Infinite"},
        {"Infinite", "Infinite"}, {"INFINITE", "Infinite"}, {"-30", "Infinite"}, {"abc", "Infinite"}, {"", "Infinite"},
    };
    for (const FormatId format : {Md380Format, RdbV1Format}) {
        for (const auto& c : cases) {
            Channel channel(format);
            channel.setTotFromText(c.input);
            EXPECT_EQ(channel.totText(), c.shown) << c.input;
        }
    }
    Channel channel(Md380Format);
    channel.setTotFromText("600");
    EXPECT_EQ(channel.tot(), 0);
}

TEST(ChannelText, RdbTotAbove37ShowsItsRealLength)
{
    Channel channel(RdbV1Format);
    channel.rdbRecord()[11] = 40;
    EXPECT_EQ(channel.tot(), 40);
    EXPECT_EQ(channel.totText(), "600");
}

struct AdmitCase {
    FormatId format;
    ChannelMode mode;
    const char* input;
    int stored;
    const char* shown;
};

TEST(ChannelText, AdmitCriterionPerFamilyAndMode)
{
    constexpr auto Dmr = ChannelMode::Dmr;
    constexpr auto Fm = ChannelMode::Fm;
    const AdmitCase cases[] = {
        {Md380Format, Dmr, "Always", 0, "Always"},
        {Md380Format, Dmr, "CHANNEL_FREE", 1, "Channel Free"},
        {Md380Format, Fm, "correct pl", 2, "Correct PL"},
        {Md2017Format, Dmr, "Color Code Free", 3, "Color Code Free"},
        {Md380Format, Dmr, "nonsense", 0, "Always"},
        {RdbV1Format, Dmr, "channel free", 1, "Channel Free"},
        {RdbV1Format, Dmr, "COLOR_CODE", 2, "Color Code Free"},
        {RdbV1Format, Dmr, "Correct PL", 0, "Always"},
        {RdbV11Format, Fm, "Never", 0, "Never"},
        {RdbV11Format, Fm, "ALWAYS", 1, "Always"},
        {RdbV2Format, Fm, "Channel Free", 2, "Channel Free"},
        {RdbV2Format, Fm, "CORRECT_PL", 3, "CTCSS/CDCSS Locked"},
        {RdbV2Format, Fm, "CTCSS/CDCSS Locked", 3, "CTCSS/CDCSS Locked"},
        {RdbV1Format, Fm, "Audio", 4, "Audio"},
        {D868Format, Dmr, "Channel Free", 1, "Channel Free"},
        {D868Format, Dmr, "DIFF_COLOR_CODE", 2, "Color Code Free"},
        {D868Format, Dmr, "Color Code Free", 2, "Color Code Free"},
        {D868Format, Dmr, "Always", 0, "Always"},
    };
    for (const auto& c : cases) {
        Channel channel(c.format);
        channel.setMode(c.mode);
        channel.setAdmitFromText(c.input);
        EXPECT_EQ(channel.admitCriterion(), c.stored) << c.input << " in 0x" << std::hex << c.format;
        EXPECT_EQ(channel.admitText(), c.shown) << c.input << " in 0x" << std::hex << c.format;
    }
}

TEST(ChannelText, AdmitReadsStoredValuesModuloTheFamilyChoices)
{
    Channel digital(RdbV1Format);
    digital.setMode(ChannelMode::Dmr);
    digital.rdbRecord()[10] = static_cast<std::uint8_t>(4 << 3);
    EXPECT_EQ(digital.admitText(), "Channel Free");

    Channel analog(RdbV1Format);
    analog.rdbRecord()[10] = static_cast<std::uint8_t>(6 << 3);
    EXPECT_EQ(analog.admitText(), "Always");

    Channel d868(D868Format);
    d868.d868Block()[58] = 3;
    EXPECT_EQ(d868.admitText(), "Always");
}

TEST(ChannelText, AdmitChoicesOfferedPerFamilyAndMode)
{
    EXPECT_EQ(Channel::admitChoices(Md380Format, ChannelMode::Dmr).size(), 4u);
    EXPECT_EQ(Channel::admitChoices(RdbV1Format, ChannelMode::Dmr).size(), 3u);
    EXPECT_EQ(Channel::admitChoices(RdbV1Format, ChannelMode::Fm).size(), 5u);
    EXPECT_EQ(Channel::admitChoices(D868Format, ChannelMode::Fm),
              (std::vector<std::string>{"Always", "Channel Free", "Diff Color Code", "Color Code Free"}));
    Channel analog(RdbV2Format);
    EXPECT_EQ(analog.admitChoices().front(), "Never");
}

TEST(ChannelText, SignalingSystemsByTheirSixthCharacter)
{
    const TextCase cases[] = {{"Off", "Off"}, {"OFF", "Off"}, {"DTMF-1", "DTMF-1"}, {"DTMF-4", "DTMF-4"},
                              {"DTMF-7", "DTMF-2"}, {"DTMF", "Off"}, {"DTMF-x", "Off"}};
    for (const auto& c : cases) {
        Channel channel(Md380Format);
        channel.setRxSignalingFromText(c.input);
        channel.setTxSignalingFromText(c.input);
        EXPECT_EQ(channel.rxSignalingText(), c.shown) << c.input;
        EXPECT_EQ(channel.txSignalingText(), c.shown) << c.input;
    }
    Channel rdb(RdbV1Format);
    rdb.setTxSignalingFromText("DTMF-3");
    EXPECT_EQ(rdb.txSignalingText(), "Off");
}

TEST(ChannelText, QtReverseOnly120Is120)
{
    const TextCase cases[] = {{"120", "120"}, {"180", "180"}, {"90", "180"}};
    for (const FormatId format : {Md380Format, RdbV1Format}) {
        for (const auto& c : cases) {
            Channel channel(format);
            channel.setQtReverseFromText(c.input);
            EXPECT_EQ(channel.qtReverseText(), c.shown) << c.input;
        }
    }
    EXPECT_EQ(Channel(D868Format).qtReverseText(), "0");
}

TEST(ChannelText, SwitchesAreYesOrNo)
{
    EXPECT_EQ(Channel::switchText(true), "Yes");
    EXPECT_EQ(Channel::switchText(false), "No");
    EXPECT_TRUE(Channel::switchFromText("YES"));
    EXPECT_TRUE(Channel::switchFromText("y"));
    EXPECT_FALSE(Channel::switchFromText("No"));
    EXPECT_FALSE(Channel::switchFromText(""));
}

struct PrivacyCase {
    const char* input;
    const char* shown;
};

TEST(ChannelText, PrivacyTextSwitchesPrivacyAndChoosesItsType)
{
    const PrivacyCase cases[] = {{"BASIC", "BASIC"}, {"basic", "BASIC"}, {"NONE", "NONE"}, {"none", "NONE"},
                                 {"ENHANCED", "ENHANCED"}, {"x", "ENHANCED"}};
    for (const FormatId format : {RdbV1Format, RdbV2Format, D868Format}) {
        for (const auto& c : cases) {
            Channel channel(format);
            channel.setMode(ChannelMode::Dmr);
            channel.setPrivacyTypeFromText(c.input);
            channel.setPrivacyCode(7);
            EXPECT_EQ(channel.privacyTypeText(), c.shown) << c.input << " in 0x" << std::hex << format;
            if (channel.privacy()) {
                EXPECT_EQ(channel.privacyCode(), 7) << c.input << " in 0x" << std::hex << format;
            }
        }
    }
    Channel tyt(Md380Format);
    tyt.setMode(ChannelMode::Dmr);
    tyt.setPrivacyTypeFromText("ENHANCED");
    EXPECT_EQ(tyt.privacyTypeText(), "BASIC") << "the TYT record knows Basic privacy only";
}

TEST(ChannelText, TonesWrittenAndReadInEveryFamily)
{
    const TextCase cases[] = {{"88.5", "088.5"}, {"D023N", "D023N"}, {"D754I", "D754I"}, {"none", "NONE"}, {"junk", "NONE"}};
    for (const FormatId format : {Md380Format, RdbV1Format, RdbV2Format, D868Format}) {
        for (const auto& c : cases) {
            Channel channel(format);
            channel.setCtcssDecodeFromText(c.input);
            channel.setCtcssEncodeFromText(c.input);
            EXPECT_EQ(channel.ctcssDecodeText(), c.shown) << c.input << " in 0x" << std::hex << format;
            EXPECT_EQ(channel.ctcssEncodeText(), c.shown) << c.input << " in 0x" << std::hex << format;
        }
    }
}

TEST(ChannelText, D868TonesOutsideTheTableFallToItsFirstEntry)
{
    Channel channel(D868Format);
    channel.setCtcssDecodeFromText("69.4");
    EXPECT_EQ(channel.ctcssDecodeText(), "062.5");
}

TEST(ChannelText, FrequenciesShowFiveDecimals)
{
    EXPECT_EQ(Channel::frequencyText(146.52), "146.52000");
    EXPECT_EQ(Channel::frequencyText(439.0125), "439.01250");
}

} // namespace
} // namespace pw
