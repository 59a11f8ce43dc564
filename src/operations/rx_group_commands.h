// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the Rx Groups tab: new, delete, rename, previous and next list, and the contacts
// of the current list. As the zone commands: nothing happens without a loaded codeplug, and the
// commands on the current list do nothing without one.

#include "operations/list_tab_state.h"

namespace pw {

class Codeplug;
class Prompts;

// "[+] New Rx Group": the new list becomes current.
CommandResult newRxGroupCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
// "[-] Delete Rx Group": asks, deletes the current list (channels that used it get none, later
// references move down by one) and makes the first current; never deletes the last list.
CommandResult deleteRxGroupCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
// "Rename...". The new name is a change to be saved like any other.
CommandResult renameRxGroupCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
CommandResult previousRxGroup(const Codeplug& codeplug, ListTabState& state);
CommandResult nextRxGroup(const Codeplug& codeplug, ListTabState& state);

// A double-click on the "Master Contact List": a full list is reported (at the format's limit: 31
// members, 30 in the D868 family); a contact already in the list is not added twice.
CommandResult addContactToRxGroup(Codeplug& codeplug, Prompts& prompts, ListTabState& state, int contactIndex);
// A double-click on "Contacts in Group".
CommandResult removeContactFromRxGroup(Codeplug& codeplug, ListTabState& state, int memberRow);

} // namespace pw
