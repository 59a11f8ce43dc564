// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/id_fit.h"

#include "iddb/iddb_test_records.h"
#include "maintenance_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::idRecord;

// Contacts P1..P6 (private calls, IDs 1001...), the group call TG91 and an all call; CH1 transmits
// to P3 and CH2 to TG91, the RX group list holds P5. So P1, P2, P4 and P6 are the private calls
// that nothing uses.
class Fit : public ::testing::TestWithParam<FormatId> {
protected:
    Fit() : plug(GetParam())
    {
        plug.addContacts(6);
        for (int i = 0; i < 6; ++i)
            plug.codeplug.contactAt(i)->setName("P" + std::to_string(i + 1));
        addContact(91, "TG91", CallType::GroupCall);
        addContact(AllCallId, "All", CallType::AllCall);
        plug.addChannels(2);
        plug.codeplug.channelAt(0)->setTxContact(3);
        plug.codeplug.channelAt(1)->setTxContact(7);
        plug.addRxGroup("Group").addMember(5);
        plug.forgetChanges();
    }

    void addContact(std::uint32_t id, const std::string& name, CallType type)
    {
        Contact contact = plug.codeplug.newContact();
        contact.setName(name);
        contact.setCallType(type);
        contact.setDmrId(id);
        ASSERT_EQ(plug.codeplug.addContact(contact, true), AddResult::Added);
    }

    // `count` users from ID 3100001 up, and the user 1002 that the codeplug holds as P2.
    void loadUsers(int count)
    {
        std::vector<IdRecordFields> records{idRecord("1002", "K1TWO", "Two Second", "", "", "United States")};
        for (int i = 1; i <= count; ++i)
            records.push_back(idRecord(std::to_string(3100000 + i), "W" + std::to_string(i) + "X",
                                       "Ann" + std::to_string(i) + " Lee", "Town", "Ohio", "United States", "DMR"));
        store = test::storeOf(records);
        users = IdUserIndex(store);
    }

    FitResult fit(FitRequest request) { return fitToCodeplug(&plug.codeplug, users, request, plug.prompts); }

    // What channels and the RX group list refer to, by name, after a save and a new open.
    std::vector<std::string> referencesAfterSave()
    {
        const auto path = plug.dir.file("saved.bin");
        EXPECT_TRUE(plug.codeplug.save(path));
        Codeplug reopened;
        EXPECT_EQ(reopened.open(path), GetParam());
        EXPECT_TRUE(reopened.decode());
        std::vector<std::string> names;
        for (const auto& channel : reopened.channels())
            names.push_back(reopened.contactAt(channel->txContact() - 1)->name());
        for (const int member : reopened.rxGroupListAt(0)->members())
            names.push_back(reopened.contactAt(member - 1)->name());
        names.push_back(std::to_string(reopened.contacts().count()));
        return names;
    }

    test::MaintenanceFixture plug;
    IdRecordStore store;
    IdUserIndex users;
};

TEST_P(Fit, AddsTheUsersItDoesNotHaveAsNamedPrivateCallsUpToTheFreeRows)
{
    const int room = contactCapacity(GetParam()) - 8;
    loadUsers(std::min(room + 20, 12000));
    const auto result = fit({});
    const int added = std::min(room, users.userCount() - 1);
    EXPECT_EQ(result.added, added);
    EXPECT_EQ(result.alreadyPresent, 1);
    EXPECT_EQ(result.removed, 0);
    EXPECT_EQ(result.leftOut, 0);
    EXPECT_EQ(plug.prompts.lastText().substr(0, plug.prompts.lastText().find("\r\nleft")),
              "added: " + std::to_string(added) + "\r\nalready present: 1\r\nremoved: 0");
    const Contact& first = *plug.codeplug.contactAt(8);
    EXPECT_EQ(first.dmrId(), 3100001u);
    EXPECT_EQ(first.callType(), CallType::PrivateCall);
    // "%C %F", without the blank each template word ends in (as the family stores names).
    EXPECT_EQ(first.name(), plug.codeplug.recordFormats().contact->lookupName("W1X Ann1"));
    EXPECT_EQ(referencesAfterSave(), (std::vector<std::string>{"P3", "TG91", "P5", std::to_string(8 + added)}));
}

