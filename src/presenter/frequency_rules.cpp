// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/frequency_rules.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pw {
namespace {

std::string_view trimmedText(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string mhzText(double mhz)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.5f", mhz);
    return buffer;
}

constexpr FrequencyLimits UsualBands[] = {{136.0, 174.0}, {220.0, 225.0}, {400.0, 520.0}};

std::span<const FrequencyLimits> bandsOrUsual(std::span<const FrequencyLimits> radioBands)
{
    return radioBands.empty() ? std::span<const FrequencyLimits>(UsualBands) : radioBands;
}

} // namespace

std::optional<double> frequencyInBox(std::string_view text)
{
    const auto number = trimmedText(text);
    double value = 0.0;
    const auto* end = number.data() + number.size();
    const auto parsed = std::from_chars(number.data(), end, value);
    if (number.empty() || parsed.ec != std::errc() || parsed.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool storableFrequency(double mhz)
{
    // Rounded to the 10 Hz a frequency is stored in, as the formats round it.
    const double tens = std::round(mhz * 100000.0);
    return tens >= LowestStorableMhz * 100000.0 && tens <= std::round(HighestStorableMhz * 100000.0);
}

bool inRadioBands(double mhz, std::span<const FrequencyLimits> radioBands)
{
    for (const auto& band : bandsOrUsual(radioBands)) {
        if (band.contains(mhz))
            return true;
    }
    return false;
}

std::string frequencyRefusedText(std::string_view boxName, std::string_view text)
{
    return std::string(boxName) + ": \"" + std::string(trimmedText(text)) +
           "\" is not a frequency a codeplug can hold.\r\nEnter a number of MHz from " + mhzText(LowestStorableMhz) +
           " to " + mhzText(HighestStorableMhz) + ".";
}

std::string unusualFrequencyQuestion(std::string_view boxName, double mhz, std::span<const FrequencyLimits> radioBands)
{
    std::string bands;
    for (const auto& band : bandsOrUsual(radioBands))
        bands += (bands.empty() ? "" : ", ") + frequencyRangeText(band);
    return std::string(boxName) + ": " + mhzText(mhz) + " MHz lies outside the bands " +
           (radioBands.empty() ? "DMR radios usually cover" : "of this codeplug's radio") + "\r\n(" + bands +
           ").\r\n\r\nKeep this frequency?";
}

std::optional<double> confirmFrequency(std::string_view boxName, std::string_view text,
                                       std::span<const FrequencyLimits> radioBands, Prompts& prompts)
{
    const auto mhz = frequencyInBox(text);
    if (!mhz || !storableFrequency(*mhz)) {
        prompts.message(MessageIcon::Error, MessageButtons::Ok, frequencyRefusedText(boxName, text));
        return std::nullopt;
    }
    if (!inRadioBands(*mhz, radioBands) &&
        prompts.message(MessageIcon::Warning, MessageButtons::YesNoDefaultNo,
                        unusualFrequencyQuestion(boxName, *mhz, radioBands)) != MessageAnswer::Yes)
        return std::nullopt;
    return mhz;
}

} // namespace pw
