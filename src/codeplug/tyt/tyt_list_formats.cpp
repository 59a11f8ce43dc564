// SPDX-License-Identifier: GPL-3.0-or-later
// The TYT contact, zone, scan-list and RX group list records (layouts in tyt_map.h), and the record
// formats of each TYT FormatId.

#include "codeplug/tyt/tyt_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/tyt/tyt_map.h"

#include <algorithm>
#include <array>

namespace pw::tyt {
namespace {

constexpr std::size_t NameUnits = 16;

namespace contact {
constexpr std::size_t Id = 0, Flags = 3, Name = 4;
constexpr unsigned AlertBit = 5;
} // namespace contact

// Zone record: name, then bank A members 1-16; the extension record after it (banked formats):
// bank A members 17-64, then bank B members 1-64.
constexpr std::size_t ZoneMembers = 32;
constexpr int ZoneRecordMembers = 16;
constexpr std::size_t ExtensionBankA = ZoneRecordSize;
constexpr int ExtensionBankAMembers = 48;
constexpr std::size_t ExtensionBankB = ZoneRecordSize + 2 * ExtensionBankAMembers;

// Scan-list record: name, a header, 31 member words.
constexpr std::size_t ScanListHeader = 32;
constexpr std::size_t ScanListMembers = 42;
// The header of a blank list as the vendor software writes it: no priority channels (0xFFFF), no
// designated transmit channel, then its hold and sample times. Zero words would name a channel.
constexpr std::array<std::uint8_t, 10> BlankScanListHeader = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                              0xFF, 0xF1, 0x14, 0x08, 0xFF};

// RX group record: name, 32 member words; the count is the leading non-zero words among the first 31.
constexpr std::size_t RxGroupMembers = 32;
constexpr int RxGroupCountedEntries = 31;

std::size_t wordAt(std::size_t base, int i) { return base + 2 * static_cast<std::size_t>(i); }

const ContactRecordFormat ContactRecords;
const ChannelRecordFormat Md380Channels(Md380Format);
const ChannelRecordFormat Md2017Channels(Md2017Format);
const ChannelRecordFormat Md9600Channels(Md9600Format);
const ZoneRecordFormat PlainZones(false);
const ZoneRecordFormat BankedZones(true);
const ScanListRecordFormat ScanListRecords;
const RxGroupListRecordFormat RxGroupRecords;

const RecordFormats Md380Records{&ContactRecords, &Md380Channels, &PlainZones, &ScanListRecords, &RxGroupRecords};
const RecordFormats Md2017Records{&ContactRecords, &Md2017Channels, &BankedZones, &ScanListRecords, &RxGroupRecords};
const RecordFormats Md9600Records{&ContactRecords, &Md9600Channels, &BankedZones, &ScanListRecords, &RxGroupRecords};

} // namespace

const RecordFormats& recordFormats(FormatId formatId)
{
    switch (formatId) {
    case Md2017Format: return Md2017Records;
    case Md9600Format: return Md9600Records;
    default: return Md380Records;
    }
}

// ---- Contacts: 0 u24 DMR ID, 3 flags (b0-1 call type, b5 alert tone, b6-7 set), 4 name ----

void ContactRecordFormat::initialize(Contact& contact) const
{
    std::array<std::uint8_t, ContactRecordSize> record{};
    record[0] = record[1] = record[2] = 0xFF;
    record[contact::Flags] = 0xC0;
    contact.setFamilyRecord(record);
    load(contact);
}

void ContactRecordFormat::store(Contact& contact, ContactField field) const
{
    const Bytes r(contact.familyRecord());
    switch (field) {
    case ContactField::DmrId: setU24Le(r, contact::Id, contact.dmrId()); break;
    case ContactField::Name: setUtf16Name(r, contact::Name, NameUnits, contact.name()); break;
    case ContactField::CallType: {
        const unsigned kept = getU8(r, contact::Flags) & (1u << contact::AlertBit);
        const CallType type = contact.callType();
        const unsigned added = type == CallType::GroupCall ? 0xC1u : type == CallType::AllCall ? 0xC3u : 0xC2u;
        setU8(r, contact::Flags, kept | added);
        break;
    }
    case ContactField::AlertTone: setBit(r, contact::Flags, contact::AlertBit, contact.alertTone()); break;
    case ContactField::DescriptiveTexts: break;
    }
    load(contact);
}

void ContactRecordFormat::load(Contact& contact)
{
    const ConstBytes r(contact.familyRecord());
    contact.assignDmrId(getU24Le(r, contact::Id));
    // The record keeps a name and none of the descriptive texts.
    Utf16NameBuffer name;
    contact.assignTexts({getUtf16Name(r, contact::Name, NameUnits, name)});
    switch (getU8(r, contact::Flags) & 3) {
    case 1: contact.assignCallType(CallType::GroupCall); break;
    case 3: contact.assignCallType(CallType::AllCall); break;
    default: contact.assignCallType(CallType::PrivateCall); break;
    }
    contact.assignAlertTone(getBit(r, contact::Flags, contact::AlertBit));
}

// ---- Zones ----

std::vector<std::uint8_t> ZoneRecordFormat::blankRecord() const
{
    return std::vector<std::uint8_t>(banked_ ? ZoneRecordSize + ZoneExtensionSize : ZoneRecordSize, 0);
}

