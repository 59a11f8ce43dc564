// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seven codeplug formats and their three families.

#include <cstdint>

namespace pw {

// The number of a codeplug format. Its high byte is the format family.
using FormatId = std::uint32_t;

inline constexpr FormatId NoFormat = 0;
inline constexpr FormatId Md380Format = 0x1001;   // MD-380/MD-390 family DfuSe file
inline constexpr FormatId Md2017Format = 0x1002;  // MD-2017 DfuSe file
inline constexpr FormatId Md9600Format = 0x1003;  // MD-9600, MD-UV380, MD-UV390 DfuSe file
inline constexpr FormatId RdbV1Format = 0x2001;   // memory image "D4.0.03", 64K contacts
inline constexpr FormatId RdbV11Format = 0x2002;  // memory image "D4.1.01", 64K contacts
inline constexpr FormatId RdbV2Format = 0x2003;   // memory image "D4.3.01", 130K contacts
inline constexpr FormatId D868Format = 0x3001;    // AnyTone D868UV / D6X2UV file of sections

enum class FormatFamily : std::uint32_t {
    Unknown = 0,
    TytFamily = 0x10,
    RdbFamily = 0x20,
    D868Family = 0x30,
};

inline constexpr FormatFamily familyOf(FormatId id)
{
    switch (id >> 8) {
    case 0x10: return FormatFamily::TytFamily;
    case 0x20: return FormatFamily::RdbFamily;
    case 0x30: return FormatFamily::D868Family;
    default: return FormatFamily::Unknown;
    }
}

inline constexpr bool isKnownFormat(FormatId id)
{
    switch (id) {
    case Md380Format: case Md2017Format: case Md9600Format:
    case RdbV1Format: case RdbV11Format: case RdbV2Format:
    case D868Format:
        return true;
    default:
        return false;
    }
}

// Formats whose zones have two banks of 64 members.
inline constexpr bool hasZoneBanks(FormatId id) { return id == Md2017Format || id == Md9600Format; }

} // namespace pw
