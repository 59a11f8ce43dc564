// SPDX-License-Identifier: GPL-3.0-or-later
// The TYT channel record: where each setting lands in the 64-byte record of 0x1001, 0x1002 and
// 0x1003 channels, and what a record read from a file shows.

#include "codeplug/tyt/tyt_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <functional>

namespace pw {
namespace {

// Takes every value from the record again, as the decoder does after copying it in.
void reload(Channel& channel) { static_cast<const tyt::ChannelRecordFormat&>(channel.format()).load(channel); }

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
    {"mode DMR", Md380Format, Dmr, [](Channel&) {}, 0, 0x03, 0x02, [](const Channel& c) { return c.isDigital(); }},
    {"mode FM", Md380Format, Fm, [](Channel&) {}, 0, 0x03, 0x01, [](const Channel& c) { return !c.isDigital(); }},
    {"bandwidth 25", Md380Format, Fm, [](Channel& c) { c.setBandwidth(Bandwidth::Wide25k); }, 0, 0x0C, 0x08,
     [](const Channel& c) { return c.bandwidth() == Bandwidth::Wide25k; }},
    {"bandwidth 12.5", Md380Format, Fm, [](Channel& c) { c.setBandwidth(Bandwidth::Narrow12k5); }, 0, 0x0C, 0,
     [](const Channel& c) { return c.bandwidth() == Bandwidth::Narrow12k5; }},
    // Squelch.
    {"squelch TIGHT", Md380Format, Fm, [](Channel& c) { c.setSquelch(Squelch::Tight); }, 0, 0x20, 0,
     [](const Channel& c) { return c.squelch() == Squelch::Tight; }},
    // Switches.
    {"auto scan", Md380Format, Fm, [](Channel& c) { c.setAutoScan(true); }, 0, 0x10, 0x10, [](const Channel& c) { return c.autoScan(); }},
    {"lone worker", Md380Format, Fm, [](Channel& c) { c.setLoneWorker(true); }, 0, 0x80, 0x80, [](const Channel& c) { return c.loneWorker(); }},
    {"talkaround off", Md380Format, Fm, [](Channel& c) { c.setTalkaround(false); }, 1, 0x01, 0, [](const Channel& c) { return !c.talkaround(); }},
    {"RX only", Md380Format, Fm, [](Channel& c) { c.setRxOnly(true); }, 1, 0x02, 0x02, [](const Channel& c) { return c.rxOnly(); }},
    {"VOX", Md380Format, Fm, [](Channel& c) { c.setVox(true); }, 4, 0x10, 0x10, [](const Channel& c) { return c.vox(); }},
    // Digital fields.
    {"time slot 2", Md380Format, Dmr, [](Channel& c) { c.setTimeSlot(2); }, 1, 0x0C, 0x08, [](const Channel& c) { return c.timeSlot() == 2; }},
    {"time slot 3 becomes 1", Md380Format, Dmr, [](Channel& c) { c.setTimeSlot(3); }, 1, 0x0C, 0x04, [](const Channel& c) { return c.timeSlot() == 1; }},
    {"colour code 7", Md380Format, Dmr, [](Channel& c) { c.setColorCode(7); }, 1, 0xF0, 0x70, [](const Channel& c) { return c.colorCode() == 7; }},
    {"colour code 16 becomes 1", Md380Format, Dmr, [](Channel& c) { c.setColorCode(16); }, 1, 0xF0, 0x10, [](const Channel& c) { return c.colorCode() == 1; }},
    {"colour code on FM does nothing", Md380Format, Fm, [](Channel& c) { c.setColorCode(3); }, 1, 0xF0, 0xF0, [](const Channel& c) { return c.colorCode() == 15; }},
    {"private call confirmed", Md380Format, Dmr, [](Channel& c) { c.setPrivateCallConfirmed(true); }, 2, 0x40, 0x40, [](const Channel& c) { return c.privateCallConfirmed(); }},
    {"data call confirmed", Md380Format, Dmr, [](Channel& c) { c.setDataCallConfirmed(true); }, 2, 0x80, 0x80, [](const Channel& c) { return c.dataCallConfirmed(); }},
    {"emergency alarm ack", Md380Format, Dmr, [](Channel& c) { c.setEmergencyAlarmAck(true); }, 3, 0x08, 0x08, [](const Channel& c) { return c.emergencyAlarmAck(); }},
    {"privacy on", Md380Format, Dmr, [](Channel& c) { c.familyRecord()[2] |= 0x20; c.setPrivacy(true); }, 2, 0x30, 0x10, [](const Channel& c) { return c.privacy(); }},
    {"privacy code 5", Md380Format, Dmr, [](Channel& c) { c.setPrivacyCode(5); }, 2, 0x0F, 4, [](const Channel& c) { return c.privacyCode() == 5; }},
    // Reference frequencies, TOT, admit, power.
    {"RX reference High", Md380Format, Fm, [](Channel& c) { c.setRxRefFrequency(RefFrequency::High); }, 3, 0x03, 2, [](const Channel& c) { return c.rxRefFrequency() == RefFrequency::High; }},
    {"TX reference Medium", Md380Format, Fm, [](Channel& c) { c.setTxRefFrequency(RefFrequency::Medium); }, 4, 0x03, 1, [](const Channel& c) { return c.txRefFrequency() == RefFrequency::Medium; }},
    {"TOT 9", Md380Format, Fm, [](Channel& c) { c.setTot(9); }, 8, 0xFF, 9, [](const Channel& c) { return c.tot() == 9; }},
    {"TOT 38 stores 0", Md380Format, Fm, [](Channel& c) { c.setTot(38); }, 8, 0xFF, 0, [](const Channel& c) { return c.tot() == 0; }},
    {"TOT rekey delay", Md380Format, Fm, [](Channel& c) { c.setTotRekeyDelay(30); }, 9, 0xFF, 30, [](const Channel& c) { return c.totRekeyDelay() == 30; }},
    {"admit Color Code Free", Md380Format, Dmr, [](Channel& c) { c.setAdmitFromText("Color Code Free"); }, 4, 0xC0, 0xC0, [](const Channel& c) { return c.admitCriterion() == 3; }},
    {"power HIGH", Md380Format, Fm, [](Channel& c) { c.setPowerFromText("H"); }, 4, 0x20, 0x20, [](const Channel& c) { return c.isHighPower(); }},
    {"power MID is low on 0x1001", Md380Format, Fm, [](Channel& c) { c.setPowerFromText("MID"); }, 4, 0x20, 0, [](const Channel& c) { return !c.isHighPower(); }},
    {"power MID", Md2017Format, Fm, [](Channel& c) { c.setPowerFromText("mid"); }, 30, 0x03, 2, [](const Channel& c) { return c.power() == PowerLevel::Mid; }},
    {"power other text is high on 0x1003", Md9600Format, Fm, [](Channel& c) { c.setPowerFromText("x"); }, 30, 0x03, 3, [](const Channel& c) { return c.power() == PowerLevel::High; }},
    {"power LOW", Md9600Format, Fm, [](Channel& c) { c.setPowerFromText("Low"); }, 30, 0x03, 0, [](const Channel& c) { return !c.isHighPower(); }},
    // Analog fields.
    {"analog option", Md380Format, Fm, [](Channel& c) { c.setAnalogOption(true); }, 4, 0x04, 0x04, [](const Channel& c) { return c.analogOption(); }},
    {"analog option on DMR does nothing", Md380Format, Dmr, [](Channel& c) { c.setAnalogOption(false); }, 4, 0x04, 0x04, [](const Channel&) { return true; }},
    {"QT reverse 120", Md380Format, Fm, [](Channel& c) { c.setQtReverse(120); }, 4, 0x08, 0x08, [](const Channel& c) { return c.qtReverse() == 120; }},
    {"RX signaling", Md380Format, Fm, [](Channel& c) { c.setRxSignalingSystem(3); }, 28, 0xFF, 3, [](const Channel& c) { return c.rxSignalingSystem() == 3; }},
    {"TX signaling", Md380Format, Fm, [](Channel& c) { c.setTxSignalingSystem(4); }, 29, 0xFF, 4, [](const Channel& c) { return c.txSignalingSystem() == 4; }},
    {"TX signaling read modulo 5", Md380Format, Fm, [](Channel& c) { c.familyRecord()[29] = 7; reload(c); }, 29, 0xFF, 7, [](const Channel& c) { return c.txSignalingSystem() == 2; }},
    {"decode switches", Md380Format, Fm, [](Channel& c) { c.setDecodeSwitches(0xA5); }, 14, 0xFF, 0xA5, [](const Channel& c) { return c.decodeSwitches() == 0xA5; }},
    {"decode tone low byte", Md380Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, 24, 0xFF, 0x85, [](const Channel& c) { return c.ctcssDecode().value() == 0x0885; }},
    {"decode tone high byte", Md380Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, 25, 0xFF, 0x08, [](const Channel&) { return true; }},
    {"encode tone", Md380Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D754I"); }, 27, 0xFF, 0xC7, [](const Channel& c) { return c.ctcssEncodeText() == "D754I"; }},
    // References.
    {"emergency system", Md380Format, Dmr, [](Channel& c) { c.setEmergencySystem(3); }, 10, 0xFF, 3, [](const Channel& c) { return c.emergencySystem() == 3; }},
    {"emergency system 251 stores 0", Md380Format, Dmr, [](Channel& c) { c.setEmergencySystem(251); }, 10, 0xFF, 0, [](const Channel& c) { return c.emergencySystem() == 0; }},
    {"scan list", Md380Format, Fm, [](Channel& c) { c.setScanList(4); }, 11, 0xFF, 4, [](const Channel& c) { return c.scanList() == 4; }},
    {"RX group list", Md380Format, Dmr, [](Channel& c) { c.setRxGroupList(5); }, 12, 0xFF, 5, [](const Channel& c) { return c.rxGroupList() == 5; }},
    {"contact", Md380Format, Dmr, [](Channel& c) { c.setTxContact(0x1234); }, 7, 0xFF, 0x12, [](const Channel& c) { return c.txContact() == 0x1234; }},
    {"contact of an analog channel", Md380Format, Fm, [](Channel& c) { c.setTxContact(7); }, 6, 0xFF, 7, [](const Channel& c) { return c.txContact() == 0; }},
};

TEST(TytChannelFields, LandAtTheirBytesAndBitsAndReadBack)
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

TEST(TytChannelName, IsSixteenUtf16UnitsAt32)
{
    Channel channel = newChannel(Md380Format);
    channel.setName("Repeater-North-17");
    EXPECT_EQ(channel.name(), "Repeater-North-1");
    EXPECT_EQ(getUtf16Name(channel.familyRecord(), 32, 16), "Repeater-North-1");
}

TEST(TytChannelFrequencies, AreEightBcdDigitsOfTenHertz)
{
    Channel channel = newChannel(Md380Format);
    channel.setRxFrequency(146.52);
    channel.setTxFrequency(439.0125);
    EXPECT_EQ(getU32Le(channel.familyRecord(), 16), 0x14652000u);
    EXPECT_EQ(getU32Le(channel.familyRecord(), 20), 0x43901250u);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 146.52);
    EXPECT_DOUBLE_EQ(channel.txFrequency(), 439.0125);
    channel.setRxFrequency(430.1);
    EXPECT_EQ(getU32Le(channel.familyRecord(), 16), 0x43010000u);
}

TEST(TytChannelFrequencies, NibbleAboveNineReadsAsZero)
{
    Channel channel = newChannel(Md380Format);
    setU32Le(channel.familyRecord(), 16, 0x1F6520A0u);
    reload(channel);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 106.52);
}

