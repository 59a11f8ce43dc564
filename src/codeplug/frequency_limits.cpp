// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/frequency_limits.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pw {

FrequencyLimits storableFrequencies(FormatId formatId)
{
    switch (familyOf(formatId)) {
    case FormatFamily::TytFamily:
        return {100.0, 999.99999};
    case FormatFamily::RdbFamily:
        return {0.000001, 4294.967295};
    default:
        return {0.00001, 9999.99999};
    }
}

std::string megahertzText(double mhz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", mhz);
    std::string shown(text);
    while (shown.back() == '0')
        shown.pop_back();
    if (shown.back() == '.')
        shown.pop_back();
    return shown;
}

std::string frequencyRangeText(const FrequencyLimits& limits)
{
    return megahertzText(limits.lowestMhz) + " to " + megahertzText(limits.highestMhz) + " MHz";
}

bool isInUsualBands(double mhz) { return (mhz >= 136.0 && mhz <= 174.0) || (mhz >= 400.0 && mhz <= 480.0); }

std::optional<double> frequencyFromText(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::string> frequencyRefusal(FormatId formatId, std::string_view text)
{
    const auto mhz = frequencyFromText(text);
    if (!mhz)
        return FrequencyNotANumber;
    const auto limits = storableFrequencies(formatId);
    if (!limits.contains(*mhz))
        return "frequency outside " + frequencyRangeText(limits);
    return std::nullopt;
}

} // namespace pw
