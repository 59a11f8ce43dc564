#include "model/zone.h"
#include "codeplug/record_factory.h"

#include "codeplug/byte_field.h"
#include "model/channel.h"
#include "model/error_log.h"
#include "model/index_remap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pw {
namespace {

// A channel table of `count` channels named "CH1" ... In the RDB family channel i sits in slot
// 100 + i, so that slot numbers and positions cannot be confused.
RecordList<Channel> makeChannels(FormatId formatId, int count)
{
    RecordList<Channel> channels;
    for (int i = 0; i < count; ++i) {
        auto channel = std::make_unique<Channel>(newChannel(formatId));
        channel->setName("CH" + std::to_string(i + 1));
        if (familyOf(formatId) == FormatFamily::RdbFamily)
            channel->setSlotNumber(100 + i);
        channels.append(std::move(channel));
    }
    return channels;
}

std::vector<int> membersOf(const Zone& zone)
{
    std::vector<int> members;
    for (int i = 0; i < zone.memberCount(); ++i)
        members.push_back(zone.member(i));
    return members;
}

// The member number that adding channel table index i stores.
int memberFor(FormatId formatId, int index)
{
    return familyOf(formatId) == FormatFamily::RdbFamily ? 100 + index : index + 1;
}

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
    const auto channels = makeChannels(formatId, capacity + 1);
    Zone zone = newZone(formatId);
    EXPECT_EQ(zone.capacity(), capacity);
    EXPECT_EQ(zone.bankCount(), banks);
    for (int bank = 1; bank <= banks; ++bank) {
        zone.selectBank(bank);
        for (int i = 0; i < capacity; ++i)
            ASSERT_EQ(zone.addMember(i, channels), 1) << "bank " << bank << " member " << i;
        EXPECT_EQ(zone.memberCount(), capacity);
        EXPECT_EQ(zone.addMember(capacity, channels), 0);
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
    const auto channels = makeChannels(Md2017Format, 3);
    Zone zone = newZone(Md2017Format);
    EXPECT_EQ(zone.addMember(1, channels), 1);
    EXPECT_EQ(zone.addMember(1, channels), 0);
    zone.selectBank(2);
    EXPECT_EQ(zone.addMember(1, channels), 1);
    EXPECT_EQ(membersOf(zone), std::vector<int>({2}));
    zone.selectBank(1);
    EXPECT_EQ(membersOf(zone), std::vector<int>({2}));
}

TEST(ZoneMembers, AddingAnIndexThatNamesNoChannelIsRefused)
{
    const auto channels = makeChannels(Md380Format, 2);
    Zone zone = newZone(Md380Format);
    EXPECT_EQ(zone.addMember(2, channels), 0);
    EXPECT_EQ(zone.addMember(-1, channels), 0);
    EXPECT_EQ(zone.memberCount(), 0);

    auto rdbChannels = makeChannels(RdbV1Format, 1);
    rdbChannels.at(0)->setSlotNumber(0);
    Zone rdbZone = newZone(RdbV1Format);
    EXPECT_EQ(rdbZone.addMember(0, rdbChannels), 0);
}

TEST(ZoneMembers, RdbMemberIsTheSlotNumberAndRaisesTheCountByte)
{
    const auto channels = makeChannels(RdbV11Format, 3);
    Zone zone = newZone(RdbV11Format);
    ASSERT_EQ(zone.addMember(2, channels), 1);
    EXPECT_EQ(getU8(zone.rdbRecord(), 36), 1);
    EXPECT_EQ(getU16Le(zone.rdbRecord(), 48), 102);
    EXPECT_EQ(zone.memberChannelIndex(0, channels), 2);
}

TEST(ZoneMembers, AddingByNameIgnoresCase)
{
    const auto channels = makeChannels(Md380Format, 3);
    Zone zone = newZone(Md380Format);
    EXPECT_EQ(zone.addMemberByName("ch2", channels), 1);
    EXPECT_EQ(zone.addMemberByName("nowhere", channels), 0);
    EXPECT_EQ(membersOf(zone), std::vector<int>({2}));
}

// ---- Removing and moving ----

class ZoneEditing : public ::testing::TestWithParam<FormatId> {
protected:
    // A zone holding the channels at table indices 2, 4 and 8.
    Zone zoneOf359()
    {
        Zone zone = newZone(GetParam());
        for (int index : {2, 4, 8})
            EXPECT_EQ(zone.addMember(index, channels), 1);
        return zone;
    }
    std::vector<int> expected(std::initializer_list<int> indices)
    {
        std::vector<int> members;
        for (int index : indices)
            members.push_back(memberFor(GetParam(), index));
        return members;
    }
    RecordList<Channel> channels = makeChannels(GetParam(), 10);
};

TEST_P(ZoneEditing, RemovingMemberZeroMovesTheOthersUp)
{
    auto zone = zoneOf359();
    EXPECT_TRUE(zone.removeMember(0));
    EXPECT_EQ(membersOf(zone), expected({4, 8}));
    EXPECT_EQ(zone.member(2), 0);
}

TEST_P(ZoneEditing, RemovingOutsideTheMembersDoesNothing)
{
    auto zone = zoneOf359();
    EXPECT_FALSE(zone.removeMember(3));
    EXPECT_FALSE(zone.removeMember(-1));
    EXPECT_FALSE(zone.removeMember(1000));
    EXPECT_EQ(membersOf(zone), expected({2, 4, 8}));
}

TEST_P(ZoneEditing, MovingSwapsNeighboursWithinTheMembers)
{
    auto zone = zoneOf359();
    EXPECT_TRUE(zone.moveMemberUp(2));
    EXPECT_EQ(membersOf(zone), expected({2, 8, 4}));
    EXPECT_TRUE(zone.moveMemberDown(0));
    EXPECT_EQ(membersOf(zone), expected({8, 2, 4}));
}

TEST_P(ZoneEditing, MovingPastEitherEndDoesNothing)
{
    auto zone = zoneOf359();
    EXPECT_FALSE(zone.moveMemberUp(0));
    EXPECT_FALSE(zone.moveMemberDown(2));
    // An empty entry is never moved in among the members.
    EXPECT_FALSE(zone.moveMemberUp(3));
    EXPECT_EQ(membersOf(zone), expected({2, 4, 8}));
}

TEST_P(ZoneEditing, MemberChannelIndexFindsTheChannel)
{
    auto zone = zoneOf359();
    EXPECT_EQ(zone.memberChannelIndex(1, channels), 4);
    EXPECT_EQ(zone.memberChannelIndex(3, channels), -1);
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, ZoneEditing, ::testing::Values(Md380Format, Md2017Format, RdbV1Format, D868Format));

TEST(ZoneEditing, TwoBankZoneActsOnTheCurrentBankOnly)
{
    const auto channels = makeChannels(Md9600Format, 5);
    Zone zone = newZone(Md9600Format);
    zone.addMember(0, channels);
    zone.addMember(1, channels);
    zone.selectBank(2);
    zone.addMember(2, channels);
    EXPECT_TRUE(zone.removeMember(0));
    EXPECT_EQ(zone.memberCount(), 0);
    zone.selectBank(1);
    EXPECT_EQ(membersOf(zone), std::vector<int>({1, 2}));
}

// ---- Names and new zones ----

TEST(ZoneName, NewZoneIsNamedOnlyInTheD868BlockWhichHoldsItsStartValues)
{
    EXPECT_EQ(newZone(Md380Format).name(), "");
    EXPECT_EQ(newZone(RdbV1Format).name(), "");
    const Zone zone = newZone(D868Format);
    EXPECT_EQ(zone.name(), "New Zone");
    const auto& block = zone.d868Record();
    EXPECT_EQ(getU16Le(block, 0), 1);
    EXPECT_EQ(getU16Le(block, 2), 1);
    EXPECT_EQ(getU16Le(block, 4), 0);
    EXPECT_EQ(getU16Le(block, 506), 1);
    EXPECT_EQ(getU16Le(block, 508), 1);
    EXPECT_EQ(zone.d868RecordNumber(), 1);
}

TEST(ZoneName, SettingTheNameWritesEveryFamilysRecord)
{
    Zone zone = newZone(Md380Format);
    zone.setName("Repeaters");
    EXPECT_EQ(zone.name(), "Repeaters");
    EXPECT_EQ(getUtf16Name(zone.tytRecord(), 0, 16), "Repeaters");
    EXPECT_EQ(getUtf16Name(zone.rdbRecord(), 0, 16), "Repeaters");
    EXPECT_EQ(getCString(zone.d868Record(), 520, 16), "Repeaters");
}

TEST(ZoneName, NameKeepsItsFirstSixteenCharacters)
{
    for (FormatId formatId : {Md380Format, RdbV2Format, D868Format}) {
        Zone zone = newZone(formatId);
        zone.setName("ABCDEFGHIJKLMNOPQRST");
        EXPECT_EQ(zone.name(), "ABCDEFGHIJKLMNOP") << std::hex << formatId;
    }
}

// ---- Checks after decoding ----

TEST(ZoneValidation, TytMemberBeyondTheTableIsRemovedAndLogged)
{
    const auto channels = makeChannels(Md380Format, 30);
    Zone zone = newZone(Md380Format);
    zone.setName("Local");
    zone.setMember(0, 40);
    ErrorLog log;
    EXPECT_EQ(zone.validateMembers(channels, log), 1);
    EXPECT_EQ(zone.memberCount(), 0);
    EXPECT_EQ(log.text(), "Invalid channel index 39 in zone 'Local'; channel reference ignored, and zone corrected.\r\n");
    EXPECT_EQ(log.count(), 1);
}

TEST(ZoneValidation, TwoInvalidMembersInARowAreBothRemoved)
{
    const auto channels = makeChannels(Md380Format, 30);
    Zone zone = newZone(Md380Format);
    zone.setName("Z");
    for (int i = 0; const int value : {5, 40, 41, 7})
        zone.setMember(i++, value);
    ErrorLog log;
    EXPECT_EQ(zone.validateMembers(channels, log), 2);
    EXPECT_EQ(membersOf(zone), std::vector<int>({5, 7}));
    EXPECT_EQ(log.text(), "Invalid channel index 39 in zone 'Z'; channel reference ignored, and zone corrected.\r\n"
                          "Invalid channel index 40 in zone 'Z'; channel reference ignored, and zone corrected.\r\n");
}

TEST(ZoneValidation, RdbMemberWithoutItsSlotIsRemoved)
{
    const auto channels = makeChannels(RdbV1Format, 3);
    Zone zone = newZone(RdbV1Format);
    zone.setName("R");
    zone.addMember(0, channels);
    zone.addMember(1, channels);
    zone.setMember(1, 999);  // slot 101 replaced by a slot no channel has
    ErrorLog log;
    EXPECT_EQ(zone.validateMembers(channels, log), 1);
    EXPECT_EQ(membersOf(zone), std::vector<int>({100}));
    EXPECT_EQ(getU8(zone.rdbRecord(), 36), 1);
    EXPECT_EQ(log.text(), "Invalid channel index 998 in zone 'R'; channel reference ignored, and zone corrected.\r\n");
}

TEST(ZoneValidation, D868ChecksEveryMemberBelowTheCount)
{
    const auto channels = makeChannels(D868Format, 30);
    Zone zone = newZone(D868Format);
    for (int i = 0; i < 30; ++i)
        zone.addMember(i, channels);
    zone.setMember(20, 31);
    zone.setMember(21, 32);
    zone.setMember(29, 99);
    ErrorLog log;
    EXPECT_EQ(zone.validateMembers(channels, log), 3);
    EXPECT_EQ(zone.memberCount(), 27);
    EXPECT_EQ(zone.member(20), 23);
}

TEST(ZoneValidation, ValidMembersAndEmptyEntriesAreKept)
{
    const auto channels = makeChannels(Md380Format, 5);
    Zone zone = newZone(Md380Format);
    zone.setMember(0, 1);
    zone.setMember(2, 5);
    ErrorLog log;
    EXPECT_EQ(zone.validateMembers(channels, log), 0);
    EXPECT_EQ(zone.member(0), 1);
    EXPECT_EQ(zone.member(2), 5);
    EXPECT_TRUE(log.text().empty());
}

// ---- Reference upkeep ----

TEST(ZoneUpkeep, ForgettingAChannelRemovesItFromEveryBankAndLowersLaterMembers)
{
    const auto channels = makeChannels(Md2017Format, 5);
    Zone zone = newZone(Md2017Format);
    for (int index : {0, 1, 2})
        zone.addMember(index, channels);
    zone.selectBank(2);
    for (int index : {1, 3})
        zone.addMember(index, channels);
    zone.forgetChannel(2);
    EXPECT_EQ(zone.currentBank(), 2);
    EXPECT_EQ(membersOf(zone), std::vector<int>({3}));
    zone.selectBank(1);
    EXPECT_EQ(membersOf(zone), std::vector<int>({1, 2}));
}

TEST(ZoneUpkeep, ForgettingAChannelInAD868ZoneLowersTheCount)
{
    const auto channels = makeChannels(D868Format, 5);
    Zone zone = newZone(D868Format);
    for (int index : {4, 1, 2})
        zone.addMember(index, channels);
    zone.forgetChannel(2);
    EXPECT_EQ(membersOf(zone), std::vector<int>({4, 2}));
    EXPECT_EQ(getU16Le(zone.d868Record(), 4), 2);
}

TEST(ZoneUpkeep, RemovingTheOnlySlotRefillsTheBankWithTheReplacement)
{
    const auto channels = makeChannels(RdbV1Format, 3);
    Zone zone = newZone(RdbV1Format);
    zone.addMember(1, channels);
    zone.removeSlot(101, 100);
    EXPECT_EQ(membersOf(zone), std::vector<int>({100}));
    EXPECT_EQ(getU8(zone.rdbRecord(), 36), 1);
}

TEST(ZoneUpkeep, BankNotEmptiedByTheRemovalGetsNoReplacement)
{
    const auto channels = makeChannels(RdbV1Format, 3);
    Zone zone = newZone(RdbV1Format);
    zone.addMember(1, channels);
    zone.addMember(2, channels);
    zone.removeSlot(101, 100);
    EXPECT_EQ(membersOf(zone), std::vector<int>({102}));

    Zone alreadyEmpty = newZone(RdbV1Format);
    alreadyEmpty.removeSlot(101, 100);
    EXPECT_EQ(alreadyEmpty.memberCount(), 0);
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
    zone.remapMembers(remap);
    EXPECT_EQ(zone.member(40), 3);
    zone.selectBank(1);
    EXPECT_EQ(membersOf(zone), std::vector<int>({2, 1}));
}

// ---- Image records ----

TEST(ZoneImage, FortyMembersInBankAAndTenInBankBSurviveTheImageRecords)
{
    Zone zone = newZone(Md2017Format);
    zone.tieToImage();
    zone.setName("Wide");
    for (int i = 0; i < 40; ++i)
        zone.setMember(i, 100 + i);
    zone.selectBank(2);
    for (int i = 0; i < 10; ++i)
        zone.setMember(i, 500 + i);

    std::vector<std::uint8_t> record(64), extension(224);
    zone.writeTytImage(record, extension);
    EXPECT_EQ(getU16Le(record, 32), 100);
    EXPECT_EQ(getU16Le(record, 62), 115);
    EXPECT_EQ(getU16Le(extension, 0), 116);
    EXPECT_EQ(getU16Le(extension, 2 * 23), 139);
    EXPECT_EQ(getU16Le(extension, 2 * 24), 0);
    EXPECT_EQ(getU16Le(extension, 2 * 48), 500);
    EXPECT_EQ(getU16Le(extension, 2 * 57), 509);
    EXPECT_EQ(getU16Le(extension, 2 * 58), 0);

    Zone decoded = newZone(Md2017Format);
    decoded.readTytImage(record, extension);
    EXPECT_TRUE(decoded.isTiedToImage());
    EXPECT_EQ(decoded.name(), "Wide");
    EXPECT_EQ(decoded.memberCount(), 40);
    EXPECT_EQ(decoded.member(39), 139);
    decoded.selectBank(2);
    EXPECT_EQ(decoded.memberCount(), 10);
    EXPECT_EQ(decoded.member(9), 509);
}

TEST(ZoneImage, ZoneOfOneBankIsNeverTiedAndWritesOnlyItsRecord)
{
    Zone zone = newZone(Md380Format);
    zone.tieToImage();
    EXPECT_FALSE(zone.isTiedToImage());
    zone.setMember(0, 9);
    std::vector<std::uint8_t> record(64), extension(224, 0xAA);
    zone.writeTytImage(record, extension);
    EXPECT_EQ(getU16Le(record, 32), 9);
    EXPECT_EQ(extension, std::vector<std::uint8_t>(224, 0xAA));
}

TEST(ZoneImage, ShortSpansAreCopiedOnlyAsFarAsTheyGo)
{
    Zone zone = newZone(Md2017Format);
    const std::vector<std::uint8_t> shortRecord(10, 0x41);
    const std::vector<std::uint8_t> shortExtension(3, 0x01);
    zone.readTytImage(shortRecord, shortExtension);
    EXPECT_EQ(zone.member(0), 0);
    zone.selectBank(2);
    EXPECT_EQ(zone.member(0), 0);
    std::vector<std::uint8_t> tinyRecord(5), tinyExtension(1);
    zone.writeTytImage(tinyRecord, tinyExtension);
    EXPECT_EQ(tinyRecord, std::vector<std::uint8_t>(5, 0x41));
}

} // namespace
} // namespace pw
