// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the Zones tab beyond those it shares with the other list tabs
// (MemberListCommands<Zone>): the bank switch and "Mirror Bank...".

#include "operations/member_list_commands.h"

#include <optional>
#include <string>

namespace pw {

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
