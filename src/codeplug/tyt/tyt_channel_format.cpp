// SPDX-License-Identifier: GPL-3.0-or-later
// The TYT channel record, 64 bytes (bit 0 = least significant):
//   0   b0-1 mode (1 FM, 2 DMR), b2 cleared with the bandwidth, b3 bandwidth 25 kHz, b4 auto scan,
//       b5 squelch NORMAL, b7 lone worker
//   1   b0 talkaround, b1 RX only, b2-3 time slot (1, 2), b4-7 colour code
//   2   b0-3 privacy code − 1, b4 privacy on (Basic), b5 cleared when privacy is switched on,
//       b6 private call confirmed, b7 data call confirmed
//   3   b0-1 RX reference frequency, b3 emergency alarm ack, b5-7 set by the channel line
//   4   b0-1 TX reference frequency, b2 analog option, b3 QT reverse 120, b4 VOX, b5 high power
//       (0x1001), b6-7 admit criterion
//   5   b4 set in 0x1002/0x1003 channels
//   6   u16 transmit contact (1-based)          8  u8 TOT (15 s steps)   9  u8 TOT rekey delay (s)
//   10  u8 emergency system (1-based)  11 u8 scan list  12 u8 RX group list  14 u8 decode switches
//   16  u32 RX frequency, 8 BCD digits of 10 Hz, most significant digit in the top nibble
//   20  u32 TX frequency, the same
//   24  u16 CTCSS/DCS decode (ToneCode)     26 u16 CTCSS/DCS encode (ToneCode)
//   28  u8 RX signaling system   29 u8 TX signaling system (both read modulo 5)
//   30  b0-1 power in 0x1002/0x1003 (0 low, 1-2 mid, 3 high)   31 255 in 0x1002/0x1003
//   32  name, 16 UTF-16LE units
// A new channel's bytes 0-31 are 0xFF, the name bytes zero.

#include "codeplug/tyt/tyt_records.h"

#include "codeplug/admit_criteria.h"
#include "codeplug/byte_field.h"
#include "codeplug/tyt/tyt_map.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pw::tyt {
namespace {

constexpr BitField Mode{0, 0, 2};
constexpr BitField BandwidthCompanion{0, 2};
constexpr BitField Bandwidth25{0, 3};
constexpr BitField AutoScan{0, 4};
constexpr BitField SquelchNormal{0, 5};
constexpr BitField LoneWorker{0, 7};
constexpr BitField Talkaround{1, 0};
constexpr BitField RxOnly{1, 1};
constexpr BitField TimeSlot{1, 2, 2};
constexpr BitField ColorCode{1, 4, 4};
constexpr BitField PrivacyCode{2, 0, 4};
constexpr BitField Privacy{2, 4};
constexpr BitField PrivacyCompanion{2, 5};
constexpr BitField PrivateCallConfirmed{2, 6};
constexpr BitField DataCallConfirmed{2, 7};
constexpr BitField RxRefFrequency{3, 0, 2};
constexpr BitField EmergencyAlarmAck{3, 3};
constexpr unsigned LineMarks = 0xE0;  // byte 3, bits 5-7
constexpr std::size_t LineMarkByte = 3;
constexpr BitField TxRefFrequency{4, 0, 2};
constexpr BitField AnalogOption{4, 2};
constexpr BitField QtReverse120{4, 3};
constexpr BitField Vox{4, 4};
constexpr BitField HighPower{4, 5};
constexpr BitField Admit{4, 6, 2};
constexpr std::size_t Marks = 5;
constexpr std::size_t TxContact = 6;
constexpr std::size_t Tot = 8;
constexpr std::size_t TotRekeyDelay = 9;
constexpr std::size_t EmergencySystem = 10;
constexpr std::size_t ScanList = 11;
constexpr std::size_t RxGroupList = 12;
constexpr std::size_t DecodeSwitches = 14;
constexpr std::size_t RxFrequency = 16;
constexpr std::size_t TxFrequency = 20;
constexpr std::size_t CtcssDecode = 24;
constexpr std::size_t CtcssEncode = 26;
constexpr std::size_t RxSignaling = 28;
constexpr std::size_t TxSignaling = 29;
constexpr BitField PowerLevelBits{30, 0, 2};
constexpr std::size_t LargeFormatMark = 31;
constexpr std::size_t Name = 32;
constexpr std::size_t NameUnits = 16;
constexpr std::size_t FilledPrefix = 32;

constexpr std::array<std::string_view, 4> AdmitTexts = {"Always", "Channel Free", "Correct PL", "Color Code Free"};
constexpr std::array<AdmitWords, 3> AdmitReadings{{{1, {"CHANNEL_FREE", "Channel Free"}},
                                                   {2, {"CORRECT_PL", "Correct PL"}},
                                                   {3, {"COLOR_CODE", "Color Code Free"}}}};
constexpr AdmitCriteria Admits{AdmitTexts, AdmitReadings};

// Eight BCD digits of 10 Hz. Values are rounded to 10 Hz and the digits kept right-aligned, so
// 50 MHz stays 50 MHz rather than turning into 500 MHz; what the eight digits cannot hold is
// clamped to 0 or 999.99999 MHz.
std::uint32_t bcdOf(double mhz)
{
    if (!std::isfinite(mhz) || mhz <= 0.0)
        return 0;
    auto tens = static_cast<std::uint32_t>(std::min(std::round(mhz * 100000.0), 99999999.0));
    std::uint32_t bcd = 0;
    for (unsigned shift = 0; shift < 32; shift += 4, tens /= 10)
        bcd |= (tens % 10) << shift;
    return bcd;
}

double mhzOfBcd(std::uint32_t bcd)
{
    std::uint32_t tens = 0;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const std::uint32_t nibble = (bcd >> shift) & 0xF;
        tens = tens * 10 + (nibble <= 9 ? nibble : 0);
    }
    return tens / 100000.0;
}

