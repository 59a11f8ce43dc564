// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds hostile TYT images to the codec as any of the three TYT formats, and as the radio images
// of the two layouts: decode, an edit (a contact and a channel added and deleted, both tables
// sorted), encode and save to a temporary file, then decode what was written.
//
// A whole image is 262709 or 852534 bytes, too large for a fuzzer to mutate usefully, so the input
// patches a populated fixture image of the format. Input layout:
//   u8  format  (mod 5) 0x1001, 0x1002, 0x1003, 0x1001 radio image, 0x1003 radio image
//   u8  choice  the indices of the deletes and the sort columns
//   then patches, each:
//   u8  table   (mod 8) 0 raw image, 1 contacts, 2 channels, 3 zones, 4 zone extensions,
//               5 scan lists, 6 RX group lists, 7 emergency systems
//   u16 record  (LE) record index, taken modulo the table's slots (raw: high bits of the offset)
//   u8  offset  byte within the record, modulo the record size (raw: low bits of the offset)
//   u8  length  then that many bytes (fewer when the input ends), written from there on
// The DfuSe prefix and the model text are forced afterwards, so the image always opens as the
// format under test.
//
// Oracles besides the sanitizers: the error count agrees with the lines of the log; what was encoded
// decodes to as many records as the model held; encoding that again changes no byte; and a radio
// image saves as the memory alone.
#include "codeplug/codeplug.h"
#include "codeplug/tyt/tyt_codec.h"
#include "support/tyt_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace pw;

struct Table {
    std::size_t base;
    std::size_t recordSize;
    int slots;
};

Table tableFor(FormatId format, int table)
{
    switch (table) {
    case 1: return {test::tytContactOffset(format, 0), 36, test::tytContactSlots(format)};
    case 2: return {test::tytChannelOffset(format, 0), 64, test::tytChannelSlots(format)};
    case 3: return {test::tytZoneOffset(0), 64, 250};
    case 4: return {test::tytZoneExtensionOffset(0), 224, 250};
    case 5: return {test::tytScanListOffset(0), 104, 250};
    case 6: return {test::tytRxGroupOffset(0), 96, 250};
    default: return {test::tytEmergencyOffset(0), 40, 32};
    }
}

std::vector<std::uint8_t> baseImage(FormatId format)
{
    test::TytFixture plug(format);
    const int group = plug.addContact(91, "Worldwide");
    const int parrot = plug.addContact(9998, "Parrot", CallType::PrivateCall);
    plug.addContact(0xFFFFFF, "All", CallType::AllCall);
    plug.addEmergencySystem("System1");
    plug.addRxGroupList("Group", {group, parrot});
    plug.addRxGroupList("Gap", {2, 0, 7});
    const int a = plug.addChannel(test::tytDigitalChannel(format, "Digital", 439.5, group, 1, 1));
    const int b = plug.addChannel(test::tytAnalogChannel(format, "Analog", 145.5));
    const int c = plug.addChannel(test::tytDigitalChannel(format, "Parrot", 438.2, parrot, 2, 0));
    plug.addScanList("Scan", {a, b, c});
    if (format == Md380Format)
        plug.addZone("Zone", {a, b, c});
    else
        plug.addZone("Zone", {a, b, c}, {c, b});
    plug.addZone("Second", {b});
    return plug.bytes();
}

struct Target {
    FormatId format;
    bool radioImage = false;
    // The codec's image as opened, in the vendor file's layout for both forms.
    std::vector<std::uint8_t> base;
    std::unique_ptr<Codeplug> codeplug;
};

std::string scratchDirectory()
{
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error))
        return "/dev/shm";
    return std::filesystem::temp_directory_path().string();
}

std::array<Target, 5>& targets()
{
    static std::array<Target, 5> all = [] {
        std::array<Target, 5> made;
        const std::array<FormatId, 5> formats = {Md380Format, Md2017Format, Md9600Format, Md380Format, Md9600Format};
        for (std::size_t i = 0; i < formats.size(); ++i) {
            made[i].format = formats[i];
            made[i].radioImage = i >= 3;
            const auto file = baseImage(formats[i]);
            made[i].codeplug = std::make_unique<Codeplug>();
            const auto path = scratchDirectory() + "/plugwright-tyt-fuzz-base-" + std::to_string(::getpid());
            test::writeBytes(path, made[i].radioImage ? test::radioImageOf(file) : file);
            if (made[i].codeplug->open(path) != formats[i])
                __builtin_trap();
            std::filesystem::remove(path);
            made[i].base = static_cast<tyt::TytCodec&>(made[i].codeplug->codec()).image();
        }
        return made;
    }();
    return all;
}

