#pragma once
// One memory channel: an analog FM or a digital DMR channel.
//
// Like a contact, a channel keeps the record of each format family in that family's byte layout.
// Getters read the block of the channel's own family; most setters write every block in which the
// field exists, so that the blocks stay in step (admit criterion and power, whose numbers mean
// different things per family, write the own family's block only). Digital-only setters do nothing
// on an FM channel and analog-only ones nothing on a DMR channel. The image codecs only copy the
// blocks in and out.
//
// TYT record, 64 bytes (bit 0 = least significant):
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
// RDB record, 32 bytes; the name is kept apart as 12 bytes of SixBitText (the image's name table):
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
// D868 block, 212 bytes (the D868 channel record without its trailing word), little-endian:
//   0 u16 record number  2 u16 in use  4 f64 RX MHz  12 u16 offset direction (0 none, 1 TX above,
//   2 TX below)  14 f64 offset MHz  22 u16 mode (0 FM, 1 DMR)  24 u16 power (0 low, 1 mid, 2-3 high)
//   26 u16 bandwidth (1 = 25 kHz)  30 u16 RX only  34 u16 talkaround  36 u16 decode type (0 none,
//   1 CTCSS, 2 DCS)  38 u16 decode CTCSS index  40 u16 decode DCS word  42-46 the same for encode
//   50 u32 contact (0-based)  58 b0-1 admit (0 always, 1 channel free, 2 colour code free)
//   60 u16 decode set  62 u16 scan list (0-based, 255 none)  64 u16 RX group list  74 u16 colour code
//   76 u16 b0 slot 2  78 u16 cleared when the mode becomes DMR  84 u16 privacy (0 off, else the key)
//   86 u16 lone worker  90 u16 privacy type (0 Basic, 1 Enhanced)  92 name[16]  108 u32 −1 on new
//   112 u16 −1 on new   114-211 carried unchanged
// The D868 family keeps no squelch, TOT, auto scan, VOX, QT reverse, signaling, analog option,
// decode switches, call confirmations or emergency system; it reads the reference frequencies,
// the TOT rekey delay and the emergency alarm ack from the RDB record.

#include "model/contact.h"
#include "model/format_id.h"
#include "model/record_list.h"
#include "model/tone_code.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

enum class ChannelMode { Fm, Dmr };
enum class Bandwidth { Narrow12k5, Wide25k };
enum class Squelch { Normal, Tight };
enum class RefFrequency { Low = 0, Medium = 1, High = 2 };
enum class PowerLevel { Low, Mid, High };
enum class PrivacyType { Basic, Enhanced };

class Channel {
public:
    static constexpr std::size_t TytRecordSize = 64;
    static constexpr std::size_t RdbRecordSize = 32;
    static constexpr std::size_t RdbNameSize = 12;
    static constexpr std::size_t D868BlockSize = 212;
    static constexpr std::size_t ContactNameCacheLimit = 63;
    // The longest TOT a channel stores, in 15-second steps (555 s).
    static constexpr int MaxTot = 37;

    // A new channel with the defaults, receiving and transmitting on `frequencyMhz`.
    explicit Channel(FormatId formatId, double frequencyMhz = 146.0);
    Channel(const Channel&) = default;
    Channel& operator=(const Channel&) = default;

    FormatId formatId() const { return formatId_; }
    FormatFamily family() const { return familyOf(formatId_); }

    // ---- Identity and references ----

    std::string name() const;
    void setName(std::string_view name);

    ChannelMode mode() const;
    void setMode(ChannelMode mode);
    bool isDigital() const { return mode() == ChannelMode::Dmr; }

    // 1-based contact position, 0 none; always 0 on an analog channel. A digital D868 channel
    // always has one (its stored 0-based word reads + 1).
    int txContact() const;
    // Writes the TYT word, the D868 word (position − 1) and, while the RDB record is digital, the
    // RDB word (32-bit in 0x2003); in an analog RDB record those bytes hold the analog switches.
    // Setting 0 also empties the contact name cache.
    void setTxContact(int position);
    // "NONE" (any case) gives no contact and the text "NONE"; otherwise `findContact` gives the
    // 0-based index of the contact of that name or -1.
    void setTxContactByName(std::string_view name, const std::function<int(std::string_view)>& findContact);
    // Takes the transmit contact's name from `contacts`; a reference to no contact becomes none.
    void refreshContactName(const RecordList<Contact>& contacts);
    const std::string& contactNameCache() const { return contactNameCache_; }
    void setContactNameCache(std::string_view text);

