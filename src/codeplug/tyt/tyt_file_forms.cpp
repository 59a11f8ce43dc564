// SPDX-License-Identifier: GPL-3.0-or-later
// Vendor file header (file offsets; the 256 bytes from 0x125 are the vendor software's own):
//   0x000  0x125  DfuSe prefix, target "SPI Flash : M25P16", one element of 0x40000 bytes at 0
//   0x125  16     model text ("MD-UV380", "2017", "MD9600") or manufacturer code ("DR780"), zero
//                 ended, then 0xFF
//   0x135  1      a model byte the vendor software writes (0x20 MD-380, 0x21 MD-2017,
//                 0x23 MD-UV380, 0x30 MD-9600)
//   0x136  1      frequency range A: 0 136-174, 1 350-400, 2 400-480, 3 450-520 MHz
//   0x137  1      frequency range B, 0xFF on single-band radios
//   0x138  1      0x52
//   0x139  2 x u16 range A's lower and upper limit, four BCD digits of 0.1 MHz each
//   0x13D  2 x u16 range B's limits, 0xFF on single-band radios
//   0x141  ...    0xFF up to the memory at 0x225
// The DfuSe suffix after the memory's first 0x40000 bytes: 00 02 11 DF 83 04 1A 01 "UFD" 10 and a
// CRC field that the vendor software leaves the same whatever the content.

#include "codeplug/tyt/tyt_file_forms.h"

