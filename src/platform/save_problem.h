// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reasons, other than the system's own, for which a save refuses to write a file.

#include <system_error>

namespace pw {

enum class SaveProblem {
    ReadOnly = 1,        // the file has no write permission for the user
    ChangedOnDisk,       // another program changed the file since it was opened
    NotRegularFile,      // a device, a FIFO, a socket: never replaced by a regular file
    Busy,                // another program holds the file's save lock
};

const std::error_category& saveProblemCategory();
inline std::error_code make_error_code(SaveProblem problem)
{
    return {static_cast<int>(problem), saveProblemCategory()};
}

} // namespace pw

template <>
struct std::is_error_code_enum<pw::SaveProblem> : std::true_type {};
