// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/rdb/rdb_codec.h"

#include "codeplug/codeplug.h"
#include "codeplug/rdb/rdb_map.h"
#include "codeplug/record_factory.h"

#include "codeplug/byte_field.h"
#include "support/fixture_builder.h"
#include "support/rdb_fixture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pw {
namespace {

using test::RdbFixture;
using test::readBytes;
using test::TempDir;

rdb::RdbCodec& rdbCodec(const Codeplug& codeplug) { return static_cast<rdb::RdbCodec&>(codeplug.codec()); }

// A fixture written to a file, opened and decoded.
struct Decoded {
    TempDir dir;
    std::filesystem::path path;
    std::unique_ptr<Codeplug> codeplug = std::make_unique<Codeplug>();

    explicit Decoded(const RdbFixture& fixture) : path(fixture.write(dir.file("fixture.rdb")))
    {
        EXPECT_EQ(codeplug->open(path), fixture.formatId());
        EXPECT_TRUE(codeplug->decode());
    }

    // Saves to a new file and returns its bytes.
    std::vector<std::uint8_t> save(const std::string& name = "saved.rdb")
    {
        const auto out = dir.file(name);
        EXPECT_TRUE(codeplug->save(out));
        return readBytes(out);
    }

    // Saves, then opens and decodes the saved file in a fresh codeplug.
    std::unique_ptr<Codeplug> saveAndReopen()
    {
        const auto out = dir.file("reopened.rdb");
        EXPECT_TRUE(codeplug->save(out));
        auto again = std::make_unique<Codeplug>();
        EXPECT_EQ(again->open(out), codeplug->formatId());
        EXPECT_TRUE(again->decode());
        return again;
    }
};

std::vector<int> zoneMembers(const Zone& zone)
{
    std::vector<int> members;
    for (int i = 0; i < zone.memberCount(); ++i)
        members.push_back(zone.member(i));
    return members;
}

std::vector<int> scanListMembers(const ScanList& list)
{
    std::vector<int> members;
    for (int i = 0; i < list.memberCount(); ++i)
        members.push_back(list.member(i));
    return members;
}

std::vector<int> rxGroupMembers(const RxGroupList& list)
{
    std::vector<int> members;
    for (int i = 0; i < list.memberCount(); ++i)
        members.push_back(list.member(i));
    return members;
}

template <typename List>
std::vector<std::string> names(const List& list)
{
    std::vector<std::string> result;
    for (const auto& item : list)
        result.push_back(item->name());
    return result;
}

// Three contacts, three channels (one analog), two zones, two RX group lists, one scan list.
RdbFixture populated(FormatId format)
{
    RdbFixture f(format);
    f.addContact(f.contact(3100, "World Wide", CallType::GroupCall));
    f.addContact(f.contact(2620001, "Alice", CallType::PrivateCall));
    f.addContact(f.contact(91, "Local", CallType::GroupCall));
    f.addRxGroupList(f.rxGroupList("Groups", {1, 3}));
    f.addRxGroupList(f.rxGroupList("Just WW", {1}));
    f.addScanList(f.scanList("Scan All", {1, 2, 3}));
    const int analog = f.addChannel(f.analogChannel("Simplex", 145.5));
    const int dmr1 = f.addChannel(f.digitalChannel("DMR WW", 439.5, 1, 2, 1));
    const int dmr2 = f.addChannel(f.digitalChannel("DMR Alice", 438.2, 2, 1));
    f.addZone(f.zone("Home", {analog, dmr1, dmr2}));
    f.addZone(f.zone("Digital", {dmr2, dmr1}));
    return f;
}

class RdbCodecByVersion : public ::testing::TestWithParam<FormatId> {};

INSTANTIATE_TEST_SUITE_P(AllRdbVersions, RdbCodecByVersion,
                         ::testing::Values(RdbV1Format, RdbV11Format, RdbV2Format),
                         [](const auto& param) { return "Format" + std::to_string(param.param & 0xFF); });

// ---- Decoding a sound image ----

TEST_P(RdbCodecByVersion, PopulatedImageDecodesEveryTable)
{
    Decoded decoded(populated(GetParam()));
    const Codeplug& cp = *decoded.codeplug;
    EXPECT_EQ(cp.errorCount(), 0) << cp.errorLogText();
    EXPECT_EQ(cp.errorLogText(), "");
    EXPECT_FALSE(cp.changed());

    ASSERT_EQ(cp.contacts().count(), 3);
    EXPECT_EQ(cp.contactAt(0)->dmrId(), 3100u);
    EXPECT_EQ(cp.contactAt(0)->name(), "World Wide");
    EXPECT_EQ(cp.contactAt(0)->callType(), CallType::GroupCall);
    EXPECT_EQ(cp.contactAt(1)->callType(), CallType::PrivateCall);
    EXPECT_EQ(cp.contactAt(2)->name(), "Local");

    ASSERT_EQ(cp.channels().count(), 3);
    EXPECT_EQ(names(cp.channels()), (std::vector<std::string>{"Simplex", "DMR WW", "DMR Alice"}));
    const Channel& analog = *cp.channelAt(0);
    EXPECT_EQ(analog.slotNumber(), 1);
    EXPECT_FALSE(analog.isDigital());
    EXPECT_DOUBLE_EQ(analog.rxFrequency(), 145.5);
    const Channel& ww = *cp.channelAt(1);
    EXPECT_EQ(ww.slotNumber(), 2);
    EXPECT_TRUE(ww.isDigital());
    EXPECT_EQ(ww.txContact(), 1);
    EXPECT_EQ(ww.contactNameCache(), "World Wide");
    EXPECT_EQ(ww.rxGroupList(), 2);
    EXPECT_EQ(ww.scanList(), 1);
    EXPECT_EQ(cp.channelAt(2)->txContact(), 2);
    EXPECT_EQ(cp.channelAt(2)->rxGroupList(), 1);
    EXPECT_EQ(cp.channelAt(2)->scanList(), 0);
    EXPECT_EQ(rdbCodec(cp).slotOrderTable(), (std::vector<std::uint16_t>{1, 2, 3}));

    ASSERT_EQ(cp.zones().count(), 2);
    EXPECT_EQ(cp.zoneAt(0)->name(), "Home");
    EXPECT_EQ(zoneMembers(*cp.zoneAt(0)), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(zoneMembers(*cp.zoneAt(1)), (std::vector<int>{3, 2}));

    ASSERT_EQ(cp.rxGroupLists().count(), 2);
    EXPECT_EQ(names(cp.rxGroupLists()), (std::vector<std::string>{"Groups", "Just WW"}));
    EXPECT_EQ(rxGroupMembers(*cp.rxGroupListAt(0)), (std::vector<int>{1, 3}));

    ASSERT_EQ(cp.scanLists().count(), 1);
    EXPECT_EQ(cp.scanListAt(0)->name(), "Scan All");
    EXPECT_EQ(scanListMembers(*cp.scanListAt(0)), (std::vector<int>{1, 2, 3}));

    // Decoding again replaces the model rather than adding to it.
    ASSERT_TRUE(decoded.codeplug->decode());
    EXPECT_EQ(cp.contacts().count(), 3);
    EXPECT_EQ(cp.channels().count(), 3);
    EXPECT_EQ(cp.zones().count(), 2);
    EXPECT_EQ(cp.rxGroupLists().count(), 2);
    EXPECT_EQ(cp.scanLists().count(), 1);
    EXPECT_EQ(cp.channelAt(1)->rxGroupList(), 2);
}

// ---- The open-edit-save cycle ----

TEST_P(RdbCodecByVersion, UneditedImageIsSavedByteForByte)
{
    const auto fixture = populated(GetParam());
    Decoded decoded(fixture);
    EXPECT_EQ(decoded.save(), fixture.bytes());
    EXPECT_FALSE(decoded.codeplug->changed());
}

TEST_P(RdbCodecByVersion, EditsSurviveSaveAndReopen)
{
    const FormatId format = GetParam();
    Decoded decoded(populated(format));
    Codeplug& cp = *decoded.codeplug;

    Contact added = newContact(format);
    added.setName("Bob");
    added.setDmrId(2620002);
    ASSERT_EQ(cp.addContact(added), AddResult::Added);
    Channel channel = newChannel(format, 433.45);
    channel.setName("New DMR");
    channel.setMode(ChannelMode::Dmr);
    channel.setTxContact(4);
    channel.setRxGroupList(2);
    ASSERT_EQ(cp.addChannel(channel), AddResult::Added);
    ASSERT_TRUE(cp.zoneAt(1)->addMember(cp.memberNumberOf(3)));
    cp.zoneAt(0)->setName("Renamed");
    ASSERT_TRUE(cp.newRxGroupList("Third"));
    ASSERT_TRUE(cp.rxGroupListAt(2)->addMember(3 + 1));
    ScanList scan = newScanList(format);
    scan.setName("Second scan");
    ASSERT_TRUE(scan.addMember(cp.memberNumberOf(3)));
    ASSERT_TRUE(cp.addScanList(scan));
    cp.channelAt(3)->setScanList(2);
    cp.markChanged();

    const auto again = decoded.saveAndReopen();
    EXPECT_FALSE(cp.changed());
    EXPECT_EQ(again->errorCount(), 0) << again->errorLogText();
    ASSERT_EQ(again->contacts().count(), 4);
    EXPECT_EQ(again->contactAt(3)->name(), "Bob");
    EXPECT_EQ(again->contactAt(3)->dmrId(), 2620002u);
    ASSERT_EQ(again->channels().count(), 4);
    const Channel& reread = *again->channelAt(3);
    EXPECT_EQ(reread.name(), "New DMR");
    EXPECT_EQ(reread.slotNumber(), 4);
    EXPECT_EQ(reread.txContact(), 4);
    EXPECT_EQ(reread.contactNameCache(), "Bob");
    EXPECT_EQ(reread.rxGroupList(), 2);
    EXPECT_EQ(reread.scanList(), 2);
    EXPECT_DOUBLE_EQ(reread.rxFrequency(), 433.45);
    EXPECT_EQ(again->zoneAt(0)->name(), "Renamed");
    EXPECT_EQ(zoneMembers(*again->zoneAt(1)), (std::vector<int>{3, 2, 4}));
    EXPECT_EQ(names(again->rxGroupLists()), (std::vector<std::string>{"Groups", "Just WW", "Third"}));
    EXPECT_EQ(rxGroupMembers(*again->rxGroupListAt(2)), (std::vector<int>{4}));
    EXPECT_EQ(names(again->scanLists()), (std::vector<std::string>{"Scan All", "Second scan"}));
    EXPECT_EQ(scanListMembers(*again->scanListAt(1)), (std::vector<int>{4}));
    EXPECT_EQ(std::filesystem::file_size(decoded.dir.file("reopened.rdb")), rdb::fileLength(format, 4));
}

TEST_P(RdbCodecByVersion, DeletedContactsShortenTheFile)
{
    const FormatId format = GetParam();
    Decoded decoded(populated(format));
    decoded.codeplug->deleteContact(2);
    decoded.codeplug->deleteContact(1);
    const auto saved = decoded.save();
    const auto& layout = rdbCodec(*decoded.codeplug).layout();
    EXPECT_EQ(saved.size(), layout.minimumLength);
    EXPECT_EQ(getUIntLe(saved, layout.contactCount, layout.contactCountWidth), 1u);
}

TEST_P(RdbCodecByVersion, ContactCountIsWrittenInTheWidthOfTheVersion)
{
    const FormatId format = GetParam();
    auto fixture = populated(format);
    const auto count = fixture.layout().contactCount;
    fixture.bytes()[count + 2] = 0x00;
    fixture.bytes()[count + 3] = 0xAB;
    Decoded decoded(fixture);
    decoded.codeplug->contacts().at(0)->setName("Touched");
    const auto saved = decoded.save();
    EXPECT_EQ(getU16Le(saved, count), 3u);
    // 0x2001 keeps a 16-bit count; the others a 24-bit count followed by a zero byte.
    EXPECT_EQ(saved[count + 3], format == RdbV1Format ? 0xAB : 0x00);
}

TEST_P(RdbCodecByVersion, ZeroContactsDecodeWithOneErrorAndSaveAFileThatOpensAgain)
{
    const FormatId format = GetParam();
    RdbFixture fixture(format);
    const int slot = fixture.addChannel(fixture.analogChannel("Only", 145.0));
    fixture.addZone(fixture.zone("Zone", {slot}));
    Decoded decoded(fixture);
    EXPECT_EQ(decoded.codeplug->errorCount(), 1);
    EXPECT_EQ(decoded.codeplug->errorLogText(), "No digital contacts are in this codeplug.\r\n");
    EXPECT_EQ(decoded.codeplug->channels().count(), 1);

    const auto again = decoded.saveAndReopen();
    EXPECT_EQ(std::filesystem::file_size(decoded.dir.file("reopened.rdb")), fixture.layout().minimumLength);
    EXPECT_EQ(again->channels().count(), 1);
    EXPECT_EQ(again->errorCount(), 1);
}

TEST_P(RdbCodecByVersion, ChannelEditWritesTheSlotAndLeavesTheNameEntrysLastFourBytes)
{
    auto fixture = populated(GetParam());
    const auto nameEntry = fixture.layout().channelNameAt(2);
    for (std::size_t i = 12; i < 16; ++i)
        fixture.bytes()[nameEntry + i] = 0xA5;
    Decoded decoded(fixture);
    Channel& channel = *decoded.codeplug->channelAt(1);
    channel.setName("Edited name");
    channel.setColorCode(7);
    decoded.codeplug->markChanged();
    const auto saved = decoded.save();
    // The family record holds the 32-byte record and then the 12 bytes of the packed name.
    const auto& bytes = channel.familyRecord();
    EXPECT_TRUE(std::equal(bytes.begin() + 32, bytes.end(), saved.begin() + static_cast<std::ptrdiff_t>(nameEntry)));
    for (std::size_t i = 12; i < 16; ++i)
        EXPECT_EQ(saved[nameEntry + i], 0xA5) << i;
    const auto record = fixture.layout().channelRecordAt(2);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 32, saved.begin() + static_cast<std::ptrdiff_t>(record)));
    EXPECT_EQ(getU8(saved, record + 16) & 0x0F, 7);
}

