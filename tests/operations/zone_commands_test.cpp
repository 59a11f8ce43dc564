#include "operations/zone_commands.h"

#include "operations/maintenance_fixture.h"
#include "operations/reorder_zones.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::bankChannels;
using test::MaintenanceFixture;
using test::zoneNames;

// ---- New, delete, rename ----

TEST(NewZone, AsksForTheNameAndMakesTheNewZoneCurrent)
{
    MaintenanceFixture f(Md380Format);
    f.addChannels(2);
    f.addZone("First");
    f.forgetChanges();
    f.prompts.type("Second");

    const auto result = newZoneCommand(f.codeplug, f.prompts, f.state);

    ASSERT_EQ(f.prompts.asked().size(), 1u);
    const auto& asked = f.prompts.asked().front();
    EXPECT_EQ(asked.title, "New Zone");
    EXPECT_EQ(asked.prompt, "Enter the new zone name (15 characters maximum).");
    EXPECT_EQ(asked.maxLength, 15u);
    EXPECT_EQ(asked.initialText, "");
    EXPECT_EQ(zoneNames(f.codeplug), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(f.state.currentZone, 1);
    EXPECT_TRUE(includes(result.refresh, TabList::Zones));
    EXPECT_TRUE(f.codeplug.changed());
    EXPECT_TRUE(f.prompts.shown().empty());
}

TEST(NewZone, CancelledOrRepeatedNames)
{
    MaintenanceFixture f(Md380Format);
    f.addZone("Home");
    f.forgetChanges();

    f.prompts.type(std::nullopt);
    EXPECT_EQ(newZoneCommand(f.codeplug, f.prompts, f.state).refresh, TabList::None);
    EXPECT_EQ(f.codeplug.zones().count(), 1);

    // A name typed by the user may repeat one in use.
    f.prompts.type("Home");
    newZoneCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(zoneNames(f.codeplug), (std::vector<std::string>{"Home", "Home"}));
}

TEST(NewZone, StartsWithTheFirstChannelOnlyInA2001Codeplug)
{
    for (const FormatId format : {RdbV1Format, RdbV11Format, RdbV2Format, Md380Format, Md2017Format, D868Format}) {
        MaintenanceFixture f(format);
        f.addChannels(3);
        f.forgetChanges();
        f.prompts.type("Z");
        newZoneCommand(f.codeplug, f.prompts, f.state);
        ASSERT_EQ(f.codeplug.zones().count(), 1) << std::hex << format;
        auto& zone = *f.codeplug.zones().at(0);
        if (format == RdbV1Format)
            EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{0})) << std::hex << format;
        else
            EXPECT_EQ(zone.memberCount(), 0) << std::hex << format;
        EXPECT_EQ(zone.name(), "Z");
    }
}

TEST(NewZone, TheZoneAfterTheLastThatFitsIsRefusedWithAMessage)
{
    MaintenanceFixture f(Md380Format);
    for (int i = 0; i < MaxZones; ++i)
        f.addZone("Z" + std::to_string(i));
    f.forgetChanges();
    f.state.currentZone = 7;
    f.prompts.type("One too many");

    const auto result = newZoneCommand(f.codeplug, f.prompts, f.state);

    EXPECT_TRUE(result.refused);
    EXPECT_EQ(f.codeplug.zones().count(), MaxZones);
    EXPECT_EQ(f.state.currentZone, 7);
    ASSERT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.prompts.shown()[0].text, "Sorry, no room for an additional zone.");
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
}

TEST(DeleteZone, AsksAndDeletesTheCurrentZoneThenTheFirstIsCurrent)
{
    MaintenanceFixture f(Md380Format);
    f.addZone("Alpha");
    f.addZone("Bravo");
    f.addZone("Charlie");
    f.forgetChanges();
    f.state.currentZone = 1;

    f.prompts.answer(MessageAnswer::No);
    deleteZoneCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.codeplug.zones().count(), 3);
    EXPECT_EQ(f.state.currentZone, 1);

    f.prompts.answer(MessageAnswer::Yes);
    const auto result = deleteZoneCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(zoneNames(f.codeplug), (std::vector<std::string>{"Alpha", "Charlie"}));
    EXPECT_EQ(f.state.currentZone, 0);
    EXPECT_TRUE(includes(result.refresh, TabList::Zones));
    ASSERT_EQ(f.prompts.shown().size(), 2u);
    EXPECT_EQ(f.prompts.shown()[1].text, "Are you sure you want to delete Zone 'Bravo' ?");
    EXPECT_EQ(f.prompts.shown()[1].buttons, MessageButtons::YesNo);
}

