#include "model/channel.h"
#include "codeplug/record_factory.h"

#include "codeplug/byte_field.h"
#include "codeplug/rdb/six_bit_text.h"

#include <gtest/gtest.h>

#include <functional>

namespace pw {
namespace {

enum class Block { Tyt, Rdb, D868 };

std::uint8_t byteOf(const Channel& c, Block block, std::size_t offset)
{
    switch (block) {
    case Block::Tyt: return c.tytChannelRecord().at(offset);
    case Block::Rdb: return c.rdbChannelRecord().at(offset);
    default: return c.d868ChannelFields().at(offset);
    }
}

Channel makeChannel(FormatId format, ChannelMode mode)
{
    Channel c = newChannel(format);
    c.setMode(mode);
    return c;
}

// One field set on a channel of one format and mode: the bits it lands in and what reads back.
struct FieldCase {
    const char* field;
    FormatId format;
    ChannelMode mode;
    std::function<void(Channel&)> set;
    Block block;
    std::size_t byte;
    std::uint8_t mask;
    std::uint8_t expected;
    std::function<bool(const Channel&)> readsBack;
};

constexpr auto Dmr = ChannelMode::Dmr;
constexpr auto Fm = ChannelMode::Fm;

const FieldCase FieldCases[] = {
    // Mode and bandwidth.
    {"mode DMR", Md380Format, Dmr, [](Channel&) {}, Block::Tyt, 0, 0x03, 0x02, [](const Channel& c) { return c.isDigital(); }},
    {"mode FM", Md380Format, Fm, [](Channel&) {}, Block::Tyt, 0, 0x03, 0x01, [](const Channel& c) { return !c.isDigital(); }},
    {"mode DMR", RdbV1Format, Dmr, [](Channel&) {}, Block::Rdb, 8, 0x03, 0x02, [](const Channel& c) { return c.isDigital(); }},
    {"mode FM", RdbV1Format, Fm, [](Channel&) {}, Block::Rdb, 8, 0x01, 0x01, [](const Channel& c) { return !c.isDigital(); }},
    {"mode DMR", D868Format, Dmr, [](Channel&) {}, Block::D868, 22, 0xFF, 1, [](const Channel& c) { return c.isDigital(); }},
    {"mode DMR clears word 78", D868Format, Dmr, [](Channel& c) { c.d868ChannelFields()[78] = 7; c.setMode(ChannelMode::Dmr); },
     Block::D868, 78, 0xFF, 0, [](const Channel&) { return true; }},
    {"bandwidth 25", Md380Format, Fm, [](Channel& c) { c.setBandwidth(Bandwidth::Wide25k); }, Block::Tyt, 0, 0x0C, 0x08,
     [](const Channel& c) { return c.bandwidth() == Bandwidth::Wide25k; }},
    {"bandwidth 12.5", Md380Format, Fm, [](Channel& c) { c.setBandwidth(Bandwidth::Narrow12k5); }, Block::Tyt, 0, 0x0C, 0,
     [](const Channel& c) { return c.bandwidth() == Bandwidth::Narrow12k5; }},
    {"bandwidth 25", RdbV1Format, Fm, [](Channel& c) { c.setBandwidth(Bandwidth::Wide25k); }, Block::Rdb, 8, 0x02, 0,
     [](const Channel& c) { return c.bandwidth() == Bandwidth::Wide25k; }},
    {"bandwidth of a DMR channel", RdbV1Format, Dmr, [](Channel& c) { c.setBandwidth(Bandwidth::Wide25k); }, Block::Rdb, 8,
     0x02, 0, [](const Channel& c) { return c.bandwidth() == Bandwidth::Narrow12k5; }},
    {"bandwidth 25", D868Format, Fm, [](Channel& c) { c.setBandwidth(Bandwidth::Wide25k); }, Block::D868, 26, 0xFF, 1,
     [](const Channel& c) { return c.bandwidth() == Bandwidth::Wide25k; }},
    // Squelch.
    {"squelch TIGHT", Md380Format, Fm, [](Channel& c) { c.setSquelch(Squelch::Tight); }, Block::Tyt, 0, 0x20, 0,
     [](const Channel& c) { return c.squelch() == Squelch::Tight; }},
    {"squelch NORMAL", RdbV1Format, Fm, [](Channel& c) { c.setSquelch(Squelch::Normal); }, Block::Rdb, 9, 0x40, 0x40,
     [](const Channel& c) { return c.squelch() == Squelch::Normal; }},
    {"squelch TIGHT", RdbV1Format, Fm, [](Channel& c) { c.setSquelch(Squelch::Tight); }, Block::Rdb, 9, 0x40, 0,
     [](const Channel& c) { return c.squelch() == Squelch::Tight; }},
    {"squelch of D868", D868Format, Fm, [](Channel& c) { c.setSquelch(Squelch::Tight); }, Block::Rdb, 9, 0x40, 0,
     [](const Channel& c) { return c.squelch() == Squelch::Normal; }},
    // Switches.
    {"auto scan", Md380Format, Fm, [](Channel& c) { c.setAutoScan(true); }, Block::Tyt, 0, 0x10, 0x10, [](const Channel& c) { return c.autoScan(); }},
    {"auto scan", RdbV11Format, Fm, [](Channel& c) { c.setAutoScan(true); }, Block::Rdb, 9, 0x01, 0x01, [](const Channel& c) { return c.autoScan(); }},
    {"lone worker", Md380Format, Fm, [](Channel& c) { c.setLoneWorker(true); }, Block::Tyt, 0, 0x80, 0x80, [](const Channel& c) { return c.loneWorker(); }},
    {"lone worker", RdbV1Format, Fm, [](Channel& c) { c.setLoneWorker(true); }, Block::Rdb, 9, 0x04, 0x04, [](const Channel& c) { return c.loneWorker(); }},
    {"lone worker", D868Format, Fm, [](Channel& c) { c.setLoneWorker(true); }, Block::D868, 86, 0xFF, 1, [](const Channel& c) { return c.loneWorker(); }},
    {"talkaround off", Md380Format, Fm, [](Channel& c) { c.setTalkaround(false); }, Block::Tyt, 1, 0x01, 0, [](const Channel& c) { return !c.talkaround(); }},
    {"talkaround", RdbV1Format, Fm, [](Channel& c) { c.setTalkaround(true); }, Block::Rdb, 9, 0x10, 0x10, [](const Channel& c) { return c.talkaround(); }},
    {"talkaround", D868Format, Fm, [](Channel& c) { c.setTalkaround(true); }, Block::D868, 34, 0xFF, 1, [](const Channel& c) { return c.talkaround(); }},
    {"RX only", Md380Format, Fm, [](Channel& c) { c.setRxOnly(true); }, Block::Tyt, 1, 0x02, 0x02, [](const Channel& c) { return c.rxOnly(); }},
    {"RX only", RdbV1Format, Fm, [](Channel& c) { c.setRxOnly(true); }, Block::Rdb, 9, 0x02, 0x02, [](const Channel& c) { return c.rxOnly(); }},
    {"RX only", D868Format, Fm, [](Channel& c) { c.setRxOnly(true); }, Block::D868, 30, 0xFF, 1, [](const Channel& c) { return c.rxOnly(); }},
    {"VOX", Md380Format, Fm, [](Channel& c) { c.setVox(true); }, Block::Tyt, 4, 0x10, 0x10, [](const Channel& c) { return c.vox(); }},
    {"VOX", RdbV1Format, Fm, [](Channel& c) { c.setVox(true); }, Block::Rdb, 9, 0x08, 0x08, [](const Channel& c) { return c.vox(); }},
    {"VOX of D868", D868Format, Fm, [](Channel& c) { c.setVox(true); }, Block::Rdb, 9, 0x08, 0x08, [](const Channel& c) { return !c.vox(); }},
    // Digital fields.
    {"time slot 2", Md380Format, Dmr, [](Channel& c) { c.setTimeSlot(2); }, Block::Tyt, 1, 0x0C, 0x08, [](const Channel& c) { return c.timeSlot() == 2; }},
    {"time slot 2", RdbV1Format, Dmr, [](Channel& c) { c.setTimeSlot(2); }, Block::Rdb, 16, 0x10, 0x10, [](const Channel& c) { return c.timeSlot() == 2; }},
    {"time slot 2", D868Format, Dmr, [](Channel& c) { c.setTimeSlot(2); }, Block::D868, 76, 0x01, 0x01, [](const Channel& c) { return c.timeSlot() == 2; }},
    {"time slot 3 becomes 1", Md380Format, Dmr, [](Channel& c) { c.setTimeSlot(3); }, Block::Tyt, 1, 0x0C, 0x04, [](const Channel& c) { return c.timeSlot() == 1; }},
    {"colour code 7", Md380Format, Dmr, [](Channel& c) { c.setColorCode(7); }, Block::Tyt, 1, 0xF0, 0x70, [](const Channel& c) { return c.colorCode() == 7; }},
    {"colour code 7", RdbV1Format, Dmr, [](Channel& c) { c.setColorCode(7); }, Block::Rdb, 16, 0x0F, 0x07, [](const Channel& c) { return c.colorCode() == 7; }},
    {"colour code 7", D868Format, Dmr, [](Channel& c) { c.setColorCode(7); }, Block::D868, 74, 0xFF, 7, [](const Channel& c) { return c.colorCode() == 7; }},
    {"colour code 16 becomes 1", Md380Format, Dmr, [](Channel& c) { c.setColorCode(16); }, Block::Tyt, 1, 0xF0, 0x10, [](const Channel& c) { return c.colorCode() == 1; }},
    {"colour code on FM does nothing", Md380Format, Fm, [](Channel& c) { c.setColorCode(3); }, Block::Tyt, 1, 0xF0, 0xF0, [](const Channel& c) { return c.colorCode() == 15; }},
    {"private call confirmed", Md380Format, Dmr, [](Channel& c) { c.setPrivateCallConfirmed(true); }, Block::Tyt, 2, 0x40, 0x40, [](const Channel& c) { return c.privateCallConfirmed(); }},
    {"private call confirmed", RdbV1Format, Dmr, [](Channel& c) { c.setPrivateCallConfirmed(true); }, Block::Rdb, 16, 0x20, 0x20, [](const Channel& c) { return c.privateCallConfirmed(); }},
    {"data call confirmed", Md380Format, Dmr, [](Channel& c) { c.setDataCallConfirmed(true); }, Block::Tyt, 2, 0x80, 0x80, [](const Channel& c) { return c.dataCallConfirmed(); }},
    {"data call confirmed", RdbV1Format, Dmr, [](Channel& c) { c.setDataCallConfirmed(true); }, Block::Rdb, 16, 0x80, 0x80, [](const Channel& c) { return c.dataCallConfirmed(); }},
    {"emergency alarm ack", Md380Format, Dmr, [](Channel& c) { c.setEmergencyAlarmAck(true); }, Block::Tyt, 3, 0x08, 0x08, [](const Channel& c) { return c.emergencyAlarmAck(); }},
    {"emergency alarm ack", RdbV1Format, Dmr, [](Channel& c) { c.setEmergencyAlarmAck(true); }, Block::Rdb, 10, 0x02, 0x02, [](const Channel& c) { return c.emergencyAlarmAck(); }},
    {"emergency alarm ack of D868", D868Format, Dmr, [](Channel& c) { c.setEmergencyAlarmAck(true); }, Block::Rdb, 10, 0x02, 0x02, [](const Channel& c) { return c.emergencyAlarmAck(); }},
    {"privacy on", Md380Format, Dmr, [](Channel& c) { c.tytChannelRecord()[2] |= 0x20; c.setPrivacy(true); }, Block::Tyt, 2, 0x30, 0x10, [](const Channel& c) { return c.privacy(); }},
    {"privacy on", RdbV1Format, Dmr, [](Channel& c) { c.setPrivacy(true); }, Block::Rdb, 23, 0x80, 0x80, [](const Channel& c) { return c.privacy(); }},
    {"privacy on", D868Format, Dmr, [](Channel& c) { c.setPrivacy(true); }, Block::D868, 84, 0xFF, 1, [](const Channel& c) { return c.privacy(); }},
    {"privacy Enhanced", RdbV1Format, Dmr, [](Channel& c) { c.setPrivacyType(PrivacyType::Enhanced); }, Block::Rdb, 23, 0x40, 0x40, [](const Channel& c) { return c.privacyType() == PrivacyType::Enhanced; }},
    {"privacy Enhanced", D868Format, Dmr, [](Channel& c) { c.setPrivacyType(PrivacyType::Enhanced); }, Block::D868, 90, 0xFF, 1, [](const Channel& c) { return c.privacyType() == PrivacyType::Enhanced; }},
    {"privacy code 5", Md380Format, Dmr, [](Channel& c) { c.setPrivacyCode(5); }, Block::Tyt, 2, 0x0F, 4, [](const Channel& c) { return c.privacyCode() == 5; }},
    {"privacy code 5", RdbV1Format, Dmr, [](Channel& c) { c.setPrivacyCode(5); }, Block::Rdb, 23, 0x0F, 4, [](const Channel& c) { return c.privacyCode() == 5; }},
    {"privacy code 1 keeps D868 privacy on", D868Format, Dmr, [](Channel& c) { c.setPrivacy(true); c.setPrivacyCode(1); }, Block::D868, 84, 0xFF, 1,
     [](const Channel& c) { return c.privacy() && c.privacyCode() == 1; }},
    {"privacy code 9 on D868", D868Format, Dmr, [](Channel& c) { c.setPrivacy(true); c.setPrivacyCode(9); }, Block::D868, 84, 0xFF, 9,
     [](const Channel& c) { return c.privacy() && c.privacyCode() == 9; }},
    // Reference frequencies, TOT, admit, power.
    {"RX reference High", Md380Format, Fm, [](Channel& c) { c.setRxRefFrequency(RefFrequency::High); }, Block::Tyt, 3, 0x03, 2, [](const Channel& c) { return c.rxRefFrequency() == RefFrequency::High; }},
    {"RX reference High", RdbV1Format, Fm, [](Channel& c) { c.setRxRefFrequency(RefFrequency::High); }, Block::Rdb, 8, 0x0C, 0x08, [](const Channel& c) { return c.rxRefFrequency() == RefFrequency::High; }},
    {"RX reference of D868", D868Format, Fm, [](Channel& c) { c.setRxRefFrequency(RefFrequency::Medium); }, Block::Rdb, 8, 0x0C, 0x04, [](const Channel& c) { return c.rxRefFrequency() == RefFrequency::Medium; }},
    {"TX reference Medium", Md380Format, Fm, [](Channel& c) { c.setTxRefFrequency(RefFrequency::Medium); }, Block::Tyt, 4, 0x03, 1, [](const Channel& c) { return c.txRefFrequency() == RefFrequency::Medium; }},
    {"TX reference Medium", RdbV1Format, Fm, [](Channel& c) { c.setTxRefFrequency(RefFrequency::Medium); }, Block::Rdb, 8, 0x30, 0x10, [](const Channel& c) { return c.txRefFrequency() == RefFrequency::Medium; }},
    {"TOT 9", Md380Format, Fm, [](Channel& c) { c.setTot(9); }, Block::Tyt, 8, 0xFF, 9, [](const Channel& c) { return c.tot() == 9; }},
    {"TOT 37", RdbV1Format, Fm, [](Channel& c) { c.setTot(37); }, Block::Rdb, 11, 0x3F, 37, [](const Channel& c) { return c.tot() == 37; }},
    {"TOT 38 stores 0", Md380Format, Fm, [](Channel& c) { c.setTot(38); }, Block::Tyt, 8, 0xFF, 0, [](const Channel& c) { return c.tot() == 0; }},
    {"TOT of D868", D868Format, Fm, [](Channel& c) { c.setTot(9); }, Block::Rdb, 11, 0x3F, 9, [](const Channel& c) { return c.tot() == 0; }},
    {"TOT rekey delay", Md380Format, Fm, [](Channel& c) { c.setTotRekeyDelay(30); }, Block::Tyt, 9, 0xFF, 30, [](const Channel& c) { return c.totRekeyDelay() == 30; }},
    {"TOT rekey delay", RdbV1Format, Fm, [](Channel& c) { c.setTotRekeyDelay(30); }, Block::Rdb, 14, 0xFF, 30, [](const Channel& c) { return c.totRekeyDelay() == 30; }},
    {"TOT rekey delay of D868", D868Format, Fm, [](Channel& c) { c.setTotRekeyDelay(30); }, Block::Rdb, 14, 0xFF, 30, [](const Channel& c) { return c.totRekeyDelay() == 30; }},
    {"admit Color Code Free", Md380Format, Dmr, [](Channel& c) { c.setAdmitFromText("Color Code Free"); }, Block::Tyt, 4, 0xC0, 0xC0, [](const Channel& c) { return c.admitCriterion() == 3; }},
    {"admit Color Code Free", RdbV1Format, Dmr, [](Channel& c) { c.setAdmitFromText("COLOR_CODE"); }, Block::Rdb, 10, 0x38, 0x10, [](const Channel& c) { return c.admitCriterion() == 2; }},
    {"admit Audio", RdbV1Format, Fm, [](Channel& c) { c.setAdmitFromText("audio"); }, Block::Rdb, 10, 0x38, 0x20, [](const Channel& c) { return c.admitCriterion() == 4; }},
    {"admit Diff Color Code", D868Format, Dmr, [](Channel& c) { c.setAdmitFromText("Diff Color Code"); }, Block::D868, 58, 0x03, 2, [](const Channel& c) { return c.admitCriterion() == 2; }},
    {"power HIGH", Md380Format, Fm, [](Channel& c) { c.setPowerFromText("H"); }, Block::Tyt, 4, 0x20, 0x20, [](const Channel& c) { return c.isHighPower(); }},
    {"power MID is low on 0x1001", Md380Format, Fm, [](Channel& c) { c.setPowerFromText("MID"); }, Block::Tyt, 4, 0x20, 0, [](const Channel& c) { return !c.isHighPower(); }},
    {"power MID", Md2017Format, Fm, [](Channel& c) { c.setPowerFromText("mid"); }, Block::Tyt, 30, 0x03, 2, [](const Channel& c) { return c.power() == PowerLevel::Mid; }},
    {"power other text is high on 0x1003", Md9600Format, Fm, [](Channel& c) { c.setPowerFromText("x"); }, Block::Tyt, 30, 0x03, 3, [](const Channel& c) { return c.power() == PowerLevel::High; }},
    {"power LOW", Md9600Format, Fm, [](Channel& c) { c.setPowerFromText("Low"); }, Block::Tyt, 30, 0x03, 0, [](const Channel& c) { return !c.isHighPower(); }},
    {"power MID level", RdbV1Format, Fm, [](Channel& c) { c.setPowerFromText("M"); }, Block::Rdb, 10, 0xC0, 0x40, [](const Channel& c) { return c.power() == PowerLevel::Mid; }},
    {"power MID is high", RdbV1Format, Fm, [](Channel& c) { c.setPowerFromText("M"); }, Block::Rdb, 9, 0x80, 0x80, [](const Channel& c) { return c.isHighPower(); }},
    {"power LOW", RdbV1Format, Fm, [](Channel& c) { c.setPowerFromText("L"); }, Block::Rdb, 10, 0xC0, 0, [](const Channel& c) { return !c.isHighPower(); }},
    {"power MID", D868Format, Fm, [](Channel& c) { c.setPowerFromText("M"); }, Block::D868, 24, 0xFF, 1, [](const Channel& c) { return c.power() == PowerLevel::Mid; }},
    {"power HIGH", D868Format, Fm, [](Channel& c) { c.setPowerFromText("H"); }, Block::D868, 24, 0xFF, 2, [](const Channel& c) { return c.power() == PowerLevel::High; }},
    // Analog fields.
    {"analog option", Md380Format, Fm, [](Channel& c) { c.setAnalogOption(true); }, Block::Tyt, 4, 0x04, 0x04, [](const Channel& c) { return c.analogOption(); }},
    {"analog option", RdbV1Format, Fm, [](Channel& c) { c.setAnalogOption(true); }, Block::Rdb, 24, 0x01, 0x01, [](const Channel& c) { return c.analogOption(); }},
    {"analog option on DMR does nothing", Md380Format, Dmr, [](Channel& c) { c.setAnalogOption(false); }, Block::Tyt, 4, 0x04, 0x04, [](const Channel&) { return true; }},
    {"QT reverse 120", Md380Format, Fm, [](Channel& c) { c.setQtReverse(120); }, Block::Tyt, 4, 0x08, 0x08, [](const Channel& c) { return c.qtReverse() == 120; }},
    {"QT reverse 120", RdbV1Format, Fm, [](Channel& c) { c.setQtReverse(120); }, Block::Rdb, 24, 0x02, 0, [](const Channel& c) { return c.qtReverse() == 120; }},
    {"QT reverse 180", RdbV1Format, Fm, [](Channel& c) { c.setQtReverse(180); }, Block::Rdb, 24, 0x02, 0x02, [](const Channel& c) { return c.qtReverse() == 180; }},
    {"RX signaling", Md380Format, Fm, [](Channel& c) { c.setRxSignalingSystem(3); }, Block::Tyt, 28, 0xFF, 3, [](const Channel& c) { return c.rxSignalingSystem() == 3; }},
    {"TX signaling", Md380Format, Fm, [](Channel& c) { c.setTxSignalingSystem(4); }, Block::Tyt, 29, 0xFF, 4, [](const Channel& c) { return c.txSignalingSystem() == 4; }},
    {"TX signaling read modulo 5", Md380Format, Fm, [](Channel& c) { c.tytChannelRecord()[29] = 7; }, Block::Tyt, 29, 0xFF, 7, [](const Channel& c) { return c.txSignalingSystem() == 2; }},
    {"decode switches", Md380Format, Fm, [](Channel& c) { c.setDecodeSwitches(0xA5); }, Block::Tyt, 14, 0xFF, 0xA5, [](const Channel& c) { return c.decodeSwitches() == 0xA5; }},
    {"decode tone low byte", Md380Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, Block::Tyt, 24, 0xFF, 0x85, [](const Channel& c) { return c.ctcssDecode().value() == 0x0885; }},
    {"decode tone high byte", Md380Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, Block::Tyt, 25, 0xFF, 0x08, [](const Channel&) { return true; }},
    {"encode tone", Md380Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D754I"); }, Block::Tyt, 27, 0xFF, 0xC7, [](const Channel& c) { return c.ctcssEncodeText() == "D754I"; }},
    {"decode tone", RdbV1Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, Block::Rdb, 16, 0xFF, 0x85, [](const Channel& c) { return c.ctcssDecodeText() == "088.5"; }},
    {"decode tone type CTCSS", RdbV1Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, Block::Rdb, 27, 0x03, 1, [](const Channel&) { return true; }},
    {"encode tone type DCS inverted", RdbV1Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D754I"); }, Block::Rdb, 27, 0x0C, 0x0C, [](const Channel& c) { return c.ctcssEncodeText() == "D754I"; }},
    {"encode tone type DCS normal", RdbV1Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D023N"); }, Block::Rdb, 27, 0x0C, 0x08, [](const Channel& c) { return c.ctcssEncodeText() == "D023N"; }},
    {"decode tone of a digital RDB channel", RdbV1Format, Dmr, [](Channel& c) { c.setColorCode(5); c.setCtcssDecodeFromText("88.5"); }, Block::Rdb, 16, 0x0F, 5,
     [](const Channel& c) { return c.ctcssDecode().isNone() && c.colorCode() == 5; }},
    {"decode tone index", D868Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, Block::D868, 38, 0xFF, 9, [](const Channel& c) { return c.ctcssDecodeText() == "088.5"; }},
    {"decode tone type", D868Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, Block::D868, 36, 0xFF, 1, [](const Channel&) { return true; }},
    {"decode set word", D868Format, Fm, [](Channel& c) { c.setCtcssDecodeFromText("88.5"); }, Block::D868, 60, 0xFF, 1, [](const Channel&) { return true; }},
    {"encode DCS word", D868Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D754I"); }, Block::D868, 46, 0xFF, 0xEC, [](const Channel& c) { return c.ctcssEncodeText() == "D754I"; }},
    {"encode DCS type", D868Format, Fm, [](Channel& c) { c.setCtcssEncodeFromText("D754I"); }, Block::D868, 42, 0xFF, 2, [](const Channel&) { return true; }},
    // References.
    {"emergency system", Md380Format, Dmr, [](Channel& c) { c.setEmergencySystem(3); }, Block::Tyt, 10, 0xFF, 3, [](const Channel& c) { return c.emergencySystem() == 3; }},
    {"emergency system 251 stores 0", Md380Format, Dmr, [](Channel& c) { c.setEmergencySystem(251); }, Block::Tyt, 10, 0xFF, 0, [](const Channel& c) { return c.emergencySystem() == 0; }},
    {"digital emergency system", RdbV1Format, Dmr, [](Channel& c) { c.setEmergencySystem(35); }, Block::Rdb, 21, 0xFF, 2, [](const Channel& c) { return c.emergencySystem() == 2; }},
    {"analog emergency system", RdbV1Format, Fm, [](Channel& c) { c.setEmergencySystem(3); }, Block::Rdb, 27, 0x70, 0x30, [](const Channel& c) { return c.emergencySystem() == 3; }},
    {"scan list", Md380Format, Fm, [](Channel& c) { c.setScanList(4); }, Block::Tyt, 11, 0xFF, 4, [](const Channel& c) { return c.scanList() == 4; }},
    {"scan list", RdbV1Format, Fm, [](Channel& c) { c.setScanList(4); }, Block::Rdb, 12, 0xFF, 4, [](const Channel& c) { return c.scanList() == 4; }},
    {"no scan list", RdbV1Format, Fm, [](Channel& c) { c.setScanList(0); }, Block::Rdb, 13, 0xFF, 0xFF, [](const Channel& c) { return c.scanList() == 0; }},
    {"scan list", D868Format, Fm, [](Channel& c) { c.setScanList(4); }, Block::D868, 62, 0xFF, 3, [](const Channel& c) { return c.scanList() == 4; }},
    {"no scan list", D868Format, Fm, [](Channel& c) { c.setScanList(0); }, Block::D868, 62, 0xFF, 255, [](const Channel& c) { return c.scanList() == 0; }},
    {"RX group list", Md380Format, Dmr, [](Channel& c) { c.setRxGroupList(5); }, Block::Tyt, 12, 0xFF, 5, [](const Channel& c) { return c.rxGroupList() == 5; }},
    {"RX group list", RdbV1Format, Dmr, [](Channel& c) { c.setRxGroupList(5); }, Block::Rdb, 22, 0xFF, 5, [](const Channel& c) { return c.rxGroupList() == 5; }},
    {"RX group list modulo 251", D868Format, Dmr, [](Channel& c) { c.setRxGroupList(253); }, Block::D868, 64, 0xFF, 2, [](const Channel& c) { return c.rxGroupList() == 2; }},
    {"contact", Md380Format, Dmr, [](Channel& c) { c.setTxContact(0x1234); }, Block::Tyt, 7, 0xFF, 0x12, [](const Channel& c) { return c.txContact() == 0x1234; }},
    {"contact", RdbV1Format, Dmr, [](Channel& c) { c.setTxContact(0x1234); }, Block::Rdb, 24, 0xFF, 0x34, [](const Channel& c) { return c.txContact() == 0x1234; }},
    {"contact 32-bit", RdbV2Format, Dmr, [](Channel& c) { c.setTxContact(0x01FBD0); }, Block::Rdb, 26, 0xFF, 0x01, [](const Channel& c) { return c.txContact() == 0x01FBD0; }},
    {"contact 0-based", D868Format, Dmr, [](Channel& c) { c.setTxContact(7); }, Block::D868, 50, 0xFF, 6, [](const Channel& c) { return c.txContact() == 7; }},
    {"contact of an analog channel", Md380Format, Fm, [](Channel& c) { c.setTxContact(7); }, Block::Tyt, 6, 0xFF, 7, [](const Channel& c) { return c.txContact() == 0; }},
    {"contact keeps analog RDB switches", RdbV1Format, Fm, [](Channel& c) { c.setTxContact(7); }, Block::Rdb, 24, 0xFF, 0x02, [](const Channel& c) { return c.qtReverse() == 180; }},
};

TEST(ChannelFields, LandAtTheirBytesAndBitsAndReadBack)
{
    for (const auto& c : FieldCases) {
        Channel channel = makeChannel(c.format, c.mode);
        c.set(channel);
        EXPECT_EQ(byteOf(channel, c.block, c.byte) & c.mask, c.expected)
            << c.field << " in 0x" << std::hex << c.format << " byte " << std::dec << c.byte;
        EXPECT_TRUE(c.readsBack(channel)) << c.field << " in 0x" << std::hex << c.format;
    }
}

TEST(ChannelFields, SettersWriteEveryFamilyBlock)
{
    Channel channel = newChannel(Md380Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setTxContact(12);
    channel.setScanList(3);
    channel.setRxGroupList(4);
    channel.setTalkaround(false);
    channel.setColorCode(9);

    EXPECT_EQ(getU16Le(channel.rdbChannelRecord(), 24), 12);
    EXPECT_EQ(getU32Le(channel.d868ChannelFields(), 50), 11u);
    EXPECT_EQ(getU16Le(channel.rdbChannelRecord(), 12), 3);
    EXPECT_EQ(getU16Le(channel.d868ChannelFields(), 62), 2);
    EXPECT_EQ(channel.rdbChannelRecord()[22], 4);
    EXPECT_EQ(getU16Le(channel.d868ChannelFields(), 64), 4);
    EXPECT_EQ(channel.rdbChannelRecord()[9] & 0x10, 0);
    EXPECT_EQ(getU16Le(channel.d868ChannelFields(), 34), 0);
    EXPECT_EQ(channel.rdbChannelRecord()[16] & 0x0F, 9);
    EXPECT_EQ(getU16Le(channel.d868ChannelFields(), 74), 9);
}

TEST(ChannelName, IsWrittenIntoEveryFamilyAndCutTo16Characters)
{
    Channel tyt = newChannel(Md380Format);
    tyt.setName("Repeater-North-17");
    EXPECT_EQ(tyt.name(), "Repeater-North-1");
    EXPECT_EQ(getUtf16Name(tyt.tytChannelRecord(), 32, 16), "Repeater-North-1");
    EXPECT_EQ(getCString(tyt.d868ChannelFields(), 92, 16), "Repeater-North-1");

    Channel rdb = newChannel(RdbV1Format);
    rdb.setName("Rpt-1");
    EXPECT_EQ(rdb.name(), "Rpt.1");
    EXPECT_EQ(SixBitText::decode(rdb.rdbChannelName().data()), "Rpt.1");

    Channel d868 = newChannel(D868Format);
    d868.setName("Simplex 2");
    EXPECT_EQ(d868.name(), "Simplex 2");
}

TEST(ChannelFrequencies, TytStoresEightBcdDigitsOfTenHertz)
{
    Channel channel = newChannel(Md380Format);
    channel.setRxFrequency(146.52);
    channel.setTxFrequency(439.0125);
    EXPECT_EQ(getU32Le(channel.tytChannelRecord(), 16), 0x14652000u);
    EXPECT_EQ(getU32Le(channel.tytChannelRecord(), 20), 0x43901250u);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 146.52);
    EXPECT_DOUBLE_EQ(channel.txFrequency(), 439.0125);
}

TEST(ChannelFrequencies, TytReadsANibbleAboveNineAsZero)
{
    Channel channel = newChannel(Md380Format);
    setU32Le(channel.tytChannelRecord(), 16, 0x1F6520A0u);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 106.52);
}

TEST(ChannelFrequencies, TytKeepsFrequenciesBelow100MhzAndClampsAboveItsDigits)
{
    Channel channel = newChannel(Md380Format);
    channel.setRxFrequency(50.5);
    EXPECT_EQ(getU32Le(channel.tytChannelRecord(), 16), 0x05050000u);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 50.5);
    channel.setRxFrequency(1200.0);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 999.99999);
    channel.setRxFrequency(-3.0);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 0.0);
}

TEST(ChannelFrequencies, RdbStoresWholeHertz)
{
    Channel channel = newChannel(RdbV1Format);
    channel.setRxFrequency(146.52);
    channel.setTxFrequency(144.99999949);
    EXPECT_EQ(getU32Le(channel.rdbChannelRecord(), 4), 146520000u);
    EXPECT_EQ(getU32Le(channel.rdbChannelRecord(), 0), 144999999u);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 146.52);
    // 128.01 × 10^6 is 128009999.99999999 in binary floating point: truncating would lose a hertz.
    channel.setRxFrequency(128.01);
    EXPECT_EQ(getU32Le(channel.rdbChannelRecord(), 4), 128010000u);
}

struct OffsetCase {
    double rx;
    double tx;
    int direction;
    double offset;
};

TEST(ChannelFrequencies, D868KeepsTheTransmitFrequencyAsAnOffset)
{
    const OffsetCase cases[] = {
        {146.0, 146.6, 1, 0.6}, {146.0, 145.4, 2, 0.6}, {146.0, 146.005, 0, 0.0}, {146.0, 145.991, 0, 0.0},
        {439.0, 434.0, 2, 5.0}, {146.0, 146.0, 0, 0.0},
    };
    for (const auto& c : cases) {
        Channel channel = newChannel(D868Format);
        channel.setRxFrequency(c.rx);
        channel.setTxFrequency(c.tx);
        EXPECT_EQ(channel.d868OffsetDirection(), c.direction) << c.tx;
        EXPECT_DOUBLE_EQ(channel.d868Offset(), c.offset) << c.tx;
        if (c.direction != 0)
            EXPECT_NEAR(channel.txFrequency(), c.tx, 1e-9);
        else
            EXPECT_DOUBLE_EQ(channel.txFrequency(), c.rx);
    }
}

TEST(ChannelFrequencies, EverySetterWritesAllThreeBlocks)
{
    Channel channel = newChannel(D868Format);
    channel.setRxFrequency(430.1);
    EXPECT_EQ(getU32Le(channel.tytChannelRecord(), 16), 0x43010000u);
    EXPECT_EQ(getU32Le(channel.rdbChannelRecord(), 4), 430100000u);
    EXPECT_DOUBLE_EQ(getF64Le(channel.d868ChannelFields(), 4), 430.1);
}

TEST(NewChannel, TytStartsWithTheDefaultsOverTheFill)
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
    EXPECT_EQ(channel.rdbChannelRecord()[26], 1);
    // Digital-only setters did nothing, so colour code and confirmations keep the fill.
    EXPECT_EQ(channel.tytChannelRecord()[1] & 0xF0, 0xF0);
    EXPECT_EQ(channel.tytChannelRecord()[2] & 0xC0, 0xC0);
    EXPECT_EQ(getUtf16Name(channel.tytChannelRecord(), 32, 16), "Untitled");
    for (std::size_t i = 48; i < 64; ++i)
        ASSERT_EQ(channel.tytChannelRecord()[i], 0) << i;
}

