#include "model/scan_list.h"
#include "codeplug/record_factory.h"

#include "codeplug/byte_field.h"
#include "model/channel.h"
#include "model/error_log.h"
#include "model/index_remap.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

namespace pw {
namespace {

// Channels "CH1" ...; in the RDB family channel i sits in slot 100 + i.
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

std::vector<int> membersOf(const ScanList& list)
{
    std::vector<int> members;
    for (int i = 0; i < list.memberCount(); ++i)
        members.push_back(list.member(i));
    return members;
}

// Looks channels up the way the codeplug does in the TYT family.
ChannelFinder finderFor(const RecordList<Channel>& channels)
{
    return [&channels](std::string_view name) {
        for (int i = 0; i < channels.count(); ++i) {
            const auto candidate = channels.at(i)->name();
            if (candidate.size() == name.size() &&
                std::equal(candidate.begin(), candidate.end(), name.begin(),
                           [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); }))
                return i;
        }
        return -1;
    };
}

// ---- Limits ----

struct LimitCase {
    FormatId formatId;
    int limit;
};

class ScanListLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ScanListLimit, ListTakesItsLimitAndRefusesTheNextMember)
{
    const auto [formatId, limit] = GetParam();
    const auto channels = makeChannels(formatId, limit + 1);
    ScanList list = newScanList(formatId);
    EXPECT_EQ(list.memberLimit(), limit);
    for (int i = 0; i < limit; ++i)
        ASSERT_EQ(list.addMember(i, channels), 1) << i;
    EXPECT_EQ(list.memberCount(), limit);
    EXPECT_EQ(list.addMember(limit, channels), 0);
    EXPECT_EQ(list.memberCount(), limit);
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, ScanListLimit,
                         ::testing::Values(LimitCase{Md380Format, 31}, LimitCase{Md9600Format, 31},
                                           LimitCase{RdbV1Format, 31}, LimitCase{D868Format, 50}));

TEST(ScanListMembers, ChannelAlreadyInTheListIsRefused)
{
    for (FormatId formatId : {Md380Format, RdbV2Format, D868Format}) {
        const auto channels = makeChannels(formatId, 3);
        ScanList list = newScanList(formatId);
        EXPECT_EQ(list.addMember(1, channels), 1);
        EXPECT_EQ(list.addMember(1, channels), 0) << std::hex << formatId;
        EXPECT_EQ(list.memberCount(), 1);
    }
}

TEST(ScanListMembers, IndexThatNamesNoChannelIsRefused)
{
    const auto channels = makeChannels(Md380Format, 2);
    ScanList list = newScanList(Md380Format);
    EXPECT_EQ(list.addMember(5, channels), 0);
    EXPECT_EQ(list.memberCount(), 0);
}

TEST(ScanListMembers, RdbListStoresSlotAndCountPlusOne)
{
    const auto channels = makeChannels(RdbV1Format, 3);
    ScanList list = newScanList(RdbV1Format);
    ASSERT_EQ(list.addMember(2, channels), 1);
    EXPECT_EQ(getU8(list.rdbRecord(), 38), 2);
    EXPECT_EQ(getU16Le(list.rdbRecord(), 66), 102);
    EXPECT_EQ(list.memberChannelIndex(0, channels), 2);
}

TEST(ScanListMembers, D868AppendClearsTheMatchingWordOfTheFlagArray)
{
    const auto channels = makeChannels(D868Format, 3);
    ScanList list = newScanList(D868Format);
    setU16Le(list.d868Record(), 34 + 2, 0x7777);
    list.addMember(0, channels);
    list.addMember(2, channels);
    EXPECT_EQ(getU16Le(list.d868Record(), 32), 2);
    EXPECT_EQ(getU16Le(list.d868Record(), 134), 1);
    EXPECT_EQ(getU16Le(list.d868Record(), 136), 3);
    EXPECT_EQ(getU16Le(list.d868Record(), 36), 0);
}

TEST(ScanListMembers, TytCountIsTheNumberOfNonZeroWords)
{
    ScanList list = newScanList(Md380Format);
    list.setMember(0, 4);
    list.setMember(5, 9);
    EXPECT_EQ(list.memberCount(), 2);
}

class ScanListEditing : public ::testing::TestWithParam<FormatId> {
protected:
    RecordList<Channel> channels = makeChannels(GetParam(), 10);
    int memberFor(int index) const
    {
        return familyOf(GetParam()) == FormatFamily::RdbFamily ? 100 + index : index + 1;
    }
};

TEST_P(ScanListEditing, RemovingMemberZeroMovesTheOthersUp)
{
    ScanList list = newScanList(GetParam());
    for (int index : {2, 4, 8})
        list.addMember(index, channels);
    EXPECT_TRUE(list.removeMember(0));
    EXPECT_EQ(membersOf(list), std::vector<int>({memberFor(4), memberFor(8)}));
    EXPECT_FALSE(list.removeMember(2));
    EXPECT_EQ(list.memberCount(), 2);
}

