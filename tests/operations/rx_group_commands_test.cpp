#include "operations/rx_group_commands.h"

#include "operations/maintenance_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::groupMembers;
using test::MaintenanceFixture;

TEST(NewRxGroup, AsksForTheNameAndMakesTheNewListCurrent)
{
    MaintenanceFixture f(RdbV2Format);
    f.addRxGroup("First");
    f.forgetChanges();
    f.prompts.type("Second");

    const auto result = newRxGroupCommand(f.codeplug, f.prompts, f.state);

    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].title, "New Rx Group List");
    EXPECT_EQ(f.prompts.asked()[0].prompt, "Enter the new Rx Group List name (15 characters maximum).");
    EXPECT_EQ(f.prompts.asked()[0].maxLength, 15u);
    ASSERT_EQ(f.codeplug.rxGroupLists().count(), 2);
    EXPECT_EQ(f.codeplug.rxGroupLists().at(1)->name(), "Second");
    EXPECT_EQ(f.state.currentRxGroup, 1);
    EXPECT_TRUE(includes(result.refresh, TabList::RxGroups));
}

TEST(NewRxGroup, RefusedWhenTheTableIsFull)
{
    MaintenanceFixture f(Md380Format);
    for (int i = 0; i < MaxRxGroupLists; ++i)
        f.addRxGroup("G" + std::to_string(i));
    f.forgetChanges();
    f.prompts.type("Extra");
    const auto result = newRxGroupCommand(f.codeplug, f.prompts, f.state);
    EXPECT_TRUE(result.refused);
    EXPECT_EQ(f.codeplug.rxGroupLists().count(), MaxRxGroupLists);
    ASSERT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.prompts.shown()[0].text, "Sorry, no room for an additional group list.");
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
}

TEST(DeleteRxGroup, YesDeletesAndRenumbersChannelsCancelKeeps)
{
    MaintenanceFixture f(Md380Format);
    f.addChannels(3);
    f.addRxGroup("G1");
    f.addRxGroup("G2");
    f.addRxGroup("G3");
    for (int i = 0; i < 3; ++i)
        f.codeplug.channelAt(i)->setRxGroupList(i + 1);
    f.forgetChanges();
    f.state.currentRxGroup = 0;

    f.prompts.answer(MessageAnswer::Cancel);
    deleteRxGroupCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.codeplug.rxGroupLists().count(), 3);

    f.prompts.answer(MessageAnswer::Yes);
    const auto result = deleteRxGroupCommand(f.codeplug, f.prompts, f.state);
    ASSERT_EQ(f.prompts.shown().size(), 2u);
    EXPECT_EQ(f.prompts.shown()[1].text, "Delete the Rx Group 'G1' ?");
    EXPECT_EQ(f.prompts.shown()[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Question);
    ASSERT_EQ(f.codeplug.rxGroupLists().count(), 2);
    EXPECT_EQ(f.codeplug.rxGroupLists().at(0)->name(), "G2");
    EXPECT_EQ(f.codeplug.channelAt(0)->rxGroupList(), 0);
    EXPECT_EQ(f.codeplug.channelAt(1)->rxGroupList(), 1);
    EXPECT_EQ(f.codeplug.channelAt(2)->rxGroupList(), 2);
    EXPECT_EQ(f.state.currentRxGroup, 0);
    EXPECT_TRUE(includes(result.refresh, TabList::RxGroups | TabList::Channels));
}

TEST(DeleteRxGroup, TheLastListIsKeptWithoutAQuestion)
{
    MaintenanceFixture f(D868Format);
    f.addRxGroup("Only");
    f.forgetChanges();
    deleteRxGroupCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.codeplug.rxGroupLists().count(), 1);
    EXPECT_TRUE(f.prompts.shown().empty());
}

