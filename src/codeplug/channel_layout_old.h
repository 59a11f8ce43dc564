#pragma once
// Byte and bit positions of the channel fields in each family's record (see the maps in
// channel.h). Private to the channel's sources.

#include "codeplug/byte_field.h"
#include "codeplug/format_id.h"

#include <cstddef>

namespace pw::channel_layout {

// A field of `count` bits starting at bit `first` of byte `byte`.
struct BitField {
    std::size_t byte;
    unsigned first;
    unsigned count = 1;
};

inline unsigned get(ConstBytes bytes, BitField field) { return getBits(bytes, field.byte, field.first, field.count); }
inline bool isSet(ConstBytes bytes, BitField field) { return get(bytes, field) != 0; }
inline void put(Bytes bytes, BitField field, unsigned value) { setBits(bytes, field.byte, field.first, field.count, value); }
inline void put(Bytes bytes, BitField field, bool on) { put(bytes, field, on ? 1u : 0u); }

// The MD-2017 and MD-9600 channel records carry their power in byte 30 and marks in bytes 5 and 31.
inline constexpr bool isLargeTyt(FormatId id) { return id == Md2017Format || id == Md9600Format; }

namespace tyt {
inline constexpr BitField Mode{0, 0, 2};
inline constexpr BitField BandwidthCompanion{0, 2};  // cleared whenever the bandwidth is written
inline constexpr BitField Bandwidth25{0, 3};
inline constexpr BitField AutoScan{0, 4};
inline constexpr BitField SquelchNormal{0, 5};
inline constexpr BitField LoneWorker{0, 7};
inline constexpr BitField Talkaround{1, 0};
inline constexpr BitField RxOnly{1, 1};
inline constexpr BitField TimeSlot{1, 2, 2};
inline constexpr BitField ColorCode{1, 4, 4};
inline constexpr BitField PrivacyCode{2, 0, 4};
inline constexpr BitField Privacy{2, 4};
inline constexpr BitField PrivacyCompanion{2, 5};    // cleared when privacy is switched on
inline constexpr BitField PrivateCallConfirmed{2, 6};
inline constexpr BitField DataCallConfirmed{2, 7};
inline constexpr BitField RxRefFrequency{3, 0, 2};
inline constexpr BitField EmergencyAlarmAck{3, 3};
inline constexpr BitField TxRefFrequency{4, 0, 2};
inline constexpr BitField AnalogOption{4, 2};
inline constexpr BitField QtReverse120{4, 3};
inline constexpr BitField Vox{4, 4};
inline constexpr BitField HighPower{4, 5};           // 0x1001
inline constexpr BitField Admit{4, 6, 2};
inline constexpr std::size_t Marks = 5;              // 0x10 in 0x1002/0x1003 channels
inline constexpr std::size_t TxContact = 6;          // u16
inline constexpr std::size_t Tot = 8;
inline constexpr std::size_t TotRekeyDelay = 9;
inline constexpr std::size_t EmergencySystem = 10;
inline constexpr std::size_t ScanList = 11;
inline constexpr std::size_t RxGroupList = 12;
inline constexpr std::size_t DecodeSwitches = 14;
inline constexpr std::size_t RxFrequency = 16;       // u32, BCD
inline constexpr std::size_t TxFrequency = 20;       // u32, BCD
inline constexpr std::size_t CtcssDecode = 24;       // u16
inline constexpr std::size_t CtcssEncode = 26;       // u16
inline constexpr std::size_t RxSignaling = 28;
inline constexpr std::size_t TxSignaling = 29;
inline constexpr BitField PowerLevel{30, 0, 2};      // 0x1002/0x1003
inline constexpr std::size_t LargeFormatMark = 31;   // 255 in 0x1002/0x1003 channels
inline constexpr std::size_t Name = 32;
inline constexpr std::size_t NameUnits = 16;
// A new channel's bytes 0-31 are 0xFF, the name bytes zero.
inline constexpr std::size_t FilledPrefix = 32;
} // namespace tyt

namespace rdb {
inline constexpr std::size_t TxFrequency = 0;        // u32 Hz
inline constexpr std::size_t RxFrequency = 4;        // u32 Hz
inline constexpr BitField ModeFm{8, 0};
inline constexpr BitField Bandwidth12k5{8, 1};
inline constexpr BitField RxRefFrequency{8, 2, 2};
inline constexpr BitField TxRefFrequency{8, 4, 2};
inline constexpr BitField AutoScan{9, 0};
inline constexpr BitField RxOnly{9, 1};
inline constexpr BitField LoneWorker{9, 2};
inline constexpr BitField Vox{9, 3};
inline constexpr BitField Talkaround{9, 4};
inline constexpr BitField SquelchNormal{9, 6};
inline constexpr BitField HighPower{9, 7};
inline constexpr BitField EmergencyAlarmAck{10, 1};
inline constexpr BitField Admit{10, 3, 3};
inline constexpr BitField PowerLevel{10, 6, 2};      // 01 mid, 10 high
inline constexpr BitField Tot{11, 0, 6};
inline constexpr std::size_t ScanList = 12;          // u16
inline constexpr std::size_t TotRekeyDelay = 14;
// Byte 16 and 17: colour code, slot and confirmations in a digital channel, the decode tone in an
// analog one.
inline constexpr BitField ColorCode{16, 0, 4};
inline constexpr BitField Slot2{16, 4};
inline constexpr BitField PrivateCallConfirmed{16, 5};
inline constexpr BitField DataCallConfirmed{16, 7};
inline constexpr std::size_t CtcssDecode = 16;       // u16, analog
inline constexpr std::size_t CtcssEncode = 18;       // u16, analog
inline constexpr std::size_t DigitalEmergencySystem = 21;
inline constexpr std::size_t RxGroupList = 22;
inline constexpr BitField PrivacyCode{23, 0, 4};
inline constexpr BitField PrivacyEnhanced{23, 6};
inline constexpr BitField Privacy{23, 7};
// Bytes 24-25 (0x2003: 24-27): the contact in a digital channel; byte 24 the analog switches.
inline constexpr std::size_t TxContact = 24;
inline constexpr BitField AnalogOption{24, 0};
inline constexpr BitField QtReverse180{24, 1};
inline constexpr std::size_t Byte26 = 26;            // 1-16, 1 on new channels
inline constexpr BitField DecodeType{27, 0, 2};
inline constexpr BitField EncodeType{27, 2, 2};
inline constexpr BitField AnalogEmergencySystem{27, 4, 3};
inline constexpr unsigned DigitalEmergencyModulo = 33;
inline constexpr unsigned AnalogEmergencyModulo = 5;
} // namespace rdb

namespace d868 {
inline constexpr std::size_t RecordNumber = 0;
inline constexpr std::size_t InUse = 2;
inline constexpr std::size_t RxFrequency = 4;        // f64 MHz
inline constexpr std::size_t OffsetDirection = 12;
inline constexpr std::size_t Offset = 14;            // f64 MHz
inline constexpr std::size_t Mode = 22;
inline constexpr std::size_t Power = 24;
inline constexpr std::size_t Bandwidth = 26;
inline constexpr std::size_t RxOnly = 30;
inline constexpr std::size_t Talkaround = 34;
inline constexpr std::size_t DecodeType = 36;
inline constexpr std::size_t DecodeCtcssIndex = 38;
inline constexpr std::size_t DecodeDcs = 40;
inline constexpr std::size_t EncodeType = 42;
inline constexpr std::size_t EncodeCtcssIndex = 44;
inline constexpr std::size_t EncodeDcs = 46;
inline constexpr std::size_t Contact = 50;           // u32, 0-based
inline constexpr BitField Admit{58, 0, 2};
inline constexpr std::size_t DecodeSet = 60;
inline constexpr std::size_t ScanList = 62;          // 0-based, 255 none
inline constexpr std::size_t RxGroupList = 64;
inline constexpr std::size_t ColorCode = 74;
inline constexpr std::size_t Slot = 76;              // bit 0: slot 2
inline constexpr std::size_t ClearedOnDigital = 78;
inline constexpr std::size_t Privacy = 84;
inline constexpr std::size_t LoneWorker = 86;
inline constexpr std::size_t PrivacyType = 90;
inline constexpr std::size_t Name = 92;
inline constexpr std::size_t NameSize = 16;
inline constexpr std::size_t MarkWord32 = 108;       // −1 on new channels
inline constexpr std::size_t MarkWord16 = 112;       // −1 on new channels
inline constexpr unsigned NoScanList = 255;
inline constexpr unsigned ToneNone = 0, ToneCtcss = 1, ToneDcs = 2;
inline constexpr double NewChannelOffset = 0.6;
} // namespace d868

} // namespace pw::channel_layout
