// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The selection of the channel list as the mass change and the zone wizard take it.

#include <algorithm>
#include <vector>

namespace pw {

// The selected 0-based rows in list order, each once. A list view reports its selection top to
// bottom, so a selection handed in by a script in any order is handled the same way.
inline std::vector<int> rowsInListOrder(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// True when every row names a record of a table of `count` rows.
inline bool rowsWithin(const std::vector<int>& rows, int count)
{
    return std::all_of(rows.begin(), rows.end(), [count](int row) { return row >= 0 && row < count; });
}

} // namespace pw
