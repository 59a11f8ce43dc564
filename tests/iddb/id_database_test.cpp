#include "iddb/id_database.h"

#include "net_test_support.h"
#include "support/loopback_http_server.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace pw {
namespace {

using test::LoopbackHttpServer;
using test::ServerConnection;

// Serves each path's response; any other path gets 404.
LoopbackHttpServer serving(std::map<std::string, std::string> responses)
{
    return LoopbackHttpServer([responses](const std::string& request, ServerConnection& connection) {
        for (const auto& [path, response] : responses) {
            if (request.rfind("GET " + path + " ", 0) == 0) {
                connection.send(response);
                return;
            }
        }
        connection.send("HTTP/1.1 404 Not Found\r\n\r\n");
    });
}

IdDatabaseOptions optionsFor(std::string first, std::string second)
{
    IdDatabaseOptions options;
    options.firstSource = std::move(first);
    options.secondSource = std::move(second);
    options.network = test::quickNetwork();
    options.timing = test::quickTiming(2000);
    return options;
}

std::string unreachable() { return "127.0.0.1:" + std::to_string(test::refusingPort()); }

void download(IdDatabase& database)
{
    ASSERT_TRUE(database.StartDownload());
    database.WaitUntilDone();
    ASSERT_TRUE(database.IsDone());
}

std::string summary(int total, int first, int second)
{
    return "Database acquisition complete; " + std::to_string(total) + " total records.\r\n\r\nRADIO ID ("
         + std::to_string(first) + " rows contributed)\r\nHAM DIGITAL (" + std::to_string(second) + " rows contributed)";
}

const std::string FirstBody = "\"1023001\",\"VE3THW\",\"Wayne\",\"Toronto\",\"Ontario\",\"Canada\",\"DMR\"\n"
                              "\"3112345\",\"K0ABC\",\"John Smith\",\"Kansas City\",\"Missouri\",\"United States\"\n";
const std::string SecondBody = "\"3112345\",\"K0ABC\",\"Johnny\",\"Elsewhere\",\"Iowa\",\"United States\",\"\"\n"
                               "\"2345001\",\"G4XYZ\",\"Ann\",\"Leeds\",\"\",\"United Kingdom\",\"\"\n";

TEST(IdDatabaseDownload, SecondSourceKeepsOnlyIdsTheFirstDidNotHaveButCountsThem)
{
    auto server = serving({{FirstSourcePath, test::plainResponse(FirstBody)},
                           {SecondSourcePath, test::chunkedResponse(SecondBody, {30, 30})}});
    IdDatabase database(optionsFor(server.hostAndPort(), server.hostAndPort()));
    EXPECT_EQ(database.StatusText(), "Load not completed.");
    download(database);
    EXPECT_EQ(database.StatusText(), summary(3, 2, 2));
    const auto& records = database.Records();
    ASSERT_EQ(records.count(), 3);
    EXPECT_EQ(records[0].radioId(), "1023001");
    EXPECT_EQ(records[1].name(), "John Smith");
    EXPECT_EQ(records[1].remarks(), "");
    EXPECT_EQ(records[2].radioId(), "2345001");
    EXPECT_EQ(records[2].state(), "");
    EXPECT_EQ(records[2].country(), "United Kingdom");
    EXPECT_TRUE(database.Notices().empty());
}

TEST(IdDatabaseDownload, BothSourcesUnreachableStillEndsDone)
{
    IdDatabase database(optionsFor(unreachable(), unreachable()));
    download(database);
    EXPECT_EQ(database.StatusText(),
              "Database acquisition complete; 0 total records.\r\n\r\nRADIO ID (0 rows contributed)\r\n"
              "HAM DIGITAL (0 rows contributed)");
    EXPECT_EQ(database.Records().count(), 0);
}

TEST(IdDatabaseDownload, UnreachableFirstSourceKeepsEverySecondSourceRecord)
{
    auto server = serving({{SecondSourcePath, test::plainResponse(SecondBody + FirstBody)}});
    IdDatabase database(optionsFor(unreachable(), server.hostAndPort()));
    download(database);
    EXPECT_EQ(database.StatusText(), summary(4, 0, 4));
    EXPECT_EQ(database.Records().count(), 4);
}

TEST(IdDatabaseDownload, SkippedSourcesAreNotContacted)
{
    auto server = serving({{FirstSourcePath, test::plainResponse(FirstBody)}});
    IdDatabase database(optionsFor(server.hostAndPort(), "none"));
    download(database);
    EXPECT_EQ(database.StatusText(), summary(2, 2, 0));
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(IdDatabaseRecordLines, FieldRulesCountsAndRemarks)
{
    const std::string body = "\"1\",\"A1\",\"Name\",\"City\",\"State\"\n"                          // five fields
                             "\n"                                                                  // no field 0
                             "\"N0CALL\",\"B2\",\"Bee\",\"Town\",\"St\",\"Land\"\n"                  // field 0 not a number
                             "\"5\",\"C3\",\"Cee\",\"Town\",\"St\",\"Land\",\"tab\there\xC3\xA9 end\"\n"
                             "\"6\",\"D4\",\"Dee\",\"Town\",\"St\",\"Land\",\"r\",\"extra\",\"more\"\n";
    auto server = serving({{FirstSourcePath, test::plainResponse(body)}});
    IdDatabase database(optionsFor(server.hostAndPort(), "none"));
    download(database);
    // Every line with a field 0 is a row; only complete ones are records.
    EXPECT_EQ(database.StatusText(), summary(3, 4, 0));
    const auto& records = database.Records();
    ASSERT_EQ(records.count(), 3);
    EXPECT_EQ(records[0].radioId(), "N0CALL");
    EXPECT_EQ(records[1].remarks(), "tab here   end");
    EXPECT_EQ(records[2].remarks(), "r");
    EXPECT_EQ(records[2].spare(), "");
}

TEST(IdDatabaseRecordLines, SecondSourceSkipsIdsThatMatchNumericallyAndKeepsDuplicatesWithinOneSource)
{
    const std::string first = "\"0042\",\"A\",\"a\",\"c\",\"s\",\"y\"\n\"42\",\"A\",\"dup\",\"c\",\"s\",\"y\"\n"
                              "\"x\",\"Z\",\"z\",\"c\",\"s\",\"y\"\n";
    const std::string second = "\" 42\",\"B\",\"b\",\"c\",\"s\",\"y\"\n\"none\",\"N\",\"n\",\"c\",\"s\",\"y\"\n"
                               "\"43\",\"C\",\"c\",\"c\",\"s\",\"y\"\n";
    auto server = serving({{FirstSourcePath, test::plainResponse(first)}, {SecondSourcePath, test::plainResponse(second)}});
    IdDatabase database(optionsFor(server.hostAndPort(), server.hostAndPort()));
    download(database);
    // "x" and "none" both count as ID 0, which the first source had.
    EXPECT_EQ(database.StatusText(), summary(4, 3, 3));
    EXPECT_EQ(database.Records()[3].radioId(), "43");
}

TEST(IdDatabaseRecordLines, LongLinesAreJoinedIntoOneRecord)
{
    const std::string remarks(1500, 'r');
    const std::string body = "\"7\",\"E5\",\"" + std::string(300, 'n') + "\",\"Town\",\"St\",\"Land\",\"" + remarks
                           + "\"\n\"8\",\"F6\",\"Eff\",\"Town\",\"St\",\"Land\"\n";
    for (const bool chunked : {false, true}) {
        auto server = serving({{FirstSourcePath, chunked ? test::chunkedResponse(body, {100, 700}) : test::plainResponse(body)}});
        IdDatabase database(optionsFor(server.hostAndPort(), "none"));
        download(database);
        ASSERT_EQ(database.Records().count(), 2) << chunked;
        EXPECT_EQ(database.Records()[0].name(), std::string(246, 'n'));
        EXPECT_EQ(database.Records()[0].remarks(), remarks);
        EXPECT_EQ(database.StatusText(), summary(2, 2, 0));
    }
}

TEST(IdDatabaseRecordLines, OverlongLineIsPassedOver)
{
    const std::string body = "\"1\",\"A\",\"" + std::string(40000, 'x') + "\",\"c\",\"s\",\"y\"\n\"2\",\"B\",\"b\",\"c\",\"s\",\"y\"\n";
    auto server = serving({{FirstSourcePath, test::plainResponse(body)}});
    IdDatabase database(optionsFor(server.hostAndPort(), "none"));
    download(database);
    ASSERT_EQ(database.Records().count(), 1);
    EXPECT_EQ(database.Records()[0].radioId(), "2");
}

TEST(IdDatabaseRecordLines, FirstSourceStopsAtTheRowLimit)
{
    std::string body;
    for (int i = 1; i <= 10; ++i)
        body += "\"" + std::to_string(i) + "\",\"C\",\"n\",\"c\",\"s\",\"y\"\n";
    auto server = serving({{FirstSourcePath, test::plainResponse(body)}, {SecondSourcePath, test::plainResponse(body)}});
    auto options = optionsFor(server.hostAndPort(), server.hostAndPort());
    options.maxRowsPerSource = 4;
    IdDatabase database(options);
    download(database);
    // The second source's rows 1 to 4 are all known; it stops at its fifth row.
    EXPECT_EQ(database.StatusText(), summary(4, 4, 4));
}

TEST(IdDatabaseDownload, SizeLineFailureIsReportedAsANotice)
{
    LoopbackHttpServer cut([](const std::string&, ServerConnection& connection) {
        const std::string line = "\"1\",\"A\",\"a\",\"c\",\"s\",\"y\"\n";
        char size[16];
        std::snprintf(size, sizeof size, "%zx\r\n", line.size());
        connection.send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + std::string(size) + line + "\r\n");
    });
    IdDatabase database(optionsFor(cut.hostAndPort(), "none"));
    download(database);
    EXPECT_EQ(database.Records().count(), 1);
    EXPECT_EQ(database.Notices(), (std::vector<std::string>{"GetNextBuffer: SOCK_TIMEOUT"}));
}

TEST(IdDatabaseThread, DestroyingTheDatabaseStopsADownloadWaitingOnASilentServer)
{
    LoopbackHttpServer silent([](const std::string&, ServerConnection& connection) {
        connection.send(test::plainResponse("\"1\",\"A\",\"a\",\"c\",\"s\",\"y\"\n"));
        connection.holdOpen();
    });
    {
        auto options = optionsFor(silent.hostAndPort(), silent.hostAndPort());
        // Only the stop can end this download within the test's life.
        options.timing.receiveTimeoutMs = 3'600'000;
        IdDatabase database(options);
        ASSERT_TRUE(database.StartDownload());
        EXPECT_TRUE(database.HasThread());
        EXPECT_FALSE(database.ReleaseFinishedThread());
        while (silent.requests().empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    SUCCEED();
}

TEST(IdDatabaseThread, RetryAfterTheThreadIsReleasedAppendsAgain)
{
    auto server = serving({{FirstSourcePath, test::plainResponse(FirstBody)}});
    IdDatabase database(optionsFor(server.hostAndPort(), "none"));
    download(database);
    EXPECT_TRUE(database.ReleaseFinishedThread());
    EXPECT_FALSE(database.HasThread());
    download(database);
    EXPECT_EQ(database.Records().count(), 4);
    EXPECT_EQ(database.StatusText(), summary(4, 2, 0));
}

TEST(IdDatabaseThread, RecordsAreReadableOnlyOnceDoneIsSeen)
{
    std::string body;
    for (int i = 0; i < 5000; ++i)
        body += "\"" + std::to_string(3100000 + i) + "\",\"K" + std::to_string(i) + "\",\"Name\",\"City\",\"State\",\"Country\"\n";
    auto server = serving({{FirstSourcePath, test::chunkedResponse(body, {4096, 4096, 4096})}});
    IdDatabase database(optionsFor(server.hostAndPort(), "none"));
    ASSERT_TRUE(database.StartDownload());
    // Poll as the searcher's timer does; under ThreadSanitizer this checks the hand-over.
    while (!database.IsDone()) {
        EXPECT_EQ(database.StatusText(), "Load not completed.");
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(database.Records().count(), 5000);
    EXPECT_EQ(database.Records()[4999].callsign(), "K4999");
    EXPECT_TRUE(database.ReleaseFinishedThread());
}

} // namespace
} // namespace pw
