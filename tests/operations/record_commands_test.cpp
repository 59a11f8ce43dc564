#include "operations/record_commands.h"

#include "operations/maintenance_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::channelNames;
using test::contactNames;
using test::groupMembers;
using test::listChannels;
using test::MaintenanceFixture;

constexpr const char* InUseWarning =
    "Warning: Item being deleted is in use by at least one channel\r\nin this Codeplug.\r\n\r\n"
    "Are you sure you want to do this?";

// Contacts C1..C5 and three digital channels transmitting to C2, C4 and nothing.
class DeleteContacts : public ::testing::Test {
protected:
    MaintenanceFixture f{Md380Format};

    void SetUp() override
    {
        f.addContacts(5);
        f.addChannels(3);
        f.codeplug.channelAt(0)->setTxContact(2);
        f.codeplug.channelAt(1)->setTxContact(4);
        f.forgetChanges();
    }

    std::vector<int> txContacts() const
    {
        std::vector<int> contacts;
        for (const auto& channel : f.codeplug.channels())
            contacts.push_back(channel->txContact());
        return contacts;
    }
};

TEST_F(DeleteContacts, OneUnusedContactAsksOnceAndKeepsTheRow)
{
    f.prompts.answer(MessageAnswer::Yes);
    const auto result = deleteContacts(f.codeplug, f.prompts, {2});

    ASSERT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.prompts.shown()[0].text, "Are you sure you want to delete the contact: \r\n\r\nC3 (ID# 1003) ?");
    EXPECT_EQ(f.prompts.shown()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(contactNames(f.codeplug), (std::vector<std::string>{"C1", "C2", "C4", "C5"}));
    EXPECT_EQ(txContacts(), (std::vector<int>{2, 3, 0}));
    EXPECT_EQ(result.selectedRow, 2);
    EXPECT_TRUE(includes(result.refresh, TabList::Contacts | TabList::Channels | TabList::RxGroups));
    EXPECT_TRUE(f.codeplug.changed());
}

TEST_F(DeleteContacts, OneContactInUseAsksAgainWithTheErrorIcon)
{
    f.prompts.answer(MessageAnswer::Yes);
    f.prompts.answer(MessageAnswer::No);
    deleteContacts(f.codeplug, f.prompts, {1});
    ASSERT_EQ(f.prompts.shown().size(), 2u);
    EXPECT_EQ(f.prompts.shown()[1].text, InUseWarning);
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Error);
    EXPECT_EQ(f.prompts.shown()[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(f.codeplug.contacts().count(), 5);
    EXPECT_FALSE(f.codeplug.changed());

    f.prompts.answer(MessageAnswer::Yes);
    f.prompts.answer(MessageAnswer::Yes);
    deleteContacts(f.codeplug, f.prompts, {1});
    EXPECT_EQ(contactNames(f.codeplug), (std::vector<std::string>{"C1", "C3", "C4", "C5"}));
    EXPECT_EQ(txContacts(), (std::vector<int>{0, 3, 0}));
}

TEST_F(DeleteContacts, NoToTheFirstQuestionAsksNothingMore)
{
    f.prompts.answer(MessageAnswer::No);
    deleteContacts(f.codeplug, f.prompts, {1});
    EXPECT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.codeplug.contacts().count(), 5);
}

