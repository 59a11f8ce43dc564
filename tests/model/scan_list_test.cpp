// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/scan_list.h"
#include "codeplug/record_factory.h"

#include "model/index_remap.h"

#include <gtest/gtest.h>

#include <vector>

namespace pw {
namespace {

// Members are member numbers (Codeplug::memberNumberOf); how each family keeps them in its record
// is tested beside the family.

// ---- Limits ----

struct LimitCase {
    FormatId formatId;
    int limit;
};

class ScanListLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ScanListLimit, ListTakesItsLimitAndRefusesTheNextMember)
{
    const auto [formatId, limit] = GetParam();
    ScanList list = newScanList(formatId);
    EXPECT_EQ(list.memberLimit(), limit);
    for (int i = 0; i < limit; ++i)
        ASSERT_TRUE(list.addMember(i + 1)) << i;
    EXPECT_EQ(list.memberCount(), limit);
    EXPECT_FALSE(list.addMember(limit + 1));
    EXPECT_EQ(list.memberCount(), limit);
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, ScanListLimit,
                         ::testing::Values(LimitCase{Md380Format, 31}, LimitCase{Md9600Format, 31},
                                           LimitCase{RdbV1Format, 31}, LimitCase{D868Format, 50}));

TEST(ScanListMembers, ChannelAlreadyInTheListIsRefused)
{
    for (FormatId formatId : {Md380Format, RdbV2Format, D868Format}) {
        ScanList list = newScanList(formatId);
        EXPECT_TRUE(list.addMember(2));
        EXPECT_FALSE(list.addMember(2)) << std::hex << formatId;
        EXPECT_EQ(list.memberCount(), 1);
    }
}

TEST(ScanListMembers, MemberNumberZeroOrBelowNamesNoChannelAndIsRefused)
{
    ScanList list = newScanList(Md380Format);
    EXPECT_FALSE(list.addMember(0));
    EXPECT_FALSE(list.addMember(-5));
    EXPECT_EQ(list.memberCount(), 0);
}

class ScanListEditing : public ::testing::TestWithParam<FormatId> {};

TEST_P(ScanListEditing, RemovingMemberZeroMovesTheOthersUp)
{
    ScanList list = newScanList(GetParam());
    for (int number : {3, 5, 9})
        list.addMember(number);
    EXPECT_TRUE(list.removeMember(0));
    EXPECT_EQ(list.members(), std::vector<int>({5, 9}));
    EXPECT_FALSE(list.removeMember(2));
    EXPECT_EQ(list.memberCount(), 2);
}

TEST_P(ScanListEditing, MovingSwapsNeighboursWithinTheMembers)
{
    ScanList list = newScanList(GetParam());
    for (int number : {3, 5, 9})
        list.addMember(number);
    EXPECT_TRUE(list.moveMemberUp(1));
    EXPECT_FALSE(list.moveMemberUp(0));
    EXPECT_FALSE(list.moveMemberUp(3));
    EXPECT_TRUE(list.moveMemberDown(1));
    EXPECT_FALSE(list.moveMemberDown(2));
    EXPECT_EQ(list.members(), std::vector<int>({5, 9, 3}));
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, ScanListEditing, ::testing::Values(Md380Format, RdbV11Format, D868Format));

TEST(ScanListName, NameKeepsItsFirstSixteenCharacters)
{
    for (FormatId formatId : {Md380Format, RdbV1Format, D868Format}) {
        ScanList list = newScanList(formatId);
        list.setName("ABCDEFGHIJKLMNOPQRS");
        EXPECT_EQ(list.name(), "ABCDEFGHIJKLMNOP") << std::hex << formatId;
    }
}

// ---- Reference upkeep ----

TEST(ScanListUpkeep, RemovingAChannelRemovesOnlyItsFirstOccurrence)
{
    ScanList list = newScanList(Md380Format);
    for (int i = 0; const int value : {2, 2, 5, 1})
        list.setMember(i++, value);
    // Channel 2 (member number 2) leaves the table.
    EXPECT_TRUE(list.removeFirstMemberEqualTo(2));
    list.lowerMembersAbove(2);
    EXPECT_EQ(list.members(), std::vector<int>({2, 4, 1}));
    EXPECT_FALSE(list.removeFirstMemberEqualTo(9));
}

TEST(ScanListUpkeep, RemapRewritesEveryMember)
{
    IndexRemap remap(2);
    remap.remap(1, 2);
    remap.remap(2, 1);
    remap.finalize();
    ScanList list = newScanList(Md380Format);
    list.setMember(0, 1);
    list.setMember(1, 2);
    list.remapMembers([&remap](int number) { return remap.lookup(number); });
    EXPECT_EQ(list.members(), std::vector<int>({2, 1}));
}

} // namespace
} // namespace pw
