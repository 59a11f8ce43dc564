// SPDX-License-Identifier: GPL-3.0-or-later
// The TYT contact, zone, scan-list and RX group list records: where each value lands in the
// family record and what a record read from a file shows.

#include "codeplug/tyt/tyt_records.h"

#include "codeplug/byte_field.h"
#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace pw {
namespace {

// ---- Contacts: 0 u24 DMR ID, 3 flags, 4 name ----

TEST(TytContactRecord, NewContactIsAnUnsetPrivateCall)
{
    for (const FormatId format : {Md380Format, Md2017Format, Md9600Format}) {
        const Contact contact = newContact(format);
        EXPECT_EQ(contact.dmrId(), 16777215u);
        EXPECT_EQ(contact.name(), "");
        EXPECT_EQ(contact.callType(), CallType::PrivateCall);
        EXPECT_FALSE(contact.alertTone());
        std::vector<std::uint8_t> expected(36, 0);
        expected[0] = expected[1] = expected[2] = 0xFF;
        expected[3] = 0xC0;
        EXPECT_TRUE(std::ranges::equal(contact.familyRecord(), expected)) << std::hex << format;
    }
}

TEST(TytContactRecord, HoldsIdFlagsAndUtf16Name)
{
    Contact contact = newContact(Md380Format);
    contact.setDmrId(0x123456);
    contact.setName("AB");
    contact.setCallType(CallType::GroupCall);
    contact.setAlertTone(true);
    const auto& r = contact.familyRecord();
    EXPECT_EQ(r[0], 0x56);
    EXPECT_EQ(r[1], 0x34);
    EXPECT_EQ(r[2], 0x12);
    EXPECT_EQ(r[3], 0xE1);  // 0xC1 group call with bit 5 alert
    EXPECT_EQ(r[4], 'A');
    EXPECT_EQ(r[5], 0);
    EXPECT_EQ(r[6], 'B');
    for (std::size_t i = 8; i < 36; ++i)
        EXPECT_EQ(r[i], 0) << i;
}

TEST(TytContactRecord, IdKeepsTwentyFourBits)
{
    Contact contact = newContact(Md380Format);
    contact.setDmrId(0x01020304);
    EXPECT_EQ(getU24Le(contact.familyRecord(), 0), 0x020304u);
    EXPECT_EQ(contact.familyRecord()[3], 0xC0);
}

TEST(TytContactRecord, CallTypeBitsZeroReadAsPrivateCall)
{
    Contact contact = newContact(Md380Format);
    contact.familyRecord()[3] = 0xC0;
    tyt::ContactRecordFormat::load(contact);
    EXPECT_EQ(contact.callType(), CallType::PrivateCall);
    contact.familyRecord()[3] = 0xC3;
    tyt::ContactRecordFormat::load(contact);
    EXPECT_EQ(contact.callType(), CallType::AllCall);
}

TEST(TytContactRecord, CallTypeKeepsOnlyTheAlertBit)
{
    Contact contact = newContact(Md380Format);
    contact.familyRecord()[3] = 0xFF;
    contact.setCallType(CallType::PrivateCall);
    EXPECT_EQ(contact.familyRecord()[3], 0xE2);
}

TEST(TytContactRecord, KeepsNoDescriptiveTexts)
{
    Contact contact = newContact(Md380Format);
    contact.setCity("Utrecht");
    contact.setRemarks("DMR");
    EXPECT_EQ(contact.city(), "");
    EXPECT_EQ(contact.remarks(), "");
    EXPECT_EQ(contact.familyRecord().size(), 36u);
}

// ---- Zones: 0 name, 32 bank A members 1-16; the extension record after it in 0x1002/0x1003 ----

TEST(TytZoneRecord, FortyMembersInBankAAndTenInBankBLandInRecordAndExtension)
{
    Zone zone = newZone(Md2017Format);
    zone.setName("Wide");
    for (int i = 0; i < 40; ++i)
        zone.setMember(i, 100 + i);
    zone.selectBank(2);
    for (int i = 0; i < 10; ++i)
        zone.setMember(i, 500 + i);

    const auto& bytes = zone.familyRecord();
    ASSERT_EQ(bytes.size(), 64u + 224u);
    const std::span<const std::uint8_t> record(bytes.data(), 64);
    const std::span<const std::uint8_t> extension(bytes.data() + 64, 224);
    EXPECT_EQ(getUtf16Name(record, 0, 16), "Wide");
    EXPECT_EQ(getU16Le(record, 32), 100);
    EXPECT_EQ(getU16Le(record, 62), 115);
    EXPECT_EQ(getU16Le(extension, 0), 116);
    EXPECT_EQ(getU16Le(extension, 2 * 23), 139);
    EXPECT_EQ(getU16Le(extension, 2 * 24), 0);
    EXPECT_EQ(getU16Le(extension, 2 * 48), 500);
    EXPECT_EQ(getU16Le(extension, 2 * 57), 509);
    EXPECT_EQ(getU16Le(extension, 2 * 58), 0);

    // A zone read from those bytes shows both banks again.
    Zone decoded = newZone(Md2017Format);
    decoded.familyRecord() = bytes;
    EXPECT_EQ(decoded.name(), "Wide");
    EXPECT_EQ(decoded.memberCount(), 40);
    EXPECT_EQ(decoded.member(39), 139);
    decoded.selectBank(2);
    EXPECT_EQ(decoded.memberCount(), 10);
    EXPECT_EQ(decoded.member(9), 509);
}

TEST(TytZoneRecord, ZoneOfOneBankIsItsRecordAlone)
{
    Zone zone = newZone(Md380Format);
    zone.setMember(0, 9);
    zone.selectBank(2);
    zone.setMember(1, 7);  // still bank A: the zone has no bank B
    EXPECT_EQ(zone.familyRecord().size(), 64u);
    EXPECT_EQ(getU16Le(zone.familyRecord(), 32), 9);
    EXPECT_EQ(getU16Le(zone.familyRecord(), 34), 7);
}

TEST(TytZoneRecord, RecordCutShortReadsAndWritesOnlyAsFarAsItGoes)
{
    Zone zone = newZone(Md2017Format);
    zone.familyRecord() = RecordBytes(10, 0x41);
    EXPECT_EQ(zone.member(0), 0);
    zone.setMember(0, 5);
    zone.selectBank(2);
    EXPECT_EQ(zone.member(0), 0);
    zone.setMember(0, 5);
    EXPECT_EQ(zone.familyRecord(), std::vector<std::uint8_t>(10, 0x41));
}

TEST(TytZoneRecord, NameIsSixteenUtf16Units)
{
    Zone zone = newZone(Md380Format);
    EXPECT_EQ(zone.name(), "");
    zone.setName("Repeaters");
    EXPECT_EQ(getUtf16Name(zone.familyRecord(), 0, 16), "Repeaters");
    EXPECT_EQ(zone.familyRecord()[2], 'e');
    EXPECT_EQ(zone.familyRecord()[3], 0);
}

// ---- Scan lists: 0 name, 32 ten header bytes, 42 31 member words ----

TEST(TytScanListRecord, NewListNamesNoPriorityChannel)
{
    const ScanList list = newScanList(Md380Format);
    const std::vector<std::uint8_t> header(list.familyRecord().begin() + 32, list.familyRecord().begin() + 42);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF1, 0x14, 0x08, 0xFF}));
    EXPECT_EQ(list.familyRecord().size(), 104u);
}

