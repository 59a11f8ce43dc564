// SPDX-License-Identifier: GPL-3.0-or-later
// The radio's identity kept in a TYT image: vendor code and band limits (0x1001), model text
// (0x1002, 0x1003).
//
// 0x1001 vendor area (file offsets):
//   0x125  6 bytes  manufacturer code (VendorTable)
//   0x136  i8       band index 0-4
//   0x139  2 × u16  lower and upper band limit, four BCD digits of 0.1 MHz each
//   0x3EE65 16 records of 16 bytes; choosing entry 4 resets the first six bytes of the first 15

#include "codeplug/byte_field.h"
#include "codeplug/tyt/tyt_codec.h"

#include <array>

namespace pw::tyt {
namespace {

struct VendorEntry {
    std::array<std::uint8_t, 6> code;
    const char* name;
};

constexpr std::array<VendorEntry, 5> VendorTable = {{
    {{0x44, 0x36, 0x38, 0x30, 0x00, 0xFF}, "Connect Sys CS700/701"},
    {{0x44, 0x52, 0x37, 0x38, 0x30, 0x00}, "Tyt MD380/90 & Retevis RT3"},
    {{0x44, 0x38, 0x35, 0x38, 0x00, 0xFF}, "AnyTone AT-D858"},
    {{0x4D, 0x44, 0x33, 0x39, 0x30, 0x00}, "Tyt MD390 GPS"},
    {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, ""},
}};

// Band limits per row of the band index: lower and upper, BCD of 0.1 MHz. Entries 1 and 3 use
// table A, entries 2 and 4 table B; only row 2 differs.
constexpr std::array<std::array<std::uint16_t, 2>, 5> BandLimitsA = {{
    {0x1360, 0x1740}, {0x3500, 0x4000}, {0x4000, 0x4700}, {0x4500, 0x5200}, {0x0660, 0x0880}}};
constexpr std::array<std::array<std::uint16_t, 2>, 5> BandLimitsB = {{
    {0x1360, 0x1740}, {0x3500, 0x4000}, {0x4000, 0x4800}, {0x4500, 0x5200}, {0x0660, 0x0880}}};

constexpr std::size_t VendorCode = 0x125;
constexpr std::size_t BandIndex = 0x136;
constexpr std::size_t BandLimits = 0x139;
constexpr std::size_t GpsRecords = 0x3EE65;

} // namespace

std::string vendorEntryName(int entry)
{
    if (entry >= 1 && entry <= 4)
        return VendorTable[static_cast<std::size_t>(entry - 1)].name;
    return "Unknown";
}

int TytCodec::vendorIndex() const
{
    if (form_ == FileForm::RadioImage || image_.size() < VendorCode + 6)
        return 0;
    for (std::size_t entry = 0; entry < VendorTable.size(); ++entry) {
        if (std::equal(VendorTable[entry].code.begin(), VendorTable[entry].code.end(), image_.begin() + VendorCode))
            return static_cast<int>(entry) + 1;
    }
    return 0;
}

std::string TytCodec::vendorName(int entry) const
{
    return (featureFlags() & feature::VendorChange) != 0 ? vendorEntryName(entry) : FormatCodec::vendorName(entry);
}

void TytCodec::setVendor(int entry)
{
    if (entry < 1 || entry > 5)
        return;
    const auto band = static_cast<std::int8_t>(getU8(image_, BandIndex));
    const auto& code = VendorTable[static_cast<std::size_t>(entry - 1)].code;
    for (std::size_t i = 0; i < code.size(); ++i)
        setU8(image_, VendorCode + i, code[i]);
    // A band index outside the table leaves the limits as they are: there is no row to take.
    if (entry <= 4 && band >= 0 && band <= 4) {
        const auto& table = (entry == 1 || entry == 3) ? BandLimitsA : BandLimitsB;
        const auto& row = table[static_cast<std::size_t>(band)];
        setU16Le(image_, BandLimits, row[0]);
        setU16Le(image_, BandLimits + 2, row[1]);
    }
    if (entry == 4) {
        constexpr std::array<std::uint8_t, 6> reset = {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00};
        for (std::size_t k = 0; k < 15; ++k)
            for (std::size_t i = 0; i < reset.size(); ++i)
                setU8(image_, GpsRecords + 16 * k + i, reset[i]);
    }
}

// The frequency ranges a vendor file's header names; an image names none.
std::vector<FrequencyLimits> TytCodec::radioBands() const
{
    std::vector<FrequencyLimits> bands;
    for (const auto& band : headerBands(image_))
        bands.push_back({band.lowestMhz, band.highestMhz});
    return bands.empty() ? FormatCodec::radioBands() : bands;
}

std::string TytCodec::radioTypeText() const
{
    // The radio's memory does not name its model: the vendor software writes it beside the memory.
    if (form_ == FileForm::RadioImage)
        return formatId() == Md380Format ? "Unknown model (MD-380 family radio image)"
                                         : "Unknown model (MD-UV380 family radio image)";
    switch (formatId()) {
    case Md380Format: {
        const int vendor = vendorIndex();
        if (vendor < 1 || vendor > 4)
            return "Unrecognized vendor information.";
        // The code as the file holds it: its printable bytes up to the first zero.
        std::string code;
        for (std::size_t i = 0; i < 6; ++i) {
            const auto c = getU8(image_, VendorCode + i);
            if (c == 0)
                break;
            if (c >= 0x20 && c < 0x7F)
                code.push_back(static_cast<char>(c));
        }
        return vendorEntryName(vendor) + " (Mfr Code " + code + ")";
    }
    case Md2017Format: return "MD2017";
    default: return image_.empty() ? "Invalid Memory Data" : modelText();
    }
}

} // namespace pw::tyt
