// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows under its message boxes and around an open: the Errors tab under the error
// count, the changed channels under the mass change report, a failed open, a file whose name is
// not ASCII, and the Structural Import refreshing every list.

#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"
#include "ui/main_window.h"
#include "ui/ui_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

#include <functional>

namespace pw::ui {
namespace {

QString pathText(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::filesystem::path threeChannelFile(const std::filesystem::path& path)
{
    test::TytFixture fixture(Md380Format);
    const int talkgroup = fixture.addContact(91, "WORLDWIDE");
    for (const char* name : {"ALPHA", "BRAVO", "CHARLIE"})
        fixture.addChannel(test::tytDigitalChannel(Md380Format, name, 438.8, talkgroup));
    return fixture.write(path);
}

TEST(OpenFlow, TheErrorsTabStandsBeforeTheErrorCountIsReported)
{
    test::TempDir dir;
    WatchedPrompts prompts;
    MainWindow window(&prompts);
    QStringList tabsUnderTheBox;
    QString errorText;
    prompts.onMessage = [&](std::string_view) {
        tabsUnderTheBox = window.tabTitles();
        errorText = window.errorText();
    };
    // The minimal RDB file has no contacts, which its decoder logs as a problem.
    ASSERT_EQ(window.openFile(pathText(test::writeFixture(dir.file("a.rdb"), RdbV1Format))),
              OpenOutcome::OpenedWithErrors);
    EXPECT_EQ(tabsUnderTheBox.back(), "Errors");
    EXPECT_FALSE(errorText.isEmpty());
}

TEST(OpenFlow, TheMassChangeReportStandsOverTheChangedChannels)
{
    test::TempDir dir;
    WatchedPrompts prompts;
    MainWindow window(&prompts);
    window.show();
    window.openFile(pathText(threeChannelFile(dir.file("a.rdt"))));
    window.tabs()->setCurrentIndex(1);
    window.selectChannelRow(1);
    int rowsUnderTheBox = 0;
    QString lastNameUnderTheBox;
    prompts.onMessage = [&](std::string_view) {
        const auto* list = window.channelView()->model();
        rowsUnderTheBox = list->rowCount();
        lastNameUnderTheBox = list->index(rowsUnderTheBox - 1, 1).data().toString();
    };
    window.setDialogDriver([](QDialog& dialog) {
        control<QCheckBox>(dialog, "prependBox")->setChecked(true);
        control<QLineEdit>(dialog, "nameText")->setText("X");
        control<QCheckBox>(dialog, "makeCopiesBox")->setChecked(true);
        click(dialog, "commitButton");
    });
    window.massChangeChannels();
    EXPECT_EQ(prompts.script.lastText(), "1 channels have been updated.");
    // The copy is in the list already.
    EXPECT_EQ(rowsUnderTheBox, 4);
    EXPECT_EQ(lastNameUnderTheBox, "XBRAVO");
}

TEST(OpenFlow, APasteShowsItsTabUnderItsReportAndOnlyThen)
{
    test::TempDir dir;
    WatchedPrompts prompts;
    MainWindow window(&prompts);
    window.show();
    window.openFile(pathText(test::writeFixture(dir.file("a.rdt"), Md380Format)));
    QString tabUnderTheBox;
    prompts.onMessage = [&](std::string_view) {
        tabUnderTheBox = window.tabs()->tabText(window.tabs()->currentIndex());
    };
    window.tabs()->setCurrentIndex(3);
    QApplication::clipboard()->setText(QStringLiteral("not a paste\r\nat all\r\n"));
    window.paste();
    EXPECT_EQ(prompts.script.lastText(), "Invalid clipboard data; unable to paste.");
    EXPECT_EQ(tabUnderTheBox, "Scan Lists");

    // The header is read in any case.
    QApplication::clipboard()->setText(QStringLiteral("dmr-contact\r\n\"3100\",\"USA\",\"Group Call\",\"No\",\"\",\"\",\"\",\"\",\"\"\r\n"));
    window.paste();
    EXPECT_EQ(tabUnderTheBox, "Contacts");
    EXPECT_EQ(window.document().codeplug.contacts().count(), 1);
}

TEST(OpenFlow, AFailedOpenLeavesTheWindowAndItsChangedCodeplugAsTheyWere)
{
    test::TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    const auto good = dir.file("a.rdt");
    ASSERT_EQ(window.openFile(pathText(threeChannelFile(good))), OpenOutcome::Opened);
    window.document().codeplug.setRadioName("CHANGED");
    window.refreshAll();
    const auto before = window.document().codeplug.fileBytes();
    const auto junk = dir.file("junk.rdt");
    test::writeBytes(junk, std::vector<std::uint8_t>(100, 0x5A));
    // Declines to save first, then chooses the wrong file.
    prompts.answer(MessageAnswer::No);
    EXPECT_EQ(window.openFile(pathText(junk)), OpenOutcome::OpenFailed);
    EXPECT_EQ(prompts.lastText(), "Failed to load Codeplug; the specified file is invalid.\r\n" + junk.string() +
                                      ": not a codeplug file of any known format");
    EXPECT_EQ(window.workingFileText(), pathText(good));
    EXPECT_EQ(window.statusLine(), "Total of 1 contacts and 3 channels in Codeplug");
    EXPECT_TRUE(window.radioNameBox()->isEnabled());
    EXPECT_EQ(window.radioNameBox()->text(), "CHANGED");
    EXPECT_EQ(window.channelView()->model()->rowCount(), 3);
    EXPECT_TRUE(window.document().codeplug.changed());
    EXPECT_EQ(window.document().codeplug.fileBytes(), before);
    EXPECT_EQ(window.document().path, good.string());
}

// Each failed open names the file and says why, and leaves the window as it was.
TEST(OpenFlow, AFailedOpenNamesTheFileAndSaysWhy)
{
    test::TempDir dir;
    auto cutTyt = test::buildFixture(Md2017Format);
    cutTyt.resize(100000);
    auto cutD868 = test::buildFixture(D868Format);
    cutD868.resize(test::D868HeaderSize + test::D868CountTableSize + 10);
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.resize(4000, 0x42);
    const std::string NotOpened = "Failed to load Codeplug; the specified file is invalid.\r\n";
    const std::string NotDecoded = "There is no valid data (contacts, channels) defined in this file image.\r\n";
    const struct {
        const char* name;
        std::optional<std::vector<std::uint8_t>> bytes;  // none: no such file
        std::string headline;
        std::string reason;
    } cases[] = {
        {"missing.rdt", std::nullopt, NotOpened, "No such file or directory"},
        {"empty.rdt", std::vector<std::uint8_t>{}, NotOpened, "the file is empty"},
        {"picture.rdt", png, NotOpened, "not a codeplug file of any known format"},
        {"cut.rdt", cutTyt, NotDecoded, "the file is truncated (100000 of 852534 bytes)"},
        {"cut.dcf", cutD868, NotDecoded, "The codeplug file ends early, in "},
    };
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir.file(c.name);
        if (c.bytes)
            test::writeBytes(path, *c.bytes);
        const auto outcome = window.openFile(pathText(path));
        EXPECT_EQ(outcome, c.headline == NotOpened ? OpenOutcome::OpenFailed : OpenOutcome::DecodeFailed);
        EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Error);
        EXPECT_TRUE(prompts.lastText().starts_with(c.headline + path.string() + ": " + c.reason)) << prompts.lastText();
        EXPECT_EQ(window.workingFileText(), "(None)");
    }
    // A folder is read as no file is.
    window.openFile(pathText(dir.path()));
    EXPECT_EQ(prompts.lastText(), NotOpened + dir.path().string() + ": Is a directory");
}

TEST(OpenFlow, APathThatIsNotAsciiOpensAndShowsAsItIsNamed)
{
    test::TempDir dir;
    ScriptedPrompts prompts;
    MainWindow window(&prompts);
    const auto path = test::writeFixture(dir.file("caf\xC3\xA9 \xE2\x82\xAC.rdt"), Md380Format);
    EXPECT_EQ(window.openFile(QString::fromUtf8(path.string().c_str())), OpenOutcome::Opened);
    EXPECT_TRUE(window.workingFileText().endsWith(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC.rdt")));
    EXPECT_EQ(window.document().path, path.string());
}

TEST(OpenFlow, StructuralImportRefreshesTheListsAfterEarlierEditsBeforeItsReport)
{
    test::TempDir dir;
    WatchedPrompts prompts;
    MainWindow window(&prompts);
    window.openFile(pathText(test::writeFixture(dir.file("a.rdt"), Md380Format)));
    window.document().codeplug.markChanged();  // an earlier edit
    for (auto* box : window.tabs()->widget(5)->findChildren<QCheckBox*>())
        box->setChecked(box->text() == "Channels");
    prompts.script.choose(threeChannelFile(dir.file("other.rdt")).string());
    QString statusUnderTheBox;
    prompts.onMessage = [&](std::string_view) { statusUnderTheBox = window.statusLine(); };
    for (auto* button : window.tabs()->widget(5)->findChildren<QPushButton*>())
        if (button->text() == "Import Selected Structures...")
            button->click();
    EXPECT_EQ(window.document().codeplug.channels().count(), 3);
    EXPECT_EQ(statusUnderTheBox, "Total of 0 contacts and 3 channels in Codeplug");
    EXPECT_EQ(window.channelView()->model()->rowCount(), 3);
}

} // namespace
} // namespace pw::ui
