// SPDX-License-Identifier: GPL-3.0-or-later
// mass-change and zone-wizard on MD-380 files holding channels: what the commands print, what they
// save and when they save nothing.

#include "codeplug/codeplug.h"
#include "support/fixture_builder.h"
#include "support/rdb_fixture.h"
#include "support/run_process.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pw {
namespace {

using test::runProcess;
using test::TempDir;

test::ProcessResult cli(const std::vector<std::string>& arguments)
{
    return runProcess(PLUGWRIGHT_CLI, arguments);
}

std::unique_ptr<Codeplug> reopen(const std::filesystem::path& path, FormatId format = Md380Format)
{
    auto codeplug = std::make_unique<Codeplug>();
    EXPECT_EQ(codeplug->open(path), format);
    EXPECT_TRUE(codeplug->decode());
    return codeplug;
}

std::string mhz(double value)
{
    return Channel::frequencyText(value);
}

// Two VHF repeater channels, one UHF digital channel and one contact.
class CliMassChange : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::TytFixture plug(Md380Format);
        const int contact = plug.addContact(91, "World");
        plug.addChannel(test::tytAnalogChannel(Md380Format, "Rpt A", 145.0, 145.6));
        plug.addChannel(test::tytAnalogChannel(Md380Format, "Rpt B", 145.2, 145.8));
        plug.addChannel(test::tytDigitalChannel(Md380Format, "DMR", 439.0, contact));
        path = plug.write(dir.file("plug.rdt"));
        original = test::readBytes(path);
    }

    test::ProcessResult massChange(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"mass-change", path.string()});
        return cli(options);
    }

    TempDir dir;
    std::filesystem::path path;
    std::vector<std::uint8_t> original;
};

