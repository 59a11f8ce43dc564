// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fixture_builder.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace pw {
namespace {

using test::runProcess;
using test::TempDir;

test::ProcessResult cli(const std::vector<std::string>& arguments, const std::string& input = {})
{
    return runProcess(PLUGWRIGHT_CLI, arguments, input);
}

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

const std::string TwoContacts = "\"3100\",\"World\",\"Group Call\",\"No\"\r\n"
                                "\"2345678\",\"J\xE9r\xF4me\",\"Private Call\",\"Yes\"\r\n";

TEST(CliTransfer, ImportContactsPrintsTheCountAndSavesToTheOutputOnly)
{
    TempDir dir;
    for (const auto format : {Md380Format, RdbV2Format, D868Format}) {
        const auto plug = test::writeFixture(dir.file("plug"), format);
        const auto before = test::readBytes(plug);
        writeText(dir.file("in.csv"), TwoContacts);
        const auto out = dir.file("out");
        std::filesystem::remove(out);
        const auto result = cli({"import-contacts", plug.string(), dir.file("in.csv").string(), "-o", out.string()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "2 contacts imported.\n");
        EXPECT_EQ(result.err, "");
        EXPECT_TRUE(std::filesystem::exists(out));
        EXPECT_EQ(test::readBytes(plug), before);
    }
}

TEST(CliTransfer, ImportContactsFromAMissingFileFails)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), Md380Format).string();
    const auto missing = dir.file("missing.csv").string();
    const auto result = cli({"import-contacts", plug, missing});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "File '" + missing + "' could not be opened.\n");
}

TEST(CliTransfer, ExportsOfEmptyTablesAreRefused)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), Md380Format).string();
    auto result = cli({"export-contacts", plug, "-"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "There are no valid contacts in the file to export.\n");
    result = cli({"export-contacts", plug, dir.file("c.csv").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "There are no valid contacts in the file to export.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.csv")));
    result = cli({"export-channels", plug, "-"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Unable to write CSV file.\n");
}

TEST(CliTransfer, ExportChannelsAsksBeforeOverwriting)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), Md2017Format).string();
    const auto existing = dir.file("old.csv");
    writeText(existing, "keep me");
    const auto result = cli({"export-channels", plug, existing.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "File '" + existing.string() + "' already exists; overwrite?\n");
    EXPECT_EQ(result.err, "Not done: \"File '" + existing.string() +
                              "' already exists; overwrite?\" was answered No; --yes answers Yes.\n");
    std::ifstream in(existing);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "keep me");
}

TEST(CliTransfer, ImportChannelsPrintsTheClosingMessage)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), RdbV1Format).string();
    std::string line;
    for (int n = 0; n < 42; ++n)
        line += (n ? ", \"" : "\"") + std::string(n == 0 ? "First" : n == 1 ? "FM" : n == 3 || n == 4 ? "146.52" : "0") + "\"";
    writeText(dir.file("ch.csv"), line + "\r\n" + line + "\r\n");
    const auto result = cli({"import-channels", plug, dir.file("ch.csv").string(), "-o", dir.file("out").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "1 new channels added; 1 duplicates skipped.\n");
}

TEST(CliTransfer, ImportsFromFilesThatAreNoCodeplugFail)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), Md380Format).string();
    writeText(dir.file("junk"), "junk");
    auto result = cli({"merge-contacts", plug, dir.file("junk").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Unable to open the specified file for merging.\n");
    result = cli({"import-channels-from", plug, dir.file("junk").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Unable to read specified file. Is it a valid\nradio database file?\n");
}

TEST(CliTransfer, MergeThatAddsNothingSavesNothing)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), Md380Format).string();
    const auto other = test::writeFixture(dir.file("other"), D868Format).string();
    const auto out = dir.file("out");
    const auto result = cli({"merge-contacts", plug, other, "-o", out.string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "0 contacts imported.\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(CliTransfer, SortsCheckTheirColumns)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), Md380Format).string();
    EXPECT_EQ(cli({"sort-channels", plug, "12"}).status, 2);
    EXPECT_EQ(cli({"sort-contacts", plug, "5"}).status, 2);
    EXPECT_EQ(cli({"sort-contacts", plug, "x"}).status, 2);
    for (const auto& command : {"sort-contacts", "sort-channels"}) {
        const auto result = cli({command, plug, "1"});
        EXPECT_EQ(result.status, 0) << command << result.err;
        EXPECT_EQ(result.out, "");
    }
}

// Round trips through files need the family codec to keep the records; the TYT family's does.
TEST(CliTransfer, ContactsAndChannelsGoThroughFilesAndBack)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), Md380Format).string();
    const auto other = test::writeFixture(dir.file("other"), Md2017Format).string();
    writeText(dir.file("in.csv"), TwoContacts);
    ASSERT_EQ(cli({"import-contacts", other, dir.file("in.csv").string()}).out, "2 contacts imported.\n");
    std::string channel;
    for (int n = 0; n < 42; ++n)
        channel += (n ? ", \"" : "\"") +
                   std::string(n == 0 ? "Net" : n == 1 ? "DMR" : n == 36 ? "World" : n == 3 || n == 4 ? "438.5" : "1") + "\"";
    writeText(dir.file("ch.csv"), channel + "\r\n");
    ASSERT_EQ(cli({"import-channels", other, dir.file("ch.csv").string()}).out,
              "1 new channels added; 0 duplicates skipped.\n");

    auto result = cli({"export-contacts", other, "-"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "\"3100\",\"World\",\"Group Call\",\"No\",\"\",\"\",\"\",\"\",\"\"\r\n"
                          "\"2345678\",\"J\xC3\xA9r\xC3\xB4me\",\"Private Call\",\"Yes\",\"\",\"\",\"\",\"\",\"\"\r\n");

    result = cli({"import-channels-from", plug, other});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "1 Channels added (with 1 new supporting digital contacts).\n\n0 duplicate channels skipped.\n");
    result = cli({"merge-contacts", plug, other});
    EXPECT_EQ(result.out, "1 contacts imported.\n");
    result = cli({"sort-contacts", plug, "1"});
    EXPECT_EQ(result.status, 0);
    result = cli({"export-contacts", plug, "-"});
    EXPECT_EQ(result.out, "\"3100\",\"World\",\"Group Call\",\"No\",\"\",\"\",\"\",\"\",\"\"\r\n"
                          "\"2345678\",\"J\xC3\xA9r\xC3\xB4me\",\"Private Call\",\"Yes\",\"\",\"\",\"\",\"\",\"\"\r\n");
    result = cli({"export-channels", plug, "-"});
    EXPECT_EQ(result.out.substr(0, 14), "\"Net\", \"DMR\", ");
    EXPECT_NE(result.out.find("\"World\", \"NONE\""), std::string::npos) << result.out;

    const auto out = dir.file("channels.csv").string();
    result = cli({"export-channels", plug, out});
    EXPECT_EQ(result.out, "Successfully wrote channel data to CSV file.\n");
    result = cli({"export-channels", plug, out, "--yes"});
    EXPECT_EQ(result.out, "File '" + out + "' already exists; overwrite?\nSuccessfully wrote channel data to CSV file.\n");
    result = cli({"import-channels", plug, out});
    EXPECT_EQ(result.out, "0 new channels added; 1 duplicates skipped.\n");
}

TEST(CliTransfer, ExportAndImportNeedTheirArguments)
{
    for (const auto& command : {"export-contacts", "export-channels", "import-contacts", "merge-contacts",
                                "import-channels", "import-channels-from"})
        EXPECT_EQ(cli({command, "only-one"}).status, 2) << command;
}

} // namespace
} // namespace pw
