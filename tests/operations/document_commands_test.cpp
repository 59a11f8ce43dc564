// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/document_commands.h"
#include "operations/save_as.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

TEST(OpenCommand, ChooserCancelAndFailuresShowTheirMessages)
{
    TempDir dir;
    WorkingDocument document;
    ScriptedPrompts prompts;
    EXPECT_EQ(openCodeplugCommand(document, prompts), OpenOutcome::Cancelled);
    ASSERT_EQ(prompts.requests().size(), 1u);
    EXPECT_EQ(prompts.requests()[0].title, "Open Codeplug...");
    EXPECT_EQ(prompts.requests()[0].confirmText, "Open >");
    EXPECT_EQ(prompts.requests()[0].filter,
              "RDT/RDB/DCF Files (*.rdt, *.rdb, *.dcf)|*.rdt;*.rdb;*.dcf|Radio Images (*.img, *.bin)|*.img;*.bin|"
              "All Files (*.*)|*.*||");

    test::writeBytes(dir.file("junk"), std::vector<std::uint8_t>(100, 1));
    prompts.choose(dir.file("junk").string());
    EXPECT_EQ(openCodeplugCommand(document, prompts), OpenOutcome::OpenFailed);
    EXPECT_EQ(prompts.lastText(), "Failed to load Codeplug; the specified file is invalid.\r\n" + dir.file("junk").string() +
                                      ": not a codeplug file of any known format");
    EXPECT_EQ(statusText(document.codeplug), "No Codeplug yet loaded.");
}

TEST(OpenCommand, OpensAndShowsTheTotals)
{
    TempDir dir;
    WorkingDocument document;
    ScriptedPrompts prompts;
    const auto path = test::writeFixture(dir.file("a.rdt"), Md380Format).string();
    EXPECT_EQ(openCodeplugCommand(document, prompts, path), OpenOutcome::Opened);
    EXPECT_EQ(document.path, path);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(statusText(document.codeplug), "Total of 0 contacts and 0 channels in Codeplug");
}

TEST(OpenCommand, ChangedCodeplugAsksToSaveFirst)
{
    TempDir dir;
    WorkingDocument document;
    ScriptedPrompts prompts;
    const auto first = test::writeFixture(dir.file("a.rdt"), Md380Format).string();
    const auto second = test::writeFixture(dir.file("b.rdt"), Md2017Format).string();
    ASSERT_EQ(openCodeplugCommand(document, prompts, first), OpenOutcome::Opened);
    document.codeplug.setRadioName("CHANGED");
    prompts.answer(MessageAnswer::Cancel);
    EXPECT_EQ(openCodeplugCommand(document, prompts, second), OpenOutcome::Cancelled);
    EXPECT_EQ(prompts.lastText(), "Working Codeplug " + first + " has changed. Save it before proceeding?");
    EXPECT_EQ(document.path, first);
    prompts.answer(MessageAnswer::No);
    EXPECT_EQ(openCodeplugCommand(document, prompts, second), OpenOutcome::Opened);
    EXPECT_EQ(document.codeplug.formatId(), Md2017Format);
}

TEST(SaveCommand, NothingLoadedIsAFailedSave)
{
    WorkingDocument document;
    ScriptedPrompts prompts;
    EXPECT_EQ(saveCodeplugCommand(document, prompts), SaveOutcome::Failed);
    EXPECT_EQ(prompts.lastText(), "Unable to save file.");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Error);
}

TEST(SaveCommand, EmptyCodeplugAsksAndReportsTheOutcome)
{
    TempDir dir;
    WorkingDocument document;
    ScriptedPrompts prompts;
    ASSERT_EQ(openCodeplugCommand(document, prompts, test::writeFixture(dir.file("a.rdt"), Md380Format).string()),
              OpenOutcome::Opened);
    EXPECT_EQ(saveCodeplugCommand(document, prompts), SaveOutcome::Declined);
    EXPECT_EQ(prompts.lastText(), "This Codeplug has no contacts. Are you sure you want to save it?");
    prompts.answer(MessageAnswer::Yes);
    EXPECT_EQ(saveCodeplugCommand(document, prompts), SaveOutcome::Saved);
    EXPECT_EQ(prompts.lastText(), "File successfully saved to disk.");
    document.path = dir.path().string();  // a folder cannot be written
    prompts.answer(MessageAnswer::Yes);
    EXPECT_EQ(saveCodeplugCommand(document, prompts), SaveOutcome::Failed);
    EXPECT_EQ(prompts.lastText(), "Unable to save file.\r\n" + document.path + ": Is a directory");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Error);
}