// ---- Zones ----

TEST_P(RdbCodecByVersion, EmptyNamedZoneEndsTheZonesAndLaterRecordsAreClearedOnSave)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    const int slot = f.addChannel(f.analogChannel("Ch", 145.0));
    f.addZone(f.zone("First", {slot}));
    f.addZone(f.zone("", {slot}));
    f.addZone(f.zone("Behind", {slot}));
    Decoded decoded(f);
    EXPECT_EQ(names(decoded.codeplug->zones()), (std::vector<std::string>{"First"}));

    decoded.codeplug->markChanged();
    const auto saved = decoded.save();
    const Zone empty = newZone(GetParam());
    for (int i = 1; i < 250; ++i) {
        const auto at = f.layout().zoneRecordAt(i);
        ASSERT_TRUE(std::equal(empty.familyRecord().begin(), empty.familyRecord().end(), saved.begin() + static_cast<std::ptrdiff_t>(at)))
            << "zone record " << i;
    }
}

TEST_P(RdbCodecByVersion, ZoneMemberWithoutChannelIsRemovedAndLoggedScanListMembersAreNotChecked)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    const int slot = f.addChannel(f.analogChannel("Ch", 145.0));
    f.addZone(f.zone("Zone A", {9, slot}));
    f.addScanList(f.scanList("Scan A", {999, slot}));
    Decoded decoded(f);
    EXPECT_EQ(decoded.codeplug->errorLogText(),
              "Invalid channel index 8 in zone 'Zone A'; channel reference ignored, and zone corrected.\r\n");
    EXPECT_EQ(decoded.codeplug->errorCount(), 1);
    EXPECT_EQ(zoneMembers(*decoded.codeplug->zoneAt(0)), (std::vector<int>{slot}));
    EXPECT_EQ(getU8(decoded.codeplug->zoneAt(0)->familyRecord(), 36), 1);  // the count byte
    EXPECT_EQ(scanListMembers(*decoded.codeplug->scanListAt(0)), (std::vector<int>{999, slot}));
}

