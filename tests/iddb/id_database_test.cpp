// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_database.h"

#include "iddb/id_searcher.h"

#include "support/loopback_http_server.h"
#include "support/temp_dir.h"
#include "support/test_trust.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <thread>

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
        connection.send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
    });
}

IdDatabaseOptions optionsFor(std::string first, std::string second)
{
    IdDatabaseOptions options;
    options.firstSource = std::move(first);
    options.secondSource = std::move(second);
    options.limits.connectTimeout = std::chrono::seconds(5);
    return options;
}

std::string unreachable() { return "127.0.0.1:" + std::to_string(test::refusingPort()); }

void load(IdDatabase& database)
{
    ASSERT_TRUE(database.StartDownload());
    database.WaitUntilDone();
    ASSERT_TRUE(database.IsDone());
    database.AdoptRefresh();
}

std::vector<std::string> ids(const IdDatabase& database)
{
    std::vector<std::string> result;
    for (int i = 0; i < database.Records().count(); ++i)
        result.emplace_back(database.Records()[i].radioId());
    return result;
}

// Today's layout, columns in another order than the usual one.
const std::string TodaysList = "CALLSIGN,RADIO_ID,LAST_NAME,FIRST_NAME,CITY,STATE,COUNTRY\n"
                               "VE3THW,1023001,Edward,Wayne,Toronto,Ontario,Canada\n"
                               "K0ABC,3112345,Smith,John,Kansas City,Missouri,United States\n";
const std::string QuotedList = "\"3112345\",\"K0ABC\",\"Johnny\",\"Elsewhere\",\"Iowa\",\"United States\",\"\"\n"
                               "\"2345001\",\"G4XYZ\",\"Ann\",\"Leeds\",\"\",\"United Kingdom\",\"\"\n";

TEST(IdDatabaseSources, TodaysLayoutFromOneSourceAndTheQuotedOneFromTheOther)
{
    auto server = serving({{"/static/user.csv", test::plainResponse(TodaysList)},
                           {SecondSourceLegacyPath, test::chunkedResponse(QuotedList, {30, 30})}});
    IdDatabase database(optionsFor(server.url("/static/user.csv"), server.hostAndPort()));
    EXPECT_EQ(database.StatusText(), "Load not completed.");
    load(database);
    EXPECT_EQ(database.StatusText(), acquisitionSummary(3, 2, 2));
    EXPECT_EQ(ids(database), (std::vector<std::string>{"1023001", "3112345", "2345001"}));
    EXPECT_EQ(database.Records()[1].name(), "John Smith");
    EXPECT_EQ(database.Records()[2].country(), "United Kingdom");
    EXPECT_EQ(database.OutcomeLines(),
              (std::vector<std::string>{"source 1: " + server.url("/static/user.csv") + ": 2 records",
                                        "source 2: " + server.url(SecondSourceLegacyPath) + ": 2 records"}));
}

TEST(IdDatabaseSources, EverySourceFailingEndsDoneWithNoRecordAndTheReasons)
{
    auto server = serving({});
    IdDatabase database(optionsFor(server.url("/user.csv"), unreachable()));
    load(database);
    EXPECT_EQ(database.StatusText(), acquisitionSummary(0, 0, 0));
    EXPECT_TRUE(database.Empty());
    const auto lines = database.OutcomeLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "source 1: " + server.url("/user.csv") + ": failed: HTTP 404");
    EXPECT_EQ(lines[1].rfind("source 2: http://" + unreachable().substr(0, 10), 0), 0u);
    EXPECT_NE(lines[1].find(": failed: could not connect"), std::string::npos) << lines[1];
    // A search says why the list is empty instead of finding nothing in it.
    for (const auto& outcome : {runSearch(database, "smith", ""), runSearch(database, "", "IOWA"),
                                runEntireDatabase(database)}) {
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(outcome->message, "The user list is empty: it could not be loaded (" + lines[0] + "; " + lines[1] + ").");
        EXPECT_EQ(outcome->count, 0);
    }
    IdDatabase nowhere(optionsFor("none", "none"));
    load(nowhere);
    EXPECT_EQ(runSearch(nowhere, "smith", "")->message, "The user list is empty: it could not be loaded (no source is set).");
}

