// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Record numbers of a D868 section and the dense values that references to them become.
//
// D868 sections number their records from 1 and may skip numbers. A reference in the file names a
// record number; in the model it is the 1-based position of that record in its table, its dense
// value. For records numbered 1, 2, 5, 6 the skipped numbers (the gaps) are 3 and 4, and a
// reference to record 5 becomes 3: the record number minus the gaps below it.
//
// The dense value is looked up by record number rather than computed from the gaps, so that a
// reference to a skipped number, to a number no record has, or into a file whose numbers repeat or
// run backwards names no record instead of a wrong one.

#include <cstdint>
#include <utility>
#include <vector>

namespace pw {

class RecordNumbering {
public:
    // `gapLimit` bounds the gap list (4000 for channels, 10000 for talkgroups): a hostile number
    // far ahead must not make the list grow without end. Lookups do not depend on the list.
    explicit RecordNumbering(std::size_t gapLimit) : gapLimit_(gapLimit) {}

    // Records that the record numbered `number` sits at table position `position` (1-based).
    // Positions are given in ascending order. The expected number after a record is its number
    // plus one, so each skipped number is recorded as a gap exactly once.
    void add(std::uint32_t number, int position);

    // The 1-based table position of the first record numbered `number`; 0 when no record has it.
    int denseValue(std::uint64_t number) const;

    // The skipped numbers, ascending, at most `gapLimit` of them.
    const std::vector<std::uint32_t>& recordNumberGaps() const { return recordNumberGaps_; }

private:
    std::size_t gapLimit_;
    std::uint64_t expected_ = 1;
    // (record number, position), sorted by number once the numbers stop rising.
    mutable std::vector<std::pair<std::uint32_t, int>> byNumber_;
    mutable bool sorted_ = true;
    std::vector<std::uint32_t> recordNumberGaps_;
};

} // namespace pw
