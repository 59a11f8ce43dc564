// SPDX-License-Identifier: GPL-3.0-or-later
// The conventions every command of plugwright-cli keeps: --version, unknown commands, "-" for
// standard input and output, status 1 with a reason for refused or declined work, the path and
// the system's reason after a message about a file, and dump's channel line.

#include "operations/channel_transfer.h"
#include "operations/clipboard_transfer.h"
#include "operations/structure_fixture.h"
#include "plugwright_version.h"
#include "support/run_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace pw {
namespace {

using test::TempDir;

test::ProcessResult cli(const std::vector<std::string>& arguments, const std::string& input = {})
{
    return test::runProcess(PLUGWRIGHT_CLI, arguments, input);
}

std::string textOf(const std::filesystem::path& path)
{
    const auto bytes = test::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(CliConventions, VersionPrintsTheProgramAndItsVersion)
{
    const auto result = cli({"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string("plugwright-cli ") + PlugwrightVersion + "\n");
}

TEST(CliConventions, AnUnknownCommandIsNamedInTheUsageError)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"bogus"}, {"--yes", "bogus", "x.rdt"}}) {
        const auto result = cli(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "Unknown command: bogus\nRun with --help for the list of commands.\n");
    }
    const auto nested = cli({"iddb", "bogus"});
    EXPECT_EQ(nested.status, 2);
    EXPECT_EQ(nested.err, "Unknown command: iddb bogus\nRun with --help for the list of commands.\n");
    EXPECT_EQ(cli({}).status, 2);
}

// Each command that reads a file, run once on the file and once with "-" and the file on standard
// input: the same status, output and result.
TEST(CliConventions, DashReadsStandardInputForEveryFileACommandReads)
{
    TempDir dir;
    const auto plug = test::populatedFile(dir, Md380Format, dir.file("plug.rdt"));
    ASSERT_TRUE(plug);
    const auto path = dir.file("plug.rdt").string();
    const auto other = test::populatedFile(dir, D868Format, dir.file("other.dcf"));
    ASSERT_TRUE(other);
    const auto otherPath = dir.file("other.dcf").string();
    test::writeText(dir.file("contacts.csv"), "\"3100\",\"World\",\"Group Call\",\"No\"\r\n");
    test::writeText(dir.file("channels.csv"), channelsCsvText(*other));
    test::writeText(dir.file("zone.txt"), zoneClipboardText(*plug, 0));
    const auto out = dir.file("out.rdt").string();

    const struct {
        std::vector<std::string> withPath;
        std::size_t dash;  // the argument that "-" replaces
        std::string input;
    } cases[] = {
        {{"info", path}, 1, path},
        {{"errors", path}, 1, path},
        {{"copy", path, "channels", "1-3"}, 1, path},
        {{"export-contacts", path, "-"}, 1, path},
        {{"import-contacts", path, dir.file("contacts.csv").string(), "-o", out}, 2, "contacts.csv"},
        {{"import-channels", path, dir.file("channels.csv").string(), "-o", out}, 2, "channels.csv"},
        {{"merge-contacts", path, otherPath, "-o", out}, 2, "other.dcf"},
        {{"import-channels-from", path, otherPath, "-o", out}, 2, "other.dcf"},
        {{"import-structures", path, otherPath, "--kinds", "zones", "-o", out}, 2, "other.dcf"},
        {{"paste", path, dir.file("zone.txt").string(), "--answer", "Pasted", "-o", out}, 2, "zone.txt"},
        {{"set-radio", path, "--name", "RADIO", "-o", out}, 1, path},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.withPath[0]);
        std::filesystem::remove(out);
        const auto byPath = cli(c.withPath);
        const auto savedByPath = std::filesystem::exists(out) ? textOf(out) : std::string();
        std::filesystem::remove(out);
        auto withDash = c.withPath;
        withDash[c.dash] = "-";
        const auto inputPath = c.input == path ? std::filesystem::path(path) : dir.file(c.input);
        const auto byDash = cli(withDash, textOf(inputPath));
        EXPECT_EQ(byDash.status, byPath.status) << byDash.err;
        EXPECT_EQ(byDash.err, byPath.err);
        // info and the structural import's report name the file they read.
        if (c.withPath[0] != "info" && c.withPath[0] != "import-structures") {
            EXPECT_EQ(byDash.out, byPath.out);
        }
        EXPECT_EQ(std::filesystem::exists(out) ? textOf(out) : std::string(), savedByPath);
    }
    EXPECT_EQ(cli({"info", "-"}, textOf(path)).out.substr(0, 9), "file: -\nf");
    EXPECT_EQ(cli({"import-structures", path, "-", "--kinds", "zones", "-o", out}, textOf(otherPath)).out.substr(0, 39),
              "Results of import from standard input:\n");
}