TEST(IdDatabaseSources, SkippedSourcesAreNotContactedAndTheRowCapHolds)
{
    std::string list = "RADIO_ID,CALLSIGN\n";
    for (int i = 1; i <= 10; ++i)
        list += std::to_string(i) + ",C" + std::to_string(i) + "\n";
    auto server = serving({{"/user.csv", test::plainResponse(list)}});
    auto options = optionsFor(server.url("/user.csv"), "none");
    options.maxRowsPerSource = 4;
    IdDatabase database(options);
    load(database);
    // A source set to none is no contributor: the summary has no line for it.
    EXPECT_EQ(database.StatusText(), acquisitionSummary(4, 4, std::nullopt));
    EXPECT_EQ(database.StatusText().find("HAM DIGITAL"), std::string::npos);
    EXPECT_EQ(server.requests().size(), 1u);
    // Never in silence.
    EXPECT_EQ(database.OutcomeLines(),
              std::vector<std::string>{"source 1: " + options.firstSource + ": failed: cut at its limit of 4 rows; the 4 "
                                       "records read before that are used"});
}

class IdDatabaseCache : public ::testing::Test {
protected:
    IdDatabaseOptions cachedOptions(const LoopbackHttpServer& server)
    {
        auto options = optionsFor(server.url("/user.csv"), "none");
        options.cachePath = dir.file("cache") / IdCacheFileName;
        options.cacheMaxAge = std::chrono::hours(24);
        return options;
    }
    std::string cachedDate(const IdDatabaseOptions& options) const
    {
        return cacheDateText(readIdCache(options.cachePath)->info.downloaded);
    }
    void writeCache(const IdDatabaseOptions& options, std::chrono::hours age)
    {
        IdRecordStore records;
        records.append({"7", "CACHED", "Cached User", "", "", "", ""});
        ASSERT_TRUE(writeIdCache(options.cachePath, records,
                                 {std::chrono::system_clock::now() - age, {{options.firstSource, 1}}}));
    }
    test::TempDir dir;
};

TEST_F(IdDatabaseCache, ADownloadFillsTheCacheAndAFreshCacheIsUsedWithoutTheSources)
{
    auto server = serving({{"/user.csv", test::plainResponse(TodaysList)}});
    const auto options = cachedOptions(server);
    {
        IdDatabase first(options);
        load(first);
    }
    const auto cached = readIdCache(options.cachePath);
    ASSERT_TRUE(cached.has_value());
    EXPECT_EQ(cached->records.count(), 2);
    EXPECT_EQ(cached->info.sources.at(0).url, options.firstSource);

    IdDatabase second(options);
    load(second);
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(ids(second), (std::vector<std::string>{"1023001", "3112345"}));
    ASSERT_EQ(second.OutcomeLines().size(), 1u);
    EXPECT_EQ(second.OutcomeLines()[0].rfind("cache: " + options.cachePath.string() + ": 2 records (downloaded ", 0), 0u);
    EXPECT_NE(second.StatusText().find("2 total records"), std::string::npos);
}

TEST_F(IdDatabaseCache, AnExpiredCacheIsSearchableAtOnceAndReplacedByTheRefresh)
{
    auto server = serving({{"/user.csv", test::plainResponse(TodaysList)}});
    const auto options = cachedOptions(server);
    writeCache(options, std::chrono::hours(25));
    IdDatabase database(options);
    ASSERT_TRUE(database.StartDownload());
    database.WaitUntilDone();
    // The cached list stays until its owner takes the refresh.
    EXPECT_EQ(ids(database), std::vector<std::string>{"7"});
    ASSERT_TRUE(database.RefreshReady());
    EXPECT_TRUE(database.AdoptRefresh());
    EXPECT_EQ(ids(database), (std::vector<std::string>{"1023001", "3112345"}));
    EXPECT_EQ(database.StatusText(), acquisitionSummary(2, 2, std::nullopt));
    const auto rewritten = readIdCache(options.cachePath);
    ASSERT_TRUE(rewritten.has_value());
    EXPECT_EQ(rewritten->records.count(), 2);
    EXPECT_LT(std::chrono::system_clock::now() - rewritten->info.downloaded, std::chrono::hours(1));
}

