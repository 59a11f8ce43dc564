// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/member_list_commands.h"
#include "operations/reorder_zones.h"
#include "operations/zone_commands.h"

#include "operations/maintenance_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::bankChannels;
using test::listChannels;
using test::MaintenanceFixture;
using test::names;
using test::range;
using Texts = std::vector<std::string>;
using Zones = MemberListCommands<Zone>;
using ScanLists = MemberListCommands<ScanList>;
using RxGroups = MemberListCommands<RxGroupList>;

using TabCommand = CommandResult (*)(Codeplug&, Prompts&, ListTabState&);
using StepCommand = CommandResult (*)(const Codeplug&, ListTabState&);

// The three tabs side by side: how to add a list, its commands and its place in the tab state.
struct Tab {
    const char* kind;
    void (*add)(MaintenanceFixture&, const std::string&);
    int (*count)(const Codeplug&);
    std::optional<int> ListTabState::*current;
    TabCommand create, remove, rename;
    StepCommand next, previous;
    std::string newTitle, newPrompt, renameTitle, renamePrompt, deleteQuestion;
};

const Tab tabs[] = {
    {"zone", [](MaintenanceFixture& f, const std::string& n) { f.addZone(n); },
     [](const Codeplug& c) { return c.zones().count(); }, &ListTabState::currentZone, Zones::create,
     Zones::remove, Zones::rename, Zones::next, Zones::previous, "New Zone",
     "Enter the new zone name (15 characters maximum).", "Rename Zone", "Enter the new name for the zone, or CANCEL.",
     "Are you sure you want to delete Zone 'L2' ?"},
    {"scan list", [](MaintenanceFixture& f, const std::string& n) { f.addScanList(n); },
     [](const Codeplug& c) { return c.scanLists().count(); }, &ListTabState::currentScanList, ScanLists::create,
     ScanLists::remove, ScanLists::rename, ScanLists::next, ScanLists::previous, "New Scan List",
     "Enter the new scan list name (15 characters maximum).", "Rename Scan List",
     "Enter the new name for the scan list, or CANCEL.", "Are you sure you want to delete Scan List 'L2' ?"},
    {"rx group", [](MaintenanceFixture& f, const std::string& n) { f.addRxGroup(n); },
     [](const Codeplug& c) { return c.rxGroupLists().count(); }, &ListTabState::currentRxGroup, RxGroups::create,
     RxGroups::remove, RxGroups::rename, RxGroups::next, RxGroups::previous, "New Rx Group List",
     "Enter the new Rx Group List name (15 characters maximum).", "Rename Rx Group List",
     "Enter the new name for the Rx Group List, or CANCEL.", "Delete the Rx Group 'L2' ?"},
};

std::string nameAt(const Codeplug& c, const Tab& tab, int i)
{
    if (tab.current == &ListTabState::currentZone)
        return c.zones().at(i)->name();
    if (tab.current == &ListTabState::currentScanList)
        return c.scanLists().at(i)->name();
    return c.rxGroupLists().at(i)->name();
}

