// SPDX-License-Identifier: GPL-3.0-or-later
// copy, paste and import-structures run as the real program.

#include "operations/clipboard_transfer.h"
#include "operations/structure_fixture.h"
#include "support/run_process.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::runProcess;
using test::TempDir;

test::ProcessResult cli(const std::vector<std::string>& arguments, const std::string& input = {})
{
    return runProcess(PLUGWRIGHT_CLI, arguments, input);
}

std::vector<int> allRows(int count)
{
    std::vector<int> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(i);
    return rows;
}

// A populated file of every format.
struct PopulatedFile {
    FormatId format;
    std::filesystem::path path;
    std::unique_ptr<Codeplug> codeplug;
};

std::vector<PopulatedFile> populatedFiles(const TempDir& dir)
{
    std::vector<PopulatedFile> files;
    for (const auto format : test::AllFormats) {
        const auto path = dir.file("populated" + std::to_string(format) + ".rdt");
        auto codeplug = test::populatedFile(dir, format, path);
        EXPECT_TRUE(codeplug) << format;
        if (codeplug)
            files.push_back({format, path, std::move(codeplug)});
    }
    return files;
}

TEST(CliClipboard, CopyPrintsTheClipboardTextByteForByte)
{
    TempDir dir;
    const auto files = populatedFiles(dir);
    ASSERT_EQ(files.size(), std::size(test::AllFormats));
    for (const auto& file : files) {
        SCOPED_TRACE(file.format);
        const auto& plug = *file.codeplug;
        auto result = cli({"copy", file.path.string(), "contacts", "4,1-2"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, contactsClipboardText(plug, {0, 1, 3}));
        result = cli({"copy", file.path.string(), "channels", "1-5"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, channelsClipboardText(plug, allRows(5)));
        result = cli({"copy", file.path.string(), "zone", "zone a"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, zoneClipboardText(plug, 0));
        EXPECT_EQ(result.out.rfind("DMR-ZONE\r\nZone A\r\n", 0), 0u);
    }
}

TEST(CliClipboard, CopyOfRowsOrAZoneThatAreNotThereFails)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), Md380Format).string();
    auto result = cli({"copy", plug, "contacts", "3"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Row 3 is outside the contact list (0 rows).\n");
    result = cli({"copy", plug, "zone", "Nowhere"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "There is no zone named 'Nowhere'.\n");
    result = cli({"copy", plug, "scanlists", "1"});
    EXPECT_EQ(result.status, 2);
}

TEST(CliClipboard, ContactsPastedIntoTheirOwnFileAreAllDuplicatesAndNothingIsSaved)
{
    TempDir dir;
    const auto files = populatedFiles(dir);
    ASSERT_EQ(files.size(), std::size(test::AllFormats));
    for (const auto& file : files) {
        SCOPED_TRACE(file.format);
        const auto before = test::readBytes(file.path);
        const auto copied = cli({"copy", file.path.string(), "contacts", "1-5"});
        const auto result = cli({"paste", file.path.string()}, copied.out);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "0 Contacts added; 5 Duplicates were skipped.\n");
        EXPECT_EQ(test::readBytes(file.path), before);
    }
}

TEST(CliClipboard, AChannelPastedIntoItsOwnFileIsADuplicateUnlessRenamed)
{
    TempDir dir;
    const auto files = populatedFiles(dir);
    ASSERT_EQ(files.size(), std::size(test::AllFormats));
    for (const auto& file : files) {
        SCOPED_TRACE(file.format);
        const auto text = dir.file("channel.txt");
        test::writeText(text, channelsClipboardText(*file.codeplug, {0}));
        auto result = cli({"paste", file.path.string(), text.string()});
        // The question answered No declines the paste of that channel.
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "Channel name 'DMR One' already exists; paste under new channel name?\n"
                              "0 new channels added; 1 duplicates skipped.\n");
        EXPECT_EQ(result.err, "Not done: \"Channel name 'DMR One' already exists; paste under new channel name?\" "
                              "was answered No; --yes answers Yes.\n");

        const auto out = dir.file("renamed.rdt");
        result = cli({"paste", file.path.string(), text.string(), "--yes", "--answer", "DMR One again", "-o",
                      out.string()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "Channel name 'DMR One' already exists; paste under new channel name?\n"
                              "1 new channels added; 0 duplicates skipped.\n");
        Codeplug saved;
        ASSERT_EQ(saved.open(out), file.format);
        ASSERT_TRUE(saved.decode());
        ASSERT_EQ(saved.channels().count(), 6);
        EXPECT_EQ(saved.channelAt(5)->name(), "DMR One again");
        EXPECT_EQ(test::channelContactName(saved, *saved.channelAt(5)), "TG Local");
    }
}

TEST(CliClipboard, ATwoBankZonePastedIntoAn0x1001FileKeepsBankA)
{
    TempDir dir;
    const auto source = test::populatedFile(dir, Md2017Format, dir.file("source.rdt"));
    const auto target = dir.file("target.rdt");
    ASSERT_TRUE(source);
    ASSERT_TRUE(test::populatedFile(dir, Md380Format, target));
    const auto copied = cli({"copy", dir.file("source.rdt").string(), "zone", "Zone A"});
    ASSERT_EQ(copied.status, 0);
    const auto result = cli({"paste", target.string(), "--answer", "Zone A2"}, copied.out);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "New zone 'Zone A2' inserted with 3 channels.\n"
                          "0 new channels added to codeplug; 3 duplicates skipped.\n"
                          "2 lines refused: channel of a zone bank this codeplug does not have (2)\n");
    Codeplug saved;
    ASSERT_EQ(saved.open(target), Md380Format);
    ASSERT_TRUE(saved.decode());
    ASSERT_EQ(saved.zones().count(), 3);
    EXPECT_EQ(test::memberNames(saved, *saved.zones().at(2)), (std::vector<std::string>{"DMR One", "DMR Two", "FM One"}));
}

TEST(CliClipboard, PasteMessagesAndRefusals)
{
    TempDir dir;
    const auto plug = test::writeFixture(dir.file("plug"), RdbV2Format).string();
    auto result = cli({"paste", plug}, "dmr-contact\r\n\"3100\",\"World\",\"Group Call\",\"No\"\r\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "1 contacts have been added.\n");

    result = cli({"paste", plug}, "SOMETHING\r\nelse\r\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Invalid clipboard data; unable to paste.\n");

    result = cli({"paste", plug}, "DMR-ZONE\r\n\r\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Invalid zone name in clipboard data.\n");

    result = cli({"paste", plug}, "DMR-CONTACT\r\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out + result.err, "");

    const auto missing = dir.file("missing.txt").string();
    result = cli({"paste", plug, missing});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "File '" + missing + "' could not be opened.\ncannot read " + missing +
                              ": No such file or directory\n");
}

TEST(CliStructures, AFileImportedIntoItselfPrintsTheReportAndSavesTheCopies)
{
    TempDir dir;
    const auto files = populatedFiles(dir);
    ASSERT_EQ(files.size(), std::size(test::AllFormats));
    for (const auto& file : files) {
        SCOPED_TRACE(file.format);
        const auto path = file.path.string();
        const auto result = cli({"import-structures", path, path});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "Results of import from " + path +
                                  ":\n\n0 contacts imported.\n2 Rx Groups imported.\n0 channels imported.\n"
                                  "2 scan lists imported.\n2 zones imported.\n\n");
        Codeplug saved;
        ASSERT_EQ(saved.open(file.path), file.format);
        ASSERT_TRUE(saved.decode());
        ASSERT_EQ(saved.zones().count(), 4);
        EXPECT_EQ(saved.zones().at(3)->name(), "Zone B1");
        EXPECT_EQ(saved.scanLists().at(2)->name(), "Scan A1");
        EXPECT_EQ(saved.rxGroupLists().at(3)->name(), "RG Quiet");
    }
}

TEST(CliStructures, KindsChooseWhatIsImported)
{
    TempDir dir;
    const auto files = populatedFiles(dir);
    ASSERT_EQ(files.size(), std::size(test::AllFormats));
    const auto& source = files.front();
    const auto plug = test::writeFixture(dir.file("plug"), Md2017Format).string();
    const auto out = dir.file("out").string();
    auto result = cli({"import-structures", plug, source.path.string(), "--kinds", "private-contacts,zones", "-o", out});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Results of import from " + source.path.string() +
                              ":\n\n2 contacts imported.\n2 zones imported.\n\n");

    result = cli({"import-structures", plug, source.path.string(), "--kinds", "channels,bogus"});
    EXPECT_EQ(result.status, 2);

    result = cli({"import-structures", plug, source.path.string(), "--kinds", ""});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Failed to import one or more structures. Details:\n\nError: No structures selected to import.\n");

    const auto nothing = dir.file("nothing").string();
    result = cli({"import-structures", plug, nothing});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Failed to import one or more structures. Details:\n\n\ncannot read " + nothing +
                              ": No such file or directory\n");
}

} // namespace
} // namespace pw
