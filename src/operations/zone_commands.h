// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the Zones tab: new, delete, rename, previous and next zone, the members of the
// current zone's shown bank (MemberListCommands over zones), the bank switch and "Mirror Bank...".

#include "operations/member_list_commands.h"

#include <optional>
#include <string>

namespace pw {

// "[+] New Zone": in a 0x2001 codeplug the table's first channel becomes the new zone's only
// member.
inline constexpr auto& newZoneCommand = MemberListCommands<Zone>::create;
// "[-] Delete Zone".
inline constexpr auto& deleteZoneCommand = MemberListCommands<Zone>::remove;
// "Rename...".
inline constexpr auto& renameZoneCommand = MemberListCommands<Zone>::rename;
inline constexpr auto& previousZone = MemberListCommands<Zone>::previous;
inline constexpr auto& nextZone = MemberListCommands<Zone>::next;

// A double-click on the "Master Channel List" (or "Add Channel to Zone"): adds the channel to the
// shown bank.
inline constexpr auto& addChannelToZone = MemberListCommands<Zone>::addMember;
// A double-click on "Channels in Zone" (or "&Remove Channel from Zone").
inline constexpr auto& removeChannelFromZone = MemberListCommands<Zone>::removeMember;
inline constexpr auto& moveZoneMemberUp = moveListMemberUp<Zone>;
inline constexpr auto& moveZoneMemberDown = moveListMemberDown<Zone>;

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