TEST(ListTabs, NewRenameDeleteAndStepsOfEachKind)
{
    for (const auto& tab : tabs) {
        SCOPED_TRACE(tab.kind);
        MaintenanceFixture f(Md380Format);
        tab.add(f, "L1");
        tab.add(f, "L2");
        f.forgetChanges();

        // New: the input box, the new list current; a cancelled box does nothing.
        f.prompts.type(std::nullopt);
        EXPECT_FALSE(tab.create(f.codeplug, f.prompts, f.state).modelChanged);
        f.prompts.type("L3");
        EXPECT_TRUE(tab.create(f.codeplug, f.prompts, f.state).modelChanged);
        EXPECT_EQ(tab.count(f.codeplug), 3);
        EXPECT_EQ(f.state.*tab.current, 2);
        EXPECT_EQ(f.prompts.asked()[1].title, tab.newTitle);
        EXPECT_EQ(f.prompts.asked()[1].prompt, tab.newPrompt);
        EXPECT_EQ(f.prompts.asked()[1].maxLength, 15u);
        EXPECT_TRUE(f.codeplug.changed());

        // Next on the last shows the first, previous on the first the last.
        EXPECT_NE(tab.next(f.codeplug, f.state).refresh, TabList::None);
        EXPECT_EQ(f.state.*tab.current, 0);
        tab.previous(f.codeplug, f.state);
        EXPECT_EQ(f.state.*tab.current, 2);
        tab.next(f.codeplug, f.state);
        tab.next(f.codeplug, f.state);

        // Delete asks about the current list; No keeps it, Yes deletes it and the first is current.
        ASSERT_EQ(f.state.*tab.current, 1);
        f.prompts.clearShown();
        f.prompts.answer(MessageAnswer::No);
        tab.remove(f.codeplug, f.prompts, f.state);
        EXPECT_EQ(tab.count(f.codeplug), 3);
        f.prompts.answer(MessageAnswer::Yes);
        tab.remove(f.codeplug, f.prompts, f.state);
        EXPECT_EQ(f.prompts.texts(), (Texts{tab.deleteQuestion, tab.deleteQuestion}));
        EXPECT_EQ(tab.count(f.codeplug), 2);
        EXPECT_EQ(nameAt(f.codeplug, tab, 1), "L3");
        EXPECT_EQ(f.state.*tab.current, 0);

        // Rename shows the current name, cuts at 15 and is a change to be saved (also for RX groups).
        f.forgetChanges();
        f.prompts.type("A name far longer than fifteen");
        EXPECT_TRUE(tab.rename(f.codeplug, f.prompts, f.state).modelChanged);
        EXPECT_EQ(f.prompts.asked()[2].title, tab.renameTitle);
        EXPECT_EQ(f.prompts.asked()[2].prompt, tab.renamePrompt);
        EXPECT_EQ(f.prompts.asked()[2].initialText, "L1");
        EXPECT_EQ(nameAt(f.codeplug, tab, 0), "A name far long");
        EXPECT_TRUE(f.codeplug.changed());

        // One list of each kind is always kept, without a question.
        f.prompts.answer(MessageAnswer::Yes);
        tab.remove(f.codeplug, f.prompts, f.state);
        f.prompts.clearShown();
        f.prompts.answer(MessageAnswer::Yes);
        EXPECT_EQ(tab.remove(f.codeplug, f.prompts, f.state).refresh, TabList::None);
        EXPECT_EQ(tab.count(f.codeplug), 1);
        EXPECT_TRUE(f.prompts.shown().empty());
    }
}

TEST(ListTabs, NoRoomForAnotherListIsSaid)
{
    // The RDB family's scan-list count word follows the 234th record directly.
    const struct {
        FormatId format;
        int existing;
        std::size_t tab;
        const char* message;
    } cases[] = {
        {Md380Format, MaxZones, 0, "Sorry, no room for an additional zone."},
        {RdbV1Format, 234, 1, "Sorry, no room for an additional scan list."},
        {RdbV2Format, 234, 1, "Sorry, no room for an additional scan list."},
        {D868Format, MaxScanLists, 1, "Sorry, no room for an additional scan list."},
        {Md2017Format, MaxRxGroupLists, 2, "Sorry, no room for an additional group list."},
    };
    for (const auto& c : cases) {
        const Tab& tab = tabs[c.tab];
        SCOPED_TRACE(c.message + std::to_string(c.format));
        MaintenanceFixture f(c.format);
        for (int i = 0; i < c.existing; ++i)
            tab.add(f, "L" + std::to_string(i));
        f.forgetChanges();
        f.state.*tab.current = 7;
        f.prompts.type("Extra");
        EXPECT_TRUE(tab.create(f.codeplug, f.prompts, f.state).refused);
        EXPECT_EQ(tab.count(f.codeplug), c.existing);
        EXPECT_EQ(f.state.*tab.current, 7);
        ASSERT_EQ(f.prompts.texts(), Texts{c.message});
        EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
    }
}

