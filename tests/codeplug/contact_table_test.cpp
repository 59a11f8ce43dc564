// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/codeplug.h"
#include "codeplug/record_factory.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <set>

namespace pw {
namespace {

using test::TempDir;

class ContactTable : public testing::Test {
protected:
    Codeplug& open(FormatId format)
    {
        const auto path = test::writeFixture(dir_.file("plug"), format);
        EXPECT_EQ(codeplug_.open(path), format);
        EXPECT_TRUE(codeplug_.decode());
        return codeplug_;
    }

    static Contact contact(FormatId format, std::uint32_t id, const std::string& name,
                           CallType type = CallType::PrivateCall)
    {
        Contact c = newContact(format);
        c.setName(name);
        c.setDmrId(id);
        c.setCallType(type);
        return c;
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> all;
        for (const auto& c : codeplug_.contacts())
            all.push_back(c->name());
        return all;
    }

    TempDir dir_;
    Codeplug codeplug_;
};

TEST_F(ContactTable, AddRefusesWithoutCodeplugDuplicateIdsAndFullTables)
{
    Codeplug empty;
    EXPECT_EQ(empty.addContact(contact(Md380Format, 1, "a")), AddResult::NotLoadedRefused);

    auto& codeplug = open(Md380Format);
    EXPECT_EQ(codeplug.addContact(contact(Md380Format, 7, "a")), AddResult::Added);
    EXPECT_EQ(codeplug.addContact(contact(Md380Format, 7, "b")), AddResult::DuplicateRefused);
    EXPECT_EQ(codeplug.addContact(contact(Md380Format, 7, "b"), true), AddResult::Added);
    for (std::uint32_t id = 100; codeplug.contacts().count() < 1000; ++id)
        ASSERT_EQ(codeplug.addContact(contact(Md380Format, id, "x")), AddResult::Added);
    EXPECT_FALSE(codeplug.hasContactRoom());
    EXPECT_EQ(codeplug.addContact(contact(Md380Format, 99999, "one too many")), AddResult::TableFullRefused);
    EXPECT_EQ(codeplug.contacts().count(), 1000);
}

TEST_F(ContactTable, AddCopiesFieldsAcrossFamilies)
{
    auto& codeplug = open(RdbV2Format);
    Contact source = newContact(D868Format);
    source.setName("Jan-Willem");
    source.setDmrId(2041234);
    source.setCallType(CallType::GroupCall);
    source.setAlertTone(true);
    source.setCity("Delft");
    ASSERT_EQ(codeplug.addContact(source), AddResult::Added);
    const auto* added = codeplug.contactAt(0);
    EXPECT_EQ(&added->format(), recordFormatsOf(RdbV2Format).contact);
    EXPECT_EQ(added->name(), "Jan.Willem");
    EXPECT_EQ(added->dmrId(), 2041234u);
    EXPECT_EQ(added->callType(), CallType::GroupCall);
    EXPECT_TRUE(added->alertTone());
}

TEST_F(ContactTable, OnlyContactOfAD868CodeplugIsKept)
{
    auto& codeplug = open(D868Format);
    ASSERT_EQ(codeplug.addContact(contact(D868Format, 5, "only")), AddResult::Added);
    codeplug.deleteContact(0);
    EXPECT_EQ(codeplug.contacts().count(), 1);
    EXPECT_FALSE(codeplug.changed());
    ASSERT_EQ(codeplug.addContact(contact(D868Format, 6, "second")), AddResult::Added);
    codeplug.deleteContact(0);
    EXPECT_EQ(names(), (std::vector<std::string>{"second"}));
    EXPECT_TRUE(codeplug.changed());
}

TEST_F(ContactTable, DeleteWithABadIndexDoesNothing)
{
    auto& codeplug = open(Md2017Format);
    codeplug.addContact(contact(Md2017Format, 1, "a"));
    codeplug.deleteContact(1);
    codeplug.deleteContact(-1);
    EXPECT_EQ(codeplug.contacts().count(), 1);
}

TEST_F(ContactTable, SortByColumn)
{
    auto& codeplug = open(Md380Format);
    codeplug.addContact(contact(Md380Format, 30, "beta", CallType::PrivateCall));
    codeplug.addContact(contact(Md380Format, 10, "Alpha", CallType::GroupCall));
    codeplug.addContact(contact(Md380Format, 20, "alpha", CallType::PrivateCall));
    codeplug.sortContacts(1);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "alpha", "beta"}));
    codeplug.sortContacts(2);  // name, byte order: upper case first
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "alpha", "beta"}));
    codeplug.sortContacts(3);
    EXPECT_EQ(codeplug.contactAt(0)->name(), "Alpha");
}

TEST_F(ContactTable, FindByNameIgnoresCaseAndNormalisesRdbNames)
{
    auto& tyt = open(Md380Format);
    tyt.addContact(contact(Md380Format, 1, "PA3-XYZ"));
    EXPECT_EQ(tyt.findContactByName("pa3-xyz"), 0);
    EXPECT_EQ(tyt.findContactByName("pa3.xyz"), -1);
    EXPECT_EQ(tyt.contactNameForId(1), "PA3-XYZ");
    EXPECT_EQ(tyt.contactNameForId(0), "");
    EXPECT_EQ(tyt.contactNameForId(2), "");

    Codeplug rdb;
    ASSERT_EQ(rdb.open(test::writeFixture(dir_.file("rdb"), RdbV1Format)), RdbV1Format);
    ASSERT_TRUE(rdb.decode());
    rdb.addContact(contact(RdbV1Format, 1, "PA3-XYZ"));
    EXPECT_EQ(rdb.findContactByName("pa3-xyz"), 0);
}

