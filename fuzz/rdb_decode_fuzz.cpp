// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds damaged RDB files to the decoder and encoder of all three layout versions.
//
// An input does not carry a whole image (up to 2.5 MB): it patches a small populated fixture image
// at chosen places. Layout of an input:
//   byte 0       layout version (0x2001, 0x2002, 0x2003 by value modulo 3)
//   bytes 1-3    file length: minimum length + (u24 LE modulo 65536), so up to 4096 contact
//                records more than the shortest file (the full tables are left to the unit tests and
//                the benchmark, as they would slow each run a hundredfold)
//   then patches, each: table (1 byte, modulo the tables below), offset within the table (u24 LE,
//   modulo its size), length n (1 byte), n bytes of data (cut at the table's end)
//
// The patched file is written to a scratch file and opened, as a codeplug always is.
//
// Checked on every input: the decoder never reads or writes outside the image (the sanitizers),
// the model stays within the limits of the format, the encoder keeps the file length within the
// image and never writes past record 234 of the scan lists, and decoding what the encoder wrote
// gives the same model and, encoded again, the same image.
#include "codeplug/byte_field.h"
#include "codeplug/codeplug.h"
#include "codeplug/rdb/rdb_codec.h"
#include "support/fixture_builder.h"
#include "support/rdb_fixture.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using pw::test::RdbFixture;

struct Region {
    std::size_t base;
    std::size_t size;
};

// Nothing past the longest file of an input is read or written.
constexpr std::size_t ExtraLengths = 65536;

struct Seed {
    pw::FormatId format = pw::NoFormat;
    pw::RdbLayout layout;
    // The seed file, zero-filled up to the longest file an input can ask for.
    std::vector<std::uint8_t> pristine;
    std::vector<Region> regions;
};

std::vector<Region> regionsOf(const pw::RdbLayout& l)
{
    return {
        {0x2000, 0x240},                                             // model text, version, radio name and ID
        {l.rxGroupRecords, l.rxGroupRecordSize * 8},                 // the first RX group records
        {l.rxGroupCount, 2 + 256},                                   // RX group count and order table
        {l.contactCount, 4},                                         // contact count
        {l.channelNames, 16 * 8},                                    // the first channel names
        {l.channelRecordAt(1), 32 * 8},                              // the first channel slots
        {l.slotOrderTable, 2 + 2 * 4096},                            // slot count and order
        {l.zoneRecords, 80 * 250},                                   // zone records
        {l.scanListRecords, 128 * 8},                                // the first scan-list records
        {l.scanListCount, 2 + 256},                                  // scan-list count and order table
        {l.contactRecords, 16 * 16},                                 // the first contact records
        {l.rxGroupRecords, l.rxGroupCount + 2 + 256 - l.rxGroupRecords},  // the RX group area whole
        {l.channelNames, l.slotOrderTable + 2 + 2 * 4096 - l.channelNames},  // the channel area whole
    };
}

Seed seed(pw::FormatId format, const pw::test::TempDir& dir)
{
    RdbFixture f(format);
    f.addContact(f.contact(3100, "World Wide", pw::CallType::GroupCall));
    f.addContact(f.contact(2620001, "Alice"));
    f.addContact(f.contact(91, "Local", pw::CallType::GroupCall));
    f.addRxGroupList(f.rxGroupList("Groups", {1, 3}));
    f.addRxGroupList(f.rxGroupList("Just WW", {1}));
    f.addScanList(f.scanList("Scan All", {1, 2, 3}));
    f.addScanList(f.scanList("Scan Two", {2}));
    const int a = f.addChannel(f.analogChannel("Simplex", 145.5));
    const int b = f.addChannel(f.digitalChannel("DMR WW", 439.5, 1, 2, 1));
    const int c = f.addChannel(f.digitalChannel("DMR Alice", 438.2, 2, 1, 2));
    f.addZone(f.zone("Home", {a, b, c}));
    f.addZone(f.zone("Digital", {c, b}));

    Seed made;
    made.format = format;
    made.layout = pw::RdbLayout::forFormat(format);
    made.pristine = pw::test::readBytes(f.write(dir.file("seed" + std::to_string(format) + ".rdb")));
    made.pristine.resize(made.layout.minimumLength + ExtraLengths, 0);
    made.regions = regionsOf(made.layout);
    return made;
}

