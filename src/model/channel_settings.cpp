// The channel's radio, analog and digital settings: each getter reads the own family's block,
// most setters write every block that keeps the field.

#include "model/channel.h"

#include "model/byte_field.h"
#include "model/channel_layout.h"

#include <algorithm>

namespace pw {

using namespace channel_layout;

namespace {

unsigned rdbToneType(ToneCode code)
{
    if (code.isNone())
        return 0;
    if (code.isCtcss())
        return 1;
    return code.isInverted() ? 3 : 2;
}

ToneCode rdbTone(std::uint16_t word, unsigned type)
{
    switch (type) {
    case 1: return ToneCode(static_cast<std::uint16_t>(word & 0x3FFF));
    case 2: return ToneCode(static_cast<std::uint16_t>((word & 0x0FFF) | 0x8000));
    case 3: return ToneCode(static_cast<std::uint16_t>((word & 0x0FFF) | 0xC000));
    default: return ToneCode::none();
    }
}

ToneCode d868Tone(ConstBytes block, std::size_t typeAt, std::size_t indexAt, std::size_t dcsAt)
{
    switch (getU16Le(block, typeAt)) {
    case d868::ToneCtcss: return ctcssToneAt(getU16Le(block, indexAt));
    case d868::ToneDcs: return ToneCode::fromD868DcsWord(getU16Le(block, dcsAt));
    default: return ToneCode::none();
    }
}

void setD868Tone(Bytes block, std::size_t typeAt, std::size_t indexAt, std::size_t dcsAt, ToneCode code)
{
    if (code.isCtcss()) {
        setU16Le(block, typeAt, d868::ToneCtcss);
        setU16Le(block, indexAt, static_cast<std::uint32_t>(ctcssToneIndex(code)));
    } else if (code.isDcs()) {
        setU16Le(block, typeAt, d868::ToneDcs);
        setU16Le(block, dcsAt, code.d868DcsWord());
    } else {
        setU16Le(block, typeAt, d868::ToneNone);
    }
}

} // namespace

Bandwidth Channel::bandwidth() const
{
    bool wide = false;
    switch (family()) {
    case FormatFamily::TytFamily: wide = isSet(tyt_, tyt::Bandwidth25); break;
    case FormatFamily::RdbFamily: wide = !rdbIsDigital() && !isSet(rdb_, rdb::Bandwidth12k5); break;
    case FormatFamily::D868Family: wide = getU16Le(d868_, d868::Bandwidth) == 1; break;
    default: break;
    }
    return wide ? Bandwidth::Wide25k : Bandwidth::Narrow12k5;
}

void Channel::setBandwidth(Bandwidth bandwidth)
{
    const bool wide = bandwidth == Bandwidth::Wide25k;
    put(tyt_, tyt::Bandwidth25, wide);
    put(tyt_, tyt::BandwidthCompanion, false);
    put(rdb_, rdb::Bandwidth12k5, !wide);
    setU16Le(d868_, d868::Bandwidth, wide ? 1u : 0u);
}

Squelch Channel::squelch() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::SquelchNormal) ? Squelch::Normal : Squelch::Tight;
    // The RDB record keeps the level; showing what is stored keeps a TIGHT channel TIGHT.
    case FormatFamily::RdbFamily: return isSet(rdb_, rdb::SquelchNormal) ? Squelch::Normal : Squelch::Tight;
    default: return Squelch::Normal;
    }
}

void Channel::setSquelch(Squelch squelch)
{
    put(tyt_, tyt::SquelchNormal, squelch == Squelch::Normal);
    put(rdb_, rdb::SquelchNormal, squelch == Squelch::Normal);
}

namespace {
RefFrequency refFrequencyOf(unsigned value)
{
    return value == 0 ? RefFrequency::Low : value == 1 ? RefFrequency::Medium : RefFrequency::High;
}
} // namespace

RefFrequency Channel::rxRefFrequency() const
{
    if (family() == FormatFamily::TytFamily)
        return refFrequencyOf(get(tyt_, tyt::RxRefFrequency));
    if (family() == FormatFamily::RdbFamily || family() == FormatFamily::D868Family)
        return refFrequencyOf(get(rdb_, rdb::RxRefFrequency));
    return RefFrequency::Low;
}

void Channel::setRxRefFrequency(RefFrequency value)
{
    put(tyt_, tyt::RxRefFrequency, static_cast<unsigned>(value));
    put(rdb_, rdb::RxRefFrequency, static_cast<unsigned>(value));
}