TEST(TytChannelFrequencies, KeepFrequenciesBelow100MhzAndClampAboveTheDigits)
{
    Channel channel = newChannel(Md380Format);
    channel.setRxFrequency(50.5);
    EXPECT_EQ(getU32Le(channel.familyRecord(), 16), 0x05050000u);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 50.5);
    channel.setRxFrequency(1200.0);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 999.99999);
    channel.setRxFrequency(-3.0);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 0.0);
}

TEST(TytNewChannel, StartsWithTheDefaultsOverTheFill)
{
    Channel channel = newChannel(Md380Format);
    EXPECT_EQ(channel.name(), "Untitled");
    EXPECT_FALSE(channel.isDigital());
    EXPECT_EQ(channel.squelch(), Squelch::Normal);
    EXPECT_TRUE(channel.ctcssDecode().isNone());
    EXPECT_TRUE(channel.ctcssEncode().isNone());
    EXPECT_FALSE(channel.privacy());
    EXPECT_EQ(channel.powerText(), "HIGH");
    EXPECT_EQ(channel.bandwidth(), Bandwidth::Wide25k);
    EXPECT_EQ(channel.rxRefFrequency(), RefFrequency::Low);
    EXPECT_EQ(channel.txRefFrequency(), RefFrequency::Low);
    EXPECT_EQ(channel.rxSignalingSystem(), 0);
    EXPECT_EQ(channel.txSignalingSystem(), 0);
    EXPECT_TRUE(channel.talkaround());
    EXPECT_EQ(channel.totRekeyDelay(), 0);
    EXPECT_EQ(channel.totText(), "120");
    EXPECT_EQ(channel.admitText(), "Always");
    EXPECT_FALSE(channel.autoScan());
    EXPECT_FALSE(channel.rxOnly());
    EXPECT_FALSE(channel.vox());
    EXPECT_FALSE(channel.loneWorker());
    EXPECT_EQ(channel.qtReverse(), 180);
    EXPECT_EQ(channel.emergencySystem(), 0);
    EXPECT_EQ(channel.rxGroupList(), 0);
    EXPECT_EQ(channel.scanList(), 0);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 146.0);
    EXPECT_DOUBLE_EQ(channel.txFrequency(), 146.0);
    ASSERT_EQ(channel.familyRecord().size(), 64u);
    // Digital-only setters did nothing, so colour code and confirmations keep the fill.
    EXPECT_EQ(channel.familyRecord()[1] & 0xF0, 0xF0);
    EXPECT_EQ(channel.familyRecord()[2] & 0xC0, 0xC0);
    EXPECT_EQ(getUtf16Name(channel.familyRecord(), 32, 16), "Untitled");
    for (std::size_t i = 48; i < 64; ++i)
        ASSERT_EQ(channel.familyRecord()[i], 0) << i;
}

