// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting the user list into a radio, on a generated list of 300,000 users in today's layout:
// - LoadList: reading the list from its file into the store, as `iddb ... --file` does; the floor.
// - LoadSelectExport: the same load, then the selection with three kinds of filter (three
//   countries, five callsign prefixes, an ID prefix) and a 5,000-line pinned list, and the AnyTone
//   CSV of what it selected written to a file: the whole of `iddb export --radio anytone`. The aim
//   is at most 1.5 times LoadList; its counter "ratio" gives that figure from the parts of each
//   iteration.
// - SelectExport: the part beyond the load, on a loaded list.
// - FitPlanCount: what the "Fit to Radio" page counts when a filter changes: the selection and the
//   plan of a fit into a codeplug that holds 1,000 of the users, with the count's text.
//
// Run from a Release build configured with -DPLUGWRIGHT_BUILD_BENCH=ON.

#include "codeplug/codeplug.h"
#include "iddb/id_database.h"
#include "iddb/id_export.h"
#include "operations/id_fit.h"
#include "platform/file_io.h"
#include "support/fixture_builder.h"
#include "support/id_users_generator.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <vector>
#include <unistd.h>

namespace {

constexpr std::size_t Users = 300000;

const pw::test::TempDir& scratch()
{
    static const pw::test::TempDir dir;
    return dir;
}

const std::filesystem::path& listFile()
{
    static const std::filesystem::path path = [] {
        const auto file = scratch().file("user.csv");
        std::ofstream(file, std::ios::binary) << pw::test::generateUserListCsv(Users);
        return file;
    }();
    return path;
}

std::unique_ptr<pw::IdDatabase> loadList()
{
    auto database = std::make_unique<pw::IdDatabase>();
    database->StartFileLoad(listFile());
    database->WaitUntilDone();
    return database;
}

// Every 60th user of the list, by ID and by callsign, as a friends' list of 5,000 lines.
const pw::PeopleList& pinnedList(const pw::IdRecordStore& records)
{
    static const pw::PeopleList list = [&] {
        std::string text = "# friends, the club and the last-heard list\n";
        for (int line = 0; line < 5000; ++line) {
            const auto record = records.at(line * 60);
            text += line % 2 ? std::string(record.callsign()) : std::string(record.radioId());
            text += '\n';
        }
        return pw::parsePeopleList(text);
    }();
    return list;
}

pw::IdSelectionCriteria threeFilters(const pw::IdRecordStore& records)
{
    pw::IdSelectionCriteria criteria;
    criteria.countries = {"United States", "Germany", "Canada"};
    criteria.callsignPrefixes = {"K", "W", "N", "DL", "VE"};
    criteria.idPrefixes = {"1"};
    criteria.pinned = pinnedList(records);
    return criteria;
}

// As the export command does it: the selection, then its CSV written into the file as it is made.
std::size_t selectAndExport(const pw::IdRecordStore& records)
{
    const pw::IdUserIndex users(records);
    const auto exported = pw::selectForExport(users, threeFilters(records), pw::RadioCsvType::AnyTone);
    if (!pw::writeFileAtomically(scratch().file("anytone.csv"),
                                 pw::radioCsvContent(records, exported.records, pw::RadioCsvType::AnyTone)))
        return 0;
    return exported.records.size();
}

void LoadList(benchmark::State& state)
{
    listFile();
    int records = 0;
    for (auto _ : state)
        records = loadList()->Records().count();
    state.counters["records"] = records;
}

// Besides the time of the whole, each repetition's load and the rest are timed apart: the machine's
// speed drifts between one benchmark and the next, and the ratio of the two parts of one iteration
// does not. The counter "ratio" is the median over the iterations of (load + rest) / load.
void LoadSelectExport(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    listFile();
    std::size_t selected = 0;
    std::vector<double> loads;
    std::vector<double> ratios;
    for (auto _ : state) {
        // What the last iteration's save left for the system to finish would slow this load.
        state.PauseTiming();
        ::sync();
        state.ResumeTiming();
        const auto start = Clock::now();
        const auto database = loadList();
        const auto loaded = Clock::now();
        selected = selectAndExport(database->Records());
        const std::chrono::duration<double, std::milli> load = loaded - start;
        const std::chrono::duration<double, std::milli> whole = Clock::now() - start;
        loads.push_back(load.count());
        ratios.push_back(whole / load);
    }
    auto median = [](std::vector<double> values) {
        std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
        return values[values.size() / 2];
    };
    state.counters["selected"] = static_cast<double>(selected);
    state.counters["load_ms"] = median(loads);
    state.counters["ratio"] = median(ratios);
}

void SelectExport(benchmark::State& state)
{
    const auto database = loadList();
    pinnedList(database->Records());
    std::size_t selected = 0;
    for (auto _ : state)
        selected = selectAndExport(database->Records());
    state.counters["selected"] = static_cast<double>(selected);
}

// The parts of SelectExport: the index and the selection; the CSV text of what it selected, made
// piece by piece as a file writer takes it; that text streamed into the file.
class CountingSink final : public pw::ByteSink {
public:
    bool write(std::span<const std::uint8_t> piece) override
    {
        bytes += piece.size();
        benchmark::DoNotOptimize(piece.data());
        return true;
    }
    std::size_t bytes = 0;
};

void IndexSelect(benchmark::State& state)
{
    const auto database = loadList();
    const auto criteria = threeFilters(database->Records());
    for (auto _ : state) {
        const pw::IdUserIndex users(database->Records());
        benchmark::DoNotOptimize(pw::selectUsers(users, criteria).users.data());
    }
}

void CsvText(benchmark::State& state)
{
    const auto database = loadList();
    const pw::IdUserIndex users(database->Records());
    const auto exported = pw::selectForExport(users, threeFilters(database->Records()), pw::RadioCsvType::AnyTone);
    const auto content = pw::radioCsvContent(database->Records(), exported.records, pw::RadioCsvType::AnyTone);
    CountingSink counted;
    std::string why;
    for (auto _ : state)
        benchmark::DoNotOptimize(content(counted, why));
    state.counters["bytes"] = static_cast<double>(counted.bytes) / static_cast<double>(state.iterations());
}

void WriteCsv(benchmark::State& state)
{
    const auto database = loadList();
    const pw::IdUserIndex users(database->Records());
    const auto exported = pw::selectForExport(users, threeFilters(database->Records()), pw::RadioCsvType::AnyTone);
    const auto content = pw::radioCsvContent(database->Records(), exported.records, pw::RadioCsvType::AnyTone);
    pw::WriteResult written;
    for (auto _ : state)
        benchmark::DoNotOptimize(written = pw::writeFileAtomically(scratch().file("anytone.csv"), content));
    state.counters["bytes"] = static_cast<double>(written.written.size);
}

void FitPlanCount(benchmark::State& state)
{
    const auto database = loadList();
    const pw::IdUserIndex users(database->Records());
    pw::Codeplug codeplug;
    const auto path = pw::test::writeFixture(scratch().file("plug.rdt"), pw::Md2017Format);
    codeplug.open(path);
    codeplug.decode();
    for (int user = 0; user < 1000; ++user) {
        pw::Contact contact = codeplug.newContact();
        contact.setDmrId(users.idOf(user * 7));
        codeplug.addContact(contact, true);
    }
    pw::FitRequest request;
    request.criteria.countries = {"United States"};
    request.criteria.near = 1300000;
    std::string text;
    for (auto _ : state) {
        const auto plan = pw::planFit(codeplug, users, request);
        text = pw::selectionCountText(plan.selected(), users.userCount(), static_cast<std::size_t>(plan.room));
        benchmark::DoNotOptimize(text);
    }
    state.SetLabel(text);
}

} // namespace

BENCHMARK(LoadList)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(LoadSelectExport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(SelectExport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(IndexSelect)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CsvText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(WriteCsv)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FitPlanCount)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