TEST_F(IdDatabaseCache, AFreshCacheOfOtherSourcesIsRefreshed)
{
    auto server = serving({{"/user.csv", test::plainResponse(TodaysList)}});
    const auto options = cachedOptions(server);
    writeCache(options, std::chrono::hours(0));
    IdDatabase database(options);
    load(database);
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(database.Records().count(), 2);
}

TEST_F(IdDatabaseCache, AFailedRefreshKeepsTheCacheAndSaysSo)
{
    auto server = serving({});
    const auto options = cachedOptions(server);
    writeCache(options, std::chrono::hours(48));
    IdDatabase database(options);
    load(database);
    EXPECT_EQ(ids(database), std::vector<std::string>{"7"});
    EXPECT_EQ(database.OutcomeLines(), std::vector<std::string>{"source 1: " + options.firstSource +
                                                                ": failed: HTTP 404; the cached list of " +
                                                                cachedDate(options) + " (1 record) is used"});
    EXPECT_EQ(readIdCache(options.cachePath)->records.count(), 1);
}

// A body cut short, with the length announced or in chunks, plain or over TLS, or cut at the row
// limit, is no list: the cached one stays, and the outcome says why and what is used instead.
TEST_F(IdDatabaseCache, ACutDownloadNeverReplacesTheCache)
{
    // The column titles, the first row and a part of the second.
    const std::string half = TodaysList.substr(0, TodaysList.find('\n', TodaysList.find('\n') + 1) + 10);
    const std::string twoRows = TodaysList;
    const auto chunk = [](const std::string& data) {
        char size[16];
        std::snprintf(size, sizeof size, "%zx\r\n", data.size());
        return size + data;
    };
    const struct {
        std::string response;
        bool tls;
        std::size_t rowLimit;
        std::string reason;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(TodaysList.size()) + "\r\n\r\n" + half, false, 100,
         "connection broken off ("},
        {"HTTP/1.1 200 OK\r\nContent-Length: 2000000000\r\n\r\n" + twoRows, false, 100, "connection broken off ("},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + chunk(half) + "\r\n", false, 100, "connection broken off ("},
        {"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(TodaysList.size()) + "\r\n\r\n" + half, true, 100,
         "connection broken off ("},
        {test::plainResponse(TodaysList), false, 1, "cut at its limit of 1 row"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.response.substr(0, 60));
        if (c.tls && !test::TestTrustAvailable)
            continue;
        std::optional<test::TrustedTestAuthority> trust;
        if (c.tls)
            trust.emplace();
        LoopbackHttpServer server([&c](const std::string&, ServerConnection& connection) { connection.send(c.response); },
                                  trust ? std::optional(trust->loopbackServer()) : std::nullopt);
        auto options = cachedOptions(server);
        options.maxRowsPerSource = c.rowLimit;
        writeCache(options, std::chrono::hours(48));
        IdDatabase database(options);
        load(database);
        EXPECT_EQ(ids(database), std::vector<std::string>{"7"});
        const auto lines = database.OutcomeLines();
        ASSERT_EQ(lines.size(), 1u);
        const auto failed = "source 1: " + options.firstSource + ": failed: ";
        EXPECT_EQ(lines[0].rfind(failed + c.reason, 0), 0u) << lines[0];
        EXPECT_TRUE(lines[0].ends_with("; the cached list of " + cachedDate(options) + " (1 record) is used")) << lines[0];
        EXPECT_EQ(readIdCache(options.cachePath)->records.count(), 1);

        // Without a cache, what arrived is used, said so, and not cached.
        std::filesystem::remove(options.cachePath);
        IdDatabase uncached(options);
        load(uncached);
        EXPECT_FALSE(uncached.Records().empty());
        EXPECT_NE(uncached.OutcomeLines().at(0).find(" read before that are used"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(options.cachePath));
    }
}