    int scanList() const;
    void setScanList(int position);
    int rxGroupList() const;
    void setRxGroupList(int position);
    int emergencySystem() const;
    void setEmergencySystem(int position);

    // ---- Radio ----

    double rxFrequency() const;
    double txFrequency() const;
    // Set the receive frequency first: the D868 block keeps the transmit frequency as an offset.
    void setRxFrequency(double mhz);
    void setTxFrequency(double mhz);
    // The D868 offset: direction 0 none, 1 transmit above receive, 2 below; offset in MHz.
    int d868OffsetDirection() const;
    double d868Offset() const;

    Bandwidth bandwidth() const;
    void setBandwidth(Bandwidth bandwidth);
    Squelch squelch() const;
    void setSquelch(Squelch squelch);
    RefFrequency rxRefFrequency() const;
    void setRxRefFrequency(RefFrequency value);
    RefFrequency txRefFrequency() const;
    void setTxRefFrequency(RefFrequency value);

    // TOT in 15-second steps, 0 infinite; the setter stores 0 for a value outside 0-37.
    int tot() const;
    void setTot(int steps);
    int totRekeyDelay() const;
    void setTotRekeyDelay(int seconds);

    // The power level as the own family stores it.
    PowerLevel power() const;
    void setPower(PowerLevel level);
    // The high-power test of the channel sort.
    bool isHighPower() const;

    // The stored admit number of the own family (see admitText).
    int admitCriterion() const;
    void setAdmitCriterion(int value);

    bool autoScan() const;
    void setAutoScan(bool on);
    bool rxOnly() const;
    void setRxOnly(bool on);
    bool loneWorker() const;
    void setLoneWorker(bool on);
    bool vox() const;
    void setVox(bool on);
    bool talkaround() const;
    void setTalkaround(bool on);

    // ---- Analog ----

    ToneCode ctcssDecode() const;
    void setCtcssDecode(ToneCode code);
    ToneCode ctcssEncode() const;
    void setCtcssEncode(ToneCode code);
    // 120 or 180 (0 in the D868 family, which does not keep it).
    int qtReverse() const;
    void setQtReverse(int degrees);
    // 0 Off, 1-4 DTMF-1 to DTMF-4.
    int rxSignalingSystem() const;
    void setRxSignalingSystem(int value);
    int txSignalingSystem() const;
    void setTxSignalingSystem(int value);
    bool analogOption() const;
    void setAnalogOption(bool on);
    // Eight switches, bit k = switch k.
    int decodeSwitches() const;
    void setDecodeSwitches(int bits);

    // ---- Digital ----

    int colorCode() const;
    void setColorCode(int code);
    int timeSlot() const;
    void setTimeSlot(int slot);
    bool privateCallConfirmed() const;
    void setPrivateCallConfirmed(bool on);
    bool emergencyAlarmAck() const;
    void setEmergencyAlarmAck(bool on);
    bool dataCallConfirmed() const;
    void setDataCallConfirmed(bool on);
    bool privacy() const;
    void setPrivacy(bool on);
    PrivacyType privacyType() const;
    void setPrivacyType(PrivacyType type);
    int privacyCode() const;
    void setPrivacyCode(int code);

    // ---- Text forms ----