TEST(NewChannel, LargeTytFormatsCarryTheirMarks)
{
    for (const FormatId format : {Md2017Format, Md9600Format}) {
        Channel channel = newChannel(format, 446.0);
        EXPECT_EQ(channel.tytChannelRecord()[31], 255);
        EXPECT_EQ(channel.tytChannelRecord()[5], 0x10);
        EXPECT_EQ(channel.powerText(), "HIGH");
        EXPECT_DOUBLE_EQ(channel.txFrequency(), 446.0);
    }
    EXPECT_EQ(newChannel(Md380Format).tytChannelRecord()[5], 0xFF);
}

TEST(NewChannel, RdbStartsZeroedWithTheDefaults)
{
    Channel channel = newChannel(RdbV2Format);
    EXPECT_EQ(channel.name(), "Untitled");
    EXPECT_EQ(channel.squelch(), Squelch::Normal);
    EXPECT_EQ(channel.admitCriterion(), 1);
    EXPECT_EQ(channel.admitText(), "Always");
    EXPECT_EQ(channel.qtReverse(), 180);
    EXPECT_EQ(getU16Le(channel.rdbChannelRecord(), 12), 0xFFFF);
    EXPECT_EQ(channel.rdbChannelRecord()[26], 1);
    EXPECT_EQ(channel.slotNumber(), 0);
}

