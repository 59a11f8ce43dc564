// SPDX-License-Identifier: GPL-3.0-or-later
// The RDB contact, zone, scan-list and RX group list records (layouts in rdb_map.h), and the record
// formats of each RDB FormatId.

#include "codeplug/rdb/rdb_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/rdb/six_bit_text.h"

#include <algorithm>

namespace pw::rdb {
namespace {

constexpr std::size_t NameUnits = 16;

namespace contact {
constexpr std::size_t RecordSize = 16;
constexpr std::size_t Id = 0, Name = 3, Flags = 15;
constexpr unsigned AlertBit = 3;
} // namespace contact

// Zone record, 80 bytes: name, a header whose byte 36 is the member count, 16 member words.
constexpr std::size_t ZoneRecordSize = 80;
constexpr std::size_t ZoneCountByte = 36;
constexpr std::size_t ZoneMembers = 48;
constexpr int ZoneEntries = 16;

// Scan-list record, 128 bytes: name, header (38: member count + 1), 31 member words at 66.
constexpr std::size_t ScanListRecordSize = 128;
constexpr std::size_t ScanListCountPlusOne = 38;
constexpr std::size_t ScanListMembers = 66;
constexpr int ScanListEntries = 31;

// RX group record, 100 bytes (0x2003: 164): u32 member count, name, 32 members (u16; 0x2003: u32).
constexpr std::size_t RxGroupRecordSize = 100;
constexpr std::size_t RxGroupV2RecordSize = 164;
constexpr std::size_t RxGroupCount = 0;
constexpr std::size_t RxGroupName = 4;
constexpr std::size_t RxGroupMembers = 36;
constexpr int RxGroupEntries = 32;

std::size_t wordAt(std::size_t base, int i) { return base + 2 * static_cast<std::size_t>(i); }

const ContactRecordFormat ContactRecords;
const ChannelRecordFormat NarrowContactChannels(false);
const ChannelRecordFormat WideContactChannels(true);
const ZoneRecordFormat ZoneRecords;
const ScanListRecordFormat ScanListRecords;
const RxGroupListRecordFormat RxGroupRecords(false);
const RxGroupListRecordFormat WideRxGroupRecords(true);

const RecordFormats V1Records{&ContactRecords, &NarrowContactChannels, &ZoneRecords, &ScanListRecords, &RxGroupRecords};
const RecordFormats V11Records{&ContactRecords, &NarrowContactChannels, &ZoneRecords, &ScanListRecords, &RxGroupRecords};
const RecordFormats V2Records{&ContactRecords, &WideContactChannels, &ZoneRecords, &ScanListRecords,
                              &WideRxGroupRecords};

} // namespace

const RecordFormats& recordFormats(FormatId formatId)
{
    switch (formatId) {
    case RdbV2Format: return V2Records;
    case RdbV11Format: return V11Records;
    default: return V1Records;
    }
}

// ---- Contacts: 0 u24 DMR ID, 3 name (12 bytes of SixBitText), 15 flags (b0-1 call type, b3 alert) ----

void ContactRecordFormat::initialize(Contact& contact) const
{
    std::array<std::uint8_t, contact::RecordSize> record{};
    record[0] = record[1] = record[2] = 0xFF;
    record[contact::Flags] = 0xC0;
    const auto spaces = SixBitText::encode("");
    std::copy(spaces.begin(), spaces.end(), record.begin() + contact::Name);
    contact.setFamilyRecord(record);
    load(contact);
}

void ContactRecordFormat::store(Contact& contact, ContactField field) const
{
    const Bytes r = contact.familyRecord();
    switch (field) {
    case ContactField::DmrId: setU24Le(r, contact::Id, contact.dmrId()); break;
    case ContactField::Name: {
        const auto packed = SixBitText::encode(contact.name());
        std::copy(packed.begin(), packed.end(), r.begin() + contact::Name);
        break;
    }
    case ContactField::CallType: {
        const unsigned kept = getU8(r, contact::Flags) & (1u << contact::AlertBit);
        const CallType type = contact.callType();
        const unsigned added = type == CallType::GroupCall ? 1u : type == CallType::AllCall ? 2u : 0u;
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
    const ConstBytes r = contact.familyRecord();
    contact.assignDmrId(getU24Le(r, contact::Id));
    // The record keeps a name and none of the descriptive texts.
    std::array<char, SixBitText::Characters> name;
    contact.assignTexts({std::string_view(name.data(), SixBitText::decodeInto(r.data() + contact::Name, name))});
    switch (getU8(r, contact::Flags) & 3) {
    case 1: contact.assignCallType(CallType::GroupCall); break;
    case 2: contact.assignCallType(CallType::AllCall); break;
    default: contact.assignCallType(CallType::PrivateCall); break;
    }
    contact.assignAlertTone(getBit(r, contact::Flags, contact::AlertBit));
}

std::string ContactRecordFormat::lookupName(std::string_view name) const { return SixBitText::normalize(name); }
bool ContactRecordFormat::holdsName(std::string_view name) const { return SixBitText::holds(name); }

// ---- Zones: the members are the non-zero entries; a count byte is kept beside them ----

std::vector<std::uint8_t> ZoneRecordFormat::blankRecord() const { return std::vector<std::uint8_t>(ZoneRecordSize, 0); }
std::string ZoneRecordFormat::name(const Zone& zone) const { return getUtf16Name(zone.familyRecord(), 0, NameUnits); }
void ZoneRecordFormat::setName(Zone& zone, std::string_view name) const { setUtf16Name(zone.familyRecord(), 0, NameUnits, name); }

int ZoneRecordFormat::countByte(const Zone& zone) { return getU8(zone.familyRecord(), ZoneCountByte); }

void ZoneRecordFormat::setCountByte(Zone& zone, int count)
{
    setU8(zone.familyRecord(), ZoneCountByte, static_cast<unsigned>(std::clamp(count, 0, 255)));
}

int ZoneRecordFormat::memberCount(const Zone& zone, int /*bank*/) const { return std::min(countByte(zone), ZoneEntries); }

int ZoneRecordFormat::member(const Zone& zone, int /*bank*/, int i) const
{
    if (i < 0 || i >= ZoneEntries)
        return 0;
    return getU16Le(zone.familyRecord(), wordAt(ZoneMembers, i));
}

void ZoneRecordFormat::setMember(Zone& zone, int /*bank*/, int i, int value) const
{
    if (i < 0 || i >= ZoneEntries)
        return;
    setU16Le(zone.familyRecord(), wordAt(ZoneMembers, i), static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF)));
}

bool ZoneRecordFormat::appendMember(Zone& zone, int bank, int value) const
{
    if (countByte(zone) >= ZoneEntries)
        return false;
    for (int i = 0; i < ZoneEntries; ++i) {
        if (member(zone, bank, i) == 0) {
            setMember(zone, bank, i, value);
            setCountByte(zone, countByte(zone) + 1);
            return true;
        }
    }
    return false;
}

bool ZoneRecordFormat::removeMember(Zone& zone, int bank, int i) const
{
    if (!holdsMember(zone, bank, i))
        return false;
    for (int j = i; j + 1 < ZoneEntries; ++j)
        setMember(zone, bank, j, member(zone, bank, j + 1));
    setMember(zone, bank, ZoneEntries - 1, 0);
    setCountByte(zone, std::max(countByte(zone) - 1, 0));
    return true;
}

// ---- Scan lists: the members are the entries below the count ----

std::vector<std::uint8_t> ScanListRecordFormat::blankRecord() const
{
    std::vector<std::uint8_t> record(ScanListRecordSize, 0);
    setU16Le(record, 32, 0xFFFF);
    setU16Le(record, 34, 0xFFFF);
    setU8(record, ScanListCountPlusOne, 1);
    setU8(record, 39, 2);
    setU8(record, 41, 13);
    setU8(record, 42, 20);
    setU8(record, 43, 20);
    return record;
}

std::string ScanListRecordFormat::name(const ScanList& list) const { return getUtf16Name(list.familyRecord(), 0, NameUnits); }
void ScanListRecordFormat::setName(ScanList& list, std::string_view name) const { setUtf16Name(list.familyRecord(), 0, NameUnits, name); }

int ScanListRecordFormat::memberCount(const ScanList& list) const
{
    return std::clamp(getU8(list.familyRecord(), ScanListCountPlusOne) - 1, 0, ScanListEntries);
}

void ScanListRecordFormat::setCount(ScanList& list, int count)
{
    setU8(list.familyRecord(), ScanListCountPlusOne, static_cast<unsigned>(std::clamp(count, 0, ScanListEntries) + 1));
}

int ScanListRecordFormat::entry(const ScanList& list, int i)
{
    if (i < 0 || i >= ScanListEntries)
        return 0;
    return getU16Le(list.familyRecord(), wordAt(ScanListMembers, i));
}

bool ScanListRecordFormat::holdsMember(const ScanList& list, int i) const
{
    return i >= 0 && i < ScanListEntries && i < memberCount(list);
}

int ScanListRecordFormat::member(const ScanList& list, int i) const { return holdsMember(list, i) ? entry(list, i) : 0; }

void ScanListRecordFormat::setMember(ScanList& list, int i, int value) const
{
    if (i < 0 || i >= ScanListEntries)
        return;
    setU16Le(list.familyRecord(), wordAt(ScanListMembers, i), static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF)));
}

