// SPDX-License-Identifier: GPL-3.0-or-later
// The DMR ID user list from loopback: a generated list in today's layout served over HTTPS (a
// certificate made here, trusted through the test build's CA hook) at today's size (300,000 users)
// and at the most the program reads (2,000,000), downloaded and parsed into the store, beside the
// same bytes only downloaded, and only parsed from memory. Also the start-up load of a cached list.
// Counters: rows, store bytes per row, resident-set growth per row, body size.
//
// Run from a Release build configured with -DPLUGWRIGHT_BUILD_BENCH=ON -DPLUGWRIGHT_TEST_CA_HOOK=ON.

#include "platform/http_download.h"
#include "iddb/id_cache.h"
#include "iddb/id_database.h"
#include "iddb/user_list_reader.h"
#include "support/id_users_generator.h"
#include "support/loopback_http_server.h"
#include "support/temp_dir.h"
#include "support/test_trust.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long value = 0;
            status >> value;
            return value;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

const std::string& bodyFor(std::size_t rows)
{
    static std::map<std::size_t, std::string> bodies;
    auto& body = bodies[rows];
    if (body.empty())
        body = pw::test::generateUserListCsv(rows);
    return body;
}

// One HTTPS server for the whole run, serving the list of the size the path names.
struct HttpsFixture {
    pw::test::TrustedTestAuthority trust;
    std::map<std::size_t, std::string> responses;
    std::unique_ptr<pw::test::LoopbackHttpServer> server;

    HttpsFixture()
    {
        for (const std::size_t rows : {300000u, 2000000u})
            responses[rows] = pw::test::sizedResponse(bodyFor(rows));
        server = std::make_unique<pw::test::LoopbackHttpServer>(
            [this](const std::string& request, pw::test::ServerConnection& connection) {
                const auto rows = request.find("/2000000/") != std::string::npos ? 2000000u : 300000u;
                connection.send(responses.at(rows));
            },
            trust.loopbackServer());
    }
    std::string url(std::size_t rows) const { return server->url("/" + std::to_string(rows) + "/user.csv"); }
};

HttpsFixture& https()
{
    static HttpsFixture fixture;
    return fixture;
}

bool skipWithoutTrust(benchmark::State& state)
{
    if (pw::test::TestTrustAvailable)
        return false;
    state.SkipWithError("needs a build with -DPLUGWRIGHT_TEST_CA_HOOK=ON");
    return true;
}

void HttpsDownloadAndParse(benchmark::State& state)
{
    if (skipWithoutTrust(state))
        return;
    const auto rows = static_cast<std::size_t>(state.range(0));
    const auto url = https().url(rows);
    long firstGrowth = -1;
    double bytesPerRow = 0;
    for (auto _ : state) {
        const long before = residentKilobytes();
        pw::IdDatabaseOptions options;
        options.firstSource = url;
        options.secondSource = "none";
        pw::IdDatabase database(options);
        database.StartDownload();
        database.WaitUntilDone();
        if (firstGrowth < 0)
            firstGrowth = residentKilobytes() - before;
        const int count = database.Records().count();
        if (count != static_cast<int>(rows))
            state.SkipWithError(("only " + std::to_string(count) + " records").c_str());
        bytesPerRow = static_cast<double>(database.Records().memoryBytes()) / count;
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["store_B_per_row"] = bytesPerRow;
    state.counters["rss_growth_B_per_row"] = static_cast<double>(firstGrowth) * 1024.0 / static_cast<double>(rows);
    state.counters["body_MB"] = static_cast<double>(bodyFor(rows).size()) / 1e6;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bodyFor(rows).size()));
}

// The same bytes over the same connection, counted and dropped: what the download alone costs.
void HttpsDownloadOnly(benchmark::State& state)
{
    if (skipWithoutTrust(state))
        return;
    const auto rows = static_cast<std::size_t>(state.range(0));
    const auto url = https().url(rows);
    for (auto _ : state) {
        std::uint64_t received = 0;
        pw::HttpDownload download;
        const auto result = download.fetch(url, [&](std::string_view bytes) {
            received += bytes.size();
            return true;
        });
        if (!result.ok)
            state.SkipWithError(result.reason.c_str());
        benchmark::DoNotOptimize(received);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bodyFor(rows).size()));
}

// The same bytes parsed from memory into a store: what the parse alone costs.
void ParseFromMemory(benchmark::State& state)
{
    const auto rows = static_cast<std::size_t>(state.range(0));
    const auto& body = bodyFor(rows);
    for (auto _ : state) {
        pw::IdRecordStore store;
        pw::UserListReader reader([&](const pw::IdRecordFields& fields, bool complete) {
            if (complete)
                store.append(fields);
            return true;
        });
        reader.feed(body);
        reader.finish();
        benchmark::DoNotOptimize(store.count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

// Start-up with a cached list: reading the cache file into the store.
void LoadCache(benchmark::State& state)
{
    const auto rows = static_cast<std::size_t>(state.range(0));
    pw::test::TempDir dir;
    const auto path = dir.file(pw::IdCacheFileName);
    {
        pw::IdRecordStore store;
        pw::UserListReader reader([&](const pw::IdRecordFields& fields, bool) {
            store.append(fields);
            return true;
        });
        reader.feed(bodyFor(rows));
        reader.finish();
        pw::writeIdCache(path, store, {std::chrono::system_clock::now(), {{"https://example.org/user.csv", 0}}});
    }
    for (auto _ : state) {
        const auto cache = pw::readIdCache(path);
        benchmark::DoNotOptimize(cache->records.count());
    }
    state.counters["cache_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}

} // namespace

BENCHMARK(HttpsDownloadAndParse)->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(HttpsDownloadOnly)->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(ParseFromMemory)->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LoadCache)->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
