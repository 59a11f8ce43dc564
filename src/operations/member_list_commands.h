// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands that the Zones, Scan Lists and Rx Groups tabs share, written once over the kind of
// list the tab edits (Zone, ScanList or RxGroupList): new, delete, rename, previous and next list,
// and the members of the current list. The Zones tab has a few more of its own (zone_commands.h).
//
// Each command asks and tells the user through Prompts, moves the tab's positions in ListTabState
// and returns the lists the window must refill. Nothing happens without a loaded codeplug (the tabs
// do not exist then), and the commands on the current list do nothing without one.

#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"
#include "operations/list_tab_state.h"

namespace pw {

class Codeplug;
class Prompts;

// Zones and scan lists keep their members in an order the user chooses; RX group lists do not.
template <typename List>
concept OrderedMembers = requires(List& list, int row) { list.moveMemberUp(row); };

template <typename List>
struct MemberListCommands {
    // "[+] New ...": asks for the name; refused with a message when the table has no room (for scan
    // lists 234 in the RDB family, 250 elsewhere). The new list becomes current. In a 0x2001
    // codeplug a new zone gets the table's first channel as its only member.
    static CommandResult create(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
    // "[-] Delete ...": asks, deletes the current list and makes the first current; never deletes
    // the last list. Channels that used a deleted scan list or RX group list get none, and later
    // references move down by one.
    static CommandResult remove(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
    // "Rename...". The new name is a change to be saved like any other.
    static CommandResult rename(Codeplug& codeplug, Prompts& prompts, ListTabState& state);
    // "Previous Group" and "Next Group", wrapping at both ends.
    static CommandResult previous(const Codeplug& codeplug, ListTabState& state);
    static CommandResult next(const Codeplug& codeplug, ListTabState& state);

    // A double-click on the master list: adds its record at `masterRow` (a channel, or for an RX
    // group list a contact) after the members, of a zone those of its shown bank. A full list is
    // reported (an RX group list holds 31 contacts, 30 in the D868 family); a zone or scan list that
    // holds the channel already is not, and an RX group list never takes a contact twice.
    static CommandResult addMember(Codeplug& codeplug, Prompts& prompts, ListTabState& state, int masterRow);
    // A double-click on the members: removes member `memberRow`.
    static CommandResult removeMember(Codeplug& codeplug, ListTabState& state, int memberRow);
    // The tab's current list (a zone with the tab's shown bank selected), or none.
    static List* current(const Codeplug& codeplug, const ListTabState& state);
};

// "Move Item Up" and "Move Item Down" on member `memberRow`; the selection follows the moved
// member. They stand outside the class so that instantiating it for RX group lists, which have no
// order, never touches them: some compilers instantiate a constrained member with its class.
template <OrderedMembers List>
CommandResult moveListMemberUp(Codeplug& codeplug, ListTabState& state, int memberRow);
template <OrderedMembers List>
CommandResult moveListMemberDown(Codeplug& codeplug, ListTabState& state, int memberRow);

extern template struct MemberListCommands<Zone>;
extern template struct MemberListCommands<ScanList>;
extern template struct MemberListCommands<RxGroupList>;
extern template CommandResult moveListMemberUp<Zone>(Codeplug&, ListTabState&, int);
extern template CommandResult moveListMemberDown<Zone>(Codeplug&, ListTabState&, int);
extern template CommandResult moveListMemberUp<ScanList>(Codeplug&, ListTabState&, int);
extern template CommandResult moveListMemberDown<ScanList>(Codeplug&, ListTabState&, int);

} // namespace pw
