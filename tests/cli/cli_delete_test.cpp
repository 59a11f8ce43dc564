// SPDX-License-Identifier: GPL-3.0-or-later
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
    return runProcess(PLUGWRIGHT_CLI, arguments, {});
}

TEST(CliDelete, MalformedRowsAreUsageErrorsAndTouchNothing)
{
    TempDir dir;
    const auto path = test::writeFixture(dir.file("plug.rdt"), Md380Format);
    const auto before = test::readBytes(path);
    for (const char* command : {"delete-contacts", "delete-channels"}) {
        for (const char* rows : {"0", "3-1", "1,,2", "x", "-2"}) {
            const auto result = cli({command, path.string(), rows, "--yes"});
            EXPECT_EQ(result.status, 2) << command << ' ' << rows;
        }
        EXPECT_EQ(cli({command, path.string()}).status, 2) << command;
        EXPECT_EQ(cli({command, "--help"}).status, 0) << command;
    }
    EXPECT_EQ(test::readBytes(path), before);
}

TEST(CliDelete, RowsBeyondTheListAreRefusedBeforeAnythingIsDeleted)
{
    TempDir dir;
    for (const FormatId format : {Md380Format, RdbV2Format, D868Format}) {
        const auto path = test::writeFixture(dir.file("plug.bin"), format);
        const auto before = test::readBytes(path);
        const auto contacts = cli({"delete-contacts", path.string(), "1,100000", "--yes"});
        EXPECT_EQ(contacts.status, 1) << std::hex << format;
        EXPECT_NE(contacts.err.find(" is outside the contact list ("), std::string::npos) << contacts.err;
        EXPECT_EQ(contacts.out, "") << "nothing was asked";
        const auto channels = cli({"delete-channels", path.string(), "5000", "--yes", "-o", dir.file("out").string()});
        EXPECT_EQ(channels.status, 1) << std::hex << format;
        EXPECT_NE(channels.err.find("Row 5000 is outside the channel list ("), std::string::npos) << channels.err;
        EXPECT_EQ(test::readBytes(path), before);
        EXPECT_FALSE(std::filesystem::exists(dir.file("out")));
    }
}

} // namespace
} // namespace pw
