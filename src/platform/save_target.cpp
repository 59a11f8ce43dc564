// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/save_target.h"

#include "platform/save_problem.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace pw {
namespace {

std::error_code systemError(int number) { return std::error_code(number, std::generic_category()); }

constexpr int MaxLinksFollowed = 40;
constexpr auto LockPatience = std::chrono::seconds(5);
constexpr auto LockRetry = std::chrono::milliseconds(20);
constexpr std::string_view TemporarySuffix = ".tmp";

bool allHex(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

} // namespace

std::filesystem::path followLinks(const std::filesystem::path& path, std::error_code& error)
{
    error.clear();
    auto current = path;
    for (int followed = 0; followed <= MaxLinksFollowed; ++followed) {
        std::error_code statusError;
        const auto status = std::filesystem::symlink_status(current, statusError);
        if (statusError || !std::filesystem::is_symlink(status))
            return current;
        const auto target = std::filesystem::read_symlink(current, error);
        if (error)
            return path;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    error = systemError(ELOOP);
    return path;
}

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
        std::this_thread::sleep_for(LockRetry);
    }
}

std::filesystem::path temporaryNameFor(const std::filesystem::path& target)
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%ld-%016llx.tmp", static_cast<long>(::getpid()),
                  static_cast<unsigned long long>(random()));
    return target.parent_path() / ("." + target.filename().string() + suffix);
}

void removeStaleTemporaries(const std::filesystem::path& target, bool lockHeld)
{
    const auto prefix = "." + target.filename().string() + ".";
    const auto directory = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const auto name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(TemporarySuffix) || !entry.is_regular_file(error))
            continue;
        const std::string_view tag =
            std::string_view(name).substr(prefix.size(), name.size() - prefix.size() - TemporarySuffix.size());
        const auto dash = tag.find('-');
        bool stale = false;
        if (dash == std::string_view::npos) {
            stale = lockHeld && tag.size() == 16 && allHex(tag);
        } else {
            const auto pid = tag.substr(0, dash);
            if (allHex(tag.substr(dash + 1)) && !pid.empty() &&
                pid.find_first_not_of("0123456789") == std::string_view::npos) {
                const long owner = std::stol(std::string(pid));
                stale = owner != ::getpid() && ::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH;
            }
        }
        if (stale)
            std::filesystem::remove(entry.path(), error);
    }
}

} // namespace pw
