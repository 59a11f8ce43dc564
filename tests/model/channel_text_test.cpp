// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

struct TextCase {
    const char* input;
    const char* shown;
};

using Setter = void (Channel::*)(std::string_view);
using Getter = std::string (Channel::*)() const;

// A text set through a field's reader and the text the field then shows.
struct TextFormCase {
    const char* field;
    Setter set;
    Getter get;
    const char* input;
    const char* shown;
};

const TextFormCase TextForms[] = {
    {"mode", &Channel::setModeFromText, &Channel::modeText, "FM", "FM"},
    {"mode", &Channel::setModeFromText, &Channel::modeText, "fm", "FM"},
    {"mode", &Channel::setModeFromText, &Channel::modeText, "DMR", "DMR"},
    {"mode", &Channel::setModeFromText, &Channel::modeText, "Analog", "DMR"},
    {"mode", &Channel::setModeFromText, &Channel::modeText, "", "DMR"},
    {"bandwidth", &Channel::setBandwidthFromText, &Channel::bandwidthText, "25", "25"},
    {"bandwidth", &Channel::setBandwidthFromText, &Channel::bandwidthText, "12.5", "12.5"},
    {"bandwidth", &Channel::setBandwidthFromText, &Channel::bandwidthText, "25.0", "12.5"},
    {"squelch", &Channel::setSquelchFromText, &Channel::squelchText, "normal", "NORMAL"},
    {"squelch", &Channel::setSquelchFromText, &Channel::squelchText, "TIGHT", "TIGHT"},
    {"squelch", &Channel::setSquelchFromText, &Channel::squelchText, "x", "TIGHT"},
    {"RX reference", &Channel::setRxRefFrequencyFromText, &Channel::rxRefFrequencyText, "High", "High"},
    {"RX reference", &Channel::setRxRefFrequencyFromText, &Channel::rxRefFrequencyText, "LOW", "Low"},
    {"RX reference", &Channel::setRxRefFrequencyFromText, &Channel::rxRefFrequencyText, "MED", "Medium"},
    {"RX reference", &Channel::setRxRefFrequencyFromText, &Channel::rxRefFrequencyText, "x", "Medium"},
    {"TX reference", &Channel::setTxRefFrequencyFromText, &Channel::txRefFrequencyText, "High", "High"},
    {"TX reference", &Channel::setTxRefFrequencyFromText, &Channel::txRefFrequencyText, "Medium", "Medium"},
    {"TX reference", &Channel::setTxRefFrequencyFromText, &Channel::txRefFrequencyText, "x", "Low"},
    {"TOT", &Channel::setTotFromText, &Channel::totText, "600", "Infinite"},
    {"TOT", &Channel::setTotFromText, &Channel::totText, "121", "120"},
    {"TOT", &Channel::setTotFromText, &Channel::totText, "555", "555"},
    {"TOT", &Channel::setTotFromText, &Channel::totText, "14", "Infinite"},
    {"TOT", &Channel::setTotFromText, &Channel::totText, "infinite", "Infinite"},
    {"TOT", &Channel::setTotFromText, &Channel::totText, "-30", "Infinite"},
    {"TOT", &Channel::setTotFromText, &Channel::totText, "abc", "Infinite"},
    {"QT reverse", &Channel::setQtReverseFromText, &Channel::qtReverseText, "120", "120"},
    {"QT reverse", &Channel::setQtReverseFromText, &Channel::qtReverseText, "90", "180"},
    {"decode tone", &Channel::setCtcssDecodeFromText, &Channel::ctcssDecodeText, "88.5", "088.5"},
    {"decode tone", &Channel::setCtcssDecodeFromText, &Channel::ctcssDecodeText, "D754I", "D754I"},
    {"decode tone", &Channel::setCtcssDecodeFromText, &Channel::ctcssDecodeText, "junk", "NONE"},
    {"encode tone", &Channel::setCtcssEncodeFromText, &Channel::ctcssEncodeText, "D023N", "D023N"},
    {"encode tone", &Channel::setCtcssEncodeFromText, &Channel::ctcssEncodeText, "none", "NONE"},
};

