// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/zone_wizard.h"
#include "codeplug/record_factory.h"

#include "codeplug/codeplug.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace pw {
namespace {

using test::TempDir;

std::vector<int> rowRange(int first, int count)
{
    std::vector<int> rows(static_cast<std::size_t>(count));
    std::iota(rows.begin(), rows.end(), first);
    return rows;
}

// A codeplug of the format with `channels` channels "Net 1", "Net 2", ... and no zones or scan
// lists; zones and lists added by the tests go straight into the lists, leaving the changed flag
// to the wizard.
class ZoneWizardTest : public ::testing::Test {
protected:
    void load(FormatId format, int channels)
    {
        const auto path = test::writeFixture(dir.file("plug"), format);
        ASSERT_EQ(codeplug.open(path), format);
        codeplug.decode();
        codeplug.channels().deleteAll();
        for (int i = 1; i <= channels; ++i) {
            Channel channel = newChannel(format, 440.0 + i * 0.0125);
            channel.setName("Net " + std::to_string(i));
            ASSERT_EQ(codeplug.addChannel(channel), AddResult::Added);
        }
        codeplug.zones().deleteAll();
        codeplug.scanLists().deleteAll();
        codeplug.save(dir.file("saved"));  // leaves the changed flag clear
        ASSERT_FALSE(codeplug.changed());
    }

    Zone& addZone(const std::string& name, const std::vector<int>& rows)
    {
        auto zone = std::make_unique<Zone>(codeplug.newZone());
        zone->setName(name);
        for (const int row : rows)
            EXPECT_TRUE(zone->addMember(codeplug.memberNumberOf(row))) << row;
        codeplug.zones().append(std::move(zone));
        return *codeplug.zones().at(codeplug.zones().count() - 1);
    }

    void addScanList(const std::string& name)
    {
        auto list = std::make_unique<ScanList>(codeplug.newScanList());
        list->setName(name);
        codeplug.scanLists().append(std::move(list));
    }

    // Member i as a 0-based channel row.
    std::vector<int> memberRows(const Zone& zone) const
    {
        std::vector<int> rows;
        for (int i = 0; i < zone.memberCount(); ++i)
            rows.push_back(codeplug.channelIndexOfMember(zone.member(i)));
        return rows;
    }

    std::vector<int> memberRows(const ScanList& list) const
    {
        std::vector<int> rows;
        for (int i = 0; i < list.memberCount(); ++i)
            rows.push_back(codeplug.channelIndexOfMember(list.member(i)));
        return rows;
    }

    ZoneWizard openOn(const std::vector<int>& rows)
    {
        auto wizard = ZoneWizard::open(&codeplug, prompts, rows);
        EXPECT_TRUE(wizard.has_value());
        return std::move(*wizard);
    }

