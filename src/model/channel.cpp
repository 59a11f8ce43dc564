// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel.h"

#include "model/letter_case.h"
#include "model/unicode_text.h"

#include <algorithm>

namespace pw {

namespace {
std::string_view untilZero(std::string_view text) { return text.substr(0, std::min(text.find('\0'), text.size())); }
} // namespace

Channel::Channel(const ChannelFormat& format, double frequencyMhz) : format_(&format), familyRecord_(format.blankRecord())
{
    // The order matters: digital-only setters do nothing once the mode is FM, so colour code,
    // slot and confirmations keep what the blank record holds.
    setSquelch(Squelch::Normal);
    setName("Untitled");
    setMode(ChannelMode::Fm);
    setCtcssEncode(ToneCode::none());
    setCtcssDecode(ToneCode::none());
    setPrivacy(false);
    setPower(PowerLevel::High);
    setBandwidth(Bandwidth::Wide25k);
    setRxRefFrequency(RefFrequency::Low);
    setTxRefFrequency(RefFrequency::Low);
    setRxSignalingSystem(0);
    setTxSignalingSystem(0);
    setTalkaround(true);
    setTotRekeyDelay(0);
    setTot(120 / 15);
    setAdmitFromText("Always");
    setAutoScan(false);
    setRxOnly(false);
    setVox(false);
    setLoneWorker(false);
    setQtReverse(180);
    setEmergencySystem(0);
    setRxGroupList(0);
    setScanList(0);
    setTxContact(0);
    setRxFrequency(frequencyMhz);
    setTxFrequency(frequencyMhz);
    format.finishNewChannel(*this, frequencyMhz);
}

// ---- Identity and references ----

void Channel::setName(std::string_view name)
{
    settings_.name = untilZero(name);
    store(ChannelField::Name);
}

void Channel::setMode(ChannelMode mode)
{
    settings_.mode = mode;
    store(ChannelField::Mode);
}

void Channel::setTxContact(int position)
{
    settings_.txContact = std::max(position, 0);
    store(ChannelField::TxContact);
    if (position <= 0)
        contactNameCache_.clear();
}

void Channel::setTxContactByName(std::string_view name, const std::function<int(std::string_view)>& findContact)
{
    if (equalsIgnoringCase(name, "NONE")) {
        setTxContact(0);
        setContactNameCache("NONE");
        return;
    }
    const int index = findContact ? findContact(name) : -1;
    if (index < 0) {
        setTxContact(0);
        return;
    }
    setTxContact(index + 1);
    setContactNameCache(name);
}

void Channel::refreshContactName(const RecordList<Contact>& contacts)
{
    const int reference = txContact();
    if (!isDigital() || reference == 0) {
        contactNameCache_.clear();
        return;
    }
    if (const Contact* contact = contacts.at(reference - 1)) {
        setContactNameCache(contact->name());
        return;
    }
    contactNameCache_.clear();
    setTxContact(0);
}

void Channel::setContactNameCache(std::string_view text)
{
    contactNameCache_.assign(utf8Prefix(text, ContactNameCacheLimit));
}

void Channel::setScanList(int position)
{
    settings_.scanList = std::clamp(position, 0, 255);
    store(ChannelField::ScanList);
}

void Channel::setRxGroupList(int position)
{
    settings_.rxGroupList = std::max(position, 0) % 251;
    store(ChannelField::RxGroupList);
}

void Channel::setEmergencySystem(int position)
{
    settings_.emergencySystem = std::max(position, 0);
    store(ChannelField::EmergencySystem);
}

// ---- Radio ----

void Channel::setRxFrequency(double mhz)
{
    settings_.rxFrequency = mhz;
    store(ChannelField::RxFrequency);
}

void Channel::setTxFrequency(double mhz)
{
    settings_.txFrequency = mhz;
    store(ChannelField::TxFrequency);
}

void Channel::setBandwidth(Bandwidth bandwidth)
{
    settings_.bandwidth = bandwidth;
    store(ChannelField::Bandwidth);
}

void Channel::setSquelch(Squelch squelch)
{
    settings_.squelch = squelch;
    store(ChannelField::Squelch);
}

void Channel::setRxRefFrequency(RefFrequency value)
{
    settings_.rxRefFrequency = value;
    store(ChannelField::RxRefFrequency);
}

void Channel::setTxRefFrequency(RefFrequency value)
{
    settings_.txRefFrequency = value;
    store(ChannelField::TxRefFrequency);
}

void Channel::setTot(int steps)
{
    settings_.tot = steps >= 0 && steps <= MaxTot ? steps : 0;
    store(ChannelField::Tot);
}

void Channel::setTotRekeyDelay(int seconds)
{
    settings_.totRekeyDelay = std::clamp(seconds, 0, 255);
    store(ChannelField::TotRekeyDelay);
}

void Channel::setPower(PowerLevel level)
{
    settings_.power = level;
    store(ChannelField::Power);
}

void Channel::setAdmitCriterion(int value)
{
    settings_.admitCriterion = std::max(value, 0);
    store(ChannelField::AdmitCriterion);
}

void Channel::setAutoScan(bool on)
{
    settings_.autoScan = on;
    store(ChannelField::AutoScan);
}

void Channel::setRxOnly(bool on)
{
    settings_.rxOnly = on;
    store(ChannelField::RxOnly);
}

void Channel::setLoneWorker(bool on)
{
    settings_.loneWorker = on;
    store(ChannelField::LoneWorker);
}

void Channel::setVox(bool on)
{
    settings_.vox = on;
    store(ChannelField::Vox);
}

void Channel::setTalkaround(bool on)
{
    settings_.talkaround = on;
    store(ChannelField::Talkaround);
}

// ---- Analog ----

void Channel::setCtcssDecode(ToneCode code)
{
    settings_.ctcssDecode = code;
    store(ChannelField::CtcssDecode);
}

void Channel::setCtcssEncode(ToneCode code)
{
    settings_.ctcssEncode = code;
    store(ChannelField::CtcssEncode);
}

void Channel::setQtReverse(int degrees)
{
    settings_.qtReverse = degrees == 120 ? 120 : 180;
    store(ChannelField::QtReverse);
}

void Channel::setRxSignalingSystem(int value)
{
    settings_.rxSignalingSystem = value >= 0 && value <= 4 ? value : 0;
    store(ChannelField::RxSignaling);
}

void Channel::setTxSignalingSystem(int value)
{
    settings_.txSignalingSystem = value >= 0 && value <= 4 ? value : 0;
    store(ChannelField::TxSignaling);
}

void Channel::setAnalogOption(bool on)
{
    if (isDigital())
        return;
    settings_.analogOption = on;
    store(ChannelField::AnalogOption);
}

void Channel::setDecodeSwitches(int bits)
{
    settings_.decodeSwitches = bits & 0xFF;
    store(ChannelField::DecodeSwitches);
}

// ---- Digital ----

void Channel::setColorCode(int code)
{
    if (!isDigital())
        return;
    settings_.colorCode = code >= 0 && code <= 15 ? code : 1;
    store(ChannelField::ColorCode);
}

void Channel::setTimeSlot(int slot)
{
    if (!isDigital())
        return;
    settings_.timeSlot = slot == 2 ? 2 : 1;
    store(ChannelField::TimeSlot);
}

void Channel::setPrivateCallConfirmed(bool on)
{
    if (!isDigital())
        return;
    settings_.privateCallConfirmed = on;
    store(ChannelField::PrivateCallConfirmed);
}

void Channel::setEmergencyAlarmAck(bool on)
{
    if (!isDigital())
        return;
    settings_.emergencyAlarmAck = on;
    store(ChannelField::EmergencyAlarmAck);
}

void Channel::setDataCallConfirmed(bool on)
{
    if (!isDigital())
        return;
    settings_.dataCallConfirmed = on;
    store(ChannelField::DataCallConfirmed);
}

void Channel::setPrivacy(bool on)
{
    settings_.privacy = on;
    store(ChannelField::Privacy);
}

void Channel::setPrivacyType(PrivacyType type)
{
    settings_.privacyType = type;
    store(ChannelField::PrivacyType);
}

void Channel::setPrivacyCode(int code)
{
    settings_.privacyCode = code >= 1 && code <= 16 ? code : 1;
    store(ChannelField::PrivacyCode);
}

} // namespace pw
