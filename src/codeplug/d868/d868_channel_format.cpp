// SPDX-License-Identifier: GPL-3.0-or-later
// The D868 channel record, 214 bytes: a 212-byte block and a word carried through unchanged.
// Block, little-endian:
//   0 u16 record number  2 u16 in use  4 f64 RX MHz  12 u16 offset direction (0 none, 1 TX above,
//   2 TX below)  14 f64 offset MHz  22 u16 mode (0 FM, 1 DMR)  24 u16 power (0 low, 1 mid, 2-3 high)
//   26 u16 bandwidth (1 = 25 kHz)  30 u16 RX only  34 u16 talkaround  36 u16 decode type (0 none,
//   1 CTCSS, 2 DCS)  38 u16 decode CTCSS index  40 u16 decode DCS word  42-46 the same for encode
//   50 u32 contact (0-based)  58 b0-1 admit (0 always, 1 channel free, 2 colour code free)
//   60 u16 decode set  62 u16 scan list (0-based, 255 none)  64 u16 RX group list  74 u16 colour code
//   76 u16 b0 slot 2  78 u16 cleared when the mode becomes DMR  84 u16 privacy (0 off, else the key)
//   86 u16 lone worker  90 u16 privacy type (0 Basic, 1 Enhanced)  92 name[16]  108 u32 −1 on new
//   112 u16 −1 on new   114-211 carried unchanged
// The file keeps no squelch, TOT, auto scan, VOX, QT reverse, signaling, analog option, decode
// switches, call confirmations or emergency system: a channel reads them as off. The reference
// frequencies, the TOT rekey delay and the emergency alarm ack are kept with the channel while the
// program runs, but not in the file.

#include "codeplug/d868/d868_records.h"

#include "codeplug/admit_criteria.h"
#include "codeplug/byte_field.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pw::d868 {
namespace {

constexpr std::size_t RecordNumber = 0;
constexpr std::size_t InUse = 2;
constexpr std::size_t RxFrequency = 4;
constexpr std::size_t OffsetDirection = 12;
constexpr std::size_t Offset = 14;
constexpr std::size_t Mode = 22;
constexpr std::size_t Power = 24;
constexpr std::size_t Bandwidth = 26;
constexpr std::size_t RxOnly = 30;
constexpr std::size_t Talkaround = 34;
constexpr std::size_t DecodeType = 36;
constexpr std::size_t DecodeCtcssIndex = 38;
constexpr std::size_t DecodeDcs = 40;
constexpr std::size_t EncodeType = 42;
constexpr std::size_t EncodeCtcssIndex = 44;
constexpr std::size_t EncodeDcs = 46;
constexpr std::size_t Contact = 50;
constexpr BitField Admit{58, 0, 2};
constexpr std::size_t DecodeSet = 60;
constexpr std::size_t ScanList = 62;
constexpr std::size_t RxGroupList = 64;
constexpr std::size_t ColorCode = 74;
constexpr std::size_t Slot = 76;
constexpr std::size_t ClearedOnDigital = 78;
constexpr std::size_t Privacy = 84;
constexpr std::size_t LoneWorker = 86;
constexpr std::size_t PrivacyTypeWord = 90;
constexpr std::size_t Name = 92;
constexpr std::size_t NameSize = 16;
constexpr std::size_t MarkWord32 = 108;
constexpr std::size_t MarkWord16 = 112;
constexpr unsigned NoScanList = 255;
constexpr unsigned ToneNone = 0, ToneCtcss = 1, ToneDcs = 2;
constexpr double NewChannelOffset = 0.6;
constexpr std::size_t RecordSize = ChannelBlockSize + 2;

// "Diff Color Code", offered beside the others, is stored as Color Code Free.
constexpr std::array<std::string_view, 3> AdmitTexts = {"Always", "Channel Free", "Color Code Free"};
constexpr std::array<std::string_view, 4> AdmitOffered = {"Always", "Channel Free", "Diff Color Code", "Color Code Free"};
constexpr std::array<AdmitWords, 2> AdmitReadings{
    {{1, {"CHANNEL_FREE", "Channel Free"}}, {2, {"DIFF_COLOR_CODE", "Diff Color Code", "COLOR_CODE", "Color Code Free"}}}};
constexpr AdmitCriteria Admits{AdmitTexts, AdmitReadings, AdmitOffered};

double finiteOrZero(double mhz) { return std::isfinite(mhz) ? mhz : 0.0; }

ToneCode toneAt(ConstBytes block, std::size_t typeAt, std::size_t indexAt, std::size_t dcsAt)
{
    switch (getU16Le(block, typeAt)) {
    case ToneCtcss: return ctcssToneAt(getU16Le(block, indexAt));
    case ToneDcs: return ToneCode::fromD868DcsWord(getU16Le(block, dcsAt));
    default: return ToneCode::none();
    }
}

void putTone(Bytes block, std::size_t typeAt, std::size_t indexAt, std::size_t dcsAt, ToneCode code)
{
    if (code.isCtcss()) {
        setU16Le(block, typeAt, ToneCtcss);
        setU16Le(block, indexAt, static_cast<std::uint32_t>(ctcssToneIndex(code)));
    } else if (code.isDcs()) {
        setU16Le(block, typeAt, ToneDcs);
        setU16Le(block, dcsAt, code.d868DcsWord());
    } else {
        setU16Le(block, typeAt, ToneNone);
    }
}

} // namespace

