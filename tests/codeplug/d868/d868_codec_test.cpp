// SPDX-License-Identifier: GPL-3.0-or-later
// The D868 codec: decode of every section into the model, the save that builds the file from the
// model and the kept sections, and the damaged files that must fail cleanly.
#include "codeplug/d868/d868_codec.h"

#include "codeplug/byte_field.h"
#include "codeplug/codeplug.h"
#include "codeplug/d868/d868_map.h"
#include "codeplug/d868/d868_records.h"
#include "codeplug/record_factory.h"
#include "support/d868_fixture.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace pw {
namespace {

using test::D868Fixture;
using test::D868FixtureChannel;
using test::D868FixtureContact;
using test::D868FixtureLayout;

D868Data& dataOf(const Codeplug& codeplug) { return static_cast<d868::D868Codec&>(codeplug.codec()).data(); }

// The word after a channel's 212-byte block, carried through unchanged.
int recordTail(const Channel& channel) { return getU16Le(channel.familyRecord(), d868::ChannelBlockSize); }

// Decodes bytes already in memory into a fresh codeplug, as the codec of an opened file does. The
// bytes must hold the header and the count table, as the probe makes sure for an opened file.
bool decodeBytes(Codeplug& codeplug, ConstBytes bytes)
{
    d868::D868Codec codec(FileContent{std::vector<std::uint8_t>(bytes.begin(), bytes.end()), bytes.size()});
    return codec.decode(codeplug);
}

D868FixtureChannel channel(int number, std::string name, bool digital = false, std::uint32_t contact = 0)
{
    D868FixtureChannel result;
    result.recordNumber = number;
    result.name = std::move(name);
    result.rxMhz = 430.0 + number * 0.0125;
    result.digital = digital;
    result.contact = contact;
    return result;
}

D868FixtureContact contact(std::uint32_t number, std::uint32_t id, std::string name, int callType = 1)
{
    D868FixtureContact result;
    result.recordNumber = number;
    result.dmrId = id;
    result.name = std::move(name);
    result.callType = callType;
    return result;
}

// A file with something in every section.
D868Fixture populated()
{
    D868Fixture fixture;
    fixture.channels = {channel(1, "Simplex"), channel(2, "TG Local", true, 0), channel(3, "TG World", true, 1),
                        channel(4, "Repeater"), channel(4001, "VFO A"), channel(4002, "VFO B")};
    fixture.channels[2].scanList = 0;
    fixture.channels[2].rxGroup = 1;
    fixture.channels[3].tail = 0xBEEF;
    fixture.radioIds = {{1234567, "FIXTURE"}, {7654321, "SECOND"}};
    fixture.zones = {{"Zone A", {0, 1, 2}}, {"Zone B", {3, 1}}};
    fixture.scanLists = {{"Scan 1", {0, 2}}};
    fixture.section7Records = 3;
    fixture.talkgroups = {contact(1, 91, "World"), contact(2, 2621, "Local"), contact(3, 9, "Area")};
    fixture.talkgroups[0].city = "Everywhere";
    fixture.talkgroups[1].alertTone = 1;
    for (std::uint32_t i = 1; i <= 5; ++i) {
        auto person = contact(i, 3100000 + i, "Person " + std::to_string(i), 0);
        person.callsign = "K" + std::to_string(i) + "ABC";
        person.city = "City";
        person.state = "State";
        person.country = "Country";
        person.remarks = "Remark";
        fixture.digitalContacts.push_back(person);
    }
    fixture.section10Records[0] = 2;
    fixture.section10Records[1] = 1;
    fixture.section10Records[2] = 1;
    fixture.section11Records[0] = 1;
    fixture.section11Records[1] = 2;
    fixture.section11Records[2] = 1;
    fixture.section12Records = 2;
    fixture.section13Blocks = {{1, 2, 3}, {}};
    fixture.rxGroups = {{"RX 1", {0, 2}}};
    const std::string tail = "NEWER VENDOR DATA";
    fixture.trailingBytes.assign(tail.begin(), tail.end());
    return fixture;
}

// The whole model as text, to compare two decodes.
std::string describe(const Codeplug& codeplug)
{
    std::ostringstream out;
    auto bytes = [&out](ConstBytes block) {
        for (const auto b : block)
            out << static_cast<int>(b) << ' ';
        out << '\n';
    };
    // Contacts keep their values only; the file numbers them when it is saved.
    for (const auto& c : codeplug.contacts())
        out << c->toLine() << " tg=" << c->isTalkgroup() << '\n';
    for (const auto& c : codeplug.channels()) {
        out << c->name() << " contact=" << c->txContact() << " cache=" << c->contactNameCache() << ' ';
        bytes(c->familyRecord());
    }
    for (const auto& z : codeplug.zones())
        bytes(z->familyRecord());
    for (const auto& s : codeplug.scanLists())
        bytes(s->familyRecord());
    for (const auto& r : codeplug.rxGroupLists()) {
        out << r->memberCount() << ' ';
        bytes(r->familyRecord());
    }
    out << codeplug.radioName().value_or("") << ' ' << codeplug.radioDmrId() << '\n';
    return out.str();
}

class D868Codec : public ::testing::Test {
protected:
    std::filesystem::path write(const std::vector<std::uint8_t>& bytes, const std::string& name = "plug.rdt")
    {
        const auto path = dir.file(name);
        test::writeBytes(path, bytes);
        return path;
    }