RefFrequency refFrequencyOf(unsigned value)
{
    return value == 0 ? RefFrequency::Low : value == 1 ? RefFrequency::Medium : RefFrequency::High;
}

} // namespace

std::vector<std::uint8_t> ChannelRecordFormat::blankRecord() const
{
    std::vector<std::uint8_t> record(ChannelRecordSize, 0);
    std::fill_n(record.begin(), FilledPrefix, std::uint8_t{0xFF});
    return record;
}

void ChannelRecordFormat::finishNewChannel(Channel& channel, double /*frequencyMhz*/) const
{
    if (!isLargeTyt(formatId_))
        return;
    Bytes record(channel.familyRecord());
    setU8(record, LargeFormatMark, 255);
    setU8(record, Marks, 0x10);
}

void ChannelRecordFormat::beginChannelLine(Channel& channel) const
{
    std::fill(channel.familyRecord().begin(), channel.familyRecord().end(), std::uint8_t{0});
    load(channel);
}

void ChannelRecordFormat::endChannelLine(Channel& channel) const
{
    Bytes record(channel.familyRecord());
    setU8(record, LineMarkByte, getU8(record, LineMarkByte) | LineMarks);
    if (isLargeTyt(formatId_)) {
        setU8(record, LargeFormatMark, 255);
        setU8(record, Marks, (getU8(record, Marks) & ~0x20u) | 0x10u);
    }
    load(channel);
}

