// SPDX-License-Identifier: GPL-3.0-or-later
// The codeplug's operations on its contact table. Channels and RX group lists refer to contacts by
// 1-based table position, so every delete and sort here repairs those references.

#include "codeplug/codeplug.h"

#include "model/index_remap.h"
#include "model/list_support.h"
#include "platform/work_progress.h"

#include <algorithm>
#include <bit>

namespace pw {
namespace {

int compareContacts(const Contact& a, const Contact& b, int column)
{
    switch (column) {
    case 1:
        return a.dmrId() < b.dmrId() ? -1 : a.dmrId() > b.dmrId() ? 1 : 0;
    case 3: {
        const auto ta = static_cast<int>(a.callType());
        const auto tb = static_cast<int>(b.callType());
        return ta < tb ? -1 : ta > tb ? 1 : 0;
    }
    // The descriptive texts, after the alert tone: callsign, city, state, country, remarks.
    case 5:
    case 6:
    case 7:
    case 8:
    case 9: {
        const auto which = static_cast<ContactText>(column - 5);
        return a.descriptiveView(which).compare(b.descriptiveView(which));
    }
    default:
        // std::string compares char_traits<char>, which compares as unsigned char.
        return a.name().compare(b.name());
    }
}

// About n log2 n for the table's quicksort, enough for a bar that moves evenly.
std::int64_t expectedComparisons(int count)
{
    const auto n = static_cast<std::uint64_t>(std::max(count, 1));
    return static_cast<std::int64_t>(n * static_cast<std::uint64_t>(std::bit_width(n)));
}

} // namespace

// A family whose contactLeaving looks at the table's count overrides this: the list is deleted from
// only after every call.
void FormatCodec::contactsLeaving(Codeplug& codeplug, const std::vector<int>& indexes)
{
    for (auto index = indexes.rbegin(); index != indexes.rend(); ++index)
        contactLeaving(codeplug, *index);
}

AddResult Codeplug::addContact(const Contact& source, bool allowDuplicateId)
{
    if (!loaded())
        return AddResult::NotLoadedRefused;
    if (!allowDuplicateId && hasContactWithId(source.dmrId()))
        return AddResult::DuplicateRefused;
    if (contacts_.count() >= codec_->capacities().contacts)
        return AddResult::TableFullRefused;

    // An add is not yet a change of its own: imports add thousands and mark the codeplug changed,
    // and have it encoded, once they are done.
    auto contact = std::make_unique<Contact>(*codec_->recordFormats().contact);
    contact->setAlertTone(source.alertTone());
    contact->setName(source.name());
    contact->setDmrId(source.dmrId());
    contact->setCallType(source.callType());
    contact->setCallsign(source.callsign());
    contact->setCity(source.city());
    contact->setState(source.state());
    contact->setCountry(source.country());
    contact->setRemarks(source.remarks());
    contacts_.append(std::move(contact));
    return AddResult::Added;
}

void Codeplug::deleteContact(int index)
{
    if (!loaded() || index < 0 || index >= contacts_.count() || contacts_.count() <= codec_->minimumContacts())
        return;
    EditScope edit(*this);
    const int position = index + 1;
    for (const auto& channel : channels_) {
        if (!channel->isDigital())
            continue;
        const int contact = channel->txContact();
        if (contact == position)
            channel->setTxContact(0);
        else if (contact > position)
            channel->setTxContact(contact - 1);
    }
    for (const auto& list : rxGroupLists_)
        list->forgetContact(position);
    codec_->contactLeaving(*this, index);
    contacts_.deleteAt(index);
    edit.changed();
}

int Codeplug::deleteContacts(std::vector<int> indexes)
{
    if (!loaded())
        return 0;
    const int count = contacts_.count();
    std::erase_if(indexes, [count](int index) { return index < 0 || index >= count; });
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    const int deletable = std::max(count - codec_->minimumContacts(), 0);
    if (static_cast<int>(indexes.size()) > deletable)
        indexes.resize(static_cast<std::size_t>(deletable));
    if (indexes.empty())
        return 0;
    EditScope edit(*this);

    // Each old position's new one, 0 for a contact that leaves.
    std::vector<int> newPosition(static_cast<std::size_t>(count) + 1, 0);
    std::vector<bool> leaving(static_cast<std::size_t>(count), false);
    for (const int index : indexes)
        leaving[static_cast<std::size_t>(index)] = true;
    for (int i = 0, kept = 0; i < count; ++i)
        if (!leaving[static_cast<std::size_t>(i)])
            newPosition[static_cast<std::size_t>(i) + 1] = ++kept;
    // A reference past the table moves down as repeated deletes would move it.
    const int deleted = static_cast<int>(indexes.size());
    const auto positionAfter = [&newPosition, count, deleted](int position) {
        if (position > count)
            return position - deleted;
        return position >= 1 ? newPosition[static_cast<std::size_t>(position)] : position;
    };
    for (const auto& channel : channels_)
        if (channel->isDigital() && channel->txContact() > 0)
            channel->setTxContact(positionAfter(channel->txContact()));
    for (const auto& list : rxGroupLists_) {
        for (int i = list->memberCount() - 1; i >= 0; --i)
            if (list->member(i) >= 1 && positionAfter(list->member(i)) == 0)
                list->removeMember(i);
        list->remapMembers(positionAfter);
    }
    codec_->contactsLeaving(*this, indexes);
    contacts_.eraseMarked(leaving);
    edit.changed();
    return static_cast<int>(indexes.size());
}

void Codeplug::sortContacts(int column, WorkProgress* progress, SortOrder order)
{
    EditScope edit(*this);
    const int n = contacts_.count();
    IndexRemap remap(n);
    // The comparisons take the bar to 80 %; the references and the image written at the end, the rest.
    ProgressStage comparing(progress, expectedComparisons(n), 0, ProgressScale * 8 / 10);
    std::int64_t comparisons = 0;
    const int sign = order == SortOrder::Descending ? -1 : 1;
    const auto oldPositions = contacts_.sortBy([column, sign, &comparing, &comparisons](const Contact& a, const Contact& b) {
        comparing.advance(++comparisons);
        return sign * compareContacts(a, b, column);
    });
    comparing.finish();
    // A sort that moved nothing changed nothing.
    if (keepsEveryPosition(oldPositions))
        return;
    for (int j = 1; j <= n; ++j)
        remap.remap(j, oldPositions[static_cast<std::size_t>(j - 1)] + 1);
    remap.finalize();
    const auto newPosition = [&remap](int old) { return remap.lookup(old); };
    for (const auto& channel : channels_) {
        if (!channel->isDigital())
            continue;
        const int contact = channel->txContact();
        if (contact > 0)
            channel->setTxContact(remap.lookup(contact));
    }
    for (const auto& list : rxGroupLists_)
        list->remapMembers(newPosition);
    // A sort is a structural change: the image follows the model at once.
    edit.changed();
}

int Codeplug::findContactByName(std::string_view name) const
{
    return list_support::findNamed(contacts_, loaded() ? codec_->recordFormats().contact->lookupName(name) : std::string(name));
}

std::string Codeplug::contactNameForId(std::uint32_t dmrId) const
{
    if (dmrId == 0)
        return {};
    for (const auto& contact : contacts_)
        if (contact->dmrId() == dmrId)
            return contact->name();
    return {};
}

bool Codeplug::hasContactRoom() const
{
    return loaded() && contacts_.count() < codec_->capacities().contacts;
}

bool Codeplug::hasContactWithId(std::uint32_t id, int exceptIndex) const
{
    for (int i = 0; i < contacts_.count(); ++i)
        if (i != exceptIndex && contacts_.at(i)->dmrId() == id)
            return true;
    return false;
}

bool Codeplug::isDuplicateDmrId(const Contact& contact, int index) const
{
    return contact.dmrId() != AllCallId && hasContactWithId(contact.dmrId(), index);
}

bool Codeplug::isContactUsed(int index) const
{
    for (const auto& channel : channels_)
        if (channel->isDigital() && channel->txContact() == index + 1)
            return true;
    return false;
}

void Codeplug::refreshContactNames()
{
    if (!loaded())
        return;
    for (const auto& channel : channels_)
        channel->refreshContactName(contacts_);
}

} // namespace pw
