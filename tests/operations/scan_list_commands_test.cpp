#include "operations/scan_list_commands.h"

#include "operations/maintenance_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::listChannels;
using test::MaintenanceFixture;

std::vector<std::string> scanListNames(const Codeplug& codeplug)
{
    std::vector<std::string> names;
    for (const auto& list : codeplug.scanLists())
        names.push_back(list->name());
    return names;
}

TEST(NewScanList, AsksForTheNameAndMakesTheNewListCurrent)
{
    MaintenanceFixture f(Md380Format);
    f.addScanList("First");
    f.forgetChanges();
    f.prompts.type("Second");

    const auto result = newScanListCommand(f.codeplug, f.prompts, f.state);

    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].title, "New Scan List");
    EXPECT_EQ(f.prompts.asked()[0].prompt, "Enter the new scan list name (15 characters maximum).");
    EXPECT_EQ(f.prompts.asked()[0].maxLength, 15u);
    EXPECT_EQ(scanListNames(f.codeplug), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(f.state.currentScanList, 1);
    EXPECT_TRUE(includes(result.refresh, TabList::ScanLists));
    EXPECT_TRUE(f.codeplug.changed());
}

// The RDB family's scan-list count word lies right after the 234th record, so the commands stop
// there as they stop at 250 elsewhere.
TEST(NewScanList, RefusedBeyondTheFormatsCapacity)
{
    for (const auto& [format, capacity] : {std::pair{RdbV1Format, 234}, std::pair{RdbV2Format, 234},
                                           std::pair{Md380Format, 250}, std::pair{D868Format, 250}}) {
        MaintenanceFixture f(format);
        for (int i = 0; i < capacity; ++i)
            f.addScanList("S" + std::to_string(i));
        f.forgetChanges();
        f.state.currentScanList = 3;
        f.prompts.type("Extra");

        const auto result = newScanListCommand(f.codeplug, f.prompts, f.state);

        EXPECT_TRUE(result.refused) << std::hex << format;
        EXPECT_EQ(f.codeplug.scanLists().count(), capacity) << std::hex << format;
        EXPECT_EQ(f.state.currentScanList, 3);
        ASSERT_EQ(f.prompts.shown().size(), 1u);
        EXPECT_EQ(f.prompts.shown()[0].text, "Sorry, no room for an additional scan list.");
        EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
    }
}

TEST(DeleteScanList, SecondOfFourRenumbersTheChannelsThatFollow)
{
    MaintenanceFixture f(Md380Format);
    f.addChannels(5);
    for (const char* name : {"S1", "S2", "S3", "S4"})
        f.addScanList(name);
    const std::vector<int> before = {1, 2, 3, 4, 0};
    for (int i = 0; i < 5; ++i)
        f.codeplug.channelAt(i)->setScanList(before[static_cast<std::size_t>(i)]);
    f.forgetChanges();
    f.state.currentScanList = 1;
    f.prompts.answer(MessageAnswer::Yes);

    const auto result = deleteScanListCommand(f.codeplug, f.prompts, f.state);

    ASSERT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.prompts.shown()[0].text, "Are you sure you want to delete Scan List 'S2' ?");
    EXPECT_EQ(f.prompts.shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(scanListNames(f.codeplug), (std::vector<std::string>{"S1", "S3", "S4"}));
    std::vector<int> after;
    for (const auto& channel : f.codeplug.channels())
        after.push_back(channel->scanList());
    EXPECT_EQ(after, (std::vector<int>{1, 0, 2, 3, 0}));
    EXPECT_EQ(f.state.currentScanList, 0);
    EXPECT_TRUE(includes(result.refresh, TabList::ScanLists | TabList::Channels));
}

TEST(DeleteScanList, NoKeepsItAndTheLastListIsNeverAsked)
{
    MaintenanceFixture f(Md380Format);
    f.addScanList("Keep");
    f.forgetChanges();
    deleteScanListCommand(f.codeplug, f.prompts, f.state);
    EXPECT_TRUE(f.prompts.shown().empty());
    EXPECT_EQ(f.codeplug.scanLists().count(), 1);

    f.addScanList("Other");
    f.forgetChanges();
    f.prompts.answer(MessageAnswer::No);
    deleteScanListCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.codeplug.scanLists().count(), 2);
    EXPECT_FALSE(f.codeplug.changed());
}

