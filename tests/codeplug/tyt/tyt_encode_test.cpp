// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding TYT images: an unedited file saves byte for byte, an edit changes only the tables the
// encoders own, the slots after the last record hold blank records, and zone banks reach the
// extension table of 0x1002 and 0x1003.

#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"
#include "codeplug/tyt/tyt_codec.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace pw {
namespace {

using test::readBytes;
using test::TempDir;
using test::TytFixture;
using test::tytAnalogChannel;
using test::tytDigitalChannel;

struct Opened {
    TempDir dir;
    std::filesystem::path path;
    Codeplug codeplug;

    explicit Opened(const std::vector<std::uint8_t>& bytes) : path(dir.file("plug.rdt"))
    {
        test::writeBytes(path, bytes);
        EXPECT_NE(codeplug.open(path), NoFormat);
        EXPECT_TRUE(codeplug.decode());
    }

    std::vector<std::uint8_t> saved()
    {
        const auto out = dir.file("saved.rdt");
        EXPECT_TRUE(codeplug.save(out));
        return readBytes(out);
    }
};

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t size)
{
    return {bytes.begin() + static_cast<std::ptrdiff_t>(offset),
            bytes.begin() + static_cast<std::ptrdiff_t>(offset + size)};
}

// A fixture with something in every table, packed as the format expects.
TytFixture populated(FormatId format)
{
    TytFixture plug(format);
    const int worldwide = plug.addContact(91, "Worldwide");
    const int parrot = plug.addContact(9998, "Parrot", CallType::PrivateCall);
    plug.addContact(0xFFFFFF, "Everyone", CallType::AllCall);
    plug.addEmergencySystem("System1");
    const int group = plug.addRxGroupList("Group", {worldwide, parrot});
    const int local = plug.addChannel(tytDigitalChannel(format, "Local", 439.5, worldwide, group, 1));
    const int fm = plug.addChannel(tytAnalogChannel(format, "FM", 145.5, 145.1));
    plug.addChannel(tytDigitalChannel(format, "Parrot", 438.2, parrot));
    plug.addScanList("Scan", {local, fm});
    if (format == Md380Format)
        plug.addZone("Home", {local, fm});
    else
        plug.addZone("Home", {local, fm}, {fm});
    plug.addZone("Away", {fm});
    return plug;
}

struct Range {
    std::size_t offset;
    std::size_t size;
};

// The tables that the encoders write.
std::vector<Range> encoderTables(FormatId format)
{
    std::vector<Range> tables = {
        {test::tytContactOffset(format, 0), 36 * static_cast<std::size_t>(test::tytContactSlots(format))},
        {test::tytChannelOffset(format, 0), 64 * static_cast<std::size_t>(test::tytChannelSlots(format))},
        {test::tytRxGroupOffset(0), 96 * 250},
        {test::tytZoneOffset(0), 64 * 250},
        {test::tytScanListOffset(0), 104 * 250},
    };
    if (format != Md380Format)
        tables.push_back({test::tytZoneExtensionOffset(0), 224 * 250});
    return tables;
}

bool insideEncoderTables(FormatId format, std::size_t offset)
{
    const auto tables = encoderTables(format);
    return std::any_of(tables.begin(), tables.end(),
                       [offset](const Range& r) { return offset >= r.offset && offset < r.offset + r.size; });
}

std::string formatName(const ::testing::TestParamInfo<FormatId>& format)
{
    return "F" + std::to_string(format.param);
}

class TytEncode : public ::testing::TestWithParam<FormatId> {
protected:
    FormatId format() const { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(TytFormats, TytEncode, ::testing::Values(Md380Format, Md2017Format, Md9600Format),
                         formatName);

TEST_P(TytEncode, UnchangedPackedFileSavesByteForByte)
{
    for (const auto& bytes : {TytFixture(format()).bytes(), populated(format()).bytes()}) {
        Opened opened(bytes);
        opened.codeplug.encode();
        EXPECT_GE(static_cast<tyt::TytCodec&>(opened.codeplug.codec()).image().size(), bytes.size());
        EXPECT_EQ(opened.saved(), bytes);
    }
}

TEST_P(TytEncode, AfterEditsOnlyTheEncodersTablesDiffer)
{
    const auto original = populated(format()).bytes();
    Opened opened(original);
    auto& cp = opened.codeplug;
    ASSERT_EQ(cp.addContact(test::tytContact(format(), 4000, "Added")), AddResult::Added);
    cp.deleteChannel(1);
    cp.sortContacts(2);
    const auto saved = opened.saved();

    ASSERT_EQ(saved.size(), original.size());
    std::size_t differences = 0;
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i] == original[i])
            continue;
        ++differences;
        ASSERT_TRUE(insideEncoderTables(format(), i)) << "byte 0x" << std::hex << i;
    }
    EXPECT_GT(differences, 0u);

    // What was saved decodes to the edited model.
    Opened again(saved);
    ASSERT_EQ(again.codeplug.contacts().count(), 4);
    EXPECT_EQ(again.codeplug.contactAt(0)->name(), "Added");  // byte order: upper case first
    ASSERT_EQ(again.codeplug.channels().count(), 2);
    EXPECT_EQ(again.codeplug.channelAt(1)->name(), "Parrot");
    EXPECT_EQ(again.codeplug.channelAt(1)->contactNameCache(), "Parrot");
    EXPECT_EQ(again.codeplug.zoneAt(1)->memberCount(), 0);  // its only member was deleted
    EXPECT_EQ(again.codeplug.errorCount(), 0);
}

