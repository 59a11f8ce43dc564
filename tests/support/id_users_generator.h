// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Generates a users_quoted.csv body like the one the DMR ID databases serve: one quoted record line
// per user (DMR ID, callsign, name, city, state, country, remarks), IDs ascending, with names,
// places and callsigns drawn from small realistic lists. Lines average about 65 bytes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace pw::test {

std::string generateUsersCsv(std::size_t rows, std::uint32_t seed = 1, std::uint32_t firstId = 1023001);

// The same users in today's layout: a header line RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,
// STATE,COUNTRY, then one unquoted row per user, names in UTF-8 (some with letters beyond ASCII).
std::string generateUserListCsv(std::size_t rows, std::uint32_t seed = 1, std::uint32_t firstId = 1023001);

} // namespace pw::test
