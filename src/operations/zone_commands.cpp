// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/zone_commands.h"

#include "operations/tab_command_support.h"

#include <vector>

namespace pw {

using namespace tab_commands;

namespace {

Zone* currentZone(const Codeplug& codeplug, const ListTabState& state)
{
    return MemberListCommands<Zone>::current(codeplug, state);
}

} // namespace

std::optional<BankButtonLabels> zoneBankButtonLabels(const Codeplug& codeplug, const ListTabState& state)
{
    if (!codeplug.loaded() || codeplug.zones().empty())
        return std::nullopt;
    const auto position = validPosition(state.currentZone, codeplug.zones().count());
    const Zone* zone = codeplug.zones().at(position.value_or(0));
    if (zone->bankCount() < 2)
        return std::nullopt;
    if (state.shownBank == 2)
        return BankButtonLabels{"BANK -->[B]", "[A]<--MIRROR"};
    return BankButtonLabels{"[A]<-- BANK", "MIRROR-->[B]"};
}

CommandResult switchZoneBank(const Codeplug& codeplug, ListTabState& state)
{
    Zone* zone = currentZone(codeplug, state);
    CommandResult result;
    if (!zone || zone->bankCount() < 2)
        return result;
    state.shownBank = state.shownBank == 2 ? 1 : 2;
    zone->selectBank(state.shownBank);
    result.refresh = TabList::Zones;
    return result;
}

CommandResult mirrorZoneBank(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    Zone* zone = currentZone(codeplug, state);
    CommandResult result;
    if (!zone || zone->bankCount() < 2)
        return result;
    const int source = state.shownBank == 2 ? 2 : 1;
    const int target = source == 2 ? 1 : 2;

    std::vector<int> sourceChannels;
    for (int i = 0; i < zone->memberCount(); ++i)
        sourceChannels.push_back(codeplug.channelIndexOfMember(zone->member(i)));
    if (sourceChannels.empty())
        return refusal(prompts, "Sorry, there are no channels in this bank to mirror.");

    const std::string zoneName = singleQuoted(zone->name());
    const std::string sourceText = std::to_string(source);
    const std::string targetText = std::to_string(target);
    if (!askedYes(prompts, MessageIcon::Information, MessageButtons::YesNo,
                  "Mirror the contents of Bank " + sourceText + " of Zone " + zoneName + " to Bank " + targetText +
                      " in the same Zone?\r\n\r\nThe mirror operation will append to the contents of Bank " +
                      targetText + ", if any."))
        return result;

    const std::string moved = " channels moved from Bank " + sourceText + " to Bank " + targetText + " of Zone " +
                              zoneName + ".";
    zone->selectBank(target);
    int handled = 0;
    bool added = false;
    bool outOfRoom = false;
    for (const int channelIndex : sourceChannels) {
        // A full bank stops the mirror only for a channel it does not hold already: mirroring a
        // bank whose channels are all present in a full target has nothing left to place.
        if (hasNoRoomFor(*zone, zone->capacity(), channelIndex, codeplug)) {
            outOfRoom = true;
            break;
        }
        added = zone->addMember(codeplug.memberNumberOf(channelIndex)) || added;
        ++handled;
    }
    zone->selectBank(source);

    if (added)
        commitEdit(codeplug, result);
    result.refresh = added ? TabList::Zones : TabList::None;
    if (outOfRoom)
        prompts.message(MessageIcon::Warning, MessageButtons::Ok,
                        std::to_string(handled) + moved + "\r\n\r\nInsufficient room to hold all source channels.");
    else
        prompts.inform(std::to_string(handled) + moved);
    return result;
}

} // namespace pw