TEST(RenameScanList, SetsTheNameAndRefreshesTheChannelsToo)
{
    MaintenanceFixture f(D868Format);
    f.addScanList("Old");
    f.forgetChanges();
    f.prompts.type("New");
    const auto result = renameScanListCommand(f.codeplug, f.prompts, f.state);
    EXPECT_EQ(f.prompts.asked()[0].title, "Rename Scan List");
    EXPECT_EQ(f.prompts.asked()[0].prompt, "Enter the new name for the scan list, or CANCEL.");
    EXPECT_EQ(f.prompts.asked()[0].initialText, "Old");
    EXPECT_EQ(f.codeplug.scanLists().at(0)->name(), "New");
    EXPECT_TRUE(f.codeplug.changed());
    EXPECT_TRUE(includes(result.refresh, TabList::ScanLists | TabList::Channels));
}

TEST(ScanListSteps, WrapAtBothEnds)
{
    MaintenanceFixture f(Md380Format);
    f.addScanList("A");
    f.addScanList("B");
    f.forgetChanges();
    previousScanList(f.codeplug, f.state);
    EXPECT_EQ(f.state.currentScanList, 1);
    nextScanList(f.codeplug, f.state);
    EXPECT_EQ(f.state.currentScanList, 0);
}

TEST(ScanListMembers, FullListSaysSoAtItsFormatsLimit)
{
    for (const auto& [format, limit] : {std::pair{Md380Format, 31}, std::pair{RdbV11Format, 31},
                                        std::pair{D868Format, 50}}) {
        MaintenanceFixture f(format);
        f.addChannels(limit + 1);
        f.addScanList("S");
        f.forgetChanges();
        for (int i = 0; i < limit; ++i)
            ASSERT_TRUE(addChannelToScanList(f.codeplug, f.prompts, f.state, i).modelChanged) << i;
        addChannelToScanList(f.codeplug, f.prompts, f.state, 0);
        EXPECT_TRUE(f.prompts.shown().empty()) << "a channel already listed is not a full list";

        const auto result = addChannelToScanList(f.codeplug, f.prompts, f.state, limit);
        EXPECT_TRUE(result.refused) << std::hex << format;
        ASSERT_EQ(f.prompts.shown().size(), 1u);
        EXPECT_EQ(f.prompts.shown()[0].text, "Scan list is full - - unable to add more channels.");
        EXPECT_EQ(f.prompts.shown()[0].icon, MessageIcon::Error);
        EXPECT_EQ(f.codeplug.scanLists().at(0)->memberCount(), limit);
    }
}

TEST(ScanListMembers, RemoveAndMoveMarkChangedAndTheSelectionFollows)
{
    MaintenanceFixture f(RdbV1Format);
    f.addChannels(4);
    f.addScanList("S");
    f.forgetChanges();
    for (int i = 0; i < 4; ++i)
        addChannelToScanList(f.codeplug, f.prompts, f.state, i);
    const auto& list = *f.codeplug.scanLists().at(0);

    EXPECT_EQ(moveScanListMemberDown(f.codeplug, f.state, 1).selectedRow, 2);
    EXPECT_EQ(listChannels(list, f.codeplug), (std::vector<int>{0, 2, 1, 3}));
    EXPECT_EQ(moveScanListMemberUp(f.codeplug, f.state, 3).selectedRow, 2);
    EXPECT_EQ(listChannels(list, f.codeplug), (std::vector<int>{0, 2, 3, 1}));
    EXPECT_FALSE(moveScanListMemberUp(f.codeplug, f.state, 0).modelChanged);
    EXPECT_FALSE(moveScanListMemberDown(f.codeplug, f.state, 3).modelChanged);

    EXPECT_TRUE(removeChannelFromScanList(f.codeplug, f.state, 0).modelChanged);
    EXPECT_EQ(listChannels(list, f.codeplug), (std::vector<int>{2, 3, 1}));
    EXPECT_TRUE(f.codeplug.changed());
}

} // namespace
} // namespace pw
