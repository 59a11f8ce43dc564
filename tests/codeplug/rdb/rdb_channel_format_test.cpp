// SPDX-License-Identifier: GPL-3.0-or-later
// The RDB channel record: where each setting lands in the 32-byte record of 0x2001, 0x2002 and
// 0x2003 channels (the packed name follows it in the family record), and what a record read from
// a file shows.

#include "codeplug/rdb/rdb_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/rdb/six_bit_text.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <functional>

namespace pw {
namespace {

// Takes every value from the record again, as the decoder does after copying it in.
void reload(Channel& channel) { static_cast<const rdb::ChannelRecordFormat&>(channel.format()).load(channel); }

// One field set on a channel of one format and mode: the bits it lands in and what reads back.
struct FieldCase {
    const char* field;
    FormatId format;
    ChannelMode mode;
    std::function<void(Channel&)> set;
    std::size_t byte;
    std::uint8_t mask;
    std::uint8_t expected;
    std::function<bool(const Channel&)> readsBack;
};

constexpr auto Dmr = ChannelMode::Dmr;
constexpr auto Fm = ChannelMode::Fm;

const FieldCase FieldCases[] = {
    // Mode and bandwidth.
    {"mode DMR", RdbV1Format, Dmr, [](Channel&) {}, 8, 0x03, 0x02, [](const Channel& c) { return c.isDigital(); }},
    {"mode FM", RdbV1Format, Fm, [](Channel&) {}, 8, 0x01, 0x01, [](const Channel& c) { return !c.isDigital(); }},
    {"bandwidth 25", RdbV1Format, Fm, [](Channel& c) { c.setBandwidth(Bandwidth::Wide25k); }, 8, 0x02, 0,
     [](const Channel& c) { return c.bandwidth() == Bandwidth::Wide25k; }},
    {"bandwidth of a DMR channel", RdbV1Format, Dmr, [](Channel& c) { c.setBandwidth(Bandwidth::Wide25k); }, 8,
     0x02, 0, [](const Channel& c) { return c.bandwidth() == Bandwidth::Narrow12k5; }},
    // Squelch.
    {"squelch NORMAL", RdbV1Format, Fm, [](Channel& c) { c.setSquelch(Squelch::Normal); }, 9, 0x40, 0x40,
     [](const Channel& c) { return c.squelch() == Squelch::Normal; }},
    {"squelch TIGHT", RdbV1Format, Fm, [](Channel& c) { c.setSquelch(Squelch::Tight); }, 9, 0x40, 0,
     [](const Channel& c) { return c.squelch() == Squelch::Tight; }},
    // Switches.
    {"auto scan", RdbV11Format, Fm, [](Channel& c) { c.setAutoScan(true); }, 9, 0x01, 0x01, [](const Channel& c) { return c.autoScan(); }},
    {"lone worker", RdbV1Format, Fm, [](Channel& c) { c.setLoneWorker(true); }, 9, 0x04, 0x04, [](const Channel& c) { return c.loneWorker(); }},
    {"talkaround", RdbV1Format, Fm, [](Channel& c) { c.setTalkaround(true); }, 9, 0x10, 0x10, [](const Channel& c) { return c.talkaround(); }},
    {"RX only", RdbV1Format, Fm, [](Channel& c) { c.setRxOnly(true); }, 9, 0x02, 0x02, [](const Channel& c) { return c.rxOnly(); }},
    {"VOX", RdbV1Format, Fm, [](Channel& c) { c.setVox(true); }, 9, 0x08, 0x08, [](const Channel& c) { return c.vox(); }},
    // Digital fields.
    {"time slot 2", RdbV1Format, Dmr, [](Channel& c) { c.setTimeSlot(2); }, 16, 0x10, 0x10, [](const Channel& c) { return c.timeSlot() == 2; }},
    {"colour code 7", RdbV1Format, Dmr, [](Channel& c) { c.setColorCode(7); }, 16, 0x0F, 0x07, [](const Channel& c) { return c.colorCode() == 7; }},
    {"private call confirmed", RdbV1Format, Dmr, [](Channel& c) { c.setPrivateCallConfirmed(true); }, 16, 0x20, 0x20, [](const Channel& c) { return c.privateCallConfirmed(); }},
    {"data call confirmed", RdbV1Format, Dmr, [](Channel& c) { c.setDataCallConfirmed(true); }, 16, 0x80, 0x80, [](const Channel& c) { return c.dataCallConfirmed(); }},
    {"emergency alarm ack", RdbV1Format, Dmr, [](Channel& c) { c.setEmergencyAlarmAck(true); }, 10, 0x02, 0x02, [](const Channel& c) { return c.emergencyAlarmAck(); }},
    {"privacy on", RdbV1Format, Dmr, [](Channel& c) { c.setPrivacy(true); }, 23, 0x80, 0x80, [](const Channel& c) { return c.privacy(); }},
    {"privacy Enhanced", RdbV1Format, Dmr, [](Channel& c) { c.setPrivacyType(PrivacyType::Enhanced); }, 23, 0x40, 0x40, [](const Channel& c) { return c.privacyType() == PrivacyType::Enhanced; }},
    {"privacy code 5", RdbV1Format, Dmr, [](Channel& c) { c.setPrivacyCode(5); }, 23, 0x0F, 4, [](const Channel& c) { return c.privacyCode() == 5; }},
    // Reference frequencies, TOT, admit, power.
    {"RX reference High", RdbV1Format, Fm, [](Channel& c) { c.setRxRefFrequency(RefFrequency::High); }, 8, 0x0C, 0x08, [](const Channel& c) { return c.rxRefFrequency() == RefFrequency::High; }},
    {"TX reference Medium", RdbV1Format, Fm, [](Channel& c) { c.setTxRefFrequency(RefFrequency::Medium); }, 8, 0x30, 0x10, [](const Channel& c) { return c.txRefFrequency() == RefFrequency::Medium; }},
    {"TOT 37", RdbV1Format, Fm, [](Channel& c) { c.setTot(37); }, 11, 0x3F, 37, [](const Channel& c) { return c.tot() == 37; }},
    {"TOT rekey delay", RdbV1Format, Fm, [](Channel& c) { c.setTotRekeyDelay(30); }, 14, 0xFF, 30, [](const Channel& c) { return c.totRekeyDelay() == 30; }},
    {"admit Color Code Free", RdbV1Format, Dmr, [](Channel& c) { c.setAdmitFromText("COLOR_CODE"); }, 10, 0x38, 0x10, [](const Channel& c) { return c.admitCriterion() == 2; }},
    {"admit Audio", RdbV1Format, Fm, [](Channel& c) { c.setAdmitFromText("audio"); }, 10, 0x38, 0x20, [](const Channel& c) { return c.admitCriterion() == 4; }},
    {"power MID level", RdbV1Format, Fm, [](Channel& c) { c.setPowerFromText("M"); }, 10, 0xC0, 0x40, [](const Channel& c) { return c.power() == PowerLevel::Mid; }},
    {"power MID is high", RdbV1Format, Fm, [](Channel& c) { c.setPowerFromText("M"); }, 9, 0x80, 0x80, [](const Channel& c) { return c.isHighPower(); }},
    {"power LOW", RdbV1Format, Fm, [](Channel& c) { c.setPowerFromText("L"); }, 10, 0xC0, 0, [](const Channel& c) { return !c.isHighPower(); }},
    // Analog fields.
    {"analog option", RdbV1Format, Fm, [](Channel& c) { c.setAnalogOption(true); }, 24, 0x01, 0x01, [](const Channel& c) { return c.analogOption(); }},
    {"QT reverse 120", RdbV1Format, Fm, [](Channel& c) { c.setQtReverse(120); }, 24, 0x02, 0, [](const Channel& c) { return c.qtReverse() == 120; }},
    {"QT reverse 180", RdbV1Format, Fm, [](Channel& c) { c.setQtReverse(180); }, 24, 0x02, 0x02, [](const Channel& c) { return c.qtReverse() == 180; }},
    {"decode tone", RdbV1Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, 16, 0xFF, 0x85, [](const Channel& c) { return c.ctcssDecodeText() == "088.5"; }},
    {"decode tone type CTCSS", RdbV1Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, 27, 0x03, 1, [](const Channel&) { return true; }},
    {"encode tone type DCS inverted", RdbV1Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D754I"); }, 27, 0x0C, 0x0C, [](const Channel& c) { return c.ctcssEncodeText() == "D754I"; }},
    {"encode tone type DCS normal", RdbV1Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D023N"); }, 27, 0x0C, 0x08, [](const Channel& c) { return c.ctcssEncodeText() == "D023N"; }},
    {"decode tone of a digital RDB channel", RdbV1Format, Dmr, [](Channel& c) { c.setColorCode(5); c.setCtcssDecodeFromText("88.5"); }, 16, 0x0F, 5,
     [](const Channel& c) { return c.ctcssDecode().isNone() && c.colorCode() == 5; }},
    // References.
    {"digital emergency system", RdbV1Format, Dmr, [](Channel& c) { c.setEmergencySystem(35); }, 21, 0xFF, 2, [](const Channel& c) { return c.emergencySystem() == 2; }},
    {"analog emergency system", RdbV1Format, Fm, [](Channel& c) { c.setEmergencySystem(3); }, 27, 0x70, 0x30, [](const Channel& c) { return c.emergencySystem() == 3; }},
    {"scan list", RdbV1Format, Fm, [](Channel& c) { c.setScanList(4); }, 12, 0xFF, 4, [](const Channel& c) { return c.scanList() == 4; }},
    {"no scan list", RdbV1Format, Fm, [](Channel& c) { c.setScanList(0); }, 13, 0xFF, 0xFF, [](const Channel& c) { return c.scanList() == 0; }},
    {"RX group list", RdbV1Format, Dmr, [](Channel& c) { c.setRxGroupList(5); }, 22, 0xFF, 5, [](const Channel& c) { return c.rxGroupList() == 5; }},
    {"contact", RdbV1Format, Dmr, [](Channel& c) { c.setTxContact(0x1234); }, 24, 0xFF, 0x34, [](const Channel& c) { return c.txContact() == 0x1234; }},
    {"contact 32-bit", RdbV2Format, Dmr, [](Channel& c) { c.setTxContact(0x01FBD0); }, 26, 0xFF, 0x01, [](const Channel& c) { return c.txContact() == 0x01FBD0; }},
    {"contact keeps analog RDB switches", RdbV1Format, Fm, [](Channel& c) { c.setTxContact(7); }, 24, 0xFF, 0x02, [](const Channel& c) { return c.qtReverse() == 180; }},

};

TEST(RdbChannelFields, LandAtTheirBytesAndBitsAndReadBack)
{
    for (const auto& c : FieldCases) {
        Channel channel = newChannel(c.format);
        channel.setMode(c.mode);
        c.set(channel);
        ASSERT_LT(c.byte, channel.familyRecord().size()) << c.field;
        EXPECT_EQ(channel.familyRecord()[c.byte] & c.mask, c.expected)
            << c.field << " in 0x" << std::hex << c.format << " byte " << std::dec << c.byte;
        EXPECT_TRUE(c.readsBack(channel)) << c.field << " in 0x" << std::hex << c.format;
    }
}

TEST(RdbChannelName, IsSixBitTextAfterTheRecord)
{
    Channel channel = newChannel(RdbV1Format);
    channel.setName("Rpt-1");
    EXPECT_EQ(channel.name(), "Rpt.1");
    ASSERT_EQ(channel.familyRecord().size(), 32u + 12u);
    EXPECT_EQ(SixBitText::decode(channel.familyRecord().data() + 32), "Rpt.1");
}

TEST(RdbChannelFrequencies, AreWholeHertz)
{
    Channel channel = newChannel(RdbV1Format);
    channel.setRxFrequency(146.52);
    channel.setTxFrequency(144.99999949);
    EXPECT_EQ(getU32Le(channel.familyRecord(), 4), 146520000u);
    EXPECT_EQ(getU32Le(channel.familyRecord(), 0), 144999999u);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 146.52);
    // 128.01 × 10^6 is 128009999.99999999 in binary floating point: truncating would lose a hertz.
    channel.setRxFrequency(128.01);
    EXPECT_EQ(getU32Le(channel.familyRecord(), 4), 128010000u);
    channel.setRxFrequency(430.1);
    EXPECT_EQ(getU32Le(channel.familyRecord(), 4), 430100000u);
}

TEST(RdbNewChannel, StartsZeroedWithTheDefaults)
{
    for (const FormatId format : {RdbV1Format, RdbV2Format}) {
        Channel channel = newChannel(format);
        EXPECT_EQ(channel.name(), "Untitled");
        EXPECT_EQ(channel.squelch(), Squelch::Normal);
        EXPECT_EQ(channel.admitCriterion(), 1);
        EXPECT_EQ(channel.admitText(), "Always");
        EXPECT_EQ(channel.qtReverse(), 180);
        EXPECT_EQ(getU16Le(channel.familyRecord(), 12), 0xFFFF);
        EXPECT_EQ(channel.familyRecord()[26], 1);
        EXPECT_EQ(channel.slotNumber(), 0);
    }
}

TEST(RdbChannelText, TotAbove37ShowsItsRealLength)
{
    Channel channel = newChannel(RdbV1Format);
    channel.familyRecord()[11] = 40;
    reload(channel);
    EXPECT_EQ(channel.tot(), 40);
    EXPECT_EQ(channel.totText(), "600");
}

TEST(RdbChannelText, AdmitReadsStoredValuesModuloTheChoicesOfTheMode)
{
    Channel digital = newChannel(RdbV1Format);
    digital.setMode(ChannelMode::Dmr);
    digital.familyRecord()[10] = static_cast<std::uint8_t>(4 << 3);
    reload(digital);
    EXPECT_EQ(digital.admitText(), "Channel Free");

    Channel analog = newChannel(RdbV1Format);
    analog.familyRecord()[10] = static_cast<std::uint8_t>(6 << 3);
    reload(analog);
    EXPECT_EQ(analog.admitText(), "Always");
}

TEST(RdbModeChange, ClearsTheBytesThatChangeMeaning)
{
    Channel channel = newChannel(RdbV1Format);
    channel.setCtcssDecodeFromText("D754I");
    channel.setAnalogOption(true);
    channel.setMode(ChannelMode::Dmr);
    EXPECT_EQ(channel.colorCode(), 0);
    EXPECT_EQ(channel.timeSlot(), 1);
    EXPECT_FALSE(channel.privateCallConfirmed());
    EXPECT_EQ(channel.txContact(), 0);

    channel.setColorCode(9);
    channel.setTxContact(300);
    channel.setMode(ChannelMode::Fm);
    EXPECT_TRUE(channel.ctcssDecode().isNone());
    EXPECT_EQ(channel.qtReverse(), 180);
    EXPECT_FALSE(channel.analogOption());
}

TEST(RdbModeChange, WideContactFormatRestoresItsAnalogBytes)
{
    Channel channel = newChannel(RdbV2Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setTxContact(0x0A0B0C0D);
    channel.setMode(ChannelMode::Fm);
    EXPECT_EQ(channel.familyRecord()[26], 1);
    EXPECT_EQ(channel.familyRecord()[27], 0);
    EXPECT_TRUE(channel.ctcssEncode().isNone());
}

TEST(RdbModeChange, SettingTheSameModeKeepsTheFields)
{
    Channel channel = newChannel(RdbV1Format);
    channel.setCtcssDecodeFromText("88.5");
    channel.setMode(ChannelMode::Fm);
    EXPECT_EQ(channel.ctcssDecodeText(), "088.5");
}

TEST(RdbChannelPrivacy, SwitchingOffClearsThePrivacyBit)
{
    Channel channel = newChannel(RdbV1Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setPrivacy(true);
    channel.setPrivacyType(PrivacyType::Enhanced);
    channel.setPrivacy(false);
    EXPECT_FALSE(channel.privacy());
    EXPECT_EQ(channel.familyRecord()[23] & 0x80, 0);
}

} // namespace
} // namespace pw