    // Opens and decodes; the decode result must be `decoded`.
    std::unique_ptr<Codeplug> load(const std::vector<std::uint8_t>& bytes, bool decoded = true)
    {
        auto codeplug = std::make_unique<Codeplug>();
        EXPECT_EQ(codeplug->open(write(bytes)), D868Format);
        EXPECT_EQ(codeplug->decode(), decoded) << codeplug->errorLogText();
        return codeplug;
    }

    std::vector<std::uint8_t> save(Codeplug& codeplug)
    {
        const auto path = dir.file("saved.rdt");
        EXPECT_TRUE(codeplug.save(path));
        return test::readBytes(path);
    }

    test::TempDir dir;
};

// ---- Decode ----

TEST_F(D868Codec, EverySectionFillsTheModel)
{
    auto codeplug = load(test::buildD868Fixture(populated()));
    EXPECT_EQ(codeplug->errorCount(), 0) << codeplug->errorLogText();
    ASSERT_EQ(codeplug->channels().count(), 4);  // 4001 and 4002 are kept apart
    EXPECT_EQ(codeplug->channelAt(0)->name(), "Simplex");
    EXPECT_EQ(codeplug->channelAt(2)->txContact(), 2);
    EXPECT_EQ(codeplug->channelAt(2)->contactNameCache(), "Local");
    EXPECT_EQ(codeplug->channelAt(2)->scanList(), 1);
    EXPECT_EQ(recordTail(*codeplug->channelAt(3)), 0xBEEF);

    ASSERT_EQ(codeplug->contacts().count(), 8);
    EXPECT_TRUE(codeplug->contactAt(2)->isTalkgroup());
    EXPECT_FALSE(codeplug->contactAt(3)->isTalkgroup());
    EXPECT_EQ(codeplug->contactAt(0)->city(), "Everywhere");
    EXPECT_EQ(codeplug->contactAt(1)->alertTone(), true);
    EXPECT_EQ(codeplug->contactAt(7)->toLine(),
              "\"3100005\",\"Person 5\",\"Private Call\",\"No\",\"K5ABC\",\"City\",\"State\",\"Country\",\"Remark\"");

    ASSERT_EQ(codeplug->zones().count(), 2);
    EXPECT_EQ(codeplug->zoneAt(1)->name(), "Zone B");
    EXPECT_EQ(codeplug->zoneAt(1)->memberCount(), 2);
    EXPECT_EQ(codeplug->zoneAt(1)->member(0), 4);
    EXPECT_EQ(codeplug->zoneAt(1)->member(1), 2);
    ASSERT_EQ(codeplug->scanLists().count(), 1);
    EXPECT_EQ(codeplug->scanListAt(0)->member(1), 3);
    ASSERT_EQ(codeplug->rxGroupLists().count(), 1);
    EXPECT_EQ(codeplug->rxGroupListAt(0)->member(0), 1);
    EXPECT_EQ(codeplug->rxGroupListAt(0)->member(1), 3);
    EXPECT_EQ(codeplug->radioName(), "FIXTURE");
    EXPECT_EQ(codeplug->radioDmrId(), 1234567u);

    const auto& data = dataOf(*codeplug);
    EXPECT_EQ(data.specialChannels.size(), 2 * d868::ChannelRecordSize);
    EXPECT_EQ(data.radioIds.size(), 2 * d868::RadioIdRecordSize);
    EXPECT_EQ(data.section7.size(), 3 * d868::Section7RecordSize);
    EXPECT_EQ(data.sections10To12.size(), 4 * 44u + 4 * 306u + 2 * 30u);
    EXPECT_EQ(data.section13.size(), 2 * 46u + 12 + 3 + 12);
    EXPECT_EQ(data.section15.size(), d868::Section15Size);
    EXPECT_EQ(std::string(data.trailingBytes.begin(), data.trailingBytes.end()), "NEWER VENDOR DATA");
}

TEST_F(D868Codec, ChannelRecordGapsRenumberZoneAndScanListMembers)
{
    D868Fixture fixture;
    fixture.channels = {channel(1, "One"), channel(2, "Two"), channel(5, "Five")};
    fixture.zones = {{"Gappy", {4, 0, 1}}};  // 4 is record 5
    fixture.scanLists = {{"Scan", {4}}};
    auto codeplug = load(test::buildD868Fixture(fixture));
    EXPECT_EQ(codeplug->errorCount(), 0);
    ASSERT_EQ(codeplug->channels().count(), 3);
    EXPECT_EQ(codeplug->channelAt(2)->name(), "Five");
    const auto* zone = codeplug->zoneAt(0);
    ASSERT_EQ(zone->memberCount(), 3);
    EXPECT_EQ(zone->member(0), 3);
    EXPECT_EQ(zone->member(1), 1);
    EXPECT_EQ(zone->member(2), 2);
    EXPECT_EQ(codeplug->scanListAt(0)->member(0), 3);

    // Saved, the channels are numbered 1..3 and the members point at them 0-based.
    D868FixtureLayout layout;
    test::buildD868Fixture(fixture, &layout);
    const auto saved = save(*codeplug);
    EXPECT_EQ(getU16Le(saved, layout.channels + 2 * d868::ChannelRecordSize), 3);
    EXPECT_EQ(getU16Le(saved, layout.zones + 6), 2);
    EXPECT_EQ(getU16Le(saved, layout.scanLists + 134), 2);
}

TEST_F(D868Codec, MembersNamingNoChannelRecordAreRemovedAndLogged)
{
    D868Fixture fixture;
    fixture.channels = {channel(1, "One"), channel(2, "Two"), channel(5, "Five")};
    // 2 is record 3, a skipped number; 9 is past the last record. Zone Y holds both in a row.
    fixture.zones = {{"Zone X", {2, 0, 9}}, {"Zone Y", {0, 2, 9, 1}}};
    fixture.scanLists = {{"Scan X", {1, 2}}};
    auto codeplug = load(test::buildD868Fixture(fixture));
    EXPECT_EQ(codeplug->errorCount(), 5);
    EXPECT_EQ(codeplug->errorLogText(),
              "Invalid channel index 2 in zone 'Zone X'; channel reference ignored, and zone corrected.\r\n"
              "Invalid channel index 9 in zone 'Zone X'; channel reference ignored, and zone corrected.\r\n"
              "Invalid channel index 2 in zone 'Zone Y'; channel reference ignored, and zone corrected.\r\n"
              "Invalid channel index 9 in zone 'Zone Y'; channel reference ignored, and zone corrected.\r\n"
              "Invalid channel index 2 in scanlist 'Scan X'; scan list corrected.\r\n");
    ASSERT_EQ(codeplug->zoneAt(0)->memberCount(), 1);
    EXPECT_EQ(codeplug->zoneAt(0)->member(0), 1);
    EXPECT_EQ(codeplug->zoneAt(1)->members(), (std::vector<int>{1, 2}));
    ASSERT_EQ(codeplug->scanListAt(0)->memberCount(), 1);
    EXPECT_EQ(codeplug->scanListAt(0)->member(0), 2);
}

TEST_F(D868Codec, ChannelNamesAreTrimmedAndHighRecordsOtherThanTheSpecialOnesDropped)
{
    D868Fixture fixture;
    fixture.channels = {channel(1, "  Padded  "), channel(4000, "Reserved"), channel(4003, "Beyond"),
                        channel(4002, "VFO B")};
    auto codeplug = load(test::buildD868Fixture(fixture));
    ASSERT_EQ(codeplug->channels().count(), 1);
    EXPECT_EQ(codeplug->channelAt(0)->name(), "Padded");
    EXPECT_EQ(dataOf(*codeplug).specialChannels.size(), d868::ChannelRecordSize);
}

TEST_F(D868Codec, MissingRadioIdsAndZonesGetDefaultsWithOneErrorEach)
{
    D868Fixture fixture;
    fixture.radioIds.clear();
    fixture.zones.clear();
    auto codeplug = load(test::buildD868Fixture(fixture));
    EXPECT_EQ(codeplug->errorCount(), 2);
    EXPECT_EQ(codeplug->errorLogText(),
              "Error: No Radio IDs defined in codeplug. Default Radio ID 'My Radio' established at index 0.\r\n"
              "Error: No zones defined in codeplug. Default zone 'Zone 1' established.\r\n");
    EXPECT_EQ(codeplug->radioName(), "My Radio");
    EXPECT_EQ(codeplug->radioDmrId(), 12345678u);
    ASSERT_EQ(codeplug->zones().count(), 1);
    EXPECT_EQ(codeplug->zoneAt(0)->name(), "Zone 1");
    EXPECT_EQ(getU16Le(codeplug->zoneAt(0)->familyRecord(), 0), 1);  // record number
    ASSERT_EQ(codeplug->zoneAt(0)->memberCount(), 1);
    EXPECT_EQ(codeplug->zoneAt(0)->member(0), 1);
    EXPECT_EQ(dataOf(*codeplug).count(d868::RadioIdCount), 1);
    EXPECT_EQ(dataOf(*codeplug).count(d868::ZoneCount), 1);

    // The defaults are written into the saved file, which then decodes without errors.
    const auto saved = save(*codeplug);
    auto again = load(saved);
    EXPECT_EQ(again->errorCount(), 0);
    EXPECT_EQ(again->radioName(), "My Radio");
    EXPECT_EQ(again->zoneAt(0)->name(), "Zone 1");
}

TEST_F(D868Codec, TalkgroupGapsRenumberChannelContactsAndRxGroupMembers)
{
    D868Fixture fixture;
    fixture.channels = {channel(1, "To Five", true, 4), channel(2, "To Gap", true, 2), channel(3, "Beyond", true, 8)};
    fixture.talkgroups = {contact(1, 1, "One"), contact(2, 2, "Two"), contact(5, 5, "Five")};
    fixture.digitalContacts = {contact(1, 100, "Private", 0)};
    fixture.rxGroups = {{"RX", {4, 2, 0}}};
    auto codeplug = load(test::buildD868Fixture(fixture));
    EXPECT_EQ(codeplug->channelAt(0)->txContact(), 3);
    EXPECT_EQ(codeplug->channelAt(0)->contactNameCache(), "Five");
    // A contact naming a skipped number or no talkgroup is set to none (the D868 word 0).
    EXPECT_EQ(getU32Le(codeplug->channelAt(1)->familyRecord(), 50), 0u);
    EXPECT_EQ(getU32Le(codeplug->channelAt(2)->familyRecord(), 50), 0u);
    const auto* list = codeplug->rxGroupListAt(0);
    ASSERT_EQ(list->memberCount(), 2);
    EXPECT_EQ(list->member(0), 3);
    EXPECT_EQ(list->member(1), 1);
    EXPECT_EQ(codeplug->errorLogText(),
              "Error: Invalid contact index of 3 in digital channel 'To Gap' -- now set to NONE.\r\n"
              "Error: Invalid contact index of 9 in digital channel 'Beyond' -- now set to NONE.\r\n"
              "Invalid digital contact index 2 in RxGroup 'RX'\r\n");
    EXPECT_EQ(codeplug->errorCount(), 3);
}

TEST_F(D868Codec, NamesAndTextsOfEveryLengthPassThroughSeptetText)
{
    D868Fixture fixture;
    auto text = [](std::size_t length, char first) {
        std::string value;
        for (std::size_t i = 0; i < length; ++i)
            value.push_back(static_cast<char>(first + static_cast<char>(i % 20)));
        return value;
    };
    // Every length up to the longest a stream may hold: 17, 16, 9, 17, 17, 17.
    for (std::uint32_t length = 0; length <= 17; ++length) {
        auto entry = contact(length + 1, 5000 + length, text(length, 'A'), 0);
        entry.city = text(std::min<std::size_t>(length, 16), 'a');
        entry.callsign = text(std::min<std::size_t>(length, 9), 'K');
        entry.state = text(length, 'b');
        entry.country = text(length, 'c');
        entry.remarks = text(length, 'd');
        fixture.digitalContacts.push_back(entry);
    }
    auto codeplug = load(test::buildD868Fixture(fixture));
    ASSERT_EQ(codeplug->contacts().count(), 18);
    for (std::size_t length = 0; length <= 17; ++length) {
        const auto* c = codeplug->contactAt(static_cast<int>(length));
        EXPECT_EQ(c->name(), text(std::min<std::size_t>(length, 16), 'A')) << length;
        EXPECT_EQ(c->city(), text(std::min<std::size_t>(length, 16), 'a')) << length;
        EXPECT_EQ(c->callsign(), text(std::min<std::size_t>(length, 8), 'K')) << length;
        EXPECT_EQ(c->state(), text(std::min<std::size_t>(length, 16), 'b')) << length;
        EXPECT_EQ(c->country(), text(std::min<std::size_t>(length, 16), 'c')) << length;
        EXPECT_EQ(c->remarks(), text(std::min<std::size_t>(length, 16), 'd')) << length;
    }
    // What the model kept is written and read back unchanged.
    const auto before = describe(*codeplug);
    auto again = load(save(*codeplug));
    EXPECT_EQ(describe(*again), before);
}

// ---- Save ----

TEST_F(D868Codec, UnchangedFileIsWrittenBackByteForByte)
{
    const auto bytes = test::buildD868Fixture(populated());
    auto codeplug = load(bytes);
    EXPECT_EQ(save(*codeplug), bytes);
}

TEST_F(D868Codec, SavedFileDecodesToTheSameModelWithItsKeptSectionsIdentical)
{
    D868FixtureLayout layout;
    const auto bytes = test::buildD868Fixture(populated(), &layout);
    auto codeplug = load(bytes);
    // An edit in every list, so that the file is built rather than copied.
    codeplug->channelAt(0)->setName("Renamed");
    Contact added = newContact(D868Format);
    added.setName("Added");
    added.setDmrId(4444);
    ASSERT_EQ(codeplug->addContact(added), AddResult::Added);
    codeplug->zoneAt(0)->removeMember(0);
    codeplug->markChanged();
    const auto before = describe(*codeplug);
    const auto saved = save(*codeplug);
    EXPECT_FALSE(codeplug->changed());

    auto again = load(saved);
    EXPECT_EQ(again->errorCount(), 0) << again->errorLogText();
    EXPECT_EQ(describe(*again), before);
    const auto& a = dataOf(*codeplug);
    const auto& b = dataOf(*again);
    EXPECT_EQ(a.header, b.header);
    EXPECT_EQ(a.specialChannels, b.specialChannels);
    EXPECT_EQ(a.radioIds, b.radioIds);
    EXPECT_EQ(a.section7, b.section7);
    EXPECT_EQ(a.sections10To12, b.sections10To12);
    EXPECT_EQ(a.section13, b.section13);
    EXPECT_EQ(a.section15, b.section15);
    EXPECT_EQ(a.trailingBytes, b.trailingBytes);
    // The kept sections match the original file's bytes too, and the trailing bytes follow
    // section 15 at the very end.
    EXPECT_TRUE(std::equal(a.section7.begin(), a.section7.end(), bytes.begin() + static_cast<std::ptrdiff_t>(layout.section7)));
    EXPECT_TRUE(std::equal(a.section15.begin(), a.section15.end(),
                           bytes.begin() + static_cast<std::ptrdiff_t>(layout.section15)));
    const std::string tail = "NEWER VENDOR DATA";
    ASSERT_GT(saved.size(), tail.size());
    EXPECT_EQ(std::string(saved.end() - static_cast<std::ptrdiff_t>(tail.size()), saved.end()), tail);
    // Counts: C0 = 4 channels + 2 special records, C6 = 6 digital contacts; the counts the codec
    // does not own are carried through.
    EXPECT_EQ(getU32Le(saved, D868Data::HeaderSize + 0), 6u);
    EXPECT_EQ(getU32Le(saved, D868Data::HeaderSize + 4 * 6), 6u);
    EXPECT_EQ(getU32Le(saved, D868Data::HeaderSize + 4 * 10), 77u);
    EXPECT_EQ(getU32Le(saved, D868Data::HeaderSize + 4 * 15), 2u);
    EXPECT_EQ(getU32Le(saved, D868Data::HeaderSize + 4 * 42), 4242u);
    EXPECT_EQ(getU32Le(saved, D868Data::HeaderSize + 4 * 99), 0xFFFFFFFFu);
}

TEST_F(D868Codec, ChannelCountOnSaveCountsOnlyTheSpecialRecordsKept)
{
    for (const auto& specials : {std::vector<int>{}, std::vector<int>{4001}, std::vector<int>{4002},
                                 std::vector<int>{4001, 4002}}) {
        D868Fixture fixture;
        fixture.channels = {channel(1, "One"), channel(2, "Two")};
        for (const int number : specials)
            fixture.channels.push_back(channel(number, "Special " + std::to_string(number)));
        const auto bytes = test::buildD868Fixture(fixture);
        auto codeplug = load(bytes);
        codeplug->channelAt(1)->setName("Edited");
        const auto saved = save(*codeplug);
        EXPECT_EQ(getU32Le(saved, D868Data::HeaderSize), 2 + specials.size());
        // The special records follow the channels unchanged.
        const std::size_t first = D868Data::HeaderSize + D868Data::CountTableSize;
        for (std::size_t s = 0; s < specials.size(); ++s) {
            const std::size_t at = first + (2 + s) * d868::ChannelRecordSize;
            EXPECT_TRUE(std::equal(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(at + d868::ChannelRecordSize),
                                   saved.begin() + static_cast<std::ptrdiff_t>(at)));
        }
        EXPECT_EQ(load(saved)->channels().count(), 2);
    }
}

TEST_F(D868Codec, ContactUsedByAChannelIsSavedAsATalkgroup)
{
    D868Fixture fixture;
    fixture.talkgroups = {contact(1, 91, "TG 1"), contact(2, 92, "TG 2"), contact(3, 93, "TG 3")};
    for (std::uint32_t i = 4; i <= 10; ++i)
        fixture.digitalContacts.push_back(contact(i - 3, 3100000 + i, "Contact " + std::to_string(i), 0));
    fixture.channels = {channel(1, "Digital", true, 0)};
    auto codeplug = load(test::buildD868Fixture(fixture));
    ASSERT_EQ(codeplug->contacts().count(), 10);
    ASSERT_FALSE(codeplug->contactAt(6)->isTalkgroup());
    codeplug->channelAt(0)->setTxContact(7);
    codeplug->markChanged();

    D868FixtureLayout layout;
    test::buildD868Fixture(fixture, &layout);
    const auto saved = save(*codeplug);
    EXPECT_TRUE(codeplug->contactAt(6)->isTalkgroup());
    // Contact 7 is the fourth talkgroup: the channel stores 3 (0-based), C5 is 4 and C6 is 6.
    EXPECT_EQ(getU32Le(saved, layout.channels + 50), 3u);
    EXPECT_EQ(getU32Le(saved, D868Data::HeaderSize + 4 * 5), 4u);
    EXPECT_EQ(getU32Le(saved, D868Data::HeaderSize + 4 * 6), 6u);

    auto again = load(saved);
    ASSERT_EQ(again->contacts().count(), 10);
    EXPECT_EQ(again->contactAt(3)->name(), "Contact 7");
    EXPECT_TRUE(again->contactAt(3)->isTalkgroup());
    EXPECT_EQ(again->channelAt(0)->txContact(), 4);
    EXPECT_EQ(again->channelAt(0)->contactNameCache(), "Contact 7");
    EXPECT_EQ(again->contactAt(4)->name(), "Contact 4");
}

TEST_F(D868Codec, RxGroupMembersFollowTheirContactsIntoTheTalkgroupList)
{
    D868Fixture fixture;
    fixture.talkgroups = {contact(1, 91, "TG 1")};
    fixture.digitalContacts = {contact(1, 200, "A", 0), contact(2, 201, "B", 0)};
    fixture.rxGroups = {{"RX", {0}}};
    auto codeplug = load(test::buildD868Fixture(fixture));
    // Contact 3 ("B") joins the list: it becomes talkgroup 2 in the file.
    ASSERT_TRUE(codeplug->rxGroupListAt(0)->addMember(3));
    codeplug->markChanged();
    auto again = load(save(*codeplug));
    ASSERT_EQ(again->contacts().count(), 3);
    EXPECT_EQ(again->contactAt(1)->name(), "B");
    EXPECT_TRUE(again->contactAt(1)->isTalkgroup());
    const auto* list = again->rxGroupListAt(0);
    ASSERT_EQ(list->memberCount(), 2);
    EXPECT_EQ(list->member(0), 1);
    EXPECT_EQ(list->member(1), 2);
}

TEST_F(D868Codec, EmptyStreamsAreTheLengthOneAndAByteOfOne)
{
    auto codeplug = load(test::buildD868Fixture(D868Fixture{}));
    EXPECT_EQ(codeplug->contacts().count(), 0);
    D868FixtureLayout layout;
    test::buildD868Fixture(D868Fixture{}, &layout);
    codeplug->channelAt(0)->setName("Edited");
    const auto saved = save(*codeplug);
    EXPECT_EQ(getU32Le(saved, layout.talkgroups), 1u);
    EXPECT_EQ(saved[layout.talkgroups + 4], 1);
    EXPECT_EQ(getU32Le(saved, layout.digitalContacts), 1u);
    EXPECT_EQ(saved[layout.digitalContacts + 4], 1);
}

TEST_F(D868Codec, AChannelTableFilledToCapacitySavesAndOpensAgain)
{
    D868Fixture fixture;
    fixture.channels.clear();
    for (int i = 1; i <= 3998; ++i)
        fixture.channels.push_back(channel(i, "Ch " + std::to_string(i)));
    fixture.channels.push_back(channel(4001, "VFO A"));
    fixture.channels.push_back(channel(4002, "VFO B"));
    auto codeplug = load(test::buildD868Fixture(fixture));
    ASSERT_EQ(codeplug->channels().count(), 3998);
    ASSERT_EQ(codeplug->addChannel(newChannel(D868Format)), AddResult::Added);
    EXPECT_EQ(codeplug->addChannel(codeplug->newChannel(147.0)), AddResult::TableFullRefused);
    // 3999 channels and the two special records: 4001 records, which the recognition takes.
    auto again = load(save(*codeplug));
    EXPECT_EQ(again->channels().count(), 3999);
    EXPECT_EQ(dataOf(*again).specialChannels.size(), 2 * d868::ChannelRecordSize);
}

TEST_F(D868Codec, RadioIdentityEditsAreSaved)
{
    auto codeplug = load(test::buildD868Fixture(populated()));
    codeplug->setRadioName("NEW NAME");
    codeplug->setRadioDmrId(2345678);
    auto again = load(save(*codeplug));
    EXPECT_EQ(again->radioName(), "NEW NAME");
    EXPECT_EQ(again->radioDmrId(), 2345678u);
    EXPECT_EQ(dataOf(*again).radioIds.size(), 2 * d868::RadioIdRecordSize);
}

TEST_F(D868Codec, ReopenAfterASaveReadsTheSavedFile)
{
    auto codeplug = load(test::buildD868Fixture(populated()));
    codeplug->channelAt(0)->setName("Kept");
    codeplug->zones().deleteAt(1);
    codeplug->markChanged();
    ASSERT_TRUE(codeplug->save(dir.file("elsewhere.rdt")));
    // The saved file's counts changed; the count table kept for the next save follows them.
    ASSERT_EQ(codeplug->open(dir.file("elsewhere.rdt")), D868Format);
    ASSERT_TRUE(codeplug->decode()) << codeplug->errorLogText();
    EXPECT_EQ(codeplug->channelAt(0)->name(), "Kept");
    EXPECT_EQ(codeplug->zones().count(), 1);
}

// ---- Damaged files ----

// Each cut ends the decode with result 0, an empty model and one logged line.
TEST_F(D868Codec, FileEndingEarlyInAnySectionFailsTheDecode)
{
    D868FixtureLayout layout;
    const auto bytes = test::buildD868Fixture(populated(), &layout);
    const struct {
        std::size_t cut;
        const char* line;
    } cases[] = {
        {layout.channels + 5 * d868::ChannelRecordSize, "Error: The codeplug file ends early, in the channel records.\r\n"},
        {layout.radioIds + 40, "Error: The codeplug file ends early, in the radio IDs.\r\n"},
        {layout.zones + 700, "Error: The codeplug file ends early, in the zones.\r\n"},
        {layout.scanLists + 10, "Error: The codeplug file ends early, in the scan lists.\r\n"},
        {layout.section7 + 100, "Error: The codeplug file ends early, in section 7.\r\n"},
        {layout.talkgroups + 2, "Error: The codeplug file ends early, in the talkgroups.\r\n"},
        {layout.talkgroups + 10, "Error: The codeplug file ends early, in the talkgroups.\r\n"},
        {layout.digitalContacts + 30, "Error: The codeplug file ends early, in the digital contacts.\r\n"},
        {layout.section10 + 100, "Error: The codeplug file ends early, in section 10.\r\n"},
        {layout.draftMessages + 306, "Failed to read draft SMS data.\r\n"},
        {layout.section13 + 50, "Error: The codeplug file ends early, in section 13.\r\n"},
        {layout.section13 + 2 * 46 + 12 + 2, "Error: The codeplug file ends early, in section 13.\r\n"},
        {layout.rxGroups + 296, "Error: The codeplug file ends early, in the RX group lists.\r\n"},
        {layout.section15 + 255, "Error: The codeplug file ends early, in section 15.\r\n"},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(c.cut));
        auto codeplug = load(cut, false);
        EXPECT_EQ(codeplug->errorLogText(), c.line) << c.cut;
        EXPECT_EQ(codeplug->errorCount(), 1);
        EXPECT_EQ(codeplug->contacts().count() + codeplug->channels().count() + codeplug->zones().count() +
                      codeplug->scanLists().count() + codeplug->rxGroupLists().count(),
                  0);
        // Nothing half-decoded is ever saved.
        EXPECT_FALSE(codeplug->save(dir.file("never.rdt")));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("never.rdt")));
}

