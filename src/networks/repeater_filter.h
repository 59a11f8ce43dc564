// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which repeaters of a list a command takes: those on the air that match every filter given.
// Country, state, city and network compare whole, ASCII letter case ignored; a band takes the
// repeaters whose output lies in it.

#include "networks/repeater_list.h"

#include <optional>
#include <string>
#include <string_view>

namespace pw {

enum class AmateurBand { TwoMetres, SeventyCentimetres };

// "2m" and "70cm" (letter case ignored); nothing for any other text.
std::optional<AmateurBand> amateurBandFromText(std::string_view text);
// 144-148 MHz and 420-450 MHz, the widest the regions allot.
bool inAmateurBand(double mhz, AmateurBand band);

struct RepeaterFilter {
    std::string country;
    std::string state;
    std::string city;
    std::string network;
    std::optional<AmateurBand> band;

    // On the air and matching every filter that is not empty.
    bool matches(const Repeater& repeater) const;
};

// Callsign,City,State,Country,RX MHz,TX MHz,Color Code,Network: what users receive and transmit,
// five decimals; a value the list did not give stays empty. Fields holding a comma or a double
// quote are quoted.
std::string repeaterCsvLine(const Repeater& repeater);

// "438.80000"
std::string megahertzColumn(double mhz);

} // namespace pw