void applyPatches(std::vector<std::uint8_t>& image, FormatId format, const std::uint8_t* data, std::size_t size)
{
    std::size_t at = 0;
    while (at + 5 <= size) {
        const int table = data[at] % 8;
        const std::size_t record = data[at + 1] | static_cast<std::size_t>(data[at + 2]) << 8;
        const std::size_t within = data[at + 3];
        std::size_t length = data[at + 4];
        at += 5;
        length = std::min(length, size - at);
        std::size_t offset;
        if (table == 0) {
            offset = (record << 8 | within) % image.size();
        } else {
            if (table == 4 && format == Md380Format)
                continue;
            const Table t = tableFor(format, table);
            offset = t.base + (record % static_cast<std::size_t>(t.slots)) * t.recordSize + within % t.recordSize;
        }
        const std::size_t count = std::min(length, image.size() - offset);
        std::memcpy(image.data() + offset, data + at, count);
        at += length;
    }
    std::copy(std::begin(test::DfuSePrefixBytes), std::end(test::DfuSePrefixBytes), image.begin());
    if (format == Md2017Format)
        std::memcpy(image.data() + 0x125, "2017", 5);
    else if (format == Md9600Format)
        std::memcpy(image.data() + 0x125, "MD-UV380", 9);
}

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Every line of the log ends in CR LF; names inside the lines may hold more of them.
bool countMatchesLog(const Codeplug& cp)
{
    const auto& log = cp.errorLogText();
    int endings = 0;
    for (std::size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 2))
        ++endings;
    return (cp.errorCount() == 0) == log.empty() && cp.errorCount() <= endings;
}

void run(Target& target, const std::uint8_t* data, std::size_t size)
{
    Codeplug& cp = *target.codeplug;
    auto& image = static_cast<tyt::TytCodec&>(cp.codec()).image();
    std::copy(target.base.begin(), target.base.end(), image.begin());
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(target.base.size()), image.end(), std::uint8_t{0});
    const std::uint8_t choice = size > 1 ? data[1] : 0;
    if (size > 2)
        applyPatches(image, target.format, data + 2, size - 2);

    check(cp.decode());
    check(countMatchesLog(cp));

    // The edit.
    cp.addContact(test::tytContact(target.format, 4242, "Fuzz"), true);
    cp.addChannel(test::tytDigitalChannel(target.format, "Fuzz channel", 439.0, cp.contacts().count()));
    if (cp.contacts().count() > 0)
        cp.deleteContact(choice % cp.contacts().count());
    if (cp.channels().count() > 0)
        cp.deleteChannel((choice >> 2) % cp.channels().count());
    cp.sortContacts(choice % 5);
    cp.sortChannels((choice >> 3) % 12);

    const auto path = scratchDirectory() + "/plugwright-tyt-fuzz-" + std::to_string(::getpid()) + ".rdt";
    check(cp.save(path));
    if (target.radioImage)
        check(std::filesystem::file_size(path) == (target.format == Md380Format ? 262144u : 851968u));
    std::filesystem::remove(path);

    // What was written decodes to the model that wrote it.
    const int contacts = cp.contacts().count();
    const int channels = cp.channels().count();
    const int zones = cp.zones().count();
    const int scanLists = cp.scanLists().count();
    const int rxGroupLists = cp.rxGroupLists().count();
    const std::vector<std::uint8_t> written = image;
    check(cp.decode());
    check(cp.contacts().count() == contacts && cp.channels().count() == channels && cp.zones().count() == zones &&
          cp.scanLists().count() == scanLists && cp.rxGroupLists().count() == rxGroupLists);
    cp.encode();
    check(image == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    run(targets()[size > 0 ? data[0] % 5 : 0], data, size);
    return 0;
}