TEST(DeleteZone, TheLastZoneIsKeptWithoutAQuestion)
{
    MaintenanceFixture f(Md380Format);
    f.addZone("Only");
    f.forgetChanges();
    deleteZoneCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.codeplug.zones().count(), 1);
    EXPECT_TRUE(f.prompts.shown().empty());
}

TEST(RenameZone, ShowsTheCurrentNameAndMarksTheCodeplugChanged)
{
    MaintenanceFixture f(Md2017Format);
    f.addZone("Old");
    f.addZone("Other");
    f.forgetChanges();
    f.state.currentZone = 0;

    f.prompts.type(std::nullopt);
    renameZoneCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.codeplug.zones().at(0)->name(), "Old");

    f.prompts.type("A name far longer than fifteen");
    const auto result = renameZoneCommand(f.codeplug, f.prompts, f.state);
    ASSERT_EQ(f.prompts.asked().size(), 2u);
    EXPECT_EQ(f.prompts.asked()[1].title, "Rename Zone");
    EXPECT_EQ(f.prompts.asked()[1].prompt, "Enter the new name for the zone, or CANCEL.");
    EXPECT_EQ(f.prompts.asked()[1].initialText, "Old");
    EXPECT_EQ(f.prompts.asked()[1].maxLength, 15u);
    EXPECT_EQ(f.codeplug.zones().at(0)->name(), "A name far long");
    EXPECT_TRUE(result.modelChanged);
    EXPECT_TRUE(f.codeplug.changed());
}

// ---- Previous and next ----

TEST(ZoneSteps, NextOnTheLastShowsTheFirstAndPreviousOnTheFirstTheLast)
{
    MaintenanceFixture f(Md380Format);
    f.addZone("A");
    f.addZone("B");
    f.addZone("C");
    f.forgetChanges();

    nextZone(f.codeplug, f.state);
    EXPECT_EQ(f.state.currentZone, 1);
    nextZone(f.codeplug, f.state);
    EXPECT_EQ(f.state.currentZone, 2);
    EXPECT_EQ(nextZone(f.codeplug, f.state).refresh, TabList::Zones);
    EXPECT_EQ(f.state.currentZone, 0);
    previousZone(f.codeplug, f.state);
    EXPECT_EQ(f.state.currentZone, 2);
    EXPECT_FALSE(f.codeplug.changed());
}

TEST(ZoneSteps, AnEmptyTableHasNoCurrentZone)
{
    MaintenanceFixture f(Md380Format);
    f.forgetChanges();
    EXPECT_EQ(nextZone(f.codeplug, f.state).refresh, TabList::None);
    EXPECT_FALSE(f.state.currentZone);
}

// ---- Members ----

TEST(ZoneMembers, AddingMarksChangedAndARepeatAddsAndShowsNothing)
{
    MaintenanceFixture f(Md380Format);
    f.addChannels(3);
    f.addZone("Z");
    f.forgetChanges();

    const auto added = addChannelToZone(f.codeplug, f.prompts, f.state, 2);
    EXPECT_TRUE(added.modelChanged);
    EXPECT_TRUE(f.codeplug.changed());
    const auto repeated = addChannelToZone(f.codeplug, f.prompts, f.state, 2);
    EXPECT_FALSE(repeated.modelChanged);
    EXPECT_FALSE(repeated.refused);
    EXPECT_TRUE(f.prompts.shown().empty());
    EXPECT_EQ(bankChannels(*f.codeplug.zones().at(0), 1, f.codeplug), (std::vector<int>{2}));
}

TEST(ZoneMembers, AFullBankSaysSoUnlessTheChannelIsAlreadyThere)
{
    MaintenanceFixture f(Md380Format);
    f.addChannels(17);
    f.addZone("Z");
    f.forgetChanges();
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(addChannelToZone(f.codeplug, f.prompts, f.state, i).modelChanged);

    addChannelToZone(f.codeplug, f.prompts, f.state, 3);
    EXPECT_TRUE(f.prompts.shown().empty());

    const auto result = addChannelToZone(f.codeplug, f.prompts, f.state, 16);
    EXPECT_TRUE(result.refused);
    ASSERT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.prompts.shown()[0].text, "Zone is full - - unable to add more channels.");
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(f.codeplug.zones().at(0)->memberCount(), 16);
}

