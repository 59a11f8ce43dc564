// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the Zones tab: new, delete, rename, previous and next zone, the members of the
// current zone's shown bank, the bank switch and "Mirror Bank...".
//
// Each command asks and tells the user through Prompts, moves the tab's positions in ListTabState
// and returns the lists the window must refill. A command that needs a current zone does nothing
// without one; none of them does anything while no codeplug is loaded (the tab does not exist then).

#include "operations/list_tab_state.h"

#include <optional>
#include <string>

namespace pw {

class Codeplug;
class Prompts;

// "[+] New Zone": asks for the name; in a 0x2001 codeplug the table's first channel becomes the
// new zone's only member. The new zone becomes current.
CommandResult newZoneCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
// "[-] Delete Zone": asks, deletes the current zone and makes the first current; never deletes the
// last zone.
CommandResult deleteZoneCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
// "Rename...".
CommandResult renameZoneCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
// "Previous Group" and "Next Group", wrapping at both ends.
CommandResult previousZone(const Codeplug& codeplug, ListTabState& state);
CommandResult nextZone(const Codeplug& codeplug, ListTabState& state);

// A double-click on the "Master Channel List" (or "Add Channel to Zone"): adds the channel at
// `channelIndex` to the shown bank. A full bank is reported; a channel already there is not.
CommandResult addChannelToZone(Codeplug& codeplug, Prompts& prompts, ListTabState& state, int channelIndex);
// A double-click on "Channels in Zone" (or "&Remove Channel from Zone"): removes member `memberRow`.
CommandResult removeChannelFromZone(Codeplug& codeplug, ListTabState& state, int memberRow);
// "Move Item Up" and "Move Item Down" on member `memberRow` of the shown bank; the selection
// follows the moved member.
CommandResult moveZoneMemberUp(Codeplug& codeplug, ListTabState& state, int memberRow);
CommandResult moveZoneMemberDown(Codeplug& codeplug, ListTabState& state, int memberRow);

// The texts of the two bank buttons for the shown bank; nothing when the zones have one bank and
// both buttons are hidden.
struct BankButtonLabels {
    std::string bankSwitch;  // "[A] -- [B]"
    std::string mirror;      // "Mirror Bank..."
};
std::optional<BankButtonLabels> zoneBankButtonLabels(const Codeplug& codeplug, const ListTabState& state);

// "[A] -- [B]": shows the other bank of the current zone.
CommandResult switchZoneBank(const Codeplug& codeplug, ListTabState& state);
// "Mirror Bank...": appends the shown bank's channels to the other bank of the current zone.
CommandResult mirrorZoneBank(Codeplug& codeplug, Prompts& prompts, ListTabState& state);

} // namespace pw