TEST_P(TytEncode, SlotsEmptiedByDeletesReceiveTheBlankRecords)
{
    Opened opened(populated(format()).bytes());
    auto& cp = opened.codeplug;
    cp.deleteContact(2);
    cp.deleteChannel(2);
    cp.deleteZone(1);
    cp.addScanList(test::tytScanList(format(), "Second", {1}));
    cp.deleteScanList(1);
    ASSERT_TRUE(cp.newRxGroupList("Second"));
    cp.deleteRxGroupList(1);
    const auto saved = opened.saved();

    std::array<std::uint8_t, 36> blankContact{};
    blankContact[0] = blankContact[1] = blankContact[2] = 0xFF;
    blankContact[3] = 0xC0;
    EXPECT_EQ(slice(saved, test::tytContactOffset(format(), 2), 36), std::vector(blankContact.begin(), blankContact.end()));

    std::vector<std::uint8_t> blankChannel(64, 0);
    std::fill_n(blankChannel.begin(), 32, 0xFF);
    EXPECT_EQ(slice(saved, test::tytChannelOffset(format(), 2), 64), blankChannel);

    EXPECT_EQ(slice(saved, test::tytZoneOffset(1), 64), std::vector<std::uint8_t>(64, 0));
    if (format() != Md380Format) {
        EXPECT_EQ(slice(saved, test::tytZoneExtensionOffset(1), 224), std::vector<std::uint8_t>(224, 0));
    }

    EXPECT_EQ(slice(saved, test::tytRxGroupOffset(1), 96), std::vector<std::uint8_t>(96, 0));

    std::vector<std::uint8_t> blankScanList(104, 0);
    const std::array<std::uint8_t, 10> header = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF1, 0x14, 0x08, 0xFF};
    std::copy(header.begin(), header.end(), blankScanList.begin() + 32);
    EXPECT_EQ(slice(saved, test::tytScanListOffset(1), 104), blankScanList);

    // The blank records read as empty: nothing comes back.
    Opened again(saved);
    EXPECT_EQ(again.codeplug.contacts().count(), 2);
    EXPECT_EQ(again.codeplug.channels().count(), 2);
    EXPECT_EQ(again.codeplug.zones().count(), 1);
    EXPECT_EQ(again.codeplug.scanLists().count(), 1);
    EXPECT_EQ(again.codeplug.rxGroupLists().count(), 1);
}

TEST_P(TytEncode, RecordsBehindTheEndOfATableAreBlankedBySaving)
{
    TytFixture plug(format());
    plug.addChannel(tytAnalogChannel(format(), "First", 145.5));
    plug.addChannel(tytAnalogChannel(format(), "Second", 145.6));
    plug.addChannel(tytAnalogChannel(format(), "Third", 145.7));
    plug.bytes()[test::tytChannelOffset(format(), 1)] = 0xFF;
    Opened opened(plug.bytes());
    const auto saved = opened.saved();

    // Slot 1 already read as empty and stays as it was; slot 2 held a channel the table no longer
    // reaches.
    EXPECT_EQ(slice(saved, test::tytChannelOffset(format(), 1), 64), slice(plug.bytes(), test::tytChannelOffset(format(), 1), 64));
    std::vector<std::uint8_t> blankChannel(64, 0);
    std::fill_n(blankChannel.begin(), 32, 0xFF);
    EXPECT_EQ(slice(saved, test::tytChannelOffset(format(), 2), 64), blankChannel);
}

TEST_P(TytEncode, RxGroupListWithAGapKeepsTheMembersBehindIt)
{
    TytFixture plug(format());
    plug.addContact(1, "One");
    plug.addContact(2, "Two");
    plug.addRxGroupList("Gap", {2, 0, 7});
    Opened opened(plug.bytes());
    auto& cp = opened.codeplug;
    EXPECT_EQ(cp.errorCount(), 0);
    ASSERT_EQ(cp.rxGroupListAt(0)->memberCount(), 1);
    cp.markChanged();
    const auto saved = opened.saved();
    EXPECT_EQ(slice(saved, test::tytRxGroupOffset(0), 96), slice(plug.bytes(), test::tytRxGroupOffset(0), 96));
}