TEST(ChannelText, EveryTextFormReadsBackAsItIsShown)
{
    // The TYT and RDB families keep all of these fields; the D868 family's gaps are tested apart.
    for (const FormatId format : {Md380Format, Md9600Format, RdbV1Format, RdbV2Format}) {
        for (const auto& c : TextForms) {
            Channel channel = newChannel(format);
            (channel.*c.set)(c.input);
            EXPECT_EQ((channel.*c.get)(), c.shown) << c.field << " \"" << c.input << "\" in 0x" << std::hex << format;
        }
    }
}

TEST(ChannelText, D868ShowsDefaultsForFieldsItDoesNotKeep)
{
    Channel channel = newChannel(D868Format);
    channel.setSquelchFromText("TIGHT");
    channel.setTotFromText("60");
    channel.setModeFromText("fm");
    channel.setCtcssDecodeFromText("D754I");
    EXPECT_EQ(channel.squelchText(), "NORMAL");
    EXPECT_EQ(channel.totText(), "Infinite");
    EXPECT_EQ(channel.qtReverseText(), "0");
    EXPECT_EQ(channel.modeText(), "FM");
    EXPECT_EQ(channel.ctcssDecodeText(), "D754I");
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
        Channel channel = newChannel(c.format);
        channel.setPowerFromText(c.input);
        EXPECT_EQ(channel.powerText(c.model), c.shown) << c.input << " in 0x" << std::hex << c.format << " " << c.model;
    }
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
        Channel channel = newChannel(c.format);
        channel.setMode(c.mode);
        channel.setAdmitFromText(c.input);
        EXPECT_EQ(channel.admitCriterion(), c.stored) << c.input << " in 0x" << std::hex << c.format;
        EXPECT_EQ(channel.admitText(), c.shown) << c.input << " in 0x" << std::hex << c.format;
    }
}

TEST(ChannelText, AdmitChoicesOfferedPerFamilyAndMode)
{
    const auto choices = [](FormatId format, ChannelMode mode) {
        return recordFormatsOf(format).channel->admitChoices(mode);
    };
    EXPECT_EQ(choices(Md380Format, ChannelMode::Dmr).size(), 4u);
    EXPECT_EQ(choices(RdbV1Format, ChannelMode::Dmr).size(), 3u);
    EXPECT_EQ(choices(RdbV1Format, ChannelMode::Fm).size(), 5u);
    EXPECT_EQ(choices(D868Format, ChannelMode::Fm),
              (std::vector<std::string>{"Always", "Channel Free", "Diff Color Code", "Color Code Free"}));
    Channel analog = newChannel(RdbV2Format);
    EXPECT_EQ(analog.admitChoices().front(), "Never");
}

TEST(ChannelText, SignalingSystemsByTheirSixthCharacter)
{
    const TextCase cases[] = {{"Off", "Off"}, {"OFF", "Off"}, {"DTMF-1", "DTMF-1"}, {"DTMF-4", "DTMF-4"},
                              {"DTMF-7", "DTMF-2"}, {"DTMF", "Off"}, {"DTMF-x", "Off"}};
    for (const auto& c : cases) {
        Channel channel = newChannel(Md380Format);
        channel.setRxSignalingFromText(c.input);
        channel.setTxSignalingFromText(c.input);
        EXPECT_EQ(channel.rxSignalingText(), c.shown) << c.input;
        EXPECT_EQ(channel.txSignalingText(), c.shown) << c.input;
    }
    Channel rdb = newChannel(RdbV1Format);
    rdb.setTxSignalingFromText("DTMF-3");
    EXPECT_EQ(rdb.txSignalingText(), "Off");
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
            Channel channel = newChannel(format);
            channel.setMode(ChannelMode::Dmr);
            channel.setPrivacyTypeFromText(c.input);
            channel.setPrivacyCode(7);
            EXPECT_EQ(channel.privacyTypeText(), c.shown) << c.input << " in 0x" << std::hex << format;
            if (channel.privacy()) {
                EXPECT_EQ(channel.privacyCode(), 7) << c.input << " in 0x" << std::hex << format;
            }
        }
    }
    Channel tyt = newChannel(Md380Format);
    tyt.setMode(ChannelMode::Dmr);
    tyt.setPrivacyTypeFromText("ENHANCED");
    EXPECT_EQ(tyt.privacyTypeText(), "BASIC") << "the TYT record knows Basic privacy only";
}

TEST(ChannelText, D868TonesOutsideTheTableFallToItsFirstEntry)
{
    Channel channel = newChannel(D868Format);
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