TEST_P(ScanListEditing, MovingSwapsNeighboursWithinTheMembers)
{
    ScanList list = newScanList(GetParam());
    for (int index : {2, 4, 8})
        list.addMember(index, channels);
    EXPECT_TRUE(list.moveMemberUp(1));
    EXPECT_FALSE(list.moveMemberUp(0));
    EXPECT_FALSE(list.moveMemberUp(3));
    EXPECT_TRUE(list.moveMemberDown(1));
    EXPECT_FALSE(list.moveMemberDown(2));
    EXPECT_EQ(membersOf(list), std::vector<int>({memberFor(4), memberFor(8), memberFor(2)}));
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, ScanListEditing, ::testing::Values(Md380Format, RdbV11Format, D868Format));

// ---- New lists and names ----

TEST(ScanListRecord, NewRdbListHoldsItsHeaderValues)
{
    const ScanList list = newScanList(RdbV1Format);
    const auto& record = list.rdbRecord();
    EXPECT_EQ(getU16Le(record, 32), 0xFFFF);
    EXPECT_EQ(getU16Le(record, 34), 0xFFFF);
    EXPECT_EQ(getU8(record, 38), 1);
    EXPECT_EQ(getU8(record, 39), 2);
    EXPECT_EQ(getU8(record, 41), 13);
    EXPECT_EQ(getU8(record, 42), 20);
    EXPECT_EQ(getU8(record, 43), 20);
    EXPECT_EQ(getU16Le(record, 64), 0);
    EXPECT_EQ(list.memberCount(), 0);
}

TEST(ScanListRecord, NewD868ListHoldsItsOptionValues)
{
    const ScanList list = newScanList(D868Format);
    const auto& record = list.d868Record();
    EXPECT_EQ(getU8(record, 28), 5);
    EXPECT_EQ(getU8(record, 29), 5);
    EXPECT_EQ(getU8(record, 30), 1);
    EXPECT_EQ(getU8(record, 31), 1);
    EXPECT_EQ(getU8(record, 21), 0);
}

TEST(ScanListRecord, NewTytListNamesNoPriorityChannel)
{
    const ScanList list = newScanList(Md380Format);
    EXPECT_EQ(getU16Le(list.tytRecord(), 32), 0xFFFF);
    EXPECT_EQ(getU16Le(list.tytRecord(), 34), 0xFFFF);
    EXPECT_EQ(getU16Le(list.tytRecord(), 36), 0xFFFF);
}

