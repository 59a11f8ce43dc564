// SPDX-License-Identifier: GPL-3.0-or-later
// The text forms of the channel fields: what lists, editors and channel lines show, and how their
// texts are read back.

#include "model/channel.h"
#include "model/letter_case.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace pw {
namespace {

char upperFirst(std::string_view text)
{
    return text.empty() ? '\0' : upperAscii(text.front());
}

std::string_view untilZero(std::string_view text) { return text.substr(0, std::min(text.find('\0'), text.size())); }

} // namespace

std::string Channel::modeText() const { return isDigital() ? "DMR" : "FM"; }

void Channel::setModeFromText(std::string_view text)
{
    setMode(equalsIgnoringCase(untilZero(text), "FM") ? ChannelMode::Fm : ChannelMode::Dmr);
}

std::string Channel::bandwidthText() const { return bandwidth() == Bandwidth::Wide25k ? "25" : "12.5"; }

void Channel::setBandwidthFromText(std::string_view text)
{
    setBandwidth(untilZero(text) == "25" ? Bandwidth::Wide25k : Bandwidth::Narrow12k5);
}

std::string Channel::squelchText() const { return squelch() == Squelch::Normal ? "NORMAL" : "TIGHT"; }

void Channel::setSquelchFromText(std::string_view text)
{
    setSquelch(upperFirst(text) == 'N' ? Squelch::Normal : Squelch::Tight);
}

void Channel::setPowerFromText(std::string_view text)
{
    switch (upperFirst(text)) {
    case 'H': setPower(PowerLevel::High); break;
    case 'M': setPower(PowerLevel::Mid); break;
    // Some formats have no "anything else": only "L" is low there.
    case 'L': setPower(PowerLevel::Low); break;
    default: setPower(format_->powerOfUnknownText()); break;
    }
}

namespace {
std::string refFrequencyText(RefFrequency value)
{
    switch (value) {
    case RefFrequency::Low: return "Low";
    case RefFrequency::Medium: return "Medium";
    default: return "High";
    }
}
} // namespace

std::string Channel::rxRefFrequencyText() const { return refFrequencyText(rxRefFrequency()); }

void Channel::setRxRefFrequencyFromText(std::string_view text)
{
    const char first = upperFirst(text);
    setRxRefFrequency(first == 'H' ? RefFrequency::High : first == 'L' ? RefFrequency::Low : RefFrequency::Medium);
}

std::string Channel::txRefFrequencyText() const { return refFrequencyText(txRefFrequency()); }

void Channel::setTxRefFrequencyFromText(std::string_view text)
{
    const char first = upperFirst(text);
    setTxRefFrequency(first == 'M' ? RefFrequency::Medium : first == 'H' ? RefFrequency::High : RefFrequency::Low);
}

// A stored value above 37 (the RDB field holds up to 63) shows its real length rather than a
// value the radio does not have.
std::string Channel::totText() const
{
    const int steps = tot();
    return steps == 0 ? "Infinite" : std::to_string(steps * 15);
}

void Channel::setTotFromText(std::string_view input)
{
    const auto text = untilZero(input);
    if (equalsIgnoringCase(text, "INFINITE")) {
        setTot(0);
        return;
    }
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    long seconds = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), seconds);
    (void)end;
    if (error != std::errc()) {
        setTot(0);
        return;
    }
    const long steps = seconds / 15;
    setTot(steps < 0 || steps > MaxTot ? 0 : static_cast<int>(steps));
}

void Channel::setAdmitFromText(std::string_view text)
{
    setAdmitCriterion(format_->admitFromText(*this, untilZero(text)));
}

std::string Channel::signalingName(int value)
{
    if (value <= 0 || value > 4)
        return "Off";
    return "DTMF-" + std::to_string(value);
}

int Channel::signalingFromText(std::string_view input)
{
    const auto text = untilZero(input);
    if (equalsIgnoringCase(text, "Off") || text.size() < 6)
        return 0;
    const char digit = text[5];
    return digit >= '0' && digit <= '9' ? (digit - '0') % 5 : 0;
}

std::string Channel::rxSignalingText() const { return signalingName(rxSignalingSystem()); }
void Channel::setRxSignalingFromText(std::string_view text) { setRxSignalingSystem(signalingFromText(text)); }
std::string Channel::txSignalingText() const { return signalingName(txSignalingSystem()); }
void Channel::setTxSignalingFromText(std::string_view text) { setTxSignalingSystem(signalingFromText(text)); }

std::string Channel::qtReverseText() const { return std::to_string(qtReverse()); }
void Channel::setQtReverseFromText(std::string_view text) { setQtReverse(untilZero(text) == "120" ? 120 : 180); }

std::string Channel::privacyTypeText() const
{
    if (!privacy())
        return "NONE";
    return privacyType() == PrivacyType::Basic ? "BASIC" : "ENHANCED";
}

// "NONE" switches privacy off in every family, as the TYT record's single privacy bit always
// did; any other text switches it on with its type, so that a channel line carries the setting
// into every family.
void Channel::setPrivacyTypeFromText(std::string_view text)
{
    if (equalsIgnoringCase(untilZero(text), "NONE")) {
        setPrivacy(false);
        return;
    }
    setPrivacy(true);
    setPrivacyType(upperFirst(text) == 'B' ? PrivacyType::Basic : PrivacyType::Enhanced);
}

bool Channel::switchFromText(std::string_view text) { return upperFirst(text) == 'Y'; }

std::string Channel::frequencyText(double mhz)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.5f", mhz);
    return buffer;
}

} // namespace pw
