// SPDX-License-Identifier: GPL-3.0-or-later
// The reading and radio commands on populated RDB files of each layout version.
#include "support/rdb_fixture.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace pw {
namespace {

using test::RdbFixture;
using test::runProcess;
using test::TempDir;

test::ProcessResult cli(const std::vector<std::string>& arguments)
{
    return runProcess(PLUGWRIGHT_CLI, arguments, {});
}

RdbFixture populated(FormatId format)
{
    RdbFixture f(format);
    f.addContact(f.contact(3100, "World Wide", CallType::GroupCall));
    f.addContact(f.contact(2620001, "Alice"));
    f.addRxGroupList(f.rxGroupList("Groups", {1}));
    f.addScanList(f.scanList("Scan", {1, 2}));
    const int a = f.addChannel(f.analogChannel("Simplex", 145.5));
    const int b = f.addChannel(f.digitalChannel("DMR WW", 439.5, 1, 1, 1));
    f.addZone(f.zone("Home", {a, b}));
    return f;
}

TEST(CliRdb, InfoCountsTheDecodedTablesOfEachVersion)
{
    TempDir dir;
    for (const FormatId format : {RdbV1Format, RdbV11Format, RdbV2Format}) {
        const auto path = populated(format).write(dir.file("plug.rdb")).string();
        const auto result = cli({"info", path});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.out.find("\ncontacts: 2\nchannels: 2\nzones: 1\nscan lists: 1\nrx group lists: 1\nerrors: 0\n"),
                  std::string::npos)
            << std::hex << format << '\n'
            << result.out;
    }
}

TEST(CliRdb, ErrorsPrintsTheDecodersLogWithItsLineEnds)
{
    TempDir dir;
    RdbFixture f(RdbV2Format);
    f.addChannel(f.analogChannel("Only", 145.0));
    const auto path = f.write(dir.file("empty.rdb")).string();
    const auto result = cli({"errors", path});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "No digital contacts are in this codeplug.\r\n");
}

TEST(CliRdb, SetRadioSavesAFileThatDecodesToTheSameTables)
{
    TempDir dir;
    const auto path = populated(RdbV11Format).write(dir.file("plug.rdb")).string();
    const auto set = cli({"set-radio", path, "--name", "Renamed", "--id", "2041234"});
    ASSERT_EQ(set.status, 0) << set.err;
    const auto info = cli({"info", path});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("radio name: Renamed\nradio dmr id: 2041234\ncontacts: 2\nchannels: 2\nzones: 1\n"),
              std::string::npos)
        << info.out;
}

TEST(CliRdb, DumpShowsSlotsReferencesAndListMembersOfTheDecodedModel)
{
    TempDir dir;
    RdbFixture f(RdbV2Format);
    f.addContact(f.contact(3100, "World Wide", CallType::GroupCall));
    f.addContact(f.contact(91, "Local", CallType::GroupCall));
    f.putRxGroupRecord(1, f.rxGroupList("Record one", {1}));
    f.putRxGroupRecord(2, f.rxGroupList("Record two", {1, 2}));
    f.setRxGroupOrder({2, 1});
    f.addScanList(f.scanList("Scan", {5}));
    f.putChannelSlot(5, f.digitalChannel("DMR Local", 439.5, 2, 1, 1));
    f.putChannelSlot(3, f.analogChannel("Simplex", 145.5));
    f.setSlotOrder({5, 3});
    f.addZone(f.zone("Home", {3, 5}));
    const auto path = f.write(dir.file("plug.rdb")).string();

    const auto result = cli({"dump", path});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto dump = nlohmann::ordered_json::parse(result.out);
    EXPECT_EQ(dump["formatId"], "0x2003");
    EXPECT_EQ(dump["errorCount"], 0);
    ASSERT_EQ(dump["channels"].size(), 2u);
    const auto& digital = dump["channels"][0];
    EXPECT_EQ(digital["name"], "DMR Local");
    EXPECT_EQ(digital["slotNumber"], 5);
    EXPECT_EQ(digital["txContact"], 2);
    EXPECT_EQ(digital["contactName"], "Local");
    // Record 1 is the second entry of the RX group order table.
    EXPECT_EQ(digital["rxGroupList"], 2);
    EXPECT_EQ(digital["scanList"], 1);
    EXPECT_EQ(dump["channels"][1]["slotNumber"], 3);
    EXPECT_EQ(dump["zones"][0]["banks"], nlohmann::ordered_json::parse("[[3, 5]]"));
    EXPECT_EQ(dump["scanLists"][0]["members"], nlohmann::ordered_json::parse("[5]"));
    EXPECT_EQ(dump["rxGroupLists"][0]["name"], "Record two");
    EXPECT_EQ(dump["rxGroupLists"][0]["members"], nlohmann::ordered_json::parse("[1, 2]"));
}

} // namespace
} // namespace pw