RefFrequency Channel::txRefFrequency() const
{
    if (family() == FormatFamily::TytFamily)
        return refFrequencyOf(get(tyt_, tyt::TxRefFrequency));
    if (family() == FormatFamily::RdbFamily || family() == FormatFamily::D868Family)
        return refFrequencyOf(get(rdb_, rdb::TxRefFrequency));
    return RefFrequency::Low;
}

void Channel::setTxRefFrequency(RefFrequency value)
{
    put(tyt_, tyt::TxRefFrequency, static_cast<unsigned>(value));
    put(rdb_, rdb::TxRefFrequency, static_cast<unsigned>(value));
}

int Channel::tot() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return getU8(tyt_, tyt::Tot);
    case FormatFamily::RdbFamily: return static_cast<int>(get(rdb_, rdb::Tot));
    default: return 0;
    }
}

void Channel::setTot(int steps)
{
    const auto value = static_cast<unsigned>(steps >= 0 && steps <= MaxTot ? steps : 0);
    setU8(tyt_, tyt::Tot, value);
    put(rdb_, rdb::Tot, value);
}

int Channel::totRekeyDelay() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return getU8(tyt_, tyt::TotRekeyDelay);
    case FormatFamily::RdbFamily:
    case FormatFamily::D868Family: return getU8(rdb_, rdb::TotRekeyDelay);
    default: return 0;
    }
}

void Channel::setTotRekeyDelay(int seconds)
{
    const auto value = static_cast<unsigned>(std::clamp(seconds, 0, 255));
    setU8(tyt_, tyt::TotRekeyDelay, value);
    setU8(rdb_, rdb::TotRekeyDelay, value);
}

PowerLevel Channel::power() const
{
    const auto text = powerText();
    return text == "HIGH" ? PowerLevel::High : text == "MID" ? PowerLevel::Mid : PowerLevel::Low;
}

void Channel::setPower(PowerLevel level)
{
    if (family() == FormatFamily::D868Family) {
        setU16Le(d868_, d868::Power, level == PowerLevel::Low ? 0u : level == PowerLevel::Mid ? 1u : 2u);
        return;
    }
    if (isLargeTyt(formatId_)) {
        put(tyt_, tyt::PowerLevel, level == PowerLevel::Low ? 0u : level == PowerLevel::Mid ? 2u : 3u);
        return;
    }
    if (formatId_ != Md380Format && family() != FormatFamily::RdbFamily)
        return;
    // The MD-380 family knows only high and low: MID is low there.
    const bool rdb = family() == FormatFamily::RdbFamily;
    const bool high = level == PowerLevel::High || (level == PowerLevel::Mid && rdb);
    put(tyt_, tyt::HighPower, high);
    put(rdb_, rdb::HighPower, high);
    put(rdb_, rdb::PowerLevel, !high ? 0u : level == PowerLevel::High ? 2u : 1u);
}

bool Channel::isHighPower() const
{
    if (family() == FormatFamily::D868Family)
        return getU16Le(d868_, d868::Power) != 0;
    if (isLargeTyt(formatId_))
        return get(tyt_, tyt::PowerLevel) != 0;
    if (formatId_ == Md380Format)
        return isSet(tyt_, tyt::HighPower);
    if (family() == FormatFamily::RdbFamily)
        return isSet(rdb_, rdb::HighPower);
    return false;
}

std::string Channel::powerText(std::string_view radioModel) const
{
    if (family() == FormatFamily::D868Family) {
        const auto word = getU16Le(d868_, d868::Power);
        return word == 0 ? "LOW" : word == 1 ? "MID" : "HIGH";
    }
    if (isLargeTyt(formatId_)) {
        const auto level = get(tyt_, tyt::PowerLevel);
        return level == 0 ? "LOW" : level == 3 ? "HIGH" : "MID";
    }
    if (formatId_ == Md380Format)
        return isSet(tyt_, tyt::HighPower) ? "HIGH" : "LOW";
    if (family() == FormatFamily::RdbFamily) {
        // Radios whose model name has an "8" as third character have three power levels.
        if (radioModel.empty() || (radioModel.size() >= 3 && radioModel[2] == '8')) {
            const auto level = get(rdb_, rdb::PowerLevel);
            return level == 1 ? "MID" : level == 2 ? "HIGH" : "LOW";
        }
        return isSet(rdb_, rdb::HighPower) ? "HIGH" : "LOW";
    }
    return "?";
}