// ---- References through the order tables ----

TEST_P(RdbCodecByVersion, RxGroupOrderTableTwoOneSwapsTheChannelReferences)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "TG 1", CallType::GroupCall));
    f.addContact(f.contact(2, "TG 2", CallType::GroupCall));
    f.putRxGroupRecord(1, f.rxGroupList("Record one", {1}));
    f.putRxGroupRecord(2, f.rxGroupList("Record two", {2}));
    f.setRxGroupOrder({2, 1});
    f.addChannel(f.digitalChannel("To two", 439.0, 1, 2));
    f.addChannel(f.digitalChannel("To one", 439.1, 1, 1));
    Decoded decoded(f);
    const Codeplug& cp = *decoded.codeplug;
    EXPECT_EQ(cp.errorCount(), 0) << cp.errorLogText();
    EXPECT_EQ(names(cp.rxGroupLists()), (std::vector<std::string>{"Record two", "Record one"}));
    EXPECT_EQ(cp.channelAt(0)->rxGroupList(), 1);
    EXPECT_EQ(cp.channelAt(1)->rxGroupList(), 2);

    // Saved, the lists are records 1..n in model order and the references their record numbers.
    decoded.codeplug->markChanged();
    const auto saved = decoded.save();
    const auto& layout = f.layout();
    EXPECT_EQ(getU16Le(saved, layout.rxGroupCount), 2u);
    EXPECT_EQ(saved[layout.rxGroupOrderTable], 1);
    EXPECT_EQ(saved[layout.rxGroupOrderTable + 1], 2);
    EXPECT_EQ(getUtf16Name(saved, layout.rxGroupRecordAt(1) + 4, 16), "Record two");
    EXPECT_EQ(getU8(saved, layout.channelRecordAt(cp.channelAt(0)->slotNumber()) + 22), 1);
    EXPECT_EQ(getU8(saved, layout.channelRecordAt(cp.channelAt(1)->slotNumber()) + 22), 2);
}

