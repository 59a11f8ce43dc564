// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Talkgroups of a network's catalogue as group-call contacts of the working codeplug, and the
// names of the network for the talkgroup contacts it already has ("Add Talkgroups from
// Network..." and `talkgroups add`).
//
// The work is planned first, from the codeplug as it stands, and then done: the dialog shows the
// plan's counts as a preview, and doing it gives the same counts.
//
// Names come from the catalogue as UTF-8; the family's contact format stores them as it can (cut
// to its length, transliterated into a small alphabet). A name the format cannot hold even
// transliterated gives the contact "TG" and its number instead.

#include "networks/talkgroup_catalogue.h"
#include "networks/talkgroup_ids.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Codeplug;

struct TalkgroupChoice {
    enum class Kind { Ids, Match, Used };
    Kind kind = Kind::Ids;
    // Kind::Ids: the numbers asked for.
    std::vector<TalkgroupIdRange> ids;
    // Kind::Match: a text the names hold, letter case ignored.
    std::string match;
};

struct TalkgroupContactPlan {
    // Group-call contacts to add, by number.
    std::vector<Talkgroup> additions;
    // The chosen talkgroups the codeplug has a contact for: 0-based contact positions.
    std::vector<int> present;
    // Kind::Used: contacts to rename (0-based position and new name).
    bool renaming = false;
    std::vector<std::pair<int, std::string>> renames;
    // Numbers asked for one by one that the catalogue does not list.
    int notInCatalogue = 0;
    // Chosen talkgroups left out because the contact table is full, and its size.
    int leftOut = 0;
    int contactCapacity = 0;

    // The RX group list to make or fill; empty for none.
    std::string rxGroupList;
    bool newRxGroupList = false;
    // Whether there is room for the list in the codeplug.
    bool rxGroupListRoom = true;
    int rxGroupListAdded = 0;
    int rxGroupListLeftOut = 0;
    int rxGroupListLimit = 0;

    bool changesSomething() const;
};

// The name a talkgroup contact gets: the catalogue's (when it has the number), else `fallback`,
// else "TG" and the number.
std::string talkgroupName(const TalkgroupCatalogue* catalogue, std::uint32_t id, std::string_view fallback = {});

// Whether a contact name says no more than its number: "2621", "TG 2621", "TG2621", "tg-2621"
// ("TG.2621" as a six-bit alphabet stores the hyphen).
bool isPlaceholderName(std::string_view name);

// Adds a group-call contact for the talkgroup, named as given (or "TG" and the number when the
// format cannot hold the name): its 0-based position, -1 when the table refused it (full, or the
// number is taken).
int addTalkgroupContact(Codeplug& codeplug, const Talkgroup& talkgroup);
// Adds a contact for each of `talkgroups` as addTalkgroupContact does, marking the codeplug changed
// for each: the 0-based positions of those added.
std::vector<int> addContactsForTalkgroups(Codeplug& codeplug, const std::vector<Talkgroup>& talkgroups);

TalkgroupContactPlan planTalkgroupContacts(const Codeplug& codeplug, const TalkgroupCatalogue& catalogue,
                                           const TalkgroupChoice& choice, std::string_view rxGroupList = {});

// What doing a plan of additions reports beside its counts.
struct PlanOutcome {
    // The closing message, CR LF between its lines.
    std::string message;
    // Something asked for was left out for lack of room.
    bool leftOut = false;
};

struct TalkgroupContactResult : PlanOutcome {
    int added = 0;
    int present = 0;
    int renamed = 0;
};

// Does what the plan says, in one edit.
TalkgroupContactResult addTalkgroupContacts(Codeplug& codeplug, const TalkgroupContactPlan& plan);

// The dialog's preview: what doing the plan would change.
std::string talkgroupPlanPreview(const TalkgroupContactPlan& plan);

} // namespace pw
