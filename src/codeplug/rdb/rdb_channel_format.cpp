// SPDX-License-Identifier: GPL-3.0-or-later
// The RDB channel record, 32 bytes; the name is kept apart as 12 bytes of SixBitText (the image's
// name table) and follows the record in the channel's family record:
//   0   u32 TX frequency in Hz   4  u32 RX frequency in Hz
//   8   b0 mode FM (0 = DMR), b1 bandwidth 12.5 kHz, b2-3 RX reference, b4-5 TX reference
//   9   b0 auto scan, b1 RX only, b2 lone worker, b3 VOX, b4 talkaround, b6 squelch NORMAL,
//       b7 high power
//   10  b1 emergency alarm ack, b3-5 admit criterion, b6-7 power level (01 mid, 10 high)
//   11  b0-5 TOT   12 u16 scan list (0 and 0xFFFF none)   14 u8 TOT rekey delay
//   16  digital: b0-3 colour code, b4 slot 2, b5 private call confirmed, b7 data call confirmed;
//       analog: u16 CTCSS/DCS decode (ToneCode)
//   18  u16 CTCSS/DCS encode (analog)   21 u8 emergency system (digital, modulo 33)
//   22  u8 RX group list   23 b0-3 privacy code − 1, b6 Enhanced privacy, b7 privacy on
//   24  digital: u16 transmit contact (0x2003: u32 over bytes 24-27);
//       analog: b0 analog option, b1 QT reverse 180
//   26  u8 1-16 (1 on new channels)
//   27  analog: b0-1 decode tone type, b2-3 encode tone type (1 CTCSS, 2 DCS, 3 DCS inverted),
//       b4-6 TX signaling system / emergency system (modulo 5)

#include "codeplug/rdb/rdb_records.h"

#include "codeplug/admit_criteria.h"
#include "codeplug/byte_field.h"
#include "codeplug/rdb/six_bit_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pw::rdb {
namespace {

constexpr std::size_t TxFrequency = 0;
constexpr std::size_t RxFrequency = 4;
constexpr BitField ModeFm{8, 0};
constexpr BitField Bandwidth12k5{8, 1};
constexpr BitField RxRefFrequency{8, 2, 2};
constexpr BitField TxRefFrequency{8, 4, 2};
constexpr BitField AutoScan{9, 0};
constexpr BitField RxOnly{9, 1};
constexpr BitField LoneWorker{9, 2};
constexpr BitField Vox{9, 3};
constexpr BitField Talkaround{9, 4};
constexpr BitField SquelchNormal{9, 6};
constexpr BitField HighPower{9, 7};
constexpr BitField EmergencyAlarmAck{10, 1};
constexpr BitField Admit{10, 3, 3};
constexpr BitField PowerLevelBits{10, 6, 2};
constexpr BitField Tot{11, 0, 6};
constexpr std::size_t ScanList = 12;
constexpr std::size_t TotRekeyDelay = 14;
constexpr BitField ColorCode{16, 0, 4};
constexpr BitField Slot2{16, 4};
constexpr BitField PrivateCallConfirmed{16, 5};
constexpr BitField DataCallConfirmed{16, 7};
constexpr std::size_t CtcssDecode = 16;
constexpr std::size_t CtcssEncode = 18;
constexpr std::size_t DigitalEmergencySystem = 21;
constexpr std::size_t RxGroupList = 22;
constexpr BitField PrivacyCode{23, 0, 4};
constexpr BitField PrivacyEnhanced{23, 6};
constexpr BitField Privacy{23, 7};
constexpr std::size_t TxContact = 24;
constexpr BitField AnalogOption{24, 0};
constexpr BitField QtReverse180{24, 1};
constexpr std::size_t Byte26 = 26;
constexpr BitField DecodeType{27, 0, 2};
constexpr BitField EncodeType{27, 2, 2};
constexpr BitField AnalogEmergencySystem{27, 4, 3};
constexpr unsigned DigitalEmergencyModulo = 33;
constexpr unsigned AnalogEmergencyModulo = 5;

constexpr std::array<std::string_view, 3> DigitalAdmitTexts = {"Always", "Channel Free", "Color Code Free"};
constexpr std::array<AdmitWords, 2> DigitalAdmitWords{{{1, {"CHANNEL_FREE", "Channel Free"}},
                                                       {2, {"COLOR_CODE", "Color Code Free"}}}};
constexpr AdmitCriteria DigitalAdmit{DigitalAdmitTexts, DigitalAdmitWords};
constexpr std::array<std::string_view, 5> AnalogAdmitTexts = {"Never", "Always", "Channel Free", "CTCSS/CDCSS Locked",
                                                              "Audio"};
constexpr std::array<AdmitWords, 4> AnalogAdmitWords{{{1, {"ALWAYS", "Always"}},
                                                      {2, {"CHANNEL_FREE", "Channel Free"}},
                                                      {3, {"CORRECT_PL", "CTCSS/CDCSS Locked"}},
                                                      {4, {"AUDIO", "Audio"}}}};
constexpr AdmitCriteria AnalogAdmit{AnalogAdmitTexts, AnalogAdmitWords};

const AdmitCriteria& admitOf(bool digital) { return digital ? DigitalAdmit : AnalogAdmit; }

// Whole hertz, rounded rather than truncated so that 146.52 MHz does not come back as 146.519999.
std::uint32_t hertzOf(double mhz)
{
    if (!std::isfinite(mhz) || mhz <= 0.0)
        return 0;
    return static_cast<std::uint32_t>(std::min(std::round(mhz * 1e6), 4294967295.0));
}

unsigned toneType(ToneCode code)
{
    if (code.isNone())
        return 0;
    if (code.isCtcss())
        return 1;
    return code.isInverted() ? 3 : 2;
}

ToneCode toneOf(std::uint16_t word, unsigned type)
{
    switch (type) {
    case 1: return ToneCode(static_cast<std::uint16_t>(word & 0x3FFF));
    case 2: return ToneCode(static_cast<std::uint16_t>((word & 0x0FFF) | 0x8000));
    case 3: return ToneCode(static_cast<std::uint16_t>((word & 0x0FFF) | 0xC000));
    default: return ToneCode::none();
    }
}

RefFrequency refFrequencyOf(unsigned value)
{
    return value == 0 ? RefFrequency::Low : value == 1 ? RefFrequency::Medium : RefFrequency::High;
}

Bytes recordOf(Channel& channel) { return Bytes(channel.familyRecord()).first(ChannelRecordSize); }
ConstBytes recordOf(const Channel& channel) { return ConstBytes(channel.familyRecord()).first(ChannelRecordSize); }
bool isDigital(ConstBytes record) { return !isSet(record, ModeFm); }

} // namespace