std::vector<std::uint8_t> ChannelRecordFormat::blankRecord() const { return std::vector<std::uint8_t>(RecordSize, 0); }

void ChannelRecordFormat::resetBlock(Channel& channel, double rxMhz)
{
    const Bytes block = Bytes(channel.familyRecord()).first(ChannelBlockSize);
    std::fill(block.begin(), block.end(), std::uint8_t{0});
    setU16Le(block, RecordNumber, 1);
    setU16Le(block, InUse, 1);
    setF64Le(block, RxFrequency, finiteOrZero(rxMhz));
    setU16Le(block, OffsetDirection, 0);
    setF64Le(block, Offset, NewChannelOffset);
    setU16Le(block, Bandwidth, 1);
    setU16Le(block, ScanList, NoScanList);
    setU32Le(block, MarkWord32, 0xFFFFFFFFu);
    setU16Le(block, MarkWord16, 0xFFFFu);
    setCString(block, Name, NameSize, "New Channel", NameSize);
}

void ChannelRecordFormat::finishNewChannel(Channel& channel, double frequencyMhz) const
{
    resetBlock(channel, frequencyMhz);
    load(channel);
}

void ChannelRecordFormat::beginChannelLine(Channel& channel) const
{
    resetBlock(channel, 146.0);
    // What the file does not keep starts from nothing too.
    ChannelSettings& s = channel.storedSettings();
    s.rxRefFrequency = RefFrequency::Low;
    s.txRefFrequency = RefFrequency::Low;
    s.totRekeyDelay = 0;
    s.emergencyAlarmAck = false;
    load(channel);
}

TextRoom ChannelRecordFormat::nameRoom() const { return {NameSize, StoredCharacters::Latin1}; }

void ChannelRecordFormat::store(Channel& channel, ChannelField field) const
{
    const Bytes b = Bytes(channel.familyRecord()).first(ChannelBlockSize);
    const ChannelSettings& s = channel.storedSettings();
    switch (field) {
    case ChannelField::Name: setLatin1Text(b, Name, NameSize, s.name, NameSize); break;
    case ChannelField::Mode:
        setU16Le(b, Mode, s.mode == ChannelMode::Dmr ? 1u : 0u);
        if (s.mode == ChannelMode::Dmr)
            setU16Le(b, ClearedOnDigital, 0);
        break;
    case ChannelField::Bandwidth: setU16Le(b, Bandwidth, s.bandwidth == pw::Bandwidth::Wide25k ? 1u : 0u); break;
    case ChannelField::RxFrequency: setF64Le(b, RxFrequency, finiteOrZero(s.rxFrequency)); break;
    case ChannelField::TxFrequency: {
        // The block keeps the transmit frequency as an offset from the receive frequency, to whole
        // hertz, so 146.6 against 146.0 is stored as 0.6 and not 0.59999...
        const double difference = std::round((finiteOrZero(s.txFrequency) - getF64Le(b, RxFrequency)) * 1e6) / 1e6;
        unsigned direction = 0;
        double offset = 0.0;
        if (difference >= 0.01) {
            direction = 1;
            offset = difference;
        } else if (difference <= -0.01) {
            direction = 2;
            offset = -difference;
        }
        setU16Le(b, OffsetDirection, direction);
        setF64Le(b, Offset, offset);
        break;
    }
    case ChannelField::Power:
        setU16Le(b, Power, s.power == PowerLevel::Low ? 0u : s.power == PowerLevel::Mid ? 1u : 2u);
        break;
    case ChannelField::AdmitCriterion: put(b, Admit, static_cast<unsigned>(s.admitCriterion)); break;
    case ChannelField::RxOnly: setU16Le(b, RxOnly, s.rxOnly ? 1u : 0u); break;
    case ChannelField::LoneWorker: setU16Le(b, LoneWorker, s.loneWorker ? 1u : 0u); break;
    case ChannelField::Talkaround: setU16Le(b, Talkaround, s.talkaround ? 1u : 0u); break;
    case ChannelField::CtcssDecode:
        putTone(b, DecodeType, DecodeCtcssIndex, DecodeDcs, s.ctcssDecode);
        setU16Le(b, DecodeSet, s.ctcssDecode.isNone() ? 0u : 1u);
        break;
    case ChannelField::CtcssEncode: putTone(b, EncodeType, EncodeCtcssIndex, EncodeDcs, s.ctcssEncode); break;
    case ChannelField::ColorCode: setU16Le(b, ColorCode, static_cast<std::uint32_t>(s.colorCode)); break;
    case ChannelField::TimeSlot:
        setU16Le(b, Slot, (getU16Le(b, Slot) & ~1u) | (s.timeSlot == 2 ? 1u : 0u));
        break;
    case ChannelField::Privacy:
        if (s.privacy) {
            // The word is both the switch and the key number; an existing key is kept.
            if (getU16Le(b, Privacy) == 0)
                setU16Le(b, Privacy, 1);
        } else {
            setU16Le(b, Privacy, 0);
            setU16Le(b, PrivacyTypeWord, 0);
        }
        break;
    case ChannelField::PrivacyType: setU16Le(b, PrivacyTypeWord, s.privacyType == PrivacyType::Basic ? 0u : 1u); break;
    case ChannelField::PrivacyCode:
        // The word is the key number while privacy is on and 0 while it is off; storing code − 1
        // there would switch privacy off for key 1.
        if (getU16Le(b, Privacy) != 0)
            setU16Le(b, Privacy, static_cast<unsigned>(s.privacyCode));
        break;
    case ChannelField::TxContact:
        setU32Le(b, Contact, s.txContact > 0 ? static_cast<std::uint32_t>(s.txContact) - 1 : 0);
        break;
    case ChannelField::ScanList:
        setU16Le(b, ScanList, s.scanList == 0 ? NoScanList : static_cast<std::uint32_t>(s.scanList) - 1);
        break;
    case ChannelField::RxGroupList: setU16Le(b, RxGroupList, static_cast<std::uint32_t>(s.rxGroupList)); break;
    // Kept while the program runs, not in the file.
    case ChannelField::RxRefFrequency:
    case ChannelField::TxRefFrequency:
    case ChannelField::TotRekeyDelay:
    case ChannelField::EmergencyAlarmAck:
    // Not kept at all.
    case ChannelField::Squelch:
    case ChannelField::Tot:
    case ChannelField::AutoScan:
    case ChannelField::Vox:
    case ChannelField::QtReverse:
    case ChannelField::RxSignaling:
    case ChannelField::TxSignaling:
    case ChannelField::AnalogOption:
    case ChannelField::DecodeSwitches:
    case ChannelField::PrivateCallConfirmed:
    case ChannelField::DataCallConfirmed:
    case ChannelField::EmergencySystem: break;
    }
    load(channel);
}

