// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/run_process.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace pw {
namespace {

using Json = nlohmann::ordered_json;
using test::TempDir;
using test::TytFixture;

test::ProcessResult cli(const std::vector<std::string>& arguments)
{
    return test::runProcess(PLUGWRIGHT_CLI, arguments);
}

Json dumpOf(const std::string& path)
{
    const auto result = cli({"dump", path});
    EXPECT_EQ(result.status, 0) << result.err;
    return Json::parse(result.out);
}

std::vector<std::string> keysOf(const Json& object)
{
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    return keys;
}

TEST(CliDump, EveryFormatPrintsTheTopLevelKeysInOrder)
{
    TempDir dir;
    const std::vector<std::string> expected = {"file",      "formatId", "radioType", "radioName",  "radioDmrId",
                                               "errorCount", "errorLog", "contacts",  "channels",   "zones",
                                               "scanLists", "rxGroupLists", "emergencySystems"};
    for (const FormatId format : {Md380Format, Md2017Format, Md9600Format, RdbV1Format, RdbV11Format, RdbV2Format,
                                  D868Format}) {
        const auto path = test::writeFixture(dir.file("plug"), format).string();
        const auto dump = dumpOf(path);
        EXPECT_EQ(keysOf(dump), expected) << std::hex << format;
        EXPECT_EQ(dump["file"], path);
        EXPECT_EQ(dump["radioName"], "FIXTURE");
        EXPECT_EQ(dump["radioDmrId"], 1234567);
        EXPECT_TRUE(dump["emergencySystems"].is_array());
    }
}

TEST(CliDump, TytCodeplugShowsEveryRecordWithItsFields)
{
    TempDir dir;
    TytFixture plug(Md9600Format);
    const int group = plug.addContact(91, "Worldwide");
    const int parrot = plug.addContact(9998, "P\xC3\xA4rrot", CallType::PrivateCall);
    plug.addEmergencySystem("System1");
    plug.addRxGroupList("Talkgroups", {group, parrot});
    auto digital = test::tytDigitalChannel(Md9600Format, "Local", 439.5, parrot, 1, 1, 431.9);
    digital.setColorCode(7);
    digital.setTimeSlot(2);
    const int local = plug.addChannel(digital);
    const int fm = plug.addChannel(test::tytAnalogChannel(Md9600Format, "FM", 145.5));
    plug.addScanList("Scan", {fm, local});
    plug.addZone("Home", {local, fm}, {fm});
    // A channel reference past the RX group table shows up in the log.
    auto bad = test::tytAnalogChannel(Md9600Format, "Bad", 146.0);
    bad.setRxGroupList(9);
    plug.addChannel(bad);
    const auto dump = dumpOf(plug.write(dir.file("plug.rdt")).string());

    EXPECT_EQ(dump["formatId"], "0x1003");
    EXPECT_EQ(dump["radioType"], "MD-UV380");
    EXPECT_EQ(dump["errorCount"], 1);
    EXPECT_EQ(dump["errorLog"], "Invalid group list table index 8 in channel #3, 'Bad'\r\n");

    ASSERT_EQ(dump["contacts"].size(), 2u);
    const auto& contact = dump["contacts"][1];
    EXPECT_EQ(keysOf(contact), (std::vector<std::string>{"dmrId", "name", "callType", "alertTone", "callsign", "city",
                                                         "state", "country", "remarks", "isTalkgroup"}));
    EXPECT_EQ(contact["dmrId"], 9998);
    EXPECT_EQ(contact["name"], "P\u00e4rrot");  // stored as UTF-16, shown as UTF-8
    EXPECT_EQ(contact["callType"], "Private Call");
    EXPECT_EQ(contact["alertTone"], false);
    EXPECT_EQ(contact["isTalkgroup"], false);

    ASSERT_EQ(dump["channels"].size(), 3u);
    const auto& channel = dump["channels"][0];
    EXPECT_EQ(channel.size(), 39u);
    EXPECT_EQ(channel["name"], "Local");
    EXPECT_EQ(channel["mode"], "DMR");
    EXPECT_EQ(channel["bandwidth"], "12.5");
    EXPECT_DOUBLE_EQ(channel["rxFrequency"].get<double>(), 439.5);
    EXPECT_DOUBLE_EQ(channel["txFrequency"].get<double>(), 431.9);
    EXPECT_EQ(channel["txContact"], parrot);
    EXPECT_EQ(channel["rxGroupList"], 1);
    EXPECT_EQ(channel["scanList"], 1);
    EXPECT_EQ(channel["colorCode"], 7);
    EXPECT_EQ(channel["timeSlot"], 2);
    EXPECT_EQ(channel["contactName"], "P\u00e4rrot");
    EXPECT_EQ(channel["privacy"], false);
    EXPECT_TRUE(channel["privacyType"] == "Basic" || channel["privacyType"] == "Enhanced");
    const std::string line = channel["line"];
    EXPECT_EQ(line.substr(0, 60), "\"Local\", \"DMR\", \"12.5\", \"431.900000\", \"439.500000\", \"Scan\", ");
    // Emergency system, contact, RX group list, colour code, privacy, privacy code (the new channel's
    // 0xFF fill reads 16), slot.
    EXPECT_NE(line.find("\"NONE\", \"P\u00e4rrot\", \"Talkgroups\", \"7\", \"NONE\", \"16\", \"2\""), std::string::npos)
        << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '"'), 84);

    ASSERT_EQ(dump["zones"].size(), 1u);
    EXPECT_EQ(dump["zones"][0], Json::parse(R"({"name": "Home", "banks": [[1, 2], [2]]})"));
    EXPECT_EQ(dump["scanLists"][0], Json::parse(R"({"name": "Scan", "members": [2, 1]})"));
    EXPECT_EQ(dump["rxGroupLists"][0], Json::parse(R"({"name": "Talkgroups", "members": [1, 2]})"));
    EXPECT_EQ(dump["emergencySystems"], Json::parse(R"(["System1"])"));
}

