// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding the rows of a long list by any part of their texts, blind to letter case and accents.
//
// Each row's texts are folded once, when the index is built: letters outside ASCII spelled in
// Latin letters ("Zürich" and "Łódź" read "zurich" and "lodz", Cyrillic and Greek in their Latin
// spelling) and every letter in lower case. The folded texts of all rows lie back to back in one
// string, with the position where each row starts, so that a search is one pass over contiguous
// memory: a hit is mapped to its row, and the search goes on from the next row. A search that only
// narrows the last one (the user typed one more letter) looks at the rows found last time.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// `utf8` as the index keeps it, appended to `out`.
void appendFolded(std::string& out, std::string_view utf8);
std::string foldedForSearch(std::string_view utf8);

class FoldedTextIndex {
public:
    // Builds the index of `rows` rows; `appendTexts(row, out)` appends the texts of one row to
    // `out`, each ended by FieldEnd so that no match spans two of them.
    template <typename AppendTexts>
    void build(int rows, AppendTexts appendTexts)
    {
        clear();
        rowStarts_.reserve(static_cast<std::size_t>(rows) + 1);
        std::string raw;
        for (int row = 0; row < rows; ++row) {
            rowStarts_.push_back(static_cast<std::uint32_t>(text_.size()));
            raw.clear();
            appendTexts(row, raw);
            appendFolded(text_, raw);
        }
        rowStarts_.push_back(static_cast<std::uint32_t>(text_.size()));
    }
    void clear();

    static constexpr char FieldEnd = '\x1F';

    int rowCount() const { return rowStarts_.empty() ? 0 : static_cast<int>(rowStarts_.size()) - 1; }
    // The rows, in ascending order, whose texts hold `folded` (a text already folded; every row for
    // an empty one).
    std::vector<int> rowsHolding(std::string_view folded) const;
    // The same among `rows` (ascending), for a search that narrows an earlier one.
    std::vector<int> rowsHolding(std::string_view folded, const std::vector<int>& rows) const;

private:
    std::string_view rowText(int row) const;

    std::string text_;
    std::vector<std::uint32_t> rowStarts_;
};

} // namespace pw