TEST_P(TytEncode, EmergencySystemTableIsNeverWritten)
{
    TytFixture plug(format());
    plug.addEmergencySystem("System1");
    plug.addChannel(tytDigitalChannel(format(), "Chan", 439.5));
    Opened opened(plug.bytes());
    auto& cp = opened.codeplug;
    cp.emergencySystems().deleteAll();
    cp.channelAt(0)->setEmergencySystem(5);
    cp.markChanged();
    const auto saved = opened.saved();
    EXPECT_EQ(slice(saved, test::tytEmergencyOffset(0), 40 * 32), slice(plug.bytes(), test::tytEmergencyOffset(0), 40 * 32));

    Opened again(saved);
    EXPECT_EQ(again.codeplug.emergencySystems().count(), 1);
    EXPECT_EQ(again.codeplug.errorLogText(), "Invalid emergency system table index 4 in channel #1, 'Chan'\r\n");
    EXPECT_EQ(again.codeplug.channelAt(0)->emergencySystem(), 0);
}

TEST_P(TytEncode, FullContactTableIsWrittenWithoutABlank)
{
    TytFixture plug(format());
    const int slots = test::tytContactSlots(format());
    for (int i = 0; i < slots; ++i)
        plug.addContact(static_cast<std::uint32_t>(100000 + i), "C" + std::to_string(i));
    Opened opened(plug.bytes());
    auto& cp = opened.codeplug;
    ASSERT_EQ(cp.contacts().count(), slots);
    EXPECT_EQ(cp.addContact(test::tytContact(format(), 1, "One more")), AddResult::TableFullRefused);
    cp.markChanged();
    EXPECT_EQ(opened.saved(), plug.bytes());
}

TEST_P(TytEncode, FullChannelTableIsWrittenWhole)
{
    TytFixture plug(format());
    const int slots = test::tytChannelSlots(format());
    for (int i = 0; i < slots; ++i)
        plug.addChannel(tytAnalogChannel(format(), "Ch" + std::to_string(i), 145.5));
    Opened opened(plug.bytes());
    ASSERT_EQ(opened.codeplug.channels().count(), slots);
    opened.codeplug.markChanged();
    EXPECT_EQ(opened.saved(), plug.bytes());
}

TEST_P(TytEncode, SortingContactsWritesTheImageAtOnce)
{
    Opened opened(populated(format()).bytes());
    auto& cp = opened.codeplug;
    cp.sortContacts(1);  // by DMR ID: Worldwide 91, Parrot 9998, Everyone 16777215
    cp.sortContacts(2);  // by name: Everyone, Parrot, Worldwide
    EXPECT_TRUE(cp.changed());
    const auto& image = static_cast<tyt::TytCodec&>(cp.codec()).image();
    EXPECT_TRUE(std::ranges::equal(slice(image, test::tytContactOffset(format(), 0), 36), cp.contactAt(0)->familyRecord()));
    EXPECT_EQ(cp.contactAt(0)->name(), "Everyone");
    // The channel that sent to Worldwide (position 1) now refers to position 3.
    EXPECT_EQ(cp.channelAt(0)->txContact(), 3);
    EXPECT_EQ(image[test::tytChannelOffset(format(), 0) + 6], 3);
}

TEST(TytEncodeState, Md2017ContactsNeverTouchTheMd380ContactArea)
{
    for (const FormatId format : {Md2017Format, Md9600Format}) {
        auto bytes = populated(format).bytes();
        std::fill_n(bytes.begin() + 0x61A5, 36000, std::uint8_t{0x5A});
        Opened opened(bytes);
        auto& cp = opened.codeplug;
        EXPECT_EQ(cp.contacts().count(), 3);
        cp.addContact(test::tytContact(format, 5000, "Fifth"));
        cp.deleteContact(0);
        const auto saved = opened.saved();
        EXPECT_EQ(slice(saved, 0x61A5, 36000), std::vector<std::uint8_t>(36000, 0x5A));
        EXPECT_NE(slice(saved, test::tytContactOffset(format, 0), 36), slice(bytes, test::tytContactOffset(format, 0), 36));
    }
}

