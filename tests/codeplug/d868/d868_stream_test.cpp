// SPDX-License-Identifier: GPL-3.0-or-later
// SeptetText, PackedContactStream and record numbering: the parts of the D868 file that are not
// laid out in whole bytes or whole records.
#include "codeplug/d868/packed_contact_stream.h"
#include "codeplug/d868/record_numbers.h"
#include "codeplug/d868/septet_text.h"
#include "codeplug/record_factory.h"
#include "support/d868_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::D868FixtureContact;
using test::packD868FixtureContacts;

// The contacts a stream yields and the record number of each.
struct UnpackedContacts {
    std::vector<std::unique_ptr<Contact>> contacts;
    std::vector<std::uint32_t> recordNumbers;
};

UnpackedContacts unpackAll(ConstBytes stream, std::size_t maxEntries, const Contact& prototype)
{
    UnpackedContacts result;
    unpackContactStream(stream, maxEntries, [&](std::uint32_t number) -> Contact& {
        result.recordNumbers.push_back(number);
        return *result.contacts.emplace_back(std::make_unique<Contact>(prototype));
    });
    return result;
}

std::string letters(std::size_t length, char first = 'a')
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text.push_back(static_cast<char>(first + static_cast<char>(i % 26)));
    return text;
}

// ---- SeptetText ----

TEST(SeptetText, SeptetsArePackedLeastSignificantBitFirst)
{
    std::vector<std::uint8_t> out(16, 0xEE);
    const std::uint8_t two[] = {'A', 'B'};  // 100 0001, 100 0010
    // 'B': bit 0 is bit 7 of byte 0, bits 1-6 are bits 0-5 of byte 1.
    ASSERT_EQ(packSeptets(two, 2, out.data()), 2u);
    EXPECT_EQ(out[0], 0x41);
    EXPECT_EQ(out[1], 0x21);

    // Eight septets fill exactly seven bytes; the eighth is bits 1-7 of byte 6.
    const std::uint8_t eight[] = {1, 1, 1, 1, 1, 1, 1, 0x7F};
    ASSERT_EQ(packSeptets(eight, 8, out.data()), 7u);
    EXPECT_EQ(out[6], 0xFE);
    EXPECT_EQ(out[0], 0x81);  // septet 0, and septet 1's bit 0 in bit 7
    EXPECT_EQ(out[1], 0x40);  // septet 2's bit 0 in bit 6
}

TEST(SeptetText, EveryCountPacksIntoItsBytesAloneAndUnpacksBack)
{
    for (std::size_t count = 0; count <= 20; ++count) {
        std::vector<std::uint8_t> septets(count);
        for (std::size_t i = 0; i < count; ++i)
            septets[i] = static_cast<std::uint8_t>((i * 37 + 5) & 0x7F);
        std::vector<std::uint8_t> out(32, 0xEE);
        const std::size_t bytes = packSeptets(septets.data(), count, out.data());
        ASSERT_EQ(bytes, (count * 7 + 7) / 8) << count;
        for (std::size_t i = bytes; i < out.size(); ++i)
            ASSERT_EQ(out[i], 0xEE) << count << " wrote byte " << i;
        std::vector<std::uint8_t> back(count + 8, 0xEE);
        out.resize(bytes);
        EXPECT_EQ(unpackSeptets(out, 0, count, back.data()), count) << count;
        EXPECT_EQ(std::vector<std::uint8_t>(back.begin(), back.begin() + count), septets) << count;
        EXPECT_EQ(back[count], 0xEE) << count;  // nothing past what was asked for
    }
}

TEST(SeptetText, CharactersAreReducedToSevenBitsAndNeverToATerminator)
{
    EXPECT_EQ(septetOf('Z'), 'Z');
    EXPECT_EQ(septetOf(0xC1), 'A');  // the top bit is dropped
    // 0x80 would read as the end of its text and shift every later text of the entry.
    EXPECT_EQ(septetOf(0x80), '?');
}

