// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private directory for the files a program needs only while it runs (standard input kept as a
// file, an output on its way to standard output). It is made readable by its owner only and is
// removed with everything in it when the object goes.

#include <filesystem>
#include <system_error>

namespace pw {

class ScratchDirectory {
public:
    ScratchDirectory() = default;
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // Makes the directory under the system's temporary directory on first use; empty with
    // `error` set when it cannot be made.
    const std::filesystem::path& path(std::error_code& error);

private:
    std::filesystem::path path_;
};

} // namespace pw