    TempDir dir;
    Codeplug codeplug;
    ScriptedPrompts prompts;
};

// ---- Opening ----

TEST(ZoneWizardNames, FirstWordEndsAtASpaceCommaOrControlCharacterAndKeepsSixteenCharacters)
{
    EXPECT_EQ(firstWordOf("Home Rpt"), "Home");
    EXPECT_EQ(firstWordOf("N0CALL,2"), "N0CALL");
    EXPECT_EQ(firstWordOf("Tab\tName"), "Tab");
    EXPECT_EQ(firstWordOf("ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(firstWordOf(" Leading"), "");
    EXPECT_EQ(firstWordOf("Caf\xe9 Nord"), "Caf\xe9");
}

TEST_F(ZoneWizardTest, OpensWithTheFirstWordOfTheFirstChannelInListOrder)
{
    load(Md380Format, 4);
    codeplug.channelAt(1)->setName("Metro North");
    const auto wizard = openOn({3, 1, 3});
    EXPECT_EQ(wizard.rows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(wizard.zoneName(), "Metro");
    EXPECT_EQ(wizard.scanListName(), "Metro");
    EXPECT_EQ(wizard.selectedChannels(), "Metro North\r\nNet 4\r\n");
    EXPECT_FALSE(wizard.createScanList());
    EXPECT_FALSE(wizard.applyScanList());
    EXPECT_EQ(wizard.status(), "A new zone 'Metro' will be created and it will contain 2 channels from the 2 you "
                               "selected. Note that zones in this codeplug are limited to 16 channels total.");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ZoneWizardTest, OpeningRefusesNoSelectionAndRowsThatNameNoChannel)
{
    load(Md380Format, 3);
    EXPECT_FALSE(ZoneWizard::open(&codeplug, prompts, {}));
    EXPECT_FALSE(ZoneWizard::open(&codeplug, prompts, {3}));
    EXPECT_FALSE(ZoneWizard::open(&codeplug, prompts, {0, 7}));
    const std::string invalid = "Invalid index passed to Zone Wizard; unable to complete command.";
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"No channels selected. You must select at least\r\none "
                                                         "channel to use Zone Wizard.",
                                                         invalid, invalid}));
    for (const auto& shown : prompts.shown())
        EXPECT_EQ(shown.icon, MessageIcon::Error);
}

TEST(ZoneWizardWithoutCodeplug, ClosesSilently)
{
    ScriptedPrompts prompts;
    Codeplug notLoaded;
    EXPECT_FALSE(ZoneWizard::open(nullptr, prompts, {0}));
    EXPECT_FALSE(ZoneWizard::open(&notLoaded, prompts, {0}));
    EXPECT_TRUE(prompts.shown().empty());
}

// ---- Status ----

TEST_F(ZoneWizardTest, TwentyChannelsIntoANewMd380ZoneFillItWithTheFirstSixteen)
{
    load(Md380Format, 20);
    auto wizard = openOn(rowRange(0, 20));
    wizard.setZoneName("Net");
    EXPECT_EQ(wizard.status(), "A new zone 'Net' will be created and it will contain 16 channels from the 20 you "
                               "selected. Note that zones in this codeplug are limited to 16 channels total.");

    const auto result = wizard.commit(prompts);
    EXPECT_EQ(result.outcome, CommitOutcome::Accepted);
    ASSERT_EQ(codeplug.zones().count(), 1);
    EXPECT_EQ(result.zoneIndex, 0);
    EXPECT_EQ(codeplug.zones().at(0)->name(), "Net");
    EXPECT_EQ(memberRows(*codeplug.zones().at(0)), rowRange(0, 16));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Zone 'Net' created or updated with 16 channels total."});
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Information);
    EXPECT_TRUE(result.modelChanged);
    EXPECT_TRUE(codeplug.changed());
}

TEST_F(ZoneWizardTest, EightChannelsIntoAZoneHoldingTenOfSixteenAddOnlySix)
{
    load(Md380Format, 18);
    addZone("Big", rowRange(0, 10));
    auto wizard = openOn(rowRange(10, 8));
    wizard.setZoneName("big");  // letter case does not matter
    EXPECT_EQ(wizard.status(), "An existing zone, 'big', will have only 6 channels from the 8 selected channels added "
                               "to it. The zone will be FULL with 16 channels after this addition.");

    wizard.commit(prompts);
    ASSERT_EQ(codeplug.zones().count(), 1);
    EXPECT_EQ(memberRows(*codeplug.zones().at(0)), rowRange(0, 16));
    EXPECT_EQ(prompts.lastText(), "Zone 'Big' created or updated with 16 channels total.");
}