#include "codeplug/byte_field.h"
#include "model/letter_case.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace pw::tyt {
namespace {

constexpr std::size_t HeaderStart = DfuSeDataOffset;
constexpr std::size_t HeaderSize = MemoryStart - HeaderStart;
constexpr std::size_t ModelText = 0x125;
constexpr std::size_t ModelByte = 0x135;
constexpr std::size_t RangeA = 0x136;
constexpr std::size_t RangeB = 0x137;
constexpr std::size_t HeaderMark = 0x138;
constexpr std::size_t LimitsA = 0x139;
constexpr std::size_t LimitsB = 0x13D;
constexpr std::uint8_t NoRange = 0xFF;

constexpr std::array<std::uint8_t, DfuSeSuffixSize> DfuSeSuffix = {
    0x00, 0x02, 0x11, 0xDF, 0x83, 0x04, 0x1A, 0x01, 0x55, 0x46, 0x44, 0x10, 0x12, 0x71, 0x65, 0x8E};

// The vendor files' frequency ranges, by their index at 0x136 and 0x137.
struct FrequencyRange {
    int lowest;   // 0.1 MHz
    int highest;
};
constexpr std::array<FrequencyRange, 4> FrequencyRanges = {{{1360, 1740}, {3500, 4000}, {4000, 4800}, {4500, 5200}}};
constexpr std::uint8_t Vhf = 0;
constexpr std::uint8_t Uhf = 2;

struct ModelHeader {
    std::string_view model;
    std::string_view text;
    std::uint8_t modelByte;
    std::size_t memorySize;
    std::uint8_t rangeA;
    std::uint8_t rangeB;  // NoRange: a single-band radio
};

constexpr std::array<ModelHeader, 6> ModelHeaders = {{
    {"MD-380", "DR780", 0x20, Md380MemorySize, Uhf, NoRange},
    {"MD-390", "MD390", 0x20, Md380MemorySize, Uhf, NoRange},
    {"MD-UV380", "MD-UV380", 0x23, UvMemorySize, Uhf, Vhf},
    {"MD-UV390", "MD-UV390", 0x23, UvMemorySize, Uhf, Vhf},
    {"MD-2017", "2017", 0x21, UvMemorySize, Uhf, Vhf},
    {"MD-9600", "MD9600", 0x30, UvMemorySize, Uhf, NoRange},
}};

std::size_t fileSizeOf(std::size_t memorySize) { return MemoryStart + DfuSeSuffixSize + memorySize; }

// The DfuSe prefix and target header of every vendor file.
void writeDfuSePrefix(std::span<std::uint8_t> file)
{
    constexpr std::string_view Signature = "DfuSe\x01";
    constexpr std::string_view TargetName = "SPI Flash : M25P16";
    std::copy(Signature.begin(), Signature.end(), file.begin());
    setU32Le(file, 0x06, 0x40125);  // image size, as the vendor software writes it
    setU8(file, 0x0A, 1);           // targets
    std::memcpy(file.data() + 0x0B, "Target", 6);
    setU8(file, 0x11, 1);           // alternate setting
    setU32Le(file, 0x12, 1);        // the target is named
    std::copy(TargetName.begin(), TargetName.end(), file.begin() + 0x16);
    std::fill(file.begin() + 0x41, file.begin() + 0x115, std::uint8_t{0xCD});
    setU32Le(file, 0x115, 0x40008);  // target size
    setU32Le(file, 0x119, 1);        // elements
    setU32Le(file, 0x11D, 0);        // element address
    setU32Le(file, 0x121, 0x40000);  // element size
}

unsigned bcd(int value)
{
    unsigned result = 0;
    for (int shift = 0; shift < 16; shift += 4, value /= 10)
        result |= static_cast<unsigned>(value % 10) << shift;
    return result;
}

void writeRange(std::span<std::uint8_t> file, std::size_t limits, std::uint8_t range)
{
    setU16Le(file, limits, bcd(FrequencyRanges[range].lowest));
    setU16Le(file, limits + 2, bcd(FrequencyRanges[range].highest));
}

// The range holding most of the receive frequencies; `fallback` unless another holds more.
std::uint8_t rangeOfChannels(std::span<const double> channelMhz, std::uint8_t fallback)
{
    const auto holding = [channelMhz](std::uint8_t range) {
        const auto& r = FrequencyRanges[range];
        return std::count_if(channelMhz.begin(), channelMhz.end(), [&r](double mhz) {
            return mhz * 10 >= r.lowest && mhz * 10 <= r.highest;
        });
    };
    std::uint8_t best = fallback;
    for (std::uint8_t range = 0; range < FrequencyRanges.size(); ++range)
        if (holding(range) > holding(best))
            best = range;
    return best;
}

// Four BCD digits of 0.1 MHz, or nothing when a digit is no decimal digit.
std::optional<double> bcdMhz(std::uint16_t value)
{
    int tenths = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const int digit = (value >> shift) & 0xF;
        if (digit > 9)
            return std::nullopt;
        tenths = tenths * 10 + digit;
    }
    return tenths / 10.0;
}

// The vendor file layout of a memory of `memorySize` bytes, told by the file's size as the probes
// tell it: an MD-UV380-layout file is 852533 bytes (one short of its image) to 100 bytes longer.
bool fitsLayout(std::size_t fileSize, std::size_t memorySize)
{
    const bool uvFile = fileSize >= fileSizeOf(UvMemorySize) && fileSize <= Md2017ImageSize + 100;
    if (memorySize == UvMemorySize)
        return uvFile;
    return memorySize == Md380MemorySize && fileSize >= fileSizeOf(Md380MemorySize) && !uvFile;
}

std::string sizeText(std::size_t memorySize)
{
    return memorySize == Md380MemorySize ? "262709" : "852533";
}

} // namespace

std::size_t memorySizeOf(std::size_t imageSize)
{
    return imageSize == Md380ImageSize ? Md380MemorySize : UvMemorySize;
}

std::vector<std::uint8_t> memoryOf(std::span<const std::uint8_t> vendorLayout, std::size_t memorySize)
{
    std::vector<std::uint8_t> memory(memorySize, 0);
    const auto copyPart = [&](std::size_t from, std::size_t to, std::size_t count) {
        if (from < vendorLayout.size())
            std::copy_n(vendorLayout.begin() + static_cast<std::ptrdiff_t>(from),
                        std::min(count, vendorLayout.size() - from), memory.begin() + static_cast<std::ptrdiff_t>(to));
    };
    copyPart(MemoryStart, 0, std::min(memorySize, FirstMemoryPart));
    if (memorySize > FirstMemoryPart)
        copyPart(SecondMemoryPartStart, FirstMemoryPart, memorySize - FirstMemoryPart);
    return memory;
}

