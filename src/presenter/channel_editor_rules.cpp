// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/channel_editor_rules.h"

#include "codeplug/codeplug.h"
#include "operations/channel_mass_change.h"
#include "presenter/choice_lists.h"

#include <charconv>
#include <cmath>

namespace pw {
namespace {

// Two frequencies this close count as equal: the lists show five decimals, so 10 Hz.
constexpr double FrequencyTolerance = 0.00001;

// New channels start in the band the codeplug already uses.
constexpr double NewUhfChannelMhz = 446.0;
constexpr double NewVhfChannelMhz = 146.52;

constexpr int TotStepSeconds = 15;
constexpr int LongestRekeyDelay = 255;
constexpr int EncryptionCodes = 16;

// The decode list offers every tone of the editors' table from 67.0 Hz; the encode list stops at
// 225.7 Hz.
constexpr std::size_t DecodeCtcssCount = 50;
constexpr std::size_t EncodeCtcssCount = 45;

} // namespace

std::vector<std::string> transmitOffsetChoices()
{
    return {"Simplex", "( + )", "( -- )", "Custom"};
}

TransmitOffset transmitOffsetFor(double rxMhz, double txMhz)
{
    const double difference = txMhz - rxMhz;
    if (std::fabs(difference) <= FrequencyTolerance)
        return TransmitOffset::Simplex;
    const double step = repeaterOffsetMhz(rxMhz);
    if (std::fabs(difference - step) <= FrequencyTolerance)
        return TransmitOffset::Plus;
    if (std::fabs(difference + step) <= FrequencyTolerance)
        return TransmitOffset::Minus;
    return TransmitOffset::Custom;
}

double transmitFrequencyFor(TransmitOffset offset, double rxMhz, double currentTxMhz)
{
    switch (offset) {
    case TransmitOffset::Simplex: return rxMhz;
    case TransmitOffset::Plus: return rxMhz + repeaterOffsetMhz(rxMhz);
    case TransmitOffset::Minus: return rxMhz - repeaterOffsetMhz(rxMhz);
    case TransmitOffset::Custom: break;
    }
    return currentTxMhz;
}

double frequencyFromBox(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return 0.0;
    text.remove_prefix(first);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

double newChannelFrequencyMhz(const Codeplug& codeplug)
{
    const Channel* first = codeplug.channels().count() > 0 ? codeplug.channelAt(0) : nullptr;
    return first && first->rxFrequency() >= UhfFromMhz ? NewUhfChannelMhz : NewVhfChannelMhz;
}

std::vector<std::string> timeOutChoices()
{
    std::vector<std::string> list{"Infinite"};
    for (int step = 1; step <= Channel::MaxTot; ++step)
        list.push_back(std::to_string(step * TotStepSeconds));
    return list;
}

std::vector<std::string> rekeyDelayChoices() { return numberChoices(0, LongestRekeyDelay); }

std::vector<std::string> encryptionCodeChoices() { return numberChoices(1, EncryptionCodes); }

std::vector<std::string> emergencySystemChoices(const Codeplug& codeplug)
{
    return noneThenNames(codeplug.emergencySystems());
}

const std::vector<std::string>& decodeToneChoices()
{
    static const std::vector<std::string> tones = toneChoiceList(DecodeCtcssCount);
    return tones;
}

const std::vector<std::string>& encodeToneChoices()
{
    static const std::vector<std::string> tones = toneChoiceList(EncodeCtcssCount);
    return tones;
}

std::size_t entryOrFirst(const std::vector<std::string>& choices, std::string_view text)
{
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == text)
            return i;
    return 0;
}

} // namespace pw