TEST(ListTabs, DeletingScanListTwoOfFourOrAnRxGroupRenumbersTheChannels)
{
    MaintenanceFixture f(Md380Format);
    f.addChannels(5);
    for (const char* name : {"S1", "S2", "S3", "S4"}) {
        f.addScanList(name);
        f.addRxGroup(name);
    }
    const int references[] = {1, 2, 3, 4, 0};
    for (int i = 0; i < 5; ++i) {
        f.codeplug.channelAt(i)->setScanList(references[i]);
        f.codeplug.channelAt(i)->setRxGroupList(references[i]);
    }
    f.forgetChanges();
    f.state.currentScanList = f.state.currentRxGroup = 1;
    f.prompts.answer(MessageAnswer::Yes);
    f.prompts.answer(MessageAnswer::Yes);
    EXPECT_TRUE(includes(ScanLists::remove(f.codeplug, f.prompts, f.state).refresh, TabList::Channels));
    EXPECT_TRUE(includes(RxGroups::remove(f.codeplug, f.prompts, f.state).refresh, TabList::Channels));
    EXPECT_EQ(f.prompts.shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(f.prompts.shown()[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Question);

    EXPECT_EQ(names(f.codeplug.scanLists()), (Texts{"S1", "S3", "S4"}));
    std::vector<int> scanLists, rxGroups;
    for (const auto& channel : f.codeplug.channels()) {
        scanLists.push_back(channel->scanList());
        rxGroups.push_back(channel->rxGroupList());
    }
    EXPECT_EQ(scanLists, (std::vector<int>{1, 0, 2, 3, 0}));
    EXPECT_EQ(rxGroups, (std::vector<int>{1, 0, 2, 3, 0}));
}

// ---- Zones ----

TEST(ZoneTab, ANewZoneStartsWithTheFirstChannelOnlyIn2001)
{
    for (const FormatId format : {RdbV1Format, RdbV11Format, Md380Format, D868Format}) {
        MaintenanceFixture f(format);
        f.addChannels(3);
        f.addZone("Z");
        f.forgetChanges();
        f.prompts.type("Z");  // a name already in use is allowed
        Zones::create(f.codeplug, f.prompts, f.state);
        ASSERT_EQ(names(f.codeplug.zones()), (Texts{"Z", "Z"}));
        EXPECT_EQ(bankChannels(*f.codeplug.zones().at(1), 1, f.codeplug),
                  format == RdbV1Format ? std::vector<int>{0} : std::vector<int>{})
            << std::hex << format;
    }
}

TEST(ZoneTab, MembersOfTheShownBank)
{
    MaintenanceFixture f(Md9600Format);
    f.addChannels(65);
    auto& zone = f.addZone("Z");
    f.forgetChanges();

    EXPECT_TRUE(Zones::addMember(f.codeplug, f.prompts, f.state, 0).modelChanged);
    EXPECT_TRUE(f.codeplug.changed());
    f.state.shownBank = 2;  // the same channel may sit in both banks
    for (const int channel : {0, 1, 2})
        Zones::addMember(f.codeplug, f.prompts, f.state, channel);
    EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{0}));
    EXPECT_EQ(bankChannels(zone, 2, f.codeplug), (std::vector<int>{0, 1, 2}));

    // Moves let the selection follow and stop at the ends; removal takes the row.
    EXPECT_EQ(moveListMemberUp<Zone>(f.codeplug, f.state, 2).selectedRow, 1);
    EXPECT_EQ(moveListMemberDown<Zone>(f.codeplug, f.state, 0).selectedRow, 1);
    EXPECT_EQ(bankChannels(zone, 2, f.codeplug), (std::vector<int>{2, 0, 1}));
    EXPECT_FALSE(moveListMemberUp<Zone>(f.codeplug, f.state, 0).modelChanged);
    EXPECT_FALSE(moveListMemberDown<Zone>(f.codeplug, f.state, 2).selectedRow);
    EXPECT_TRUE(Zones::removeMember(f.codeplug, f.state, 1).modelChanged);
    EXPECT_FALSE(Zones::removeMember(f.codeplug, f.state, 7).modelChanged);
    EXPECT_EQ(bankChannels(zone, 2, f.codeplug), (std::vector<int>{2, 1}));
    EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{0}));

    // A full bank says so, unless the channel is there already (a repeat adds and shows nothing).
    for (int channel = 3; channel < 65; ++channel)
        Zones::addMember(f.codeplug, f.prompts, f.state, channel);
    EXPECT_EQ(bankChannels(zone, 2, f.codeplug).size(), 64u);
    EXPECT_TRUE(f.prompts.shown().empty());
    EXPECT_FALSE(Zones::addMember(f.codeplug, f.prompts, f.state, 1).refused);
    EXPECT_TRUE(f.prompts.shown().empty());
    EXPECT_TRUE(Zones::addMember(f.codeplug, f.prompts, f.state, 0).refused);
    EXPECT_EQ(f.prompts.texts(), Texts{"Zone is full - - unable to add more channels."});
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
}