TEST(NewChannel, D868BlockIsResetAfterTheDefaults)
{
    Channel channel = newChannel(D868Format, 433.5);
    EXPECT_EQ(channel.name(), "New Channel");
    EXPECT_EQ(channel.d868RecordNumber(), 1);
    EXPECT_EQ(getU16Le(channel.d868ChannelFields(), 2), 1);
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 433.5);
    EXPECT_EQ(channel.d868OffsetDirection(), 0);
    EXPECT_DOUBLE_EQ(channel.d868Offset(), 0.6);
    EXPECT_DOUBLE_EQ(channel.txFrequency(), 433.5);
    EXPECT_EQ(channel.bandwidth(), Bandwidth::Wide25k);
    EXPECT_EQ(channel.scanList(), 0);
    EXPECT_EQ(getU32Le(channel.d868ChannelFields(), 108), 0xFFFFFFFFu);
    EXPECT_EQ(getU16Le(channel.d868ChannelFields(), 112), 0xFFFF);
    EXPECT_EQ(channel.powerText(), "LOW");
    for (std::size_t i = 114; i < Channel::D868BlockSize; ++i)
        ASSERT_EQ(channel.d868ChannelFields()[i], 0) << i;
}

TEST(ChannelCopy, CarriesEveryBlockSlotAndFormat)
{
    Channel original = newChannel(RdbV11Format);
    original.setName("Copy me");
    original.setSlotNumber(17);
    original.setSortPosition(4);
    original.setContactNameCache("Local");
    original.d868ChannelFields()[200] = 0x5A;
    const Channel copy(original);
    EXPECT_EQ(copy.formatId(), RdbV11Format);
    EXPECT_EQ(copy.name(), "Copy me");
    EXPECT_EQ(copy.slotNumber(), 17);
    EXPECT_EQ(copy.sortPosition(), 4);
    EXPECT_EQ(copy.contactNameCache(), "Local");
    EXPECT_EQ(copy.tytChannelRecord(), original.tytChannelRecord());
    EXPECT_EQ(copy.rdbChannelRecord(), original.rdbChannelRecord());
    EXPECT_EQ(copy.rdbChannelName(), original.rdbChannelName());
    EXPECT_EQ(copy.d868ChannelFields(), original.d868ChannelFields());
}

