// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tone_code.h"

#include "model/letter_case.h"

#include <cctype>
#include <cmath>

namespace pw {
namespace {

std::string_view trimmed(std::string_view text)
{
    const auto zero = text.find('\0');
    if (zero != std::string_view::npos)
        text = text.substr(0, zero);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

// A nibble above 9 has no digit; it shows as 0, as a BCD frequency does.
char digitOf(unsigned nibble) { return nibble <= 9 ? static_cast<char>('0' + nibble) : '0'; }

} // namespace

std::string ToneCode::text() const
{
    if (isCtcss()) {
        std::string text = "000.0";
        text[0] = digitOf((value_ >> 12) & 0xF);
        text[1] = digitOf((value_ >> 8) & 0xF);
        text[2] = digitOf((value_ >> 4) & 0xF);
        text[4] = digitOf(value_ & 0xF);
        return text;
    }
    if (isDcs()) {
        std::string text = "D000N";
        text[1] = digitOf((value_ >> 8) & 0xF);
        text[2] = digitOf((value_ >> 4) & 0xF);
        text[3] = digitOf(value_ & 0xF);
        if (isInverted())
            text[4] = 'I';
        return text;
    }
    return "NONE";
}

ToneCode ToneCode::fromText(std::string_view input)
{
    const auto text = trimmed(input);
    if (text.empty() || equalsIgnoringCase(text, "NONE"))
        return none();

    if (text[0] == 'D' || text[0] == 'd') {
        if (text.size() < 4 || !isOctalDigit(text[1]) || !isOctalDigit(text[2]) || !isOctalDigit(text[3]))
            return none();
        const bool inverted = text.size() > 4 && text[4] != 'N' && text[4] != 'n';
        const auto digits = static_cast<std::uint16_t>(((text[1] - '0') << 8) | ((text[2] - '0') << 4) | (text[3] - '0'));
        return ToneCode(static_cast<std::uint16_t>(digits | (inverted ? 0xC000 : 0x8000)));
    }

    // Two or three digits, a full stop and one digit.
    const auto stop = text.find('.');
    if (stop == std::string_view::npos || stop < 2 || stop > 3 || text.size() != stop + 2)
        return none();
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != stop && !isDigit(text[i]))
            return none();
    unsigned value = 0;
    for (std::size_t i = 0; i < stop; ++i)
        value = (value << 4) | static_cast<unsigned>(text[i] - '0');
    value = (value << 4) | static_cast<unsigned>(text[stop + 1] - '0');
    return ToneCode(static_cast<std::uint16_t>(value));
}

double ToneCode::ctcssHertz() const
{
    if (!isCtcss())
        return 0.0;
    unsigned tenths = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const unsigned nibble = (value_ >> shift) & 0xF;
        tenths = tenths * 10 + (nibble <= 9 ? nibble : 0);
    }
    return tenths / 10.0;
}

ToneCode ToneCode::fromCtcssHertz(double hertz)
{
    const double tenths = std::round(hertz * 10.0);
    if (!(tenths >= 1.0 && tenths <= 9999.0))
        return none();
    auto n = static_cast<unsigned>(tenths);
    unsigned value = 0;
    for (int shift = 0; shift < 16; shift += 4, n /= 10)
        value |= (n % 10) << shift;
    return ToneCode(static_cast<std::uint16_t>(value));
}

std::uint16_t ToneCode::d868DcsWord() const
{
    if (!isDcs())
        return 0;
    const unsigned word = (((value_ >> 8) & 7u) << 6) | (((value_ >> 4) & 7u) << 3) | (value_ & 7u);
    return static_cast<std::uint16_t>(word | (isInverted() ? 512u : 0u));
}

ToneCode ToneCode::fromD868DcsWord(std::uint16_t word)
{
    return dcsTone(static_cast<std::uint16_t>(word & 0x1FF), (word & 512) != 0);
}

int ctcssToneIndex(ToneCode code)
{
    if (!code.isCtcss())
        return 0;
    const double hertz = code.ctcssHertz();
    for (std::size_t i = 0; i < CtcssToneTable.size(); ++i)
        if (ctcssToneAt(static_cast<int>(i)).ctcssHertz() == hertz)
            return static_cast<int>(i);
    return 0;
}

ToneCode ctcssToneAt(int index)
{
    const int size = static_cast<int>(CtcssToneTable.size());
    const int i = ((index % size) + size) % size;
    return ToneCode::fromText(CtcssToneTable[static_cast<std::size_t>(i)]);
}

ToneCode dcsTone(std::uint16_t octal, bool inverted)
{
    const unsigned digits = (((octal >> 6) & 7u) << 8) | (((octal >> 3) & 7u) << 4) | (octal & 7u);
    return ToneCode(static_cast<std::uint16_t>(digits | (inverted ? 0xC000u : 0x8000u)));
}

} // namespace pw
