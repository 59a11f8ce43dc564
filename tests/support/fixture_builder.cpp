// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fixture_builder.h"

#include "support/tyt_fixture.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace pw::test {

const std::uint8_t DfuSePrefixBytes[16] = {0x44, 0x66, 0x75, 0x53, 0x65, 0x01, 0x25, 0x01,
                                           0x04, 0x00, 0x01, 0x54, 0x61, 0x72, 0x67, 0x65};

void putU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    bytes.at(offset) = static_cast<std::uint8_t>(value);
    bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void putU24(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    putU16(bytes, offset, value & 0xFFFF);
    bytes.at(offset + 2) = static_cast<std::uint8_t>(value >> 16);
}

void putU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    putU16(bytes, offset, value & 0xFFFF);
    putU16(bytes, offset + 2, value >> 16);
}

void putText(std::vector<std::uint8_t>& bytes, std::size_t offset, std::string_view text)
{
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void putUtf16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::string_view text, std::size_t units)
{
    for (std::size_t i = 0; i < units; ++i)
        putU16(bytes, offset + 2 * i, i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
}

namespace {

constexpr std::size_t Md380Size = 262709;
constexpr std::size_t Md2017Size = 852534;

std::vector<std::uint8_t> tytFile(std::size_t size, const FixtureOptions& options)
{
    // Erased flash reads 0xFF: the vendor software leaves unused space that way.
    std::vector<std::uint8_t> bytes(size, 0xFF);
    std::copy(std::begin(DfuSePrefixBytes), std::end(DfuSePrefixBytes), bytes.begin());
    std::fill(bytes.begin() + 16, bytes.begin() + 0x125, 0);
    putUtf16(bytes, 0x22D5, options.radioName, 16);
    putU24(bytes, 0x22A9, options.radioDmrId);
    return bytes;
}

std::vector<std::uint8_t> md380File(const FixtureOptions& options)
{
    auto bytes = tytFile(Md380Size, options);
    for (std::size_t i = 0; i < 6; ++i)
        bytes[0x125 + i] = i < options.vendorCode.size() ? options.vendorCode[i] : 0;
    bytes[0x136] = static_cast<std::uint8_t>(options.bandIndex);
    putU16(bytes, 0x139, options.bandLimits[0]);
    putU16(bytes, 0x13B, options.bandLimits[1]);
    if (options.secondBandLimits) {
        putU16(bytes, 0x13D, (*options.secondBandLimits)[0]);
        putU16(bytes, 0x13F, (*options.secondBandLimits)[1]);
    }
    blankTytTables(bytes, Md380Format);
    return bytes;
}

std::vector<std::uint8_t> md2017File(const std::string& model, const FixtureOptions& options)
{
    auto bytes = tytFile(Md2017Size, options);
    putText(bytes, 0x125, model);
    bytes[0x125 + model.size()] = 0;
    blankTytTables(bytes, Md2017Format);
    return bytes;
}

struct RdbShape {
    const char* version;
    std::size_t minimumLength;
};

RdbShape rdbShape(FormatId formatId)
{
    switch (formatId) {
    case RdbV1Format: return {"D4.0.03", 0x44010};
    case RdbV11Format: return {"D4.1.01", 0x65010};
    default: return {"D4.3.01", 0x69010};
    }
}

std::vector<std::uint8_t> rdbFile(FormatId formatId, const FixtureOptions& options)
{
    const auto shape = rdbShape(formatId);
    std::vector<std::uint8_t> bytes(shape.minimumLength, 0);
    putText(bytes, 0x2000, options.rdbModel);
    putText(bytes, 0x2010, shape.version);
    putUtf16(bytes, 0x2200, options.radioName, 16);
    putU24(bytes, 0x2220, options.radioDmrId);
    return bytes;
}

void putDouble(std::vector<std::uint8_t>& bytes, std::size_t offset, double value)
{
    std::uint64_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    putU32(bytes, offset, static_cast<std::uint32_t>(raw));
    putU32(bytes, offset + 4, static_cast<std::uint32_t>(raw >> 32));
}

// One channel, one radio ID, one zone holding that channel, no contacts.
std::vector<std::uint8_t> d868File(const FixtureOptions& options)
{
    std::vector<std::uint8_t> bytes(D868HeaderSize + D868CountTableSize, 0);
    putText(bytes, 0, options.d868Model);
    auto count = [&bytes](int index, std::uint32_t value) { putU32(bytes, D868HeaderSize + 4 * index, value); };
    count(0, 1);  // channels
    count(1, 1);  // radio IDs
    count(2, 1);  // zones

    std::vector<std::uint8_t> channel(D868ChannelRecordSize, 0);
    putU16(channel, 0, 1);
    putU16(channel, 2, 1);
    putDouble(channel, 4, 146.52);
    putU16(channel, 26, 1);
    putU16(channel, 62, 255);
    putText(channel, 92, "Channel 1");
    bytes.insert(bytes.end(), channel.begin(), channel.end());

    std::vector<std::uint8_t> radioId(D868RadioIdRecordSize, 0);
    putU16(radioId, 0, 1);
    putU16(radioId, 2, 1);
    putU32(radioId, 4, options.radioDmrId);
    putText(radioId, 10, options.radioName.substr(0, 16));
    bytes.insert(bytes.end(), radioId.begin(), radioId.end());

    std::vector<std::uint8_t> zone(611, 0);
    putU16(zone, 0, 1);
    putU16(zone, 2, 1);
    putU16(zone, 4, 1);
    putU16(zone, 6, 0);  // channel record 1, stored 0-based
    putU16(zone, 506, 1);
    putU16(zone, 508, 1);
    putText(zone, 520, "Zone 1");
    bytes.insert(bytes.end(), zone.begin(), zone.end());

    // Talkgroups and digital contacts: empty streams are the length 1 and one byte of 1.
    for (int stream = 0; stream < 2; ++stream) {
        const std::uint8_t empty[5] = {1, 0, 0, 0, 1};
        bytes.insert(bytes.end(), std::begin(empty), std::end(empty));
    }
    // Section 15: 32 × 8, 250 × 8, 16 × 53, 1 × 8, 32 × 1 bytes.
    bytes.insert(bytes.end(), 3144, 0);
    return bytes;
}

} // namespace

std::vector<std::uint8_t> buildFixture(FormatId formatId, const FixtureOptions& options)
{
    switch (formatId) {
    case Md380Format: return md380File(options);
    case Md2017Format: return md2017File("2017", options);
    case Md9600Format: return md2017File(options.modelText, options);
    case RdbV1Format: case RdbV11Format: case RdbV2Format: return rdbFile(formatId, options);
    case D868Format: return d868File(options);
    default: throw std::invalid_argument("no fixture for this format");
    }
}

void writeBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path writeFixture(const std::filesystem::path& path, FormatId formatId, const FixtureOptions& options)
{
    writeBytes(path, buildFixture(formatId, options));
    return path;
}

} // namespace pw::test
