#include "model/channel.h"

#include "model/byte_field.h"
#include "model/channel_layout.h"
#include "model/letter_case.h"
#include "model/six_bit_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace pw {

using namespace channel_layout;

namespace {

// TYT frequencies are eight BCD digits of 10 Hz. Values are rounded to 10 Hz and the digits kept
// right-aligned, so 50 MHz stays 50 MHz rather than turning into 500 MHz; what the eight digits
// cannot hold is clamped to 0 or 999.99999 MHz.
std::uint32_t tytBcdOf(double mhz)
{
    if (!std::isfinite(mhz) || mhz <= 0.0)
        return 0;
    auto tens = static_cast<std::uint32_t>(std::min(std::round(mhz * 100000.0), 99999999.0));
    std::uint32_t bcd = 0;
    for (unsigned shift = 0; shift < 32; shift += 4, tens /= 10)
        bcd |= (tens % 10) << shift;
    return bcd;
}

double mhzOfTytBcd(std::uint32_t bcd)
{
    std::uint32_t tens = 0;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const std::uint32_t nibble = (bcd >> shift) & 0xF;
        tens = tens * 10 + (nibble <= 9 ? nibble : 0);
    }
    return tens / 100000.0;
}

// RDB frequencies are whole hertz, rounded rather than truncated so that 146.52 MHz does not
// come back as 146.519999.
std::uint32_t rdbHertzOf(double mhz)
{
    if (!std::isfinite(mhz) || mhz <= 0.0)
        return 0;
    return static_cast<std::uint32_t>(std::min(std::round(mhz * 1e6), 4294967295.0));
}

double finiteOrZero(double mhz) { return std::isfinite(mhz) ? mhz : 0.0; }

} // namespace

Channel::Channel(FormatId formatId, double frequencyMhz) : formatId_(formatId)
{
    std::fill_n(tyt_.begin(), tyt::FilledPrefix, std::uint8_t{0xFF});
    rdbName_ = SixBitText::encode("");

    // The order matters: digital-only setters do nothing once the mode is FM, so colour code,
    // slot and confirmations keep the bits of the 0xFF fill.
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
    setU8(rdb_, rdb::Byte26, 1);
    setRxFrequency(frequencyMhz);
    setTxFrequency(frequencyMhz);
    if (isLargeTyt(formatId_)) {
        setU8(tyt_, tyt::LargeFormatMark, 255);
        setU8(tyt_, tyt::Marks, 0x10);
    }
    if (family() == FormatFamily::D868Family)
        resetD868Block(frequencyMhz);
}

void Channel::resetD868Block(double rxMhz)
{
    d868_.fill(0);
    setU16Le(d868_, d868::RecordNumber, 1);
    setU16Le(d868_, d868::InUse, 1);
    setF64Le(d868_, d868::RxFrequency, finiteOrZero(rxMhz));
    setU16Le(d868_, d868::OffsetDirection, 0);
    setF64Le(d868_, d868::Offset, d868::NewChannelOffset);
    setU16Le(d868_, d868::Bandwidth, 1);
    setU16Le(d868_, d868::ScanList, d868::NoScanList);
    setU32Le(d868_, d868::MarkWord32, 0xFFFFFFFFu);
    setU16Le(d868_, d868::MarkWord16, 0xFFFFu);
    setCString(d868_, d868::Name, d868::NameSize, "New Channel", d868::NameSize);
}

int Channel::d868RecordNumber() const { return getU16Le(d868_, d868::RecordNumber); }

void Channel::setD868RecordNumber(int number)
{
    setU16Le(d868_, d868::RecordNumber, static_cast<std::uint32_t>(std::clamp(number, 0, 0xFFFF)));
    setU16Le(d868_, d868::InUse, 1);
}

// ---- Identity and references ----

std::string Channel::name() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return getUtf16Name(tyt_, tyt::Name, tyt::NameUnits);
    case FormatFamily::RdbFamily: return SixBitText::decode(rdbName_);
    case FormatFamily::D868Family: return getCString(d868_, d868::Name, d868::NameSize);
    default: return {};
    }
}

void Channel::setName(std::string_view name)
{
    name = name.substr(0, std::min(name.find('\0'), name.size()));
    setUtf16Name(tyt_, tyt::Name, tyt::NameUnits, name);
    rdbName_ = SixBitText::encode(name);
    setCString(d868_, d868::Name, d868::NameSize, name, d868::NameSize);
}

