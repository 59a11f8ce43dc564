// SPDX-License-Identifier: GPL-3.0-or-later
// The D868 contact values and the zone, scan-list and RX group list records, and the record formats
// of the D868 family.
//
// Zone record, 611 bytes: a 608-byte block followed by a word and a byte, copied as one piece:
//   0 u16 record number (1 on a new zone), 2 u16 in use (1), 4 u16 member count,
//   6 250 member words (1-based in the model; the codec converts to and from the file's 0-based
//   record numbers), 506 and 508 two words (1 and 1 on a new zone), 520 name (16 characters,
//   zero-terminated when shorter)
// Scan-list record, 298 bytes: a 296-byte block followed by a word, copied as one piece:
//   0 u16 record number, 2 u16 in use, 4 name (16 characters and a terminator), 21-31 option
//   bytes (28-31 hold 5, 5, 1, 1 on a new list), 32 u16 member count, 34 50 words (one per
//   member, 0 for a member added here), 134 50 member words (1-based in the model)
// RX group list record, 297 bytes: a 296-byte block and a byte: 0 u16 record number, 2 u16 in use
//   (1), 4 name (up to 20 characters), 39 u16 member count, 41 members (u32 LE, 0-based contact
//   positions)

#include "codeplug/d868/d868_records.h"

#include "codeplug/byte_field.h"
#include "model/unicode_text.h"

#include <algorithm>

