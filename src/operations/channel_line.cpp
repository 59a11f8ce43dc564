// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/channel_line.h"

#include "codeplug/codeplug.h"
#include "codeplug/frequency_limits.h"
#include "model/channel.h"
#include "model/field_readers.h"
#include "model/letter_case.h"
#include "model/line_fields.h"
#include "model/list_support.h"
#include "operations/contact_transfer.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <optional>

namespace pw {
namespace {

using list_support::findNamed;

constexpr const char* NoScanListText = "-NULL-";
constexpr const char* NoneText = "NONE";
constexpr const char* DanglingText = "Error";
constexpr int FirstDecodeSwitch = 24;
// TYT byte 3 bits 5-7, set by every channel read from a line.

std::string_view skipSpaces(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    return text;
}

// A decimal number as the line writes it: optional sign, digits, optional fraction. Anything after
// it is ignored and a text without digits reads 0; words such as "nan" or "inf" and exponents,
// which a library conversion would take, are not numbers here. The digits are converted exactly,
// so that a written frequency reads back as the same value, however many digits it has.
double decimalOf(std::string_view text)
{
    text = skipSpaces(text);
    std::size_t end = 0;
    if (end < text.size() && (text[end] == '-' || text[end] == '+'))
        ++end;
    const auto digitsFrom = end;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
        ++end;
    bool anyDigit = end > digitsFrom;
    if (end < text.size() && text[end] == '.') {
        const auto fraction = ++end;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        anyDigit = anyDigit || end > fraction;
    }
    if (!anyDigit)
        return 0.0;
    // from_chars takes no leading plus.
    auto number = text.substr(0, end);
    if (number.front() == '+')
        number.remove_prefix(1);
    double value = 0.0;
    const auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                               std::chars_format::fixed);
    (void)stop;
    return error == std::errc() && std::isfinite(value) ? value : 0.0;
}

// An integer as atoi reads it, held within the range of int.
int integerOf(std::string_view text)
{
    text = skipSpaces(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        value = std::min<long long>(value * 10 + (c - '0'), std::numeric_limits<int>::max());
    }
    return static_cast<int>(negative ? -value : value);
}

bool isAllDigits(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return false;
    for (const char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

bool firstLetterIs(std::string_view text, char upper)
{
    return !text.empty() && upperAscii(text.front()) == upper;
}

std::string yesNo(bool on) { return on ? "YES" : "NO"; }

// The name of record `position` (1-based) of `list`: `none` for 0, "Error" past the end.
template <typename List>
std::string referenceName(const List& list, int position, const char* none)
{
    if (position <= 0)
        return none;
    const auto* record = list.at(position - 1);
    return record ? record->name() : DanglingText;
}

bool keepsEmergencySystemTable(const Codeplug& codeplug) { return codeplug.loaded() && codeplug.codec().keepsEmergencySystems(); }

} // namespace

std::string ChannelLine::write(const Channel& channel, const Codeplug& codeplug)
{
    std::string line;
    line.reserve(400);
    auto field = [&line](std::string_view text) {
        if (!line.empty())
            line += ", ";
        appendQuotedField(line, text);
    };
    auto mhz = [](double value) {
        char text[64];
        std::snprintf(text, sizeof text, "%f", value);
        return std::string(text);
    };

    field(channel.name());
    field(channel.modeText());
    field(channel.bandwidthText());
    field(mhz(channel.txFrequency()));
    field(mhz(channel.rxFrequency()));
    field(referenceName(codeplug.scanLists(), channel.scanList(), NoScanListText));
    field(channel.squelchText());
    field(channel.admitText());
    field(channel.rxRefFrequencyText());
    field(channel.txRefFrequencyText());
    field(channel.totText());
    field(std::to_string(channel.totRekeyDelay()));
    field(channel.powerText(codeplug.radioModelName()));
    field(Channel::switchText(channel.autoScan()));
    field(Channel::switchText(channel.rxOnly()));
    field(Channel::switchText(channel.loneWorker()));
    field(Channel::switchText(channel.vox()));
    field(Channel::switchText(channel.talkaround()));
    field(channel.ctcssDecodeText());
    field(channel.ctcssEncodeText());
    field(std::to_string(channel.qtReverse()));
    field(channel.rxSignalingText());
    field(channel.txSignalingText());
    field(yesNo(channel.analogOption()));
    const int switches = channel.decodeSwitches();
    for (int k = 0; k < 8; ++k)
        field(yesNo((switches >> k) & 1));
    field(yesNo(channel.privateCallConfirmed()));
    field(yesNo(channel.emergencyAlarmAck()));
    field(yesNo(channel.dataCallConfirmed()));
    const int emergency = channel.emergencySystem();
    if (emergency > 0 && !keepsEmergencySystemTable(codeplug))
        field(std::to_string(emergency));
    else
        field(referenceName(codeplug.emergencySystems(), emergency, NoneText));
    if (channel.isDigital() && channel.txContact() > 0) {
        const auto* contact = codeplug.contactAt(channel.txContact() - 1);
        field(contact ? contact->name() : std::string());
    } else {
        field(NoneText);
    }
    field(referenceName(codeplug.rxGroupLists(), channel.rxGroupList(), NoneText));
    field(std::to_string(channel.colorCode()));
    field(channel.privacyTypeText());
    field(std::to_string(channel.privacyCode()));
    field(std::to_string(channel.timeSlot()));
    return line;
}

ChannelLineRead ChannelLine::read(std::string_view line, Channel& channel, const Codeplug* codeplug, const ContactIndex* contacts,
                      std::string* refusal)
{
    if (!codeplug)
        return ChannelLineRead::Incomplete;
    channel.format().beginChannelLine(channel);

    std::string text;
    int number = 0;
    // Takes the next field into `text`; false when the line has no more fields.
    auto next = [&]() { return CsvFieldReader::field(line, number++, FieldLimit, text) >= 0; };
    const auto refused = [&](const std::string& reason) {
        if (refusal)
            *refusal = reason;
        return ChannelLineRead::ValueRefused;
    };
    // The next fields, each handed to the channel in its text form; false when the line ends first.
    using TextSetter = void (Channel::*)(std::string_view);
    const auto texts = [&](std::initializer_list<TextSetter> setters) {
        for (const TextSetter setter : setters) {
            if (!next())
                return false;
            (channel.*setter)(text);
        }
        return true;
    };
    // The next fields, each a switch that `isOn` reads.
    using Switch = void (Channel::*)(bool);
    const auto switches = [&](std::initializer_list<Switch> setters, auto isOn) {
        for (const Switch setter : setters) {
            if (!next())
                return false;
            (channel.*setter)(isOn(text));
        }
        return true;
    };
    const auto yes = [](std::string_view field) { return firstLetterIs(field, 'Y'); };
    // A sign, blanks or an exponent are no frequency of a channel line, whatever a parser makes of
    // them; a frequency the format cannot store would be saved as some other frequency.
    const auto frequencyProblem = [&]() -> std::optional<std::string> {
        if (!isPlainDecimalNumber(text))
            return FrequencyNotANumber;
        return frequencyRefusal(codeplug->formatId(), text);
    };
    // The next field, a whole number; refused for `notANumber` when it is none.
    const auto wholeNumber = [&](void (Channel::*setter)(int), const char* notANumber) {
        if (!next())
            return ChannelLineRead::Incomplete;
        if (!plainDecimal(text))
            return refused(notANumber);
        (channel.*setter)(integerOf(text));
        return ChannelLineRead::Read;
    };

    if (!texts({&Channel::setName, &Channel::setModeFromText, &Channel::setBandwidthFromText}) || !next())
        return ChannelLineRead::Incomplete;
    if (const auto problem = frequencyProblem())
        return refused(*problem);
    const double tx = decimalOf(text);
    channel.setTxFrequency(tx);
    if (!next())
        return ChannelLineRead::Incomplete;
    if (const auto problem = frequencyProblem())
        return refused(*problem);
    channel.setRxFrequency(decimalOf(text));
    // The D868 block keeps the transmit frequency as an offset from the receive frequency, which
    // is known only now.
    channel.setTxFrequency(tx);
    if (!next())
        return ChannelLineRead::Incomplete;
    channel.setScanList(findNamed(codeplug->scanLists(), text) + 1);
    if (!texts({&Channel::setSquelchFromText, &Channel::setAdmitFromText, &Channel::setRxRefFrequencyFromText,
                &Channel::setTxRefFrequencyFromText, &Channel::setTotFromText}))
        return ChannelLineRead::Incomplete;
    if (const auto read = wholeNumber(&Channel::setTotRekeyDelay, "TOT rekey delay not a number"); read != ChannelLineRead::Read)
        return read;
    if (!texts({&Channel::setPowerFromText}) ||
        !switches({&Channel::setAutoScan, &Channel::setRxOnly, &Channel::setLoneWorker, &Channel::setVox,
                   &Channel::setTalkaround},
                  Channel::switchFromText) ||
        !texts({&Channel::setCtcssDecodeFromText, &Channel::setCtcssEncodeFromText, &Channel::setQtReverseFromText,
                &Channel::setRxSignalingFromText, &Channel::setTxSignalingFromText}) ||
        !switches({&Channel::setAnalogOption}, yes))
        return ChannelLineRead::Incomplete;

    int decodeSwitches = 0;
    for (int k = 0; k < 8; ++k) {
        if (!next())
            return ChannelLineRead::Incomplete;
        if (equalsIgnoringCase(text, "YES"))
            decodeSwitches |= 1 << k;
        channel.setDecodeSwitches(decodeSwitches);
    }
    static_assert(FirstDecodeSwitch + 8 == 32);

    if (!switches({&Channel::setPrivateCallConfirmed, &Channel::setEmergencyAlarmAck, &Channel::setDataCallConfirmed},
                  yes) ||
        !next())
        return ChannelLineRead::Incomplete;
    if (equalsIgnoringCase(text, NoneText))
        channel.setEmergencySystem(0);
    else if (!keepsEmergencySystemTable(*codeplug) && isAllDigits(text))
        channel.setEmergencySystem(integerOf(text));
    else
        channel.setEmergencySystem(findNamed(codeplug->emergencySystems(), text) + 1);

    if (!next())
        return ChannelLineRead::Incomplete;
    if (contacts)
        channel.setTxContactByName(text, [contacts](std::string_view name) { return contacts->findByName(name); });
    else
        channel.setTxContactByName(text, [codeplug](std::string_view name) { return codeplug->findContactByName(name); });

    if (!next())
        return ChannelLineRead::Incomplete;
    channel.setRxGroupList(text == NoneText ? 0 : findNamed(codeplug->rxGroupLists(), text) + 1);
    if (const auto read = wholeNumber(&Channel::setColorCode, "color code not a number"); read != ChannelLineRead::Read)
        return read;
    if (!texts({&Channel::setPrivacyTypeFromText}))
        return ChannelLineRead::Incomplete;
    if (const auto read = wholeNumber(&Channel::setPrivacyCode, "privacy code not a number"); read != ChannelLineRead::Read)
        return read;
    if (const auto read = wholeNumber(&Channel::setTimeSlot, "time slot not a number"); read != ChannelLineRead::Read)
        return read;

    channel.format().endChannelLine(channel);
    return ChannelLineRead::Read;
}

} // namespace pw
