// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the temporary file of a save from outliving it: removed when the guard ends unless kept,
// and removed when SIGINT, SIGTERM or SIGHUP ends the program during the save.

#include <csignal>
#include <filesystem>

namespace pw {

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