TEST(ZoneMembers, ActOnTheShownBank)
{
    MaintenanceFixture f(Md9600Format);
    f.addChannels(3);
    f.addZone("Z");
    f.forgetChanges();

    addChannelToZone(f.codeplug, f.prompts, f.state, 0);
    f.state.shownBank = 2;
    addChannelToZone(f.codeplug, f.prompts, f.state, 0);
    addChannelToZone(f.codeplug, f.prompts, f.state, 1);
    auto& zone = *f.codeplug.zones().at(0);
    EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{0}));
    EXPECT_EQ(bankChannels(zone, 2, f.codeplug), (std::vector<int>{0, 1}));

    removeChannelFromZone(f.codeplug, f.state, 0);
    EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{0}));
    EXPECT_EQ(bankChannels(zone, 2, f.codeplug), (std::vector<int>{1}));
}

TEST(ZoneMembers, MovesLetTheSelectionFollowAndStopAtTheEnds)
{
    MaintenanceFixture f(RdbV2Format);
    f.addChannels(3);
    f.addZone("Z");
    f.forgetChanges();
    for (int i = 0; i < 3; ++i)
        addChannelToZone(f.codeplug, f.prompts, f.state, i);
    auto& zone = *f.codeplug.zones().at(0);

    const auto up = moveZoneMemberUp(f.codeplug, f.state, 2);
    EXPECT_EQ(up.selectedRow, 1);
    EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{0, 2, 1}));
    const auto down = moveZoneMemberDown(f.codeplug, f.state, 0);
    EXPECT_EQ(down.selectedRow, 1);
    EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{2, 0, 1}));

    const auto top = moveZoneMemberUp(f.codeplug, f.state, 0);
    const auto bottom = moveZoneMemberDown(f.codeplug, f.state, 2);
    EXPECT_FALSE(top.modelChanged || bottom.modelChanged);
    EXPECT_FALSE(top.selectedRow || bottom.selectedRow);
    EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{2, 0, 1}));

    EXPECT_TRUE(removeChannelFromZone(f.codeplug, f.state, 1).modelChanged);
    EXPECT_FALSE(removeChannelFromZone(f.codeplug, f.state, 5).modelChanged);
    EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{2, 1}));
}

TEST(ZoneMembers, NothingHappensWithoutACurrentZone)
{
    MaintenanceFixture f(Md380Format);
    f.addChannels(1);
    f.forgetChanges();
    EXPECT_EQ(addChannelToZone(f.codeplug, f.prompts, f.state, 0).refresh, TabList::None);
    f.prompts.type("X");
    EXPECT_EQ(renameZoneCommand(f.codeplug, f.prompts, f.state).refresh, TabList::None);
    EXPECT_TRUE(f.prompts.asked().empty());
    EXPECT_FALSE(f.codeplug.changed());
}

// ---- Banks ----

TEST(ZoneBanks, ButtonLabelsFollowTheShownBankAndHideForOneBank)
{
    MaintenanceFixture one(Md380Format);
    one.addZone("Z");
    one.forgetChanges();
    EXPECT_FALSE(zoneBankButtonLabels(one.codeplug, one.state));
    EXPECT_EQ(switchZoneBank(one.codeplug, one.state).refresh, TabList::None);
    EXPECT_EQ(one.state.shownBank, 1);

    MaintenanceFixture two(Md2017Format);
    EXPECT_FALSE(zoneBankButtonLabels(two.codeplug, two.state)) << "no zone, no buttons";
    two.addZone("Z");
    two.forgetChanges();
    auto labels = zoneBankButtonLabels(two.codeplug, two.state);
    ASSERT_TRUE(labels);
    EXPECT_EQ(labels->bankSwitch, "[A]<-- BANK");
    EXPECT_EQ(labels->mirror, "MIRROR-->[B]");

    EXPECT_EQ(switchZoneBank(two.codeplug, two.state).refresh, TabList::Zones);
    EXPECT_EQ(two.state.shownBank, 2);
    labels = zoneBankButtonLabels(two.codeplug, two.state);
    ASSERT_TRUE(labels);
    EXPECT_EQ(labels->bankSwitch, "BANK -->[B]");
    EXPECT_EQ(labels->mirror, "[A]<--MIRROR");
    switchZoneBank(two.codeplug, two.state);
    EXPECT_EQ(two.state.shownBank, 1);
    EXPECT_FALSE(two.codeplug.changed());
}