TEST(SeptetText, TextsOfEveryLengthReadBackCutToWhatIsKept)
{
    for (std::size_t length = 0; length <= 20; ++length) {
        Contact contact = newContact(D868Format);
        contact.setName(letters(length));
        contact.setCallsign(letters(length, 'K'));
        contact.assignDescriptive(ContactText::City, "next");
        const Contact* one[] = {&contact};
        std::vector<std::uint8_t> stream;
        packContactStream(one, stream);
        stream.push_back(0);
        const auto unpacked = unpackAll(stream, 1, newContact(D868Format));
        ASSERT_EQ(unpacked.contacts.size(), 1u) << length;
        EXPECT_EQ(unpacked.contacts[0]->name(), letters(std::min<std::size_t>(length, 16))) << length;
        EXPECT_EQ(unpacked.contacts[0]->callsign(), letters(std::min<std::size_t>(length, 8), 'K')) << length;
        EXPECT_EQ(unpacked.contacts[0]->city(), "next") << length;
    }
}

TEST(SeptetText, OverlongTextIsCutAndTheNextSeptetEndsIt)
{
    // 20 letters and a terminator as another writer might store them: the reader takes 17, keeps
    // 16, and takes the 18th letter as the terminator, so the following text starts at the 19th.
    D868FixtureContact fixture;
    fixture.name = "ABCDEFGHIJKLMNOPQRST";
    auto stream = packD868FixtureContacts({fixture});
    stream.push_back(0);
    const auto unpacked = unpackAll(stream, 1, newContact(D868Format));
    ASSERT_EQ(unpacked.contacts.size(), 1u);
    EXPECT_EQ(unpacked.contacts[0]->name(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(unpacked.contacts[0]->city(), "ST");
}

TEST(SeptetText, UnpackingStopsAtTheEndOfTheSpan)
{
    const std::vector<std::uint8_t> bytes = {0xFF, 0xFF};
    std::uint8_t septets[8] = {};
    // Bits 14-20 are not all inside two bytes: two septets, not three.
    EXPECT_EQ(unpackSeptets(bytes, 0, 8, septets), 2u);
    EXPECT_EQ(septets[0], 0x7F);
    EXPECT_EQ(septets[1], 0x7F);
    EXPECT_EQ(unpackSeptets(bytes, 5, 8, septets), 0u);
    // An entry whose texts run on past the end of the stream is not taken.
    const std::vector<std::uint8_t> unterminated(6 + 16, 0xFF);
    EXPECT_TRUE(unpackAll(unterminated, 1, newContact(D868Format)).contacts.empty());
}

// ---- PackedContactStream ----

D868FixtureContact fullContact()
{
    D868FixtureContact contact;
    contact.recordNumber = 0xABCDE;  // 20 bits
    contact.dmrId = 3141592;
    contact.name = "  W1AW Club \t";
    contact.city = "Newington";
    contact.callsign = "W1AW";
    contact.state = "Connecticut";
    contact.country = "United States";
    contact.remarks = "HQ";
    contact.callType = 2;
    contact.alertTone = 3;
    return contact;
}

// The stream as the file holds it: the packed entries and the extra zero byte.
std::vector<std::uint8_t> streamOf(const std::vector<D868FixtureContact>& contacts)
{
    auto stream = packD868FixtureContacts(contacts);
    stream.push_back(0);
    return stream;
}

TEST(PackedContactStream, EntryFillsEveryValueOfTheContact)
{
    const auto unpacked = unpackAll(streamOf({fullContact()}), 10, newContact(D868Format));
    ASSERT_EQ(unpacked.contacts.size(), 1u);
    EXPECT_EQ(unpacked.recordNumbers, std::vector<std::uint32_t>{0xABCDE});
    const Contact& contact = *unpacked.contacts[0];
    EXPECT_EQ(contact.dmrId(), 3141592u);
    EXPECT_EQ(contact.name(), "W1AW Club");  // trimmed of white space at both ends
    EXPECT_EQ(contact.city(), "Newington");
    EXPECT_EQ(contact.callsign(), "W1AW");
    EXPECT_EQ(contact.state(), "Connecticut");
    EXPECT_EQ(contact.country(), "United States");
    EXPECT_EQ(contact.remarks(), "HQ");
    EXPECT_EQ(contact.callType(), CallType::AllCall);
    // Alert tone bits 3 read as on, and go back as 3 until the alert tone is edited.
    EXPECT_TRUE(contact.alertTone());
    EXPECT_EQ(&contact.format(), recordFormatsOf(D868Format).contact);
    const auto alertWritten = [](const Contact& c) {
        const Contact* one[] = {&c};
        std::vector<std::uint8_t> packed;
        packContactStream(one, packed);
        return (getU24Le(packed, 3) >> 22) & 3u;
    };
    EXPECT_EQ(alertWritten(contact), 3u);
    Contact edited = contact;
    edited.setAlertTone(false);
    EXPECT_EQ(alertWritten(edited), 0u);
    edited.setAlertTone(true);
    EXPECT_EQ(alertWritten(edited), 3u);  // back to what was read: the file's value stands
}

TEST(PackedContactStream, ControlCharactersOfANameReadAsHyphens)
{
    D868FixtureContact fixture;
    fixture.name = "a\x01" "b";
    const auto unpacked = unpackAll(streamOf({fixture}), 10, newContact(D868Format));
    ASSERT_EQ(unpacked.contacts.size(), 1u);
    EXPECT_EQ(unpacked.contacts[0]->name(), "a-b");
}

TEST(PackedContactStream, EntryIsTakenOnlyWhenItEndsBeforeTheStatedLength)
{
    std::vector<D868FixtureContact> contacts(3);
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        contacts[i].recordNumber = static_cast<std::uint32_t>(i + 1);
        contacts[i].name = letters(i * 5);
    }
    auto packed = packD868FixtureContacts(contacts);
    // Without the extra byte the last entry ends exactly at the stated length: it is not taken.
    const Contact prototype = newContact(D868Format);
    EXPECT_EQ(unpackAll(packed, 3, prototype).contacts.size(), 2u);
    packed.push_back(0);
    EXPECT_EQ(unpackAll(packed, 3, prototype).contacts.size(), 3u);
    // The count bounds the entries taken.
    EXPECT_EQ(unpackAll(packed, 1, prototype).contacts.size(), 1u);
    // The empty list: length 1 and one byte of 1.
    EXPECT_TRUE(unpackAll(std::vector<std::uint8_t>{1}, 100, prototype).contacts.empty());
    EXPECT_TRUE(unpackAll({}, 100, prototype).contacts.empty());
}

TEST(PackedContactStream, PackingWritesWhatAnIndependentPackerWrites)
{
    std::vector<D868FixtureContact> expected;
    std::vector<std::unique_ptr<Contact>> contacts;
    for (std::uint32_t i = 0; i < 40; ++i) {
        D868FixtureContact fixture;
        fixture.recordNumber = i + 1;
        fixture.dmrId = 1000 + i * 77;
        fixture.name = letters(i % 17, 'A');
        fixture.city = letters(i % 16);
        fixture.callsign = letters(i % 9, 'K');
        fixture.state = letters((i * 3) % 17);
        fixture.country = letters((i * 5) % 17);
        fixture.remarks = letters((i * 7) % 17);
        fixture.callType = static_cast<int>(i % 3);
        // The model keeps the alert tone as on or off, written as 1 or 0.
        fixture.alertTone = i % 4 != 0 ? 1 : 0;
        auto contact = std::make_unique<Contact>(newContact(D868Format));
        // The call type first: All Call sets the ID.
        contact->setCallType(fixture.callType == 1 ? CallType::GroupCall
                             : fixture.callType == 2 ? CallType::AllCall : CallType::PrivateCall);
        contact->setDmrId(fixture.dmrId);
        contact->setAlertTone(fixture.alertTone != 0);
        // What the model keeps: 16, 16, 8, 16, 16, 16 characters.
        fixture.name = fixture.name.substr(0, 16);
        fixture.state = fixture.state.substr(0, 16);
        fixture.country = fixture.country.substr(0, 16);
        fixture.remarks = fixture.remarks.substr(0, 16);
        fixture.callsign = fixture.callsign.substr(0, 8);
        contact->setName(fixture.name);
        // A city read from a file keeps 16 characters, one more than the editor's field takes.
        contact->assignDescriptive(ContactText::City, fixture.city);
        contact->setCallsign(fixture.callsign);
        contact->setState(fixture.state);
        contact->setCountry(fixture.country);
        contact->setRemarks(fixture.remarks);
        expected.push_back(fixture);
        contacts.push_back(std::move(contact));
    }
    std::vector<const Contact*> order;
    for (const auto& contact : contacts)
        order.push_back(contact.get());
    std::vector<std::uint8_t> packed;
    packContactStream(order, packed);
    EXPECT_EQ(packed, packD868FixtureContacts(expected));
}

TEST(PackedContactStream, RecordNumberIsWrittenInEighteenBitsBesideCallTypeAndAlert)
{
    Contact contact = newContact(D868Format);
    contact.setCallType(CallType::GroupCall);
    contact.setAlertTone(true);  // written as 1
    std::vector<const Contact*> many(0x40001, &contact);
    std::vector<std::uint8_t> packed;
    packContactStream(many, packed);
    // Every entry of this contact is 12 bytes; the last is number 0x40001, written as 1.
    ASSERT_EQ(packed.size(), 12u * many.size());
    const std::size_t last = packed.size() - 12;
    EXPECT_EQ(getU24Le(packed, last + 3), 1u | (1u << 20) | (1u << 22));
    const std::size_t before = last - 12;  // number 0x40000: the 18 bits hold 0
    EXPECT_EQ(getU24Le(packed, before + 3) & 0xFFFFF, 0u);
    EXPECT_EQ(getU8(packed, 5) & 0x0C, 0);  // bits 2-3 of byte 5 stay clear
}

TEST(PackedContactStream, GarbageStreamIsReadWithinItsBounds)
{
    std::vector<std::uint8_t> garbage(4096);
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<std::uint8_t>((i * 131 + 7) ^ (i >> 3));
    const auto unpacked = unpackAll(garbage, 160000, newContact(D868Format));
    EXPECT_LE(unpacked.contacts.size(), garbage.size() / SmallestPackedContact);
    EXPECT_EQ(unpacked.contacts.size(), unpacked.recordNumbers.size());
}

// ---- Record numbers ----

TEST(RecordNumbering, SkippedNumbersAreGapsOnceAndReferencesBecomeDense)
{
    RecordNumbering numbers(4000);
    int position = 0;
    for (const std::uint32_t number : {1u, 2u, 5u, 6u})
        numbers.add(number, ++position);
    EXPECT_EQ(numbers.recordNumberGaps(), (std::vector<std::uint32_t>{3, 4}));
    EXPECT_EQ(numbers.denseValue(1), 1);
    EXPECT_EQ(numbers.denseValue(5), 3);  // 5 minus the two gaps below it
    EXPECT_EQ(numbers.denseValue(6), 4);
    // A skipped number, a number past the last and number 0 name no record.
    EXPECT_EQ(numbers.denseValue(3), 0);
    EXPECT_EQ(numbers.denseValue(7), 0);
    EXPECT_EQ(numbers.denseValue(0), 0);
}

TEST(RecordNumbering, NumbersOutOfOrderOrRepeatedStillFindTheirRecord)
{
    RecordNumbering numbers(4000);
    int position = 0;
    for (const std::uint32_t number : {1u, 5u, 3u, 3u, 9u})
        numbers.add(number, ++position);
    EXPECT_EQ(numbers.recordNumberGaps(), (std::vector<std::uint32_t>{2, 3, 4, 6, 7, 8}));
    EXPECT_EQ(numbers.denseValue(5), 2);
    EXPECT_EQ(numbers.denseValue(3), 3);  // the first record of the number
    EXPECT_EQ(numbers.denseValue(9), 5);
    EXPECT_EQ(numbers.denseValue(2), 0);
}

TEST(RecordNumbering, GapListIsBounded)
{
    RecordNumbering numbers(10000);
    numbers.add(1, 1);
    numbers.add(0xFFFFF, 2);
    EXPECT_EQ(numbers.recordNumberGaps().size(), 10000u);
    EXPECT_EQ(numbers.denseValue(0xFFFFF), 2);
}

} // namespace
} // namespace pw
