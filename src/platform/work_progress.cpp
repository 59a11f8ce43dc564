// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/work_progress.h"

#include <algorithm>

namespace pw {

ProgressStage::ProgressStage(WorkProgress* sink, std::int64_t steps, int first, int last)
    : sink_(sink), steps_(std::max<std::int64_t>(steps, 0)), first_(first), last_(std::max(first, last)),
      reported_(first)
{
    if (sink_)
        report(0);
}

void ProgressStage::report(std::int64_t done)
{
    if (!sink_)
        return;
    done = std::clamp<std::int64_t>(done, 0, steps_);
    const std::int64_t span = last_ - first_;
    const int value = steps_ == 0 ? last_ : first_ + static_cast<int>(span * done / steps_);
    if (value > reported_) {
        reported_ = value;
        sink_->progressed(value, ProgressScale);
    }
    // The fewest steps that reach the next mark: first + span * d / steps >= reported + 1.
    if (reported_ >= last_ || span == 0)
        nextMark_ = std::numeric_limits<std::int64_t>::max();
    else
        nextMark_ = ((reported_ + 1 - first_) * steps_ + span - 1) / span;
}

} // namespace pw
