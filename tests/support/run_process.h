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

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input = {});

} // namespace pw::test