TEST(ScanListRecord, SettingTheNameWritesEveryFamilysRecord)
{
    ScanList list = newScanList(D868Format);
    list.setName("Scan Me");
    EXPECT_EQ(list.name(), "Scan Me");
    EXPECT_EQ(getUtf16Name(list.tytRecord(), 0, 16), "Scan Me");
    EXPECT_EQ(getUtf16Name(list.rdbRecord(), 0, 16), "Scan Me");
    list.setName("ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(list.name(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(getU8(list.d868Record(), 20), 0);
    EXPECT_EQ(getU8(list.d868Record(), 28), 5);
}

// ---- Checks after decoding ----

TEST(ScanListValidation, TwoInvalidMembersInARowAreBothRemoved)
{
    const auto channels = makeChannels(Md380Format, 30);
    ScanList list = newScanList(Md380Format);
    list.setName("Scan");
    for (int i = 0; const int value : {3, 31, 45, 30})
        list.setMember(i++, value);
    ErrorLog log;
    EXPECT_EQ(list.validateMembers(channels, log), 2);
    EXPECT_EQ(membersOf(list), std::vector<int>({3, 30}));
    EXPECT_EQ(log.text(), "Invalid channel index 30 in scanlist 'Scan'; scan list corrected.\r\n"
                          "Invalid channel index 44 in scanlist 'Scan'; scan list corrected.\r\n");
    EXPECT_EQ(log.count(), 2);
}

TEST(ScanListValidation, RdbAndD868ListsAreNotChecked)
{
    for (FormatId formatId : {RdbV1Format, D868Format}) {
        const auto channels = makeChannels(formatId, 2);
        ScanList list = newScanList(formatId);
        list.addMember(0, channels);
        list.setMember(0, 999);
        ErrorLog log;
        EXPECT_EQ(list.validateMembers(channels, log), 0);
        EXPECT_EQ(list.member(0), 999);
    }
}

// ---- Reference upkeep ----

TEST(ScanListUpkeep, ForgettingAChannelRemovesOnlyItsFirstOccurrence)
{
    ScanList list = newScanList(Md380Format);
    for (int i = 0; const int value : {2, 2, 5, 1})
        list.setMember(i++, value);
    list.forgetChannel(2);
    EXPECT_EQ(membersOf(list), std::vector<int>({2, 4, 1}));
}

TEST(ScanListUpkeep, ForgettingAChannelInAD868ListLowersTheCount)
{
    const auto channels = makeChannels(D868Format, 5);
    ScanList list = newScanList(D868Format);
    for (int index : {0, 3, 4})
        list.addMember(index, channels);
    list.forgetChannel(4);
    EXPECT_EQ(membersOf(list), std::vector<int>({1, 4}));
}

TEST(ScanListUpkeep, RemovingASlotTakesTheFirstMemberWithIt)
{
    const auto channels = makeChannels(RdbV1Format, 3);
    ScanList list = newScanList(RdbV1Format);
    for (int index : {0, 1, 2})
        list.addMember(index, channels);
    list.removeSlot(101);
    EXPECT_EQ(membersOf(list), std::vector<int>({100, 102}));
    EXPECT_EQ(getU8(list.rdbRecord(), 38), 3);
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
    list.remapMembers(remap);
    EXPECT_EQ(membersOf(list), std::vector<int>({2, 1}));
}

// ---- ScanListLine ----

TEST(ScanListLine, ListWithOneMemberWritesItsNameAndTheChannelName)
{
    const auto channels = makeChannels(Md380Format, 3);
    ScanList list = newScanList(Md380Format);
    list.setName("Home");
    list.addMember(1, channels);
    EXPECT_EQ(list.toLine(&channels), "\"Home\",\"CH2\"");
    list.addMember(0, channels);
    EXPECT_EQ(list.toLine(&channels), "\"Home\",\"CH2\",\"CH1\"");
}

TEST(ScanListLine, EmptyListAndMissingTableWriteTheirMarkers)
{
    const auto channels = makeChannels(Md380Format, 1);
    ScanList list = newScanList(Md380Format);
    list.setName("Home");
    EXPECT_EQ(list.toLine(&channels), "[Empty]");
    list.addMember(0, channels);
    EXPECT_EQ(list.toLine(nullptr), "[Error]");
}

TEST(ScanListLine, UnresolvedMembersAreWrittenAsErrorTexts)
{
    const auto channels = makeChannels(Md380Format, 2);
    ScanList tyt = newScanList(Md380Format);
    tyt.setName("T");
    tyt.setMember(0, 1);
    tyt.setMember(1, 9);
    EXPECT_EQ(tyt.toLine(&channels), "\"T\",\"CH1\",\"Channel_Null\"");

    const auto rdbChannels = makeChannels(RdbV1Format, 2);
    ScanList rdb = newScanList(RdbV1Format);
    rdb.setName("R");
    rdb.addMember(0, rdbChannels);
    rdb.setMember(0, 555);
    EXPECT_EQ(rdb.toLine(&rdbChannels), "\"R\",\"Index_Error\"");
}

TEST(ScanListLine, ReadingTakesTheNameAndEveryChannelFound)
{
    const auto channels = makeChannels(Md380Format, 5);
    ScanList list = newScanList(Md380Format);
    EXPECT_EQ(list.fromLine("\"A very long scan list name\",\"ch3\",\"Nowhere\",\"CH1\"", finderFor(channels), channels), 1);
    EXPECT_EQ(list.name(), "A very long scan");
    EXPECT_EQ(membersOf(list), std::vector<int>({3, 1}));
}

TEST(ScanListLine, LineWithoutChannelFieldIsRefused)
{
    const auto channels = makeChannels(Md380Format, 5);
    ScanList list = newScanList(Md380Format);
    EXPECT_EQ(list.fromLine("\"Lonely\"", finderFor(channels), channels), 0);
    EXPECT_EQ(list.memberCount(), 0);
    EXPECT_EQ(list.fromLine("", finderFor(channels), channels), 0);
}

TEST(ScanListLine, ReadingStopsAtTheMemberLimitOfTheFamily)
{
    for (const auto& [formatId, limit] : {std::pair{Md380Format, 31}, std::pair{D868Format, 50}}) {
        const auto channels = makeChannels(formatId, 60);
        std::string line = "\"Many\"";
        for (int i = 1; i <= 60; ++i)
            line += ",\"CH" + std::to_string(i) + "\"";
        ScanList list = newScanList(formatId);
        EXPECT_EQ(list.fromLine(line, finderFor(channels), channels), 1);
        EXPECT_EQ(list.memberCount(), limit);
        EXPECT_EQ(list.member(limit - 1), limit);
    }
}

TEST(ScanListLine, WrittenLineReadsBackIntoAnotherFamily)
{
    const auto tytChannels = makeChannels(Md380Format, 4);
    ScanList source = newScanList(Md380Format);
    source.setName("Travel");
    source.addMember(3, tytChannels);
    source.addMember(1, tytChannels);

    const auto d868Channels = makeChannels(D868Format, 4);
    ScanList copy = newScanList(D868Format);
    ASSERT_EQ(copy.fromLine(source.toLine(&tytChannels), finderFor(d868Channels), d868Channels), 1);
    EXPECT_EQ(copy.name(), "Travel");
    EXPECT_EQ(membersOf(copy), std::vector<int>({4, 2}));
}

} // namespace
} // namespace pw
