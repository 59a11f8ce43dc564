// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One memory channel: an analog FM or a digital DMR channel.
//
// A channel belongs to one codeplug format. Its values are the settings users see; every setter
// first applies the rules that hold for every radio (digital-only settings do nothing on an FM
// channel, a TOT longer than 555 s is none) and then hands the value to the channel's
// ChannelFormat, which writes it into the channel's family record and takes back what that record
// holds. So a channel always shows what a save will write (a frequency rounded to the format's
// steps, a power level the radio does not know replaced by one it does), and a channel read from a
// file keeps every byte of its record that no setting covers. Moving a channel to a codeplug of
// another format goes through its text form (ChannelLine) or its values.

#include "model/contact.h"
#include "model/record_bytes.h"
#include "model/record_format.h"
#include "model/record_list.h"
#include "model/tone_code.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

enum class ChannelMode : std::uint8_t { Fm, Dmr };
enum class Bandwidth : std::uint8_t { Narrow12k5, Wide25k };
enum class Squelch : std::uint8_t { Normal, Tight };
enum class RefFrequency : std::uint8_t { Low = 0, Medium = 1, High = 2 };
enum class PowerLevel : std::uint8_t { Low, Mid, High };
enum class PrivacyType : std::uint8_t { Basic, Enhanced };

// The settings of a channel as values. References are 1-based table positions, 0 for none.
struct ChannelSettings {
    std::string name;
    ChannelMode mode = ChannelMode::Fm;
    Bandwidth bandwidth = Bandwidth::Wide25k;
    double rxFrequency = 0.0;
    double txFrequency = 0.0;
    Squelch squelch = Squelch::Normal;
    RefFrequency rxRefFrequency = RefFrequency::Low;
    RefFrequency txRefFrequency = RefFrequency::Low;
    int tot = 0;
    int totRekeyDelay = 0;
    PowerLevel power = PowerLevel::Low;
    int admitCriterion = 0;
    bool autoScan = false;
    bool rxOnly = false;
    bool loneWorker = false;
    bool vox = false;
    bool talkaround = false;
    ToneCode ctcssDecode;
    ToneCode ctcssEncode;
    int qtReverse = 180;
    int rxSignalingSystem = 0;
    int txSignalingSystem = 0;
    bool analogOption = false;
    int decodeSwitches = 0;
    int colorCode = 0;
    int timeSlot = 1;
    bool privateCallConfirmed = false;
    bool emergencyAlarmAck = false;
    bool dataCallConfirmed = false;
    bool privacy = false;
    PrivacyType privacyType = PrivacyType::Basic;
    int privacyCode = 1;
    int txContact = 0;
    int scanList = 0;
    int rxGroupList = 0;
    int emergencySystem = 0;

    bool operator==(const ChannelSettings&) const = default;
};

class Channel {
public:
    static constexpr std::size_t ContactNameCacheLimit = 63;
    // The longest TOT a channel stores, in 15-second steps (555 s).
    static constexpr int MaxTot = 37;

    // A new channel of `format` with the defaults, receiving and transmitting on `frequencyMhz`.
    explicit Channel(const ChannelFormat& format, double frequencyMhz = 146.0);

    const ChannelFormat& format() const { return *format_; }

    // ---- Identity and references ----

    const std::string& name() const { return settings_.name; }
    void setName(std::string_view name);

    ChannelMode mode() const { return settings_.mode; }
    void setMode(ChannelMode mode);
    bool isDigital() const { return mode() == ChannelMode::Dmr; }

    // 1-based contact position, 0 none; always 0 on an analog channel.
    int txContact() const { return isDigital() ? settings_.txContact : 0; }
    // Setting 0 also empties the contact name cache.
    void setTxContact(int position);
    // "NONE" (any case) gives no contact and the text "NONE"; otherwise `findContact` gives the
    // 0-based index of the contact of that name or -1.
    void setTxContactByName(std::string_view name, const std::function<int(std::string_view)>& findContact);
    // Takes the transmit contact's name from `contacts`; a reference to no contact becomes none.
    void refreshContactName(const RecordList<Contact>& contacts);
    const std::string& contactNameCache() const { return contactNameCache_; }
    void setContactNameCache(std::string_view text);

    int scanList() const { return settings_.scanList; }
    void setScanList(int position);
    int rxGroupList() const { return settings_.rxGroupList; }
    void setRxGroupList(int position);
    int emergencySystem() const { return settings_.emergencySystem; }
    void setEmergencySystem(int position);

    // ---- Radio ----

    double rxFrequency() const { return settings_.rxFrequency; }
    double txFrequency() const { return settings_.txFrequency; }
    // Set the receive frequency first: some formats keep the transmit frequency as an offset.
    void setRxFrequency(double mhz);
    void setTxFrequency(double mhz);

    Bandwidth bandwidth() const { return settings_.bandwidth; }
    void setBandwidth(Bandwidth bandwidth);
    Squelch squelch() const { return settings_.squelch; }
    void setSquelch(Squelch squelch);
    RefFrequency rxRefFrequency() const { return settings_.rxRefFrequency; }
    void setRxRefFrequency(RefFrequency value);
    RefFrequency txRefFrequency() const { return settings_.txRefFrequency; }
    void setTxRefFrequency(RefFrequency value);

