// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/field_readers.h"

#include "model/text_trim.h"
#include "model/unicode_text.h"

namespace pw {
namespace {

// A line ends at its length or at its first zero byte, whichever comes first.
std::string_view untilZero(std::string_view line)
{
    const auto zero = line.find('\0');
    return zero == std::string_view::npos ? line : line.substr(0, zero);
}

// Skips blank bytes, stopping just after the first comma met.
std::size_t skipBlanksThroughComma(std::string_view line, std::size_t pos)
{
    while (pos < line.size()) {
        if (line[pos] == ',')
            return pos + 1;
        if (!isBlankByte(line[pos]))
            break;
        ++pos;
    }
    return pos;
}

bool isQuote(char c) { return c == '"' || c == '\''; }

// Passes a quoted item together with its closing quote; `pos` is on the opening quote.
std::size_t passQuoted(std::string_view line, std::size_t pos)
{
    const char quote = line[pos];
    const auto close = line.find(quote, pos + 1);
    return close == std::string_view::npos ? line.size() : close + 1;
}

// Copies from `from` up to `to`, at most `maxLength` bytes when that is not 0; returns where it stopped.
std::size_t copyLimited(std::string_view line, std::size_t from, std::size_t to, std::size_t maxLength,
                        std::string& out)
{
    if (maxLength != 0 && to - from > maxLength) {
        // The text is cut before a character that would be cut in two.
        out.assign(utf8Prefix(line.substr(from, to - from), maxLength));
        return from + maxLength;
    }
    out.assign(line.substr(from, to - from));
    return to;
}

} // namespace

std::optional<std::uint64_t> plainDecimal(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    constexpr auto Largest = UINT64_MAX;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        value = value > (Largest - digit) / 10 ? Largest : value * 10 + digit;
    }
    return value;
}

bool isPlainDecimalNumber(std::string_view text)
{
    const auto point = text.find('.');
    return plainDecimal(text.substr(0, point)).has_value() &&
           (point == std::string_view::npos || plainDecimal(text.substr(point + 1)).has_value());
}

namespace {

// Copies item `number` (0 = first) of `line`: the readers differ only in what `Syntax` says
// separates the items. Returns -1 when the line has fewer items, else where the copy stopped.
template <class Syntax>
int copyItem(std::string_view rawLine, int number, std::size_t maxLength, std::string& out)
{
    out.clear();
    const auto line = untilZero(rawLine);
    std::size_t pos = 0;
    for (int skipped = 0; skipped < number; ++skipped) {
        pos = Syntax::toNextItem(line, pos);
        if (pos >= line.size())
            return -1;
        pos = isQuote(line[pos]) ? passQuoted(line, pos) : Syntax::unquotedEnd(line, pos);
    }
    pos = Syntax::toWantedItem(line, pos);
    if (pos >= line.size())
        return -1;
    std::size_t stop;
    if (isQuote(line[pos])) {
        const auto close = line.find(line[pos], pos + 1);
        stop = copyLimited(line, pos + 1, close == std::string_view::npos ? line.size() : close, maxLength, out);
    } else {
        stop = copyLimited(line, pos, Syntax::unquotedEnd(line, pos), maxLength, out);
    }
    return static_cast<int>(stop);
}

// The item, or an empty text when the line has fewer items.
template <class Syntax>
std::string itemText(std::string_view line, int number, std::size_t maxLength)
{
    std::string out;
    copyItem<Syntax>(line, number, maxLength, out);
    return out;
}

struct CsvSyntax {
    // Channel lines put a blank after each comma: a quoted field after it is still quoted, or a
    // comma inside it would be taken for the end of the field.
    static std::size_t toNextItem(std::string_view line, std::size_t pos)
    {
        pos = skipBlanksThroughComma(line, pos);
        while (pos < line.size() && isBlankByte(line[pos]))
            ++pos;
        return pos;
    }
    static std::size_t toWantedItem(std::string_view line, std::size_t pos)
    {
        while (pos < line.size() && (isBlankByte(line[pos]) || line[pos] == ','))
            ++pos;
        return pos;
    }
    static std::size_t unquotedEnd(std::string_view line, std::size_t pos)
    {
        const auto comma = line.find(',', pos);
        return comma == std::string_view::npos ? line.size() : comma;
    }
};

struct WordSyntax {
    static std::size_t toNextItem(std::string_view line, std::size_t pos) { return skipBlanksThroughComma(line, pos); }
    static std::size_t toWantedItem(std::string_view line, std::size_t pos) { return skipBlanksThroughComma(line, pos); }
    static std::size_t unquotedEnd(std::string_view line, std::size_t pos)
    {
        while (pos < line.size() && !isBlankByte(line[pos]) && line[pos] != ',')
            ++pos;
        return pos;
    }
};

} // namespace

int CsvFieldReader::field(std::string_view line, int number, std::size_t maxLength, std::string& out)
{
    return copyItem<CsvSyntax>(line, number, maxLength, out);
}

std::string CsvFieldReader::field(std::string_view line, int number, std::size_t maxLength)
{
    return itemText<CsvSyntax>(line, number, maxLength);
}

int WordReader::word(std::string_view line, int number, std::size_t maxLength, std::string& out)
{
    return copyItem<WordSyntax>(line, number, maxLength, out);
}

std::string WordReader::word(std::string_view line, int number, std::size_t maxLength)
{
    return itemText<WordSyntax>(line, number, maxLength);
}

void splitCsvLine(std::string_view line, std::vector<std::string>& cells)
{
    // The cells' strings are reused from line to line: no allocation once they have grown.
    std::size_t count = 0;
    std::size_t pos = 0;
    for (;;) {
        if (count == cells.size())
            cells.emplace_back();
        std::string& cell = cells[count++];
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        if (pos < line.size() && line[pos] == '"') {
            cell.clear();
            ++pos;
            while (pos < line.size()) {
                const auto quote = line.find('"', pos);
                if (quote == std::string_view::npos) {
                    cell.append(line.substr(pos));
                    pos = line.size();
                    break;
                }
                cell.append(line.substr(pos, quote - pos));
                pos = quote + 1;
                if (pos < line.size() && line[pos] == '"') {
                    cell.push_back('"');
                    ++pos;
                    continue;
                }
                break;
            }
            // Anything between the closing quote and the comma is kept, as a lenient reader does.
            const auto comma = line.find(',', pos);
            const auto end = comma == std::string_view::npos ? line.size() : comma;
            cell.append(trimmedLine(line.substr(pos, end - pos)));
            pos = end;
        } else {
            const auto comma = line.find(',', pos);
            const auto end = comma == std::string_view::npos ? line.size() : comma;
            cell.assign(trimmedLine(line.substr(pos, end - pos)));
            pos = end;
        }
        if (pos >= line.size())
            break;
        ++pos; // the comma
    }
    cells.resize(count);
}

} // namespace pw
