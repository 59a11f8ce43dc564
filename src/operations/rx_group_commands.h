// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the Rx Groups tab: new, delete, rename, previous and next list, and the contacts
// of the current list (MemberListCommands over RX group lists).

#include "operations/member_list_commands.h"

namespace pw {

// "[+] New Rx Group".
inline constexpr auto& newRxGroupCommand = MemberListCommands<RxGroupList>::create;
// "[-] Delete Rx Group".
inline constexpr auto& deleteRxGroupCommand = MemberListCommands<RxGroupList>::remove;
// "Rename...".
inline constexpr auto& renameRxGroupCommand = MemberListCommands<RxGroupList>::rename;
inline constexpr auto& previousRxGroup = MemberListCommands<RxGroupList>::previous;
inline constexpr auto& nextRxGroup = MemberListCommands<RxGroupList>::next;

// A double-click on the "Master Contact List": a full list is reported (at the format's limit: 31
// members, 30 in the D868 family); a contact already in the list is not added twice.
inline constexpr auto& addContactToRxGroup = MemberListCommands<RxGroupList>::addMember;
// A double-click on "Contacts in Group".
inline constexpr auto& removeContactFromRxGroup = MemberListCommands<RxGroupList>::removeMember;

} // namespace pw