TEST_F(CliMassChange, NewReceiveFrequencyKeepsEachChannelsOffsetAndSaves)
{
    const auto result = massChange({"1,2", "--rx", "146.0"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2 channels have been updated.\n");
    EXPECT_EQ(result.err, "");
    const auto codeplug = reopen(path);
    EXPECT_EQ(mhz(codeplug->channelAt(0)->txFrequency()), "146.60000");
    EXPECT_EQ(mhz(codeplug->channelAt(1)->rxFrequency()), "146.00000");
    EXPECT_EQ(mhz(codeplug->channelAt(1)->txFrequency()), "146.60000");
    EXPECT_EQ(mhz(codeplug->channelAt(2)->rxFrequency()), "439.00000");
}

TEST_F(CliMassChange, OffsetNameTextsToneAndAdmitOptionsReachTheFile)
{
    ASSERT_EQ(massChange({"3", "--offset", "minus", "--admit", "color code free"}).status, 0);
    ASSERT_EQ(massChange({"1", "--offset", "plus", "--encode", "88.5", "--decode", "D023I"}).status, 0);
    ASSERT_EQ(massChange({"1-3", "--replace", "Rpt", "--with", "R", "--prepend", "<", "--append", ">"}).status, 0);
    const auto codeplug = reopen(path);
    EXPECT_EQ(mhz(codeplug->channelAt(2)->txFrequency()), "434.00000");
    EXPECT_EQ(codeplug->channelAt(2)->admitText(), "Color Code Free");
    EXPECT_EQ(mhz(codeplug->channelAt(0)->txFrequency()), "145.60000");
    EXPECT_EQ(codeplug->channelAt(0)->ctcssEncodeText(), "088.5");
    EXPECT_EQ(codeplug->channelAt(0)->ctcssDecodeText(), "D023I");
    EXPECT_EQ(codeplug->channelAt(0)->name(), "<R A>");
    EXPECT_EQ(codeplug->channelAt(2)->name(), "<DMR>");
}

TEST_F(CliMassChange, AFrequencyTheFormatCannotStoreIsRefusedAndNothingSaved)
{
    for (const char* rx : {"29.99", "abc", "1e23", "-441", "1000"}) {
        const auto result = massChange({"1", "--rx", rx, "--append", "x"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, std::string("--rx ") + rx +
                                  ": the receive frequency must be a number from 100 to 999.99999 MHz.\n");
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(test::readBytes(path), original);
    }
}

TEST_F(CliMassChange, AFrequencyOutsideTheUsualBandsIsKeptOnlyWithYes)
{
    const auto declined = massChange({"1", "--rx", "520"});
    EXPECT_EQ(declined.status, 1);
    EXPECT_EQ(declined.out, "520 MHz is outside the radio's usual bands (136 to 174 MHz and 400 to 480 MHz).\n"
                            "Use it anyway?\n");
    EXPECT_EQ(test::readBytes(path), original);
    const auto result = cli({"--yes", "mass-change", path.string(), "1", "--rx", "520"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(mhz(reopen(path)->channelAt(0)->rxFrequency()), "520.00000");
}

TEST_F(CliMassChange, NoChangeAsksTheQuestionAndSavesNothing)
{
    const std::string question = "Warning: No changes are selected, so no action will be performed.\n\nClick YES to "
                                 "discard changes, NO if you want to go back and select changes you've entered.\n";
    for (const auto& options : std::vector<std::vector<std::string>>{{"1"}, {"1", "--copies"}}) {
        // No goes back to the dialog, which a command line cannot show: the change is declined.
        const auto result = massChange(options);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, question);
        EXPECT_NE(result.err.find("was answered No; --yes answers Yes.\n"), std::string::npos) << result.err;
    }
    const auto yes = cli({"--yes", "mass-change", path.string(), "1"});
    EXPECT_EQ(yes.status, 0);
    EXPECT_EQ(yes.out, question);
    EXPECT_EQ(test::readBytes(path), original);
}

TEST_F(CliMassChange, CopiesWithTheirOldNamesAreDroppedAndNothingIsSaved)
{
    const auto result = massChange({"1,2", "--copies", "--rx", "147.0"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "2 channels have been updated.\n");
    EXPECT_EQ(test::readBytes(path), original);
}

TEST_F(CliMassChange, RenamedCopiesGoToTheOutputFileAndTheOriginalFileStays)
{
    const auto out = dir.file("out.rdt");
    const auto result = massChange({"1", "--copies", "--prepend", "C", "--rx", "147.0", "-o", out.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::readBytes(path), original);
    const auto codeplug = reopen(out);
    ASSERT_EQ(codeplug->channels().count(), 4);
    EXPECT_EQ(codeplug->channelAt(0)->name(), "Rpt A");
    EXPECT_EQ(codeplug->channelAt(3)->name(), "CRpt A");
    EXPECT_EQ(mhz(codeplug->channelAt(3)->txFrequency()), "147.60000");
}

TEST_F(CliMassChange, ContactChangeOnAnalogChannelsIsReportedButSavesNothing)
{
    const auto result = massChange({"1,2", "--contact", "1"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "2 channels have been updated.\n");
    EXPECT_EQ(test::readBytes(path), original);
}

TEST_F(CliMassChange, ValuesTheCodeplugCannotHoldAreRefused)
{
    const struct {
        std::vector<std::string> options;
        const char* error;
    } cases[] = {
        {{"9", "--append", "x"}, "Row 9 is outside the channel list (3 rows).\n"},
        {{"1", "--scanlist", "1"}, "--scanlist must be 0 (none) to 0, not 1.\n"},
        {{"1", "--contact", "2"}, "--contact must be 0 (none) to 1, not 2.\n"},
        {{"1", "--rxgroup", "-1"}, "--rxgroup must be 0 (none) to 0, not -1.\n"},
        {{"1", "--admit", "Sometimes"},
         "--admit must be one of: Always, Channel Free, Correct PL, Color Code Free.\n"},
    };
    for (const auto& c : cases) {
        const auto result = massChange(c.options);
        EXPECT_EQ(result.status, 1) << c.error;
        EXPECT_EQ(result.err, c.error);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(test::readBytes(path), original);
}

// Twenty analog channels "Net 1" .. "Net 20", a zone "Big" holding the first ten and a scan list
// "Big".
class CliZoneWizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::TytFixture plug(Md380Format);
        plug.addContact(91, "World");
        std::vector<int> firstTen;
        for (int i = 1; i <= 20; ++i) {
            const int position = plug.addChannel(
                test::tytAnalogChannel(Md380Format, "Net " + std::to_string(i), 440.0 + i * 0.025));
            if (i <= 10)
                firstTen.push_back(position);
        }
        plug.addZone("Big", firstTen);
        plug.addScanList("Big", {1});
        path = plug.write(dir.file("plug.rdt"));
        original = test::readBytes(path);
    }

    test::ProcessResult wizard(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"zone-wizard", path.string()});
        return cli(options);
    }

    static std::vector<int> members(const Zone& zone)
    {
        std::vector<int> all;
        for (int i = 0; i < zone.memberCount(); ++i)
            all.push_back(zone.member(i));
        return all;
    }

    static std::vector<int> range(int first, int last)
    {
        std::vector<int> all;
        for (int i = first; i <= last; ++i)
            all.push_back(i);
        return all;
    }

    TempDir dir;
    std::filesystem::path path;
    std::vector<std::uint8_t> original;
};

TEST_F(CliZoneWizard, TwentyChannelsIntoANewZonePrintTheStatusThenTheReport)
{
    const auto result = wizard({"1-20", "--zone", "Net"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "A new zone 'Net' will be created and it will contain 16 channels from the 20 you selected. "
                          "Note that zones in this codeplug are limited to 16 channels total.\n"
                          "Zone 'Net' created or updated with 16 channels total.\n");
    const auto codeplug = reopen(path);
    ASSERT_EQ(codeplug->zones().count(), 2);
    EXPECT_EQ(codeplug->zones().at(1)->name(), "Net");
    EXPECT_EQ(members(*codeplug->zones().at(1)), range(1, 16));
}

TEST_F(CliZoneWizard, EightIntoTheZoneOfTenAddSixWithAScanListAppliedToTheWholeZone)
{
    const auto result = wizard({"11-18", "--zone", "BIG", "--apply"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "An existing zone, 'BIG', will have only 6 channels from the 8 selected channels added to "
                          "it. The zone will be FULL with 16 channels after this addition.\n"
                          "Zone 'Big' created or updated with 16 channels total.\n"
                          "Scan List 'BIG1' created.\n"
                          "Channels in zone 'Big' all reference Scan List 'BIG1'.\n");
    const auto codeplug = reopen(path);
    EXPECT_EQ(members(*codeplug->zones().at(0)), range(1, 16));
    ASSERT_EQ(codeplug->scanLists().count(), 2);
    EXPECT_EQ(codeplug->scanLists().at(1)->memberCount(), 8);
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(codeplug->channelAt(row)->scanList(), 2) << row;
    EXPECT_EQ(codeplug->channelAt(16)->scanList(), 0);
}

TEST_F(CliZoneWizard, ChannelsAlreadyInTheZoneAddNothingAndSaveNothing)
{
    const auto result = wizard({"1-3", "--zone", "Big"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "An existing zone, 'Big', will have 0 channels added to it, for a total of 10 channels in "
                          "the zone.\nZone 'Big' created or updated with 10 channels total.\n");
    EXPECT_EQ(test::readBytes(path), original);
}

TEST_F(CliZoneWizard, EmptyZoneNameAndRowsOutsideTheListFail)
{
    const auto empty = wizard({"1", "--zone", ""});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.out, "ERROR! The ZONE NAME is empty. No action can be taken. Please choose a zone name.\n");
    EXPECT_EQ(empty.err, "Error: Zone name may not be empty. Please choose a zone name, then click\nCOMMIT CHANGES to "
                         "try again.\n");

    const auto outside = wizard({"21", "--zone", "Z"});
    EXPECT_EQ(outside.status, 1);
    EXPECT_EQ(outside.err, "Row 21 is outside the channel list (20 rows).\n");
    EXPECT_EQ(outside.out, "");
    EXPECT_EQ(test::readBytes(path), original);
}

// RDB zones and scan lists list channel slots, not table positions, and copies take new slots.
TEST(CliWizardRdb, ZoneScanListAndCopiesFollowTheChannelSlots)
{
    TempDir dir;
    test::RdbFixture plug(RdbV2Format);
    plug.addContact(plug.contact(91, "World", CallType::GroupCall));
    for (const char* name : {"Home", "Net 1", "Net 2", "Net 3"})
        plug.addChannel(plug.analogChannel(name, 145.5));
    plug.addZone(plug.zone("Home", {1}));
    const auto path = plug.write(dir.file("plug.rdb"));

    const auto wizard = cli({"zone-wizard", path.string(), "2-4", "--zone", "home", "--apply"});
    ASSERT_EQ(wizard.status, 0) << wizard.err;
    EXPECT_EQ(wizard.out, "An existing zone, 'home', will have 3 channels added to it, for a total of 4 channels in "
                          "the zone.\nZone 'Home' created or updated with 4 channels total.\nScan List 'home' "
                          "created.\nChannels in zone 'Home' all reference Scan List 'home'.\n");

    const auto copies = cli({"mass-change", path.string(), "2,3", "--copies", "--append", "C", "--rx", "146.0"});
    ASSERT_EQ(copies.status, 0) << copies.err;
    EXPECT_EQ(copies.out, "2 channels have been updated.\n");

    const auto codeplug = reopen(path, RdbV2Format);
    const auto& zone = *codeplug->zones().at(0);
    ASSERT_EQ(zone.memberCount(), 4);
    const int scanListPosition = codeplug->scanLists().count();
    const auto& list = *codeplug->scanLists().at(scanListPosition - 1);
    ASSERT_EQ(list.memberCount(), 3);
    for (int i = 0; i < 4; ++i) {
        const int row = codeplug->channelIndexOfMember(zone.member(i));
        ASSERT_EQ(row, i);
        EXPECT_EQ(codeplug->channelAt(row)->scanList(), scanListPosition) << row;
        if (i > 0) {
            EXPECT_EQ(codeplug->channelIndexOfMember(list.member(i - 1)), row);
        }
    }
    ASSERT_EQ(codeplug->channels().count(), 6);
    EXPECT_EQ(codeplug->channelAt(4)->name(), "Net 1C");
    EXPECT_EQ(codeplug->channelAt(5)->name(), "Net 2C");
    EXPECT_EQ(mhz(codeplug->channelAt(5)->rxFrequency()), "146.00000");
    EXPECT_NE(codeplug->channelAt(4)->slotNumber(), codeplug->channelAt(1)->slotNumber());
}

} // namespace
} // namespace pw