std::vector<std::uint8_t> ChannelRecordFormat::blankRecord() const
{
    std::vector<std::uint8_t> record(ChannelRecordSize, 0);
    const auto name = SixBitText::encode("");
    record.insert(record.end(), name.begin(), name.end());
    return record;
}

void ChannelRecordFormat::finishNewChannel(Channel& channel, double /*frequencyMhz*/) const
{
    setU8(recordOf(channel), Byte26, 1);
    load(channel);
}

void ChannelRecordFormat::beginChannelLine(Channel& channel) const
{
    const Bytes record = recordOf(channel);
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    load(channel);
}

// Bytes 16-17 and 24-27 mean different things in analog and digital channels. When the mode
// changes they are set to the new mode's neutral values, so that a decode tone does not turn into
// a colour code and a QT reverse switch into a contact reference.
void ChannelRecordFormat::clearSharedBytes(Channel& channel, ChannelMode newMode) const
{
    const Bytes r = recordOf(channel);
    if (newMode == ChannelMode::Dmr) {
        setU16Le(r, CtcssDecode, 0);
        setUIntLe(r, TxContact, wideContact_ ? 4 : 2, 0);
        return;
    }
    setU16Le(r, CtcssDecode, ToneCode::NoneValue);
    put(r, DecodeType, 0u);
    setU8(r, TxContact, 0);
    setU8(r, TxContact + 1, 0);
    put(r, QtReverse180, true);
    if (wideContact_) {
        // Bytes 26 and 27 held the top of the contact word.
        setU8(r, Byte26, 1);
        setU8(r, DecodeType.byte, 0);
        setU16Le(r, CtcssEncode, ToneCode::NoneValue);
    }
}

