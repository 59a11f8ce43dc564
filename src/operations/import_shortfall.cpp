// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/import_shortfall.h"

#include "model/contact.h"
#include "operations/text_lines.h"

#include <algorithm>

namespace pw {

void ImportShortfall::refuseLine(std::string_view reason, int lines)
{
    const auto known = std::find_if(refused_.begin(), refused_.end(),
                                     [reason](const auto& entry) { return entry.first == reason; });
    if (known != refused_.end())
        known->second += lines;
    else
        refused_.emplace_back(std::string(reason), lines);
}

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
    if (refused_.empty())
        return text;
    auto reasons = refused_;
    std::stable_sort(reasons.begin(), reasons.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    const int lines = refusedLines();
    text += "\r\n" + groupedNumber(lines) + (lines == 1 ? " line" : " lines") + " refused: ";
    for (std::size_t i = 0; i < reasons.size(); ++i)
        text += (i > 0 ? ", " : "") + reasons[i].first + " (" + groupedNumber(reasons[i].second) + ")";
    return text;
}

std::string groupedNumber(long long value)
{
    auto digits = std::to_string(value < 0 ? -value : value);
    for (auto at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return (value < 0 ? "-" : "") + digits;
}

std::string lineTooLongReason(std::size_t maxCharacters)
{
    return "line longer than " + groupedNumber(static_cast<long long>(maxCharacters)) + " characters";
}

std::optional<std::string> lineRefusal(std::string_view line, bool tooLong)
{
    if (tooLong)
        return lineTooLongReason(TextLineReader::MaxLineCharacters);
    if (line.find('\0') != std::string_view::npos)
        return ZeroByteInLine;
    return std::nullopt;
}

std::string contactLineRefusal(ContactLineRead fromLineResult)
{
    switch (fromLineResult) {
    case ContactLineRead::IdOutOfRange: return DmrIdAboveLimit;
    case ContactLineRead::IdNotANumber: return DmrIdNotANumber;
    case ContactLineRead::TooFewFields: return "fewer than four fields";
    default: return "line shorter than 10 characters";
    }
}

} // namespace pw