TEST_F(D868Codec, ShortDraftMessagesAreAMessageForTheUserAsWellAsLogged)
{
    D868FixtureLayout layout;
    const auto bytes = test::buildD868Fixture(populated(), &layout);
    auto codeplug =
        load(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(layout.draftMessages + 1)), false);
    EXPECT_EQ(codeplug->takeMessages(), std::vector<std::string>{"Failed to read draft SMS data."});
    EXPECT_TRUE(codeplug->takeMessages().empty());
}

TEST_F(D868Codec, ShortLastSectionIsKeptAsFarAsItGoes)
{
    D868FixtureLayout layout;
    const auto bytes = test::buildD868Fixture(populated(), &layout);
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(layout.section15 + 256));
    auto codeplug = load(cut);
    EXPECT_EQ(dataOf(*codeplug).section15.size(), 256u);
    EXPECT_EQ(save(*codeplug), cut);
}

TEST_F(D868Codec, HostileCountsAndLengthsFailBeforeAnythingIsRead)
{
    D868FixtureLayout layout;
    const auto good = test::buildD868Fixture(populated(), &layout);
    auto patched = [&good](std::size_t offset, std::uint32_t value) {
        auto bytes = good;
        test::putU32(bytes, offset, value);
        return bytes;
    };
    auto count = [](int index) { return D868Data::HeaderSize + 4 * static_cast<std::size_t>(index); };
    const struct {
        std::vector<std::uint8_t> bytes;
        const char* line;
    } cases[] = {
        {patched(count(4), 0x7FFFFFFF), "Error: The codeplug file ends early, in section 7.\r\n"},
        {patched(count(3), 0x80000000), "Error: The count table gives a negative count C3.\r\n"},
        {patched(count(16), 0xFFFFFFFF), "Error: The count table gives a negative count C16.\r\n"},
        {patched(count(1), 0x7FFFFFFF), "Error: The codeplug file ends early, in the radio IDs.\r\n"},
        {patched(count(7), 0x7FFFFFFF), "Error: The codeplug file ends early, in section 10.\r\n"},
        {patched(count(15), 0x7FFFFFFF), "Error: The codeplug file ends early, in section 13.\r\n"},
        {patched(layout.talkgroups, 0xFFFFFFFF), "Error: The codeplug file ends early, in the talkgroups.\r\n"},
        {patched(layout.digitalContacts, 0x7FFFFFFF), "Error: The codeplug file ends early, in the digital contacts.\r\n"},
        {patched(layout.section13 + 2 * 46 + 4, 0xFFFFFFF0), "Error: The codeplug file ends early, in section 13.\r\n"},
        {patched(layout.section13 + 2 * 46, 0x00020000),
         "Error: Block 1 of section 13 has version 2; only version 1 is known.\r\n"},
    };
    for (const auto& c : cases) {
        auto codeplug = load(c.bytes, false);
        EXPECT_EQ(codeplug->errorLogText(), c.line);
    }
}

