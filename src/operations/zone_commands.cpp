// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/zone_commands.h"

#include "operations/name_check.h"
#include "operations/tab_command_support.h"

#include <vector>

namespace pw {

using namespace tab_commands;

namespace {

constexpr std::size_t ZoneNameInputLength = 15;

// The current zone with the window's shown bank selected, or nothing.
Zone* currentZone(const Codeplug& codeplug, const ListTabState& state)
{
    if (!codeplug.loaded())
        return nullptr;
    const auto position = validPosition(state.currentZone, codeplug.zones().count());
    if (!position)
        return nullptr;
    Zone* zone = codeplug.zones().at(*position);
    zone->selectBank(state.shownBank);
    return zone;
}

CommandResult stepZone(const Codeplug& codeplug, ListTabState& state, int step)
{
    CommandResult result;
    if (!codeplug.loaded())
        return result;
    const auto next = steppedPosition(state.currentZone, codeplug.zones().count(), step);
    if (!next)
        return result;
    state.currentZone = next;
    result.refresh = TabList::Zones;
    return result;
}

} // namespace

CommandResult newZoneCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    if (!codeplug.loaded())
        return {};
    const auto name = prompts.inputBox("New Zone", "Enter the new zone name (15 characters maximum).",
                                       ZoneNameInputLength, "");
    if (!name)
        return {};
    Zone zone = codeplug.newZone();
    zone.setName(withoutTrailingBlanks(*name));
    // A 0x2001 zone is never left empty (the channel delete refills an emptied one with the first
    // channel too), so a new one starts with that channel.
    if (codeplug.formatId() == RdbV1Format)
        zone.addMember(codeplug.memberNumberOf(0));
    if (!codeplug.addZone(zone))
        return refusal(prompts, "Sorry, no room for an additional zone.");
    state.currentZone = codeplug.zones().count() - 1;
    CommandResult result;
    result.refresh = TabList::Zones;
    result.modelChanged = true;
    return result;
}

CommandResult deleteZoneCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    const Zone* zone = currentZone(codeplug, state);
    // A codeplug keeps at least one zone.
    if (!zone || codeplug.zones().count() < 2)
        return {};
    if (!askedYes(prompts, MessageIcon::Question, MessageButtons::YesNo,
                  "Are you sure you want to delete Zone " + singleQuoted(zone->name()) + " ?"))
        return {};
    codeplug.deleteZone(*state.currentZone);
    state.currentZone = 0;
    CommandResult result;
    result.refresh = TabList::Zones;
    result.modelChanged = true;
    return result;
}

CommandResult renameZoneCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    Zone* zone = currentZone(codeplug, state);
    if (!zone)
        return {};
    const auto name = prompts.inputBox("Rename Zone", "Enter the new name for the zone, or CANCEL.",
                                       ZoneNameInputLength, zone->name());
    if (!name)
        return {};
    zone->setName(withoutTrailingBlanks(*name));
    CommandResult result;
    commitEdit(codeplug, result);
    result.refresh = TabList::Zones;
    return result;
}

CommandResult previousZone(const Codeplug& codeplug, ListTabState& state)
{
    return stepZone(codeplug, state, -1);
}

CommandResult nextZone(const Codeplug& codeplug, ListTabState& state)
{
    return stepZone(codeplug, state, +1);
}

CommandResult addChannelToZone(Codeplug& codeplug, Prompts& prompts, ListTabState& state, int channelIndex)
{
    Zone* zone = currentZone(codeplug, state);
    if (!zone || !codeplug.channels().at(channelIndex))
        return {};
    CommandResult result;
    if (zone->addMember(codeplug.memberNumberOf(channelIndex))) {
        commitEdit(codeplug, result);
        result.refresh = TabList::Zones;
        return result;
    }
    if (zone->memberCount() >= zone->capacity() && !holdsChannel(*zone, channelIndex, codeplug))
        return refusal(prompts, "Zone is full - - unable to add more channels.");
    return result;
}

CommandResult removeChannelFromZone(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    Zone* zone = currentZone(codeplug, state);
    CommandResult result;
    if (!zone || !zone->removeMember(memberRow))
        return result;
    commitEdit(codeplug, result);
    result.refresh = TabList::Zones;
    return result;
}

CommandResult moveZoneMemberUp(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    Zone* zone = currentZone(codeplug, state);
    CommandResult result;
    if (!zone || !zone->moveMemberUp(memberRow))
        return result;
    commitEdit(codeplug, result);
    result.refresh = TabList::Zones;
    result.selectedRow = memberRow - 1;
    return result;
}

CommandResult moveZoneMemberDown(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    Zone* zone = currentZone(codeplug, state);
    CommandResult result;
    if (!zone || !zone->moveMemberDown(memberRow))
        return result;
    commitEdit(codeplug, result);
    result.refresh = TabList::Zones;
    result.selectedRow = memberRow + 1;
    return result;
}

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
        if (zone->memberCount() >= zone->capacity() && !holdsChannel(*zone, channelIndex, codeplug)) {
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
