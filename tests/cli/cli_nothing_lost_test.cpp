// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing done behind the user's back: a command that changed nothing leaves the file as it was, a
// declined paste saves nothing, no input is no success, and text from a file cannot drive the
// terminal or break the lines of `info`.

#include "operations/clipboard_transfer.h"
#include "operations/contact_transfer.h"
#include "operations/structure_fixture.h"
#include "operations/transfer_fixture.h"
#include "support/run_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>

namespace pw {
namespace {

test::ProcessResult cli(const std::vector<std::string>& arguments, const std::string& input = {})
{
    return test::runProcess(PLUGWRIGHT_CLI, arguments, input);
}

// What a rewrite would change even with the same bytes: the inode and the modification time.
std::pair<ino_t, std::int64_t> identity(const std::string& path)
{
    struct stat status {};
    ::stat(path.c_str(), &status);
    return {status.st_ino, status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec};
}

TEST(CliNothingLost, ACommandThatChangesNothingLeavesTheFileAsItIs)
{
    test::TempDir dir;
    const auto plug = dir.file("plug.rdt").string();
    const auto codeplug = test::populatedFile(dir, Md380Format, plug);
    ASSERT_TRUE(codeplug);
    const auto csv = dir.file("contacts.csv").string();
    test::writeText(csv, contactsCsvText(*codeplug));
    const std::vector<std::vector<std::string>> commands = {
        {"set-radio", plug, "--name", "Same Name"}, {"set-radio", plug, "--id", "3112345"},
        {"set-radio", plug, "--vendor", "2"},       {"sort-contacts", plug, "2"},
        {"sort-channels", plug, "1"},               {"import-contacts", plug, csv},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0] + " " + command[2]);
        // The first run may change the file; the second finds everything as it would make it.
        ASSERT_EQ(cli(command).status, 0);
        const auto before = identity(plug);
        const auto bytes = test::readBytes(plug);
        const auto again = cli(command);
        EXPECT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(identity(plug), before);
        EXPECT_EQ(test::readBytes(plug), bytes);
    }
}

TEST(CliNothingLost, APasteAnsweredNoSavesNothing)
{
    test::TempDir dir;
    const auto plug = dir.file("plug.rdt").string();
    const auto codeplug = test::populatedFile(dir, Md380Format, plug);
    ASSERT_TRUE(codeplug);
    // A new channel and one whose name is taken: the question for the second is answered No.
    auto text = channelsClipboardText(*codeplug, {0, 1});
    const auto renamed = text.find(codeplug->channelAt(1)->name());
    text.replace(renamed, codeplug->channelAt(1)->name().size(), "Brand New");
    const auto before = test::readBytes(plug);
    const auto result = cli({"paste", plug}, text);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("was answered No"), std::string::npos) << result.err;
    EXPECT_EQ(test::readBytes(plug), before);
}

TEST(CliNothingLost, EmptyStandardInputIsNoInputNotAnEmptyImport)
{
    test::TempDir dir;
    const auto plug = dir.file("plug.rdt").string();
    ASSERT_TRUE(test::populatedFile(dir, Md380Format, plug));
    for (const auto& command : std::vector<std::vector<std::string>>{
             {"import-contacts", plug, "-"}, {"import-channels", plug, "-"}, {"paste", plug}, {"info", "-"}}) {
        SCOPED_TRACE(command[0]);
        const auto result = cli(command);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "standard input: no input\n");
    }
}

TEST(CliNothingLost, ControlCharactersFromAFileAreShownEscaped)
{
    test::TempDir dir;
    const auto plug = dir.file("plug\nname.rdt").string();
    ASSERT_TRUE(test::populatedFile(dir, Md380Format, plug));
    const std::string name = "A\x1b[2J\x07" "B\nC";
    ASSERT_EQ(cli({"set-radio", plug, "--name", name}).status, 0);

    const auto info = cli({"info", plug});
    EXPECT_NE(info.out.find("file: " + dir.file("plug").string() + "\\nname.rdt\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("radio name: A\\x1b[2J\\x07B\\nC\n"), std::string::npos) << info.out;
    EXPECT_EQ(std::count(info.out.begin(), info.out.end(), '\n'), 11);
    // JSON escapes them its own way, and reads back as they are.
    const auto dump = cli({"dump", plug});
    EXPECT_NE(dump.out.find("\"radioName\": \"A\\u001b[2J\\u0007B\\nC\""), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(dump.out)["radioName"], name);
    // A name inside a message.
    const auto missing = cli({"copy", plug, "zone", "Z\x1b]0;x\x07"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "There is no zone named 'Z\\x1b]0;x\\x07'.\n");
}

} // namespace
} // namespace pw