bool Channel::rdbIsDigital() const { return !isSet(rdb_, rdb::ModeFm); }

ChannelMode Channel::mode() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return get(tyt_, tyt::Mode) == 2 ? ChannelMode::Dmr : ChannelMode::Fm;
    case FormatFamily::RdbFamily: return rdbIsDigital() ? ChannelMode::Dmr : ChannelMode::Fm;
    case FormatFamily::D868Family: return getU16Le(d868_, d868::Mode) != 0 ? ChannelMode::Dmr : ChannelMode::Fm;
    default: return ChannelMode::Fm;
    }
}

void Channel::setMode(ChannelMode mode)
{
    const bool digital = mode == ChannelMode::Dmr;
    put(tyt_, tyt::Mode, digital ? 2u : 1u);

    const bool wasDigital = rdbIsDigital();
    put(rdb_, rdb::ModeFm, !digital);
    if (digital)
        put(rdb_, rdb::Bandwidth12k5, true);
    if (wasDigital != digital)
        clearRdbSharedBytes(mode);

    setU16Le(d868_, d868::Mode, digital ? 1u : 0u);
    if (digital)
        setU16Le(d868_, d868::ClearedOnDigital, 0);
}

// RDB bytes 16-17 and 24-27 mean different things in analog and digital channels. When the mode
// changes they are set to the new mode's neutral values, so that a decode tone does not turn into
// a colour code and a QT reverse switch into a contact reference.
void Channel::clearRdbSharedBytes(ChannelMode newMode)
{
    const bool wideContact = formatId_ == RdbV2Format;
    if (newMode == ChannelMode::Dmr) {
        setU16Le(rdb_, rdb::CtcssDecode, 0);
        setUIntLe(rdb_, rdb::TxContact, wideContact ? 4 : 2, 0);
        return;
    }
    setU16Le(rdb_, rdb::CtcssDecode, ToneCode::NoneValue);
    put(rdb_, rdb::DecodeType, 0u);
    setU8(rdb_, rdb::TxContact, 0);
    setU8(rdb_, rdb::TxContact + 1, 0);
    put(rdb_, rdb::QtReverse180, true);
    if (wideContact) {
        // Bytes 26 and 27 held the top of the contact word.
        setU8(rdb_, rdb::Byte26, 1);
        setU8(rdb_, rdb::DecodeType.byte, 0);
        setU16Le(rdb_, rdb::CtcssEncode, ToneCode::NoneValue);
    }
}

int Channel::txContact() const
{
    if (!isDigital())
        return 0;
    switch (family()) {
    case FormatFamily::TytFamily: return getU16Le(tyt_, tyt::TxContact);
    case FormatFamily::RdbFamily:
        return static_cast<int>(getUIntLe(rdb_, rdb::TxContact, formatId_ == RdbV2Format ? 4 : 2) & 0x7FFFFFFF);
    case FormatFamily::D868Family:
        // A damaged word must not overflow the 1-based reference.
        return static_cast<int>(std::min<std::uint32_t>(getU32Le(d868_, d868::Contact), 0x7FFFFFFE)) + 1;
    default: return 0;
    }
}

void Channel::setTxContact(int position)
{
    position = std::max(position, 0);
    const auto value = static_cast<std::uint32_t>(position);
    setU16Le(tyt_, tyt::TxContact, value);
    // In an analog RDB channel these bytes hold the analog switches.
    if (rdbIsDigital())
        setUIntLe(rdb_, rdb::TxContact, formatId_ == RdbV2Format ? 4 : 2, value);
    setU32Le(d868_, d868::Contact, position > 0 ? value - 1 : 0);
    if (position == 0)
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
    contactNameCache_.assign(text.substr(0, std::min(text.size(), ContactNameCacheLimit)));
}

int Channel::scanList() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return getU8(tyt_, tyt::ScanList);
    case FormatFamily::RdbFamily: {
        const auto value = getU16Le(rdb_, rdb::ScanList);
        return value == 0xFFFF ? 0 : value;
    }
    case FormatFamily::D868Family: {
        const auto value = getU16Le(d868_, d868::ScanList);
        return value == d868::NoScanList ? 0 : value + 1;
    }
    default: return 0;
    }
}