int Channel::admitCriterion() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return static_cast<int>(get(tyt_, tyt::Admit));
    case FormatFamily::RdbFamily: return static_cast<int>(get(rdb_, rdb::Admit) % (rdbIsDigital() ? 3u : 5u));
    case FormatFamily::D868Family: return static_cast<int>(get(d868_, d868::Admit));
    default: return 0;
    }
}

// The numbers mean different things in each family, so only the own family's block is written.
void Channel::setAdmitCriterion(int value)
{
    const auto stored = static_cast<unsigned>(std::max(value, 0));
    switch (family()) {
    case FormatFamily::TytFamily: put(tyt_, tyt::Admit, stored); break;
    case FormatFamily::RdbFamily: put(rdb_, rdb::Admit, stored); break;
    case FormatFamily::D868Family: put(d868_, d868::Admit, stored); break;
    default: break;
    }
}

bool Channel::autoScan() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::AutoScan);
    case FormatFamily::RdbFamily: return isSet(rdb_, rdb::AutoScan);
    default: return false;
    }
}

void Channel::setAutoScan(bool on)
{
    put(tyt_, tyt::AutoScan, on);
    put(rdb_, rdb::AutoScan, on);
}

bool Channel::rxOnly() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::RxOnly);
    case FormatFamily::RdbFamily: return isSet(rdb_, rdb::RxOnly);
    case FormatFamily::D868Family: return getU16Le(d868_, d868::RxOnly) != 0;
    default: return false;
    }
}

void Channel::setRxOnly(bool on)
{
    put(tyt_, tyt::RxOnly, on);
    put(rdb_, rdb::RxOnly, on);
    setU16Le(d868_, d868::RxOnly, on ? 1u : 0u);
}

bool Channel::loneWorker() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::LoneWorker);
    case FormatFamily::RdbFamily: return isSet(rdb_, rdb::LoneWorker);
    case FormatFamily::D868Family: return getU16Le(d868_, d868::LoneWorker) != 0;
    default: return false;
    }
}

void Channel::setLoneWorker(bool on)
{
    put(tyt_, tyt::LoneWorker, on);
    put(rdb_, rdb::LoneWorker, on);
    setU16Le(d868_, d868::LoneWorker, on ? 1u : 0u);
}

bool Channel::vox() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::Vox);
    case FormatFamily::RdbFamily: return isSet(rdb_, rdb::Vox);
    default: return false;
    }
}

void Channel::setVox(bool on)
{
    put(tyt_, tyt::Vox, on);
    put(rdb_, rdb::Vox, on);
}

bool Channel::talkaround() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::Talkaround);
    case FormatFamily::RdbFamily: return isSet(rdb_, rdb::Talkaround);
    case FormatFamily::D868Family: return getU16Le(d868_, d868::Talkaround) != 0;
    default: return false;
    }
}

void Channel::setTalkaround(bool on)
{
    put(tyt_, tyt::Talkaround, on);
    put(rdb_, rdb::Talkaround, on);
    setU16Le(d868_, d868::Talkaround, on ? 1u : 0u);
}

// ---- Analog ----

ToneCode Channel::ctcssDecode() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return ToneCode(getU16Le(tyt_, tyt::CtcssDecode));
    case FormatFamily::RdbFamily:
        if (rdbIsDigital())
            return ToneCode::none();
        return rdbTone(getU16Le(rdb_, rdb::CtcssDecode), get(rdb_, rdb::DecodeType));
    case FormatFamily::D868Family:
        return d868Tone(d868_, d868::DecodeType, d868::DecodeCtcssIndex, d868::DecodeDcs);
    default: return ToneCode::none();
    }
}

void Channel::setCtcssDecode(ToneCode code)
{
    setU16Le(tyt_, tyt::CtcssDecode, code.value());
    // A digital RDB channel keeps its colour code and slot in these bytes.
    if (!rdbIsDigital()) {
        setU16Le(rdb_, rdb::CtcssDecode, code.value());
        put(rdb_, rdb::DecodeType, rdbToneType(code));
    }
    setD868Tone(d868_, d868::DecodeType, d868::DecodeCtcssIndex, d868::DecodeDcs, code);
    setU16Le(d868_, d868::DecodeSet, code.isNone() ? 0u : 1u);
}