namespace pw::d868 {
namespace {

// Contact texts: how many characters the radio keeps of each.
constexpr std::size_t NameCharacters = 16;
constexpr std::size_t CallsignCharacters = 8;
constexpr std::size_t CityCharacters = 15;
constexpr std::size_t OtherTextCharacters = 16;

namespace zone {
constexpr std::size_t RecordSize = 611;
constexpr std::size_t RecordNumber = 0, InUse = 2, Count = 4, Members = 6, NewZoneWordA = 506, NewZoneWordB = 508,
                      Name = 520;
constexpr int Entries = 250;
} // namespace zone

namespace scanlist {
constexpr std::size_t RecordSize = 298;
constexpr std::size_t RecordNumber = 0, InUse = 2, Name = 4, NameField = 17, Count = 32, MemberFlags = 34,
                      Members = 134;
constexpr int Entries = 50;
} // namespace scanlist

namespace rxgroup {
constexpr std::size_t RecordSize = 297;
constexpr std::size_t BlockSize = 296;
constexpr std::size_t RecordNumber = 0, InUse = 2, Name = 4, NameField = 21, Count = 39, Members = 41;
constexpr std::size_t NameCharacters = 20;
} // namespace rxgroup

std::size_t wordAt(std::size_t base, int i) { return base + 2 * static_cast<std::size_t>(i); }
std::size_t longAt(std::size_t base, int i) { return base + 4 * static_cast<std::size_t>(i); }

std::string cut(std::string_view text, std::size_t characters) { return std::string(text.substr(0, characters)); }

const ContactRecordFormat ContactRecords;
const ChannelRecordFormat ChannelRecords;
const ZoneRecordFormat ZoneRecords;
const ScanListRecordFormat ScanListRecords;
const RxGroupListRecordFormat RxGroupRecords;
const RecordFormats Records{&ContactRecords, &ChannelRecords, &ZoneRecords, &ScanListRecords, &RxGroupRecords};

} // namespace

const RecordFormats& recordFormats() { return Records; }

// ---- Contacts ----

std::string ContactRecordFormat::shownName(std::string_view name)
{
    // The stream holds seven-bit characters: other letters are brought to ASCII, and control
    // characters, which the radio shows as garbage, are kept as hyphens.
    std::string text = cut(transliterateToAscii(name), NameCharacters);
    for (auto& c : text)
        if (static_cast<unsigned char>(c) < 32)
            c = '-';
    return text;
}

TextRoom ContactRecordFormat::nameRoom() const { return {NameCharacters, StoredCharacters::Ascii}; }

TextRoom ContactRecordFormat::textRoom(ContactText which) const
{
    switch (which) {
    case ContactText::Callsign: return {CallsignCharacters, StoredCharacters::Ascii};
    case ContactText::City: return {CityCharacters, StoredCharacters::Ascii};
    case ContactText::State:
    case ContactText::Country:
    case ContactText::Remarks: break;
    }
    return {OtherTextCharacters, StoredCharacters::Ascii};
}

void ContactRecordFormat::initialize(Contact& contact) const
{
    contact.setFamilyRecord({});
    contact.assignDmrId(1);
    contact.assignTexts({});
    contact.assignCallType(CallType::PrivateCall);
    contact.assignAlertTone(false);
}

void ContactRecordFormat::store(Contact& contact, ContactField field) const
{
    switch (field) {
    case ContactField::Name: contact.assignName(shownName(contact.name())); break;
    case ContactField::DescriptiveTexts: {
        const auto text = [&contact](ContactText which, std::size_t characters) {
            auto full = transliterateToAscii(contact.descriptiveView(which));
            full.resize(std::min(full.size(), characters));
            return full;
        };
        contact.assignTexts({contact.nameView(), text(ContactText::Callsign, CallsignCharacters),
                             text(ContactText::City, CityCharacters), text(ContactText::State, OtherTextCharacters),
                             text(ContactText::Country, OtherTextCharacters),
                             text(ContactText::Remarks, OtherTextCharacters)});
        break;
    }
    case ContactField::DmrId:
    case ContactField::CallType:
    case ContactField::AlertTone: break;
    }
}

// ---- Zones: the members are the entries below the count ----

std::vector<std::uint8_t> ZoneRecordFormat::blankRecord() const
{
    std::vector<std::uint8_t> record(zone::RecordSize, 0);
    setU16Le(record, zone::RecordNumber, 1);
    setU16Le(record, zone::InUse, 1);
    setU16Le(record, zone::NewZoneWordA, 1);
    setU16Le(record, zone::NewZoneWordB, 1);
    setCString(record, zone::Name, NameCharacters, "New Zone", NameCharacters);
    return record;
}

std::string ZoneRecordFormat::name(const Zone& z) const { return getLatin1Text(z.familyRecord(), zone::Name, NameCharacters); }

void ZoneRecordFormat::setName(Zone& z, std::string_view name) const
{
    setLatin1Text(z.familyRecord(), zone::Name, NameCharacters, name, NameCharacters);
}

int ZoneRecordFormat::memberCount(const Zone& z, int /*bank*/) const
{
    return std::min<int>(getU16Le(z.familyRecord(), zone::Count), zone::Entries);
}

bool ZoneRecordFormat::holdsMember(const Zone& z, int bank, int i) const { return i >= 0 && i < memberCount(z, bank); }

int ZoneRecordFormat::member(const Zone& z, int bank, int i) const
{
    if (!holdsMember(z, bank, i))
        return 0;
    return getU16Le(z.familyRecord(), wordAt(zone::Members, i));
}

void ZoneRecordFormat::setMember(Zone& z, int /*bank*/, int i, int value) const
{
    if (i < 0 || i >= zone::Entries)
        return;
    setU16Le(z.familyRecord(), wordAt(zone::Members, i), static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF)));
}

bool ZoneRecordFormat::appendMember(Zone& z, int bank, int value) const
{
    const int count = memberCount(z, bank);
    if (count >= zone::Entries)
        return false;
    setMember(z, bank, count, value);
    setU16Le(z.familyRecord(), zone::Count, static_cast<std::uint32_t>(count + 1));
    return true;
}

bool ZoneRecordFormat::removeMember(Zone& z, int bank, int i) const
{
    if (!holdsMember(z, bank, i))
        return false;
    const int count = memberCount(z, bank);
    for (int j = i; j + 1 < count; ++j)
        setMember(z, bank, j, member(z, bank, j + 1));
    setMember(z, bank, count - 1, 0);
    setU16Le(z.familyRecord(), zone::Count, static_cast<std::uint32_t>(count - 1));
    return true;
}

// ---- Scan lists: the members are the entries below the count ----