class ZoneMirror : public ::testing::Test {
protected:
    MaintenanceFixture f{Md2017Format};

    Zone& zone() { return *f.codeplug.zones().at(0); }

    // Channels [first, first + count) into a bank of the zone.
    void fillBank(int bank, int first, int count)
    {
        zone().selectBank(bank);
        for (int i = first; i < first + count; ++i)
            ASSERT_EQ(zone().addMember(i, f.codeplug.channels()), 1);
    }

    static std::vector<int> range(int first, int count)
    {
        std::vector<int> values;
        for (int i = first; i < first + count; ++i)
            values.push_back(i);
        return values;
    }

    void SetUp() override
    {
        f.addChannels(80);
        f.addZone("Hotspots");
        f.forgetChanges();
    }
};

TEST_F(ZoneMirror, TenIntoAnEmptyBankThenAgain)
{
    fillBank(1, 0, 10);

    f.prompts.answer(MessageAnswer::Yes);
    const auto first = mirrorZoneBank(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(bankChannels(zone(), 2, f.codeplug), range(0, 10));
    EXPECT_EQ(bankChannels(zone(), 1, f.codeplug), range(0, 10));
    EXPECT_TRUE(first.modelChanged);
    EXPECT_TRUE(f.codeplug.changed());
    ASSERT_EQ(f.prompts.shown().size(), 2u);
    EXPECT_EQ(f.prompts.shown()[0].text,
              "Mirror the contents of Bank 1 of Zone 'Hotspots' to Bank 2 in the same Zone?\r\n\r\n"
              "The mirror operation will append to the contents of Bank 2, if any.");
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(f.prompts.shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(f.prompts.shown()[1].text, "10 channels moved from Bank 1 to Bank 2 of Zone 'Hotspots'.");
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Information);

    f.prompts.clearShown();
    f.prompts.answer(MessageAnswer::Yes);
    const auto second = mirrorZoneBank(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(bankChannels(zone(), 2, f.codeplug), range(0, 10));
    EXPECT_FALSE(second.modelChanged);
    EXPECT_EQ(f.prompts.lastText(), "10 channels moved from Bank 1 to Bank 2 of Zone 'Hotspots'.");
}

TEST_F(ZoneMirror, FortyIntoABankHoldingThirtyStopsAtThirtyFour)
{
    fillBank(1, 0, 40);
    fillBank(2, 40, 30);

    f.prompts.answer(MessageAnswer::Yes);
    const auto result = mirrorZoneBank(f.codeplug, f.prompts, f.state);

    auto expected = range(40, 30);
    for (int i = 0; i < 34; ++i)
        expected.push_back(i);
    EXPECT_EQ(bankChannels(zone(), 2, f.codeplug), expected);
    EXPECT_TRUE(result.modelChanged);
    ASSERT_EQ(f.prompts.shown().size(), 2u);
    EXPECT_EQ(f.prompts.shown()[1].text,
              "34 channels moved from Bank 1 to Bank 2 of Zone 'Hotspots'.\r\n\r\n"
              "Insufficient room to hold all source channels.");
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Warning);
}

TEST_F(ZoneMirror, AFullTargetHoldingEverySourceChannelIsNotShortOfRoom)
{
    fillBank(1, 0, 64);
    fillBank(2, 0, 64);
    f.prompts.answer(MessageAnswer::Yes);
    mirrorZoneBank(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.prompts.lastText(), "64 channels moved from Bank 1 to Bank 2 of Zone 'Hotspots'.");
}

TEST_F(ZoneMirror, BankBMirrorsIntoBankA)
{
    fillBank(1, 0, 2);
    fillBank(2, 5, 3);
    f.state.shownBank = 2;
    f.prompts.answer(MessageAnswer::Yes);
    mirrorZoneBank(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(bankChannels(zone(), 1, f.codeplug), (std::vector<int>{0, 1, 5, 6, 7}));
    EXPECT_EQ(f.prompts.shown()[0].text,
              "Mirror the contents of Bank 2 of Zone 'Hotspots' to Bank 1 in the same Zone?\r\n\r\n"
              "The mirror operation will append to the contents of Bank 1, if any.");
    EXPECT_EQ(f.prompts.lastText(), "3 channels moved from Bank 2 to Bank 1 of Zone 'Hotspots'.");
}

TEST_F(ZoneMirror, AnEmptySourceOrANoChangesNothing)
{
    const auto empty = mirrorZoneBank(f.codeplug, f.prompts, f.state);
    EXPECT_TRUE(empty.refused);
    ASSERT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.prompts.shown()[0].text, "Sorry, there are no channels in this bank to mirror.");
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);

    fillBank(1, 0, 4);
    f.prompts.clearShown();
    f.prompts.answer(MessageAnswer::No);
    mirrorZoneBank(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_TRUE(bankChannels(zone(), 2, f.codeplug).empty());
    EXPECT_FALSE(f.codeplug.changed());
}

// ---- Reorder Zones ----

TEST(ReorderZones, RowsExplanationAndTheMissingCodeplug)
{
    Codeplug none;
    ScriptedPrompts prompts;
    EXPECT_FALSE(canOpenReorderZones(none, prompts));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, "Error: Unable to access memory image.");
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Error);

    MaintenanceFixture f(Md380Format);
    EXPECT_TRUE(canOpenReorderZones(f.codeplug, f.prompts));
    auto rows = reorderZoneRows(f.codeplug);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].number, "#");
    EXPECT_EQ(rows[0].name, "No Zones");

    f.addZone("North");
    f.addZone("South");
    rows = reorderZoneRows(f.codeplug);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].number, "2");
    EXPECT_EQ(rows[1].name, "South");
    EXPECT_EQ(std::string(ReorderZonesExplanation),
              "Highlight a zone, then click the up or down button to move\r\nit to a new position in the codeplug.");
}