ToneCode Channel::ctcssEncode() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return ToneCode(getU16Le(tyt_, tyt::CtcssEncode));
    case FormatFamily::RdbFamily:
        if (rdbIsDigital())
            return ToneCode::none();
        return rdbTone(getU16Le(rdb_, rdb::CtcssEncode), get(rdb_, rdb::EncodeType));
    case FormatFamily::D868Family:
        return d868Tone(d868_, d868::EncodeType, d868::EncodeCtcssIndex, d868::EncodeDcs);
    default: return ToneCode::none();
    }
}

void Channel::setCtcssEncode(ToneCode code)
{
    setU16Le(tyt_, tyt::CtcssEncode, code.value());
    // The type bits share byte 27 with the top of a 0x2003 contact word.
    if (!rdbIsDigital()) {
        setU16Le(rdb_, rdb::CtcssEncode, code.value());
        put(rdb_, rdb::EncodeType, rdbToneType(code));
    }
    setD868Tone(d868_, d868::EncodeType, d868::EncodeCtcssIndex, d868::EncodeDcs, code);
}

int Channel::qtReverse() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::QtReverse120) ? 120 : 180;
    case FormatFamily::RdbFamily:
        if (rdbIsDigital())
            return 180;
        return isSet(rdb_, rdb::QtReverse180) ? 180 : 120;
    default: return 0;
    }
}

void Channel::setQtReverse(int degrees)
{
    put(tyt_, tyt::QtReverse120, degrees == 120);
    if (!rdbIsDigital())
        put(rdb_, rdb::QtReverse180, degrees != 120);
}

int Channel::rxSignalingSystem() const
{
    return family() == FormatFamily::TytFamily ? getU8(tyt_, tyt::RxSignaling) % 5 : 0;
}

void Channel::setRxSignalingSystem(int value)
{
    setU8(tyt_, tyt::RxSignaling, static_cast<unsigned>(value >= 0 && value <= 4 ? value : 0));
}

int Channel::txSignalingSystem() const
{
    return family() == FormatFamily::TytFamily ? getU8(tyt_, tyt::TxSignaling) % 5 : 0;
}

void Channel::setTxSignalingSystem(int value)
{
    setU8(tyt_, tyt::TxSignaling, static_cast<unsigned>(value >= 0 && value <= 4 ? value : 0));
}

bool Channel::analogOption() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::AnalogOption);
    case FormatFamily::RdbFamily: return !rdbIsDigital() && isSet(rdb_, rdb::AnalogOption);
    default: return false;
    }
}

void Channel::setAnalogOption(bool on)
{
    if (isDigital())
        return;
    put(tyt_, tyt::AnalogOption, on);
    if (!rdbIsDigital())
        put(rdb_, rdb::AnalogOption, on);
}

int Channel::decodeSwitches() const
{
    return family() == FormatFamily::TytFamily ? getU8(tyt_, tyt::DecodeSwitches) : 0;
}

void Channel::setDecodeSwitches(int bits) { setU8(tyt_, tyt::DecodeSwitches, static_cast<unsigned>(bits) & 0xFF); }

// ---- Digital ----

int Channel::colorCode() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return static_cast<int>(get(tyt_, tyt::ColorCode));
    case FormatFamily::RdbFamily: return rdbIsDigital() ? static_cast<int>(get(rdb_, rdb::ColorCode)) : 0;
    case FormatFamily::D868Family: return getU16Le(d868_, d868::ColorCode);
    default: return 0;
    }
}

void Channel::setColorCode(int code)
{
    if (!isDigital())
        return;
    const auto value = static_cast<unsigned>(code >= 0 && code <= 15 ? code : 1);
    put(tyt_, tyt::ColorCode, value);
    if (rdbIsDigital())
        put(rdb_, rdb::ColorCode, value);
    setU16Le(d868_, d868::ColorCode, value);
}

int Channel::timeSlot() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return get(tyt_, tyt::TimeSlot) == 2 ? 2 : 1;
    case FormatFamily::RdbFamily: return rdbIsDigital() && isSet(rdb_, rdb::Slot2) ? 2 : 1;
    case FormatFamily::D868Family: return (getU16Le(d868_, d868::Slot) & 1u) != 0 ? 2 : 1;
    default: return 1;
    }
}

void Channel::setTimeSlot(int slot)
{
    if (!isDigital())
        return;
    const bool second = slot == 2;
    put(tyt_, tyt::TimeSlot, second ? 2u : 1u);
    if (rdbIsDigital())
        put(rdb_, rdb::Slot2, second);
    setU16Le(d868_, d868::Slot, (getU16Le(d868_, d868::Slot) & ~1u) | (second ? 1u : 0u));
}

