// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/member_list_commands.h"

#include "operations/name_check.h"
#include "operations/tab_command_support.h"

namespace pw {

using namespace tab_commands;

namespace {

constexpr std::size_t NameInputLength = 15;

// What sets one kind of list apart on its tab: where it is kept, how a new one is made, and the
// texts of its questions and refusals.
template <typename List>
struct MemberListKind {
    std::optional<int> ListTabState::*current;
    const RecordList<List>& (Codeplug::*table)() const;
    // Adds a list of that name after the others; false when the table has no room.
    bool (*create)(Codeplug& codeplug, std::string_view name);
    void (Codeplug::*erase)(int index);
    // How many members a list takes.
    int (List::*limit)() const;
    // The tab, and what a delete or rename leaves out of date: channels refer to scan lists and RX
    // group lists by position and show their names.
    TabList tab;
    TabList afterNameChange;
    std::string_view newTitle, newPrompt, noRoom;
    std::string_view renameTitle, renamePrompt;
    // The delete question is followed by the quoted name and " ?".
    MessageButtons deleteButtons;
    std::string_view deleteQuestion;
    std::string_view full;
};

bool createZone(Codeplug& codeplug, std::string_view name)
{
    Zone zone = codeplug.newZone();
    zone.setName(name);
    // A 0x2001 zone is never left empty (the channel delete refills an emptied one with the first
    // channel too), so a new one starts with that channel.
    if (codeplug.formatId() == RdbV1Format)
        zone.addMember(codeplug.memberNumberOf(0));
    return codeplug.addZone(zone);
}

bool createScanList(Codeplug& codeplug, std::string_view name)
{
    ScanList list = codeplug.newScanList();
    list.setName(name);
    return codeplug.addScanList(list);
}

bool createRxGroupList(Codeplug& codeplug, std::string_view name)
{
    return codeplug.newRxGroupList(name);
}

template <typename List>
extern const MemberListKind<List> kindOf;

template <>
constexpr MemberListKind<Zone> kindOf<Zone>{
    .current = &ListTabState::currentZone,
    .table = &Codeplug::zones,
    .create = createZone,
    .erase = &Codeplug::deleteZone,
    .limit = &Zone::capacity,
    .tab = TabList::Zones,
    .afterNameChange = TabList::Zones,
    .newTitle = "New Zone",
    .newPrompt = "Enter the new zone name (15 characters maximum).",
    .noRoom = "Sorry, no room for an additional zone.",
    .renameTitle = "Rename Zone",
    .renamePrompt = "Enter the new name for the zone, or CANCEL.",
    .deleteButtons = MessageButtons::YesNo,
    .deleteQuestion = "Are you sure you want to delete Zone ",
    .full = "Zone is full - - unable to add more channels.",
};

template <>
constexpr MemberListKind<ScanList> kindOf<ScanList>{
    .current = &ListTabState::currentScanList,
    .table = &Codeplug::scanLists,
    .create = createScanList,
    .erase = &Codeplug::deleteScanList,
    .limit = &ScanList::memberLimit,
    .tab = TabList::ScanLists,
    .afterNameChange = TabList::ScanLists | TabList::Channels,
    .newTitle = "New Scan List",
    .newPrompt = "Enter the new scan list name (15 characters maximum).",
    .noRoom = "Sorry, no room for an additional scan list.",
    .renameTitle = "Rename Scan List",
    .renamePrompt = "Enter the new name for the scan list, or CANCEL.",
    .deleteButtons = MessageButtons::YesNo,
    .deleteQuestion = "Are you sure you want to delete Scan List ",
    .full = "Scan list is full - - unable to add more channels.",
};

template <>
constexpr MemberListKind<RxGroupList> kindOf<RxGroupList>{
    .current = &ListTabState::currentRxGroup,
    .table = &Codeplug::rxGroupLists,
    .create = createRxGroupList,
    .erase = &Codeplug::deleteRxGroupList,
    .limit = &RxGroupList::memberLimit,
    .tab = TabList::RxGroups,
    .afterNameChange = TabList::RxGroups | TabList::Channels,
    .newTitle = "New Rx Group List",
    .newPrompt = "Enter the new Rx Group List name (15 characters maximum).",
    .noRoom = "Sorry, no room for an additional group list.",
    .renameTitle = "Rename Rx Group List",
    .renamePrompt = "Enter the new name for the Rx Group List, or CANCEL.",
    .deleteButtons = MessageButtons::YesNoCancel,
    .deleteQuestion = "Delete the Rx Group ",
    .full = "Sorry, this Rx Group List is full and can't accept more contacts,",
};

template <typename List>
const RecordList<List>& tableOf(const Codeplug& codeplug)
{
    return (codeplug.*kindOf<List>.table)();
}

// The Zones tab shows one bank of its zone at a time; the member commands act on that bank.
void showOnTab(Zone& zone, const ListTabState& state)
{
    zone.selectBank(state.shownBank);
}

template <typename List>
void showOnTab(List&, const ListTabState&)
{
}

// A rename or member edit of a list in place.
CommandResult listEdited(Codeplug& codeplug, TabList refresh)
{
    CommandResult result;
    commitEdit(codeplug, result);
    result.refresh = refresh;
    return result;
}

template <typename List>
CommandResult stepList(const Codeplug& codeplug, ListTabState& state, int step)
{
    const MemberListKind<List>& kind = kindOf<List>;
    if (!codeplug.loaded())
        return {};
    const auto next = steppedPosition(state.*kind.current, tableOf<List>(codeplug).count(), step);
    if (!next)
        return {};
    state.*kind.current = next;
    CommandResult result;
    result.refresh = kind.tab;
    return result;
}

// Channels join a zone's shown bank or a scan list by member number. A list that refuses one is
// reported full only when it is full and does not hold the channel already.
template <typename List>
CommandResult addMasterRecord(Codeplug& codeplug, Prompts& prompts, List& list, int channelIndex)
{
    const MemberListKind<List>& kind = kindOf<List>;
    if (!codeplug.channels().at(channelIndex))
        return {};
    if (list.addMember(codeplug.memberNumberOf(channelIndex)))
        return listEdited(codeplug, kind.tab);
    if (hasNoRoomFor(list, (list.*kind.limit)(), channelIndex, codeplug))
        return refusal(prompts, kind.full);
    return {};
}

// Contacts join an RX group list by table position. A full list is reported even for a contact
// it holds: measured against the list's own limit, so that a full D868 list (30) says so as well
// instead of ignoring the double-click.
CommandResult addMasterRecord(Codeplug& codeplug, Prompts& prompts, RxGroupList& list, int contactIndex)
{
    const MemberListKind<RxGroupList>& kind = kindOf<RxGroupList>;
    if (!codeplug.contacts().at(contactIndex))
        return {};
    if (list.memberCount() >= list.memberLimit())
        return refusal(prompts, kind.full);
    if (list.addMember(contactIndex + 1))
        return listEdited(codeplug, kind.tab);
    return {};
}

template <typename List>
CommandResult moveMember(Codeplug& codeplug, ListTabState& state, int memberRow, bool (List::*move)(int), int step)
{
    List* list = MemberListCommands<List>::current(codeplug, state);
    if (!list || !(list->*move)(memberRow))
        return {};
    CommandResult result = listEdited(codeplug, kindOf<List>.tab);
    result.selectedRow = memberRow + step;
    return result;
}

} // namespace

template <typename List>
List* MemberListCommands<List>::current(const Codeplug& codeplug, const ListTabState& state)
{
    if (!codeplug.loaded())
        return nullptr;
    const auto& table = tableOf<List>(codeplug);
    const auto position = validPosition(state.*kindOf<List>.current, table.count());
    if (!position)
        return nullptr;
    List* list = table.at(*position);
    showOnTab(*list, state);
    return list;
}

template <typename List>
CommandResult MemberListCommands<List>::create(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    const MemberListKind<List>& kind = kindOf<List>;
    if (!codeplug.loaded())
        return {};
    const auto name = prompts.inputBox(kind.newTitle, kind.newPrompt, NameInputLength, "");
    if (!name)
        return {};
    if (!kind.create(codeplug, withoutTrailingBlanks(*name)))
        return refusal(prompts, kind.noRoom);
    state.*kind.current = tableOf<List>(codeplug).count() - 1;
    return tableChanged(kind.tab);
}

template <typename List>
CommandResult MemberListCommands<List>::remove(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    const MemberListKind<List>& kind = kindOf<List>;
    const List* list = current(codeplug, state);
    // A codeplug keeps at least one list of each kind.
    if (!list || tableOf<List>(codeplug).count() < 2)
        return {};
    if (!askedYes(prompts, MessageIcon::Question, kind.deleteButtons,
                  std::string(kind.deleteQuestion) + singleQuoted(list->name()) + " ?"))
        return {};
    (codeplug.*kind.erase)(*(state.*kind.current));
    state.*kind.current = 0;
    return tableChanged(kind.afterNameChange);
}

template <typename List>
CommandResult MemberListCommands<List>::rename(Codeplug& codeplug, Prompts& prompts, ListTabState& state)
{
    const MemberListKind<List>& kind = kindOf<List>;
    List* list = current(codeplug, state);
    if (!list)
        return {};
    const auto name = prompts.inputBox(kind.renameTitle, kind.renamePrompt, NameInputLength, list->name());
    if (!name)
        return {};
    list->setName(withoutTrailingBlanks(*name));
    // Marked changed like any other edit: otherwise neither the close question nor the command-line
    // save would keep the new name.
    return listEdited(codeplug, kind.afterNameChange);
}

template <typename List>
CommandResult MemberListCommands<List>::previous(const Codeplug& codeplug, ListTabState& state)
{
    return stepList<List>(codeplug, state, -1);
}

template <typename List>
CommandResult MemberListCommands<List>::next(const Codeplug& codeplug, ListTabState& state)
{
    return stepList<List>(codeplug, state, +1);
}

template <typename List>
CommandResult MemberListCommands<List>::addMember(Codeplug& codeplug, Prompts& prompts, ListTabState& state,
                                                  int masterRow)
{
    List* list = current(codeplug, state);
    return list ? addMasterRecord(codeplug, prompts, *list, masterRow) : CommandResult{};
}

template <typename List>
CommandResult MemberListCommands<List>::removeMember(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    List* list = current(codeplug, state);
    if (!list || !list->removeMember(memberRow))
        return {};
    return listEdited(codeplug, kindOf<List>.tab);
}

template <OrderedMembers List>
CommandResult moveListMemberUp(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    return moveMember(codeplug, state, memberRow, &List::moveMemberUp, -1);
}

template <OrderedMembers List>
CommandResult moveListMemberDown(Codeplug& codeplug, ListTabState& state, int memberRow)
{
    return moveMember(codeplug, state, memberRow, &List::moveMemberDown, +1);
}

template struct MemberListCommands<Zone>;
template struct MemberListCommands<ScanList>;
template struct MemberListCommands<RxGroupList>;
template CommandResult moveListMemberUp<Zone>(Codeplug&, ListTabState&, int);
template CommandResult moveListMemberDown<Zone>(Codeplug&, ListTabState&, int);
template CommandResult moveListMemberUp<ScanList>(Codeplug&, ListTabState&, int);
template CommandResult moveListMemberDown<ScanList>(Codeplug&, ListTabState&, int);

} // namespace pw