void ChannelRecordFormat::store(Channel& channel, ChannelField field) const
{
    const Bytes r = recordOf(channel);
    const ChannelSettings& s = channel.storedSettings();
    const bool digital = isDigital(r);
    switch (field) {
    case ChannelField::Name: {
        const auto packed = SixBitText::encode(s.name);
        std::copy(packed.begin(), packed.end(), channel.familyRecord().begin() + ChannelRecordSize);
        break;
    }
    case ChannelField::Mode: {
        const bool toDigital = s.mode == ChannelMode::Dmr;
        put(r, ModeFm, !toDigital);
        if (toDigital)
            put(r, Bandwidth12k5, true);
        if (digital != toDigital)
            clearSharedBytes(channel, s.mode);
        break;
    }
    case ChannelField::Bandwidth: put(r, Bandwidth12k5, s.bandwidth != Bandwidth::Wide25k); break;
    case ChannelField::RxFrequency: setU32Le(r, RxFrequency, hertzOf(s.rxFrequency)); break;
    case ChannelField::TxFrequency: setU32Le(r, TxFrequency, hertzOf(s.txFrequency)); break;
    case ChannelField::Squelch: put(r, SquelchNormal, s.squelch == Squelch::Normal); break;
    case ChannelField::RxRefFrequency: put(r, RxRefFrequency, static_cast<unsigned>(s.rxRefFrequency)); break;
    case ChannelField::TxRefFrequency: put(r, TxRefFrequency, static_cast<unsigned>(s.txRefFrequency)); break;
    case ChannelField::Tot: put(r, Tot, static_cast<unsigned>(s.tot)); break;
    case ChannelField::TotRekeyDelay: setU8(r, TotRekeyDelay, static_cast<unsigned>(s.totRekeyDelay)); break;
    case ChannelField::Power: {
        // MID is high power at the middle level; the high-power bit alone tells two-level radios.
        const bool high = s.power != PowerLevel::Low;
        put(r, HighPower, high);
        put(r, PowerLevelBits, !high ? 0u : s.power == PowerLevel::High ? 2u : 1u);
        break;
    }
    case ChannelField::AdmitCriterion: put(r, Admit, static_cast<unsigned>(s.admitCriterion)); break;
    case ChannelField::AutoScan: put(r, AutoScan, s.autoScan); break;
    case ChannelField::RxOnly: put(r, RxOnly, s.rxOnly); break;
    case ChannelField::LoneWorker: put(r, LoneWorker, s.loneWorker); break;
    case ChannelField::Vox: put(r, Vox, s.vox); break;
    case ChannelField::Talkaround: put(r, Talkaround, s.talkaround); break;
    case ChannelField::CtcssDecode:
        // A digital channel keeps its colour code and slot in these bytes.
        if (!digital) {
            setU16Le(r, CtcssDecode, s.ctcssDecode.value());
            put(r, DecodeType, toneType(s.ctcssDecode));
        }
        break;
    case ChannelField::CtcssEncode:
        // The type bits share byte 27 with the top of a 0x2003 contact word.
        if (!digital) {
            setU16Le(r, CtcssEncode, s.ctcssEncode.value());
            put(r, EncodeType, toneType(s.ctcssEncode));
        }
        break;
    case ChannelField::QtReverse:
        if (!digital)
            put(r, QtReverse180, s.qtReverse != 120);
        break;
    case ChannelField::AnalogOption:
        if (!digital)
            put(r, AnalogOption, s.analogOption);
        break;
    case ChannelField::RxSignaling:
    case ChannelField::TxSignaling:
    case ChannelField::DecodeSwitches: break;
    case ChannelField::ColorCode:
        if (digital)
            put(r, ColorCode, static_cast<unsigned>(s.colorCode));
        break;
    case ChannelField::TimeSlot:
        if (digital)
            put(r, Slot2, s.timeSlot == 2);
        break;
    case ChannelField::PrivateCallConfirmed:
        if (digital)
            put(r, PrivateCallConfirmed, s.privateCallConfirmed);
        break;
    case ChannelField::DataCallConfirmed:
        if (digital)
            put(r, DataCallConfirmed, s.dataCallConfirmed);
        break;
    case ChannelField::EmergencyAlarmAck: put(r, EmergencyAlarmAck, s.emergencyAlarmAck); break;
    case ChannelField::Privacy: put(r, Privacy, s.privacy); break;
    case ChannelField::PrivacyType: put(r, PrivacyEnhanced, s.privacyType != PrivacyType::Basic); break;
    case ChannelField::PrivacyCode: put(r, PrivacyCode, static_cast<unsigned>(s.privacyCode - 1)); break;
    case ChannelField::TxContact:
        // In an analog channel these bytes hold the analog switches.
        if (digital)
            setUIntLe(r, TxContact, wideContact_ ? 4 : 2, static_cast<std::uint32_t>(s.txContact));
        break;
    case ChannelField::ScanList:
        setU16Le(r, ScanList, s.scanList == 0 ? 0xFFFFu : static_cast<std::uint32_t>(s.scanList));
        break;
    case ChannelField::RxGroupList: setU8(r, RxGroupList, static_cast<unsigned>(s.rxGroupList)); break;
    case ChannelField::EmergencySystem: {
        const auto value = static_cast<unsigned>(s.emergencySystem);
        if (digital)
            setU8(r, DigitalEmergencySystem, value % DigitalEmergencyModulo);
        else
            put(r, AnalogEmergencySystem, value % AnalogEmergencyModulo);
        break;
    }
    }
    load(channel);
}

