// SPDX-License-Identifier: GPL-3.0-or-later
// Bulk contact transfer: a CSV file of 130000 new contacts into an 0x2003 codeplug and of 150000
// into a D868 codeplug, step by step (merge, encode, save), and exporting them again.
#include "codeplug/codeplug.h"
#include "operations/contact_transfer.h"
#include "support/fixture_builder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace pw {
namespace {

std::filesystem::path scratch()
{
    static const auto folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("plugwright-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// A contact CSV file of `count` new contacts, as the export writes them, made once per size.
std::filesystem::path contactsCsv(int count, bool withTexts)
{
    const auto path = scratch() / ("contacts-" + std::to_string(count) + (withTexts ? "-texts" : "") + ".csv");
    if (std::filesystem::exists(path))
        return path;
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < count; ++i) {
        const auto id = std::to_string(1000000 + i);
        out << '"' << id << "\",\"Op " << id << "\",\"" << (i % 50 == 0 ? "Group Call" : "Private Call")
            << "\",\"No\"";
        if (withTexts)
            out << ",\"K" << (i % 10000) << "XY\",\"Springfield\",\"Illinois\",\"United States\",\"DMR user\"";
        else
            out << ",\"\",\"\",\"\",\"\",\"\"";
        out << "\r\n";
    }
    return path;
}

std::unique_ptr<Codeplug> openFixture(FormatId format)
{
    auto codeplug = std::make_unique<Codeplug>();
    const auto path = test::writeFixture(scratch() / ("plug-" + std::to_string(format)), format);
    if (!codeplug->open(path) || !codeplug->decode())
        return nullptr;
    return codeplug;
}

struct Case {
    FormatId format;
    int contacts;
};

constexpr Case RdbV2{RdbV2Format, 130000};
constexpr Case D868{D868Format, 150000};

// The merge of the CSV import alone (reading, duplicate check, adding), with the encoder it runs.
void importCsv(benchmark::State& state, Case c)
{
    const auto csv = contactsCsv(c.contacts, c.format == D868Format);
    for (auto _ : state) {
        state.PauseTiming();
        auto codeplug = openFixture(c.format);
        state.ResumeTiming();
        const int imported = importContactsCsv(*codeplug, csv);
        if (imported != c.contacts)
            state.SkipWithError("not every contact was imported");
        state.PauseTiming();
        codeplug.reset();
        state.ResumeTiming();
    }
    state.counters["contacts"] = c.contacts;
}

// A codeplug that holds the imported contacts, for the steps after the merge.
std::unique_ptr<Codeplug> filled(Case c)
{
    auto codeplug = openFixture(c.format);
    importContactsCsv(*codeplug, contactsCsv(c.contacts, c.format == D868Format));
    return codeplug;
}

void encode(benchmark::State& state, Case c)
{
    auto codeplug = filled(c);
    for (auto _ : state)
        codeplug->encode();
}

void save(benchmark::State& state, Case c)
{
    auto codeplug = filled(c);
    const auto target = scratch() / ("saved-" + std::to_string(c.format));
    for (auto _ : state) {
        if (!codeplug->save(target))
            state.SkipWithError("save failed");
    }
}

void exportCsv(benchmark::State& state, Case c)
{
    auto codeplug = filled(c);
    const auto target = scratch() / ("exported-" + std::to_string(c.format) + ".csv");
    for (auto _ : state) {
        if (!exportContactsCsv(*codeplug, target))
            state.SkipWithError("export failed");
    }
}

BENCHMARK_CAPTURE(importCsv, rdbV2_130000, RdbV2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(encode, rdbV2_130000, RdbV2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(save, rdbV2_130000, RdbV2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(exportCsv, rdbV2_130000, RdbV2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(importCsv, d868_150000, D868)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(encode, d868_150000, D868)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(save, d868_150000, D868)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(exportCsv, d868_150000, D868)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace pw

BENCHMARK_MAIN();