TEST_F(D868Codec, TooManyDigitalContactsFailTheDecode)
{
    // Recognition refuses C6 above 160000 already; the decoder holds the same line for bytes it is
    // given directly.
    auto bytes = test::buildD868Fixture(D868Fixture{});
    test::putU32(bytes, D868Data::HeaderSize + 4 * 6, 160001);
    Codeplug codeplug;
    EXPECT_FALSE(decodeBytes(codeplug, bytes));
    EXPECT_EQ(codeplug.errorLogText(), "Error: The codeplug file holds more than 160000 digital contacts.\r\n");
    EXPECT_EQ(codeplug.channels().count(), 0);
}

TEST_F(D868Codec, FileIsReadOnceSoAChangeOrRemovalAfterOpenDoesNotReachTheDecode)
{
    const auto bytes = test::buildD868Fixture(populated());
    const auto path = write(bytes, "moving.rdt");
    {
        Codeplug codeplug;
        ASSERT_EQ(codeplug.open(path), D868Format);
        auto changed = bytes;
        changed[D868Data::HeaderSize + 4 * 4] = 2;  // C4
        test::writeBytes(path, changed);
        EXPECT_TRUE(codeplug.decode());
        EXPECT_EQ(dataOf(codeplug).section7.size(), 3 * d868::Section7RecordSize);
    }
    {
        test::writeBytes(path, bytes);
        Codeplug codeplug;
        ASSERT_EQ(codeplug.open(path), D868Format);
        std::filesystem::remove(path);
        EXPECT_TRUE(codeplug.decode());
        EXPECT_EQ(codeplug.channels().count(), 4);
        EXPECT_TRUE(codeplug.save(dir.file("copy.rdt")));
        EXPECT_EQ(test::readBytes(dir.file("copy.rdt")), bytes);
    }
}

TEST_F(D868Codec, EveryTruncationIsReadWithinBounds)
{
    D868FixtureLayout layout;
    const auto bytes = test::buildD868Fixture(populated(), &layout);
    for (std::size_t size = 0; size < bytes.size(); size += 7) {
        const ConstBytes cut(bytes.data(), size);
        // A file without its whole header and count table never reaches the codec: its probe
        // refuses it.
        if (size < D868Data::HeaderSize + D868Data::CountTableSize) {
            EXPECT_FALSE(d868::isD868File(FileContent{std::vector<std::uint8_t>(cut.begin(), cut.end()), size})) << size;
            continue;
        }
        Codeplug codeplug;
        const bool decoded = decodeBytes(codeplug, cut);
        // Only a cut inside section 15 after its first 32 records, or in the trailing bytes, leaves
        // a whole codeplug.
        EXPECT_EQ(decoded, size >= layout.section15 + d868::Section15Required) << size;
        EXPECT_EQ(codeplug.errorCount(), decoded ? 0 : 1) << size;
    }
}

} // namespace
} // namespace pw
