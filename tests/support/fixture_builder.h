// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds minimal valid codeplug files of each of the seven formats in memory, laid out as the
// vendor software lays them out, so tests can place records at their positions and open the result.

#include "codeplug/format_id.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pw::test {

// The 16 bytes every TYT DfuSe file begins with.
extern const std::uint8_t DfuSePrefixBytes[16];

struct FixtureOptions {
    // 0x1001: the six-byte manufacturer code at 0x125 (default "DR780\0").
    std::vector<std::uint8_t> vendorCode = {0x44, 0x52, 0x37, 0x38, 0x30, 0x00};
    // 0x1001: the band index at 0x136, and the band limits at 0x139 (BCD of 0.1 MHz: UHF) and at
    // 0x13D (none: an MD-380 has one band; a two-band radio keeps its second band there).
    int bandIndex = 2;
    std::array<std::uint16_t, 2> bandLimits = {0x4000, 0x4800};
    std::optional<std::array<std::uint16_t, 2>> secondBandLimits;
    // 0x1003: the model text at 0x125 ("MD9600", "MD-UV380" or "MD-UV390").
    std::string modelText = "MD-UV380";
    // RDB: the radio model text at 0x2000.
    std::string rdbModel = "RDB-TEST";
    // D868: the model text of the header ("D868UVE " or "D6X2UV  ").
    std::string d868Model = "D868UVE ";
    // Radio name and DMR ID written where the format keeps them.
    std::string radioName = "FIXTURE";
    std::uint32_t radioDmrId = 1234567;
};

// The bytes of a minimal file of the format.
std::vector<std::uint8_t> buildFixture(FormatId formatId, const FixtureOptions& options = {});

// Writes bytes to a file; throws on failure.
void writeBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);

// Writes a minimal file of the format to `path` and returns the path.
std::filesystem::path writeFixture(const std::filesystem::path& path, FormatId formatId,
                                   const FixtureOptions& options = {});

// Little-endian stores into a fixture image.
void putU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
void putU24(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
void putU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
void putText(std::vector<std::uint8_t>& bytes, std::size_t offset, std::string_view text);
void putUtf16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::string_view text, std::size_t units);

// The D868 file layout sizes.
inline constexpr std::size_t D868HeaderSize = 12642;
inline constexpr std::size_t D868CountTableSize = 400;
inline constexpr std::size_t D868ChannelRecordSize = 214;
inline constexpr std::size_t D868RadioIdRecordSize = 37;

} // namespace pw::test
