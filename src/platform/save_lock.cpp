// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/save_lock.h"

#include "platform/save_problem.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {
namespace {

constexpr auto LockPatience = std::chrono::seconds(5);
constexpr timespec LockRetry{0, 20'000'000};

} // namespace

SaveLock::~SaveLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::error_code SaveLock::acquire(const std::filesystem::path& path)
{
    const auto deadline = std::chrono::steady_clock::now() + LockPatience;
    while (true) {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            struct stat locked {};
            struct stat current {};
            if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &current) == 0 && locked.st_dev == current.st_dev &&
                locked.st_ino == current.st_ino) {
                fd_ = fd;
                return {};
            }
            // Another save replaced the file while this one waited: lock the new one.
            ::close(fd);
            continue;
        }
        const int reason = errno;
        ::close(fd);
        if (reason != EWOULDBLOCK)
            return {};
        if (std::chrono::steady_clock::now() >= deadline)
            return SaveProblem::Busy;
        ::nanosleep(&LockRetry, nullptr);
    }
}

} // namespace pw
