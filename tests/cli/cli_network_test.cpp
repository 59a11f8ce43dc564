// SPDX-License-Identifier: GPL-3.0-or-later
// talkgroups list|add and repeaters list|add: the networks' lists read from files, standard input
// and loopback servers (HTTPS with the tests' own certificate authority, pages, a cut or failed
// download that keeps the cache), and what adding does to a codeplug of each family.

#include "networks/repeater_filter.h"
#include "support/fixture_builder.h"
#include "support/loopback_http_server.h"
#include "support/network_lists_generator.h"
#include "support/run_process.h"
#include "support/temp_dir.h"
#include "support/test_trust.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <string>

namespace pw {
namespace {

using test::LoopbackHttpServer;

std::string csvName(const std::string& name)
{
    if (name.find_first_of(",\"") == std::string::npos)
        return name;
    std::string quoted = "\"";
    for (const char c : name)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string listLines(const std::vector<Talkgroup>& talkgroups)
{
    std::string lines;
    for (const auto& talkgroup : talkgroups)
        lines += std::to_string(talkgroup.id) + "," + csvName(talkgroup.name) + "\n";
    return lines;
}

std::filesystem::path writeText(const test::TempDir& dir, const std::string& name, const std::string& text)
{
    const auto path = dir.file(name);
    test::writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    return path;
}

std::string fileText(const std::filesystem::path& path)
{
    const auto bytes = test::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

nlohmann::json dump(const std::filesystem::path& file)
{
    const auto result = test::runProcess(PLUGWRIGHT_CLI, {"dump", file.string()});
    EXPECT_EQ(result.status, 0) << result.err;
    return nlohmann::json::parse(result.out);
}

TEST(CliTalkgroups, ListPrintsEveryTalkgroupOfAJsonOrCsvFileByNumber)
{
    test::TempDir dir;
    const auto talkgroups = test::generateTalkgroups(2000);
    const auto json = writeText(dir, "talkgroups.json", test::talkgroupJson(talkgroups));
    const auto listed = test::runProcess(PLUGWRIGHT_CLI, {"talkgroups", "list", "--file", json.string()});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, listLines(talkgroups));
    EXPECT_EQ(listed.err, "file: " + json.string() + ": 2000 talkgroups\n");

    std::vector<Talkgroup> germany;
    for (const auto& talkgroup : talkgroups)
        if (talkgroup.name.find("germany") != std::string::npos || talkgroup.name.find("Germany") != std::string::npos)
            germany.push_back(talkgroup);
    const auto piped = test::runProcess(PLUGWRIGHT_CLI, {"talkgroups", "list", "--file", "-", "--match", "GERMANY"},
                                        test::talkgroupCsv(talkgroups));
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, listLines(germany));
    EXPECT_EQ(piped.err, "file: standard input: 2000 talkgroups\n");

    const auto broken = test::runProcess(PLUGWRIGHT_CLI, {"talkgroups", "list", "--file", "-"}, "{\"91\":");
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err, "file: standard input: failed: not valid JSON (cut off after byte 6)\nNo talkgroup list could be had.\n");
}

TEST(CliTalkgroups, AddNamesTheChosenTalkgroupsAndRenamesNumberedOnes)
{
    test::TempDir dir;
    const auto talkgroups = test::generateTalkgroups(2000);
    const auto json = writeText(dir, "talkgroups.json", test::talkgroupJson(talkgroups)).string();
    const auto plug = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    const std::size_t before = dump(plug)["contacts"].size();
    int chosen = 0;
    for (const auto& talkgroup : talkgroups)
        chosen += talkgroup.id == 91 || talkgroup.id == 262 || (talkgroup.id >= 3100 && talkgroup.id <= 3199);

    const auto added = test::runProcess(PLUGWRIGHT_CLI, {"talkgroups", "add", plug.string(), "--file", json, "--id",
                                                         "91,262,3100-3199", "--rx-group-list", "USA"});
    EXPECT_EQ(added.status, 1) << "31 of them fill the RX group list";
    EXPECT_EQ(added.out, std::to_string(chosen) + " talkgroup contacts added; 0 already present.\n"
                         "RX group list 'USA' (new): 31 members added.\n" +
                         std::to_string(chosen - 31) + " not added to it: an RX group list holds at most 31\n");
    const auto saved = dump(plug);
    ASSERT_EQ(saved["contacts"].size(), before + static_cast<std::size_t>(chosen));
    EXPECT_EQ(saved["contacts"][before]["dmrId"], 91);
    EXPECT_EQ(saved["contacts"][before]["name"], "Worldwide");
    EXPECT_EQ(saved["contacts"][before]["callType"], "Group Call");
    EXPECT_EQ(saved["rxGroupLists"][0]["name"], "USA");

    // A second run adds nothing and saves nothing.
    const auto unchanged = fileText(plug);
    const auto again = test::runProcess(PLUGWRIGHT_CLI, {"talkgroups", "add", plug.string(), "--file", json, "--id", "91"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, "0 talkgroup contacts added; 1 already present.\n");
    EXPECT_EQ(fileText(plug), unchanged);

    const auto renamed = test::runProcess(PLUGWRIGHT_CLI, {"talkgroups", "add", "-", "--file", json, "--used", "-o", "-"},
                                          fileText(plug));
    EXPECT_EQ(renamed.status, 0) << renamed.err;
    EXPECT_NE(renamed.err.find("0 talkgroup contacts renamed.\n"), std::string::npos) << renamed.err;
}

TEST(CliTalkgroups, UsageErrorsNameWhatIsWrong)
{
    test::TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug.rdt"), Md380Format).string();
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"talkgroups", "add", plug, "--file", "x"}, "talkgroups add needs one of --id, --match and --used"},
        {{"talkgroups", "add", plug, "--file", "x", "--id", "91-90"}, "--id must be talkgroup numbers like 91,262,3100-3199"},
        {{"talkgroups", "add", plug, "--id", "91", "--used"}, "--id excludes --used"},
        {{"talkgroups", "list", "--source", "ftp://x"}, "--source must be an http:// or https:// URL"},
        {{"repeaters", "list", "--band", "23cm"}, "--band must be 2m or 70cm"},
    };
    for (const auto& c : cases) {
        const auto result = test::runProcess(PLUGWRIGHT_CLI, c.arguments);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
}

