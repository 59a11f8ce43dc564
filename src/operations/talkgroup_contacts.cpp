// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/talkgroup_contacts.h"

#include "codeplug/codeplug.h"
#include "model/letter_case.h"
#include "operations/contact_transfer.h"
#include "operations/import_shortfall.h"
#include "operations/zone_wizard.h"

#include <algorithm>

namespace pw {
namespace {

std::string counted(int count, std::string_view one, std::string_view many)
{
    return groupedNumber(count) + " " + std::string(count == 1 ? one : many);
}

// The chosen talkgroups of the catalogue, by number.
std::vector<Talkgroup> chosenTalkgroups(const TalkgroupCatalogue& catalogue, const TalkgroupChoice& choice,
                                        int& notInCatalogue)
{
    if (choice.kind == TalkgroupChoice::Kind::Match)
        return catalogue.matching(choice.match);
    std::vector<Talkgroup> chosen;
    for (const auto& talkgroup : catalogue.talkgroups())
        if (containsTalkgroup(choice.ids, talkgroup.id))
            chosen.push_back(talkgroup);
    for (const auto& range : choice.ids)
        if (range.single() && !catalogue.find(range.first))
            ++notInCatalogue;
    return chosen;
}

// The name the contact format stores for `name`, or "TG" and the number when it cannot hold it.
std::string storableName(const Codeplug& codeplug, const Talkgroup& talkgroup)
{
    if (codeplug.recordFormats().contact->holdsName(talkgroup.name))
        return talkgroup.name;
    return "TG " + std::to_string(talkgroup.id);
}

void planRxGroupList(const Codeplug& codeplug, std::string_view name, const std::vector<int>& presentMembers,
                     int newMembers, TalkgroupContactPlan& plan)
{
    plan.rxGroupList = std::string(name);
    int existing = -1;
    for (int i = 0; i < codeplug.rxGroupLists().count(); ++i)
        if (equalsIgnoringCase(codeplug.rxGroupLists().at(i)->name(), name)) {
            existing = i;
            break;
        }
    plan.newRxGroupList = existing < 0;
    const RxGroupList list = existing >= 0 ? *codeplug.rxGroupLists().at(existing) : codeplug.newRxGroupList();
    plan.rxGroupListLimit = list.memberLimit();
    plan.rxGroupListRoom = existing >= 0 || codeplug.rxGroupLists().count() < codeplug.codec().capacities().rxGroupLists;
    int wanted = newMembers;
    for (const int position : presentMembers)
        if (!list.hasMember(position + 1))
            ++wanted;
    const int room = plan.rxGroupListRoom ? std::max(0, list.memberLimit() - list.memberCount()) : 0;
    plan.rxGroupListAdded = std::min(wanted, room);
    plan.rxGroupListLeftOut = wanted - plan.rxGroupListAdded;
}

struct DoneCounts {
    int added = 0;
    int renamed = 0;
    int listAdded = 0;
};

// The closing message (`done`) or the preview, one line per thing that happens, CR LF between.
std::string describe(const TalkgroupContactPlan& plan, DoneCounts counts, bool done)
{
    const std::string_view contacts[] = {"talkgroup contact", "talkgroup contacts"};
    std::string text;
    if (!plan.renaming)
        text = counted(counts.added, contacts[0], contacts[1]) + (done ? " added; " : " to add; ") +
               groupedNumber(static_cast<long long>(plan.present.size())) + " already present.";
    else
        text = counted(counts.renamed, contacts[0], contacts[1]) + (done ? " renamed." : " to rename.");
    if (plan.notInCatalogue > 0)
        text += "\r\n" + groupedNumber(plan.notInCatalogue) + " not in the talkgroup list.";
    if (plan.leftOut > 0)
        text += "\r\n" + groupedNumber(plan.leftOut) + " not added: the contact table holds at most " +
                groupedNumber(plan.contactCapacity);
    if (plan.rxGroupList.empty())
        return text;
    const std::string list = "RX group list '" + plan.rxGroupList + "'";
    if (!plan.rxGroupListRoom)
        return text + "\r\nNo room for the " + list + ": the codeplug holds no more RX group lists.";
    text += "\r\n" + list + (plan.newRxGroupList ? " (new): " : ": ") + counted(counts.listAdded, "member", "members") +
            (done ? " added." : " to add.");
    if (plan.rxGroupListLeftOut > 0)
        text += "\r\n" + groupedNumber(plan.rxGroupListLeftOut) + " not added to it: an RX group list holds at most " +
                groupedNumber(plan.rxGroupListLimit);
    return text;
}

} // namespace

bool TalkgroupContactPlan::changesSomething() const
{
    return !additions.empty() || !renames.empty() || rxGroupListAdded > 0 || (newRxGroupList && !rxGroupList.empty()
                                                                               && rxGroupListRoom);
}

std::string talkgroupName(const TalkgroupCatalogue* catalogue, std::uint32_t id, std::string_view fallback)
{
    if (catalogue)
        if (const auto* talkgroup = catalogue->find(id))
            return talkgroup->name;
    return fallback.empty() ? "TG " + std::to_string(id) : std::string(fallback);
}

bool isPlaceholderName(std::string_view name)
{
    if (name.size() >= 2 && lowerAscii(name[0]) == 't' && lowerAscii(name[1]) == 'g') {
        name.remove_prefix(2);
        if (!name.empty() && std::string_view(" -_.").find(name.front()) != std::string_view::npos)
            name.remove_prefix(1);
    }
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int addTalkgroupContact(Codeplug& codeplug, const Talkgroup& talkgroup)
{
    Contact contact = codeplug.newContact();
    contact.setDmrId(talkgroup.id);
    contact.setCallType(CallType::GroupCall);
    contact.setName(storableName(codeplug, talkgroup));
    if (codeplug.addContact(contact) != AddResult::Added)
        return -1;
    const int position = codeplug.contacts().count() - 1;
    // Group calls are what the D868 family keeps among its talkgroups.
    codeplug.contactAt(position)->setTalkgroup(true);
    return position;
}

std::vector<int> addContactsForTalkgroups(Codeplug& codeplug, const std::vector<Talkgroup>& talkgroups)
{
    std::vector<int> added;
    for (const auto& talkgroup : talkgroups) {
        const int position = addTalkgroupContact(codeplug, talkgroup);
        if (position < 0)
            continue;
        added.push_back(position);
        codeplug.markChanged();
    }
    return added;
}

TalkgroupContactPlan planTalkgroupContacts(const Codeplug& codeplug, const TalkgroupCatalogue& catalogue,
                                           const TalkgroupChoice& choice, std::string_view rxGroupList)
{
    TalkgroupContactPlan plan;
    if (!codeplug.loaded())
        return plan;
    plan.contactCapacity = codeplug.codec().capacities().contacts;
    if (choice.kind == TalkgroupChoice::Kind::Used) {
        plan.renaming = true;
        const auto& contacts = codeplug.contacts();
        for (int i = 0; i < contacts.count(); ++i) {
            const Contact& contact = *contacts.at(i);
            if (contact.callType() != CallType::GroupCall || !isPlaceholderName(contact.nameView()))
                continue;
            if (const auto* talkgroup = catalogue.find(contact.dmrId()))
                plan.renames.emplace_back(i, storableName(codeplug, *talkgroup));
        }
        std::vector<int> renamed;
        for (const auto& [position, name] : plan.renames)
            renamed.push_back(position);
        if (!rxGroupList.empty())
            planRxGroupList(codeplug, rxGroupList, renamed, 0, plan);
        return plan;
    }

    const ContactIndex index(codeplug);
    int room = plan.contactCapacity - codeplug.contacts().count();
    for (auto& talkgroup : chosenTalkgroups(catalogue, choice, plan.notInCatalogue)) {
        if (const int position = index.findById(talkgroup.id); position >= 0) {
            plan.present.push_back(position);
        } else if (room > 0) {
            --room;
            plan.additions.push_back(std::move(talkgroup));
        } else {
            ++plan.leftOut;
        }
    }
    if (!rxGroupList.empty())
        planRxGroupList(codeplug, rxGroupList, plan.present, static_cast<int>(plan.additions.size()), plan);
    return plan;
}

TalkgroupContactResult addTalkgroupContacts(Codeplug& codeplug, const TalkgroupContactPlan& plan)
{
    TalkgroupContactResult result;
    if (!codeplug.loaded())
        return result;
    Codeplug::EditScope edit(codeplug);
    std::vector<int> members = plan.present;
    const auto added = addContactsForTalkgroups(codeplug, plan.additions);
    members.insert(members.end(), added.begin(), added.end());
    result.added = static_cast<int>(added.size());
    for (const auto& [position, name] : plan.renames) {
        Contact& contact = *codeplug.contactAt(position);
        const auto before = contact.name();
        contact.setName(name);
        if (contact.name() != before) {
            ++result.renamed;
            edit.changed();
        }
        members.push_back(position);
    }
    if (result.renamed > 0)
        codeplug.refreshContactNames();
    result.present = static_cast<int>(plan.present.size());

    int listAdded = 0;
    if (!plan.rxGroupList.empty() && plan.rxGroupListRoom) {
        int index = -1;
        for (int i = 0; i < codeplug.rxGroupLists().count(); ++i)
            if (equalsIgnoringCase(codeplug.rxGroupLists().at(i)->name(), plan.rxGroupList))
                index = i;
        if (index < 0 && codeplug.newRxGroupList(plan.rxGroupList))
            index = codeplug.rxGroupLists().count() - 1;
        if (index >= 0) {
            RxGroupList& list = *codeplug.rxGroupListAt(index);
            for (const int position : members)
                listAdded += list.addMember(position + 1) ? 1 : 0;
            if (listAdded > 0)
                edit.changed();
        }
    }

    result.message = describe(plan, {result.added, result.renamed, listAdded}, true);
    result.leftOut = plan.leftOut > 0 || plan.rxGroupListLeftOut > 0 || (!plan.rxGroupList.empty() && !plan.rxGroupListRoom);
    return result;
}

std::string talkgroupPlanPreview(const TalkgroupContactPlan& plan)
{
    return describe(plan, {static_cast<int>(plan.additions.size()), static_cast<int>(plan.renames.size()),
                           plan.rxGroupListAdded},
                    false);
}

} // namespace pw