TEST_F(ZoneWizardTest, ChannelsThatAreAlreadyMembersAreNeitherCountedNorAdded)
{
    load(Md380Format, 6);
    addZone("Home", {0, 1, 2});
    auto wizard = openOn({0, 1, 2});
    wizard.setZoneName("Home");
    EXPECT_EQ(wizard.status(),
              "An existing zone, 'Home', will have 0 channels added to it, for a total of 3 channels in the zone.");
    const auto result = wizard.commit(prompts);
    EXPECT_EQ(memberRows(*codeplug.zones().at(0)), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(prompts.lastText(), "Zone 'Home' created or updated with 3 channels total.");
    EXPECT_FALSE(result.modelChanged);
    EXPECT_FALSE(codeplug.changed());

    // Two of four already there: the other two are added.
    auto mixed = openOn({1, 2, 3, 4});
    mixed.setZoneName("HOME");
    EXPECT_EQ(mixed.status(),
              "An existing zone, 'HOME', will have 2 channels added to it, for a total of 5 channels in the zone.");
}

TEST_F(ZoneWizardTest, AlreadyMembersDoNotMakeAZoneLookFull)
{
    load(Md380Format, 18);
    addZone("Big", rowRange(0, 14));
    // Three selected, one already in: two fit exactly.
    auto wizard = openOn({13, 14, 15});
    wizard.setZoneName("Big");
    EXPECT_EQ(wizard.status(),
              "An existing zone, 'Big', will have 2 channels added to it, for a total of 16 channels in the zone.");
}

TEST_F(ZoneWizardTest, FullZoneAndEmptyNameStatus)
{
    load(Md380Format, 17);
    addZone("Full", rowRange(0, 16));
    auto wizard = openOn({16});
    wizard.setZoneName("Full");
    EXPECT_EQ(wizard.status(),
              "ERROR! The zone 'Full' is FULL and NONE of the channels you've selected can be added to it.");
    wizard.setZoneName("");
    EXPECT_EQ(wizard.status(), "ERROR! The ZONE NAME is empty. No action can be taken. Please choose a zone name.");
}

TEST_F(ZoneWizardTest, StatusUsesTheZoneCapacityOfTheFormat)
{
    const struct {
        FormatId format;
        int capacity;
    } cases[] = {{Md2017Format, 64}, {RdbV1Format, 16}, {D868Format, 250}};
    for (const auto& c : cases) {
        load(c.format, 70);
        auto wizard = openOn(rowRange(0, 70));
        wizard.setZoneName("Wide");
        const int expected = std::min(70, c.capacity);
        EXPECT_EQ(wizard.status(), "A new zone 'Wide' will be created and it will contain " + std::to_string(expected) +
                                       " channels from the 70 you selected. Note that zones in this codeplug are "
                                       "limited to " + std::to_string(c.capacity) + " channels total.")
            << std::hex << c.format;
        wizard.commit(prompts);
        EXPECT_EQ(memberRows(*codeplug.zones().at(0)), rowRange(0, expected)) << std::hex << c.format;
    }
}

TEST_F(ZoneWizardTest, ZoneNameIsCutToSixteenCharacters)
{
    load(Md380Format, 2);
    auto wizard = openOn({0});
    wizard.setZoneName("ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(wizard.zoneName(), "ABCDEFGHIJKLMNOP");
}

// ---- Scan-list name ----

TEST_F(ZoneWizardTest, ProposedScanListNameAvoidsNamesInUseUpToNine)
{
    load(Md380Format, 2);
    EXPECT_EQ(proposedScanListName(codeplug, "Net"), "Net");
    addScanList("NET");
    EXPECT_EQ(proposedScanListName(codeplug, "Net"), "Net1");
    addScanList("net1");
    EXPECT_EQ(proposedScanListName(codeplug, "Net"), "Net2");
    for (int i = 2; i <= 9; ++i)
        addScanList("Net" + std::to_string(i));
    EXPECT_EQ(proposedScanListName(codeplug, "Net"), "Net9");
}

TEST_F(ZoneWizardTest, ProposedScanListNameKeepsItsDigitWithinSixteenCharacters)
{
    load(Md380Format, 2);
    addScanList("ABCDEFGHIJKLMNOP");
    EXPECT_EQ(proposedScanListName(codeplug, "ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKLMNO1");
}

TEST_F(ZoneWizardTest, ZoneNameChangeProposesTheScanListNameUnlessEmpty)
{
    load(Md380Format, 2);
    addScanList("Local");
    auto wizard = openOn({0});
    EXPECT_EQ(wizard.scanListName(), "Net");
    wizard.setZoneName("Local");
    EXPECT_EQ(wizard.scanListName(), "Local1");
    wizard.setScanListName("Mine");
    wizard.setZoneName("");
    EXPECT_EQ(wizard.scanListName(), "Mine");
}

// ---- Switches and commit ----

TEST_F(ZoneWizardTest, ApplySwitchSwitchesCreationOnButNotOff)
{
    load(Md380Format, 1);
    auto wizard = openOn({0});
    wizard.setApplyScanList(true);
    EXPECT_TRUE(wizard.createScanList());
    wizard.setApplyScanList(false);
    EXPECT_TRUE(wizard.createScanList());
    EXPECT_FALSE(wizard.applyScanList());
}

TEST_F(ZoneWizardTest, EmptyZoneNameKeepsTheDialogOpenAndChangesNothing)
{
    load(Md380Format, 2);
    auto wizard = openOn({0, 1});
    wizard.setZoneName("");
    wizard.setCreateScanList(true);
    const auto result = wizard.commit(prompts);
    EXPECT_EQ(result.outcome, CommitOutcome::StayOpen);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Error: Zone name may not be empty. Please choose a zone name, "
                                                        "then click\r\nCOMMIT CHANGES to try again."});
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(codeplug.zones().count(), 0);
    EXPECT_EQ(codeplug.scanLists().count(), 0);
    EXPECT_FALSE(codeplug.changed());
}

TEST_F(ZoneWizardTest, NewScanListHoldsTheSelectionAndApplyPointsEveryZoneMemberAtIt)
{
    for (const auto format : {Md380Format, RdbV2Format, D868Format}) {
        load(format, 8);
        addScanList("Other");
        addZone("Home", {0, 1});
        codeplug.channelAt(6)->setScanList(1);
        auto wizard = openOn({4, 5});
        wizard.setZoneName("Home");
        wizard.setScanListName("Home Scan");
        wizard.setApplyScanList(true);
        prompts.clearShown();
        const auto result = wizard.commit(prompts);

        ASSERT_EQ(codeplug.scanLists().count(), 2) << std::hex << format;
        EXPECT_EQ(result.scanListIndex, 1);
        const auto& list = *codeplug.scanLists().at(1);
        EXPECT_EQ(list.name(), "Home Scan");
        EXPECT_EQ(memberRows(list), (std::vector<int>{4, 5})) << "the selection, not the whole zone";
        EXPECT_EQ(memberRows(*codeplug.zones().at(0)), (std::vector<int>{0, 1, 4, 5}));
        for (const int row : {0, 1, 4, 5})
            EXPECT_EQ(codeplug.channelAt(row)->scanList(), 2) << std::hex << format << " row " << row;
        EXPECT_EQ(codeplug.channelAt(6)->scanList(), 1) << "channels outside the zone keep theirs";
        EXPECT_EQ(codeplug.channelAt(2)->scanList(), 0);
        EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Zone 'Home' created or updated with 4 channels total."
                                                            "\r\nScan List 'Home Scan' created."
                                                            "\r\nChannels in zone 'Home' all reference Scan List "
                                                            "'Home Scan'."});
    }
}

