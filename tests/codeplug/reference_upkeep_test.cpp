// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"

#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pw {
namespace {

// An opened MD-380 codeplug whose contacts, channels and RX group lists the tests fill directly.
class ContactReferences : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto path = test::writeFixture(dir.file("md380.rdt"), Md380Format);
        ASSERT_EQ(codeplug.open(path), Md380Format);
    }

    void addContacts(std::initializer_list<const char*> names)
    {
        std::uint32_t id = 1000;
        for (const char* name : names) {
            Contact contact = newContact(Md380Format);
            contact.setName(name);
            contact.setDmrId(id++);
            contact.setCallType(CallType::GroupCall);
            ASSERT_EQ(codeplug.addContact(contact), AddResult::Added);
        }
    }

    void addDigitalChannel(int txContact)
    {
        auto channel = std::make_unique<Channel>(newChannel(Md380Format));
        channel->setName("D" + std::to_string(codeplug.channels().count()));
        channel->setMode(ChannelMode::Dmr);
        channel->setTxContact(txContact);
        codeplug.channels().append(std::move(channel));
    }

    void addAnalogChannel()
    {
        auto channel = std::make_unique<Channel>(newChannel(Md380Format));
        channel->setName("A" + std::to_string(codeplug.channels().count()));
        codeplug.channels().append(std::move(channel));
    }

    void addRxGroupList(std::initializer_list<int> members)
    {
        RxGroupList list = newRxGroupList(Md380Format);
        int i = 0;
        for (int member : members)
            list.setMember(i++, member);
        list.setMemberCount(i);
        codeplug.rxGroupLists().append(std::make_unique<RxGroupList>(list));
    }

    std::vector<int> txContacts() const
    {
        std::vector<int> contacts;
        for (const auto& channel : codeplug.channels())
            contacts.push_back(channel->txContact());
        return contacts;
    }

    std::vector<int> membersOf(int list) const
    {
        std::vector<int> members;
        const auto* rxGroupList = codeplug.rxGroupLists().at(list);
        for (int i = 0; i < rxGroupList->memberCount(); ++i)
            members.push_back(rxGroupList->member(i));
        return members;
    }

    test::TempDir dir;
    Codeplug codeplug;
};

TEST_F(ContactReferences, DeletingContact3Of5RepairsChannelsAndRxGroupLists)
{
    addContacts({"C1", "C2", "C3", "C4", "C5"});
    for (int contact : {3, 4, 5, 1, 0})
        addDigitalChannel(contact);
    addRxGroupList({3, 1, 3, 5});
    addRxGroupList({2, 4});

    codeplug.deleteContact(2);

    EXPECT_EQ(codeplug.contacts().count(), 4);
    EXPECT_EQ(txContacts(), std::vector<int>({0, 3, 4, 1, 0}));
    // Only the first of the two members that named contact 3 goes.
    EXPECT_EQ(membersOf(0), std::vector<int>({1, 3, 4}));
    EXPECT_EQ(membersOf(1), std::vector<int>({2, 3}));
    EXPECT_TRUE(codeplug.changed());
}

TEST_F(ContactReferences, DeletingAContactLeavesAnalogChannelsAlone)
{
    addContacts({"C1", "C2"});
    addAnalogChannel();
    codeplug.deleteContact(0);
    EXPECT_EQ(txContacts(), std::vector<int>({0}));
}

TEST_F(ContactReferences, DeletingAContactOnlyAnRxGroupListUsesRemovesTheMember)
{
    addContacts({"C1", "C2"});
    addDigitalChannel(1);
    addRxGroupList({2});
    codeplug.deleteContact(1);
    EXPECT_EQ(membersOf(0), std::vector<int>());
    EXPECT_EQ(txContacts(), std::vector<int>({1}));
}

TEST_F(ContactReferences, SortingContactsRemapsChannelsAndRxGroupMembers)
{
    addContacts({"E", "D", "C", "B", "A"});
    for (int contact : {1, 0, 3, 5})
        addDigitalChannel(contact);
    addAnalogChannel();
    addRxGroupList({1, 2, 4});

    codeplug.sortContacts(2);

    ASSERT_EQ(codeplug.contacts().at(0)->name(), "A");
    EXPECT_EQ(txContacts(), std::vector<int>({5, 0, 3, 1, 0}));
    EXPECT_EQ(membersOf(0), std::vector<int>({5, 4, 2}));
    // Every reference still names the same contact as before the sort.
    EXPECT_EQ(codeplug.contacts().at(4)->name(), "E");
    EXPECT_EQ(codeplug.contacts().at(3)->name(), "D");
}

} // namespace
} // namespace pw
