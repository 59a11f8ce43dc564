// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/folded_text_index.h"

#include "model/letter_case.h"
#include "model/unicode_text.h"

#include <algorithm>
#include <numeric>

namespace pw {

void appendFolded(std::string& out, std::string_view utf8)
{
    const std::size_t start = out.size();
    if (isAscii(utf8))
        out += utf8;
    else
        out += transliterateToAscii(utf8);
    std::transform(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), out.begin() + static_cast<std::ptrdiff_t>(start),
                   lowerAscii);
}

std::string foldedForSearch(std::string_view utf8)
{
    std::string folded;
    appendFolded(folded, utf8);
    return folded;
}

void FoldedTextIndex::clear()
{
    text_.clear();
    rowStarts_.clear();
}

std::string_view FoldedTextIndex::rowText(int row) const
{
    const auto begin = rowStarts_[static_cast<std::size_t>(row)];
    const auto end = rowStarts_[static_cast<std::size_t>(row) + 1];
    return std::string_view(text_).substr(begin, end - begin);
}

std::vector<int> FoldedTextIndex::rowsHolding(std::string_view folded) const
{
    std::vector<int> rows;
    if (folded.empty()) {
        rows.resize(static_cast<std::size_t>(rowCount()));
        std::iota(rows.begin(), rows.end(), 0);
        return rows;
    }
    const std::string_view text = text_;
    auto nextRow = rowStarts_.begin();
    for (std::size_t from = 0;;) {
        const std::size_t hit = text.find(folded, from);
        if (hit == std::string_view::npos)
            break;
        // Hits come in ascending order: the row is looked up from the last one on.
        nextRow = std::upper_bound(nextRow, rowStarts_.end(), static_cast<std::uint32_t>(hit));
        rows.push_back(static_cast<int>(nextRow - rowStarts_.begin()) - 1);
        from = *nextRow;
    }
    return rows;
}

std::vector<int> FoldedTextIndex::rowsHolding(std::string_view folded, const std::vector<int>& rows) const
{
    std::vector<int> kept;
    for (const int row : rows)
        if (rowText(row).find(folded) != std::string_view::npos)
            kept.push_back(row);
    return kept;
}

} // namespace pw