TEST_F(ZoneWizardTest, ScanListWithoutApplyLeavesTheChannelsReferencesAlone)
{
    load(Md380Format, 3);
    auto wizard = openOn({0, 1, 2});
    wizard.setCreateScanList(true);
    wizard.commit(prompts);
    EXPECT_EQ(codeplug.scanLists().count(), 1);
    EXPECT_EQ(codeplug.scanLists().at(0)->name(), "Net");
    for (const auto& channel : codeplug.channels())
        EXPECT_EQ(channel->scanList(), 0);
    EXPECT_EQ(prompts.lastText(), "Zone 'Net' created or updated with 3 channels total.\r\nScan List 'Net' created.");
}

TEST_F(ZoneWizardTest, ApplyUsesTheNewListEvenWhenAnOlderListHasTheSameName)
{
    load(Md380Format, 2);
    addScanList("Twin");
    auto wizard = openOn({0, 1});
    wizard.setZoneName("Z");
    wizard.setScanListName("twin");
    wizard.setApplyScanList(true);
    wizard.commit(prompts);
    ASSERT_EQ(codeplug.scanLists().count(), 2);
    EXPECT_EQ(codeplug.channelAt(0)->scanList(), 2);
    EXPECT_EQ(codeplug.channelAt(1)->scanList(), 2);
}

