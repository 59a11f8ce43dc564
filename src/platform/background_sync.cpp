// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/background_sync.h"

#include <cerrno>
#include <unistd.h>

namespace pw {

void BackgroundSync::grew(std::uintmax_t size)
{
    if (size - announced_ < Piece || noThread_)
        return;
    announced_ = size;
    {
        const std::lock_guard lock(mutex_);
        written_ = size;
    }
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            noThread_ = true;  // the file's own sync does all of it
        }
        return;
    }
    wake_.notify_one();
}

std::error_code BackgroundSync::finish()
{
    if (thread_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    const std::lock_guard lock(mutex_);
    return failure_;
}

void BackgroundSync::run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || written_ > synced_; });
        if (written_ == synced_)
            return;
        const std::uintmax_t target = written_;
        lock.unlock();
        int error = 0;
        while (::fdatasync(fd_) != 0 && (error = errno) == EINTR)
            error = 0;
        lock.lock();
        if (error != 0 && !failure_)
            failure_ = std::error_code(error, std::generic_category());
        synced_ = target;
    }
}

} // namespace pw
