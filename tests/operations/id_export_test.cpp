// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/id_export_command.h"

#include "iddb/iddb_test_records.h"
#include "support/file_size_limit.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::idRecord;

std::string fileText(const std::filesystem::path& path)
{
    const auto bytes = test::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<IdRecordFields> exportRecords()
{
    return {
        idRecord("3112345", "K0ABC", "John Smith", "Kansas City", "Missouri", "United States", "r"),
        idRecord("3112346", "W0XYZ", "Jane Doe", "Springfield", "MISSOURI", "United States"),
        idRecord("3112347", "N0MIS", "Sam Antimissouri", "Town", "Iowa", "United States"),
        idRecord("2345001", "G4XYZ", "Ann, Other", "Leeds", "", "United Kingdom"),
    };
}

class Export : public ::testing::Test {
protected:
    Export() : users(store) {}
    ExportOutcome exportAs(RadioCsvType type) { return exportIdRecords(&users, {type, {}, {}}, prompts); }
    std::string expectedText(RadioCsvType type) { return exportSelection(users, {}, type).text; }

    test::TempDir dir;
    IdRecordStore store = test::storeOf(exportRecords());
    IdUserIndex users;
    ScriptedPrompts prompts;
};

TEST_F(Export, WritesTheChosenFileAndReports)
{
    const auto path = dir.file("out.csv");
    prompts.choose(path.string());
    EXPECT_EQ(exportAs(RadioCsvType::Md380), ExportOutcome::Written);
    EXPECT_EQ(fileText(path), expectedText(RadioCsvType::Md380));
    EXPECT_EQ(prompts.lastText(), "CSV output file successfully written.\r\n4 users selected of 4; capacity 1000");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Information);
    ASSERT_EQ(prompts.requests().size(), 1u);
    const auto& request = prompts.requests()[0];
    EXPECT_EQ(request.title, "Export CSV Contacts Data Set...");
    EXPECT_EQ(request.confirmText, "Export CSV >");
    EXPECT_EQ(request.filter, "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||");
    EXPECT_EQ(request.defaultExtension, "csv");
    EXPECT_FALSE(request.mustExist);
}

TEST_F(Export, ExistingFileIsKeptUnlessTheOverwriteIsConfirmed)
{
    const auto path = dir.file("existing.csv");
    test::writeBytes(path, std::vector<std::uint8_t>{'o', 'l', 'd'});
    prompts.choose(path.string());
    prompts.answer(MessageAnswer::No);
    EXPECT_EQ(exportAs(RadioCsvType::Md2017), ExportOutcome::Declined);
    EXPECT_EQ(prompts.lastText(), "File '" + path.string() + "' already exists; overwrite?");
    EXPECT_EQ(fileText(path), "old");

    prompts.choose(path.string());
    prompts.answer(MessageAnswer::Yes);
    EXPECT_EQ(exportAs(RadioCsvType::Md2017), ExportOutcome::Written);
    EXPECT_EQ(fileText(path), expectedText(RadioCsvType::Md2017));
}

TEST_F(Export, RefusalsAndFailuresAreReported)
{
    EXPECT_EQ(exportIdRecords(nullptr, {RadioCsvType::Md2017, {}, {}}, prompts), ExportOutcome::NoDatabase);
    EXPECT_EQ(prompts.lastText(), "Internal Error: Database unavailable for export.");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Error);

    EXPECT_EQ(exportAs(RadioCsvType::None), ExportOutcome::NoRadioType);
    EXPECT_EQ(prompts.lastText(), "Please select the radio type to continue.");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Information);

    EXPECT_EQ(exportAs(RadioCsvType::Md2017), ExportOutcome::Cancelled);

    const auto missingFolder = dir.file("no-such-folder") / "out.csv";
    prompts.choose(missingFolder.string());
    EXPECT_EQ(exportAs(RadioCsvType::Md9600), ExportOutcome::WriteFailed);
    EXPECT_EQ(prompts.lastText(), "Unable to open file '" + missingFolder.string() + "' for writing.");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Error);
}

TEST_F(Export, FailedWriteLeavesTheOldFileWhole)
{
    const auto path = dir.file("out.csv");
    test::writeBytes(path, std::vector<std::uint8_t>{'o', 'l', 'd'});
    prompts.choose(path.string());
    prompts.answer(MessageAnswer::Yes);
    ExportOutcome outcome;
    {
        test::FileSizeLimit full(1);
        ASSERT_TRUE(full.active());
        outcome = exportAs(RadioCsvType::Md2017);
    }
    EXPECT_EQ(outcome, ExportOutcome::WriteFailed);
    EXPECT_EQ(fileText(path), "old");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

} // namespace
} // namespace pw
