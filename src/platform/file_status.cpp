// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_status.h"

#include <sys/stat.h>

namespace pw {

OpenFileStatus statusOfDescriptor(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return {};
    return {static_cast<std::uintmax_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

OpenFileStatus statusOf(std::FILE* file) { return statusOfDescriptor(::fileno(file)); }

} // namespace pw
