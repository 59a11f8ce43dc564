// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/transfer_fixture.h"
#include "support/fixture_builder.h"
#include "support/loopback_http_server.h"
#include "support/sample_database_server.h"
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

test::ProcessResult cli(const LoopbackHttpServer& server, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin() + 1, {"--source1", server.hostAndPort(), "--source2", server.hostAndPort()});
    return test::runProcess(PLUGWRIGHT_CLI, arguments);
}

std::string fileText(const std::filesystem::path& path)
{
    const auto bytes = test::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(CliIddb, FetchPrintsTheSummaryAndEachSourcesOutcome)
{
    auto server = test::sampleDatabaseServer();
    const auto result = cli(server, {"iddb", "fetch"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Database acquisition complete; 3 total records.\n\nRADIO ID (2 rows contributed)\n"
                          "HAM DIGITAL (2 rows contributed)\n");
    EXPECT_EQ(result.err, "source 1: http://" + server.hostAndPort() + "/static/users_quoted.csv: 2 records\n"
                          "source 2: http://" + server.hostAndPort() + "/status/users_quoted.csv: 2 records\n");
}

TEST(CliIddb, NoRecordFromAnySourceEndsWithStatusOneAndTheReasons)
{
    const auto refused = "127.0.0.1:" + std::to_string(test::refusingPort());
    LoopbackHttpServer missing([](const std::string&, test::ServerConnection& connection) {
        connection.send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
    });
    const auto result = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fetch", "--source1", missing.url("/user.csv"),
                                                          "--source2", refused});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("source 1: " + missing.url("/user.csv") + ": failed: HTTP 404\n"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("source 2: http://" + refused + "/status/users_quoted.csv: failed: could not connect"),
              std::string::npos)
        << result.err;
}

TEST(CliIddb, HttpsSourceInTodaysLayoutAndSearchRowsThatReadBackAsCsv)
{
    if (!test::TestTrustAvailable)
        GTEST_SKIP() << "needs a build with -DPLUGWRIGHT_TEST_CA_HOOK=ON";
    test::TrustedTestAuthority trust;
    const std::string list = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\n"
                             "3112345,K0ABC,John,\"Smith, Jr.\",Kansas City,Missouri,United States\n"
                             "2600001,SP5ABC,\xC5\x81ukasz,Nowak,\xC5\x81\xC3\xB3" "d\xC5\xBA,,Poland\n";
    LoopbackHttpServer server([list](const std::string&, test::ServerConnection& connection) {
        connection.send(test::plainResponse(list));
    }, trust.loopbackServer());
    const auto url = server.url("/static/user.csv");
    const auto found = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "search", "smith", "--source1", url, "--source2", "none"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "Query 'smith' returned 1 matches.\n"
                         "3112345,K0ABC,\"John Smith, Jr.\",Kansas City,Missouri,United States,\n");
    EXPECT_EQ(found.err, "source 1: " + url + ": 2 records\n");

    const auto ascii = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "export", "-", "--radio", "3", "--ascii", "--source1",
                                                         url, "--source2", "none"});
    EXPECT_EQ(ascii.status, 0) << ascii.err;
    EXPECT_EQ(ascii.out, "2600001,Lukasz Nowak,,,,,\r\n3112345,\"John Smith, Jr.\",,,,,\r\n");
}

// Points the configuration and the cache at folders of the test, for the life of the object.
class ScratchSettings {
public:
    explicit ScratchSettings(const std::string& sources)
    {
        std::filesystem::create_directories(dir_.file("config"));
        std::ofstream(dir_.file("config") / "iddb_sources.conf") << sources;
        saved_ = {variable("PLUGWRIGHT_CONFIG_DIR"), variable("PLUGWRIGHT_CACHE_DIR")};
        ::setenv("PLUGWRIGHT_CONFIG_DIR", dir_.file("config").c_str(), 1);
        ::setenv("PLUGWRIGHT_CACHE_DIR", dir_.file("cache").c_str(), 1);
    }
    ~ScratchSettings()
    {
        restore("PLUGWRIGHT_CONFIG_DIR", saved_.first);
        restore("PLUGWRIGHT_CACHE_DIR", saved_.second);
    }
    std::filesystem::path cacheFile() const { return dir_.file("cache") / "dmr_id_users.cache"; }

private:
    static std::string variable(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? value : "";
    }
    static void restore(const char* name, const std::string& value)
    {
        if (value.empty())
            ::unsetenv(name);
        else
            ::setenv(name, value.c_str(), 1);
    }
    test::TempDir dir_;
    std::pair<std::string, std::string> saved_;
};

