// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/repeater_channels.h"

#include "codeplug/codeplug.h"
#include "codeplug/frequency_limits.h"
#include "model/letter_case.h"
#include "model/unicode_text.h"
#include "operations/contact_transfer.h"
#include "operations/import_shortfall.h"
#include "operations/talkgroup_contacts.h"
#include "operations/zone_wizard.h"

#include <cmath>
#include <set>
#include <tuple>
#include <type_traits>
#include <unordered_map>

namespace pw {
namespace {

// Channel, zone and scan-list names hold 16 characters in every family.
constexpr std::size_t NameCharacters = 16;

std::string counted(long long count, std::string_view one, std::string_view many)
{
    return groupedNumber(count) + " " + std::string(count == 1 ? one : many);
}

std::string lowerKey(std::string_view name)
{
    std::string key(name);
    for (char& c : key)
        c = lowerAscii(c);
    return key;
}

// `base` cut so that `suffix` still fits in a name.
std::string withSuffix(std::string_view base, std::string_view suffix)
{
    return std::string(utf8FirstCharacters(base, NameCharacters - suffix.size())) + std::string(suffix);
}

// Gives each new channel a name no other channel has, as the format stores it.
class ChannelNamer {
public:
    explicit ChannelNamer(const Codeplug& codeplug) : scratch_(codeplug.newChannel())
    {
        for (const auto& channel : codeplug.channels())
            taken_.insert(lowerKey(channel->name()));
    }

    std::string unique(std::string_view base)
    {
        std::string name = stored(withSuffix(base, {}));
        for (int number = 2; taken_.count(lowerKey(name)) > 0; ++number)
            name = stored(withSuffix(base, " " + std::to_string(number)));
        taken_.insert(lowerKey(name));
        return name;
    }

private:
    std::string stored(const std::string& name)
    {
        scratch_.setName(name);
        return scratch_.name();
    }

