// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's command line: --help and --version answer without a window, an unknown
// option is reported instead of being opened as a file.

#include "plugwright_version.h"
#include "support/run_process.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

test::ProcessResult plugwright(const std::vector<std::string>& arguments)
{
    return test::runProcess(PLUGWRIGHT_GUI, arguments);
}

TEST(ProgramArguments, HelpAndVersionAnswerAndExit)
{
    auto result = plugwright({"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string("plugwright ") + PlugwrightVersion + "\n");
    result = plugwright({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.substr(0, 34), "Usage: plugwright [options] [file]");
}

TEST(ProgramArguments, UnknownOptionsAndSecondFilesAreUsageErrors)
{
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{"--bogus"}, "plugwright: Unknown option 'bogus'.\n"},
        {{"--help-me", "demo.rdt"}, "plugwright: Unknown option 'help-me'.\n"},
        {{"one.rdt", "two.rdt"}, "plugwright: Only one file can be opened.\n"},
    };
    for (const auto& c : cases) {
        const auto result = plugwright(c.arguments);
        EXPECT_EQ(result.status, 2) << c.error;
        EXPECT_NE(result.err.find(c.error + "Run plugwright --help for the usage.\n"), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace pw