TEST_P(Fit, ReplaceDeletesOnlyUnusedPrivateCallsAndKeepsEveryReference)
{
    loadUsers(30);
    FitRequest request;
    request.replace = true;
    request.criteria.limit = 10;
    const auto result = fit(request);
    // P2 (ID 1002) was unused: it went, and came back as a user of the list.
    EXPECT_EQ(result.removed, 4);
    EXPECT_EQ(result.alreadyPresent, 0);
    EXPECT_EQ(result.added, 10);
    std::vector<std::string> kept;
    for (int i = 0; i < 4; ++i)
        kept.push_back(plug.codeplug.contactAt(i)->name());
    EXPECT_EQ(kept, (std::vector<std::string>{"P3", "P5", "TG91", "All"}));
    EXPECT_EQ(referencesAfterSave(), (std::vector<std::string>{"P3", "TG91", "P5", "14"}));
}

TEST_P(Fit, ALimitBeyondTheFreeRowsLeavesUsersOutAndSaysSo)
{
    const int room = contactCapacity(GetParam()) - 8;
    if (room > 20000)
        GTEST_SKIP() << "fills MD-380 and MD-2017 tables; the others hold far more";
    loadUsers(room + 5);
    FitRequest request;
    request.criteria.limit = static_cast<std::size_t>(room + 6);
    const auto result = fit(request);
    EXPECT_EQ(result.added, room);
    EXPECT_EQ(result.alreadyPresent, 1);
    EXPECT_EQ(result.leftOut, 5);
    EXPECT_EQ(plug.prompts.shown().back().icon, MessageIcon::Warning);
    EXPECT_FALSE(plug.codeplug.hasContactRoom());
}

TEST_P(Fit, APlanCountsWithoutChangingTheCodeplug)
{
    loadUsers(50);
    FitRequest request;
    request.replace = true;
    request.criteria.pinned = parsePeopleList("1002\nW7X\n");
    const auto plan = planFit(plug.codeplug, users, request);
    EXPECT_EQ(plan.removable.size(), 4u);
    EXPECT_EQ(plan.selected(), 51);
    EXPECT_EQ(users.idOf(plan.toAdd[0]), 1002u);
    EXPECT_EQ(users.idOf(plan.toAdd[1]), 3100007u);
    EXPECT_EQ(plug.codeplug.contacts().count(), 8);
    EXPECT_FALSE(plug.codeplug.changed());
}

INSTANTIATE_TEST_SUITE_P(Families, Fit, ::testing::Values(Md380Format, Md2017Format, RdbV1Format, D868Format));

TEST(FitRefusals, NoCodeplugNothingLoadedAndAnEmptyTemplateDeclined)
{
    ScriptedPrompts prompts;
    const IdUserIndex users;
    EXPECT_FALSE(fitToCodeplug(nullptr, users, {}, prompts).ran);
    Codeplug unloaded;
    EXPECT_FALSE(fitToCodeplug(&unloaded, users, {}, prompts).ran);
    EXPECT_EQ(prompts.lastText(), "You must first load a valid codeplug before using this command.");
    test::MaintenanceFixture plug(Md380Format);
    plug.prompts.answer(MessageAnswer::No);
    FitRequest request;
    request.nameTemplate = "   ";
    EXPECT_FALSE(fitToCodeplug(&plug.codeplug, users, request, plug.prompts).ran);
    EXPECT_EQ(plug.prompts.lastText(), "Invalid template value for NAME field. Use default?");
}

} // namespace
} // namespace pw