TEST_F(IdDatabaseCache, ABrokenCacheIsDownloadedAgain)
{
    auto server = serving({{"/user.csv", test::plainResponse(TodaysList)}});
    const auto options = cachedOptions(server);
    std::filesystem::create_directories(options.cachePath.parent_path());
    std::ofstream(options.cachePath) << "PLUGWRIGHT ID CACHE 1\ntruncated";
    IdDatabase database(options);
    load(database);
    EXPECT_EQ(database.Records().count(), 2);
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(IdDatabaseFile, AUserListFileIsReadInEitherLayout)
{
    test::TempDir dir;
    std::ofstream(dir.file("user.csv")) << TodaysList;
    std::ofstream(dir.file("users_quoted.csv")) << QuotedList;
    IdDatabase database(optionsFor("none", "none"));
    ASSERT_TRUE(database.StartFileLoad(dir.file("user.csv")));
    database.WaitUntilDone();
    EXPECT_EQ(ids(database), (std::vector<std::string>{"1023001", "3112345"}));
    EXPECT_EQ(database.OutcomeLines(), std::vector<std::string>{"file: " + dir.file("user.csv").string() + ": 2 records"});

    ASSERT_TRUE(database.StartFileLoad(dir.file("users_quoted.csv")));
    database.WaitUntilDone();
    EXPECT_EQ(ids(database), (std::vector<std::string>{"3112345", "2345001"}));

    ASSERT_TRUE(database.StartFileLoad(dir.file("missing.csv")));
    database.WaitUntilDone();
    EXPECT_TRUE(database.Empty());
    EXPECT_EQ(database.OutcomeLines(),
              std::vector<std::string>{"file: " + dir.file("missing.csv").string() + ": failed: No such file or directory"});
}

TEST(IdDatabaseThread, DestroyingTheDatabaseStopsADownloadWaitingOnASilentServer)
{
    LoopbackHttpServer silent([](const std::string&, ServerConnection& connection) {
        connection.send("HTTP/1.1 200 OK\r\n\r\n\"1\",\"A\",\"a\",\"c\",\"s\",\"y\"\n");
        connection.holdOpen();
    });
    {
        IdDatabase database(optionsFor(silent.url("/"), "none"));
        ASSERT_TRUE(database.StartDownload());
        EXPECT_TRUE(database.HasThread());
        EXPECT_FALSE(database.ReleaseFinishedThread());
        while (silent.requests().empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    SUCCEED();
}

TEST(IdDatabaseThread, ARetryReplacesTheRecordsOfTheLastLoad)
{
    auto server = serving({{"/user.csv", test::plainResponse(TodaysList)}});
    IdDatabase database(optionsFor(server.url("/user.csv"), "none"));
    load(database);
    EXPECT_TRUE(database.ReleaseFinishedThread());
    EXPECT_FALSE(database.HasThread());
    load(database);
    EXPECT_EQ(database.Records().count(), 2);
}

TEST(IdDatabaseThread, RecordsAreReadableOnlyOnceDoneIsSeen)
{
    std::string body = "RADIO_ID,CALLSIGN,FIRST_NAME\n";
    for (int i = 0; i < 5000; ++i)
        body += std::to_string(3100000 + i) + ",K" + std::to_string(i) + ",Name\n";
    auto server = serving({{"/user.csv", test::chunkedResponse(body, {4096, 4096, 4096})}});
    IdDatabase database(optionsFor(server.url("/user.csv"), "none"));
    ASSERT_TRUE(database.StartDownload());
    // Poll as the searcher's timer does; under ThreadSanitizer this checks the hand-over.
    while (!database.IsDone()) {
        EXPECT_EQ(database.StatusText(), "Load not completed.");
        database.Progress();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(database.Records().count(), 5000);
    EXPECT_EQ(database.Records()[4999].callsign(), "K4999");
    database.WaitUntilDone();
    EXPECT_TRUE(database.ReleaseFinishedThread());
    EXPECT_EQ(database.Progress().rows, 5000);
}

} // namespace
} // namespace pw
