// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DMR repeaters as RadioID's repeater list gives them: one page of JSON,
//
//   {"count": 212, "page": 1, "pages": 3, "results": [{...}, ...]}
//
// each result an object with at least "callsign", "city", "state", "country", "frequency" (the
// output in MHz, as a string or a number), "offset" (MHz, "+5.000" or "-0.600"), "color_code",
// "ipsc_network" and "status" ("on-air", "off-air", ...). Newer answers add "locator" (the
// repeater's DMR ID) and "talkgroups", a list of {"talkgroup", "timeslot", "description"}; older
// ones have "id", "ts_linked" and "trustee" as texts instead. Both read alike: keys we do not use
// are passed over, whatever they hold.
//
// A result that is not an object, and a talkgroup entry without a number from 1 to 16777215 and
// a time slot of 1 or 2, are passed over and counted. Values that do not read (a frequency that
// is no number, a colour code above 15) are kept as missing, for the caller to refuse.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

struct RepeaterTalkgroup {
    std::uint32_t id = 0;
    int timeSlot = 1;
    std::string description;
};

struct Repeater {
    std::string callsign;
    std::string city;
    std::string state;
    std::string country;
    std::string network;
    std::string status;
    // What users receive, and the offset of the repeater's input from it.
    std::optional<double> outputMhz;
    std::optional<double> offsetMhz;
    std::optional<int> colorCode;
    std::vector<RepeaterTalkgroup> talkgroups;

    bool onAir() const;
    // The output plus the offset, to the hertz: what users transmit on.
    std::optional<double> inputMhz() const;
};

// A repeater's talkgroups beyond this are passed over.
inline constexpr std::size_t RepeaterTalkgroupLimit = 64;

struct RepeaterPage {
    std::vector<Repeater> repeaters;
    // As the page says; 0 when it does not.
    int page = 0;
    int pages = 0;
    // Results and talkgroup entries that did not read.
    int passedOver = 0;
    // Why the text is no repeater list; empty when it is one.
    std::string failure;
};

// One page; at most `limit` results are kept, those after it are passed over.
RepeaterPage readRepeaterPage(std::string_view json, std::size_t limit = 100'000);

// The whole list as one page, pages 1 of 1: how a download of several pages is kept in the
// cache. Reads back with readRepeaterPage.
std::string repeaterListJson(const std::vector<Repeater>& repeaters);

} // namespace pw