TEST(SaveCommand, AReadOnlyOrChangedFileIsOverwrittenOnlyAfterAYes)
{
    TempDir dir;
    WorkingDocument document;
    ScriptedPrompts prompts;
    const auto path = test::writeFixture(dir.file("a.rdt"), Md380Format);
    ASSERT_EQ(openCodeplugCommand(document, prompts, path.string()), OpenOutcome::Opened);
    document.codeplug.setRadioName("MINE");
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    const auto before = test::readBytes(path);
    prompts.answer(MessageAnswer::Yes);  // no contacts: save anyway
    prompts.answer(MessageAnswer::No);
    EXPECT_EQ(saveCodeplugCommand(document, prompts), SaveOutcome::Declined);
    EXPECT_EQ(prompts.lastText(), document.path + " is read-only.\r\nSave over it anyway?");
    EXPECT_EQ(test::readBytes(path), before);

    auto theirs = before;
    theirs[2000] ^= 1;
    test::writeBytes(path, theirs);
    std::filesystem::permissions(path, std::filesystem::perms(0644));
    prompts.answer(MessageAnswer::Yes);
    prompts.answer(MessageAnswer::No);
    EXPECT_EQ(saveCodeplugCommand(document, prompts), SaveOutcome::Declined);
    EXPECT_EQ(prompts.lastText(),
              document.path + " was changed by another program since it was opened.\r\nOverwrite it with this codeplug?");
    EXPECT_EQ(test::readBytes(path), theirs);
    prompts.answer(MessageAnswer::Yes);
    prompts.answer(MessageAnswer::Yes);
    EXPECT_EQ(saveCodeplugCommand(document, prompts), SaveOutcome::Saved);
    EXPECT_NE(test::readBytes(path), theirs);
}