bool Channel::privateCallConfirmed() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::PrivateCallConfirmed);
    case FormatFamily::RdbFamily: return rdbIsDigital() && isSet(rdb_, rdb::PrivateCallConfirmed);
    default: return false;
    }
}

void Channel::setPrivateCallConfirmed(bool on)
{
    if (!isDigital())
        return;
    put(tyt_, tyt::PrivateCallConfirmed, on);
    if (rdbIsDigital())
        put(rdb_, rdb::PrivateCallConfirmed, on);
}

bool Channel::emergencyAlarmAck() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::EmergencyAlarmAck);
    case FormatFamily::RdbFamily:
    case FormatFamily::D868Family: return isSet(rdb_, rdb::EmergencyAlarmAck);
    default: return false;
    }
}

void Channel::setEmergencyAlarmAck(bool on)
{
    if (!isDigital())
        return;
    put(tyt_, tyt::EmergencyAlarmAck, on);
    put(rdb_, rdb::EmergencyAlarmAck, on);
}

bool Channel::dataCallConfirmed() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::DataCallConfirmed);
    case FormatFamily::RdbFamily: return rdbIsDigital() && isSet(rdb_, rdb::DataCallConfirmed);
    default: return false;
    }
}

void Channel::setDataCallConfirmed(bool on)
{
    if (!isDigital())
        return;
    put(tyt_, tyt::DataCallConfirmed, on);
    if (rdbIsDigital())
        put(rdb_, rdb::DataCallConfirmed, on);
}

bool Channel::privacy() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::Privacy);
    case FormatFamily::RdbFamily: return isSet(rdb_, rdb::Privacy);
    case FormatFamily::D868Family: return getU16Le(d868_, d868::Privacy) != 0;
    default: return false;
    }
}

void Channel::setPrivacy(bool on)
{
    put(tyt_, tyt::Privacy, on);
    put(tyt_, tyt::PrivacyCompanion, false);
    put(rdb_, rdb::Privacy, on);
    if (on) {
        // The D868 word is both the switch and the key number; an existing key is kept.
        if (getU16Le(d868_, d868::Privacy) == 0)
            setU16Le(d868_, d868::Privacy, 1);
    } else {
        setU16Le(d868_, d868::Privacy, 0);
        setU16Le(d868_, d868::PrivacyType, 0);
    }
}

PrivacyType Channel::privacyType() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return isSet(tyt_, tyt::Privacy) ? PrivacyType::Basic : PrivacyType::Enhanced;
    case FormatFamily::RdbFamily:
        return isSet(rdb_, rdb::PrivacyEnhanced) ? PrivacyType::Enhanced : PrivacyType::Basic;
    case FormatFamily::D868Family:
        return getU16Le(d868_, d868::PrivacyType) != 0 ? PrivacyType::Enhanced : PrivacyType::Basic;
    default: return PrivacyType::Basic;
    }
}

void Channel::setPrivacyType(PrivacyType type)
{
    const bool basic = type == PrivacyType::Basic;
    // The TYT record marks Basic privacy with the privacy bit itself and has no Enhanced mark that
    // its privacy switch would still read as on, so Enhanced leaves it as it is.
    if (basic) {
        put(tyt_, tyt::Privacy, true);
        put(tyt_, tyt::PrivacyCompanion, false);
    }
    put(rdb_, rdb::PrivacyEnhanced, !basic);
    setU16Le(d868_, d868::PrivacyType, basic ? 0u : 1u);
}

int Channel::privacyCode() const
{
    switch (family()) {
    case FormatFamily::TytFamily: return static_cast<int>(get(tyt_, tyt::PrivacyCode)) + 1;
    case FormatFamily::RdbFamily: return static_cast<int>(get(rdb_, rdb::PrivacyCode)) + 1;
    case FormatFamily::D868Family: {
        const auto word = getU16Le(d868_, d868::Privacy);
        return word == 0 ? 1 : word;
    }
    default: return 1;
    }
}

void Channel::setPrivacyCode(int code)
{
    if (code < 1 || code > 16)
        code = 1;
    const auto stored = static_cast<unsigned>(code - 1);
    put(tyt_, tyt::PrivacyCode, stored);
    put(rdb_, rdb::PrivacyCode, stored);
    // The D868 word is the key number while privacy is on and 0 while it is off; storing code − 1
    // there would switch privacy off for key 1.
    if (getU16Le(d868_, d868::Privacy) != 0)
        setU16Le(d868_, d868::Privacy, static_cast<unsigned>(code));
}

} // namespace pw
