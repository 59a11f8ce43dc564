#include "support/fixture_builder.h"
#include "support/loopback_http_server.h"
#include "support/sample_database_server.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

TEST(CliIddb, FetchPrintsTheSummary)
{
    auto server = test::sampleDatabaseServer();
    const auto result = cli(server, {"iddb", "fetch"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Database acquisition complete; 3 total records.\n\nRADIO ID (2 rows contributed)\n"
                          "HAM DIGITAL (2 rows contributed)\n");
}

TEST(CliIddb, FetchWithSkippedAndUnreachableSources)
{
    const auto refused = "127.0.0.1:" + std::to_string(test::refusingPort());
    const auto result = test::runProcess(PLUGWRIGHT_CLI, {"iddb", "fetch", "--source1", "none", "--source2", refused});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Database acquisition complete; 0 total records.\n\nRADIO ID (0 rows contributed)\n"
                          "HAM DIGITAL (0 rows contributed)\n");
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
    EXPECT_EQ(shortText.status, 0);
    EXPECT_EQ(shortText.out, "");
}

TEST(CliIddb, ExportWritesTheRadioTypesLayout)
{
    auto server = test::sampleDatabaseServer();
    test::TempDir dir;
    const auto out = dir.file("out.csv");
    const auto result = cli(server, {"iddb", "export", out.string(), "--radio", "2"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "CSV output file successfully written.\n");
    EXPECT_EQ(fileText(out), "Radio ID,CallSign,Name,City,State/Prov,Country,\r\n"
                             "3112345,K0ABC,John Smith,Kansas City,Missouri,United States\r\n"
                             "3112346,W0XYZ,Jane Doe,Des Moines,Iowa,United States\r\n"
                             "2620001,DL1ABC,Hans M\xFCller,M\xFCnchen,Bayern,Germany\r\n");

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

TEST(CliIddb, ExportNeedsARadioTypeOfOneToThree)
{
    auto server = test::sampleDatabaseServer();
    EXPECT_EQ(cli(server, {"iddb", "export", "out.csv"}).status, 2);
    EXPECT_EQ(cli(server, {"iddb", "export", "out.csv", "--radio", "4"}).status, 2);
}

} // namespace
} // namespace pw
