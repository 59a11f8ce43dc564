// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"

#include "codeplug/byte_field.h"
#include "codeplug/rdb/rdb_codec.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pw {
namespace {

// A minimal codeplug file of the format, opened (not decoded: the lists start empty and the tests
// fill them directly).
class ListTable : public ::testing::Test {
protected:
    void open(FormatId formatId)
    {
        const auto path = test::writeFixture(dir.file("codeplug.bin"), formatId);
        ASSERT_EQ(codeplug.open(path), formatId);
    }

    Channel& addChannel(int scanList, int rxGroupList)
    {
        auto channel = std::make_unique<Channel>(codeplug.newChannel());
        channel->setName("CH" + std::to_string(codeplug.channels().count() + 1));
        channel->setMode(ChannelMode::Dmr);
        channel->setScanList(scanList);
        channel->setRxGroupList(rxGroupList);
        codeplug.channels().append(std::move(channel));
        return *codeplug.channels().at(codeplug.channels().count() - 1);
    }

    std::vector<int> scanListReferences() const
    {
        std::vector<int> references;
        for (const auto& channel : codeplug.channels())
            references.push_back(channel->scanList());
        return references;
    }

    std::vector<int> rxGroupReferences() const
    {
        std::vector<int> references;
        for (const auto& channel : codeplug.channels())
            references.push_back(channel->rxGroupList());
        return references;
    }

    std::vector<std::string> scanListNames() const
    {
        std::vector<std::string> names;
        for (const auto& list : codeplug.scanLists())
            names.push_back(list->name());
        return names;
    }

    void addNamedScanLists(int count)
    {
        for (int i = 1; i <= count; ++i) {
            ScanList list = newScanList(codeplug.formatId());
            list.setName("S" + std::to_string(i));
            ASSERT_TRUE(codeplug.addScanList(list));
        }
    }

    void addNamedRxGroupLists(int count)
    {
        for (int i = 1; i <= count; ++i)
            ASSERT_TRUE(codeplug.newRxGroupList("G" + std::to_string(i)));
    }

    int rdbRxGroupCountWord() const
    {
        const auto& codec = static_cast<const rdb::RdbCodec&>(codeplug.codec());
        return getU16Le(codec.image(), codec.layout().rxGroupCount);
    }

