// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a program with arguments and standard input, capturing its output and exit status.

#include <string>
#include <vector>

namespace pw::test {

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Where the program's standard output goes.
enum class OutputTarget {
    Captured,    // a pipe, read into ProcessResult::out
    FullDevice,  // /dev/full: every write fails with "No space left on device"
    Closed,      // no descriptor 1 at all
    BrokenPipe,  // a pipe whose reader has gone, with SIGPIPE ignored: writes fail with "Broken pipe"
};

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input = {}, OutputTarget output = OutputTarget::Captured);

} // namespace pw::test