TEST(TytScanListRecord, CountIsTheNumberOfNonZeroWords)
{
    ScanList list = newScanList(Md380Format);
    list.setMember(0, 4);
    list.setMember(5, 9);
    EXPECT_EQ(list.memberCount(), 2);
    EXPECT_EQ(getU16Le(list.familyRecord(), 42), 4);
    EXPECT_EQ(getU16Le(list.familyRecord(), 42 + 2 * 5), 9);
}

TEST(TytScanListRecord, NameIsSixteenUtf16Units)
{
    ScanList list = newScanList(Md380Format);
    list.setName("Scan Me");
    EXPECT_EQ(getUtf16Name(list.familyRecord(), 0, 16), "Scan Me");
    list.setName("ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(list.name(), "ABCDEFGHIJKLMNOP");
}

// ---- RX group lists: 0 name, 32 32 member words ----

TEST(TytRxGroupRecord, MembersAreWordsAfterTheName)
{
    RxGroupList list = newRxGroupList(Md380Format);
    list.setName("Local");
    EXPECT_TRUE(list.addMember(5));
    EXPECT_TRUE(list.addMember(1));
    EXPECT_EQ(list.name(), "Local");
    EXPECT_EQ(getUtf16Name(list.familyRecord(), 0, 16), "Local");
    EXPECT_EQ(getU16Le(list.familyRecord(), 32), 5);
    EXPECT_EQ(getU16Le(list.familyRecord(), 34), 1);

    EXPECT_TRUE(list.removeMember(0));
    EXPECT_EQ(getU16Le(list.familyRecord(), 32), 1);
    EXPECT_EQ(getU16Le(list.familyRecord(), 34), 0);
}

TEST(TytRxGroupRecord, CountIsTheLeadingNonZeroWordsAmongTheFirst31)
{
    RxGroupList list = newRxGroupList(Md380Format);
    for (int i = 0; i < 32; ++i)
        setU16Le(list.familyRecord(), 32 + 2 * static_cast<std::size_t>(i), 7);
    list.loadMemberCount();
    EXPECT_EQ(list.memberCount(), 31);

    setU16Le(list.familyRecord(), 32 + 2 * 4, 0);
    list.loadMemberCount();
    EXPECT_EQ(list.memberCount(), 4);
}

} // namespace
} // namespace pw