void ChannelRecordFormat::load(Channel& channel)
{
    const ConstBytes b = ConstBytes(channel.familyRecord()).first(ChannelBlockSize);
    ChannelSettings& s = channel.storedSettings();
    s.name = getLatin1Text(b, Name, NameSize);
    s.mode = getU16Le(b, Mode) != 0 ? ChannelMode::Dmr : ChannelMode::Fm;
    s.bandwidth = getU16Le(b, Bandwidth) == 1 ? pw::Bandwidth::Wide25k : pw::Bandwidth::Narrow12k5;
    s.rxFrequency = getF64Le(b, RxFrequency);
    switch (getU16Le(b, OffsetDirection)) {
    case 1: s.txFrequency = s.rxFrequency + getF64Le(b, Offset); break;
    case 2: s.txFrequency = s.rxFrequency - getF64Le(b, Offset); break;
    default: s.txFrequency = s.rxFrequency; break;
    }
    s.squelch = Squelch::Normal;
    s.tot = 0;
    const auto power = getU16Le(b, Power);
    s.power = power == 0 ? PowerLevel::Low : power == 1 ? PowerLevel::Mid : PowerLevel::High;
    s.admitCriterion = static_cast<int>(get(b, Admit));
    s.autoScan = false;
    s.rxOnly = getU16Le(b, RxOnly) != 0;
    s.loneWorker = getU16Le(b, LoneWorker) != 0;
    s.vox = false;
    s.talkaround = getU16Le(b, Talkaround) != 0;
    s.ctcssDecode = toneAt(b, DecodeType, DecodeCtcssIndex, DecodeDcs);
    s.ctcssEncode = toneAt(b, EncodeType, EncodeCtcssIndex, EncodeDcs);
    s.qtReverse = 0;
    s.rxSignalingSystem = 0;
    s.txSignalingSystem = 0;
    s.analogOption = false;
    s.decodeSwitches = 0;
    s.colorCode = getU16Le(b, ColorCode);
    s.timeSlot = (getU16Le(b, Slot) & 1u) != 0 ? 2 : 1;
    s.privateCallConfirmed = false;
    s.dataCallConfirmed = false;
    const auto privacy = getU16Le(b, Privacy);
    s.privacy = privacy != 0;
    s.privacyType = getU16Le(b, PrivacyTypeWord) != 0 ? PrivacyType::Enhanced : PrivacyType::Basic;
    s.privacyCode = privacy == 0 ? 1 : privacy;
    // A damaged word must not overflow the 1-based reference.
    s.txContact = static_cast<int>(std::min<std::uint32_t>(getU32Le(b, Contact), 0x7FFFFFFE)) + 1;
    const auto scanList = getU16Le(b, ScanList);
    s.scanList = scanList == NoScanList ? 0 : scanList + 1;
    s.rxGroupList = getU16Le(b, RxGroupList);
    s.emergencySystem = 0;
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
    case PowerLevel::Low: return "LOW";
    case PowerLevel::Mid: return "MID";
    default: return "HIGH";
    }
}

bool ChannelRecordFormat::isHighPower(const Channel& channel) const { return channel.power() != PowerLevel::Low; }

} // namespace pw::d868
