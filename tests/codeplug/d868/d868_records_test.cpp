// SPDX-License-Identifier: GPL-3.0-or-later
// The D868 contact values and the zone, scan-list and RX group list records: what each value
// becomes and where it lands in the family record.

#include "codeplug/d868/d868_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <vector>

namespace pw {
namespace {

// ---- Contacts: values only, packed into the contact streams on save ----

TEST(D868Contact, NewContactIsPrivateCallOneWithoutARecord)
{
    const Contact contact = newContact(D868Format);
    EXPECT_EQ(contact.dmrId(), 1u);
    EXPECT_EQ(contact.name(), "");
    EXPECT_EQ(contact.callType(), CallType::PrivateCall);
    EXPECT_FALSE(contact.alertTone());
    EXPECT_TRUE(contact.familyRecord().empty());
}

TEST(D868Contact, NameShowsControlCharactersAsHyphens)
{
    Contact contact = newContact(D868Format);
    contact.setName(std::string("a\tb"));
    EXPECT_EQ(contact.name(), "a-b");
    contact.setName("\xC3\x84rger");  // the stream's seven bits hold no accents
    EXPECT_EQ(contact.name(), "Arger");
    contact.setName("ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(contact.name(), "ABCDEFGHIJKLMNOP");
}

TEST(D868Contact, TextsAreCutToTheirFields)
{
    Contact contact = newContact(D868Format);
    contact.setCallsign("PA3XYZABCD");
    contact.setCity("Amsterdam-Zuidoost-X");
    contact.setCountry("Netherlands");
    contact.setState("Noord-Holland-Provincie");
    contact.setRemarks("0123456789ABCDEFGHIJ");
    EXPECT_EQ(contact.callsign(), "PA3XYZAB");
    EXPECT_EQ(contact.city(), "Amsterdam-Zuido");
    EXPECT_EQ(contact.country(), "Netherlands");
    EXPECT_EQ(contact.state(), "Noord-Holland-Pr");
    EXPECT_EQ(contact.remarks(), "0123456789ABCDEF");
}

// ---- Zones, 611 bytes: 0 record number, 2 in use, 4 count, 6 250 members, 520 name ----

TEST(D868ZoneRecord, NewZoneIsNamedAndHoldsItsStartValues)
{
    const Zone zone = newZone(D868Format);
    EXPECT_EQ(zone.name(), "New Zone");
    const auto& block = zone.familyRecord();
    EXPECT_EQ(block.size(), 611u);
    EXPECT_EQ(getU16Le(block, 0), 1);
    EXPECT_EQ(getU16Le(block, 2), 1);
    EXPECT_EQ(getU16Le(block, 4), 0);
    EXPECT_EQ(getU16Le(block, 506), 1);
    EXPECT_EQ(getU16Le(block, 508), 1);
    EXPECT_EQ(getCString(block, 520, 16), "New Zone");
}

TEST(D868ZoneRecord, NameIsSixteenCharactersAt520)
{
    Zone zone = newZone(D868Format);
    zone.setName("Repeaters");
    EXPECT_EQ(getCString(zone.familyRecord(), 520, 16), "Repeaters");
    zone.setName("ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(zone.name(), "ABCDEFGHIJKLMNOP");
}

TEST(D868ZoneRecord, MembersAreTheEntriesBelowTheCountWord)
{
    Zone zone = newZone(D868Format);
    for (const int member : {5, 2, 3})
        zone.addMember(member);
    EXPECT_EQ(getU16Le(zone.familyRecord(), 4), 3);
    EXPECT_EQ(getU16Le(zone.familyRecord(), 6), 5);
    EXPECT_EQ(getU16Le(zone.familyRecord(), 10), 3);

    // Channel 3 leaving the table: its member goes, later ones are lowered, the count follows.
    zone.removeMembersEqualTo(3);
    zone.lowerMembersAbove(3);
    EXPECT_EQ(zone.members(), std::vector<int>({4, 2}));
    EXPECT_EQ(getU16Le(zone.familyRecord(), 4), 2);

    // An entry beyond the count holds no member whatever its word says.
    setU16Le(zone.familyRecord(), 6 + 2 * 2, 9);
    EXPECT_EQ(zone.member(2), 0);
    EXPECT_FALSE(zone.holdsMember(2));
}

// ---- Scan lists, 298 bytes: 4 name, 21-31 options, 32 count, 34 50 flag words, 134 members ----

TEST(D868ScanListRecord, AppendClearsTheMatchingWordOfTheFlagArray)
{
    ScanList list = newScanList(D868Format);
    setU16Le(list.familyRecord(), 34 + 2, 0x7777);
    list.addMember(1);
    list.addMember(3);
    EXPECT_EQ(getU16Le(list.familyRecord(), 32), 2);
    EXPECT_EQ(getU16Le(list.familyRecord(), 134), 1);
    EXPECT_EQ(getU16Le(list.familyRecord(), 136), 3);
    EXPECT_EQ(getU16Le(list.familyRecord(), 36), 0);
}

TEST(D868ScanListRecord, NewListHoldsItsOptionValues)
{
    const ScanList list = newScanList(D868Format);
    const auto& record = list.familyRecord();
    EXPECT_EQ(record.size(), 298u);
    EXPECT_EQ(getU16Le(record, 0), 1);
    EXPECT_EQ(getU16Le(record, 2), 1);
    EXPECT_EQ(getU8(record, 28), 5);
    EXPECT_EQ(getU8(record, 29), 5);
    EXPECT_EQ(getU8(record, 30), 1);
    EXPECT_EQ(getU8(record, 31), 1);
    EXPECT_EQ(getU8(record, 21), 0);
}

TEST(D868ScanListRecord, NameKeepsSixteenCharactersAndLeavesTheOptions)
{
    ScanList list = newScanList(D868Format);
    list.setName("Scan Me");
    EXPECT_EQ(list.name(), "Scan Me");
    EXPECT_EQ(getCString(list.familyRecord(), 4, 17), "Scan Me");
    list.setName("ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(list.name(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(getU8(list.familyRecord(), 20), 0);
    EXPECT_EQ(getU8(list.familyRecord(), 28), 5);
}

TEST(D868ScanListRecord, RemovingAMemberLowersTheCount)
{
    ScanList list = newScanList(D868Format);
    for (const int member : {1, 4, 5})
        list.addMember(member);
    EXPECT_TRUE(list.removeFirstMemberEqualTo(5));
    list.lowerMembersAbove(5);
    EXPECT_EQ(list.members(), std::vector<int>({1, 4}));
    EXPECT_EQ(getU16Le(list.familyRecord(), 32), 2);
}

// ---- RX group lists, 297 bytes: 0 record number, 2 in use, 4 name, 39 count, 41 u32 members ----

TEST(D868RxGroupRecord, NewListIsNumberedAndInUse)
{
    const RxGroupList list = newRxGroupList(D868Format);
    EXPECT_EQ(list.familyRecord().size(), 297u);
    EXPECT_EQ(getU16Le(list.familyRecord(), 0), 1);
    EXPECT_EQ(getU16Le(list.familyRecord(), 2), 1);
    EXPECT_EQ(list.memberCount(), 0);
}

TEST(D868RxGroupRecord, MembersAreStoredZeroBased)
{
    RxGroupList list = newRxGroupList(D868Format);
    list.addMember(1);
    list.addMember(3);
    EXPECT_EQ(getU16Le(list.familyRecord(), 39), 2);
    EXPECT_EQ(getU32Le(list.familyRecord(), 41), 0u);
    EXPECT_EQ(getU32Le(list.familyRecord(), 45), 2u);
    EXPECT_EQ(list.members(), std::vector<int>({1, 3}));

    list.addMember(5);
    EXPECT_TRUE(list.removeMember(0));
    EXPECT_EQ(list.members(), std::vector<int>({3, 5}));
    EXPECT_EQ(getU16Le(list.familyRecord(), 39), 2);
}

TEST(D868RxGroupRecord, CountWordIsBoundedByTheEntriesTheBlockHolds)
{
    RxGroupList list = newRxGroupList(D868Format);
    setU16Le(list.familyRecord(), 39, 0xFFFF);
    list.loadMemberCount();
    EXPECT_EQ(list.memberCount(), 63);
    EXPECT_EQ(list.member(62), 1);
}

TEST(D868RxGroupRecord, NameKeepsTwentyCharacters)
{
    RxGroupList list = newRxGroupList(D868Format);
    list.setName("ABCDEFGHIJKLMNOPQRSTUV");
    EXPECT_EQ(list.name(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(getCString(list.familyRecord(), 4, 21), "ABCDEFGHIJKLMNOPQRST");
}

} // namespace
} // namespace pw
