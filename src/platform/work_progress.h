// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long work (an import of a large file, a sort of a large table) tells a front end how far it
// has come. The window shows a bar; the command line passes no WorkProgress and hears nothing.
//
// A work reports on one scale, 0 to ProgressScale, and never goes back: work in stages (read,
// then insert, then encode) gives each stage its share of the scale. It reports 0 when it starts
// and ProgressScale when it ends, whichever way it ends, so a bar that waits for the end is never
// left standing.

#include <cstdint>
#include <limits>

namespace pw {

inline constexpr int ProgressScale = 1000;

class WorkProgress {
public:
    virtual ~WorkProgress() = default;
    // `done` of `total`; `total` stays the same for one work and `done` only grows.
    virtual void progressed(int done, int total) = 0;
};

// One stage of a work: `steps` steps that fill the scale from `first` to `last`. The sink hears of
// a step only when it moves the scale, so a loop may call advance() for every record: below the
// next mark it costs one comparison.
class ProgressStage {
public:
    ProgressStage(WorkProgress* sink, std::int64_t steps, int first, int last);

    void advance(std::int64_t done)
    {
        if (done >= nextMark_)
            report(done);
    }
    void step() { advance(++done_); }
    // The stage is over, whatever steps it skipped.
    void finish() { report(steps_); }

private:
    void report(std::int64_t done);

    WorkProgress* sink_;
    std::int64_t steps_;
    int first_;
    int last_;
    int reported_;
    std::int64_t done_ = 0;
    std::int64_t nextMark_ = std::numeric_limits<std::int64_t>::max();
};

// One work from start to end: reports 0 when made and ProgressScale when it goes out of scope,
// also on an early return.
class ProgressRun {
public:
    explicit ProgressRun(WorkProgress* sink) : sink_(sink)
    {
        if (sink_)
            sink_->progressed(0, ProgressScale);
    }
    ~ProgressRun()
    {
        if (sink_)
            sink_->progressed(ProgressScale, ProgressScale);
    }
    ProgressRun(const ProgressRun&) = delete;
    ProgressRun& operator=(const ProgressRun&) = delete;

private:
    WorkProgress* sink_;
};

} // namespace pw
