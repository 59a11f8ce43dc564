// The codeplug's operations on its contact table. Channels and RX group lists refer to contacts by
// 1-based table position, so every delete and sort here repairs those references.

#include "codeplug/codeplug.h"

#include "model/index_remap.h"
#include "model/letter_case.h"
#include "model/six_bit_text.h"

#include <algorithm>
#include <cstring>

namespace pw {
namespace {

int compareBytes(const std::string& a, const std::string& b)
{
    // std::string compares char_traits<char>, which compares as unsigned char.
    return a.compare(b);
}

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
    default:
        return compareBytes(a.name(), b.name());
    }
}

} // namespace

int Codeplug::addContact(const Contact& source, bool allowDuplicateId)
{
    if (!loaded_)
        return NotLoadedRefused;
    if (!allowDuplicateId) {
        const auto id = source.dmrId();
        for (const auto& contact : contacts_)
            if (contact->dmrId() == id)
                return DuplicateRefused;
    }
    if (contacts_.count() >= contactCapacity(formatId_))
        return TableFullRefused;

    auto contact = std::make_unique<Contact>(formatId_);
    contact->setAlertTone(source.alertTone());
    contact->setName(source.name());
    contact->setDmrId(source.dmrId());
    contact->setCallType(source.callType());
    if (source.family() == FormatFamily::D868Family) {
        contact->setCallsign(source.callsign());
        contact->setCity(source.city());
        contact->setState(source.state());
        contact->setCountry(source.country());
        contact->setRemarks(source.remarks());
    }
    contacts_.append(std::move(contact));
    return Added;
}

void Codeplug::deleteContact(int index)
{
    if (!loaded_ || index < 0 || index >= contacts_.count())
        return;
    // A D868 codeplug always keeps one contact.
    if (family() == FormatFamily::D868Family && contacts_.count() < 2)
        return;
    repairReferencesAfterContactDelete(index + 1);
    contacts_.deleteAt(index);
    encode();
    markChanged();
}

void Codeplug::sortContacts(int column)
{
    const int n = contacts_.count();
    IndexRemap remap(n, prompts_);
    for (int i = 0; i < n; ++i) {
        auto* contact = contacts_.at(i);
        contact->setSortPosition(i + 1);
        contact->setD868RecordNumber(static_cast<std::uint32_t>(i + 1));
    }
    contacts_.sortBy([column](const Contact& a, const Contact& b) { return compareContacts(a, b, column); });
    for (int j = 1; j <= n; ++j)
        remap.remap(j, contacts_.at(j - 1)->sortPosition());
    remap.finalize();
    repairReferencesAfterContactSort(remap);
    // A sort is a structural change: the image follows the model at once.
    encode();
    markChanged();
}

int Codeplug::findContactByName(std::string_view name) const
{
    const std::string wanted = family() == FormatFamily::RdbFamily ? SixBitText::normalize(name) : std::string(name);
    for (int i = 0; i < contacts_.count(); ++i)
        if (equalsIgnoringCase(contacts_.at(i)->name(), wanted))
            return i;
    return -1;
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
    return loaded_ && isKnownFormat(formatId_) && contacts_.count() < contactCapacity(formatId_);
}

bool Codeplug::isDuplicateDmrId(const Contact& contact, int index) const
{
    const auto id = contact.dmrId();
    if (id == AllCallId)
        return false;
    for (int i = 0; i < contacts_.count(); ++i)
        if (i != index && contacts_.at(i)->dmrId() == id)
            return true;
    return false;
}

} // namespace pw
