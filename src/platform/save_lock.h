// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What keeps two saves of one file from losing each other's work.

#include <filesystem>
#include <system_error>

namespace pw {

// An advisory lock on an existing file for the duration of a save. A save that renames a new file
// over the old one leaves the lock on the old inode, so the lock is taken again until the inode
// locked is the one at the path.
class SaveLock {
public:
    SaveLock() = default;
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // Waits a few seconds at most for another save of `path` to end; SaveProblem::Busy when it
    // does not. A file that cannot be opened is not locked (the save then fails on its own).
    std::error_code acquire(const std::filesystem::path& path);
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace pw
