// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"

#include "codeplug/byte_field.h"
#include "codeplug/rdb/rdb_codec.h"
#include "codeplug/rdb/six_bit_text.h"
#include "codeplug/tyt/tyt_codec.h"
#include "codeplug/tyt/tyt_records.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

namespace pw {
namespace {

using test::TempDir;

rdb::RdbCodec& rdbCodec(Codeplug& codeplug) { return static_cast<rdb::RdbCodec&>(codeplug.codec()); }

// The D868 count table entry `index` of the file the codeplug saves.
int savedD868Count(Codeplug& codeplug, const TempDir& dir, int index)
{
    const auto path = dir.file("saved.bin");
    EXPECT_TRUE(codeplug.save(path));
    return static_cast<int>(getU32Le(test::readBytes(path), test::D868HeaderSize + 4 * static_cast<std::size_t>(index)));
}

// An opened, decoded codeplug whose model lists start empty, so each test builds what it needs.
struct OpenedCodeplug {
    TempDir dir;
    Codeplug codeplug;

    explicit OpenedCodeplug(FormatId format)
    {
        const auto path = test::writeFixture(dir.file("fixture.bin"), format);
        EXPECT_EQ(codeplug.open(path), format);
        codeplug.decode();
        codeplug.channels().deleteAll();
        codeplug.zones().deleteAll();
        codeplug.scanLists().deleteAll();
    }
};

Channel namedChannel(FormatId format, const std::string& name, double rx = 146.0)
{
    Channel channel = newChannel(format, rx);
    channel.setName(name);
    return channel;
}

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

std::vector<std::string> channelNames(const Codeplug& codeplug)
{
    std::vector<std::string> names;
    for (const auto& channel : codeplug.channels())
        names.push_back(channel->name());
    return names;
}

void addZone(Codeplug& codeplug, const std::vector<int>& channelIndices)
{
    auto zone = std::make_unique<Zone>(codeplug.newZone());
    zone->setName("Zone " + std::to_string(codeplug.zones().count() + 1));
    for (const int index : channelIndices)
        zone->addMember(codeplug.memberNumberOf(index));
    codeplug.zones().append(std::move(zone));
}

void addScanList(Codeplug& codeplug, const std::vector<int>& channelIndices)
{
    auto list = std::make_unique<ScanList>(codeplug.newScanList());
    list->setName("Scan " + std::to_string(codeplug.scanLists().count() + 1));
    for (const int index : channelIndices)
        list->addMember(codeplug.memberNumberOf(index));
    codeplug.scanLists().append(std::move(list));
}

// ---- addChannel ----

TEST(AddChannel, RefusesWithoutCodeplugOrForAnotherFormat)
{
    Codeplug empty;
    EXPECT_EQ(empty.addChannel(newChannel(Md380Format)), AddResult::NotLoadedRefused);

    OpenedCodeplug opened(Md380Format);
    EXPECT_EQ(opened.codeplug.addChannel(newChannel(Md2017Format)), AddResult::NotLoadedRefused);
    EXPECT_EQ(opened.codeplug.channels().count(), 0);
}

TEST(AddChannel, RefusesANameAlreadyPresentIgnoringCase)
{
    OpenedCodeplug opened(Md380Format);
    auto& codeplug = opened.codeplug;
    EXPECT_EQ(codeplug.addChannel(namedChannel(Md380Format, "Repeater")), AddResult::Added);
    EXPECT_TRUE(codeplug.changed());
    EXPECT_EQ(codeplug.addChannel(namedChannel(Md380Format, "REPEATER")), AddResult::DuplicateRefused);
    EXPECT_EQ(codeplug.channels().count(), 1);
}

TEST(AddChannel, The1000thChannelOfAnMd380CodeplugIsRefused)
{
    OpenedCodeplug opened(Md380Format);
    auto& codeplug = opened.codeplug;
    for (int i = 0; i < 999; ++i)
        ASSERT_EQ(codeplug.addChannel(namedChannel(Md380Format, "Ch " + std::to_string(i))), AddResult::Added) << i;
    EXPECT_EQ(codeplug.addChannel(namedChannel(Md380Format, "One too many")), AddResult::TableFullRefused);
    EXPECT_EQ(codeplug.channels().count(), 999);
}

TEST(AddChannel, CapacityPerFormat)
{
    const std::pair<FormatId, int> capacities[] = {
        {Md380Format, 999},   {Md2017Format, 2999}, {Md9600Format, 2999}, {RdbV1Format, 1999},
        {RdbV11Format, 3999}, {RdbV2Format, 3999},  {D868Format, 3999},   {0x4001, 0},
    };
    for (const auto& [format, capacity] : capacities)
        EXPECT_EQ(channelCapacity(format), capacity) << std::hex << format;
}

TEST(AddChannel, RdbTakesTheSmallestFreeSlotAndWritesItAtOnce)
{
    OpenedCodeplug opened(RdbV1Format);
    auto& codeplug = opened.codeplug;
    auto& codec = rdbCodec(codeplug);
    const auto& layout = codec.layout();
    ASSERT_EQ(codeplug.addChannel(namedChannel(RdbV1Format, "First")), AddResult::Added);
    ASSERT_EQ(codeplug.addChannel(namedChannel(RdbV1Format, "Second")), AddResult::Added);
    ASSERT_EQ(codeplug.addChannel(namedChannel(RdbV1Format, "Third")), AddResult::Added);
    EXPECT_EQ(codec.slotOrderTable(), (std::vector<std::uint16_t>{1, 2, 3}));

    codeplug.deleteChannel(1);
    EXPECT_EQ(codec.slotOrderTable(), (std::vector<std::uint16_t>{1, 3}));

    Channel fourth = namedChannel(RdbV1Format, "Fourth", 439.5);
    ASSERT_EQ(codeplug.addChannel(fourth), AddResult::Added);
    EXPECT_EQ(codeplug.channels().at(2)->slotNumber(), 2);
    EXPECT_EQ(codec.slotOrderTable(), (std::vector<std::uint16_t>{1, 3, 2}));
    const auto& image = codec.image();
    EXPECT_EQ(getU16Le(image, layout.slotOrderTable + 2 + 2 * 3), 0) << "the table ends with a 0";

    const auto record = layout.channelRecords + 32 * 2;
    EXPECT_TRUE(std::equal(fourth.familyRecord().begin(), fourth.familyRecord().begin() + 32,
                           image.begin() + static_cast<std::ptrdiff_t>(record)));
    EXPECT_EQ(getU32Le(image, record + 4), 439500000u);
    EXPECT_EQ(SixBitText::decode(image.data() + layout.channelNames + 16), "Fourth");
}

TEST(AddChannel, RdbNeverReusesASlotTheImageTableHolds)
{
    OpenedCodeplug opened(RdbV11Format);
    auto& codeplug = opened.codeplug;
    auto& codec = rdbCodec(codeplug);
    const auto table = codec.layout().slotOrderTable;
    // The image lists slots 1 and 2 although the model holds no channel.
    setU16Le(codec.image(), table, 2);
    setU16Le(codec.image(), table + 2, 1);
    setU16Le(codec.image(), table + 4, 2);
    ASSERT_EQ(codeplug.addChannel(namedChannel(RdbV11Format, "New")), AddResult::Added);
    EXPECT_EQ(codeplug.channels().at(0)->slotNumber(), 3);
    EXPECT_EQ(codec.slotOrderTable(), (std::vector<std::uint16_t>{3}));
}

TEST(SlotOrderTable, CapsADamagedCountAtTheCapacity)
{
    OpenedCodeplug opened(RdbV1Format);
    auto& codec = rdbCodec(opened.codeplug);
    setU16Le(codec.image(), codec.layout().slotOrderTable, 0xFFFF);
    EXPECT_EQ(codec.slotOrderTable().size(), 1999u);
}

TEST(AddChannel, D868RaisesTheChannelCount)
{
    OpenedCodeplug opened(D868Format);
    auto& codeplug = opened.codeplug;
    ASSERT_EQ(codeplug.addChannel(namedChannel(D868Format, "First")), AddResult::Added);
    const int before = savedD868Count(codeplug, opened.dir, 0);
    ASSERT_EQ(codeplug.addChannel(namedChannel(D868Format, "Simplex")), AddResult::Added);
    EXPECT_EQ(savedD868Count(codeplug, opened.dir, 0), before + 1);
}

// ---- deleteChannel ----

TEST(DeleteChannel, DeletingChannelLowersLaterZoneMembers)
{
    OpenedCodeplug opened(Md380Format);
    auto& codeplug = opened.codeplug;
    for (const char* name : {"One", "Two", "Three"})
        ASSERT_EQ(codeplug.addChannel(namedChannel(Md380Format, name)), AddResult::Added);
    addZone(codeplug, {0, 1, 2});
    addScanList(codeplug, {2, 1, 0});

    codeplug.deleteChannel(1);

    EXPECT_EQ(channelNames(codeplug), (std::vector<std::string>{"One", "Three"}));
    EXPECT_EQ(zoneMembers(*codeplug.zones().at(0)), (std::vector<int>{1, 2}));
    EXPECT_EQ(scanListMembers(*codeplug.scanLists().at(0)), (std::vector<int>{2, 1}));
    EXPECT_TRUE(codeplug.changed());
}

TEST(DeleteChannel, D868ZoneMembersFollowTheDeletedPosition)
{
    OpenedCodeplug opened(D868Format);
    auto& codeplug = opened.codeplug;
    for (const char* name : {"One", "Two", "Three", "Four"})
        ASSERT_EQ(codeplug.addChannel(namedChannel(D868Format, name)), AddResult::Added);
    addZone(codeplug, {3, 0, 2});
    const int count = savedD868Count(codeplug, opened.dir, 0);

    codeplug.deleteChannel(0);

    EXPECT_EQ(zoneMembers(*codeplug.zones().at(0)), (std::vector<int>{3, 2}));
    EXPECT_EQ(savedD868Count(codeplug, opened.dir, 0), count - 1);
}

TEST(DeleteChannel, RdbEmptiedZoneGetsTheFirstChannelOfTheTable)
{
    OpenedCodeplug opened(RdbV1Format);
    auto& codeplug = opened.codeplug;
    for (const char* name : {"Alpha", "Bravo", "Charlie"})
        ASSERT_EQ(codeplug.addChannel(namedChannel(RdbV1Format, name)), AddResult::Added);
    addZone(codeplug, {1});
    addZone(codeplug, {0, 1, 2});
    addZone(codeplug, {});
    addScanList(codeplug, {1, 2});

    codeplug.deleteChannel(1);

    EXPECT_EQ(zoneMembers(*codeplug.zones().at(0)), (std::vector<int>{1}));
    EXPECT_EQ(getU8(codeplug.zones().at(0)->familyRecord(), 36), 1);
    EXPECT_EQ(zoneMembers(*codeplug.zones().at(1)), (std::vector<int>{1, 3})) << "slot numbers do not move";
    EXPECT_EQ(codeplug.zones().at(2)->memberCount(), 0) << "a zone that was empty stays empty";
    EXPECT_EQ(scanListMembers(*codeplug.scanLists().at(0)), (std::vector<int>{3}));
    EXPECT_EQ(getU8(codeplug.scanLists().at(0)->familyRecord(), 38), 2);
    EXPECT_EQ(rdbCodec(codeplug).slotOrderTable(), (std::vector<std::uint16_t>{1, 3}));
}

TEST(DeleteChannel, TheLastChannelOfRdbAndD868CodeplugsStays)
{
    for (const FormatId format : {RdbV2Format, D868Format}) {
        OpenedCodeplug opened(format);
        auto& codeplug = opened.codeplug;
        ASSERT_EQ(codeplug.addChannel(namedChannel(format, "Only")), AddResult::Added);
        codeplug.deleteChannel(0);
        EXPECT_EQ(codeplug.channels().count(), 1) << std::hex << format;
    }
    OpenedCodeplug tyt(Md9600Format);
    ASSERT_EQ(tyt.codeplug.addChannel(namedChannel(Md9600Format, "Only")), AddResult::Added);
    tyt.codeplug.deleteChannel(0);
    EXPECT_EQ(tyt.codeplug.channels().count(), 0);
}

TEST(DeleteChannel, ABadIndexOrNoCodeplugDoesNothing)
{
    OpenedCodeplug opened(Md380Format);
    auto& codeplug = opened.codeplug;
    ASSERT_EQ(codeplug.addChannel(namedChannel(Md380Format, "Keep")), AddResult::Added);
    for (const int index : {-1, 1, 500})
        codeplug.deleteChannel(index);
    EXPECT_EQ(codeplug.channels().count(), 1);

    Codeplug empty;
    empty.deleteChannel(0);
    EXPECT_FALSE(empty.changed());
}

// ---- sortChannels ----

// Four channels whose keys differ in every column, added in the order given.
void addSortSample(Codeplug& codeplug)
{
    const auto format = codeplug.formatId();
    Channel charlie = namedChannel(format, "Charlie", 440.0);
    charlie.setMode(ChannelMode::Dmr);
    charlie.setTxFrequency(445.0);
    charlie.setAdmitFromText("Color Code Free");
    charlie.setPowerFromText("LOW");
    charlie.setBandwidth(Bandwidth::Narrow12k5);
    charlie.setTimeSlot(2);
    charlie.setColorCode(3);
    charlie.setContactNameCache("Zulu");
    charlie.setRxGroupList(12);

    Channel alpha = namedChannel(format, "Alpha", 146.0);
    alpha.setTxFrequency(146.6);
    alpha.setCtcssEncodeFromText("D023N");
    alpha.setCtcssDecodeFromText("100.0");

    Channel bravo = namedChannel(format, "Bravo", 145.0);
    bravo.setMode(ChannelMode::Dmr);
    bravo.setTxFrequency(150.0);
    bravo.setAdmitFromText("Channel Free");
    bravo.setPowerFromText("LOW");
    bravo.setBandwidth(Bandwidth::Narrow12k5);
    bravo.setTimeSlot(1);
    bravo.setColorCode(9);
    bravo.setContactNameCache("Mike");
    bravo.setRxGroupList(2);

    Channel delta = namedChannel(format, "Delta", 430.0);
    delta.setTxFrequency(430.0);

    for (const auto* channel : {&charlie, &alpha, &bravo, &delta})
        ASSERT_EQ(codeplug.addChannel(*channel), AddResult::Added);
}

struct SortCase {
    int column;
    std::vector<std::string> order;  // empty where ties leave the order open
    std::function<bool(const Channel&, const Channel&)> inOrder;
};

const SortCase SortCases[] = {
    {1, {"Alpha", "Bravo", "Charlie", "Delta"}, {}},
    {2, {"Bravo", "Alpha", "Delta", "Charlie"}, {}},
    {3, {}, [](const Channel& a, const Channel& b) { return a.isDigital() || !b.isDigital(); }},
    {4, {}, [](const Channel& a, const Channel& b) { return a.bandwidth() == Bandwidth::Narrow12k5 || b.bandwidth() == Bandwidth::Wide25k; }},
    {5, {"Alpha", "Bravo", "Delta", "Charlie"}, {}},
    {6, {}, [](const Channel& a, const Channel& b) { return a.admitText() <= b.admitText(); }},
    {7, {}, [](const Channel& a, const Channel& b) { return a.powerText() <= b.powerText(); }},
    {8, {}, [](const Channel& a, const Channel& b) { return a.timeSlot() <= b.timeSlot(); }},
    // Digital channels by contact name, analog ones by encode tone, none as "D000I":
    // "D000I" (Delta) < "D023N" (Alpha) < "Mike" (Bravo) < "Zulu" (Charlie).
    {10, {"Delta", "Alpha", "Bravo", "Charlie"}, {}},
    // Digital by RX group number as text, analog by decode tone:
    // "100.0" (Alpha) < "12" (Charlie) < "2" (Bravo) < "D000I" (Delta).
    {11, {"Alpha", "Charlie", "Bravo", "Delta"}, {}},
    {0, {"Alpha", "Bravo", "Charlie", "Delta"}, {}},
};

TEST(SortChannels, EveryColumnOrdersTheTableAndRemapsMembers)
{
    for (const FormatId format : {Md380Format, Md2017Format, D868Format}) {
        for (const auto& c : SortCases) {
            OpenedCodeplug opened(format);
            auto& codeplug = opened.codeplug;
            addSortSample(codeplug);
            addZone(codeplug, {0, 1, 2, 3});
            addScanList(codeplug, {3, 1});
            const auto before = channelNames(codeplug);

            codeplug.sortChannels(c.column);

            const auto after = channelNames(codeplug);
            if (!c.order.empty()) {
                EXPECT_EQ(after, c.order) << "column " << c.column << " in 0x" << std::hex << format;
            }
            if (c.inOrder) {
                for (int i = 0; i + 1 < codeplug.channels().count(); ++i)
                    EXPECT_TRUE(c.inOrder(*codeplug.channels().at(i), *codeplug.channels().at(i + 1)))
                        << "column " << c.column << " at " << i;
            }
            // Members still name the channels they named before the sort.
            const auto& zone = *codeplug.zones().at(0);
            ASSERT_EQ(zone.memberCount(), 4);
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(codeplug.channels().at(zone.member(i) - 1)->name(), before[static_cast<std::size_t>(i)]) << "column " << c.column;
            const auto& list = *codeplug.scanLists().at(0);
            EXPECT_EQ(codeplug.channels().at(list.member(0) - 1)->name(), "Delta");
            EXPECT_EQ(codeplug.channels().at(list.member(1) - 1)->name(), "Alpha");
            EXPECT_TRUE(codeplug.changed());
        }
    }
}

TEST(SortChannels, ColumnNineByColourCode)
{
    OpenedCodeplug opened(Md380Format);
    auto& codeplug = opened.codeplug;
    addSortSample(codeplug);
    codeplug.channels().deleteAt(3);  // Delta
    codeplug.channels().deleteAt(1);  // Alpha
    codeplug.sortChannels(9);
    EXPECT_EQ(channelNames(codeplug), (std::vector<std::string>{"Charlie", "Bravo"}));
}

TEST(SortChannels, D868RecordsAreSavedInTheNewOrderNumberedAndInUse)
{
    OpenedCodeplug opened(D868Format);
    auto& codeplug = opened.codeplug;
    addSortSample(codeplug);
    codeplug.sortChannels(1);
    ASSERT_EQ(channelNames(codeplug), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta"}));
    // The file numbers the records in table order and marks each in use.
    setU16Le(codeplug.channels().at(0)->familyRecord(), 2, 0);
    const auto path = opened.dir.file("sorted.bin");
    ASSERT_TRUE(codeplug.save(path));
    const auto bytes = test::readBytes(path);
    const std::size_t first = test::D868HeaderSize + test::D868CountTableSize;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t record = first + i * test::D868ChannelRecordSize;
        EXPECT_EQ(getU16Le(bytes, record), i + 1);
        EXPECT_EQ(getU16Le(bytes, record + 2), 1);
        EXPECT_EQ(getCString(bytes, record + 92, 16), channelNames(codeplug)[i]);
    }
}

TEST(SortChannels, RdbRewritesTheSlotOrderAndKeepsSlotMembers)
{
    OpenedCodeplug opened(RdbV2Format);
    auto& codeplug = opened.codeplug;
    addSortSample(codeplug);
    addZone(codeplug, {0, 1, 2, 3});
    codeplug.sortChannels(1);

    EXPECT_EQ(channelNames(codeplug), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta"}));
    auto& codec = rdbCodec(codeplug);
    EXPECT_EQ(codec.slotOrderTable(), (std::vector<std::uint16_t>{2, 3, 1, 4}));
    EXPECT_EQ(getU16Le(codec.image(), codec.layout().slotOrderTable + 2 + 2 * 4), 0);
    EXPECT_EQ(zoneMembers(*codeplug.zones().at(0)), (std::vector<int>{1, 2, 3, 4}));
}

TEST(SortChannels, RdbPowerColumnUsesTheRadioModel)
{
    OpenedCodeplug opened(RdbV1Format);
    auto& codeplug = opened.codeplug;
    EXPECT_EQ(codeplug.radioModelName(), "RDB-TEST");
    Channel mid = namedChannel(RdbV1Format, "Mid");
    mid.setPowerFromText("MID");
    Channel low = namedChannel(RdbV1Format, "Low");
    low.setPowerFromText("LOW");
    ASSERT_EQ(codeplug.addChannel(low), AddResult::Added);
    ASSERT_EQ(codeplug.addChannel(mid), AddResult::Added);
    // "RDB-TEST" has no "8" as third character: MID shows as "HIGH", which sorts first.
    codeplug.sortChannels(7);
    EXPECT_EQ(channelNames(codeplug), (std::vector<std::string>{"Mid", "Low"}));
}

TEST(SortChannels, ASingleChannelIsLeftAlone)
{
    OpenedCodeplug opened(Md380Format);
    auto& codeplug = opened.codeplug;
    ASSERT_EQ(codeplug.addChannel(namedChannel(Md380Format, "Only")), AddResult::Added);
    ASSERT_TRUE(codeplug.save(opened.dir.file("saved.bin")));
    codeplug.sortChannels(1);
    EXPECT_FALSE(codeplug.changed());
    EXPECT_EQ(channelNames(codeplug), (std::vector<std::string>{"Only"}));
}

// ---- Member numbers: how zones and scan lists name channels ----

TEST(MemberNumbers, AreTablePositionsInTheTytAndD868Families)
{
    for (const FormatId format : {Md380Format, D868Format}) {
        OpenedCodeplug opened(format);
        auto& codeplug = opened.codeplug;
        for (const char* name : {"One", "Two", "Three"})
            ASSERT_EQ(codeplug.addChannel(namedChannel(format, name)), AddResult::Added);
        EXPECT_EQ(codeplug.memberNumberOf(0), 1);
        EXPECT_EQ(codeplug.memberNumberOf(2), 3);
        // An index that names no channel gives no member number, which every list refuses.
        EXPECT_EQ(codeplug.memberNumberOf(3), 0);
        EXPECT_EQ(codeplug.memberNumberOf(-1), 0);
        EXPECT_EQ(codeplug.channelIndexOfMember(2), 1);
        EXPECT_EQ(codeplug.channelIndexOfMember(0), -1);
        // A dangling member still names a position, so that it can be told from an empty entry.
        EXPECT_EQ(codeplug.channelIndexOfMember(9), 8);
    }
}

TEST(MemberNumbers, AreImageSlotsInTheRdbFamily)
{
    OpenedCodeplug opened(RdbV11Format);
    auto& codeplug = opened.codeplug;
    for (const char* name : {"One", "Two", "Three"})
        ASSERT_EQ(codeplug.addChannel(namedChannel(RdbV11Format, name)), AddResult::Added);
    codeplug.deleteChannel(0);
    // "Two" and "Three" keep slots 2 and 3.
    EXPECT_EQ(codeplug.memberNumberOf(0), 2);
    EXPECT_EQ(codeplug.memberNumberOf(1), 3);
    EXPECT_EQ(codeplug.memberNumberOf(2), 0);
    EXPECT_EQ(codeplug.channelIndexOfMember(3), 1);
    EXPECT_EQ(codeplug.channelIndexOfMember(1), -1) << "no channel has slot 1";
    EXPECT_EQ(codeplug.channelIndexOfMember(999), -1);
    // A channel the codec has not placed has no slot and so no member number.
    codeplug.channels().at(0)->setSlotNumber(0);
    EXPECT_EQ(codeplug.memberNumberOf(0), 0);
}

// ---- Look-ups and contact references ----

TEST(FindChannelByName, IgnoresCaseAndNormalisesRdbNames)
{
    OpenedCodeplug tyt(Md380Format);
    ASSERT_EQ(tyt.codeplug.addChannel(namedChannel(Md380Format, "Rpt-1")), AddResult::Added);
    ASSERT_EQ(tyt.codeplug.addChannel(namedChannel(Md380Format, "Simplex")), AddResult::Added);
    EXPECT_EQ(tyt.codeplug.findChannelByName("SIMPLEX"), 1);
    EXPECT_EQ(tyt.codeplug.findChannelByName("rpt-1"), 0);
    EXPECT_EQ(tyt.codeplug.findChannelByName("Rpt.1"), -1);

    OpenedCodeplug rdb(RdbV1Format);
    ASSERT_EQ(rdb.codeplug.addChannel(namedChannel(RdbV1Format, "Rpt-1")), AddResult::Added);
    EXPECT_EQ(rdb.codeplug.findChannelByName("rpt-1"), 0);
    EXPECT_EQ(rdb.codeplug.findChannelByName("RPT.1"), 0);
    EXPECT_EQ(rdb.codeplug.findChannelByName("Rpt"), -1);
}

TEST(ChannelContactUse, UsedByDigitalChannelsOnlyAndRefreshedFromTheTable)
{
    OpenedCodeplug opened(Md380Format);
    auto& codeplug = opened.codeplug;
    for (const char* name : {"Local", "World"}) {
        auto contact = std::make_unique<Contact>(newContact(Md380Format));
        contact->setName(name);
        codeplug.contacts().append(std::move(contact));
    }
    Channel digital = namedChannel(Md380Format, "Digital");
    digital.setMode(ChannelMode::Dmr);
    digital.setTxContact(2);
    Channel dangling = namedChannel(Md380Format, "Dangling");
    dangling.setMode(ChannelMode::Dmr);
    dangling.setTxContact(9);
    Channel analog = namedChannel(Md380Format, "Analog");
    analog.setTxContact(1);
    for (const auto* channel : {&digital, &dangling, &analog})
        ASSERT_EQ(codeplug.addChannel(*channel), AddResult::Added);

    EXPECT_TRUE(codeplug.isContactUsed(1));
    EXPECT_FALSE(codeplug.isContactUsed(0)) << "an analog channel uses no contact";

    codeplug.refreshContactNames();
    EXPECT_EQ(codeplug.channels().at(0)->contactNameCache(), "World");
    EXPECT_EQ(codeplug.channels().at(1)->txContact(), 0);
    EXPECT_EQ(codeplug.channels().at(2)->contactNameCache(), "");
}

// ---- Records of real vendor files ----

TEST(RealChannelRecord, VendorDefaultChannelReadsAsTheVendorSoftwareShowsIt)
{
    const std::filesystem::path real = PLUGWRIGHT_REAL_FIXTURES;
    if (!std::filesystem::exists(real))
        GTEST_SKIP() << "no real vendor files at " << real;
    const struct {
        const char* file;
        FormatId format;
        bool digital;
    } files[] = {
        {"MD-380_400-480.rdt", Md380Format, true},
        {"MD-2017_400-480_136-174.rdt", Md2017Format, false},
        {"MD-UV380_400-480_136-174.rdt", Md9600Format, false},
    };
    for (const auto& [file, format, digital] : files) {
        Codeplug codeplug;
        ASSERT_EQ(codeplug.open(real / file), format) << file;
        const auto& codec = static_cast<const tyt::TytCodec&>(codeplug.codec());
        const auto at = codec.layout().channelRecordAt(0);
        ASSERT_TRUE(at.has_value());
        Channel channel = newChannel(format);
        const auto& image = codec.image();
        ASSERT_LE(*at + tyt::ChannelRecordSize, image.size());
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(*at), tyt::ChannelRecordSize, channel.familyRecord().begin());
        static_cast<const tyt::ChannelRecordFormat&>(channel.format()).load(channel);

        EXPECT_EQ(channel.name(), "Channel1") << file;
        EXPECT_EQ(channel.isDigital(), digital) << file;
        EXPECT_DOUBLE_EQ(channel.rxFrequency(), 400.0) << file;
        EXPECT_DOUBLE_EQ(channel.txFrequency(), 400.0) << file;
        EXPECT_EQ(channel.colorCode(), 1) << file;
        EXPECT_EQ(channel.timeSlot(), 1) << file;
        EXPECT_EQ(channel.squelchText(), "NORMAL") << file;
        EXPECT_EQ(channel.powerText(), "HIGH") << file;
        EXPECT_EQ(channel.totText(), "60") << file;
        EXPECT_EQ(channel.admitText(), "Always") << file;
        EXPECT_EQ(channel.txContact(), 0) << file;
        EXPECT_TRUE(channel.ctcssDecode().isNone()) << file;
        EXPECT_EQ(channel.rxSignalingText(), "Off") << file;
    }
}

} // namespace
} // namespace pw
