// SPDX-License-Identifier: GPL-3.0-or-later
// Standard output that cannot take the output: a full disk, a closed descriptor, a pipe whose
// reader has gone with SIGPIPE ignored. Every command ends with status 1 and the reason, and tells
// of no success it cannot know.

#include "operations/structure_fixture.h"
#include "operations/transfer_fixture.h"
#include "support/run_process.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::OutputTarget;

TEST(CliStandardOutput, AFailedWriteEndsEveryCommandWithStatusOneAndTheReason)
{
    test::TempDir dir;
    const auto plug = dir.file("plug.rdt").string();
    ASSERT_TRUE(test::populatedFile(dir, Md380Format, plug));
    const auto users = dir.file("users.csv").string();
    test::writeText(users, "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\n"
                           "3112345,K0ABC,John,Smith,Kansas City,Missouri,United States\n");
    const std::string full = "standard output: No space left on device\n";
    const std::string closed = "standard output: Bad file descriptor\n";
    const std::string broken = "standard output: Broken pipe\n";
    const struct {
        std::vector<std::string> arguments;
        OutputTarget target;
        std::string reason;
    } cases[] = {
        {{"dump", plug}, OutputTarget::FullDevice, full},
        {{"dump", plug}, OutputTarget::BrokenPipe, broken},
        {{"info", plug}, OutputTarget::Closed, closed},
        {{"info", plug}, OutputTarget::FullDevice, full},
        {{"copy", plug, "contacts", "1-2"}, OutputTarget::FullDevice, full},
        {{"copy", plug, "zone", "Zone A"}, OutputTarget::Closed, closed},
        {{"export-contacts", plug, "-"}, OutputTarget::FullDevice, full},
        {{"iddb", "search", "smith", "--file", users}, OutputTarget::FullDevice, full},
        {{"iddb", "search", "smith", "--file", users}, OutputTarget::Closed, closed},
        {{"iddb", "export", "-", "--radio", "1", "--file", users}, OutputTarget::FullDevice, full},
        {{"--help"}, OutputTarget::FullDevice, full},
    };
    for (const auto& c : cases) {
        const auto result = test::runProcess(PLUGWRIGHT_CLI, c.arguments, {}, c.target);
        const auto shown = c.arguments.front() + " " + c.arguments.back();
        EXPECT_EQ(result.status, 1) << shown << "\n" << result.err;
        EXPECT_TRUE(result.err.ends_with(c.reason)) << shown << "\n" << result.err;
        EXPECT_EQ(result.err.find("succes"), std::string::npos) << shown << "\n" << result.err;
    }
}

TEST(CliStandardOutput, ASavedFileOnStandardOutputIsTheOnlyThingThatCanFailThere)
{
    test::TempDir dir;
    const auto plug = dir.file("plug.rdt").string();
    ASSERT_TRUE(test::populatedFile(dir, Md380Format, plug));
    const auto before = test::readBytes(plug);
    // The codeplug goes to standard output, which is closed: nothing may land in a file instead.
    const auto result =
        test::runProcess(PLUGWRIGHT_CLI, {"set-radio", plug, "--name", "Changed", "-o", "-"}, {}, OutputTarget::Closed);
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.ends_with("standard output: Bad file descriptor\n")) << result.err;
    EXPECT_EQ(test::readBytes(plug), before);

    // Nothing written to standard output: nothing to fail.
    const auto quiet = test::runProcess(PLUGWRIGHT_CLI, {"sort-contacts", plug, "0"}, {}, OutputTarget::Closed);
    EXPECT_EQ(quiet.status, 0) << quiet.err;
}

} // namespace
} // namespace pw
