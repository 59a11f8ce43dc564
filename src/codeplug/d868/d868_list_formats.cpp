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

using namespace std::string_view_literals;

// Contact texts: how many characters the radio keeps of each.
constexpr std::size_t NameCharacters = 16;
constexpr std::size_t CallsignCharacters = 8;
constexpr std::size_t CityCharacters = 15;
constexpr std::size_t OtherTextCharacters = 16;

// Zones and scan lists: the members are the entries below the count.
const ZoneRecords Zones({
    .blank = {611, {{{0, "\1\0\1\0"sv}, {506, "\1\0\1\0"sv}, {520, "New Zone"sv}}}},
    .name = {.offset = 520, .characters = NameCharacters, .storage = NameStorage::Latin1, .fieldBytes = NameCharacters},
    .bankA = {.rule = MemberRule::BelowCount, .runs = {{{6, 250}}}, .count = {.offset = 4, .bytes = 2},
              .removalMovesRow = false},
});

const ScanListRecords ScanLists({
    .blank = {298, {{{0, "\1\0\1\0"sv}, {28, "\5\5\1\1"sv}}}},
    .name = {.offset = 4, .characters = NameCharacters, .storage = NameStorage::Latin1, .fieldBytes = 17},
    .members = {.rule = MemberRule::BelowCount, .runs = {{{134, 50}}}, .count = {.offset = 32, .bytes = 2},
                .removalMovesRow = false, .clearedOnAppend = 34},
});

// The members are stored 0-based, as many as the 296-byte block holds after them.
constexpr std::size_t RxGroupMembers = 41;
const RxGroupListRecords RxGroupLists({
    .blank = {297, {{{0, "\1\0\1\0"sv}}}},
    .name = {.offset = 4, .characters = 20, .storage = NameStorage::Latin1, .fieldBytes = 21},
    .members = {.offset = RxGroupMembers, .bytes = 4, .entries = static_cast<int>((296 - RxGroupMembers) / 4)},
    .memberLimit = 30,
    .zeroBased = true,
    .count = {.offset = 39, .bytes = 2},
});

std::string cut(std::string_view text, std::size_t characters) { return std::string(text.substr(0, characters)); }

const ContactRecordFormat ContactRecords;
const ChannelRecordFormat ChannelRecords;
const RecordFormats Records{&ContactRecords, &ChannelRecords, &Zones, &ScanLists, &RxGroupLists};

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

} // namespace pw::d868
