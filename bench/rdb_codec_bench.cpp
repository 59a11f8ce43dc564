// SPDX-License-Identifier: GPL-3.0-or-later
// Open, decode and save of the largest RDB codeplug: a 0x2003 image with 130000 contacts, 3999
// channels, 250 zones, 234 scan lists and 250 RX group lists.
// Targets on the project's machines: decode under 150 ms, save under 150 ms.
#include "codeplug/codeplug.h"
#include "support/rdb_fixture.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

class LargestImage {
public:
    static LargestImage& instance()
    {
        static LargestImage image;
        return image;
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path outputPath() const { return dir_.file("saved.rdb"); }

private:
    LargestImage() { path_ = pw::test::largestRdbFixture().write(dir_.file("largest.rdb")); }

    pw::test::TempDir dir_;
    std::filesystem::path path_;
};

void BM_RdbOpenLargest(benchmark::State& state)
{
    const auto& image = LargestImage::instance();
    for (auto _ : state) {
        pw::Codeplug codeplug;
        benchmark::DoNotOptimize(codeplug.open(image.path()));
    }
}
BENCHMARK(BM_RdbOpenLargest)->Unit(benchmark::kMillisecond);

void BM_RdbDecodeLargest(benchmark::State& state)
{
    const auto& image = LargestImage::instance();
    pw::Codeplug codeplug;
    if (codeplug.open(image.path()) != pw::RdbV2Format) {
        state.SkipWithError("the image did not open");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(codeplug.decode());
    state.counters["contacts"] = codeplug.contacts().count();
    state.counters["errors"] = codeplug.errorCount();
}
BENCHMARK(BM_RdbDecodeLargest)->Unit(benchmark::kMillisecond);

void BM_RdbEncodeLargest(benchmark::State& state)
{
    const auto& image = LargestImage::instance();
    pw::Codeplug codeplug;
    if (codeplug.open(image.path()) != pw::RdbV2Format || !codeplug.decode()) {
        state.SkipWithError("the image did not open");
        return;
    }
    for (auto _ : state) {
        codeplug.encode();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RdbEncodeLargest)->Unit(benchmark::kMillisecond);

// Encode and write the whole file, as the save command does.
void BM_RdbSaveLargest(benchmark::State& state)
{
    const auto& image = LargestImage::instance();
    pw::Codeplug codeplug;
    if (codeplug.open(image.path()) != pw::RdbV2Format || !codeplug.decode()) {
        state.SkipWithError("the image did not open");
        return;
    }
    const auto out = image.outputPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(codeplug.save(out));
}
BENCHMARK(BM_RdbSaveLargest)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
