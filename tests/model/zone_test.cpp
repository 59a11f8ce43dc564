// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/zone.h"
#include "codeplug/record_factory.h"

#include "model/index_remap.h"

#include <gtest/gtest.h>

#include <vector>

namespace pw {
namespace {

// Members are member numbers (Codeplug::memberNumberOf); how each family keeps them in its record
// is tested beside the family, how channel indexes become member numbers beside the codeplug.

// ---- Capacity and banks ----

struct CapacityCase {
    FormatId formatId;
    int capacity;
    int banks;
};

class ZoneCapacity : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(ZoneCapacity, BankTakesItsCapacityAndRefusesTheNextMember)
{
    const auto [formatId, capacity, banks] = GetParam();
    Zone zone = newZone(formatId);
    EXPECT_EQ(zone.capacity(), capacity);
    EXPECT_EQ(zone.bankCount(), banks);
    for (int bank = 1; bank <= banks; ++bank) {
        zone.selectBank(bank);
        for (int i = 0; i < capacity; ++i)
            ASSERT_TRUE(zone.addMember(i + 1)) << "bank " << bank << " member " << i;
        EXPECT_EQ(zone.memberCount(), capacity);
        EXPECT_FALSE(zone.addMember(capacity + 1));
        EXPECT_EQ(zone.memberCount(), capacity);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, ZoneCapacity,
                         ::testing::Values(CapacityCase{Md380Format, 16, 1}, CapacityCase{Md2017Format, 64, 2},
                                           CapacityCase{Md9600Format, 64, 2}, CapacityCase{RdbV1Format, 16, 1},
                                           CapacityCase{RdbV2Format, 16, 1}, CapacityCase{D868Format, 250, 1}));

TEST(ZoneBanks, SelectingABankIsClampedAndOnlyPossibleWithTwoBanks)
{
    Zone twoBanks = newZone(Md2017Format);
    twoBanks.selectBank(5);
    EXPECT_EQ(twoBanks.currentBank(), 2);
    twoBanks.selectBank(0);
    EXPECT_EQ(twoBanks.currentBank(), 1);
    twoBanks.selectBank(-3);
    EXPECT_EQ(twoBanks.currentBank(), 1);

    Zone oneBank = newZone(Md380Format);
    oneBank.selectBank(2);
    EXPECT_EQ(oneBank.currentBank(), 1);
}

TEST(ZoneBanks, SameChannelMayBeInBankAAndBankBButNotTwiceInOneBank)
{
    Zone zone = newZone(Md2017Format);
    EXPECT_TRUE(zone.addMember(2));
    EXPECT_FALSE(zone.addMember(2));
    zone.selectBank(2);
    EXPECT_TRUE(zone.addMember(2));
    EXPECT_EQ(zone.members(), std::vector<int>({2}));
    zone.selectBank(1);
    EXPECT_EQ(zone.members(), std::vector<int>({2}));
}

TEST(ZoneMembers, MemberNumberZeroOrBelowNamesNoChannelAndIsRefused)
{
    for (const FormatId formatId : {Md380Format, RdbV1Format, D868Format}) {
        Zone zone = newZone(formatId);
        EXPECT_FALSE(zone.addMember(0));
        EXPECT_FALSE(zone.addMember(-1));
        EXPECT_EQ(zone.memberCount(), 0) << std::hex << formatId;
    }
}

// ---- Removing and moving ----

class ZoneEditing : public ::testing::TestWithParam<FormatId> {
protected:
    // A zone holding the member numbers 3, 5 and 9.
    Zone zoneOf359()
    {
        Zone zone = newZone(GetParam());
        for (int number : {3, 5, 9})
            EXPECT_TRUE(zone.addMember(number));
        return zone;
    }
};

TEST_P(ZoneEditing, RemovingMemberZeroMovesTheOthersUp)
{
    auto zone = zoneOf359();
    EXPECT_TRUE(zone.removeMember(0));
    EXPECT_EQ(zone.members(), std::vector<int>({5, 9}));
    EXPECT_EQ(zone.member(2), 0);
}

TEST_P(ZoneEditing, RemovingOutsideTheMembersDoesNothing)
{
    auto zone = zoneOf359();
    EXPECT_FALSE(zone.removeMember(3));
    EXPECT_FALSE(zone.removeMember(-1));
    EXPECT_FALSE(zone.removeMember(1000));
    EXPECT_EQ(zone.members(), std::vector<int>({3, 5, 9}));
}

TEST_P(ZoneEditing, MovingSwapsNeighboursWithinTheMembers)
{
    auto zone = zoneOf359();
    EXPECT_TRUE(zone.moveMemberUp(2));
    EXPECT_EQ(zone.members(), std::vector<int>({3, 9, 5}));
    EXPECT_TRUE(zone.moveMemberDown(0));
    EXPECT_EQ(zone.members(), std::vector<int>({9, 3, 5}));
}

TEST_P(ZoneEditing, MovingPastEitherEndDoesNothing)
{
    auto zone = zoneOf359();
    EXPECT_FALSE(zone.moveMemberUp(0));
    EXPECT_FALSE(zone.moveMemberDown(2));
    // An empty entry is never moved in among the members.
    EXPECT_FALSE(zone.moveMemberUp(3));
    EXPECT_EQ(zone.members(), std::vector<int>({3, 5, 9}));
}

TEST_P(ZoneEditing, MemberReadsTheEntryAndNothingBeyondTheMembers)
{
    auto zone = zoneOf359();
    EXPECT_EQ(zone.member(1), 5);
    EXPECT_TRUE(zone.holdsMember(1));
    EXPECT_EQ(zone.member(3), 0);
    EXPECT_FALSE(zone.holdsMember(3));
    EXPECT_TRUE(zone.hasMember(9));
    EXPECT_FALSE(zone.hasMember(4));
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, ZoneEditing, ::testing::Values(Md380Format, Md2017Format, RdbV1Format, D868Format));

TEST(ZoneEditing, TwoBankZoneActsOnTheCurrentBankOnly)
{
    Zone zone = newZone(Md9600Format);
    zone.addMember(1);
    zone.addMember(2);
    zone.selectBank(2);
    zone.addMember(3);
    EXPECT_TRUE(zone.removeMember(0));
    EXPECT_EQ(zone.memberCount(), 0);
    zone.selectBank(1);
    EXPECT_EQ(zone.members(), std::vector<int>({1, 2}));
}

// ---- Names ----

TEST(ZoneName, NameKeepsItsFirstSixteenCharacters)
{
    for (FormatId formatId : {Md380Format, RdbV2Format, D868Format}) {
        Zone zone = newZone(formatId);
        zone.setName("ABCDEFGHIJKLMNOPQRST");
        EXPECT_EQ(zone.name(), "ABCDEFGHIJKLMNOP") << std::hex << formatId;
    }
}

// ---- Reference upkeep ----

TEST(ZoneUpkeep, RemovingAChannelRemovesItFromEveryBankAndLowersLaterMembers)
{
    Zone zone = newZone(Md2017Format);
    for (int number : {1, 2, 3})
        zone.addMember(number);
    zone.selectBank(2);
    for (int number : {2, 4})
        zone.addMember(number);
    // Channel 2 (member number 2) leaves the table.
    EXPECT_TRUE(zone.removeMembersEqualTo(2));
    zone.lowerMembersAbove(2);
    EXPECT_EQ(zone.currentBank(), 2);
    EXPECT_EQ(zone.members(), std::vector<int>({3}));
    zone.selectBank(1);
    EXPECT_EQ(zone.members(), std::vector<int>({1, 2}));
    EXPECT_FALSE(zone.removeMembersEqualTo(7));
}

TEST(ZoneUpkeep, RemapRewritesEveryMemberOfEveryBank)
{
    IndexRemap remap(3);
    remap.remap(1, 3);
    remap.remap(2, 1);
    remap.remap(3, 2);
    remap.finalize();
    Zone zone = newZone(Md9600Format);
    zone.setMember(0, 1);
    zone.setMember(1, 3);
    zone.selectBank(2);
    zone.setMember(40, 2);
    zone.remapMembers([&remap](int number) { return remap.lookup(number); });
    EXPECT_EQ(zone.member(40), 3);
    zone.selectBank(1);
    EXPECT_EQ(zone.members(), std::vector<int>({2, 1}));
}

} // namespace
} // namespace pw
