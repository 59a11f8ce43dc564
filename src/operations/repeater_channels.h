// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Repeaters of an area as DMR channels of the working codeplug, with the talkgroup contacts they
// transmit to, a zone that holds them and optionally a scan list ("Add Repeaters of an Area..."
// and `repeaters add`).
//
// Each repeater gives one channel named "CALLSIGN City", or, when its list entry names
// talkgroups, one channel per talkgroup and slot named "CALLSIGN TG-NAME", transmitting to that
// talkgroup's group-call contact (added when the codeplug has no contact of that number). A
// channel receives on the repeater's output and transmits on the output plus its offset, with
// the repeater's colour code, admit criterion Color Code, 12.5 kHz. Names are cut to the 16
// characters a channel holds and numbered (" 2", " 3"...) where they would clash. A channel the
// codeplug already has with the same frequencies, colour code, slot and contact is not added
// again but counted, and goes into the zone.
//
// A repeater whose frequencies lie outside the radio's bands (what the format stores, within the
// bands the codeplug names, Codeplug::radioBands), or that gives no frequency, offset or colour
// code, is refused and counted, never stored.
//
// The zone takes the channels in the repeaters' order; when the family's zone cannot hold them
// all they go into "NAME 1", "NAME 2"... instead. A zone of that name that exists is filled. The
// scan list, when asked for, is made the same way under the zone's names, and the new channels
// scan it.
//
// As with the talkgroups, the work is planned first, for the dialog's preview, then done.

#include "networks/repeater_list.h"
#include "networks/talkgroup_catalogue.h"
#include "operations/talkgroup_contacts.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Codeplug;

struct RepeaterChannelRequest {
    // Empty: no zone (and no scan list).
    std::string zoneName;
    bool scanList = false;
    // Names the talkgroup contacts when given.
    const TalkgroupCatalogue* catalogue = nullptr;
};

struct PlannedChannel {
    std::string name;
    double rxMhz = 0;
    double txMhz = 0;
    int colorCode = 0;
    int timeSlot = 1;
    // The talkgroup it transmits to; 0 for none.
    std::uint32_t talkgroup = 0;
};

// A channel of the plan: one to add (its position in `additions`) or one the codeplug has.
struct PlannedMember {
    bool added = false;
    int index = 0;
};

// A zone or scan list of the plan: its name, whether it exists (its 0-based position), the
// channels it is to hold and how many of them it does not hold yet.
struct PlannedList {
    std::string name;
    int existing = -1;
    std::vector<PlannedMember> members;
    int added = 0;
};

struct RepeaterChannelPlan {
    int repeaters = 0;
    std::vector<PlannedChannel> additions;
    // Channels of the codeplug that already are what a repeater gives: 0-based positions.
    std::vector<int> present;
    // Group-call contacts to add, by number.
    std::vector<Talkgroup> contacts;
    // Repeaters refused, counted by reason.
    std::map<std::string, int> refused;
    // Channels left out because the channel table (or, for their talkgroup, the contact table) is
    // full, and the channel table's size.
    int leftOut = 0;
    int channelCapacity = 0;
    std::vector<PlannedList> zones;
    std::vector<PlannedList> scanLists;
    // Channels that found no zone or scan list because the codeplug holds no more of them.
    int outsideZones = 0;
    int outsideScanLists = 0;

    int refusedCount() const;
    bool changesSomething() const;
};

// The reasons a repeater is refused.
inline constexpr const char* OutsideBands = "frequency outside the radio's bands";
inline constexpr const char* NoFrequency = "no frequency or offset";
inline constexpr const char* NoColorCode = "no colour code";

// Whether a channel of the format may receive or transmit on `mhz`.
bool inRadioBands(const Codeplug& codeplug, double mhz);

RepeaterChannelPlan planRepeaterChannels(const Codeplug& codeplug, const std::vector<Repeater>& repeaters,
                                         const RepeaterChannelRequest& request);

struct RepeaterChannelResult : PlanOutcome {
    int channelsAdded = 0;
    int contactsAdded = 0;
};

// Does what the plan says, in one edit.
RepeaterChannelResult addRepeaterChannels(Codeplug& codeplug, const RepeaterChannelPlan& plan);

// The dialog's preview: what doing the plan would change.
std::string repeaterPlanPreview(const RepeaterChannelPlan& plan);

// The zone name a command takes when none is given: the state filter, else the city, else the
// country, else "Repeaters".
std::string defaultRepeaterZoneName(std::string_view state, std::string_view city, std::string_view country);

} // namespace pw