TEST(ZoneTab, BankButtonsFollowTheShownBankAndHideForOneBank)
{
    MaintenanceFixture one(Md380Format);
    one.addZone("Z");
    one.forgetChanges();
    EXPECT_FALSE(zoneBankButtonLabels(one.codeplug, one.state));
    EXPECT_EQ(switchZoneBank(one.codeplug, one.state).refresh, TabList::None);
    EXPECT_EQ(one.state.shownBank, 1);

    MaintenanceFixture two(Md2017Format);
    two.addZone("Z");
    two.forgetChanges();
    auto labels = zoneBankButtonLabels(two.codeplug, two.state);
    EXPECT_EQ(labels->bankSwitch + labels->mirror, "[A]<-- BANKMIRROR-->[B]");
    switchZoneBank(two.codeplug, two.state);
    EXPECT_EQ(two.state.shownBank, 2);
    labels = zoneBankButtonLabels(two.codeplug, two.state);
    EXPECT_EQ(labels->bankSwitch + labels->mirror, "BANK -->[B][A]<--MIRROR");
    EXPECT_FALSE(two.codeplug.changed());
}

class ZoneMirror : public ::testing::Test {
protected:
    MaintenanceFixture f{Md2017Format};
    Zone* zone = nullptr;

    void SetUp() override
    {
        f.addChannels(80);
        zone = &f.addZone("Hotspots");
        f.forgetChanges();
    }
    void fillBank(int bank, int first, int count)
    {
        zone->selectBank(bank);
        for (int i = first; i < first + count; ++i)
            ASSERT_TRUE(zone->addMember(f.codeplug.memberNumberOf(i)));
    }
    CommandResult mirror()
    {
        f.prompts.clearShown();
        f.prompts.answer(MessageAnswer::Yes);
        return mirrorZoneBank(f.codeplug, f.prompts, f.state);
    }
    static std::string question(int source, int target)
    {
        const auto s = std::to_string(source), t = std::to_string(target);
        return "Mirror the contents of Bank " + s + " of Zone 'Hotspots' to Bank " + t +
               " in the same Zone?\r\n\r\nThe mirror operation will append to the contents of Bank " + t + ", if any.";
    }
};

TEST_F(ZoneMirror, TenIntoAnEmptyBankThenAgain)
{
    fillBank(1, 0, 10);
    EXPECT_TRUE(mirror().modelChanged);
    EXPECT_EQ(bankChannels(*zone, 2, f.codeplug), range(0, 10));
    EXPECT_EQ(bankChannels(*zone, 1, f.codeplug), range(0, 10));
    EXPECT_EQ(f.prompts.texts(), (Texts{question(1, 2), "10 channels moved from Bank 1 to Bank 2 of Zone 'Hotspots'."}));
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(f.prompts.shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Information);
    EXPECT_TRUE(f.codeplug.changed());

    EXPECT_FALSE(mirror().modelChanged);
    EXPECT_EQ(bankChannels(*zone, 2, f.codeplug), range(0, 10));
    EXPECT_EQ(f.prompts.lastText(), "10 channels moved from Bank 1 to Bank 2 of Zone 'Hotspots'.");
}

TEST_F(ZoneMirror, FortyIntoABankHoldingThirtyStopsAfterThirtyFour)
{
    fillBank(1, 0, 40);
    fillBank(2, 40, 30);
    mirror();
    auto expected = range(40, 30);
    for (const int channel : range(0, 34))
        expected.push_back(channel);
    EXPECT_EQ(bankChannels(*zone, 2, f.codeplug), expected);
    EXPECT_EQ(f.prompts.lastText(), "34 channels moved from Bank 1 to Bank 2 of Zone 'Hotspots'.\r\n\r\n"
                                    "Insufficient room to hold all source channels.");
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Warning);
}

