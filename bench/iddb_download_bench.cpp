// Download and parse of a generated users_quoted.csv served from loopback, plain and chunked, at
// today's size (300,000 users) and at the size the program allows (2,000,000 users). Reports the
// records kept, the store's bytes and the growth of the resident set while the database loads.

#include "iddb/id_database.h"
#include "support/id_users_generator.h"
#include "support/loopback_http_server.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <map>
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

const std::string& responseFor(std::size_t rows, bool chunked)
{
    static std::map<std::pair<std::size_t, bool>, std::string> cache;
    auto& response = cache[{rows, chunked}];
    if (response.empty()) {
        const auto body = pw::test::generateUsersCsv(rows);
        response = chunked ? pw::test::chunkedResponse(body, std::vector<std::size_t>(body.size() / 32768 + 1, 32768))
                           : pw::test::plainResponse(body);
    }
    return response;
}

void DownloadAndParse(benchmark::State& state)
{
    const auto rows = static_cast<std::size_t>(state.range(0));
    const bool chunked = state.range(1) != 0;
    const std::string& response = responseFor(rows, chunked);
    pw::test::LoopbackHttpServer server(
        [&response](const std::string&, pw::test::ServerConnection& connection) { connection.send(response); });
    long firstGrowth = -1;
    for (auto _ : state) {
        const long before = residentKilobytes();
        pw::IdDatabaseOptions options;
        options.firstSource = server.hostAndPort();
        options.secondSource = "none";
        pw::IdDatabase database(options);
        database.StartDownload();
        database.WaitUntilDone();
        if (firstGrowth < 0)
            firstGrowth = residentKilobytes() - before;
        state.counters["records"] = database.Records().count();
        state.counters["store_MB"] = static_cast<double>(database.Records().memoryBytes()) / 1e6;
    }
    state.counters["rss_growth_MB"] = static_cast<double>(firstGrowth) / 1024.0;
    state.counters["body_MB"] = static_cast<double>(response.size()) / 1e6;
}

} // namespace

BENCHMARK(DownloadAndParse)
    ->ArgNames({"rows", "chunked"})
    ->Args({300000, 0})
    ->Args({300000, 1})
    ->Args({2000000, 0})
    ->Args({2000000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

BENCHMARK_MAIN();