TEST_P(RdbCodecByVersion, ScanListReferencesFollowTheOrderTableAndTheLastRepeatWins)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    f.putScanListRecord(1, f.scanList("Record one", {}));
    f.putScanListRecord(2, f.scanList("Record two", {}));
    f.setScanListOrder({2, 1, 2});
    f.addChannel(f.digitalChannel("Scans two", 439.0, 0, 0, 2));
    Channel analog = f.analogChannel("Scans one", 145.0);
    analog.setScanList(1);
    f.addChannel(analog);
    Decoded decoded(f);
    const Codeplug& cp = *decoded.codeplug;
    EXPECT_EQ(names(cp.scanLists()), (std::vector<std::string>{"Record two", "Record one", "Record two"}));
    EXPECT_EQ(cp.channelAt(0)->scanList(), 3);
    EXPECT_EQ(cp.channelAt(1)->scanList(), 2);
}

TEST_P(RdbCodecByVersion, ListWithEmptyNameEndsItsTable)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    f.addRxGroupList(f.rxGroupList("Kept", {1}));
    f.addRxGroupList(f.rxGroupList("", {1}));
    f.addRxGroupList(f.rxGroupList("Lost", {1}));
    f.addScanList(f.scanList("Kept", {}));
    f.addScanList(f.scanList("", {}));
    f.addScanList(f.scanList("Lost", {}));
    Decoded decoded(f);
    EXPECT_EQ(names(decoded.codeplug->rxGroupLists()), (std::vector<std::string>{"Kept"}));
    EXPECT_EQ(names(decoded.codeplug->scanLists()), (std::vector<std::string>{"Kept"}));
}