void ChannelRecordFormat::store(Channel& channel, ChannelField field) const
{
    const Bytes r(channel.familyRecord());
    const ChannelSettings& s = channel.storedSettings();
    const bool large = isLargeTyt(formatId_);
    switch (field) {
    case ChannelField::Name: setUtf16Name(r, Name, NameUnits, s.name); break;
    case ChannelField::Mode: put(r, Mode, s.mode == ChannelMode::Dmr ? 2u : 1u); break;
    case ChannelField::Bandwidth:
        put(r, Bandwidth25, s.bandwidth == Bandwidth::Wide25k);
        put(r, BandwidthCompanion, false);
        break;
    case ChannelField::RxFrequency: setU32Le(r, RxFrequency, bcdOf(s.rxFrequency)); break;
    case ChannelField::TxFrequency: setU32Le(r, TxFrequency, bcdOf(s.txFrequency)); break;
    case ChannelField::Squelch: put(r, SquelchNormal, s.squelch == Squelch::Normal); break;
    case ChannelField::RxRefFrequency: put(r, RxRefFrequency, static_cast<unsigned>(s.rxRefFrequency)); break;
    case ChannelField::TxRefFrequency: put(r, TxRefFrequency, static_cast<unsigned>(s.txRefFrequency)); break;
    case ChannelField::Tot: setU8(r, Tot, static_cast<unsigned>(s.tot)); break;
    case ChannelField::TotRekeyDelay: setU8(r, TotRekeyDelay, static_cast<unsigned>(s.totRekeyDelay)); break;
    case ChannelField::Power:
        if (large)
            put(r, PowerLevelBits, s.power == PowerLevel::Low ? 0u : s.power == PowerLevel::Mid ? 2u : 3u);
        else if (formatId_ == Md380Format)
            // The MD-380 family knows only high and low: MID is low there.
            put(r, HighPower, s.power == PowerLevel::High);
        break;
    case ChannelField::AdmitCriterion: put(r, Admit, static_cast<unsigned>(s.admitCriterion)); break;
    case ChannelField::AutoScan: put(r, AutoScan, s.autoScan); break;
    case ChannelField::RxOnly: put(r, RxOnly, s.rxOnly); break;
    case ChannelField::LoneWorker: put(r, LoneWorker, s.loneWorker); break;
    case ChannelField::Vox: put(r, Vox, s.vox); break;
    case ChannelField::Talkaround: put(r, Talkaround, s.talkaround); break;
    case ChannelField::CtcssDecode: setU16Le(r, CtcssDecode, s.ctcssDecode.value()); break;
    case ChannelField::CtcssEncode: setU16Le(r, CtcssEncode, s.ctcssEncode.value()); break;
    case ChannelField::QtReverse: put(r, QtReverse120, s.qtReverse == 120); break;
    case ChannelField::RxSignaling: setU8(r, RxSignaling, static_cast<unsigned>(s.rxSignalingSystem)); break;
    case ChannelField::TxSignaling: setU8(r, TxSignaling, static_cast<unsigned>(s.txSignalingSystem)); break;
    case ChannelField::AnalogOption: put(r, AnalogOption, s.analogOption); break;
    case ChannelField::DecodeSwitches: setU8(r, DecodeSwitches, static_cast<unsigned>(s.decodeSwitches)); break;
    case ChannelField::ColorCode: put(r, ColorCode, static_cast<unsigned>(s.colorCode)); break;
    case ChannelField::TimeSlot: put(r, TimeSlot, s.timeSlot == 2 ? 2u : 1u); break;
    case ChannelField::PrivateCallConfirmed: put(r, PrivateCallConfirmed, s.privateCallConfirmed); break;
    case ChannelField::EmergencyAlarmAck: put(r, EmergencyAlarmAck, s.emergencyAlarmAck); break;
    case ChannelField::DataCallConfirmed: put(r, DataCallConfirmed, s.dataCallConfirmed); break;
    case ChannelField::Privacy:
        put(r, Privacy, s.privacy);
        put(r, PrivacyCompanion, false);
        break;
    case ChannelField::PrivacyType:
        // The record marks Basic privacy with the privacy bit itself and has no Enhanced mark that
        // its privacy switch would still read as on, so Enhanced leaves it as it is.
        if (s.privacyType == PrivacyType::Basic) {
            put(r, Privacy, true);
            put(r, PrivacyCompanion, false);
        }
        break;
    case ChannelField::PrivacyCode: put(r, PrivacyCode, static_cast<unsigned>(s.privacyCode - 1)); break;
    case ChannelField::TxContact: setU16Le(r, TxContact, static_cast<std::uint32_t>(s.txContact)); break;
    case ChannelField::ScanList: setU8(r, ScanList, static_cast<unsigned>(s.scanList)); break;
    case ChannelField::RxGroupList: setU8(r, RxGroupList, static_cast<unsigned>(s.rxGroupList)); break;
    case ChannelField::EmergencySystem:
        setU8(r, EmergencySystem, s.emergencySystem <= 250 ? static_cast<unsigned>(s.emergencySystem) : 0u);
        break;
    }
    load(channel);
}

