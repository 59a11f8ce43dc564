// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/id_export_command.h"

#include "iddb/iddb_test_records.h"
#include "support/scripted_prompts.h"
#include "support/file_size_limit.h"
#include "support/fixture_builder.h"
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
    void SetUp() override { test::loadDatabase(database, exportRecords()); }
    test::TempDir dir;
    IdDatabase database;
    ScriptedPrompts prompts;
};

TEST_F(Export, RadioType1HasItsHeaderAndSevenFieldsPerRecord)
{
    EXPECT_EQ(exportCsvText(database.Records(), 1, ""),
              "Radio ID,CallSign,Name,Nickname,City,State,Country,\r\n"
              "3112345,K0ABC,John Smith,,Kansas City,Missouri,United States\r\n"
              "3112346,W0XYZ,Jane Doe,,Springfield,MISSOURI,United States\r\n"
              "3112347,N0MIS,Sam Antimissouri,,Town,Iowa,United States\r\n"
              "2345001,G4XYZ,\"Ann, Other\",,Leeds,,United Kingdom\r\n");
}

TEST_F(Export, RadioType2HasItsHeaderAndSixFields)
{
    EXPECT_EQ(exportCsvText(database.Records(), 2, " "),
              "Radio ID,CallSign,Name,City,State/Prov,Country,\r\n"
              "3112345,K0ABC,John Smith,Kansas City,Missouri,United States\r\n"
              "3112346,W0XYZ,Jane Doe,Springfield,MISSOURI,United States\r\n"
              "3112347,N0MIS,Sam Antimissouri,Town,Iowa,United States\r\n"
              "2345001,G4XYZ,\"Ann, Other\",Leeds,,United Kingdom\r\n");
}

TEST_F(Export, RadioType3HasNoHeaderAndFiveEmptyFields)
{
    EXPECT_EQ(exportCsvText(database.Records(), 3, "K0ABC"), "3112345,John Smith,,,,,\r\n");
}

TEST(ExportCharsets, Windows1252KeepsWhatItHoldsAndTransliteratesTheRestAsciiDropsAccents)
{
    const auto store = test::storeOf({idRecord("2600001", "SP5ABC", "\xC5\x81ukasz M\xC3\xBCller \xE2\x82\xAC",
                                               "\xC5\x81\xC3\xB3" "d\xC5\xBA", "", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"),
                                      idRecord("1", "Q\"T", "\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1", "", "", "")});
    // Windows-1252 holds ü, ó and the euro sign; Ł, ź and Cyrillic are transliterated.
    EXPECT_EQ(exportCsvText(store, 2, ""), "Radio ID,CallSign,Name,City,State/Prov,Country,\r\n"
                                          "2600001,SP5ABC,Lukasz M\xFCller \x80,L\xF3" "dz,,Moskva\r\n"
                                          "1,\"Q\"\"T\",Athena,,,\r\n");
    EXPECT_EQ(exportCsvText(store, 3, "", ExportCharset::Ascii), "2600001,Lukasz Muller ?,,,,,\r\n1,Athena,,,,,\r\n");
}

TEST_F(Export, CriteriaMatchWholeWordStartsIgnoringCase)
{
    const std::string criteria = "MISSOURI\r\nKANSAS";
    EXPECT_EQ(exportCriteriaTerms(criteria), (std::vector<std::string>{" MISSOURI", " KANSAS"}));
    // Missouri as a state, in any case, and Kansas City as a city; not the word inside another.
    EXPECT_EQ(exportedRecords(database.Records(), criteria), (std::vector<int>{0, 1}));
    EXPECT_EQ(exportedRecords(database.Records(), "OURI"), std::vector<int>{});
    EXPECT_EQ(matchingRecordsText(database.Records(), criteria), "2 matching records in database");
    EXPECT_EQ(matchingRecordsText(database.Records(), ""), "4 matching records in database");
    EXPECT_EQ(exportCriteriaTerms(std::string(200, 'c'))[0].size(), 127u);
    EXPECT_EQ(exportCriteriaTerms("A\r\n\r\nB").size(), 1u);
}

TEST_F(Export, WritesTheChosenFileAndReports)
{
    const auto path = dir.file("out.csv");
    prompts.choose(path.string());
    EXPECT_EQ(exportIdRecords(&database, 3, "", prompts), ExportOutcome::Written);
    EXPECT_EQ(fileText(path), exportCsvText(database.Records(), 3, ""));
    EXPECT_EQ(prompts.lastText(), "CSV output file successfully written.");
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
    EXPECT_EQ(exportIdRecords(&database, 1, "", prompts), ExportOutcome::Declined);
    EXPECT_EQ(prompts.lastText(), "File '" + path.string() + "' already exists; overwrite?");
    EXPECT_EQ(fileText(path), "old");

    prompts.choose(path.string());
    prompts.answer(MessageAnswer::Yes);
    EXPECT_EQ(exportIdRecords(&database, 1, "", prompts), ExportOutcome::Written);
    EXPECT_EQ(fileText(path), exportCsvText(database.Records(), 1, ""));
}

TEST_F(Export, RefusalsAndFailuresAreReported)
{
    EXPECT_EQ(exportIdRecords(nullptr, 1, "", prompts), ExportOutcome::NoDatabase);
    EXPECT_EQ(prompts.lastText(), "Internal Error: Database unavailable for export.");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Error);

    EXPECT_EQ(exportIdRecords(&database, 0, "", prompts), ExportOutcome::NoRadioType);
    EXPECT_EQ(prompts.lastText(), "Please select the radio type to continue.");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Information);

    EXPECT_EQ(exportIdRecords(&database, 1, "", prompts), ExportOutcome::Cancelled);

    const auto missingFolder = dir.file("no-such-folder") / "out.csv";
    prompts.choose(missingFolder.string());
    EXPECT_EQ(exportIdRecords(&database, 2, "", prompts), ExportOutcome::WriteFailed);
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
        outcome = exportIdRecords(&database, 1, "", prompts);
    }
    EXPECT_EQ(outcome, ExportOutcome::WriteFailed);
    EXPECT_EQ(fileText(path), "old");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(ExportRadioTypes, ButtonTexts)
{
    EXPECT_EQ(radioTypeButtonText(1), "TYT MD2017 / MDUV380");
    EXPECT_EQ(radioTypeButtonText(2), "TYT MD9600 / Retevis RT90");
    EXPECT_EQ(radioTypeButtonText(3), "TYT MD380");
    EXPECT_EQ(radioTypeButtonText(4), "");
}

} // namespace
} // namespace pw
