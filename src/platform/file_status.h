// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few facts of an open file that reads and saves compare: its size and modification time.

#include <cstdint>
#include <cstdio>

namespace pw {

struct OpenFileStatus {
    std::uintmax_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
};
OpenFileStatus statusOf(std::FILE* file);
OpenFileStatus statusOfDescriptor(int fd);

} // namespace pw