    Channel scratch_;
    std::set<std::string> taken_;
};

// What makes two DMR channels the same repeater channel: frequencies to the 10 Hz, colour code,
// slot and the contact they transmit to (-1 where any contact will do).
using ChannelKey = std::tuple<long long, long long, int, int, int>;

ChannelKey channelKey(double rxMhz, double txMhz, int colorCode, int timeSlot, int contact)
{
    return {std::llround(rxMhz * 1e5), std::llround(txMhz * 1e5), colorCode, timeSlot, contact};
}

std::map<ChannelKey, int> existingChannels(const Codeplug& codeplug)
{
    std::map<ChannelKey, int> keys;
    for (int i = 0; i < codeplug.channels().count(); ++i) {
        const Channel& channel = *codeplug.channelAt(i);
        if (!channel.isDigital())
            continue;
        keys.try_emplace(channelKey(channel.rxFrequency(), channel.txFrequency(), channel.colorCode(),
                                    channel.timeSlot(), channel.txContact() - 1),
                         i);
        keys.try_emplace(channelKey(channel.rxFrequency(), channel.txFrequency(), channel.colorCode(),
                                    channel.timeSlot(), -1),
                         i);
    }
    return keys;
}

// Splits the members among the list named `name`, or "NAME 1", "NAME 2"... when one list cannot
// take them all; lists of those names that exist are filled. `holds` tells whether a list of the
// codeplug already has a present channel.
template <typename Record, typename Find, typename MemberOf>
std::vector<PlannedList> planLists(const Codeplug& codeplug, const std::vector<PlannedMember>& members,
                                   const std::string& name, const Record& prototype, int listLimit,
                                   const RecordList<Record>& lists, Find find, MemberOf memberOf, int& outside)
{
    const auto perList = [](const Record& list) {
        if constexpr (std::is_same_v<Record, Zone>)
            return list.capacity();
        else
            return list.memberLimit();
    };
    // Whether the list can take the members, and how many of them it takes from `from`.
    const auto fill = [&](const std::string& listName, std::size_t from, PlannedList& planned) {
        planned.name = listName;
        planned.existing = find(codeplug, listName);
        const Record& list = planned.existing >= 0 ? *lists.at(planned.existing) : prototype;
        int room = perList(list) - list.memberCount();
        std::size_t next = from;
        for (; next < members.size(); ++next) {
            const auto& member = members[next];
            if (!member.added && list.hasMember(memberOf(member.index))) {
                planned.members.push_back(member);
                continue;
            }
            if (room == 0)
                break;
            --room;
            planned.members.push_back(member);
            ++planned.added;
        }
        return next;
    };
    std::vector<PlannedList> planned(1);
    int newLists = 0;
    if (fill(std::string(utf8FirstCharacters(name, NameCharacters)), 0, planned[0]) == members.size()) {
        newLists = planned[0].existing < 0 ? 1 : 0;
        if (lists.count() + newLists <= listLimit)
            return planned;
    }
    planned.clear();
    std::size_t from = 0;
    for (int number = 1; from < members.size(); ++number) {
        PlannedList list;
        const std::size_t next = fill(withSuffix(name, " " + std::to_string(number)), from, list);
        if (list.existing < 0 && lists.count() + newLists >= listLimit)
            break;
        if (list.members.empty())
            continue;
        newLists += list.existing < 0 ? 1 : 0;
        from = next;
        planned.push_back(std::move(list));
    }
    outside = static_cast<int>(members.size() - from);
    return planned;
}

// Puts the planned channels into the zone or scan list of the plan, adding it when it is new:
// its 1-based position, 0 when it could not be added. `channelOf` gives a member's channel index.
template <typename Record, typename Add, typename ChannelOf>
int fillList(Codeplug& codeplug, RecordList<Record>& lists, const PlannedList& planned, Record fresh, Add add,
             ChannelOf channelOf)
{
    fresh.setName(planned.name);
    Record& list = planned.existing >= 0 ? *lists.at(planned.existing) : fresh;
    for (const auto& member : planned.members)
        if (const int channel = channelOf(member); channel >= 0)
            list.addMember(codeplug.memberNumberOf(channel));
    if (planned.existing >= 0)
        return planned.existing + 1;
    return add(list) ? lists.count() : 0;
}

// The closing message (`done`) or the preview, one line per thing that happens, CR LF between.
std::string describe(const RepeaterChannelPlan& plan, int channels, int contacts, bool done)
{
    std::string text = counted(channels, "channel", "channels") + (done ? " added for " : " to add for ") +
                       counted(plan.repeaters, "repeater", "repeaters") + "; " +
                       groupedNumber(static_cast<long long>(plan.present.size())) + " already present.";
    if (contacts > 0 || !done)
        text += "\r\n" + counted(contacts, "talkgroup contact", "talkgroup contacts") + (done ? " added." : " to add.");
    const auto lists = [&](const std::vector<PlannedList>& planned, std::string_view kind) {
        for (const auto& list : planned)
            if (list.existing < 0)
                text += "\r\n" + std::string(kind) + " '" + list.name + "' (new): " +
                        counted(list.added, "channel", "channels") + ".";
            else if (list.added > 0)
                text += "\r\n" + std::string(kind) + " '" + list.name + "': " + counted(list.added, "channel", "channels") +
                        (done ? " added." : " to add.");
    };
    lists(plan.zones, "Zone");
    lists(plan.scanLists, "Scan list");
    if (plan.refusedCount() > 0) {
        text += "\r\n" + counted(plan.refusedCount(), "repeater", "repeaters") + " refused: ";
        bool first = true;
        for (const auto& [reason, count] : plan.refused) {
            text += (first ? "" : ", ") + reason + " (" + groupedNumber(count) + ")";
            first = false;
        }
    }
    if (plan.leftOut > 0)
        text += "\r\n" + groupedNumber(plan.leftOut) + " not added: the channel table holds at most " +
                groupedNumber(plan.channelCapacity);
    if (plan.outsideZones > 0)
        text += "\r\n" + counted(plan.outsideZones, "channel", "channels") + " in no zone: the codeplug holds no more zones";
    if (plan.outsideScanLists > 0)
        text += "\r\n" + counted(plan.outsideScanLists, "channel", "channels") +
                " in no scan list: the codeplug holds no more scan lists";
    return text;
}

} // namespace

int RepeaterChannelPlan::refusedCount() const
{
    int count = 0;
    for (const auto& [reason, refusals] : refused)
        count += refusals;
    return count;
}

bool RepeaterChannelPlan::changesSomething() const
{
    const auto fillsList = [](const std::vector<PlannedList>& lists) {
        for (const auto& list : lists)
            if (list.existing < 0 || list.added > 0)
                return true;
        return false;
    };
    return !additions.empty() || !contacts.empty() || fillsList(zones) || fillsList(scanLists);
}

bool inRadioBands(const Codeplug& codeplug, double mhz)
{
    if (!storableFrequencies(codeplug.formatId()).contains(mhz))
        return false;
    for (const auto& band : codeplug.radioBands())
        if (band.contains(mhz))
            return true;
    return false;
}

std::string defaultRepeaterZoneName(std::string_view state, std::string_view city, std::string_view country)
{
    for (const auto name : {state, city, country})
        if (!name.empty())
            return std::string(name);
    return "Repeaters";
}

RepeaterChannelPlan planRepeaterChannels(const Codeplug& codeplug, const std::vector<Repeater>& repeaters,
                                         const RepeaterChannelRequest& request)
{
    RepeaterChannelPlan plan;
    if (!codeplug.loaded())
        return plan;
    const auto capacities = codeplug.codec().capacities();
    plan.channelCapacity = capacities.channels;
    int channelRoom = capacities.channels - codeplug.channels().count();
    int contactRoom = capacities.contacts - codeplug.contacts().count();
    const ContactIndex contactIndex(codeplug);
    const auto existing = existingChannels(codeplug);
    std::unordered_map<std::uint32_t, bool> plannedContacts;
    std::set<ChannelKey> plannedChannels;
    std::set<int> presentChannels;
    ChannelNamer namer(codeplug);
    std::vector<PlannedMember> members;

    for (const auto& repeater : repeaters) {
        const auto input = repeater.inputMhz();
        if (!input) {
            ++plan.refused[NoFrequency];
            continue;
        }
        if (!inRadioBands(codeplug, *repeater.outputMhz) || !inRadioBands(codeplug, *input)) {
            ++plan.refused[OutsideBands];
            continue;
        }
        if (!repeater.colorCode) {
            ++plan.refused[NoColorCode];
            continue;
        }
        std::vector<RepeaterTalkgroup> slots = repeater.talkgroups;
        if (slots.empty())
            slots.push_back({0, 1, {}});
        bool taken = false;
        for (const auto& slot : slots) {
            const std::string talkgroupText =
                slot.id == 0 ? std::string() : talkgroupName(request.catalogue, slot.id, slot.description);
            int contact = -1;
            bool newContact = false;
            if (slot.id != 0) {
                contact = contactIndex.findById(slot.id);
                newContact = contact < 0;
            }
            if (!newContact) {
                const auto found = existing.find(
                    channelKey(*repeater.outputMhz, *input, *repeater.colorCode, slot.timeSlot, contact));
                if (found != existing.end()) {
                    if (presentChannels.insert(found->second).second) {
                        plan.present.push_back(found->second);
                        members.push_back({false, found->second});
                    }
                    taken = true;
                    continue;
                }
            }
            // A channel the list gives twice is made once; a contact still to add is told apart by
            // its number.
            const int contactKey = newContact ? -2 - static_cast<int>(slot.id) : contact;
            if (!plannedChannels
                     .insert(channelKey(*repeater.outputMhz, *input, *repeater.colorCode, slot.timeSlot, contactKey))
                     .second)
                continue;
            const bool contactFits = !newContact || plannedContacts.count(slot.id) > 0 || contactRoom > 0;
            if (channelRoom == 0 || !contactFits) {
                ++plan.leftOut;
                continue;
            }
            if (newContact && plannedContacts.emplace(slot.id, true).second) {
                --contactRoom;
                plan.contacts.push_back({slot.id, talkgroupText});
            }
            --channelRoom;
            const std::string base = repeater.callsign + " " + (slot.id == 0 ? repeater.city : talkgroupText);
            plan.additions.push_back({namer.unique(base), *repeater.outputMhz, *input, *repeater.colorCode,
                                      slot.timeSlot, slot.id});
            members.push_back({true, static_cast<int>(plan.additions.size()) - 1});
            taken = true;
        }
        if (taken)
            ++plan.repeaters;
    }

    if (request.zoneName.empty() || members.empty())
        return plan;
    const auto memberOf = [&codeplug](int index) { return codeplug.memberNumberOf(index); };
    plan.zones = planLists(codeplug, members, request.zoneName, codeplug.newZone(), capacities.zones, codeplug.zones(),
                           findZoneByName, memberOf, plan.outsideZones);
    if (request.scanList)
        plan.scanLists = planLists(codeplug, members, request.zoneName, codeplug.newScanList(),
                                   std::min(capacities.scanLists, scanListCapacity(codeplug.formatId())),
                                   codeplug.scanLists(), findScanListByName, memberOf, plan.outsideScanLists);
    return plan;
}

RepeaterChannelResult addRepeaterChannels(Codeplug& codeplug, const RepeaterChannelPlan& plan)
{
    RepeaterChannelResult result;
    if (!codeplug.loaded())
        return result;
    Codeplug::EditScope edit(codeplug);

    result.contactsAdded = static_cast<int>(addContactsForTalkgroups(codeplug, plan.contacts).size());
    const ContactIndex contacts(codeplug);

    std::vector<int> addedAt(plan.additions.size(), -1);
    for (std::size_t i = 0; i < plan.additions.size(); ++i) {
        const auto& planned = plan.additions[i];
        Channel channel = codeplug.newChannel(planned.rxMhz);
        channel.setName(planned.name);
        channel.setMode(ChannelMode::Dmr);
        channel.setBandwidth(Bandwidth::Narrow12k5);
        channel.setRxFrequency(planned.rxMhz);
        channel.setTxFrequency(planned.txMhz);
        channel.setColorCode(planned.colorCode);
        channel.setTimeSlot(planned.timeSlot);
        channel.setAdmitFromText("Color Code Free");
        if (planned.talkgroup != 0) {
            const int contact = contacts.findById(planned.talkgroup);
            if (contact < 0)
                continue;
            channel.setTxContact(contact + 1);
            channel.refreshContactName(codeplug.contacts());
        }
        if (codeplug.addChannel(channel) != AddResult::Added)
            continue;
        addedAt[i] = codeplug.channels().count() - 1;
        ++result.channelsAdded;
    }

    const auto channelOf = [&](const PlannedMember& member) { return member.added ? addedAt[member.index] : member.index; };
    for (const auto& planned : plan.zones) {
        fillList(codeplug, codeplug.zones(), planned, codeplug.newZone(),
                 [&codeplug](const Zone& zone) { return codeplug.addZone(zone); }, channelOf);
        edit.changed();
    }
    for (const auto& planned : plan.scanLists) {
        const int position = fillList(codeplug, codeplug.scanLists(), planned, codeplug.newScanList(),
                                      [&codeplug](const ScanList& list) { return codeplug.addScanList(list); }, channelOf);
        // The new channels scan the list they are in.
        for (const auto& member : planned.members)
            if (member.added && addedAt[member.index] >= 0 && position > 0)
                codeplug.channelAt(addedAt[member.index])->setScanList(position);
        edit.changed();
    }

    result.message = describe(plan, result.channelsAdded, result.contactsAdded, true);
    result.leftOut = plan.leftOut > 0 || plan.outsideZones > 0 || plan.outsideScanLists > 0;
    return result;
}

std::string repeaterPlanPreview(const RepeaterChannelPlan& plan)
{
    return describe(plan, static_cast<int>(plan.additions.size()), static_cast<int>(plan.contacts.size()), false);
}

} // namespace pw
