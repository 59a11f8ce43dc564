// SPDX-License-Identifier: GPL-3.0-or-later
// The RDB contact, zone, scan-list and RX group list records: where each value lands in the
// family record and what a record read from a file shows.

#include "codeplug/rdb/rdb_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/rdb/six_bit_text.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <vector>

namespace pw {
namespace {

// ---- Contacts: 0 u24 DMR ID, 3 name (SixBitText), 15 flags ----

TEST(RdbContactRecord, NewContactIsAnUnsetPrivateCall)
{
    for (const FormatId format : {RdbV1Format, RdbV11Format, RdbV2Format}) {
        const Contact contact = newContact(format);
        EXPECT_EQ(contact.dmrId(), 16777215u);
        EXPECT_EQ(contact.name(), "");
        EXPECT_EQ(contact.callType(), CallType::PrivateCall);
        EXPECT_FALSE(contact.alertTone());
        ASSERT_EQ(contact.familyRecord().size(), 16u);
        EXPECT_EQ(SixBitText::decode(contact.familyRecord().data() + 3), "");
    }
}

TEST(RdbContactRecord, HoldsSixBitNameAndFlags)
{
    Contact contact = newContact(RdbV1Format);
    contact.setName("A-B");
    EXPECT_EQ(contact.name(), "A.B");  // a hyphen is not in the six-bit alphabet
    EXPECT_EQ(SixBitText::decode(contact.familyRecord().data() + 3), "A.B");
    contact.setCallType(CallType::AllCall);
    EXPECT_EQ(contact.familyRecord()[15] & 3, 2);
    contact.setAlertTone(true);
    EXPECT_EQ(contact.familyRecord()[15], 0x0A);
    contact.familyRecord()[15] = 3;
    rdb::ContactRecordFormat::load(contact);
    EXPECT_EQ(contact.callType(), CallType::PrivateCall);
    contact.setName("ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(contact.name(), "ABCDEFGHIJKLMNOP");
}

TEST(RdbContactRecord, IdKeepsTwentyFourBits)
{
    Contact contact = newContact(RdbV2Format);
    contact.setDmrId(0x01020304);
    EXPECT_EQ(getU24Le(contact.familyRecord(), 0), 0x020304u);
    EXPECT_EQ(contact.familyRecord()[2], 0x02);
}

TEST(RdbContactRecord, CallTypeKeepsOnlyTheAlertBit)
{
    Contact contact = newContact(RdbV2Format);
    contact.familyRecord()[15] = 0xFF;
    contact.setCallType(CallType::PrivateCall);
    EXPECT_EQ(contact.familyRecord()[15], 0x08);
}

// ---- Zones, 80 bytes: 0 name, 36 member count, 48 16 member words ----

TEST(RdbZoneRecord, MemberIsStoredAsGivenAndRaisesTheCountByte)
{
    Zone zone = newZone(RdbV11Format);
    EXPECT_EQ(zone.familyRecord().size(), 80u);
    ASSERT_TRUE(zone.addMember(102));
    EXPECT_EQ(getU8(zone.familyRecord(), 36), 1);
    EXPECT_EQ(getU16Le(zone.familyRecord(), 48), 102);
    EXPECT_TRUE(zone.removeMember(0));
    EXPECT_EQ(getU8(zone.familyRecord(), 36), 0);
    EXPECT_EQ(getU16Le(zone.familyRecord(), 48), 0);
}

TEST(RdbZoneRecord, NameIsSixteenUtf16Units)
{
    Zone zone = newZone(RdbV1Format);
    EXPECT_EQ(zone.name(), "");
    zone.setName("Repeaters");
    EXPECT_EQ(getUtf16Name(zone.familyRecord(), 0, 16), "Repeaters");
}

// ---- Scan lists, 128 bytes: 0 name, 38 member count + 1, 66 31 member words ----

TEST(RdbScanListRecord, MemberIsStoredAsGivenWithTheCountPlusOne)
{
    ScanList list = newScanList(RdbV1Format);
    ASSERT_TRUE(list.addMember(102));
    EXPECT_EQ(getU8(list.familyRecord(), 38), 2);
    EXPECT_EQ(getU16Le(list.familyRecord(), 66), 102);
}

TEST(RdbScanListRecord, NewListHoldsItsHeaderValues)
{
    const ScanList list = newScanList(RdbV1Format);
    const auto& record = list.familyRecord();
    EXPECT_EQ(record.size(), 128u);
    EXPECT_EQ(getU16Le(record, 32), 0xFFFF);
    EXPECT_EQ(getU16Le(record, 34), 0xFFFF);
    EXPECT_EQ(getU8(record, 38), 1);
    EXPECT_EQ(getU8(record, 39), 2);
    EXPECT_EQ(getU8(record, 41), 13);
    EXPECT_EQ(getU8(record, 42), 20);
    EXPECT_EQ(getU8(record, 43), 20);
    EXPECT_EQ(getU16Le(record, 64), 0);
    EXPECT_EQ(list.memberCount(), 0);
}

TEST(RdbScanListRecord, NameIsSixteenUtf16Units)
{
    ScanList list = newScanList(RdbV2Format);
    list.setName("Scan Me");
    EXPECT_EQ(getUtf16Name(list.familyRecord(), 0, 16), "Scan Me");
}

// ---- RX group lists: 0 u32 count, 4 name, 36 32 members (u16; 0x2003 u32 in 164 bytes) ----

TEST(RdbRxGroupRecord, AddingWritesTheMembersAndTheCountWord)
{
    RxGroupList narrow = newRxGroupList(RdbV1Format);
    narrow.addMember(5);
    narrow.addMember(1);
    EXPECT_EQ(narrow.familyRecord().size(), 100u);
    EXPECT_EQ(getU32Le(narrow.familyRecord(), 0), 2u);
    EXPECT_EQ(getU16Le(narrow.familyRecord(), 36), 5);
    EXPECT_EQ(getU16Le(narrow.familyRecord(), 38), 1);

    RxGroupList wide = newRxGroupList(RdbV2Format);
    wide.addMember(5);
    wide.addMember(1);
    EXPECT_EQ(wide.familyRecord().size(), 164u);
    EXPECT_EQ(getU32Le(wide.familyRecord(), 0), 2u);
    EXPECT_EQ(getU32Le(wide.familyRecord(), 36), 5u);
    EXPECT_EQ(getU32Le(wide.familyRecord(), 40), 1u);
}

TEST(RdbRxGroupRecord, RemovingMemberZeroLowersTheCountWord)
{
    for (const FormatId format : {RdbV1Format, RdbV2Format}) {
        RxGroupList list = newRxGroupList(format);
        for (const int member : {3, 5, 9})
            list.addMember(member);
        EXPECT_TRUE(list.removeMember(0));
        EXPECT_EQ(list.members(), std::vector<int>({5, 9})) << std::hex << format;
        EXPECT_EQ(getU32Le(list.familyRecord(), 0), 2u) << std::hex << format;
    }
}

TEST(RdbRxGroupRecord, CountWordIsBoundedByTheEntries)
{
    RxGroupList narrow = newRxGroupList(RdbV1Format);
    setU32Le(narrow.familyRecord(), 0, 0xFFFFFFFF);
    narrow.loadMemberCount();
    EXPECT_EQ(narrow.memberCount(), 32);
    EXPECT_EQ(narrow.member(31), 0);

    RxGroupList wide = newRxGroupList(RdbV2Format);
    setU32Le(wide.familyRecord(), 0, 2);
    setU32Le(wide.familyRecord(), 40, 70000);
    wide.loadMemberCount();
    EXPECT_EQ(wide.members(), std::vector<int>({0, 70000}));
}

TEST(RdbRxGroupRecord, NameFollowsTheCountWord)
{
    RxGroupList list = newRxGroupList(RdbV2Format);
    list.setName("ABCDEFGHIJKLMNOPQRSTUV");
    EXPECT_EQ(list.name(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(getUtf16Name(list.familyRecord(), 4, 16), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(getU32Le(list.familyRecord(), 0), 0u);
}

} // namespace
} // namespace pw