TEST_F(DeleteContacts, ThreeWhereTheSecondIsInUseAndAnsweredNo)
{
    f.prompts.answer(MessageAnswer::Yes);
    f.prompts.answer(MessageAnswer::No);
    const auto result = deleteContacts(f.codeplug, f.prompts, {0, 1, 2});

    ASSERT_EQ(f.prompts.shown().size(), 2u);
    EXPECT_EQ(f.prompts.shown()[0].text, "Are you sure you want to delete 3 selected contacts?");
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(f.prompts.shown()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(f.prompts.shown()[1].text,
              "WARNING: Contact 'C2' is in use by one or more channels;\r\nare you sure want to delete it?");
    EXPECT_EQ(f.prompts.shown()[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(contactNames(f.codeplug), (std::vector<std::string>{"C2", "C4", "C5"}));
    EXPECT_EQ(txContacts(), (std::vector<int>{1, 2, 0})) << "the kept contact is still the channel's";
    EXPECT_TRUE(includes(result.refresh, TabList::Contacts | TabList::Channels | TabList::RxGroups));
    EXPECT_FALSE(result.selectedRow);
    EXPECT_EQ(f.prompts.busyCount(), 1);
    EXPECT_FALSE(f.prompts.busy());
}

TEST_F(DeleteContacts, RowsInAnyOrderOrRepeatedDeleteTheSameContacts)
{
    f.prompts.answer(MessageAnswer::Yes);
    deleteContacts(f.codeplug, f.prompts, {4, 2, 4, 0, 99, -1});
    EXPECT_EQ(f.prompts.shown()[0].text, "Are you sure you want to delete 3 selected contacts?");
    EXPECT_EQ(contactNames(f.codeplug), (std::vector<std::string>{"C2", "C4"}));
}

TEST_F(DeleteContacts, NoToTheFirstOfSeveralDeletesNothing)
{
    f.prompts.answer(MessageAnswer::Cancel);
    const auto result = deleteContacts(f.codeplug, f.prompts, {0, 3});
    EXPECT_EQ(f.codeplug.contacts().count(), 5);
    EXPECT_EQ(result.refresh, TabList::None);
}

TEST(DeleteContact, OnlyAnRxGroupListsMemberAsksNoInUseQuestion)
{
    MaintenanceFixture f(RdbV2Format);
    f.addContacts(3);
    f.addRxGroup("G");
    auto& list = *f.codeplug.rxGroupLists().at(0);
    list.addMember(0, f.codeplug.contacts());
    list.addMember(1, f.codeplug.contacts());
    list.addMember(2, f.codeplug.contacts());
    f.forgetChanges();

    f.prompts.answer(MessageAnswer::Yes);
    deleteContacts(f.codeplug, f.prompts, {1});

    EXPECT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.codeplug.contacts().count(), 2);
    EXPECT_EQ(groupMembers(list), (std::vector<int>{1, 2}));
}

TEST(DeleteChannels, OneChannelLeavesZonesAndScanListsAndKeepsTheRow)
{
    MaintenanceFixture f(Md380Format);
    f.addChannels(4);
    auto& zone = f.addZone("Z");
    auto& list = f.addScanList("S");
    for (int i = 0; i < 4; ++i) {
        zone.addMember(i, f.codeplug.channels());
        list.addMember(i, f.codeplug.channels());
    }
    f.forgetChanges();

    f.prompts.answer(MessageAnswer::No);
    deleteChannels(f.codeplug, f.prompts, {3});
    EXPECT_EQ(f.codeplug.channels().count(), 4);

    f.prompts.answer(MessageAnswer::Yes);
    const auto result = deleteChannels(f.codeplug, f.prompts, {3});
    EXPECT_EQ(f.prompts.shown()[1].text, "Are you sure you want to delete the channel 'CH4' ?");
    EXPECT_EQ(f.prompts.shown()[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(channelNames(f.codeplug), (std::vector<std::string>{"CH1", "CH2", "CH3"}));
    EXPECT_EQ(test::bankChannels(zone, 1, f.codeplug), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(listChannels(list, f.codeplug), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(result.selectedRow, 2) << "the last row was deleted; the mark stays on the new last row";
    EXPECT_TRUE(includes(result.refresh, TabList::Channels | TabList::Zones | TabList::ScanLists));
}

TEST(DeleteChannels, SeveralAskOnceAndDeleteEachSelectedRow)
{
    for (const FormatId format : {Md380Format, RdbV11Format, D868Format}) {
        MaintenanceFixture f(format);
        f.addChannels(6);
        f.forgetChanges();
        f.prompts.answer(MessageAnswer::Yes);
        deleteChannels(f.codeplug, f.prompts, {4, 1, 2});
        ASSERT_EQ(f.prompts.shown().size(), 1u);
        EXPECT_EQ(f.prompts.shown()[0].text, "Are you sure you want to delete the 3 selected channels?");
        EXPECT_EQ(channelNames(f.codeplug), (std::vector<std::string>{"CH1", "CH4", "CH6"})) << std::hex << format;
    }
}

TEST(DeleteChannels, AD868CodeplugKeepsItsLastChannel)
{
    MaintenanceFixture f(D868Format);
    f.addChannels(3);
    f.forgetChanges();
    f.prompts.answer(MessageAnswer::Yes);
    deleteChannels(f.codeplug, f.prompts, {0, 1, 2});
    EXPECT_EQ(channelNames(f.codeplug), (std::vector<std::string>{"CH3"}));
}

TEST(MarkTalkgroup, OneContactAsksWithItsNameAndId)
{
    MaintenanceFixture f(D868Format);
    f.addContacts(2);
    f.forgetChanges();

    f.prompts.answer(MessageAnswer::No);
    markContactsAsTalkgroups(f.codeplug, f.prompts, {1});
    EXPECT_FALSE(f.codeplug.contactAt(1)->isTalkgroup());

    f.prompts.answer(MessageAnswer::Yes);
    const auto result = markContactsAsTalkgroups(f.codeplug, f.prompts, {1});
    ASSERT_EQ(f.prompts.shown().size(), 2u);
    EXPECT_EQ(f.prompts.shown()[1].text, "Are you sure you want to set the contact 'C2' (ID# 1002) as a talkgroup?");
    EXPECT_EQ(f.prompts.shown()[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(f.codeplug.contactAt(1)->isTalkgroup());
    EXPECT_FALSE(f.codeplug.contactAt(0)->isTalkgroup());
    EXPECT_TRUE(includes(result.refresh, TabList::Contacts));
    EXPECT_TRUE(f.codeplug.changed());
}

TEST(MarkTalkgroup, SeveralAreCountedAndAMarkIsNeverCleared)
{
    MaintenanceFixture f(D868Format);
    f.addContacts(4);
    f.codeplug.contactAt(0)->setTalkgroup(true);
    f.forgetChanges();

    f.prompts.answer(MessageAnswer::Yes);
    markContactsAsTalkgroups(f.codeplug, f.prompts, {0, 2});
    ASSERT_EQ(f.prompts.shown().size(), 2u);
    EXPECT_EQ(f.prompts.shown()[0].text, "Are you sure you want to mark the 2 selected contacts as talkgroups?");
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(f.prompts.shown()[1].text, "2 contacts marked as talkgroups.");
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Information);
    std::vector<bool> marks;
    for (const auto& contact : f.codeplug.contacts())
        marks.push_back(contact->isTalkgroup());
    EXPECT_EQ(marks, (std::vector<bool>{true, false, true, false}));
}

TEST(MarkTalkgroup, MarkingMarkedContactsChangesNothing)
{
    MaintenanceFixture f(D868Format);
    f.addContacts(1);
    f.codeplug.contactAt(0)->setTalkgroup(true);
    f.forgetChanges();
    f.prompts.answer(MessageAnswer::Yes);
    const auto result = markContactsAsTalkgroups(f.codeplug, f.prompts, {0});
    EXPECT_TRUE(f.codeplug.contactAt(0)->isTalkgroup());
    EXPECT_FALSE(result.modelChanged);
    EXPECT_FALSE(f.codeplug.changed());
}

TEST(RecordCommands, DoNothingWithoutACodeplugOrASelection)
{
    Codeplug none;
    ScriptedPrompts prompts;
    EXPECT_EQ(deleteContacts(none, prompts, {0}).refresh, TabList::None);
    EXPECT_EQ(deleteChannels(none, prompts, {0}).refresh, TabList::None);
    EXPECT_EQ(markContactsAsTalkgroups(none, prompts, {0}).refresh, TabList::None);
    MaintenanceFixture f(Md380Format);
    f.addContacts(1);
    f.forgetChanges();
    EXPECT_EQ(deleteContacts(f.codeplug, f.prompts, {}).refresh, TabList::None);
    EXPECT_EQ(deleteContacts(f.codeplug, f.prompts, {5}).refresh, TabList::None);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(f.prompts.shown().empty());
}

} // namespace
} // namespace pw
