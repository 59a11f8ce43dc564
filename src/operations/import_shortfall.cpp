// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/import_shortfall.h"

namespace pw {

int ImportShortfall::refusedLines() const
{
    int count = 0;
    for (const auto& [reason, lines] : refused_)
        count += lines;
    return count;
}

std::string ImportShortfall::text(std::string_view verb, std::string_view table, int capacity) const
{
    std::string text;
    if (leftOut_ > 0)
        text += "\r\n" + groupedNumber(leftOut_) + " not " + std::string(verb) + ": the " + std::string(table) +
                " table holds at most " + groupedNumber(capacity);
    for (const auto& [reason, lines] : refused_)
        text += "\r\n" + groupedNumber(lines) + (lines == 1 ? " line" : " lines") + " refused: " + reason;
    return text;
}

std::string groupedNumber(long long value)
{
    auto digits = std::to_string(value < 0 ? -value : value);
    for (auto at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return (value < 0 ? "-" : "") + digits;
}

} // namespace pw
