// SPDX-License-Identifier: GPL-3.0-or-later
// Searches and export over generated databases of 300,000 and 2,000,000 users in today's layout: a
// simple query, a compound query of ten terms, and the export of every record for radio type 1.

#include "iddb/id_database.h"
#include "iddb/id_export.h"
#include "iddb/id_searcher.h"
#include "iddb/id_user_index.h"
#include "platform/file_io.h"
#include "iddb/user_list_reader.h"
#include "support/id_users_generator.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>

namespace {

pw::IdDatabase& databaseOf(std::size_t rows)
{
    static std::map<std::size_t, std::unique_ptr<pw::IdDatabase>> cache;
    auto& database = cache[rows];
    if (!database) {
        pw::IdRecordStore store;
        pw::UserListReader reader([&](const pw::IdRecordFields& fields, bool complete) {
            if (complete)
                store.append(fields);
            return true;
        });
        reader.feed(pw::test::generateUserListCsv(rows));
        reader.finish();
        database = std::make_unique<pw::IdDatabase>();
        database->LoadRecords(std::move(store), "generated");
    }
    return *database;
}

void SimpleSearch(benchmark::State& state, const char* text)
{
    auto& database = databaseOf(static_cast<std::size_t>(state.range(0)));
    int matches = 0;
    for (auto _ : state)
        matches = pw::runSearch(database, text, "")->count;
    state.counters["matches"] = matches;
}

void CompoundSearch10(benchmark::State& state)
{
    auto& database = databaseOf(static_cast<std::size_t>(state.range(0)));
    const std::string lines = "IOWA\r\nKANSAS\r\nTEXAS\r\nMORRIS\r\nOSLO\r\nHANS\r\nVE3\r\nLYON\r\nREPEATER";
    int matches = 0;
    for (auto _ : state)
        matches = pw::runSearch(database, "SMITH", lines)->count;
    state.counters["matches"] = matches;
}

void SearchAll(benchmark::State& state)
{
    auto& database = databaseOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(pw::runEntireDatabase(database)->count);
}

void ExportType1(benchmark::State& state)
{
    auto& database = databaseOf(static_cast<std::size_t>(state.range(0)));
    const auto path = std::filesystem::temp_directory_path() / "plugwright_iddb_export_bench.csv";
    for (auto _ : state) {
        const pw::IdUserIndex users(database.Records());
        pw::IdSelectionCriteria everyone;
        everyone.limit = static_cast<std::size_t>(users.userCount());
        const auto exported = pw::exportSelection(users, everyone, pw::RadioCsvType::Md2017);
        const bool written = static_cast<bool>(pw::writeFileAtomically(path, pw::writing(exported.text)));
        benchmark::DoNotOptimize(written);
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK_CAPTURE(SimpleSearch, rare_callsign, "VE3ABC")->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimpleSearch, common_name, "smith")->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimpleSearch, digits, "3112")->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond);
BENCHMARK(CompoundSearch10)->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchAll)->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportType1)->Arg(300000)->Arg(2000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_MAIN();
