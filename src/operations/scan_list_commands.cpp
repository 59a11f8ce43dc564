// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/scan_list_commands.h"

#include "operations/name_check.h"
#include "operations/tab_command_support.h"

namespace pw {

using namespace tab_commands;

namespace {

constexpr std::size_t ScanListNameInputLength = 15;

ScanList* currentScanList(const Codeplug& codeplug, const ListTabState& state)
{
    if (!codeplug.loaded())
        return nullptr;
    const auto position = validPosition(state.currentScanList, codeplug.scanLists().count());
    return position ? codeplug.scanLists().at(*position) : nullptr;
}

CommandResult stepScanList(const Codeplug& codeplug, ListTabState& state, int step)
{
    CommandResult result;
    if (!codeplug.loaded())
        return result;
    const auto next = steppedPosition(state.currentScanList, codeplug.scanLists().count(), step);
    if (!next)
        return result;
    state.currentScanList = next;
    result.refresh = TabList::ScanLists;
    return result;
}

} // namespace

CommandResult newScanListCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    if (!codeplug.loaded())
        return {};
    const auto name = prompts.inputBox("New Scan List", "Enter the new scan list name (15 characters maximum).",
                                       ScanListNameInputLength, "");
    if (!name)
        return {};
    ScanList list = codeplug.newScanList();
    list.setName(withoutTrailingBlanks(*name));
    if (!codeplug.addScanList(list))
        return refusal(prompts, "Sorry, no room for an additional scan list.");
    state.currentScanList = codeplug.scanLists().count() - 1;
    CommandResult result;
    result.refresh = TabList::ScanLists;
    result.modelChanged = true;
    return result;
}

CommandResult deleteScanListCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    const ScanList* list = currentScanList(codeplug, state);
    // A codeplug keeps at least one scan list.
    if (!list || codeplug.scanLists().count() < 2)
        return {};
    if (!askedYes(prompts, MessageIcon::Question, MessageButtons::YesNo,
                  "Are you sure you want to delete Scan List " + singleQuoted(list->name()) + " ?"))
        return {};
    codeplug.deleteScanList(*state.currentScanList);
    state.currentScanList = 0;
    CommandResult result;
    // Channels refer to scan lists by position.
    result.refresh = TabList::ScanLists | TabList::Channels;
    result.modelChanged = true;
    return result;
}

CommandResult renameScanListCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    ScanList* list = currentScanList(codeplug, state);
    if (!list)
        return {};
    const auto name = prompts.inputBox("Rename Scan List", "Enter the new name for the scan list, or CANCEL.",
                                       ScanListNameInputLength, list->name());
    if (!name)
        return {};
    list->setName(withoutTrailingBlanks(*name));
    CommandResult result;
    commitEdit(codeplug, result);
    result.refresh = TabList::ScanLists | TabList::Channels;
    return result;
}

CommandResult previousScanList(const Codeplug& codeplug, ListTabState& state)
{
    return stepScanList(codeplug, state, -1);
}

CommandResult nextScanList(const Codeplug& codeplug, ListTabState& state)
{
    return stepScanList(codeplug, state, +1);
}

CommandResult addChannelToScanList(Codeplug& codeplug, Prompts& prompts, ListTabState& state, int channelIndex)
{
    ScanList* list = currentScanList(codeplug, state);
    if (!list || !codeplug.channels().at(channelIndex))
        return {};
    CommandResult result;
    if (list->addMember(codeplug.memberNumberOf(channelIndex))) {
        commitEdit(codeplug, result);
        result.refresh = TabList::ScanLists;
        return result;
    }
    if (list->memberCount() >= list->memberLimit() && !holdsChannel(*list, channelIndex, codeplug))
        return refusal(prompts, "Scan list is full - - unable to add more channels.");
    return result;
}

CommandResult removeChannelFromScanList(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    ScanList* list = currentScanList(codeplug, state);
    CommandResult result;
    if (!list || !list->removeMember(memberRow))
        return result;
    commitEdit(codeplug, result);
    result.refresh = TabList::ScanLists;
    return result;
}

CommandResult moveScanListMemberUp(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    ScanList* list = currentScanList(codeplug, state);
    CommandResult result;
    if (!list || !list->moveMemberUp(memberRow))
        return result;
    commitEdit(codeplug, result);
    result.refresh = TabList::ScanLists;
    result.selectedRow = memberRow - 1;
    return result;
}

CommandResult moveScanListMemberDown(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    ScanList* list = currentScanList(codeplug, state);
    CommandResult result;
    if (!list || !list->moveMemberDown(memberRow))
        return result;
    commitEdit(codeplug, result);
    result.refresh = TabList::ScanLists;
    result.selectedRow = memberRow + 1;
    return result;
}

} // namespace pw
