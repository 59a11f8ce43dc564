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

struct Band {
    double low;
    double high;
};
constexpr Band UsualBands[] = {{136.0, 174.0}, {220.0, 225.0}, {400.0, 520.0}};

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

bool inUsualBand(double mhz)
{
    for (const auto& band : UsualBands) {
        if (mhz >= band.low && mhz <= band.high)
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

std::string unusualFrequencyQuestion(std::string_view boxName, double mhz)
{
    return std::string(boxName) + ": " + mhzText(mhz) +
           " MHz lies outside the bands DMR radios usually cover\r\n(136 to 174 MHz, 220 to 225 MHz, 400 to 520 MHz)."
           "\r\n\r\nKeep this frequency?";
}

std::optional<double> confirmFrequency(std::string_view boxName, std::string_view text, Prompts& prompts)
{
    const auto mhz = frequencyInBox(text);
    if (!mhz || !storableFrequency(*mhz)) {
        prompts.message(MessageIcon::Error, MessageButtons::Ok, frequencyRefusedText(boxName, text));
        return std::nullopt;
    }
    if (!inUsualBand(*mhz) &&
        prompts.message(MessageIcon::Warning, MessageButtons::YesNo, unusualFrequencyQuestion(boxName, *mhz)) !=
            MessageAnswer::Yes)
        return std::nullopt;
    return mhz;
}

} // namespace pw
