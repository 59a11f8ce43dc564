// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which frequencies the channel editor and the mass change take from their boxes: a number of MHz
// that every codeplug format can store, and, after a question, one outside the bands of the radio
// (as its codeplug tells them, else the bands DMR radios usually cover). Eight BCD digits of 10 Hz,
// the narrowest of the formats, hold 0.00001 to 999.99999 MHz; a larger number would be cut to
// 999.99999 MHz when written.

#include "codeplug/frequency_limits.h"
#include "platform/prompts.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pw {

inline constexpr double LowestStorableMhz = 0.00001;
inline constexpr double HighestStorableMhz = 999.99999;

// The box's text as MHz: a finite decimal number with nothing but blanks around it.
std::optional<double> frequencyInBox(std::string_view text);
bool storableFrequency(double mhz);
// Within one of `radioBands`; with none, within 136-174, 220-225 or 400-520 MHz, the bands DMR
// radios are made for.
bool inRadioBands(double mhz, std::span<const FrequencyLimits> radioBands);

// The text of box `boxName` as a frequency, or nothing when the user has to correct it: text that
// is no number, or a number outside what can be stored, is refused with a message naming the
// range; one outside the radio's bands (Codeplug::radioBands) is kept only when the user says
// so, No being the answer offered first.
std::optional<double> confirmFrequency(std::string_view boxName, std::string_view text,
                                       std::span<const FrequencyLimits> radioBands, Prompts& prompts);

// The messages, for tests.
std::string frequencyRefusedText(std::string_view boxName, std::string_view text);
std::string unusualFrequencyQuestion(std::string_view boxName, double mhz, std::span<const FrequencyLimits> radioBands);

} // namespace pw