void ChannelRecordFormat::load(Channel& channel) const
{
    const ConstBytes r = recordOf(channel);
    ChannelSettings& s = channel.storedSettings();
    const bool digital = isDigital(r);
    s.name = SixBitText::decode(channel.familyRecord().data() + ChannelRecordSize);
    s.mode = digital ? ChannelMode::Dmr : ChannelMode::Fm;
    s.bandwidth = !digital && !isSet(r, Bandwidth12k5) ? Bandwidth::Wide25k : Bandwidth::Narrow12k5;
    s.rxFrequency = getU32Le(r, RxFrequency) / 1e6;
    s.txFrequency = getU32Le(r, TxFrequency) / 1e6;
    // The record keeps the level; showing what is stored keeps a TIGHT channel TIGHT.
    s.squelch = isSet(r, SquelchNormal) ? Squelch::Normal : Squelch::Tight;
    s.rxRefFrequency = refFrequencyOf(get(r, RxRefFrequency));
    s.txRefFrequency = refFrequencyOf(get(r, TxRefFrequency));
    s.tot = static_cast<int>(get(r, Tot));
    s.totRekeyDelay = getU8(r, TotRekeyDelay);
    const auto level = get(r, PowerLevelBits);
    s.power = level == 1 ? PowerLevel::Mid : level == 2 ? PowerLevel::High : PowerLevel::Low;
    s.admitCriterion = static_cast<int>(get(r, Admit) % (digital ? 3u : 5u));
    s.autoScan = isSet(r, AutoScan);
    s.rxOnly = isSet(r, RxOnly);
    s.loneWorker = isSet(r, LoneWorker);
    s.vox = isSet(r, Vox);
    s.talkaround = isSet(r, Talkaround);
    s.ctcssDecode = digital ? ToneCode::none() : toneOf(getU16Le(r, CtcssDecode), get(r, DecodeType));
    s.ctcssEncode = digital ? ToneCode::none() : toneOf(getU16Le(r, CtcssEncode), get(r, EncodeType));
    s.qtReverse = digital || isSet(r, QtReverse180) ? 180 : 120;
    s.rxSignalingSystem = 0;
    s.txSignalingSystem = 0;
    s.analogOption = !digital && isSet(r, AnalogOption);
    s.decodeSwitches = 0;
    s.colorCode = digital ? static_cast<int>(get(r, ColorCode)) : 0;
    s.timeSlot = digital && isSet(r, Slot2) ? 2 : 1;
    s.privateCallConfirmed = digital && isSet(r, PrivateCallConfirmed);
    s.emergencyAlarmAck = isSet(r, EmergencyAlarmAck);
    s.dataCallConfirmed = digital && isSet(r, DataCallConfirmed);
    s.privacy = isSet(r, Privacy);
    s.privacyType = isSet(r, PrivacyEnhanced) ? PrivacyType::Enhanced : PrivacyType::Basic;
    s.privacyCode = static_cast<int>(get(r, PrivacyCode)) + 1;
    s.txContact = digital ? static_cast<int>(getUIntLe(r, TxContact, wideContact_ ? 4 : 2) & 0x7FFFFFFF) : 0;
    const auto scanList = getU16Le(r, ScanList);
    s.scanList = scanList == 0xFFFF ? 0 : scanList;
    s.rxGroupList = getU8(r, RxGroupList);
    s.emergencySystem = digital ? getU8(r, DigitalEmergencySystem) % static_cast<int>(DigitalEmergencyModulo)
                                : static_cast<int>(get(r, AnalogEmergencySystem) % AnalogEmergencyModulo);
}

std::string ChannelRecordFormat::admitText(const Channel& channel) const
{
    return admitOf(channel.isDigital()).text(channel.admitCriterion());
}

int ChannelRecordFormat::admitFromText(const Channel& channel, std::string_view text) const
{
    return admitOf(channel.isDigital()).valueOf(text);
}

std::vector<std::string> ChannelRecordFormat::admitChoices(ChannelMode mode) const
{
    return admitOf(mode == ChannelMode::Dmr).choices();
}

std::string ChannelRecordFormat::powerText(const Channel& channel, std::string_view radioModel) const
{
    const ConstBytes r = recordOf(channel);
    // Radios whose model name has an "8" as third character have three power levels.
    if (radioModel.empty() || (radioModel.size() >= 3 && radioModel[2] == '8')) {
        const auto level = get(r, PowerLevelBits);
        return level == 1 ? "MID" : level == 2 ? "HIGH" : "LOW";
    }
    return isSet(r, HighPower) ? "HIGH" : "LOW";
}

bool ChannelRecordFormat::isHighPower(const Channel& channel) const { return isSet(recordOf(channel), HighPower); }

std::string ChannelRecordFormat::lookupName(std::string_view name) const { return SixBitText::normalize(name); }
bool ChannelRecordFormat::holdsName(std::string_view name) const { return SixBitText::holds(name); }

} // namespace pw::rdb