    test::TempDir dir;
    Codeplug codeplug;
};

// ---- Capacities ----

TEST(ScanListCapacity, RdbFamilyStopsBeforeTheCountWordOthersHold250)
{
    EXPECT_EQ(scanListCapacity(RdbV1Format), 234);
    EXPECT_EQ(scanListCapacity(RdbV11Format), 234);
    EXPECT_EQ(scanListCapacity(RdbV2Format), 234);
    EXPECT_EQ(scanListCapacity(Md380Format), 250);
    EXPECT_EQ(scanListCapacity(Md2017Format), 250);
    EXPECT_EQ(scanListCapacity(D868Format), 250);
}

TEST_F(ListTable, RdbCodeplugRefusesThe235thScanList)
{
    open(RdbV1Format);
    for (int i = 0; i < 234; ++i)
        ASSERT_TRUE(codeplug.addScanList(newScanList(RdbV1Format))) << i;
    EXPECT_FALSE(codeplug.addScanList(newScanList(RdbV1Format)));
    EXPECT_EQ(codeplug.scanLists().count(), 234);
}

TEST_F(ListTable, TytCodeplugRefusesThe251stScanListAndZone)
{
    open(Md380Format);
    for (int i = 0; i < 250; ++i) {
        ASSERT_TRUE(codeplug.addScanList(newScanList(Md380Format)));
        ASSERT_TRUE(codeplug.addZone(newZone(Md380Format)));
    }
    EXPECT_FALSE(codeplug.addScanList(newScanList(Md380Format)));
    EXPECT_FALSE(codeplug.addZone(newZone(Md380Format)));
}

TEST_F(ListTable, NewRxGroupListIsRefusedWhen250Exist)
{
    open(Md380Format);
    addNamedRxGroupLists(250);
    EXPECT_FALSE(codeplug.newRxGroupList("one more"));
    EXPECT_FALSE(codeplug.addRxGroupList(newRxGroupList(Md380Format)));
}

TEST(ListTableNotLoaded, EveryAddIsRefused)
{
    Codeplug codeplug;
    EXPECT_FALSE(codeplug.addZone(newZone(Md380Format)));
    EXPECT_FALSE(codeplug.addScanList(newScanList(Md380Format)));
    EXPECT_FALSE(codeplug.newRxGroupList("G"));
    EXPECT_FALSE(codeplug.addRxGroupList(newRxGroupList(Md380Format)));
    EXPECT_FALSE(codeplug.changed());
}

TEST_F(ListTable, ListOfAnotherFormatIsRefused)
{
    open(Md380Format);
    EXPECT_FALSE(codeplug.addZone(newZone(RdbV1Format)));
    EXPECT_FALSE(codeplug.addScanList(newScanList(D868Format)));
    EXPECT_FALSE(codeplug.addRxGroupList(newRxGroupList(RdbV2Format)));
    EXPECT_EQ(codeplug.zones().count() + codeplug.scanLists().count() + codeplug.rxGroupLists().count(), 0);
}

// ---- Zones ----

TEST_F(ListTable, AddingAZoneMarksTheCodeplugChanged)
{
    open(Md380Format);
    Zone zone = newZone(Md380Format);
    zone.setName("Home");
    EXPECT_TRUE(codeplug.addZone(zone));
    EXPECT_TRUE(codeplug.changed());
    ASSERT_EQ(codeplug.zones().count(), 1);
    EXPECT_EQ(codeplug.zones().at(0)->name(), "Home");
}

TEST_F(ListTable, ZoneAddedToATwoBankCodeplugKeepsItsBankB)
{
    open(Md2017Format);
    Zone zone = newZone(Md2017Format);
    zone.selectBank(2);
    zone.addMember(1);
    ASSERT_TRUE(codeplug.addZone(zone));
    Zone& added = *codeplug.zones().at(0);
    EXPECT_EQ(added.bankCount(), 2);
    EXPECT_EQ(added.familyRecord().size(), 64u + 224u);
    added.selectBank(2);
    EXPECT_EQ(added.members(), std::vector<int>({1}));
}

TEST_F(ListTable, LastZoneIsNeverDeleted)
{
    open(Md380Format);
    codeplug.addZone(newZone(Md380Format));
    codeplug.deleteZone(0);
    EXPECT_EQ(codeplug.zones().count(), 1);
}

TEST_F(ListTable, DeletingAZoneRemovesOnlyThatZone)
{
    open(Md380Format);
    for (const char* name : {"A", "B", "C"}) {
        Zone zone = newZone(Md380Format);
        zone.setName(name);
        codeplug.addZone(zone);
    }
    codeplug.deleteZone(1);
    codeplug.deleteZone(7);
    ASSERT_EQ(codeplug.zones().count(), 2);
    EXPECT_EQ(codeplug.zones().at(0)->name(), "A");
    EXPECT_EQ(codeplug.zones().at(1)->name(), "C");
}

TEST_F(ListTable, D868ZoneAndScanListCountsFollowTheTables)
{
    open(D868Format);
    ASSERT_TRUE(codeplug.decode());
    codeplug.zones().deleteAll();
    codeplug.scanLists().deleteAll();
    codeplug.rxGroupLists().deleteAll();
    codeplug.addZone(newZone(D868Format));
    codeplug.addZone(newZone(D868Format));
    codeplug.addScanList(newScanList(D868Format));
    codeplug.newRxGroupList("G");
    // The count table (C2 zones, C3 scan lists, C16 RX group lists) of the saved file.
    const auto savedCount = [this](int index) {
        const auto path = dir.file("saved.bin");
        EXPECT_TRUE(codeplug.save(path));
        return static_cast<int>(getU32Le(test::readBytes(path), test::D868HeaderSize + 4 * static_cast<std::size_t>(index)));
    };
    EXPECT_EQ(savedCount(2), 2);
    EXPECT_EQ(savedCount(3), 1);
    EXPECT_EQ(savedCount(16), 1);
    codeplug.deleteZone(0);
    EXPECT_EQ(savedCount(2), 1);
}

// ---- Scan lists ----

TEST_F(ListTable, DeletingScanList2Of4RenumbersChannelReferences)
{
    open(Md380Format);
    addNamedScanLists(4);
    for (int reference : {0, 1, 2, 3, 4})
        addChannel(reference, 0);
    codeplug.deleteScanList(1);
    EXPECT_EQ(scanListNames(), std::vector<std::string>({"S1", "S3", "S4"}));
    EXPECT_EQ(scanListReferences(), std::vector<int>({0, 1, 0, 2, 3}));
    EXPECT_TRUE(codeplug.changed());
}

TEST_F(ListTable, DeletingTheLastScanListOrOneOutsideTheTableDoesNothing)
{
    open(Md380Format);
    addNamedScanLists(1);
    addChannel(1, 0);
    codeplug.deleteScanList(0);
    EXPECT_EQ(codeplug.scanLists().count(), 1);
    addNamedScanLists(1);
    codeplug.deleteScanList(2);
    codeplug.deleteScanList(-1);
    EXPECT_EQ(codeplug.scanLists().count(), 2);
    EXPECT_EQ(scanListReferences(), std::vector<int>({1}));
}

// ---- RX group lists ----

TEST_F(ListTable, NewRxGroupListCarriesTheName)
{
    open(Md9600Format);
    ASSERT_TRUE(codeplug.newRxGroupList("Regional"));
    EXPECT_EQ(codeplug.rxGroupLists().at(0)->name(), "Regional");
    EXPECT_EQ(&codeplug.rxGroupLists().at(0)->format(), recordFormatsOf(Md9600Format).rxGroupList);
    EXPECT_TRUE(codeplug.changed());
}

TEST_F(ListTable, DeletingAnRxGroupListRenumbersChannelReferences)
{
    open(Md380Format);
    addNamedRxGroupLists(3);
    for (int reference : {1, 2, 3, 0})
        addChannel(0, reference);
    codeplug.deleteRxGroupList(0);
    EXPECT_EQ(rxGroupReferences(), std::vector<int>({0, 1, 2, 0}));
    EXPECT_EQ(codeplug.rxGroupLists().at(0)->name(), "G2");
}

TEST_F(ListTable, OnlyRxGroupListMayBeDeletedButNotOneOutsideTheTable)
{
    open(Md380Format);
    addNamedRxGroupLists(1);
    codeplug.deleteRxGroupList(1);
    EXPECT_EQ(codeplug.rxGroupLists().count(), 1);
    codeplug.deleteRxGroupList(0);
    EXPECT_EQ(codeplug.rxGroupLists().count(), 0);
    codeplug.deleteRxGroupList(0);
    EXPECT_EQ(codeplug.rxGroupLists().count(), 0);
}

TEST_F(ListTable, RdbRxGroupCountWordFollowsAddsAndDeletes)
{
    open(RdbV2Format);
    const int before = rdbRxGroupCountWord();
    addNamedRxGroupLists(2);
    EXPECT_EQ(rdbRxGroupCountWord(), before + 2);
    codeplug.deleteRxGroupList(0);
    EXPECT_EQ(rdbRxGroupCountWord(), before + 1);
}

} // namespace
} // namespace pw