void ChannelRecordFormat::load(Channel& channel) const
{
    const ConstBytes r(channel.familyRecord());
    ChannelSettings& s = channel.storedSettings();
    Utf16NameBuffer name;
    s.name.assign(getUtf16Name(r, Name, NameUnits, name));
    s.mode = get(r, Mode) == 2 ? ChannelMode::Dmr : ChannelMode::Fm;
    s.bandwidth = isSet(r, Bandwidth25) ? Bandwidth::Wide25k : Bandwidth::Narrow12k5;
    s.rxFrequency = mhzOfBcd(getU32Le(r, RxFrequency));
    s.txFrequency = mhzOfBcd(getU32Le(r, TxFrequency));
    s.squelch = isSet(r, SquelchNormal) ? Squelch::Normal : Squelch::Tight;
    s.rxRefFrequency = refFrequencyOf(get(r, RxRefFrequency));
    s.txRefFrequency = refFrequencyOf(get(r, TxRefFrequency));
    s.tot = getU8(r, Tot);
    s.totRekeyDelay = getU8(r, TotRekeyDelay);
    if (isLargeTyt(formatId_)) {
        const auto level = get(r, PowerLevelBits);
        s.power = level == 0 ? PowerLevel::Low : level == 3 ? PowerLevel::High : PowerLevel::Mid;
    } else {
        s.power = formatId_ == Md380Format && isSet(r, HighPower) ? PowerLevel::High : PowerLevel::Low;
    }
    s.admitCriterion = static_cast<int>(get(r, Admit));
    s.autoScan = isSet(r, AutoScan);
    s.rxOnly = isSet(r, RxOnly);
    s.loneWorker = isSet(r, LoneWorker);
    s.vox = isSet(r, Vox);
    s.talkaround = isSet(r, Talkaround);
    s.ctcssDecode = ToneCode(getU16Le(r, CtcssDecode));
    s.ctcssEncode = ToneCode(getU16Le(r, CtcssEncode));
    s.qtReverse = isSet(r, QtReverse120) ? 120 : 180;
    s.rxSignalingSystem = getU8(r, RxSignaling) % 5;
    s.txSignalingSystem = getU8(r, TxSignaling) % 5;
    s.analogOption = isSet(r, AnalogOption);
    s.decodeSwitches = getU8(r, DecodeSwitches);
    s.colorCode = static_cast<int>(get(r, ColorCode));
    s.timeSlot = get(r, TimeSlot) == 2 ? 2 : 1;
    s.privateCallConfirmed = isSet(r, PrivateCallConfirmed);
    s.emergencyAlarmAck = isSet(r, EmergencyAlarmAck);
    s.dataCallConfirmed = isSet(r, DataCallConfirmed);
    s.privacy = isSet(r, Privacy);
    s.privacyType = s.privacy ? PrivacyType::Basic : PrivacyType::Enhanced;
    s.privacyCode = static_cast<int>(get(r, PrivacyCode)) + 1;
    s.txContact = getU16Le(r, TxContact);
    s.scanList = getU8(r, ScanList);
    s.rxGroupList = getU8(r, RxGroupList);
    s.emergencySystem = getU8(r, EmergencySystem);
}

std::string ChannelRecordFormat::admitText(const Channel& channel) const { return Admits.text(channel.admitCriterion()); }

int ChannelRecordFormat::admitFromText(const Channel& /*channel*/, std::string_view text) const
{
    return Admits.valueOf(text);
}

std::vector<std::string> ChannelRecordFormat::admitChoices(ChannelMode /*mode*/) const { return Admits.choices(); }

std::string ChannelRecordFormat::powerText(const Channel& channel, std::string_view /*radioModel*/) const
{
    switch (channel.power()) {
    case PowerLevel::High: return "HIGH";
    case PowerLevel::Mid: return "MID";
    default: return "LOW";
    }
}

PowerLevel ChannelRecordFormat::powerOfUnknownText() const
{
    return isLargeTyt(formatId_) ? PowerLevel::High : PowerLevel::Low;
}

bool ChannelRecordFormat::isHighPower(const Channel& channel) const
{
    if (isLargeTyt(formatId_))
        return get(ConstBytes(channel.familyRecord()), PowerLevelBits) != 0;
    return formatId_ == Md380Format && isSet(ConstBytes(channel.familyRecord()), HighPower);
}

} // namespace pw::tyt
