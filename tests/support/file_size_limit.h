// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes every write of this process past `bytes` fail while it lives, as a full disk would: the
// tests of safe saving use it. SIGXFSZ is ignored so that the write returns an error instead of
// ending the process.

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace pw::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    rlimit old_{};
    bool active_ = false;
};

} // namespace pw::test
