// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CTCSS and DCS settings as one 16-bit code, the form in which the TYT family stores them and in
// which every other family's tone fields are read and written:
//
//   0xFFFF              no tone
//   00xx xxxx xxxx xxxx CTCSS, four BCD digits of the frequency in tenths of a hertz (88.5 Hz = 0x0885)
//   10.. dddd dddd dddd DCS normal, bits 8-11, 4-7 and 0-3 the three octal digits (D023N = 0x8023)
//   11.. dddd dddd dddd DCS inverted, digits as above (D754I = 0xC754)
//
// The D868 family stores a CTCSS tone as an index into CtcssToneTable and a DCS code as one 9-bit
// number of its octal digits plus 512 when inverted; the conversions are here too.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

class ToneCode {
public:
    static constexpr std::uint16_t NoneValue = 0xFFFF;

    constexpr ToneCode() = default;
    constexpr explicit ToneCode(std::uint16_t value) : value_(value) {}
    static constexpr ToneCode none() { return ToneCode(); }

    constexpr std::uint16_t value() const { return value_; }
    constexpr bool isNone() const { return value_ == NoneValue; }
    constexpr bool isCtcss() const { return !isNone() && (value_ & 0xC000) == 0; }
    constexpr bool isDcs() const { return !isNone() && (value_ & 0x8000) != 0; }
    constexpr bool isInverted() const { return isDcs() && (value_ & 0x4000) != 0; }
    constexpr bool operator==(const ToneCode&) const = default;

    // "067.0" style for CTCSS (always five characters), "D023N" / "D023I" for DCS, "NONE" otherwise.
    std::string text() const;

    // "NONE" (any case) and texts that fit no form give no tone. A text beginning with "D" or "d"
    // is DCS: three octal digits, then "N" (or "n") for normal; any other fifth character gives the
    // inverted code, and a text that ends after the digits is taken as normal. Anything else must be
    // CTCSS: two or three digits, a full stop and one digit. Surrounding blanks are ignored.
    static ToneCode fromText(std::string_view text);

    // The CTCSS frequency in hertz (0 for a code that is not CTCSS).
    double ctcssHertz() const;
    // The CTCSS code of a frequency in hertz, rounded to a tenth; no tone outside 0.1 to 999.9 Hz.
    static ToneCode fromCtcssHertz(double hertz);

    // The D868 DCS word: first digit × 64 + second × 8 + third, plus 512 when inverted.
    std::uint16_t d868DcsWord() const;
    static ToneCode fromD868DcsWord(std::uint16_t word);

private:
    std::uint16_t value_ = NoneValue;
};

// The 51 CTCSS tones of the D868 family (which stores their index) and of the editors.
inline constexpr std::array<std::string_view, 51> CtcssToneTable = {
    "62.5",  "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3", "131.8",
    "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9", "171.3", "173.8",
    "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5", "203.5", "206.5", "210.7",
    "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

// The index of a CTCSS code in CtcssToneTable by numeric equality; 0 when no entry matches.
int ctcssToneIndex(ToneCode code);
// The code of table entry `index`, read modulo the table size.
ToneCode ctcssToneAt(int index);

// The 104 standard DCS codes, as three octal digits each, in ascending order (023 to 754).
inline constexpr std::array<std::uint16_t, 104> DcsCodeTable = {
    0023, 0025, 0026, 0031, 0032, 0036, 0043, 0047, 0051, 0053, 0054, 0065, 0071, 0072, 0073, 0074,
    0114, 0115, 0116, 0122, 0125, 0131, 0132, 0134, 0143, 0145, 0152, 0155, 0156, 0162, 0165, 0172,
    0174, 0205, 0212, 0223, 0225, 0226, 0243, 0244, 0245, 0246, 0251, 0252, 0255, 0261, 0263, 0265,
    0266, 0271, 0274, 0306, 0311, 0315, 0325, 0331, 0332, 0343, 0346, 0351, 0356, 0364, 0365, 0371,
    0411, 0412, 0413, 0423, 0431, 0432, 0445, 0446, 0452, 0454, 0455, 0462, 0464, 0465, 0466, 0503,
    0506, 0516, 0523, 0526, 0532, 0546, 0565, 0606, 0612, 0624, 0627, 0631, 0632, 0654, 0662, 0664,
    0703, 0712, 0723, 0731, 0732, 0734, 0743, 0754};

// The DCS code of an octal number such as 0754 from DcsCodeTable.
ToneCode dcsTone(std::uint16_t octal, bool inverted);

} // namespace pw
