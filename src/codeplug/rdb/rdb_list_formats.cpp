// SPDX-License-Identifier: GPL-3.0-or-later
// The RDB contact, zone, scan-list and RX group list records (layouts in rdb_map.h), and the record
// formats of each RDB FormatId.

#include "codeplug/rdb/rdb_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/contact_flags.h"
#include "codeplug/rdb/six_bit_text.h"

#include <algorithm>

namespace pw::rdb {
namespace {

using namespace std::string_view_literals;

constexpr std::size_t NameUnits = 16;

namespace contact {
constexpr std::size_t RecordSize = 16;
constexpr std::size_t Id = 0, Name = 3;
constexpr ContactFlags Flags{.offset = 15, .alertBit = 3, .groupCall = 1, .privateCall = 0, .allCall = 2};
} // namespace contact

constexpr RecordName ListName{.offset = 0, .characters = NameUnits};

// Zone record, 80 bytes: name, a header whose byte 36 is the member count, 16 member words at 48;
// the members are the non-zero words, the count byte is kept beside them.
constexpr StoredCount ZoneCountByte{.offset = 36, .bytes = 1};
const ZoneRecords Zones({
    .blank = {80},
    .name = ListName,
    .bankA = {.rule = MemberRule::NonZeroBesideCount, .runs = {{{48, 16}}}, .count = ZoneCountByte},
});

// Scan-list record, 128 bytes: name, header (38: member count + 1), 31 member words at 66; the
// members are the entries below the count. A new list has no priority channels (0xFFFF) and the
// vendor's option values.
const ScanListRecords ScanLists({
    .blank = {128, {{{32, "\xFF\xFF\xFF\xFF\0\0\1\2\0\x0D\x14\x14"sv}}}},
    .name = ListName,
    .members = {.rule = MemberRule::BelowCount, .runs = {{{66, 31}}}, .count = {.offset = 38, .bytes = 1, .bias = 1}},
});

// RX group record, 100 bytes (0x2003: 164): u32 member count, name, 32 members (u16; 0x2003: u32).
constexpr RxGroupListLayout RxGroupRecord{
    .blank = {100},
    .name = {.offset = 4, .characters = NameUnits},
    .members = {.offset = 36, .bytes = 2, .entries = 32},
    .memberLimit = 31,
    .count = {.offset = 0, .bytes = 4},
};
const RxGroupListRecords RxGroupLists(RxGroupRecord);
const RxGroupListRecords WideRxGroupLists({
    .blank = {164},
    .name = RxGroupRecord.name,
    .members = {.offset = RxGroupRecord.members.offset, .bytes = 4, .entries = RxGroupRecord.members.entries},
    .memberLimit = RxGroupRecord.memberLimit,
    .count = RxGroupRecord.count,
});

const ContactRecordFormat ContactRecords;
// 0x2001 and 0x2002 keep the same records.
const ChannelRecordFormat NarrowContactChannels(false);
const RecordFormats NarrowRecords{&ContactRecords, &NarrowContactChannels, &Zones, &ScanLists, &RxGroupLists};
const ChannelRecordFormat WideContactChannels(true);
const RecordFormats V2Records{&ContactRecords, &WideContactChannels, &Zones, &ScanLists, &WideRxGroupLists};

} // namespace

const RecordFormats& recordFormats(FormatId formatId) { return formatId == RdbV2Format ? V2Records : NarrowRecords; }

// ---- Contacts: 0 u24 DMR ID, 3 name (12 bytes of SixBitText), 15 flags (b0-1 call type, b3 alert) ----

void ContactRecordFormat::initialize(Contact& contact) const
{
    std::array<std::uint8_t, contact::RecordSize> record{};
    record[0] = record[1] = record[2] = 0xFF;
    record[contact::Flags.offset] = 0xC0;
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
    case ContactField::CallType: contact::Flags.storeCallType(r, contact.callType()); break;
    case ContactField::AlertTone: contact::Flags.storeAlertTone(r, contact.alertTone()); break;
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
    contact.assignCallType(contact::Flags.callType(r));
    contact.assignAlertTone(contact::Flags.alertTone(r));
}

std::string ContactRecordFormat::lookupName(std::string_view name) const { return SixBitText::normalize(name); }
bool ContactRecordFormat::holdsName(std::string_view name) const { return SixBitText::holds(name); }

void setZoneCountByte(Zone& zone, int count) { ZoneCountByte.write(zone.familyRecord(), std::clamp(count, 0, 255)); }

} // namespace pw::rdb