    std::string modeText() const;                      // "DMR" / "FM"
    void setModeFromText(std::string_view text);       // "FM" (any case) is FM, all else DMR
    std::string bandwidthText() const;                 // "25" / "12.5"
    void setBandwidthFromText(std::string_view text);  // "25" is 25 kHz, all else 12.5
    std::string squelchText() const;                   // "NORMAL" / "TIGHT"
    void setSquelchFromText(std::string_view text);
    // "LOW", "MID" or "HIGH"; RDB channels need the codeplug's radio model name; "?" for a channel
    // of an unknown format.
    std::string powerText(std::string_view radioModel = {}) const;
    void setPowerFromText(std::string_view text);
    std::string rxRefFrequencyText() const;            // "Low", "Medium", "High"
    void setRxRefFrequencyFromText(std::string_view text);
    std::string txRefFrequencyText() const;
    void setTxRefFrequencyFromText(std::string_view text);
    std::string totText() const;                       // "Infinite" or the seconds
    void setTotFromText(std::string_view text);
    std::string admitText() const;
    void setAdmitFromText(std::string_view text);
    // The admit texts the editors offer for this channel's family and mode.
    std::vector<std::string> admitChoices() const;
    static std::vector<std::string> admitChoices(FormatId formatId, ChannelMode mode);
    std::string rxSignalingText() const;               // "Off", "DTMF-1" .. "DTMF-4"
    void setRxSignalingFromText(std::string_view text);
    std::string txSignalingText() const;
    void setTxSignalingFromText(std::string_view text);
    std::string qtReverseText() const;
    void setQtReverseFromText(std::string_view text);  // "120" is 120, all else 180
    std::string ctcssDecodeText() const { return ctcssDecode().text(); }
    void setCtcssDecodeFromText(std::string_view text) { setCtcssDecode(ToneCode::fromText(text)); }
    std::string ctcssEncodeText() const { return ctcssEncode().text(); }
    void setCtcssEncodeFromText(std::string_view text) { setCtcssEncode(ToneCode::fromText(text)); }
    // "BASIC" or "ENHANCED" when privacy is on, "NONE" when off.
    std::string privacyTypeText() const;
    // "NONE" (any case) switches privacy off; otherwise privacy is on, Basic for a first letter "B"
    // and Enhanced for anything else.
    void setPrivacyTypeFromText(std::string_view text);

    static std::string signalingName(int value);
    static int signalingFromText(std::string_view text);
    static std::string switchText(bool on) { return on ? "Yes" : "No"; }
    static bool switchFromText(std::string_view text);  // first letter "Y" (any case) is on
    static std::string frequencyText(double mhz);       // five decimals

    // ---- Table bookkeeping ----

    // RDB: the 1-based image slot of the channel, 0 when not placed.
    int slotNumber() const { return slotNumber_; }
    void setSlotNumber(int slot) { slotNumber_ = slot; }
    int sortPosition() const { return sortPosition_; }
    void setSortPosition(int position) { sortPosition_ = position; }
    int d868RecordNumber() const;
    // Also marks the D868 record in use.
    void setD868RecordNumber(int number);
    // Resets the D868 block to the new-channel block receiving on `rxMhz`.
    void resetD868Block(double rxMhz = 146.0);

    // ---- Raw family blocks, for the image codecs ----

    std::array<std::uint8_t, TytRecordSize>& tytChannelRecord() { return tyt_; }
    const std::array<std::uint8_t, TytRecordSize>& tytChannelRecord() const { return tyt_; }
    std::array<std::uint8_t, RdbRecordSize>& rdbChannelRecord() { return rdb_; }
    const std::array<std::uint8_t, RdbRecordSize>& rdbChannelRecord() const { return rdb_; }
    std::array<std::uint8_t, RdbNameSize>& rdbChannelName() { return rdbName_; }
    const std::array<std::uint8_t, RdbNameSize>& rdbChannelName() const { return rdbName_; }
    std::array<std::uint8_t, D868BlockSize>& d868ChannelFields() { return d868_; }
    const std::array<std::uint8_t, D868BlockSize>& d868ChannelFields() const { return d868_; }
    // The 16-bit word that follows the block in a D868 channel record: not interpreted, carried
    // through so that a saved file keeps it.
    std::uint16_t d868RecordTail() const { return d868RecordTail_; }
    void setD868RecordTail(std::uint16_t word) { d868RecordTail_ = word; }

private:
    bool rdbIsDigital() const;
    void clearRdbSharedBytes(ChannelMode newMode);

    FormatId formatId_;
    std::array<std::uint8_t, TytRecordSize> tyt_{};
    std::array<std::uint8_t, RdbRecordSize> rdb_{};
    std::array<std::uint8_t, RdbNameSize> rdbName_{};
    std::array<std::uint8_t, D868BlockSize> d868_{};
    std::uint16_t d868RecordTail_ = 0;
    int slotNumber_ = 0;
    int sortPosition_ = 0;
    std::string contactNameCache_;
};

} // namespace pw