TEST(RenameRxGroup, IsAChangeToBeSaved)
{
    MaintenanceFixture f(Md380Format);
    f.addRxGroup("Old");
    f.forgetChanges();
    f.prompts.type("New");
    const auto result = renameRxGroupCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.prompts.asked()[0].title, "Rename Rx Group List");
    EXPECT_EQ(f.prompts.asked()[0].prompt, "Enter the new name for the Rx Group List, or CANCEL.");
    EXPECT_EQ(f.prompts.asked()[0].initialText, "Old");
    EXPECT_EQ(f.codeplug.rxGroupLists().at(0)->name(), "New");
    EXPECT_TRUE(f.codeplug.changed());
    EXPECT_TRUE(includes(result.refresh, TabList::RxGroups | TabList::Channels));
}

TEST(RxGroupSteps, NextGroupWraps)
{
    MaintenanceFixture f(Md380Format);
    f.addRxGroup("A");
    f.addRxGroup("B");
    f.forgetChanges();
    f.state.currentRxGroup = 1;
    nextRxGroup(f.codeplug, f.state);
    EXPECT_EQ(f.state.currentRxGroup, 0);
    previousRxGroup(f.codeplug, f.state);
    EXPECT_EQ(f.state.currentRxGroup, 1);
}

TEST(RxGroupMembers, The31stContactFitsAndThe32ndIsRefused)
{
    MaintenanceFixture f(Md380Format);
    f.addContacts(32);
    f.addRxGroup("G");
    f.forgetChanges();
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(addContactToRxGroup(f.codeplug, f.prompts, f.state, i).modelChanged);

    const auto thirtyFirst = addContactToRxGroup(f.codeplug, f.prompts, f.state, 30);
    EXPECT_TRUE(thirtyFirst.modelChanged);
    EXPECT_EQ(f.codeplug.rxGroupLists().at(0)->memberCount(), 31);
    EXPECT_TRUE(f.prompts.shown().empty());

    const auto thirtySecond = addContactToRxGroup(f.codeplug, f.prompts, f.state, 31);
    EXPECT_TRUE(thirtySecond.refused);
    EXPECT_EQ(f.codeplug.rxGroupLists().at(0)->memberCount(), 31);
    ASSERT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.prompts.shown()[0].text, "Sorry, this Rx Group List is full and can't accept more contacts,");
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
}

TEST(RxGroupMembers, AFullD868ListSaysSoAtThirty)
{
    MaintenanceFixture f(D868Format);
    f.addContacts(31);
    f.addRxGroup("G");
    f.forgetChanges();
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(addContactToRxGroup(f.codeplug, f.prompts, f.state, i).modelChanged);
    EXPECT_TRUE(addContactToRxGroup(f.codeplug, f.prompts, f.state, 30).refused);
    EXPECT_EQ(f.prompts.lastText(), "Sorry, this Rx Group List is full and can't accept more contacts,");
    EXPECT_EQ(f.codeplug.rxGroupLists().at(0)->memberCount(), 30);
}

TEST(RxGroupMembers, ARepeatedContactAddsNothingSilentlyAndRemoveTakesTheRow)
{
    MaintenanceFixture f(RdbV2Format);
    f.addContacts(3);
    f.addRxGroup("G");
    f.forgetChanges();
    addContactToRxGroup(f.codeplug, f.prompts, f.state, 2);
    addContactToRxGroup(f.codeplug, f.prompts, f.state, 0);
    const auto repeated = addContactToRxGroup(f.codeplug, f.prompts, f.state, 2);
    EXPECT_FALSE(repeated.modelChanged || repeated.refused);
    EXPECT_TRUE(f.prompts.shown().empty());
    const auto& list = *f.codeplug.rxGroupLists().at(0);
    EXPECT_EQ(groupMembers(list), (std::vector<int>{3, 1}));

    EXPECT_TRUE(removeContactFromRxGroup(f.codeplug, f.state, 0).modelChanged);
    EXPECT_FALSE(removeContactFromRxGroup(f.codeplug, f.state, 4).modelChanged);
    EXPECT_EQ(groupMembers(list), (std::vector<int>{1}));
}

} // namespace
} // namespace pw