TEST_P(RdbCodecByVersion, InvalidReferencesOfChannelsAreLoggedAndSetToNone)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "One"));
    f.addContact(f.contact(2, "Two"));
    f.addRxGroupList(f.rxGroupList("Group", {1}));
    f.addScanList(f.scanList("Scan", {}));
    f.addChannel(f.digitalChannel("Bad contact", 439.0, 5, 1, 1));
    f.addChannel(f.digitalChannel("Bad lists", 439.1, 2, 7, 9));
    Decoded decoded(f);
    const Codeplug& cp = *decoded.codeplug;
    EXPECT_EQ(cp.errorLogText(),
              "Error: Invalid contact index of 5 in digital channel 'Bad contact' -- now set to NONE.\r\n"
              "Error: Invalid Rx Group index of 7 in digital channel 'Bad lists' -- now set to NONE.\r\n"
              "Error: Invalid scan list index of 9 in channel 'Bad lists' -- now set to NONE.\r\n");
    EXPECT_EQ(cp.errorCount(), 3);
    EXPECT_EQ(cp.channelAt(0)->txContact(), 0);
    EXPECT_EQ(cp.channelAt(0)->contactNameCache(), "");
    EXPECT_EQ(cp.channelAt(0)->rxGroupList(), 1);
    EXPECT_EQ(cp.channelAt(1)->txContact(), 2);
    EXPECT_EQ(cp.channelAt(1)->contactNameCache(), "Two");
    EXPECT_EQ(cp.channelAt(1)->rxGroupList(), 0);
    EXPECT_EQ(cp.channelAt(1)->scanList(), 0);
}