TEST(CliIddb, TheSettingsSourcesFillTheCacheWhichServesTheNextCommandOffline)
{
    std::optional<ScratchSettings> settings;
    {
        auto server = test::sampleDatabaseServer();
        settings.emplace("# sources\nsource1 = " + server.hostAndPort() + "\nsource2 = none\n");
        const auto first = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fetch"});
        EXPECT_EQ(first.status, 0) << first.err;
        ASSERT_TRUE(std::filesystem::exists(settings->cacheFile()));
    }
    const auto offline = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "search", "Kansas"});
    EXPECT_EQ(offline.status, 0) << offline.err;
    EXPECT_EQ(offline.out.substr(0, offline.out.find('\n')), "Query 'Kansas' returned 1 matches.");
    EXPECT_EQ(offline.err.rfind("cache: " + settings->cacheFile().string() + ": 2 records (downloaded ", 0), 0u)
        << offline.err;

    // Sources on the command line leave the cache alone: nothing answers there now.
    const auto refused = "127.0.0.1:" + std::to_string(test::refusingPort());
    EXPECT_EQ(test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fetch", "--source1", refused}).status, 1);
    EXPECT_EQ(test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fetch", "--no-cache"}).status, 1);
}

TEST(CliIddb, FileOptionReadsAUserListFromAFileOrStandardInput)
{
    const std::string list = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\n"
                             "2620001,DL1ABC,J\xC3\xBCrgen,M\xC3\xBCller,M\xC3\xBCnchen,Bayern,Germany\n";
    const auto piped = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "search", "J\xC3\xBCrgen", "--file", "-"}, list);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, "Query 'J\xC3\xBCrgen' returned 1 matches.\n"
                         "2620001,DL1ABC,J\xC3\xBCrgen M\xC3\xBCller,M\xC3\xBCnchen,Bayern,Germany,\n");
    EXPECT_EQ(piped.err, "file: standard input: 1 record\n");

    test::TempDir dir;
    const auto missing = dir.file("missing.csv").string();
    const auto failed = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fetch", "--file", missing});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("file: " + missing + ": failed: No such file or directory\n"), std::string::npos)
        << failed.err;
}

