// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the Scan Lists tab: new, delete, rename, previous and next list, and the members
// of the current list (MemberListCommands over scan lists).

#include "operations/member_list_commands.h"

namespace pw {

// "[+] New Scan List": refused with a message beyond the format's scan-list capacity (234 in the
// RDB family, 250 elsewhere).
inline constexpr auto& newScanListCommand = MemberListCommands<ScanList>::create;
// "[-] Delete Scan List".
inline constexpr auto& deleteScanListCommand = MemberListCommands<ScanList>::remove;
// "Rename...".
inline constexpr auto& renameScanListCommand = MemberListCommands<ScanList>::rename;
inline constexpr auto& previousScanList = MemberListCommands<ScanList>::previous;
inline constexpr auto& nextScanList = MemberListCommands<ScanList>::next;

// A double-click on the "Master Channel List" (or "Add Channel to Scan List").
inline constexpr auto& addChannelToScanList = MemberListCommands<ScanList>::addMember;
// A double-click on "Channels in Scan List" (or "Remove Channel from Scan List").
inline constexpr auto& removeChannelFromScanList = MemberListCommands<ScanList>::removeMember;
inline constexpr auto& moveScanListMemberUp = moveListMemberUp<ScanList>;
inline constexpr auto& moveScanListMemberDown = moveListMemberDown<ScanList>;

} // namespace pw
