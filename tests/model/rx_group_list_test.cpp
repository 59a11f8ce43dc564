#include "model/rx_group_list.h"
#include "codeplug/record_factory.h"

#include "codeplug/byte_field.h"
#include "model/contact.h"
#include "model/index_remap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pw {
namespace {

RecordList<Contact> makeContacts(FormatId formatId, int count)
{
    RecordList<Contact> contacts;
    for (int i = 0; i < count; ++i) {
        auto contact = std::make_unique<Contact>(newContact(formatId));
        contact->setName("TG" + std::to_string(i + 1));
        contact->setDmrId(static_cast<std::uint32_t>(9000 + i));
        contacts.append(std::move(contact));
    }
    return contacts;
}

std::vector<int> membersOf(const RxGroupList& list)
{
    std::vector<int> members;
    for (int i = 0; i < list.memberCount(); ++i)
        members.push_back(list.member(i));
    return members;
}

RxGroupList listWith(FormatId formatId, std::initializer_list<int> members)
{
    RxGroupList list = newRxGroupList(formatId);
    int i = 0;
    for (int value : members)
        list.setMember(i++, value);
    list.setMemberCount(i);
    return list;
}

// ---- Adding ----

struct LimitCase {
    FormatId formatId;
    int limit;
};

class RxGroupLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(RxGroupLimit, ListTakesItsLimitAndRefusesTheNextContact)
{
    const auto [formatId, limit] = GetParam();
    const auto contacts = makeContacts(formatId, limit + 1);
    RxGroupList list = newRxGroupList(formatId);
    EXPECT_EQ(list.memberLimit(), limit);
    for (int i = 0; i < limit; ++i)
        ASSERT_EQ(list.addMember(i, contacts), 1) << i;
    EXPECT_EQ(list.addMember(limit, contacts), 0);
    EXPECT_EQ(list.memberCount(), limit);
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, RxGroupLimit,
                         ::testing::Values(LimitCase{Md380Format, 31}, LimitCase{Md2017Format, 31},
                                           LimitCase{RdbV1Format, 31}, LimitCase{RdbV2Format, 31},
                                           LimitCase{D868Format, 30}));

TEST(RxGroupMembers, ContactAlreadyPresentOrMissingIsRefused)
{
    const auto contacts = makeContacts(Md380Format, 3);
    RxGroupList list = newRxGroupList(Md380Format);
    EXPECT_EQ(list.addMember(2, contacts), 1);
    EXPECT_EQ(list.addMember(2, contacts), 0);
    EXPECT_EQ(list.addMember(3, contacts), 0);
    EXPECT_EQ(list.addMember(-1, contacts), 0);
    EXPECT_EQ(membersOf(list), std::vector<int>({3}));
}

TEST(RxGroupMembers, AddingWritesEveryRecordAndBothCounts)
{
    const auto contacts = makeContacts(RdbV1Format, 5);
    RxGroupList list = newRxGroupList(RdbV1Format);
    list.addMember(4, contacts);
    list.addMember(0, contacts);
    EXPECT_EQ(getU16Le(list.tytRecord(), 32), 5);
    EXPECT_EQ(getU16Le(list.tytRecord(), 34), 1);
    EXPECT_EQ(getU32Le(list.rdbRecord(), 0), 2u);
    EXPECT_EQ(getU16Le(list.rdbRecord(), 36), 5);
    EXPECT_EQ(getU32Le(list.rdbV2Record(), 0), 2u);
    EXPECT_EQ(getU32Le(list.rdbV2Record(), 40), 1u);
    EXPECT_EQ(getU16Le(list.d868Record(), 39), 2);
    EXPECT_EQ(getU32Le(list.d868Record(), 41), 4u);
}

TEST(RxGroupMembers, D868BlockStoresZeroBasedPositions)
{
    const auto contacts = makeContacts(D868Format, 3);
    RxGroupList list = newRxGroupList(D868Format);
    list.addMember(0, contacts);
    list.addMember(2, contacts);
    EXPECT_EQ(getU32Le(list.d868Record(), 41), 0u);
    EXPECT_EQ(getU32Le(list.d868Record(), 45), 2u);
    EXPECT_EQ(membersOf(list), std::vector<int>({1, 3}));
}

// ---- Removing ----

TEST(RxGroupMembers, RemovingMemberZeroMovesEveryArrayUp)
{
    for (FormatId formatId : {Md380Format, RdbV1Format, RdbV2Format, D868Format}) {
        auto list = listWith(formatId, {3, 5, 9});
        EXPECT_TRUE(list.removeMember(0));
        EXPECT_EQ(membersOf(list), std::vector<int>({5, 9})) << std::hex << formatId;
        EXPECT_EQ(getU16Le(list.tytRecord(), 36), 0);
        EXPECT_EQ(getU32Le(list.rdbV2Record(), 0), 2u);
    }
}

TEST(RxGroupMembers, ReadingOrRemovingOutsideTheListDoesNothing)
{
    auto list = listWith(Md380Format, {3, 5});
    EXPECT_EQ(list.member(2), 0);
    EXPECT_EQ(list.member(-1), 0);
    EXPECT_FALSE(list.removeMember(2));
    EXPECT_FALSE(list.removeMember(-1));
    EXPECT_EQ(membersOf(list), std::vector<int>({3, 5}));
}

// ---- Reference upkeep ----

TEST(RxGroupUpkeep, ForgettingAContactHeldTwiceRemovesOnlyTheFirst)
{
    auto list = listWith(Md380Format, {3, 1, 3, 5});
    list.forgetContact(3);
    EXPECT_EQ(membersOf(list), std::vector<int>({1, 3, 4}));
}

TEST(RxGroupUpkeep, ForgettingAContactNotInTheListStillLowersLaterMembers)
{
    auto list = listWith(D868Format, {1, 4, 6});
    list.forgetContact(2);
    EXPECT_EQ(membersOf(list), std::vector<int>({1, 3, 5}));
}

TEST(RxGroupUpkeep, RemapRewritesEveryMember)
{
    IndexRemap remap(3);
    remap.remap(1, 3);
    remap.remap(2, 2);
    remap.remap(3, 1);
    remap.finalize();
    auto list = listWith(RdbV2Format, {1, 2, 3});
    list.remapMembers(remap);
    EXPECT_EQ(membersOf(list), std::vector<int>({3, 2, 1}));
}

// ---- Records as decoded ----

TEST(RxGroupRecord, TytCountIsTheLeadingNonZeroWordsAmongTheFirst31)
{
    RxGroupList list = newRxGroupList(Md380Format);
    for (int i = 0; i < 32; ++i)
        setU16Le(list.tytRecord(), 32 + 2 * static_cast<std::size_t>(i), 7);
    list.loadMemberCount();
    EXPECT_EQ(list.memberCount(), 31);

    setU16Le(list.tytRecord(), 32 + 2 * 4, 0);
    list.loadMemberCount();
    EXPECT_EQ(list.memberCount(), 4);
}

TEST(RxGroupRecord, RecordCountWordsAreBoundedByTheEntriesTheyHold)
{
    RxGroupList rdb = newRxGroupList(RdbV1Format);
    setU32Le(rdb.rdbRecord(), 0, 0xFFFFFFFF);
    rdb.loadMemberCount();
    EXPECT_EQ(rdb.memberCount(), 32);
    EXPECT_EQ(rdb.member(31), 0);

    RxGroupList v2 = newRxGroupList(RdbV2Format);
    setU32Le(v2.rdbV2Record(), 0, 2);
    setU32Le(v2.rdbV2Record(), 40, 70000);
    v2.loadMemberCount();
    EXPECT_EQ(membersOf(v2), std::vector<int>({0, 70000}));

    RxGroupList d868 = newRxGroupList(D868Format);
    setU16Le(d868.d868Record(), 39, 0xFFFF);
    d868.loadMemberCount();
    EXPECT_EQ(d868.memberCount(), 63);
    EXPECT_EQ(d868.member(62), 1);
}

TEST(RxGroupRecord, NameIsWrittenEverywhereAndD868KeepsTwentyCharacters)
{
    RxGroupList d868 = newRxGroupList(D868Format);
    d868.setName("ABCDEFGHIJKLMNOPQRSTUV");
    EXPECT_EQ(d868.name(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(getUtf16Name(d868.tytRecord(), 0, 16), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(getUtf16Name(d868.rdbRecord(), 4, 16), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(getUtf16Name(d868.rdbV2Record(), 4, 16), "ABCDEFGHIJKLMNOP");

    RxGroupList v2 = newRxGroupList(RdbV2Format);
    v2.setName("Local");
    EXPECT_EQ(v2.name(), "Local");
    RxGroupList tyt = newRxGroupList(Md380Format);
    tyt.setName("Local");
    EXPECT_EQ(tyt.name(), "Local");
}

TEST(RxGroupRecord, NewD868ListIsNumberedAndInUse)
{
    const RxGroupList list = newRxGroupList(D868Format);
    EXPECT_EQ(list.d868RecordNumber(), 1);
    EXPECT_EQ(getU16Le(list.d868Record(), 2), 1);
    EXPECT_EQ(list.memberCount(), 0);
}

} // namespace
} // namespace pw
