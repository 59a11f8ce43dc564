// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/id_fit.h"

#include "codeplug/codeplug.h"
#include "codeplug/contact_references.h"
#include "iddb/id_searcher.h"
#include "model/text_trim.h"
#include "operations/id_contact_add.h"
#include "platform/prompts.h"

#include <algorithm>

namespace pw {
namespace {

std::vector<std::uint32_t> sortedIdsKept(const Codeplug& codeplug, const std::vector<int>& leaving)
{
    std::vector<bool> leaves(static_cast<std::size_t>(codeplug.contacts().count()), false);
    for (const int index : leaving)
        leaves[static_cast<std::size_t>(index)] = true;
    std::vector<std::uint32_t> ids;
    ids.reserve(static_cast<std::size_t>(codeplug.contacts().count()));
    for (int i = 0; i < codeplug.contacts().count(); ++i)
        if (!leaves[static_cast<std::size_t>(i)])
            ids.push_back(codeplug.contactAt(i)->dmrId());
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

std::vector<int> unusedPrivateContacts(const Codeplug& codeplug)
{
    const auto used = referencedContacts(codeplug);
    std::vector<int> unused;
    for (int i = 0; i < codeplug.contacts().count(); ++i) {
        const Contact& contact = *codeplug.contactAt(i);
        if (contact.callType() == CallType::PrivateCall && !contact.isTalkgroup()
            && !used[static_cast<std::size_t>(i)])
            unused.push_back(i);
    }
    return unused;
}

FitPlan planFit(const Codeplug& codeplug, const IdUserIndex& users, const FitRequest& request)
{
    FitPlan plan;
    if (request.replace)
        plan.removable = unusedPrivateContacts(codeplug);
    const int capacity = codeplug.loaded() ? contactCapacity(codeplug.formatId()) : 0;
    plan.room = std::max(capacity - codeplug.contacts().count() + static_cast<int>(plan.removable.size()), 0);
    const auto present = sortedIdsKept(codeplug, plan.removable);

    plan.selection = selectUsers(users, request.criteria);
    const bool limited = request.criteria.limit.has_value();
    std::size_t taken = 0;
    for (const int user : plan.selection.users) {
        if (std::binary_search(present.begin(), present.end(), users.idOf(user))) {
            ++plan.alreadyPresent;
        } else if (static_cast<int>(plan.toAdd.size()) < plan.room) {
            plan.toAdd.push_back(user);
        } else if (limited) {
            ++plan.leftOut;
        } else {
            // The free rows are the limit: the users after this one were not selected.
            break;
        }
        ++taken;
    }
    auto& selected = plan.selection.users;
    selected.resize(taken);
    plan.selection.pinned = std::min(plan.selection.pinned, static_cast<int>(taken));
    return plan;
}

FitResult fitToCodeplug(Codeplug* codeplug, const IdUserIndex& users, const FitRequest& request, Prompts& prompts)
{
    FitResult result;
    if (!codeplugTakesContacts(codeplug, prompts))
        return result;
    const auto words = templateWords(request.nameTemplate, prompts);
    if (!words)
        return result;
    {
        BusyScope busy(prompts);
        const auto plan = planFit(*codeplug, users, request);
        Codeplug::EditScope edit(*codeplug);
        result.removed = codeplug->deleteContacts(plan.removable);
        for (const int user : plan.toAdd) {
            const auto record = users.recordOfUser(user);
            Contact contact = codeplug->newContact();
            contact.setDmrId(users.idOf(user));
            contact.setCallType(CallType::PrivateCall);
            // The template's words each end in a blank, which a name has no room for. A contact
            // without a name reads as an empty slot in some families: the ID names it then.
            const auto built = contactNameFromTemplate(*words, record);
            const auto name = trimmedBlanks(built);
            contact.setName(name.empty() ? std::to_string(users.idOf(user)) : std::string(name));
            contact.setCallsign(record.callsign());
            contact.setCity(record.city());
            contact.setState(record.state());
            contact.setCountry(record.country());
            contact.setRemarks(record.remarks());
            // The plan left out the IDs the codeplug has: no need to look for each again.
            if (codeplug->addContact(contact, true) == AddResult::Added)
                ++result.added;
            else
                ++result.leftOut;
        }
        if (result.added > 0)
            edit.changed();
        result.alreadyPresent = plan.alreadyPresent;
        result.leftOut += plan.leftOut;
        result.ran = true;
        result.message = "added: " + std::to_string(result.added) + "\r\nalready present: "
                       + std::to_string(result.alreadyPresent) + "\r\nremoved: " + std::to_string(result.removed)
                       + "\r\nleft out for lack of room: " + std::to_string(result.leftOut) + "\r\n"
                       + selectionCountText(plan.selected(), users.userCount(), static_cast<std::size_t>(plan.room));
        const auto limit = request.criteria.limit.value_or(static_cast<std::size_t>(plan.room));
        for (const auto& note : selectionNotes(plan.selection, request.criteria, limit))
            result.message += "\r\n" + note;
    }
    prompts.message(result.leftOut > 0 ? MessageIcon::Warning : MessageIcon::Information, MessageButtons::Ok,
                    result.message);
    return result;
}

} // namespace pw
