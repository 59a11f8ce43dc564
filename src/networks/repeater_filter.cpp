// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/repeater_filter.h"

#include "model/letter_case.h"
#include "model/line_fields.h"
#include "model/text_trim.h"

#include <cstdio>

namespace pw {
namespace {

bool matchesFilter(std::string_view value, std::string_view filter)
{
    filter = trimmedBlanks(filter);
    return filter.empty() || equalsIgnoringCase(value, filter);
}

} // namespace

std::optional<AmateurBand> amateurBandFromText(std::string_view text)
{
    text = trimmedBlanks(text);
    if (equalsIgnoringCase(text, "2m"))
        return AmateurBand::TwoMetres;
    if (equalsIgnoringCase(text, "70cm"))
        return AmateurBand::SeventyCentimetres;
    return std::nullopt;
}

bool inAmateurBand(double mhz, AmateurBand band)
{
    return band == AmateurBand::TwoMetres ? mhz >= 144.0 && mhz <= 148.0 : mhz >= 420.0 && mhz <= 450.0;
}

bool RepeaterFilter::matches(const Repeater& repeater) const
{
    return repeater.onAir() && matchesFilter(repeater.country, country) && matchesFilter(repeater.state, state)
        && matchesFilter(repeater.city, city) && matchesFilter(repeater.network, network)
        && (!band || (repeater.outputMhz && inAmateurBand(*repeater.outputMhz, *band)));
}

std::string megahertzColumn(double mhz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", mhz);
    return text;
}

std::string repeaterCsvLine(const Repeater& repeater)
{
    std::string line;
    for (const auto& text : {repeater.callsign, repeater.city, repeater.state, repeater.country}) {
        appendCsvField(line, text);
        line += ',';
    }
    if (repeater.outputMhz)
        line += megahertzColumn(*repeater.outputMhz);
    line += ',';
    if (const auto input = repeater.inputMhz())
        line += megahertzColumn(*input);
    line += ',';
    if (repeater.colorCode)
        line += std::to_string(*repeater.colorCode);
    line += ',';
    appendCsvField(line, repeater.network);
    return line;
}

} // namespace pw