TEST(CliIddb, SearchPrintsTheQueryAndOneLinePerMatch)
{
    auto server = test::sampleDatabaseServer();
    const auto result = cli(server, {"iddb", "search", "smith"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Query 'smith' returned 1 matches.\n"
                          "3112345,K0ABC,John Smith,Kansas City,Missouri,United States,DMR\n");

    const auto umlaut = cli(server, {"iddb", "search", "M\xC3\xBCnchen"});
    EXPECT_EQ(umlaut.out, "Query 'M\xC3\xBCnchen' returned 1 matches.\n"
                          "2620001,DL1ABC,Hans M\xC3\xBCller,M\xC3\xBCnchen,Bayern,Germany,\n");
}

TEST(CliIddb, SearchWithLinesIsACompoundQuery)
{
    auto server = test::sampleDatabaseServer();
    test::TempDir dir;
    const auto lines = dir.file("lines.txt");
    test::writeBytes(lines, std::vector<std::uint8_t>{'I', 'O', 'W', 'A', '\n', 'B', 'A', 'Y', 'E', 'R', 'N', '\n'});
    const auto result = cli(server, {"iddb", "search", "K0ABC", "--lines", lines.string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')),
              "Compound query 'K0ABC OR  IOWA OR  BAYERN' returned 3 matches.");

    const auto shortText = cli(server, {"iddb", "search", "K0"});
    EXPECT_EQ(shortText.status, 1);
    EXPECT_EQ(shortText.out, "");
    EXPECT_NE(shortText.err.find("The query is too short"), std::string::npos) << shortText.err;
}

TEST(CliIddb, ExportWritesTheRadioTypesLayout)
{
    auto server = test::sampleDatabaseServer();
    test::TempDir dir;
    const auto out = dir.file("out.csv");
    const auto result = cli(server, {"iddb", "export", out.string(), "--radio", "2"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "CSV output file successfully written.\n3 users selected of 3; capacity 122197\n");
    EXPECT_EQ(fileText(out), "Radio ID,CallSign,Name,City,State/Prov,Country,\r\n"
                             "2620001,DL1ABC,Hans M\xFCller,M\xFCnchen,Bayern,Germany\r\n"
                             "3112345,K0ABC,John Smith,Kansas City,Missouri,United States\r\n"
                             "3112346,W0XYZ,Jane Doe,Des Moines,Iowa,United States\r\n");

    const auto criteria = dir.file("criteria.txt");
    test::writeBytes(criteria, std::vector<std::uint8_t>{'i', 'o', 'w', 'a', '\r', '\n'});
    const auto declined = cli(server, {"iddb", "export", out.string(), "--radio", "3", "--criteria", criteria.string()});
    EXPECT_EQ(declined.status, 1);
    EXPECT_NE(declined.out.find("already exists; overwrite?"), std::string::npos);

    const auto confirmed =
        cli(server, {"iddb", "export", out.string(), "--radio", "3", "--criteria", criteria.string(), "--yes"});
    EXPECT_EQ(confirmed.status, 0) << confirmed.err;
    EXPECT_EQ(fileText(out), "3112346,Jane Doe,,,,,\r\n");
}

TEST(CliIddb, AddPutsEveryMatchIntoTheCodeplugOnce)
{
    auto server = test::sampleDatabaseServer();
    test::TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    const auto before = test::readBytes(plug);
    const auto added = cli(server, {"iddb", "add", plug.string(), "United", "--template", "%C %F", "--type", "group"});
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "2 Contacts added to working Codeplug.\n");

    const auto dump = nlohmann::json::parse(test::runProcess(PLUGWRIGHT_CLI, {"dump", plug.string()}).out);
    int found = 0;
    for (const auto& contact : dump["contacts"]) {
        if (contact["dmrId"] == 3112345) {
            EXPECT_EQ(contact["name"], "K0ABC John ");  // every template word is followed by a blank
            EXPECT_EQ(contact["callType"], "Group Call");
            ++found;
        }
        found += contact["dmrId"] == 3112346 ? 1 : 0;
    }
    EXPECT_EQ(found, 2);

    // The second run finds both IDs present: nothing is added and the file is not written.
    const auto afterFirst = test::readBytes(plug);
    EXPECT_NE(afterFirst, before);
    const auto again = cli(server, {"iddb", "add", plug.string(), "United", "--template", "%C %F"});
    EXPECT_EQ(again.out, "0 Contacts added; 2 Duplicates skipped.\n");
    EXPECT_EQ(test::readBytes(plug), afterFirst);

    // With --refresh the existing contacts are brought up to date, and that counts as added.
    const auto out = dir.file("refreshed.rdt");
    const auto refreshed = cli(server, {"iddb", "add", plug.string(), "United", "--template", "%F %C", "--refresh",
                                        "-o", out.string()});
    EXPECT_EQ(refreshed.out, "2 Contacts added to working Codeplug.\n");
    EXPECT_EQ(test::readBytes(plug), afterFirst);
    const auto refreshedDump = nlohmann::json::parse(test::runProcess(PLUGWRIGHT_CLI, {"dump", out.string()}).out);
    bool renamed = false;
    for (const auto& contact : refreshedDump["contacts"])
        renamed = renamed || (contact["dmrId"] == 3112345 && contact["name"] == "John K0ABC ");
    EXPECT_TRUE(renamed);
}

TEST(CliIddb, ExportAndFitRefuseUnknownTypesAndMalformedSelections)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"iddb", "export", "out.csv"},
             {"iddb", "export", "out.csv", "--radio", "4"},
             {"iddb", "export", "out.csv", "--radio", "anytone", "--id-prefix", "26x"},
             {"iddb", "export", "out.csv", "--radio", "anytone", "--near", "16777216"},
             {"iddb", "export", "out.csv", "--radio", "3", "--limit", "-1"},
             {"iddb", "fit", "plug.rdt", "--pin", "-", "--exclude", "-", "--file", "users.csv"},
             {"iddb", "fit"}}) {
        const auto result = test::runProcess(PLUGWRIGHT_CLI, arguments);
        EXPECT_EQ(result.status, 2) << arguments.back() << ": " << result.err;
    }
}

