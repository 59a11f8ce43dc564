// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two forms a TYT codeplug is kept in (map in tyt_map.h): the vendor software's file, which
// wraps the radio's memory in a DfuSe prefix, 256 bytes of its own and a DfuSe suffix, and the radio
// image of dmrconfig and md380tools, which is the memory alone. Converting takes the memory out of
// one and puts it into the other; the wrapping of a vendor file comes from a vendor file given as
// template (the result is then that file with the new memory) or is written as a vendor blank of a
// model has it.

#include "codeplug/tyt/tyt_map.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pw::tyt {

enum class FileForm { VendorFile, RadioImage };

// The memory size of the layout with `imageSize` (Md380ImageSize or Md2017ImageSize).
std::size_t memorySizeOf(std::size_t imageSize);

// The memory held by bytes in the vendor file's layout, `memorySize` bytes of it.
std::vector<std::uint8_t> memoryOf(std::span<const std::uint8_t> vendorLayout, std::size_t memorySize);
// Writes `memory` into bytes in the vendor file's layout, which must be long enough to hold it.
void placeMemory(std::span<std::uint8_t> vendorLayout, std::span<const std::uint8_t> memory);

// The models a vendor file can be written for, as the vendor software names them.
inline constexpr std::string_view VendorModels[] = {"MD-380", "MD-390", "MD-UV380", "MD-UV390", "MD-2017", "MD-9600"};

// A vendor file made, or why it could not be.
struct VendorFile {
    std::vector<std::uint8_t> bytes;
    std::string refusal;
};

// A vendor file of `model` (VendorModels, letter case ignored) holding `memory`, wrapped as a
// vendor blank of that model is. A single-band model gets the frequency range that holds most of
// the receive frequencies in `channelMhz`; the vendor blank's when none does.
VendorFile vendorFileForModel(std::string_view model, std::span<const std::uint8_t> memory,
                              std::span<const double> channelMhz = {});

// `templateFile`, a vendor file of the memory's layout, with its memory replaced by `memory`:
// every byte outside the memory is the template's.
VendorFile vendorFileFromTemplate(std::vector<std::uint8_t> templateFile, std::span<const std::uint8_t> memory);

// The frequency ranges a vendor file's header allows, in MHz: one or two (lower, upper) pairs,
// none when the header holds no valid range (a radio image, whose header is empty).
struct BandRange {
    double lowestMhz;
    double highestMhz;
};
std::vector<BandRange> headerBands(std::span<const std::uint8_t> vendorLayout);

} // namespace pw::tyt
