// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contact and channel list commands of this subsystem: "&Delete..." of the contact list,
// "Delete..." of the channel list and "Mark as &Talkgroup..." of the contact list.
//
// `rows` are the selected 0-based rows of the list, which are the records' table positions. The
// commands take them in list order whatever order they come in, count each row once and pass over
// rows outside the table, so that a selection handed in by a script can never make a later row
// name the wrong record.

#include "operations/list_tab_state.h"

#include <vector>

namespace pw {

class Codeplug;
class Prompts;

// One contact: asks, and asks again when a digital channel transmits to it. Several: asks once,
// then for each contact in use. RX group lists do not count as use; the contact simply leaves them.
CommandResult deleteContacts(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows);
// Needs the channel-operations feature. Asks once; zones and scan lists lose the channels.
CommandResult deleteChannels(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows);
// Asks, then marks the contacts as talkgroups; a mark is never cleared here.
CommandResult markContactsAsTalkgroups(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows);

} // namespace pw
