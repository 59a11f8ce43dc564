// The radio's identity kept in the image: vendor code and band limits (0x1001), radio name and
// radio DMR ID.
//
// 0x1001 vendor area (file offsets):
//   0x125  6 bytes  manufacturer code (VendorTable)
//   0x136  i8       band index 0-4
//   0x139  2 × u16  lower and upper band limit, four BCD digits of 0.1 MHz each
//   0x3EE65 16 records of 16 bytes; choosing entry 4 resets the first six bytes of the first 15
// Radio name and ID: TYT 0x22D5 (16 UTF-16LE units) and 0x22A9 (u24); RDB 0x2200 and 0x2220;
// D868 the first radio-ID record.

#include "codeplug/codeplug.h"

#include "codeplug/d868_radio_ids.h"
#include "model/byte_field.h"

#include <array>
#include <cstdio>

namespace pw {
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

constexpr const char* UnknownVendor = "Unknown";

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

constexpr std::size_t TytRadioName = 0x22D5;
constexpr std::size_t TytRadioId = 0x22A9;
constexpr std::size_t RdbRadioName = 0x2200;
constexpr std::size_t RdbRadioId = 0x2220;
constexpr std::size_t RdbModelText = 0x2000;

} // namespace

std::string Codeplug::modelText() const
{
    return getCString(tytImage_, DfuSeDataOffset, 32);
}

int Codeplug::vendorIndex() const
{
    if (!loaded_ || tytImage_.size() < VendorCode + 6)
        return 0;
    for (std::size_t entry = 0; entry < VendorTable.size(); ++entry) {
        if (std::equal(VendorTable[entry].code.begin(), VendorTable[entry].code.end(),
                       tytImage_.begin() + VendorCode))
            return static_cast<int>(entry) + 1;
    }
    return 0;
}

std::string Codeplug::vendorName(int entry) const
{
    if (entry >= 1 && entry <= 4)
        return VendorTable[static_cast<std::size_t>(entry - 1)].name;
    if (entry == 0) {
        const int own = vendorIndex();
        if (own >= 1 && own <= 4)
            return VendorTable[static_cast<std::size_t>(own - 1)].name;
    }
    return UnknownVendor;
}

void Codeplug::setVendor(int entry)
{
    if (!hasFeature(feature::VendorChange) || entry < 1 || entry > 5 || !loaded_)
        return;
    const auto band = static_cast<std::int8_t>(getU8(tytImage_, BandIndex));
    const auto& code = VendorTable[static_cast<std::size_t>(entry - 1)].code;
    for (std::size_t i = 0; i < code.size(); ++i)
        setU8(tytImage_, VendorCode + i, code[i]);
    // A band index outside the table leaves the limits as they are: there is no row to take.
    if (entry <= 4 && band >= 0 && band <= 4) {
        const auto& table = (entry == 1 || entry == 3) ? BandLimitsA : BandLimitsB;
        const auto& row = table[static_cast<std::size_t>(band)];
        setU16Le(tytImage_, BandLimits, row[0]);
        setU16Le(tytImage_, BandLimits + 2, row[1]);
    }
    if (entry == 4) {
        constexpr std::array<std::uint8_t, 6> reset = {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00};
        for (std::size_t k = 0; k < 15; ++k)
            for (std::size_t i = 0; i < reset.size(); ++i)
                setU8(tytImage_, GpsRecords + 16 * k + i, reset[i]);
    }
    markChanged();
}

std::string Codeplug::radioTypeText() const
{
    if (!loaded_)
        return "Invalid Image";
    switch (formatId_) {
    case Md380Format: {
        const int vendor = vendorIndex();
        if (vendor < 1 || vendor > 4)
            return "Unrecognized vendor information.";
        // The code as the file holds it: its printable bytes up to the first zero.
        std::string code;
        for (std::size_t i = 0; i < 6; ++i) {
            const auto c = getU8(tytImage_, VendorCode + i);
            if (c == 0)
                break;
            if (c >= 0x20 && c < 0x7F)
                code.push_back(static_cast<char>(c));
        }
        return vendorName(vendor) + " (Mfr Code " + code + ")";
    }
    case Md2017Format: return "MD2017";
    case Md9600Format: return tytImage_.empty() ? "Invalid Memory Data" : modelText();
    case RdbV1Format:
    case RdbV11Format: return getCString(rdbImage_, RdbModelText, 16) + " (64K Contacts)";
    case RdbV2Format: return getCString(rdbImage_, RdbModelText, 16) + " V2 (130K Contacts)";
    case D868Format: return "AT868UV";
    default: return "Error";
    }
}

std::optional<std::string> Codeplug::radioName() const
{
    if (!loaded_)
        return std::nullopt;
    switch (family()) {
    case FormatFamily::TytFamily: return getUtf16Name(tytImage_, TytRadioName, 16);
    case FormatFamily::RdbFamily: return getUtf16Name(rdbImage_, RdbRadioName, 16);
    case FormatFamily::D868Family: return d868RadioName(d868_);
    default: return std::string("Error");
    }
}

void Codeplug::setRadioName(std::string_view name)
{
    if (!loaded_)
        return;
    switch (family()) {
    case FormatFamily::TytFamily: setUtf16Name(tytImage_, TytRadioName, 16, name); break;
    case FormatFamily::RdbFamily: setUtf16Name(rdbImage_, RdbRadioName, 16, name); break;
    case FormatFamily::D868Family: setD868RadioName(d868_, name); break;
    default: return;
    }
    markChanged();
}

std::uint32_t Codeplug::radioDmrId() const
{
    if (!loaded_)
        return 0;
    switch (family()) {
    case FormatFamily::TytFamily: return getU24Le(tytImage_, TytRadioId);
    case FormatFamily::RdbFamily: return getU24Le(rdbImage_, RdbRadioId);
    case FormatFamily::D868Family: return d868RadioDmrId(d868_);
    default: return 0;
    }
}

void Codeplug::setRadioDmrId(std::uint32_t id)
{
    if (!loaded_)
        return;
    id &= 0xFFFFFF;
    switch (family()) {
    case FormatFamily::TytFamily: setU24Le(tytImage_, TytRadioId, id); break;
    case FormatFamily::RdbFamily: setU24Le(rdbImage_, RdbRadioId, id); break;
    case FormatFamily::D868Family: setD868RadioDmrId(d868_, id); break;
    default: return;
    }
    markChanged();
}

} // namespace pw
