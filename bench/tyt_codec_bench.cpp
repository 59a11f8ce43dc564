// SPDX-License-Identifier: GPL-3.0-or-later
// Decode and encode of a full-sized 0x1003 image: 10000 contacts, 3000 channels, 250 zones with
// two banks of 64 members, 250 scan lists of 31 members and 250 RX group lists of 31 members.
// Every edit of the model runs the encoder, so encode is on the path of every click.
#include "codeplug/codeplug.h"
#include "codeplug/tyt/tyt_codec.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

using namespace pw;

std::vector<std::uint8_t> largeImage()
{
    test::TytFixture plug(Md9600Format);
    for (int i = 0; i < 10000; ++i)
        plug.addContact(static_cast<std::uint32_t>(3100000 + i), "Contact " + std::to_string(i),
                        i % 3 == 0 ? CallType::GroupCall : CallType::PrivateCall);
    for (int i = 0; i < 3000; ++i) {
        const auto name = "Channel " + std::to_string(i);
        if (i % 2 == 0)
            plug.addChannel(test::tytDigitalChannel(Md9600Format, name, 430.0 + 0.0125 * (i % 800), 1 + i % 10000,
                                                    1 + i % 250, 1 + i % 250));
        else
            plug.addChannel(test::tytAnalogChannel(Md9600Format, name, 144.0 + 0.0125 * (i % 300)));
    }
    for (int z = 0; z < 250; ++z) {
        std::vector<int> bankA;
        std::vector<int> bankB;
        for (int m = 0; m < 64; ++m) {
            bankA.push_back(1 + (z * 64 + m) % 3000);
            bankB.push_back(1 + (z * 64 + m + 1500) % 3000);
        }
        plug.addZone("Zone " + std::to_string(z), bankA, bankB);
    }
    for (int s = 0; s < 250; ++s) {
        std::vector<int> members;
        for (int m = 0; m < 31; ++m)
            members.push_back(1 + (s * 31 + m) % 3000);
        plug.addScanList("Scan " + std::to_string(s), members);
    }
    for (int g = 0; g < 250; ++g) {
        std::vector<int> members;
        for (int m = 0; m < 31; ++m)
            members.push_back(1 + (g * 31 + m) % 10000);
        plug.addRxGroupList("Group " + std::to_string(g), members);
    }
    return plug.bytes();
}

// One opened codeplug shared by the benchmarks.
Codeplug& opened()
{
    static test::TempDir dir;
    static const std::unique_ptr<Codeplug> codeplug = [] {
        auto cp = std::make_unique<Codeplug>();
        const auto path = dir.file("large.rdt");
        test::writeBytes(path, largeImage());
        if (cp->open(path) != Md9600Format || !cp->decode() || cp->errorCount() != 0 ||
            cp->contacts().count() != 10000 || cp->channels().count() != 3000 || cp->zones().count() != 250) {
            std::fprintf(stderr, "the benchmark image does not decode as built\n");
            std::abort();
        }
        return cp;
    }();
    return *codeplug;
}

void BM_DecodeMd9600Full(benchmark::State& state)
{
    auto& codeplug = opened();
    for (auto _ : state)
        benchmark::DoNotOptimize(codeplug.decode());
    state.counters["contacts"] = codeplug.contacts().count();
}
BENCHMARK(BM_DecodeMd9600Full)->Unit(benchmark::kMillisecond);

void BM_EncodeMd9600Full(benchmark::State& state)
{
    auto& codeplug = opened();
    codeplug.decode();
    for (auto _ : state) {
        codeplug.encode();
        benchmark::DoNotOptimize(static_cast<pw::tyt::TytCodec&>(codeplug.codec()).image().data());
    }
}
BENCHMARK(BM_EncodeMd9600Full)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
