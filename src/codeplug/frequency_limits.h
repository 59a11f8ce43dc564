// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel frequencies each format can store, and the bands the radios commonly work in.
//
// TYT records hold eight BCD digits of 10 Hz: 100.00000 to 999.99999 MHz. RDB records hold a
// 32-bit count of hertz: up to 4294.967295 MHz. D868 records hold a double, which the radios and
// the vendor software read as a frequency below 10 GHz.

#include "codeplug/format_id.h"

#include <optional>
#include <string>
#include <string_view>

namespace pw {

struct FrequencyLimits {
    double lowestMhz;
    double highestMhz;
    bool contains(double mhz) const { return mhz >= lowestMhz && mhz <= highestMhz; }
};

FrequencyLimits storableFrequencies(FormatId formatId);

// Six decimals at most, without trailing zeros: "100", "439.5625", "0.000001".
std::string megahertzText(double mhz);

// "100 to 999.99999 MHz"
std::string frequencyRangeText(const FrequencyLimits& limits);

// Whether the frequency lies in the VHF (136-174 MHz) or UHF (400-480 MHz) band of the radios.
bool isInUsualBands(double mhz);

// A frequency typed or read as text: a finite decimal number (an exponent allowed) and nothing
// else but blanks around it; nothing when the text is no number.
std::optional<double> frequencyFromText(std::string_view text);

inline constexpr const char* FrequencyNotANumber = "frequency not a number";

// Why a frequency text cannot be stored by the format: "frequency not a number" or "frequency
// outside 100 to 999.99999 MHz"; nothing when it can.
std::optional<std::string> frequencyRefusal(FormatId formatId, std::string_view text);

} // namespace pw