bool ScanListRecordFormat::appendMember(ScanList& list, int value) const
{
    const int count = memberCount(list);
    setMember(list, count, value);
    setCount(list, count + 1);
    return true;
}

bool ScanListRecordFormat::removeMember(ScanList& list, int i) const
{
    if (!holdsMember(list, i))
        return false;
    // The moves cover all 31 entries.
    for (int j = i; j + 1 < ScanListEntries; ++j)
        setMember(list, j, entry(list, j + 1));
    setMember(list, ScanListEntries - 1, 0);
    setCount(list, memberCount(list) - 1);
    return true;
}

// ---- RX group lists ----

std::vector<std::uint8_t> RxGroupListRecordFormat::blankRecord() const
{
    return std::vector<std::uint8_t>(wide_ ? RxGroupV2RecordSize : RxGroupRecordSize, 0);
}

std::string RxGroupListRecordFormat::name(const RxGroupList& list) const
{
    return getUtf16Name(list.familyRecord(), RxGroupName, NameUnits);
}

void RxGroupListRecordFormat::setName(RxGroupList& list, std::string_view name) const
{
    setUtf16Name(list.familyRecord(), RxGroupName, NameUnits, name);
}

int RxGroupListRecordFormat::storedMemberCount(const RxGroupList& list) const
{
    return static_cast<int>(std::min<std::uint32_t>(getU32Le(list.familyRecord(), RxGroupCount), RxGroupEntries));
}

int RxGroupListRecordFormat::member(const RxGroupList& list, int i) const
{
    if (wide_)
        return static_cast<int>(getU32Le(list.familyRecord(), RxGroupMembers + 4 * static_cast<std::size_t>(i)));
    return getU16Le(list.familyRecord(), wordAt(RxGroupMembers, i));
}

void RxGroupListRecordFormat::setMember(RxGroupList& list, int i, int value) const
{
    if (wide_)
        setU32Le(list.familyRecord(), RxGroupMembers + 4 * static_cast<std::size_t>(i),
                 static_cast<std::uint32_t>(std::max(value, 0)));
    else
        setU16Le(list.familyRecord(), wordAt(RxGroupMembers, i), static_cast<std::uint32_t>(std::clamp(value, 0, 0xFFFF)));
}

void RxGroupListRecordFormat::setMemberCount(RxGroupList& list, int count) const
{
    setU32Le(list.familyRecord(), RxGroupCount, static_cast<std::uint32_t>(count));
}

} // namespace pw::rdb
