// SPDX-License-Identifier: GPL-3.0-or-later
// The TYT contact, zone, scan-list and RX group list records (layouts in tyt_map.h), and the record
// formats of each TYT FormatId.

#include "codeplug/tyt/tyt_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/contact_flags.h"
#include "codeplug/tyt/tyt_map.h"

#include <algorithm>
#include <array>

namespace pw::tyt {
namespace {

using namespace std::string_view_literals;

constexpr std::size_t NameUnits = 16;

namespace contact {
constexpr std::size_t Id = 0, Name = 4;
// Bits 6-7 are set with every call type.
constexpr ContactFlags Flags{.offset = 3, .alertBit = 5, .groupCall = 0xC1, .privateCall = 0xC2, .allCall = 0xC3};
} // namespace contact

constexpr RecordName ListName{.offset = 0, .characters = NameUnits};

// Zone record: name, then bank A members 1-16; the extension record after it (banked formats):
// bank A members 17-64, then bank B members 1-64. The radio reads a bank up to its first empty
// entry.
constexpr WordRun ZoneRecordMembers{32, 16};
const ZoneRecords PlainZones({
    .blank = {ZoneRecordSize},
    .name = ListName,
    .bankA = {.rule = MemberRule::LeadingNonZero, .runs = {ZoneRecordMembers}},
});
const ZoneRecords BankedZones({
    .blank = {ZoneRecordSize + ZoneExtensionSize},
    .name = ListName,
    .bankA = {.rule = MemberRule::LeadingNonZero, .runs = {ZoneRecordMembers, {ZoneRecordSize, 48}}},
    .bankB = {.rule = MemberRule::LeadingNonZero, .runs = {{{ZoneRecordSize + 2 * 48, 64}}}},
});

// Scan-list record: name, a header, 31 member words at 42; the members are the non-zero words.
// The header of a blank list as the vendor software writes it: no priority channels (0xFFFF), no
// designated transmit channel, then its hold and sample times. Zero words would name a channel.
const ScanListRecords ScanLists({
    .blank = {ScanListRecordSize, {{{32, "\xFF\xFF\xFF\xFF\xFF\xFF\xF1\x14\x08\xFF"sv}}}},
    .name = ListName,
    .members = {.rule = MemberRule::NonZero, .runs = {{{42, 31}}}},
});

// RX group record: name, 32 member words; the count is the leading non-zero words among the first 31.
const RxGroupListRecords RxGroupLists({
    .blank = {RxGroupRecordSize},
    .name = ListName,
    .members = {.offset = 32, .bytes = 2, .entries = 32},
    .memberLimit = 31,
    .countedEntries = 31,
});

const ContactRecordFormat ContactRecords;
const ChannelRecordFormat Md380Channels(Md380Format);
const RecordFormats Md380Records{&ContactRecords, &Md380Channels, &PlainZones, &ScanLists, &RxGroupLists};
const ChannelRecordFormat Md2017Channels(Md2017Format);
const RecordFormats Md2017Records{&ContactRecords, &Md2017Channels, &BankedZones, &ScanLists, &RxGroupLists};
const ChannelRecordFormat Md9600Channels(Md9600Format);
const RecordFormats Md9600Records{&ContactRecords, &Md9600Channels, &BankedZones, &ScanLists, &RxGroupLists};

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
    record[contact::Flags.offset] = 0xC0;
    contact.setFamilyRecord(record);
    load(contact);
}

void ContactRecordFormat::store(Contact& contact, ContactField field) const
{
    const Bytes r(contact.familyRecord());
    switch (field) {
    case ContactField::DmrId: setU24Le(r, contact::Id, contact.dmrId()); break;
    case ContactField::Name: setUtf16Name(r, contact::Name, NameUnits, contact.name()); break;
    case ContactField::CallType: contact::Flags.storeCallType(r, contact.callType()); break;
    case ContactField::AlertTone: contact::Flags.storeAlertTone(r, contact.alertTone()); break;
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
    contact.assignCallType(contact::Flags.callType(r));
    contact.assignAlertTone(contact::Flags.alertTone(r));
}

} // namespace pw::tyt