TEST_F(ZoneWizardTest, ApplyWithTheCreationBoxOffOrAnEmptyNameDoesNothing)
{
    load(Md380Format, 2);
    addScanList("Net");
    auto wizard = openOn({0, 1});
    wizard.setApplyScanList(true);
    wizard.setCreateScanList(false);
    wizard.commit(prompts);
    EXPECT_EQ(codeplug.scanLists().count(), 1);
    EXPECT_EQ(codeplug.channelAt(0)->scanList(), 0);

    auto unnamed = openOn({0});
    unnamed.setApplyScanList(true);
    unnamed.setScanListName("");
    unnamed.commit(prompts);
    EXPECT_EQ(codeplug.scanLists().count(), 1);
    EXPECT_EQ(prompts.lastText(), "Zone 'Net' created or updated with 2 channels total.");
}

TEST_F(ZoneWizardTest, NewZoneWhen250ExistIsRefusedAndNothingChanges)
{
    load(Md380Format, 2);
    for (int i = 0; i < MaxZones; ++i)
        addZone("Z" + std::to_string(i), {});
    auto wizard = openOn({0, 1});
    wizard.setZoneName("Extra");
    wizard.setCreateScanList(true);
    EXPECT_EQ(wizard.status(), "ERROR! This codeplug already holds 250 zones, so the new zone 'Extra' cannot be "
                               "created. Please choose the name of an existing zone.");
    const auto result = wizard.commit(prompts);
    EXPECT_EQ(result.outcome, CommitOutcome::StayOpen);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{std::string(zone_wizard_text::NoRoomForZone)});
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(codeplug.zones().count(), MaxZones);
    EXPECT_EQ(codeplug.scanLists().count(), 0);
    EXPECT_FALSE(codeplug.changed());

    // An existing zone can still be filled.
    wizard.setZoneName("Z7");
    EXPECT_EQ(wizard.commit(prompts).outcome, CommitOutcome::Accepted);
    EXPECT_EQ(memberRows(*codeplug.zones().at(7)), (std::vector<int>{0, 1}));
}

TEST_F(ZoneWizardTest, FullScanListTableIsReportedInsteadOfACreatedList)
{
    load(Md380Format, 2);
    for (int i = 0; i < MaxScanLists; ++i)
        addScanList("S" + std::to_string(i));
    auto wizard = openOn({0, 1});
    wizard.setZoneName("Z");
    wizard.setScanListName("New");
    wizard.setApplyScanList(true);
    const auto result = wizard.commit(prompts);
    EXPECT_EQ(result.scanListIndex, -1);
    EXPECT_EQ(codeplug.scanLists().count(), MaxScanLists);
    EXPECT_EQ(codeplug.channelAt(0)->scanList(), 0);
    EXPECT_EQ(prompts.lastText(), "Zone 'Z' created or updated with 2 channels total.\r\n"
                                  "Sorry, no room for an additional scan list.");
}

} // namespace
} // namespace pw
