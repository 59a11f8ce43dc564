// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Old 1-based table position to new 1-based position, used to rewrite references after a sort or
// an import. Entries are recorded as (new, old) pairs and then finalised into the lookup.

#include <string>
#include <vector>

namespace pw {

// True when a reordering left every record where it was: each new position holds its old one.
inline bool keepsEveryPosition(const std::vector<int>& oldPositions)
{
    for (std::size_t i = 0; i < oldPositions.size(); ++i)
        if (oldPositions[i] != static_cast<int>(i))
            return false;
    return true;
}

class IndexRemap {
public:
    explicit IndexRemap(int size);

    int size() const { return size_; }
    // Records that new position `newPosition` holds what was at `oldPosition`. A new position
    // outside 1..size is not recorded; its message is kept in problems().
    void remap(int newPosition, int oldPosition);
    void finalize();
    // The new position of `oldPosition`; 0 when none was recorded or it is outside 1..size.
    int lookup(int oldPosition) const;
    // The messages of the positions that could not be recorded.
    const std::vector<std::string>& problems() const { return problems_; }

private:
    int size_;
    std::vector<int> oldForNew_;
    std::vector<int> newForOld_;
    std::vector<std::string> problems_;
};

} // namespace pw