TEST_P(RdbCodecByVersion, RxGroupMemberWithoutContactIsLoggedAndKept)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "One"));
    f.addContact(f.contact(2, "Two"));
    f.addRxGroupList(f.rxGroupList("Group", {2, 5, 1}));
    Decoded decoded(f);
    EXPECT_EQ(decoded.codeplug->errorLogText(), "Invalid digital contact index 4 in RxGroup 'Group'\r\n");
    EXPECT_EQ(decoded.codeplug->errorCount(), 1);
    EXPECT_EQ(rxGroupMembers(*decoded.codeplug->rxGroupListAt(0)), (std::vector<int>{2, 5, 1}));
}

// ---- Damaged images: nothing outside a table is followed ----

TEST_P(RdbCodecByVersion, SlotsOutsideTheTablesOrRepeatedAreIgnoredAndTheTableIsRewrittenOnSave)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    f.putChannelSlot(1, f.analogChannel("Slot one", 145.0));
    f.putChannelSlot(2, f.analogChannel("Slot two", 145.1));
    const auto highest = static_cast<std::uint16_t>(f.layout().highestSlot());
    f.setSlotOrder({2, 0, static_cast<std::uint16_t>(highest + 1), 0xFFFF, 2, 1});
    Decoded decoded(f);
    const Codeplug& cp = *decoded.codeplug;
    EXPECT_EQ(names(cp.channels()), (std::vector<std::string>{"Slot two", "Slot one"}));
    EXPECT_EQ(cp.errorLogText(),
              "Error: Invalid channel slot 0 at entry 2 of the channel order table -- entry ignored.\r\n"
              "Error: Invalid channel slot " + std::to_string(highest + 1) +
                  " at entry 3 of the channel order table -- entry ignored.\r\n"
              "Error: Invalid channel slot 65535 at entry 4 of the channel order table -- entry ignored.\r\n"
              "Error: Invalid channel slot 2 at entry 5 of the channel order table -- entry ignored.\r\n");
    EXPECT_EQ(cp.errorCount(), 4);

    const auto again = decoded.saveAndReopen();
    EXPECT_EQ(again->errorCount(), 0) << again->errorLogText();
    EXPECT_EQ(rdbCodec(*again).slotOrderTable(), (std::vector<std::uint16_t>{2, 1}));
}

TEST_P(RdbCodecByVersion, HighestSlotLiesWithinTheChannelTables)
{
    const auto layout = RdbLayout::forFormat(GetParam());
    const int highest = layout.highestSlot();
    EXPECT_GE(highest, channelCapacity(GetParam()));
    EXPECT_LE(layout.channelRecordAt(highest) + 32, layout.slotOrderTable);
    EXPECT_LE(layout.channelNameAt(highest) + 16, layout.channelRecordAt(0) + 32);
    EXPECT_GT(layout.channelRecordAt(highest + 1) + 32, layout.slotOrderTable);
}

TEST_P(RdbCodecByVersion, ChannelCountAboveTheCapacityReadsOnlyTheCapacity)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    const int capacity = channelCapacity(GetParam());
    std::vector<std::uint16_t> slots;
    for (int s = 1; s <= capacity + 1; ++s)
        slots.push_back(static_cast<std::uint16_t>(s));
    f.setSlotOrder(slots);
    f.setSlotCount(0xFFFF);
    Decoded decoded(f);
    EXPECT_EQ(decoded.codeplug->channels().count(), capacity);
    EXPECT_EQ(decoded.codeplug->errorLogText(), "Error: Channel count of 65535 exceeds the limit of " +
                                                    std::to_string(capacity) + " channels -- " +
                                                    std::to_string(capacity) + " channels read.\r\n");
}