void placeMemory(std::span<std::uint8_t> vendorLayout, std::span<const std::uint8_t> memory)
{
    const auto first = memory.first(std::min(memory.size(), FirstMemoryPart));
    std::copy(first.begin(), first.end(), vendorLayout.begin() + MemoryStart);
    if (memory.size() > FirstMemoryPart) {
        const auto second = memory.subspan(FirstMemoryPart);
        std::copy(second.begin(), second.end(), vendorLayout.begin() + SecondMemoryPartStart);
    }
}

VendorFile vendorFileForModel(std::string_view model, std::span<const std::uint8_t> memory,
                              std::span<const double> channelMhz)
{
    const auto header = std::find_if(ModelHeaders.begin(), ModelHeaders.end(), [model](const ModelHeader& h) {
        return equalsIgnoringCase(h.model, model);
    });
    if (header == ModelHeaders.end())
        return {{}, "unknown model " + std::string(model) + " (MD-380, MD-390, MD-UV380, MD-UV390, MD-2017, MD-9600)"};
    if (header->memorySize != memory.size())
        return {{}, std::string(header->model) + " files hold a memory of " + std::to_string(header->memorySize) +
                        " bytes, this codeplug's is " + std::to_string(memory.size())};

    std::vector<std::uint8_t> file(fileSizeOf(memory.size()), 0);
    writeDfuSePrefix(file);
    std::fill_n(file.begin() + HeaderStart, HeaderSize, std::uint8_t{0xFF});
    setCString(file, ModelText, header->text.size() + 1, header->text, header->text.size());
    setU8(file, ModelByte, header->modelByte);
    const bool dualBand = header->rangeB != NoRange;
    const std::uint8_t rangeA = dualBand ? header->rangeA : rangeOfChannels(channelMhz, header->rangeA);
    setU8(file, RangeA, rangeA);
    setU8(file, RangeB, header->rangeB);
    setU8(file, HeaderMark, 0x52);
    writeRange(file, LimitsA, rangeA);
    if (dualBand)
        writeRange(file, LimitsB, header->rangeB);
    std::copy(DfuSeSuffix.begin(), DfuSeSuffix.end(), file.begin() + MemoryStart + FirstMemoryPart);
    placeMemory(file, memory);
    return {std::move(file), {}};
}

VendorFile vendorFileFromTemplate(std::vector<std::uint8_t> templateFile, std::span<const std::uint8_t> memory)
{
    std::array<std::uint8_t, HeaderStart> prefix{};
    writeDfuSePrefix(prefix);
    constexpr std::ptrdiff_t Signature = 16;  // "DfuSe", version, image size, targets, "Targe"
    if (!fitsLayout(templateFile.size(), memory.size()) ||
        !std::equal(prefix.begin(), prefix.begin() + Signature, templateFile.begin()))
        return {{}, "the template is not a vendor .rdt file of this radio's layout (" + sizeText(memory.size()) +
                        " bytes, beginning with the DfuSe prefix)"};
    placeMemory(templateFile, memory);
    return {std::move(templateFile), {}};
}

std::vector<BandRange> headerBands(std::span<const std::uint8_t> vendorLayout)
{
    std::vector<BandRange> bands;
    for (const std::size_t limits : {LimitsA, LimitsB}) {
        const auto lowest = bcdMhz(getU16Le(vendorLayout, limits));
        const auto highest = bcdMhz(getU16Le(vendorLayout, limits + 2));
        if (lowest && highest && *lowest < *highest)
            bands.push_back({*lowest, *highest});
    }
    return bands;
}

} // namespace pw::tyt