TEST(CliDump, SingleBankZonesShowOneBank)
{
    TempDir dir;
    TytFixture plug(Md380Format);
    plug.addChannel(test::tytAnalogChannel(Md380Format, "A", 145.5));
    plug.addZone("Only", {1});
    const auto dump = dumpOf(plug.write(dir.file("plug.rdt")).string());
    EXPECT_EQ(dump["zones"][0]["banks"], Json::parse("[[1]]"));
}

TEST(CliErrors, PrintsTheDecodeLogWithItsOwnLineEndsAndInfoCountsIt)
{
    TempDir dir;
    TytFixture plug(Md380Format);
    plug.addContact(1, "One");
    plug.addChannel(test::tytDigitalChannel(Md380Format, "Far", 439.5, 4));
    plug.addChannel(test::tytDigitalChannel(Md380Format, "Near", 439.6, 1, 3));
    const auto path = plug.write(dir.file("plug.rdt")).string();

    const auto errors = cli({"errors", path});
    EXPECT_EQ(errors.status, 0);
    EXPECT_EQ(errors.out, "Invalid contact table index value of 4 in channel #1, 'Far' -- now set to NONE.\r\n"
                          "Invalid group list table index 2 in channel #2, 'Near'\r\n");
    const auto info = cli({"info", path});
    EXPECT_NE(info.out.find("\ncontacts: 1\nchannels: 2\nzones: 0\nscan lists: 0\nrx group lists: 0\nerrors: 2\n"),
              std::string::npos)
        << info.out;
}

TEST(CliDump, FileThatIsNoCodeplugFailsWithTheMessage)
{
    TempDir dir;
    test::writeBytes(dir.file("junk"), std::vector<std::uint8_t>(100, 7));
    const auto result = cli({"dump", dir.file("junk").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Failed to load Codeplug; the specified file is invalid.\n");
}

} // namespace
} // namespace pw
