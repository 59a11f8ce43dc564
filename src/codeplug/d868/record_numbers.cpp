// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/d868/record_numbers.h"

#include <algorithm>

namespace pw {

void RecordNumbering::add(std::uint32_t number, int position)
{
    for (std::uint64_t skipped = expected_; skipped < number && recordNumberGaps_.size() < gapLimit_; ++skipped)
        recordNumberGaps_.push_back(static_cast<std::uint32_t>(skipped));
    // A number at or below one seen before records no gaps again.
    expected_ = std::max<std::uint64_t>(expected_, std::uint64_t{number} + 1);
    if (!byNumber_.empty() && number <= byNumber_.back().first)
        sorted_ = false;
    byNumber_.emplace_back(number, position);
}

int RecordNumbering::denseValue(std::uint64_t number) const
{
    if (!sorted_) {
        // Equal numbers keep their file order, so the first record of a number is found.
        std::stable_sort(byNumber_.begin(), byNumber_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        sorted_ = true;
    }
    const auto found = std::lower_bound(byNumber_.begin(), byNumber_.end(), number,
                                        [](const auto& entry, std::uint64_t value) { return entry.first < value; });
    if (found == byNumber_.end() || found->first != number)
        return 0;
    return found->second;
}

} // namespace pw