TEST(ReorderZones, MovesSwapNeighboursAndTheSelectionFollows)
{
    MaintenanceFixture f(Md2017Format);
    f.addChannels(2);
    f.addZone("A");
    f.addZone("B");
    f.addZone("C");
    f.codeplug.zones().at(2)->selectBank(2);
    f.codeplug.zones().at(2)->addMember(1, f.codeplug.channels());
    f.forgetChanges();

    auto result = moveZoneUp(f.codeplug, f.prompts, 2);
    EXPECT_EQ(zoneNames(f.codeplug), (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(result.selectedRow, 1);
    EXPECT_TRUE(f.codeplug.changed());
    EXPECT_EQ(bankChannels(*f.codeplug.zones().at(1), 2, f.codeplug), (std::vector<int>{1}))
        << "a zone moves with both its banks";

    result = moveZoneDown(f.codeplug, f.prompts, 0);
    EXPECT_EQ(zoneNames(f.codeplug), (std::vector<std::string>{"C", "A", "B"}));
    EXPECT_EQ(result.selectedRow, 1);

    EXPECT_FALSE(moveZoneUp(f.codeplug, f.prompts, 0).modelChanged);
    EXPECT_FALSE(moveZoneDown(f.codeplug, f.prompts, 2).modelChanged);
    EXPECT_TRUE(f.prompts.shown().empty());

    moveZoneDown(f.codeplug, f.prompts, std::nullopt);
    ASSERT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.prompts.shown()[0].text, "First select a zone to move, then click the UP or DOWN button.");
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Information);

    f.state.currentZone = 2;
    finishReorderZones(f.codeplug, f.state);
    EXPECT_EQ(f.state.currentZone, 0);
}

// ---- Tab state ----

TEST(ListTabState, ResetAndFitKeepPositionsInsideTheTables)
{
    MaintenanceFixture f(Md2017Format);
    f.addZone("A");
    f.addZone("B");
    f.addScanList("S");
    f.state.currentZone = 1;
    f.state.shownBank = 2;
    f.state.reset(f.codeplug);
    EXPECT_EQ(f.state.currentZone, 0);
    EXPECT_EQ(f.state.currentScanList, 0);
    EXPECT_FALSE(f.state.currentRxGroup);
    EXPECT_EQ(f.state.shownBank, 1);

    f.state.currentZone = 9;
    f.state.currentScanList = std::nullopt;
    f.addRxGroup("G");
    f.state.fitTo(f.codeplug);
    EXPECT_EQ(f.state.currentZone, 1);
    EXPECT_EQ(f.state.currentScanList, 0);
    EXPECT_EQ(f.state.currentRxGroup, 0);
}

} // namespace
} // namespace pw
