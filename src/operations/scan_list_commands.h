// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the Scan Lists tab: new, delete, rename, previous and next list, and the members
// of the current list. As the zone commands: nothing happens without a loaded codeplug, and the
// commands on the current list do nothing without one.

#include "operations/list_tab_state.h"

namespace pw {

class Codeplug;
class Prompts;

// "[+] New Scan List": refused with a message beyond the format's scan-list capacity (234 in the
// RDB family, 250 elsewhere). The new list becomes current.
CommandResult newScanListCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
// "[-] Delete Scan List": asks, deletes the current list (channels that used it get none, later
// references move down by one) and makes the first current; never deletes the last list.
CommandResult deleteScanListCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
// "Rename...".
CommandResult renameScanListCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
CommandResult previousScanList(const Codeplug& codeplug, ListTabState& state);
CommandResult nextScanList(const Codeplug& codeplug, ListTabState& state);

// A double-click on the "Master Channel List" (or "Add Channel to Scan List").
CommandResult addChannelToScanList(Codeplug& codeplug, Prompts& prompts, ListTabState& state, int channelIndex);
// A double-click on "Channels in Scan List" (or "Remove Channel from Scan List").
CommandResult removeChannelFromScanList(Codeplug& codeplug, ListTabState& state, int memberRow);
CommandResult moveScanListMemberUp(Codeplug& codeplug, ListTabState& state, int memberRow);
CommandResult moveScanListMemberDown(Codeplug& codeplug, ListTabState& state, int memberRow);

} // namespace pw