std::array<Seed, 3>& seeds()
{
    static pw::test::TempDir dir;
    static std::array<Seed, 3> all = {seed(pw::RdbV1Format, dir), seed(pw::RdbV11Format, dir),
                                      seed(pw::RdbV2Format, dir)};
    return all;
}

const std::filesystem::path& scratchFile()
{
    static const std::filesystem::path path = [] {
        std::error_code error;
        auto folder = std::filesystem::path("/dev/shm");
        if (!std::filesystem::is_directory(folder, error))
            folder = std::filesystem::temp_directory_path();
        return folder / ("plugwright-rdb-fuzz-" + std::to_string(::getpid()) + ".rdb");
    }();
    return path;
}

struct Counts {
    int contacts, channels, zones, scanLists, rxGroupLists;
    bool operator==(const Counts&) const = default;
};

Counts countsOf(const pw::Codeplug& cp)
{
    return {cp.contacts().count(), cp.channels().count(), cp.zones().count(), cp.scanLists().count(),
            cp.rxGroupLists().count()};
}

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const Seed& seed = seeds()[data[0] % 3];
    const auto& layout = seed.layout;
    static std::vector<std::uint8_t> file;
    file.assign(seed.pristine.begin(),
                seed.pristine.begin() +
                    static_cast<std::ptrdiff_t>(layout.minimumLength + pw::getU24Le(pw::ConstBytes(data, size), 1) % ExtraLengths));

    std::size_t at = 4;
    while (at + 5 <= size) {
        const Region& region = seed.regions[data[at] % seed.regions.size()];
        const std::size_t offset = pw::getU24Le(pw::ConstBytes(data, size), at + 1) % region.size;
        const std::size_t wanted = data[at + 4];
        at += 5;
        const std::size_t begin = std::min(region.base + offset, file.size());
        const std::size_t length = std::min({wanted, size - at, region.size - offset, file.size() - begin});
        std::copy_n(data + at, length, file.begin() + static_cast<std::ptrdiff_t>(begin));
        at += wanted;
    }
    pw::test::writeBytes(scratchFile(), file);

    pw::Codeplug cp;
    // A patched version text or model text makes a file the RDB probes may refuse.
    if (cp.open(scratchFile()) != seed.format)
        return 0;
    auto& codec = static_cast<pw::rdb::RdbCodec&>(cp.codec());
    const auto& image = codec.image();
    check(cp.decode());
    const Counts first = countsOf(cp);
    check(first.contacts <= pw::contactCapacity(cp.formatId()));
    check(first.channels <= pw::channelCapacity(cp.formatId()));
    check(first.zones <= pw::MaxZones);
    check(first.scanLists <= pw::scanListCapacity(cp.formatId()));
    check(first.rxGroupLists <= pw::MaxRxGroupLists);
    for (const auto& channel : cp.channels()) {
        check(channel->slotNumber() >= 1 && channel->slotNumber() <= layout.highestSlot());
        check(!channel->isDigital() || channel->txContact() <= first.contacts);
        check(channel->scanList() <= first.scanLists);
        check(!channel->isDigital() || channel->rxGroupList() <= first.rxGroupLists);
    }

    cp.encode();
    check(codec.imageLength() >= layout.minimumLength && codec.imageLength() <= image.size());
    check(pw::getU16Le(image, layout.scanListCount) <= 234);
    const std::size_t encodedLength = codec.imageLength();
    static std::vector<std::uint8_t> encoded;
    encoded.assign(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(encodedLength));

    check(cp.decode());
    check(countsOf(cp) == first);
    cp.encode();
    check(codec.imageLength() == encodedLength);
    check(std::equal(encoded.begin(), encoded.end(), image.begin()));
    return 0;
}
