// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A network's list loaded on a thread of its own, so that a window stays responsive and shows
// the load's progress while it runs.
//
// The done flag is the hand-over: the thread alone writes the result until it sets the flag
// (release), and the owner reads it only after it has seen the flag (acquire). Progress is
// guarded by a lock and can be read at any time. The object owns its thread: a new start, stop()
// and the destructor raise the stop flag, which ends a download within a moment, and join it.

#include "networks/list_source.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace pw {

template <typename Load>
class BackgroundLoad {
public:
    // The work: a load with `stop` as its stop flag and `progress` as its report.
    using Work = std::function<Load(const std::atomic<bool>* stop, const ListProgressReport& progress)>;

    BackgroundLoad() = default;
    ~BackgroundLoad() { stop(); }
    BackgroundLoad(const BackgroundLoad&) = delete;
    BackgroundLoad& operator=(const BackgroundLoad&) = delete;

    // Stops what runs and starts `work`; false when no thread could be started.
    bool start(Work work)
    {
        stop();
        stop_.store(false, std::memory_order_release);
        done_.store(false, std::memory_order_release);
        {
            std::lock_guard lock(mutex_);
            progress_ = {};
        }
        try {
            thread_ = std::thread([this, work = std::move(work)] {
                result_ = work(&stop_, [this](const ListLoadProgress& progress) {
                    std::lock_guard lock(mutex_);
                    progress_ = progress;
                });
                done_.store(true, std::memory_order_release);
            });
        } catch (const std::system_error&) {
            return false;
        }
        return true;
    }

    bool started() const { return thread_.joinable(); }
    bool done() const { return done_.load(std::memory_order_acquire); }
    ListLoadProgress progress() const
    {
        std::lock_guard lock(mutex_);
        return progress_;
    }
    // The load's result, once done(): taken out, and the thread released.
    Load take()
    {
        if (thread_.joinable())
            thread_.join();
        return std::exchange(result_, Load());
    }
    void stop()
    {
        if (!thread_.joinable())
            return;
        stop_.store(true, std::memory_order_release);
        thread_.join();
    }

private:
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    mutable std::mutex mutex_;
    ListLoadProgress progress_;
    Load result_;
};

} // namespace pw