    // TOT in 15-second steps, 0 infinite; the setter stores 0 for a value outside 0-37.
    int tot() const { return settings_.tot; }
    void setTot(int steps);
    int totRekeyDelay() const { return settings_.totRekeyDelay; }
    void setTotRekeyDelay(int seconds);

    // The power level as the channel's format stores it.
    PowerLevel power() const { return settings_.power; }
    void setPower(PowerLevel level);
    bool isHighPower() const { return format_->isHighPower(*this); }

    // The stored admit number of the channel's format (see admitText).
    int admitCriterion() const { return settings_.admitCriterion; }
    void setAdmitCriterion(int value);

    bool autoScan() const { return settings_.autoScan; }
    void setAutoScan(bool on);
    bool rxOnly() const { return settings_.rxOnly; }
    void setRxOnly(bool on);
    bool loneWorker() const { return settings_.loneWorker; }
    void setLoneWorker(bool on);
    bool vox() const { return settings_.vox; }
    void setVox(bool on);
    bool talkaround() const { return settings_.talkaround; }
    void setTalkaround(bool on);

    // ---- Analog ----

    ToneCode ctcssDecode() const { return settings_.ctcssDecode; }
    void setCtcssDecode(ToneCode code);
    ToneCode ctcssEncode() const { return settings_.ctcssEncode; }
    void setCtcssEncode(ToneCode code);
    // 120 or 180 (0 in formats that do not keep it).
    int qtReverse() const { return settings_.qtReverse; }
    void setQtReverse(int degrees);
    // 0 Off, 1-4 DTMF-1 to DTMF-4.
    int rxSignalingSystem() const { return settings_.rxSignalingSystem; }
    void setRxSignalingSystem(int value);
    int txSignalingSystem() const { return settings_.txSignalingSystem; }
    void setTxSignalingSystem(int value);
    bool analogOption() const { return settings_.analogOption; }
    void setAnalogOption(bool on);
    // Eight switches, bit k = switch k.
    int decodeSwitches() const { return settings_.decodeSwitches; }
    void setDecodeSwitches(int bits);

    // ---- Digital ----

    int colorCode() const { return settings_.colorCode; }
    void setColorCode(int code);
    int timeSlot() const { return settings_.timeSlot; }
    void setTimeSlot(int slot);
    bool privateCallConfirmed() const { return settings_.privateCallConfirmed; }
    void setPrivateCallConfirmed(bool on);
    bool emergencyAlarmAck() const { return settings_.emergencyAlarmAck; }
    void setEmergencyAlarmAck(bool on);
    bool dataCallConfirmed() const { return settings_.dataCallConfirmed; }
    void setDataCallConfirmed(bool on);
    bool privacy() const { return settings_.privacy; }
    void setPrivacy(bool on);
    PrivacyType privacyType() const { return settings_.privacyType; }
    void setPrivacyType(PrivacyType type);
    int privacyCode() const { return settings_.privacyCode; }
    void setPrivacyCode(int code);

    // ---- Text forms ----

    std::string modeText() const;                      // "DMR" / "FM"
    void setModeFromText(std::string_view text);       // "FM" (any case) is FM, all else DMR
    std::string bandwidthText() const;                 // "25" / "12.5"
    void setBandwidthFromText(std::string_view text);  // "25" is 25 kHz, all else 12.5
    std::string squelchText() const;                   // "NORMAL" / "TIGHT"
    void setSquelchFromText(std::string_view text);
    // "LOW", "MID" or "HIGH" as the radio named `radioModel` shows it (only some formats care).
    std::string powerText(std::string_view radioModel = {}) const { return format_->powerText(*this, radioModel); }
    void setPowerFromText(std::string_view text);
    std::string rxRefFrequencyText() const;            // "Low", "Medium", "High"
    void setRxRefFrequencyFromText(std::string_view text);
    std::string txRefFrequencyText() const;
    void setTxRefFrequencyFromText(std::string_view text);
    std::string totText() const;                       // "Infinite" or the seconds
    void setTotFromText(std::string_view text);
    std::string admitText() const { return format_->admitText(*this); }
    void setAdmitFromText(std::string_view text);
    // The admit texts the editors offer for this channel's format and mode.
    std::vector<std::string> admitChoices() const { return format_->admitChoices(mode()); }
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

    // The image slot the codec placed the channel in (1-based), 0 when its format has no slots or
    // the channel is not placed.
    int slotNumber() const { return slotNumber_; }
    void setSlotNumber(int slot) { slotNumber_ = slot; }

    // ---- For the formats: the stored values and record, written without asking the format ----

    ChannelSettings& storedSettings() { return settings_; }
    const ChannelSettings& storedSettings() const { return settings_; }
    RecordBytes& familyRecord() { return familyRecord_; }
    const RecordBytes& familyRecord() const { return familyRecord_; }
    void setFamilyRecord(std::span<const std::uint8_t> bytes) { familyRecord_.assign(bytes.begin(), bytes.end()); }

private:
    void store(ChannelField field) { format_->store(*this, field); }

    const ChannelFormat* format_;
    ChannelSettings settings_;
    RecordBytes familyRecord_;
    std::string contactNameCache_;
    int slotNumber_ = 0;
};

} // namespace pw
