// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file a save replaces, and what keeps two saves of it from losing each other's work.

#include <filesystem>
#include <system_error>

namespace pw {

// The file `path` names once symbolic links are followed (a link whose target is missing names
// that target), so that a save writes through the link instead of replacing it. Fails with ELOOP
// on a loop of links.
std::filesystem::path followLinks(const std::filesystem::path& path, std::error_code& error);

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

// A new name for the temporary file of a save of `target`: hidden, beside it, naming this process.
std::filesystem::path temporaryNameFor(const std::filesystem::path& target);

// Removes temporary files that saves of `target` left behind when they were killed: those of a
// process that no longer runs, and, while the save lock is held, those of an older naming.
void removeStaleTemporaries(const std::filesystem::path& target, bool lockHeld);

} // namespace pw