TEST_F(ContactTable, AllCallIdIsNeverADuplicate)
{
    auto& codeplug = open(Md380Format);
    codeplug.addContact(contact(Md380Format, 5, "a"));
    codeplug.addContact(contact(Md380Format, 0, "all", CallType::AllCall), true);
    codeplug.addContact(contact(Md380Format, 0, "all2", CallType::AllCall), true);
    EXPECT_FALSE(codeplug.isDuplicateDmrId(*codeplug.contactAt(1), 1));
    EXPECT_TRUE(codeplug.isDuplicateDmrId(contact(Md380Format, 5, "x"), 2));
    EXPECT_FALSE(codeplug.isDuplicateDmrId(*codeplug.contactAt(0), 0));
}

// Eight contacts, three digital channels that transmit to contacts 2, 5 and 8, an RX group list of
// contacts 2, 7 and 8, and a reference past the table, saved and opened twice.
class BulkContactDelete : public testing::TestWithParam<FormatId> {
protected:
    void SetUp() override
    {
        Codeplug built;
        ASSERT_EQ(built.open(test::writeFixture(dir_.file("fixture"), GetParam())), GetParam());
        ASSERT_TRUE(built.decode());
        built.contacts().deleteAll();
        built.channels().deleteAll();
        built.rxGroupLists().deleteAll();
        for (std::uint32_t id = 1; id <= 8; ++id) {
            Contact c = built.newContact();
            c.setName("C" + std::to_string(id));
            c.setDmrId(1000 + id);
            ASSERT_EQ(built.addContact(c), AddResult::Added);
        }
        for (const int target : {2, 5, 8}) {
            Channel channel = built.newChannel();
            channel.setName("CH" + std::to_string(target));
            channel.setMode(ChannelMode::Dmr);
            channel.setTxContact(target);
            ASSERT_EQ(built.addChannel(channel), AddResult::Added);
        }
        ASSERT_TRUE(built.newRxGroupList("Group"));
        for (const int member : {2, 7, 8})
            built.rxGroupListAt(0)->addMember(member);
        {
            Codeplug::EditScope edit(built);
            edit.changed();
        }
        ASSERT_EQ(built.save(dir_.file("base")), 1);
        for (auto* codeplug : {&bulk_, &oneByOne_}) {
            ASSERT_EQ(codeplug->open(dir_.file("base")), GetParam());
            ASSERT_TRUE(codeplug->decode());
        }
    }

    TempDir dir_;
    Codeplug bulk_;
    Codeplug oneByOne_;
};

// The names the channels transmit to and the RX group list holds ("-" for none), with the contacts
// named in `gone` taken away.
std::vector<std::string> referencedNames(const Codeplug& codeplug, const std::set<std::string>& gone = {})
{
    const auto nameAt = [&](int position) -> std::string {
        const auto* contact = codeplug.contactAt(position - 1);
        return contact && !gone.count(contact->name()) ? contact->name() : "-";
    };
    std::vector<std::string> names;
    for (const auto& channel : codeplug.channels())
        names.push_back(nameAt(channel->txContact()));
    for (const int member : codeplug.rxGroupListAt(0)->members())
        if (nameAt(member) != "-")
            names.push_back(nameAt(member));
    return names;
}

TEST_P(BulkContactDelete, GivesTheFileThatDeletingOneByOneFromTheLastGives)
{
    std::set<std::string> gone;
    for (const int index : {1, 3, 6})
        gone.insert(bulk_.contactAt(index)->name());
    const auto expected = referencedNames(bulk_, gone);
    EXPECT_EQ(bulk_.deleteContacts({6, 1, 3, 1, 99, -1}), 3);
    for (const int index : {6, 3, 1})
        oneByOne_.deleteContact(index);
    EXPECT_TRUE(bulk_.changed());
    EXPECT_EQ(bulk_.fileBytes(), oneByOne_.fileBytes());
    EXPECT_EQ(referencedNames(bulk_), referencedNames(oneByOne_));
    // A D868 channel always names a talkgroup: one whose contact left names the first instead.
    if (GetParam() != D868Format) {
        EXPECT_EQ(referencedNames(bulk_), expected);
    }
    EXPECT_EQ(bulk_.contacts().count(), 5);
}

TEST_P(BulkContactDelete, KeepsTheSmallestTableTheFormatAllows)
{
    std::vector<int> all(8);
    for (int i = 0; i < 8; ++i)
        all[static_cast<std::size_t>(i)] = i;
    const int minimum = GetParam() == D868Format ? 1 : 0;
    EXPECT_EQ(bulk_.deleteContacts(all), 8 - minimum);
    EXPECT_EQ(bulk_.contacts().count(), minimum);
    EXPECT_TRUE(bulk_.fileBytes().has_value());
}

INSTANTIATE_TEST_SUITE_P(Formats, BulkContactDelete,
                         testing::Values(Md380Format, Md2017Format, RdbV1Format, RdbV2Format, D868Format));

TEST(ContactCapacity, PerFormat)
{
    EXPECT_EQ(contactCapacity(Md380Format), 1000);
    EXPECT_EQ(contactCapacity(Md2017Format), 10000);
    EXPECT_EQ(contactCapacity(Md9600Format), 10000);
    EXPECT_EQ(contactCapacity(RdbV1Format), 65535);
    EXPECT_EQ(contactCapacity(RdbV11Format), 65535);
    EXPECT_EQ(contactCapacity(RdbV2Format), 130000);
    EXPECT_EQ(contactCapacity(D868Format), 160000);
    EXPECT_EQ(contactCapacity(0x4001), 0);
}

} // namespace
} // namespace pw