TEST(TytEncodeState, ZoneWithFortyAndTenMembersKeepsItsBanksInTheExtension)
{
    TytFixture plug(Md2017Format);
    for (int i = 0; i < 60; ++i)
        plug.addChannel(tytAnalogChannel(Md2017Format, "Ch" + std::to_string(i + 1), 145.0 + 0.0125 * i));
    std::vector<int> bankA;
    std::vector<int> bankB;
    for (int i = 1; i <= 40; ++i)
        bankA.push_back(i);
    for (int i = 51; i <= 60; ++i)
        bankB.push_back(i);
    plug.addZone("First", {1});
    plug.addZone("Wide", bankA, bankB);
    Opened opened(plug.bytes());
    auto& cp = opened.codeplug;

    Zone wide(*cp.zoneAt(1));
    EXPECT_EQ(wide.memberCount(), 40);
    EXPECT_EQ(wide.member(39), 40);
    wide.selectBank(2);
    EXPECT_EQ(wide.memberCount(), 10);
    EXPECT_EQ(wide.member(0), 51);

    // An edit elsewhere re-encodes every zone; the banks stay where they belong.
    cp.deleteZone(0);
    const auto saved = opened.saved();
    const auto record = test::tytZoneOffset(0);
    const auto extension = test::tytZoneExtensionOffset(0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(saved[record + 32 + 2 * static_cast<std::size_t>(i)], i + 1);
    for (int w = 0; w < 112; ++w) {
        const auto word = saved[extension + 2 * static_cast<std::size_t>(w)] |
                          saved[extension + 2 * static_cast<std::size_t>(w) + 1] << 8;
        const int expected = w < 24 ? w + 17 : (w >= 48 && w < 58) ? w - 48 + 51 : 0;
        EXPECT_EQ(word, expected) << "word " << w;
    }
    // The slot it left holds 64 + 224 zero bytes.
    EXPECT_EQ(slice(saved, test::tytZoneOffset(1), 64), std::vector<std::uint8_t>(64, 0));
    EXPECT_EQ(slice(saved, test::tytZoneExtensionOffset(1), 224), std::vector<std::uint8_t>(224, 0));

    Opened again(saved);
    Zone back(*again.codeplug.zoneAt(0));
    EXPECT_EQ(back.name(), "Wide");
    EXPECT_EQ(back.memberCount(), 40);
    back.selectBank(2);
    EXPECT_EQ(back.memberCount(), 10);
    EXPECT_EQ(back.member(9), 60);
}

TEST(TytEncodeState, ZoneAppendedAfterDecodingWritesBothBanks)
{
    TytFixture plug(Md9600Format);
    plug.addChannel(tytAnalogChannel(Md9600Format, "A", 145.5));
    plug.addChannel(tytAnalogChannel(Md9600Format, "B", 145.6));
    plug.addZone("Old", {1}, {1, 2});
    Opened opened(plug.bytes());
    auto& cp = opened.codeplug;
    cp.zones().deleteAll();
    auto zone = std::make_unique<Zone>(newZone(Md9600Format));
    zone->setName("New");
    zone->selectBank(2);
    zone->addMember(cp.memberNumberOf(1));
    cp.zones().append(std::move(zone));
    cp.markChanged();
    const auto saved = opened.saved();

    Opened again(saved);
    Zone back(*again.codeplug.zoneAt(0));
    EXPECT_EQ(back.name(), "New");
    EXPECT_EQ(back.memberCount(), 0);
    back.selectBank(2);
    EXPECT_EQ(back.memberCount(), 1);
    EXPECT_EQ(back.member(0), 2);
}

TEST(TytEncodeState, RealVendorFilesSaveByteForByteAndTakeAnEdit)
{
    const std::filesystem::path real = PLUGWRIGHT_REAL_FIXTURES;
    if (!std::filesystem::exists(real))
        GTEST_SKIP() << "no real vendor files at " << real;
    for (const char* name : {"MD-380_400-480.rdt", "MD-2017_400-480_136-174.rdt", "MD-9600_400-480.rdt",
                             "MD-UV380_400-480_136-174.rdt"}) {
        SCOPED_TRACE(name);
        const auto bytes = readBytes(real / name);
        Opened unchanged(bytes);
        unchanged.codeplug.markChanged();
        EXPECT_EQ(unchanged.saved(), bytes);

        Opened edited(bytes);
        auto& cp = edited.codeplug;
        const FormatId format = cp.formatId();
        ASSERT_EQ(cp.addContact(test::tytContact(format, 3100, "USA")), AddResult::Added);
        cp.encode();
        const auto saved = edited.saved();
        ASSERT_EQ(saved.size(), bytes.size());
        for (std::size_t i = 0; i < saved.size(); ++i) {
            const bool inSecondContact = i >= test::tytContactOffset(format, 1) && i < test::tytContactOffset(format, 2);
            if (!inSecondContact) {
                ASSERT_EQ(saved[i], bytes[i]) << "byte 0x" << std::hex << i;
            }
        }
        Opened again(saved);
        EXPECT_EQ(again.codeplug.contacts().count(), 2);
        EXPECT_EQ(again.codeplug.contactAt(1)->name(), "USA");
    }
}

} // namespace
} // namespace pw
