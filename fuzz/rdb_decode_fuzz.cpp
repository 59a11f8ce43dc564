// Feeds damaged RDB images to the decoder and encoder of all three layout versions.
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
// Checked on every input: the decoder never reads or writes outside the image (the sanitizers),
// the model stays within the limits of the format, the encoder keeps the file length within the
// image and never writes past record 234 of the scan lists, and decoding what the encoder wrote
// gives the same model and, encoded again, the same image.
#include "codeplug/codeplug.h"
#include "model/byte_field.h"
#include "support/rdb_fixture.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using pw::test::RdbFixture;

struct Region {
    std::size_t base;
    std::size_t size;
};

struct Opened {
    std::unique_ptr<pw::Codeplug> codeplug = std::make_unique<pw::Codeplug>();
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

Opened open(pw::FormatId format, const pw::test::TempDir& dir)
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

    Opened opened;
    const auto path = f.write(dir.file("seed" + std::to_string(format) + ".rdb"));
    if (opened.codeplug->open(path) != format)
        __builtin_trap();
    opened.pristine = opened.codeplug->rdbImage();
    opened.regions = regionsOf(opened.codeplug->rdbLayout());
    return opened;
}

std::array<Opened, 3>& openedImages()
{
    static pw::test::TempDir dir;
    static std::array<Opened, 3> images = {open(pw::RdbV1Format, dir), open(pw::RdbV11Format, dir),
                                           open(pw::RdbV2Format, dir)};
    return images;
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
    auto& opened = openedImages()[data[0] % 3];
    pw::Codeplug& cp = *opened.codeplug;
    const auto& layout = cp.rdbLayout();
    auto& image = cp.rdbImage();
    // Nothing past the longest file of an input is read or written, so only that much is restored.
    constexpr std::size_t ExtraLengths = 65536;
    const std::size_t touched = std::min(image.size(), layout.minimumLength + ExtraLengths);
    std::copy_n(opened.pristine.begin(), touched, image.begin());

    cp.setImageLength(layout.minimumLength + pw::getU24Le(pw::ConstBytes(data, size), 1) % ExtraLengths);

    std::size_t at = 4;
    while (at + 5 <= size) {
        const Region& region = opened.regions[data[at] % opened.regions.size()];
        const std::size_t offset = pw::getU24Le(pw::ConstBytes(data, size), at + 1) % region.size;
        const std::size_t wanted = data[at + 4];
        at += 5;
        const std::size_t length = std::min({wanted, size - at, region.size - offset});
        std::copy_n(data + at, length, image.begin() + static_cast<std::ptrdiff_t>(region.base + offset));
        at += wanted;
    }

    check(cp.decode() == 1);
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
    check(cp.imageLength() >= layout.minimumLength && cp.imageLength() <= image.size());
    check(pw::getU16Le(image, layout.scanListCount) <= 234);
    const std::size_t encodedLength = cp.imageLength();
    static std::vector<std::uint8_t> encoded;
    encoded.assign(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(encodedLength));

    check(cp.decode() == 1);
    check(countsOf(cp) == first);
    cp.encode();
    check(cp.imageLength() == encodedLength);
    check(std::equal(encoded.begin(), encoded.end(), image.begin()));
    return 0;
}
