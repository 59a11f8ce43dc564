// SPDX-License-Identifier: GPL-3.0-or-later
// mass-change and zone-wizard through the real binary: the contract's options, messages, exit
// statuses and saving.

#include "support/fixture_builder.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::runProcess;
using test::TempDir;

test::ProcessResult cli(const std::vector<std::string>& arguments)
{
    return runProcess(PLUGWRIGHT_CLI, arguments);
}

TEST(CliWizardUsage, BadOptionValuesAreUsageErrorsThatLeaveTheFileAlone)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    const auto before = test::readBytes(path);
    const std::vector<std::vector<std::string>> cases = {
        {"mass-change", path.string(), "0", "--append", "x"},
        {"mass-change", path.string(), "2-1", "--append", "x"},
        {"mass-change", path.string(), "1", "--offset", "up"},
        {"mass-change", path.string(), "1", "--slot", "3"},
        {"mass-change", path.string(), "1", "--color", "16"},
        {"mass-change", path.string(), "1", "--encode", "62.5"},
        {"mass-change", path.string(), "1", "--decode", "D999N"},
        {"mass-change", path.string(), "1", "--replace", "a"},
        {"mass-change", path.string(), "1", "--with", "b"},
        {"mass-change", path.string()},
        {"zone-wizard", path.string(), "1"},
        {"zone-wizard", path.string(), "x", "--zone", "Z"},
    };
    for (const auto& arguments : cases) {
        const auto result = cli(arguments);
        EXPECT_EQ(result.status, 2) << arguments[2] << " " << (arguments.size() > 3 ? arguments[3] : "");
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_EQ(test::readBytes(path), before);
}

TEST(CliWizardUsage, UnreadableFileFailsWithTheContractsMessage)
{
    TempDir dir;
    test::writeBytes(dir.file("junk"), std::vector<std::uint8_t>(1000, 0x42));
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"mass-change", dir.file("junk").string(), "1", "--append", "x"},
             {"zone-wizard", dir.file("junk").string(), "1", "--zone", "Z"}}) {
        const auto result = cli(arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "Failed to load Codeplug; the specified file is invalid.\n");
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
} // namespace pw