TEST(CliConventions, DashWritesStandardOutputAndTheMessagesGoToStandardError)
{
    TempDir dir;
    const auto plug = test::populatedFile(dir, RdbV2Format, dir.file("plug.rdb"));
    ASSERT_TRUE(plug);
    const auto path = dir.file("plug.rdb").string();
    const auto saved = dir.file("saved.rdb").string();

    // An export to "-" prints exactly what the export to a file writes.
    for (const auto* command : {"export-contacts", "export-channels"}) {
        SCOPED_TRACE(command);
        const auto csv = dir.file(std::string(command) + ".csv");
        const auto toFile = cli({command, path, csv.string()});
        ASSERT_EQ(toFile.status, 0) << toFile.err;
        const auto toDash = cli({command, path, "-"});
        EXPECT_EQ(toDash.status, 0);
        EXPECT_EQ(toDash.out, textOf(csv));
        EXPECT_EQ(toDash.err, toFile.out);
    }

    // A save to "-o -", or back to a FILE that was "-", prints the codeplug that -o FILE saves.
    const auto toFile = cli({"set-radio", path, "--name", "PIPED", "-o", saved});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    const auto before = textOf(path);
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"set-radio", path, "--name", "PIPED", "-o", "-"},
                                                                     {"set-radio", "-", "--name", "PIPED"}}) {
        const auto toDash = cli(arguments, arguments[1] == "-" ? before : std::string());
        EXPECT_EQ(toDash.status, 0) << toDash.err;
        EXPECT_EQ(toDash.out, textOf(saved));
        EXPECT_EQ(toDash.err, toFile.out);
    }
    EXPECT_EQ(textOf(path), before);

    // Standard input holds one file only.
    const auto twice = cli({"import-contacts", "-", "-", "-o", saved}, before);
    EXPECT_EQ(twice.status, 2);
    EXPECT_EQ(twice.err, "standard input (-) can be read only once\n");
}