std::string ZoneRecordFormat::name(const Zone& zone) const { return getUtf16Name(zone.familyRecord(), 0, NameUnits); }

void ZoneRecordFormat::setName(Zone& zone, std::string_view name) const
{
    setUtf16Name(zone.familyRecord(), 0, NameUnits, name);
}

std::optional<std::size_t> ZoneRecordFormat::entryOffset(int bank, int i) const
{
    if (i < 0 || i >= entryCount() || bank < 1 || bank > bankCount())
        return std::nullopt;
    if (bank == 2)
        return wordAt(ExtensionBankB, i);
    if (i < ZoneRecordMembers)
        return wordAt(ZoneMembers, i);
    return wordAt(ExtensionBankA, i - ZoneRecordMembers);
}

int ZoneRecordFormat::member(const Zone& zone, int bank, int i) const
{
    const auto at = entryOffset(bank, i);
    return at ? getU16Le(zone.familyRecord(), *at) : 0;
}

void ZoneRecordFormat::setMember(Zone& zone, int bank, int i, int value) const
{
    if (const auto at = entryOffset(bank, i))
        setU16Le(zone.familyRecord(), *at, static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF)));
}

// The radio reads a bank up to its first empty entry.
int ZoneRecordFormat::memberCount(const Zone& zone, int bank) const
{
    int count = 0;
    while (count < entryCount() && member(zone, bank, count) != 0)
        ++count;
    return count;
}

bool ZoneRecordFormat::appendMember(Zone& zone, int bank, int value) const
{
    for (int i = 0; i < entryCount(); ++i) {
        if (member(zone, bank, i) == 0) {
            setMember(zone, bank, i, value);
            return true;
        }
    }
    return false;
}

bool ZoneRecordFormat::removeMember(Zone& zone, int bank, int i) const
{
    if (!holdsMember(zone, bank, i))
        return false;
    const int end = entryCount();
    for (int j = i; j + 1 < end; ++j)
        setMember(zone, bank, j, member(zone, bank, j + 1));
    setMember(zone, bank, end - 1, 0);
    return true;
}

// ---- Scan lists: the members are the non-zero words ----

std::vector<std::uint8_t> ScanListRecordFormat::blankRecord() const
{
    std::vector<std::uint8_t> record(ScanListRecordSize, 0);
    std::copy(BlankScanListHeader.begin(), BlankScanListHeader.end(), record.begin() + ScanListHeader);
    return record;
}

std::string ScanListRecordFormat::name(const ScanList& list) const
{
    return getUtf16Name(list.familyRecord(), 0, NameUnits);
}

void ScanListRecordFormat::setName(ScanList& list, std::string_view name) const
{
    setUtf16Name(list.familyRecord(), 0, NameUnits, name);
}

int ScanListRecordFormat::entry(const ScanList& list, int i)
{
    if (i < 0 || i >= 31)
        return 0;
    return getU16Le(list.familyRecord(), wordAt(ScanListMembers, i));
}

int ScanListRecordFormat::memberCount(const ScanList& list) const
{
    int count = 0;
    for (int i = 0; i < entryCount(); ++i)
        count += entry(list, i) != 0 ? 1 : 0;
    return count;
}

bool ScanListRecordFormat::holdsMember(const ScanList& list, int i) const { return entry(list, i) != 0; }
int ScanListRecordFormat::member(const ScanList& list, int i) const { return entry(list, i); }

void ScanListRecordFormat::setMember(ScanList& list, int i, int value) const
{
    if (i < 0 || i >= entryCount())
        return;
    setU16Le(list.familyRecord(), wordAt(ScanListMembers, i), static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF)));
}

bool ScanListRecordFormat::appendMember(ScanList& list, int value) const
{
    for (int i = 0; i < entryCount(); ++i) {
        if (entry(list, i) == 0) {
            setMember(list, i, value);
            return true;
        }
    }
    return false;
}

bool ScanListRecordFormat::removeMember(ScanList& list, int i) const
{
    if (!holdsMember(list, i))
        return false;
    const int end = entryCount();
    for (int j = i; j + 1 < end; ++j)
        setMember(list, j, entry(list, j + 1));
    setMember(list, end - 1, 0);
    return true;
}

// ---- RX group lists ----

std::vector<std::uint8_t> RxGroupListRecordFormat::blankRecord() const
{
    return std::vector<std::uint8_t>(RxGroupRecordSize, 0);
}

std::string RxGroupListRecordFormat::name(const RxGroupList& list) const
{
    return getUtf16Name(list.familyRecord(), 0, NameUnits);
}

void RxGroupListRecordFormat::setName(RxGroupList& list, std::string_view name) const
{
    setUtf16Name(list.familyRecord(), 0, NameUnits, name);
}

int RxGroupListRecordFormat::storedMemberCount(const RxGroupList& list) const
{
    int count = 0;
    while (count < RxGroupCountedEntries && getU16Le(list.familyRecord(), wordAt(RxGroupMembers, count)) != 0)
        ++count;
    return count;
}

int RxGroupListRecordFormat::member(const RxGroupList& list, int i) const
{
    return getU16Le(list.familyRecord(), wordAt(RxGroupMembers, i));
}

void RxGroupListRecordFormat::setMember(RxGroupList& list, int i, int value) const
{
    setU16Le(list.familyRecord(), wordAt(RxGroupMembers, i), static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF)));
}

} // namespace pw::tyt
