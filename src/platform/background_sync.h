// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes a file that is still being written durable on a thread of its own, a piece at a time.
//
// Making 11 MB durable takes a disk (or the host of a virtual machine) about as long as writing
// them takes the program, and a sync waits for the whole of it. Synced while the rest is still
// being produced, the sync that ends a save waits for little more than the last piece. Files of
// less than a piece never start the thread.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>

namespace pw {

class BackgroundSync {
public:
    // `fd` stays open until finish() has returned.
    explicit BackgroundSync(int fd) : fd_(fd) {}
    ~BackgroundSync() { finish(); }
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;

    // The file now holds `size` bytes.
    void grew(std::uintmax_t size);
    // Syncs what was announced and not yet synced, then ends the thread. The first failure of a
    // sync: the file's own sync may no longer report it, as the system tells a failed write-back
    // once.
    std::error_code finish();

private:
    void run();

    static constexpr std::uintmax_t Piece = std::uintmax_t{1} << 20;

    int fd_;
    std::uintmax_t announced_ = 0;
    bool noThread_ = false;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    // Guarded by mutex_:
    std::uintmax_t written_ = 0;
    std::uintmax_t synced_ = 0;
    bool stopping_ = false;
    std::error_code failure_;
};

} // namespace pw
