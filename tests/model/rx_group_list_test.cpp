// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/rx_group_list.h"
#include "codeplug/record_factory.h"

#include "model/index_remap.h"

#include <gtest/gtest.h>

#include <vector>

namespace pw {
namespace {

// Members are 1-based contact positions; how each family keeps them in its record is tested beside
// the family.

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
    RxGroupList list = newRxGroupList(formatId);
    EXPECT_EQ(list.memberLimit(), limit);
    for (int i = 0; i < limit; ++i)
        ASSERT_TRUE(list.addMember(i + 1)) << i;
    EXPECT_FALSE(list.addMember(limit + 1));
    EXPECT_EQ(list.memberCount(), limit);
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, RxGroupLimit,
                         ::testing::Values(LimitCase{Md380Format, 31}, LimitCase{Md2017Format, 31},
                                           LimitCase{RdbV1Format, 31}, LimitCase{RdbV2Format, 31},
                                           LimitCase{D868Format, 30}));

TEST(RxGroupMembers, ContactAlreadyPresentOrNoContactIsRefused)
{
    RxGroupList list = newRxGroupList(Md380Format);
    EXPECT_TRUE(list.addMember(3));
    EXPECT_FALSE(list.addMember(3));
    EXPECT_FALSE(list.addMember(0));
    EXPECT_FALSE(list.addMember(-1));
    EXPECT_EQ(list.members(), std::vector<int>({3}));
}

// ---- Removing ----

TEST(RxGroupMembers, RemovingMemberZeroMovesTheOthersUp)
{
    for (FormatId formatId : {Md380Format, RdbV1Format, RdbV2Format, D868Format}) {
        auto list = listWith(formatId, {3, 5, 9});
        EXPECT_TRUE(list.removeMember(0));
        EXPECT_EQ(list.members(), std::vector<int>({5, 9})) << std::hex << formatId;
        EXPECT_EQ(list.memberCount(), 2) << std::hex << formatId;
    }
}

TEST(RxGroupMembers, ReadingOrRemovingOutsideTheListDoesNothing)
{
    auto list = listWith(Md380Format, {3, 5});
    EXPECT_EQ(list.member(2), 0);
    EXPECT_EQ(list.member(-1), 0);
    EXPECT_FALSE(list.removeMember(2));
    EXPECT_FALSE(list.removeMember(-1));
    EXPECT_EQ(list.members(), std::vector<int>({3, 5}));
}

// ---- Reference upkeep ----

TEST(RxGroupUpkeep, ForgettingAContactHeldTwiceRemovesOnlyTheFirst)
{
    auto list = listWith(Md380Format, {3, 1, 3, 5});
    list.forgetContact(3);
    EXPECT_EQ(list.members(), std::vector<int>({1, 3, 4}));
}

TEST(RxGroupUpkeep, ForgettingAContactNotInTheListStillLowersLaterMembers)
{
    auto list = listWith(D868Format, {1, 4, 6});
    list.forgetContact(2);
    EXPECT_EQ(list.members(), std::vector<int>({1, 3, 5}));
}

TEST(RxGroupUpkeep, RemapRewritesEveryMember)
{
    IndexRemap remap(3);
    remap.remap(1, 3);
    remap.remap(2, 2);
    remap.remap(3, 1);
    remap.finalize();
    auto list = listWith(RdbV2Format, {1, 2, 3});
    list.remapMembers([&remap](int position) { return remap.lookup(position); });
    EXPECT_EQ(list.members(), std::vector<int>({3, 2, 1}));
}

// ---- Names ----

TEST(RxGroupName, NameKeepsSixteenCharactersOrTwentyInD868)
{
    for (const auto& [formatId, kept] : {std::pair{Md380Format, "ABCDEFGHIJKLMNOP"}, std::pair{RdbV2Format, "ABCDEFGHIJKLMNOP"},
                                         std::pair{D868Format, "ABCDEFGHIJKLMNOPQRST"}}) {
        RxGroupList list = newRxGroupList(formatId);
        list.setName("ABCDEFGHIJKLMNOPQRSTUV");
        EXPECT_EQ(list.name(), kept) << std::hex << formatId;
        list.setName("Local");
        EXPECT_EQ(list.name(), "Local") << std::hex << formatId;
    }
}

} // namespace
} // namespace pw