TEST_F(ZoneMirror, AFullTargetThatHoldsEverySourceChannelIsNotShortOfRoom)
{
    fillBank(1, 0, 64);
    fillBank(2, 0, 64);
    mirror();
    EXPECT_EQ(f.prompts.lastText(), "64 channels moved from Bank 1 to Bank 2 of Zone 'Hotspots'.");
}

TEST_F(ZoneMirror, BankBIntoBankAAndTheRefusals)
{
    EXPECT_TRUE(mirrorZoneBank(f.codeplug, f.prompts, f.state).refused);
    EXPECT_EQ(f.prompts.texts(), (Texts{"Sorry, there are no channels in this bank to mirror."}));
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);

    fillBank(1, 0, 2);
    fillBank(2, 5, 3);
    f.state.shownBank = 2;
    f.prompts.answer(MessageAnswer::No);
    mirrorZoneBank(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(bankChannels(*zone, 1, f.codeplug), (std::vector<int>{0, 1}));
    EXPECT_FALSE(f.codeplug.changed());

    mirror();
    EXPECT_EQ(bankChannels(*zone, 1, f.codeplug), (std::vector<int>{0, 1, 5, 6, 7}));
    EXPECT_EQ(f.prompts.texts(), (Texts{question(2, 1), "3 channels moved from Bank 2 to Bank 1 of Zone 'Hotspots'."}));
}

TEST(ReorderZones, RowsMovesAndHints)
{
    Codeplug none;
    ScriptedPrompts prompts;
    EXPECT_FALSE(canOpenReorderZones(none, prompts));
    EXPECT_EQ(prompts.texts(), Texts{"Error: Unable to access memory image."});
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Error);

    MaintenanceFixture f(Md2017Format);
    EXPECT_TRUE(canOpenReorderZones(f.codeplug, f.prompts));
    auto rows = reorderZoneRows(f.codeplug);
    EXPECT_EQ(rows.size() == 1 ? rows[0].number + rows[0].name : "", "#No Zones");

    f.addChannels(2);
    for (const char* name : {"A", "B", "C"})
        f.addZone(name);
    f.codeplug.zones().at(2)->selectBank(2);
    f.codeplug.zones().at(2)->addMember(f.codeplug.memberNumberOf(1));
    f.forgetChanges();
    rows = reorderZoneRows(f.codeplug);
    EXPECT_EQ(rows[2].number + rows[2].name, "3C");

    EXPECT_EQ(moveZoneUp(f.codeplug, f.prompts, 2).selectedRow, 1);
    EXPECT_TRUE(f.codeplug.changed());
    EXPECT_EQ(bankChannels(*f.codeplug.zones().at(1), 2, f.codeplug), (std::vector<int>{1})) << "both banks move";
    EXPECT_EQ(moveZoneDown(f.codeplug, f.prompts, 0).selectedRow, 1);
    EXPECT_EQ(names(f.codeplug.zones()), (Texts{"C", "A", "B"}));
    EXPECT_FALSE(moveZoneUp(f.codeplug, f.prompts, 0).modelChanged);
    EXPECT_FALSE(moveZoneDown(f.codeplug, f.prompts, 2).modelChanged);
    EXPECT_TRUE(f.prompts.shown().empty());
    moveZoneDown(f.codeplug, f.prompts, std::nullopt);
    EXPECT_EQ(f.prompts.texts(), Texts{"First select a zone to move, then click the UP or DOWN button."});
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Information);

    f.state.currentZone = 2;
    finishReorderZones(f.codeplug, f.state);
    EXPECT_EQ(f.state.currentZone, 0);
}

// ---- Scan list and RX group members ----