TEST_P(RdbCodecByVersion, ContactCountBeyondTheFileReadsOnlyTheRecordsPresent)
{
    const FormatId format = GetParam();
    RdbFixture f(format);
    f.addContact(f.contact(11, "One"));
    f.addContact(f.contact(22, "Two"));
    const std::uint32_t stored = format == RdbV1Format ? 0xFFFF : 0xFFFFFF;
    f.setContactCount(stored);
    Decoded decoded(f);
    ASSERT_EQ(decoded.codeplug->contacts().count(), 2);
    EXPECT_EQ(decoded.codeplug->contactAt(1)->dmrId(), 22u);
    EXPECT_EQ(decoded.codeplug->errorLogText(), "Error: Contact count of " + std::to_string(stored) +
                                                    " exceeds the 2 contact records in this codeplug -- 2 contacts "
                                                    "read.\r\n");
    const auto saved = decoded.save();
    EXPECT_EQ(getUIntLe(saved, f.layout().contactCount, f.layout().contactCountWidth), 2u);
}

TEST_P(RdbCodecByVersion, OrderTableEntriesOutsideTheirTablesAreIgnored)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    f.putRxGroupRecord(1, f.rxGroupList("Group", {1}));
    f.setRxGroupOrder({0, 251, 1, 255});
    f.putScanListRecord(1, f.scanList("Scan", {}));
    f.setScanListOrder({235, 1, 0});
    Decoded decoded(f);
    const Codeplug& cp = *decoded.codeplug;
    EXPECT_EQ(names(cp.rxGroupLists()), (std::vector<std::string>{"Group"}));
    EXPECT_EQ(names(cp.scanLists()), (std::vector<std::string>{"Scan"}));
    EXPECT_EQ(cp.errorLogText(),
              "Error: Invalid Rx Group record 0 at entry 1 of the Rx Group order table -- entry ignored.\r\n"
              "Error: Invalid Rx Group record 251 at entry 2 of the Rx Group order table -- entry ignored.\r\n"
              "Error: Invalid Rx Group record 255 at entry 4 of the Rx Group order table -- entry ignored.\r\n"
              "Error: Invalid scan list record 235 at entry 1 of the scan list order table -- entry ignored.\r\n"
              "Error: Invalid scan list record 0 at entry 3 of the scan list order table -- entry ignored.\r\n");
    EXPECT_EQ(cp.errorCount(), 5);
}

TEST_P(RdbCodecByVersion, RxGroupCountIsReadAsAtMost250)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    f.putRxGroupRecord(1, f.rxGroupList("Group", {1}));
    f.setRxGroupOrder(std::vector<std::uint8_t>(300, 1));
    f.setRxGroupCount(0xFFFF);
    Decoded decoded(f);
    EXPECT_EQ(decoded.codeplug->rxGroupLists().count(), 250);
    EXPECT_EQ(decoded.codeplug->errorCount(), 0);
}

TEST_P(RdbCodecByVersion, ScanListCountAbove234ReadsAtMost234)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    f.putScanListRecord(1, f.scanList("Scan", {}));
    f.setScanListOrder(std::vector<std::uint8_t>(250, 1));
    Decoded decoded(f);
    EXPECT_EQ(decoded.codeplug->scanLists().count(), 234);
    EXPECT_EQ(decoded.codeplug->errorLogText(),
              "Error: Scan list count of 250 exceeds the 234 scan lists this codeplug holds -- 234 scan lists "
              "read.\r\n");
}

TEST_P(RdbCodecByVersion, EncoderNeverWritesAScanListOverTheCountWord)
{
    RdbFixture f(GetParam());
    f.addContact(f.contact(1, "C"));
    Decoded decoded(f);
    Codeplug& cp = *decoded.codeplug;
    const auto& layout = rdbCodec(cp).layout();
    for (int i = 0; i < 234; ++i) {
        ScanList list = newScanList(GetParam());
        list.setName("Scan " + std::to_string(i + 1));
        ASSERT_TRUE(cp.addScanList(list)) << i;
    }
    ScanList extra = newScanList(GetParam());
    extra.setName("One too many");
    EXPECT_FALSE(cp.addScanList(extra));
    // Lists that reach the model some other way are not written past the last record either.
    for (int i = 0; i < 16; ++i)
        cp.scanLists().append(std::make_unique<ScanList>(extra));
    cp.encode();

    const auto& image = rdbCodec(cp).image();
    EXPECT_EQ(layout.scanListRecordAt(235), layout.scanListCount);
    EXPECT_EQ(getU16Le(image, layout.scanListCount), 234u);
    for (std::size_t j = 0; j < 234; ++j)
        ASSERT_EQ(image[layout.scanListOrderTable + j], j + 1) << j;
    EXPECT_EQ(image[layout.scanListOrderTable + 234], 0);

    const auto again = decoded.saveAndReopen();
    EXPECT_EQ(again->scanLists().count(), 234);
    EXPECT_EQ(again->scanListAt(233)->name(), "Scan 234");
    EXPECT_EQ(again->errorCount(), 0) << again->errorLogText();
}

