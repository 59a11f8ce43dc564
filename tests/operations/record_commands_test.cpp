// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/record_commands.h"

#include "operations/maintenance_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::bankChannels;
using test::listChannels;
using test::MaintenanceFixture;
using test::names;
using Texts = std::vector<std::string>;

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
    CommandResult run(std::vector<int> rows, std::vector<MessageAnswer> answers)
    {
        f.prompts.clearShown();
        for (const auto answer : answers)
            f.prompts.answer(answer);
        return deleteContacts(f.codeplug, f.prompts, std::move(rows));
    }
};

TEST_F(DeleteContacts, OneContactAsksOnceOrTwiceWhenInUse)
{
    run({1}, {MessageAnswer::No});
    EXPECT_EQ(f.prompts.texts(), Texts{"Are you sure you want to delete the contact: \r\n\r\nC2 (ID# 1002) ?"});
    EXPECT_EQ(f.prompts.shown()[0].buttons, MessageButtons::YesNoCancel);
    run({1}, {MessageAnswer::Yes, MessageAnswer::Cancel});
    ASSERT_EQ(f.prompts.texts().size(), 2u);
    EXPECT_EQ(f.prompts.shown()[1].text, InUseWarning);
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Error);
    EXPECT_EQ(f.prompts.shown()[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(f.codeplug.contacts().count(), 5);
    EXPECT_FALSE(f.codeplug.changed());

    auto result = run({1}, {MessageAnswer::Yes, MessageAnswer::Yes});
    EXPECT_EQ(names(f.codeplug.contacts()), (Texts{"C1", "C3", "C4", "C5"}));
    EXPECT_EQ(txContacts(), (std::vector<int>{0, 3, 0}));
    EXPECT_EQ(result.selectedRow, 1);
    EXPECT_TRUE(includes(result.refresh, TabList::Contacts | TabList::Channels | TabList::RxGroups));
    EXPECT_TRUE(f.codeplug.changed());

    result = run({3}, {MessageAnswer::Yes});
    EXPECT_EQ(f.prompts.texts().size(), 1u) << "C5 is not in use";
    EXPECT_EQ(result.selectedRow, 2) << "the last row went; the mark stays on the new last row";
}

TEST_F(DeleteContacts, ThreeWhereTheSecondIsInUseAndAnsweredNo)
{
    const auto result = run({0, 1, 2}, {MessageAnswer::Yes, MessageAnswer::No});
    EXPECT_EQ(f.prompts.texts(),
              (Texts{"Are you sure you want to delete 3 selected contacts?",
                     "WARNING: Contact 'C2' is in use by one or more channels;\r\nare you sure want to delete it?"}));
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(f.prompts.shown()[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(names(f.codeplug.contacts()), (Texts{"C2", "C4", "C5"}));
    EXPECT_EQ(txContacts(), (std::vector<int>{1, 2, 0})) << "the kept contact is still the channel's";
    EXPECT_TRUE(includes(result.refresh, TabList::Contacts | TabList::Channels | TabList::RxGroups));
    EXPECT_EQ(f.prompts.busyCount(), 1);
    EXPECT_FALSE(f.prompts.busy());
}

TEST_F(DeleteContacts, RowsInAnyOrderOrRepeatedDeleteTheSameContacts)
{
    run({4, 2, 4, 0, 99, -1}, {MessageAnswer::Yes});
    EXPECT_EQ(f.prompts.texts(), Texts{"Are you sure you want to delete 3 selected contacts?"});
    EXPECT_EQ(names(f.codeplug.contacts()), (Texts{"C2", "C4"}));

    EXPECT_EQ(run({0, 1}, {MessageAnswer::Cancel}).refresh, TabList::None);
    EXPECT_EQ(run({}, {}).refresh, TabList::None);
    EXPECT_EQ(f.codeplug.contacts().count(), 2);
}

TEST(DeleteContact, OnlyAnRxGroupListsMemberAsksNoInUseQuestion)
{
    MaintenanceFixture f(RdbV2Format);
    f.addContacts(3);
    auto& list = f.addRxGroup("G");
    for (int i = 0; i < 3; ++i)
        list.addMember(i + 1);
    f.forgetChanges();
    f.prompts.answer(MessageAnswer::Yes);
    deleteContacts(f.codeplug, f.prompts, {1});
    EXPECT_EQ(f.prompts.texts().size(), 1u);
    EXPECT_EQ(f.codeplug.contacts().count(), 2);
    EXPECT_EQ(list.memberCount(), 2);
    EXPECT_EQ(list.member(0) * 10 + list.member(1), 12);
}

TEST(DeleteChannels, OneOrSeveralLeaveZonesAndScanLists)
{
    for (const FormatId format : {Md380Format, RdbV11Format, D868Format}) {
        SCOPED_TRACE(format);
        MaintenanceFixture f(format);
        f.addChannels(6);
        auto& zone = f.addZone("Z");
        auto& list = f.addScanList("S");
        for (int i = 0; i < 6; ++i) {
            zone.addMember(f.codeplug.memberNumberOf(i));
            list.addMember(f.codeplug.memberNumberOf(i));
        }
        f.forgetChanges();

        f.prompts.answer(MessageAnswer::No);
        deleteChannels(f.codeplug, f.prompts, {5});
        EXPECT_FALSE(f.codeplug.changed());
        f.prompts.answer(MessageAnswer::Yes);
        auto result = deleteChannels(f.codeplug, f.prompts, {5});
        EXPECT_EQ(result.selectedRow, 4);
        EXPECT_TRUE(includes(result.refresh, TabList::Channels | TabList::Zones | TabList::ScanLists));

        f.prompts.answer(MessageAnswer::Yes);
        deleteChannels(f.codeplug, f.prompts, {4, 1, 2});
        EXPECT_EQ(f.prompts.texts(), (Texts{"Are you sure you want to delete the channel 'CH6' ?",
                                            "Are you sure you want to delete the channel 'CH6' ?",
                                            "Are you sure you want to delete the 3 selected channels?"}));
        EXPECT_EQ(names(f.codeplug.channels()), (Texts{"CH1", "CH4"}));
        EXPECT_EQ(bankChannels(zone, 1, f.codeplug), (std::vector<int>{0, 1}));
        EXPECT_EQ(listChannels(list, f.codeplug), (std::vector<int>{0, 1}));
    }
}

TEST(DeleteChannels, AD868CodeplugKeepsItsLastChannel)
{
    MaintenanceFixture f(D868Format);
    f.addChannels(3);
    f.forgetChanges();
    f.prompts.answer(MessageAnswer::Yes);
    deleteChannels(f.codeplug, f.prompts, {0, 1, 2});
    EXPECT_EQ(names(f.codeplug.channels()), (Texts{"CH3"}));
}

TEST(MarkTalkgroup, AsksThenMarksAndNeverClears)
{
    MaintenanceFixture f(D868Format);
    f.addContacts(4);
    f.codeplug.contactAt(0)->setTalkgroup(true);
    f.forgetChanges();
    auto marks = [&f] {
        std::vector<bool> all;
        for (const auto& contact : f.codeplug.contacts())
            all.push_back(contact->isTalkgroup());
        return all;
    };

    f.prompts.answer(MessageAnswer::No);
    markContactsAsTalkgroups(f.codeplug, f.prompts, {1});
    EXPECT_FALSE(f.codeplug.changed());
    f.prompts.answer(MessageAnswer::Yes);
    EXPECT_FALSE(markContactsAsTalkgroups(f.codeplug, f.prompts, {0}).modelChanged) << "already marked";
    EXPECT_FALSE(f.codeplug.changed());
    f.prompts.answer(MessageAnswer::Yes);
    EXPECT_TRUE(includes(markContactsAsTalkgroups(f.codeplug, f.prompts, {1}).refresh, TabList::Contacts));
    EXPECT_TRUE(f.codeplug.changed());
    EXPECT_EQ(marks(), (std::vector<bool>{true, true, false, false}));

    f.prompts.clearShown();
    f.prompts.answer(MessageAnswer::Yes);
    markContactsAsTalkgroups(f.codeplug, f.prompts, {0, 3});
    EXPECT_EQ(f.prompts.texts(), (Texts{"Are you sure you want to mark the 2 selected contacts as talkgroups?",
                                        "2 contacts marked as talkgroups."}));
    EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(f.prompts.shown()[1].icon, MessageIcon::Information);
    EXPECT_EQ(marks(), (std::vector<bool>{true, true, false, true}));
}

TEST(MarkTalkgroup, OneContactIsNamedWithItsId)
{
    MaintenanceFixture f(Md380Format);
    f.addContacts(2);
    f.forgetChanges();
    markContactsAsTalkgroups(f.codeplug, f.prompts, {1});
    EXPECT_EQ(f.prompts.texts(), Texts{"Are you sure you want to set the contact 'C2' (ID# 1002) as a talkgroup?"});
    EXPECT_EQ(f.prompts.shown()[0].buttons, MessageButtons::YesNoCancel);

    Codeplug none;
    EXPECT_EQ(deleteContacts(none, f.prompts, {0}).refresh, TabList::None);
    EXPECT_EQ(deleteChannels(none, f.prompts, {0}).refresh, TabList::None);
    EXPECT_EQ(markContactsAsTalkgroups(none, f.prompts, {0}).refresh, TabList::None);
    EXPECT_EQ(f.prompts.texts().size(), 1u);
}

} // namespace
} // namespace pw