TEST(ScanListTab, AFullListSaysSoAtItsFormatsLimit)
{
    for (const auto& [format, limit] : {std::pair{Md380Format, 31}, {RdbV11Format, 31}, {D868Format, 50}}) {
        SCOPED_TRACE(format);
        MaintenanceFixture f(format);
        f.addChannels(limit + 1);
        const auto& list = f.addScanList("S");
        f.forgetChanges();
        for (int i = 0; i < limit; ++i)
            ASSERT_TRUE(ScanLists::addMember(f.codeplug, f.prompts, f.state, i).modelChanged);
        ScanLists::addMember(f.codeplug, f.prompts, f.state, 0);
        EXPECT_TRUE(f.prompts.shown().empty()) << "a channel already listed is no full list";
        EXPECT_TRUE(ScanLists::addMember(f.codeplug, f.prompts, f.state, limit).refused);
        EXPECT_EQ(f.prompts.texts(), Texts{"Scan list is full - - unable to add more channels."});
        EXPECT_EQ(list.memberCount(), limit);

        EXPECT_EQ(moveListMemberDown<ScanList>(f.codeplug, f.state, 1).selectedRow, 2);
        EXPECT_EQ(moveListMemberUp<ScanList>(f.codeplug, f.state, 1).selectedRow, 0);
        EXPECT_FALSE(moveListMemberUp<ScanList>(f.codeplug, f.state, 0).modelChanged);
        EXPECT_TRUE(ScanLists::removeMember(f.codeplug, f.state, 1).modelChanged);
        const auto members = listChannels(list, f.codeplug);
        EXPECT_EQ(std::vector<int>(members.begin(), members.begin() + 3), (std::vector<int>{2, 1, 3}));
    }
}

TEST(RxGroupTab, The31stContactFitsAndThe32ndIsRefused)
{
    for (const auto& [format, limit] : {std::pair{Md380Format, 31}, {RdbV2Format, 31}, {D868Format, 30}}) {
        SCOPED_TRACE(format);
        MaintenanceFixture f(format);
        f.addContacts(limit + 1);
        const auto& list = f.addRxGroup("G");
        f.forgetChanges();
        for (int i = 0; i < limit; ++i) {
            ASSERT_TRUE(RxGroups::addMember(f.codeplug, f.prompts, f.state, i).modelChanged);
            if (i + 1 < limit) {
                EXPECT_FALSE(RxGroups::addMember(f.codeplug, f.prompts, f.state, 0).modelChanged);
            }
        }
        EXPECT_TRUE(f.prompts.shown().empty()) << "a repeated contact adds nothing, silently";
        // A full D868 list (30) says so too rather than ignoring the double-click.
        EXPECT_TRUE(RxGroups::addMember(f.codeplug, f.prompts, f.state, limit).refused);
        EXPECT_EQ(f.prompts.texts(), Texts{"Sorry, this Rx Group List is full and can't accept more contacts,"});
        EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
        EXPECT_EQ(list.memberCount(), limit);

        EXPECT_TRUE(RxGroups::removeMember(f.codeplug, f.state, 0).modelChanged);
        EXPECT_FALSE(RxGroups::removeMember(f.codeplug, f.state, limit).modelChanged);
        EXPECT_EQ(list.member(0), 2);
    }
}

TEST(ListTabs, MemberCommandsDoNothingWithoutACurrentList)
{
    MaintenanceFixture f(Md380Format);
    f.addChannels(1);
    f.addContacts(1);
    f.forgetChanges();
    f.prompts.type("X");
    EXPECT_EQ(Zones::addMember(f.codeplug, f.prompts, f.state, 0).refresh, TabList::None);
    EXPECT_EQ(ScanLists::addMember(f.codeplug, f.prompts, f.state, 0).refresh, TabList::None);
    EXPECT_EQ(RxGroups::addMember(f.codeplug, f.prompts, f.state, 0).refresh, TabList::None);
    EXPECT_EQ(Zones::rename(f.codeplug, f.prompts, f.state).refresh, TabList::None);
    EXPECT_EQ(ScanLists::next(f.codeplug, f.state).refresh, TabList::None);
    EXPECT_TRUE(f.prompts.asked().empty());
    EXPECT_FALSE(f.codeplug.changed());
}

TEST(ListTabState, ResetAndFitKeepPositionsInsideTheTables)
{
    MaintenanceFixture f(Md2017Format);
    f.addZone("A");
    f.addZone("B");
    f.state.shownBank = 2;
    f.state.reset(f.codeplug);
    EXPECT_EQ(f.state.currentZone, 0);
    EXPECT_FALSE(f.state.currentScanList);
    EXPECT_EQ(f.state.shownBank, 1);

    f.state.currentZone = 9;
    f.addScanList("S");
    f.state.fitTo(f.codeplug);
    EXPECT_EQ(f.state.currentZone, 1);
    EXPECT_EQ(f.state.currentScanList, 0);
    EXPECT_FALSE(f.state.currentRxGroup);
}

} // namespace
} // namespace pw