std::vector<std::uint8_t> ScanListRecordFormat::blankRecord() const
{
    std::vector<std::uint8_t> record(scanlist::RecordSize, 0);
    setU16Le(record, scanlist::RecordNumber, 1);
    setU16Le(record, scanlist::InUse, 1);
    setU8(record, 28, 5);
    setU8(record, 29, 5);
    setU8(record, 30, 1);
    setU8(record, 31, 1);
    return record;
}

std::string ScanListRecordFormat::name(const ScanList& list) const
{
    return getLatin1Text(list.familyRecord(), scanlist::Name, NameCharacters);
}

void ScanListRecordFormat::setName(ScanList& list, std::string_view name) const
{
    setLatin1Text(list.familyRecord(), scanlist::Name, scanlist::NameField, name, NameCharacters);
}

int ScanListRecordFormat::memberCount(const ScanList& list) const
{
    return std::min<int>(getU16Le(list.familyRecord(), scanlist::Count), scanlist::Entries);
}

bool ScanListRecordFormat::holdsMember(const ScanList& list, int i) const
{
    return i >= 0 && i < scanlist::Entries && i < memberCount(list);
}

int ScanListRecordFormat::member(const ScanList& list, int i) const
{
    return holdsMember(list, i) ? getU16Le(list.familyRecord(), wordAt(scanlist::Members, i)) : 0;
}

void ScanListRecordFormat::setMember(ScanList& list, int i, int value) const
{
    if (i < 0 || i >= scanlist::Entries)
        return;
    setU16Le(list.familyRecord(), wordAt(scanlist::Members, i), static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF)));
}

bool ScanListRecordFormat::appendMember(ScanList& list, int value) const
{
    const int count = memberCount(list);
    setMember(list, count, value);
    setU16Le(list.familyRecord(), wordAt(scanlist::MemberFlags, count), 0);
    setU16Le(list.familyRecord(), scanlist::Count, static_cast<std::uint32_t>(std::min(count + 1, scanlist::Entries)));
    return true;
}

bool ScanListRecordFormat::removeMember(ScanList& list, int i) const
{
    if (!holdsMember(list, i))
        return false;
    const int count = memberCount(list);
    for (int j = i; j + 1 < count; ++j)
        setMember(list, j, member(list, j + 1));
    setMember(list, count - 1, 0);
    setU16Le(list.familyRecord(), scanlist::Count, static_cast<std::uint32_t>(std::max(count - 1, 0)));
    return true;
}

// ---- RX group lists ----

std::vector<std::uint8_t> RxGroupListRecordFormat::blankRecord() const
{
    std::vector<std::uint8_t> record(rxgroup::RecordSize, 0);
    setU16Le(record, rxgroup::RecordNumber, 1);
    setU16Le(record, rxgroup::InUse, 1);
    return record;
}

std::string RxGroupListRecordFormat::name(const RxGroupList& list) const
{
    return getLatin1Text(list.familyRecord(), rxgroup::Name, rxgroup::NameCharacters);
}

void RxGroupListRecordFormat::setName(RxGroupList& list, std::string_view name) const
{
    setLatin1Text(list.familyRecord(), rxgroup::Name, rxgroup::NameField, name, rxgroup::NameCharacters);
}

int RxGroupListRecordFormat::entryCount() const
{
    return static_cast<int>((rxgroup::BlockSize - rxgroup::Members) / 4);
}

int RxGroupListRecordFormat::storedMemberCount(const RxGroupList& list) const
{
    return std::min<int>(getU16Le(list.familyRecord(), rxgroup::Count), entryCount());
}

int RxGroupListRecordFormat::member(const RxGroupList& list, int i) const
{
    return static_cast<int>(getU32Le(list.familyRecord(), longAt(rxgroup::Members, i))) + 1;
}

void RxGroupListRecordFormat::setMember(RxGroupList& list, int i, int value) const
{
    const auto wide = static_cast<std::uint32_t>(std::max(value, 0));
    setU32Le(list.familyRecord(), longAt(rxgroup::Members, i), wide > 0 ? wide - 1 : 0);
}

void RxGroupListRecordFormat::setMemberCount(RxGroupList& list, int count) const
{
    setU16Le(list.familyRecord(), rxgroup::Count, static_cast<std::uint32_t>(count));
}

} // namespace pw::d868