void Channel::setScanList(int position)
{
    position = std::clamp(position, 0, 255);
    const auto value = static_cast<std::uint32_t>(position);
    setU8(tyt_, tyt::ScanList, value);
    setU16Le(rdb_, rdb::ScanList, position == 0 ? 0xFFFFu : value);
    setU16Le(d868_, d868::ScanList, position == 0 ? d868::NoScanList : value - 1);
}

int Channel::rxGroupList() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return getU8(tyt_, tyt::RxGroupList);
    case FormatFamily::RdbFamily: return getU8(rdb_, rdb::RxGroupList);
    case FormatFamily::D868Family: return getU16Le(d868_, d868::RxGroupList);
    default: return 0;
    }
}

void Channel::setRxGroupList(int position)
{
    const auto value = static_cast<std::uint32_t>(std::max(position, 0) % 251);
    setU8(tyt_, tyt::RxGroupList, value);
    setU8(rdb_, rdb::RxGroupList, value);
    setU16Le(d868_, d868::RxGroupList, value);
}

int Channel::emergencySystem() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return getU8(tyt_, tyt::EmergencySystem);
    case FormatFamily::RdbFamily:
        if (rdbIsDigital())
            return getU8(rdb_, rdb::DigitalEmergencySystem) % static_cast<int>(rdb::DigitalEmergencyModulo);
        return static_cast<int>(get(rdb_, rdb::AnalogEmergencySystem) % rdb::AnalogEmergencyModulo);
    default: return 0;
    }
}

void Channel::setEmergencySystem(int position)
{
    position = std::max(position, 0);
    const auto value = static_cast<unsigned>(position);
    setU8(tyt_, tyt::EmergencySystem, position <= 250 ? value : 0u);
    if (rdbIsDigital())
        setU8(rdb_, rdb::DigitalEmergencySystem, value % rdb::DigitalEmergencyModulo);
    else
        put(rdb_, rdb::AnalogEmergencySystem, value % rdb::AnalogEmergencyModulo);
}

// ---- Radio ----

double Channel::rxFrequency() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return mhzOfTytBcd(getU32Le(tyt_, tyt::RxFrequency));
    case FormatFamily::RdbFamily: return getU32Le(rdb_, rdb::RxFrequency) / 1e6;
    case FormatFamily::D868Family: return getF64Le(d868_, d868::RxFrequency);
    default: return 0.0;
    }
}

double Channel::txFrequency() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return mhzOfTytBcd(getU32Le(tyt_, tyt::TxFrequency));
    case FormatFamily::RdbFamily: return getU32Le(rdb_, rdb::TxFrequency) / 1e6;
    case FormatFamily::D868Family: {
        const double rx = rxFrequency();
        switch (d868OffsetDirection()) {
        case 1: return rx + d868Offset();
        case 2: return rx - d868Offset();
        default: return rx;
        }
    }
    default: return 0.0;
    }
}

void Channel::setRxFrequency(double mhz)
{
    setU32Le(tyt_, tyt::RxFrequency, tytBcdOf(mhz));
    setU32Le(rdb_, rdb::RxFrequency, rdbHertzOf(mhz));
    setF64Le(d868_, d868::RxFrequency, finiteOrZero(mhz));
}

void Channel::setTxFrequency(double mhz)
{
    setU32Le(tyt_, tyt::TxFrequency, tytBcdOf(mhz));
    setU32Le(rdb_, rdb::TxFrequency, rdbHertzOf(mhz));

    // Offsets are kept to whole hertz, so 146.6 against 146.0 is stored as 0.6 and not 0.59999...
    const double difference = std::round((finiteOrZero(mhz) - getF64Le(d868_, d868::RxFrequency)) * 1e6) / 1e6;
    unsigned direction = 0;
    double offset = 0.0;
    if (difference >= 0.01) {
        direction = 1;
        offset = difference;
    } else if (difference <= -0.01) {
        direction = 2;
        offset = -difference;
    }
    setU16Le(d868_, d868::OffsetDirection, direction);
    setF64Le(d868_, d868::Offset, offset);
}

int Channel::d868OffsetDirection() const { return getU16Le(d868_, d868::OffsetDirection); }
double Channel::d868Offset() const { return getF64Le(d868_, d868::Offset); }

} // namespace pw
