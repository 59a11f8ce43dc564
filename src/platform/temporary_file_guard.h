// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The temporary file of a save: its name beside the target, and what keeps it from outliving the
// save. It is removed when the guard ends unless kept, and when SIGINT, SIGTERM or SIGHUP ends the
// program during the save.

#include <csignal>
#include <filesystem>

namespace pw {

// A new name for the temporary file of a save of `target`: hidden, beside it, naming this process.
// Where the target's name is so long that the temporary one would pass the folder's limit on a
// name, the target's name is cut short in it.
std::filesystem::path temporaryNameFor(const std::filesystem::path& target);

// Removes temporary files that saves of `target` left behind when they were killed: those of a
// process that no longer runs, and, while the save lock is held, those of an older naming.
void removeStaleTemporaries(const std::filesystem::path& target, bool lockHeld);

class TemporaryFileGuard {
public:
    explicit TemporaryFileGuard(std::filesystem::path path);
    ~TemporaryFileGuard();
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The file was renamed into place: nothing to remove any more.
    void release();

private:
    std::filesystem::path path_;
    bool armed_ = true;
    bool handlesSignals_ = false;
};

// Holds SIGINT, SIGTERM and SIGHUP back for the life of the object, for a step that must not be
// cut in two; a signal that arrived meanwhile is delivered when the object ends.
class SignalHold {
public:
    SignalHold();
    ~SignalHold();
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

private:
    sigset_t previous_;
};

} // namespace pw