// A user list of `count` users from 2620001 up, in today's layout: Germans, but every third a
// Bavarian and every fifth an Austrian with a callsign of OE.
std::string userList(int count)
{
    std::string list = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\n";
    for (int i = 1; i <= count; ++i) {
        const bool austrian = i % 5 == 0;
        list += std::to_string(2620000 + i) + "," + (austrian ? "OE1" : "DL1") + std::string(1, static_cast<char>('A' + i % 26))
              + std::to_string(i) + ",J\xC3\xBCrgen,Nr" + std::to_string(i) + ",Town," + (i % 3 == 0 ? "Bayern" : "Hessen")
              + "," + (austrian ? "Austria" : "Germany") + "\n";
    }
    return list;
}

TEST(CliIddb, ExportSelectsPinsCutsAtTheCapacityAndWritesAnyToneAndDmrconfig)
{
    test::TempDir dir;
    const auto users = dir.file("users.csv");
    const auto list = userList(1200);
    test::writeBytes(users, std::vector<std::uint8_t>(list.begin(), list.end()));
    const auto pins = dir.file("pins.txt");
    const std::string pinText = "# always\n2621200\noe1m1000\nZZ9ZZZ\n";
    test::writeBytes(pins, std::vector<std::uint8_t>(pinText.begin(), pinText.end()));

    const auto anytone = dir.file("anytone.csv");
    const auto result = test::runProcess(
        PLUGWRIGHT_CLI, {"iddb", "export", anytone.string(), "--radio", "anytone", "--file", users.string(), "--country",
                         "germany", "--state", "Bayern", "--callsign-prefix", "dl1", "--pin", pins.string(), "--limit",
                         "3", "--no-names"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "CSV output file successfully written.\n3 users selected of 1200; capacity 200000\n"
                          "319 more users qualified but were cut at the limit of 3\n"
                          "pinned entries that name no user of the list: ZZ9ZZZ\n");
    const std::string header = "\"No.\",\"Radio ID\",\"Callsign\",\"Name\",\"City\",\"State\",\"Country\",\"Remarks\","
                               "\"Call Type\",\"Call Alert\"\r\n";
    EXPECT_EQ(fileText(anytone), header +
                                     "\"1\",\"2621200\",\"OE1E1200\",\"\",\"\",\"\",\"Austria\",\"\",\"Private Call\",\"None\"\r\n"
                                     "\"2\",\"2621000\",\"OE1M1000\",\"\",\"\",\"\",\"Austria\",\"\",\"Private Call\",\"None\"\r\n"
                                     "\"3\",\"2620003\",\"DL1D3\",\"\",\"\",\"\",\"Germany\",\"\",\"Private Call\",\"None\"\r\n");

    const auto near = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "export", "-", "--radio", "dmrconfig", "--file",
                                                        users.string(), "--near", "2620600", "--limit", "3"});
    EXPECT_EQ(near.status, 0) << near.err;
    EXPECT_EQ(near.out, "Radio ID,Callsign,Name,City,State,Country,Remarks\n"
                        "2620600,OE1C600,Jurgen Nr600,Town,Bayern,Austria,\n"
                        "2620599,DL1B599,Jurgen Nr599,Town,Hessen,Germany,\n"
                        "2620601,DL1D601,Jurgen Nr601,Town,Hessen,Germany,\n");
    EXPECT_NE(near.err.find("3 users selected of 1200; capacity 122197"), std::string::npos) << near.err;
}