TEST_P(RdbCodecByVersion, TruncatedOrForeignCodeplugIsNotDecoded)
{
    Codeplug empty;
    EXPECT_FALSE(empty.decode());
    // The RDB probes never take a file of another family, so the RDB codec never sees one.
    const auto bytes = test::buildFixture(Md380Format);
    const FileContent tyt{bytes, bytes.size()};
    EXPECT_FALSE(rdb::isV1File(tyt) || rdb::isV11File(tyt) || rdb::isV2File(tyt));
}

// ---- File length ----

TEST(RdbFileLength, EndsAfterTheLastContactButNeverBeforeTheShortestFile)
{
    EXPECT_EQ(rdb::fileLength(RdbV1Format, 100), 0x44000u + 1600u);
    EXPECT_EQ(rdb::fileLength(RdbV11Format, 1), 0x65010u);
    EXPECT_EQ(rdb::fileLength(RdbV2Format, 0), 0x69010u);
    EXPECT_EQ(rdb::fileLength(RdbV2Format, 130000), 0x69000u + 16u * 130000u);
}

TEST(RdbCodec, HundredContactsOf0x2001SaveTo0x44000Plus1600Bytes)
{
    RdbFixture f(RdbV1Format);
    for (int i = 0; i < 100; ++i)
        f.addContact(f.contact(static_cast<std::uint32_t>(1000 + i), "Contact " + std::to_string(i)));
    // A file longer than its contact table is cut after the last contact record.
    f.setFileLength(0x50000);
    Decoded decoded(f);
    ASSERT_EQ(decoded.codeplug->contacts().count(), 100);
    const auto saved = decoded.save();
    EXPECT_EQ(saved.size(), 0x44000u + 1600u);
    EXPECT_TRUE(std::equal(saved.begin(), saved.end(), f.bytes().begin()));
}

TEST(RdbCodec, V2ImageWith130000ContactsGoesThroughTheWholeCycle)
{
    RdbFixture f(RdbV2Format);
    for (int i = 0; i < 130000; ++i)
        f.addContact(f.contact(static_cast<std::uint32_t>(3000000 + i), "C" + std::to_string(i)));
    f.addChannel(f.digitalChannel("Last contact", 439.0, 130000));
    Decoded decoded(f);
    Codeplug& cp = *decoded.codeplug;
    ASSERT_EQ(cp.contacts().count(), 130000);
    EXPECT_EQ(cp.errorCount(), 0) << cp.errorLogText().substr(0, 200);
    EXPECT_EQ(cp.channelAt(0)->txContact(), 130000);
    EXPECT_EQ(cp.channelAt(0)->contactNameCache(), "C129999");

    Contact extra = newContact(RdbV2Format);
    extra.setDmrId(99);
    EXPECT_EQ(cp.addContact(extra), AddResult::TableFullRefused);
    cp.contactAt(129999)->setName("Renamed");
    cp.markChanged();
    const auto again = decoded.saveAndReopen();
    EXPECT_EQ(std::filesystem::file_size(decoded.dir.file("reopened.rdb")), 0x69000u + 16u * 130000u);
    ASSERT_EQ(again->contacts().count(), 130000);
    EXPECT_EQ(again->contactAt(129999)->name(), "Renamed");
}

TEST(RdbCodec, ContactsBeyondTheCapacityAreNotWritten)
{
    RdbFixture f(RdbV1Format);
    f.addContact(f.contact(1, "C"));
    Decoded decoded(f);
    Codeplug& cp = *decoded.codeplug;
    Contact filler = newContact(RdbV1Format);
    for (int i = 0; i < 65536; ++i)
        cp.contacts().append(std::make_unique<Contact>(filler));
    cp.encode();
    auto& codec = rdbCodec(cp);
    EXPECT_EQ(getU16Le(codec.image(), codec.layout().contactCount), 65535u);
    EXPECT_EQ(codec.imageLength(), 0x44000u + 16u * 65535u);
}

} // namespace
} // namespace pw
