// SPDX-License-Identifier: GPL-3.0-or-later
// Open, decode and save of the largest D868 codeplug: 160000 digital contacts, 10000 talkgroups
// and 4000 channel records (3998 channels and the special records 4001 and 4002), with 250
// zones, 250 scan lists and 250 RX group lists.
// Targets on the project's machines: decode under 150 ms, save under 150 ms, peak memory under
// 300 MB (the peakRssMB counter: the whole process, the file built for the run included).
#include "codeplug/codeplug.h"
#include "codeplug/d868/d868_codec.h"
#include "platform/file_io.h"
#include "support/d868_fixture.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <string>

namespace {

using pw::test::D868Fixture;

// Gathers what the codec writes in memory.
class MemorySink final : public pw::ByteSink {
public:
    bool write(std::span<const std::uint8_t> bytes) override
    {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return true;
    }
    void clear() { bytes_.clear(); }
    std::size_t size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};

double peakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

class LargestFile {
public:
    static LargestFile& instance()
    {
        static LargestFile file;
        return file;
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path outputPath() const { return dir_.file("saved.rdt"); }

private:
    LargestFile()
    {
        const D868Fixture f = pw::test::largestD868Fixture();
        path_ = dir_.file("largest.rdt");
        const auto bytes = pw::test::buildD868Fixture(f);
        pw::test::writeBytes(path_, bytes);
    }

    pw::test::TempDir dir_;
    std::filesystem::path path_;
};

void BM_D868OpenLargest(benchmark::State& state)
{
    const auto& file = LargestFile::instance();
    for (auto _ : state) {
        pw::Codeplug codeplug;
        benchmark::DoNotOptimize(codeplug.open(file.path()));
    }
}
BENCHMARK(BM_D868OpenLargest)->Unit(benchmark::kMillisecond);

// The decode alone: the file is read once when it is opened, so each run opens it first, untimed.
void BM_D868DecodeLargest(benchmark::State& state)
{
    const auto& file = LargestFile::instance();
    pw::Codeplug codeplug;
    bool result = false;
    for (auto _ : state) {
        state.PauseTiming();
        const bool opened = codeplug.open(file.path()) == pw::D868Format;
        state.ResumeTiming();
        if (!opened) {
            state.SkipWithError("the file did not open");
            return;
        }
        benchmark::DoNotOptimize(result = codeplug.decode());
    }
    if (!result)
        state.SkipWithError("the file did not decode");
    state.counters["contacts"] = codeplug.contacts().count();
    state.counters["channels"] = codeplug.channels().count();
    state.counters["errors"] = codeplug.errorCount();
    state.counters["peakRssMB"] = peakRssMegabytes();
}
BENCHMARK(BM_D868DecodeLargest)->Unit(benchmark::kMillisecond);

// Building the file from the model, without the disk.
void BM_D868BuildLargest(benchmark::State& state)
{
    const auto& file = LargestFile::instance();
    pw::Codeplug codeplug;
    if (codeplug.open(file.path()) != pw::D868Format || !codeplug.decode()) {
        state.SkipWithError("the file did not decode");
        return;
    }
    MemorySink built;
    std::string why;
    for (auto _ : state) {
        built.clear();
        benchmark::DoNotOptimize(codeplug.codec().writeFile(codeplug, built, why));
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = static_cast<double>(built.size());
    state.counters["peakRssMB"] = peakRssMegabytes();
}
BENCHMARK(BM_D868BuildLargest)->Unit(benchmark::kMillisecond);

// The whole save: the file built and written beside the target, then renamed over it.
void BM_D868SaveLargest(benchmark::State& state)
{
    const auto& file = LargestFile::instance();
    pw::Codeplug codeplug;
    if (codeplug.open(file.path()) != pw::D868Format || !codeplug.decode()) {
        state.SkipWithError("the file did not decode");
        return;
    }
    for (auto _ : state) {
        codeplug.markChanged();
        if (!codeplug.save(file.outputPath())) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.counters["peakRssMB"] = peakRssMegabytes();
}
BENCHMARK(BM_D868SaveLargest)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