// Points the configuration and the cache at folders of the test, for the life of the object.
class ScratchSettings {
public:
    explicit ScratchSettings(const std::string& sources)
    {
        std::filesystem::create_directories(dir_.file("config"));
        std::ofstream(dir_.file("config") / "network_sources.conf") << sources;
        ::setenv("PLUGWRIGHT_CONFIG_DIR", dir_.file("config").c_str(), 1);
        ::setenv("PLUGWRIGHT_CACHE_DIR", dir_.file("cache").c_str(), 1);
    }
    ~ScratchSettings()
    {
        ::unsetenv("PLUGWRIGHT_CONFIG_DIR");
        ::unsetenv("PLUGWRIGHT_CACHE_DIR");
    }
    std::filesystem::path cacheFolder() const { return dir_.file("cache"); }

private:
    test::TempDir dir_;
};

TEST(CliTalkgroups, ACutOrFailedDownloadKeepsTheCacheAndUsesIt)
{
    if (!test::TestTrustAvailable)
        GTEST_SKIP() << "needs a build with -DPLUGWRIGHT_TEST_CA_HOOK=ON";
    test::TrustedTestAuthority trust;
    const auto talkgroups = test::generateTalkgroups(2000);
    const auto body = test::talkgroupJson(talkgroups);
    // The first answer is whole; later ones promise the body and break off halfway, or are not found.
    std::atomic<int> answers{0};
    LoopbackHttpServer server(
        [&](const std::string&, test::ServerConnection& connection) {
            const int answer = answers++;
            if (answer == 0)
                connection.send(test::sizedResponse(body));
            else if (answer == 1)
                connection.send(test::sizedResponse(body).substr(0, body.size() / 2));
            else
                connection.send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
        },
        trust.loopbackServer());
    const auto url = server.url("/v2/talkgroup");
    ScratchSettings settings("talkgroups = " + url + "\ncache_max_age_hours = 0\n");

    const auto first = test::runProcess(PLUGWRIGHT_CLI, {"talkgroups", "list"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, listLines(talkgroups));
    EXPECT_EQ(first.err, "source: " + url + ": 2000 talkgroups\n");
    std::vector<std::filesystem::path> cached;
    for (const auto& entry : std::filesystem::directory_iterator(settings.cacheFolder()))
        cached.push_back(entry.path());
    ASSERT_EQ(cached.size(), 1u);
    const auto kept = fileText(cached[0]);

    for (const char* failure : {"failed: connection broken off", "failed: HTTP 404"}) {
        const auto next = test::runProcess(PLUGWRIGHT_CLI, {"talkgroups", "list"});
        EXPECT_EQ(next.status, 0) << next.err;
        EXPECT_EQ(next.out, listLines(talkgroups));
        EXPECT_EQ(next.err.rfind("source: " + url + ": " + failure, 0), 0u) << next.err;
        EXPECT_NE(next.err.find("; the cached list of "), std::string::npos) << next.err;
        EXPECT_NE(next.err.find(" (2000 talkgroups) is used\n"), std::string::npos) << next.err;
        EXPECT_EQ(fileText(cached[0]), kept);
    }
}

std::vector<Repeater> onAirIn(const std::vector<Repeater>& repeaters, const std::string& state)
{
    std::vector<Repeater> kept;
    for (const auto& repeater : repeaters)
        if (repeater.status == "on-air" && repeater.state == state)
            kept.push_back(repeater);
    return kept;
}

TEST(CliRepeaters, ListReadsEveryPageOfTheAreaOverHttps)
{
    if (!test::TestTrustAvailable)
        GTEST_SKIP() << "needs a build with -DPLUGWRIGHT_TEST_CA_HOOK=ON";
    test::TrustedTestAuthority trust;
    const auto repeaters = test::generateRepeaters(300);
    const auto server = test::repeaterListServer(repeaters, 25, trust.loopbackServer());
    const auto base = server.url("/api/dmr/repeater/");
    const auto result = test::runProcess(PLUGWRIGHT_CLI, {"repeaters", "list", "--source", base, "--country", "Germany",
                                                          "--state", "Bayern"});
    EXPECT_EQ(result.status, 0) << result.err;
    std::string expected;
    for (const auto& repeater : onAirIn(repeaters, "Bayern"))
        expected += repeaterCsvLine(repeater) + "\n";
    EXPECT_EQ(result.out, expected);
    const auto pages = (300 / 5 + 24) / 25;
    EXPECT_EQ(server.requests().size(), static_cast<std::size_t>(pages));
    EXPECT_NE(server.requests().back().find("country=Germany&state=Bayern&page=" + std::to_string(pages) + " "),
              std::string::npos)
        << server.requests().back();
    EXPECT_EQ(result.err, "source: " + base + "?country=Germany&state=Bayern: " + std::to_string(60) + " repeaters\n");

    const auto twoMetres = test::runProcess(PLUGWRIGHT_CLI, {"repeaters", "list", "--source", base, "--state",
                                                             "bayern", "--city", "AUGSBURG", "--band", "2m"});
    EXPECT_EQ(twoMetres.status, 0) << twoMetres.err;
    std::string augsburg;
    for (const auto& repeater : onAirIn(repeaters, "Bayern"))
        if (repeater.city == "Augsburg" && *repeater.outputMhz < 148)
            augsburg += repeaterCsvLine(repeater) + "\n";
    EXPECT_EQ(twoMetres.out, augsburg);
}

class CliRepeatersAdd : public ::testing::TestWithParam<FormatId> {};

TEST_P(CliRepeatersAdd, ChannelsZonesAndScanListsForEachFamily)
{
    test::TempDir dir;
    const auto repeaters = test::generateRepeaters(200);
    const auto file = writeText(dir, "repeaters.json", test::repeaterPageJson(repeaters, 1, 1, repeaters.size()));
    const auto plug = test::writeFixture(dir.file("plug.bin"), GetParam());
    const auto before = dump(plug);
    const auto result = test::runProcess(PLUGWRIGHT_CLI, {"repeaters", "add", plug.string(), "--file", file.string(),
                                                          "--state", "Bayern", "--scan-list"});
    EXPECT_EQ(result.status, 0) << result.err;
    const auto after = dump(plug);

    // What the list gives, worked out here from the repeaters themselves: the MD-380 file is made
    // for 400-480 MHz, the others take the usual VHF and UHF bands.
    const auto inBand = [](double mhz) {
        return (mhz >= 400 && mhz <= 480) || (GetParam() != Md380Format && mhz >= 136 && mhz <= 174);
    };
    std::size_t channels = 0;
    int refused = 0;
    for (const auto& repeater : onAirIn(repeaters, "Bayern")) {
        if (!inBand(*repeater.outputMhz)) {
            ++refused;
            continue;
        }
        channels += std::max<std::size_t>(1, repeater.talkgroups.size());
    }
    const auto& added = after["channels"];
    ASSERT_EQ(added.size(), before["channels"].size() + channels) << result.out;
    EXPECT_NE(result.out.find("\n" + std::to_string(refused) + " repeaters refused: frequency outside the radio's bands (" +
                              std::to_string(refused) + ")"),
              std::string::npos)
        << result.out;
    std::size_t next = before["channels"].size();
    for (const auto& repeater : onAirIn(repeaters, "Bayern")) {
        if (!inBand(*repeater.outputMhz))
            continue;
        const std::size_t count = std::max<std::size_t>(1, repeater.talkgroups.size());
        for (std::size_t i = 0; i < count; ++i, ++next) {
            const auto& channel = added[next];
            EXPECT_NEAR(channel["rxFrequency"].get<double>(), *repeater.outputMhz, 1e-5);
            EXPECT_NEAR(channel["txFrequency"].get<double>(), *repeater.outputMhz + *repeater.offsetMhz, 1e-5);
            EXPECT_EQ(channel["colorCode"], *repeater.colorCode);
            EXPECT_EQ(channel["mode"], "DMR");
            const int slot = repeater.talkgroups.empty() ? 1 : repeater.talkgroups[i].timeSlot;
            EXPECT_EQ(channel["timeSlot"], slot);
            if (!repeater.talkgroups.empty()) {
                const int contact = channel["txContact"];
                ASSERT_GT(contact, 0);
                EXPECT_EQ(after["contacts"][contact - 1]["dmrId"], repeater.talkgroups[i].id);
            }
            EXPECT_EQ(channel["name"].get<std::string>().rfind(repeater.callsign, 0), 0u) << channel["name"];
        }
    }
    // The zones hold every new channel, split at the family's zone size; the scan lists alike.
    const std::size_t perZone = GetParam() == D868Format ? 250 : 16;
    std::vector<std::string> zoneNames;
    std::size_t members = 0;
    for (const auto& zone : after["zones"])
        if (zone["name"].get<std::string>().rfind("Bayern", 0) == 0) {
            zoneNames.push_back(zone["name"]);
            members += zone["banks"][0].size();
        }
    std::vector<std::string> expectedNames;
    for (std::size_t zone = 0; zone * perZone < channels; ++zone)
        expectedNames.push_back(channels <= perZone ? "Bayern" : "Bayern " + std::to_string(zone + 1));
    EXPECT_EQ(zoneNames, expectedNames);
    EXPECT_EQ(members, channels);
    EXPECT_FALSE(after["scanLists"].empty());
}

INSTANTIATE_TEST_SUITE_P(EachFamily, CliRepeatersAdd, ::testing::Values(Md380Format, RdbV2Format, D868Format),
                         [](const auto& param) { return "Format" + std::to_string(param.param); });

} // namespace
} // namespace pw