TEST(SaveAsCommand, ExistingFileAnsweredNoWritesNothingAndKeepsThePath)
{
    TempDir dir;
    WorkingDocument document;
    ScriptedPrompts prompts;
    const auto original = test::writeFixture(dir.file("a.rdb"), RdbV1Format).string();
    // The minimal RDB file has no contacts, which its decoder reports as an error.
    ASSERT_EQ(openCodeplugCommand(document, prompts, original), OpenOutcome::OpenedWithErrors);
    const auto other = dir.file("other.rdb");
    test::writeBytes(other, std::vector<std::uint8_t>{1, 2, 3});
    prompts.choose(other.string());
    prompts.answer(MessageAnswer::No);
    EXPECT_EQ(saveCodeplugAsCommand(document, prompts), SaveOutcome::Declined);
    EXPECT_EQ(prompts.lastText(), "File '" + other.string() + "' already exists; overwrite?");
    EXPECT_EQ(document.path, original);
    EXPECT_EQ(test::readBytes(other), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(prompts.requests().back().filter, "RDB Files (*.rdb)|*.rdb|All Files (*.*)|*.*||");
    EXPECT_EQ(prompts.requests().back().title, "Save Codeplug As New File...");
    EXPECT_EQ(prompts.requests().back().confirmText, "Save As >");
}

TEST(CloseCommand, WritesSettingsAndKeepsTheWindowOnCancelOrFailedSave)
{
    TempDir dir;
    WorkingDocument document;
    ScriptedPrompts prompts;
    int settingsWritten = 0;
    const auto writeSettings = [&settingsWritten] { ++settingsWritten; };
    EXPECT_TRUE(closeCommand(document, prompts, writeSettings));
    ASSERT_EQ(openCodeplugCommand(document, prompts, test::writeFixture(dir.file("a.rdt"), Md380Format).string()),
              OpenOutcome::Opened);
    EXPECT_TRUE(closeCommand(document, prompts, writeSettings));
    EXPECT_TRUE(prompts.shown().empty());
    document.codeplug.setRadioName("X");
    prompts.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(closeCommand(document, prompts, writeSettings));
    EXPECT_EQ(prompts.lastText(), "Save changes to " + document.path + " ?");
    document.path = dir.path().string();
    prompts.answer(MessageAnswer::Yes);  // save changes
    prompts.answer(MessageAnswer::Yes);  // no contacts: save anyway
    EXPECT_FALSE(closeCommand(document, prompts, writeSettings));
    EXPECT_EQ(prompts.lastText(), "Unable to save file.\r\n" + document.path + ": Is a directory");
    EXPECT_EQ(settingsWritten, 4);
}

TEST(SaveAsCommand, NameEndingChoosesTheRadioImageOrTheVendorFileOfATytCodeplug)
{
    TempDir dir;
    WorkingDocument document;
    ScriptedPrompts prompts;
    ASSERT_EQ(openCodeplugCommand(document, prompts, test::writeFixture(dir.file("a.rdt"), Md380Format).string()),
              OpenOutcome::Opened);
    const auto vendorFile = test::readBytes(dir.file("a.rdt"));
    const auto image = dir.file("radio.img");
    bool formChanged = false;
    prompts.choose(image.string());
    prompts.answer(MessageAnswer::Yes);  // "This Codeplug has no contacts."
    ASSERT_EQ(saveCodeplugAsCommand(document, prompts, &formChanged), SaveOutcome::Saved);
    EXPECT_TRUE(formChanged);
    EXPECT_EQ(prompts.requests().back().filter,
              "RDT Files (*.rdt)|*.rdt|Radio Images (*.img, *.bin)|*.img;*.bin|All Files (*.*)|*.*||");
    EXPECT_EQ(test::readBytes(image), test::radioImageOf(vendorFile));
    EXPECT_EQ(document.codeplug.radioTypeText(), "Unknown model (MD-380 family radio image)");
    EXPECT_FALSE(document.codeplug.changed());

    // Back to a vendor file: the model is asked for; a cancelled question writes nothing.
    const auto rdt = dir.file("radio.rdt");
    prompts.choose(rdt.string());
    prompts.type(std::nullopt);
    EXPECT_EQ(saveCodeplugAsCommand(document, prompts, &formChanged), SaveOutcome::Declined);
    EXPECT_FALSE(formChanged);
    EXPECT_FALSE(std::filesystem::exists(rdt));
    EXPECT_EQ(document.path, image.string());
    EXPECT_EQ(prompts.requests().back().defaultExtension, "img");
    EXPECT_EQ(prompts.requests().back().filter,
              "Radio Images (*.img, *.bin)|*.img;*.bin|RDT Files (*.rdt)|*.rdt|All Files (*.*)|*.*||");
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].prompt, ModelQuestion);
    EXPECT_EQ(prompts.asked()[0].initialText, "MD-380");

    prompts.choose(rdt.string());
    prompts.type("MD-2017");  // a model of the other layout
    EXPECT_EQ(saveCodeplugAsCommand(document, prompts, &formChanged), SaveOutcome::Failed);
    EXPECT_EQ(prompts.lastText(),
              "Unable to save file.\r\nMD-2017 files hold a memory of 851968 bytes, this codeplug's is 262144");

    prompts.choose(rdt.string());
    prompts.type("MD-390");
    prompts.answer(MessageAnswer::Yes);
    ASSERT_EQ(saveCodeplugAsCommand(document, prompts, &formChanged), SaveOutcome::Saved);
    EXPECT_TRUE(formChanged);
    const auto written = test::readBytes(rdt);
    ASSERT_EQ(written.size(), 262709u);
    EXPECT_EQ(std::string(written.begin() + 0x125, written.begin() + 0x12A), "MD390");
    EXPECT_EQ(test::radioImageOf(written), test::radioImageOf(vendorFile));
    EXPECT_EQ(document.path, rdt.string());
    EXPECT_EQ(document.codeplug.radioTypeText(), "Tyt MD390 GPS (Mfr Code MD390)");
}

} // namespace
} // namespace pw