TEST(ChannelContact, DigitalD868ChannelWithContactNoneReadsContactOne)
{
    Channel channel = newChannel(D868Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setTxContactByName("NONE", [](std::string_view) { return 5; });
    EXPECT_EQ(channel.txContact(), 1);
    EXPECT_EQ(channel.contactNameCache(), "NONE");
    EXPECT_EQ(getU32Le(channel.d868ChannelFields(), 50), 0u);
}

TEST(ChannelContact, SetByNameTakesTheFoundIndexOrNone)
{
    Channel channel = newChannel(Md380Format);
    channel.setMode(ChannelMode::Dmr);
    auto finder = [](std::string_view name) { return name == "Local 9" ? 2 : -1; };

    channel.setTxContactByName("none", finder);
    EXPECT_EQ(channel.txContact(), 0);
    EXPECT_EQ(channel.contactNameCache(), "NONE");

    channel.setTxContactByName("Local 9", finder);
    EXPECT_EQ(channel.txContact(), 3);
    EXPECT_EQ(channel.contactNameCache(), "Local 9");

    channel.setTxContactByName("Nobody", finder);
    EXPECT_EQ(channel.txContact(), 0);
    EXPECT_EQ(channel.contactNameCache(), "");
}

TEST(ChannelContact, RefreshTakesTheNameOrDropsADanglingReference)
{
    RecordList<Contact> contacts;
    for (const char* name : {"Alpha", "Bravo"}) {
        auto contact = std::make_unique<Contact>(newContact(Md380Format));
        contact->setName(name);
        contacts.append(std::move(contact));
    }
    Channel channel = newChannel(Md380Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setTxContact(2);
    channel.refreshContactName(contacts);
    EXPECT_EQ(channel.contactNameCache(), "Bravo");

    channel.setTxContact(3);
    channel.setContactNameCache("stale");
    channel.refreshContactName(contacts);
    EXPECT_EQ(channel.contactNameCache(), "");
    EXPECT_EQ(channel.txContact(), 0);

    Channel analog = newChannel(Md380Format);
    analog.setContactNameCache("stale");
    analog.refreshContactName(contacts);
    EXPECT_EQ(analog.contactNameCache(), "");
}

TEST(ChannelContact, DamagedD868ContactWordStaysAPositiveReference)
{
    Channel channel = newChannel(D868Format);
    channel.setMode(ChannelMode::Dmr);
    setU32Le(channel.d868ChannelFields(), 50, 0xFFFFFFFFu);
    EXPECT_EQ(channel.txContact(), 0x7FFFFFFF);
}

TEST(ChannelContact, NameCacheHoldsAtMost63Characters)
{
    Channel channel = newChannel(Md380Format);
    channel.setContactNameCache(std::string(80, 'x'));
    EXPECT_EQ(channel.contactNameCache().size(), 63u);
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
    EXPECT_EQ(channel.rdbChannelRecord()[26], 1);
    EXPECT_EQ(channel.rdbChannelRecord()[27], 0);
    EXPECT_TRUE(channel.ctcssEncode().isNone());
}

TEST(RdbModeChange, SettingTheSameModeKeepsTheFields)
{
    Channel channel = newChannel(RdbV1Format);
    channel.setCtcssDecodeFromText("88.5");
    channel.setMode(ChannelMode::Fm);
    EXPECT_EQ(channel.ctcssDecodeText(), "088.5");
}

TEST(ChannelPrivacy, SwitchingOffClearsEveryBlockAndTheD868Type)
{
    Channel channel = newChannel(D868Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setPrivacy(true);
    channel.setPrivacyType(PrivacyType::Enhanced);
    channel.setPrivacy(false);
    EXPECT_FALSE(channel.privacy());
    EXPECT_EQ(getU16Le(channel.d868ChannelFields(), 90), 0);
    EXPECT_EQ(channel.tytChannelRecord()[2] & 0x30, 0);
    EXPECT_EQ(channel.rdbChannelRecord()[23] & 0x80, 0);
}

TEST(ChannelPrivacy, TytMarksBasicWithThePrivacyBit)
{
    Channel channel = newChannel(Md380Format);
    channel.setMode(ChannelMode::Dmr);
    channel.setPrivacyType(PrivacyType::Basic);
    EXPECT_TRUE(channel.privacy());
    EXPECT_EQ(channel.privacyTypeText(), "BASIC");
    channel.setPrivacyTypeFromText("NONE");
    EXPECT_FALSE(channel.privacy());
    EXPECT_EQ(channel.privacyTypeText(), "NONE");
    channel.setPrivacyType(PrivacyType::Enhanced);
    EXPECT_FALSE(channel.privacy()) << "the TYT record has no Enhanced mark";
}

TEST(ChannelBookkeeping, D868RecordNumberMarksTheRecordInUse)
{
    Channel channel = newChannel(D868Format);
    setU16Le(channel.d868ChannelFields(), 2, 0);
    channel.setD868RecordNumber(42);
    EXPECT_EQ(channel.d868RecordNumber(), 42);
    EXPECT_EQ(getU16Le(channel.d868ChannelFields(), 2), 1);
}

TEST(UnknownFormat, ReadsNeutralValues)
{
    Channel channel(0x4001);
    EXPECT_EQ(channel.name(), "");
    EXPECT_EQ(channel.powerText(), "?");
    EXPECT_DOUBLE_EQ(channel.rxFrequency(), 0.0);
    EXPECT_FALSE(channel.isDigital());
    EXPECT_TRUE(channel.admitChoices().empty());
}

} // namespace
} // namespace pw
