// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding TYT images (0x1001, 0x1002, 0x1003): the tables fill the model, every bad reference is
// repaired and logged with its exact line, and the error count counts the lines as written.

#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"
#include "codeplug/tyt/tyt_codec.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pw {
namespace {

using test::TempDir;
using test::TytFixture;
using test::tytAnalogChannel;
using test::tytDigitalChannel;

// The fixture written to a file, opened and decoded.
struct Decoded {
    TempDir dir;
    Codeplug codeplug;

    explicit Decoded(const TytFixture& fixture)
    {
        const auto path = fixture.write(dir.file("plug.rdt"));
        EXPECT_EQ(codeplug.open(path), fixture.formatId());
        EXPECT_TRUE(codeplug.decode());
    }
};

int lineCount(const std::string& log) { return static_cast<int>(std::count(log.begin(), log.end(), '\n')); }

std::string formatName(const ::testing::TestParamInfo<FormatId>& format)
{
    return "F" + std::to_string(format.param);
}

class TytDecode : public ::testing::TestWithParam<FormatId> {
protected:
    FormatId format() const { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(TytFormats, TytDecode, ::testing::Values(Md380Format, Md2017Format, Md9600Format),
                         formatName);

TEST_P(TytDecode, FillsEveryListFromItsTable)
{
    TytFixture plug(format());
    const int worldwide = plug.addContact(91, "Worldwide");
    const int parrot = plug.addContact(9998, "Parrot", CallType::PrivateCall);
    plug.addEmergencySystem("System1");
    const int group = plug.addRxGroupList("Group", {worldwide, parrot});
    const int local = plug.addChannel(tytDigitalChannel(format(), "Local", 439.5, parrot, group, 1));
    const int fm = plug.addChannel(tytAnalogChannel(format(), "FM", 145.5, 145.1));
    plug.addScanList("Scan", {fm, local});
    plug.addZone("Home", {local, fm});
    Decoded decoded(plug);
    const auto& cp = decoded.codeplug;

    EXPECT_EQ(cp.errorCount(), 0);
    EXPECT_EQ(cp.errorLogText(), "");
    EXPECT_FALSE(cp.changed());

    ASSERT_EQ(cp.contacts().count(), 2);
    const Contact& contact = *cp.contactAt(1);
    const RecordFormats& formats = recordFormatsOf(format());
    EXPECT_EQ(&contact.format(), formats.contact);
    EXPECT_EQ(contact.dmrId(), 9998u);
    EXPECT_EQ(contact.name(), "Parrot");
    EXPECT_EQ(contact.callType(), CallType::PrivateCall);

    ASSERT_EQ(cp.channels().count(), 2);
    const Channel& digital = *cp.channelAt(0);
    EXPECT_EQ(&digital.format(), formats.channel);
    EXPECT_EQ(digital.name(), "Local");
    EXPECT_TRUE(digital.isDigital());
    EXPECT_DOUBLE_EQ(digital.rxFrequency(), 439.5);
    EXPECT_EQ(digital.txContact(), parrot);
    EXPECT_EQ(digital.contactNameCache(), "Parrot");
    EXPECT_EQ(digital.rxGroupList(), group);
    EXPECT_EQ(digital.scanList(), 1);
    const Channel& analog = *cp.channelAt(1);
    EXPECT_FALSE(analog.isDigital());
    EXPECT_DOUBLE_EQ(analog.txFrequency(), 145.1);
    EXPECT_EQ(analog.contactNameCache(), "");

    ASSERT_EQ(cp.emergencySystems().count(), 1);
    EXPECT_EQ(cp.emergencySystemAt(0)->name(), "System1");

    ASSERT_EQ(cp.rxGroupLists().count(), 1);
    const RxGroupList& list = *cp.rxGroupListAt(0);
    EXPECT_EQ(&list.format(), formats.rxGroupList);
    EXPECT_EQ(list.name(), "Group");
    ASSERT_EQ(list.memberCount(), 2);
    EXPECT_EQ(list.member(0), worldwide);
    EXPECT_EQ(list.member(1), parrot);

    ASSERT_EQ(cp.zones().count(), 1);
    const Zone& zone = *cp.zoneAt(0);
    EXPECT_EQ(&zone.format(), formats.zone);
    EXPECT_EQ(zone.name(), "Home");
    // Zones with two banks carry their extension record with them.
    EXPECT_EQ(zone.familyRecord().size(), format() != Md380Format ? 64u + 224u : 64u);
    EXPECT_EQ(zone.memberCount(), 2);
    EXPECT_EQ(zone.member(0), local);
    EXPECT_EQ(zone.member(1), fm);

    ASSERT_EQ(cp.scanLists().count(), 1);
    EXPECT_EQ(cp.scanListAt(0)->name(), "Scan");
    EXPECT_EQ(cp.scanListAt(0)->memberCount(), 2);
    EXPECT_EQ(cp.scanListAt(0)->member(0), fm);
}

TEST_P(TytDecode, BlankFixtureDecodesToEmptyListsWithoutErrors)
{
    Decoded decoded{TytFixture(format())};
    const auto& cp = decoded.codeplug;
    EXPECT_EQ(cp.contacts().count() + cp.channels().count() + cp.zones().count() + cp.scanLists().count() +
                  cp.rxGroupLists().count() + cp.emergencySystems().count(),
              0);
    EXPECT_EQ(cp.errorCount(), 0);
}

TEST_P(TytDecode, ContactFlagC0OrFFInSlotZeroLeavesNoContactsAndLogsEveryDigitalReference)
{
    for (const std::uint8_t flag : {std::uint8_t{0xC0}, std::uint8_t{0xFF}}) {
        TytFixture plug(format());
        plug.addContact(91, "Worldwide");
        plug.addContact(92, "Second");
        plug.bytes()[test::tytContactOffset(format(), 0) + 3] = flag;
        plug.addChannel(tytDigitalChannel(format(), "DigA", 439.5, 1));
        plug.addChannel(tytDigitalChannel(format(), "DigB", 439.6, 2));
        // An analog channel is not checked, whatever its contact bytes hold.
        auto analog = tytAnalogChannel(format(), "Ana", 145.5);
        analog.familyRecord()[6] = 2;
        plug.addChannel(analog);
        plug.addChannel(tytDigitalChannel(format(), "NoContact", 439.7, 0));
        Decoded decoded(plug);
        const auto& cp = decoded.codeplug;

        EXPECT_EQ(cp.contacts().count(), 0);
        EXPECT_EQ(cp.errorLogText(), "Invalid contact table index value of 1 in channel #1, 'DigA' -- now set to NONE.\r\n"
                                     "Invalid contact table index value of 2 in channel #2, 'DigB' -- now set to NONE.\r\n");
        EXPECT_EQ(cp.errorCount(), 2);
        EXPECT_EQ(cp.channelAt(0)->txContact(), 0);
        EXPECT_EQ(cp.channelAt(1)->txContact(), 0);
        EXPECT_EQ(cp.channelAt(2)->familyRecord()[6], 2);
    }
}

TEST_P(TytDecode, ContactReferencePastTheTablePrintsTheStoredValueAndBecomesNone)
{
    TytFixture plug(format());
    plug.addContact(1, "One");
    plug.addContact(2, "Two");
    plug.addContact(3, "Three");
    plug.addChannel(tytDigitalChannel(format(), "Far", 439.5, 5));
    plug.addChannel(tytDigitalChannel(format(), "Near", 439.6, 3));
    Decoded decoded(plug);
    const auto& cp = decoded.codeplug;

    EXPECT_EQ(cp.errorLogText(), "Invalid contact table index value of 5 in channel #1, 'Far' -- now set to NONE.\r\n");
    EXPECT_EQ(cp.errorCount(), 1);
    EXPECT_EQ(cp.channelAt(0)->txContact(), 0);
    EXPECT_EQ(cp.channelAt(0)->contactNameCache(), "");
    EXPECT_EQ(cp.channelAt(1)->txContact(), 3);
    EXPECT_EQ(cp.channelAt(1)->contactNameCache(), "Three");
}

TEST_P(TytDecode, ChannelReferencesPastTheirTablesPrintTheReferenceMinusOneInStepOrder)
{
    TytFixture plug(format());
    plug.addContact(1, "One");
    plug.addRxGroupList("G1", {1});
    plug.addRxGroupList("G2", {1});
    plug.addEmergencySystem("System1");
    plug.addScanList("S1", {1});
    plug.addChannel(tytDigitalChannel(format(), "Good", 439.5, 1, 2, 1));
    auto bad = tytDigitalChannel(format(), "Bad", 439.6, 1, 3, 4);
    bad.setEmergencySystem(3);
    plug.addChannel(bad);
    auto analog = tytAnalogChannel(format(), "Analog", 145.5);
    analog.setRxGroupList(7);
    plug.addChannel(analog);
    Decoded decoded(plug);
    const auto& cp = decoded.codeplug;

    EXPECT_EQ(cp.errorLogText(), "Invalid group list table index 2 in channel #2, 'Bad'\r\n"
                                 "Invalid emergency system table index 2 in channel #2, 'Bad'\r\n"
                                 "Invalid scan list table index 3 in channel #2, 'Bad'\r\n"
                                 "Invalid group list table index 6 in channel #3, 'Analog'\r\n");
    EXPECT_EQ(cp.errorCount(), 4);
    const Channel& repaired = *cp.channelAt(1);
    EXPECT_EQ(repaired.rxGroupList(), 0);
    EXPECT_EQ(repaired.emergencySystem(), 0);
    EXPECT_EQ(repaired.scanList(), 0);
    EXPECT_EQ(repaired.txContact(), 1);
    EXPECT_EQ(cp.channelAt(0)->rxGroupList(), 2);
    EXPECT_EQ(cp.channelAt(0)->scanList(), 1);
}

TEST_P(TytDecode, RxGroupMembersAreCheckedUpToTheFirstEmptyEntryAndOnlyLogged)
{
    TytFixture plug(format());
    plug.addContact(1, "One");
    plug.addRxGroupList("Gap", {2, 0, 7});
    plug.addRxGroupList("Fine", {1});
    Decoded decoded(plug);
    const auto& cp = decoded.codeplug;

    EXPECT_EQ(cp.errorLogText(), "Invalid digital contact index 1 in RxGroup 'Gap'\r\n");
    EXPECT_EQ(cp.errorCount(), 1);
    const RxGroupList& gap = *cp.rxGroupListAt(0);
    EXPECT_EQ(gap.memberCount(), 1);
    EXPECT_EQ(gap.member(0), 2);
}

TEST_P(TytDecode, ZoneAndScanListMembersWithoutChannelAreRemovedAndLogged)
{
    TytFixture plug(format());
    plug.addChannel(tytAnalogChannel(format(), "A", 145.5));
    plug.addChannel(tytAnalogChannel(format(), "B", 145.6));
    plug.addZone("Zone", {1, 40, 2});
    plug.addScanList("Scan", {40, 1, 41});
    Decoded decoded(plug);
    const auto& cp = decoded.codeplug;

    EXPECT_EQ(cp.errorLogText(), "Invalid channel index 39 in zone 'Zone'; channel reference ignored, and zone corrected.\r\n"
                                 "Invalid channel index 39 in scanlist 'Scan'; scan list corrected.\r\n"
                                 "Invalid channel index 40 in scanlist 'Scan'; scan list corrected.\r\n");
    EXPECT_EQ(cp.errorCount(), 3);
    const Zone& zone = *cp.zoneAt(0);
    EXPECT_EQ(zone.memberCount(), 2);
    EXPECT_EQ(zone.member(1), 2);
    EXPECT_EQ(cp.scanListAt(0)->memberCount(), 1);
    EXPECT_EQ(cp.scanListAt(0)->member(0), 1);
}

// Entries of a zone or scan list and what the decoder keeps of them, with 30 channels in the table.
struct MemberCheckCase {
    const char* what;
    bool zone;
    std::vector<int> entries;
    std::vector<int> kept;
    const char* log;
};

TEST_P(TytDecode, EveryMemberThatNamesNoChannelGoesAndValidOnesStay)
{
    const MemberCheckCase cases[] = {
        {"two bad zone members in a row", true, {5, 40, 41, 7}, {5, 7, 0, 0},
         "Invalid channel index 39 in zone 'List'; channel reference ignored, and zone corrected.\r\n"
         "Invalid channel index 40 in zone 'List'; channel reference ignored, and zone corrected.\r\n"},
        {"zone with an empty entry", true, {1, 0, 5}, {1, 0, 5}, ""},
        {"two bad scan-list members in a row", false, {3, 31, 45, 30}, {3, 30, 0, 0},
         "Invalid channel index 30 in scanlist 'List'; scan list corrected.\r\n"
         "Invalid channel index 44 in scanlist 'List'; scan list corrected.\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TytFixture plug(format());
        for (int i = 0; i < 30; ++i)
            plug.addChannel(tytAnalogChannel(format(), "CH" + std::to_string(i + 1), 145.0 + i * 0.025));
        if (c.zone)
            plug.addZone("List", c.entries);
        else
            plug.addScanList("List", c.entries);
        Decoded decoded(plug);
        const auto& cp = decoded.codeplug;

        EXPECT_EQ(cp.errorLogText(), c.log);
        EXPECT_EQ(cp.errorCount(), lineCount(c.log));
        for (int i = 0; i < static_cast<int>(c.kept.size()); ++i)
            EXPECT_EQ(c.zone ? cp.zoneAt(0)->member(i) : cp.scanListAt(0)->member(i), c.kept[i]) << i;
    }
}

TEST_P(TytDecode, EmptyNameOrChannelByteFFEndsATableEvenWithRecordsBehindIt)
{
    TytFixture plug(format());
    plug.addChannel(tytAnalogChannel(format(), "First", 145.5));
    plug.addChannel(tytAnalogChannel(format(), "Second", 145.6));
    plug.addChannel(tytAnalogChannel(format(), "Third", 145.7));
    plug.bytes()[test::tytChannelOffset(format(), 1)] = 0xFF;
    plug.addZone("Z1", {1});
    plug.addZone("Z2", {1});
    plug.bytes()[test::tytZoneOffset(0)] = 0;
    plug.addRxGroupList("G1", {});
    plug.addRxGroupList("G2", {});
    plug.bytes()[test::tytRxGroupOffset(1)] = 0;
    Decoded decoded(plug);
    const auto& cp = decoded.codeplug;

    EXPECT_EQ(cp.channels().count(), 1);
    EXPECT_EQ(cp.zones().count(), 0);
    EXPECT_EQ(cp.rxGroupLists().count(), 1);

    // A channel whose name is empty ends the table as well.
    TytFixture unnamed(format());
    unnamed.addChannel(tytAnalogChannel(format(), "", 145.5));
    unnamed.addChannel(tytAnalogChannel(format(), "After", 145.6));
    EXPECT_EQ(Decoded(unnamed).codeplug.channels().count(), 0);
}

TEST_P(TytDecode, EmergencySystemsStopWhereTheirTableEnds)
{
    TytFixture plug(format());
    for (int i = 0; i < test::TytEmergencySlots; ++i)
        plug.addEmergencySystem("System" + std::to_string(i + 1));
    // Whatever follows the table reads as a name; it is not an emergency system.
    test::putUtf16(plug.bytes(), 0x61A5, "NotASystem", 16);
    if (format() == Md380Format)
        plug.bytes()[0x61A5 + 3] = 0xC1;
    Decoded decoded(plug);

    ASSERT_EQ(decoded.codeplug.emergencySystems().count(), 32);
    EXPECT_EQ(decoded.codeplug.emergencySystemAt(31)->name(), "System32");
}

TEST_P(TytDecode, ZoneMembersOfBothBanksThatNameNoChannelAreRemovedAndLogged)
{
    if (format() == Md380Format)
        GTEST_SKIP() << "0x1001 zones hold 16 members";
    TytFixture plug(format());
    plug.addChannel(tytAnalogChannel(format(), "A", 145.5));
    plug.addChannel(tytAnalogChannel(format(), "B", 145.6));
    std::vector<int> bankA(16, 1);
    bankA.insert(bankA.end(), {99, 2, 98});
    plug.addZone("Zone", bankA, {97, 2, 1});
    Decoded decoded(plug);
    const auto& cp = decoded.codeplug;

    EXPECT_EQ(cp.errorLogText(), "Invalid channel index 98 in zone 'Zone'; channel reference ignored, and zone corrected.\r\n"
                                 "Invalid channel index 97 in zone 'Zone'; channel reference ignored, and zone corrected.\r\n"
                                 "Invalid channel index 96 in zone 'Zone'; channel reference ignored, and zone corrected.\r\n");
    EXPECT_EQ(cp.errorCount(), 3);
    Zone zone(*cp.zoneAt(0));
    EXPECT_EQ(zone.currentBank(), 1);
    EXPECT_EQ(zone.memberCount(), 17);
    EXPECT_EQ(zone.member(16), 2);
    zone.selectBank(2);
    EXPECT_EQ(zone.memberCount(), 2);
    EXPECT_EQ(zone.member(0), 2);
    EXPECT_EQ(zone.member(1), 1);
}

TEST_P(TytDecode, ErrorCountEqualsTheLinesOfHostileTablesAndNothingIsReadOutsideARecord)
{
    TytFixture plug(format());
    auto& bytes = plug.bytes();
    // Every table full of 0x7F: names without terminator, every reference far past its table.
    const auto fill = [&bytes](std::size_t offset, std::size_t size) {
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), size, std::uint8_t{0x7F});
    };
    fill(test::tytEmergencyOffset(0), 40 * 32);
    fill(test::tytContactOffset(format(), 0), 36 * static_cast<std::size_t>(test::tytContactSlots(format())));
    fill(test::tytChannelOffset(format(), 0), 64 * static_cast<std::size_t>(test::tytChannelSlots(format())));
    fill(test::tytRxGroupOffset(0), 96 * 250);
    fill(test::tytZoneOffset(0), 64 * 250);
    fill(test::tytScanListOffset(0), 104 * 250);
    if (format() != Md380Format)
        fill(test::tytZoneExtensionOffset(0), 224 * 250);
    // Digital channels with every reference at its largest.
    for (int i = 0; i < 10; ++i)
        bytes[test::tytChannelOffset(format(), i)] = 0x62;
    Decoded decoded(plug);
    const auto& cp = decoded.codeplug;

    EXPECT_EQ(cp.contacts().count(), test::tytContactSlots(format()));
    EXPECT_EQ(cp.channels().count(), test::tytChannelSlots(format()));
    EXPECT_EQ(cp.emergencySystems().count(), 32);
    EXPECT_EQ(cp.zones().count(), 250);
    // Sixteen units 0x7F7F: U+7F7F in UTF-8.
    std::string units;
    for (int i = 0; i < 16; ++i)
        units += "\xE7\xBD\xBF";
    EXPECT_EQ(cp.contactAt(0)->name(), units);
    EXPECT_EQ(cp.errorCount(), lineCount(cp.errorLogText()));
    EXPECT_GT(cp.errorCount(), 0);
    EXPECT_EQ(cp.channelAt(0)->txContact(), 0);
    EXPECT_EQ(cp.channelAt(0)->scanList(), 0x7F);  // 127 of 250 scan lists: a valid reference
}

TEST(TytDecodeState, NotLoadedDecodeReturnsZeroAndLeavesTheLists)
{
    Codeplug codeplug;
    codeplug.contacts().append(std::make_unique<Contact>(newContact(Md380Format)));
    EXPECT_FALSE(codeplug.decode());
    codeplug.encode();
    EXPECT_EQ(codeplug.contacts().count(), 1);
}

TEST(TytDecodeState, DecodingAgainReplacesTheListsAndTheLog)
{
    TytFixture plug(Md380Format);
    plug.addContact(1, "One");
    plug.addChannel(tytDigitalChannel(Md380Format, "Far", 439.5, 9));
    Decoded decoded(plug);
    auto& cp = decoded.codeplug;
    ASSERT_EQ(cp.errorCount(), 1);
    cp.addContact(test::tytContact(Md380Format, 2, "Two"));
    cp.markChanged();

    // The image still holds the contact reference 9: the same repair is logged once, not twice.
    ASSERT_TRUE(cp.decode());
    EXPECT_EQ(cp.contacts().count(), 1);
    EXPECT_EQ(cp.errorCount(), 1);
    EXPECT_EQ(lineCount(cp.errorLogText()), 1);
    EXPECT_FALSE(cp.changed());
}

TEST(TytDecodeState, RealVendorFilesDecodeTheirDefaultRecordsWithoutErrors)
{
    const std::filesystem::path real = PLUGWRIGHT_REAL_FIXTURES;
    if (!std::filesystem::exists(real))
        GTEST_SKIP() << "no real vendor files at " << real;
    for (const char* name : {"MD-380_400-480.rdt", "MD-2017_400-480_136-174.rdt", "MD-9600_400-480.rdt",
                             "MD-UV380_400-480_136-174.rdt"}) {
        SCOPED_TRACE(name);
        Codeplug cp;
        ASSERT_NE(cp.open(real / name), NoFormat);
        ASSERT_TRUE(cp.decode());
        EXPECT_EQ(cp.errorCount(), 0);
        EXPECT_EQ(cp.errorLogText(), "");
        ASSERT_EQ(cp.contacts().count(), 1);
        EXPECT_EQ(cp.contactAt(0)->name(), "Contact1");
        EXPECT_EQ(cp.contactAt(0)->dmrId(), 1u);
        EXPECT_EQ(cp.contactAt(0)->callType(), CallType::GroupCall);
        ASSERT_EQ(cp.channels().count(), 1);
        EXPECT_EQ(cp.channelAt(0)->name(), "Channel1");
        ASSERT_EQ(cp.zones().count(), 1);
        EXPECT_EQ(cp.zoneAt(0)->name(), "Zone1");
        ASSERT_EQ(cp.scanLists().count(), 1);
        EXPECT_EQ(cp.scanListAt(0)->name(), "ScanList1");
        ASSERT_EQ(cp.rxGroupLists().count(), 1);
        EXPECT_EQ(cp.rxGroupListAt(0)->name(), "GroupList1");
        ASSERT_EQ(cp.emergencySystems().count(), 1);
        EXPECT_EQ(cp.emergencySystemAt(0)->name(), "System1");
    }
}

} // namespace
} // namespace pw