TEST(TytNewChannel, LargeFormatsCarryTheirMarks)
{
    for (const FormatId format : {Md2017Format, Md9600Format}) {
        Channel channel = newChannel(format, 446.0);
        EXPECT_EQ(channel.familyRecord()[31], 255);
        EXPECT_EQ(channel.familyRecord()[5], 0x10);
        EXPECT_EQ(channel.powerText(), "HIGH");
        EXPECT_DOUBLE_EQ(channel.txFrequency(), 446.0);
    }
    EXPECT_EQ(newChannel(Md380Format).familyRecord()[5], 0xFF);
}

TEST(TytChannelText, TotOf600SecondsIsStoredAsZero)
{
    Channel channel = newChannel(Md380Format);
    channel.setTotFromText("600");
    EXPECT_EQ(channel.tot(), 0);
    EXPECT_EQ(channel.familyRecord()[8], 0);
}

TEST(TytChannelPrivacy, BasicIsMarkedWithThePrivacyBit)
{
    Channel channel = newChannel(Md380Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setPrivacyType(PrivacyType::Basic);
    EXPECT_TRUE(channel.privacy());
    EXPECT_EQ(channel.privacyTypeText(), "BASIC");
    channel.setPrivacyTypeFromText("NONE");
    EXPECT_FALSE(channel.privacy());
    EXPECT_EQ(channel.privacyTypeText(), "NONE");
    EXPECT_EQ(channel.familyRecord()[2] & 0x30, 0);
    channel.setPrivacyType(PrivacyType::Enhanced);
    EXPECT_FALSE(channel.privacy()) << "the TYT record has no Enhanced mark";
}

} // namespace
} // namespace pw