TEST(CliIddb, FitFillsTheFreeRowsAndLeavingUsersOutFailsTheCommand)
{
    test::TempDir dir;
    const auto users = dir.file("users.csv");
    const auto list = userList(1200);
    test::writeBytes(users, std::vector<std::uint8_t>(list.begin(), list.end()));
    const auto plug = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    const auto before = test::readBytes(plug);
    const auto fixtureContacts =
        static_cast<int>(nlohmann::json::parse(test::runProcess(PLUGWRIGHT_CLI, {"dump", plug.string()}).out)["contacts"].size());

    const auto austrians = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fit", plug.string(), "--file", users.string(),
                                                             "--country", "Austria", "--id-prefix", "26201"});
    EXPECT_EQ(austrians.status, 0) << austrians.err;
    EXPECT_EQ(austrians.out, "added: 20\nalready present: 0\nremoved: 0\nleft out for lack of room: 0\n"
                             "20 users selected of 1200; capacity " + std::to_string(1000 - fixtureContacts) + "\n");
    const auto dump = nlohmann::json::parse(test::runProcess(PLUGWRIGHT_CLI, {"dump", plug.string()}).out);
    ASSERT_FALSE(dump["contacts"].empty());
    EXPECT_EQ(dump["contacts"].back()["name"], "OE1N195 J\xC3\xBCrgen");
    EXPECT_EQ(dump["contacts"].back()["callType"], "Private Call");

    // Everyone else: the free rows are the limit, and that is no failure.
    const auto everyone = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fit", plug.string(), "--file", users.string()});
    EXPECT_EQ(everyone.status, 0) << everyone.err;
    const int room = 1000 - static_cast<int>(dump["contacts"].size());
    EXPECT_EQ(everyone.out.substr(0, everyone.out.find("\n", everyone.out.find("left out"))),
              "added: " + std::to_string(room) + "\nalready present: 20\nremoved: 0\nleft out for lack of room: 0");

    // A limit beyond the room leaves users out: the codeplug is saved with what fitted, status 1.
    const auto out = dir.file("out.rdt");
    const auto over = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fit", plug.string(), "--file", users.string(),
                                                        "--limit", "1200", "-o", out.string(), "--replace"});
    EXPECT_EQ(over.status, 1);
    EXPECT_NE(over.err.find("users left out for lack of room: the contact table holds at most 1000 contacts"),
              std::string::npos)
        << over.err;
    EXPECT_TRUE(std::filesystem::exists(out));
    EXPECT_NE(test::readBytes(plug), before);
}

TEST(CliIddb, AddingToAFullContactTableEndsWithStatusOneAsTheImportDoes)
{
    test::TempDir dir;
    auto full = test::openEmpty(dir, Md380Format);
    test::addContacts(*full, 1, contactCapacity(Md380Format), "C");
    ASSERT_EQ(full->save(dir.file("full.rdt")), 1);
    test::writeText(dir.file("users.csv"), "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\n"
                                           "3112345,K0ABC,John,Smith,Kansas City,Missouri,United States\n");
    const auto result = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "add", dir.file("full.rdt").string(), "smith",
                                                          "--file", dir.file("users.csv").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "0 Contacts added to working Codeplug.\n1 not added: the contact table holds at most 1,000\n");
    EXPECT_TRUE(result.err.ends_with(result.out)) << result.err;
}

TEST(CliIddb, ASourceSetToNoneIsNoContributor)
{
    auto server = test::sampleDatabaseServer();
    const auto result = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fetch", "--source1", server.hostAndPort(),
                                                          "--source2", "none"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Database acquisition complete; 2 total records.\n\nRADIO ID (2 rows contributed)\n");
}

} // namespace
} // namespace pw
