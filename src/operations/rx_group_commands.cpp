// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/rx_group_commands.h"

#include "operations/name_check.h"
#include "operations/tab_command_support.h"

namespace pw {

using namespace tab_commands;

namespace {

constexpr std::size_t RxGroupNameInputLength = 15;

RxGroupList* currentRxGroup(const Codeplug& codeplug, const ListTabState& state)
{
    if (!codeplug.loaded())
        return nullptr;
    const auto position = validPosition(state.currentRxGroup, codeplug.rxGroupLists().count());
    return position ? codeplug.rxGroupLists().at(*position) : nullptr;
}

CommandResult stepRxGroup(const Codeplug& codeplug, ListTabState& state, int step)
{
    CommandResult result;
    if (!codeplug.loaded())
        return result;
    const auto next = steppedPosition(state.currentRxGroup, codeplug.rxGroupLists().count(), step);
    if (!next)
        return result;
    state.currentRxGroup = next;
    result.refresh = TabList::RxGroups;
    return result;
}

} // namespace

CommandResult newRxGroupCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    if (!codeplug.loaded())
        return {};
    const auto name = prompts.inputBox("New Rx Group List", "Enter the new Rx Group List name (15 characters maximum).",
                                       RxGroupNameInputLength, "");
    if (!name)
        return {};
    if (!codeplug.newRxGroupList(withoutTrailingBlanks(*name)))
        return refusal(prompts, "Sorry, no room for an additional group list.");
    state.currentRxGroup = codeplug.rxGroupLists().count() - 1;
    CommandResult result;
    result.refresh = TabList::RxGroups;
    result.modelChanged = true;
    return result;
}

CommandResult deleteRxGroupCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    const RxGroupList* list = currentRxGroup(codeplug, state);
    // A codeplug keeps at least one RX group list.
    if (!list || codeplug.rxGroupLists().count() < 2)
        return {};
    if (!askedYes(prompts, MessageIcon::Question, MessageButtons::YesNoCancel,
                  "Delete the Rx Group " + singleQuoted(list->name()) + " ?"))
        return {};
    codeplug.deleteRxGroupList(*state.currentRxGroup);
    state.currentRxGroup = 0;
    CommandResult result;
    // Channels refer to RX group lists by position, and show their names.
    result.refresh = TabList::RxGroups | TabList::Channels;
    result.modelChanged = true;
    return result;
}

CommandResult renameRxGroupCommand(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    RxGroupList* list = currentRxGroup(codeplug, state);
    if (!list)
        return {};
    const auto name = prompts.inputBox("Rename Rx Group List", "Enter the new name for the Rx Group List, or CANCEL.",
                                       RxGroupNameInputLength, list->name());
    if (!name)
        return {};
    list->setName(withoutTrailingBlanks(*name));
    CommandResult result;
    // Marked changed like a renamed zone or scan list: otherwise neither the close question nor
    // the command-line save would keep the new name.
    commitEdit(codeplug, result);
    result.refresh = TabList::RxGroups | TabList::Channels;
    return result;
}

CommandResult previousRxGroup(const Codeplug& codeplug, ListTabState& state)
{
    return stepRxGroup(codeplug, state, -1);
}

CommandResult nextRxGroup(const Codeplug& codeplug, ListTabState& state)
{
    return stepRxGroup(codeplug, state, +1);
}

CommandResult addContactToRxGroup(Codeplug& codeplug, Prompts& prompts, ListTabState& state, int contactIndex)
{
    RxGroupList* list = currentRxGroup(codeplug, state);
    if (!list || !codeplug.contacts().at(contactIndex))
        return {};
    // Measured against the list's own limit, so that a full D868 list (30) says so as well
    // instead of ignoring the double-click.
    if (list->memberCount() >= list->memberLimit())
        return refusal(prompts, "Sorry, this Rx Group List is full and can't accept more contacts,");
    CommandResult result;
    if (codeplug.contactAt(contactIndex) && list->addMember(contactIndex + 1)) {
        commitEdit(codeplug, result);
        result.refresh = TabList::RxGroups;
    }
    return result;
}

CommandResult removeContactFromRxGroup(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    RxGroupList* list = currentRxGroup(codeplug, state);
    CommandResult result;
    if (!list || !list->removeMember(memberRow))
        return result;
    commitEdit(codeplug, result);
    result.refresh = TabList::RxGroups;
    return result;
}

} // namespace pw
