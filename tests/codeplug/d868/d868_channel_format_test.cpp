// SPDX-License-Identifier: GPL-3.0-or-later
// The D868 channel record: where each setting lands in the 214-byte record, what a record read
// from a file shows, and the settings the file does not keep.

#include "codeplug/d868/d868_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <functional>

namespace pw {
namespace {

// Takes every value the record keeps again, as the decoder does after copying it in.
void reload(Channel& channel) { d868::ChannelRecordFormat::load(channel); }

// One field set on a channel of one mode: the bits it lands in and what reads back.
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
    {"mode DMR", D868Format, Dmr, [](Channel&) {}, 22, 0xFF, 1, [](const Channel& c) { return c.isDigital(); }},
    {"mode DMR clears word 78", D868Format, Dmr, [](Channel& c) { c.familyRecord()[78] = 7; c.setMode(ChannelMode::Dmr); },
     78, 0xFF, 0, [](const Channel&) { return true; }},
    {"bandwidth 25", D868Format, Fm, [](Channel& c) { c.setBandwidth(Bandwidth::Wide25k); }, 26, 0xFF, 1,
     [](const Channel& c) { return c.bandwidth() == Bandwidth::Wide25k; }},
    // Switches.
    {"lone worker", D868Format, Fm, [](Channel& c) { c.setLoneWorker(true); }, 86, 0xFF, 1, [](const Channel& c) { return c.loneWorker(); }},
    {"talkaround", D868Format, Fm, [](Channel& c) { c.setTalkaround(true); }, 34, 0xFF, 1, [](const Channel& c) { return c.talkaround(); }},
    {"RX only", D868Format, Fm, [](Channel& c) { c.setRxOnly(true); }, 30, 0xFF, 1, [](const Channel& c) { return c.rxOnly(); }},
    // Digital fields.
    {"time slot 2", D868Format, Dmr, [](Channel& c) { c.setTimeSlot(2); }, 76, 0x01, 0x01, [](const Channel& c) { return c.timeSlot() == 2; }},
    {"colour code 7", D868Format, Dmr, [](Channel& c) { c.setColorCode(7); }, 74, 0xFF, 7, [](const Channel& c) { return c.colorCode() == 7; }},
    {"privacy on", D868Format, Dmr, [](Channel& c) { c.setPrivacy(true); }, 84, 0xFF, 1, [](const Channel& c) { return c.privacy(); }},
    {"privacy Enhanced", D868Format, Dmr, [](Channel& c) { c.setPrivacyType(PrivacyType::Enhanced); }, 90, 0xFF, 1, [](const Channel& c) { return c.privacyType() == PrivacyType::Enhanced; }},
    {"privacy code 1 keeps privacy on", D868Format, Dmr, [](Channel& c) { c.setPrivacy(true); c.setPrivacyCode(1); }, 84, 0xFF, 1,
     [](const Channel& c) { return c.privacy() && c.privacyCode() == 1; }},
    {"privacy code 9", D868Format, Dmr, [](Channel& c) { c.setPrivacy(true); c.setPrivacyCode(9); }, 84, 0xFF, 9,
     [](const Channel& c) { return c.privacy() && c.privacyCode() == 9; }},
    // Reference frequencies, TOT, admit, power.
    {"admit Diff Color Code", D868Format, Dmr, [](Channel& c) { c.setAdmitFromText("Diff Color Code"); }, 58, 0x03, 2, [](const Channel& c) { return c.admitCriterion() == 2; }},
    {"power MID", D868Format, Fm, [](Channel& c) { c.setPowerFromText("M"); }, 24, 0xFF, 1, [](const Channel& c) { return c.power() == PowerLevel::Mid; }},
    {"power HIGH", D868Format, Fm, [](Channel& c) { c.setPowerFromText("H"); }, 24, 0xFF, 2, [](const Channel& c) { return c.power() == PowerLevel::High; }},
    // Analog fields.
    {"decode tone index", D868Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, 38, 0xFF, 9, [](const Channel& c) { return c.ctcssDecodeText() == "088.5"; }},
    {"decode tone type", D868Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, 36, 0xFF, 1, [](const Channel&) { return true; }},
    {"decode set word", D868Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, 60, 0xFF, 1, [](const Channel&) { return true; }},
    {"encode DCS word", D868Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D754I"); }, 46, 0xFF, 0xEC, [](const Channel& c) { return c.ctcssEncodeText() == "D754I"; }},
    {"encode DCS type", D868Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D754I"); }, 42, 0xFF, 2, [](const Channel&) { return true; }},
    // References.
    {"scan list", D868Format, Fm, [](Channel& c) { c.setScanList(4); }, 62, 0xFF, 3, [](const Channel& c) { return c.scanList() == 4; }},
    {"no scan list", D868Format, Fm, [](Channel& c) { c.setScanList(0); }, 62, 0xFF, 255, [](const Channel& c) { return c.scanList() == 0; }},
    {"RX group list modulo 251", D868Format, Dmr, [](Channel& c) { c.setRxGroupList(253); }, 64, 0xFF, 2, [](const Channel& c) { return c.rxGroupList() == 2; }},
    {"contact 0-based", D868Format, Dmr, [](Channel& c) { c.setTxContact(7); }, 50, 0xFF, 6, [](const Channel& c) { return c.txContact() == 7; }},
    // The references and digital values of a typical digital channel.
    {"talkaround off", D868Format, Fm, [](Channel& c) { c.setTalkaround(false); }, 34, 0xFF, 0, [](const Channel& c) { return !c.talkaround(); }},
    {"colour code 9", D868Format, Dmr, [](Channel& c) { c.setColorCode(9); }, 74, 0xFF, 9, [](const Channel& c) { return c.colorCode() == 9; }},
    {"RX group list", D868Format, Dmr, [](Channel& c) { c.setRxGroupList(4); }, 64, 0xFF, 4, [](const Channel& c) { return c.rxGroupList() == 4; }},
    {"contact 12", D868Format, Dmr, [](Channel& c) { c.setTxContact(12); }, 50, 0xFF, 11, [](const Channel& c) { return c.txContact() == 12; }},
    {"scan list 3", D868Format, Dmr, [](Channel& c) { c.setScanList(3); }, 62, 0xFF, 2, [](const Channel& c) { return c.scanList() == 3; }},
};

TEST(D868ChannelFields, LandAtTheirBytesAndBitsAndReadBack)
{
    for (const auto& c : FieldCases) {
        Channel channel = newChannel(c.format);
        channel.setMode(c.mode);
        c.set(channel);
        ASSERT_LT(c.byte, channel.familyRecord().size()) << c.field;
        EXPECT_EQ(channel.familyRecord()[c.byte] & c.mask, c.expected) << c.field << " byte " << c.byte;
        EXPECT_TRUE(c.readsBack(channel)) << c.field;
    }
}

// A setting the file does not keep: what the channel shows once it is set.
struct UnkeptCase {
    const char* field;
    ChannelMode mode;
    std::function<void(Channel&)> set;
    std::function<bool(const Channel&)> readsBack;
};

const UnkeptCase UnkeptCases[] = {
    {"squelch", Fm, [](Channel& c) { c.setSquelch(Squelch::Tight); },
     [](const Channel& c) { return c.squelch() == Squelch::Normal; }},
    {"VOX", Fm, [](Channel& c) { c.setVox(true); },
     [](const Channel& c) { return !c.vox(); }},
    {"emergency alarm ack", Dmr, [](Channel& c) { c.setEmergencyAlarmAck(true); },
     [](const Channel& c) { return c.emergencyAlarmAck(); }},
    {"RX reference", Fm, [](Channel& c) { c.setRxRefFrequency(RefFrequency::Medium); },
     [](const Channel& c) { return c.rxRefFrequency() == RefFrequency::Medium; }},
    {"TOT", Fm, [](Channel& c) { c.setTot(9); },
     [](const Channel& c) { return c.tot() == 0; }},
    {"TOT rekey delay", Fm, [](Channel& c) { c.setTotRekeyDelay(30); },
     [](const Channel& c) { return c.totRekeyDelay() == 30; }},
};

TEST(D868ChannelFields, SettingsTheFileDoesNotKeepLeaveTheRecordAlone)
{
    for (const auto& c : UnkeptCases) {
        Channel channel = newChannel(D868Format);
        channel.setMode(c.mode);
        const auto before = channel.familyRecord();
        c.set(channel);
        EXPECT_EQ(channel.familyRecord(), before) << c.field;
        EXPECT_TRUE(c.readsBack(channel)) << c.field;
    }
}

TEST(D868ChannelName, IsSixteenCharactersAt92)
{
    Channel channel = newChannel(D868Format);
    channel.setName("Simplex 2");
    EXPECT_EQ(channel.name(), "Simplex 2");
    channel.setName("Repeater-North-17");
    EXPECT_EQ(channel.name(), "Repeater-North-1");
    EXPECT_EQ(getCString(channel.familyRecord(), 92, 16), "Repeater-North-1");
}

struct OffsetCase {
    double rx;
    double tx;
    int direction;
    double offset;
};

TEST(D868ChannelFrequencies, TransmitFrequencyIsKeptAsAnOffset)
{
    const OffsetCase cases[] = {
        {146.0, 146.6, 1, 0.6}, {146.0, 145.4, 2, 0.6}, {146.0, 146.005, 0, 0.0}, {146.0, 145.991, 0, 0.0},
        {439.0, 434.0, 2, 5.0}, {146.0, 146.0, 0, 0.0},
    };
    for (const auto& c : cases) {
        Channel channel = newChannel(D868Format);
        channel.setRxFrequency(c.rx);
        channel.setTxFrequency(c.tx);
        EXPECT_DOUBLE_EQ(getF64Le(channel.familyRecord(), 4), c.rx) << c.tx;
        EXPECT_EQ(getU16Le(channel.familyRecord(), 12), c.direction) << c.tx;
        EXPECT_DOUBLE_EQ(getF64Le(channel.familyRecord(), 14), c.offset) << c.tx;
        if (c.direction != 0)
            EXPECT_NEAR(channel.txFrequency(), c.tx, 1e-9);
        else
            EXPECT_DOUBLE_EQ(channel.txFrequency(), c.rx);
    }
}

TEST(D868NewChannel, BlockIsResetAfterTheDefaults)
{
    Channel channel = newChannel(D868Format, 433.5);
    EXPECT_EQ(channel.name(), "New Channel");
    const auto& block = channel.familyRecord();
    ASSERT_EQ(block.size(), 214u);
    EXPECT_EQ(getU16Le(block, 0), 1);
    EXPECT_EQ(getU16Le(block, 2), 1);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 433.5);
    EXPECT_EQ(getU16Le(block, 12), 0);
    EXPECT_DOUBLE_EQ(getF64Le(block, 14), 0.6);
    EXPECT_DOUBLE_EQ(channel.txFrequency(), 433.5);
    EXPECT_EQ(channel.bandwidth(), Bandwidth::Wide25k);
    EXPECT_EQ(channel.scanList(), 0);
    EXPECT_EQ(getU32Le(block, 108), 0xFFFFFFFFu);
    EXPECT_EQ(getU16Le(block, 112), 0xFFFF);
    EXPECT_EQ(channel.powerText(), "LOW");
    for (std::size_t i = 114; i < block.size(); ++i)
        ASSERT_EQ(block[i], 0) << i;
}

TEST(D868ChannelContact, ContactNoneOfADigitalChannelReadsContactOne)
{
    Channel channel = newChannel(D868Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setTxContactByName("NONE", [](std::string_view) { return 5; });
    EXPECT_EQ(channel.txContact(), 1);
    EXPECT_EQ(channel.contactNameCache(), "NONE");
    EXPECT_EQ(getU32Le(channel.familyRecord(), 50), 0u);
}

TEST(D868ChannelContact, DamagedContactWordStaysAPositiveReference)
{
    Channel channel = newChannel(D868Format);
    channel.setMode(ChannelMode::Dmr);
    setU32Le(channel.familyRecord(), 50, 0xFFFFFFFFu);
    reload(channel);
    EXPECT_EQ(channel.txContact(), 0x7FFFFFFF);
}

TEST(D868ChannelText, PowerWordThreeReadsHigh)
{
    Channel channel = newChannel(D868Format);
    setU16Le(channel.familyRecord(), 24, 3);
    reload(channel);
    EXPECT_EQ(channel.powerText(), "HIGH");
    EXPECT_TRUE(channel.isHighPower());
}

TEST(D868ChannelText, AdmitBitsThreeReadAsAlways)
{
    Channel channel = newChannel(D868Format);
    channel.familyRecord()[58] = 3;
    reload(channel);
    EXPECT_EQ(channel.admitText(), "Always");
}

TEST(D868ChannelPrivacy, SwitchingOffClearsTheKeyAndTheType)
{
    Channel channel = newChannel(D868Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setPrivacy(true);
    channel.setPrivacyType(PrivacyType::Enhanced);
    channel.setPrivacy(false);
    EXPECT_FALSE(channel.privacy());
    EXPECT_EQ(getU16Le(channel.familyRecord(), 84), 0);
    EXPECT_EQ(getU16Le(channel.familyRecord(), 90), 0);
}

} // namespace
} // namespace pw