TEST(CliConventions, RefusedOrDeclinedWorkEndsWithStatusOneAndItsReason)
{
    TempDir dir;
    const auto plug = test::populatedFile(dir, Md2017Format, dir.file("plug.rdt"));
    ASSERT_TRUE(plug);
    const auto path = dir.file("plug.rdt").string();
    const auto before = textOf(path);
    test::writeText(dir.file("zone.txt"), zoneClipboardText(*plug, 0));
    test::writeText(dir.file("channel.txt"), channelsClipboardText(*plug, {0}));
    test::writeText(dir.file("old.csv"), "keep me");
    const auto question = [](const std::string& text) {
        return "Not done: \"" + text + "\" was answered No; --yes answers Yes.\n";
    };

    const struct {
        std::vector<std::string> arguments;
        std::string err;
    } cases[] = {
        {{"delete-contacts", path, "4"},
         question("Are you sure you want to delete the contact: Alice (ID# 2345001) ?")},
        {{"delete-channels", path, "1,2"}, question("Are you sure you want to delete the 2 selected channels?")},
        {{"paste", path, dir.file("channel.txt").string()},
         question("Channel name 'DMR One' already exists; paste under new channel name?")},
        {{"paste", path, dir.file("zone.txt").string()},
         "Not done: the input box \"Zone Name in Use\" was cancelled; --answer TEXT answers it.\n"},
        {{"export-channels", path, dir.file("old.csv").string()},
         question("File '" + dir.file("old.csv").string() + "' already exists; overwrite?")},
        {{"mass-change", path, "1"},
         question("Warning: No changes are selected, so no action will be performed. Click YES to discard changes, "
                  "NO if you want to go back and select changes you've entered.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        const auto result = cli(c.arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, c.err);
    }
    EXPECT_EQ(textOf(path), before);
    EXPECT_EQ(textOf(dir.file("old.csv")), "keep me");

    // A refusal shown in a box on standard output is repeated on standard error.
    const auto empty = test::writeFixture(dir.file("empty.rdt"), Md380Format).string();
    const auto refused = cli({"export-contacts", empty, dir.file("c.csv").string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "There are no valid contacts in the file to export.\n");
    EXPECT_EQ(refused.err, refused.out);
}

TEST(CliConventions, AnImportThatFillsTheTableEndsWithStatusOne)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug.rdt"), Md380Format).string();
    std::string csv;
    for (int n = 1; n <= channelCapacity(Md380Format) + 1; ++n) {
        std::string line = "\"C" + std::to_string(n) + "\"";
        for (int field = 1; field < 42; ++field)
            line += field == 1 ? ", \"FM\"" : field == 3 || field == 4 ? ", \"146.52\"" : ", \"0\"";
        csv += line + "\r\n";
    }
    test::writeText(dir.file("full.csv"), csv);
    const auto result = cli({"import-channels", plug, dir.file("full.csv").string(), "-o", dir.file("out").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Channel memory is full.\n");
    EXPECT_TRUE(std::filesystem::exists(dir.file("out")));
}

TEST(CliConventions, AFileThatCannotBeReadOrWrittenIsNamedWithTheSystemsReason)
{
    TempDir dir;
    const auto plug = test::populatedFile(dir, D868Format, dir.file("plug.dcf"));
    ASSERT_TRUE(plug);
    const auto path = dir.file("plug.dcf").string();
    const auto missing = dir.file("missing.csv").string();
    const auto folder = dir.path().string();
    const auto unwritable = dir.file("no/such/folder.csv").string();

    const struct {
        std::vector<std::string> arguments;
        std::string out;
        std::string err;
    } cases[] = {
        {{"import-contacts", path, missing}, "File '" + missing + "' could not be opened.\n",
         "cannot read " + missing + ": No such file or directory\n"},
        {{"import-channels", path, folder}, "File '" + folder + "' could not be opened.\n",
         "cannot read " + folder + ": Is a directory\n"},
        {{"paste", path, missing}, "",
         "File '" + missing + "' could not be opened.\ncannot read " + missing + ": No such file or directory\n"},
        {{"export-contacts", path, unwritable}, "",
         "Failed to export contact data.\ncannot write " + unwritable + ": No such file or directory\n"},
        {{"export-channels", path, unwritable}, "Unable to write CSV file.\n",
         "cannot write " + unwritable + ": No such file or directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        const auto result = cli(c.arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);
    }
}

// dump's "line" is the channel line that copy and the channels CSV write, for names that need
// quoting and names as long as the format takes.
TEST(CliConventions, DumpLineIsTheLineThatCopyWrites)
{
    TempDir dir;
    const std::vector<std::string> names = {"Say \"Hi\"", "North, East", "\"A,B\",\"C\" long!", "Sixteen chars!!!"};
    for (const auto format : test::AllFormats) {
        SCOPED_TRACE(format);
        const auto path = dir.file("plug" + std::to_string(format));
        auto plug = test::openEmpty(dir, format, "empty" + std::to_string(format));
        for (const auto& name : names)
            test::addChannelNamed(*plug, name, true);
        ASSERT_TRUE(plug->save(path));

        const auto dump = cli({"dump", path.string()});
        ASSERT_EQ(dump.status, 0) << dump.err;
        const auto channels = nlohmann::json::parse(dump.out)["channels"];
        const auto csv = cli({"export-channels", path.string(), "-"});
        std::size_t csvAt = 0;
        for (std::size_t row = 0; row < channels.size(); ++row) {
            const auto copy = cli({"copy", path.string(), "channels", std::to_string(row + 1)});
            const std::string line = channels[row]["line"];
            // DMR-CHANNEL, then the channel's line and its contact's line.
            const auto start = copy.out.find("\r\n") + 2;
            EXPECT_EQ(copy.out.substr(start, copy.out.find("\r\n", start) - start), line);
            EXPECT_EQ(csv.out.substr(csvAt, line.size() + 2), line + "\r\n");
            csvAt += line.size() + 2;
        }
        EXPECT_GE(channels.size(), names.size());
    }
}

} // namespace
} // namespace pw
